// How the manager's changes reach its windows: the bar windows (toolbars, open menus) and the
// dock sites re-measure, re-lay out or repaint when a style, an option, the colours or the font
// change, hold back while updates are locked and catch up when unlocked; the command selected
// while customizing.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "toolkit/bars/customizing/dx_bar_sub_menu_editor.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/object_links.h"

#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <utility>
#include <vector>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

std::vector<TCustomdxBarControl*> TdxBarManager::BarWindows() const {
    std::vector<TCustomdxBarControl*> Result;
    if (FBars != nullptr)
        for (int I = 0; I < FBars->Count(); ++I)
            if (TdxBar* Bar = FBars->Items(I))
                if (auto* Window = dynamic_cast<TCustomdxBarControl*>(Bar->Control()))
                    if (Window->HandleAllocated()) Result.push_back(Window);
    // The menus and popup menus the manager shows own their windows through it.
    for (int I = 0; I < ComponentCount(); ++I)
        if (auto* Window = dynamic_cast<TCustomdxBarControl*>(Components(I))) {
            // A menu that is closing is gone for its owner already.
            auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Window);
            if (Window->HandleAllocated() && !(Menu && Menu->Closing())) Result.push_back(Window);
        }
    return Result;
}

void TdxBarManager::RebuildBarWindows() {
    if (IsDestroying()) return;
    for (TCustomdxBarControl* Window : BarWindows())
        if (dxBarUnit().BarControlExists(Window)) {
            Window->CalcDrawingConsts();
            Window->RefreshLayout();
        }
}

void TdxBarManager::RepaintBarWindows() {
    if (IsDestroying()) return;
    for (TCustomdxBarControl* Window : BarWindows()) {
        if (!dxBarUnit().BarControlExists(Window)) continue;
        // The frame too: a toolbar's border and a floating caption take the new colours.
        pw::RedrawWindow(Window->Handle(), nullptr, pg::NullObject,
                         pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_ERASE | pw::RDW_ALLCHILDREN);
    }
}

void TdxBarManager::RefreshDockSites() {
    if (IsDestroying()) return;
    for (TdxDockControl* Site : FDockControls) {
        Site->UpdateColor();
        Site->UpdateDoubleBuffered();
        Site->ResetAppearance();
        if (Site->HandleAllocated())
            pw::RedrawWindow(Site->Handle(), nullptr, pg::NullObject,
                             pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_ERASE);
    }
}

void TdxBarManager::RefreshBarWindows() {
    RefreshDockSites();
    RepaintBarWindows();
}

void TdxBarManager::RebuildMainMenuBarWindow() {
    if (FMainMenuBar == nullptr) return;
    auto* Window = dynamic_cast<TCustomdxBarControl*>(FMainMenuBar->Control());
    if (Window == nullptr || !Window->HandleAllocated()) return;
    if (FSelectedItem && FSelectedItem->Parent() == Window) SetSelectedItem(nullptr);
    Window->RefreshLayout();
}

void TdxBarManager::FontOfWindowsChanged() {
    if (IsLoading() || IsDestroying() || FBars == nullptr) return;
    for (int I = 0; I < FBars->Count(); ++I)
        if (TdxBar* Bar = FBars->Items(I)) Bar->ManagerFontChanged();
    // A menu reads the manager's font as it opens; one open now takes the new one.
    for (TCustomdxBarControl* Window : BarWindows())
        if (Window->IsSubMenuControl() && dxBarUnit().BarControlExists(Window)) {
            Window->UpdateFont();
            Window->RefreshLayout();
        }
}

// While customizing, one command is selected across the manager's windows: a selection that
// moves elsewhere leaves its toolbar unselected, or closes the menu the sub-menu editor shows.
void TdxBarManager::SetSelectedItem(TdxBarItemControl* Value) {
    if (FSelectedItem == Value) return;
    // The old control may go with its window below.
    const auto Old = toolkit::base::cxAddObjectLink(FSelectedItem);
    auto* OldControl = FSelectedItem;
    if (IsCustomizing() && OldControl != nullptr && OldControl->Parent() != nullptr &&
        (Value == nullptr || Value->Parent() != OldControl->Parent())) {
        TCustomdxBarControl* Window = OldControl->Parent();
        // Cleared first: what follows tells the manager of the selection again.
        FSelectedItem = nullptr;
        if (!Window->IsSubMenuControl()) {
            Window->SetMouseSelectedControl(nullptr);
        } else if (TdxBarSubMenuEditor* Editor = GetSubMenuEditor()) {
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
            if (TdxBarSubMenuControl* Menu = Editor->SubMenuControl(); Root == Menu && !SameChain)
                Menu->HideAndFree();
        }
    }
    FSelectedItem = Value;
    if (Old && Old->Ref != nullptr && TdxBarItemDragging::Current() == nullptr)
        OldControl->Repaint();
    if (Value != nullptr && Value->ItemLink() != nullptr)
        if (TdxBarDesigner* Designer = dxBarDesignerOf(*this))
            if (TdxBarItem* Item = Value->ItemLink()->Item())
                Designer->SelectComponent(*this, Item);
}

void TdxBarManager::SetLockUpdate(bool Value) {
    if (FLockUpdate == Value) return;
    FLockUpdate = Value;
    auto SetRedraw = [](pw::HWND Wnd, bool On) {
        platform::core::SendMessage(Wnd, pw::WM_SETREDRAW, On ? 1 : 0, 0);
    };
    if (Value) {
        FLayoutHeld = false;
        if (IsDestroying()) return;
        for (TdxDockControl* Site : FDockControls)
            if (Site->HandleAllocated() && Site->Visible()) FRedrawHeld.push_back(Site->Handle());
        if (FBars != nullptr)
            for (int I = 0; I < FBars->Count(); ++I)
                if (TdxBar* Bar = FBars->Items(I))
                    if (auto* Window = dynamic_cast<TdxBarControl*>(Bar->Control());
                        Window && Window->HandleAllocated() && Window->DockingStyle() == dsNone)
                        FRedrawHeld.push_back(Window->Handle());
        for (pw::HWND Wnd : FRedrawHeld)
            SetRedraw(Wnd, false);
        return;
    }
    // A window may have gone (or been hidden) meanwhile: each one held is let go.
    for (pw::HWND Wnd : std::exchange(FRedrawHeld, {}))
        if (platform::core::IsWindow(Wnd)) SetRedraw(Wnd, true);
    const bool Relayout = std::exchange(FLayoutHeld, false);
    if (IsDestroying() || FBars == nullptr) return;
    std::vector<TdxBarControl*> Windows;
    for (int I = 0; I < FBars->Count(); ++I)
        if (TdxBar* Bar = FBars->Items(I))
            if (auto* Window = dynamic_cast<TdxBarControl*>(Bar->Control()))
                if (Window->HandleAllocated()) Windows.push_back(Window);
    if (Relayout) {
        for (TdxBarControl* Window : Windows)
            if (dxBarUnit().BarControlExists(Window)) Window->RefreshLayout();
        for (TdxDockControl* Site : FDockControls)
            if (Site->HandleAllocated() && Site->Visible()) Site->UpdateDock();
    }
    // What was drawn while the windows were held is lost: the sites (frame and docked bars)
    // and the floating bars paint again.
    for (TdxDockControl* Site : FDockControls)
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

void TdxBarManager::BorderOfDockSitesChanged() {
    for (TdxDockControl* Site : FDockControls) {
        if (!Site->HandleAllocated()) continue;
        // The non-client border is measured again, then the rows take the new client area.
        pw::SetWindowPos(Site->Handle(), pw::NullHWnd, 0, 0, 0, 0,
                         pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE |
                             pw::SWP_FRAMECHANGED);
        Site->RecalcAllBars();
    }
}

} // namespace toolkit::bars
