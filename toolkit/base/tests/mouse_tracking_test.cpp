#include "toolkit/base/mouse_tracking.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/forms/controls.h"
#include "platform/win/input_state.h"

#include <functional>
#include <optional>
#include <vector>

namespace toolkit::base::test {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

class TCaller : public IcxMouseTrackingCaller {
public:
    void MouseLeave() override {
        ++Leaves;
        if (OnLeave) OnLeave();
    }
    int Leaves = 0;
    std::function<void()> OnLeave;
};

class THitTestCaller : public TCaller, public IcxMouseTrackingHitTest {
public:
    bool IsPointInside(TPoint P) override {
        Asked.push_back(P);
        return Inside;
    }
    bool Inside = true;
    std::vector<TPoint> Asked;
};

class MouseTrackingTest : public ControlsUnitTest {
protected:
    static void MoveCursor(TPoint Screen) { pw::SetCursorPos(Screen.X, Screen.Y); }
    static void MoveCursor(const pf::TControl& Control, TPoint Client) {
        MoveCursor(Control.ClientToScreen(Client));
    }
};

TEST_F(MouseTrackingTest, LeavingATrackedControlSendsTheNoticeOnceAndFreesItsTimer) {
    TCountingControl& Control = MakeControl({10, 10, 110, 60});
    TCaller Caller;
    MoveCursor(Control, {50, 20});
    BeginMouseTracking(&Control, Control.ClientRect(), &Caller);
    EXPECT_TRUE(IsMouseTracking(&Caller));
    EXPECT_EQ(Unit.MouseTrackingTimerCount(), 1);
    EXPECT_EQ(Unit.RunningTimerCount(), 1);
    RunFor(50);
    EXPECT_EQ(Caller.Leaves, 0);

    MoveCursor(Control, {150, 20});
    RunFor(cxMouseTrackingInterval);
    EXPECT_EQ(Caller.Leaves, 1);
    EXPECT_EQ(Control.Count(pf::CM_MOUSELEAVE), 1);
    EXPECT_EQ(Control.LParams(pf::CM_MOUSELEAVE),
              std::vector<pc::LPARAM>{reinterpret_cast<pc::LPARAM>(&Control)});
    EXPECT_FALSE(IsMouseTracking(&Caller));
    EXPECT_EQ(Unit.MouseTrackingTimerCount(), 0);
    EXPECT_EQ(Unit.RunningTimerCount(), 0);

    RunFor(200);
    EXPECT_EQ(Caller.Leaves, 1);
    EXPECT_EQ(Control.Count(pf::CM_MOUSELEAVE), 1);
}

TEST_F(MouseTrackingTest, LeavingBoundsInsideTheControlTellsTheCallerButNotTheControl) {
    TCountingControl& Control = MakeControl({10, 10, 110, 60});
    TCaller Caller;
    MoveCursor(Control, {5, 5});
    BeginMouseTracking(&Control, {0, 0, 20, 20}, &Caller);
    MoveCursor(Control, {25, 5});
    RunFor(cxMouseTrackingInterval);
    EXPECT_EQ(Caller.Leaves, 1);
    EXPECT_EQ(Control.Count(pf::CM_MOUSELEAVE), 0);
}

TEST_F(MouseTrackingTest, TrackingTheSameCallerTwiceStartsOneTimer) {
    TCaller Caller;
    MoveCursor({500, 500});
    BeginMouseTracking(nullptr, {400, 400, 600, 600}, &Caller);
    BeginMouseTracking(nullptr, {0, 0, 10, 10}, &Caller);
    EXPECT_EQ(Unit.MouseTrackingTimerCount(), 1);
    EXPECT_EQ(Unit.RunningTimerCount(), 1);
    // The first bounds stand.
    RunFor(50);
    EXPECT_EQ(Caller.Leaves, 0);
    EndMouseTracking(&Caller);
    EXPECT_EQ(Unit.MouseTrackingTimerCount(), 0);
    EXPECT_EQ(Unit.RunningTimerCount(), 0);
    // Ending what is not tracked does nothing.
    EndMouseTracking(&Caller);
}

TEST_F(MouseTrackingTest, TheHitTestDecidesTheLeavingNotTheBounds) {
    TCountingControl& Control = MakeControl({10, 10, 110, 60});
    THitTestCaller Caller;
    MoveCursor(Control, {5, 5});
    BeginMouseTracking(&Control, {0, 0, 20, 20}, &Caller);
    // Out of the bounds and the control, but the caller says inside.
    MoveCursor(Control, {300, 7});
    RunFor(30);
    EXPECT_EQ(Caller.Leaves, 0);
    ASSERT_FALSE(Caller.Asked.empty());
    EXPECT_EQ(Caller.Asked.back(), (TPoint{300, 7}));
    // Inside the bounds, but the caller says out.
    MoveCursor(Control, {5, 5});
    Caller.Inside = false;
    RunFor(cxMouseTrackingInterval);
    EXPECT_EQ(Caller.Leaves, 1);
    // The cursor is in the control's client area: the control hears nothing.
    EXPECT_EQ(Control.Count(pf::CM_MOUSELEAVE), 0);
    EXPECT_FALSE(IsMouseTracking(&Caller));
}

TEST_F(MouseTrackingTest, AHitTestCallerWithoutAWindowHasLeft) {
    THitTestCaller Caller;
    MoveCursor({500, 500});
    BeginMouseTracking(nullptr, {400, 400, 600, 600}, &Caller);
    RunFor(cxMouseTrackingInterval);
    EXPECT_EQ(Caller.Leaves, 1);
    EXPECT_TRUE(Caller.Asked.empty());
}

TEST_F(MouseTrackingTest, ACallerThatTracksAgainInItsNoticeKeepsItsNewTimer) {
    TCaller Caller;
    MoveCursor({700, 700});
    BeginMouseTracking(nullptr, {400, 400, 600, 600}, &Caller);
    // Still tracked while it is told: it ends the old tracking to start a new one.
    Caller.OnLeave = [&] {
        if (Caller.Leaves > 1) return;
        EXPECT_TRUE(IsMouseTracking(&Caller));
        EndMouseTracking(&Caller);
        BeginMouseTracking(nullptr, {650, 650, 750, 750}, &Caller);
    };
    RunFor(cxMouseTrackingInterval);
    EXPECT_EQ(Caller.Leaves, 1);
    EXPECT_TRUE(IsMouseTracking(&Caller));
    MoveCursor({0, 0});
    RunFor(cxMouseTrackingInterval);
    EXPECT_EQ(Caller.Leaves, 2);
    EXPECT_FALSE(IsMouseTracking(&Caller));
}

TEST_F(MouseTrackingTest, AControlFreedWhileTrackedIsForgotten) {
    TCountingControl* Control = &MakeControl({10, 10, 110, 60});
    TCaller Caller;
    MoveCursor(*Control, {50, 20});
    BeginMouseTracking(Control, Control->ClientRect(), &Caller);
    FreeControl(*Control);
    MoveCursor({900, 700});
    RunFor(cxMouseTrackingInterval);
    EXPECT_EQ(Caller.Leaves, 1);
    EXPECT_FALSE(IsMouseTracking(&Caller));
}

TEST_F(MouseTrackingTest, ShuttingDownFreesTimersStillTracking) {
    TCaller Caller;
    MoveCursor({500, 500});
    std::optional<TcxControlsUnit> Inner;
    Inner.emplace();
    BeginMouseTracking(nullptr, {400, 400, 600, 600}, &Caller);
    EXPECT_EQ(Inner->MouseTrackingTimerCount(), 1);
    EXPECT_EQ(Inner->RunningTimerCount(), 1);
    EXPECT_NO_THROW(Inner.reset());

    // Back on the test's unit: the caller is not tracked, and its old timer never ticks again.
    EXPECT_FALSE(IsMouseTracking(&Caller));
    MoveCursor({0, 0});
    RunFor(100);
    EXPECT_EQ(Caller.Leaves, 0);
    EXPECT_EQ(Unit.RunningTimerCount(), 0);
}

} // namespace
} // namespace toolkit::base::test
