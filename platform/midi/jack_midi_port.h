#pragma once
// A MIDI port on the JACK server libjack chooses, each on a client of its own, connected to a
// peer port or left for others to connect to. Closing one closes its client whole and never
// unregisters the port first: libjack's notification thread walks the client's list of ports
// when the server announces new latencies, and a port unregistered from a running client is
// freed under it. Closing the client stops that thread and the process thread before anything
// they use goes away. A port whose server has gone is no longer connected and its client is
// never touched again. A port connected to a peer follows it by name: when the peer goes the port
// says so, and when a port of that name registers again the connection is made again.

#include "platform/midi/midi_backend.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform::midi {

class JackMidiOutPort final : public OutputConnection {
public:
    // Null when no client or port could be had, or the peer ("client:port") could not be
    // connected; an empty peer leaves the port unconnected.
    static std::unique_ptr<JackMidiOutPort>
    Open(const std::string& clientName, const std::string& portName, const std::string& peer);
    ~JackMidiOutPort() override;
    JackMidiOutPort(const JackMidiOutPort&) = delete;
    JackMidiOutPort& operator=(const JackMidiOutPort&) = delete;

    // Queues one complete message for the next cycle; false when the queue has no room for it.
    // False, too, once the server or the peer has gone; what was queued before the peer went
    // waits for it to come back.
    bool Send(const std::uint8_t* data, std::size_t length) override;
    std::size_t Undelivered() const override;
    Link State() const override;
    Link Relink() override;
    // "client:port", as other clients see it.
    std::string Name() const;

    struct Parts;
    explicit JackMidiOutPort(std::unique_ptr<Parts> state);

private:
    std::unique_ptr<Parts> state_;
};

class JackMidiInPort final : public InputConnection {
public:
    // As JackMidiOutPort::Open; onReceive gets each complete message on the process thread,
    // a system-exclusive message split over several events as one.
    static std::unique_ptr<JackMidiInPort> Open(const std::string& clientName,
                                                const std::string& portName,
                                                const std::string& peer, ReceiveHandler onReceive);
    // Once it returns, onReceive is not running and will not be called again.
    ~JackMidiInPort() override;
    JackMidiInPort(const JackMidiInPort&) = delete;
    JackMidiInPort& operator=(const JackMidiInPort&) = delete;

    Link State() const override;
    Link Relink() override;
    std::string Name() const;

    struct Parts;
    explicit JackMidiInPort(std::unique_ptr<Parts> state);

private:
    std::unique_ptr<Parts> state_;
};

} // namespace platform::midi
