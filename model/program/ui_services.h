#pragma once
// What the data model asks of the user interface. The application installs one implementation
// (its main window, transfer window and monitor stand behind it); with none installed the model
// runs without a user interface, as in tests that need none. The MIDI ports are not the
// windows': the model reaches them through the application state's MIDI connection.

#include <cstdint>
#include <optional>
#include <span>

namespace model {

class TEditorView;
class TLibElem;
class TMidiFilePlayer;
class TTransferWindow;

class TUiServices {
public:
    virtual ~TUiServices() = default;

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
