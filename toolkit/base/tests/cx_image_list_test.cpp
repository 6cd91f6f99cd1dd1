#include "toolkit/base/cx_image_list.h"
#include "toolkit/base/cx_paint_image.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include <gtest/gtest.h>

#include <array>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;
using pg::RGB;
using testing_support::ClassicColors;
using testing_support::TestSurface;

constexpr pg::COLORREF Back = RGB(1, 2, 3);

// Pixel (x, y) of a strip: its image number in red, its place in green and blue.
Pixel32 StripPixel(int X, int Y) {
    return static_cast<Pixel32>((X / 16) * 40 + 10) << 16 | static_cast<Pixel32>(X % 16) << 8 |
           static_cast<Pixel32>(Y);
}

TEST(CxImageList, StripOfFourBecomesFourImagesPixelExact) {
    TcxCustomBitmap Strip(64, 16);
    std::vector<Pixel32> Pixels;
    for (int Y = 0; Y < 16; ++Y)
        for (int X = 0; X < 64; ++X)
            Pixels.push_back(StripPixel(X, Y));
    Strip.SetPixels(Pixels);
    TcxImageList List(nullptr);
    EXPECT_EQ(List.Add(Strip), 0);
    ASSERT_EQ(List.Count(), 4);
    for (int Index = 0; Index < 4; ++Index) {
        TcxCustomBitmap Image;
        List.GetImageInfo(Index, &Image, nullptr);
        ASSERT_EQ(Image.Width(), 16);
        ASSERT_EQ(Image.Height(), 16);
        const std::vector<Pixel32> Got = Image.GetPixels();
        for (int Y = 0; Y < 16; ++Y)
            for (int X = 0; X < 16; ++X)
                ASSERT_EQ(Got[static_cast<std::size_t>(Y * 16 + X)] & 0xFFFFFF,
                          StripPixel(Index * 16 + X, Y))
                    << Index << ": " << X << "," << Y;
    }
    List.Delete(-1);
    EXPECT_EQ(List.Count(), 0);
}

TEST(CxImageList, DisabledDrawingUsesTheDisabledFilter) {
    ClassicColors Colors;
    TcxCustomBitmap White(16, 16);
    White.SetPixels(std::vector<Pixel32>(256, 0xFFFFFF));
    TcxImageList List(nullptr);
    List.Add(White);
    TestSurface S(20, 20);
    TcxCanvas C(&S.Canvas());
    List.Draw(0, C, {0, 0, 20, 20}, false, false, false);
    // Centred at (2, 2); white made grey by luminance and blended with the shadow colour.
    EXPECT_EQ(S.At(2, 2), RGB(0xC3, 0xC3, 0xC3));
    EXPECT_EQ(S.At(17, 17), RGB(0xC3, 0xC3, 0xC3));
    EXPECT_EQ(S.At(1, 1), Back);
    EXPECT_EQ(S.At(18, 18), Back);
    List.Draw(0, C, {0, 0, 20, 20});
    EXPECT_EQ(S.At(2, 2), RGB(255, 255, 255));
}

TEST(CxImageList, InfoWithoutMaskAddsByItsMaskColour) {
    TcxImageInfo Info;
    Info.Image = std::make_unique<TcxCustomBitmap>(16, 16);
    std::vector<Pixel32> Pixels(256, 0x00FF00);
    Pixels[0] = 0xFF0000; // red: the mask colour
    Info.Image->SetPixels(Pixels);
    Info.MaskColor = pg::clRed;
    TcxImageList List(nullptr);
    List.AddImageInfo(Info);
    ASSERT_EQ(List.Count(), 1);
    TestSurface S(16, 16);
    TcxCanvas C(&S.Canvas());
    List.DoDraw(0, C, 0, 0);
    EXPECT_EQ(S.At(0, 0), Back);
    EXPECT_EQ(S.At(1, 0), RGB(0, 255, 0));
}

TEST(CxPaintImage, InvalidIndexWithoutGlyphChangesNoPixel) {
    TcxImageList List(nullptr);
    TcxCustomBitmap Image(16, 16);
    List.Add(Image);
    TestSurface S(20, 20);
    for (int Index : {-1, 1, 7}) {
        cxPaintImage(S.DC(), {0, 0, 16, 16}, {0, 0, 20, 20}, nullptr, &List, Index, idmNormal);
        for (int Y = 0; Y < 20; ++Y)
            for (int X = 0; X < 20; ++X)
                ASSERT_EQ(S.At(X, Y), Back) << Index;
    }
    cxPaintImage(S.DC(), {0, 0, 16, 16}, {0, 0, 20, 20}, nullptr, nullptr, 0, idmNormal);
    EXPECT_EQ(S.At(0, 0), Back);
}

TEST(CxPaintImage, GlyphKeepsItsTransparentColourInvisibleAndOtherPixelsOpaque) {
    TcxCustomBitmap Glyph(3, 2);
    // The bottom-left pixel's colour is the glyph's transparent colour.
    Glyph.SetPixels({0x0000FF, 0x00FF00, 0x0000FF, 0x0000FF, 0xFF0000, 0x00FF00});
    TestSurface S(5, 4);
    cxPaintImage(S.DC(), {1, 1, 4, 3}, {0, 0, 5, 4}, &Glyph, nullptr, -1, idmNormal);
    EXPECT_EQ(S.At(1, 1), Back);
    EXPECT_EQ(S.At(2, 1), RGB(0, 255, 0));
    EXPECT_EQ(S.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(S.At(0, 0), Back);
}

TEST(CxPaintImage, SmoothResamplesAStretchedImageElseEachPixelTakesTheNearest) {
    // Black beside white, stretched over eight pixels; smooth gives the Lanczos-3 ramp (worked
    // by hand from the filter's weights: 0, 8, 32, 69, 115, 165, 214, 255 in 256ths).
    TcxCustomBitmap Glyph(2, 1);
    Glyph.SetPixels({0x000000, 0xFFFFFF});
    struct Case {
        bool Smooth;
        std::array<int, 8> Reds;
    };
    for (const Case& K : {Case{false, {0, 0, 0, 0, 255, 255, 255, 255}},
                          Case{true, {0, 8, 32, 69, 115, 165, 214, 255}}}) {
        TestSurface S(8, 1);
        cxPaintImage(S.DC(), {0, 0, 8, 1}, {0, 0, 8, 1}, &Glyph, nullptr, -1, idmNormal, K.Smooth,
                     pg::HBRUSH{}, pg::clNone, false);
        for (int X = 0; X < 8; ++X) {
            const int Red = K.Reds[static_cast<std::size_t>(X)];
            EXPECT_EQ(S.At(X, 0), RGB(Red, Red, Red)) << "smooth " << K.Smooth << " at " << X;
        }
    }
}

} // namespace
} // namespace toolkit::base
