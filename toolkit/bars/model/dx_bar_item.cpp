#include "toolkit/bars/model/dx_bar_item.h"

#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/base/object_links.h"

#include "platform/core/filer.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

// The caption as the hint's short part shows it: without its first "&" and its first "...".
std::string HintFromCaption(std::string Caption) {
    if (const auto Amp = Caption.find('&'); Amp != std::string::npos) Caption.erase(Amp, 1);
    if (const auto Dots = Caption.find("..."); Dots != std::string::npos) Caption.erase(Dots, 3);
    return Caption;
}

std::string ShortHint(const std::string& Hint) {
    return Hint.substr(0, Hint.find('|'));
}

} // namespace

const pc::TComponentClass& TdxBarItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarItem", &pc::TComponent::ClassRef(),
        pc::ConstructorOf<TdxBarItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

TdxBarItem::TdxBarItem(pc::TComponent* AOwner) : pc::TComponent(AOwner) {
    TdxBarManager* Manager = nullptr;
    if (dynamic_cast<pf::TCustomForm*>(AOwner)) Manager = GetBarManagerByControl(AOwner);
    if (!Manager && dxBarUnit().BarManagerList().GetCount() > 0)
        Manager = dxBarUnit().BarManagerList().GetItem(0);
    FGlyph = std::make_unique<pf::TBitmap>();
    FGlyph->OnChange = [this] { GlyphChanged(); };
    SetBarManager(Manager);
}

TdxBarItem::~TdxBarItem() {
    // A click that runs on the item (its control's) hears that it went.
    toolkit::base::cxClearObjectLinks(this);
    if (OnDestroy) OnDestroy(this);
    // The Customize dialog may list it: it lets go once the manager no longer has it.
    const bool Listed = FBarManager && FBarManager->IsCustomizing() && FCategory >= 0;
    FreeLinks();
    SetBarManager(nullptr);
    if (Listed) dxBarCustomizingServices().CustomizingBarItemDeleted();
}

void TdxBarItem::SetBarManager(TdxBarManager* Value) {
    if (FBarManager == Value) return;
    if (FBarManager) {
        FBarManager->RemoveItem(this);
        RemoveFreeNotification(FBarManager);
    }
    FBarManager = Value;
    if (FBarManager) FBarManager->AddItem(this);
    BarManagerChanged();
}

void TdxBarItem::FreeLinks() {
    const bool Lock = FBarManager && !FBarManager->IsDestroying() && !FBarManager->LockUpdate();
    if (Lock) FBarManager->SetLockUpdate(true);
    while (!FLinks.empty()) {
        TdxBarItemLink* Link = FLinks.back();
        FLinks.pop_back();
        if (TdxBarItemLinks* Owner = Link->Links()) Owner->Delete(Owner->IndexOf(Link));
    }
    if (Lock) FBarManager->SetLockUpdate(false);
}

bool TdxBarItem::IsLoading() const {
    return (ComponentState() & pc::csLoading) != 0;
}

void TdxBarItem::SetAlign(TdxBarItemAlign Value) {
    if (FAlign == Value) return;
    FAlign = Value;
    AlignChanged();
}

void TdxBarItem::AlignChanged() {
    for (TdxBarItemLink* Link : FLinks)
        if (TdxBarItemControl* Control = Link->Control())
            dxBarWindowServices().ControlChanged(*Control, TdxBarControlChange::Layout);
}

bool TdxBarItem::HintMirrorsCaption() const {
    return ShortHint(Hint) == HintFromCaption(FCaption);
}

void TdxBarItem::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    const bool Mirrors =
        !FCaptionFromAction && CaptionMirrorsIntoHint() && (Hint.empty() || HintMirrorsCaption());
    FCaption = Value;
    if (IsLoading()) return;
    if (Mirrors) {
        const auto Bar = Hint.find('|');
        Hint = HintFromCaption(FCaption) + (Bar == std::string::npos ? "" : Hint.substr(Bar));
    }
    CaptionChanged();
}

void TdxBarItem::SetCategory(int Value) {
    if (!IsLoading()) {
        if (!FBarManager || Value < 0 || Value >= FBarManager->Categories().Count()) return;
    }
    FCategory = Value;
    // The dialog shows the item where it now belongs, unless a popup is adding it.
    if (FBarManager && FBarManager->IsCustomizing() && FBarManager->IsDesigning() && !IsLoading() &&
        (ComponentState() & pc::csDestroying) == 0 && !dxBarCustomizingServices().AddingItem())
        dxBarCustomizingServices().SelectCustomizingBarItem(this, true);
    if (FBarManager) FBarManager->DesignerModified();
}

void TdxBarItem::SetDescription(const std::string& Value) {
    FDescription = Value;
    if (FBarManager) FBarManager->ItemDesignChanged();
}

bool TdxBarItem::Enabled() const {
    if (FBarManager && !FBarManager->IsDesigning() && FBarManager->IsCustomizing() &&
        FCategory >= 0)
        return true;
    return FEnabled;
}

void TdxBarItem::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    if (!IsLoading()) EnabledChanged();
}

void TdxBarItem::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    GlyphChanged();
}

void TdxBarItem::SetShortCut(pf::TShortCut Value) {
    if (FShortCut == Value) return;
    FShortCut = Value;
    if (!IsLoading()) ShortCutChanged();
}

bool TdxBarItem::VisibleWaitsForManager() const {
    return (FBarManager && FBarManager->IsLoading()) || (!FBarManager && IsLoading());
}

TdxBarItemVisible TdxBarItem::VisibleToCome() const {
    return VisibleWaitsForManager() ? FLoadedVisible : FVisible;
}

void TdxBarItem::SetVisible(TdxBarItemVisible Value) {
    if (VisibleWaitsForManager()) {
        FLoadedVisible = Value;
        return;
    }
    if (FVisible == Value) return;
    FVisible = Value;
    VisibleChanged();
}

TdxBarItemLink* TdxBarItem::Links(int Index) const {
    if (Index < 0 || Index >= LinkCount()) return nullptr;
    return FLinks[static_cast<std::size_t>(Index)];
}

void TdxBarItem::AddLink(TdxBarItemLink* Link) {
    FLinks.push_back(Link);
}

void TdxBarItem::RemoveLink(TdxBarItemLink* Link) {
    std::erase(FLinks, Link);
}

int TdxBarItem::GetIndex() const {
    return FBarManager ? FBarManager->IndexOfItem(this) : -1;
}

bool TdxBarItem::HasControl() const {
    for (const TdxBarItemLink* Link : FLinks)
        if (Link->Control()) return true;
    return false;
}

TdxBarItemLink* TdxBarItem::GetActiveLink() const {
    for (TdxBarItemLink* Link : FLinks)
        if (TdxBarItemControl* Control = Link->Control();
            Control && dxBarWindowServices().ControlActive(*Control))
            return Link;
    return nullptr;
}

bool TdxBarItem::ActuallyVisible() const {
    const bool Customizing = FBarManager && FBarManager->IsCustomizing();
    switch (FVisible) {
    case ivAlways:
        return HasContent() || Customizing;
    case ivInCustomizing:
        return Customizing;
    default:
        return false;
    }
}

bool TdxBarItem::HasAccessibleCaption(const TdxBarItemLink*) const {
    return Enabled();
}

// The controls that show the item's links hear of its changes; a link that shows a caption or
// glyph of its own keeps it.
void TdxBarItem::CaptionChanged() {
    for (TdxBarItemLink* Link : FLinks)
        if (TdxBarItemControl* Control = Link->Control())
            if (!(Link->UserDefine() & dxUserDefineBit(udCaption)))
                dxBarWindowServices().ControlChanged(*Control, TdxBarControlChange::Caption);
    if (FBarManager) FBarManager->ItemDesignChanged();
}

void TdxBarItem::EnabledChanged() {
    for (TdxBarItemLink* Link : FLinks)
        if (TdxBarItemControl* Control = Link->Control())
            dxBarWindowServices().ControlChanged(*Control, TdxBarControlChange::Enabled);
}

void TdxBarItem::GlyphChanged() {
    for (TdxBarItemLink* Link : FLinks)
        if (TdxBarItemControl* Control = Link->Control())
            if (!(Link->UserDefine() & dxUserDefineBit(udGlyph)))
                dxBarWindowServices().ControlChanged(*Control, TdxBarControlChange::Glyph);
    if (FBarManager) FBarManager->ItemDesignChanged();
}

// A menu shows the shortcut beside the caption: the menu windows re-lay out.
void TdxBarItem::ShortCutChanged() {
    TdxBarWindowServices& Windows = dxBarWindowServices();
    for (TdxBarItemLink* Link : FLinks)
        if (TdxBarItemControl* Control = Link->Control())
            if (TCustomdxBarControl* Window = Windows.ControlWindow(*Control);
                Window && Windows.IsSubMenuControl(*Window))
                Windows.RefreshLayout(*Window);
    if (FBarManager) FBarManager->ItemDesignChanged();
}

void TdxBarItem::RepaintControls() {
    TdxBarWindowServices& Windows = dxBarWindowServices();
    for (TdxBarItemLink* Link : FLinks)
        if (TdxBarItemControl* Control = Link->Control())
            if (!Windows.ControlSelectedInActiveWindow(*Control)) Windows.RepaintControl(*Control);
}

void TdxBarItem::UpdateBarWindows() {
    TdxBarWindowServices& Windows = dxBarWindowServices();
    // The list is copied: a window's new layout may make and free controls.
    const std::vector<TdxBarItemLink*> Links = FLinks;
    for (TdxBarItemLink* Link : Links)
        if (TdxBarItemControl* Control = Link->Control())
            if (TCustomdxBarControl* Window = Windows.ControlWindow(*Control);
                !Windows.ControlSelectedInActiveWindow(*Control) && Window)
                Windows.RefreshLayout(*Window);
}

// The links' windows show the item or let it go: a control is made for a link that can show
// now and freed for one that cannot; the windows then lay out again (unless painting was
// locked already: whoever locked it lays them out).
void TdxBarItem::VisibleChanged() {
    if (!FBarManager || FBarManager->IsDesigning()) return;
    const bool Lock = FBarManager->LockUpdate();
    FBarManager->SetLockUpdate(true);
    std::vector<TCustomdxBarControl*> Windows;
    for (TdxBarItemLink* Link : FLinks) {
        Link->Links()->RefreshVisibleLists();
        if (TCustomdxBarControl* Window = Link->GetBarControl();
            Window && std::find(Windows.begin(), Windows.end(), Window) == Windows.end())
            Windows.push_back(Window);
        if (ActuallyVisible()) {
            Link->BringToTopInRecentList(false);
            if (Link->Control() == nullptr && Link->CanVisible()) Link->CreateControl();
        } else {
            Link->SendToBottomInRecentList();
            Link->DestroyControl();
        }
    }
    FBarManager->SetLockUpdate(Lock);
    FBarManager->ItemDesignChanged();
    if (Lock) {
        if (!Windows.empty()) FBarManager->LayoutHeld();
        return;
    }
    for (TCustomdxBarControl* Window : Windows)
        if (dxBarUnit().BarControlExists(Window)) dxBarWindowServices().RefreshLayout(*Window);
}

void TdxBarItem::Click() {
    if (CanBeClicked()) DirectClick();
}

void TdxBarItem::DirectClick() {
    if (!Enabled()) return;
    RunGuarded([this] {
        if (FBarManager) FBarManager->DoClickItem(this);
        DoClick();
    });
}

void TdxBarItem::RunGuarded(const std::function<void()>& Handler) {
    try {
        Handler();
    } catch (...) {
        pf::Application().HandleException(this, std::current_exception());
    }
}

void TdxBarItem::DoClick() {
    pf::TBasicAction* AAction = Action();
    if (OnClick && (!AAction || !pf::SameRoutine(OnClick, AAction->OnExecute()))) {
        OnClick(this);
        return;
    }
    if ((ComponentState() & pc::csDesigning) == 0 && FActionLink) FActionLink->Execute(this);
}

// --- The action ---

pf::TBasicAction* TdxBarItem::Action() const {
    return FActionLink ? FActionLink->Action() : nullptr;
}

const TdxBarItemActionLinkClass& TdxBarItem::GetActionLinkClass() const {
    return TdxBarItemActionLink::ClassRef();
}

void TdxBarItem::SetAction(pf::TBasicAction* Value) {
    pf::TBasicAction* Old = Action();
    if (Value == Old) return;
    if (Old) RemoveFreeNotification(Old);
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) {
        FActionLink = GetActionLinkClass().Create(this);
        FActionLink->OnChange = [this](pc::TObject* Sender) {
            if (Sender && Sender == Action()) ActionChange(Sender, false);
        };
    }
    FActionLink->SetAction(Value);
    ActionChange(Value, (Value->ComponentState() & pc::csLoading) != 0);
    Value->FreeNotification(this);
}

void TdxBarItem::ActionChange(pc::TObject* Sender, bool CheckDefaults) {
    auto* AAction = dynamic_cast<pf::TCustomAction*>(Sender);
    if (!AAction) return;
    if (!CheckDefaults || FCaption.empty()) {
        FCaptionFromAction = true;
        struct Clear {
            bool& Flag;
            ~Clear() { Flag = false; }
        } ClearFlag{FCaptionFromAction};
        SetCaption(AAction->Caption());
    }
    if (!CheckDefaults || FEnabled) SetEnabled(AAction->Enabled());
    if (!CheckDefaults || HelpContext == 0) HelpContext = AAction->HelpContext();
    if (!CheckDefaults || Hint.empty()) Hint = AAction->Hint();
    if (!CheckDefaults || FImageIndex == -1) SetImageIndexByAction(AAction->ImageIndex());
    if (!CheckDefaults || FShortCut == 0) SetShortCut(AAction->ShortCut());
    if (!CheckDefaults || VisibleToCome() == ivAlways)
        SetVisible(BoolToItemVisible(AAction->Visible()));
    if (!CheckDefaults || !OnClick) OnClick = AAction->OnExecute();
}

void TdxBarItem::AssignTo(pc::TPersistent* Dest) const {
    auto* AAction = dynamic_cast<pf::TCustomAction*>(Dest);
    if (!AAction) {
        pc::TComponent::AssignTo(Dest);
        return;
    }
    AAction->SetCaption(FCaption);
    AAction->SetEnabled(Enabled());
    AAction->SetHelpContext(HelpContext);
    AAction->SetHint(Hint);
    AAction->SetImageIndex(FImageIndex);
    AAction->SetShortCut(FShortCut);
    if (FVisible != ivInCustomizing) AAction->SetVisible(FVisible == ivAlways);
    AAction->SetOnExecute(OnClick);
}

// --- Form streams ---

namespace {
constexpr const char* kAlignNames[] = {"iaLeft", "iaCenter", "iaRight", "iaClient"};
} // namespace

bool TdxBarItem::IsStoredBeside(bool (TdxBarItemActionLink::*Linked)() const) const {
    return FActionLink == nullptr || !(FActionLink.get()->*Linked)();
}

void TdxBarItem::DefinePublishedProperties(pc::TFiler& Filer) {
    pc::TComponent::DefinePublishedProperties(Filer);
    pf::TBasicAction* AAction = Action();
    Filer.DefineReference(
        "Action", AAction,
        [this](pc::TComponent* Component) {
            SetAction(dynamic_cast<pf::TBasicAction*>(Component));
        },
        AAction != nullptr);
    Filer.DefineProperty(
        "Align",
        [this](pc::TReader& Reader) {
            SetAlign(static_cast<TdxBarItemAlign>(Reader.ReadEnum(kAlignNames)));
        },
        [this](pc::TWriter& Writer) { Writer.WriteEnum(FAlign, kAlignNames); }, FAlign != iaLeft);
    Filer.DefineProperty(
        "Caption", [this](pc::TReader& Reader) { SetCaption(Reader.ReadString()); },
        [this](pc::TWriter& Writer) { Writer.WriteString(FCaption); },
        !FCaption.empty() && IsStoredBeside(&TdxBarItemActionLink::IsCaptionLinked));
    Filer.DefineProperty(
        "Category", [this](pc::TReader& Reader) { SetCategory(Reader.ReadInteger()); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(FCategory); }, true);
    Filer.DefineProperty(
        "Description", [this](pc::TReader& Reader) { SetDescription(Reader.ReadString()); },
        [this](pc::TWriter& Writer) { Writer.WriteString(FDescription); }, !FDescription.empty());
    Filer.DefineProperty(
        "Enabled", [this](pc::TReader& Reader) { SetEnabled(Reader.ReadBoolean()); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(FEnabled); },
        !FEnabled && IsStoredBeside(&TdxBarItemActionLink::IsEnabledLinked));
    Filer.DefineProperty(
        "HelpContext", [this](pc::TReader& Reader) { HelpContext = Reader.ReadInteger(); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(HelpContext); },
        HelpContext != 0 && IsStoredBeside(&TdxBarItemActionLink::IsHelpContextLinked));
    Filer.DefineProperty(
        "Hint", [this](pc::TReader& Reader) { Hint = Reader.ReadString(); },
        [this](pc::TWriter& Writer) { Writer.WriteString(Hint); },
        !Hint.empty() && IsStoredBeside(&TdxBarItemActionLink::IsHintLinked));
    // No default: every visibility is written unless the action gives it.
    Filer.DefineProperty(
        "Visible",
        [this](pc::TReader& Reader) {
            SetVisible(static_cast<TdxBarItemVisible>(Reader.ReadEnum(dxBarItemVisibleNames)));
        },
        [this](pc::TWriter& Writer) { Writer.WriteEnum(VisibleToCome(), dxBarItemVisibleNames); },
        IsStoredBeside(&TdxBarItemActionLink::IsVisibleLinked));
}

void TdxBarItem::DefineImageIndex(pc::TFiler& Filer) {
    Filer.DefineProperty(
        "ImageIndex", [this](pc::TReader& Reader) { SetImageIndex(Reader.ReadInteger()); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(FImageIndex); },
        FImageIndex != -1 && IsStoredBeside(&TdxBarItemActionLink::IsImageIndexLinked));
}

void TdxBarItem::DefineGlyph(pc::TFiler& Filer) {
    pf::DefineBitmapProperty(Filer, "Glyph", *FGlyph, !FGlyph->Empty());
}

void TdxBarItem::DefineShortCut(pc::TFiler& Filer) {
    Filer.DefineProperty(
        "ShortCut", [this](pc::TReader& Reader) { SetShortCut(Reader.ReadInteger()); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(FShortCut); },
        FShortCut != 0 && IsStoredBeside(&TdxBarItemActionLink::IsShortCutLinked));
}

bool TdxBarItem::HasParent() const {
    return FCategory > -1;
}

pc::TComponent* TdxBarItem::GetParentComponent() const {
    return HasParent() ? FBarManager : nullptr;
}

void TdxBarItem::SetParentComponent(pc::TComponent* Value) {
    // Read with the form, the item joined its form's manager as it was made.
    if (IsLoading()) return;
    if (auto* Manager = dynamic_cast<TdxBarManager*>(Value)) SetBarManager(Manager);
}

void TdxBarItem::SetName(const std::string& NewName) {
    pc::TComponent::SetName(NewName);
    dxBarCustomizingServices().UpdateCustomizingAllCommands();
    dxBarCustomizingServices().UpdateCustomizingGroupItems();
}

void TdxBarItem::Loaded() {
    pc::TComponent::Loaded();
    if (pf::TBasicAction* AAction = Action()) ActionChange(AAction, true);
    if (OnAfterLoaded) OnAfterLoaded(this);
}

void TdxBarItem::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    pc::TComponent::Notification(AComponent, Operation);
    // The manager frees its items before it goes; one that is left only forgets it.
    if (Operation == pc::opRemove && AComponent == FBarManager) FBarManager = nullptr;
    // An action freed by its owner is still whole here; one deleted outright has already let
    // the link go.
    if (Operation == pc::opRemove && FActionLink &&
        (AComponent == FActionLink->Action() || !FActionLink->Action()))
        FActionLink.reset();
}

} // namespace toolkit::bars
