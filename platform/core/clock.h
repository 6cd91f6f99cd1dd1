#pragma once
// The platform clock: every timer, time-out and pacing wait in the system reads it, so that
// tests can swap in a manual clock and run minutes of protocol in microseconds.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace platform::core {

// Milliseconds since the clock started. 64 bits, so nothing wraps within a run; the 32-bit
// tick count of GetTickCount is its low half.
using Millis = std::uint64_t;

class Clock {
public:
    virtual ~Clock() = default;
    virtual Millis Now() const = 0;
    // Blocks the calling thread for ms. A manual clock advances instead.
    virtual void Wait(std::uint32_t ms) = 0;
};

class SystemClock final : public Clock {
public:
    Millis Now() const override;
    void Wait(std::uint32_t ms) override;
};

// A clock that moves only when told. Scheduled actions stand for what another thread (a MIDI
// driver) would do at that moment: they run, in time order, as the clock passes their time.
class ManualClock final : public Clock {
public:
    using ActionId = std::uint64_t;

    explicit ManualClock(Millis start = 0) : now_(start) {}

    Millis Now() const override { return now_.load(); }
    void Wait(std::uint32_t ms) override { Advance(ms); }

    void Advance(Millis ms) { AdvanceTo(Now() + ms); }
    // Moves to t, stopping at each scheduled action on the way to run it at its own time.
    void AdvanceTo(Millis t);

    // Any thread. An action scheduled at or before Now() runs at the next advance.
    ActionId Schedule(Millis at, std::function<void()> action);
    void Cancel(ActionId id);
    std::optional<Millis> NextAction() const;

private:
    std::atomic<Millis> now_;
    mutable std::mutex mutex_;
    std::map<std::pair<Millis, ActionId>, std::function<void()>> actions_;
    ActionId nextId_ = 1;
};

// The clock in force: the system clock unless a ClockOverride is alive.
Clock& CurrentClock();

// Puts a clock in force for its lifetime (tests). Overrides nest.
class ClockOverride {
public:
    explicit ClockOverride(Clock& clock);
    ~ClockOverride();
    ClockOverride(const ClockOverride&) = delete;
    ClockOverride& operator=(const ClockOverride&) = delete;

private:
    Clock* previous_;
};

// Milliseconds of the clock in force, wrapping at 2^32 as the platform's tick count does.
std::uint32_t GetTickCount();
// Waits ms on the clock in force.
void Sleep(std::uint32_t ms);

} // namespace platform::core
