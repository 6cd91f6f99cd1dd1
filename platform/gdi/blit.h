#pragma once
// Bit transfers between device contexts and device-independent bitmaps.
//
// Every ternary raster operation is evaluated from its truth table over all 32 bits of a pixel
// (the pattern's alpha byte is 0, a source without alpha has 0), so SRCCOPY between two 32-bit
// surfaces copies alpha. A colour source on a monochrome destination gives white where it
// equals the source context's background colour; a monochrome source on a colour destination
// gives the destination's text colour for 0 bits and its background colour for 1 bits. The
// pattern reaches a monochrome destination by the first rule, against the destination's
// background colour (a monochrome pattern brush: its 0 bits in the text colour first).

#include "platform/gdi/device_context.h"

#include <cstdint>

namespace platform::gdi {

using DWORD = std::uint32_t;

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// The result of one ternary raster operation (its index byte, bits 16..23 of the code).
std::uint32_t ApplyRop3(std::uint8_t index, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t dest);

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
            DWORD rop);
// Negative sizes mirror (the given corner included). Stretch mode HALFTONE averages the source
// pixels under each destination pixel; when shrinking, BLACKONWHITE (the default) ANDs them and
// WHITEONBLACK ORs them, a destination one pixel wide (high) thus folding a whole source row
// (column) into its pixel; otherwise each destination pixel takes the nearest source pixel, a
// destination one pixel wide (high) the source's first column (row): the one at the given
// source corner.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int widthSource, int heightSource, DWORD rop);
// A negative width or height is normalised as the platform normalises a rectangle: the pixels
// from x + width up to x - 1 (y + height up to y - 1), the given point's own column (row) left
// out. The brush's pattern lies where the brush origin puts it, however the rectangle is given.
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

enum : DWORD { BI_RGB = 0 };
enum : UINT { DIB_RGB_COLORS = 0 };

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // positive: bottom-up, negative: top-down
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
struct RGBQUAD {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};
// Room for the two colours of a monochrome image; 24- and 32-bit images have no table.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
};

// A bitmap of the context's current format (a fresh memory context's is monochrome).
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// 1, 24 or 32 bits; *bits points at the pixels in the header's layout and lives as long as
// the bitmap. A monochrome section draws 0 as black and 1 as white.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                         void* section = nullptr, DWORD offset = 0);
// With bits nullptr, fills in the header's size fields and returns 1. Otherwise copies scan
// lines (counted from the bottom for a bottom-up layout) into the header's format and returns
// their number. A monochrome result gets a black and white colour table.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanCount, void* bits, BITMAPINFO* info,
              UINT usage);
// The reverse; a monochrome source is read through its colour table.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanCount, const void* bits,
              const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSource, int ySource,
                  int widthSource, int heightSource, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD rop);

} // namespace platform::gdi
