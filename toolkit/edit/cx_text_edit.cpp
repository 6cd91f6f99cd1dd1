#include "toolkit/edit/cx_text_edit.h"

#include "toolkit/edit/cx_text_edit_view.h"

#include "toolkit/base/cx_canvas.h"

#include "platform/forms/clipbrd.h"
#include "platform/win/edit_class.h"
#include "platform/win/messages.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// ---- TcxCustomInnerTextEdit ----

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(pc::TComponent* AOwner,
                                               TcxCustomTextEdit& AContainer)
    : pf::TEdit(AOwner), FContainer(AContainer) {
    BorderStyle = pf::bsNoBorder;
    AutoSelect = false;
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& Params) {
    pf::TEdit::CreateParams(Params);
    Params.style &= ~(pw::WS_BORDER | pw::WS_DLGFRAME | pw::WS_THICKFRAME);
    Params.style |= pw::ES_AUTOHSCROLL;
    Params.exStyle &= ~pw::WS_EX_CLIENTEDGE;
}

void TcxCustomInnerTextEdit::SetEchoMode(int Value) {
    FEchoMode = Value;
    UpdatePasswordChar();
}

void TcxCustomInnerTextEdit::SetEditPasswordChar(char Value) {
    FPasswordChar = Value;
    if (FEchoMode == 1) UpdatePasswordChar();
}

void TcxCustomInnerTextEdit::UpdatePasswordChar() {
    SetPasswordChar(FEchoMode == 0 ? '\0' : FPasswordChar ? FPasswordChar : '*');
}

pc::LRESULT TcxCustomInnerTextEdit::CallDefWndProc(pc::UINT Msg, pc::WPARAM WParam,
                                                   pc::LPARAM LParam) {
    pc::TMessage Message{Msg, WParam, LParam, 0};
    pf::TEdit::Dispatch(Message);
    return Message.Result;
}

void TcxCustomInnerTextEdit::Dispatch(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_CUT:
    case pw::WM_PASTE:
    case pw::WM_CLEAR:
        // The outer editor decides: the window never changes its text by itself here.
        FContainer.InnerClipboardMessage(Message.Msg);
        Message.Result = 0;
        return;
    case pw::WM_UNDO:
        pf::TEdit::Dispatch(Message);
        FContainer.UndoHook();
        return;
    case pw::EM_SETSEL:
        pf::TEdit::Dispatch(Message);
        if (OnSelChange) OnSelChange();
        return;
    default:
        pf::TEdit::Dispatch(Message);
    }
}

void TcxCustomInnerTextEdit::KeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    FKeyHandled = false;
    FContainer.InnerKeyDown(Key, Shift);
    if (Key == 0) {
        FKeyHandled = true;
        return;
    }
    pf::TEdit::KeyDown(Key, Shift);
}

void TcxCustomInnerTextEdit::KeyPress(char& Key) {
    FKeyHandled = false;
    // Tab never reaches the window.
    if (Key == '\t') Key = 0;
    if (Key != 0) FContainer.InnerKeyPress(Key);
    if (Key == '\r' && !FContainer.BeepOnEnter) Key = 0;
    if (Key == 0) {
        FKeyHandled = true;
        return;
    }
    pf::TEdit::KeyPress(Key);
}

void TcxCustomInnerTextEdit::KeyUp(pf::WORD& Key, pf::TShiftState Shift) {
    FKeyHandled = false;
    FContainer.InnerKeyUp(Key, Shift);
    if (Key != 0) pf::TEdit::KeyUp(Key, Shift);
}

void TcxCustomInnerTextEdit::Change() {
    pf::TEdit::Change();
    FContainer.InnerTextChanged();
}

// ---- TcxCustomTextEdit ----

const pc::TComponentClass& TcxCustomTextEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomTextEdit", &TcxCustomEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomTextEdit>(AOwner); });
    return Class;
}

TcxCustomTextEdit::TcxCustomTextEdit(pc::TComponent* AOwner, bool AIsInplace,
                                     const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomEdit(AOwner, AIsInplace,
                    APropertiesClass ? APropertiesClass
                                     : &TcxCustomTextEditProperties::ClassRef()) {
    RecreateViewInfo();
    Initialize();
}

TcxCustomTextEdit::~TcxCustomTextEdit() {
    if (FInnerEdit) FInnerEdit->OnSelChange = nullptr;
}

void TcxCustomTextEdit::Initialize() {
    BeepOnEnter = true;
    FLookupCompletionActive = false;
    FInnerEdit = &Own<TcxCustomInnerTextEdit>(*this);
    FInnerEdit->SetColor(pg::clWindow);
    FInnerEdit->SetParent(this);
    SetInnerControl(FInnerEdit);
    SetBounds(Left(), Top(), 121, 21);
    PropertiesChanged(&ActiveProperties());
}

void TcxCustomTextEdit::CreateWnd() {
    TcxCustomEdit::CreateWnd();
    FInnerEdit->HandleNeeded();
}

TcxCustomTextEditProperties& TcxCustomTextEdit::Properties() const {
    return static_cast<TcxCustomTextEditProperties&>(TcxCustomEdit::Properties());
}

TcxCustomTextEditProperties& TcxCustomTextEdit::ActiveProperties() const {
    return static_cast<TcxCustomTextEditProperties&>(TcxCustomEdit::ActiveProperties());
}

TcxCustomTextEditViewInfo& TcxCustomTextEdit::TextViewInfo() const {
    return static_cast<TcxCustomTextEditViewInfo&>(EditViewInfo());
}

// ---- text and selection ----

std::string TcxCustomTextEdit::Text() {
    return FInnerEdit ? FInnerEdit->Text() : FSavedText;
}

void TcxCustomTextEdit::SetText(const std::string& Value) {
    InternalSetText(Value);
}

std::string TcxCustomTextEdit::GetDisplayText() {
    return Text();
}

int TcxCustomTextEdit::SelStart() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style == tesNoEdit || (Style == tesFixedList && !FLookupCompletionActive)) return 0;
    return FInnerEdit->SelStart();
}

void TcxCustomTextEdit::SetSelStart(int Value) {
    if (EditingStyle() != tesNoEdit) FInnerEdit->SetSelStart(Value);
}

int TcxCustomTextEdit::SelLength() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style == tesNoEdit || (Style == tesFixedList && !FLookupCompletionActive)) return 0;
    return FInnerEdit->SelLength();
}

void TcxCustomTextEdit::SetSelLength(int Value) {
    if (EditingStyle() != tesNoEdit) FInnerEdit->SetSelLength(Value);
}

std::string TcxCustomTextEdit::SelText() {
    return FInnerEdit->SelText();
}

void TcxCustomTextEdit::SetSelection(int Start, int Length) {
    SetSelStart(Start);
    SetSelLength(Length);
}

void TcxCustomTextEdit::SelectAll() {
    FInnerEdit->SelectAll();
}

// ---- text to edit value ----

bool TcxCustomTextEdit::InternalSetText(const std::string& Text) {
    Variant V = Variant::String(Text);
    if (!ActiveProperties().IsDisplayValueValid(V, InternalFocused())) return false;
    if (FUserAction && !DoEditing()) return false;
    InternalSetDisplayValue(V);
    return true;
}

void TcxCustomTextEdit::InternalSetDisplayValue(const Variant& Value) {
    const std::string Text = Value.IsNull() || Value.IsEmpty() ? std::string() : Value.AsString();
    FSettingText = true;
    FInnerEdit->SetText(Text);
    FSettingText = false;
    if (!FUserAction) {
        ResetLookupCompletion();
        SynchronizeEditValue();
        SetModified(false);
    } else {
        SynchronizeEditValue();
    }
    UpdateDrawValue();
}

void TcxCustomTextEdit::ApplyDisplayValue(const Variant& Value) {
    InternalSetDisplayValue(Value);
}

void TcxCustomTextEdit::SynchronizeEditValue() {
    const Variant Old = FEditValue;
    const Variant New = Variant::String(Text());
    const bool Changed = !(Old.IsStr() && Old.AsString() == New.AsString());
    FEditValue = New;
    if (FUserAction)
        MarkModifiedAfterEnter(true);
    else
        SetModified(false);
    if (Changed) {
        DoEditValueChanged();
        if (FUserAction) DoChange();
    }
}

void TcxCustomTextEdit::SynchronizeDisplayValue() {
    Variant D;
    TcxCustomTextEditProperties& P = ActiveProperties();
    Variant V = FEditValue;
    if (P.IsEditValueValid(V, InternalFocused()))
        P.PrepareDisplayValue(V, D, InternalFocused());
    else if (!IsContainerFocused())
        D = P.PrepareValueText(FEditValue, false);
    else
        P.GetDefaultDisplayValue(D, true);
    SaveModified();
    FSynchronizing = true;
    const bool Saved = FUserAction;
    FUserAction = false;
    FSettingText = true;
    FInnerEdit->SetText(D.IsNull() ? std::string() : D.AsString());
    FSettingText = false;
    FUserAction = Saved;
    FSynchronizing = false;
    RestoreModified();
    ResetLookupCompletion();
    UpdateDrawValue();
}

void TcxCustomTextEdit::InnerTextChanged() {
    // Texts this editor sets are taken where they are set.
    if (FSettingText || FSynchronizing) return;
    const bool Saved = FUserAction;
    FUserAction = true;
    SynchronizeEditValue();
    FUserAction = Saved;
    UpdateDrawValue();
}

void TcxCustomTextEdit::UpdateDrawValue() {
    if (!HandleAllocated()) return;
    UpdateFixedListSelection();
    ShortRefreshContainer(false);
    Invalidate();
}

void TcxCustomTextEdit::UpdateFixedListSelection() {
    TcxCustomTextEditViewInfo& V = TextViewInfo();
    V.Selection.Length = 0;
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style != tesFixedList && Style != tesNoEdit) return;
    if (Style == tesFixedList && FLookupCompletionActive &&
        ActiveProperties().ShowFixedListSelection()) {
        const int Start = FInnerEdit->SelStart();
        const int Length = FInnerEdit->SelLength();
        if (!V.Inverted)
            V.Selection = {Start, Length, pg::clHighlightText, pg::clHighlight};
        else
            V.Selection = {0, static_cast<int>(Text().size()) - Length, pg::clHighlight,
                           pg::clHighlightText};
    }
}

void TcxCustomTextEdit::UpdateInnerEditColors() {
    FInnerEdit->SetColor(EditViewInfo().BackgroundColor);
    FInnerEdit->Font().SetColor(EditViewInfo().TextColor);
}

void TcxCustomTextEdit::ResetLookupCompletion() {
    FLookupCompletionActive = false;
    // A text set from outside moves the current item with it.
    if (!FLookupDriven && ActiveProperties().UseLookupData()) ILookupData().TextChanged();
}

void TcxCustomTextEdit::DoOnNewLookupDisplayText(const std::string& Text) {
    if (Properties().OnNewLookupDisplayText) Properties().OnNewLookupDisplayText(this, Text);
    if (RepositoryItem() && ActiveProperties().OnNewLookupDisplayText)
        ActiveProperties().OnNewLookupDisplayText(this, Text);
}

int TcxCustomTextEdit::GetInnerEditHeight() {
    toolkit::base::TcxScreenCanvas Canvas;
    Canvas.SetFont(FInnerEdit->Font());
    return Canvas.TextHeight("Qq");
}

void TcxCustomTextEdit::ClampValueIfNeeded() {
    if (IsDataBindingEditable() && ActiveProperties().HasNumericValue() &&
        ActiveProperties().IsAnyValueBoundDefined())
        ClampValueToBounds();
}

void TcxCustomTextEdit::SetTextChecked(const std::string& Text) {
    if (!DoEditing()) return;
    SetText(Text);
    MarkModifiedAfterEnter(true);
}

bool TcxCustomTextEdit::IsPlainTextModifiable() {
    return ActiveProperties().EchoMode() == eemNormal && ActiveProperties().CanModify();
}

void TcxCustomTextEdit::RefreshFromProperties() {
    ActiveProperties().Changed();
    SynchronizeDisplayValue();
}

bool TcxCustomTextEdit::HasPopupWindowEx() {
    return false;
}

// ---- inserting ----

bool TcxCustomTextEdit::GetTextAfterInsertion(const std::string& S, std::string& NewText,
                                              int& NewSelStart) {
    const TcxTextEditingStyle Style = EditingStyle();
    if (FUserAction && Style == tesNoEdit) return false;
    if (Style == tesFixedList || Style == tesNoEdit) FInnerEdit->SelectAll();
    const std::string Current = Text();
    const int Start = std::min(FInnerEdit->SelStart(), static_cast<int>(Current.size()));
    const int Length = std::min(FInnerEdit->SelLength(), static_cast<int>(Current.size()) - Start);
    const std::string Before = Current.substr(0, static_cast<std::size_t>(Start));
    const std::string After = Current.substr(static_cast<std::size_t>(Start + Length));
    const int MaxLength = ActiveProperties().MaxLength();
    if (!FUserAction || Style == tesEditList || Style == tesFixedList || MaxLength == 0) {
        NewText = Style == tesFixedList ? S : Before + S + After;
        NewSelStart = Start + static_cast<int>(S.size());
    } else {
        NewText = Before + S;
        NewSelStart = std::min(static_cast<int>(NewText.size()), MaxLength);
        NewText.resize(static_cast<std::size_t>(NewSelStart));
        if (Start > NewSelStart) return false;
        NewText += After;
        if (static_cast<int>(NewText.size()) > MaxLength)
            NewText.resize(static_cast<std::size_t>(MaxLength));
    }
    Variant V = Variant::String(NewText);
    if (!ActiveProperties().IsDisplayValueValid(V, true)) return false;
    if (FUserAction && !DoEditing()) return false;
    NewText = V.AsString();
    return true;
}

void TcxCustomTextEdit::ReplaceSelectedText(const std::string& S) {
    const bool Saved = FUserAction;
    if (IsContainerFocused()) FUserAction = true;
    std::string NewText;
    int NewSelStart = 0;
    try {
        if (GetTextAfterInsertion(S, NewText, NewSelStart)) {
            InternalSetDisplayValue(Variant::String(NewText));
            FInnerEdit->SetSelStart(NewSelStart);
        }
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
}

void TcxCustomTextEdit::DeleteSelectedText() {
    if (FInnerEdit->SelLength() <= 0) return;
    const bool Saved = FUserAction;
    if (IsContainerFocused()) FUserAction = true;
    const int Start = FInnerEdit->SelStart();
    std::string NewText = Text();
    NewText.erase(static_cast<std::size_t>(Start),
                  static_cast<std::size_t>(FInnerEdit->SelLength()));
    bool Taken = false;
    try {
        Taken = InternalSetText(NewText);
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
    if (Taken) FInnerEdit->SetSelStart(Start);
}

// ---- clipboard ----

void TcxCustomTextEdit::CopyToClipboard() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style == tesFixedList || Style == tesNoEdit) FInnerEdit->SelectAll();
    if (FInnerEdit->SelLength() > 0) pf::Clipboard().SetAsText(FInnerEdit->SelText());
}

void TcxCustomTextEdit::CutToClipboard() {
    if (FInnerEdit->SelLength() <= 0) return;
    std::string NewText;
    int NewSelStart = 0;
    const bool Saved = FUserAction;
    FUserAction = IsContainerFocused();
    const bool Accepted = !IsContainerFocused() || GetTextAfterInsertion({}, NewText, NewSelStart);
    FUserAction = Saved;
    if (!Accepted) return;
    pf::Clipboard().SetAsText(FInnerEdit->SelText());
    ReplaceSelectedText({});
}

void TcxCustomTextEdit::PasteFromClipboard() {
    std::string Pasted = pf::Clipboard().AsText();
    if (Pasted.empty()) return;
    std::erase_if(Pasted, [](char C) { return C == '\r' || C == '\n'; });
    ReplaceSelectedText(Pasted);
}

void TcxCustomTextEdit::InnerClipboardMessage(pc::UINT Msg) {
    const bool Saved = FUserAction;
    FUserAction = true;
    try {
        if (Msg == pw::WM_CUT) {
            if (FInnerEdit->ReadOnly())
                CopyToClipboard();
            else
                CutToClipboard();
        } else if (!FInnerEdit->ReadOnly()) {
            if (Msg == pw::WM_PASTE)
                PasteFromClipboard();
            else
                DeleteSelectedText();
        }
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
}

// ---- keys: cx_text_edit_keys.cpp ----

bool TcxCustomTextEdit::IsValidChar(char Key) {
    return TcxCustomEdit::IsValidChar(Key) ||
           ActiveProperties().ValidChars().test(static_cast<unsigned char>(Key));
}

// ---- properties ----

void TcxCustomTextEdit::PropertiesChanged(TcxCustomEditProperties* Sender) {
    if (!FInnerEdit) {
        TcxCustomEdit::PropertiesChanged(Sender);
        return;
    }
    TcxCustomTextEditProperties& P = ActiveProperties();
    FInnerEdit->SetAlignment(P.Alignment().Horz());
    LookupPropertiesChanged();
    FInnerEdit->SetCharCase(P.CharCase());
    FInnerEdit->SetEchoMode(P.EchoMode() == eemPassword ? 1 : 0);
    FInnerEdit->SetEditPasswordChar(P.PasswordChar());
    FInnerEdit->SetMaxLength(P.MaxLength());
    FInnerEdit->SetReadOnly(!P.CanModify() || EditingStyle() == tesNoEdit);
    ClampValueIfNeeded();
    if (!(ComponentState() & pc::csDestroying)) ValidateLookupText();
    TcxCustomEdit::PropertiesChanged(Sender);
    UpdateDrawValue();
    FInnerEdit->Invalidate();
}

// ---- TcxTextEdit ----

const pc::TComponentClass& TcxTextEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxTextEdit", &TcxCustomTextEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxTextEdit>(AOwner); });
    return Class;
}

TcxTextEdit::TcxTextEdit(pc::TComponent* AOwner, bool AIsInplace)
    : TcxCustomTextEdit(AOwner, AIsInplace, &TcxTextEditProperties::ClassRef()) {}

TcxTextEditProperties& TcxTextEdit::Properties() const {
    return static_cast<TcxTextEditProperties&>(TcxCustomTextEdit::Properties());
}

} // namespace toolkit::edit
