#pragma once
// Message loops: every loop of the program, the application's main loop included, is a modal loop
// that takes the platform core's queue itself, posted messages and timers included, and waits in
// Qt's event loop, which keeps delivering input. A message posted from another thread (the MIDI
// driver's) ends that wait at once, whatever loop waits.

#include "platform/win/messages.h"

#include <functional>
#include <memory>

class QObject;
class QTimer;

namespace platform::win {

// For its lifetime, a loop that Qt runs itself (the file dialog's) dispatches the queue as the
// program's own loops do: at once after a post from any thread, and when the next timer falls
// due. Without it, MIDI input and every timer would wait until the dialog closed.
class QtLoopDispatch {
public:
    QtLoopDispatch();
    ~QtLoopDispatch();
    QtLoopDispatch(const QtLoopDispatch&) = delete;
    QtLoopDispatch& operator=(const QtLoopDispatch&) = delete;

private:
    void Run();
    std::unique_ptr<QObject> context_;
    std::unique_ptr<QTimer> timer_;
};

// Waits until something can be taken from the queue: Qt delivers input meanwhile, and a post
// from any thread or the next timer ends the wait. Under a
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
    // Runs each time the queue runs dry, before the loop waits: the application brings the
    // state its windows show up to date there. What it posts is taken before the wait.
    std::function<void()> OnIdle;

    // Until Quit, a WM_QUIT (posted again for the loop outside) or the loss of capture. A timer
    // tick is the lowest message: the desktop's pending input and exposure are fetched, and taken,
    // before one is.
    void Run();
    void Quit() { quit_ = true; }

private:
    HWND capture_;
    bool quit_ = false;
};

// How many modal loops run now (0: the pump dispatches).
int ModalLoopDepth();

} // namespace platform::win
