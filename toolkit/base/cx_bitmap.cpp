#include "toolkit/base/cx_bitmap.h"

#include "toolkit/base/cx_bitmap_codec.h"

#include "platform/core/exception.h"
#include "platform/gdi/surface.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

int BitsOf(TPixelFormat Format) {
    return Format == pf1bit ? 1 : Format == pf24bit ? 24 : 32;
}

int RoundEven(double Value) {
    return static_cast<int>(std::nearbyint(Value)); // ties to even, the default rounding
}

int MulDiv(int A, int B, int C) {
    const long long P = static_cast<long long>(A) * B;
    return static_cast<int>(P >= 0 ? (P + C / 2) / C : (P - C / 2) / C);
}

int Channel(Pixel32 P, int Shift) {
    return static_cast<int>((P >> Shift) & 0xFF);
}

Pixel32 MakePixel(int A, int R, int G, int B) {
    return static_cast<Pixel32>(A) << 24 | static_cast<Pixel32>(R) << 16 |
           static_cast<Pixel32>(G) << 8 | static_cast<Pixel32>(B);
}

Pixel32 Gray(Pixel32 P, double WR, double WG, double WB) {
    const int V = std::clamp(
        RoundEven(WR * Channel(P, 16) + WG * Channel(P, 8) + WB * Channel(P, 0)), 0, 255);
    return MakePixel(Channel(P, 24), V, V, V);
}

// The bitmap file image of pixels of a format: file header, information header, the two
// colours of a monochrome image, rows bottom-up.
std::vector<std::uint8_t> BitmapFileImage(const TcxCustomBitmap& Bitmap) {
    const int Bits = BitsOf(Bitmap.PixelFormat());
    const int W = Bitmap.Width(), H = Bitmap.Height();
    const int Stride = ((W * Bits + 31) / 32) * 4;
    const int Palette = Bits == 1 ? 8 : 0;
    const int Offset = 14 + 40 + Palette;
    std::vector<std::uint8_t> Out;
    auto U16 = [&](unsigned V) {
        Out.push_back(V & 0xFF);
        Out.push_back((V >> 8) & 0xFF);
    };
    auto U32 = [&](std::uint32_t V) {
        U16(V & 0xFFFF);
        U16(V >> 16);
    };
    Out.push_back('B');
    Out.push_back('M');
    U32(static_cast<std::uint32_t>(Offset + Stride * H));
    U32(0);
    U32(static_cast<std::uint32_t>(Offset));
    U32(40);
    U32(static_cast<std::uint32_t>(W));
    U32(static_cast<std::uint32_t>(H));
    U16(1);
    U16(static_cast<unsigned>(Bits));
    for (int I = 0; I < 6; ++I)
        U32(0);
    if (Bits == 1) {
        U32(0);
        U32(0xFFFFFF);
    }
    const std::vector<Pixel32> Pixels = Bitmap.GetPixels();
    for (int Y = H - 1; Y >= 0; --Y) {
        std::vector<std::uint8_t> Row(static_cast<std::size_t>(Stride), 0);
        for (int X = 0; X < W; ++X)
            pg::WritePixel(Row.data(), X, Bits, Pixels[static_cast<std::size_t>(Y * W + X)]);
        Out.insert(Out.end(), Row.begin(), Row.end());
    }
    return Out;
}

[[noreturn]] void InvalidImage() {
    throw platform::core::Exception("Bitmap image is not valid");
}

std::uint32_t ReadU32(std::span<const std::uint8_t> Data, std::size_t At) {
    if (At > Data.size() || Data.size() - At < 4) InvalidImage();
    return Data[At] | Data[At + 1] << 8 | Data[At + 2] << 16 |
           static_cast<std::uint32_t>(Data[At + 3]) << 24;
}

// The largest image a stream may hold, so that damaged sizes cannot ask for all memory.
constexpr std::size_t MaxImageBytes = std::size_t{64} << 20;
constexpr int MaxSide = 16384;

void LoadFileImage(TcxCustomBitmap& Bitmap, std::span<const std::uint8_t> Image) {
    if (Image.size() < 54 || Image[0] != 'B' || Image[1] != 'M') InvalidImage();
    const std::uint32_t Offset = ReadU32(Image, 10);
    const auto W = static_cast<std::int32_t>(ReadU32(Image, 18));
    const auto RawH = static_cast<std::int32_t>(ReadU32(Image, 22));
    const unsigned Bits = Image[28] | Image[29] << 8;
    const std::uint32_t Compression = ReadU32(Image, 30);
    if (W < 0 || W > MaxSide || RawH < -MaxSide || RawH > MaxSide || Compression != 0 ||
        (Bits != 1 && Bits != 24 && Bits != 32))
        InvalidImage();
    const bool TopDown = RawH < 0;
    const int H = TopDown ? -RawH : RawH;
    const std::size_t Stride = ((static_cast<std::size_t>(W) * Bits + 31) / 32) * 4;
    if (Offset > Image.size() ||
        (Image.size() - Offset) / std::max<std::size_t>(Stride, 1) < static_cast<std::size_t>(H))
        InvalidImage();
    std::array<Pixel32, 2> Colors{0, 0xFFFFFF};
    if (Bits == 1 && Offset >= 62)
        Colors = {ReadU32(Image, 54) & 0xFFFFFF, ReadU32(Image, 58) & 0xFFFFFF};
    Bitmap.SetPixelFormat(Bits == 1 ? pf1bit : Bits == 24 ? pf24bit : pf32bit);
    Bitmap.SetSize(W, H);
    std::vector<Pixel32> Pixels(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
    for (int Y = 0; Y < H; ++Y) {
        const std::uint8_t* Row =
            Image.data() + Offset + Stride * static_cast<std::size_t>(TopDown ? Y : H - 1 - Y);
        for (int X = 0; X < W; ++X) {
            Pixel32 P = 0;
            if (Bits == 1)
                P = Colors[(Row[X / 8] >> (7 - X % 8)) & 1];
            else if (Bits == 24)
                P = MakePixel(0, Row[X * 3 + 2], Row[X * 3 + 1], Row[X * 3]);
            else
                P = ReadU32(Image, static_cast<std::size_t>(Row - Image.data()) +
                                       static_cast<std::size_t>(X) * 4);
            Pixels[static_cast<std::size_t>(Y * W + X)] = P;
        }
    }
    Bitmap.SetPixels(Pixels);
}

} // namespace

TcxCustomBitmap::TcxCustomBitmap() : TcxCustomBitmap(0, 0) {}

TcxCustomBitmap::TcxCustomBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat)
    : FcxCanvas(std::make_unique<TcxCanvas>(&FCanvas)) {
    FDC = pg::CreateCompatibleDC(pg::NullDC);
    BeginUpdate();
    Recreate(AWidth, AHeight, APixelFormat);
    EndUpdate(true);
}

TcxCustomBitmap::TcxCustomBitmap(const TRect& R) : TcxCustomBitmap(R.Width(), R.Height()) {}

TcxCustomBitmap::~TcxCustomBitmap() {
    FCanvas.SetHandle(pg::NullDC);
    pg::SelectObject(FDC, FOld);
    pg::DeleteDC(FDC);
    if (FBitmap != HBITMAP{}) pg::DeleteObject(FBitmap);
}

void TcxCustomBitmap::Recreate(int AWidth, int AHeight, TPixelFormat Format) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (FBitmap != HBITMAP{} && AWidth == FWidth && AHeight == FHeight && Format == FPixelFormat)
        return;
    pg::BITMAPINFO Info;
    Info.bmiHeader.biWidth = std::max(1, AWidth);
    Info.bmiHeader.biHeight = -std::max(1, AHeight);
    Info.bmiHeader.biBitCount = static_cast<std::uint16_t>(BitsOf(Format));
    void* Bits = nullptr;
    const HBITMAP Next = pg::CreateDIBSection(pg::NullDC, &Info, pg::DIB_RGB_COLORS, &Bits);
    if (FBitmap != HBITMAP{}) {
        // What still fits is kept.
        const pg::Surface& Old = *pg::BitmapSurface(FBitmap);
        pg::Surface& New = *pg::BitmapSurface(Next);
        for (int Y = 0; Y < std::min(AHeight, FHeight); ++Y)
            for (int X = 0; X < std::min(AWidth, FWidth); ++X)
                New.SetPixel(X, Y, Old.Pixel(X, Y));
    }
    FCanvas.SetHandle(pg::NullDC);
    const pg::HGDIOBJ Previous = pg::SelectObject(FDC, Next);
    if (FBitmap == HBITMAP{})
        FOld = Previous;
    else
        pg::DeleteObject(FBitmap);
    FBitmap = Next;
    FWidth = AWidth;
    FHeight = AHeight;
    FPixelFormat = Format;
    FCanvas.SetHandle(FDC);
    Changed();
}

void TcxCustomBitmap::SetPixelFormat(TPixelFormat Value) {
    Recreate(FWidth, FHeight, Value);
}

void TcxCustomBitmap::SetSize(int AWidth, int AHeight) {
    BeginUpdate();
    Recreate(AWidth, AHeight, FPixelFormat);
    EndUpdate(false);
}

void TcxCustomBitmap::EndUpdate(bool Force) {
    if (FChangeLockCount > 0) --FChangeLockCount;
    if (Force || FChangedWhileLocked) Changed();
}

void TcxCustomBitmap::Changed() {
    if (FChangeLockCount > 0) {
        FChangedWhileLocked = true;
        return;
    }
    if (OnChange) OnChange();
    Update();
    FChangedWhileLocked = false;
}

void TcxCustomBitmap::Clear() {
    FcxCanvas->FillRect(GetClientRect(), pg::clBlack);
}

void TcxCustomBitmap::Assign(const TcxCustomBitmap& Source) {
    BeginUpdate();
    Recreate(Source.FWidth, Source.FHeight, Source.FPixelFormat);
    *pg::BitmapSurface(FBitmap) = *pg::BitmapSurface(Source.FBitmap);
    EndUpdate(true);
}

void TcxCustomBitmap::CopyBitmap(TcxCustomBitmap& Source, DWORD ROP) {
    pg::BitBlt(FDC, 0, 0, FWidth, FHeight, Source.Canvas().Handle(), 0, 0, ROP);
    Changed();
}

std::vector<Pixel32> TcxCustomBitmap::GetPixels() const {
    std::vector<Pixel32> Pixels;
    Pixels.reserve(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight));
    const pg::Surface& S = *pg::BitmapSurface(FBitmap);
    for (int Y = 0; Y < FHeight; ++Y)
        for (int X = 0; X < FWidth; ++X)
            Pixels.push_back(S.Pixel(X, Y));
    return Pixels;
}

void TcxCustomBitmap::SetPixels(const std::vector<Pixel32>& Pixels) {
    pg::Surface& S = *pg::BitmapSurface(FBitmap);
    for (int Y = 0; Y < FHeight; ++Y)
        for (int X = 0; X < FWidth; ++X)
            S.SetPixel(X, Y, Pixels[static_cast<std::size_t>(Y * FWidth + X)]);
}

void TcxCustomBitmap::Rotate(TcxBitmapRotation Mode, bool Flip) {
    if (Mode == brNone && !Flip) return;
    const int W = FWidth, H = FHeight;
    const std::vector<Pixel32> Source = GetPixels();
    const bool Swap = Mode == bra90 || Mode == brs90;
    const int NW = Swap ? H : W;
    std::vector<Pixel32> Target(Source.size());
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            int Row = Y, Col = X;
            switch (Mode) {
            case brNone:
                Row = H - 1 - Y;
                break;
            case bra90:
                Row = Flip ? X : W - 1 - X;
                Col = Y;
                break;
            case brs90:
                Row = Flip ? W - 1 - X : X;
                Col = H - 1 - Y;
                break;
            case bra180:
                Row = Flip ? Y : H - 1 - Y;
                Col = W - 1 - X;
                break;
            }
            Target[static_cast<std::size_t>(Row * NW + Col)] =
                Source[static_cast<std::size_t>(Y * W + X)];
        }
    BeginUpdate();
    if (Swap) Recreate(H, W, FPixelFormat);
    SetPixels(Target);
    Changed();
    EndUpdate(false);
}

void TcxCustomBitmap::WriteData(std::vector<std::uint8_t>& Stream) const {
    const std::vector<std::uint8_t> Image = BitmapFileImage(*this);
    std::vector<std::uint8_t> Plain;
    for (int I = 0; I < 4; ++I)
        Plain.push_back(static_cast<std::uint8_t>(Image.size() >> (8 * I)));
    Plain.insert(Plain.end(), Image.begin(), Image.end());
    if (!CompressData) {
        Stream.insert(Stream.end(), Plain.begin(), Plain.end());
        return;
    }
    const std::vector<std::uint8_t> Packed = cxWriteCompressedStream(Plain);
    Stream.insert(Stream.end(), Packed.begin(), Packed.end());
}

std::size_t TcxCustomBitmap::ReadData(std::span<const std::uint8_t> Data) {
    std::vector<std::uint8_t> Content;
    std::size_t Consumed = 0;
    std::span<const std::uint8_t> Plain = Data;
    if (cxIsCompressedStream(Data)) {
        auto Decoded = cxReadCompressedStream(Data, MaxImageBytes + 4);
        if (!Decoded) InvalidImage();
        Content = std::move(Decoded->Content);
        Consumed = Decoded->Consumed;
        Plain = Content;
    }
    const std::uint32_t Length = ReadU32(Plain, 0);
    if (Length > Plain.size() - 4) InvalidImage();
    if (Consumed == 0) Consumed = 4 + std::size_t{Length};
    BeginUpdate();
    if (Length == 0)
        Recreate(0, 0, FPixelFormat);
    else
        LoadFileImage(*this, Plain.subspan(4, Length));
    EndUpdate(true);
    return Consumed;
}

TcxBitmap::TcxBitmap(int AWidth, int AHeight, Pixel32 ATransparentBkColor)
    : TcxCustomBitmap(AWidth, AHeight, pf32bit), TransparentBkColor(ATransparentBkColor) {
    Clear();
}

void TcxBitmap::SetSize(int AWidth, int AHeight) {
    TcxCustomBitmap::SetSize(AWidth, AHeight);
    Clear();
}

void TcxBitmap::Clear() {
    if (TransparentBkColor >> 24 != 0)
        ApplyFilter(bfFill);
    else
        TcxCustomBitmap::Clear();
}

void TcxBitmap::AddTransparentColor(TColor Color) {
    TransparentColors.push_back(cxRGBQuadToPixel(cxColorToRGBQuad(Color, 0)) & 0xFFFFFF);
}

bool TcxBitmap::IsTransparentPixel(Pixel32 Pixel) const {
    return Pixel == TransparentBkColor ||
           std::find(TransparentColors.begin(), TransparentColors.end(), Pixel & 0xFFFFFF) !=
               TransparentColors.end();
}

void TcxBitmap::ApplyFilter(TcxBitmapFilter Filter) {
    std::vector<Pixel32> Pixels = GetPixels();
    const TRGBQuad Shadow = cxColorToRGBQuad(pg::clBtnShadow, 192);
    for (Pixel32& P : Pixels) {
        const bool Always = Filter == bfOpaque || Filter == bfFill || Filter == bfClearAlpha;
        if (Filter == bfMask) {
            P = IsTransparentPixel(P) ? 0xFFFFFFFF : 0;
            continue;
        }
        if (!Always && IsTransparentPixel(P)) continue;
        const int A = Channel(P, 24), R = Channel(P, 16), G = Channel(P, 8), B = Channel(P, 0);
        switch (Filter) {
        case bfDingy:
            if (A < 255)
                P = MakePixel(MulDiv(A, 200, 255), MulDiv(R, 200, 255), MulDiv(G, 200, 255),
                              MulDiv(B, 200, 255));
            else
                P = MakePixel(A, R + MulDiv(255 - R, 3, 10), G + MulDiv(255 - G, 3, 10),
                              B + MulDiv(255 - B, 3, 10));
            break;
        case bfDisabled: {
            TRGBQuad Grey = cxPixelToRGBQuad(Gray(P, 0.299, 0.587, 0.114));
            cxBlendPixel(Shadow, Grey, 238);
            P = cxRGBQuadToPixel(Grey);
            break;
        }
        case bfGrayAverage: {
            const int V = (R + G + B) / 3;
            P = MakePixel(A, V, V, V);
            break;
        }
        case bfOpaque:
            P |= 0xFF000000;
            break;
        case bfFadeGray:
            P = Gray(P, 0.299, 0.587, 0.114);
            break;
        case bfDisabledGray:
            P = Gray(P, 0.0729, 0.7146, 0.2125);
            break;
        case bfOpaqueNonTransparent:
            if (A == 0) P |= 0xFF000000;
            break;
        case bfFill:
            P = TransparentBkColor;
            break;
        case bfClearAlpha:
            P &= 0x00FFFFFF;
            break;
        case bfMask:
            break;
        }
    }
    SetPixels(Pixels);
    Changed();
}

bool TcxBitmap::HasAlpha() const {
    const std::vector<Pixel32> Pixels = GetPixels();
    return std::any_of(Pixels.begin(), Pixels.end(), [](Pixel32 P) { return (P >> 24) != 0; });
}

void TcxBitmap::DrawShadow(TcxBitmap& Mask, int Offset, TColor ShadowColor, bool Grow) {
    // The shadow lies under the image: it shows only where the image is transparent (black with
    // alpha 0 after masking), so the image keeps its own pixels.
    const int W = Width(), H = Height();
    const std::vector<Pixel32> Image = GetPixels();
    const std::vector<Pixel32> Shape = Mask.GetPixels();
    const int MW = Mask.Width(), MH = Mask.Height();
    auto InShape = [&](int X, int Y) {
        return X >= 0 && Y >= 0 && X < MW && Y < MH &&
               Shape[static_cast<std::size_t>(Y * MW + X)] == 0;
    };
    const int NW = Grow ? W + Offset : W, NH = Grow ? H + Offset : H;
    const Pixel32 ShadowPixel = cxRGBQuadToPixel(cxColorToRGBQuad(ShadowColor, 255));
    std::vector<Pixel32> Result(static_cast<std::size_t>(NW) * static_cast<std::size_t>(NH), 0);
    for (int Y = 0; Y < NH; ++Y)
        for (int X = 0; X < NW; ++X) {
            Pixel32& Out = Result[static_cast<std::size_t>(Y * NW + X)];
            if (X < W && Y < H && InShape(X, Y))
                Out = Image[static_cast<std::size_t>(Y * W + X)];
            else if (InShape(X - Offset, Y - Offset))
                Out = ShadowPixel;
        }
    BeginUpdate();
    if (Grow) TcxCustomBitmap::SetSize(NW, NH);
    SetPixels(Result);
    Changed();
    EndUpdate(false);
}

TcxBitmap& cxSharedBitmap(int Index, int AWidth, int AHeight) {
    static std::array<std::unique_ptr<TcxBitmap>, 3> Shared;
    auto& Slot = Shared.at(static_cast<std::size_t>(Index));
    if (!Slot) {
        Slot = std::make_unique<TcxBitmap>(AWidth, AHeight);
    } else {
        Slot->TransparentColors.clear();
        Slot->TransparentBkColor = 0;
        Slot->SetSize(AWidth, AHeight);
    }
    return *Slot;
}

} // namespace toolkit::base
