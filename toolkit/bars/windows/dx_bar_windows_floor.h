#pragma once
// The windows floor as the model reaches it: the bar windows, dock sites, item controls and
// menus behind what the model asks of the windows (dx_bar_window_services.h). The floor
// installs its one instance at start-up. Each answer is written beside what it works on: the
// controls and sites here, the manager's refresh in dx_bar_manager_refresh.cpp, the form's
// messages in dx_bar_form_windows.cpp, the classes the unit registers in
// dx_bar_unit_classes.cpp, a link's drag in dx_bar_item_drag.cpp.

#include "toolkit/bars/model/dx_bar_window_services.h"

namespace toolkit::bars {

class TdxBarWindowsFloor final : public TdxBarWindowServices {
public:
    // The unit
    const std::vector<TRegItemRecord>& UnitItemClasses() const override;
    void RegisterDragCursors() override;
    void CreateHintWindow() override;
    void FreeHintWindow() override;
    platform::win::LRESULT KeyboardHook(int Code, platform::win::WPARAM WParam,
                                        platform::win::LPARAM LParam) override;
    bool MouseHookSwallows(int Code, platform::win::UINT Message,
                           const platform::win::MOUSEHOOKSTRUCT& Info) override;
    void CallWndProcHook(int Code, platform::win::CWPSTRUCT& Info) override;

    // Item controls
    TdxBarWindowOwn<TdxBarItemControl> CreateControl(TdxBarItemLink& Link) override;
    void FreeControl(TdxBarItemControl* Control) override;
    void ControlChanged(TdxBarItemControl& Control, TdxBarControlChange Change) override;
    void RepaintControl(TdxBarItemControl& Control) override;
    bool IsWindowControl(const TdxBarItemControl& Control) const override;
    bool ControlActive(const TdxBarItemControl& Control) const override;
    bool ControlSelectedInActiveWindow(const TdxBarItemControl& Control) const override;
    TCustomdxBarControl* ControlWindow(const TdxBarItemControl& Control) const override;
    TdxBarWindowItemControl* WindowItemControl(TdxBarItemControl& Control) const override;
    TdxBarItemLink* ControlLink(const TdxBarItemControl& Control) const override;
    bool ControlShowsCaption(const TdxBarItemControl& Control) const override;
    bool IsSystemMenuItem(const TdxBarItem& Item) const override;
    std::unique_ptr<TdxBarButton> CreateCustomizeCommand(bool QuickCustomize) override;

    // Bar windows
    void RefreshLayout(TCustomdxBarControl& Window) override;
    void PostToolbarRelayout(TCustomdxBarControl& Window, bool DockedOnly) override;
    bool IsSubMenuControl(const TCustomdxBarControl& Window) const override;
    TCustomdxBarControl* ParentBarControl(const TCustomdxBarControl& Window) const override;
    TdxBarItemLinks* WindowItemLinks(const TCustomdxBarControl& Window) const override;
    void ItemLinksGoing(TCustomdxBarControl& Window) override;
    void CloseActiveBarWindow(TdxBarManager& Manager) override;
    std::unique_ptr<TdxDockedBarWindow> CreateBarWindow(TdxBar& Bar) override;
    TdxBarWindowOwn<TdxBarMoving> CreateBarMove(TdxBar& Bar, platform::gdi::TPoint Cursor,
                                                std::function<void()> OnEnd) override;
    void StartBarMove(TdxBarMoving& Moving) override;
    void FreeBarMove(TdxBarMoving* Moving) override;
    bool BarWindowInFormCorner(const TdxDockControl& Site,
                               const TdxDockedBarWindow& Window) const override;

    // Dock sites
    TdxBarWindowOwn<TdxDockControl> CreateDockSite(TdxBarManager& Manager,
                                                   TdxBarDockingStyle Style) override;
    void FreeDockSite(TdxDockControl* Site) override;
    TdxDockControl* DockSiteOf(TdxBarDockControl* Placed) const override;
    TdxBarDockControl* PlacedDockSite(TdxDockControl* Site) const override;
    platform::core::TComponent* PlacedDockSiteComponent(TdxBarDockControl& Placed) const override;
    TdxBarDockControl* PlacedDockSiteOf(platform::core::TComponent* Component) const override;
    TdxBarManager* DockSiteManager(const TdxDockControl& Site) const override;
    TdxBarDockingStyle DockSiteStyle(const TdxDockControl& Site) const override;
    bool IsAutomaticDockSite(const TdxDockControl& Site) const override;
    bool PlacedDockSiteCanDock(TdxBarDockControl& Placed, TdxBar* Bar) const override;
    bool DockSiteWaits(const TdxDockControl& Site) const override;
    bool DockSiteShowing(const TdxDockControl& Site) const override;
    int DockSiteSize(const TdxDockControl& Site) const override;
    void SetDockSiteSize(TdxDockControl& Site, int Size) override;
    platform::gdi::TPoint DockSiteClientToScreen(const TdxDockControl& Site,
                                                 platform::gdi::TPoint P) const override;
    void InsertBar(TdxDockControl& Site, TdxDockedBarWindow& Window,
                   platform::gdi::TPoint ScreenPos) override;
    void RemoveBar(TdxDockControl& Site, TdxDockedBarWindow& Window) override;
    bool FindBar(const TdxDockControl& Site, const TdxDockedBarWindow& Window, int& Row,
                 bool& OneOnRow) const override;
    void UpdateDock(TdxDockControl& Site) override;

    // Popup menus
    void PopupMenu(TdxBarPopupMenu& Menu, int X, int Y) override;
    bool PopupMenuOf(platform::core::TComponent* Component, TdxBarPopupMenu*& Menu,
                     TdxBarItemLinks*& Links) const override;
    void FreePopupMenus(TdxBarManager& Manager) override;

    // The manager's windows (dx_bar_manager_refresh.cpp)
    void RebuildBarWindows(TdxBarManager& Manager) override;
    void RepaintBarWindows(TdxBarManager& Manager) override;
    void RefreshDockSites(TdxBarManager& Manager) override;
    void RebuildMainMenuBarWindow(TdxBarManager& Manager) override;
    void MenusFontChanged(TdxBarManager& Manager) override;
    void RefreshPopupMenuLists(TdxBarManager& Manager) override;
    void DockSitesBorderChanged(TdxBarManager& Manager) override;
    void UpdateFloatingBars(TdxBarManager& Manager, bool Active, bool Show,
                            platform::core::HWND ActiveWindow) override;
    std::function<void()> SelectionLeaving(TdxBarManager& Manager, TdxBarItemControl& Old,
                                           TdxBarItemControl* New) override;
    std::vector<platform::core::HWND> HoldRedrawing(TdxBarManager& Manager) override;
    void ReleaseRedrawing(TdxBarManager& Manager, const std::vector<platform::core::HWND>& Held,
                          bool Relayout) override;
    std::vector<TCustomdxBarControl*> DestroyBarWindowControls(TdxBarManager& Manager) override;
    void CreateBarWindowControls(const std::vector<TCustomdxBarControl*>& Windows) override;
    // dx_bar_item_drag.cpp
    void DragItem(TdxBarManager& Manager, TdxBarItem* Item, TdxBarItemLink* Link) override;
    void ManagerGoing(TdxBarManager& Manager) override;

    // The form's messages (dx_bar_form_windows.cpp)
    bool IsOwnBarWindow(const TdxBarManager& Manager, platform::core::HWND Window) const override;
    void HideFloatingBars(TdxBarManager& Manager) override;
    void ShowFloatingBars(TdxBarManager& Manager) override;
    void QuickCustomizeFollowForm(TdxBarManager& Manager,
                                  const platform::win::WINDOWPOS& Pos) override;
    void DeactivateApplication(TdxBarManager& Manager) override;
    void MoveFloatingBarsIntoWorkArea(TdxBarManager& Manager) override;
    void HelpRequested(TdxBarManager& Manager, const platform::win::HELPINFO& Info) override;
};

} // namespace toolkit::bars
