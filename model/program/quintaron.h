#pragma once
// The application state: everything that is the program's once, not a window's or an element's.
// The program makes one at start and each test one of its own; it is reached through AppState
// while it lives.

#include "model/program/config.h"
#include "model/program/midi_connection.h"
#include "platform/core/object.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace model {

class TLibrary;
class TPatch;
class TPerformance;
class TRhythm;
class TSystem;

class TQuintaron : public platform::core::TObject {
public:
    // Becomes the application state until destroyed; a second one while one lives is a fault of
    // the caller.
    TQuintaron();
    ~TQuintaron() override;
    TQuintaron(const TQuintaron&) = delete;
    TQuintaron& operator=(const TQuintaron&) = delete;

    TConfig Config;
    bool KeyboardOpen = false;
    bool MonitorOpen = false;
    // Reads its port numbers and thru from Config.
    TMidiConnection Midi{Config};

    // On only while the import and export commands run: element files take their shorter layout.
    bool ImportExportMode = false;

    // The files the user chose in a save dialog or loaded during this run, each with its kind's
    // extension ("Syx", "Glb"): where an element's Save may write without asking, whatever the
    // file holds (model/files/straight_save.h).
    std::set<std::pair<std::string, std::string>> ChosenFiles;

    // The element of each kind last sent to the instrument's edit buffer (none at start).
    TPatch* CurrentPatch = nullptr;
    TPerformance* CurrentPerformance = nullptr;
    TRhythm* CurrentRhythm = nullptr;
    TSystem* CurrentSystem = nullptr;

    // Channel of the preview notes: 1, or 10 after a rhythm set went to the edit buffer.
    int PreviewChannel = 1;
    // The preview note that sounds, as it was started: its release goes to the same key and
    // channel, whatever page or channel is current by then. None while no preview note sounds.
    struct TSoundingNote {
        std::uint8_t Channel = 0; // 0..15
        std::uint8_t Key = 0;
    };
    std::optional<TSoundingNote> PreviewSounding;

    // A page or element drag is running; activating an editor window then sends nothing.
    bool DragRunning = false;

    // A library window's question whether to save was cancelled while the program shuts down.
    bool CloseCancelled = false;

    // The library a library window being created takes for its own; none between creations.
    TLibrary* CurrentLibrary = nullptr;
};

// The application state that lives; null when none does (fuzz targets and tests that need none).
TQuintaron* AppState();

// The MIDI ports count as open (TMidiConnection::Online); false without an application state.
inline bool MidiOnline() {
    return AppState() != nullptr && AppState()->Midi.Online();
}

// Before a transfer the user asked for: the ports are open and their sound system carries them
// (opened afresh when it went away and is back, connected again to the instrument's ports when
// they are back). Otherwise the user is told why (PortsNotOpened, PortsGone, PortGone) and the
// answer is false.
bool MidiReady();

// Element files take their shorter layout; false without an application state.
inline bool ImportExportMode() {
    return AppState() != nullptr && AppState()->ImportExportMode;
}

} // namespace model
