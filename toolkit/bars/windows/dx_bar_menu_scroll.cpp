// The menu window's timed behaviours: scrolling a menu taller than its work area while the
// mouse rests on a scroll arrow, and personalised menus (the collapsed menu of recently used
// links, its expand area, the expand delays and Ctrl+Down).

#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "platform/core/message_loop.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
constexpr int ScrollTimer = 1;
// Started by a selection change: the expand area turns hot.
constexpr int HotTimer = 2;
// Started on opening and by resting on the hot expand area: the menu expands.
constexpr int ExpandTimer = 3;
constexpr unsigned ScrollInterval = 80;
constexpr unsigned RestInterval = 4000;
constexpr unsigned HotRestInterval = 1000;
} // namespace

// --- Areas ---

pg::TRect TdxBarSubMenuControl::ScrollUpArea() const {
    if (!CanScrollUp() || ItemLinks() == nullptr) return {};
    const TdxBarItemLink* Link = ItemLinks()->VisibleItems(FTopIndex);
    return Link ? Link->ItemRect : TRect{};
}

pg::TRect TdxBarSubMenuControl::ScrollDownArea() const {
    if (!CanScrollDown() || ItemLinks() == nullptr) return {};
    const TdxBarItemLink* Link =
        ItemLinks()->VisibleItems(std::max(FTopIndex, 0) + VisibleRowCount() - 1);
    if (Link == nullptr) return {};
    TRect R = Link->ItemRect;
    R.Bottom = ClientRect().Bottom - 2 - (HasHiddenLinks() ? TextSize() : 0);
    R.Bottom = std::max(R.Bottom, R.Top);
    return R;
}

pg::TRect TdxBarSubMenuControl::ExpandArea() const {
    if (!HasHiddenLinks()) return {};
    int LowestBottom = 0;
    TRect Area{};
    Painter().CalcSubMenuRect(PaintedBar(), false, LowestBottom, Area);
    return {Area.Left, LowestBottom, Area.Right, ClientRect().Bottom};
}

bool TdxBarSubMenuControl::CursorIn(const TRect& ClientArea) {
    if (!HandleAllocated() || pg::IsRectEmpty(ClientArea)) return false;
    TPoint P{};
    pw::GetCursorPos(&P);
    pw::ScreenToClient(Handle(), &P);
    return pg::PtInRect(ClientArea, P);
}

// --- Scrolling ---

void TdxBarSubMenuControl::StartScrollTimer() {
    if (FScrollTimerId != 0 || !HandleAllocated()) return;
    FScrollTimerId = ScrollTimer;
    pc::SetTimer(Handle(), ScrollTimer, ScrollInterval);
}

void TdxBarSubMenuControl::StopScrollTimer() {
    if (FScrollTimerId == 0) return;
    if (HandleAllocated()) pc::KillTimer(Handle(), ScrollTimer);
    FScrollTimerId = 0;
    ResetLastMousePos();
}

void TdxBarSubMenuControl::ScrollTimerTick() {
    if (CanScrollDown() && CursorIn(ScrollDownArea())) {
        SetTopIndex(FTopIndex + 1);
        return;
    }
    if (CanScrollUp() && CursorIn(ScrollUpArea())) {
        SetTopIndex(FTopIndex - 1);
        return;
    }
    StopScrollTimer();
    // The selection follows the mouse again, from where it rests now: in menu mode the active
    // window takes the move as the keyboard hook routes input to it.
    TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    TCustomdxBarControl* Active = ActiveBarControl();
    if (BarManager() && BarManager()->IsInMenuMode() && Active && Active->HandleAllocated()) {
        TPoint P = Cursor;
        pw::ScreenToClient(Active->Handle(), &P);
        pc::PostMessage(Active->Handle(), pw::WM_MOUSEMOVE, 0, pw::PointToLParam(P));
        return;
    }
    TPoint P = Cursor;
    pw::ScreenToClient(Handle(), &P);
    pc::SendMessage(Handle(), pw::WM_MOUSEMOVE, 0, pw::PointToLParam(P));
}

void TdxBarSubMenuControl::WMMouseMove(TMessage& Message) {
    const TPoint P = pw::LParamToPoint(Message.LParam);
    const bool Moved = !IsMouseStill(ClientToScreen(P));
    // The opener keeps its item highlighted while the mouse is in its menu.
    if (Moved && SubItemControl)
        if (TCustomdxBarControl* Parent = ParentBarControl();
            Parent && dxBarUnit().BarControlExists(Parent) &&
            Parent->SelectedControl() != SubItemControl) {
            Parent->SetMouseSelectedControl(SubItemControl);
            if (!dxBarUnit().BarControlExists(this)) return;
        }
    if (IsDetachable()) {
        SetDetachCaptionSelected(InDetachCaption(ClientToScreen(P)));
        if (!dxBarUnit().BarControlExists(this)) return;
    }
    if (HasHiddenLinks()) {
        SetMarkState(pg::PtInRect(ExpandArea(), P) ? 1 : 0);
        if (!dxBarUnit().BarControlExists(this)) return;
    }
    const bool OverUp = CanScrollUp() && pg::PtInRect(ScrollUpArea(), P);
    const bool OverDown = CanScrollDown() && pg::PtInRect(ScrollDownArea(), P);
    if (OverUp || OverDown) {
        if (FScrollTimerId == 0 && Moved) {
            SetSelectedControl(nullptr);
            if (!dxBarUnit().BarControlExists(this)) return;
            StartScrollTimer();
        }
        return;
    }
    StopScrollTimer();
    TCustomdxBarControl::WMMouseMove(Message);
    // Off the rows the window's pointer goes back to the default: not over the hot strip.
    if (dxBarUnit().BarControlExists(this) && FDetachCaptionSelected)
        SetCursor(platform::forms::crSizeAll);
}

void TdxBarSubMenuControl::WMLButtonDown(TMessage& Message) {
    if (FScrollTimerId != 0) return;
    const TPoint P = pw::LParamToPoint(Message.LParam);
    // The rows under the scroll arrows are not there to be clicked.
    if (pg::PtInRect(ScrollUpArea(), P) || pg::PtInRect(ScrollDownArea(), P)) return;
    TCustomdxBarControl::WMLButtonDown(Message);
    if (!dxBarUnit().BarControlExists(this) || IgnoreNextButtonUp) return;
    if (FDetachCaptionSelected) {
        DetachDrag();
        return;
    }
    if (!pg::PtInRect(ExpandArea(), P)) return;
    if (MarkState() != 1) {
        SetSelectedControl(nullptr);
        if (dxBarUnit().BarControlExists(this)) SetMarkState(1);
    } else {
        SetMarkState(2);
    }
}

void TdxBarSubMenuControl::DoSetSelectedControl(TdxBarItemControl* Control) {
    if (MarkState() == 0) {
        StopExpandTimer();
        if (Active() && RecentItemsMode() && !RecentItemsExpanded() && BarManager() &&
            BarManager()->ShowFullMenusAfterDelay())
            StartExpandTimer(HotTimer, RestInterval);
    }
    if (Control && Control->ItemLink() && HandleAllocated()) {
        const int Index = Control->ItemLink()->GetVisibleIndex();
        if (CanScrollUp() && Index >= 0 && Index <= FTopIndex) {
            SetTopIndex(Index - 1);
        } else if (CanScrollDown() && Index >= FTopIndex + VisibleRowCount() - 1) {
            const int Count = ItemLinks()->VisibleItemCount();
            while (FTopIndex < Count &&
                   Index > FTopIndex + VisibleRowCount() - 1 - (CanScrollDown() ? 1 : 0)) {
                ++FTopIndex;
                CalcLayout(false);
            }
            Invalidate();
        }
    }
    TCustomdxBarControl::DoSetSelectedControl(Control);
}

// --- Personalised menus ---

bool TdxBarSubMenuControl::RecentItemsMode() const {
    return BarManager() && BarManager()->IsMenusShowRecentItemsFirst() && ItemLinks() &&
           ItemLinks()->UseRecentItemsEffective();
}

bool TdxBarSubMenuControl::HasHiddenLinks() const {
    return RecentItemsMode() &&
           ItemLinks()->VisibleItemCount() < ItemLinks()->CanVisibleItemCount();
}

void TdxBarSubMenuControl::ApplyRecentItemCount() {
    if (ItemLinks() == nullptr) return;
    ItemLinks()->SetRecentItemCount(
        RecentItemsMode() && !RecentItemsExpanded() ? ItemLinks()->GetRecentItemCount() : -1);
}

void TdxBarSubMenuControl::StartExpandTimer(int Id, unsigned Interval) {
    StopExpandTimer();
    if (!HandleAllocated()) return;
    FExpandTimerId = Id;
    pc::SetTimer(Handle(), static_cast<std::uintptr_t>(Id), Interval);
}

void TdxBarSubMenuControl::StopExpandTimer() {
    if (FExpandTimerId == 0) return;
    if (HandleAllocated()) pc::KillTimer(Handle(), static_cast<std::uintptr_t>(FExpandTimerId));
    FExpandTimerId = 0;
}

void TdxBarSubMenuControl::ExpandTimerTick(int Id) {
    if (HandleAllocated()) pc::KillTimer(Handle(), static_cast<std::uintptr_t>(Id));
    if (FExpandTimerId == Id) FExpandTimerId = 0;
    if (Id == ExpandTimer)
        SetMarkState(2);
    else if (SubMenuControl() == nullptr)
        SetMarkState(1);
}

void TdxBarSubMenuControl::SetActive(bool Value) {
    TCustomdxBarControl::SetActive(Value);
    if (!Value) {
        StopExpandTimer();
        return;
    }
    if (RecentItemsMode() && !RecentItemsExpanded() && BarManager()->ShowFullMenusAfterDelay())
        StartExpandTimer(ExpandTimer, RestInterval);
}

void TdxBarSubMenuControl::SetMarkState(int Value) {
    if (IsCustomizing() || !RecentItemsMode()) return;
    // While the user types in an edit of the menu the expand area stays cold: expanding would
    // build the rows again under the text being typed.
    if (const auto* Edit = dynamic_cast<const TdxBarWinControl*>(SelectedControl());
        Value == 1 && Edit && Edit->Focused())
        Value = 0;
    if (Value == MarkState()) return;
    TCustomdxBarControl::SetMarkState(Value);
    if (Value == 2)
        ExpandMenu();
    else if (HandleAllocated())
        Invalidate();
    if (!dxBarUnit().BarControlExists(this) || BarManager() == nullptr) return;
    if (BarManager()->ShowFullMenusAfterDelay()) {
        StopExpandTimer();
        if (Value == 1 && CursorIn(ExpandArea())) StartExpandTimer(ExpandTimer, HotRestInterval);
    } else if (Value == 1) {
        UpdateHint(BarManager(), true, toolkit::base::cxGetResourceString(dxSBAR_EXPAND));
    } else {
        UpdateHint(BarManager(), false);
    }
}

void TdxBarSubMenuControl::ExpandMenu() {
    if (!HasHiddenLinks()) return;
    SetRecentItemsExpanded(true);
    StopExpandTimer();
    if (auto* Child = dynamic_cast<TdxBarSubMenuControl*>(SubMenuControl())) Child->HideAndFree();
    // The window opens again where it was placed, with every link, the rarely used ones on
    // their own brush, unfolding or sliding out again as the manager's animation says.
    TCustomdxBarControl::SetMarkState(0);
    TdxBarItemLink* Selected = SelectedControl() ? SelectedControl()->ItemLink() : nullptr;
    RefreshLayout();
    if (!dxBarUnit().BarControlExists(this) || Closing()) return;
    Animating = true;
    Show();
    if (Selected && Selected->Control() && dxBarUnit().BarControlExists(this))
        SetSelectedControl(Selected->Control());
}

bool TdxBarSubMenuControl::ExpandByKey(std::uint16_t Key) {
    if (!HasHiddenLinks()) return false;
    const pf::TShiftState Shift = GetShiftStateByKeys();
    if (Key == pw::VK_DOWN && Shift == pf::ssCtrl) {
        SetMarkState(2);
        return true;
    }
    if ((Key != pw::VK_DOWN && Key != pw::VK_TAB) || Shift != 0) return false;
    const int Count = ItemLinks()->VisibleItemCount();
    const TdxBarItemControl* Selected = SelectedControl();
    if (Selected == nullptr || Count == 0 ||
        Selected->ItemLink() != ItemLinks()->VisibleItems(Count - 1))
        return false;
    SetMarkState(2);
    if (dxBarUnit().BarControlExists(this) && HandleAllocated())
        pc::SendMessage(Handle(), pw::WM_KEYDOWN, Key, 0);
    return true;
}

} // namespace toolkit::bars
