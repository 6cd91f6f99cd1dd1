#include "platform/win/hooks.h"

#include "platform/gdi/setting_change.h"

#include "platform/win/input_internal.h"
#include "platform/win/input_state.h"
#include "platform/win/window_data.h"

#include <algorithm>
#include <deque>
#include <map>
#include <vector>

namespace platform::win {

namespace {

struct Hook {
    HHOOK handle{};
    HOOKPROC proc;
};

struct PendingCharacters {
    HWND wnd{};
    int virtualKey = 0;
    std::string characters;
    bool system = false;
};

// A key message posted as the key arrived, not yet taken from the queue.
struct TypedKey {
    HWND wnd{};
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct HookState {
    std::map<int, std::vector<Hook>> chains; // newest first
    std::uintptr_t next = 1;
    std::deque<PendingCharacters> characters;
    std::deque<TypedKey> typed;
};

HookState& Hooks() {
    static HookState state;
    return state;
}

LRESULT CallChainFrom(int kind, std::size_t index, int code, WPARAM wParam, LPARAM lParam) {
    auto& chain = Hooks().chains[kind];
    if (index >= chain.size()) return 0;
    HOOKPROC proc = chain[index].proc; // the hook may unhook itself while it runs
    return proc ? proc(code, wParam, lParam) : 0;
}

LRESULT CallHooks(int kind, int code, WPARAM wParam, LPARAM lParam) {
    return CallChainFrom(kind, 0, code, wParam, lParam);
}

bool IsClientMouse(UINT m) {
    return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK;
}
bool IsNonClientMouse(UINT m) {
    return m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK;
}
bool IsKey(UINT m) {
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP;
}

std::optional<PendingCharacters> TakeCharacters(HWND wnd, int virtualKey) {
    auto& pending = Hooks().characters;
    std::erase_if(pending, [](const PendingCharacters& p) { return !IsWindow(p.wnd); });
    auto it = std::find_if(pending.begin(), pending.end(), [&](const PendingCharacters& p) {
        return p.wnd == wnd && p.virtualKey == virtualKey;
    });
    if (it == pending.end()) return std::nullopt;
    PendingCharacters found = std::move(*it);
    pending.erase(it);
    return found;
}

void TrackButtons(UINT m) {
    switch (m) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        SetSyncKey(VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        SetSyncKey(VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
        SetSyncKey(VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        SetSyncKey(VK_RBUTTON, false);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        SetSyncKey(VK_MBUTTON, true);
        break;
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP:
        SetSyncKey(VK_MBUTTON, false);
        break;
    default:
        break;
    }
}

// With the mouse captured every mouse message goes to the capture window as a client message,
// decided as the message is taken: the capture may have changed since the event arrived.
void RouteToCapture(MSG& msg, TPoint screen) {
    HWND capture = GetCapture();
    if (!WindowOf(capture)) return;
    if (msg.hwnd == capture && IsClientMouse(msg.message)) return;
    if (IsNonClientMouse(msg.message)) msg.message += NonClientMouseOffset;
    TPoint p = screen;
    ScreenToClient(capture, &p);
    msg.hwnd = capture;
    msg.lParam = PointToLParam(p);
}

// A typed key goes to the keyboard's focus as of the moment the program takes it, as on the
// platform: keys typed ahead of a Tab that is still queued reach the control the Tab moves to,
// not the one it leaves. With no focus, the active window takes them as system keys.
void RouteToFocus(MSG& msg) {
    auto& typed = Hooks().typed;
    std::erase_if(typed, [](const TypedKey& k) { return !IsWindow(k.wnd); });
    const auto it = std::find_if(typed.begin(), typed.end(), [&](const TypedKey& k) {
        return k.wnd == msg.hwnd && k.message == msg.message && k.wParam == msg.wParam &&
               k.lParam == msg.lParam;
    });
    if (it == typed.end()) return;
    typed.erase(it);
    const HWND focus = GetFocus();
    const HWND target = WindowOf(focus) ? focus : GetActiveWindow();
    if (!WindowOf(target)) return;
    if (IsKey(msg.message)) {
        const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        const bool system =
            (msg.lParam & KF_ALTDOWN) != 0 || msg.wParam == VK_F10 || !WindowOf(focus);
        if (down) {
            auto& pending = Hooks().characters;
            const auto chars = std::find_if(pending.begin(), pending.end(), [&](const auto& p) {
                return p.wnd == msg.hwnd && p.virtualKey == static_cast<int>(msg.wParam);
            });
            if (chars != pending.end()) {
                chars->wnd = target;
                chars->system = system;
            }
        }
        msg.message =
            down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    }
    msg.hwnd = target;
}

bool FilterMessage(MSG& msg) {
    RouteToFocus(msg);
    const UINT original = msg.message;
    if (IsClientMouse(original) || IsNonClientMouse(original)) {
        TPoint screen = LParamToPoint(msg.lParam);
        if (IsClientMouse(original)) ClientToScreen(msg.hwnd, &screen);
        RouteToCapture(msg, screen);
        MOUSEHOOKSTRUCT info{
            screen, msg.hwnd,
            static_cast<UINT>(IsNonClientMouse(msg.message) ? msg.wParam : HTCLIENT), 0};
        if (CallHooks(WH_MOUSE, HC_ACTION, msg.message, reinterpret_cast<LPARAM>(&info)) != 0) {
            TrackButtons(msg.message);
            return false;
        }
        TrackButtons(msg.message);
        if (IsClientMouse(msg.message) && !IsClientMouse(original)) msg.wParam = MouseKeyFlags();
    } else if (IsKey(original)) {
        if (CallHooks(WH_KEYBOARD, HC_ACTION, msg.wParam, msg.lParam) != 0) {
            if (original == WM_KEYDOWN || original == WM_SYSKEYDOWN)
                TakeCharacters(msg.hwnd, static_cast<int>(msg.wParam));
            SetSyncKey(static_cast<int>(msg.wParam),
                       original == WM_KEYDOWN || original == WM_SYSKEYDOWN);
            return false;
        }
    }
    const HWND keyWindow = msg.hwnd;
    const WPARAM keyCode = msg.wParam;
    CallHooks(WH_GETMESSAGE, HC_ACTION, core::PM_REMOVE, reinterpret_cast<LPARAM>(&msg));
    if (IsKey(original)) {
        const bool down = original == WM_KEYDOWN || original == WM_SYSKEYDOWN;
        SetSyncKey(static_cast<int>(keyCode), down);
        if (down) {
            auto pending = TakeCharacters(keyWindow, static_cast<int>(keyCode));
            if (pending && msg.message == original && msg.hwnd == keyWindow) {
                const UINT charMessage = pending->system ? WM_SYSCHAR : WM_CHAR;
                const auto& text = pending->characters;
                for (auto it = text.rbegin(); it != text.rend(); ++it)
                    core::PostMessageAhead(keyWindow, charMessage, static_cast<std::uint8_t>(*it),
                                           msg.lParam);
            }
        }
    }
    return true;
}

void CallWindowProcHooks(HWND& wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Hooks().chains[WH_CALLWNDPROC].empty()) return;
    CWPSTRUCT info{lParam, wParam, msg, wnd};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, 1, reinterpret_cast<LPARAM>(&info));
    wnd = info.hwnd;
}

} // namespace

void EnsureWindowSystem() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    core::SetMessageFilter(FilterMessage);
    core::SetMessageSource([](MSG& msg, HWND wnd, UINT first, UINT last, UINT) {
        return MakePaintMessage(msg, wnd, first, last);
    });
    core::SetSendMessageHook(CallWindowProcHooks);
    gdi::SetSettingChangeBroadcast(BroadcastSettingChangeToWindows);
}

bool PostTypedKey(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!core::PostMessage(wnd, message, wParam, lParam)) return false;
    Hooks().typed.push_back({wnd, message, wParam, lParam});
    return true;
}

void QueueKeyCharacters(HWND wnd, int virtualKey, std::string characters, bool system) {
    if (characters.empty()) return;
    Hooks().characters.push_back({wnd, virtualKey, std::move(characters), system});
}

WPARAM MouseKeyFlags() {
    WPARAM flags = 0;
    if (GetKeyState(VK_LBUTTON) < 0) flags |= MK_LBUTTON;
    if (GetKeyState(VK_RBUTTON) < 0) flags |= MK_RBUTTON;
    if (GetKeyState(VK_MBUTTON) < 0) flags |= MK_MBUTTON;
    if (GetKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
    return flags;
}

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc) {
    if (kind != WH_KEYBOARD && kind != WH_GETMESSAGE && kind != WH_CALLWNDPROC && kind != WH_MOUSE)
        return NullHook;
    EnsureWindowSystem();
    auto& state = Hooks();
    HHOOK handle{state.next++};
    auto& chain = state.chains[kind];
    chain.insert(chain.begin(), Hook{handle, std::move(proc)});
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    for (auto& [kind, chain] : Hooks().chains) {
        if (std::erase_if(chain, [&](const Hook& h) { return h.handle == hook; }) > 0) return true;
    }
    return false;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    for (auto& [kind, chain] : Hooks().chains) {
        for (std::size_t i = 0; i < chain.size(); ++i) {
            if (chain[i].handle == hook) return CallChainFrom(kind, i + 1, code, wParam, lParam);
        }
    }
    return 0;
}

} // namespace platform::win
