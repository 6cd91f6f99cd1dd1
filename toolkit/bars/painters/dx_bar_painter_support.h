#pragma once
// Small answers every bar painter's drawing code asks of an item and a rectangle, kept in one
// place so that the styles read them alike. For the painters' own sources only.

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_painter_state.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"

#include <string>

namespace toolkit::bars {

// A system colour index as the small brush value the fill routines accept.
inline platform::gdi::HBRUSH SysBrushValue(int Index) {
    return static_cast<platform::gdi::HBRUSH>(Index + 1);
}

// R moved in by D on every side, or by DX left and right and DY top and bottom.
inline platform::gdi::TRect Shrunk(const platform::gdi::TRect& R, int DX, int DY) {
    return {R.Left + DX, R.Top + DY, R.Right - DX, R.Bottom - DY};
}
inline platform::gdi::TRect Shrunk(const platform::gdi::TRect& R, int D = 1) {
    return Shrunk(R, D, D);
}

inline bool IsEmpty(const platform::gdi::TRect& R) {
    return R.Right <= R.Left || R.Bottom <= R.Top;
}

// A control without an item counts as enabled.
inline bool ItemEnabled(const TdxBarItemControlState& AItem) {
    return AItem.Item == nullptr || AItem.Item->Enabled();
}

// The caption the link shows: the user's own when one was set, else the item's.
inline std::string ItemCaption(const TdxBarItemControlState& AItem) {
    if (AItem.Link != nullptr) return AItem.Link->GetCaption();
    return AItem.Item ? AItem.Item->Caption() : std::string();
}

// The bar window's background brush; none without a bar window.
inline platform::gdi::HBRUSH ParentBkBrush(const TdxBarItemControlState& AItem) {
    return AItem.Parent ? AItem.Parent->BkBrush : platform::gdi::HBRUSH{};
}

// A triangle filled and outlined in one colour.
inline void SolidTriangle(platform::gdi::HDC DC, platform::gdi::COLORREF Color,
                          const platform::gdi::TPoint (&Points)[3]) {
    namespace pg = platform::gdi;
    const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, Color);
    const pg::HBRUSH Brush = pg::CreateSolidBrush(Color);
    const pg::HGDIOBJ OldPen = pg::SelectObject(DC, Pen), OldBrush = pg::SelectObject(DC, Brush);
    pg::Polygon(DC, Points, 3);
    pg::SelectObject(DC, OldPen);
    pg::SelectObject(DC, OldBrush);
    pg::DeleteObject(Pen);
    pg::DeleteObject(Brush);
}

} // namespace toolkit::bars
