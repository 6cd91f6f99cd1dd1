#pragma once
// The class library's image list: images of one size, each a 32-bit bitmap with a monochrome
// mask (white where the image is transparent), drawn by index under their mask (blended by their
// alpha when they have any), greyed when disabled. The list's own part (AddToList and the other
// members so marked) changes only the images; the component's operations (Add, AddMasked,
// Delete) go through it and tell OnChange, and a descendant that keeps images of its own
// overrides them. In a form stream the list stores its size and its images (the binary
// property "Bitmap", in the list's stream form, see WriteList).

#include "platform/core/component.h"
#include "platform/core/streams.h"
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

// Where an image of a list lies: the list's bitmaps and the image's place in them.
struct TImageListInfo {
    gdi::HBITMAP Image{};
    gdi::HBITMAP Mask{};
    gdi::TRect Rect;
};

class TImageList : public core::TComponent {
public:
    static const core::TComponentClass& ClassRef();
    const core::TClass& ClassType() const override { return ClassRef(); }

    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // A link registered with another list moves to this one.
    void RegisterChanges(TChangeLink& link);
    void UnRegisterChanges(TChangeLink& link);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Deletes every image (Delete(-1)) when the size changes.
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(images_.size()); }

    // The image with its mask (nullptr: opaque); a picture as wide and as high as several images
    // adds them all, row by row from the top. The index of the first; -1 when none was added.
    virtual int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    // Pixels of maskColor are transparent (clDefault: the bottom-left pixel's colour).
    virtual int AddMasked(const TBitmap& image, gdi::TColor maskColor);
    // -1 deletes every image; another index out of range nothing.
    virtual void Delete(int index);
    void Clear() { Delete(-1); }
    void GetBitmap(int index, TBitmap& into) const;
    // Nothing for an index out of range.
    void Draw(gdi::TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // From another image list: its size and its images; else the inherited refusal.
    void Assign(const core::TPersistent* Source) override;

    // ---- The list's own part: no change notice ----
    // As Add, from bitmap handles (a colour mask: white where light).
    int AddToList(gdi::HBITMAP image, gdi::HBITMAP mask);
    // As AddMasked, for a colour value; the transparent pixels keep their colour.
    int AddMaskedToList(gdi::HBITMAP image, gdi::COLORREF maskColor);
    // -1 removes every image; false for another index out of range.
    bool RemoveFromList(int index);
    // The list's own bitmaps of image index (they stay the list's); false out of range.
    bool GetImageInfo(int index, TImageListInfo& info) const;
    // Bits per pixel of the images: 32; 0 while the list is empty.
    int BitCount() const { return images_.empty() ? 0 : 32; }
    // The images in the list's stream form: "IL", u16 version 0x0101, u16 count, u16 width,
    // u16 height, u16 flags 0x21 (32-bit colour with masks); then each image's pixels (u32
    // 0xAARRGGBB, rows top-down) and its mask (rows of (width + 7) / 8 bytes, the first pixel in
    // the high bit, 1 where transparent). Little-endian.
    void WriteList(core::TStream& stream) const;
    // Replaces the size and images from a stream of WriteList; raises core::EReadError on
    // damaged data and then leaves the list as it was.
    void ReadList(core::TStream& stream);
    void DrawFromList(int index, gdi::HDC dc, int x, int y, bool enabled) const;

    std::function<void()> OnChange;

protected:
    virtual void DoDraw(int index, gdi::TCanvas& canvas, int x, int y, bool enabled) const;
    // Tells OnChange and the registered links.
    virtual void Change();
    // "Height" and "Width" where they are not 16.
    void DefinePublishedProperties(core::TFiler& filer) override;
    // "Bitmap" (the images, when there are any) and "DesignInfo".
    void DefineProperties(core::TFiler& filer) override;

private:
    struct Image;
    std::vector<std::unique_ptr<Image>> images_;
    int width_ = 16;
    int height_ = 16;
    std::vector<TChangeLink*> links_;
};

} // namespace platform::forms
