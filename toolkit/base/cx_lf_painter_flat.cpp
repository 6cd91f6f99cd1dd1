#include "toolkit/base/cx_lf_painter_flat.h"

#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/cx_lf_painter_strokes.h"

#include "platform/gdi/colors.h"

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

TcxArrowDirection ScrollBarArrowDirection(bool AHorizontal, TcxScrollBarPart APart) {
    if (AHorizontal) return APart == sbpLineUp ? adLeft : adRight;
    return APart == sbpLineUp ? adUp : adDown;
}

// The flat painter draws hot parts as normal and its arrow inside the button's border; the
// ultra-flat painter keeps them hot and draws its arrow over the whole part.
void DrawFlatScrollBarPart(const TcxCustomLookAndFeelPainter& APainter, TcxCanvas& ACanvas,
                           bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                           TcxButtonState AState, bool AFlat) {
    if (cxRectIsEmpty(R) || APart == sbpNone) return;
    if (APart == sbpThumbnail && AState == cxbsDisabled) return;
    if (APart == sbpPageUp || APart == sbpPageDown) {
        cxFillScrollBarTrack(ACanvas, R, AState == cxbsPressed);
        return;
    }
    if (AFlat && AState == cxbsHot) AState = cxbsNormal;
    APainter.DrawButton(ACanvas, R, "", AState, true, pg::clDefault, pg::clDefault, false);
    if (APart == sbpThumbnail) return;
    TRect Glyph = R;
    if (AFlat) {
        const int Size = APainter.ButtonBorderSize(AState);
        Glyph = cxRectInflate(Glyph, -Size, -Size);
    }
    APainter.DrawScrollBarArrow(ACanvas, Glyph, AState,
                                ScrollBarArrowDirection(AHorizontal, APart));
}

// A one-pixel line on the two chosen ends, light then dark; the rest framed and filled.
void DrawOnePixelPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag, TColor ALight,
                             TColor ADark, TColor AFillColor) {
    ACanvas.FrameRect(R, ALight, 1, ASideFlag ? cxBorder(bTop) : cxBorder(bLeft));
    ACanvas.FrameRect(R, ADark, 1, ASideFlag ? cxBorder(bBottom) : cxBorder(bRight));
    const TRect Rest = ASideFlag ? cxRectInflate(R, 0, -1) : cxRectInflate(R, -1, 0);
    ACanvas.FrameAndFillRect(Rest, TcxFillInfo{HBITMAP{}, AFillColor}, cxBordersAll, pg::clDefault,
                             1);
}

TcxBorders TabSideBorders(int ASide) {
    return ASide == 0 ? cxBorder(bTop) | cxBorder(bRight) | cxBorder(bBottom)
                      : cxBorder(bLeft) | cxBorder(bTop) | cxBorder(bBottom);
}

} // namespace

// ---- Flat ----

const TcxFlatLookAndFeelPainter& TcxFlatLookAndFeelPainter::Instance() {
    static const TcxFlatLookAndFeelPainter Painter;
    return Painter;
}

TcxLookAndFeelStyle TcxFlatLookAndFeelPainter::LookAndFeelStyle() const {
    return lfsFlat;
}

int TcxFlatLookAndFeelPainter::BorderSize() const {
    return 1;
}

void TcxFlatLookAndFeelPainter::DrawBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.DrawEdge(R, true, true);
}

int TcxFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const {
    return AState == cxbsDefault ? 2 : 1;
}

int TcxFlatLookAndFeelPainter::ButtonTextOffset() const {
    return 1;
}

int TcxFlatLookAndFeelPainter::ButtonTextShift() const {
    return 1;
}

void TcxFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R,
                                                 TcxButtonState AState) const {
    if (AState == cxbsPressed) {
        ACanvas.DrawComplexFrame(R, pg::clBtnShadow, pg::clBtnHighlight);
        return;
    }
    TRect Frame = R;
    if (AState == cxbsDefault) {
        ACanvas.FrameRect(Frame, pg::clBlack);
        Frame = cxRectInflate(Frame, -1, -1);
    }
    ACanvas.DrawComplexFrame(Frame, pg::clBtnHighlight, pg::clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                                                 TColor AColor) const {
    DrawButton(ACanvas, R, "", cxbsNormal, true, AColor, pg::clDefault, false);
    cxDrawExpandSign(ACanvas, cxRectInflate(R, -1, -1), AExpanded, pg::clBtnText);
    ACanvas.ExcludeClipRect(R);
}

int TcxFlatLookAndFeelPainter::ExpandButtonSize() const {
    return 11;
}

bool TcxFlatLookAndFeelPainter::IsButtonHotTrack() const {
    return false;
}

void TcxFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R,
                                                TcxButtonState AState) const {
    ACanvas.DrawEdge(R, true, true);
    ACanvas.FrameRect(cxRectInflate(R, -1, -1), CheckButtonColor(AState));
}

void TcxFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R,
                                                 TcxNeighbors ANeighbors, TcxBorders) const {
    cxDrawClassicHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxFlatLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas& ACanvas, const TRect& R,
                                                               TcxButtonState AState) const {
    if (AState == cxbsPressed)
        ACanvas.DrawComplexFrame(R, pg::clBtnShadow, pg::clBtnHighlight);
    else
        ACanvas.DrawComplexFrame(R, pg::clBtnHighlight, pg::clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawSortingMark(TcxCanvas& ACanvas, const TRect& R,
                                                bool AAscendingSorting) const {
    cxDrawSortingMarkOutline(ACanvas, R, AAscendingSorting, SortingMarkSize(), pg::clBtnHighlight,
                             pg::clBtnShadow);
}

int TcxFlatLookAndFeelPainter::HeaderBorderSize() const {
    return 1;
}

TSize TcxFlatLookAndFeelPainter::SortingMarkSize() const {
    return {8, 7};
}

int TcxFlatLookAndFeelPainter::BandBorderSize() const {
    return 1;
}

int TcxFlatLookAndFeelPainter::BandCellBorderSize() const {
    return 1;
}

int TcxFlatLookAndFeelPainter::BandCellOffset() const {
    return 1;
}

void TcxFlatLookAndFeelPainter::DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.DrawEdge(R, false, false);
}

void TcxFlatLookAndFeelPainter::DrawBandCellBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.DrawEdge(R, true, true);
}

void TcxFlatLookAndFeelPainter::DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R,
                                                        TcxButtonState AState,
                                                        bool AIsActive) const {
    cxDrawClassicPanelDropDownButton(*this, ACanvas, R, AState, AIsActive);
}

void TcxFlatLookAndFeelPainter::DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                              TcxBorders ABorders, TcxButtonState AState) const {
    cxDrawClassicTabBorder(ACanvas, R, ASide, ABorders, AState, pg::clBtnShadow,
                           pg::clBtnHighlight);
}

void TcxFlatLookAndFeelPainter::DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int,
                                             TcxBorders ABorders) const {
    ACanvas.DrawEdge(R, false, false, ABorders);
}

int TcxFlatLookAndFeelPainter::TabOffset() const {
    return 1;
}

void TcxFlatLookAndFeelPainter::DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal,
                                                  const TRect& R, TcxScrollBarPart APart,
                                                  TcxButtonState AState) const {
    DrawFlatScrollBarPart(*this, ACanvas, AHorizontal, R, APart, AState, true);
}

void TcxFlatLookAndFeelPainter::DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag,
                                                TColor AFillColor) const {
    DrawOnePixelPopupBorder(ACanvas, R, ASideFlag, pg::clBtnHighlight, pg::clBtnShadow, AFillColor);
}

// ---- Ultra-flat ----

const TcxUltraFlatLookAndFeelPainter& TcxUltraFlatLookAndFeelPainter::Instance() {
    static const TcxUltraFlatLookAndFeelPainter Painter;
    return Painter;
}

void TcxUltraFlatLookAndFeelPainter::DrawTabButton(TcxCanvas& ACanvas, const TRect& R,
                                                   const TRect& AEdgeRect, int ASide,
                                                   TcxButtonState AState) const {
    ACanvas.FillRect(R, pg::clBtnFace);
    const TColor Frame = AState == cxbsHot ? TabButtonHotFrameColor() : TabButtonFrameColor();
    ACanvas.DrawComplexFrame(R, Frame, Frame, TabSideBorders(ASide));
    DrawSlantedEdge(ACanvas, AEdgeRect, ASide, ButtonSymbolColor(AState));
}

TcxLookAndFeelStyle TcxUltraFlatLookAndFeelPainter::LookAndFeelStyle() const {
    return lfsUltraFlat;
}

TColor TcxUltraFlatLookAndFeelPainter::DefaultEditorBorderColor() const {
    return pg::clBtnShadow;
}

int TcxUltraFlatLookAndFeelPainter::BorderSize() const {
    return 1;
}

void TcxUltraFlatLookAndFeelPainter::DrawBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.FrameRect(R, pg::clBtnShadow);
}

int TcxUltraFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const {
    return AState == cxbsDefault ? 2 : 1;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonColor(TcxButtonState AState) const {
    switch (AState) {
    case cxbsHot:
        return cxGetHotLightColor();
    case cxbsPressed:
        return cxGetPressedLightColor();
    default:
        return pg::clBtnFace;
    }
}

TRect TcxUltraFlatLookAndFeelPainter::ButtonFocusRect(TcxCanvas&, const TRect& R) const {
    const TRect Inner = cxRectInflate(R, -3, -3);
    return cxRectIsEmpty(Inner) ? R : Inner;
}

TRect TcxUltraFlatLookAndFeelPainter::ButtonBorderSizes(int ACount, int AIndex) const {
    TRect Sizes{1, 2, 1, 2};
    // A single button is the first of its row, and only that rule applies.
    if (AIndex == 0)
        Sizes.Left = 2;
    else if (AIndex == ACount - 1)
        Sizes.Right = 2;
    return Sizes;
}

int TcxUltraFlatLookAndFeelPainter::ButtonTextOffset() const {
    return 2;
}

int TcxUltraFlatLookAndFeelPainter::ButtonTextShift() const {
    return 0;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState,
                                                         TColor ADefaultColor) const {
    if (AState == cxbsPressed) return pg::clHighlightText;
    return TcxCustomLookAndFeelPainter::ButtonSymbolColor(AState, ADefaultColor);
}

TcxButtonState TcxUltraFlatLookAndFeelPainter::ButtonSymbolState(TcxButtonState) const {
    return cxbsNormal;
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonInGroup(TcxCanvas& ACanvas, const TRect& R,
                                                       int AIndex, int ACount,
                                                       TcxButtonState AState,
                                                       TColor AFrameColor) const {
    TRect Face = cxRectInflate(R, 0, -1);
    if (AIndex == 0) ++Face.Left;
    if (AIndex == ACount - 1) --Face.Right;
    if (AState == cxbsNormal || AState == cxbsDisabled) {
        ACanvas.FrameRect(Face, AFrameColor);
        Face = cxRectInflate(Face, -1, -1);
    } else if (AState == cxbsHot || AState == cxbsPressed) {
        const TColor Border = HotButtonBorderColor();
        if (AIndex > 0) {
            ACanvas.FillRect({Face.Left, Face.Top, Face.Left + 1, Face.Bottom}, Border);
            ++Face.Left;
        }
        if (AIndex < ACount - 1) {
            ACanvas.FillRect({Face.Right - 1, Face.Top, Face.Right, Face.Bottom}, Border);
            --Face.Right;
        }
    }
    ACanvas.FillRect(Face, ButtonColor(AState));
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R,
                                                      TcxButtonState AState) const {
    switch (AState) {
    case cxbsDefault:
        ACanvas.FrameRect(R, pg::clWindowFrame);
        ACanvas.FrameRect(cxRectInflate(R, -1, -1), pg::clWindowFrame);
        break;
    case cxbsNormal:
        ACanvas.FrameRect(R, pg::clBtnText);
        break;
    case cxbsDisabled:
        ACanvas.FrameRect(R, pg::clBtnShadow);
        break;
    case cxbsHot:
    case cxbsPressed:
        ACanvas.FrameRect(R, pg::clHighlight);
        break;
    }
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonInGroupBorder(TcxCanvas& ACanvas, const TRect& R,
                                                             bool AHighlighted,
                                                             bool AFocused) const {
    const TColor Color = AFocused       ? pg::clBtnText
                         : AHighlighted ? HotButtonBorderColor()
                                        : pg::clBtnShadow;
    ACanvas.FrameRect(R, Color);
}

void TcxUltraFlatLookAndFeelPainter::DrawExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                      bool AExpanded, TColor AColor) const {
    ACanvas.FrameRect(R, pg::clBtnShadow);
    const TRect Inner = cxRectInflate(R, -1, -1);
    ACanvas.FillRect(Inner, AColor == pg::clDefault ? pg::clBtnFace : AColor);
    cxDrawExpandSign(ACanvas, Inner, AExpanded, pg::clBtnText);
    ACanvas.ExcludeClipRect(R);
}

int TcxUltraFlatLookAndFeelPainter::ExpandButtonSize() const {
    return 11;
}

bool TcxUltraFlatLookAndFeelPainter::IsButtonHotTrack() const {
    return true;
}

void TcxUltraFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R,
                                                     TcxButtonState AState) const {
    ACanvas.FrameRect(R, pg::clBtnText);
    ACanvas.FrameRect(cxRectInflate(R, -1, -1), CheckButtonColor(AState));
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderEx(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const std::string& AText, const TFont& AFont, TColor ATextColor, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground) const {
    DrawContent(ACanvas, cxRectInflate(ABounds, -1, -1), ATextAreaBounds, AState, AAlignmentHorz,
                AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                AOnDrawBackground);
    DrawHeaderBorder(ACanvas, ABounds, ANeighbors, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R,
                                                      TcxNeighbors, TcxBorders ABorders) const {
    const TcxBorders Borders =
        (ABorders & (cxBorder(bLeft) | cxBorder(bTop))) | cxBorder(bRight) | cxBorder(bBottom);
    ACanvas.FrameRect(R, pg::clBtnText, 1, Borders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas& ACanvas,
                                                                    const TRect& R,
                                                                    TcxButtonState AState) const {
    const TColor Color = AState == cxbsDisabled ? pg::clBtnShadow : pg::clBlack;
    ACanvas.DrawComplexFrame(R, Color, Color);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderControlSectionContent(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor,
    TColor ABkColor) const {
    const bool OwnFace = AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled;
    ACanvas.FillRect(ABounds, OwnFace ? ButtonColor(AState) : ABkColor);
    DrawHeaderControlSectionText(ACanvas, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert,
                                 AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor);
}

void TcxUltraFlatLookAndFeelPainter::DrawSortingMark(TcxCanvas& ACanvas, const TRect& R,
                                                     bool AAscendingSorting) const {
    cxDrawSortingMarkOutline(ACanvas, R, AAscendingSorting, SortingMarkSize(), pg::clBtnShadow,
                             pg::clBtnShadow);
}

TcxBorders TcxUltraFlatLookAndFeelPainter::HeaderBorders(TcxNeighbors ANeighbors) const {
    TcxBorders Borders = TcxCustomLookAndFeelPainter::HeaderBorders(ANeighbors);
    if (ANeighbors & cxNeighbor(nLeft)) Borders &= ~cxBorder(bLeft);
    if (ANeighbors & cxNeighbor(nTop)) Borders &= ~cxBorder(bTop);
    return Borders;
}

int TcxUltraFlatLookAndFeelPainter::HeaderBorderSize() const {
    return 1;
}

TSize TcxUltraFlatLookAndFeelPainter::SortingMarkSize() const {
    return {7, 8};
}

TcxBorders TcxUltraFlatLookAndFeelPainter::BandBorders() const {
    return cxBorder(bRight) | cxBorder(bBottom);
}

int TcxUltraFlatLookAndFeelPainter::BandBorderSize() const {
    return 1;
}

int TcxUltraFlatLookAndFeelPainter::BandCellBorderSize() const {
    return 1;
}

int TcxUltraFlatLookAndFeelPainter::BandCellOffset() const {
    return 2;
}

void TcxUltraFlatLookAndFeelPainter::DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const {
    const TColor Color = BandSeparatorColor();
    ACanvas.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, Color);
    ACanvas.FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom}, Color);
}

void TcxUltraFlatLookAndFeelPainter::DrawBandCellBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.FrameRect(R, BandSeparatorColor());
}

void TcxUltraFlatLookAndFeelPainter::DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R,
                                                             TcxButtonState AState,
                                                             bool AIsActive) const {
    ACanvas.FrameRect(R, ButtonFrameColor(AState));
    const TRect Inner = cxRectInflate(R, -1, -1);
    ACanvas.FillRect(Inner, ButtonColor(AState));
    DrawTriangleMark(ACanvas, Inner, AIsActive ? pg::clBlue : ButtonSymbolColor(AState));
}

TSize TcxUltraFlatLookAndFeelPainter::PanelCloseButtonSize() const {
    return {16, 15};
}

void TcxUltraFlatLookAndFeelPainter::DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                                   TcxBorders ABorders,
                                                   TcxButtonState AState) const {
    const TColor Color = AState == cxbsHot ? TabButtonHotFrameColor() : TabButtonFrameColor();
    cxDrawClassicTabBorder(ACanvas, R, ASide, ABorders, AState, Color, Color);
}

void TcxUltraFlatLookAndFeelPainter::DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int,
                                                  TcxBorders ABorders) const {
    const TColor Color = TabButtonHotFrameColor();
    ACanvas.DrawComplexFrame(R, Color, Color, ABorders);
}

int TcxUltraFlatLookAndFeelPainter::TabOffset() const {
    return 1;
}

void TcxUltraFlatLookAndFeelPainter::DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal,
                                                       const TRect& R, TcxScrollBarPart APart,
                                                       TcxButtonState AState) const {
    DrawFlatScrollBarPart(*this, ACanvas, AHorizontal, R, APart, AState, false);
}

void TcxUltraFlatLookAndFeelPainter::DrawToolButton(TcxCanvas& ACanvas, const TRect& R,
                                                    TcxButtonState AState) const {
    DrawButton(ACanvas, R, "", AState, AState == cxbsHot || AState == cxbsPressed, pg::clDefault,
               pg::clDefault);
}

void TcxUltraFlatLookAndFeelPainter::DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R,
                                                     bool ASideFlag, TColor AFillColor) const {
    const TColor Color = DefaultEditorBorderColor();
    DrawOnePixelPopupBorder(ACanvas, R, ASideFlag, Color, Color, AFillColor);
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonFrameColor(TcxButtonState AState) const {
    return AState == cxbsNormal ? pg::clBtnShadow : pg::clHighlight;
}

TColor TcxUltraFlatLookAndFeelPainter::TabButtonHotFrameColor() const {
    return pg::clBtnShadow;
}

TColor TcxUltraFlatLookAndFeelPainter::TabButtonFrameColor() const {
    return pg::clBtnText;
}

TColor TcxUltraFlatLookAndFeelPainter::HotButtonBorderColor() const {
    return pg::clHighlight;
}

} // namespace toolkit::base
