#pragma once
// The platform's window messages, styles, codes and message records, as the window system and
// the class library above it use them.

#include "platform/core/message_loop.h"
#include "platform/core/window_handle.h"
#include "platform/gdi/geometry.h"

#include <cstdint>
#include <string>

namespace platform::win {

using core::HWND;
using core::LPARAM;
using core::LRESULT;
using core::MSG;
using core::NullHWnd;
using core::UINT;
using core::WPARAM;
using gdi::POINT;
using gdi::RECT;
using gdi::TPoint;
using gdi::TRect;
using DWORD = std::uint32_t;
using BOOL = int;

// Messages.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETREDRAW = 0x000B;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_MOUSEACTIVATE = 0x0021;
inline constexpr UINT WM_CHILDACTIVATE = 0x0022;
inline constexpr UINT WM_DRAWITEM = 0x002B;
inline constexpr UINT WM_MEASUREITEM = 0x002C;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_DISPLAYCHANGE = 0x007E;
inline constexpr UINT WM_NCCREATE = 0x0081;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_NCCALCSIZE = 0x0083;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_NCACTIVATE = 0x0086;
inline constexpr UINT WM_GETDLGCODE = 0x0087;
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_NCLBUTTONUP = 0x00A2;
inline constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
inline constexpr UINT WM_NCRBUTTONUP = 0x00A5;
inline constexpr UINT WM_NCRBUTTONDBLCLK = 0x00A6;
inline constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;
inline constexpr UINT WM_NCMBUTTONUP = 0x00A8;
inline constexpr UINT WM_NCMBUTTONDBLCLK = 0x00A9;
inline constexpr UINT WM_KEYFIRST = 0x0100;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_KEYLAST = 0x0108;
// The input method: a composition changed (lParam: what changed), and a finished character
// (wParam: a single byte, or a double-byte character with its lead byte high).
inline constexpr UINT WM_IME_COMPOSITION = 0x010F;
inline constexpr UINT WM_IME_CHAR = 0x0286;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
// A child edit (or a read-only or static one) asks its parent for its colours: wParam the
// child's context (the parent sets its text and background colour), lParam the child's window;
// the answer is the brush of its background.
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
inline constexpr UINT WM_MOUSEFIRST = 0x0200;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_MOUSELAST = 0x020A;
inline constexpr UINT WM_CAPTURECHANGED = 0x0215;
inline constexpr UINT WM_MDIACTIVATE = 0x0222;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
// The clipboard's commands, sent to the window that owns the text.
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;
// A window drawn into a device context in wParam (window coordinates at the context's origin):
// WM_PRINT asks for what lParam's PRF_ flags name, WM_PRINTCLIENT for its client area.
inline constexpr UINT WM_PRINT = 0x0317;
inline constexpr UINT WM_PRINTCLIENT = 0x0318;
// What to print: only when the window is visible, its frame, its client area, its background
// first, its visible children.
inline constexpr LPARAM PRF_CHECKVISIBLE = 0x0001;
inline constexpr LPARAM PRF_NONCLIENT = 0x0002;
inline constexpr LPARAM PRF_CLIENT = 0x0004;
inline constexpr LPARAM PRF_ERASEBKGND = 0x0008;
inline constexpr LPARAM PRF_CHILDREN = 0x0010;
inline constexpr UINT WM_THEMECHANGED = 0x031A;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;
// Client mouse messages and their non-client forms lie this far apart.
inline constexpr UINT NonClientMouseOffset = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;

// A mouse button going down, single or double, in a window's client area or on its frame: what
// closes a popup when it lands outside it. Releases, moves and the wheel are not presses.
constexpr bool IsMouseButtonPress(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// The toolkit's private messages: the non-client metrics may have changed; run queued
// synchronised calls; close the edit popup; open it again.
inline constexpr UINT CXM_NCSIZECHANGED = WM_APP + 0x65;
inline constexpr UINT CXM_SYNCHRONIZE = WM_APP + 0x66;
inline constexpr UINT CXM_CLOSEUPPOPUPWINDOW = WM_APP + 125;
inline constexpr UINT CXM_POPUPWINDOW = WM_APP + 126;

// Window styles.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_MINIMIZE = 0x20000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_MAXIMIZE = 0x01000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DLGFRAME = 0x00400000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr DWORD DS_MODALFRAME = 0x80;

inline constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
inline constexpr DWORD WS_EX_MDICHILD = 0x00000040;
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
inline constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
inline constexpr DWORD WS_EX_LAYERED = 0x00080000;
inline constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

// Class styles.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_OWNDC = 0x0020;
inline constexpr UINT CS_SAVEBITS = 0x0800;

// GetWindowLong indices.
inline constexpr int GWL_WNDPROC = -4;
inline constexpr int GWLP_WNDPROC = GWL_WNDPROC;
inline constexpr int GWL_HWNDPARENT = -8;
inline constexpr int GWL_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWL_USERDATA = -21;

// Hit-test codes.
inline constexpr int HTERROR = -2;
inline constexpr int HTTRANSPARENT = -1;
inline constexpr int HTNOWHERE = 0;
inline constexpr int HTCLIENT = 1;
inline constexpr int HTCAPTION = 2;
inline constexpr int HTSYSMENU = 3;
inline constexpr int HTHSCROLL = 6;
inline constexpr int HTVSCROLL = 7;
inline constexpr int HTLEFT = 10;
inline constexpr int HTRIGHT = 11;
inline constexpr int HTTOP = 12;
inline constexpr int HTTOPLEFT = 13;
inline constexpr int HTTOPRIGHT = 14;
inline constexpr int HTBOTTOM = 15;
inline constexpr int HTBOTTOMLEFT = 16;
inline constexpr int HTBOTTOMRIGHT = 17;
inline constexpr int HTBORDER = 18;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// SetWindowPos flags and insert-after values.
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline constexpr HWND HWND_TOP{0};
inline constexpr HWND HWND_BOTTOM{1};
inline constexpr HWND HWND_TOPMOST{static_cast<std::uintptr_t>(-1)};
inline constexpr HWND HWND_NOTOPMOST{static_cast<std::uintptr_t>(-2)};

// WM_SIZE kinds, WM_ACTIVATE states, WM_MOUSEACTIVATE answers.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;
inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr WPARAM WA_CLICKACTIVE = 2;
inline constexpr LRESULT MA_ACTIVATE = 1;
inline constexpr LRESULT MA_NOACTIVATE = 3;

// WM_SYSCOMMAND commands.
inline constexpr WPARAM SC_SIZE = 0xF000;
inline constexpr WPARAM SC_MOVE = 0xF010;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_NEXTWINDOW = 0xF040;
inline constexpr WPARAM SC_PREVWINDOW = 0xF050;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_KEYMENU = 0xF100;
inline constexpr WPARAM SC_RESTORE = 0xF120;

// WM_VSCROLL codes.
inline constexpr WPARAM SB_LINEUP = 0;
inline constexpr WPARAM SB_LINEDOWN = 1;
inline constexpr WPARAM SB_PAGEUP = 2;
inline constexpr WPARAM SB_PAGEDOWN = 3;
inline constexpr WPARAM SB_THUMBPOSITION = 4;
inline constexpr WPARAM SB_THUMBTRACK = 5;
inline constexpr WPARAM SB_TOP = 6;
inline constexpr WPARAM SB_BOTTOM = 7;
inline constexpr WPARAM SB_ENDSCROLL = 8;

// Mouse-message key flags.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
inline constexpr int WHEEL_DELTA = 120;

// Virtual keys (letters and digits are their upper-case characters).
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_CANCEL = 0x03;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_CLEAR = 0x0C;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_PAUSE = 0x13;
inline constexpr int VK_CAPITAL = 0x14;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_SNAPSHOT = 0x2C;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_HELP = 0x2F;
inline constexpr int VK_LWIN = 0x5B;
inline constexpr int VK_RWIN = 0x5C;
inline constexpr int VK_APPS = 0x5D;
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SEPARATOR = 0x6C;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DECIMAL = 0x6E;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F4 = 0x73;
inline constexpr int VK_F10 = 0x79;
inline constexpr int VK_F24 = 0x87;
inline constexpr int VK_NUMLOCK = 0x90;
inline constexpr int VK_SCROLL = 0x91;
inline constexpr int VK_LSHIFT = 0xA0;
inline constexpr int VK_RSHIFT = 0xA1;
inline constexpr int VK_LCONTROL = 0xA2;
inline constexpr int VK_RCONTROL = 0xA3;
inline constexpr int VK_LMENU = 0xA4;
inline constexpr int VK_RMENU = 0xA5;
inline constexpr int VK_OEM_1 = 0xBA;
inline constexpr int VK_OEM_PLUS = 0xBB;
inline constexpr int VK_OEM_COMMA = 0xBC;
inline constexpr int VK_OEM_MINUS = 0xBD;
inline constexpr int VK_OEM_PERIOD = 0xBE;
inline constexpr int VK_OEM_2 = 0xBF;
inline constexpr int VK_OEM_3 = 0xC0;
inline constexpr int VK_OEM_4 = 0xDB;
inline constexpr int VK_OEM_5 = 0xDC;
inline constexpr int VK_OEM_6 = 0xDD;
inline constexpr int VK_OEM_7 = 0xDE;
inline constexpr int VK_PROCESSKEY = 0xE5;

// Key-message flags in lParam.
inline constexpr LPARAM KF_EXTENDED = 1 << 24;
inline constexpr LPARAM KF_ALTDOWN = 1 << 29;
inline constexpr LPARAM KF_REPEAT = 1 << 30;
inline constexpr LPARAM KF_UP = static_cast<LPARAM>(1u << 31);

// WM_GETDLGCODE answers.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Settings.
inline constexpr UINT SPI_SETNONCLIENTMETRICS = 42;
inline constexpr UINT SPI_SETWORKAREA = 47;
inline constexpr UINT SPI_GETWORKAREA = 48;
inline constexpr UINT SPI_GETWHEELSCROLLLINES = 104;

// Packing of points and pairs into message parameters.
constexpr std::uint16_t LOWORD(std::uintptr_t v) {
    return static_cast<std::uint16_t>(v & 0xFFFF);
}
constexpr std::uint16_t HIWORD(std::uintptr_t v) {
    return static_cast<std::uint16_t>((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(
        static_cast<std::int32_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                                  static_cast<std::uint32_t>(low & 0xFFFF)));
}
constexpr WPARAM MAKEWPARAM(int low, int high) {
    return static_cast<WPARAM>(static_cast<std::uint32_t>(MAKELPARAM(low, high)));
}
constexpr int GET_X_LPARAM(LPARAM l) {
    return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(l)));
}
constexpr int GET_Y_LPARAM(LPARAM l) {
    return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(l)));
}
constexpr LPARAM PointToLParam(TPoint p) {
    return MAKELPARAM(p.X, p.Y);
}
constexpr TPoint LParamToPoint(LPARAM l) {
    return {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) {
    return static_cast<std::int16_t>(HIWORD(w));
}

// A message number of the range 0xC000 to 0xFFFF for a name, the same for the same name
// (letter case aside) for the process's lifetime; 0 for an empty name or a full range.
UINT RegisterWindowMessage(const std::string& name);

// Message records.
struct WINDOWPOS {
    HWND hwnd{};
    HWND hwndInsertAfter{};
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// WM_HELP's record (its lParam): help on a window (HELPINFO_WINDOW) or a menu item, the window
// or menu asked about, its context id and the point of the request on the screen.
inline constexpr int HELPINFO_WINDOW = 1;
inline constexpr int HELPINFO_MENUITEM = 2;
struct HELPINFO {
    UINT cbSize = sizeof(HELPINFO);
    int iContextType = HELPINFO_WINDOW;
    int iCtrlId = 0;
    HWND hItemHandle{};
    std::uintptr_t dwContextId = 0;
    TPoint MousePos{};
};

struct NCCALCSIZE_PARAMS {
    // On entry rgrc[0] is the new window rectangle in the parent's client coordinates; on exit
    // it is the client rectangle in the same coordinates.
    TRect rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent{};
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;
    DWORD dwExStyle = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
};

} // namespace platform::win
