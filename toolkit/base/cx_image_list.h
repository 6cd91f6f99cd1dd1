#pragma once
// The toolkit's image list: images of one size, each kept as a pair of bitmaps (image and mask)
// with its mask colour, so that images copy between lists without loss and draw through
// cxPaintImage with real alpha, stretching and the disabled look. A mask is monochrome: white
// where the image is transparent.

#include "toolkit/base/cx_bitmap.h"

#include "platform/core/component.h"

#include <functional>
#include <memory>
#include <vector>

namespace toolkit::base {

class TcxImageInfo {
public:
    TcxImageInfo();
    std::unique_ptr<TcxCustomBitmap> Image;
    std::unique_ptr<TcxCustomBitmap> Mask;
    TColor MaskColor = platform::gdi::clNone;
    void Assign(const TcxImageInfo& Source);
    void SetImage(const TcxCustomBitmap* Value);
    void SetMask(const TcxCustomBitmap* Value);
};

class TcxImageList : public platform::core::TComponent {
public:
    explicit TcxImageList(TComponent* AOwner, int AWidth = 16, int AHeight = 16);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Clears the list.
    void SetSize(int AWidth, int AHeight);
    int Count() const { return static_cast<int>(FImages.size()); }

    // A strip of whole images adds them all, left to right and row by row; returns the index
    // of the first. Without a mask the image is opaque.
    int Add(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask = nullptr);
    // Pixels of MaskColor are transparent; clNone adds as Add without a mask.
    int AddMasked(const TcxCustomBitmap& Image, TColor MaskColor);
    // An info without image pixels adds its image by its mask colour; otherwise image and mask.
    int AddImageInfo(const TcxImageInfo& Info);
    // -1 deletes every image.
    void Delete(int Index);
    void Clear() { Delete(-1); }
    // Copies of the image and its mask (either may be nullptr); nothing out of range.
    void GetImageInfo(int Index, TcxCustomBitmap* Image, TcxCustomBitmap* Mask) const;
    // Out of range: no bitmaps and MaskColor clNone.
    void GetImageInfo(int Index, TcxImageInfo& Info) const;
    void CopyImages(const TcxImageList& Source, int FromIndex = 0, int ToIndex = -1);
    // The component's own Assign stays reachable beside this one.
    using platform::core::TComponent::Assign;
    void Assign(const TcxImageList& Source);

    // The image centred in R (or stretched over it), disabled in the disabled look.
    void Draw(int Index, TcxCanvas& Canvas, const TRect& R, bool Stretch = false,
              bool Smooth = false, bool Enabled = true) const;
    void DoDraw(int Index, TcxCanvas& Canvas, int X, int Y, bool Enabled = true) const;

    void BeginUpdate() { ++FChangeLockCount; }
    void EndUpdate(bool Force = true);
    bool CompressData() const { return FCompressData; }
    void SetCompressData(bool Value);

    std::function<void()> OnChange;

protected:
    virtual void Change();

private:
    void AddToImageInfo(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask,
                        TColor MaskColor);
    int FWidth;
    int FHeight;
    std::vector<std::unique_ptr<TcxImageInfo>> FImages;
    int FChangeLockCount = 0;
    bool FCompressData = false;
};

} // namespace toolkit::base
