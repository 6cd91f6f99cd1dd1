#pragma once
// The bar window base: every window that shows a list of item links (the toolbar, docked or
// floating, and the menu window) is one. It creates one item control per shown link, keeps
// the selection among them, takes the mouse and keys for them and paints its background
// through its manager's painter. Placing the item controls is the descendants' work (they
// store each link's ItemRect); so is what a bar or a menu adds.
//
// Process-wide: the active bar window (keyboard navigation goes there) and the live windows
// (dxBarUnit().BarControlExists): every handler whose callees may free the window checks the
// latter before it touches the window again.
//
// The painters read a TdxBarControlState record: PaintedBar() fills it from this window (and,
// through FillPaintedBar, from what a descendant knows of its bar), in this one place.

#include "toolkit/bars/model/dx_bar_control_bar.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/painters/dx_bar_painter.h"

#include "platform/forms/controls.h"
#include "platform/gdi/geometry.h"

#include <cstdint>
#include <memory>

namespace toolkit::bars {

class TdxBarItemControl;
class TdxBarShadow;

class TCustomdxBarControl : public platform::forms::TCustomControl {
public:
    using TRect = platform::gdi::TRect;
    using TPoint = platform::gdi::TPoint;
    using TMessage = platform::forms::TMessage;

    // Owner: the bar manager. Made invisible at (100, 100, 50, 30).
    explicit TCustomdxBarControl(TdxBarManager* ABarManager);
    ~TCustomdxBarControl() override;

    TdxBarManager* BarManager() const { return FBarManager; }
    const TdxBarItemControlPainter& Painter() const;
    // The links shown (not owned); the list's back pointer follows.
    TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
    void SetItemLinks(TdxBarItemLinks* Value);
    // The links the window shows are going (their owner is being freed): their controls go now
    // and the window shows none; a menu also hides.
    virtual void ItemLinksGoing();
    // The bar this window shows; nil for menus.
    virtual TdxBarControlBar* Bar() const { return nullptr; }

    // The process-wide active bar window; nil when none.
    static TCustomdxBarControl* ActiveBarControl();
    // Process-wide: personalised menus show all their links. The first bar window to become
    // active sets it to whether the user customizes; expanding a menu sets it.
    static bool RecentItemsExpanded();
    static void SetRecentItemsExpanded(bool Value);

    bool Active() const { return FActive; }
    virtual void SetActive(bool Value);
    TdxBarItemControl* SelectedControl() const { return FSelectedControl; }
    TdxBarItemControl* DownControl() const { return FDownControl; }
    bool DownInside() const { return FDownInside; }
    TdxBarDockingStyle DockingStyle() const { return FDockingStyle; }
    virtual void SetDockingStyle(TdxBarDockingStyle Value);
    TCustomdxBarControl* ParentBarControl() const { return FParentBarControl; }
    void SetParentBarControl(TCustomdxBarControl* Value) { FParentBarControl = Value; }
    // The menu window opened from this window; nil when none is open.
    TCustomdxBarControl* SubMenuControl() const { return FSubMenuControl; }
    void SetSubMenuControl(TCustomdxBarControl* Value) { FSubMenuControl = Value; }
    int MarkState() const { return FMarkState; }
    bool RepaintingSelection() const { return FRepaintingSelection; }
    bool DestroyingControls() const { return FDestroyingControls; }
    // A pop-up one of the window's item controls holds open (a combo's list): presses there
    // belong to this window. Null when none.
    platform::core::HWND OpenPopup{};
    // Set by a descendant that consumed a button-down: the next button-up is swallowed.
    bool IgnoreNextButtonUp = false;

    // The screen rectangle of the item control that opened this window (menus); empty for
    // toolbars. The window's shadow takes in the item when the two touch.
    TRect OwnerItemRect{};
    bool IsOwnerItemAdjacent() const;
    // The window's drop shadow; it follows every move and size of the window.
    TdxBarShadow& Shadow() const { return *FShadow; }
    // The painter gives this window a shadow and the window is shown.
    virtual bool IsShadowVisible() const;
    // The shadow takes the window's place and shows while IsShadowVisible.
    void UpdateShadow();

    // Metrics the item controls size themselves from (CalcDrawingConsts).
    int TextSize() const { return FTextSize; }
    int TextSizeFifth() const { return FTextSizeFifth; }
    int HeightMetric() const { return FHeightMetric; }
    int WidthMetric() const { return FWidthMetric; }

    virtual void CreateControls();
    virtual void DestroyControls();
    virtual void CalcDrawingConsts();
    virtual bool CanAlignControl(const TdxBarItemControl* Control) const;
    virtual bool IsItemCustomizingAllowed() const;
    virtual bool IsFlatBorder() const;
    virtual platform::gdi::HFONT GetFontHandle() const;
    virtual TRect GetItemRect(const TdxBarItemControl* Control) const;
    // Where a control takes drops: its rectangle, with what belongs to it around it (its
    // separator). The region is the caller's to delete.
    virtual TRect GetItemRectEx(const TdxBarItemControl* Control) const;
    virtual platform::gdi::HRGN GetItemRegion(const TdxBarItemControl* Control) const;
    virtual bool IsCustomizing() const;
    virtual platform::gdi::HBRUSH GetBkBrush() const;
    virtual bool IsSubMenuControl() const { return false; }
    // The links shown are those of the quick-customise sub-item ("Add or Remove Buttons").
    virtual bool IsQuickCustomizeMenu() const;
    // Whether the window shows the hints of its items (the toolbar: not floating in the Flat
    // style).
    virtual bool CanShowHints() const { return true; }
    virtual bool HasMark() const { return false; }
    virtual bool IsMouseStill(TPoint ScreenPoint) const;
    // Re-reads the background brush and redraws Control's rectangle.
    virtual void UpdateControl(TdxBarItemControl* Control);
    virtual void SelectionChanged(TdxBarItemControl* OldControl);
    virtual void UpdateFont() {}
    virtual void SetSelectedControl(TdxBarItemControl* Control);
    virtual void SetMouseSelectedControl(TdxBarItemControl* Control);
    virtual void SetMarkState(int Value) { FMarkState = Value; }
    virtual void FillBackground(platform::gdi::HDC DC, const TRect& R);
    // The window's opacity (a layered window's alpha) from what it shows; the base keeps it
    // opaque. Runs when the handle is made and when the docking style changes.
    virtual void UpdateAlphaBlend() {}
    // Leaves the active state and passes the call up the chain of opening windows.
    virtual void HideAll();
    // A double click on one of the window's item controls: in design mode the item is selected
    // in the form designer; a sub-item whose menu is open with links hidden expands that menu;
    // else the control's own DblClick.
    virtual void ControlDblClick(TdxBarItemControl* Control);
    // The window recomputes its size and layout (descendants). While customizing, the link the
    // user selected in it is selected again once its controls are made anew.
    virtual void RefreshLayout() {}

    // The first shown link's control whose rectangle holds the client point; nil while the
    // user customizes at run time.
    TdxBarItemControl* ItemAtPos(TPoint ClientPoint) const;
    // For a drop: the first shown control that can be hit whose region holds the client point.
    // Outside: the point lies on what belongs to the control beside its rectangle (its
    // separator). Vertical: the links run down (a menu, a vertical toolbar, or a point above
    // the control's top). Before: the point is nearer the control's start than its end.
    virtual TdxBarItemControl* ItemAtPosEx(TPoint ClientPoint, bool& Outside, bool& Vertical,
                                           bool& Before) const;
    bool HasItemControl(const TdxBarItemControl* Control) const;
    TPoint WindowToScreen(TPoint P) const;
    TRect GetItemScreenRect(const TdxBarItemControl* Control) const;
    bool IsAncestorOf(const TCustomdxBarControl* Control) const;

    // Leave tracking: a tracked window hears WM_MOUSELEAVE once, when the cursor leaves it or
    // when the tracking is ended.
    bool IsMouseTracked() const { return FMouseTracked; }
    // Forgets where the mouse was: the next mouse move counts even at the same point.
    void ResetLastMousePos() { FLastMousePos = {-1, -1}; }
    void BeginMouseTracking();
    void EndMouseTracking();

    // Where the item controls of this window are drawn.
    TdxBarPaintType ItemPaintType() const;
    // The canvas's context with the window's font, pen and brush selected in it: the painters
    // draw on the context itself, and captions must come out in the font they were measured in.
    platform::gdi::HDC PaintDC();
    // The record the painters read, filled from this window now.
    TdxBarControlState& PaintedBar() const;

    void WndProc(TMessage& Message) override;

    // Customizing (dx_bar_control_customizing.cpp). A press on a link selects it and waits: leaving
    // the drag rectangle drags the link (the manager's DragItem); the button going up ends the
    // wait. A right press shows the customising popup on the link.
    bool DragPending() const { return FDragPending; }
    void CustomizingButtonDown(TdxBarItemControl* Control, TPoint ClientPoint);
    // False when no drag was pending.
    bool CustomizingMouseMove(TPoint ClientPoint);
    bool CustomizingButtonUp();
    void CustomizingRightButtonDown(TPoint ClientPoint);
    // The selected link's frame, while customizing only: two nested outlines, drawn inverting
    // round a sub-item in a menu, else one-pixel frames in the window-text colour.
    void DrawSelectionFrame(platform::gdi::HDC DC);

protected:
    // After the window is made: the item controls, the opacity, the font and the metrics.
    void CreateWnd() override;
    // Before the window goes: the item controls' own windows, then the controls.
    void DestroyWnd() override;
    // Each shown link's control frees the window of its own it has (an edit's).
    void FreeControlWindows();
    // Background, then each shown control at its rectangle.
    void Paint() override;
    // Just before the canvas draws (PaintDC): a descendant puts its own font in it.
    virtual void UpdateCanvasFont() {}
    virtual void DoSetSelectedControl(TdxBarItemControl* Control);
    // While customizing, the link of the manager's selection when it is one of this window's;
    // nil otherwise. Its control goes when the window's controls are made anew.
    TdxBarItemLink* CustomizingSelectedLink() const;
    // The link's control (made anew) becomes the selection again.
    void SelectLinkAgain(TdxBarItemLink* Link);
    // A menu closing while the user customizes gives the selection back to the entry that
    // opened it: the entry of the parent window that opened it when the user's selection lay
    // in this window (nil otherwise), taken before the controls go; then, once they are gone,
    // that entry shows closed and is the manager's selection again.
    TdxBarItemControl* CustomizingOpener(TdxBarItemControl* Opener) const;
    void HandSelectionBack(TdxBarItemControl* Opener);
    // Re-reads the brush the items' backgrounds fall back to; every paint starts with it.
    void UpdateBkBrush() { FBkBrush = GetBkBrush(); }
    // A menu's painter sets its own row height and arrow-part width (CalcDrawingConsts).
    void SetTextSize(int Value) { FTextSize = Value; }
    void SetWidthMetric(int Value) { FWidthMetric = Value; }
    virtual void FillPaintedBar(TdxBarControlState& State) const;
    // The window's own input handling; each answers whether it took the message.
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMCaptureChanged(TMessage& Message);
    virtual void WMMouseLeave(TMessage& Message);
    // Left, Right (Tab), Home and End move the selection among the selectable links; a letter
    // or digit goes to SelectByAccel, and the message's key becomes 0 when it matched.
    virtual void WMKeyDown(TMessage& Message);
    // The next link (after the selection) whose caption's accelerator the key is, with the
    // shift state now, is selected; the only one runs (Enter to this window). The letter of a
    // disabled item does nothing; one a collapsed personalised menu hides expands the menu.
    // False when the key selected nothing.
    bool SelectByAccel(std::uint16_t Key);
    // F1: WM_HELP about this window to the window with the focus, which the bar unit's hook
    // sends on to the manager's form (the form's manager answers).
    void RequestHelp();
    // A bar window does not keep the focus: it goes back to the manager's form.
    virtual void WMSetFocus(TMessage& Message);
    // Whether a hit-test answer lies outside the client area: leave tracking stops there.
    virtual bool IsNonClientHit(const TMessage& Message) const;
    // The selectable link's control next to the selection (Step -1 or 1, round the ends), the
    // first or the last one (Step 0 with First); nil when there is none.
    TdxBarItemControl* SelectableControl(int Step, bool First) const;

private:
    // The item control clears the selection fields directly when it goes or is disabled.
    friend class TdxBarItemControl;
    bool Alive() const;
    bool PassesActiveFilter(const TMessage& Message) const;
    void UpdateCursor(TdxBarItemControl* Control, TPoint ClientPoint);

    TdxBarManager* FBarManager;
    TdxBarItemLinks* FItemLinks = nullptr;
    platform::gdi::HBRUSH FBkBrush{};
    TdxBarItemControl* FDownControl = nullptr;
    bool FDestroyingControls = false;
    TdxBarDockingStyle FDockingStyle = dsNone;
    bool FRepaintingSelection = false;
    bool FActive = false;
    int FMarkState = 0;
    bool FDownInside = false;
    TCustomdxBarControl* FParentBarControl = nullptr;
    TCustomdxBarControl* FSubMenuControl = nullptr;
    TCustomdxBarControl* FPrevActiveBarControl = nullptr;
    TdxBarItemControl* FSelectedControl = nullptr;
    int FTextSize = 0;
    int FHeightMetric = 0;
    int FTextSizeFifth = 0;
    int FWidthMetric = 0;
    TPoint FLastMousePos{-1, -1};
    bool FMouseTracked = false;
    bool FDragPending = false;
    TPoint FDragStartPos{};
    mutable TdxBarControlState FPainted;
    std::unique_ptr<TdxBarShadow> FShadow;
};

// The innermost active bar window (an open menu, a toolbar in menu mode); nil when none.
inline TCustomdxBarControl* GetActiveBarControl() {
    return TCustomdxBarControl::ActiveBarControl();
}
// From a bar window up the windows it was opened from (a menu's opener, the toolbar of a
// drop-down's button), to the first that has none or is going; nil for nil.
TCustomdxBarControl* GetRootBarControl(TCustomdxBarControl* Window);
// That root when it is a toolbar, nil when it is a menu.
TCustomdxBarControl* GetRootToolbarControl(TCustomdxBarControl* Window);
// The root of the item control's bar window; nil for nil.
TCustomdxBarControl* GetItemControlRootBarControl(const TdxBarItemControl* Control);
// The toolbar an item control's window hangs from; nil when its root is a menu.
TCustomdxBarControl* GetParentToolbarControl(const TdxBarItemControl* Control);
// A toolbar window docked on the left or the right, and such a one whose bar turns its
// captions (RotateWhenVertical).
bool IsVerticalBarControl(const TCustomdxBarControl* Window);
bool IsRotatedBarControl(const TCustomdxBarControl* Window);

} // namespace toolkit::bars
