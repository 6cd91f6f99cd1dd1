#pragma once
// What the data model asks of the user interface, as far as the transfer progress window, the
// MIDI monitor and the librarian's bank and global windows provide it; the rest is the main
// window's, which routes it through OnEnableMenuItems until it stands.

#include "model/program/ui_services.h"

#include <functional>
#include <optional>

namespace midi {
class TMyMidiEvent;
}
namespace model {
class TMidiConnection;
}

namespace app {

class TFormMonitor;
class TFormTransmet;

class TAppServices : public model::TUiServices {
public:
    // Feeds the monitor from the connection's default input handler. The program has no
    // transfer window until start-up creates it and hands it over with SetTransferWindow.
    explicit TAppServices(model::TMidiConnection& midi);
    TAppServices(model::TMidiConnection& midi, TFormTransmet& transmet);
    ~TAppServices() override;
    TAppServices(const TAppServices&) = delete;
    TAppServices& operator=(const TAppServices&) = delete;

    // The open monitor, or null; it is forgotten when it goes.
    void SetMonitor(TFormMonitor* monitor);
    TFormMonitor* Monitor() const { return monitor_; }
    // The transfer window, or null; it is forgotten when it goes.
    void SetTransferWindow(TFormTransmet* transmet);

    void MonitorAddMessage(std::span<const std::uint8_t> message) override;
    void EnableMenuItems() override;
    // A patch window for a patch, a bank window for a patch, performance or rhythm bank and a
    // global window for a global set, as children of the main window; null for other elements
    // and without a main window.
    model::TEditorView* CreateEditor(model::TLibElem& elem) override;
    model::TTransferWindow* TransferWindow() override;
    // The preview set-up dialog's player, while the dialog lives.
    model::TMidiFilePlayer* MediaPlayer() override;
    // The names window's Load, when it lives.
    void ReloadNameLists() override;
    void SetScreenCursor(int cursor) override;
    // The key selected on the rhythm note page that is the main window's active child.
    std::optional<int> ActiveRhythmNoteKey() override;

    std::function<void()> OnEnableMenuItems;

private:
    // A received event in the monitor's input pane, and with thru in its output pane too.
    void MonitorInput(const midi::TMyMidiEvent& event, bool thru);

    model::TMidiConnection& midi_;
    TFormTransmet* transmet_ = nullptr;
    TFormMonitor* monitor_ = nullptr;
};

} // namespace app
