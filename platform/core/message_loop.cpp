#include "platform/core/message_loop.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <mutex>
#include <vector>

namespace platform::core {

namespace {

// The platform's shortest timer period; it also keeps a zero interval from starving the queue.
constexpr std::uint32_t MinimumTimerInterval = 10;

struct WindowTimer {
    HWND wnd{};
    std::uintptr_t id = 0;
    std::uint32_t interval = 0;
    Millis due = 0;
    std::uint64_t order = 0;
};

struct Loop {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<MSG> queue;
    std::function<void()> wakeUp;
    std::function<void(std::exception_ptr)> onException;
    MessageFilter filter;
    MessageSource source;
    // Timers belong to the UI thread and need no lock.
    std::vector<WindowTimer> timers;
    std::uint64_t timerOrder = 0;
};

Loop& TheLoop() {
    static Loop loop;
    return loop;
}

bool Matches(const MSG& m, HWND wnd, UINT first, UINT last) {
    if (wnd != NullHWnd && m.hwnd != wnd) return false;
    return (first == 0 && last == 0) || (m.message >= first && m.message <= last);
}

// The earliest due timer that the filter lets through, or nullptr. Drops timers of
// windows that no longer exist.
WindowTimer* DueTimer(HWND wnd, UINT first, UINT last, Millis now) {
    auto& timers = TheLoop().timers;
    std::erase_if(timers, [](const WindowTimer& t) { return !IsWindow(t.wnd); });
    MSG probe{};
    probe.message = WM_TIMER;
    WindowTimer* best = nullptr;
    for (auto& t : timers) {
        probe.hwnd = t.wnd;
        if (t.due > now || !Matches(probe, wnd, first, last)) continue;
        if (!best || std::tie(t.due, t.order) < std::tie(best->due, best->order)) best = &t;
    }
    return best;
}

// Timers due later than timersDueBy wait: a pass of ProcessMessages takes only the ticks that
// were due when it began.
bool PeekRaw(MSG& msg, HWND wnd, UINT first, UINT last, UINT remove, Millis timersDueBy) {
    auto& loop = TheLoop();
    {
        std::lock_guard lock(loop.mutex);
        // Messages of a window that is gone are dropped, never handed out.
        for (auto it = loop.queue.begin(); it != loop.queue.end();) {
            if (!Matches(*it, wnd, first, last)) {
                ++it;
            } else if (!IsWindow(it->hwnd)) {
                it = loop.queue.erase(it);
            } else {
                msg = *it;
                if (remove & PM_REMOVE) loop.queue.erase(it);
                return true;
            }
        }
    }
    if (auto source = loop.source; source && source(msg, wnd, first, last, remove)) return true;
    Millis now = CurrentClock().Now();
    WindowTimer* timer = DueTimer(wnd, first, last, std::min(now, timersDueBy));
    if (!timer) return false;
    msg = MSG{timer->wnd, WM_TIMER, timer->id, 0, static_cast<std::uint32_t>(now)};
    if (remove & PM_REMOVE) timer->due = now + timer->interval;
    return true;
}

// A removed message passes the filter; one it drops is gone, and the search goes on.
bool Peek(MSG& msg, HWND wnd, UINT first, UINT last, UINT remove, Millis timersDueBy) {
    for (;;) {
        if (!PeekRaw(msg, wnd, first, last, remove, timersDueBy)) return false;
        auto filter = TheLoop().filter;
        if (!(remove & PM_REMOVE) || !filter || filter(msg)) return true;
    }
}

bool ProcessOne(Millis timersDueBy) {
    MSG msg;
    if (!Peek(msg, NullHWnd, 0, 0, PM_REMOVE, timersDueBy)) return false;
    try {
        DispatchMessage(msg);
    } catch (...) {
        HandleException(std::current_exception());
    }
    return true;
}

} // namespace

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(wnd)) return false;
    auto& loop = TheLoop();
    {
        std::lock_guard lock(loop.mutex);
        loop.queue.push_back(MSG{wnd, msg, wParam, lParam, GetTickCount()});
        // Under the lock, so that once SetWakeUpHandler returns no call to the old handler runs.
        if (loop.wakeUp) loop.wakeUp();
    }
    loop.posted.notify_one();
    return true;
}

bool PostMessageAhead(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(wnd)) return false;
    auto& loop = TheLoop();
    {
        std::lock_guard lock(loop.mutex);
        loop.queue.push_front(MSG{wnd, msg, wParam, lParam, GetTickCount()});
    }
    loop.posted.notify_one();
    return true;
}

void SetMessageFilter(MessageFilter filter) {
    TheLoop().filter = std::move(filter);
}

void SetMessageSource(MessageSource source) {
    TheLoop().source = std::move(source);
}

bool PeekMessage(MSG& msg, HWND wnd, UINT first, UINT last, UINT remove) {
    return Peek(msg, wnd, first, last, remove, CurrentClock().Now());
}

LRESULT DispatchMessage(const MSG& msg) {
    return DeliverMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, std::uint32_t ms) {
    if (!IsWindow(wnd)) return 0;
    auto& loop = TheLoop();
    std::uint32_t interval = std::max(ms, MinimumTimerInterval);
    Millis due = CurrentClock().Now() + interval;
    for (auto& t : loop.timers) {
        if (t.wnd == wnd && t.id == id) {
            t.interval = interval;
            t.due = due;
            t.order = ++loop.timerOrder;
            return id;
        }
    }
    loop.timers.push_back(WindowTimer{wnd, id, interval, due, ++loop.timerOrder});
    return id;
}

bool KillTimer(HWND wnd, std::uintptr_t id) {
    return std::erase_if(TheLoop().timers,
                         [&](const WindowTimer& t) { return t.wnd == wnd && t.id == id; }) > 0;
}

bool ProcessOneMessage() {
    return ProcessOne(CurrentClock().Now());
}

bool ProcessMessages() {
    const Millis start = CurrentClock().Now();
    bool any = false;
    while (ProcessOne(start))
        any = true;
    return any;
}

std::optional<Millis> NextTimerDue() {
    std::optional<Millis> next;
    for (const auto& t : TheLoop().timers) {
        if (IsWindow(t.wnd) && (!next || t.due < *next)) next = t.due;
    }
    return next;
}

void WaitMessage(std::uint32_t timeoutMs) {
    Millis now = CurrentClock().Now();
    Millis limit = now + timeoutMs;
    if (auto due = NextTimerDue()) limit = std::min(limit, std::max(*due, now));
    auto& loop = TheLoop();
    std::unique_lock lock(loop.mutex);
    loop.posted.wait_for(lock, std::chrono::milliseconds(limit - now),
                         [&] { return !loop.queue.empty(); });
}

void SetWakeUpHandler(std::function<void()> handler) {
    auto& loop = TheLoop();
    std::lock_guard lock(loop.mutex);
    loop.wakeUp = std::move(handler);
}

void RunFor(ManualClock& clock, Millis ms) {
    const Millis target = clock.Now() + ms;
    ProcessMessages();
    for (;;) {
        std::optional<Millis> next = NextTimerDue();
        if (auto action = clock.NextAction(); action && (!next || *action < *next)) next = action;
        if (!next || *next > target) break;
        clock.AdvanceTo(std::max(*next, clock.Now()));
        ProcessMessages();
    }
    clock.AdvanceTo(target);
    ProcessMessages();
}

void SetExceptionHandler(std::function<void(std::exception_ptr)> handler) {
    TheLoop().onException = std::move(handler);
}

void HandleException(std::exception_ptr error) {
    // A copy: the handler may install another while it runs.
    auto handler = TheLoop().onException;
    if (handler) {
        handler(error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::cerr << "Unhandled exception: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "Unhandled exception\n";
    }
}

void ResetMessageLoop() {
    auto& loop = TheLoop();
    std::lock_guard lock(loop.mutex);
    loop.queue.clear();
    loop.timers.clear();
}

} // namespace platform::core
