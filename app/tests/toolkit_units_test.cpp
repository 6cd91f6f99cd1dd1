#include "app/program.h"
#include "platform/forms/screen.h"
#include "platform/win/panning_cursors.h"
#include "toolkit/edit/cx_value_type_class_list.h"
#include "toolkit/edit/data_strings.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/filter_strings.h"
#include "toolkit/edit/library_strings.h"
#include "toolkit/edit/solid_brush_cache.h"

#include <gtest/gtest.h>

namespace app::test {
namespace {

namespace edit = toolkit::edit;
using toolkit::base::cxGetResourceString;
using toolkit::base::dxResourceStringsRepository;

struct GroupCase {
    const char* Group;
    int Count;
};

constexpr GroupCase Groups[] = {{edit::cxFilterStringsGroup, 50},
                                {edit::cxDataStringsGroup, 12},
                                {edit::cxEditorStringsGroup, 102},
                                {edit::cxLibraryStringsGroup, 23}};

TEST(ToolkitUnits, AfterStartUpEveryStringGroupAndRegistrationIsPresent) {
    const TToolkitUnits Units;
    auto& Repository = dxResourceStringsRepository();
    for (const GroupCase& C : Groups) {
        const int Index = Repository.IndexOf(C.Group);
        ASSERT_NE(Index, -1) << C.Group;
        EXPECT_EQ(Repository.Items(Index).Count(), C.Count) << C.Group;
    }

    const edit::TcxValueTypeClassList& Types = edit::cxValueTypeClassList();
    ASSERT_EQ(Types.Count(), 14);
    EXPECT_EQ(Types.Items(0), edit::TcxStringValueTypeClass());
    EXPECT_EQ(Types.Items(10), edit::TcxFMTBcdValueTypeClass());
    EXPECT_EQ(Types.Items(13), edit::TcxObjectValueTypeClass());

    EXPECT_NE(edit::GetSolidBrush(0x123456).Handle(), platform::gdi::NullObject);

    const platform::win::HCURSOR Wheel =
        platform::forms::Screen().Cursors(edit::crcxEditMouseWheel);
    EXPECT_EQ(Wheel, platform::win::LoadPanningCursor(platform::win::PanningCursor::Full));
    EXPECT_NE(Wheel, platform::win::LoadCursor(platform::win::IDC_ARROW));

    EXPECT_EQ(cxGetResourceString(edit::cxSEditCheckBoxGrayed), "");
    EXPECT_EQ(cxGetResourceString(edit::cxSRadioGroupDefaultCaption), "");
}

TEST(ToolkitUnits, AReplacedStringWinsOverTheBuiltInText) {
    const TToolkitUnits Units;
    auto& Repository = dxResourceStringsRepository();
    Repository.SetReplacement("cxSEditValidateErrorText", "Entree invalide");
    Repository.SetReplacement("cxSFilterOperatorEqual", "egal");
    Repository.SetReplacement("cxSDataReadError", "");
    EXPECT_EQ(cxGetResourceString(edit::cxSEditValidateErrorText), "Entree invalide");
    EXPECT_EQ(cxGetResourceString(edit::cxSFilterOperatorEqual), "egal");
    EXPECT_EQ(cxGetResourceString(edit::cxSDataReadError), "");
    EXPECT_EQ(cxGetResourceString(edit::cxSEditValueOutOfBounds), "Value out of bounds");
    Repository.ClearReplacements();
    EXPECT_EQ(cxGetResourceString(edit::cxSEditValidateErrorText),
              "Invalid input value. Use escape key to abandon changes");
}

TEST(ToolkitUnits, ASecondStartChangesNothingAndOnlyTheLastEndUnregisters) {
    auto& Repository = dxResourceStringsRepository();
    {
        const TToolkitUnits Outer;
        {
            const TToolkitUnits Inner;
            for (const GroupCase& C : Groups)
                EXPECT_EQ(Repository.Items(Repository.IndexOf(C.Group)).Count(), C.Count)
                    << C.Group;
        }
        for (const GroupCase& C : Groups)
            EXPECT_NE(Repository.IndexOf(C.Group), -1) << C.Group;
        EXPECT_EQ(edit::cxValueTypeClassList().Count(), 14);
    }
    for (const GroupCase& C : Groups)
        EXPECT_EQ(Repository.IndexOf(C.Group), -1) << C.Group;
}

} // namespace
} // namespace app::test
