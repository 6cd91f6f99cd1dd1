#include "toolkit/edit/cx_edit_properties.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace toolkit::edit {
namespace {

struct CountedProperties {
    TcxCustomEditProperties Properties{nullptr};
    int Changes = 0;
    CountedProperties() {
        Properties.OnPropertiesChanged = [this](TcxCustomEditProperties*) { ++Changes; };
    }
};

class TestProvider : public TcxCustomEditDefaultValuesProvider {
public:
    TestProvider() : TcxCustomEditDefaultValuesProvider(nullptr) {}
    bool IsDataModifiable() override { return Modifiable; }
    bool AllowsEditing() override { return Editing; }
    bool DefaultReadOnly() override { return ReadOnly; }
    TAlignment DefaultAlignment() override { return platform::forms::taRightJustify; }
    double DefaultMaxValue() override { return 99.0; }
    bool Modifiable = true;
    bool Editing = true;
    bool ReadOnly = false;
};

TEST(EditPropertiesChanged, FoldsChangesUntilTheOutermostEndUpdate) {
    CountedProperties P;
    P.Properties.BeginUpdate();
    P.Properties.BeginUpdate();
    P.Properties.SetAutoSelect(false);
    P.Properties.SetTransparent(true);
    P.Properties.EndUpdate();
    EXPECT_EQ(P.Changes, 0);
    P.Properties.EndUpdate();
    EXPECT_EQ(P.Changes, 1);
}

TEST(EditPropertiesChanged, WithinUpdateReportsOnceAndEndsTheUpdateWhenItThrows) {
    CountedProperties P;
    P.Properties.WithinUpdate([&] {
        P.Properties.SetAutoSelect(false);
        P.Properties.SetTransparent(true);
        EXPECT_EQ(P.Properties.UpdateCount(), 1);
    });
    EXPECT_EQ(P.Changes, 1);
    const auto Failing = [&] {
        P.Properties.SetTransparent(false);
        throw std::runtime_error("copy failed");
    };
    EXPECT_THROW(P.Properties.WithinUpdate(Failing), std::runtime_error);
    EXPECT_EQ(P.Properties.UpdateCount(), 0);
    EXPECT_EQ(P.Changes, 2) << "what was set before the throw is reported";
}

TEST(EditPropertiesChanged, EndingWithoutNotifyingDropsThePendingChange) {
    CountedProperties P;
    P.Properties.BeginUpdate();
    P.Properties.SetAutoSelect(false);
    P.Properties.EndUpdate(false);
    EXPECT_EQ(P.Changes, 0);
    EXPECT_TRUE(P.Properties.ChangedOccurred());
    // A later update starts clean: nothing pending is reported at its end.
    P.Properties.BeginUpdate();
    EXPECT_FALSE(P.Properties.ChangedOccurred());
    P.Properties.EndUpdate();
    EXPECT_EQ(P.Changes, 0);
    // An EndUpdate without BeginUpdate does nothing.
    P.Properties.EndUpdate();
    EXPECT_EQ(P.Properties.UpdateCount(), 0);
    EXPECT_EQ(P.Changes, 0);
}

TEST(EditPropertiesChanged, LockedChangesAreOnlyRemembered) {
    CountedProperties P;
    P.Properties.SetChangedLocked(true);
    P.Properties.SetBeepOnError(true);
    P.Properties.SetButtonsViewStyle(bvsButtonsOnly);
    EXPECT_EQ(P.Changes, 0);
    EXPECT_TRUE(P.Properties.ChangedOccurred());
    P.Properties.SetChangedLocked(false);
    P.Properties.Buttons().Add();
    EXPECT_EQ(P.Changes, 1);
    EXPECT_FALSE(P.Properties.IsChanging());
}

TEST(EditPropertiesReadOnly, CanModifyWithAndWithoutAProvider) {
    struct Case {
        const char* Name;
        bool HasProvider;
        int AssignReadOnly; // -1: not assigned
        bool ProviderReadOnly, Modifiable, Editing;
        bool ReadOnly, CanModify;
    };
    const Case Cases[] = {
        {"fresh, no provider", false, -1, false, true, true, false, true},
        {"assigned read-only", false, 1, false, true, true, true, false},
        {"provider read-only", true, -1, true, true, true, true, false},
        {"provider data not modifiable", true, -1, false, false, true, false, false},
        {"provider not editing", true, -1, false, true, false, false, false},
        {"provider allows", true, -1, false, true, true, false, true},
        {"assigned false beats the provider", true, 0, true, false, false, false, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TestProvider Provider;
        Provider.ReadOnly = C.ProviderReadOnly;
        Provider.Modifiable = C.Modifiable;
        Provider.Editing = C.Editing;
        CountedProperties P;
        if (C.HasProvider) P.Properties.SetIDefaultValuesProvider(&Provider);
        if (C.AssignReadOnly >= 0) P.Properties.SetReadOnly(C.AssignReadOnly == 1);
        EXPECT_EQ(P.Properties.ReadOnly(), C.ReadOnly);
        EXPECT_EQ(P.Properties.CanModify(), C.CanModify);
    }
}

TEST(EditPropertiesReadOnly, SettingFalseOnFreshPropertiesAssignsIt) {
    CountedProperties P;
    P.Properties.SetReadOnly(false);
    EXPECT_TRUE(P.Properties.AssignedValues().ReadOnly());
    EXPECT_EQ(P.Changes, 1);
    P.Properties.SetReadOnly(false);
    EXPECT_EQ(P.Changes, 1);
}

TEST(EditPropertiesAssign, CopiesTheAssignedFlagsAndValues) {
    TestProvider Provider;
    TcxCustomEditProperties Source(nullptr);
    Source.SetIDefaultValuesProvider(&Provider);
    Source.SetReadOnly(true);
    Source.SetMinValue(0.0);
    Source.SetAutoSelect(false);
    Source.Buttons().Add().SetKind(bkEllipsis);
    int Validations = 0;
    Source.OnValidate = [&](platform::core::TObject*, Variant&, std::string&, bool&) {
        ++Validations;
    };
    Source.OnClosePopup = [](platform::core::TObject*, int) {};

    CountedProperties Dest;
    Dest.Properties.SetMaxValue(5.0);
    Dest.Changes = 0;
    Dest.Properties.Assign(&Source);
    EXPECT_EQ(Dest.Changes, 1);
    const TcxCustomEditPropertiesValues& Flags = Dest.Properties.AssignedValues();
    EXPECT_TRUE(Flags.ReadOnly());
    EXPECT_TRUE(Flags.MinValue());
    EXPECT_FALSE(Flags.MaxValue());
    EXPECT_TRUE(Dest.Properties.ReadOnly());
    // The provider came along: the unassigned maximum is the provider's.
    EXPECT_EQ(Dest.Properties.DefaultValuesProvider(), &Provider);
    EXPECT_EQ(Dest.Properties.MaxValue(), 99.0);
    EXPECT_FALSE(Dest.Properties.AutoSelect());
    ASSERT_EQ(Dest.Properties.Buttons().Count(), 1);
    EXPECT_EQ(Dest.Properties.Buttons().Items(0).Kind(), bkEllipsis);
    ASSERT_TRUE(Dest.Properties.OnValidate);
    EXPECT_FALSE(Dest.Properties.OnClosePopup);
}

TEST(EditPropertiesProvider, ADestroyedProviderDetachesItself) {
    CountedProperties P;
    {
        TestProvider Provider;
        P.Properties.SetIDefaultValuesProvider(&Provider);
        EXPECT_EQ(P.Properties.MaxValue(), 99.0);
        EXPECT_EQ(P.Properties.Alignment().Horz(), platform::forms::taRightJustify);
        EXPECT_FALSE(P.Properties.Alignment().IsHorzAssigned());
    }
    EXPECT_EQ(P.Properties.DefaultValuesProvider(), nullptr);
    EXPECT_EQ(P.Properties.MaxValue(), 0.0);
    EXPECT_EQ(P.Properties.Alignment().Horz(), platform::forms::taLeftJustify);
}

TEST(EditPropertiesAlignment, SettingThePublishedAlignmentIsAChange) {
    CountedProperties P;
    P.Properties.Alignment().SetHorz(platform::forms::taCenter);
    EXPECT_EQ(P.Changes, 1);
    EXPECT_TRUE(P.Properties.IsAlignmentStored());
    P.Properties.RestoreDefaults();
    EXPECT_FALSE(P.Properties.Alignment().IsHorzAssigned());
    EXPECT_FALSE(P.Properties.IsAlignmentStored());
}

TEST(EditPropertiesOperations, HotTrackingStartsWithTheFirstButton) {
    CountedProperties P;
    EXPECT_EQ(P.Properties.GetSupportedOperations(), 0u);
    P.Properties.Buttons().Add();
    EXPECT_EQ(P.Properties.GetSupportedOperations(), esoHotTrack);
}

class ValidatingEdit : public IcxEditValidation {
public:
    bool HasValidateHandlers() override { return Handler != nullptr; }
    void DoOnValidate(Variant& Value, std::string& Text, bool& Error) override {
        ++Runs;
        Handler(Value, Text, Error);
    }
    std::string GetValidationDisplayText() override { return "shown"; }
    std::function<void(Variant&, std::string&, bool&)> Handler;
    int Runs = 0;
};

class ValidatingProperties : public TcxCustomEditProperties {
public:
    using TcxCustomEditProperties::TcxCustomEditProperties;
    bool CanValidate() const override { return true; }
};

TEST(EditPropertiesValidate, AnErrorThatLeavesTheValueShowsTheCurrentText) {
    ValidatingProperties P(nullptr);
    ValidatingEdit Edit;
    Edit.Handler = [](Variant&, std::string&, bool& Error) { Error = true; };
    Variant Value = Variant::String("typed");
    std::string ErrorText;
    bool Error = false;
    P.ValidateDisplayValue(Value, ErrorText, Error, &Edit);
    EXPECT_EQ(Edit.Runs, 1);
    EXPECT_TRUE(Error);
    EXPECT_EQ(ErrorText, "Invalid input value. Use escape key to abandon changes");
    EXPECT_EQ(Value.AsString(), "shown");

    Edit.Handler = [](Variant& V, std::string&, bool& Error) {
        V = Variant::String("fixed");
        Error = true;
    };
    Value = Variant::String("typed");
    bool Changed = false;
    P.DoValidate(Value, ErrorText, Changed, &Edit, Error);
    EXPECT_TRUE(Changed);
    EXPECT_EQ(Value.AsString(), "fixed");
}

} // namespace
} // namespace toolkit::edit
