#include "toolkit/bars/model/dx_bar_button.h"

#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/filer.h"

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
    if (BarManager()) BarManager()->ItemDesignChanged();
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

namespace {
constexpr const char* kButtonStyleNames[] = {"bsDefault", "bsChecked", "bsDropDown"};
} // namespace

void TdxBarButton::DefinePublishedProperties(pc::TFiler& Filer) {
    TdxBarItem::DefinePublishedProperties(Filer);
    Filer.DefineProperty(
        "AllowAllUp", [this](pc::TReader& Reader) { SetAllowAllUp(Reader.ReadBoolean()); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(FAllowAllUp); }, FAllowAllUp);
    Filer.DefineProperty(
        "ButtonStyle",
        [this](pc::TReader& Reader) {
            SetButtonStyle(static_cast<TdxBarButtonStyle>(Reader.ReadEnum(kButtonStyleNames)));
        },
        [this](pc::TWriter& Writer) { Writer.WriteEnum(FButtonStyle, kButtonStyleNames); },
        FButtonStyle != bsDefault);
    Filer.DefineProperty(
        "CloseSubMenuOnClick",
        [this](pc::TReader& Reader) { CloseSubMenuOnClick = Reader.ReadBoolean(); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(CloseSubMenuOnClick); },
        !CloseSubMenuOnClick);
    Filer.DefineProperty(
        "DropDownEnabled",
        [this](pc::TReader& Reader) { SetDropDownEnabled(Reader.ReadBoolean()); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(FDropDownEnabled); }, !FDropDownEnabled);
    Filer.DefineProperty(
        "GroupIndex", [this](pc::TReader& Reader) { SetGroupIndex(Reader.ReadInteger()); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(FGroupIndex); }, FGroupIndex != 0);
    Filer.DefineProperty(
        "Down", [this](pc::TReader& Reader) { SetDown(Reader.ReadBoolean()); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(FDown); },
        FDown && IsStoredBeside(&TdxBarItemActionLink::IsCheckedLinked));
    Filer.DefineReference(
        "DropDownMenu", FDropDownComponent,
        [this](pc::TComponent* Component) {
            TdxBarPopupMenu* Menu = nullptr;
            TdxBarItemLinks* Links = nullptr;
            if (Component && dxBarWindowServices().PopupMenuOf(Component, Menu, Links))
                SetDropDownMenuParts(Menu, Component, Links);
            else
                SetDropDownMenuParts(nullptr, nullptr, nullptr);
        },
        FDropDownComponent != nullptr);
    DefineGlyph(Filer);
    DefineImageIndex(Filer);
    Filer.DefineProperty(
        "Lowered", [this](pc::TReader& Reader) { SetLowered(Reader.ReadBoolean()); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(FLowered); }, FLowered);
    Filer.DefineProperty(
        "PaintStyle",
        [this](pc::TReader& Reader) {
            SetPaintStyle(static_cast<TdxBarPaintStyle>(Reader.ReadEnum(dxBarPaintStyleNames)));
        },
        [this](pc::TWriter& Writer) { Writer.WriteEnum(FPaintStyle, dxBarPaintStyleNames); },
        FPaintStyle != psStandard);
    DefineShortCut(Filer);
    Filer.DefineProperty(
        "UnclickAfterDoing",
        [this](pc::TReader& Reader) { UnclickAfterDoing = Reader.ReadBoolean(); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(UnclickAfterDoing); },
        !UnclickAfterDoing);
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
// The controls of the button's links hear of a change of the button.
template <class F> void ForEachControl(const TdxBarButton& Button, F&& Do) {
    for (int I = 0; I < Button.LinkCount(); ++I)
        if (TdxBarItemControl* Control = Button.Links(I)->Control()) Do(*Control, *Button.Links(I));
}
} // namespace

void TdxBarButton::ButtonStyleChanged() {
    ForEachControl(*this, [](TdxBarItemControl& C, TdxBarItemLink&) {
        dxBarWindowServices().ControlChanged(C, TdxBarControlChange::ButtonStyle);
    });
}

void TdxBarButton::DownChanged() {
    ForEachControl(*this, [](TdxBarItemControl& C, TdxBarItemLink&) {
        dxBarWindowServices().ControlChanged(C, TdxBarControlChange::Down);
    });
}

void TdxBarButton::DropDownEnabledChanged() {
    ForEachControl(*this, [](TdxBarItemControl& C, TdxBarItemLink&) {
        dxBarWindowServices().ControlChanged(C, TdxBarControlChange::DropDownEnabled);
    });
}

void TdxBarButton::PaintStyleChanged() {
    ForEachControl(*this, [](TdxBarItemControl& C, TdxBarItemLink& Link) {
        if (!(Link.UserDefine() & dxUserDefineBit(udPaintStyle)))
            dxBarWindowServices().ControlChanged(C, TdxBarControlChange::PaintStyle);
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
    if (Style == psCaption || Style == psCaptionGlyph) return true;
    // The control may show the caption all the same (a button without an image).
    const TdxBarItemControl* Control = Link->Control();
    return Control != nullptr && dxBarWindowServices().ControlShowsCaption(*Control);
}

} // namespace toolkit::bars
