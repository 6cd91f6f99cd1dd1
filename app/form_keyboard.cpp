#include "app/form_keyboard.h"

#include "app/stored_bounds.h"
#include "controls/value_text.h"
#include "midi/midi_output.h"
#include "model/program/config.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/exception.h"
#include "platform/core/ini_file.h"
#include "platform/forms/place_control.h"

#include <algorithm>
#include <string>

namespace app {

namespace pc = platform::core;

namespace {

constexpr const char* Section = "Keyboard";
constexpr const char* KeyboardCaption = "Keyboard";
constexpr int HelpKeyboard = 21;
constexpr int KeyboardWidth = 384;
constexpr int KeyboardHeight = 123;
constexpr int DefaultWidth = 200;
constexpr int KeyWidth = 10;
// The stored base octave is the lowest caption's value..the highest's.
constexpr int LowestOctave = -1;
constexpr int HighestOctave = 7;
constexpr int OctaveButtons = HighestOctave - LowestOctave + 1;
constexpr int ButtonLeft = 72;
constexpr int ButtonWidth = 25;
// The panel shows the selector from its first C (past the hidden leftmost key) to index 52.
constexpr int PanelWidth = 333;
constexpr int PanelHeight = 73;
constexpr int PanelBorder = 4;
constexpr int VisibleSelector = 321;

} // namespace

TFormKeyboard::TFormKeyboard(forms::TComponent* owner)
    : TForm(owner, forms::fsMDIChild),
      Panel1(forms::PlaceControl<forms::TPanel>(*this, *this, 0, 0, 376, 24)),
      Label1(forms::PlaceControl<forms::TLabel>(*this, Panel1, 8, 6, 60, 13, "Base Octave")),
      SpeedButtons{},
      Panel(forms::PlaceControl<forms::TPanel>(*this, *this, 21, 24, PanelWidth, PanelHeight)),
      KeySelector(forms::PlaceControl<controls::TKeySelector>(*this, Panel, PanelBorder,
                                                              PanelBorder, 500, 50)),
      Panel2(forms::PlaceControl<forms::TPanel>(*this, Panel, PanelBorder, PanelBorder,
                                                KeyWidth + 1, 50)),
      Panel3(forms::PlaceControl<forms::TPanel>(*this, Panel, PanelBorder + VisibleSelector, 0,
                                                PanelWidth - PanelBorder - VisibleSelector,
                                                PanelHeight)) {
    Name = "FormKeyboard";
    SetBorderStyle(forms::bsDialog);
    SetBorderIcons(forms::biSystemMenu | forms::biMinimize);
    Panel1.SetAlign(forms::alTop);
    Panel.BorderWidth = PanelBorder;
    for (forms::TPanel* cover : {&Panel2, &Panel3}) {
        cover->BevelOuter = forms::bvNone;
        cover->BringToFront();
    }
    KeySelector.SetKeyWidth(KeyWidth);
    KeySelector.SetKeySelected(-1);
    KeySelector.OnChange = [this](forms::TObject* sender) { KeySelectorChange(sender); };
    KeySelector.OnEndchange = [this](forms::TObject* sender) { KeySelectorEndchange(sender); };
    for (int i = 0; i < OctaveButtons; ++i) {
        auto& button = forms::PlaceControl<forms::TSpeedButton>(
            *this, Panel1, ButtonLeft + i * ButtonWidth, 2, ButtonWidth, 20,
            std::to_string(LowestOctave + i));
        button.Name = "SpeedButton" + std::to_string(i + 1);
        button.SetGroupIndex(1);
        button.Tag = LowestOctave + i;
        button.OnClick = [this](forms::TObject* sender) { SpeedButton1Click(sender); };
        SpeedButtons[static_cast<std::size_t>(i)] = &button;
    }
    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnResize = [this](forms::TObject* sender) { FormResize(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
}

TFormKeyboard::~TFormKeyboard() = default;

void TFormKeyboard::FormCreate(forms::TObject*) {
    HelpContext = HelpKeyboard;
    if (model::AppState() != nullptr) model::AppState()->KeyboardOpen = true;
    lastNote_ = -1;
    int stored = LowestOctave;
    try {
        const pc::TIniFile ini(model::SettingsFileName);
        SetWidth(StoredSize(ini, Section, "Width", DefaultWidth, false));
        SetLeft(StoredPlace(ini, Section, "Left", 0, false));
        SetTop(StoredPlace(ini, Section, "Top", 0, true));
        stored = ini.ReadInteger(Section, "BaseOctave", LowestOctave);
    } catch (const pc::Exception&) {
        // Opens where it stands, at the lowest octave.
    }
    // A value no button shows would leave the octave unseen and its notes out of range.
    stored = std::clamp(stored, LowestOctave, HighestOctave);
    baseOctave_ = stored + 1;
    SpeedButtons[static_cast<std::size_t>(stored - LowestOctave)]->SetDown(true);
}

void TFormKeyboard::FormShow(forms::TObject*) {
    SetCaption(KeyboardCaption);
}

void TFormKeyboard::FormResize(forms::TObject*) {
    SetHeight(KeyboardHeight);
    SetWidth(KeyboardWidth);
}

void TFormKeyboard::SpeedButton1Click(forms::TObject* Sender) {
    if (const auto* button = dynamic_cast<const forms::TSpeedButton*>(Sender))
        baseOctave_ = static_cast<int>(button->Tag) + 1;
}

void TFormKeyboard::SendNote(int status, int note) {
    // A data byte of 80H or more would be taken for a status byte.
    if (note < 0 || note > 127) return;
    model::TQuintaron* state = model::AppState();
    if (state == nullptr || !state->Midi.Online()) return;
    midi::TMidiOutput* output = state->Midi.Output();
    if (output == nullptr) return;
    const auto channel = static_cast<std::uint8_t>((state->PreviewChannel - 1) & 0x0F);
    const auto velocity =
        static_cast<std::uint8_t>(std::clamp(state->Config.PreviewVelocity, 0, 127));
    output->SendShort(static_cast<std::uint8_t>(status | channel), static_cast<std::uint8_t>(note),
                      velocity);
}

void TFormKeyboard::StopNote() {
    if (lastNote_ != -1) SendNote(0x80, lastNote_);
    lastNote_ = -1;
}

void TFormKeyboard::KeySelectorChange(forms::TObject*) {
    if (KeySelector.KeySelected() == -1) return;
    StopNote();
    lastNote_ = KeySelector.KeySelected() + baseOctave_ * 12;
    SendNote(0x90, lastNote_);
    SetCaption(std::string(KeyboardCaption) + " ( Play note : " + controls::NoteToText(lastNote_) +
               " )");
}

void TFormKeyboard::KeySelectorEndchange(forms::TObject* Sender) {
    // The selector's end event comes at the press and again at its release. A release ends the
    // sounding note wherever it happens, the hidden leftmost key included.
    if (held_) {
        held_ = false;
        StopNote();
        KeySelector.SetKeySelected(-1);
    } else {
        held_ = true;
        KeySelectorChange(Sender);
    }
    SetCaption(KeyboardCaption);
}

void TFormKeyboard::FormClose(forms::TObject*, forms::TCloseAction& Action) {
    StopNote();
    held_ = false;
    if (model::AppState() != nullptr) model::AppState()->KeyboardOpen = false;
    try {
        pc::TIniFile ini(model::SettingsFileName);
        ini.WriteInteger(Section, "Width", Width());
        ini.WriteInteger(Section, "Left", Left());
        ini.WriteInteger(Section, "Top", Top());
        ini.WriteInteger(Section, "BaseOctave", baseOctave_ - 1);
    } catch (const pc::Exception&) {
        // The next keyboard opens where this one opened.
    }
    if (model::TUiServices* ui = model::UiServices()) ui->EnableMenuItems();
    Action = forms::caNone;
    Release();
}

} // namespace app
