#include "app/form_edit.h"

#include "model/elements/lib_elem.h"
#include "model/program/quintaron.h"
#include "platform/forms/place_control.h"

#include <algorithm>

namespace app {

namespace {

TFormEdit* formEdit = nullptr;

constexpr int EditHelpContext = 34;

bool KeepsItsPlace(const model::TLibElem& elem) {
    if (elem.Type == model::etSystem || elem.Type == model::etGlobal) return true;
    if (elem.Owner == nullptr) return false;
    switch (elem.Owner->Type) {
    case model::etPatchBank:
    case model::etPerformanceBank:
    case model::etRhythmBank:
    case model::etGlobal:
        return true;
    default:
        return false;
    }
}

bool Single(const model::TLibElem& elem) {
    return elem.Type == model::etPatch || elem.Type == model::etPerformance ||
           elem.Type == model::etRhythm;
}

bool DataCardInstalled() {
    return model::AppState() != nullptr && model::AppState()->Config.DataCardInstalled;
}

} // namespace

TFormEdit* FormEdit() {
    return formEdit;
}

void EditElement(model::TLibElem& Elem) {
    TFormEdit* dialog = FormEdit();
    if (dialog == nullptr) return;
    dialog->Element = &Elem;
    dialog->ShowModal();
}

TFormEdit::TFormEdit(forms::TComponent* owner)
    : TForm(owner),
      LabelName(forms::PlaceControl<forms::TLabel>(*this, *this, 16, 12, 150, 13, "Name")),
      Editname(forms::PlaceControl<forms::TEdit>(*this, *this, 16, 28, 150, 21)),
      LabelPosition(forms::PlaceControl<forms::TLabel>(*this, *this, 184, 12, 60, 13, "Position")),
      Position(forms::PlaceControl<forms::TSpinEdit>(*this, *this, 184, 28, 60, 21)),
      GroupBox1(forms::PlaceControl<forms::TGroupBox>(*this, *this, 16, 60, 168, 97,
                                                      "Source/Destination")),
      User(forms::PlaceControl<forms::TRadioButton>(*this, GroupBox1, 12, 20, 144, 17,
                                                    " User Memory")),
      Card(forms::PlaceControl<forms::TRadioButton>(*this, GroupBox1, 12, 44, 144, 17,
                                                    " Card Memory")),
      Temp(forms::PlaceControl<forms::TRadioButton>(*this, GroupBox1, 12, 68, 144, 17,
                                                    " Temporary")),
      OKBtn(forms::PlaceControl<forms::TBitBtn>(*this, *this, 208, 96, 80, 25)),
      CancelBtn(forms::PlaceControl<forms::TBitBtn>(*this, *this, 208, 132, 80, 25)) {
    Name = "FormEdit";
    SetBorderStyle(forms::bsDialog);
    forms::TForm::Position = forms::poScreenCenter;
    SetClientWidth(304);
    SetClientHeight(169);
    Position.SetMinValue(1);
    Position.SetMaxValue(128);
    OKBtn.SetKind(forms::bkOK);
    CancelBtn.SetKind(forms::bkCancel);
    formEdit = this;

    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    for (forms::TRadioButton* radio : {&User, &Card, &Temp})
        radio->OnClick = [this](forms::TObject* sender) { UserClick(sender); };
    Editname.OnChange = [this](forms::TObject* sender) { EditnameChange(sender); };
    Position.OnChange = [this](forms::TObject* sender) { PositionChange(sender); };
    OKBtn.OnClick = [this](forms::TObject* sender) { OKBtnClick(sender); };
    CancelBtn.OnClick = [this](forms::TObject* sender) { CancelBtnClick(sender); };
}

TFormEdit::~TFormEdit() {
    if (formEdit == this) formEdit = nullptr;
}

void TFormEdit::FormCreate(forms::TObject*) {
    HelpContext = EditHelpContext;
}

void TFormEdit::FormShow(forms::TObject*) {
    if (Element == nullptr) return;
    model::TLibElem& elem = *Element;
    const bool single = Single(elem);
    fixed_ = KeepsItsPlace(elem);
    SetCaption("Edit property of : " + elem.GetName());

    CheckPosEnabled();
    if (fixed_) Position.SetVisible(false);
    LabelPosition.SetVisible(Position.Visible());

    User.SetEnabled(elem.Type != model::etSystem && elem.Type != model::etGlobal && !fixed_);
    Card.SetEnabled(User.Enabled() && DataCardInstalled());
    Temp.SetEnabled(single && !fixed_);

    LabelName.SetCaption(elem.GetTypeName() + " Name");
    Editname.SetMaxLength(static_cast<int>(model::ElemNameLength));
    Editname.SetText(elem.GetName());

    // Each check runs UserClick; the one checked last wins, so both flags show user memory.
    Temp.SetChecked(elem.Temporary);
    User.SetChecked(elem.Memory);
    Card.SetChecked(!elem.Temporary && !elem.Memory);

    if (elem.Type == model::etPatch) Position.SetMaxValue(128);
    if (elem.Type == model::etPerformance) Position.SetMaxValue(32);
    if (elem.Type == model::etRhythm) Position.SetMaxValue(2);
    Position.SetValue(std::clamp<int>(elem.Number, 1, Position.MaxValue()));

    changed_ = false;
    SetActiveControl(&Editname);
}

void TFormEdit::CheckPosEnabled() {
    const bool shown = Element != nullptr && Single(*Element) && !Temp.Checked() && !fixed_;
    Position.SetVisible(shown);
    LabelPosition.SetVisible(shown);
}

void TFormEdit::UserClick(forms::TObject*) {
    CheckPosEnabled();
    changed_ = true;
}

void TFormEdit::EditnameChange(forms::TObject*) {
    changed_ = true;
}

void TFormEdit::PositionChange(forms::TObject*) {
    changed_ = true;
}

void TFormEdit::OKBtnClick(forms::TObject*) {
    if (Element == nullptr) return;
    model::TLibElem& elem = *Element;
    // Every OK stores the name, and nothing goes to the instrument.
    elem.SetName(Editname.Text(), false);
    if (Temp.Enabled()) elem.Temporary = Temp.Checked();
    if (User.Enabled()) elem.Memory = User.Checked();
    if (Position.Visible()) elem.Number = static_cast<std::int16_t>(Position.Value());
    if (changed_) {
        elem.SetModified();
        SetModalResult(forms::mrOk);
        elem.UpdateViews();
    }
}

void TFormEdit::CancelBtnClick(forms::TObject*) {
    SetModalResult(forms::mrCancel);
}

} // namespace app
