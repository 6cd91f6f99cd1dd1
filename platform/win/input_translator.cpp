#include "platform/win/input_translator.h"

#include "platform/core/clock.h"
#include "platform/core/text.h"
#include "platform/gdi/colors.h"
#include "platform/win/host_widget.h"
#include "platform/win/input_internal.h"
#include "platform/win/input_state.h"
#include "platform/win/window_data.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>

namespace platform::win {

namespace {

struct LastClick {
    HWND wnd{};
    int button = 0;
    core::Millis time = 0;
    TPoint point;
    bool valid = false;
};

LastClick& Last() {
    static LastClick last;
    return last;
}

UINT ButtonMessage(int button, bool down) {
    switch (button) {
    case VK_LBUTTON:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case VK_RBUTTON:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    }
}

int ButtonKey(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return VK_LBUTTON;
    case Qt::RightButton:
        return VK_RBUTTON;
    case Qt::MiddleButton:
        return VK_MBUTTON;
    default:
        return 0;
    }
}

WPARAM AsyncMouseFlags() {
    WPARAM flags = 0;
    if (GetAsyncKeyState(VK_LBUTTON) < 0) flags |= MK_LBUTTON;
    if (GetAsyncKeyState(VK_RBUTTON) < 0) flags |= MK_RBUTTON;
    if (GetAsyncKeyState(VK_MBUTTON) < 0) flags |= MK_MBUTTON;
    if (GetAsyncKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
    if (GetAsyncKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
    return flags;
}

bool IsDoubleClick(HWND target, int button, TPoint p) {
    auto& last = Last();
    const core::Millis now = core::CurrentClock().Now();
    auto* w = WindowOf(target);
    const bool dbl =
        w && (w->classStyle & CS_DBLCLKS) && last.valid && last.wnd == target &&
        last.button == button && now - last.time <= GetDoubleClickTime() &&
        std::abs(p.X - last.point.X) <= gdi::GetSystemMetrics(gdi::SM_CXDOUBLECLK) / 2 &&
        std::abs(p.Y - last.point.Y) <= gdi::GetSystemMetrics(gdi::SM_CYDOUBLECLK) / 2;
    // A third press starts a new pair.
    last = dbl ? LastClick{} : LastClick{target, button, now, p, true};
    return dbl;
}

// True when the press is to be eaten.
bool MouseActivate(HWND target, int hit, UINT msg) {
    HWND top = GetAncestor(target, GA_ROOT);
    if (top == GetActiveWindow()) return false;
    auto* t = WindowOf(top);
    LRESULT answer = core::SendMessage(target, WM_MOUSEACTIVATE, static_cast<WPARAM>(top),
                                       MAKELPARAM(hit, static_cast<int>(msg)));
    constexpr LRESULT MA_ACTIVATEANDEAT = 2, MA_NOACTIVATEANDEAT = 4;
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && t &&
        !(t->exStyle & WS_EX_NOACTIVATE))
        ActivateFromSystem(top, WA_CLICKACTIVE);
    return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

void TranslateMouse(TPoint p, int button, bool down, bool move) {
    NoteCursorPos(p);
    if (button) SetAsyncKey(button, down);
    HWND capture = GetCapture();
    HWND target{};
    int hit = HTCLIENT;
    const UINT clientMsg = move ? WM_MOUSEMOVE : ButtonMessage(button, down);
    if (WindowOf(capture)) {
        target = capture;
    } else {
        target = WindowAndHitFromPoint(p, &hit);
        NoteHoverWindow(target);
        if (!WindowOf(target)) return;
        core::SendMessage(target, WM_SETCURSOR, static_cast<WPARAM>(target),
                          MAKELPARAM(hit, static_cast<int>(clientMsg)));
        if (!IsWindow(target)) return;
        // A disabled window takes no input: its top-level window is told of the press with the
        // hit code HTERROR, which only a mouse hook acts on (a window under a modeless dialog
        // that disables it may still let some of its parts take the mouse).
        if (HWND root = GetAncestor(target, GA_ROOT); !IsWindowEnabled(root)) {
            core::PostMessage(root, clientMsg - NonClientMouseOffset,
                              static_cast<WPARAM>(static_cast<LPARAM>(HTERROR)), PointToLParam(p));
            return;
        }
        if (down && !move && MouseActivate(target, hit, clientMsg)) return;
        if (!IsWindow(target)) return;
    }
    UINT msg = clientMsg;
    if (down && !move && IsDoubleClick(target, button, p)) msg += 2; // the double-click message
    if (hit == HTCLIENT) {
        TPoint c = p;
        ScreenToClient(target, &c);
        core::PostMessage(target, msg, AsyncMouseFlags(), PointToLParam(c));
    } else {
        core::PostMessage(target, msg - NonClientMouseOffset, static_cast<WPARAM>(hit),
                          PointToLParam(p));
    }
}

void TranslateWheel(TPoint p, int delta) {
    NoteCursorPos(p);
    HWND target = GetFocus();
    if (!WindowOf(target)) target = GetActiveWindow();
    if (!WindowOf(target)) target = WindowFromPoint(p);
    if (!WindowOf(target) || delta == 0) return;
    core::PostMessage(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(AsyncMouseFlags()), delta),
                      PointToLParam(p));
}

bool IsExtendedKey(int vk) {
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_APPS:
        return true;
    default:
        return false;
    }
}

// The generic code the messages carry for a sided modifier.
int MessageKey(int vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

void TranslateKey(int vk, bool down, bool repeat, const std::string& characters) {
    HWND focus = GetFocus();
    HWND target = WindowOf(focus) ? focus : GetActiveWindow();
    if (vk == 0) {
        // A key the platform has no code for still types its characters.
        if (down && WindowOf(target)) {
            for (char c : characters)
                PostTypedKey(target, WM_CHAR, static_cast<std::uint8_t>(c), 1);
        }
        return;
    }
    SetAsyncKey(vk, down);
    const int code = MessageKey(vk);
    if (!WindowOf(target)) return;
    const bool alt = GetAsyncKeyState(VK_MENU) < 0 || code == VK_MENU;
    const bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
    const bool system = (alt && !ctrl) || code == VK_F10 || !WindowOf(focus);
    LPARAM flags = 1;
    if (IsExtendedKey(vk)) flags |= KF_EXTENDED;
    if (alt && !ctrl) flags |= KF_ALTDOWN;
    if (repeat || !down) flags |= KF_REPEAT;
    if (!down) flags |= KF_UP;
    const UINT msg =
        down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    PostTypedKey(target, msg, static_cast<WPARAM>(code), flags);
    if (down) QueueKeyCharacters(target, code, characters, system);
}

std::string CharactersOf(const QKeyEvent& e) {
    QString text = e.text();
    if (text.isEmpty()) return {};
    QByteArray utf8 = text.toUtf8();
    return core::Utf8ToAnsi(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

HWND TopLevelOf(HWND wnd) {
    return WindowOf(wnd) ? GetAncestor(wnd, GA_ROOT) : NullHWnd;
}

void FollowWindowManager(HWND host, const QWidget& widget) {
    auto* w = WindowOf(host);
    if (!w || w->IsChild()) return;
    QRect g = widget.geometry();
    TRect r = gdi::Bounds(g.x(), g.y(), g.width(), g.height());
    if (r != w->rect)
        SetWindowPos(host, NullHWnd, r.Left, r.Top, r.Width(), r.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
        switch (key) {
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return VK_DECIMAL;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        default:
            break;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Shift:
        return VK_LSHIFT;
    case Qt::Key_Control:
        return VK_LCONTROL;
    case Qt::Key_Alt:
        return VK_LMENU;
    case Qt::Key_AltGr:
        return VK_RMENU;
    case Qt::Key_Meta:
        return VK_LWIN;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Help:
        return VK_HELP;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return VK_OEM_1;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return VK_OEM_7;
    // The shifted digits of the US layout.
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_ParenRight:
        return '0';
    default:
        return 0;
    }
}

bool TranslateQtEvent(HWND host, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // our own double-click rule decides
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const int button = ButtonKey(e->button());
        if (button == 0) return true;
        QPoint g = e->globalPosition().toPoint();
        TranslateMouse({g.x(), g.y()}, button, event->type() != QEvent::MouseButtonRelease, false);
        return true;
    }
    case QEvent::MouseMove: {
        QPoint g = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        TranslateMouse({g.x(), g.y()}, 0, false, true);
        return true;
    }
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(event);
        QPoint g = e->globalPosition().toPoint();
        // Qt counts eighths of a degree: 120 a notch, as the platform does.
        TranslateWheel({g.x(), g.y()}, e->angleDelta().y());
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        TranslateKey(VirtualKeyFromQt(e->key(), e->modifiers()), event->type() == QEvent::KeyPress,
                     e->isAutoRepeat(), CharactersOf(*e));
        return true;
    }
    case QEvent::ShortcutOverride:
        // Every key is ours: Qt's shortcuts must not take any.
        event->accept();
        return true;
    case QEvent::WindowActivate:
        if (auto* w = WindowOf(TopLevelOf(host));
            w && !(w->exStyle & WS_EX_NOACTIVATE) && w->ManagedByDesktop())
            ActivateFromSystem(w->handle, WA_ACTIVE);
        return true;
    case QEvent::WindowDeactivate:
        // Switching between two of our windows shows up as the other one's activation; only
        // losing the application's activation is handled here.
        if (!QApplication::activeWindow()) ActivateFromSystem(NullHWnd, WA_INACTIVE);
        return true;
    case QEvent::WindowStateChange:
        // The window manager minimized, maximized or restored the window: the program hears it
        // as the system command the caption buttons give.
        if (auto* w = WindowOf(host); w && w->host && !w->IsChild()) {
            const Qt::WindowStates state = w->host->windowState();
            const bool minimized = state.testFlag(Qt::WindowMinimized);
            const bool maximized = state.testFlag(Qt::WindowMaximized);
            if (minimized != w->minimized || (!minimized && maximized != w->maximized)) {
                core::SendMessage(host, WM_SYSCOMMAND,
                                  minimized   ? SC_MINIMIZE
                                  : maximized ? SC_MAXIMIZE
                                              : SC_RESTORE,
                                  0);
            }
        }
        return false;
    case QEvent::Leave:
        if (auto* w = WindowOf(host); w && !w->IsChild()) NoteHoverWindow(NullHWnd);
        return true;
    case QEvent::Close:
        event->ignore();
        core::PostMessage(host, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case QEvent::ContextMenu:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Enter:
        // The platform makes WM_CONTEXTMENU from the right button and the menu key itself;
        // focus is our own bookkeeping.
        return true;
    default:
        return false;
    }
}

// Geometry changes the window manager makes to a top-level window reach the window.
void FollowHostGeometry(HWND host, const QWidget& widget) {
    FollowWindowManager(host, widget);
}

} // namespace platform::win
