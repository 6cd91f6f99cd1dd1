#pragma once
// The Office 2003 painter (paint style 4): toolbars in the two-stage bar gradient with rounded
// ends and a shadow line along the far edge, dotted drag grips, embossed separators, a gradient
// mark at the toolbar's end, orange faces for hot, pressed and checked buttons, and menus with a
// gradient glyph band. Every colour and brush is the Office 2003 scheme's (toolkit/base/
// office11.h), which follows the visual style; the painter keeps nothing of its own. What it
// does not answer itself, the Flat painter answers.

#include "toolkit/bars/painters/dx_bar_painter_flat.h"

namespace toolkit::bars {

class TdxBarItemControlOffice11Painter : public TdxBarItemControlFlatPainter {
public:
    static const TdxBarItemControlOffice11Painter& Instance();
    const platform::core::TClass& ClassType() const override;

    // Buttons, glyphs, text (dx_bar_painter_office11_items.cpp).
    void DrawGlyphFrame(const Item& AItem, HDC DC, const States& S, const TRect& Cell,
                        bool DrawBackground, HBRUSH Brush) const override;
    void DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& S,
                        const TdxBarGlyphSource& Source, bool Framed) const override;
    void DrawItemArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected,
                             bool Flat) const override;
    void DrawItemArrow(HDC DC, const TRect& R, int Size, bool Down, bool Enabled, bool Selected,
                       bool Flat) const override;
    void GetEditColors(const Item& AItem, TColor& TextColor, TColor& BkColor) const override;
    TColor GetFadedImageColor(const Bar& ABar) const override;
    void GetTextColors(const Item& AItem, bool Enabled, bool Selected, bool Highlight,
                       TColor& EmbossColor, TColor& TextColor) const override;
    bool HandlesNonRecentItems() const override;
    void DrawDropDownArrow(HDC DC, int SysColorIndex, int Width, int Top, int Left) const override;
    void DrawSubMenuChevron(const Bar& ABar, HDC DC, bool Selected, const TRect& R) const override;
    void DrawEditButtonFrame(const Item& AItem, HDC DC, const TRect& R,
                             const States& S) const override;
    void GetComboColors(const Item& AItem, const States& S, int& TextColorIndex,
                        HBRUSH& Brush) const override;
    HBRUSH GetGlyphCellBrush(const Item& AItem, const States& S) const override;
    bool CanHotTrackDisabled() const override;
    int GetDragGripOffset() const override;
    int CalcQuickCustItemRect(const Item& AItem, TRect& R) const override;
    void DrawQuickCustItemCheck(const Item& AItem, HDC DC, const TRect& R,
                                const TRect& CheckRect) const override;
    void DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& S,
                            bool InMenu) const override;
    void GetComboButtonColors(const Item& AItem, const States& S, int& ArrowColorIndex,
                              HBRUSH& Brush) const override;
    void DrawDropDownListBorder(const TdxBarManager* Manager, HDC DC,
                                const TRect& R) const override;
    void CalcSubMenuItemSize(const Bar& AMenu, HDC DC, int& ItemHeight, int& ReferenceGlyphSize,
                             int& ExpandButtonHeight, int& WidthMetric) const override;
    int GetDetachCaptionAreaSize(const Bar& AMenu) const override;
    void DrawSubMenuBackground(const Bar& AMenu, HDC DC, const TRect& R,
                               HBRUSH Brush) const override;
    void DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const override;
    void DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH Brush, const TRect& R) const override;
    void FillDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const override;
    void AdjustDetachCaptionRect(TRect& R) const override;
    HBRUSH GetSubMenuBrush(const Bar& AMenu) const override;
    int GetEditCaptionAreaWidth(const Item& AItem, int TextWidth) const override;
    void DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const override;
    void DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& S) const override;
    void DrawComboButton(const Item& AItem, HDC DC, bool Pressed, const TRect& R,
                         const States& S) const override;
    void DrawPushButton(const Item& AItem, HDC DC, TRect& R, const std::string& Text,
                        bool Pressed) const override;
    int GetMenuItemTextIndent(const Item& AItem) const override;

    // Toolbars, bar windows, metrics (dx_bar_painter_office11.cpp).
    TColor GetCaptionColor(bool Active) const override;
    TColor GetCaptionTextColor() const override;
    TColor GetMarkArrowColor(const Bar& ABar, int MarkState) const override;
    void DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const override;
    void DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const override;
    int GetFloatingBorderWidth() const override;
    int GetFloatingBorderHeight() const override;
    int GetFloatingBorderOffset() const override;
    void DrawDockControlBackground(const Dock& ADock, HDC DC, const TRect& R,
                                   HBRUSH Brush) const override;
    bool DrawsGlyphFrameFirst() const override;
    HBRUSH GetLightBkBrush(const TdxBarManager& Manager) const override;
    void DrawDockedBarBackground(const Bar& ABar, HDC DC, const TRect& R) const override;
    void FillBarBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const override;
    void DrawOwnerJoin(const Bar& ABar, HDC DC) const override;
    bool HasRaisedFloatingBorder(const Bar& ABar) const override;
    // Menus cast a shadow; toolbars, floating or not, do not.
    bool BarControlHasShadow(const Bar& ABar) const override;
    HBRUSH GetBkBrush(const Bar& ABar) const override;
    HBRUSH GetToolbarBrush(const Bar& ABar) const override;
    HBRUSH GetCheckedBrush(const Bar& ABar) const override;
    HBRUSH GetDownBrush(const Bar& ABar) const override;
    HBRUSH GetHotBrush(const Bar& ABar) const override;
    int GetComboButtonWidth(const Bar& ABar, HDC DC, int CharWidth) const override;
    TRect GetDockedBarBorderRect(const Bar& ABar) const override;
    void DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                              HBRUSH Brush) const override;
    void DrawCloseButtonBackground(const Bar& ABar, HDC DC, const TRect& R,
                                   int State) const override;
    void DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const override;
    void DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R,
                               HBRUSH Brush) const override;
    void DrawFloatingCaption(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const override;
    void DrawSizeGripArea(const Bar& ABar, HDC DC, const TRect& R) const override;
    void DrawStatusBarBorder(const Bar& ABar, HDC DC, const TRect& R) const override;
    TRect GetMarkRect(const Bar& ABar) const override;
    void InvalidateMark(const Bar& ABar) const override;
    void DrawToolbarBackground(const Bar& ABar, HDC DC, const TRect& R,
                               HBRUSH Brush) const override;
    TSize GetSizeGripSize(const Bar& ABar) const override;
    int GetSizeGripIndent(const Bar& ABar) const override;
    HBRUSH GetQuickControlBrush(const Bar& ABar) const override;
    TColor GetPushButtonColor() const override;
    HBRUSH GetArrowItemBrush() const override;

    // Flat's own operations.
    void FrameSelectedRect(HDC DC, const TRect& R) const override;
    HBRUSH GetBorderBrush() const override;
    void FrameControlRect(const Bar& ABar, HDC DC, const TRect& R) const override;
    // A strip joining a menu that AItem opened continues the toolbar gradient at that side of
    // Button; any other strip is Flat's.
    void FillDropDownPart(const Bar& ABar, HDC DC, const Item* AItem, const TRect& Strip,
                          const TRect& Button) const override;
    HBRUSH GetSeparatorBrush() const override;

    // Office 2003's own: the grip dots in R, in a column when Vertical, else in a row; the
    // border a button adds to the drag-grip offset.
    virtual void DrawDragGripDots(HDC DC, const TRect& R, bool Vertical) const;
    virtual int GetButtonBorderExtra() const;

protected:
    TdxBarItemControlOffice11Painter() = default;
};

} // namespace toolkit::bars
