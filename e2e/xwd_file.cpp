#include "e2e/xwd_file.h"

#include <array>
#include <bit>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace e2e {

namespace {

// The fields of the header, in file order; each a 32-bit big-endian word.
enum Field {
    HeaderSize,
    FileVersion,
    PixmapFormat,
    PixmapDepth,
    PixmapWidth,
    PixmapHeight,
    XOffset,
    ByteOrder,
    BitmapUnit,
    BitmapBitOrder,
    BitmapPad,
    BitsPerPixel,
    BytesPerLine,
    VisualClass,
    RedMask,
    GreenMask,
    BlueMask,
    BitsPerRgb,
    ColormapEntries,
    ColorCount,
    FieldCount = 25
};
constexpr std::uint32_t ZPixmap = 2;
constexpr std::uint32_t TrueColor = 4;
constexpr std::uint32_t LsbFirst = 0;
constexpr std::size_t ColorEntrySize = 12;

std::uint32_t BigEndian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// The 8-bit channel of a pixel under a mask of eight contiguous bits.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    return ((pixel & mask) >> std::countr_zero(mask)) & 0xFF;
}

} // namespace

std::optional<platform::gdi::Surface> ReadXwdFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    if (bytes.size() < FieldCount * 4) return std::nullopt;
    std::array<std::uint32_t, FieldCount> h{};
    for (std::size_t i = 0; i < h.size(); ++i)
        h[i] = BigEndian(bytes.data() + 4 * i);
    const std::uint32_t bpp = h[BitsPerPixel];
    if (h[FileVersion] != 7 || h[PixmapFormat] != ZPixmap || h[VisualClass] != TrueColor ||
        (bpp != 24 && bpp != 32) || h[PixmapWidth] == 0 || h[PixmapHeight] == 0 ||
        h[PixmapWidth] > 16384 || h[PixmapHeight] > 16384)
        return std::nullopt;
    const std::size_t width = h[PixmapWidth];
    const std::size_t height = h[PixmapHeight];
    const std::size_t stride = h[BytesPerLine];
    const std::size_t start = std::size_t{h[HeaderSize]} + h[ColorCount] * ColorEntrySize;
    const std::size_t bytesPerPixel = bpp / 8;
    if (stride < width * bytesPerPixel || start + stride * height > bytes.size())
        return std::nullopt;

    platform::gdi::Surface surface(static_cast<int>(width), static_cast<int>(height), 32);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* row = bytes.data() + start + y * stride;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t* p = row + x * bytesPerPixel;
            std::uint32_t pixel = 0;
            for (std::size_t b = 0; b < bytesPerPixel; ++b) {
                const std::size_t shift = h[ByteOrder] == LsbFirst ? b : bytesPerPixel - 1 - b;
                pixel |= std::uint32_t{p[b]} << (8 * shift);
            }
            const std::uint32_t rgb = (Channel(pixel, h[RedMask]) << 16) |
                                      (Channel(pixel, h[GreenMask]) << 8) |
                                      Channel(pixel, h[BlueMask]);
            surface.SetPixel(static_cast<int>(x), static_cast<int>(y), 0xFF000000u | rgb);
        }
    }
    return surface;
}

} // namespace e2e
