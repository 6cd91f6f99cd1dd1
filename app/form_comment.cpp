#include "app/form_comment.h"

#include "platform/forms/place_control.h"

namespace app {

namespace {

TFormcomment* formcomment = nullptr;

constexpr int Margin = 4;
constexpr int MemoInset = 5;

} // namespace

TFormcomment* Formcomment() {
    return formcomment;
}

bool EditComment(platform::core::TStringList& Lines) {
    TFormcomment* dialog = Formcomment();
    if (dialog == nullptr) return false;
    dialog->SeTStringList(Lines);
    dialog->ShowModal();
    return dialog->Modified();
}

TFormcomment::TFormcomment(forms::TComponent* owner)
    : TForm(owner),
      Panel(forms::PlaceControl<forms::TPanel>(*this, *this, Margin, Margin, 494, 290)),
      Memo(forms::PlaceControl<forms::TMemo>(*this, Panel, MemoInset, MemoInset, 484, 280)),
      PanelBut(forms::PlaceControl<forms::TPanel>(*this, *this, Margin, 298, 494, 41)),
      OKBtn(forms::PlaceControl<forms::TBitBtn>(*this, PanelBut, 98, 8, 75, 25)),
      CancelBtn(forms::PlaceControl<forms::TBitBtn>(*this, PanelBut, 321, 8, 75, 25)) {
    Name = "Formcomment";
    SetCaption("Formcomment");
    Position = forms::poScreenCenter;
    SetClientWidth(502);
    SetClientHeight(343);
    OKBtn.SetKind(forms::bkOK);
    OKBtn.SetCaption("Ok");
    CancelBtn.SetKind(forms::bkCancel);
    formcomment = this;

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnResize = [this](forms::TObject* sender) { FormResize(sender); };
    Memo.OnKeyPress = [this](forms::TObject* sender, char& key) { MemoKeyPress(sender, key); };
    OKBtn.OnClick = [this](forms::TObject* sender) { OKBtnClick(sender); };
    CancelBtn.OnClick = [this](forms::TObject* sender) { CancelBtnClick(sender); };
}

TFormcomment::~TFormcomment() {
    if (formcomment == this) formcomment = nullptr;
}

void TFormcomment::SeTStringList(platform::core::TStringList& List) {
    list_ = &List;
    forms::TStrings& lines = Memo.Lines();
    lines.BeginUpdate();
    lines.Clear();
    for (const std::string& line : List)
        lines.Add(line);
    lines.EndUpdate();
}

void TFormcomment::FormShow(forms::TObject*) {
    modified_ = false;
    shownText_ = Memo.Text();
    SetActiveControl(&Memo);
}

void TFormcomment::FormResize(forms::TObject*) {
    PanelBut.SetTop(ClientHeight() - PanelBut.Height() - Margin);
    PanelBut.SetWidth(ClientWidth() - 2 * Margin);
    Panel.SetHeight(PanelBut.Top() - Panel.Top() - Margin);
    Panel.SetWidth(PanelBut.Width());
    Memo.SetWidth(Panel.Width() - 2 * MemoInset);
    Memo.SetHeight(Panel.Height() - 2 * MemoInset);
    OKBtn.SetLeft(PanelBut.Width() / 5);
    CancelBtn.SetLeft(PanelBut.Width() - PanelBut.Width() / 5 - CancelBtn.Width());
}

void TFormcomment::MemoKeyPress(forms::TObject*, char&) {
    modified_ = true;
}

void TFormcomment::OKBtnClick(forms::TObject*) {
    // Keys that type nothing (Delete) change the text too: what counts is the text itself.
    if (Memo.Text() != shownText_) modified_ = true;
    if (list_ != nullptr) {
        list_->Clear();
        for (const std::string& line : Memo.Lines().List())
            list_->Add(line);
    }
    SetModalResult(forms::mrOk);
}

void TFormcomment::CancelBtnClick(forms::TObject*) {
    modified_ = false;
    SetModalResult(forms::mrCancel);
}

} // namespace app
