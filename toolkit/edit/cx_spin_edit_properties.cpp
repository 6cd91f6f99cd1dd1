#include "toolkit/edit/cx_spin_edit_properties.h"

#include "toolkit/edit/cx_spin_edit.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/regional_separators.h"

#include "platform/core/filer.h"
#include "platform/core/float_format.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace toolkit::edit {

namespace pc = platform::core;

namespace {

constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
// Wide enough for every distance and wrapping formula of two 64-bit values.
__extension__ typedef __int128 Int128;

// Reduces R into Min + [0, Span) (Span > 0).
Int128 ReduceInto(Int128 R, Int128 Min, Int128 Span) {
    Int128 Offset = (R - Min) % Span;
    if (Offset < 0) Offset += Span;
    return Min + Offset;
}

} // namespace

std::int64_t cxSpinDoubleToInt64(double Value) {
    if (std::isnan(Value)) return 0;
    const double R = std::nearbyint(Value);
    // 2^63 is the first double past the top; -2^63 is exact.
    if (R >= 9223372036854775808.0) return Int64Max;
    if (R <= -9223372036854775808.0) return Int64Min;
    return static_cast<std::int64_t>(R);
}

Variant cxSpinConvertValue(const Variant& Value, TcxSpinEditValueType Type) {
    double D = 0;
    std::int64_t I = 0;
    const bool Ordinal = Value.IsOrdinal() && Value.VarType() != pc::varBoolean;
    if (Ordinal) {
        I = Value.AsInt64();
        D = static_cast<double>(I);
    } else if (Value.IsNumeric() || Value.VarType() == pc::varDate) {
        D = Value.AsDouble();
        I = cxSpinDoubleToInt64(D);
    }
    return Type == vtInt ? Variant::Int64(I) : Variant::Double(D);
}

std::optional<std::int64_t> cxSpinStep(std::int64_t Value, std::int64_t Inc, std::int64_t Min,
                                       std::int64_t Max, bool Up, bool Wrap) {
    if (Value < Min) {
        if (Up) return Min;
        return Wrap ? std::optional(Max) : std::nullopt;
    }
    if (Value > Max) {
        if (!Up) return Max;
        return Wrap ? std::optional(Min) : std::nullopt;
    }
    // Exact in 128 bits: the distances to the bounds and the formula cannot overflow here.
    const Int128 V = Value, I = Inc, Lo = Int128(Min) - V, Hi = Int128(Max) - V;
    if (Lo <= I && I <= Hi) return static_cast<std::int64_t>(V + I);
    if (!Wrap) return I < Lo ? Min : Max;
    Int128 R = I < Lo ? Int128(Max) + I + 1 - Lo : Int128(Min) + I - 1 - Hi;
    if (R < Min || R > Max) R = ReduceInto(R, Min, Int128(Max) - Min + 1);
    return static_cast<std::int64_t>(R);
}

std::optional<double> cxSpinStep(double Value, double Inc, double Min, double Max, bool Up,
                                 bool Wrap) {
    if (Value < Min) {
        if (Up) return Min;
        return Wrap ? std::optional(Max) : std::nullopt;
    }
    if (Value > Max) {
        if (!Up) return Max;
        return Wrap ? std::optional(Min) : std::nullopt;
    }
    const double Lo = Min - Value, Hi = Max - Value;
    if (Lo <= Inc && Inc <= Hi) return Value + Inc;
    if (!Wrap) return Inc < Lo ? Min : Max;
    double R = Inc < Lo ? Max + Inc + 1 - Lo : Min + Inc - 1 - Hi;
    if (R < Min || R > Max) {
        const double Span = Max - Min;
        if (!(Span > 0) || !std::isfinite(Span) || !std::isfinite(R)) return Min;
        double Offset = std::fmod(R - Min, Span);
        if (Offset < 0) Offset += Span;
        R = std::min(Max, Min + Offset);
    }
    return R;
}

// ---- TcxSpinEditButtons ----

pc::TPersistent* TcxSpinEditButtons::GetOwner() const {
    return FOwner;
}

void TcxSpinEditButtons::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxSpinEditButtons*>(Source);
    if (!S) {
        pc::TPersistent::Assign(Source);
        return;
    }
    FOwner->BeginUpdate();
    SetPosition(S->FPosition);
    SetShowFastButtons(S->FShowFastButtons);
    SetVisible(S->FVisible);
    FOwner->EndUpdate();
}

void TcxSpinEditButtons::SetPosition(TcxSpinEditButtonsPosition Value) {
    if (FPosition == Value) return;
    FPosition = Value;
    FOwner->Changed();
}

void TcxSpinEditButtons::SetShowFastButtons(bool Value) {
    if (FShowFastButtons == Value) return;
    FShowFastButtons = Value;
    FOwner->Changed();
}

void TcxSpinEditButtons::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    FOwner->Changed();
}

// ---- TcxSpinEditPropertiesValues ----

TcxSpinEditPropertiesValues::TcxSpinEditPropertiesValues(TcxCustomSpinEditProperties* AProperties)
    : TcxTextEditPropertiesValues(AProperties), FOwner(AProperties) {}

void TcxSpinEditPropertiesValues::Assign(const pc::TPersistent* Source) {
    FOwner->BeginUpdate();
    TcxTextEditPropertiesValues::Assign(Source);
    if (const auto* S = dynamic_cast<const TcxSpinEditPropertiesValues*>(Source))
        SetValueType(S->FValueType);
    FOwner->EndUpdate();
}

void TcxSpinEditPropertiesValues::RestoreDefaults() {
    FOwner->BeginUpdate();
    TcxTextEditPropertiesValues::RestoreDefaults();
    SetValueType(false);
    FOwner->EndUpdate();
}

void TcxSpinEditPropertiesValues::SetValueType(bool Value) {
    if (FValueType == Value) return;
    FValueType = Value;
    FOwner->Changed();
}

// ---- TcxCustomSpinEditProperties ----

const TcxCustomEditPropertiesClass& TcxCustomSpinEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomSpinEditProperties", &TcxCustomMaskEditProperties::ClassRef(),
        pc::ConstructorOf<TcxCustomSpinEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomSpinEditProperties::TcxCustomSpinEditProperties(pc::TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner) {
    RecreateOwnedParts();
    SynchronizeButtons();
}

std::unique_ptr<TcxCustomEditPropertiesValues> TcxCustomSpinEditProperties::CreateAssignedValues() {
    return std::make_unique<TcxSpinEditPropertiesValues>(this);
}

TcxSpinEditPropertiesValues& TcxCustomSpinEditProperties::AssignedValues() const {
    return static_cast<TcxSpinEditPropertiesValues&>(TcxCustomEditProperties::AssignedValues());
}

void TcxCustomSpinEditProperties::SynchronizeButtons() {
    if (FSynchronizingButtons) return;
    FSynchronizingButtons = true;
    const int Wanted = !FSpinButtons.Visible() ? 0 : FSpinButtons.ShowFastButtons() ? 4 : 2;
    TcxEditButtons& B = Buttons();
    while (B.Count() < Wanted)
        B.Add();
    while (B.Count() > Wanted)
        B.Delete(0);
    FSynchronizingButtons = false;
}

void TcxCustomSpinEditProperties::Changed() {
    SynchronizeButtons();
    TcxCustomMaskEditProperties::Changed();
}

void TcxCustomSpinEditProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomSpinEditProperties*>(Source);
    WithinUpdate([&] {
        TcxCustomMaskEditProperties::Assign(Source);
        if (!S) return;
        SetIDefaultValuesProvider(S->DefaultValuesProvider());
        if (S->AssignedValues().ValueType()) SetValueType(S->FValueType);
        SetCanEdit(S->FCanEdit);
        SetCircular(S->FCircular);
        SetExceptionOnInvalidInput(S->FExceptionOnInvalidInput);
        SetIncrement(S->FIncrement);
        SetLargeIncrement(S->FLargeIncrement);
        FSpinButtons.Assign(&S->FSpinButtons);
        SetUseCtrlIncrement(S->FUseCtrlIncrement);
        OnGetValue = S->OnGetValue;
    });
}

void TcxCustomSpinEditProperties::SetCanEdit(bool Value) {
    if (FCanEdit == Value) return;
    FCanEdit = Value;
    Changed();
}

void TcxCustomSpinEditProperties::SetCircular(bool Value) {
    if (FCircular == Value) return;
    FCircular = Value;
    Changed();
}

TcxSpinEditValueType TcxCustomSpinEditProperties::ValueType() const {
    // The provider interface does not tell an integer field from a float one: float stands.
    return AssignedValues().ValueType() ? FValueType : vtFloat;
}

void TcxCustomSpinEditProperties::SetValueType(TcxSpinEditValueType Value) {
    if (AssignedValues().ValueType() && FValueType == Value) return;
    FValueType = Value;
    BeginUpdate();
    AssignedValues().SetValueType(true);
    Changed();
    EndUpdate();
}

void TcxCustomSpinEditProperties::SetIncrement(double Value) {
    if (FIncrement == Value) return;
    FIncrement = Value;
    Changed();
}

void TcxCustomSpinEditProperties::SetLargeIncrement(double Value) {
    if (FLargeIncrement == Value) return;
    FLargeIncrement = Value;
    Changed();
}

void TcxCustomSpinEditProperties::DefineProperties(pc::TFiler& Filer) {
    TcxCustomMaskEditProperties::DefineProperties(Filer);
    const auto* Ancestor = dynamic_cast<const TcxCustomSpinEditProperties*>(Filer.Ancestor());
    auto DefineZero = [&](const char* Name, double Value, double AncestorValue,
                          void (TcxCustomSpinEditProperties::*Set)(double)) {
        Filer.DefineProperty(
            Name,
            [this, Set](pc::TReader& Reader) {
                Reader.ReadBoolean();
                (this->*Set)(0);
            },
            [](pc::TWriter& Writer) { Writer.WriteBoolean(true); },
            Value == 0 && (!Ancestor || AncestorValue != Value));
    };
    DefineZero("ZeroIncrement", FIncrement, Ancestor ? Ancestor->FIncrement : 0,
               &TcxCustomSpinEditProperties::SetIncrement);
    DefineZero("ZeroLargeIncrement", FLargeIncrement, Ancestor ? Ancestor->FLargeIncrement : 0,
               &TcxCustomSpinEditProperties::SetLargeIncrement);
}

void TcxCustomSpinEditProperties::SetExceptionOnInvalidInput(bool Value) {
    if (FExceptionOnInvalidInput == Value) return;
    FExceptionOnInvalidInput = Value;
    Changed();
}

void TcxCustomSpinEditProperties::SetUseCtrlIncrement(bool Value) {
    if (FUseCtrlIncrement == Value) return;
    FUseCtrlIncrement = Value;
    Changed();
}

Variant TcxCustomSpinEditProperties::GetMaxValueForSpin() {
    if (!IsValueBoundDefined(1))
        return ValueType() == vtInt ? Variant::Int64(Int64Max) : Variant::Double(cxSpinFloatRange);
    return cxSpinConvertValue(Variant::Double(GetMaxValue()), ValueType());
}

Variant TcxCustomSpinEditProperties::GetMinValueForSpin() {
    if (!IsValueBoundDefined(0))
        return ValueType() == vtInt ? Variant::Int64(Int64Min) : Variant::Double(-cxSpinFloatRange);
    return cxSpinConvertValue(Variant::Double(GetMinValue()), ValueType());
}

Variant TcxCustomSpinEditProperties::PrepareSpinValue(const Variant& Value) const {
    return cxSpinConvertValue(Value, ValueType());
}

Variant TcxCustomSpinEditProperties::ClampSpinValue(const Variant& Value) {
    const Variant V = PrepareSpinValue(Value);
    const Variant Min = GetMinValueForSpin(), Max = GetMaxValueForSpin();
    if (ValueType() == vtInt)
        return Variant::Int64(std::clamp(V.AsInt64(), Min.AsInt64(), Max.AsInt64()));
    return Variant::Double(std::clamp(V.AsDouble(), Min.AsDouble(), Max.AsDouble()));
}

std::optional<Variant> TcxCustomSpinEditProperties::ParseText(const std::string& Text) const {
    std::string T = Text;
    while (!T.empty() && T.front() == ' ')
        T.erase(T.begin());
    while (!T.empty() && T.back() == ' ')
        T.pop_back();
    if (T.empty()) return std::nullopt;
    if (ValueType() == vtInt) {
        const char* Begin = T.c_str();
        char* End = nullptr;
        errno = 0;
        const long long I = std::strtoll(Begin, &End, 10);
        if (End != Begin + T.size() || errno == ERANGE) return std::nullopt;
        return Variant::Int64(I);
    }
    // The locale's decimal separator, and no other, separates the fraction; the parse itself
    // must not hear of the process locale.
    const char Separator = CurrentDecimalSeparator();
    if (Separator != '.') {
        if (T.find('.') != std::string::npos) return std::nullopt;
        std::replace(T.begin(), T.end(), Separator, '.');
    }
    std::size_t From = 0;
    if (T.front() == '+') {
        From = 1;
        if (T.size() == 1 || T[1] == '-' || T[1] == '+') return std::nullopt;
    }
    double D = 0;
    const char* First = T.data() + From;
    const char* Last = T.data() + T.size();
    const auto [Ptr, Ec] = std::from_chars(First, Last, D, std::chars_format::general);
    if (Ec != std::errc() || Ptr != Last || !std::isfinite(D) || std::fabs(D) > cxSpinFloatRange)
        return std::nullopt;
    return Variant::Double(D);
}

std::string TcxCustomSpinEditProperties::ValueToText(const Variant& Value) const {
    const Variant V = PrepareSpinValue(Value);
    if (ValueType() == vtInt) return std::to_string(V.AsInt64());
    return pc::FloatToStrGeneral(V.AsDouble(), 15);
}

bool TcxCustomSpinEditProperties::IsEditValueValid(Variant& EditValue, bool) {
    if (EditValue.IsStr()) {
        const std::optional<Variant> Parsed = ParseText(EditValue.AsString());
        if (!Parsed) return false;
        EditValue = *Parsed;
    } else if (!(EditValue.IsNumeric() || EditValue.IsNull() || EditValue.IsEmpty() ||
                 EditValue.VarType() == pc::varDate)) {
        return false;
    }
    EditValue = ClampSpinValue(EditValue);
    return true;
}

void TcxCustomSpinEditProperties::PrepareDisplayValue(const Variant& AEditValue,
                                                      Variant& DisplayValue, bool AEditFocused) {
    Variant V = AEditValue;
    if (!IsEditValueValid(V, false)) V = ClampSpinValue(Variant::Int64(0));
    TcxCustomMaskEditProperties::PrepareDisplayValue(PrepareSpinValue(V), DisplayValue,
                                                     AEditFocused);
}

std::string TcxCustomSpinEditProperties::FormatNumericDisplayValue(const Variant& Value,
                                                                   bool AEditFocused) {
    // The general format's 15 digits would make a large integer a text it cannot be read back
    // from; an integer being edited keeps every digit.
    if (AEditFocused && ValueType() == vtInt && Value.IsOrdinal()) {
        bool IsCurrency = false, ProviderFormats = false;
        std::string Format;
        GetEditFormat(IsCurrency, ProviderFormats, Format);
        if (Format.empty()) return ValueToText(Value);
    }
    return TcxCustomMaskEditProperties::FormatNumericDisplayValue(Value, AEditFocused);
}

void TcxCustomSpinEditProperties::ValidateDisplayValue(Variant& DisplayValue,
                                                       std::string& ErrorText, bool& Error,
                                                       IcxEditValidation* AEdit) {
    const std::string Text = DisplayValue.IsStr() ? DisplayValue.AsString() : std::string();
    // Typed text is read as the editor reads it (OnGetValue included); otherwise the editor's
    // value stands, whatever its text shows.
    auto* Edit = dynamic_cast<TcxCustomSpinEdit*>(AEdit);
    Variant Value = Variant::Null();
    bool Invalid = false;
    std::string InvalidText;
    if (!Edit) {
        if (std::optional<Variant> Parsed = ParseText(Text)) Value = *Parsed;
    } else if (Edit->IsTextTyped()) {
        Value = Edit->TextToValue(Text, InvalidText, Invalid);
    } else {
        Value = Edit->Value();
    }
    if (Value.IsNull() || Value.IsEmpty()) Value = ClampSpinValue(Variant::Int64(0));
    Value = PrepareSpinValue(Value);
    const Variant Clamped = ClampSpinValue(Value);
    if (Invalid && FExceptionOnInvalidInput) {
        // The refused text stays for the user to mend: shown as the old value, it would pass
        // the validation that follows and the error would never be seen.
        Error = true;
        ErrorText = InvalidText;
    } else {
        if (!FExceptionOnInvalidInput) {
            Value = Clamped;
        } else if (!(Clamped == Value)) {
            Error = true;
            ErrorText = toolkit::base::cxGetResourceString(cxSEditValueOutOfBounds);
        }
        DisplayValue = Variant::String(ValueToText(Value));
    }
    TcxCustomMaskEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}

bool TcxCustomSpinEditProperties::IsDisplayValueValid(Variant& DisplayValue, bool AEditFocused) {
    if (!TcxCustomMaskEditProperties::IsDisplayValueValid(DisplayValue, AEditFocused)) return false;
    const std::optional<Variant> V = ParseText(DisplayValue.AsString());
    if (V) {
        const Variant Clamped = ClampSpinValue(*V);
        if (!(Clamped == PrepareSpinValue(*V)))
            DisplayValue = Variant::String(ValueToText(Clamped));
    }
    return true;
}

std::unique_ptr<TcxCustomEditViewData>
TcxCustomSpinEditProperties::CreateViewData(TcxCustomEditStyle& AStyle, bool AIsInplace) {
    return std::make_unique<TcxSpinEditViewData>(*this, AStyle, AIsInplace);
}

std::function<std::unique_ptr<TcxCustomEditViewInfo>()>
TcxCustomSpinEditProperties::GetViewInfoClass() const {
    return [] { return std::make_unique<TcxSpinEditViewInfo>(); };
}

const pc::TComponentClass& TcxCustomSpinEditProperties::GetContainerClass() const {
    return TcxSpinEdit::ClassRef();
}

bool TcxCustomSpinEditProperties::PublishesProperty(const std::string& Name) const {
    return Name == "MaxValue" || Name == "MinValue" ||
           TcxCustomMaskEditProperties::PublishesProperty(Name);
}

// ---- TcxSpinEditProperties ----

const TcxCustomEditPropertiesClass& TcxSpinEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxSpinEditProperties", &TcxCustomSpinEditProperties::ClassRef(),
        pc::ConstructorOf<TcxSpinEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

} // namespace toolkit::edit
