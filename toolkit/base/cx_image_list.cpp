#include "toolkit/base/cx_image_list.h"

#include "toolkit/base/cx_paint_image.h"

#include "platform/gdi/surface.h"

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

std::unique_ptr<TcxCustomBitmap> CopyOf(const TcxCustomBitmap& Source) {
    auto Copy = std::make_unique<TcxCustomBitmap>();
    Copy->Assign(Source);
    return Copy;
}

// The monochrome mask of an image by its mask colour: white where the pixel has the colour.
void MaskFromColor(const TcxCustomBitmap& Image, TColor MaskColor, TcxCustomBitmap& Mask) {
    const Pixel32 Key = cxRGBQuadToPixel(cxColorToRGBQuad(MaskColor));
    std::vector<Pixel32> Pixels = Image.GetPixels();
    for (Pixel32& P : Pixels)
        P = (P & 0xFFFFFF) == Key ? 0xFFFFFF : 0;
    Mask.SetPixelFormat(pf1bit);
    Mask.SetSize(Image.Width(), Image.Height());
    Mask.SetPixels(Pixels);
}

// The W x H piece of Source at (X, Y) in a bitmap of Source's format.
std::unique_ptr<TcxCustomBitmap> Tile(const TcxCustomBitmap& Source, int X, int Y, int W, int H) {
    auto Piece = std::make_unique<TcxCustomBitmap>(W, H, Source.PixelFormat());
    Piece->Clear();
    const std::vector<Pixel32> From = Source.GetPixels();
    std::vector<Pixel32> To(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
    for (int J = 0; J < H; ++J)
        for (int I = 0; I < W; ++I)
            To[static_cast<std::size_t>(J * W + I)] =
                From[static_cast<std::size_t>((Y + J) * Source.Width() + X + I)];
    Piece->SetPixels(To);
    return Piece;
}

} // namespace

TcxImageInfo::TcxImageInfo()
    : Image(std::make_unique<TcxCustomBitmap>()), Mask(std::make_unique<TcxCustomBitmap>()) {}

void TcxImageInfo::Assign(const TcxImageInfo& Source) {
    SetImage(Source.Image.get());
    SetMask(Source.Mask.get());
    MaskColor = Source.MaskColor;
}

void TcxImageInfo::SetImage(const TcxCustomBitmap* Value) {
    Image = Value ? CopyOf(*Value) : std::make_unique<TcxCustomBitmap>();
}

void TcxImageInfo::SetMask(const TcxCustomBitmap* Value) {
    Mask = Value ? CopyOf(*Value) : std::make_unique<TcxCustomBitmap>();
}

TcxImageList::TcxImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TComponent(AOwner), FWidth(AWidth), FHeight(AHeight) {}

void TcxImageList::SetSize(int AWidth, int AHeight) {
    FWidth = AWidth;
    FHeight = AHeight;
    Clear();
}

int TcxImageList::Add(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask) {
    const int First = Count();
    AddToImageInfo(Image, Mask, pg::clNone);
    Change();
    return First;
}

int TcxImageList::AddMasked(const TcxCustomBitmap& Image, TColor MaskColor) {
    BeginUpdate();
    int Result;
    if (MaskColor == pg::clNone) {
        Result = Add(Image, nullptr);
    } else {
        Result = Count();
        AddToImageInfo(Image, nullptr, MaskColor);
    }
    EndUpdate(true);
    return Result;
}

int TcxImageList::AddImageInfo(const TcxImageInfo& Info) {
    // An info without a mask holds its transparency in its mask colour.
    if (!Info.Mask || Info.Mask->Empty()) return AddMasked(*Info.Image, Info.MaskColor);
    return Add(*Info.Image, Info.Mask.get());
}

void TcxImageList::AddToImageInfo(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask,
                                  TColor MaskColor) {
    const int W = Image.Width(), H = Image.Height();
    if (W <= 0 || H <= 0 || FWidth <= 0 || FHeight <= 0) return;
    const bool Strip = W % FWidth == 0 && H % FHeight == 0 && (W > FWidth || H > FHeight);
    if (!Strip) {
        auto Info = std::make_unique<TcxImageInfo>();
        Info->SetImage(&Image);
        Info->SetMask(Mask);
        Info->MaskColor = MaskColor;
        Info->Image->CompressData = Info->Mask->CompressData = FCompressData;
        FImages.push_back(std::move(Info));
        return;
    }
    for (int Y = 0; Y < H; Y += FHeight)
        for (int X = 0; X < W; X += FWidth) {
            auto Info = std::make_unique<TcxImageInfo>();
            Info->Image = Tile(Image, X, Y, FWidth, FHeight);
            if (Mask != nullptr && !Mask->Empty()) Info->Mask = Tile(*Mask, X, Y, FWidth, FHeight);
            Info->MaskColor = MaskColor;
            Info->Image->CompressData = Info->Mask->CompressData = FCompressData;
            FImages.push_back(std::move(Info));
        }
}

void TcxImageList::Delete(int Index) {
    BeginUpdate();
    if (Index == -1)
        FImages.clear();
    else if (Index >= 0 && Index < Count())
        FImages.erase(FImages.begin() + Index);
    EndUpdate(true);
}

void TcxImageList::GetImageInfo(int Index, TcxCustomBitmap* Image, TcxCustomBitmap* Mask) const {
    if (Index < 0 || Index >= Count()) return;
    const TcxImageInfo& Info = *FImages[static_cast<std::size_t>(Index)];
    if (Image != nullptr) {
        Image->SetSize(Info.Image->Width(), Info.Image->Height());
        Image->SetPixels(Info.Image->GetPixels());
    }
    if (Mask != nullptr) {
        if (!Info.Mask->Empty()) {
            Mask->SetSize(Info.Mask->Width(), Info.Mask->Height());
            Mask->SetPixels(Info.Mask->GetPixels());
        } else if (Info.MaskColor != pg::clNone) {
            MaskFromColor(*Info.Image, Info.MaskColor, *Mask);
        } else {
            // No mask: every pixel shows.
            Mask->SetSize(Info.Image->Width(), Info.Image->Height());
            Mask->SetPixels(std::vector<Pixel32>(static_cast<std::size_t>(Mask->Width()) *
                                                     static_cast<std::size_t>(Mask->Height()),
                                                 0));
        }
    }
    Info.Image->Dormant();
}

void TcxImageList::GetImageInfo(int Index, TcxImageInfo& Info) const {
    if (Index < 0 || Index >= Count()) {
        Info.SetImage(nullptr);
        Info.SetMask(nullptr);
        Info.MaskColor = pg::clNone;
        return;
    }
    Info.Assign(*FImages[static_cast<std::size_t>(Index)]);
}

void TcxImageList::CopyImages(const TcxImageList& Source, int FromIndex, int ToIndex) {
    if (ToIndex < 0 || ToIndex >= Source.Count()) ToIndex = Source.Count() - 1;
    BeginUpdate();
    for (int I = std::max(0, FromIndex); I <= ToIndex; ++I)
        AddImageInfo(*Source.FImages[static_cast<std::size_t>(I)]);
    EndUpdate(true);
}

void TcxImageList::Assign(const TcxImageList& Source) {
    if (&Source == this) return;
    BeginUpdate();
    FWidth = Source.FWidth;
    FHeight = Source.FHeight;
    FImages.clear();
    CopyImages(Source);
    EndUpdate(true);
}

void TcxImageList::Draw(int Index, TcxCanvas& Canvas, const TRect& R, bool Stretch, bool Smooth,
                        bool Enabled) const {
    TRect Target = R;
    if (!Stretch) {
        const int Left = (R.Left + R.Right - FWidth) / 2;
        const int Top = (R.Top + R.Bottom - FHeight) / 2;
        Target = {Left, Top, Left + FWidth, Top + FHeight};
    }
    cxPaintImage(Canvas.Handle(), Target, R, nullptr, this, Index,
                 Enabled ? idmNormal : idmDisabled, Smooth, pg::HBRUSH{}, pg::clNone, true);
}

void TcxImageList::DoDraw(int Index, TcxCanvas& Canvas, int X, int Y, bool Enabled) const {
    Draw(Index, Canvas, {X, Y, X + FWidth, Y + FHeight}, false, false, Enabled);
}

void TcxImageList::EndUpdate(bool Force) {
    if (FChangeLockCount > 0) --FChangeLockCount;
    if (Force) Change();
}

void TcxImageList::Change() {
    if (FChangeLockCount > 0) return;
    if (OnChange) OnChange();
}

void TcxImageList::SetCompressData(bool Value) {
    if (Value == FCompressData) return;
    FCompressData = Value;
    for (auto& Info : FImages)
        Info->Image->CompressData = Info->Mask->CompressData = Value;
}

} // namespace toolkit::base
