#include "platform/forms/img_list.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/drawing.h"

namespace platform::forms {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    Clear();
}

int TImageList::Add(const TBitmap& image) {
    return AddMasked(image, gdi::clDefault);
}

int TImageList::AddMasked(const TBitmap& image, gdi::TColor maskColor) {
    const int first = Count();
    if (image.Empty()) return first;
    const gdi::COLORREF key = maskColor == gdi::clDefault
                                  ? static_cast<gdi::COLORREF>(image.TransparentColor())
                                  : gdi::ColorToRGB(maskColor);
    const int count = std::max(1, image.Width() / width_);
    for (int i = 0; i < count; ++i) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(width_, height_);
        image.DrawPart(bitmap->Canvas().Handle(), 0, 0, {i * width_, 0, (i + 1) * width_, height_},
                       false);
        images_.push_back({std::move(bitmap), key});
    }
    return first;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    images_.erase(images_.begin() + index);
}

void TImageList::Clear() {
    images_.clear();
}

void TImageList::GetBitmap(int index, TBitmap& into) const {
    if (index < 0 || index >= Count()) return;
    into.Assign(*images_[static_cast<std::size_t>(index)].bitmap);
}

void TImageList::Draw(gdi::TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const Image& image = images_[static_cast<std::size_t>(index)];
    gdi::HDC source = const_cast<TBitmap&>(*image.bitmap).Canvas().Handle();
    gdi::HDC dest = canvas.Handle();
    const gdi::COLORREF shadow = gdi::ColorToRGB(gdi::clBtnShadow);
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i) {
            const gdi::COLORREF c = gdi::GetPixel(source, i, j);
            if (c == image.key) continue;
            gdi::SetPixelV(dest, x + i, y + j, enabled ? c : shadow);
        }
}

} // namespace platform::forms
