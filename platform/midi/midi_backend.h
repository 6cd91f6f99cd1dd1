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

class OutputConnection {
public:
    virtual ~OutputConnection() = default;
    virtual bool Send(const std::uint8_t* data, std::size_t length) = 0;
    // False once the system that carried the port has gone (its server stopped): nothing sent
    // arrives any more, and only opening the port again can bring it back.
    virtual bool Connected() const { return true; }
};

// Destroying it stops delivery; once the destructor returns the handler is not running and
// will not be called again.
class InputConnection {
public:
    virtual ~InputConnection() = default;
    // How many system-exclusive buffers the driver takes at once.
    virtual std::size_t MaxQueuedBuffers() const { return SIZE_MAX; }
    // As OutputConnection::Connected: false once nothing can arrive any more.
    virtual bool Connected() const { return true; }
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
