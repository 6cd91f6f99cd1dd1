#include "toolkit/base/cx_controls_unit.h"

#include "platform/core/message_loop.h"

#include <algorithm>
#include <utility>

namespace toolkit::base {

namespace pc = platform::core;

namespace {

TcxControlsUnit* Current = nullptr;

} // namespace

// Its ticks go to the timer they name, while that timer is listed as running: a tick of a
// timer already gone finds no entry and goes nowhere.
class TcxControlsUnit::TcxTimerWindow : public TcxMessageWindow {
public:
    explicit TcxTimerWindow(TcxControlsUnit& Unit) : FUnit(Unit) {}

protected:
    void WndProc(pc::TMessage& Message) override {
        if (Message.Msg == pc::WM_TIMER)
            FUnit.TimerWndProc(Message);
        else
            TcxMessageWindow::WndProc(Message);
    }

private:
    TcxControlsUnit& FUnit;
};

TcxControlsUnit::TcxControlsUnit() : FPrevious(Current) {
    Current = this;
}

TcxControlsUnit::~TcxControlsUnit() {
    FFinalizing = true;
    // Timers still tracking at shut-down are freed, not reported: their callers are going
    // with the program, and a timer has nothing left to tell them.
    while (!FMouseTrackingTimerList.empty()) {
        std::unique_ptr<TMouseTrackingTimer> Timer = std::move(FMouseTrackingTimerList.back());
        FMouseTrackingTimerList.pop_back();
    }
    FSettingsController.reset();
    FTimerWindow.reset();
    // The window took the platform timers along; the timers that outlive the unit must not
    // come back to it.
    for (TcxTimer* Timer : FTimerList)
        Timer->UnitGone();
    FTimerList.clear();
    FMessageWindow.reset();
    Current = FPrevious;
}

TcxMessageWindow& TcxControlsUnit::MessageWindow() {
    if (!FMessageWindow) FMessageWindow = std::make_unique<TcxMessageWindow>();
    return *FMessageWindow;
}

TcxSettingsController& TcxControlsUnit::SettingsController() {
    if (!FSettingsController) FSettingsController = std::make_unique<TcxSettingsController>();
    return *FSettingsController;
}

pc::HWND TcxControlsUnit::TimerWindowHandle() {
    if (!FTimerWindow) FTimerWindow = std::make_unique<TcxTimerWindow>(*this);
    return FTimerWindow->Handle();
}

void TcxControlsUnit::TimerWndProc(pc::TMessage& Message) {
    auto Found = std::find_if(FTimerList.begin(), FTimerList.end(), [&](const TcxTimer* Timer) {
        return reinterpret_cast<pc::WPARAM>(Timer) == Message.WParam;
    });
    if (Found == FTimerList.end()) {
        Message.Result = 0;
        return;
    }
    // The handler may free the timer: nothing of it is touched after the call.
    (*Found)->Timer();
}

TMouseTrackingTimer* TcxControlsUnit::FindMouseTrackingTimer(IcxMouseTrackingCaller* Caller) const {
    for (const auto& Timer : FMouseTrackingTimerList)
        if (Timer->Caller() == Caller) return Timer.get();
    return nullptr;
}

void TcxControlsUnit::EndMouseTracking(IcxMouseTrackingCaller* Caller, std::uint64_t Serial) {
    auto Found = std::find_if(
        FMouseTrackingTimerList.begin(), FMouseTrackingTimerList.end(), [&](const auto& Timer) {
            return Timer->Caller() == Caller && (Serial == 0 || Timer->Serial() == Serial);
        });
    if (Found == FMouseTrackingTimerList.end()) return;
    // Out of the list first, then freed: its destructor stops its platform timer.
    std::unique_ptr<TMouseTrackingTimer> Timer = std::move(*Found);
    FMouseTrackingTimerList.erase(Found);
}

TcxControlsUnit& cxControlsUnit() {
    if (Current) return *Current;
    // Reaching the registry and the queue first makes them outlive the process's unit.
    pc::IsWindow(pc::NullHWnd);
    pc::NextTimerDue();
    static TcxControlsUnit ProcessUnit;
    return ProcessUnit;
}

TcxMessageWindow& cxMessageWindow() {
    return cxControlsUnit().MessageWindow();
}

TcxSettingsController& cxSettingsController() {
    return cxControlsUnit().SettingsController();
}

} // namespace toolkit::base
