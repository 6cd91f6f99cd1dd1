#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/cx_timer.h"
#include "toolkit/base/object_links.h"

#include "platform/win/messages.h"

#include <memory>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
// The one delayed open or close: its control and its timer.
TdxBarSubItemControl* GPendingControl = nullptr;
std::unique_ptr<toolkit::base::TcxTimer> GPendingTimer;

void CancelPending() {
    GPendingControl = nullptr;
    GPendingTimer.reset();
}

void StartPending(TdxBarSubItemControl* Control, bool Open) {
    CancelPending();
    GPendingControl = Control;
    GPendingTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
    GPendingTimer->SetInterval(400);
    GPendingTimer->SetOnTimer([Open](pc::TObject*) {
        TdxBarSubItemControl* C = GPendingControl;
        // The handler frees the timer: nothing of it is touched afterwards.
        CancelPending();
        if (C == nullptr) return;
        try {
            if (Open)
                C->ControlActivate(true);
            else
                C->ControlInactivate(true);
        } catch (...) {
        }
    });
}
} // namespace

const TdxBarItemControlClass& TdxBarSubItemControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarSubItemControl", &TdxBarItemControl::ClassRef(),
        pc::ConstructorOf<TdxBarSubItemControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

TdxBarSubItemControl::~TdxBarSubItemControl() {
    if (GPendingControl == this) CancelPending();
    if (TdxBarSubMenuControl* Menu = GetSubMenuControl()) {
        Menu->SubItemControl = nullptr;
        Menu->HideAndFree();
    }
}

TdxBarSubMenuControl* TdxBarSubItemControl::GetSubMenuControl() const {
    TCustomdxBarSubItem* Sub = SubItem();
    if (Sub == nullptr) return nullptr;
    auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Sub->ItemLinks().BarControl());
    return Menu && !Menu->Closing() ? Menu : nullptr;
}

TCustomdxBarControl* TdxBarSubItemControl::GetSubBarControl() const {
    return GetSubMenuControl();
}

TdxBarSubMenuControl* TdxBarSubItemControl::CreateSubMenuControl() {
    TdxBarManager* Manager = BarManager();
    TCustomdxBarSubItem* Sub = SubItem();
    if (Manager == nullptr || Sub == nullptr) return nullptr;
    auto Owned = std::make_unique<TdxBarSubMenuControl>(Manager);
    TdxBarSubMenuControl& Menu = *Owned;
    Manager->InsertComponent(std::move(Owned));
    Menu.SetItemLinks(&Sub->ItemLinks());
    return &Menu;
}

void TdxBarSubItemControl::ControlActivate(bool Immediately) {
    if (!CanOpenMenu()) return;
    if (TdxBarSubMenuControl* Open = GetSubMenuControl()) {
        TdxBarSubItemControl* Other = Open->SubItemControl;
        if (Other && Other != this && Other->Active()) {
            Other->ControlInactivate(true);
        } else {
            if (GPendingControl == this) CancelPending();
            return;
        }
    }
    TdxBarItemControl::ControlActivate(Immediately);
    TdxBarManager* Manager = BarManager();
    if (!GetEnabled() && !(Manager && Manager->IsDesigning())) return;
    TCustomdxBarControl* Window = Parent();
    if (Window == nullptr) return;
    const bool Customizing = Window->IsCustomizing();
    // The quick-customise bar is a toolbar window that acts as a menu: hovering its entry opens
    // the sub-menu after the menu delay.
    if (auto* Bar = dynamic_cast<TdxBarControl*>(Window);
        Bar && !Customizing && !Bar->IsQuickCustomizeMenu()) {
        // Hovering a main-menu entry only highlights it until a menu was opened by a click.
        if (!Bar->MenusOpen) return;
        Immediately = true;
    }
    if (!Immediately && !Customizing) {
        if (GPendingControl && GPendingControl != this &&
            GPendingControl->Parent() != Window->ParentBarControl()) {
            TdxBarSubItemControl* Pending = GPendingControl;
            CancelPending();
            Pending->ControlInactivate(true);
        }
        StartPending(this, true);
        return;
    }
    // A delayed open of this entry, left by the hover before the click, is done now: left
    // pending, it would make the next leave close the menu at once.
    if (GPendingControl == this) CancelPending();
    // The sub-item's OnClick and OnPopup run first; a raise from them ends the opening.
    auto Self = toolkit::base::cxAddObjectLink(this);
    auto Open = [this, &Self, Window] {
        if (Self->Ref && dxBarUnit().BarControlExists(Window)) OpenMenu(Window);
    };
    if (TCustomdxBarSubItem* Sub = SubItem())
        Sub->Activate(Open);
    else
        Open();
}

void TdxBarSubItemControl::OpenMenu(TCustomdxBarControl* Window) {
    auto Self = toolkit::base::cxAddObjectLink(this);
    TdxBarSubMenuControl* Menu = CreateSubMenuControl();
    if (Menu == nullptr) return;
    const TRect R = Window->GetItemRect(this);
    pg::TPoint P{};
    if (Window->IsSubMenuControl()) {
        P = {R.Right, R.Top - Menu->GetBorderSize()};
        Menu->OwnerWidth = R.Right - R.Left;
    } else if (Window->DockingStyle() == dsLeft || Window->DockingStyle() == dsRight) {
        P = {R.Right, R.Top};
        Menu->OwnerWidth = R.Right - R.Left;
    } else {
        P = {R.Left, R.Bottom};
        Menu->OwnerHeight = R.Bottom - R.Top;
    }
    Menu->SubItemControl = this;
    // A toolbar's menu hangs from its item: the two cast one shadow.
    if (!Window->IsSubMenuControl()) Menu->OwnerItemRect = Window->GetItemScreenRect(this);
    P = Window->ClientToScreen(P);
    Menu->SetBounds(P.X, P.Y, Menu->Width(), Menu->Height());
    Window->SetSubMenuControl(Menu);
    Menu->SetParentBarControl(Window);
    if (!Window->IsSubMenuControl()) Repaint();
    Menu->Animating = OpenedByMouse;
    OpenedByMouse = false;
    Menu->Show();
    if (Self->Ref && Painter().RepaintAfterMenuOpened()) Repaint();
}

void TdxBarSubItemControl::ControlInactivate(bool Immediately) {
    if (!CanOpenMenu()) return;
    TCustomdxBarControl* Window = Parent();
    if (Window && Window->IsSubMenuControl() && !Immediately && GPendingControl == nullptr &&
        dxBarUnit().BarControlExists(Window) && !Window->DestroyingControls() &&
        !Window->IsCustomizing()) {
        StartPending(this, false);
        return;
    }
    TdxBarSubMenuControl* Menu = GetSubMenuControl();
    if (Menu) Menu->SubItemControl = nullptr;
    TdxBarItemControl::ControlInactivate(Immediately);
    if (GPendingControl == this) CancelPending();
    auto Self = toolkit::base::cxAddObjectLink(this);
    if (Menu) {
        if (Window && Window->SubMenuControl() == Menu) Window->SetSubMenuControl(nullptr);
        Menu->HideAndFree();
    }
    if (Self->Ref == nullptr) return;
    if (Window && !Window->IsSubMenuControl() && dxBarUnit().BarControlExists(Window)) Repaint();
    if (Menu)
        if (TCustomdxBarSubItem* Sub = SubItem()) Sub->DoCloseUp();
}

void TdxBarSubItemControl::MouseDown(bool ByMouse) {
    TdxBarManager* Manager = BarManager();
    if (GetSubMenuControl()) {
        const bool Standard = Manager && Manager->GetPaintStyle() == 0;
        if ((Parent() && Parent()->IsCustomizing()) || Standard) ControlInactivate(true);
        return;
    }
    if (auto* Bar = dynamic_cast<TdxBarControl*>(Parent())) Bar->MenusOpen = true;
    auto Self = toolkit::base::cxAddObjectLink(this);
    ControlActivate(true);
    if (Self->Ref == nullptr || ByMouse) return;
    if (TdxBarSubMenuControl* Menu = GetSubMenuControl())
        if (TdxBarItemControl* First = Menu->FirstSelectableControl())
            Menu->SetSelectedControl(First);
}

void TdxBarSubItemControl::KeyDown(std::uint16_t Key) {
    if (Key == pw::VK_RIGHT) Click(false);
}

bool TdxBarSubItemControl::WantsKey(std::uint16_t Key) const {
    return TdxBarItemControl::WantsKey(Key) ||
           (Key == pw::VK_RIGHT && Parent() && Parent()->IsSubMenuControl());
}

int TdxBarSubItemControl::GetSubItemHeight() const {
    return Painter().CalcSubItemHeight(PaintedItem());
}

int TdxBarSubItemControl::GetSubItemWidth() const {
    return Painter().CalcSubItemWidth(PaintedItem());
}

int TdxBarSubItemControl::GetDefaultHeight() const {
    if (Parent() && Parent()->ItemPaintType() == ptVert) return GetSubItemWidth();
    return GetSubItemHeight();
}

int TdxBarSubItemControl::GetDefaultWidth() const {
    if (Parent() && Parent()->ItemPaintType() == ptVert) return GetSubItemHeight();
    return GetSubItemWidth();
}

bool TdxBarSubItemControl::HandlesDblClick() const {
    TdxBarManager* Manager = BarManager();
    if (Manager && Manager->IsDesigning()) return false;
    return TdxBarItemControl::HandlesDblClick();
}

void TdxBarSubItemControl::Paint(const TRect& R, TdxBarPaintType Kind) {
    if (pg::IsRectEmpty(R) || Parent() == nullptr) return;
    TdxBarItemStates S = PaintStates(Kind);
    S.OpensMenu = true;
    // Open: active with its menu window shown (the menu windows come later).
    S.Down = Active() && GetSubBarControl() != nullptr;
    Painter().DrawSubItem(PaintedItem(), Parent()->PaintDC(), S, S.Selected, R);
}

void TdxBarSubItemControl::FillPaintedItem(TdxBarItemControlState& State) const {
    TdxBarItemControl::FillPaintedItem(State);
    if (TCustomdxBarSubItem* Sub = SubItem()) State.ShowsCaption = Sub->ShowCaption();
}

// --- Container items ---

// The menu of a container item's control: it shows the entries the item generates, in links of
// its own, and is never customizing.
class TContainerItemSubMenuControl : public TdxBarSubMenuControl {
public:
    TContainerItemSubMenuControl(TdxBarManager* Manager, TdxBarContainerItemControl& Owner)
        : TdxBarSubMenuControl(Manager), FOwner(&Owner), FItem(Owner.ContainerItem()),
          FLinks(std::make_unique<TdxBarItemLinks>(Manager, FItem)) {
        FLinks->UseRecentItems = false;
    }
    ~TContainerItemSubMenuControl() override {
        if (FOwner && FOwner->FMenu == this) FOwner->FMenu = nullptr;
        SetItemLinks(nullptr);
        if (FItem) FItem->MarkSubMenuClosed();
    }
    TdxBarItemLinks& Entries() { return *FLinks; }
    bool IsCustomizing() const override { return false; }
    // The owner control goes first: the menu forgets it.
    void OwnerGoing() { FOwner = nullptr; }

protected:
    void DoCloseUp() override {
        if (FItem) FItem->RemoveEntries(*FLinks, 0);
        TdxBarSubMenuControl::DoCloseUp();
    }

private:
    TdxBarContainerItemControl* FOwner;
    TCustomdxBarContainerItem* FItem;
    std::unique_ptr<TdxBarItemLinks> FLinks;
};

const TdxBarItemControlClass& TdxBarContainerItemControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarContainerItemControl", &TdxBarSubItemControl::ClassRef(),
        pc::ConstructorOf<TdxBarContainerItemControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

TdxBarContainerItemControl::~TdxBarContainerItemControl() {
    if (auto* Menu = dynamic_cast<TContainerItemSubMenuControl*>(FMenu)) {
        Menu->OwnerGoing();
        FMenu = nullptr;
        Menu->SubItemControl = nullptr;
        Menu->HideAndFree();
    }
}

TCustomdxBarContainerItem* TdxBarContainerItemControl::ContainerItem() const {
    return dynamic_cast<TCustomdxBarContainerItem*>(Item());
}

std::string TdxBarContainerItemControl::GetCaption() const {
    const std::string Caption = TdxBarSubItemControl::GetCaption();
    TCustomdxBarContainerItem* Container = ContainerItem();
    if (Parent() && Parent()->IsSubMenuControl() && Container && Container->ExpandsInPlace())
        return "(" + Caption + ")";
    return Caption;
}

bool TdxBarContainerItemControl::WantsDblClick() const {
    return !(Parent() && Parent()->IsCustomizing());
}

TdxBarSubMenuControl* TdxBarContainerItemControl::GetSubMenuControl() const {
    return FMenu && !FMenu->Closing() ? FMenu : nullptr;
}

TdxBarSubMenuControl* TdxBarContainerItemControl::CreateSubMenuControl() {
    TdxBarManager* Manager = BarManager();
    TCustomdxBarContainerItem* Container = ContainerItem();
    if (Manager == nullptr || Container == nullptr || (Parent() && Parent()->IsCustomizing()))
        return nullptr;
    auto Owned = std::make_unique<TContainerItemSubMenuControl>(Manager, *this);
    TContainerItemSubMenuControl& Menu = *Owned;
    Manager->InsertComponent(std::move(Owned));
    Container->AddEntries(Menu.Entries(), 0, ItemLink(), true);
    Menu.Entries().RefreshVisibleLists();
    Menu.SetItemLinks(&Menu.Entries());
    FMenu = &Menu;
    return &Menu;
}

void TdxBarContainerItemControl::Paint(const TRect& R, TdxBarPaintType Kind) {
    TCustomdxBarContainerItem* Container = ContainerItem();
    if (Kind == ptMenu && Container && Container->ExpandsInPlace() && Parent() &&
        !pg::IsRectEmpty(R)) {
        // In a menu the entries stand for it: the row is only its background.
        TdxBarItemStates S = PaintStates(Kind);
        S.Selected = false;
        Painter().DrawMenuButton(PaintedItem(), Parent()->PaintDC(), R, S);
        return;
    }
    TdxBarSubItemControl::Paint(R, Kind);
}

} // namespace toolkit::bars
