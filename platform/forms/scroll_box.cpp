#include "platform/forms/scroll_box.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>

namespace platform::forms {

using namespace win;

namespace {

int BarSize() {
    return gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
}

} // namespace

// ---- TControlScrollBar ----

bool TControlScrollBar::IsScrollBarVisible() const {
    return Visible && box_.Extent(vertical_) > box_.Visible(vertical_);
}

void TControlScrollBar::SetRange(int value) {
    range_ = std::max(0, value);
    box_.UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int value) {
    const int limit = std::max(0, box_.Extent(vertical_) - box_.Visible(vertical_));
    value = std::clamp(value, 0, limit);
    if (value == position_) return;
    const int delta = position_ - value;
    position_ = value;
    if (vertical_)
        box_.ScrollBy(0, delta);
    else
        box_.ScrollBy(delta, 0);
    box_.PaintBars();
}

// ---- TScrollBox ----

TScrollBox::TScrollBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 41;
    controlStyle_ |= csAcceptsControls;
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (BorderStyle == bsSingleBorder) params.exStyle |= WS_EX_CLIENTEDGE;
    params.style |= WS_CLIPCHILDREN;
}

int TScrollBox::Extent(bool vertical) const {
    const TControlScrollBar& bar = vertical ? vert_ : horz_;
    if (!AutoScroll || bar.range_ > 0) return bar.range_;
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        extent = std::max(extent, vertical ? c->Top() + c->Height() + bar.position_
                                           : c->Left() + c->Width() + bar.position_);
    }
    return extent;
}

int TScrollBox::Visible(bool vertical) const {
    TRect r;
    if (!HandleAllocated()) return vertical ? height_ : width_;
    GetClientRect(handle_, &r);
    return vertical ? r.Height() : r.Width();
}

void TScrollBox::ScrollBy(int dx, int dy) {
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    EnableAlign();
    Invalidate();
}

void TScrollBox::ScrollInView(TControl* control) {
    if (!control || control->Parent() != this) return;
    if (control->Top() < 0) vert_.SetPosition(vert_.position_ + control->Top());
    if (control->Top() + control->Height() > Visible(true))
        vert_.SetPosition(vert_.position_ + control->Top() + control->Height() - Visible(true));
    if (control->Left() < 0) horz_.SetPosition(horz_.position_ + control->Left());
    if (control->Left() + control->Width() > Visible(false))
        horz_.SetPosition(horz_.position_ + control->Left() + control->Width() - Visible(false));
}

void TScrollBox::UpdateScrollBars() {
    if (!HandleAllocated()) return;
    // The frame takes the bars; the client area shrinks accordingly.
    SetWindowPos(handle_, NullHWnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    vert_.SetPosition(vert_.position_);
    horz_.SetPosition(horz_.position_);
    PaintBars();
}

void TScrollBox::Resize() {
    UpdateScrollBars();
    TCustomControl::Resize();
}

void TScrollBox::Paint() {
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(ClientRect());
}

void TScrollBox::PaintBars() {
    if (HandleAllocated())
        RedrawWindow(handle_, nullptr, gdi::NullObject, RDW_FRAME | RDW_INVALIDATE);
}

void TScrollBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE: {
        DefaultHandler(message);
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
        if (vert_.IsScrollBarVisible()) params->rgrc[0].Right -= BarSize();
        if (horz_.IsScrollBarVisible()) params->rgrc[0].Bottom -= BarSize();
        return;
    }
    case WM_NCPAINT: {
        DefaultHandler(message);
        gdi::HDC dc = GetWindowDC(handle_);
        TRect window;
        GetWindowRect(handle_, &window);
        TPoint origin{0, 0};
        win::ClientToScreen(handle_, &origin);
        const int cx = origin.X - window.Left, cy = origin.Y - window.Top;
        const int cw = Visible(false), ch = Visible(true);
        auto paintBar = [&](TRect bar, bool vertical, const TControlScrollBar& sb) {
            gdi::HBRUSH brush = gdi::GetSysColorBrush(gdi::COLOR_SCROLLBAR);
            gdi::FillRect(dc, &bar, brush);
            const int s = BarSize();
            TRect a = vertical ? TRect{bar.Left, bar.Top, bar.Right, bar.Top + s}
                               : TRect{bar.Left, bar.Top, bar.Left + s, bar.Bottom};
            TRect b = vertical ? TRect{bar.Left, bar.Bottom - s, bar.Right, bar.Bottom}
                               : TRect{bar.Right - s, bar.Top, bar.Right, bar.Bottom};
            gdi::DrawFrameControl(dc, &a, gdi::DFC_SCROLL,
                                  vertical ? gdi::DFCS_SCROLLUP : gdi::DFCS_SCROLLLEFT);
            gdi::DrawFrameControl(dc, &b, gdi::DFC_SCROLL,
                                  vertical ? gdi::DFCS_SCROLLDOWN : gdi::DFCS_SCROLLRIGHT);
            const int track = (vertical ? bar.Height() : bar.Width()) - 2 * s;
            const int extent = std::max(1, Extent(vertical));
            const int seen = vertical ? ch : cw;
            const int size = std::max(8, track * seen / extent);
            const int at = s + (track - size) * sb.position_ / std::max(1, extent - seen);
            TRect thumb = vertical
                              ? TRect{bar.Left, bar.Top + at, bar.Right, bar.Top + at + size}
                              : TRect{bar.Left + at, bar.Top, bar.Left + at + size, bar.Bottom};
            gdi::FillRect(dc, &thumb, gdi::GetSysColorBrush(gdi::COLOR_BTNFACE));
            gdi::DrawEdge(dc, &thumb, gdi::EDGE_RAISED, gdi::BF_RECT);
        };
        if (vert_.IsScrollBarVisible())
            paintBar({cx + cw, cy, cx + cw + BarSize(), cy + ch}, true, vert_);
        if (horz_.IsScrollBarVisible())
            paintBar({cx, cy + ch, cx + cw, cy + ch + BarSize()}, false, horz_);
        ReleaseDC(handle_, dc);
        return;
    }
    case WM_NCHITTEST: {
        DefaultHandler(message);
        TPoint p = LParamToPoint(message.LParam);
        TPoint c = ScreenToClient(p);
        if (vert_.IsScrollBarVisible() && c.X >= Visible(false) && c.Y < Visible(true))
            message.Result = HTVSCROLL;
        else if (horz_.IsScrollBarVisible() && c.Y >= Visible(true) && c.X < Visible(false))
            message.Result = HTHSCROLL;
        return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        TPoint c = ScreenToClient(LParamToPoint(message.LParam));
        const bool vertical = message.WParam == static_cast<WPARAM>(HTVSCROLL);
        if (!vertical && message.WParam != static_cast<WPARAM>(HTHSCROLL)) break;
        TControlScrollBar& sb = vertical ? vert_ : horz_;
        const int along = vertical ? c.Y : c.X;
        const int length = vertical ? Visible(true) : Visible(false);
        const int s = BarSize();
        if (along < s)
            sb.SetPosition(sb.position_ - sb.Increment);
        else if (along >= length - s)
            sb.SetPosition(sb.position_ + sb.Increment);
        else if (along < length / 2)
            sb.SetPosition(sb.position_ - length);
        else
            sb.SetPosition(sb.position_ + length);
        return;
    }
    case WM_MOUSEWHEEL:
        vert_.SetPosition(vert_.position_ - GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA *
                                                3 * vert_.Increment);
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

} // namespace platform::forms
