#include "toolkit/edit/cx_mask_edit_modes.h"

#include "platform/win/messages.h"

#include <algorithm>
#include <sstream>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pw = platform::win;

namespace {

constexpr std::uint16_t KeyDelete = pw::VK_DELETE;
constexpr std::uint16_t KeyBack = pw::VK_BACK;

bool CompileInto(TcxRegExpr& RegExpr, const std::string& Mask) {
    std::istringstream Stream(Mask);
    try {
        RegExpr.Compile(&Stream);
    } catch (const pc::Exception&) {
        return false;
    }
    return true;
}

// Simulated keys take the plain edit's handling, whatever Shift the user holds.
class ShiftReleased {
public:
    explicit ShiftReleased(IcxMaskEdit& Edit) : FEdit(Edit), FWas(Edit.ShiftDown()) {
        Edit.SetShiftDown(false);
    }
    ~ShiftReleased() { FEdit.SetShiftDown(FWas); }

private:
    IcxMaskEdit& FEdit;
    bool FWas;
};

} // namespace

// The regular-expression mode.

TcxMaskEditRegExprMode::TcxMaskEditRegExprMode(IcxMaskEdit* AEdit,
                                               IcxMaskEditProperties* AProperties)
    : TcxMaskEditCustomMode(AEdit, AProperties) {
    RegExpr.CaseInsensitive = GetProperties().CaseInsensitive();
}

void TcxMaskEditRegExprMode::SetMask(const std::string& Text) {
    FMask = Text;
    RegExpr.CaseInsensitive = GetProperties().CaseInsensitive();
    if (Text.empty()) return;
    std::istringstream Stream(Text);
    RegExpr.Compile(&Stream);
}

void TcxMaskEditRegExprMode::FeedToHead(const std::string& Text) {
    for (char Ch : Text) {
        char Checked = Ch;
        RegExpr.Next(Checked);
        FHead += Ch;
    }
}

void TcxMaskEditRegExprMode::StepBack(int Count) {
    for (int I = 0; I < Count; ++I)
        RegExpr.Prev();
}

std::string TcxMaskEditRegExprMode::GetFormattedText(const std::string& Text, bool) {
    if (!RegExpr.Compiled()) return {};
    RegExpr.Reset();
    std::string Result = RegExpr.NextEx(Text);
    // The automaton stands for Head again.
    RegExpr.Reset();
    RegExpr.NextEx(FHead);
    return Result;
}

bool TcxMaskEditRegExprMode::IsFullValidText(const std::string& Text) {
    if (Text.empty()) return true;
    TcxRegExpr Checker;
    Checker.CaseInsensitive = GetProperties().CaseInsensitive();
    if (!CompileInto(Checker, FMask)) return false;
    for (char Ch : Text)
        if (!Checker.Next(Ch)) return false;
    return GetProperties().IgnoreMaskBlank() || Checker.IsFinal();
}

bool TcxMaskEditRegExprMode::IsCursorBegin() const {
    return Edit->SelStart() == 0;
}

bool TcxMaskEditRegExprMode::IsCursorEnd() const {
    return Edit->SelStart() == TextLength();
}

void TcxMaskEditRegExprMode::FeedTail() {
    FeedToHead(FTail);
    FTail.clear();
}

// Head ends where the selection starts. Besides the cases the mode knows of (nothing held
// yet, a change from outside), any drift between Head + Tail and the edit's text makes it
// start over.
void TcxMaskEditRegExprMode::Sync() {
    const std::string Text = DisplayText();
    const int Cursor = std::min(Edit->SelStart(), static_cast<int>(Text.size()));
    const bool InStep = FHead + FTail == Text && HeadLength() == Cursor;
    if (!NeedsSync && InStep && !(FHead.empty() && FTail.empty() && !Text.empty())) return;
    NeedsSync = false;
    RegExpr.Reset();
    FHead.clear();
    FTail = Text;
    FeedToHead(FTail.substr(0, Cursor));
    FTail.erase(0, Cursor);
}

bool TcxMaskEditRegExprMode::TailFits() {
    int Accepted = 0;
    bool Result = true;
    for (char Ch : FTail) {
        if (!RegExpr.Next(Ch)) {
            Result = false;
            break;
        }
        ++Accepted;
    }
    StepBack(Accepted);
    return Result;
}

void TcxMaskEditRegExprMode::DropTail() {
    std::string Text = DisplayText();
    const int Cursor = std::min(Edit->CursorPosition(), static_cast<int>(Text.size()));
    Text.erase(Cursor, FTail.size());
    SetDisplayText(Text);
    Edit->SetSelStart(static_cast<int>(Text.size()));
    FTail.clear();
}

void TcxMaskEditRegExprMode::DeleteSelection() {
    const int Start = Edit->SelStart();
    const int Length = Edit->SelLength();
    if (Start == HeadLength()) {
        CutSelection = FTail.substr(0, Length);
        FTail.erase(0, Length);
        SelectionInTail = true;
    } else if (Start + Length == HeadLength()) {
        CutSelection = FHead.substr(Start);
        FHead.erase(Start);
        StepBack(Length);
        SelectionInTail = false;
    }
}

void TcxMaskEditRegExprMode::RestoreSelection() {
    if (SelectionInTail)
        FTail.insert(0, CutSelection);
    else
        FeedToHead(CutSelection);
    CutSelection.clear();
}

bool TcxMaskEditRegExprMode::PressSymbol(char& Key) {
    Sync();
    const bool Cut = HasSelection();
    if (Cut) DeleteSelection();
    bool Result;
    char Checked = Key;
    if (RegExpr.Next(Checked)) {
        Key = Checked;
        FHead += Key;
        Result = true;
        if (!TailFits()) {
            if (Cut) {
                ShiftReleased Released(*Edit);
                Edit->SendKey(KeyDelete);
                Edit->SendChar(Key);
                Result = false;
            }
            DropTail();
        }
    } else {
        if (Cut) RestoreSelection();
        BeepOnError();
        Result = false;
    }
    CutSelection.clear();
    return Result;
}

bool TcxMaskEditRegExprMode::PressBackSpace() {
    Sync();
    if (HasSelection()) {
        DeleteSelection();
        CutSelection.clear();
        if (TailFits()) return true;
        {
            ShiftReleased Released(*Edit);
            Edit->SendKey(KeyBack);
        }
        DropTail();
        BeepOnError();
        return false;
    }
    if (FHead.empty()) return true;
    RegExpr.Prev();
    // Whether the tail fits or not, the key takes Head's last character.
    const bool Fits = TailFits();
    if (!Fits) DropTail();
    FHead.pop_back();
    return true;
}

bool TcxMaskEditRegExprMode::PressDelete() {
    Sync();
    if (HasSelection()) {
        DeleteSelection();
        CutSelection.clear();
        if (TailFits()) return true;
        {
            ShiftReleased Released(*Edit);
            Edit->SendKey(KeyDelete);
        }
        DropTail();
        BeepOnError();
        return false;
    }
    if (FTail.empty()) return true;
    FTail.erase(0, 1);
    if (!TailFits()) {
        DropTail();
        Edit->SetSelStart(TextLength() - 1);
    }
    return true;
}

// Where the selection starts once the edit's ordinary handling of a cursor key has run.
namespace {

int SelStartAfter(const IcxMaskEdit& Edit, int Key, int TextLength) {
    const int Start = Edit.SelStart();
    const int Length = Edit.SelLength();
    const int Caret = Edit.CursorPosition();
    const int Anchor = Length > 0 && Caret == Start ? Start + Length : Start;
    int NewCaret = Caret;
    switch (Key) {
    case pw::VK_LEFT:
        if (!Edit.ShiftDown()) return Length > 0 ? Start : std::max(Start - 1, 0);
        NewCaret = std::max(Caret - 1, 0);
        break;
    case pw::VK_RIGHT:
        if (!Edit.ShiftDown()) return Length > 0 ? Start + Length : std::min(Start + 1, TextLength);
        NewCaret = std::min(Caret + 1, TextLength);
        break;
    case pw::VK_HOME:
        return 0;
    default:
        if (!Edit.ShiftDown()) return TextLength;
        NewCaret = TextLength;
    }
    return std::min(Anchor, NewCaret);
}

} // namespace

void TcxMaskEditRegExprMode::MoveHeadTo(int Position) {
    while (HeadLength() > Position) {
        RegExpr.Prev();
        FTail.insert(FTail.begin(), FHead.back());
        FHead.pop_back();
    }
    if (HeadLength() < Position) {
        const int Count = std::min(Position - HeadLength(), static_cast<int>(FTail.size()));
        const std::string Moved = FTail.substr(0, Count);
        FTail.erase(0, Count);
        FeedToHead(Moved);
    }
}

bool TcxMaskEditRegExprMode::PressLeft() {
    Sync();
    MoveHeadTo(SelStartAfter(*Edit, pw::VK_LEFT, TextLength()));
    return true;
}

bool TcxMaskEditRegExprMode::PressRight() {
    Sync();
    MoveHeadTo(SelStartAfter(*Edit, pw::VK_RIGHT, TextLength()));
    return true;
}

bool TcxMaskEditRegExprMode::PressEnd() {
    Sync();
    MoveHeadTo(SelStartAfter(*Edit, pw::VK_END, TextLength()));
    return true;
}

bool TcxMaskEditRegExprMode::PressHome() {
    Sync();
    FTail = FHead + FTail;
    FHead.clear();
    RegExpr.Reset();
    return true;
}

void TcxMaskEditRegExprMode::TextChanged(const std::string& Text) {
    if (FSettingText || !RegExpr.Compiled()) return;
    RegExpr.Reset();
    FHead.clear();
    if (PendingInsert >= 1 && !Text.empty()) {
        const int Count =
            std::min(static_cast<int>(Text.size()), (Edit ? Edit->SelStart() : 0) + PendingInsert);
        FeedToHead(Text.substr(0, Count));
        FTail = Text.substr(Count);
        PendingInsert = 0;
    } else {
        FTail = Text;
    }
}

void TcxMaskEditRegExprMode::AfterPaste() {
    if (Edit && RegExpr.Compiled()) Sync();
}

void TcxMaskEditRegExprMode::Reformat() {
    if (!HasRealEdit() || !RegExpr.Compiled()) return;
    ReformatDisplayValue();
    Edit->SetSelStart(TextLength());
    FTail.clear();
    FHead.clear();
    RegExpr.Reset();
    FeedToHead(DisplayText());
}

// The extended mode. Its automaton completes nothing by itself between operations: the mode
// asks for the forced characters where it types them, so that the automaton always stands for
// Head.

TcxMaskEditRegExprExMode::TcxMaskEditRegExprExMode(IcxMaskEdit* AEdit,
                                                   IcxMaskEditProperties* AProperties)
    : TcxMaskEditRegExprMode(AEdit, AProperties) {
    RegExpr.OnStepBack = [this] { ++StepBackCount; };
    RegExpr.OnAddChar = [this](char Ch) { AutoText += Ch; };
}

void TcxMaskEditRegExprExMode::SetMask(const std::string& Text) {
    AutoText.clear();
    TcxMaskEditRegExprMode::SetMask(Text);
    NeedsUpdate = !HasRealEdit();
}

void TcxMaskEditRegExprExMode::CompleteHere() {
    if (RegExpr.IsFinal()) return;
    RegExpr.SetAutoCompletion(true);
    RegExpr.SetAutoCompletion(false);
}

bool TcxMaskEditRegExprExMode::NextCompleting(char& Ch) {
    AutoText.clear();
    if (!RegExpr.Next(Ch)) return false;
    CompleteHere();
    return true;
}

int TcxMaskEditRegExprExMode::StepBackOverForced(bool& OnlyForced) {
    int Count = 0;
    OnlyForced = true;
    char Literal;
    while (Count < HeadLength()) {
        RegExpr.Prev();
        ++Count;
        if (RegExpr.IsFinal() || !RegExpr.Automat()->GetNextStates().GetLiteral(Literal)) {
            OnlyForced = false;
            break;
        }
    }
    StepBackCount = Count - 1;
    return Count;
}

std::string TcxMaskEditRegExprExMode::ForcedPrefix() {
    TcxRegExpr Fresh;
    Fresh.CaseInsensitive = GetProperties().CaseInsensitive();
    if (FMask.empty() || !CompileInto(Fresh, FMask)) return {};
    std::string Prefix;
    Fresh.OnAddChar = [&Prefix](char Ch) { Prefix += Ch; };
    Fresh.SetAutoCompletion(true);
    return Prefix;
}

std::string TcxMaskEditRegExprExMode::GetEmptyString() {
    return ForcedPrefix();
}

std::string TcxMaskEditRegExprExMode::GetFormattedText(const std::string& Text, bool) {
    if (!RegExpr.Compiled()) return {};
    RegExpr.Reset();
    std::string Result = RegExpr.NextEx(Text);
    AutoText.clear();
    CompleteHere();
    Result += AutoText;
    AutoText.clear();
    RegExpr.Reset();
    RegExpr.NextEx(FHead);
    return Result;
}

bool TcxMaskEditRegExprExMode::IsFullValidText(const std::string& Text) {
    TcxRegExpr Checker;
    Checker.CaseInsensitive = GetProperties().CaseInsensitive();
    if (!CompileInto(Checker, FMask)) return false;
    if (Text == ForcedPrefix()) return true;
    for (char Ch : Text)
        if (!Checker.Next(Ch)) return false;
    return GetProperties().IgnoreMaskBlank() || Checker.IsFinal();
}

void TcxMaskEditRegExprExMode::BeginKey() {
    Sync();
    AutoText.clear();
    StepBackCount = 0;
}

void TcxMaskEditRegExprExMode::MergeOrDropTail() {
    if (FTail.empty()) return;
    if (!TailFits()) {
        DropTail();
        return;
    }
    // The tail's end may now be owed forced characters: they are typed after it.
    int Fed = 0;
    for (char Ch : FTail) {
        RegExpr.Next(Ch);
        ++Fed;
    }
    AutoText.clear();
    CompleteHere();
    if (!AutoText.empty()) {
        ShiftReleased Released(*Edit);
        Edit->SetSelStart(TextLength());
        for (char Ch : AutoText) {
            FTail += Ch;
            Edit->SendChar(Ch);
        }
    }
    StepBack(Fed + static_cast<int>(AutoText.size()));
    AutoText.clear();
    Edit->SetSelStart(HeadLength());
}

bool TcxMaskEditRegExprExMode::PressSymbol(char& Key) {
    BeginKey();
    const bool Cut = HasSelection();
    if (Cut) DeleteSelection();
    if (Cut && FHead.empty() && KeepForcedPrefix()) return PressSymbol(Key);
    char Checked = Key;
    if (NextCompleting(Checked)) {
        Key = Checked;
        const std::string Typed = std::string(1, Key) + AutoText;
        FHead += Typed;
        {
            ShiftReleased Released(*Edit);
            for (char Ch : Typed)
                Edit->SendChar(Ch);
            // What auto-completion typed may stand at the tail's front already.
            const std::string Forced = Typed.substr(1);
            if (!Forced.empty() && FTail.compare(0, Forced.size(), Forced) == 0) {
                FTail.erase(0, Forced.size());
                for (std::size_t I = 0; I < Forced.size(); ++I)
                    Edit->SendKey(KeyDelete);
            }
        }
        AutoText.clear();
        MergeOrDropTail();
    } else {
        if (Cut) RestoreSelection();
        BeepOnError();
    }
    CutSelection.clear();
    return false;
}

bool TcxMaskEditRegExprExMode::KeepForcedPrefix() {
    const std::string Prefix = ForcedPrefix();
    const std::string Text = CutSelection + FTail;
    if (Prefix.empty() || Text.compare(0, Prefix.size(), Prefix) != 0) return false;
    const int Selected = static_cast<int>(CutSelection.size());
    const int PrefixLength = static_cast<int>(Prefix.size());
    RegExpr.Reset();
    FHead.clear();
    FeedToHead(Prefix);
    FTail = Text.substr(Prefix.size());
    CutSelection.clear();
    Edit->SetSelStart(PrefixLength);
    Edit->SetSelLength(std::max(Selected - PrefixLength, 0));
    return true;
}

bool TcxMaskEditRegExprExMode::DeleteSelected(std::uint16_t Key) {
    DeleteSelection();
    CutSelection.clear();
    {
        ShiftReleased Released(*Edit);
        Edit->SendKey(Key);
    }
    MergeOrDropTail();
    return false;
}

bool TcxMaskEditRegExprExMode::PressBackSpace() {
    BeginKey();
    if (HasSelection()) return DeleteSelected(KeyBack);
    if (FHead.empty()) return false;
    bool OnlyForced;
    const int Count = StepBackOverForced(OnlyForced);
    if (OnlyForced) {
        // Only the forced start is left: it stays.
        RegExpr.NextEx(FHead);
        BeepOnError();
        return false;
    }
    FHead.erase(FHead.size() - Count);
    {
        ShiftReleased Released(*Edit);
        for (int I = 0; I < Count; ++I)
            Edit->SendKey(KeyBack);
    }
    MergeOrDropTail();
    return false;
}

bool TcxMaskEditRegExprExMode::PressDelete() {
    BeginKey();
    if (HasSelection()) return DeleteSelected(KeyDelete);
    if (FTail.empty()) return false;
    if (FHead.empty() && !ForcedPrefix().empty()) {
        BeepOnError();
        return false;
    }
    char First = FTail[0];
    int Pushed = 0;
    if (NextCompleting(First)) Pushed = 1 + static_cast<int>(AutoText.size());
    // The character and the forced ones after it go together.
    int Count = 1;
    while (Count < static_cast<int>(FTail.size()) &&
           Count - 1 < static_cast<int>(AutoText.size()) && FTail[Count] == AutoText[Count - 1])
        ++Count;
    StepBack(Pushed);
    AutoText.clear();
    FTail.erase(0, Count);
    {
        ShiftReleased Released(*Edit);
        for (int I = 0; I < Count; ++I)
            Edit->SendKey(KeyDelete);
    }
    MergeOrDropTail();
    return false;
}

bool TcxMaskEditRegExprExMode::PressLeft() {
    BeginKey();
    if (Edit->ShiftDown() || HasSelection() || FHead.empty())
        return TcxMaskEditRegExprMode::PressLeft();
    // A step left also takes the forced characters before the cursor.
    bool OnlyForced;
    int Count = StepBackOverForced(OnlyForced);
    for (int I = 0; I < Count; ++I) {
        FTail.insert(FTail.begin(), FHead.back());
        FHead.pop_back();
    }
    ShiftReleased Released(*Edit);
    for (int I = 1; I < Count; ++I)
        Edit->SendKey(pw::VK_LEFT);
    return true;
}

bool TcxMaskEditRegExprExMode::PressRight() {
    BeginKey();
    if (Edit->ShiftDown() || HasSelection() || FTail.empty())
        return TcxMaskEditRegExprMode::PressRight();
    char First = FTail[0];
    const bool Accepted = NextCompleting(First);
    FHead += FTail[0];
    FTail.erase(0, 1);
    if (!Accepted) return true;
    // The characters auto-completion typed after it follow.
    std::size_t Count = 0;
    while (Count < AutoText.size() && Count < FTail.size() && FTail[Count] == AutoText[Count])
        ++Count;
    StepBack(static_cast<int>(AutoText.size() - Count));
    FHead += FTail.substr(0, Count);
    FTail.erase(0, Count);
    AutoText.clear();
    ShiftReleased Released(*Edit);
    for (std::size_t I = 0; I < Count; ++I)
        Edit->SendKey(pw::VK_RIGHT);
    return true;
}

bool TcxMaskEditRegExprExMode::PressHome() {
    BeginKey();
    return TcxMaskEditRegExprMode::PressHome();
}

bool TcxMaskEditRegExprExMode::PressEnd() {
    BeginKey();
    return TcxMaskEditRegExprMode::PressEnd();
}

void TcxMaskEditRegExprExMode::TextChanged(const std::string& Text) {
    if (FSettingText || !RegExpr.Compiled()) return;
    RegExpr.Reset();
    RegExpr.NextEx(Text);
    AutoText.clear();
    CompleteHere();
    FHead = Text + AutoText;
    FTail.clear();
    AutoText.clear();
    if (HasRealEdit()) {
        NeedsSync = true;
        Sync();
    }
}

void TcxMaskEditRegExprExMode::AfterPaste() {
    if (PendingCursor != -1) {
        Edit->SetSelStart(PendingCursor);
        PendingCursor = -1;
    }
    TcxMaskEditRegExprMode::AfterPaste();
}

void TcxMaskEditRegExprExMode::UpdateEditValue() {
    if (NeedsUpdate && Edit) Edit->SetEditValue(pc::Variant::String(ForcedPrefix()));
    NeedsUpdate = false;
}

} // namespace toolkit::edit
