#include "platform/forms/mdi_client.h"

#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>

namespace platform::forms {

using namespace win;

namespace {

// The timer of a held arrow or track.
constexpr std::uintptr_t RepeatTimer = 1;

int BarSize() {
    return gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
}

TRect Joined(const TRect& a, const TRect& b) {
    TRect both;
    gdi::UnionRect(both, a, b);
    return both;
}

bool Shown(HWND wnd) {
    return (GetWindowLong(wnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The union of the shown children's rectangles in the client's coordinates; nothing for none.
// zoomed: whether one of them is maximised.
std::optional<TRect> ChildrenExtent(HWND client, bool& zoomed) {
    zoomed = false;
    std::optional<TRect> extent;
    for (HWND child : ChildWindows(client)) {
        if (!Shown(child)) continue;
        zoomed = zoomed || IsZoomed(child);
        TRect r;
        GetWindowRect(child, &r);
        TPoint corners[2] = {r.TopLeft(), r.BottomRight()};
        MapWindowPoints(NullHWnd, client, corners, 2);
        r = {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
        extent = extent ? Joined(*extent, r) : r;
    }
    return extent;
}

} // namespace

TMDIClient::TMDIClient(TComponent* owner) : TWinControl(owner) {
    color_ = gdi::clAppWorkSpace;
}

void TMDIClient::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "MDICLIENT";
    params.style |= WS_CLIPCHILDREN;
}

void TMDIClient::CreateWnd() {
    // Nothing is queued for a window made just now.
    calcPosted_ = false;
    horz_ = vert_ = false;
    drag_.reset();
}

void TMDIClient::Resize() {
    TWinControl::Resize();
    if (!HandleAllocated()) return;
    FitMaximized();
    CalcChildScroll();
}

TPoint TMDIClient::WindowPoint(TPoint screen) const {
    TRect window;
    GetWindowRect(handle_, &window);
    return {screen.X - window.Left, screen.Y - window.Top};
}

TFrameScrollBar TMDIClient::ScrollBar(bool vertical) const {
    if (drag_ && drag_->bar.Vertical == vertical) {
        TFrameScrollBar bar = drag_->bar;
        bar.Position = drag_->position;
        return bar;
    }
    TFrameScrollBar bar;
    bar.Vertical = vertical;
    if (!HandleAllocated()) return bar;
    TRect client;
    GetClientRect(handle_, &client);
    const TPoint origin = WindowPoint(ClientOrigin());
    const int width = client.Width(), height = client.Height();
    bar.Bounds =
        vertical
            ? TRect{origin.X + width, origin.Y, origin.X + width + BarSize(), origin.Y + height}
            : TRect{origin.X, origin.Y + height, origin.X + width, origin.Y + height + BarSize()};
    bool zoomed = false;
    TRect range = client;
    if (const auto children = ChildrenExtent(handle_, zoomed)) range = Joined(range, *children);
    bar.Min = vertical ? range.Top : range.Left;
    bar.Max = vertical ? range.Bottom : range.Right;
    bar.Page = vertical ? height : width;
    bar.Position = 0;
    if (held_ && held_->vertical == vertical && held_->over &&
        (held_->part == sbpLineUp || held_->part == sbpLineDown))
        bar.Pressed = held_->part;
    return bar;
}

void TMDIClient::ChildMoved() {
    if (calcPosted_ || !HandleAllocated()) return;
    calcPosted_ = true;
    core::PostMessage(handle_, WM_MDICALCCHILDSCROLL, 0, 0);
}

void TMDIClient::CalcChildScroll() {
    calcPosted_ = false;
    if (!HandleAllocated() || drag_) return;
    TRect client;
    GetClientRect(handle_, &client);
    const int size = BarSize();
    const int width = client.Width() + (vert_ ? size : 0);
    const int height = client.Height() + (horz_ ? size : 0);
    bool zoomed = false;
    const std::optional<TRect> children = ChildrenExtent(handle_, zoomed);
    bool horz = false, vert = false;
    if (children && !zoomed) {
        // A bar takes room from the other direction: a second look sees whether that needs the
        // other bar too.
        for (int pass = 0; pass < 2; ++pass) {
            const int w = width - (vert ? size : 0), h = height - (horz ? size : 0);
            horz = children->Left < 0 || children->Right > w;
            vert = children->Top < 0 || children->Bottom > h;
        }
    }
    if (horz != horz_ || vert != vert_) {
        horz_ = horz;
        vert_ = vert;
        SetWindowPos(handle_, NullHWnd, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        FitMaximized();
    }
    PaintBars();
}

void TMDIClient::FitMaximized() {
    // Once for each change of the client area: a child that keeps a size of its own is left
    // with it.
    const TRect client = ClientRect();
    for (HWND child : ChildWindows(handle_))
        if (IsZoomed(child))
            if (TControl* form = FindControl(child)) form->SetBoundsRect(client);
}

void TMDIClient::PaintBars() {
    if (HandleAllocated() && (horz_ || vert_))
        RedrawWindow(handle_, nullptr, gdi::NullObject, RDW_FRAME | RDW_INVALIDATE);
}

void TMDIClient::ScrollChildren(bool vertical, int code, int thumb) {
    if (code == static_cast<int>(SB_ENDSCROLL)) {
        CalcChildScroll();
        return;
    }
    const TFrameScrollBar bar = ScrollBar(vertical);
    const int line =
        gdi::GetSystemMetrics(vertical ? gdi::SM_CYICONSPACING : gdi::SM_CXICONSPACING) / 2;
    int position = bar.Position;
    switch (static_cast<WPARAM>(code)) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= bar.Page;
        break;
    case SB_PAGEDOWN:
        position += bar.Page;
        break;
    case SB_TOP:
        position = bar.Min;
        break;
    case SB_BOTTOM:
        position = bar.Max - bar.Page;
        break;
    case SB_THUMBPOSITION:
        position = thumb;
        break;
    default:
        // SB_THUMBTRACK: the children move where the thumb is let go.
        return;
    }
    bool zoomed = false;
    ChildrenExtent(handle_, zoomed);
    position = std::clamp(position, bar.Min, std::max(bar.Min, bar.Max - bar.Page));
    if (zoomed || position == bar.Position) return;
    const int dx = vertical ? 0 : bar.Position - position;
    const int dy = vertical ? bar.Position - position : 0;
    ScrollWindow(handle_, dx, dy, nullptr, nullptr);
    // The forms remember where a minimised or maximised child goes back to as well.
    for (HWND child : ChildWindows(handle_))
        if (auto* form = dynamic_cast<TCustomForm*>(FindControl(child));
            form && form->windowState_ != wsNormal)
            gdi::OffsetRect(form->normalBounds_, dx, dy);
    CalcChildScroll();
}

bool TMDIClient::NcLButtonDown(TMessage& message) {
    const bool vertical = message.WParam == static_cast<WPARAM>(HTVSCROLL);
    if (!vertical && message.WParam != static_cast<WPARAM>(HTHSCROLL)) return false;
    const TFrameScrollBar bar = ScrollBar(vertical);
    const TPoint p = WindowPoint(LParamToPoint(message.LParam));
    WPARAM code = SB_ENDSCROLL;
    switch (bar.PartAt(p)) {
    case sbpLineUp:
        code = SB_LINEUP;
        break;
    case sbpLineDown:
        code = SB_LINEDOWN;
        break;
    case sbpPageUp:
        code = SB_PAGEUP;
        break;
    case sbpPageDown:
        code = SB_PAGEDOWN;
        break;
    case sbpThumb: {
        const TRect thumb = bar.ThumbRect();
        drag_ = TThumbDrag{bar, vertical ? p.Y - thumb.Top : p.X - thumb.Left, bar.Position};
        SetCapture(handle_);
        return true;
    }
    default:
        return true;
    }
    core::SendMessage(handle_, vertical ? WM_VSCROLL : WM_HSCROLL, code, 0);
    held_ = THeldPart{vertical, bar.PartAt(p), code};
    PaintBars();
    SetCapture(handle_);
    core::SetTimer(handle_, RepeatTimer, FrameScrollFirstRepeat);
    return true;
}

bool TMDIClient::RepeatScroll(TMessage& message) {
    if (!held_) return false;
    switch (message.Msg) {
    case WM_TIMER: {
        if (message.WParam != RepeatTimer) return false;
        core::SetTimer(handle_, RepeatTimer, FrameScrollRepeat);
        TPoint cursor;
        GetCursorPos(&cursor);
        // Away from the part pressed nothing scrolls; back on it, the repeating goes on. The
        // track stops once the thumb has come under the pointer.
        if (ScrollBar(held_->vertical).PartAt(WindowPoint(cursor)) == held_->part)
            core::SendMessage(handle_, held_->vertical ? WM_VSCROLL : WM_HSCROLL, held_->code, 0);
        return true;
    }
    case WM_MOUSEMOVE: {
        // A held arrow looks pushed in while the pointer is on it.
        const TPoint p = WindowPoint(ClientToScreen(LParamToPoint(message.LParam)));
        const bool over = ScrollBar(held_->vertical).PartAt(p) == held_->part;
        if (over != held_->over) {
            held_->over = over;
            PaintBars();
        }
        return true;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        EndRepeat();
        return true;
    default:
        return false;
    }
}

void TMDIClient::EndRepeat() {
    const bool vertical = held_->vertical;
    held_.reset();
    core::KillTimer(handle_, RepeatTimer);
    PaintBars();
    if (GetCapture() == handle_) ReleaseCapture();
    core::SendMessage(handle_, vertical ? WM_VSCROLL : WM_HSCROLL, SB_ENDSCROLL, 0);
}

bool TMDIClient::TrackThumb(TMessage& message) {
    if (!drag_) return false;
    if (message.Msg == WM_CAPTURECHANGED) {
        drag_.reset();
        PaintBars();
        return true;
    }
    const bool vertical = drag_->bar.Vertical;
    const TPoint p = WindowPoint(ClientToScreen(LParamToPoint(message.LParam)));
    const int position = drag_->bar.PositionForThumb((vertical ? p.Y : p.X) - drag_->grab);
    const UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
    if (message.Msg == WM_MOUSEMOVE) {
        if (position != drag_->position) {
            drag_->position = position;
            PaintBars();
            core::SendMessage(handle_, msg, MAKEWPARAM(static_cast<int>(SB_THUMBTRACK), position),
                              0);
        }
        return true;
    }
    drag_.reset();
    if (GetCapture() == handle_) ReleaseCapture();
    core::SendMessage(handle_, msg, MAKEWPARAM(static_cast<int>(SB_THUMBPOSITION), position), 0);
    core::SendMessage(handle_, msg, SB_ENDSCROLL, 0);
    return true;
}

void TMDIClient::Dispatch(TMessage& message) {
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    auto childOf = [](WPARAM wnd) {
        return dynamic_cast<TCustomForm*>(FindControl(static_cast<HWND>(wnd)));
    };
    switch (message.Msg) {
    case WM_NCCALCSIZE: {
        DefaultHandler(message);
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
        if (vert_) params->rgrc[0].Right -= BarSize();
        if (horz_) params->rgrc[0].Bottom -= BarSize();
        return;
    }
    case WM_NCPAINT: {
        DefaultHandler(message);
        if (!horz_ && !vert_) return;
        gdi::HDC dc = GetWindowDC(handle_);
        if (vert_) ScrollBar(true).Paint(dc);
        if (horz_) ScrollBar(false).Paint(dc);
        if (horz_ && vert_) {
            // The corner between the two bars.
            const TRect v = ScrollBar(true).Bounds, h = ScrollBar(false).Bounds;
            TRect corner{v.Left, h.Top, v.Right, h.Bottom};
            gdi::FillRect(dc, &corner, gdi::GetSysColorBrush(gdi::COLOR_BTNFACE));
        }
        ReleaseDC(handle_, dc);
        return;
    }
    case WM_NCHITTEST: {
        DefaultHandler(message);
        const TPoint p = WindowPoint(LParamToPoint(message.LParam));
        if (vert_ && ScrollBar(true).PartAt(p) != sbpNone)
            message.Result = HTVSCROLL;
        else if (horz_ && ScrollBar(false).PartAt(p) != sbpNone)
            message.Result = HTHSCROLL;
        return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (NcLButtonDown(message)) return;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (TrackThumb(message) || RepeatScroll(message)) return;
        break;
    case WM_TIMER:
        if (RepeatScroll(message)) return;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (message.LParam != 0) break;
        ScrollChildren(message.Msg == WM_VSCROLL, LOWORD(message.WParam),
                       static_cast<std::int16_t>(HIWORD(message.WParam)));
        return;
    case WM_MDICALCCHILDSCROLL:
        CalcChildScroll();
        return;
    default:
        break;
    }
    if (form) switch (message.Msg) {
        case WM_MDIGETACTIVE: {
            TCustomForm* active = form->ActiveMDIChild();
            if (message.LParam)
                *reinterpret_cast<BOOL*>(message.LParam) =
                    active && active->WindowState() == wsMaximized;
            message.Result = active ? static_cast<LRESULT>(active->Handle()) : 0;
            return;
        }
        case WM_MDIMAXIMIZE:
            if (TCustomForm* child = childOf(message.WParam)) child->SetWindowState(wsMaximized);
            return;
        case WM_MDIRESTORE:
            if (TCustomForm* child = childOf(message.WParam)) child->SetWindowState(wsNormal);
            return;
        case WM_MDINEXT:
            if (message.LParam)
                form->Previous();
            else
                form->Next();
            return;
        case WM_MDICASCADE:
            form->Cascade();
            return;
        case WM_MDITILE:
            form->Tile();
            return;
        case WM_MDIICONARRANGE:
            form->ArrangeIcons();
            return;
        default:
            break;
        }
    TWinControl::Dispatch(message);
}

} // namespace platform::forms
