#include "toolkit/base/mouse_tracking.h"

#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/cx_controls_unit.h"

#include "platform/core/message_loop.h"
#include "platform/forms/controls.h"

#include <memory>

namespace toolkit::base {

namespace pc = platform::core;
namespace pf = platform::forms;

TMouseTrackingTimer::TMouseTrackingTimer(pf::TWinControl* Control, const TRect& Bounds,
                                         IcxMouseTrackingCaller* Caller, std::uint64_t Serial)
    : TcxTimer(nullptr), FCaller(Caller), FControl(Control), FBounds(Bounds), FSerial(Serial) {
    if (FControl) FControl->FreeNotification(this);
    SetInterval(cxMouseTrackingInterval);
    SetOnTimer([this](pc::TObject*) { TimerHandler(); });
}

void TMouseTrackingTimer::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    TcxTimer::Notification(AComponent, Operation);
    if (Operation == pc::opRemove && AComponent == FControl) FControl = nullptr;
}

void TMouseTrackingTimer::TimerHandler() {
    const TPoint Cursor = cxGetCursorPos();
    const bool HasWindow = FControl && FControl->HandleAllocated();
    bool Inside;
    if (auto* HitTest = dynamic_cast<IcxMouseTrackingHitTest*>(FCaller))
        Inside = HasWindow && HitTest->IsPointInside(FControl->ScreenToClient(Cursor));
    else
        Inside = platform::gdi::PtInRect(FBounds, Cursor);
    if (Inside) return;

    // The notices below may end the tracking and free this timer: only copies are used.
    IcxMouseTrackingCaller* LeftCaller = FCaller;
    pf::TWinControl* LeftControl = FControl;
    const std::uint64_t LeftSerial = FSerial;
    if (HasWindow &&
        !platform::gdi::PtInRect(LeftControl->ClientRect(), LeftControl->ScreenToClient(Cursor)))
        pc::SendMessage(LeftControl->Handle(), pf::CM_MOUSELEAVE, 0,
                        reinterpret_cast<pc::LPARAM>(LeftControl));
    LeftCaller->MouseLeave();
    // A caller that started tracking again in its notice keeps its new timer.
    cxControlsUnit().EndMouseTracking(LeftCaller, LeftSerial);
}

void BeginMouseTracking(pf::TWinControl* Control, const TRect& Bounds,
                        IcxMouseTrackingCaller* Caller) {
    TcxControlsUnit& Unit = cxControlsUnit();
    if (Unit.Finalizing() || !Caller || Unit.FindMouseTrackingTimer(Caller)) return;
    TRect ScreenBounds = Bounds;
    if (Control) {
        const TPoint TopLeft = Control->ClientToScreen(Bounds.TopLeft());
        const TPoint BottomRight = Control->ClientToScreen(Bounds.BottomRight());
        ScreenBounds = {TopLeft.X, TopLeft.Y, BottomRight.X, BottomRight.Y};
    }
    Unit.FMouseTrackingTimerList.push_back(std::make_unique<TMouseTrackingTimer>(
        Control, ScreenBounds, Caller, ++Unit.FLastMouseTrackingSerial));
}

void EndMouseTracking(IcxMouseTrackingCaller* Caller) {
    cxControlsUnit().EndMouseTracking(Caller, 0);
}

bool IsMouseTracking(IcxMouseTrackingCaller* Caller) {
    const TcxControlsUnit& Unit = cxControlsUnit();
    return !Unit.Finalizing() && Unit.FindMouseTrackingTimer(Caller) != nullptr;
}

} // namespace toolkit::base
