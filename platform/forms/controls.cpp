#include "platform/forms/controls.h"

#include "platform/forms/actions.h"
#include "platform/forms/application.h"
#include "platform/forms/control_action_link.h"
#include "platform/forms/drag_drop.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "platform/win/window_placement.h"

#include <algorithm>
#include <map>
#include <set>

namespace platform::forms {

using namespace win;

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
    return s;
}

namespace {

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL;
}

bool IsInputMessage(UINT msg) {
    return IsMouseMessage(msg) || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST);
}

void FillWithColor(gdi::HDC dc, const TRect& r, TColor color) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(color));
    gdi::FillRect(dc, &r, brush);
    gdi::DeleteObject(brush);
}

// The window classes of our controls; a window of another class is none of ours.
std::set<std::string>& RegisteredClasses() {
    static std::set<std::string> names;
    return names;
}

// The platform class procedure of each of our classes made by CreateSubClass.
std::map<std::string, core::WNDPROC>& SubClassProcs() {
    static std::map<std::string, core::WNDPROC> procs;
    return procs;
}

} // namespace

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this](TObject*) {
        if (!fontFromParent_) parentFont_ = false;
        Perform(CM_FONTCHANGED, 0, 0);
    };
}

TControl::~TControl() {
    drag::Forget(this);
    Application().ControlGoing(this);
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
}

void TControl::SetParent(TWinControl* value) {
    if (value == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
    if (value) {
        value->InsertControl(this);
        if (parentFont_) ApplyParentFont();
        if (parentColor_) ApplyParentColor();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    if (parent_ && visible_) parent_->Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (parent_ && visible_) {
        Invalidate();
        parent_->AlignControl(this);
    }
    if (resized) Resize();
}

void TControl::SetClientWidth(int value) {
    SetWidth(width_ - ClientWidth() + value);
}

void TControl::SetClientHeight(int value) {
    SetHeight(height_ - ClientHeight() + value);
}

TPoint TControl::ClientOrigin() const {
    if (!parent_) return {left_, top_};
    TPoint p = parent_->ClientOrigin();
    return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetAlign(TAlign value) {
    if (value == align_) return;
    align_ = value;
    if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool value) {
    if (value == visible_) return;
    VisibleChanging();
    if (!value && parent_) Invalidate();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
    if (value && parent_) Invalidate();
    if (parent_ && align_ != alNone) parent_->AlignControls();
}

bool TControl::Showing() const {
    return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::EnabledWithParents() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return true;
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_) return;
    color_ = value;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) ApplyParentColor();
}

void TControl::ApplyParentColor() {
    if (!parent_ || parent_->color_ == color_) return;
    color_ = parent_->color_;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) ApplyParentFont();
}

void TControl::ApplyParentFont() {
    if (!parent_) return;
    fontFromParent_ = true;
    font_.Assign(parent_->font_);
    fontFromParent_ = false;
}

void TControl::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    Perform(CM_TEXTCHANGED, 0, 0);
}

bool TControl::HintShowing() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (c->ShowHint) return true;
        if (!c->ParentShowHint) return false;
    }
    return false;
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (popupMenu_ == value) return;
    if (popupMenu_) RemoveFreeNotification(popupMenu_);
    popupMenu_ = value;
    if (value) FreeNotification(value);
}

void TControl::Notification(TComponent* component, core::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == core::opRemove && component == popupMenu_) popupMenu_ = nullptr;
    // An action freed by its owner is still whole here; one deleted outright has already let
    // the link go.
    if (operation == core::opRemove && actionLink_ &&
        (component == actionLink_->Action() || !actionLink_->Action()))
        actionLink_.reset();
}

TBasicAction* TControl::Action() const {
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* value) {
    TBasicAction* old = Action();
    if (value == old) return;
    if (old) old->RemoveFreeNotification(this);
    if (!value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_) {
        actionLink_ = CreateActionLink();
        actionLink_->OnChange = [this](core::TObject* sender) {
            if (sender && sender == Action()) ActionChange(sender, false);
        };
    }
    actionLink_->SetAction(value);
    ActionChange(value, (value->ComponentState() & core::csLoading) != 0);
    value->FreeNotification(this);
}

void TControl::ActionChange(core::TObject* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || Caption().empty()) SetCaption(action->Caption());
    if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!checkDefaults || HelpContext == 0) HelpContext = action->HelpContext();
    if (!checkDefaults || Hint.empty()) Hint = action->Hint();
    if (!checkDefaults || Visible()) SetVisible(action->Visible());
    if (!checkDefaults || !OnClick) OnClick = action->OnExecute();
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
    return std::make_unique<TControlActionLink>(this);
}

void TControl::SetCursor(TCursor value) {
    if (value == cursor_) return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::BeginDrag(bool immediate, int threshold) {
    drag::Begin(this, immediate, threshold);
}

void TControl::EndDrag(bool drop) {
    drag::End(this, drop);
}

bool TControl::Dragging() const {
    return drag::IsDragging(this);
}

HWND TControl::PaintWindow() const {
    return parent_ ? parent_->handle_ : NullHWnd;
}

TRect TControl::PaintRect() const {
    return BoundsRect();
}

void TControl::Invalidate() {
    HWND wnd = PaintWindow();
    if (wnd == NullHWnd || !visible_) return;
    TRect r = PaintRect();
    InvalidateRect(wnd, &r, 1);
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.push_back(this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->handle_ != NullHWnd)
        SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.insert(list.begin(), this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->handle_ != NullHWnd)
        SetWindowPos(w->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    parent_->Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message) {
    if (IsInputMessage(message.Msg) && !EnabledWithParents()) return;
    if ((message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) &&
        dragMode_ == dmAutomatic && !Dragging()) {
        BeginDrag(false);
        return;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    const TPoint p = LParamToPoint(message.LParam);
    const TShiftState shift = KeysToShiftState(message.WParam);
    auto press = [&](TMouseButton button, bool dbl) {
        if (dbl && !(controlStyle_ & csDoubleClicks)) dbl = false;
        if (button == mbLeft) {
            if (controlStyle_ & csCaptureMouse) {
                if (auto* self = dynamic_cast<TWinControl*>(this)) {
                    win::SetCapture(self->Handle());
                } else if (parent_) {
                    win::SetCapture(parent_->Handle());
                    parent_->captureControl_ = this;
                }
            }
            if (controlStyle_ & csClickEvents) clicked_ = true;
        }
        // The platform's order: the double-click handler before the second press's mouse-down.
        if (dbl) DblClick();
        MouseDown(button, shift | (dbl ? ssDouble : 0), p.X, p.Y);
    };
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        press(mbLeft, false);
        return;
    case WM_LBUTTONDBLCLK:
        press(mbLeft, true);
        return;
    case WM_RBUTTONDOWN:
        press(mbRight, false);
        return;
    case WM_RBUTTONDBLCLK:
        press(mbRight, true);
        return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        press(mbMiddle, message.Msg == WM_MBUTTONDBLCLK);
        return;
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        return;
    case WM_LBUTTONUP: {
        // Letting the capture go sends WM_CAPTURECHANGED, which forgets the press.
        const bool wasClicked = clicked_;
        clicked_ = false;
        if (controlStyle_ & csCaptureMouse) {
            HWND capture = PaintWindow();
            if (win::GetCapture() == capture && capture != NullHWnd) win::ReleaseCapture();
            if (parent_ && parent_->captureControl_ == this) parent_->captureControl_ = nullptr;
        }
        if (wasClicked && gdi::PtInRect(ClientRect(), p)) Click();
        MouseUp(mbLeft, shift, p.X, p.Y);
        return;
    }
    case WM_RBUTTONUP: {
        MouseUp(mbRight, shift, p.X, p.Y);
        bool handled = false;
        DoContextPopup(p, handled);
        if (handled) return;
        for (TControl* c = this; c; c = c->parent_) {
            if (c->popupMenu_ && c->popupMenu_->AutoPopup) {
                c->popupMenu_->SetPopupComponent(this);
                c->popupMenu_->Popup(ClientToScreen(p).X, ClientToScreen(p).Y);
                break;
            }
        }
        return;
    }
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, p.X, p.Y);
        return;
    case WM_CAPTURECHANGED:
        clicked_ = false;
        break;
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
        Invalidate();
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_) ApplyParentFont();
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_) ApplyParentColor();
        return;
    default:
        break;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::Click() {
    if (OnClick && Action() && !SameRoutine(OnClick, Action()->OnExecute()))
        OnClick(this);
    else if (actionLink_ && !(ComponentState() & core::csDesigning))
        actionLink_->Execute(this);
    else if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    if (handled) return true;
    return wheelDelta < 0 ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, shift, mousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, shift, mousePos, handled);
    return handled;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::Changed() {
    Perform(CM_CHANGED, 0, 0);
}

bool TControl::DragOver(TObject* source, int x, int y, TDragState state) {
    bool accept = false;
    if (OnDragOver) {
        accept = true;
        OnDragOver(this, source, x, y, state, accept);
    }
    return accept;
}

void TControl::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
    if (OnEndDrag) OnEndDrag(this, target, x, y);
}

void TControl::DoStartDrag() {
    if (OnStartDrag) OnStartDrag(this);
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    if (TCustomForm* form = ParentForm(); form && form != this) form->DefocusControl(this);
    for (TControl* c : controls_)
        c->parent_ = nullptr;
    controls_.clear();
    captureControl_ = nullptr;
    DestroyHandle();
}

LRESULT TWinControl::WindowProcedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        auto* control = static_cast<TWinControl*>(cs->lpCreateParams);
        control->handle_ = wnd;
        SetWindowLong(wnd, GWL_USERDATA, reinterpret_cast<std::intptr_t>(control));
    }
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLong(wnd, GWL_USERDATA));
    if (!control) {
        // A window whose control has let it go still ends as its platform class does.
        auto proc = SubClassProcs().find(GetClassName(wnd));
        if (proc != SubClassProcs().end())
            return CallWindowProc(proc->second, wnd, msg, wParam, lParam);
        return DefWindowProc(wnd, msg, wParam, lParam);
    }
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WndProc(m);
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLong(wnd, GWL_USERDATA, 0);
        control->handle_ = NullHWnd;
    }
    return m.Result;
}

TWinControl* FindControl(HWND wnd) {
    if (wnd == NullHWnd || !core::IsWindow(wnd)) return nullptr;
    if (!RegisteredClasses().count(GetClassName(wnd))) return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLong(wnd, GWL_USERDATA));
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.x = left_;
    params.y = top_;
    params.width = width_;
    params.height = height_;
    if (parent_) params.parent = parent_->handle_;
    if (visible_) params.style |= WS_VISIBLE;
    if (!enabled_) params.style |= WS_DISABLED;
    if (TabStop) params.style |= WS_TABSTOP;
}

void TWinControl::CreateHandle() {
    if (handle_ != NullHWnd) return;
    if (parent_ && parent_->handle_ == NullHWnd) return;
    TCreateParams params;
    CreateParams(params);
    auto& registered = RegisteredClasses();
    if (!registered.count(params.className)) {
        WNDCLASS cls;
        cls.style = params.classStyle;
        cls.lpfnWndProc = &TWinControl::WindowProcedure;
        cls.hCursor = LoadCursor(IDC_ARROW);
        cls.lpszClassName = params.className;
        RegisterClass(cls);
        registered.insert(params.className);
    }
    defWndProc_ = params.defWndProc;
    if (params.defWndProc) SubClassProcs()[params.className] = params.defWndProc;
    // Without a window the client area was taken as the whole control.
    const TRect assumedClient = ClientRect();
    const int assumedWidth = width_, assumedHeight = height_;
    CreateWindowEx(params.exStyle, params.className, text_, params.style, params.x, params.y,
                   params.width, params.height, params.parent, params.id, this);
    if (handle_ == NullHWnd) throw core::Exception("Error creating window");
    SyncBoundsFromWindow();
    // The new window's frame takes its share of the size: the control hears its real client
    // area, as the platform tells a window its size when it is made, so that what it laid out
    // in the assumed one fits.
    if (width_ == assumedWidth && height_ == assumedHeight) {
        const TRect client = ClientRect();
        if (client.Width() != assumedClient.Width() || client.Height() != assumedClient.Height()) {
            AlignControls();
            Resize();
        }
    }
    CreateWnd();
    // A child that came with a window of its own (moved here from another parent before this
    // window existed) moves its window in; the others make theirs.
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            if (w->handle_ != NullHWnd)
                win::SetParent(w->handle_, handle_);
            else
                w->CreateHandle();
        }
    AlignControls();
}

void TWinControl::CreateSubClass(TCreateParams& params, const std::string& className) {
    WNDCLASS cls;
    if (!GetClassInfo(className, &cls)) throw core::Exception("Unknown window class " + className);
    params.classStyle = cls.style;
    params.defWndProc = cls.lpfnWndProc;
}

void TWinControl::DestroyHandle() {
    if (handle_ == NullHWnd) return;
    HWND wnd = handle_;
    destroyingHandle_ = true;
    if (core::IsWindow(wnd)) DestroyWnd();
    if (core::IsWindow(wnd)) {
        SetWindowLong(wnd, GWL_USERDATA, 0);
        DestroyWindow(wnd);
    }
    handle_ = NullHWnd;
    destroyingHandle_ = false;
}

void TWinControl::RecreateWnd() {
    if (handle_ == NullHWnd) return;
    const bool hadFocus = Focused();
    DestroyHandle();
    CreateHandle();
    if (hadFocus) SetFocus();
}

HWND TWinControl::Handle() {
    if (handle_ == NullHWnd) CreateHandle();
    return handle_;
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (handle_ != NullHWnd) {
            if (w->handle_ != NullHWnd)
                win::SetParent(w->handle_, handle_);
            else
                w->CreateHandle();
        }
    } else {
        control->Invalidate();
    }
    if (control->align_ != alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
    if (captureControl_ == control) {
        captureControl_ = nullptr;
        if (GetCapture() == handle_ && handle_ != NullHWnd) ReleaseCapture();
    }
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = ParentForm()) form->DefocusControl(w);
    } else {
        control->Invalidate();
    }
    std::erase(controls_, control);
    control->parent_ = nullptr;
    if (control->align_ != alNone) AlignControls();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->parent_)
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls) continue;
        if (!c->visible_ || (!c->enabled_ && !allowDisabled)) continue;
        if (gdi::PtInRect(c->BoundsRect(), p)) return c;
    }
    return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    if (handle_ != NullHWnd && !syncing_ && IsIconic(handle_) &&
        (GetWindowLong(handle_, GWL_STYLE) & WS_CHILD)) {
        // A minimised child keeps its icon; the bounds are where it goes back to.
        const bool resized = width != width_ || height != height_;
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
        WINDOWPLACEMENT placement;
        GetWindowPlacement(handle_, &placement);
        placement.rcNormalPosition = gdi::Bounds(left, top, width, height);
        SetWindowPlacement(handle_, &placement);
        BoundsChanged();
        if (resized) {
            AlignControls();
            Resize();
        }
        return;
    }
    if (handle_ != NullHWnd && !syncing_) {
        left_ = left;
        top_ = top;
        const bool resized = width != width_ || height != height_;
        width_ = width;
        height_ = height;
        MoveWindow(handle_, left, top, width, height, 1);
        BoundsChanged();
        if (parent_) parent_->AlignControl(this);
        if (resized) {
            AlignControls();
            Resize();
        }
        return;
    }
    TControl::SetBounds(left, top, width, height);
    AlignControls();
}

void TWinControl::SyncBoundsFromWindow() {
    if (handle_ == NullHWnd) return;
    TRect r;
    GetWindowRect(handle_, &r);
    WINDOWPLACEMENT placement;
    if (IsIconic(handle_) && (GetWindowLong(handle_, GWL_STYLE) & WS_CHILD) &&
        GetWindowPlacement(handle_, &placement)) {
        // A minimised child keeps its bounds (in its parent's client area) while its icon
        // stands in for it.
        r = placement.rcNormalPosition;
    } else if (parent_ && parent_->handle_ != NullHWnd) {
        TPoint corners[2] = {r.TopLeft(), r.BottomRight()};
        MapWindowPoints(NullHWnd, parent_->handle_, corners, 2);
        r = {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
    } else if (HWND owner = GetParent(handle_); owner != NullHWnd && IsChild(owner, handle_)) {
        TPoint corners[2] = {r.TopLeft(), r.BottomRight()};
        MapWindowPoints(NullHWnd, owner, corners, 2);
        r = {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
    }
    const bool resized = r.Width() != width_ || r.Height() != height_;
    left_ = r.Left;
    top_ = r.Top;
    width_ = r.Width();
    height_ = r.Height();
    if (resized) {
        AlignControls();
        Resize();
    }
}

TRect TWinControl::ClientRect() const {
    if (handle_ != NullHWnd) {
        TRect r;
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
    if (handle_ != NullHWnd) {
        TPoint p{0, 0};
        win::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    if (handle_ != NullHWnd) SetWindowText(handle_, value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TWinControl::SetEnabled(bool value) {
    TControl::SetEnabled(value);
}

void TWinControl::Update() {
    if (handle_ != NullHWnd) UpdateWindow(handle_);
}

bool TWinControl::Focused() const {
    return handle_ != NullHWnd && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const {
    if (handle_ == NullHWnd) return false;
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return IsWindowVisible(handle_);
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = ParentForm(); form && form != this) form->FocusControl(this);
    win::SetFocus(Handle());
}

void TWinControl::EnableAlign() {
    if (--alignDisabled_ == 0) AlignControls();
}

void TWinControl::AlignControl(TControl* control) {
    if (alignDisabled_ > 0) return;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(control, rect);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    if (alignDisabled_ > 0 || (control && control->align_ == alNone)) return;
    ++alignDisabled_;
    TRect rest = rect;
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : controls_) {
            if (c->align_ != kind || !c->visible_) continue;
            switch (kind) {
            case alTop:
                c->SetBounds(rest.Left, rest.Top, rest.Width(), c->height_);
                rest.Top += c->height_;
                break;
            case alBottom:
                c->SetBounds(rest.Left, rest.Bottom - c->height_, rest.Width(), c->height_);
                rest.Bottom -= c->height_;
                break;
            case alLeft:
                c->SetBounds(rest.Left, rest.Top, c->width_, rest.Height());
                rest.Left += c->width_;
                break;
            case alRight:
                c->SetBounds(rest.Right - c->width_, rest.Top, c->width_, rest.Height());
                rest.Right -= c->width_;
                break;
            case alClient:
                c->SetBounds(rest.Left, rest.Top, std::max(0, rest.Width()),
                             std::max(0, rest.Height()));
                break;
            default:
                break;
            }
        }
    }
    --alignDisabled_;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    std::vector<TWinControl*> children;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) children.push_back(w);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder < b->TabOrder; });
    for (TWinControl* w : children) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

void TWinControl::ApplyVisible() {
    if (handle_ == NullHWnd) return;
    ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
}

bool TWinControl::RouteMouse(TMessage& message) {
    if (!IsMouseMessage(message.Msg)) return false;
    TControl* target = nullptr;
    if (captureControl_ && GetCapture() == handle_) {
        target = captureControl_;
    } else {
        captureControl_ = nullptr;
        target = ControlAtPos(LParamToPoint(message.LParam));
    }
    if (!target) return false;
    TPoint p = LParamToPoint(message.LParam);
    TMessage m{message.Msg, message.WParam,
               PointToLParam({p.X - target->left_, p.Y - target->top_}), 0};
    target->WndProc(m);
    message.Result = m.Result;
    return true;
}

void TWinControl::WndProc(TMessage& message) {
    if (drag::HandleMessage(handle_, message)) return;
    if (RouteMouse(message)) return;
    if (focusOnClick_ && (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) &&
        EnabledWithParents() && !Focused() && CanFocus())
        SetFocus();
    TControl::WndProc(message);
}

void TWinControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
}

void TWinControl::HandlePaint(gdi::HDC dc) {
    // A device context in the message: paint a copy into it, the window's own state untouched.
    if (dc != gdi::NullDC) {
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    PAINTSTRUCT ps;
    dc = BeginPaint(handle_, &ps);
    PaintWindow(dc);
    PaintControls(dc);
    EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(gdi::HDC) {}

void TWinControl::PaintControls(gdi::HDC dc) {
    for (TControl* c : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(c);
        if (!graphic || !c->visible_) continue;
        TRect r = c->BoundsRect();
        if (!gdi::RectVisible(dc, &r)) continue;
        const int saved = gdi::SaveDC(dc);
        gdi::IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        gdi::OffsetViewportOrgEx(dc, r.Left, r.Top, nullptr);
        graphic->canvas_.SetHandle(dc);
        graphic->canvas_.Refresh();
        graphic->canvas_.Font().Assign(graphic->font_);
        // A copy of this window is a copy of its graphic children too.
        const TControlState state = graphic->ControlState;
        if (ControlState & csPaintCopy) graphic->ControlState |= csPaintCopy;
        try {
            graphic->Paint();
        } catch (...) {
            graphic->ControlState = state;
            graphic->canvas_.SetHandle(gdi::NullDC);
            gdi::RestoreDC(dc, saved);
            throw;
        }
        graphic->ControlState = state;
        graphic->canvas_.SetHandle(gdi::NullDC);
        gdi::RestoreDC(dc, saved);
    }
}

bool TWinControl::WantsKey(WORD) const {
    return false;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::HandleKey(TMessage& message) {
    TCustomForm* form = ParentForm();
    const TShiftState shift = KeyboardShiftState();
    if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN) {
        WORD key = static_cast<WORD>(message.WParam);
        if (form && form != this && form->KeyPreview && form->OnKeyDown)
            form->OnKeyDown(form, key, shift);
        if (key) KeyDown(key, shift);
        if (key && form && !WantsKey(key) && form->DialogKey(key, shift)) key = 0;
        if (key) DefaultHandler(message);
        return;
    }
    if (message.Msg == WM_KEYUP || message.Msg == WM_SYSKEYUP) {
        WORD key = static_cast<WORD>(message.WParam);
        if (form && form != this && form->KeyPreview && form->OnKeyUp)
            form->OnKeyUp(form, key, shift);
        if (key) KeyUp(key, shift);
        if (key) DefaultHandler(message);
        return;
    }
    if (message.Msg == WM_SYSCHAR) {
        if (form && form->DialogChar(static_cast<char>(message.WParam))) return;
        DefaultHandler(message);
        return;
    }
    if (message.Msg == WM_CHAR) {
        char c = static_cast<char>(message.WParam);
        // Where the focus takes no typing, a plain letter may be an accelerator.
        const bool typing = !(dynamic_cast<TButton*>(this) || dynamic_cast<TCheckBox*>(this) ||
                              dynamic_cast<TRadioButton*>(this) || this == form);
        if (form && !typing && static_cast<unsigned char>(c) > 32 && form->DialogChar(c)) return;
        if ((c == '\r' || c == '\x1b' || c == '\t') &&
            !WantsKey(static_cast<WORD>(c == '\r'   ? VK_RETURN
                                        : c == '\t' ? VK_TAB
                                                    : VK_ESCAPE)))
            return;
        if (form && form != this && form->KeyPreview && form->OnKeyPress) form->OnKeyPress(form, c);
        if (c) KeyPress(c);
        // A platform class types what the key handlers leave.
        if (c && defWndProc_ && handle_ != NullHWnd) {
            message.WParam = static_cast<unsigned char>(c);
            DefaultHandler(message);
        }
        return;
    }
    DefaultHandler(message);
}

bool TWinControl::ReflectNotification(TMessage& message) {
    TWinControl* child = nullptr;
    UINT reflected = 0;
    switch (message.Msg) {
    case WM_COMMAND:
        child = FindControl(static_cast<HWND>(message.LParam));
        reflected = CN_COMMAND;
        break;
    case WM_DRAWITEM:
        child = FindControl(reinterpret_cast<const win::DRAWITEMSTRUCT*>(message.LParam)->hwndItem);
        reflected = CN_DRAWITEM;
        break;
    case WM_MEASUREITEM: {
        // The record names the control by its id alone.
        const auto id = static_cast<std::intptr_t>(
            reinterpret_cast<const win::MEASUREITEMSTRUCT*>(message.LParam)->CtlID);
        for (TControl* c : controls_) {
            auto* w = dynamic_cast<TWinControl*>(c);
            if (w && w->handle_ != NullHWnd && id != 0 && GetWindowLong(w->handle_, GWL_ID) == id)
                child = w;
        }
        // A pop-up this window owns names itself the same way.
        for (HWND popup : TopLevelWindows())
            if (!child && id != 0 && handle_ != NullHWnd && GetWindow(popup, GW_OWNER) == handle_ &&
                GetWindowLong(popup, GWL_ID) == id)
                child = FindControl(popup);
        reflected = CN_MEASUREITEM;
        break;
    }
    default:
        return false;
    }
    // Only a direct child's, or a pop-up's this window owns (a drop-down list that stands on
    // its own): a control's own window may send itself a notification (a painter telling an
    // edit of a change), which is not to come back to it.
    if (!child || child == this) return false;
    const bool ownedPopup = child->parent_ == nullptr && child->handle_ != NullHWnd &&
                            handle_ != NullHWnd && GetWindow(child->handle_, GW_OWNER) == handle_;
    if (child->parent_ != this && !ownedPopup) return false;
    message.Result = child->Perform(reflected, message.WParam, message.LParam);
    return true;
}

void TWinControl::Dispatch(TMessage& message) {
    if (ReflectNotification(message)) return;
    switch (message.Msg) {
    case WM_MOUSEWHEEL:
        if (DoMouseWheel(KeysToShiftState(LOWORD(static_cast<std::uintptr_t>(message.WParam))),
                         GET_WHEEL_DELTA_WPARAM(message.WParam), LParamToPoint(message.LParam))) {
            message.Result = 1;
            return;
        }
        DefaultHandler(message);
        return;
    case WM_PAINT:
        HandlePaint(static_cast<gdi::HDC>(message.WParam));
        return;
    case WM_ERASEBKGND: {
        if (message.WParam == 0) return;
        TRect r = ClientRect();
        FillWithColor(static_cast<gdi::HDC>(message.WParam), r, color_);
        message.Result = 1;
        return;
    }
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        if (!syncing_) {
            syncing_ = true;
            SyncBoundsFromWindow();
            syncing_ = false;
        }
        return;
    case WM_SETFOCUS:
        DefaultHandler(message);
        // The form tells each control the focus leaves or reaches, when the focus moves within
        // it; a window outside any form is entered and left by nobody.
        if (TCustomForm* form = ParentForm()) form->SetFocusedControl(this);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        HandleKey(message);
        return;
    case WM_SETCURSOR:
        if (static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(message.LParam))) ==
            HTCLIENT) {
            TCursor cursor = Screen().Cursor();
            if (cursor == crDefault) {
                TPoint p;
                GetCursorPos(&p);
                TControl* c = ControlAtPos(ScreenToClient(p), true);
                cursor = c && c->cursor_ != crDefault ? c->cursor_ : cursor_;
            }
            if (cursor != crDefault) {
                win::SetCursor(ScreenCursor(cursor));
                message.Result = 1;
                return;
            }
        }
        break;
    case CM_CURSORCHANGED: {
        // Under the pointer the new cursor shows at once, not at the next move.
        TPoint p;
        if (handle_ != NullHWnd && GetCursorPos(&p) && WindowFromPoint(p) == handle_)
            Perform(WM_SETCURSOR, static_cast<WPARAM>(handle_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return;
    }
    case CM_ENABLEDCHANGED:
        if (handle_ != NullHWnd) EnableWindow(handle_, enabled_);
        Invalidate();
        for (TControl* c : controls_)
            c->Invalidate();
        return;
    case CM_VISIBLECHANGED:
        ApplyVisible();
        return;
    case CM_FONTCHANGED:
        Invalidate();
        for (TControl* c : std::vector<TControl*>(controls_))
            c->Perform(CM_PARENTFONTCHANGED, 0, 0);
        return;
    case CM_COLORCHANGED:
        Invalidate();
        for (TControl* c : std::vector<TControl*>(controls_))
            c->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        return;
    default:
        break;
    }
    TControl::Dispatch(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (handle_ == NullHWnd) return;
    if (defWndProc_) {
        message.Result =
            CallWindowProc(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
        return;
    }
    message.Result = DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
}

// ---- TGraphicControl, TCustomControl ----

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(gdi::HDC dc) {
    canvas_.SetHandle(dc);
    canvas_.Refresh();
    canvas_.Font().Assign(font_);
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(gdi::NullDC);
        throw;
    }
    canvas_.SetHandle(gdi::NullDC);
}

TCustomControl::TDrawingNow::TDrawingNow(TCustomControl& control) : control_(control) {
    if (control_.canvas_.HandleAllocated() || !control_.HandleAllocated()) return;
    dc_ = GetDC(control_.handle_);
    control_.canvas_.SetHandle(dc_);
    control_.canvas_.Refresh();
    control_.canvas_.Font().Assign(control_.font_);
}

TCustomControl::TDrawingNow::~TDrawingNow() {
    if (dc_ == gdi::NullDC) return;
    control_.canvas_.SetHandle(gdi::NullDC);
    ReleaseDC(control_.handle_, dc_);
}

// ---- finding controls ----

TControl* FindDragTarget(TPoint screen, bool allowDisabled) {
    HWND wnd = WindowFromPoint(screen);
    TWinControl* control = nullptr;
    while (wnd != NullHWnd && !(control = FindControl(wnd)))
        wnd = GetParent(wnd);
    if (!control) return nullptr;
    if (TControl* graphic = control->ControlAtPos(control->ScreenToClient(screen), allowDisabled))
        return graphic;
    return control;
}

} // namespace platform::forms
