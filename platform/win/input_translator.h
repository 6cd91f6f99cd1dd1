#pragma once
// The one way input enters the window system: Qt events of the host widgets (and of the test
// drivers, which make them as a user's input arrives) become the platform's messages, posted
// in the order they came. Mouse messages go to the window under the cursor after WM_NCHITTEST
// and WM_SETCURSOR (non-client messages outside the client area), or to the capture window;
// a press on an inactive window asks WM_MOUSEACTIVATE; double clicks follow the platform's time
// and distance for classes with CS_DBLCLKS. Keys go to the focus window with virtual-key codes
// from one table; their Windows-1252 characters follow as WM_CHAR when the key is taken from
// the queue. Alt combinations and F10 are system keys.

#include "platform/win/messages.h"

#include <Qt>

class QEvent;

namespace platform::win {

// True when the event was taken. host is the window whose widget received it (NullHWnd when
// none).
bool TranslateQtEvent(HWND host, QEvent* event);

// The virtual key of a Qt key; 0 for a key the platform has no code for.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace platform::win
