#pragma once
// A set of pixels kept as horizontal bands of sorted, disjoint spans, the way the platform keeps
// regions. Regions stand behind region handles and clipping, and every filled shape is first
// made a region, so shapes, fills and clipping share one pixel rule: a pixel belongs to a shape
// when its centre lies inside.

#include "platform/gdi/geometry.h"

#include <functional>
#include <vector>

class QPainter;

namespace platform::gdi {

// Region kinds and combine modes, as the platform numbers them.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum : int { ALTERNATE = 1, WINDING = 2 };

class Region {
public:
    struct Span {
        int Left;
        int Right;
        friend bool operator==(const Span&, const Span&) = default;
    };
    struct Band {
        int Top;
        int Bottom;
        std::vector<Span> Spans;
        friend bool operator==(const Band&, const Band&) = default;
    };

    Region() = default;
    static Region FromRect(const TRect& r);
    // Rows of spans starting at row top, one entry per row; the spans may be unsorted.
    static Region FromRows(int top, std::vector<std::vector<Span>> rows);
    static Region FromPolygon(const TPoint* points, const int* counts, int polygonCount,
                              int fillMode);
    // The pixels of the ellipse inscribed in r.
    static Region FromEllipse(const TRect& r);
    static Region FromRoundRect(const TRect& r, int ellipseWidth, int ellipseHeight);
    // Whatever a painter puts inside bounds, antialiasing off, as coverage.
    static Region FromPainting(const TRect& bounds, const std::function<void(QPainter&)>& paint);

    static Region Combine(const Region& a, const Region& b, int mode);

    bool Empty() const { return bands_.empty(); }
    TRect Bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;
    bool Contains(int x, int y) const;
    bool Intersects(const TRect& r) const;
    void Offset(int dx, int dy);
    // Turned about pivot by tenths of a degree, counter-clockwise as the screen shows it (the
    // platform's escapement): quarter turns are exact; other angles take each pixel whose centre
    // turns back into the region.
    Region Turned(TPoint pivot, int tenths) const;
    std::vector<TRect> Rects() const;
    const std::vector<Band>& Bands() const { return bands_; }
    friend bool operator==(const Region&, const Region&) = default;

private:
    void Append(int top, int bottom, std::vector<Span> spans);
    std::vector<Band> bands_;
};

} // namespace platform::gdi
