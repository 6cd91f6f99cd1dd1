#include "platform/forms/img_list.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/drawing.h"

#include <algorithm>

namespace platform::forms {

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(*this);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

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

void TImageList::Change() {
    // A link may leave, or another join, while the list is told.
    for (TChangeLink* link : std::vector<TChangeLink*>(links_))
        if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange)
            link->OnChange();
}

void TImageList::SetSize(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    images_.clear();
    Change();
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
    Change();
    return first;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    images_.erase(images_.begin() + index);
    Change();
}

void TImageList::Clear() {
    images_.clear();
    Change();
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
