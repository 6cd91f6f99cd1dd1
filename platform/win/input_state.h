#pragma once
// Who gets input: the active window, the focus, the mouse capture; and what the keyboard and the
// mouse look like: the key-state tables, the cursor position, mouse-leave tracking. Our own
// bookkeeping, not Qt's, so that tests can drive it headless. UI thread only.

#include "platform/win/messages.h"

#include <array>
#include <cstdint>

namespace platform::win {

// Returns the previous capture. While a window holds it, every mouse message goes to it as a
// client message, with coordinates outside it too. The window losing it gets WM_CAPTURECHANGED.
HWND SetCapture(HWND wnd);
BOOL ReleaseCapture();
HWND GetCapture();

// WM_KILLFOCUS to the old window, WM_SETFOCUS to the new; a window of another top-level window
// activates that one first. Returns the previous focus.
HWND SetFocus(HWND wnd);
HWND GetFocus();

// WM_NCACTIVATE and WM_ACTIVATE to both windows, WM_ACTIVATEAPP when the application's
// activation changes. Takes the top-level window of wnd.
HWND SetActiveWindow(HWND wnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND wnd);
HWND GetForegroundWindow();

// The key state as of the last message taken from the queue (high bit: down; low bit: toggled),
// and as the keyboard is now.
std::int16_t GetKeyState(int virtualKey);
std::int16_t GetAsyncKeyState(int virtualKey);
BOOL GetKeyboardState(std::uint8_t* state256);
BOOL SetKeyboardState(const std::uint8_t* state256);

BOOL GetCursorPos(TPoint* point);
BOOL SetCursorPos(int x, int y);

UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT ms);

enum : DWORD { TME_LEAVE = 0x0002, TME_CANCEL = 0x80000000 };
struct TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack{};
    DWORD dwHoverTime = 0;
};
// WM_MOUSELEAVE is posted once when the cursor leaves the window, then tracking ends.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);

// Back to no capture, no focus, no active window, nothing pressed (tests).
void ResetInputState();

} // namespace platform::win
