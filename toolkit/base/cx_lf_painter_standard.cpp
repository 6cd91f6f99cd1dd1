#include "toolkit/base/cx_lf_painter_standard.h"

#include "toolkit/base/cx_lf_painter_flat.h"
#include "toolkit/base/cx_lf_painter_strokes.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/frame_controls.h"

namespace toolkit::base {

namespace pg = platform::gdi;

const TcxStandardLookAndFeelPainter& TcxStandardLookAndFeelPainter::Instance() {
    static const TcxStandardLookAndFeelPainter Painter;
    return Painter;
}

TcxLookAndFeelStyle TcxStandardLookAndFeelPainter::LookAndFeelStyle() const {
    return lfsStandard;
}

TColor TcxStandardLookAndFeelPainter::DefaultInfoColor() const {
    return pg::clWindow;
}

int TcxStandardLookAndFeelPainter::BorderSize() const {
    return 2;
}

void TcxStandardLookAndFeelPainter::DrawBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.DrawComplexFrame(R, pg::clBtnShadow, pg::clBtnHighlight);
    ACanvas.DrawComplexFrame(cxRectInflate(R, -1, -1), pg::cl3DDkShadow, pg::cl3DLight);
}

int TcxStandardLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const {
    return AState == cxbsDefault ? 3 : 2;
}

int TcxStandardLookAndFeelPainter::ButtonTextOffset() const {
    return 1;
}

int TcxStandardLookAndFeelPainter::ButtonTextShift() const {
    return 1;
}

void TcxStandardLookAndFeelPainter::DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R,
                                                     TcxButtonState AState) const {
    TRect Frame = R;
    if (AState == cxbsPressed) {
        ACanvas.FrameRect(Frame, pg::clBlack);
        ACanvas.DrawComplexFrame(cxRectInflate(Frame, -1, -1), pg::clBtnShadow, pg::clBtnShadow);
        return;
    }
    if (AState == cxbsDefault) {
        ACanvas.FrameRect(Frame, pg::clBlack);
        Frame = cxRectInflate(Frame, -1, -1);
    }
    ACanvas.DrawComplexFrame(Frame, pg::clBtnHighlight, pg::cl3DDkShadow);
    ACanvas.DrawComplexFrame(cxRectInflate(Frame, -1, -1), pg::cl3DLight, pg::clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                     bool AExpanded, TColor AColor) const {
    const TcxBorders LeftTop = cxBorder(bLeft) | cxBorder(bTop);
    const TcxBorders RightBottom = cxBorder(bRight) | cxBorder(bBottom);
    ACanvas.DrawEdge(R, false, false, LeftTop);
    ACanvas.DrawEdge(R, false, true, RightBottom);
    TRect Inner = cxRectInflate(R, -1, -1);
    ACanvas.DrawEdge(Inner, false, false, RightBottom);
    --Inner.Right;
    --Inner.Bottom;
    ACanvas.FillRect(Inner, AColor == pg::clDefault ? pg::clBtnFace : AColor);
    cxDrawExpandSign(ACanvas, Inner, AExpanded, pg::clBtnText);
    ACanvas.ExcludeClipRect(R);
}

void TcxStandardLookAndFeelPainter::DrawGroupExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                          bool AExpanded,
                                                          TcxButtonState AState) const {
    // The base operation run through the flat painter, so its button is the flat one.
    TcxFlatLookAndFeelPainter::Instance().TcxCustomLookAndFeelPainter::DrawGroupExpandButton(
        ACanvas, R, AExpanded, AState);
}

int TcxStandardLookAndFeelPainter::ExpandButtonSize() const {
    return 12;
}

bool TcxStandardLookAndFeelPainter::IsButtonHotTrack() const {
    return false;
}

void TcxStandardLookAndFeelPainter::DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R,
                                                    TcxButtonState) const {
    ACanvas.DrawEdge(R, true, false);
    ACanvas.DrawEdge(cxRectInflate(R, -1, -1), true, true);
}

void TcxStandardLookAndFeelPainter::DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R,
                                                     TcxNeighbors ANeighbors, TcxBorders) const {
    cxDrawClassicHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxStandardLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas& ACanvas,
                                                                   const TRect& R,
                                                                   TcxButtonState AState) const {
    if (AState == cxbsPressed) {
        ACanvas.DrawComplexFrame(R, pg::clBtnShadow, pg::clBtnShadow);
        return;
    }
    ACanvas.DrawComplexFrame(R, pg::clBtnHighlight, pg::cl3DDkShadow);
    ACanvas.DrawComplexFrame(cxRectInflate(R, -1, -1), pg::cl3DLight, pg::clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawSortingMark(TcxCanvas& ACanvas, const TRect& R,
                                                    bool AAscendingSorting) const {
    cxDrawSortingMarkOutline(ACanvas, R, AAscendingSorting, SortingMarkSize(), pg::clBtnHighlight,
                             pg::clBtnShadow);
}

int TcxStandardLookAndFeelPainter::HeaderBorderSize() const {
    return 1;
}

int TcxStandardLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState AState) const {
    return AState == cxbsPressed ? 1 : 2;
}

TSize TcxStandardLookAndFeelPainter::SortingMarkSize() const {
    return {8, 7};
}

int TcxStandardLookAndFeelPainter::BandBorderSize() const {
    return 1;
}

int TcxStandardLookAndFeelPainter::BandCellBorderSize() const {
    return 1;
}

int TcxStandardLookAndFeelPainter::BandCellOffset() const {
    return 1;
}

void TcxStandardLookAndFeelPainter::DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.DrawEdge(R, false, false);
}

void TcxStandardLookAndFeelPainter::DrawBandCellBorder(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.DrawEdge(R, true, true);
}

void TcxStandardLookAndFeelPainter::DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            bool AIsActive) const {
    cxDrawClassicPanelDropDownButton(*this, ACanvas, R, AState, AIsActive);
}

void TcxStandardLookAndFeelPainter::DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                                  TcxBorders ABorders,
                                                  TcxButtonState AState) const {
    cxDrawClassicTabBorder(ACanvas, R, ASide, ABorders, AState, pg::clBtnShadow,
                           pg::clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int,
                                                 TcxBorders ABorders) const {
    ACanvas.DrawEdge(R, false, false, ABorders);
}

int TcxStandardLookAndFeelPainter::TabOffset() const {
    return 1;
}

void TcxStandardLookAndFeelPainter::DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal,
                                                      const TRect& R, TcxScrollBarPart APart,
                                                      TcxButtonState AState) const {
    if (cxRectIsEmpty(R) || APart == sbpNone) return;
    if (APart == sbpThumbnail && AState == cxbsDisabled) return;
    if (AState == cxbsHot) AState = cxbsNormal;
    const bool Pressed = AState == cxbsPressed;
    if (APart == sbpPageUp || APart == sbpPageDown) {
        cxFillScrollBarTrack(ACanvas, R, Pressed);
        return;
    }
    if (APart == sbpThumbnail) {
        const int Size = ButtonBorderSize(cxbsNormal);
        ACanvas.FillRect(cxRectInflate(R, -Size, -Size), pg::clBtnFace);
    } else {
        TRect Glyph = Pressed ? cxRectOffset(R, 1, 1) : R;
        unsigned Kind = APart == sbpLineUp
                            ? (AHorizontal ? pg::DFCS_SCROLLLEFT : pg::DFCS_SCROLLUP)
                            : (AHorizontal ? pg::DFCS_SCROLLRIGHT : pg::DFCS_SCROLLDOWN);
        if (AState == cxbsDisabled) Kind |= pg::DFCS_INACTIVE;
        if (Pressed) Kind |= pg::DFCS_FLAT;
        pg::DrawFrameControl(ACanvas.Handle(), &Glyph, pg::DFC_SCROLL, Kind);
    }
    if (Pressed && APart != sbpThumbnail) {
        ACanvas.DrawComplexFrame(R, pg::clBtnShadow, pg::clBtnShadow);
        ACanvas.DrawComplexFrame(cxRectInflate(R, -1, -1), pg::clBtnFace, pg::clBtnFace);
    } else {
        ACanvas.DrawComplexFrame(R, pg::clBtnFace, pg::cl3DDkShadow);
        ACanvas.DrawComplexFrame(cxRectInflate(R, -1, -1), pg::clBtnHighlight, pg::clBtnShadow);
    }
}

void TcxStandardLookAndFeelPainter::DrawIndicatorMarkCell(
    TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool, int AMarkKind) const {
    TcxBorders Borders = cxBordersAll;
    if (ANeighbors & cxNeighbor(nLeft)) Borders &= ~cxBorder(bLeft);
    if (ANeighbors & cxNeighbor(nRight)) Borders &= ~cxBorder(bRight);
    ACanvas.FrameRect(R, pg::clBlack, 1, Borders);
    const TRect Content = HeaderContentBounds(R, Borders);
    if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, Content))
        ACanvas.FillRect(Content, ABkColor);
    cxDrawIndicatorMark(ACanvas, cxRectOffset(R, 0, BorderSize() - 1), AMarkKind, pg::clWindowText);
}

void TcxStandardLookAndFeelPainter::DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R,
                                                    bool ASideFlag, TColor AFillColor) const {
    // Outer pair, then inner pair: each a line on both ends of the chosen direction.
    const TcxBorders First = ASideFlag ? cxBorder(bTop) : cxBorder(bLeft);
    const TcxBorders Second = ASideFlag ? cxBorder(bBottom) : cxBorder(bRight);
    TRect Rest = R;
    const std::pair<TColor, TColor> Pairs[] = {{pg::clBtnFace, pg::cl3DDkShadow},
                                               {pg::clBtnHighlight, pg::clBtnShadow}};
    for (const auto& [Light, Dark] : Pairs) {
        ACanvas.FrameRect(Rest, Light, 1, First);
        ACanvas.FrameRect(Rest, Dark, 1, Second);
        Rest = ASideFlag ? cxRectInflate(Rest, 0, -1) : cxRectInflate(Rest, -1, 0);
    }
    ACanvas.FrameAndFillRect(Rest, TcxFillInfo{HBITMAP{}, AFillColor}, cxBordersAll, pg::clDefault,
                             1);
}

} // namespace toolkit::base
