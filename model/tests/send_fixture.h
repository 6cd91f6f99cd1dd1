#pragma once
// A test's MIDI world for the senders: a manual clock, a virtual MIDI back end whose far side
// records what arrives and when, the application state with device id 17 whose MIDI connection
// is open on it, and window services that write down what the monitor was given.

#include "midi/midi_output.h"
#include "model/program/quintaron.h"
#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/midi/midi_backend.h"
#include "platform/midi/virtual_midi.h"
#include "testsupport/model/fake_ui_services.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

namespace model::fixtures {

using Bytes = std::vector<std::uint8_t>;

struct Arrival {
    platform::core::Millis time;
    Bytes message;
};

class SendFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::core::ResetMessageLoop();
        if (createPorts) {
            state.Midi.Create();
            ASSERT_TRUE(state.Midi.Online());
        } else {
            state.Midi.SetOnline(true);
        }
        output = state.Midi.Output();
    }
    void TearDown() override { platform::core::ResetMessageLoop(); }

    // Lets what was sent arrive, and the port take its buffers back.
    std::vector<Arrival>& Arrivals() {
        platform::core::RunFor(clock, 0);
        return arrivals;
    }
    std::vector<Bytes> Received() {
        std::vector<Bytes> result;
        for (const Arrival& arrival : Arrivals())
            result.push_back(arrival.message);
        return result;
    }

    platform::core::ManualClock clock;
    platform::core::ClockOverride clockOverride{clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride clockDate{clock, platform::core::EncodeDate(2026, 3, 7) +
                                                     platform::core::EncodeTime(9, 0, 0, 0)};
    platform::midi::VirtualMidi backend{clock};
    platform::midi::BackendOverride backendOverride{backend};
    std::vector<Arrival> arrivals;
    std::size_t pair = backend.AddPair("Instrument", [this](Bytes message) {
        arrivals.push_back({clock.Now(), message});
    });
    TQuintaron state;
    testsupport::FakeUiServices ui;
    // Cleared before SetUp: the connection counts as open but has no components.
    bool createPorts = true;
    // The connection's output; null without components.
    midi::TMidiOutput* output = nullptr;
};

} // namespace model::fixtures
