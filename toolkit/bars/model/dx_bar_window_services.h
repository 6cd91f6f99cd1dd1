#pragma once
// What the model asks of the windows that show it: the one interface through which the
// manager, the bars, the items and their links reach the windows floor. The model holds bar
// windows, dock sites and item controls only as the pointers these operations take; it makes
// and frees them here, tells them of its changes here (each notification at the point where
// the model changed), and asks its few questions of them here.
//
// The windows floor installs its implementation at start-up (TdxBarWindowsFloor,
// toolkit/bars/windows/dx_bar_windows_floor.h). Without it the model runs with no windows:
// nothing is made, every notification is dropped and every question has the answer of a bar
// that shows nowhere.

#include "toolkit/bars/model/dx_bar_docked_window.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/core/component.h"
#include "platform/gdi/geometry.h"
#include "platform/win/hooks.h"

#include <functional>
#include <memory>
#include <vector>

namespace toolkit::bars {

class TdxBarButton;
class TdxBarDockControl;
class TdxBarMoving;
class TdxBarWindowItemControl;
struct TRegItemRecord;

// What changed of a link or its item, as the control that shows the link hears it.
enum class TdxBarControlChange {
    // Anything that may change the control's size (the base reaction).
    Changed,
    Caption,
    Enabled,
    Glyph,
    // The control's place or size in its window.
    Layout,
    // A button's.
    ButtonStyle,
    Down,
    DropDownEnabled,
    PaintStyle,
};

// Frees what the windows floor made for the model, through that floor.
struct TdxBarWindowsDeleter {
    void operator()(TdxBarItemControl* Control) const;
    void operator()(TdxDockControl* Site) const;
    void operator()(TdxBarMoving* Moving) const;
};
// A window object the model owns.
template <class T> using TdxBarWindowOwn = std::unique_ptr<T, TdxBarWindowsDeleter>;

class TdxBarWindowServices {
public:
    virtual ~TdxBarWindowServices() = default;

    // --- The unit ---
    // The item classes the unit registers at start-up, in order, each with the control class
    // that shows it.
    virtual const std::vector<TRegItemRecord>& UnitItemClasses() const;
    // The cursors of dragging links.
    virtual void RegisterDragCursors() {}
    // The hint window of the managers, made with the first manager that is not designing and
    // freed with the last one.
    virtual void CreateHintWindow() {}
    virtual void FreeHintWindow() {}
    // The thread hooks' procedures (the manager list installs the hooks). The keyboard hook's
    // result 1 swallows the key; it calls the next hook itself.
    virtual platform::win::LRESULT KeyboardHook(int Code, platform::win::WPARAM WParam,
                                                platform::win::LPARAM LParam);
    // Whether the mouse message is swallowed.
    virtual bool MouseHookSwallows(int Code, platform::win::UINT Message,
                                   const platform::win::MOUSEHOOKSTRUCT& Info);
    virtual void CallWndProcHook(int Code, platform::win::CWPSTRUCT& Info);

    // --- Item controls: one shows a link in its bar window ---
    // The control of the class registered for the link's item, made when the link's window
    // holds controls (it exists and is no closing menu); nil otherwise.
    virtual TdxBarWindowOwn<TdxBarItemControl> CreateControl(TdxBarItemLink& Link);
    virtual void FreeControl(TdxBarItemControl* Control);
    virtual void ControlChanged(TdxBarItemControl& Control, TdxBarControlChange Change);
    // Redraws the control's rectangle through its window.
    virtual void RepaintControl(TdxBarItemControl& Control);
    // A window control (edit, combo) measures itself by its link's width.
    virtual bool IsWindowControl(const TdxBarItemControl& Control) const;
    // Activated (an edit being typed in, a list open).
    virtual bool ControlActive(const TdxBarItemControl& Control) const;
    // The control is the selection of its window while that window is active.
    virtual bool ControlSelectedInActiveWindow(const TdxBarItemControl& Control) const;
    // The window the control shows in; nil when none.
    virtual TCustomdxBarControl* ControlWindow(const TdxBarItemControl& Control) const;
    // A button control draws in a caption paint style (psCaption, psCaptionGlyph), as a
    // toolbar button without an image does.
    virtual bool ControlShowsCaption(const TdxBarItemControl& Control) const;
    // The maximised MDI child's system-menu entry of the main menu bar.
    virtual bool IsSystemMenuItem(const TdxBarItem& Item) const;
    // The control as an edit or combo item sees it, when it hosts an editor window; nil when it
    // does not.
    virtual TdxBarWindowItemControl* WindowItemControl(TdxBarItemControl& Control) const;
    // The internal "&Customize..." command's button; a quick-customise one carries the check
    // column of the quick-customise menu.
    virtual std::unique_ptr<TdxBarButton> CreateCustomizeCommand(bool QuickCustomize);

    // --- Bar windows: toolbars and menus that show a link list ---
    // Measures and lays out again.
    virtual void RefreshLayout(TCustomdxBarControl& Window);
    // A toolbar window (only a docked one with DockedOnly) lays out again once the messages
    // already queued are handled; any other window ignores it.
    virtual void PostToolbarRelayout(TCustomdxBarControl& Window, bool DockedOnly);
    virtual bool IsSubMenuControl(const TCustomdxBarControl& Window) const;
    // The window that opened Window (a menu's opener); nil when none.
    virtual TCustomdxBarControl* ParentBarControl(const TCustomdxBarControl& Window) const;
    // The links Window shows; nil when none.
    virtual TdxBarItemLinks* WindowItemLinks(const TCustomdxBarControl& Window) const;
    // The links the window shows are going: it lets them go.
    virtual void ItemLinksGoing(TCustomdxBarControl& Window);
    // The active bar window (open menus, a toolbar in menu mode) of Manager closes, with every
    // window it opened.
    virtual void CloseActiveBarWindow(TdxBarManager& Manager);
    // The toolbar window of a bar that shows.
    virtual std::unique_ptr<TdxDockedBarWindow> CreateBarWindow(TdxBar& Bar);
    // A drag of the bar's window from the cursor point on; OnEnd runs when it ends (Esc, the
    // button up, a lost capture). It runs from StartBarMove on.
    virtual TdxBarWindowOwn<TdxBarMoving> CreateBarMove(TdxBar& Bar, platform::gdi::TPoint Cursor,
                                                        std::function<void()> OnEnd);
    virtual void StartBarMove(TdxBarMoving& Moving);
    virtual void FreeBarMove(TdxBarMoving* Moving);
    // The bar's window reaches the bottom right corner of the form (it lies at the bottom of
    // its site, the site at the bottom of its parent, up to the form or an MDI child).
    virtual bool BarWindowInFormCorner(const TdxDockControl& Site,
                                       const TdxDockedBarWindow& Window) const;

    // --- Dock sites ---
    // One of the four automatic sites of a manager's form.
    virtual TdxBarWindowOwn<TdxDockControl> CreateDockSite(TdxBarManager& Manager,
                                                           TdxBarDockingStyle Style);
    virtual void FreeDockSite(TdxDockControl* Site);
    // A site placed on a form, as a dock site; and a dock site as a placed one (nil for an
    // automatic site).
    virtual TdxDockControl* DockSiteOf(TdxBarDockControl* Placed) const;
    virtual TdxBarDockControl* PlacedDockSite(TdxDockControl* Site) const;
    // A placed site as the component of its form, and back (nil when it is none).
    virtual platform::core::TComponent* PlacedDockSiteComponent(TdxBarDockControl& Placed) const;
    virtual TdxBarDockControl* PlacedDockSiteOf(platform::core::TComponent* Component) const;
    virtual TdxBarManager* DockSiteManager(const TdxDockControl& Site) const;
    virtual TdxBarDockingStyle DockSiteStyle(const TdxDockControl& Site) const;
    virtual bool IsAutomaticDockSite(const TdxDockControl& Site) const;
    // A placed site takes Bar (the manager's OnDocking has its say after).
    virtual bool PlacedDockSiteCanDock(TdxBarDockControl& Placed, TdxBar* Bar) const;
    // The site cannot have a window yet: it has none and is placed on nothing.
    virtual bool DockSiteWaits(const TdxDockControl& Site) const;
    // The site shows (it and its parents are visible).
    virtual bool DockSiteShowing(const TdxDockControl& Site) const;
    // How wide a left or right site is, how high a top or bottom one; setting it gives the site
    // that size.
    virtual int DockSiteSize(const TdxDockControl& Site) const;
    virtual void SetDockSiteSize(TdxDockControl& Site, int Size);
    virtual platform::gdi::TPoint DockSiteClientToScreen(const TdxDockControl& Site,
                                                         platform::gdi::TPoint P) const;
    // Into the site's rows at the screen point, and out of them.
    virtual void InsertBar(TdxDockControl& Site, TdxDockedBarWindow& Window,
                           platform::gdi::TPoint ScreenPos);
    virtual void RemoveBar(TdxDockControl& Site, TdxDockedBarWindow& Window);
    // Whether the site holds Window; then its row's index and whether it is alone there.
    virtual bool FindBar(const TdxDockControl& Site, const TdxDockedBarWindow& Window, int& Row,
                         bool& OneOnRow) const;
    // The rows laid out again.
    virtual void UpdateDock(TdxDockControl& Site);

    // --- Popup menus ---
    // Pops the menu up at the screen point.
    virtual void PopupMenu(TdxBarPopupMenu& Menu, int X, int Y);
    // Whether Component is a popup menu; then the menu and its links.
    virtual bool PopupMenuOf(platform::core::TComponent* Component, TdxBarPopupMenu*& Menu,
                             TdxBarItemLinks*& Links) const;
    // The manager is going: its popup menus go with it (a shown one closes), each through its
    // owner; one without an owner is only let go.
    virtual void FreePopupMenus(TdxBarManager& Manager);

    // --- The manager's windows ---
    // The bar windows re-measure and re-lay out (a style, an arrow width, the icons' size).
    virtual void RebuildBarWindows(TdxBarManager& Manager);
    // The bar windows repaint with their frames (a toolbar's border and a floating caption take
    // new colours).
    virtual void RepaintBarWindows(TdxBarManager& Manager);
    // The dock sites take their colour, border and background again and repaint.
    virtual void RefreshDockSites(TdxBarManager& Manager);
    // The main menu bar's window lays out again (its close button); a selection in it goes.
    virtual void RebuildMainMenuBarWindow(TdxBarManager& Manager);
    // The popup menus without a font of their own take the manager's; the menus open take
    // their font again and lay out again.
    virtual void MenusFontChanged(TdxBarManager& Manager);
    // The popup menus' links take in or leave out what only customizing shows.
    virtual void RefreshPopupMenuLists(TdxBarManager& Manager);
    // The dock sites measure their border again and lay out their bars.
    virtual void DockSitesBorderChanged(TdxBarManager& Manager);
    // The floating bars show or hide with the form's activation (Show: shown whatever it is);
    // ActiveWindow is the window that takes the activation.
    virtual void UpdateFloatingBars(TdxBarManager& Manager, bool Active, bool Show,
                                    platform::core::HWND ActiveWindow);
    // While customizing, the selection leaves Old for New (nil: none). When it leaves Old's
    // window, the manager's selection is cleared first and that window lets go of it: a
    // toolbar's selection clears, the sub-menu editor's menu closes when the selection leaves
    // its chain of menus. The answer repaints Old once the new selection is in place, when Old
    // is still there and no link is being dragged.
    virtual std::function<void()> SelectionLeaving(TdxBarManager& Manager, TdxBarItemControl& Old,
                                                   TdxBarItemControl* New);
    // The link the control shows; nil when none.
    virtual TdxBarItemLink* ControlLink(const TdxBarItemControl& Control) const;
    // Updates locked: the windows whose redrawing stops (the visible dock sites and floating
    // toolbars), stopped already. Unlocked: those of Held still there draw again; unless the
    // manager is going, the toolbars and dock sites lay out again when a layout was held
    // (Relayout), and the sites and floating toolbars repaint.
    virtual std::vector<platform::core::HWND> HoldRedrawing(TdxBarManager& Manager);
    virtual void ReleaseRedrawing(TdxBarManager& Manager,
                                  const std::vector<platform::core::HWND>& Held, bool Relayout);
    // Customizing turns on or off: the toolbar windows of the manager's bars close what they
    // opened and free their controls; after the switch they make them again for the new mode,
    // lay out and repaint.
    virtual std::vector<TCustomdxBarControl*> DestroyBarWindowControls(TdxBarManager& Manager);
    virtual void CreateBarWindowControls(const std::vector<TCustomdxBarControl*>& Windows);
    // A link (or, with no link, a command: Item) dragged while customizing, until the button
    // goes up or Esc.
    virtual void DragItem(TdxBarManager& Manager, TdxBarItem* Item, TdxBarItemLink* Link);
    // The manager is being destroyed: a hint it shows goes, its hint timer stops.
    virtual void ManagerGoing(TdxBarManager& Manager);

    // --- The form's messages (TdxBarManager::HandleFormMessage) ---
    // Window is one of the manager's bar windows.
    virtual bool IsOwnBarWindow(const TdxBarManager& Manager, platform::core::HWND Window) const;
    // The visible floating bars' windows hide (the form minimised, closed or hidden), or show
    // again without activation (restored, maximised).
    virtual void HideFloatingBars(TdxBarManager& Manager);
    virtual void ShowFloatingBars(TdxBarManager& Manager);
    // The quick-customise window shows and hides with the form.
    virtual void QuickCustomizeFollowForm(TdxBarManager& Manager,
                                          const platform::win::WINDOWPOS& Pos);
    // Another application takes the user: the floating bars go as for an inactive form, no menu
    // of the manager stays open and no item stays selected.
    virtual void DeactivateApplication(TdxBarManager& Manager);
    // The floating bars (their windows, or the places they will be made at) move back inside
    // the work area of the form's monitor.
    virtual void MoveFloatingBarsIntoWorkArea(TdxBarManager& Manager);
    // Help on a bar item (WM_HELP): the help context of the item the help point or the open
    // menus refer to, asked of the application.
    virtual void HelpRequested(TdxBarManager& Manager, const platform::win::HELPINFO& Info);
};

// The installed windows, or the ones that do nothing while no windows floor is linked.
TdxBarWindowServices& dxBarWindowServices();
// Installs Services (nil: none); returns the one it replaces.
TdxBarWindowServices* SetdxBarWindowServices(TdxBarWindowServices* Services);

} // namespace toolkit::bars
