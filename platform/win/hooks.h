#pragma once
// Thread hooks of the user-interface thread. Keyboard, mouse and get-message hooks see each
// message once, as it is taken from the queue (a modal loop's PeekMessage included): a keyboard
// or mouse hook answering non-zero swallows it, a get-message hook may change it. The
// call-window-procedure hook sees every sent message before the window procedure; it may send
// the message to another window instead by changing the record's hwnd (its other fields are
// only read). The newest hook is called first and passes on with CallNextHookEx.

#include "platform/win/messages.h"

#include <functional>

namespace platform::win {

enum : int { WH_KEYBOARD = 2, WH_GETMESSAGE = 3, WH_CALLWNDPROC = 4, WH_MOUSE = 7 };
enum : int { HC_ACTION = 0, HC_NOREMOVE = 3 };

enum class HHOOK : std::uintptr_t {};
inline constexpr HHOOK NullHook{};

// WH_KEYBOARD: wParam the virtual key, lParam the key flags (bit 31: going up).
// WH_MOUSE: wParam the message, lParam a MOUSEHOOKSTRUCT*.
// WH_GETMESSAGE: wParam PM_REMOVE, lParam the MSG*, which the hook may change.
// WH_CALLWNDPROC: wParam non-zero (sent by this thread), lParam a CWPSTRUCT*, whose hwnd the
// hook may change.
using HOOKPROC = std::function<LRESULT(int code, WPARAM wParam, LPARAM lParam)>;

struct MOUSEHOOKSTRUCT {
    TPoint pt; // screen
    HWND hwnd{};
    UINT wHitTestCode = 0;
    std::uintptr_t dwExtraInfo = 0;
};

struct CWPSTRUCT {
    LPARAM lParam = 0;
    WPARAM wParam = 0;
    UINT message = 0;
    HWND hwnd{};
};

// NullHook for a kind we do not know.
HHOOK SetWindowsHookEx(int kind, HOOKPROC proc);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

} // namespace platform::win
