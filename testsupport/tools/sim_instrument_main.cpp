// The simulated instrument as a program: two MIDI ports of its own on JACK or ALSA, for the
// end-to-end test and for trying Quintaron without a synth. Quintaron's output device is
// "<name> In:midi", its input device "<name> Out:midi". Runs until SIGTERM or SIGINT.
//
//   sim_instrument [--api jack|alsa] [--name NAME] [--device HEX]

#include "testsupport/instrument_address_map.h"
#include "testsupport/sim_instrument.h"

#include <RtMidi.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>

namespace {

struct Options {
    RtMidi::Api api = RtMidi::UNIX_JACK;
    std::string name = "Sim Instrument";
    std::uint8_t device = 0x10;
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
        else if (arg == "--device")
            options.device = static_cast<std::uint8_t>(std::strtoul(value.c_str(), nullptr, 16));
        else
            return false;
    }
    return true;
}

struct Ports {
    RtMidiOut* out = nullptr;
    testsupport::SimInstrument* instrument = nullptr;
    std::mutex sending;
};

void Received(double, std::vector<unsigned char>* message, void* data) {
    auto* ports = static_cast<Ports*>(data);
    if (message && !message->empty()) ports->instrument->Receive(*message);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::cerr << "usage: sim_instrument [--api jack|alsa] [--name NAME] [--device HEX]\n";
        return 2;
    }
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    // Blocked before RtMidi starts its threads, so that only sigwait sees them.
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    try {
        Ports ports;
        RtMidiOut out(options.api, options.name + " Out");
        // Replies go out at once: on a real port the wire does the timing.
        testsupport::SimInstrument instrument(
            [&ports](testsupport::Bytes message, platform::core::Millis) {
                std::lock_guard lock(ports.sending);
                ports.out->sendMessage(&message);
            });
        instrument.SetDeviceByte(options.device);
        // Answered block by block as the instrument does: a whole-patch request by five data sets.
        instrument.SetBlockTable(testsupport::InstrumentBlockTable());
        ports.out = &out;
        ports.instrument = &instrument;
        out.openVirtualPort("midi");

        RtMidiIn in(options.api, options.name + " In");
        in.ignoreTypes(false, false, false);
        in.setCallback(&Received, &ports);
        in.openVirtualPort("midi");

        std::cout << "ready" << std::endl;
        int signal = 0;
        sigwait(&stop, &signal);
        in.closePort();
        out.closePort();
    } catch (const RtMidiError& e) {
        std::cerr << "sim_instrument: " << e.getMessage() << '\n';
        return 1;
    }
    return 0;
}
