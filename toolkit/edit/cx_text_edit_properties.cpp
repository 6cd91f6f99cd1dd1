#include "toolkit/edit/cx_text_edit_properties.h"

#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/cx_text_edit_view.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/regional_separators.h"

#include "platform/core/date_time.h"
#include "platform/core/filer.h"
#include "platform/core/float_format.h"
#include "platform/core/text.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;

// ---- TcxTextEditPropertiesValues ----

TcxTextEditPropertiesValues::TcxTextEditPropertiesValues(TcxCustomTextEditProperties* AProperties)
    : TcxCustomEditPropertiesValues(AProperties) {}

TcxCustomTextEditProperties& TcxTextEditPropertiesValues::Owner() const {
    return static_cast<TcxCustomTextEditProperties&>(*Properties());
}

void TcxTextEditPropertiesValues::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxTextEditPropertiesValues*>(Source);
    Owner().BeginUpdate();
    TcxCustomEditPropertiesValues::Assign(Source);
    if (S) {
        SetDisplayFormat(S->FDisplayFormat);
        SetEditFormat(S->FEditFormat);
        SetMaxLength(S->FMaxLength);
    }
    Owner().EndUpdate();
}

void TcxTextEditPropertiesValues::RestoreDefaults() {
    Owner().BeginUpdate();
    TcxCustomEditPropertiesValues::RestoreDefaults();
    SetDisplayFormat(false);
    SetEditFormat(false);
    SetMaxLength(false);
    Owner().EndUpdate();
}

void TcxTextEditPropertiesValues::SetDisplayFormat(bool Value) {
    if (FDisplayFormat == Value) return;
    FDisplayFormat = Value;
    Owner().Changed();
}

void TcxTextEditPropertiesValues::SetEditFormat(bool Value) {
    if (FEditFormat == Value) return;
    FEditFormat = Value;
    Owner().Changed();
}

void TcxTextEditPropertiesValues::SetMaxLength(bool Value) {
    if (FMaxLength == Value) return;
    FMaxLength = Value;
    Owner().MaxLengthChanged();
}

bool TcxTextEditPropertiesValues::IsDisplayFormatStored() const {
    return FDisplayFormat && Owner().DisplayFormat().empty() &&
           Owner().PublishesProperty("DisplayFormat");
}

bool TcxTextEditPropertiesValues::IsEditFormatStored() const {
    return FEditFormat && Owner().EditFormat().empty() && Owner().PublishesProperty("EditFormat");
}

// ---- TcxCustomTextEditProperties ----

const TcxCustomEditPropertiesClass& TcxCustomTextEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomTextEditProperties", &TcxCustomEditProperties::ClassRef(),
        pc::ConstructorOf<TcxCustomTextEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomTextEditProperties::TcxCustomTextEditProperties(pc::TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner) {
    RecreateOwnedParts();
}

TcxCustomTextEditProperties::~TcxCustomTextEditProperties() = default;

std::unique_ptr<TcxCustomEditPropertiesValues> TcxCustomTextEditProperties::CreateAssignedValues() {
    return std::make_unique<TcxTextEditPropertiesValues>(this);
}

TcxTextEditPropertiesValues& TcxCustomTextEditProperties::AssignedValues() const {
    return static_cast<TcxTextEditPropertiesValues&>(TcxCustomEditProperties::AssignedValues());
}

void TcxCustomTextEditProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomTextEditProperties*>(Source);
    if (!S) {
        TcxCustomEditProperties::Assign(Source);
        return;
    }
    auto* Src = const_cast<TcxCustomTextEditProperties*>(S);
    BeginUpdate();
    try {
        TcxCustomEditProperties::Assign(Source);
        SetCharCase(S->FCharCase);
        SetEchoMode(S->FEchoMode);
        SetShowFixedListSelection(S->FShowFixedListSelection);
        SetTextNotEditable(S->FTextNotEditable);
        SetHideSelection(S->FHideSelection);
        FImmediateUpdateText = S->FImmediateUpdateText;
        SetIncrementalSearch(S->FIncrementalSearch);
        SetExactTextLookup(S->FExactTextLookup);
        FValidChars = S->FValidChars;
        // Unsorted first, so the source's order arrives before its sorting does.
        FLookupItemsSorted = false;
        SetLookupItems(S->FLookupItems);
        SetLookupItemsSorted(S->FLookupItemsSorted);
        AssignedValues().SetDisplayFormat(false);
        if (S->AssignedValues().DisplayFormat()) SetDisplayFormat(Src->FDisplayFormat);
        AssignedValues().SetEditFormat(false);
        if (S->AssignedValues().EditFormat()) SetEditFormat(S->FEditFormat);
        AssignedValues().SetMaxLength(false);
        if (S->AssignedValues().MaxLength()) SetMaxLength(S->FMaxLength);
        SetOEMConvert(S->FOEMConvert);
        SetImeMode(S->FImeMode);
        SetImeName(S->FImeName);
        SetPasswordChar(S->FPasswordChar);
        SetUseDisplayFormatWhenEditing(S->FUseDisplayFormatWhenEditing);
        OnNewLookupDisplayText = S->OnNewLookupDisplayText;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TcxCustomTextEditProperties::AlignmentChangedHandler() {
    BeginUpdate();
    TcxCustomEditProperties::AlignmentChangedHandler();
    EndUpdate();
}

void TcxCustomTextEditProperties::BaseSetAlignment(const TcxEditAlignment& Value) {
    BeginUpdate();
    TcxCustomEditProperties::BaseSetAlignment(Value);
    EndUpdate();
}

// ---- setters ----

namespace {

template <class T> bool Store(T& Field, const T& Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}

} // namespace

void TcxCustomTextEditProperties::SetCharCase(TEditCharCase Value) {
    if (Store(FCharCase, Value)) Changed();
}

void TcxCustomTextEditProperties::SetEchoMode(TcxEditEchoMode Value) {
    if (Store(FEchoMode, Value)) Changed();
}

void TcxCustomTextEditProperties::SetExactTextLookup(bool Value) {
    if (Store(FExactTextLookup, Value)) Changed();
}

void TcxCustomTextEditProperties::SetHideSelection(bool Value) {
    if (Store(FHideSelection, Value)) Changed();
}

void TcxCustomTextEditProperties::SetImeMode(TImeMode Value) {
    if (Store(FImeMode, Value)) Changed();
}

void TcxCustomTextEditProperties::SetImeName(const std::string& Value) {
    if (Store(FImeName, Value)) Changed();
}

void TcxCustomTextEditProperties::SetIncrementalSearch(bool Value) {
    if (Store(FIncrementalSearch, Value)) Changed();
}

void TcxCustomTextEditProperties::SetOEMConvert(bool Value) {
    if (Store(FOEMConvert, Value)) Changed();
}

void TcxCustomTextEditProperties::SetPasswordChar(char Value) {
    if (Store(FPasswordChar, Value)) Changed();
}

void TcxCustomTextEditProperties::SetTextNotEditable(bool Value) {
    if (Store(FTextNotEditable, Value)) Changed();
}

void TcxCustomTextEditProperties::SetUseDisplayFormatWhenEditing(bool Value) {
    if (Store(FUseDisplayFormatWhenEditing, Value)) Changed();
}

void TcxCustomTextEditProperties::SetShowFixedListSelection(bool Value) {
    if (!Store(FShowFixedListSelection, Value)) return;
    if (GetEditingStyle() == tesFixedList) Changed();
}

void TcxCustomTextEditProperties::SetLookupItems(const pc::TStringList& Value) {
    if (&Value != &FLookupItems) FLookupItems = Value;
    LookupItemsChanged();
}

void TcxCustomTextEditProperties::SetLookupItemsSorted(bool Value) {
    FLookupItemsSorted = Value;
    if (Value) LookupItemsChanged();
}

void TcxCustomTextEditProperties::DefineProperties(pc::TFiler& Filer) {
    TcxCustomEditProperties::DefineProperties(Filer);
    Filer.DefineProperty(
        "IsDisplayFormatAssigned",
        [this](pc::TReader& Reader) { AssignedValues().SetDisplayFormat(Reader.ReadBoolean()); },
        nullptr, false);
}

void TcxCustomTextEditProperties::SortLookupItems() {
    // Each item keeps its object.
    FLookupItems.CustomSort(
        [](const std::string& A, const std::string& B) { return pc::AnsiCompareText(A, B) < 0; });
}

void TcxCustomTextEditProperties::LookupItemsChanged() {
    if (FLookupItemsSorted) SortLookupItems();
    Changed();
}

void TcxCustomTextEditProperties::SetDisplayFormat(const std::string& Value) {
    if (AssignedValues().DisplayFormat() && Value == FDisplayFormat) return;
    BeginUpdate();
    FDisplayFormat = Value;
    AssignedValues().SetDisplayFormat(true);
    Changed();
    EndUpdate();
    DisplayFormatChanged();
}

std::string TcxCustomTextEditProperties::DisplayFormat() {
    if (AssignedValues().DisplayFormat()) return FDisplayFormat;
    if (DefaultValuesProvider()) {
        std::string Format = DefaultValuesProvider()->DefaultDisplayFormat();
        if (!Format.empty()) return Format;
    }
    return GetDefaultDisplayFormat();
}

void TcxCustomTextEditProperties::SetEditFormat(const std::string& Value) {
    if (AssignedValues().EditFormat() && Value == FEditFormat) return;
    BeginUpdate();
    FEditFormat = Value;
    AssignedValues().SetEditFormat(true);
    Changed();
    EndUpdate();
}

int TcxCustomTextEditProperties::MaxLength() {
    return AssignedValues().MaxLength() ? FMaxLength : GetDefaultMaxLength();
}

void TcxCustomTextEditProperties::SetMaxLength(int Value) {
    Value = std::max(0, Value);
    if (AssignedValues().MaxLength() && Value == FMaxLength) return;
    FMaxLength = Value;
    if (AssignedValues().MaxLength())
        MaxLengthChanged();
    else
        AssignedValues().SetMaxLength(true);
}

int TcxCustomTextEditProperties::GetDefaultMaxLength() {
    return DefaultValuesProvider() ? DefaultValuesProvider()->DefaultMaxLength() : 0;
}

int TcxCustomTextEditProperties::GetTextViewStyle() const {
    const int Buttons = ButtonsViewStyle();
    if (Buttons != 0) return Buttons + 1;
    return FTextNotEditable ? 1 : 0;
}

void TcxCustomTextEditProperties::SetTextViewStyle(int Value) {
    if (Value == GetTextViewStyle() || Value < 0 || Value > 3) return;
    static constexpr TcxEditButtonsViewStyle ButtonStyles[] = {bvsNormal, bvsNormal, bvsButtonsOnly,
                                                               bvsButtonsAutoWidth};
    BeginUpdate();
    SetButtonsViewStyle(ButtonStyles[Value]);
    SetTextNotEditable(Value != 0);
    EndUpdate();
}

bool TcxCustomTextEditProperties::CanIncrementalSearch() {
    const TcxTextEditingStyle Style = GetEditingStyle();
    return (Style == tesEdit && FIncrementalSearch) || Style == tesEditList ||
           Style == tesFixedList;
}

TcxTextEditingStyle TcxCustomTextEditProperties::GetEditingStyle() const {
    return FTextNotEditable ? tesNoEdit : tesEdit;
}

void TcxCustomTextEditProperties::ChangedForcingRefresh() {
    FForceRefresh = true;
    try {
        Changed();
    } catch (...) {
        FForceRefresh = false;
        throw;
    }
    FForceRefresh = false;
}

bool TcxCustomTextEditProperties::IsValueBoundDefined(int Kind) {
    const bool Min = AssignedValues().MinValue();
    const bool Max = AssignedValues().MaxValue();
    if (Min != Max) return Kind == 0 ? Min : Max;
    return GetMaxValue() > GetMinValue();
}

void TcxCustomTextEditProperties::ValidateValueBounds(Variant& DisplayValue, bool& Error,
                                                      std::string& ErrorText, IcxEditValidation*) {
    // The text editor's display value is its edit value.
    const Variant& Value = DisplayValue;
    if (!Value.IsNumeric() && Value.VarType() != pc::varDate) return;
    const double V = Value.AsDouble();
    if ((IsValueBoundDefined(0) && V < GetMinValue()) ||
        (IsValueBoundDefined(1) && V > GetMaxValue())) {
        Error = true;
        GetValidateErrorText(1, ErrorText);
    }
}

void TcxCustomTextEditProperties::GetValidateErrorText(int AErrorKind, std::string& Text) {
    if (AErrorKind == 1) {
        Text = toolkit::base::cxGetResourceString(cxSEditValueOutOfBounds);
        return;
    }
    TcxCustomEditProperties::GetValidateErrorText(AErrorKind, Text);
}

void TcxCustomTextEditProperties::GetDefaultDisplayValue(Variant& DisplayValue, bool) {
    DisplayValue = Variant::String({});
}

bool TcxCustomTextEditProperties::FindLookupItem(const std::string& AText) const {
    for (int I = 0; I < FLookupItems.Count(); ++I)
        if (pc::AnsiSameText(FLookupItems[I], AText)) return true;
    return false;
}

void TcxCustomTextEditProperties::GetEditFormat(bool& IsCurrency, bool& ProviderFormats,
                                                std::string& Format) {
    IsCurrency = ProviderFormats = false;
    Format.clear();
    if (AssignedValues().EditFormat()) {
        Format = FEditFormat;
        return;
    }
    IcxEditDefaultValuesProvider* Provider = DefaultValuesProvider();
    if (Provider && !Provider->DefaultEditFormat().empty()) {
        Format = Provider->DefaultEditFormat();
        return;
    }
    if (!AssignedValues().DisplayFormat()) {
        if (Provider && !Provider->DefaultDisplayFormat().empty()) {
            if (FUseDisplayFormatWhenEditing) Format = Provider->DefaultDisplayFormat();
            return;
        }
        Format = GetDefaultDisplayFormat();
    } else {
        Format = FDisplayFormat;
    }
    if (!FUseDisplayFormatWhenEditing) Format.clear();
}

// ---- values and texts ----

std::string TcxCustomTextEditProperties::ApplyCharCase(const std::string& Text) const {
    if (FCharCase == pf::ecUpperCase) return pc::AnsiUpperCase(Text);
    if (FCharCase == pf::ecLowerCase) return pc::AnsiLowerCase(Text);
    return Text;
}

void TcxCustomTextEditProperties::DisplayValueToDisplayText(std::string& Text) {
    if (FEchoMode == eemPassword)
        Text = std::string(Text.size(), FPasswordChar ? FPasswordChar : '*');
    else
        Text = ApplyCharCase(Text);
}

bool TcxCustomTextEditProperties::IsDisplayValueValid(Variant& DisplayValue, bool) {
    std::string Text =
        DisplayValue.IsNull() || DisplayValue.IsEmpty() ? std::string() : DisplayValue.AsString();
    const TcxTextEditingStyle Style = GetEditingStyle();
    if (!Text.empty() && (Style == tesEditList || Style == tesFixedList) && UseLookupData() &&
        !FindLookupItem(Text))
        return false;
    DisplayValue = Variant::String(ApplyCharCase(Text));
    return true;
}

bool TcxCustomTextEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
    if (EditValue.IsEmpty() || !EditValue.IsStr()) return true;
    return IsDisplayValueValid(EditValue, AEditFocused);
}

void TcxCustomTextEditProperties::PrepareDisplayValue(const Variant& AEditValue,
                                                      Variant& DisplayValue, bool AEditFocused) {
    if (!HasNumericValue()) {
        if (AEditValue.IsNull() || AEditValue.IsEmpty())
            DisplayValue = Variant::String({});
        else
            DisplayValue = Variant::String(AEditValue.AsString());
        return;
    }
    if (AEditValue.IsNull() || AEditValue.IsEmpty() ||
        (AEditValue.IsStr() && AEditValue.AsString().empty())) {
        DisplayValue = Variant::String({});
        return;
    }
    if (!AEditValue.IsStr() && !AEditValue.IsNumeric())
        throw pc::EConvertError(
            toolkit::base::cxGetResourceString(cxSEditNumericValueConvertError));
    DisplayValue = Variant::String(FormatNumericDisplayValue(AEditValue, AEditFocused));
}

namespace {

// A number's plain text, its decimal point the regional one.
std::string NumericPlainText(const Variant& Value) {
    if (Value.IsStr()) return Value.AsString();
    if (Value.VarType() == pc::varSingle || Value.VarType() == pc::varDouble)
        return pc::FloatToStrGeneral(Value.AsDouble(), 15);
    std::string Text = Value.AsString();
    std::replace(Text.begin(), Text.end(), '.', CurrentDecimalSeparator());
    return Text;
}

// Text with the regional decimal point as the class library's number text (a '.' point), or
// nothing when it is none.
std::optional<std::string> NumberText(const std::string& Text) {
    const char Separator = CurrentDecimalSeparator();
    if (Separator != '.' && Text.find('.') != std::string::npos) return std::nullopt;
    std::string T = pc::Trim(Text);
    std::replace(T.begin(), T.end(), Separator, '.');
    if (T.empty()) return std::nullopt;
    return T;
}

std::optional<double> NumberOf(const Variant& Value) {
    if (!Value.IsStr()) return Value.AsDouble();
    const std::optional<std::string> T = NumberText(Value.AsString());
    if (!T) return std::nullopt;
    try {
        return Variant::String(*T).AsDouble();
    } catch (const pc::Exception&) {
        return std::nullopt;
    }
}

} // namespace

std::string TcxCustomTextEditProperties::FormatNumericDisplayValue(const Variant& Value,
                                                                   bool AEditFocused) {
    const std::string Plain = NumericPlainText(Value);
    auto Formatted = [&](const std::string& Format) {
        const std::optional<double> Number = NumberOf(Value);
        return Number ? pc::FormatFloat(Format, *Number) : Plain;
    };
    if (!AEditFocused) {
        const std::string Format = DisplayFormat();
        return Format.empty() ? Plain : Formatted(Format);
    }
    bool IsCurrency = false, ProviderFormats = false;
    std::string Format;
    GetEditFormat(IsCurrency, ProviderFormats, Format);
    if (ProviderFormats) return Plain;
    if (!Format.empty()) return Formatted(Format);
    // Neither the properties nor a provider say how many digits: the class library's 15.
    constexpr int Precision = 15;
    const std::optional<std::string> T = NumberText(Plain);
    if (!T) return Plain;
    try {
        return pc::BcdToStrGeneral(pc::StrToBcd(*T), Precision);
    } catch (const pc::EBcdException&) {
        return Plain;
    }
}

Variant TcxCustomTextEditProperties::PrepareValueText(const Variant& AEditValue, bool AFocused) {
    Variant V = AEditValue;
    Variant Result;
    if (IsEditValueValid(V, AFocused))
        PrepareDisplayValue(V, Result, AFocused);
    else if (AEditValue.VarType() == pc::varDate)
        Result = Variant::String(pc::DateToStr(AEditValue.AsDouble()));
    else
        Result = Variant::String(AEditValue.AsString());
    return Result;
}

std::string TcxCustomTextEditProperties::GetDisplayText(const Variant& AEditValue, bool AFullText) {
    return GetDisplayText(AEditValue, AFullText, false);
}

std::string TcxCustomTextEditProperties::GetDisplayText(const Variant& AEditValue, bool,
                                                        bool AIsInplace) {
    std::string Text;
    if (IsDisplayFormatDefined()) {
        Text = AEditValue.IsNull() || AEditValue.IsEmpty() ? std::string() : AEditValue.AsString();
    } else {
        const bool Focused = !AIsInplace && !IsEditValueConversionDependOnFocused();
        const Variant V = PrepareValueText(AEditValue, Focused);
        Text = V.IsNull() ? std::string() : V.AsString();
    }
    DisplayValueToDisplayText(Text);
    return Text;
}

bool TcxCustomTextEditProperties::CompareDisplayValues(const Variant& AEditValue1,
                                                       const Variant& AEditValue2) {
    return GetDisplayText(AEditValue1, true, true) == GetDisplayText(AEditValue2, true, true);
}

unsigned TcxCustomTextEditProperties::GetSupportedOperations() const {
    return TcxCustomEditProperties::GetSupportedOperations() | 0x15E;
}

void TcxCustomTextEditProperties::ValidateDisplayValue(Variant& DisplayValue,
                                                       std::string& ErrorText, bool& Error,
                                                       IcxEditValidation* AEdit) {
    if (HasNumericValue() && IsAnyValueBoundDefined())
        ValidateValueBounds(DisplayValue, Error, ErrorText, AEdit);
    TcxCustomEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}

std::unique_ptr<TcxCustomEditViewData>
TcxCustomTextEditProperties::CreateViewData(TcxCustomEditStyle& AStyle, bool AIsInplace) {
    return std::make_unique<TcxCustomTextEditViewData>(*this, AStyle, AIsInplace);
}

std::function<std::unique_ptr<TcxCustomEditViewInfo>()>
TcxCustomTextEditProperties::GetViewInfoClass() const {
    return [] { return std::make_unique<TcxCustomTextEditViewInfo>(); };
}

const pc::TComponentClass& TcxCustomTextEditProperties::GetContainerClass() const {
    return TcxTextEdit::ClassRef();
}

// ---- TcxTextEditProperties ----

const TcxCustomEditPropertiesClass& TcxTextEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxTextEditProperties", &TcxCustomTextEditProperties::ClassRef(),
        pc::ConstructorOf<TcxTextEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

bool TcxTextEditProperties::PublishesProperty(const std::string& Name) const {
    return Name == "MaxLength" || TcxCustomTextEditProperties::PublishesProperty(Name);
}

} // namespace toolkit::edit
