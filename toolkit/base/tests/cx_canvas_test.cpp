#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/region_handles.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;
using pg::RGB;
using testing_support::ClassicColors;
using testing_support::TestSurface;

constexpr pg::COLORREF Back = RGB(1, 2, 3);
constexpr pg::COLORREF Red = RGB(255, 0, 0);
constexpr pg::COLORREF Blue = RGB(0, 0, 255);
constexpr pg::COLORREF Green = RGB(0, 255, 0);

class CxCanvas : public testing::Test {
protected:
    ClassicColors Colors;
};

TEST_F(CxCanvas, TwoWideFrameOnThreeWideRectangleFillsItAndNothingOutside) {
    TestSurface S(7, 7);
    TcxCanvas C(&S.Canvas());
    C.FrameRect({2, 2, 5, 5}, Red, 2);
    const std::string Outside = ".......";
    for (int Y : {0, 1, 5, 6})
        EXPECT_EQ(S.Row(Y, {{'R', Red}}), Outside) << "row " << Y;
    for (int Y : {2, 3, 4})
        EXPECT_EQ(S.Row(Y, {{'R', Red}}), "..RRR..") << "row " << Y;
}

TEST_F(CxCanvas, FrameRectDrawsOnlyTheChosenSidesAndNothingForAnEmptyRectangle) {
    TestSurface S(6, 5);
    TcxCanvas C(&S.Canvas());
    C.FrameRect({1, 1, 5, 4}, Red, 1, cxBorder(bLeft) | cxBorder(bBottom));
    C.FrameRect({3, 3, 3, 5}, Blue, 1);
    EXPECT_EQ(S.Row(0, {{'R', Red}, {'B', Blue}}), "......");
    EXPECT_EQ(S.Row(1, {{'R', Red}, {'B', Blue}}), ".R....");
    EXPECT_EQ(S.Row(2, {{'R', Red}, {'B', Blue}}), ".R....");
    EXPECT_EQ(S.Row(3, {{'R', Red}, {'B', Blue}}), ".RRRR.");
    EXPECT_EQ(S.Row(4, {{'R', Red}, {'B', Blue}}), "......");
}

TEST_F(CxCanvas, ComplexFrameGivesSharedCornersToTheRightAndBottomSides) {
    TestSurface S(6, 5);
    TcxCanvas C(&S.Canvas());
    C.DrawComplexFrame({0, 0, 6, 5}, Red, Blue);
    EXPECT_EQ(S.Row(0, {{'R', Red}, {'B', Blue}}), "RRRRRB");
    EXPECT_EQ(S.Row(1, {{'R', Red}, {'B', Blue}}), "R....B");
    EXPECT_EQ(S.Row(3, {{'R', Red}, {'B', Blue}}), "R....B");
    EXPECT_EQ(S.Row(4, {{'R', Red}, {'B', Blue}}), "BBBBBB");
}

TEST_F(CxCanvas, EdgesUseTheSystemColoursOfTheirKind) {
    struct Case {
        bool Sunken, Outer;
        pg::TColor LeftTop, RightBottom;
    };
    const Case Cases[] = {{false, false, pg::clBtnHighlight, pg::clBtnShadow},
                          {false, true, pg::cl3DLight, pg::cl3DDkShadow},
                          {true, false, pg::cl3DDkShadow, pg::cl3DLight},
                          {true, true, pg::clBtnShadow, pg::clBtnHighlight}};
    for (const Case& K : Cases) {
        TestSurface S(4, 4);
        TcxCanvas C(&S.Canvas());
        C.DrawEdge({0, 0, 4, 4}, K.Sunken, K.Outer);
        EXPECT_EQ(S.At(0, 1), pg::ColorToRGB(K.LeftTop)) << K.Sunken << K.Outer;
        EXPECT_EQ(S.At(1, 0), pg::ColorToRGB(K.LeftTop)) << K.Sunken << K.Outer;
        EXPECT_EQ(S.At(3, 1), pg::ColorToRGB(K.RightBottom)) << K.Sunken << K.Outer;
        EXPECT_EQ(S.At(1, 3), pg::ColorToRGB(K.RightBottom)) << K.Sunken << K.Outer;
        EXPECT_EQ(S.At(1, 1), Back);
    }
}

TEST_F(CxCanvas, FillRectWithNoneDrawsNothingAndWithDefaultUsesTheSelectedBrush) {
    TestSurface S(3, 1);
    TcxCanvas C(&S.Canvas());
    C.Brush().SetColor(Green);
    C.FillRect({0, 0, 1, 1}, pg::clNone);
    C.FillRect({1, 0, 2, 1}, pg::clDefault);
    C.FillRect({2, 0, 3, 1}, Red);
    EXPECT_EQ(S.Row(0, {{'G', Green}, {'R', Red}}), ".GR");
    EXPECT_EQ(C.Brush().Color(), Red);
}

// The fill colour of a framed fill follows the same rules as the frame's: clNone paints nothing
// (it used to become the brush colour 0x1FFFFFFF), clDefault keeps the brush, which the frame
// has just set to its own colour.
TEST_F(CxCanvas, FrameAndFillRectAppliesTheColourRulesToItsFill) {
    struct Case {
        const char* Name;
        pg::TColor Fill;
        const char* Middle;
    };
    const Case Cases[] = {
        {"none", pg::clNone, "R.R"}, {"default", pg::clDefault, "RRR"}, {"colour", Blue, "RBR"}};
    for (const Case& K : Cases) {
        TestSurface S(3, 3);
        TcxCanvas C(&S.Canvas());
        C.Brush().SetColor(Green);
        C.FrameAndFillRect({0, 0, 3, 3}, {pg::NullObject, K.Fill}, cxBordersAll, Red);
        EXPECT_EQ(S.Row(1, {{'R', Red}, {'G', Green}, {'B', Blue}}), K.Middle) << K.Name;
    }
}

TEST_F(CxCanvas, BitmapFillIsAnchoredAtLogicalOrigin) {
    // A 3 x 2 pattern of six colours, tiled over a rectangle that starts inside a tile.
    TestSurface Pattern(3, 2);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 3; ++X)
            pg::SetPixel(Pattern.DC(), X, Y, RGB(10 + X, 20 + Y, 30));
    TestSurface S(12, 8);
    TcxCanvas C(&S.Canvas());
    C.SetWindowOrg({-1, 0});
    C.FillRectWithBitmap({4, 1, 10, 6}, Pattern.Bitmap());
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 12; ++X) {
            const int LX = X - 1; // logical x of device column X
            const bool Inside = LX >= 4 && LX < 10 && Y >= 1 && Y < 6;
            const pg::COLORREF Want = Inside ? RGB(10 + LX % 3, 20 + Y % 2, 30) : Back;
            EXPECT_EQ(S.At(X, Y), Want) << X << "," << Y;
        }
}

TEST_F(CxCanvas, BitmapFillWithoutBitmapFillsWithTheBrushAndCanExcludeTheRectangle) {
    TestSurface S(4, 1);
    TcxCanvas C(&S.Canvas());
    C.Brush().SetColor(Green);
    C.FillRectWithBitmap({0, 0, 2, 1}, pg::NullObject, true);
    C.FillRect({0, 0, 4, 1}, Red);
    EXPECT_EQ(S.Row(0, {{'G', Green}, {'R', Red}}), "GGRR");
}

std::set<std::pair<int, int>> Ink(const TestSurface& S, pg::COLORREF Color) {
    std::set<std::pair<int, int>> Out;
    for (int Y = 0; Y < S.Pixels().Height(); ++Y)
        for (int X = 0; X < S.Pixels().Width(); ++X)
            if (S.At(X, Y) == Color) Out.insert({X, Y});
    return Out;
}

std::set<std::pair<int, int>> Shifted(const std::set<std::pair<int, int>>& Points, int DX, int DY) {
    std::set<std::pair<int, int>> Out;
    for (const auto& [X, Y] : Points)
        Out.insert({X + DX, Y + DY});
    return Out;
}

TEST_F(CxCanvas, DisabledRightAlignedTextEndsOnePixelFurtherLeftWithItsEmbossDownRight) {
    const TRect R{0, 0, 60, 20};
    const int Flags = cxAlignRight | cxSingleLine;
    TestSurface Enabled(60, 20), Disabled(60, 20);
    TcxCanvas E(&Enabled.Canvas()), D(&Disabled.Canvas());
    for (TcxCanvas* C : {&E, &D}) {
        C->Brush().SetStyle(pg::TBrushStyle::bsClear);
        C->Font().SetColor(pg::clBlack);
    }
    E.DrawText("Hi", R, Flags);
    D.DrawText("Hi", R, Flags, false);

    const auto Text = Ink(Enabled, RGB(0, 0, 0));
    ASSERT_FALSE(Text.empty());
    const auto Shadow = Ink(Disabled, pg::ColorToRGB(pg::clBtnShadow));
    EXPECT_EQ(Shadow, Shifted(Text, -1, 0));
    std::set<std::pair<int, int>> Emboss;
    for (const auto& P : Shifted(Shadow, 1, 1))
        if (!Shadow.contains(P)) Emboss.insert(P);
    EXPECT_EQ(Ink(Disabled, pg::ColorToRGB(pg::clBtnHighlight)), Emboss);
    // The font colour and brush style are back.
    EXPECT_EQ(D.Font().Color(), pg::clBlack);
    EXPECT_EQ(D.Brush().Style(), pg::TBrushStyle::bsClear);
}

TEST_F(CxCanvas, EmptyTextDrawsNothingAndChangesNothing) {
    TestSurface S(10, 10);
    TcxCanvas C(&S.Canvas());
    C.Brush().SetColor(Green);
    C.Font().SetColor(Red);
    C.DrawText("", {0, 0, 10, 10}, cxAlignLeft, false);
    EXPECT_EQ(Ink(S, Back).size(), 100u);
    EXPECT_EQ(C.Brush().Color(), Green);
    EXPECT_EQ(C.Brush().Style(), pg::TBrushStyle::bsSolid);
    EXPECT_EQ(C.Font().Color(), Red);
}

TEST_F(CxCanvas, MultiLineTextIsAlignedAtTheBottomByItsMeasuredHeight) {
    TestSurface S(80, 60);
    TcxCanvas C(&S.Canvas());
    const int LineHeight = C.TextHeight("Qq");
    TRect Measured{0, 0, 80, 60};
    C.TextExtent("one\ntwo", Measured, cxAlignLeft);
    EXPECT_EQ(Measured.Height(), 2 * LineHeight);
    TRect R{0, 0, 80, 60};
    C.AlignMultiLineTextRectVertically(R, "one\ntwo", vaBottom, false, false);
    EXPECT_EQ(R.Top, 60 - 2 * LineHeight);
    TRect Centred{0, 0, 80, 60};
    C.AlignMultiLineTextRectVertically(Centred, "one\ntwo", vaCenter, false, false);
    EXPECT_EQ(Centred.Top, (60 - 2 * LineHeight) / 2);
}

TEST(CxFlags, LibraryTextFlagsBecomeDrawTextFormats) {
    EXPECT_EQ(cxFlagsToDTFlags(0), pg::DT_NOPREFIX);
    EXPECT_EQ(cxFlagsToDTFlags(cxShowPrefix | cxAlignRight), pg::DT_RIGHT);
    EXPECT_EQ(cxFlagsToDTFlags(cxWordBreak),
              pg::DT_NOPREFIX | pg::DT_WORDBREAK | pg::DT_EDITCONTROL);
    EXPECT_EQ(cxFlagsToDTFlags(cxWordBreak | cxDontBreakChars), pg::DT_NOPREFIX | pg::DT_WORDBREAK);
    EXPECT_EQ(cxFlagsToDTFlags(cxAlignHCenter | cxAlignVCenter | cxSingleLine | cxDontClip |
                               cxExpandTabs | cxShowEndEllipsis | cxDontPrint | cxShowPathEllipsis |
                               cxAlignBottom),
              pg::DT_NOPREFIX | pg::DT_CENTER | pg::DT_VCENTER | pg::DT_SINGLELINE | pg::DT_NOCLIP |
                  pg::DT_EXPANDTABS | pg::DT_END_ELLIPSIS | pg::DT_CALCRECT | pg::DT_PATH_ELLIPSIS |
                  pg::DT_BOTTOM);
}

TEST_F(CxCanvas, ClipRegionWithoutClippingIsTheLargeRectangleInLogicalCoordinates) {
    TestSurface S(10, 10);
    TcxCanvas C(&S.Canvas());
    C.SetWindowOrg({5, 7});
    auto Logical = C.GetClipRegion();
    TRect Box;
    pg::GetRgnBox(Logical->Handle(), &Box);
    EXPECT_EQ(Box, (TRect{5, 7, 30005, 30007}));
    auto Device = C.GetClipRegion(false);
    pg::GetRgnBox(Device->Handle(), &Box);
    EXPECT_EQ(Box, (TRect{0, 0, 30000, 30000}));
}

TEST_F(CxCanvas, ClipRegionOperationsAndTheirStack) {
    TestSurface S(6, 1);
    TcxCanvas C(&S.Canvas());
    C.SetWindowOrg({1, 0}); // logical x = device x + 1
    C.SaveClipRegion();
    C.SetClipRegion(TcxRegion::CreateBounds(2, 0, 6, 1), rgnSet);
    TcxRegion Kept(3, 0, 4, 1);
    C.SetClipRegion(Kept, rgnSubtract);
    C.FillRect({0, 0, 10, 1}, Red);
    EXPECT_EQ(S.Row(0, {{'R', Red}}), ".R.RR.");
    TRect Box;
    pg::GetRgnBox(Kept.Handle(), &Box);
    EXPECT_EQ(Box, (TRect{3, 0, 4, 1})) << "a region that is not destroyed is left as it was";
    C.RestoreClipRegion();
    C.FillRect({0, 0, 10, 1}, Blue);
    EXPECT_EQ(S.Row(0, {{'B', Blue}}), "BBBBBB");
}

TEST_F(CxCanvas, SavedStateBringsBackFontBrushAndPen) {
    TestSurface S(4, 4);
    TcxCanvas C(&S.Canvas());
    C.Brush().SetColor(Green);
    C.Font().SetColor(Blue);
    C.Pen().SetWidth(3);
    C.SaveState();
    C.Brush().SetColor(Red);
    C.Font().SetColor(Red);
    C.Pen().SetWidth(1);
    C.IntersectClipRect({0, 0, 1, 1});
    C.RestoreState();
    EXPECT_EQ(C.Brush().Color(), Green);
    EXPECT_EQ(C.Font().Color(), Blue);
    EXPECT_EQ(C.Pen().Width(), 3);
    C.FillRect({0, 0, 4, 4});
    EXPECT_EQ(S.At(3, 3), Green) << "the clip of the saved context is back too";
}

TEST_F(CxCanvas, RestoresWithNothingSavedDoNothing) {
    TestSurface S(2, 1);
    TcxCanvas C(&S.Canvas());
    C.IntersectClipRect({0, 0, 1, 1});
    C.RestoreState();
    C.RestoreDC();
    C.RestoreClipRegion();
    C.FillRect({0, 0, 2, 1}, Red);
    EXPECT_EQ(S.Row(0, {{'R', Red}}), "R.");
}

TEST_F(CxCanvas, InvertRectInvertsOnlyTheRectangle) {
    TestSurface S(3, 1, RGB(0, 0, 0));
    TcxCanvas C(&S.Canvas());
    C.InvertRect({1, 0, 2, 1});
    EXPECT_EQ(S.Row(0, {{'W', RGB(255, 255, 255)}}), ".W.");
}

TEST(CxRegion, EmptyRegionsAreEqualWhateverTheirHandles) {
    TcxRegion A, B(5, 5, 5, 9);
    EXPECT_TRUE(A.IsEmpty());
    EXPECT_TRUE(A.IsEqual(&B));
    EXPECT_FALSE(A.IsEqual(nullptr));
    auto R1 = TcxRegion::CreateFromRect({0, 0, 2, 2});
    auto R2 = TcxRegion::CreateRect({0, 0, 2, 2});
    EXPECT_TRUE(R1->IsEqual(R2.get()));
    EXPECT_FALSE(R1->IsEqual(&A));
}

TEST(CxRegion, CombineOperations) {
    struct Case {
        TcxRegionOperation Operation;
        TRect Box;
    };
    const Case Cases[] = {{rgnSet, {2, 0, 6, 1}},
                          {rgnAdd, {0, 0, 6, 1}},
                          {rgnSubtract, {0, 0, 2, 1}},
                          {rgnIntersect, {2, 0, 4, 1}}};
    for (const Case& K : Cases) {
        TcxRegion R(0, 0, 4, 1);
        R.Combine(TcxRegion::CreateBounds(2, 0, 6, 1), K.Operation);
        TRect Box;
        pg::GetRgnBox(R.Handle(), &Box);
        EXPECT_EQ(Box, K.Box) << int(K.Operation);
    }
    TcxRegion R(0, 0, 4, 1);
    R.Offset(3, 2);
    TRect Box;
    pg::GetRgnBox(R.Handle(), &Box);
    EXPECT_EQ(Box, (TRect{3, 2, 7, 3}));
    R.DestroyHandle();
    EXPECT_EQ(R.Handle(), pg::HRGN{});
}

TEST(CxScreenCanvas, MeasuresTextOnTheScreen) {
    EXPECT_GT(cxScreenCanvas().TextWidth("Qq"), 0);
    EXPECT_EQ(&cxScreenCanvas(), &cxScreenCanvas());
}

} // namespace
} // namespace toolkit::base
