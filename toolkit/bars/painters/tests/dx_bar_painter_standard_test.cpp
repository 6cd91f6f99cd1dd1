// The Standard and Enhanced painters on our own surfaces with the classic system colours: the
// mark's size and place, the chevrons, grips and edges they draw, and the drop-down part.

#include "toolkit/bars/painters/dx_bar_painter_standard.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/tests/dx_bar_painter_fixture.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/component.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
using testing_support::Sys;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

const TdxBarItemControlStandardPainter& Standard() {
    return TdxBarItemControlStandardPainter::Instance();
}
const TdxBarItemControlEnhancedPainter& Enhanced() {
    return TdxBarItemControlEnhancedPainter::Instance();
}

TdxBarControlState Toolbar(TdxBarDockingStyle Docking, int Width, int Height) {
    TdxBarControlState Bar;
    Bar.DockingStyle = Docking;
    Bar.ClientRect = {0, 0, Width, Height};
    Bar.MarkWindowRect = {4, 3, 40, 17};
    return Bar;
}

TEST(BarStandardPainterTest, TheMarkHasItsSizeAndPlaceByDocking) {
    struct Case {
        const TdxBarItemControlPainter* Painter;
        TdxBarDockingStyle Docking;
        pg::TRect Mark;
    };
    // Toolbars of client 100 x 26 docked across, 26 x 100 docked along.
    const Case Cases[] = {
        {&Standard(), dsTop, {89, 0, 100, 9}},    {&Standard(), dsBottom, {89, 0, 100, 9}},
        {&Standard(), dsLeft, {17, 89, 26, 100}}, {&Standard(), dsNone, {4, 3, 17, 17}},
        {&Enhanced(), dsTop, {89, 0, 100, 26}},   {&Enhanced(), dsRight, {0, 89, 26, 100}},
        {&Enhanced(), dsNone, {4, 3, 17, 17}},
    };
    for (const Case& C : Cases) {
        const bool Along = C.Docking == dsLeft || C.Docking == dsRight;
        const TdxBarControlState Bar = Toolbar(C.Docking, Along ? 26 : 100, Along ? 100 : 26);
        EXPECT_EQ(C.Painter->CalcMarkRect(Bar), C.Mark)
            << C.Painter->ClassType().ClassName() << " docking " << int(C.Docking);
        EXPECT_EQ(C.Painter->GetMarkRect(Bar), C.Mark);
    }
    // Neither painter has a small mark, whatever its height.
    EXPECT_FALSE(Standard().IsSmallMark(Toolbar(dsTop, 100, 26), {0, 0, 11, 9}));
    EXPECT_FALSE(Enhanced().IsSmallMark(Toolbar(dsTop, 100, 26), {0, 0, 11, 9}));
}

// Records where the arrow of a drop-down part goes.
class TArrowRecorder : public TdxBarItemControlStandardPainter {
public:
    void DrawItemArrowInRect(HDC, const TRect& R, bool Down, bool, bool, bool) const override {
        Rects.push_back(R);
        Downward.push_back(Down);
    }
    void DrawItemArrow(HDC, const TRect& R, int, bool, bool, bool, bool) const override {
        Rects.push_back(R);
        Downward.push_back(false);
    }
    mutable std::vector<pg::TRect> Rects;
    mutable std::vector<bool> Downward;
};

TEST(BarStandardPainterTest, APressedArrowPartOfNinePixelsOrLessDoesNotMove) {
    ClassicColors Colors;
    struct Case {
        int Width;
        bool Pressed;
        bool InMenu;
        int Shift;
    };
    const Case Cases[] = {
        {7, true, false, 0},   {9, true, false, 0}, {10, true, false, 1},
        {12, false, false, 0}, {9, true, true, 1},  {9, false, true, 0},
    };
    for (const Case& C : Cases) {
        TestSurface S(20, 22);
        TdxBarControlState Bar = Toolbar(dsTop, 100, 22);
        TdxBarItemControlState Item;
        Item.Parent = &Bar;
        TdxBarItemStates St;
        St.Pressed = C.Pressed;
        St.Selected = C.Pressed;
        const TArrowRecorder Painter;
        const pg::TRect Part{2, 0, 2 + C.Width, 22};
        Painter.DrawDropDownButton(Item, S.DC(), Part, St, C.InMenu);
        ASSERT_EQ(Painter.Rects.size(), 1u);
        pg::TRect Moved = Part;
        pg::OffsetRect(Moved, C.Shift, C.Shift);
        EXPECT_EQ(Painter.Rects[0], Moved) << C.Width << (C.InMenu ? " in a menu" : "");
        EXPECT_EQ(Painter.Downward[0], !C.InMenu);
        // The sunken edge of a pressed part is drawn whatever its width.
        if (C.Pressed) {
            EXPECT_EQ(S.At(2, 0), Sys(pg::COLOR_BTNSHADOW)) << C.Width;
        }
    }
}

TEST(BarStandardPainterTest, AStandardChevronIsEmbossedAlongTheBar) {
    ClassicColors Colors;
    TestSurface S(8, 9);
    Standard().DrawMarkChevron(Toolbar(dsTop, 100, 26), S.DC(), 3, {0, 0, 8, 9});
    const std::pair<char, pg::COLORREF> H{'H', Sys(pg::COLOR_BTNHIGHLIGHT)};
    const std::pair<char, pg::COLORREF> D{'S', Sys(pg::COLOR_BTNSHADOW)};
    const std::vector<std::string> Expected{"........", "..HS....", "...HS...",
                                            "....HS..", ".....SH.", "....SH..",
                                            "...SH...", "...H....", "........"};
    for (int Y = 0; Y < 9; ++Y)
        EXPECT_EQ(S.Row(Y, {H, D}), Expected[Y]) << "row " << Y;
}

TEST(BarStandardPainterTest, TheEnhancedMarkShowsItsCustomiseArrowAboveTheBottom) {
    ClassicColors Colors;
    TestSurface S(40, 26);
    const TdxBarControlState Bar = Toolbar(dsTop, 40, 26);
    const pg::TRect Mark = Enhanced().CalcMarkRect(Bar);
    ASSERT_EQ(Mark, (pg::TRect{29, 0, 40, 26}));
    Enhanced().DrawMarkGlyphs(Bar, S.DC(), Mark);
    // Corners (32, 19), (36, 19), (34, 21) in button text.
    const std::pair<char, pg::COLORREF> T{'T', Sys(pg::COLOR_BTNTEXT)};
    EXPECT_EQ(S.Row(18, {T}).substr(29), "...........");
    EXPECT_EQ(S.Row(19, {T}).substr(29), "...TTTTT...");
    EXPECT_EQ(S.Row(20, {T}).substr(29), "....TTT....");
    EXPECT_EQ(S.Row(21, {T}).substr(29), ".....T.....");
    EXPECT_EQ(S.Row(22, {T}).substr(29), "...........");
}

TEST(BarStandardPainterTest, TheEnhancedMarkFaceFollowsTheMarkState) {
    ClassicColors Colors;
    const pg::HBRUSH Brush = pg::CreateSolidBrush(pg::RGB(0, 200, 0));
    struct Case {
        int MarkState;
        pg::COLORREF TopLeft, BottomRight;
    };
    const Case Cases[] = {
        {0, pg::RGB(0, 200, 0), pg::RGB(0, 200, 0)},
        {1, Sys(pg::COLOR_BTNHIGHLIGHT), Sys(pg::COLOR_BTNSHADOW)},
        {2, Sys(pg::COLOR_BTNSHADOW), Sys(pg::COLOR_BTNHIGHLIGHT)},
    };
    for (const Case& C : Cases) {
        TestSurface S(11, 26);
        TdxBarControlState Bar = Toolbar(dsTop, 11, 26);
        Bar.MarkState = C.MarkState;
        Enhanced().DrawMarkBackground(Bar, S.DC(), Brush, {0, 0, 11, 26});
        EXPECT_EQ(S.At(0, 0), C.TopLeft) << C.MarkState;
        EXPECT_EQ(S.At(10, 25), C.BottomRight) << C.MarkState;
    }
    pg::DeleteObject(Brush);
}

TEST(BarStandardPainterTest, StandardHasTwoGripBarsEnhancedOneNarrower) {
    ClassicColors Colors;
    const pg::COLORREF Hi = Sys(pg::COLOR_BTNHIGHLIGHT), Sh = Sys(pg::COLOR_BTNSHADOW),
                       Face = Sys(pg::COLOR_BTNFACE);
    // A bar of 30 x 20: inside its raised edge from (2, 2); each grip bar a raised-inner edge
    // with button face inside.
    {
        TestSurface S(30, 20);
        Standard().DrawBarBorder(Toolbar(dsTop, 30, 20), S.DC(), {0, 0, 30, 20});
        EXPECT_EQ(S.At(4, 2), Hi);
        EXPECT_EQ(S.At(5, 10), Face);
        EXPECT_EQ(S.At(6, 10), Sh);
        EXPECT_EQ(S.At(4, 17), Hi) << "the far end's corner";
        EXPECT_EQ(S.At(7, 2), Hi);
        EXPECT_EQ(S.At(9, 10), Sh);
        EXPECT_EQ(S.At(10, 10), pg::RGB(1, 2, 3));
    }
    {
        TestSurface S(30, 20);
        Enhanced().DrawBarBorder(Toolbar(dsTop, 30, 20), S.DC(), {0, 0, 30, 20});
        EXPECT_EQ(S.At(3, 2), Hi);
        EXPECT_EQ(S.At(4, 10), Sh);
        EXPECT_EQ(S.At(5, 10), pg::RGB(1, 2, 3));
    }
    {
        // A bar that cannot dock has no grip.
        TestSurface S(30, 20);
        TdxBarControlState Bar = Toolbar(dsTop, 30, 20);
        Bar.Bar.CanDock = false;
        Standard().DrawBarBorder(Bar, S.DC(), {0, 0, 30, 20});
        EXPECT_EQ(S.At(4, 2), pg::RGB(1, 2, 3));
    }
    EXPECT_EQ(Standard().GetDragGripAreaSize(), 9);
    EXPECT_EQ(Enhanced().GetDragGripAreaSize(), 8);
}

TEST(BarStandardPainterTest, TheGlyphFrameEdgeFollowsTheState) {
    ClassicColors Colors;
    const pg::COLORREF Hi = Sys(pg::COLOR_BTNHIGHLIGHT), Sh = Sys(pg::COLOR_BTNSHADOW),
                       None = pg::RGB(1, 2, 3);
    struct Case {
        bool Down, Selected, Pressed, PlainMenu;
        pg::COLORREF TopLeft, BottomRight;
    };
    const Case Cases[] = {
        {true, false, false, false, Sh, Hi},      {false, true, false, false, Hi, Sh},
        {false, true, true, false, Sh, Hi},       {false, true, false, true, None, None},
        {false, false, false, false, None, None},
    };
    for (const Case& C : Cases) {
        TestSurface S(16, 16);
        TdxBarControlState Bar = Toolbar(dsNone, 100, 100);
        Bar.Kind = bckSubMenu;
        TdxBarItemControlState Item;
        Item.Parent = &Bar;
        TdxBarItemStates St;
        St.Down = C.Down;
        St.Selected = C.Selected;
        St.Pressed = C.Pressed;
        St.PlainMenuSelection = C.PlainMenu;
        St.PaintType = ptMenu;
        Standard().DrawGlyphFrame(Item, S.DC(), St, {0, 0, 16, 16}, false, {});
        EXPECT_EQ(S.At(0, 0), C.TopLeft) << C.Down << C.Selected << C.Pressed << C.PlainMenu;
        EXPECT_EQ(S.At(15, 15), C.BottomRight) << C.Down << C.Selected << C.Pressed;
    }
}

TEST(BarStandardPainterTest, TheEtchedLineHasItsHighlightOneRightAndDown) {
    ClassicColors Colors;
    TestSurface S(8, 4);
    Standard().DrawEtchedLine(S.DC(), {0, 1, 6, 2});
    const std::pair<char, pg::COLORREF> H{'H', Sys(pg::COLOR_BTNHIGHLIGHT)};
    const std::pair<char, pg::COLORREF> D{'S', Sys(pg::COLOR_BTNSHADOW)};
    EXPECT_EQ(S.Row(1, {H, D}), "SSSSSS..");
    EXPECT_EQ(S.Row(2, {H, D}), ".HHHHHH.");
}

TEST(BarStandardPainterTest, TheCheckMarkIsEmbossedWhenDisabled) {
    ClassicColors Colors;
    const TdxBarItemControlState Item;
    {
        TestSurface S(12, 12);
        const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, pg::RGB(0, 0, 0));
        const pg::HGDIOBJ Old = pg::SelectObject(S.DC(), Pen);
        Standard().DrawCheckMark(Item, S.DC(), 1, 1, 1, true);
        pg::SelectObject(S.DC(), Old);
        pg::DeleteObject(Pen);
        // The stroke's bottom at (4, 5), button face under it.
        EXPECT_EQ(S.At(2, 3), pg::RGB(0, 0, 0));
        EXPECT_EQ(S.At(4, 5), pg::RGB(0, 0, 0));
        EXPECT_EQ(S.At(4, 6), Sys(pg::COLOR_BTNFACE));
        EXPECT_EQ(S.At(4, 7), pg::RGB(1, 2, 3));
    }
    {
        TestSurface S(12, 12);
        Standard().DrawCheckMark(Item, S.DC(), 1, 1, 1, false);
        EXPECT_EQ(S.At(4, 5), Sys(pg::COLOR_BTNSHADOW));
        EXPECT_EQ(S.At(4, 6), Sys(pg::COLOR_BTNSHADOW));
        EXPECT_EQ(S.At(5, 7), Sys(pg::COLOR_BTNHIGHLIGHT));
    }
}

TEST(BarStandardPainterTest, ADisabledCheckedCellShowsTheEmbossedMark) {
    ClassicColors Colors;
    TdxBarItemControlState Item;
    Item.CheckStyle = Item.Checked = true;
    // A 16-pixel cell puts the mark at (3, 4): the second row of its stroke at (4, 7), the
    // highlight stroke of the disabled mark through (7, 10).
    struct Case {
        bool Enabled;
        pg::COLORREF SecondRow, Under;
    };
    const Case Cases[] = {{true, Sys(pg::COLOR_BTNFACE), Sys(pg::COLOR_WINDOW)},
                          {false, Sys(pg::COLOR_BTNSHADOW), Sys(pg::COLOR_BTNHIGHLIGHT)}};
    for (const Case& C : Cases) {
        TdxBarItemStates S;
        S.Enabled = C.Enabled;
        TestSurface Surface(16, 16);
        Standard().DrawCheckCell(Item, Surface.DC(), {0, 0, 16, 16}, S,
                                 pg::GetSysColorBrush(pg::COLOR_WINDOW), false);
        EXPECT_EQ(Surface.At(4, 7), C.SecondRow) << C.Enabled;
        EXPECT_EQ(Surface.At(7, 10), C.Under) << C.Enabled;
    }
}

TEST(BarStandardPainterTest, TheGlyphCellBrushFollowsTheState) {
    TdxBarControlState Bar = Toolbar(dsNone, 100, 100);
    Bar.BkBrush = pg::GetSysColorBrush(pg::COLOR_WINDOW);
    TdxBarItemControlState Item;
    Item.Parent = &Bar;
    struct Case {
        bool Down, Selected, PlainMenu;
        pg::HBRUSH Brush;
    };
    const Case Cases[] = {
        {true, true, false, Standard().GetDownBrush(Bar)},
        {true, false, false, Standard().GetCheckedBrush(Bar)},
        {false, true, true, Standard().GetHotBrush(Bar)},
        {false, true, false, Bar.BkBrush},
        {false, false, false, Bar.BkBrush},
    };
    for (const Case& C : Cases) {
        TdxBarItemStates St;
        St.PaintType = ptMenu;
        St.Down = C.Down;
        St.Selected = C.Selected;
        St.PlainMenuSelection = C.PlainMenu;
        EXPECT_EQ(Standard().GetGlyphCellBrush(Item, St), C.Brush)
            << C.Down << C.Selected << C.PlainMenu;
    }
}

// A menu's separator line keeps clear of the menu's edges: by 2 pixels in the Standard style, by
// 12 in the Enhanced one, at either end; the line is etched, its shadow above its highlight.
TEST(BarStandardPainterTest, TheMenuSeparatorLineKeepsItsIndentFromBothEdges) {
    ClassicColors Colors;
    const std::pair<char, pg::COLORREF> H{'H', Sys(pg::COLOR_BTNHIGHLIGHT)};
    const std::pair<char, pg::COLORREF> D{'S', Sys(pg::COLOR_BTNSHADOW)};
    const struct {
        const TdxBarItemControlPainter* Painter;
        const char *Shadow, *Highlight;
    } Cases[] = {
        {&Standard(), "..SSSSSSSSSSSSSSSSSSSSSSSSSS..", "..HHHHHHHHHHHHHHHHHHHHHHHHHH.."},
        {&Enhanced(), "............SSSSSS............", "............HHHHHH............"},
    };
    for (const auto& C : Cases) {
        TestSurface S(30, 4);
        C.Painter->DrawSubMenuSeparatorLine(S.DC(), {0, 1, 30, 3});
        EXPECT_EQ(S.Row(1, {H, D}), C.Shadow) << C.Painter->ClassType().ClassName();
        EXPECT_EQ(S.Row(2, {H, D}), C.Highlight) << C.Painter->ClassType().ClassName();
    }
}

TEST(BarStandardPainterTest, MetricsOfTheTwoPainters) {
    EXPECT_FALSE(Standard().HasHotMark());
    EXPECT_TRUE(Enhanced().HasHotMark());
    EXPECT_EQ(Enhanced().GetSubMenuSeparatorHeight(Toolbar(dsNone, 1, 1)), 2);
    EXPECT_EQ(Enhanced().GetPressedGlyphOffset({}, true), 1);
    EXPECT_EQ(Enhanced().GetDropDownListBorder(), 2);
}

TEST(BarStandardPainterTest, APressedDropDownPartMovesTheCaptionOnceMoreThanThePressedFlag) {
    struct Case {
        bool PartPressed, Pressed;
        int Shift;
    };
    const Case Cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 1}, {true, true, 2}};
    for (const Case& C : Cases) {
        TdxBarItemControlState Item;
        Item.DropDownPartPressed = C.PartPressed;
        pg::TRect R{10, 10, 30, 20};
        Enhanced().OffsetPressedCaption(Item, C.Pressed, R);
        EXPECT_EQ(R, (pg::TRect{10 + C.Shift, 10 + C.Shift, 30 + C.Shift, 20 + C.Shift}))
            << C.PartPressed << C.Pressed;
        // The plain rectangle offset knows no drop-down part.
        pg::TRect Plain{10, 10, 30, 20};
        Enhanced().OffsetPressedRect(Item, C.Pressed, Plain);
        EXPECT_EQ(Plain.Left, C.Pressed ? 11 : 10);
    }
}

TEST(BarStandardPainterTest, TheComboButtonIsStoredAndDrawnByState) {
    ClassicColors Colors;
    const pg::COLORREF Hi = Sys(pg::COLOR_BTNHIGHLIGHT), Sh = Sys(pg::COLOR_BTNSHADOW),
                       Face = Sys(pg::COLOR_BTNFACE), Text = Sys(pg::COLOR_BTNTEXT);
    // A combo 40 x 20 whose button is the last 11 pixels: (29, 0, 40, 20); the arrow 5 wide
    // (half of 11, odd), 3 high, centred in the inside (30, 1, 39, 19): rows 8 to 10 from x 32.
    struct Case {
        bool Selected, Enabled, DroppedDown;
        pg::COLORREF TopLeft, BottomRight, Inside, ArrowTop, BelowArrow;
    };
    const Case Cases[] = {
        {false, true, false, Hi, Hi, Face, Text, Face},
        {true, true, false, Hi, Sh, Face, Text, Face},
        {true, true, true, Sh, Hi, Face, Face, Text},
        {false, false, false, Face, Face, Face, Sh, Hi},
    };
    for (const Case& C : Cases) {
        TestSurface S(40, 20);
        TdxBarControlState Bar = Toolbar(dsTop, 100, 20);
        Bar.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
        TdxBarItemControlState Item;
        Item.Parent = &Bar;
        TdxBarItemStates St;
        St.Enabled = C.Enabled;
        St.DroppedDown = C.DroppedDown;
        Standard().DrawComboButton(Item, S.DC(), C.Selected, {0, 0, 40, 20}, St);
        const std::string Label =
            std::to_string(C.Selected) + std::to_string(C.Enabled) + std::to_string(C.DroppedDown);
        EXPECT_EQ(Item.ComboButtonRect, (pg::TRect{29, 0, 40, 20})) << Label;
        EXPECT_EQ(S.At(29, 0), C.TopLeft) << Label;
        EXPECT_EQ(S.At(39, 19), C.BottomRight) << Label;
        EXPECT_EQ(S.At(31, 2), C.Inside) << Label;
        // Dropped down the arrow sits one right and lower: its tip at (35, 11).
        EXPECT_EQ(S.At(34, 8), C.ArrowTop) << Label;
        EXPECT_EQ(S.At(35, 11), C.BelowArrow) << Label;
        EXPECT_EQ(S.At(28, 10), pg::RGB(1, 2, 3)) << "left of the button " << Label;
        if (!C.Enabled) {
            EXPECT_EQ(S.At(37, 9), Hi) << "the disabled arrow's highlight copy";
        }
    }
}

TEST(BarStandardPainterTest, ASelectedMenuRowHighlightsItsTextAreaButNotItsGlyphCell) {
    ClassicColors Colors;
    const pg::COLORREF Highlight = Sys(pg::COLOR_HIGHLIGHT), Face = Sys(pg::COLOR_BTNFACE);
    struct Case {
        bool Selected, Enabled;
        pg::COLORREF Gap, Text;
    };
    const Case Cases[] = {
        {true, true, Highlight, Highlight},
        {false, true, Face, Face},
        // A disabled entry keeps the menu's colour even while selected.
        {true, false, Face, Face},
    };
    for (const Case& C : Cases) {
        TestSurface S(100, 20);
        TdxBarControlState Menu;
        Menu.Kind = bckSubMenu;
        Menu.Canvas = &S.Canvas();
        Menu.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
        TdxBarItemControlState Item;
        Item.Parent = &Menu;
        TdxBarItemStates St;
        St.PaintType = ptMenu;
        St.Selected = C.Selected;
        St.Enabled = C.Enabled;
        Standard().DrawMenuButton(Item, S.DC(), {0, 0, 100, 20}, St);
        // The glyph cell (0, 0, 20, 20), the gap column at x 20, the text area from 21.
        EXPECT_NE(S.At(10, 10), Highlight) << C.Selected << C.Enabled;
        EXPECT_EQ(S.At(20, 10), C.Gap) << C.Selected << C.Enabled;
        EXPECT_EQ(S.At(90, 1), C.Text) << C.Selected << C.Enabled;
    }
}

TEST(BarStandardPainterTest, TheMarkInteriorIsTheBarBackground) {
    ClassicColors Colors;
    const pg::HBRUSH Brush = pg::CreateSolidBrush(pg::RGB(0, 200, 0));
    for (int State = 0; State <= 2; ++State) {
        TdxBarControlState Bar = Toolbar(dsTop, 11, 26);
        Bar.MarkState = State;
        TestSurface E(11, 26);
        Enhanced().DrawMarkBackground(Bar, E.DC(), Brush, {0, 0, 11, 26});
        EXPECT_EQ(E.At(5, 12), pg::RGB(0, 200, 0)) << State;
        EXPECT_EQ(E.At(1, 1), pg::RGB(0, 200, 0)) << State;
        TestSurface S(11, 9);
        Standard().DrawMarkBackground(Bar, S.DC(), Brush, {0, 0, 11, 9});
        EXPECT_EQ(S.At(0, 0), pg::RGB(0, 200, 0)) << State;
        EXPECT_EQ(S.At(10, 8), pg::RGB(0, 200, 0)) << State;
    }
    pg::DeleteObject(Brush);
}

class BarStandardManagerTest : public testing_support::BarPainterFixture {};

TEST_F(BarStandardManagerTest, AMainMenuCloseButtonIsFlatInsideItsOwnEdgeWhenAskedFor) {
    const pg::COLORREF Hi = Sys(pg::COLOR_BTNHIGHLIGHT), Sh = Sys(pg::COLOR_BTNSHADOW);
    TdxBarControlState Bar = Toolbar(dsTop, 200, 20);
    Bar.Manager = Manager;
    Bar.Bar.IsMainMenu = true;
    Bar.MDIChildHasSystemMenu = true;
    Bar.ShowsAllMDIButtons = false;
    Manager->SetFlatCloseButton(true);
    struct Case {
        int State;
        pg::COLORREF TopLeft, BottomRight;
    };
    for (const Case& C : {Case{0, Hi, Sh}, Case{2, Sh, Hi}}) {
        TestSurface S(16, 14);
        Standard().DrawMDIButton(Bar, 2, S.DC(), {0, 0, 16, 14}, C.State);
        EXPECT_EQ(S.At(0, 0), C.TopLeft) << C.State;
        EXPECT_EQ(S.At(15, 13), C.BottomRight) << C.State;
    }
    // Any of the conditions missing: the system's three-dimensional caption button, whose
    // outer bottom-right is the dark shadow.
    auto SystemButton = [&](TdxBarControlState B) {
        TestSurface S(16, 14);
        Standard().DrawMDIButton(B, 2, S.DC(), {0, 0, 16, 14}, 0);
        return S.At(15, 13) == Sys(pg::COLOR_3DDKSHADOW);
    };
    TdxBarControlState AllShown = Bar;
    AllShown.ShowsAllMDIButtons = true;
    EXPECT_TRUE(SystemButton(AllShown));
    TdxBarControlState NoSystemMenu = Bar;
    NoSystemMenu.MDIChildHasSystemMenu = false;
    EXPECT_TRUE(SystemButton(NoSystemMenu));
    Manager->SetFlatCloseButton(false);
    EXPECT_TRUE(SystemButton(Bar));
}

TEST_F(BarStandardManagerTest, TheNonRecentBandFramesItsRunOfEntries) {
    const pg::COLORREF Hi = Sys(pg::COLOR_BTNHIGHLIGHT), Sh = Sys(pg::COLOR_BTNSHADOW);
    const pg::HBRUSH Menu = pg::CreateSolidBrush(pg::RGB(0, 200, 0));
    TdxBarItemLinks Links(Manager, nullptr);
    std::vector<TdxBarItemControlState> Entries(4);
    TdxBarControlState Bar;
    Bar.Kind = bckSubMenu;
    Bar.Manager = Manager;
    Bar.BkBrush = Menu;
    for (std::size_t I = 0; I < Entries.size(); ++I) {
        Entries[I].Parent = &Bar;
        Entries[I].Item = &Form->Own<TdxBarButton>();
        Entries[I].Link = Links.Add(Entries[I].Item);
        Entries[I].NonRecent = I >= 2;
        Bar.VisibleEntries.push_back(&Entries[I]);
    }
    // Rows 20 high from y 0; the second and third entries start groups.
    Entries[1].Link->SetBeginGroup(true);
    Entries[2].Link->SetBeginGroup(true);
    ASSERT_TRUE(Entries[1].Link->BeginGroup());
    TestSurface S(50, 80);
    for (int I = 0; I < 4; ++I)
        Standard().DrawNonRecentBand(Bar, S.DC(), I, {0, I * 20, 50, I * 20 + 20});
    const pg::COLORREF None = pg::RGB(1, 2, 3), Green = pg::RGB(0, 200, 0);
    EXPECT_EQ(S.At(25, 5), None) << "a recent entry draws no band";
    EXPECT_EQ(S.At(25, 19), Hi) << "the group line above a recent entry";
    EXPECT_EQ(S.At(25, 39), Sh) << "the group line above a non-recent entry";
    EXPECT_EQ(S.At(25, 40), Hi) << "the band's first entry";
    EXPECT_EQ(S.At(0, 50), Green);
    EXPECT_EQ(S.At(49, 50), Green);
    EXPECT_EQ(S.At(25, 50), None);
    EXPECT_EQ(S.At(25, 60), None) << "the second entry of the run has no top line";
    EXPECT_EQ(S.At(25, 79), Green) << "the last entry closes the band";
    EXPECT_EQ(S.At(0, 79), Hi) << "and marks its corner";
    EXPECT_EQ(S.At(25, 59), None) << "no bottom line before the last entry";
    // A detachable menu's band starts without the top line.
    Bar.Detachable = true;
    TestSurface D(50, 20);
    Standard().DrawNonRecentBand(Bar, D.DC(), 2, {0, 0, 50, 20});
    EXPECT_EQ(D.At(25, 0), None);
    pg::DeleteObject(Menu);
}

} // namespace
} // namespace toolkit::bars
