#pragma once
// An in-process MIDI back end for tests: device pairs whose far side is test code (a simulated
// instrument). Everything the "driver" does happens in actions scheduled on a manual clock, so
// a run is deterministic: what the far side sends reaches the input device when the clock
// passes its arrival time, on whichever thread advances the clock.

#include "platform/core/clock.h"
#include "platform/midi/midi_backend.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::midi {

class VirtualMidi final : public MidiBackend {
public:
    // Receives each message that Quintaron's output sent, when its last byte has arrived.
    using FarSide = std::function<void(std::vector<std::uint8_t> message)>;

    explicit VirtualMidi(core::ManualClock& clock);
    ~VirtualMidi() override;
    VirtualMidi(const VirtualMidi&) = delete;
    VirtualMidi& operator=(const VirtualMidi&) = delete;

    // An input and an output device of this name; returns the pair's number.
    std::size_t AddPair(const std::string& name, FarSide farSide = {});
    // The far side sends: the input device receives the message not before `at`, and not
    // before the message has gone over the wire after the ones sent before it.
    void Deliver(std::size_t pair, std::vector<std::uint8_t> message, core::Millis at);
    // Time a byte takes on the wire each way: 320 for a MIDI cable (31,250 baud); 0 by default.
    void SetWireTime(std::size_t pair, std::uint32_t microsecondsPerByte);
    // How many system-exclusive buffers the pair's input driver accepts at once.
    void SetBufferLimit(std::size_t pair, std::size_t limit);
    // The pair goes away as the ports of a stopped sound server do: it is listed no more, what
    // was opened on it is no longer connected (sending fails, nothing arrives) and stays so.
    // Plugged in again, it is listed and can be opened afresh.
    // What was on the wire then is lost.
    void Unplug(std::size_t pair);
    void Replug(std::size_t pair);
    // The far side's program stops while the sound system stays: the pair is listed no more, what
    // was opened on it says its peer has gone (sending fails, nothing arrives, what was on the wire
    // is lost). Started again, it is listed again and what was opened on it is connected again,
    // as the back end does when it sees a port of the name come back; unseen, only once asked to
    // relink.
    void StopPeer(std::size_t pair);
    void StartPeer(std::size_t pair, bool seen = true);

    std::vector<std::string> InputNames() override;
    std::vector<std::string> OutputNames() override;
    std::unique_ptr<OutputConnection> OpenOutput(std::size_t index) override;
    std::unique_ptr<InputConnection> OpenInput(std::size_t index,
                                               ReceiveHandler onReceive) override;

    struct Pair;
    struct Core;

private:
    core::ManualClock& clock_;
    std::shared_ptr<Core> core_;
};

} // namespace platform::midi
