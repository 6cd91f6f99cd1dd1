#include "toolkit/edit/cx_filter_edit_helpers.h"

#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/edit_units.h"
#include "toolkit/edit/filter_control_strings.h"

#include "toolkit/base/resource_strings.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit::edit {
namespace {

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

struct OperatorCase {
    const char* Name;
    const TcxCustomFilterEditHelper* Helper;
    const char* Mask;
    TcxValueTypeClass ValueType;
    bool Extended;
    TcxFilterOperatorKinds Expected;
};

TEST(FilterEditHelpers, SupportedOperators) {
    const OperatorCase Cases[] = {
        {"text, no value type", &TcxFilterTextEditHelper::ClassRef(), "", nullptr, false,
         Ops({1, 2, 3, 4, 5, 6, 9, 10})},
        {"text, string", &TcxFilterTextEditHelper::ClassRef(), "", TcxStringValueTypeClass(), false,
         Ops({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"text, integer, extended", &TcxFilterTextEditHelper::ClassRef(), "",
         TcxIntegerValueTypeClass(), true, Ops({1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14})},
        {"mask without a mask, string", &TcxFilterMaskEditHelper::ClassRef(), "",
         TcxStringValueTypeClass(), false, Ops({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"mask with a mask, string, extended", &TcxFilterMaskEditHelper::ClassRef(), "00/00",
         TcxStringValueTypeClass(), true, Ops({1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14})},
        {"mask without a mask, no value type", &TcxFilterMaskEditHelper::ClassRef(), "", nullptr,
         false, Ops({1, 2, 3, 4, 5, 6, 9, 10})},
    };
    for (const OperatorCase& Case : Cases) {
        TcxMaskEditProperties Properties(nullptr);
        Properties.SetEditMask(Case.Mask);
        TcxFilterOperatorKinds Operators;
        Case.Helper->GetSupportedFilterOperators(Properties, Case.ValueType, Operators,
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

} // namespace
} // namespace toolkit::edit
