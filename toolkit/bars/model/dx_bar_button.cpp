#include "toolkit/bars/model/dx_bar_button.h"

#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/object_links.h"

#include <memory>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

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
    if (!IsLoading()) ButtonStyleChanged();
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
    DownChanged();
    if (Released) Released->SetDown(false);
}

void TdxBarButton::ActionChange(pc::TObject* Sender, bool CheckDefaults) {
    TdxBarItem::ActionChange(Sender, CheckDefaults);
    if (auto* AAction = dynamic_cast<pf::TCustomAction*>(Sender))
        if (!CheckDefaults || !FDown) SetDown(AAction->Checked());
}

void TdxBarButton::AssignTo(pc::TPersistent* Dest) const {
    TdxBarItem::AssignTo(Dest);
    if (auto* AAction = dynamic_cast<pf::TCustomAction*>(Dest)) AAction->SetChecked(FDown);
}

void TdxBarButton::SetDropDownEnabled(bool Value) {
    if (FDropDownEnabled == Value) return;
    FDropDownEnabled = Value;
    if (!IsLoading()) DropDownEnabledChanged();
}

void TdxBarButton::SetLowered(bool Value) {
    if (FLowered == Value) return;
    FLowered = Value;
    if (!IsLoading()) UpdateBarWindows();
}

void TdxBarButton::SetPaintStyle(TdxBarPaintStyle Value) {
    if (FPaintStyle == Value) return;
    FPaintStyle = Value;
    if (!IsLoading()) PaintStyleChanged();
}

namespace {
template <class F> void ForEachControl(const TdxBarButton& Button, F&& Do) {
    for (int I = 0; I < Button.LinkCount(); ++I)
        if (auto* Control = dynamic_cast<TdxBarButtonControl*>(Button.Links(I)->Control()))
            Do(*Control, *Button.Links(I));
}
} // namespace

void TdxBarButton::ButtonStyleChanged() {
    ForEachControl(*this, [](TdxBarButtonControl& C, TdxBarItemLink&) { C.ButtonStyleChanged(); });
}

void TdxBarButton::DownChanged() {
    ForEachControl(*this, [](TdxBarButtonControl& C, TdxBarItemLink&) { C.DownChanged(); });
}

void TdxBarButton::DropDownEnabledChanged() {
    ForEachControl(*this,
                   [](TdxBarButtonControl& C, TdxBarItemLink&) { C.DropDownEnabledChanged(); });
}

void TdxBarButton::PaintStyleChanged() {
    ForEachControl(*this, [](TdxBarButtonControl& C, TdxBarItemLink& Link) {
        if (!(Link.UserDefine() & dxUserDefineBit(udPaintStyle))) C.PaintStyleChanged();
    });
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

void TdxBarButton::DropDown(TdxBarButtonControl& Control, platform::gdi::TPoint P,
                            bool ByKeyboard) {
    TdxBarPopupMenu* Menu = FDropDownMenu;
    TCustomdxBarControl* Window = Control.Parent();
    if (Menu == nullptr || Window == nullptr) return;
    const platform::gdi::TRect Avoid = Window->GetItemScreenRect(&Control);
    const auto* Bar = dynamic_cast<TdxBarControl*>(Window);
    const bool Below = Bar != nullptr && !Bar->IsDockedVertically();
    const int OwnerWidth = Below ? 0 : Avoid.Right - Avoid.Left;
    const int OwnerHeight = Below ? Avoid.Bottom - Avoid.Top : 0;
    // The menu's window outlives this call: the control hears of its closing.
    const bool ReturnAtOnce = Menu->ReturnAtOnce;
    Menu->ReturnAtOnce = true;
    try {
        Menu->PopupEx(P.X, P.Y, OwnerWidth, OwnerHeight, !ByKeyboard, &Avoid);
    } catch (...) {
        Menu->ReturnAtOnce = ReturnAtOnce;
        Control.DropDownClosed();
        throw;
    }
    Menu->ReturnAtOnce = ReturnAtOnce;
    TdxBarSubMenuControl* Opened = Menu->GetSubMenuControl();
    if (Opened == nullptr || !dxBarUnit().BarControlExists(Window)) {
        Control.DropDownClosed();
        return;
    }
    Opened->SetParentBarControl(Window);
    if (Window->IsSubMenuControl()) Window->SetSubMenuControl(Opened);
    std::shared_ptr<toolkit::base::TcxObjectLink> Link = toolkit::base::cxAddObjectLink(&Control);
    auto Closed = Opened->OnCloseUp;
    Opened->OnCloseUp = [Closed, Link](pc::TObject* Sender) {
        if (Closed) Closed(Sender);
        if (auto* C = dynamic_cast<TdxBarButtonControl*>(Link->Ref)) C->DropDownClosed();
    };
    if (ByKeyboard)
        if (TdxBarItemControl* First = Opened->FirstSelectableControl())
            Opened->SetSelectedControl(First);
}

} // namespace toolkit::bars
