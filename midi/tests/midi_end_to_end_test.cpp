// Quintaron's ports against the simulated instrument's program over a real JACK server. The
// one test that runs in real time: every wait in it is bounded. It skips only where jackd is not
// installed; where it is, a server that does not start fails the test.

#include "midi/midi_input.h"
#include "midi/midi_output.h"

#include "platform/core/message_loop.h"
#include "platform/midi/rtmidi_backend.h"
#include "testsupport/child_process.h"
#include "testsupport/jack_server.h"
#include "testsupport/sim_instrument.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace midi;
using namespace std::chrono_literals;
using testsupport::Bytes;
using testsupport::SimInstrument;

namespace {

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

// Real time, bounded: the server and the simulated instrument run in processes of their own.
template <class Condition> bool WaitUntil(Condition condition, testsupport::ChildProcess& sim) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!condition()) {
        if (!sim.Running() || std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

} // namespace

TEST(MidiEndToEnd, ADataSetAndARequestGoOverJackAndTheReplyComesBackThroughTheRing) {
#ifndef QUINTARON_SIM_INSTRUMENT
    GTEST_SKIP() << "built without the simulated instrument's program";
#else
    if (!testsupport::JackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (no jackd in PATH; the package jackd2 has it)";
    std::string whyNot;
    auto jack = testsupport::JackServer::Start(whyNot);
    ASSERT_TRUE(jack) << "jackd is installed but no JACK server could start: " << whyNot;
    platform::core::ResetMessageLoop();
    const std::string name = "Sim " + jack->Name();
    testsupport::TempFolder folder("quintaron-sim-");
    ASSERT_FALSE(folder.Path().empty());
    testsupport::ChildProcess sim({QUINTARON_SIM_INSTRUMENT, "--api", "jack", "--name", name},
                                  folder.PathOf("sim.log"));
    platform::midi::RtMidiBackend rtmidi;
    platform::midi::BackendOverride useRtMidi(rtmidi);

    // It says so once both ports are open and its handler is in place; then our lists must
    // show them at once.
    ASSERT_TRUE(WaitUntil([&] { return sim.Printed("ready"); }, sim))
        << "the simulated instrument did not get ready";
    const std::string toSynth = name + " In:midi";
    const std::string fromSynth = name + " Out:midi";
    ASSERT_TRUE(Listed(toSynth, fromSynth));

    TMidiOutput out(nullptr);
    TMidiInput in(nullptr);
    out.SetProductName(toSynth);
    in.SetProductName(fromSynth);
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(in.Open());
    in.Start();
    std::vector<Bytes> replies;
    in.OnMidiInput = [&](platform::core::TObject*) {
        while (auto event = in.ReadEvent())
            replies.push_back(event->Sysex);
    };
    int done = 0;
    out.Onmidioutput = [&](platform::core::TObject*) { ++done; };

    const Bytes data = {0x01, 0x02, 0x7F, 0x00, 0x40};
    Bytes set = SimInstrument::MakeDataSet(0x10, 0x03001000, data);
    Bytes request = SimInstrument::MakeDataRequest(0x10, 0x03001000, 5);
    out.SendLong(set.data(), static_cast<std::uint16_t>(set.size()));
    out.SendLong(request.data(), static_cast<std::uint16_t>(request.size()));

    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (replies.empty() && std::chrono::steady_clock::now() < deadline) {
        platform::core::WaitMessage(50);
        platform::core::ProcessMessages();
    }
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], SimInstrument::MakeDataSet(0x10, 0x03001000, data));
    EXPECT_EQ(done, 2);
    in.Close();
    EXPECT_TRUE(out.Close());
#endif
}
