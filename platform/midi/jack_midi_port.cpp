#include "platform/midi/jack_midi_port.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace platform::midi {

namespace {

// Room for the messages waiting for a cycle, each behind its length.
constexpr std::size_t QueueBytes = 16384;

using Length = std::uint32_t;

// A client with one MIDI port, active once opened, connected to a peer port or to none. When its
// server goes away (stopped, or gone from under it) libjack says so on a thread of its own; from
// then on the client is dead and is never closed: closing a client against a server that is gone
// reads memory the server shared and has taken back.
//
// The connection follows the peer's name: when a port registers or goes on the server (the peer's
// program stopped or started again, its device unplugged or plugged in again), a watcher thread of
// the client notes a peer that went and connects again to the port of that name when it is there
// and not connected. libjack tells of registrations on its notification thread, which must not
// call into the server, so the watcher does the connecting.
class Client {
public:
    Client() = default;
    ~Client() { Close(); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // peer ("client:port") is the port it is to be connected to (Connect); none when empty.
    bool Open(const std::string& clientName, const std::string& portName, bool output,
              const std::string& peer, JackProcessCallback process, void* arg) {
        output_ = output;
        // Before the notification thread, which reads it, starts.
        peer_ = peer;
        jack_status_t status{};
        client_ = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
        if (!client_) return false;
        jack_on_info_shutdown(client_, &Client::ServerGone, this);
        port_ = jack_port_register(client_, portName.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                   output ? JackPortIsOutput : JackPortIsInput, 0);
        return port_ && jack_set_process_callback(client_, process, arg) == 0 &&
               jack_set_port_registration_callback(client_, &Client::PortRegistered, this) == 0 &&
               jack_activate(client_) == 0;
    }

    bool Alive() const { return client_ && !gone_; }

    // Connects to the peer and keeps following it; without one the port is left for others to
    // connect to.
    bool Connect() {
        if (peer_.empty()) return true;
        if (!ConnectPeer()) return false;
        watcher_ = std::thread([this] { Watch(); });
        return true;
    }

    // Connected from the moment the server made the connection: the server's graph takes it up
    // only some cycles later on a loaded machine, and the output holds its messages until then.
    Link State() const {
        if (!Alive()) return Link::SystemGone;
        if (peer_.empty()) return Link::Connected;
        return linked_ && jack_port_by_name(client_, peer_.c_str()) != nullptr ? Link::Connected
                                                                               : Link::PeerGone;
    }

    Link Relink() {
        Follow();
        return State();
    }

    // jack_client_close stops the notification thread before the server drops the ports, and
    // the process thread before it returns. A dead client is let go as it is.
    void Close() {
        StopWatching();
        jack_client_t* client = std::exchange(client_, nullptr);
        if (client && !gone_) jack_client_close(client);
        port_ = nullptr;
    }

    jack_port_t* Port() const { return port_; }
    std::string Name() const { return port_ ? jack_port_name(port_) : std::string(); }
    // A peer is chosen and the port's connection is not in the server's graph (yet, or any more):
    // what the cycle sends would be lost. For the process thread.
    bool Unconnected() const { return !peer_.empty() && jack_port_connected(port_) == 0; }

private:
    // True when connected to the peer afterwards.
    bool ConnectPeer() {
        if (!Alive()) return false;
        if (jack_port_by_name(client_, peer_.c_str()) == nullptr) return false;
        const std::string own = Name();
        const int result = output_ ? jack_connect(client_, own.c_str(), peer_.c_str())
                                   : jack_connect(client_, peer_.c_str(), own.c_str());
        if (result != 0 && result != EEXIST) return false;
        linked_ = true;
        return true;
    }

    // A peer that went is no longer linked; one that is there and not connected (back under its
    // name) is connected again. The graph may not show a connection just made for some cycles:
    // connecting again then finds it made.
    void Follow() {
        if (!Alive() || peer_.empty()) return;
        if (jack_port_by_name(client_, peer_.c_str()) == nullptr) {
            linked_ = false;
            return;
        }
        if (!jack_port_connected_to(port_, peer_.c_str())) ConnectPeer();
    }

    void Watch() {
        std::unique_lock lock(watchMutex_);
        for (;;) {
            registered_.wait(lock, [this] { return stopping_ || changed_; });
            if (stopping_) return;
            changed_ = false;
            lock.unlock();
            Follow();
            lock.lock();
        }
    }

    void StopWatching() {
        {
            std::lock_guard lock(watchMutex_);
            stopping_ = true;
        }
        registered_.notify_all();
        if (watcher_.joinable()) watcher_.join();
    }

    // On libjack's notification thread: the watcher looks (a port that goes is still in the
    // port table while its going is told).
    static void PortRegistered(jack_port_id_t, int, void* self) {
        auto* client = static_cast<Client*>(self);
        {
            std::lock_guard lock(client->watchMutex_);
            client->changed_ = true;
        }
        client->registered_.notify_all();
    }

    static void ServerGone(jack_status_t, const char*, void* self) {
        static_cast<Client*>(self)->gone_ = true;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    std::atomic<bool> gone_ = false;
    bool output_ = false;
    std::string peer_;
    // The connection to the peer was made and the peer has not gone since.
    std::atomic<bool> linked_ = false;

    std::thread watcher_;
    std::mutex watchMutex_;
    std::condition_variable registered_;
    bool changed_ = false;
    bool stopping_ = false;
};

template <class Parts> int RunCycle(jack_nframes_t frames, void* arg) {
    static_cast<Parts*>(arg)->Cycle(frames);
    return 0;
}

} // namespace

struct JackMidiOutPort::Parts {
    jack_ringbuffer_t* queue = jack_ringbuffer_create(QueueBytes);
    std::mutex sending;
    Client client;
    // Messages queued by Send; those a finished cycle carried; those the last cycle carried,
    // which are sure once the next cycle begins (the peer reads them in the cycle they go).
    std::atomic<std::size_t> queued = 0;
    std::atomic<std::size_t> carried = 0;
    std::size_t lastCycle = 0;

    ~Parts() {
        client.Close();
        if (queue) jack_ringbuffer_free(queue);
    }

    void Cycle(jack_nframes_t frames) {
        carried += std::exchange(lastCycle, 0);
        void* buffer = jack_port_get_buffer(client.Port(), frames);
        jack_midi_clear_buffer(buffer);
        // With the peer gone the messages wait for it to come back rather than go nowhere.
        if (client.Unconnected()) return;
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
            ++lastCycle;
        }
    }
};

JackMidiOutPort::JackMidiOutPort(std::unique_ptr<Parts> state) : state_(std::move(state)) {}

JackMidiOutPort::~JackMidiOutPort() = default;

std::unique_ptr<JackMidiOutPort> JackMidiOutPort::Open(const std::string& clientName,
                                                       const std::string& portName,
                                                       const std::string& peer) {
    auto state = std::make_unique<Parts>();
    if (!state->queue) return nullptr;
    if (!state->client.Open(clientName, portName, true, peer, &RunCycle<Parts>, state.get()) ||
        !state->client.Connect())
        return nullptr;
    return std::make_unique<JackMidiOutPort>(std::move(state));
}

bool JackMidiOutPort::Send(const std::uint8_t* data, std::size_t length) {
    // Nothing would ever take the message from the queue, or it would go nowhere.
    if (!state_->client.Alive() || state_->client.State() != Link::Connected) return false;
    if (length == 0) return true;
    // The queue takes one writer at a time.
    std::lock_guard lock(state_->sending);
    if (jack_ringbuffer_write_space(state_->queue) < sizeof(Length) + length) return false;
    const auto header = static_cast<Length>(length);
    jack_ringbuffer_write(state_->queue, reinterpret_cast<const char*>(&header), sizeof header);
    jack_ringbuffer_write(state_->queue, reinterpret_cast<const char*>(data), length);
    ++state_->queued;
    return true;
}

std::size_t JackMidiOutPort::Undelivered() const {
    return state_->queued - state_->carried;
}

std::string JackMidiOutPort::Name() const {
    return state_->client.Name();
}

Link JackMidiOutPort::State() const {
    return state_->client.State();
}

Link JackMidiOutPort::Relink() {
    return state_->client.Relink();
}

struct JackMidiInPort::Parts {
    ReceiveHandler onReceive;
    std::vector<std::uint8_t> message;
    bool continuing = false;
    Client client;

    ~Parts() { client.Close(); }

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

JackMidiInPort::JackMidiInPort(std::unique_ptr<Parts> state) : state_(std::move(state)) {}

JackMidiInPort::~JackMidiInPort() = default;

std::unique_ptr<JackMidiInPort> JackMidiInPort::Open(const std::string& clientName,
                                                     const std::string& portName,
                                                     const std::string& peer,
                                                     ReceiveHandler onReceive) {
    auto state = std::make_unique<Parts>();
    state->onReceive = std::move(onReceive);
    if (!state->client.Open(clientName, portName, false, peer, &RunCycle<Parts>, state.get()) ||
        !state->client.Connect())
        return nullptr;
    return std::make_unique<JackMidiInPort>(std::move(state));
}

std::string JackMidiInPort::Name() const {
    return state_->client.Name();
}

Link JackMidiInPort::State() const {
    return state_->client.State();
}

Link JackMidiInPort::Relink() {
    return state_->client.Relink();
}

} // namespace platform::midi
