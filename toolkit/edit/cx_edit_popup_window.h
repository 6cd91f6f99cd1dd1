#pragma once
// The floating window drop-down editors show beside their owner control. A focus-capturing
// popup is owned by the owner's form and takes the keyboard (in modal mode Popup runs a message
// loop of its own until it hides); the other kind is a tool window that never activates. Every
// visible popup is listed process-wide; while any is, three thread hooks watch the thread:
// a button press outside closes the popups it does not land in (a press on the owner control
// is swallowed and marked in ClosedByOwnerClick, others reach their window unless the popup
// consumes them), system keys other than the navigation keys are discarded while a non-modal
// popup is newest, and deactivating the application, hiding or closing the owner closes its
// popups. A popup opens only while its owner control is visible, keeps inside the work area
// when it may correct its bounds, is topmost only when its owner's form is (or it has none),
// closes on Escape and on its deactivation, and gives the focus back to its owner control. The
// last one to close redraws the inactive owner form's caption as inactive.
//
// Its look comes from a container style and a container view info of the classes its
// descendant names; both are made on first use, so that a descendant's classes take effect.
// The view info paints the whole form, and the children lie in its InnerRect.

#include "toolkit/edit/cx_container.h"

#include "toolkit/base/cx_popup_window.h"

#include "platform/forms/forms.h"

#include <memory>

namespace toolkit::edit {

using platform::core::HWND;
using platform::core::TMessage;
using platform::core::TNotifyEvent;
using platform::core::UINT;
using platform::forms::TShiftState;
using platform::forms::TWinControl;
using platform::forms::WORD;
using platform::gdi::TPoint;
using platform::gdi::TRect;

// Posted to a popup: close it, then tell the owner control it has the focus again.
inline constexpr UINT CXM_CLOSEUPPOPUPWINDOW = platform::win::CXM_CLOSEUPPOPUPWINDOW;
// Posted to a popup: pop it up with its focused control.
inline constexpr UINT CXM_POPUPWINDOW = platform::win::CXM_POPUPWINDOW;

class TcxCustomPopupWindow : public toolkit::base::TcxPopupWindow {
public:
    explicit TcxCustomPopupWindow(TWinControl* AOwnerControl);
    ~TcxCustomPopupWindow() override;

    bool CaptureFocus() const { return FCaptureFocus; }
    // A change remakes the window, and a visible popup closes and opens again.
    void SetCaptureFocus(bool Value);
    bool IsTopMost() const { return FIsTopMost; }
    void SetIsTopMost(bool Value);
    // With CaptureFocus: Popup returns only when the popup hides.
    bool ModalMode = true;
    // Set when a press on the owner control closed the popup (and was swallowed).
    bool ClosedByOwnerClick = false;
    bool DeactivateFlag = false;
    TWinControl* OwnerControl() const { return FOwnerControl; }
    TWinControl* FocusedControl() const { return FFocusedControl; }
    // The control a posted CXM_POPUPWINDOW pops the window up with.
    void SetFocusedControl(TWinControl* Value) { FFocusedControl = Value; }

    TNotifyEvent OnClosed;
    TNotifyEvent OnClosing;
    TNotifyEvent OnShowed;
    TNotifyEvent OnShowing;

    // Listed among the visible popups.
    bool IsVisible() const;
    bool IsOwnerControlVisible() const;
    // The window or one of its children (a popup's own child popups included).
    bool HasWindow(HWND Wnd) const;

    void Popup() override { Popup(FFocusedControl); }
    // Nothing when visible already or when the owner control is not visible.
    virtual void Popup(TWinControl* AFocusedControl);
    void CloseUp() override;
    TRect GetOwnerScreenBounds() override;
    // Only when CanCorrectBoundsToDesktop: the window is cut where it overhangs the work area
    // of the monitor at P, P moving onto a left or top edge; a window that lost height at the
    // top edge moves down by the loss.
    virtual void CorrectBoundsWithDesktopWorkArea(TPoint& P);
    // Page Up through the arrows, and F4.
    virtual bool IsSysKeyAccepted(WORD Key) const;
    // Whether a press outside that closes the popup is swallowed.
    virtual bool ConsumesOutsideClick(HWND Wnd, UINT Msg, TPoint Screen, TShiftState Shift);
    void PostCloseUpMessage();

    TcxContainerStyle& Style();
    TcxContainerViewInfo& ViewInfo();
    // The view info's InnerRect.
    TRect GetClientBounds() override;

    void Dispatch(TMessage& Message) override;

protected:
    virtual TcxContainerStyleClass GetStyleClass() { return cxContainerStyleClass(); }
    virtual TcxContainerViewInfoClass GetViewInfoClass();
    // A derived window's constructor makes its own view info: the base's was made before.
    void RecreateViewInfo() { FViewInfo = GetViewInfoClass()(); }
    // The style changed.
    virtual void StyleChanged() {}
    void Paint() override;
    virtual bool CanCorrectBoundsToDesktop() { return false; }
    virtual void DoClosed();
    virtual void DoClosing();
    virtual void DoShowed();
    virtual void DoShowing();
    virtual bool EraseBackgroundNeeded() { return false; }
    virtual void CloseUpByModalResult() { CloseUp(); }
    // The owner's font is not taken.
    void InitPopup() override {}
    void VisibleChanged() override;
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    friend struct TcxPopupHooks;
    // Placed, listed, shown in front and focused (a focus-capturing popup only).
    void Show(TWinControl* AFocusedControl);
    void Deactivate();
    bool OwnerFormIsTopMost() const;

    TWinControl* FOwnerControl;
    TWinControl* FFocusedControl = nullptr;
    bool FCaptureFocus = true;
    bool FIsTopMost = false;
    int FCloseLockCount = 0;
    std::unique_ptr<TcxContainerStyle> FStyle;
    std::unique_ptr<TcxContainerViewInfo> FViewInfo;
};

// The popups open now, oldest first.
int cxVisiblePopupWindowCount();
TcxCustomPopupWindow* cxVisiblePopupWindow(int Index);
// While raised, activation changes of the popups' windows are swallowed.
void LockPopupClosing(bool Lock);
bool IsPopupClosingLocked();
// The window of the owner control of the popup that holds Wnd (a popup's own window or one
// inside it); Wnd itself when no popup holds it or its owner control has no window. The edit
// units install it as the toolkit's popup-owner resolver.
HWND GetPopupOwnerWindow(HWND Wnd);
void InitializeEditPopupWindowUnit();
void FinalizeEditPopupWindowUnit();

} // namespace toolkit::edit
