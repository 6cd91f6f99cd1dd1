#include "toolkit/base/cx_paint_image.h"

#include "toolkit/base/cx_image_list.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"

#include <algorithm>
#include <cmath>

namespace toolkit::base {

namespace pg = platform::gdi;

TcxPaintImageHook cxPaintImageHook;

namespace {

int Channel(Pixel32 P, int Shift) {
    return static_cast<int>((P >> Shift) & 0xFF);
}

// Source over Dest at constant alpha, the source's colours taken as already weighted by its
// alpha, as the platform's alpha blend takes them.
Pixel32 Over(Pixel32 Source, Pixel32 Dest, int ConstantAlpha) {
    const double A = ConstantAlpha / 255.0;
    const double K = 1 - Channel(Source, 24) * A / 255.0;
    Pixel32 Out = 0;
    for (int Shift : {0, 8, 16, 24}) {
        const long V =
            std::lround(std::nearbyint(Channel(Source, Shift) * A + Channel(Dest, Shift) * K));
        Out |= static_cast<Pixel32>(std::clamp<long>(V, 0, 255)) << Shift;
    }
    return Out;
}

// The image's client rectangle blended into DestRect of Dest, each destination pixel taking
// the nearest source pixel when the sizes differ.
void BlendBitmaps(TcxBitmap& Dest, const TcxBitmap& Source, const TRect& DestRect,
                  int ConstantAlpha) {
    const int SW = Source.Width(), SH = Source.Height();
    const int DW = DestRect.Width(), DH = DestRect.Height();
    if (SW <= 0 || SH <= 0 || DW <= 0 || DH <= 0) return;
    const std::vector<Pixel32> From = Source.GetPixels();
    std::vector<Pixel32> To = Dest.GetPixels();
    for (int Y = 0; Y < DH; ++Y)
        for (int X = 0; X < DW; ++X) {
            const int TX = DestRect.Left + X, TY = DestRect.Top + Y;
            if (TX < 0 || TY < 0 || TX >= Dest.Width() || TY >= Dest.Height()) continue;
            const int FX = X * SW / DW, FY = Y * SH / DH;
            Pixel32& D = To[static_cast<std::size_t>(TY * Dest.Width() + TX)];
            D = Over(From[static_cast<std::size_t>(FY * SW + FX)], D, ConstantAlpha);
        }
    Dest.SetPixels(To);
}

} // namespace

void cxPaintImage(HDC DC, const TRect& GlyphRect, const TRect& BackgroundRect,
                  TcxCustomBitmap* Glyph, const TcxImageList* Images, int ImageIndex,
                  TcxImageDrawMode DrawMode, bool Smooth, pg::HBRUSH Brush, TColor TransparentColor,
                  bool UseGlyphTransparentColor) {
    if (cxPaintImageHook &&
        cxPaintImageHook(DC, GlyphRect, BackgroundRect, Glyph, Images, ImageIndex, DrawMode))
        return;
    const bool HasGlyph = Glyph != nullptr && !Glyph->Empty();
    if (!HasGlyph && (Images == nullptr || ImageIndex < 0 || ImageIndex >= Images->Count())) return;
    (void)Smooth; // nearest-pixel stretching; smooth resampling belongs to the colour routines

    TcxBitmap& Background = cxSharedBitmap(0, BackgroundRect.Width(), BackgroundRect.Height());
    if (Brush == pg::HBRUSH{})
        pg::BitBlt(Background.Canvas().Handle(), 0, 0, Background.Width(), Background.Height(), DC,
                   BackgroundRect.Left, BackgroundRect.Top, pg::SRCCOPY);
    else {
        const TRect All = Background.GetClientRect();
        pg::FillRect(Background.Canvas().Handle(), &All, Brush);
    }
    TRect Target = GlyphRect;
    pg::OffsetRect(Target, -BackgroundRect.Left, -BackgroundRect.Top);

    const int W = HasGlyph ? Glyph->Width() : Images->Width();
    const int H = HasGlyph ? Glyph->Height() : Images->Height();
    TcxBitmap& Image = cxSharedBitmap(1, W, H);
    TcxCustomBitmap ListMask(W, H, pf1bit);
    bool Is32 = false;
    if (HasGlyph) {
        pg::BitBlt(Image.Canvas().Handle(), 0, 0, W, H, Glyph->Canvas().Handle(), 0, 0,
                   pg::SRCCOPY);
        Is32 = Glyph->PixelFormat() == pf32bit;
    } else {
        TcxCustomBitmap Stored(W, H, pf32bit);
        Images->GetImageInfo(ImageIndex, &Stored, &ListMask);
        Image.SetPixels(Stored.GetPixels());
        TcxImageInfo Info;
        Images->GetImageInfo(ImageIndex, Info);
        Is32 = Info.Image && Info.Image->PixelFormat() == pf32bit;
    }
    const bool HasAlpha = Is32 && Image.HasAlpha();
    if (!HasAlpha) Image.ApplyFilter(bfOpaque);

    TcxBitmap& Mask = cxSharedBitmap(2, W, H);
    Mask.SetPixels(Image.GetPixels());
    if (!HasAlpha) {
        if (!HasGlyph) {
            // The list's own mask, white where transparent, taken out of the copy.
            std::vector<Pixel32> Pixels = Mask.GetPixels();
            const std::vector<Pixel32> Bits = ListMask.GetPixels();
            for (std::size_t I = 0; I < Pixels.size(); ++I)
                if (Bits[I] & 0xFFFFFF) Pixels[I] = 0;
            Mask.SetPixels(Pixels);
        }
        if (TransparentColor != pg::clNone) Mask.AddTransparentColor(TransparentColor);
        if (UseGlyphTransparentColor && HasGlyph)
            Mask.AddTransparentColor(static_cast<TColor>(
                pg::PixelToColor(Glyph->GetPixels()[static_cast<std::size_t>((H - 1) * W)]) &
                0xFFFFFF));
    }
    Mask.ApplyFilter(bfMask);
    {
        std::vector<Pixel32> Pixels = Image.GetPixels();
        const std::vector<Pixel32> Bits = Mask.GetPixels();
        for (std::size_t I = 0; I < Pixels.size(); ++I)
            Pixels[I] &= ~Bits[I];
        Image.SetPixels(Pixels);
    }

    int ConstantAlpha = 255;
    switch (DrawMode) {
    case idmNormal:
        break;
    case idmDisabled:
        if (!HasAlpha) {
            Image.ApplyFilter(bfDisabled);
            Image.DrawShadow(Mask, 1, pg::clBtnHighlight, false);
        } else {
            Image.ApplyFilter(bfDisabledGray);
            ConstantAlpha = 151;
        }
        break;
    case idmFaded:
        Image.ApplyFilter(bfFadeGray);
        ConstantAlpha = 64;
        break;
    case idmGrayScale:
        Image.ApplyFilter(bfGrayAverage);
        break;
    case idmDingy:
        Image.ApplyFilter(bfDingy);
        break;
    case idmShadowed:
        Image.DrawShadow(Mask, 2, pg::clBtnShadow, true);
        Target = {Target.Left - 1, Target.Top - 1, Target.Right + 1, Target.Bottom + 1};
        break;
    }
    BlendBitmaps(Background, Image, Target, ConstantAlpha);
    pg::BitBlt(DC, BackgroundRect.Left, BackgroundRect.Top, Background.Width(), Background.Height(),
               Background.Canvas().Handle(), 0, 0, pg::SRCCOPY);
}

} // namespace toolkit::base
