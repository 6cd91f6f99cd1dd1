#include "toolkit/base/cx_graphics.h"

#include "toolkit/base/core_routines.h"
#include "toolkit/base/cx_bitmap.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/forms/controls.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"
#include "platform/win/cursors.h"
#include "platform/win/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;
namespace pf = platform::forms;
namespace pw = platform::win;
using pg::RGB;

// A 32-bit bitmap in a memory context, white unless told otherwise.
class Surface32 : public testing_support::TestSurface {
public:
    Surface32(int Width, int Height, COLORREF Background = RGB(255, 255, 255))
        : TestSurface(Width, Height, Background) {}
    // Rows joined by '|': the key's letter where the pixel has its colour, '.' elsewhere.
    std::string Picture(std::initializer_list<std::pair<char, COLORREF>> Key) const {
        std::string Out;
        for (int Y = 0; Y < Pixels().Height(); ++Y)
            Out += (Y > 0 ? "|" : "") + Row(Y, Key);
        return Out;
    }
};

// Blue, green, red, alpha.
std::array<int, 4> Channels(const TRGBQuad& Q) {
    return {Q.rgbBlue, Q.rgbGreen, Q.rgbRed, Q.rgbReserved};
}

// ---- Colour arithmetic ----

struct BlendCase {
    const char* Name;
    TRGBQuad Color, Pixel;
    std::uint8_t Alpha;
    TRGBQuad Result;
};

class BlendPixelTest : public ::testing::TestWithParam<BlendCase> {};

TEST_P(BlendPixelTest, BlendsPremultipliedColourOverThePixel) {
    const auto& C = GetParam();
    TRGBQuad Pixel = C.Pixel;
    cxBlendPixel(C.Color, Pixel, C.Alpha);
    EXPECT_EQ(Channels(Pixel), Channels(C.Result));
}

INSTANTIATE_TEST_SUITE_P(
    Graphics, BlendPixelTest,
    ::testing::Values(
        BlendCase{
            "OpaqueReplaces", {10, 20, 30, 255}, {100, 100, 100, 255}, 255, {10, 20, 30, 255}},
        BlendCase{"NoAlphaKeeps", {10, 20, 30, 255}, {100, 100, 100, 255}, 0, {100, 100, 100, 255}},
        // k = 1 - 128/255: 50 + 200k, 0 + 200k, 100 + 200k; 128 + 255k.
        BlendCase{"HalfTransparentSource",
                  {50, 0, 100, 128},
                  {200, 200, 200, 255},
                  255,
                  {150, 100, 200, 255}},
        // a = 128/255: 255a = 128 and 255(1 - a) = 127.
        BlendCase{"HalfConstantAlpha", {255, 0, 0, 255}, {0, 0, 255, 255}, 128, {128, 0, 127, 255}},
        BlendCase{
            "SumsClampAt255", {200, 200, 200, 0}, {200, 200, 200, 0}, 255, {255, 255, 255, 0}}),
    [](const auto& Info) { return Info.param.Name; });

class LightColours : public ::testing::Test {
protected:
    LightColours() { pg::SetSystemProfile(pg::SystemProfile::Classic); }
    ~LightColours() override { pg::SetSystemProfile(pg::SystemProfile::XP); }
    static void SetFace(COLORREF Color) {
        const int Index = pg::COLOR_BTNFACE;
        pg::SetSysColors(1, &Index, &Color);
    }
};

TEST_F(LightColours, MixFaceHighlightAndWindowByPerCent) {
    const COLORREF F = pg::GetSysColor(pg::COLOR_BTNFACE), H = pg::GetSysColor(pg::COLOR_HIGHLIGHT),
                   W = pg::GetSysColor(pg::COLOR_WINDOW);
    auto Channel = [](int f, int h, int w, int P1, int P2, int P3) {
        return std::clamp(MulDiv(f, P1, 100) + MulDiv(h, P2, 100) + MulDiv(w, P3, 100), 0, 255);
    };
    auto Expected = [&](int P1, int P2, int P3) {
        return RGB(Channel(pg::GetRValue(F), pg::GetRValue(H), pg::GetRValue(W), P1, P2, P3),
                   Channel(pg::GetGValue(F), pg::GetGValue(H), pg::GetGValue(W), P1, P2, P3),
                   Channel(pg::GetBValue(F), pg::GetBValue(H), pg::GetBValue(W), P1, P2, P3));
    };
    EXPECT_EQ(static_cast<COLORREF>(cxGetLightColor(14, 44, 40)), Expected(14, 44, 40));
    EXPECT_EQ(static_cast<COLORREF>(cxGetLightColor(-2, 30, 72)), Expected(-2, 30, 72));
    // Weights past 100 in all clamp at white.
    EXPECT_EQ(static_cast<COLORREF>(cxGetLightColor(100, 100, 100)), RGB(255, 255, 255));
    // The screen is 32-bit: the nearest colour is the colour.
    EXPECT_EQ(static_cast<COLORREF>(cxGetPressedLightColor()), Expected(14, 44, 40));
    EXPECT_EQ(static_cast<COLORREF>(cxGetHotLightColor()), Expected(-2, 30, 72));
}

TEST_F(LightColours, ABlackOrWhiteFaceGivesTheHighlightUnchanged) {
    for (COLORREF Face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
        SetFace(Face);
        EXPECT_EQ(static_cast<COLORREF>(cxGetLightColor(14, 44, 40)),
                  pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    }
}

TEST(Graphics, ColourToPixelSwapsRedAndBlueAndResolvesSystemColours) {
    EXPECT_EQ(Channels(cxColorToRGBQuad(RGB(1, 2, 3), 200)), (std::array<int, 4>{3, 2, 1, 200}));
    const COLORREF Window = pg::GetSysColor(pg::COLOR_WINDOW);
    EXPECT_EQ(Channels(cxColorToRGBQuad(pg::clWindow)),
              (std::array<int, 4>{pg::GetBValue(Window), pg::GetGValue(Window),
                                  pg::GetRValue(Window), 0}));
    EXPECT_EQ(cxByteClamp(-5), 0);
    EXPECT_EQ(cxByteClamp(300), 255);
    EXPECT_EQ(cxByteClamp(77), 77);
}

TEST(Graphics, ColourNameTableRunsFromWebColoursToSystemColours) {
    EXPECT_EQ(cxColorName(0).Name, "aliceblue");
    EXPECT_EQ(static_cast<std::uint32_t>(cxColorName(0).Color), 0xFFF8F0u);
    EXPECT_EQ(cxColorName(139).Name, "yellowgreen");
    EXPECT_EQ(cxColorName(140).Name, "activeborder");
    EXPECT_EQ(cxColorName(140).Color, pg::clActiveBorder);
    EXPECT_EQ(cxColorName(cxColorNameCount - 1).Name, "windowtext");
    EXPECT_EQ(cxColorName(cxColorNameCount - 1).Color, pg::clWindowText);
}

TEST(Graphics, SharedBrushes) {
    EXPECT_EQ(cxSystemBrush(pg::COLOR_BTNFACE), pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    EXPECT_EQ(cxSystemBrush(cxSystemBrushCount), pg::NullObject);
    Surface32 S(4, 2);
    pg::SetTextColor(S.DC(), RGB(0, 0, 0));
    pg::SetBkColor(S.DC(), RGB(255, 255, 255));
    const TRect R{0, 0, 4, 2};
    pg::FillRect(S.DC(), &R, cxHalftoneBrush());
    EXPECT_EQ(S.Picture({{'#', RGB(0, 0, 0)}}), ".#.#|#.#.");
}

TEST(Graphics, SpecialCharsetText) {
    EXPECT_TRUE(cxIsSpecialCharsetText(134, "\xB0\xA1"));
    EXPECT_TRUE(cxIsSpecialCharsetText(136, "\xB0\xA1"));
    EXPECT_FALSE(cxIsSpecialCharsetText(134, "abc"));
    EXPECT_FALSE(cxIsSpecialCharsetText(0, "\xB0\xA1"));
    // The default charset is the system's, which is not a double-byte one.
    EXPECT_FALSE(cxIsSpecialCharsetText(1, "\xB0\xA1"));
}

// ---- The cursor's size ----

// Two planes of a 16-pixel-wide cursor, one 16-bit row word each, the leftmost pixel high.
std::vector<std::uint8_t> Plane(const std::vector<std::uint16_t>& Rows) {
    std::vector<std::uint8_t> Bytes;
    for (const std::uint16_t Row : Rows) {
        Bytes.push_back(static_cast<std::uint8_t>(Row >> 8));
        Bytes.push_back(static_cast<std::uint8_t>(Row));
    }
    return Bytes;
}

// The current cursor while it lives, then the one before it.
class CurrentCursor {
public:
    explicit CurrentCursor(pw::HCURSOR Cursor) : FCursor(Cursor), FOld(pw::SetCursor(Cursor)) {}
    ~CurrentCursor() {
        pw::SetCursor(FOld);
        pw::DestroyCursor(FCursor);
    }
    CurrentCursor(const CurrentCursor&) = delete;
    CurrentCursor& operator=(const CurrentCursor&) = delete;

private:
    pw::HCURSOR FCursor, FOld;
};

TEST(CursorSize, ColourCursorIsAsHighAsItsLowestShownRowBelowTheHotSpot) {
    // Shown pixels only right of the first mask byte, down to row 19.
    std::vector<std::uint32_t> Pixels(32 * 32, 0);
    for (int Y = 2; Y <= 19; ++Y)
        Pixels[static_cast<std::size_t>(Y) * 32 + 20] = 0xFF000000;
    CurrentCursor Cursor(pw::CreateCursorFromPixels(32, 32, Pixels.data(), 20, 4));
    const pg::TSize Size = cxGetCursorSize();
    EXPECT_EQ(Size.cx, 32);
    EXPECT_EQ(Size.cy, 20 - 4);
}

TEST(CursorSize, TwoPlaneCursorIsMeasuredInTheMaskThatShowsIt) {
    std::vector<std::uint16_t> Blank(16, 0xFFFF), None(16, 0x0000), Black = Blank, Inverted = None;
    // Black (AND 0) down to row 5; inverting (AND 1, XOR 1) down to row 9.
    for (int Y = 0; Y <= 5; ++Y)
        Black[static_cast<std::size_t>(Y)] = 0xFF00;
    for (int Y = 3; Y <= 9; ++Y)
        Inverted[static_cast<std::size_t>(Y)] = 0x0100;
    {
        const auto And = Plane(Black), Xor = Plane(None);
        CurrentCursor Cursor(pw::CreateCursor(0, 1, 16, 16, And.data(), Xor.data()));
        EXPECT_EQ(cxGetCursorSize(), (pg::TSize{16, 6 - 1}));
    }
    {
        const auto And = Plane(Blank), Xor = Plane(Inverted);
        CurrentCursor Cursor(pw::CreateCursor(0, 2, 16, 16, And.data(), Xor.data()));
        EXPECT_EQ(cxGetCursorSize(), (pg::TSize{16, 10 - 2}));
    }
}

TEST(CursorSize, StockCursorTakesTheSystemSize) {
    const pw::HCURSOR Old = pw::SetCursor(pw::LoadCursor(pw::IDC_ARROW));
    EXPECT_EQ(cxGetCursorSize(), (pg::TSize{pg::GetSystemMetrics(pg::SM_CXCURSOR),
                                            pg::GetSystemMetrics(pg::SM_CYCURSOR)}));
    pw::SetCursor(Old);
}

// ---- Resampling ----

struct ResampleCase {
    const char* Name;
    int SourceWidth, SourceHeight, DestWidth, DestHeight;
    // Weights are whole 256ths: a flat image may come out a few steps off, and far off when
    // hundreds of small weights are rounded.
    int Tolerance = 6;
};

class ResampleTest : public ::testing::TestWithParam<ResampleCase> {};

TEST_P(ResampleTest, CompletesAndFillsEveryPixel) {
    const auto& C = GetParam();
    for (bool Force : {true, false}) {
        Surface32 Source(C.SourceWidth, C.SourceHeight, RGB(200, 40, 10));
        Surface32 Dest(C.DestWidth, C.DestHeight, RGB(0, 0, 255));
        cxResampleBitmap(Source.Bitmap(), Dest.Bitmap(), Force);
        for (int Y = 0; Y < C.DestHeight; ++Y)
            for (int X = 0; X < C.DestWidth; ++X) {
                const COLORREF P = Dest.At(X, Y);
                EXPECT_NE(P, RGB(0, 0, 255)) << X << "," << Y << " forced " << Force;
                const int T = C.Tolerance;
                EXPECT_NEAR(pg::GetRValue(P), 200, T) << X << "," << Y << " forced " << Force;
                EXPECT_NEAR(pg::GetGValue(P), 40, T) << X << "," << Y << " forced " << Force;
                EXPECT_NEAR(pg::GetBValue(P), 10, T) << X << "," << Y << " forced " << Force;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Graphics, ResampleTest,
                         ::testing::Values(ResampleCase{"OnePixelTo7x3", 1, 1, 7, 3},
                                           ResampleCase{"OneWideToNine", 1, 4, 9, 4},
                                           ResampleCase{"OneHighToNine", 4, 1, 4, 9},
                                           ResampleCase{"NineWideToOne", 9, 3, 1, 3},
                                           ResampleCase{"NineHighToOne", 3, 9, 3, 1},
                                           ResampleCase{"HeavyDownscale", 120, 90, 2, 1, 60},
                                           ResampleCase{"Upscale", 3, 2, 11, 7}),
                         [](const auto& Info) { return Info.param.Name; });

TEST(Graphics, ResamplingKeepsAnEdgeBetweenTwoHalves) {
    Surface32 Source(2, 1, RGB(0, 0, 0));
    pg::SetPixel(Source.DC(), 1, 0, RGB(255, 255, 255));
    Surface32 Dest(8, 1, RGB(1, 2, 3));
    cxResampleBitmap(Source.Bitmap(), Dest.Bitmap(), true);
    EXPECT_EQ(Dest.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(Dest.At(7, 0), RGB(255, 255, 255));
    for (int X = 1; X < 8; ++X)
        EXPECT_GE(pg::GetRValue(Dest.At(X, 0)), pg::GetRValue(Dest.At(X - 1, 0)) - 20) << X;
    // Nothing happens for an empty size.
    HBITMAP Empty = pg::CreateBitmap(0, 0, 1, 32, nullptr);
    cxResampleBitmap(Empty, Dest.Bitmap(), true);
    EXPECT_EQ(Dest.At(0, 0), RGB(0, 0, 0));
    pg::DeleteObject(Empty);
}

TEST(Graphics, LanczosKernel) {
    EXPECT_DOUBLE_EQ(cxSinc(0), 1);
    EXPECT_DOUBLE_EQ(cxLanczos3(0), 1);
    EXPECT_NEAR(cxLanczos3(1), 0, 1e-12);
    EXPECT_EQ(cxLanczos3(3), 0);
    EXPECT_EQ(cxLanczos3(-4), 0);
    EXPECT_GT(cxLanczos3(0.5), 0.5);
}

// ---- Blending rectangles ----

TEST(Graphics, BlendRectMixesTheSourceOverTheDestination) {
    // Without the platform's AlphaBlend our own code blends; an opaque source at half strength.
    EXPECT_FALSE(cxAlphaBlendCall(pg::NullDC, {}, pg::NullDC, {}, 255));
    Surface32 Source(2, 2);
    TRGBQuads Pixels(4, TRGBQuad{0, 255, 0, 255});
    cxSetBitmapPixels(Source.Bitmap(), Pixels, true);
    EXPECT_TRUE(Pixels.empty());
    Surface32 Dest(6, 2, RGB(255, 0, 0));
    cxBlendRect(Dest.DC(), Source.DC(), {1, 0, 3, 2}, {0, 0, 2, 2}, false, 255);
    cxBlendRect(Dest.DC(), Source.DC(), {3, 0, 5, 2}, {0, 0, 2, 2}, false, 128);
    EXPECT_EQ(Dest.Picture({{'R', RGB(255, 0, 0)}, {'G', RGB(0, 255, 0)}, {'h', RGB(127, 128, 0)}}),
              "RGGhhR|RGGhhR");
    // Smooth: one source pixel resampled over the whole destination.
    Surface32 Wide(7, 3, RGB(255, 0, 0));
    cxBlendRect(Wide.DC(), Source.DC(), {0, 0, 7, 3}, {0, 0, 1, 1}, true, 255);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 7; ++X) {
            EXPECT_GE(pg::GetGValue(Wide.At(X, Y)), 245) << X << "," << Y;
            EXPECT_LE(pg::GetRValue(Wide.At(X, Y)), 10) << X << "," << Y;
        }
    // Empty rectangles change nothing.
    const COLORREF Before = Wide.At(0, 0);
    cxBlendRect(Wide.DC(), Source.DC(), {0, 0, 0, 3}, {0, 0, 1, 1}, true, 255);
    EXPECT_EQ(Wide.At(0, 0), Before);
}

TEST(Graphics, BitmapPixelsComeTopDownOrBottomUp) {
    Surface32 S(2, 2, RGB(0, 0, 0));
    pg::SetPixel(S.DC(), 0, 0, RGB(255, 0, 0));
    TRGBQuads Pixels;
    cxGetBitmapPixels(S.Bitmap(), true, Pixels);
    ASSERT_EQ(Pixels.size(), 4u);
    EXPECT_EQ(Pixels[0].rgbRed, 255);
    cxGetBitmapPixels(S.Bitmap(), false, Pixels);
    EXPECT_EQ(Pixels[2].rgbRed, 255);
    EXPECT_EQ(cxGetBitmapBitCount(pf16bit), 16);
    EXPECT_EQ(cxGetBitmapBitCount(pf15bit), 16);
    EXPECT_EQ(cxGetBitmapBitCount(pf1bit), 1);
}

TEST(Graphics, BitmapPixelsAndTheirQuadsHoldTheSameBytes) {
    const TRGBQuad Q = cxPixelToRGBQuad(0x80402010);
    EXPECT_EQ(Channels(Q), (std::array<int, 4>{0x10, 0x20, 0x40, 0x80}));
    EXPECT_EQ(cxRGBQuadToPixel(Q), 0x80402010u);
    EXPECT_EQ(cxRGBQuadToPixel(cxColorToRGBQuad(RGB(1, 2, 3), 4)), 0x04010203u);
}

// The toolkit's bitmaps go through the same routines, and hear of the change.
TEST(Graphics, ToolkitBitmapsTakeThePixelBlendAndResampleRoutines) {
    TcxBitmap Bitmap(2, 1);
    int Changes = 0;
    Bitmap.OnChange = [&Changes] { ++Changes; };
    TRGBQuads Pixels{{1, 2, 3, 255}, {4, 5, 6, 0}};
    cxSetBitmapPixels(Bitmap, Pixels, true);
    EXPECT_TRUE(Pixels.empty());
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Bitmap.GetPixels(), (std::vector<Pixel32>{0xFF030201, 0x00060504}));
    cxGetBitmapPixels(Bitmap, false, Pixels);
    ASSERT_EQ(Pixels.size(), 2u);
    EXPECT_EQ(Channels(Pixels[1]), (std::array<int, 4>{4, 5, 6, 0}));

    // Opaque green at half strength over red, in the middle of three pixels.
    TcxBitmap Under(3, 1), Over(1, 1);
    Under.SetPixels({0xFFFF0000, 0xFFFF0000, 0xFFFF0000});
    Over.SetPixels({0xFF00FF00});
    Changes = 0;
    Under.OnChange = [&Changes] { ++Changes; };
    cxBlendBitmaps(Under, Over, {1, 0, 2, 1}, Over.GetClientRect(), false, 128);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Under.GetPixels(), (std::vector<Pixel32>{0xFFFF0000, 0xFF7F8000, 0xFFFF0000}));

    // Whole 256ths of weight: a flat image comes out a few steps off (as above).
    TcxBitmap Wide(7, 3);
    cxResampleBitmap(Over, Wide, true);
    for (Pixel32 P : Wide.GetPixels()) {
        EXPECT_EQ(P & 0xFF00FF, 0u);
        EXPECT_NEAR(static_cast<int>(P >> 8 & 0xFF), 255, 6);
    }
}

// ---- The parent under a transparent control ----

// Paints its parent under itself, then one blue pixel of its own.
class TTransparentControl : public pf::TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        const TRect R = ClientRect();
        cxDrawTransparentControlBackground(this, Canvas().Handle(), R);
        pg::SetPixel(Canvas().Handle(), 4, 3, RGB(0, 0, 255));
    }
};

class TSolidControl : public pf::TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        const TRect R = ClientRect();
        pg::GdiHandle Brush(pg::CreateSolidBrush(RGB(0, 255, 0)));
        pg::FillRect(Canvas().Handle(), &R, static_cast<HBRUSH>(Brush.Get()));
    }
};

TEST(ParentBackground, ATransparentChildShowsItsParentsRedAtItsOwnPosition) {
    pf::TWinControl Parent(nullptr);
    Parent.SetBounds(0, 0, 20, 12);
    Parent.SetColor(pg::clRed);
    TSolidControl Beneath(nullptr);
    Beneath.SetBounds(0, 0, 8, 5);
    Beneath.SetParent(&Parent);
    TTransparentControl Child(nullptr);
    Child.SetBounds(6, 3, 8, 6);
    Child.SetParent(&Parent);

    // The parent paints its children into a white image without erasing itself: only the
    // transparent child brings the red, at its own place, with the green control beneath.
    Surface32 S(20, 12);
    Parent.Perform(platform::win::WM_PAINT, static_cast<platform::win::WPARAM>(S.DC()), 0);
    EXPECT_EQ(S.Picture({{'R', RGB(255, 0, 0)}, {'G', RGB(0, 255, 0)}, {'B', RGB(0, 0, 255)}}),
              "GGGGGGGG............|"
              "GGGGGGGG............|"
              "GGGGGGGG............|"
              "GGGGGGGGRRRRRR......|"
              "GGGGGGGGRRRRRR......|"
              "......RRRRRRRR......|"
              "......RRRRBRRR......|"
              "......RRRRRRRR......|"
              "......RRRRRRRR......|"
              "....................|"
              "....................|"
              "....................");
    // The parent's copy painted the child again inside; it did not ask for the parent again.
    EXPECT_EQ(Child.Paints, 2);
    EXPECT_EQ(Parent.ControlState & pf::csPaintCopy, 0u);

    // Straight into the control's own image.
    Surface32 Own(8, 6);
    cxPaintParentBackground(&Child, Own.DC(), {0, 0, 8, 6});
    EXPECT_EQ(Own.Picture({{'R', RGB(255, 0, 0)}, {'G', RGB(0, 255, 0)}, {'B', RGB(0, 0, 255)}}),
              "GGRRRRRR|GGRRRRRR|RRRRRRRR|RRRRBRRR|RRRRRRRR|RRRRRRRR");
    // Without a parent nothing is painted.
    TTransparentControl Orphan(nullptr);
    Surface32 None(2, 2);
    cxPaintParentBackground(&Orphan, None.DC(), {0, 0, 2, 2});
    EXPECT_EQ(None.Picture({{'.', RGB(255, 255, 255)}}), "..|..");
}

// ---- The gradient routines with nothing to spread over ----

struct OneLineCase {
    const char* Name;
    TRect R;
    bool Horizontal;
    COLORREF Color2;
};

class OneLineGradientTest : public ::testing::TestWithParam<OneLineCase> {};

TEST_P(OneLineGradientTest, FillsWithTheFirstColour) {
    const auto& C = GetParam();
    const COLORREF First = RGB(10, 20, 30);
    for (int Routine = 0; Routine < 2; ++Routine) {
        Surface32 S(3, 3);
        if (Routine == 0)
            FillGradientRect(S.DC(), C.R, First, C.Color2, C.Horizontal);
        else
            FillTwoStageGradientRect(S.DC(), C.R, First, C.Color2, C.Horizontal);
        for (int Y = C.R.Top; Y < C.R.Bottom; ++Y)
            for (int X = C.R.Left; X < C.R.Right; ++X)
                EXPECT_EQ(S.At(X, Y), First) << "routine " << Routine << " at " << X << "," << Y;
        EXPECT_EQ(static_cast<COLORREF>(GetGradientColorAtPos(
                      C.R, C.Horizontal ? C.R.Left : C.R.Top, First, C.Color2, C.Horizontal)),
                  First);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Graphics, OneLineGradientTest,
    ::testing::Values(OneLineCase{"OneColumn", {1, 0, 2, 3}, true, RGB(250, 0, 0)},
                      OneLineCase{"OneRow", {0, 1, 3, 2}, false, RGB(250, 0, 0)},
                      OneLineCase{"EqualColoursAcross", {0, 0, 3, 3}, true, RGB(10, 20, 30)},
                      OneLineCase{"EqualColoursDown", {0, 0, 3, 3}, false, RGB(10, 20, 30)}),
    [](const auto& Info) { return Info.param.Name; });

} // namespace
} // namespace toolkit::base
