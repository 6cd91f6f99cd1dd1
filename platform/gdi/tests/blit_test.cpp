#include "platform/gdi/blit.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/tests/gdi_test_support.h"

#include <vector>

namespace platform::gdi {
namespace {

using testing::Canvas32;

// The 8 combinations of pattern, source and destination bits as the truth table orders them:
// pattern F0H, source CCH, destination AAH.
constexpr std::uint32_t P = 0xF0, S = 0xCC, D = 0xAA;

struct RopCase {
    const char* name;
    DWORD rop;
    std::uint32_t expected; // the operation's function of P, S and D
};

class Rop3Test : public ::testing::TestWithParam<RopCase> {};

TEST_P(Rop3Test, FollowsItsTruthTable) {
    auto index = static_cast<std::uint8_t>(GetParam().rop >> 16);
    EXPECT_EQ(ApplyRop3(index, P, S, D) & 0xFF, GetParam().expected & 0xFF);
}

// The named operations by their names, the others by their reverse Polish notation.
INSTANTIATE_TEST_SUITE_P(
    Codes, Rop3Test,
    ::testing::Values(RopCase{"SrcCopy", SRCCOPY, S}, RopCase{"SrcAnd", SRCAND, S& D},
                      RopCase{"SrcPaint", SRCPAINT, S | D}, RopCase{"SrcInvert", SRCINVERT, S ^ D},
                      RopCase{"DstInvert", DSTINVERT, ~D}, RopCase{"PatCopy", PATCOPY, P},
                      RopCase{"DSna", 0x220326, D & ~S}, RopCase{"PDSnaa", 0x200F09, P& D & ~S},
                      RopCase{"DSo", 0xEE0086, S | D}, RopCase{"MergePaint", MERGEPAINT, ~S | D},
                      RopCase{"DSa", 0x8800C6, S& D},
                      RopCase{"DSPDxax", 0xE20746, (S & P) | (D & ~S)},
                      RopCase{"Blackness", BLACKNESS, 0}, RopCase{"Whiteness", WHITENESS, 0xFF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Blit, SrcCopyBetween32BitSurfacesCopiesAlpha) {
    Canvas32 src(2, 1), dst(2, 1);
    src.Surf().SetPixel(0, 0, 0x80112233);
    BitBlt(dst.DC(), 0, 0, 2, 1, src.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(dst.Surf().Pixel(0, 0), 0x80112233u);
    // Other operations work on every bit too: the source's alpha ORs into the destination.
    dst.Surf().Fill(0);
    BitBlt(dst.DC(), 0, 0, 1, 1, src.DC(), 0, 0, SRCPAINT);
    EXPECT_EQ(dst.Surf().Pixel(0, 0), 0x80112233u);
}

TEST(Blit, PatternOperationsWriteAlphaZero) {
    Canvas32 c(1, 1);
    c.Surf().Fill(0xFF000000);
    PatBlt(c.DC(), 0, 0, 1, 1, PATCOPY); // white brush
    EXPECT_EQ(c.Surf().Pixel(0, 0), 0x00FFFFFFu);
}

TEST(Blit, ColourToMonochromeMatchesTheSourceBackgroundColour) {
    Canvas32 src(3, 1);
    src.Surf().SetPixel(0, 0, ColorToPixel(0x00FF00));
    src.Surf().SetPixel(1, 0, ColorToPixel(0x0000FF));
    src.Surf().SetPixel(2, 0, ColorToPixel(0xFFFFFF));
    SetBkColor(src.DC(), 0x00FF00);
    Canvas32 mono(3, 1, 1);
    BitBlt(mono.DC(), 0, 0, 3, 1, src.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(mono.Picture(0xFFFFFF), "#..");
}

TEST(Blit, MonochromeToColourUsesTheDestinationTextAndBackgroundColours) {
    Canvas32 mono(2, 1, 1);
    mono.Surf().SetPixel(0, 0, 0);
    mono.Surf().SetPixel(1, 0, 0xFFFFFF);
    Canvas32 dst(2, 1);
    SetTextColor(dst.DC(), 0x0000FF);
    SetBkColor(dst.DC(), 0x00FF00);
    BitBlt(dst.DC(), 0, 0, 2, 1, mono.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), 0x0000FFu);
    EXPECT_EQ(dst.At(1, 0), 0x00FF00u);
}

TEST(Blit, OverlappingCopyOnOneSurfaceReadsTheSourceFirst) {
    Canvas32 c(4, 1);
    for (int x = 0; x < 4; ++x)
        c.Surf().SetPixel(x, 0, static_cast<Pixel32>(x + 1));
    BitBlt(c.DC(), 1, 0, 3, 1, c.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(c.Surf().Pixel(1, 0), 1u);
    EXPECT_EQ(c.Surf().Pixel(2, 0), 2u);
    EXPECT_EQ(c.Surf().Pixel(3, 0), 3u);
}

TEST(Blit, StretchBltNearestMirrorAndHalftone) {
    Canvas32 src(2, 1);
    src.Surf().SetPixel(0, 0, 0x000000);
    src.Surf().SetPixel(1, 0, 0xFFFFFF);
    Canvas32 wide(4, 1);
    StretchBlt(wide.DC(), 0, 0, 4, 1, src.DC(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(wide.Picture(0), "##..");
    StretchBlt(wide.DC(), 3, 0, -4, 1, src.DC(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(wide.Picture(0), "..##");
    Canvas32 narrow(1, 1);
    SetStretchBltMode(narrow.DC(), HALFTONE);
    StretchBlt(narrow.DC(), 0, 0, 1, 1, src.DC(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(narrow.At(0, 0), 0x808080u);
}

TEST(Blit, ShrinkingKeepsBlackOrWhiteByTheStretchMode) {
    Canvas32 src(4, 1);
    src.Surf().SetPixel(1, 0, 0);
    src.Surf().SetPixel(2, 0, 0);
    Canvas32 dst(2, 1);
    StretchBlt(dst.DC(), 0, 0, 2, 1, src.DC(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.Picture(0), "##"); // black on white: the black pixels survive
    SetStretchBltMode(dst.DC(), WHITEONBLACK);
    StretchBlt(dst.DC(), 0, 0, 2, 1, src.DC(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.Picture(0xFFFFFF), "##");
}

TEST(Blit, ClipRegionLimitsTheCopy) {
    Canvas32 src(3, 1), dst(3, 1);
    src.Surf().Fill(0);
    IntersectClipRect(dst.DC(), 1, 0, 2, 1);
    BitBlt(dst.DC(), 0, 0, 3, 1, src.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(dst.Picture(0), ".#.");
}

struct PatBltCase {
    const char* name;
    int x, y, width, height;
    const char* picture; // black pixels of a 5 x 3 white surface after PATCOPY with black
};

class PatBltExtents : public ::testing::TestWithParam<PatBltCase> {};

// A negative extent is normalised as the platform normalises a rectangle: it covers
// (x + width, ..., x - 1), the given point's own column or row left out.
TEST_P(PatBltExtents, NegativeExtentsCoverThePixelsBeforeTheGivenPoint) {
    const auto& c = GetParam();
    Canvas32 canvas(5, 3);
    SelectObject(canvas.DC(), GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(PatBlt(canvas.DC(), c.x, c.y, c.width, c.height, PATCOPY), 1);
    EXPECT_EQ(canvas.Picture(0), c.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Extents, PatBltExtents,
    ::testing::Values(PatBltCase{"Positive", 1, 0, 3, 2, ".###.|.###.|....."},
                      PatBltCase{"NegativeWidth", 4, 0, -3, 2, ".###.|.###.|....."},
                      PatBltCase{"NegativeHeight", 1, 2, 3, -2, ".###.|.###.|....."},
                      PatBltCase{"BothNegative", 4, 3, -3, -2, ".....|.###.|.###."},
                      PatBltCase{"MinusOneEachWay", 4, 2, -1, -1, ".....|...#.|....."},
                      PatBltCase{"OriginColumnLeftOut", 2, 0, -2, 1, "##...|.....|....."},
                      PatBltCase{"ZeroWidth", 1, 0, 0, 2, ".....|.....|....."},
                      PatBltCase{"ZeroHeight", 1, 0, 3, 0, ".....|.....|....."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Blit, PatBltWithNegativeExtentsFollowsTheWindowOrigin) {
    Canvas32 canvas(5, 1);
    SelectObject(canvas.DC(), GetStockObject(BLACK_BRUSH));
    SetWindowOrgEx(canvas.DC(), 10, 0, nullptr);
    PatBlt(canvas.DC(), 13, 0, -2, 1, PATCOPY);
    EXPECT_EQ(canvas.Picture(0), ".##..");
}

// A pattern lies where the brush origin puts it, whichever corner the rectangle is given by: the
// same rectangle given forwards and backwards paints the same pixels.
TEST(Blit, PatBltWithNegativeExtentsKeepsTheBrushOrigin) {
    // Black, white, white: a 3 x 1 tile, so that a shift by one shows.
    Canvas32 tile(3, 1);
    tile.Surf().SetPixel(0, 0, 0);
    HBRUSH brush = CreatePatternBrush(tile.Bitmap());
    const struct {
        int originX;
        const char* picture;
    } cases[] = {{0, "...#..#..#.."}, {1, "....#..#..#."}, {2, "..#..#..#..."}};
    for (const auto& c : cases) {
        Canvas32 forwards(12, 1), backwards(12, 1);
        for (const Canvas32* canvas : {&forwards, &backwards}) {
            SetBrushOrgEx(canvas->DC(), c.originX, 0, nullptr);
            SelectObject(canvas->DC(), brush);
        }
        PatBlt(forwards.DC(), 2, 0, 9, 1, PATCOPY);
        PatBlt(backwards.DC(), 11, 0, -9, 1, PATCOPY);
        // Outside the rectangle (columns 0, 1 and 11) the surface stays white.
        EXPECT_EQ(forwards.Picture(0), c.picture) << "origin " << c.originX;
        EXPECT_EQ(backwards.Picture(0), c.picture) << "origin " << c.originX;
        for (const Canvas32* canvas : {&forwards, &backwards})
            SelectObject(canvas->DC(), GetStockObject(WHITE_BRUSH));
    }
    DeleteObject(brush);
}

// The 2 x 1 monochrome pattern "1 0" (white, black), repeated over a 4 x 1 monochrome surface.
struct MonoPatternCase {
    const char* name; // text on background
    COLORREF text, background;
    const char* white; // the white pixels afterwards
};

class MonochromePatternOnMonochrome : public ::testing::TestWithParam<MonoPatternCase> {};

// Each bit takes the text (0) or background (1) colour, and that colour reaches the monochrome
// surface as a colour source would: white where it is the background colour. So the bits pass
// as they are whatever the colours, and only two equal colours make it all white.
TEST_P(MonochromePatternOnMonochrome, KeepsItsBitsUnlessTextAndBackgroundAreOneColour) {
    const auto& c = GetParam();
    const std::uint8_t bits[] = {0x80, 0x00};
    HBITMAP pattern = CreateBitmap(2, 1, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(pattern);
    Canvas32 patBlt(4, 1, 1), fillRect(4, 1, 1);
    for (const Canvas32* canvas : {&patBlt, &fillRect}) {
        SetTextColor(canvas->DC(), c.text);
        SetBkColor(canvas->DC(), c.background);
    }
    SelectObject(patBlt.DC(), brush);
    PatBlt(patBlt.DC(), 0, 0, 4, 1, PATCOPY);
    EXPECT_EQ(patBlt.Picture(0xFFFFFF), c.white);
    TRect all{0, 0, 4, 1};
    FillRect(fillRect.DC(), &all, brush);
    EXPECT_EQ(fillRect.Picture(0xFFFFFF), c.white);
    SelectObject(patBlt.DC(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    DeleteObject(pattern);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, MonochromePatternOnMonochrome,
    ::testing::Values(MonoPatternCase{"BlackOnWhite", 0x000000, 0xFFFFFF, "#.#."},
                      MonoPatternCase{"WhiteOnBlack", 0xFFFFFF, 0x000000, "#.#."},
                      MonoPatternCase{"RedOnGreen", 0x0000FF, 0x00FF00, "#.#."},
                      MonoPatternCase{"YellowOnCyan", 0x00FFFF, 0xFFFF00, "#.#."},
                      MonoPatternCase{"RedOnRed", 0x0000FF, 0x0000FF, "####"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Blit, ColourPatternOnMonochromeIsWhiteWhereItIsTheBackgroundColour) {
    Canvas32 tile(2, 1);
    tile.Surf().SetPixel(0, 0, ColorToPixel(0x00FFFF)); // yellow: light, but not the background
    tile.Surf().SetPixel(1, 0, ColorToPixel(0x00FF00)); // green: dark, but the background
    HBRUSH brush = CreatePatternBrush(tile.Bitmap());
    Canvas32 mono(4, 1, 1);
    SetBkColor(mono.DC(), 0x00FF00);
    SelectObject(mono.DC(), brush);
    PatBlt(mono.DC(), 0, 0, 4, 1, PATCOPY);
    EXPECT_EQ(mono.Picture(0xFFFFFF), ".#.#");
    // A pattern operation with a source converts both by the same rule: the white source is
    // its context's background colour, so white, and leaves the pattern as it is.
    mono.Surf().Fill(0);
    Canvas32 source(4, 1);
    BitBlt(mono.DC(), 0, 0, 4, 1, source.DC(), 0, 0, MERGECOPY); // pattern AND source
    EXPECT_EQ(mono.Picture(0xFFFFFF), ".#.#");
    SelectObject(mono.DC(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

struct OnePixelCase {
    const char* name;
    int mode;
    int xSource, widthSource; // over the source row A B C
    COLORREF expected;
};

class StretchToOnePixel : public ::testing::TestWithParam<OnePixelCase> {};

// Shrunk to one pixel wide, the black-on-white mode folds the run by AND: the first source pixel
// ANDed with the following ones but the last; white-on-black folds the same pixels by OR; the
// nearest-pixel mode takes the pixel at the given source corner.
TEST_P(StretchToOnePixel, FoldsTheRunAsTheModeSays) {
    const auto& c = GetParam();
    Canvas32 src(3, 2);
    const COLORREF row[] = {0x112233, 0x445566, 0x778899};
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
            src.Surf().SetPixel(x, y, ColorToPixel(row[x]));
    Canvas32 dst(1, 2);
    SetStretchBltMode(dst.DC(), c.mode);
    EXPECT_EQ(StretchBlt(dst.DC(), 0, 0, 1, 2, src.DC(), c.xSource, 0, c.widthSource, 2, SRCCOPY),
              1);
    EXPECT_EQ(dst.At(0, 0), c.expected);
    EXPECT_EQ(dst.At(0, 1), c.expected); // the other direction still stretches as usual
}

INSTANTIATE_TEST_SUITE_P(
    Modes, StretchToOnePixel,
    ::testing::Values(
        OnePixelCase{"BlackOnWhiteThreeToOne", BLACKONWHITE, 0, 3, 0x112233 & 0x445566},
        OnePixelCase{"BlackOnWhiteTwoToOneKeepsTheFirst", BLACKONWHITE, 1, 2, 0x445566},
        OnePixelCase{"BlackOnWhiteBackwards", BLACKONWHITE, 2, -3, 0x778899 & 0x445566},
        OnePixelCase{"BlackOnWhiteOnePixelSource", BLACKONWHITE, 1, 1, 0x445566},
        OnePixelCase{"WhiteOnBlackThreeToOne", WHITEONBLACK, 0, 3, 0x112233 | 0x445566},
        OnePixelCase{"ColorOnColorWholeRow", COLORONCOLOR, 0, 3, 0x112233},
        OnePixelCase{"ColorOnColorBackwards", COLORONCOLOR, 2, -2, 0x778899}),
    [](const auto& info) { return std::string(info.param.name); });

// The same fold down a column shrunk to one pixel high: four to one takes the first three.
TEST(Blit, StretchToOnePixelHighFoldsAllButTheLast) {
    Canvas32 src(1, 4);
    const COLORREF column[] = {0xF0F0F0, 0x3C3C3C, 0xFFFF0F, 0x000000};
    for (int y = 0; y < 4; ++y)
        src.Surf().SetPixel(0, y, ColorToPixel(column[y]));
    Canvas32 dst(1, 1);
    StretchBlt(dst.DC(), 0, 0, 1, 1, src.DC(), 0, 0, 1, 4, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), 0xF0F0F0u & 0x3C3C3Cu & 0xFFFF0Fu);
}

TEST(Blit, StretchToOnePixelSquareFromAMonochromeSource) {
    // One white pixel among black ones: ANDed together, black; taken alone, white.
    Canvas32 mono(4, 4, 1);
    mono.Surf().Fill(0);
    mono.Surf().SetPixel(0, 0, 0xFFFFFF);
    Canvas32 dst(1, 1);
    StretchBlt(dst.DC(), 0, 0, 1, 1, mono.DC(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), 0x000000u);
    SetStretchBltMode(dst.DC(), COLORONCOLOR);
    StretchBlt(dst.DC(), 0, 0, 1, 1, mono.DC(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), 0xFFFFFFu);
}

// An image of 2 x 2 pixels drawn into one pixel in the default mode: two to one keeps the first
// pixel each way, the image's top left (the second row of a bottom-up image), as the
// nearest-pixel mode takes it.
TEST(Dib, StretchDIBitsShrinkingTwoByTwoToOneKeepsTheFirstPixel) {
    const std::uint32_t pixels[] = {0xCAFED00D, 0xFEEDFACE, 0xFEDCBA98, 0x76543210};
    BITMAPINFO info;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 32;
    for (int mode : {BLACKONWHITE, COLORONCOLOR}) {
        Canvas32 dst(2, 1);
        SetStretchBltMode(dst.DC(), mode);
        EXPECT_EQ(
            StretchDIBits(dst.DC(), 0, 0, 1, 1, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY),
            2);
        EXPECT_EQ(dst.Surf().Pixel(0, 0) & 0xFFFFFF, 0xFEDCBA98u & 0xFFFFFF) << mode;
        EXPECT_EQ(dst.At(1, 0), 0xFFFFFFu); // beyond the destination pixel nothing changed
    }
}

TEST(Dib, GetAndSetDIBitsBottomUpAndTopDown) {
    Canvas32 c(2, 2);
    c.Surf().SetPixel(0, 0, 0x11);
    c.Surf().SetPixel(1, 1, 0x22);
    BITMAPINFO info;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2; // bottom-up: the last row first
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(4);
    EXPECT_EQ(GetDIBits(c.DC(), c.Bitmap(), 0, 2, pixels.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0x22, 0x11, 0xFFFFFF}));
    info.bmiHeader.biHeight = -2;
    GetDIBits(c.DC(), c.Bitmap(), 0, 2, pixels.data(), &info, DIB_RGB_COLORS);
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0x11, 0xFFFFFF, 0xFFFFFF, 0x22}));
    pixels = {0x80000001, 2, 3, 4};
    SetDIBits(c.DC(), c.Bitmap(), 0, 2, pixels.data(), &info, DIB_RGB_COLORS);
    EXPECT_EQ(c.Surf().Pixel(0, 0), 0x80000001u);
    EXPECT_EQ(c.Surf().Pixel(1, 1), 4u);
}

TEST(Dib, GetDIBitsWithoutBitsReportsTheSize) {
    Canvas32 c(3, 2);
    BITMAPINFO info;
    EXPECT_EQ(GetDIBits(c.DC(), c.Bitmap(), 0, 2, nullptr, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(info.bmiHeader.biWidth, 3);
    EXPECT_EQ(info.bmiHeader.biHeight, 2);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);
}

TEST(Dib, SectionBitsAreTheBitmapsPixels) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(NullDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bits, nullptr);
    // Bottom-up, rows padded to 4 bytes: the first row in memory is the bottom one.
    static_cast<std::uint8_t*>(bits)[2] = 0xFF;
    HDC dc = CreateCompatibleDC(NullDC);
    SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 0, 1), 0x0000FFu);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0u);
    DeleteDC(dc);
    DeleteObject(section);
}

TEST(Dib, StretchDIBitsReadsAMonochromeImageThroughItsColourTable) {
    Canvas32 c(8, 1);
    BITMAPINFO info;
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biBitCount = 1;
    info.bmiColors[0] = {0, 0, 255, 0}; // red
    info.bmiColors[1] = {255, 0, 0, 0}; // blue
    const std::uint8_t bits[4] = {0xF0, 0, 0, 0};
    StretchDIBits(c.DC(), 0, 0, 8, 1, 0, 0, 8, 1, bits, &info, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(c.Picture(0xFF0000), "####....");
    EXPECT_EQ(c.Picture(0x0000FF), "....####");
}

TEST(Dib, CompatibleBitmapOfAFreshMemoryContextIsMonochrome) {
    HDC dc = CreateCompatibleDC(NullDC);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    BITMAP bm;
    GetObject(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
} // namespace platform::gdi
