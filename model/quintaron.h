#pragma once
// The application state: the settings, whether the monitor and the keyboard are open, and the
// program's MIDI connection.

#include "model/config.h"
#include "model/midi_connection.h"
#include "platform/core/object.h"

namespace model {

class TQuintaron : public platform::core::TObject {
public:
    TConfig Config;
    bool KeyboardOpen = false;
    bool MonitorOpen = false;
    // Reads its port numbers and thru from Config.
    TMidiConnection Midi{Config};
};

// The one application state of the run, owned by the main window; null before it exists.
inline TQuintaron* AppState = nullptr;

// The MIDI ports count as open (TMidiConnection::Online); false without an application state.
inline bool MidiOnline() {
    return AppState != nullptr && AppState->Midi.Online();
}

} // namespace model
