#include "platform/gdi/frame_controls.h"

#include "platform/gdi/call_trace.h"
#include "platform/gdi/object_table.h"

#include <algorithm>

namespace platform::gdi {

namespace {

void Fill(DeviceContext& dc, const TRect& logical, COLORREF color) {
    if (IsRectEmpty(logical)) return;
    dc.FillDeviceRegion(Region::FromRect(dc.ToDevice(logical)), SolidBrushData(color), R2_COPYPEN);
}

void Pixel(DeviceContext& dc, int x, int y, COLORREF color) {
    Fill(dc, {x, y, x + 1, y + 1}, color);
}

struct EdgeColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

// One ring of the edge; the rectangle shrinks on the sides drawn.
void Ring(DeviceContext& dc, TRect& r, UINT flags, EdgeColors colors) {
    if (flags & BF_TOP) Fill(dc, {r.Left, r.Top, r.Right, r.Top + 1}, colors.topLeft);
    if (flags & BF_LEFT) Fill(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, colors.topLeft);
    if (flags & BF_BOTTOM) Fill(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, colors.bottomRight);
    if (flags & BF_RIGHT) Fill(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, colors.bottomRight);
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_BOTTOM) --r.Bottom;
    if (flags & BF_RIGHT) --r.Right;
}

BOOL Edge(DeviceContext& dc, TRect* rect, UINT edge, UINT flags) {
    TRect r = *rect;
    UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    auto sys = GetSysColor;
    if (outer) {
        EdgeColors colors;
        if (flags & BF_MONO)
            colors = {sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME)};
        else if (flags & BF_FLAT)
            colors = {sys(COLOR_BTNSHADOW), sys(COLOR_BTNSHADOW)};
        else if (outer & BDR_RAISEDOUTER)
            colors = {sys((flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT),
                      sys(COLOR_3DDKSHADOW)};
        else
            colors = {sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT)};
        Ring(dc, r, flags, colors);
    }
    if (inner) {
        EdgeColors colors;
        if (flags & BF_MONO)
            colors = {sys(COLOR_WINDOW), sys(COLOR_WINDOW)};
        else if (flags & BF_FLAT)
            colors = {sys(COLOR_BTNFACE), sys(COLOR_BTNFACE)};
        else if (inner & BDR_RAISEDINNER)
            colors = {sys((flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT),
                      sys(COLOR_BTNSHADOW)};
        else
            colors = {sys(COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT)};
        Ring(dc, r, flags, colors);
    }
    if (flags & BF_MIDDLE) Fill(dc, r, sys((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST) *rect = r;
    return 1;
}

enum class Direction { Up, Down, Left, Right };

// A filled triangle pointing one way, centred in r.
void Arrow(DeviceContext& dc, const TRect& r, Direction direction, COLORREF color) {
    int size = std::max(1, (std::min(r.Width(), r.Height()) + 1) / 4); // rows of the triangle
    int cx = r.Left + (r.Width() - 1) / 2, cy = r.Top + (r.Height() - 1) / 2;
    for (int i = 0; i < size; ++i) {
        int half = (direction == Direction::Up || direction == Direction::Left) ? i : size - 1 - i;
        switch (direction) {
        case Direction::Up:
        case Direction::Down: {
            int y = cy - size / 2 + i;
            Fill(dc, {cx - half, y, cx + half + 1, y + 1}, color);
            break;
        }
        case Direction::Left:
        case Direction::Right: {
            int x = cx - size / 2 + i;
            Fill(dc, {x, cy - half, x + 1, cy + half + 1}, color);
            break;
        }
        }
    }
}

void Button(DeviceContext& dc, TRect& r, UINT state) {
    if (state & DFCS_FLAT)
        Edge(dc, &r, (state & DFCS_PUSHED) ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
             BF_RECT | BF_MIDDLE | BF_ADJUST);
    else if (state & DFCS_PUSHED)
        Edge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST | BF_FLAT);
    else
        Edge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST | BF_SOFT);
}

void Glyph(TRect r, UINT state, const auto& draw) {
    if (state & DFCS_PUSHED) OffsetRect(r, 1, 1);
    if (state & DFCS_INACTIVE) {
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        draw(shadow, GetSysColor(COLOR_BTNHIGHLIGHT));
        draw(r, GetSysColor(COLOR_BTNSHADOW));
    } else {
        draw(r, GetSysColor(COLOR_BTNTEXT));
    }
}

// The check mark: seven columns, three pixels tall, falling then rising.
void CheckMark(DeviceContext& dc, int x, int y, COLORREF color) {
    static constexpr int tops[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        Fill(dc, {x + i, y + tops[i], x + i + 1, y + tops[i] + 3}, color);
}

void CheckBox(DeviceContext& dc, TRect r, UINT state) {
    int size = std::min({r.Width(), r.Height(), 13});
    TRect box{r.Left + (r.Width() - size) / 2, r.Top + (r.Height() - size) / 2, 0, 0};
    box.Right = box.Left + size;
    box.Bottom = box.Top + size;
    bool face = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ||
                ((state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED));
    Edge(dc, &box, EDGE_SUNKEN,
         BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? static_cast<UINT>(BF_FLAT) : 0u) |
             ((state & DFCS_MONO) ? static_cast<UINT>(BF_MONO) : 0u));
    Fill(dc, box, GetSysColor(face ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        CheckMark(dc, box.Left + (box.Width() - 7) / 2, box.Top + (box.Height() - 7) / 2 + 1,
                  GetSysColor((state & (DFCS_INACTIVE | DFCS_BUTTON3STATE)) ? COLOR_BTNSHADOW
                                                                            : COLOR_WINDOWTEXT));
}

void Radio(DeviceContext& dc, TRect r, UINT state) {
    int size = std::min({r.Width(), r.Height(), 12});
    TRect box{r.Left + (r.Width() - size) / 2, r.Top + (r.Height() - size) / 2, 0, 0};
    box.Right = box.Left + size;
    box.Bottom = box.Top + size;
    TRect device = dc.ToDevice(box);
    int diagonal = device.Left + device.Top + size - 1;
    auto halves = [&](const Region& ring, COLORREF upper, COLORREF lower) {
        Region split;
        std::vector<std::vector<Region::Span>> rows;
        for (int y = device.Top; y < device.Bottom; ++y)
            rows.push_back({{device.Left, std::max(device.Left, diagonal - y)}});
        Region upperLeft = Region::FromRows(device.Top, std::move(rows));
        dc.FillDeviceRegion(Region::Combine(ring, upperLeft, RGN_AND), SolidBrushData(upper),
                            R2_COPYPEN);
        dc.FillDeviceRegion(Region::Combine(ring, upperLeft, RGN_DIFF), SolidBrushData(lower),
                            R2_COPYPEN);
    };
    auto circle = [&](int inset) {
        return Region::FromEllipse(
            {device.Left + inset, device.Top + inset, device.Right - inset, device.Bottom - inset});
    };
    if (state & DFCS_BUTTONRADIOMASK) {
        dc.FillDeviceRegion(Region::FromRect(device), SolidBrushData(0xFFFFFF), R2_COPYPEN);
        dc.FillDeviceRegion(circle(0), SolidBrushData(0), R2_COPYPEN);
        return;
    }
    Region outer = circle(0), middle = circle(1), inner = circle(2);
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        COLORREF frame = GetSysColor((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        halves(Region::Combine(outer, middle, RGN_DIFF), frame, frame);
    } else {
        halves(Region::Combine(outer, middle, RGN_DIFF), GetSysColor(COLOR_BTNSHADOW),
               GetSysColor(COLOR_BTNHIGHLIGHT));
        halves(Region::Combine(middle, inner, RGN_DIFF), GetSysColor(COLOR_3DDKSHADOW),
               GetSysColor(COLOR_3DLIGHT));
    }
    bool face = state & (DFCS_PUSHED | DFCS_INACTIVE);
    dc.FillDeviceRegion(inner, SolidBrushData(GetSysColor(face ? COLOR_BTNFACE : COLOR_WINDOW)),
                        R2_COPYPEN);
    if (state & DFCS_CHECKED) {
        int cx = device.Left + size / 2, cy = device.Top + size / 2;
        dc.FillDeviceRegion(Region::FromEllipse({cx - 2, cy - 2, cx + 2, cy + 2}),
                            SolidBrushData(GetSysColor((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW
                                                                               : COLOR_WINDOWTEXT)),
                            R2_COPYPEN);
    }
}

void SizeGrip(DeviceContext& dc, const TRect& r) {
    // Three grooves across the bottom-right corner: a highlight line, then two shadow lines.
    int n = std::min(r.Width(), r.Height());
    int corner = (r.Right - 1) + (r.Bottom - 1);
    for (int k = 0; k < 3; ++k)
        for (int d = 4 * k + 1; d <= 4 * k + 3 && d < n; ++d) {
            COLORREF color = GetSysColor(d == 4 * k + 1 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
            for (int x = r.Right - 1 - d; x < r.Right; ++x)
                Pixel(dc, x, corner - d - x, color);
        }
}

void CaptionGlyph(DeviceContext& dc, const TRect& r, UINT kind, COLORREF color) {
    int size = std::max(2, std::min(r.Width(), r.Height()) - 6);
    int x = r.Left + (r.Width() - size) / 2, y = r.Top + (r.Height() - size) / 2;
    switch (kind) {
    case DFCS_CAPTIONCLOSE:
        for (int i = 0; i < size; ++i) {
            Fill(dc, {x + i, y + i, x + i + 2, y + i + 1}, color);
            Fill(dc, {x + size - 2 - i, y + i, x + size - i, y + i + 1}, color);
        }
        break;
    case DFCS_CAPTIONMIN:
        Fill(dc, {x, y + size - 2, x + size - 2, y + size}, color);
        break;
    case DFCS_CAPTIONMAX:
        Fill(dc, {x, y, x + size, y + 2}, color);
        Fill(dc, {x, y, x + 1, y + size}, color);
        Fill(dc, {x + size - 1, y, x + size, y + size}, color);
        Fill(dc, {x, y + size - 1, x + size, y + size}, color);
        break;
    case DFCS_CAPTIONRESTORE: {
        int s = size * 2 / 3;
        for (auto [ox, oy] : {std::pair{size - s, 0}, {0, size - s}}) {
            Fill(dc, {x + ox, y + oy, x + ox + s, y + oy + 2}, color);
            Fill(dc, {x + ox, y + oy, x + ox + 1, y + oy + s}, color);
            Fill(dc, {x + ox + s - 1, y + oy, x + ox + s, y + oy + s}, color);
            Fill(dc, {x + ox, y + oy + s - 1, x + ox + s, y + oy + s}, color);
        }
        break;
    }
    default: // help: a question mark's dot and hook
        Fill(dc, {x + size / 2 - 1, y + size - 2, x + size / 2 + 1, y + size}, color);
        Fill(dc, {x + size / 2 - 1, y + size / 2, x + size / 2 + 1, y + size - 3}, color);
        Fill(dc, {x + 1, y, x + size - 1, y + 2}, color);
        Fill(dc, {x + size - 2, y, x + size, y + size / 2 + 1}, color);
        break;
    }
}

} // namespace

BOOL DrawEdge(HDC handle, TRect* rect, UINT edge, UINT flags) {
    CallRecord record(handle, "DrawEdge", static_cast<const TRect*>(rect), edge, Hex{flags});
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect || (flags & BF_DIAGONAL)) return 0;
    return Edge(*dc, rect, edge, flags);
}

BOOL DrawFrameControl(HDC handle, TRect* rect, UINT type, UINT state) {
    CallRecord record(handle, "DrawFrameControl", static_cast<const TRect*>(rect), type,
                      Hex{state});
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect) return 0;
    TRect r = *rect;
    UINT kind = state & 0xFF;
    switch (type) {
    case DFC_BUTTON:
        if (kind & DFCS_BUTTONPUSH) {
            Button(*dc, r, state);
            if (state & DFCS_ADJUSTRECT) *rect = r;
        } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            Radio(*dc, r, state);
        } else {
            CheckBox(*dc, r, state);
        }
        return 1;
    case DFC_SCROLL: {
        if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
            if (!(state & DFCS_TRANSPARENT)) Fill(*dc, r, GetSysColor(COLOR_BTNFACE));
            SizeGrip(*dc, r);
            return 1;
        }
        Button(*dc, r, state);
        Direction direction = kind == DFCS_SCROLLUP      ? Direction::Up
                              : kind == DFCS_SCROLLLEFT  ? Direction::Left
                              : kind == DFCS_SCROLLRIGHT ? Direction::Right
                                                         : Direction::Down;
        Glyph(r, state, [&](const TRect& g, COLORREF c) { Arrow(*dc, g, direction, c); });
        return 1;
    }
    case DFC_CAPTION:
        Button(*dc, r, state);
        Glyph(r, state, [&](const TRect& g, COLORREF c) { CaptionGlyph(*dc, g, kind, c); });
        return 1;
    case DFC_MENU:
    case DFC_POPUPMENU: {
        COLORREF color = 0;
        if (kind == DFCS_MENUARROW)
            Arrow(*dc, r, Direction::Right, color);
        else if (kind == DFCS_MENUCHECK)
            CheckMark(*dc, r.Left + (r.Width() - 7) / 2, r.Top + (r.Height() - 7) / 2, color);
        else
            dc->FillDeviceRegion(Region::FromEllipse(dc->ToDevice(TRect{
                                     r.Left + r.Width() / 2 - 3, r.Top + r.Height() / 2 - 3,
                                     r.Left + r.Width() / 2 + 3, r.Top + r.Height() / 2 + 3})),
                                 SolidBrushData(color), R2_COPYPEN);
        return 1;
    }
    default:
        return 0;
    }
}

HBITMAP LoadSystemBitmap(int id) {
    if (id != OBM_CHECKBOXES) return HBITMAP{};
    constexpr int cell = 13;
    HBITMAP bitmap = CreateBitmap(4 * cell, 3 * cell, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(NullDC);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitmapSurface(bitmap)->Fill(ColorToPixel(0xFFFFFF));
    constexpr UINT rows[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
    constexpr UINT columns[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            TRect r{column * cell, row * cell, (column + 1) * cell, (row + 1) * cell};
            DrawFrameControl(dc, &r, DFC_BUTTON, rows[row] | columns[column]);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

} // namespace platform::gdi
