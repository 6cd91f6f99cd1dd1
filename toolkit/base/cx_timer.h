#pragma once
// The toolkit's timer component. Every one ticks through WM_TIMER of the one shared timer window
// of the controls unit in force (cx_controls_unit.h), keyed by the timer object itself.

#include "platform/core/component.h"
#include "platform/core/object.h"

#include <cstdint>

namespace toolkit::base {

class TcxControlsUnit;

class TcxTimer : public platform::core::TComponent {
public:
    explicit TcxTimer(platform::core::TComponent* AOwner);
    ~TcxTimer() override;

    bool Enabled() const { return FEnabled; }
    // Milliseconds; default 1000.
    std::uint32_t Interval() const { return FInterval; }
    const platform::core::TNotifyEvent& OnTimer() const { return FOnTimer; }

    // Unchanged values do nothing; an interval of 0 keeps the one there is. Otherwise the
    // platform timer restarts; it runs only while enabled and with a handler.
    void SetEnabled(bool Value);
    void SetInterval(std::uint32_t Value);
    void SetOnTimer(platform::core::TNotifyEvent Value);

    // A platform timer is running for this one.
    bool TimerOn() const { return FTimerOn; }

protected:
    // One tick: OnTimer with this timer as sender. The handler may free the timer.
    virtual void Timer();

private:
    friend class TcxControlsUnit;

    void UpdateTimer();
    void SetTimer();
    void KillTimer();
    // The unit the platform timer runs on is shutting down: its window takes the timer along.
    void UnitGone();

    bool FEnabled = true;
    std::uint32_t FInterval = 1000;
    bool FTimerOn = false;
    platform::core::TNotifyEvent FOnTimer;
    // Where the running platform timer lives; nullptr while none runs.
    TcxControlsUnit* FUnit = nullptr;
};

} // namespace toolkit::base
