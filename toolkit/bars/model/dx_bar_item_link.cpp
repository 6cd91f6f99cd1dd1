#include "toolkit/bars/model/dx_bar_item_link.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/base/resource_strings.h"

#include "platform/core/exception.h"
#include "platform/win/keyboard_layout.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

// The platform's rounding multiply-divide.
int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const std::int64_t Product = static_cast<std::int64_t>(Number) * Numerator;
    const std::int64_t Half = std::abs(static_cast<std::int64_t>(Denominator)) / 2;
    const bool Negative = (Product < 0) != (Denominator < 0);
    const std::int64_t Magnitude = (std::abs(Product) + Half) / std::abs(Denominator);
    return static_cast<int>(Negative ? -Magnitude : Magnitude);
}

bool ComponentLoading(pc::TComponent* Component) {
    return Component && (Component->ComponentState() & pc::csLoading) != 0;
}

} // namespace

// TdxBarItemLink

const pc::TClass& TdxBarItemLink::ClassRef() {
    static const pc::TClass cls("TdxBarItemLink", &pc::TPersistent::ClassRef());
    return cls;
}

TdxBarItemLink::TdxBarItemLink(TdxBarItemLinks* Collection) : FCollection(Collection) {
    FCollection->FRecentItems.push_back(this);
}

TdxBarItemLink::~TdxBarItemLink() {
    SetOriginalLink(nullptr);
    for (TdxBarItemLink* Copy : FCopies)
        Copy->FOriginalLink = nullptr;
    DestroyControl();
    if (FItem) FItem->RemoveLink(this);
    FCollection->RemoveFromRecent(this);
}

void TdxBarItemLink::CreateControl() {
    // Only a bar window that shows the list holds controls (the windows make none for a menu
    // that is closing).
    TCustomdxBarControl* Window = GetBarControl();
    if (FControl || !FItem || Window == nullptr || !dxBarUnit().BarControlExists(Window)) return;
    FControl = dxBarWindowServices().CreateControl(*this);
}

void TdxBarItemLink::SetOriginalLink(TdxBarItemLink* Value) {
    if (Value == this) Value = nullptr;
    if (FOriginalLink == Value) return;
    if (FOriginalLink) std::erase(FOriginalLink->FCopies, this);
    FOriginalLink = Value;
    if (FOriginalLink) FOriginalLink->FCopies.push_back(this);
}

void TdxBarItemLink::DestroyControl() {
    // The control is gone from Control() before its destructor runs.
    TdxBarWindowOwn<TdxBarItemControl> Control = std::move(FControl);
    Control.reset();
}

TCustomdxBarControl* TdxBarItemLink::GetBarControl() const {
    return FCollection->BarControl();
}

TdxBarManager* TdxBarItemLink::BarManager() const {
    return FCollection->BarManager();
}

int TdxBarItemLink::Index() const {
    return FCollection->IndexOf(this);
}

bool TdxBarItemLink::BeginGroup() const {
    const int V = GetVisibleIndex();
    if (FBeginGroup && V != 0) return true;
    if (V <= 0) return false;
    // A hidden link hands its separator on to the next shown one.
    const int Previous = FCollection->VisibleItems(V - 1)->Index();
    for (int I = Previous + 1; I < Index(); ++I)
        if (FCollection->Items(I)->BeginGroup()) return true;
    return false;
}

void TdxBarItemLink::SetBeginGroup(bool Value) {
    if (FBeginGroup == Value) return;
    FBeginGroup = Value;
    if (FControl) dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Changed);
    Changed();
}

void TdxBarItemLink::SetItem(TdxBarItem* Value) {
    if (FItem == Value) return;
    if (!Value) {
        FCollection->Delete(Index());
        return;
    }
    if (FItem) FItem->RemoveLink(this);
    FItem = Value;
    if (FCollection->FOwner && !FCollection->FOwner->CanContainItem(Value)) {
        FItem = nullptr;
        throw pc::Exception(toolkit::base::cxGetResourceString(dxSBAR_RECURSIVESUBITEMS));
    }
    FItem->AddLink(this);
    FCollection->RefreshVisibleLists();
    pc::TComponent* Owner =
        FCollection->FOwner ? FCollection->FOwner->LinksOwnerComponent() : nullptr;
    if (Owner && !ComponentLoading(Owner)) UpdateMostRecentlyUsed();
    Changed();
}

void TdxBarItemLink::SetMostRecentlyUsed(bool Value) {
    if (FMostRecentlyUsed == Value) return;
    FMostRecentlyUsed = Value;
    UpdateMostRecentlyUsed();
    if (TCustomdxBarControl* Window = GetBarControl()) dxBarWindowServices().RefreshLayout(*Window);
    Changed();
}

void TdxBarItemLink::SetUserCaption(const std::string& Value) {
    FUserCaption = Value;
    FUserDefine |= dxUserDefineBit(udCaption);
    // The control measures and draws the new caption at once.
    if (FControl) dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Caption);
    Changed();
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines Value) {
    FUserDefine = Value;
    if (!(Value & dxUserDefineBit(udCaption))) FUserCaption.clear();
    if (!(Value & dxUserDefineBit(udGlyph))) FUserGlyph.reset();
    if (!(Value & dxUserDefineBit(udPaintStyle))) FUserPaintStyle = psStandard;
    if (!(Value & dxUserDefineBit(udWidth))) FUserWidth = 0;
    if (FControl) dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Caption);
    if (FControl) dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Glyph);
    Changed();
}

void TdxBarItemLink::SetUserGlyph(const pf::TBitmap& Value) {
    if (!FUserGlyph) FUserGlyph = std::make_unique<pf::TBitmap>();
    FUserGlyph->Assign(Value);
    FUserDefine |= dxUserDefineBit(udGlyph);
    if (FControl) dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Glyph);
    Changed();
}

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle Value) {
    if (GetPaintStyle() == Value && (FUserDefine & dxUserDefineBit(udPaintStyle))) return;
    FUserPaintStyle = Value;
    FUserDefine |= dxUserDefineBit(udPaintStyle);
    // A button measures itself by its paint style.
    if (FControl && dynamic_cast<TdxBarButton*>(FItem))
        dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Changed);
    Changed();
}

void TdxBarItemLink::SetUserWidth(int Value) {
    Value = std::max(Value, 20);
    if (GetWidth() == Value && (FUserDefine & dxUserDefineBit(udWidth))) return;
    FUserWidth = Value;
    FUserDefine |= dxUserDefineBit(udWidth);
    if (FControl && dxBarWindowServices().IsWindowControl(*FControl))
        dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Changed);
    Changed();
}

void TdxBarItemLink::SetVisible(bool Value) {
    TdxBarManager* Manager = BarManager();
    if ((Manager && Manager->IsLoading()) || FCollection->FInAssign) {
        FPendingVisible = Value;
        FPendingVisibleSet = true;
        return;
    }
    if (FVisible == Value) return;
    FVisible = Value;
    if (!Manager || !Manager->IsDesigning()) FCollection->RefreshVisibleLists();
    // A shown bar makes or frees the link's control and lays itself out again at once, as it
    // does when the item itself is shown or hidden: no hole is left where the link was.
    if (Value) {
        BringToTopInRecentList(false);
        CreateControl();
        if (FControl) dxBarWindowServices().ControlChanged(*FControl, TdxBarControlChange::Layout);
    } else {
        SendToBottomInRecentList();
        if (TCustomdxBarControl* Window = GetBarControl(); FControl && Window) {
            DestroyControl();
            dxBarWindowServices().RefreshLayout(*Window);
        }
    }
    Changed();
}

void TdxBarItemLink::ApplyPendingVisible() {
    if (!FPendingVisibleSet) return;
    FPendingVisibleSet = false;
    SetVisible(FPendingVisible);
}

void TdxBarItemLink::Changed() {
    TdxBarManager* Manager = BarManager();
    if (Manager == nullptr) return;
    // A change made in an open bar while customizing is the designer's too.
    if (GetBarControl() && Manager->IsCustomizing()) {
        if (TdxBarItemLinksOwner* Owner = FCollection->FOwner)
            Owner->LinksDesignerModified(*Manager);
        else
            Manager->DesignerModified();
    }
    if (!Manager->IsLoading() && Manager->OnItemLinkChange)
        Manager->OnItemLinkChange(Manager, this);
}

std::string TdxBarItemLink::GetCaption() const {
    if ((FUserDefine & dxUserDefineBit(udCaption)) || !FItem) return FUserCaption;
    return FItem->Caption();
}

pf::TBitmap* TdxBarItemLink::GetGlyph() const {
    if ((FUserDefine & dxUserDefineBit(udGlyph)) || !FItem) return FUserGlyph.get();
    return &FItem->Glyph();
}

TdxBarPaintStyle TdxBarItemLink::GetPaintStyle() const {
    if (FUserDefine & dxUserDefineBit(udPaintStyle)) return FUserPaintStyle;
    if (const auto* Button = dynamic_cast<const TdxBarButton*>(FItem)) return Button->PaintStyle();
    return psStandard;
}

int TdxBarItemLink::GetWidth() const {
    if (FUserDefine & dxUserDefineBit(udWidth)) return FUserWidth;
    if (const auto* Edit = dynamic_cast<const TdxBarEdit*>(FItem)) return Edit->Width();
    return 0;
}

int TdxBarItemLink::GetIndex() const {
    const auto& L = FCollection->FCanVisibleItems;
    const auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

int TdxBarItemLink::GetVisibleIndex() const {
    const auto& L = FCollection->FVisibleItems;
    const auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

int TdxBarItemLink::GetRecentIndex() const {
    const auto& L = FCollection->FRecentItems;
    const auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

bool TdxBarItemLink::CanVisible() const {
    return FItem && FItem->ActuallyVisible() && FVisible;
}

bool TdxBarItemLink::HasItem(const TdxBarItem* Item) const {
    if (FItem == Item) return true;
    const auto* Sub = dynamic_cast<const TCustomdxBarSubItem*>(FItem);
    return Sub && Sub->ItemLinks().ContainsItem(Item);
}

char TdxBarItemLink::AccelChar() const {
    const std::string Caption = GetCaption();
    char Result = 0;
    for (std::size_t I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption[I] != '&') continue;
        if (Caption[I + 1] != '&') Result = Caption[I + 1];
        ++I; // "&&" is a literal ampersand; the character after a marker is taken as it is.
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(Result)));
}

bool TdxBarItemLink::IsAccel(std::uint16_t Key, pf::TShiftState Shift) const {
    const char C = AccelChar();
    if (C == 0) return false;
    if (C >= '0' && C <= '9') return Key == static_cast<std::uint16_t>(C) && Shift == 0;
    const std::int16_t Scan = platform::win::VkKeyScan(C);
    if (Scan == -1 || (Scan & 0xFF) != Key) return false;
    int ScanShift = (Scan >> 8) & 0xFF;
    // A letter matches without Shift: its upper case is only how the caption is compared.
    if (std::tolower(static_cast<unsigned char>(C)) != C) ScanShift &= ~1;
    pf::TShiftState Expected = 0;
    if (ScanShift & 1) Expected |= pf::ssShift;
    if (ScanShift & 2) Expected |= pf::ssCtrl;
    return Expected == Shift;
}

void TdxBarItemLink::PostToolbarRelayout(bool DockedOnly) {
    TCustomdxBarControl* Window = GetBarControl();
    TdxBarManager* Manager = BarManager();
    if (Window && Manager && Manager->IsNotStandardStyle())
        dxBarWindowServices().PostToolbarRelayout(*Window, DockedOnly);
}

void TdxBarItemLink::BringToTopInRecentList(bool IncCount) {
    if (!CanVisible()) return;
    if (!FCollection->UseRecentItemsEffective()) return;
    const bool WasShown = GetVisibleIndex() >= 0;
    auto& Recent = FCollection->FRecentItems;
    std::erase(Recent, this);
    Recent.insert(Recent.begin(), this);
    if (IncCount) ++UseCount;
    FCollection->RefreshVisibleLists();
    // A docked toolbar lays out again to take the link it did not show.
    if (!WasShown) PostToolbarRelayout(true);
    // The link that opens this menu is used with it: the link of its sub-item that shows, or for
    // a popup menu, that of the sub-item whose menu opened it.
    TCustomdxBarSubItem* Sub = nullptr;
    if (TdxBarItemLinksOwner* Owner = FCollection->FOwner) {
        Sub = Owner->LinksOwnerSubItem();
        if (Sub == nullptr && Owner->LinksOwnerKind() == TdxBarLinksOwnerKind::PopupMenu &&
            FCollection->FBarControl) {
            TdxBarWindowServices& Windows = dxBarWindowServices();
            const TCustomdxBarControl* Opener = Windows.ParentBarControl(*FCollection->FBarControl);
            const TdxBarItemLinks* OpenerLinks =
                Opener ? Windows.WindowItemLinks(*Opener) : nullptr;
            if (OpenerLinks && OpenerLinks->FOwner) Sub = OpenerLinks->FOwner->LinksOwnerSubItem();
        }
    }
    if (Sub)
        for (int I = 0; I < Sub->LinkCount(); ++I)
            if (Sub->Links(I)->Control()) {
                Sub->Links(I)->BringToTopInRecentList(IncCount);
                break;
            }
}

void TdxBarItemLink::SendToBottomInRecentList() {
    const bool WasShown = GetVisibleIndex() >= 0;
    auto& Recent = FCollection->FRecentItems;
    std::erase(Recent, this);
    Recent.push_back(this);
    FCollection->RefreshVisibleLists();
    // A toolbar that showed the link lays out again without it.
    if (WasShown) PostToolbarRelayout(false);
}

void TdxBarItemLink::MoveInRecentList(int Position) {
    auto& Recent = FCollection->FRecentItems;
    std::erase(Recent, this);
    Position = std::clamp(Position, 0, static_cast<int>(Recent.size()));
    Recent.insert(Recent.begin() + Position, this);
    FCollection->RefreshVisibleLists();
}

void TdxBarItemLink::UpdateMostRecentlyUsed() {
    if (!FMostRecentlyUsed) {
        UseCount = 0;
        SendToBottomInRecentList();
        return;
    }
    TdxBarManager* Manager = BarManager();
    UseCount = Manager ? Manager->MostRecentItemsStep() : 0;
    BringToTopInRecentList(false);
}

void TdxBarItemLink::Assign(const TdxBarItemLink& Source) {
    Data = Source.Data;
    FUserCaption = Source.FUserCaption;
    if (Source.FUserGlyph) {
        if (!FUserGlyph) FUserGlyph = std::make_unique<pf::TBitmap>();
        FUserGlyph->Assign(*Source.FUserGlyph);
    } else {
        FUserGlyph.reset();
    }
    FUserPaintStyle = Source.FUserPaintStyle;
    FUserWidth = Source.FUserWidth;
    const TdxBarUserDefines Define = Source.FUserDefine;
    const bool Group = Source.BeginGroup();
    const bool Shown = Source.FVisible;
    if (!Source.FItem) {
        // A link without item does not stay.
        FCollection->Delete(Index());
        return;
    }
    SetItem(Source.FItem);
    FUserDefine = Define;
    SetBeginGroup(Group);
    SetVisible(Shown);
}

void TdxBarItemLink::DefinePublishedProperties(pc::TFiler& Filer) {
    pc::TPersistent::DefinePublishedProperties(Filer);
    Filer.DefineBoolean(
        "BeginGroup", FBeginGroup, [this](bool Value) { SetBeginGroup(Value); }, FBeginGroup);
    // Found once the whole form is read; a link left without one goes when its list is loaded.
    Filer.DefineReference(
        "Item", FItem,
        [this](pc::TComponent* Value) {
            if (auto* Item = dynamic_cast<TdxBarItem*>(Value)) SetItem(Item);
        },
        FItem != nullptr);
    Filer.DefineBoolean(
        "MostRecentlyUsed", FMostRecentlyUsed, [this](bool Value) { SetMostRecentlyUsed(Value); },
        !FMostRecentlyUsed);
    Filer.DefineString(
        "UserCaption", FUserCaption, [this](const std::string& Value) { SetUserCaption(Value); },
        !FUserCaption.empty());
    Filer.DefineSet(
        "UserDefine", FUserDefine, dxBarUserDefineNames,
        [this](unsigned Value) { SetUserDefine(static_cast<TdxBarUserDefines>(Value)); },
        FUserDefine != 0);
    Filer.DefineBinaryProperty(
        "UserGlyph.Data",
        [this](pc::TStream& Stream) {
            pf::TBitmap Glyph;
            Glyph.LoadFromStream(Stream);
            SetUserGlyph(Glyph);
        },
        [this](pc::TStream& Stream) { FUserGlyph->SaveToStream(Stream); },
        FUserGlyph && !FUserGlyph->Empty());
    Filer.DefineEnum(
        "UserPaintStyle", FUserPaintStyle, dxBarPaintStyleNames,
        [this](int Value) { SetUserPaintStyle(static_cast<TdxBarPaintStyle>(Value)); },
        FUserPaintStyle != psStandard);
    Filer.DefineInteger(
        "UserWidth", FUserWidth, [this](int Value) { SetUserWidth(Value); }, FUserWidth != 0);
    // No default: always written, as the value that comes after loading.
    Filer.DefineBoolean(
        "Visible", FPendingVisibleSet ? FPendingVisible : FVisible,
        [this](bool Value) { SetVisible(Value); }, true);
}

// TdxBarItemLinks

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* Manager, TdxBarItemLinksOwner* Owner)
    : FBarManager(Manager), FOwner(Owner) {}

TdxBarItemLinks::~TdxBarItemLinks() {
    if (TCustomdxBarControl* Window = FBarControl) {
        FBarControl = nullptr;
        dxBarWindowServices().ItemLinksGoing(*Window);
    }
    FDestroying = true;
    while (!FItems.empty())
        Delete(Count() - 1);
}

TdxBarItemLink* TdxBarItemLinks::At(const std::vector<TdxBarItemLink*>& List, int Index) {
    if (Index < 0 || Index >= static_cast<int>(List.size())) return nullptr;
    return List[static_cast<std::size_t>(Index)];
}

bool TdxBarItemLinks::OwnerLoading() const {
    return FOwner && ComponentLoading(FOwner->LinksOwnerComponent());
}

bool TdxBarItemLinks::OwnerDestroying() const {
    if (FDestroying) return true;
    pc::TComponent* C = FOwner ? FOwner->LinksOwnerComponent() : nullptr;
    return C && (C->ComponentState() & pc::csDestroying) != 0;
}

TdxBarItemLink* TdxBarItemLinks::Add() {
    FItems.push_back(std::make_unique<TdxBarItemLink>(this));
    TdxBarItemLink* Link = FItems.back().get();
    if (FBarManager && !FBarManager->IsLoading() && FBarManager->OnItemLinkAdd)
        FBarManager->OnItemLinkAdd(FBarManager, Link);
    Update();
    return Link;
}

TdxBarItemLink* TdxBarItemLinks::Add(TdxBarItem* Item) {
    TdxBarItemLink* Link = Add();
    try {
        Link->SetItem(Item);
    } catch (...) {
        Delete(Link->Index());
        throw;
    }
    return Link;
}

void TdxBarItemLinks::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    TdxBarItemLink* Link = Items(Index);
    if (FBarManager && !FBarManager->IsDestroying() && FBarManager->OnItemLinkDelete)
        FBarManager->OnItemLinkDelete(FBarManager, Link);
    std::unique_ptr<TdxBarItemLink> Gone = std::move(FItems[static_cast<std::size_t>(Index)]);
    FItems.erase(FItems.begin() + Index);
    Gone.reset();
    if (FDestroying) return;
    // An open window closes the gap the link leaves at once.
    if (TCustomdxBarControl* Window = FBarControl; Window && dxBarUnit().BarControlExists(Window))
        dxBarWindowServices().RefreshLayout(*Window);
    Update();
}

void TdxBarItemLinks::Clear() {
    while (!FItems.empty())
        Delete(Count() - 1);
}

void TdxBarItemLinks::Move(int CurIndex, int NewIndex) {
    if (CurIndex < 0 || CurIndex >= Count() || NewIndex < 0 || NewIndex >= Count() ||
        CurIndex == NewIndex)
        return;
    auto Moved = std::move(FItems[static_cast<std::size_t>(CurIndex)]);
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, std::move(Moved));
    Update();
}

TdxBarItemLink* TdxBarItemLinks::Items(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return FItems[static_cast<std::size_t>(Index)].get();
}

int TdxBarItemLinks::IndexOf(const TdxBarItemLink* Link) const {
    for (std::size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I].get() == Link) return static_cast<int>(I);
    return -1;
}

void TdxBarItemLinks::RemoveFromRecent(TdxBarItemLink* Link) {
    std::erase(FRecentItems, Link);
    std::erase(FAvailableItems, Link);
    std::erase(FCanVisibleItems, Link);
    std::erase(FVisibleItems, Link);
}

void TdxBarItemLinks::Update() {
    if (OwnerDestroying()) return;
    // The lists of their own (the toolbar list, the customising popups) are nobody's design.
    if (FOwner && FBarManager) FOwner->LinksDesignerModified(*FBarManager);
    RefreshVisibleLists();
    if (OnChange) OnChange();
}

void TdxBarItemLinks::RefreshVisibleLists() {
    FAvailableItems.clear();
    FCanVisibleItems.clear();
    FVisibleItems.clear();
    const bool Design = FBarManager && FBarManager->IsDesigning();
    for (const auto& Owned : FItems) {
        TdxBarItemLink* Link = Owned.get();
        if (!Link->FItem || Link->HiddenByContainer) continue;
        if (!Design && !Link->FItem->ActuallyVisible()) continue;
        FAvailableItems.push_back(Link);
        if (Design || Link->FVisible) FCanVisibleItems.push_back(Link);
        if (Design || FRecentItemCount == -1) {
            if (Design || Link->FVisible) FVisibleItems.push_back(Link);
        }
    }
    if (Design || FRecentItemCount < 1) return;
    for (TdxBarItemLink* Link : FRecentItems) {
        if (static_cast<int>(FVisibleItems.size()) >= FRecentItemCount) break;
        if (std::find(FCanVisibleItems.begin(), FCanVisibleItems.end(), Link) !=
            FCanVisibleItems.end())
            FVisibleItems.push_back(Link);
    }
    std::sort(FVisibleItems.begin(), FVisibleItems.end(),
              [](const TdxBarItemLink* A, const TdxBarItemLink* B) {
                  return A->GetIndex() < B->GetIndex();
              });
}

void TdxBarItemLinks::SetRecentItemCount(int Value) {
    FPrevRecentItemCount = FRecentItemCount;
    FRecentItemCount = UseRecentItemsEffective() ? Value : -1;
    RefreshVisibleLists();
}

bool TdxBarItemLinks::UseRecentItemsEffective() const {
    if (!FBarManager || !FBarManager->IsNotStandardStyle()) return false;
    // A sub-menu follows the window that opened it, up to the toolbar or popup menu the chain
    // of open menus hangs from: a bar that does not personalise does not in its menus either.
    const TdxBarItemLinks* Links = this;
    while (Links->FOwner && Links->FOwner->LinksOwnerKind() == TdxBarLinksOwnerKind::SubItem) {
        TdxBarWindowServices& Windows = dxBarWindowServices();
        const TCustomdxBarControl* Window = Links->FBarControl;
        const TCustomdxBarControl* Opener = Window ? Windows.ParentBarControl(*Window) : nullptr;
        if (Opener == nullptr || Windows.WindowItemLinks(*Opener) == nullptr) break;
        Links = Windows.WindowItemLinks(*Opener);
    }
    return Links->UseRecentItems;
}

int TdxBarItemLinks::GetRecentItemCount() const {
    if (!UseRecentItemsEffective() || FCanVisibleItems.empty()) return -1;
    int Min = FCanVisibleItems.front()->UseCount;
    int Max = Min;
    for (const TdxBarItemLink* Link : FCanVisibleItems) {
        Min = std::min(Min, Link->UseCount);
        Max = std::max(Max, Link->UseCount);
    }
    const int Threshold =
        Min + MulDiv(Max - Min, 100 - FBarManager->MostRecentItemsPercents(), 100);
    const int CanVisible = static_cast<int>(FCanVisibleItems.size());
    int Result = 0;
    for (int I = std::min(CanVisible, RecentItemListCount()) - 1; I >= 0; --I) {
        const TdxBarItemLink* Link = FRecentItems[static_cast<std::size_t>(I)];
        if (Link->UseCount >= Threshold && Link->FCollection == this) {
            Result = I + 1;
            break;
        }
    }
    return Result == CanVisible ? -1 : Result;
}

void TdxBarItemLinks::UpdateActions() {
    // An update may change what the links show, and so the lists: the items are taken first.
    std::vector<TdxBarItem*> Items;
    for (const auto& Link : FItems)
        if (TdxBarItem* Item = Link->FItem;
            Item && Item->ActionLink() &&
            std::find(Items.begin(), Items.end(), Item) == Items.end())
            Items.push_back(Item);
    for (TdxBarItem* Item : Items)
        if (TdxBarItemActionLink* ActionLink = Item->ActionLink()) ActionLink->Update();
}

bool TdxBarItemLinks::IsShortCut(pf::TShortCut ShortCut) {
    if (ShortCut == 0) return false;
    UpdateActions();
    // The links may change under a click: walk a copy.
    const std::vector<TdxBarItemLink*> Available = FAvailableItems;
    for (TdxBarItemLink* Link : Available) {
        TdxBarItem* Item = Link->FItem;
        if (!Item || !Item->Enabled()) continue;
        if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(Item)) {
            if (Sub->ItemLinks().IsShortCut(ShortCut)) return true;
            continue;
        }
        if (Item->CanBeClicked() && Item->ShortCut() == ShortCut) {
            Item->Click();
            return true;
        }
        if (auto* Button = dynamic_cast<TdxBarButton*>(Item))
            if (Button->ButtonStyle() == bsDropDown && Button->DropDownLinks() &&
                Button->DropDownLinks()->IsShortCut(ShortCut))
                return true;
    }
    return false;
}

TdxBarItemLink* TdxBarItemLinks::FindAccel(std::uint16_t Key, pf::TShiftState Shift,
                                           const TdxBarItemLink* Start) const {
    Shift &= ~pf::ssAlt;
    const int Count = CanVisibleItemCount();
    if (Count == 0) return nullptr;
    const int StartIndex = Start ? Start->GetIndex() : -1;
    // The bar windows choose between menu order and a toolbar's selectable links; without
    // them the menu order serves.
    for (int Step = 1; Step <= Count; ++Step) {
        TdxBarItemLink* Link = CanVisibleItems((StartIndex + Step + Count) % Count);
        if (Link->FItem && Link->FItem->HasAccessibleCaption(Link) && Link->IsAccel(Key, Shift))
            return Link;
    }
    return nullptr;
}

bool TdxBarItemLinks::ContainsItem(const TdxBarItem* Item) const {
    for (const auto& Link : FItems)
        if (Link->HasItem(Item)) return true;
    return false;
}

void TdxBarItemLinks::WriteLinks(pc::TWriter& Writer) const {
    Writer.WriteCollectionOf(FItems);
}

void TdxBarItemLinks::ReadLinks(pc::TReader& Reader) {
    Clear();
    Reader.ReadCollection([this]() -> pc::TPersistent& { return *Add(); });
}

void TdxBarItemLinks::Loaded(bool ApplyVisible) {
    for (int I = Count() - 1; I >= 0; --I)
        if (!Items(I)->FItem) Delete(I);
    for (int I = Count() - 1; I >= 0; --I)
        if (Items(I)->FItem) Items(I)->UpdateMostRecentlyUsed();
    if (ApplyVisible)
        for (const auto& Link : FItems)
            Link->ApplyPendingVisible();
    for (int Position = 0; Position < Count(); ++Position)
        for (const auto& Link : FItems)
            if (Link->FStoredRecentIndex == Position) {
                Link->UseCount = Link->FStoredUseCount;
                Link->MoveInRecentList(Position);
                Link->FStoredRecentIndex = -1;
            }
}

void TdxBarItemLinks::CopyMostRecentlyUsed(const TdxBarItemLinks& Source) {
    for (int I = 0; I < std::min(Count(), Source.Count()); ++I)
        Items(I)->FMostRecentlyUsed = Source.Items(I)->FMostRecentlyUsed;
    Loaded(false);
    std::stable_partition(FRecentItems.begin(), FRecentItems.end(),
                          [this](const TdxBarItemLink* L) { return L->FCollection == this; });
}

void TdxBarItemLinks::ClearItemRects() {
    for (const auto& Link : FItems)
        Link->ItemRect = {};
}

TdxBarItem* TdxBarItemLinks::SystemMenuItem() const {
    TdxBarItem* First = Count() > 0 ? Items(0)->FItem : nullptr;
    return First && dxBarWindowServices().IsSystemMenuItem(*First) ? First : nullptr;
}

void TdxBarItemLinks::RestoreSystemMenuItem(TdxBarItem* Item) {
    if (Item == nullptr || SystemMenuItem() == Item) return;
    Add(Item);
    Move(Count() - 1, 0);
}

void TdxBarItemLinks::Assign(const TdxBarItemLinks& Source) {
    if (&Source == this) return;
    // The maximised MDI child's system-menu entry is the frame's own, not the source's.
    TdxBarItem* SystemMenu = SystemMenuItem();
    FInAssign = true;
    try {
        Clear();
        for (int I = 0; I < Source.Count(); ++I)
            Add()->Assign(*Source.Items(I));
    } catch (...) {
        FInAssign = false;
        throw;
    }
    FInAssign = false;
    for (const auto& Link : FItems)
        Link->ApplyPendingVisible();
    RestoreSystemMenuItem(SystemMenu);
}

} // namespace toolkit::bars
