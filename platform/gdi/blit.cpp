#include "platform/gdi/blit.h"

#include "platform/gdi/call_trace.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/surface.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace platform::gdi {

std::uint32_t ApplyRop3(std::uint8_t index, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t dest) {
    std::uint32_t result = 0;
    for (int term = 0; term < 8; ++term) {
        if (!(index & (1u << term))) continue;
        result |= ((term & 4) ? pattern : ~pattern) & ((term & 2) ? source : ~source) &
                  ((term & 1) ? dest : ~dest);
    }
    return result;
}

namespace {

bool UsesSource(std::uint8_t index) {
    return (((index >> 2) ^ index) & 0x33) != 0;
}
bool UsesPattern(std::uint8_t index) {
    return (((index >> 4) ^ index) & 0x0F) != 0;
}

std::uint32_t Average(const std::vector<std::uint32_t>& pixels) {
    std::uint32_t sums[4] = {};
    for (std::uint32_t p : pixels)
        for (int c = 0; c < 4; ++c)
            sums[c] += (p >> (8 * c)) & 0xFF;
    std::uint32_t n = static_cast<std::uint32_t>(pixels.size()), out = 0;
    for (int c = 0; c < 4; ++c)
        out |= ((sums[c] + n / 2) / n) << (8 * c);
    return out;
}

struct SourceView {
    const DeviceContext* context = nullptr;
    const Surface* surface = nullptr;
    TPoint origin; // device position of the source rectangle's top-left
    int width = 0, height = 0;
};

// The source pixel in the destination's terms; nothing outside the source surface.
std::optional<std::uint32_t> SourcePixel(const SourceView& source, const DeviceContext& dest,
                                         const Surface& destSurface, int x, int y) {
    int sx = source.origin.X + x, sy = source.origin.Y + y;
    if (!source.surface->Contains(sx, sy)) return std::nullopt;
    std::uint32_t p = source.surface->Pixel(sx, sy);
    bool sourceMono = source.surface->BitsPerPixel() == 1;
    bool destMono = destSurface.BitsPerPixel() == 1;
    if (sourceMono && !destMono) return ColorToPixel(p ? dest.state.bkColor : dest.state.textColor);
    if (!sourceMono && destMono)
        return (p & 0xFFFFFF) == ColorToPixel(source.context->state.bkColor) ? 0xFFFFFFu : 0u;
    return p;
}

BOOL Transfer(DeviceContext& dest, int x, int y, int width, int height, DeviceContext* source,
              int xSource, int ySource, int widthSource, int heightSource, DWORD rop,
              bool stretch) {
    auto index = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    Surface* target = dest.Target();
    if (!target) return 0;
    SourceView view;
    if (UsesSource(index)) {
        if (!source || !source->Target()) return 0;
        view.context = source;
        view.surface = source->Target();
    }
    bool flipX = (width < 0) != (widthSource < 0), flipY = (height < 0) != (heightSource < 0);
    // A negative size runs from the given point backwards, the point itself included.
    auto start = [](int at, int size) { return size < 0 ? at + size + 1 : at; };
    TPoint d0 = dest.ToDevice(start(x, width), start(y, height));
    int w = std::abs(width), h = std::abs(height);
    int sw = std::abs(widthSource), sh = std::abs(heightSource);
    if (w == 0 || h == 0 || (view.surface && (sw == 0 || sh == 0))) return 1;
    if (view.surface)
        view.origin = source->ToDevice(start(xSource, widthSource), start(ySource, heightSource));

    // Snapshot the source first: it may be the destination itself.
    std::vector<std::optional<std::uint32_t>> sourcePixels;
    if (view.surface) {
        sourcePixels.resize(static_cast<std::size_t>(sw) * sh);
        for (int j = 0; j < sh; ++j)
            for (int i = 0; i < sw; ++i)
                sourcePixels[static_cast<std::size_t>(j) * sw + i] =
                    SourcePixel(view, dest, *target, i, j);
    }
    bool halftone = stretch && dest.state.stretchMode == HALFTONE;
    auto sample = [&](int i, int j) -> std::optional<std::uint32_t> {
        if (!view.surface) return 0u;
        int ii = flipX ? w - 1 - i : i, jj = flipY ? h - 1 - j : j;
        if (!stretch) return sourcePixels[static_cast<std::size_t>(jj) * sw + ii];
        if (!halftone) {
            // Shrinking in the black-on-white and white-on-black modes keeps what would be lost
            // by ANDing or ORing the pixels that fall together; otherwise the nearest pixel.
            int mode = dest.state.stretchMode;
            bool combine = (mode == BLACKONWHITE || mode == WHITEONBLACK) && (sw > w || sh > h);
            auto span = [&](int k, int n, int sn, int sourceSize) {
                // A destination one pixel across takes the source pixel at the source's origin
                // where nothing is combined; the combining modes fold into it the run from that
                // pixel on, all but the run's last pixel.
                if (n == 1) {
                    const int folded = combine ? std::max(sn - 1, 1) : 1;
                    const int s = sourceSize < 0 ? sn - folded : 0;
                    return std::pair{s, s + folded};
                }
                if (sn <= n || !combine) {
                    int s = static_cast<int>((2LL * k + 1) * sn / (2LL * n));
                    return std::pair{s, s + 1};
                }
                int lo = static_cast<int>(static_cast<long long>(k) * sn / n);
                return std::pair{
                    lo, std::max(lo + 1, static_cast<int>(static_cast<long long>(k + 1) * sn / n))};
            };
            auto [x0, x1] = span(ii, w, sw, widthSource);
            auto [y0, y1] = span(jj, h, sh, heightSource);
            std::optional<std::uint32_t> result;
            for (int sj = y0; sj < y1; ++sj)
                for (int si = x0; si < x1; ++si) {
                    auto p = sourcePixels[static_cast<std::size_t>(sj) * sw + si];
                    if (!p) continue;
                    if (!result)
                        result = *p;
                    else
                        result = mode == BLACKONWHITE ? (*result & *p) : (*result | *p);
                }
            return result;
        }
        int x0 = static_cast<int>(static_cast<long long>(ii) * sw / w);
        int x1 =
            std::max(x0 + 1, static_cast<int>((static_cast<long long>(ii + 1) * sw + w - 1) / w));
        int y0 = static_cast<int>(static_cast<long long>(jj) * sh / h);
        int y1 =
            std::max(y0 + 1, static_cast<int>((static_cast<long long>(jj + 1) * sh + h - 1) / h));
        std::vector<std::uint32_t> pixels;
        for (int sj = y0; sj < std::min(y1, sh); ++sj)
            for (int si = x0; si < std::min(x1, sw); ++si)
                if (auto p = sourcePixels[static_cast<std::size_t>(sj) * sw + si])
                    pixels.push_back(*p);
        if (pixels.empty()) return std::nullopt;
        return Average(pixels);
    };

    Region drawable = dest.DrawableArea();
    bool pattern = UsesPattern(index);
    const BrushData& brush = dest.Brush();
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int dx = d0.X + i, dy = d0.Y + j;
            if (!drawable.Contains(dx, dy)) continue;
            auto s = sample(i, j);
            if (!s) continue;
            std::uint32_t p = 0;
            if (pattern && brush.style != BS_NULL) p = dest.TargetBrushPixel(brush, dx, dy);
            target->SetPixel(dx, dy, ApplyRop3(index, p, *s, target->Pixel(dx, dy)));
        }
    return 1;
}

} // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
            DWORD rop) {
    CallRecord record(dest, "BitBlt", x, y, width, height, xSource, ySource, Hex{rop});
    DeviceContext* d = LookupDC(dest);
    if (!d) return 0;
    return Transfer(*d, x, y, width, height, LookupDC(source), xSource, ySource, width, height, rop,
                    false);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int widthSource, int heightSource, DWORD rop) {
    CallRecord record(dest, "StretchBlt", x, y, width, height, xSource, ySource, widthSource,
                      heightSource, Hex{rop});
    DeviceContext* d = LookupDC(dest);
    if (!d) return 0;
    return Transfer(*d, x, y, width, height, LookupDC(source), xSource, ySource, widthSource,
                    heightSource, rop, true);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    CallRecord record(dc, "PatBlt", x, y, width, height, Hex{rop});
    DeviceContext* d = LookupDC(dc);
    auto index = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    if (!d || UsesSource(index)) return 0;
    // The rectangle is normalised as a rectangle's corners are: a negative extent covers
    // (x + width, ..., x - 1), the given point's own column or row left out.
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    return Transfer(*d, x, y, width, height, nullptr, 0, 0, width, height, rop, false);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DeviceContext* context = LookupDC(dc);
    if (!context || width < 0 || height < 0) return NullObject;
    Surface* target = context->Target();
    int bpp = context->memory && target ? target->BitsPerPixel() : 32;
    return CreateBitmap(width, height, 1, static_cast<UINT>(bpp), nullptr);
}

namespace {

int SupportedDepth(const BITMAPINFOHEADER& header) {
    int bpp = header.biBitCount;
    return (bpp == 1 || bpp == 24 || bpp == 32) && header.biCompression == BI_RGB ? bpp : 0;
}

int RowBytes(int width, int bpp) {
    return ((width * bpp + 31) / 32) * 4;
}

std::uint32_t ReadPacked(const std::uint8_t* row, int x, int bpp, const RGBQUAD* colors) {
    switch (bpp) {
    case 1: {
        const RGBQUAD& c = colors[(row[x >> 3] >> (7 - (x & 7))) & 1];
        return static_cast<std::uint32_t>(c.rgbBlue | (c.rgbGreen << 8) | (c.rgbRed << 16));
    }
    case 24: {
        const std::uint8_t* p = row + x * 3;
        return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    }
    default: {
        std::uint32_t v;
        std::memcpy(&v, row + x * 4, 4);
        return v;
    }
    }
}

} // namespace

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, void*, DWORD) {
    if (!info) return NullObject;
    const auto& header = info->bmiHeader;
    int bpp = SupportedDepth(header);
    if (!bpp || header.biWidth < 0 || header.biHeight == 0) return NullObject;
    auto surface = std::make_shared<Surface>(header.biWidth, std::abs(header.biHeight), bpp,
                                             header.biHeight > 0);
    if (bits) *bits = surface->Bits();
    BitmapData data = MakeBitmap(std::move(surface));
    data.section = true;
    return RegisterObject(std::make_shared<GdiObjectData>(GdiObjectData{std::move(data)}));
}

int GetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT scanCount, void* bits, BITMAPINFO* info,
              UINT) {
    Surface* surface = BitmapSurface(bitmap);
    if (!surface || !info) return 0;
    auto& header = info->bmiHeader;
    if (!bits) {
        header.biWidth = surface->Width();
        header.biHeight = surface->Height();
        header.biPlanes = 1;
        if (header.biBitCount == 0)
            header.biBitCount = static_cast<std::uint16_t>(surface->BitsPerPixel());
        header.biCompression = BI_RGB;
        header.biSizeImage =
            static_cast<DWORD>(RowBytes(surface->Width(), header.biBitCount) * surface->Height());
        return 1;
    }
    int bpp = SupportedDepth(header);
    if (!bpp || header.biWidth != surface->Width() ||
        std::abs(header.biHeight) != surface->Height())
        return 0;
    if (bpp == 1) {
        info->bmiColors[0] = {0, 0, 0, 0};
        info->bmiColors[1] = {255, 255, 255, 0};
    }
    bool bottomUp = header.biHeight > 0;
    int height = surface->Height(), stride = RowBytes(surface->Width(), bpp);
    auto* out = static_cast<std::uint8_t*>(bits);
    int copied = 0;
    for (UINT s = startScan; s < startScan + scanCount && static_cast<int>(s) < height; ++s) {
        int y = bottomUp ? height - 1 - static_cast<int>(s) : static_cast<int>(s);
        std::uint8_t* row = out + static_cast<std::size_t>(s - startScan) * stride;
        for (int x = 0; x < surface->Width(); ++x)
            WritePixel(row, x, bpp, surface->Pixel(x, y));
        ++copied;
    }
    return copied;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT scanCount, const void* bits,
              const BITMAPINFO* info, UINT) {
    Surface* surface = BitmapSurface(bitmap);
    if (!surface || !info || !bits) return 0;
    const auto& header = info->bmiHeader;
    int bpp = SupportedDepth(header);
    if (!bpp || header.biWidth <= 0 || header.biHeight == 0) return 0;
    bool bottomUp = header.biHeight > 0;
    int height = std::abs(header.biHeight), stride = RowBytes(header.biWidth, bpp);
    const auto* in = static_cast<const std::uint8_t*>(bits);
    int copied = 0;
    for (UINT s = startScan; s < startScan + scanCount && static_cast<int>(s) < height; ++s) {
        int y = bottomUp ? height - 1 - static_cast<int>(s) : static_cast<int>(s);
        const std::uint8_t* row = in + static_cast<std::size_t>(s - startScan) * stride;
        for (int x = 0; x < std::min(header.biWidth, surface->Width()); ++x)
            surface->SetPixel(x, y, ReadPacked(row, x, bpp, info->bmiColors));
        ++copied;
    }
    return copied;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSource, int ySource,
                  int widthSource, int heightSource, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD rop) {
    if (!info || !bits || !SupportedDepth(info->bmiHeader)) return 0;
    const auto& header = info->bmiHeader;
    HBITMAP temp = CreateBitmap(header.biWidth, std::abs(header.biHeight), 1,
                                info->bmiHeader.biBitCount == 1 ? 32 : header.biBitCount, nullptr);
    SetDIBits(dc, temp, 0, static_cast<UINT>(std::abs(header.biHeight)), bits, info, usage);
    HDC source = CreateCompatibleDC(dc);
    SelectObject(source, temp);
    // Source coordinates of a bottom-up image count from its bottom row.
    int top = header.biHeight > 0 ? header.biHeight - ySource - heightSource : ySource;
    BOOL done =
        StretchBlt(dc, x, y, width, height, source, xSource, top, widthSource, heightSource, rop);
    DeleteDC(source);
    DeleteObject(temp);
    return done ? std::abs(heightSource) : 0;
}

} // namespace platform::gdi
