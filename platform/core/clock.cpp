#include "platform/core/clock.h"

#include <chrono>
#include <thread>

namespace platform::core {

namespace {

std::atomic<Clock*> currentClock{nullptr};

SystemClock& TheSystemClock() {
    static SystemClock clock;
    return clock;
}

} // namespace

Millis SystemClock::Now() const {
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<Millis>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count());
}

void SystemClock::Wait(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void ManualClock::AdvanceTo(Millis t) {
    for (;;) {
        std::function<void()> action;
        {
            std::lock_guard lock(mutex_);
            auto first = actions_.begin();
            if (first == actions_.end() || first->first.first > t) break;
            if (first->first.first > now_.load()) now_.store(first->first.first);
            action = std::move(first->second);
            actions_.erase(first);
        }
        action();
    }
    if (t > now_.load()) now_.store(t);
}

ManualClock::ActionId ManualClock::Schedule(Millis at, std::function<void()> action) {
    std::lock_guard lock(mutex_);
    ActionId id = nextId_++;
    actions_.emplace(std::make_pair(at, id), std::move(action));
    return id;
}

void ManualClock::Cancel(ActionId id) {
    std::lock_guard lock(mutex_);
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        if (it->first.second == id) {
            actions_.erase(it);
            return;
        }
    }
}

std::optional<Millis> ManualClock::NextAction() const {
    std::lock_guard lock(mutex_);
    if (actions_.empty()) return std::nullopt;
    return actions_.begin()->first.first;
}

Clock& CurrentClock() {
    Clock* clock = currentClock.load();
    return clock ? *clock : TheSystemClock();
}

ClockOverride::ClockOverride(Clock& clock) : previous_(currentClock.exchange(&clock)) {}

ClockOverride::~ClockOverride() {
    currentClock.store(previous_);
}

std::uint32_t GetTickCount() {
    return static_cast<std::uint32_t>(CurrentClock().Now());
}

void Sleep(std::uint32_t ms) {
    CurrentClock().Wait(ms);
}

} // namespace platform::core
