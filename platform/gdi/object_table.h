#pragma once
// What stands behind the drawing-object handles, for the device-context code of this folder.

#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

#include <memory>
#include <variant>

namespace platform::gdi {

struct PenData {
    LOGPEN log;
};

struct BrushData {
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    std::shared_ptr<const Surface> pattern;
    int sysColorIndex = -1;
    COLORREF Color() const { return sysColorIndex >= 0 ? GetSysColor(sysColorIndex) : color; }
};

inline BrushData MakeBrush(UINT style, COLORREF color, int hatch = 0,
                           std::shared_ptr<const Surface> pattern = {}) {
    BrushData brush;
    brush.style = style;
    brush.color = color;
    brush.hatch = hatch;
    brush.pattern = std::move(pattern);
    return brush;
}
inline BrushData SolidBrushData(COLORREF color) {
    return MakeBrush(BS_SOLID, color);
}

struct FontData {
    LOGFONT log;
    std::shared_ptr<FontFace> face;
};

struct BitmapData {
    std::shared_ptr<Surface> surface;
    HDC selectedInto{};
    bool section = false; // a DIB section, whose bits the caller may touch
};

inline BitmapData MakeBitmap(std::shared_ptr<Surface> surface) {
    BitmapData bitmap;
    bitmap.surface = std::move(surface);
    return bitmap;
}

struct RegionData {
    Region region;
};

struct GdiObjectData {
    std::variant<PenData, BrushData, FontData, BitmapData, RegionData> value;
    bool stock = false;
};

HGDIOBJ RegisterObject(std::shared_ptr<GdiObjectData> data);
std::shared_ptr<GdiObjectData> LookupObject(HGDIOBJ handle);

template <class T> T* ObjectAs(HGDIOBJ handle) {
    auto data = LookupObject(handle);
    return data ? std::get_if<T>(&data->value) : nullptr;
}

} // namespace platform::gdi
