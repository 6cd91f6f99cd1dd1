#include "toolkit/edit/cx_edit_repository.h"

#include "toolkit/base/office11.h"
#include "toolkit/edit/cx_variants.h"

#include "platform/core/window_handle.h"
#include "platform/win/messages.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;

// ---- TcxEditRepositoryItem ----

const TcxEditRepositoryItemClass& TcxEditRepositoryItem::ClassRef() {
    static const TcxEditRepositoryItemClass Class(
        "TcxEditRepositoryItem", &pc::TComponent::ClassRef(),
        pc::ConstructorOf<TcxEditRepositoryItem, TcxEditRepositoryItem, pc::TComponent*>());
    return Class;
}

TcxEditRepositoryItem::TcxEditRepositoryItem(pc::TComponent* AOwner) : pc::TComponent(AOwner) {
    CreateProperties();
}

TcxEditRepositoryItem::~TcxEditRepositoryItem() {
    for (auto It = FListeners.rbegin(); It != FListeners.rend(); ++It)
        (*It)->ItemRemoved(this);
    FListeners.clear();
    SetRepository(nullptr);
    FProperties.reset();
}

void TcxEditRepositoryItem::CreateProperties() {
    FProperties = GetPropertiesClass().CreateProperties(this);
    FProperties->OnPropertiesChanged = [this](TcxCustomEditProperties*) { PropertiesChanged(); };
}

void TcxEditRepositoryItem::PropertiesChanged() {
    const std::vector<IcxEditRepositoryItemListener*> Listeners = FListeners;
    for (auto It = Listeners.rbegin(); It != Listeners.rend(); ++It)
        (*It)->PropertiesChanged(this);
}

void TcxEditRepositoryItem::AddListener(IcxEditRepositoryItemListener* Listener) {
    if (std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
        FListeners.push_back(Listener);
}

void TcxEditRepositoryItem::RemoveListener(IcxEditRepositoryItemListener* Listener) {
    FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), Listener), FListeners.end());
}

std::string TcxEditRepositoryItem::GetBaseName() const {
    static constexpr std::string_view Prefix = "TcxEditRepository";
    const std::string& ClassName = ClassType().ClassName();
    std::string Suffix;
    if (const auto At = ClassName.find(Prefix); At != std::string::npos)
        Suffix = ClassName.substr(At + Prefix.size());
    return (FRepository ? FRepository->Name : std::string()) + Suffix;
}

pc::TComponent* TcxEditRepositoryItem::GetParentComponent() const {
    return FRepository;
}

void TcxEditRepositoryItem::SetParentComponent(pc::TComponent* Value) {
    if (ComponentState() & pc::csLoading) return;
    SetRepository(dynamic_cast<TcxEditRepository*>(Value));
}

void TcxEditRepositoryItem::SetRepository(TcxEditRepository* Value) {
    if (FRepository == Value) return;
    if (FRepository) FRepository->RemoveItem(this);
    FRepository = Value;
    if (FRepository) FRepository->AddItem(this);
}

// ---- TcxEditRepository ----

TcxEditRepository::~TcxEditRepository() {
    // Owned items go with the owned components; the others only leave.
    while (!FItems.empty()) {
        TcxEditRepositoryItem* Item = FItems.back();
        if (Item->Owner() == this)
            FreeComponent(*Item);
        else
            Item->SetRepository(nullptr);
    }
}

TcxEditRepositoryItem& TcxEditRepository::CreateItem(const TcxEditRepositoryItemClass& AItemClass) {
    return CreateItemEx(AItemClass, this);
}

TcxEditRepositoryItem& TcxEditRepository::CreateItemEx(const TcxEditRepositoryItemClass& AItemClass,
                                                       pc::TComponent* AOwner) {
    if (!AOwner) AOwner = this;
    std::unique_ptr<TcxEditRepositoryItem> Item = AItemClass.Create(AOwner);
    TcxEditRepositoryItem& Result = *Item;
    AOwner->InsertComponent(std::move(Item));
    Result.SetRepository(this);
    return Result;
}

void TcxEditRepository::GetChildren(const std::function<void(pc::TComponent*)>& Proc,
                                    pc::TComponent* Root) const {
    for (TcxEditRepositoryItem* Item : FItems)
        if (Item->Owner() == Root) Proc(Item);
}

void TcxEditRepository::AddItem(TcxEditRepositoryItem* Item) {
    if (std::find(FItems.begin(), FItems.end(), Item) == FItems.end()) FItems.push_back(Item);
}

void TcxEditRepository::RemoveItem(TcxEditRepositoryItem* Item) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
}

// ---- framework routines ----

toolkit::base::TcxRegisteredClasses& GetRegisteredEditProperties() {
    static toolkit::base::TcxRegisteredClasses* Registry = [] {
        static toolkit::base::TcxRegisteredClasses Classes;
        Classes.SetSorted(true);
        return &Classes;
    }();
    return *Registry;
}

pc::TComponent* cxGetOwnerComponent(const pc::TPersistent* APersistent) {
    const pc::TPersistent* P = APersistent;
    while (P) {
        if (auto* C = dynamic_cast<const pc::TComponent*>(P)) return const_cast<pc::TComponent*>(C);
        P = P->GetOwner();
    }
    return nullptr;
}

bool cxVarEqualsExact(const pc::Variant& V1, const pc::Variant& V2) {
    return V1.VarType() == V2.VarType() && VarEqualsExact(V1, V2);
}

bool cxVarEqualsExactNumeric(const pc::Variant& V1, const pc::Variant& V2) {
    if (V1.IsNumeric() && V2.IsNumeric() && V1.VarType() != V2.VarType())
        return VarEqualsExact(V1, V2);
    return cxVarEqualsExact(V1, V2);
}

bool cxIsBlank(char C) {
    return C == ' ' || C == '\0' || C == '\t' || C == '\n' || C == '\f' || C == '\r';
}

void cxSendKey(pf::TWinControl& Control, unsigned Key) {
    pc::SendMessage(Control.Handle(), platform::win::WM_KEYDOWN, Key, 0);
}

void cxSendChar(pf::TWinControl& Control, char Ch) {
    pc::SendMessage(Control.Handle(), platform::win::WM_CHAR, static_cast<unsigned char>(Ch), 0);
}

platform::gdi::TSize cxEnlargeSize(const platform::gdi::TSize& A, const platform::gdi::TSize& B) {
    return {std::max(A.cx, B.cx), std::max(A.cy, B.cy)};
}

void cxDrawFrame(platform::gdi::HDC DC, const TRect& R, TColor Color) {
    toolkit::base::FrameRectByColor(DC, R, Color);
}

void cxDrawFrameAndDeflate(platform::gdi::HDC DC, TRect& R, TColor Color) {
    cxDrawFrame(DC, R, Color);
    ++R.Left;
    ++R.Top;
    --R.Right;
    --R.Bottom;
}

bool cxRegionHasArea(const toolkit::base::TcxRegion& Region) {
    return !Region.IsEmpty();
}

void cxSubtractRegion(toolkit::base::TcxRegion& Region, const toolkit::base::TcxRegion& What) {
    Region.Combine(What, toolkit::base::rgnSubtract);
}

pf::TShiftState cxMouseButtonToShift(pf::TMouseButton Button) {
    switch (Button) {
    case pf::mbLeft:
        return pf::ssLeft;
    case pf::mbRight:
        return pf::ssRight;
    case pf::mbMiddle:
        return pf::ssMiddle;
    }
    return 0;
}

pf::TShiftState cxMouseButtonToShift(TcxMouseButton Button) {
    switch (Button) {
    case cxmbNone:
        return 0;
    case cxmbLeft:
        return pf::ssLeft;
    case cxmbRight:
        return pf::ssRight;
    case cxmbMiddle:
        return pf::ssMiddle;
    }
    return 0;
}

TcxLookAndFeelKind cxGetEditButtonsLookAndFeelKind(bool AInplace, TcxLookAndFeelKind AStyleKind,
                                                   int AButtonCount,
                                                   TcxEditButtonStyle AButtonStyle) {
    using namespace toolkit::base;
    if (AInplace) return AStyleKind;
    if (AButtonCount == 0) return lfStandard;
    static constexpr TcxLookAndFeelKind ByStyle[] = {lfStandard, lfStandard,  lfFlat,    lfFlat,
                                                     lfFlat,     lfUltraFlat, lfOffice11};
    return ByStyle[AButtonStyle];
}

namespace {
std::vector<TcxInplaceEditorPool*>* InplaceEditorPools = nullptr;
} // namespace

std::vector<TcxInplaceEditorPool*>* cxInplaceEditorPools() {
    return InplaceEditorPools;
}

void cxSetInplaceEditorPools(std::vector<TcxInplaceEditorPool*>* Pools) {
    InplaceEditorPools = Pools;
}

int cxFindInplaceEditorEntry(TcxInplaceEditorPool& Pool, TcxCustomEditProperties* AProperties,
                             const pc::TClass* AContainerClass, bool ABind) {
    for (std::size_t I = 0; I < Pool.size(); ++I)
        if (Pool[I].Properties == AProperties) return static_cast<int>(I);
    if (!ABind) return -1;
    for (std::size_t I = 0; I < Pool.size(); ++I) {
        if (!Pool[I].Properties && pc::IsInstanceOf(Pool[I].Editor, AContainerClass)) {
            Pool[I].Properties = AProperties;
            return static_cast<int>(I);
        }
    }
    return -1;
}

void cxUnbindInplaceEditorProperties(TcxCustomEditProperties* AProperties) {
    if (!InplaceEditorPools) return;
    for (TcxInplaceEditorPool* Pool : *InplaceEditorPools)
        for (TcxInplaceEditorPoolEntry& Entry : *Pool)
            if (Entry.Properties == AProperties) Entry.Properties = nullptr;
}

} // namespace toolkit::edit
