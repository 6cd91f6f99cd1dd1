#include "toolkit/bars/model/dx_bar_group.h"

#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/base/resource_strings.h"

#include "platform/core/exception.h"
#include "platform/core/filer.h"
#include "platform/forms/forms.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

const pc::TComponentClass& TdxBarGroup::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarGroup", &pc::TComponent::ClassRef(),
        pc::ConstructorOf<TdxBarGroup, pc::TComponent, pc::TComponent*>());
    return cls;
}

TdxBarGroup::TdxBarGroup(pc::TComponent* AOwner) : pc::TComponent(AOwner) {
    if (dynamic_cast<pf::TCustomForm*>(AOwner)) FBarManager = GetBarManagerByControl(AOwner);
    if (!FBarManager && dxBarUnit().BarManagerList().GetCount() > 0)
        FBarManager = dxBarUnit().BarManagerList().GetItem(0);
    if (FBarManager) FBarManager->RegisterGroup(this);
}

TdxBarGroup::~TdxBarGroup() {
    if (FBarManager) FBarManager->UnregisterGroup(this);
}

bool TdxBarGroup::Contains(const TdxBarGroup* Group) const {
    if (Group == this) return true;
    for (const pc::TComponent* Entry : FEntries)
        if (const auto* Sub = dynamic_cast<const TdxBarGroup*>(Entry); Sub && Sub->Contains(Group))
            return true;
    return false;
}

void TdxBarGroup::Add(pc::TComponent* Entry) {
    if (!Entry || IndexOf(Entry) >= 0) return;
    if (const auto* Group = dynamic_cast<const TdxBarGroup*>(Entry)) {
        if (Group->Contains(this))
            throw pc::Exception(toolkit::base::cxGetResourceString(dxSBAR_RECURSIVEGROUPS));
    } else if (!dynamic_cast<const TdxBarItem*>(Entry)) {
        return;
    }
    FEntries.push_back(Entry);
    FreeNotification(Entry);
}

void TdxBarGroup::Remove(pc::TComponent* Entry) {
    std::erase(FEntries, Entry);
}

int TdxBarGroup::IndexOf(const pc::TComponent* Entry) const {
    const auto It = std::find(FEntries.begin(), FEntries.end(), Entry);
    return It == FEntries.end() ? -1 : static_cast<int>(It - FEntries.begin());
}

void TdxBarGroup::Move(int CurIndex, int NewIndex) {
    if (CurIndex < 0 || CurIndex >= Count() || NewIndex < 0 || NewIndex >= Count()) return;
    pc::TComponent* Entry = FEntries[static_cast<std::size_t>(CurIndex)];
    FEntries.erase(FEntries.begin() + CurIndex);
    FEntries.insert(FEntries.begin() + NewIndex, Entry);
}

pc::TComponent* TdxBarGroup::Items(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return FEntries[static_cast<std::size_t>(Index)];
}

int TdxBarGroup::Index() const {
    return FBarManager ? FBarManager->IndexOfGroup(this) : -1;
}

void TdxBarGroup::SetIndex(int Value) {
    if (FBarManager) FBarManager->MoveGroup(Index(), Value);
}

bool TdxBarGroup::LoadingOrDestroying() const {
    return (ComponentState() & (pc::csLoading | pc::csDestroying)) != 0;
}

void TdxBarGroup::SetEnabled(bool Value) {
    FEnabled = Value;
    const bool Lock = FBarManager && !LoadingOrDestroying();
    const bool WasLocked = FBarManager && FBarManager->LockUpdate();
    if (Lock) FBarManager->SetLockUpdate(true);
    for (pc::TComponent* Entry : FEntries) {
        if (auto* Item = dynamic_cast<TdxBarItem*>(Entry))
            Item->SetEnabled(Value);
        else if (auto* Group = dynamic_cast<TdxBarGroup*>(Entry))
            Group->SetEnabled(Value);
    }
    if (Lock) FBarManager->SetLockUpdate(WasLocked);
}

void TdxBarGroup::CollectBarWindows(std::vector<TCustomdxBarControl*>& Windows) const {
    for (pc::TComponent* Entry : FEntries) {
        if (const auto* Item = dynamic_cast<const TdxBarItem*>(Entry)) {
            for (int I = 0; I < Item->LinkCount(); ++I)
                if (TCustomdxBarControl* Window = Item->Links(I)->GetBarControl();
                    Window && std::find(Windows.begin(), Windows.end(), Window) == Windows.end())
                    Windows.push_back(Window);
        } else if (const auto* Group = dynamic_cast<const TdxBarGroup*>(Entry)) {
            Group->CollectBarWindows(Windows);
        }
    }
}

void TdxBarGroup::SetVisible(TdxBarItemVisible Value) {
    FVisible = Value;
    const bool Lock = FBarManager && !LoadingOrDestroying();
    const bool WasLocked = FBarManager && FBarManager->LockUpdate();
    if (Lock) FBarManager->SetLockUpdate(true);
    for (pc::TComponent* Entry : FEntries) {
        if (auto* Item = dynamic_cast<TdxBarItem*>(Entry))
            Item->SetVisible(Value);
        else if (auto* Group = dynamic_cast<TdxBarGroup*>(Entry))
            Group->SetVisible(Value);
    }
    if (!Lock) return;
    FBarManager->SetLockUpdate(WasLocked);
    if (WasLocked) return;
    // The items made and freed their controls under the lock: the bars that show them lay
    // themselves out once, now, closing the slots of the hidden ones.
    std::vector<TCustomdxBarControl*> Windows;
    CollectBarWindows(Windows);
    for (TCustomdxBarControl* Window : Windows)
        if (dxBarUnit().BarControlExists(Window)) dxBarWindowServices().RefreshLayout(*Window);
}

void TdxBarGroup::Loaded() {
    pc::TComponent::Loaded();
    pc::TComponent* Form = FBarManager ? FBarManager->Form() : nullptr;
    if (Form)
        for (const std::string& Name : FEntryNames)
            for (int I = 0; I < Form->ComponentCount(); ++I)
                if (Form->Components(I)->Name == Name) {
                    Add(Form->Components(I));
                    break;
                }
    FEntryNames.clear();
}

void TdxBarGroup::SetName(const std::string& NewName) {
    pc::TComponent::SetName(NewName);
    dxBarCustomizingServices().UpdateCustomizingBarGroups();
}

pc::TComponent* TdxBarGroup::GetParentComponent() const {
    return FBarManager;
}

void TdxBarGroup::SetParentComponent(pc::TComponent* Value) {
    auto* Manager = dynamic_cast<TdxBarManager*>(Value);
    if (Manager == nullptr || Manager == FBarManager) return;
    if (FBarManager) FBarManager->UnregisterGroup(this);
    FBarManager = Manager;
    Manager->RegisterGroup(this);
}

void TdxBarGroup::DefinePublishedProperties(pc::TFiler& Filer) {
    pc::TComponent::DefinePublishedProperties(Filer);
    Filer.DefineBoolean(
        "Enabled", FEnabled, [this](bool Value) { SetEnabled(Value); }, !FEnabled);
    Filer.DefineEnum(
        "Visible", FVisible, dxBarItemVisibleNames,
        [this](int Value) { SetVisible(static_cast<TdxBarItemVisible>(Value)); },
        FVisible != ivAlways);
}

void TdxBarGroup::DefineProperties(pc::TFiler& Filer) {
    pc::TComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        "Items",
        [this](pc::TReader& Reader) {
            std::vector<std::string> Names;
            Reader.ReadListBegin();
            while (!Reader.EndOfList())
                Names.push_back(Reader.ReadString());
            Reader.ReadListEnd();
            SetEntryNames(std::move(Names));
        },
        [this](pc::TWriter& Writer) {
            Writer.WriteListBegin();
            for (const pc::TComponent* Entry : FEntries)
                Writer.WriteString(Entry->Name);
            Writer.WriteListEnd();
        },
        !FEntries.empty());
}

TdxBarGroup* TdxBarManager::AddGroup() {
    pf::TCustomForm* Owner = Form();
    if (Owner == nullptr) return nullptr;
    std::string Name;
    for (int N = 1;; ++N) {
        Name = "dxBarGroup" + std::to_string(N);
        bool Taken = false;
        for (int I = 0; I < Owner->ComponentCount() && !Taken; ++I)
            Taken = Owner->Components(I)->Name == Name;
        if (!Taken) break;
    }
    auto& Group = Owner->Own<TdxBarGroup>();
    Group.Name = Name;
    DesignerModified();
    return &Group;
}

void TdxBarGroup::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    pc::TComponent::Notification(AComponent, Operation);
    if (Operation != pc::opRemove) return;
    if (AComponent == FBarManager) FBarManager = nullptr;
    if (AComponent != this) Remove(AComponent);
}

} // namespace toolkit::bars
