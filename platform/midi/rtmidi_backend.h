#pragma once
// The sound system's MIDI ports: ALSA sequencer ports through RtMidi, then the ports of a JACK
// server, asked anew on each listing so that a server that started late or again is seen (one
// that does not answer within a few seconds counts as none, so that no caller waits on it
// without bound; a port opens without asking again when the server answered moments before). A
// JACK port is opened on a client of its own (jack_midi_port.h). Quintaron's own ports are left
// out of the lists, so that opening one device does not shift the ids of the others.

#include "platform/midi/midi_backend.h"

#include <memory>

namespace platform::midi {

class RtMidiBackend final : public MidiBackend {
public:
    RtMidiBackend();
    ~RtMidiBackend() override;
    RtMidiBackend(const RtMidiBackend&) = delete;
    RtMidiBackend& operator=(const RtMidiBackend&) = delete;

    std::vector<std::string> InputNames() override;
    std::vector<std::string> OutputNames() override;
    std::unique_ptr<OutputConnection> OpenOutput(std::size_t index) override;
    std::unique_ptr<InputConnection> OpenInput(std::size_t index,
                                               ReceiveHandler onReceive) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The name this process's JACK clients ask for on the named server. JACK makes the socket a
// server first reaches a new client through from the client's name alone, not the server's, so
// two programs opening clients of one name at once, each on a server of its own, take each
// other's socket and one is refused: the name holds the server's. On one server, the server
// tells clients of one name apart itself. "Quintaron" on the default server; the process id
// stands in for a server name too long for JACK.
std::string JackClientName(const std::string& serverName);

// The part of an RtMidi port name that does not change from run to run: ALSA appends the
// client and port numbers, which depend on the order the devices were plugged in.
std::string StablePortName(const std::string& rtMidiName);

} // namespace platform::midi
