#include "toolkit/base/cx_image_list.h"

#include "toolkit/base/cx_paint_image.h"

#include "platform/core/filer.h"
#include "platform/gdi/surface.h"

namespace toolkit::base {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

namespace {

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

// A class-library bitmap as a toolkit one: 32 bits, the same pixels.
std::unique_ptr<TcxCustomBitmap> FromBitmap(const pf::TBitmap& Source) {
    auto Copy = std::make_unique<TcxCustomBitmap>(Source.Width(), Source.Height(), pf32bit);
    if (Source.Empty()) return Copy;
    const pg::Surface& From = *pg::BitmapSurface(Source.Handle());
    std::vector<Pixel32> Pixels;
    Pixels.reserve(static_cast<std::size_t>(Source.Width()) *
                   static_cast<std::size_t>(Source.Height()));
    for (int Y = 0; Y < Source.Height(); ++Y)
        for (int X = 0; X < Source.Width(); ++X)
            Pixels.push_back(From.Pixel(X, Y));
    Copy->SetPixels(Pixels);
    return Copy;
}

// The bitmap's stream form as a binary property, and back.
void WriteBitmap(const TcxCustomBitmap& Bitmap, pc::TStream& Stream) {
    std::vector<std::uint8_t> Bytes;
    Bitmap.WriteData(Bytes);
    Stream.WriteBuffer(Bytes.data(), Bytes.size());
}

void ReadBitmap(TcxCustomBitmap& Bitmap, pc::TStream& Stream) {
    std::vector<std::uint8_t> Bytes(Stream.Remaining());
    Stream.ReadBuffer(Bytes.data(), Bytes.size());
    Bitmap.ReadData(Bytes);
}

} // namespace

// ---- TcxImageInfo ----

TcxImageInfo::TcxImageInfo()
    : Image(std::make_unique<TcxCustomBitmap>()), Mask(std::make_unique<TcxCustomBitmap>()) {}

void TcxImageInfo::Assign(const pc::TPersistent* Source) {
    if (const auto* Info = dynamic_cast<const TcxImageInfo*>(Source))
        Assign(*Info);
    else
        TPersistent::Assign(Source);
}

void TcxImageInfo::Assign(const TcxImageInfo& Source) {
    if (&Source == this) return;
    SetImage(Source.Image.get());
    SetMask(Source.Mask.get());
    MaskColor = Source.MaskColor;
}

void TcxImageInfo::SetImage(const TcxCustomBitmap* Value) {
    if (Value != nullptr)
        Image->Assign(*Value);
    else
        Image->SetSize(0, 0);
}

void TcxImageInfo::SetMask(const TcxCustomBitmap* Value) {
    if (Value != nullptr)
        Mask->Assign(*Value);
    else
        Mask->SetSize(0, 0);
}

// ---- TcxImageInfoItem ----

TcxImageInfoItem::TcxImageInfoItem(pc::TCollection* Collection) : TCollectionItem(Collection) {
    if (const auto* Owner = dynamic_cast<const TcxImageInfoCollection*>(Collection))
        SetCompressData(Owner->CompressData());
}

TcxImageInfoItem::TcxImageInfoItem(pc::TCollection* Collection, const TcxCustomBitmap* Image,
                                   const TcxCustomBitmap* Mask, TColor MaskColor)
    : TcxImageInfoItem(Collection) {
    SetImage(Image);
    SetMask(Mask);
    SetMaskColor(MaskColor);
}

bool TcxImageInfoItem::CompressData() const {
    return FImageInfo.Image->CompressData && FImageInfo.Mask->CompressData;
}

void TcxImageInfoItem::SetCompressData(bool Value) {
    FImageInfo.Image->CompressData = Value;
    FImageInfo.Mask->CompressData = Value;
}

void TcxImageInfoItem::Assign(const pc::TPersistent* Source) {
    if (const auto* Item = dynamic_cast<const TcxImageInfoItem*>(Source))
        FImageInfo.Assign(Item->FImageInfo);
    else
        TCollectionItem::Assign(Source);
}

void TcxImageInfoItem::DefinePublishedProperties(pc::TFiler& Filer) {
    TCollectionItem::DefinePublishedProperties(Filer);
    // The bitmaps stream as their own "Data" under the property's name.
    Filer.DefineBinaryProperty(
        "Image.Data", [this](pc::TStream& Stream) { ReadBitmap(Image(), Stream); },
        [this](pc::TStream& Stream) { WriteBitmap(Image(), Stream); }, !Image().Empty());
    Filer.DefineBinaryProperty(
        "Mask.Data", [this](pc::TStream& Stream) { ReadBitmap(Mask(), Stream); },
        [this](pc::TStream& Stream) { WriteBitmap(Mask(), Stream); }, !Mask().Empty());
    Filer.DefineProperty(
        "MaskColor", [this](pc::TReader& Reader) { SetMaskColor(Reader.ReadInteger()); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(MaskColor()); },
        MaskColor() != pg::clNone);
}

// ---- TcxImageInfoCollection ----

TcxImageInfoCollection::TcxImageInfoCollection(TcxImageList* AOwner)
    : TCollection([](pc::TCollection* Collection) {
          return std::make_unique<TcxImageInfoItem>(Collection);
      }),
      FOwner(AOwner) {}

TcxImageInfoItem* TcxImageInfoCollection::Items(int Index) const {
    return static_cast<TcxImageInfoItem*>(TCollection::Items(Index));
}

TcxImageInfoItem& TcxImageInfoCollection::Add(const TcxCustomBitmap* Image,
                                              const TcxCustomBitmap* Mask, TColor MaskColor) {
    return static_cast<TcxImageInfoItem&>(
        Insert(std::make_unique<TcxImageInfoItem>(this, Image, Mask, MaskColor)));
}

void TcxImageInfoCollection::SetCompressData(bool Value) {
    if (Value == FCompressData) return;
    FCompressData = Value;
    for (int I = 0; I < Count(); ++I)
        Items(I)->SetCompressData(Value);
}

pc::TPersistent* TcxImageInfoCollection::GetOwner() const {
    return FOwner;
}

// ---- TcxImageList ----

const pc::TComponentClass& TcxImageList::ClassRef() {
    static const pc::TComponentClass cls(
        "TcxImageList", &TImageList::ClassRef(),
        pc::ConstructorOf<TcxImageList, pc::TComponent, pc::TComponent*>());
    return cls;
}

TcxImageList::TcxImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TImageList(AOwner), FImageInfo(this) {
    SetSize(AWidth, AHeight);
}

TcxImageList::~TcxImageList() = default;

int TcxImageList::Add(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask) {
    const bool HasMask = Mask != nullptr && !Mask->Empty();
    // Without a mask, an all-black one: every pixel shows.
    TcxCustomBitmap Opaque(HasMask ? 0 : Width(), HasMask ? 0 : Height(), pf1bit);
    const int Result = AddToList(Image.Handle(), HasMask ? Mask->Handle() : Opaque.Handle());
    if (!FSynchronizing && Result != -1) AddToImageInfo(Image, Mask, pg::clNone);
    Change();
    return Result;
}

int TcxImageList::Add(const pf::TBitmap& Image, const pf::TBitmap* Mask) {
    const std::unique_ptr<TcxCustomBitmap> Picture = FromBitmap(Image);
    std::unique_ptr<TcxCustomBitmap> Shape;
    if (Mask != nullptr) {
        // Stored as the list keeps it: monochrome, white where light.
        Shape = FromBitmap(*Mask);
        Shape->SetPixelFormat(pf1bit);
    }
    return Add(*Picture, Shape.get());
}

int TcxImageList::AddMasked(const TcxCustomBitmap& Image, TColor MaskColor) {
    BeginUpdate();
    int Result;
    if (MaskColor == pg::clNone) {
        Result = Add(Image, nullptr);
    } else {
        Result = AddMaskedToList(Image.Handle(), pg::ColorToRGB(MaskColor));
        if (!FSynchronizing && Result != -1) AddToImageInfo(Image, nullptr, MaskColor);
    }
    EndUpdate(true);
    return Result;
}

int TcxImageList::AddMasked(const pf::TBitmap& Image, TColor MaskColor) {
    if (MaskColor == pg::clDefault) MaskColor = Image.TransparentColor();
    return AddMasked(*FromBitmap(Image), MaskColor);
}

int TcxImageList::AddImageInfo(const TcxImageInfo& Info) {
    // An info without a mask holds its transparency in its mask colour.
    if (!Info.Mask || Info.Mask->Empty()) return AddMasked(*Info.Image, Info.MaskColor);
    return Add(*Info.Image, Info.Mask.get());
}

void TcxImageList::AddToImageInfo(const TcxCustomBitmap& Image, const TcxCustomBitmap* Mask,
                                  TColor MaskColor) {
    const int W = Image.Width(), H = Image.Height();
    if (Mask != nullptr && Mask->Empty()) Mask = nullptr;
    const bool Strip = W % Width() == 0 && H % Height() == 0 && (W > Width() || H > Height());
    if (!Strip) {
        FImageInfo.Add(&Image, Mask, MaskColor).Image().Dormant();
        return;
    }
    for (int Y = 0; Y < H; Y += Height())
        for (int X = 0; X < W; X += Width()) {
            const auto Piece = Tile(Image, X, Y, Width(), Height());
            std::unique_ptr<TcxCustomBitmap> PieceMask;
            if (Mask != nullptr) PieceMask = Tile(*Mask, X, Y, Width(), Height());
            FImageInfo.Add(Piece.get(), PieceMask.get(), MaskColor).Image().Dormant();
        }
}

void TcxImageList::Delete(int Index) {
    BeginUpdate();
    TImageList::Delete(Index);
    if (!FSynchronizing) {
        if (Index == -1)
            FImageInfo.Clear();
        else
            FImageInfo.Delete(Index);
    }
    EndUpdate(true);
}

void TcxImageList::GetImageInfo(int Index, TcxCustomBitmap* Image, TcxCustomBitmap* Mask) const {
    if (Index < 0 || Index >= Count()) return;
    if (Index >= FImageInfo.Count()) {
        // Only while images read from a plain list's stream have no stored copy yet.
        cxGetImageInfo(*this, Index, Image, Mask);
        return;
    }
    const TcxImageInfoItem& Item = *FImageInfo.Items(Index);
    const bool Stored = Item.Image().PixelFormat() == pf32bit && Item.Image().Width() == Width() &&
                        Item.Image().Height() == Height();
    if (!Stored) {
        cxGetImageInfo(*this, Index, Image, Mask);
    } else {
        if (Image != nullptr) Image->Assign(Item.Image());
        if (Mask != nullptr) {
            if (Item.Mask().Width() == Width() && Item.Mask().Height() == Height())
                Mask->Assign(Item.Mask());
            else
                cxGetImageInfo(*this, Index, nullptr, Mask);
        }
    }
    Item.Image().Dormant();
}

void TcxImageList::GetImageInfo(int Index, TcxImageInfo& Info) const {
    if (Index < 0 || Index >= FImageInfo.Count()) {
        Info.SetImage(nullptr);
        Info.SetMask(nullptr);
        Info.MaskColor = pg::clNone;
        return;
    }
    Info.Assign(FImageInfo.Items(Index)->ImageInfo());
}

void TcxImageList::CopyImages(const pf::TImageList& Source, int FromIndex, int ToIndex) {
    if (&Source == this) return;
    if (ToIndex < 0 || ToIndex >= Source.Count()) ToIndex = Source.Count() - 1;
    BeginUpdate();
    const auto* Toolkit = dynamic_cast<const TcxImageList*>(&Source);
    for (int I = std::max(0, FromIndex); I <= ToIndex; ++I) {
        if (Toolkit != nullptr && I < Toolkit->FImageInfo.Count()) {
            AddImageInfo(Toolkit->FImageInfo.Items(I)->ImageInfo());
        } else {
            TcxCustomBitmap Image(Width(), Height(), pf32bit);
            TcxCustomBitmap Mask(Width(), Height(), pf1bit);
            cxGetImageInfo(Source, I, &Image, &Mask);
            Add(Image, &Mask);
        }
    }
    EndUpdate(true);
}

void TcxImageList::Assign(const pc::TPersistent* Source) {
    const auto* List = dynamic_cast<const pf::TImageList*>(Source);
    if (List == nullptr || List == this) return;
    BeginUpdate();
    TImageList::Assign(Source);
    Clear();
    CopyImages(*List);
    EndUpdate(true);
}

void TcxImageList::DrawImage(int Index, HDC DC, const TRect& R, bool Stretch, bool Smooth,
                             bool Enabled) const {
    TRect Target = R;
    if (!Stretch) {
        const int Left = (R.Left + R.Right - Width()) / 2;
        const int Top = (R.Top + R.Bottom - Height()) / 2;
        Target = {Left, Top, Left + Width(), Top + Height()};
    }
    cxPaintImage(DC, Target, R, nullptr, this, Index, Enabled ? idmNormal : idmDisabled, Smooth,
                 pg::HBRUSH{}, pg::clNone, true);
}

void TcxImageList::Draw(int Index, TcxCanvas& Canvas, const TRect& R, bool Stretch, bool Smooth,
                        bool Enabled) const {
    DrawImage(Index, Canvas.Handle(), R, Stretch, Smooth, Enabled);
}

void TcxImageList::DoDraw(int Index, TcxCanvas& Canvas, int X, int Y, bool Enabled) const {
    DrawImage(Index, Canvas.Handle(), {X, Y, X + Width(), Y + Height()}, false, false, Enabled);
}

void TcxImageList::DoDraw(int Index, TCanvas& Canvas, int X, int Y, bool Enabled) const {
    DrawImage(Index, Canvas.Handle(), {X, Y, X + Width(), Y + Height()}, false, false, Enabled);
}

void TcxImageList::EndUpdate(bool Force) {
    if (FChangeLockCount > 0) --FChangeLockCount;
    if (Force) Change();
}

void TcxImageList::Change() {
    if (FChangeLockCount > 0) return;
    TImageList::Change();
}

void TcxImageList::UpdateImageInfo() {
    FImageInfo.Clear();
    for (int I = 0; I < Count(); ++I) {
        TcxCustomBitmap Image(Width(), Height(), pf32bit);
        TcxCustomBitmap Mask(Width(), Height(), pf1bit);
        cxGetImageInfo(*this, I, &Image, &Mask);
        FImageInfo.Add(&Image, &Mask, pg::clNone);
    }
}

void TcxImageList::UpdateHandle() {
    BeginUpdate();
    FSynchronizing = true;
    struct Done {
        bool& Flag;
        ~Done() { Flag = false; }
    } Guard{FSynchronizing};
    RemoveFromList(-1);
    for (int I = 0; I < FImageInfo.Count(); ++I) {
        AddImageInfo(FImageInfo.Items(I)->ImageInfo());
        FImageInfo.Items(I)->Image().Dormant();
    }
    FSynchronizing = false;
    EndUpdate(true);
}

void TcxImageList::DefinePublishedProperties(pc::TFiler& Filer) {
    TImageList::DefinePublishedProperties(Filer);
    const auto* Ancestor = dynamic_cast<const TcxImageList*>(Filer.Ancestor());
    Filer.DefineProperty(
        "CompressData", [this](pc::TReader& Reader) { SetCompressData(Reader.ReadBoolean()); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(CompressData()); },
        Ancestor ? Ancestor->CompressData() != CompressData() : CompressData());
}

void TcxImageList::DefineProperties(pc::TFiler& Filer) {
    // Forms stored by a plain image list still load: its images, then the collection from them.
    if (dynamic_cast<pc::TReader*>(&Filer) != nullptr)
        Filer.DefineBinaryProperty(
            "Bitmap",
            [this](pc::TStream& Stream) {
                ReadList(Stream);
                UpdateImageInfo();
                Change();
            },
            nullptr, false);
    const pc::TPersistent* Ancestor = Filer.Ancestor();
    const auto* AncestorList = dynamic_cast<const pf::TImageList*>(Ancestor);
    const auto* AncestorToolkit = dynamic_cast<const TcxImageList*>(Ancestor);
    Filer.DefineProperty(
        "FormatVersion", [this](pc::TReader& Reader) { FFormatVersion = Reader.ReadInteger(); },
        [](pc::TWriter& Writer) { Writer.WriteInteger(1); },
        AncestorList == nullptr || AncestorToolkit == nullptr ||
            AncestorToolkit->FFormatVersion != FFormatVersion);
    Filer.DefineProperty(
        "DesignInfo", [this](pc::TReader& Reader) { DesignInfo = Reader.ReadInteger(); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(DesignInfo); }, true);
    Filer.DefineProperty(
        "ImageInfo",
        [this](pc::TReader& Reader) {
            FImageInfo.Clear();
            Reader.ReadCollection(FImageInfo);
            UpdateHandle();
        },
        [this](pc::TWriter& Writer) { Writer.WriteCollection(FImageInfo); },
        AncestorList != nullptr ? !cxImageListsEqual(*this, *AncestorList) : Count() > 0);
}

// ---- Routines ----

void cxGetImageInfo(const pf::TImageList& List, int Index, TcxCustomBitmap* Image,
                    TcxCustomBitmap* Mask) {
    pf::TImageListInfo Info;
    if (!List.GetImageInfo(Index == -1 ? 0 : Index, Info)) return;
    const TRect R = Info.Rect;
    auto CopyPart = [&R](pg::HBITMAP From, TcxCustomBitmap& Into, TPixelFormat Format) {
        const pg::Surface& Source = *pg::BitmapSurface(From);
        Into.SetPixelFormat(Format);
        Into.SetSize(R.Width(), R.Height());
        std::vector<Pixel32> Pixels;
        Pixels.reserve(static_cast<std::size_t>(R.Width()) * static_cast<std::size_t>(R.Height()));
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Pixels.push_back(Source.Pixel(X, Y));
        Into.SetPixels(Pixels);
    };
    if (Image != nullptr) CopyPart(Info.Image, *Image, pf32bit);
    if (Mask != nullptr) CopyPart(Info.Mask, *Mask, pf1bit);
}

int cxGetImageListBitCount(const pf::TImageList& List) {
    return List.BitCount();
}

bool cxImageListsEqual(const pf::TImageList& A, const pf::TImageList& B) {
    if (A.Count() != B.Count()) return false;
    if (A.Count() == 0) return true;
    pc::TMemoryStream StreamA, StreamB;
    A.WriteList(StreamA);
    B.WriteList(StreamB);
    return StreamA.Bytes() == StreamB.Bytes();
}

} // namespace toolkit::base
