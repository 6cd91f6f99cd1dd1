// What the form's messages do to the manager's windows (TdxBarManager::HandleFormMessage decides
// when): the floating bars hide, show and move back into the work area with the form, the
// quick-customise window follows it, leaving the application closes what the manager shows,
// and help on a bar item finds the item's help context.

#include "toolkit/bars/windows/dx_bar_windows_floor.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_quick_customize_window.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/forms/application.h"
#include "platform/forms/controls.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

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

bool TdxBarWindowsFloor::IsOwnBarWindow(const TdxBarManager& Manager, pw::HWND Window) const {
    auto* Other = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(Window));
    return Other != nullptr && Other->BarManager() == &Manager;
}

void TdxBarWindowsFloor::HideFloatingBars(TdxBarManager& Manager) {
    for (TdxBar* Bar : FloatingBars(Manager))
        if (TdxBarControl* Window = WindowOf(Bar)) pw::ShowWindow(Window->Handle(), pw::SW_HIDE);
}

void TdxBarWindowsFloor::ShowFloatingBars(TdxBarManager& Manager) {
    for (TdxBar* Bar : FloatingBars(Manager))
        if (TdxBarControl* Window = WindowOf(Bar)) {
            pw::ShowWindow(Window->Handle(), pw::SW_SHOWNOACTIVATE);
            pw::UpdateWindow(Window->Handle());
        }
}

void TdxBarWindowsFloor::QuickCustomizeFollowForm(TdxBarManager& Manager,
                                                  const pw::WINDOWPOS& Pos) {
    if (const pw::HWND Quick = QuickCustomizeWindow(Manager); Quick != pw::NullHWnd) {
        if (Pos.flags & pw::SWP_SHOWWINDOW) pw::ShowWindow(Quick, pw::SW_SHOWNA);
        if (Pos.flags & pw::SWP_HIDEWINDOW) pw::ShowWindow(Quick, pw::SW_HIDE);
    }
}

void TdxBarWindowsFloor::DeactivateApplication(TdxBarManager& Manager) {
    // Another application's window takes the user, from the form or from a window of ours
    // that is not it (the Customize dialog): the floating bars go as for an inactive form, no
    // menu of this manager stays open and no item stays highlighted.
    toolkit::bars::UpdateFloatingBars(Manager, false, false, pw::NullHWnd);
    if (TdxBarItemControl* Selected = Manager.SelectedItem())
        if (TCustomdxBarControl* Window = Selected->Parent(); Window && Window->HandleAllocated())
            pc::SendMessage(Window->Handle(), pw::WM_MOUSELEAVE, 0, 0);
    Manager.SetSelectedItem(nullptr);
}

void TdxBarWindowsFloor::MoveFloatingBarsIntoWorkArea(TdxBarManager& Manager) {
    pf::TCustomForm* Form = Manager.Form();
    if (Form == nullptr) return;
    const pg::TRect F = Form->BoundsRect();
    const pg::TRect Work = GetMonitorWorkArea({(F.Left + F.Right) / 2, (F.Top + F.Bottom) / 2});
    for (TdxBar* Bar : FloatingBars(Manager)) {
        if (TdxBarControl* Window = WindowOf(Bar)) {
            pg::TRect R{};
            pw::GetWindowRect(Window->Handle(), &R);
            const pg::TRect Moved = IntoWorkArea(R, Work);
            if (Moved.Left != R.Left || Moved.Top != R.Top)
                Window->SetBounds(Moved.Left, Moved.Top, Moved.Right - Moved.Left,
                                  Moved.Bottom - Moved.Top);
        } else {
            // No window yet (its form has not been shown): the bounds it will be made with, when
            // the bar has them, else its stored position and size; both move.
            TdxDockedBarWindow* Pending = Bar->Control();
            const pg::TRect Stored = Pending
                                         ? Pending->BoundsRect()
                                         : pg::TRect{Bar->FloatLeft(), Bar->FloatTop(),
                                                     Bar->FloatLeft() + Bar->FloatClientWidth(),
                                                     Bar->FloatTop() + Bar->FloatClientHeight()};
            const pg::TRect Moved = IntoWorkArea(Stored, Work);
            if (Pending) Pending->SetBoundsRect(Moved);
            Bar->SetFloatLeft(Moved.Left);
            Bar->SetFloatTop(Moved.Top);
        }
    }
}

void TdxBarWindowsFloor::HelpRequested(TdxBarManager& Manager, const pw::HELPINFO& Info) {
    if (Info.iContextType != pw::HELPINFO_WINDOW) return;
    int Context = 0;
    pg::TPoint At = Info.MousePos;
    if (TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
        Active && Active->BarManager() == &Manager) {
        if (TdxBarItemControl* Control = HelpControlOf(Active)) {
            Context = Control->Item()->HelpContext;
        } else {
            Context = Active->HelpContext;
            Active->HideAll();
        }
    } else {
        // Help on a bar window: the item control under the help point.
        auto* Window = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(Info.hItemHandle));
        if (Window == nullptr || Window->BarManager() != &Manager) return;
        TdxBarItemControl* Control = Window->ItemAtPos(Window->ScreenToClient(At));
        if (Control == nullptr || Control->Item() == nullptr) return;
        Context = Control->Item()->HelpContext;
        const pg::TRect R = Window->GetItemScreenRect(Control);
        At = {(R.Left + R.Right) / 2, R.Bottom};
        if (TCustomdxBarControl* Open = TCustomdxBarControl::ActiveBarControl()) Open->HideAll();
    }
    if (Context == 0) return;
    if (pf::TCustomForm* Form = Manager.Form(); Form && (Form->BorderIcons() & pf::biHelp) != 0) {
        // The context pop-up at the help point; no viewer here tells positions apart.
        pf::Application().HelpCommand(8, Context);
        return;
    }
    pf::Application().HelpContext(Context);
}

} // namespace toolkit::bars
