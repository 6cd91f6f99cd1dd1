#include "toolkit/edit/cx_mask_edit_modes.h"

#include "platform/forms/clipbrd.h"
#include "platform/win/messages.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;

IcxMaskEditProperties& TcxMaskEditCustomMode::GetProperties() const {
    return Edit ? Edit->ActiveProperties() : *Properties;
}

void TcxMaskEditCustomMode::BeepOnError() const {
    if (GetProperties().BeepOnError()) pf::MessageBeep(0);
}

void TcxMaskEditCustomMode::SetDisplayText(const std::string& Text) {
    const bool Was = FSettingText;
    FSettingText = true;
    Edit->ApplyDisplayValue(Text);
    FSettingText = Was;
}

void TcxMaskEditCustomMode::ReformatDisplayValue() {
    std::string Text;
    if (Edit->ModifiedAfterEnter()) {
        Text = GetFormattedText(Edit->GetDisplayText(), true);
    } else {
        pc::Variant DisplayValue;
        GetProperties().PrepareDisplayValue(Edit->GetEditValue(), DisplayValue, Edit->Focused());
        Text = DisplayValue.AsString();
    }
    SetDisplayText(Text);
}

std::unique_ptr<TcxMaskEditCustomMode> cxCreateMaskEditMode(TcxEditMaskKind Kind, IcxMaskEdit* Edit,
                                                            IcxMaskEditProperties* Properties) {
    switch (Kind) {
    case emkStandard:
        return std::make_unique<TcxMaskEditStandardMode>(Edit, Properties);
    case emkRegExpr:
        return std::make_unique<TcxMaskEditRegExprMode>(Edit, Properties);
    default:
        return std::make_unique<TcxMaskEditRegExprExMode>(Edit, Properties);
    }
}

// The standard mode. Its cursor is a block: one character selected at the position typed over.

bool TcxMaskEditStandardMode::IsLiteral(int Position) const {
    return Position >= 0 && Position < StandardMask.Count() &&
           dynamic_cast<const TcxStandardMaskLiteralItem*>(&StandardMask.Items(Position));
}

void TcxMaskEditStandardMode::SetMask(const std::string& Text) {
    FMask = Text;
    if (!GetProperties().EditMask().empty()) StandardMask.Compile(Text);
    NeedsUpdate = !HasRealEdit();
}

std::string TcxMaskEditStandardMode::GetFormattedText(const std::string& Text,
                                                      bool TextHasLiterals) {
    std::string Result = Text;
    StandardMask.Format(Result, true, TextHasLiterals);
    return Result;
}

void TcxMaskEditStandardMode::GetMaskedText(const std::string& Text, bool TextHasLiterals,
                                            std::string& Result) {
    Result = Text;
    if (StandardMask.Count() == 0) return;
    StandardMask.Format(Result, GetProperties().CharCase() == pf::ecNormal, TextHasLiterals);
    StandardMask.TextToValue(Result);
}

bool TcxMaskEditStandardMode::IsFullValidText(const std::string& Text) {
    std::string Checked = Text;
    if (StandardMask.IsFullValid(Checked)) return true;
    return GetProperties().IgnoreMaskBlank() && Text == GetFormattedText(Text, true);
}

bool TcxMaskEditStandardMode::IsCursorBegin() const {
    int Leading = 0;
    while (IsLiteral(Leading))
        ++Leading;
    return Edit->SelStart() <= Leading &&
           (Edit->SelLength() <= 1 || Edit->CursorPosition() == Edit->SelStart());
}

bool TcxMaskEditStandardMode::IsCursorEnd() const {
    return Edit->SelStart() == TextLength();
}

void TcxMaskEditStandardMode::LeaveEdit() {
    if (Edit && Edit->Focused() && IsMaskInForce() && Edit->SelLength() == 0 &&
        Edit->SelStart() < TextLength())
        Edit->SetSelLength(1);
}

void TcxMaskEditStandardMode::BeforePaste() {
    PasteStart = Edit->SelStart();
    Edit->SetSelStart(PasteStart);
    Edit->SetSelLength(std::min(PendingInsert, std::max(0, TextLength() - PasteStart)));
}

void TcxMaskEditStandardMode::AfterPaste() {
    int Cursor = PasteStart + PendingInsert;
    if (Cursor >= TextLength()) Cursor = TextLength() - 1;
    Cursor = std::max(Cursor, 0);
    Edit->SetSelStart(Cursor);
    if (IsLiteral(Cursor))
        PressRight();
    else
        LeaveEdit();
}

bool TcxMaskEditStandardMode::PressBackSpace() {
    if (Edit->SelLength() < 2) PressLeft();
    PressDelete();
    return false;
}

bool TcxMaskEditStandardMode::PressDelete() {
    const int Start = Edit->SelStart();
    const int Length = Edit->SelLength();
    if (Length == 0) return false;
    std::string Text = DisplayText();
    for (int I = Start; I < Start + Length && I < static_cast<int>(Text.size()); ++I)
        if (I < StandardMask.Count() && !IsLiteral(I)) Text[I] = GetBlankChar();
    SetDisplayText(Text);
    Edit->SetSelStart(Start);
    Edit->SetSelLength(Length);
    return false;
}

bool TcxMaskEditStandardMode::PressHome() {
    if (Edit->ShiftDown()) return true;
    Edit->SetSelStart(0);
    if (IsLiteral(0))
        PressRight();
    else
        LeaveEdit();
    return false;
}

bool TcxMaskEditStandardMode::PressEnd() {
    if (Edit->ShiftDown()) return true;
    Edit->SetSelStart(TextLength());
    return false;
}

bool TcxMaskEditStandardMode::PressLeft() {
    const int Start = Edit->SelStart();
    const int Length = Edit->SelLength();
    if (Edit->ShiftDown()) {
        // The block becomes a selection of its character; the key itself takes one more.
        if (Length == 1) {
            Edit->SetSelStart(Start + 1);
            Edit->SendKey(platform::win::VK_LEFT);
        }
        return true;
    }
    int Cursor = Start;
    if (Length < 2) {
        Cursor = Start - 1;
        while (Cursor >= 0 && IsLiteral(Cursor))
            --Cursor;
        if (Cursor < 0) Cursor = IsLiteral(0) ? Start : 0;
    } else {
        while (Cursor < Start + Length - 1 && IsLiteral(Cursor))
            ++Cursor;
    }
    Edit->SetSelStart(Cursor);
    LeaveEdit();
    return false;
}

bool TcxMaskEditStandardMode::PressRight() {
    const int Start = Edit->SelStart();
    const int Length = Edit->SelLength();
    if (Edit->ShiftDown()) {
        if (Length == 1 && Edit->CursorPosition() == Start) Edit->SetSelStart(Start);
        return true;
    }
    int Cursor;
    if (Length < 2) {
        Cursor = std::min(Start + 1, TextLength());
        while (Cursor < TextLength() && IsLiteral(Cursor))
            ++Cursor;
    } else {
        Cursor = Start + Length;
        while (Cursor > Start && IsLiteral(Cursor - 1))
            --Cursor;
    }
    Edit->SetSelStart(Cursor);
    LeaveEdit();
    return false;
}

bool TcxMaskEditStandardMode::PressSymbol(char& Key) {
    const int Position = Edit->SelStart();
    if (TextLength() <= Position || Position >= StandardMask.Count()) return false;
    if (IsLiteral(Position)) {
        Edit->SetShiftDown(false);
        if (Edit->SelLength() > 1) PressDelete();
        PressRight();
        if (Edit->SelStart() != Position) PressSymbol(Key);
        return false;
    }
    char Checked = Key;
    if (!StandardMask.Items(Position).Check(Checked)) return false;
    if (!Edit->IsCharValid(Checked, Position + 1)) return false;
    if (Checked == 0) {
        BeepOnError();
        return false;
    }
    if (Edit->SelLength() > 1) PressDelete();
    std::string Text = DisplayText();
    Text[Position] = Checked;
    SetDisplayText(Text);
    Edit->SetSelStart(Position);
    Edit->SetShiftDown(false);
    PressRight();
    return false;
}

void TcxMaskEditStandardMode::Reformat() {
    if (!HasRealEdit()) return;
    ReformatDisplayValue();
    LeaveEdit();
}

void TcxMaskEditStandardMode::UpdateEditValue() {
    if (NeedsUpdate && Edit) Edit->SetEditValue(pc::Variant::String(GetEmptyString()));
    NeedsUpdate = false;
}

} // namespace toolkit::edit
