#include "toolkit/base/cx_graphics.h"

#include "toolkit/base/cx_bitmap.h"
#include "toolkit/base/msimg_library.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/ux_theme.h"

#include "platform/forms/controls.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/cursors.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace toolkit::base {

namespace pg = platform::gdi;
namespace pf = platform::forms;
namespace pw = platform::win;

namespace {

// Our platform is of the NT family: never 9x.
constexpr bool IsWin9X = false;
constexpr bool IsWinNT = true;

TRGBQuad Quad(int Blue, int Green, int Red, int Alpha) {
    return {cxByteClamp(Blue), cxByteClamp(Green), cxByteClamp(Red), cxByteClamp(Alpha)};
}

pg::TSize BitmapSize(HBITMAP Bitmap) {
    pg::BITMAP Info;
    if (pg::GetObject(Bitmap, sizeof(Info), &Info) == 0) return {0, 0};
    return {Info.bmWidth, Info.bmHeight};
}

// A memory context with a bitmap selected for its lifetime.
class TMemoryDC {
public:
    explicit TMemoryDC(HBITMAP Bitmap)
        : FDC(pg::CreateCompatibleDC(pg::NullDC)), FOld(pg::SelectObject(FDC, Bitmap)) {}
    ~TMemoryDC() {
        pg::SelectObject(FDC, FOld);
        pg::DeleteDC(FDC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC DC() const { return FDC; }

private:
    HDC FDC;
    pg::HGDIOBJ FOld;
};

// A bitmap may be selected into a context of its owner, and then into no other: the routines
// that need one in a context of their own work on a copy of its pixels.
HBITMAP PixelCopy(HBITMAP Bitmap) {
    const pg::TSize Size = BitmapSize(Bitmap);
    HBITMAP Copy = pg::CreateBitmap(Size.cx, Size.cy, 1, 32, nullptr);
    TRGBQuads Pixels;
    cxGetBitmapPixels(Bitmap, true, Pixels);
    cxSetBitmapPixels(Copy, Pixels, true);
    return Copy;
}

void CopyPixels(HBITMAP From, HBITMAP To) {
    TRGBQuads Pixels;
    cxGetBitmapPixels(From, true, Pixels);
    cxSetBitmapPixels(To, Pixels, true);
}

// ---- Lanczos-3 resampling ----

struct TContribution {
    int Index;
    int Weight;
};
using TContributions = std::vector<std::vector<TContribution>>;

// The source pixels and their weights (scaled by 256) for each destination index.
TContributions Contributions(int SourceSize, int DestSize) {
    const double Scale = SourceSize == 1 || DestSize == 1
                             ? static_cast<double>(DestSize) / SourceSize
                             : static_cast<double>(DestSize - 1) / (SourceSize - 1);
    const double Filter = Scale < 1 ? 1 / Scale : 1;
    const double Radius = 3 * Filter;
    TContributions Result(static_cast<std::size_t>(DestSize));
    for (int I = 0; I < DestSize; ++I) {
        const double Centre = I / Scale;
        const int First = static_cast<int>(std::floor(Centre - Radius));
        const int Last = static_cast<int>(std::ceil(Centre + Radius));
        for (int J = First; J <= Last; ++J) {
            const int Weight =
                static_cast<int>(std::lround(cxLanczos3((Centre - J) / Filter) / Filter * 256));
            if (Weight == 0) continue;
            int K = J < 0 ? -J : J >= SourceSize ? 2 * SourceSize - J - 1 : J;
            // Mirroring alone leaves the image when the filter is wider than the image itself.
            K = std::clamp(K, 0, SourceSize - 1);
            Result[static_cast<std::size_t>(I)].push_back({K, Weight});
        }
    }
    return Result;
}

TRGBQuad Weighted(const std::vector<TContribution>& Weights, const TRGBQuad* Pixels,
                  std::ptrdiff_t Stride) {
    int Blue = 0, Green = 0, Red = 0, Alpha = 0;
    for (const auto& [Index, Weight] : Weights) {
        const TRGBQuad& P = Pixels[Index * Stride];
        Blue += Weight * P.rgbBlue;
        Green += Weight * P.rgbGreen;
        Red += Weight * P.rgbRed;
        Alpha += Weight * P.rgbReserved;
    }
    auto Channel = [](int Sum) { return Sum < 0 ? 0 : std::min(255, Sum >> 8); };
    return Quad(Channel(Blue), Channel(Green), Channel(Red), Channel(Alpha));
}

void OwnResample(HBITMAP Source, HBITMAP Dest, pg::TSize From, pg::TSize To) {
    TRGBQuads In;
    cxGetBitmapPixels(Source, true, In);
    // Across first, into destination width x source height; then down.
    TRGBQuads Across(static_cast<std::size_t>(To.cx) * static_cast<std::size_t>(From.cy));
    const TContributions Columns = Contributions(From.cx, To.cx);
    for (int Y = 0; Y < From.cy; ++Y)
        for (int X = 0; X < To.cx; ++X)
            Across[static_cast<std::size_t>(Y * To.cx + X)] =
                Weighted(Columns[static_cast<std::size_t>(X)],
                         &In[static_cast<std::size_t>(Y * From.cx)], 1);
    TRGBQuads Out(static_cast<std::size_t>(To.cx) * static_cast<std::size_t>(To.cy));
    const TContributions Rows = Contributions(From.cy, To.cy);
    for (int Y = 0; Y < To.cy; ++Y)
        for (int X = 0; X < To.cx; ++X)
            Out[static_cast<std::size_t>(Y * To.cx + X)] = Weighted(
                Rows[static_cast<std::size_t>(Y)], &Across[static_cast<std::size_t>(X)], To.cx);
    cxSetBitmapPixels(Dest, Out, true);
}

// ---- Parent background ----

// The controls whose background is being painted: a parent that paints its graphic children
// paints the one that asked too, which must not ask again.
std::set<const pf::TControl*>& PaintingBackground() {
    static std::set<const pf::TControl*> Controls;
    return Controls;
}

// Paints Painted into DC, its client origin at -Origin; R in Painted's client coordinates.
void PaintCopy(pf::TWinControl* Painted, pf::TControl* Start, HDC DC, TPoint Origin, TRect R,
               bool WithSiblings) {
    const int Saved = pg::SaveDC(DC);
    pg::OffsetWindowOrgEx(DC, Origin.X, Origin.Y, nullptr);
    if (pg::RectVisible(DC, &R)) {
        const pf::TControlState State = Painted->ControlState;
        Painted->ControlState |= pf::csPaintCopy;
        if (Painted != Start->Parent() && Painted->HandleAllocated()) {
            // A sibling beneath: its non-client edge, then its client area inside it.
            const auto ExStyle =
                static_cast<pw::DWORD>(pw::GetWindowLong(Painted->Handle(), pw::GWL_EXSTYLE));
            const auto Style =
                static_cast<pw::DWORD>(pw::GetWindowLong(Painted->Handle(), pw::GWL_STYLE));
            TRect Edge{0, 0, Painted->Width(), Painted->Height()};
            const TRect Whole = Edge;
            if (ExStyle & pw::WS_EX_CLIENTEDGE)
                pg::DrawEdge(DC, &Edge, pg::EDGE_SUNKEN, pg::BF_RECT | pg::BF_ADJUST);
            else if (Style & pw::WS_BORDER)
                pg::DrawEdge(DC, &Edge, pg::BDR_RAISEDOUTER | pg::BDR_SUNKENOUTER,
                             pg::BF_RECT | pg::BF_ADJUST | pg::BF_MONO);
            if (Edge != Whole) {
                pg::IntersectClipRect(DC, Edge.Left, Edge.Top, Edge.Right, Edge.Bottom);
                pg::OffsetWindowOrgEx(DC, -Edge.Left, -Edge.Top, nullptr);
            }
        }
        Painted->Perform(pw::WM_ERASEBKGND, static_cast<pw::WPARAM>(DC), 0);
        Painted->Perform(pw::WM_PAINT, static_cast<pw::WPARAM>(DC), 0);
        if (WithSiblings) {
            for (int I = 0; I < Painted->ControlCount(); ++I) {
                pf::TControl* Child = Painted->Controls(I);
                if (Child == Start) break;
                auto* Windowed = dynamic_cast<pf::TWinControl*>(Child);
                if (!Windowed || !Windowed->Visible()) continue;
                TRect ChildR = R;
                pg::OffsetRect(ChildR, -Windowed->Left(), -Windowed->Top());
                PaintCopy(Windowed, Start, DC, {-Windowed->Left(), -Windowed->Top()}, ChildR,
                          false);
            }
        }
        Painted->ControlState = State;
    }
    pg::RestoreDC(DC, Saved);
}

} // namespace

// ---- Colour arithmetic ----

std::uint8_t cxByteClamp(int I) {
    return static_cast<std::uint8_t>(std::clamp(I, 0, 255));
}

TColor cxGetNearestColor(TColor Color) {
    const HDC DC = pg::CreateSurfaceDC(pg::ScreenSurface());
    const COLORREF Result = pg::GetNearestColor(DC, pg::ColorToRGB(Color) & 0xFFFFFF);
    pg::DeleteDC(DC);
    return static_cast<TColor>(Result);
}

TColor cxGetLightColor(std::int8_t BtnFacePart, std::int8_t HighlightPart, std::int8_t WindowPart) {
    // The same mixture as the Office 2003 scheme's blended system colours.
    return dxOffice11BlendSystemColors(BtnFacePart, HighlightPart, WindowPart);
}

TColor cxGetPressedLightColor() {
    return cxGetNearestColor(cxGetLightColor(14, 44, 40));
}

TColor cxGetHotLightColor() {
    return cxGetNearestColor(cxGetLightColor(-2, 30, 72));
}

TRGBQuad cxColorToRGBQuad(TColor Color, std::uint8_t Alpha) {
    const COLORREF C = pg::ColorToRGB(Color);
    return {static_cast<std::uint8_t>(pg::GetBValue(C)),
            static_cast<std::uint8_t>(pg::GetGValue(C)),
            static_cast<std::uint8_t>(pg::GetRValue(C)), Alpha};
}

void cxBlendPixel(const TRGBQuad& Color, TRGBQuad& Pixel, std::uint8_t Alpha) {
    const double A = Alpha / 255.0;
    const double K = 1 - Color.rgbReserved * A / 255.0;
    // Rounded as the toolkit rounds everywhere: to nearest, halves to even.
    auto Mix = [A, K](int C, int P) { return static_cast<int>(std::nearbyint(C * A + P * K)); };
    Pixel = Quad(Mix(Color.rgbBlue, Pixel.rgbBlue), Mix(Color.rgbGreen, Pixel.rgbGreen),
                 Mix(Color.rgbRed, Pixel.rgbRed), Mix(Color.rgbReserved, Pixel.rgbReserved));
}

// ---- Pixel access and copying ----

namespace {
pg::BITMAPINFO PixelsInfo(pg::TSize Size, bool TopDown) {
    pg::BITMAPINFO Info;
    Info.bmiHeader.biWidth = Size.cx;
    Info.bmiHeader.biHeight = TopDown ? -Size.cy : Size.cy;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = pg::BI_RGB;
    return Info;
}
} // namespace

void cxGetBitmapPixels(HBITMAP Bitmap, bool TopDown, TRGBQuads& Pixels) {
    const pg::TSize Size = BitmapSize(Bitmap);
    Pixels.assign(static_cast<std::size_t>(Size.cx) * static_cast<std::size_t>(Size.cy), {});
    if (Pixels.empty()) return;
    pg::BITMAPINFO Info = PixelsInfo(Size, TopDown);
    const HDC DC = pg::CreateSurfaceDC(pg::ScreenSurface());
    pg::GetDIBits(DC, Bitmap, 0, static_cast<pg::UINT>(Size.cy), Pixels.data(), &Info,
                  pg::DIB_RGB_COLORS);
    pg::DeleteDC(DC);
}

void cxSetBitmapPixels(HBITMAP Bitmap, TRGBQuads& Pixels, bool TopDown) {
    const pg::TSize Size = BitmapSize(Bitmap);
    if (!Pixels.empty() &&
        Pixels.size() == static_cast<std::size_t>(Size.cx) * static_cast<std::size_t>(Size.cy)) {
        const pg::BITMAPINFO Info = PixelsInfo(Size, TopDown);
        const HDC DC = pg::CreateSurfaceDC(pg::ScreenSurface());
        pg::SetDIBits(DC, Bitmap, 0, static_cast<pg::UINT>(Size.cy), Pixels.data(), &Info,
                      pg::DIB_RGB_COLORS);
        pg::DeleteDC(DC);
    }
    TRGBQuads().swap(Pixels);
}

void cxGetBitmapPixels(const TcxCustomBitmap& Bitmap, bool TopDown, TRGBQuads& Pixels) {
    cxGetBitmapPixels(Bitmap.Handle(), TopDown, Pixels);
}

void cxSetBitmapPixels(TcxCustomBitmap& Bitmap, TRGBQuads& Pixels, bool TopDown) {
    cxSetBitmapPixels(Bitmap.Handle(), Pixels, TopDown);
    Bitmap.Changed();
}

void cxBitBlt(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TPoint& SourcePoint,
              pg::DWORD ROP) {
    pg::BitBlt(DestDC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), SourceDC,
               SourcePoint.X, SourcePoint.Y, ROP);
}

void cxBitBltWithPalette(HDC DestDC, HBITMAP Bitmap, const TRect& DestRect,
                         const TPoint& SourcePoint, pg::DWORD ROP) {
    pg::GdiHandle Copy(PixelCopy(Bitmap));
    TMemoryDC Source(static_cast<HBITMAP>(Copy.Get()));
    cxBitBlt(DestDC, Source.DC(), DestRect, SourcePoint, ROP);
}

int cxGetBitmapBitCount(TPixelFormat PixelFormat) {
    switch (PixelFormat) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    case pf32bit:
        return 32;
    default: {
        const HDC DC = pg::CreateSurfaceDC(pg::ScreenSurface());
        const int Bits = pg::GetDeviceCaps(DC, pg::BITSPIXEL);
        pg::DeleteDC(DC);
        return Bits;
    }
    }
}

HBITMAP cxCreateBitmap(int Width, int Height, TPixelFormat PixelFormat) {
    return pg::CreateBitmap(std::max(Width, 0), std::max(Height, 0), 1,
                            PixelFormat == pf1bit ? 1 : 32, nullptr);
}

HBITMAP cxCreateBitmap(const TRect& R, TPixelFormat PixelFormat) {
    return cxCreateBitmap(R.Width(), R.Height(), PixelFormat);
}

// ---- Blending and resampling ----

bool cxAlphaBlendCall(HDC DestDC, const TRect& DestRect, HDC SourceDC, const TRect& SourceRect,
                      std::uint8_t ConstantAlpha) {
    const TAlphaBlend AlphaBlend = MsImgLibrary().AlphaBlend;
    if (!AlphaBlend) return false;
    AlphaBlend(DestDC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), SourceDC,
               SourceRect.Left, SourceRect.Top, SourceRect.Width(), SourceRect.Height(),
               {AC_SRC_OVER, 0, ConstantAlpha, AC_SRC_ALPHA});
    return true;
}

void cxBlendRect(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect,
                 bool Smooth, std::uint8_t ConstantAlpha) {
    const int Width = DestRect.Width(), Height = DestRect.Height();
    if (Width <= 0 || Height <= 0 || SourceRect.Width() <= 0 || SourceRect.Height() <= 0) return;
    const bool Stretch = Smooth && (Width != SourceRect.Width() || Height != SourceRect.Height());
    if (!IsWin9X && MsImgLibrary().AlphaBlend && !Stretch) {
        cxAlphaBlendCall(DestDC, DestRect, SourceDC, SourceRect, ConstantAlpha);
        return;
    }
    pg::GdiHandle SourceCopy(cxCreateBitmap(SourceRect)), DestCopy(cxCreateBitmap(DestRect)),
        Resized(cxCreateBitmap(DestRect));
    const auto SourceBitmap = static_cast<HBITMAP>(SourceCopy.Get());
    const auto DestBitmap = static_cast<HBITMAP>(DestCopy.Get());
    const auto ResizedBitmap = static_cast<HBITMAP>(Resized.Get());
    {
        TMemoryDC Source(SourceBitmap), Dest(DestBitmap);
        cxBitBlt(Source.DC(), SourceDC, {0, 0, SourceRect.Width(), SourceRect.Height()},
                 {SourceRect.Left, SourceRect.Top}, pg::SRCCOPY);
        cxBitBlt(Dest.DC(), DestDC, {0, 0, Width, Height}, {DestRect.Left, DestRect.Top},
                 pg::SRCCOPY);
        if (Smooth) {
            cxResampleBitmap(SourceBitmap, ResizedBitmap, true);
        } else {
            TMemoryDC Target(ResizedBitmap);
            pg::StretchBlt(Target.DC(), 0, 0, Width, Height, Source.DC(), 0, 0, SourceRect.Width(),
                           SourceRect.Height(), pg::SRCCOPY);
        }
    }
    bool Blended = false;
    if (!IsWin9X) {
        TMemoryDC Target(DestBitmap), Source(ResizedBitmap);
        Blended = cxAlphaBlendCall(Target.DC(), {0, 0, Width, Height}, Source.DC(),
                                   {0, 0, Width, Height}, ConstantAlpha);
    }
    if (!Blended) {
        TRGBQuads Over, Under;
        cxGetBitmapPixels(ResizedBitmap, true, Over);
        cxGetBitmapPixels(DestBitmap, true, Under);
        for (std::size_t I = 0; I < Under.size(); ++I)
            cxBlendPixel(Over[I], Under[I], ConstantAlpha);
        cxSetBitmapPixels(DestBitmap, Under, true);
    }
    TMemoryDC Result(DestBitmap);
    cxBitBlt(DestDC, Result.DC(), DestRect, {0, 0}, pg::SRCCOPY);
}

void cxBlendBitmaps(HBITMAP Dest, HBITMAP Source, const TRect& DestRect, const TRect& SourceRect,
                    bool Smooth, std::uint8_t ConstantAlpha) {
    pg::GdiHandle DestCopy(PixelCopy(Dest)), SourceCopy(PixelCopy(Source));
    {
        TMemoryDC DestDC(static_cast<HBITMAP>(DestCopy.Get()));
        TMemoryDC SourceDC(static_cast<HBITMAP>(SourceCopy.Get()));
        cxBlendRect(DestDC.DC(), SourceDC.DC(), DestRect, SourceRect, Smooth, ConstantAlpha);
    }
    CopyPixels(static_cast<HBITMAP>(DestCopy.Get()), Dest);
}

void cxBlendBitmaps(TcxCustomBitmap& Dest, const TcxCustomBitmap& Source, const TRect& DestRect,
                    const TRect& SourceRect, bool Smooth, std::uint8_t ConstantAlpha) {
    cxBlendBitmaps(Dest.Handle(), Source.Handle(), DestRect, SourceRect, Smooth, ConstantAlpha);
    Dest.Changed();
}

void cxResampleBitmap(const TcxCustomBitmap& Source, TcxCustomBitmap& Dest, bool ForceOwnFilter) {
    cxResampleBitmap(Source.Handle(), Dest.Handle(), ForceOwnFilter);
    Dest.Changed();
}

void cxResampleBitmap(HBITMAP Source, HBITMAP Dest, bool ForceOwnFilter) {
    const pg::TSize From = BitmapSize(Source), To = BitmapSize(Dest);
    if (From.cx <= 0 || From.cy <= 0 || To.cx <= 0 || To.cy <= 0) return;
    if (IsWinNT && !ForceOwnFilter) {
        pg::GdiHandle SourceCopy(PixelCopy(Source)), DestCopy(PixelCopy(Dest));
        {
            TMemoryDC SourceDC(static_cast<HBITMAP>(SourceCopy.Get()));
            TMemoryDC DestDC(static_cast<HBITMAP>(DestCopy.Get()));
            const int Previous = pg::SetStretchBltMode(DestDC.DC(), pg::HALFTONE);
            pg::StretchBlt(DestDC.DC(), 0, 0, To.cx, To.cy, SourceDC.DC(), 0, 0, From.cx, From.cy,
                           pg::SRCCOPY);
            pg::SetStretchBltMode(DestDC.DC(), Previous);
        }
        CopyPixels(static_cast<HBITMAP>(DestCopy.Get()), Dest);
        return;
    }
    OwnResample(Source, Dest, From, To);
}

double cxSinc(double X) {
    if (X == 0) return 1;
    const double PiX = std::numbers::pi * X;
    return std::sin(PiX) / PiX;
}

double cxLanczos3(double X) {
    if (std::abs(X) >= 3) return 0;
    return cxSinc(X) * cxSinc(X / 3);
}

// ---- The parent under a transparent control ----

void cxDrawTransparentControlBackground(pf::TControl* Control, HDC DC, const TRect& R) {
    pf::TWinControl* Parent = Control ? Control->Parent() : nullptr;
    if (!Parent) return;
    auto* Windowed = dynamic_cast<pf::TWinControl*>(Control);
    if (!Parent->DoubleBuffered && Windowed && Windowed->HandleAllocated() &&
        IsThemeLibraryLoaded()) {
        const TRect Where = R;
        if (DrawThemeParentBackground(Windowed->Handle(), DC, &Where) == pg::S_OK) return;
    }
    cxPaintParentBackground(Control, DC, R, false);
}

void cxPaintParentBackground(pf::TControl* Control, HDC DC, const TRect& R, bool WithSiblings) {
    pf::TWinControl* Parent = Control ? Control->Parent() : nullptr;
    if (!Parent) return;
    auto& Painting = PaintingBackground();
    if (!Painting.insert(Control).second) return;
    try {
        TRect InParent = R;
        pg::OffsetRect(InParent, Control->Left(), Control->Top());
        PaintCopy(Parent, Control, DC, {Control->Left(), Control->Top()}, InParent, WithSiblings);
    } catch (...) {
        Painting.erase(Control);
        throw;
    }
    Painting.erase(Control);
}

// ---- Other routines ----

namespace {

// The rows of the Width x Width square whose top is row Top of the monochrome Bits (bottom-up
// rows of RowBytes bytes, Height rows), counted from the square's top down to its lowest row
// with a byte other than Blank; 0 when every byte is Blank.
int MaskSquareHeight(const std::vector<std::uint8_t>& Bits, int RowBytes, int Height, int Top,
                     int Width, std::uint8_t Blank) {
    // Bottom-up, the square's bottom row comes first.
    const int First = Height - Top - Width;
    for (int Row = 0; Row < Width; ++Row) {
        const auto Begin = Bits.begin() + static_cast<std::ptrdiff_t>(First + Row) * RowBytes;
        if (std::any_of(Begin, Begin + RowBytes, [Blank](std::uint8_t B) { return B != Blank; }))
            return Width - Row;
    }
    return 0;
}

} // namespace

pg::TSize cxGetCursorSize() {
    pg::TSize Size{pg::GetSystemMetrics(pg::SM_CXCURSOR), pg::GetSystemMetrics(pg::SM_CYCURSOR)};
    pw::ICONINFO Info;
    if (!pw::GetIconInfo(pw::GetCursor(), &Info)) return Size;
    const pg::GdiHandle Mask(Info.hbmMask), Color(Info.hbmColor);
    pg::BITMAP Bitmap;
    if (pg::GetObject(Info.hbmMask, sizeof Bitmap, &Bitmap) == 0 || Bitmap.bmBitsPixel != 1)
        return Size;
    const int Width = Bitmap.bmWidth, Height = Bitmap.bmHeight;
    if (Width <= 0 || Height < Width) return Size;
    Size.cx = Width;
    const int RowBytes = (Width + 31) / 32 * 4;
    // The padding bits of each row stay blank for both searches: 1 for the AND mask, 0 for XOR.
    const auto Read = [&](std::uint8_t Blank) {
        std::vector<std::uint8_t> Bits(static_cast<std::size_t>(RowBytes) * Height, Blank);
        pg::BITMAPINFO BitsInfo;
        BitsInfo.bmiHeader.biWidth = Width;
        BitsInfo.bmiHeader.biHeight = Height;
        BitsInfo.bmiHeader.biBitCount = 1;
        const HDC DC = pg::CreateSurfaceDC(pg::ScreenSurface());
        pg::GetDIBits(DC, Info.hbmMask, 0, static_cast<pg::UINT>(Height), Bits.data(), &BitsInfo,
                      pg::DIB_RGB_COLORS);
        pg::DeleteDC(DC);
        return Bits;
    };
    int Shown = MaskSquareHeight(Read(0xFF), RowBytes, Height, 0, Width, 0xFF);
    if (Shown == 0 && Height >= 2 * Width)
        Shown = MaskSquareHeight(Read(0x00), RowBytes, Height, Width, Width, 0x00);
    if (Shown > 0) Size.cy = Shown - static_cast<int>(Info.yHotspot);
    return Size;
}

bool cxIsSpecialCharsetText(int Charset, std::string_view Text) {
    constexpr int DEFAULT_CHARSET = 1, SystemDefaultCharset = 0;
    if (Charset == DEFAULT_CHARSET) Charset = SystemDefaultCharset;
    if (Text.empty() || static_cast<unsigned char>(Text.front()) < 128) return false;
    return Charset == 134 || Charset == 136 || Charset == 178;
}

HBRUSH cxSystemBrush(int Index) {
    if (Index < 0 || Index >= cxSystemBrushCount) return pg::NullObject;
    return pg::GetSysColorBrush(Index);
}

HBRUSH cxHalftoneBrush() {
    static const pg::GdiHandle Brush([] {
        const std::uint16_t Rows[8] = {0x00AA, 0x0055, 0x00AA, 0x0055,
                                       0x00AA, 0x0055, 0x00AA, 0x0055};
        pg::GdiHandle Pattern(pg::CreateBitmap(8, 8, 1, 1, Rows));
        return pg::CreatePatternBrush(static_cast<HBITMAP>(Pattern.Get()));
    }());
    return static_cast<HBRUSH>(Brush.Get());
}

} // namespace toolkit::base
