#include "toolkit/bars/painters/dx_bar_drawing.h"

#include "toolkit/bars/model/dx_bar_unit.h"

#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/theme_manager.h"
#include "toolkit/base/ux_theme.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"

#include <algorithm>
#include <vector>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace tb = toolkit::base;

namespace {

// A solid pen and brush of one colour selected for a shape, put back and deleted after.
class TSolidShape {
public:
    TSolidShape(HDC DC, pg::COLORREF Color)
        : FDC(DC), FPen(pg::CreatePen(pg::PS_SOLID, 1, Color)), FBrush(pg::CreateSolidBrush(Color)),
          FOldPen(pg::SelectObject(DC, FPen)), FOldBrush(pg::SelectObject(DC, FBrush)) {}
    ~TSolidShape() {
        pg::SelectObject(FDC, FOldPen);
        pg::SelectObject(FDC, FOldBrush);
        pg::DeleteObject(FPen);
        pg::DeleteObject(FBrush);
    }
    TSolidShape(const TSolidShape&) = delete;
    TSolidShape& operator=(const TSolidShape&) = delete;

private:
    HDC FDC;
    pg::HPEN FPen;
    HBRUSH FBrush;
    pg::HGDIOBJ FOldPen, FOldBrush;
};

void Line(HDC DC, int X1, int Y1, int X2, int Y2) {
    pg::MoveToEx(DC, X1, Y1, nullptr);
    pg::LineTo(DC, X2, Y2);
}

int MulDiv(int A, int B, int C) {
    return static_cast<int>(static_cast<long long>(A) * B / C);
}

// A memory context with a bitmap of its own, freed with it.
class TMemoryDC {
public:
    TMemoryDC(HDC Reference, int Width, int Height, bool Mono = false)
        : FDC(pg::CreateCompatibleDC(Reference)),
          FBitmap(Mono ? pg::CreateBitmap(Width, Height, 1, 1, nullptr)
                       : pg::CreateCompatibleBitmap(Reference, Width, Height)),
          FOld(pg::SelectObject(FDC, FBitmap)) {}
    ~TMemoryDC() {
        pg::SelectObject(FDC, FOld);
        pg::DeleteObject(FBitmap);
        pg::DeleteDC(FDC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC DC() const { return FDC; }
    HBITMAP Bitmap() const { return FBitmap; }
    // The bitmap's pixels are read and written while it is not selected.
    template <class F> void EditPixels(F Edit) {
        pg::SelectObject(FDC, FOld);
        tb::TRGBQuads Pixels;
        tb::cxGetBitmapPixels(FBitmap, true, Pixels);
        for (auto& Q : Pixels)
            Edit(Q);
        tb::cxSetBitmapPixels(FBitmap, Pixels, true);
        pg::SelectObject(FDC, FBitmap);
    }

private:
    HDC FDC;
    HBITMAP FBitmap;
    pg::HGDIOBJ FOld;
};

} // namespace

// Arrows

void DrawArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected, bool Flat) {
    const int V = Down ? R.Right - R.Left - 8 : R.Bottom - R.Top - 6;
    int Size = (V - 1) / 2;
    if (V % 2 != 0) ++Size;
    DrawArrow(DC, R, Down, std::max(Size, 3), Selected, Enabled, Flat);
}

void DrawArrow(HDC DC, const TRect& R, bool Down, int Size, bool Selected, bool Enabled,
               bool Flat) {
    int ColorIndex = pg::COLOR_BTNTEXT;
    if (!Enabled)
        ColorIndex = pg::COLOR_BTNSHADOW;
    else if (Selected)
        ColorIndex = tb::IsHighContrastWhite() ? pg::COLOR_BTNFACE : pg::COLOR_HIGHLIGHTTEXT;
    int X, Y;
    pg::TPoint P[3];
    if (Down) {
        X = (R.Left + R.Right - (2 * Size - 1)) / 2;
        Y = (R.Top + R.Bottom - Size) / 2;
        P[0] = {X, Y};
        P[1] = {X + 2 * Size - 2, Y};
        P[2] = {X + Size - 1, Y + Size - 1};
    } else {
        X = (R.Left + R.Right - Size) / 2;
        Y = (R.Top + R.Bottom - (2 * Size - 1)) / 2;
        P[0] = {X, Y};
        P[1] = {X, Y + 2 * Size - 2};
        P[2] = {X + Size - 1, Y + Size - 1};
    }
    {
        TSolidShape Shape(DC, pg::GetSysColor(ColorIndex));
        pg::Polygon(DC, P, 3);
    }
    if (Enabled || Flat) return;
    const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, pg::GetSysColor(pg::COLOR_3DHILIGHT));
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Pen);
    if (Down) {
        Line(DC, X + Size, Y + Size - 1, X + 2 * Size - 1, Y);
        Line(DC, X + Size, Y + Size, X + 2 * Size, Y);
    } else {
        Line(DC, X + Size - 1, Y + Size, X, Y + 2 * Size - 1);
        Line(DC, X + Size, Y + Size, X, Y + 2 * Size);
    }
    pg::SelectObject(DC, Old);
    pg::DeleteObject(Pen);
}

// Frames, colours and gradients

void FrameRectHighlight(HDC DC, const TRect& R) {
    pg::FrameRect(DC, &R, pg::GetSysColorBrush(pg::COLOR_HIGHLIGHT));
}

TColor GetNearestScreenColor(TColor Color) {
    return tb::cxGetNearestColor(Color);
}

void FillGradientRect(HDC DC, const TRect& R, TColor StartColor, TColor EndColor) {
    const pg::COLORREF S = pg::ColorToRGB(StartColor), E = pg::ColorToRGB(EndColor);
    const int H = R.Bottom - R.Top;
    auto Channel = [](int From, int To, int I) { return From + MulDiv(I, To - From, 255); };
    for (int I = 0; I < 256; ++I) {
        const TRect Band{R.Left, R.Top + MulDiv(I, H, 256), R.Right, R.Top + MulDiv(I + 1, H, 256)};
        if (Band.Bottom <= Band.Top) continue;
        const HBRUSH Brush =
            pg::CreateSolidBrush(pg::RGB(Channel(pg::GetRValue(S), pg::GetRValue(E), I),
                                         Channel(pg::GetGValue(S), pg::GetGValue(E), I),
                                         Channel(pg::GetBValue(S), pg::GetBValue(E), I)));
        pg::FillRect(DC, &Band, Brush);
        pg::DeleteObject(Brush);
    }
}

void FillBackground(HDC DC, const TRect& DestRect, const TRect& SourceRect,
                    platform::forms::TBitmap* Bitmap, int SystemColorIndex, HBRUSH Brush) {
    if (Bitmap == nullptr || Bitmap->Empty()) {
        if (Brush != HBRUSH{}) {
            pg::FillRect(DC, &DestRect, Brush);
        } else {
            const HBRUSH Temporary = pg::CreateSolidBrush(pg::GetSysColor(SystemColorIndex));
            pg::FillRect(DC, &DestRect, Temporary);
            pg::DeleteObject(Temporary);
        }
        return;
    }
    if (SourceRect.Right <= SourceRect.Left || SourceRect.Bottom <= SourceRect.Top) return;
    const int W = Bitmap->Width(), H = Bitmap->Height();
    TdxClipRgnSave Saved = SaveClipRgn(DC);
    pg::IntersectClipRect(DC, DestRect.Left, DestRect.Top, DestRect.Right, DestRect.Bottom);
    const HDC BitmapDC = Bitmap->Canvas().Handle();
    // Source space: the tile grid lies at multiples of the bitmap size.
    const int DX = DestRect.Left - SourceRect.Left, DY = DestRect.Top - SourceRect.Top;
    auto FloorTo = [](int V, int Step) {
        return V >= 0 ? V / Step * Step : -((-V + Step - 1) / Step) * Step;
    };
    for (int Y = FloorTo(SourceRect.Top, H); Y < SourceRect.Bottom; Y += H)
        for (int X = FloorTo(SourceRect.Left, W); X < SourceRect.Right; X += W)
            pg::BitBlt(DC, X + DX, Y + DY, W, H, BitmapDC, 0, 0, pg::SRCCOPY);
    RestoreClipRgn(DC, Saved);
}

void DrawSizeGripTransparent(HDC DC, const TRect& R) {
    const int W = R.Right - R.Left, H = R.Bottom - R.Top;
    if (W <= 0 || H <= 0) return;
    TMemoryDC Grip(DC, W, H);
    TRect G{0, 0, W, H};
    pg::DrawFrameControl(Grip.DC(), &G, pg::DFC_SCROLL, pg::DFCS_SCROLLSIZEGRIP);
    TMemoryDC Mask(DC, W, H, true);
    pg::SetBkColor(Grip.DC(), pg::GetSysColor(pg::COLOR_BTNFACE));
    pg::BitBlt(Mask.DC(), 0, 0, W, H, Grip.DC(), 0, 0, pg::SRCCOPY);
    TMemoryDC Result(DC, W, H);
    pg::BitBlt(Result.DC(), 0, 0, W, H, DC, R.Left, R.Top, pg::SRCCOPY);
    pg::SetTextColor(Result.DC(), 0x000000);
    pg::SetBkColor(Result.DC(), 0xFFFFFF);
    pg::SetTextColor(Grip.DC(), 0x000000);
    pg::SetBkColor(Grip.DC(), 0xFFFFFF);
    // Grip pixels white in the background, the face white in the grip, then the two ANDed.
    pg::BitBlt(Result.DC(), 0, 0, W, H, Mask.DC(), 0, 0, pg::MERGEPAINT);
    pg::BitBlt(Grip.DC(), 0, 0, W, H, Mask.DC(), 0, 0, pg::SRCPAINT);
    pg::BitBlt(Result.DC(), 0, 0, W, H, Grip.DC(), 0, 0, pg::SRCAND);
    pg::BitBlt(DC, R.Left, R.Top, W, H, Result.DC(), 0, 0, pg::SRCCOPY);
}

// Visual styles

namespace {

// Theme parts and properties these routines read.
constexpr int WP_SMALLCLOSEBUTTON = 19;
constexpr int SBP_SIZEBOX = 10;
constexpr int SZB_RIGHTALIGN = 1;
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;

TColor ThemeColor(platform::gdi::HTHEME Theme, int PartId, int StateId, int PropId,
                  TColor Fallback) {
    pg::COLORREF Color = 0;
    if (Theme == tb::NullTheme ||
        tb::GetThemeColor(Theme, PartId, StateId, PropId, &Color) != pg::S_OK)
        return Fallback;
    return static_cast<TColor>(Color);
}

pg::TSize ThemePartSize(tb::TdxThemeClassKind Kind, int PartId, int StateId) {
    pg::TSize Size{};
    const pg::HTHEME Theme = tb::OpenTheme(Kind);
    if (Theme == tb::NullTheme || tb::GetThemePartSizeNoRect(Theme, pg::NullDC, PartId, StateId,
                                                             tb::TS_TRUE, &Size) != pg::S_OK)
        return {};
    return Size;
}

} // namespace

int GetItemControlThemeState(bool Enabled, bool Selected) {
    if (!Enabled) return 4;
    return Selected ? 6 : 1;
}

TColor GetThemedFillColor(platform::gdi::HTHEME Theme, int PartId, int StateId) {
    return ThemeColor(Theme, PartId, StateId, TMT_FILLCOLOR, pg::GetSysColor(pg::COLOR_WINDOW));
}

TColor GetThemedTextColor(platform::gdi::HTHEME Theme, int PartId, int StateId) {
    return ThemeColor(Theme, PartId, StateId, TMT_TEXTCOLOR, pg::GetSysColor(pg::COLOR_WINDOWTEXT));
}

TColor GetXPThemeFillColor() {
    return ThemeColor(tb::OpenTheme(tb::tcToolBar), 0, 0, TMT_FILLCOLOR,
                      pg::GetSysColor(pg::COLOR_BTNFACE));
}

pg::TSize GetThemedCloseButtonSize() {
    return ThemePartSize(tb::tcWindow, WP_SMALLCLOSEBUTTON, 1);
}

void DrawThemedCloseButton(HDC DC, const TRect& R, bool Hot, int Side, bool Pressed) {
    pg::FillRect(DC, &R, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    const pg::HTHEME Theme = tb::OpenTheme(tb::tcWindow);
    const pg::TSize Size = GetThemedCloseButtonSize();
    if (Theme == tb::NullTheme || Size.cx <= 0 || Size.cy <= 0) return;
    const int Inset = (R.Bottom - R.Top - Size.cy) / 2;
    const int Left = Side == 1 || Side == 3 ? R.Left + Inset : R.Right - Inset - Size.cx;
    const TRect Button{Left, R.Top + Inset, Left + Size.cx, R.Top + Inset + Size.cy};
    tb::DrawThemeBackground(Theme, DC, WP_SMALLCLOSEBUTTON, Pressed ? 3 : Hot ? 2 : 1, &Button);
}

pg::TSize GetThemedSizeGripSize() {
    const pg::TSize Box = ThemePartSize(tb::tcScrollBar, SBP_SIZEBOX, SZB_RIGHTALIGN);
    return {Box.cx + 2, Box.cy + 2};
}

void DrawThemedSizeGrip(HDC DC, const TRect& R, TdxSizeGripCorner Corner) {
    const pg::TSize Size = GetThemedSizeGripSize();
    const bool Left = Corner == sgcBottomLeft || Corner == sgcTopLeft;
    const bool Top = Corner == sgcTopLeft || Corner == sgcTopRight;
    const TRect Grip{Left ? R.Left : R.Right - Size.cx, Top ? R.Top : R.Bottom - Size.cy,
                     Left ? R.Left + Size.cx : R.Right, Top ? R.Top + Size.cy : R.Bottom};
    pg::FillRect(DC, &Grip, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    const pg::HTHEME Theme = tb::OpenTheme(tb::tcScrollBar);
    if (Theme == tb::NullTheme) return;
    const int W = Size.cx, H = Size.cy;
    TMemoryDC Box(DC, W, H);
    const TRect All{0, 0, W, H};
    pg::FillRect(Box.DC(), &All, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    tb::DrawThemeBackground(Theme, Box.DC(), SBP_SIZEBOX, SZB_RIGHTALIGN, &All);
    // The box faces the bottom-right corner; a negative extent mirrors it.
    pg::StretchBlt(DC, Left ? Grip.Right - 1 : Grip.Left, Top ? Grip.Bottom - 1 : Grip.Top,
                   Left ? -W : W, Top ? -H : H, Box.DC(), 0, 0, W, H, pg::SRCCOPY);
}

// Clip regions

TdxClipRgnSave SaveClipRgn(HDC DC) {
    TdxClipRgnSave Saved;
    Saved.Region = pg::CreateRectRgn(0, 0, 0, 0);
    Saved.HadRegion = pg::GetClipRgn(DC, Saved.Region) == 1;
    return Saved;
}

void RestoreClipRgn(HDC DC, TdxClipRgnSave& Saved) {
    pg::SelectClipRgn(DC, Saved.HadRegion ? Saved.Region : HRGN{});
    if (Saved.Region != HRGN{}) pg::DeleteObject(Saved.Region);
    Saved = {};
}

void AddClipRect(HDC DC, const TRect& R) {
    const HRGN Region = pg::CreateRectRgnIndirect(R);
    pg::ExtSelectClipRgn(DC, Region, pg::RGN_OR);
    pg::DeleteObject(Region);
}

void ExcludeRectFromRgn(HRGN Region, const TRect& R) {
    const HRGN Part = pg::CreateRectRgnIndirect(R);
    pg::CombineRgn(Region, Region, Part, pg::RGN_DIFF);
    pg::DeleteObject(Part);
}

// The glyph drawer

void DrawBarItemGlyph(HDC DC, const TdxBarGlyphParams& A) {
    const int W = A.ItemRect.Right - A.ItemRect.Left, H = A.ItemRect.Bottom - A.ItemRect.Top;
    if (W <= 0 || H <= 0) return;
    const bool UseBitmap = A.Glyph != nullptr && !A.Glyph->Empty();
    if (!UseBitmap && A.Images == nullptr) return;
    const int GW = UseBitmap ? A.Glyph->Width() : A.Images->Width();
    const int GH = UseBitmap ? A.Glyph->Height() : A.Images->Height();
    if (GW <= 0 || GH <= 0) return;
    TRect G = A.GlyphRect;
    G = {G.Left - A.ItemRect.Left, G.Top - A.ItemRect.Top, G.Right - A.ItemRect.Left,
         G.Bottom - A.ItemRect.Top};

    TMemoryDC Mem(DC, W, H);
    if (A.CopyBackground) {
        pg::BitBlt(Mem.DC(), 0, 0, W, H, DC, A.ItemRect.Left, A.ItemRect.Top, pg::SRCCOPY);
    } else {
        const TRect All{0, 0, W, H};
        pg::FillRect(Mem.DC(), &All, A.Brush);
    }

    // The glyph's own pixels: a copy of the bitmap, or the image on the list's ground.
    TMemoryDC Glyph(DC, GW, GH);
    auto PaintGlyph = [&](TColor Ground) {
        const TRect All{0, 0, GW, GH};
        const HBRUSH B = pg::CreateSolidBrush(pg::ColorToRGB(Ground));
        pg::FillRect(Glyph.DC(), &All, B);
        pg::DeleteObject(B);
        if (UseBitmap) {
            pg::BitBlt(Glyph.DC(), 0, 0, GW, GH, A.Glyph->Canvas().Handle(), 0, 0, pg::SRCCOPY);
        } else {
            pg::TCanvas Canvas;
            Canvas.SetHandle(Glyph.DC());
            A.Images->Draw(Canvas, 0, 0, A.ImageIndex, true);
            Canvas.SetHandle(pg::NullDC);
        }
    };
    const bool Tinted = A.TintColor != pg::clNone;
    const int GRW = G.Right - G.Left, GRH = G.Bottom - G.Top;
    TMemoryDC Mask(DC, GW, GH, true);

    if (A.Enabled || Tinted) {
        PaintGlyph(A.ImageListBkColor);
        const pg::COLORREF Transparent = pg::GetPixel(Glyph.DC(), 0, GH - 1);
        pg::SetBkColor(Glyph.DC(), Transparent);
        pg::BitBlt(Mask.DC(), 0, 0, GW, GH, Glyph.DC(), 0, 0, pg::SRCCOPY);
        if (Tinted && !A.Enabled) {
            const pg::COLORREF T = pg::ColorToRGB(A.TintColor);
            Glyph.EditPixels([T](tb::TRGBQuad& Q) {
                const int L = (77 * Q.rgbRed + 151 * Q.rgbGreen + 28 * Q.rgbBlue) / 256;
                const int L2 = (L * 192 + 64 * 255) / 256;
                Q.rgbRed = static_cast<std::uint8_t>((L2 * 64 + pg::GetRValue(T) * 192) / 256);
                Q.rgbGreen = static_cast<std::uint8_t>((L2 * 64 + pg::GetGValue(T) * 192) / 256);
                Q.rgbBlue = static_cast<std::uint8_t>((L2 * 64 + pg::GetBValue(T) * 192) / 256);
            });
        } else if (A.Grayed) {
            Glyph.EditPixels([](tb::TRGBQuad& Q) {
                const auto Avg = static_cast<std::uint8_t>((Q.rgbRed + Q.rgbGreen + Q.rgbBlue) / 3);
                Q.rgbRed = Q.rgbGreen = Q.rgbBlue = Avg;
            });
        }
        if ((A.Enabled || !Tinted) && A.Flat && !A.Selected && !A.Down && !A.Grayed &&
            dxBarUnit().ScreenColorDepth() > 8) {
            Glyph.EditPixels([](tb::TRGBQuad& Q) {
                auto Light = [](std::uint8_t C) {
                    return static_cast<std::uint8_t>(C + MulDiv(255 - C, 3, 10));
                };
                Q.rgbRed = Light(Q.rgbRed);
                Q.rgbGreen = Light(Q.rgbGreen);
                Q.rgbBlue = Light(Q.rgbBlue);
            });
        }
        int X = G.Left, Y = G.Top;
        pg::SetTextColor(Mem.DC(), 0x000000);
        pg::SetBkColor(Mem.DC(), 0xFFFFFF);
        if (A.Flat && A.ShadowAllowed && A.Selected && !A.NoShadow) {
            --X;
            --Y;
            // The glyph's shape in button shadow two pixels right and down.
            const pg::HGDIOBJ Old =
                pg::SelectObject(Mem.DC(), pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
            pg::SetTextColor(Mem.DC(), 0xFFFFFF);
            pg::SetBkColor(Mem.DC(), 0x000000);
            pg::StretchBlt(Mem.DC(), X + 2, Y + 2, GRW, GRH, Mask.DC(), 0, 0, GW, GH, 0x00E20746);
            pg::SelectObject(Mem.DC(), Old);
            pg::SetTextColor(Mem.DC(), 0x000000);
            pg::SetBkColor(Mem.DC(), 0xFFFFFF);
        }
        pg::DWORD First = pg::MERGEPAINT, Last = pg::SRCAND;
        if (pg::GetSysColor(pg::COLOR_BTNFACE) == 0 && !A.Grayed && !(A.Flat && A.Selected))
            std::swap(First, Last);
        pg::SetTextColor(Glyph.DC(), 0x000000);
        pg::SetBkColor(Glyph.DC(), 0xFFFFFF);
        pg::StretchBlt(Mem.DC(), X, Y, GRW, GRH, Mask.DC(), 0, 0, GW, GH, First);
        pg::BitBlt(Glyph.DC(), 0, 0, GW, GH, Mask.DC(), 0, 0, pg::SRCPAINT);
        pg::StretchBlt(Mem.DC(), X, Y, GRW, GRH, Glyph.DC(), 0, 0, GW, GH, Last);
    } else {
        // The mask: the glyph's pixels 0, the rest 1.
        if (UseBitmap) {
            PaintGlyph(pg::clWhite);
            pg::SetBkColor(Glyph.DC(), pg::GetPixel(Glyph.DC(), 0, GH - 1));
        } else {
            PaintGlyph(pg::clWhite);
            pg::SetBkColor(Glyph.DC(), 0xFFFFFF);
        }
        pg::BitBlt(Mask.DC(), 0, 0, GW, GH, Glyph.DC(), 0, 0, pg::SRCCOPY);
        pg::SetTextColor(Mem.DC(), 0xFFFFFF);
        pg::SetBkColor(Mem.DC(), 0x000000);
        auto Emboss = [&](int ColorIndex, int Offset) {
            const pg::HGDIOBJ Old = pg::SelectObject(Mem.DC(), pg::GetSysColorBrush(ColorIndex));
            pg::StretchBlt(Mem.DC(), G.Left + Offset, G.Top + Offset, GRW, GRH, Mask.DC(), 0, 0, GW,
                           GH, 0x00E20746);
            pg::SelectObject(Mem.DC(), Old);
        };
        if (!A.Flat) Emboss(pg::COLOR_3DHILIGHT, 1);
        Emboss(pg::COLOR_BTNSHADOW, 0);
    }
    pg::BitBlt(DC, A.ItemRect.Left, A.ItemRect.Top, W, H, Mem.DC(), 0, 0, pg::SRCCOPY);
}

void DrawDragInsertMark(HDC DC, const TRect& R, bool Horizontal) {
    const int OldRop = pg::SetROP2(DC, pg::R2_NOT);
    // A bar across the gap with a six-pixel cap at each end. No pixel lies on two runs: one
    // inverted twice would leave a hole in the mark.
    if (Horizontal) {
        const int X = (R.Left + R.Right) / 2;
        Line(DC, X - 1, R.Top + 2, X - 1, R.Bottom - 2);
        Line(DC, X, R.Top + 2, X, R.Bottom - 2);
        Line(DC, X - 3, R.Top, X + 3, R.Top);
        Line(DC, X - 3, R.Top + 1, X + 3, R.Top + 1);
        Line(DC, X - 3, R.Bottom - 1, X + 3, R.Bottom - 1);
        Line(DC, X - 3, R.Bottom - 2, X + 3, R.Bottom - 2);
    } else {
        const int Y = (R.Top + R.Bottom) / 2;
        Line(DC, R.Left + 2, Y - 1, R.Right - 2, Y - 1);
        Line(DC, R.Left + 2, Y, R.Right - 2, Y);
        Line(DC, R.Left, Y - 3, R.Left, Y + 3);
        Line(DC, R.Left + 1, Y - 3, R.Left + 1, Y + 3);
        Line(DC, R.Right - 1, Y - 3, R.Right - 1, Y + 3);
        Line(DC, R.Right - 2, Y - 3, R.Right - 2, Y + 3);
    }
    pg::SetROP2(DC, OldRop);
}

} // namespace toolkit::bars
