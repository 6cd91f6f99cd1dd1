#include "platform/forms/graphics.h"

#include "platform/core/exception.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"
#include "platform/win/load_image.h"

#include <array>
#include <cstdint>
#include <vector>

namespace platform::forms {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Larger pictures are no glyph or picture of ours: refused before anything is allocated.
constexpr std::int64_t kMaxStreamedPixels = 16 * 1024 * 1024;

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value);
    Put16(out, at + 2, value >> 16);
}

std::uint32_t Get16(const std::uint8_t* in) {
    return static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8);
}

std::uint32_t Get32(const std::uint8_t* in) {
    return Get16(in) | (Get16(in + 2) << 16);
}

[[noreturn]] void NotABitmap() {
    throw core::Exception("Bitmap image is not valid");
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    Release();
}

void TBitmap::Release() {
    canvas_.SetHandle(gdi::NullDC);
    if (dc_ != gdi::NullDC) {
        gdi::SelectObject(dc_, old_);
        gdi::DeleteDC(dc_);
        dc_ = gdi::NullDC;
    }
    if (bitmap_ != gdi::HBITMAP{}) gdi::DeleteObject(bitmap_);
    bitmap_ = {};
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_) return;
    gdi::BITMAPINFO info;
    info.bmiHeader.biWidth = std::max(1, width);
    info.bmiHeader.biHeight = -std::max(1, height);
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    gdi::HBITMAP next = gdi::CreateDIBSection(gdi::NullDC, &info, gdi::DIB_RGB_COLORS, &bits);
    gdi::HDC dc = gdi::CreateCompatibleDC(gdi::NullDC);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, next);
    gdi::PatBlt(dc, 0, 0, std::max(1, width), std::max(1, height), gdi::WHITENESS);
    if (bitmap_ != gdi::HBITMAP{})
        gdi::BitBlt(dc, 0, 0, std::min(width, width_), std::min(height, height_), dc_, 0, 0,
                    gdi::SRCCOPY);
    Release();
    bitmap_ = next;
    dc_ = dc;
    old_ = old;
    width_ = width;
    height_ = height;
    canvas_.SetHandle(dc_);
    canvas_.Refresh();
    if (OnChange) OnChange();
}

gdi::TCanvas& TBitmap::Canvas() {
    if (bitmap_ == gdi::HBITMAP{}) SetSize(std::max(1, width_), std::max(1, height_));
    return canvas_;
}

void TBitmap::LoadFromFile(const std::string& path) {
    gdi::HBITMAP image = win::LoadImage(path, win::IMAGE_BITMAP, 0, 0, win::LR_LOADFROMFILE);
    if (image == gdi::HBITMAP{}) throw core::Exception("Bitmap image is not valid");
    const gdi::Surface& pixels = *gdi::BitmapSurface(image);
    Release();
    width_ = height_ = 0;
    SetSize(pixels.Width(), pixels.Height());
    gdi::Surface* surface = gdi::BitmapSurface(bitmap_);
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            surface->SetPixel(x, y, pixels.Pixel(x, y));
    gdi::DeleteObject(image);
    if (OnChange) OnChange();
}

void TBitmap::SaveToStream(core::TStream& stream) const {
    const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t{3};
    const std::size_t imageSize = stride * static_cast<std::size_t>(height_);
    const std::size_t headers = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> out(headers + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(headers));
    Put32(out, 14, kInfoHeaderSize);
    Put32(out, 18, static_cast<std::uint32_t>(width_));
    Put32(out, 22, static_cast<std::uint32_t>(height_));
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, static_cast<std::uint32_t>(imageSize));
    if (!Empty()) {
        const gdi::Surface& pixels = *gdi::BitmapSurface(bitmap_);
        for (int y = 0; y < height_; ++y) {
            std::uint8_t* row =
                out.data() + headers + stride * static_cast<std::size_t>(height_ - 1 - y);
            for (int x = 0; x < width_; ++x) {
                const gdi::Pixel32 p = pixels.Pixel(x, y);
                row[x * 3] = static_cast<std::uint8_t>(p);
                row[x * 3 + 1] = static_cast<std::uint8_t>(p >> 8);
                row[x * 3 + 2] = static_cast<std::uint8_t>(p >> 16);
            }
        }
    }
    stream.WriteBuffer(out.data(), out.size());
}

void TBitmap::LoadFromStream(core::TStream& stream) {
    std::array<std::uint8_t, kFileHeaderSize + kInfoHeaderSize> header{};
    if (stream.Remaining() < header.size()) NotABitmap();
    const std::size_t start = stream.Position();
    stream.ReadBuffer(header.data(), header.size());
    const std::uint8_t* info = header.data() + kFileHeaderSize;
    const std::uint32_t offset = Get32(header.data() + 10);
    const auto width = static_cast<std::int32_t>(Get32(info + 4));
    const auto rawHeight = static_cast<std::int32_t>(Get32(info + 8));
    const std::uint32_t bits = Get16(info + 14);
    const std::uint32_t compression = Get32(info + 16);
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (header[0] != 'B' || header[1] != 'M' || Get32(info) < kInfoHeaderSize ||
        Get16(info + 12) != 1 || (bits != 24 && bits != 32) || compression != 0 || width <= 0 ||
        height <= 0 || width * height > kMaxStreamedPixels || offset < header.size())
        NotABitmap();
    const std::size_t bytesPerPixel = bits / 8;
    const std::size_t stride =
        (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    if (offset - header.size() > stream.Remaining() ||
        imageSize > stream.Remaining() - (offset - header.size()))
        NotABitmap();
    stream.SetPosition(start + offset);
    std::vector<std::uint8_t> image(imageSize);
    stream.ReadBuffer(image.data(), image.size());
    Release();
    width_ = height_ = 0;
    SetSize(width, static_cast<int>(height));
    gdi::Surface& pixels = *gdi::BitmapSurface(bitmap_);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* row =
            image.data() + stride * static_cast<std::size_t>(topDown ? y : height_ - 1 - y);
        for (int x = 0; x < width_; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytesPerPixel;
            // Opaque as a file's picture is loaded: the alpha byte stays clear.
            pixels.SetPixel(x, y,
                            (static_cast<gdi::Pixel32>(p[2]) << 16) |
                                (static_cast<gdi::Pixel32>(p[1]) << 8) | p[0]);
        }
    }
    if (OnChange) OnChange();
}

void TBitmap::Assign(const TBitmap& source) {
    Release();
    width_ = height_ = 0;
    SetSize(source.width_, source.height_);
    if (!source.Empty()) gdi::BitBlt(dc_, 0, 0, width_, height_, source.dc_, 0, 0, gdi::SRCCOPY);
    if (OnChange) OnChange();
}

gdi::TColor TBitmap::TransparentColor() const {
    if (Empty()) return gdi::clNone;
    return static_cast<gdi::TColor>(gdi::GetPixel(dc_, 0, height_ - 1));
}

void TBitmap::Draw(gdi::HDC dc, const gdi::TRect& dest) const {
    if (Empty()) return;
    if (dest.Width() == width_ && dest.Height() == height_)
        gdi::BitBlt(dc, dest.Left, dest.Top, width_, height_, dc_, 0, 0, gdi::SRCCOPY);
    else
        gdi::StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), dc_, 0, 0, width_,
                        height_, gdi::SRCCOPY);
}

void TBitmap::DrawPart(gdi::HDC dc, int x, int y, const gdi::TRect& source,
                       bool transparent) const {
    if (Empty()) return;
    if (!transparent) {
        gdi::BitBlt(dc, x, y, source.Width(), source.Height(), dc_, source.Left, source.Top,
                    gdi::SRCCOPY);
        return;
    }
    const gdi::COLORREF key = gdi::GetPixel(dc_, 0, height_ - 1);
    for (int j = 0; j < source.Height(); ++j)
        for (int i = 0; i < source.Width(); ++i) {
            gdi::COLORREF c = gdi::GetPixel(dc_, source.Left + i, source.Top + j);
            if (c != key) gdi::SetPixelV(dc, x + i, y + j, c);
        }
}

// ---- TIcon ----

TIcon::~TIcon() {
    if (icon_ != win::NullIcon) win::DestroyIcon(icon_);
}

void TIcon::SetHandle(win::HICON value) {
    if (value == icon_) return;
    if (icon_ != win::NullIcon) win::DestroyIcon(icon_);
    icon_ = value;
    if (OnChange) OnChange();
}

win::HICON TIcon::ReleaseHandle() {
    const win::HICON icon = icon_;
    icon_ = win::NullIcon;
    return icon;
}

void TIcon::Assign(const TIcon& source) {
    SetHandle(source.Empty() ? win::NullIcon
                             : win::CopyImage(source.icon_, win::IMAGE_ICON, 0, 0, 0));
}

} // namespace platform::forms
