#include "toolkit/bars/dx_bar_button.h"

namespace toolkit::bars {

namespace pc = platform::core;

const pc::TComponentClass& TdxBarButton::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarButton", &TdxBarItem::ClassRef(),
        pc::ConstructorOf<TdxBarButton, pc::TComponent, pc::TComponent*>());
    return cls;
}

TdxBarButton::TdxBarButton(pc::TComponent* AOwner) : TdxBarItem(AOwner) {
    UnclickAfterDoing = true;
}

TdxBarButton::~TdxBarButton() = default;

void TdxBarButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    if (FGroupIndex == 0 || !BarManager()) return;
    for (int I = 0; I < BarManager()->GetItemCount(); ++I)
        if (auto* Button = dynamic_cast<TdxBarButton*>(BarManager()->GetItem(I)))
            if (Button->FGroupIndex == FGroupIndex) Button->FAllowAllUp = Value;
}

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle Value) {
    if (FButtonStyle == Value) return;
    FButtonStyle = Value;
    SetDown(false);
}

void TdxBarButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = FButtonStyle == bsChecked ? Value : 0;
    SetDown(false);
}

bool TdxBarButton::AnotherDownInGroup() const {
    if (!BarManager()) return false;
    for (int I = 0; I < BarManager()->GetItemCount(); ++I) {
        const auto* Button = dynamic_cast<const TdxBarButton*>(BarManager()->GetItem(I));
        if (Button && Button != this && Button->FButtonStyle == bsChecked &&
            Button->FGroupIndex == FGroupIndex && Button->FDown)
            return true;
    }
    return false;
}

TdxBarButton* TdxBarButton::FirstDownInGroup() const {
    if (!BarManager()) return nullptr;
    for (int I = 0; I < BarManager()->GetItemCount(); ++I) {
        auto* Button = dynamic_cast<TdxBarButton*>(BarManager()->GetItem(I));
        if (Button && Button->FButtonStyle == bsChecked && Button->FGroupIndex == FGroupIndex &&
            Button->FDown)
            return Button;
    }
    return nullptr;
}

void TdxBarButton::SetDown(bool Value) {
    if (FDown == Value) return;
    if (FButtonStyle != bsChecked && Value) return;
    TdxBarButton* Released = nullptr;
    if (!IsLoading() && FButtonStyle == bsChecked && FGroupIndex != 0) {
        if (!Value && !FAllowAllUp && !AnotherDownInGroup()) return;
        if (Value) Released = FirstDownInGroup();
    }
    FDown = Value;
    if (IsLoading()) return;
    if (Released) Released->SetDown(false);
}

void TdxBarButton::SetDropDownEnabled(bool Value) {
    FDropDownEnabled = Value;
}

void TdxBarButton::SetDropDownMenuParts(TdxBarPopupMenu* Menu, pc::TComponent* Component,
                                        TdxBarItemLinks* Links) {
    if (FDropDownComponent && FDropDownComponent != Component)
        RemoveFreeNotification(FDropDownComponent);
    FDropDownMenu = Menu;
    FDropDownComponent = Component;
    FDropDownLinks = Links;
    if (Component) FreeNotification(Component);
}

void TdxBarButton::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    TdxBarItem::Notification(AComponent, Operation);
    if (Operation == pc::opRemove && AComponent == FDropDownComponent) {
        FDropDownMenu = nullptr;
        FDropDownComponent = nullptr;
        FDropDownLinks = nullptr;
    }
}

void TdxBarButton::Click() {
    if (Enabled() && FButtonStyle == bsChecked) SetDown(!FDown);
    TdxBarItem::Click();
}

bool TdxBarButton::HasAccessibleCaption(const TdxBarItemLink* Link) const {
    if (!TdxBarItem::HasAccessibleCaption(Link)) return false;
    const TdxBarItemLinksOwner* Owner = Link ? Link->Links()->Owner() : nullptr;
    if (!Owner || Owner->LinksOwnerKind() != TdxBarLinksOwnerKind::Bar) return true;
    const TdxBarPaintStyle Style = Link->GetPaintStyle();
    // A toolbar control's own effective paint style comes with the item controls.
    return Style == psCaption || Style == psCaptionGlyph;
}

} // namespace toolkit::bars
