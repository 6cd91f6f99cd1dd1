#pragma once
// Where a window lies apart from its state, and the icons of minimised child windows. A child
// window that is minimised becomes its icon: a caption bar of the minimised size (SM_CXMINIMIZED
// by SM_CYMINIMIZED) with no client area, in the first place along the bottom of its parent's
// client area that no other icon takes (from the bottom-left corner to the right, further rows
// upwards). It keeps the rectangle it had as its normal position and goes back there when it is
// restored or maximised. UI thread only.

#include "platform/win/window.h"

namespace platform::win {

struct WINDOWPLACEMENT {
    UINT flags = 0;
    // SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED or SW_SHOWNORMAL.
    UINT showCmd = 0;
    // The icon's corner; {-1, -1} while the window is not minimised.
    TPoint ptMinPosition{-1, -1};
    TPoint ptMaxPosition{-1, -1};
    // In the parent's client coordinates for a child, on the screen for a top-level window.
    TRect rcNormalPosition;
};

BOOL GetWindowPlacement(HWND wnd, WINDOWPLACEMENT* placement);
// Takes rcNormalPosition alone: a minimised child keeps its icon and goes there when restored;
// any other window moves there at once.
BOOL SetWindowPlacement(HWND wnd, const WINDOWPLACEMENT* placement);
// Lines the visible minimised children of parent up along the bottom of its client area, from
// the left, further rows upwards, in the order they stood (the lowest row first, each from the
// left). Answers the height of a row of icons, 0 when parent has none.
UINT ArrangeIconicWindows(HWND parent);

} // namespace platform::win
