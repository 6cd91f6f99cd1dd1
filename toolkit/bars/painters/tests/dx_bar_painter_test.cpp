// The base painter on our own surfaces, with the classic system colours: its answers, an
// override seen inside inherited bodies, and a body run as another painter class.

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/painters/tests/dx_bar_painter_fixture.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/text_out.h"

#include <gtest/gtest.h>

#include <memory>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pc = platform::core;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

const TdxBarItemControlPainter& Base() {
    return TdxBarItemControlPainter::Instance();
}

// Stands for the Flat painter: its own text colours and a wider separator.
class TFlatStandIn : public TdxBarItemControlPainter {
public:
    static const TFlatStandIn& Instance() {
        static const TFlatStandIn instance;
        return instance;
    }
    const pc::TClass& ClassType() const override { return TdxBarItemControlFlatPainterClassRef(); }
    void GetTextColors(const Item&, bool, bool, bool, TColor& Emboss, TColor& Text) const override {
        Emboss = Text = 0x0000FF;
    }
    int GetToolbarSeparatorSize() const override { return 10; }
};

// A style that draws its separator with the base body run as Flat.
class TAsFlat : public TdxBarItemControlPainter {
public:
    void DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                              HBRUSH Brush) const override {
        dxBarPainter(TdxBarItemControlFlatPainterClassRef())
            .TdxBarItemControlPainter::DrawToolbarSeparator(ABar, DC, R, Across, Brush);
    }
};

TEST(BarPainterTest, BaseAnswers) {
    EXPECT_TRUE(Base().IsSmallMark({}, {0, 0, 11, 16}));
    EXPECT_FALSE(Base().IsSmallMark({}, {0, 0, 11, 17}));
    EXPECT_EQ(Base().GetSubMenuArrowSize(19), 6);
    EXPECT_EQ(Base().GetSubMenuArrowSize(7), 0);
    EXPECT_EQ(Base().GetFadedImageColor({}), TdxBarItemControlPainter::clNoColor);
    EXPECT_EQ(Base().GetToolbarSeparatorOffset(), 2);
}

TEST(BarPainterTest, TheMenuBrushValuePaintsButtonFace) {
    ClassicColors Colors;
    TestSurface S(4, 4);
    const pg::TRect R{0, 0, 4, 4};
    pg::FillRect(S.DC(), &R, Base().GetSubMenuBrush({}));
    EXPECT_EQ(S.At(1, 1), pg::GetSysColor(pg::COLOR_BTNFACE));
}

TEST(BarPainterTest, AnEmptyMenuIsOneHundredWide) {
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    pg::TSize Size{0, 40};
    Base().CalcSubMenuSize(Menu, Size);
    EXPECT_EQ(Size.cx, 100);
    EXPECT_EQ(Size.cy, 44);
    Size = {50, 40};
    Base().CalcSubMenuSize(Menu, Size);
    EXPECT_EQ(Size.cx, 50 + 3 + 6);
}

// The glyph cell of a selected item without image: the fill leaves a one-pixel rim for the
// frame only when the cell has a pixel to spare around the glyph size.
TEST(BarPainterTest, TheGlyphCellIsFramedFromGlyphSizePlusTwo) {
    ClassicColors Colors;
    TdxBarUnit Unit;
    for (const int Side : {18, 17}) {
        TestSurface S(20, 20);
        pg::TCanvas& Canvas = S.Canvas();
        TdxBarControlState Window;
        Window.Canvas = &Canvas;
        TdxBarItemControlState Item;
        Item.Parent = &Window;
        TdxBarItemStates States;
        States.Selected = true;
        Window.BkBrush = pg::GetSysColorBrush(pg::COLOR_HIGHLIGHT);
        Base().DrawGlyphCell(Item, {0, 0, Side, Side}, States, {}, true, false);
        const bool Framed = S.At(0, 0) == pg::RGB(1, 2, 3);
        EXPECT_EQ(Framed, Side == 18) << Side;
        EXPECT_EQ(S.At(5, 5), pg::GetSysColor(pg::COLOR_HIGHLIGHT)) << Side;
    }
}

// The column where a turned caption's underline falls, and its colour count there.
int UnderlinePixels(const std::string& Caption, int& Length) {
    TestSurface S(60, 80, 0xFFFFFF);
    TdxBarItemControlState Item;
    const pg::TRect R{0, 0, 60, 80};
    pg::TSize Text{}, F{};
    pg::GetTextExtentPoint32(S.DC(), "File", 4, &Text);
    pg::GetTextExtentPoint32(S.DC(), "F", 1, &F);
    Length = F.cx;
    Base().DrawCaption(Item, S.DC(), R, Caption, false, true, false, false, true, 0);
    const int X = (60 + Text.cy) / 2 - Text.cy;
    int N = 0;
    for (int Y = 0; Y < 80; ++Y)
        N += S.At(X, Y) == pg::GetSysColor(pg::COLOR_BTNTEXT);
    return N;
}

TEST(BarPainterTest, AVerticalAcceleratorGetsAOnePixelUnderlineBesideItsCharacter) {
    ClassicColors Colors;
    int Length = 0;
    EXPECT_EQ(UnderlinePixels("&File", Length), Length);
    EXPECT_GT(Length, 0);
    EXPECT_EQ(UnderlinePixels("&&File", Length), 0);
}

TEST(BarPainterTest, AnOverrideIsSeenInsideTheInheritedCaptionBody) {
    TestSurface S(60, 20, 0xFFFFFF);
    TdxBarItemControlState Item;
    TFlatStandIn::Instance().DrawCaption(Item, S.DC(), {0, 0, 60, 20}, "MMM", false, true, false,
                                         false, false, 0);
    int Red = 0;
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 60; ++X)
            Red += S.At(X, Y) == 0x0000FF;
    EXPECT_GT(Red, 0);
}

TEST(BarPainterTest, ABodyRunAsFlatAsksFlatForItsAnswers) {
    ClassicColors Colors;
    TdxBarPainterRegistration Flat(TFlatStandIn::Instance());
    static const TAsFlat Style;
    TestSurface S(20, 10);
    TdxBarControlState Window;
    Window.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    Style.DrawToolbarSeparator(Window, S.DC(), {0, 0, 10, 10}, false, Window.BkBrush);
    // Flat's separator size 10 puts the line 4 pixels in, not the base's 2.
    EXPECT_EQ(S.At(2, 5), pg::GetSysColor(pg::COLOR_BTNFACE));
    EXPECT_EQ(S.At(4, 5), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(5, 5), pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
}

// Drawing with a real manager and button.
class BarPainterDrawingTest : public testing_support::BarPainterFixture {
protected:
    BarPainterDrawingTest() {
        Button = &Form->Own<TdxBarButton>();
        Button->SetCaption("&Open");
        Window.Manager = Manager;
        Window.BkBrush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
        Item.Parent = &Window;
        Item.Item = Button;
    }

    TdxBarButton* Button = nullptr;
    TdxBarControlState Window;
    TdxBarItemControlState Item;
};

// Moves a Down glyph one pixel right and down.
class TDownOffset : public TdxBarItemControlPainter {
public:
    int GetDownGlyphOffset(const Item&) const override { return 1; }
};

// The marked glyph drawn in a 20 x 20 menu cell: scaled to the cell by the reference glyph
// size, offset when Down.
TEST_F(BarPainterDrawingTest, TheGlyphIsScaledToTheMenuCellAndOffsetWhenDown) {
    platform::forms::TBitmap Glyph;
    testing_support::MakeMarkedGlyph(Glyph);
    Button->SetGlyph(Glyph);
    Window.Kind = bckSubMenu;
    Window.ReferenceGlyphSize = 10;
    static const TDownOffset Offset;
    struct {
        bool Scale, Down;
        int RedLeft, RedSize;
    } const Cases[] = {
        {false, false, 9, 1}, {false, true, 10, 1}, {true, false, 8, 2}, {true, true, 9, 2}};
    for (const auto& C : Cases) {
        TestSurface S(20, 20);
        Window.Canvas = &S.Canvas();
        Window.ScaleMenuGlyphs = C.Scale;
        TdxBarItemStates States;
        States.PaintType = ptMenu;
        States.Down = C.Down;
        Offset.DrawGlyph(Item, {0, 0, 20, 20}, States);
        const testing_support::GlyphMarkSpot Red = testing_support::FindGlyphMark(S);
        EXPECT_EQ(Red.Count, C.RedSize * C.RedSize) << C.Scale << C.Down;
        EXPECT_EQ(Red.Left, C.RedLeft) << C.Scale << C.Down;
        EXPECT_EQ(Red.Top, C.RedLeft) << C.Scale << C.Down;
    }
}

// An empty range draws an empty bar (the background only) instead of dividing by zero.
TEST_F(BarPainterDrawingTest, AProgressBarWithAnEmptyRangeIsEmpty) {
    for (const bool Solid : {true, false}) {
        TestSurface S(30, 10);
        Base().DrawProgressBar(Item, S.DC(), {0, 0, 30, 10}, 5, 5, 5, false, Solid,
                               pg::clHighlight);
        EXPECT_EQ(S.Row(5, {{'f', pg::GetSysColor(pg::COLOR_BTNFACE)}}), std::string(30, 'f'))
            << Solid;
    }
    TestSurface S(30, 10);
    Base().DrawProgressBar(Item, S.DC(), {0, 0, 30, 10}, 0, 10, 5, false, true, pg::clHighlight);
    EXPECT_EQ(S.Row(5, {{'f', pg::GetSysColor(pg::COLOR_BTNFACE)},
                        {'h', pg::GetSysColor(pg::COLOR_HIGHLIGHT)}}),
              std::string(15, 'h') + std::string(15, 'f'));
}

TEST_F(BarPainterDrawingTest, SubItemSizes) {
    TestSurface S(4, 4);
    const pg::HGDIOBJ Old = pg::SelectObject(S.DC(), Manager->Font().Handle());
    pg::TSize Text{};
    pg::GetTextExtentPoint32(S.DC(), "Open", 4, &Text);
    pg::SelectObject(S.DC(), Old);
    Window.RowSize = 20;
    // A toolbar: the caption, the indent on both sides (no glyph), half a row for the arrow.
    EXPECT_EQ(Base().CalcSubItemWidth(Item), Text.cx + 2 * Base().GetSubItemTextIndent(Item) + 10);
    EXPECT_EQ(Base().CalcSubItemHeight(Item), 20);
    Window.Bar.IsMainMenu = true;
    EXPECT_EQ(Base().CalcSubItemWidth(Item), Text.cx + 2 * Base().GetSubItemTextIndent(Item));
    Window.ShowsCaptions = false;
    EXPECT_EQ(Base().CalcSubItemWidth(Item), Manager->ButtonWidth());
    Window.Kind = bckSubMenu;
    EXPECT_EQ(Base().CalcSubItemWidth(Item), Text.cx + 2 * 20 + 3);
    EXPECT_EQ(Base().CalcSubItemHeight(Item), std::max(20, Manager->ButtonHeight()));
}

// Selected: a sunken outer rim, then the inner rim in the current brush; disabled, the inner
// rim is button highlight.
TEST_F(BarPainterDrawingTest, TheEditBorderByState) {
    const pg::COLORREF Shadow = pg::GetSysColor(pg::COLOR_BTNSHADOW);
    const pg::COLORREF Light = pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT);
    const pg::COLORREF Face = pg::GetSysColor(pg::COLOR_BTNFACE);
    {
        TestSurface S(12, 12);
        pg::TRect R{0, 0, 12, 12};
        Base().DrawEditBorder(Item, S.DC(), R, true);
        EXPECT_EQ(S.At(0, 5), Shadow);
        EXPECT_EQ(S.At(11, 5), Light);
        EXPECT_EQ(S.At(1, 5), Face);
        EXPECT_EQ(S.At(2, 5), pg::RGB(1, 2, 3));
        EXPECT_EQ(R.Left, 2);
        EXPECT_EQ(R.Bottom, 10);
    }
    Button->SetEnabled(false);
    TestSurface S(12, 12);
    pg::TRect R{0, 0, 12, 12};
    Base().DrawEditBorder(Item, S.DC(), R, false);
    EXPECT_EQ(S.At(0, 5), Face);
    EXPECT_EQ(S.At(1, 5), Light);
    EXPECT_EQ(S.At(2, 5), pg::RGB(1, 2, 3));
}

// The line below the caption in the brush; the close button's square at the right end; the
// text area filled with the caption colour.
TEST_F(BarPainterDrawingTest, TheFloatingCaption) {
    TestSurface S(80, 20);
    Window.Bar.Caption = "Tools";
    Window.Active = true;
    pg::TRect Close{};
    Window.OnDrawCloseButton = [&Close](pg::HDC, const pg::TRect& R) { Close = R; };
    const pg::TRect R{0, 0, 80, 16};
    Base().DrawFloatingCaption(Window, S.DC(), R, pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
    const int Small = Base().GetSmallCaptionHeight();
    EXPECT_EQ(Close.Left, 80 - Small);
    EXPECT_EQ(Close.Right, 80);
    EXPECT_EQ(S.At(40, 16), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(40, 17), pg::RGB(1, 2, 3));
    EXPECT_EQ(S.At(1, 1), pg::GetSysColor(pg::COLOR_ACTIVECAPTION));
    EXPECT_EQ(S.At(80 - Small, 1), pg::RGB(1, 2, 3)) << "the close button's square is its own";
    int Text = 0;
    for (int X = 0; X < 80 - Small; ++X)
        Text += S.At(X, 8) == pg::GetSysColor(pg::COLOR_CAPTIONTEXT);
    EXPECT_GT(Text, 0);
}

// The group separator: an etched line across the strip's middle, the rest the menu's fill; the
// strip is kept, one pixel higher for a non-recent entry.
TEST_F(BarPainterDrawingTest, TheMenuGroupSeparator) {
    Window.Kind = bckSubMenu;
    TestSurface S(20, 12);
    Base().DrawSubMenuSeparator(Window, S.DC(), {0, 2, 20, 10}, Item);
    EXPECT_EQ(S.At(10, 5), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(10, 6), pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(S.At(10, 2), pg::GetSysColor(pg::COLOR_BTNFACE));
    EXPECT_EQ(S.At(10, 9), pg::GetSysColor(pg::COLOR_BTNFACE));
    EXPECT_EQ(S.At(10, 1), pg::RGB(1, 2, 3));
    EXPECT_EQ(Item.SeparatorRect.Top, 2);
    Item.NonRecent = true;
    Base().DrawSubMenuSeparator(Window, S.DC(), {0, 2, 20, 10}, Item);
    EXPECT_EQ(Item.SeparatorRect.Top, 1);
}

} // namespace
} // namespace toolkit::bars
