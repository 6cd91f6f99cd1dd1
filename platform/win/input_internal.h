#pragma once
// What the translator and the queue filter tell the input bookkeeping; platform/win only.

#include "platform/win/messages.h"

#include <string>

class QWidget;

namespace platform::win {

// The physical keyboard and buttons as events arrive, and as messages are taken.
void SetAsyncKey(int virtualKey, bool down);
void SetSyncKey(int virtualKey, bool down);
void NoteCursorPos(TPoint screen);
// The window under the cursor changed (NullHWnd: none of ours); ends mouse-leave tracking.
void NoteHoverWindow(HWND wnd);
// The window system (Qt) activated wnd's top-level window, or took activation away (NullHWnd).
void ActivateFromSystem(HWND wnd, WPARAM how);

} // namespace platform::win

namespace platform::win {

// Posts a message of a key typed to wnd, the keyboard's focus (or the active window) as the key
// arrived; when the message is taken from the queue it goes to the focus of that moment.
bool PostTypedKey(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
// The characters a key stroke makes; posted right after its key-down message when that is taken
// from the queue, unless a hook swallowed or changed it (the platform's TranslateMessage).
void QueueKeyCharacters(HWND wnd, int virtualKey, std::string characters, bool system);
// Mouse-message key flags from the key state as of the last message taken.
WPARAM MouseKeyFlags();
// The window manager moved or sized a top-level window's widget.
void FollowHostGeometry(HWND host, const QWidget& widget);

} // namespace platform::win
