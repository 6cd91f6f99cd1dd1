// How the manager's changes reach its windows: the bar windows (toolbars, open menus) and the
// dock sites re-measure, re-lay out or repaint when a style, an option or the colours change.

#include "toolkit/bars/dx_bar_manager.h"

#include "toolkit/bars/dx_bar.h"
#include "toolkit/bars/dx_bar_control.h"
#include "toolkit/bars/dx_bar_dock_control.h"
#include "toolkit/bars/dx_bar_item_control.h"
#include "toolkit/bars/dx_bar_menu_control.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

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
