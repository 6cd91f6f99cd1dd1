#include "toolkit/edit/cx_filter_edit_helpers.h"

#include "toolkit/edit/cx_check_box_properties.h"
#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_popup_edit.h"
#include "toolkit/edit/cx_spin_edit.h"
#include "toolkit/edit/cx_spin_edit_properties.h"
#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/edit_units.h"
#include "toolkit/edit/filter_control_strings.h"

#include "toolkit/base/resource_strings.h"

#include "platform/core/component.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;

TcxFilterOperatorKinds Ops(std::initializer_list<int> Bits) {
    TcxFilterOperatorKinds Result;
    for (int Bit : Bits)
        Result.set(static_cast<std::size_t>(Bit));
    return Result;
}

TEST(FilterEditsController, FindsTheNearestRegisteredFamilyAndFreesItselfWhenEmpty) {
    ASSERT_FALSE(FilterEditsControllerExists());
    FilterEditsController().Register(&TcxTextEditProperties::ClassRef(),
                                     &TcxFilterTextEditHelper::ClassRef());
    EXPECT_EQ(FilterEditsController().FindHelper(&TcxMaskEditProperties::ClassRef()),
              &TcxFilterTextEditHelper::ClassRef())
        << "the mask properties descend from the text family";
    FilterEditsController().Register(&TcxMaskEditProperties::ClassRef(),
                                     &TcxFilterMaskEditHelper::ClassRef());
    EXPECT_EQ(FilterEditsController().FindHelper(&TcxMaskEditProperties::ClassRef()),
              &TcxFilterMaskEditHelper::ClassRef());
    EXPECT_EQ(FilterEditsController().FindHelper(&TcxTextEditProperties::ClassRef()),
              &TcxFilterTextEditHelper::ClassRef());
    FilterEditsController().Unregister(&TcxMaskEditProperties::ClassRef(),
                                       &TcxFilterMaskEditHelper::ClassRef());
    EXPECT_TRUE(FilterEditsControllerExists());
    FilterEditsController().Unregister(&TcxTextEditProperties::ClassRef(),
                                       &TcxFilterTextEditHelper::ClassRef());
    EXPECT_FALSE(FilterEditsControllerExists());
    EXPECT_EQ(FilterEditsController().FindHelper(&TcxTextEditProperties::ClassRef()), nullptr);
    EXPECT_EQ(FilterEditsController().Count(), 0);
    FilterEditsController().Unregister(&TcxTextEditProperties::ClassRef(),
                                       &TcxFilterTextEditHelper::ClassRef());
    EXPECT_FALSE(FilterEditsControllerExists());
}

TEST(FilterEditsController, StartUpRegistersTheTextAndMaskHelpersAndTheEndRemovesThem) {
    {
        TcxEditUnits Units;
        const std::pair<const pc::TClass*, const TcxCustomFilterEditHelper*> Helpers[] = {
            {&TcxComboBoxProperties::ClassRef(), &TcxFilterComboBoxHelper::ClassRef()},
            {&TcxSpinEditProperties::ClassRef(), &TcxFilterSpinEditHelper::ClassRef()},
            {&TcxCheckBoxProperties::ClassRef(), &TcxFilterCheckBoxHelper::ClassRef()},
            // No helper of its own: the popup edit's family is the drop-down edit's, whose
            // nearest registered ancestor is the masked family.
            {&TcxPopupEditProperties::ClassRef(), &TcxFilterMaskEditHelper::ClassRef()},
        };
        for (const auto& [Properties, Helper] : Helpers)
            EXPECT_EQ(FilterEditsController().FindHelper(Properties), Helper)
                << Properties->ClassName();
        EXPECT_EQ(FilterEditsController().FindHelper(&TcxMaskEditProperties::ClassRef()),
                  &TcxFilterMaskEditHelper::ClassRef());
        EXPECT_EQ(FilterEditsController().FindHelper(&TcxTextEditProperties::ClassRef()),
                  &TcxFilterTextEditHelper::ClassRef());
        const int Group =
            toolkit::base::dxResourceStringsRepository().IndexOf(cxFilterControlStringsGroup);
        ASSERT_GE(Group, 0);
        EXPECT_EQ(toolkit::base::dxResourceStringsRepository().Items(Group).Count(),
                  cxFilterControlStringCount);
        EXPECT_EQ(toolkit::base::cxGetResourceString(cxSFilterControlDialogFileFilter),
                  "Filters (*.flt)|*.flt");
    }
    EXPECT_FALSE(FilterEditsControllerExists());
}

// Each editor's properties, as the filter row is asked about them.
enum class Source { Mask, Combo, Spin, CheckBox };

std::unique_ptr<TcxCustomEditProperties> MakeProperties(Source Kind, const char* Mask) {
    switch (Kind) {
    case Source::Combo:
        return std::make_unique<TcxComboBoxProperties>(nullptr);
    case Source::Spin:
        return std::make_unique<TcxSpinEditProperties>(nullptr);
    case Source::CheckBox:
        return std::make_unique<TcxCheckBoxProperties>(nullptr);
    case Source::Mask:
        break;
    }
    auto Properties = std::make_unique<TcxMaskEditProperties>(nullptr);
    Properties->SetEditMask(Mask);
    return Properties;
}

struct OperatorCase {
    const char* Name;
    const TcxCustomFilterEditHelper* Helper;
    Source Kind;
    const char* Mask;
    TcxValueTypeClass ValueType;
    bool Extended;
    TcxFilterOperatorKinds Expected;
};

TEST(FilterEditHelpers, SupportedOperators) {
    const OperatorCase Cases[] = {
        {"text, no value type", &TcxFilterTextEditHelper::ClassRef(), Source::Mask, "", nullptr,
         false, Ops({1, 2, 3, 4, 5, 6, 9, 10})},
        {"text, string", &TcxFilterTextEditHelper::ClassRef(), Source::Mask, "",
         TcxStringValueTypeClass(), false, Ops({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"text, integer, extended", &TcxFilterTextEditHelper::ClassRef(), Source::Mask, "",
         TcxIntegerValueTypeClass(), true, Ops({1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14})},
        {"mask without a mask, string", &TcxFilterMaskEditHelper::ClassRef(), Source::Mask, "",
         TcxStringValueTypeClass(), false, Ops({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"mask with a mask, string, extended", &TcxFilterMaskEditHelper::ClassRef(), Source::Mask,
         "00/00", TcxStringValueTypeClass(), true, Ops({1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14})},
        {"mask without a mask, no value type", &TcxFilterMaskEditHelper::ClassRef(), Source::Mask,
         "", nullptr, false, Ops({1, 2, 3, 4, 5, 6, 9, 10})},
        {"drop-down, string", &TcxFilterDropDownEditHelper::ClassRef(), Source::Combo, "",
         TcxStringValueTypeClass(), false, Ops({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"combo box, integer, extended", &TcxFilterComboBoxHelper::ClassRef(), Source::Combo, "",
         TcxIntegerValueTypeClass(), true, Ops({1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14})},
        {"spin, string", &TcxFilterSpinEditHelper::ClassRef(), Source::Spin, "",
         TcxStringValueTypeClass(), false, Ops({1, 2, 3, 4, 5, 6, 9, 10})},
        {"spin, string, extended", &TcxFilterSpinEditHelper::ClassRef(), Source::Spin, "",
         TcxStringValueTypeClass(), true, Ops({1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14})},
        {"check box, string, extended", &TcxFilterCheckBoxHelper::ClassRef(), Source::CheckBox, "",
         TcxStringValueTypeClass(), true, Ops({1, 2, 9, 10})},
        {"check box, no value type", &TcxFilterCheckBoxHelper::ClassRef(), Source::CheckBox, "",
         nullptr, false, Ops({1, 2, 9, 10})},
    };
    for (const OperatorCase& Case : Cases) {
        auto Properties = MakeProperties(Case.Kind, Case.Mask);
        TcxFilterOperatorKinds Operators;
        Case.Helper->GetSupportedFilterOperators(*Properties, Case.ValueType, Operators,
                                                 Case.Extended);
        EXPECT_EQ(Operators, Case.Expected) << Case.Name;
    }
}

TEST(FilterEditHelpers, APreparedRowEditsLeftAlignedWithoutEventsButOnClosePopup) {
    TcxMaskEditProperties Source(nullptr);
    Source.SetMaskKind(emkRegExpr);
    Source.SetEditMask("\\d+");
    Source.SetReadOnly(true);
    Source.SetAutoSelect(false);
    Source.SetHideSelection(false);
    Source.SetBeepOnError(true);
    Source.SetValidateOnEnter(false);
    Source.Alignment().SetHorz(pf::taRightJustify);
    int Fired = 0;
    Source.OnChange = [&](platform::core::TObject*) { ++Fired; };
    Source.OnValidate = [&](platform::core::TObject*, Variant&, std::string&, bool&) { ++Fired; };

    TcxMaskEditProperties Row(nullptr);
    Row.OnClosePopup = [&](platform::core::TObject*, int) { ++Fired; };
    TcxFilterMaskEditHelper::ClassRef().InitializeProperties(Row, Source, false);
    EXPECT_TRUE(Row.AutoSelect());
    EXPECT_TRUE(Row.HideSelection());
    EXPECT_FALSE(Row.ReadOnly());
    EXPECT_TRUE(Row.ValidateOnEnter());
    EXPECT_FALSE(Row.BeepOnError());
    EXPECT_EQ(Row.Alignment().Horz(), pf::taLeftJustify);
    EXPECT_EQ(Row.Alignment().Vert(), taTopJustify);
    EXPECT_FALSE(Row.OnChange);
    EXPECT_FALSE(Row.OnValidate);
    EXPECT_FALSE(Row.OnButtonClick);
    EXPECT_FALSE(Row.OnEditValueChanged);
    EXPECT_TRUE(Row.OnClosePopup) << "the row's own OnClosePopup stays";
    EXPECT_EQ(Row.MaskKind(), emkRegExprEx) << "a row takes the extended language";
    EXPECT_EQ(Row.EditMask(), "\\d+");
    EXPECT_EQ(TcxFilterMaskEditHelper::ClassRef().GetFilterEditClass(), &TcxMaskEdit::ClassRef());
    EXPECT_EQ(TcxFilterTextEditHelper::ClassRef().GetFilterEditClass(), &TcxTextEdit::ClassRef());
    EXPECT_EQ(TcxCustomFilterEditHelper::ClassRef().GetFilterEditClass(), nullptr);
}

TEST(FilterEditHelpers, ClassLevelAnswers) {
    struct Case {
        const TcxCustomFilterEditHelper* Helper;
        bool HasButtons;
        bool UseDisplayValue;
        const pc::TComponentClass* EditClass;
    };
    const Case Cases[] = {
        {&TcxFilterTextEditHelper::ClassRef(), false, false, &TcxTextEdit::ClassRef()},
        {&TcxFilterMaskEditHelper::ClassRef(), false, false, &TcxMaskEdit::ClassRef()},
        {&TcxFilterDropDownEditHelper::ClassRef(), true, false, &TcxMaskEdit::ClassRef()},
        {&TcxFilterComboBoxHelper::ClassRef(), true, false, &TcxComboBox::ClassRef()},
        {&TcxFilterSpinEditHelper::ClassRef(), true, false, &TcxSpinEdit::ClassRef()},
        {&TcxFilterCheckBoxHelper::ClassRef(), true, true, &TcxComboBox::ClassRef()},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(C.Helper->HasButtons(), C.HasButtons) << C.Helper->ClassName();
        EXPECT_EQ(C.Helper->UseDisplayValue(), C.UseDisplayValue) << C.Helper->ClassName();
        EXPECT_EQ(C.Helper->GetFilterEditClass(), C.EditClass) << C.Helper->ClassName();
        EXPECT_TRUE(C.Helper->KeepsDefaultValuesProvider()) << C.Helper->ClassName();
    }
    EXPECT_TRUE(
        TcxFilterCheckBoxHelper::ClassRef().InheritsFrom(&TcxFilterComboBoxHelper::ClassRef()));
    EXPECT_TRUE(
        TcxFilterSpinEditHelper::ClassRef().InheritsFrom(&TcxFilterMaskEditHelper::ClassRef()));
}

TEST(FilterEditHelpers, APreparedComboBoxRowOpensOnDemandAndAcceptsTypedText) {
    TcxComboBoxProperties Source(nullptr);
    Source.SetDropDownRows(20);
    Source.SetDropDownListStyle(lsFixedList);
    Source.SetImmediateDropDown(true);
    Source.SetPopupAlignment(pf::taRightJustify);
    Source.SetRevertable(true);
    Source.ButtonGlyph()->SetSize(8, 8);
    Source.Items().Add("Alpha");
    TcxCustomEditDefaultValuesProvider Provider(nullptr);
    Source.SetIDefaultValuesProvider(&Provider);

    TcxComboBoxProperties Row(nullptr);
    const TcxFilterComboBoxHelper& Helper = TcxFilterComboBoxHelper::ClassRef();
    Helper.InitializeProperties(Row, Source, Helper.HasButtons());
    EXPECT_EQ(Row.DropDownRows(), 8);
    EXPECT_EQ(Row.DropDownListStyle(), lsEditList);
    EXPECT_FALSE(Row.ImmediateDropDown());
    EXPECT_EQ(Row.PopupAlignment(), pf::taLeftJustify);
    EXPECT_FALSE(Row.Revertable());
    ASSERT_NE(Row.ButtonGlyph(), nullptr) << "the row keeps its drop-down button";
    EXPECT_TRUE(Row.ButtonGlyph()->Empty());
    EXPECT_EQ(Row.Buttons().Count(), Source.Buttons().Count());
    EXPECT_EQ(Row.Items().Count(), 1);
    EXPECT_EQ(Row.DefaultValuesProvider(), &Provider);
    EXPECT_TRUE(Row.AutoSelect());
    EXPECT_FALSE(Row.ReadOnly());
}

TEST(FilterEditHelpers, APreparedSpinRowKeepsItsButtonsAndEditableText) {
    TcxSpinEditProperties Source(nullptr);
    Source.SetCanEdit(false);
    Source.SetReadOnly(true);
    TcxSpinEditProperties Row(nullptr);
    const TcxFilterSpinEditHelper& Helper = TcxFilterSpinEditHelper::ClassRef();
    Helper.InitializeProperties(Row, Source, Helper.HasButtons());
    EXPECT_TRUE(Row.CanEdit());
    EXPECT_FALSE(Row.ReadOnly());
    EXPECT_EQ(Row.Buttons().Count(), Source.Buttons().Count());
}

class CheckBoxFilterRow : public ::testing::Test {
protected:
    CheckBoxFilterRow() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        pc::ResetMessageLoop();
        Source.SetDisplayChecked("Yes");
        Source.SetDisplayUnchecked("No");
        Source.SetValueChecked(Variant::String("on"));
        Source.SetValueUnchecked(Variant::String("off"));
        Source.SetIDefaultValuesProvider(&Provider);
        Form = &Owner->Own<pf::TForm>();
        Edit = &Form->Own<TcxComboBox>();
        Edit->SetParent(Form);
        Helper.InitializeEdit(*Edit, Source);
    }
    ~CheckBoxFilterRow() override {
        Owner.reset();
        pc::ProcessMessages();
        pc::ResetMessageLoop();
    }

    const TcxFilterCheckBoxHelper& Helper = TcxFilterCheckBoxHelper::ClassRef();
    TcxCheckBoxProperties Source{nullptr};
    TcxCustomEditDefaultValuesProvider Provider{nullptr};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TcxComboBox* Edit = nullptr;
};

TEST_F(CheckBoxFilterRow, PicksFromAFixedListOfTheDisplayTexts) {
    TcxCustomComboBoxProperties& Row = Edit->ActiveProperties();
    ASSERT_EQ(Row.Items().Count(), 2);
    EXPECT_EQ(Row.Items()[0], "Yes");
    EXPECT_EQ(Row.Items()[1], "No");
    EXPECT_EQ(Row.DropDownListStyle(), lsFixedList);
    EXPECT_EQ(Row.DefaultValuesProvider(), nullptr);
    EXPECT_FALSE(Row.ImmediateDropDown()) << "the combo box helper's preparation comes first";
}

TEST_F(CheckBoxFilterRow, ValuesTravelAsTheCheckBoxValuesAndNoPickIsNull) {
    struct Case {
        const char* Name;
        Variant Value;
        int ItemIndex;
        Variant Read;
        std::string Text;
    };
    const Case Cases[] = {
        {"checked", Variant::String("on"), 0, Variant::String("on"), "Yes"},
        {"unchecked", Variant::String("off"), 1, Variant::String("off"), "No"},
        {"grayed", Variant::Null(), -1, Variant::Null(), ""},
    };
    for (const Case& C : Cases) {
        Edit->SetItemIndex(C.ItemIndex == 0 ? 1 : 0);
        Helper.SetFilterValue(*Edit, Source, C.Value);
        EXPECT_EQ(Edit->ItemIndex(), C.ItemIndex) << C.Name;
        Variant Value = Variant::Integer(7);
        std::string Text = "stale";
        Helper.GetFilterValue(*Edit, Source, Value, Text);
        EXPECT_EQ(Value.IsNull(), C.Read.IsNull()) << C.Name;
        if (!C.Read.IsNull()) {
            EXPECT_EQ(Value.AsString(), C.Read.AsString()) << C.Name;
        }
        EXPECT_EQ(Text, C.Text) << C.Name;
    }
}

} // namespace
} // namespace toolkit::edit
