#pragma once
// Small window, keyboard and text routines that the controls, the bar manager and the editors
// share.

#include "platform/gdi/geometry.h"
#include "platform/win/messages.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform::forms {
class TWinControl;
}

namespace toolkit::base {

using platform::gdi::TPoint;
using platform::gdi::TRect;

// The control has a window or can get one now: it is not being destroyed, and a parent (or a
// parent's parent) can, or it is a form.
bool cxCanAllocateHandle(platform::forms::TWinControl* Control);

// The work area of the monitor nearest to P; the primary work area when there is no monitor.
TRect cxGetWorkAreaFromPoint(TPoint P);
// (-1, -1) when the position cannot be had.
TPoint cxGetCursorPos();
platform::win::UINT cxGetDoubleClickTime();
// The character the key makes with the keyboard as it is now; '\0' unless exactly one.
char cxGetCharFromKeyCode(std::uint16_t Key);
bool cxIsCtrlPressed();

bool cxHasChildWindowStyle(platform::win::HWND Wnd);

// The window that answers for Wnd where a popup window holds it (the popup's owner control's
// window), else Wnd. The unit that keeps the popups installs the resolver; without one, Wnd.
using TcxPopupOwnerWindowResolver = std::function<platform::win::HWND(platform::win::HWND)>;
void cxSetPopupOwnerWindowResolver(TcxPopupOwnerWindowResolver Resolver);
platform::win::HWND cxGetPopupOwnerWindow(platform::win::HWND Wnd);
// Wnd is Parent or one of its descendants; false for a null Parent.
bool cxIsWindowOrChild(platform::win::HWND Parent, platform::win::HWND Wnd);
void cxMapWindowPoint(platform::win::HWND From, platform::win::HWND To, TPoint& P);
void cxMapWindowRect(platform::win::HWND From, platform::win::HWND To, TRect& R);

// Kind 0: sign and digits; 1 also the decimal separator; 2 also the exponent mark.
bool cxIsNumericChar(char Ch, int Kind);
bool cxIsTextChar(char Ch);
// S without its accelerator marks: "&x" gives "x" and "&&" one "&". A lone "&" at the very end
// becomes "_" when AppendUnderscore, and goes otherwise.
std::string cxRemoveAccelChars(std::string_view S, bool AppendUnderscore = true);
// The key flags of a mouse message for a shift state (Alt has none).
platform::win::WPARAM cxShiftStateToKeys(unsigned Shift);
// Called by the edit controls after their key handling; does nothing.
inline void cxAfterKeyDownHook() {}

} // namespace toolkit::base
