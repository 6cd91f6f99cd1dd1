#include "toolkit/edit/data_strings.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/ext_edit_strings.h"
#include "toolkit/edit/filter_strings.h"
#include "toolkit/edit/library_strings.h"

#include <gtest/gtest.h>

#include <functional>

namespace toolkit::edit {
namespace {

using toolkit::base::dxResourceStringsRepository;
using toolkit::base::TResStringRec;

struct TableCase {
    const char* Group;
    std::function<void()> Initialize, Finalize;
    int Count;
    const char* FirstName;
    const TResStringRec* First;
    const char* LastName;
    const TResStringRec* Last;
};

class StringTables : public testing::TestWithParam<TableCase> {};

TEST_P(StringTables, TheFirstStartRegistersTheGroupInOrderAndTheLastEndRemovesIt) {
    const TableCase& C = GetParam();
    auto& Repository = dxResourceStringsRepository();
    ASSERT_EQ(Repository.IndexOf(C.Group), -1);
    C.Initialize();
    C.Initialize();
    ASSERT_NE(Repository.IndexOf(C.Group), -1);
    const auto& Group = Repository.Items(Repository.IndexOf(C.Group));
    ASSERT_EQ(Group.Count(), C.Count);
    EXPECT_EQ(Group.Names(0), C.FirstName);
    EXPECT_EQ(Group.Values(0), C.First);
    EXPECT_EQ(Group.Names(C.Count - 1), C.LastName);
    EXPECT_EQ(Group.Values(C.Count - 1), C.Last);
    C.Finalize();
    EXPECT_NE(Repository.IndexOf(C.Group), -1);
    C.Finalize();
    EXPECT_EQ(Repository.IndexOf(C.Group), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, StringTables,
    testing::Values(
        TableCase{cxFilterStringsGroup, InitializeFilterStrings, FinalizeFilterStrings, 50,
                  "cxSFilterOperatorEqual", &cxSFilterOperatorEqual, "cxSFilterBoxNonBlanksCaption",
                  &cxSFilterBoxNonBlanksCaption},
        TableCase{cxDataStringsGroup, InitializeDataStrings, FinalizeDataStrings, 12,
                  "cxSDataReadError", &cxSDataReadError, "cxSDBKeyFieldNotFound",
                  &cxSDBKeyFieldNotFound},
        TableCase{cxEditorStringsGroup, InitializeEditorStrings, FinalizeEditorStrings, 102,
                  "cxSEditButtonCancel", &cxSEditButtonCancel, "scxMaskEditMaskCollectionFiles",
                  &scxMaskEditMaskCollectionFiles},
        TableCase{cxLibraryStringsGroup, InitializeLibraryStrings, FinalizeLibraryStrings, 23,
                  "scxCantCreateRegistryKey", &scxCantCreateRegistryKey, "cxSDateEOM", &cxSDateEOM},
        TableCase{cxExtEditStringsGroup, InitializeExtEditStrings, FinalizeExtEditStrings, 40,
                  "scxSEditRepositoryColorComboBoxItem", &scxSEditRepositoryColorComboBoxItem,
                  "cxSEditRichEditSelectAllCaption", &cxSEditRichEditSelectAllCaption}));

TEST(StringTables, TextsStandAsShown) {
    EXPECT_EQ(toolkit::base::cxGetResourceString(cxSDataReadError), "Stream read error");
    EXPECT_EQ(toolkit::base::cxGetResourceString(cxSFilterBoxCustomCaption), "(Custom...)");
    EXPECT_EQ(toolkit::base::cxGetResourceString(cxSFilterOperatorLessEqual),
              "is less than or equal to");
    EXPECT_EQ(toolkit::base::cxGetResourceString(scxUDAssociated), " is already associated with ");
    EXPECT_EQ(toolkit::base::cxGetResourceString(cxSEditCheckGroupCaptionStateDelimiter), ": ");
    EXPECT_EQ(toolkit::base::cxGetResourceString(scxSEditRepositoryColorComboBoxItem),
              "ColorComboBox |Represents a editor with color functionality");
}

} // namespace
} // namespace toolkit::edit
