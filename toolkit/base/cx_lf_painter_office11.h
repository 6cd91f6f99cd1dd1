#pragma once
// The Office 2003 look-and-feel painter: the ultra-flat geometry in the colours of the Office
// 2003 palette (which follows the colour scheme of the visual style, or derives from the system
// colours without one), with gradient header backgrounds, bitmap expand buttons and the
// standard or visual-style scroll bars. The palette must be held (dxOffice11InitColors) while
// it draws expand buttons. Like every painter it is one immutable instance.

#include "toolkit/base/cx_lf_painter_flat.h"

namespace toolkit::base {

class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
public:
    static const TcxOffice11LookAndFeelPainter& Instance();

    void DrawContent(TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                     TcxButtonState AState, TAlignment AAlignmentHorz,
                     TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                     const std::string& AText, const TFont& AFont, TColor ATextColor,
                     TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                     bool AIsFooter = false) const override;
    void DrawTabButton(TcxCanvas& ACanvas, const TRect& R, const TRect& AEdgeRect, int ASide,
                       TcxButtonState AState) const override;
    TcxLookAndFeelStyle LookAndFeelStyle() const override;

    TColor DefaultColor7() const override;
    TColor DefaultColor8() const override;
    TColor DefaultColor10() const override;
    TColor DefaultColor11() const override;
    TColor DefaultColor14() const override;
    TColor DefaultColor15() const override;
    TColor DefaultColor16() const override;
    TColor DefaultColor18() const override;
    TColor DefaultColor20() const override;
    TColor DefaultColor31() const override;
    TColor DefaultColor32() const override;
    TColor DefaultColor33() const override;
    TColor DefaultEditorBorderColor() const override;
    TColor DefaultColor36() const override;
    TColor DefaultColor43() const override;
    TColor DefaultColor45() const override;
    TColor DefaultColor48() const override;
    TColor DefaultColor50() const override;

    void DrawBorder(TcxCanvas& ACanvas, const TRect& R) const override;
    // Hot, pressed and normal faces from the palette; disabled clBtnFace in every scheme.
    TColor ButtonColor(TcxButtonState AState) const override;
    // The palette's text colours; pressed without a colour scheme clHighlightText. The default
    // colour is not used.
    TColor ButtonSymbolColor(TcxButtonState AState,
                             TColor ADefaultColor = platform::gdi::clDefault) const override;
    void DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    // The shared plus or minus bitmap at R's top-left, its corners blended into the canvas
    // under them.
    void DrawExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                          TColor AColor = platform::gdi::clDefault) const override;
    bool ExpandButtonDrawnFirst() const override;
    void DrawSmallExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                               TColor ABorderColor,
                               TColor AColor = platform::gdi::clDefault) const override;
    int ExpandButtonSize() const override;
    int SmallExpandButtonSize() const override;
    TColor CheckButtonColor(TcxButtonState AState) const override;
    // The background comes from DrawContent: no callback, second flag cleared.
    void DrawHeader(TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                    TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont,
                    TColor ATextColor, TColor ABkColor,
                    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast = false,
                    bool AIsGroup = false) const override;
    void DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                          TcxBorders ABorders) const override;
    void DrawHeaderControlSection(TcxCanvas& ACanvas, const TRect& ABounds,
                                  const TRect& ATextAreaBounds, TcxButtonState AState,
                                  TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                  bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                                  const TFont& AFont, TColor ATextColor, TColor ABkColor,
                                  const TcxDrawBackgroundEvent& AOnDrawBackground) const override;
    void DrawSortingMark(TcxCanvas& ACanvas, const TRect& R, bool AAscendingSorting) const override;
    TcxBorders HeaderBorders(TcxNeighbors ANeighbors) const override;
    int HeaderBorderSize() const override;
    bool IsHeaderHotTrack() const override;
    void DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                 bool AIsActive) const override;
    // The visual-style painter's when scroll bars are themed, else the standard painter's.
    void DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal, const TRect& R,
                           TcxScrollBarPart APart, TcxButtonState AState) const override;
    void DrawSizeGrip(TcxCanvas& ACanvas, const TRect& R,
                      TColor ABackgroundColor = platform::gdi::clDefault) const override;
    void DrawIndicatorMarkCell(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                               TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                               bool AIsLast, int AMarkKind) const override;
    void DrawCaptionFrame(TcxCanvas& ACanvas, const TRect& R) const override;
    // The visual-style painter's tool button (the standard one while styles are off).
    void DrawToolButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const override;
    // First colour clDefault: the parent painted under the control; second colour clDefault: a
    // plain fill; else a top-to-bottom gradient.
    void DrawControlBackground(TcxCanvas& ACanvas, platform::forms::TControl* AControl,
                               const TRect& R, TColor AColor1, TColor AColor2) const override;

    TColor ButtonFrameColor(TcxButtonState AState) const override;
    TColor TabButtonHotFrameColor() const override;
    TColor HotButtonBorderColor() const override;
    TColor BandSeparatorColor() const override;

    // --- The Office 2003 painter's own queries ---
    virtual TColor HeaderGradientEndColor() const;
    virtual TColor HeaderShadowColor() const;
    virtual TColor HeaderLightColor() const;
    virtual TColor HeaderGradientStartColor() const;

protected:
    TcxOffice11LookAndFeelPainter() = default;
};

} // namespace toolkit::base
