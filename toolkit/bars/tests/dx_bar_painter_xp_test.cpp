// The XP painter with our visual-style stand-in, whose theme classes never open: the style
// draws as Enhanced, and what the XP painter draws without a theme part holds.

#include "toolkit/bars/dx_bar_painter_xp.h"

#include "toolkit/bars/dx_bar_painter_classes.h"
#include "toolkit/bars/dx_bar_painter_standard.h"
#include "toolkit/bars/dx_bar_sub_item.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/component.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/objects.h"

#include <gtest/gtest.h>

#include <memory>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

const TdxBarItemControlXPPainter& XP() {
    return TdxBarItemControlXPPainter::Instance();
}

class BarXPPainterTest : public ::testing::Test {
protected:
    BarXPPainterTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Manager = &Form->Own<TdxBarManager>();
    }
    ~BarXPPainterTest() override {
        FRoot.reset();
        pc::ProcessMessages();
    }

    TdxBarUnit Unit;
    ClassicColors Colors;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
};

TEST_F(BarXPPainterTest, EachStyleIsDrawnByItsOwnPainterAndXPWithoutThemesByEnhanced) {
    EXPECT_EQ(&dxBarPainterOfStyle(0, true), &TdxBarItemControlStandardPainter::Instance());
    EXPECT_EQ(&dxBarPainterOfStyle(1, true), &TdxBarItemControlEnhancedPainter::Instance());
    EXPECT_EQ(&dxBarPainterOfStyle(3, true), &XP());
    EXPECT_EQ(&dxBarPainterOfStyle(3, false), &TdxBarItemControlEnhancedPainter::Instance());
    EXPECT_EQ(&dxBarPainterOfStyle(7, true), &TdxBarItemControlStandardPainter::Instance());
    // The manager's own choice: no theme class opens with our stand-in.
    Manager->SetStyle(bmsXP);
    ASSERT_FALSE(Manager->ThemesAvailable());
    EXPECT_EQ(&Manager->Painter(), &TdxBarItemControlEnhancedPainter::Instance());
}

TEST_F(BarXPPainterTest, ADownButtonThatIsAlsoPressedMovesByOnePixel) {
    const TdxBarItemControlState Item;
    struct Case {
        bool Down, Pressed;
        int Shift;
    };
    const Case Cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 1}, {true, true, 1}};
    for (const Case& C : Cases) {
        const int Shift = (C.Down ? XP().GetDownGlyphOffset(Item) : 0) +
                          (C.Pressed ? XP().GetPressedGlyphOffset(Item, C.Down) : 0);
        EXPECT_EQ(Shift, C.Shift) << C.Down << C.Pressed;
    }
}

TEST_F(BarXPPainterTest, ASelectedMainMenuSubItemIsFilledWithTheHighlightColour) {
    TdxBarSubItem& File = Form->Own<TdxBarSubItem>();
    TdxBarControlState Bar;
    Bar.Manager = Manager;
    Bar.Bar.IsMainMenu = true;
    TdxBarItemControlState Item;
    Item.Parent = &Bar;
    Item.Item = &File;
    ASSERT_TRUE(XP().IsMainMenuItem(Item));
    TdxBarItemStates St;
    St.Selected = true;
    {
        TestSurface S(20, 20);
        XP().DrawGlyphFrame(Item, S.DC(), St, {0, 0, 20, 20}, true, {});
        EXPECT_EQ(S.At(0, 0), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
        EXPECT_EQ(S.At(19, 19), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    }
    // Not on the main menu, the same sub-item is a toolbar button part over the bar window's
    // background; no theme draws the part, so the background (the cell brush standing in for
    // the bar's fill) is what shows, never the highlight.
    Bar.Bar.IsMainMenu = false;
    EXPECT_FALSE(XP().IsMainMenuItem(Item));
    const pg::HBRUSH Green = pg::CreateSolidBrush(pg::RGB(0, 200, 0));
    TestSurface S(20, 20);
    XP().DrawGlyphFrame(Item, S.DC(), St, {0, 0, 20, 20}, true, Green);
    EXPECT_EQ(S.At(10, 10), pg::RGB(0, 200, 0));
    EXPECT_NE(S.At(10, 10), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    pg::DeleteObject(Green);
}

TEST_F(BarXPPainterTest, ASelectedMenuEntrysCellIsFilledPlainlyWithTheCellBrush) {
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    Menu.BkBrush = pg::GetSysColorBrush(pg::COLOR_MENU);
    TdxBarItemControlState Item;
    Item.Parent = &Menu;
    TdxBarItemStates St;
    St.PaintType = ptMenu;
    St.Selected = true;
    const pg::HBRUSH Cell = XP().GetGlyphCellBrush(Item, St);
    EXPECT_EQ(Cell, XP().GetHotBrush(Menu));
    TestSurface S(20, 20);
    XP().DrawGlyphFrame(Item, S.DC(), St, {0, 0, 20, 20}, true, Cell);
    EXPECT_EQ(S.At(5, 5), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    // A checked entry keeps the menu's brush.
    St.Down = true;
    EXPECT_EQ(XP().GetGlyphCellBrush(Item, St), Menu.BkBrush);
}

TEST_F(BarXPPainterTest, TheMenuBorderAndDetachStripUseTheMenuColour) {
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    Menu.Detachable = true;
    Menu.DetachCaptionSize = 7;
    TestSurface S(30, 30);
    XP().DrawDetachCaption(Menu, S.DC(), {0, 0, 30, 30});
    EXPECT_EQ(S.At(0, 0), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(1, 1), pg::GetSysColor(pg::COLOR_MENU));
    EXPECT_EQ(S.At(1, 8), pg::GetSysColor(pg::COLOR_MENU));
    EXPECT_EQ(S.At(5, 5), pg::GetSysColor(pg::COLOR_INACTIVECAPTION));
    EXPECT_EQ(S.At(5, 9), pg::RGB(1, 2, 3));
    TestSurface B(10, 10);
    XP().DrawSubMenuBorder(Menu, B.DC(), {}, {0, 0, 10, 10});
    EXPECT_EQ(B.At(9, 9), pg::GetSysColor(pg::COLOR_MENU));
}

TEST_F(BarXPPainterTest, MetricsWithoutThemePartsKeepTheBaseAnswers) {
    EXPECT_EQ(XP().GetButtonArrowWidth(*Manager),
              TdxBarItemControlPainter::Instance().GetButtonArrowWidth(*Manager) + 3);
    EXPECT_EQ(XP().GetDragGripBarSize(), 3);
    EXPECT_EQ(XP().GetDragGripAreaSize(), 7);
    EXPECT_EQ(XP().GetToolbarSeparatorOffset(), 2);
    EXPECT_EQ(XP().GetEditCaptionAreaWidth({}, 30), 41);
    EXPECT_EQ(XP().GetSubMenuBorderSize(), 1);
    pg::TRect R{0, 0, 10, 10};
    XP().AdjustEditTextRect(R);
    EXPECT_EQ(R.Top, 2);
    int Width = 19;
    XP().AdjustGlyphAreaWidth(Width);
    EXPECT_EQ(Width, 20);
}

} // namespace
} // namespace toolkit::bars
