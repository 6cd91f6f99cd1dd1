#pragma once
// The toolkit's bitmaps: a device-independent bitmap with a toolkit canvas of its own, change
// notification that can be held back, rotation and a compressed stream form (TcxCustomBitmap);
// and the 32-bit bitmap with transparent colours and per-pixel filters that image painting
// works on (TcxBitmap). Pixels are 0xAARRGGBB values (blue first in memory).

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_graphics.h"

#include "platform/gdi/blit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace toolkit::base {

using platform::gdi::DWORD;
using Pixel32 = std::uint32_t;

// Quarter turns and mirrors (see Rotate).
enum TcxBitmapRotation { brNone, bra90, brs90, bra180 };

class TcxCustomBitmap {
public:
    TcxCustomBitmap();
    // Kept as 1, 24 or 32 bits: pf1bit, pf24bit, and every other format as pf32bit.
    TcxCustomBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat = pf24bit);
    explicit TcxCustomBitmap(const TRect& R);
    virtual ~TcxCustomBitmap();
    TcxCustomBitmap(const TcxCustomBitmap&) = delete;
    TcxCustomBitmap& operator=(const TcxCustomBitmap&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    virtual void SetSize(int AWidth, int AHeight);
    TRect GetClientRect() const { return {0, 0, FWidth, FHeight}; }
    HBITMAP Handle() const { return FBitmap; }
    TCanvas& Canvas() { return FCanvas; }
    TcxCanvas& cxCanvas() { return *FcxCanvas; }
    // Stored images give their handle back between uses; ours costs nothing to keep.
    void Dormant() {}

    void BeginUpdate() { ++FChangeLockCount; }
    void EndUpdate(bool Force = true);
    virtual void Changed();
    virtual void Clear();
    // The same size, format and pixels as Source.
    void Assign(const TcxCustomBitmap& Source);
    void CopyBitmap(TcxCustomBitmap& Source, DWORD ROP = platform::gdi::SRCCOPY);
    // Mode brNone mirrors top to bottom with Flip and does nothing without; bra90 turns a quarter
    // counter-clockwise (with Flip: transposes); brs90 a quarter clockwise (with Flip: then
    // mirrors top to bottom); bra180 a half turn (with Flip: a left-to-right mirror only).
    void Rotate(TcxBitmapRotation Mode, bool Flip = false);

    // Pixels top-down, row by row; alpha 0 in a 24-bit bitmap, 0 or 0xFFFFFF in a monochrome one.
    std::vector<Pixel32> GetPixels() const;
    void SetPixels(const std::vector<Pixel32>& Pixels);

    // The stream form: with CompressData the compressed stream, else the plain form (u32 length
    // and the bitmap file image). ReadData raises platform::core::Exception on data that does not
    // hold a bitmap, and reads nothing past Data.
    bool CompressData = false;
    void WriteData(std::vector<std::uint8_t>& Stream) const;
    // Returns the number of bytes read.
    std::size_t ReadData(std::span<const std::uint8_t> Data);

    std::function<void()> OnChange;

protected:
    virtual void Update() {}

private:
    void Recreate(int AWidth, int AHeight, TPixelFormat Format);
    HBITMAP FBitmap{};
    HDC FDC{};
    platform::gdi::HGDIOBJ FOld{};
    TCanvas FCanvas;
    std::unique_ptr<TcxCanvas> FcxCanvas;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pf24bit;
    int FChangeLockCount = 0;
    bool FChangedWhileLocked = false;
};

enum TcxBitmapFilter {
    bfDingy,
    bfDisabled,
    bfGrayAverage,
    bfOpaque,
    bfMask,
    bfFadeGray,
    bfDisabledGray,
    bfOpaqueNonTransparent,
    bfFill,
    bfClearAlpha
};

class TcxBitmap : public TcxCustomBitmap {
public:
    TcxBitmap() : TcxBitmap(0, 0) {}
    // Always 32 bits; cleared (see Clear).
    TcxBitmap(int AWidth, int AHeight, Pixel32 ATransparentBkColor = 0);
    explicit TcxBitmap(const TRect& R) : TcxBitmap(R.Width(), R.Height()) {}

    // Resizing clears.
    void SetSize(int AWidth, int AHeight) override;
    // Every pixel TransparentBkColor when its alpha is not 0, else black.
    void Clear() override;

    Pixel32 TransparentBkColor = 0;
    // 24-bit pixel values that filters leave alone.
    std::vector<Pixel32> TransparentColors;
    void AddTransparentColor(TColor Color);
    bool IsTransparentPixel(Pixel32 Pixel) const;

    void ApplyFilter(TcxBitmapFilter Filter);
    bool HasAlpha() const;
    // A copy of the shape of Mask (black where the image is) in ShadowColor, Offset pixels down
    // and right, under the image; with Grow the image grows by Offset to hold it.
    void DrawShadow(TcxBitmap& Mask, int Offset, TColor ShadowColor, bool Grow = false);
};

// Work bitmaps of image painting, reused: cleared, with no transparent colours, at the size.
TcxBitmap& cxSharedBitmap(int Index, int AWidth, int AHeight);

} // namespace toolkit::base
