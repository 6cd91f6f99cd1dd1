#include "platform/gdi/region_handles.h"

#include "platform/gdi/object_table.h"

#include <algorithm>

namespace platform::gdi {

namespace {

TRect Ordered(int left, int top, int right, int bottom) {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

} // namespace

Region* RegionOf(HRGN region) {
    auto* data = ObjectAs<RegionData>(region);
    return data ? &data->region : nullptr;
}

HRGN CreateRgnFromRegion(Region region) {
    return RegisterObject(
        std::make_shared<GdiObjectData>(GdiObjectData{RegionData{std::move(region)}}));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return CreateRgnFromRegion(Region::FromRect(Ordered(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const TRect& rect) {
    return CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    return CreateRgnFromRegion(
        Region::FromRoundRect(Ordered(left, top, right, bottom), width, height));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return CreateRgnFromRegion(Region::FromEllipse(Ordered(left, top, right, bottom)));
}

HRGN CreateEllipticRgnIndirect(const TRect& rect) {
    return CreateEllipticRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode) {
    if (count < 0 || (count > 0 && !points)) return NullObject;
    return CreateRgnFromRegion(Region::FromPolygon(points, &count, 1, fillMode));
}

HRGN CreatePolyPolygonRgn(const TPoint* points, const int* counts, int polygonCount, int fillMode) {
    if (polygonCount < 0 || (polygonCount > 0 && (!points || !counts))) return NullObject;
    return CreateRgnFromRegion(Region::FromPolygon(points, counts, polygonCount, fillMode));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    Region* d = RegionOf(dest);
    Region* a = RegionOf(src1);
    Region* b = mode == RGN_COPY ? a : RegionOf(src2);
    if (!d || !a || !b || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    *d = Region::Combine(*a, *b, mode);
    return d->Kind();
}

int OffsetRgn(HRGN region, int dx, int dy) {
    Region* r = RegionOf(region);
    if (!r) return RGN_ERROR;
    r->Offset(dx, dy);
    return r->Kind();
}

int GetRgnBox(HRGN region, TRect* rect) {
    Region* r = RegionOf(region);
    if (!r || !rect) return RGN_ERROR;
    *rect = r->Bounds();
    return r->Kind();
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    Region* r = RegionOf(region);
    if (!r) return 0;
    *r = Region::FromRect(Ordered(left, top, right, bottom));
    return 1;
}

BOOL PtInRegion(HRGN region, int x, int y) {
    Region* r = RegionOf(region);
    return r && r->Contains(x, y);
}

BOOL RectInRegion(HRGN region, const TRect* rect) {
    Region* r = RegionOf(region);
    return r && rect && r->Intersects(Ordered(rect->Left, rect->Top, rect->Right, rect->Bottom));
}

BOOL EqualRgn(HRGN a, HRGN b) {
    Region* ra = RegionOf(a);
    Region* rb = RegionOf(b);
    return ra && rb && *ra == *rb;
}

} // namespace platform::gdi
