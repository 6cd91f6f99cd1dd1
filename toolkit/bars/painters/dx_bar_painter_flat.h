#pragma once
// The Flat painter: bars, menus and item controls without 3-D edges. Frames are one pixel,
// the selection is a highlight frame round a light blended face, menus have a window-coloured
// face. Its colours are system colours and the manager's five flat brushes (border, light
// face, down, down-selected, selected). It is also the base of the Office 2003 painter, which
// runs some of these bodies as Flat: every operation stays public and virtual.

#include "toolkit/bars/painters/dx_bar_painter.h"

namespace toolkit::bars {

class TdxBarItemControlFlatPainter : public TdxBarItemControlPainter {
public:
    static const TdxBarItemControlFlatPainter& Instance();
    const platform::core::TClass& ClassType() const override;

    void DrawGlyphFrame(const Item& AItem, HDC DC, const States& S, const TRect& Cell,
                        bool DrawBackground, HBRUSH Brush) const override;
    // The enabled mark: black, two pixels thick at scale 1.
    void DrawCheckMark(const Item& AItem, HDC DC, int Left, int Top, int Scale,
                       bool Enabled) const override;
    // The bar's background behind the glyph when the window has a bitmap, then the glyph.
    void DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& S,
                        const TdxBarGlyphSource& Source, bool Framed) const override;
    // Inactive caption whatever the active flag.
    TColor GetCaptionColor(bool Active) const override;
    TColor GetMarkArrowColor(const Bar& ABar, int MarkState) const override;
    void DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const override;
    // The Enhanced painter's arrow and bold chevrons, in the glyph colour of the bar's painter.
    void DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const override;
    // The caption text runs from 2 further right up to the mark.
    void GetFloatingCaptionTextLeft(const Bar& ABar, int& TextLeft, TRect& R) const override;
    int GetMarkGlyphColor(const Bar& ABar) const override;
    void AdjustEditTextRect(TRect& R) const override;
    // A menu row: the glyph square, a 2-pixel gap and the caption 8 pixels after it; a
    // highlight frame round a selected row.
    void DrawMenuButton(const Item& AItem, HDC DC, const TRect& R, const States& S) const override;
    void DrawControlBorder(const Item& AItem, HDC DC, TRect& R) const override;
    // Width frames of GetBorderBrush.
    void DrawBorder(HDC DC, TRect& R, int Width, int Style) const override;
    void DrawEditButtonFrame(const Item& AItem, HDC DC, const TRect& R,
                             const States& S) const override;
    void GetComboColors(const Item& AItem, const States& S, int& TextColorIndex,
                        HBRUSH& Brush) const override;
    HBRUSH GetGlyphCellBrush(const Item& AItem, const States& S) const override;
    bool IsHotTrackStyle() const override;
    // A lowered button's frame: one pixel each side.
    int ButtonLoweredBorder(const Item& AItem) const override;
    bool ShowsCaptionBesideGlyph() const override;
    // In a menu window the glyph size + 3.
    int GetSubMenuItemHeight(const Item& AItem) const override;

    int GetDragGripOffset() const override;
    int GetDragGripAreaSize() const override;
    int GetButtonArrowWidth(const TdxBarManager& Manager) const override;
    int GetLargeButtonArrowWidth(const TdxBarManager& Manager) const override;
    int GetMenuSeparatorIndent() const override;

    bool IsFlatBarBorder() const override;
    bool HasRaisedFloatingBorder(const Bar& ABar) const override;
    // Floating bars and menus cast a shadow.
    bool BarControlHasShadow(const Bar& ABar) const override;
    HBRUSH GetBkBrush(const Bar& ABar) const override;
    // Button face for the main menu and a status bar.
    HBRUSH GetToolbarBrush(const Bar& ABar) const override;
    HBRUSH GetCheckedBrush(const Bar& ABar) const override;
    HBRUSH GetDownBrush(const Bar& ABar) const override;
    HBRUSH GetHotBrush(const Bar& ABar) const override;

    int GetEditVertPadding(const Bar& ABar, HDC DC) const override;
    bool HasHotCloseButton() const override;
    bool HasHotMark() const override;
    int GetToolbarSeparatorOffset() const override;
    int GetToolbarSeparatorSize() const override;

    // A one-pixel button-shadow line in the middle of R, the rest the bar's background.
    void DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                              HBRUSH Brush) const override;
    // The state's face and a cross two pixels thick.
    void DrawCloseButton(const Bar& ABar, HDC DC, const TRect& R, int State) const override;
    // A button-face frame with filled corners, and the striped grip of a bar that can dock.
    void DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const override;
    void DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R,
                               HBRUSH Brush) const override;
    void DrawFloatingMark(const Bar& ABar, HDC DC, const TRect& R) const override;
    // 11 pixels at the bar's far end; floating: a square left of the close button.
    TRect CalcMarkRect(const Bar& ABar) const override;
    // State bit 1: under the mouse; bit 2: pressed. The system caption button's symbol on a
    // flat face.
    void DrawMDIButton(const Bar& ABar, int Kind, HDC DC, const TRect& R, int State) const override;

    HBRUSH GetQuickControlBrush(const Bar& ABar) const override;
    int CalcQuickCustItemRect(const Item& AItem, TRect& R) const override;
    void DrawQuickCustItemCheck(const Item& AItem, HDC DC, const TRect& R,
                                const TRect& CheckRect) const override;
    bool IsQuickControlBeside() const override;

    void AdjustGlyphAreaWidth(int& Width) const override;
    void AdjustCaptionAreaWidth(int& Width) const override;
    // The arrow part of a split button; outside menus it has no frame or face of its own while
    // its menu is open (S.DroppedDown).
    void DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& S,
                            bool InMenu) const override;
    bool HasSplitDropDownButton() const override;
    void DrawComboButton(const Item& AItem, HDC DC, bool Pressed, const TRect& R,
                         const States& S) const override;
    void GetComboButtonColors(const Item& AItem, const States& S, int& ArrowColorIndex,
                              HBRUSH& Brush) const override;
    int GetDropDownListBorder() const override;
    void DrawDropDownListBorder(const TdxBarManager* Manager, HDC DC,
                                const TRect& R) const override;

    // 8 on the main menu bar.
    int GetSubItemTextIndent(const Item& AItem) const override;
    int CalcSubItemHeight(const Item& AItem) const override;
    int CalcSubItemWidth(const Item& AItem) const override;
    void DrawSubItem(const Item& AItem, HDC DC, const States& S, bool Highlighted,
                     const TRect& R) const override;
    int GetDetachCaptionHeight() const override;
    int GetSubMenuBorderSize() const override;
    // ItemHeight grows by 1, is measured and handed back: reference 20, the expand-button
    // height and (height / 4) x 3 + 1.
    void CalcSubMenuItemSize(const Bar& AMenu, HDC DC, int& ItemHeight, int& ReferenceGlyphSize,
                             int& ExpandButtonHeight, int& WidthMetric) const override;
    void CalcSubMenuRect(const Bar& AMenu, bool Measuring, int& LowestBottom,
                         TRect& ItemArea) const override;
    // A width of 0 becomes 100, another grows by the side strip + 4; the height by the glyph
    // size (when at most 2 or the expand row is offered), then 3 and the detach strip.
    void CalcSubMenuSize(const Bar& AMenu, TSize& Size) const override;
    int GetDetachCaptionAreaSize(const Bar& AMenu) const override;
    // Scroll areas, the space below the last item and the expand row.
    void DrawSubMenuParts(const Bar& AMenu, HDC DC) const override;
    void DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const override;
    void DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH Brush, const TRect& R) const override;
    // A 33-pixel striped grip on the strip's face.
    void FillDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const override;
    // The group line starts after the glyph column and the separator indent; the glyph band
    // runs on through the separator row.
    void DrawSubMenuSeparator(const Bar& AMenu, HDC DC, const TRect& R,
                              const Item& AItem) const override;
    int GetSubMenuArrowSize(int ItemHeight) const override;
    void AdjustDetachCaptionRect(TRect& R) const override;
    HBRUSH GetSubMenuBrush(const Bar& AMenu) const override;

    void DrawComboListItem(const Item& AItem, platform::gdi::TCanvas& Canvas, int Index,
                           const TRect& R, int InEditor) const override;
    int GetEditCaptionAreaWidth(const Item& AItem, int TextWidth) const override;
    void DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const override;
    // The caption right-aligned in its width + 11, ending 5 pixels before the edit part.
    void DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& S) const override;
    void DrawEditContent(const Item& AItem, HDC DC, const TRect& R) const override;
    unsigned GetEditStyle() const override;
    // The edit's formatting rectangle: its client rectangle shrunk by 2.
    void SetEditMargins(HWND Edit) const override;
    // Tells the edit its text changed before selecting it all.
    void SelectAllEditText(HWND Edit, bool SendChange) const override;

    bool HasFlatCaptionedFrame() const override;
    void DrawPushButton(const Item& AItem, HDC DC, TRect& R, const std::string& Text,
                        bool Pressed) const override;
    // The upper half is one pixel taller and overlaps the lower; a pressed half keeps its
    // arrow in place.
    void DrawSpinButton(const Item& AItem, HDC DC, const TRect& R, int Half, const States& S,
                        int ArrowSize) const override;
    int GetBarItemTextIndent() const override;
    void DrawArrowItem(const Item& AItem, HDC DC, const TRect& R, bool Down,
                       bool Selected) const override;

    // --- Flat's own operations, after the family's table ---
    // The selection frame: the highlight brush, the highlight-text colour on a black
    // high-contrast desktop.
    virtual void FrameSelectedRect(HDC DC, const TRect& R) const;
    virtual HBRUSH GetBorderBrush() const;
    // An open-menu frame round R with the bar window's light face inside.
    virtual void DrawEditButtonBackground(const Bar& ABar, HDC DC, const Bar* OpenMenu,
                                          const TRect& R) const;
    // The frame of a button (AItem, when given) whose menu (OpenMenu) is open: the strip where
    // the menu joins the button, from the menu's coordinates into ABar's, is painted by
    // FillDropDownPart and spared by the frame.
    virtual void DrawOpenMenuButtonFrame(const Bar& ABar, HDC DC, const Bar* OpenMenu,
                                         const Item* AItem, const TRect& R) const;
    // One pixel of the manager's flat border brush.
    virtual void FrameControlRect(const Bar& ABar, HDC DC, const TRect& R) const;
    // The join strip of a menu opened by AItem (none: a menu of the bar window itself) at the
    // side of Button; Flat fills it with the bar window's light brush.
    virtual void FillDropDownPart(const Bar& ABar, HDC DC, const Item* AItem, const TRect& Strip,
                                  const TRect& Button) const;
    virtual HBRUSH GetSeparatorBrush() const;

protected:
    TdxBarItemControlFlatPainter() = default;
};

} // namespace toolkit::bars
