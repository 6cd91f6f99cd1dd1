#include "toolkit/bars/windows/dx_bar_menu_animation.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_shadow.h"

#include "platform/core/message_loop.h"
#include "platform/win/layered_windows.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;
using TRect = pg::TRect;

struct FramesCase {
    TdxBarMenuAnimations kind;
    int width;
    int height;
    int frames;
};

TEST(MenuAnimationFramesTest, UnfoldStepsEightPixelsOverTheShorterSideSlideSeventeenDown) {
    const FramesCase Cases[] = {
        {maUnfold, 150, 200, 18},                          // 150 div 8
        {maUnfold, 200, 150, 18},                          // wider than high: over the height
        {maUnfold, 120, 120, 15}, {maSlide, 150, 200, 11}, // 200 div 17
        {maSlide, 300, 16, 0},    {maFade, 150, 200, 0},   {maNone, 150, 200, 0},
    };
    for (const FramesCase& C : Cases)
        EXPECT_EQ(dxBarMenuAnimationFrames(C.kind, C.width, C.height), C.frames)
            << int(C.kind) << " " << C.width << "x" << C.height;
}

TEST(MenuAnimationRandomTest, RandomPicksEachDrawnKindAndTheOthersStay) {
    bool Seen[5] = {};
    for (int I = 0; I < 300; ++I)
        Seen[dxBarResolveMenuAnimation(maRandom)] = true;
    EXPECT_TRUE(Seen[maUnfold] && Seen[maSlide] && Seen[maFade]);
    EXPECT_FALSE(Seen[maNone] || Seen[maRandom]);
    EXPECT_EQ(dxBarResolveMenuAnimation(maSlide), maSlide);
}

// A main-menu bar whose File menu holds twelve commands, opened by a click.
class MenuAnimationTest : public MenuFormFixture {
protected:
    void Make(TdxBarMenuAnimations Kind) {
        pw::SetLayeredAlphaComposited(true);
        MakeMainMenu();
        Manager->SetStyle(bmsOffice11);
        Manager->SetMenuAnimations(Kind);
        File = &Sub(Bar->ItemLinks(), "&File");
        for (int I = 0; I < 12; ++I) {
            TdxBarButton& B = Button(File->ItemLinks(), "Command &" + std::to_string(I));
            B.OnClick = [this, I](pc::TObject*) { Clicked.push_back(I); };
        }
        ShowMainMenu();
    }
    ~MenuAnimationTest() override { pw::SetLayeredAlphaComposited(std::nullopt); }
    TdxBarSubMenuControl* OpenByClick() {
        Input.Click(CentreOf(Bar->ItemLinks(), 0));
        return dynamic_cast<TdxBarSubMenuControl*>(BarWindow().SubMenuControl());
    }
    static TRect RectOf(TdxBarSubMenuControl* Menu) {
        TRect R{};
        pw::GetWindowRect(Menu->Handle(), &R);
        return R;
    }
    static TRect ClientOf(TdxBarSubMenuControl* Menu) {
        TRect R{};
        pw::GetClientRect(Menu->Handle(), &R);
        return R;
    }

    TdxBarSubItem* File = nullptr;
    std::vector<int> Clicked;
};

TEST_F(MenuAnimationTest, UnfoldShowsOneFrameEvery15MsAndEndsAtTheFinalPlaceWithItsShadow) {
    Make(maUnfold);
    TdxBarSubMenuControl* Menu = OpenByClick();
    ASSERT_NE(Menu, nullptr);
    ASSERT_TRUE(dxBarMenuAnimating(Menu));
    EXPECT_FALSE(Menu->Shadow().Visible());
    EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
    EXPECT_EQ(dxBarMenuAnimationFrame(), 1);
    const TRect First = RectOf(Menu);

    // The finished size is what a menu without animation gets: measure it after the end.
    std::vector<TRect> Frames{First};
    int Steps = 0;
    while (dxBarMenuAnimating(Menu) && Steps < 100) {
        pc::RunFor(Clock, dxBarMenuAnimationInterval);
        ++Steps;
        if (dxBarMenuAnimating(Menu)) Frames.push_back(RectOf(Menu));
    }
    const TRect Final = RectOf(Menu);
    const TRect Client = ClientOf(Menu);
    const int Expected = dxBarMenuAnimationFrames(maUnfold, Client.Width(), Client.Height());
    ASSERT_GT(Expected, 10);
    EXPECT_EQ(static_cast<int>(Frames.size()), Expected);
    // The last frame's tick ends it: frames times 15 ms.
    EXPECT_EQ(Steps, Expected);
    // Each frame grows by 8 pixels at the menu's top-left corner, which stays put.
    for (std::size_t K = 1; K < Frames.size(); ++K) {
        EXPECT_EQ(Frames[K].Left, Final.Left);
        EXPECT_EQ(Frames[K].Top, Final.Top);
        EXPECT_EQ(Frames[K].Width() - Frames[K - 1].Width(), 8);
        EXPECT_EQ(Frames[K].Height() - Frames[K - 1].Height(), 8);
    }
    EXPECT_LT(Frames.back().Width(), Final.Width());
    EXPECT_TRUE(Menu->Shadow().Visible());
    EXPECT_GT(Menu->Shadow().PartCount(), 0);
}

TEST_F(MenuAnimationTest, SlideRevealsTheFullWidth17PixelsAFrame) {
    Make(maSlide);
    TdxBarSubMenuControl* Menu = OpenByClick();
    ASSERT_TRUE(dxBarMenuAnimating(Menu));
    const TRect First = RectOf(Menu);
    pc::RunFor(Clock, dxBarMenuAnimationInterval);
    const TRect Second = RectOf(Menu);
    EXPECT_EQ(Second.Height() - First.Height(), 17);
    EXPECT_EQ(Second.Width(), First.Width());
    pc::RunFor(Clock, 1000);
    EXPECT_FALSE(dxBarMenuAnimating(Menu));
    EXPECT_EQ(RectOf(Menu).Width(), First.Width());
    EXPECT_GT(RectOf(Menu).Height(), Second.Height());
}

TEST_F(MenuAnimationTest, AKeyDuringTheAnimationFinishesItFirstAndIsThenHandled) {
    Make(maUnfold);
    TdxBarSubMenuControl* Menu = OpenByClick();
    ASSERT_TRUE(dxBarMenuAnimating(Menu));
    pc::RunFor(Clock, 3 * dxBarMenuAnimationInterval);
    ASSERT_TRUE(dxBarMenuAnimating(Menu));
    // Down selects the first command of the finished menu; Enter runs it.
    Input.Key(Qt::Key_Down);
    EXPECT_FALSE(dxBarMenuAnimating(Menu));
    const TRect Client = ClientOf(Menu);
    EXPECT_GT(Client.Height(), 12 * 10);
    ASSERT_NE(Menu->SelectedControl(), nullptr);
    EXPECT_EQ(Menu->SelectedControl()->ItemLink()->Index(), 0);
    Input.Key(Qt::Key_Return);
    EXPECT_EQ(Clicked, std::vector<int>{0});
}

TEST_F(MenuAnimationTest, AMenuOpenedWithTheKeyboardShowsAtOnce) {
    Make(maUnfold);
    Input.KeyDown(Qt::Key_Alt);
    Input.Key(Qt::Key_F, "f");
    Input.KeyUp(Qt::Key_Alt);
    auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(BarWindow().SubMenuControl());
    ASSERT_NE(Menu, nullptr);
    EXPECT_FALSE(dxBarMenuAnimating(Menu));
    EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
}

TEST_F(MenuAnimationTest, ClosingDuringTheAnimationEndsItWithoutShowingTheMenuAgain) {
    Make(maSlide);
    TdxBarSubMenuControl* Menu = OpenByClick();
    pc::RunFor(Clock, 2 * dxBarMenuAnimationInterval);
    ASSERT_TRUE(dxBarMenuAnimating(Menu));
    // A click outside the menus closes them.
    Input.Click(Form->ClientToScreen({500, 250}));
    EXPECT_EQ(BarWindow().SubMenuControl(), nullptr);
    pc::RunFor(Clock, 1000);
    EXPECT_EQ(dxBarMenuAnimationFrame(), 0);
}

// The press on File opens its menu sliding out; the release lands below the part shown so far,
// where the menu is still to come: the menu stays.
TEST_F(MenuAnimationTest, TheReleaseOfTheOpeningPressWaitsForTheAnimation) {
    Make(maSlide);
    const pg::TPoint Entry = CentreOf(Bar->ItemLinks(), 0);
    Input.MoveTo(Entry);
    Input.Press(Entry);
    testsupport::PumpUntilIdle();
    auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(BarWindow().SubMenuControl());
    ASSERT_NE(Menu, nullptr);
    ASSERT_TRUE(dxBarMenuAnimating(Menu));
    const TRect Shown = RectOf(Menu);
    Input.Release({Shown.Left + 10, Shown.Bottom + 60});
    testsupport::PumpUntilIdle();
    EXPECT_EQ(BarWindow().SubMenuControl(), Menu);
    pc::RunFor(Clock, 1000);
    ASSERT_EQ(BarWindow().SubMenuControl(), Menu);
    EXPECT_FALSE(dxBarMenuAnimating(Menu));
    EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
    EXPECT_TRUE(Clicked.empty());
}

TEST_F(MenuAnimationTest, FadeShowsTheWholeMenuOver150Ms) {
    Make(maFade);
    const pc::Millis Start = Clock.Now();
    TdxBarSubMenuControl* Menu = OpenByClick();
    ASSERT_NE(Menu, nullptr);
    EXPECT_FALSE(dxBarMenuAnimating(Menu));
    EXPECT_GE(Clock.Now() - Start, 150u);
    EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
}

} // namespace
} // namespace toolkit::bars
