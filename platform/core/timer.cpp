#include "platform/core/timer.h"

#include "platform/core/message_loop.h"

namespace platform::core {

namespace {
constexpr std::uintptr_t TimerId = 1;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), window_([this](TMessage& message) { WndProc(message); }) {}

TTimer::~TTimer() {
    KillTimer(window_.Handle(), TimerId);
}

void TTimer::SetInterval(std::uint32_t value) {
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value) {
    onTimer_ = std::move(value);
    UpdateTimer();
}

void TTimer::Timer() {
    if (onTimer_) {
        // The handler may re-point or clear OnTimer while it runs: call a copy, so that the
        // running function stays alive.
        TNotifyEvent handler = onTimer_;
        handler(this);
    }
}

void TTimer::UpdateTimer() {
    KillTimer(window_.Handle(), TimerId);
    if (interval_ != 0 && enabled_ && onTimer_) SetTimer(window_.Handle(), TimerId, interval_);
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg == WM_TIMER) Timer();
}

} // namespace platform::core
