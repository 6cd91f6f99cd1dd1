#pragma once
// Message loops: the Qt event loop drives the platform core's queue in the running program, and
// the toolkit runs a modal loop of its own (menus, drag detection, panning, popups) that takes the
// queue's messages itself, posted messages and timers included, while Qt keeps delivering input.

#include "platform/win/messages.h"

#include <functional>
#include <memory>

class QObject;
class QTimer;

namespace platform::win {

// For its lifetime, Qt's event loop dispatches the queue: at once after a post (from any
// thread) or an invalidation, and when the next timer falls due. It stands aside while a modal
// loop runs.
class QtMessagePump {
public:
    QtMessagePump();
    ~QtMessagePump();
    QtMessagePump(const QtMessagePump&) = delete;
    QtMessagePump& operator=(const QtMessagePump&) = delete;

private:
    void Run();
    void Schedule();
    std::unique_ptr<QObject> context_;
    std::unique_ptr<QTimer> timer_;
};

// Waits until something can be taken from the queue: Qt delivers input meanwhile. Under a
// manual clock nothing arrives by itself, so the clock moves on to its next scheduled action
// (a user's input, in tests) or timer; with neither there is nothing to wait for, which throws
// std::logic_error instead of hanging.
void WaitMessage();

class ModalLoop {
public:
    // With a window, the loop also ends as soon as that window no longer holds the capture.
    explicit ModalLoop(HWND captureWindow = NullHWnd);

    // Sees each message taken from the queue before it is dispatched; false drops it.
    std::function<bool(MSG&)> OnMessage;

    // Until Quit, a WM_QUIT (posted again for the loop outside) or the loss of capture.
    void Run();
    void Quit() { quit_ = true; }

private:
    HWND capture_;
    bool quit_ = false;
};

// How many modal loops run now (0: the pump dispatches).
int ModalLoopDepth();

} // namespace platform::win
