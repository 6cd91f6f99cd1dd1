#pragma once
// The system caret, as the platform keeps it: one per thread, owned by one window, with a place
// in that window's client coordinates and a hide count. The window that has the keyboard focus
// and edits text makes it and moves it along its insertion point (the EDIT class does); others
// read where it is. It is no drawing: the owner paints its own insertion mark.

#include "platform/win/messages.h"

namespace platform::win {

// Wnd owns the caret now (another owner's is destroyed); it starts hidden, at (0, 0).
BOOL CreateCaret(HWND wnd, int width, int height);
// Only the owner's caret goes; FALSE when Wnd does not own it.
BOOL DestroyCaret(HWND wnd);
BOOL SetCaretPos(int x, int y);
// FALSE when no window owns the caret (or its owner has gone).
BOOL GetCaretPos(TPoint* point);
// FALSE when Wnd does not own the caret: the way to ask whether a window has it.
BOOL HideCaret(HWND wnd);
BOOL ShowCaret(HWND wnd);
// The owner; NullHWnd when none.
HWND GetCaretOwner();

} // namespace platform::win
