#include "platform/gdi/text_out.h"

#include "platform/gdi/call_trace.h"
#include "platform/gdi/object_table.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform::gdi {

namespace {

std::vector<int> Advances(const DeviceContext& dc, std::string_view text) {
    const FontFace& face = *dc.Font().face;
    std::vector<int> advances;
    advances.reserve(text.size());
    int breaks = 0;
    unsigned char breakChar = face.Metrics().tmBreakChar;
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        int advance = face.CharWidth(c) + dc.state.charExtra;
        if (c == breakChar && dc.state.breakCount > 0) {
            // The extra space is spread as evenly as it goes, the first breaks taking the rest.
            int share = dc.state.breakExtra / dc.state.breakCount;
            if (breaks < dc.state.breakExtra % dc.state.breakCount) ++share;
            advance += share;
            ++breaks;
        }
        advances.push_back(advance);
    }
    return advances;
}

int Sum(const std::vector<int>& values) {
    int total = 0;
    for (int v : values)
        total += v;
    return total;
}

std::string_view View(const char* text, int count) {
    if (!text || count <= 0) return {};
    return {text, static_cast<std::size_t>(count)};
}

struct TabStops {
    int count;
    const int* positions;
    int origin;
    int defaultWidth;

    int Next(int x) const {
        if (count == 1 || count <= 0) {
            int step = count == 1 && positions[0] > 0 ? positions[0] : defaultWidth;
            if (step <= 0) return x;
            int rel = x - origin;
            return origin + (rel / step + 1) * step;
        }
        for (int i = 0; i < count; ++i)
            if (origin + positions[i] > x) return origin + positions[i];
        return x;
    }
};

// Width and, when draw is set, drawing of tabbed text.
int Tabbed(HDC handle, DeviceContext& dc, int x, int y, std::string_view text,
           const TabStops& stops, bool draw) {
    int pen = x;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t tab = text.find('\t', start);
        std::string_view segment = text.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        std::vector<int> advances = Advances(dc, segment);
        if (draw && !segment.empty())
            ExtTextOut(handle, pen, y, 0, nullptr, segment.data(), static_cast<int>(segment.size()),
                       advances.data());
        pen += Sum(advances);
        if (tab == std::string_view::npos) break;
        int next = stops.Next(pen);
        if (draw && dc.state.bkMode == OPAQUE && next > pen) {
            TRect gap{pen, y, next, y + dc.Font().face->Metrics().tmHeight};
            dc.FillDeviceRegion(Region::FromRect(dc.ToDevice(gap)),
                                SolidBrushData(dc.state.bkColor), R2_COPYPEN);
        }
        pen = next;
        start = tab + 1;
    }
    return pen - x;
}

} // namespace

BOOL TextOut(HDC dc, int x, int y, const char* text, int count) {
    return ExtTextOut(dc, x, y, 0, nullptr, text, count, nullptr);
}

BOOL ExtTextOut(HDC handle, int x, int y, UINT options, const TRect* rect, const char* text,
                int count, const int* advancesIn) {
    CallRecord record(handle, "ExtTextOut", x, y, options, rect, std::string(View(text, count)));
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 0) return 0;
    std::string_view s = View(text, count);
    const FontData& font = dc->Font();
    const TEXTMETRIC& tm = font.face->Metrics();
    std::vector<int> advances =
        advancesIn ? std::vector<int>(advancesIn, advancesIn + s.size()) : Advances(*dc, s);
    int total = Sum(advances);

    UINT align = dc->state.textAlign;
    if (align & TA_UPDATECP) {
        x = dc->state.position.X;
        y = dc->state.position.Y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER)
        left = x - total / 2;
    else if (align & TA_RIGHT)
        left = x - total;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = y - tm.tmAscent;
    else if (align & TA_BOTTOM)
        top = y - tm.tmHeight;
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_CENTER) {
        } else if (align & TA_RIGHT)
            dc->state.position.X = x - total;
        else
            dc->state.position.X = x + total;
    }

    std::optional<Region> clipTo;
    if (rect && (options & ETO_CLIPPED)) clipTo = Region::FromRect(dc->ToDevice(*rect));
    auto clipped = [&](Region r) { return clipTo ? Region::Combine(r, *clipTo, RGN_AND) : r; };
    BrushData background = SolidBrushData(dc->state.bkColor);
    if (rect && (options & ETO_OPAQUE))
        dc->FillDeviceRegion(Region::FromRect(dc->ToDevice(*rect)), background, R2_COPYPEN);
    if (s.empty()) return 1;

    TPoint d = dc->ToDevice(left, top);
    // A font with an escapement turns its text about the reference point.
    const TPoint pivot = dc->ToDevice(x, y);
    auto turned = [&](const Region& r) { return r.Turned(pivot, font.log.lfEscapement); };
    if (dc->state.bkMode == OPAQUE)
        dc->FillDeviceRegion(
            clipped(turned(Region::FromRect({d.X, d.Y, d.X + total, d.Y + tm.tmHeight}))),
            background, R2_COPYPEN);
    Region glyphs = font.face->RenderGlyphs(s, advances.data(), d.X, d.Y);
    int lineHeight = std::max(1, tm.tmHeight / 14);
    if (font.log.lfUnderline) {
        int row = std::min(d.Y + tm.tmAscent + 1, d.Y + tm.tmHeight - lineHeight);
        glyphs = Region::Combine(
            glyphs, Region::FromRect({d.X, row, d.X + total, row + lineHeight}), RGN_OR);
    }
    if (font.log.lfStrikeOut) {
        int row = d.Y + tm.tmAscent - tm.tmAscent / 3;
        glyphs = Region::Combine(
            glyphs, Region::FromRect({d.X, row, d.X + total, row + lineHeight}), RGN_OR);
    }
    dc->FillDeviceRegion(clipped(turned(glyphs)), SolidBrushData(dc->state.textColor), R2_COPYPEN);
    return 1;
}

BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, TSize* size) {
    return GetTextExtentExPoint(dc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextExtentExPoint(HDC handle, const char* text, int count, int maxExtent, int* fit,
                          int* extents, TSize* size) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 0 || !size) return 0;
    std::string_view s = View(text, count);
    std::vector<int> advances = Advances(*dc, s);
    int total = 0, fitting = 0;
    for (std::size_t i = 0; i < advances.size(); ++i) {
        total += advances[i];
        if (extents) extents[i] = total;
        if (total <= maxExtent) fitting = static_cast<int>(i) + 1;
    }
    if (fit) *fit = fitting;
    *size = {total, dc->Font().face->Metrics().tmHeight};
    return 1;
}

BOOL GetTextMetrics(HDC handle, TEXTMETRIC* metrics) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !metrics) return 0;
    *metrics = dc->Font().face->Metrics();
    return 1;
}

int GetTextFace(HDC handle, int count, char* faceName) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc) return 0;
    const char* name = dc->Font().log.lfFaceName;
    int length = static_cast<int>(std::strlen(name));
    if (!faceName) return length + 1;
    if (count <= 0) return 0;
    int copied = std::min(length, count - 1);
    std::memcpy(faceName, name, static_cast<std::size_t>(copied));
    faceName[copied] = 0;
    return copied;
}

BOOL GetCharWidth32(HDC handle, UINT first, UINT last, int* widths) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !widths || first > last || last > 255) return 0;
    for (UINT c = first; c <= last; ++c)
        widths[c - first] = dc->Font().face->CharWidth(static_cast<unsigned char>(c));
    return 1;
}

LONG TabbedTextOut(HDC handle, int x, int y, const char* text, int count, int tabCount,
                   const int* tabs, int tabOrigin) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 0 || (tabCount > 0 && !tabs)) return 0;
    const TEXTMETRIC& tm = dc->Font().face->Metrics();
    TabStops stops{tabCount, tabs, tabOrigin, 8 * tm.tmAveCharWidth};
    UINT align = dc->state.textAlign;
    dc->state.textAlign = TA_LEFT | TA_TOP;
    int width = Tabbed(handle, *dc, x, y, View(text, count), stops, true);
    dc->state.textAlign = align;
    return static_cast<LONG>((tm.tmHeight << 16) | (width & 0xFFFF));
}

std::uint32_t GetTabbedTextExtent(HDC handle, const char* text, int count, int tabCount,
                                  const int* tabs) {
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 0 || (tabCount > 0 && !tabs)) return 0;
    const TEXTMETRIC& tm = dc->Font().face->Metrics();
    TabStops stops{tabCount, tabs, 0, 8 * tm.tmAveCharWidth};
    int width = Tabbed(handle, *dc, 0, 0, View(text, count), stops, false);
    return static_cast<std::uint32_t>((tm.tmHeight << 16) | (width & 0xFFFF));
}

} // namespace platform::gdi
