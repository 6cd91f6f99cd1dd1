#include "platform/forms/forms.h"

#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"
#include "platform/win/modal_loop.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace platform::forms {

using namespace win;

namespace {

template <class F> TButton* FindButton(TWinControl* parent, F wanted) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (auto* b = dynamic_cast<TButton*>(c); b && wanted(b) && b->Visible() && b->Enabled())
            return b;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TButton* b = FindButton(w, wanted)) return b;
    }
    return nullptr;
}

} // namespace

void FreeForm(TCustomForm& form) {
    if (TComponent* owner = form.Owner()) owner->FreeComponent(form);
}

TCustomForm::TCustomForm(TComponent* owner, TFormStyle style)
    : TCustomControl(owner), formStyle_(style) {
    visible_ = false;
    width_ = 320;
    height_ = 240;
    parentFont_ = false;
    Screen().AddForm(this);
    Application().FreeNotification(this);
    icon_.OnChange = [this] { IconChanged(); };
    if (style == fsMDIForm) {
        client_ = &Own<TMDIClient>();
        client_->SetAlign(alClient);
        client_->SetParent(this);
    }
    if (style == fsMDIChild) {
        TCustomForm* main = Application().MainForm();
        if (!main || main->FormStyle() != fsMDIForm)
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        // A child is shown when it is made.
        visible_ = true;
    }
}

TCustomForm::~TCustomForm() {
    BeforeDestruction();
}

void TCustomForm::GetChildren(const std::function<void(core::TComponent*)>& Proc,
                              core::TComponent* Root) const {
    if (Root != this) return;
    for (int I = 0; I < ComponentCount(); ++I)
        if (!Components(I)->HasParent()) Proc(Components(I));
}

void TCustomForm::BeforeDestruction() {
    if (destroying_) return;
    destroying_ = true;
    if (created_ && OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application().HandleException(std::current_exception());
        }
    }
    if (modalLoop_) static_cast<ModalLoop*>(modalLoop_)->Quit();
    if (formStyle_ == fsMDIChild)
        if (TCustomForm* parent = MDIParent()) parent->MDIChildGone(this);
    if (Application().MainForm() == this) Application().SetMainForm(nullptr);
    Screen().RemoveForm(this);
    Application().RemoveFreeNotification(this);
    // The children's windows go with this one; their objects go with the owner later.
    DestroyHandle();
    if (formStyle_ == fsMDIChild) MDIChildMoved();
}

void TCustomForm::MDIChildMoved() {
    if (TCustomForm* parent = MDIParent(); parent && parent->client_) parent->client_->ChildMoved();
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    if (formStyle_ == fsMDIChild && (Position == poDefault || Position == poDefaultPosOnly))
        if (TCustomForm* parent = MDIParent(); parent && parent->client_) {
            const TPoint place = parent->NextDefaultChildPlace(width_, height_);
            SetBounds(place.X, place.Y, width_, height_);
        }
    if (OnCreate) OnCreate(this);
    if (formStyle_ == fsMDIChild && visible_) ApplyVisibility();
}

TCustomForm* TCustomForm::MDIParent() const {
    TCustomForm* main = Application().MainForm();
    return main && main->FormStyle() == fsMDIForm ? main : nullptr;
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.className = "TForm";
    params.style = WS_CLIPCHILDREN;
    params.exStyle = 0;
    switch (borderStyle_) {
    case bsNone:
        params.style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        params.style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.style |= WS_POPUP | WS_CAPTION;
        params.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
        params.exStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        params.style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow &&
            borderStyle_ != bsSizeToolWin) {
            if (borderIcons_ & biMinimize) params.style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) params.style |= WS_MAXIMIZEBOX;
        }
    }
    if (formStyle_ == fsMDIChild) {
        TCustomForm* parent = MDIParent();
        params.style = (params.style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        params.exStyle |= WS_EX_MDICHILD;
        params.parent = parent ? parent->ClientHandle() : NullHWnd;
    } else {
        params.parent = NullHWnd;
        if (formStyle_ == fsStayOnTop) params.exStyle |= WS_EX_TOPMOST;
    }
}

void TCustomForm::CreateWnd() {
    TCustomControl::CreateWnd();
    core::SendMessage(handle_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(GetIconHandle()));
}

HICON TCustomForm::GetIconHandle() const {
    return icon_.Empty() ? LoadIcon(IDI_APPLICATION) : icon_.Handle();
}

void TCustomForm::IconChanged() {
    if (handle_ == NullHWnd) return;
    core::SendMessage(handle_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(GetIconHandle()));
    // A child draws its own caption, and its icon there.
    if (formStyle_ == fsMDIChild)
        RedrawWindow(handle_, nullptr, gdi::NullObject, RDW_FRAME | RDW_INVALIDATE);
}

HWND TCustomForm::ClientHandle() {
    if (!client_) return NullHWnd;
    Handle();
    return client_->Handle();
}

void TCustomForm::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == borderIcons_) return;
    borderIcons_ = value;
    RecreateWnd();
}

bool TCustomForm::Showing() const {
    return visible_ && handle_ != NullHWnd && IsWindowVisible(handle_);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

namespace {

// A control's update may add or take away controls (a toolbar shown or hidden): the count is
// read again at each step, so that nothing freed is reached.
void UpdateClientActions(TWinControl& container) {
    if (!container.Showing()) return;
    for (int i = 0; i < container.ControlCount(); ++i) {
        TControl* control = container.Controls(i);
        if (control->Visible()) control->InitiateAction();
        if (i >= container.ControlCount() || container.Controls(i) != control) continue;
        if (auto* child = dynamic_cast<TWinControl*>(control)) UpdateClientActions(*child);
    }
}

} // namespace

void TCustomForm::UpdateActions() {
    if ((ComponentState() & core::csDesigning) || !Showing()) return;
    InitiateAction();
    UpdateClientActions(*this);
}

// ---- showing and hiding ----

void TCustomForm::Show() {
    AfterConstruction();
    SetVisible(true);
    if (formStyle_ == fsMDIChild) {
        if (TCustomForm* parent = MDIParent()) parent->ActivateMDIChild(this);
    } else if (handle_ != NullHWnd) {
        BringWindowToTop(handle_);
        SetActiveWindow(handle_);
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::ApplyPosition() {
    if (positioned_ || formStyle_ == fsMDIChild) return;
    positioned_ = true;
    TRect area{0, 0, Screen().Width(), Screen().Height()};
    TRect center = area;
    if (Position == poMainFormCenter || Position == poOwnerFormCenter) {
        TCustomForm* other =
            Position == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (!other) other = Application().MainForm();
        if (other && other != this) center = other->BoundsRect();
    }
    if (Position == poScreenCenter || Position == poDesktopCenter || Position == poMainFormCenter ||
        Position == poOwnerFormCenter)
        SetBounds(center.Left + (center.Width() - width_) / 2,
                  center.Top + (center.Height() - height_) / 2, width_, height_);
}

void TCustomForm::ApplyVisibility() {
    if (!created_) return; // AfterConstruction shows it
    if (visible_) {
        HandleNeeded();
        ApplyPosition();
        DoShow();
        if (!visible_ || handle_ == NullHWnd) return;
        if (formStyle_ == fsMDIChild) {
            if (windowState_ == wsMaximized) MaximizeMDIChild();
            ShowWindow(handle_, SW_SHOWNA);
            if (windowState_ == wsMinimized && !Iconic()) {
                // Made minimised: it shows as its icon straight away.
                normalBounds_ = BoundsRect();
                MinimizeMDIChild();
            } else if (TCustomForm* parent = MDIParent()) {
                parent->ActivateMDIChild(this);
            }
        } else {
            ShowWindow(handle_, windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
                                : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                              : SW_SHOW);
        }
        shown_ = true;
    } else {
        if (handle_ == NullHWnd) return;
        DoHide();
        ShowWindow(handle_, SW_HIDE);
        if (formStyle_ == fsMDIChild)
            if (TCustomForm* parent = MDIParent(); parent && parent->activeChild_ == this) {
                parent->activeChild_ = nullptr;
                active_ = false;
                Deactivate();
                auto rest = parent->MDIChildList(false);
                parent->ActivateMDIChild(rest.empty() ? nullptr : rest.front());
            }
    }
}

// ---- the close protocol ----

bool TCustomForm::CloseQuery() {
    if (formStyle_ == fsMDIForm)
        for (TCustomForm* child : MDIChildList(true))
            if (!child->CloseQuery()) return false;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (modal_) {
        // Only the result: the modal loop runs the rest when it ends.
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (formStyle_ == fsMDIChild) action = (borderIcons_ & biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (action == caNone) return;
    if (Application().MainForm() == this && action != caMinimize) {
        Application().Terminate();
        if (action == caHide) Hide();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Release() {
    if (released_) return;
    released_ = true;
    if (handle_ != NullHWnd) {
        if (visible_) {
            visible_ = false;
            ShowWindow(handle_, SW_HIDE);
        }
        core::PostMessage(handle_, CM_RELEASE, 0, 0);
    }
    if (formStyle_ == fsMDIChild)
        if (TCustomForm* parent = MDIParent()) parent->MDIChildGone(this);
}

void TCustomForm::SetModalResult(TModalResult value) {
    modalResult_ = value;
    if (modal_ && value != mrNone && modalLoop_) static_cast<ModalLoop*>(modalLoop_)->Quit();
}

void TCustomForm::DisableOtherForms(std::vector<HWND>& disabled) {
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* f = Screen().Forms(i);
        if (f == this || f->formStyle_ == fsMDIChild || f->handle_ == NullHWnd) continue;
        if (IsWindowEnabled(f->handle_)) {
            EnableWindow(f->handle_, 0);
            disabled.push_back(f->handle_);
        }
    }
}

TModalResult TCustomForm::ShowModal() {
    if (visible_ || !enabled_ || modal_ || formStyle_ == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    AfterConstruction();
    if (GetCapture() != NullHWnd) ReleaseCapture();
    std::vector<HWND> disabled;
    DisableOtherForms(disabled);
    HWND previousActive = GetActiveWindow();
    // The dialog comes above stay-on-top forms (the intro at start-up): under one of them it
    // would be hidden and its clicks would go to the disabled form.
    Application().NormalizeTopMosts();
    modal_ = true;
    modalResult_ = mrNone;
    ModalLoop loop;
    loop.OnIdle = [] { Application().Idle(); };
    modalLoop_ = &loop;
    struct Restore {
        TCustomForm* form;
        std::vector<HWND>& disabled;
        HWND previous;
        ~Restore() {
            for (HWND wnd : disabled)
                if (core::IsWindow(wnd)) EnableWindow(wnd, 1);
            Application().RestoreTopMosts();
            // Shown while none of the program's windows was active (a file dialog of the
            // desktop's had just closed), the dialog gives the activation to the main form, as
            // the platform gives it to the owner: else the next click on the main form would only
            // activate it.
            HWND next = previous;
            if (next == NullHWnd || !core::IsWindow(next)) {
                TCustomForm* main = Application().MainForm();
                if (main && main != form && main->HandleAllocated() &&
                    IsWindowVisible(main->Handle()))
                    next = main->Handle();
            }
            if (next != NullHWnd && core::IsWindow(next)) SetActiveWindow(next);
        }
    } restore{this, disabled, previousActive};
    try {
        Show();
        for (;;) {
            if (modalResult_ == mrNone) loop.Run();
            if (Application().Terminated() && modalResult_ == mrNone) modalResult_ = mrCancel;
            if (modalResult_ == mrNone) {
                // The loop ended by itself (the program quits): give up the dialog.
                modalResult_ = mrCancel;
            }
            TCloseAction action = caNone;
            if (CloseQuery()) {
                action = caHide;
                DoClose(action);
            }
            if (action == caNone) {
                modalResult_ = mrNone;
                if (Application().Terminated()) break;
                continue;
            }
            if (action == caFree) Release();
            break;
        }
    } catch (...) {
        modal_ = false;
        modalLoop_ = nullptr;
        Hide();
        throw;
    }
    modal_ = false;
    modalLoop_ = nullptr;
    if (visible_) Hide();
    return modalResult_;
}

// ---- focus and dialog keys ----

void TCustomForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (control && control->CanFocus() && Active()) control->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    activeControl_ = control;
    if (formStyle_ == fsMDIChild)
        if (TCustomForm* parent = MDIParent(); parent && parent->activeChild_ != this)
            parent->ActivateMDIChild(this);
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
    if (control != this) FocusControl(control);
    const HWND focus = GetFocus();
    // A handler that moves the focus has started a walk of its own, which this one must not undo.
    auto stillFocused = [focus] { return GetFocus() == focus; };
    TWinControl* current = focusedControl_ ? focusedControl_ : this;
    while (current != this && !current->ContainsControl(control)) {
        TWinControl* leaving = current;
        current = current->Parent() ? current->Parent() : this;
        // Moved on before the message, so that a handler that throws leaves the walk where it
        // stopped.
        focusedControl_ = current == this ? nullptr : current;
        leaving->Perform(CM_EXIT, 0, 0);
        if (!stillFocused()) return;
    }
    while (current != control) {
        TWinControl* entering = control;
        while (entering->Parent() != current)
            entering = entering->Parent();
        current = entering;
        focusedControl_ = current;
        entering->Perform(CM_ENTER, 0, 0);
        if (!stillFocused()) return;
    }
}

void TCustomForm::DefocusControl(TWinControl* control) {
    if (control == this) return;
    if (control->ContainsControl(activeControl_)) activeControl_ = nullptr;
    if (control->ContainsControl(focusedControl_)) {
        TWinControl* parent = control->Parent();
        focusedControl_ = parent && parent != this && ContainsControl(parent) ? parent : nullptr;
    }
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> order;
    GetTabOrderList(order);
    std::erase_if(order, [](TWinControl* w) { return !w->TabStop; });
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), current);
    const int n = static_cast<int>(order.size());
    int start = it == order.end() ? (forward ? -1 : n) : static_cast<int>(it - order.begin());
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (forward ? step : -step)) % n + n) % n;
        if (order[static_cast<std::size_t>(i)]->CanFocus()) {
            order[static_cast<std::size_t>(i)]->SetFocus();
            return;
        }
    }
}

bool TCustomForm::DialogKey(WORD key, TShiftState shift) {
    switch (key) {
    case VK_TAB:
        if (shift & (ssCtrl | ssAlt)) return false;
        SelectNext(activeControl_, !(shift & ssShift));
        return true;
    case VK_RETURN:
        // A focused button takes Enter itself, as the default button does.
        if (auto* focused = dynamic_cast<TButton*>(activeControl_); focused && focused->Focused()) {
            focused->Click();
            return true;
        }
        if (TButton* b = FindButton(this, [](TButton* b) { return b->Default; })) {
            b->Click();
            return true;
        }
        return false;
    case VK_ESCAPE:
        if (TButton* b = FindButton(this, [](TButton* b) { return b->Cancel; })) {
            b->Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

namespace {

// The character after the single '&' of a caption, in lower case; 0 for none.
char Accelerator(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

TControl* FindAccelerated(TWinControl* parent, char key) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible() || !c->Enabled()) continue;
        const bool takes = dynamic_cast<TButton*>(c) || dynamic_cast<TCheckBox*>(c) ||
                           dynamic_cast<TRadioButton*>(c) ||
                           (dynamic_cast<TLabel*>(c) && static_cast<TLabel*>(c)->FocusControl());
        if (takes && Accelerator(c->Caption()) == key) return c;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TControl* found = FindAccelerated(w, key)) return found;
    }
    return nullptr;
}

// Offers the character to every showing window control first (CM_DIALOGCHAR), so that a control
// with accelerators of its own (an editor's button captions) takes it; non-zero: taken.
bool OfferDialogChar(TWinControl* parent, char key) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!w || !w->Visible() || !w->Enabled()) continue;
        if (w->Perform(CM_DIALOGCHAR, static_cast<unsigned char>(key), 0) != 0) return true;
        if (OfferDialogChar(w, key)) return true;
    }
    return false;
}

} // namespace

char CaptionAccelerator(const std::string& caption) {
    return Accelerator(caption);
}

bool TCustomForm::DialogChar(char key) {
    if (OfferDialogChar(this, key)) return true;
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    TControl* c = FindAccelerated(this, lower);
    if (!c) return false;
    if (auto* label = dynamic_cast<TLabel*>(c)) {
        if (label->FocusControl()->CanFocus()) label->FocusControl()->SetFocus();
        return true;
    }
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->CanFocus() && !dynamic_cast<TButton*>(c))
        w->SetFocus();
    c->Click();
    return true;
}

// ---- activation ----

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// ---- window state ----

void TCustomForm::SetWindowState(TWindowState value) {
    if (value == windowState_) return;
    const TWindowState old = windowState_;
    windowState_ = value;
    if (handle_ == NullHWnd || !visible_) return;
    if (formStyle_ == fsMDIChild) {
        if (old == wsNormal) normalBounds_ = BoundsRect();
        if (value == wsMinimized)
            MinimizeMDIChild();
        else if (value == wsMaximized)
            MaximizeMDIChild();
        else
            RestoreMDIChild();
        return;
    }
    ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
    ShowWindow(handle_, windowState_ == wsMinimized   ? SW_MINIMIZE
                        : windowState_ == wsMaximized ? SW_MAXIMIZE
                                                      : SW_RESTORE);
}

void TCustomForm::WndProc(TMessage& message) {
    // A child being moved by its caption takes the mouse itself.
    if (moving_) {
        if (message.Msg == WM_MOUSEMOVE) {
            TPoint p;
            GetCursorPos(&p);
            SetBounds(moveBounds_.Left + p.X - moveStart_.X, moveBounds_.Top + p.Y - moveStart_.Y,
                      moveBounds_.Width(), moveBounds_.Height());
            return;
        }
        if (message.Msg == WM_LBUTTONUP || message.Msg == WM_CAPTURECHANGED) {
            moving_ = false;
            if (message.Msg == WM_LBUTTONUP && GetCapture() == handle_) ReleaseCapture();
            return;
        }
    }
    // A press on an icon's caption becomes a click when it is let go there.
    if (iconPressed_) {
        if (message.Msg == WM_MOUSEMOVE) return;
        if (message.Msg == WM_LBUTTONUP || message.Msg == WM_CAPTURECHANGED) {
            iconPressed_ = false;
            if (message.Msg == WM_CAPTURECHANGED) return;
            if (GetCapture() == handle_) ReleaseCapture();
            TPoint p;
            GetCursorPos(&p);
            if (Iconic() && ChildHitTest(p) == HTCAPTION) ShowIconMenu();
            return;
        }
    }
    TCustomControl::WndProc(message);
}

// ---- messages ----

bool TCustomForm::WMSetFocus(TMessage& message) {
    // The form's own window takes the focus on its way to the active control (activation
    // gives it there first): the control keeps it, so that nothing is left and entered again.
    // A control that hands the focus to its form (a toolbar does) does not get it back.
    if (formStyle_ != fsMDIForm && activeControl_ && activeControl_ != this &&
        activeControl_->CanFocus() &&
        static_cast<HWND>(message.WParam) != activeControl_->Handle()) {
        win::SetFocus(activeControl_->Handle());
        return true;
    }
    return false;
}

bool TCustomForm::WMPaint(TMessage&) {
    if (released_) {
        ValidateRect(handle_, nullptr);
        return true;
    }
    return false;
}

bool TCustomForm::WMClose(TMessage&) {
    Close();
    return true;
}

bool TCustomForm::WMNCPaintOrActivate(TMessage& message) {
    DefaultHandler(message);
    if (formStyle_ == fsMDIChild && (GetWindowLong(handle_, GWL_STYLE) & WS_CAPTION))
        PaintChildCaption();
    if (message.Msg == WM_NCACTIVATE) message.Result = 1;
    return true;
}

bool TCustomForm::WMWindowPosChanged(TMessage& message) {
    TCustomControl::Dispatch(message);
    if (formStyle_ == fsMDIChild) MDIChildMoved();
    return true;
}

bool TCustomForm::CMRelease(TMessage&) {
    FreeForm(*this);
    return true;
}

bool TCustomForm::CMVisibleChanged(TMessage&) {
    ApplyVisibility();
    return true;
}

bool TCustomForm::WMActivate(TMessage& message) {
    DefaultHandler(message);
    if (formStyle_ == fsMDIChild) return true;
    if (LOWORD(message.WParam) != WA_INACTIVE) {
        // The activation went on to another window while the message was on its way (a hook
        // handed it over): taking the focus now would pull it back.
        if (handle_ != NullHWnd && GetActiveWindow() != handle_) return true;
        active_ = true;
        Screen().SetActiveForm(this);
        // The focus goes back where it was, or to the first control in tab order.
        if (activeControl_ && activeControl_->CanFocus())
            win::SetFocus(activeControl_->Handle());
        else if (!activeControl_ && formStyle_ != fsMDIForm)
            SelectNext(nullptr, true);
        Activate();
    } else {
        active_ = false;
        Deactivate();
    }
    return true;
}

bool TCustomForm::WMSysCommand(TMessage& message) {
    switch (message.WParam & 0xFFF0) {
    case SC_MINIMIZE:
        SetWindowState(wsMinimized);
        return true;
    case SC_MAXIMIZE:
        SetWindowState(wsMaximized);
        return true;
    case SC_RESTORE:
        SetWindowState(wsNormal);
        return true;
    case SC_CLOSE:
        Close();
        return true;
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
        // A multiple-document child's system menu goes round its siblings.
        if (TCustomForm* parent = MDIParent()) {
            if ((message.WParam & 0xFFF0) == SC_NEXTWINDOW)
                parent->Next();
            else
                parent->Previous();
            return true;
        }
        return false;
    default:
        return false;
    }
    return false;
}

void TCustomForm::Dispatch(TMessage& message) {
    // Each handler says whether it took the message; what none takes goes to the control.
    bool handled = false;
    // clang-format off
    switch (message.Msg) {
    case WM_SETFOCUS: handled = WMSetFocus(message); break;
    case WM_PAINT: handled = WMPaint(message); break;
    case WM_CLOSE: handled = WMClose(message); break;
    case WM_NCPAINT: handled = WMNCPaintOrActivate(message); break;
    case WM_NCACTIVATE: handled = WMNCPaintOrActivate(message); break;
    case WM_NCHITTEST: handled = WMNCHitTest(message); break;
    case WM_NCLBUTTONDOWN: handled = WMNCLButtonDown(message); break;
    case WM_NCLBUTTONDBLCLK: handled = WMNCLButtonDown(message); break;
    case WM_WINDOWPOSCHANGED: handled = WMWindowPosChanged(message); break;
    case CM_RELEASE: handled = CMRelease(message); break;
    case CM_VISIBLECHANGED: handled = CMVisibleChanged(message); break;
    case WM_ACTIVATE: handled = WMActivate(message); break;
    case WM_SYSCOMMAND: handled = WMSysCommand(message); break;
    default: break;
    }
    // clang-format on
    if (!handled) TCustomControl::Dispatch(message);
}

} // namespace platform::forms
