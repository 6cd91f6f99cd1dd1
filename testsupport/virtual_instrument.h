#pragma once
// The test fixture most tests want: a simulated instrument on the far side of a virtual MIDI
// device pair, with the virtual back end in force, everything timed by a manual clock. Open
// Quintaron's ports on the pair's name; RunFor delivers what the instrument sends.

#include "platform/core/clock.h"
#include "platform/midi/midi_backend.h"
#include "platform/midi/virtual_midi.h"
#include "testsupport/sim_instrument.h"

#include <string>

namespace testsupport {

class VirtualInstrument {
public:
    static constexpr const char* DefaultName = "Sim Instrument";

    explicit VirtualInstrument(platform::core::ManualClock& clock,
                               const std::string& name = DefaultName);

    SimInstrument& Instrument() { return instrument_; }
    platform::midi::VirtualMidi& Midi() { return midi_; }
    std::size_t Pair() const { return pair_; }
    // A MIDI cable's 320 µs a byte, each way; off by default.
    void SetWireTime(bool on);

private:
    platform::core::ManualClock& clock_;
    platform::midi::VirtualMidi midi_;
    platform::midi::BackendOverride override_;
    std::size_t pair_;
    SimInstrument instrument_;
};

} // namespace testsupport
