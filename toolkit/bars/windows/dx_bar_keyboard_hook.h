#pragma once
// The bar unit's keyboard hook. Every key of the user-interface thread passes here before its
// target: while a bar window is active (an open menu, a toolbar in menu mode) the key goes to
// that window and nowhere else; Alt pressed and released alone, or F10, puts the main menu bar
// into menu mode; item shortcuts of the bars and of the popup menus bound to the focused control
// run; Alt+letter opens or runs the entry whose accelerator it is.

#include "platform/forms/controls.h"
#include "platform/win/hooks.h"

#include <cstdint>

namespace toolkit::bars {

class TdxBarManager;
class TdxBarPopupMenuLinks;

// Result 1 swallows the key; the next hook is called unless a direct call is in progress.
platform::win::LRESULT BarKeyboardHookProc(int Code, platform::win::WPARAM WParam,
                                           platform::win::LPARAM LParam);

// Set by an in-place edit that calls BarKeyboardHookProc itself from its own message loop:
// the next hook is not called then.
void SetBarKeyboardHookDirectCall(bool Value);
// Set while a toolbar's caption button is held down with the mouse captured: every key is
// swallowed.
void SetBarCaptionButtonCapture(bool Value);

// Inside a bar window: Alt always, and F10 when the manager uses it, close the whole chain of
// open bar windows (and leave menu mode).
bool ClosesBarWindows(std::uint16_t Key, const TdxBarManager* Manager);
// Only letters and digits look for an accelerator inside a bar window.
bool IsAccelKey(std::uint16_t Key);

// ssShift, ssAlt and ssCtrl as the keys are held now.
platform::forms::TShiftState GetShiftStateByKeys();
// Any entry of the thread's key-state table down.
bool IsAnyKeyPressed();
// The popup-menu links of the manager of the form that holds the focused control (the first
// control of the framework from the focused window up); nil when none.
TdxBarPopupMenuLinks* GetFocusedPopupMenuLinks(platform::forms::TWinControl*& Control);

} // namespace toolkit::bars
