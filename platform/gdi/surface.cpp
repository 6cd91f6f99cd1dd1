#include "platform/gdi/surface.h"

#include <QImage>
#include <QString>
#include <algorithm>

namespace platform::gdi {

Surface::Surface(int width, int height, int bitsPerPixel, bool bottomUp)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      bpp_(bitsPerPixel == 1 || bitsPerPixel == 24 ? bitsPerPixel : 32), bottomUp_(bottomUp),
      stride_(((width_ * bpp_ + 31) / 32) * 4),
      bytes_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0) {}

bool IsLightPixel(Pixel32 value) {
    // Nearer to white than to black: the channel sum past half of 3 x 255 (the same split by
    // the sum of the channel distances as by the sum of their squares).
    int r = (value >> 16) & 0xFF, g = (value >> 8) & 0xFF, b = value & 0xFF;
    return 2 * (r + g + b) > 3 * 255;
}

Pixel32 Surface::Pixel(int x, int y) const {
    if (!Contains(x, y)) return 0;
    const std::uint8_t* row = Row(y);
    switch (bpp_) {
    case 1:
        return (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0;
    case 24: {
        const std::uint8_t* p = row + x * 3;
        return static_cast<Pixel32>(p[0] | (p[1] << 8) | (p[2] << 16));
    }
    default: {
        const std::uint8_t* p = row + x * 4;
        return static_cast<Pixel32>(p[0] | (p[1] << 8) | (p[2] << 16)) |
               (static_cast<Pixel32>(p[3]) << 24);
    }
    }
}

void Surface::SetPixel(int x, int y, Pixel32 value) {
    if (Contains(x, y)) WritePixel(Row(y), x, bpp_, value);
}

void WritePixel(std::uint8_t* row, int x, int bitsPerPixel, Pixel32 value) {
    switch (bitsPerPixel) {
    case 1:
        if (IsLightPixel(value))
            row[x >> 3] = static_cast<std::uint8_t>(row[x >> 3] | (0x80 >> (x & 7)));
        else
            row[x >> 3] = static_cast<std::uint8_t>(row[x >> 3] & ~(0x80 >> (x & 7)));
        break;
    case 24: {
        std::uint8_t* p = row + x * 3;
        p[0] = static_cast<std::uint8_t>(value);
        p[1] = static_cast<std::uint8_t>(value >> 8);
        p[2] = static_cast<std::uint8_t>(value >> 16);
        break;
    }
    default: {
        std::uint8_t* p = row + x * 4;
        p[0] = static_cast<std::uint8_t>(value);
        p[1] = static_cast<std::uint8_t>(value >> 8);
        p[2] = static_cast<std::uint8_t>(value >> 16);
        p[3] = static_cast<std::uint8_t>(value >> 24);
        break;
    }
    }
}

void Surface::Fill(Pixel32 value) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            SetPixel(x, y, value);
}

QImage Surface::ToImage() const {
    // Alpha is shown as it is only when the surface carries any; drawing leaves it 0, which
    // would otherwise save as an invisible picture.
    bool hasAlpha = false;
    if (bpp_ == 32)
        for (int y = 0; y < height_ && !hasAlpha; ++y)
            for (int x = 0; x < width_ && !hasAlpha; ++x)
                hasAlpha = (Pixel(x, y) >> 24) != 0;
    QImage image(width_, height_, hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x)
            line[x] = hasAlpha ? Pixel(x, y) : (Pixel(x, y) | 0xFF000000u);
    }
    return image;
}

bool Surface::SavePng(const std::string& path) const {
    return ToImage().save(QString::fromStdString(path), "PNG");
}

bool Surface::SaveBmp(const std::string& path) const {
    return ToImage()
        .convertToFormat(QImage::Format_RGB888)
        .save(QString::fromStdString(path), "BMP");
}

} // namespace platform::gdi
