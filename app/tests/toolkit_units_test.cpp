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

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace app::test {
namespace {

namespace edit = toolkit::edit;
using toolkit::base::cxGetResourceString;
using toolkit::base::dxResourceStringsRepository;

// A string of each group that the editors show.
struct GroupCase {
    const char* Group;
    const char* Known;
    const char* Text;
};

constexpr GroupCase Groups[] = {
    {edit::cxFilterStringsGroup, "cxSFilterOperatorEqual", "equals"},
    {edit::cxDataStringsGroup, "cxSDataReadError", "Stream read error"},
    {edit::cxEditorStringsGroup, "cxSEditValueOutOfBounds", "Value out of bounds"},
    {edit::cxLibraryStringsGroup, "cxSDateToday", "today"}};

// The names a group lists, in its order.
std::vector<std::string> NamesOf(const char* Group) {
    auto& Repository = dxResourceStringsRepository();
    std::vector<std::string> Names;
    const int Index = Repository.IndexOf(Group);
    if (Index < 0) return Names;
    for (int I = 0; I < Repository.Items(Index).Count(); ++I)
        Names.push_back(Repository.Items(Index).Names(I));
    return Names;
}

// After start-up a translator can reach every string of every group by its name: each is listed
// once, and a replacement given by that name is what the program then shows.
TEST(ToolkitUnits, AfterStartUpEveryStringGroupAndRegistrationIsPresent) {
    const TToolkitUnits Units;
    auto& Repository = dxResourceStringsRepository();
    for (const GroupCase& C : Groups) {
        const int Index = Repository.IndexOf(C.Group);
        ASSERT_NE(Index, -1) << C.Group;
        const auto& Product = Repository.Items(Index);
        const std::vector<std::string> Names = NamesOf(C.Group);
        EXPECT_EQ(std::set<std::string>(Names.begin(), Names.end()).size(), Names.size())
            << C.Group << ": a name listed twice";
        EXPECT_NE(std::find(Names.begin(), Names.end(), C.Known), Names.end()) << C.Group;
        for (int I = 0; I < Product.Count(); ++I) {
            Repository.SetReplacement(Product.Names(I), "replaced");
            EXPECT_EQ(cxGetResourceString(*Product.Values(I)), "replaced") << Product.Names(I);
            Repository.ClearReplacements();
        }
        for (int I = 0; I < Product.Count(); ++I) {
            if (Product.Names(I) == C.Known) {
                EXPECT_EQ(cxGetResourceString(*Product.Values(I)), C.Text) << C.Known;
            }
        }
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
        std::vector<std::vector<std::string>> Listed;
        for (const GroupCase& C : Groups)
            Listed.push_back(NamesOf(C.Group));
        {
            const TToolkitUnits Inner;
            for (std::size_t G = 0; G < std::size(Groups); ++G)
                EXPECT_EQ(NamesOf(Groups[G].Group), Listed[G]) << Groups[G].Group;
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
