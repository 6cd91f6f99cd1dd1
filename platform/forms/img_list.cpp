#include "platform/forms/img_list.h"

#include "platform/core/filer.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"

#include <algorithm>
#include <array>

namespace platform::forms {

namespace {

constexpr std::uint16_t StreamVersion = 0x0101;
constexpr std::uint16_t StreamFlags = 0x21; // 32-bit colour, masked
// Larger sides in a stream are damage, not images.
constexpr int MaxSide = 4096;

gdi::HBITMAP NewColorBitmap(int width, int height) {
    gdi::BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    return gdi::CreateDIBSection(gdi::NullDC, &info, gdi::DIB_RGB_COLORS, &bits);
}

bool HasAlpha(const gdi::Surface& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if ((image.Pixel(x, y) >> 24) != 0) return true;
    return false;
}

std::uint8_t Blend(std::uint32_t over, std::uint32_t under, std::uint32_t alpha) {
    return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

void PutU16(core::TStream& stream, std::uint16_t value) {
    const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(value),
                                            static_cast<std::uint8_t>(value >> 8)};
    stream.WriteBuffer(bytes.data(), bytes.size());
}

std::uint16_t GetU16(core::TStream& stream) {
    std::array<std::uint8_t, 2> bytes{};
    stream.ReadBuffer(bytes.data(), bytes.size());
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

} // namespace

// An image of the list: its colour bitmap, its monochrome mask (1 where transparent) and whether
// its pixels carry alpha, which then decides what shows.
struct TImageList::Image {
    Image(int width, int height)
        : image(NewColorBitmap(width, height)),
          mask(gdi::CreateBitmap(width, height, 1, 1, nullptr)) {}
    ~Image() {
        gdi::DeleteObject(image);
        gdi::DeleteObject(mask);
    }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    gdi::Surface& Pixels() const { return *gdi::BitmapSurface(image); }
    gdi::Surface& Mask() const { return *gdi::BitmapSurface(mask); }

    gdi::HBITMAP image;
    gdi::HBITMAP mask;
    bool alpha = false;
};

const core::TComponentClass& TImageList::ClassRef() {
    static const core::TComponentClass cls(
        "TImageList", &TComponent::ClassRef(),
        core::ConstructorOf<TImageList, core::TComponent, core::TComponent*>());
    return cls;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(*this);
}

TImageList::~TImageList() {
    for (TChangeLink* link : links_)
        link->sender_ = nullptr;
}

void TImageList::RegisterChanges(TChangeLink& link) {
    if (link.sender_ == this) return;
    if (link.sender_) link.sender_->UnRegisterChanges(link);
    link.sender_ = this;
    links_.push_back(&link);
}

void TImageList::UnRegisterChanges(TChangeLink& link) {
    if (link.sender_ != this) return;
    link.sender_ = nullptr;
    std::erase(links_, &link);
}

void TImageList::SetSize(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    Delete(-1);
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    const int result = AddToList(image.Handle(), mask != nullptr ? mask->Handle() : gdi::HBITMAP{});
    Change();
    return result;
}

int TImageList::AddMasked(const TBitmap& image, gdi::TColor maskColor) {
    const gdi::COLORREF key = maskColor == gdi::clDefault
                                  ? static_cast<gdi::COLORREF>(image.TransparentColor())
                                  : gdi::ColorToRGB(maskColor);
    const int result = AddMaskedToList(image.Handle(), key);
    Change();
    return result;
}

void TImageList::Delete(int index) {
    if (RemoveFromList(index)) Change();
}

void TImageList::GetBitmap(int index, TBitmap& into) const {
    if (index < 0 || index >= Count()) return;
    into.SetSize(width_, height_);
    const gdi::Surface& from = images_[static_cast<std::size_t>(index)]->Pixels();
    gdi::Surface& to = *gdi::BitmapSurface(into.Handle());
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            to.SetPixel(x, y, from.Pixel(x, y));
    if (into.OnChange) into.OnChange();
}

void TImageList::Draw(gdi::TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    DoDraw(index, canvas, x, y, enabled);
}

void TImageList::DoDraw(int index, gdi::TCanvas& canvas, int x, int y, bool enabled) const {
    DrawFromList(index, canvas.Handle(), x, y, enabled);
}

void TImageList::Change() {
    if (OnChange) OnChange();
    // A link may leave, or another join, while the list is told.
    for (TChangeLink* link : std::vector<TChangeLink*>(links_))
        if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange)
            link->OnChange();
}

void TImageList::Assign(const core::TPersistent* Source) {
    const auto* other = dynamic_cast<const TImageList*>(Source);
    if (other == nullptr) {
        TComponent::Assign(Source);
        return;
    }
    if (other == this) return;
    SetSize(other->width_, other->height_);
    RemoveFromList(-1);
    for (int i = 0; i < other->Count(); ++i) {
        TImageListInfo info;
        other->GetImageInfo(i, info);
        AddToList(info.Image, info.Mask);
    }
    Change();
}

// The list's own part

int TImageList::AddToList(gdi::HBITMAP image, gdi::HBITMAP mask) {
    const gdi::Surface* from = gdi::BitmapSurface(image);
    if (from == nullptr || from->Width() == 0 || from->Height() == 0) return -1;
    const gdi::Surface* shape = mask != gdi::HBITMAP{} ? gdi::BitmapSurface(mask) : nullptr;
    const bool whole = from->Width() % width_ == 0 && from->Height() % height_ == 0;
    const int columns = whole ? from->Width() / width_ : 1;
    const int rows = whole ? from->Height() / height_ : 1;
    const int first = Count();
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            auto entry = std::make_unique<Image>(width_, height_);
            gdi::Surface& pixels = entry->Pixels();
            gdi::Surface& bits = entry->Mask();
            for (int y = 0; y < height_; ++y)
                for (int x = 0; x < width_; ++x) {
                    const int sx = column * width_ + x, sy = row * height_ + y;
                    // Beyond a picture smaller than an image nothing shows.
                    const bool inside = from->Contains(sx, sy);
                    pixels.SetPixel(x, y, inside ? from->Pixel(sx, sy) : 0);
                    const bool clear = !inside || (shape != nullptr && shape->Contains(sx, sy) &&
                                                   gdi::IsLightPixel(shape->Pixel(sx, sy)));
                    bits.SetPixel(x, y, clear ? 0xFFFFFF : 0);
                }
            entry->alpha = HasAlpha(pixels);
            images_.push_back(std::move(entry));
        }
    return first;
}

int TImageList::AddMaskedToList(gdi::HBITMAP image, gdi::COLORREF maskColor) {
    const int first = AddToList(image, gdi::HBITMAP{});
    if (first < 0) return first;
    const gdi::Pixel32 key = gdi::ColorToPixel(maskColor & 0xFFFFFF);
    for (int i = first; i < Count(); ++i) {
        Image& entry = *images_[static_cast<std::size_t>(i)];
        gdi::Surface& pixels = entry.Pixels();
        gdi::Surface& bits = entry.Mask();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if ((pixels.Pixel(x, y) & 0xFFFFFF) == key) bits.SetPixel(x, y, 0xFFFFFF);
    }
    return first;
}

bool TImageList::RemoveFromList(int index) {
    if (index == -1) {
        images_.clear();
        return true;
    }
    if (index < 0 || index >= Count()) return false;
    images_.erase(images_.begin() + index);
    return true;
}

bool TImageList::GetImageInfo(int index, TImageListInfo& info) const {
    if (index < 0 || index >= Count()) return false;
    const Image& entry = *images_[static_cast<std::size_t>(index)];
    info.Image = entry.image;
    info.Mask = entry.mask;
    info.Rect = {0, 0, width_, height_};
    return true;
}

void TImageList::DrawFromList(int index, gdi::HDC dc, int x, int y, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const Image& entry = *images_[static_cast<std::size_t>(index)];
    const gdi::Surface& pixels = entry.Pixels();
    const gdi::Surface& bits = entry.Mask();
    const gdi::COLORREF shadow = gdi::ColorToRGB(gdi::clBtnShadow);
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i) {
            const gdi::Pixel32 p = pixels.Pixel(i, j);
            const std::uint32_t alpha = entry.alpha ? p >> 24 : (bits.Pixel(i, j) ? 0 : 255);
            if (alpha == 0) continue;
            if (!enabled) {
                if (alpha >= 128) gdi::SetPixelV(dc, x + i, y + j, shadow);
                continue;
            }
            gdi::COLORREF c = gdi::PixelToColor(p & 0xFFFFFF);
            if (alpha < 255) {
                const gdi::COLORREF under = gdi::GetPixel(dc, x + i, y + j);
                c = gdi::RGB(Blend(gdi::GetRValue(c), gdi::GetRValue(under), alpha),
                             Blend(gdi::GetGValue(c), gdi::GetGValue(under), alpha),
                             Blend(gdi::GetBValue(c), gdi::GetBValue(under), alpha));
            }
            gdi::SetPixelV(dc, x + i, y + j, c);
        }
}

void TImageList::WriteList(core::TStream& stream) const {
    const std::array<std::uint8_t, 2> magic{'I', 'L'};
    stream.WriteBuffer(magic.data(), magic.size());
    PutU16(stream, StreamVersion);
    PutU16(stream, static_cast<std::uint16_t>(Count()));
    PutU16(stream, static_cast<std::uint16_t>(width_));
    PutU16(stream, static_cast<std::uint16_t>(height_));
    PutU16(stream, StreamFlags);
    const std::size_t rowBytes = (static_cast<std::size_t>(width_) + 7) / 8;
    for (const auto& entry : images_) {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4 +
                      rowBytes * static_cast<std::size_t>(height_));
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const gdi::Pixel32 p = entry->Pixels().Pixel(x, y);
                for (int shift = 0; shift < 32; shift += 8)
                    bytes.push_back(static_cast<std::uint8_t>(p >> shift));
            }
        for (int y = 0; y < height_; ++y) {
            std::vector<std::uint8_t> row(rowBytes, 0);
            for (int x = 0; x < width_; ++x)
                if (entry->Mask().Pixel(x, y))
                    row[static_cast<std::size_t>(x / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
            bytes.insert(bytes.end(), row.begin(), row.end());
        }
        stream.WriteBuffer(bytes.data(), bytes.size());
    }
}

void TImageList::ReadList(core::TStream& stream) {
    std::array<std::uint8_t, 2> magic{};
    stream.ReadBuffer(magic.data(), magic.size());
    const std::uint16_t version = GetU16(stream);
    const int count = GetU16(stream);
    const int width = GetU16(stream);
    const int height = GetU16(stream);
    const std::uint16_t flags = GetU16(stream);
    if (magic != std::array<std::uint8_t, 2>{'I', 'L'} || version != StreamVersion ||
        flags != StreamFlags || width < 1 || height < 1 || width > MaxSide || height > MaxSide)
        throw core::EReadError("Failed to read ImageList data from stream");
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    const std::size_t imageBytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 +
        rowBytes * static_cast<std::size_t>(height);
    if (stream.Remaining() / imageBytes < static_cast<std::size_t>(count))
        throw core::EReadError("Failed to read ImageList data from stream");
    std::vector<std::unique_ptr<Image>> images;
    std::vector<std::uint8_t> bytes(imageBytes);
    for (int i = 0; i < count; ++i) {
        stream.ReadBuffer(bytes.data(), bytes.size());
        auto entry = std::make_unique<Image>(width, height);
        std::size_t at = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x, at += 4)
                entry->Pixels().SetPixel(x, y,
                                         bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                             static_cast<gdi::Pixel32>(bytes[at + 3]) << 24);
        for (int y = 0; y < height; ++y, at += rowBytes)
            for (int x = 0; x < width; ++x)
                if (bytes[at + static_cast<std::size_t>(x / 8)] & (0x80 >> (x % 8)))
                    entry->Mask().SetPixel(x, y, 0xFFFFFF);
        entry->alpha = HasAlpha(entry->Pixels());
        images.push_back(std::move(entry));
    }
    width_ = width;
    height_ = height;
    images_ = std::move(images);
}

// Streaming

void TImageList::DefinePublishedProperties(core::TFiler& filer) {
    TComponent::DefinePublishedProperties(filer);
    const auto* ancestor = dynamic_cast<const TImageList*>(filer.Ancestor());
    filer.DefineProperty(
        "Height", [this](core::TReader& reader) { SetSize(width_, reader.ReadInteger()); },
        [this](core::TWriter& writer) { writer.WriteInteger(height_); },
        ancestor ? ancestor->height_ != height_ : height_ != 16);
    filer.DefineProperty(
        "Width", [this](core::TReader& reader) { SetSize(reader.ReadInteger(), height_); },
        [this](core::TWriter& writer) { writer.WriteInteger(width_); },
        ancestor ? ancestor->width_ != width_ : width_ != 16);
}

void TImageList::DefineProperties(core::TFiler& filer) {
    filer.DefineBinaryProperty(
        "Bitmap",
        [this](core::TStream& stream) {
            ReadList(stream);
            Change();
        },
        [this](core::TStream& stream) { WriteList(stream); }, Count() > 0);
    filer.DefineProperty(
        "DesignInfo", [this](core::TReader& reader) { DesignInfo = reader.ReadInteger(); },
        [this](core::TWriter& writer) { writer.WriteInteger(DesignInfo); }, true);
}

} // namespace platform::forms
