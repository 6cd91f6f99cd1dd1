// The quick-customise mark in a floating toolbar's caption: where each painter draws it, hot
// under the pointer, the 50 ms timer that watches it, and the press that opens the quick bar;
// what a click on a floating bar and menu mode do to the form's activation and stacking.
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"

#include "toolkit/base/office11.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <algorithm>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

class FloatingMarkTest : public MenuFormFixture {
protected:
    FloatingMarkTest() {
        MakeOffice11MainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Tools = Manager->Bars()->Add();
        Tools->SetCaption("ToolBar");
        for (const char* Caption : {"New", "Open", "Save"})
            Button(Tools->ItemLinks(), Caption);
        Tools->SetFloatLeft(300);
        Tools->SetFloatTop(200);
        Tools->SetDockingStyle(dsNone);
        Input.ActivateWindow(Form->Handle());
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    TdxBarControl& Toolbar() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    pg::TPoint MarkCentre() {
        const pg::TRect R = Toolbar().GetMarkScreenRect();
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    // A point of the caption away from the mark and the close button: the drag area.
    pg::TPoint CaptionMiddle() {
        const pg::TRect C = Toolbar().GetCaptionRect();
        return Toolbar().WindowToScreen({(C.Left + C.Right) / 2, (C.Top + C.Bottom) / 2});
    }
    void Wait(int Ms) { pc::RunFor(Clock, pc::Millis(Ms)); }

    TdxBar* Tools = nullptr;
};

struct MarkStyleCase {
    const char* Name;
    TdxBarManagerStyle Style;
    // The flat painters end the caption text at the mark, before the close button.
    bool BesideCloseButton;
};

class FloatingMarkStyleTest : public FloatingMarkTest,
                              public ::testing::WithParamInterface<MarkStyleCase> {};

// The mark's arrow is drawn in the caption, in its place for the painter, and changes when hot
// where the painter has a hot face for it.
TEST_P(FloatingMarkStyleTest, TheCaptionDrawsTheMarkInItsPlaceAndHotDifferently) {
    Manager->SetStyle(GetParam().Style);
    testsupport::PumpUntilIdle();
    TdxBarControl& W = Toolbar();
    ASSERT_TRUE(W.HasCaptionMark());
    const pg::TRect Mark = W.GetMarkWindowRect();
    const pg::TRect Caption = W.GetCaptionRect();
    const pg::TRect Close = W.GetCloseButtonRect();
    ASSERT_FALSE(pg::IsRectEmpty(Mark));
    EXPECT_GE(Mark.Top, Caption.Top);
    EXPECT_LE(Mark.Bottom, Caption.Bottom);
    EXPECT_LE(Mark.Right, Close.Left);
    if (GetParam().BesideCloseButton)
        EXPECT_GT(Mark.Left, (Caption.Left + Caption.Right) / 2);
    else
        EXPECT_EQ(Mark.Left, Caption.Left);

    auto Snapshot = [&] {
        const auto Surface = pw::WindowSurface(W.Handle());
        std::vector<pg::TColor> Pixels;
        for (int Y = Mark.Top; Y < Mark.Bottom; ++Y)
            for (int X = Mark.Left; X < Mark.Right; ++X)
                Pixels.push_back(pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF));
        return Pixels;
    };
    const std::vector<pg::TColor> Normal = Snapshot();
    // The arrow: at least its 16 pixels stand out of the mark's face.
    const pg::TColor Face = Normal.front();
    EXPECT_GE(std::count_if(Normal.begin(), Normal.end(), [&](pg::TColor C) { return C != Face; }),
              16);

    Input.MoveTo(MarkCentre());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(W.MarkState(), 1);
    // The flat painters give the hot mark a face of its own; the classic ones draw the same
    // arrow (their hot look is the docked mark's).
    if (GetParam().BesideCloseButton)
        EXPECT_NE(Snapshot(), Normal);
    else
        EXPECT_EQ(Snapshot(), Normal);
    testsupport::TempFolder Folder("floating_mark");
    EXPECT_TRUE(testsupport::SaveWindowPng(
        W.Handle(), Folder.PathOf(std::string(GetParam().Name) + "_hot.png")));
}

INSTANTIATE_TEST_SUITE_P(Styles, FloatingMarkStyleTest,
                         ::testing::Values(MarkStyleCase{"Enhanced", bmsEnhanced, false},
                                           MarkStyleCase{"Flat", bmsFlat, true},
                                           MarkStyleCase{"XP", bmsXP, false},
                                           MarkStyleCase{"Office11", bmsOffice11, true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(FloatingMarkTest, APainterWithoutAHotMarkAndABarWithoutOneShowNoCaptionMark) {
    Manager->SetStyle(bmsStandard);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Toolbar().HasCaptionMark());
    EXPECT_TRUE(pg::IsRectEmpty(Toolbar().GetMarkWindowRect()));
    Manager->SetStyle(bmsOffice11);
    Tools->SetShowMark(false);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Toolbar().HasCaptionMark());
    // Its place is the drag area again.
    Input.MoveTo(Toolbar().WindowToScreen(
        {Toolbar().GetCloseButtonRect().Left - 6, Toolbar().GetCaptionRect().Top + 4}));
    EXPECT_EQ(Toolbar().HitTestCode(), 2);
}

TEST_F(FloatingMarkTest, ThePointerMakesTheMarkHotAndTheCaptionTakesItBack) {
    TdxBarControl& W = Toolbar();
    Input.MoveTo(MarkCentre());
    EXPECT_EQ(W.HitTestCode(), pw::HTCLIENT);
    EXPECT_EQ(W.MarkState(), 1);
    EXPECT_TRUE(W.MarkTimerRunning());
    Input.MoveTo(CaptionMiddle());
    EXPECT_EQ(W.HitTestCode(), 2);
    EXPECT_EQ(W.MarkState(), 0);
}

// The timer checks every 50 ms: while the cursor rests on the mark it stays hot; a cursor that
// left without a message to the window, or a hidden window, ends it at the next check.
TEST_F(FloatingMarkTest, TheMarkTimerWatchesTheCursorEvery50Ms) {
    TdxBarControl& W = Toolbar();
    Input.MoveTo(MarkCentre());
    ASSERT_EQ(W.MarkState(), 1);
    Wait(500);
    EXPECT_EQ(W.MarkState(), 1);
    EXPECT_TRUE(W.MarkTimerRunning());

    pw::SetCursorPos(10, 700);
    Wait(20);
    EXPECT_EQ(W.MarkState(), 1) << "before the next check";
    Wait(30);
    EXPECT_EQ(W.MarkState(), 0);
    EXPECT_FALSE(W.MarkTimerRunning());

    Input.MoveTo(MarkCentre());
    ASSERT_EQ(W.MarkState(), 1);
    W.SetFloatingShown(false);
    Wait(50);
    EXPECT_EQ(W.MarkState(), 0);
    EXPECT_FALSE(W.MarkTimerRunning());
}

// The hot mark explains itself with the bar unit's hint, after the hint's usual second of rest;
// whichever way the pointer leaves (a move over the caption, or a jump the timer notices), the
// hint goes with the hot state.
TEST_F(FloatingMarkTest, TheHotMarkShowsTheMoreButtonsHintUntilThePointerLeaves) {
    auto HintText = [] {
        TdxBarHintWindow& Hint = dxBarHintWindow();
        return Hint.HandleAllocated() && pw::IsWindowVisible(Hint.Handle()) ? Hint.Caption()
                                                                            : std::string();
    };
    const struct {
        const char* Name;
        bool ByTimer;
    } Cases[] = {{"moved over the caption", false}, {"left without a message", true}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TdxBarControl& W = Toolbar();
        Input.MoveTo(MarkCentre());
        ASSERT_EQ(W.MarkState(), 1);
        Wait(999);
        EXPECT_EQ(HintText(), "");
        Wait(1);
        EXPECT_EQ(HintText(), "More Buttons");
        if (C.ByTimer) {
            pw::SetCursorPos(10, 700);
            Wait(50);
        } else {
            Input.MoveTo(CaptionMiddle());
        }
        EXPECT_EQ(W.MarkState(), 0);
        EXPECT_EQ(HintText(), "");
        // Past the grace period, so that the next case waits its second again.
        Wait(500);
    }
}

// A docked bar's mark only turns hot: the hint belongs to the floating caption.
TEST_F(FloatingMarkTest, ADockedMarkShowsNoHint) {
    Tools->SetDockingStyle(dsTop);
    testsupport::PumpUntilIdle();
    TdxBarControl& W = Toolbar();
    ASSERT_TRUE(W.HasMark());
    const pg::TRect Mark = W.GetMarkScreenRect();
    Input.MoveTo({(Mark.Left + Mark.Right) / 2, (Mark.Top + Mark.Bottom) / 2});
    ASSERT_EQ(W.MarkState(), 1);
    Wait(1500);
    TdxBarHintWindow& Hint = dxBarHintWindow();
    EXPECT_FALSE(Hint.HandleAllocated() && pw::IsWindowVisible(Hint.Handle()));
}

TEST_F(FloatingMarkTest, APressOnTheMarkOpensTheQuickBarUnderIt) {
    TdxBarControl& W = Toolbar();
    Input.Click(MarkCentre());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(W.MarkState(), 2);
    TdxBarCustomizePopups& Popups = TdxBarCustomizePopups::Of(*Manager);
    EXPECT_EQ(Popups.QuickToolbar(), &W);
    TdxBarQuickControl* Quick = Popups.QuickControl();
    ASSERT_NE(Quick, nullptr);
    // Below the mark; the Office 2003 painter puts the quick bar of a floating toolbar beside
    // the mark's left edge.
    EXPECT_EQ(Quick->BoundsRect().Left, W.GetMarkScreenRect().Left);
    EXPECT_GE(Quick->BoundsRect().Top, W.GetMarkScreenRect().Bottom - 1);
    testsupport::TempFolder Folder("floating_mark");
    EXPECT_TRUE(testsupport::SaveWindowPng(W.Handle(), Folder.PathOf("pressed.png")));
}

// Floating bars that stay shown while their form is inactive: a click on one activates the
// form, as the bar itself takes no activation. Menu mode raises the form over other windows,
// but the quick bar leaves the stacking alone.
class FloatingBarClickTest : public FloatingMarkTest {
protected:
    FloatingBarClickTest() {
        Manager->SetHideFloatingBarsWhenInactive(false);
        Other = &FRoot->Own<platform::forms::TForm>();
        Other->SetBounds(20, 20, 200, 150);
        Other->Show();
        Input.ActivateWindow(Other->Handle());
        testsupport::PumpUntilIdle();
    }
    // Whether A lies above B in the stacking of top-level windows.
    static bool Above(pw::HWND A, pw::HWND B) {
        for (pw::HWND Next = pw::GetWindow(A, pw::GW_HWNDNEXT); Next != pw::NullHWnd;
             Next = pw::GetWindow(Next, pw::GW_HWNDNEXT))
            if (Next == B) return true;
        return false;
    }
    platform::forms::TForm* Other = nullptr;
};

TEST_F(FloatingBarClickTest, AClickOnAFloatingBarActivatesItsForm) {
    ASSERT_EQ(pw::GetActiveWindow(), Other->Handle());
    ASSERT_TRUE(pw::IsWindowVisible(Toolbar().Handle()));
    int Clicks = 0;
    Tools->ItemLinks().Items(0)->Item()->OnClick = [&](pc::TObject*) { ++Clicks; };
    Input.Click(CentreOf(Tools->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::GetActiveWindow(), Form->Handle());
    EXPECT_EQ(Clicks, 1);
}

TEST_F(FloatingBarClickTest, MenuModeRaisesTheFormExceptFromTheQuickBar) {
    ASSERT_TRUE(Above(Other->Handle(), Form->Handle()));
    Input.Click(MarkCentre());
    testsupport::PumpUntilIdle();
    TdxBarQuickControl* Quick = TdxBarCustomizePopups::Of(*Manager).QuickControl();
    ASSERT_NE(Quick, nullptr);
    Quick->EnterMenuMode(nullptr);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Above(Other->Handle(), Form->Handle()));
    Quick->ExitMenuMode();
    Quick->Close();
    testsupport::PumpUntilIdle();

    Toolbar().EnterMenuMode(nullptr);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Above(Form->Handle(), Other->Handle()));
    Toolbar().ExitMenuMode();
}

} // namespace
} // namespace toolkit::bars
