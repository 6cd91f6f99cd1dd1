// Transfer efficiency on the manual clock: a patch bank, a performance bank, a rhythm set and a
// global set received from and transmitted to the simulated instrument, which answers over a
// virtual cable at MIDI speed (320 µs a byte each way). "ratio" is simulated transfer time over
// the protocol's bound (transfer_bound.h); anything above 1.00 is overhead of ours. A transfer
// runs from the call until the last reply has been taken in (receive) or the last byte has
// reached the instrument (transmit). "linger_s" is the part of it that finished banks' windows
// stayed open before a global set went on with its next bank; "ratio_no_linger" leaves it out.

#include "bench/instrument_image.h"
#include "bench/transfer_bound.h"
#include "bench/transfer_world.h"
#include "model/elements/bank.h"
#include "model/elements/global.h"
#include "model/elements/rhythm.h"
#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/midi/midi_backend.h"
#include "platform/midi/virtual_midi.h"
#include "testsupport/instrument_address_map.h"
#include "testsupport/sim_instrument.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

namespace {

namespace pc = platform::core;
using testsupport::Bytes;

constexpr const char* DeviceName = "Bench Instrument";

// The instrument behind a virtual cable at MIDI speed, Quintaron's ports open on it. The members
// are built in the order given: each needs those above it.
struct CableWorld {
    CableWorld() {
        pc::ResetMessageLoop();
        midi.SetWireTime(pair, 320);
        instrument.SetBlockTable(testsupport::InstrumentBlockTable());
        instrument.SetDeviceByte(session.DeviceByte());
        // Every block holds data, so that each reply carries something to check.
        std::uint8_t seed = 1;
        for (const testsupport::SimBlock& block : testsupport::InstrumentBlocks()) {
            Bytes data(block.Size);
            for (std::size_t i = 0; i < data.size(); ++i)
                data[i] = static_cast<std::uint8_t>((seed + i * 5) & 0x7F);
            instrument.Write(block.Address, data);
            seed = static_cast<std::uint8_t>((seed + 3) & 0x7F);
        }
    }
    ~CableWorld() { pc::ResetMessageLoop(); }
    CableWorld(const CableWorld&) = delete;
    CableWorld& operator=(const CableWorld&) = delete;

    double Now() const { return static_cast<double>(clock.Now()); }
    // Lets what is still on the wire arrive.
    void Drain() { pc::RunFor(clock, 2000); }

    pc::ManualClock clock{0};
    pc::ClockOverride clockOverride{clock};
    platform::midi::VirtualMidi midi{clock};
    platform::midi::BackendOverride backendOverride{midi};
    // When the instrument took in the last message it was sent.
    double lastArrival = 0;
    testsupport::SimInstrument instrument{[this](Bytes message, pc::Millis delay) {
        midi.Deliver(pair, std::move(message), clock.Now() + delay);
    }};
    std::size_t pair = midi.AddPair(DeviceName, [this](Bytes message) {
        lastArrival = static_cast<double>(clock.Now());
        instrument.Receive(message);
    });
    bench::BenchTransferWindow window{[this] { pc::RunFor(clock, 1); }, [this] { return Now(); },
                                      30 * 60 * 1000.0};
    bench::CountingDialogs dialogs;
    bench::TransferSession session{window, dialogs, DeviceName, DeviceName};
};

struct Outcome {
    double simulatedMs = 0;
    double lingerMs = 0;
    bool ok = false;
    std::string why;
};

void Report(benchmark::State& state, const Outcome& outcome, double boundMs, double gridBoundMs,
            int messages) {
    state.counters["sim_s"] = outcome.simulatedMs / 1e3;
    state.counters["bound_s"] = boundMs / 1e3;
    state.counters["ratio"] = outcome.simulatedMs / boundMs;
    state.counters["linger_s"] = outcome.lingerMs / 1e3;
    state.counters["ratio_no_linger"] = (outcome.simulatedMs - outcome.lingerMs) / boundMs;
    // Against the bound on the virtual cable's millisecond grid: what is left is ours alone.
    state.counters["ratio_grid"] = (outcome.simulatedMs - outcome.lingerMs) / gridBoundMs;
    state.counters["messages"] = messages;
}

Outcome Check(const CableWorld& world) {
    Outcome outcome;
    if (!world.session.Opened()) {
        outcome.why = "the ports did not open";
    } else if (world.window.timedOut) {
        outcome.why = "the transfer window stayed open";
    } else if (!world.dialogs.messages.empty()) {
        outcome.why = "asked: " + world.dialogs.messages.front();
    } else if (world.window.doneAt.empty()) {
        outcome.why = "the transfer was never done";
    } else {
        outcome.ok = true;
    }
    return outcome;
}

Outcome RunReceive(CableWorld& world, model::TLibElem& elem) {
    const double start = world.Now();
    elem.Receive(false);
    Outcome outcome = Check(world);
    if (!outcome.ok) return outcome;
    const double end = world.window.doneAt.back();
    outcome.simulatedMs = end - start;
    outcome.lingerMs = world.window.LingerBefore(end);
    return outcome;
}

Outcome RunTransmit(CableWorld& world, model::TLibElem& elem, int messages) {
    const double start = world.Now();
    elem.Transmit(false);
    world.Drain();
    Outcome outcome = Check(world);
    if (!outcome.ok) return outcome;
    if (world.instrument.DataSetsApplied() != messages) {
        outcome.ok = false;
        outcome.why = "the instrument applied " +
                      std::to_string(world.instrument.DataSetsApplied()) + " data sets, not " +
                      std::to_string(messages);
        return outcome;
    }
    const double end = world.lastArrival;
    outcome.simulatedMs = end - start;
    outcome.lingerMs = world.window.LingerBefore(end);
    return outcome;
}

using Factory = std::function<std::unique_ptr<model::TLibElem>()>;

// In user memory, number 1.
std::unique_ptr<model::TLibElem> Placed(std::unique_ptr<model::TLibElem> elem) {
    elem->Temporary = false;
    elem->Memory = true;
    elem->Number = 1;
    return elem;
}

// The world and element of the last run, kept for the check after the timed loop. The element
// goes before its world, and a world before the next is built (each puts its clock and back end
// in force).
struct LastRun {
    void Begin(const Factory& make) {
        elem.reset();
        world.reset();
        world = std::make_unique<CableWorld>();
        elem = make();
    }
    std::unique_ptr<CableWorld> world;
    std::unique_ptr<model::TLibElem> elem;
};

void Receive(benchmark::State& state, const Factory& make, const bench::ExchangePlan& plan) {
    Outcome outcome;
    LastRun run;
    for (auto _ : state) {
        run.Begin(make);
        outcome = RunReceive(*run.world, *run.elem);
        if (!outcome.ok) return state.SkipWithError(outcome.why.c_str());
    }
    if (const int wrong = bench::Mismatches(run.world->instrument, *run.elem)) {
        const std::string why = std::to_string(wrong) + " bytes differ from the instrument's";
        return state.SkipWithError(why.c_str());
    }
    Report(state, outcome, bench::ReceiveBound(plan), bench::ReceiveBound(plan, true),
           static_cast<int>(plan.size()));
}

void Transmit(benchmark::State& state, const Factory& make, const bench::MessagePlan& plan) {
    Outcome outcome;
    LastRun run;
    for (auto _ : state) {
        run.Begin(make);
        outcome = RunTransmit(*run.world, *run.elem, static_cast<int>(plan.size()));
        if (!outcome.ok) return state.SkipWithError(outcome.why.c_str());
    }
    if (const int wrong = bench::Mismatches(run.world->instrument, *run.elem)) {
        const std::string why = std::to_string(wrong) + " bytes did not reach the instrument";
        return state.SkipWithError(why.c_str());
    }
    Report(state, outcome, bench::TransmitBound(plan), bench::TransmitBound(plan, true),
           static_cast<int>(plan.size()));
}

std::unique_ptr<model::TLibElem> PatchBank() {
    return Placed(std::make_unique<model::TPatchBank>(nullptr));
}
std::unique_ptr<model::TLibElem> PerformanceBank() {
    return Placed(std::make_unique<model::TPerformanceBank>(nullptr));
}
std::unique_ptr<model::TLibElem> RhythmSet() {
    return Placed(std::make_unique<model::TRhythm>(nullptr));
}
std::unique_ptr<model::TLibElem> GlobalSet() {
    return std::make_unique<model::TGlobal>(nullptr);
}

// Without a data card, as the settings have it by default: the user banks and the system.
bench::MessagePlan GlobalMessages() {
    using namespace bench;
    return Join({Repeat(PatchMessages(), model::PatchesPerMemory),
                 Repeat(PerformanceMessages(), model::PerformancesPerMemory),
                 Repeat(RhythmMessages(), model::RhythmsPerMemory), SystemMessages()});
}
bench::ExchangePlan GlobalExchanges() {
    using namespace bench;
    return Join({Repeat(PatchExchanges(), model::PatchesPerMemory),
                 Repeat(BlockExchanges(PerformanceMessages()), model::PerformancesPerMemory),
                 Repeat(BlockExchanges(RhythmMessages()), model::RhythmsPerMemory),
                 BlockExchanges(SystemMessages())});
}

void BM_ReceivePatchBank(benchmark::State& state) {
    Receive(state, PatchBank, bench::Repeat(bench::PatchExchanges(), model::PatchesPerMemory));
}
void BM_ReceivePerformanceBank(benchmark::State& state) {
    Receive(state, PerformanceBank,
            bench::Repeat(bench::BlockExchanges(bench::PerformanceMessages()),
                          model::PerformancesPerMemory));
}
void BM_ReceiveRhythmSet(benchmark::State& state) {
    Receive(state, RhythmSet, bench::BlockExchanges(bench::RhythmMessages()));
}
void BM_ReceiveGlobalSet(benchmark::State& state) {
    Receive(state, GlobalSet, GlobalExchanges());
}
void BM_TransmitPatchBank(benchmark::State& state) {
    Transmit(state, PatchBank, bench::Repeat(bench::PatchMessages(), model::PatchesPerMemory));
}
void BM_TransmitPerformanceBank(benchmark::State& state) {
    Transmit(state, PerformanceBank,
             bench::Repeat(bench::PerformanceMessages(), model::PerformancesPerMemory));
}
void BM_TransmitRhythmSet(benchmark::State& state) {
    Transmit(state, RhythmSet, bench::RhythmMessages());
}
void BM_TransmitGlobalSet(benchmark::State& state) {
    Transmit(state, GlobalSet, GlobalMessages());
}

// Each run is deterministic: one is enough, and its time is the cost of simulating it.
BENCHMARK(BM_ReceivePatchBank)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceivePerformanceBank)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveRhythmSet)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveGlobalSet)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransmitPatchBank)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransmitPerformanceBank)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransmitRhythmSet)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransmitGlobalSet)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
