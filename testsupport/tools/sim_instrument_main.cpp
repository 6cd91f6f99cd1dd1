// The simulated instrument as a program: two MIDI ports of its own on JACK or ALSA, for the
// end-to-end test and for trying Quintaron without a synth. Quintaron's output device is
// "<name> In:midi", its input device "<name> Out:midi". Runs until SIGTERM or SIGINT.
//
//   sim_instrument [--api jack|alsa] [--name NAME] [--device HEX] [--pattern on] [--trace on]
//
// With --pattern on, every block of its memory holds bytes that tell where they lie (its first
// twelve letters), for a transfer whose bytes are checked; otherwise its memory reads as zeros.
// With --trace on, it prints a line "received" and the address for each message it receives,
// and "sent" and the address for each it sends, for a test that counts what arrived and what was
// answered.

#include "platform/midi/jack_midi_port.h"
#include "testsupport/instrument_address_map.h"
#include "testsupport/sim_instrument.h"

#include <RtMidi.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>

namespace {

struct Options {
    RtMidi::Api api = RtMidi::UNIX_JACK;
    std::string name = "Sim Instrument";
    std::uint8_t device = 0x10;
    bool pattern = false;
    bool trace = false;
};

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        std::string value = argv[++i];
        if (arg == "--api" && value == "jack")
            options.api = RtMidi::UNIX_JACK;
        else if (arg == "--api" && value == "alsa")
            options.api = RtMidi::LINUX_ALSA;
        else if (arg == "--name")
            options.name = value;
        else if (arg == "--pattern" && (value == "on" || value == "off"))
            options.pattern = value == "on";
        else if (arg == "--trace" && (value == "on" || value == "off"))
            options.trace = value == "on";
        else if (arg == "--device")
            options.device = static_cast<std::uint8_t>(std::strtoul(value.c_str(), nullptr, 16));
        else
            return false;
    }
    return true;
}

// A message off the wire to the instrument, told first when traced.
void Deliver(testsupport::SimInstrument& instrument, const testsupport::Bytes& message,
             bool trace) {
    if (trace && message.size() >= 9) {
        std::printf("received %02X%02X%02X%02X\n", message[5], message[6], message[7], message[8]);
        std::fflush(stdout);
    }
    instrument.Receive(message);
}

// The instrument's two ports, with what they need to be closed in order: input first, so that
// no reply is being sent while the output closes.
class Ports {
public:
    virtual ~Ports() = default;
    virtual void Send(const testsupport::Bytes& message) = 0;
    // Whether both are open; message deliveries to the instrument start.
    virtual bool Open(const std::string& name, testsupport::SimInstrument& instrument,
                      bool trace) = 0;
    virtual void Close() = 0;
};

// On JACK without RtMidi: it unregisters the ports from running clients when closing them,
// which libjack's own threads do not survive.
class JackPorts final : public Ports {
public:
    void Send(const testsupport::Bytes& message) override {
        if (out_) out_->Send(message.data(), message.size());
    }
    bool Open(const std::string& name, testsupport::SimInstrument& instrument,
              bool trace) override {
        out_ = platform::midi::JackMidiOutPort::Open(name + " Out", "midi", "");
        in_ = platform::midi::JackMidiInPort::Open(
            name + " In", "midi", "",
            [&instrument, trace](const std::uint8_t* data, std::size_t length) {
                Deliver(instrument, testsupport::Bytes(data, data + length), trace);
            });
        return out_ && in_;
    }
    void Close() override {
        in_.reset();
        out_.reset();
    }

private:
    std::unique_ptr<platform::midi::JackMidiOutPort> out_;
    std::unique_ptr<platform::midi::JackMidiInPort> in_;
};

class AlsaPorts final : public Ports {
public:
    void Send(const testsupport::Bytes& message) override {
        if (out_) out_->sendMessage(&message);
    }
    bool Open(const std::string& name, testsupport::SimInstrument& instrument,
              bool trace) override {
        instrument_ = &instrument;
        trace_ = trace;
        out_ = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, name + " Out");
        out_->openVirtualPort("midi");
        in_ = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, name + " In");
        in_->ignoreTypes(false, false, false);
        in_->setCallback(&AlsaPorts::Received, this);
        in_->openVirtualPort("midi");
        return true;
    }
    // Closing the ALSA input joins RtMidi's thread.
    void Close() override {
        if (in_) in_->closePort();
        in_.reset();
        out_.reset();
    }

private:
    static void Received(double, std::vector<unsigned char>* message, void* self) {
        auto* ports = static_cast<AlsaPorts*>(self);
        if (message && !message->empty()) Deliver(*ports->instrument_, *message, ports->trace_);
    }

    testsupport::SimInstrument* instrument_ = nullptr;
    bool trace_ = false;
    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<RtMidiIn> in_;
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::cerr << "usage: sim_instrument [--api jack|alsa] [--name NAME] [--device HEX] "
                     "[--pattern on|off]\n";
        return 2;
    }
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    // Blocked before RtMidi starts its threads, so that only sigwait sees them.
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    std::unique_ptr<Ports> ports;
    if (options.api == RtMidi::UNIX_JACK)
        ports = std::make_unique<JackPorts>();
    else
        ports = std::make_unique<AlsaPorts>();
    std::mutex sending;
    // Replies go out at once: on a real port the wire does the timing.
    testsupport::SimInstrument instrument([&](testsupport::Bytes message, platform::core::Millis) {
        std::lock_guard lock(sending);
        if (options.trace && message.size() >= 9) {
            std::printf("sent %02X%02X%02X%02X\n", message[5], message[6], message[7], message[8]);
            std::fflush(stdout);
        }
        ports->Send(message);
    });
    instrument.SetDeviceByte(options.device);
    // Answered block by block as the instrument does: a whole-patch request by five data sets.
    instrument.SetBlockTable(testsupport::InstrumentBlockTable());
    if (options.pattern) testsupport::FillWithPattern(instrument);
    // Closed on every path before the instrument they deliver to goes.
    try {
        if (!ports->Open(options.name, instrument, options.trace)) {
            std::cerr << "sim_instrument: the JACK ports could not be opened\n";
            ports->Close();
            return 1;
        }
    } catch (const RtMidiError& e) {
        std::cerr << "sim_instrument: " << e.getMessage() << '\n';
        ports->Close();
        return 1;
    }

    std::cout << "ready" << std::endl;
    int signal = 0;
    sigwait(&stop, &signal);
    ports->Close();
    return 0;
}
