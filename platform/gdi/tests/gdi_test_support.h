#pragma once
// A small 32-bit surface with a memory context over it, for pixel checks.

#include "platform/gdi/device_context.h"
#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

namespace platform::gdi::testing {

class Canvas32 {
public:
    Canvas32(int width, int height, int bitsPerPixel = 32) {
        bitmap_ = CreateBitmap(width, height, 1, static_cast<UINT>(bitsPerPixel), nullptr);
        dc_ = CreateCompatibleDC(NullDC);
        SelectObject(dc_, bitmap_);
        Surf().Fill(0xFFFFFF);
    }
    ~Canvas32() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas32(const Canvas32&) = delete;
    Canvas32& operator=(const Canvas32&) = delete;

    HDC DC() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    Surface& Surf() const { return *BitmapSurface(bitmap_); }
    // The pixel as a colour value, alpha dropped.
    COLORREF At(int x, int y) const { return PixelToColor(Surf().Pixel(x, y) & 0xFFFFFF); }
    // One character per pixel: '#' for the colour, '.' for anything else; rows joined by '|'.
    std::string Picture(COLORREF color) const {
        std::string out;
        for (int y = 0; y < Surf().Height(); ++y) {
            if (y) out += '|';
            for (int x = 0; x < Surf().Width(); ++x)
                out += At(x, y) == color ? '#' : '.';
        }
        return out;
    }

private:
    HBITMAP bitmap_{};
    HDC dc_{};
};

} // namespace platform::gdi::testing
