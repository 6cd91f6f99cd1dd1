// How the manager's changes reach its windows: the bar windows (toolbars, open menus) and the
// dock sites re-measure, re-lay out or repaint when a style, an option, the colours or the font
// change, hold back while updates are locked and catch up when unlocked; the command selected
// while customizing; the windows' controls rebuilt when customizing turns on or off.

#include "toolkit/bars/windows/dx_bar_windows_floor.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/object_links.h"

#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <memory>
#include <vector>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// The toolbar windows of the manager's bars and the menus it shows.
std::vector<TCustomdxBarControl*> BarWindows(TdxBarManager& Manager) {
    std::vector<TCustomdxBarControl*> Result;
    if (TdxBars* Bars = Manager.Bars())
        for (int I = 0; I < Bars->Count(); ++I)
            if (TdxBar* Bar = Bars->Items(I))
                if (auto* Window = dynamic_cast<TCustomdxBarControl*>(Bar->Control()))
                    if (Window->HandleAllocated()) Result.push_back(Window);
    // The menus and popup menus the manager shows own their windows through it.
    for (int I = 0; I < Manager.ComponentCount(); ++I)
        if (auto* Window = dynamic_cast<TCustomdxBarControl*>(Manager.Components(I))) {
            // A menu that is closing is gone for its owner already.
            auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Window);
            if (Window->HandleAllocated() && !(Menu && Menu->Closing())) Result.push_back(Window);
        }
    return Result;
}

std::vector<TdxDockControl*> DockSites(const TdxBarManager& Manager) {
    std::vector<TdxDockControl*> Result;
    for (int I = 0; I < Manager.GetDockControlCount(); ++I)
        Result.push_back(Manager.GetDockControl(I));
    return Result;
}

} // namespace

void TdxBarWindowsFloor::RebuildBarWindows(TdxBarManager& Manager) {
    for (TCustomdxBarControl* Window : BarWindows(Manager))
        if (dxBarUnit().BarControlExists(Window)) {
            Window->CalcDrawingConsts();
            Window->RefreshLayout();
        }
}

void TdxBarWindowsFloor::RepaintBarWindows(TdxBarManager& Manager) {
    for (TCustomdxBarControl* Window : BarWindows(Manager)) {
        if (!dxBarUnit().BarControlExists(Window)) continue;
        // The frame too: a toolbar's border and a floating caption take the new colours.
        pw::RedrawWindow(Window->Handle(), nullptr, pg::NullObject,
                         pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_ERASE | pw::RDW_ALLCHILDREN);
    }
}

void TdxBarWindowsFloor::RefreshDockSites(TdxBarManager& Manager) {
    for (TdxDockControl* Site : DockSites(Manager)) {
        Site->UpdateColor();
        Site->UpdateDoubleBuffered();
        Site->ResetAppearance();
        if (Site->HandleAllocated())
            pw::RedrawWindow(Site->Handle(), nullptr, pg::NullObject,
                             pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_ERASE);
    }
}

void TdxBarWindowsFloor::RebuildMainMenuBarWindow(TdxBarManager& Manager) {
    auto* Window = dynamic_cast<TCustomdxBarControl*>(Manager.GetMainMenuControl());
    if (Window == nullptr || !Window->HandleAllocated()) return;
    if (Manager.SelectedItem() && Manager.SelectedItem()->Parent() == Window)
        Manager.SetSelectedItem(nullptr);
    Window->RefreshLayout();
}

void TdxBarWindowsFloor::RefreshPopupMenuLists(TdxBarManager& Manager) {
    for (int I = 0; I < Manager.GetPopupMenuCount(); ++I)
        Manager.GetPopupMenu(I)->ItemLinks().RefreshVisibleLists();
}

void TdxBarWindowsFloor::MenusFontChanged(TdxBarManager& Manager) {
    for (int I = 0; I < Manager.GetPopupMenuCount(); ++I)
        Manager.GetPopupMenu(I)->ManagerFontChanged();
    for (TCustomdxBarControl* Window : BarWindows(Manager))
        if (Window->IsSubMenuControl() && dxBarUnit().BarControlExists(Window)) {
            Window->UpdateFont();
            Window->RefreshLayout();
        }
}

void TdxBarWindowsFloor::UpdateFloatingBars(TdxBarManager& Manager, bool Active, bool Show,
                                            platform::core::HWND ActiveWindow) {
    toolkit::bars::UpdateFloatingBars(Manager, Active, Show, ActiveWindow);
}

std::function<void()> TdxBarWindowsFloor::SelectionLeaving(TdxBarManager& Manager,
                                                           TdxBarItemControl& OldControl,
                                                           TdxBarItemControl* Value) {
    // The old control may go with its window below.
    const std::shared_ptr<toolkit::base::TcxObjectLink> Old =
        toolkit::base::cxAddObjectLink(&OldControl);
    if (Manager.IsCustomizing() && OldControl.Parent() != nullptr &&
        (Value == nullptr || Value->Parent() != OldControl.Parent())) {
        TCustomdxBarControl* Window = OldControl.Parent();
        // The window a chain of open menus hangs from.
        auto RootWindow = [](TCustomdxBarControl* W) {
            while (W->ParentBarControl())
                W = W->ParentBarControl();
            return W;
        };
        // Cleared first: what follows tells the manager of the selection again.
        Manager.ForgetSelectedItem();
        if (!Window->IsSubMenuControl()) {
            // A selection moving into the menus the toolbar's entry opened leaves the entry
            // selected, and so its menu open.
            if (Value == nullptr || Value->Parent() == nullptr ||
                RootWindow(Value->Parent()) != Window)
                Window->SetMouseSelectedControl(nullptr);
        } else if (TdxBarSubMenuControl* Menu = dxBarCustomizingServices().SubMenuEditorMenu()) {
            // The first menu of a chain of menus; a selection moving along the chain (into a
            // cascading menu) leaves the editor's menu open.
            auto RootMenu = [](TCustomdxBarControl* Menu) {
                while (Menu->ParentBarControl() && Menu->ParentBarControl()->IsSubMenuControl())
                    Menu = Menu->ParentBarControl();
                return Menu;
            };
            TCustomdxBarControl* Root = RootMenu(Window);
            const bool SameChain = Value && Value->Parent() &&
                                   Value->Parent()->IsSubMenuControl() &&
                                   RootMenu(Value->Parent()) == Root;
            if (Root == Menu && !SameChain) Menu->HideAndFree();
        }
    }
    return [Old, Control = &OldControl] {
        if (Old && Old->Ref != nullptr && TdxBarItemDragging::Current() == nullptr)
            Control->Repaint();
    };
}

std::vector<platform::core::HWND> TdxBarWindowsFloor::HoldRedrawing(TdxBarManager& Manager) {
    std::vector<platform::core::HWND> Held;
    for (TdxDockControl* Site : DockSites(Manager))
        if (Site->HandleAllocated() && Site->Visible()) Held.push_back(Site->Handle());
    if (TdxBars* Bars = Manager.Bars())
        for (int I = 0; I < Bars->Count(); ++I)
            if (TdxBar* Bar = Bars->Items(I))
                if (auto* Window = dynamic_cast<TdxBarControl*>(Bar->Control());
                    Window && Window->HandleAllocated() && Window->DockingStyle() == dsNone)
                    Held.push_back(Window->Handle());
    for (pw::HWND Wnd : Held)
        platform::core::SendMessage(Wnd, pw::WM_SETREDRAW, 0, 0);
    return Held;
}

void TdxBarWindowsFloor::ReleaseRedrawing(TdxBarManager& Manager,
                                          const std::vector<platform::core::HWND>& Held,
                                          bool Relayout) {
    for (pw::HWND Wnd : Held)
        if (platform::core::IsWindow(Wnd)) platform::core::SendMessage(Wnd, pw::WM_SETREDRAW, 1, 0);
    if (Manager.IsDestroying() || Manager.Bars() == nullptr) return;
    std::vector<TdxBarControl*> Windows;
    for (int I = 0; I < Manager.Bars()->Count(); ++I)
        if (TdxBar* Bar = Manager.Bars()->Items(I))
            if (auto* Window = dynamic_cast<TdxBarControl*>(Bar->Control()))
                if (Window->HandleAllocated()) Windows.push_back(Window);
    if (Relayout) {
        for (TdxBarControl* Window : Windows)
            if (dxBarUnit().BarControlExists(Window)) Window->RefreshLayout();
        for (TdxDockControl* Site : DockSites(Manager))
            if (Site->HandleAllocated() && Site->Visible()) Site->UpdateDock();
    }
    // What was drawn while the windows were held is lost: the sites (frame and docked bars)
    // and the floating bars paint again.
    for (TdxDockControl* Site : DockSites(Manager))
        if (Site->HandleAllocated() && Site->Visible())
            pw::RedrawWindow(Site->Handle(), nullptr, pg::NullObject,
                             pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_ERASE |
                                 pw::RDW_ALLCHILDREN);
    for (TdxBarControl* Window : Windows)
        if (dxBarUnit().BarControlExists(Window) && Window->DockingStyle() == dsNone)
            pw::RedrawWindow(Window->Handle(), nullptr, pg::NullObject,
                             pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_ERASE |
                                 pw::RDW_ALLCHILDREN);
}

void TdxBarWindowsFloor::DockSitesBorderChanged(TdxBarManager& Manager) {
    for (TdxDockControl* Site : DockSites(Manager)) {
        if (!Site->HandleAllocated()) continue;
        // The non-client border is measured again, then the rows take the new client area.
        pw::SetWindowPos(Site->Handle(), pw::NullHWnd, 0, 0, 0, 0,
                         pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE |
                             pw::SWP_FRAMECHANGED);
        Site->RecalcAllBars();
    }
}

std::vector<TCustomdxBarControl*>
TdxBarWindowsFloor::DestroyBarWindowControls(TdxBarManager& Manager) {
    std::vector<TCustomdxBarControl*> Windows;
    for (int I = 0; I < Manager.Bars()->Count(); ++I)
        if (auto* W = dynamic_cast<TCustomdxBarControl*>(Manager.Bars()->Items(I)->Control()))
            Windows.push_back(W);
    for (TCustomdxBarControl* W : Windows)
        if (dxBarUnit().BarControlExists(W)) {
            W->HideAll();
            if (dxBarUnit().BarControlExists(W)) W->DestroyControls();
        }
    return Windows;
}

void TdxBarWindowsFloor::CreateBarWindowControls(const std::vector<TCustomdxBarControl*>& Windows) {
    for (TCustomdxBarControl* W : Windows)
        if (dxBarUnit().BarControlExists(W)) {
            if (W->HandleAllocated()) W->CreateControls();
            W->RefreshLayout();
            W->Invalidate();
        }
}

} // namespace toolkit::bars
