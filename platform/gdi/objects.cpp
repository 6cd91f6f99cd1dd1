#include "platform/gdi/objects.h"

#include "platform/gdi/object_table.h"

#include "platform/core/no_destructor.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace platform::gdi {

namespace {

struct ObjectTable {
    std::map<std::uintptr_t, std::shared_ptr<GdiObjectData>> objects;
    std::uintptr_t next = 0x1000;
    std::map<int, HGDIOBJ> stock;
    std::map<int, HGDIOBJ> sysBrushes;
};

// The menu animation draws from a worker thread, so the tables are shared between threads.
std::recursive_mutex& TableLock() {
    static core::NoDestructor<std::recursive_mutex> lock;
    return *lock;
}

// Objects that live until the process ends free their handles during static destruction.
ObjectTable& Table() {
    static core::NoDestructor<ObjectTable> table;
    return *table;
}

HGDIOBJ RegisterStock(GdiObjectData data) {
    data.stock = true;
    return RegisterObject(std::make_shared<GdiObjectData>(std::move(data)));
}

HGDIOBJ MakeStock(int index) {
    auto font = [](const char* face, int height, int weight) {
        LOGFONT lf;
        lf.lfHeight = height;
        lf.lfWeight = weight;
        SetFaceName(lf, face);
        return FontData{lf, CurrentFontEngine().CreateFace(lf)};
    };
    switch (index) {
    case WHITE_BRUSH:
        return RegisterStock({SolidBrushData(0xFFFFFF)});
    case LTGRAY_BRUSH:
        return RegisterStock({SolidBrushData(0xC0C0C0)});
    case GRAY_BRUSH:
        return RegisterStock({SolidBrushData(0x808080)});
    case DKGRAY_BRUSH:
        return RegisterStock({SolidBrushData(0x404040)});
    case BLACK_BRUSH:
        return RegisterStock({SolidBrushData(0)});
    case NULL_BRUSH:
        return RegisterStock({MakeBrush(BS_NULL, 0)});
    case WHITE_PEN:
        return RegisterStock({PenData{{PS_SOLID, {1, 0}, 0xFFFFFF}}});
    case BLACK_PEN:
        return RegisterStock({PenData{{PS_SOLID, {1, 0}, 0}}});
    case NULL_PEN:
        return RegisterStock({PenData{{PS_NULL, {1, 0}, 0}}});
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        return RegisterStock({font("Courier", 12, FW_NORMAL)});
    case ANSI_VAR_FONT:
    case DEFAULT_GUI_FONT:
        return RegisterStock({font("MS Sans Serif", -11, FW_NORMAL)});
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        return RegisterStock({font("System", 16, FW_BOLD)});
    default:
        return NullObject;
    }
}

} // namespace

HGDIOBJ RegisterObject(std::shared_ptr<GdiObjectData> data) {
    std::lock_guard guard(TableLock());
    auto& table = Table();
    std::uintptr_t handle = table.next;
    table.next += 4;
    table.objects.emplace(handle, std::move(data));
    return HGDIOBJ{handle};
}

std::shared_ptr<GdiObjectData> LookupObject(HGDIOBJ handle) {
    std::lock_guard guard(TableLock());
    auto& objects = Table().objects;
    auto it = objects.find(static_cast<std::uintptr_t>(handle));
    return it == objects.end() ? nullptr : it->second;
}

HPEN CreatePen(UINT style, int width, COLORREF color) {
    return CreatePenIndirect({style, {width, 0}, color});
}

HPEN CreatePenIndirect(const LOGPEN& pen) {
    LOGPEN log = pen;
    log.lopnColor &= 0xFFFFFF;
    if ((log.lopnStyle & PS_STYLE_MASK) > PS_ALTERNATE) return NullObject;
    return RegisterObject(std::make_shared<GdiObjectData>(GdiObjectData{PenData{log}}));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return CreateBrushIndirect({BS_SOLID, color, 0});
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    return CreateBrushIndirect({BS_HATCHED, color, static_cast<std::uintptr_t>(hatch)});
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    auto* source = ObjectAs<BitmapData>(bitmap);
    if (!source) return NullObject;
    const Surface& s = *source->surface;
    int w = std::min(8, s.Width()), h = std::min(8, s.Height());
    if (w == 0 || h == 0) return NullObject;
    auto pattern = std::make_shared<Surface>(w, h, s.BitsPerPixel());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pattern->SetPixel(x, y, s.Pixel(x, y));
    BrushData brush{BS_PATTERN, 0, 0, std::move(pattern)};
    return RegisterObject(std::make_shared<GdiObjectData>(GdiObjectData{std::move(brush)}));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH& brush) {
    BrushData data =
        MakeBrush(brush.lbStyle, brush.lbColor & 0xFFFFFF, static_cast<int>(brush.lbHatch));
    if (brush.lbStyle == BS_PATTERN) return CreatePatternBrush(static_cast<HBITMAP>(brush.lbHatch));
    if (brush.lbStyle > BS_HATCHED) return NullObject;
    if (brush.lbStyle == BS_HATCHED && (data.hatch < HS_HORIZONTAL || data.hatch > HS_DIAGCROSS))
        return NullObject;
    return RegisterObject(std::make_shared<GdiObjectData>(GdiObjectData{data}));
}

HFONT CreateFontIndirect(const LOGFONT& font) {
    FontData data{font, CurrentFontEngine().CreateFace(font)};
    data.log.lfFaceName[LF_FACESIZE - 1] = 0;
    return RegisterObject(std::make_shared<GdiObjectData>(GdiObjectData{std::move(data)}));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes != 1) return NullObject;
    int bpp = bitsPerPixel == 1 ? 1 : bitsPerPixel == 24 ? 24 : 32;
    auto surface = std::make_shared<Surface>(width, height, bpp);
    if (bits) {
        // Device-dependent rows are padded to 16 bits.
        int rowBytes = ((width * bpp + 15) / 16) * 2;
        const auto* src = static_cast<const std::uint8_t*>(bits);
        for (int y = 0; y < height; ++y)
            std::memcpy(surface->Bits() + static_cast<std::size_t>(y) * surface->Stride(),
                        src + static_cast<std::size_t>(y) * rowBytes,
                        static_cast<std::size_t>(std::min(rowBytes, surface->Stride())));
    }
    return RegisterObject(
        std::make_shared<GdiObjectData>(GdiObjectData{MakeBitmap(std::move(surface))}));
}

HGDIOBJ GetStockObject(int index) {
    std::lock_guard guard(TableLock());
    auto& stock = Table().stock;
    if (auto it = stock.find(index); it != stock.end()) return it->second;
    HGDIOBJ handle = MakeStock(index);
    if (handle != NullObject) stock[index] = handle;
    return handle;
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= SystemColorCount) return NullObject;
    std::lock_guard guard(TableLock());
    auto& brushes = Table().sysBrushes;
    if (auto it = brushes.find(index); it != brushes.end()) return it->second;
    BrushData brush = SolidBrushData(0);
    brush.sysColorIndex = index;
    return brushes[index] = RegisterStock({brush});
}

BOOL DeleteObject(HGDIOBJ object) {
    std::lock_guard guard(TableLock());
    auto& objects = Table().objects;
    auto it = objects.find(static_cast<std::uintptr_t>(object));
    if (it == objects.end() || it->second->stock) return 0;
    if (auto* bitmap = std::get_if<BitmapData>(&it->second->value))
        if (bitmap->selectedInto != NullDC) return 0;
    objects.erase(it);
    return 1;
}

int GetObjectType(HGDIOBJ object) {
    auto data = LookupObject(object);
    if (!data) return 0;
    static constexpr int types[] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION};
    return types[data->value.index()];
}

int GetObject(HGDIOBJ object, int size, void* buffer) {
    auto data = LookupObject(object);
    if (!data) return 0;
    auto copy = [&](const auto& value) {
        int bytes = static_cast<int>(sizeof value);
        if (!buffer) return bytes;
        if (size < bytes) return 0;
        std::memcpy(buffer, &value, sizeof value);
        return bytes;
    };
    if (auto* pen = std::get_if<PenData>(&data->value)) return copy(pen->log);
    if (auto* brush = std::get_if<BrushData>(&data->value))
        return copy(
            LOGBRUSH{brush->style, brush->Color(), static_cast<std::uintptr_t>(brush->hatch)});
    if (auto* font = std::get_if<FontData>(&data->value)) return copy(font->log);
    if (auto* bitmap = std::get_if<BitmapData>(&data->value)) {
        const Surface& s = *bitmap->surface;
        BITMAP bm{0,          s.Width(), s.Height(),
                  s.Stride(), 1,         static_cast<std::uint16_t>(s.BitsPerPixel()),
                  nullptr};
        return copy(bm);
    }
    return 0;
}

Surface* BitmapSurface(HBITMAP bitmap) {
    auto* data = ObjectAs<BitmapData>(bitmap);
    return data ? data->surface.get() : nullptr;
}

} // namespace platform::gdi
