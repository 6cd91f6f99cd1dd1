#pragma once
// The standard look-and-feel painter: the classic raised and sunken 3-D look in the system
// colours; the painter of the standard kind, and what the visual-style painter falls back to
// while visual styles are off. Like every painter it is one immutable instance.

#include "toolkit/base/cx_lf_painter.h"

namespace toolkit::base {

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
    static const TcxStandardLookAndFeelPainter& Instance();

    TcxLookAndFeelStyle LookAndFeelStyle() const override;
    TColor DefaultInfoColor() const override;
    int BorderSize() const override;
    // A two-pixel sunken border.
    void DrawBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    // 3 for the default state (its black frame), 2 for the others.
    int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
    int ButtonTextOffset() const override;
    int ButtonTextShift() const override;
    void DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    // A raised box with the sign; the box is then taken out of the clip region.
    void DrawExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                          TColor AColor = platform::gdi::clDefault) const override;
    // Drawn as the flat painter draws it.
    void DrawGroupExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                               TcxButtonState AState) const override;
    int ExpandButtonSize() const override;
    bool IsButtonHotTrack() const override;
    void DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    void DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                          TcxBorders ABorders) const override;
    void DrawHeaderControlSectionBorder(TcxCanvas& ACanvas, const TRect& R,
                                        TcxButtonState AState) const override;
    void DrawSortingMark(TcxCanvas& ACanvas, const TRect& R, bool AAscendingSorting) const override;
    int HeaderBorderSize() const override;
    int HeaderControlSectionBorderSize(TcxButtonState AState = cxbsNormal) const override;
    TSize SortingMarkSize() const override;
    int BandBorderSize() const override;
    int BandCellBorderSize() const override;
    int BandCellOffset() const override;
    void DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    void DrawBandCellBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    void DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                 bool AIsActive) const override;
    void DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide, TcxBorders ABorders,
                       TcxButtonState AState) const override;
    void DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int ASide,
                      TcxBorders ABorders) const override;
    int TabOffset() const override;
    // The platform's scroll-bar glyphs in raised borders; tracks through the checker. Hot is
    // drawn as normal; a disabled thumb is not drawn.
    void DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal, const TRect& R,
                           TcxScrollBarPart APart, TcxButtonState AState) const override;
    void DrawIndicatorMarkCell(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                               TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                               bool AIsLast, int AMarkKind) const override;
    void DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag,
                         TColor AFillColor) const override;

protected:
    TcxStandardLookAndFeelPainter() = default;
};

} // namespace toolkit::base
