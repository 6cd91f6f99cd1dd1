// The editor base's keys, buttons and mouse, and in-place activation.

#include "toolkit/edit/cx_custom_edit.h"

#include "platform/core/message_loop.h"
#include "platform/core/window_handle.h"
#include "platform/forms/forms.h"
#include "platform/forms/shortcuts.h"
#include "platform/win/input_state.h"
#include "platform/win/message_beep.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

int DefaultButtonIndex(const TcxEditButtons& Buttons) {
    for (int I = 0; I < Buttons.Count(); ++I)
        if (Buttons.Items(I).Default()) return I;
    return -1;
}

} // namespace

pf::TShortCut TcxCustomEdit::ShortCutOf(pf::WORD Key, pf::TShiftState Shift) {
    pf::TShortCut Modifiers = 0;
    if (Shift & pf::ssShift) Modifiers |= pf::scShift;
    if (Shift & pf::ssCtrl) Modifiers |= pf::scCtrl;
    if (Shift & pf::ssAlt) Modifiers |= pf::scAlt;
    return pf::ShortCut(Key, Modifiers);
}

// ---- keys ----

void TcxCustomEdit::KeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    FEscapePressed = false;
    FEscapeKeyDown = Key == pw::VK_ESCAPE;
    if (!IsClickKey(Key, Shift)) TcxContainer::KeyDown(Key, Shift);
    if (Key != 0) DoEditKeyDown(Key, Shift);
    if (Key != 0 && IsAfterKeyDownRequired()) DoAfterKeyDown(Key, Shift);
    FEscapeKeyDown = false;
}

void TcxCustomEdit::KeyPress(char& Key) {
    // The character of an Escape that abandoned the changes goes no further.
    if (Key == '\x1B' && FEscapePressed) {
        FEscapePressed = false;
        Key = 0;
        return;
    }
    TcxContainer::KeyPress(Key);
    if (Key != 0) DoEditKeyPress(Key);
}

void TcxCustomEdit::KeyUp(pf::WORD& Key, pf::TShiftState Shift) {
    TcxContainer::KeyUp(Key, Shift);
    DoEditKeyUp(Key, Shift);
}

void TcxCustomEdit::DoAfterKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    if (OnAfterKeyDown) OnAfterKeyDown(this, Key, Shift);
}

bool TcxCustomEdit::IsClickKey(pf::WORD Key, pf::TShiftState Shift) {
    return DefaultButtonIndex(ActiveProperties().Buttons()) >= 0 &&
           ShortCutOf(Key, Shift) == ActiveProperties().ClickKey();
}

void TcxCustomEdit::DoEditKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    if (Key == 0) return;
    TcxCustomEditProperties& P = ActiveProperties();
    if (P.ClearKey() != 0 && ShortCutOf(Key, Shift) == P.ClearKey()) {
        WithChangeEventsLocked([&] {
            AsUserAction([&] { SetEditValueChecked(GetClearValue()); });
            FIsEditValidated = true;
        });
        Key = 0;
        return;
    }
    if (IsClickKey(Key, Shift)) {
        if (HandleAllocated()) KillMessages(Handle(), pw::WM_CHAR, pw::WM_CHAR);
        DefaultButtonClick();
        Key = 0;
        return;
    }
    if (!ValidateKeyDown(Key, Shift)) {
        DoAfterKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    switch (Key) {
    case pw::VK_TAB:
        // Focused as the container is: its own window or its inner control.
        if (IsContainerFocused() && !(Shift & (pf::ssAlt | pf::ssCtrl)) && !P.KeepsTabKey()) {
            DoEditProcessTab(Shift);
            DoAfterKeyDown(Key, Shift);
            if (Key != 0) {
                Key = 0;
                // The inner control stands in the tab order for the editor while it is active.
                if (pf::TCustomForm* Form = ParentForm())
                    Form->SelectNext(InnerControl() && Form->ActiveControl() == InnerControl()
                                         ? InnerControl()
                                         : this,
                                     !(Shift & pf::ssShift));
            }
        }
        return;
    case pw::VK_RETURN:
        if (P.ValidateOnEnter()) {
            Key = 0;
            WithChangeEventsLocked([&] {
                ValidateEdit(true);
                if (DataBinding().CanModify()) InternalPostEditValue(false);
            });
        }
        return;
    case pw::VK_ESCAPE:
        if (ModifiedAfterEnter() && (DataBinding().DefaultValuesProvider().IsDataAvailable() ||
                                     P.IsEditValueRestorable())) {
            WithChangeEventsLocked([&] {
                DataBinding().Reset();
                FModified = true;
                FEscapePressed = true;
            });
            Key = 0;
        }
        return;
    default:
        break;
    }
    if (WantNavigationKeys()) return;
    if (Key >= pw::VK_PRIOR && Key <= pw::VK_DOWN) {
        DoAfterKeyDown(Key, Shift);
        Key = 0;
    }
}

bool TcxCustomEdit::ValidateKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    return DataBinding().IsEditing() || !CanKeyDownModifyEdit(Key, Shift) || DoEditing();
}

void TcxCustomEdit::ValidateKeyPress(char& Key) {
    if (static_cast<unsigned char>(Key) >= 32 && !IsValidChar(Key)) {
        Key = 0;
        pw::MessageBeep(0);
        return;
    }
    if (DataBinding().IsEditing() || !CanKeyPressModifyEdit(Key)) return;
    if (!DoEditing()) Key = 0;
}

bool TcxCustomEdit::IsValidChar(char Key) {
    IcxEditDefaultValuesProvider* Provider = ActiveProperties().DefaultValuesProvider();
    if (!Provider) return true;
    return Provider->IsValidChar(Key) || Provider->AcceptsAnyChar();
}

// ---- buttons and mouse ----

void TcxCustomEdit::DefaultButtonClick() {
    const TcxEditButtons& Buttons = ActiveProperties().Buttons();
    const int Index = DefaultButtonIndex(Buttons);
    if (Index < 0) return;
    for (int I = 0; I < EditViewInfo().ButtonCount(); ++I)
        if (EditViewInfo().ButtonsInfo[static_cast<std::size_t>(I)].Index == Index) {
            DoButtonClick(I);
            return;
        }
    for (const auto* P : {FProperties.get(), &ActiveProperties()})
        if (P->OnButtonClick && (P == FProperties.get() || FRepositoryItem))
            P->OnButtonClick(this, Index);
}

void TcxCustomEdit::DoButtonClick(int AButtonVisibleIndex) {
    if (AButtonVisibleIndex < 0 || AButtonVisibleIndex >= EditViewInfo().ButtonCount()) return;
    const int Index =
        EditViewInfo().ButtonsInfo[static_cast<std::size_t>(AButtonVisibleIndex)].Index;
    if (FProperties->OnButtonClick) FProperties->OnButtonClick(this, Index);
    if (FRepositoryItem && ActiveProperties().OnButtonClick)
        ActiveProperties().OnButtonClick(this, Index);
}

void TcxCustomEdit::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    TcxContainer::MouseDown(Button, Shift, X, Y);
    const int Pressed = EditViewInfo().PressedButton;
    if (Pressed >= 0 && Button == pf::mbLeft) {
        FPressedButtonIndex = Pressed;
        DoButtonDown(Pressed);
    }
}

void TcxCustomEdit::MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    const int WasPressed = Button == pf::mbLeft ? FPressedButtonIndex : -1;
    const bool WasPressedState =
        WasPressed >= 0 && WasPressed < EditViewInfo().ButtonCount() &&
        EditViewInfo().ButtonsInfo[static_cast<std::size_t>(WasPressed)].State == ebsPressed;
    if (Button == pf::mbLeft && ClickTimer().Enabled()) {
        ClickTimer().SetEnabled(false);
        // The release of an activating click: the editor's click, once.
        if (!EditViewInfo().IsHotTrack({X, Y}) && !FReleaseIsClick) Click();
    }
    if (Button == pf::mbLeft) FReleaseIsClick = false;
    if (Button == pf::mbLeft) FPressedButtonIndex = -1;
    TcxContainer::MouseUp(Button, Shift, X, Y);
    ForwardMouseUp(Button, Shift, X, Y);
    if (WasPressed >= 0) {
        DoButtonUp(WasPressed);
        // A press and release on the same button is its click.
        if (WasPressedState && WasPressed < EditViewInfo().ButtonCount() &&
            pg::PtInRect(EditViewInfo().ButtonsInfo[static_cast<std::size_t>(WasPressed)].Bounds,
                         {X, Y}))
            DoButtonClick(WasPressed);
    }
}

void TcxCustomEdit::ForwardMouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    // The editor holding the capture took a release that belongs to a child under the cursor
    // (the inner edit, say), which saw the press.
    if (!HandleAllocated() || InnerControlMouseDown()) return;
    const pg::TPoint Screen = ClientToScreen({X, Y});
    const pc::HWND Wnd = pw::WindowFromPoint(Screen);
    if (Wnd == Handle() || !pw::IsChild(Handle(), Wnd)) return;
    pf::TWinControl* Child = pf::FindControl(Wnd);
    if (!Child) return;
    static constexpr pc::UINT Messages[] = {pw::WM_LBUTTONUP, pw::WM_RBUTTONUP, pw::WM_MBUTTONUP};
    pc::WPARAM Keys = 0;
    if (Shift & pf::ssShift) Keys |= pw::MK_SHIFT;
    if (Shift & pf::ssCtrl) Keys |= pw::MK_CONTROL;
    const pg::TPoint P = Child->ScreenToClient(Screen);
    Child->Perform(Messages[static_cast<int>(Button)], Keys,
                   static_cast<pc::LPARAM>((P.X & 0xFFFF) | ((P.Y & 0xFFFF) << 16)));
}

void TcxCustomEdit::DblClick() {
    // Over a button the second press is a press of the button (the platform's mouse-down with
    // the double-click shift follows), not the editor's double click.
    pg::TPoint P;
    pw::GetCursorPos(&P);
    if (ButtonAt(ScreenToClient(P)) >= 0) return;
    TcxContainer::DblClick();
}

// ---- in-place activation ----

void TcxCustomEdit::Activate(std::unique_ptr<TcxCustomEditData>& AEditData) {
    if (!AEditData) AEditData = CreateEditData();
    FEditData = AEditData.get();
    if (FEditData && FEditData->Cleared) {
        FEditData->Cleared = false;
        InitializeEditData();
    }
    Activate();
}

void TcxCustomEdit::ActivateByKey(char Key, std::unique_ptr<TcxCustomEditData>& AEditData) {
    if (!AEditData) AEditData = CreateEditData();
    FEditData = AEditData.get();
    if (FEditData && FEditData->Cleared) {
        FEditData->Cleared = false;
        InitializeEditData();
    }
    ActivateByKey(Key);
}

void TcxCustomEdit::ActivateByMouse(pf::TShiftState Shift, int X, int Y,
                                    std::unique_ptr<TcxCustomEditData>& AEditData) {
    if (!AEditData) AEditData = CreateEditData();
    FEditData = AEditData.get();
    if (FEditData && FEditData->Cleared) {
        FEditData->Cleared = false;
        InitializeEditData();
    }
    ActivateByMouse(Shift, X, Y);
}

void TcxCustomEdit::Activate() {
    Show();
    if (HandleAllocated() && CanFocusEx()) {
        SetFocus();
        if (ActiveProperties().AutoSelect()) SelectAll();
    }
    SynchronizeDisplayValue();
    SetModified(false);
    FIsActivated = true;
}

void TcxCustomEdit::ActivateByKey(char Key) {
    // The inner edit shows the value and the key at once, not the value first.
    LockInnerEditRepainting();
    try {
        Activate();
        if (CanSendActivationKey(Key) && HandleAllocated())
            pc::SendMessage(Handle(), pw::WM_CHAR, static_cast<unsigned char>(Key), 0);
    } catch (...) {
        UnlockInnerEditRepainting();
        throw;
    }
    UnlockInnerEditRepainting();
}

void TcxCustomEdit::ActivateByMouse(pf::TShiftState Shift, int X, int Y) {
    Activate();
    if (!HandleAllocated()) return;
    // The host saw the press in its own client area; the editor replays it where it fell on
    // the editor (a release over the inner control reaches it through the mouse-up forwarding).
    pg::TPoint P{X, Y};
    if (pf::TWinControl* Host = Parent()) P = ScreenToClient(Host->ClientToScreen(P));
    const pc::LPARAM Point = static_cast<pc::LPARAM>((P.X & 0xFFFF) | ((P.Y & 0xFFFF) << 16));
    if (Shift & pf::ssDouble) {
        pc::SendMessage(Handle(), pw::WM_LBUTTONDOWN, pw::MK_LBUTTON, Point);
        // The user let go while the host was busy activating: no release will come to end
        // the capture the replayed press took.
        if (pw::GetCapture() == Handle() && pw::GetAsyncKeyState(pw::VK_LBUTTON) >= 0)
            pw::ReleaseCapture();
    } else {
        pc::SendMessage(Handle(), pw::WM_LBUTTONUP, 0, Point);
    }
    ClickTimer().SetEnabled(true);
}

} // namespace toolkit::edit
