#pragma once
// The toolkit's image list: a class-library image list (so that anything taking one, the bars
// among them, takes it) that also keeps every image as a pair of bitmaps (image and mask) with
// its mask colour, in a collection streamed with the list. From that stored copy it rebuilds its
// platform images, copies images between lists without loss and draws any image through
// cxPaintImage with real alpha, stretching and the disabled look. A mask is monochrome: white
// where the image is transparent.
//
// Images are held twice, kept in step by Add, AddMasked and Delete (whichever interface they are
// called through) except while the platform images are rebuilt from the collection.
//
// In a form stream the list writes "FormatVersion" (1), "DesignInfo" and "ImageInfo", the
// collection: per item "Image.Data" and "Mask.Data" (the bitmaps' own stream form, when they have
// pixels) and "MaskColor" (when not clNone). It also reads the "Bitmap" of a plain image list and
// then rebuilds the collection from its images.

#include "toolkit/base/cx_bitmap.h"

#include "platform/core/collection.h"
#include "platform/forms/img_list.h"

#include <memory>

namespace toolkit::base {

class TcxImageList;

class TcxImageInfo : public platform::core::TPersistent {
public:
    TcxImageInfo();
    std::unique_ptr<TcxCustomBitmap> Image;
    std::unique_ptr<TcxCustomBitmap> Mask;
    TColor MaskColor = platform::gdi::clNone;
    // From another image info: the three; else the inherited refusal.
    void Assign(const platform::core::TPersistent* Source) override;
    void Assign(const TcxImageInfo& Source);
    // Copies Value into the stored bitmap (nullptr empties it).
    virtual void SetImage(const TcxCustomBitmap* Value);
    virtual void SetMask(const TcxCustomBitmap* Value);
};

class TcxImageInfoItem : public platform::core::TCollectionItem {
public:
    // Takes the collection's CompressData.
    explicit TcxImageInfoItem(platform::core::TCollection* Collection);
    TcxImageInfoItem(platform::core::TCollection* Collection, const TcxCustomBitmap* Image,
                     const TcxCustomBitmap* Mask, TColor MaskColor);

    const TcxImageInfo& ImageInfo() const { return FImageInfo; }
    TcxCustomBitmap& Image() const { return *FImageInfo.Image; }
    void SetImage(const TcxCustomBitmap* Value) { FImageInfo.SetImage(Value); }
    TcxCustomBitmap& Mask() const { return *FImageInfo.Mask; }
    void SetMask(const TcxCustomBitmap* Value) { FImageInfo.SetMask(Value); }
    TColor MaskColor() const { return FImageInfo.MaskColor; }
    void SetMaskColor(TColor Value) { FImageInfo.MaskColor = Value; }
    // Set on both bitmaps; reported only when both have it.
    bool CompressData() const;
    void SetCompressData(bool Value);

    void Assign(const platform::core::TPersistent* Source) override;

protected:
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;

private:
    TcxImageInfo FImageInfo;
};

class TcxImageInfoCollection : public platform::core::TCollection {
public:
    explicit TcxImageInfoCollection(TcxImageList* AOwner);
    TcxImageInfoItem* Items(int Index) const;
    TcxImageInfoItem& Add(const TcxCustomBitmap* Image, const TcxCustomBitmap* Mask,
                          TColor MaskColor);
    bool CompressData() const { return FCompressData; }
    // Sets it on every item.
    void SetCompressData(bool Value);
    // The list, so that the collection streams as part of it.
    platform::core::TPersistent* GetOwner() const override;

private:
    bool FCompressData = false;
    TcxImageList* FOwner;
};

class TcxImageList : public platform::forms::TImageList {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TcxImageList(TComponent* AOwner, int AWidth = 16, int AHeight = 16);
    ~TcxImageList() override;

    // A strip of whole images adds them all, left to right and row by row; returns the index of
    // the first (-1 when nothing was added). Without a mask the image is opaque.
    int Add(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask = nullptr);
    int Add(const platform::forms::TBitmap& Image,
            const platform::forms::TBitmap* Mask = nullptr) override;
    // Pixels of MaskColor are transparent; clNone adds as Add without a mask.
    int AddMasked(const TcxCustomBitmap& Image, TColor MaskColor);
    // clDefault: the bottom-left pixel's colour.
    int AddMasked(const platform::forms::TBitmap& Image, TColor MaskColor) override;
    // An info without a mask adds its image by its mask colour; otherwise image and mask.
    int AddImageInfo(const TcxImageInfo& Info);
    // -1 deletes every image.
    void Delete(int Index) override;
    // Copies of the image and its mask (either may be nullptr); nothing out of range. The stored
    // pair when the stored image is a 32-bit one of the list's size (the mask from the platform
    // images when none is stored), else both from the platform images.
    using TImageList::GetImageInfo;
    void GetImageInfo(int Index, TcxCustomBitmap* Image, TcxCustomBitmap* Mask) const;
    // Out of range: no bitmaps and MaskColor clNone.
    void GetImageInfo(int Index, TcxImageInfo& Info) const;
    // From a toolkit list its stored images; from any other list its images with their masks.
    // ToIndex -1: to the last.
    void CopyImages(const platform::forms::TImageList& Source, int FromIndex = 0, int ToIndex = -1);
    // From an image list: its size and a copy of each of its images (see CopyImages). Other
    // sources change nothing.
    void Assign(const platform::core::TPersistent* Source) override;

    // The image centred in R (or stretched over it), disabled in the disabled look.
    void Draw(int Index, TcxCanvas& Canvas, const TRect& R, bool Stretch = false,
              bool Smooth = false, bool Enabled = true) const;
    using TImageList::Draw;
    void DoDraw(int Index, TcxCanvas& Canvas, int X, int Y, bool Enabled = true) const;

    void BeginUpdate() { ++FChangeLockCount; }
    // Change when Force.
    void EndUpdate(bool Force = true);
    bool CompressData() const { return FImageInfo.CompressData(); }
    void SetCompressData(bool Value) { FImageInfo.SetCompressData(Value); }
    // The stored images, one item per image.
    const TcxImageInfoCollection& ImageInfo() const { return FImageInfo; }

protected:
    // Through cxPaintImage, not stretched, not smooth.
    void DoDraw(int Index, TCanvas& Canvas, int X, int Y, bool Enabled) const override;
    // Nothing while updates are held back.
    void Change() override;
    // The plain list's, then "CompressData" when set.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    void DefineProperties(platform::core::TFiler& Filer) override;

private:
    void DrawImage(int Index, HDC DC, const TRect& R, bool Stretch, bool Smooth,
                   bool Enabled) const;
    void AddToImageInfo(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask,
                        TColor MaskColor);
    // The collection from the platform images, and the platform images from the collection.
    void UpdateImageInfo();
    void UpdateHandle();

    int FFormatVersion = 0;
    TcxImageInfoCollection FImageInfo;
    int FChangeLockCount = 0;
    bool FSynchronizing = false;
};

// Copies of a list's platform image and mask, cut to the image (a 32-bit and a monochrome
// bitmap; either may be nullptr); nothing out of range.
void cxGetImageInfo(const platform::forms::TImageList& List, int Index, TcxCustomBitmap* Image,
                    TcxCustomBitmap* Mask);
// Bits per pixel of the list's platform images; 0 while it is empty.
int cxGetImageListBitCount(const platform::forms::TImageList& List);
// Same count, and either both empty or the same platform images to the byte.
bool cxImageListsEqual(const platform::forms::TImageList& A, const platform::forms::TImageList& B);

} // namespace toolkit::base
