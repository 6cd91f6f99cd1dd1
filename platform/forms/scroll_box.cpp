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

TFrameScrollBar TScrollBox::Bar(bool vertical) const {
    const TPoint origin = WindowPoint(ClientOrigin());
    const int cw = Visible(false), ch = Visible(true);
    const TControlScrollBar& sb = vertical ? vert_ : horz_;
    TFrameScrollBar bar;
    bar.Vertical = vertical;
    bar.Bounds = vertical
                     ? TRect{origin.X + cw, origin.Y, origin.X + cw + BarSize(), origin.Y + ch}
                     : TRect{origin.X, origin.Y + ch, origin.X + cw, origin.Y + ch + BarSize()};
    bar.Max = std::max(1, Extent(vertical));
    bar.Page = vertical ? ch : cw;
    bar.Position = sb.position_;
    return bar;
}

TPoint TScrollBox::WindowPoint(TPoint screen) const {
    TRect window;
    GetWindowRect(handle_, &window);
    return {screen.X - window.Left, screen.Y - window.Top};
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
        for (const bool vertical : {true, false})
            if ((vertical ? vert_ : horz_).IsScrollBarVisible()) Bar(vertical).Paint(dc);
        ReleaseDC(handle_, dc);
        return;
    }
    case WM_NCHITTEST: {
        DefaultHandler(message);
        const TPoint p = WindowPoint(LParamToPoint(message.LParam));
        if (vert_.IsScrollBarVisible() && Bar(true).PartAt(p) != sbpNone)
            message.Result = HTVSCROLL;
        else if (horz_.IsScrollBarVisible() && Bar(false).PartAt(p) != sbpNone)
            message.Result = HTHSCROLL;
        return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const bool vertical = message.WParam == static_cast<WPARAM>(HTVSCROLL);
        if (!vertical && message.WParam != static_cast<WPARAM>(HTHSCROLL)) break;
        TControlScrollBar& sb = vertical ? vert_ : horz_;
        const int page = vertical ? Visible(true) : Visible(false);
        switch (Bar(vertical).PartAt(WindowPoint(LParamToPoint(message.LParam)))) {
        case sbpLineUp:
            sb.SetPosition(sb.position_ - sb.Increment);
            break;
        case sbpLineDown:
            sb.SetPosition(sb.position_ + sb.Increment);
            break;
        case sbpPageUp:
            sb.SetPosition(sb.position_ - page);
            break;
        case sbpPageDown:
            sb.SetPosition(sb.position_ + page);
            break;
        default:
            break;
        }
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
