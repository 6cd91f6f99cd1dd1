#pragma once
// Painting: every window has an update region; the queue makes up WM_PAINT for a visible window
// that has one, BeginPaint erases (WM_ERASEBKGND) and validates it, and the device contexts
// handed out draw into the window's surface, never outside the area they were given. The host
// widget shows the surface. UI thread only.

#include "platform/gdi/device_context.h"
#include "platform/win/messages.h"

#include <memory>

namespace platform::win {

struct PAINTSTRUCT {
    gdi::HDC hdc{};
    BOOL fErase = 0; // the background still needs erasing
    TRect rcPaint;
};

gdi::HDC BeginPaint(HWND wnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND wnd, const PAINTSTRUCT* paint);
// The client area, at any time.
gdi::HDC GetDC(HWND wnd);
// The whole window, non-client area included.
gdi::HDC GetWindowDC(HWND wnd);
int ReleaseDC(HWND wnd, gdi::HDC dc);

// rect and region in client coordinates; nullptr or 0 for the whole client area.
BOOL InvalidateRect(HWND wnd, const TRect* rect, BOOL erase);
BOOL InvalidateRgn(HWND wnd, gdi::HRGN region, BOOL erase);
BOOL ValidateRect(HWND wnd, const TRect* rect);
BOOL ValidateRgn(HWND wnd, gdi::HRGN region);
// False when nothing needs painting.
BOOL GetUpdateRect(HWND wnd, TRect* rect, BOOL erase);
int GetUpdateRgn(HWND wnd, gdi::HRGN region, BOOL erase);
// Sends WM_PAINT at once when the window needs painting.
BOOL UpdateWindow(HWND wnd);

enum : UINT {
    RDW_INVALIDATE = 0x0001,
    RDW_INTERNALPAINT = 0x0002,
    RDW_ERASE = 0x0004,
    RDW_VALIDATE = 0x0008,
    RDW_NOINTERNALPAINT = 0x0010,
    RDW_NOERASE = 0x0020,
    RDW_NOCHILDREN = 0x0040,
    RDW_ALLCHILDREN = 0x0080,
    RDW_UPDATENOW = 0x0100,
    RDW_ERASENOW = 0x0200,
    RDW_FRAME = 0x0400,
    RDW_NOFRAME = 0x0800,
};
BOOL RedrawWindow(HWND wnd, const TRect* rect, gdi::HRGN region, UINT flags);

// Scrolls the client area (or rect of it) by dx, dy: the area, cut to clip when given, is
// painted again rather than its pixels moved. With rect null the child windows move by dx, dy
// too, minimised ones with the normal positions they go back to.
BOOL ScrollWindow(HWND wnd, int dx, int dy, const TRect* rect, const TRect* clip);

// The window's back buffer, window coordinates; nullptr for a handle that is no real window.
std::shared_ptr<gdi::Surface> WindowSurface(HWND wnd);

} // namespace platform::win
