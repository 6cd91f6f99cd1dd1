#include "toolkit/base/cx_paint_image.h"

#include "toolkit/base/cx_image_list.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"

namespace toolkit::base {

namespace pg = platform::gdi;

TcxPaintImageHook cxPaintImageHook;

void cxPaintImage(HDC DC, const TRect& GlyphRect, const TRect& BackgroundRect,
                  TcxCustomBitmap* Glyph, const TcxImageList* Images, int ImageIndex,
                  TcxImageDrawMode DrawMode, bool Smooth, pg::HBRUSH Brush, TColor TransparentColor,
                  bool UseGlyphTransparentColor) {
    if (cxPaintImageHook &&
        cxPaintImageHook(DC, GlyphRect, BackgroundRect, Glyph, Images, ImageIndex, DrawMode))
        return;
    const bool HasGlyph = Glyph != nullptr && !Glyph->Empty();
    if (!HasGlyph && (Images == nullptr || ImageIndex < 0 || ImageIndex >= Images->Count())) return;

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

    std::uint8_t ConstantAlpha = 255;
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
    cxBlendBitmaps(Background, Image, Target, Image.GetClientRect(), Smooth, ConstantAlpha);
    pg::BitBlt(DC, BackgroundRect.Left, BackgroundRect.Top, Background.Width(), Background.Height(),
               Background.Canvas().Handle(), 0, 0, pg::SRCCOPY);
}

} // namespace toolkit::base
