// The model without windows: what it asks of them when no windows floor is installed.

#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

TdxBarWindowServices& NoWindows() {
    static TdxBarWindowServices none;
    return none;
}

TdxBarWindowServices*& Installed() {
    static TdxBarWindowServices* installed = nullptr;
    return installed;
}

} // namespace

TdxBarWindowServices& dxBarWindowServices() {
    return Installed() ? *Installed() : NoWindows();
}

TdxBarWindowServices* SetdxBarWindowServices(TdxBarWindowServices* Services) {
    TdxBarWindowServices* Previous = Installed();
    Installed() = Services;
    return Previous;
}

void TdxBarWindowsDeleter::operator()(TdxBarItemControl* Control) const {
    if (Control) dxBarWindowServices().FreeControl(Control);
}

void TdxBarWindowsDeleter::operator()(TdxDockControl* Site) const {
    if (Site) dxBarWindowServices().FreeDockSite(Site);
}

void TdxBarWindowsDeleter::operator()(TdxBarMoving* Moving) const {
    if (Moving) dxBarWindowServices().FreeBarMove(Moving);
}

// The unit

const std::vector<TRegItemRecord>& TdxBarWindowServices::UnitItemClasses() const {
    static const std::vector<TRegItemRecord> none;
    return none;
}

pw::LRESULT TdxBarWindowServices::KeyboardHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    return pw::CallNextHookEx(dxBarUnit().BarManagerList().KeyboardHook(), Code, WParam, LParam);
}

bool TdxBarWindowServices::MouseHookSwallows(int, pw::UINT, const pw::MOUSEHOOKSTRUCT&) {
    return false;
}

void TdxBarWindowServices::CallWndProcHook(int, pw::CWPSTRUCT&) {}

// Item controls: none is ever made.

TdxBarWindowOwn<TdxBarItemControl> TdxBarWindowServices::CreateControl(TdxBarItemLink&) {
    return nullptr;
}

void TdxBarWindowServices::FreeControl(TdxBarItemControl*) {}

void TdxBarWindowServices::ControlChanged(TdxBarItemControl&, TdxBarControlChange) {}

void TdxBarWindowServices::RepaintControl(TdxBarItemControl&) {}

bool TdxBarWindowServices::IsWindowControl(const TdxBarItemControl&) const {
    return false;
}

bool TdxBarWindowServices::ControlActive(const TdxBarItemControl&) const {
    return false;
}

bool TdxBarWindowServices::ControlSelectedInActiveWindow(const TdxBarItemControl&) const {
    return false;
}

TCustomdxBarControl* TdxBarWindowServices::ControlWindow(const TdxBarItemControl&) const {
    return nullptr;
}

TdxBarWindowItemControl* TdxBarWindowServices::WindowItemControl(TdxBarItemControl&) const {
    return nullptr;
}

TdxBarItemLink* TdxBarWindowServices::ControlLink(const TdxBarItemControl&) const {
    return nullptr;
}

bool TdxBarWindowServices::ControlShowsCaption(const TdxBarItemControl&) const {
    return false;
}

bool TdxBarWindowServices::IsSystemMenuItem(const TdxBarItem&) const {
    return false;
}

std::unique_ptr<TdxBarButton> TdxBarWindowServices::CreateCustomizeCommand(bool) {
    return std::make_unique<TdxBarButton>(nullptr);
}

// Bar windows: none is ever made.

void TdxBarWindowServices::RefreshLayout(TCustomdxBarControl&) {}

void TdxBarWindowServices::PostToolbarRelayout(TCustomdxBarControl&, bool) {}

bool TdxBarWindowServices::IsSubMenuControl(const TCustomdxBarControl&) const {
    return false;
}

TCustomdxBarControl* TdxBarWindowServices::ParentBarControl(const TCustomdxBarControl&) const {
    return nullptr;
}

TdxBarItemLinks* TdxBarWindowServices::WindowItemLinks(const TCustomdxBarControl&) const {
    return nullptr;
}

void TdxBarWindowServices::ItemLinksGoing(TCustomdxBarControl&) {}

void TdxBarWindowServices::CloseActiveBarWindow(TdxBarManager&) {}

std::unique_ptr<TdxDockedBarWindow> TdxBarWindowServices::CreateBarWindow(TdxBar&) {
    return nullptr;
}

TdxBarWindowOwn<TdxBarMoving> TdxBarWindowServices::CreateBarMove(TdxBar&, pg::TPoint,
                                                                  std::function<void()>) {
    return nullptr;
}

void TdxBarWindowServices::StartBarMove(TdxBarMoving&) {}

void TdxBarWindowServices::FreeBarMove(TdxBarMoving*) {}

bool TdxBarWindowServices::BarWindowInFormCorner(const TdxDockControl&,
                                                 const TdxDockedBarWindow&) const {
    return true;
}

// Dock sites: none is ever made.

TdxBarWindowOwn<TdxDockControl> TdxBarWindowServices::CreateDockSite(TdxBarManager&,
                                                                     TdxBarDockingStyle) {
    return nullptr;
}

void TdxBarWindowServices::FreeDockSite(TdxDockControl*) {}

TdxDockControl* TdxBarWindowServices::DockSiteOf(TdxBarDockControl*) const {
    return nullptr;
}

TdxBarDockControl* TdxBarWindowServices::PlacedDockSite(TdxDockControl*) const {
    return nullptr;
}

pc::TComponent* TdxBarWindowServices::PlacedDockSiteComponent(TdxBarDockControl&) const {
    return nullptr;
}

TdxBarDockControl* TdxBarWindowServices::PlacedDockSiteOf(pc::TComponent*) const {
    return nullptr;
}

TdxBarManager* TdxBarWindowServices::DockSiteManager(const TdxDockControl&) const {
    return nullptr;
}

TdxBarDockingStyle TdxBarWindowServices::DockSiteStyle(const TdxDockControl&) const {
    return dsNone;
}

bool TdxBarWindowServices::IsAutomaticDockSite(const TdxDockControl&) const {
    return true;
}

bool TdxBarWindowServices::PlacedDockSiteCanDock(TdxBarDockControl&, TdxBar*) const {
    return true;
}

bool TdxBarWindowServices::DockSiteWaits(const TdxDockControl&) const {
    return false;
}

bool TdxBarWindowServices::DockSiteShowing(const TdxDockControl&) const {
    return false;
}

int TdxBarWindowServices::DockSiteSize(const TdxDockControl&) const {
    return 0;
}

void TdxBarWindowServices::SetDockSiteSize(TdxDockControl&, int) {}

pg::TPoint TdxBarWindowServices::DockSiteClientToScreen(const TdxDockControl&, pg::TPoint P) const {
    return P;
}

void TdxBarWindowServices::InsertBar(TdxDockControl&, TdxDockedBarWindow&, pg::TPoint) {}

void TdxBarWindowServices::RemoveBar(TdxDockControl&, TdxDockedBarWindow&) {}

bool TdxBarWindowServices::FindBar(const TdxDockControl&, const TdxDockedBarWindow&, int&,
                                   bool&) const {
    return false;
}

void TdxBarWindowServices::UpdateDock(TdxDockControl&) {}

// Popup menus

void TdxBarWindowServices::PopupMenu(TdxBarPopupMenu&, int, int) {}

void TdxBarWindowServices::FreePopupMenus(TdxBarManager& Manager) {
    while (Manager.GetPopupMenuCount() > 0)
        Manager.RemovePopupMenu(Manager.GetPopupMenu(Manager.GetPopupMenuCount() - 1));
}

bool TdxBarWindowServices::PopupMenuOf(pc::TComponent*, TdxBarPopupMenu*&,
                                       TdxBarItemLinks*&) const {
    return false;
}

// The manager's windows: there are none.

void TdxBarWindowServices::RebuildBarWindows(TdxBarManager&) {}

void TdxBarWindowServices::RepaintBarWindows(TdxBarManager&) {}

void TdxBarWindowServices::RefreshDockSites(TdxBarManager&) {}

void TdxBarWindowServices::RebuildMainMenuBarWindow(TdxBarManager&) {}

void TdxBarWindowServices::MenusFontChanged(TdxBarManager&) {}

void TdxBarWindowServices::RefreshPopupMenuLists(TdxBarManager&) {}

void TdxBarWindowServices::DockSitesBorderChanged(TdxBarManager&) {}

void TdxBarWindowServices::UpdateFloatingBars(TdxBarManager&, bool, bool, pc::HWND) {}

std::function<void()> TdxBarWindowServices::SelectionLeaving(TdxBarManager&, TdxBarItemControl&,
                                                             TdxBarItemControl*) {
    return {};
}

std::vector<pc::HWND> TdxBarWindowServices::HoldRedrawing(TdxBarManager&) {
    return {};
}

void TdxBarWindowServices::ReleaseRedrawing(TdxBarManager&, const std::vector<pc::HWND>&, bool) {}

std::vector<TCustomdxBarControl*> TdxBarWindowServices::DestroyBarWindowControls(TdxBarManager&) {
    return {};
}

void TdxBarWindowServices::CreateBarWindowControls(const std::vector<TCustomdxBarControl*>&) {}

void TdxBarWindowServices::DragItem(TdxBarManager&, TdxBarItem*, TdxBarItemLink*) {}

void TdxBarWindowServices::ManagerGoing(TdxBarManager&) {}

// The form's messages: there is nothing to show or hide.

bool TdxBarWindowServices::IsOwnBarWindow(const TdxBarManager&, pc::HWND) const {
    return false;
}

void TdxBarWindowServices::HideFloatingBars(TdxBarManager&) {}

void TdxBarWindowServices::ShowFloatingBars(TdxBarManager&) {}

void TdxBarWindowServices::QuickCustomizeFollowForm(TdxBarManager&, const pw::WINDOWPOS&) {}

void TdxBarWindowServices::DeactivateApplication(TdxBarManager&) {}

void TdxBarWindowServices::MoveFloatingBarsIntoWorkArea(TdxBarManager&) {}

void TdxBarWindowServices::HelpRequested(TdxBarManager&, const pw::HELPINFO&) {}

} // namespace toolkit::bars
