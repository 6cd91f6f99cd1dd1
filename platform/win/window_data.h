#pragma once
// What the window system keeps per window; shared by the files of platform/win only.

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/win/icons.h"
#include "platform/win/window.h"

#include <QPointer>

#include <memory>
#include <optional>

namespace platform::win {

class HostWidget;

struct WindowData {
    HWND handle{};
    std::string className;
    UINT classStyle = 0;
    gdi::HBRUSH background{};
    HCURSOR cursor{};
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent{}; // children only
    HWND owner{};  // top-level windows only
    std::intptr_t id = 0;
    std::intptr_t userData = 0;
    std::string text;
    // WM_SETICON's icons; the window does not own them.
    HICON bigIcon{};
    HICON smallIcon{};
    TRect rect;                 // in the parent's client coordinates, or on the screen
    TRect client;               // in window coordinates
    std::vector<HWND> children; // top of the z-order first
    std::optional<gdi::Region> shape;
    bool layered = false;
    std::uint8_t alpha = 255;
    gdi::COLORREF colorKey = 0;
    DWORD layeredFlags = 0;
    // The picture UpdateLayeredWindow gave: shown, alpha and all, in place of the surface.
    std::shared_ptr<gdi::Surface> layeredImage;
    gdi::Region update; // client coordinates
    bool erase = false;
    bool frameDirty = false; // WM_NCPAINT is due before the next WM_PAINT
    bool minimized = false;
    bool maximized = false;
    // Where a minimised child goes back to, in its parent's client coordinates.
    TRect normalRect;
    bool destroying = false;
    bool frameActive = false; // the last WM_NCACTIVATE said active
    // WM_SETREDRAW turned redrawing off: the window and its children keep what they show, get
    // no WM_PAINT and draw nothing through their contexts until it is turned on again.
    bool redrawOff = false;
    // A frameless top-level window first shown taking the activation (the intro, a borderless
    // form): the window manager stacks and focuses it as any other. Frameless windows shown
    // without activation, tool windows and no-activate windows (menus, hints, drop-downs, drag
    // images) bypass it, placed and stacked by the program alone.
    bool desktopManaged = false;
    bool everShown = false;
    std::shared_ptr<gdi::Surface> surface;
    QPointer<HostWidget> host;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool Visible() const { return (style & WS_VISIBLE) != 0; }
    // A minimised top-level window is off the screen; a minimised child stays in its parent
    // as its icon (window_placement.h).
    bool HiddenByMinimize() const { return minimized && !IsChild(); }
    // A top-level window whose frame the window manager draws.
    bool ManagedFrame() const;
    // A top-level window the window manager stacks, focuses and activates.
    bool ManagedByDesktop() const { return ManagedFrame() || desktopManaged; }
};

// nullptr for a handle that is not a real window (message-only windows included).
WindowData* WindowOf(HWND wnd);
// The top-left corner of the window on the screen.
TPoint WindowScreenOrigin(const WindowData& w);
// The window and every ancestor are visible.
bool IsShowing(const WindowData& w);
// Redrawing is off for the window or one of its ancestors (WM_SETREDRAW).
bool IsRedrawOff(const WindowData& w);
// Borders by style, as the default WM_NCCALCSIZE takes them off the window rectangle.
TRect FrameInsets(const WindowData& w);
// WM_NCCALCSIZE left part of the window outside the client area, by style or by the window's
// own answer: WM_NCPAINT draws it.
bool HasNonClientArea(const WindowData& w);
// The window's surface follows its size; contents are kept where they still fit.
void MatchSurfaceToWindow(WindowData& w);
// The top-left corner of the window's client area on the screen.
TPoint ClientOriginOnScreen(const WindowData& w);
// What part of the frame the system draws a point of the window (window coordinates) lies in:
// HTCLIENT, HTCAPTION, a border or a corner, HTNOWHERE outside; all of a child's icon is caption.
int FrameHitTest(const WindowData& w, TPoint p);
// Draws that frame: its edges, the caption bar as active or not, the client edge; a child's
// icon as a caption bar in a fixed frame. Into the window itself, or into a context with the
// window's top-left corner at its origin.
void PaintFrame(WindowData& w);
void PaintFrame(WindowData& w, gdi::HDC dc);
// WindowFromPoint, with the WM_NCHITTEST answer of the window found.
HWND WindowAndHitFromPoint(TPoint screenPoint, int* hit);
// Qt follows our geometry, visibility, stacking and shape.
void SyncHostGeometry(WindowData& w);
// The desktop shows a top-level window's icon: its small one, else its big one.
void ShowIconOnDesktop(WindowData& w);
// The whole window needs painting; with frame, its non-client area too.
void InvalidateAll(WindowData& w, bool frame);
// The queue's made-up WM_PAINT for the first window that needs painting.
bool MakePaintMessage(MSG& msg, HWND wnd, UINT first, UINT last);
// WM_SYSCOLORCHANGE or WM_THEMECHANGED to the windows that hear it, oldest first.
void BroadcastSettingChangeToWindows(UINT msg);
// Installs the queue's filter, paint source, send hook and setting-change broadcast once.
void EnsureWindowSystem();
// A window is hidden or going: focus and activation leave it; a window that is going loses the
// capture and the mouse tracking too.
void ForgetInputWindow(HWND wnd, bool destroying);
// Top-level windows take the activation when shown unless told otherwise.
void ActivateShownWindow(HWND wnd);
// A child window that was minimised becomes its icon, its rectangle kept as its normal position;
// one that leaves the minimised state goes back there. Each answers whether the window's size
// changed (its WM_SIZE went with the move); false too when the window went away meanwhile.
bool MoveChildToIcon(HWND wnd);
bool MoveChildFromIcon(HWND wnd);

} // namespace platform::win
