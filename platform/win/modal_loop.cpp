#include "platform/win/modal_loop.h"

#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/win/input_state.h"
#include "platform/win/window_data.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace platform::win {

namespace {

int& Depth() {
    static int depth = 0;
    return depth;
}

bool AnythingToTake() {
    MSG probe;
    return core::PeekMessage(probe, NullHWnd, 0, 0, core::PM_NOREMOVE);
}

// The application whose event dispatcher a post wakes; none while a loop of Qt's own dispatches
// the queue, or before the first wait.
QCoreApplication*& Wired() {
    static QCoreApplication* wired = nullptr;
    return wired;
}

// The core's condition variable wakes only the core's own wait; the UI thread waits in Qt's. So a
// post, from whatever thread, also wakes Qt's event dispatcher: without it, MIDI input posted by
// the driver's thread waited for the next timer or the next move of the mouse.
void WakeQtOnPosts(QCoreApplication& application) {
    if (Wired() == &application) return;
    // Wired again after each loop of Qt's own: the application's end is watched once.
    static QCoreApplication* watched = nullptr;
    if (watched != &application) {
        watched = &application;
        QObject::connect(&application, &QObject::destroyed, &application, [] {
            core::SetWakeUpHandler(nullptr);
            Wired() = nullptr;
            watched = nullptr;
        });
    }
    Wired() = &application;
    QAbstractEventDispatcher* dispatcher = application.thread()->eventDispatcher();
    core::SetWakeUpHandler([dispatcher] { dispatcher->wakeUp(); });
}

// What the desktop holds for us (input, exposure, the flush of what was painted) becomes our
// messages only when Qt processes its events.
void FetchDesktopEvents() {
    auto* application = QCoreApplication::instance();
    if (!application) return;
    WakeQtOnPosts(*application);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// A timer tick is the lowest message, as on the platform: before one is generated the desktop's
// pending input and exposure are fetched, and they come first. Without that a handler that takes
// as long as its interval (a paced transmit) would have the loop go from tick to tick, and the
// window it runs in would neither draw nor take its Cancel.
bool TakeMessage(MSG& msg) {
    if (!core::PeekMessage(msg, NullHWnd, 0, 0, core::PM_NOREMOVE)) return false;
    if (msg.message == WM_TIMER) FetchDesktopEvents();
    return core::PeekMessage(msg, NullHWnd, 0, 0, core::PM_REMOVE);
}

} // namespace

QtLoopDispatch::QtLoopDispatch()
    : context_(std::make_unique<QObject>()), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    QObject::connect(timer_.get(), &QTimer::timeout, context_.get(), [this] { Run(); });
    QObject* context = context_.get();
    core::SetWakeUpHandler([this, context] {
        // Any thread: the call runs on the user-interface thread, in Qt's loop.
        QMetaObject::invokeMethod(
            context, [this] { Run(); }, Qt::QueuedConnection);
    });
    Wired() = nullptr;
    QMetaObject::invokeMethod(
        context, [this] { Run(); }, Qt::QueuedConnection);
}

QtLoopDispatch::~QtLoopDispatch() {
    // The next wait wires the dispatcher's wake-up again.
    core::SetWakeUpHandler(nullptr);
}

void QtLoopDispatch::Run() {
    core::ProcessMessages();
    // Ticks that fell due while dispatching wait for the timer: the dialog stays responsive.
    if (auto due = core::NextTimerDue()) {
        auto now = core::CurrentClock().Now();
        timer_->start(
            static_cast<int>(std::min<core::Millis>(*due > now ? *due - now : 0, 1 << 30)));
    }
}

void WaitMessage() {
    if (auto* application = QCoreApplication::instance()) {
        // Before the look into the queue, so that a post between the look and the wait still
        // ends the wait.
        WakeQtOnPosts(*application);
        QCoreApplication::sendPostedEvents();
    }
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
        if (!TakeMessage(msg)) {
            if (OnIdle) {
                try {
                    OnIdle();
                } catch (...) {
                    core::HandleException(std::current_exception());
                }
                if (quit_) break;
            }
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
