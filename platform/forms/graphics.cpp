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

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
// Larger sides are taken for damage rather than for a picture.
constexpr std::int32_t MaxSide = 32767;

void PutLE(std::vector<std::uint8_t>& to, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        to.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t GetLE(const std::uint8_t* from, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | from[i];
    return value;
}

[[noreturn]] void InvalidBitmap() {
    throw core::EReadError("Bitmap image is not valid");
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
    if (Empty()) return;
    const gdi::Surface& pixels = *gdi::BitmapSurface(bitmap_);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(width_) * height_ * 4;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(FileHeaderSize + InfoHeaderSize + imageSize);
    bytes.push_back('B');
    bytes.push_back('M');
    PutLE(bytes, static_cast<std::uint32_t>(FileHeaderSize + InfoHeaderSize) + imageSize, 4);
    PutLE(bytes, 0, 4);
    PutLE(bytes, FileHeaderSize + InfoHeaderSize, 4);
    PutLE(bytes, InfoHeaderSize, 4);
    PutLE(bytes, static_cast<std::uint32_t>(width_), 4);
    PutLE(bytes, static_cast<std::uint32_t>(height_), 4);
    PutLE(bytes, 1, 2);  // planes
    PutLE(bytes, 32, 2); // bits per pixel
    PutLE(bytes, 0, 4);  // no compression
    PutLE(bytes, imageSize, 4);
    PutLE(bytes, 0, 4);
    PutLE(bytes, 0, 4);
    PutLE(bytes, 0, 4);
    PutLE(bytes, 0, 4);
    for (int y = height_ - 1; y >= 0; --y)
        for (int x = 0; x < width_; ++x)
            PutLE(bytes, pixels.Pixel(x, y), 4);
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::LoadFromStream(core::TStream& stream) {
    if (stream.Remaining() == 0) {
        Release();
        width_ = height_ = 0;
        if (OnChange) OnChange();
        return;
    }
    std::array<std::uint8_t, FileHeaderSize + InfoHeaderSize> head{};
    if (stream.Remaining() < head.size()) InvalidBitmap();
    stream.ReadBuffer(head.data(), head.size());
    const std::uint8_t* info = head.data() + FileHeaderSize;
    const auto width = static_cast<std::int32_t>(GetLE(info + 4, 4));
    const auto height = static_cast<std::int32_t>(GetLE(info + 8, 4));
    const std::uint32_t bits = GetLE(info + 14, 2);
    const std::uint32_t offset = GetLE(head.data() + 10, 4);
    if (head[0] != 'B' || head[1] != 'M' || GetLE(info, 4) < InfoHeaderSize ||
        GetLE(info + 16, 4) != 0 || (bits != 24 && bits != 32) || width < 1 || width > MaxSide ||
        height == 0 || height < -MaxSide || height > MaxSide || offset < head.size())
        InvalidBitmap();
    const bool bottomUp = height > 0;
    const int rows = bottomUp ? height : -height;
    const std::size_t rowBytes =
        (static_cast<std::size_t>(width) * (bits / 8) + 3) & ~std::size_t{3};
    const std::size_t skip = offset - head.size();
    if (stream.Remaining() < skip ||
        (stream.Remaining() - skip) / rowBytes < static_cast<std::size_t>(rows))
        InvalidBitmap();
    std::vector<std::uint8_t> data(skip + rowBytes * static_cast<std::size_t>(rows));
    stream.ReadBuffer(data.data(), data.size());
    Release();
    width_ = height_ = 0;
    auto handler = std::move(OnChange);
    OnChange = nullptr;
    SetSize(width, rows);
    OnChange = std::move(handler);
    gdi::Surface& surface = *gdi::BitmapSurface(bitmap_);
    for (int row = 0; row < rows; ++row) {
        const std::uint8_t* from = data.data() + skip + rowBytes * static_cast<std::size_t>(row);
        const int y = bottomUp ? rows - 1 - row : row;
        for (int x = 0; x < width; ++x, from += bits / 8)
            surface.SetPixel(x, y, GetLE(from, static_cast<int>(bits / 8)));
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

void DefineBitmapProperty(core::TFiler& filer, const std::string& name, TBitmap& bitmap,
                          bool stored) {
    filer.DefineBinaryProperty(
        name + ".Data", [&bitmap](core::TStream& stream) { bitmap.LoadFromStream(stream); },
        [&bitmap](core::TStream& stream) { bitmap.SaveToStream(stream); },
        stored && !bitmap.Empty());
}

void DefineFontProperties(core::TFiler& filer, const std::string& name, gdi::TFont& font,
                          bool stored) {
    filer.DefineProperty(
        name + ".Charset",
        [&font](core::TReader& reader) {
            font.SetCharset(static_cast<std::uint8_t>(reader.ReadInteger()));
        },
        [&font](core::TWriter& writer) { writer.WriteInteger(font.Charset()); }, stored);
    filer.DefineProperty(
        name + ".Color",
        [&font](core::TReader& reader) {
            font.SetColor(static_cast<gdi::TColor>(reader.ReadInteger()));
        },
        [&font](core::TWriter& writer) {
            writer.WriteInteger(static_cast<std::int32_t>(font.Color()));
        },
        stored);
    filer.DefineProperty(
        name + ".Height", [&font](core::TReader& reader) { font.SetHeight(reader.ReadInteger()); },
        [&font](core::TWriter& writer) { writer.WriteInteger(font.Height()); }, stored);
    filer.DefineProperty(
        name + ".Name", [&font](core::TReader& reader) { font.SetName(reader.ReadString()); },
        [&font](core::TWriter& writer) { writer.WriteString(font.Name()); }, stored);
    static constexpr std::array<const char*, 3> pitches{"fpDefault", "fpVariable", "fpFixed"};
    filer.DefineProperty(
        name + ".Pitch",
        [&font](core::TReader& reader) {
            font.SetPitch(static_cast<gdi::TFontPitch>(reader.ReadEnum(pitches)));
        },
        [&font](core::TWriter& writer) {
            writer.WriteEnum(static_cast<int>(font.Pitch()), pitches);
        },
        stored && font.Pitch() != gdi::TFontPitch::fpDefault);
    static constexpr std::array<const char*, 4> styles{"fsBold", "fsItalic", "fsUnderline",
                                                       "fsStrikeOut"};
    filer.DefineProperty(
        name + ".Style", [&font](core::TReader& reader) { font.SetStyle(reader.ReadSet(styles)); },
        [&font](core::TWriter& writer) { writer.WriteSet(font.Style(), styles); }, stored);
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
