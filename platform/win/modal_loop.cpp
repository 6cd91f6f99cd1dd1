#include "platform/win/modal_loop.h"

#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/win/input_state.h"
#include "platform/win/window_data.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace platform::win {

namespace {

int& Depth() {
    static int depth = 0;
    return depth;
}

std::function<void()>& PumpScheduler() {
    static std::function<void()> scheduler;
    return scheduler;
}

bool AnythingToTake() {
    MSG probe;
    return core::PeekMessage(probe, NullHWnd, 0, 0, core::PM_NOREMOVE);
}

} // namespace

void SchedulePump() {
    if (auto& scheduler = PumpScheduler()) scheduler();
}

QtMessagePump::QtMessagePump()
    : context_(std::make_unique<QObject>()), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    QObject::connect(timer_.get(), &QTimer::timeout, context_.get(), [this] { Run(); });
    QObject* context = context_.get();
    core::SetWakeUpHandler([this, context] {
        // Any thread: the call runs on the UI thread, in Qt's loop.
        QMetaObject::invokeMethod(
            context, [this] { Run(); }, Qt::QueuedConnection);
    });
    PumpScheduler() = [this] { Schedule(); };
    Schedule();
}

QtMessagePump::~QtMessagePump() {
    core::SetWakeUpHandler(nullptr);
    PumpScheduler() = nullptr;
}

void QtMessagePump::Schedule() {
    QMetaObject::invokeMethod(
        context_.get(), [this] { Run(); }, Qt::QueuedConnection);
}

void QtMessagePump::Run() {
    if (Depth() == 0) core::ProcessMessages();
    // Ticks that fell due while dispatching wait for the timer: the loop stays responsive.
    if (auto due = core::NextTimerDue()) {
        auto now = core::CurrentClock().Now();
        timer_->start(
            static_cast<int>(std::min<core::Millis>(*due > now ? *due - now : 0, 1 << 30)));
    }
}

void WaitMessage() {
    if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents();
    if (AnythingToTake()) return;
    auto* manual = dynamic_cast<core::ManualClock*>(&core::CurrentClock());
    if (manual) {
        std::optional<core::Millis> next = core::NextTimerDue();
        if (auto action = manual->NextAction(); action && (!next || *action < *next)) next = action;
        if (!next)
            throw std::logic_error(
                "a modal loop waits, and nothing is scheduled that could end it");
        manual->AdvanceTo(std::max(*next, manual->Now()));
        return;
    }
    if (!QCoreApplication::instance()) {
        auto due = core::NextTimerDue();
        auto now = core::CurrentClock().Now();
        core::WaitMessage(due ? static_cast<std::uint32_t>(*due > now ? *due - now : 0) : 100);
        return;
    }
    // Qt waits for input, for the wake-up of a post, or for the next timer.
    QTimer timer;
    timer.setSingleShot(true);
    if (auto due = core::NextTimerDue()) {
        auto now = core::CurrentClock().Now();
        timer.start(static_cast<int>(std::min<core::Millis>(*due > now ? *due - now : 0, 1 << 30)));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

ModalLoop::ModalLoop(HWND captureWindow) : capture_(captureWindow) {}

void ModalLoop::Run() {
    quit_ = false;
    ++Depth();
    struct Leave {
        ~Leave() { --Depth(); }
    } leave;
    for (;;) {
        if (quit_) break;
        if (capture_ != NullHWnd && GetCapture() != capture_) break;
        MSG msg;
        if (!core::PeekMessage(msg, NullHWnd, 0, 0, core::PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            core::PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (OnMessage && !OnMessage(msg)) continue;
        try {
            core::DispatchMessage(msg);
        } catch (...) {
            core::HandleException(std::current_exception());
        }
    }
}

int ModalLoopDepth() {
    return Depth();
}

} // namespace platform::win
