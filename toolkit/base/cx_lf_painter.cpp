#include "toolkit/base/cx_lf_painter.h"

#include "toolkit/base/core_routines.h"
#include "toolkit/base/cx_lf_painter_images.h"

#include "platform/gdi/colors.h"

namespace toolkit::base {

namespace pg = platform::gdi;
using pg::TBrushStyle;

namespace {

TcxLookAndFeelPainterImages& Images() {
    static TcxLookAndFeelPainterImages Value;
    return Value;
}

void DrawTriangle(TcxCanvas& ACanvas, const TPoint (&P)[3], TColor AColor) {
    ACanvas.Brush().SetStyle(TBrushStyle::bsSolid);
    ACanvas.SetBrushColor(AColor);
    ACanvas.Pen().SetColor(AColor);
    ACanvas.Polygon({P[0], P[1], P[2]});
}

void DrawArrowIn(TcxCanvas& ACanvas, const TRect& R, TColor AColor, bool ASquare,
                 TcxArrowDirection ADirection) {
    DrawTriangle(ACanvas, cxArrowPoints(R, 0, ASquare, ADirection).P, AColor);
}

} // namespace

void cxSetLookAndFeelPainterImages(TcxLookAndFeelPainterImages Value) {
    Images() = std::move(Value);
}

const TcxLookAndFeelPainterImages& cxLookAndFeelPainterImages() {
    return Images();
}

TcxArrowPoints cxArrowPoints(TRect R, int ASize, bool ASquare, TcxArrowDirection ADirection) {
    if (ASquare) {
        const int D = cxRectWidth(R) - cxRectHeight(R);
        if (D >= 1) {
            R.Left += D / 2;
            R.Right -= D / 2;
        } else {
            R.Top -= D / 2;
            R.Bottom += D / 2;
        }
    }
    const bool Vertical = ADirection == adUp || ADirection == adDown;
    int S = ASize;
    if (S == 0) S = (Vertical ? R.Right - R.Left - 1 : R.Bottom - R.Top - 1) / 4 + 1;
    const int W = Vertical ? 2 * S - 1 : S;
    const int H = Vertical ? S : 2 * S - 1;
    const int X0 = (R.Left + R.Right - W) / 2;
    const int Y0 = MulDiv(R.Top + R.Bottom - H, 1, 2);
    const int CX = (R.Left + R.Right - 1) / 2;
    const int CY = (R.Top + R.Bottom) / 2;
    switch (ADirection) {
    case adUp:
        return {{{CX, Y0}, {X0, Y0 + H - 1}, {X0 + W - 1, Y0 + H - 1}}};
    case adDown:
        return {{{X0, Y0}, {X0 + W - 1, Y0}, {CX, Y0 + H - 1}}};
    case adLeft:
        return {{{X0, CY}, {X0 + W - 1, Y0}, {X0 + W - 1, Y0 + H - 1}}};
    case adRight:
        break;
    }
    return {{{X0 + W - 1, CY}, {X0, Y0}, {X0, Y0 + H - 1}}};
}

TSize GetScrollBarSize() {
    return {pg::GetSystemMetrics(pg::SM_CXVSCROLL), pg::GetSystemMetrics(pg::SM_CYHSCROLL)};
}

const TcxCustomLookAndFeelPainter& TcxCustomLookAndFeelPainter::Instance() {
    static const TcxCustomLookAndFeelPainter Painter;
    return Painter;
}

// --- Background and content ---

void TcxCustomLookAndFeelPainter::DrawBackground(TcxCanvas& ACanvas, const TRect& R,
                                                 bool ATransparent, TColor AColor,
                                                 HBITMAP ABitmap) const {
    if (!ATransparent) {
        // The colour rules of the canvas: clNone paints nothing, clDefault keeps the brush.
        if (AColor == pg::clNone) return;
        if (AColor != pg::clDefault) ACanvas.SetBrushColor(AColor);
        ACanvas.FillRectWithBitmap(R, HBITMAP{});
    } else if (ABitmap != HBITMAP{}) {
        ACanvas.FillRectWithBitmap(R, ABitmap);
    }
}

void TcxCustomLookAndFeelPainter::DrawTriangleMark(TcxCanvas& ACanvas, const TRect& R,
                                                   TColor AColor) const {
    int Width = cxRectWidth(R) / 2;
    if (Width % 2 == 0) ++Width;
    const int Height = Width / 2 + 1;
    const int Left = R.Left + MulDiv(cxRectWidth(R) - Width, 1, 2);
    const int Top = R.Top + MulDiv(cxRectHeight(R) - Height, 1, 2);
    const TPoint P[3] = {
        {Left, Top}, {Left + Width - 1, Top}, {Left + Width / 2, Top + Height - 1}};
    DrawTriangle(ACanvas, P, AColor);
}

namespace {

int AlignmentFlags(TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert) {
    int Flags = 0;
    switch (AAlignmentHorz) {
    case platform::forms::taLeftJustify:
        Flags = cxAlignLeft;
        break;
    case platform::forms::taRightJustify:
        Flags = cxAlignRight;
        break;
    case platform::forms::taCenter:
        Flags = cxAlignHCenter;
        break;
    }
    switch (AAlignmentVert) {
    case vaTop:
        Flags |= cxAlignTop;
        break;
    case vaBottom:
        Flags |= cxAlignBottom;
        break;
    case vaCenter:
        Flags |= cxAlignVCenter;
        break;
    }
    return Flags;
}

} // namespace

int cxPainterTextFlags(TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                       bool AShowEndEllipsis) {
    return AlignmentFlags(AAlignmentHorz, AAlignmentVert) |
           (AMultiLine ? cxWordBreak : cxSingleLine) | (AShowEndEllipsis ? cxShowEndEllipsis : 0);
}

void TcxCustomLookAndFeelPainter::DrawContent(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor,
    TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground, bool) const {
    if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, ABounds))
        DrawBackground(ACanvas, ABounds, false, ABkColor, HBITMAP{});
    if (AText.empty()) return;
    ACanvas.Brush().SetStyle(TBrushStyle::bsClear);
    ACanvas.SetFont(AFont);
    ACanvas.Font().SetColor(ATextColor);
    ACanvas.DrawText(
        AText, ATextAreaBounds,
        cxPainterTextFlags(AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis));
    ACanvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawTabButton(TcxCanvas& ACanvas, const TRect& R,
                                                const TRect& AEdgeRect, int ASide,
                                                TcxButtonState AState) const {
    const TcxBorders Borders = ASide == 0 ? cxBorder(bTop) | cxBorder(bRight) | cxBorder(bBottom)
                                          : cxBorder(bLeft) | cxBorder(bTop) | cxBorder(bBottom);
    ACanvas.FillRect(R, pg::clBtnFace);
    ACanvas.FrameRect(R, pg::clBtnShadow, 1, Borders);
    TRect Inner = R;
    ++Inner.Top;
    --Inner.Bottom;
    if (ASide == 0)
        --Inner.Right;
    else
        ++Inner.Left;
    if (AState == cxbsPressed)
        ACanvas.DrawComplexFrame(Inner, pg::clBtnShadow, pg::clBtnHighlight, Borders);
    else
        ACanvas.DrawComplexFrame(Inner, pg::clBtnHighlight, pg::clBtnFace, Borders);
    DrawSlantedEdge(ACanvas, AEdgeRect, ASide, ButtonSymbolColor(AState));
}

TRect TcxCustomLookAndFeelPainter::ContentBoundsByBorder(const TRect& R) const {
    const int Size = BandCellBorderSize();
    return cxRectInflate(R, -Size, -Size);
}

TRect TcxCustomLookAndFeelPainter::ContentInnerBounds(const TRect& R) const {
    return cxRectInflate(ContentBoundsByBorder(R), -2, -2);
}

TcxLookAndFeelStyle TcxCustomLookAndFeelPainter::LookAndFeelStyle() const {
    return lfsStandard;
}

// --- Default colours ---

#define CX_DEFAULT_COLOR(Name, Value)                                                              \
    TColor TcxCustomLookAndFeelPainter::Name() const {                                             \
        return Value;                                                                              \
    }

CX_DEFAULT_COLOR(DefaultColor1, pg::clWindow)
CX_DEFAULT_COLOR(DefaultColor2, DefaultColor1())
CX_DEFAULT_COLOR(DefaultColor3, DefaultColor1())
CX_DEFAULT_COLOR(DefaultColor4, pg::clWindowText)
CX_DEFAULT_COLOR(DefaultColor5, pg::clDefault)
CX_DEFAULT_COLOR(DefaultColor6, pg::clDefault)
CX_DEFAULT_COLOR(DefaultColor7, pg::clBtnShadow)
CX_DEFAULT_COLOR(DefaultColor8, pg::clBtnHighlight)
CX_DEFAULT_COLOR(DefaultColor9, pg::clBtnText)
CX_DEFAULT_COLOR(DefaultColor10, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor11, pg::clBtnText)
CX_DEFAULT_COLOR(DefaultColor12, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor13, pg::clBtnShadow)
CX_DEFAULT_COLOR(DefaultColor14, pg::clBtnShadow)
CX_DEFAULT_COLOR(DefaultColor15, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor16, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor17, pg::clBtnText)
CX_DEFAULT_COLOR(DefaultColor18, pg::clBtnShadow)
CX_DEFAULT_COLOR(DefaultColor19, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor20, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor21, pg::clBtnText)
CX_DEFAULT_COLOR(DefaultColor22, pg::clBlue)
CX_DEFAULT_COLOR(DefaultColor23, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor24, pg::clBtnText)
CX_DEFAULT_COLOR(DefaultColor25, pg::clBlue)
CX_DEFAULT_COLOR(DefaultColor26, DefaultColor13())
CX_DEFAULT_COLOR(DefaultSizeGripAreaColor, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor27, DefaultColor20())
CX_DEFAULT_COLOR(DefaultColor28, pg::clDefault)
CX_DEFAULT_COLOR(DefaultColor29, pg::clBlack)
CX_DEFAULT_COLOR(DefaultColor30, DefaultColor29())
CX_DEFAULT_COLOR(DefaultColor31, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor32, pg::clHighlight)
CX_DEFAULT_COLOR(DefaultColor33, pg::clHighlightText)
CX_DEFAULT_COLOR(DefaultColor34, pg::clWindow)
CX_DEFAULT_COLOR(DefaultColor35, pg::clWindowText)
CX_DEFAULT_COLOR(DefaultEditorBorderColor, pg::RGB(161, 157, 157))
CX_DEFAULT_COLOR(DefaultColor36, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor37, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultInfoColor, pg::RGB(255, 255, 213))
CX_DEFAULT_COLOR(DefaultColor38, DefaultColor41())
CX_DEFAULT_COLOR(DefaultColor39, pg::clWindowText)
CX_DEFAULT_COLOR(DefaultColor40, pg::clHighlight)
CX_DEFAULT_COLOR(DefaultColor41, pg::clHighlightText)
CX_DEFAULT_COLOR(DefaultColor42, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor43, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor44, pg::clBtnText)
CX_DEFAULT_COLOR(DefaultColor45, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor46, pg::clWhite)
CX_DEFAULT_COLOR(DefaultColor47, pg::clBlack)
CX_DEFAULT_COLOR(DefaultColor48, pg::clBtnFace)
CX_DEFAULT_COLOR(DefaultColor49, pg::clBtnText)
CX_DEFAULT_COLOR(DefaultColor50, pg::clWhite)
CX_DEFAULT_COLOR(DefaultColor51, pg::clBlack)
CX_DEFAULT_COLOR(DefaultColor52, pg::clBlack)
CX_DEFAULT_COLOR(DefaultColor53, pg::clBlack)
CX_DEFAULT_COLOR(DefaultColor54, pg::RGB(207, 207, 207))
CX_DEFAULT_COLOR(DefaultColor55, pg::clWhite)
CX_DEFAULT_COLOR(DefaultColor56, pg::clBtnShadow)
CX_DEFAULT_COLOR(DefaultColor57, pg::RGB(166, 202, 240))
CX_DEFAULT_COLOR(DefaultColor58, pg::RGB(0, 0, 128))
CX_DEFAULT_COLOR(DefaultColor59, pg::clBtnShadow)
CX_DEFAULT_COLOR(DefaultColor60, pg::clBtnShadow)

#undef CX_DEFAULT_COLOR

// --- Arrows and borders ---

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas& ACanvas, const TRect& R, TColor AColor,
                                            TcxArrowDirection ADirection) const {
    DrawArrowIn(ACanvas, R, AColor, true, ADirection);
}

void TcxCustomLookAndFeelPainter::DrawButtonArrow(TcxCanvas& ACanvas, const TRect& R,
                                                  bool ADrawBorder, TcxArrowDirection ADirection,
                                                  TcxButtonState AState) const {
    if (ADrawBorder)
        DrawArrowBorder(ACanvas, R, AState);
    else
        ACanvas.FillRect(R, ButtonColor(AState));
    DrawArrowIn(ACanvas, R, ButtonSymbolColor(AState), false, ADirection);
}

void TcxCustomLookAndFeelPainter::DrawArrowBorder(TcxCanvas& ACanvas, const TRect& R,
                                                  TcxButtonState AState) const {
    ACanvas.FillRect(R, ButtonColor(AState));
    DrawButtonBorder(ACanvas, R, AState);
}

void TcxCustomLookAndFeelPainter::DrawScrollBarArrow(TcxCanvas& ACanvas, TRect R,
                                                     TcxButtonState AState,
                                                     TcxArrowDirection ADirection) const {
    if (AState == cxbsPressed) R = cxRectOffset(R, ButtonTextShift(), ButtonTextShift());
    if (AState == cxbsDisabled) {
        DrawArrowIn(ACanvas, cxRectOffset(R, 1, 1), pg::clBtnHighlight, true, ADirection);
        DrawArrowIn(ACanvas, R, pg::clBtnShadow, true, ADirection);
    } else {
        DrawArrowIn(ACanvas, R, ButtonSymbolColor(AState), true, ADirection);
    }
}

int TcxCustomLookAndFeelPainter::BorderSize() const {
    return 0;
}

void TcxCustomLookAndFeelPainter::DrawBorder(TcxCanvas&, const TRect&) const {}

// --- Push buttons ---

TRect TcxCustomLookAndFeelPainter::AdjustButtonRect(const TRect& R, int, int) const {
    return R;
}

int TcxCustomLookAndFeelPainter::ButtonBorderSize(TcxButtonState) const {
    return 0;
}

TColor TcxCustomLookAndFeelPainter::ButtonColor(TcxButtonState) const {
    return pg::clBtnFace;
}

TRect TcxCustomLookAndFeelPainter::ButtonFocusRect(TcxCanvas&, const TRect& R) const {
    const TRect Inner = cxRectInflate(R, -4, -4);
    return cxRectIsEmpty(Inner) ? R : Inner;
}

TRect TcxCustomLookAndFeelPainter::ButtonBorderSizes(int, int) const {
    const int Size = ButtonBorderSize(cxbsNormal);
    return {Size, Size, Size, Size};
}

int TcxCustomLookAndFeelPainter::ButtonTextOffset() const {
    return 0;
}

int TcxCustomLookAndFeelPainter::ButtonTextShift() const {
    return 0;
}

TColor TcxCustomLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState,
                                                      TColor ADefaultColor) const {
    if (AState == cxbsDisabled) return pg::clBtnShadow;
    return ADefaultColor == pg::clDefault ? pg::clBtnText : ADefaultColor;
}

TcxButtonState TcxCustomLookAndFeelPainter::ButtonSymbolState(TcxButtonState AState) const {
    return AState;
}

void TcxCustomLookAndFeelPainter::DrawButton(TcxCanvas& ACanvas, TRect R,
                                             const std::string& ACaption, TcxButtonState AState,
                                             bool ADrawBorder, TColor AColor, TColor ATextColor,
                                             bool AWordWrap) const {
    if (ADrawBorder) {
        DrawButtonBorder(ACanvas, R, AState);
        const int Size = ButtonBorderSize(AState);
        R = cxRectInflate(R, -Size, -Size);
    }
    ACanvas.FillRect(R, AColor == pg::clDefault ? ButtonColor(AState) : AColor);
    ACanvas.Font().SetColor(ATextColor == pg::clDefault ? ButtonSymbolColor(AState) : ATextColor);
    ACanvas.Brush().SetStyle(TBrushStyle::bsClear);
    if (cxRectHeight(R) % 2 != 0) --R.Bottom;
    if (cxRectHeight(R) < 18) --R.Top;
    if (AState == cxbsPressed) R = cxRectOffset(R, ButtonTextShift(), ButtonTextShift());
    if (!ACaption.empty()) {
        const int Flags = cxAlignHCenter | cxAlignVCenter | cxShowPrefix |
                          (AWordWrap ? cxWordBreak : cxSingleLine);
        ACanvas.DrawText(ACaption, R, Flags, AState != cxbsDisabled);
    }
    ACanvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawButtonInGroup(TcxCanvas& ACanvas, const TRect& R, int, int,
                                                    TcxButtonState AState, TColor) const {
    DrawButton(ACanvas, R, "", AState, true, pg::clDefault, pg::clDefault, false);
}

void TcxCustomLookAndFeelPainter::DrawButtonBorder(TcxCanvas&, const TRect&, TcxButtonState) const {
}

void TcxCustomLookAndFeelPainter::DrawButtonInGroupBorder(TcxCanvas&, const TRect&, bool,
                                                          bool) const {}

// --- Expand buttons ---

void TcxCustomLookAndFeelPainter::DrawExpandButton(TcxCanvas&, const TRect&, bool, TColor) const {}

bool TcxCustomLookAndFeelPainter::ExpandButtonDrawnFirst() const {
    return true;
}

void TcxCustomLookAndFeelPainter::DrawGroupExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                        bool AExpanded,
                                                        TcxButtonState AState) const {
    DrawButton(ACanvas, R, "", AState, true, pg::clDefault, pg::clDefault);
    ACanvas.Pen().SetColor(ButtonSymbolColor(AState));
    const int Left = (R.Left + R.Right - 7) / 2;
    const int Y0 = (R.Top + R.Bottom - 8) / 2;
    // A polyline leaves its last point out, so each row ends one pixel past the right end.
    for (int Y : {Y0, Y0 + 1, Y0 + 4, Y0 + 5}) {
        const int Ends = AExpanded ? Y + 3 : Y;
        const int Middle = AExpanded ? Y : Y + 3;
        ACanvas.Polyline(
            {{Left, Ends}, {Left + 3, Middle}, {Left + 7, Ends + (AExpanded ? 1 : -1)}});
    }
}

void TcxCustomLookAndFeelPainter::DrawSmallExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                        bool AExpanded, TColor ABorderColor,
                                                        TColor AColor) const {
    ACanvas.FrameRect(R, ABorderColor);
    if (AColor != pg::clDefault) ACanvas.FillRect(cxRectInflate(R, -1, -1), AColor);
    const int Size = (cxRectWidth(R) - 4) / 2 * 2;
    if (Size <= 0) return;
    const int CX = (R.Left + R.Right) / 2;
    const int CY = (R.Top + R.Bottom) / 2;
    const int Start = R.Left + (cxRectWidth(R) - Size) / 2;
    ACanvas.FillRect({Start, CY, Start + Size, CY + 1}, pg::clBtnText);
    if (!AExpanded) {
        const int Top = R.Top + (cxRectHeight(R) - Size) / 2;
        ACanvas.FillRect({CX, Top, CX + 1, Top + Size}, pg::clBtnText);
    }
}

int TcxCustomLookAndFeelPainter::ExpandButtonSize() const {
    return 0;
}

int TcxCustomLookAndFeelPainter::GroupExpandButtonSize() const {
    return 15;
}

bool TcxCustomLookAndFeelPainter::IsButtonHotTrack() const {
    return false;
}

bool TcxCustomLookAndFeelPainter::IsPointOverGroupExpandButton(const TRect& R,
                                                               const TPoint& P) const {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

int TcxCustomLookAndFeelPainter::SmallExpandButtonSize() const {
    return 9;
}

// --- Check boxes and radio buttons ---

int TcxCustomLookAndFeelPainter::CheckBorderSize() const {
    return 2;
}

TColor TcxCustomLookAndFeelPainter::CheckButtonColor(TcxButtonState AState) const {
    return AState == cxbsPressed || AState == cxbsDisabled ? pg::clBtnFace : pg::clWindow;
}

TSize TcxCustomLookAndFeelPainter::CheckButtonSize() const {
    return Images().CheckButtonSize;
}

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas& ACanvas, const TRect& R,
                                            TcxButtonState AState, bool AChecked,
                                            TColor AColor) const {
    if (ACanvas.Brush().Style() == TBrushStyle::bsSolid)
        ACanvas.FillRect(R, CheckButtonColor(AState));
    if (!AChecked) return;
    // The mark's box: (width - 2) x (height - 4); a short stroke down to its lowest point, then
    // a long one up to the right, three strokes one pixel apart.
    const int W = cxRectWidth(R) - 2;
    const int H = cxRectHeight(R) - 4;
    if (W < 3 || H < 1) return;
    const int Left = R.Left + 1;
    const int Top = R.Top + 1;
    const int Short = (W - 1) / 3;
    const TPoint Low{Left + Short, Top + H - 1};
    ACanvas.Pen().SetColor(AColor);
    for (int I = 0; I < 3; ++I) {
        const int Rise = std::min(W - 1 - Short, H - 1);
        ACanvas.Polyline({{Left, Low.Y - Short + I},
                          {Low.X, Low.Y + I},
                          {Low.X + Rise + 1, Low.Y - Rise - 1 + I}});
    }
}

void TcxCustomLookAndFeelPainter::DrawCheckBorder(TcxCanvas&, const TRect&, TcxButtonState) const {}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas& ACanvas, const TRect& R,
                                                  TcxButtonState AState, bool AChecked) const {
    DrawCheckButtonState(ACanvas, R, AState, AChecked ? cbsChecked : cbsUnchecked);
}

void TcxCustomLookAndFeelPainter::DrawCheckButtonState(TcxCanvas& ACanvas, TRect R,
                                                       TcxButtonState AState,
                                                       TcxCheckBoxState ACheckState) const {
    DrawCheckBorder(ACanvas, R, AState);
    const int Size = CheckBorderSize();
    R = cxRectInflate(R, -Size, -Size);
    const TColor MarkColor =
        AState == cxbsDisabled || ACheckState == cbsGrayed ? pg::clGrayText : pg::clBtnText;
    DrawCheck(ACanvas, R, AState, ACheckState != cbsUnchecked, MarkColor);
}

void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas& ACanvas, int X, int Y,
                                                  TcxButtonState AButtonState, bool AChecked,
                                                  bool AFocused, TColor ABrushColor,
                                                  bool AIsHighlighted) const {
    if (Images().DrawRadioButton)
        Images().DrawRadioButton(ACanvas, X, Y, LookAndFeelStyle(), AButtonState, AChecked,
                                 AFocused, ABrushColor, AIsHighlighted);
}

TSize TcxCustomLookAndFeelPainter::RadioButtonSize() const {
    return Images().RadioButtonSize ? Images().RadioButtonSize() : TSize{0, 0};
}

} // namespace toolkit::base
