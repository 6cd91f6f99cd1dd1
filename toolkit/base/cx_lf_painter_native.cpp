#include "toolkit/base/cx_lf_painter_native.h"

#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/cx_lf_kind_painters.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/surface.h"

#include <algorithm>

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

// The theme's parts and colour properties that the painter uses.
enum : int {
    BP_PUSHBUTTON = 1,
    BP_RADIOBUTTON = 2,
    BP_CHECKBOX = 3,
    CP_DROPDOWNBUTTON = 1,
    EBP_NORMALGROUPCOLLAPSE = 6,
    EBP_NORMALGROUPEXPAND = 7,
    HP_HEADERITEM = 1,
    HP_HEADERITEMRIGHT = 3,
    LVP_LISTDETAIL = 5,
    PP_BAR = 1,
    PP_CHUNK = 3,
    SBP_ARROWBTN = 1,
    SBP_THUMBBTNHORZ = 2,
    SBP_THUMBBTNVERT = 3,
    SBP_LOWERTRACKHORZ = 4,
    SBP_UPPERTRACKHORZ = 5,
    SBP_LOWERTRACKVERT = 6,
    SBP_UPPERTRACKVERT = 7,
    SBP_GRIPPERHORZ = 8,
    SBP_GRIPPERVERT = 9,
    SBP_SIZEBOX = 10,
    TABP_TABITEM = 1,
    TABP_PANE = 9,
    TKP_TRACK = 1,
    TP_BUTTON = 1,
    TVP_GLYPH = 2,
    WP_SMALLCLOSEBUTTON = 19,
    TMT_FILLCOLOR = 3802,
    TMT_BORDERCOLOR = 3801,
    TMT_TEXTCOLOR = 3803,
    TMT_BTNFACE = 204,
};

const TcxCustomLookAndFeelPainter& Standard() {
    return *cxStandardLookAndFeelPainter();
}

int StateIndex(TcxButtonState AState) {
    return std::clamp(static_cast<int>(AState), 0, 4);
}

constexpr int PushButtonStates[5] = {1, 1, 2, 3, 4};
constexpr int HeaderStates[5] = {1, 1, 2, 3, 1};
constexpr int ToolButtonStates[5] = {2, 2, 5, 3, 4};

int PushButtonState(TcxButtonState AState) {
    return PushButtonStates[StateIndex(AState)];
}

int ScrollArrowState(TcxArrowDirection ADirection, TcxButtonState AState) {
    return 4 * static_cast<int>(ADirection) + PushButtonState(AState);
}

int CheckState(TcxCheckBoxState ACheckState, TcxButtonState AState) {
    // A grayed box draws with the unchecked states.
    return (ACheckState == cbsChecked ? 4 : 0) + PushButtonState(AState);
}

int ScrollBarPartState(TcxButtonState AState) {
    return AState == cxbsHot ? 2 : AState == cxbsPressed ? 3 : AState == cxbsDisabled ? 4 : 1;
}

bool Opens(TdxThemeClassKind AKind) {
    return OpenTheme(AKind) != NullTheme;
}

// The colour property, or the fallback when the class does not open or lacks the property.
TColor ThemeColor(TdxThemeClassKind AKind, int APart, int AState, int AProperty, TColor AFallback) {
    const HTHEME Theme = OpenTheme(AKind);
    COLORREF Color = 0;
    if (Theme != NullTheme && GetThemeColor(Theme, APart, AState, AProperty, &Color) == pg::S_OK)
        return static_cast<TColor>(Color);
    return AFallback;
}

// The part's content rectangle inside a 100 x 100 square, as margins; false when unknown.
bool ContentMargins(TdxThemeClassKind AKind, int APart, int AState, TRect& AMargins) {
    const HTHEME Theme = OpenTheme(AKind);
    if (Theme == NullTheme) return false;
    const TRect Bounds{0, 0, 100, 100};
    TRect Content;
    if (GetThemeBackgroundContentRect(Theme, HDC{}, APart, AState, &Bounds, &Content) != pg::S_OK)
        return false;
    AMargins = {Content.Left, Content.Top, Bounds.Right - Content.Right,
                Bounds.Bottom - Content.Bottom};
    return true;
}

bool PartSize(TdxThemeClassKind AKind, int APart, int AState, TSize& ASize,
              TThemeSize AKindOfSize = TS_TRUE) {
    const HTHEME Theme = OpenTheme(AKind);
    return Theme != NullTheme &&
           GetThemePartSize(Theme, HDC{}, APart, AState, nullptr, AKindOfSize, &ASize) == pg::S_OK;
}

void DrawPart(TcxCanvas& ACanvas, HTHEME ATheme, int APart, int AState, const TRect& R) {
    DrawThemeBackground(ATheme, ACanvas.Handle(), APart, AState, R);
}

} // namespace

const TcxWinXPLookAndFeelPainter& TcxWinXPLookAndFeelPainter::Instance() {
    static const TcxWinXPLookAndFeelPainter Painter;
    return Painter;
}

void TcxWinXPLookAndFeelPainter::DrawTabButton(TcxCanvas& ACanvas, const TRect& R,
                                               const TRect& AEdgeRect, int ASide,
                                               TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcTab);
    if (Theme == NullTheme) return Standard().DrawTabButton(ACanvas, R, AEdgeRect, ASide, AState);
    DrawPart(ACanvas, Theme, TABP_TABITEM, PushButtonState(AState), R);
}

TcxLookAndFeelStyle TcxWinXPLookAndFeelPainter::LookAndFeelStyle() const {
    return lfsNative;
}

TColor TcxWinXPLookAndFeelPainter::DefaultEditorBorderColor() const {
    return ThemeColor(tcComboBox, CP_DROPDOWNBUTTON, 1, TMT_BORDERCOLOR,
                      Standard().DefaultEditorBorderColor());
}

TColor TcxWinXPLookAndFeelPainter::DefaultInfoColor() const {
    return static_cast<TColor>(0xD5FFFF);
}

void TcxWinXPLookAndFeelPainter::DrawArrow(TcxCanvas& ACanvas, const TRect& R, TColor AColor,
                                           TcxArrowDirection ADirection) const {
    TcxCustomLookAndFeelPainter::DrawArrow(ACanvas, R, AColor, ADirection);
}

void TcxWinXPLookAndFeelPainter::DrawButtonArrow(TcxCanvas& ACanvas, const TRect& R,
                                                 bool ADrawBorder, TcxArrowDirection ADirection,
                                                 TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcScrollBar);
    if (Theme == NullTheme)
        return Standard().DrawButtonArrow(ACanvas, R, ADrawBorder, ADirection, AState);
    DrawPart(ACanvas, Theme, SBP_ARROWBTN, ScrollArrowState(ADirection, AState), R);
}

void TcxWinXPLookAndFeelPainter::DrawArrowBorder(TcxCanvas& ACanvas, const TRect& R,
                                                 TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcButton);
    if (Theme == NullTheme) return Standard().DrawArrowBorder(ACanvas, R, AState);
    DrawPart(ACanvas, Theme, BP_PUSHBUTTON, PushButtonState(AState), R);
}

int TcxWinXPLookAndFeelPainter::BorderSize() const {
    return Opens(tcListView) ? 1 : Standard().BorderSize();
}

void TcxWinXPLookAndFeelPainter::DrawBorder(TcxCanvas& ACanvas, const TRect& R) const {
    const HTHEME Theme = OpenTheme(tcListView);
    if (Theme == NullTheme) return Standard().DrawBorder(ACanvas, R);
    ACanvas.SaveDC();
    TRect Inside = R;
    Inside.Left += BorderSize(), Inside.Top += BorderSize();
    Inside.Right -= BorderSize(), Inside.Bottom -= BorderSize();
    ACanvas.ExcludeClipRect(Inside);
    DrawPart(ACanvas, Theme, LVP_LISTDETAIL, 0, R);
    ACanvas.RestoreDC();
}

TRect TcxWinXPLookAndFeelPainter::AdjustButtonRect(const TRect& R, int ACount, int AIndex) const {
    TRect Result = Standard().AdjustButtonRect(R, ACount, AIndex);
    const HTHEME Theme = OpenTheme(tcButton);
    if (Theme != NullTheme &&
        IsThemeBackgroundPartiallyTransparent(Theme, BP_PUSHBUTTON, PushButtonState(cxbsNormal)))
        --Result.Left, --Result.Top, ++Result.Right, ++Result.Bottom;
    return Result;
}

int TcxWinXPLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const {
    TRect Margins;
    if (!ContentMargins(tcButton, BP_PUSHBUTTON, PushButtonState(AState), Margins))
        return Standard().ButtonBorderSize(AState);
    return Margins.Left;
}

TColor TcxWinXPLookAndFeelPainter::ButtonColor(TcxButtonState AState) const {
    return ThemeColor(tcButton, BP_PUSHBUTTON, PushButtonState(AState), TMT_BTNFACE,
                      Standard().ButtonColor(AState));
}

TRect TcxWinXPLookAndFeelPainter::ButtonFocusRect(TcxCanvas& ACanvas, const TRect& R) const {
    const HTHEME Theme = OpenTheme(tcButton);
    TRect Content;
    if (Theme == NullTheme || GetThemeBackgroundContentRect(Theme, ACanvas.Handle(), BP_PUSHBUTTON,
                                                            1, &R, &Content) != pg::S_OK)
        return Standard().ButtonFocusRect(ACanvas, R);
    return Content;
}

TRect TcxWinXPLookAndFeelPainter::ButtonBorderSizes(int ACount, int AIndex) const {
    TRect Margins;
    if (!ContentMargins(tcButton, BP_PUSHBUTTON, 1, Margins))
        return Standard().ButtonBorderSizes(ACount, AIndex);
    return Margins;
}

int TcxWinXPLookAndFeelPainter::ButtonTextOffset() const {
    return 2;
}

int TcxWinXPLookAndFeelPainter::ButtonTextShift() const {
    return 0;
}

TColor TcxWinXPLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState,
                                                     TColor ADefaultColor) const {
    return ThemeColor(tcButton, BP_PUSHBUTTON, PushButtonState(AState), TMT_TEXTCOLOR,
                      Standard().ButtonSymbolColor(AState, ADefaultColor));
}

void TcxWinXPLookAndFeelPainter::DrawButton(TcxCanvas& ACanvas, TRect R,
                                            const std::string& ACaption, TcxButtonState AState,
                                            bool ADrawBorder, TColor AColor, TColor ATextColor,
                                            bool AWordWrap) const {
    const HTHEME Theme = OpenTheme(tcButton);
    if (Theme == NullTheme)
        return Standard().DrawButton(ACanvas, R, ACaption, AState, ADrawBorder, AColor, ATextColor,
                                     AWordWrap);
    DrawPart(ACanvas, Theme, BP_PUSHBUTTON, PushButtonState(AState), R);
    if (ACaption.empty()) return;
    DrawThemeText(Theme, ACanvas.Handle(), BP_PUSHBUTTON, PushButtonState(AState), ACaption, -1,
                  pg::DT_CENTER | pg::DT_VCENTER | pg::DT_SINGLELINE, 0, &R);
}

void TcxWinXPLookAndFeelPainter::DrawExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                  bool AExpanded, TColor AColor) const {
    const HTHEME Theme = OpenTheme(tcTreeView);
    if (Theme == NullTheme) return Standard().DrawExpandButton(ACanvas, R, AExpanded, AColor);
    DrawPart(ACanvas, Theme, TVP_GLYPH, AExpanded ? 2 : 1, R);
}

bool TcxWinXPLookAndFeelPainter::ExpandButtonDrawnFirst() const {
    return false;
}

void TcxWinXPLookAndFeelPainter::DrawGroupExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                       bool AExpanded,
                                                       TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcExplorerBar);
    if (Theme == NullTheme) return Standard().DrawGroupExpandButton(ACanvas, R, AExpanded, AState);
    DrawPart(ACanvas, Theme, AExpanded ? EBP_NORMALGROUPEXPAND : EBP_NORMALGROUPCOLLAPSE,
             AState == cxbsHot ? 2 : 1, R);
}

void TcxWinXPLookAndFeelPainter::DrawSmallExpandButton(TcxCanvas& ACanvas, const TRect& R,
                                                       bool AExpanded, TColor ABorderColor,
                                                       TColor AColor) const {
    if (!Opens(tcTreeView))
        return Standard().DrawSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, AColor);
    DrawExpandButton(ACanvas, R, AExpanded, pg::clDefault);
}

int TcxWinXPLookAndFeelPainter::ExpandButtonSize() const {
    TSize Size;
    return PartSize(tcTreeView, TVP_GLYPH, 1, Size) ? Size.cx : Standard().ExpandButtonSize();
}

int TcxWinXPLookAndFeelPainter::GroupExpandButtonSize() const {
    TSize Size;
    return PartSize(tcExplorerBar, EBP_NORMALGROUPEXPAND, 1, Size)
               ? Size.cx
               : Standard().GroupExpandButtonSize();
}

bool TcxWinXPLookAndFeelPainter::IsButtonHotTrack() const {
    return true;
}

bool TcxWinXPLookAndFeelPainter::IsPointOverGroupExpandButton(const TRect& R,
                                                              const TPoint& P) const {
    const HTHEME Theme = OpenTheme(tcExplorerBar);
    HRGN Region{};
    if (Theme == NullTheme ||
        GetThemeBackgroundRegion(Theme, HDC{}, EBP_NORMALGROUPEXPAND, 1, &R, &Region) != pg::S_OK)
        return Standard().IsPointOverGroupExpandButton(R, P);
    const bool Result = pg::PtInRegion(Region, P.X, P.Y);
    pg::DeleteObject(Region);
    return Result;
}

int TcxWinXPLookAndFeelPainter::SmallExpandButtonSize() const {
    return Opens(tcTreeView) ? ExpandButtonSize() : Standard().SmallExpandButtonSize();
}

int TcxWinXPLookAndFeelPainter::CheckBorderSize() const {
    return Opens(tcButton) ? 0 : Standard().CheckBorderSize();
}

TSize TcxWinXPLookAndFeelPainter::CheckButtonSize() const {
    TSize Size;
    return PartSize(tcButton, BP_CHECKBOX, 1, Size) ? Size : Standard().CheckButtonSize();
}

void TcxWinXPLookAndFeelPainter::DrawCheck(TcxCanvas& ACanvas, const TRect& R,
                                           TcxButtonState AState, bool AChecked,
                                           TColor AColor) const {
    const HTHEME Theme = OpenTheme(tcButton);
    if (Theme == NullTheme) return Standard().DrawCheck(ACanvas, R, AState, AChecked, AColor);
    DrawPart(ACanvas, Theme, BP_CHECKBOX, CheckState(AChecked ? cbsChecked : cbsUnchecked, AState),
             R);
}

void TcxWinXPLookAndFeelPainter::DrawCheckBorder(TcxCanvas& ACanvas, const TRect& R,
                                                 TcxButtonState AState) const {
    // The themed check box has its border in the glyph.
    if (!Opens(tcButton)) Standard().DrawCheckBorder(ACanvas, R, AState);
}

void TcxWinXPLookAndFeelPainter::DrawRadioButton(TcxCanvas& ACanvas, int X, int Y,
                                                 TcxButtonState AButtonState, bool AChecked,
                                                 bool AFocused, TColor ABrushColor,
                                                 bool AIsHighlighted) const {
    const HTHEME Theme = OpenTheme(tcButton);
    if (Theme == NullTheme)
        return Standard().DrawRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused,
                                          ABrushColor, AIsHighlighted);
    const TSize Size = RadioButtonSize();
    const TRect R{X, Y, X + Size.cx, Y + Size.cy};
    if (ABrushColor != pg::clDefault) ACanvas.FillRect(R, ABrushColor);
    DrawPart(ACanvas, Theme, BP_RADIOBUTTON, (AChecked ? 4 : 0) + PushButtonState(AButtonState), R);
}

TSize TcxWinXPLookAndFeelPainter::RadioButtonSize() const {
    TSize Size;
    return PartSize(tcButton, BP_RADIOBUTTON, 1, Size) ? Size : Standard().RadioButtonSize();
}

void TcxWinXPLookAndFeelPainter::DrawHeader(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const std::string& AText, const TFont& AFont, TColor ATextColor, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) const {
    const HTHEME Theme = OpenTheme(tcHeader);
    if (Theme == NullTheme)
        return Standard().DrawHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders,
                                     AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                                     AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                                     AOnDrawBackground, AIsLast, AIsGroup);
    const TdxOffice11Scheme Scheme = dxOffice11GetScheme();
    const int Part = AState == cxbsNormal && AIsLast && (Scheme == schBlue || Scheme == schOlive)
                         ? HP_HEADERITEMRIGHT
                         : HP_HEADERITEM;
    const int State = HeaderStates[StateIndex(AState)];
    DrawPart(ACanvas, Theme, Part, State, ABounds);
    DrawThemedCaption(ACanvas, Theme, Part, State, ATextAreaBounds, AAlignmentHorz, AAlignmentVert,
                      AMultiLine, AShowEndEllipsis, false, AText, AFont, ATextColor);
}

void TcxWinXPLookAndFeelPainter::DrawHeaderPressed(TcxCanvas&, const TRect&) const {
    // The themed header draws its pressed look with the pressed state.
}

void TcxWinXPLookAndFeelPainter::DrawHeaderControlSection(
    TcxCanvas& ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const std::string& AText, const TFont& AFont, TColor ATextColor,
    TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {
    if (!Opens(tcHeader))
        return Standard().DrawHeaderControlSection(
            ACanvas, ABounds, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
            AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AOnDrawBackground);
    ACanvas.FillRect(ABounds, pg::clBtnFace);
    DrawHeader(ACanvas, ABounds, ATextAreaBounds, 0, cxBordersAll, AState, AAlignmentHorz,
               AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
               AOnDrawBackground);
}

void TcxWinXPLookAndFeelPainter::DrawSortingMark(TcxCanvas& ACanvas, const TRect& R,
                                                 bool AAscendingSorting) const {
    cxUltraFlatLookAndFeelPainter()->DrawSortingMark(ACanvas, R, AAscendingSorting);
}

int TcxWinXPLookAndFeelPainter::HeaderBorderSize() const {
    TRect Margins;
    return ContentMargins(tcHeader, HP_HEADERITEM, 1, Margins) ? Margins.Left
                                                               : Standard().HeaderBorderSize();
}

int TcxWinXPLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState) const {
    return HeaderBorderSize();
}

TRect TcxWinXPLookAndFeelPainter::HeaderControlSectionTextAreaBounds(const TRect& ABounds,
                                                                     TcxButtonState AState) const {
    if (!Opens(tcHeader)) return Standard().HeaderControlSectionTextAreaBounds(ABounds, AState);
    const int Border = HeaderBorderSize();
    return {ABounds.Left + Border, ABounds.Top + Border, ABounds.Right - Border,
            ABounds.Bottom - Border};
}

bool TcxWinXPLookAndFeelPainter::IsHeaderHotTrack() const {
    return true;
}

TSize TcxWinXPLookAndFeelPainter::SortingMarkSize() const {
    return cxUltraFlatLookAndFeelPainter()->SortingMarkSize();
}

int TcxWinXPLookAndFeelPainter::BandBorderSize() const {
    return Opens(tcEdit) ? 1 : Standard().BandBorderSize();
}

int TcxWinXPLookAndFeelPainter::BandCellBorderSize() const {
    TRect Margins;
    return ContentMargins(tcTrackBar, TKP_TRACK, 1, Margins) ? Margins.Left
                                                             : Standard().BandCellBorderSize();
}

int TcxWinXPLookAndFeelPainter::BandCellOffset() const {
    return Opens(tcTrackBar) ? 1 : Standard().BandCellOffset();
}

bool TcxWinXPLookAndFeelPainter::BandDrawCellsFirst() const {
    return false;
}

void TcxWinXPLookAndFeelPainter::DrawBandCell(
    TcxCanvas& ACanvas, const TRect& ABounds, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::string& AText, const TFont& AFont,
    TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {
    const HTHEME Theme = OpenTheme(tcTrackBar);
    if (Theme == NullTheme)
        return Standard().DrawBandCell(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine,
                                       AText, AFont, ATextColor, ABkColor, AOnDrawBackground);
    DrawPart(ACanvas, Theme, TKP_TRACK, 1, ABounds);
    DrawThemedCaption(ACanvas, Theme, TKP_TRACK, 1, ContentInnerBounds(ABounds), AAlignmentHorz,
                      AAlignmentVert, AMultiLine, false, false, AText, AFont, ATextColor);
}

void TcxWinXPLookAndFeelPainter::DrawBandBorder(TcxCanvas& ACanvas, const TRect& R) const {
    const HTHEME Theme = OpenTheme(tcEdit);
    if (Theme == NullTheme) return Standard().DrawBandBorder(ACanvas, R);
    DrawThemeEdge(Theme, ACanvas.Handle(), 0, 0, &R, 4, 15, nullptr);
}

void TcxWinXPLookAndFeelPainter::DrawPanelCloseButton(TcxCanvas& ACanvas, TRect R,
                                                      TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcWindow);
    if (Theme == NullTheme) return Standard().DrawPanelCloseButton(ACanvas, R, AState);
    DrawPart(ACanvas, Theme, WP_SMALLCLOSEBUTTON, PushButtonState(AState), R);
}

void TcxWinXPLookAndFeelPainter::DrawPanelDropDownButton(TcxCanvas& ACanvas, const TRect& R,
                                                         TcxButtonState AState,
                                                         bool AIsActive) const {
    const HTHEME Theme = OpenTheme(tcComboBox);
    if (Theme == NullTheme)
        return Standard().DrawPanelDropDownButton(ACanvas, R, AState, AIsActive);
    DrawPart(ACanvas, Theme, CP_DROPDOWNBUTTON, PushButtonState(AState), R);
}

TSize TcxWinXPLookAndFeelPainter::PanelCheckButtonSize() const {
    TSize Size;
    return PartSize(tcButton, BP_CHECKBOX, 1, Size) ? Size : Standard().PanelCheckButtonSize();
}

TSize TcxWinXPLookAndFeelPainter::PanelCloseButtonSize() const {
    TSize Size;
    return PartSize(tcWindow, WP_SMALLCLOSEBUTTON, 1, Size) ? Size
                                                            : Standard().PanelCloseButtonSize();
}

void TcxWinXPLookAndFeelPainter::DrawTab(TcxCanvas& ACanvas, const TRect& R, TcxBorders ABorders,
                                         const std::string& AText, TcxButtonState AState,
                                         bool AVertical, const TFont& AFont, TColor ATextColor,
                                         TColor ABkColor, bool AShowPrefix) const {
    const HTHEME Theme = OpenTheme(tcTab);
    if (Theme == NullTheme)
        return Standard().DrawTab(ACanvas, R, ABorders, AText, AState, AVertical, AFont, ATextColor,
                                  ABkColor, AShowPrefix);
    const int State = PushButtonState(AState);
    DrawTabBorder(ACanvas, R, AVertical ? 1 : 0, ABorders, AState);
    TRect Caption = R;
    if (State == 3) --Caption.Bottom, --Caption.Bottom;
    DrawThemedCaption(ACanvas, Theme, TABP_TABITEM, State, Caption, platform::forms::taCenter,
                      vaCenter, false, false, AShowPrefix, AText, AFont, ATextColor);
}

void TcxWinXPLookAndFeelPainter::DrawTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                               TcxBorders ABorders, TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcTab);
    if (Theme == NullTheme) return Standard().DrawTabBorder(ACanvas, R, ASide, ABorders, AState);
    const int State = PushButtonState(AState);
    if (ASide == 0) return DrawPart(ACanvas, Theme, TABP_TABITEM, State, R);
    // A vertical tab: drawn upright with width and height swapped, then turned a quarter
    // clockwise into place.
    const int W = R.Height(), H = R.Width();
    const HBITMAP Upright = pg::CreateBitmap(W, H, 1, 32, nullptr);
    const HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Upright);
    DrawThemeBackground(Theme, DC, TABP_TABITEM, State, TRect{0, 0, W, H});
    const pg::Surface& From = *pg::BitmapSurface(Upright);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            ACanvas.SetPixel(R.Left + (H - 1 - Y), R.Top + X,
                             static_cast<TColor>(pg::PixelToColor(From.Pixel(X, Y) & 0xFFFFFF)));
    pg::SelectObject(DC, Old);
    pg::DeleteDC(DC);
    pg::DeleteObject(Upright);
}

void TcxWinXPLookAndFeelPainter::DrawTabsBody(TcxCanvas& ACanvas, const TRect& R, int ASide,
                                              TcxBorders ABorders) const {
    const HTHEME Theme = OpenTheme(tcTab);
    if (Theme == NullTheme) return Standard().DrawTabsBody(ACanvas, R, ASide, ABorders);
    DrawPart(ACanvas, Theme, TABP_PANE, 1, R);
}

bool TcxWinXPLookAndFeelPainter::IsTabHotTrack(bool AVertical) const {
    return Opens(tcTab) || Standard().IsTabHotTrack(AVertical);
}

int TcxWinXPLookAndFeelPainter::TabBorderSize(bool AVertical) const {
    return Opens(tcTab) ? 1 : Standard().TabBorderSize(AVertical);
}

int TcxWinXPLookAndFeelPainter::TabOffset() const {
    return Opens(tcTab) ? 1 : Standard().TabOffset();
}

void TcxWinXPLookAndFeelPainter::DrawIndicatorCell(TcxCanvas& ACanvas, const TRect& R,
                                                   TcxNeighbors ANeighbors, int AKind,
                                                   TColor ABkColor,
                                                   const TcxDrawBackgroundEvent& AOnDrawBackground,
                                                   bool AIsLast) const {
    // The base operation, with the flat painter's overrides drawing the parts of the cell.
    cxFlatLookAndFeelPainter()->TcxCustomLookAndFeelPainter::DrawIndicatorCell(
        ACanvas, R, ANeighbors, AKind, ABkColor, AOnDrawBackground, AIsLast);
}

int TcxWinXPLookAndFeelPainter::ScrollBarMinimalThumbSize(bool AHorizontal) const {
    const int Part = AHorizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT;
    TSize Min, True;
    if (!PartSize(tcScrollBar, Part, 1, Min, TS_MIN)) return 8;
    int Result = AHorizontal ? Min.cx : Min.cy;
    if (PartSize(tcScrollBar, Part, 1, True, TS_TRUE))
        Result = std::max(Result, (AHorizontal ? True.cx : True.cy) + 4);
    return std::max(Result, 8);
}

void TcxWinXPLookAndFeelPainter::DrawScrollBarPart(TcxCanvas& ACanvas, bool AHorizontal,
                                                   const TRect& R, TcxScrollBarPart APart,
                                                   TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcScrollBar);
    if (Theme == NullTheme)
        return Standard().DrawScrollBarPart(ACanvas, AHorizontal, R, APart, AState);
    const int State = ScrollBarPartState(AState);
    switch (APart) {
    case sbpThumbnail:
        DrawPart(ACanvas, Theme, AHorizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, State, R);
        DrawPart(ACanvas, Theme, AHorizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT, 0, R);
        break;
    case sbpPageUp:
        DrawPart(ACanvas, Theme, AHorizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT, State, R);
        break;
    case sbpPageDown:
        DrawPart(ACanvas, Theme, AHorizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT, State, R);
        break;
    case sbpLineUp:
        DrawButtonArrow(ACanvas, R, true, AHorizontal ? adLeft : adUp, AState);
        break;
    case sbpLineDown:
        DrawButtonArrow(ACanvas, R, true, AHorizontal ? adRight : adDown, AState);
        break;
    case sbpNone:
        break;
    }
}

void TcxWinXPLookAndFeelPainter::DrawSizeGrip(TcxCanvas& ACanvas, const TRect& R,
                                              TColor ABackgroundColor) const {
    ACanvas.FillRect(R, ABackgroundColor == pg::clNone ? pg::clDefault : ABackgroundColor);
    const HTHEME Theme = OpenTheme(tcScrollBar);
    if (Theme == NullTheme) return Standard().DrawSizeGrip(ACanvas, R, pg::clDefault);
    DrawPart(ACanvas, Theme, SBP_SIZEBOX, 1, R);
}

void TcxWinXPLookAndFeelPainter::DrawIndicatorMarkCell(
    TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors, TColor ABkColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, int AMarkKind) const {
    if (!Opens(tcHeader))
        return Standard().DrawIndicatorMarkCell(ACanvas, R, ANeighbors, ABkColor, AOnDrawBackground,
                                                AIsLast, AMarkKind);
    DrawHeader(ACanvas, R, R, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal,
               platform::forms::taLeftJustify, vaTop, false, false, "", TFont(), pg::clDefault,
               ABkColor, AOnDrawBackground, AIsLast);
    const TRect Content = HeaderContentBounds(R, HeaderBorders(ANeighbors));
    if (AMarkKind & 1) DrawArrow(ACanvas, Content, pg::clWindowText, adUp);
    if (AMarkKind & 2) DrawArrow(ACanvas, Content, pg::clWindowText, adDown);
}

void TcxWinXPLookAndFeelPainter::DrawProgressChunk(TcxCanvas& ACanvas, const TRect& R, bool AFramed,
                                                   const TcxFillInfo& AFill,
                                                   const TRect& AChunkRect) const {
    const HTHEME Theme = OpenTheme(tcProgress);
    if (Theme == NullTheme)
        return Standard().DrawProgressChunk(ACanvas, R, AFramed, AFill, AChunkRect);
    DrawPart(ACanvas, Theme, PP_BAR, 1, R);
    DrawPart(ACanvas, Theme, PP_CHUNK, 1, AChunkRect);
}

void TcxWinXPLookAndFeelPainter::DrawToolButton(TcxCanvas& ACanvas, const TRect& R,
                                                TcxButtonState AState) const {
    const HTHEME Theme = OpenTheme(tcToolBar);
    if (Theme == NullTheme) return Standard().DrawToolButton(ACanvas, R, AState);
    DrawPart(ACanvas, Theme, TP_BUTTON, ToolButtonStates[StateIndex(AState)], R);
}

void TcxWinXPLookAndFeelPainter::DrawPopupBorder(TcxCanvas& ACanvas, const TRect& R, bool ASideFlag,
                                                 TColor AFillColor) const {
    if (!Opens(tcComboBox) || !Opens(tcListView))
        return Standard().DrawPopupBorder(ACanvas, R, ASideFlag, AFillColor);
    ACanvas.FrameRect(R, DefaultEditorBorderColor());
    const TRect Inner{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    ACanvas.FrameRect(Inner, AFillColor, 2);
}

TRect TcxWinXPLookAndFeelPainter::PopupBorderSizes() const {
    if (!Opens(tcComboBox) || !Opens(tcListView)) return Standard().PopupBorderSizes();
    return {3, 3, 3, 3};
}

void TcxWinXPLookAndFeelPainter::DrawControlBackground(TcxCanvas& ACanvas,
                                                       platform::forms::TControl* AControl,
                                                       const TRect& R, TColor AColor1,
                                                       TColor) const {
    if (AColor1 == pg::clDefault)
        cxPaintParentBackground(AControl, ACanvas.Handle(), R, true);
    else
        ACanvas.FillRect(R, AColor1);
}

void TcxWinXPLookAndFeelPainter::DrawThemedCaption(TcxCanvas& ACanvas, HTHEME ATheme, int APartId,
                                                   int AStateId, const TRect& R,
                                                   TAlignment AAlignmentHorz,
                                                   TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                   bool AShowEndEllipsis, bool AShowPrefix,
                                                   const std::string& AText, const TFont& AFont,
                                                   TColor ATextColor) const {
    if (AText.empty()) return;
    ACanvas.SetFont(AFont);
    ACanvas.Font().SetColor(ATextColor);
    TRect TextRect = R;
    if (AMultiLine)
        ACanvas.AlignMultiLineTextRectVertically(TextRect, AText, AAlignmentVert, true,
                                                 AShowPrefix);
    unsigned Flags = pg::DT_EDITCONTROL;
    if (AAlignmentHorz == platform::forms::taRightJustify) Flags |= pg::DT_RIGHT;
    if (AAlignmentHorz == platform::forms::taCenter) Flags |= pg::DT_CENTER;
    if (AAlignmentVert == vaBottom) Flags |= pg::DT_BOTTOM;
    if (AAlignmentVert == vaCenter) Flags |= pg::DT_VCENTER;
    if (AShowEndEllipsis) Flags |= pg::DT_END_ELLIPSIS;
    if (!AShowPrefix) Flags |= pg::DT_NOPREFIX;
    Flags |= AMultiLine ? pg::DT_WORDBREAK : pg::DT_SINGLELINE;
    DrawThemeText(ATheme, ACanvas.Handle(), APartId, AStateId, AText, -1, Flags, 0, &TextRect);
}

} // namespace toolkit::base
