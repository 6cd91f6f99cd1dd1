// Which window lies under a point of the screen: the top-level windows from the top of the
// z-order down, each asked WM_NCHITTEST, then the deepest visible, enabled child under the point.

#include "platform/win/window_data.h"

#include <vector>

namespace platform::win {

namespace {

struct Hit {
    HWND wnd{};
    int code = HTNOWHERE;
};

Hit FindAt(const std::vector<HWND>& list, TPoint screen, bool topLevel);

// The deepest visible, enabled descendant of w at a screen point, or w itself with its code.
Hit DescendAt(WindowData& w, TPoint screen, int code) {
    TPoint origin = ClientOriginOnScreen(w);
    TPoint clientPoint{screen.X - origin.X, screen.Y - origin.Y};
    if (gdi::PtInRect(TRect{0, 0, w.client.Width(), w.client.Height()}, clientPoint)) {
        if (Hit child = FindAt(w.children, screen, false); child.wnd != NullHWnd) return child;
    }
    return {w.handle, code};
}

Hit FindAt(const std::vector<HWND>& list, TPoint screen, bool topLevel) {
    for (HWND h : std::vector<HWND>(list)) {
        auto* w = WindowOf(h);
        if (!w || !w->Visible() || w->HiddenByMinimize()) continue;
        if (!topLevel && (w->style & WS_DISABLED)) continue;
        TPoint origin = WindowScreenOrigin(*w);
        TPoint local{screen.X - origin.X, screen.Y - origin.Y};
        if (!gdi::PtInRect(TRect{0, 0, w->rect.Width(), w->rect.Height()}, local)) continue;
        if (w->shape && !w->shape->Contains(local.X, local.Y)) continue;
        auto code = static_cast<int>(core::SendMessage(h, WM_NCHITTEST, 0, PointToLParam(screen)));
        if (code == HTTRANSPARENT || !(w = WindowOf(h))) continue;
        return DescendAt(*w, screen, code);
    }
    return {};
}

} // namespace

HWND WindowFromPoint(TPoint screenPoint) {
    return FindAt(TopLevelWindows(), screenPoint, true).wnd;
}

HWND WindowAndHitFromPoint(TPoint screenPoint, int* hit) {
    Hit found = FindAt(TopLevelWindows(), screenPoint, true);
    if (hit) *hit = found.code;
    return found.wnd;
}

HWND ChildWindowFromPoint(HWND wnd, TPoint clientPoint) {
    return ChildWindowFromPointEx(wnd, clientPoint, CWP_ALL);
}

HWND ChildWindowFromPointEx(HWND wnd, TPoint clientPoint, UINT flags) {
    auto* w = WindowOf(wnd);
    if (!w) return NullHWnd;
    TPoint windowPoint{clientPoint.X + w->client.Left, clientPoint.Y + w->client.Top};
    if (!gdi::PtInRect({0, 0, w->rect.Width(), w->rect.Height()}, windowPoint)) return NullHWnd;
    for (HWND h : w->children) {
        auto* c = WindowOf(h);
        if ((flags & CWP_SKIPINVISIBLE) && !c->Visible()) continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) continue;
        if (gdi::PtInRect(c->rect, clientPoint)) return h;
    }
    return wnd;
}

} // namespace platform::win
