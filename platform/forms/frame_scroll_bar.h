#pragma once
// A scroll bar drawn in a window's frame beside its client area, as the platform draws a
// window's own scroll bars: an arrow button at each end, the track between them and a thumb
// whose length is the share of the range one page shows. The class library's scrolling windows
// lay one out, paint it and ask what part of it a point is; what a part does is theirs.

#include "platform/gdi/objects.h"

#include <cstdint>

namespace platform::forms {

using gdi::TPoint;
using gdi::TRect;

enum TScrollBarPart { sbpNone, sbpLineUp, sbpPageUp, sbpThumb, sbpPageDown, sbpLineDown };

// A held arrow or track scrolls once on the press, again after the first delay and then at
// the repeat interval (milliseconds), while the pointer stays on the part pressed.
inline constexpr std::uint32_t FrameScrollFirstRepeat = 400;
inline constexpr std::uint32_t FrameScrollRepeat = 60;

struct TFrameScrollBar {
    // Window coordinates.
    TRect Bounds;
    bool Vertical = true;
    // The range; one page of it shows, from Position (Min up to Max - Page).
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Position = 0;
    // The arrow held down with the pointer on it, drawn pushed in; sbpNone for none.
    TScrollBarPart Pressed = sbpNone;

    TRect LineUpRect() const;
    TRect LineDownRect() const;
    TRect ThumbRect() const;
    TScrollBarPart PartAt(TPoint p) const;
    // The position that puts the thumb's leading edge at start (along the bar, window
    // coordinates), kept within the range.
    int PositionForThumb(int start) const;
    void Paint(gdi::HDC dc) const;

private:
    int Arrow() const;
    int Track() const;
    int ThumbLength() const;
};

} // namespace platform::forms
