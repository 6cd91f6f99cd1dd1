#pragma once
// Where the MIDI services find their devices: the sound system's ports (RtMidi) in the program,
// an in-process device pair in tests. Chosen at run time; the RtMidi one unless overridden.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::midi {

// One complete message off the wire. Called on the back end's own thread.
using ReceiveHandler = std::function<void(const std::uint8_t* data, std::size_t length)>;

// What stands at the far end of an open port.
enum class Link {
    Connected,
    // The sound system still carries the port, but the port it was connected to has gone (its
    // program stopped, its device unplugged) or was disconnected; the connection is made again by
    // name once a port of that name is there.
    PeerGone,
    // The system that carried the port has gone (its server stopped): nothing sent arrives any
    // more, and only opening the port again can bring it back.
    SystemGone,
};

// What an open input or output has in common: the state of its connection.
class Connection {
public:
    virtual ~Connection() = default;
    virtual Link State() const { return Link::Connected; }
    bool Connected() const { return State() == Link::Connected; }
    // Connects the port to its peer again, by name, when a port of that name is there and the
    // connection is not; the state after. The back end does so by itself when it sees the peer
    // come back; this is for a caller that cannot wait for that.
    virtual Link Relink() { return State(); }
};

class OutputConnection : public Connection {
public:
    // False when the message cannot go: no room, or the peer or the system gone (State).
    virtual bool Send(const std::uint8_t* data, std::size_t length) = 0;
    // Messages Send accepted that are not yet sure to have left (still queued for the system):
    // those the peer or the system going away would lose.
    virtual std::size_t Undelivered() const { return 0; }
};

// Destroying it stops delivery; once the destructor returns the handler is not running and
// will not be called again.
class InputConnection : public Connection {
public:
    // How many system-exclusive buffers the driver takes at once.
    virtual std::size_t MaxQueuedBuffers() const { return SIZE_MAX; }
};

class MidiBackend {
public:
    virtual ~MidiBackend() = default;
    // The ports of this moment, in a stable order; later opens index into the latest list.
    // Names need not be unique: the services number the duplicates.
    virtual std::vector<std::string> InputNames() = 0;
    virtual std::vector<std::string> OutputNames() = 0;
    // Null when the port cannot be opened.
    virtual std::unique_ptr<OutputConnection> OpenOutput(std::size_t index) = 0;
    virtual std::unique_ptr<InputConnection> OpenInput(std::size_t index,
                                                       ReceiveHandler onReceive) = 0;
};

MidiBackend& CurrentBackend();

// Puts a back end in force for its lifetime (tests). Open devices keep the back end they were
// opened on, which must outlive them.
class BackendOverride {
public:
    explicit BackendOverride(MidiBackend& backend);
    ~BackendOverride();
    BackendOverride(const BackendOverride&) = delete;
    BackendOverride& operator=(const BackendOverride&) = delete;

private:
    MidiBackend* previous_;
};

// Makes every name selectable: the second and later ports of one name get " #2", " #3" ...
// in list order, which follows the order the ports were plugged in.
std::vector<std::string> UniqueProductNames(const std::vector<std::string>& names);

} // namespace platform::midi
