#pragma once
// The look-and-feel painter base: the drawing vocabulary of the toolkit, one operation per drawn
// element and one query per metric or default colour. A painter is never made by a caller: each
// painter class has one immutable instance (Instance()), and a caller holds a
// TcxLookAndFeelPainterClass, a pointer to it, and calls through it. Painters keep no state, so
// an operation of the base that calls another operation gets the style's override of it. The
// operations are declared in the order of the family's operation table; the styles override
// them by name.

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_geometry.h"
#include "toolkit/base/look_and_feel_painter_lookup.h"

#include "platform/core/date_time.h"
#include "platform/forms/std_ctrls.h"

#include <functional>
#include <string>

namespace platform::forms {
class TControl;
class TImageList;
} // namespace platform::forms

namespace toolkit::base {

using platform::forms::TAlignment;

// The code each painter class reports from LookAndFeelStyle.
enum TcxLookAndFeelStyle : unsigned char {
    lfsFlat,
    lfsStandard,
    lfsUltraFlat,
    lfsNative,
    lfsOffice11
};

// The state of every button-like element; the default state is a normal button that is the
// dialog's default.
enum TcxButtonState : unsigned char { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };

enum TcxArrowDirection : unsigned char { adUp, adDown, adLeft, adRight };

enum TcxCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };

enum TcxScrollBarPart { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };

// The cells that touch a header cell, as bits: left 1, top 2, right 4.
enum TcxNeighbor { nLeft, nTop, nRight };
using TcxNeighbors = unsigned;
constexpr TcxNeighbors cxNeighbor(TcxNeighbor Neighbor) {
    return 1u << Neighbor;
}

// Paints the background of a cell itself; true when it did, so the painter fills nothing.
using TcxDrawBackgroundEvent = std::function<bool(TcxCanvas& ACanvas, const TRect& Bounds)>;

// The arrow's three corners in R: size 0 derives the size from R; with the square option R is
// first made square about its centre.
struct TcxArrowPoints {
    TPoint P[3];
};
TcxArrowPoints cxArrowPoints(TRect R, int ASize, bool ASquare, TcxArrowDirection ADirection);

// The library's text flags of a cell's text: the alignments, then word break when multi-line
// or a single line, and the end ellipsis when asked.
int cxPainterTextFlags(TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                       bool AShowEndEllipsis);

// Width of a vertical scroll bar, height of a horizontal one, from the system metrics.
TSize GetScrollBarSize();

class TcxCustomLookAndFeelPainter {
public:
    static const TcxCustomLookAndFeelPainter& Instance();
    virtual ~TcxCustomLookAndFeelPainter() = default;
    TcxCustomLookAndFeelPainter(const TcxCustomLookAndFeelPainter&) = delete;
    TcxCustomLookAndFeelPainter& operator=(const TcxCustomLookAndFeelPainter&) = delete;

    // --- Background and content ---
    // Flag clear: a plain fill in AColor; flag set: ABitmap tiled, or nothing without one.
    virtual void DrawBackground(TcxCanvas& ACanvas, const TRect& R, bool ATransparent,
                                TColor AColor, HBITMAP ABitmap) const;
    // A downward filled triangle centred in R.
    virtual void DrawTriangleMark(TcxCanvas& ACanvas, const TRect& R, TColor AColor) const;
    // The background (the callback first), then the text in ATextAreaBounds.
    virtual void DrawContent(TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                             TcxButtonState AState, TAlignment AAlignmentHorz,
                             TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                             bool AShowEndEllipsis, const std::string& AText, const TFont& AFont,
                             TColor ATextColor, TColor ABkColor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground,
                             bool AIsFooter = false) const;
    // A face cell framed on three sides with a slanted edge in AEdgeRect; side 0 opens left.
    virtual void DrawTabButton(TcxCanvas& ACanvas, const TRect& R, const TRect& AEdgeRect,
                               int ASide, TcxButtonState AState) const;
    // R deflated by BandCellBorderSize on every side.
    virtual TRect ContentBoundsByBorder(const TRect& R) const;
    // ContentBoundsByBorder, then 2 more on every side.
    virtual TRect ContentInnerBounds(const TRect& R) const;
    virtual TcxLookAndFeelStyle LookAndFeelStyle() const;

    // --- Default colours ---
    virtual TColor DefaultColor1() const;
    virtual TColor DefaultColor2() const;
    virtual TColor DefaultColor3() const;
    virtual TColor DefaultColor4() const;
    virtual TColor DefaultColor5() const;
    virtual TColor DefaultColor6() const;
    virtual TColor DefaultColor7() const;
    virtual TColor DefaultColor8() const;
    virtual TColor DefaultColor9() const;
    virtual TColor DefaultColor10() const;
    virtual TColor DefaultColor11() const;
    virtual TColor DefaultColor12() const;
    virtual TColor DefaultColor13() const;
    virtual TColor DefaultColor14() const;
    virtual TColor DefaultColor15() const;
    virtual TColor DefaultColor16() const;
    virtual TColor DefaultColor17() const;
    virtual TColor DefaultColor18() const;
    virtual TColor DefaultColor19() const;
    virtual TColor DefaultColor20() const;
    virtual TColor DefaultColor21() const;
    virtual TColor DefaultColor22() const;
    virtual TColor DefaultColor23() const;
    virtual TColor DefaultColor24() const;
    virtual TColor DefaultColor25() const;
    virtual TColor DefaultColor26() const;
    // The corner between a horizontal and a vertical scroll bar.
    virtual TColor DefaultSizeGripAreaColor() const;
    virtual TColor DefaultColor27() const;
    virtual TColor DefaultColor28() const;
    virtual TColor DefaultColor29() const;
    virtual TColor DefaultColor30() const;
    virtual TColor DefaultColor31() const;
    virtual TColor DefaultColor32() const;
    virtual TColor DefaultColor33() const;
    virtual TColor DefaultColor34() const;
    virtual TColor DefaultColor35() const;
    // The frame of edit-like boxes.
    virtual TColor DefaultEditorBorderColor() const;
    virtual TColor DefaultColor36() const;
    virtual TColor DefaultColor37() const;
    // The light background of information areas.
    virtual TColor DefaultInfoColor() const;
    virtual TColor DefaultColor38() const;
    virtual TColor DefaultColor39() const;
    virtual TColor DefaultColor40() const;
    virtual TColor DefaultColor41() const;
    virtual TColor DefaultColor42() const;
    virtual TColor DefaultColor43() const;
    virtual TColor DefaultColor44() const;
    virtual TColor DefaultColor45() const;
    virtual TColor DefaultColor46() const;
    virtual TColor DefaultColor47() const;
    virtual TColor DefaultColor48() const;
    virtual TColor DefaultColor49() const;
    virtual TColor DefaultColor50() const;
    virtual TColor DefaultColor51() const;
    virtual TColor DefaultColor52() const;
    virtual TColor DefaultColor53() const;
    virtual TColor DefaultColor54() const;
    virtual TColor DefaultColor55() const;
    virtual TColor DefaultColor56() const;
    virtual TColor DefaultColor57() const;
    virtual TColor DefaultColor58() const;
    virtual TColor DefaultColor59() const;
    virtual TColor DefaultColor60() const;

    // --- Arrows and borders ---
    // A filled triangle (size derived, square option) in AColor.
    virtual void DrawArrow(TcxCanvas& ACanvas, const TRect& R, TColor AColor,
                           TcxArrowDirection ADirection) const;
    // DrawArrowBorder or a face fill, then the arrow (no square option) in the symbol colour.
    virtual void DrawButtonArrow(TcxCanvas& ACanvas, const TRect& R, bool ADrawBorder,
                                 TcxArrowDirection ADirection, TcxButtonState AState) const;
    // A face fill, then DrawButtonBorder.
    virtual void DrawArrowBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const;
    // The arrow of a scroll bar's line button; pressed moves it by ButtonTextShift, disabled is
    // embossed.
    virtual void DrawScrollBarArrow(TcxCanvas& ACanvas, TRect R, TcxButtonState AState,
                                    TcxArrowDirection ADirection) const;
    // The width of a control's border.
    virtual int BorderSize() const;
    virtual void DrawBorder(TcxCanvas& ACanvas, const TRect& R) const;

    // --- Push buttons ---
    // The rectangle of button AIndex of a row of ACount buttons.
    virtual TRect AdjustButtonRect(const TRect& R, int ACount, int AIndex) const;
    virtual int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const;
    virtual TColor ButtonColor(TcxButtonState AState) const;
    // R deflated by 4, or R itself when that leaves nothing.
    virtual TRect ButtonFocusRect(TcxCanvas& ACanvas, const TRect& R) const;
    // The border widths (as a margins rectangle) of button AIndex of a row of ACount buttons.
    virtual TRect ButtonBorderSizes(int ACount, int AIndex) const;
    virtual int ButtonTextOffset() const;
    // How far the content of a pressed button moves right and down.
    virtual int ButtonTextShift() const;
    // Disabled: clBtnShadow; else ADefaultColor, or clBtnText for clDefault.
    virtual TColor ButtonSymbolColor(TcxButtonState AState,
                                     TColor ADefaultColor = platform::gdi::clDefault) const;
    virtual TcxButtonState ButtonSymbolState(TcxButtonState AState) const;
    // Border, face and caption (the prefix character underlines).
    virtual void DrawButton(TcxCanvas& ACanvas, TRect R, const std::string& ACaption,
                            TcxButtonState AState, bool ADrawBorder = true,
                            TColor AColor = platform::gdi::clDefault,
                            TColor ATextColor = platform::gdi::clDefault,
                            bool AWordWrap = false) const;
    virtual void DrawButtonInGroup(TcxCanvas& ACanvas, const TRect& R, int AIndex, int ACount,
                                   TcxButtonState AState, TColor AFrameColor) const;
    virtual void DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const;
    virtual void DrawButtonInGroupBorder(TcxCanvas& ACanvas, const TRect& R, bool AHighlighted,
                                         bool AFocused) const;

    // --- Expand buttons ---
    virtual void DrawExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                                  TColor AColor = platform::gdi::clDefault) const;
    virtual bool ExpandButtonDrawnFirst() const;
    // A button with a double chevron: up when expanded, down when collapsed.
    virtual void DrawGroupExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                                       TcxButtonState AState) const;
    // A framed box with a minus, or a plus when collapsed.
    virtual void DrawSmallExpandButton(TcxCanvas& ACanvas, const TRect& R, bool AExpanded,
                                       TColor ABorderColor,
                                       TColor AColor = platform::gdi::clDefault) const;
    virtual int ExpandButtonSize() const;
    virtual int GroupExpandButtonSize() const;
    virtual bool IsButtonHotTrack() const;
    virtual bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) const;
    virtual int SmallExpandButtonSize() const;

    // --- Check boxes and radio buttons ---
    virtual int CheckBorderSize() const;
    virtual TColor CheckButtonColor(TcxButtonState AState) const;
    // The size of the platform's check-box glyph.
    virtual TSize CheckButtonSize() const;
    // The box filled (when the brush is solid) and the mark when checked.
    virtual void DrawCheck(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                           TColor AColor) const;
    virtual void DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const;
    virtual void DrawCheckButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                 bool AChecked) const;
    virtual void DrawCheckButtonState(TcxCanvas& ACanvas, TRect R, TcxButtonState AState,
                                      TcxCheckBoxState ACheckState) const;
    // The shared radio image of this style and the state at (X, Y).
    virtual void DrawRadioButton(TcxCanvas& ACanvas, int X, int Y, TcxButtonState AButtonState,
                                 bool AChecked, bool AFocused, TColor ABrushColor,
                                 bool AIsHighlighted = false) const;
    virtual TSize RadioButtonSize() const;

    // --- Header cells ---
    // DrawHeaderBorder, then the content in HeaderContentBounds.
    virtual void DrawHeader(TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                            TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                            TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                            bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                            const TFont& AFont, TColor ATextColor, TColor ABkColor,
                            const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast = false,
                            bool AIsGroup = false) const;
    // DrawHeader with both flags cleared.
    virtual void DrawHeaderEx(TcxCanvas& ACanvas, const TRect& ABounds,
                              const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                              TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                              bool AShowEndEllipsis, const std::string& AText, const TFont& AFont,
                              TColor ATextColor, TColor ABkColor,
                              const TcxDrawBackgroundEvent& AOnDrawBackground) const;
    virtual void DrawHeaderBorder(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                                  TcxBorders ABorders) const;
    virtual void DrawHeaderPressed(TcxCanvas& ACanvas, const TRect& R) const;
    virtual void DrawHeaderControlSection(TcxCanvas& ACanvas, const TRect& ABounds,
                                          const TRect& ATextAreaBounds, TcxButtonState AState,
                                          TAlignment AAlignmentHorz,
                                          TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                          bool AShowEndEllipsis, const std::string& AText,
                                          const TFont& AFont, TColor ATextColor, TColor ABkColor,
                                          const TcxDrawBackgroundEvent& AOnDrawBackground) const;
    virtual void DrawHeaderControlSectionBorder(TcxCanvas& ACanvas, const TRect& R,
                                                TcxButtonState AState) const;
    virtual void DrawHeaderControlSectionContent(TcxCanvas& ACanvas, const TRect& ABounds,
                                                 const TRect& ATextAreaBounds,
                                                 TcxButtonState AState, TAlignment AAlignmentHorz,
                                                 TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                 bool AShowEndEllipsis, const std::string& AText,
                                                 const TFont& AFont, TColor ATextColor,
                                                 TColor ABkColor) const;
    // Disabled text is embossed: clBtnHighlight one pixel down and right, then clBtnShadow.
    virtual void DrawHeaderControlSectionText(TcxCanvas& ACanvas, const TRect& ATextAreaBounds,
                                              TcxButtonState AState, TAlignment AAlignmentHorz,
                                              TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                              bool AShowEndEllipsis, const std::string& AText,
                                              const TFont& AFont, TColor ATextColor) const;
    // The two end strips, each AIndent wide, in AEndFill; the middle in AColor.
    virtual void DrawHeaderSeparator(TcxCanvas& ACanvas, const TRect& R,
                                     const TcxFillInfo& AEndFill, TColor AColor, int AIndent) const;
    virtual void DrawSortingMark(TcxCanvas& ACanvas, const TRect& R, bool AAscendingSorting) const;
    virtual TcxBorders HeaderBorders(TcxNeighbors ANeighbors) const;
    virtual int HeaderBorderSize() const;
    // ABounds widened by HeaderBorderSize on each side ABorders holds and
    // HeaderBorders(ANeighbors) lacks.
    virtual TRect HeaderBounds(const TRect& ABounds, TcxNeighbors ANeighbors,
                               TcxBorders ABorders = cxBordersAll) const;
    // ABounds deflated by HeaderBorderSize on each drawn border.
    virtual TRect HeaderContentBounds(const TRect& ABounds, TcxBorders ABorders) const;
    virtual bool HeaderDrawCellsFirst() const;
    virtual int HeaderHeight(int AFontHeight) const;
    virtual int HeaderControlSectionBorderSize(TcxButtonState AState = cxbsNormal) const;
    virtual TRect HeaderControlSectionContentBounds(const TRect& ABounds,
                                                    TcxButtonState AState) const;
    virtual TRect HeaderControlSectionTextAreaBounds(const TRect& ABounds,
                                                     TcxButtonState AState) const;
    virtual int HeaderWidth(TcxCanvas& ACanvas, TcxBorders ABorders, const std::string& AText,
                            const TFont& AFont) const;
    virtual bool IsHeaderHotTrack() const;
    virtual TSize SortingMarkAreaSize() const;
    virtual TSize SortingMarkSize() const;

    // --- Bands and their cells ---
    virtual void DrawBandBackground(TcxCanvas& ACanvas, const TRect& R, bool ATransparent,
                                    TColor AColor, HBITMAP ABitmap) const;
    virtual TcxBorders BandBorders() const;
    virtual int BandBorderSize() const;
    virtual int BandCellBorderSize() const;
    virtual int BandCellOffset() const;
    virtual bool BandDrawCellsFirst() const;
    virtual TColor BandSeparatorColor() const;
    virtual int BandSeparatorSize() const;
    virtual void DrawBandCell(TcxCanvas& ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                              const std::string& AText, const TFont& AFont, TColor ATextColor,
                              TColor ABkColor,
                              const TcxDrawBackgroundEvent& AOnDrawBackground) const;
    virtual void DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const;
    virtual void DrawBandCellBorder(TcxCanvas& ACanvas, const TRect& R) const;
    // Nothing for an empty R.
    virtual void DrawBandContent(TcxCanvas& ACanvas, const TRect& R,
                                 const TcxFillInfo& AFill) const;
    virtual void DrawBandSeparator(TcxCanvas& ACanvas, const TRect& R) const;

    // --- Panel buttons ---
    virtual void DrawPanelCheckButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AChecked) const;
    // Border, face and a two-pixel diagonal cross.
    virtual void DrawPanelCloseButton(TcxCanvas& ACanvas, TRect R, TcxButtonState AState) const;
    virtual void DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                         bool AIsActive) const;
    virtual void DrawPanelBackground(TcxCanvas& ACanvas, const TRect& R, bool ATransparent,
                                     TColor AColor, HBITMAP ABitmap) const;
    virtual TSize PanelCheckButtonSize() const;
    virtual TSize PanelCloseButtonSize() const;
    virtual TSize PanelDropDownButtonSize() const;

    // --- Tabs ---
    virtual void FillTabsArea(TcxCanvas& ACanvas, const TRect& R) const;
    virtual bool IsTabDrawingSupported() const;
    virtual void DrawTab(TcxCanvas& ACanvas, const TRect& R, TcxBorders ABorders,
                         const std::string& AText, TcxButtonState AState, bool AVertical,
                         const TFont& AFont, TColor ATextColor, TColor ABkColor,
                         bool AShowPrefix = false) const;
    virtual void DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide, TcxBorders ABorders,
                               TcxButtonState AState) const;
    virtual void DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int ASide,
                              TcxBorders ABorders) const;
    virtual bool IsTabHotTrack(bool AVertical) const;
    virtual int TabBorderSize(bool AVertical) const;
    virtual int TabOffset() const;

    // --- Indicator cells ---
    // Five rows two pixels apart, centred vertically.
    virtual void DrawIndicatorStripes(TcxCanvas& ACanvas, const TRect& R, TColor AColor) const;
    // Kind 0 nothing; kind k the shared indicator image k - 1 centred in R.
    virtual void DrawIndicatorImage(TcxCanvas& ACanvas, const TRect& R, int AKind) const;
    virtual void DrawIndicatorCell(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                                   int AKind, TColor ABkColor,
                                   const TcxDrawBackgroundEvent& AOnDrawBackground,
                                   bool AIsLast = false) const;
    virtual void DrawIndicatorCellEx(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                                     int AKind, TColor ABkColor,
                                     const TcxDrawBackgroundEvent& AOnDrawBackground) const;
    virtual bool IndicatorDrawItemsFirst() const;

    // --- Scroll bars, size grip and the rest ---
    virtual int ScrollBarMinimalThumbSize(bool AHorizontal) const;
    virtual void DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal, const TRect& R,
                                   TcxScrollBarPart APart, TcxButtonState AState) const;
    virtual TSize SizeGripSize() const;
    // clNone and clDefault both leave the fill to the brush that is selected.
    virtual void DrawSizeGrip(TcxCanvas& ACanvas, const TRect& R,
                              TColor ABackgroundColor = platform::gdi::clDefault) const;
    // Splits ABounds into a caption (the margins of CaptionOffsets around the text) and the
    // content.
    virtual void CalculateCaptionLayout(int AKind, bool AVertical, TRect& ACaptionRect,
                                        TRect& AContentRect, const TRect& ABounds,
                                        const TSize& ATextSize) const;
    // Mark kinds: 1 up, 2 down, 3 both.
    virtual void DrawIndicatorMarkCell(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                                       TColor ABkColor,
                                       const TcxDrawBackgroundEvent& AOnDrawBackground,
                                       bool AIsLast, int AMarkKind) const;
    virtual void DrawCaptionFrame(TcxCanvas& ACanvas, const TRect& R) const;
    // The grey frame (and the fill unless AFramed), then the chunk in navy.
    virtual void DrawProgressChunk(TcxCanvas& ACanvas, const TRect& R, bool AFramed,
                                   const TcxFillInfo& AFill, const TRect& AChunkRect) const;
    // DrawTabButton turned a quarter with a centred caption.
    virtual void DrawRotatedTabButton(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                      TcxButtonState AState, const std::string& AText,
                                      const TRect& ATextRect, const TRect& AEdgeRect) const;
    virtual void DrawSlantedEdge(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                 TColor AColor) const;
    virtual void DrawToolButton(TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState) const;
    virtual void DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag,
                                 TColor AFillColor) const;
    virtual TRect PopupBorderSizes() const;
    virtual void CaptionOffsets(int AKind, TRect& AMargins, TSize& ASize) const;
    virtual int CaptionBorderSize() const;
    // A clock face with hour marks and the hour and minute hands of ATime.
    virtual void DrawClock(TcxCanvas& ACanvas, const TRect& R, platform::core::TDateTime ATime,
                           TColor ABackgroundColor) const;

    // --- Placeholders that end the table ---
    virtual void ReservedDraw1(TcxCanvas& ACanvas, const TRect& R) const;
    virtual int ReservedSize1() const;
    virtual TSize ReservedSize2() const;
    virtual TColor ReservedColor1() const;
    virtual TColor ReservedColor2() const;
    // An image of the list at R's top-left corner, when a list is given.
    virtual void DrawListImage(TcxCanvas& ACanvas, const TRect& R,
                               const platform::forms::TImageList* AImages, int AImageIndex,
                               bool AEnabled = true) const;
    virtual TSize ReservedSize3() const;
    virtual void ReservedDraw2(TcxCanvas& ACanvas, const TRect& R) const;
    virtual void ReservedDraw3(TcxCanvas& ACanvas, const TRect& R) const;
    virtual TRect ReservedRect1() const;
    virtual TColor ReservedColor3() const;
    virtual void ReservedDraw4(const TRect& R) const;
    virtual void ReservedDraw5(bool AFlag) const;
    virtual void ReservedDraw6(TcxCanvas& ACanvas, const TRect& R) const;
    virtual TRect ReservedRect2() const;
    virtual TColor ReservedColor4() const;
    virtual int ReservedSize4() const;
    // The background of a control: the styles that paint one override this.
    virtual void DrawControlBackground(TcxCanvas& ACanvas, platform::forms::TControl* AControl,
                                       const TRect& R, TColor AColor1, TColor AColor2) const;
    virtual void ReservedDraw7(TcxCanvas& ACanvas, const TRect& R) const;
    virtual void ReservedDraw8(bool AFlag) const;
    virtual void ReservedDraw9(TcxCanvas& ACanvas, const TRect& R) const;
    virtual TRect ReservedRect3() const;
    virtual TColor ReservedColor5() const;
    virtual void ReservedDraw10(TcxCanvas& ACanvas, const TRect& R) const;
    virtual void ReservedDraw11(TcxCanvas& ACanvas, const TRect& R) const;
    virtual TSize ReservedSize5() const;
    virtual TColor ReservedColor6() const;
    virtual int ReservedSize6() const;
    virtual void ReservedDraw12(TcxCanvas& ACanvas, const TRect& R) const;
    virtual TSize ReservedSize7() const;

protected:
    TcxCustomLookAndFeelPainter() = default;
};

} // namespace toolkit::base
