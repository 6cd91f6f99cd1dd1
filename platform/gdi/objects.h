#pragma once
// Drawing objects behind handles, as the platform hands them out: pens, brushes, fonts, bitmaps
// and regions. Each handle owns its object until DeleteObject; a device context keeps what is
// selected into it alive until it is deselected. The handle tables may be used from several
// threads at once (the menu animation draws from a worker); a handle itself is used by one
// thread at a time.

#include "platform/gdi/colors.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/geometry.h"

#include <cstdint>

namespace platform::gdi {

class Surface;

enum class HGDIOBJ : std::uintptr_t {};
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HRGN = HGDIOBJ;
using HPALETTE = HGDIOBJ;
enum class HDC : std::uintptr_t {};
inline constexpr HGDIOBJ NullObject{};
inline constexpr HDC NullDC{};

using UINT = std::uint32_t;
using BOOL = int;

enum : UINT {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
    PS_ALTERNATE = 8,
    PS_STYLE_MASK = 0xF,
};
enum : UINT { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1, BS_HATCHED = 2, BS_PATTERN = 3 };
enum : int {
    HS_HORIZONTAL = 0,
    HS_VERTICAL = 1,
    HS_FDIAGONAL = 2,
    HS_BDIAGONAL = 3,
    HS_CROSS = 4,
    HS_DIAGCROSS = 5
};
enum : int {
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    DKGRAY_BRUSH = 3,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    HOLLOW_BRUSH = 5,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    OEM_FIXED_FONT = 10,
    ANSI_FIXED_FONT = 11,
    ANSI_VAR_FONT = 12,
    SYSTEM_FONT = 13,
    DEVICE_DEFAULT_FONT = 14,
    SYSTEM_FIXED_FONT = 16,
    DEFAULT_GUI_FONT = 17,
};
enum : int {
    OBJ_PEN = 1,
    OBJ_BRUSH = 2,
    OBJ_DC = 3,
    OBJ_FONT = 6,
    OBJ_BITMAP = 7,
    OBJ_REGION = 8,
    OBJ_MEMDC = 10,
};

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    TPoint lopnWidth;
    COLORREF lopnColor = 0;
};
struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};
struct BITMAP {
    int bmType = 0;
    int bmWidth = 0;
    int bmHeight = 0;
    int bmWidthBytes = 0;
    std::uint16_t bmPlanes = 1;
    std::uint16_t bmBitsPixel = 0;
    void* bmBits = nullptr;
};

HPEN CreatePen(UINT style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN& pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// The brush takes a copy of the bitmap's top-left 8 x 8 pixels (fewer when it is smaller, then
// repeated at its own size); a monochrome pattern draws its 0 bits in the text colour and its 1
// bits in the background colour of the device context it fills.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH& brush);
HFONT CreateFontIndirect(const LOGFONT& font);
// Planes must be 1; bits are rows padded to 16 bits, top row first, or nullptr for zeroes.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HGDIOBJ GetStockObject(int index);
// A brush that always paints the current value of the system colour.
HBRUSH GetSysColorBrush(int index);

// Stock objects are never deleted; a bitmap that is selected into a device context cannot be.
BOOL DeleteObject(HGDIOBJ object);
int GetObjectType(HGDIOBJ object);
// Fills a LOGPEN, LOGBRUSH, LOGFONT or BITMAP by the object's kind; the number of bytes written,
// 0 for an invalid handle or a buffer too small.
int GetObject(HGDIOBJ object, int size, void* buffer);

// The pixels of a bitmap; nullptr for anything else.
Surface* BitmapSurface(HBITMAP bitmap);

} // namespace platform::gdi
