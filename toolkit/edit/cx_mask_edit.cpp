#include "toolkit/edit/cx_mask_edit.h"

#include "toolkit/edit/cx_mask_edit_modes.h"

#include "platform/forms/clipbrd.h"
#include "platform/win/edit_class.h"
#include "platform/win/messages.h"

#include <algorithm>
#include <cctype>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

// The edit as its mode sees it.
class TcxCustomMaskEdit::TModeSite final : public IcxMaskEdit {
public:
    explicit TModeSite(TcxCustomMaskEdit& AEdit) : E(AEdit) {}
    IcxMaskEditProperties& ActiveProperties() override {
        return E.ActiveProperties().ModeProperties();
    }
    std::string GetDisplayText() const override { return E.Text(); }
    void ApplyDisplayValue(const std::string& Text) override { E.SetTextAsIs(Text); }
    pc::Variant GetEditValue() override { return E.TcxCustomEdit::GetEditValue(); }
    void SetEditValue(const pc::Variant& Value) override { E.TcxCustomEdit::SetEditValue(Value); }
    int SelStart() const override { return E.InnerTextEdit().SelStart(); }
    int SelLength() const override { return E.InnerTextEdit().SelLength(); }
    void SetSelStart(int Value) override {
        E.SetInnerSelection(std::clamp(Value, 0, E.TextLength()), 0, false);
    }
    void SetSelLength(int Value) override {
        const int Start = E.InnerTextEdit().SelStart();
        E.SetInnerSelection(Start, std::clamp(Value, 0, E.TextLength() - Start), false);
    }
    int CursorPosition() const override { return E.CursorPosition(); }
    void SendKey(std::uint16_t Key) override {
        E.FKeySimulating = true;
        E.PlainKey(Key, E.FShiftDown);
        E.FKeySimulating = false;
    }
    void SendChar(char Ch) override {
        E.FKeySimulating = true;
        E.PlainChar(Ch);
        E.FKeySimulating = false;
    }
    bool ShiftDown() const override { return E.FShiftDown; }
    void SetShiftDown(bool Value) override { E.FShiftDown = Value; }
    bool IsCharValid(char& Key, int Position) override { return E.IsCharValid(Key, Position); }
    bool Focused() const override { return E.IsContainerFocused(); }
    bool IsPaintCopyDrawing() const override { return false; }
    bool ModifiedAfterEnter() const override { return E.ModifiedAfterEnter(); }

private:
    TcxCustomMaskEdit& E;
};

// ---- TcxCustomMaskEdit ----

const pc::TComponentClass& TcxCustomMaskEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomMaskEdit", &TcxCustomTextEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomMaskEdit>(AOwner); });
    return Class;
}

TcxCustomMaskEdit::TcxCustomMaskEdit(pc::TComponent* AOwner, bool AIsInplace,
                                     const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomTextEdit(AOwner, AIsInplace,
                        APropertiesClass ? APropertiesClass
                                         : &TcxCustomMaskEditProperties::ClassRef()),
      FSite(std::make_unique<TModeSite>(*this)) {
    CreateMode();
    PropertiesChanged(&ActiveProperties());
}

TcxCustomMaskEdit::~TcxCustomMaskEdit() = default;

TcxCustomMaskEditProperties& TcxCustomMaskEdit::Properties() const {
    return static_cast<TcxCustomMaskEditProperties&>(TcxCustomTextEdit::Properties());
}

TcxCustomMaskEditProperties& TcxCustomMaskEdit::ActiveProperties() const {
    return static_cast<TcxCustomMaskEditProperties&>(TcxCustomTextEdit::ActiveProperties());
}

bool TcxCustomMaskEdit::IsMaskInForce() const {
    return FMode && ActiveProperties().IsMasked();
}

void TcxCustomMaskEdit::CreateMode() {
    TcxCustomMaskEditProperties& P = ActiveProperties();
    FMode = cxCreateMaskEditMode(P.MaskKind(), FSite.get(), &P.ModeProperties());
    FMode->SetMask(P.EditMask());
    FMode->CharCaseMemo = static_cast<std::uint8_t>(P.CharCase());
    FMode->EchoModeMemo = static_cast<std::uint8_t>(P.EchoMode());
    P.SetEmptyString(FMode->GetEmptyString());
}

bool TcxCustomMaskEdit::IsCharValid(char&, int) {
    return true;
}

void TcxCustomMaskEdit::SetEditValueFromText() {
    TcxCustomEdit::SetEditValue(Variant::String(PrepareEditValue(Text())));
}

std::string TcxCustomMaskEdit::PrepareEditValue(const std::string& DisplayText) {
    if (!IsMaskInForce()) return DisplayText;
    if (!IsContainerFocused() && FMode->GetMaskKind() == emkStandard &&
        !ActiveProperties().AlwaysShowBlanksAndLiterals())
        return DisplayText; // already the masked text
    std::string Result;
    FMode->GetMaskedText(DisplayText, true, Result);
    return Result;
}

void TcxCustomMaskEdit::RefreshMaskedText() {
    if (!IsMaskInForce()) {
        FMaskedText = Text();
        return;
    }
    FMode->GetMaskedText(Text(), true, FMaskedText);
}

// ---- properties ----

void TcxCustomMaskEdit::PropertiesChanged(TcxCustomEditProperties* Sender) {
    if (!FMode) {
        TcxCustomTextEdit::PropertiesChanged(Sender);
        return;
    }
    TcxCustomMaskEditProperties& P = ActiveProperties();
    const bool EchoChanged = static_cast<std::uint8_t>(P.EchoMode()) != FMode->EchoModeMemo;
    const int SavedStart = InnerTextEdit().SelStart();
    const int SavedLength = InnerTextEdit().SelLength();
    TcxCustomTextEdit::PropertiesChanged(Sender);
    if (!FMode) return;

    bool Refresh = false;
    if (FMode->GetMaskKind() != P.MaskKind()) {
        const bool Crossing =
            (FMode->GetMaskKind() == emkStandard) != (P.MaskKind() == emkStandard);
        // The old language's mask means nothing in the new one; a mask set together with the
        // new kind is not the old mode's and stays.
        if (Crossing && P.StoredEditMask() == FMode->Mask()) P.ClearStoredEditMask();
        CreateMode();
        if (P.IsMasked()) FMode->Reformat();
        Refresh = true;
    } else if (P.EditMask() != FMode->Mask()) {
        // The mask decides the length from now on. The mode takes the mask first, so that the
        // change this makes finds the mask in place.
        FMode->SetMask(P.EditMask());
        P.SetMaxLength(0);
        P.SetEmptyString(FMode->GetEmptyString());
        if (P.IsMasked())
            FMode->Reformat();
        else if (IsContainerFocused() && FMode->GetMaskKind() == emkStandard &&
                 InnerTextEdit().SelLength() == 1)
            SetInnerSelection(InnerTextEdit().SelStart(), 0, false);
        Refresh = true;
    }
    if (static_cast<std::uint8_t>(P.CharCase()) != FMode->CharCaseMemo) {
        if (P.CharCase() == pf::ecNormal && P.IsMasked()) FMode->Reformat();
        FMode->CharCaseMemo = static_cast<std::uint8_t>(P.CharCase());
        Refresh = true;
    }
    if (EchoChanged) {
        if (IsContainerFocused()) SetInnerSelection(SavedStart, SavedLength, false);
        FMode->EchoModeMemo = static_cast<std::uint8_t>(P.EchoMode());
    }
    const Variant V = TcxCustomEdit::GetEditValue();
    if (P.IsMasked() && !V.IsNull() && !V.IsEmpty()) FMode->UpdateEditValue();
    if (auto* RegExprMode = dynamic_cast<TcxMaskEditRegExprMode*>(FMode.get()))
        RegExprMode->RegExpr.CaseInsensitive = P.CaseInsensitive();
    if (Refresh) {
        FMode->TextChanged(Text());
        RefreshMaskedText();
    }
    RememberSelection();
}

// ---- text ----

void TcxCustomMaskEdit::SetTextAsIs(const std::string& Text) {
    const bool Saved = FUserAction;
    if (IsContainerFocused()) FUserAction = true;
    try {
        TcxCustomTextEdit::InternalSetDisplayValue(Variant::String(Text));
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
}

void TcxCustomMaskEdit::InternalSetDisplayValue(const Variant& Value) {
    if (!IsMaskInForce() || (ComponentState() & pc::csLoading)) {
        TcxCustomTextEdit::InternalSetDisplayValue(Value);
        return;
    }
    const std::string Text = Value.IsNull() || Value.IsEmpty() ? std::string() : Value.AsString();
    std::string Shown;
    if (!IsContainerFocused() && FMode->GetMaskKind() == emkStandard &&
        !ActiveProperties().AlwaysShowBlanksAndLiterals())
        Shown = cxTrimMaskBlanks(*FMode, Text);
    else
        Shown = FMode->GetFormattedText(Text, true);
    TcxCustomTextEdit::InternalSetDisplayValue(Variant::String(Shown));
    FMode->TextChanged(this->Text());
    RememberSelection();
}

void TcxCustomMaskEdit::SynchronizeDisplayValue() {
    TcxCustomTextEdit::SynchronizeDisplayValue();
    RefreshMaskedText();
    if (IsMaskInForce()) {
        FMode->TextChanged(Text());
        RememberSelection();
    }
}

void TcxCustomMaskEdit::SynchronizeEditValue() {
    RefreshMaskedText();
    if (!IsMaskInForce()) {
        TcxCustomTextEdit::SynchronizeEditValue();
        return;
    }
    const Variant Old = FEditValue;
    const std::string New = PrepareEditValue(Text());
    const bool Changed = !(Old.IsStr() && Old.AsString() == New);
    FEditValue = Variant::String(New);
    if (FUserAction)
        MarkModifiedAfterEnter(true);
    else
        SetModified(false);
    if (Changed) {
        DoEditValueChanged();
        if (FUserAction) DoChange();
    }
}

void TcxCustomMaskEdit::Loaded() {
    TcxCustomTextEdit::Loaded();
    if (!IsMaskInForce()) return;
    WithChangeEventsLocked([&] { SetEditValueFromText(); });
}

bool TcxCustomMaskEdit::IsPlainTextModifiable() {
    return !IsMaskInForce() && TcxCustomTextEdit::IsPlainTextModifiable();
}

void TcxCustomMaskEdit::UndoHook() {
    if (IsMaskInForce()) FMode->TextChanged(Text());
}

void TcxCustomMaskEdit::LockInnerEditRepainting() {
    if (!IsMaskInForce() || !InnerTextEdit().HandleAllocated()) {
        TcxCustomTextEdit::LockInnerEditRepainting();
        return;
    }
    pc::SendMessage(InnerTextEdit().Handle(), pw::WM_SETREDRAW, 0, 0);
}

void TcxCustomMaskEdit::UnlockInnerEditRepainting() {
    if (!IsMaskInForce() || !InnerTextEdit().HandleAllocated()) {
        TcxCustomTextEdit::UnlockInnerEditRepainting();
        return;
    }
    pc::SendMessage(InnerTextEdit().Handle(), pw::WM_SETREDRAW, 1, 0);
    InnerTextEdit().Invalidate();
}

std::string TcxCustomMaskEdit::GetInnerEditDisplayText() {
    if (!IsMaskInForce()) return TcxCustomTextEdit::GetInnerEditDisplayText();
    return FMaskedText;
}

bool TcxCustomMaskEdit::SetInnerEditDisplayText(const std::string& Value) {
    if (!IsMaskInForce()) return TcxCustomTextEdit::SetInnerEditDisplayText(Value);
    SetEditValueChecked(Variant::String(Value));
    FEditValue = Variant::String(FMaskedText);
    return true;
}

// ---- selection and the plain edit ----

void TcxCustomMaskEdit::RememberSelection() {
    FKnownSelStart = InnerTextEdit().SelStart();
    FKnownSelLength = InnerTextEdit().SelLength();
}

void TcxCustomMaskEdit::CheckSelection() {
    if (!IsMaskInForce()) return;
    if (InnerTextEdit().SelStart() == FKnownSelStart &&
        InnerTextEdit().SelLength() == FKnownSelLength)
        return;
    FCaretAtStart = false;
    FMode->LeaveEdit();
    RememberSelection();
}

void TcxCustomMaskEdit::InnerEditWindowMessage(pc::TMessage& Message) {
    TcxCustomTextEdit::InnerEditWindowMessage(Message);
    if (Message.Msg == pw::WM_LBUTTONUP ||
        (Message.Msg == pw::WM_MOUSEMOVE && (Message.WParam & pw::MK_LBUTTON))) {
        const bool Saved = FShiftDown;
        if (Message.Msg == pw::WM_MOUSEMOVE) FShiftDown = true;
        CheckSelection();
        FShiftDown = Saved;
    }
}

void TcxCustomMaskEdit::SetInnerSelection(int Start, int Length, bool CaretAtStart) {
    FInternalCursorChange = true;
    TcxCustomInnerTextEdit& Inner = InnerTextEdit();
    if (CaretAtStart && Length > 0 && Inner.HandleAllocated()) {
        pc::SendMessage(Inner.Handle(), pw::EM_SETSEL, static_cast<pc::WPARAM>(Start + Length),
                        static_cast<pc::LPARAM>(Start));
    } else {
        Inner.SetSelStart(Start);
        Inner.SetSelLength(Length);
        CaretAtStart = false;
    }
    FCaretAtStart = CaretAtStart;
    FInternalCursorChange = false;
}

int TcxCustomMaskEdit::CursorPosition() {
    const int Start = InnerTextEdit().SelStart();
    return FCaretAtStart ? Start : Start + InnerTextEdit().SelLength();
}

void TcxCustomMaskEdit::PlainChar(char Ch) {
    if (Ch == '\b') return PlainKey(pw::VK_BACK, false);
    const std::string Current = Text();
    const int Start = std::min(InnerTextEdit().SelStart(), TextLength());
    const int Length = std::min(InnerTextEdit().SelLength(), TextLength() - Start);
    std::string NewText = Current;
    NewText.replace(static_cast<std::size_t>(Start), static_cast<std::size_t>(Length), 1, Ch);
    SetTextAsIs(NewText);
    SetInnerSelection(Start + 1, 0, false);
}

void TcxCustomMaskEdit::PlainKey(std::uint16_t Key, bool Shift) {
    const int Length = TextLength();
    const int Start = std::min(InnerTextEdit().SelStart(), Length);
    const int SelLength = std::min(InnerTextEdit().SelLength(), Length - Start);
    const int Caret = FCaretAtStart ? Start : Start + SelLength;
    const int Anchor = FCaretAtStart ? Start + SelLength : Start;
    int NewCaret = Caret;
    switch (Key) {
    case pw::VK_BACK:
    case pw::VK_DELETE: {
        int From = Start;
        int Count = SelLength;
        if (Count == 0 && Key == pw::VK_BACK && Start > 0) {
            From = Start - 1;
            Count = 1;
        } else if (Count == 0 && Key == pw::VK_DELETE && Start < Length) {
            Count = 1;
        }
        if (Count == 0) return;
        std::string NewText = Text();
        NewText.erase(static_cast<std::size_t>(From), static_cast<std::size_t>(Count));
        SetTextAsIs(NewText);
        SetInnerSelection(From, 0, false);
        return;
    }
    case pw::VK_LEFT:
        NewCaret = !Shift && SelLength > 0 ? Start : std::max(Caret - 1, 0);
        break;
    case pw::VK_RIGHT:
        NewCaret = !Shift && SelLength > 0 ? Start + SelLength : std::min(Caret + 1, Length);
        break;
    case pw::VK_HOME:
        NewCaret = 0;
        break;
    case pw::VK_END:
        NewCaret = Length;
        break;
    default:
        return;
    }
    if (!Shift)
        SetInnerSelection(NewCaret, 0, false);
    else
        SetInnerSelection(std::min(Anchor, NewCaret), std::abs(NewCaret - Anchor),
                          NewCaret < Anchor);
}

// ---- keys ----

void TcxCustomMaskEdit::DoEditKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    if (!IsMaskInForce() || FKeySimulating) {
        TcxCustomTextEdit::DoEditKeyDown(Key, Shift);
        return;
    }
    TcxCustomEdit::DoEditKeyDown(Key, Shift); // the clear and click keys, Enter, Escape, Tab
    if (Key == 0 || Key == pw::VK_TAB) return;
    CheckSelection();
    const bool Modifies = Key == pw::VK_DELETE || (Key == pw::VK_INSERT && (Shift & pf::ssShift));
    if (Modifies && (!CanModify() || !DoEditing())) {
        DoAfterKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    FShiftDown = (Shift & pf::ssShift) != 0;
    const bool SavedUserAction = FUserAction;
    FUserAction = true;
    bool Plain = true;
    bool Handled = true;
    try {
        switch (Key) {
        case pw::VK_UP:
        case pw::VK_DOWN:
            if (!HasPopupWindowEx()) {
                DoAfterKeyDown(Key, Shift);
                Key = 0;
            }
            Handled = false;
            break;
        case pw::VK_LEFT:
        case pw::VK_RIGHT: {
            const bool Left = Key == pw::VK_LEFT;
            if (Shift & pf::ssCtrl) {
                // A word jump is a jump to the end the mode knows: the edit goes there itself
                // first, then the mode hears of it as a Home or an End.
                FSite->SendKey(Left ? pw::VK_HOME : pw::VK_END);
                RememberSelection();
                Plain = Left ? FMode->PressHome() : FMode->PressEnd();
                if (Plain) Key = Left ? pw::VK_HOME : pw::VK_END;
            } else {
                Plain = Left ? FMode->PressLeft() : FMode->PressRight();
            }
            if (!Plain && (Left ? FMode->IsCursorBegin() : FMode->IsCursorEnd()))
                DoAfterKeyDown(Key, Shift);
            break;
        }
        case pw::VK_HOME:
            Plain = FMode->PressHome();
            break;
        case pw::VK_END:
            Plain = FMode->PressEnd();
            break;
        case pw::VK_DELETE:
            if ((Shift & pf::ssShift) && InnerTextEdit().SelLength() > 0) {
                Handled = false; // a cut
                break;
            }
            Plain = (Shift & pf::ssShift) ? FMode->PressBackSpace() : FMode->PressDelete();
            if (Plain && (Shift & pf::ssShift)) Key = pw::VK_BACK;
            break;
        default:
            Handled = false;
            break;
        }
        if (Handled) {
            if (Plain) PlainKey(Key, FShiftDown);
            Key = 0;
        }
    } catch (...) {
        FUserAction = SavedUserAction;
        RememberSelection();
        throw;
    }
    FUserAction = SavedUserAction;
    RememberSelection();
}

void TcxCustomMaskEdit::DoEditKeyPress(char& Key) {
    if (!IsMaskInForce() || FKeySimulating) {
        TcxCustomTextEdit::DoEditKeyPress(Key);
        return;
    }
    if (Key == '\t' || Key == 27) {
        Key = 0;
        return;
    }
    if (!CanKeyPressModifyEdit(Key)) return;
    if (Key == '\r' || Key == 3 || Key == 0x16 || Key == 0x18) return;
    const auto C = static_cast<unsigned char>(Key);
    if (Key != '\b' && C < 32) return;
    if (!CanModify() || !DoEditing()) {
        Key = 0;
        return;
    }
    CheckSelection();
    const pf::TEditCharCase Case = ActiveProperties().CharCase();
    if (Case == pf::ecUpperCase) Key = static_cast<char>(std::toupper(C));
    if (Case == pf::ecLowerCase) Key = static_cast<char>(std::tolower(C));
    const bool SavedUserAction = FUserAction;
    FUserAction = true;
    try {
        const bool Plain = Key == '\b' ? FMode->PressBackSpace() : FMode->PressSymbol(Key);
        if (Plain && Key != 0) PlainChar(Key);
    } catch (...) {
        FUserAction = SavedUserAction;
        RememberSelection();
        throw;
    }
    FUserAction = SavedUserAction;
    RememberSelection();
    Key = 0;
}

// ---- clipboard ----

void TcxCustomMaskEdit::CutToClipboard() {
    if (!IsMaskInForce()) {
        TcxCustomTextEdit::CutToClipboard();
        return;
    }
    if (!DoEditing()) return;
    CheckSelection();
    // A cut of nothing copies nothing and deletes nothing: the Backspace that carries out the
    // mode's deletion would take the character before the caret.
    if (InnerTextEdit().SelLength() == 0) return;
    CopyToClipboard();
    const bool SavedUserAction = FUserAction;
    FUserAction = true;
    try {
        FShiftDown = false;
        if (FMode->PressDelete()) PlainKey(pw::VK_BACK, false);
    } catch (...) {
        FUserAction = SavedUserAction;
        throw;
    }
    FUserAction = SavedUserAction;
    RememberSelection();
}

void TcxCustomMaskEdit::PasteFromClipboard() {
    if (!IsMaskInForce()) {
        TcxCustomTextEdit::PasteFromClipboard();
        return;
    }
    std::string Pasted = pf::Clipboard().AsText();
    std::erase_if(Pasted, [](char C) { return C == '\r' || C == '\n'; });
    if (Pasted.empty()) return;
    ReplaceSelectedText(Pasted);
}

void TcxCustomMaskEdit::ReplaceSelectedText(const std::string& S) {
    if (!IsMaskInForce()) {
        TcxCustomTextEdit::ReplaceSelectedText(S);
        return;
    }
    if (IsContainerFocused() && !DoEditing()) return;
    CheckSelection();
    const bool SavedUserAction = FUserAction;
    if (IsContainerFocused()) FUserAction = true;
    try {
        FMode->PendingInsert = static_cast<int>(S.size());
        FMode->BeforePaste();
        std::string NewText = Text();
        const int Start = std::min(InnerTextEdit().SelStart(), TextLength());
        const int Length = std::min(InnerTextEdit().SelLength(), TextLength() - Start);
        NewText.replace(static_cast<std::size_t>(Start), static_cast<std::size_t>(Length), S);
        SetTextAsIs(FMode->GetFormattedText(NewText, true));
        SetInnerSelection(std::min(Start, TextLength()), 0, false);
        FMode->TextChanged(Text());
        SetInnerSelection(std::min(Start + static_cast<int>(S.size()), TextLength()), 0, false);
        FMode->AfterPaste();
    } catch (...) {
        FUserAction = SavedUserAction;
        RememberSelection();
        throw;
    }
    FUserAction = SavedUserAction;
    RememberSelection();
}

// ---- focus and mouse ----

void TcxCustomMaskEdit::DoEnter() {
    if (IsMaskInForce() && ActiveProperties().AutoSelect()) FMode->FeedTail();
    TcxCustomTextEdit::DoEnter();
}

void TcxCustomMaskEdit::DblClick() {
    if (IsMaskInForce()) FMode->FeedTail();
    TcxCustomTextEdit::DblClick();
}

// ---- TcxMaskEdit ----

const pc::TComponentClass& TcxMaskEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxMaskEdit", &TcxCustomMaskEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxMaskEdit>(AOwner); });
    return Class;
}

TcxMaskEdit::TcxMaskEdit(pc::TComponent* AOwner, bool AIsInplace)
    : TcxCustomMaskEdit(AOwner, AIsInplace, &TcxMaskEditProperties::ClassRef()) {}

TcxMaskEditProperties& TcxMaskEdit::Properties() const {
    return static_cast<TcxMaskEditProperties&>(TcxCustomMaskEdit::Properties());
}

} // namespace toolkit::edit
