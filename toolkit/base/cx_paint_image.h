#pragma once
// Drawing a glyph or an image of an image list in one of six looks, with real alpha: the
// background is taken from the context (or a brush), the image blended over it in a work
// bitmap, and the result copied back, so that a glyph never shows its transparent colour.

#include "toolkit/base/cx_bitmap.h"

#include <functional>

namespace toolkit::base {

class TcxImageList;

enum TcxImageDrawMode : std::uint8_t {
    idmNormal,
    idmDisabled,
    idmFaded,
    idmGrayScale,
    idmDingy,
    idmShadowed
};

// Brush 0 copies the background from the context. Nothing is drawn, not even the background,
// when there is no glyph (or an empty one) and ImageIndex is not an image of Images.
void cxPaintImage(HDC DC, const TRect& GlyphRect, const TRect& BackgroundRect,
                  TcxCustomBitmap* Glyph, const TcxImageList* Images, int ImageIndex,
                  TcxImageDrawMode DrawMode, bool Smooth = false,
                  platform::gdi::HBRUSH Brush = platform::gdi::HBRUSH{},
                  TColor TransparentColor = platform::gdi::clNone,
                  bool UseGlyphTransparentColor = true);

// Offered every call first; true means it has drawn. Unset in this system.
using TcxPaintImageHook = std::function<bool(HDC, const TRect&, const TRect&, TcxCustomBitmap*,
                                             const TcxImageList*, int, TcxImageDrawMode)>;
extern TcxPaintImageHook cxPaintImageHook;

} // namespace toolkit::base
