#pragma once
// A test's MIDI world for the senders: a manual clock, a virtual MIDI back end whose far side
// records what arrives and when, an open output port behind a fake user interface, and the
// application state with device id 17.

#include "midi/midi_output.h"
#include "model/program/program_state.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/midi/midi_backend.h"
#include "platform/midi/virtual_midi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace model::fixtures {

using Bytes = std::vector<std::uint8_t>;

class FakeUi : public TUiServices {
public:
    midi::TMidiOutput* MidiOutput() override { return output; }
    void CloseDevs() override {}
    void OpenDevs() override {}
    void MonitorAddMessage(std::span<const std::uint8_t> message) override {
        monitor.emplace_back(message.begin(), message.end());
    }
    void EnableMenuItems() override {}

    midi::TMidiOutput* output = nullptr;
    std::vector<Bytes> monitor;
};

struct Arrival {
    platform::core::Millis time;
    Bytes message;
};

class SendFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::core::ResetMessageLoop();
        AppState = &state;
        output = std::make_unique<midi::TMidiOutput>(nullptr);
        output->SetProductName("Instrument");
        ASSERT_TRUE(output->Open());
        ui.output = output.get();
        SetUiServices(&ui);
        MidiOnline = true;
    }
    void TearDown() override {
        MidiOnline = false;
        SetUiServices(nullptr);
        AppState = nullptr;
        output.reset();
        platform::core::ResetMessageLoop();
    }

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
    platform::midi::VirtualMidi backend{clock};
    platform::midi::BackendOverride backendOverride{backend};
    std::vector<Arrival> arrivals;
    std::size_t pair = backend.AddPair("Instrument", [this](Bytes message) {
        arrivals.push_back({clock.Now(), message});
    });
    TQuintaron state;
    FakeUi ui;
    std::unique_ptr<midi::TMidiOutput> output;
};

} // namespace model::fixtures
