#include "toolkit/edit/cx_edit_popup_window.h"

#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/cx_hooks.h"
#include "toolkit/base/object_links.h"

#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/gdi/geometry.h"
#include "platform/win/hooks.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>
#include <vector>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;
namespace tb = toolkit::base;

// The visible popups and the hooks that watch the thread while any is open.
struct TcxPopupHooks {
    static TcxPopupHooks& Get() {
        static TcxPopupHooks Hooks;
        return Hooks;
    }

    std::vector<TcxCustomPopupWindow*> Visible;
    TcxCustomPopupWindow* ShowingOrClosingPopup = nullptr;
    bool ShowingOrClosing = false;
    bool ClosingByClick = false;
    int ClosingLock = 0;
    pw::HHOOK MouseHook{};
    pw::HHOOK MessageHook{};
    pw::HHOOK WndProcHook{};

    bool Listed(const TcxCustomPopupWindow* Popup) const {
        return std::find(Visible.begin(), Visible.end(), Popup) != Visible.end();
    }
    void Add(TcxCustomPopupWindow* Popup) {
        if (Listed(Popup)) return;
        Visible.push_back(Popup);
        if (Visible.size() == 1) Install();
    }
    void Remove(TcxCustomPopupWindow* Popup) {
        if (!Listed(Popup)) return;
        std::erase(Visible, Popup);
        if (Visible.empty()) Release();
    }
    void Install() {
        tb::cxSetHook(MouseHook, pw::WH_MOUSE, [this](int Code, pw::WPARAM W, pw::LPARAM L) {
            const pw::HHOOK Self = MouseHook;
            if (Code == pw::HC_ACTION && pw::IsMouseButtonPress(static_cast<UINT>(W)) &&
                Click(static_cast<UINT>(W), *reinterpret_cast<pw::MOUSEHOOKSTRUCT*>(L)))
                return pw::LRESULT{1};
            return pw::CallNextHookEx(Self, Code, W, L);
        });
        tb::cxSetHook(MessageHook, pw::WH_GETMESSAGE, [this](int Code, pw::WPARAM W, pw::LPARAM L) {
            const pw::HHOOK Self = MessageHook;
            if (Code == pw::HC_ACTION) SystemKey(*reinterpret_cast<pw::MSG*>(L));
            return pw::CallNextHookEx(Self, Code, W, L);
        });
        tb::cxSetHook(WndProcHook, pw::WH_CALLWNDPROC,
                      [this](int Code, pw::WPARAM W, pw::LPARAM L) {
                          const pw::HHOOK Self = WndProcHook;
                          if (Code == pw::HC_ACTION)
                              WindowMessage(*reinterpret_cast<pw::CWPSTRUCT*>(L));
                          return pw::CallNextHookEx(Self, Code, W, L);
                      });
    }
    void Release() {
        tb::cxReleaseHook(MouseHook);
        tb::cxReleaseHook(MessageHook);
        tb::cxReleaseHook(WndProcHook);
    }

    static pf::TShiftState ShiftOf(UINT Msg) {
        pf::TShiftState Shift = 0;
        if (pw::GetKeyState(pw::VK_SHIFT) < 0) Shift |= pf::ssShift;
        if (pw::GetKeyState(pw::VK_CONTROL) < 0) Shift |= pf::ssCtrl;
        if (pw::GetKeyState(pw::VK_MENU) < 0) Shift |= pf::ssAlt;
        if (Msg == pw::WM_LBUTTONDOWN || Msg == pw::WM_NCLBUTTONDOWN) Shift |= pf::ssLeft;
        if (Msg == pw::WM_RBUTTONDOWN || Msg == pw::WM_NCRBUTTONDOWN) Shift |= pf::ssRight;
        return Shift;
    }

    // An MDI child's popup closes on a press on the frame's client or on another child.
    static bool IsOtherMDIWindow(TcxCustomPopupWindow& Popup, HWND Wnd) {
        pf::TCustomForm* Form = Popup.OwnerControl()->ParentForm();
        if (!Form || Form->FormStyle() != pf::fsMDIChild || !Form->HandleAllocated()) return false;
        const HWND Client = pw::GetParent(Form->Handle());
        if (Wnd == Client) return true;
        for (HWND W = Wnd; W != pw::NullHWnd; W = pw::GetParent(W))
            if (pw::GetParent(W) == Client) return W != Form->Handle();
        return false;
    }

    // True when the press is swallowed.
    bool Click(UINT Msg, const pw::MOUSEHOOKSTRUCT& Info) {
        bool Swallow = false;
        for (bool Restart = true; Restart;) {
            Restart = false;
            for (TcxCustomPopupWindow* Popup : Visible) {
                // Skipped while some other window (a dialog above it) is active; the press that
                // activated the owner's form has done so before it reaches the hook.
                if (Popup->CaptureFocus() && !Popup->Active() &&
                    !IsRelatedWindow(Popup->OwnerControl(), pw::GetActiveWindow()))
                    continue;
                if (Popup->HasWindow(Info.hwnd)) continue;
                TWinControl* Owner = Popup->OwnerControl();
                pf::TCustomForm* OwnerForm = Owner ? Owner->ParentForm() : nullptr;
                auto* OwnerPopup = dynamic_cast<TcxCustomPopupWindow*>(OwnerForm);
                const bool HiddenPopupForm = OwnerPopup && !OwnerPopup->Visible();
                const pf::TShiftState Shift = ShiftOf(Msg);
                if (!IsRelatedWindow(Owner, Info.hwnd) && !HiddenPopupForm) {
                    if (!IsOtherMDIWindow(*Popup, Info.hwnd)) continue;
                    const bool Consumes =
                        Popup->ConsumesOutsideClick(Info.hwnd, Msg, Info.pt, Shift);
                    Popup->CloseUp();
                    Swallow = Swallow || Consumes;
                    Restart = true;
                    break;
                }
                const bool OnOwner =
                    (Msg == pw::WM_LBUTTONDOWN || Msg == pw::WM_LBUTTONDBLCLK) && Owner &&
                    Owner->HandleAllocated() &&
                    (Info.hwnd == Owner->Handle() || pw::IsChild(Owner->Handle(), Info.hwnd)) &&
                    platform::gdi::PtInRect(Popup->GetOwnerScreenBounds(), Info.pt);
                const bool Consumes = Popup->ConsumesOutsideClick(Info.hwnd, Msg, Info.pt, Shift);
                ++Popup->FCloseLockCount;
                ClosingByClick = true;
                Popup->CloseUp();
                ClosingByClick = false;
                --Popup->FCloseLockCount;
                if (OnOwner && !(Owner->ComponentState() & pc::csDestroying) &&
                    Popup->IsOwnerControlVisible()) {
                    // The press that would open the popup again on its owner ends here.
                    Popup->ClosedByOwnerClick = true;
                    Swallow = true;
                } else {
                    Swallow = Swallow || Consumes;
                }
                Restart = true;
                break;
            }
        }
        return Swallow;
    }

    void SystemKey(pw::MSG& Msg) {
        if (Msg.message != pw::WM_SYSKEYDOWN || Visible.empty()) return;
        TcxCustomPopupWindow* Newest = Visible.back();
        if (Newest->CaptureFocus() && Newest->ModalMode) return;
        if (!Newest->IsSysKeyAccepted(static_cast<WORD>(Msg.wParam))) Msg.message = pw::WM_NULL;
    }

    // The window's procedure answers 1 to this one message, untouched.
    static void Swallow(HWND Wnd) {
        auto Old = std::make_shared<pc::WNDPROC>();
        *Old = pc::SetWindowProc(Wnd, [Wnd, Old](HWND, UINT, pw::WPARAM, pw::LPARAM) {
            pc::SetWindowProc(Wnd, *Old);
            return pw::LRESULT{1};
        });
    }

    TcxCustomPopupWindow* PopupOfOwnerWindow(HWND Wnd) const {
        for (TcxCustomPopupWindow* Popup : Visible)
            if (Popup->OwnerControl() && Popup->OwnerControl()->HandleAllocated() &&
                Popup->OwnerControl()->Handle() == Wnd)
                return Popup;
        return nullptr;
    }

    void WindowMessage(const pw::CWPSTRUCT& Info) {
        if ((Info.message == pf::CM_ACTIVATE || Info.message == pf::CM_DEACTIVATE) &&
            ClosingLock > 0) {
            Swallow(Info.hwnd);
            return;
        }
        if (Visible.empty()) return;
        switch (Info.message) {
        case pw::WM_NCACTIVATE:
            if (Info.wParam != 0) return;
            if (ShowingOrClosing) {
                Swallow(Info.hwnd);
                return;
            }
            for (TcxCustomPopupWindow* Popup : Visible) {
                TWinControl* Owner = Popup->OwnerControl();
                pf::TCustomForm* Form = Owner ? Owner->ParentForm() : nullptr;
                if (Form && Form->HandleAllocated() && Form->Handle() == Info.hwnd) {
                    // The owner's caption stays active while its popup is open.
                    Swallow(Info.hwnd);
                    return;
                }
            }
            return;
        case pw::WM_ACTIVATEAPP:
            if (Info.wParam != 0) return;
            for (bool Restart = true; Restart;) {
                Restart = false;
                for (TcxCustomPopupWindow* Popup : Visible) {
                    TWinControl* Owner = Popup->OwnerControl();
                    pf::TCustomForm* Form = Owner ? Owner->ParentForm() : nullptr;
                    if (Form && Form->HandleAllocated())
                        pc::PostMessage(Form->Handle(), pw::WM_NCACTIVATE, 0, 0);
                    if ((Popup->CaptureFocus() && Popup->Active()) ||
                        (Popup->HandleAllocated() && pw::IsWindowEnabled(Popup->Handle()))) {
                        Popup->CloseUp();
                        Restart = true;
                        break;
                    }
                }
            }
            return;
        case pw::WM_SHOWWINDOW:
            if (Info.wParam != 0) return;
            if (TcxCustomPopupWindow* Popup = PopupOfOwnerWindow(Info.hwnd)) {
                if (Popup->OwnerControl()->ComponentState() & pc::csDestroying) return;
                const auto First = std::find(Visible.begin(), Visible.end(), Popup);
                const std::vector<TcxCustomPopupWindow*> Closing(First, Visible.end());
                for (auto It = Closing.rbegin(); It != Closing.rend(); ++It)
                    (*It)->CloseUp();
            }
            return;
        case pw::WM_WINDOWPOSCHANGED:
            while (TcxCustomPopupWindow* Popup = PopupOfOwnerWindow(Info.hwnd)) {
                if (pw::IsWindowVisible(Info.hwnd)) return;
                Popup->CloseUp();
            }
            return;
        case pw::WM_CLOSE:
            for (TcxCustomPopupWindow* Popup : Visible) {
                if (Popup->HandleAllocated() && Popup->Handle() == Info.hwnd) {
                    if (Popup->CloseQuery()) Popup->CloseUp();
                    return;
                }
                TWinControl* Owner = Popup->OwnerControl();
                pf::TCustomForm* Form = Owner ? Owner->ParentForm() : nullptr;
                if (!Popup->CaptureFocus() && Form && Form->HandleAllocated() &&
                    Form->Handle() == Info.hwnd) {
                    Popup->CloseUp();
                    return;
                }
            }
            return;
        case pw::WM_DESTROY:
            for (TcxCustomPopupWindow* Popup : Visible)
                if (Popup->HandleAllocated() && Popup->Handle() == Info.hwnd) {
                    Popup->CloseUp();
                    return;
                }
            return;
        default:
            return;
        }
    }
};

// ---- routines ----

int cxVisiblePopupWindowCount() {
    return static_cast<int>(TcxPopupHooks::Get().Visible.size());
}

TcxCustomPopupWindow* cxVisiblePopupWindow(int Index) {
    return TcxPopupHooks::Get().Visible.at(static_cast<std::size_t>(Index));
}

void LockPopupClosing(bool Lock) {
    TcxPopupHooks::Get().ClosingLock += Lock ? 1 : -1;
}

bool IsPopupClosingLocked() {
    return TcxPopupHooks::Get().ClosingLock > 0;
}

HWND GetPopupOwnerWindow(HWND Wnd) {
    for (HWND W = Wnd; W != pw::NullHWnd; W = pw::GetParent(W)) {
        auto* Popup = dynamic_cast<TcxCustomPopupWindow*>(pf::FindControl(W));
        if (!Popup) continue;
        TWinControl* Owner = Popup->OwnerControl();
        return Owner && Owner->HandleAllocated() ? Owner->Handle() : Wnd;
    }
    return Wnd;
}

namespace {
int EditPopupWindowUnitStarts = 0;
} // namespace

void InitializeEditPopupWindowUnit() {
    if (EditPopupWindowUnitStarts++ == 0) tb::cxSetPopupOwnerWindowResolver(GetPopupOwnerWindow);
}

void FinalizeEditPopupWindowUnit() {
    if (EditPopupWindowUnitStarts > 0 && --EditPopupWindowUnitStarts == 0)
        tb::cxSetPopupOwnerWindowResolver(nullptr);
}

// ---- TcxCustomPopupWindow ----

TcxCustomPopupWindow::TcxCustomPopupWindow(TWinControl* AOwnerControl)
    : TcxPopupWindow(AOwnerControl), FOwnerControl(AOwnerControl) {
    SetVisible(false);
    KeyPreview = true;
    // The class library previews its controls' keys through the form's event only.
    OnKeyDown = [this](pc::TObject*, WORD& Key, TShiftState Shift) {
        if (Key == pw::VK_ESCAPE) KeyDown(Key, Shift);
    };
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
    tb::cxClearObjectLinks(this);
    TcxPopupHooks::Get().Remove(this);
    FViewInfo.reset();
    if (FStyle) FStyle->OnChanged = nullptr;
    FStyle.reset();
}

TcxContainerStyle& TcxCustomPopupWindow::Style() {
    if (!FStyle) {
        FStyle = GetStyleClass()(this, cssNormal, nullptr, false);
        FStyle->OnChanged = [this](TcxContainerStyle*) { StyleChanged(); };
    }
    return *FStyle;
}

TcxContainerViewInfo& TcxCustomPopupWindow::ViewInfo() {
    if (!FViewInfo) FViewInfo = GetViewInfoClass()();
    return *FViewInfo;
}

TcxContainerViewInfoClass TcxCustomPopupWindow::GetViewInfoClass() {
    return [] { return std::make_unique<TcxContainerViewInfo>(); };
}

TRect TcxCustomPopupWindow::GetClientBounds() {
    return ViewInfo().InnerRect;
}

void TcxCustomPopupWindow::Paint() {
    ViewInfo().Paint(Canvas());
}

bool TcxCustomPopupWindow::IsVisible() const {
    return TcxPopupHooks::Get().Listed(this);
}

bool TcxCustomPopupWindow::IsOwnerControlVisible() const {
    return FOwnerControl && FOwnerControl->HandleAllocated() &&
           pw::IsWindowVisible(FOwnerControl->Handle());
}

bool TcxCustomPopupWindow::HasWindow(HWND Wnd) const {
    if (!HandleAllocated() || Wnd == pw::NullHWnd) return false;
    if (Wnd == handle_ || pw::IsChild(handle_, Wnd)) return true;
    // A popup of one of its controls belongs to it too.
    for (TcxCustomPopupWindow* Other : TcxPopupHooks::Get().Visible)
        if (Other != this && Other->HasWindow(Wnd) && Other->OwnerControl() &&
            Other->OwnerControl()->HandleAllocated() &&
            pw::IsChild(handle_, Other->OwnerControl()->Handle()))
            return true;
    return false;
}

bool TcxCustomPopupWindow::OwnerFormIsTopMost() const {
    pf::TCustomForm* Form = FOwnerControl ? FOwnerControl->ParentForm() : nullptr;
    if (!Form) return true;
    return Form->HandleAllocated() &&
           (pw::GetWindowLong(Form->Handle(), pw::GWL_EXSTYLE) & pw::WS_EX_TOPMOST) != 0;
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& Params) {
    TcxPopupWindow::CreateParams(Params);
    // The desktop keeps a topmost window above every other program's windows: it is one only
    // where its owner's form is.
    Params.exStyle &= ~pw::WS_EX_TOPMOST;
    pf::TCustomForm* Form = FOwnerControl ? FOwnerControl->ParentForm() : nullptr;
    Params.style = (Params.style & ~pw::WS_CHILD) | pw::WS_POPUP | pw::WS_CLIPCHILDREN;
    if (Form) Params.parent = Form->Handle();
    if (FCaptureFocus) {
        if (FIsTopMost && OwnerFormIsTopMost()) Params.exStyle |= pw::WS_EX_TOPMOST;
    } else {
        // A tool window that never takes the activation from its owner.
        Params.exStyle |= pw::WS_EX_TOOLWINDOW | pw::WS_EX_NOACTIVATE;
        if (OwnerFormIsTopMost()) Params.exStyle |= pw::WS_EX_TOPMOST;
    }
}

void TcxCustomPopupWindow::SetCaptureFocus(bool Value) {
    if (FCaptureFocus == Value) return;
    FCaptureFocus = Value;
    const bool WasVisible = IsVisible();
    if (WasVisible) CloseUp();
    if (HandleAllocated()) RecreateWnd();
    if (WasVisible) Popup(FFocusedControl);
}

void TcxCustomPopupWindow::SetIsTopMost(bool Value) {
    if (FIsTopMost == Value) return;
    FIsTopMost = Value;
    const bool WasVisible = IsVisible();
    if (WasVisible) CloseUp();
    if (HandleAllocated()) RecreateWnd();
    if (WasVisible) Popup(FFocusedControl);
}

void TcxCustomPopupWindow::Popup(TWinControl* AFocusedControl) {
    if (IsVisible() || !IsOwnerControlVisible()) return;
    Show(AFocusedControl);
    SetModalResult(pf::mrNone);
    DoShowed();
    if (!FCaptureFocus || !ModalMode) return;
    const auto Link = tb::cxAddObjectLink(this);
    while (Link->Ref && Visible() && !pf::Application().Terminated()) {
        // Alt+Enter, Alt and Alt+Space would reach the owner's form behind the popup.
        pw::MSG Pending{};
        if (pc::PeekMessage(Pending, pw::NullHWnd, pw::WM_SYSKEYDOWN, pw::WM_SYSKEYDOWN,
                            pc::PM_NOREMOVE) &&
            (Pending.wParam == pw::VK_RETURN || Pending.wParam == pw::VK_MENU ||
             Pending.wParam == pw::VK_SPACE)) {
            pc::PeekMessage(Pending, pw::NullHWnd, pw::WM_SYSKEYDOWN, pw::WM_SYSKEYDOWN,
                            pc::PM_REMOVE);
            continue;
        }
        if (ModalResult() != pf::mrNone) {
            if (CloseQuery())
                CloseUpByModalResult();
            else
                SetModalResult(pf::mrNone);
            continue;
        }
        pf::Application().HandleMessage();
    }
}

void TcxCustomPopupWindow::Show(TWinControl* AFocusedControl) {
    TcxPopupHooks& Hooks = TcxPopupHooks::Get();
    InitPopup();
    CalculateSize();
    TPoint P = CalculatePosition();
    CorrectBoundsWithDesktopWorkArea(P);
    Hooks.ShowingOrClosing = true;
    Hooks.ShowingOrClosingPopup = this;
    Hooks.Add(this);
    DoShowing();
    SetBounds(P.X, P.Y, Width(), Height());
    HandleNeeded();
    pw::ShowWindow(handle_, pw::SW_SHOWNA);
    SetVisible(true);
    SetBounds(P.X, P.Y, Width(), Height());
    TWinControl* Focus = AFocusedControl;
    if (FCaptureFocus) {
        // The given control when it takes the focus by Tab, else the first that does in the
        // tab order, however deep (a hosted panel's first editor).
        if (!(Focus && Focus->CanFocus() && Focus->TabStop)) {
            Focus = nullptr;
            std::vector<TWinControl*> Order;
            GetTabOrderList(Order);
            for (TWinControl* Child : Order)
                if (Child->TabStop && Child->CanFocus()) {
                    Focus = Child;
                    break;
                }
        }
        if (Focus)
            Focus->SetFocus();
        else
            SetFocus();
    }
    FFocusedControl = Focus;
    const HWND InsertAfter = OwnerFormIsTopMost() ? pw::HWND_TOPMOST : pw::HWND_TOP;
    pw::SetWindowPos(handle_, InsertAfter, 0, 0, 0, 0,
                     pw::SWP_NOSIZE | pw::SWP_NOMOVE | pw::SWP_NOACTIVATE | pw::SWP_SHOWWINDOW);
    Hooks.ShowingOrClosing = false;
    Hooks.ShowingOrClosingPopup = nullptr;
}

void TcxCustomPopupWindow::CloseUp() {
    if (!IsVisible()) return;
    TcxPopupHooks& Hooks = TcxPopupHooks::Get();
    LockPopupClosing(true);
    Hooks.Remove(this);
    DoClosing();
    Hooks.ShowingOrClosing = true;
    Hooks.ShowingOrClosingPopup = this;
    pw::ShowWindow(handle_, pw::SW_HIDE);
    SetVisible(false);
    DoClosed();
    const HWND Capture = pw::GetCapture();
    if (Capture != pw::NullHWnd && HasWindow(Capture)) pw::ReleaseCapture();
    Hooks.ShowingOrClosing = false;
    Hooks.ShowingOrClosingPopup = nullptr;
    LockPopupClosing(false);
    pf::TCustomForm* Form = FOwnerControl ? FOwnerControl->ParentForm() : nullptr;
    if (Hooks.Visible.empty() && Form && Form->HandleAllocated() &&
        Form->FormStyle() != pf::fsMDIForm && !Form->Active())
        pc::SendMessage(Form->Handle(), pw::WM_NCACTIVATE, 0, 0);
}

void TcxCustomPopupWindow::PostCloseUpMessage() {
    if (HandleAllocated()) pc::PostMessage(handle_, CXM_CLOSEUPPOPUPWINDOW, 0, 0);
}

TRect TcxCustomPopupWindow::GetOwnerScreenBounds() {
    if (!OwnerParent || !FOwnerControl || !FOwnerControl->HandleAllocated() ||
        !tb::cxHasChildWindowStyle(FOwnerControl->Handle()))
        return OwnerBounds;
    return TcxPopupWindow::GetOwnerScreenBounds();
}

void TcxCustomPopupWindow::CorrectBoundsWithDesktopWorkArea(TPoint& P) {
    if (!CanCorrectBoundsToDesktop()) return;
    const TRect Work = tb::cxGetWorkAreaFromPoint(P);
    int W = Width();
    int H = Height();
    if (P.X < Work.Left) {
        W -= Work.Left - P.X;
        P.X = Work.Left;
    }
    if (P.Y < Work.Top) {
        H -= Work.Top - P.Y;
        P.Y = Work.Top;
    }
    W = std::min(W, Work.Right - P.X);
    H = std::min(H, Work.Bottom - P.Y);
    const int RequestedHeight = H;
    SetBounds(Left(), Top(), W, H);
    if (Height() < RequestedHeight && P.Y == Work.Top) P.Y += RequestedHeight - Height();
}

bool TcxCustomPopupWindow::IsSysKeyAccepted(WORD Key) const {
    return (Key >= pw::VK_PRIOR && Key <= pw::VK_DOWN) || Key == pw::VK_F4;
}

bool TcxCustomPopupWindow::ConsumesOutsideClick(HWND, UINT, TPoint, TShiftState) {
    return false;
}

void TcxCustomPopupWindow::DoClosed() {
    if (OnClosed) OnClosed(this);
}
void TcxCustomPopupWindow::DoClosing() {
    if (OnClosing) OnClosing(this);
}
void TcxCustomPopupWindow::DoShowed() {
    if (OnShowed) OnShowed(this);
}
void TcxCustomPopupWindow::DoShowing() {
    if (OnShowing) OnShowing(this);
}

void TcxCustomPopupWindow::VisibleChanged() {
    if (Visible() || !FCaptureFocus || !FOwnerControl) return;
    pf::TCustomForm* Form = FOwnerControl->ParentForm();
    const HWND Focus = pw::GetFocus();
    const bool FormHoldsFocus =
        Form && Form->HandleAllocated() &&
        (Focus == pw::NullHWnd || Focus == Form->Handle() || pw::IsChild(Form->Handle(), Focus));
    if (FormHoldsFocus && FOwnerControl->CanFocus()) FOwnerControl->SetFocus();
}

void TcxCustomPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == pw::VK_ESCAPE && IsVisible()) {
        const HWND Capture = pw::GetCapture();
        if (Capture != pw::NullHWnd && HasWindow(Capture)) pw::ReleaseCapture();
        CloseUp();
        Key = 0;
        return;
    }
    TcxPopupWindow::KeyDown(Key, Shift);
}

void TcxCustomPopupWindow::Deactivate() {
    DeactivateFlag = false;
    if (FCloseLockCount > 0) return;
    const HWND Active = pw::GetActiveWindow();
    // A press activates its window before the mouse hook sees it: a press on the owner's side
    // is the hook's to judge.
    const bool Pressing = pw::GetAsyncKeyState(pw::VK_LBUTTON) < 0 ||
                          pw::GetAsyncKeyState(pw::VK_RBUTTON) < 0 ||
                          pw::GetAsyncKeyState(pw::VK_MBUTTON) < 0;
    if (Pressing && IsRelatedWindow(FOwnerControl, Active)) return;
    std::vector<TcxCustomPopupWindow*> Newest(TcxPopupHooks::Get().Visible.rbegin(),
                                              TcxPopupHooks::Get().Visible.rend());
    for (TcxCustomPopupWindow* Popup : Newest) {
        if (Popup->HasWindow(Active)) break;
        if (!TcxPopupHooks::Get().Listed(Popup)) continue;
        if (Popup->Enabled() && Popup->FCloseLockCount == 0) Popup->CloseUp();
    }
}

void TcxCustomPopupWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_ACTIVATE:
        // Not the base's closing: the popups above and below decide.
        pf::TForm::Dispatch(Message);
        if ((Message.WParam & 0xFFFF) == pw::WA_INACTIVE) Deactivate();
        return;
    case pw::WM_ACTIVATEAPP:
        Message.Result = 0;
        return;
    case pw::WM_ERASEBKGND:
        if (!EraseBackgroundNeeded()) {
            Message.Result = 1;
            return;
        }
        break;
    case CXM_CLOSEUPPOPUPWINDOW:
        ++FCloseLockCount;
        CloseUp();
        --FCloseLockCount;
        if (FOwnerControl && FOwnerControl->HandleAllocated())
            pc::SendMessage(FOwnerControl->Handle(), pw::WM_SETFOCUS, 0, 0);
        return;
    case CXM_POPUPWINDOW:
        Popup(FFocusedControl);
        return;
    default:
        break;
    }
    TcxPopupWindow::Dispatch(Message);
}

} // namespace toolkit::edit
