#include "platform/win/input_state.h"

#include "platform/win/host_widget.h"
#include "platform/win/input_internal.h"
#include "platform/win/window_data.h"

#include <QPointer>
#include <QWidget>

#include <cstring>

namespace platform::win {

namespace {

struct InputState {
    HWND capture{};
    HWND focus{};
    HWND active{};
    HWND hover{};
    HWND tracked{};
    bool applicationActive = false;
    std::array<std::uint8_t, 256> sync{};
    std::array<std::uint8_t, 256> async{};
    TPoint cursor{};
    UINT doubleClickTime = 500;
};

InputState& State() {
    static InputState state;
    return state;
}

void SetKey(std::array<std::uint8_t, 256>& table, int vk, bool down) {
    auto& entry = table[static_cast<std::uint8_t>(vk)];
    if (down && !(entry & 0x80)) entry ^= 0x01; // a press toggles
    entry = static_cast<std::uint8_t>(down ? (entry | 0x80) : (entry & ~0x80));
}

void SetKeyAndGeneric(std::array<std::uint8_t, 256>& table, int vk, bool down) {
    // Messages carry the generic code of a modifier: it stands for the left one.
    switch (vk) {
    case VK_SHIFT:
        vk = VK_LSHIFT;
        break;
    case VK_CONTROL:
        vk = VK_LCONTROL;
        break;
    case VK_MENU:
        vk = VK_LMENU;
        break;
    default:
        break;
    }
    SetKey(table, vk, down);
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        SetKey(table, VK_SHIFT, (table[VK_LSHIFT] & 0x80) || (table[VK_RSHIFT] & 0x80));
        break;
    case VK_LCONTROL:
    case VK_RCONTROL:
        SetKey(table, VK_CONTROL, (table[VK_LCONTROL] & 0x80) || (table[VK_RCONTROL] & 0x80));
        break;
    case VK_LMENU:
    case VK_RMENU:
        SetKey(table, VK_MENU, (table[VK_LMENU] & 0x80) || (table[VK_RMENU] & 0x80));
        break;
    default:
        break;
    }
}

void Broadcast(UINT msg, WPARAM wParam, LPARAM lParam) {
    for (HWND top : TopLevelWindows())
        core::SendMessage(top, msg, wParam, lParam);
}

HWND Activate(HWND wnd, WPARAM how, bool fromSystem) {
    auto& s = State();
    HWND top = WindowOf(wnd) ? GetAncestor(wnd, GA_ROOT) : NullHWnd;
    HWND old = s.active;
    // With no active window the application may still be active, until it loses activation.
    if (top == old && (top != NullHWnd || !s.applicationActive)) return old;
    const bool appWasActive = s.applicationActive;
    const bool appNowActive = top != NullHWnd;
    s.applicationActive = appNowActive;
    if (!appWasActive && appNowActive) Broadcast(WM_ACTIVATEAPP, 1, 0);
    s.active = top;
    if (WindowOf(old)) {
        core::SendMessage(old, WM_NCACTIVATE, 0, static_cast<LPARAM>(top));
        core::SendMessage(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LPARAM>(top));
    }
    if (!appNowActive) {
        if (WindowOf(s.capture)) core::SendMessage(s.capture, WM_CANCELMODE, 0, 0);
        if (HWND focus = s.focus; WindowOf(focus)) {
            s.focus = NullHWnd;
            core::SendMessage(focus, WM_KILLFOCUS, 0, 0);
        }
        if (appWasActive) Broadcast(WM_ACTIVATEAPP, 0, 0);
        return old;
    }
    if (s.focus != NullHWnd && GetAncestor(s.focus, GA_ROOT) != top) {
        HWND focus = s.focus;
        s.focus = NullHWnd;
        core::SendMessage(focus, WM_KILLFOCUS, 0, 0);
    }
    if (WindowOf(top) && s.active == top) {
        core::SendMessage(top, WM_NCACTIVATE, 1, static_cast<LPARAM>(old));
        core::SendMessage(top, WM_ACTIVATE, how, static_cast<LPARAM>(old));
    }
    auto* w = WindowOf(top);
    if (!fromSystem && w && w->host && w->ManagedByDesktop() && w->host->isVisible())
        w->host->activateWindow();
    return WindowOf(old) ? old : NullHWnd;
}

// Qt gives the moves of a held button and its release only to the widget that got the press
// (and X to its window), and drops them once that widget is hidden or gone: a bar re-parented
// into a window of its own mid-drag would lose the pointer. A Qt mouse grab on the capture
// window's top-level widget takes them all there, whatever widget got the press; the translator
// hands them on to the capture window.
void HoldQtMouseGrab(HWND capture) {
    static QPointer<QWidget> grabbed;
    QWidget* widget = WindowOf(capture) ? HostWidgetOf(GetAncestor(capture, GA_ROOT)) : nullptr;
    if (widget && widget == grabbed && QWidget::mouseGrabber() == widget) return;
    if (grabbed && QWidget::mouseGrabber() == grabbed) grabbed->releaseMouse();
    grabbed = widget;
    if (widget) widget->grabMouse();
}

} // namespace

HWND SetCapture(HWND wnd) {
    auto& s = State();
    HWND old = s.capture;
    if (!WindowOf(wnd)) return old;
    s.capture = wnd;
    HoldQtMouseGrab(wnd);
    if (WindowOf(old) && old != wnd)
        core::SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(wnd));
    return old;
}

BOOL ReleaseCapture() {
    auto& s = State();
    HWND old = s.capture;
    s.capture = NullHWnd;
    HoldQtMouseGrab(NullHWnd);
    if (WindowOf(old)) core::SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() {
    return State().capture;
}

HWND SetFocus(HWND wnd) {
    auto& s = State();
    HWND old = s.focus;
    if (wnd == old) return old;
    if (wnd != NullHWnd) {
        auto* w = WindowOf(wnd);
        if (!w || !IsWindowEnabled(wnd)) return NullHWnd;
        HWND top = GetAncestor(wnd, GA_ROOT);
        if (top != s.active) {
            Activate(top, WA_ACTIVE, false);
            if (!WindowOf(wnd)) return NullHWnd;
            old = s.focus;
            if (wnd == old) return old;
        }
    }
    if (WindowOf(old)) core::SendMessage(old, WM_KILLFOCUS, static_cast<WPARAM>(wnd), 0);
    s.focus = WindowOf(wnd) ? wnd : NullHWnd;
    if (s.focus != NullHWnd) core::SendMessage(wnd, WM_SETFOCUS, static_cast<WPARAM>(old), 0);
    return WindowOf(old) ? old : NullHWnd;
}

HWND GetFocus() {
    return State().focus;
}

HWND SetActiveWindow(HWND wnd) {
    return Activate(wnd, WA_ACTIVE, false);
}

HWND GetActiveWindow() {
    return State().active;
}

BOOL SetForegroundWindow(HWND wnd) {
    if (!WindowOf(wnd)) return false;
    Activate(wnd, WA_ACTIVE, false);
    return true;
}

HWND GetForegroundWindow() {
    return State().active;
}

std::int16_t GetKeyState(int virtualKey) {
    auto v = State().sync[static_cast<std::uint8_t>(virtualKey)];
    return static_cast<std::int16_t>(((v & 0x80) ? 0xFF80 : 0) | (v & 0x01));
}

std::int16_t GetAsyncKeyState(int virtualKey) {
    auto v = State().async[static_cast<std::uint8_t>(virtualKey)];
    return static_cast<std::int16_t>((v & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(std::uint8_t* state256) {
    if (!state256) return false;
    std::memcpy(state256, State().sync.data(), 256);
    return true;
}

BOOL SetKeyboardState(const std::uint8_t* state256) {
    if (!state256) return false;
    std::memcpy(State().sync.data(), state256, 256);
    return true;
}

BOOL GetCursorPos(TPoint* point) {
    if (!point) return false;
    *point = State().cursor;
    return true;
}

BOOL SetCursorPos(int x, int y) {
    State().cursor = {x, y};
    return true;
}

UINT GetDoubleClickTime() {
    return State().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT ms) {
    State().doubleClickTime = ms == 0 ? 500 : ms;
    return true;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    auto& s = State();
    if (!track) return false;
    if (track->dwFlags & TME_CANCEL) {
        if (s.tracked == track->hwndTrack) s.tracked = NullHWnd;
        return true;
    }
    if (!(track->dwFlags & TME_LEAVE) || !WindowOf(track->hwndTrack)) return false;
    if (s.hover != track->hwndTrack) {
        core::PostMessage(track->hwndTrack, WM_MOUSELEAVE, 0, 0);
        return true;
    }
    s.tracked = track->hwndTrack;
    return true;
}

void ResetInputState() {
    auto& s = State();
    UINT doubleClick = s.doubleClickTime;
    s = InputState{};
    s.doubleClickTime = doubleClick;
}

void SetAsyncKey(int virtualKey, bool down) {
    SetKeyAndGeneric(State().async, virtualKey, down);
}

void SetSyncKey(int virtualKey, bool down) {
    SetKeyAndGeneric(State().sync, virtualKey, down);
}

void NoteCursorPos(TPoint screen) {
    State().cursor = screen;
}

void NoteHoverWindow(HWND wnd) {
    auto& s = State();
    s.hover = wnd;
    if (s.tracked != NullHWnd && s.tracked != wnd) {
        core::PostMessage(s.tracked, WM_MOUSELEAVE, 0, 0);
        s.tracked = NullHWnd;
    }
}

void ActivateFromSystem(HWND wnd, WPARAM how) {
    // The desktop activated a window the program has disabled (a click on the main window while
    // a modal box stands, which a window manager also lifts to the front): as on the platform,
    // the enabled window above it takes the activation and comes to the front instead.
    if (auto* w = WindowOf(wnd); w && (w->style & WS_DISABLED)) {
        for (HWND top : TopLevelWindows()) {
            auto* t = WindowOf(top);
            if (top == wnd || !t || !IsShowing(*t) || (t->style & WS_DISABLED) ||
                (t->exStyle & WS_EX_NOACTIVATE) || !t->ManagedByDesktop())
                continue;
            if (t->host) t->host->raise();
            // Still the active window to the program, which the desktop must hear again.
            if (Activate(top, how, false) == top && t->host) t->host->activateWindow();
            return;
        }
    }
    Activate(wnd, how, true);
}

void ForgetInputWindow(HWND wnd, bool destroying) {
    auto& s = State();
    if (destroying && s.capture == wnd) ReleaseCapture();
    if (s.focus == wnd || IsChild(wnd, s.focus)) {
        HWND focus = s.focus;
        s.focus = NullHWnd;
        core::SendMessage(focus, WM_KILLFOCUS, 0, 0);
    }
    if (destroying && s.hover == wnd) s.hover = NullHWnd;
    if (destroying && s.tracked == wnd) s.tracked = NullHWnd;
    if (s.active != wnd) return;
    // The activation passes to the owner, or else to the next window of the application.
    auto usable = [wnd](HWND h) {
        auto* c = WindowOf(h);
        return c && h != wnd && !c->destroying && IsShowing(*c) && !(c->style & WS_DISABLED) &&
               !(c->exStyle & WS_EX_NOACTIVATE);
    };
    auto* w = WindowOf(wnd);
    HWND next = w && usable(w->owner) ? w->owner : NullHWnd;
    if (next == NullHWnd) {
        for (HWND top : TopLevelWindows()) {
            auto* t = WindowOf(top);
            if (usable(top) && t->ManagedByDesktop()) {
                next = top;
                break;
            }
        }
    }
    if (next != NullHWnd) {
        Activate(next, WA_ACTIVE, false);
    } else {
        // The application stays active, with no active window.
        core::SendMessage(wnd, WM_NCACTIVATE, 0, 0);
        core::SendMessage(wnd, WM_ACTIVATE, WA_INACTIVE, 0);
        s.active = NullHWnd;
    }
}

void ActivateShownWindow(HWND wnd) {
    auto* w = WindowOf(wnd);
    if (!w || (w->exStyle & WS_EX_NOACTIVATE) || (w->style & WS_DISABLED)) return;
    Activate(wnd, WA_ACTIVE, false);
}

} // namespace platform::win
