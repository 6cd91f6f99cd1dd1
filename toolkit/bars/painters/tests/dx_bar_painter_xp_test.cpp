// The XP painter with our visual-style stand-in, whose theme classes never open: the style
// draws as Enhanced, and what the XP painter draws without a theme part holds.

#include "toolkit/bars/painters/dx_bar_painter_xp.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter_standard.h"
#include "toolkit/bars/painters/tests/dx_bar_painter_fixture.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/component.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"
#include "platform/win/messages.h"

#include <gtest/gtest.h>

#include <memory>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
using toolkit::base::testing_support::TestSurface;

const TdxBarItemControlXPPainter& XP() {
    return TdxBarItemControlXPPainter::Instance();
}

class BarXPPainterTest : public testing_support::BarPainterFixture {};

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

// The glyph lands where DrawGlyph put it: scaled to a menu cell by the reference glyph size;
// on a toolbar moved by one pixel when down, pressed or both.
TEST_F(BarXPPainterTest, TheGlyphIsDrawnWhereDrawGlyphPutsIt) {
    platform::forms::TBitmap Glyph;
    testing_support::MakeMarkedGlyph(Glyph);
    TdxBarButton& Button = Form->Own<TdxBarButton>();
    Button.SetGlyph(Glyph);
    TdxBarControlState Window;
    Window.Manager = Manager;
    Window.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    Window.ReferenceGlyphSize = 10;
    TdxBarItemControlState Item;
    Item.Parent = &Window;
    Item.Item = &Button;
    // The mark's place unmoved: a 20 x 20 menu cell, or a toolbar cell of the manager's button
    // width in a 30-pixel row.
    const int ToolbarLeft = (Manager->ButtonWidth() - 4) / 2 + 1, ToolbarTop = 14;
    struct {
        bool InMenu, Scale, Down, Pressed;
        int Left, Top, Size;
    } const Cases[] = {
        {true, false, false, false, 9, 9, 1},
        {true, true, false, false, 8, 8, 2},
        {false, false, false, false, ToolbarLeft, ToolbarTop, 1},
        {false, false, true, false, ToolbarLeft + 1, ToolbarTop + 1, 1},
        {false, false, false, true, ToolbarLeft + 1, ToolbarTop + 1, 1},
        {false, false, true, true, ToolbarLeft + 1, ToolbarTop + 1, 1},
    };
    for (const auto& C : Cases) {
        TestSurface S(30, 30);
        Window.Kind = C.InMenu ? bckSubMenu : bckToolbar;
        Window.Canvas = &S.Canvas();
        Window.ScaleMenuGlyphs = C.Scale;
        TdxBarItemStates St;
        St.PaintType = C.InMenu ? ptMenu : ptHorz;
        St.Down = C.Down;
        St.Pressed = C.Pressed;
        XP().DrawGlyph(Item, C.InMenu ? pg::TRect{0, 0, 20, 20} : pg::TRect{0, 0, 30, 30}, St);
        const testing_support::GlyphMarkSpot Spot = testing_support::FindGlyphMark(S);
        const int Case = static_cast<int>(&C - Cases);
        EXPECT_EQ(Spot.Count, C.Size * C.Size) << Case;
        EXPECT_EQ(Spot.Left, C.Left) << Case;
        EXPECT_EQ(Spot.Top, C.Top) << Case;
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

TEST_F(BarXPPainterTest, WithoutThemeClassesTheBackgroundsAreTheBasePaintersFills) {
    TdxBarControlState Bar;
    Bar.Manager = Manager;
    // The XP brush falls back to the button face's small value, which toolbars share.
    EXPECT_EQ(XP().GetBkBrush(Bar), static_cast<pg::HBRUSH>(pg::COLOR_BTNFACE + 1));
    EXPECT_EQ(XP().GetToolbarBrush(Bar), XP().GetBkBrush(Bar));
    const pg::HBRUSH Green = pg::CreateSolidBrush(pg::RGB(0, 200, 0));
    {
        TestSurface S(20, 10);
        XP().DrawToolbarBackground(Bar, S.DC(), {0, 0, 20, 10}, Green);
        EXPECT_EQ(S.At(10, 5), pg::RGB(0, 200, 0));
    }
    {
        TdxDockControlState Dock;
        TestSurface S(20, 10);
        XP().DrawDockControlBackground(Dock, S.DC(), {0, 0, 20, 10}, Green);
        EXPECT_EQ(S.At(19, 9), pg::RGB(0, 200, 0));
        // Without a brush the dock shows the button face.
        XP().DrawDockControlBackground(Dock, S.DC(), {0, 0, 20, 10}, {});
        EXPECT_EQ(S.At(19, 9), pg::GetSysColor(pg::COLOR_BTNFACE));
    }
    pg::DeleteObject(Green);
}

TEST_F(BarXPPainterTest, TheProgressBarFallsBackToTheBaseBar) {
    EXPECT_EQ(XP().GetProgressBarHeight(), 12);
    EXPECT_EQ(XP().GetProgressBarColor(), pg::clHighlight);
    TdxBarControlState Bar;
    Bar.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    TdxBarItemControlState Item;
    Item.Parent = &Bar;
    TestSurface S(40, 12);
    XP().DrawProgressBar(Item, S.DC(), {0, 0, 40, 12}, 0, 4, 1, false, true, pg::clHighlight);
    EXPECT_EQ(S.At(9, 6), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(S.At(10, 6), pg::GetSysColor(pg::COLOR_BTNFACE));
    // An empty range draws an empty bar.
    XP().DrawProgressBar(Item, S.DC(), {0, 0, 40, 12}, 3, 3, 3, false, true, pg::clHighlight);
    EXPECT_EQ(S.At(0, 6), pg::GetSysColor(pg::COLOR_BTNFACE));
}

TEST_F(BarXPPainterTest, TheEditCaptionTakesItsWidthPlusElevenAndHighlightsInAMenu) {
    TdxBarButton& Find = Form->Own<TdxBarButton>();
    Find.SetCaption("&Find");
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    Menu.Manager = Manager;
    Menu.BkBrush = pg::GetSysColorBrush(pg::COLOR_MENU);
    TdxBarItemControlState Item;
    Item.Parent = &Menu;
    Item.Item = &Find;
    TestSurface S(120, 20);
    pg::TSize Extent{};
    pg::GetTextExtentPoint32(S.DC(), "Find", 4, &Extent);
    TdxBarItemStates St;
    St.PaintType = ptMenu;
    St.Selected = true;
    pg::TRect R{5, 0, 120, 20};
    XP().DrawEditCaption(Item, S.DC(), R, St);
    EXPECT_EQ(R.Left, 5 + Extent.cx + 11);
    EXPECT_EQ(S.At(5, 0), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(S.At(R.Left - 1, 19), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(S.At(R.Left, 19), pg::RGB(1, 2, 3)) << "nothing past the caption area";
    // Not selected: the menu's own background.
    pg::TRect Plain{5, 0, 120, 20};
    St.Selected = false;
    XP().DrawEditCaption(Item, S.DC(), Plain, St);
    EXPECT_EQ(S.At(5, 0), pg::GetSysColor(pg::COLOR_MENU));
}

TEST_F(BarXPPainterTest, TheEditContentUsesTheBaseColoursWithoutTheEditTheme) {
    TestSurface S(60, 20);
    TdxBarControlState Bar;
    Bar.Manager = Manager;
    Bar.Canvas = &S.Canvas();
    Bar.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    TdxBarItemControlState Item;
    Item.Parent = &Bar;
    Item.Text = "abc";
    XP().DrawEditContent(Item, S.DC(), {10, 2, 50, 18});
    EXPECT_EQ(S.At(10, 2), pg::GetSysColor(pg::COLOR_WINDOW));
    EXPECT_EQ(S.At(49, 17), pg::GetSysColor(pg::COLOR_WINDOW));
    EXPECT_EQ(S.At(50, 10), pg::RGB(1, 2, 3)) << "clipped to the rectangle";
    bool Text = false;
    for (int X = 10; X < 50; ++X)
        for (int Y = 2; Y < 18; ++Y)
            Text = Text || S.At(X, Y) == pg::GetSysColor(pg::COLOR_WINDOWTEXT);
    EXPECT_TRUE(Text);
}

TEST_F(BarXPPainterTest, TheEllipsisButtonShowsThreeDotsOfASeventhOfItsWidth) {
    TdxBarControlState Bar;
    Bar.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    TdxBarItemControlState Item;
    Item.Parent = &Bar;
    // 21 wide: dots of 3 from x 3 (3, 9, 15), rows 8 to 10 of the inside (0, 1, 21, 19).
    const pg::COLORREF Text = pg::GetSysColor(pg::COLOR_BTNTEXT),
                       Face = pg::GetSysColor(pg::COLOR_BTNFACE);
    struct Case {
        bool Pressed;
        int Shift;
    };
    for (const Case& C : {Case{false, 0}, Case{true, 1}}) {
        TestSurface S(21, 20);
        TdxBarItemStates St;
        St.Pressed = C.Pressed;
        pg::TRect R{0, 0, 21, 20};
        XP().DrawEllipsisButton(Item, S.DC(), R, St);
        EXPECT_EQ(R, (pg::TRect{0, 1, 21, 19}));
        const std::pair<char, pg::COLORREF> T{'T', Text}, F{'F', Face};
        const std::string Dots = C.Pressed ? "FFFFTTTFFFTTTFFFTTTFF" : "FFFTTTFFFTTTFFFTTTFFF";
        EXPECT_EQ(S.Row(8 + C.Shift, {T, F}), Dots) << C.Pressed;
    }
    // Disabled dots are the painter's etched lines, which XP keeps as the base's plain shadow.
    TestSurface S(21, 20);
    TdxBarItemStates St;
    St.Enabled = false;
    pg::TRect R{0, 0, 21, 20};
    XP().DrawEllipsisButton(Item, S.DC(), R, St);
    EXPECT_EQ(S.At(3, 8), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(5, 10), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(6, 11), Face);
}

TEST_F(BarXPPainterTest, TheFloatingCaptionIsActiveWhileTheManagersFormIs) {
    TdxBarControlState WithManager;
    WithManager.Manager = Manager;
    TdxBarControlState WithoutManager;
    struct Case {
        TdxBarControlState* Bar;
        bool FormActive, BarActive;
        int Color;
    };
    // The manager's flag decides; a bar without a manager answers with its own.
    const Case Cases[] = {{&WithManager, true, false, pg::COLOR_ACTIVECAPTION},
                          {&WithManager, false, true, pg::COLOR_INACTIVECAPTION},
                          {&WithoutManager, false, true, pg::COLOR_ACTIVECAPTION},
                          {&WithoutManager, true, false, pg::COLOR_INACTIVECAPTION}};
    const pg::HBRUSH Given = pg::GetSysColorBrush(pg::COLOR_WINDOW);
    for (const Case& C : Cases) {
        Manager->HandleFormMessage(platform::win::WM_ACTIVATE, C.FormActive ? 1 : 0, 0);
        C.Bar->Active = C.BarActive;
        TestSurface S(40, 16);
        XP().DrawFloatingCaptionBackground(*C.Bar, S.DC(), {0, 0, 40, 15}, Given);
        EXPECT_EQ(S.At(20, 7), pg::GetSysColor(C.Color)) << &C - Cases;
        EXPECT_EQ(S.At(20, 15), pg::RGB(1, 2, 3)) << &C - Cases;
        // The caption drawer of the base body asks for it: the strip's far end shows it.
        C.Bar->Bar.CanClose = false;
        TestSurface Caption(40, 16);
        XP().DrawFloatingCaption(*C.Bar, Caption.DC(), {0, 0, 40, 15}, Given);
        EXPECT_EQ(Caption.At(39, 7), pg::GetSysColor(C.Color)) << &C - Cases;
    }
}

} // namespace
} // namespace toolkit::bars
