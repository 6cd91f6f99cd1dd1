#include "app/form_preview_setup.h"

#include "app/form_quintaron.h"
#include "model/files/data_folders.h"
#include "model/preview/midi_file_player.h"
#include "model/preview/preview.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/place_control.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"

#include <exception>
#include <filesystem>

namespace app {

namespace pw = platform::win;

namespace {

TFormPreviewSetup* formPreviewSetup = nullptr;

constexpr int HelpPreview = 19;
constexpr const char* OutOfResource = "Out of Resource";

// A button that tells when it loses the mouse: a press it held ended without reaching it (a box
// came up, another window took the mouse).
class THoldButton : public forms::TBitBtn {
public:
    using TBitBtn::TBitBtn;
    std::function<void()> OnCaptureLost;

    void Dispatch(forms::TMessage& message) override {
        TBitBtn::Dispatch(message);
        if (message.Msg == pw::WM_CAPTURECHANGED && OnCaptureLost) OnCaptureLost();
    }
};

} // namespace

TFormPreviewSetup* FormPreviewSetup() {
    return formPreviewSetup;
}

TFormPreviewSetup::TFormPreviewSetup(forms::TComponent* owner)
    : TForm(owner),
      GroupPlay(forms::PlaceControl<forms::TGroupBox>(*this, *this, 8, 4, 289, 45, "Play")),
      RadioSingle(forms::PlaceControl<forms::TRadioButton>(*this, GroupPlay, 16, 18, 110, 17,
                                                           " Single Note")),
      RadioMidi(forms::PlaceControl<forms::TRadioButton>(*this, GroupPlay, 160, 18, 110, 17,
                                                         " Midi File")),
      PanelNote(forms::PlaceControl<forms::TPanel>(*this, *this, 8, 56, 289, 64)),
      LabelNote(forms::PlaceControl<forms::TLabel>(*this, PanelNote, 8, 6, 40, 13, "Note")),
      Note(forms::PlaceControl<controls::TMyEdit>(*this, PanelNote, 8, 26, 80, 21)),
      LabelVelocity(
          forms::PlaceControl<forms::TLabel>(*this, PanelNote, 104, 6, 60, 13, " Velocity ")),
      Velocity(forms::PlaceControl<controls::TPanSlider>(*this, PanelNote, 104, 22, 176, 34)),
      PanelMidi(forms::PlaceControl<forms::TPanel>(*this, *this, 8, 128, 289, 56)),
      LabelMidi(
          forms::PlaceControl<forms::TLabel>(*this, PanelMidi, 8, 6, 80, 13, "Midi Filename")),
      MidiName(forms::PlaceControl<forms::TEdit>(*this, PanelMidi, 8, 24, 190, 21)),
      Cercabtn(forms::PlaceControl<forms::TButton>(*this, PanelMidi, 206, 22, 75, 25, "Browse")),
      BitBtn1(forms::PlaceControl<THoldButton>(*this, *this, 8, 194, 75, 25, "Test")),
      BitBtn2(forms::PlaceControl<forms::TBitBtn>(*this, *this, 134, 194, 75, 25)),
      BitBtn3(forms::PlaceControl<forms::TBitBtn>(*this, *this, 222, 194, 75, 25)),
      mediaPlayer_(std::make_unique<model::TMidiFilePlayer>()) {
    Name = "FormPreviewSetup";
    SetCaption("Preview Setup");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    SetClientWidth(305);
    SetClientHeight(227);
    HelpContext = HelpPreview;
    Note.SetEditType(controls::TEditType::Note);
    Velocity.SetVertical(false);
    Velocity.SetELeft(4);
    Velocity.SetETop(9);
    Velocity.SetEWidth(28);
    Velocity.SetEHeight(15);
    Velocity.SetSLeft(38);
    Velocity.SetSTop(6);
    Velocity.SetSWidth(132);
    Velocity.SetSHeight(20);
    Velocity.SetMin(0);
    Velocity.SetMax(127);
    BitBtn2.SetKind(forms::bkOK);
    BitBtn3.SetKind(forms::bkCancel);
    formPreviewSetup = this;

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnDeactivate = [this](forms::TObject*) { EndTest(); };
    for (forms::TRadioButton* radio : {&RadioSingle, &RadioMidi})
        radio->OnClick = [this](forms::TObject* sender) { RadioSingleClick(sender); };
    Cercabtn.OnClick = [this](forms::TObject* sender) { CercabtnClick(sender); };
    BitBtn1.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                                 forms::TShiftState, int,
                                 int) { BitBtn1MouseDown(sender, button); };
    BitBtn1.OnMouseUp = [this](forms::TObject* sender, forms::TMouseButton button,
                               forms::TShiftState, int, int) { BitBtn1MouseUp(sender, button); };
    BitBtn1.OnExit = [this](forms::TObject*) { EndTest(); };
    static_cast<THoldButton&>(BitBtn1).OnCaptureLost = [this] { EndTest(); };
    BitBtn2.OnClick = [this](forms::TObject* sender) { BitBtn2Click(sender); };
    BitBtn3.OnClick = [this](forms::TObject* sender) { BitBtn3Click(sender); };
}

TFormPreviewSetup::~TFormPreviewSetup() {
    if (formPreviewSetup == this) formPreviewSetup = nullptr;
}

void TFormPreviewSetup::FormShow(forms::TObject*) {
    const model::TConfig& config = model::AppState()->Config;
    RadioSingle.SetChecked(config.SingleNote);
    RadioMidi.SetChecked(!config.SingleNote);
    MidiName.SetText(config.MidiFile);
    Note.SetCode(config.PreviewNote);
    Velocity.SetValue(config.PreviewVelocity);
    RadioSingleClick(this);
}

void TFormPreviewSetup::RadioSingleClick(forms::TObject*) {
    PanelNote.SetEnabled(RadioSingle.Checked());
    PanelMidi.SetEnabled(RadioMidi.Checked());
}

void TFormPreviewSetup::CercabtnClick(forms::TObject*) {
    try {
        forms::TOpenDialog dialog(MainWindow());
        dialog.Title = "Select Midi File";
        dialog.DefaultExt = "Mid";
        dialog.Filter = "Mid file|*.Mid";
        dialog.Options = forms::ofHideReadOnly | forms::ofPathMustExist | forms::ofFileMustExist |
                         forms::ofEnableSizing;
        const std::filesystem::path current(MidiName.Text());
        dialog.InitialDir = current.has_parent_path() ? current.parent_path().string()
                                                      : model::GetDefaultDataFolder();
        dialog.FileName = current.filename().string();
        if (dialog.Execute()) MidiName.SetText(dialog.FileName);
    } catch (const std::exception&) {
        model::MessageDlg(OutOfResource, model::TMsgDlgType::mtError, model::mbOK);
    }
}

void TFormPreviewSetup::WriteControls() {
    model::TConfig& config = model::AppState()->Config;
    config.SingleNote = RadioSingle.Checked();
    config.MidiFile = MidiName.Text();
    config.PreviewNote = Note.Code();
    config.PreviewVelocity = Velocity.Value();
}

void TFormPreviewSetup::BitBtn1MouseDown(forms::TObject*, forms::TMouseButton Button) {
    // A second button while one holds "Test" belongs to the press already running.
    if (testing_) return;
    const model::TConfig& config = model::AppState()->Config;
    saved_ = {config.SingleNote, config.MidiFile, config.PreviewNote, config.PreviewVelocity};
    testing_ = true;
    starting_ = true;
    endedWhileStarting_ = false;
    // The left button holds the mouse by itself; the others take it, so that their release
    // comes back here wherever it happens.
    if (Button != forms::mbLeft) pw::SetCapture(BitBtn1.Handle());
    WriteControls();
    try {
        model::PreviewNoteOn();
    } catch (...) {
        starting_ = false;
        EndTest();
        throw;
    }
    starting_ = false;
    if (endedWhileStarting_ || pw::GetCapture() != BitBtn1.Handle()) EndTest();
}

void TFormPreviewSetup::BitBtn1MouseUp(forms::TObject*, forms::TMouseButton Button) {
    if (Button != forms::mbLeft && pw::GetCapture() == BitBtn1.Handle()) pw::ReleaseCapture();
    EndTest();
}

void TFormPreviewSetup::EndTest() {
    if (!testing_) return;
    if (starting_) {
        endedWhileStarting_ = true;
        return;
    }
    testing_ = false;
    // Stopped with the settings tested, then the ones that stood before.
    model::PreviewNoteOff();
    model::TConfig& config = model::AppState()->Config;
    config.SingleNote = saved_.SingleNote;
    config.MidiFile = saved_.MidiFile;
    config.PreviewNote = saved_.PreviewNote;
    config.PreviewVelocity = saved_.PreviewVelocity;
}

void TFormPreviewSetup::BitBtn2Click(forms::TObject*) {
    WriteControls();
    model::AppState()->Config.Save();
    SetModalResult(forms::mrOk);
}

void TFormPreviewSetup::BitBtn3Click(forms::TObject*) {
    SetModalResult(forms::mrCancel);
}

} // namespace app
