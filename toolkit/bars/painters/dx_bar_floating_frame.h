#pragma once
// The classic frame of a floating toolbar window, in system colours and system metrics: a
// thin frame, a caption strip with a size grip in its corner and a flat close button. The
// corner the grip faces says where the strip lies: 0 top-left, 1 top-right, 2 bottom-left,
// 3 bottom-right; 1 and 3 put the grip at the right (the close button at the left), 2 and 3
// put the strip at the bottom. The routines keep no state.

#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"
#include "platform/win/window.h"

namespace toolkit::bars {

// The caption strip and the line under it: max(SM_CYHSCROLL + 2, SM_CYSMCAPTION) + 1.
int GetFloatingCaptionHeight();
// The corner for a window against a reference rectangle (the screen's work area, its owner):
// a window left of the reference's right edge takes a right corner, one above its bottom a
// bottom corner, so that the grip points into the room beside the window.
int GetSizeGripCorner(const platform::gdi::TRect& WindowRect, const platform::gdi::TRect& RefRect);
// Draws the system size grip, facing Corner, inside Rect at that corner; Rect becomes the grip.
void DrawSizeGripInCorner(platform::gdi::HDC DC, platform::gdi::TRect& Rect, int Corner);
// Draws the flat close button in the caption strip Rect, at the end away from the grip; Rect
// becomes the button. Highlighted raises it (sunk when Pressed) unless Flat.
void DrawFloatingCloseButton(platform::gdi::HDC DC, platform::gdi::TRect& Rect, bool Highlighted,
                             int Corner, bool Flat, bool Pressed);
// Draws the frame on the window's own device context. The grip's area (grown by 2 within the
// strip) and the close button come back in window coordinates; both are empty without a caption.
void DrawFloatingFrame(platform::win::HWND Wnd, bool HasCaption, bool Flat, int Corner,
                       platform::gdi::TRect& GripRect, platform::gdi::TRect& CloseRect,
                       bool CloseHot, bool ClosePressed);

} // namespace toolkit::bars
