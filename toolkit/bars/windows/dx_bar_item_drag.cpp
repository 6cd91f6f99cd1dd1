#include "toolkit/bars/windows/dx_bar_item_drag.h"

#include "toolkit/bars/windows/dx_bar_windows_floor.h"

#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"

#include "platform/forms/controls.h"
#include "platform/forms/screen.h"
#include "platform/win/input_state.h"
#include "platform/win/library_cursors.h"
#include "platform/win/painting.h"
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

bool IsVertical(const TCustomdxBarControl& Window) {
    return Window.IsSubMenuControl() || Window.DockingStyle() == dsLeft ||
           Window.DockingStyle() == dsRight;
}

// The gap before the link at Index (after the last shown link when none is shown there), as
// the rectangle the mark is centred in.
pg::TRect MarkRectAt(TCustomdxBarControl& Window, int Index, bool Vertical) {
    TdxBarItemLinks* Links = Window.ItemLinks();
    const TdxBarItemLink* Before = nullptr;
    const TdxBarItemLink* After = nullptr;
    for (int I = 0; I < Links->VisibleItemCount(); ++I) {
        const TdxBarItemLink* Link = Links->VisibleItems(I);
        if (Link->Index() < Index) Before = Link;
        if (Link->Index() >= Index && After == nullptr) After = Link;
    }
    pg::TRect R{};
    if (After != nullptr) {
        R = After->ItemRect;
        const int Edge = Vertical ? R.Top : R.Left;
        (Vertical ? R.Top : R.Left) = Edge - 3;
        (Vertical ? R.Bottom : R.Right) = Edge + 3;
    } else if (Before != nullptr) {
        R = Before->ItemRect;
        const int Edge = Vertical ? R.Bottom : R.Right;
        (Vertical ? R.Top : R.Left) = Edge - 3;
        (Vertical ? R.Bottom : R.Right) = Edge + 3;
    } else {
        // An empty bar: at the start of its client area.
        pg::TRect Client{};
        pw::GetClientRect(Window.Handle(), &Client);
        R = Client;
        (Vertical ? R.Bottom : R.Right) = (Vertical ? R.Top : R.Left) + 6;
    }
    return R;
}

} // namespace

void RegisterDragCursors() {
    pf::Screen().SetCursors(crdxBarDrag, pw::LoadLibraryCursor(pw::LibraryCursor::Drag));
    pf::Screen().SetCursors(crdxBarDragCopy, pw::LoadLibraryCursor(pw::LibraryCursor::DragCopy));
    pf::Screen().SetCursors(crdxBarDragNoDrop, pw::LoadLibraryCursor(pw::LibraryCursor::NoDrop));
    pf::Screen().SetCursors(crdxBarEditSizing,
                            pw::LoadLibraryCursor(pw::LibraryCursor::EditSizing));
}

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
    FSavedCursor = pf::Screen().Cursor();
    pw::GetCursorPos(&FLastPos);
    UpdateFeedback(FLastPos);
}

bool TdxBarItemDragging::WouldChange(TCustomdxBarControl& Target, int Index, bool Copy) const {
    if (Copy || FLink == nullptr || FLink->Links() != Target.ItemLinks()) return true;
    // Onto its own place: before itself or before the link that follows it.
    return Index != FLink->Index() && Index != FLink->Index() + 1;
}

bool TdxBarItemDragging::HoverOver(TPoint Screen) {
    auto* Window = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(pw::WindowFromPoint(Screen)));
    if (!dxBarUnit().BarControlExists(Window) || !Window->HandleAllocated() ||
        Window->ItemLinks() == nullptr)
        return false;
    const TPoint P = Window->ScreenToClient(Screen);
    TdxBarItemControl* Control =
        pg::PtInRect(Window->ClientRect(), P) ? Window->ItemAtPos(P) : nullptr;
    TdxBarItemControl* Selected = Window->SelectedControl();
    // Between an entry and the menu it opened the menu stays.
    if (Control == Selected || (Control == nullptr && Selected && Selected->GetSubBarControl()))
        return false;
    // The mark goes first: what the selection opens or closes repaints under it.
    ShowMark(nullptr, 0);
    Window->SetMouseSelectedControl(Control);
    return true;
}

void TdxBarItemDragging::UpdateFeedback(TPoint Screen) {
    FLastPos = Screen;
    HoverOver(Screen);
    int Index = 0;
    TCustomdxBarControl* Target = DropTarget(Screen, Index);
    const bool Copy = FLink != nullptr && ControlHeld();
    const bool Takes = Target != nullptr || OverCommandList(Screen);
    pf::Screen().SetCursor(!Takes ? crdxBarDragNoDrop : Copy ? crdxBarDragCopy : crdxBarDrag);
    const bool Mark = Target != nullptr && WouldChange(*Target, Index, FLink == nullptr || Copy);
    ShowMark(Mark ? Target : nullptr, Index);
}

bool TdxBarItemDragging::OverCommandList(TPoint Screen) const {
    // Only a command from the dialog goes back to its list; a link dragged there goes.
    return FLink == nullptr && dxBarCustomizingServices().CommandListAt(*FManager, Screen);
}

void TdxBarItemDragging::ShowMark(TCustomdxBarControl* Window, int Index) {
    pg::TRect R{};
    bool Horizontal = true;
    if (Window != nullptr) {
        Horizontal = !IsVertical(*Window);
        R = MarkRectAt(*Window, Index, !Horizontal);
    }
    if (Window == FMarkWindow && (Window == nullptr || R == FMarkRect)) return;
    if (FMarkWindow != nullptr) ToggleMark();
    FMarkWindow = Window;
    FMarkRect = R;
    FMarkHorizontal = Horizontal;
    if (FMarkWindow == nullptr) return;
    // Drawn over what the window shows now: a paint still waiting would take it away.
    if (FMarkWindow->HandleAllocated()) pw::UpdateWindow(FMarkWindow->Handle());
    ToggleMark();
}

void TdxBarItemDragging::ToggleMark() {
    // A window that went away took its mark with it.
    if (!dxBarUnit().BarControlExists(FMarkWindow) || !FMarkWindow->HandleAllocated()) {
        FMarkWindow = nullptr;
        return;
    }
    const pw::HWND Wnd = FMarkWindow->Handle();
    const pg::HDC DC = pw::GetDC(Wnd);
    DrawDragInsertMark(DC, FMarkRect, FMarkHorizontal);
    pw::ReleaseDC(Wnd, DC);
}

TCustomdxBarControl* TdxBarItemDragging::DropTarget(TPoint Screen, int& Index) const {
    auto* Window = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(pw::WindowFromPoint(Screen)));
    if (!dxBarUnit().BarControlExists(Window) || Window->ItemLinks() == nullptr) return nullptr;
    TdxBarItemLinks* Links = Window->ItemLinks();
    // A menu of commands of its own (the customising popup), a bar whose links are not the
    // user's, and a sub-item the item holds (or is) take nothing.
    if (!Window->IsCustomizing() || !Window->IsItemCustomizingAllowed() ||
        Links->Owner() == nullptr || !Links->Owner()->CanContainItem(FItem))
        return nullptr;
    Index = Links->Count();
    // A link the window does not hand out (the MDI system menu) is no place to drop at.
    bool Outside = false, Vertical = false, Before = false;
    if (const TdxBarItemControl* Control =
            Window->ItemAtPosEx(Window->ScreenToClient(Screen), Outside, Vertical, Before);
        Control && Control->ItemLink())
        Index = Control->ItemLink()->Index() + (Before ? 0 : 1);
    return Window;
}

void TdxBarItemDragging::Drop(TPoint Screen) {
    int Index = 0;
    TCustomdxBarControl* Target = DropTarget(Screen, Index);
    const bool Copy = FLink == nullptr || ControlHeld();
    if (Target == nullptr) {
        if (OverCommandList(Screen)) {
            dxBarCustomizingServices().DropOnCommandList(*FManager, *FItem);
            return;
        }
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
    if (Dropped->Control() == nullptr) Dropped->CreateControl();
    FManager->SetSelectedItem(Dropped->Control());
    FManager->DesignerModified();
    // Laid out last: the window makes its controls anew and selects the dropped link's again,
    // so that it shows framed as the selection.
    if (!dxBarUnit().BarControlExists(Target)) return;
    Target->RefreshLayout();
    if (!dxBarUnit().BarControlExists(Target)) return;
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
        UpdateFeedback(Mouse->pt);
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
    if (static_cast<int>(WParam) == pw::VK_ESCAPE && !Up)
        End();
    else if (static_cast<int>(WParam) == pw::VK_CONTROL)
        UpdateFeedback(FLastPos);
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
    ShowMark(nullptr, 0);
    pf::Screen().SetCursor(FSavedCursor);
    if (pw::GetCapture() == FCaptureWnd) pw::ReleaseCapture();
    FManager->SetDragging(false);
}

void TdxBarWindowsFloor::DragItem(TdxBarManager& Manager, TdxBarItem* Item, TdxBarItemLink* Link) {
    if (TdxBarItemDragging::Current()) return;
    GSession = std::make_unique<TdxBarItemDragging>(Manager, Item, Link);
    GSession->Start();
}

} // namespace toolkit::bars
