#include "toolkit/base/cx_lf_painter_office11.h"

#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/cx_lf_painter_standard.h"
#include "toolkit/base/cx_lf_painter_strokes.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/theme_manager.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

TColor Entry(int Index) {
    return dxOffice11Palette(Index);
}

// The visual-style painter while it is installed and styles are on for these classes; else
// the standard painter, which is what the visual-style painter falls back to.
TcxLookAndFeelPainterClass ThemedOrStandardPainter(TdxThemeClassKinds Kinds) {
    const auto& Native = cxLookAndFeelPainterLookup().NativePainter;
    if (Native && AreVisualStylesAvailable(Kinds))
        if (TcxLookAndFeelPainterClass Painter = Native()) return Painter;
    return &TcxStandardLookAndFeelPainter::Instance();
}

} // namespace

const TcxOffice11LookAndFeelPainter& TcxOffice11LookAndFeelPainter::Instance() {
    static const TcxOffice11LookAndFeelPainter Painter;
    return Painter;
}

void TcxOffice11LookAndFeelPainter::DrawContent(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor,
    TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsFooter) const {
    if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, ABounds)) {
        const bool Hot = AState == cxbsHot;
        const TColor C1 = Hot ? Entry(3) : HeaderGradientStartColor();
        const TColor C2 = Hot ? Entry(3) : HeaderGradientEndColor();
        if (AIsFooter) {
            FillRectByColor(ACanvas.Handle(), ABounds, C1);
        } else {
            FillRectByColor(ACanvas.Handle(),
                            {ABounds.Left, ABounds.Top, ABounds.Right, ABounds.Bottom - 3}, C1);
            FillGradientRect(ACanvas.Handle(),
                             {ABounds.Left, ABounds.Bottom - 4, ABounds.Right, ABounds.Bottom}, C1,
                             C2, false);
        }
    }
    // The text as the base draws it, over the background drawn here.
    TcxCustomLookAndFeelPainter::DrawContent(
        ACanvas, ABounds, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
        AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
        [](TcxCanvas&, const TRect&) { return true; }, AIsFooter);
    if (AState == cxbsHot)
        FillGradientRect(ACanvas.Handle(),
                         {ABounds.Left - 1, ABounds.Bottom - 2, ABounds.Right, ABounds.Bottom + 1},
                         Entry(43), Entry(44), false);
}

void TcxOffice11LookAndFeelPainter::DrawTabButton(TcxCanvas& ACanvas, const TRect& R,
                                                  const TRect& AEdgeRect, int ASide,
                                                  TcxButtonState AState) const {
    const TColor Face = AState == cxbsHot       ? Entry(43)
                        : AState == cxbsPressed ? Entry(45)
                                                : Entry(1);
    ACanvas.FillRect(R, Face);
    const TcxBorders Borders = ASide == 0 ? cxBorder(bTop) | cxBorder(bRight) | cxBorder(bBottom)
                                          : cxBorder(bLeft) | cxBorder(bTop) | cxBorder(bBottom);
    ACanvas.DrawComplexFrame(R, Entry(61), Entry(61), Borders);
    DrawSlantedEdge(ACanvas, AEdgeRect, ASide, ButtonSymbolColor(AState));
}

TcxLookAndFeelStyle TcxOffice11LookAndFeelPainter::LookAndFeelStyle() const {
    return lfsOffice11;
}

// --- Default colours ---

TColor TcxOffice11LookAndFeelPainter::DefaultColor7() const {
    return Entry(25);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor8() const {
    return Entry(29);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor10() const {
    return Entry(1);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor11() const {
    return DefaultColor21();
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor14() const {
    return Entry(56);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor15() const {
    return Entry(3);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor16() const {
    return Entry(59);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor18() const {
    return DefaultColor14();
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor20() const {
    return HeaderGradientStartColor();
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor31() const {
    return Entry(1);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor32() const {
    return Entry(60);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor33() const {
    return pg::clWindowText;
}
TColor TcxOffice11LookAndFeelPainter::DefaultEditorBorderColor() const {
    return Entry(61);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor36() const {
    return Entry(62);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor43() const {
    return Entry(2);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor45() const {
    return DefaultColor43();
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor48() const {
    return Entry(1);
}
TColor TcxOffice11LookAndFeelPainter::DefaultColor50() const {
    return DefaultColor36();
}

// --- Buttons and check boxes ---

void TcxOffice11LookAndFeelPainter::DrawBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.FrameRect(R, Entry(58));
}

TColor TcxOffice11LookAndFeelPainter::ButtonColor(TcxButtonState AState) const {
    switch (AState) {
    case cxbsHot:
        return Entry(43);
    case cxbsPressed:
        return Entry(45);
    case cxbsDisabled:
        return pg::clBtnFace;
    default:
        return Entry(1);
    }
}

TColor TcxOffice11LookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor) const {
    if (AState == cxbsPressed && !dxOffice11IsVisualStyleScheme()) return pg::clHighlightText;
    return AState == cxbsDisabled ? Entry(53) : Entry(52);
}

void TcxOffice11LookAndFeelPainter::DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R,
                                                     TcxButtonState AState) const {
    switch (AState) {
    case cxbsDefault:
        TcxUltraFlatLookAndFeelPainter::DrawButtonBorder(ACanvas, R, AState);
        break;
    case cxbsNormal:
        ACanvas.FrameRect(R, pg::clBtnText);
        break;
    case cxbsDisabled:
        ACanvas.FrameRect(R, Entry(53));
        break;
    case cxbsHot:
    case cxbsPressed:
        ACanvas.FrameRect(R, Entry(42));
        break;
    }
}

void TcxOffice11LookAndFeelPainter::DrawExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                     bool AExpanded, TColor) const {
    const HBITMAP Bitmap = dxOffice11ExpandButtonBitmap(!AExpanded);
    pg::Surface* Pixels = Bitmap == HBITMAP{} ? nullptr : pg::BitmapSurface(Bitmap);
    if (!Pixels) return;
    // The bitmap is shared: its rounded corners are blended into what lies under this button
    // on every call.
    const int Right = Pixels->Width() - 1, Bottom = Pixels->Height() - 1;
    const auto Corner = [&](TColor Fixed, int X, int Y) {
        const TColor Under = static_cast<TColor>(pg::GetPixel(ACanvas.Handle(), X, Y));
        return pg::ColorToPixel(pg::ColorToRGB(dxOffice11MixColors(Fixed, Under, 25)));
    };
    Pixels->SetPixel(0, 0, Corner(dxOffice11ExpandButtonColor1, R.Left, R.Top));
    const pg::Pixel32 Far = Corner(dxOffice11ExpandButtonColor2, R.Right - 1, R.Bottom - 1);
    Pixels->SetPixel(Right, Bottom, Far);
    Pixels->SetPixel(0, Bottom, Far);
    Pixels->SetPixel(Right, 0, Far);
    ACanvas.Draw(R.Left, R.Top, Bitmap);
}

bool TcxOffice11LookAndFeelPainter::ExpandButtonDrawnFirst() const {
    return false;
}

void TcxOffice11LookAndFeelPainter::DrawSmallExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                          bool AExpanded, TColor,
                                                          TColor AColor) const {
    DrawExpandButton(ACanvas, R, AExpanded, AColor);
}

int TcxOffice11LookAndFeelPainter::ExpandButtonSize() const {
    return 11;
}

int TcxOffice11LookAndFeelPainter::SmallExpandButtonSize() const {
    return ExpandButtonSize();
}

TColor TcxOffice11LookAndFeelPainter::CheckButtonColor(TcxButtonState AState) const {
    if (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled)
        return ButtonColor(AState);
    return TcxCustomLookAndFeelPainter::CheckButtonColor(AState);
}

// --- Headers ---

void TcxOffice11LookAndFeelPainter::DrawHeader(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const std::string& AText, const TFont& AFont, TColor ATextColor, TColor ABkColor,
    const TcxDrawBackgroundEvent&, bool AIsLast, bool) const {
    TcxCustomLookAndFeelPainter::DrawHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders,
                                            AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                                            AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                                            nullptr, AIsLast, false);
}

void TcxOffice11LookAndFeelPainter::DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R,
                                                     TcxNeighbors ANeighbors,
                                                     TcxBorders ABorders) const {
    const TColor Light = HeaderGradientStartColor();
    const TColor Dark = HeaderGradientEndColor();
    const TColor Shadow = HeaderShadowColor();
    const TColor Lit = HeaderLightColor();
    const HDC DC = ACanvas.Handle();
    if (ABorders & cxBorder(bTop)) FillRectByColor(DC, {R.Left, R.Top, R.Right, R.Top + 1}, Light);
    if (ABorders & cxBorder(bBottom))
        FillRectByColor(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, Shadow);
    // A neighbour shortens the column by one at each end; its end pixels blend into the
    // gradient so the cells meet without a notch.
    const auto Column = [&](int X, bool Neighbour, TColor Color, TColor TopEnd, TColor BottomEnd) {
        const int Top = R.Top + (Neighbour ? 2 : 1);
        const int Bottom = R.Bottom - (Neighbour ? 3 : 2);
        if (Bottom <= Top) return;
        FillRectByColor(DC, {X, Top, X + 1, Bottom}, Color);
        ACanvas.SetPixel(X, Top - 1, TopEnd);
        ACanvas.SetPixel(X, Bottom, BottomEnd);
        if (Neighbour) ACanvas.SetPixel(X, Bottom + 1, dxOffice11MixColors(Color, Dark, 50));
    };
    if (ABorders & cxBorder(bLeft))
        Column(R.Left, (ANeighbors & cxNeighbor(nLeft)) != 0, Lit, Light, Dark);
    if (ABorders & cxBorder(bRight)) {
        const bool Neighbour = (ANeighbors & cxNeighbor(nRight)) != 0;
        Column(R.Right - 1, Neighbour, Shadow,
               Neighbour ? Light : dxOffice11MixColors(Shadow, Light, 50),
               Neighbour ? Dark : dxOffice11MixColors(Shadow, Dark, 50));
    }
}

void TcxOffice11LookAndFeelPainter::DrawHeaderControlSection(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor,
    TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {
    DrawHeader(ACanvas, ABounds, ATextAreaBounds, 0, cxBordersAll, AState, AAlignmentHorz,
               AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
               AOnDrawBackground);
    if (AState == cxbsPressed) DrawHeaderPressed(ACanvas, ABounds);
}

void TcxOffice11LookAndFeelPainter::DrawSortingMark(TcxCanvas& ACanvas, const TRect& R,
                                                    bool AAscendingSorting) const {
    cxDrawSortingMarkOutline(ACanvas, R, AAscendingSorting, SortingMarkSize(), HeaderShadowColor(),
                             HeaderLightColor());
}

TcxBorders TcxOffice11LookAndFeelPainter::HeaderBorders(TcxNeighbors) const {
    return cxBordersAll;
}

int TcxOffice11LookAndFeelPainter::HeaderBorderSize() const {
    return 1;
}

bool TcxOffice11LookAndFeelPainter::IsHeaderHotTrack() const {
    return true;
}

void TcxOffice11LookAndFeelPainter::DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            bool AIsActive) const {
    // The ultra-flat drawing, through this painter's frame and face colours.
    TcxUltraFlatLookAndFeelPainter::DrawPanelDropDownButton(ACanvas, R, AState, AIsActive);
}

// --- Scroll bars and the rest ---

void TcxOffice11LookAndFeelPainter::DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal,
                                                      const TRect& R, TcxScrollBarPart APart,
                                                      TcxButtonState AState) const {
    ThemedOrStandardPainter(dxThemeClassKinds({tcScrollBar}))
        ->DrawScrollBarPart(ACanvas, AHorizontal, R, APart, AState);
}

void TcxOffice11LookAndFeelPainter::DrawSizeGrip(TcxCanvas& ACanvas, const TRect& R,
                                                 TColor ABackgroundColor) const {
    ACanvas.FillRect(R, ABackgroundColor == pg::clNone ? pg::clDefault : ABackgroundColor);
    dxOffice11DrawSizeGrip(ACanvas.Handle(), R);
}

void TcxOffice11LookAndFeelPainter::DrawIndicatorMarkCell(
    TcxCanvas& ACanvas, const TRect& R, TcxNeighbors, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool, int AMarkKind) const {
    const TRect Cell = cxRectInflate(R, -1, -1);
    if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, Cell))
        ACanvas.FrameAndFillRect(Cell, TcxFillInfo{HBITMAP{}, ABkColor}, cxBordersAll,
                                 HeaderShadowColor(), 1);
    cxDrawIndicatorMark(ACanvas, cxRectOffset(R, 0, BorderSize() - 1), AMarkKind, pg::clWindowText);
}

void TcxOffice11LookAndFeelPainter::DrawCaptionFrame(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.FrameRect(R, DefaultEditorBorderColor());
}

void TcxOffice11LookAndFeelPainter::DrawToolButton(TcxCanvas& ACanvas, const TRect& R,
                                                   TcxButtonState AState) const {
    ThemedOrStandardPainter(dxThemeClassKinds({tcToolBar}))->DrawToolButton(ACanvas, R, AState);
}

void TcxOffice11LookAndFeelPainter::DrawControlBackground(TcxCanvas& ACanvas,
                                                          platform::forms::TControl* AControl,
                                                          const TRect& R, TColor AColor1,
                                                          TColor AColor2) const {
    if (AColor1 == pg::clDefault)
        cxPaintParentBackground(AControl, ACanvas.Handle(), R, true);
    else if (AColor2 == pg::clDefault)
        ACanvas.FillRect(R, AColor1);
    else
        FillGradientRect(ACanvas.Handle(), R, AColor1, AColor2, false);
}

// --- Frame colours ---

TColor TcxOffice11LookAndFeelPainter::ButtonFrameColor(TcxButtonState AState) const {
    return AState == cxbsNormal ? HeaderShadowColor() : Entry(42);
}

TColor TcxOffice11LookAndFeelPainter::TabButtonHotFrameColor() const {
    return HeaderShadowColor();
}

TColor TcxOffice11LookAndFeelPainter::HotButtonBorderColor() const {
    return Entry(42);
}

TColor TcxOffice11LookAndFeelPainter::BandSeparatorColor() const {
    return HeaderShadowColor();
}

TColor TcxOffice11LookAndFeelPainter::HeaderGradientEndColor() const {
    return Entry(4);
}

TColor TcxOffice11LookAndFeelPainter::HeaderShadowColor() const {
    return Entry(21);
}

TColor TcxOffice11LookAndFeelPainter::HeaderLightColor() const {
    return Entry(22);
}

TColor TcxOffice11LookAndFeelPainter::HeaderGradientStartColor() const {
    return dxOffice11MixColors(Entry(3), Entry(4), 50);
}

} // namespace toolkit::base
