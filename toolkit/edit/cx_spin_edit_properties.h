#pragma once
// The spin editor's properties: a number of one value type (64-bit integer or double) stepped
// by a small and a large increment between the bounds (or the type's range when no bound is
// set), clamped there or, when circular, wrapped to the other end; and the settings of the spin
// buttons, whose count the properties' edit buttons always follow (0 hidden, 2, 4 with the
// fast buttons; indexes 0 down, 1 up, 2 fast down, 3 fast up).
//
// Conversions of the double bounds and increments to 64-bit integers round halves to even and
// saturate at the type's ends.

#include "toolkit/edit/cx_mask_edit_properties.h"

#include "toolkit/base/resource_strings.h"

#include "platform/core/persistent.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace toolkit::edit {

enum TcxSpinEditValueType : std::uint8_t { vtInt, vtFloat };
enum TcxSpinEditButtonsPosition : std::uint8_t { sbpHorzLeftRight, sbpHorzRight, sbpVert };
// GetBoundBehaviour: stepping past a bound stops there, or wraps to the other one.
enum TcxSpinBoundBehaviour : std::uint8_t { sbbClamp = 1, sbbWrap = 2 };

inline constexpr double cxSpinFloatRange = 1.7e308;
inline constexpr toolkit::base::TResStringRec cxSEditInvalidNumericValue{"Invalid numeric value"};

// Round to the nearest integer (halves to even), saturating at the 64-bit ends; NaN gives 0.
std::int64_t cxSpinDoubleToInt64(double Value);
// The value as a number of the type: a 64-bit integer Variant or a double Variant; a value
// that is not a number counts as 0.
Variant cxSpinConvertValue(const Variant& Value, TcxSpinEditValueType Type);
// Value stepped by Inc within Min..Max (all of one type): nullopt when the step is refused
// (outside the range and stepping away without wrapping). Wrapping keeps the formula
// max + inc + 1 - lo (below) and min + inc - 1 - hi (above) while its result lies in the range,
// and otherwise reduces it modulo the span (max - min + 1 for integers, max - min for floats).
std::optional<std::int64_t> cxSpinStep(std::int64_t Value, std::int64_t Inc, std::int64_t Min,
                                       std::int64_t Max, bool Up, bool Wrap);
std::optional<double> cxSpinStep(double Value, double Inc, double Min, double Max, bool Up,
                                 bool Wrap);

class TcxCustomSpinEditProperties;

class TcxSpinEditButtons : public platform::core::TPersistent {
public:
    explicit TcxSpinEditButtons(TcxCustomSpinEditProperties* AOwner) : FOwner(AOwner) {}
    // The three settings as one change of the owner.
    void Assign(const platform::core::TPersistent* Source) override;
    platform::core::TPersistent* GetOwner() const override;

    TcxSpinEditButtonsPosition Position() const { return FPosition; }
    void SetPosition(TcxSpinEditButtonsPosition Value);
    bool ShowFastButtons() const { return FShowFastButtons; }
    void SetShowFastButtons(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

private:
    TcxCustomSpinEditProperties* FOwner;
    TcxSpinEditButtonsPosition FPosition = sbpVert;
    bool FShowFastButtons = false;
    bool FVisible = true;
};

// The text values' flags and whether ValueType is assigned.
class TcxSpinEditPropertiesValues : public TcxTextEditPropertiesValues {
public:
    explicit TcxSpinEditPropertiesValues(TcxCustomSpinEditProperties* AProperties);
    void Assign(const platform::core::TPersistent* Source) override;
    void RestoreDefaults() override;
    bool ValueType() const { return FValueType; }
    void SetValueType(bool Value);

private:
    TcxCustomSpinEditProperties* FOwner;
    bool FValueType = false;
};

// Sender, the typed text, the value (in and out), the error text and the error flag (in and
// out): custom parsing of a text the number parser refused.
using TcxSpinEditGetValueEvent =
    std::function<void(platform::core::TObject* Sender, const std::string& Text, Variant& Value,
                       std::string& ErrorText, bool& Error)>;

class TcxCustomSpinEditProperties : public TcxCustomMaskEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomSpinEditProperties(platform::core::TPersistent* AOwner);

    // The provider, ValueType (when assigned there) and the spin values, as one change.
    void Assign(const platform::core::TPersistent* Source) override;
    // Makes the edit buttons as many as the spin buttons first.
    void Changed() override;

    TcxSpinEditPropertiesValues& AssignedValues() const;
    TcxSpinEditButtons& SpinButtons() { return FSpinButtons; }
    void SetSpinButtons(const TcxSpinEditButtons& Value) { FSpinButtons.Assign(&Value); }
    bool CanEdit() const { return FCanEdit; }
    void SetCanEdit(bool Value);
    bool Circular() const { return FCircular; }
    void SetCircular(bool Value);
    // The assigned type; unassigned: vtFloat.
    TcxSpinEditValueType ValueType() const;
    void SetValueType(TcxSpinEditValueType Value);
    double Increment() const { return FIncrement; }
    void SetIncrement(double Value);
    double LargeIncrement() const { return FLargeIncrement; }
    void SetLargeIncrement(double Value);
    bool ExceptionOnInvalidInput() const { return FExceptionOnInvalidInput; }
    void SetExceptionOnInvalidInput(bool Value);
    bool UseCtrlIncrement() const { return FUseCtrlIncrement; }
    void SetUseCtrlIncrement(bool Value);
    // Streaming: increments are stored only when not 1 and 10.
    bool IsIncrementStored() const { return FIncrement != 1.0; }
    bool IsLargeIncrementStored() const { return FLargeIncrement != 10.0; }
    // "ZeroIncrement" and "ZeroLargeIncrement": a zero increment is stored as such (when the
    // ancestor's differs), so that it is not read back as the default; reading either sets
    // its increment to 0.
    void DefineProperties(platform::core::TFiler& Filer) override;

    TcxSpinEditGetValueEvent OnGetValue;

    // The spin operations.
    virtual bool IsSpinValueBounded() const { return true; }
    virtual TcxSpinBoundBehaviour GetBoundBehaviour() const {
        return FCircular ? sbbWrap : sbbClamp;
    }
    // The defined bound (rounded for vtInt), else the type's range end; of the value type.
    virtual Variant GetMaxValueForSpin();
    virtual Variant GetMinValueForSpin();
    virtual bool ParsesTypedText() const { return true; }
    // An empty value counts as 0; then converted to the value type.
    virtual Variant PrepareSpinValue(const Variant& Value) const;
    virtual bool KeepSelectionAfterSpin() const { return false; }
    // Value clamped into the spin bounds, of the value type.
    Variant ClampSpinValue(const Variant& Value);
    // Text as a number of the value type (vtFloat within the float range); nullopt when it
    // does not parse.
    std::optional<Variant> ParseText(const std::string& Text) const;
    // The text a number is shown as.
    std::string ValueToText(const Variant& Value) const;

    bool HasNumericValue() const override { return true; }
    bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
    // The value parsed, clamped and of the value type, then shown as the text editor shows
    // numbers (DisplayFormat unfocused).
    void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                             bool AEditFocused) override;
    std::string FormatNumericDisplayValue(const Variant& Value, bool AEditFocused) override;
    void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                              IcxEditValidation* AEdit) override;
    bool IsDisplayValueValid(Variant& DisplayValue, bool AEditFocused) override;
    std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle& AStyle,
                                                          bool AIsInplace) override;
    std::function<std::unique_ptr<TcxCustomEditViewInfo>()> GetViewInfoClass() const override;
    const platform::core::TComponentClass& GetContainerClass() const override;
    bool PublishesProperty(const std::string& Name) const override;

protected:
    std::unique_ptr<TcxCustomEditPropertiesValues> CreateAssignedValues() override;

private:
    void SynchronizeButtons();

    TcxSpinEditButtons FSpinButtons{this};
    bool FCanEdit = true;
    bool FCircular = false;
    TcxSpinEditValueType FValueType = vtFloat;
    double FIncrement = 1.0;
    double FLargeIncrement = 10.0;
    bool FExceptionOnInvalidInput = false;
    bool FUseCtrlIncrement = false;
    bool FSynchronizingButtons = false;
};

// The spin edit's published properties.
class TcxSpinEditProperties : public TcxCustomSpinEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    using TcxCustomSpinEditProperties::TcxCustomSpinEditProperties;
};

} // namespace toolkit::edit
