#include "platform/forms/frame_scroll_bar.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"

#include <algorithm>

namespace platform::forms {

namespace {

// The least length of a thumb, as the platform keeps one that can still be taken.
constexpr int LeastThumb = 8;

} // namespace

int TFrameScrollBar::Arrow() const {
    const int across = Vertical ? Bounds.Width() : Bounds.Height();
    const int along = Vertical ? Bounds.Height() : Bounds.Width();
    return std::min(across, along / 2);
}

int TFrameScrollBar::Track() const {
    return (Vertical ? Bounds.Height() : Bounds.Width()) - 2 * Arrow();
}

int TFrameScrollBar::ThumbLength() const {
    const int extent = std::max(1, Max - Min);
    return std::clamp(Track() * Page / extent, std::min(LeastThumb, Track()), Track());
}

TRect TFrameScrollBar::LineUpRect() const {
    const int a = Arrow();
    return Vertical ? TRect{Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Top + a}
                    : TRect{Bounds.Left, Bounds.Top, Bounds.Left + a, Bounds.Bottom};
}

TRect TFrameScrollBar::LineDownRect() const {
    const int a = Arrow();
    return Vertical ? TRect{Bounds.Left, Bounds.Bottom - a, Bounds.Right, Bounds.Bottom}
                    : TRect{Bounds.Right - a, Bounds.Top, Bounds.Right, Bounds.Bottom};
}

TRect TFrameScrollBar::ThumbRect() const {
    const int length = ThumbLength();
    const int span = std::max(1, Max - Min - Page);
    const int at = Arrow() + (Track() - length) * std::clamp(Position - Min, 0, span) / span;
    return Vertical ? TRect{Bounds.Left, Bounds.Top + at, Bounds.Right, Bounds.Top + at + length}
                    : TRect{Bounds.Left + at, Bounds.Top, Bounds.Left + at + length, Bounds.Bottom};
}

TScrollBarPart TFrameScrollBar::PartAt(TPoint p) const {
    if (!gdi::PtInRect(Bounds, p)) return sbpNone;
    if (gdi::PtInRect(LineUpRect(), p)) return sbpLineUp;
    if (gdi::PtInRect(LineDownRect(), p)) return sbpLineDown;
    const TRect thumb = ThumbRect();
    if (gdi::PtInRect(thumb, p)) return sbpThumb;
    const bool before = Vertical ? p.Y < thumb.Top : p.X < thumb.Left;
    return before ? sbpPageUp : sbpPageDown;
}

int TFrameScrollBar::PositionForThumb(int start) const {
    const int first = (Vertical ? Bounds.Top : Bounds.Left) + Arrow();
    const int room = std::max(1, Track() - ThumbLength());
    const int span = std::max(0, Max - Min - Page);
    return Min + std::clamp(start - first, 0, room) * span / room;
}

void TFrameScrollBar::Paint(gdi::HDC dc) const {
    TRect bar = Bounds;
    gdi::FillRect(dc, &bar, gdi::GetSysColorBrush(gdi::COLOR_SCROLLBAR));
    TRect up = LineUpRect(), down = LineDownRect();
    const auto pushed = [this](TScrollBarPart part) {
        return Pressed == part ? gdi::DFCS_PUSHED | gdi::DFCS_FLAT : 0;
    };
    gdi::DrawFrameControl(dc, &up, gdi::DFC_SCROLL,
                          (Vertical ? gdi::DFCS_SCROLLUP : gdi::DFCS_SCROLLLEFT) |
                              pushed(sbpLineUp));
    gdi::DrawFrameControl(dc, &down, gdi::DFC_SCROLL,
                          (Vertical ? gdi::DFCS_SCROLLDOWN : gdi::DFCS_SCROLLRIGHT) |
                              pushed(sbpLineDown));
    TRect thumb = ThumbRect();
    gdi::FillRect(dc, &thumb, gdi::GetSysColorBrush(gdi::COLOR_BTNFACE));
    gdi::DrawEdge(dc, &thumb, gdi::EDGE_RAISED, gdi::BF_RECT);
}

} // namespace platform::forms
