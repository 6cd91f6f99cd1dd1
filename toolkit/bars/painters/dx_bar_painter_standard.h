#pragma once
// The classic three-dimensional painters. Standard: raised and sunken one-pixel edges, etched
// separators, a two-bar grip on docked toolbars, menu rows whose highlight covers the text area
// beside an unhighlighted glyph column, disabled text embossed. Enhanced changes only the
// toolbar chrome: one grip bar, a mark that runs the full height of the bar and is a hot-tracked
// quick-customise button with a small arrow, and bolder chevrons in it. Enhanced also draws for
// the XP style while visual styles are unusable.
//
// Mark rectangles (client coordinates; floating: inside the caption, 13 wide from the mark
// window rectangle's left):
//   docking        Standard                    Enhanced
//   top, bottom    (w - 11, 0, w, 9)           (w - 11, 0, w, h)
//   left, right    (w - 9, h - 11, w, h)       (0, h - 11, w, h)
// DrawMDIButton's State: 0 normal, 1 selected, 2 selected and pressed, 3 not allowed by the
// MDI child. A main menu's close button is flat inside a one-pixel edge when the manager asks
// for a flat close button, the MDI child has a system menu and not all MDI buttons are shown.

#include "toolkit/bars/painters/dx_bar_painter.h"

namespace toolkit::bars {

class TdxBarItemControlStandardPainter : public TdxBarItemControlPainter {
public:
    static const TdxBarItemControlStandardPainter& Instance();
    const platform::core::TClass& ClassType() const override;

    void DrawGlyphFrame(const Item& AItem, HDC DC, const States& S, const TRect& Cell,
                        bool DrawBackground, HBRUSH Brush) const override;
    // A V-shaped stroke, one row per unit of thickness, in a 9 x 7 cell: Scale rows in the
    // DC's pen and Scale rows of button face under them; a negative Scale draws the disabled
    // figure of -Scale, embossed in button shadow over button highlight.
    void DrawCheckMark(const Item& AItem, HDC DC, int Left, int Top, int Scale,
                       bool Enabled) const override;
    bool IsGlyphBackgroundTransparent(const Item& AItem, const TRect& R) const override;
    bool IsSmallMark(const Bar& ABar, const TRect& MarkRect) const override;
    void DrawMarkChevron(const Bar& ABar, HDC DC, int Offset, const TRect& R) const override;
    void DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const override;
    void DrawEtchedLine(HDC DC, const TRect& R) const override;
    void DrawMenuButton(const Item& AItem, HDC DC, const TRect& R, const States& S) const override;
    void DrawControlBorder(const Item& AItem, HDC DC, TRect& R) const override;
    void DrawEditButtonFrame(const Item& AItem, HDC DC, const TRect& R,
                             const States& S) const override;
    HBRUSH GetGlyphCellBrush(const Item& AItem, const States& S) const override;
    int GetDownGlyphOffset(const Item& AItem) const override;
    int GetPressedGlyphOffset(const Item& AItem, bool Down) const override;
    bool ShowsCaptionBesideGlyph() const override;
    int GetDragGripOffset() const override;
    int GetDragGripAreaSize() const override;
    int GetMenuSeparatorIndent() const override;
    void DrawCloseButton(const Bar& ABar, HDC DC, const TRect& R, int State) const override;
    void DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const override;
    void DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R,
                               HBRUSH Brush) const override;
    void DrawMDIButton(const Bar& ABar, int Kind, HDC DC, const TRect& R, int State) const override;
    int GetFloatingCaptionIndent() const override;
    TRect CalcMarkRect(const Bar& ABar) const override;
    int GetFloatingTopMargin() const override;
    int GetFloatingBottomMargin() const override;
    bool HasNCHitTestBorder() const override;
    bool HasSystemBorder() const override;
    void DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& S,
                            bool InMenu) const override;
    void OffsetPressedCaption(const Item& AItem, bool Pressed, TRect& R) const override;
    void OffsetPressedRect(const Item& AItem, bool Pressed, TRect& R) const override;
    // Selected: the combo is its bar window's selected control.
    void DrawComboButton(const Item& AItem, HDC DC, bool Selected, const TRect& R,
                         const States& S) const override;
    int GetDropDownListBorder() const override;
    void DrawDropDownListBorder(const TdxBarManager* Manager, HDC DC,
                                const TRect& R) const override;
    // The entry of VisibleEntries at ItemIndex, in its rectangle R: the group line above it,
    // and for a non-recent entry its band's top highlight, side lines and closing bottom.
    void DrawNonRecentBand(const Bar& AMenu, HDC DC, int ItemIndex, const TRect& R) const override;
    bool HasSubMenuSideBar() const override;
    int GetSubMenuSeparatorHeight(const Bar& AMenu) const override;
    void SetEditMargins(HWND Edit) const override;

protected:
    TdxBarItemControlStandardPainter() = default;
    // How many grip bars DrawBarBorder draws and how much narrower than the grip bar size.
    virtual int GripBarCount() const;
    virtual int GripBarNarrowing() const;
    // The bar window's own background: its dock site's when docked on one, else its fill.
    void FillBarWindowBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const;
};

class TdxBarItemControlEnhancedPainter : public TdxBarItemControlStandardPainter {
public:
    static const TdxBarItemControlEnhancedPainter& Instance();
    const platform::core::TClass& ClassType() const override;

    void DrawMarkChevron(const Bar& ABar, HDC DC, int Offset, const TRect& R) const override;
    void DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const override;
    // The customise arrow, then the inherited glyphs.
    void DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const override;
    int GetDragGripOffset() const override;
    int GetMenuSeparatorIndent() const override;
    bool HasHotMark() const override;
    TRect CalcMarkRect(const Bar& ABar) const override;

protected:
    TdxBarItemControlEnhancedPainter() = default;
    int GripBarCount() const override;
    int GripBarNarrowing() const override;
};

// The classic menu row, drawn through Painter's operations: a square glyph cell as wide as the
// row is high, a one-pixel gap, the text area in the hot brush while selected and enabled and
// not Down, the caption 2 pixels in.
void dxBarDrawClassicMenuButton(const TdxBarItemControlPainter& Painter,
                                const TdxBarItemControlState& AItem, platform::gdi::HDC DC,
                                const platform::gdi::TRect& R, const TdxBarItemStates& S);

// Whether the window is a toolbar docked left or right.
bool dxBarIsDockedVertically(const TdxBarControlState& ABar);

} // namespace toolkit::bars
