// The non-client frame the window system draws itself (a window whose frame the window manager
// does not draw): its parts by style, what a point of it is, and its painting.

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/painting.h"
#include "platform/win/window_data.h"

namespace platform::win {

int FrameHitTest(const WindowData& w, TPoint p) {
    const int width = w.rect.Width();
    const int height = w.rect.Height();
    if (p.X < 0 || p.Y < 0 || p.X >= width || p.Y >= height) return HTNOWHERE;
    if (w.minimized && w.IsChild()) return HTCAPTION;
    if (gdi::PtInRect(w.client, p)) return HTCLIENT;
    TRect insets = FrameInsets(w);
    const bool caption = (w.style & WS_CAPTION) == WS_CAPTION;
    if (w.style & WS_THICKFRAME) {
        const int frame = gdi::GetSystemMetrics(gdi::SM_CXFRAME);
        const bool left = p.X < frame, right = p.X >= width - frame;
        const bool top = p.Y < frame, bottom = p.Y >= height - frame;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    if (caption && p.Y < insets.Top &&
        p.Y >= insets.Top - gdi::GetSystemMetrics((w.exStyle & WS_EX_TOOLWINDOW)
                                                      ? gdi::SM_CYSMCAPTION
                                                      : gdi::SM_CYCAPTION))
        return HTCAPTION;
    return HTBORDER;
}

namespace {

// A child's icon: a caption bar in a fixed frame.
void PaintIcon(WindowData& w, gdi::HDC dc) {
    TRect r{0, 0, w.rect.Width(), w.rect.Height()};
    gdi::FillRect(dc, &r, gdi::GetSysColorBrush(gdi::COLOR_BTNFACE));
    gdi::DrawEdge(dc, &r, gdi::EDGE_RAISED, gdi::BF_RECT);
    const int frame = gdi::GetSystemMetrics(gdi::SM_CXDLGFRAME);
    gdi::InflateRect(r, -frame, -frame);
    // A child is active as its last WM_NCACTIVATE said, whatever its root window is.
    gdi::FillRect(dc, &r,
                  gdi::GetSysColorBrush(w.frameActive ? gdi::COLOR_ACTIVECAPTION
                                                      : gdi::COLOR_INACTIVECAPTION));
}

} // namespace

void PaintFrame(WindowData& w) {
    gdi::HDC dc = GetWindowDC(w.handle);
    PaintFrame(w, dc);
    ReleaseDC(w.handle, dc);
}

void PaintFrame(WindowData& w, gdi::HDC dc) {
    if (w.minimized && w.IsChild()) {
        PaintIcon(w, dc);
        return;
    }
    TRect insets = FrameInsets(w);
    if (insets == TRect{}) return;
    const int saved = gdi::SaveDC(dc);
    gdi::ExcludeClipRect(dc, w.client.Left, w.client.Top, w.client.Right, w.client.Bottom);
    TRect r{0, 0, w.rect.Width(), w.rect.Height()};
    const bool caption = (w.style & WS_CAPTION) == WS_CAPTION;
    const bool dialogFrame =
        (w.exStyle & WS_EX_DLGMODALFRAME) || ((w.style & WS_CAPTION) == WS_DLGFRAME) || caption;
    if ((w.style & WS_THICKFRAME) || dialogFrame) {
        gdi::FillRect(dc, &r, gdi::GetSysColorBrush(gdi::COLOR_BTNFACE));
        gdi::DrawEdge(dc, &r, gdi::EDGE_RAISED, gdi::BF_RECT);
        const int frame =
            gdi::GetSystemMetrics((w.style & WS_THICKFRAME) ? gdi::SM_CXFRAME : gdi::SM_CXDLGFRAME);
        gdi::InflateRect(r, -frame, -frame);
    } else if (w.style & WS_BORDER) {
        gdi::FrameRect(dc, &r, gdi::GetSysColorBrush(gdi::COLOR_WINDOWFRAME));
        gdi::InflateRect(r, -1, -1);
    }
    if (caption) {
        const int height = gdi::GetSystemMetrics(
            (w.exStyle & WS_EX_TOOLWINDOW) ? gdi::SM_CYSMCAPTION : gdi::SM_CYCAPTION);
        TRect bar{r.Left, r.Top, r.Right, r.Top + height};
        const bool active = IsFrameActive(w.handle);
        gdi::FillRect(
            dc, &bar,
            gdi::GetSysColorBrush(active ? gdi::COLOR_ACTIVECAPTION : gdi::COLOR_INACTIVECAPTION));
        r.Top += height;
    }
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        gdi::DrawEdge(dc, &r, gdi::EDGE_SUNKEN, gdi::BF_RECT | gdi::BF_ADJUST);
    } else if (w.exStyle & WS_EX_STATICEDGE) {
        gdi::DrawEdge(dc, &r, gdi::BDR_SUNKENOUTER, gdi::BF_RECT | gdi::BF_ADJUST);
    }
    gdi::RestoreDC(dc, saved);
}

} // namespace platform::win
