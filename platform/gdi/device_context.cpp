#include "platform/gdi/device_context.h"

#include "platform/gdi/call_trace.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/surface.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace platform::gdi {

namespace {

struct DCTable {
    std::map<std::uintptr_t, std::unique_ptr<DeviceContext>> contexts;
    std::uintptr_t next = 0x10000;
};

std::recursive_mutex& ContextsLock() {
    static std::recursive_mutex lock;
    return lock;
}

DCTable& Contexts() {
    static DCTable table;
    return table;
}

HBITMAP DefaultBitmap() {
    static HBITMAP bitmap = [] {
        GdiObjectData data{MakeBitmap(std::make_shared<Surface>(1, 1, 1))};
        data.stock = true;
        return RegisterObject(std::make_shared<GdiObjectData>(std::move(data)));
    }();
    return bitmap;
}

void SetSelected(const std::shared_ptr<GdiObjectData>& bitmap, HDC dc) {
    if (!bitmap || bitmap->stock) return;
    if (auto* data = std::get_if<BitmapData>(&bitmap->value)) data->selectedInto = dc;
}

HDC Register(std::unique_ptr<DeviceContext> context) {
    std::lock_guard guard(ContextsLock());
    auto& table = Contexts();
    std::uintptr_t handle = table.next;
    table.next += 4;
    table.contexts.emplace(handle, std::move(context));
    HDC dc{handle};
    auto* created = LookupDC(dc);
    auto& state = created->state;
    state.pen = LookupObject(state.penHandle = GetStockObject(BLACK_PEN));
    state.brush = LookupObject(state.brushHandle = GetStockObject(WHITE_BRUSH));
    state.font = LookupObject(state.fontHandle = GetStockObject(SYSTEM_FONT));
    if (created->memory) state.bitmap = LookupObject(state.bitmapHandle = DefaultBitmap());
    return dc;
}

Pixel32 ApplyRop2(int rop2, Pixel32 pen, Pixel32 dest) {
    unsigned code = static_cast<unsigned>(rop2 - 1) & 0xF;
    Pixel32 r = 0;
    if (code & 1) r |= ~pen & ~dest;
    if (code & 2) r |= ~pen & dest;
    if (code & 4) r |= pen & ~dest;
    if (code & 8) r |= pen & dest;
    return r & 0xFFFFFF;
}

bool HatchBit(int hatch, int x, int y) {
    bool horizontal = y == 7, vertical = x == 7;
    bool forward = x == y, backward = x + y == 7;
    switch (hatch) {
    case HS_HORIZONTAL:
        return horizontal;
    case HS_VERTICAL:
        return vertical;
    case HS_FDIAGONAL:
        return forward;
    case HS_BDIAGONAL:
        return backward;
    case HS_CROSS:
        return horizontal || vertical;
    default:
        return forward || backward;
    }
}

} // namespace

DeviceContext::DeviceContext(std::shared_ptr<Surface> surface, TPoint origin, bool isMemory)
    : memory(isMemory), deviceOrigin(origin), fixedSurface(std::move(surface)) {}

Surface* DeviceContext::Target() const {
    if (fixedSurface) return fixedSurface.get();
    if (!state.bitmap) return nullptr;
    return std::get<BitmapData>(state.bitmap->value).surface.get();
}

TPoint DeviceContext::ToDevice(int x, int y) const {
    return {x - state.windowOrg.X + state.viewportOrg.X + deviceOrigin.X,
            y - state.windowOrg.Y + state.viewportOrg.Y + deviceOrigin.Y};
}

TRect DeviceContext::ToDevice(const TRect& r) const {
    TPoint a = ToDevice(r.Left, r.Top), b = ToDevice(r.Right, r.Bottom);
    return {a.X, a.Y, b.X, b.Y};
}

TPoint DeviceContext::ToLogical(int x, int y) const {
    return {x + state.windowOrg.X - state.viewportOrg.X - deviceOrigin.X,
            y + state.windowOrg.Y - state.viewportOrg.Y - deviceOrigin.Y};
}

Region DeviceContext::DrawableArea() const {
    Surface* target = Target();
    if (!target) return {};
    Region area = Region::FromRect({0, 0, target->Width(), target->Height()});
    if (visible) area = Region::Combine(area, *visible, RGN_AND);
    if (state.clip) {
        // The clip region is relative to the context's device origin.
        Region clip = *state.clip;
        clip.Offset(deviceOrigin.X, deviceOrigin.Y);
        area = Region::Combine(area, clip, RGN_AND);
    }
    return area;
}

const PenData& DeviceContext::Pen() const {
    return std::get<PenData>(state.pen->value);
}
const BrushData& DeviceContext::Brush() const {
    return std::get<BrushData>(state.brush->value);
}
const FontData& DeviceContext::Font() const {
    return std::get<FontData>(state.font->value);
}

Pixel32 DeviceContext::BrushPixel(const BrushData& brush, int x, int y) const {
    int px = x - state.brushOrg.X, py = y - state.brushOrg.Y;
    switch (brush.style) {
    case BS_HATCHED:
        return HatchBit(brush.hatch, px & 7, py & 7) ? ColorToPixel(brush.Color())
                                                     : ColorToPixel(state.bkColor);
    case BS_PATTERN: {
        const Surface& pattern = *brush.pattern;
        int w = pattern.Width(), h = pattern.Height();
        Pixel32 p = pattern.Pixel(((px % w) + w) % w, ((py % h) + h) % h);
        if (pattern.BitsPerPixel() == 1) return ColorToPixel(p ? state.bkColor : state.textColor);
        return p & 0xFFFFFF;
    }
    default:
        return ColorToPixel(brush.Color());
    }
}

Pixel32 DeviceContext::TargetBrushPixel(const BrushData& brush, int x, int y) const {
    Pixel32 color = BrushPixel(brush, x, y) & 0xFFFFFF;
    const Surface* target = Target();
    if (!target || target->BitsPerPixel() != 1) return color;
    // A pattern reaches a monochrome surface as a colour bitmap would in a blit: white where it
    // is the background colour, black elsewhere. A monochrome pattern thus keeps its bits
    // whatever the two colours are, unless they are the same.
    if (brush.style == BS_PATTERN) return color == ColorToPixel(state.bkColor) ? 0xFFFFFF : 0;
    return IsLightPixel(color) ? 0xFFFFFF : 0;
}

void DeviceContext::PlotPixel(int x, int y, Pixel32 color, int rop2, const Region& drawable) {
    Surface* target = Target();
    if (!target || !drawable.Contains(x, y)) return;
    if (target->BitsPerPixel() == 1) color = IsLightPixel(color) ? 0xFFFFFF : 0;
    Pixel32 dest = target->Pixel(x, y) & 0xFFFFFF;
    target->SetPixel(x, y, rop2 == R2_COPYPEN ? (color & 0xFFFFFF) : ApplyRop2(rop2, color, dest));
}

void DeviceContext::FillDeviceRegion(const Region& area, const BrushData& brush, int rop2) {
    if (brush.style == BS_NULL || rop2 == R2_NOP) return;
    Region drawable = DrawableArea();
    Region fill = Region::Combine(area, drawable, RGN_AND);
    Surface* target = Target();
    bool hatchTransparent = brush.style == BS_HATCHED && state.bkMode == TRANSPARENT;
    for (const auto& band : fill.Bands())
        for (int y = band.Top; y < band.Bottom; ++y)
            for (const auto& span : band.Spans)
                for (int x = span.Left; x < span.Right; ++x) {
                    if (hatchTransparent && !HatchBit(brush.hatch, (x - state.brushOrg.X) & 7,
                                                      (y - state.brushOrg.Y) & 7))
                        continue;
                    Pixel32 color = TargetBrushPixel(brush, x, y);
                    Pixel32 dest = target->Pixel(x, y) & 0xFFFFFF;
                    target->SetPixel(x, y,
                                     rop2 == R2_COPYPEN ? (color & 0xFFFFFF)
                                                        : ApplyRop2(rop2, color, dest));
                }
}

DeviceContext* LookupDC(HDC dc) {
    std::lock_guard guard(ContextsLock());
    auto& contexts = Contexts().contexts;
    auto it = contexts.find(static_cast<std::uintptr_t>(dc));
    return it == contexts.end() ? nullptr : it->second.get();
}

HDC CreateCompatibleDC(HDC) {
    return Register(std::make_unique<DeviceContext>(nullptr, TPoint{}, true));
}

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, TPoint deviceOrigin,
                    std::optional<Region> visible) {
    if (!surface) return NullDC;
    auto context = std::make_unique<DeviceContext>(std::move(surface), deviceOrigin, false);
    context->visible = std::move(visible);
    return Register(std::move(context));
}

std::shared_ptr<Surface> ScreenSurface() {
    static auto screen =
        std::make_shared<Surface>(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 32);
    return screen;
}

BOOL DeleteDC(HDC dc) {
    std::lock_guard guard(ContextsLock());
    auto& contexts = Contexts().contexts;
    auto it = contexts.find(static_cast<std::uintptr_t>(dc));
    if (it == contexts.end()) return 0;
    SetSelected(it->second->state.bitmap, NullDC);
    contexts.erase(it);
    return 1;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    CallRecord record(dc, "SelectObject", DescribeObject(object));
    DeviceContext* context = LookupDC(dc);
    auto data = LookupObject(object);
    if (!context || !data) return NullObject;
    auto& s = context->state;
    auto swap = [&](std::shared_ptr<GdiObjectData>& slot, HGDIOBJ& handle) {
        HGDIOBJ previous = handle;
        slot = data;
        handle = object;
        return previous;
    };
    switch (data->value.index()) {
    case 0:
        return swap(s.pen, s.penHandle);
    case 1:
        return swap(s.brush, s.brushHandle);
    case 2:
        return swap(s.font, s.fontHandle);
    case 3: {
        auto& bitmap = std::get<BitmapData>(data->value);
        if (!context->memory) return NullObject;
        if (bitmap.selectedInto != NullDC && bitmap.selectedInto != dc) return NullObject;
        SetSelected(s.bitmap, NullDC);
        HGDIOBJ previous = swap(s.bitmap, s.bitmapHandle);
        SetSelected(s.bitmap, dc);
        return previous;
    }
    default:
        return HGDIOBJ{static_cast<std::uintptr_t>(SelectClipRgn(dc, object))};
    }
}

HGDIOBJ GetCurrentObject(HDC dc, int type) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return NullObject;
    switch (type) {
    case OBJ_PEN:
        return context->state.penHandle;
    case OBJ_BRUSH:
        return context->state.brushHandle;
    case OBJ_FONT:
        return context->state.fontHandle;
    case OBJ_BITMAP:
        return context->state.bitmapHandle;
    default:
        return NullObject;
    }
}

namespace {

template <class T, class F> T Exchange(HDC dc, T failure, F&& member, T value) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return failure;
    T& slot = member(context->state);
    T previous = slot;
    slot = value;
    return previous;
}

template <class T, class F> T Read(HDC dc, T failure, F&& member) {
    DeviceContext* context = LookupDC(dc);
    return context ? member(context->state) : failure;
}

BOOL SetPoint(HDC dc, TPoint DeviceState::*member, TPoint value, TPoint* previous) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    if (previous) *previous = context->state.*member;
    context->state.*member = value;
    return 1;
}

BOOL GetPoint(HDC dc, TPoint DeviceState::*member, TPoint* out) {
    DeviceContext* context = LookupDC(dc);
    if (!context || !out) return 0;
    *out = context->state.*member;
    return 1;
}

BOOL OffsetPoint(HDC dc, TPoint DeviceState::*member, int dx, int dy, TPoint* previous) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    const TPoint p = context->state.*member;
    return SetPoint(dc, member, {p.X + dx, p.Y + dy}, previous);
}

} // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
    CallRecord record(dc, "SetTextColor", Hex{color});
    return Exchange<COLORREF>(
        dc, CLR_INVALID, [](DeviceState& s) -> COLORREF& { return s.textColor; }, color & 0xFFFFFF);
}
COLORREF GetTextColor(HDC dc) {
    return Read<COLORREF>(dc, CLR_INVALID, [](DeviceState& s) { return s.textColor; });
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
    CallRecord record(dc, "SetBkColor", Hex{color});
    return Exchange<COLORREF>(
        dc, CLR_INVALID, [](DeviceState& s) -> COLORREF& { return s.bkColor; }, color & 0xFFFFFF);
}
COLORREF GetBkColor(HDC dc) {
    return Read<COLORREF>(dc, CLR_INVALID, [](DeviceState& s) { return s.bkColor; });
}
int SetBkMode(HDC dc, int mode) {
    CallRecord record(dc, "SetBkMode", mode);
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return Exchange<int>(
        dc, 0, [](DeviceState& s) -> int& { return s.bkMode; }, mode);
}
int GetBkMode(HDC dc) {
    return Read<int>(dc, 0, [](DeviceState& s) { return s.bkMode; });
}
int SetROP2(HDC dc, int rop2) {
    CallRecord record(dc, "SetROP2", rop2);
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    return Exchange<int>(
        dc, 0, [](DeviceState& s) -> int& { return s.rop2; }, rop2);
}
int GetROP2(HDC dc) {
    return Read<int>(dc, 0, [](DeviceState& s) { return s.rop2; });
}
UINT SetTextAlign(HDC dc, UINT align) {
    return Exchange<UINT>(
        dc, 0xFFFFFFFF, [](DeviceState& s) -> UINT& { return s.textAlign; }, align);
}
UINT GetTextAlign(HDC dc) {
    return Read<UINT>(dc, 0xFFFFFFFF, [](DeviceState& s) { return s.textAlign; });
}
int SetStretchBltMode(HDC dc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return Exchange<int>(
        dc, 0, [](DeviceState& s) -> int& { return s.stretchMode; }, mode);
}
int GetStretchBltMode(HDC dc) {
    return Read<int>(dc, 0, [](DeviceState& s) { return s.stretchMode; });
}
int SetPolyFillMode(HDC dc, int mode) {
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return Exchange<int>(
        dc, 0, [](DeviceState& s) -> int& { return s.polyFillMode; }, mode);
}
int SetArcDirection(HDC dc, int direction) {
    if (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE) return 0;
    return Exchange<int>(
        dc, 0, [](DeviceState& s) -> int& { return s.arcDirection; }, direction);
}
int SetTextCharacterExtra(HDC dc, int extra) {
    return Exchange<int>(
        dc, 0x80000000, [](DeviceState& s) -> int& { return s.charExtra; }, extra);
}
BOOL SetTextJustification(HDC dc, int breakExtra, int breakCount) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    context->state.breakExtra = breakCount > 0 ? breakExtra : 0;
    context->state.breakCount = breakCount > 0 ? breakCount : 0;
    return 1;
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, TPoint* previous) {
    return SetPoint(dc, &DeviceState::brushOrg, {x, y}, previous);
}
BOOL GetBrushOrgEx(HDC dc, TPoint* origin) {
    return GetPoint(dc, &DeviceState::brushOrg, origin);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, TPoint* previous) {
    return SetPoint(dc, &DeviceState::windowOrg, {x, y}, previous);
}
BOOL GetWindowOrgEx(HDC dc, TPoint* origin) {
    return GetPoint(dc, &DeviceState::windowOrg, origin);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* previous) {
    return OffsetPoint(dc, &DeviceState::windowOrg, dx, dy, previous);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, TPoint* previous) {
    return SetPoint(dc, &DeviceState::viewportOrg, {x, y}, previous);
}
BOOL GetViewportOrgEx(HDC dc, TPoint* origin) {
    return GetPoint(dc, &DeviceState::viewportOrg, origin);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* previous) {
    return OffsetPoint(dc, &DeviceState::viewportOrg, dx, dy, previous);
}
BOOL LPtoDP(HDC dc, TPoint* points, int count) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    for (int i = 0; i < count; ++i) {
        TPoint d = context->ToDevice(points[i]);
        points[i] = {d.X - context->deviceOrigin.X, d.Y - context->deviceOrigin.Y};
    }
    return 1;
}
BOOL DPtoLP(HDC dc, TPoint* points, int count) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    for (int i = 0; i < count; ++i)
        points[i] = context->ToLogical(points[i].X + context->deviceOrigin.X,
                                       points[i].Y + context->deviceOrigin.Y);
    return 1;
}
BOOL MoveToEx(HDC dc, int x, int y, TPoint* previous) {
    CallRecord record(dc, "MoveTo", x, y);
    return SetPoint(dc, &DeviceState::position, {x, y}, previous);
}
BOOL GetCurrentPositionEx(HDC dc, TPoint* position) {
    return GetPoint(dc, &DeviceState::position, position);
}

int SaveDC(HDC dc) {
    CallRecord record(dc, "SaveDC");
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    context->saved.push_back(context->state);
    return static_cast<int>(context->saved.size());
}

BOOL RestoreDC(HDC dc, int savedDC) {
    CallRecord record(dc, "RestoreDC", savedDC);
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    int count = static_cast<int>(context->saved.size());
    int level = savedDC < 0 ? count + savedDC + 1 : savedDC;
    if (level < 1 || level > count) return 0;
    DeviceState restored = context->saved[static_cast<std::size_t>(level - 1)];
    if (restored.bitmap != context->state.bitmap) {
        SetSelected(context->state.bitmap, NullDC);
        SetSelected(restored.bitmap, dc);
    }
    context->state = std::move(restored);
    context->saved.resize(static_cast<std::size_t>(level - 1));
    return 1;
}

namespace {

int ClipKind(const DeviceContext& context) {
    return context.state.clip ? context.state.clip->Kind() : SIMPLEREGION;
}

// The region operations that start from "no clip region" start from the whole device.
Region CurrentClipOrDevice(const DeviceContext& context) {
    if (context.state.clip) return *context.state.clip;
    Surface* target = context.Target();
    TRect device = target ? TRect{0, 0, target->Width(), target->Height()} : TRect{};
    OffsetRect(device, -context.deviceOrigin.X, -context.deviceOrigin.Y);
    return Region::FromRect(device);
}

} // namespace

int SelectClipRgn(HDC dc, HRGN region) {
    CallRecord record(dc, "SelectClipRgn",
                      std::string_view(region == NullObject ? "nil" : "region"));
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return RGN_ERROR;
    Region* r = RegionOf(region);
    if (!r) {
        if (mode != RGN_COPY || region != NullObject) return RGN_ERROR;
        context->state.clip.reset();
        return SIMPLEREGION;
    }
    if (mode == RGN_COPY)
        context->state.clip = *r;
    else if (mode >= RGN_AND && mode <= RGN_DIFF)
        context->state.clip = Region::Combine(CurrentClipOrDevice(*context), *r, mode);
    else
        return RGN_ERROR;
    return ClipKind(*context);
}

int GetClipRgn(HDC dc, HRGN region) {
    DeviceContext* context = LookupDC(dc);
    Region* r = RegionOf(region);
    if (!context || !r) return -1;
    if (!context->state.clip) return 0;
    *r = *context->state.clip;
    return 1;
}

int GetClipBox(HDC dc, TRect* rect) {
    DeviceContext* context = LookupDC(dc);
    if (!context || !rect) return RGN_ERROR;
    Region area = context->DrawableArea();
    TRect box = area.Bounds();
    TPoint a = context->ToLogical(box.Left, box.Top), b = context->ToLogical(box.Right, box.Bottom);
    *rect = area.Empty() ? TRect{} : TRect{a.X, a.Y, b.X, b.Y};
    return area.Kind();
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    CallRecord record(dc, "ExcludeClipRect", left, top, right, bottom);
    DeviceContext* context = LookupDC(dc);
    if (!context) return RGN_ERROR;
    TRect r = context->ToDevice(TRect{left, top, right, bottom});
    OffsetRect(r, -context->deviceOrigin.X, -context->deviceOrigin.Y);
    context->state.clip =
        Region::Combine(CurrentClipOrDevice(*context), Region::FromRect(r), RGN_DIFF);
    return ClipKind(*context);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    CallRecord record(dc, "IntersectClipRect", left, top, right, bottom);
    DeviceContext* context = LookupDC(dc);
    if (!context) return RGN_ERROR;
    TRect r = context->ToDevice(TRect{left, top, right, bottom});
    OffsetRect(r, -context->deviceOrigin.X, -context->deviceOrigin.Y);
    context->state.clip =
        Region::Combine(CurrentClipOrDevice(*context), Region::FromRect(r), RGN_AND);
    return ClipKind(*context);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return RGN_ERROR;
    if (context->state.clip) context->state.clip->Offset(dx, dy);
    return ClipKind(*context);
}

BOOL PtVisible(HDC dc, int x, int y) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    TPoint d = context->ToDevice(x, y);
    return context->DrawableArea().Contains(d.X, d.Y);
}

BOOL RectVisible(HDC dc, const TRect* rect) {
    DeviceContext* context = LookupDC(dc);
    if (!context || !rect) return 0;
    // An inverted rectangle counts as the same rectangle set right, as RectInRegion takes it.
    TRect r = context->ToDevice(*rect);
    TRect ordered{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                  std::max(r.Top, r.Bottom)};
    return context->DrawableArea().Intersects(ordered);
}

int GetDeviceCaps(HDC dc, int index) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    Surface* target = context->Target();
    int bpp =
        context->memory && target && target->BitsPerPixel() != 1 ? target->BitsPerPixel() : 32;
    switch (index) {
    case HORZRES:
        return context->memory ? GetSystemMetrics(SM_CXSCREEN) : (target ? target->Width() : 0);
    case VERTRES:
        return context->memory ? GetSystemMetrics(SM_CYSCREEN) : (target ? target->Height() : 0);
    case BITSPIXEL:
        return bpp;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return 0x0001 | 0x0080 | 0x0200 | 0x0800 | 0x2000;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    default:
        return 0;
    }
}

COLORREF GetNearestColor(HDC dc, COLORREF color) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return CLR_INVALID;
    Surface* target = context->Target();
    color &= 0xFFFFFF;
    if (target && target->BitsPerPixel() == 1)
        return IsLightPixel(ColorToPixel(color)) ? 0xFFFFFF : 0;
    return color;
}

BOOL UnrealizeObject(HGDIOBJ object) {
    return LookupObject(object) != nullptr;
}

} // namespace platform::gdi
