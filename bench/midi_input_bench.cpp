// The MIDI input path: driver callback -> ring -> posted message -> pump -> OnMidiInput handler
// -> ReadEvent, for short messages and for a 10,000-byte system-exclusive dump. A MIDI cable
// carries 3,125 bytes a second, so the path must keep up with that many times over; the
// "cables" counters say how many cables' worth it carries, "vs_wire" compares a latency with the
// time the message itself spends on the wire. After each timed loop the last message read is
// checked byte for byte against the one fed, outside the time measured.

#include "bench/direct_midi.h"
#include "midi/midi_input.h"
#include "platform/core/message_loop.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace pc = platform::core;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr double WireBytesPerSecond = 31250.0 / 10.0;
constexpr std::size_t DumpLength = 10000;

Bytes NoteOn(int i) {
    return {0x90, static_cast<std::uint8_t>(i & 0x7F), 0x40};
}

Bytes Dump() {
    Bytes bytes(DumpLength);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 13) & 0x7F);
    bytes.front() = 0xF0;
    bytes.back() = 0xF7;
    return bytes;
}

// One open input port on the direct back end, with a handler that reads every waiting event.
class InputPath {
public:
    InputPath() {
        pc::ResetMessageLoop();
        input_.SetProductName(bench::DirectMidi::Name);
        ok_ = input_.Open();
        if (ok_) input_.Start();
        input_.OnMidiInput = [this](pc::TObject*) {
            while (input_.PendingCount() > 0) {
                auto event = input_.ReadEvent();
                bytes += event->Sysex.empty() ? 3 : event->Sysex.size();
                benchmark::DoNotOptimize(event->Sysex.data());
                lastRead = Clock::now();
                // Kept rather than freed here: the one it replaces is freed instead.
                recent_[events.load(std::memory_order_relaxed) % recent_.size()] = std::move(event);
                events.fetch_add(1, std::memory_order_release);
            }
        };
        input_.OnOverflow = [this](pc::TObject*) { ++overflows; };
    }
    ~InputPath() {
        input_.Close();
        pc::ResetMessageLoop();
    }

    bool Ok() const { return ok_; }
    // The last message read, which came as `count` events, against `message`: empty when they
    // are the same byte for byte. A dump is its events' system-exclusive bytes one after the
    // other; a short message the status and data bytes of one event.
    std::string LastMessageDifference(const Bytes& message, std::uint64_t count) const {
        const std::uint64_t total = events.load(std::memory_order_acquire);
        if (total < count || count > recent_.size()) return "too few events were read to check";
        Bytes got;
        for (std::uint64_t n = total - count; n < total; ++n) {
            const auto& event = recent_[n % recent_.size()];
            if (!event) return "an event was not kept";
            if (message.front() == 0xF0) {
                if (event->Status != 0xF0 || event->SysexLength != event->Sysex.size())
                    return "a dump's event is not system exclusive of its length";
                got.insert(got.end(), event->Sysex.begin(), event->Sysex.end());
            } else {
                got.insert(got.end(), {event->Status, event->Data1, event->Data2});
                got.resize(message.size());
            }
        }
        if (got == message) return {};
        std::size_t at = 0;
        while (at < got.size() && at < message.size() && got[at] == message[at])
            ++at;
        return "the last message read differs from the one fed from byte " + std::to_string(at) +
               " on (" + std::to_string(got.size()) + " bytes read, " +
               std::to_string(message.size()) + " fed)";
    }
    bench::DirectMidi& Driver() { return midi_; }
    // Pumps until the handler has read `total` events in all; false when they have not come
    // within ten seconds (events were lost).
    bool PumpUntil(std::uint64_t total) {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (events.load(std::memory_order_acquire) < total) {
            if (Clock::now() > deadline) return false;
            pc::WaitMessage(100);
            pc::ProcessMessages();
        }
        return true;
    }

    std::atomic<std::uint64_t> events{0};
    std::uint64_t bytes = 0;
    int overflows = 0;
    Clock::time_point lastRead;

private:
    // The last events read, as many as a dump comes in and one more.
    std::array<std::unique_ptr<midi::TMyMidiEvent>, 4> recent_;
    bench::DirectMidi midi_;
    platform::midi::BackendOverride override_{midi_};
    midi::TMidiInput input_{nullptr};
    bool ok_ = false;
};

void Report(benchmark::State& state, const InputPath& path, double seconds, double messages,
            double wireBytesPerMessage) {
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(path.events) / seconds);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(path.bytes) / 1e6 / seconds);
    state.counters["cables"] =
        benchmark::Counter(messages * wireBytesPerMessage / seconds / WireBytesPerSecond);
    if (path.overflows) state.counters["overflows"] = path.overflows;
}

// Driver and pump on one thread, a burst that fits the ring at a time: the work of the path
// alone, with no thread hand-over.
void BM_MidiInputShortBurst(benchmark::State& state) {
    InputPath path;
    if (!path.Ok()) return state.SkipWithError("input did not open");
    constexpr int Burst = 1000;
    std::vector<Bytes> burst;
    for (int i = 0; i < Burst; ++i)
        burst.push_back(NoteOn(i));
    std::uint64_t expected = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        for (const Bytes& message : burst)
            path.Driver().Feed(message);
        expected += Burst;
        pc::ProcessMessages();
        if (path.events != expected) return state.SkipWithError("events were lost");
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (std::string why = path.LastMessageDifference(burst.back(), 1); !why.empty())
        return state.SkipWithError(why.c_str());
    state.SetItemsProcessed(state.iterations() * Burst);
    Report(state, path, seconds, static_cast<double>(expected), 3);
}
BENCHMARK(BM_MidiInputShortBurst)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The driver feeding from its own thread while the user-interface thread waits for posts and
// pumps, as in the program; the driver holds back when `window` events wait unread, so that the
// ring never overflows.
void Stream(benchmark::State& state, const Bytes& message, std::uint64_t perIteration,
            std::uint64_t window, std::uint64_t eventsPerMessage) {
    InputPath path;
    if (!path.Ok()) return state.SkipWithError("input did not open");
    std::uint64_t fed = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        const std::uint64_t target = fed + perIteration;
        std::thread driver([&] {
            for (std::uint64_t n = fed; n < target; ++n) {
                while (n * eventsPerMessage - path.events.load(std::memory_order_acquire) >=
                       window * eventsPerMessage)
                    std::this_thread::yield();
                path.Driver().Feed(message);
            }
        });
        const bool complete = path.PumpUntil(target * eventsPerMessage);
        if (!complete) path.events = target * eventsPerMessage; // lets the driver finish
        driver.join();
        if (!complete) return state.SkipWithError("events were lost");
        fed = target;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (std::string why = path.LastMessageDifference(message, eventsPerMessage); !why.empty())
        return state.SkipWithError(why.c_str());
    state.SetItemsProcessed(static_cast<std::int64_t>(path.events));
    Report(state, path, seconds, static_cast<double>(fed), static_cast<double>(message.size()));
}

void BM_MidiInputShortStream(benchmark::State& state) {
    Stream(state, NoteOn(60), 100000, 512, 1);
}
BENCHMARK(BM_MidiInputShortStream)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 10,000-byte dump fills three of the sixteen 4,096-byte buffers; four may wait at once.
void BM_MidiInputDumpStream(benchmark::State& state) {
    Stream(state, Dump(), 2000, 4, 3);
}
BENCHMARK(BM_MidiInputDumpStream)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the driver's call until the handler has read the whole message, the user-interface thread
// asleep in its wait for posts when the message comes.
void Latency(benchmark::State& state, const Bytes& message, std::uint64_t eventsPerMessage) {
    InputPath path;
    if (!path.Ok()) return state.SkipWithError("input did not open");
    std::binary_semaphore go(0);
    std::atomic<bool> stop{false};
    std::atomic<Clock::rep> fedAt{0};
    std::thread driver([&] {
        for (;;) {
            go.acquire();
            if (stop) return;
            // Long enough for the other thread to be asleep in its wait.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            fedAt = Clock::now().time_since_epoch().count();
            path.Driver().Feed(message);
        }
    });
    std::vector<double> samples;
    std::uint64_t expected = 0;
    for (auto _ : state) {
        expected += eventsPerMessage;
        go.release();
        if (!path.PumpUntil(expected)) {
            stop = true;
            go.release();
            driver.join();
            return state.SkipWithError("the event was lost");
        }
        const Clock::time_point sent{Clock::duration{fedAt.load()}};
        const double latency = std::chrono::duration<double>(path.lastRead - sent).count();
        state.SetIterationTime(latency);
        samples.push_back(latency);
    }
    stop = true;
    go.release();
    driver.join();
    if (std::string why = path.LastMessageDifference(message, eventsPerMessage); !why.empty())
        return state.SkipWithError(why.c_str());
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) {
        return samples[std::min(samples.size() - 1, static_cast<std::size_t>(q * samples.size()))];
    };
    double sum = 0;
    for (double s : samples)
        sum += s;
    const double mean = sum / static_cast<double>(samples.size());
    state.counters["mean_us"] = mean * 1e6;
    state.counters["p50_us"] = at(0.50) * 1e6;
    state.counters["p99_us"] = at(0.99) * 1e6;
    state.counters["vs_wire"] = mean / (static_cast<double>(message.size()) / WireBytesPerSecond);
}

void BM_MidiInputLatencyShort(benchmark::State& state) {
    Latency(state, NoteOn(60), 1);
}
BENCHMARK(BM_MidiInputLatencyShort)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(2000);

void BM_MidiInputLatencyDump(benchmark::State& state) {
    Latency(state, Dump(), 3);
}
BENCHMARK(BM_MidiInputLatencyDump)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(2000);

} // namespace
