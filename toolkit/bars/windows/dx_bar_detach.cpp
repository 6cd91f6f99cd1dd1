#include "toolkit/bars/windows/dx_bar_detach.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/windows/dx_bar_control.h"

#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <memory>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
std::unique_ptr<TdxBarDetaching>& Session() {
    static std::unique_ptr<TdxBarDetaching> Instance;
    return Instance;
}
} // namespace

void dxBarStartDetaching(TCustomdxBarSubItem& SubItem, TdxBar& Bar, pg::TRect Threshold,
                         pg::TPoint Cursor) {
    if (Session()) return;
    Session() = std::make_unique<TdxBarDetaching>(SubItem, Bar, Threshold, Cursor);
    Session()->OnEnd = [] { Session().reset(); };
    Session()->Start();
}

TdxBarDetaching* dxBarDetaching() {
    return Session().get();
}

TdxBarDetaching::TdxBarDetaching(TCustomdxBarSubItem& SubItem, TdxBar& Bar, TRect Threshold,
                                 TPoint Cursor)
    : FSubItem(&SubItem), FBar(&Bar), FManager(Bar.BarManager()), FThreshold(Threshold),
      FLastPos(Cursor) {}

TdxBarDetaching::~TdxBarDetaching() {
    if (FEnded) return;
    FEnded = true;
    Release();
}

void TdxBarDetaching::Start() {
    platform::forms::TCustomForm* Form = FManager ? FManager->Form() : nullptr;
    if (!Form || !Form->HandleAllocated()) {
        End(false);
        return;
    }
    FManager->SetDragging(true);
    FCaptureWnd = Form->Handle();
    pw::SetCapture(FCaptureWnd);
    FMouseHook = pw::SetWindowsHookEx(
        pw::WH_MOUSE, [this](int C, pw::WPARAM W, pw::LPARAM L) { return MouseHook(C, W, L); });
    FKeyboardHook =
        pw::SetWindowsHookEx(pw::WH_KEYBOARD, [this](int C, pw::WPARAM W, pw::LPARAM L) {
            return KeyboardHook(C, W, L);
        });
}

void TdxBarDetaching::MoveStep(TPoint P) {
    const bool Inside = pg::PtInRect(FThreshold, P);
    if (!FDetached) {
        if (!Inside) Detach();
        if (FDetached) Follow(P);
        return;
    }
    if (Inside) {
        End(true);
        return;
    }
    Follow(P);
}

void TdxBarDetaching::Detach() {
    FDetached = true;
    FSubItem->DoDetaching();
    // The menu is the toolbar now: every menu of the chain closes.
    if (auto* Menu = dynamic_cast<TCustomdxBarControl*>(FSubItem->ItemLinks().BarControl());
        Menu && dxBarUnit().BarControlExists(Menu))
        Menu->HideAll();
    if (FEnded) return;
    if (FBar->Visible() && FBar->DockingStyle() != dsNone) {
        FBar->MoveWindowTo(dsNone, nullptr, FLastPos);
    } else {
        if (FBar->DockingStyle() != dsNone) FBar->SetDockingStyle(dsNone);
        FBar->SetFloatLeft(FLastPos.X);
        FBar->SetFloatTop(FLastPos.Y);
        FBar->SetVisible(true);
    }
    // The capture may have gone with the menus: the drag keeps it.
    if (pw::GetCapture() != FCaptureWnd) pw::SetCapture(FCaptureWnd);
}

void TdxBarDetaching::Follow(TPoint P) {
    auto* W = dynamic_cast<TCustomdxBarControl*>(FBar->Control());
    if (W == nullptr || !W->HandleAllocated()) return;
    const TdxBarItemControlPainter& Painter = FManager->Painter();
    const int CaptionMiddle =
        Painter.GetFloatingBorderHeight() + Painter.GetFloatingCaptionHeight() / 2;
    W->SetBounds(P.X - W->Width() / 2, P.Y - CaptionMiddle, W->Width(), W->Height());
}

pw::LRESULT TdxBarDetaching::MouseHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    if (Code != pw::HC_ACTION || FEnded)
        return pw::CallNextHookEx(FMouseHook, Code, WParam, LParam);
    if (pw::GetCapture() != FCaptureWnd) {
        // Someone else took the mouse: the drag ends where the toolbar is.
        End(false);
        return 0;
    }
    const auto* Mouse = reinterpret_cast<const pw::MOUSEHOOKSTRUCT*>(LParam);
    switch (static_cast<pw::UINT>(WParam)) {
    case pw::WM_MOUSEMOVE:
        if (Mouse->pt != FLastPos) {
            FLastPos = Mouse->pt;
            MoveStep(Mouse->pt);
        }
        return 1;
    case pw::WM_LBUTTONUP:
        End(false);
        return 1;
    default:
        return pw::CallNextHookEx(FMouseHook, Code, WParam, LParam);
    }
}

pw::LRESULT TdxBarDetaching::KeyboardHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    if (Code != pw::HC_ACTION || FEnded)
        return pw::CallNextHookEx(FKeyboardHook, Code, WParam, LParam);
    if (static_cast<int>(WParam) == pw::VK_ESCAPE) End(true);
    // Every other key waits for the drag to end.
    return 1;
}

void TdxBarDetaching::Release() {
    if (FMouseHook != pw::NullHook) pw::UnhookWindowsHookEx(FMouseHook);
    if (FKeyboardHook != pw::NullHook) pw::UnhookWindowsHookEx(FKeyboardHook);
    FMouseHook = pw::NullHook;
    FKeyboardHook = pw::NullHook;
    if (FCaptureWnd != pw::NullHWnd && pw::GetCapture() == FCaptureWnd) pw::ReleaseCapture();
    if (FManager) FManager->SetDragging(false);
}

void TdxBarDetaching::End(bool HideBar) {
    if (FEnded) return;
    FEnded = true;
    Release();
    if (HideBar && FDetached) FBar->SetVisible(false);
    // The handler may free this session: nothing of it is touched after.
    const std::function<void()> Done = std::move(OnEnd);
    if (Done) Done();
}

} // namespace toolkit::bars
