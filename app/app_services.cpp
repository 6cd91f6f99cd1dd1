#include "app/app_services.h"

#include "app/form_bank.h"
#include "app/form_global.h"
#include "app/form_monitor.h"
#include "app/form_names.h"
#include "app/form_preview_setup.h"
#include "app/form_transmet.h"
#include "editors/form_patch.h"
#include "editors/form_performance.h"
#include "editors/form_rhythm.h"
#include "editors/form_system.h"
#include "editors/rhythm_note_page.h"
#include "model/program/quintaron.h"
#include "platform/forms/screen.h"

namespace app {

TAppServices::TAppServices(model::TMidiConnection& midi) : midi_(midi) {
    midi_.OnMonitor = [this](const midi::TMyMidiEvent& event, bool thru) {
        MonitorInput(event, thru);
    };
}

TAppServices::TAppServices(model::TMidiConnection& midi, TFormTransmet& transmet)
    : TAppServices(midi) {
    SetTransferWindow(&transmet);
}

TAppServices::~TAppServices() {
    midi_.OnMonitor = nullptr;
    SetMonitor(nullptr);
    SetTransferWindow(nullptr);
}

void TAppServices::SetTransferWindow(TFormTransmet* transmet) {
    if (transmet_ != nullptr) transmet_->OnDestroy = nullptr;
    transmet_ = transmet;
    if (transmet_ != nullptr)
        transmet_->OnDestroy = [this](platform::core::TObject*) { transmet_ = nullptr; };
}

void TAppServices::SetMonitor(TFormMonitor* monitor) {
    if (monitor_ != nullptr) monitor_->OnDestroy = nullptr;
    monitor_ = monitor;
    if (monitor_ != nullptr)
        monitor_->OnDestroy = [this](platform::core::TObject*) { monitor_ = nullptr; };
}

void TAppServices::MonitorAddMessage(std::span<const std::uint8_t> message) {
    if (monitor_ != nullptr) monitor_->AddMessage(message, monitor_->MemoOutput);
}

void TAppServices::EnableMenuItems() {
    if (OnEnableMenuItems) OnEnableMenuItems();
}

namespace {

// The element's window, shown as a child of the main window.
template <class Window, class... Args>
Window& ShowElementWindow(TFormquintaron& main, Args&&... args) {
    auto& window = main.Own<Window>(std::forward<Args>(args)...);
    window.AfterConstruction();
    window.Show();
    return window;
}

// Bank and global windows fill their grids once shown.
template <class Window, class Elem>
model::TEditorView* ShowListWindow(TFormquintaron& main, Elem& elem) {
    auto& window = ShowElementWindow<Window>(main, elem);
    window.UpDateView();
    return &window.View();
}

} // namespace

model::TEditorView* TAppServices::CreateEditor(model::TLibElem& elem) {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return nullptr;
    // The global set is a bank too: it is asked first.
    if (auto* global = dynamic_cast<model::TGlobal*>(&elem))
        return ShowListWindow<TFormGlobal>(*main, *global);
    if (auto* bank = dynamic_cast<model::TBank*>(&elem))
        return ShowListWindow<TFormBank>(*main, *bank);
    if (auto* patch = dynamic_cast<model::TPatch*>(&elem))
        return &ShowElementWindow<editors::TFormPatch>(*main, *patch, main->DragInfo()).View();
    if (auto* performance = dynamic_cast<model::TPerformance*>(&elem))
        return &ShowElementWindow<editors::TFormPerformance>(*main, *performance, main->DragInfo())
                    .View();
    if (auto* rhythm = dynamic_cast<model::TRhythm*>(&elem))
        return &ShowElementWindow<editors::TFormRhythm>(*main, *rhythm, main->DragInfo(),
                                                        main->Clipboard())
                    .View();
    if (auto* system = dynamic_cast<model::TSystem*>(&elem))
        return &ShowElementWindow<editors::TFormSystem>(*main, *system, main->DragInfo(),
                                                        main->Clipboard())
                    .View();
    return nullptr;
}

std::optional<int> TAppServices::ActiveRhythmNoteKey() {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return std::nullopt;
    if (auto* page = dynamic_cast<editors::TRhythmNotePage*>(main->ActiveMDIChild()))
        return page->KeySelector.KeySelected();
    return std::nullopt;
}

model::TTransferWindow* TAppServices::TransferWindow() {
    return transmet_;
}

model::TMidiFilePlayer* TAppServices::MediaPlayer() {
    TFormPreviewSetup* setup = FormPreviewSetup();
    return setup != nullptr ? &setup->MediaPlayer() : nullptr;
}

void TAppServices::ReloadNameLists() {
    if (TFormNames* names = FormNames()) names->Load();
}

void TAppServices::SetScreenCursor(int cursor) {
    platform::forms::Screen().SetCursor(cursor);
}

void TAppServices::MonitorInput(const midi::TMyMidiEvent& event, bool thru) {
    if (monitor_ == nullptr || model::AppState() == nullptr || !model::AppState()->MonitorOpen)
        return;
    if (!event.Sysex.empty()) {
        monitor_->AddMessage(event.Sysex, monitor_->MemoInput);
        if (thru) monitor_->AddMessage(event.Sysex, monitor_->MemoOutput);
    } else {
        monitor_->AddMessageMidi(event, monitor_->MemoInput);
        if (thru) monitor_->AddMessageMidi(event, monitor_->MemoOutput);
    }
}

} // namespace app
