#include "toolkit/edit/cx_filter_edit_helpers.h"

#include "toolkit/edit/cx_check_box_properties.h"
#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_spin_edit.h"
#include "toolkit/edit/cx_spin_edit_properties.h"
#include "toolkit/edit/cx_text_edit.h"

#include <memory>

namespace toolkit::edit {

namespace pc = platform::core;

namespace {

std::unique_ptr<TcxFilterEditsController>& ControllerInstance() {
    static std::unique_ptr<TcxFilterEditsController> Instance;
    return Instance;
}

} // namespace

TcxFilterOperatorKinds cxFilterOperatorRange(int First, int Last) {
    TcxFilterOperatorKinds Result;
    for (int I = First; I <= Last; ++I)
        Result.set(static_cast<std::size_t>(I));
    return Result;
}

// ---- TcxCustomFilterEditHelper ----

const TcxCustomFilterEditHelper& TcxCustomFilterEditHelper::ClassRef() {
    static const TcxCustomFilterEditHelper Class("TcxCustomFilterEditHelper", nullptr);
    return Class;
}

void TcxCustomFilterEditHelper::ClearPropertiesEvents(TcxCustomEditProperties& Properties) const {
    Properties.OnButtonClick = nullptr;
    Properties.OnChange = nullptr;
    Properties.OnEditValueChanged = nullptr;
    Properties.OnValidate = nullptr;
}

void TcxCustomFilterEditHelper::InitializeEdit(
    TcxCustomEdit& Edit, const TcxCustomEditProperties& SourceProperties) const {
    InitializeProperties(Edit.ActiveProperties(), SourceProperties, HasButtons());
}

void TcxCustomFilterEditHelper::GetFilterValue(TcxCustomEdit& Edit,
                                               TcxCustomEditProperties& EditProperties,
                                               Variant& Value, std::string& DisplayText) const {
    Value = Edit.GetEditValue();
    DisplayText = EditProperties.GetDisplayText(Value, false);
}

void TcxCustomFilterEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties&,
                                                            TcxValueTypeClass ValueTypeClass,
                                                            TcxFilterOperatorKinds& Operators,
                                                            bool Extended) const {
    Operators = cxFilterOperatorRange(1, Extended ? 14 : 10);
    if (ValueTypeClass == nullptr || !ValueTypeClass->IsString()) {
        Operators.reset(cxFilterOperatorLike);
        Operators.reset(cxFilterOperatorNotLike);
    }
}

void TcxCustomFilterEditHelper::InitializeProperties(
    TcxCustomEditProperties& Properties, const TcxCustomEditProperties& SourceProperties,
    bool AHasButtons) const {
    Properties.Assign(&SourceProperties);
    Properties.Alignment().SetHorz(platform::forms::taLeftJustify);
    Properties.Alignment().SetVert(taTopJustify);
    Properties.SetBeepOnError(false);
    if (!AHasButtons) Properties.Buttons().Clear();
    Properties.SetReadOnly(false);
    Properties.SetValidateOnEnter(true);
    if (!KeepsDefaultValuesProvider()) Properties.SetIDefaultValuesProvider(nullptr);
    ClearPropertiesEvents(Properties);
}

bool TcxCustomFilterEditHelper::IsValueValid(TcxValueTypeClass ValueTypeClass,
                                             Variant& Value) const {
    return ValueTypeClass != nullptr && ValueTypeClass->IsValueValid(Value);
}

void TcxCustomFilterEditHelper::SetFilterValue(TcxCustomEdit&, TcxCustomEditProperties&,
                                               const Variant&) const {}

// ---- TcxFilterTextEditHelper ----

const TcxFilterTextEditHelper& TcxFilterTextEditHelper::ClassRef() {
    static const TcxFilterTextEditHelper Class("TcxFilterTextEditHelper",
                                               &TcxCustomFilterEditHelper::ClassRef());
    return Class;
}

const pc::TComponentClass* TcxFilterTextEditHelper::GetFilterEditClass() const {
    return &TcxTextEdit::ClassRef();
}

void TcxFilterTextEditHelper::InitializeProperties(TcxCustomEditProperties& Properties,
                                                   const TcxCustomEditProperties& SourceProperties,
                                                   bool AHasButtons) const {
    TcxCustomFilterEditHelper::InitializeProperties(Properties, SourceProperties, AHasButtons);
    Properties.SetAutoSelect(true);
    if (auto* Text = dynamic_cast<TcxCustomTextEditProperties*>(&Properties)) {
        Text->SetHideSelection(true);
        Text->SetTextViewStyle(0);
    }
}

void TcxFilterTextEditHelper::SetFilterValue(TcxCustomEdit& Edit, TcxCustomEditProperties&,
                                             const Variant& Value) const {
    Edit.SetEditValueLocked(Value);
}

// ---- TcxFilterMaskEditHelper ----

const TcxFilterMaskEditHelper& TcxFilterMaskEditHelper::ClassRef() {
    static const TcxFilterMaskEditHelper Class("TcxFilterMaskEditHelper",
                                               &TcxFilterTextEditHelper::ClassRef());
    return Class;
}

const pc::TComponentClass* TcxFilterMaskEditHelper::GetFilterEditClass() const {
    return &TcxMaskEdit::ClassRef();
}

void TcxFilterMaskEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties& EditProperties,
                                                          TcxValueTypeClass ValueTypeClass,
                                                          TcxFilterOperatorKinds& Operators,
                                                          bool Extended) const {
    Operators = cxFilterOperatorRange(1, 6) | cxFilterOperatorRange(9, 10);
    auto* Mask = dynamic_cast<TcxCustomMaskEditProperties*>(&EditProperties);
    const bool Masked = Mask != nullptr && Mask->IsMasked();
    if (!Masked && ValueTypeClass != nullptr && ValueTypeClass->IsString())
        Operators |= cxFilterOperatorRange(cxFilterOperatorLike, cxFilterOperatorNotLike);
    if (Extended) Operators |= cxFilterOperatorRange(11, 14);
}

void TcxFilterMaskEditHelper::InitializeProperties(TcxCustomEditProperties& Properties,
                                                   const TcxCustomEditProperties& SourceProperties,
                                                   bool AHasButtons) const {
    TcxFilterTextEditHelper::InitializeProperties(Properties, SourceProperties, AHasButtons);
    // A row holds a value to compare with, which the plain language cannot leave half typed.
    if (auto* Mask = dynamic_cast<TcxCustomMaskEditProperties*>(&Properties);
        Mask != nullptr && Mask->MaskKind() == emkRegExpr)
        Mask->SetMaskKind(emkRegExprEx);
}

// ---- TcxFilterDropDownEditHelper ----

const TcxFilterDropDownEditHelper& TcxFilterDropDownEditHelper::ClassRef() {
    static const TcxFilterDropDownEditHelper Class("TcxFilterDropDownEditHelper",
                                                   &TcxFilterMaskEditHelper::ClassRef());
    return Class;
}

// ---- TcxFilterComboBoxHelper ----

const TcxFilterComboBoxHelper& TcxFilterComboBoxHelper::ClassRef() {
    static const TcxFilterComboBoxHelper Class("TcxFilterComboBoxHelper",
                                               &TcxFilterDropDownEditHelper::ClassRef());
    return Class;
}

const pc::TComponentClass* TcxFilterComboBoxHelper::GetFilterEditClass() const {
    return &TcxComboBox::ClassRef();
}

void TcxFilterComboBoxHelper::InitializeProperties(TcxCustomEditProperties& Properties,
                                                   const TcxCustomEditProperties& SourceProperties,
                                                   bool AHasButtons) const {
    TcxFilterMaskEditHelper::InitializeProperties(Properties, SourceProperties, AHasButtons);
    auto* Combo = dynamic_cast<TcxCustomComboBoxProperties*>(&Properties);
    if (Combo == nullptr) return;
    Combo->SetButtonGlyph(nullptr);
    Combo->SetDropDownRows(8);
    Combo->SetDropDownListStyle(lsEditList);
    Combo->SetImmediateDropDown(false);
    Combo->SetPopupAlignment(platform::forms::taLeftJustify);
    Combo->SetRevertable(false);
}

// ---- TcxFilterSpinEditHelper ----

const TcxFilterSpinEditHelper& TcxFilterSpinEditHelper::ClassRef() {
    static const TcxFilterSpinEditHelper Class("TcxFilterSpinEditHelper",
                                               &TcxFilterMaskEditHelper::ClassRef());
    return Class;
}

const pc::TComponentClass* TcxFilterSpinEditHelper::GetFilterEditClass() const {
    return &TcxSpinEdit::ClassRef();
}

void TcxFilterSpinEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties&,
                                                          TcxValueTypeClass,
                                                          TcxFilterOperatorKinds& Operators,
                                                          bool Extended) const {
    Operators = cxFilterOperatorRange(1, 6) | cxFilterOperatorRange(9, 10);
    if (Extended) Operators |= cxFilterOperatorRange(11, 14);
}

void TcxFilterSpinEditHelper::InitializeProperties(TcxCustomEditProperties& Properties,
                                                   const TcxCustomEditProperties& SourceProperties,
                                                   bool AHasButtons) const {
    TcxFilterMaskEditHelper::InitializeProperties(Properties, SourceProperties, AHasButtons);
    if (auto* Spin = dynamic_cast<TcxCustomSpinEditProperties*>(&Properties))
        Spin->SetCanEdit(true);
}

// ---- TcxFilterCheckBoxHelper ----

const TcxFilterCheckBoxHelper& TcxFilterCheckBoxHelper::ClassRef() {
    static const TcxFilterCheckBoxHelper Class("TcxFilterCheckBoxHelper",
                                               &TcxFilterComboBoxHelper::ClassRef());
    return Class;
}

void TcxFilterCheckBoxHelper::GetFilterValue(TcxCustomEdit& Edit,
                                             TcxCustomEditProperties& EditProperties,
                                             Variant& Value, std::string& DisplayText) const {
    auto* Combo = dynamic_cast<TcxCustomTextEdit*>(&Edit);
    auto* CheckBox = dynamic_cast<TcxCustomCheckBoxProperties*>(&EditProperties);
    const int Index = Combo != nullptr ? Combo->ItemIndex() : -1;
    if (CheckBox == nullptr || Index < 0 || Index > 1) {
        Value = Variant::Null();
        DisplayText.clear();
        return;
    }
    Value = Index == 0 ? CheckBox->ValueChecked() : CheckBox->ValueUnchecked();
    DisplayText = EditProperties.GetDisplayText(Value, false);
}

void TcxFilterCheckBoxHelper::GetSupportedFilterOperators(TcxCustomEditProperties&,
                                                          TcxValueTypeClass,
                                                          TcxFilterOperatorKinds& Operators,
                                                          bool) const {
    Operators = cxFilterOperatorRange(1, 2) | cxFilterOperatorRange(9, 10);
}

void TcxFilterCheckBoxHelper::InitializeProperties(TcxCustomEditProperties& Properties,
                                                   const TcxCustomEditProperties& SourceProperties,
                                                   bool AHasButtons) const {
    TcxFilterComboBoxHelper::InitializeProperties(Properties, SourceProperties, AHasButtons);
    if (auto* Combo = dynamic_cast<TcxCustomComboBoxProperties*>(&Properties)) {
        Combo->Items().Clear();
        if (const auto* CheckBox =
                dynamic_cast<const TcxCustomCheckBoxProperties*>(&SourceProperties)) {
            Combo->Items().Add(CheckBox->DisplayChecked());
            Combo->Items().Add(CheckBox->DisplayUnchecked());
        }
        Combo->SetDropDownListStyle(lsFixedList);
    }
    // The check box's own defaults do not describe a list of two display texts.
    Properties.SetIDefaultValuesProvider(nullptr);
}

void TcxFilterCheckBoxHelper::SetFilterValue(TcxCustomEdit& Edit,
                                             TcxCustomEditProperties& EditProperties,
                                             const Variant& Value) const {
    auto* Combo = dynamic_cast<TcxCustomTextEdit*>(&Edit);
    auto* CheckBox = dynamic_cast<TcxCustomCheckBoxProperties*>(&EditProperties);
    if (Combo == nullptr || CheckBox == nullptr) return;
    switch (CheckBox->GetState(Value)) {
    case toolkit::base::cbsChecked:
        Combo->SetItemIndex(0);
        break;
    case toolkit::base::cbsUnchecked:
        Combo->SetItemIndex(1);
        break;
    default:
        Combo->SetItemIndex(-1);
        break;
    }
}

// ---- TcxFilterEditsController ----

void TcxFilterEditsController::Register(const pc::TClass* EditPropertiesClass,
                                        const pc::TClass* HelperClass) {
    toolkit::base::TcxRegisteredClassList::Register(EditPropertiesClass->ClassParent(),
                                                    HelperClass);
}

void TcxFilterEditsController::Unregister(const pc::TClass* EditPropertiesClass,
                                          const pc::TClass* HelperClass) {
    toolkit::base::TcxRegisteredClassList::Unregister(EditPropertiesClass->ClassParent(),
                                                      HelperClass);
    // Last: the controller is gone once its last pair is.
    if (Count() == 0 && ControllerInstance().get() == this) ControllerInstance().reset();
}

TcxCustomFilterEditHelperClass
TcxFilterEditsController::FindHelper(const pc::TClass* EditPropertiesClass) {
    int Index = -1;
    if (!Find(EditPropertiesClass, Index)) return nullptr;
    return static_cast<TcxCustomFilterEditHelperClass>(Items(Index).RegisteredClass);
}

TcxFilterEditsController& FilterEditsController() {
    auto& Instance = ControllerInstance();
    if (!Instance) Instance = std::make_unique<TcxFilterEditsController>();
    return *Instance;
}

bool FilterEditsControllerExists() {
    return ControllerInstance() != nullptr;
}

} // namespace toolkit::edit
