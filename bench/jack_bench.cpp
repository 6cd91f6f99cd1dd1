// A patch bank received in real time from the simulated instrument's program over a JACK server
// on the dummy driver. JACK carries MIDI without a cable's byte rate, so two bounds are given:
// the cable's ("ratio", wire time and pacing, as on the manual clock) and JACK's own, the pacing
// alone ("ratio_pacing"); what lies above the latter is mostly the server's periods, which a
// request and its replies each wait for, and our threads' hand-overs. Without real-time
// scheduling a short period makes the server miss cycles ("xruns"), in which MIDI can be lost;
// the transfer then asks again after its time-out ("retries"), which the figure includes.
// The figure with the program's own loop is the one a user meets: the progress window waits in
// Qt's event loop, which MIDI input posted from the driver's thread must wake.
// After the timed loop the received bank is checked byte for byte against the instrument's
// memory: the program starts with nothing written, so every data byte must have come as 0 over
// the bank's own bytes, which are set to non-zero ones before the transfer.

#include "bench/instrument_image.h"
#include "bench/jack_dummy.h"
#include "bench/transfer_bound.h"
#include "bench/transfer_world.h"
#include "model/elements/bank.h"
#include "model/elements/patch.h"
#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/midi/midi_backend.h"
#include "platform/midi/midi_services.h"
#include "platform/midi/rtmidi_backend.h"
#include "platform/win/modal_loop.h"
#include "testsupport/child_process.h"
#include "testsupport/sim_instrument.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace {

#ifdef QUINTARON_SIM_INSTRUMENT

namespace pc = platform::core;
using Steady = std::chrono::steady_clock;

double NowMs() {
    return std::chrono::duration<double, std::milli>(Steady::now().time_since_epoch()).count();
}

bool Listed(const std::string& output, const std::string& input) {
    using namespace platform::midi;
    bool out = false;
    bool in = false;
    for (UINT id = 0, n = midiOutGetNumDevs(); id < n; ++id) {
        MIDIOUTCAPSA caps;
        out |= midiOutGetDevCapsA(id, &caps) == MMSYSERR_NOERROR && caps.szPname == output;
    }
    for (UINT id = 0, n = midiInGetNumDevs(); id < n; ++id) {
        MIDIINCAPSA caps;
        in |= midiInGetDevCapsA(id, &caps) == MMSYSERR_NOERROR && caps.szPname == input;
    }
    return out && in;
}

// A loop of the bench's own: sleep on the queue until a post or the next timer, then pump.
void Pump() {
    std::uint32_t wait = 5;
    if (const auto due = pc::NextTimerDue()) {
        const pc::Millis now = pc::CurrentClock().Now();
        wait = *due > now ? static_cast<std::uint32_t>(std::min<pc::Millis>(*due - now, 5)) : 0;
    }
    pc::WaitMessage(wait);
    pc::ProcessMessages();
}

// One turn of the loop the program's progress window runs (every modal loop of the program's
// runs so): dispatch what the queue holds, else wait in Qt's event loop, which a post from the
// MIDI driver's thread must end (Qt's, headless: the benchmark program's desktop). Nobody moves
// the mouse meanwhile.
void ProgramLoopTurn() {
    pc::MSG msg;
    if (pc::PeekMessage(msg, platform::core::NullHWnd, 0, 0, pc::PM_REMOVE)) {
        pc::DispatchMessage(msg);
        return;
    }
    platform::win::WaitMessage();
}

struct JackRun {
    double wallMs = 0;
    double periodMs = 0;
    int xruns = 0;
    int retries = 0;
    // Empty when the bank arrived.
    std::string failure;
    // What was received, for the check after the timed loop.
    std::unique_ptr<model::TPatchBank> bank;
};

// Every data byte of the bank's patches set to a non-zero value, so that bytes that were not
// received cannot pass for the instrument's zeros.
void FillNonZero(model::TPatchBank& bank) {
    for (int i = 0; i < bank.Count(); ++i) {
        model::TPatch& patch = bank.Patch(i);
        std::uint8_t value = 1;
        auto fill = [&value](auto data) {
            for (auto& b : data) {
                b = value;
                value = static_cast<std::uint8_t>(value % 127 + 1);
            }
        };
        fill(patch.Common->Data());
        for (auto& tone : patch.Tones)
            fill(tone->Data());
    }
}

// The simulated instrument's program as it starts: nothing written, every byte 0.
int MismatchesWithFreshInstrument(model::TPatchBank& bank) {
    const testsupport::SimInstrument memory([](testsupport::Bytes, pc::Millis) {});
    return bench::Mismatches(memory, bank);
}

// One server, one instrument, one patch bank. The server's log is kept when the last attempt fails.
JackRun ReceiveOverJack(int period, bool lastAttempt, const std::function<void()>& step) {
    JackRun run;
    std::string whyNot;
    auto jack = bench::DummyJack::Start(period, whyNot);
    if (!jack) {
        run.failure = "no JACK server: " + whyNot;
        return run;
    }
    run.periodMs = jack->PeriodMs();
    pc::ResetMessageLoop();
    const std::string name = "Bench " + jack->Name();
    testsupport::ChildProcess sim(
        {QUINTARON_SIM_INSTRUMENT, "--api", "jack", "--name", name, "--device", "10"});
    platform::midi::RtMidiBackend rtmidi;
    platform::midi::BackendOverride useRtMidi(rtmidi);
    const std::string toSynth = name + " In:midi";
    const std::string fromSynth = name + " Out:midi";
    const auto deadline = Steady::now() + std::chrono::seconds(5);
    while (!Listed(toSynth, fromSynth)) {
        if (!sim.Running() || Steady::now() > deadline) {
            run.failure = "the simulated instrument's ports did not appear";
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    bench::BenchTransferWindow window(step, NowMs, 120 * 1000.0);
    bench::CountingDialogs dialogs;
    // A server that has stopped running a client's cycles answers no more.
    dialogs.retries = 3;
    bench::TransferSession session(window, dialogs, toSynth, fromSynth);
    if (!session.Opened() || session.DeviceByte() != 0x10) {
        run.failure = "the ports did not open on the instrument's device id";
        return run;
    }
    run.bank = std::make_unique<model::TPatchBank>(nullptr);
    model::TPatchBank& bank = *run.bank;
    bank.Memory = true;
    FillNonZero(bank);
    const double start = NowMs();
    bank.Receive(false);
    run.xruns = jack->Xruns();
    run.retries = static_cast<int>(dialogs.messages.size());
    if (window.timedOut || window.doneAt.empty()) {
        run.failure = "the transfer did not finish (" + std::to_string(run.retries) +
                      " time-outs; xruns: " + std::to_string(run.xruns) + ")";
        if (lastAttempt) run.failure += "; server log: " + jack->KeepLog();
        return run;
    }
    run.wallMs = window.doneAt.back() - start;
    return run;
}

// On a busy machine the dummy server, which runs without real-time scheduling, now and then stops
// running one client's cycles for good; such a run is started afresh, up to three times.
void BM_ReceivePatchBankOverJack(benchmark::State& state) {
    constexpr int Attempts = 3;
    JackRun run;
    int attempts = 0;
    for (auto _ : state) {
        do {
            run = ReceiveOverJack(static_cast<int>(state.range(0)), attempts + 1 == Attempts,
                                  state.range(1) ? ProgramLoopTurn : Pump);
        } while (!run.failure.empty() && ++attempts < Attempts);
        if (!run.failure.empty()) return state.SkipWithError(run.failure.c_str());
    }
    if (const int wrong = MismatchesWithFreshInstrument(*run.bank)) {
        const std::string why = std::to_string(wrong) + " bytes differ from the instrument's";
        return state.SkipWithError(why.c_str());
    }
    const auto plan = bench::Repeat(bench::PatchExchanges(), model::PatchesPerMemory);
    const double cable = bench::ReceiveBound(plan);
    const double pacing = static_cast<double>(plan.size()) * model::SysExPacingMs;
    state.counters["wall_s"] = run.wallMs / 1e3;
    state.counters["bound_s"] = cable / 1e3;
    state.counters["ratio"] = run.wallMs / cable;
    state.counters["pacing_bound_s"] = pacing / 1e3;
    state.counters["ratio_pacing"] = run.wallMs / pacing;
    state.counters["ms_per_request_over_pacing"] =
        (run.wallMs - pacing) / static_cast<double>(plan.size());
    state.counters["period_ms"] = run.periodMs;
    state.counters["xruns"] = run.xruns;
    // Each a reply lost in a missed cycle and asked for again after the 2 s time-out.
    state.counters["retries"] = run.retries;
    state.counters["restarts"] = attempts;
}
// The server's period in frames: 256 as the tests run it, and 64 to show what it costs; the
// bench's own loop, and the program's (program_loop 1).
BENCHMARK(BM_ReceivePatchBankOverJack)
    ->Args({256, 0})
    ->Args({64, 0})
    ->Args({256, 1})
    ->ArgNames({"period", "program_loop"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

#endif

} // namespace
