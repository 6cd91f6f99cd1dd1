#include "platform/midi/jack_midi_port.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <utility>
#include <vector>

namespace platform::midi {

namespace {

// Room for the messages waiting for a cycle, each behind its length.
constexpr std::size_t QueueBytes = 16384;

using Length = std::uint32_t;

// A client with one MIDI port, active once opened. When its server goes away (stopped, or
// gone from under it) libjack says so on a thread of its own; from then on the client is dead
// and is never closed: closing a client against a server that is gone reads memory the server
// shared and has taken back.
class Client {
public:
    Client() = default;
    ~Client() { Close(); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool Open(const std::string& clientName, const std::string& portName, bool output,
              JackProcessCallback process, void* arg) {
        jack_status_t status{};
        client_ = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
        if (!client_) return false;
        jack_on_info_shutdown(client_, &Client::ServerGone, this);
        port_ = jack_port_register(client_, portName.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                   output ? JackPortIsOutput : JackPortIsInput, 0);
        return port_ && jack_set_process_callback(client_, process, arg) == 0 &&
               jack_activate(client_) == 0;
    }

    bool Alive() const { return client_ && !gone_; }

    bool Connect(const std::string& peer, bool output) {
        if (peer.empty()) return true;
        const std::string own = Name();
        const int result = output ? jack_connect(client_, own.c_str(), peer.c_str())
                                  : jack_connect(client_, peer.c_str(), own.c_str());
        return result == 0 || result == EEXIST;
    }

    // jack_client_close stops the notification thread before the server drops the ports, and
    // the process thread before it returns. A dead client is let go as it is.
    void Close() {
        jack_client_t* client = std::exchange(client_, nullptr);
        if (client && !gone_) jack_client_close(client);
        port_ = nullptr;
    }

    jack_port_t* Port() const { return port_; }
    std::string Name() const { return port_ ? jack_port_name(port_) : std::string(); }

private:
    static void ServerGone(jack_status_t, const char*, void* self) {
        static_cast<Client*>(self)->gone_ = true;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    std::atomic<bool> gone_ = false;
};

template <class State> int RunCycle(jack_nframes_t frames, void* arg) {
    static_cast<State*>(arg)->Cycle(frames);
    return 0;
}

} // namespace

struct JackMidiOutPort::State {
    jack_ringbuffer_t* queue = jack_ringbuffer_create(QueueBytes);
    std::mutex sending;
    Client client;

    ~State() {
        client.Close();
        if (queue) jack_ringbuffer_free(queue);
    }

    void Cycle(jack_nframes_t frames) {
        void* buffer = jack_port_get_buffer(client.Port(), frames);
        jack_midi_clear_buffer(buffer);
        Length length = 0;
        while (jack_ringbuffer_peek(queue, reinterpret_cast<char*>(&length), sizeof length) ==
                   sizeof length &&
               jack_ringbuffer_read_space(queue) >= sizeof length + length) {
            // What does not fit behind this cycle's other messages waits for the next cycle; a
            // message longer than a whole buffer could never go and is dropped.
            jack_midi_data_t* event = jack_midi_event_reserve(buffer, 0, length);
            if (!event && jack_midi_get_event_count(buffer) > 0) break;
            jack_ringbuffer_read_advance(queue, sizeof length);
            if (event)
                jack_ringbuffer_read(queue, reinterpret_cast<char*>(event), length);
            else
                jack_ringbuffer_read_advance(queue, length);
        }
    }
};

JackMidiOutPort::JackMidiOutPort(std::unique_ptr<State> state) : state_(std::move(state)) {}

JackMidiOutPort::~JackMidiOutPort() = default;

std::unique_ptr<JackMidiOutPort> JackMidiOutPort::Open(const std::string& clientName,
                                                       const std::string& portName,
                                                       const std::string& peer) {
    auto state = std::make_unique<State>();
    if (!state->queue) return nullptr;
    if (!state->client.Open(clientName, portName, true, &RunCycle<State>, state.get()) ||
        !state->client.Connect(peer, true))
        return nullptr;
    return std::make_unique<JackMidiOutPort>(std::move(state));
}

bool JackMidiOutPort::Send(const std::uint8_t* data, std::size_t length) {
    // Nothing would ever take the message from the queue.
    if (!state_->client.Alive()) return false;
    if (length == 0) return true;
    // The queue takes one writer at a time.
    std::lock_guard lock(state_->sending);
    if (jack_ringbuffer_write_space(state_->queue) < sizeof(Length) + length) return false;
    const auto header = static_cast<Length>(length);
    jack_ringbuffer_write(state_->queue, reinterpret_cast<const char*>(&header), sizeof header);
    jack_ringbuffer_write(state_->queue, reinterpret_cast<const char*>(data), length);
    return true;
}

std::string JackMidiOutPort::Name() const {
    return state_->client.Name();
}

bool JackMidiOutPort::Connected() const {
    return state_->client.Alive();
}

struct JackMidiInPort::State {
    ReceiveHandler onReceive;
    std::vector<std::uint8_t> message;
    bool continuing = false;
    Client client;

    ~State() { client.Close(); }

    void Cycle(jack_nframes_t frames) {
        void* buffer = jack_port_get_buffer(client.Port(), frames);
        const jack_nframes_t count = jack_midi_get_event_count(buffer);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0) continue;
            const std::uint8_t status = event.buffer[0];
            // Real-time messages may come between the pieces of a system-exclusive message; they
            // are messages of their own.
            if (continuing && status >= 0xF8) {
                onReceive(event.buffer, event.size);
                continue;
            }
            if (!continuing) message.clear();
            message.insert(message.end(), event.buffer, event.buffer + event.size);
            if (status == 0xF0 || continuing) continuing = event.buffer[event.size - 1] != 0xF7;
            if (!continuing) onReceive(message.data(), message.size());
        }
    }
};

JackMidiInPort::JackMidiInPort(std::unique_ptr<State> state) : state_(std::move(state)) {}

JackMidiInPort::~JackMidiInPort() = default;

std::unique_ptr<JackMidiInPort> JackMidiInPort::Open(const std::string& clientName,
                                                     const std::string& portName,
                                                     const std::string& peer,
                                                     ReceiveHandler onReceive) {
    auto state = std::make_unique<State>();
    state->onReceive = std::move(onReceive);
    if (!state->client.Open(clientName, portName, false, &RunCycle<State>, state.get()) ||
        !state->client.Connect(peer, false))
        return nullptr;
    return std::make_unique<JackMidiInPort>(std::move(state));
}

std::string JackMidiInPort::Name() const {
    return state_->client.Name();
}

bool JackMidiInPort::Connected() const {
    return state_->client.Alive();
}

} // namespace platform::midi
