// The Standard and Enhanced painters on our own surfaces with the classic system colours: the
// mark's size and place, the chevrons, grips and edges they draw, and the drop-down part.

#include "toolkit/bars/dx_bar_painter_standard.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/objects.h"

#include <gtest/gtest.h>

#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

const TdxBarItemControlStandardPainter& Standard() {
    return TdxBarItemControlStandardPainter::Instance();
}
const TdxBarItemControlEnhancedPainter& Enhanced() {
    return TdxBarItemControlEnhancedPainter::Instance();
}

pg::COLORREF Sys(int Index) {
    return pg::GetSysColor(Index);
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
    {
        TestSurface S(12, 12);
        const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, pg::RGB(0, 0, 0));
        const pg::HGDIOBJ Old = pg::SelectObject(S.DC(), Pen);
        Standard().DrawCheckMark(S.DC(), 1, 1, 1);
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
        Standard().DrawCheckMark(S.DC(), 1, 1, -1);
        EXPECT_EQ(S.At(4, 5), Sys(pg::COLOR_BTNSHADOW));
        EXPECT_EQ(S.At(4, 6), Sys(pg::COLOR_BTNSHADOW));
        EXPECT_EQ(S.At(5, 7), Sys(pg::COLOR_BTNHIGHLIGHT));
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

TEST(BarStandardPainterTest, MetricsOfTheTwoPainters) {
    EXPECT_EQ(Standard().GetMenuSeparatorIndent(), 2);
    EXPECT_EQ(Enhanced().GetMenuSeparatorIndent(), 12);
    EXPECT_FALSE(Standard().HasHotMark());
    EXPECT_TRUE(Enhanced().HasHotMark());
    EXPECT_EQ(Enhanced().GetSubMenuSeparatorHeight(Toolbar(dsNone, 1, 1)), 2);
    EXPECT_EQ(Enhanced().GetPressedGlyphOffset({}, true), 1);
    EXPECT_EQ(Enhanced().GetDropDownListBorder(), 2);
}

} // namespace
} // namespace toolkit::bars
