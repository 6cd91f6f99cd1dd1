#include "toolkit/edit/cx_edit_paint_utils.h"
#include "toolkit/edit/solid_brush_cache.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/draw_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pg = platform::gdi;
namespace tb = toolkit::base;
using tb::testing_support::TestSurface;

constexpr pg::COLORREF Ink = pg::RGB(200, 10, 10);

// The brush cache's unit runs for each test, so that its brushes go with it.
class EditPaintUtilsTest : public ::testing::Test {
protected:
    void SetUp() override { InitializeSolidBrushCache(); }
    void TearDown() override { FinalizeSolidBrushCache(); }
};

struct ArrowSizeCase {
    const char* Name;
    TSize Box;
    TcxArrowDirection Direction;
    TSize Expected;
};

class ArrowSizeTest : public EditPaintUtilsTest,
                      public ::testing::WithParamInterface<ArrowSizeCase> {};

TEST_P(ArrowSizeTest, IsOddAndSwappedAcross) {
    EXPECT_EQ(GetArrowSize(GetParam().Box, GetParam().Direction), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ArrowSizeTest,
                         ::testing::Values(ArrowSizeCase{"Down10x7", {10, 7}, tb::adDown, {3, 2}},
                                           ArrowSizeCase{"Left10x7", {10, 7}, tb::adLeft, {2, 3}},
                                           ArrowSizeCase{"EvenMadeOdd", {20, 20}, tb::adUp, {9, 5}},
                                           ArrowSizeCase{"Tiny", {3, 3}, tb::adRight, {1, 1}}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

struct ArrowCase {
    const char* Name;
    TcxArrowDirection Direction;
    int Extra;
    bool Pressed;
    std::vector<std::string> Rows;
};

class ArrowDrawingTest : public EditPaintUtilsTest,
                         public ::testing::WithParamInterface<ArrowCase> {};

// Arrows of size 3 in a 9 x 9 box: 'x' is the arrow's colour.
TEST_P(ArrowDrawingTest, DrawsRowsCentredInTheBox) {
    TestSurface Surface(9, 9);
    tb::TcxCanvas Canvas(&Surface.Canvas());
    cxDrawArrow(Canvas, 3, {0, 0, 9, 9}, Ink, GetParam().Pressed, GetParam().Extra,
                GetParam().Direction);
    std::vector<std::string> Rows;
    for (int Y = 0; Y < 9; ++Y)
        Rows.push_back(Surface.Row(Y, {{'x', Ink}}));
    EXPECT_EQ(Rows, GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArrowDrawingTest,
    ::testing::Values(ArrowCase{"Up",
                                tb::adUp,
                                0,
                                false,
                                {".........", ".........", ".........", "....x....", "...xxx...",
                                 "..xxxxx..", ".........", ".........", "........."}},
                      ArrowCase{"DownPressed",
                                tb::adDown,
                                0,
                                true,
                                {".........", ".........", ".........", ".........", "...xxxxx.",
                                 "....xxx..", ".....x...", ".........", "........."}},
                      ArrowCase{"RightTwice",
                                tb::adRight,
                                1,
                                false,
                                {".........", ".........", ".x..x....", ".xx.xx...", ".xxxxxx..",
                                 ".xx.xx...", ".x..x....", ".........", "........."}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(EditPaintUtilsTest, DrawBorderEdgesDrawsTheNamedSidesAndShrinksTheRectangleByThem) {
    TestSurface Surface(6, 5);
    tb::TcxCanvas Canvas(&Surface.Canvas());
    TRect R{0, 0, 6, 5};
    DrawBorderEdges(Canvas, R, tb::cxBordersAll, Ink);
    EXPECT_EQ(R, (TRect{1, 1, 5, 4}));
    EXPECT_EQ(Surface.Row(0, {{'x', Ink}}), "xxxxxx");
    EXPECT_EQ(Surface.Row(2, {{'x', Ink}}), "x....x");
    EXPECT_EQ(Surface.Row(4, {{'x', Ink}}), "xxxxxx");

    TRect Left{0, 0, 6, 5};
    DrawBorderEdges(Canvas, Left, tb::cxBorder(tb::bLeft) | tb::cxBorder(tb::bBottom), Ink);
    EXPECT_EQ(Left, (TRect{1, 0, 6, 4}));
}

TEST_F(EditPaintUtilsTest, InternalPolyLineIncludesTheEndPixelWithPenAndWithBrush) {
    for (bool UseBrush : {false, true}) {
        TestSurface Surface(6, 6);
        tb::TcxCanvas Canvas(&Surface.Canvas());
        InternalPolyLine(Canvas, {{1, 1}, {4, 1}, {4, 4}}, 2, UseBrush, Ink);
        EXPECT_EQ(Surface.Row(1, {{'x', Ink}}), ".xxxx.") << UseBrush;
        EXPECT_EQ(Surface.Row(4, {{'x', Ink}}), "....x.") << UseBrush;
    }
}

TEST_F(EditPaintUtilsTest, FillRectBetweenByBrushFillsOnlyTheFourStrips) {
    TestSurface Surface(6, 5);
    tb::TcxCanvas Canvas(&Surface.Canvas());
    const pg::HBRUSH Brush = pg::CreateSolidBrush(Ink);
    FillRectBetweenByBrush(Canvas, {0, 0, 6, 5}, {2, 1, 5, 3}, Brush);
    pg::DeleteObject(Brush);
    EXPECT_EQ(Surface.Row(0, {{'x', Ink}}), "xxxxxx");
    EXPECT_EQ(Surface.Row(1, {{'x', Ink}}), "xx...x");
    EXPECT_EQ(Surface.Row(3, {{'x', Ink}}), "xxxxxx");
}

TEST_F(EditPaintUtilsTest, TextFlagsConvertBothWaysByTheirPairs) {
    const unsigned DrawText = pg::DT_CENTER | pg::DT_WORDBREAK | pg::DT_NOCLIP;
    EXPECT_EQ(DrawTextFlagsToCxTextFlags(DrawText), 0x4u | 0x20u | 0x400u);
    EXPECT_EQ(CxTextFlagsToDrawTextFlags(0x4u | 0x20u | 0x400u), DrawText);
    EXPECT_EQ(DrawTextFlagsToCxTextFlags(pg::DT_RIGHT | pg::DT_SINGLELINE | pg::DT_EXTERNALLEADING),
              0x2u | 0x10u | 0x40u);
}

TEST_F(EditPaintUtilsTest, EditPopupBorderWidthFollowsTheTableWithoutVisualStyles) {
    TestSurface Surface(2, 2);
    tb::TcxCanvas Canvas(&Surface.Canvas());
    const std::vector<int> Expected{0, 4, 2, 2, 2, 2, 2};
    for (int Style = 0; Style < 7; ++Style) {
        EXPECT_EQ(GetEditPopupBorderWidth(Canvas, Style, false), Expected[Style]) << Style;
        EXPECT_EQ(GetEditPopupBorderWidth(Canvas, Style, true), Expected[Style]) << Style;
    }
}

TEST_F(EditPaintUtilsTest, IsNumericCharOnlyDigits) {
    EXPECT_TRUE(IsNumericChar('0'));
    EXPECT_TRUE(IsNumericChar('9'));
    EXPECT_FALSE(IsNumericChar('a'));
    EXPECT_FALSE(IsNumericChar('/'));
}

TEST_F(EditPaintUtilsTest, IsGlyphAssignedNeedsABitmapWithPixels) {
    EXPECT_FALSE(IsGlyphAssigned(pg::HBITMAP{}));
    const pg::HBITMAP Bitmap = pg::CreateBitmap(3, 2, 1, 32, nullptr);
    EXPECT_TRUE(IsGlyphAssigned(Bitmap));
    pg::DeleteObject(Bitmap);
}

} // namespace
} // namespace toolkit::edit
