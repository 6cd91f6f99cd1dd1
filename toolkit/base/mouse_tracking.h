#pragma once
// Mouse-leave tracking: a 10 ms timer per caller watches the cursor and, once it has left,
// sends the control CM_MOUSELEAVE (when the cursor is outside its client area too), tells the
// caller, and ends the tracking. The timers belong to the controls unit in force, which frees
// any still running when it shuts down.

#include "toolkit/base/cx_timer.h"

#include "platform/gdi/geometry.h"

#include <cstdint>

namespace platform::forms {
class TWinControl;
}

namespace toolkit::base {

using platform::gdi::TPoint;
using platform::gdi::TRect;

// What a tracked object hears. It must outlive the notice it is given.
class IcxMouseTrackingCaller {
public:
    virtual void MouseLeave() = 0;

protected:
    virtual ~IcxMouseTrackingCaller() = default;
};

// A caller that implements this as well decides the leaving itself, by the cursor position in
// the tracked control's client coordinates.
class IcxMouseTrackingHitTest {
public:
    virtual bool IsPointInside(TPoint P) = 0;

protected:
    virtual ~IcxMouseTrackingHitTest() = default;
};

class TMouseTrackingTimer : public TcxTimer {
public:
    // Bounds are screen coordinates. Control may be nullptr.
    TMouseTrackingTimer(platform::forms::TWinControl* Control, const TRect& Bounds,
                        IcxMouseTrackingCaller* Caller, std::uint64_t Serial);

    IcxMouseTrackingCaller* Caller() const { return FCaller; }
    platform::forms::TWinControl* Control() const { return FControl; }
    const TRect& Bounds() const { return FBounds; }
    // Tells this timer apart from a later one of the same caller.
    std::uint64_t Serial() const { return FSerial; }

protected:
    // Forgets a control that goes.
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;

private:
    void TimerHandler();

    IcxMouseTrackingCaller* FCaller;
    platform::forms::TWinControl* FControl;
    TRect FBounds;
    std::uint64_t FSerial;
};

inline constexpr std::uint32_t cxMouseTrackingInterval = 10;

// Nothing while the unit shuts down, for a null caller or one already tracked. Bounds are in
// Control's client coordinates when Control is given, else on the screen.
void BeginMouseTracking(platform::forms::TWinControl* Control, const TRect& Bounds,
                        IcxMouseTrackingCaller* Caller);
// Frees the caller's timer; nothing when it is not tracked.
void EndMouseTracking(IcxMouseTrackingCaller* Caller);
// False while the unit shuts down.
bool IsMouseTracking(IcxMouseTrackingCaller* Caller);

} // namespace toolkit::base
