// The default window procedure: what a window does with a message its own procedure leaves to
// the system, one named handler per message.

#include "platform/gdi/drawing.h"
#include "platform/win/cursors.h"
#include "platform/win/host_widget.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window_data.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::win {

namespace {

LRESULT NcCalcSize(WindowData& w, WPARAM, LPARAM lParam) {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    TRect& r = params->rgrc[0];
    // A child's icon is all caption.
    if (w.minimized && w.IsChild()) {
        r = {r.Left, r.Top, r.Left, r.Top};
        return 0;
    }
    TRect insets = FrameInsets(w);
    r = {r.Left + insets.Left, r.Top + insets.Top, r.Right - insets.Right,
         r.Bottom - insets.Bottom};
    return 0;
}

LRESULT NcHitTest(WindowData& w, WPARAM, LPARAM lParam) {
    TPoint origin = WindowScreenOrigin(w);
    TPoint p = LParamToPoint(lParam);
    return FrameHitTest(w, {p.X - origin.X, p.Y - origin.Y});
}

LRESULT NcPaint(WindowData& w, WPARAM, LPARAM) {
    PaintFrame(w);
    return 0;
}

LRESULT NcActivate(WindowData& w, WPARAM wParam, LPARAM) {
    w.frameActive = wParam != 0;
    if ((w.style & WS_CAPTION) == WS_CAPTION && !w.ManagedFrame())
        RedrawWindow(w.handle, nullptr, gdi::NullObject, RDW_FRAME | RDW_INVALIDATE);
    return 1;
}

LRESULT Paint(WindowData& w, WPARAM wParam, LPARAM) {
    if (wParam == 0) {
        PAINTSTRUCT ps;
        BeginPaint(w.handle, &ps);
        EndPaint(w.handle, &ps);
    }
    return 0;
}

LRESULT SetIcon(WindowData& w, WPARAM wParam, LPARAM lParam) {
    HICON& slot = wParam == ICON_BIG ? w.bigIcon : w.smallIcon;
    const HICON previous = slot;
    slot = static_cast<HICON>(static_cast<std::uintptr_t>(lParam));
    ShowIconOnDesktop(w);
    return static_cast<LRESULT>(previous);
}

LRESULT GetIcon(WindowData& w, WPARAM wParam, LPARAM) {
    HICON icon = wParam == ICON_BIG ? w.bigIcon : w.smallIcon;
    if (wParam == ICON_SMALL2 && icon == NullIcon) icon = w.bigIcon;
    return static_cast<LRESULT>(icon);
}

// The window as it shows, drawn into the context: its frame, then its client area (erased and
// painted, through WM_ERASEBKGND and WM_PRINTCLIENT) and its visible children, each as asked.
LRESULT Print(WindowData& w, WPARAM wParam, LPARAM lParam) {
    const HWND wnd = w.handle;
    const auto dc = static_cast<gdi::HDC>(wParam);
    if ((lParam & PRF_CHECKVISIBLE) && !IsWindowVisible(wnd)) return 0;
    if (lParam & PRF_NONCLIENT) PaintFrame(w, dc);
    const TRect client = w.client;
    const int saved = gdi::SaveDC(dc);
    gdi::OffsetViewportOrgEx(dc, client.Left, client.Top, nullptr);
    gdi::IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
    if (lParam & PRF_ERASEBKGND) core::SendMessage(wnd, WM_ERASEBKGND, wParam, 0);
    if ((lParam & PRF_CLIENT) && WindowOf(wnd))
        core::SendMessage(wnd, WM_PRINTCLIENT, wParam, lParam);
    if ((lParam & PRF_CHILDREN) && WindowOf(wnd)) {
        // Bottom of the z-order first: the top child is drawn last.
        std::vector<HWND> children = WindowOf(wnd)->children;
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            WindowData* child = WindowOf(*it);
            if (child == nullptr || !child->Visible()) continue;
            const int inner = gdi::SaveDC(dc);
            gdi::OffsetViewportOrgEx(dc, child->rect.Left, child->rect.Top, nullptr);
            gdi::IntersectClipRect(dc, 0, 0, child->rect.Width(), child->rect.Height());
            core::SendMessage(*it, WM_PRINT, wParam, lParam & ~PRF_CHECKVISIBLE);
            gdi::RestoreDC(dc, inner);
        }
    }
    gdi::RestoreDC(dc, saved);
    return 0;
}

LRESULT EraseBackground(WindowData& w, WPARAM wParam, LPARAM) {
    if (w.background == gdi::NullObject || wParam == 0) return 0;
    TRect r{0, 0, w.client.Width(), w.client.Height()};
    gdi::FillRect(static_cast<gdi::HDC>(wParam), &r, w.background);
    return 1;
}

LRESULT WindowPosChanged(WindowData& w, WPARAM, LPARAM lParam) {
    auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    // Both are worked out first: the window may be gone after the first.
    const HWND wnd = w.handle;
    const UINT flags = pos->flags;
    const WPARAM kind = w.minimized ? SIZE_MINIMIZED : w.maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    const LPARAM size = MAKELPARAM(w.client.Width(), w.client.Height());
    const LPARAM origin = MAKELPARAM(w.rect.Left + w.client.Left, w.rect.Top + w.client.Top);
    if (!(flags & SWP_NOSIZE)) core::SendMessage(wnd, WM_SIZE, kind, size);
    if (!(flags & SWP_NOMOVE)) core::SendMessage(wnd, WM_MOVE, 0, origin);
    return 0;
}

LRESULT SetText(WindowData& w, WPARAM, LPARAM lParam) {
    w.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    if (w.host && !w.IsChild()) w.host->setWindowTitle(QString::fromLatin1(w.text.c_str()));
    return 1;
}

LRESULT GetText(WindowData& w, WPARAM wParam, LPARAM lParam) {
    if (wParam == 0) return 0;
    auto* buffer = reinterpret_cast<char*>(lParam);
    std::size_t n = std::min<std::size_t>(w.text.size(), wParam - 1);
    std::memcpy(buffer, w.text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT GetTextLength(WindowData& w, WPARAM, LPARAM) {
    return static_cast<LRESULT>(w.text.size());
}

// The cursor of the frame part under the pointer; the class's cursor over the client area. A
// child's parent may set one first.
LRESULT SetCursorFor(WindowData& w, WPARAM wParam, LPARAM lParam) {
    if (w.IsChild() && core::SendMessage(w.parent, WM_SETCURSOR, wParam, lParam)) return 1;
    const int hit = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
    int id = IDC_ARROW;
    switch (hit) {
    case HTCLIENT:
        if (w.cursor != NullCursor) {
            SetCursor(w.cursor);
            return 1;
        }
        break;
    case HTLEFT:
    case HTRIGHT:
        id = IDC_SIZEWE;
        break;
    case HTTOP:
    case HTBOTTOM:
        id = IDC_SIZENS;
        break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        id = IDC_SIZENWSE;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        id = IDC_SIZENESW;
        break;
    default:
        break;
    }
    SetCursor(LoadCursor(id));
    return 0;
}

LRESULT MouseActivate(WindowData& w, WPARAM wParam, LPARAM lParam) {
    if (w.IsChild()) {
        if (LRESULT r = core::SendMessage(w.parent, WM_MOUSEACTIVATE, wParam, lParam)) return r;
    }
    return MA_ACTIVATE;
}

LRESULT Activate(WindowData& w, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) != WA_INACTIVE && !w.minimized) SetFocus(w.handle);
    return 0;
}

LRESULT Close(WindowData& w, WPARAM, LPARAM) {
    DestroyWindow(w.handle);
    return 0;
}

LRESULT SysCommand(WindowData& w, WPARAM wParam, LPARAM) {
    const HWND wnd = w.handle;
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
        core::SendMessage(wnd, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(wnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(wnd, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(wnd, SW_RESTORE);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT RightButtonUp(WindowData& w, WPARAM, LPARAM lParam) {
    const HWND wnd = w.handle;
    TPoint p = LParamToPoint(lParam);
    ClientToScreen(wnd, &p);
    core::SendMessage(wnd, WM_CONTEXTMENU, static_cast<WPARAM>(wnd), PointToLParam(p));
    return 0;
}

LRESULT NcRightButtonUp(WindowData& w, WPARAM wParam, LPARAM lParam) {
    if (static_cast<int>(wParam) == HTERROR) return 0;
    core::SendMessage(w.handle, WM_CONTEXTMENU, static_cast<WPARAM>(w.handle), lParam);
    return 0;
}

// A child passes the message on to its parent.
LRESULT ToParent(WindowData& w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (w.IsChild()) return core::SendMessage(w.parent, msg, wParam, lParam);
    return 0;
}

// Help nobody answered goes up: from a child to its parent, from a top-level window to its
// owner.
LRESULT Help(WindowData& w, WPARAM wParam, LPARAM lParam) {
    const HWND next = w.IsChild() ? w.parent : w.owner;
    if (next != NullHWnd) return core::SendMessage(next, WM_HELP, wParam, lParam);
    return 0;
}

// A character the input method finished is typed as the keyboard types one: a double-byte
// character as its lead byte and then its trail byte.
LRESULT ImeChar(WindowData& w, WPARAM wParam, LPARAM lParam) {
    const auto c = static_cast<unsigned>(wParam);
    if (c > 0xFF) core::SendMessage(w.handle, WM_CHAR, (c >> 8) & 0xFF, lParam);
    core::SendMessage(w.handle, WM_CHAR, c & 0xFF, lParam);
    return 0;
}

LRESULT KeyUp(WindowData& w, WPARAM wParam, LPARAM) {
    if (wParam == static_cast<WPARAM>(VK_APPS))
        core::SendMessage(w.handle, WM_CONTEXTMENU, static_cast<WPARAM>(w.handle), -1);
    return 0;
}

LRESULT SysKeyDown(WindowData& w, WPARAM wParam, LPARAM lParam) {
    const HWND wnd = w.handle;
    if (wParam == static_cast<WPARAM>(VK_F10) && (GetKeyState(VK_SHIFT) < 0)) {
        core::SendMessage(wnd, WM_CONTEXTMENU, static_cast<WPARAM>(wnd), -1);
    } else if (wParam == static_cast<WPARAM>(VK_F4) && (lParam & KF_ALTDOWN)) {
        core::PostMessage(GetAncestor(wnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
}

// Turned on again, the window paints what was invalidated meanwhile; what it drew through its
// contexts while off is lost, so its owner invalidates what changed.
LRESULT SetRedraw(WindowData& w, WPARAM wParam, LPARAM) {
    w.redrawOff = wParam == 0;
    return 0;
}

LRESULT CancelMode(WindowData& w, WPARAM, LPARAM) {
    if (GetCapture() == w.handle) ReleaseCapture();
    return 0;
}

} // namespace

LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowData* w = WindowOf(wnd);
    if (!w) return 0;
    // clang-format off
    switch (msg) {
    case WM_NCCREATE: return 1;
    case WM_NCCALCSIZE: return NcCalcSize(*w, wParam, lParam);
    case WM_NCHITTEST: return NcHitTest(*w, wParam, lParam);
    case WM_NCPAINT: return NcPaint(*w, wParam, lParam);
    case WM_NCACTIVATE: return NcActivate(*w, wParam, lParam);
    case WM_PAINT: return Paint(*w, wParam, lParam);
    case WM_ERASEBKGND: return EraseBackground(*w, wParam, lParam);
    case WM_SETICON: return SetIcon(*w, wParam, lParam);
    case WM_GETICON: return GetIcon(*w, wParam, lParam);
    case WM_PRINT: return Print(*w, wParam, lParam);
    case WM_WINDOWPOSCHANGED: return WindowPosChanged(*w, wParam, lParam);
    case WM_SETTEXT: return SetText(*w, wParam, lParam);
    case WM_GETTEXT: return GetText(*w, wParam, lParam);
    case WM_GETTEXTLENGTH: return GetTextLength(*w, wParam, lParam);
    case WM_SETCURSOR: return SetCursorFor(*w, wParam, lParam);
    case WM_MOUSEACTIVATE: return MouseActivate(*w, wParam, lParam);
    case WM_ACTIVATE: return Activate(*w, wParam, lParam);
    case WM_CLOSE: return Close(*w, wParam, lParam);
    case WM_SYSCOMMAND: return SysCommand(*w, wParam, lParam);
    case WM_RBUTTONUP: return RightButtonUp(*w, wParam, lParam);
    case WM_NCRBUTTONUP: return NcRightButtonUp(*w, wParam, lParam);
    case WM_CONTEXTMENU: return ToParent(*w, msg, wParam, lParam);
    case WM_MOUSEWHEEL: return ToParent(*w, msg, wParam, lParam);
    case WM_HELP: return Help(*w, wParam, lParam);
    case WM_KEYUP: return KeyUp(*w, wParam, lParam);
    case WM_IME_CHAR: return ImeChar(*w, wParam, lParam);
    case WM_SYSKEYDOWN: return SysKeyDown(*w, wParam, lParam);
    case WM_CANCELMODE: return CancelMode(*w, wParam, lParam);
    case WM_SETREDRAW: return SetRedraw(*w, wParam, lParam);
    default: return 0;
    }
    // clang-format on
}

} // namespace platform::win
