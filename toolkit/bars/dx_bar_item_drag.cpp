#include "toolkit/bars/dx_bar_item_drag.h"

#include "toolkit/bars/dx_bar_control.h"
#include "toolkit/bars/dx_bar_item.h"
#include "toolkit/bars/dx_bar_item_control.h"
#include "toolkit/bars/dx_bar_item_link.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "platform/forms/controls.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <algorithm>
#include <memory>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;
namespace pf = platform::forms;

namespace {

// The running session, and the last one until the next begins: a session ends inside its own
// hook, which must not free it.
std::unique_ptr<TdxBarItemDragging> GSession;

bool ControlHeld() {
    return pw::GetAsyncKeyState(pw::VK_CONTROL) < 0;
}

// A link that leaves its place hands its group boundary on to the link that follows it.
void HandOverBeginGroup(TdxBarItemLink& Link) {
    if (!Link.OwnBeginGroup()) return;
    if (TdxBarItemLink* Next = Link.Links()->Items(Link.Index() + 1)) Next->SetBeginGroup(true);
    Link.SetBeginGroup(false);
}

} // namespace

TdxBarItemDragging::TdxBarItemDragging(TdxBarManager& AManager, TdxBarItem* AItem,
                                       TdxBarItemLink* ALink)
    : FManager(&AManager), FItem(ALink ? ALink->Item() : AItem), FLink(ALink) {}

TdxBarItemDragging::~TdxBarItemDragging() {
    if (!FEnded) End();
}

TdxBarItemDragging* TdxBarItemDragging::Current() {
    return GSession && !GSession->FEnded ? GSession.get() : nullptr;
}

void TdxBarItemDragging::Start() {
    FCaptureWnd = FManager->GetCaptureWindow();
    if (FItem == nullptr || FCaptureWnd == pw::NullHWnd) {
        FEnded = true;
        return;
    }
    FManager->SetDragging(true);
    pw::SetCapture(FCaptureWnd);
    FMouseHook = pw::SetWindowsHookEx(
        pw::WH_MOUSE, [this](int C, pw::WPARAM W, pw::LPARAM L) { return MouseHook(C, W, L); });
    FKeyboardHook =
        pw::SetWindowsHookEx(pw::WH_KEYBOARD, [this](int C, pw::WPARAM W, pw::LPARAM L) {
            return KeyboardHook(C, W, L);
        });
}

TCustomdxBarControl* TdxBarItemDragging::DropTarget(TPoint Screen, int& Index) {
    auto* Window = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(pw::WindowFromPoint(Screen)));
    if (!dxBarUnit().BarControlExists(Window) || Window->ItemLinks() == nullptr) return nullptr;
    TdxBarItemLinks* Links = Window->ItemLinks();
    const TPoint P = Window->ScreenToClient(Screen);
    const bool Vertical = Window->IsSubMenuControl() || Window->DockingStyle() == dsLeft ||
                          Window->DockingStyle() == dsRight;
    Index = Links->Count();
    for (int I = 0; I < Links->VisibleItemCount(); ++I) {
        TdxBarItemLink* Link = Links->VisibleItems(I);
        const pg::TRect R = Link->ItemRect;
        if (Link->Control() == nullptr || !pg::PtInRect(R, P)) continue;
        const bool Before = Vertical ? P.Y - R.Top < R.Bottom - P.Y : P.X - R.Left < R.Right - P.X;
        Index = Link->Index() + (Before ? 0 : 1);
        break;
    }
    return Window;
}

void TdxBarItemDragging::Drop(TPoint Screen) {
    int Index = 0;
    TCustomdxBarControl* Target = DropTarget(Screen, Index);
    const bool Copy = FLink == nullptr || ControlHeld();
    if (Target == nullptr) {
        if (!Copy) {
            TdxBarItemLinks* Links = FLink->Links();
            HandOverBeginGroup(*FLink);
            Links->Delete(FLink->Index());
            FLink = nullptr;
        }
        return;
    }
    TdxBarItemLinks* Links = Target->ItemLinks();
    TdxBarItemLink* Dropped = nullptr;
    if (!Copy && FLink->Links() == Links) {
        const int Cur = FLink->Index();
        const int New = Index > Cur ? Index - 1 : Index;
        if (New == Cur) return;
        HandOverBeginGroup(*FLink);
        Links->Move(Cur, New);
        Dropped = FLink;
    } else {
        Dropped = Links->Add(FItem);
        Links->Move(Dropped->Index(), std::min(Index, Links->Count() - 1));
        if (!Copy) {
            TdxBarItemLinks* Source = FLink->Links();
            HandOverBeginGroup(*FLink);
            Source->Delete(FLink->Index());
            FLink = nullptr;
            if (TCustomdxBarControl* Old = Source->BarControl()) Old->RefreshLayout();
        }
    }
    Dropped->BringToTopInRecentList(false);
    Target->RefreshLayout();
    if (Dropped->Control() == nullptr) Dropped->CreateControl();
    FManager->SetSelectedItem(Dropped->Control());
    FManager->DesignerModified();
    Target->Invalidate();
}

pw::LRESULT TdxBarItemDragging::MouseHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    if (Code != pw::HC_ACTION || FEnded)
        return pw::CallNextHookEx(FMouseHook, Code, WParam, LParam);
    if (pw::GetCapture() != FCaptureWnd) {
        End();
        return 0;
    }
    const auto* Mouse = reinterpret_cast<const pw::MOUSEHOOKSTRUCT*>(LParam);
    switch (static_cast<pw::UINT>(WParam)) {
    case pw::WM_MOUSEMOVE:
        return 1;
    case pw::WM_LBUTTONUP: {
        const TPoint At = Mouse->pt;
        // The capture goes before the drop, so that the windows re-lay out as usual.
        End();
        Drop(At);
        return 1;
    }
    default:
        return pw::CallNextHookEx(FMouseHook, Code, WParam, LParam);
    }
}

pw::LRESULT TdxBarItemDragging::KeyboardHook(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    if (Code != pw::HC_ACTION || FEnded)
        return pw::CallNextHookEx(FKeyboardHook, Code, WParam, LParam);
    const bool Up = (static_cast<std::uint32_t>(LParam) & 0x80000000u) != 0;
    if (static_cast<int>(WParam) == pw::VK_ESCAPE && !Up) End();
    // Every other key waits for the drop.
    return 1;
}

void TdxBarItemDragging::End() {
    if (FEnded) return;
    FEnded = true;
    if (FMouseHook != pw::NullHook) pw::UnhookWindowsHookEx(FMouseHook);
    if (FKeyboardHook != pw::NullHook) pw::UnhookWindowsHookEx(FKeyboardHook);
    FMouseHook = pw::NullHook;
    FKeyboardHook = pw::NullHook;
    if (pw::GetCapture() == FCaptureWnd) pw::ReleaseCapture();
    FManager->SetDragging(false);
}

void TdxBarManager::DragItem(TdxBarItem* Item, TdxBarItemLink* Link) {
    if (!IsCustomizing() || TdxBarItemDragging::Current()) return;
    GSession = std::make_unique<TdxBarItemDragging>(*this, Item, Link);
    GSession->Start();
}

} // namespace toolkit::bars
