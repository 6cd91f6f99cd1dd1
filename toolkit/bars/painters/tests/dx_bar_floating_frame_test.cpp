#include "toolkit/bars/painters/dx_bar_floating_frame.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/component.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/win/painting.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

constexpr pg::COLORREF Blank = pg::RGB(1, 2, 3);

pg::COLORREF Face() {
    return pg::GetSysColor(pg::COLOR_BTNFACE);
}

TEST(FloatingFrameTest, TheCaptionHeightIsTheTallerOfTheScrollBarAndTheSmallCaptionAndTheLine) {
    ClassicColors Colors;
    const int Expected = std::max(pg::GetSystemMetrics(pg::SM_CYHSCROLL) + 2,
                                  pg::GetSystemMetrics(pg::SM_CYSMCAPTION)) +
                         1;
    EXPECT_EQ(GetFloatingCaptionHeight(), Expected);
}

struct CornerCase {
    const char* Name;
    pg::TRect Window;
    int Corner;
};

class SizeGripCornerTest : public ::testing::TestWithParam<CornerCase> {};

// Against a reference of (100, 100, 500, 400).
TEST_P(SizeGripCornerTest, TheGripFacesTheRoomBesideTheWindow) {
    EXPECT_EQ(GetSizeGripCorner(GetParam().Window, {100, 100, 500, 400}), GetParam().Corner);
}

INSTANTIATE_TEST_SUITE_P(Places, SizeGripCornerTest,
                         ::testing::Values(CornerCase{"LeftAndAbove", {120, 120, 200, 200}, 3},
                                           CornerCase{"LeftAndBelow", {120, 350, 200, 450}, 1},
                                           CornerCase{"RightAndAbove", {500, 120, 600, 200}, 2},
                                           CornerCase{"RightAndBelow", {500, 350, 600, 450}, 0}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

class GripInCornerTest : public ::testing::TestWithParam<int> {};

TEST_P(GripInCornerTest, TheGripTakesItsCornerWithAFaceMarginOnItsOuterSides) {
    ClassicColors Colors;
    const int Corner = GetParam();
    const bool Right = Corner == 1 || Corner == 3, Bottom = Corner == 2 || Corner == 3;
    TestSurface S(60, 40, Blank);
    pg::TRect R{0, 0, 60, 40};
    DrawSizeGripInCorner(S.DC(), R, Corner);
    const int W = pg::GetSystemMetrics(pg::SM_CXVSCROLL),
              H = pg::GetSystemMetrics(pg::SM_CYHSCROLL);
    EXPECT_EQ(
        R, (pg::TRect{Right ? 60 - W : 0, Bottom ? 40 - H : 0, Right ? 60 : W, Bottom ? 40 : H}));
    // The outer column and row are button face; nothing outside the grip was touched.
    const int OuterX = Right ? R.Right - 1 : R.Left, OuterY = Bottom ? R.Bottom - 1 : R.Top;
    EXPECT_EQ(S.At(OuterX, (R.Top + R.Bottom) / 2), Face());
    EXPECT_EQ(S.At((R.Left + R.Right) / 2, OuterY), Face());
    EXPECT_EQ(S.At(Right ? 0 : 59, Bottom ? 0 : 39), Blank);
    // The grip's diagonal lines lie towards its corner: all its shadow ink is in the triangle
    // on the corner's side of the other diagonal.
    int Near = 0, Far = 0;
    const pg::COLORREF Shadow = pg::GetSysColor(pg::COLOR_BTNSHADOW);
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X)
            if (S.At(X, Y) == Shadow) {
                const int DX = Right ? X - R.Left : R.Right - 1 - X;
                const int DY = Bottom ? Y - R.Top : R.Bottom - 1 - Y;
                (DX + DY >= (W + H) / 2 - 1 ? Near : Far) += 1;
            }
    EXPECT_GT(Near, 0);
    EXPECT_EQ(Far, 0);
}

INSTANTIATE_TEST_SUITE_P(Corners, GripInCornerTest, ::testing::Values(0, 1, 2, 3));

struct CloseCase {
    const char* Name;
    bool Highlighted, Flat, Pressed;
    // The colour of the button's outer ring's top-left and bottom-right.
    int TopLeft, BottomRight;
};

class FloatingCloseButtonTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(FloatingCloseButtonTest, TheButtonStandsAwayFromTheGripAndRisesOnlyWhenHighlighted) {
    ClassicColors Colors;
    const CloseCase& C = GetParam();
    TestSurface S(80, 20, Blank);
    pg::TRect Strip{0, 0, 80, 20};
    DrawFloatingCloseButton(S.DC(), Strip, C.Highlighted, 0, C.Flat, C.Pressed);
    const int Size = pg::GetSystemMetrics(pg::SM_CXSMSIZE);
    const int Top = (20 - (Size + 1)) / 2;
    EXPECT_EQ(Strip, (pg::TRect{80 - Size, Top, 80, Top + Size + 1}));
    pg::TRect Ring = Strip;
    pg::InflateRect(Ring, -1, -2);
    EXPECT_EQ(S.At(Ring.Left, Ring.Top), pg::GetSysColor(C.TopLeft));
    EXPECT_EQ(S.At(Ring.Right - 1, Ring.Bottom - 1), pg::GetSysColor(C.BottomRight));
    // A top-right corner puts it at the strip's left.
    TestSurface T(80, 20, Blank);
    pg::TRect Left{0, 0, 80, 20};
    DrawFloatingCloseButton(T.DC(), Left, C.Highlighted, 1, C.Flat, C.Pressed);
    EXPECT_EQ(Left.Left, 0);
    EXPECT_EQ(T.At(79, 10), Blank);
}

INSTANTIATE_TEST_SUITE_P(
    States, FloatingCloseButtonTest,
    ::testing::Values(
        CloseCase{"Normal", false, false, false, pg::COLOR_BTNFACE, pg::COLOR_BTNFACE},
        CloseCase{"Hot", true, false, false, pg::COLOR_BTNHIGHLIGHT, pg::COLOR_BTNSHADOW},
        CloseCase{"Pressed", true, false, true, pg::COLOR_BTNSHADOW, pg::COLOR_BTNHIGHLIGHT},
        CloseCase{"FlatHot", true, true, false, pg::COLOR_BTNFACE, pg::COLOR_BTNFACE}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// A window whose frame the routine draws over whatever its own painting left.
class FloatingFrameWindowTest : public ::testing::Test {
protected:
    FloatingFrameWindowTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Form->SetBounds(100, 100, 160, 90);
        Form->Show();
        testsupport::PumpUntilIdle();
    }
    ~FloatingFrameWindowTest() override {
        FRoot.reset();
        testsupport::PumpUntilIdle();
    }
    pg::COLORREF At(int X, int Y) {
        const auto Surface = pw::WindowSurface(Form->Handle());
        return pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF);
    }

    ClassicColors Colors;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
};

TEST_F(FloatingFrameWindowTest, WithoutACaptionOnlyTheThinFrameIsDrawn) {
    pg::TRect Grip{1, 1, 2, 2}, Close{1, 1, 2, 2};
    DrawFloatingFrame(Form->Handle(), false, true, 1, Grip, Close, false, false);
    EXPECT_TRUE(pg::IsRectEmpty(Grip));
    EXPECT_TRUE(pg::IsRectEmpty(Close));
    EXPECT_EQ(At(0, 0), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(At(159, 89), pg::GetSysColor(pg::COLOR_BTNSHADOW));
}

struct FrameCase {
    const char* Name;
    int Corner;
    bool Flat;
};

class FloatingFrameCornerTest : public FloatingFrameWindowTest,
                                public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FloatingFrameCornerTest, TheStripTheGripAndTheCloseButtonTakeTheirSides) {
    const FrameCase& C = GetParam();
    pg::TRect Grip, Close;
    DrawFloatingFrame(Form->Handle(), true, C.Flat, C.Corner, Grip, Close, true, false);
    const bool Right = C.Corner == 1 || C.Corner == 3, Bottom = C.Corner == 2 || C.Corner == 3;
    const int Height = GetFloatingCaptionHeight();
    const pg::COLORREF Frame =
        pg::GetSysColor(C.Flat ? pg::COLOR_BTNSHADOW : pg::COLOR_WINDOWFRAME);
    EXPECT_EQ(At(0, 45), Frame);
    // The line between the strip and the client area.
    EXPECT_EQ(At(80, Bottom ? 89 - Height : Height), Frame);
    // The grip at the corner's side, the close button at the other; the strip between is face.
    EXPECT_EQ(Right ? Grip.Right : Grip.Left, Right ? 159 : 1);
    EXPECT_EQ(Right ? Close.Left : Close.Right, Right ? 1 : 159);
    EXPECT_EQ(Bottom ? Grip.Bottom : Grip.Top, Bottom ? 89 : 1);
    EXPECT_TRUE(Bottom ? Close.Top > 89 - Height : Close.Bottom < Height + 1);
    EXPECT_EQ(At(80, Bottom ? 89 - Height / 2 : Height / 2), Face());
    // Hot: a raised edge unless flat.
    EXPECT_EQ(At(Close.Left + 1, Close.Top + 2),
              C.Flat ? Face() : pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));

    testsupport::TempFolder Folder("floating_frame");
    EXPECT_TRUE(
        testsupport::SaveWindowPng(Form->Handle(), Folder.PathOf(std::string(C.Name) + ".png")));
}

INSTANTIATE_TEST_SUITE_P(Corners, FloatingFrameCornerTest,
                         ::testing::Values(FrameCase{"TopLeft", 0, false},
                                           FrameCase{"TopRight", 1, false},
                                           FrameCase{"BottomLeft", 2, true},
                                           FrameCase{"BottomRight", 3, true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
} // namespace toolkit::bars
