#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "platform/core/message_loop.h"
#include "platform/win/play_sound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;

TEST(BarItemClasses, OnlyPublicRecordsAreCountedAndUnregisteringAnUnknownClassChangesNothing) {
    static const pc::TClass Item("TBarsTestItem", &pc::TObject::ClassRef());
    static const pc::TClass Button("TBarsTestButton", &Item);
    static const pc::TClass Internal("TBarsTestInternal", &Item);
    static const pc::TClass Unknown("TBarsTestUnknown", &Item);
    static const pc::TClass Control("TBarsTestControl", &pc::TObject::ClassRef());
    static const pc::TClass ButtonControl("TBarsTestButtonControl", &Control);
    TdxBarItemClasses Registry;
    Registry.RegisterItemClass(&Item, &Control, true);
    Registry.RegisterItemClass(&Internal, &Control, false);
    Registry.RegisterItemClass(&Button, &ButtonControl, true);
    EXPECT_EQ(Registry.GetRegisteredItemClassCount(), 2);
    EXPECT_EQ(Registry.GetRegisteredItemClass(0), &Item);
    EXPECT_EQ(Registry.GetRegisteredItemClass(1), &Button);
    EXPECT_EQ(Registry.GetRegisteredItemClass(2), nullptr);
    EXPECT_EQ(pc::GetClass("TBarsTestButton"), &Button) << "streamable";
    EXPECT_EQ(Registry.GetItemControlClass(&Button), &ButtonControl);
    EXPECT_EQ(Registry.GetItemControlClass(&Unknown), &Control) << "nearest ancestor";

    Registry.UnregisterItemClass(&Unknown);
    EXPECT_EQ(Registry.Count(), 3);
    Registry.UnregisterItemClass(&Button);
    EXPECT_EQ(Registry.Count(), 2);
    EXPECT_EQ(pc::GetClass("TBarsTestButton"), nullptr);
    Registry.UnregisterItemClass(&Item);
    Registry.UnregisterItemClass(&Internal);
}

TEST(BarUnit, TheInnermostUnitIsInForce) {
    TdxBarUnit Outer;
    EXPECT_EQ(&dxBarUnit(), &Outer);
    {
        TdxBarUnit Inner;
        EXPECT_EQ(&dxBarUnit(), &Inner);
    }
    EXPECT_EQ(&dxBarUnit(), &Outer);
}

TEST(BarUnit, StartUpMakesTheCheckerBrushAndRegistersTheUnitsItemClasses) {
    TdxBarUnit Unit;
    EXPECT_NE(Unit.CheckerBrush(), platform::gdi::HBRUSH{});
    EXPECT_GT(Unit.ScreenColorDepth(), 0);
    EXPECT_EQ(Unit.ItemClasses().Count(), static_cast<int>(dxBarUnitItemClasses().size()));
    EXPECT_EQ(Unit.BarManagerList().GetCount(), 0);
}

TEST(BarUnit, InternalItemsAreOwnedByTheUnit) {
    TdxBarUnit Unit;
    pc::TComponent& Item = Unit.AddInternalItem(std::make_unique<pc::TComponent>(nullptr));
    EXPECT_EQ(Unit.InternalItemCount(), 1);
    EXPECT_TRUE(Unit.FreeInternalItem(&Item));
    EXPECT_FALSE(Unit.FreeInternalItem(&Item));
    Unit.AddInternalItem(std::make_unique<pc::TComponent>(nullptr));
    // The unit frees what is left when it shuts down.
}

TEST(BarUnit, BarControlListAnswersFalseForNil) {
    TdxBarUnit Unit;
    EXPECT_FALSE(Unit.BarControlExists(nullptr));
    auto* Control = reinterpret_cast<TCustomdxBarControl*>(&Unit);
    Unit.AddBarControl(Control);
    EXPECT_TRUE(Unit.BarControlExists(Control));
    Unit.RemoveBarControl(Control);
    EXPECT_FALSE(Unit.BarControlExists(Control));
}

TEST(BarUnitRoutines, RemoveAccelChars) {
    const struct {
        const char* Caption;
        const char* Expected;
    } Cases[] = {
        {"&Open", "Open"},        {"Save &As", "Save As"}, {"Fish && Chips", "Fish & Chips"},
        {"End&", "End&"},         {"&&&File", "&File"},    {"", ""},
        {"No marks", "No marks"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(RemoveAccelChars(C.Caption), C.Expected) << C.Caption;
}

TEST(BarUnitRoutines, SmallHelpers) {
    EXPECT_EQ(BoolToItemVisible(true), ivAlways);
    EXPECT_EQ(BoolToItemVisible(false), ivNever);
    int Width = 5;
    CheckMinEditWidth(Width);
    EXPECT_EQ(Width, 20);
    Width = 40;
    CheckMinEditWidth(Width);
    EXPECT_EQ(Width, 40);
    EXPECT_EQ(GetBarManagerByControl(nullptr), nullptr);
    DesignerModifiedIfAssigned(nullptr);
}

TEST(BarUnitRoutines, BarSoundsAskForTheirAliases) {
    platform::win::ClearPlayedSounds();
    PlayBarSound(dxBarSoundMenuPopup);
    PlayBarSound(dxBarSoundMenuCommand);
    PlayBarSound(dxBarSoundNone);
    EXPECT_EQ(platform::win::PlayedSounds(),
              (std::vector<std::string>{"MenuPopup", "MenuCommand", ""}));
}

} // namespace
} // namespace toolkit::bars
