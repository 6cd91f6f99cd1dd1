#pragma once
// An editor's configurable behaviour, kept apart from the control so that one properties object
// can serve many editors (through a repository item) or one (its own). Some values (alignment,
// read-only, the limits) may stay unassigned and are then answered by a default values provider
// that a data source supplies.
//
// Change protocol: every change calls Changed, which calls OnPropertiesChanged at once unless
// the object is locked (SetChangedLocked), inside BeginUpdate/EndUpdate, or owned by a component
// being destroyed; then the change is only remembered, and EndUpdate(true) at the outermost
// level reports it once. EndUpdate(false) drops it; a later outermost BeginUpdate forgets it.

#include "toolkit/base/free_notificator.h"
#include "toolkit/base/interfaced_persistent.h"
#include "toolkit/edit/cx_container_style.h"
#include "toolkit/edit/cx_edit_buttons.h"

#include "platform/core/variant.h"
#include "platform/forms/shortcuts.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace toolkit::edit {

using platform::core::Variant;

class TcxCustomEditStyle;
class TcxCustomEditViewData;
class TcxCustomEditViewInfo;

enum TcxEditVertAlignment : std::uint8_t { taTopJustify, taBottomJustify, taVCenter };

// A horizontal alignment that knows whether it was set, and a vertical one.
class TcxEditAlignment : public platform::core::TPersistent {
public:
    explicit TcxEditAlignment(platform::core::TPersistent* AOwner) : FOwner(AOwner) {}

    // Copies Horz, whether it is assigned, and Vert; then OnChanged.
    void Assign(const platform::core::TPersistent* Source) override;
    platform::core::TPersistent* GetOwner() const override { return FOwner; }

    TAlignment Horz() const { return FHorz; }
    // Assigns Horz (even to its current value when it was not assigned).
    void SetHorz(TAlignment Value);
    bool IsHorzAssigned() const { return FIsHorzAssigned; }
    TcxEditVertAlignment Vert() const { return FVert; }
    void SetVert(TcxEditVertAlignment Value);
    // Horz is no longer assigned.
    void Reset();
    // The values that streaming writes.
    bool IsHorzStored() const { return FIsHorzAssigned; }
    bool IsVertStored() const { return FVert != taTopJustify; }

    std::function<void(platform::core::TObject* Sender)> OnChanged;

private:
    void DoChanged() {
        if (OnChanged) OnChanged(this);
    }

    TAlignment FHorz = platform::forms::taLeftJustify;
    bool FIsHorzAssigned = false;
    platform::core::TPersistent* FOwner;
    TcxEditVertAlignment FVert = taTopJustify;
};

class TcxCustomEditProperties;

// Which of the provider-backed values a properties object assigns itself.
class TcxCustomEditPropertiesValues : public platform::core::TPersistent {
public:
    explicit TcxCustomEditPropertiesValues(TcxCustomEditProperties* AProperties)
        : FProperties(AProperties) {}

    // Copies the flags as one change of the owning properties.
    void Assign(const platform::core::TPersistent* Source) override;
    platform::core::TPersistent* GetOwner() const override;
    // Clears every flag as one change of the owning properties.
    virtual void RestoreDefaults();

    TcxCustomEditProperties* Properties() const { return FProperties; }
    bool MaxValue() const { return FMaxValue; }
    void SetMaxValue(bool Value) { SetFlag(FMaxValue, Value); }
    bool MinValue() const { return FMinValue; }
    void SetMinValue(bool Value) { SetFlag(FMinValue, Value); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { SetFlag(FReadOnly, Value); }
    // Streamed only when the flag is set, the effective limit is exactly 0 and the owner's
    // class publishes the limit (a non-zero limit is streamed by the limit itself).
    bool IsMaxValueStored() const;
    bool IsMinValueStored() const;

private:
    void SetFlag(bool& Flag, bool Value);

    TcxCustomEditProperties* FProperties;
    bool FMaxValue = false;
    bool FMinValue = false;
    bool FReadOnly = false;
};

// The defaults a data source offers to editor properties. A provider that dies detaches itself
// from every properties object that uses it; properties never own their provider.
class IcxEditDefaultValuesProvider {
public:
    virtual bool AllowsEditing() = 0;
    virtual TAlignment DefaultAlignment() = 0;
    virtual bool IsDataModifiable() = 0;
    virtual std::string DefaultDisplayFormat() = 0;
    virtual std::string DefaultEditFormat() = 0;
    virtual std::string DefaultEditMask() = 0;
    virtual int DefaultMaxLength() = 0;
    virtual double DefaultMaxValue() = 0;
    virtual double DefaultMinValue() = 0;
    virtual bool DefaultReadOnly() = 0;
    virtual bool IsDataAvailable() = 0;
    virtual bool DisplayFormatFlag() = 0;
    virtual bool IsDataStorage() = 0;
    virtual bool IsDisplayFormatDefined(bool AFlag) = 0;
    virtual bool HasDisplayTextHandler() = 0;
    virtual bool AcceptsAnyChar() = 0;
    virtual bool IsValidChar(char Ch) = 0;
    // The data behind refuses an empty value.
    virtual bool IsValueRequired() = 0;
    // The implementing object; two references to one provider answer the same.
    virtual platform::core::TObject* GetInstance() = 0;

protected:
    ~IcxEditDefaultValuesProvider() = default;
};

// The provider a data source starts from: answers as if there were no data behind it.
class TcxCustomEditDefaultValuesProvider : public toolkit::base::TcxInterfacedPersistent,
                                           public IcxEditDefaultValuesProvider {
public:
    explicit TcxCustomEditDefaultValuesProvider(platform::core::TPersistent* AOwner)
        : TcxInterfacedPersistent(AOwner) {}
    // Detaches from every properties object first.
    ~TcxCustomEditDefaultValuesProvider() override;
    TcxCustomEditDefaultValuesProvider(const TcxCustomEditDefaultValuesProvider&) = delete;
    TcxCustomEditDefaultValuesProvider&
    operator=(const TcxCustomEditDefaultValuesProvider&) = delete;

    // Every properties object that uses this provider forgets it.
    void DetachFromProperties();

    bool AllowsEditing() override { return true; }
    TAlignment DefaultAlignment() override { return platform::forms::taLeftJustify; }
    bool IsDataModifiable() override { return true; }
    std::string DefaultDisplayFormat() override { return {}; }
    std::string DefaultEditFormat() override { return {}; }
    std::string DefaultEditMask() override { return {}; }
    int DefaultMaxLength() override { return 0; }
    double DefaultMaxValue() override { return 0.0; }
    double DefaultMinValue() override { return 0.0; }
    bool DefaultReadOnly() override { return false; }
    bool IsDataAvailable() override { return false; }
    bool DisplayFormatFlag() override { return false; }
    bool IsDataStorage() override { return true; }
    bool IsDisplayFormatDefined(bool) override { return false; }
    bool HasDisplayTextHandler() override { return false; }
    bool AcceptsAnyChar() override { return false; }
    bool IsValidChar(char) override { return true; }
    bool IsValueRequired() override { return false; }
    platform::core::TObject* GetInstance() final { return this; }
};

// What validation needs of the editor (the editor base implements it): its validation event,
// which fires the OnValidate of the editor's own properties and then of its repository item's,
// and the text it shows now.
class IcxEditValidation {
public:
    // An OnValidate handler is set in the editor's own or its active properties.
    virtual bool HasValidateHandlers() = 0;
    virtual void DoOnValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error) = 0;
    virtual std::string GetValidationDisplayText() = 0;

protected:
    ~IcxEditValidation() = default;
};

class TcxCustomEditPropertiesClass : public toolkit::base::TcxInterfacedPersistentClass {
public:
    TcxCustomEditPropertiesClass(std::string_view Name, const platform::core::TClass* Parent,
                                 TConstructor Constructor)
        : toolkit::base::TcxInterfacedPersistentClass(Name, Parent, std::move(Constructor)) {}
    // An object of the very class this stands for.
    std::unique_ptr<TcxCustomEditProperties> CreateProperties(platform::core::TPersistent*) const;
};

using TcxEditValidateEvent = std::function<void(
    platform::core::TObject* Sender, Variant& DisplayValue, std::string& ErrorText, bool& Error)>;
using TcxEditNotifyEvent = std::function<void(platform::core::TObject* Sender)>;

enum TcxEditButtonsViewStyle : std::uint8_t { bvsNormal, bvsButtonsOnly, bvsButtonsAutoWidth };

// Bit set of GetDisplayFormatOptions.
inline constexpr unsigned dfoSupports = 1, dfoNoCurrencyValue = 2;
// Bit of GetSupportedOperations: the editor tracks the mouse for hot buttons.
inline constexpr unsigned esoHotTrack = 1u << 5;

class TcxCustomEditProperties : public toolkit::base::TcxInterfacedPersistent {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }

    // AOwner: the editor, a repository item, or nullptr (preview properties).
    explicit TcxCustomEditProperties(platform::core::TPersistent* AOwner);
    ~TcxCustomEditProperties() override;
    TcxCustomEditProperties(const TcxCustomEditProperties&) = delete;
    TcxCustomEditProperties& operator=(const TcxCustomEditProperties&) = delete;

    // Copies the published values, the provider and the events OnButtonClick, OnChange,
    // OnEditValueChanged and OnValidate, as one change.
    void Assign(const platform::core::TPersistent* Source) override;

    void BeginUpdate();
    void EndUpdate(bool AInvokeChanged = true);
    // Runs Change between BeginUpdate and EndUpdate, so that everything it sets reports as one
    // change; the update ends also when Change throws.
    template <class F> void WithinUpdate(F&& Change) {
        BeginUpdate();
        try {
            Change();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }
    bool IsChanging() const { return FChangedCount > 0; }
    bool ChangedLocked() const { return FChangedLocked; }
    void SetChangedLocked(bool Value) { FChangedLocked = Value; }
    bool ChangedOccurred() const { return FChangedOccurred; }
    int UpdateCount() const { return FUpdateCount; }
    virtual void Changed();

    // False when the effective ReadOnly is set (a ReadOnly assigned false allows it outright);
    // else, with a provider, what the provider's data and editing permission allow.
    bool CanModify();
    bool IsDisplayFormatDefined();

    IcxEditDefaultValuesProvider* DefaultValuesProvider() const { return FDefaultValuesProvider; }
    // The owning editor refreshes at once.
    void SetIDefaultValuesProvider(IcxEditDefaultValuesProvider* Value);

    // The published view: Horz reads as the default alignment while it is not assigned.
    TcxEditAlignment& Alignment();
    void SetAlignment(const TcxEditAlignment& Value) { BaseSetAlignment(Value); }
    bool IsAlignmentStored() const {
        return FAlignment.IsHorzStored() || FAlignment.IsVertStored();
    }
    TcxCustomEditPropertiesValues& AssignedValues() const { return *FAssignedValues; }
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value);
    bool BeepOnError() const { return FBeepOnError; }
    void SetBeepOnError(bool Value) { FBeepOnError = Value; }
    TcxEditButtons& Buttons() const { return *FButtons; }
    void SetButtons(const TcxEditButtons& Value) { FButtons->Assign(&Value); }
    TcxEditButtonsViewStyle ButtonsViewStyle() const { return FButtonsViewStyle; }
    void SetButtonsViewStyle(TcxEditButtonsViewStyle Value);
    platform::forms::TShortCut ClearKey() const { return FClearKey; }
    void SetClearKey(platform::forms::TShortCut Value) { FClearKey = Value; }
    platform::forms::TShortCut ClickKey() const { return FClickKey; }
    void SetClickKey(platform::forms::TShortCut Value) { FClickKey = Value; }
    bool ImmediatePost() const { return FImmediatePost; }
    void SetImmediatePost(bool Value) { FImmediatePost = Value; }
    bool InplaceEditKeysEnabled() const { return FInplaceEditKeysEnabled; }
    void SetInplaceEditKeysEnabled(bool Value) { FInplaceEditKeysEnabled = Value; }
    double MaxValue() { return GetMaxValue(); }
    void SetMaxValue(double Value);
    double MinValue() { return GetMinValue(); }
    void SetMinValue(double Value);
    bool ReadOnly() { return GetReadOnly(); }
    void SetReadOnly(bool Value);
    bool IsReadOnlyStored() const { return FAssignedValues->ReadOnly(); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
    void SetUseLeftAlignmentOnEditing(bool Value);
    bool IsUseLeftAlignmentOnEditingStored() const {
        return FUseLeftAlignmentOnEditing != DefaultUseLeftAlignmentOnEditing();
    }
    bool ValidateOnEnter() const { return FValidateOnEnter; }
    void SetValidateOnEnter(bool Value) { FValidateOnEnter = Value; }

    // Whether the class publishes a property of that name ("MaxValue", "MinValue"); the base
    // publishes neither.
    virtual bool PublishesProperty(const std::string& Name) const;

    virtual bool CanValidate() const { return false; }
    virtual bool DefaultUseLeftAlignmentOnEditing() const { return true; }
    // The provider is gone: forget it.
    virtual void DefaultValuesProviderDestroyed() { FDefaultValuesProvider = nullptr; }
    virtual TAlignment GetDefaultHorzAlignment();
    virtual unsigned GetDisplayFormatOptions() const { return 0; }
    virtual double GetMaxValue();
    virtual double GetMinValue();
    virtual bool GetReadOnly();
    // The validation message, whatever the error kind.
    virtual void GetValidateErrorText(int AErrorKind, std::string& Text);
    virtual bool IsDisplayFormatInUse(bool AEditing);
    // True: setting an edit value does not also fire OnChange.
    virtual bool NoChangeOnSetEditValue() const { return false; }
    // True: a focused editor keeps the Tab key for its own key handling.
    virtual bool KeepsTabKey() const { return false; }
    virtual bool IsEditValueConversionDependOnFocused() const { return true; }
    virtual bool CanCompareEditValue() const { return false; }
    // The state styles' class of the editors these properties serve.
    virtual TcxContainerStyleClass GetStyleClass() const;
    // The layout calculator of these properties' editors, for a style in force.
    virtual std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle& AStyle,
                                                                  bool AIsInplace);
    // Makes the view info these properties' editors are laid out in.
    virtual std::function<std::unique_ptr<TcxCustomEditViewInfo>()> GetViewInfoClass() const;
    // The editor class these properties configure.
    virtual const platform::core::TComponentClass& GetContainerClass() const;
    // Both values prepared for display (unfocused) compare equal.
    virtual bool CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2);
    // The same class, unowned, for a preview.
    virtual std::unique_ptr<TcxCustomEditProperties> CreatePreviewProperties() const;
    virtual void DoUpdate() {}
    virtual std::string GetDisplayText(const Variant& AEditValue, bool AFullText = false);
    virtual unsigned GetSpecialFeatures() const { return 0; }
    virtual unsigned GetSupportedOperations() const;
    virtual bool IsActivationKey(char Key) const;
    virtual bool IsEditValueValid(Variant& EditValue, bool AEditFocused);
    // True: the editor remembers its value on entering, and Escape may abandon changes.
    virtual bool IsEditValueRestorable() const { return false; }
    virtual void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                     bool AEditFocused);
    // Horz unassigned and every assigned-value flag cleared, as one change.
    virtual void RestoreDefaults();
    virtual void ValidationOptionsChanged() {}
    // Only when CanValidate: fills an empty ErrorText with the validation message, then runs
    // DoValidate.
    virtual void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                      IcxEditValidation* AEdit);
    // 0: the edit value is the value; 1: it is the text.
    virtual int GetEditValueSource(bool AEditFocused) const;

    // Runs the editor's validation event when a handler is set; a handler that reports an
    // error and leaves the value as it was gets the editor's current display text back.
    void DoValidate(Variant& DisplayValue, std::string& ErrorText, bool& DisplayValueChanged,
                    IcxEditValidation* AEdit, bool& Error);

    // Each called with the editor as Sender, where the editor fires them.
    std::function<void(platform::core::TObject* Sender, int AButtonIndex)> OnButtonClick;
    TcxEditNotifyEvent OnChange;
    std::function<void(platform::core::TObject* Sender, int AReason)> OnClosePopup;
    TcxEditNotifyEvent OnEditValueChanged;
    TcxEditValidateEvent OnValidate;
    // Installed by the owning editor or repository item; Sender is these properties.
    std::function<void(TcxCustomEditProperties* Sender)> OnPropertiesChanged;

protected:
    virtual void AlignmentChangedHandler();
    virtual void BaseSetAlignment(const TcxEditAlignment& Value);
    virtual void ChangeHandler() { Changed(); }
    virtual void FreeNotification(platform::core::TComponent*) {}
    virtual std::unique_ptr<TcxCustomEditPropertiesValues> CreateAssignedValues();
    virtual std::unique_ptr<TcxEditButtons> CreateButtons();
    // Call from a descendant's constructor: virtual calls reach the base during construction.
    void RecreateOwnedParts();
    toolkit::base::TcxFreeNotificator& FreeNotificator() const { return *FFreeNotificator; }

private:
    bool IsOwnerDestroying() const;

    bool FAutoSelect = true;
    bool FBeepOnError = false;
    std::unique_ptr<TcxEditButtons> FButtons;
    TcxEditButtonsViewStyle FButtonsViewStyle = bvsNormal;
    bool FChangedOccurred = false;
    platform::forms::TShortCut FClearKey = 0;
    platform::forms::TShortCut FClickKey = platform::forms::scCtrl | 0x0D;
    std::unique_ptr<toolkit::base::TcxFreeNotificator> FFreeNotificator;
    bool FImmediatePost = false;
    TcxEditAlignment FAlignment{this};
    int FChangedCount = 0;
    double FMaxValue = 0;
    double FMinValue = 0;
    bool FReadOnly = false;
    bool FTransparent = false;
    int FUpdateCount = 0;
    bool FUseLeftAlignmentOnEditing = true;
    bool FInplaceEditKeysEnabled = true;
    bool FValidateOnEnter = false;
    TcxEditAlignment FPublishedAlignment{this};
    std::unique_ptr<TcxCustomEditPropertiesValues> FAssignedValues;
    bool FChangedLocked = false;
    IcxEditDefaultValuesProvider* FDefaultValuesProvider = nullptr;
};

// Every properties object alive, oldest first.
const std::vector<TcxCustomEditProperties*>& cxEditPropertiesList();

} // namespace toolkit::edit
