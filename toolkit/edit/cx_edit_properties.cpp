#include "toolkit/edit/cx_edit_properties.h"

#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/cx_edit_view_data.h"

#include "toolkit/base/resource_strings.h"
#include "toolkit/edit/cx_container.h"
#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/cx_edit_style.h"
#include "toolkit/edit/cx_variants.h"
#include "toolkit/edit/editor_strings.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;

namespace {

std::vector<TcxCustomEditProperties*>& PropertiesList() {
    static std::vector<TcxCustomEditProperties*> List;
    return List;
}

std::string DisplayText(const Variant& V) {
    return V.IsEmpty() || V.IsNull() ? std::string() : V.AsString();
}

} // namespace

const std::vector<TcxCustomEditProperties*>& cxEditPropertiesList() {
    return PropertiesList();
}

// ---- TcxEditAlignment ----

void TcxEditAlignment::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxEditAlignment*>(Source);
    if (!S) {
        pc::TPersistent::Assign(Source);
        return;
    }
    FVert = S->FVert;
    FHorz = S->FHorz;
    FIsHorzAssigned = S->FIsHorzAssigned;
    DoChanged();
}

void TcxEditAlignment::SetHorz(TAlignment Value) {
    if (FIsHorzAssigned && FHorz == Value) return;
    FIsHorzAssigned = true;
    FHorz = Value;
    DoChanged();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment Value) {
    if (FVert == Value) return;
    FVert = Value;
    DoChanged();
}

void TcxEditAlignment::Reset() {
    FIsHorzAssigned = false;
    DoChanged();
}

// ---- TcxCustomEditPropertiesValues ----

pc::TPersistent* TcxCustomEditPropertiesValues::GetOwner() const {
    return FProperties;
}

void TcxCustomEditPropertiesValues::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomEditPropertiesValues*>(Source);
    if (!S) {
        pc::TPersistent::Assign(Source);
        return;
    }
    FProperties->BeginUpdate();
    SetMaxValue(S->FMaxValue);
    SetMinValue(S->FMinValue);
    SetReadOnly(S->FReadOnly);
    FProperties->EndUpdate(true);
}

void TcxCustomEditPropertiesValues::RestoreDefaults() {
    FProperties->BeginUpdate();
    SetMaxValue(false);
    SetMinValue(false);
    SetReadOnly(false);
    FProperties->EndUpdate(true);
}

void TcxCustomEditPropertiesValues::SetFlag(bool& Flag, bool Value) {
    if (Flag == Value) return;
    Flag = Value;
    FProperties->Changed();
}

bool TcxCustomEditPropertiesValues::IsMaxValueStored() const {
    return FMaxValue && FProperties->GetMaxValue() == 0.0 &&
           FProperties->PublishesProperty("MaxValue");
}

bool TcxCustomEditPropertiesValues::IsMinValueStored() const {
    return FMinValue && FProperties->GetMinValue() == 0.0 &&
           FProperties->PublishesProperty("MinValue");
}

// ---- TcxCustomEditDefaultValuesProvider ----

TcxCustomEditDefaultValuesProvider::~TcxCustomEditDefaultValuesProvider() {
    DetachFromProperties();
}

void TcxCustomEditDefaultValuesProvider::DetachFromProperties() {
    for (TcxCustomEditProperties* P : std::vector<TcxCustomEditProperties*>(PropertiesList())) {
        IcxEditDefaultValuesProvider* Provider = P->DefaultValuesProvider();
        if (Provider && Provider->GetInstance() == GetInstance())
            P->DefaultValuesProviderDestroyed();
    }
}

// ---- TcxCustomEditProperties ----

std::unique_ptr<TcxCustomEditProperties>
TcxCustomEditPropertiesClass::CreateProperties(pc::TPersistent* AOwner) const {
    std::unique_ptr<toolkit::base::TcxInterfacedPersistent> Object = Create(AOwner);
    auto* Properties = dynamic_cast<TcxCustomEditProperties*>(Object.get());
    if (!Properties) return nullptr;
    Object.release();
    return std::unique_ptr<TcxCustomEditProperties>(Properties);
}

const TcxCustomEditPropertiesClass& TcxCustomEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomEditProperties", &TcxInterfacedPersistent::ClassRef(),
        pc::ConstructorOf<TcxCustomEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomEditProperties::TcxCustomEditProperties(pc::TPersistent* AOwner)
    : TcxInterfacedPersistent(AOwner) {
    FFreeNotificator = std::make_unique<toolkit::base::TcxFreeNotificator>(nullptr);
    FFreeNotificator->OnFreeNotification = [this](pc::TComponent* C) { FreeNotification(C); };
    FPublishedAlignment.OnChanged = [this](pc::TObject*) { AlignmentChangedHandler(); };
    RecreateOwnedParts();
    PropertiesList().push_back(this);
}

TcxCustomEditProperties::~TcxCustomEditProperties() {
    auto& List = PropertiesList();
    List.erase(std::remove(List.begin(), List.end(), this), List.end());
    cxUnbindInplaceEditorProperties(this);
    OnPropertiesChanged = nullptr;
    FDefaultValuesProvider = nullptr;
    FButtons.reset();
    FPublishedAlignment.OnChanged = nullptr;
    FAssignedValues.reset();
    FFreeNotificator.reset();
}

void TcxCustomEditProperties::RecreateOwnedParts() {
    FButtons = CreateButtons();
    FButtons->OnChange = [this](TcxEditButtons*, TcxEditButton*) { ChangeHandler(); };
    FAssignedValues = CreateAssignedValues();
    FUseLeftAlignmentOnEditing = DefaultUseLeftAlignmentOnEditing();
}

std::unique_ptr<TcxCustomEditPropertiesValues> TcxCustomEditProperties::CreateAssignedValues() {
    return std::make_unique<TcxCustomEditPropertiesValues>(this);
}

std::unique_ptr<TcxEditButtons> TcxCustomEditProperties::CreateButtons() {
    return std::make_unique<TcxEditButtons>(this);
}

void TcxCustomEditProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomEditProperties*>(Source);
    if (!S) {
        TcxInterfacedPersistent::Assign(Source);
        return;
    }
    auto* Src = const_cast<TcxCustomEditProperties*>(S);
    BeginUpdate();
    try {
        SetAutoSelect(S->FAutoSelect);
        FButtons->Assign(S->FButtons.get());
        SetButtonsViewStyle(S->FButtonsViewStyle);
        FBeepOnError = S->FBeepOnError;
        FClearKey = S->FClearKey;
        FClickKey = S->FClickKey;
        SetUseLeftAlignmentOnEditing(S->FUseLeftAlignmentOnEditing);
        FDefaultValuesProvider = S->FDefaultValuesProvider;
        BaseSetAlignment(Src->Alignment());
        FAssignedValues->SetMaxValue(false);
        if (S->FAssignedValues->MaxValue()) SetMaxValue(Src->GetMaxValue());
        FAssignedValues->SetMinValue(false);
        if (S->FAssignedValues->MinValue()) SetMinValue(Src->GetMinValue());
        FAssignedValues->SetReadOnly(false);
        if (S->FAssignedValues->ReadOnly()) SetReadOnly(S->FReadOnly);
        FImmediatePost = S->FImmediatePost;
        SetTransparent(S->FTransparent);
        FInplaceEditKeysEnabled = S->FInplaceEditKeysEnabled;
        FValidateOnEnter = S->FValidateOnEnter;
        OnButtonClick = S->OnButtonClick;
        OnChange = S->OnChange;
        OnEditValueChanged = S->OnEditValueChanged;
        OnValidate = S->OnValidate;
    } catch (...) {
        EndUpdate(true);
        throw;
    }
    EndUpdate(true);
}

void TcxCustomEditProperties::BeginUpdate() {
    if (FUpdateCount == 0) FChangedOccurred = false;
    ++FUpdateCount;
}

void TcxCustomEditProperties::EndUpdate(bool AInvokeChanged) {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && AInvokeChanged && FChangedOccurred) Changed();
}

bool TcxCustomEditProperties::IsOwnerDestroying() const {
    const auto* Component = dynamic_cast<const pc::TComponent*>(GetOwner());
    return Component && (Component->ComponentState() & pc::csDestroying) != 0;
}

void TcxCustomEditProperties::Changed() {
    if (FChangedLocked || FUpdateCount != 0 || IsOwnerDestroying()) {
        FChangedOccurred = true;
        return;
    }
    if (!OnPropertiesChanged) return;
    ++FChangedCount;
    try {
        OnPropertiesChanged(this);
    } catch (...) {
        --FChangedCount;
        throw;
    }
    --FChangedCount;
}

bool TcxCustomEditProperties::CanModify() {
    if (FAssignedValues->ReadOnly() && !FReadOnly) return true;
    if (GetReadOnly()) return false;
    if (!FDefaultValuesProvider) return true;
    return FDefaultValuesProvider->IsDataModifiable() && FDefaultValuesProvider->AllowsEditing();
}

bool TcxCustomEditProperties::IsDisplayFormatDefined() {
    if ((GetDisplayFormatOptions() & dfoSupports) == 0) return false;
    if (GetEditValueSource(true) == 1 || GetEditValueSource(false) != 1) return false;
    if (!FDefaultValuesProvider) return false;
    return FDefaultValuesProvider->IsDisplayFormatDefined(
        (GetDisplayFormatOptions() & dfoNoCurrencyValue) == 0);
}

void TcxCustomEditProperties::SetIDefaultValuesProvider(IcxEditDefaultValuesProvider* Value) {
    FDefaultValuesProvider = Value;
    if (dynamic_cast<TcxContainer*>(GetOwner())) Changed();
}

TcxEditAlignment& TcxCustomEditProperties::Alignment() {
    FPublishedAlignment.OnChanged = nullptr;
    FPublishedAlignment.Assign(&FAlignment);
    if (!FPublishedAlignment.IsHorzAssigned()) {
        const TAlignment Default = GetDefaultHorzAlignment();
        FPublishedAlignment.SetHorz(Default);
        // Reading the default does not make it assigned.
        FPublishedAlignment.Reset();
    }
    FPublishedAlignment.OnChanged = [this](pc::TObject*) { AlignmentChangedHandler(); };
    return FPublishedAlignment;
}

void TcxCustomEditProperties::AlignmentChangedHandler() {
    FAlignment.Assign(&FPublishedAlignment);
    Changed();
}

void TcxCustomEditProperties::BaseSetAlignment(const TcxEditAlignment& Value) {
    FAlignment.Assign(&Value);
    Changed();
}

void TcxCustomEditProperties::SetAutoSelect(bool Value) {
    if (FAutoSelect == Value) return;
    FAutoSelect = Value;
    Changed();
}

void TcxCustomEditProperties::SetButtonsViewStyle(TcxEditButtonsViewStyle Value) {
    if (FButtonsViewStyle == Value) return;
    FButtonsViewStyle = Value;
    Changed();
}

void TcxCustomEditProperties::SetMaxValue(double Value) {
    if (FAssignedValues->MaxValue() && FMaxValue == Value) return;
    BeginUpdate();
    FAssignedValues->SetMaxValue(true);
    FMaxValue = Value;
    Changed();
    EndUpdate(true);
}

void TcxCustomEditProperties::SetMinValue(double Value) {
    if (FAssignedValues->MinValue() && FMinValue == Value) return;
    BeginUpdate();
    FAssignedValues->SetMinValue(true);
    FMinValue = Value;
    Changed();
    EndUpdate(true);
}

void TcxCustomEditProperties::SetReadOnly(bool Value) {
    if (FAssignedValues->ReadOnly() && FReadOnly == Value) return;
    BeginUpdate();
    FAssignedValues->SetReadOnly(true);
    FReadOnly = Value;
    Changed();
    EndUpdate(true);
}

void TcxCustomEditProperties::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Changed();
}

void TcxCustomEditProperties::SetUseLeftAlignmentOnEditing(bool Value) {
    if (FUseLeftAlignmentOnEditing == Value) return;
    FUseLeftAlignmentOnEditing = Value;
    Changed();
}

bool TcxCustomEditProperties::PublishesProperty(const std::string&) const {
    return false;
}

TAlignment TcxCustomEditProperties::GetDefaultHorzAlignment() {
    if (FDefaultValuesProvider) return FDefaultValuesProvider->DefaultAlignment();
    return FAlignment.Horz();
}

double TcxCustomEditProperties::GetMaxValue() {
    if (FAssignedValues->MaxValue()) return FMaxValue;
    return FDefaultValuesProvider ? FDefaultValuesProvider->DefaultMaxValue() : 0.0;
}

double TcxCustomEditProperties::GetMinValue() {
    if (FAssignedValues->MinValue()) return FMinValue;
    return FDefaultValuesProvider ? FDefaultValuesProvider->DefaultMinValue() : 0.0;
}

bool TcxCustomEditProperties::GetReadOnly() {
    if (FAssignedValues->ReadOnly()) return FReadOnly;
    return FDefaultValuesProvider && FDefaultValuesProvider->DefaultReadOnly();
}

void TcxCustomEditProperties::GetValidateErrorText(int, std::string& Text) {
    Text = toolkit::base::cxGetResourceString(cxSEditValidateErrorText);
}

bool TcxCustomEditProperties::IsDisplayFormatInUse(bool AEditing) {
    const unsigned Options = GetDisplayFormatOptions();
    if (AEditing || (Options & dfoSupports) == 0 || !FDefaultValuesProvider) return false;
    return FDefaultValuesProvider->IsDisplayFormatDefined((Options & dfoNoCurrencyValue) == 0);
}

TcxContainerStyleClass TcxCustomEditProperties::GetStyleClass() const {
    return cxEditStyleClass();
}

bool TcxCustomEditProperties::CompareDisplayValues(const Variant& AEditValue1,
                                                   const Variant& AEditValue2) {
    Variant Display1, Display2;
    PrepareDisplayValue(AEditValue1, Display1, false);
    PrepareDisplayValue(AEditValue2, Display2, false);
    return VarEqualsExact(Display1, Display2);
}

std::unique_ptr<TcxCustomEditProperties> TcxCustomEditProperties::CreatePreviewProperties() const {
    return ClassType().CreateProperties(nullptr);
}

std::string TcxCustomEditProperties::GetDisplayText(const Variant&, bool) {
    return {};
}

unsigned TcxCustomEditProperties::GetSupportedOperations() const {
    return FButtons->Count() > 0 ? esoHotTrack : 0;
}

bool TcxCustomEditProperties::IsActivationKey(char) const {
    return false;
}

bool TcxCustomEditProperties::IsEditValueValid(Variant&, bool) {
    return true;
}

void TcxCustomEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                  bool) {
    DisplayValue = AEditValue;
}

void TcxCustomEditProperties::RestoreDefaults() {
    BeginUpdate();
    FAlignment.Reset();
    Changed();
    FAssignedValues->RestoreDefaults();
    EndUpdate(true);
}

void TcxCustomEditProperties::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText,
                                                   bool& Error, IcxEditValidation* AEdit) {
    if (!CanValidate()) return;
    if (ErrorText.empty()) GetValidateErrorText(0, ErrorText);
    bool DisplayValueChanged = false;
    DoValidate(DisplayValue, ErrorText, DisplayValueChanged, AEdit, Error);
}

int TcxCustomEditProperties::GetEditValueSource(bool) const {
    return 0;
}

void TcxCustomEditProperties::DoValidate(Variant& DisplayValue, std::string& ErrorText,
                                         bool& DisplayValueChanged, IcxEditValidation* AEdit,
                                         bool& Error) {
    DisplayValueChanged = false;
    if (!AEdit || !AEdit->HasValidateHandlers()) return;
    const Variant Previous = DisplayValue;
    AEdit->DoOnValidate(DisplayValue, ErrorText, Error);
    if (!Error) return;
    DisplayValueChanged = DisplayText(DisplayValue) != DisplayText(Previous);
    if (!DisplayValueChanged) DisplayValue = Variant::String(AEdit->GetValidationDisplayText());
}

std::unique_ptr<TcxCustomEditViewData>
TcxCustomEditProperties::CreateViewData(TcxCustomEditStyle& AStyle, bool AIsInplace) {
    return std::make_unique<TcxCustomEditViewData>(*this, AStyle, AIsInplace);
}

std::function<std::unique_ptr<TcxCustomEditViewInfo>()>
TcxCustomEditProperties::GetViewInfoClass() const {
    return [] { return std::make_unique<TcxCustomEditViewInfo>(); };
}

const pc::TComponentClass& TcxCustomEditProperties::GetContainerClass() const {
    return TcxCustomEdit::ClassRef();
}

} // namespace toolkit::edit
