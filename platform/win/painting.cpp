#include "platform/win/painting.h"

#include "platform/gdi/region_handles.h"
#include "platform/win/host_widget.h"
#include "platform/win/window_data.h"

#include <map>
#include <vector>

namespace platform::win {

namespace {

// The device contexts handed out for windows, each with the area it may draw in (window
// coordinates). That area is the context's visible region, below any clip region the program
// selects: it holds whatever the program does to the clip, and drawing through other contexts
// of the same window (the window DC's frame while a paint is under way) stays where it landed.
std::map<gdi::HDC, std::pair<HWND, TRect>>& WindowDCs() {
    static std::map<gdi::HDC, std::pair<HWND, TRect>> dcs;
    return dcs;
}

gdi::HDC OpenDC(WindowData& w, TPoint origin, const gdi::Region& given) {
    // A window that is not to be redrawn is one whose contexts draw nowhere.
    const gdi::Region allowed = IsRedrawOff(w) ? gdi::Region{} : given;
    gdi::HDC dc = gdi::CreateSurfaceDC(w.surface, origin, allowed);
    WindowDCs()[dc] = {w.handle, allowed.Bounds()};
    return dc;
}

void CloseDC(gdi::HDC dc) {
    auto& dcs = WindowDCs();
    auto it = dcs.find(dc);
    if (it == dcs.end()) return;
    const auto [wnd, bounds] = it->second;
    dcs.erase(it);
    gdi::DeleteDC(dc);
    auto* w = WindowOf(wnd);
    if (w && w->host)
        w->host->update(QRect(bounds.Left, bounds.Top, bounds.Width(), bounds.Height()));
}

gdi::Region ClientArea(const WindowData& w) {
    return gdi::Region::FromRect({0, 0, w.client.Width(), w.client.Height()});
}

gdi::Region ClientRegionFor(const WindowData& w, const TRect* rect, gdi::HRGN region) {
    gdi::Region area = ClientArea(w);
    if (rect) return gdi::Region::Combine(area, gdi::Region::FromRect(*rect), gdi::RGN_AND);
    if (auto* r = gdi::RegionOf(region)) return gdi::Region::Combine(area, *r, gdi::RGN_AND);
    return area;
}

bool NeedsPaint(const WindowData& w) {
    return IsShowing(w) && !IsRedrawOff(w) && (!w.update.Empty() || w.frameDirty);
}

// The first window, parents before their children, that needs painting.
HWND FindPaintable(const std::vector<HWND>& list, HWND only) {
    for (HWND h : list) {
        auto* w = WindowOf(h);
        if (!w) continue;
        if ((only == NullHWnd || only == h) && NeedsPaint(*w)) return h;
        if (HWND child = FindPaintable(w->children, only); child != NullHWnd) return child;
    }
    return NullHWnd;
}

void Invalidate(WindowData& w, const gdi::Region& area, bool erase) {
    w.update = gdi::Region::Combine(w.update, area, gdi::RGN_OR);
    if (erase) w.erase = true;
}

void Validate(WindowData& w, const gdi::Region& area) {
    w.update = gdi::Region::Combine(w.update, area, gdi::RGN_DIFF);
    if (w.update.Empty()) w.erase = false;
}

void RedrawTree(HWND wnd, const gdi::Region* area, UINT flags, bool top) {
    auto* w = WindowOf(wnd);
    if (!w) return;
    gdi::Region whole = ClientArea(*w);
    const gdi::Region& region = (top && area) ? *area : whole;
    if (flags & RDW_INVALIDATE) Invalidate(*w, region, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE) Validate(*w, region);
    if ((flags & RDW_FRAME) && (flags & RDW_INVALIDATE)) {
        w->frameDirty = HasNonClientArea(*w);
    }
    if (flags & RDW_NOFRAME) w->frameDirty = false;
    if (flags & RDW_ALLCHILDREN) {
        for (HWND child : std::vector<HWND>(w->children))
            RedrawTree(child, nullptr, flags, false);
    }
}

void UpdateTree(HWND wnd, bool children) {
    UpdateWindow(wnd);
    if (!children) return;
    if (auto* w = WindowOf(wnd)) {
        for (HWND child : std::vector<HWND>(w->children))
            UpdateTree(child, true);
    }
}

} // namespace

// WM_PAINT, made up by the queue when no posted message is waiting.
bool MakePaintMessage(MSG& msg, HWND wnd, UINT first, UINT last) {
    if (!((first == 0 && last == 0) || (first <= WM_PAINT && WM_PAINT <= last))) return false;
    std::vector<HWND> roots;
    if (wnd == NullHWnd) {
        roots = TopLevelWindows();
    } else if (WindowOf(wnd)) {
        roots = {wnd};
    }
    HWND target = FindPaintable(roots, wnd);
    if (target == NullHWnd) return false;
    msg = MSG{target, WM_PAINT, 0, 0, core::GetTickCount()};
    return true;
}

gdi::HDC BeginPaint(HWND wnd, PAINTSTRUCT* paint) {
    auto* w = WindowOf(wnd);
    if (!w || !paint) return gdi::NullDC;
    if (w->frameDirty) {
        w->frameDirty = false;
        core::SendMessage(wnd, WM_NCPAINT, 1, 0);
        if (!(w = WindowOf(wnd))) return gdi::NullDC;
    }
    gdi::Region area = gdi::Region::Combine(w->update, ClientArea(*w), gdi::RGN_AND);
    const bool erase = w->erase;
    w->update = {};
    w->erase = false;
    gdi::Region allowed = area;
    allowed.Offset(w->client.Left, w->client.Top);
    paint->hdc = OpenDC(*w, w->client.TopLeft(), allowed);
    paint->rcPaint = area.Bounds();
    paint->fErase = true;
    if (erase)
        paint->fErase =
            core::SendMessage(wnd, WM_ERASEBKGND, static_cast<WPARAM>(paint->hdc), 0) == 0;
    return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (!paint) return false;
    CloseDC(paint->hdc);
    return true;
}

gdi::HDC GetDC(HWND wnd) {
    auto* w = WindowOf(wnd);
    if (!w) return gdi::NullDC;
    gdi::Region allowed = ClientArea(*w);
    allowed.Offset(w->client.Left, w->client.Top);
    return OpenDC(*w, w->client.TopLeft(), allowed);
}

gdi::HDC GetWindowDC(HWND wnd) {
    auto* w = WindowOf(wnd);
    if (!w) return gdi::NullDC;
    return OpenDC(*w, {}, gdi::Region::FromRect({0, 0, w->rect.Width(), w->rect.Height()}));
}

int ReleaseDC(HWND, gdi::HDC dc) {
    if (!WindowDCs().contains(dc)) return 0;
    CloseDC(dc);
    return 1;
}

BOOL InvalidateRect(HWND wnd, const TRect* rect, BOOL erase) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    Invalidate(*w, ClientRegionFor(*w, rect, gdi::NullObject), erase);
    return true;
}

BOOL ScrollWindow(HWND wnd, int dx, int dy, const TRect* rect, const TRect* clip) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    if (!rect) {
        for (HWND child : std::vector<HWND>(w->children)) {
            auto* c = WindowOf(child);
            if (!c) continue;
            if (c->minimized) gdi::OffsetRect(c->normalRect, dx, dy);
            SetWindowPos(child, NullHWnd, c->rect.Left + dx, c->rect.Top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (!(w = WindowOf(wnd))) return false;
    }
    TRect area = rect ? *rect : TRect{0, 0, w->client.Width(), w->client.Height()};
    if (clip && !gdi::IntersectRect(area, area, *clip)) return true;
    return InvalidateRect(wnd, &area, 1);
}

BOOL InvalidateRgn(HWND wnd, gdi::HRGN region, BOOL erase) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    Invalidate(*w, ClientRegionFor(*w, nullptr, region), erase);
    return true;
}

BOOL ValidateRect(HWND wnd, const TRect* rect) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    Validate(*w, ClientRegionFor(*w, rect, gdi::NullObject));
    return true;
}

BOOL ValidateRgn(HWND wnd, gdi::HRGN region) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    Validate(*w, ClientRegionFor(*w, nullptr, region));
    return true;
}

BOOL GetUpdateRect(HWND wnd, TRect* rect, BOOL erase) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    if (rect) *rect = w->update.Bounds();
    if (erase && !w->update.Empty() && w->erase) {
        gdi::Region allowed = w->update;
        allowed.Offset(w->client.Left, w->client.Top);
        gdi::HDC dc = OpenDC(*w, w->client.TopLeft(), allowed);
        const bool erased = core::SendMessage(wnd, WM_ERASEBKGND, static_cast<WPARAM>(dc), 0) != 0;
        CloseDC(dc);
        w = WindowOf(wnd);
        if (!w) return false;
        w->erase = !erased;
    }
    return !w->update.Empty();
}

int GetUpdateRgn(HWND wnd, gdi::HRGN region, BOOL erase) {
    auto* w = WindowOf(wnd);
    auto* target = gdi::RegionOf(region);
    if (!w || !target) return gdi::RGN_ERROR;
    *target = w->update;
    GetUpdateRect(wnd, nullptr, erase);
    return target->Kind();
}

BOOL UpdateWindow(HWND wnd) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    if (NeedsPaint(*w)) core::SendMessage(wnd, WM_PAINT, 0, 0);
    return true;
}

BOOL RedrawWindow(HWND wnd, const TRect* rect, gdi::HRGN region, UINT flags) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    gdi::Region area = ClientRegionFor(*w, rect, region);
    RedrawTree(wnd, &area, flags, true);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateTree(wnd, (flags & RDW_ALLCHILDREN) != 0);
    return true;
}

std::shared_ptr<gdi::Surface> WindowSurface(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w ? w->surface : nullptr;
}

} // namespace platform::win
