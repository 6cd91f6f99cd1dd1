// Quintaron's entry point: it makes the application state, which lives as long as the run. Until
// the main window stands, it says what the program can do and which MIDI devices it can reach.
#include "model/program/quintaron.h"
#include "platform/core/text.h"
#include "platform/midi/midi_services.h"

#include <iostream>

namespace {

void ListDevices() {
    using namespace platform::midi;
    if (midiOutGetNumDevs() == 0 && midiInGetNumDevs() == 0) {
        std::cout << "No MIDI devices found: connect the instrument, or start a JACK server.\n";
        return;
    }
    std::cout << "MIDI output devices:\n";
    for (UINT id = 0; id < midiOutGetNumDevs(); ++id) {
        MIDIOUTCAPSA caps{};
        if (midiOutGetDevCapsA(id, &caps) == MMSYSERR_NOERROR)
            std::cout << "  " << id << ": " << platform::core::AnsiToUtf8(caps.szPname) << '\n';
    }
    std::cout << "MIDI input devices:\n";
    for (UINT id = 0; id < midiInGetNumDevs(); ++id) {
        MIDIINCAPSA caps{};
        if (midiInGetDevCapsA(id, &caps) == MMSYSERR_NOERROR)
            std::cout << "  " << id << ": " << platform::core::AnsiToUtf8(caps.szPname) << '\n';
    }
}

} // namespace

int main() {
    model::TQuintaron state;
    std::cout << "Quintaron 0.1\n"
                 "This build has no window yet. It holds the MIDI ports, the SysEx layer, the\n"
                 "instrument's address map with every parameter record, and the settings file;\n"
                 "it cannot yet be used to edit or store sounds.\n\n";
    ListDevices();
    return 0;
}
