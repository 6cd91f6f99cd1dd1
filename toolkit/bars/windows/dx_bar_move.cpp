#include "toolkit/bars/windows/dx_bar_move.h"

#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
// Tried in this order, so that a corner where two sites meet goes to the side ones.
constexpr TdxBarDockingStyle kTargetOrder[] = {dsLeft, dsRight, dsTop, dsBottom};

int Scale(int Size, int Part, int Whole) {
    return Whole > 0 ? static_cast<int>(static_cast<long long>(Size) * Part / Whole) : 0;
}
// A site's docking zone reaches past the site into its parent: where another control of the
// parent (a panel, an editor) lies under the point, the bar is not docked there but floats over
// that control. The work area of an MDI frame, which fills the form between its sites, is no
// control of the form's: over its edge the bar docks on the site beside it.
bool OverAnotherChild(TdxDockControl& Site, pg::TPoint P) {
    const pw::HWND Parent = pw::GetParent(Site.Handle());
    if (Parent == pw::NullHWnd) return false;
    pg::TPoint Client = P;
    pw::ScreenToClient(Parent, &Client);
    const pw::HWND Child = pw::ChildWindowFromPointEx(Parent, Client, pw::CWP_SKIPINVISIBLE);
    if (Child == pw::NullHWnd || Child == Parent || Child == Site.Handle()) return false;
    auto* Form = dynamic_cast<platform::forms::TCustomForm*>(platform::forms::FindControl(Parent));
    return !(Form && Form->FormStyle() == platform::forms::fsMDIForm &&
             Child == Form->ClientHandle());
}
} // namespace

TdxBarMoving::TdxBarMoving(TdxBar& ABar, TPoint Cursor)
    : FBar(&ABar), FStartStyle(ABar.DockingStyle()), FLastPos(Cursor) {
    if (TdxBarControl* W = Window(); W && W->HandleAllocated()) {
        pw::TRect R;
        pw::GetWindowRect(W->Handle(), &R);
        FGrab = {Cursor.X - R.Left, Cursor.Y - R.Top};
        FGrabSize = {R.Width(), R.Height()};
        // The bar's outer size in every style, measured once: the window the drag began with
        // may give way to another when the bar changes sides.
        for (int S = dsNone; S <= dsBottom; ++S) {
            const auto Style = static_cast<TdxBarDockingStyle>(S);
            const int Limit =
                Style == dsNone && FBar->FloatClientWidth() > 0 ? FBar->FloatClientWidth() : -1;
            const pg::TSize Client =
                Style == dsNone ? W->GetSizeForDockingStyle(dsNone, Limit) : W->GetFullSize(Style);
            FStyleSizes[static_cast<std::size_t>(S)] = {Client.cx + FBar->GetNonClientWidth(Style),
                                                        Client.cy +
                                                            FBar->GetNonClientHeight(Style)};
        }
        FStyleSizes[FStartStyle] = FGrabSize;
        // Measuring for other styles marked the window's lines: they are its own again.
        W->CalcItemRects();
    }
}

TdxBarMoving::~TdxBarMoving() {
    if (FEnded) return;
    FEnded = true;
    Release();
}

void TdxBarMoving::Start() {
    TdxBarManager* Manager = FBar->BarManager();
    platform::forms::TCustomForm* Form = Manager->Form();
    if (!Window() || !Form || FGrabSize.cx <= 0) {
        End();
        return;
    }
    FDockingTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
    FDockingTimer->SetEnabled(false);
    FDockingTimer->SetInterval(
        static_cast<std::uint32_t>(std::max(Manager->WaitForDockingTime(), 1)));
    FDockingTimer->SetOnTimer([this](platform::core::TObject*) { DockingTimer(); });
    Manager->SetDragging(true);
    FCaptureWnd = Form->Handle();
    pw::SetCapture(FCaptureWnd);
    FMouseHook = pw::SetWindowsHookEx(
        pw::WH_MOUSE, [this](int C, pw::WPARAM W, pw::LPARAM L) { return MouseHook(C, W, L); });
    FKeyboardHook =
        pw::SetWindowsHookEx(pw::WH_KEYBOARD, [this](int C, pw::WPARAM W, pw::LPARAM L) {
            return KeyboardHook(C, W, L);
        });
}

TdxBarControl* TdxBarMoving::Window() const {
    return dynamic_cast<TdxBarControl*>(FBar->Control());
}

TdxBarMoving::TPoint TdxBarMoving::GetGrabOffset(TdxBarDockingStyle Style) const {
    if (Style == FStartStyle) return FGrab;
    const pg::TSize Size = FStyleSizes[static_cast<std::size_t>(Style)];
    return {Scale(Size.cx, FGrab.X, FGrabSize.cx), Scale(Size.cy, FGrab.Y, FGrabSize.cy)};
}

TdxBarMoving::TTarget TdxBarMoving::FindTarget(TPoint P) const {
    if (pw::GetAsyncKeyState(pw::VK_CONTROL) < 0) return {};
    TdxBarManager* Manager = FBar->BarManager();
    const TPoint Grab = GetGrabOffset(FBar->DockingStyle());
    for (const TPoint Q : {P, TPoint{P.X - Grab.X, P.Y - Grab.Y}})
        for (const TdxBarDockingStyle Style : kTargetOrder)
            for (int I = 0; I < Manager->GetDockControlCount(); ++I) {
                TdxDockControl* Site = Manager->GetDockControl(I);
                if (!Site || Site->DockingStyle() != Style || !Site->Visible() ||
                    !Site->HandleAllocated() || !Manager->CanDocking(FBar, Style, Site))
                    continue;
                pg::TRect Zone;
                Site->GetDockZone(Zone);
                if (pg::PtInRect(Zone, Q) && !OverAnotherChild(*Site, Q)) return {Style, Site};
            }
    return {};
}

void TdxBarMoving::MoveStep(TPoint P, bool TimerPass) {
    TTarget Target = FindTarget(P);
    if (!FBar->BarManager()->CanDocking(FBar, Target.Style, Target.Site)) return;
    const bool Floating = FBar->DockingStyle() == dsNone;
    if (!TimerPass && Floating && Target.Style != dsNone) {
        // A floating bar docks only once the cursor rests over the site.
        FDockingTimer->SetEnabled(false);
        FDockingTimer->SetEnabled(true);
        Target = {};
    }
    TdxBarControl* W = Window();
    if (!W) return;
    if (Target.Style == dsNone) {
        const TPoint Grab = GetGrabOffset(dsNone);
        const TPoint Origin{P.X - Grab.X, P.Y - Grab.Y};
        if (Floating)
            W->SetBounds(Origin.X, Origin.Y, W->Width(), W->Height());
        else
            FBar->MoveWindowTo(dsNone, nullptr, Origin);
    } else if (!Floating && Target.Site == FBar->GetRealDockControl()) {
        Target.Site->MoveBarTo(W, P);
    } else {
        FBar->MoveWindowTo(Target.Style, Target.Site, P);
    }
}

void TdxBarMoving::DockingTimer() {
    FDockingTimer->SetEnabled(false);
    if (FEnded) return;
    TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    MoveStep(Cursor, true);
}

pw::LRESULT TdxBarMoving::MouseHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    if (Code != pw::HC_ACTION || FEnded)
        return pw::CallNextHookEx(FMouseHook, Code, WParam, LParam);
    if (pw::GetCapture() != FCaptureWnd) {
        // Someone else took the mouse: the drag ends where the bar is.
        End();
        return 0;
    }
    const auto* Mouse = reinterpret_cast<const pw::MOUSEHOOKSTRUCT*>(LParam);
    switch (static_cast<pw::UINT>(WParam)) {
    case pw::WM_MOUSEMOVE:
        if (Mouse->pt != FLastPos) {
            FLastPos = Mouse->pt;
            MoveStep(Mouse->pt, false);
        }
        return 1;
    case pw::WM_LBUTTONUP:
        End();
        return 1;
    default:
        return pw::CallNextHookEx(FMouseHook, Code, WParam, LParam);
    }
}

pw::LRESULT TdxBarMoving::KeyboardHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    if (Code != pw::HC_ACTION || FEnded)
        return pw::CallNextHookEx(FKeyboardHook, Code, WParam, LParam);
    const auto Key = static_cast<int>(WParam);
    const bool Up = (static_cast<std::uint32_t>(LParam) & 0x80000000u) != 0;
    if (Key == pw::VK_CONTROL) {
        // Ctrl takes effect at once, as if the mouse had moved.
        TPoint Cursor{};
        pw::GetCursorPos(&Cursor);
        FLastPos = Cursor;
        MoveStep(Cursor, false);
    } else if (Key == pw::VK_ESCAPE && !Up) {
        End();
    }
    // Every other key waits for the drag to end.
    return 1;
}

void TdxBarMoving::Release() {
    if (FDockingTimer) FDockingTimer->SetEnabled(false);
    if (FMouseHook != pw::NullHook) pw::UnhookWindowsHookEx(FMouseHook);
    if (FKeyboardHook != pw::NullHook) pw::UnhookWindowsHookEx(FKeyboardHook);
    FMouseHook = pw::NullHook;
    FKeyboardHook = pw::NullHook;
    if (FCaptureWnd != pw::NullHWnd && pw::GetCapture() == FCaptureWnd) pw::ReleaseCapture();
    TdxBarManager* Manager = FBar->BarManager();
    Manager->SetDragging(false);
    if (FBar->DockingStyle() != dsNone)
        if (TdxDockControl* Site = FBar->GetRealDockControl()) Site->UpdateDock();
}

void TdxBarMoving::End() {
    if (FEnded) return;
    FEnded = true;
    Release();
    // The handler may free this session: nothing of it is touched after.
    const std::function<void()> Done = std::move(OnEnd);
    if (Done) Done();
}

} // namespace toolkit::bars
