#include "toolkit/edit/cx_check_box.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_check_box_view.h"
#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/editor_registrations.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/actions.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

// ---- properties ----

TEST(CheckBoxPropertiesTest, ValuesMapToStatesAndTexts) {
    TcxCheckBoxProperties P(nullptr);
    EXPECT_EQ(P.GetState(Variant::Boolean(true)), cbsChecked);
    EXPECT_EQ(P.GetState(Variant::Boolean(false)), cbsUnchecked);
    EXPECT_EQ(P.GetState(Variant::Null()), cbsGrayed);
    // A value that matches none of the three shows grayed and is not valid.
    Variant Other = Variant::String("maybe");
    EXPECT_EQ(P.GetState(Other), cbsGrayed);
    EXPECT_FALSE(P.IsEditValueValid(Other, false));
    EXPECT_EQ(P.GetDisplayText(Variant::Boolean(true)), "True");
    EXPECT_EQ(P.GetDisplayText(Variant::Boolean(false)), "False");
    EXPECT_EQ(P.GetDisplayText(Other), "");
    EXPECT_EQ(P.GetSupportedOperations(), 1453u);
    EXPECT_TRUE(P.IsActivationKey(' '));
    EXPECT_FALSE(P.IsActivationKey('x'));
}

TEST(CheckBoxPropertiesTest, CollidingValueTriplesAreRefused) {
    struct Case {
        Variant Checked, Grayed, Unchecked;
        bool Accepted;
    };
    const Case Cases[] = {
        {Variant::Integer(1), Variant::Integer(2), Variant::Integer(0), true},
        {Variant::Integer(1), Variant::Integer(1), Variant::Integer(0), false},
        {Variant::Integer(1), Variant::Integer(2), Variant::Integer(1), false},
        {Variant::Null(), Variant::Integer(2), Variant::Integer(0), false},
        {Variant::Integer(1), Variant::Integer(2), Variant::Null(), false},
        // Of another type, the same number is another value.
        {Variant::String("1"), Variant::Null(), Variant::Integer(1), true},
    };
    for (const Case& C : Cases) {
        TcxCheckBoxProperties P(nullptr);
        int Changes = 0;
        P.OnPropertiesChanged = [&](TcxCustomEditProperties*) { ++Changes; };
        EXPECT_EQ(P.SetValues(C.Checked, C.Grayed, C.Unchecked), C.Accepted);
        EXPECT_EQ(Changes, C.Accepted ? 1 : 0);
        if (!C.Accepted) {
            EXPECT_EQ(P.ValueChecked().VarType(), Variant::Boolean(true).VarType());
        }
    }
    TcxCheckBoxProperties P(nullptr);
    P.SetValueChecked(Variant::Boolean(false)); // would equal ValueUnchecked
    EXPECT_TRUE(P.ValueChecked().AsBoolean());
}

TEST(CheckBoxPropertiesTest, GlyphIndexByStateButtonAndCount) {
    struct Case {
        TcxCheckBoxState State;
        TcxCheckButtonState Button;
        int Count, Expected;
    };
    const Case Cases[] = {
        {cbsUnchecked, ecsNormal, 6, 0},  {cbsChecked, ecsNormal, 6, 1},
        {cbsGrayed, ecsNormal, 6, 2},     {cbsChecked, ecsPressed, 6, 4},
        {cbsGrayed, ecsPressed, 6, 5},    {cbsChecked, ecsPressed, 4, 3},
        {cbsUnchecked, ecsPressed, 4, 2}, {cbsChecked, ecsPressed, 3, 1},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(cxCheckBoxGlyphIndex(C.State, C.Button, C.Count), C.Expected)
            << C.State << " " << int(C.Button) << " " << C.Count;
}

TEST(CheckBoxPropertiesTest, TheUnitRegistersThePropertiesAndMakesTheMask) {
    InitializeCheckBoxUnit();
    EXPECT_GE(GetRegisteredEditProperties().IndexOf(&TcxCheckBoxProperties::ClassRef()), 0);
    ASSERT_NE(cxCheckBoxMaskBitmap(), pg::HBITMAP{});
    FinalizeCheckBoxUnit();
}

// ---- the editor ----

class CheckBoxTest : public ::testing::Test {
protected:
    CheckBoxTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Box = &Form->Own<TcxCheckBox>();
        Box->SetParent(Form);
        Box->SetBoundsRect({10, 10, 130, 31});
        Box->SetCaption("Option");
        Box->OnClick = [this](pc::TObject*) { ++Clicks; };
        Box->Properties().OnChange = [this](pc::TObject*) { ++Changes; };
        Form->Show();
        Box->HandleNeeded();
        pc::ProcessMessages();
    }
    ~CheckBoxTest() override { test::FreeTestForm(Owner); }
    pw::TPoint CheckCentre() {
        const TRect R = Box->CheckBoxViewInfo().CheckBoxRect;
        return Box->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TcxCheckBox* Box = nullptr;
    int Clicks = 0, Changes = 0;
    testsupport::InputDriver Input;
};

TEST_F(CheckBoxTest, StartsUncheckedAtItsDefaultWidth) {
    auto& Fresh = Form->Own<TcxCheckBox>();
    EXPECT_EQ(Fresh.State(), cbsUnchecked);
    EXPECT_EQ(Fresh.Width(), 121);
    EXPECT_FALSE(Fresh.EditValue().AsBoolean());
}

TEST_F(CheckBoxTest, ToggleCyclesWithAndWithoutGrayed) {
    struct Case {
        bool AllowGrayed;
        TcxCheckBoxState From, To;
    };
    const Case Cases[] = {
        {false, cbsUnchecked, cbsChecked}, {false, cbsChecked, cbsUnchecked},
        {false, cbsGrayed, cbsChecked},    {true, cbsUnchecked, cbsGrayed},
        {true, cbsGrayed, cbsChecked},     {true, cbsChecked, cbsUnchecked},
    };
    for (const Case& C : Cases) {
        Box->Properties().SetAllowGrayed(C.AllowGrayed);
        Box->SetState(C.From);
        ASSERT_EQ(Box->State(), C.From);
        Clicks = Changes = 0;
        Box->Toggle();
        EXPECT_EQ(Box->State(), C.To) << C.AllowGrayed << " " << C.From;
        EXPECT_EQ(Clicks, 1);
        EXPECT_EQ(Changes, 1);
    }
}

TEST_F(CheckBoxTest, AnUnmatchedValueShowsGrayedAndTogglesToChecked) {
    Box->SetEditValue(Variant::String("neither"));
    EXPECT_EQ(Box->State(), cbsGrayed);
    Box->Toggle();
    EXPECT_EQ(Box->State(), cbsChecked);
    EXPECT_TRUE(Box->EditValue().AsBoolean());
}

TEST_F(CheckBoxTest, SettingTheSameStateFiresNothing) {
    Box->SetState(cbsChecked);
    Clicks = Changes = 0;
    int ValueChanges = 0;
    Box->Properties().OnEditValueChanged = [&](pc::TObject*) { ++ValueChanges; };
    Box->SetState(cbsChecked);
    Box->SetChecked(true);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(ValueChanges, 0);
}

TEST_F(CheckBoxTest, AClickAndSpaceToggle) {
    Input.Click(CheckCentre());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->State(), cbsChecked);
    EXPECT_EQ(Clicks, 1);
    // While Space is held the check shows pressed; its release toggles.
    Box->SetFocus();
    testsupport::PumpUntilIdle();
    Input.HoldKey(pw::VK_SPACE);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->CheckBoxViewInfo().CheckButtonState, ecsPressed);
    EXPECT_EQ(Box->State(), cbsChecked);
    Input.ReleaseKey(pw::VK_SPACE);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->State(), cbsUnchecked);
    Box->Properties().SetAllowGrayed(true);
    Input.TypeKey(pw::VK_SPACE);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->State(), cbsGrayed);
    Input.Click(CheckCentre());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->State(), cbsChecked);
}

// Linked to an action, the box shows the action's Checked without firing its own events, and
// a click runs the action; a state the action gives is not stored.
TEST_F(CheckBoxTest, AnActionGivesItsCheckedStateAndRunsOnAClick) {
    auto& Action = Form->Own<pf::TCustomAction>();
    Action.SetCaption("From the action");
    Action.SetChecked(true);
    int Runs = 0;
    Action.SetOnExecute([&](pc::TObject*) { ++Runs; });
    Clicks = Changes = 0;
    Box->SetAction(&Action);
    EXPECT_EQ(Box->Caption(), "From the action");
    EXPECT_EQ(Box->State(), cbsChecked);
    EXPECT_FALSE(Box->IsStateStored());
    Action.SetChecked(false);
    EXPECT_EQ(Box->State(), cbsUnchecked);
    EXPECT_FALSE(Box->IsStateStored());
    EXPECT_EQ(Changes, 0);

    Input.Click(CheckCentre());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->State(), cbsChecked);
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Box->IsStateStored());
    // The box shows its own state now: the action's next value passes it by; once the two
    // agree again the box follows.
    Action.SetChecked(true);
    Action.SetChecked(false);
    EXPECT_EQ(Box->State(), cbsUnchecked);
    // A grayed box shows no checked state of the action's.
    Box->SetState(cbsGrayed);
    Action.SetChecked(true);
    EXPECT_EQ(Box->State(), cbsGrayed);
    EXPECT_TRUE(Box->IsStateStored());

    Box->SetAction(nullptr);
    EXPECT_EQ(Box->Action(), nullptr);
    EXPECT_TRUE(Box->IsStateStored());
}

TEST_F(CheckBoxTest, TheCaptionsAcceleratorFocusesAndToggles) {
    Box->SetCaption("&Option");
    auto& Other = Form->Own<TcxCheckBox>();
    Other.SetParent(Form);
    Other.SetBoundsRect({10, 40, 130, 61});
    Other.SetCaption("&Second");
    Other.SetFocus();
    testsupport::PumpUntilIdle();
    ASSERT_FALSE(Box->Focused());
    const auto AltKey = [&](int Key, const char* Text) {
        Input.HoldKey(pw::VK_MENU);
        Input.TypeKey(Key, Text);
        Input.ReleaseKey(pw::VK_MENU);
        testsupport::PumpUntilIdle();
    };
    AltKey('O', "o");
    EXPECT_TRUE(Box->Focused());
    EXPECT_EQ(Box->State(), cbsChecked);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Other.State(), cbsUnchecked);
    // Another letter belongs to no caption here.
    AltKey('Z', "z");
    EXPECT_EQ(Box->State(), cbsChecked);
    // A disabled box is not offered the character.
    Box->SetEnabled(false);
    AltKey('O', "o");
    EXPECT_EQ(Box->State(), cbsChecked);
}

// The size is measured with the check box's own view info, which its view data fills.
TEST_F(CheckBoxTest, AutoSizeTakesTheCheckAndCaptionHeight) {
    Box->SetAutoSize(false);
    Box->SetHeight(60);
    Box->SetAutoSize(true);
    testsupport::PumpUntilIdle();
    EXPECT_LT(Box->Height(), 60);
    EXPECT_GE(Box->Height(), Box->CheckBoxViewInfo().CheckSize.cy + 4);
}

// Auto-sized, a multi-line check box is as tall as its caption wrapped in its text area; a
// single-line one keeps one row.
TEST_F(CheckBoxTest, AnAutoSizedMultiLineBoxIsAsTallAsItsWrappedCaption) {
    const auto AutoSize = [this](bool MultiLine) {
        Box->Properties().SetMultiLine(MultiLine);
        Box->SetAutoSize(false);
        Box->SetAutoSize(true);
        testsupport::PumpUntilIdle();
        return Box->Height();
    };
    Box->SetCaption("one two three four five six seven eight nine ten");
    const int OneRow = AutoSize(false);
    const int Wrapped = AutoSize(true);
    ASSERT_EQ(Box->Width(), 120);
    const TRect Text = Box->CheckBoxViewInfo().TextRect;
    TcxCanvas& Canvas = toolkit::base::cxScreenCanvas();
    Canvas.SetFont(Box->Style().GetVisibleFont());
    TRect Caption{0, 0, Text.Right - Text.Left, 0};
    Canvas.TextExtent(Box->Caption(), Caption, toolkit::base::cxWordBreak);
    const int RowHeight = Canvas.TextHeight("Zg");
    EXPECT_GE(Caption.Bottom - Caption.Top, 3 * RowHeight);
    EXPECT_GE(Text.Bottom - Text.Top, Caption.Bottom - Caption.Top);
    EXPECT_GE(Wrapped, OneRow + 2 * RowHeight);
    EXPECT_EQ(AutoSize(false), OneRow);
    // Turning MultiLine on sizes an auto-sized box again.
    Box->Properties().SetMultiLine(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->Height(), Wrapped);
}

TEST_F(CheckBoxTest, APressReleasedOutsideDoesNotToggle) {
    Input.Press(CheckCentre());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->CheckBoxViewInfo().CheckButtonState, ecsPressed);
    const pw::TPoint Away = Box->ClientToScreen({200, 100});
    Input.MoveTo(Away);
    Input.Release(Away);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->State(), cbsUnchecked);
}

TEST_F(CheckBoxTest, ReadOnlyRefusesTheUser) {
    Box->Properties().SetReadOnly(true);
    Input.Click(CheckCentre());
    Box->SetFocus();
    testsupport::PumpUntilIdle();
    Input.TypeKey(pw::VK_SPACE);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Box->State(), cbsUnchecked);
    EXPECT_EQ(Clicks, 0);
    // The program may still set it.
    Box->SetChecked(true);
    EXPECT_EQ(Box->State(), cbsChecked);
}

// Paints the box in each state and style into one surface; the check's pixels tell the state.
TEST_F(CheckBoxTest, PixelsOfEachStateAndStyle) {
    ClassicColors Colors;
    const TcxContainerBorderStyle Styles[] = {cbsNone, cbs3D, cbsUltraFlat};
    const TcxCheckBoxState States[] = {cbsUnchecked, cbsChecked, cbsGrayed};
    const int W = 120, H = 21;
    TestSurface S(3 * (W + 8) + 8, 3 * (H + 8) + 8, pg::RGB(255, 255, 255));
    toolkit::base::TcxCanvas Canvas(&S.Canvas());
    TRect Checks[3][3];
    for (int Row = 0; Row < 3; ++Row) {
        Box->Style().SetBorderStyle(Styles[Row]);
        for (int Column = 0; Column < 3; ++Column) {
            Box->SetState(States[Column]);
            Box->ShortRefreshContainer(false);
            TcxCustomCheckBoxViewInfo& V = Box->CheckBoxViewInfo();
            V.Offset(8 + Column * (W + 8), 8 + Row * (H + 8));
            Checks[Row][Column] = V.CheckBoxRect;
            V.Paint(Canvas);
        }
    }
    // Each state draws its check differently: the pixels of two states' checks differ.
    auto Differing = [&](const TRect& A, const TRect& B) {
        int N = 0;
        for (int Y = 0; Y < A.Bottom - A.Top; ++Y)
            for (int X = 0; X < A.Right - A.Left; ++X)
                N += S.At(A.Left + X, A.Top + Y) != S.At(B.Left + X, B.Top + Y);
        return N;
    };
    for (int Row = 0; Row < 3; ++Row) {
        EXPECT_FALSE(pg::IsRectEmpty(Checks[Row][0])) << Row;
        EXPECT_GT(Differing(Checks[Row][0], Checks[Row][1]), 5) << Row;
        EXPECT_GT(Differing(Checks[Row][1], Checks[Row][2]), 5) << Row;
        EXPECT_GT(Differing(Checks[Row][0], Checks[Row][2]), 5) << Row;
    }
    // Unchecked, the check's middle is the window's colour.
    const TRect& U = Checks[0][0];
    EXPECT_EQ(S.At((U.Left + U.Right) / 2, (U.Top + U.Bottom) / 2), pg::ColorToRGB(pg::clWindow));
    testsupport::TempFolder Folder("quintaron-check-box-");
    EXPECT_TRUE(S.Pixels().SavePng(Folder.PathOf("check-boxes.png")));
}

} // namespace
} // namespace toolkit::edit
