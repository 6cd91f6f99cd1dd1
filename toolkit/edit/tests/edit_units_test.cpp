#include "toolkit/edit/edit_units.h"

#include "toolkit/edit/data_strings.h"
#include "toolkit/edit/editor_registrations.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/ext_edit_strings.h"
#include "toolkit/edit/filter_control_strings.h"
#include "toolkit/edit/filter_strings.h"
#include "toolkit/edit/library_strings.h"
#include "toolkit/edit/shell_folders.h"

#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/win/messages.h"
#include "testsupport/qt_test_environment.h"
#include "testsupport/temp_folder.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

namespace toolkit::edit {
namespace {

using toolkit::base::cxGetResourceString;
using toolkit::base::dxResourceStringsRepository;

[[maybe_unused]] const auto* QtEnvironment =
    testsupport::AddQtTestEnvironment<QApplication>("toolkit_edit_tests");

// The program's start-up with a home folder of the test's own, whose user-dirs file names the
// desktop and the documents.
class EditUnits : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Home.Path().empty());
        ASSERT_TRUE(platform::core::ForceDirectories(Home.PathOf(".config")));
        ASSERT_TRUE(platform::core::ForceDirectories(Home.PathOf("Desk")));
        ASSERT_TRUE(platform::core::ForceDirectories(Home.PathOf("Docs")));
        std::ofstream(Home.PathOf(".config/user-dirs.dirs"))
            << "XDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n";
    }

    testsupport::TempFolder Home{"edit_units_"};
    testsupport::EnvironmentOverride HomeVariable{"HOME", Home.Path()};
    testsupport::EnvironmentOverride ConfigVariable{"XDG_CONFIG_HOME", std::nullopt};
};

TEST_F(EditUnits, EveryStringIdResolvesAfterStartUpAndNoneAfterTheEnd) {
    const char* const Groups[] = {cxFilterStringsGroup,  cxFilterControlStringsGroup,
                                  cxDataStringsGroup,    cxEditorStringsGroup,
                                  cxLibraryStringsGroup, cxExtEditStringsGroup};
    auto& Repository = dxResourceStringsRepository();
    std::set<std::string> Names;
    std::vector<const toolkit::base::TResStringRec*> Records;
    {
        TcxEditUnits Units;
        for (const char* Group : Groups) {
            const int Index = Repository.IndexOf(Group);
            ASSERT_NE(Index, -1) << Group;
            const auto& Product = Repository.Items(Index);
            for (int I = 0; I < Product.Count(); ++I) {
                EXPECT_TRUE(Names.insert(Product.Names(I)).second)
                    << Product.Names(I) << " is registered twice";
                Records.push_back(Product.Values(I));
                // Resolvable: a replacement by this name reaches the text through its record.
                Repository.SetReplacement(Product.Names(I), "<" + Product.Names(I) + ">");
                EXPECT_EQ(cxGetResourceString(*Product.Values(I)), "<" + Product.Names(I) + ">");
            }
        }
        EXPECT_EQ(Names.size(), 50u + 33u + 12u + 102u + 23u + 40u);
    }
    for (const char* Group : Groups)
        EXPECT_EQ(Repository.IndexOf(Group), -1) << Group;
    for (const auto* Record : Records)
        EXPECT_EQ(cxGetResourceString(*Record), Record->Text) << "built-in text again";
    Repository.ClearReplacements();
}

TEST_F(EditUnits, StartUpFillsTheSpecialFoldersAndRegistersTheRedrawMessage) {
    {
        TcxEditUnits Units;
        const auto& Table = cxShellSpecialFolderInfoTable();
        EXPECT_EQ(Table[CSIDL_DESKTOP].DisplayName, "Desk");
        EXPECT_EQ(Table[CSIDL_PERSONAL].DisplayName, "Docs");
        EXPECT_EQ(Table[CSIDL_PERSONAL].UpperPath, platform::core::UpperCase(Home.PathOf("Docs")));
        EXPECT_EQ(Table[CSIDL_MYMUSIC].DisplayName, "") << "an unknown folder";
        EXPECT_EQ(cxRedrawMisspellsMessage(),
                  platform::win::RegisterWindowMessage("WM_REDRAWMISSPELLS"));
        EXPECT_GE(cxRedrawMisspellsMessage(), 0xC000u);
    }
    EXPECT_EQ(cxShellSpecialFolderInfoTable()[CSIDL_DESKTOP].DisplayName, "");
}

TEST(EditorRegistrations, EachRowNamesItsEditorsDescription) {
    struct Row {
        const char* PropertiesClass;
        const char* ShortName;
        const char* FilterHelper;
    };
    const Row Rows[] = {
        {"TcxTextEditProperties", "TextEdit", "TcxFilterTextEditHelper"},
        {"TcxMaskEditProperties", "MaskEdit", "TcxFilterMaskEditHelper"},
        {"TcxComboBoxProperties", "ComboBox", "TcxFilterComboBoxHelper"},
        {"TcxPopupEditProperties", "PopupEdit", nullptr},
        {"TcxSpinEditProperties", "SpinEdit", "TcxFilterSpinEditHelper"},
        {"TcxCheckBoxProperties", "CheckBox", "TcxFilterCheckBoxHelper"},
    };
    ASSERT_EQ(std::size(Rows), cxEditorRegistrations.size());
    for (const Row& R : Rows) {
        const TcxEditorRegistration* Found = cxFindEditorRegistration(R.PropertiesClass);
        ASSERT_NE(Found, nullptr) << R.PropertiesClass;
        EXPECT_TRUE(
            cxGetResourceString(*Found->Description).starts_with(R.ShortName + std::string("|")))
            << R.PropertiesClass;
        EXPECT_EQ(Found->FilterHelperClassName ? std::string(Found->FilterHelperClassName) : "",
                  R.FilterHelper ? std::string(R.FilterHelper) : "");
    }
    EXPECT_EQ(cxFindEditorRegistration("TcxCustomEditProperties"), nullptr);
}

TEST(EditorRegistrations, AClassIsRegisteredUnderItsRowsCurrentDescription) {
    static const platform::core::TClass SpinProperties("TcxSpinEditProperties", nullptr);
    static const platform::core::TClass Stranger("TcxStrangerProperties", nullptr);
    toolkit::base::TcxRegisteredClasses Registry;
    InitializeEditorStrings();
    dxResourceStringsRepository().SetReplacement("scxSEditRepositorySpinItem",
                                                 "Drehfeld|Ein Drehfeld");
    EXPECT_TRUE(cxRegisterEditProperties(Registry, SpinProperties));
    EXPECT_FALSE(cxRegisterEditProperties(Registry, Stranger));
    ASSERT_EQ(Registry.Count(), 1);
    EXPECT_EQ(Registry.Items(0), &SpinProperties);
    EXPECT_EQ(Registry.Descriptions(0), "Drehfeld");
    dxResourceStringsRepository().ClearReplacements();
    FinalizeEditorStrings();
}

} // namespace
} // namespace toolkit::edit
