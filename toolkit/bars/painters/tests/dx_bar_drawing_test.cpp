// The bar unit's shared drawing routines on our own surfaces, with the classic system colours.

#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"

#include <gtest/gtest.h>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pf = platform::forms;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

constexpr pg::COLORREF Magenta = 0xFF00FF;
constexpr pg::COLORREF Red = 0x0000FF;
constexpr pg::COLORREF Green = 0x00FF00;

int CountColor(const TestSurface& S, pg::COLORREF Color, int W, int H) {
    int N = 0;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            N += S.At(X, Y) == Color;
    return N;
}

TEST(BarDrawingTest, AnArrowInATinyRectangleIsStillOfSizeThree) {
    ClassicColors Colors;
    for (const bool Down : {true, false}) {
        TestSurface S(20, 20);
        DrawArrowInRect(S.DC(), {5, 5, 8, 8}, Down, true, false, false);
        // A triangle of size 3: rows (or columns) of 5, 3 and 1 pixels.
        EXPECT_EQ(CountColor(S, pg::GetSysColor(pg::COLOR_BTNTEXT), 20, 20), 9) << Down;
    }
}

TEST(BarDrawingTest, ArrowSizeFollowsTheRectangle) {
    ClassicColors Colors;
    // Down: v = width - 8 = 9, size 4 + 1 = 5: 9 + 7 + 5 + 3 + 1 pixels.
    TestSurface S(30, 30);
    DrawArrowInRect(S.DC(), {0, 0, 17, 20}, true, true, false, false);
    EXPECT_EQ(CountColor(S, pg::GetSysColor(pg::COLOR_BTNTEXT), 30, 30), 25);
}

TEST(BarDrawingTest, AFillWithAnEmptyBitmapAndNoBrushPaintsTheSystemColour) {
    ClassicColors Colors;
    TestSurface S(10, 10);
    pf::TBitmap Empty;
    FillBackground(S.DC(), {2, 2, 8, 8}, {0, 0, 6, 6}, &Empty, pg::COLOR_HIGHLIGHT, {});
    EXPECT_EQ(S.At(2, 2), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(S.At(7, 7), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(S.At(8, 8), pg::RGB(1, 2, 3));
    FillBackground(S.DC(), {0, 0, 1, 1}, {0, 0, 1, 1}, nullptr, pg::COLOR_HIGHLIGHT,
                   pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(0, 0), pg::GetSysColor(pg::COLOR_BTNSHADOW));
}

TEST(BarDrawingTest, TilesAnchorAtTheSourceRectangle) {
    TestSurface S(12, 4);
    pf::TBitmap Tile;
    Tile.SetSize(4, 4);
    Tile.Canvas().Brush().SetColor(Red);
    Tile.Canvas().FillRect({0, 0, 4, 4});
    Tile.Canvas().Brush().SetColor(Green);
    Tile.Canvas().FillRect({0, 0, 1, 4});
    // Source x 2..10 falls on dest 0..8: tile columns start at source 0, 4, 8 = dest -2, 2, 6.
    FillBackground(S.DC(), {0, 0, 8, 4}, {2, 0, 10, 4}, &Tile, pg::COLOR_BTNFACE, {});
    EXPECT_EQ(S.Row(0, {{'g', Green}, {'r', Red}}), "rrgrrrgr....");
}

TEST(BarDrawingTest, RestoringAClipWhenThereWasNoneLeavesNone) {
    TestSurface S(10, 10);
    TdxClipRgnSave Saved = SaveClipRgn(S.DC());
    EXPECT_FALSE(Saved.HadRegion);
    pg::IntersectClipRect(S.DC(), 0, 0, 2, 2);
    RestoreClipRgn(S.DC(), Saved);
    const pg::HRGN Probe = pg::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(pg::GetClipRgn(S.DC(), Probe), 0);
    pg::DeleteObject(Probe);

    pg::IntersectClipRect(S.DC(), 0, 0, 3, 3);
    Saved = SaveClipRgn(S.DC());
    EXPECT_TRUE(Saved.HadRegion);
    pg::SelectClipRgn(S.DC(), {});
    RestoreClipRgn(S.DC(), Saved);
    const pg::TRect All{0, 0, 10, 10};
    pg::FillRect(S.DC(), &All, pg::GetSysColorBrush(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(S.At(2, 2), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(S.At(3, 3), pg::RGB(1, 2, 3));
}

// A 4 x 4 glyph on magenta with one red pixel at (1, 1).
void MakeGlyph(pf::TBitmap& Glyph) {
    Glyph.SetSize(4, 4);
    Glyph.Canvas().Brush().SetColor(Magenta);
    Glyph.Canvas().FillRect({0, 0, 4, 4});
    Glyph.Canvas().Brush().SetColor(Red);
    Glyph.Canvas().FillRect({1, 1, 2, 2});
}

TEST(BarDrawingTest, AGlyphShowsTheBackgroundThroughItsTransparentColour) {
    ClassicColors Colors;
    TdxBarUnit Unit;
    TestSurface S(10, 10);
    pf::TBitmap Glyph;
    MakeGlyph(Glyph);
    const pg::HBRUSH Brush = pg::CreateSolidBrush(Green);
    TdxBarGlyphParams P;
    P.Brush = Brush;
    P.ItemRect = {0, 0, 10, 10};
    P.GlyphRect = {3, 3, 7, 7};
    P.Glyph = &Glyph;
    DrawBarItemGlyph(S.DC(), P);
    pg::DeleteObject(Brush);
    EXPECT_EQ(S.At(4, 4), Red);
    EXPECT_EQ(S.At(3, 3), Green);
    EXPECT_EQ(S.At(6, 6), Green);
    EXPECT_EQ(S.At(0, 0), Green);
}

TEST(BarDrawingTest, ADisabledGlyphIsEmbossedWithHighlightOneRightAndDown) {
    ClassicColors Colors;
    TdxBarUnit Unit;
    pf::TBitmap Glyph;
    MakeGlyph(Glyph);
    for (const bool Flat : {false, true}) {
        TestSurface S(10, 10);
        TdxBarGlyphParams P;
        P.Brush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
        P.ItemRect = {0, 0, 10, 10};
        P.GlyphRect = {3, 3, 7, 7};
        P.Glyph = &Glyph;
        P.Enabled = false;
        P.Flat = Flat;
        DrawBarItemGlyph(S.DC(), P);
        EXPECT_EQ(S.At(4, 4), pg::GetSysColor(pg::COLOR_BTNSHADOW)) << Flat;
        EXPECT_EQ(S.At(5, 5), pg::GetSysColor(Flat ? pg::COLOR_BTNFACE : pg::COLOR_3DHILIGHT))
            << Flat;
        EXPECT_EQ(S.At(3, 3), pg::GetSysColor(pg::COLOR_BTNFACE)) << Flat;
    }
}

// A selected flat glyph that may cast a shadow moves one pixel left and up, its shape repeated
// two pixels right and down of it in button shadow on the brush's colour.
TEST(BarDrawingTest, AShadowedGlyphMovesUpLeftOverItsShadow) {
    ClassicColors Colors;
    TdxBarUnit Unit;
    pf::TBitmap Glyph;
    MakeGlyph(Glyph);
    TestSurface S(10, 10);
    const pg::HBRUSH Brush = pg::CreateSolidBrush(Green);
    TdxBarGlyphParams P;
    P.Brush = Brush;
    P.ItemRect = {0, 0, 10, 10};
    P.GlyphRect = {3, 3, 7, 7};
    P.Glyph = &Glyph;
    P.Flat = P.Selected = P.ShadowAllowed = true;
    DrawBarItemGlyph(S.DC(), P);
    pg::DeleteObject(Brush);
    EXPECT_EQ(S.At(3, 3), Red);
    EXPECT_EQ(S.At(5, 5), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(S.At(4, 4), Green);
    EXPECT_EQ(S.At(6, 6), Green);
    EXPECT_EQ(CountColor(S, pg::GetSysColor(pg::COLOR_BTNSHADOW), 10, 10), 1);
}

TEST(BarDrawingTest, TheThemeStateOfAnItemControl) {
    struct {
        bool Enabled, Selected;
        int State;
    } const Cases[] = {{true, false, 1}, {true, true, 6}, {false, false, 4}, {false, true, 4}};
    for (const auto& C : Cases)
        EXPECT_EQ(GetItemControlThemeState(C.Enabled, C.Selected), C.State)
            << C.Enabled << C.Selected;
}

// No theme class opens with our visual-style stand-in: the colours fall back to the system's,
// and the themed parts leave only their button-face ground.
TEST(BarDrawingTest, WithoutAThemeTheThemedPartsFallBack) {
    ClassicColors Colors;
    const pg::HTHEME None{};
    EXPECT_EQ(pg::ColorToRGB(GetThemedFillColor(None, 1, 1)), pg::GetSysColor(pg::COLOR_WINDOW));
    EXPECT_EQ(pg::ColorToRGB(GetThemedTextColor(None, 1, 1)),
              pg::GetSysColor(pg::COLOR_WINDOWTEXT));
    EXPECT_EQ(pg::ColorToRGB(GetXPThemeFillColor()), pg::GetSysColor(pg::COLOR_BTNFACE));
    EXPECT_EQ(GetThemedCloseButtonSize().cx, 0);
    EXPECT_EQ(GetThemedSizeGripSize().cx, 2);
    EXPECT_EQ(GetThemedSizeGripSize().cy, 2);

    const pg::COLORREF Face = pg::GetSysColor(pg::COLOR_BTNFACE);
    TestSurface Close(12, 8);
    DrawThemedCloseButton(Close.DC(), {2, 1, 10, 7}, true, 1, false);
    EXPECT_EQ(CountColor(Close, Face, 12, 8), 8 * 6);
    EXPECT_EQ(Close.At(2, 1), Face);
    EXPECT_EQ(Close.At(1, 1), pg::RGB(1, 2, 3));

    struct {
        TdxSizeGripCorner Corner;
        int X, Y;
    } const Corners[] = {
        {sgcBottomRight, 8, 8}, {sgcBottomLeft, 0, 8}, {sgcTopLeft, 0, 0}, {sgcTopRight, 8, 0}};
    for (const auto& C : Corners) {
        TestSurface Grip(10, 10);
        DrawThemedSizeGrip(Grip.DC(), {0, 0, 10, 10}, C.Corner);
        EXPECT_EQ(CountColor(Grip, Face, 10, 10), 4) << C.Corner;
        EXPECT_EQ(Grip.At(C.X, C.Y), Face) << C.Corner;
        EXPECT_EQ(Grip.At(C.X + 1, C.Y + 1), Face) << C.Corner;
    }
}

} // namespace
} // namespace toolkit::bars
