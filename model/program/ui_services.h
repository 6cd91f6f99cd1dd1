#pragma once
// What the data model asks of the user interface. The application installs one implementation
// (its main window, MIDI ports dialog and monitor stand behind it); with none installed the
// model runs without a user interface, as in tests that need none.

#include <cstdint>
#include <optional>
#include <span>

namespace midi {
class TMidiInput;
class TMidiOutput;
} // namespace midi

namespace model {

class TEditorView;
class TLibElem;
class TMidiFilePlayer;
class TTransferWindow;

class TUiServices {
public:
    virtual ~TUiServices() = default;

    // The output component held by the MIDI ports dialog; null while there is none.
    virtual midi::TMidiOutput* MidiOutput() = 0;
    // The MIDI ports dialog's CloseDevs and OpenDevs.
    virtual void CloseDevs() = 0;
    virtual void OpenDevs() = 0;
    // Lists one sent message in the MIDI monitor's output pane.
    virtual void MonitorAddMessage(std::span<const std::uint8_t> message) = 0;
    // The main window's EnableMenuItems.
    virtual void EnableMenuItems() = 0;
    // Creates the element's window by its type code (patch, bank, performance, rhythm, system or
    // global window), handing it the element; null when the window could not be created.
    virtual TEditorView* CreateEditor(TLibElem& elem) {
        (void)elem;
        return nullptr;
    }

    // The input component held by the MIDI ports dialog; null while there is none.
    virtual midi::TMidiInput* MidiInput() { return nullptr; }
    // Puts the main window's DefaultMidiInput back as the input component's handler.
    virtual void InstallDefaultMidiInput() {}
    // The transfer progress window; null while there is none.
    virtual TTransferWindow* TransferWindow() { return nullptr; }
    // The names window's Load: its lists are read again from the name-list files.
    virtual void ReloadNameLists() {}
    // The preview set-up window's media player; null while there is none.
    virtual TMidiFilePlayer* MediaPlayer() { return nullptr; }
    // The key selector of the rhythm note page that is the main window's active child; nothing
    // when another window is active.
    virtual std::optional<int> ActiveRhythmNoteKey() { return std::nullopt; }
    // The screen cursor: crDefault, crHelp.
    virtual void SetScreenCursor(int cursor) { (void)cursor; }
};

// The installed implementation, or null.
TUiServices* UiServices();
void SetUiServices(TUiServices* services);

} // namespace model
