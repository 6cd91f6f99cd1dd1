#pragma once
// The class library's timer component. Its ticks are WM_TIMER of its own message-only window,
// so they reach it inside modal loops too, and never pile up while a handler blocks.

#include "platform/core/component.h"
#include "platform/core/window_handle.h"

#include <cstdint>

namespace platform::core {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Milliseconds between ticks; 0 stops the ticks. Default 1000.
    std::uint32_t Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    const TNotifyEvent& OnTimer() const { return onTimer_; }

    // A changed interval, or a new handler, restarts the period while the timer runs;
    // setting what is already there does nothing (a handler cannot be compared: it always
    // counts as new). Without a handler there are no ticks.
    void SetInterval(std::uint32_t value);
    void SetEnabled(bool value);
    void SetOnTimer(TNotifyEvent value);

protected:
    // One tick: calls OnTimer with this timer as sender.
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& message);

    std::uint32_t interval_ = 1000;
    bool enabled_ = true;
    TNotifyEvent onTimer_;
    MessageWindow window_;
};

} // namespace platform::core
