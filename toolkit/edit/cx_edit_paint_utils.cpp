#include "toolkit/edit/cx_edit_paint_utils.h"

#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/cx_edit_view_info.h"
#include "toolkit/edit/solid_brush_cache.h"

#include "toolkit/base/cx_lf_kind_painters.h"
#include "toolkit/base/cx_lf_painter_native.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/theme_manager.h"
#include "toolkit/base/ux_theme.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"

#include <algorithm>
#include <array>
#include <utility>

namespace toolkit::edit {

namespace pg = platform::gdi;
namespace tb = toolkit::base;

TcxLookAndFeelPainterClass GetPainterClass(bool Native, TcxLookAndFeelKind Kind) {
    if (Native && tb::AreVisualStylesAvailable())
        return &tb::TcxWinXPLookAndFeelPainter::Instance();
    switch (Kind) {
    case tb::lfFlat:
        return tb::cxFlatLookAndFeelPainter();
    case tb::lfStandard:
        return tb::cxStandardLookAndFeelPainter();
    case tb::lfUltraFlat:
        return tb::cxUltraFlatLookAndFeelPainter();
    case tb::lfOffice11:
        return tb::cxOffice11LookAndFeelPainter();
    }
    return tb::cxStandardLookAndFeelPainter();
}

namespace {

bool IsVertical(TcxArrowDirection ADirection) {
    return ADirection == tb::adUp || ADirection == tb::adDown;
}

void FillByColor(HDC DC, const TRect& R, TColor AColor) {
    pg::FillRect(DC, &R, GetSolidBrush(AColor));
}

} // namespace

TSize GetArrowSize(TSize ASize, TcxArrowDirection ADirection) {
    int First = (std::min(ASize.cx, ASize.cy) - 1) / 2;
    if (First % 2 == 0) ++First;
    const int Second = First / 2 + 1;
    return IsVertical(ADirection) ? TSize{First, Second} : TSize{Second, First};
}

void cxDrawArrow(TcxCanvas& ACanvas, int S, const TRect& R, TColor AColor, bool APressedOffset,
                 int N, TcxArrowDirection ADirection) {
    const bool Vertical = IsVertical(ADirection);
    const int BoxWidth = Vertical ? 2 * S - 1 : S * (N + 1);
    const int BoxHeight = Vertical ? (N + 1) * S : 2 * S - 1;
    int X = R.Left + (R.Width() - BoxWidth) / 2;
    int Y = R.Top + (R.Height() - BoxHeight) / 2;
    if (APressedOffset) {
        ++X;
        ++Y;
    }
    const HDC DC = ACanvas.Handle();
    for (int Arrow = 0; Arrow <= N; ++Arrow) {
        for (int Row = 0; Row < S; ++Row) {
            // Row 0 is the apex of up and left arrows and the base of down and right ones.
            const int Half =
                (ADirection == tb::adUp || ADirection == tb::adLeft) ? Row : S - 1 - Row;
            if (Vertical)
                FillByColor(DC, {X + S - 1 - Half, Y + Row, X + S + Half, Y + Row + 1}, AColor);
            else
                FillByColor(DC, {X + Row, Y + S - 1 - Half, X + Row + 1, Y + S + Half}, AColor);
        }
        (Vertical ? Y : X) += S;
    }
}

void DrawBorderEdges(TcxCanvas& ACanvas, TRect& R, TcxBorders AEdges, TColor AColor) {
    const HDC DC = ACanvas.Handle();
    if (AEdges & tb::cxBorder(tb::bLeft)) {
        FillByColor(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, AColor);
        ++R.Left;
    }
    if (AEdges & tb::cxBorder(tb::bRight)) {
        FillByColor(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, AColor);
        --R.Right;
    }
    if (AEdges & tb::cxBorder(tb::bTop)) {
        FillByColor(DC, {R.Left, R.Top, R.Right, R.Top + 1}, AColor);
        ++R.Top;
    }
    if (AEdges & tb::cxBorder(tb::bBottom)) {
        FillByColor(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, AColor);
        --R.Bottom;
    }
}

void InternalPolyLine(TcxCanvas& ACanvas, const std::vector<TPoint>& APoints, int ALastIndex,
                      bool AUseBrush, TColor AColor) {
    if (ALastIndex < 0 || ALastIndex >= static_cast<int>(APoints.size())) return;
    const TPoint& Last = APoints[static_cast<std::size_t>(ALastIndex)];
    if (!AUseBrush) {
        ACanvas.Pen().SetColor(AColor);
        ACanvas.Polyline({APoints.begin(), APoints.begin() + ALastIndex + 1});
        // A pen line leaves its end pixel out.
        ACanvas.SetPixel(Last.X, Last.Y, AColor);
        return;
    }
    const HDC DC = ACanvas.Handle();
    for (int I = 0; I < ALastIndex; ++I) {
        const TPoint& A = APoints[static_cast<std::size_t>(I)];
        const TPoint& B = APoints[static_cast<std::size_t>(I) + 1];
        FillByColor(DC,
                    {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X) + 1,
                     std::max(A.Y, B.Y) + 1},
                    AColor);
    }
    FillByColor(DC, {Last.X, Last.Y, Last.X + 1, Last.Y + 1}, AColor);
}

bool IsGlyphAssigned(pg::HBITMAP ABitmap) {
    if (ABitmap == pg::HBITMAP{}) return false;
    pg::BITMAP Info{};
    if (pg::GetObject(ABitmap, sizeof Info, &Info) == 0) return false;
    return Info.bmWidth >= 1 && Info.bmHeight > 0;
}

void FillRectByColor(TcxCanvas& ACanvas, const TRect& R, TColor AColor) {
    FillByColor(ACanvas.Handle(), R, AColor);
}

void FillRectByBrush(HDC ADC, const TRect& R, HBRUSH ABrush) {
    pg::FillRect(ADC, &R, ABrush);
}

void FillRectBetweenByBrush(TcxCanvas& ACanvas, const TRect& AOuter, const TRect& AInner,
                            HBRUSH ABrush) {
    const TRect I{std::clamp(AInner.Left, AOuter.Left, AOuter.Right),
                  std::clamp(AInner.Top, AOuter.Top, AOuter.Bottom),
                  std::clamp(AInner.Right, AOuter.Left, AOuter.Right),
                  std::clamp(AInner.Bottom, AOuter.Top, AOuter.Bottom)};
    const HDC DC = ACanvas.Handle();
    const std::array<TRect, 4> Strips{{{AOuter.Left, AOuter.Top, AOuter.Right, I.Top},
                                       {AOuter.Left, I.Bottom, AOuter.Right, AOuter.Bottom},
                                       {AOuter.Left, I.Top, I.Left, I.Bottom},
                                       {I.Right, I.Top, AOuter.Right, I.Bottom}}};
    for (const TRect& Strip : Strips)
        if (Strip.Width() > 0 && Strip.Height() > 0) FillRectByBrush(DC, Strip, ABrush);
}

bool IsNumericChar(char C) {
    return C >= '0' && C <= '9';
}

namespace {

// (DrawText flag, the editors' text flag).
constexpr std::array<std::pair<unsigned, unsigned>, 6> TextFlagPairs{
    {{pg::DT_CENTER, 0x4},
     {pg::DT_RIGHT, 0x2},
     {pg::DT_WORDBREAK, 0x20},
     {pg::DT_SINGLELINE, 0x10},
     {pg::DT_EXTERNALLEADING, 0x40},
     {pg::DT_NOCLIP, 0x400}}};

} // namespace

unsigned DrawTextFlagsToCxTextFlags(unsigned AFlags) {
    unsigned Result = 0;
    for (const auto& [DrawTextFlag, CxFlag] : TextFlagPairs)
        if (AFlags & DrawTextFlag) Result |= CxFlag;
    return Result;
}

unsigned CxTextFlagsToDrawTextFlags(unsigned AFlags) {
    unsigned Result = 0;
    for (const auto& [DrawTextFlag, CxFlag] : TextFlagPairs)
        if (AFlags & CxFlag) Result |= DrawTextFlag;
    return Result;
}

int GetEditPopupBorderWidth(TcxCanvas& ACanvas, int APopupBorderStyle, bool ANative) {
    static constexpr std::array<int, 7> Widths{0, 4, 2, 2, 2, 2, 2};
    if (ANative) {
        const tb::HTHEME Theme = tb::OpenTheme(tb::tcButton);
        if (Theme != tb::HTHEME{}) {
            const TRect Bounds{0, 0, 100, 100};
            TRect Content = Bounds;
            tb::GetThemeBackgroundContentRect(Theme, ACanvas.Handle(), 1, 1, &Bounds, &Content);
            return Content.Left - Bounds.Left;
        }
    }
    if (APopupBorderStyle < 0 || APopupBorderStyle >= static_cast<int>(Widths.size())) return 0;
    return Widths[static_cast<std::size_t>(APopupBorderStyle)];
}

TColor GetEditBorderHighlightColor(bool AIsOffice11Style) {
    return AIsOffice11Style ? tb::dxOffice11SelectedBorderColor() : pg::clHighlight;
}

TColor GetEditButtonColor(bool AIsPressed, bool AIsOffice11Style) {
    const TcxLookAndFeelPainterClass Painter =
        AIsOffice11Style ? tb::cxOffice11LookAndFeelPainter() : tb::cxUltraFlatLookAndFeelPainter();
    return Painter->ButtonColor(AIsPressed ? tb::cxbsPressed : tb::cxbsHot);
}

int GetEditButtonBorderWidth(int ABorderStyle, bool AHasSkinPainter) {
    if (AHasSkinPainter) return ABorderStyle == cbsThick ? 2 : 1;
    return GetContainerBorderWidth(static_cast<TcxContainerBorderStyle>(ABorderStyle));
}

int CalculateEditDefaultButtonWidth(TcxCanvas& ACanvas, const TcxEditButtonViewInfo& AButton) {
    // Visual styles are not offered here: the content margin is the plain one.
    const int Margin = 4;
    if (AButton.RequestedWidth >= 1) return std::max(AButton.RequestedWidth, Margin);
    int Result = 0;
    if (AButton.Kind == bkGlyph && AButton.Glyph && !AButton.Glyph->Empty())
        Result = AButton.Glyph->Width() + Margin;
    else if (AButton.Kind == bkText)
        Result = Margin + ACanvas.TextWidth(AButton.Caption) + 3;
    return std::max(Result, pg::GetSystemMetrics(pg::SM_CXVSCROLL));
}

bool IsEditShadowNeeded(TcxCustomEditViewData& AViewData) {
    return AViewData.IsShadowDrawingNeeded();
}

void DrawGlyph(TcxCanvas& ACanvas, int X, int Y, const platform::forms::TBitmap& AGlyph,
               bool AEnabled, TColor ABackground) {
    const int W = AGlyph.Width();
    const int H = AGlyph.Height();
    if (W <= 0 || H <= 0) return;
    if (ABackground != pg::clNone) FillRectByColor(ACanvas, {X, Y, X + W, Y + H}, ABackground);
    if (AEnabled) {
        AGlyph.DrawPart(ACanvas.Handle(), X, Y, {0, 0, W, H}, true);
        return;
    }
    auto& Glyph = const_cast<platform::forms::TBitmap&>(AGlyph);
    const pg::COLORREF Transparent = pg::ColorToRGB(AGlyph.TransparentColor());
    for (const auto& [D, Color] : {std::pair{1, pg::clBtnHighlight}, std::pair{0, pg::clBtnShadow}})
        for (int GY = 0; GY < H; ++GY)
            for (int GX = 0; GX < W; ++GX)
                if (pg::ColorToRGB(Glyph.Canvas().Pixel(GX, GY)) != Transparent)
                    ACanvas.SetPixel(X + GX + D, Y + GY + D, Color);
}

void DrawCustomEdit(TcxCanvas& ACanvas, TcxCustomEditViewInfo& AViewInfo, bool ABackground,
                    bool AInplace) {
    TcxCustomEditViewInfo& V = AViewInfo;
    bool Excluded = false;
    if (!V.ButtonsInfo.empty()) {
        ACanvas.SaveClipRegion();
        Excluded = true;
        for (const TcxEditButtonViewInfo& B : V.ButtonsInfo)
            if (!B.Transparent) ACanvas.ExcludeClipRect(B.Bounds);
    }
    if (!AInplace) {
        TRect R = V.ClientRect;
        const int W = GetEditButtonBorderWidth(V.BorderStyle, V.Painter != nullptr);
        R.Left -= W;
        R.Top -= W;
        if ((V.Edges & tb::cxBorder(tb::bRight))) R.Right += W;
        if ((V.Edges & tb::cxBorder(tb::bBottom))) R.Bottom += W;
        if (V.Shadow) DrawContainerShadow(ACanvas, R);
        if (!(V.Edges & tb::cxBorder(tb::bRight))) R.Right += W;
        if (!(V.Edges & tb::cxBorder(tb::bBottom))) R.Bottom += W;
        if (V.HasBorderExtent) V.DrawBorder(ACanvas, R);
    }
    if (ABackground && !V.TransparentBackground) {
        // The inner control paints its own rectangle; the rest is the editor's.
        if (V.HasInnerEdit)
            FillRectBetween(ACanvas, V.BorderRect, V.InnerEditRect, V.BackgroundColor);
        else
            V.DrawEditBackground(ACanvas);
    }
    if (Excluded) ACanvas.RestoreClipRegion();
    V.DrawButtons(ACanvas);
}

} // namespace toolkit::edit
