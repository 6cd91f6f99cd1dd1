#include "toolkit/bars/windows/dx_bar_hint_window.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"

#include "toolkit/base/cx_controls_routines.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/surface.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
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

// A form with a toolbar of three buttons, "Open", "Save" (Ctrl+S) and "Close", each with a long
// hint after "|" that must never show.
class HintWindowTest : public ::testing::Test {
protected:
    HintWindowTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Form->SetBounds(0, 0, 400, 200);
        Manager = &Form->Own<TdxBarManager>();
        Bar = Manager->Bars()->Add();
        Bar->SetCaption("ToolBar");
        Bar->SetDockingStyle(dsTop);
        for (const char* Caption : {"Open", "Save", "Close"}) {
            auto& B = Form->Own<TdxBarButton>();
            B.SetCaption(Caption);
            B.Hint = std::string(Caption) + "|The long text of " + Caption;
            Bar->ItemLinks().Add(&B);
        }
        Button(1).SetShortCut(pf::ShortCut('S', pf::scCtrl));
    }
    ~HintWindowTest() override {
        dxBarFreeHintWindow();
        FRoot.reset();
        testsupport::PumpUntilIdle();
    }

    TdxBarButton& Button(int Index) {
        return *dynamic_cast<TdxBarButton*>(Bar->ItemLinks().Items(Index)->Item());
    }
    void Show() {
        Form->Show();
        Bar->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    TCustomdxBarControl& BarWindow() { return *dynamic_cast<TCustomdxBarControl*>(Bar->Control()); }
    pg::TPoint Centre(int Index) {
        const pg::TRect R = Bar->ItemLinks().VisibleItems(Index)->ItemRect;
        return BarWindow().ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }
    // Over a button, then at rest for Ms.
    void RestOn(int Index, int Ms) {
        Input.MoveTo(Centre(Index));
        testsupport::PumpUntilIdle();
        pc::RunFor(Clock, pc::Millis(Ms));
    }
    void Wait(int Ms) { pc::RunFor(Clock, pc::Millis(Ms)); }

    static bool HintVisible() {
        TdxBarHintWindow& W = dxBarHintWindow();
        return W.HandleAllocated() && pw::IsWindowVisible(W.Handle());
    }
    static std::string HintText() { return HintVisible() ? dxBarHintWindow().Caption() : ""; }
    static pg::TRect HintRect() {
        pg::TRect R{};
        pw::GetWindowRect(dxBarHintWindow().Handle(), &R);
        return R;
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    TdxBar* Bar = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(HintWindowTest, TheShortHintShowsAfterASecondOfRestAndGoesAfterTenSeconds) {
    Show();
    RestOn(0, 900);
    EXPECT_FALSE(HintVisible());
    Wait(100);
    ASSERT_TRUE(HintVisible());
    EXPECT_EQ(HintText(), "Open");
    // Just below the cursor, clear of the pointer.
    EXPECT_EQ(HintRect().Top, Centre(0).Y + 20);
    EXPECT_EQ(HintRect().Left, Centre(0).X);

    Wait(9900);
    EXPECT_TRUE(HintVisible());
    Wait(100);
    EXPECT_FALSE(HintVisible());
    // Resting on the same button does not bring it back.
    Wait(5000);
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintWindowTest, TheNextButtonWithinTheGracePeriodShowsItsHintAtOnce) {
    Show();
    RestOn(0, 1000);
    ASSERT_EQ(HintText(), "Open");
    // Off the toolbar: the hint goes, and the grace period runs.
    Input.MoveTo(Form->ClientToScreen({200, 150}));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(HintVisible());
    EXPECT_TRUE(dxBarHintGraceActive());
    Wait(399);
    Input.MoveTo(Centre(2));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(HintText(), "Close");
    // From a shown hint straight onto the neighbour: at once as well.
    Input.MoveTo(Centre(1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(HintText(), "Save");
}

TEST_F(HintWindowTest, AfterTheGracePeriodTheNextButtonWaitsAgain) {
    Show();
    RestOn(0, 1000);
    Input.MoveTo(Form->ClientToScreen({200, 150}));
    testsupport::PumpUntilIdle();
    Wait(400);
    EXPECT_FALSE(dxBarHintGraceActive());
    RestOn(2, 999);
    EXPECT_FALSE(HintVisible());
    Wait(1);
    EXPECT_EQ(HintText(), "Close");
}

TEST_F(HintWindowTest, APressHidesTheHintAndCancelsAWaitingOne) {
    Show();
    RestOn(0, 1000);
    ASSERT_TRUE(HintVisible());
    Input.Press(Centre(0));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(HintVisible());
    Input.Release(Centre(0));
    testsupport::PumpUntilIdle();
    Wait(2000);
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintWindowTest, TheShortcutFollowsTheShortHintWhenTheOptionIsOn) {
    struct Case {
        bool Option;
        int Index;
        const char* Text;
    };
    const Case Cases[] = {
        {false, 1, "Save"},
        {true, 1, "Save (Ctrl+S)"},
        {true, 0, "Open"},
    };
    Show();
    for (const Case& C : Cases) {
        Manager->SetShowShortCutInHint(C.Option);
        Input.MoveTo(Form->ClientToScreen({200, 150}));
        testsupport::PumpUntilIdle();
        Wait(1000);
        RestOn(C.Index, 1000);
        EXPECT_EQ(HintText(), C.Text) << C.Option << " " << C.Index;
    }
}

TEST_F(HintWindowTest, NoHintWhenTheManagerShowsNone) {
    Manager->SetShowHint(false);
    Show();
    RestOn(0, 3000);
    EXPECT_FALSE(HintVisible());
}

// A floating bar shows no hints in the Flat style; docked, or in another style, it does.
struct FloatingHintCase {
    const char* Name;
    TdxBarManagerStyle Style;
    bool Floating;
    bool Shows;
};

class FloatingHintTest : public HintWindowTest,
                         public ::testing::WithParamInterface<FloatingHintCase> {};

TEST_P(FloatingHintTest, AFloatingBarOfTheFlatStyleShowsNoHints) {
    Manager->SetStyle(GetParam().Style);
    if (GetParam().Floating) {
        Bar->SetFloatLeft(100);
        Bar->SetFloatTop(300);
        Bar->SetDockingStyle(dsNone);
    }
    Show();
    ASSERT_EQ(BarWindow().DockingStyle(), GetParam().Floating ? dsNone : dsTop);
    RestOn(0, 1500);
    EXPECT_EQ(HintVisible(), GetParam().Shows);
    EXPECT_EQ(HintText(), GetParam().Shows ? "Open" : "");
}

INSTANTIATE_TEST_SUITE_P(Bars, FloatingHintTest,
                         ::testing::Values(FloatingHintCase{"FlatFloating", bmsFlat, true, false},
                                           FloatingHintCase{"FlatDocked", bmsFlat, false, true},
                                           FloatingHintCase{"EnhancedFloating", bmsEnhanced, true,
                                                            true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(HintWindowTest, NearTheBottomRightTheHintGoesAboveTheCursorAndEndsAtTheRightEdge) {
    const pg::TRect Work = toolkit::base::cxGetWorkAreaFromPoint({0, 0});
    // The form's toolbar in the bottom right corner, its last button a few pixels from the edge.
    Form->SetBounds(Work.Right - 160, Work.Bottom - 60, 160, 60);
    Show();
    const int Last = Bar->ItemLinks().VisibleItemCount() - 1;
    // A long hint that cannot fit to the right of the cursor.
    Button(Last).Hint = "A hint that is wider than what is left";
    // The last button's centre 10 pixels above the work area's bottom.
    Form->SetTop(Form->Top() + Work.Bottom - 10 - Centre(Last).Y);
    testsupport::PumpUntilIdle();
    const pg::TPoint P = Centre(Last);
    ASSERT_EQ(P.Y, Work.Bottom - 10);
    RestOn(Last, 1000);
    ASSERT_TRUE(HintVisible());
    const pg::TRect R = HintRect();
    EXPECT_EQ(R.Right, Work.Right);
    EXPECT_LT(R.Left, P.X);
    EXPECT_EQ(R.Bottom, P.Y);
    EXPECT_GE(R.Top, Work.Top);
}

TEST_F(HintWindowTest, TheHintWindowNeverTakesTheMouse) {
    Show();
    RestOn(0, 1000);
    ASSERT_TRUE(HintVisible());
    EXPECT_EQ(pc::SendMessage(dxBarHintWindow().Handle(), pw::WM_NCHITTEST, 0, 0),
              pw::HTTRANSPARENT);
}

TEST_F(HintWindowTest, ADisabledButtonShowsItsHintOnlyWhenTheManagerAllowsIt) {
    Button(0).SetEnabled(false);
    Show();
    RestOn(0, 1000);
    EXPECT_EQ(HintText(), "Open");
    Input.MoveTo(Form->ClientToScreen({200, 150}));
    testsupport::PumpUntilIdle();
    Wait(1000);
    Manager->ShowHintForDisabledItems = false;
    RestOn(0, 3000);
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintWindowTest, AnExplicitTextShowsWithoutAnItemUnderTheCursor) {
    Show();
    Input.MoveTo(Form->ClientToScreen({200, 150}));
    testsupport::PumpUntilIdle();
    UpdateHint(Manager, true, "Not an item's hint");
    EXPECT_FALSE(HintVisible());
    Wait(1000);
    EXPECT_EQ(HintText(), "Not an item's hint");
    UpdateHint(Manager, false);
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintWindowTest, AManagerFreedWhileItsHintWaitsShowsNothing) {
    Show();
    RestOn(0, 500);
    FRoot.reset();
    testsupport::PumpUntilIdle();
    Wait(2000);
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintWindowTest, TheHintIsARaisedTooltipColouredBox) {
    Show();
    RestOn(0, 1000);
    ASSERT_TRUE(HintVisible());
    testsupport::PumpUntilIdle();
    const auto Surface = pw::WindowSurface(dxBarHintWindow().Handle());
    ASSERT_NE(Surface, nullptr);
    const pg::TRect R = HintRect();
    auto At = [&](int X, int Y) { return pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF); };
    // The raised outer edge: the 3-D light on the top left, the dark shadow on the bottom right.
    EXPECT_EQ(At(0, 0), pg::GetSysColor(pg::COLOR_3DLIGHT));
    EXPECT_EQ(At(R.Width() - 1, R.Height() - 1), pg::GetSysColor(pg::COLOR_3DDKSHADOW));
    EXPECT_EQ(At(1, R.Height() - 2), pg::ColorToRGB(pg::clInfoBk));
    // The caption is written inside, in the tooltip text colour.
    int Ink = 0;
    for (int Y = 1; Y < R.Height() - 1; ++Y)
        for (int X = 1; X < R.Width() - 1; ++X)
            Ink += At(X, Y) == pg::ColorToRGB(pg::clInfoText);
    EXPECT_GT(Ink, 10);
}

} // namespace
} // namespace toolkit::bars
