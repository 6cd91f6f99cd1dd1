#include "platform/gdi/region_handles.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/tests/gdi_test_support.h"

#include <cstdlib>
#include <map>
#include <string>

namespace platform::gdi {
namespace {

using testing::Canvas32;

struct CombineCase {
    int mode;
    int kind;
    TRect box;
    TPoint in, out;
};

class CombineTest : public ::testing::TestWithParam<CombineCase> {};

TEST_P(CombineTest, CombinesTwoOverlappingRectangles) {
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15);
    HRGN dest = CreateRectRgn(0, 0, 0, 0);
    const auto& c = GetParam();
    EXPECT_EQ(CombineRgn(dest, a, b, c.mode), c.kind);
    TRect box;
    GetRgnBox(dest, &box);
    EXPECT_EQ(box, c.box);
    EXPECT_TRUE(PtInRegion(dest, c.in.X, c.in.Y));
    EXPECT_FALSE(PtInRegion(dest, c.out.X, c.out.Y));
    for (HRGN r : {a, b, dest})
        DeleteObject(r);
}

std::string CombineCaseName(const ::testing::TestParamInfo<CombineCase>& info) {
    static const std::map<int, std::string> Names = {
        {RGN_AND, "And"}, {RGN_OR, "Or"}, {RGN_DIFF, "Diff"}, {RGN_XOR, "Xor"}, {RGN_COPY, "Copy"}};
    return Names.at(info.param.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CombineTest,
    ::testing::Values(CombineCase{RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, {5, 5}, {4, 4}},
                      CombineCase{RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, {14, 14}, {14, 0}},
                      CombineCase{RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, {4, 9}, {5, 5}},
                      CombineCase{RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, {12, 12}, {7, 7}},
                      CombineCase{RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, {9, 9}, {10, 10}}),
    CombineCaseName);

TEST(Regions, EmptyResultIsNullRegionAndOffsetMoves) {
    HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(4, 0, 8, 4),
         dest = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(CombineRgn(dest, a, b, RGN_AND), NULLREGION);
    EXPECT_EQ(OffsetRgn(a, 10, 20), SIMPLEREGION);
    TRect box;
    GetRgnBox(a, &box);
    EXPECT_EQ(box, (TRect{10, 20, 14, 24}));
    // Two rectangles that touch make one.
    EXPECT_EQ(CombineRgn(dest, b, CreateRectRgn(0, 0, 4, 4), RGN_OR), SIMPLEREGION);
    for (HRGN r : {a, b, dest})
        DeleteObject(r);
}

// Turning (what an escapement does to text): a quarter turn maps pixels exactly, an eighth
// lays a strip along the diagonal, up and to the right of the pivot.
TEST(Regions, TurnedAboutAPivot) {
    const Region Strip = Region::FromRect({10, 10, 20, 11});
    EXPECT_EQ(Strip.Turned({10, 10}, -900).Bounds(), (TRect{9, 10, 10, 20}));
    EXPECT_EQ(Strip.Turned({10, 10}, 2700), Strip.Turned({10, 10}, -900));
    EXPECT_EQ(Strip.Turned({10, 10}, 3600), Strip);
    const Region Diagonal = Strip.Turned({10, 10}, 450);
    const TRect Box = Diagonal.Bounds();
    EXPECT_EQ(Box.Left, 10);
    EXPECT_EQ(Box.Bottom, 11);
    EXPECT_NEAR(Box.Width(), 8, 1);
    EXPECT_NEAR(Box.Height(), 8, 1);
    for (const TRect& R : Diagonal.Rects())
        for (int X = R.Left; X < R.Right; ++X)
            EXPECT_LE(std::abs((X - 10) + (R.Top - 10)), 2) << X << "," << R.Top;
}

TEST(Regions, EllipseAndPolygonRegions) {
    HRGN ellipse = CreateEllipticRgn(0, 0, 10, 10);
    TRect box;
    EXPECT_EQ(GetRgnBox(ellipse, &box), COMPLEXREGION);
    EXPECT_EQ(box, (TRect{0, 0, 10, 10}));
    EXPECT_TRUE(PtInRegion(ellipse, 5, 5));
    EXPECT_FALSE(PtInRegion(ellipse, 0, 0));
    TPoint triangle[] = {{0, 0}, {8, 0}, {0, 8}};
    HRGN polygon = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_TRUE(PtInRegion(polygon, 0, 0));
    EXPECT_TRUE(PtInRegion(polygon, 6, 0));
    EXPECT_FALSE(PtInRegion(polygon, 7, 1));
    HRGN same = CreatePolygonRgn(triangle, 3, WINDING);
    EXPECT_TRUE(EqualRgn(polygon, same));
    for (HRGN r : {ellipse, polygon, same})
        DeleteObject(r);
}

TEST(Clipping, NoClipRegionIsNotAnEmptyOne) {
    Canvas32 c(3, 1);
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(c.DC(), probe), 0);
    SelectClipRgn(c.DC(), empty);
    EXPECT_EQ(GetClipRgn(c.DC(), probe), 1);
    EXPECT_EQ(SetPixel(c.DC(), 0, 0, 0), CLR_INVALID);
    SelectClipRgn(c.DC(), NullObject);
    EXPECT_EQ(SetPixel(c.DC(), 0, 0, 0), 0u);
    DeleteObject(empty);
    DeleteObject(probe);
}

TEST(Clipping, SelectedRegionIsACopyInDeviceCoordinates) {
    Canvas32 c(4, 1);
    HRGN region = CreateRectRgn(1, 0, 2, 1);
    SelectClipRgn(c.DC(), region);
    DeleteObject(region); // the context keeps its own copy
    SetWindowOrgEx(c.DC(), 1, 0, nullptr);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    TRect all{-5, 0, 5, 1};
    FillRect(c.DC(), &all, black);
    EXPECT_EQ(c.Picture(0), ".#..");
    TRect box;
    EXPECT_EQ(GetClipBox(c.DC(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (TRect{2, 0, 3, 1})); // logical
}

TEST(Clipping, ExcludeAndIntersectClipRects) {
    Canvas32 c(5, 1);
    IntersectClipRect(c.DC(), 1, 0, 4, 1);
    ExcludeClipRect(c.DC(), 2, 0, 3, 1);
    EXPECT_FALSE(PtVisible(c.DC(), 2, 0));
    TRect all{0, 0, 5, 1};
    FillRect(c.DC(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Picture(0), ".#.#.");
    EXPECT_TRUE(RectVisible(c.DC(), &all));
}

struct RectVisibleCase {
    const char* name;
    TRect rect;
    bool visible;
};

class RectVisibleTest : public ::testing::TestWithParam<RectVisibleCase> {};

// The clip region is (2, 1)-(4, 3). An inverted rectangle is taken set right, as RectInRegion
// takes it; an empty one is never visible.
TEST_P(RectVisibleTest, TakesAnInvertedRectangleSetRight) {
    const auto& c = GetParam();
    Canvas32 canvas(6, 4);
    IntersectClipRect(canvas.DC(), 2, 1, 4, 3);
    EXPECT_EQ(RectVisible(canvas.DC(), &c.rect) != 0, c.visible);
    HRGN clip = CreateRectRgn(2, 1, 4, 3);
    EXPECT_EQ(RectInRegion(clip, &c.rect) != 0, c.visible);
    DeleteObject(clip);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, RectVisibleTest,
    ::testing::Values(RectVisibleCase{"Overlapping", {0, 0, 3, 2}, true},
                      RectVisibleCase{"OverlappingInvertedBothWays", {3, 2, 0, 0}, true},
                      RectVisibleCase{"OverlappingInvertedVertically", {0, 2, 3, 0}, true},
                      RectVisibleCase{"OverlappingInvertedHorizontally", {3, 0, 0, 2}, true},
                      RectVisibleCase{"InvertedOutside", {6, 4, 4, 3}, false},
                      RectVisibleCase{"InvertedEndingAtTheLeftEdge", {2, 0, 0, 4}, false},
                      RectVisibleCase{"EmptyInside", {3, 1, 3, 3}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Clipping, WindowContextDrawsFromItsOriginInsideItsVisibleArea) {
    auto surface = std::make_shared<Surface>(6, 1, 32);
    surface->Fill(0xFFFFFF);
    HDC dc = CreateSurfaceDC(surface, {2, 0}, Region::FromRect({2, 0, 4, 1}));
    TRect all{-10, 0, 10, 1};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    std::string picture;
    for (int x = 0; x < 6; ++x)
        picture += surface->Pixel(x, 0) == 0 ? '#' : '.';
    EXPECT_EQ(picture, "..##..");
    TRect box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (TRect{0, 0, 2, 1}));
    EXPECT_EQ(GetNearestColor(dc, 0x123456), 0x123456u);
    DeleteDC(dc);
}

TEST(SaveRestore, RestoresStateByLevelAndRelatively) {
    Canvas32 c(4, 1);
    SetTextColor(c.DC(), 1);
    int first = SaveDC(c.DC());
    SetTextColor(c.DC(), 2);
    IntersectClipRect(c.DC(), 0, 0, 1, 1);
    EXPECT_EQ(SaveDC(c.DC()), first + 1);
    SetTextColor(c.DC(), 3);
    EXPECT_TRUE(RestoreDC(c.DC(), -1));
    EXPECT_EQ(GetTextColor(c.DC()), 2u);
    EXPECT_FALSE(PtVisible(c.DC(), 2, 0));
    EXPECT_TRUE(RestoreDC(c.DC(), first));
    EXPECT_EQ(GetTextColor(c.DC()), 1u);
    EXPECT_TRUE(PtVisible(c.DC(), 2, 0));
    EXPECT_FALSE(RestoreDC(c.DC(), -1)); // nothing left to restore
}

TEST(SaveRestore, RestoringBringsBackTheSelectedObjects) {
    Canvas32 c(1, 1);
    HPEN red = CreatePen(PS_SOLID, 1, 0xFF);
    HGDIOBJ before = GetCurrentObject(c.DC(), OBJ_PEN);
    SaveDC(c.DC());
    SelectObject(c.DC(), red);
    RestoreDC(c.DC(), -1);
    EXPECT_EQ(GetCurrentObject(c.DC(), OBJ_PEN), before);
    DeleteObject(red);
}

TEST(Objects, BitmapSelectedIntoAContextCannotBeDeletedNorSelectedTwice) {
    Canvas32 c(1, 1);
    EXPECT_FALSE(DeleteObject(c.Bitmap()));
    HDC other = CreateCompatibleDC(NullDC);
    EXPECT_EQ(SelectObject(other, c.Bitmap()), NullObject);
    DeleteDC(other);
    EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_PEN)));
}

TEST(Objects, PenStillSelectedSurvivesItsHandle) {
    Canvas32 c(3, 1);
    HPEN red = CreatePen(PS_SOLID, 1, 0xFF);
    HGDIOBJ old = SelectObject(c.DC(), red);
    EXPECT_TRUE(DeleteObject(red));
    MoveToEx(c.DC(), 0, 0, nullptr);
    LineTo(c.DC(), 3, 0);
    EXPECT_EQ(c.Picture(0xFF), "###");
    SelectObject(c.DC(), old);
}

TEST(Objects, GetObjectDescribesTheObject) {
    HPEN pen = CreatePen(PS_DOT, 1, 0x123456);
    LOGPEN lp;
    EXPECT_EQ(GetObject(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(lp.lopnColor, 0x123456u);
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
    DeleteObject(pen);
    EXPECT_EQ(GetObjectType(pen), 0);
}

} // namespace
} // namespace platform::gdi
