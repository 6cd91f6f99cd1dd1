#include "toolkit/base/cx_control_scroll_bars.h"
#include "toolkit/base/cx_panning_mark.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/core/message_loop.h"
#include "platform/forms/screen.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"
#include "testsupport/win/input_driver.h"

#include <algorithm>
#include <string>

namespace toolkit::base::test {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// Content of a given size in pixels, scrolled 10 px a line.
class TScrollingControl : public TcxControl {
public:
    using TcxControl::GetClientBounds;
    using TcxControl::TcxControl;

    int ContentWidth = 0;
    int ContentHeight = 0;
    int Left = 0;
    int Top = 0;
    int InitCalls = 0;

protected:
    void InitScrollBarsParameters() override {
        ++InitCalls;
        const TRect C = GetClientBounds();
        SetScrollBarInfo(sbHorizontal, 0, ContentWidth - 1, 10, C.Width(), Left, true, true);
        SetScrollBarInfo(sbVertical, 0, ContentHeight - 1, 10, C.Height(), Top, true, true);
    }
    void Scroll(TcxScrollBarKind Kind, int ScrollCode, int& ScrollPos) override {
        const TRect C = GetClientBounds();
        int& Pos = Kind == sbHorizontal ? Left : Top;
        const int Page = Kind == sbHorizontal ? C.Width() : C.Height();
        const int Content = Kind == sbHorizontal ? ContentWidth : ContentHeight;
        switch (ScrollCode) {
        case scLineUp:
            Pos -= 10;
            break;
        case scLineDown:
            Pos += 10;
            break;
        case scTrack:
        case scPosition:
            Pos = ScrollPos;
            break;
        default:
            break;
        }
        Pos = std::clamp(Pos, 0, std::max(0, Content - Page));
        ScrollPos = Pos;
        UpdateScrollBars();
    }
};

class CxControlScrollBarsTest : public ControlsUnitTest {
protected:
    TScrollingControl& MakeScrolling(int ContentWidth, int ContentHeight) {
        auto& Control = Form().Own<TScrollingControl>();
        Control.ContentWidth = ContentWidth;
        Control.ContentHeight = ContentHeight;
        Control.SetParent(&Form());
        Control.SetBoundsRect({10, 10, 210, 160});
        Control.HandleNeeded();
        Control.UpdateScrollBars();
        return Control;
    }
    // A point of a child control, on the screen.
    TPoint At(const pf::TControl& Control, TPoint Client) { return Control.ClientToScreen(Client); }
    const int HBar = pg::GetSystemMetrics(pg::SM_CYHSCROLL);
    const int VBar = pg::GetSystemMetrics(pg::SM_CXVSCROLL);
    testsupport::InputDriver Input;
};

struct CalculateCase {
    const char* Name;
    // The client is 200 x 150 without bars.
    int ContentWidth, ContentHeight;
    bool H, V;
};

class CxControlCalculateTest : public CxControlScrollBarsTest,
                               public ::testing::WithParamInterface<CalculateCase> {};

TEST_P(CxControlCalculateTest, SettlesWhenOneBarMakesTheOtherNecessary) {
    const CalculateCase& Case = GetParam();
    TScrollingControl& Control = MakeScrolling(Case.ContentWidth, Case.ContentHeight);
    EXPECT_EQ(Control.HScrollBar()->Visible(), Case.H);
    EXPECT_EQ(Control.VScrollBar()->Visible(), Case.V);
    EXPECT_EQ(Control.SizeGrip()->Visible(), Case.H && Case.V);
    const TRect C = Control.GetClientBounds();
    EXPECT_EQ(C.Width(), 200 - (Case.V ? VBar : 0));
    EXPECT_EQ(C.Height(), 150 - (Case.H ? HBar : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, CxControlCalculateTest,
    ::testing::Values(CalculateCase{"Fits", 100, 100, false, false},
                      CalculateCase{"FitsExactly", 200, 150, false, false},
                      CalculateCase{"Wide", 300, 100, true, false},
                      CalculateCase{"Tall", 100, 300, false, true},
                      // The horizontal bar takes the room the content's height needed.
                      CalculateCase{"WideThenTall", 300, 140, true, true},
                      // The vertical bar takes the room the content's width needed.
                      CalculateCase{"TallThenWide", 195, 300, true, true},
                      CalculateCase{"Both", 400, 300, true, true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CxControlScrollBarsTest, BarsAndGripLieAlongTheClientsEdgesAndFollowAResize) {
    TScrollingControl& Control = MakeScrolling(400, 300);
    EXPECT_EQ(Control.HScrollBar()->BoundsRect(), (TRect{0, 150 - HBar, 200 - VBar, 150}));
    EXPECT_EQ(Control.VScrollBar()->BoundsRect(), (TRect{200 - VBar, 0, 200, 150 - HBar}));
    EXPECT_EQ(Control.SizeGrip()->BoundsRect(), (TRect{200 - VBar, 150 - HBar, 200, 150}));
    EXPECT_EQ(Control.HScrollBar()->PageSize(), 200 - VBar);
    EXPECT_EQ(Control.VScrollBar()->Max(), 299);

    // Wide enough now: the vertical bar alone stays, to the bottom.
    Control.SetBoundsRect({10, 10, 430, 160});
    EXPECT_FALSE(Control.HScrollBar()->Visible());
    EXPECT_FALSE(Control.SizeGrip()->Visible());
    ASSERT_TRUE(Control.VScrollBar()->Visible());
    EXPECT_EQ(Control.VScrollBar()->BoundsRect(), (TRect{420 - VBar, 0, 420, 150}));
}

TEST_F(CxControlScrollBarsTest, ABarThatMustStayWithNothingToScrollIsShownDisabled) {
    struct TStayingControl : TScrollingControl {
        using TScrollingControl::TScrollingControl;
        void InitScrollBarsParameters() override {
            const TRect C = GetClientBounds();
            SetScrollBarInfo(sbVertical, 0, ContentHeight - 1, 10, C.Height(), 0, true, false);
        }
    };
    auto& Control = Form().Own<TStayingControl>();
    Control.ContentHeight = 50;
    Control.SetParent(&Form());
    Control.SetBoundsRect({10, 10, 210, 160});
    Control.HandleNeeded();
    Control.UpdateScrollBars();
    EXPECT_TRUE(Control.VScrollBar()->Visible());
    EXPECT_FALSE(Control.VScrollBar()->Enabled());
    EXPECT_FALSE(Control.HScrollBar()->Visible());
}

TEST_F(CxControlScrollBarsTest, ScrollsByTheBarsArrowsAndByTheWheel) {
    TScrollingControl& Control = MakeScrolling(400, 300);
    TcxControlScrollBar& V = *Control.VScrollBar();
    TcxControlScrollBar& H = *Control.HScrollBar();

    Input.Click(At(V, {VBar / 2, V.Height() - VBar / 2}));
    EXPECT_EQ(Control.Top, 10);
    EXPECT_EQ(V.Position(), 10);
    Input.Click(At(H, {H.Width() - HBar / 2, HBar / 2}));
    Input.Click(At(H, {H.Width() - HBar / 2, HBar / 2}));
    EXPECT_EQ(Control.Left, 20);
    EXPECT_EQ(H.Position(), 20);
    Input.Click(At(H, {HBar / 2, HBar / 2}));
    EXPECT_EQ(Control.Left, 10);

    // A notch scrolls the system's three lines, down for a negative delta.
    Input.Wheel(At(Control, {50, 50}), -120);
    EXPECT_EQ(Control.Top, 40);
    EXPECT_EQ(V.Position(), 40);
    Input.Wheel(At(Control, {50, 50}), 120);
    EXPECT_EQ(Control.Top, 10);

    // A held arrow repeats on the clock.
    Input.Press(At(V, {VBar / 2, V.Height() - VBar / 2}));
    RunFor(460);
    Input.Release(At(V, {VBar / 2, V.Height() - VBar / 2}));
    EXPECT_EQ(Control.Top, 40);
}

TEST_F(CxControlScrollBarsTest, ASystemMetricsNoticeLaysTheBarsOutAgain) {
    TScrollingControl& Control = MakeScrolling(400, 300);
    Control.HScrollBar()->SetHeight(5);
    Control.UpdateScrollBars();
    EXPECT_EQ(Control.GetClientBounds().Height(), 145);
    ASSERT_NE(cxSettingsController().Handle(), platform::core::NullHWnd);
    platform::core::SendMessage(cxSettingsController().Handle(), platform::win::WM_SETTINGCHANGE,
                                platform::win::SPI_SETNONCLIENTMETRICS, 0);
    platform::core::ProcessMessages();
    EXPECT_EQ(Control.HScrollBar()->Height(), HBar);
    EXPECT_EQ(Control.GetClientBounds().Height(), 150 - HBar);
}

struct PanningCase {
    const char* Name;
    TPoint P;
    bool H, V, LeftMark;
    TcxDirection Direction;
    int Speed;
};

class CxPanningMotionTest : public ::testing::TestWithParam<PanningCase> {};

TEST_P(CxPanningMotionTest, GivesDirectionAndSpeed) {
    const PanningCase& Case = GetParam();
    const TcxPanningMotion M =
        cxPanningMotion({500, 500}, Case.P, Case.H, Case.V, Case.LeftMark, {0, 0, 1024, 768});
    EXPECT_EQ(M.Direction, Case.Direction);
    EXPECT_EQ(M.Speed, Case.Speed);
}

INSTANTIATE_TEST_SUITE_P(
    Points, CxPanningMotionTest,
    ::testing::Values(PanningCase{"InTheMark", {510, 490}, true, true, true, dirNone, 0},
                      PanningCase{"JustOut", {520, 500}, true, true, true, dirRight, 1},
                      PanningCase{"Right40", {540, 500}, true, true, true, dirRight, 5},
                      PanningCase{"FarRightCapped", {700, 500}, true, true, true, dirRight, 12},
                      PanningCase{"Left", {460, 505}, true, true, true, dirLeft, 5},
                      PanningCase{"Up", {500, 440}, true, true, true, dirUp, 9},
                      PanningCase{"MoreDownThanRight", {530, 560}, true, true, true, dirDown, 9},
                      PanningCase{"NotYetLeftTheMark", {700, 500}, true, true, false, dirNone, 0},
                      // Only a vertical bar: sideways motion is in the dead zone.
                      PanningCase{
                          "VerticalOnlySideways", {800, 510}, false, true, true, dirNone, 0},
                      PanningCase{"VerticalOnlyDown", {800, 560}, false, true, true, dirDown, 9},
                      PanningCase{"HorizontalOnlyUp", {495, 100}, true, false, true, dirNone, 0},
                      PanningCase{"HorizontalOnlyLeft", {440, 100}, true, false, true, dirLeft, 9}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CxControlScrollBarsTest, MiddleClickPansUntilTheNextClick) {
    TScrollingControl& Control = MakeScrolling(400, 300);
    const TPoint Start = At(Control, {80, 60});
    Input.Click(Start, Qt::MiddleButton);
    // A click without moving keeps panning on.
    ASSERT_TRUE(Control.Panning());
    EXPECT_EQ(pf::Screen().Cursor(), 2101);

    // 60 px down is speed 9: a line every 4 ticks of 20 ms.
    Input.MoveTo({Start.X + 5, Start.Y + 60});
    EXPECT_EQ(pf::Screen().Cursor(), 2106);
    RunFor(240);
    EXPECT_EQ(Control.Top, 30);
    EXPECT_EQ(Control.Left, 0);

    Input.Click({Start.X + 5, Start.Y + 60});
    EXPECT_FALSE(Control.Panning());
    EXPECT_EQ(pf::Screen().Cursor(), pf::crDefault);
    RunFor(240);
    EXPECT_EQ(Control.Top, 30);
}

TEST_F(CxControlScrollBarsTest, PanningShowsARoundMarkAtTheStartUntilItEnds) {
    TScrollingControl& Control = MakeScrolling(400, 300);
    const TPoint Start = At(Control, {80, 60});
    Input.Click(Start, Qt::MiddleButton);
    ASSERT_TRUE(Control.Panning());
    ASSERT_NE(Control.PanningMark(), nullptr);
    const pw::HWND Mark = Control.PanningMark()->Handle();
    ASSERT_TRUE(platform::core::IsWindow(Mark));
    EXPECT_TRUE(pw::IsWindowVisible(Mark));
    // Owned by the control's window, which hands ownership up to its top-level form.
    EXPECT_EQ(pw::GetWindow(Mark, pw::GW_OWNER), Form().Handle());
    EXPECT_NE(pw::GetWindowLong(Mark, pw::GWL_EXSTYLE) & pw::WS_EX_NOACTIVATE, 0);
    EXPECT_NE(pw::GetWindowLong(Mark, pw::GWL_EXSTYLE) & pw::WS_EX_TOPMOST, 0);
    TRect R;
    pw::GetWindowRect(Mark, &R);
    EXPECT_EQ(R, (TRect{Start.X - 16, Start.Y - 16, Start.X + 16, Start.Y + 16}));
    // Cut to an ellipse: the middle and the middle of each side are in, the corners out.
    const pg::HRGN Region = pg::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(pw::GetWindowRgn(Mark, Region), 0);
    EXPECT_TRUE(pg::PtInRegion(Region, 16, 16));
    EXPECT_TRUE(pg::PtInRegion(Region, 1, 16));
    EXPECT_FALSE(pg::PtInRegion(Region, 1, 1));
    EXPECT_FALSE(pg::PtInRegion(Region, 30, 30));
    pg::DeleteObject(Region);
    // The mark never takes the focus from the control.
    EXPECT_NE(pw::GetActiveWindow(), Mark);

    Input.TypeKey(pw::VK_ESCAPE);
    EXPECT_FALSE(Control.Panning());
    EXPECT_EQ(Control.PanningMark(), nullptr);
    EXPECT_FALSE(platform::core::IsWindow(Mark));
}

TEST_F(CxControlScrollBarsTest, NoPanningWithoutBarsAndEscapeEndsIt) {
    TScrollingControl& Small = MakeScrolling(50, 50);
    Input.Click(At(Small, {20, 20}), Qt::MiddleButton);
    EXPECT_FALSE(Small.Panning());
    Small.ContentHeight = 400;
    Small.UpdateScrollBars();
    // Past the double-click time: a second press, not a double click.
    RunFor(1000);
    Input.Click(At(Small, {20, 20}), Qt::MiddleButton);
    ASSERT_TRUE(Small.Panning());
    EXPECT_EQ(pf::Screen().Cursor(), 2103);
    Input.TypeKey(pw::VK_ESCAPE);
    EXPECT_FALSE(Small.Panning());
}

} // namespace
} // namespace toolkit::base::test
