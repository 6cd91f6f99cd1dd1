#include "platform/gdi/drawing.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/tests/gdi_test_support.h"

#include <cstdio>
#include <string>
#include <vector>

namespace platform::gdi {
namespace {

using testing::Canvas32;

constexpr COLORREF Black = 0x000000;
constexpr COLORREF Red = 0x0000FF;

// Selects an object for the test's lifetime and deletes it afterwards.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_, old_;
};

struct LineCase {
    const char* name;
    TPoint from, to;
    const char* picture;
};

class LineToTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineToTest, DrawsEveryPixelButTheEndPoint) {
    Canvas32 c(5, 4);
    MoveToEx(c.DC(), GetParam().from.X, GetParam().from.Y, nullptr);
    LineTo(c.DC(), GetParam().to.X, GetParam().to.Y);
    EXPECT_EQ(c.Picture(Black), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineToTest,
    ::testing::Values(LineCase{"Rightwards", {0, 1}, {4, 1}, ".....|####.|.....|....."},
                      LineCase{"Leftwards", {4, 1}, {0, 1}, ".....|.####|.....|....."},
                      LineCase{"Downwards", {1, 0}, {1, 3}, ".#...|.#...|.#...|....."},
                      LineCase{"Diagonal", {0, 0}, {3, 3}, "#....|.#...|..#..|....."},
                      LineCase{"OfNoLength", {2, 2}, {2, 2}, ".....|.....|.....|....."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Drawing, LineToMovesTheCurrentPosition) {
    Canvas32 c(4, 4);
    MoveToEx(c.DC(), 0, 0, nullptr);
    LineTo(c.DC(), 3, 0);
    LineTo(c.DC(), 3, 3);
    TPoint p;
    GetCurrentPositionEx(c.DC(), &p);
    EXPECT_EQ(p, (TPoint{3, 3}));
    EXPECT_EQ(c.Picture(Black), "####|...#|...#|....");
}

TEST(Drawing, RectangleIsAPenOutlineAroundABrushInterior) {
    Canvas32 c(6, 5);
    Selected brush(c.DC(), CreateSolidBrush(Red));
    Rectangle(c.DC(), 1, 1, 5, 5);
    EXPECT_EQ(c.Picture(Black), "......|.####.|.#..#.|.#..#.|.####.");
    EXPECT_EQ(c.Picture(Red), "......|......|..##..|..##..|......");
}

TEST(Drawing, RectangleWithoutAPenIsOnePixelSmaller) {
    Canvas32 c(5, 5);
    Selected brush(c.DC(), CreateSolidBrush(Red));
    SelectObject(c.DC(), GetStockObject(NULL_PEN));
    Rectangle(c.DC(), 1, 1, 4, 4);
    EXPECT_EQ(c.Picture(Red), ".....|.##..|.##..|.....|.....");
}

TEST(Drawing, PolygonFillsAndOutlinesThroughEveryVertex) {
    Canvas32 c(6, 5);
    Selected brush(c.DC(), CreateSolidBrush(Red));
    TPoint square[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
    Polygon(c.DC(), square, 4);
    EXPECT_EQ(c.Picture(Black), "......|.####.|.#..#.|.#..#.|.####.");
    EXPECT_EQ(c.Picture(Red), "......|......|..##..|..##..|......");
}

// The platform's polygon fill takes a pixel by its integer coordinates: pixels on a left or top
// edge are inside, those on a right or bottom edge outside, under either fill mode.
struct PolygonFillCase {
    const char* name;
    std::vector<TPoint> points;
    bool pen;
    const char* picture; // the red brush, or the black pen where there is one
};

class PolygonFillTest : public ::testing::TestWithParam<PolygonFillCase> {};

TEST_P(PolygonFillTest, FillsByThePlatformsRule) {
    const auto& param = GetParam();
    for (int mode : {ALTERNATE, WINDING}) {
        Canvas32 c(5, 5);
        Selected brush(c.DC(), CreateSolidBrush(Red));
        SetPolyFillMode(c.DC(), mode);
        if (!param.pen) SelectObject(c.DC(), GetStockObject(NULL_PEN));
        Polygon(c.DC(), param.points.data(), static_cast<int>(param.points.size()));
        if (param.pen) {
            // A small arrow drawn with pen and brush: the brush fills what the outline leaves.
            std::string solid;
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 5; ++x)
                    solid += c.At(x, y) == Black || c.At(x, y) == Red ? '#' : '.';
                if (y < 4) solid += '|';
            }
            EXPECT_EQ(solid, param.picture) << "mode " << mode;
        } else {
            EXPECT_EQ(c.Picture(Red), param.picture) << "mode " << mode;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, PolygonFillTest,
    ::testing::Values(
        // The three-row arrow: its inner pixel (2,1) is on no outline and must be filled.
        PolygonFillCase{
            "ThreeRowArrowFill", {{0, 0}, {4, 0}, {2, 2}}, false, "####.|.##..|.....|.....|....."},
        PolygonFillCase{
            "ThreeRowArrowSolid", {{0, 0}, {4, 0}, {2, 2}}, true, "#####|.###.|..#..|.....|....."},
        PolygonFillCase{
            "UpArrowFill", {{2, 0}, {4, 2}, {0, 2}}, false, ".....|.##..|.....|.....|....."},
        PolygonFillCase{
            "RightArrowFill", {{0, 0}, {2, 2}, {0, 4}}, false, ".....|#....|##...|#....|....."},
        PolygonFillCase{
            "RightTriangleFill", {{0, 0}, {4, 0}, {0, 4}}, false, "####.|###..|##...|#....|....."},
        PolygonFillCase{"SquareFill",
                        {{1, 1}, {4, 1}, {4, 4}, {1, 4}},
                        false,
                        ".....|.###.|.###.|.###.|....."}),
    [](const auto& info) { return info.param.name; });

TEST(Drawing, EllipseStaysInsideItsBoxAndIsSymmetric) {
    Canvas32 c(12, 10);
    Selected brush(c.DC(), CreateSolidBrush(Red));
    Ellipse(c.DC(), 1, 1, 11, 9);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            bool inside = x >= 1 && x < 11 && y >= 1 && y < 9;
            if (!inside) {
                EXPECT_EQ(c.At(x, y), 0xFFFFFFu) << x << "," << y;
            }
            EXPECT_EQ(c.At(x, y), c.At(11 - x, y)) << x << "," << y;
            EXPECT_EQ(c.At(x, y), c.At(x, 9 - y)) << x << "," << y;
        }
    // The box's edges are touched in the middle, and the centre is brush.
    EXPECT_EQ(c.At(5, 1), Black);
    EXPECT_EQ(c.At(1, 4), Black);
    EXPECT_EQ(c.At(10, 4), Black);
    EXPECT_EQ(c.At(5, 8), Black);
    EXPECT_EQ(c.At(5, 4), Red);
}

TEST(Drawing, ArcRunsCounterClockwiseFromStartToEnd) {
    // From the right-hand ray to the left-hand one: the upper half, or the lower one clockwise.
    for (int direction : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
        Canvas32 c(12, 12);
        SetArcDirection(c.DC(), direction);
        Arc(c.DC(), 1, 1, 11, 11, 11, 6, 1, 6);
        int upper = 0, lower = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                if (c.At(x, y) != Black) continue;
                if (y < 5) ++upper;
                if (y > 6) ++lower;
            }
        EXPECT_EQ(upper > 0, direction == AD_COUNTERCLOCKWISE);
        EXPECT_EQ(lower > 0, direction == AD_CLOCKWISE);
    }
}

TEST(Drawing, DottedPenAlternatesThreeOnThreeOffWithOpaqueGaps) {
    Canvas32 c(12, 1);
    Selected pen(c.DC(), CreatePen(PS_DOT, 1, Black));
    SetBkColor(c.DC(), Red);
    MoveToEx(c.DC(), 0, 0, nullptr);
    LineTo(c.DC(), 12, 0);
    EXPECT_EQ(c.Picture(Black), "###...###...");
    EXPECT_EQ(c.Picture(Red), "...###...###");
    SetBkMode(c.DC(), TRANSPARENT);
    c.Surf().Fill(0xFFFFFF);
    MoveToEx(c.DC(), 0, 0, nullptr);
    LineTo(c.DC(), 12, 0);
    EXPECT_EQ(c.Picture(0xFFFFFF), "...###...###");
}

TEST(Drawing, Rop2XorPenInvertsTwiceBackToTheStart) {
    Canvas32 c(4, 1);
    Selected pen(c.DC(), CreatePen(PS_SOLID, 1, 0xFFFFFF));
    SetROP2(c.DC(), R2_XORPEN);
    MoveToEx(c.DC(), 0, 0, nullptr);
    LineTo(c.DC(), 2, 0);
    EXPECT_EQ(c.Picture(Black), "##..");
    MoveToEx(c.DC(), 0, 0, nullptr);
    LineTo(c.DC(), 2, 0);
    EXPECT_EQ(c.Picture(0xFFFFFF), "####");
}

TEST(Drawing, InsideFramePenKeepsAWideOutlineInsideTheBox) {
    Canvas32 c(10, 10);
    Selected pen(c.DC(), CreatePen(PS_INSIDEFRAME, 3, Black));
    SelectObject(c.DC(), GetStockObject(NULL_BRUSH));
    Rectangle(c.DC(), 2, 2, 8, 8);
    EXPECT_EQ(c.Picture(Black), "..........|..........|..######..|..######..|..######..|..######.."
                                "|..######..|..######..|..........|..........");
}

TEST(Drawing, FillRectCopiesTheBrushAndLeavesTheRightAndBottomEdgesOut) {
    Canvas32 c(4, 3);
    SetROP2(c.DC(), R2_NOP); // FillRect ignores the binary raster operation
    HBRUSH red = CreateSolidBrush(Red);
    TRect r{1, 0, 3, 2};
    FillRect(c.DC(), &r, red);
    EXPECT_EQ(c.Picture(Red), ".##.|.##.|....");
    DeleteObject(red);
}

TEST(Drawing, FillRectTakesASystemColourIndexPlusOne) {
    Canvas32 c(2, 1);
    TRect r{0, 0, 2, 1};
    FillRect(c.DC(), &r, HBRUSH{COLOR_BTNSHADOW + 1});
    EXPECT_EQ(c.At(1, 0), GetSysColor(COLOR_BTNSHADOW));
}

TEST(Drawing, PatternBrushIsAnchoredAtTheBrushOrigin) {
    // A 2 x 2 checkerboard as a monochrome bitmap: rows 10000000B and 01000000B.
    const std::uint8_t bits[] = {0x80, 0x00, 0x40, 0x00};
    HBITMAP pattern = CreateBitmap(2, 2, 1, 1, bits);
    Canvas32 c(4, 2);
    Selected brush(c.DC(), CreatePatternBrush(pattern));
    SetTextColor(c.DC(), Black); // 0 bits
    SetBkColor(c.DC(), Red);     // 1 bits
    PatBlt(c.DC(), 0, 0, 4, 2, PATCOPY);
    EXPECT_EQ(c.Picture(Red), "#.#.|.#.#");
    SetBrushOrgEx(c.DC(), 1, 0, nullptr);
    PatBlt(c.DC(), 0, 0, 4, 2, PATCOPY);
    EXPECT_EQ(c.Picture(Red), ".#.#|#.#.");
    DeleteObject(pattern);
}

TEST(Drawing, DrawingOnA32BitSurfaceWritesAlphaZero) {
    Canvas32 c(2, 1);
    c.Surf().Fill(0xFF123456);
    SetPixel(c.DC(), 0, 0, Red);
    EXPECT_EQ(c.Surf().Pixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(c.Surf().Pixel(1, 0), 0xFF123456u);
}

TEST(Drawing, FrameRectAndInvertRect) {
    Canvas32 c(5, 4);
    HBRUSH red = CreateSolidBrush(Red);
    TRect r{0, 0, 4, 3};
    FrameRect(c.DC(), &r, red);
    EXPECT_EQ(c.Picture(Red), "####.|#..#.|####.|.....");
    SetPixel(c.DC(), 2, 1, RGB(0x12, 0x34, 0x56));
    // Over white, the red frame and a colour of every channel: each bit of each channel flips.
    TRect inner{1, 1, 3, 3};
    InvertRect(c.DC(), &inner);
    EXPECT_EQ(c.Picture(Black), ".....|.#...|.....|.....");
    EXPECT_EQ(c.At(2, 1), RGB(0xED, 0xCB, 0xA9));
    EXPECT_EQ(c.Picture(RGB(0, 255, 255)), ".....|.....|.##..|.....");
    EXPECT_EQ(c.Picture(Red), "####.|#..#.|#..#.|.....");
    DeleteObject(red);
}

TEST(Drawing, FocusRectIsDottedAndASecondCallTakesItAway) {
    Canvas32 c(4, 3);
    TRect r{0, 0, 4, 3};
    DrawFocusRect(c.DC(), &r);
    EXPECT_EQ(c.Picture(Black), "#.#.|...#|#.#.");
    DrawFocusRect(c.DC(), &r);
    EXPECT_EQ(c.Picture(0xFFFFFF), "####|####|####");
}

TEST(Drawing, OriginsMoveLogicalCoordinates) {
    Canvas32 c(4, 4);
    SetWindowOrgEx(c.DC(), 10, 10, nullptr);
    SetViewportOrgEx(c.DC(), 1, 0, nullptr);
    SetPixel(c.DC(), 11, 12, Red);
    EXPECT_EQ(c.At(2, 2), Red);
    EXPECT_EQ(GetPixel(c.DC(), 11, 12), Red);
}

struct MonoPenCase {
    COLORREF color;
    bool white;   // what the pen draws
    bool nearest; // GetNearestColor: white is the nearer of the two
};

class SolidPenOnMonochrome : public ::testing::TestWithParam<MonoPenCase> {};

// A pen on a monochrome bitmap draws white only in exactly white; every other colour, however
// light, draws black, whatever the background colour, thin or wide. GetNearestColor still answers
// with the nearer of black and white (the channel sum past 382).
TEST_P(SolidPenOnMonochrome, DrawsBlackUnlessExactlyWhite) {
    const auto& c = GetParam();
    const COLORREF expected = c.white ? 0xFFFFFF : 0x000000;
    for (COLORREF background : {COLORREF{0xFFFFFF}, COLORREF{0x000000}, c.color}) {
        for (int width : {1, 3}) {
            Canvas32 mono(5, 5, 1);
            mono.Surf().Fill(c.white ? 0 : 0xFFFFFF);
            SetBkColor(mono.DC(), background);
            Selected pen(mono.DC(), CreatePen(PS_SOLID, width, c.color));
            MoveToEx(mono.DC(), 0, 2, nullptr);
            LineTo(mono.DC(), 5, 2);
            EXPECT_EQ(mono.At(2, 2), expected)
                << std::hex << c.color << " width " << width << " background " << background;
        }
    }
    Canvas32 mono(1, 1, 1);
    EXPECT_EQ(GetNearestColor(mono.DC(), c.color), c.nearest ? 0xFFFFFFu : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, SolidPenOnMonochrome,
    ::testing::Values(MonoPenCase{0x000000, false, false}, MonoPenCase{0xFFFFFF, true, true},
                      MonoPenCase{0xFEFFFF, false, true}, MonoPenCase{0xFFFFFE, false, true},
                      MonoPenCase{0x0000FF, false, false}, MonoPenCase{0x00FFFF, false, true},
                      MonoPenCase{0x808080, false, true}, MonoPenCase{0x7F807F, false, false},
                      MonoPenCase{0xC0C0C0, false, true}, MonoPenCase{0x404040, false, false}),
    // The colour as written in the table, and what it draws: ColourFEFFFFDrawsBlack.
    [](const auto& info) {
        char hex[7];
        std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(info.param.color));
        return "Colour" + std::string(hex) + (info.param.white ? "DrawsWhite" : "DrawsBlack");
    });

// A light pen colour, which drew white by the nearer-colour rule, draws black on a monochrome
// bitmap in every shape a pen outlines, and a brush of that colour still fills white.
TEST(Drawing, ANearWhitePenOutlinesBlackOnMonochrome) {
    for (Pixel32 before : {Pixel32{0xFFFFFF}, Pixel32{0}}) {
        Canvas32 mono(6, 6, 1);
        mono.Surf().Fill(before);
        Selected pen(mono.DC(), CreatePen(PS_SOLID, 1, 0xF0F0F0));
        Selected brush(mono.DC(), CreateSolidBrush(0xF0F0F0));
        Rectangle(mono.DC(), 0, 0, 6, 6);
        EXPECT_EQ(mono.Picture(0xFFFFFF), "......|.####.|.####.|.####.|.####.|......") << before;
    }
}

struct FrameRgnCase {
    const char* name;
    const char* region; // '#' inside, on a white surface
    int width, height;
    const char* frame;
};

class FrameRgnShapes : public ::testing::TestWithParam<FrameRgnCase> {};

// Every edge gets its border: the outer one, a concave corner's (diagonally too) and a hole's.
TEST_P(FrameRgnShapes, FramesEveryEdgeOfTheRegion) {
    const auto& c = GetParam();
    std::string rows = c.region;
    int w = static_cast<int>(rows.find('|')), h = static_cast<int>(rows.size() + 1) / (w + 1);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (rows[static_cast<std::size_t>(y * (w + 1) + x)] == '#') {
                HRGN pixel = CreateRectRgn(x, y, x + 1, y + 1);
                CombineRgn(region, region, pixel, RGN_OR);
                DeleteObject(pixel);
            }
    Canvas32 canvas(w, h);
    HBRUSH red = CreateSolidBrush(Red);
    EXPECT_EQ(FrameRgn(canvas.DC(), region, red, c.width, c.height), 1);
    EXPECT_EQ(canvas.Picture(Red), c.frame);
    DeleteObject(red);
    DeleteObject(region);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FrameRgnShapes,
    ::testing::Values(
        // An L: the pixel diagonal to the concave corner belongs to the frame.
        FrameRgnCase{"LShape", "###..|###..|###..|#####|#####", 1, 1,
                     "###..|#.#..|#.#..|#.###|#####"},
        FrameRgnCase{"LShapeTwoWide",
                     "#####....|#####....|#####....|#########|#########|#########|#########", 2, 1,
                     "#####....|##.##....|##.##....|##.######|##.....##|##.....##|#########"},
        // A hole two pixels wide gets a border two pixels wide around it.
        FrameRgnCase{"HoleTwoWide",
                     "############|############|############|#####..#####|############|"
                     "############|############",
                     2, 1,
                     "############|##........##|##.######.##|##.##..##.##|##.######.##|"
                     "##........##|############"},
        FrameRgnCase{"HoleOnePixel",
                     "#########|#########|#########|####.####|#########|#########|#########", 1, 1,
                     "#########|#.......#|#..###..#|#..#.#..#|#..###..#|#.......#|#########"},
        // Two separate rectangles are framed each on its own.
        FrameRgnCase{"TwoRectangles", "###.###|###.###|###.###", 1, 1, "###.###|#.#.#.#|###.###"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Drawing, FrameRgnDrawsInsideTheRegionsEdge) {
    Canvas32 c(6, 4);
    HRGN region = CreateRectRgn(0, 0, 6, 4);
    HBRUSH red = CreateSolidBrush(Red);
    FrameRgn(c.DC(), region, red, 2, 1);
    EXPECT_EQ(c.Picture(Red), "######|##..##|##..##|######");
    DeleteObject(red);
    DeleteObject(region);
}

} // namespace
} // namespace platform::gdi
