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

constexpr int IconWidth = 160;

int CaptionHeight() {
    return gdi::GetSystemMetrics(gdi::SM_CYCAPTION) + 2 * gdi::GetSystemMetrics(gdi::SM_CYFRAME);
}

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

TMDIClient::TMDIClient(TComponent* owner) : TWinControl(owner) {
    color_ = gdi::clAppWorkSpace;
}

void TMDIClient::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "MDICLIENT";
    params.style |= WS_CLIPCHILDREN;
}

void TMDIClient::Dispatch(TMessage& message) {
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    auto childOf = [](WPARAM wnd) {
        return dynamic_cast<TCustomForm*>(FindControl(static_cast<HWND>(wnd)));
    };
    if (form) switch (message.Msg) {
        case WM_MDIGETACTIVE: {
            TCustomForm* active = form->ActiveMDIChild();
            if (message.LParam)
                *reinterpret_cast<BOOL*>(message.LParam) =
                    active && active->WindowState() == wsMaximized;
            message.Result = active ? static_cast<LRESULT>(active->Handle()) : 0;
            return;
        }
        case WM_MDIMAXIMIZE:
            if (TCustomForm* child = childOf(message.WParam)) child->SetWindowState(wsMaximized);
            return;
        case WM_MDIRESTORE:
            if (TCustomForm* child = childOf(message.WParam)) child->SetWindowState(wsNormal);
            return;
        case WM_MDINEXT:
            if (message.LParam)
                form->Previous();
            else
                form->Next();
            return;
        case WM_MDICASCADE:
            form->Cascade();
            return;
        case WM_MDITILE:
            form->Tile();
            return;
        case WM_MDIICONARRANGE:
            form->ArrangeIcons();
            return;
        default:
            break;
        }
    TWinControl::Dispatch(message);
}

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
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
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
            if (TCustomForm* parent = MDIParent()) parent->ActivateMDIChild(this);
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

void TCustomForm::MinimizeMDIChild() {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    SetWindowLong(handle_, GWL_STYLE, (GetWindowLong(handle_, GWL_STYLE) | WS_CAPTION));
    SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The platform's flag, so that IsIconic answers for the child.
    ShowWindow(handle_, SW_MINIMIZE);
    parent->ArrangeIcons();
    if (parent->activeChild_ == this) {
        auto rest = parent->MDIChildList(false);
        std::erase_if(rest, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
        parent->ActivateMDIChild(rest.empty() ? this : rest.front());
    }
}

void TCustomForm::MaximizeMDIChild() {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    // A maximised child shows no caption: its caption buttons go to the main form's menu bar.
    SetWindowLong(handle_, GWL_STYLE,
                  static_cast<std::intptr_t>(GetWindowLong(handle_, GWL_STYLE) & ~WS_CAPTION &
                                             ~WS_THICKFRAME));
    SetWindowPos(handle_, NullHWnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    TRect client = parent->client_->ClientRect();
    // The platform's flag, so that IsZoomed answers for the child.
    ShowWindow(handle_, SW_MAXIMIZE);
    SetBounds(0, 0, client.Width(), client.Height());
    parent->ActivateMDIChild(this);
}

void TCustomForm::RestoreMDIChild() {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    TCreateParams params;
    CreateParams(params);
    if (IsZoomed(handle_) || IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
    SetWindowLong(handle_, GWL_STYLE, static_cast<std::intptr_t>(params.style | WS_VISIBLE));
    SetWindowPos(handle_, NullHWnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetBoundsRect(normalBounds_);
    parent->ActivateMDIChild(this);
    parent->ArrangeIcons();
}

// ---- the multiple-document parent ----

std::vector<TCustomForm*> TCustomForm::MDIChildList(bool includeHidden) const {
    std::vector<TCustomForm*> result;
    if (!client_ || !client_->HandleAllocated()) return result;
    for (HWND wnd : ChildWindows(client_->Handle())) {
        auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd));
        if (!form || form->formStyle_ != fsMDIChild || form->released_) continue;
        if (!includeHidden && !form->visible_) continue;
        result.push_back(form);
    }
    return result;
}

int TCustomForm::MDIChildCount() const {
    return static_cast<int>(MDIChildList(true).size());
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    return MDIChildList(true).at(static_cast<std::size_t>(index));
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    return activeChild_;
}

void TCustomForm::ActivateMDIChild(TCustomForm* child) {
    if (child && child->handle_ != NullHWnd)
        SetWindowPos(child->handle_, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (child == activeChild_) {
        // The platform tells an MDI child that is sized or brought forward again, too.
        if (child && child->handle_ != NullHWnd)
            core::SendMessage(child->handle_, WM_CHILDACTIVATE, 0, 0);
        return;
    }
    TCustomForm* old = activeChild_;
    activeChild_ = child;
    if (old) {
        old->active_ = false;
        if (old->handle_ != NullHWnd) core::SendMessage(old->handle_, WM_NCACTIVATE, 0, 0);
        old->Deactivate();
    }
    const auto handleOf = [](TCustomForm* f) {
        return f && f->handle_ != NullHWnd ? static_cast<LPARAM>(f->handle_) : 0;
    };
    if (old && old->handle_ != NullHWnd)
        core::SendMessage(old->handle_, win::WM_MDIACTIVATE, static_cast<WPARAM>(handleOf(old)),
                          handleOf(child));
    if (child) {
        child->active_ = true;
        if (child->handle_ != NullHWnd) {
            core::SendMessage(child->handle_, WM_NCACTIVATE, 1, 0);
            core::SendMessage(child->handle_, WM_CHILDACTIVATE, 0, 0);
            core::SendMessage(child->handle_, win::WM_MDIACTIVATE,
                              static_cast<WPARAM>(handleOf(old)), handleOf(child));
        }
        child->Activate();
        if (child->activeControl_ && child->activeControl_->CanFocus() &&
            GetActiveWindow() == handle_)
            win::SetFocus(child->activeControl_->Handle());
    }
    Screen().ActiveFormChanged();
}

void TCustomForm::MDIChildGone(TCustomForm* child) {
    if (activeChild_ != child) return;
    activeChild_ = nullptr;
    auto rest = MDIChildList(false);
    std::erase(rest, child);
    std::erase_if(rest, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
    ActivateMDIChild(rest.empty() ? nullptr : rest.front());
    if (!activeChild_) Screen().ActiveFormChanged();
}

void TCustomForm::Next() {
    auto list = MDIChildList(false);
    if (list.size() < 2) return;
    // The front child goes to the back, the next one comes forward.
    TCustomForm* front = list.front();
    SetWindowPos(front->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ActivateMDIChild(list[1]);
}

void TCustomForm::Previous() {
    auto list = MDIChildList(false);
    if (list.size() < 2) return;
    ActivateMDIChild(list.back());
}

void TCustomForm::Cascade() {
    if (!client_) return;
    auto list = MDIChildList(false);
    std::erase_if(list, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
    if (list.empty()) return;
    for (TCustomForm* f : list)
        if (f->windowState_ == wsMaximized) f->SetWindowState(wsNormal);
    TRect client = client_->ClientRect();
    const int step = CaptionHeight();
    const int width = client.Width() * 3 / 4, height = client.Height() * 3 / 4;
    // The back child first, so that the front one ends at the last step, still in front.
    int i = 0;
    for (auto it = list.rbegin(); it != list.rend(); ++it, ++i) {
        int offset = (i * step) % std::max(step, client.Height() - height + step);
        (*it)->SetBounds(offset, offset, width, height);
    }
}

void TCustomForm::Tile() {
    if (!client_) return;
    auto list = MDIChildList(false);
    const bool icons = std::any_of(list.begin(), list.end(),
                                   [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
    std::erase_if(list, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
    if (list.empty()) return;
    for (TCustomForm* f : list)
        if (f->windowState_ == wsMaximized) f->SetWindowState(wsNormal);
    TRect area = client_->ClientRect();
    if (icons) area.Bottom -= CaptionHeight();
    const int n = static_cast<int>(list.size());
    // Horizontal tiling stacks the children from top to bottom; more than three go in columns.
    int columns = n <= 3 ? 1 : static_cast<int>(std::floor(std::sqrt(n)));
    if (TileMode == tbVertical) columns = n <= 3 ? n : static_cast<int>(std::ceil(std::sqrt(n)));
    // Each child takes its cell; one without a sizing border keeps its size and is only moved,
    // and one that keeps a size of its own (a least height, a fixed width) pushes the next
    // further down and the next column further right, so that no two children overlap.
    int index = 0;
    int columnLeft = area.Left;
    for (int c = 0; c < columns; ++c) {
        const int cellLeft = area.Left + area.Width() * c / columns;
        const int cellRight = area.Left + area.Width() * (c + 1) / columns;
        const int left = std::max(cellLeft, columnLeft);
        const int inColumn = n / columns + (c >= columns - n % columns ? 1 : 0);
        int below = area.Top;
        int right = left;
        for (int r = 0; r < inColumn; ++r, ++index) {
            const int cellTop = area.Top + area.Height() * r / inColumn;
            const int cellBottom = area.Top + area.Height() * (r + 1) / inColumn;
            const int top = std::max(cellTop, below);
            TCustomForm* child = list[static_cast<std::size_t>(index)];
            const bool sizable =
                child->borderStyle_ == bsSizeable || child->borderStyle_ == bsSizeToolWin;
            if (sizable)
                child->SetBounds(left, top, cellRight - cellLeft, cellBottom - cellTop);
            else
                child->SetBounds(left, top, child->Width(), child->Height());
            below = child->Top() + child->Height();
            right = std::max(right, child->Left() + child->Width());
        }
        columnLeft = right;
    }
}

void TCustomForm::ArrangeIcons() {
    if (!client_) return;
    auto list = MDIChildList(false);
    std::erase_if(list, [](TCustomForm* f) { return f->windowState_ != wsMinimized; });
    TRect area = client_->ClientRect();
    const int height = CaptionHeight();
    const int perRow = std::max(1, area.Width() / IconWidth);
    // The oldest icon first, from the bottom left.
    int i = 0;
    for (auto it = list.rbegin(); it != list.rend(); ++it, ++i)
        (*it)->SetBounds(area.Left + (i % perRow) * IconWidth,
                         area.Bottom - height * (1 + i / perRow), IconWidth, height);
}

// ---- the caption of a multiple-document child ----

namespace {

// Hit-test codes of the caption buttons.
constexpr int HTMINBUTTON = 8;
constexpr int HTMAXBUTTON = 9;
constexpr int HTCLOSE = 20;

} // namespace

TRect TCustomForm::CaptionBar() const {
    if (handle_ == NullHWnd) return {};
    TRect window;
    GetWindowRect(handle_, &window);
    TPoint origin{0, 0};
    win::ClientToScreen(handle_, &origin);
    const int left = origin.X - window.Left, top = origin.Y - window.Top;
    const int height = gdi::GetSystemMetrics(gdi::SM_CYCAPTION);
    TRect client;
    GetClientRect(handle_, &client);
    return {left, top - height, left + client.Width(), top};
}

TRect TCustomForm::CaptionButtonRect(TCaptionButton button) const {
    TRect bar = CaptionBar();
    const int size = std::max(0, bar.Height() - 4);
    const int right = bar.Right - 2 - (2 - static_cast<int>(button)) * (size + 2);
    return {right - size, bar.Top + 2, right, bar.Top + 2 + size};
}

int TCustomForm::ChildHitTest(TPoint screen) const {
    TRect window;
    GetWindowRect(handle_, &window);
    const TPoint p{screen.X - window.Left, screen.Y - window.Top};
    if (!gdi::PtInRect(CaptionBar(), p)) return HTNOWHERE;
    if ((borderIcons_ & biSystemMenu) && gdi::PtInRect(CaptionButtonRect(cbClose), p))
        return HTCLOSE;
    if ((borderIcons_ & biMaximize) && gdi::PtInRect(CaptionButtonRect(cbMaximize), p))
        return HTMAXBUTTON;
    if ((borderIcons_ & biMinimize) && gdi::PtInRect(CaptionButtonRect(cbMinimize), p))
        return HTMINBUTTON;
    return HTCAPTION;
}

void TCustomForm::PaintChildCaption() {
    TRect bar = CaptionBar();
    if (bar.Height() <= 0) return;
    gdi::HDC dc = GetWindowDC(handle_);
    gdi::FillRect(
        dc, &bar,
        gdi::GetSysColorBrush(active_ ? gdi::COLOR_ACTIVECAPTION : gdi::COLOR_INACTIVECAPTION));
    TFont font;
    font.Assign(font_);
    font.SetStyle(gdi::fsBold);
    const int saved = gdi::SaveDC(dc);
    gdi::SelectObject(dc, font.Handle());
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(
        dc, gdi::GetSysColor(active_ ? gdi::COLOR_CAPTIONTEXT : gdi::COLOR_INACTIVECAPTIONTEXT));
    TRect text{bar.Left + 4, bar.Top, CaptionButtonRect(cbMinimize).Left - 2, bar.Bottom};
    gdi::DrawText(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
                  gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX);
    gdi::RestoreDC(dc, saved);
    struct {
        TCaptionButton button;
        TBorderIcons icon;
        UINT kind;
    } const buttons[] = {
        {cbMinimize, biMinimize,
         windowState_ == wsMinimized ? UINT(gdi::DFCS_CAPTIONRESTORE) : UINT(gdi::DFCS_CAPTIONMIN)},
        {cbMaximize, biMaximize,
         windowState_ == wsMaximized ? UINT(gdi::DFCS_CAPTIONRESTORE) : UINT(gdi::DFCS_CAPTIONMAX)},
        {cbClose, biSystemMenu, UINT(gdi::DFCS_CAPTIONCLOSE)},
    };
    for (const auto& b : buttons) {
        if (!(borderIcons_ & b.icon)) continue;
        TRect r = CaptionButtonRect(b.button);
        gdi::DrawFrameControl(dc, &r, gdi::DFC_CAPTION, b.kind);
    }
    ReleaseDC(handle_, dc);
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

bool TCustomForm::WMNCHitTest(TMessage& message) {
    DefaultHandler(message);
    if (formStyle_ == fsMDIChild && message.Result == HTCAPTION)
        message.Result = ChildHitTest(LParamToPoint(message.LParam));
    return true;
}

bool TCustomForm::WMNCLButtonDown(TMessage& message) {
    if (formStyle_ != fsMDIChild) return false;
    switch (static_cast<int>(message.WParam)) {
    case HTCAPTION:
        if (windowState_ != wsNormal) return true;
        moving_ = true;
        GetCursorPos(&moveStart_);
        moveBounds_ = BoundsRect();
        win::SetCapture(handle_);
        return true;
    case HTMINBUTTON:
        SetWindowState(windowState_ == wsMinimized ? wsNormal : wsMinimized);
        return true;
    case HTMAXBUTTON:
        SetWindowState(windowState_ == wsMaximized ? wsNormal : wsMaximized);
        return true;
    case HTCLOSE:
        Close();
        return true;
    default:
        return false;
    }
    return false;
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
