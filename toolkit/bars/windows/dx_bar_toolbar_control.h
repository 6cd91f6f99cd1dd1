#pragma once
// The toolbar window: shows one TdxBar, docked in a dock site or floating. It measures its
// links for a docking style (one line, or wrapped into several for a multi-line bar), places
// the item controls along its lines, keeps the docked non-client frame (border margins and
// the drag handle the painter draws) and answers the dock layout's questions through
// TdxDockedBarWindow. TdxBars makes one for a bar that is shown.
//
// Only the last item may be aligned (right, centre, client); an aligned item ends its line.
// A single-line bar that gets less than it needs stops at the last item that fits and says it
// is truncated: the mark shows the rest.

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_docked_window.h"
#include "toolkit/bars/windows/dx_bar_control.h"

#include "platform/gdi/geometry.h"

#include <memory>
#include <unordered_map>

namespace toolkit::bars {

class TdxBarControl : public TCustomdxBarControl, public TdxDockedBarWindow {
public:
    using TSize = platform::gdi::TSize;

    explicit TdxBarControl(TdxBar& ABar);
    ~TdxBarControl() override;

    TdxBar* Bar() const override { return FBar; }
    // A click opened a menu from this bar: hovering its entries opens theirs until the bar
    // leaves the active state.
    bool MenusOpen = false;
    void SetActive(bool Value) override;
    // In menu mode a selection that moves while a menu is open opens the new entry's menu.
    void SetSelectedControl(TdxBarItemControl* Control) override;
    void HideAll() override;

    // Menu mode: the bar owns the keyboard (the keyboard hook sends it every key) with Control
    // selected, or its first entry when nil. Leaving gives the focus back to the window that
    // had it.
    void EnterMenuMode(TdxBarItemControl* Control);
    void ExitMenuMode();
    // Ctrl+Tab (Ctrl+Shift+Tab backward): menu mode moves on to the next (previous) bar of the
    // manager, round the end, that has a window and a link to select; nothing when none.
    void MoveToNextToolbar(bool Backward);
    platform::win::HWND SavedFocus{};

    bool IsDockedHorizontally() const;
    bool IsDockedVertically() const;
    // Floating, or the bar's MultiLine.
    bool IsMultiLine() const;
    int GetSeparatorSize() const;
    // Docked, and the bar shows the quick-customise mark, or items are hidden behind it.
    bool HasMark() const override;
    // Docked always; floating, not in the manager's Flat style.
    bool CanShowHints() const override;
    // A docked bar also holds still (no hot tracking) while its form is not the active one.
    bool IsMouseStill(TPoint ScreenPoint) const override;
    // A real change forgets where the lines were wrapped.
    void SetDockingStyle(TdxBarDockingStyle Value) override;
    // The form the window belongs to: its dock site's when docked, else the manager's.
    platform::forms::TCustomForm* GetOwnerForm() const;
    // Docked on the left or right with the bar's RotateWhenVertical, the canvas draws with the
    // window's font turned a quarter clockwise (text running down); nil otherwise.
    const platform::gdi::TFont* TurnedFont() const { return FTurnedFont.get(); }
    // The quick-customise mark (dx_bar_toolbar_mark.cpp): 0 normal, 1 hot, 2 the quick menu
    // open; its rectangle on the screen.
    void SetMarkState(int Value) override;
    TRect GetMarkScreenRect() const;
    // A floating bar shows the mark in its caption (the bar's ShowMark with quick customizing,
    // and a painter that draws it); its rectangle in window coordinates, empty when none.
    bool HasCaptionMark() const;
    TRect GetMarkWindowRect() const;
    // The mark in client coordinates, docked or floating (above the client area then).
    TRect GetMarkClientRect() const;
    // While the caption's mark is hot, a timer watches the cursor and the window.
    bool MarkTimerRunning() const { return FMarkTimerOn; }
    // Where the drag handle lies (client coordinates); empty without a border.
    TRect GetDragHandleRect() const;
    // WM_SETCURSOR: over the drag handle of a bar that may dock, and with no capture, the
    // size-all cursor is set; true then.
    bool DragHandleCursor();
    // The code the last WM_NCHITTEST remembered: 1 over an item, 2 the drag area, 17 the size
    // grip, border codes as they came.
    int HitTestCode() const { return FHitTestCode; }
    // While customizing, the width of the selected edit item is being changed with the mouse
    // (dx_bar_toolbar_item_sizing.cpp): from the cursor over either end of it until the button
    // goes up or the capture goes. The inverted frame shows NewItemWidth.
    bool ResizingItem() const { return FResizingItem; }
    bool ResizeFromLeft() const { return FResizeFromLeft; }
    int NewItemWidth() const { return FNewItemWidth; }

    // The client size for a docking style and a length limit (-1: none): one line, or wrapped
    // for a multi-line bar; the controls that begin a wrapped line get LineStart. Measured with
    // every link, the links' recent-items limit given back after; but a floating bar of a
    // personalised manager (outside design mode) then shows the most recently used links that
    // fit in one row of Limit.
    TSize GetSizeForDockingStyle(TdxBarDockingStyle Style, int Limit);

    // The caption buttons of a maximised MDI child at the end of a main menu bar
    // (dx_bar_mdi_buttons.cpp): index 0 minimise, 1 restore, 2 close.
    bool HasMDIChildSystemMenu() const;
    // That, or a main menu bar with the manager's ShowCloseButton (the close button alone).
    bool HasMDIButtons() const;
    // Whether the child's command of the button has none of the Mask bits (MF_GRAYED ...).
    bool IsMDIButtonEnabled(int Index, unsigned Mask) const;
    TRect GetMDIButtonRect(int Index) const;
    // The buttons' extent along the bar: for the window's docking style, or for a vertical or
    // horizontal one.
    int GetMDIButtonsLength() const { return GetMDIButtonsLength(IsDockedVertically()); }
    int GetMDIButtonsLength(bool Vertical) const;
    int MDIButtonWidth() const;
    int MDIButtonHeight() const;
    // -1 when none.
    int PressedMDIButton() const { return FMDIPressed; }
    int HotMDIButton() const { return FMDIHot; }

    // TdxDockedBarWindow.
    TSize GetMinSize(TdxBarDockingStyle Style) override;
    TSize GetFullSize(TdxBarDockingStyle Style) override;
    TSize GetSizeForLength(TdxBarDockingStyle Style, int Length) override;
    TRect BoundsRect() const override;
    void SetBoundsRect(const TRect& R) override;
    void SetDockSite(TdxDockControl* Site, TdxBarDockingStyle Style) override;
    void PlaceFloating(TPoint Pos) override;
    TSize ClientSize() const override;
    void ShowNoActivate() override;
    void SetTruncated(bool Value) override { FTruncated = Value; }
    bool Truncated() const override { return FTruncated; }
    void CalcItemRects() override;
    void RefreshLayout() override;
    void RepaintBar() override;
    void CaptionChanged() override;
    int RecreateCount() const override { return FTakingPlaceAgain ? 1 : 0; }
    // While the manager's bars drag this one: where the cursor holds it, for a style.
    bool Dragging() const override;
    TPoint GetGrabOffset(TdxBarDockingStyle Style) const override;

    // The floating frame (dx_bar_toolbar_floating.cpp): the caption strip in window
    // coordinates and its close button; 0 normal, 1 hot, 2 pressed.
    TRect GetCaptionRect() const;
    TRect GetCloseButtonRect() const;
    int CloseButtonState() const { return FCloseButtonState; }
    void SetCloseButtonState(int Value);
    // Hides or shows a floating window without activating anything (the application going
    // inactive and back).
    void SetFloatingShown(bool Value);
    // A double click on the drag area: a floating bar docks where it was last docked, a docked
    // one floats where it last floated.
    void ToggleDocking();

    TdxDockControl* DockSite() const { return FDockSite; }
    bool CanAlignControl(const TdxBarItemControl* Control) const override;
    TRect GetItemRect(const TdxBarItemControl* Control) const override;
    // The item's rectangle and its separator.
    platform::gdi::HRGN GetItemRegion(const TdxBarItemControl* Control) const override;
    // Past the items but within the client area, the row the point lies in answers: its first
    // control, before which the point may lie.
    TdxBarItemControl* ItemAtPosEx(TPoint ClientPoint, bool& Outside, bool& Vertical,
                                   bool& Before) const override;
    platform::gdi::HBRUSH GetBkBrush() const override;
    platform::gdi::HFONT GetFontHandle() const override;
    void UpdateFont() override;
    // The bar's background bitmap tiled (from the window's top-left corner); a main menu
    // without the manager's bar bitmap the menu bar's own background, not the toolbars'
    // gradient; the bar's Color when it has one; else the dock site's or the manager's look.
    void FillBackground(platform::gdi::HDC DC, const TRect& R) override;
    // Floating, the bar's AlphaBlendValue; docked, opaque.
    void UpdateAlphaBlend() override;
    // The bitmap the window's background shows: the bar's own, the manager's bar bitmap, or a
    // docked window's dock-site bitmap; nil when none.
    platform::forms::TBitmap* BackgroundBitmap() const;

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void UpdateCanvasFont() override;
    // A docked window that gets its handle after it took its place in its site (its form's
    // window came after the bars were set up, or the handle was recreated) takes its stored
    // row again and is measured anew: only now does it know its font.
    void CreateWnd() override;
    void Paint() override;
    void FillPaintedBar(TdxBarControlState& State) const override;
    void WMLButtonDown(TMessage& Message) override;
    // An active bar keeps its selection when the mouse leaves (the keyboard may be using it).
    void WMMouseLeave(TMessage& Message) override;
    // Down, Up and Enter open the selected entry's menu (Enter runs a command), Esc leaves
    // menu mode, a letter selects the entry it is the accelerator of and, when unique, opens
    // or runs it.
    void WMKeyDown(TMessage& Message) override;
    // A press on an enabled MDI button holds the mouse until the release, which runs its
    // command when it is still over the button.
    void WMLButtonUp(TMessage& Message) override;
    void WMMouseMove(TMessage& Message) override;

private:
    struct TLine {
        int Length = 0;
        int Thickness = 0;
        // A wrapped bar's last line.
        int LastLength = 0;
    };
    // Along and across extents of a control for the window's docking style.
    int ExtentAlong(const TdxBarItemControl& Control, bool Vertical) const;
    int ExtentAcross(const TdxBarItemControl& Control, bool Vertical) const;
    // One line of every shown link; Fits is false when Limit stops it.
    TLine MeasureRow(bool Vertical, int Limit, bool& Fits) const;
    // Wraps into lines no longer than Limit; the total thickness and the longest line.
    TLine CalcMultiLineSize(bool Vertical, int Limit);
    void CreateMissingControls();
    void WMNCCalcSize(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMNCPaint();
    // The floating frame's halves of the three above.
    void FloatingNCCalcSize(TMessage& Message);
    void FloatingNCHitTest(TMessage& Message);
    void FloatingNCPaint();
    // Sizing by a border: a capture session of the window's own, from WM_NCLBUTTONDOWN.
    void BeginResize(int HitCode, TPoint Cursor);
    void ResizeTo(TPoint Cursor);
    // The bounds for a border dragged to R: the moved side decides, the other follows.
    TRect SizingRect(int HitCode, TRect R);
    // Keeps a floating bar on a screen.
    void KeepOnScreen(platform::win::WINDOWPOS& Pos) const;
    // The close button held down: a capture session until the button goes up.
    void BeginClosePress();
    // A press on the drag area starts a drag, on the close button its press; true when it did.
    bool FrameMouseDown(TMessage& Message);
    // A press on a floating bar activates its form.
    void ActivateFormOnPress();
    // The frame's messages (non-client area, sizing, the close button, the drag area's press
    // and double click); true when handled.
    bool FrameMessage(TMessage& Message);
    // A press on the mark opens or closes the quick menu; true when the press was there.
    bool MarkMouseDown(TPoint P);
    // The mouse over the mark makes it hot; true when it is over it.
    bool MarkMouseMove(TPoint P);
    // Where the caption's mark stands for this painter; stored in State.
    TRect CalcMarkWindowRect(TdxBarControlState& State) const;
    // Paints the floating frame (caption, mark, close button) now.
    void RefreshCaption();
    void StartMarkTimer();
    void StopMarkTimer();
    void MarkTimerTick();
    // The mark timer's messages; true when handled.
    bool MarkMessage(TMessage& Message);
    // Writes the window's place into the bar.
    void StoreBarPosition();
    // CM_FONTCHANGED: the turned font is made again (or dropped), the metrics and, docked, the
    // layout follow.
    void FontChanged();
    // The client origin's offset from the window's top-left corner: tiles laid from the
    // corner line up with a frame drawn in the same bitmap.
    TPoint GetBackgroundOffset() const;
    // The button under the client point, enabled or not; -1 when none.
    int MDIButtonAt(TPoint P) const;
    bool PressMDIButton(TPoint P);
    // A cancel-mode message while a button is held: the press ends without its command.
    void CancelMDIButtonPress();
    void DrawMDIButtons(platform::gdi::HDC DC);
    void RepaintMDIButtons();
    // The item sizing's messages; true when handled.
    bool ItemSizingMessage(TMessage& Message);
    bool ItemSizingCursor();
    void MoveItemSizingFrame(int Width);
    void EndItemSizing();

    TdxBar* FBar;
    TdxDockControl* FDockSite = nullptr;
    bool FTruncated = false;
    int FHitTestCode = 0;
    bool FStoringPosition = false;
    // From the window's creation parameters to its CreateWnd: it was docked before.
    bool FTakingPlaceAgain = false;
    int FMDIPressed = -1;
    bool FMDIPressedInside = false;
    int FMDIHot = -1;
    int FCloseButtonState = 0;
    // The border being dragged (a hit-test code) and where it started; 0 while none.
    int FResizeCode = 0;
    TPoint FResizeStart{};
    TRect FResizeRect{};
    bool FClosePressed = false;
    bool FMarkTimerOn = false;
    bool FResizingItem = false;
    bool FResizeFromLeft = false;
    int FNewItemWidth = 0;
    // The inverted frame shown now (drawing it again takes it away); empty when none.
    TRect FItemSizingFrame{};
    // The thickness of the line each shown link was placed in.
    std::unordered_map<const TdxBarItemLink*, int> FLineThickness;
    std::unique_ptr<platform::gdi::TFont> FTurnedFont;
    bool FRotatingFont = false;
    bool FCreatingHandle = false;
};

} // namespace toolkit::bars
