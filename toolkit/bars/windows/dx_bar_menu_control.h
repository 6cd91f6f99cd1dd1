#pragma once
// The menu window: the pop-up that shows the links of a sub-item (a main-menu entry or a
// cascading entry) as one vertical column of rows. It lays its rows out with begin-group
// separators and the owner's side strip, places itself beside the item that opened it
// (flipping to the other side where the work area runs out, clamped into it), paints through
// the manager's painter and takes the menu keys. One window exists per open menu level: the
// window that opened it is its ParentBarControl, and it is that window's SubMenuControl.
//
// The window frees itself when it closes (HideAndFree); callers that may close it check
// dxBarUnit().BarControlExists before they touch it again.

#include "toolkit/bars/windows/dx_bar_control.h"

#include "platform/core/object.h"

#include <functional>
#include <vector>

namespace toolkit::bars {

class TCustomdxBarContainerItem;
class TCustomdxBarSubItem;
class TdxBarPopupMenu;
class TdxBarSubItemControl;

class TdxBarSubMenuControl : public TCustomdxBarControl {
public:
    // Owned by the manager; made with the owner's links by TdxBarSubItemControl.
    explicit TdxBarSubMenuControl(TdxBarManager* ABarManager);
    ~TdxBarSubMenuControl() override;

    // Where the menu opens: its top-left corner (screen) and the size of the item that opened
    // it (0 for a menu at a point), which the placement flips around.
    int OwnerWidth = 0;
    int OwnerHeight = 0;
    bool AllowHorzFlip = true;
    bool AllowVertFlip = true;
    // The opener asks for an animation (a menu opened by a click); Show keeps it only for the
    // kinds drawn frame by frame. Animation is the kind this opening uses.
    bool Animating = false;
    TdxBarMenuAnimations Animation = maNone;
    // The sub-item control whose menu this is; nil for other menus.
    TdxBarSubItemControl* SubItemControl = nullptr;
    // The window that owns the menu's window (a popup menu's windowed owner control); none: the
    // manager's form.
    platform::core::HWND OwnerWindowHandle{};
    platform::core::TNotifyEvent OnCloseUp;
    platform::core::TNotifyEvent OnPopup;

    // Fires OnPopup, creates the window when needed, places it and shows it without
    // activating it: at once, fading in, or unfolding or sliding frame by frame, by the
    // manager's MenuAnimations.
    void Show();
    // Shows the window where it stands, at once and without activating it.
    void ShowNoActivate();
    // Once only: hides the window and frees it.
    void HideAndFree();
    bool Closing() const { return FClosing; }

    bool IsSubMenuControl() const override { return true; }
    // Also the menu of a popup menu, and that of a sub-item that allows customizing: however it
    // was opened, its links are the user's to select, drag and right-click.
    bool IsItemCustomizingAllowed() const override;
    bool IsFlatBorder() const override { return false; }
    // Not the menu of a sub-item that keeps its menu out of customizing (the customising
    // popup's "Add &Item"): its entries run while the manager customizes.
    bool IsCustomizing() const override;
    // Not while the menu unfolds or slides: the shadow follows the finished menu.
    bool IsShadowVisible() const override;
    // The parent menu's font; a popup menu's own font while it uses one; else the manager's.
    platform::gdi::HFONT GetFontHandle() const override;
    // The base metrics, then the painter's for menus: the row height (a style may grow it),
    // the width of arrow parts, the expand area's height and the glyph cell menu glyphs scale
    // against. A font change computes them again.
    void CalcDrawingConsts() override;
    int ExpandButtonHeight() const { return FExpandButtonHeight; }
    int ReferenceGlyphSize() const { return FReferenceGlyphSize; }
    TRect GetItemRect(const TdxBarItemControl* Control) const override;
    // Nothing takes a drop on the scroll arrows or the expand area.
    TdxBarItemControl* ItemAtPosEx(TPoint ClientPoint, bool& Outside, bool& Vertical,
                                   bool& Before) const override;
    void UpdateControl(TdxBarItemControl* Control) override;
    // The parent menu's font; for a popup menu its Font; else the manager's.
    void UpdateFont() override;
    // The menu's background as its rows' backgrounds are drawn: over the background bitmap
    // when there is one.
    void FillBackground(platform::gdi::HDC DC, const TRect& R) override;
    void HideAll() override;
    void ItemLinksGoing() override;
    void RefreshLayout() override;
    // Container items' entries are spliced in while the controls exist (dx_bar_menu_containers).
    void CreateControls() override;
    void DestroyControls() override;
    // A menu at a point takes the right button as the left; a toolbar's menu does not.
    virtual bool RightButtonActsAsLeft() const;

    TdxBarItemControl* FirstSelectableControl() const { return SelectableControl(0, true); }
    // The popup menu or the sub-item whose links the menu shows; nil for other menus.
    TdxBarPopupMenu* OwnerPopupMenu() const;
    TCustomdxBarSubItem* OwnerSubItem() const;
    // The width of the side strip at the left: the owning popup menu's or sub-item's BarSize.
    int GetBarSize() const;
    // In the quick-customise menu, whose rows show a check column and a glyph column, the width
    // of that second column: the item height as the painter widens a glyph area; 0 elsewhere.
    int GetGlyphAreaWidth() const;
    // The strip in client coordinates (inside the one-pixel border); empty without one.
    TRect GetBarRect() const;
    // A popup menu's own BackgroundBitmap when not empty, else the manager's sub-menu bitmap
    // when not empty; nil when neither.
    platform::forms::TBitmap* GetBackgroundBitmap() const;
    int GetBorderSize() const;
    int GetSeparatorSize() const;
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    int VisibleRowCount() const;
    bool CanScrollUp() const { return FTopIndex > 0; }
    bool CanScrollDown() const;
    // Personalised menus (dx_bar_menu_scroll.cpp): the mode is on for the manager and these
    // links; a collapsed menu hides its rarely used links behind an expand area at the bottom.
    bool RecentItemsMode() const;
    bool HasHiddenLinks() const;
    // The expand area stands where a toolbar has its mark: the menu has one while links hide.
    bool HasMark() const override { return HasHiddenLinks(); }
    // Shows every link at once (Ctrl+Down, a click on the expand area, the expand delay).
    void ExpandMenu();
    void SetMarkState(int Value) override;
    void SetActive(bool Value) override;
    // Client rectangles: the row under each scroll arrow (empty when that way is closed) and
    // the expand area (empty without hidden links).
    TRect ScrollUpArea() const;
    TRect ScrollDownArea() const;
    TRect ExpandArea() const;
    // 1 while the 80 ms scroll timer runs; 2 or 3 while an expand timer runs; else 0.
    int ScrollTimerId() const { return FScrollTimerId; }
    int ExpandTimerId() const { return FExpandTimerId; }
    // The detach strip (dx_bar_menu_detach.cpp): shown above the rows when the sub-item allows
    // detaching; dragging it off makes the menu the sub-item's detaching toolbar, when it has
    // one other than the toolbar that opened the menu.
    bool IsDetachable() const;
    bool CanDetach() const;
    // The strip's height: half the height of the font's "Qq", made odd.
    int GetDetachCaptionSize() const;
    // The strip's rectangle in window coordinates (the non-client area above the rows).
    TRect GetDetachCaptionRect() const;
    bool DetachCaptionSelected() const { return FDetachCaptionSelected; }
    // The strip turns hot (the size-all cursor, the hint "Drag to make this menu float") or
    // cold; not while customizing or while a window holds the mouse.
    void SetDetachCaptionSelected(bool Value);
    // The window size the rows need (the layout measured, borders and strip added).
    platform::gdi::TSize MeasureSize();
    // Places the window at its current top-left corner within the monitor's work area; says
    // whether it flipped.
    void CalcPosition(bool& FlippedHorz, bool& FlippedVert);

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    void FillPaintedBar(TdxBarControlState& State) const override;
    // Enter runs the selection, Esc closes this menu, Left and Right move between menus, a
    // letter selects the next entry it is the accelerator of and runs it when no other has it.
    void WMKeyDown(TMessage& Message) override;
    void WMMouseMove(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    // Restarts the expand delay and scrolls a keyboard selection into view.
    void DoSetSelectedControl(TdxBarItemControl* Control) override;
    virtual void DoCloseUp();
    virtual void DoPopup();

private:
    // The side strip, painted last: a solid strip in design mode, else by the owner.
    void PaintBar(platform::gdi::HDC DC);
    // The frame outside the client area (the detach strip), into a context with the window's
    // top-left corner at its origin.
    void PaintNonClient(platform::gdi::HDC DC);
    // Stores each shown link's rectangle from TopIndex on; measuring returns the widest row
    // and the height the rows take.
    platform::gdi::TSize CalcLayout(bool Measuring);
    bool IsBeginGroupRow(int VisibleIndex) const;
    void Closed();
    // The links' limit: the recent ones while collapsed, all of them once expanded.
    void ApplyRecentItemCount();
    void StartScrollTimer();
    void StopScrollTimer();
    void ScrollTimerTick();
    void StartExpandTimer(int Id, unsigned Interval);
    void StopExpandTimer();
    void ExpandTimerTick(int Id);
    bool CursorIn(const TRect& ClientArea);
    // Keys a collapsed menu answers itself: Ctrl+Down, and Down or Tab past the last link.
    bool ExpandByKey(std::uint16_t Key);
    bool InDetachCaption(TPoint ScreenPoint);
    // A press on the hot strip: the drag that detaches the menu (dx_bar_detach.h).
    void DetachDrag();

    // The container links whose entries the menu spliced in, by index, first to last.
    struct TExpandedContainerLink {
        int Index;
        TCustomdxBarContainerItem* Item;
    };
    std::vector<TExpandedContainerLink> FExpandedContainerLinks;
    bool FContainerLinksExpanded = false;
    bool FExpandingContainers = false;
    bool FClosing = false;
    bool FClosedUp = false;
    int FTopIndex = -1;
    int FFinalLeft = 0;
    int FFinalTop = 0;
    int FScrollTimerId = 0;
    int FExpandTimerId = 0;
    // Rarely used links of an expanded menu are drawn on it (the face, lighter).
    platform::gdi::HBRUSH FRarelyUsedBrush{};
    bool FDetachCaptionSelected = false;
    bool FFlippedHorz = false;
    bool FFlippedVert = false;
    int FExpandButtonHeight = 0;
    int FReferenceGlyphSize = 19;
};

} // namespace toolkit::bars
