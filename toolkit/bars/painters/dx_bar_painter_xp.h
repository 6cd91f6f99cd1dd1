#pragma once
// The painter of the XP style: bars, menus and item controls drawn with the visual-style parts
// of the ToolBar, Rebar, Window, Status, Edit, ComboBox, Spin and Progress classes. The manager
// picks it only while every theme class it needs opens; without them the style draws as
// Enhanced. Where the look has no theme part (check marks, mark glyphs and rectangle, floating
// borders, drop-down lists, edit margins, combo lists) it asks the Flat painter, through the
// registry, so that the Flat class's own answers draw. A theme part that does not open draws
// nothing and a part size that cannot be read keeps the base answer; the dock, toolbar and
// progress bar backgrounds then draw as the base painter's.
//
// DrawMDIButton's State is the Standard painter's: 0 normal, 1 selected, 2 selected and
// pressed, 3 not allowed by the MDI child.

#include "toolkit/bars/painters/dx_bar_painter.h"

namespace toolkit::bars {

class TdxBarItemControlXPPainter : public TdxBarItemControlPainter {
public:
    static const TdxBarItemControlXPPainter& Instance();
    const platform::core::TClass& ClassType() const override;

    void DrawGlyphFrame(const Item& AItem, HDC DC, const States& S, const TRect& Cell,
                        bool DrawBackground, HBRUSH Brush) const override;
    void DrawCheckMark(const Item& AItem, HDC DC, int Left, int Top, int Scale,
                       bool Enabled) const override;
    // The image over what the glyph frame drew, without a fill of its own.
    void DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& S,
                        const TdxBarGlyphSource& Source, bool Framed) const override;
    TColor GetFadedImageColor(const Bar& ABar) const override;
    // A sub-item on the main menu bar.
    bool IsMainMenuItem(const Item& AItem) const override;
    void DrawSizeGrip(const Bar& ABar, HDC DC, const TRect& R) const override;
    void DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const override;
    void DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const override;
    void AdjustEditTextRect(TRect& R) const override;
    void DrawMenuButton(const Item& AItem, HDC DC, const TRect& R, const States& S) const override;
    void DrawControlBorder(const Item& AItem, HDC DC, TRect& R) const override;
    HBRUSH GetGlyphCellBrush(const Item& AItem, const States& S) const override;
    int GetDownGlyphOffset(const Item& AItem) const override;
    // A Down control moves once, not twice, while pressed.
    int GetPressedGlyphOffset(const Item& AItem, bool Down) const override;
    int GetDragGripOffset() const override;
    int GetDragGripAreaSize() const override;
    int GetDragGripBarSize() const override;
    int GetButtonArrowWidth(const TdxBarManager& Manager) const override;
    int GetLargeButtonArrowWidth(const TdxBarManager& Manager) const override;
    void DrawDockControlBackground(const Dock& ADock, HDC DC, const TRect& R,
                                   HBRUSH Brush) const override;
    bool DrawsGlyphFrameFirst() const override;
    bool HasRaisedFloatingBorder(const Bar& ABar) const override;
    // Floating bars and menus cast a shadow.
    bool BarControlHasShadow(const Bar& ABar) const override;
    // The window theme's fill colour; button face while the class does not open.
    HBRUSH GetBkBrush(const Bar& ABar) const override;
    int GetComboButtonWidth(const Bar& ABar, HDC DC, int CharWidth) const override;
    int GetEditVertPadding(const Bar& ABar, HDC DC) const override;
    bool HasHotCloseButton() const override;
    bool HasHotMark() const override;
    int GetToolbarSeparatorOffset() const override;
    int GetToolbarSeparatorSize() const override;
    int GetFloatingBorderUnit() const override;
    // In the active-caption colour while the manager's form is active (the bar's own flag
    // without a manager), else the inactive one.
    void DrawFloatingCaptionBackground(const Bar& ABar, HDC DC, const TRect& R,
                                       HBRUSH Brush) const override;
    bool HasThemedCaption() const override;
    TSize GetCloseButtonSize() const override;
    void DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                              HBRUSH Brush) const override;
    void DrawCloseButton(const Bar& ABar, HDC DC, const TRect& R, int State) const override;
    void DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const override;
    void DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R,
                               HBRUSH Brush) const override;
    TSize GetSizeGripSize(const Bar& ABar) const override;
    void DrawMDIButton(const Bar& ABar, int Kind, HDC DC, const TRect& R, int State) const override;
    TRect CalcMarkRect(const Bar& ABar) const override;
    void DrawToolbarBackground(const Bar& ABar, HDC DC, const TRect& R,
                               HBRUSH Brush) const override;
    bool IsQuickControlBeside() const override;
    int GetButtonVertPadding() const override;
    int GetButtonHorzPadding() const override;
    void AdjustGlyphAreaWidth(int& Width) const override;
    void DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& S,
                            bool InMenu) const override;
    void OffsetPressedCaption(const Item& AItem, bool Pressed, TRect& R) const override;
    void OffsetPressedRect(const Item& AItem, bool Pressed, TRect& R) const override;
    int GetComboButtonFrame() const override;
    void DrawComboButton(const Item& AItem, HDC DC, bool Selected, const TRect& R,
                         const States& S) const override;
    int GetDropDownListBorder() const override;
    void DrawDropDownListBorder(const TdxBarManager* Manager, HDC DC,
                                const TRect& R) const override;
    int GetMenuShadowSize() const override;
    int GetDetachCaptionHeight() const override;
    int GetSubMenuBorderSize() const override;
    void CalcSubMenuRect(const Bar& AMenu, bool Measuring, int& LowestBottom,
                         TRect& ItemArea) const override;
    void CalcSubMenuSize(const Bar& AMenu, TSize& Size) const override;
    int GetDetachCaptionAreaSize(const Bar& AMenu) const override;
    void DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const override;
    void DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH Brush, const TRect& R) const override;
    void DrawSubMenuSeparator(const Bar& AMenu, HDC DC, const TRect& R,
                              const Item& AItem) const override;
    void AdjustDetachCaptionRect(TRect& R) const override;
    void GetSubMenuItemBrush(const Bar& AMenu, HBRUSH& Brush) const override;
    // The small value of the menu colour's brush.
    HBRUSH GetSubMenuBrush(const Bar& AMenu) const override;
    void DrawComboListItem(const Item& AItem, platform::gdi::TCanvas& Canvas, int Index,
                           const TRect& R, int InEditor) const override;
    int GetEditCaptionAreaWidth(const Item& AItem, int TextWidth) const override;
    void DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const override;
    void DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& S) const override;
    // The Edit theme's colours, the base answers where it gives none.
    void DrawEditContent(const Item& AItem, HDC DC, const TRect& R) const override;
    unsigned GetEditStyle() const override;
    void SetEditMargins(HWND Edit) const override;
    void SelectAllEditText(HWND Edit, bool SendChange) const override;
    // Three dots of a seventh of the width over the bar window's background.
    void DrawEllipsisButton(const Item& AItem, HDC DC, TRect& R, const States& S) const override;
    bool HasFlatCaptionedFrame() const override;
    void DrawPushButton(const Item& AItem, HDC DC, TRect& R, const std::string& Text,
                        bool Pressed) const override;
    void DrawSpinButton(const Item& AItem, HDC DC, const TRect& R, int Half, const States& S,
                        int ArrowSize) const override;
    void DrawSpinButtonsBorder(const Item& AItem, HDC DC, TRect& R) const override;
    TColor GetProgressBarColor() const override;
    int GetProgressBarHeight() const override;
    void DrawProgressBar(const Item& AItem, HDC DC, const TRect& R, int Min, int Max, int Position,
                         bool Vertical, bool Solid, TColor Color) const override;

protected:
    TdxBarItemControlXPPainter() = default;
};

} // namespace toolkit::bars
