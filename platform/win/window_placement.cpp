#include "platform/win/window_placement.h"

#include "platform/gdi/colors.h"
#include "platform/win/window_data.h"

#include <algorithm>
#include <vector>

namespace platform::win {

namespace {

int IconWidth() {
    return gdi::GetSystemMetrics(gdi::SM_CXMINIMIZED);
}

int IconHeight() {
    return gdi::GetSystemMetrics(gdi::SM_CYMINIMIZED);
}

// Place index of the parent's client area: along the bottom from the left, rows upwards.
TRect IconPlace(const WindowData& parent, int index) {
    const int perRow = std::max(1, parent.client.Width() / IconWidth());
    const int left = (index % perRow) * IconWidth();
    const int bottom = parent.client.Height() - (index / perRow) * IconHeight();
    return {left, bottom - IconHeight(), left + IconWidth(), bottom};
}

// The visible minimised children of parent but one.
std::vector<WindowData*> Icons(const WindowData& parent, HWND except) {
    std::vector<WindowData*> icons;
    for (HWND child : parent.children)
        if (auto* c = WindowOf(child); c && child != except && c->minimized && c->Visible())
            icons.push_back(c);
    return icons;
}

// The first place that no other icon overlaps.
TRect FreeIconPlace(const WindowData& parent, HWND wnd) {
    const auto icons = Icons(parent, wnd);
    for (int index = 0;; ++index) {
        const TRect place = IconPlace(parent, index);
        const bool taken = std::any_of(icons.begin(), icons.end(), [&](const WindowData* icon) {
            TRect overlap;
            return gdi::IntersectRect(overlap, icon->rect, place);
        });
        if (!taken) return place;
    }
}

// Moves the window and has it work out its frame again: whether its size changed.
bool MoveWithFrame(HWND wnd, const TRect& rect) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    const TRect before = w->rect;
    SetWindowPos(wnd, NullHWnd, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    w = WindowOf(wnd);
    return w && (w->rect.Width() != before.Width() || w->rect.Height() != before.Height());
}

} // namespace

bool MoveChildToIcon(HWND wnd) {
    auto* w = WindowOf(wnd);
    auto* parent = w ? WindowOf(w->parent) : nullptr;
    if (!parent) return false;
    w->normalRect = w->rect;
    return MoveWithFrame(wnd, FreeIconPlace(*parent, wnd));
}

bool MoveChildFromIcon(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w && MoveWithFrame(wnd, w->normalRect);
}

BOOL GetWindowPlacement(HWND wnd, WINDOWPLACEMENT* placement) {
    auto* w = WindowOf(wnd);
    if (!w || !placement) return false;
    const bool icon = w->minimized && w->IsChild();
    placement->flags = 0;
    placement->showCmd = w->minimized   ? SW_SHOWMINIMIZED
                         : w->maximized ? SW_SHOWMAXIMIZED
                                        : SW_SHOWNORMAL;
    placement->ptMinPosition = icon ? w->rect.TopLeft() : TPoint{-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition = icon ? w->normalRect : w->rect;
    return true;
}

BOOL SetWindowPlacement(HWND wnd, const WINDOWPLACEMENT* placement) {
    auto* w = WindowOf(wnd);
    if (!w || !placement) return false;
    const TRect& r = placement->rcNormalPosition;
    if (w->minimized && w->IsChild()) {
        w->normalRect = r;
        return true;
    }
    return SetWindowPos(wnd, NullHWnd, r.Left, r.Top, r.Width(), r.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT ArrangeIconicWindows(HWND parent) {
    auto* p = WindowOf(parent);
    if (!p) return 0;
    std::vector<HWND> icons;
    for (WindowData* icon : Icons(*p, NullHWnd))
        icons.push_back(icon->handle);
    if (icons.empty()) return 0;
    const auto order = [](HWND a, HWND b) {
        const TRect& ra = WindowOf(a)->rect;
        const TRect& rb = WindowOf(b)->rect;
        return ra.Bottom != rb.Bottom ? ra.Bottom > rb.Bottom : ra.Left < rb.Left;
    };
    std::stable_sort(icons.begin(), icons.end(), order);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        p = WindowOf(parent);
        if (!p) return 0;
        const TRect place = IconPlace(*p, static_cast<int>(i));
        SetWindowPos(icons[i], NullHWnd, place.Left, place.Top, place.Width(), place.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return static_cast<UINT>(IconHeight());
}

} // namespace platform::win
