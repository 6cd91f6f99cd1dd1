// The text editor's keys: item navigation through the lookup data and the incremental search
// with auto-completion.

#include "toolkit/edit/cx_text_edit.h"

#include "platform/forms/shortcuts.h"
#include "platform/win/messages.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;
namespace pg = platform::gdi;

namespace {

bool IsLookupNavigationKey(pf::WORD Key) {
    return Key == pw::VK_PRIOR || Key == pw::VK_NEXT || Key == pw::VK_UP || Key == pw::VK_DOWN;
}

} // namespace

bool TcxCustomTextEdit::CanKeyDownModifyEdit(pf::WORD Key, pf::TShiftState Shift) {
    if (Key == pw::VK_DELETE || (Key == pw::VK_INSERT && (Shift & pf::ssShift))) return true;
    if (!ActiveProperties().UseLookupData() || ILookupData().IsEmpty() ||
        !IsLookupNavigationAllowed())
        return false;
    if (Key == pw::VK_PRIOR || Key == pw::VK_NEXT) return !HasPopupWindowEx();
    if (Key == pw::VK_UP || Key == pw::VK_DOWN) return !(Shift & pf::ssAlt) && !HasPopupWindowEx();
    return false;
}

bool TcxCustomTextEdit::CanKeyPressModifyEdit(char Key) {
    const auto C = static_cast<unsigned char>(Key);
    return C >= 32 || Key == '\b' || Key == 0x16 || Key == 0x18;
}

bool TcxCustomTextEdit::NavigateLookupItems(TcxEditLookupDataGoDirection Direction) {
    LockChangeEvents(true);
    FLookupNavigating = true;
    LockClick(true);
    const int Old = GetItemIndex();
    try {
        ILookupData().Go(Direction, false);
        if (GetItemIndex() != Old) {
            EditModified();
            if (ActiveProperties().ImmediatePost() && DataBinding().CanModify() &&
                ValidateEdit(true))
                InternalPostEditValue(false);
        }
    } catch (...) {
        LockClick(false);
        FLookupNavigating = false;
        LockChangeEvents(false);
        throw;
    }
    LockClick(false);
    FLookupNavigating = false;
    LockChangeEvents(false);
    return true;
}

bool TcxCustomTextEdit::DoMouseWheel(pf::TShiftState Shift, int WheelDelta, pg::TPoint MousePos) {
    if (TcxCustomEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    // With the popup open the wheel is the list's.
    if (!ActiveProperties().UseLookupData() || !IsLookupNavigationAllowed() || HasPopupWindowEx() ||
        ILookupData().IsEmpty() || !DoEditing())
        return false;
    return NavigateLookupItems(WheelDelta > 0 ? egdPrior : egdNext);
}

void TcxCustomTextEdit::DoEditKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    const TcxTextEditingStyle Style = EditingStyle();
    const TcxCustomTextEditProperties& P = ActiveProperties();
    const bool IsClearKey = P.ClearKey() != 0 && ShortCutOf(Key, Shift) == P.ClearKey();
    // A fixed list has no caret to move and no character to delete.
    if (Style == tesFixedList && !IsClearKey && !IsClickKey(Key, Shift) &&
        (Key == pw::VK_LEFT || Key == pw::VK_RIGHT || Key == pw::VK_DELETE)) {
        FLookupCompletionActive = false;
        DoAfterKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == pw::VK_DELETE && !(Shift & pf::ssShift)) {
        if (!CanModify() || !DoEditing()) {
            Key = 0;
            return;
        }
    }
    TcxCustomEdit::DoEditKeyDown(Key, Shift);
    if (Key == 0) return;
    if (Key == pw::VK_RETURN && FLookupCompletionActive) SelectAll();

    const bool HomeEnd = Key == pw::VK_HOME || Key == pw::VK_END;
    if ((IsLookupNavigationKey(Key) || (HomeEnd && Style == tesFixedList)) &&
        ActiveProperties().UseLookupData() && IsLookupNavigationAllowed() &&
        !ILookupData().IsEmpty()) {
        const bool Ctrl = (Shift & pf::ssCtrl) != 0;
        TcxEditLookupDataGoDirection Direction = egdNext;
        switch (Key) {
        case pw::VK_PRIOR:
            Direction = Ctrl ? egdBegin : egdPageUp;
            break;
        case pw::VK_NEXT:
            Direction = Ctrl ? egdEnd : egdPageDown;
            break;
        case pw::VK_END:
            Direction = egdEnd;
            break;
        case pw::VK_HOME:
            Direction = egdBegin;
            break;
        case pw::VK_UP:
            Direction = egdPrior;
            break;
        default:
            Direction = egdNext;
            break;
        }
        NavigateLookupItems(Direction);
        Key = 0;
        return;
    }
    // A single-line edit has no rows to move between.
    if (IsLookupNavigationKey(Key)) {
        DoAfterKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == pw::VK_LEFT || Key == pw::VK_RIGHT) {
        FLookupCompletionActive = false;
        if (!(Shift & pf::ssShift) && InnerTextEdit().SelLength() > 0) {
            const int Start = InnerTextEdit().SelStart();
            const int End = Start + InnerTextEdit().SelLength();
            InnerTextEdit().SetSelStart(Key == pw::VK_LEFT ? Start : End);
            InnerTextEdit().SetSelLength(0);
            Key = 0;
        }
        return;
    }
    if (Key == pw::VK_DELETE) {
        if (Style == tesEditList) {
            DoAfterKeyDown(Key, Shift);
            Key = 0;
            return;
        }
        FLookupCompletionActive = false;
    }
    if (Key == pw::VK_END && InnerTextEdit().SelLength() == 0 && Style != tesFixedList)
        FLookupCompletionActive = false;
}

bool TcxCustomTextEdit::CanSearchAtCaret() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style == tesEditList || Style == tesFixedList) return true;
    const int Start = InnerTextEdit().SelStart();
    const int Length = InnerTextEdit().SelLength();
    return (Length == 0 && Start == static_cast<int>(Text().size())) || FLookupCompletionActive ||
           Length > 0;
}

bool TcxCustomTextEdit::IncrementalSearchText(std::string& Text) {
    std::string Tail;
    const bool Found = ILookupData().Locate(Text, Tail, false);
    FLookupCompletionActive = Found;
    if (Text.empty()) {
        if (EditingStyle() != tesFixedList) InternalSetText({});
        FLookupCompletionActive = false;
    }
    if (Found) {
        // The completion is the item's own text: a list style must take it whatever it says.
        if (InternalSetText(Text + Tail)) {
            InnerTextEdit().SetSelStart(static_cast<int>(Text.size()));
            InnerTextEdit().SetSelLength(static_cast<int>(Tail.size()));
        }
    }
    return Found;
}

void TcxCustomTextEdit::DoEditKeyPress(char& Key) {
    TcxCustomEdit::DoEditKeyPress(Key);
    const auto C = static_cast<unsigned char>(Key);
    if (Key == '\b' && (!CanModify() || EditingStyle() == tesNoEdit)) {
        Key = 0;
        return;
    }
    if (Key != '\b' && (C < 32 || C == 127)) return;
    if (C >= 32 && !CanModify()) {
        Key = 0;
        return;
    }

    TcxCustomTextEditProperties& P = ActiveProperties();
    const bool UseLookup = P.UseLookupData();
    const bool IS = UseLookup && P.CanIncrementalSearch();
    const TcxTextEditingStyle Style = EditingStyle();
    FLookupDriven = false;
    const bool SavedUserAction = FUserAction;
    FUserAction = true;
    const int OldIndex = UseLookup ? GetItemIndex() : -1;
    const bool HadCompletion = FLookupCompletionActive;
    bool Found = false;
    LockClick(true);
    try {
        const std::string Current = Text();
        const int SelStartNow =
            std::min(InnerTextEdit().SelStart(), static_cast<int>(Current.size()));
        const int SelLengthNow =
            std::min(InnerTextEdit().SelLength(), static_cast<int>(Current.size()) - SelStartNow);
        const std::string Before = Current.substr(0, static_cast<std::size_t>(SelStartNow));
        if (Key == '\b' && Style == tesFixedList && !P.ShowFixedListSelection()) {
            Key = 0;
            FLookupCompletionActive = false;
        } else if (Key == '\b' && IS) {
            if (Style == tesEditList && !Current.empty() && !FLookupCompletionActive) {
                InnerTextEdit().SetSelLength(static_cast<int>(Current.size()) - SelStartNow);
                FLookupCompletionActive = true;
            }
            if (FLookupCompletionActive) {
                std::string S = Before;
                if (!S.empty()) S.pop_back();
                Found = IncrementalSearchText(S);
            }
            if (Style == tesFixedList) Key = 0;
        } else if (Key != '\b' && IS && CanSearchAtCaret()) {
            std::string S;
            if (Style == tesFixedList && !HadCompletion)
                // Without a completion a fixed list's text is replaced as a whole.
                S = std::string(1, Key);
            else if (SelLengthNow > 0 || (Style == tesFixedList && HadCompletion))
                S = Before + Key;
            else
                S = Before + Key + Current.substr(static_cast<std::size_t>(SelStartNow));
            Found = IncrementalSearchText(S);
            if (!Found && Style == tesFixedList && (HadCompletion || !P.ShowFixedListSelection())) {
                S = std::string(1, Key);
                Found = IncrementalSearchText(S);
            }
            if (!Found && (Style == tesEditList || Style == tesFixedList)) {
                Key = 0;
                if (Style == tesEditList) FLookupCompletionActive = !Text().empty();
                if (Style == tesFixedList && P.ShowFixedListSelection() && HadCompletion)
                    FLookupCompletionActive = true;
            }
        }
    } catch (...) {
        LockClick(false);
        FUserAction = SavedUserAction;
        throw;
    }
    LockClick(false);
    FUserAction = SavedUserAction;
    if (UseLookup && GetItemIndex() != OldIndex) EditModified();
    if (Found) Key = 0;
    if (Key == 0 || Key == '\b') return;
    // The window types every other character itself, so that a run of typing stays the one
    // change its undo takes back; what the text would become is checked here first, as for a
    // paste, and a refused character never reaches it.
    std::string NewText;
    int NewSelStart = 0;
    FUserAction = true;
    bool Accepted = false;
    try {
        Accepted = GetTextAfterInsertion(std::string(1, Key), NewText, NewSelStart);
    } catch (...) {
        FUserAction = SavedUserAction;
        throw;
    }
    FUserAction = SavedUserAction;
    if (!Accepted) Key = 0;
}

void TcxCustomTextEdit::DoExit() {
    TcxCustomEdit::DoExit();
    FLookupCompletionActive = false;
}

} // namespace toolkit::edit
