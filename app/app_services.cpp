#include "app/app_services.h"

#include "app/form_bank.h"
#include "app/form_global.h"
#include "app/form_monitor.h"
#include "app/form_transmet.h"
#include "editors/form_patch.h"
#include "editors/form_system.h"
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

model::TEditorView* TAppServices::CreateEditor(model::TLibElem& elem) {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return nullptr;
    // The global set is a bank too: it is asked first.
    if (auto* global = dynamic_cast<model::TGlobal*>(&elem)) {
        auto& window = main->Own<TFormGlobal>(*global);
        window.AfterConstruction();
        window.Show();
        window.UpDateView();
        return &window.View();
    }
    if (elem.Type == model::etPatch) {
        if (auto* patch = dynamic_cast<model::TPatch*>(&elem)) {
            auto& window = main->Own<editors::TFormPatch>(*patch, main->DragInfo());
            window.AfterConstruction();
            window.Show();
            return &window.View();
        }
    }
    if (elem.Type == model::etSystem) {
        if (auto* system = dynamic_cast<model::TSystem*>(&elem)) {
            auto& window =
                main->Own<editors::TFormSystem>(*system, main->DragInfo(), main->Clipboard());
            window.AfterConstruction();
            window.Show();
            return &window.View();
        }
    }
    if (auto* bank = dynamic_cast<model::TBank*>(&elem)) {
        auto& window = main->Own<TFormBank>(*bank);
        window.AfterConstruction();
        window.Show();
        window.UpDateView();
        return &window.View();
    }
    return nullptr;
}

model::TTransferWindow* TAppServices::TransferWindow() {
    return transmet_;
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
