#pragma once
// The properties of every single-line text editor: how the text is shown (character case,
// password echo), how long it may grow, which formats apply, and the lookup items a list style
// restricts the text to. They turn edit values into display texts and back and validate a text
// against the lookup items.
//
// Editing styles: tesEdit free text; tesEditList a typed text must be a lookup item;
// tesFixedList keys only choose among the lookup items; tesNoEdit no text editing at all.
//
// LookupItems are edited in place; SetLookupItems (or LookupItemsChanged after editing the list
// directly) reports the change.

#include "toolkit/edit/cx_edit_properties.h"

#include "platform/core/string_list.h"
#include "platform/forms/std_ctrls.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace toolkit::edit {

class IcxEditValidation;
class TcxCustomTextEdit;
class TcxCustomTextEditLookupData;

enum TcxEditEchoMode : std::uint8_t { eemNormal, eemPassword };
enum TcxTextEditingStyle : std::uint8_t { tesEdit, tesEditList, tesFixedList, tesNoEdit };
using platform::forms::imDontCare;
using platform::forms::TEditCharCase;
using platform::forms::TImeMode;

using TcxNewLookupDisplayTextEvent =
    std::function<void(platform::core::TObject* Sender, const std::string& AText)>;

class TcxCustomTextEditProperties;

// Which of the formats and the maximum length the properties assign themselves.
class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
public:
    explicit TcxTextEditPropertiesValues(TcxCustomTextEditProperties* AProperties);
    // Copies the three flags (and the inherited ones) as one change.
    void Assign(const platform::core::TPersistent* Source) override;
    void RestoreDefaults() override;
    bool DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(bool Value);
    bool EditFormat() const { return FEditFormat; }
    void SetEditFormat(bool Value);
    bool MaxLength() const { return FMaxLength; }
    // Tells the owner MaxLengthChanged.
    void SetMaxLength(bool Value);
    // Streamed only while set over an empty string, so that an assigned-empty format survives.
    bool IsDisplayFormatStored() const;
    bool IsEditFormatStored() const;

private:
    TcxCustomTextEditProperties& Owner() const;
    bool FDisplayFormat = false;
    bool FEditFormat = false;
    bool FMaxLength = false;
};

class TcxCustomTextEditProperties : public TcxCustomEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomTextEditProperties(platform::core::TPersistent* AOwner);
    ~TcxCustomTextEditProperties() override;

    // The inherited values, then the text values in their order, as one change.
    void Assign(const platform::core::TPersistent* Source) override;

    TcxTextEditPropertiesValues& AssignedValues() const;
    void SetAssignedValues(const TcxTextEditPropertiesValues& Value) {
        AssignedValues().Assign(&Value);
    }
    TEditCharCase CharCase() const { return FCharCase; }
    virtual void SetCharCase(TEditCharCase Value);
    // The stored format while assigned, else the provider's (when not empty), else the default.
    std::string DisplayFormat();
    void SetDisplayFormat(const std::string& Value);
    TcxEditEchoMode EchoMode() const { return FEchoMode; }
    void SetEchoMode(TcxEditEchoMode Value);
    std::string EditFormat() const { return FEditFormat; }
    void SetEditFormat(const std::string& Value);
    bool ExactTextLookup() const { return FExactTextLookup; }
    void SetExactTextLookup(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode Value);
    std::string ImeName() const { return FImeName; }
    void SetImeName(const std::string& Value);
    bool ImmediateUpdateText() const { return FImmediateUpdateText; }
    void SetImmediateUpdateText(bool Value) { FImmediateUpdateText = Value; }
    bool IncrementalSearch() const { return FIncrementalSearch; }
    void SetIncrementalSearch(bool Value);
    platform::core::TStringList& LookupItems() { return FLookupItems; }
    const platform::core::TStringList& LookupItems() const { return FLookupItems; }
    void SetLookupItems(const platform::core::TStringList& Value);
    // Sorts the list (without case) when it becomes or stays true.
    bool LookupItemsSorted() const { return FLookupItemsSorted; }
    void SetLookupItemsSorted(bool Value);
    void LookupItemsChanged();
    // The stored value while assigned, else GetDefaultMaxLength.
    int MaxLength();
    // Negative values store 0; sets the assigned flag.
    void SetMaxLength(int Value);
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value);
    // #0 echoes "*".
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    bool ShowFixedListSelection() const { return FShowFixedListSelection; }
    void SetShowFixedListSelection(bool Value);
    bool TextNotEditable() const { return FTextNotEditable; }
    void SetTextNotEditable(bool Value);
    bool UseDisplayFormatWhenEditing() const { return FUseDisplayFormatWhenEditing; }
    void SetUseDisplayFormatWhenEditing(bool Value);
    // Characters the editor accepts beyond the ordinary ones.
    std::bitset<256>& ValidChars() { return FValidChars; }
    const std::bitset<256>& ValidChars() const { return FValidChars; }
    // TextNotEditable combined with the buttons view style.
    int GetTextViewStyle() const;
    void SetTextViewStyle(int Value);
    bool CanIncrementalSearch();
    // True only inside ChangedForcingRefresh.
    bool IsChangedForcingRefresh() const { return FForceRefresh; }

    TcxNewLookupDisplayTextEvent OnNewLookupDisplayText;

    // Overrides of the base.
    bool CanValidate() const override { return true; }
    unsigned GetDisplayFormatOptions() const override { return dfoSupports; }
    void GetValidateErrorText(int AErrorKind, std::string& Text) override;
    std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle& AStyle,
                                                          bool AIsInplace) override;
    std::function<std::unique_ptr<TcxCustomEditViewInfo>()> GetViewInfoClass() const override;
    const platform::core::TComponentClass& GetContainerClass() const override;
    bool NoChangeOnSetEditValue() const override { return true; }
    bool CanCompareEditValue() const override { return true; }
    // The display texts of both values compare equal, case counting.
    bool CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2) override;
    std::string GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;
    // The text editor's own display text, inplace or not.
    std::string GetDisplayText(const Variant& AEditValue, bool AFullText, bool AIsInplace);
    unsigned GetSupportedOperations() const override;
    bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
    bool IsEditValueRestorable() const override { return GetEditingStyle() != tesNoEdit; }
    void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                             bool AEditFocused) override;
    void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                              IcxEditValidation* AEdit) override;
    int GetEditValueSource(bool) const override { return 1; }

    // The text editors' operations, in their order.
    virtual void ChangedForcingRefresh();
    virtual void ValidateValueBounds(Variant& DisplayValue, bool& Error, std::string& ErrorText,
                                     IcxEditValidation* AEdit);
    virtual void GetDefaultDisplayValue(Variant& DisplayValue, bool AEditFocused);
    // Some lookup item equals AText without case.
    virtual bool FindLookupItem(const std::string& AText) const;
    virtual std::string GetDefaultDisplayFormat() { return {}; }
    virtual int GetDefaultMaxLength();
    virtual int GetDropDownPageRowCount() { return 8; }
    virtual TcxTextEditingStyle GetEditingStyle() const;
    // Whether the editor looks its text up in lookup data (the data itself is the lookup
    // engine's; the text edit uses it).
    virtual bool UseLookupData() const { return true; }
    // The lookup data an editor with these properties searches (its class, for descendants).
    virtual std::unique_ptr<TcxCustomTextEditLookupData>
    CreateLookupData(TcxCustomTextEdit& AOwner) const;
    virtual bool IsNumericTextNormalized(bool) { return false; }
    // A number's text: unfocused by DisplayFormat, focused by the edit format or else in the
    // general format of 15 digits; a value that is no number keeps its plain text.
    virtual std::string FormatNumericDisplayValue(const Variant& Value, bool AEditFocused);
    virtual void GetEditFormat(bool& IsCurrency, bool& ProviderFormats, std::string& Format);
    virtual bool HasNumericValue() const { return false; }
    virtual bool IsPopupEditor() const { return false; }
    virtual bool IsTextRowLayoutDisabled() const { return false; }
    virtual bool IsPopupKey(platform::forms::WORD, platform::forms::TShiftState) { return false; }
    // Kind 0 the minimum, 1 the maximum.
    virtual bool IsValueBoundDefined(int Kind);
    bool IsAnyValueBoundDefined() { return IsValueBoundDefined(0) || IsValueBoundDefined(1); }
    virtual void DisplayFormatChanged() { Changed(); }
    virtual void MaxLengthChanged() { Changed(); }
    // Password characters, or the text in the character case.
    virtual void DisplayValueToDisplayText(std::string& Text);
    // A non-empty text of a list style must be a lookup item; the character case is applied.
    virtual bool IsDisplayValueValid(Variant& DisplayValue, bool AEditFocused);
    // The display value of an edit value: the valid one prepared, a date's text, else its string.
    Variant PrepareValueText(const Variant& AEditValue, bool AFocused);

protected:
    // Streams of older versions hold "IsDisplayFormatAssigned" (read, never written): it sets
    // AssignedValues.DisplayFormat.
    void DefineProperties(platform::core::TFiler& Filer) override;
    void AlignmentChangedHandler() override;
    void BaseSetAlignment(const TcxEditAlignment& Value) override;
    std::unique_ptr<TcxCustomEditPropertiesValues> CreateAssignedValues() override;
    // The text in the character case.
    std::string ApplyCharCase(const std::string& Text) const;

private:
    void SortLookupItems();

    TEditCharCase FCharCase = platform::forms::ecNormal;
    std::string FDisplayFormat;
    TcxEditEchoMode FEchoMode = eemNormal;
    std::string FEditFormat;
    bool FShowFixedListSelection = true;
    bool FForceRefresh = false;
    bool FTextNotEditable = false;
    bool FHideSelection = true;
    TImeMode FImeMode = imDontCare;
    std::string FImeName;
    bool FImmediateUpdateText = false;
    bool FIncrementalSearch = true;
    platform::core::TStringList FLookupItems;
    bool FLookupItemsSorted = false;
    int FMaxLength = 0;
    bool FExactTextLookup = false;
    bool FOEMConvert = false;
    char FPasswordChar = '\0';
    bool FUseDisplayFormatWhenEditing = false;
    std::bitset<256> FValidChars;
};

// The text edit's published properties.
class TcxTextEditProperties : public TcxCustomTextEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    using TcxCustomTextEditProperties::TcxCustomTextEditProperties;
    bool PublishesProperty(const std::string& Name) const override;
};

} // namespace toolkit::edit
