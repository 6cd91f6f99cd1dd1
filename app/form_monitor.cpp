#include "app/form_monitor.h"

#include "app/monitor_lines.h"
#include "app/stored_bounds.h"
#include "model/program/config.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/exception.h"
#include "platform/core/ini_file.h"
#include "platform/forms/place_control.h"

namespace app {

namespace pc = platform::core;

namespace {

constexpr const char* Section = "Monitor";
constexpr int DefaultWidth = 378;
constexpr int DefaultHeight = 278;
// Where a pane's memo lies in its panel, below the pane's title.
constexpr int MemoLeft = 9;
constexpr int MemoTop = 20;

} // namespace

TFormMonitor::TFormMonitor(forms::TComponent* owner)
    : TForm(owner, forms::fsMDIChild),
      PanelIn(forms::PlaceControl<forms::TPanel>(*this, *this, 4, 4, 362, 121)),
      MemoInput(forms::PlaceControl<forms::TMemo>(*this, PanelIn, MemoLeft, MemoTop, 344, 93)),
      PanelOut(forms::PlaceControl<forms::TPanel>(*this, *this, 4, 129, 362, 121)),
      MemoOutput(forms::PlaceControl<forms::TMemo>(*this, PanelOut, MemoLeft, MemoTop, 344, 93)),
      Label1(forms::PlaceControl<forms::TLabel>(*this, PanelIn, 9, 4, 60, 13, "Message In")),
      Label2(forms::PlaceControl<forms::TLabel>(*this, PanelOut, 9, 4, 60, 13, "Message Out")) {
    SetCaption("Monitor");
    // Long traffic scrolls: the panes follow the newest line and show where they stand.
    for (forms::TMemo* memo : {&MemoInput, &MemoOutput}) {
        memo->ReadOnly = true;
        memo->SetScrollBars(forms::ssVertical);
    }
    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnResize = [this](forms::TObject* sender) { FormResize(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
}

void TFormMonitor::FormCreate(forms::TObject*) {
    HelpContext = 31;
    MemoInput.Lines().Clear();
    MemoOutput.Lines().Clear();
    if (model::AppState() != nullptr) model::AppState()->MonitorOpen = true;
    try {
        const pc::TIniFile ini(model::SettingsFileName);
        SetWidth(StoredSize(ini, Section, "Width", DefaultWidth, false));
        SetHeight(StoredSize(ini, Section, "Height", DefaultHeight, true));
        SetLeft(StoredPlace(ini, Section, "Left", 0, false));
        SetTop(StoredPlace(ini, Section, "Top", 0, true));
    } catch (const pc::Exception&) {
        // Opens where it stands.
    }
}

void TFormMonitor::FormResize(forms::TObject*) {
    const int h = (ClientHeight() - 12) / 2;
    PanelIn.SetWidth(ClientWidth() - 8);
    PanelIn.SetHeight(h);
    PanelOut.SetWidth(ClientWidth() - 8);
    PanelOut.SetHeight(h);
    PanelOut.SetTop(PanelIn.Top() + h + 4);
    for (auto [memo, pane] : {std::pair{&MemoInput, &PanelIn}, std::pair{&MemoOutput, &PanelOut}}) {
        memo->SetWidth(pane->Width() - 18);
        memo->SetHeight(pane->Height() - 28);
    }
}

void TFormMonitor::FormClose(forms::TObject*, forms::TCloseAction& Action) {
    if (model::AppState() != nullptr) model::AppState()->MonitorOpen = false;
    try {
        pc::TIniFile ini(model::SettingsFileName);
        ini.WriteInteger(Section, "Width", Width());
        ini.WriteInteger(Section, "Height", Height());
        ini.WriteInteger(Section, "Left", Left());
        ini.WriteInteger(Section, "Top", Top());
    } catch (const pc::Exception&) {
        // The next monitor opens where this one opened.
    }
    if (model::TUiServices* ui = model::UiServices()) ui->EnableMenuItems();
    Action = forms::caNone;
    Release();
}

void TFormMonitor::AddMessage(std::span<const std::uint8_t> bytes, forms::TMemo& memo) {
    AddLine(memo, MonitorMessageLine(bytes));
}

void TFormMonitor::AddMessageMidi(const midi::TMyMidiEvent& event, forms::TMemo& memo) {
    AddLine(memo, MonitorMidiLine(event));
}

void TFormMonitor::AddLine(forms::TMemo& memo, std::string line) {
    forms::TStrings& lines = memo.Lines();
    lines.BeginUpdate();
    lines.Add(std::move(line));
    while (lines.Count() > MonitorPaneLines)
        lines.Delete(0);
    lines.EndUpdate();
}

} // namespace app
