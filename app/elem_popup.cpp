#include "app/elem_popup.h"

#include "app/form_edit.h"
#include "model/editing/selection.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "model/print/print_routines.h"
#include "model/program/quintaron.h"
#include "platform/forms/forms.h"

namespace app {

namespace {

constexpr int PopupRight = 15;

} // namespace

TElemPopup::TElemPopup(forms::TComponent* owner, forms::TDrawGrid& Grid, int Down,
                       std::function<void()> Loaded)
    : TPopupMenu(owner), LoadSysex(Items().Add("Load SysEx")), SaveSysex(Items().Add("Save SysEx")),
      N1(Items().Add("-")), ImportFrom(Items().Add("Import From Synth")),
      ExportTo(Items().Add("Export To Synth")), N2(Items().Add("-")), Send(Items().Add("Send")),
      Receive(Items().Add("Receive")), N3(Items().Add("-")), edit(Items().Add("Edit")),
      Print(Items().Add("Print")), Open(Items().Add("Open")), grid_(Grid), down_(Down),
      loaded_(std::move(Loaded)) {
    OnPopup = [this](forms::TObject*) { PopupMenuPopup(); };
    LoadSysex.OnClick = [this](forms::TObject*) { LoadSysexClick(); };
    SaveSysex.OnClick = [this](forms::TObject*) { SaveSysexClick(); };
    ImportFrom.OnClick = [this](forms::TObject*) { ImportExport(&TElemPopup::LoadSysexClick); };
    ExportTo.OnClick = [this](forms::TObject*) { ImportExport(&TElemPopup::SaveSysexClick); };
    Send.OnClick = [this](forms::TObject*) {
        if (subject_ != nullptr && model::MidiReady()) subject_->Transmit(false);
    };
    Receive.OnClick = [this](forms::TObject*) {
        if (subject_ == nullptr || !model::MidiReady()) return;
        subject_->Receive(false);
        grid_.Invalidate();
    };
    edit.OnClick = [this](forms::TObject*) {
        if (subject_ == nullptr) return;
        EditElement(*subject_);
        grid_.Invalidate();
    };
    Print.OnClick = [this](forms::TObject*) { PrintClick(); };
    Open.OnClick = [this](forms::TObject*) {
        if (subject_ != nullptr) subject_->OpenEditor();
    };
}

void TElemPopup::PopupOn(std::vector<std::unique_ptr<model::TLibElem>>& Elems, int Entry, int X,
                         int Y) {
    model::SelectByClick(Elems, Entry, model::scPlain);
    grid_.Repaint();
    subject_ = Elems[static_cast<std::size_t>(Entry)].get();
    // The click's point is taken as one of the window's client area: the offsets below bring it
    // back to about where the grid, that far inside the window, was clicked.
    forms::TWinControl* window = &grid_;
    while (window->Parent() != nullptr && dynamic_cast<forms::TCustomForm*>(window) == nullptr)
        window = window->Parent();
    const forms::TPoint point = window->ClientToScreen({X, Y});
    SetPopupComponent(&grid_);
    Popup(point.X + PopupRight, point.Y + down_);
}

void TElemPopup::PopupMenuPopup() {
    if (subject_ == nullptr) return;
    const bool global = subject_->Type == model::etGlobal;
    LoadSysex.Caption = global ? "Load Global" : "Load SysEx";
    SaveSysex.Caption = global ? "Save Global" : "Save SysEx";
    ImportFrom.Enabled = subject_->Type != model::etRhythm && subject_->Type != model::etRhythmBank;
    ExportTo.Enabled = ImportFrom.Enabled;
}

void TElemPopup::LoadSysexClick() {
    if (subject_ == nullptr) return;
    if (auto* global = dynamic_cast<model::TGlobal*>(subject_))
        global->LoadGlobalFile();
    else
        subject_->LoadSysExFile();
    if (loaded_) loaded_();
    grid_.Invalidate();
}

void TElemPopup::SaveSysexClick() {
    if (subject_ == nullptr) return;
    if (auto* global = dynamic_cast<model::TGlobal*>(subject_))
        global->SaveGlobalFile(true);
    else
        subject_->SaveSysExFile(true);
}

void TElemPopup::ImportExport(void (TElemPopup::*action)()) {
    model::TQuintaron* state = model::AppState();
    state->ImportExportMode = true;
    try {
        (this->*action)();
    } catch (...) {
        state->ImportExportMode = false;
        throw;
    }
    state->ImportExportMode = false;
}

void TElemPopup::PrintClick() {
    if (subject_ == nullptr) return;
    model::PrintBegin(dynamic_cast<const model::TLibrary*>(subject_->Root()));
    int y = model::PrintPageTop;
    subject_->Print(y, false);
    model::PrintEnd();
}

} // namespace app
