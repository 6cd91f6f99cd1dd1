#pragma once
// Real windows: handles in the one registry of platform/core, each with a window class, styles,
// a parent or an owner, a window rectangle (in the parent's client coordinates for a child, on
// the screen for a top-level window), a client rectangle that WM_NCCALCSIZE decides, a Qt host
// widget and a backing surface. Top-level frames with a caption belong to the window manager:
// such a window's rectangle is what lies inside them. UI thread only.

#include "platform/gdi/objects.h"
#include "platform/win/cursors.h"
#include "platform/win/messages.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::win {

using core::WNDPROC;

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc;
    HCURSOR hCursor{};
    gdi::HBRUSH hbrBackground{};
    std::string lpszClassName;
};

// False when the name is taken.
bool RegisterClass(const WNDCLASS& windowClass);
bool UnregisterClass(const std::string& className);
bool GetClassInfo(const std::string& className, WNDCLASS* windowClass);

// NullHWnd when the class is unknown or WM_NCCREATE / WM_CREATE refuse. A child needs a parent;
// for any other window parent is the owner.
HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent,
                    std::intptr_t id = 0, void* param = nullptr);
// Destroys owned windows and children too. WM_DESTROY goes to the window before its children.
BOOL DestroyWindow(HWND wnd);
LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window belongs to this thread: the message is sent at once.
BOOL SendNotifyMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window's procedure for GWL_WNDPROC is replaced with core::SetWindowProc.
std::intptr_t GetWindowLong(HWND wnd, int index);
std::intptr_t SetWindowLong(HWND wnd, int index, std::intptr_t value);
// Subclassing: GWLP_WNDPROC takes the window's new procedure and answers the previous one, which
// the new one passes what it leaves to through CallWindowProc. Any other index: nothing.
WNDPROC SetWindowLongPtr(HWND wnd, int index, WNDPROC proc);
using core::CallWindowProc;
std::string GetClassName(HWND wnd);
BOOL SetWindowText(HWND wnd, const std::string& text);
std::string GetWindowText(HWND wnd);

// Relations. GetParent answers the owner for a window that is not a child, as the platform does.
enum : UINT {
    GW_HWNDFIRST = 0,
    GW_HWNDLAST = 1,
    GW_HWNDNEXT = 2,
    GW_HWNDPREV = 3,
    GW_OWNER = 4,
    GW_CHILD = 5
};
enum : UINT { GA_PARENT = 1, GA_ROOT = 2, GA_ROOTOWNER = 3 };
HWND GetParent(HWND wnd);
HWND SetParent(HWND wnd, HWND newParent);
HWND GetWindow(HWND wnd, UINT relation);
HWND GetAncestor(HWND wnd, UINT kind);
BOOL IsChild(HWND parent, HWND wnd);
// Top-level windows, top of the z-order first.
std::vector<HWND> TopLevelWindows();
// Children, top of the z-order first.
std::vector<HWND> ChildWindows(HWND wnd);
HWND GetDesktopWindow();

// Geometry.
BOOL GetWindowRect(HWND wnd, TRect* rect);
BOOL GetClientRect(HWND wnd, TRect* rect);
BOOL ClientToScreen(HWND wnd, TPoint* point);
BOOL ScreenToClient(HWND wnd, TPoint* point);
// NullHWnd stands for the screen.
int MapWindowPoints(HWND from, HWND to, TPoint* points, UINT count);
BOOL SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL repaint);
// True when the window was visible before.
BOOL ShowWindow(HWND wnd, int command);
BOOL IsWindowVisible(HWND wnd);
BOOL IsIconic(HWND wnd);
BOOL IsZoomed(HWND wnd);
BOOL EnableWindow(HWND wnd, BOOL enable);
BOOL IsWindowEnabled(HWND wnd);
// Whether the root window of wnd draws its caption active: it is the active window, or the last
// WM_NCACTIVATE it took by default said so (an owned dialog may keep its owner looking active).
bool IsFrameActive(HWND wnd);
BOOL BringWindowToTop(HWND wnd);

// The visible, enabled or not, window at a screen point: the deepest child whose region and
// rectangle hold it, asked WM_NCHITTEST on the way (HTTRANSPARENT lets the point through to the
// windows beneath).
HWND WindowFromPoint(TPoint screenPoint);
enum : UINT { CWP_ALL = 0, CWP_SKIPINVISIBLE = 1, CWP_SKIPDISABLED = 2, CWP_SKIPTRANSPARENT = 4 };
// A direct child at a client point, or wnd itself; NullHWnd outside wnd.
HWND ChildWindowFromPoint(HWND wnd, TPoint clientPoint);
HWND ChildWindowFromPointEx(HWND wnd, TPoint clientPoint, UINT flags);

// Shape and translucency. The window takes the region (window coordinates); 0 removes it.
int SetWindowRgn(HWND wnd, gdi::HRGN region, BOOL redraw);
// Copies the window's region into region; ERROR (0) when it has none.
int GetWindowRgn(HWND wnd, gdi::HRGN region);
enum : DWORD { LWA_COLORKEY = 1, LWA_ALPHA = 2 };
BOOL SetLayeredWindowAttributes(HWND wnd, gdi::COLORREF key, std::uint8_t alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND wnd, gdi::COLORREF* key, std::uint8_t* alpha, DWORD* flags);

} // namespace platform::win
