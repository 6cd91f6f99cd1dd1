#pragma once
// The platform's EDIT window class: one line of text that the user edits with the keyboard and
// the mouse and a program drives with messages. It is there from the start, as the system's
// classes are. What it promises, as the platform does:
// - EM_SETSEL selects from its start to its end, the caret at the end (either may be the lower);
//   an end of -1 (or past the text) means the end of the text, a start of -1 removes the
//   selection and leaves the caret. EM_GETSEL answers the lower and the higher.
// - EM_LIMITTEXT stops typing, pasting and EM_REPLACESEL at the limit (EN_MAXTEXT); WM_SETTEXT
//   keeps a longer text whole. Without ES_AUTOHSCROLL typing stops at the formatting
//   rectangle's width as well; with it the line scrolls to keep the caret in view.
// - One undo level: EM_UNDO (WM_UNDO, Ctrl+Z) goes back to the text before the last change and,
//   asked again, forward; a run of typed characters is one change. WM_SETTEXT and
//   EM_EMPTYUNDOBUFFER empty it.
// - Each change of the text, WM_SETTEXT's included, sends the parent one EN_UPDATE and then one
//   EN_CHANGE through WM_COMMAND (the control's id and the code, the window in lParam), as
//   focus does EN_SETFOCUS and EN_KILLFOCUS.
// - Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+Z, Shift+Delete and Shift+Insert send WM_CUT, WM_COPY,
//   WM_PASTE, WM_UNDO to the window itself, so that a subclass (SetWindowLongPtr) sees them and
//   may swallow them.
// - EM_POSFROMCHAR answers the client point of a character's left edge (the end of the text for
//   the length, -1 past it); EM_CHARFROMPOS answers the character boundary nearest a point, so
//   each takes the other's answer back.
// Painting uses the window's font (WM_SETFONT; the system font when none) and the system's
// colours: the selection in the highlight colours while focused (or ES_NOHIDESEL), a disabled or
// read-only control on the button face, a disabled one's text grey. The caret blinks on the
// platform's clock. ES_RIGHT and ES_CENTER place a line narrower than the formatting rectangle at
// its right edge or in its middle; a wider line scrolls as a left-aligned one. ES_MULTILINE is
// not built: every edit is one line.

#include "platform/win/window.h"

namespace platform::win {

inline constexpr const char* EditClassName = "EDIT";

// Styles.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_UPPERCASE = 0x0008;
inline constexpr DWORD ES_LOWERCASE = 0x0010;
inline constexpr DWORD ES_PASSWORD = 0x0020;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_OEMCONVERT = 0x0400;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_NUMBER = 0x2000;

// Messages.
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_GETRECT = 0x00B2;
inline constexpr UINT EM_SETRECT = 0x00B3;
inline constexpr UINT EM_SETRECTNP = 0x00B4;
inline constexpr UINT EM_SCROLLCARET = 0x00B7;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
inline constexpr UINT EM_SETMARGINS = 0x00D3;
inline constexpr UINT EM_GETMARGINS = 0x00D4;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT EM_POSFROMCHAR = 0x00D6;
inline constexpr UINT EM_CHARFROMPOS = 0x00D7;

// EM_SETMARGINS: which margins; a margin of EC_USEFONTINFO takes the font's.
inline constexpr WPARAM EC_LEFTMARGIN = 0x0001;
inline constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
inline constexpr int EC_USEFONTINFO = 0xFFFF;

// Notifications, in WM_COMMAND's high word.
inline constexpr UINT EN_SETFOCUS = 0x0100;
inline constexpr UINT EN_KILLFOCUS = 0x0200;
inline constexpr UINT EN_CHANGE = 0x0300;
inline constexpr UINT EN_UPDATE = 0x0400;
inline constexpr UINT EN_MAXTEXT = 0x0501;

// The limit of a new edit and of EM_LIMITTEXT 0.
inline constexpr int EditDefaultLimit = 30000;
inline constexpr int EditMaximumLimit = 0x7FFFFFFE;
// Half the caret's blink period.
UINT GetCaretBlinkTime();

WNDCLASS EditWindowClass();
LRESULT EditWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace platform::win
