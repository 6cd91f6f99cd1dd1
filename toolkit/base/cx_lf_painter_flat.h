#pragma once
// The flat and ultra-flat look-and-feel painters. The flat painter keeps the 3-D idea with
// single-pixel edges; the ultra-flat painter draws no bevels at all: one-pixel frames, hot and
// pressed faces blended from the highlight colour, and four frame-colour queries that the
// Office 2003 painter answers from its palette. Like every painter each is one immutable
// instance.

#include "toolkit/base/cx_lf_painter.h"

namespace toolkit::base {

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
    static const TcxFlatLookAndFeelPainter& Instance();

    TcxLookAndFeelStyle LookAndFeelStyle() const override;
    int BorderSize() const override;
    void DrawBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    // 2 for the default state (its black frame), 1 for the others.
    int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
    int ButtonTextOffset() const override;
    int ButtonTextShift() const override;
    void DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    // A normal button with the sign; the box is then taken out of the clip region.
    void DrawExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                          TColor AColor = platform::gdi::clDefault) const override;
    int ExpandButtonSize() const override;
    bool IsButtonHotTrack() const override;
    void DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    void DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                          TcxBorders ABorders) const override;
    void DrawHeaderControlSectionBorder(TcxCanvas& ACanvas, const TRect& R,
                                        TcxButtonState AState) const override;
    void DrawSortingMark(TcxCanvas& ACanvas, const TRect& R, bool AAscendingSorting) const override;
    int HeaderBorderSize() const override;
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
    // Arrows and thumb as buttons (hot drawn as normal), the glyph inside their border; tracks
    // through the checker.
    void DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal, const TRect& R,
                           TcxScrollBarPart APart, TcxButtonState AState) const override;
    void DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag,
                         TColor AFillColor) const override;

protected:
    TcxFlatLookAndFeelPainter() = default;
};

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
    static const TcxUltraFlatLookAndFeelPainter& Instance();

    void DrawTabButton(TcxCanvas& ACanvas, const TRect& R, const TRect& AEdgeRect, int ASide,
                       TcxButtonState AState) const override;
    TcxLookAndFeelStyle LookAndFeelStyle() const override;
    TColor DefaultEditorBorderColor() const override;
    int BorderSize() const override;
    void DrawBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    // 2 for the default state, 1 for the others.
    int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
    // Hot and pressed faces are light blends of the highlight colour; others clBtnFace.
    TColor ButtonColor(TcxButtonState AState) const override;
    TRect ButtonFocusRect(TcxCanvas& ACanvas, const TRect& R) const override;
    // {1, 2, 1, 2}, with 2 on the outer side of the first (or else the last) button of a row.
    TRect ButtonBorderSizes(int ACount, int AIndex) const override;
    int ButtonTextOffset() const override;
    int ButtonTextShift() const override;
    // Pressed: clHighlightText whatever the default colour; others as the base.
    TColor ButtonSymbolColor(TcxButtonState AState,
                             TColor ADefaultColor = platform::gdi::clDefault) const override;
    TcxButtonState ButtonSymbolState(TcxButtonState AState) const override;
    void DrawButtonInGroup(TcxCanvas& ACanvas, const TRect& R, int AIndex, int ACount,
                           TcxButtonState AState, TColor AFrameColor) const override;
    void DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    void DrawButtonInGroupBorder(TcxCanvas& ACanvas, const TRect& R, bool AHighlighted,
                                 bool AFocused) const override;
    void DrawExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                          TColor AColor = platform::gdi::clDefault) const override;
    int ExpandButtonSize() const override;
    bool IsButtonHotTrack() const override;
    void DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    // The content over the cell less one pixel all round, then the one-pixel border.
    void DrawHeaderEx(TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                      TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                      TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                      bool AShowEndEllipsis, const std::string& AText, const TFont& AFont,
                      TColor ATextColor, TColor ABkColor,
                      const TcxDrawBackgroundEvent& AOnDrawBackground) const override;
    void DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                          TcxBorders ABorders) const override;
    void DrawHeaderControlSectionBorder(TcxCanvas& ACanvas, const TRect& R,
                                        TcxButtonState AState) const override;
    void DrawHeaderControlSectionContent(TcxCanvas& ACanvas, const TRect& ABounds,
                                         const TRect& ATextAreaBounds, TcxButtonState AState,
                                         TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                         bool AMultiLine, bool AShowEndEllipsis,
                                         const std::string& AText, const TFont& AFont,
                                         TColor ATextColor, TColor ABkColor) const override;
    void DrawSortingMark(TcxCanvas& ACanvas, const TRect& R, bool AAscendingSorting) const override;
    TcxBorders HeaderBorders(TcxNeighbors ANeighbors) const override;
    int HeaderBorderSize() const override;
    TSize SortingMarkSize() const override;
    TcxBorders BandBorders() const override;
    int BandBorderSize() const override;
    int BandCellBorderSize() const override;
    int BandCellOffset() const override;
    void DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    void DrawBandCellBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    void DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                 bool AIsActive) const override;
    TSize PanelCloseButtonSize() const override;
    void DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide, TcxBorders ABorders,
                       TcxButtonState AState) const override;
    void DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int ASide,
                      TcxBorders ABorders) const override;
    int TabOffset() const override;
    // Arrows and thumb as buttons (hot drawn hot), tracks through the checker.
    void DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal, const TRect& R,
                           TcxScrollBarPart APart, TcxButtonState AState) const override;
    // A button whose border shows only while hot or pressed.
    void DrawToolButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    void DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag,
                         TColor AFillColor) const override;

    // --- The ultra-flat family's own queries ---
    // clBtnShadow for the normal state, clHighlight for the others.
    virtual TColor ButtonFrameColor(TcxButtonState AState) const;
    virtual TColor TabButtonHotFrameColor() const;
    virtual TColor TabButtonFrameColor() const;
    virtual TColor HotButtonBorderColor() const;

protected:
    TcxUltraFlatLookAndFeelPainter() = default;
};

} // namespace toolkit::base
