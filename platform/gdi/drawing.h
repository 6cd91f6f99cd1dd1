#pragma once
// Lines, shapes and fills on a device context, with the platform's pixel rules: right and bottom
// edges are exclusive, LineTo leaves out its end point, a shape is a brush interior inside a pen
// outline (the outline drawn on the shape's last row and column), arcs run counter-clockwise
// unless the context says otherwise. Pens and brushes draw by the context's binary raster
// operation, except FillRect and FrameRect, which copy their brush. On a 32-bit surface every
// drawn pixel gets alpha 0. On a monochrome surface a pen draws white only where its colour is
// exactly white, and black in every other colour; brushes and SetPixel take the nearer of the two.

#include "platform/gdi/device_context.h"

namespace platform::gdi {

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the surface or the clip region.
COLORREF GetPixel(HDC dc, int x, int y);

BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const TPoint* points, int count);
BOOL PolylineTo(HDC dc, const TPoint* points, int count);
BOOL Polygon(HDC dc, const TPoint* points, int count);
BOOL PolyPolygon(HDC dc, const TPoint* points, const int* counts, int polygonCount);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// The arc of the ellipse in the box from the ray towards (xStart, yStart) to the ray towards
// (xEnd, yEnd); equal rays give the whole ellipse.
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd);
BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd);

int FillRect(HDC dc, const TRect* rect, HBRUSH brush);
int FrameRect(HDC dc, const TRect* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const TRect* rect);
// The dotted focus frame, drawn by XOR, so a second call takes it away.
BOOL DrawFocusRect(HDC dc, const TRect* rect);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
BOOL PaintRgn(HDC dc, HRGN region);
BOOL InvertRgn(HDC dc, HRGN region);
// A border of width x height pixels inside the region's edge: every edge of the region, those
// of its concave corners and holes included.
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);

} // namespace platform::gdi
