#pragma once
// A pixel surface in the platform's device-independent layout: rows padded to four bytes, blue
// first, bottom-up or top-down; 1 bit (0 black, 1 white), 24 bits or 32 bits (with an alpha
// byte) per pixel. Bitmaps, DIB sections and window back buffers are surfaces; every drawing
// call ends in Pixel and SetPixel here.

#include <cstdint>
#include <string>
#include <vector>

class QImage;

namespace platform::gdi {

// A pixel as the surface holds it: 0xAARRGGBB, i.e. the bytes blue, green, red, alpha in memory.
using Pixel32 = std::uint32_t;

constexpr Pixel32 ColorToPixel(std::uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}
constexpr std::uint32_t PixelToColor(Pixel32 pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

class Surface {
public:
    // bitsPerPixel is 1, 24 or 32; anything else is taken as 32.
    Surface(int width, int height, int bitsPerPixel, bool bottomUp = false);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bpp_; }
    bool BottomUp() const { return bottomUp_; }
    int Stride() const { return stride_; }
    std::uint8_t* Bits() { return bytes_.data(); }
    const std::uint8_t* Bits() const { return bytes_.data(); }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // 0xFFFFFF or 0 on a monochrome surface, alpha 0 on a 24-bit one.
    Pixel32 Pixel(int x, int y) const;
    // A monochrome surface takes white for a light colour and black for a dark one; a 24-bit
    // surface drops the alpha byte. Points outside the surface are ignored.
    void SetPixel(int x, int y, Pixel32 value);
    void Fill(Pixel32 value);

    QImage ToImage() const;
    // For people and for tests that compare images; false when the file cannot be written.
    bool SavePng(const std::string& path) const;
    // An opaque 24-bit BMP, as pictures the program reads from its folder are kept; false when
    // the file cannot be written.
    bool SaveBmp(const std::string& path) const;

private:
    std::uint8_t* Row(int y) {
        return bytes_.data() + static_cast<std::size_t>(RowIndex(y)) * stride_;
    }
    const std::uint8_t* Row(int y) const {
        return bytes_.data() + static_cast<std::size_t>(RowIndex(y)) * stride_;
    }
    int RowIndex(int y) const { return bottomUp_ ? height_ - 1 - y : y; }

    int width_;
    int height_;
    int bpp_;
    bool bottomUp_;
    int stride_;
    std::vector<std::uint8_t> bytes_;
};

// Black or white for a colour drawn on a monochrome surface: whichever is nearer.
bool IsLightPixel(Pixel32 value);

// Sets pixel x of a row in the layout of a surface of that depth, as SetPixel does: for rows
// that lie in a caller's buffer rather than in a surface.
void WritePixel(std::uint8_t* row, int x, int bitsPerPixel, Pixel32 value);

} // namespace platform::gdi
