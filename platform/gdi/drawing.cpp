#include "platform/gdi/drawing.h"

#include "platform/gdi/call_trace.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/surface.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace platform::gdi {

namespace {

std::vector<TPoint> Points(const TPoint* points, int count) {
    if (!points || count <= 0) return {};
    return {points, points + count};
}

Raw BrushName(HBRUSH brush) {
    return DescribeObject(brush);
}

struct Dashes {
    int count;
    int lengths[6];
};

const Dashes* DashesOf(UINT style) {
    static const Dashes dash{2, {18, 6}}, dot{2, {3, 3}}, dashDot{4, {9, 6, 3, 6}},
        dashDotDot{6, {9, 3, 3, 3, 3, 3}}, alternate{2, {1, 1}};
    switch (style & PS_STYLE_MASK) {
    case PS_DASH:
        return &dash;
    case PS_DOT:
        return &dot;
    case PS_DASHDOT:
        return &dashDot;
    case PS_DASHDOTDOT:
        return &dashDotDot;
    case PS_ALTERNATE:
        return &alternate;
    default:
        return nullptr;
    }
}

TRect Ordered(int left, int top, int right, int bottom) {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

// Draws pen lines in device coordinates; the dash pattern runs on across the segments of one
// figure.
class PenStroker {
public:
    explicit PenStroker(DeviceContext& dc)
        : dc_(dc), pen_(dc.Pen().log), drawable_(dc.DrawableArea()),
          dashes_(DashesOf(pen_.lopnStyle)) {
        // On a monochrome bitmap a pen draws white only in exactly white: every other colour,
        // however light, draws black.
        if (const Surface* target = dc.Target(); target && target->BitsPerPixel() == 1)
            pen_.lopnColor = (pen_.lopnColor & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFF : 0;
    }

    bool Null() const { return (pen_.lopnStyle & PS_STYLE_MASK) == PS_NULL; }
    bool Wide() const { return pen_.lopnWidth.X > 1; }
    // The path a wide pen follows around a box: centred on the outline, or, for an inside-frame
    // pen, moved in so that the whole stroke stays inside the box.
    QRectF Outline(const TRect& r) const {
        if ((pen_.lopnStyle & PS_STYLE_MASK) == PS_INSIDEFRAME && Wide()) {
            double half = Width() / 2.0;
            return {r.Left + half, r.Top + half, r.Width() - 2 * half, r.Height() - 2 * half};
        }
        return {r.Left + 0.5, r.Top + 0.5, r.Width() - 1.0, r.Height() - 1.0};
    }
    int Width() const { return std::max(1, pen_.lopnWidth.X); }

    // From a towards b, b left out.
    void Line(TPoint a, TPoint b) {
        if (Null()) return;
        if (Wide()) {
            Path({a, b}, false);
            return;
        }
        int dx = std::abs(b.X - a.X), dy = std::abs(b.Y - a.Y);
        int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
        int x = a.X, y = a.Y;
        if (dx >= dy) {
            int err = 2 * dy - dx;
            for (int i = 0; i < dx; ++i) {
                Plot(x, y);
                if (err > 0 || (err == 0 && sy > 0)) {
                    y += sy;
                    err -= 2 * dx;
                }
                err += 2 * dy;
                x += sx;
            }
        } else {
            int err = 2 * dx - dy;
            for (int i = 0; i < dy; ++i) {
                Plot(x, y);
                if (err > 0 || (err == 0 && sx > 0)) {
                    x += sx;
                    err -= 2 * dy;
                }
                err += 2 * dx;
                y += sy;
            }
        }
    }

    void Polyline(const std::vector<TPoint>& points, bool closed) {
        if (Null() || points.empty()) return;
        if (Wide()) {
            Path(points, closed);
            return;
        }
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            Line(points[i], points[i + 1]);
        if (closed && points.size() > 1)
            Line(points.back(), points.front());
        else if (closed)
            Plot(points.front().X, points.front().Y);
    }

    // Curves and wide lines: Qt finds the pixels, the pen's colour and raster operation paint.
    void Shape(const TRect& bounds, const std::function<void(QPainter&)>& draw) {
        if (Null()) return;
        int margin = Width() + 2;
        TRect area = bounds;
        InflateRect(area, margin, margin);
        Region covered = Region::FromPainting(area, [&](QPainter& painter) {
            QPen pen(Qt::black);
            pen.setWidth(Wide() ? Width() : 0);
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            draw(painter);
        });
        BrushData brush = SolidBrushData(pen_.lopnColor);
        dc_.FillDeviceRegion(covered, brush, dc_.state.rop2);
    }

private:
    void Plot(int x, int y) {
        bool on = true;
        if (dashes_) {
            on = (index_ % 2) == 0;
            if (++position_ >= dashes_->lengths[index_]) {
                position_ = 0;
                index_ = (index_ + 1) % dashes_->count;
            }
        }
        if (on)
            dc_.PlotPixel(x, y, ColorToPixel(pen_.lopnColor), dc_.state.rop2, drawable_);
        else if (dc_.state.bkMode == OPAQUE)
            dc_.PlotPixel(x, y, ColorToPixel(dc_.state.bkColor), dc_.state.rop2, drawable_);
    }

    void Path(const std::vector<TPoint>& points, bool closed) {
        TRect bounds{points[0].X, points[0].Y, points[0].X + 1, points[0].Y + 1};
        for (const auto& p : points)
            UnionRect(bounds, bounds, TRect{p.X, p.Y, p.X + 1, p.Y + 1});
        Shape(bounds, [&](QPainter& painter) {
            QPainterPath path(QPointF(points[0].X + 0.5, points[0].Y + 0.5));
            for (std::size_t i = 1; i < points.size(); ++i)
                path.lineTo(points[i].X + 0.5, points[i].Y + 0.5);
            if (closed) path.closeSubpath();
            painter.drawPath(path);
        });
    }

    DeviceContext& dc_;
    LOGPEN pen_;
    Region drawable_;
    const Dashes* dashes_;
    int index_ = 0;
    int position_ = 0;
};

void FillWithCurrentBrush(DeviceContext& dc, const Region& area) {
    dc.FillDeviceRegion(area, dc.Brush(), dc.state.rop2);
}

std::vector<TPoint> ToDevice(const DeviceContext& dc, const TPoint* points, int count) {
    std::vector<TPoint> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.push_back(dc.ToDevice(points[i]));
    return out;
}

// Qt measures arcs by the ellipse's parameter, the platform by the ray through a point: the
// parameter whose point lies on the ray.
double AngleDegrees(double cx, double cy, double rx, double ry, int x, int y) {
    return std::atan2((cy - y) / ry, (x - cx) / rx) * 180.0 / std::numbers::pi;
}

enum class ArcKind { Arc, Pie, Chord };

BOOL DrawArc(HDC handle, ArcKind kind, int left, int top, int right, int bottom, int xStart,
             int yStart, int xEnd, int yEnd) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return 0;
    TRect box = dc->ToDevice(Ordered(left, top, right, bottom));
    if (box.Width() < 2 || box.Height() < 2) return 1;
    TPoint s = dc->ToDevice(xStart, yStart), e = dc->ToDevice(xEnd, yEnd);
    double cx = (box.Left + box.Right) / 2.0, cy = (box.Top + box.Bottom) / 2.0;
    double rx = box.Width() / 2.0, ry = box.Height() / 2.0;
    double start = AngleDegrees(cx, cy, rx, ry, s.X, s.Y),
           end = AngleDegrees(cx, cy, rx, ry, e.X, e.Y);
    double span = end - start;
    if (dc->state.arcDirection == AD_COUNTERCLOCKWISE) {
        while (span <= 0)
            span += 360;
    } else {
        while (span >= 0)
            span -= 360;
    }
    int a16 = static_cast<int>(std::lround(start * 16)),
        s16 = static_cast<int>(std::lround(span * 16));
    QRect outline(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
    QRectF inner(box.Left + 0.5, box.Top + 0.5, box.Width() - 1, box.Height() - 1);
    if (kind != ArcKind::Arc) {
        Region area = Region::FromPainting(box, [&](QPainter& painter) {
            QPainterPath path;
            if (kind == ArcKind::Pie)
                path.moveTo(inner.center());
            else
                path.arcMoveTo(inner, start);
            path.arcTo(inner, start, span);
            path.closeSubpath();
            painter.fillPath(path, Qt::black);
        });
        FillWithCurrentBrush(*dc, area);
    }
    PenStroker(*dc).Shape(box, [&](QPainter& painter) {
        if (kind == ArcKind::Arc)
            painter.drawArc(outline, a16, s16);
        else if (kind == ArcKind::Pie)
            painter.drawPie(outline, a16, s16);
        else
            painter.drawChord(outline, a16, s16);
    });
    return 1;
}

const BrushData* BrushFromHandle(HBRUSH brush) {
    // A system colour index plus one stands for that colour's brush.
    auto value = static_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= static_cast<std::uintptr_t>(SystemColorCount))
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    return ObjectAs<BrushData>(brush);
}

Region LogicalRegionToDevice(const DeviceContext& dc, const Region& region) {
    Region device = region;
    TPoint origin = dc.ToDevice(0, 0);
    device.Offset(origin.X, origin.Y);
    return device;
}

// The pixels of a region that lie within width columns and height rows (diagonals too) of a
// pixel outside it: the region less its erosion by that box, taken as a row and then a column.
// Concave corners and holes get their border as the outer edge does.
Region FrameOf(const Region& region, int width, int height) {
    auto erode = [](const Region& area, int dx, int dy, int reach) {
        Region inner = area;
        for (int step = 1; step <= reach; ++step)
            for (int sign : {1, -1}) {
                Region moved = area;
                moved.Offset(sign * step * dx, sign * step * dy);
                inner = Region::Combine(inner, moved, RGN_AND);
            }
        return inner;
    };
    Region inner = erode(erode(region, 1, 0, width), 0, 1, height);
    return Region::Combine(region, inner, RGN_DIFF);
}

} // namespace

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color) {
    CallRecord record(handle, "SetPixel", x, y, Hex{color});
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return CLR_INVALID;
    TPoint d = dc->ToDevice(x, y);
    Region drawable = dc->DrawableArea();
    if (!drawable.Contains(d.X, d.Y)) return CLR_INVALID;
    dc->PlotPixel(d.X, d.Y, ColorToPixel(color), R2_COPYPEN, drawable);
    return PixelToColor(dc->Target()->Pixel(d.X, d.Y) & 0xFFFFFF);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) {
    return SetPixel(dc, x, y, color) != CLR_INVALID;
}

COLORREF GetPixel(HDC handle, int x, int y) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return CLR_INVALID;
    TPoint d = dc->ToDevice(x, y);
    if (!dc->DrawableArea().Contains(d.X, d.Y)) return CLR_INVALID;
    return PixelToColor(dc->Target()->Pixel(d.X, d.Y) & 0xFFFFFF);
}

BOOL LineTo(HDC handle, int x, int y) {
    CallRecord record(handle, "LineTo", x, y);
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return 0;
    PenStroker(*dc).Line(dc->ToDevice(dc->state.position), dc->ToDevice(x, y));
    dc->state.position = {x, y};
    return 1;
}

BOOL Polyline(HDC handle, const TPoint* points, int count) {
    CallRecord record(handle, "Polyline", Points(points, count));
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 2 || !points) return 0;
    PenStroker(*dc).Polyline(ToDevice(*dc, points, count), false);
    return 1;
}

BOOL PolylineTo(HDC handle, const TPoint* points, int count) {
    CallRecord record(handle, "PolylineTo", Points(points, count));
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 1 || !points) return 0;
    std::vector<TPoint> all{dc->ToDevice(dc->state.position)};
    for (const auto& p : ToDevice(*dc, points, count))
        all.push_back(p);
    PenStroker(*dc).Polyline(all, false);
    dc->state.position = points[count - 1];
    return 1;
}

BOOL Polygon(HDC dc, const TPoint* points, int count) {
    return PolyPolygon(dc, points, &count, 1);
}

BOOL PolyPolygon(HDC handle, const TPoint* points, const int* counts, int polygonCount) {
    CallRecord record(handle, "Polygon",
                      Points(points, polygonCount == 1 && counts ? counts[0] : 0));
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !points || !counts || polygonCount < 1) return 0;
    int total = 0;
    for (int i = 0; i < polygonCount; ++i) {
        if (counts[i] < 2) return 0;
        total += counts[i];
    }
    std::vector<TPoint> device = ToDevice(*dc, points, total);
    FillWithCurrentBrush(
        *dc, Region::FromPolygon(device.data(), counts, polygonCount, dc->state.polyFillMode));
    PenStroker stroker(*dc);
    std::size_t at = 0;
    for (int i = 0; i < polygonCount; ++i) {
        std::vector<TPoint> one(device.begin() + static_cast<std::ptrdiff_t>(at),
                                device.begin() + static_cast<std::ptrdiff_t>(at + counts[i]));
        stroker.Polyline(one, true);
        at += static_cast<std::size_t>(counts[i]);
    }
    return 1;
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
    CallRecord record(handle, "Rectangle", left, top, right, bottom);
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return 0;
    TRect r = dc->ToDevice(Ordered(left, top, right, bottom));
    PenStroker stroker(*dc);
    if (stroker.Null()) {
        // Without a pen the interior takes the outline's place, and the rectangle is one pixel
        // smaller in each direction.
        FillWithCurrentBrush(*dc, Region::FromRect({r.Left, r.Top, r.Right - 1, r.Bottom - 1}));
        return 1;
    }
    if (r.Width() < 1 || r.Height() < 1) return 1;
    FillWithCurrentBrush(*dc, Region::FromRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}));
    if (stroker.Wide()) {
        stroker.Shape(r, [&](QPainter& painter) { painter.drawRect(stroker.Outline(r)); });
        return 1;
    }
    stroker.Polyline({{r.Left, r.Top},
                      {r.Right - 1, r.Top},
                      {r.Right - 1, r.Bottom - 1},
                      {r.Left, r.Bottom - 1}},
                     true);
    return 1;
}

BOOL RoundRect(HDC handle, int left, int top, int right, int bottom, int width, int height) {
    CallRecord record(handle, "RoundRect", left, top, right, bottom, width, height);
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return 0;
    TRect r = dc->ToDevice(Ordered(left, top, right, bottom));
    if (r.Width() < 2 || r.Height() < 2) return 1;
    QRectF inner(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1);
    double rx = std::min(width, r.Width()) / 2.0, ry = std::min(height, r.Height()) / 2.0;
    FillWithCurrentBrush(*dc, Region::FromPainting(r, [&](QPainter& painter) {
        QPainterPath path;
        path.addRoundedRect(inner, rx, ry);
        painter.fillPath(path, Qt::black);
    }));
    PenStroker(*dc).Shape(r, [&](QPainter& painter) {
        painter.drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), rx, ry);
    });
    return 1;
}

BOOL Ellipse(HDC handle, int left, int top, int right, int bottom) {
    CallRecord record(handle, "Ellipse", left, top, right, bottom);
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return 0;
    TRect r = dc->ToDevice(Ordered(left, top, right, bottom));
    PenStroker stroker(*dc);
    if (stroker.Null()) {
        FillWithCurrentBrush(*dc, Region::FromEllipse({r.Left, r.Top, r.Right - 1, r.Bottom - 1}));
        return 1;
    }
    if (r.Width() < 1 || r.Height() < 1) return 1;
    FillWithCurrentBrush(*dc, Region::FromPainting(r, [&](QPainter& painter) {
        QPainterPath path;
        path.addEllipse(QRectF(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1));
        painter.fillPath(path, Qt::black);
    }));
    stroker.Shape(r, [&](QPainter& painter) {
        if (stroker.Wide())
            painter.drawEllipse(stroker.Outline(r));
        else
            painter.drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    });
    return 1;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd) {
    return DrawArc(dc, ArcKind::Arc, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd) {
    return DrawArc(dc, ArcKind::Pie, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) {
    return DrawArc(dc, ArcKind::Chord, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

int FillRect(HDC handle, const TRect* rect, HBRUSH brush) {
    CallRecord record(handle, "FillRect", rect, BrushName(brush));
    DeviceContext* dc = LookupDC(handle);
    const BrushData* data = BrushFromHandle(brush);
    if (!dc || !rect || !data) return 0;
    dc->FillDeviceRegion(Region::FromRect(dc->ToDevice(*rect)), *data, R2_COPYPEN);
    return 1;
}

int FrameRect(HDC handle, const TRect* rect, HBRUSH brush) {
    CallRecord record(handle, "FrameRect", rect, BrushName(brush));
    DeviceContext* dc = LookupDC(handle);
    const BrushData* data = BrushFromHandle(brush);
    if (!dc || !rect || !data) return 0;
    TRect r = dc->ToDevice(*rect);
    if (IsRectEmpty(r)) return 1;
    dc->FillDeviceRegion(FrameOf(Region::FromRect(r), 1, 1), *data, R2_COPYPEN);
    return 1;
}

BOOL InvertRect(HDC handle, const TRect* rect) {
    CallRecord record(handle, "InvertRect", rect);
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect) return 0;
    dc->FillDeviceRegion(Region::FromRect(dc->ToDevice(*rect)), SolidBrushData(0), R2_NOT);
    return 1;
}

BOOL DrawFocusRect(HDC handle, const TRect* rect) {
    CallRecord record(handle, "DrawFocusRect", rect);
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect) return 0;
    TRect r = dc->ToDevice(*rect);
    if (IsRectEmpty(r)) return 1;
    Region frame = FrameOf(Region::FromRect(r), 1, 1);
    Region drawable = dc->DrawableArea();
    // Every other pixel, by the checkerboard of the device.
    for (const auto& band : frame.Bands())
        for (int y = band.Top; y < band.Bottom; ++y)
            for (const auto& span : band.Spans)
                for (int x = span.Left; x < span.Right; ++x)
                    if (((x + y) & 1) == 0) dc->PlotPixel(x, y, 0xFFFFFF, R2_XORPEN, drawable);
    return 1;
}

BOOL FillRgn(HDC handle, HRGN region, HBRUSH brush) {
    CallRecord record(handle, "FillRgn", BrushName(brush));
    DeviceContext* dc = LookupDC(handle);
    Region* r = RegionOf(region);
    const BrushData* data = BrushFromHandle(brush);
    if (!dc || !r || !data) return 0;
    dc->FillDeviceRegion(LogicalRegionToDevice(*dc, *r), *data, R2_COPYPEN);
    return 1;
}

BOOL PaintRgn(HDC handle, HRGN region) {
    DeviceContext* dc = LookupDC(handle);
    Region* r = RegionOf(region);
    if (!dc || !r) return 0;
    FillWithCurrentBrush(*dc, LogicalRegionToDevice(*dc, *r));
    return 1;
}

BOOL InvertRgn(HDC handle, HRGN region) {
    DeviceContext* dc = LookupDC(handle);
    Region* r = RegionOf(region);
    if (!dc || !r) return 0;
    dc->FillDeviceRegion(LogicalRegionToDevice(*dc, *r), SolidBrushData(0), R2_NOT);
    return 1;
}

BOOL FrameRgn(HDC handle, HRGN region, HBRUSH brush, int width, int height) {
    CallRecord record(handle, "FrameRgn", BrushName(brush), width, height);
    DeviceContext* dc = LookupDC(handle);
    Region* r = RegionOf(region);
    const BrushData* data = BrushFromHandle(brush);
    if (!dc || !r || !data || width < 1 || height < 1) return 0;
    dc->FillDeviceRegion(FrameOf(LogicalRegionToDevice(*dc, *r), width, height), *data, R2_COPYPEN);
    return 1;
}

} // namespace platform::gdi
