// The manager's reaction to the messages sent to its form (the window-procedure hook hands them
// over): activation and the floating bars, the layout saved with the window, system colours
// and settings, minimising and restoring, display and work-area changes, help on a bar item and
// the bars that waited for the form's window. What the windows do is the windows floor's
// (dx_bar_window_services.h); the dialog's, the customizing floor's.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/exception.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

namespace {

// The manager of an MDI frame's active child, when it has one.
TdxBarManager* ActiveMDIChildManager(TdxBarManager& Manager) {
    pf::TCustomForm* Form = Manager.Form();
    if (Form == nullptr || Form->FormStyle() != pf::fsMDIForm) return nullptr;
    TdxBarManager* Child = GetBarManagerByControl(Form->ActiveMDIChild());
    return Child != &Manager ? Child : nullptr;
}

} // namespace

void TdxBarManager::ShowPendingBars() {
    if (FPendingBars.empty()) return;
    // Copied: a bar shown leaves the list; one whose site still cannot have a window stays.
    const std::vector<TdxBar*> Pending = FPendingBars;
    for (auto It = Pending.rbegin(); It != Pending.rend(); ++It)
        if ((*It)->ShowPending()) RemovePendingBar(*It);
}

void TdxBarManager::DockControlCreated(TdxDockControl*) {
    if (IsDestroying() || FForm == nullptr || FForm->Destroying()) return;
    ShowPendingBars();
}

void TdxBarManager::DockControlDestroyed(TdxDockControl* DockControl) {
    // Only a placed site tells of its next window: the bars shown on it wait for that one. The
    // form's own sites come back with the form's window, their bars with them.
    if (IsDestroying() || FForm == nullptr || FForm->Destroying() || !FBars ||
        dxBarWindowServices().PlacedDockSite(DockControl) == nullptr)
        return;
    for (int I = 0; I < FBars->Count(); ++I)
        if (TdxBar* Bar = FBars->Items(I); Bar->GetRealDockControl() == DockControl)
            Bar->WaitForDockSite();
}

void TdxBarManager::HandleFormMessage(pc::UINT Message, pc::WPARAM WParam, pc::LPARAM LParam) {
    if (Message == pw::WM_DESTROY && !FDesignMode && !FInDestructor) {
        // The user's layout outlives the window; a store that cannot be written is skipped.
        try {
            if (StoreInRegistry) SaveToRegistry(RegistryPath);
            if (StoreInIniFile) SaveToIniFile(IniFileName);
        } catch (const pc::Exception&) {
        }
    }
    if (FForm->Destroying() || dxBarCustomizingServices().IsCustomizingForm(FForm)) return;
    TdxBarWindowServices& Windows = dxBarWindowServices();
    switch (Message) {
    case pw::WM_CREATE:
        ShowPendingBars();
        break;
    case pw::WM_ACTIVATE: {
        // The form stays active for its bars while one of its own bar windows takes over.
        if (WParam == pw::WA_INACTIVE &&
            Windows.IsOwnBarWindow(*this, static_cast<pw::HWND>(LParam)))
            break;
        FFormActive = WParam != 0;
        Windows.UpdateFloatingBars(*this, FFormActive, false, static_cast<pw::HWND>(LParam));
        if (TdxBarManager* Child = ActiveMDIChildManager(*this))
            Child->HandleFormMessage(Message, WParam, LParam);
        // The form disabled by the open Customize dialog was activated (by the program): the
        // dialog takes over, so that the bars still answer the user's customising. A floating
        // bar's activation, passed on here, is not the form's.
        if (FFormActive && !FloatingBarsUpdating && FIsCustomizing &&
            CustomizingFormHandle != pw::NullHWnd && FForm->HandleAllocated() &&
            !pw::IsWindowEnabled(FForm->Handle()) && pw::GetActiveWindow() == FForm->Handle())
            pc::SendMessage(CustomizingFormHandle, pw::WM_ACTIVATE, WParam,
                            static_cast<pc::LPARAM>(FForm->Handle()));
        break;
    }
    case pw::WM_WINDOWPOSCHANGING: {
        const auto& Pos = *reinterpret_cast<const pw::WINDOWPOS*>(LParam);
        if (Pos.flags & pw::SWP_HIDEWINDOW) Windows.HideFloatingBars(*this);
        break;
    }
    case pw::WM_WINDOWPOSCHANGED: {
        const auto& Pos = *reinterpret_cast<const pw::WINDOWPOS*>(LParam);
        if (FIsCustomizing) dxBarCustomizingServices().CustomizingFormFollowForm(*this, Pos);
        Windows.QuickCustomizeFollowForm(*this, Pos);
        break;
    }
    case pw::WM_ACTIVATEAPP:
        if (WParam != 0) break;
        if (TdxBarManager* Child = ActiveMDIChildManager(*this))
            Child->HandleFormMessage(Message, WParam, LParam);
        Windows.DeactivateApplication(*this);
        break;
    case pw::WM_CHILDACTIVATE:
        Windows.UpdateFloatingBars(*this, true, false, pw::NullHWnd);
        break;
    case pw::WM_SYSCOLORCHANGE:
        dxBarUnit().RefreshDrawingResources();
        RefreshColors();
        // The colours reach top-level windows only: the frame tells its children's managers.
        if (FForm->FormStyle() == pf::fsMDIForm)
            for (int I = 0; I < FForm->MDIChildCount(); ++I)
                if (TdxBarManager* Child = GetBarManagerByControl(FForm->MDIChildren(I));
                    Child && Child != this)
                    Child->HandleFormMessage(Message, WParam, LParam);
        break;
    case pw::WM_SETTINGCHANGE:
        if (WParam == pw::SPI_SETNONCLIENTMETRICS && FUseSystemFont) UpdateSystemFont();
        if (WParam == pw::SPI_SETWORKAREA) Windows.MoveFloatingBarsIntoWorkArea(*this);
        break;
    case pw::WM_DISPLAYCHANGE:
        Windows.MoveFloatingBarsIntoWorkArea(*this);
        break;
    case pw::WM_HELP:
        if (LParam != 0 && !FDesignMode)
            Windows.HelpRequested(*this, *reinterpret_cast<const pw::HELPINFO*>(LParam));
        break;
    case pw::WM_MDIACTIVATE:
        // A child's floating bars show with the child and hide when another child activates.
        if (FForm->FormStyle() == pf::fsMDIChild && FForm->HandleAllocated())
            Windows.UpdateFloatingBars(*this, static_cast<pw::HWND>(LParam) == FForm->Handle(),
                                       false, static_cast<pw::HWND>(LParam));
        break;
    case pw::WM_SYSCOMMAND:
        switch (WParam & 0xFFF0) {
        case pw::SC_CLOSE:
            if (FDesignMode) Windows.CloseActiveBarWindow(*this);
            [[fallthrough]];
        case pw::SC_MINIMIZE:
            Windows.HideFloatingBars(*this);
            break;
        case pw::SC_MAXIMIZE:
        case pw::SC_RESTORE:
            Windows.ShowFloatingBars(*this);
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

} // namespace toolkit::bars
