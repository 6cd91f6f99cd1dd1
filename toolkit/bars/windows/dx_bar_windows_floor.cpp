// The windows floor's one instance, installed at start-up, and its answers about item
// controls, bar windows, dock sites and popup menus: each hands the model's request to the
// window it names.

#include "toolkit/bars/windows/dx_bar_windows_floor.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_mouse_hooks.h"
#include "toolkit/bars/windows/dx_bar_move.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/settings_controller.h"

#include "platform/forms/forms.h"

#include <memory>
#include <utility>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// Installed for as long as the program runs: the model reaches the windows through it from its
// first manager on.
struct TInstallation {
    TdxBarWindowsFloor Floor;
    TInstallation() { SetdxBarWindowServices(&Floor); }
    ~TInstallation() {
        if (&dxBarWindowServices() == &Floor) SetdxBarWindowServices(nullptr);
    }
    TInstallation(const TInstallation&) = delete;
    TInstallation& operator=(const TInstallation&) = delete;
} Installation;

template <class T> TdxBarWindowOwn<T> Owned(std::unique_ptr<T> Made) {
    return TdxBarWindowOwn<T>(Made.release());
}

template <class T> void Free(T* Object) {
    std::unique_ptr<T> Going(Object);
}

} // namespace

// --- The unit ---

void TdxBarWindowsFloor::RegisterDragCursors() {
    toolkit::bars::RegisterDragCursors();
}

void TdxBarWindowsFloor::CreateHintWindow() {
    dxBarCreateHintWindow();
}

void TdxBarWindowsFloor::FreeHintWindow() {
    dxBarFreeHintWindow();
}

pw::LRESULT TdxBarWindowsFloor::KeyboardHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    return BarKeyboardHookProc(Code, WParam, LParam);
}

bool TdxBarWindowsFloor::MouseHookSwallows(int Code, pw::UINT Message,
                                           const pw::MOUSEHOOKSTRUCT& Info) {
    return dxBarMouseHookSwallows(Code, Message, Info);
}

void TdxBarWindowsFloor::CallWndProcHook(int Code, pw::CWPSTRUCT& Info) {
    dxBarCallWndProcHook(Code, Info);
}

// --- Item controls ---

TdxBarWindowOwn<TdxBarItemControl> TdxBarWindowsFloor::CreateControl(TdxBarItemLink& Link) {
    // A menu that is closing makes no more controls.
    if (const auto* Menu = dynamic_cast<const TdxBarSubMenuControl*>(Link.GetBarControl());
        Menu && Menu->Closing())
        return nullptr;
    const auto* Class = dynamic_cast<const TdxBarItemControlClass*>(
        dxBarUnit().ItemClasses().GetExactItemControlClass(&Link.Item()->ClassType()));
    if (Class == nullptr || Class->IsAbstract()) return nullptr;
    return Owned(Class->Create(&Link));
}

void TdxBarWindowsFloor::FreeControl(TdxBarItemControl* Control) {
    Free(Control);
}

void TdxBarWindowsFloor::ControlChanged(TdxBarItemControl& Control, TdxBarControlChange Change) {
    auto* Button = dynamic_cast<TdxBarButtonControl*>(&Control);
    switch (Change) {
    case TdxBarControlChange::Changed:
        Control.Changed();
        break;
    case TdxBarControlChange::Caption:
        Control.CaptionChanged();
        break;
    case TdxBarControlChange::Enabled:
        Control.EnabledChanged();
        break;
    case TdxBarControlChange::Glyph:
        Control.GlyphChanged();
        break;
    case TdxBarControlChange::Layout:
        Control.LayoutChanged();
        break;
    case TdxBarControlChange::ButtonStyle:
        if (Button) Button->ButtonStyleChanged();
        break;
    case TdxBarControlChange::Down:
        if (Button) Button->DownChanged();
        break;
    case TdxBarControlChange::DropDownEnabled:
        if (Button) Button->DropDownEnabledChanged();
        break;
    case TdxBarControlChange::PaintStyle:
        if (Button) Button->PaintStyleChanged();
        break;
    }
}

void TdxBarWindowsFloor::RepaintControl(TdxBarItemControl& Control) {
    Control.Repaint();
}

bool TdxBarWindowsFloor::IsWindowControl(const TdxBarItemControl& Control) const {
    return Control.IsWindowControl();
}

bool TdxBarWindowsFloor::ControlActive(const TdxBarItemControl& Control) const {
    return Control.Active();
}

bool TdxBarWindowsFloor::ControlSelectedInActiveWindow(const TdxBarItemControl& Control) const {
    const TCustomdxBarControl* Window = Control.Parent();
    return Window && Window->Active() && Window->SelectedControl() == &Control;
}

TCustomdxBarControl* TdxBarWindowsFloor::ControlWindow(const TdxBarItemControl& Control) const {
    return Control.Parent();
}

TdxBarWindowItemControl* TdxBarWindowsFloor::WindowItemControl(TdxBarItemControl& Control) const {
    return dynamic_cast<TdxBarWinControl*>(&Control);
}

TdxBarItemLink* TdxBarWindowsFloor::ControlLink(const TdxBarItemControl& Control) const {
    return Control.ItemLink();
}

bool TdxBarWindowsFloor::ControlShowsCaption(const TdxBarItemControl& Control) const {
    const auto* Button = dynamic_cast<const TdxBarButtonControl*>(&Control);
    if (Button == nullptr) return false;
    const TdxBarPaintStyle Style = Button->EffectivePaintStyle();
    return Style == psCaption || Style == psCaptionGlyph;
}

bool TdxBarWindowsFloor::IsSystemMenuItem(const TdxBarItem& Item) const {
    return dynamic_cast<const TSystemMenuSubItem*>(&Item) != nullptr;
}

std::unique_ptr<TdxBarButton> TdxBarWindowsFloor::CreateCustomizeCommand(bool QuickCustomize) {
    if (QuickCustomize) return std::make_unique<TdxBarQuickCustExtButton>(nullptr);
    return std::make_unique<TdxBarButton>(nullptr);
}

// --- Bar windows ---

void TdxBarWindowsFloor::RefreshLayout(TCustomdxBarControl& Window) {
    Window.RefreshLayout();
}

void TdxBarWindowsFloor::PostToolbarRelayout(TCustomdxBarControl& Window, bool DockedOnly) {
    auto* Toolbar = dynamic_cast<TdxBarControl*>(&Window);
    if (Toolbar == nullptr || !Toolbar->HandleAllocated()) return;
    if (DockedOnly && Toolbar->DockingStyle() == dsNone) return;
    pc::PostMessage(Toolbar->Handle(), toolkit::base::cxNCSizeChangedMessage, 0, 0);
}

bool TdxBarWindowsFloor::IsSubMenuControl(const TCustomdxBarControl& Window) const {
    return Window.IsSubMenuControl();
}

TCustomdxBarControl* TdxBarWindowsFloor::ParentBarControl(const TCustomdxBarControl& Window) const {
    return Window.ParentBarControl();
}

TdxBarItemLinks* TdxBarWindowsFloor::WindowItemLinks(const TCustomdxBarControl& Window) const {
    return Window.ItemLinks();
}

void TdxBarWindowsFloor::ItemLinksGoing(TCustomdxBarControl& Window) {
    Window.ItemLinksGoing();
}

void TdxBarWindowsFloor::CloseActiveBarWindow(TdxBarManager& Manager) {
    if (TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
        Active != nullptr && Active->BarManager() == &Manager)
        Active->HideAll();
}

std::unique_ptr<TdxDockedBarWindow> TdxBarWindowsFloor::CreateBarWindow(TdxBar& Bar) {
    return std::make_unique<TdxBarControl>(Bar);
}

TdxBarWindowOwn<TdxBarMoving> TdxBarWindowsFloor::CreateBarMove(TdxBar& Bar, pg::TPoint Cursor,
                                                                std::function<void()> OnEnd) {
    auto Moving = std::make_unique<TdxBarMoving>(Bar, Cursor);
    Moving->OnEnd = std::move(OnEnd);
    return Owned(std::move(Moving));
}

void TdxBarWindowsFloor::StartBarMove(TdxBarMoving& Moving) {
    Moving.Start();
}

void TdxBarWindowsFloor::FreeBarMove(TdxBarMoving* Moving) {
    Free(Moving);
}

bool TdxBarWindowsFloor::BarWindowInFormCorner(const TdxDockControl& Site,
                                               const TdxDockedBarWindow& Window) const {
    if (Window.BoundsRect().Bottom < Site.ClientHeight()) return false;
    for (const pf::TControl* C = &Site; C;) {
        const auto* AsForm = dynamic_cast<const pf::TCustomForm*>(C);
        if (AsForm && AsForm->FormStyle() == pf::fsMDIChild) break;
        const pf::TWinControl* Parent = C->Parent();
        if (!Parent) break;
        if (C->Top() + C->Height() < Parent->ClientHeight()) return false;
        C = Parent;
    }
    return true;
}

// --- Dock sites ---

TdxBarWindowOwn<TdxDockControl> TdxBarWindowsFloor::CreateDockSite(TdxBarManager& Manager,
                                                                   TdxBarDockingStyle Style) {
    return Owned(std::make_unique<TdxDockControl>(&Manager, Style));
}

void TdxBarWindowsFloor::FreeDockSite(TdxDockControl* Site) {
    Free(Site);
}

TdxDockControl* TdxBarWindowsFloor::DockSiteOf(TdxBarDockControl* Placed) const {
    return Placed;
}

TdxBarDockControl* TdxBarWindowsFloor::PlacedDockSite(TdxDockControl* Site) const {
    return dynamic_cast<TdxBarDockControl*>(Site);
}

pc::TComponent* TdxBarWindowsFloor::PlacedDockSiteComponent(TdxBarDockControl& Placed) const {
    return &Placed;
}

TdxBarDockControl* TdxBarWindowsFloor::PlacedDockSiteOf(pc::TComponent* Component) const {
    return dynamic_cast<TdxBarDockControl*>(Component);
}

TdxBarManager* TdxBarWindowsFloor::DockSiteManager(const TdxDockControl& Site) const {
    return Site.BarManager();
}

TdxBarDockingStyle TdxBarWindowsFloor::DockSiteStyle(const TdxDockControl& Site) const {
    return Site.DockingStyle();
}

bool TdxBarWindowsFloor::IsAutomaticDockSite(const TdxDockControl& Site) const {
    return Site.IsAutomatic();
}

bool TdxBarWindowsFloor::PlacedDockSiteCanDock(TdxBarDockControl& Placed, TdxBar* Bar) const {
    return Placed.CanDock(Bar);
}

bool TdxBarWindowsFloor::DockSiteWaits(const TdxDockControl& Site) const {
    return !Site.HandleAllocated() && Site.Parent() == nullptr;
}

bool TdxBarWindowsFloor::DockSiteShowing(const TdxDockControl& Site) const {
    return Site.Showing();
}

int TdxBarWindowsFloor::DockSiteSize(const TdxDockControl& Site) const {
    return Site.Horizontal() ? Site.Height() : Site.Width();
}

void TdxBarWindowsFloor::SetDockSiteSize(TdxDockControl& Site, int Size) {
    if (Site.Horizontal())
        Site.SetHeight(Size);
    else
        Site.SetWidth(Size);
}

pg::TPoint TdxBarWindowsFloor::DockSiteClientToScreen(const TdxDockControl& Site,
                                                      pg::TPoint P) const {
    return Site.ClientToScreen(P);
}

void TdxBarWindowsFloor::InsertBar(TdxDockControl& Site, TdxDockedBarWindow& Window,
                                   pg::TPoint ScreenPos) {
    Site.InsertBar(&Window, ScreenPos);
}

void TdxBarWindowsFloor::RemoveBar(TdxDockControl& Site, TdxDockedBarWindow& Window) {
    Site.RemoveBar(&Window);
}

bool TdxBarWindowsFloor::FindBar(const TdxDockControl& Site, const TdxDockedBarWindow& Window,
                                 int& Row, bool& OneOnRow) const {
    const TdxDockCol* Col = Site.FindCol(&Window);
    if (Col == nullptr) return false;
    Row = Site.IndexOfRow(Col->Row);
    OneOnRow = Col->Row->ColCount() == 1;
    return true;
}

void TdxBarWindowsFloor::UpdateDock(TdxDockControl& Site) {
    Site.UpdateDock();
}

// --- Popup menus ---

void TdxBarWindowsFloor::PopupMenu(TdxBarPopupMenu& Menu, int X, int Y) {
    Menu.Popup(X, Y);
}

bool TdxBarWindowsFloor::PopupMenuOf(pc::TComponent* Component, TdxBarPopupMenu*& Menu,
                                     TdxBarItemLinks*& Links) const {
    Menu = dynamic_cast<TdxBarPopupMenu*>(Component);
    Links = Menu ? &Menu->ItemLinks() : nullptr;
    return Menu != nullptr;
}

void TdxBarWindowsFloor::FreePopupMenus(TdxBarManager& Manager) {
    // Each menu leaves the list as it goes; last joined first.
    while (Manager.GetPopupMenuCount() > 0) {
        TdxBarPopupMenu* Menu = Manager.GetPopupMenu(Manager.GetPopupMenuCount() - 1);
        Manager.RemovePopupMenu(Menu);
        // One without an owner belongs to whoever made it: it only forgets the manager.
        if (pc::TComponent* Owner = Menu->Owner())
            Owner->FreeComponent(*Menu);
        else
            Menu->ManagerGone();
    }
}

void TdxBarWindowsFloor::ManagerGoing(TdxBarManager& Manager) {
    dxBarHintManagerDestroying(&Manager);
}

} // namespace toolkit::bars
