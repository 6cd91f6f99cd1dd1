#include "app/form_morph.h"

#include "app/app_images.h"
#include "app/form_library.h"
#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/preview/preview.h"
#include "platform/forms/place_control.h"

#include <cstdio>
#include <string>

namespace app {

namespace {

TFormMorph* formMorph = nullptr;

constexpr int MorphHelpContext = 39;
constexpr int StarterMillis = 500;
constexpr int DefaultNoteLength = 1000;
constexpr int MaxNoteLength = 20000;
constexpr int MaxMorphStep = 10;
constexpr std::size_t EfxTypeParameter = 12;
constexpr std::int16_t PatchBankType = 1;
constexpr int LastBankPatch = MorphFactorMax;

// The "Include Parameter" boxes stand in two columns of ten.
constexpr int IncludeRows = 10;
constexpr int IncludeColumn = 184;
constexpr int BoxPitch = 21;
constexpr int BoxTop = 20;

forms::TCheckBox& IncludeBox(forms::TForm& form, forms::TGroupBox& group, int place,
                             const char* caption) {
    return forms::PlaceControl<forms::TCheckBox>(
        form, group, 10 + place / IncludeRows * IncludeColumn,
        BoxTop + place % IncludeRows * BoxPitch, 170, 17, caption);
}

forms::TCheckBox& MorphOnBox(forms::TForm& form, forms::TGroupBox& group, int place,
                             const char* caption) {
    return forms::PlaceControl<forms::TCheckBox>(form, group, 10, BoxTop + place * BoxPitch, 80, 17,
                                                 caption);
}

controls::TMyEdit& MinMaxEdit(forms::TForm& form, forms::TGroupBox& group, int max, int code) {
    auto& edit = forms::PlaceControl<controls::TMyEdit>(form, group, 8, 18, 88, 21);
    edit.SetEditType(controls::TEditType::MinMax);
    edit.Min = 1;
    edit.Max = max;
    edit.Step = 1;
    edit.SetCode(code);
    return edit;
}

// The horizontal factor slider: its value box at the top right, the track below.
void ShapeSlider(controls::TPanSlider& slider) {
    slider.BorderStyle = forms::bsSingleBorder;
    slider.BevelWidth = 2;
    slider.SetVertical(false);
    slider.SetSLeft(10);
    slider.SetSTop(25);
    slider.SetSWidth(256);
    slider.SetSHeight(20);
    slider.SetELeft(232);
    slider.SetETop(5);
    slider.SetEWidth(34);
    slider.SetEHeight(15);
    slider.SetThumbHeight(9);
    slider.SetTrackWidth(7);
    slider.SetMin(0);
    slider.SetMax(MorphFactorMax);
}

// "Morph" and the position in three digits: "Morph007".
std::string StepName(int position) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", position);
    return std::string("Morph") + digits;
}

} // namespace

TFormMorph* FormMorph() {
    return formMorph;
}

void MorphPatches(model::TPatch& A, model::TPatch& B, TFormLibrary& Target) {
    TFormMorph* window = FormMorph();
    if (window == nullptr) return;
    window->SetSources(A, B, Target);
    window->ShowModal();
}

TFormMorph::TFormMorph(forms::TComponent* owner)
    : TForm(owner), PatchEdit1(forms::PlaceControl<forms::TEdit>(*this, *this, 12, 24, 100, 21)),
      Slider(forms::PlaceControl<controls::TPanSlider>(*this, *this, 122, 8, 280, 54)),
      LabelFactor(forms::PlaceControl<forms::TLabel>(*this, Slider, 10, 6, 0, 15, "Morph Factor")),
      PatchEdit2(forms::PlaceControl<forms::TEdit>(*this, *this, 412, 24, 100, 21)),
      GroupMorphOn(
          forms::PlaceControl<forms::TGroupBox>(*this, *this, 12, 72, 100, 132, "Morph On")),
      Common(MorphOnBox(*this, GroupMorphOn, 0, "Common")),
      Tone1(MorphOnBox(*this, GroupMorphOn, 1, "Tone 1")),
      Tone2(MorphOnBox(*this, GroupMorphOn, 2, "Tone 2")),
      Tone3(MorphOnBox(*this, GroupMorphOn, 3, "Tone 3")),
      Tone4(MorphOnBox(*this, GroupMorphOn, 4, "Tone 4")),
      GroupInclude(forms::PlaceControl<forms::TGroupBox>(*this, *this, 122, 72, 390, 240,
                                                         "Include Parameter")),
      OnOff(IncludeBox(*this, GroupInclude, 0, " On/Off ")),
      Wavenumber(IncludeBox(*this, GroupInclude, 1, " Wave Number")),
      PanCtrlSwitch(IncludeBox(*this, GroupInclude, 2, " Pan Ctrl Switch")),
      Tonedelaymode(IncludeBox(*this, GroupInclude, 3, " Tone Delay Mode")),
      LfoExtSync(IncludeBox(*this, GroupInclude, 4, " LFO External sync")),
      Lfowaveform(IncludeBox(*this, GroupInclude, 5, " LFO Waveform")),
      LFOfademode(IncludeBox(*this, GroupInclude, 6, " LFO Fade Mode")),
      Outpuassign(IncludeBox(*this, GroupInclude, 7, " Output Assign")),
      TVABiasDir(IncludeBox(*this, GroupInclude, 8, " TVA Bias Direction")),
      TVFfiltertype(IncludeBox(*this, GroupInclude, 9, " TVF Filter Type")),
      efxparameter(IncludeBox(*this, GroupInclude, 10, " EFX Parameter")),
      chorusoutassign(IncludeBox(*this, GroupInclude, 11, " Chorus Ouput Assign")),
      Reverbtype(IncludeBox(*this, GroupInclude, 12, " Reverb Type")),
      efxoutassign(IncludeBox(*this, GroupInclude, 13, " EFX Output Assign")),
      Holdpeak(IncludeBox(*this, GroupInclude, 14, " Hold Peak")),
      Structuretype(IncludeBox(*this, GroupInclude, 15, " Structure Type")),
      Boosterlevel(IncludeBox(*this, GroupInclude, 16, " Booster Level")),
      StretchTuneDepth(IncludeBox(*this, GroupInclude, 17, " Stretch Tune Depth")),
      coarsetune(IncludeBox(*this, GroupInclude, 18, " Coarse Tune")),
      finetune(IncludeBox(*this, GroupInclude, 19, " Fine Tune")),
      GroupNoteLength(
          forms::PlaceControl<forms::TGroupBox>(*this, *this, 12, 208, 100, 50, "Note Length")),
      Notelength(MinMaxEdit(*this, GroupNoteLength, MaxNoteLength, DefaultNoteLength)),
      GroupStepLength(
          forms::PlaceControl<forms::TGroupBox>(*this, *this, 12, 262, 100, 50, "Step Length")),
      MorphStep(MinMaxEdit(*this, GroupStepLength, MaxMorphStep, 1)) {
    Name = "FormMorph";
    SetCaption("Patch Morphing");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    SetClientWidth(524);
    SetClientHeight(361);
    HelpContext = MorphHelpContext;
    // The buttons' row: bounds, caption, hint, click.
    forms::PlaceControls(
        *this,
        {
            {&Play, 12, 324, 44, 25, "", "Play", [this] { PlayClick(&Play); }},
            {&Stop, 62, 324, 44, 25, "", "Stop", [this] { StopClick(&Stop); }},
            {&CreateBank, 292, 324, 100, 25, "Create Bank", "",
             [this] { CreateBankClick(&CreateBank); }},
            {&Btnclose, 412, 324, 100, 25, "&Close", "", [this] { BtncloseClick(&Btnclose); }},
        });
    ShapeSlider(Slider);
    for (forms::TEdit* edit : {&PatchEdit1, &PatchEdit2}) {
        edit->SetReadOnly(true);
        edit->SetMaxLength(static_cast<int>(model::ElemNameLength));
    }
    boxes_ = {&Common,
              &Tone1,
              &Tone2,
              &Tone3,
              &Tone4,
              &OnOff,
              &Wavenumber,
              &PanCtrlSwitch,
              &Tonedelaymode,
              &LfoExtSync,
              &Lfowaveform,
              &LFOfademode,
              &Outpuassign,
              &TVABiasDir,
              &TVFfiltertype,
              &efxparameter,
              &chorusoutassign,
              &Reverbtype,
              &efxoutassign,
              &Holdpeak,
              &Structuretype,
              &Boosterlevel,
              &StretchTuneDepth,
              &coarsetune,
              &finetune};
    // The boxes are set before their handlers are given: a box set by program clicks itself.
    // The two tune boxes start unchecked and have no handler: they count from the next change.
    for (forms::TCheckBox* box : boxes_) {
        if (box == &coarsetune || box == &finetune) continue;
        box->SetChecked(true);
        box->OnClick = [this](forms::TObject* sender) { SliderEndchange(sender); };
    }
    DrawMorphGlyph(Play.Glyph(), TMorphGlyph::Play);
    DrawMorphGlyph(Stop.Glyph(), TMorphGlyph::Stop);
    Starter.SetEnabled(false);
    Starter.SetInterval(StarterMillis);
    Timer1.SetEnabled(false);
    Timer1.SetInterval(DefaultNoteLength);
    formMorph = this;

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
    Slider.OnEndchange = [this](forms::TObject* sender) { SliderEndchange(sender); };
    Notelength.OnEndChange = [this](forms::TObject* sender) { NoteLengthEndChange(sender); };
    MorphStep.OnEndChange = [this](forms::TObject* sender) { NoteLengthEndChange(sender); };
    Starter.SetOnTimer([this](forms::TObject* sender) { StarterTimer(sender); });
    Timer1.SetOnTimer([this](forms::TObject* sender) { Timer1Timer(sender); });
}

TFormMorph::~TFormMorph() {
    if (formMorph == this) formMorph = nullptr;
}

void TFormMorph::SetSources(model::TPatch& A, model::TPatch& B, TFormLibrary& Target) {
    a_ = &A;
    b_ = &B;
    libraryWindow_ = &Target;
}

TMorphBoxes TFormMorph::Boxes() const {
    TMorphBoxes boxes;
    boxes.Common = Common.Checked();
    boxes.Tones = {Tone1.Checked(), Tone2.Checked(), Tone3.Checked(), Tone4.Checked()};
    boxes.OnOff = OnOff.Checked();
    boxes.Wavenumber = Wavenumber.Checked();
    boxes.PanCtrlSwitch = PanCtrlSwitch.Checked();
    boxes.Tonedelaymode = Tonedelaymode.Checked();
    boxes.LfoExtSync = LfoExtSync.Checked();
    boxes.Lfowaveform = Lfowaveform.Checked();
    boxes.LFOfademode = LFOfademode.Checked();
    boxes.Outpuassign = Outpuassign.Checked();
    boxes.TVABiasDir = TVABiasDir.Checked();
    boxes.TVFfiltertype = TVFfiltertype.Checked();
    boxes.efxparameter = efxparameter.Checked() && efxparameter.Enabled();
    boxes.chorusoutassign = chorusoutassign.Checked();
    boxes.Reverbtype = Reverbtype.Checked();
    boxes.efxoutassign = efxoutassign.Checked();
    boxes.Holdpeak = Holdpeak.Checked();
    boxes.Structuretype = Structuretype.Checked();
    boxes.Boosterlevel = Boosterlevel.Checked();
    boxes.StretchTuneDepth = StretchTuneDepth.Checked();
    boxes.coarsetune = coarsetune.Checked();
    boxes.finetune = finetune.Checked();
    return boxes;
}

bool TFormMorph::UseCommonParameter(int n) const {
    return app::UseCommonParameter(n, Boxes());
}

bool TFormMorph::UseToneParameter(int n) const {
    return app::UseToneParameter(n, Boxes());
}

void TFormMorph::UpdatePatch(int Factor) {
    if (morphPatch_ == nullptr || a_ == nullptr || b_ == nullptr) return;
    app::MorphPatch(*morphPatch_, *a_, *b_, Factor, Boxes());
}

void TFormMorph::FormShow(forms::TObject*) {
    if (a_ == nullptr || b_ == nullptr) return;
    // A scratch patch of no library: computing it must not stamp A's library as modified nor
    // ask for it to be saved.
    morphPatch_ = std::make_unique<model::TPatch>(nullptr);
    efxparameter.SetEnabled(a_->Common->GetParam(EfxTypeParameter) ==
                            b_->Common->GetParam(EfxTypeParameter));
    PatchEdit1.SetText(a_->GetName());
    PatchEdit2.SetText(b_->GetName());
    Slider.SetValue(0);
    UpdatePatch(0);
    morphPatch_->Transmit(true);
}

void TFormMorph::FormClose(forms::TObject*, forms::TCloseAction&) {
    // However the window closes, no tick may reach a patch that is gone, nor a note go on
    // sounding.
    const bool sounding = Timer1.Enabled();
    Starter.SetEnabled(false);
    Timer1.SetEnabled(false);
    if (sounding) model::PreviewNoteOff();
    playing_ = false;
    morphPatch_.reset();
}

void TFormMorph::SendAndPlay() {
    UpdatePatch(Slider.Value());
    if (morphPatch_ != nullptr) morphPatch_->Transmit(true);
    Starter.SetEnabled(true);
}

void TFormMorph::SliderEndchange(forms::TObject*) {
    playing_ = false;
    SendAndPlay();
}

void TFormMorph::PlayClick(forms::TObject*) {
    playing_ = true;
    SendAndPlay();
}

void TFormMorph::StopClick(forms::TObject*) {
    Timer1.SetEnabled(false);
    model::PreviewNoteOff();
    playing_ = false;
}

void TFormMorph::StarterTimer(forms::TObject*) {
    model::PreviewNoteOn();
    Starter.SetEnabled(false);
    Timer1.SetEnabled(true);
}

void TFormMorph::Timer1Timer(forms::TObject*) {
    model::PreviewNoteOff();
    if (!playing_) {
        Timer1.SetEnabled(false);
        return;
    }
    const int factor = Slider.Value() + MorphStep.Code();
    if (factor > MorphFactorMax) {
        Slider.SetValue(MorphFactorMax);
        playing_ = false;
    } else {
        Slider.SetValue(factor);
    }
    Timer1.SetEnabled(false);
    SendAndPlay();
}

void TFormMorph::NoteLengthEndChange(forms::TObject*) {
    Timer1.SetInterval(static_cast<std::uint32_t>(Notelength.Code()));
}

void TFormMorph::BtncloseClick(forms::TObject*) {
    Starter.SetEnabled(false);
    Timer1.SetEnabled(false);
    model::PreviewNoteOff();
    Close();
}

void TFormMorph::CreateBankClick(forms::TObject*) {
    model::PreviewNoteOff();
    // Shown modally, the window only takes its result here: the morph patch lives until the
    // modal loop ends, after this handler.
    Close();
    if (libraryWindow_ == nullptr || a_ == nullptr || b_ == nullptr) return;
    model::TLibrary& library = libraryWindow_->Library();
    std::unique_ptr<model::TLibElem> made = model::CreateElemByType(PatchBankType, &library);
    auto* bank = dynamic_cast<model::TPatchBank*>(made.get());
    if (bank == nullptr) return;
    library.Add(std::move(made));
    library.Saved = false;
    libraryWindow_->RefreshList(true, true);

    bool allChecked = true;
    for (const forms::TCheckBox* box : boxes_)
        allChecked = allChecked && box->Checked();

    bank->SetName("MorphBank", false);
    for (int i = 0; i <= LastBankPatch; ++i) {
        model::TLibElem& patch = bank->Elem(i);
        if (i == LastBankPatch && allChecked) {
            patch.Assign(*b_);
        } else {
            UpdatePatch(i);
            if (morphPatch_ != nullptr) patch.Assign(*morphPatch_);
            // Patch 0 is A itself and keeps A's name.
            if (i > 0) patch.SetName(StepName(i), false);
        }
        patch.Selected = false;
    }
    // The patches took their places in memory from A and B: back to their own places.
    bank->SetMemory(bank->Memory);
}

} // namespace app
