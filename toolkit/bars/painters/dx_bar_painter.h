#pragma once
// The item-control painter base. Every colour, brush, size and drawing step of the bars that
// differs between paint styles is one operation of a painter; bar windows, menu windows, dock
// sites and item controls never draw such a part themselves. A painter is never made by a
// caller: each painter class has one immutable instance (Instance()), a caller holds a
// TdxBarPainterClass (a pointer to it) and calls through it. Painters keep no state, so an
// operation of the base that calls a sister operation gets the style's override of it.
//
// The painters are a floor above the model: the model knows a painter only as the abstract
// painter it implements (TdxBarFramePainter, toolkit/bars/model/dx_bar_frame_painter.h) and finds
// it in the painter class registry (dx_bar_painter_classes.h), where the painters floor puts
// every painter built (dx_bar_painters_floor.cpp).
//
// Running a body as another class: a style that wants an inherited body to call the sister
// operations of a different painter class (the Office 2003 caption drawn by the base body with
// the Flat answers) calls that body, qualified, on the other class's instance:
//     dxBarPainter(TdxBarItemControlFlatPainterClassRef()).TdxBarItemControlPainter::Body(...)
// The qualified name picks the body; the instance picks every call the body makes.
//
// The operations are declared in the order of the family's operation table (slots 1 to 171),
// then the few answers the bar windows need that the table lacks (172 on). Styles override by
// name; Flat and Office 2003 append their own operations in their classes.
//
// The bar windows' names for these operations, and the slot each one is:
//   bar-window name                    slot  painter operation
//   SubMenuIgnoresBackgroundBitmap     172   SubMenuIgnoresBackgroundBitmap
//   BarCaptionColor                     14   GetCaptionColor
//   BarCaptionTextColor                 15   GetCaptionTextColor
//   DrawGlyph                           32   DrawGlyph
//   DrawMenuRowBackground               34   DrawMenuButton
//   DrawItemText                        35   DrawCaption
//   DrawItemFrame                       36   DrawControlBorder
//   GetTextColors                       39   GetComboColors
//   IsFlatButtonLook                    43   IsHotTrackStyle
//   ShowsCheckedAsPressed              173   ShowsCheckedAsPressed
//   ButtonLoweredBorder                174   ButtonLoweredBorder
//   GetSubMenuItemIndent                46   GetSubMenuItemHeight
//   GetCachedBarMetric1                 47   GetDragGripOffset
//   FloatingBarFrameWidth, ...Height    48, 49 GetFloatingBorderWidth, GetFloatingBorderHeight
//   FixedGripSize                      175   FixedGripSize
//   GetDragHandleSize                   51   GetDragGripAreaSize
//   GetArrowPartWidth                   53   GetButtonArrowWidth
//   GetCachedBarMetric3                 55   GetMenuSeparatorIndent
//   DrawDockControlBackground           56   DrawDockControlBackground
//   IsDockControlBackgroundPainted     176   IsDockControlBackgroundPainted
//   BarControlFlatBorder                58   IsFlatBarBorder
//   BarBkColor                          59   GetLightBkBrush
//   DrawBarBackgroundBitmap             60   DrawDockedBarBackground
//   DrawBarBackground                   61   FillBarBackground
//   FillDockControlBackground          177   FillDockControlBackground
//   BarControlHasShadow                178   BarControlHasShadow
//   BarBkBrush, ToolbarBkBrush          64, 65 GetBkBrush, GetToolbarBrush
//   MenuSelectedBrush                   66   GetCheckedBrush
//   SubMenuBkBrush                      67   GetDownBrush
//   SubMenuSelectedBrush                68   GetHotBrush
//   CalcWidthMetric, CalcHeightMetric   69, 71 GetComboButtonWidth, GetEditHeight
//   ToolbarShowsMark                    73   HasHotMark
//   BarBeginGroupSize                   75   GetToolbarSeparatorSize
//   GetSingleBorderMargins,
//   GetToolbarNonClientMargins          78   GetDockedBarBorderRect
//   BarCaptionHeight                    79   GetFloatingCaptionHeight
//   CloseButtonSize                     81   GetSmallCaptionHeight
//   GetCloseButtonGlyphSize             83   GetCloseButtonSize
//   DrawBarSeparator                    84   DrawToolbarSeparator
//   DrawCloseButton                     86   DrawCloseButton
//   DrawDockedBarFrame                  87   DrawBarBorder
//   DrawFloatingBarBorder               88   DrawFloatingBarBorder
//   DrawFloatingBarCaptionArea          89   DrawFloatingCaption
//   DrawMark                            90   DrawFloatingMark
//   FillMarkArea                        91   DrawDockedMark
//   DrawMDIChildButton                  92   DrawMDIButton
//   DrawSizeGrip                        93   DrawSizeGripArea
//   FillStatusBarStrip                  94   DrawStatusBarBorder
//   FloatingBarBorderWidth              95   GetFloatingCaptionIndent
//   GetMarkRect, GetMarkArea            96, 97 GetMarkRect, CalcMarkRect
//   InvalidateMark                      98   InvalidateMark
//   FloatingBarBorderHeight             99   GetFloatingTopMargin
//   FloatingBarExtraHeight             100   GetFloatingBottomMargin
//   CloseButtonHitIsSystem             179   CloseButtonHitIsSystem
//   FloatingBarUsesOwnBorders          102   HasSystemBorder
//   DrawToolbarBackground              103   DrawToolbarBackground
//   GetSizeGripSize                    104   GetSizeGripSize
//   StatusBarStripHeight               105   GetSizeGripIndent
//   QuickControlBkBrush                106   GetQuickControlBrush
//   PrepareQuickCustEntry              107   CalcQuickCustItemRect
//   FinishQuickCustEntry               108   DrawQuickCustItemCheck
//   QuickControlFlat                   109   IsQuickControlBeside
//   GetButtonGlyphHeightMargin         110   GetButtonVertPadding
//   GetButtonGlyphWidthMargin          111   GetButtonHorzPadding
//   AdjustGlyphAreaWidth               112   AdjustGlyphAreaWidth
//   AdjustButtonGlyphWidth             113   AdjustCaptionAreaWidth
//   DrawButtonDropDownArrow            114   DrawDropDownButton
//   RepaintAfterMenuOpened             180   RepaintAfterMenuOpened
//   DrawButtonCaptionArea              181   DrawButtonCaptionArea
//   ComboDropDownButtonWidthExtra      118   GetComboButtonFrame
//   DrawComboDropDownButton            119   DrawComboButton
//   DrawComboDropDownButtonFrame       120   GetComboButtonColors (colours; the frame is 119's)
//   DropDownListBorderSize             121   GetDropDownListBorder
//   DrawDropDownListBorder             122   DrawDropDownListBorder
//   SubItemArrowOffset                 123   GetSubItemTextIndent
//   SubItemHeight, SubItemWidth        124, 125 CalcSubItemHeight, CalcSubItemWidth
//   DrawSubItem                        126   DrawSubItem
//   SubMenuBeginGroupSize              182   SubMenuBeginGroupSize
//   SubMenuBorderSize                  129   GetSubMenuBorderSize
//   GetSubMenuItemMetrics              130   CalcSubMenuItemSize
//   GetSubMenuScrollArea               131   CalcSubMenuRect
//   AdjustSubMenuSize                  132   CalcSubMenuSize
//   DetachCaptionAreaSize              133   GetDetachCaptionAreaSize
//   DrawSubMenuBackground              134   DrawSubMenuParts
//   FillSubMenuBackground              135   DrawSubMenuBackground
//   DrawSubMenuBorder                  136   DrawDetachCaption (outer edge, detach strip frame)
//   DrawSubMenuNonClient               137   DrawSubMenuBorder
//   DrawDetachCaption                  138   FillDetachCaption
//   DrawSubMenuSeparator               139   DrawSubMenuSeparator
//   DrawSubMenuSeparatorLine           183   DrawSubMenuSeparatorLine
//   SeparatorIncreasesGap              184   SeparatorIncreasesGap
//   SubMenuArrowSize                   142   GetSubMenuArrowSize
//   SubMenuItemAreaIndent              185   SubMenuItemAreaIndent
//   DetachCaptionMargins               144   AdjustDetachCaptionRect
//   DrawSubMenuItemBackground          145   GetSubMenuItemBrush
//   SubMenuScrollButtonHeight          186   SubMenuScrollButtonHeight
//   DrawEditText, DrawComboItem        147, 148 DrawEditItemText, DrawComboListItem
//   EditCaptionAreaWidth               149   GetEditCaptionAreaWidth
//   DrawEditFrame, DrawEditCaption     150, 151 DrawEditBorder, DrawEditCaption
//   DrawEditValue                      152   DrawEditContent
//   EditWindowStyle                    153   GetEditStyle
//   AdjustEditWindowRect               154   SetEditMargins
//   SelectEditText                     155   SelectAllEditText
// Where the two readings of a slot disagree on pixels the painter's answer stands; the bar
// windows' readings decide layout.

#include "toolkit/bars/model/dx_bar_frame_painter.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_painter_state.h"

#include "platform/core/class_reference.h"
#include "platform/core/object.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"

#include <cstdint>
#include <string>

namespace toolkit::bars {

// The windows a painter draws for (see dx_bar_painter_state.h).
using TdxBarPaintedBar = TdxBarControlState;
using TdxBarPaintedDock = TdxDockControlState;
using TdxBarPaintedItem = TdxBarItemControlState;

// Where an item is drawn: 0 a horizontal toolbar, 1 a menu window, 2 a vertical toolbar.
enum TdxBarPaintType : std::uint8_t { ptHorz, ptMenu, ptVert };

// The state words every painter reads. Selected: the control is its bar window's selected
// control (under the mouse or reached by keyboard). Pressed: being pressed (never through a
// check button's own state). Down: the button's Down (a checked button; the flat styles also
// report it for a drop-down button whose menu is open).
struct TdxBarGlyphParams;

struct TdxBarItemStates {
    bool Selected = false;
    bool Pressed = false;
    bool Down = false;
    bool Enabled = true;
    TdxBarPaintType PaintType = ptHorz;
    // A split (drop-down) button; a control that opens a menu; a plain menu selection.
    bool SplitButton = false;
    bool OpensMenu = false;
    bool PlainMenuSelection = false;
    // The drop-down part's menu is shown.
    bool DroppedDown = false;
};

// An item's image: a bitmap when it has pixels, else ImageIndex of Images.
struct TdxBarGlyphSource {
    platform::forms::TBitmap* Glyph = nullptr;
    const platform::forms::TImageList* Images = nullptr;
    int ImageIndex = -1;
    // The image comes from a list of disabled images: it is drawn as it stands, not greyed.
    bool DisabledImage = false;
    // Where the glyph goes, scaled and offset by DrawGlyph; empty: its own size centred in the
    // cell.
    platform::gdi::TRect GlyphRect{};
};

class TdxBarItemControlPainter : public TdxBarFramePainter {
public:
    using TRect = platform::gdi::TRect;
    using TSize = platform::gdi::TSize;
    using TColor = platform::gdi::TColor;
    using HDC = platform::gdi::HDC;
    using HBRUSH = platform::gdi::HBRUSH;
    using HWND = platform::core::HWND;
    using Bar = TdxBarPaintedBar;
    using Dock = TdxBarPaintedDock;
    using Item = TdxBarPaintedItem;
    using States = TdxBarItemStates;

    // No colour at all.
    static constexpr TColor clNoColor = static_cast<TColor>(0x1FFFFFFF);

    static const TdxBarItemControlPainter& Instance();
    virtual ~TdxBarItemControlPainter() = default;
    TdxBarItemControlPainter(const TdxBarItemControlPainter&) = delete;
    TdxBarItemControlPainter& operator=(const TdxBarItemControlPainter&) = delete;

    // The painter class this instance stands for.
    const platform::core::TClass& ClassType() const override;

    // --- Glyph, check mark and arrows (1-13) ---
    // 1. Frame of a glyph cell by state (base nothing).
    virtual void DrawGlyphFrame(const Item& AItem, HDC DC, const States& S, const TRect& Cell,
                                bool DrawBackground, HBRUSH Brush) const;
    // 2. The 9 x 7 check mark of AItem at scale, in its enabled or disabled look (base nothing).
    virtual void DrawCheckMark(const Item& AItem, HDC DC, int Left, int Top, int Scale,
                               bool Enabled) const;
    // 3. A glyph cell without image: background, then a checked check-style item's mark.
    virtual void DrawCheckCell(const Item& AItem, HDC DC, const TRect& R, const States& S,
                               HBRUSH Brush, bool Framed) const;
    // 4. A glyph cell's image through DrawBarItemGlyph, in every style at the place DrawGlyph
    // gave in Source.
    virtual void DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& S,
                                const TdxBarGlyphSource& Source, bool Framed) const;
    // 5. DrawArrowInRect.
    virtual void DrawItemArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected,
                                     bool Flat) const;
    // 6. DrawArrow of Size centred in R.
    virtual void DrawItemArrow(HDC DC, const TRect& R, int Size, bool Down, bool Enabled,
                               bool Selected, bool Flat) const;
    // 7. Edit text and background colours.
    virtual void GetEditColors(const Item& AItem, TColor& TextColor, TColor& BkColor) const;
    // 8. The colour disabled images fade toward; clNoColor without MakeDisabledImagesFaded.
    virtual TColor GetFadedImageColor(const Bar& ABar) const;
    // 9. Caption colours: the emboss colour (drawn first, one pixel right and down, when it
    // differs) and the text colour.
    virtual void GetTextColors(const Item& AItem, bool Enabled, bool Selected, bool Highlight,
                               TColor& EmbossColor, TColor& TextColor) const;
    // 10.
    virtual bool IsGlyphBackgroundTransparent(const Item& AItem, const TRect& R) const;
    // 11. False: the menu switches to its non-recent brush itself.
    virtual bool HandlesNonRecentItems() const;
    // 12.
    virtual bool IsMainMenuItem(const Item& AItem) const;
    // 13. Height at most 16.
    virtual bool IsSmallMark(const Bar& ABar, const TRect& MarkRect) const;

    // --- Floating caption colours, size grip, mark (14-23) ---
    // 14. Inactive / active caption system colour.
    virtual TColor GetCaptionColor(bool Active) const;
    // 15. Caption text system colour.
    virtual TColor GetCaptionTextColor() const;
    // 16. The floating mark's arrow colour by mark state.
    virtual TColor GetMarkArrowColor(const Bar& ABar, int MarkState) const;
    // 17. Bar background, then the system size grip over it.
    virtual void DrawSizeGrip(const Bar& ABar, HDC DC, const TRect& R) const;
    // 18. The floating mark's 7 x 4 arrow.
    virtual void DrawMarkArrow(const Bar& ABar, HDC DC, const TRect& R) const;
    // 19. One chevron of the docked mark (base nothing).
    virtual void DrawMarkChevron(const Bar& ABar, HDC DC, int Offset, const TRect& R) const;
    // 20. The docked mark's face (base nothing).
    virtual void DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const;
    // 21. The docked mark's double chevron while links are cut off.
    virtual void DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const;
    // 22. Caption text start beside the mark: the mark window rectangle's right + 3.
    virtual void GetFloatingCaptionTextLeft(const Bar& ABar, int& TextLeft, TRect& R) const;
    // 23. System colour index of the docked mark's glyphs.
    virtual int GetMarkGlyphColor(const Bar& ABar) const;

    // --- Drop-down arrows, menu arrows, edit text (24-28) ---
    // 24. A downward triangle Width wide.
    virtual void DrawDropDownArrow(HDC DC, int SysColorIndex, int Width, int Top, int Left) const;
    // 25. A menu's scroll arrow.
    virtual void DrawSubMenuScrollArrow(const Bar& ABar, HDC DC, bool Up, const TRect& R) const;
    // 26. The expand chevron of a menu.
    virtual void DrawSubMenuChevron(const Bar& ABar, HDC DC, bool Selected, const TRect& R) const;
    // 27. (base nothing)
    virtual void AdjustEditTextRect(TRect& R) const;
    // 28. Text centred in R in button text.
    virtual void DrawButtonText(HDC DC, const std::string& Text, const TRect& R,
                                bool Transparent) const;

    // --- Item backgrounds, glyph cell, captions (29-46) ---
    // 29. Opaque: a fill; else the bar window's own background.
    virtual void DrawBackground(const Item& AItem, HDC DC, const TRect& R, HBRUSH Brush,
                                bool Opaque) const;
    // 30. As 29, the one-pixel rim only.
    virtual void DrawBackgroundFrame(const Item& AItem, HDC DC, const TRect& R, HBRUSH Brush,
                                     bool Opaque) const;
    // 31. A fill with the button-shadow brush.
    virtual void DrawEtchedLine(HDC DC, const TRect& R) const;
    // 32. The glyph of a button-like item, on the bar window's canvas.
    virtual void DrawGlyph(const Item& AItem, const TRect& R, const States& S,
                           const TRect* GlyphRect = nullptr, bool ForceGlyph = false) const;
    // 33. Frame, image or check cell of a glyph cell, on the bar window's canvas.
    virtual void DrawGlyphCell(const Item& AItem, const TRect& Cell, const States& S,
                               const TdxBarGlyphSource& Source, bool NoImage,
                               bool ForceGlyphSize) const;
    // 34. A menu row's background (base nothing).
    virtual void DrawMenuButton(const Item& AItem, HDC DC, const TRect& R, const States& S) const;
    // 35. A caption, embossed when disabled; Alignment 0 left, 1 centre, 2 right; a vertical
    // caption is drawn with a turned font by the caller.
    virtual void DrawCaption(const Item& AItem, HDC DC, const TRect& R, const std::string& Text,
                             bool Selected, bool Enabled, bool Highlight, bool Clip, bool Vertical,
                             int Alignment) const;
    // 36. Outer frame of a control part; shrinks R (base nothing).
    virtual void DrawControlBorder(const Item& AItem, HDC DC, TRect& R) const;
    // 37. Style 0 none, 1 sunken-outer, 2 raised-inner, 3 etched, 4 raised-inner then
    // sunken-outer; shrinks R.
    virtual void DrawBorder(HDC DC, TRect& R, int Width, int Style) const;
    // 38. (base nothing)
    virtual void DrawEditButtonFrame(const Item& AItem, HDC DC, const TRect& R,
                                     const States& S) const;
    // 39. Button text and the bar window's current background brush.
    virtual void GetComboColors(const Item& AItem, const States& S, int& TextColorIndex,
                                HBRUSH& Brush) const;
    // 40. The bar window's current background brush.
    virtual HBRUSH GetGlyphCellBrush(const Item& AItem, const States& S) const;
    // 41, 42. Glyph offsets of a Down and a Pressed control (base 0).
    virtual int GetDownGlyphOffset(const Item& AItem) const;
    virtual int GetPressedGlyphOffset(const Item& AItem, bool Down) const;
    // 43-45.
    virtual bool IsHotTrackStyle() const;
    virtual bool CanHotTrackDisabled() const;
    virtual bool ShowsCaptionBesideGlyph() const;
    // 46. In a menu window its row height + 1, elsewhere 0.
    virtual int GetSubMenuItemHeight(const Item& AItem) const;

    // --- Toolbar metrics (47-55); the manager caches 47, 51, 53 and 55 ---
    virtual int GetDragGripOffset() const;
    int GetFloatingBorderWidth() const override;
    int GetFloatingBorderHeight() const override;
    virtual int GetFloatingBorderOffset() const;
    int GetDragGripAreaSize() const override;
    virtual int GetDragGripBarSize() const;
    // 53. ButtonArrowWidth (twice with LargeIcons), made odd.
    virtual int GetButtonArrowWidth(const TdxBarManager& Manager) const;
    virtual int GetLargeButtonArrowWidth(const TdxBarManager& Manager) const;
    virtual int GetMenuSeparatorIndent() const;

    // --- Bar window backgrounds and brushes (56-68) ---
    // 56. The dock site's background where no bitmap covers it.
    virtual void DrawDockControlBackground(const Dock& ADock, HDC DC, const TRect& R,
                                           HBRUSH Brush) const;
    virtual bool DrawsGlyphFrameFirst() const;
    virtual bool IsFlatBarBorder() const;
    // 59. The manager's light background brush.
    virtual HBRUSH GetLightBkBrush(const TdxBarManager& Manager) const;
    // 60. A docked bar continues its dock site's background.
    virtual void DrawDockedBarBackground(const Bar& ABar, HDC DC, const TRect& R) const;
    // 61. The manager's bar bitmap tiled, else the brush.
    virtual void FillBarBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const;
    // 62. The owner-join strip in GetLightBkBrush.
    virtual void DrawOwnerJoin(const Bar& ABar, HDC DC) const;
    virtual bool HasRaisedFloatingBorder(const Bar& ABar) const;
    virtual HBRUSH GetBkBrush(const Bar& ABar) const;
    virtual HBRUSH GetToolbarBrush(const Bar& ABar) const;
    // 66. The checker brush of the bar unit.
    virtual HBRUSH GetCheckedBrush(const Bar& ABar) const;
    virtual HBRUSH GetDownBrush(const Bar& ABar) const;
    virtual HBRUSH GetHotBrush(const Bar& ABar) const;

    // --- Edit and combo metrics, hot parts, toolbar separators (69-75) ---
    virtual int GetComboButtonWidth(const Bar& ABar, HDC DC, int CharWidth) const;
    virtual int GetEditVertPadding(const Bar& ABar, HDC DC) const;
    virtual int GetEditHeight(const Bar& ABar, HDC DC, int CharHeight) const;
    virtual bool HasHotCloseButton() const;
    virtual bool HasHotMark() const;
    virtual int GetToolbarSeparatorOffset() const;
    virtual int GetToolbarSeparatorSize() const;

    // --- Floating bars, docked borders, caption, close button, mark (76-102) ---
    virtual TRect GetFloatingBorderRect() const;
    virtual int GetFloatingBorderUnit() const;
    // 78. Margins (2, 2, 2, 2).
    TRect GetDockedBarBorderRect(const Bar& ABar) const override;
    int GetFloatingCaptionHeight() const override;
    // 80. The caption strip of ABar, floating.
    virtual void DrawFloatingCaptionBackground(const Bar& ABar, HDC DC, const TRect& R,
                                               HBRUSH Brush) const;
    virtual int GetSmallCaptionHeight() const;
    virtual bool HasThemedCaption() const;
    virtual TSize GetCloseButtonSize() const;
    // 84. A 2-pixel etched line GetToolbarSeparatorOffset into R; Across: lying across a
    // vertical toolbar.
    virtual void DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                                      HBRUSH Brush) const;
    // 85. State 0 normal, 1 hot, 2 pressed.
    virtual void DrawCloseButtonBackground(const Bar& ABar, HDC DC, const TRect& R,
                                           int State) const;
    virtual void DrawCloseButton(const Bar& ABar, HDC DC, const TRect& R, int State) const;
    virtual void DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const;
    virtual void DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const;
    // 89. Caption strip, close button, text and mark of a floating toolbar.
    virtual void DrawFloatingCaption(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const;
    // The width of a caption strip that shows ABar's caption whole beside its close button and
    // mark: an empty floating bar is that wide.
    int GetFloatingCaptionWidth(const Bar& ABar) const;
    virtual void DrawFloatingMark(const Bar& ABar, HDC DC, const TRect& R) const;
    virtual void DrawDockedMark(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const;
    // 92. Kind 0 minimise, 1 restore, 2 close (base nothing).
    virtual void DrawMDIButton(const Bar& ABar, int Kind, HDC DC, const TRect& R, int State) const;
    virtual void DrawSizeGripArea(const Bar& ABar, HDC DC, const TRect& R) const;
    virtual void DrawStatusBarBorder(const Bar& ABar, HDC DC, const TRect& R) const;
    int GetFloatingCaptionIndent() const override;
    virtual TRect GetMarkRect(const Bar& ABar) const;
    virtual TRect CalcMarkRect(const Bar& ABar) const;
    virtual void InvalidateMark(const Bar& ABar) const;
    int GetFloatingTopMargin() const override;
    int GetFloatingBottomMargin() const override;
    virtual bool HasNCHitTestBorder() const;
    virtual bool HasSystemBorder() const;

    // --- Toolbar background and size grip (103-105) ---
    virtual void DrawToolbarBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const;
    // 104, 105. Of ABar's size grip.
    TSize GetSizeGripSize(const Bar& ABar) const override;
    int GetSizeGripIndent(const Bar& ABar) const override;

    // --- Quick-customise popup (106-109) ---
    virtual HBRUSH GetQuickControlBrush(const Bar& ABar) const;
    // 107. R becomes the square at its left end; returns its right edge.
    virtual int CalcQuickCustItemRect(const Item& AItem, TRect& R) const;
    virtual void DrawQuickCustItemCheck(const Item& AItem, HDC DC, const TRect& R,
                                        const TRect& CheckRect) const;
    virtual bool IsQuickControlBeside() const;

    // --- Button metrics, drop-down buttons, combos (110-122) ---
    virtual int GetButtonVertPadding() const;
    virtual int GetButtonHorzPadding() const;
    virtual void AdjustGlyphAreaWidth(int& Width) const;
    virtual void AdjustCaptionAreaWidth(int& Width) const;
    // 114. The arrow part of a drop-down button (base nothing).
    virtual void DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& S,
                                    bool InMenu) const;
    virtual bool HasSplitDropDownButton() const;
    virtual void OffsetPressedCaption(const Item& AItem, bool Pressed, TRect& R) const;
    virtual void OffsetPressedRect(const Item& AItem, bool Pressed, TRect& R) const;
    virtual int GetComboButtonFrame() const;
    virtual void DrawComboButton(const Item& AItem, HDC DC, bool Pressed, const TRect& R,
                                 const States& S) const;
    // 120. GetComboColors.
    virtual void GetComboButtonColors(const Item& AItem, const States& S, int& ArrowColorIndex,
                                      HBRUSH& Brush) const;
    int GetDropDownListBorder() const override;
    void DrawDropDownListBorder(const TdxBarManager* Manager, HDC DC,
                                const TRect& R) const override;

    // --- Sub-items and menu windows (123-146) ---
    // 123. Half the bar font's pixel height.
    virtual int GetSubItemTextIndent(const Item& AItem) const;
    virtual int CalcSubItemHeight(const Item& AItem) const;
    virtual int CalcSubItemWidth(const Item& AItem) const;
    // 126. S.PaintType is the placement.
    virtual void DrawSubItem(const Item& AItem, HDC DC, const States& S, bool Highlighted,
                             const TRect& R) const;
    virtual int GetMenuShadowSize() const;
    virtual int GetDetachCaptionHeight() const;
    virtual int GetSubMenuBorderSize() const;
    // 130. From the item height: reference glyph size 19, the expand-button height and the
    // width of arrow parts in menus. A style may grow ItemHeight; the menu takes it back.
    virtual void CalcSubMenuItemSize(const Bar& AMenu, HDC DC, int& ItemHeight,
                                     int& ReferenceGlyphSize, int& ExpandButtonHeight,
                                     int& WidthMetric) const;
    // 131. The item area and the lowest bottom of rows; measuring: unlimited.
    virtual void CalcSubMenuRect(const Bar& AMenu, bool Measuring, int& LowestBottom,
                                 TRect& ItemArea) const;
    // 132. Measured extent to window size; a width of 0 becomes 100.
    virtual void CalcSubMenuSize(const Bar& AMenu, TSize& Size) const;
    virtual int GetDetachCaptionAreaSize(const Bar& AMenu) const;
    virtual void DrawSubMenuParts(const Bar& AMenu, HDC DC) const;
    virtual void DrawSubMenuBackground(const Bar& AMenu, HDC DC, const TRect& R,
                                       HBRUSH Brush) const;
    virtual void DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const;
    virtual void DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH Brush, const TRect& R) const;
    virtual void FillDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const;
    virtual void DrawSubMenuSeparator(const Bar& AMenu, HDC DC, const TRect& R,
                                      const Item& AItem) const;
    virtual void DrawNonRecentBand(const Bar& AMenu, HDC DC, int ItemIndex, const TRect& R) const;
    virtual bool HasSubMenuSideBar() const;
    // 142. (ItemHeight - 6) / 2.
    virtual int GetSubMenuArrowSize(int ItemHeight) const;
    virtual int GetSubMenuSeparatorHeight(const Bar& AMenu) const;
    virtual void AdjustDetachCaptionRect(TRect& R) const;
    virtual void GetSubMenuItemBrush(const Bar& AMenu, HBRUSH& Brush) const;
    // 146. The small value 16: button face.
    virtual HBRUSH GetSubMenuBrush(const Bar& AMenu) const;

    // --- Edits and combo lists (147-155) ---
    // 147. Text is the current text when Index is the item's current index.
    void DrawEditItemText(const Item& AItem, platform::gdi::TCanvas& Canvas, const TRect& R,
                          int Index, const std::string& Text) const override;
    // 148. InEditor: drawn into the combo's editor area rather than its list.
    void DrawComboListItem(const Item& AItem, platform::gdi::TCanvas& Canvas, int Index,
                           const TRect& R, int InEditor) const override;
    virtual int GetEditCaptionAreaWidth(const Item& AItem, int TextWidth) const;
    virtual void DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const;
    // 151. Moves R.Left past the caption.
    virtual void DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& S) const;
    virtual void DrawEditContent(const Item& AItem, HDC DC, const TRect& R) const;
    virtual unsigned GetEditStyle() const;
    virtual void SetEditMargins(HWND Edit) const;
    // 155. SendChange: the edit's owner first hears that its text changed.
    virtual void SelectAllEditText(HWND Edit, bool SendChange) const;

    // --- Further item kinds (156-171) ---
    virtual void DrawEllipsisButton(const Item& AItem, HDC DC, TRect& R, const States& S) const;
    // 157. CaptionOnTop tells where the caption strip goes.
    virtual void CalcCaptionedClientRect(const TRect& Window, bool CaptionOnTop,
                                         TRect& Client) const;
    virtual void DrawCaptionedFrame(HDC DC, const TRect& R, const std::string& Caption,
                                    bool CaptionOnTop) const;
    virtual int GetCaptionedFrameCaptionSize() const;
    virtual bool HasFlatCaptionedFrame() const;
    // 161. The check box of AItem.
    virtual void DrawPushButton(const Item& AItem, HDC DC, TRect& R, const std::string& Text,
                                bool Pressed) const;
    virtual TColor GetPushButtonColor() const;
    // 163. Half 1 the upper, else the lower.
    virtual void DrawSpinButton(const Item& AItem, HDC DC, const TRect& R, int Half,
                                const States& S, int ArrowSize) const;
    virtual void DrawSpinButtonsBorder(const Item& AItem, HDC DC, TRect& R) const;
    virtual TColor GetProgressBarColor() const;
    virtual int GetProgressBarHeight() const;
    virtual void DrawProgressBar(const Item& AItem, HDC DC, const TRect& R, int Min, int Max,
                                 int Position, bool Vertical, bool Solid, TColor Color) const;
    virtual int GetMenuItemTextIndent(const Item& AItem) const;
    virtual int GetBarItemTextIndent() const;
    virtual HBRUSH GetArrowItemBrush() const;
    // 171. Down: the arrow points down, else right.
    virtual void DrawArrowItem(const Item& AItem, HDC DC, const TRect& R, bool Down,
                               bool Selected) const;

    // --- Answers the bar windows need beyond the table (172 on) ---
    // 172. True: a menu row always gets the painter's row background, never the bitmap.
    virtual bool SubMenuIgnoresBackgroundBitmap() const;
    // 173. A checked button is drawn sunken.
    virtual bool ShowsCheckedAsPressed() const;
    // 174. Border added on both sides of a Lowered button.
    virtual int ButtonLoweredBorder(const Item& AItem) const;
    // 175. Drag-handle length of a docked toolbar that cannot move.
    int FixedGripSize() const override;
    // 176. True: a dock site counts as having a background (its bars paint double-buffered).
    virtual bool IsDockControlBackgroundPainted() const;
    // 177. The window's empty part in GetBkBrush.
    virtual void FillDockControlBackground(const Bar& ABar, HDC DC, const TRect& R) const;
    // 178. Whether the window casts a shadow.
    virtual bool BarControlHasShadow(const Bar& ABar) const;
    // 179. True: the close button answers the system as HTCLOSE.
    virtual bool CloseButtonHitIsSystem() const;
    // 180. A sub-item or drop-down button repaints after its menu was shown.
    virtual bool RepaintAfterMenuOpened() const;
    // 181. Places and paints the caption area of a button in a menu (base nothing).
    virtual void DrawButtonCaptionArea(const Item& AItem, HDC DC, const TRect& R) const;
    // 182. Height of a begin-group separator in a menu.
    virtual int SubMenuBeginGroupSize() const;
    // 183. The separator line itself: an etched line along R's top; nothing for an empty R.
    virtual void DrawSubMenuSeparatorLine(HDC DC, const TRect& R) const;
    // 184. The first row of a rarely-used block gets one more pixel above it.
    virtual bool SeparatorIncreasesGap() const;
    // 185. Inset of a menu's item area inside its border.
    virtual int SubMenuItemAreaIndent(const Bar& AMenu) const;
    // 186. Height of a menu's scroll areas.
    virtual int SubMenuScrollButtonHeight() const;

protected:
    TdxBarItemControlPainter() = default;

    // What DrawEditContent has the edit item draw in R, with the canvas's colours and font: an
    // edit's text or a combo's current entry, as the item draws its editor area; anything else
    // draws AItem's Text.
    void DrawItemEditorArea(const Item& AItem, platform::gdi::TCanvas& Canvas,
                            const TRect& R) const;

    // What every style's DrawGlyphImage hands DrawBarItemGlyph: Source's image in the place
    // DrawGlyph gave it (scaled, offset when down or pressed), or at its own size centred in
    // Cell when it gave none; the glyph-cell brush, the states (down also when checked), this
    // painter's fade colour for the bar and the manager's image-list background. The styles
    // apply their differences to the result.
    TdxBarGlyphParams GlyphParams(const Item& AItem, const TRect& Cell, const States& S,
                                  const TdxBarGlyphSource& Source, bool CopyBackground) const;
};

} // namespace toolkit::bars
