// The manager's reaction to the messages sent to its form (the window-procedure hook hands them
// over): activation and the floating bars, the layout saved with the window, system colours
// and settings, minimising and restoring, display and work-area changes, help on a bar item and
// the bars that waited for the form's window.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_quick_customize_window.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/core/exception.h"
#include "platform/forms/application.h"
#include "platform/forms/controls.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// The manager of an MDI frame's active child, when it has one.
TdxBarManager* ActiveMDIChildManager(TdxBarManager& Manager) {
    pf::TCustomForm* Form = Manager.Form();
    if (Form == nullptr || Form->FormStyle() != pf::fsMDIForm) return nullptr;
    TdxBarManager* Child = GetBarManagerByControl(Form->ActiveMDIChild());
    return Child != &Manager ? Child : nullptr;
}

void DeactivateApplication(TdxBarManager& Manager) {
    // Another application's window takes the user, from the form or from a window of ours
    // that is not it (the Customize dialog): the floating bars go as for an inactive form, no
    // menu of this manager stays open and no item stays highlighted.
    UpdateFloatingBars(Manager, false, false, pw::NullHWnd);
    if (TdxBarItemControl* Selected = Manager.SelectedItem())
        if (TCustomdxBarControl* Window = Selected->Parent(); Window && Window->HandleAllocated())
            pc::SendMessage(Window->Handle(), pw::WM_MOUSELEAVE, 0, 0);
    Manager.SetSelectedItem(nullptr);
}

// The visible floating bars and their windows.
std::vector<TdxBar*> FloatingBars(TdxBarManager& Manager) {
    std::vector<TdxBar*> Result;
    if (TdxBars* Bars = Manager.Bars())
        for (int I = 0; I < Bars->Count(); ++I)
            if (TdxBar* Bar = Bars->Items(I); Bar->Visible() && Bar->DockingStyle() == dsNone)
                Result.push_back(Bar);
    return Result;
}

TdxBarControl* WindowOf(TdxBar* Bar) {
    auto* Window = dynamic_cast<TdxBarControl*>(Bar->Control());
    return Window && Window->HandleAllocated() ? Window : nullptr;
}

// A rectangle moved back into Work: up when it reaches below it, down when it starts above,
// left when it reaches past its right edge, right when it starts left of it.
pg::TRect IntoWorkArea(pg::TRect R, const pg::TRect& Work) {
    if (R.Bottom > Work.Bottom) pg::OffsetRect(R, 0, Work.Bottom - R.Bottom);
    if (R.Top < Work.Top) pg::OffsetRect(R, 0, Work.Top - R.Top);
    if (R.Right > Work.Right) pg::OffsetRect(R, Work.Right - R.Right, 0);
    if (R.Left < Work.Left) pg::OffsetRect(R, Work.Left - R.Left, 0);
    return R;
}

// The item control that help on Window refers to: its selection when that item has a help
// context, else, up the chain of windows that opened it, the control each was opened from.
TdxBarItemControl* HelpControlOf(TCustomdxBarControl* Window) {
    TdxBarItemControl* Control = Window->SelectedControl();
    for (TCustomdxBarControl* W = Window; W != nullptr; W = W->ParentBarControl()) {
        if (W != Window) Control = W->SelectedControl();
        if (Control && Control->Item() && Control->Item()->HelpContext != 0) return Control;
    }
    return nullptr;
}

} // namespace

void TdxBarManager::MoveFloatingBarsIntoWorkArea() {
    if (FForm == nullptr) return;
    const pg::TRect F = FForm->BoundsRect();
    pw::MONITORINFO Info;
    if (!pw::GetMonitorInfo(pw::MonitorFromPoint({(F.Left + F.Right) / 2, (F.Top + F.Bottom) / 2},
                                                 pw::MONITOR_DEFAULTTONEAREST),
                            &Info))
        return;
    for (TdxBar* Bar : FloatingBars(*this)) {
        if (TdxBarControl* Window = WindowOf(Bar)) {
            pg::TRect R{};
            pw::GetWindowRect(Window->Handle(), &R);
            const pg::TRect Moved = IntoWorkArea(R, Info.rcWork);
            if (Moved.Left != R.Left || Moved.Top != R.Top)
                Window->SetBounds(Moved.Left, Moved.Top, Moved.Right - Moved.Left,
                                  Moved.Bottom - Moved.Top);
        } else {
            // No window yet (its form has not been shown): the bounds it will be made with, when
            // the bar has them, else its stored position and size; both move.
            TdxDockedBarWindow* Pending = Bar->Control();
            const pg::TRect Stored = Pending ? Pending->BoundsRect()
                                             : pg::TRect{Bar->FloatLeft, Bar->FloatTop,
                                                         Bar->FloatLeft + Bar->FloatClientWidth,
                                                         Bar->FloatTop + Bar->FloatClientHeight};
            const pg::TRect Moved = IntoWorkArea(Stored, Info.rcWork);
            if (Pending) Pending->SetBoundsRect(Moved);
            Bar->FloatLeft = Moved.Left;
            Bar->FloatTop = Moved.Top;
        }
    }
}

void TdxBarManager::ShowPendingBars() {
    if (FPendingBars.empty()) return;
    // Copied: a bar shown leaves the list; one whose site still cannot have a window stays.
    const std::vector<TdxBar*> Pending = FPendingBars;
    for (auto It = Pending.rbegin(); It != Pending.rend(); ++It)
        if ((*It)->ShowPending()) RemovePendingBar(*It);
}

void TdxBarManager::HelpRequested(const pw::HELPINFO& Info) {
    if (FDesignMode || Info.iContextType != pw::HELPINFO_WINDOW) return;
    int Context = 0;
    pg::TPoint At = Info.MousePos;
    if (TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
        Active && Active->BarManager() == this) {
        if (TdxBarItemControl* Control = HelpControlOf(Active)) {
            Context = Control->Item()->HelpContext;
        } else {
            Context = Active->HelpContext;
            Active->HideAll();
        }
    } else {
        // Help on a bar window: the item control under the help point.
        auto* Window = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(Info.hItemHandle));
        if (Window == nullptr || Window->BarManager() != this) return;
        TdxBarItemControl* Control = Window->ItemAtPos(Window->ScreenToClient(At));
        if (Control == nullptr || Control->Item() == nullptr) return;
        Context = Control->Item()->HelpContext;
        const pg::TRect R = Window->GetItemScreenRect(Control);
        At = {(R.Left + R.Right) / 2, R.Bottom};
        if (TCustomdxBarControl* Open = TCustomdxBarControl::ActiveBarControl()) Open->HideAll();
    }
    if (Context == 0) return;
    if (FForm && (FForm->BorderIcons() & pf::biHelp) != 0) {
        // The context pop-up at the help point; no viewer here tells positions apart.
        pf::Application().HelpCommand(8, Context);
        return;
    }
    pf::Application().HelpContext(Context);
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
    if (FForm->Destroying() || FForm == GetCustomizingForm()) return;
    switch (Message) {
    case pw::WM_CREATE:
        ShowPendingBars();
        break;
    case pw::WM_ACTIVATE: {
        // The form stays active for its bars while one of its own bar windows takes over.
        if (WParam == pw::WA_INACTIVE)
            if (auto* Other = dynamic_cast<TCustomdxBarControl*>(
                    pf::FindControl(static_cast<pw::HWND>(LParam))))
                if (Other->BarManager() == this) break;
        FFormActive = WParam != 0;
        UpdateFloatingBars(*this, FFormActive, false, static_cast<pw::HWND>(LParam));
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
        if (Pos.flags & pw::SWP_HIDEWINDOW)
            for (TdxBar* Bar : FloatingBars(*this))
                if (TdxBarControl* Window = WindowOf(Bar))
                    pw::ShowWindow(Window->Handle(), pw::SW_HIDE);
        break;
    }
    case pw::WM_WINDOWPOSCHANGED: {
        const auto& Pos = *reinterpret_cast<const pw::WINDOWPOS*>(LParam);
        if (FIsCustomizing) CustomizingFormFollowForm(*this, Pos);
        if (const pw::HWND Quick = QuickCustomizeWindow(*this); Quick != pw::NullHWnd) {
            if (Pos.flags & pw::SWP_SHOWWINDOW) pw::ShowWindow(Quick, pw::SW_SHOWNA);
            if (Pos.flags & pw::SWP_HIDEWINDOW) pw::ShowWindow(Quick, pw::SW_HIDE);
        }
        break;
    }
    case pw::WM_ACTIVATEAPP:
        if (WParam != 0) break;
        if (TdxBarManager* Child = ActiveMDIChildManager(*this))
            Child->HandleFormMessage(Message, WParam, LParam);
        DeactivateApplication(*this);
        break;
    case pw::WM_CHILDACTIVATE:
        UpdateFloatingBars(*this, true, false, pw::NullHWnd);
        break;
    case pw::WM_SYSCOLORCHANGE:
        dxBarUnit().RefreshDrawingResources();
        RefreshColors();
        break;
    case pw::WM_SETTINGCHANGE:
        if (WParam == pw::SPI_SETNONCLIENTMETRICS && FUseSystemFont) UpdateSystemFont();
        if (WParam == pw::SPI_SETWORKAREA) MoveFloatingBarsIntoWorkArea();
        break;
    case pw::WM_DISPLAYCHANGE:
        MoveFloatingBarsIntoWorkArea();
        break;
    case pw::WM_HELP:
        if (LParam != 0) HelpRequested(*reinterpret_cast<const pw::HELPINFO*>(LParam));
        break;
    case pw::WM_MDIACTIVATE:
        // A child's floating bars show with the child and hide when another child activates.
        if (FForm->FormStyle() == pf::fsMDIChild && FForm->HandleAllocated())
            UpdateFloatingBars(*this, static_cast<pw::HWND>(LParam) == FForm->Handle(), false,
                               static_cast<pw::HWND>(LParam));
        break;
    case pw::WM_SYSCOMMAND:
        switch (WParam & 0xFFF0) {
        case pw::SC_CLOSE:
            if (TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
                Active && Active->BarManager() == this && FDesignMode)
                Active->HideAll();
            [[fallthrough]];
        case pw::SC_MINIMIZE:
            for (TdxBar* Bar : FloatingBars(*this))
                if (TdxBarControl* Window = WindowOf(Bar))
                    pw::ShowWindow(Window->Handle(), pw::SW_HIDE);
            break;
        case pw::SC_MAXIMIZE:
        case pw::SC_RESTORE:
            for (TdxBar* Bar : FloatingBars(*this))
                if (TdxBarControl* Window = WindowOf(Bar)) {
                    pw::ShowWindow(Window->Handle(), pw::SW_SHOWNOACTIVATE);
                    pw::UpdateWindow(Window->Handle());
                }
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
