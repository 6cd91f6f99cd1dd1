#include "toolkit/bars/model/dx_bar_list_item.h"

#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/filer.h"
#include "platform/forms/forms.h"

namespace toolkit::bars {

namespace pc = platform::core;

namespace {
bool IsSeparator(const std::string& S) {
    return S == "-";
}
} // namespace

std::string dxBarListEntryNumber(int K) {
    const char C = K < 9 ? static_cast<char>('1' + K) : static_cast<char>(K + 56);
    return std::string("&") + C + " ";
}

const pc::TComponentClass& TCustomdxBarContainerItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TCustomdxBarContainerItem", &TCustomdxBarSubItem::ClassRef(),
        pc::ConstructorOf<TCustomdxBarContainerItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarListItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarListItem", &TCustomdxBarContainerItem::ClassRef(),
        pc::ConstructorOf<TdxBarListItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarContainerItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarContainerItem", &TCustomdxBarContainerItem::ClassRef(),
        pc::ConstructorOf<TdxBarContainerItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

TCustomdxBarContainerItem::~TCustomdxBarContainerItem() {
    // The derived part is gone by now: only the base release runs here; the list item frees
    // its buttons in its own destructor.
    if (FReleased) TCustomdxBarContainerItem::ReleaseEntries();
}

void TCustomdxBarContainerItem::AddEntries(TdxBarItemLinks&, int, TdxBarItemLink*, bool GetData) {
    if (FReleased) ReleaseEntries();
    if (!GetData || !OnGetData) return;
    // The event fills the entries: their changes make no visibility round of their own, one
    // follows once it has returned, so that the item's visibility matches what it filled.
    FFilling = true;
    try {
        OnGetData(this);
    } catch (...) {
    }
    FFilling = false;
}

void TCustomdxBarContainerItem::RemoveEntries(TdxBarItemLinks&, int) {}

void TCustomdxBarContainerItem::ReleaseEntries() {
    FReleased = false;
}

void TCustomdxBarContainerItem::ItemsChanged() {
    // An item the customising popup is adding changes no visibility until it stands.
    if (!FFilling && !dxBarCustomizingServices().AddingItem()) VisibleChanged();
}

TdxBarListItem::TdxBarListItem(pc::TComponent* AOwner) : TCustomdxBarContainerItem(AOwner) {
    FItems.OnChange = [this] { ItemsChanged(); };
}

TdxBarListItem::~TdxBarListItem() {
    FItems.OnChange = nullptr;
    if (Released()) ReleaseEntries();
}

TdxBarButton* TdxBarListItem::EntryButtons(int Index) const {
    if (Index < 0 || Index >= EntryButtonCount()) return nullptr;
    return FButtons[static_cast<std::size_t>(Index)];
}

int TdxBarListItem::DataIndex() const {
    if (ItemIndex < 0 || ItemIndex >= FItems.Count()) return -1;
    int N = 0;
    for (int I = 0; I <= ItemIndex; ++I)
        if (!IsSeparator(FItems[I])) ++N;
    return N - 1;
}

void TdxBarListItem::SetDataIndex(int Value) {
    if (FItems.Count() == 0) {
        ItemIndex = -1;
        return;
    }
    int N = 0;
    for (int I = 0; I < FItems.Count(); ++I) {
        if (IsSeparator(FItems[I])) continue;
        if (N++ == Value) {
            ItemIndex = I;
            return;
        }
    }
    ItemIndex = FItems.Count();
}

bool TdxBarListItem::HasContent() const {
    return TCustomdxBarContainerItem::HasContent() || FItems.Count() > 0;
}

void TdxBarListItem::AddEntries(TdxBarItemLinks& Target, int Index, TdxBarItemLink* ContainerLink,
                                bool GetData) {
    TCustomdxBarContainerItem::AddEntries(Target, Index, ContainerLink, GetData);
    const bool Creating = FButtons.empty();
    pc::TComponent* ButtonOwner =
        BarManager() ? static_cast<pc::TComponent*>(BarManager()->Form()) : Owner();
    bool GroupNext = false;
    int K = 0;
    for (int I = 0; I < FItems.Count(); ++I) {
        const std::string& Entry = FItems[I];
        if (IsSeparator(Entry)) {
            GroupNext = true;
            continue;
        }
        TdxBarButton* Button = nullptr;
        if (Creating) {
            auto Owned = std::make_unique<TdxBarButton>(ButtonOwner);
            Button = Owned.get();
            if (ButtonOwner)
                ButtonOwner->InsertComponent(std::move(Owned));
            else
                Owned.release(); // unreachable: an item always has a form or an owner
            Button->SetAction(Action());
            if (ShowCheck && I == ItemIndex) {
                Button->SetButtonStyle(bsChecked);
                Button->SetDown(true);
            }
            std::string Display;
            GetDisplayText(Entry, Display);
            Button->SetCaption((ShowNumbers ? dxBarListEntryNumber(K) : std::string()) + Display);
            Button->OnClick = [this](pc::TObject* Sender) { EntryClick(Sender); };
            Button->FreeNotification(this);
            Button->SetEnabled(Enabled());
            FButtons.push_back(Button);
            FButtonEntries.push_back(I);
        } else {
            Button = EntryButtons(K);
            if (!Button) break;
        }
        TdxBarItemLink* Link = Target.Add(Button);
        // A click on the entry is a use of the container.
        Link->SetOriginalLink(ContainerLink);
        Target.Move(Link->Index(), Index + K);
        Link->SetBeginGroup(K == 0 || GroupNext);
        if (ContainerLink) Link->SetMostRecentlyUsed(ContainerLink->MostRecentlyUsed());
        GroupNext = false;
        ++K;
    }
}

void TdxBarListItem::RemoveEntries(TdxBarItemLinks& Target, int Index) {
    for (int I = 0; I < FItems.Count(); ++I)
        if (!IsSeparator(FItems[I])) Target.Delete(Index);
}

void TdxBarListItem::ReleaseEntries() {
    if (!FButtons.empty() && FButtons.front()->LinkCount() == 0) FreeButtons();
    TCustomdxBarContainerItem::ReleaseEntries();
}

void TdxBarListItem::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    TCustomdxBarContainerItem::Notification(AComponent, Operation);
    if (Operation != pc::opRemove) return;
    for (std::size_t I = 0; I < FButtons.size(); ++I)
        if (FButtons[I] == AComponent) {
            FButtons.erase(FButtons.begin() + static_cast<std::ptrdiff_t>(I));
            FButtonEntries.erase(FButtonEntries.begin() + static_cast<std::ptrdiff_t>(I));
            return;
        }
}

void TdxBarListItem::FreeButtons() {
    while (!FButtons.empty()) {
        TdxBarButton* Button = FButtons.back();
        FButtons.pop_back();
        FButtonEntries.pop_back();
        if (pc::TComponent* O = Button->Owner()) O->FreeComponent(*Button);
    }
}

void TdxBarListItem::DirectClick() {
    for (int I = 0; I < LinkCount(); ++I)
        if (TdxBarItemControl* C = Links(I)->Control();
            C && dxBarWindowServices().ControlActive(*C))
            return;
    TCustomdxBarContainerItem::DirectClick();
}

void TdxBarListItem::EntryClick(pc::TObject* Sender) {
    for (std::size_t I = 0; I < FButtons.size(); ++I)
        if (FButtons[I] == Sender) ItemIndex = FButtonEntries[I];
    DirectClick();
}

bool TdxBarContainerItem::HasVisibleLinks() const {
    const TdxBarItemLinks& L = ItemLinks();
    if (L.Count() == 0) return false;
    bool AnyItem = false;
    for (int I = 0; I < L.Count(); ++I) {
        TdxBarItem* Item = L.Items(I)->Item();
        if (!Item) continue;
        AnyItem = true;
        if (Item->ActuallyVisible()) return true;
    }
    return !AnyItem;
}

bool TdxBarContainerItem::HasContent() const {
    return TCustomdxBarContainerItem::HasContent() || HasVisibleLinks();
}

void TdxBarContainerItem::AddEntries(TdxBarItemLinks& Target, int Index,
                                     TdxBarItemLink* ContainerLink, bool GetData) {
    TCustomdxBarContainerItem::AddEntries(Target, Index, ContainerLink, GetData);
    if (&Target == &ItemLinks()) return;
    for (int I = 0; I < ItemLinks().Count(); ++I) {
        TdxBarItemLink* Link = Target.Add();
        Link->SetOriginalLink(ContainerLink);
        Link->Assign(*ItemLinks().Items(I));
        Target.Move(Link->Index(), Index + I);
        if (I == 0 && ExpandsInPlace()) Link->SetBeginGroup(true);
        if (ContainerLink) Link->SetMostRecentlyUsed(ContainerLink->MostRecentlyUsed());
    }
}

void TdxBarContainerItem::RemoveEntries(TdxBarItemLinks& Target, int Index) {
    if (&Target == &ItemLinks()) return;
    for (int I = 0; I < ItemLinks().Count(); ++I)
        Target.Delete(Index);
}

// --- Form streams ---

void TdxBarListItem::DefinePublishedProperties(pc::TFiler& Filer) {
    TCustomdxBarContainerItem::DefinePublishedProperties(Filer);
    // DataIndex is ItemIndex seen otherwise: not written.
    Filer.DefineInteger(
        "ItemIndex", ItemIndex, [this](std::int32_t Value) { ItemIndex = Value; }, ItemIndex != -1);
    platform::forms::DefineStringsProperty(Filer, "Items", FItems, FItems.Count() > 0);
    Filer.DefineBoolean(
        "ShowCheck", ShowCheck, [this](bool Value) { ShowCheck = Value; }, ShowCheck);
    Filer.DefineBoolean(
        "ShowNumbers", ShowNumbers, [this](bool Value) { ShowNumbers = Value; }, !ShowNumbers);
}

void TdxBarContainerItem::DefinePublishedProperties(pc::TFiler& Filer) {
    TCustomdxBarContainerItem::DefinePublishedProperties(Filer);
    DefineItemLinks(Filer);
}

} // namespace toolkit::bars
