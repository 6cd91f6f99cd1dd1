#include "platform/midi/rtmidi_backend.h"

#include "platform/midi/alsa_port_watch.h"
#include "platform/midi/jack_midi_port.h"

#include <RtMidi.h>
#include <jack/jack.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <unistd.h>

namespace platform::midi {

namespace {

const std::string ClientName = "Quintaron";
const std::string DefaultJackServer = "default";

struct Port {
    RtMidi::Api api;
    std::string name;
};

// Warnings and errors come back as results; nothing is printed or thrown past this point.
void Quiet(RtMidiError::Type, const std::string&, void*) {}

void QuietJack(const char*) {}

// The server every JACK client of this process talks to, as libjack chooses it.
std::string JackServerName() {
    const char* name = std::getenv("JACK_DEFAULT_SERVER");
    return name && *name ? name : DefaultJackServer;
}

// A server that does not answer (stopped, or stuck) holds a caller of jack_client_open for
// minutes. The user-interface thread asks, so the question has this long; a server that has not
// answered by then counts as not running.
constexpr auto JackProbeTimeout = std::chrono::seconds(3);

// The MIDI ports of a running server, by full name ("client:port"): inputs are the ports we
// read from (the server's output ports), outputs those we write to.
struct JackPorts {
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
};

std::vector<std::string> JackPortNames(jack_client_t* client, unsigned long flags) {
    std::vector<std::string> names;
    const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    for (const char** port = ports; port && *port; ++port)
        names.emplace_back(*port);
    if (ports) jack_free(ports);
    return names;
}

// One question to the server, asked on a thread of its own, which outlives a caller that stopped
// waiting.
struct JackProbe {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::optional<JackPorts> ports;
};

// Whether a JACK server runs and which ports it has, asked anew each time on a client that lives
// only for the question, without starting a server. No client of ours outlives a question, so a
// server that stops or starts between two questions leaves nothing behind to trip over, and the
// next question sees the server as it is then. RtMidi would keep a client of its own for listing,
// which a stopped server leaves dead, and which then crashes when closed. While the last question
// that went unanswered still waits, the server counts as not running without a new wait.
class JackQuestion {
public:
    std::optional<JackPorts> Ask() {
        if (unanswered_) {
            std::lock_guard lock(unanswered_->mutex);
            if (!unanswered_->done) return std::nullopt;
        }
        unanswered_.reset();
        jack_set_error_function(&QuietJack);
        jack_set_info_function(&QuietJack);
        auto probe = std::make_shared<JackProbe>();
        std::thread([probe, name = JackClientName(JackServerName())] {
            jack_status_t status{};
            std::optional<JackPorts> ports;
            if (jack_client_t* client =
                    jack_client_open(name.c_str(), JackNoStartServer, &status)) {
                ports = JackPorts{JackPortNames(client, JackPortIsOutput),
                                  JackPortNames(client, JackPortIsInput)};
                jack_client_close(client);
            }
            {
                std::lock_guard lock(probe->mutex);
                probe->done = true;
                probe->ports = std::move(ports);
            }
            probe->answered.notify_all();
        }).detach();
        std::unique_lock lock(probe->mutex);
        if (!probe->answered.wait_for(lock, JackProbeTimeout, [&] { return probe->done; })) {
            unanswered_ = std::move(probe);
            return std::nullopt;
        }
        if (probe->ports) answeredAt_ = std::chrono::steady_clock::now();
        return probe->ports;
    }

    // Before a JACK port opens: a server that answered a moment ago (the listing before the
    // open asked) is not asked again, so that opening costs no client of its own.
    bool AnsweredLately() {
        if (answeredAt_ && std::chrono::steady_clock::now() - *answeredAt_ < JackAnswerLasts)
            return true;
        return Ask().has_value();
    }

private:
    static constexpr auto JackAnswerLasts = std::chrono::seconds(5);
    std::shared_ptr<JackProbe> unanswered_;
    std::optional<std::chrono::steady_clock::time_point> answeredAt_;
};

// The sound system's ALSA sequencer, when there is one: without the sequencer device ALSA can
// only fail, and says so on standard error.
bool AlsaThere() {
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    return access("/dev/snd/seq", R_OK | W_OK) == 0 &&
           std::find(compiled.begin(), compiled.end(), RtMidi::LINUX_ALSA) != compiled.end();
}

// Our own client's ports (JACK numbers a repeated client name as "Quintaron-01", and our
// clients on a named server are "Quintaron-<server>").
bool IsOwnPort(const std::string& name) {
    if (name.rfind(ClientName, 0) != 0 || name.size() == ClientName.size()) return false;
    char next = name[ClientName.size()];
    return next == ':' || next == '-';
}

std::string ClientNameFor(RtMidi::Api api) {
    return api == RtMidi::UNIX_JACK ? JackClientName(JackServerName()) : ClientName;
}

std::unique_ptr<RtMidiIn> MakeIn(RtMidi::Api api) {
    try {
        auto in = std::make_unique<RtMidiIn>(api, ClientNameFor(api), 100);
        in->setErrorCallback(&Quiet);
        return in;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

std::unique_ptr<RtMidiOut> MakeOut(RtMidi::Api api) {
    try {
        auto out = std::make_unique<RtMidiOut>(api, ClientNameFor(api));
        out->setErrorCallback(&Quiet);
        return out;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

template <class Probe> std::unique_ptr<Probe> MakeProbe(RtMidi::Api api) {
    if constexpr (std::is_same_v<Probe, RtMidiIn>)
        return MakeIn(api);
    else
        return MakeOut(api);
}

// The ALSA sequencer's ports, then the JACK server's, leaving out our own.
template <class Probe>
std::vector<Port> ListPorts(std::unique_ptr<Probe>& alsaProbe, JackQuestion& jackQuestion,
                            std::vector<std::string> JackPorts::*jackSide) {
    std::vector<Port> ports;
    auto add = [&](RtMidi::Api api, const std::string& name) {
        if (!name.empty() && !IsOwnPort(name)) ports.push_back(Port{api, name});
    };
    if (AlsaThere()) {
        if (!alsaProbe) alsaProbe = MakeProbe<Probe>(RtMidi::LINUX_ALSA);
        if (alsaProbe) {
            const unsigned count = alsaProbe->getPortCount();
            for (unsigned i = 0; i < count; ++i)
                add(RtMidi::LINUX_ALSA, alsaProbe->getPortName(i));
        }
    }
    if (std::optional<JackPorts> jack = jackQuestion.Ask())
        for (const std::string& name : (*jack).*jackSide)
            add(RtMidi::UNIX_JACK, name);
    return ports;
}

std::vector<std::string> DisplayNames(const std::vector<Port>& ports) {
    std::vector<std::string> names;
    names.reserve(ports.size());
    for (const auto& port : ports)
        names.push_back(StablePortName(port.name));
    return names;
}

// The port's number in a list that the port's own object makes now (ports may have come and gone
// since listing): the port of the full name listed, else the first of its name without the numbers
// the sequencer gives, which a peer that came back has anew.
template <class Midi> std::optional<unsigned> FindPort(Midi& midi, const std::string& listed) {
    const unsigned count = midi.getPortCount();
    std::optional<unsigned> stable;
    for (unsigned i = 0; i < count; ++i) {
        const std::string name = midi.getPortName(i);
        if (name == listed) return i;
        if (!stable && StablePortName(name) == StablePortName(listed)) stable = i;
    }
    return stable;
}

// An ALSA connection of RtMidi's that follows its peer by name (alsa_port_watch.h): told that the
// peer's port exited, it is no longer connected; told that a port started, it opens RtMidi's port
// again on the port of the peer's name when that is there. Without a watch it counts as
// connected, as before.
class AlsaFollower {
public:
    // reopen opens RtMidi's port afresh on the peer's port; true when it is open.
    AlsaFollower(std::string peer, std::function<bool()> reopen)
        : peer_(std::move(peer)), reopen_(std::move(reopen)) {}
    ~AlsaFollower() { Stop(); }
    AlsaFollower(const AlsaFollower&) = delete;
    AlsaFollower& operator=(const AlsaFollower&) = delete;

    // After the port opened on the peer.
    void Start() {
        watch_ = AlsaPortWatch::Start([this](AlsaAddress port, bool started) {
            std::lock_guard lock(mutex_);
            if (started) {
                if (!connected_) Follow();
            } else if (peerAt_ && port.Client == peerAt_->Client &&
                       (port.Port == -1 || port.Port == peerAt_->Port)) {
                connected_ = false;
            }
        });
        std::lock_guard lock(mutex_);
        if (watch_) peerAt_ = watch_->Find(peer_);
    }
    // Before the port closes: once it returns the watch tells nothing more.
    void Stop() { watch_.reset(); }

    Link State() const {
        std::lock_guard lock(mutex_);
        return connected_ ? Link::Connected : Link::PeerGone;
    }
    Link Relink() {
        std::lock_guard lock(mutex_);
        if (!connected_) Follow();
        return connected_ ? Link::Connected : Link::PeerGone;
    }
    // Held while the port is used, so that it is not opened again meanwhile.
    std::mutex& Using() { return mutex_; }

private:
    // With the mutex held.
    void Follow() {
        if (!watch_) return;
        const std::optional<AlsaAddress> at = watch_->Find(peer_);
        if (!at || !reopen_()) return;
        peerAt_ = at;
        connected_ = true;
    }

    const std::string peer_;
    const std::function<bool()> reopen_;
    mutable std::mutex mutex_;
    bool connected_ = true;
    std::optional<AlsaAddress> peerAt_;
    std::unique_ptr<AlsaPortWatch> watch_;
};

// peer is the name of the port it is opened on, as RtMidi listed it.
class RtOutput final : public OutputConnection {
public:
    RtOutput(std::unique_ptr<RtMidiOut> out, std::string peer)
        : out_(std::move(out)), peer_(std::move(peer)),
          follower_(StablePortName(peer_), [this] { return Open(); }) {}
    ~RtOutput() override {
        follower_.Stop();
        out_->closePort();
    }

    // Opens afresh on the peer's port; also to follow it.
    bool Open() {
        out_->closePort();
        const std::optional<unsigned> number = FindPort(*out_, peer_);
        if (!number) return false;
        out_->openPort(*number, ClientName + " Out");
        return out_->isPortOpen();
    }
    void Follow() { follower_.Start(); }

    bool Send(const std::uint8_t* data, std::size_t length) override {
        if (State() != Link::Connected) return false;
        std::lock_guard lock(follower_.Using());
        out_->sendMessage(data, length);
        return true;
    }
    Link State() const override { return follower_.State(); }
    Link Relink() override { return follower_.Relink(); }

private:
    std::unique_ptr<RtMidiOut> out_;
    const std::string peer_;
    AlsaFollower follower_;
};

class RtInput final : public InputConnection {
public:
    RtInput(std::unique_ptr<RtMidiIn> in, std::string peer, ReceiveHandler onReceive)
        : in_(std::move(in)), peer_(std::move(peer)), onReceive_(std::move(onReceive)),
          follower_(StablePortName(peer_), [this] { return Open(); }) {
        in_->ignoreTypes(false, false, false);
        in_->setCallback(&RtInput::Received, this);
    }
    // Closing the port joins RtMidi's ALSA thread, so no call is running once it returns.
    ~RtInput() override {
        follower_.Stop();
        in_->closePort();
        in_->cancelCallback();
    }

    bool Open() {
        in_->closePort();
        const std::optional<unsigned> number = FindPort(*in_, peer_);
        if (!number) return false;
        in_->openPort(*number, ClientName + " In");
        return in_->isPortOpen();
    }
    void Follow() { follower_.Start(); }

    Link State() const override { return follower_.State(); }
    Link Relink() override { return follower_.Relink(); }

private:
    static void Received(double, std::vector<unsigned char>* message, void* self) {
        if (message && !message->empty())
            static_cast<RtInput*>(self)->onReceive_(message->data(), message->size());
    }

    std::unique_ptr<RtMidiIn> in_;
    const std::string peer_;
    ReceiveHandler onReceive_;
    AlsaFollower follower_;
};

} // namespace

struct RtMidiBackend::State {
    std::vector<Port> inputs;
    std::vector<Port> outputs;
    std::unique_ptr<RtMidiIn> alsaInputProbe;
    std::unique_ptr<RtMidiOut> alsaOutputProbe;
    JackQuestion jack;
};

RtMidiBackend::RtMidiBackend() : state_(std::make_unique<State>()) {}

RtMidiBackend::~RtMidiBackend() = default;

std::vector<std::string> RtMidiBackend::InputNames() {
    state_->inputs = ListPorts(state_->alsaInputProbe, state_->jack, &JackPorts::inputs);
    return DisplayNames(state_->inputs);
}

std::vector<std::string> RtMidiBackend::OutputNames() {
    state_->outputs = ListPorts(state_->alsaOutputProbe, state_->jack, &JackPorts::outputs);
    return DisplayNames(state_->outputs);
}

std::unique_ptr<OutputConnection> RtMidiBackend::OpenOutput(std::size_t index) {
    if (index >= state_->outputs.size()) return nullptr;
    const Port& port = state_->outputs[index];
    // RtMidi unregisters a JACK port from its running client when closing, which libjack's own
    // threads do not survive.
    if (port.api == RtMidi::UNIX_JACK) {
        if (!state_->jack.AnsweredLately()) return nullptr;
        return JackMidiOutPort::Open(ClientNameFor(port.api), ClientName + " Out", port.name);
    }
    auto out = MakeOut(port.api);
    if (!out) return nullptr;
    auto output = std::make_unique<RtOutput>(std::move(out), port.name);
    if (!output->Open()) return nullptr;
    output->Follow();
    return output;
}

std::unique_ptr<InputConnection> RtMidiBackend::OpenInput(std::size_t index,
                                                          ReceiveHandler onReceive) {
    if (index >= state_->inputs.size()) return nullptr;
    const Port& port = state_->inputs[index];
    if (port.api == RtMidi::UNIX_JACK) {
        if (!state_->jack.AnsweredLately()) return nullptr;
        return JackMidiInPort::Open(ClientNameFor(port.api), ClientName + " In", port.name,
                                    std::move(onReceive));
    }
    auto in = MakeIn(port.api);
    if (!in) return nullptr;
    auto input = std::make_unique<RtInput>(std::move(in), port.name, std::move(onReceive));
    if (!input->Open()) return nullptr;
    input->Follow();
    return input;
}

std::string JackClientName(const std::string& serverName) {
    if (serverName.empty() || serverName == DefaultJackServer) return ClientName;
    std::string name = ClientName + "-" + serverName;
    // Room for the "-01" a server appends to a name it already has.
    constexpr std::size_t RenameRoom = 3;
    if (name.size() + RenameRoom < static_cast<std::size_t>(jack_client_name_size()) - 1)
        return name;
    return ClientName + "-" + std::to_string(getpid());
}

std::string StablePortName(const std::string& rtMidiName) {
    // "Client:Port 20:0" -> "Client:Port"
    std::size_t end = rtMidiName.size();
    std::size_t i = end;
    auto digits = [&] {
        std::size_t from = i;
        while (i > 0 && std::isdigit(static_cast<unsigned char>(rtMidiName[i - 1])))
            --i;
        return i < from;
    };
    if (!digits() || i == 0 || rtMidiName[i - 1] != ':') return rtMidiName;
    --i;
    if (!digits() || i == 0 || rtMidiName[i - 1] != ' ') return rtMidiName;
    return rtMidiName.substr(0, i - 1);
}

} // namespace platform::midi
