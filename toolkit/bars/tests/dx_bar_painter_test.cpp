// The base painter on our own surfaces, with the classic system colours: its answers, an
// override seen inside inherited bodies, and a body run as another painter class.

#include "toolkit/bars/dx_bar_painter.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/text_out.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace toolkit::bars
