#pragma once
// The process-wide services of the controls: the shared message window, the timer window with
// the running toolkit timers, the mouse-tracking timers and the settings controller. They live
// in one unit object, each made on first use; shutting the unit down frees them in a fixed
// order, mouse-tracking timers still running included.
//
// The unit in force is the innermost one alive (tests make their own, as they make a manual
// clock); with none alive, the process's own, made on first use. That one is made after the
// window registry and the message loop (its constructor reaches both), so it is destroyed
// before them at exit: no toolkit state outlives the queue its windows and timers live in.

#include "toolkit/base/cx_message_window.h"
#include "toolkit/base/cx_timer.h"
#include "toolkit/base/mouse_tracking.h"
#include "toolkit/base/settings_controller.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace toolkit::base {

class TcxControlsUnit {
public:
    TcxControlsUnit();
    // Shut-down, in order: the finalising flag; the mouse-tracking timers (freed, with their
    // platform timers); the settings controller; the timer window, which stops every toolkit
    // timer still running; the running list; the message window. Then the unit before this
    // one is in force again.
    ~TcxControlsUnit();
    TcxControlsUnit(const TcxControlsUnit&) = delete;
    TcxControlsUnit& operator=(const TcxControlsUnit&) = delete;

    bool Finalizing() const { return FFinalizing; }

    TcxMessageWindow& MessageWindow();
    TcxSettingsController& SettingsController();
    // Toolkit timers with a platform timer running on this unit's timer window.
    int RunningTimerCount() const { return static_cast<int>(FTimerList.size()); }
    int MouseTrackingTimerCount() const { return static_cast<int>(FMouseTrackingTimerList.size()); }
    // Where the toolkit timers tick (WM_TIMER with the timer object as identifier); made on
    // first use.
    platform::core::HWND TimerWindowHandle();

private:
    friend class TcxTimer;
    friend void BeginMouseTracking(platform::forms::TWinControl*, const TRect&,
                                   IcxMouseTrackingCaller*);
    friend void EndMouseTracking(IcxMouseTrackingCaller*);
    friend bool IsMouseTracking(IcxMouseTrackingCaller*);
    friend class TMouseTrackingTimer;
    class TcxTimerWindow;

    void TimerWndProc(platform::core::TMessage& Message);
    TMouseTrackingTimer* FindMouseTrackingTimer(IcxMouseTrackingCaller* Caller) const;
    // Frees the caller's timer when it is the one with Serial (0: whichever).
    void EndMouseTracking(IcxMouseTrackingCaller* Caller, std::uint64_t Serial);

    TcxControlsUnit* FPrevious;
    bool FFinalizing = false;
    std::unique_ptr<TcxMessageWindow> FMessageWindow;
    std::unique_ptr<TcxMessageWindow> FTimerWindow;
    std::vector<TcxTimer*> FTimerList;
    std::vector<std::unique_ptr<TMouseTrackingTimer>> FMouseTrackingTimerList;
    std::uint64_t FLastMouseTrackingSerial = 0;
    std::unique_ptr<TcxSettingsController> FSettingsController;
};

// The unit in force.
TcxControlsUnit& cxControlsUnit();
// The shared plain message window (the parent of popups that do not capture).
TcxMessageWindow& cxMessageWindow();
TcxSettingsController& cxSettingsController();

} // namespace toolkit::base
