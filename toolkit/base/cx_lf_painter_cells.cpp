// The second half of the base painter's operations: header cells, bands, panel buttons, tabs,
// indicator cells, scroll-bar and size-grip queries, captions, the progress chunk, the clock
// and the placeholders that end the table.

#include "toolkit/base/cx_lf_painter.h"

#include "toolkit/base/cx_bitmap.h"
#include "toolkit/base/cx_lf_painter_images.h"
#include "toolkit/base/cx_lf_painter_strokes.h"

#include "platform/forms/img_list.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/frame_controls.h"

#include <cmath>
#include <numbers>

namespace toolkit::base {

namespace pg = platform::gdi;
using pg::TBrushStyle;

// --- Header cells ---

void TcxCustomLookAndFeelPainter::DrawHeader(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const std::string& AText, const TFont& AFont, TColor ATextColor, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool, bool) const {
    DrawHeaderBorder(ACanvas, ABounds, ANeighbors, ABorders);
    DrawContent(ACanvas, HeaderContentBounds(ABounds, ABorders), ATextAreaBounds, AState,
                AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                ATextColor, ABkColor, AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawHeaderEx(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const std::string& AText, const TFont& AFont, TColor ATextColor, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground) const {
    DrawHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
               AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
               AOnDrawBackground, false, false);
}

void TcxCustomLookAndFeelPainter::DrawHeaderBorder(TcxCanvas&, const TRect&, TcxNeighbors,
                                                   TcxBorders) const {}

void TcxCustomLookAndFeelPainter::DrawHeaderPressed(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.InvertRect(R);
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSection(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor,
    TColor ABkColor, const TcxDrawBackgroundEvent&) const {
    DrawHeaderControlSectionBorder(ACanvas, ABounds, AState);
    const TRect Inside = HeaderControlSectionTextAreaBounds(ABounds, AState);
    DrawHeaderControlSectionContent(ACanvas, Inside,
                                    HeaderControlSectionContentBounds(ATextAreaBounds, AState),
                                    AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                                    AShowEndEllipsis, AText, AFont, ATextColor, ABkColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas&, const TRect&,
                                                                 TcxButtonState) const {}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionContent(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor,
    TColor ABkColor) const {
    ACanvas.FillRect(ABounds, ABkColor);
    DrawHeaderControlSectionText(ACanvas, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert,
                                 AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionText(
    TcxCanvas& ACanvas, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor) const {
    const int Flags =
        cxPainterTextFlags(AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
    ACanvas.Brush().SetStyle(TBrushStyle::bsClear);
    ACanvas.SetFont(AFont);
    if (AState == cxbsDisabled) {
        ACanvas.Font().SetColor(pg::clBtnHighlight);
        ACanvas.DrawText(AText, cxRectOffset(ATextAreaBounds, 1, 1), Flags);
        ACanvas.Font().SetColor(pg::clBtnShadow);
    } else {
        ACanvas.Font().SetColor(ATextColor);
    }
    ACanvas.DrawText(AText, ATextAreaBounds, Flags);
    ACanvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSeparator(TcxCanvas& ACanvas, const TRect& R,
                                                      const TcxFillInfo& AEndFill, TColor AColor,
                                                      int AIndent) const {
    const TRect LeftEnd{R.Left, R.Top, R.Left + AIndent, R.Bottom};
    const TRect RightEnd{R.Right - AIndent, R.Top, R.Right, R.Bottom};
    ACanvas.FrameAndFillRect(LeftEnd, AEndFill, 0, pg::clDefault);
    ACanvas.FrameAndFillRect(RightEnd, AEndFill, 0, pg::clDefault);
    ACanvas.FillRect({LeftEnd.Right, R.Top, RightEnd.Left, R.Bottom}, AColor);
}

void TcxCustomLookAndFeelPainter::DrawSortingMark(TcxCanvas&, const TRect&, bool) const {}

TcxBorders TcxCustomLookAndFeelPainter::HeaderBorders(TcxNeighbors) const {
    return cxBordersAll;
}

int TcxCustomLookAndFeelPainter::HeaderBorderSize() const {
    return 0;
}

TRect TcxCustomLookAndFeelPainter::HeaderBounds(const TRect& ABounds, TcxNeighbors ANeighbors,
                                                TcxBorders ABorders) const {
    const TcxBorders Missing = ABorders & ~HeaderBorders(ANeighbors);
    const int Size = HeaderBorderSize();
    TRect R = ABounds;
    if (Missing & cxBorder(bLeft)) R.Left -= Size;
    if (Missing & cxBorder(bTop)) R.Top -= Size;
    if (Missing & cxBorder(bRight)) R.Right += Size;
    if (Missing & cxBorder(bBottom)) R.Bottom += Size;
    return R;
}

TRect TcxCustomLookAndFeelPainter::HeaderContentBounds(const TRect& ABounds,
                                                       TcxBorders ABorders) const {
    const int Size = HeaderBorderSize();
    TRect R = ABounds;
    if (ABorders & cxBorder(bLeft)) R.Left += Size;
    if (ABorders & cxBorder(bTop)) R.Top += Size;
    if (ABorders & cxBorder(bRight)) R.Right -= Size;
    if (ABorders & cxBorder(bBottom)) R.Bottom -= Size;
    return R;
}

bool TcxCustomLookAndFeelPainter::HeaderDrawCellsFirst() const {
    return true;
}

int TcxCustomLookAndFeelPainter::HeaderHeight(int AFontHeight) const {
    return (HeaderBorderSize() + 2) * 2 + AFontHeight;
}

int TcxCustomLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState) const {
    return 1;
}

TRect TcxCustomLookAndFeelPainter::HeaderControlSectionContentBounds(const TRect& ABounds,
                                                                     TcxButtonState AState) const {
    return AState == cxbsPressed ? cxRectOffset(ABounds, 1, 1) : ABounds;
}

TRect TcxCustomLookAndFeelPainter::HeaderControlSectionTextAreaBounds(const TRect& ABounds,
                                                                      TcxButtonState AState) const {
    const int Size = HeaderControlSectionBorderSize(AState);
    return cxRectInflate(ABounds, -Size, -Size);
}

int TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas& ACanvas, TcxBorders ABorders,
                                             const std::string& AText, const TFont& AFont) const {
    ACanvas.SetFont(AFont);
    int Width = ACanvas.TextWidth(AText) + 4;
    if (ABorders & cxBorder(bLeft)) Width += HeaderBorderSize();
    // Subtracted, not added: a cell with both borders measures as its text.
    if (ABorders & cxBorder(bRight)) Width -= HeaderBorderSize();
    return Width;
}

bool TcxCustomLookAndFeelPainter::IsHeaderHotTrack() const {
    return false;
}

TSize TcxCustomLookAndFeelPainter::SortingMarkAreaSize() const {
    return {16, SortingMarkSize().cy};
}

TSize TcxCustomLookAndFeelPainter::SortingMarkSize() const {
    return {0, 0};
}

// --- Bands and their cells ---

void TcxCustomLookAndFeelPainter::DrawBandBackground(TcxCanvas& ACanvas, const TRect& R,
                                                     bool ATransparent, TColor AColor,
                                                     HBITMAP ABitmap) const {
    DrawBackground(ACanvas, R, ATransparent, AColor, ABitmap);
}

TcxBorders TcxCustomLookAndFeelPainter::BandBorders() const {
    return cxBordersAll;
}

int TcxCustomLookAndFeelPainter::BandBorderSize() const {
    return 0;
}

int TcxCustomLookAndFeelPainter::BandCellBorderSize() const {
    return 0;
}

int TcxCustomLookAndFeelPainter::BandCellOffset() const {
    return 0;
}

bool TcxCustomLookAndFeelPainter::BandDrawCellsFirst() const {
    return true;
}

TColor TcxCustomLookAndFeelPainter::BandSeparatorColor() const {
    return pg::clBtnShadow;
}

int TcxCustomLookAndFeelPainter::BandSeparatorSize() const {
    return 1;
}

void TcxCustomLookAndFeelPainter::DrawBandCell(
    TcxCanvas& ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::string& AText, const TFont& AFont,
    TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {
    DrawBandCellBorder(ACanvas, ABounds);
    DrawContent(ACanvas, ABounds, ContentInnerBounds(ABounds), cxbsNormal, AAlignmentHorz,
                AAlignmentVert, AMultiLine, false, AText, AFont, ATextColor, ABkColor,
                AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawBandBorder(TcxCanvas&, const TRect&) const {}

void TcxCustomLookAndFeelPainter::DrawBandCellBorder(TcxCanvas&, const TRect&) const {}

void TcxCustomLookAndFeelPainter::DrawBandContent(TcxCanvas& ACanvas, const TRect& R,
                                                  const TcxFillInfo& AFill) const {
    if (cxRectIsEmpty(R)) return;
    ACanvas.FrameAndFillRect(R, AFill, cxBordersAll, pg::clDefault, 1, false);
}

void TcxCustomLookAndFeelPainter::DrawBandSeparator(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.FillRect(R, BandSeparatorColor());
}

// --- Panel buttons ---

void TcxCustomLookAndFeelPainter::DrawPanelCheckButton(TcxCanvas& ACanvas, const TRect& R,
                                                       TcxButtonState AState, bool AChecked) const {
    DrawCheckButton(ACanvas, R, AState, AChecked);
}

void TcxCustomLookAndFeelPainter::DrawPanelCloseButton(TcxCanvas& ACanvas, TRect R,
                                                       TcxButtonState AState) const {
    DrawButtonBorder(ACanvas, R, AState);
    const int Border = ButtonBorderSize(AState);
    R = cxRectInflate(R, -Border, -Border);
    ACanvas.FillRect(R, ButtonColor(AState));
    int Side = PanelCloseButtonSize().cy / 2;
    if (Side % 2 == 0) --Side;
    if (Side <= 0) return;
    const int Left = R.Left + (cxRectWidth(R) - Side) / 2;
    const int Top = R.Top + (cxRectHeight(R) - Side) / 2;
    ACanvas.Pen().SetColor(ButtonSymbolColor(ButtonSymbolState(AState)));
    // A polyline leaves its last point out; each stroke goes one step further.
    for (int Shift : {0, 1}) {
        const int X = Left + Shift;
        ACanvas.Polyline({{X, Top}, {X + Side, Top + Side}});
        ACanvas.Polyline({{X + Side - 1, Top}, {X - 1, Top + Side}});
    }
}

void TcxCustomLookAndFeelPainter::DrawPanelDropDownButton(TcxCanvas&, const TRect&, TcxButtonState,
                                                          bool) const {}

void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas& ACanvas, const TRect& R,
                                                      bool ATransparent, TColor AColor,
                                                      HBITMAP ABitmap) const {
    DrawBackground(ACanvas, R, ATransparent, AColor, ABitmap);
}

TSize TcxCustomLookAndFeelPainter::PanelCheckButtonSize() const {
    return {13, 13};
}

TSize TcxCustomLookAndFeelPainter::PanelCloseButtonSize() const {
    return {16, 14};
}

TSize TcxCustomLookAndFeelPainter::PanelDropDownButtonSize() const {
    return {15, 0};
}

// --- Tabs ---

void TcxCustomLookAndFeelPainter::FillTabsArea(TcxCanvas& ACanvas, const TRect& R) const {
    ACanvas.FillRect(R, pg::clBtnFace);
}

bool TcxCustomLookAndFeelPainter::IsTabDrawingSupported() const {
    return true;
}

void TcxCustomLookAndFeelPainter::DrawTab(TcxCanvas&, const TRect&, TcxBorders, const std::string&,
                                          TcxButtonState, bool, const TFont&, TColor, TColor,
                                          bool) const {}

void TcxCustomLookAndFeelPainter::DrawTabBorder(TcxCanvas&, const TRect&, int, TcxBorders,
                                                TcxButtonState) const {}

void TcxCustomLookAndFeelPainter::DrawTabsBody(TcxCanvas&, const TRect&, int, TcxBorders) const {}

bool TcxCustomLookAndFeelPainter::IsTabHotTrack(bool) const {
    return false;
}

int TcxCustomLookAndFeelPainter::TabBorderSize(bool) const {
    return 0;
}

int TcxCustomLookAndFeelPainter::TabOffset() const {
    return 0;
}

// --- Indicator cells ---

void TcxCustomLookAndFeelPainter::DrawIndicatorStripes(TcxCanvas& ACanvas, const TRect& R,
                                                       TColor AColor) const {
    const int X = R.Left + 3;
    const int Width = cxRectWidth(R) - 6;
    const int Y = (R.Top + R.Bottom - 9) / 2;
    ACanvas.Pen().SetColor(AColor);
    for (int Row = 0; Row < 5; ++Row) {
        const int RowY = Y + 2 * Row;
        if (Row % 2 == 0) {
            ACanvas.SetPixel(X, RowY, AColor);
            ACanvas.Polyline({{X + 2, RowY}, {X + Width, RowY}});
        } else {
            ACanvas.Polyline({{X + 2, RowY}, {X + Width - 2, RowY}});
        }
    }
}

void TcxCustomLookAndFeelPainter::DrawIndicatorImage(TcxCanvas& ACanvas, const TRect& R,
                                                     int AKind) const {
    const platform::forms::TImageList* Images = cxLookAndFeelPainterImages().IndicatorImages;
    if (AKind <= 0 || !Images || AKind > Images->Count()) return;
    const int Left = (R.Left + R.Right - Images->Width()) / 2;
    const int Top = (R.Top + R.Bottom - Images->Height()) / 2;
    Images->Draw(ACanvas.Canvas(), Left, Top, AKind - 1);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorCell(TcxCanvas& ACanvas, const TRect& R,
                                                    TcxNeighbors ANeighbors, int AKind,
                                                    TColor ABkColor,
                                                    const TcxDrawBackgroundEvent& AOnDrawBackground,
                                                    bool AIsLast) const {
    // No text is drawn, so the canvas's own font serves.
    const TFont& Font = ACanvas.Font();
    DrawHeader(ACanvas, R, R, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal,
               platform::forms::taLeftJustify, vaTop, false, false, "", Font, pg::clNone, ABkColor,
               AOnDrawBackground, AIsLast);
    DrawIndicatorImage(ACanvas, R, AKind);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorCellEx(
    TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors, int AKind, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground) const {
    // No text is drawn, so the canvas's own font serves.
    const TFont& Font = ACanvas.Font();
    DrawHeaderEx(ACanvas, R, R, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal,
                 platform::forms::taLeftJustify, vaTop, false, false, "", Font, pg::clNone,
                 ABkColor, AOnDrawBackground);
    DrawIndicatorImage(ACanvas, R, AKind);
}

bool TcxCustomLookAndFeelPainter::IndicatorDrawItemsFirst() const {
    return true;
}

// --- Scroll bars, size grip and the rest ---

int TcxCustomLookAndFeelPainter::ScrollBarMinimalThumbSize(bool) const {
    return 8;
}

void TcxCustomLookAndFeelPainter::DrawScrollBarPart(TcxCanvas&, bool, const TRect&,
                                                    TcxScrollBarPart, TcxButtonState) const {}

TSize TcxCustomLookAndFeelPainter::SizeGripSize() const {
    return {pg::GetSystemMetrics(pg::SM_CXVSCROLL), pg::GetSystemMetrics(pg::SM_CYHSCROLL)};
}

void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas& ACanvas, const TRect& R,
                                               TColor ABackgroundColor) const {
    // clNone would leave the corner unpainted under the glyph's gaps; like clDefault it means
    // "the brush that is selected".
    ACanvas.FillRect(R, ABackgroundColor == pg::clNone ? pg::clDefault : ABackgroundColor);
    TRect Glyph = R;
    pg::DrawFrameControl(ACanvas.Handle(), &Glyph, pg::DFC_SCROLL, pg::DFCS_SCROLLSIZEGRIP);
}

void TcxCustomLookAndFeelPainter::CalculateCaptionLayout(int AKind, bool AVertical,
                                                         TRect& ACaptionRect, TRect& AContentRect,
                                                         const TRect& ABounds,
                                                         const TSize& ATextSize) const {
    TRect Margins;
    TSize Size;
    CaptionOffsets(AKind, Margins, Size);
    ACaptionRect = ABounds;
    AContentRect = ABounds;
    if (!AVertical) {
        const int Text = std::max(ATextSize.cy, Size.cy);
        ACaptionRect.Bottom =
            std::min(ABounds.Bottom, ABounds.Top + Margins.Top + Text + Margins.Bottom);
        AContentRect.Top = ACaptionRect.Bottom;
    } else {
        const int Text = std::max(ATextSize.cy, Size.cx);
        ACaptionRect.Right =
            std::min(ABounds.Right, ABounds.Left + Margins.Left + Text + Margins.Right);
        AContentRect.Left = ACaptionRect.Right;
    }
}

void TcxCustomLookAndFeelPainter::DrawIndicatorMarkCell(
    TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, int AMarkKind) const {
    // No text is drawn, so the canvas's own font serves.
    const TFont& Font = ACanvas.Font();
    DrawHeader(ACanvas, R, R, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal,
               platform::forms::taLeftJustify, vaTop, false, false, "", Font, pg::clNone, ABkColor,
               AOnDrawBackground, AIsLast);
    cxDrawIndicatorMark(ACanvas, cxRectOffset(R, 0, BorderSize() - 1), AMarkKind, pg::clWindowText);
}

void TcxCustomLookAndFeelPainter::DrawCaptionFrame(TcxCanvas& ACanvas, const TRect& R) const {
    DrawBorder(ACanvas, R);
}

void TcxCustomLookAndFeelPainter::DrawProgressChunk(TcxCanvas& ACanvas, const TRect& R,
                                                    bool AFramed, const TcxFillInfo& AFill,
                                                    const TRect& AChunkRect) const {
    const TColor Frame = pg::RGB(128, 128, 128);
    if (AFramed)
        ACanvas.FrameRect(R, Frame, 1, cxBordersAll);
    else
        ACanvas.FrameAndFillRect(R, AFill, cxBordersAll, Frame, 1);
    ACanvas.FillRect(AChunkRect, pg::RGB(0, 0, 128));
}

void TcxCustomLookAndFeelPainter::DrawRotatedTabButton(TcxCanvas& ACanvas, const TRect& R,
                                                       int ASide, TcxButtonState AState,
                                                       const std::string& AText,
                                                       const TRect& ATextRect,
                                                       const TRect& AEdgeRect) const {
    if (cxRectIsEmpty(ATextRect)) {
        DrawTabButton(ACanvas, R, AEdgeRect, ASide, AState);
        return;
    }
    if (cxRectIsEmpty(R)) return;
    // The button and its caption are drawn upright on a copy of the area turned a quarter
    // counter-clockwise; turning it back clockwise leaves the caption reading downwards.
    const int W = cxRectWidth(R);
    TcxCustomBitmap Bitmap(W, cxRectHeight(R), pf32bit);
    pg::BitBlt(Bitmap.Canvas().Handle(), 0, 0, W, cxRectHeight(R), ACanvas.Handle(), R.Left, R.Top,
               pg::SRCCOPY);
    Bitmap.Rotate(bra90);
    // A quarter turn counter-clockwise sends column x, row y of R to column y, row W - 1 - x.
    const auto Turned = [&](const TRect& Source) {
        return TRect{Source.Top - R.Top, W - (Source.Right - R.Left), Source.Bottom - R.Top,
                     W - (Source.Left - R.Left)};
    };
    TcxCanvas& Upright = Bitmap.cxCanvas();
    DrawTabButton(Upright, Bitmap.GetClientRect(), Turned(AEdgeRect), ASide, AState);
    Upright.SetFont(ACanvas.Font());
    Upright.Font().SetColor(ButtonSymbolColor(AState));
    Upright.Brush().SetStyle(TBrushStyle::bsClear);
    Upright.DrawText(AText, Turned(ATextRect), cxAlignHCenter | cxAlignVCenter | cxSingleLine);
    Upright.Brush().SetStyle(TBrushStyle::bsSolid);
    Bitmap.Rotate(brs90);
    pg::BitBlt(ACanvas.Handle(), R.Left, R.Top, W, cxRectHeight(R), Bitmap.Canvas().Handle(), 0, 0,
               pg::SRCCOPY);
}

void TcxCustomLookAndFeelPainter::DrawSlantedEdge(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                                  TColor AColor) const {
    const int Height = cxRectHeight(R);
    const int Steps = Height / 2 + Height % 2;
    const int Sideways = ASide == 0 ? 1 : -1;
    const int X = ASide == 0 ? R.Left : R.Right - 2;
    TRect TopStrip{X, R.Top, X + 2, R.Top + 1};
    TRect BottomStrip{X, R.Bottom - 1, X + 2, R.Bottom};
    for (int I = 0; I < Steps; ++I) {
        ACanvas.FillRect(TopStrip, AColor);
        ACanvas.FillRect(BottomStrip, AColor);
        TopStrip = cxRectOffset(TopStrip, Sideways, 1);
        BottomStrip = cxRectOffset(BottomStrip, Sideways, -1);
    }
    if (ASide == 0)
        ACanvas.FillRect({R.Left, R.Top, R.Left + 1, R.Bottom}, AColor);
    else
        ACanvas.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, AColor);
}

void TcxCustomLookAndFeelPainter::DrawToolButton(TcxCanvas& ACanvas, const TRect& R,
                                                 TcxButtonState AState) const {
    DrawButton(ACanvas, R, "", AState, true, pg::clDefault, pg::clDefault);
}

void TcxCustomLookAndFeelPainter::DrawPopupBorder(TcxCanvas&, const TRect&, bool, TColor) const {}

TRect TcxCustomLookAndFeelPainter::PopupBorderSizes() const {
    return {2, 2, 2, 2};
}

void TcxCustomLookAndFeelPainter::CaptionOffsets(int AKind, TRect& AMargins, TSize& ASize) const {
    AMargins = AKind == 1 ? TRect{2, 6, 0, 6} : TRect{0, 6, 2, 6};
    ASize = {7, 7};
}

int TcxCustomLookAndFeelPainter::CaptionBorderSize() const {
    return 1;
}

namespace {

TPoint ClockPoint(double CX, double CY, double RX, double RY, double Angle, double Part) {
    return {static_cast<int>(std::lround(std::cos(Angle) * RX * Part + CX)),
            static_cast<int>(std::lround(std::sin(Angle) * RY * Part + CY))};
}

} // namespace

void TcxCustomLookAndFeelPainter::DrawClock(TcxCanvas& ACanvas, const TRect& R,
                                            platform::core::TDateTime ATime,
                                            TColor ABackgroundColor) const {
    constexpr double Pi = std::numbers::pi;
    const int CX = (R.Left + R.Right) / 2;
    const int CY = (R.Top + R.Bottom) / 2;
    const double RX = cxRectWidth(R) / 2.0 - 2;
    const double RY = cxRectHeight(R) / 2.0 - 2;
    ACanvas.SaveClipRegion();
    for (int I = 0; I < 60; I += 5) {
        const TPoint P = ClockPoint(CX, CY, RX, RY, I * 2 * Pi / 60, 1);
        // A raised dot: lit above and left, shaded below and right.
        ACanvas.SetPixel(P.X, P.Y, pg::RGB(0, 128, 128));
        ACanvas.Pen().SetColor(pg::RGB(0, 255, 255));
        ACanvas.Polyline({{P.X - 1, P.Y}, {P.X - 1, P.Y - 1}, {P.X + 1, P.Y - 1}});
        ACanvas.Pen().SetColor(pg::clBtnText);
        ACanvas.Polyline({{P.X + 1, P.Y - 1}, {P.X + 1, P.Y + 1}, {P.X - 2, P.Y + 1}});
        ACanvas.ExcludeClipRect({P.X - 1, P.Y - 1, P.X + 2, P.Y + 2});
    }
    ACanvas.FillRect(R, ABackgroundColor);
    ACanvas.RestoreClipRegion();

    int Hours = 0, Minutes = 0, Seconds = 0, Milliseconds = 0;
    platform::core::DecodeTime(ATime, Hours, Minutes, Seconds, Milliseconds);
    const double HourAngle =
        2 * Pi * ((Hours % 12) * 3600 + Minutes * 60 + Seconds - 10800) / (12 * 60 * 60);
    const double MinuteAngle = 2 * Pi * (Minutes * 60 + Seconds - 900) / (60 * 60);
    ACanvas.Pen().SetColor(pg::clBtnText);
    for (const auto& [Angle, Tip, Side] :
         {std::tuple{HourAngle, 0.75, 0.15}, std::tuple{MinuteAngle, 0.85, 0.2}}) {
        ACanvas.Polygon({ClockPoint(CX, CY, RX, RY, Angle, Tip),
                         ClockPoint(CX, CY, RX, RY, Angle + Pi / 2, Side),
                         ClockPoint(CX, CY, RX, RY, Angle, 0),
                         ClockPoint(CX, CY, RX, RY, Angle - Pi / 2, Side)});
    }
}

// --- Placeholders that end the table ---

void TcxCustomLookAndFeelPainter::ReservedDraw1(TcxCanvas&, const TRect&) const {}
int TcxCustomLookAndFeelPainter::ReservedSize1() const {
    return 0;
}
TSize TcxCustomLookAndFeelPainter::ReservedSize2() const {
    return {0, 0};
}
TColor TcxCustomLookAndFeelPainter::ReservedColor1() const {
    return pg::clDefault;
}
TColor TcxCustomLookAndFeelPainter::ReservedColor2() const {
    return pg::clDefault;
}

void TcxCustomLookAndFeelPainter::DrawListImage(TcxCanvas& ACanvas, const TRect& R,
                                                const platform::forms::TImageList* AImages,
                                                int AImageIndex, bool AEnabled) const {
    if (AImages) AImages->Draw(ACanvas.Canvas(), R.Left, R.Top, AImageIndex, AEnabled);
}

TSize TcxCustomLookAndFeelPainter::ReservedSize3() const {
    return {0, 0};
}
void TcxCustomLookAndFeelPainter::ReservedDraw2(TcxCanvas&, const TRect&) const {}
void TcxCustomLookAndFeelPainter::ReservedDraw3(TcxCanvas&, const TRect&) const {}
TRect TcxCustomLookAndFeelPainter::ReservedRect1() const {
    return {};
}
TColor TcxCustomLookAndFeelPainter::ReservedColor3() const {
    return pg::clDefault;
}
void TcxCustomLookAndFeelPainter::ReservedDraw4(const TRect&) const {}
void TcxCustomLookAndFeelPainter::ReservedDraw5(bool) const {}
void TcxCustomLookAndFeelPainter::ReservedDraw6(TcxCanvas&, const TRect&) const {}
TRect TcxCustomLookAndFeelPainter::ReservedRect2() const {
    return {};
}
TColor TcxCustomLookAndFeelPainter::ReservedColor4() const {
    return pg::clDefault;
}
int TcxCustomLookAndFeelPainter::ReservedSize4() const {
    return 0;
}

void TcxCustomLookAndFeelPainter::DrawControlBackground(TcxCanvas&, platform::forms::TControl*,
                                                        const TRect& R, TColor, TColor) const {
    ReservedDraw4(R);
}

void TcxCustomLookAndFeelPainter::ReservedDraw7(TcxCanvas&, const TRect&) const {}
void TcxCustomLookAndFeelPainter::ReservedDraw8(bool AFlag) const {
    ReservedDraw5(AFlag);
}
void TcxCustomLookAndFeelPainter::ReservedDraw9(TcxCanvas&, const TRect&) const {}
TRect TcxCustomLookAndFeelPainter::ReservedRect3() const {
    return {};
}
TColor TcxCustomLookAndFeelPainter::ReservedColor5() const {
    return pg::clDefault;
}
void TcxCustomLookAndFeelPainter::ReservedDraw10(TcxCanvas&, const TRect&) const {}
void TcxCustomLookAndFeelPainter::ReservedDraw11(TcxCanvas&, const TRect&) const {}
TSize TcxCustomLookAndFeelPainter::ReservedSize5() const {
    return {0, 0};
}
TColor TcxCustomLookAndFeelPainter::ReservedColor6() const {
    return pg::clDefault;
}
int TcxCustomLookAndFeelPainter::ReservedSize6() const {
    return 0;
}
void TcxCustomLookAndFeelPainter::ReservedDraw12(TcxCanvas&, const TRect&) const {}
TSize TcxCustomLookAndFeelPainter::ReservedSize7() const {
    return {0, 0};
}

} // namespace toolkit::base
