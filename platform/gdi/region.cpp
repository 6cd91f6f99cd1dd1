#include "platform/gdi/region.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace platform::gdi {

namespace {

using Spans = std::vector<Region::Span>;

bool InSpans(const Spans& spans, int x) {
    auto it = std::upper_bound(spans.begin(), spans.end(), x,
                               [](int v, const Region::Span& s) { return v < s.Right; });
    return it != spans.end() && it->Left <= x;
}

bool Apply(int mode, bool a, bool b) {
    switch (mode) {
    case RGN_AND:
        return a && b;
    case RGN_OR:
        return a || b;
    case RGN_XOR:
        return a != b;
    case RGN_DIFF:
        return a && !b;
    default:
        return a;
    }
}

Spans CombineSpans(const Spans& a, const Spans& b, int mode) {
    std::vector<int> xs;
    for (const auto& s : a)
        xs.insert(xs.end(), {s.Left, s.Right});
    for (const auto& s : b)
        xs.insert(xs.end(), {s.Left, s.Right});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    Spans out;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        if (!Apply(mode, InSpans(a, xs[i]), InSpans(b, xs[i]))) continue;
        if (!out.empty() && out.back().Right == xs[i])
            out.back().Right = xs[i + 1];
        else
            out.push_back({xs[i], xs[i + 1]});
    }
    return out;
}

Spans Normalize(Spans spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Region::Span& l, const Region::Span& r) { return l.Left < r.Left; });
    Spans out;
    for (const auto& s : spans) {
        if (s.Right <= s.Left) continue;
        if (!out.empty() && s.Left <= out.back().Right)
            out.back().Right = std::max(out.back().Right, s.Right);
        else
            out.push_back(s);
    }
    return out;
}

const Spans* SpansAt(const std::vector<Region::Band>& bands, int y) {
    auto it = std::upper_bound(bands.begin(), bands.end(), y,
                               [](int v, const Region::Band& b) { return v < b.Bottom; });
    if (it == bands.end() || it->Top > y) return nullptr;
    return &it->Spans;
}

} // namespace

void Region::Append(int top, int bottom, std::vector<Span> spans) {
    if (spans.empty() || bottom <= top) return;
    if (!bands_.empty() && bands_.back().Bottom == top && bands_.back().Spans == spans) {
        bands_.back().Bottom = bottom;
        return;
    }
    bands_.push_back({top, bottom, std::move(spans)});
}

Region Region::FromRect(const TRect& r) {
    Region region;
    if (!IsRectEmpty(r)) region.bands_.push_back({r.Top, r.Bottom, {{r.Left, r.Right}}});
    return region;
}

Region Region::FromRows(int top, std::vector<std::vector<Span>> rows) {
    Region region;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        int y = top + static_cast<int>(i);
        region.Append(y, y + 1, Normalize(std::move(rows[i])));
    }
    return region;
}

Region Region::FromPolygon(const TPoint* points, const int* counts, int polygonCount,
                           int fillMode) {
    struct Edge {
        int x0, y0, x1, y1;
        int dir;
    };
    std::vector<Edge> edges;
    int minY = 0, maxY = 0;
    bool first = true;
    const TPoint* p = points;
    for (int poly = 0; poly < polygonCount; ++poly) {
        int n = counts[poly];
        for (int i = 0; i < n; ++i) {
            TPoint a = p[i], b = p[(i + 1) % n];
            if (first) {
                minY = maxY = a.Y;
                first = false;
            }
            minY = std::min({minY, a.Y, b.Y});
            maxY = std::max({maxY, a.Y, b.Y});
            if (a.Y == b.Y) continue;
            edges.push_back({a.X, a.Y, b.X, b.Y, a.Y < b.Y ? 1 : -1});
        }
        p += n;
    }
    // The platform samples a pixel at its integer coordinates: a pixel on a left or top edge is
    // inside, one on a right or bottom edge outside. Crossings are exact (rounded up), so that
    // an arrow's rows come out whole.
    std::vector<std::vector<Span>> rows;
    for (int y = minY; y < maxY; ++y) {
        std::vector<std::pair<std::int64_t, int>> crossings;
        for (const auto& e : edges) {
            if (y < std::min(e.y0, e.y1) || y >= std::max(e.y0, e.y1)) continue;
            const std::int64_t dy = e.y1 - e.y0;
            std::int64_t num = std::int64_t(e.x0) * dy + std::int64_t(y - e.y0) * (e.x1 - e.x0);
            std::int64_t den = dy;
            if (den < 0) num = -num, den = -den;
            // The first pixel at or right of the crossing.
            const std::int64_t firstPixel = num >= 0 ? (num + den - 1) / den : -((-num) / den);
            crossings.push_back({firstPixel, e.dir});
        }
        std::sort(crossings.begin(), crossings.end());
        std::vector<Span> spans;
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].second;
            bool inside = fillMode == WINDING ? winding != 0 : (i % 2) == 0;
            if (!inside) continue;
            int left = static_cast<int>(crossings[i].first);
            int right = static_cast<int>(crossings[i + 1].first);
            if (right > left) spans.push_back({left, right});
        }
        rows.push_back(std::move(spans));
    }
    return FromRows(minY, std::move(rows));
}

Region Region::FromPainting(const TRect& bounds, const std::function<void(QPainter&)>& paint) {
    if (IsRectEmpty(bounds)) return {};
    QImage image(bounds.Width(), bounds.Height(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.translate(-bounds.Left, -bounds.Top);
        paint(painter);
    }
    std::vector<std::vector<Span>> rows(static_cast<std::size_t>(bounds.Height()));
    for (int y = 0; y < bounds.Height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto& spans = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < bounds.Width(); ++x) {
            if (qAlpha(line[x]) < 128) continue;
            if (!spans.empty() && spans.back().Right == bounds.Left + x)
                ++spans.back().Right;
            else
                spans.push_back({bounds.Left + x, bounds.Left + x + 1});
        }
    }
    return FromRows(bounds.Top, std::move(rows));
}

Region Region::FromEllipse(const TRect& r) {
    return FromPainting(r, [&](QPainter& painter) {
        QPainterPath path;
        path.addEllipse(QRectF(r.Left, r.Top, r.Width(), r.Height()));
        painter.fillPath(path, Qt::black);
    });
}

Region Region::FromRoundRect(const TRect& r, int ellipseWidth, int ellipseHeight) {
    return FromPainting(r, [&](QPainter& painter) {
        QPainterPath path;
        path.addRoundedRect(QRectF(r.Left, r.Top, r.Width(), r.Height()), ellipseWidth / 2.0,
                            ellipseHeight / 2.0);
        painter.fillPath(path, Qt::black);
    });
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
    if (mode == RGN_COPY) return a;
    std::vector<int> ys;
    for (const auto& band : a.bands_)
        ys.insert(ys.end(), {band.Top, band.Bottom});
    for (const auto& band : b.bands_)
        ys.insert(ys.end(), {band.Top, band.Bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    Region out;
    static const Spans none;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const Spans* sa = SpansAt(a.bands_, ys[i]);
        const Spans* sb = SpansAt(b.bands_, ys[i]);
        out.Append(ys[i], ys[i + 1], CombineSpans(sa ? *sa : none, sb ? *sb : none, mode));
    }
    return out;
}

TRect Region::Bounds() const {
    if (bands_.empty()) return {};
    TRect r{bands_.front().Spans.front().Left, bands_.front().Top,
            bands_.front().Spans.back().Right, bands_.back().Bottom};
    for (const auto& band : bands_) {
        r.Left = std::min(r.Left, band.Spans.front().Left);
        r.Right = std::max(r.Right, band.Spans.back().Right);
    }
    return r;
}

int Region::Kind() const {
    if (bands_.empty()) return NULLREGION;
    return bands_.size() == 1 && bands_.front().Spans.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::Contains(int x, int y) const {
    const Spans* spans = SpansAt(bands_, y);
    return spans && InSpans(*spans, x);
}

bool Region::Intersects(const TRect& r) const {
    return !Combine(*this, FromRect(r), RGN_AND).Empty();
}

void Region::Offset(int dx, int dy) {
    for (auto& band : bands_) {
        band.Top += dy;
        band.Bottom += dy;
        for (auto& s : band.Spans) {
            s.Left += dx;
            s.Right += dx;
        }
    }
}

Region Region::Turned(TPoint pivot, int tenths) const {
    const int angle = ((tenths % 3600) + 3600) % 3600;
    if (angle == 0 || bands_.empty()) return *this;
    std::vector<TRect> turned;
    if (angle % 900 == 0) {
        for (const TRect& r : Rects()) {
            const int l = r.Left - pivot.X, t = r.Top - pivot.Y;
            const int rr = r.Right - pivot.X, b = r.Bottom - pivot.Y;
            switch (angle) {
            case 900:
                turned.push_back({pivot.X + t, pivot.Y - rr, pivot.X + b, pivot.Y - l});
                break;
            case 1800:
                turned.push_back({pivot.X - rr, pivot.Y - b, pivot.X - l, pivot.Y - t});
                break;
            default:
                turned.push_back({pivot.X - b, pivot.Y + l, pivot.X - t, pivot.Y + rr});
                break;
            }
        }
    } else {
        const double radians = angle * 3.14159265358979323846 / 1800.0;
        const double c = std::cos(radians), s = std::sin(radians);
        // Forward: x' = x cos + y sin, y' = -x sin + y cos (y grows downwards).
        const TRect box = Bounds();
        double minX = 0, maxX = 0, minY = 0, maxY = 0;
        bool first = true;
        for (const TPoint corner : {TPoint{box.Left, box.Top}, TPoint{box.Right, box.Top},
                                    TPoint{box.Left, box.Bottom}, TPoint{box.Right, box.Bottom}}) {
            const double dx = corner.X - pivot.X, dy = corner.Y - pivot.Y;
            const double x = dx * c + dy * s, y = -dx * s + dy * c;
            minX = first ? x : std::min(minX, x);
            maxX = first ? x : std::max(maxX, x);
            minY = first ? y : std::min(minY, y);
            maxY = first ? y : std::max(maxY, y);
            first = false;
        }
        for (int y = static_cast<int>(std::floor(minY)); y < static_cast<int>(std::ceil(maxY)); ++y)
            for (int x = static_cast<int>(std::floor(minX)); x < static_cast<int>(std::ceil(maxX));
                 ++x) {
                const double dx = x + 0.5, dy = y + 0.5;
                const int sx = pivot.X + static_cast<int>(std::floor(dx * c - dy * s));
                const int sy = pivot.Y + static_cast<int>(std::floor(dx * s + dy * c));
                if (Contains(sx, sy))
                    turned.push_back({pivot.X + x, pivot.Y + y, pivot.X + x + 1, pivot.Y + y + 1});
            }
    }
    if (turned.empty()) return {};
    int top = turned.front().Top, bottom = turned.front().Bottom;
    for (const TRect& r : turned) {
        top = std::min(top, r.Top);
        bottom = std::max(bottom, r.Bottom);
    }
    std::vector<std::vector<Span>> rows(static_cast<std::size_t>(bottom - top));
    for (const TRect& r : turned)
        for (int y = r.Top; y < r.Bottom; ++y)
            rows[static_cast<std::size_t>(y - top)].push_back({r.Left, r.Right});
    return FromRows(top, std::move(rows));
}

std::vector<TRect> Region::Rects() const {
    std::vector<TRect> rects;
    for (const auto& band : bands_)
        for (const auto& s : band.Spans)
            rects.push_back({s.Left, band.Top, s.Right, band.Bottom});
    return rects;
}

} // namespace platform::gdi
