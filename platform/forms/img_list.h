#pragma once
// The class library's image list: images of one size kept together, drawn by index with their
// transparent colour left out, greyed when disabled.

#include "platform/core/component.h"
#include "platform/forms/graphics.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform::forms {

class TImageList;

// Hears a list's changes (images added, deleted, cleared or resized) while registered with it.
// A link leaves its list when it goes; a list that goes lets go of its links.
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    // The list the link is registered with, or nil.
    TImageList* Sender() const { return sender_; }
    std::function<void()> OnChange;

private:
    friend class TImageList;
    TImageList* sender_ = nullptr;
};

class TImageList : public core::TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // A link registered with another list moves to this one.
    void RegisterChanges(TChangeLink& link);
    void UnRegisterChanges(TChangeLink& link);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Clears the list.
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(images_.size()); }

    // A picture as wide as several images adds them all; returns the index of the first.
    int Add(const TBitmap& image);
    // Pixels of maskColor are transparent (clDefault: the bottom-left pixel's colour).
    int AddMasked(const TBitmap& image, gdi::TColor maskColor);
    void Delete(int index);
    void Clear();
    void GetBitmap(int index, TBitmap& into) const;
    void Draw(gdi::TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    void Change();

    struct Image {
        std::unique_ptr<TBitmap> bitmap;
        gdi::COLORREF key;
    };
    std::vector<Image> images_;
    int width_ = 16;
    int height_ = 16;
    std::vector<TChangeLink*> links_;
};

} // namespace platform::forms
