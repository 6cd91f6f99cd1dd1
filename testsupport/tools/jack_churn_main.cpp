// Another program on a JACK server, changing its graph: it opens and closes a port of its own
// over and over until SIGTERM or SIGINT. Each time, the server tells every client of the new
// latencies on libjack's notification thread, at moments of its own. It is a program rather
// than a fork of the test, because a child forked from a process whose libjack threads hold
// their locks inherits those locks held, and hangs on its first client.
//
//   jack_churn CLIENT
//
// The server is the one JACK_DEFAULT_SERVER names, as for any client.

#include "platform/midi/jack_midi_port.h"

#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t stopped = 0;

void Stop(int) {
    stopped = 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: jack_churn CLIENT\n");
        return 2;
    }
    std::signal(SIGTERM, Stop);
    std::signal(SIGINT, Stop);
    while (!stopped)
        platform::midi::JackMidiOutPort::Open(argv[1], "out", "");
    return 0;
}
