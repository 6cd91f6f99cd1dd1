#pragma once
// The one message queue of the user-interface thread, its pump and the window timers.
// PostMessage is safe from any thread (the MIDI driver posts); all else belongs to the UI thread.
// The pump is re-entrant: a handler may run a nested (modal) loop. An exception never crosses
// it: it goes to the exception handler.

#include "platform/core/clock.h"
#include "platform/core/window_handle.h"

#include <exception>
#include <functional>
#include <optional>

namespace platform::core {

struct MSG {
    HWND hwnd{};
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::uint32_t time = 0;
};

// False when the window does not exist.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Puts the message ahead of everything queued: the characters a key stroke produces must come
// right after it, before input that arrived later. UI thread only.
bool PostMessageAhead(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;
// Looks for a posted message for wnd (NullHWnd: any) with a number in [first, last] (both 0:
// any). Due timers yield WM_TIMER when no posted message matches, as on the platform.
// Messages of windows that no longer exist are dropped.
bool PeekMessage(MSG& msg, HWND wnd, UINT first, UINT last, UINT remove);
LRESULT DispatchMessage(const MSG& msg);

// Real windows (platform/win) extend the queue through these two; both run on the UI thread.
// The filter sees every message that PeekMessage removes, may change it, and drops it by
// answering false (the thread's message hooks). The source is asked, when no posted message
// matches, for a message the queue makes up (WM_PAINT); it comes before timers.
using MessageFilter = std::function<bool(MSG&)>;
using MessageSource = std::function<bool(MSG&, HWND wnd, UINT first, UINT last, UINT remove)>;
void SetMessageFilter(MessageFilter filter);
void SetMessageSource(MessageSource source);

// Window timers: one per window and id; setting it again replaces it. A tick is generated only
// when the queue has nothing else, and at most one is outstanding, so ticks never pile up.
std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, std::uint32_t ms);
bool KillTimer(HWND wnd, std::uintptr_t id);

// Dispatches one message or due tick; false when there was none.
bool ProcessOneMessage();
// Dispatches until idle. True when anything was dispatched. Ticks that fall due during the
// call wait for the next one, so that a handler slower than its timer cannot keep it from
// returning.
bool ProcessMessages();
// Earliest moment a timer falls due, for an outer loop that sleeps.
std::optional<Millis> NextTimerDue();
// Blocks until a message is posted, a timer falls due or timeoutMs pass (system clock).
void WaitMessage(std::uint32_t timeoutMs);
// Called on the posting thread with each post, so that an outer event loop (Qt's) that the UI
// thread waits in ends its wait. It must return at once and must not post; once this returns,
// the old handler is no longer running nor called.
void SetWakeUpHandler(std::function<void()> handler);

// Tests: advances the manual clock by ms, delivering in time order everything that falls due
// on the way (the clock's scheduled actions and the timers), and processing until idle after each.
void RunFor(ManualClock& clock, Millis ms);

// Where exceptions from message handlers go; by default they are printed to standard error.
void SetExceptionHandler(std::function<void(std::exception_ptr)> handler);
void HandleException(std::exception_ptr error);

// Drops every queued message and timer; for tests that start from a clean slate.
void ResetMessageLoop();

} // namespace platform::core
