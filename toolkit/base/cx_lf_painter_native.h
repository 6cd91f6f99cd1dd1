#pragma once
// The native painter: every element in the user's visual style. Each operation opens the theme
// class it draws with; when that class does not open (visual styles off, or a part the style
// lacks) it draws, measures or answers exactly as the Standard painter does, so the native look
// degrades to the Standard look. Colour queries never answer an unset colour: a theme without
// the colour property answers the Standard painter's colour.

#include "toolkit/base/cx_lf_painter_standard.h"
#include "toolkit/base/theme_manager.h"

namespace toolkit::base {

class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
public:
    static const TcxWinXPLookAndFeelPainter& Instance();

    void DrawTabButton(TcxCanvas& ACanvas, const TRect& R, const TRect& AEdgeRect, int ASide,
                       TcxButtonState AState) const override;
    TcxLookAndFeelStyle LookAndFeelStyle() const override;
    TColor DefaultEditorBorderColor() const override;
    TColor DefaultInfoColor() const override;

    void DrawArrow(TcxCanvas& ACanvas, const TRect& R, TColor AColor,
                   TcxArrowDirection ADirection) const override;
    void DrawButtonArrow(TcxCanvas& ACanvas, const TRect& R, bool ADrawBorder,
                         TcxArrowDirection ADirection, TcxButtonState AState) const override;
    void DrawArrowBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    int BorderSize() const override;
    void DrawBorder(TcxCanvas& ACanvas, const TRect& R) const override;

    TRect AdjustButtonRect(const TRect& R, int ACount, int AIndex) const override;
    int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
    TColor ButtonColor(TcxButtonState AState) const override;
    TRect ButtonFocusRect(TcxCanvas& ACanvas, const TRect& R) const override;
    TRect ButtonBorderSizes(int ACount, int AIndex) const override;
    int ButtonTextOffset() const override;
    int ButtonTextShift() const override;
    TColor ButtonSymbolColor(TcxButtonState AState,
                             TColor ADefaultColor = platform::gdi::clDefault) const override;
    void DrawButton(TcxCanvas& ACanvas, TRect R, const std::string& ACaption, TcxButtonState AState,
                    bool ADrawBorder = true, TColor AColor = platform::gdi::clDefault,
                    TColor ATextColor = platform::gdi::clDefault,
                    bool AWordWrap = false) const override;

    void DrawExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                          TColor AColor = platform::gdi::clDefault) const override;
    bool ExpandButtonDrawnFirst() const override;
    void DrawGroupExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                               TcxButtonState AState) const override;
    void DrawSmallExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                               TColor ABorderColor,
                               TColor AColor = platform::gdi::clDefault) const override;
    int ExpandButtonSize() const override;
    int GroupExpandButtonSize() const override;
    bool IsButtonHotTrack() const override;
    bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) const override;
    int SmallExpandButtonSize() const override;

    int CheckBorderSize() const override;
    TSize CheckButtonSize() const override;
    void DrawCheck(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                   TColor AColor) const override;
    void DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    void DrawRadioButton(TcxCanvas& ACanvas, int X, int Y, TcxButtonState AButtonState,
                         bool AChecked, bool AFocused, TColor ABrushColor,
                         bool AIsHighlighted = false) const override;
    TSize RadioButtonSize() const override;

    void DrawHeader(TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                    TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont,
                    TColor ATextColor, TColor ABkColor,
                    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast = false,
                    bool AIsGroup = false) const override;
    void DrawHeaderPressed(TcxCanvas& ACanvas, const TRect& R) const override;
    void DrawHeaderControlSection(TcxCanvas& ACanvas, const TRect& ABounds,
                                  const TRect& ATextAreaBounds, TcxButtonState AState,
                                  TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                  bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                                  const TFont& AFont, TColor ATextColor, TColor ABkColor,
                                  const TcxDrawBackgroundEvent& AOnDrawBackground) const override;
    void DrawSortingMark(TcxCanvas& ACanvas, const TRect& R, bool AAscendingSorting) const override;
    int HeaderBorderSize() const override;
    int HeaderControlSectionBorderSize(TcxButtonState AState = cxbsNormal) const override;
    TRect HeaderControlSectionTextAreaBounds(const TRect& ABounds,
                                             TcxButtonState AState) const override;
    bool IsHeaderHotTrack() const override;
    TSize SortingMarkSize() const override;

    int BandBorderSize() const override;
    int BandCellBorderSize() const override;
    int BandCellOffset() const override;
    bool BandDrawCellsFirst() const override;
    void DrawBandCell(TcxCanvas& ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::string& AText,
                      const TFont& AFont, TColor ATextColor, TColor ABkColor,
                      const TcxDrawBackgroundEvent& AOnDrawBackground) const override;
    void DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const override;

    void DrawPanelCloseButton(TcxCanvas& ACanvas, TRect R, TcxButtonState AState) const override;
    void DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                 bool AIsActive) const override;
    TSize PanelCheckButtonSize() const override;
    TSize PanelCloseButtonSize() const override;

    void DrawTab(TcxCanvas& ACanvas, const TRect& R, TcxBorders ABorders, const std::string& AText,
                 TcxButtonState AState, bool AVertical, const TFont& AFont, TColor ATextColor,
                 TColor ABkColor, bool AShowPrefix = false) const override;
    void DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide, TcxBorders ABorders,
                       TcxButtonState AState) const override;
    void DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int ASide,
                      TcxBorders ABorders) const override;
    bool IsTabHotTrack(bool AVertical) const override;
    int TabBorderSize(bool AVertical) const override;
    int TabOffset() const override;

    void DrawIndicatorCell(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors, int AKind,
                           TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                           bool AIsLast = false) const override;
    int ScrollBarMinimalThumbSize(bool AHorizontal) const override;
    void DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal, const TRect& R,
                           TcxScrollBarPart APart, TcxButtonState AState) const override;
    void DrawSizeGrip(TcxCanvas& ACanvas, const TRect& R,
                      TColor ABackgroundColor = platform::gdi::clDefault) const override;
    void DrawIndicatorMarkCell(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                               TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                               bool AIsLast, int AMarkKind) const override;
    void DrawProgressChunk(TcxCanvas& ACanvas, const TRect& R, bool AFramed,
                           const TcxFillInfo& AFill, const TRect& AChunkRect) const override;
    void DrawToolButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    void DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag,
                         TColor AFillColor) const override;
    TRect PopupBorderSizes() const override;
    // The first colour, or the parent's image under the control for clDefault; the second
    // colour is not used.
    void DrawControlBackground(TcxCanvas& ACanvas, platform::forms::TControl* AControl,
                               const TRect& R, TColor AColor1, TColor AColor2) const override;

    // A caption in the theme's text style; nothing for an empty text.
    virtual void DrawThemedCaption(TcxCanvas& ACanvas, HTHEME ATheme, int APartId, int AStateId,
                                   const TRect& R, TAlignment AAlignmentHorz,
                                   TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                   bool AShowEndEllipsis, bool AShowPrefix,
                                   const std::string& AText, const TFont& AFont,
                                   TColor ATextColor) const;

protected:
    TcxWinXPLookAndFeelPainter() = default;
};

} // namespace toolkit::base
