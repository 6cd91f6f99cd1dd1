#pragma once
// The platform's region calls over region handles (HRGN, made by the calls below and freed with
// DeleteObject).

#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"

namespace platform::gdi {

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect& rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const TRect& rect);
HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const TPoint* points, const int* counts, int polygonCount, int fillMode);
// A handle for a region made by code of our own.
HRGN CreateRgnFromRegion(Region region);

// The kind of the result (NULLREGION, SIMPLEREGION, COMPLEXREGION), RGN_ERROR for a bad handle.
// dest may be one of the sources; src2 is not read for RGN_COPY.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, TRect* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const TRect* rect);
BOOL EqualRgn(HRGN a, HRGN b);

// The region behind a handle; nullptr for anything else.
Region* RegionOf(HRGN region);

} // namespace platform::gdi
