#pragma once
// The toolkit's pixel-level routines: colour arithmetic on system colours, 32-bit pixel access to
// bitmaps, alpha blending (the platform's AlphaBlend when it is bound, own code otherwise), a
// Lanczos-3 resampler, painting a control's parent under a transparent control, and the shared
// brushes and colour-name table. Pixels are 32-bit values in memory order blue, green, red,
// alpha.

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::forms {
class TControl;
}

namespace toolkit::base {

class TcxCustomBitmap;

using platform::gdi::COLORREF;
using platform::gdi::HBITMAP;
using platform::gdi::HBRUSH;
using platform::gdi::HDC;
using platform::gdi::TColor;
using platform::gdi::TPoint;
using platform::gdi::TRect;
using TRGBQuad = platform::gdi::RGBQUAD;
using TRGBQuads = std::vector<TRGBQuad>;

// The bitmaps hand their pixels about as 0xAARRGGBB values, which hold the same four bytes.
constexpr TRGBQuad cxPixelToRGBQuad(std::uint32_t Pixel) {
    return {static_cast<std::uint8_t>(Pixel), static_cast<std::uint8_t>(Pixel >> 8),
            static_cast<std::uint8_t>(Pixel >> 16), static_cast<std::uint8_t>(Pixel >> 24)};
}
constexpr std::uint32_t cxRGBQuadToPixel(const TRGBQuad& Quad) {
    return static_cast<std::uint32_t>(Quad.rgbReserved) << 24 |
           static_cast<std::uint32_t>(Quad.rgbRed) << 16 |
           static_cast<std::uint32_t>(Quad.rgbGreen) << 8 | Quad.rgbBlue;
}

// ---- Colour arithmetic ----

std::uint8_t cxByteClamp(int I);
TColor cxGetNearestColor(TColor Color);
// Button face, highlight and window mixed by per-cent weights (may be negative) channel by
// channel; the highlight colour on a black or white button face.
TColor cxGetLightColor(std::int8_t BtnFacePart, std::int8_t HighlightPart, std::int8_t WindowPart);
// The faces of pressed and hot buttons.
TColor cxGetPressedLightColor();
TColor cxGetHotLightColor();
// The colour (system colours resolved) as a pixel with Alpha in the top byte.
TRGBQuad cxColorToRGBQuad(TColor Color, std::uint8_t Alpha = 0);
// Color over Pixel at Alpha (0..255) scaled by Color's own alpha; halves round to even.
void cxBlendPixel(const TRGBQuad& Color, TRGBQuad& Pixel, std::uint8_t Alpha);

// ---- Pixel access and copying ----

// Width x Height pixels of the bitmap, top row first when TopDown.
void cxGetBitmapPixels(HBITMAP Bitmap, bool TopDown, TRGBQuads& Pixels);
// Writes them back and empties the array.
void cxSetBitmapPixels(HBITMAP Bitmap, TRGBQuads& Pixels, bool TopDown);
void cxGetBitmapPixels(const TcxCustomBitmap& Bitmap, bool TopDown, TRGBQuads& Pixels);
// The bitmap is told of the change.
void cxSetBitmapPixels(TcxCustomBitmap& Bitmap, TRGBQuads& Pixels, bool TopDown);
void cxBitBlt(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TPoint& SourcePoint,
              platform::gdi::DWORD ROP);
// Our surfaces have no palettes: the bitmap is copied as it is.
void cxBitBltWithPalette(HDC DestDC, HBITMAP Bitmap, const TRect& DestRect,
                         const TPoint& SourcePoint, platform::gdi::DWORD ROP);

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
// 1, 4, 8, 16, 16, 24, 32; the display's bits per pixel for the others.
int cxGetBitmapBitCount(TPixelFormat PixelFormat);
// A new bitmap (monochrome for pf1bit, else our 32-bit surface); the caller deletes it.
HBITMAP cxCreateBitmap(int Width, int Height, TPixelFormat PixelFormat = pf32bit);
HBITMAP cxCreateBitmap(const TRect& R, TPixelFormat PixelFormat = pf32bit);

// ---- Blending and resampling ----

// False when AlphaBlend is not bound; else AlphaBlend with per-pixel alpha at ConstantAlpha.
bool cxAlphaBlendCall(HDC DestDC, const TRect& DestRect, HDC SourceDC, const TRect& SourceRect,
                      std::uint8_t ConstantAlpha = 255);
// SourceRect blended over DestRect; Smooth resamples a source of another size, else it is
// stretched.
void cxBlendRect(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect,
                 bool Smooth = false, std::uint8_t ConstantAlpha = 255);
void cxBlendBitmaps(HBITMAP Dest, HBITMAP Source, const TRect& DestRect, const TRect& SourceRect,
                    bool Smooth = false, std::uint8_t ConstantAlpha = 255);
void cxBlendBitmaps(TcxCustomBitmap& Dest, const TcxCustomBitmap& Source, const TRect& DestRect,
                    const TRect& SourceRect, bool Smooth = false, std::uint8_t ConstantAlpha = 255);
// Source resized into the whole of Dest: the platform's halftone stretch, or two Lanczos-3
// passes when ForceOwnFilter. Nothing when a size is 0.
void cxResampleBitmap(HBITMAP Source, HBITMAP Dest, bool ForceOwnFilter = false);
void cxResampleBitmap(const TcxCustomBitmap& Source, TcxCustomBitmap& Dest,
                      bool ForceOwnFilter = false);
double cxSinc(double X);
double cxLanczos3(double X);

// ---- The parent under a transparent control ----

// The visual style's parent background when the parent is not double-buffered, else (or when
// that fails) cxPaintParentBackground.
void cxDrawTransparentControlBackground(platform::forms::TControl* Control, HDC DC, const TRect& R);
// Paints the parent, and with WithSiblings the windowed siblings beneath the control, into DC
// where the control's R lies (R in the control's coordinates, as DC has them).
void cxPaintParentBackground(platform::forms::TControl* Control, HDC DC, const TRect& R,
                             bool WithSiblings = false);

// ---- Other routines ----

// The current cursor's size: the width of its mask, and the height of what it shows below its
// hot spot (its lowest shown row, counted from the top, less the hot spot's y). A cursor whose
// AND mask hides nothing is measured in its XOR mask. The system cursor size when the cursor's
// image cannot be read or its mask is not monochrome.
platform::gdi::TSize cxGetCursorSize();
// Text in the double-byte character sets 134, 136 or 178 that does not start with ASCII.
bool cxIsSpecialCharsetText(int Charset, std::string_view Text);

// ---- Shared objects ----

// GetSysColorBrush (0) to (30).
HBRUSH cxSystemBrush(int Index);
inline constexpr int cxSystemBrushCount = 31;
// An 8 x 8 pattern brush of alternating pixels (rows 0xAA, 0x55).
HBRUSH cxHalftoneBrush();

struct TcxColorInfo {
    std::string_view Name;
    TColor Color;
};
// 140 web colours from "aliceblue" to "yellowgreen", then 29 system colour names.
inline constexpr int cxColorNameCount = 169;
const TcxColorInfo& cxColorName(int Index);

} // namespace toolkit::base
