#include "toolkit/bars/dx_bar_sub_item.h"

#include "toolkit/bars/dx_bar_button.h"

namespace toolkit::bars {

namespace pc = platform::core;

const pc::TComponentClass& TCustomdxBarSubItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TCustomdxBarSubItem", &TdxBarItem::ClassRef(),
        pc::ConstructorOf<TCustomdxBarSubItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarSubItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarSubItem", &TCustomdxBarSubItem::ClassRef(),
        pc::ConstructorOf<TdxBarSubItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

TCustomdxBarSubItem::TCustomdxBarSubItem(pc::TComponent* AOwner)
    : TdxBarItem(AOwner), FItemLinks(std::make_unique<TdxBarItemLinks>(BarManager(), this)) {}

TCustomdxBarSubItem::~TCustomdxBarSubItem() {
    FItemLinks.reset();
}

void TCustomdxBarSubItem::BarManagerChanged() {
    if (FItemLinks) FItemLinks->SetBarManager(BarManager());
}

bool TCustomdxBarSubItem::CanContainItem(const TdxBarItem* Item) const {
    if (const auto* Sub = dynamic_cast<const TCustomdxBarSubItem*>(Item))
        return Sub != this && !Sub->ItemLinks().ContainsItem(this);
    if (const auto* Button = dynamic_cast<const TdxBarButton*>(Item))
        return !Button->DropDownLinks() || !Button->DropDownLinks()->ContainsItem(this);
    return true;
}

void TCustomdxBarSubItem::Activate(const std::function<void()>& Open) {
    if (FActivationPending) return;
    FActivationPending = true;
    RunGuarded([&] {
        DoClick();
        DoPopup();
        if (Open) Open();
    });
    FActivationPending = false;
}

void TCustomdxBarSubItem::DoCloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarSubItem::DoDetaching() {
    if (OnDetaching) OnDetaching(this);
}

void TCustomdxBarSubItem::DoPopup() {
    if (OnPopup) OnPopup(this);
}

} // namespace toolkit::bars
