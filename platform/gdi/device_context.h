#pragma once
// The device context: drawing state over a surface, and the handle calls that set it. The
// drawing calls themselves are declared in drawing.h, blit.h and text_out.h.
//
// Coordinates: device = logical - window origin + viewport origin (+ the device origin of a
// window's context). The clip region is kept in device coordinates; "no clip region" and "an
// empty clip region" differ: the first draws everywhere, the second nowhere.

#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::gdi {

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int {
    R2_BLACK = 1,
    R2_NOTMERGEPEN = 2,
    R2_MASKNOTPEN = 3,
    R2_NOTCOPYPEN = 4,
    R2_MASKPENNOT = 5,
    R2_NOT = 6,
    R2_XORPEN = 7,
    R2_NOTMASKPEN = 8,
    R2_MASKPEN = 9,
    R2_NOTXORPEN = 10,
    R2_NOP = 11,
    R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13,
    R2_MERGEPENNOT = 14,
    R2_MERGEPEN = 15,
    R2_WHITE = 16
};
enum : UINT {
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24
};
enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };
enum : int { AD_COUNTERCLOCKWISE = 1, AD_CLOCKWISE = 2 };
enum : int { ERROR = 0 };
enum : int {
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    NUMCOLORS = 24,
    RASTERCAPS = 38,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90
};

struct GdiObjectData;
// Told each drawing call made on a context, written as call_trace.h describes.
using DCCallSink = std::function<void(const std::string& call)>;
struct PenData;
struct BrushData;
struct FontData;

struct DeviceState {
    std::shared_ptr<GdiObjectData> pen, brush, font, bitmap;
    HGDIOBJ penHandle{}, brushHandle{}, fontHandle{}, bitmapHandle{};
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = TA_LEFT | TA_TOP;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int charExtra = 0;
    int breakExtra = 0;
    int breakCount = 0;
    std::optional<Region> clip;
    TPoint windowOrg, viewportOrg, brushOrg, position;
};

class DeviceContext {
public:
    DeviceContext(std::shared_ptr<Surface> surface, TPoint deviceOrigin, bool memory);

    DeviceState state;
    bool memory;
    TPoint deviceOrigin;
    // Where a window's context may draw at all, in surface coordinates; none for the whole.
    std::optional<Region> visible;
    std::shared_ptr<Surface> fixedSurface; // a window's or the screen's; memory DCs use the bitmap

    Surface* Target() const;
    TPoint ToDevice(int x, int y) const;
    TPoint ToDevice(TPoint p) const { return ToDevice(p.X, p.Y); }
    TRect ToDevice(const TRect& r) const;
    TPoint ToLogical(int x, int y) const;
    // Where drawing may land: the surface, cut by the clip region, in device coordinates.
    Region DrawableArea() const;

    const PenData& Pen() const;
    const BrushData& Brush() const;
    const FontData& Font() const;

    // The pixel a brush paints at a device point, before any raster operation.
    Pixel32 BrushPixel(const BrushData& brush, int x, int y) const;
    // That pixel as the surface takes it (alpha 0). On a monochrome surface a pattern brush's
    // pixel is white where it equals the background colour and black elsewhere, like a colour
    // source in a blit; solid and hatched colours take the nearer of black and white.
    Pixel32 TargetBrushPixel(const BrushData& brush, int x, int y) const;
    // Fills a device region through the clip with a brush, by a binary raster operation.
    void FillDeviceRegion(const Region& area, const BrushData& brush, int rop2);
    // One pixel in a colour by the current binary raster operation, clip respected.
    void PlotPixel(int x, int y, Pixel32 color, int rop2, const Region& drawable);

    std::vector<DeviceState> saved;
    // Where the calls made on this context are told (none: nowhere), and how deep the current
    // call is.
    DCCallSink callSink;
    int callDepth = 0;
};

// The context behind a handle; nullptr for an invalid one.
DeviceContext* LookupDC(HDC dc);

// A memory context with a 1 x 1 monochrome bitmap selected; dc is only a reference.
HDC CreateCompatibleDC(HDC dc);
// A context drawing straight onto a surface (a window's back buffer, the screen), with logical
// (0, 0) at deviceOrigin and drawing limited to visible (surface coordinates) when given.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, TPoint deviceOrigin = {},
                    std::optional<Region> visible = std::nullopt);
BOOL DeleteDC(HDC dc);
// The screen: one 32-bit surface of the screen's size for the whole process.
std::shared_ptr<Surface> ScreenSurface();

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, int type);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int rop2);
int GetROP2(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int SetArcDirection(HDC dc, int direction);
int SetTextCharacterExtra(HDC dc, int extra);
BOOL SetTextJustification(HDC dc, int breakExtra, int breakCount);

BOOL SetBrushOrgEx(HDC dc, int x, int y, TPoint* previous);
BOOL GetBrushOrgEx(HDC dc, TPoint* origin);
BOOL SetWindowOrgEx(HDC dc, int x, int y, TPoint* previous);
BOOL GetWindowOrgEx(HDC dc, TPoint* origin);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* previous);
BOOL SetViewportOrgEx(HDC dc, int x, int y, TPoint* previous);
BOOL GetViewportOrgEx(HDC dc, TPoint* origin);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* previous);
BOOL LPtoDP(HDC dc, TPoint* points, int count);
BOOL DPtoLP(HDC dc, TPoint* points, int count);
BOOL MoveToEx(HDC dc, int x, int y, TPoint* previous);
BOOL GetCurrentPositionEx(HDC dc, TPoint* position);

// The new level (1, 2, ...), 0 on failure. RestoreDC takes a level, or a negative count
// relative to the current one (-1 is the last save).
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);

// Clipping; the regions handed in and out are copies in device coordinates.
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
// 1 and the clip region copied into region, 0 when the context has none, -1 on error.
int GetClipRgn(HDC dc, HRGN region);
// The drawable area's bounds in logical coordinates, and its kind.
int GetClipBox(HDC dc, TRect* rect);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const TRect* rect);

int GetDeviceCaps(HDC dc, int index);
// The colour the context can show nearest to color: itself on colour surfaces, black or white
// on a monochrome one.
COLORREF GetNearestColor(HDC dc, COLORREF color);
// Brush origins are applied at each fill, so there is nothing to reset; kept for the callers.
BOOL UnrealizeObject(HGDIOBJ object);

} // namespace platform::gdi
