#include "app/form_random.h"

#include "app/app_images.h"
#include "app/form_library.h"
#include "app/form_quintaron.h"
#include "model/elements/bank.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/preview/preview.h"
#include "platform/forms/place_control.h"
#include "platform/forms/screen.h"

#include <string>

namespace app {

namespace {

namespace pg = platform::gdi;

TFormRandom* formRandom = nullptr;

constexpr int LastPosition = model::PatchesPerMemory - 1;
constexpr int ArrowSize = 16;

template <class T>
T& Place(TFormRandom& form, forms::TWinControl& parent, const char* name, int left, int top,
         int width, int height, const std::string& caption = {}) {
    T& control = forms::PlaceControl<T>(form, parent, left, top, width, height, caption);
    control.Name = name;
    return control;
}

// A black triangle pointing left or right, on the glyph's transparent colour.
void DrawArrow(forms::TBitmap& into, bool right) {
    into.SetSize(ArrowSize, ArrowSize);
    pg::TCanvas& c = into.Canvas();
    for (int y = 0; y < ArrowSize; ++y)
        for (int x = 0; x < ArrowSize; ++x)
            c.SetPixel(x, y, ImageBackground);
    // Rows 4..12 reach further from the base towards the point as they near the middle row 8.
    for (int y = 4; y <= 12; ++y) {
        const int reach = 4 - (y < 8 ? 8 - y : y - 8);
        for (int i = 0; i <= reach; ++i)
            c.SetPixel(right ? 6 + i : 9 - i, y, pg::clBlack);
    }
}

} // namespace

TFormRandom* FormRandom() {
    return formRandom;
}

TFormRandom::TFormRandom(forms::TComponent* owner)
    : TForm(owner), GroupRandomOn(Place<forms::TGroupBox>(*this, *this, "GroupRandomOn", 8, 8, 160,
                                                          176, "Random On")),
      Common(Place<forms::TCheckBox>(*this, GroupRandomOn, "Common", 12, 20, 136, 17, " Common")),
      Tone1(Place<forms::TCheckBox>(*this, GroupRandomOn, "Tone1", 12, 44, 136, 17, " Tone 1")),
      Tone2(Place<forms::TCheckBox>(*this, GroupRandomOn, "Tone2", 12, 68, 136, 17, " Tone 2")),
      Tone3(Place<forms::TCheckBox>(*this, GroupRandomOn, "Tone3", 12, 92, 136, 17, " Tone 3")),
      Tone4(Place<forms::TCheckBox>(*this, GroupRandomOn, "Tone4", 12, 116, 136, 17, " Tone 4")),
      PatchName(Place<forms::TCheckBox>(*this, GroupRandomOn, "PatchName", 12, 148, 136, 17,
                                        " Patch Name")),
      GroupType(
          Place<forms::TGroupBox>(*this, *this, "GroupType", 8, 192, 160, 68, "Randomizing Type")),
      ToneComm(Place<forms::TRadioButton>(*this, GroupType, "ToneComm", 12, 20, 144, 17,
                                          " Tone/Common Oriented")),
      RadioButton2(Place<forms::TRadioButton>(*this, GroupType, "RadioButton2", 12, 42, 144, 17,
                                              " Group Oriented")),
      GroupPreview(
          Place<forms::TGroupBox>(*this, *this, "GroupPreview", 176, 8, 200, 176, "Bank Preview")),
      LabelPosition(Place<forms::TLabel>(*this, GroupPreview, "LabelPosition", 12, 24, 80, 13,
                                         "Patch position")),
      CurrPatch(Place<forms::TEdit>(*this, GroupPreview, "CurrPatch", 96, 20, 36, 21)),
      Precedente(Place<forms::TBitBtn>(*this, GroupPreview, "Precedente", 12, 50, 84, 25)),
      Successivo(Place<forms::TBitBtn>(*this, GroupPreview, "Successivo", 104, 50, 84, 25)),
      BitBtn1(
          Place<forms::TBitBtn>(*this, GroupPreview, "BitBtn1", 12, 82, 176, 25, "Randomize Bank")),
      BitBtn2(Place<forms::TBitBtn>(*this, GroupPreview, "BitBtn2", 12, 112, 176, 25,
                                    "Randomize Patch")),
      BitBtn4(Place<forms::TBitBtn>(*this, GroupPreview, "BitBtn4", 12, 142, 176, 25, "Test")),
      CreateBank(
          Place<forms::TBitBtn>(*this, *this, "CreateBank", 176, 196, 96, 25, "Create Bank")),
      CreatePatch(
          Place<forms::TBitBtn>(*this, *this, "CreatePatch", 280, 196, 96, 25, "Create Patch")),
      Btnclose(Place<forms::TBitBtn>(*this, *this, "Btnclose", 280, 235, 96, 25)),
      random_(std::make_unique<TClockRandom>()) {
    Name = "FormRandom";
    SetCaption("Bank Random");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    SetClientWidth(384);
    SetClientHeight(268);
    for (forms::TCheckBox* box : {&Common, &Tone1, &Tone2, &Tone3, &Tone4, &PatchName})
        box->SetChecked(true);
    RadioButton2.SetChecked(true);
    CurrPatch.SetReadOnly(true);
    CurrPatch.SetMaxLength(3);
    DrawArrow(Precedente.Glyph(), false);
    DrawArrow(Successivo.Glyph(), true);
    Btnclose.SetKind(forms::bkClose);
    formRandom = this;

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
    Precedente.OnClick = [this](forms::TObject* sender) { PrecedenteClick(sender); };
    Successivo.OnClick = [this](forms::TObject* sender) { SuccessivoClick(sender); };
    BitBtn1.OnClick = [this](forms::TObject* sender) { BitBtn1Click(sender); };
    BitBtn2.OnClick = [this](forms::TObject* sender) { BitBtn2Click(sender); };
    BitBtn4.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton, forms::TShiftState,
                                 int, int) { BitBtn4MouseDown(sender); };
    BitBtn4.OnMouseUp = [this](forms::TObject* sender, forms::TMouseButton, forms::TShiftState, int,
                               int) { BitBtn4MouseUp(sender); };
    CreateBank.OnClick = [this](forms::TObject* sender) { CreateBankClick(sender); };
    CreatePatch.OnClick = [this](forms::TObject* sender) { CreateBankClick(sender); };
}

TFormRandom::~TFormRandom() {
    if (formRandom == this) formRandom = nullptr;
}

void TFormRandom::SetRandomSource(std::unique_ptr<TRandomSource> Source) {
    if (Source) random_ = std::move(Source);
}

TRandomOptions TFormRandom::Options() const {
    TRandomOptions options;
    options.Common = Common.Checked();
    options.Tones = {Tone1.Checked(), Tone2.Checked(), Tone3.Checked(), Tone4.Checked()};
    options.PatchName = PatchName.Checked();
    options.ToneComm = ToneComm.Checked();
    return options;
}

void TFormRandom::FormShow(forms::TObject*) {
    if (SourceBank == nullptr) return;
    newBank_ = std::make_unique<model::TPatchBank>(SourceBank->Owner);
    position_ = 1;
    UpdateCurrPatch();
    RandomizeBank();
    SendCurrent();
}

void TFormRandom::FormClose(forms::TObject*, forms::TCloseAction&) {
    // Its patches leave the current-patch slot as they go.
    newBank_.reset();
}

void TFormRandom::UpdateCurrPatch() {
    const std::string number = std::to_string(position_);
    CurrPatch.SetText(position_ < 10 ? " " + number : number);
}

void TFormRandom::RandomizeBank() {
    if (newBank_ == nullptr || SourceBank == nullptr) return;
    forms::Screen().SetCursor(forms::crHourGlass);
    random_->Randomize();
    for (int position = 0; position <= LastPosition; ++position)
        RandomizePatch(position);
    forms::Screen().SetCursor(forms::crDefault);
}

void TFormRandom::RandomizePatch(int Position) {
    if (newBank_ == nullptr || SourceBank == nullptr) return;
    app::RandomizePatch(*random_, Options(), *SourceBank, *newBank_, Position);
}

void TFormRandom::SendCurrent() {
    if (newBank_ != nullptr) newBank_->Patch(position_).Transmit(true);
}

void TFormRandom::PrecedenteClick(forms::TObject*) {
    if (position_ <= 0) return;
    --position_;
    UpdateCurrPatch();
    SendCurrent();
}

void TFormRandom::SuccessivoClick(forms::TObject*) {
    if (position_ >= LastPosition) return;
    ++position_;
    UpdateCurrPatch();
    SendCurrent();
}

void TFormRandom::BitBtn1Click(forms::TObject*) {
    RandomizeBank();
    position_ = 1;
    UpdateCurrPatch();
    SendCurrent();
}

void TFormRandom::BitBtn2Click(forms::TObject*) {
    RandomizePatch(position_);
    SendCurrent();
}

void TFormRandom::BitBtn4MouseDown(forms::TObject*) {
    model::PreviewNoteOn();
}

void TFormRandom::BitBtn4MouseUp(forms::TObject*) {
    model::PreviewNoteOff();
}

void TFormRandom::CreateBankClick(forms::TObject* Sender) {
    if (newBank_ == nullptr || LibraryWindow == nullptr) return;
    model::TLibrary& library = LibraryWindow->Library();
    const auto* sender = dynamic_cast<const forms::TComponent*>(Sender);
    if (sender != nullptr && sender->Name == "CreateBank") {
        auto bank = std::make_unique<model::TPatchBank>(newBank_->Owner);
        bank->Assign(*newBank_);
        library.Add(std::move(bank)).SetName("RandomBank", false);
    } else {
        auto patch = std::make_unique<model::TPatch>(newBank_->Owner);
        patch->Assign(newBank_->Patch(position_));
        model::TLibElem& added = library.Add(std::move(patch));
        added.SetName("Rnd Patch" + std::to_string(position_), false);
        added.Temporary = true;
    }
    library.Saved = false;
    LibraryWindow->RefreshList(true, false);
    LibraryWindow->PosizionaOtt();
    if (TFormquintaron* main = MainWindow()) main->EnableMenuItems();
}

} // namespace app
