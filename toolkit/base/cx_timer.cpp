#include "toolkit/base/cx_timer.h"

#include "toolkit/base/cx_controls_unit.h"

#include "platform/core/message_loop.h"

#include <algorithm>
#include <utility>

namespace toolkit::base {

namespace pc = platform::core;

namespace {

pc::WPARAM TimerID(const TcxTimer* Timer) {
    return reinterpret_cast<pc::WPARAM>(Timer);
}

} // namespace

TcxTimer::TcxTimer(pc::TComponent* AOwner) : pc::TComponent(AOwner) {}

TcxTimer::~TcxTimer() {
    KillTimer();
}

void TcxTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TcxTimer::SetInterval(std::uint32_t Value) {
    if (Value == 0 || Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TcxTimer::SetOnTimer(pc::TNotifyEvent Value) {
    FOnTimer = std::move(Value);
    UpdateTimer();
}

void TcxTimer::Timer() {
    if (!FOnTimer) return;
    // The handler may free this timer, and its handler with it: call a copy.
    pc::TNotifyEvent Handler = FOnTimer;
    Handler(this);
}

void TcxTimer::UpdateTimer() {
    KillTimer();
    SetTimer();
}

void TcxTimer::SetTimer() {
    if (!FEnabled || FTimerOn || !FOnTimer) return;
    TcxControlsUnit& Unit = cxControlsUnit();
    FTimerOn = pc::SetTimer(Unit.TimerWindowHandle(), TimerID(this), FInterval) != 0;
    if (!FTimerOn) return;
    FUnit = &Unit;
    Unit.FTimerList.push_back(this);
}

void TcxTimer::KillTimer() {
    if (!FTimerOn) return;
    pc::KillTimer(FUnit->TimerWindowHandle(), TimerID(this));
    FTimerOn = false;
    std::erase(FUnit->FTimerList, this);
    FUnit = nullptr;
}

void TcxTimer::UnitGone() {
    FTimerOn = false;
    FUnit = nullptr;
}

} // namespace toolkit::base
