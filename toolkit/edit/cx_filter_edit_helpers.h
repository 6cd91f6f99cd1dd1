#pragma once
// Filter edit helpers: for each kind of editor, what a filter row needs to edit a condition's
// value with it — the editor class, the comparison operators that make sense, the properties
// prepared for the row and the conversion between the edited value and its text. A helper is a
// class object whose operations are class-level (no instance is ever made); the filter edits
// controller finds the helper of an edit properties class by the class's ancestry.

#include "toolkit/base/registered_class_list.h"
#include "toolkit/edit/cx_value_types.h"

#include "platform/core/class_reference.h"
#include "platform/core/component.h"
#include "platform/core/variant.h"

#include <bitset>
#include <string>
#include <string_view>

namespace toolkit::edit {

class TcxCustomEdit;
class TcxCustomEditProperties;

// The filter operators by their ordinals in the filter control's operator list: bit n for
// operator n (1 equals ... 10 not between, 11/12 in and not in list, 13/14 the extended pair).
using TcxFilterOperatorKinds = std::bitset<40>;

inline constexpr int cxFilterOperatorLike = 7;
inline constexpr int cxFilterOperatorNotLike = 8;

// The operators first..last, both included.
TcxFilterOperatorKinds cxFilterOperatorRange(int First, int Last);

class TcxCustomFilterEditHelper : public platform::core::TClass {
public:
    static const TcxCustomFilterEditHelper& ClassRef();

    // Clears OnButtonClick, OnChange, OnEditValueChanged and OnValidate (OnClosePopup stays).
    virtual void ClearPropertiesEvents(TcxCustomEditProperties& Properties) const;
    // InitializeProperties on the edit's active properties.
    virtual void InitializeEdit(TcxCustomEdit& Edit,
                                const TcxCustomEditProperties& SourceProperties) const;
    virtual bool KeepsDefaultValuesProvider() const { return true; }
    virtual bool HasButtons() const { return false; }
    // nullptr in the base.
    virtual const platform::core::TComponentClass* GetFilterEditClass() const { return nullptr; }
    virtual void GetFilterValue(TcxCustomEdit& Edit, TcxCustomEditProperties& EditProperties,
                                Variant& Value, std::string& DisplayText) const;
    // {1..14} extended, else {1..10}; like and not like only for a value type that compares
    // as text.
    virtual void GetSupportedFilterOperators(TcxCustomEditProperties& EditProperties,
                                             TcxValueTypeClass ValueTypeClass,
                                             TcxFilterOperatorKinds& Operators,
                                             bool Extended) const;
    // The source's values, made fit for a filter row: left and top aligned, no beep, editable,
    // validated on Enter, buttons only when the helper has them, no event handlers.
    virtual void InitializeProperties(TcxCustomEditProperties& Properties,
                                      const TcxCustomEditProperties& SourceProperties,
                                      bool AHasButtons) const;
    virtual bool IsValueValid(TcxValueTypeClass ValueTypeClass, Variant& Value) const;
    // Nothing in the base.
    virtual void SetFilterValue(TcxCustomEdit& Edit, TcxCustomEditProperties& EditProperties,
                                const Variant& Value) const;
    virtual bool UseDisplayValue() const { return false; }

protected:
    TcxCustomFilterEditHelper(std::string_view Name, const platform::core::TClass* Parent)
        : TClass(Name, Parent) {}
};

using TcxCustomFilterEditHelperClass = const TcxCustomFilterEditHelper*;

// The text edit's helper, from which the other editors derive theirs.
class TcxFilterTextEditHelper : public TcxCustomFilterEditHelper {
public:
    static const TcxFilterTextEditHelper& ClassRef();

    const platform::core::TComponentClass* GetFilterEditClass() const override;
    // AutoSelect and HideSelection on, the text editable.
    void InitializeProperties(TcxCustomEditProperties& Properties,
                              const TcxCustomEditProperties& SourceProperties,
                              bool AHasButtons) const override;
    void SetFilterValue(TcxCustomEdit& Edit, TcxCustomEditProperties& EditProperties,
                        const Variant& Value) const override;

protected:
    using TcxCustomFilterEditHelper::TcxCustomFilterEditHelper;
};

// The masked edit's helper: like-operators only without a mask, and the regular-expression
// language of a row is the extended one.
class TcxFilterMaskEditHelper : public TcxFilterTextEditHelper {
public:
    static const TcxFilterMaskEditHelper& ClassRef();

    const platform::core::TComponentClass* GetFilterEditClass() const override;
    void GetSupportedFilterOperators(TcxCustomEditProperties& EditProperties,
                                     TcxValueTypeClass ValueTypeClass,
                                     TcxFilterOperatorKinds& Operators,
                                     bool Extended) const override;
    void InitializeProperties(TcxCustomEditProperties& Properties,
                              const TcxCustomEditProperties& SourceProperties,
                              bool AHasButtons) const override;

protected:
    using TcxFilterTextEditHelper::TcxFilterTextEditHelper;
};

// The drop-down editors' helper: a row keeps their buttons.
class TcxFilterDropDownEditHelper : public TcxFilterMaskEditHelper {
public:
    static const TcxFilterDropDownEditHelper& ClassRef();

    bool HasButtons() const override { return true; }

protected:
    using TcxFilterMaskEditHelper::TcxFilterMaskEditHelper;
};

// The combo box's helper: the row's list opens on demand only, under the editor's left edge,
// shows eight rows, accepts typed text and never reverts on a double click.
class TcxFilterComboBoxHelper : public TcxFilterDropDownEditHelper {
public:
    static const TcxFilterComboBoxHelper& ClassRef();

    const platform::core::TComponentClass* GetFilterEditClass() const override;
    void InitializeProperties(TcxCustomEditProperties& Properties,
                              const TcxCustomEditProperties& SourceProperties,
                              bool AHasButtons) const override;

protected:
    using TcxFilterDropDownEditHelper::TcxFilterDropDownEditHelper;
};

// The spin edit's helper: the row keeps its spin buttons and its text editable; a number never
// compares as text, so like and not like are never offered.
class TcxFilterSpinEditHelper : public TcxFilterMaskEditHelper {
public:
    static const TcxFilterSpinEditHelper& ClassRef();

    bool HasButtons() const override { return true; }
    const platform::core::TComponentClass* GetFilterEditClass() const override;
    void GetSupportedFilterOperators(TcxCustomEditProperties& EditProperties,
                                     TcxValueTypeClass ValueTypeClass,
                                     TcxFilterOperatorKinds& Operators,
                                     bool Extended) const override;
    void InitializeProperties(TcxCustomEditProperties& Properties,
                              const TcxCustomEditProperties& SourceProperties,
                              bool AHasButtons) const override;

protected:
    using TcxFilterMaskEditHelper::TcxFilterMaskEditHelper;
};

// The check box's helper: a row picks checked or unchecked from a fixed two-item combo box
// (the source's display texts, checked first); no pick is Null. Only equality and the between
// pair apply, and the filter shows the display text.
class TcxFilterCheckBoxHelper : public TcxFilterComboBoxHelper {
public:
    static const TcxFilterCheckBoxHelper& ClassRef();

    // EditProperties are the check box's; the edit is the row's combo box.
    void GetFilterValue(TcxCustomEdit& Edit, TcxCustomEditProperties& EditProperties,
                        Variant& Value, std::string& DisplayText) const override;
    void GetSupportedFilterOperators(TcxCustomEditProperties& EditProperties,
                                     TcxValueTypeClass ValueTypeClass,
                                     TcxFilterOperatorKinds& Operators,
                                     bool Extended) const override;
    // Properties are the combo box's, SourceProperties the check box's.
    void InitializeProperties(TcxCustomEditProperties& Properties,
                              const TcxCustomEditProperties& SourceProperties,
                              bool AHasButtons) const override;
    // A grayed value selects no item.
    void SetFilterValue(TcxCustomEdit& Edit, TcxCustomEditProperties& EditProperties,
                        const Variant& Value) const override;
    bool UseDisplayValue() const override { return true; }

protected:
    using TcxFilterComboBoxHelper::TcxFilterComboBoxHelper;
};

// The registry of helpers. A helper is registered under the parent of the published properties
// class it is given, so that it serves every class of that family.
class TcxFilterEditsController : public toolkit::base::TcxRegisteredClassList {
public:
    void Register(const platform::core::TClass* EditPropertiesClass,
                  const platform::core::TClass* HelperClass) override;
    void Unregister(const platform::core::TClass* EditPropertiesClass,
                    const platform::core::TClass* HelperClass) override;
    // The helper of the nearest registered ancestor; nullptr when none.
    TcxCustomFilterEditHelperClass FindHelper(const platform::core::TClass* EditPropertiesClass);
};

// The one controller, made on first use. Unregistering its last pair frees it; the next call
// makes a new, empty one.
TcxFilterEditsController& FilterEditsController();
// The controller exists.
bool FilterEditsControllerExists();

} // namespace toolkit::edit
