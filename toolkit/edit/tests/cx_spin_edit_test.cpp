#include "toolkit/edit/cx_spin_edit.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/editor_registrations.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/filer.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();

// ---- the stepping rules, without an editor ----

struct IntStepCase {
    std::int64_t Value, Inc, Min, Max;
    bool Up, Wrap;
    std::optional<std::int64_t> Expected;
};

TEST(SpinStepTest, IntegerStepsClampWrapAndRefuse) {
    const IntStepCase Cases[] = {
        {9, 1, 0, 9, true, false, 9},    // clamp at the top
        {9, 1, 0, 9, true, true, 0},     // wrap past the top
        {0, -1, 0, 9, false, true, 9},   // wrap past the bottom
        {0, -1, 0, 9, false, false, 0},  // clamp at the bottom
        {4, 2, 0, 9, true, false, 6},    // inside the range
        {20, -1, 0, 9, false, false, 9}, // above the range, stepping down
        {20, 1, 0, 9, true, false, {}},  // above the range, stepping away: refused
        {20, 1, 0, 9, true, true, 0},    // ... or wrapped
        {-5, -1, 0, 9, false, true, 9},  // below the range, down and circular
        {2, -15, 0, 9, false, true, 7},  // the formula leaves the range: reduced modulo 10
        {8, 25, 0, 9, true, true, 3},    // the same above
        {Int64Max - 5, 10, Int64Min, Int64Max, true, false, Int64Max},
        {Int64Min + 3, -10, Int64Min, Int64Max, false, true, Int64Max - 6},
    };
    for (const IntStepCase& C : Cases)
        EXPECT_EQ(cxSpinStep(C.Value, C.Inc, C.Min, C.Max, C.Up, C.Wrap), C.Expected)
            << C.Value << " by " << C.Inc << " in " << C.Min << ".." << C.Max;
}

TEST(SpinStepTest, FloatWrappingStaysInRange) {
    // The formula gives 1.5 here: reduced modulo the span it is 0.5.
    EXPECT_EQ(cxSpinStep(0.0, -0.5, 0.0, 1.0, false, true), std::optional(0.5));
    EXPECT_EQ(cxSpinStep(0.0, -0.5, 0.0, 1.0, false, false), std::optional(0.0));
    EXPECT_EQ(cxSpinStep(0.25, 0.5, 0.0, 1.0, true, true), std::optional(0.75));
    // A wide range keeps the formula.
    EXPECT_EQ(cxSpinStep(0.0, -1.0, 0.0, 9.0, false, true), std::optional(9.0));
}

TEST(SpinStepTest, ConversionsToInt64RoundHalvesToEvenAndSaturate) {
    const std::pair<double, std::int64_t> Cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {1e300, Int64Max},
        {-1e300, Int64Min},
        {9223372036854775808.0, Int64Max},
        {-9223372036854775808.0, Int64Min},
        {0.0 / 0.0, 0},
    };
    for (const auto& [In, Out] : Cases)
        EXPECT_EQ(cxSpinDoubleToInt64(In), Out) << In;
}

// ---- the properties ----

TEST(SpinEditPropertiesTest, DefaultsAndButtonCount) {
    TcxSpinEditProperties P(nullptr);
    EXPECT_EQ(P.ValueType(), vtFloat);
    EXPECT_EQ(P.Increment(), 1.0);
    EXPECT_EQ(P.LargeIncrement(), 10.0);
    EXPECT_TRUE(P.CanEdit());
    EXPECT_EQ(P.Buttons().Count(), 2);
    P.SpinButtons().SetShowFastButtons(true);
    EXPECT_EQ(P.Buttons().Count(), 4);
    P.SpinButtons().SetVisible(false);
    EXPECT_EQ(P.Buttons().Count(), 0);
    EXPECT_EQ(P.GetBoundBehaviour(), sbbClamp);
    P.SetCircular(true);
    EXPECT_EQ(P.GetBoundBehaviour(), sbbWrap);
}

TEST(SpinEditPropertiesTest, AssignCopiesTheSpinValues) {
    TcxSpinEditProperties Source(nullptr);
    Source.SetValueType(vtInt);
    Source.SetIncrement(0);
    Source.SetLargeIncrement(5);
    Source.SetCircular(true);
    Source.SetCanEdit(false);
    Source.SpinButtons().SetPosition(sbpHorzLeftRight);
    TcxSpinEditProperties Target(nullptr);
    Target.Assign(&Source);
    EXPECT_EQ(Target.ValueType(), vtInt);
    EXPECT_TRUE(Target.AssignedValues().ValueType());
    EXPECT_EQ(Target.Increment(), 0);
    EXPECT_TRUE(Target.IsIncrementStored());
    EXPECT_EQ(Target.LargeIncrement(), 5);
    EXPECT_TRUE(Target.Circular());
    EXPECT_FALSE(Target.CanEdit());
    EXPECT_EQ(Target.SpinButtons().Position(), sbpHorzLeftRight);
}

TEST(SpinEditPropertiesTest, TheSpinEditIsRegistered) {
    InitializeSpinEditUnit();
    EXPECT_GE(GetRegisteredEditProperties().IndexOf(&TcxSpinEditProperties::ClassRef()), 0);
    FinalizeSpinEditUnit();
}

// ---- the editor ----

class SpinEditTest : public ::testing::Test {
protected:
    SpinEditTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Edit = &Form->Own<TcxSpinEdit>();
        Edit->SetParent(Form);
        Edit->SetBoundsRect({10, 10, 130, 31});
        Form->Show();
        Edit->HandleNeeded();
        pc::ProcessMessages();
    }
    ~SpinEditTest() override { test::FreeTestForm(Owner); }
    void Focus() {
        Edit->SetFocus();
        testsupport::PumpUntilIdle();
    }
    // Puts the focus in another control on the form, made on first use.
    pf::TEdit& FocusElsewhere() {
        if (!Other) {
            Other = &Form->Own<pf::TEdit>();
            Other->SetParent(Form);
            Other->SetBoundsRect({10, 100, 110, 121});
        }
        Other->SetFocus();
        testsupport::PumpUntilIdle();
        return *Other;
    }
    void Bounds(double Min, double Max) {
        Edit->Properties().SetMinValue(Min);
        Edit->Properties().SetMaxValue(Max);
    }
    // The spin button's centre on the screen.
    pw::TPoint ButtonCentre(int SpinIndex) {
        for (const TcxEditButtonViewInfo& B : Edit->EditViewInfo().ButtonsInfo)
            if (B.Index == SpinIndex) {
                const pg::TPoint Client{(B.Bounds.Left + B.Bounds.Right) / 2,
                                        (B.Bounds.Top + B.Bounds.Bottom) / 2};
                return Edit->ClientToScreen(Client);
            }
        ADD_FAILURE() << "no spin button " << SpinIndex;
        return {};
    }
    double Value() { return Edit->Value().AsDouble(); }
    void Wait(int Ms) { pc::RunFor(Clock, pc::Millis(Ms)); }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    // A '.' decimal separator, whatever the machine's locale.
    pc::FormatSettingsOverride Pinned{pc::TFormatSettings{}};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TcxSpinEdit* Edit = nullptr;
    pf::TEdit* Other = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(SpinEditTest, DefaultStepsAreOneAndTen) {
    Focus();
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Value(), 1);
    EXPECT_EQ(Edit->Text(), "1");
    Input.TypeKey(pw::VK_PRIOR);
    EXPECT_EQ(Value(), 11);
    Input.TypeKey(pw::VK_NEXT);
    Input.TypeKey(pw::VK_DOWN);
    Input.TypeKey(pw::VK_DOWN);
    EXPECT_EQ(Value(), -1);
    EXPECT_TRUE(Edit->ModifiedAfterEnter());
}

TEST_F(SpinEditTest, IntegerIncrementsRoundHalvesToEven) {
    Edit->Properties().SetValueType(vtInt);
    Focus();
    for (const auto& [Inc, Step] : {std::pair{2.5, 2}, std::pair{3.5, 4}}) {
        Edit->SetValue(Variant::Int64(0));
        Edit->Properties().SetIncrement(Inc);
        Input.TypeKey(pw::VK_UP);
        EXPECT_EQ(Edit->Value().AsInt64(), Step) << Inc;
    }
}

TEST_F(SpinEditTest, ClampsAndWrapsAtTheBounds) {
    Edit->Properties().SetValueType(vtInt);
    Bounds(0, 9);
    Focus();
    Edit->SetValue(Variant::Int64(9));
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Edit->Value().AsInt64(), 9);
    Edit->Properties().SetCircular(true);
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Edit->Value().AsInt64(), 0);
    Input.TypeKey(pw::VK_DOWN);
    EXPECT_EQ(Edit->Value().AsInt64(), 9);
    // A large step that the formula would carry out of the range.
    Edit->SetValue(Variant::Int64(2));
    Edit->Properties().SetLargeIncrement(15);
    Input.TypeKey(pw::VK_NEXT);
    EXPECT_EQ(Edit->Value().AsInt64(), 7);
}

TEST_F(SpinEditTest, FloatWrapByHalfStaysInRange) {
    Bounds(0, 1);
    Edit->Properties().SetCircular(true);
    Edit->Properties().SetIncrement(0.5);
    Focus();
    Input.TypeKey(pw::VK_DOWN);
    EXPECT_EQ(Value(), 0.5);
}

TEST_F(SpinEditTest, NearTheInt64TopStepsStopThere) {
    Edit->Properties().SetValueType(vtInt);
    Focus();
    Edit->SetValue(Variant::Int64(Int64Max - 3));
    Input.TypeKey(pw::VK_PRIOR);
    EXPECT_EQ(Edit->Value().AsInt64(), Int64Max);
}

TEST_F(SpinEditTest, HeldButtonRepeatsAfter400ThenEvery100Ms) {
    Focus();
    Input.MoveTo(ButtonCentre(1));
    Input.Press(ButtonCentre(1));
    EXPECT_EQ(Value(), 1) << "one step at once";
    EXPECT_EQ(Edit->PressedSpinButton(), 2);
    Wait(399);
    EXPECT_EQ(Value(), 1);
    Wait(1);
    EXPECT_EQ(Value(), 2) << "at 400 ms";
    Wait(100);
    EXPECT_EQ(Value(), 3) << "at 500 ms";
    Wait(100);
    EXPECT_EQ(Value(), 4) << "at 600 ms";
    Input.Release(ButtonCentre(1));
    EXPECT_EQ(Edit->PressedSpinButton(), 0);
    EXPECT_EQ(Edit->RepeatTimer(), nullptr);
    Wait(500);
    EXPECT_EQ(Value(), 4);
    Input.Click(ButtonCentre(0));
    EXPECT_EQ(Value(), 3);
}

// A key spin while the mouse holds a button takes the capture from the editor; the key's
// release ends the repeating.
TEST_F(SpinEditTest, KeySpinReleasesTheMouseCapture) {
    Focus();
    Input.MoveTo(ButtonCentre(1));
    Input.Press(ButtonCentre(1));
    ASSERT_EQ(pw::GetCapture(), Edit->Handle());
    EXPECT_EQ(Value(), 1);
    Input.HoldKey(pw::VK_UP);
    EXPECT_EQ(Value(), 2);
    EXPECT_NE(pw::GetCapture(), Edit->Handle());
    Input.ReleaseKey(pw::VK_UP);
    EXPECT_EQ(Edit->PressedSpinButton(), 0);
    EXPECT_EQ(Edit->RepeatTimer(), nullptr);
    Wait(500);
    Input.Release(ButtonCentre(1));
    EXPECT_EQ(Value(), 2);
}

// Answers the required-value query as told.
class TRequiringProvider : public TcxCustomEditDefaultValuesProvider {
public:
    TRequiringProvider() : TcxCustomEditDefaultValuesProvider(nullptr) {}
    bool IsValueRequired() override { return Required; }
    bool Required = false;
};

TEST_F(SpinEditTest, EmptyTextIsNoValueUnlessOneIsRequired) {
    struct Case {
        bool Provider, Required, Bounded;
        std::optional<double> Expected;
    };
    const Case Cases[] = {
        {false, false, false, std::nullopt},
        {true, false, true, std::nullopt},
        {true, true, false, 0.0},
        {true, true, true, 5.0}, // 0 clamped into 5..9
    };
    for (const Case& C : Cases) {
        TRequiringProvider Provider;
        Provider.Required = C.Required;
        Edit->Properties().SetIDefaultValuesProvider(C.Provider ? &Provider : nullptr);
        Edit->Properties().AssignedValues().RestoreDefaults();
        if (C.Bounded) Bounds(5, 9);
        const Variant V = Edit->TextToValue("", false);
        if (C.Expected)
            EXPECT_EQ(V.AsDouble(), *C.Expected) << C.Required << C.Bounded;
        else
            EXPECT_TRUE(V.IsNull()) << C.Provider << C.Required;
        Edit->Properties().SetIDefaultValuesProvider(nullptr);
    }
}

TEST_F(SpinEditTest, UseCtrlIncrementSpinsOnlyWithCtrl) {
    Edit->Properties().SetUseCtrlIncrement(true);
    Focus();
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Value(), 0);
    Input.HoldKey(pw::VK_CONTROL);
    Input.TypeKey(pw::VK_UP);
    Input.ReleaseKey(pw::VK_CONTROL);
    EXPECT_EQ(Value(), 1);
}

TEST_F(SpinEditTest, TypingIsFilteredAndParsed) {
    Focus();
    Edit->SelectAll();
    for (char C : std::string("1x,5"))
        Input.TypeKey(0, QString(QChar(C)));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "1.5") << "x refused, the comma typed as the decimal separator";
    EXPECT_TRUE(Edit->IsTextTyped());
    EXPECT_EQ(Value(), 1.5);
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Value(), 2.5);
}

TEST_F(SpinEditTest, ACommaLocaleTypesParsesAndShowsItsSeparator) {
    pc::TFormatSettings Comma;
    Comma.DecimalSeparator = ',';
    Comma.ThousandSeparator = '.';
    pc::FormatSettingsOverride Local{Comma};
    Focus();
    Edit->SelectAll();
    for (char C : std::string("2.25"))
        Input.TypeKey(0, QString(QChar(C)));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "2,25") << "the point typed as the locale's separator";
    EXPECT_EQ(Value(), 2.25);
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Edit->Text(), "3,25");
    EXPECT_EQ(Value(), 3.25);
    const std::pair<const char*, double> Texts[] = {
        {"1,5", 1.5},
        {"+0,5", 0.5},
        {"-2,5e1", -25},
        {"7", 7},
        // A point is not this locale's separator: the text is corrected to the value.
        {"1.5", 3.25}};
    for (const auto& [Text, Expected] : Texts)
        EXPECT_EQ(Edit->TextToValue(Text, false).AsDouble(), Expected) << Text;
    Edit->SetValue(Variant::Double(-0.125));
    EXPECT_EQ(Edit->Text(), "-0,125");
}

// The display format shows while the editor is unfocused; the plain value is edited, unless
// the display format is asked for when editing too.
TEST_F(SpinEditTest, TheDisplayFormatShowsUnfocusedAndThePlainValueFocused) {
    pf::TEdit& Elsewhere = FocusElsewhere();
    Edit->Properties().SetDisplayFormat("0.00");
    Edit->SetValue(Variant::Double(3));
    EXPECT_EQ(Edit->Text(), "3.00");
    Focus();
    EXPECT_EQ(Edit->Text(), "3");
    Edit->SelectAll();
    for (char C : std::string("2.5"))
        Input.TypeKey(0, QString(QChar(C)));
    EXPECT_EQ(Edit->Text(), "2.5");
    Input.TypeKey(pw::VK_TAB);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(pw::GetFocus(), Elsewhere.Handle());
    EXPECT_EQ(Edit->Text(), "2.50") << "the typed value leaves in the display format";
    EXPECT_EQ(Value(), 2.5);
    Focus();
    EXPECT_EQ(Edit->Text(), "2.5");
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Edit->Text(), "3.5") << "a spin shows the plain value while focused";
    Input.TypeKey(pw::VK_TAB);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(pw::GetFocus(), Elsewhere.Handle());
    EXPECT_EQ(Edit->Text(), "3.50");
    EXPECT_EQ(Value(), 3.5);
    Edit->SetValue(Variant::Double(-1.255));
    EXPECT_EQ(Edit->Text(), "-1.26");

    Edit->Properties().SetUseDisplayFormatWhenEditing(true);
    Focus();
    EXPECT_EQ(Edit->Text(), "-1.26");
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Edit->Text(), "-0.26");
    EXPECT_DOUBLE_EQ(Value(), -0.255);
}

TEST_F(SpinEditTest, AnIntegerBeingEditedKeepsAllItsDigits) {
    Edit->Properties().SetValueType(vtInt);
    Edit->Properties().SetDisplayFormat("#,##0");
    FocusElsewhere();
    Edit->SetValue(Variant::Int64(12345678901234567));
    EXPECT_EQ(Edit->Text(), "12,345,678,901,234,600") << "formats take 15 digits";
    Focus();
    EXPECT_EQ(Edit->Text(), "12345678901234567");
    EXPECT_EQ(Edit->Value().AsInt64(), 12345678901234567);
}

TEST_F(SpinEditTest, CanEditFalseRefusesDigitsButSpins) {
    Edit->Properties().SetCanEdit(false);
    Focus();
    Input.TypeKey(0, "7");
    EXPECT_EQ(Edit->Text(), "0");
    Input.TypeKey(pw::VK_UP);
    EXPECT_EQ(Value(), 1);
}

TEST_F(SpinEditTest, WheelSpins) {
    Focus();
    Input.Wheel(Edit->ClientToScreen({20, 10}), 120);
    EXPECT_EQ(Value(), 1);
    Input.Wheel(Edit->ClientToScreen({20, 10}), -240);
    EXPECT_LE(Value(), 0);
}

TEST_F(SpinEditTest, InvalidInputRaisesWhenAsked) {
    Edit->Properties().SetExceptionOnInvalidInput(true);
    EXPECT_THROW(Edit->TextToValue("abc", true), EcxEditError);
    Edit->Properties().SetExceptionOnInvalidInput(false);
    EXPECT_EQ(Edit->TextToValue("abc", true).AsDouble(), 0);
    Edit->Properties().OnGetValue = [](pc::TObject*, const std::string&, Variant& V, std::string&,
                                       bool& Error) {
        V = Variant::Double(42);
        Error = false;
    };
    EXPECT_EQ(Edit->TextToValue("abc", true).AsDouble(), 42);
}

// Leaving the editor validates the typed text as the editor reads it: text that does not parse
// gives back the value it had, or, when exceptions are asked for, is reported with "Invalid
// numeric value" and keeps the focus. A handler may read the text its own way.
TEST_F(SpinEditTest, LeavingWithUnparsableTextKeepsTheValueOrReportsIt) {
    struct Case {
        bool Exceptions;
        bool Handler;
        const char* Reported;
        const char* Text;
        double Value;
    };
    const Case Cases[] = {
        {false, false, nullptr, "7", 7},
        {true, false, "Invalid numeric value", "1e", 7},
        {false, true, nullptr, "42", 42},
        {true, true, nullptr, "42", 42},
    };
    pf::TEdit& Elsewhere = FocusElsewhere();
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Exceptions ? "exceptions" : "corrected") +
                     (C.Handler ? ", handler" : ""));
        Edit->Properties().SetExceptionOnInvalidInput(C.Exceptions);
        Edit->Properties().OnGetValue = nullptr;
        if (C.Handler)
            Edit->Properties().OnGetValue = [](pc::TObject*, const std::string&, Variant& V,
                                               std::string&, bool& Error) {
                V = Variant::Double(42);
                Error = false;
            };
        Edit->SetValue(Variant::Double(7));
        std::vector<std::string> Reported;
        test::CollectReportedErrors(Reported);
        Focus();
        Edit->SelectAll();
        for (char Ch : std::string("1e"))
            Input.TypeKey(0, QString(QChar(Ch)));
        ASSERT_EQ(Edit->Text(), "1e");
        Input.TypeKey(pw::VK_TAB, "\t");
        testsupport::PumpUntilIdle();
        pf::Application().OnException = nullptr;
        if (C.Reported) {
            EXPECT_EQ(Reported, std::vector<std::string>{C.Reported});
            EXPECT_TRUE(Edit->IsContainerFocused());
            EXPECT_EQ(Edit->Text(), C.Text);
            Input.TypeKey(pw::VK_ESCAPE, QString(QChar(27)));
            FocusElsewhere();
        } else {
            EXPECT_TRUE(Reported.empty());
            EXPECT_EQ(pw::GetFocus(), Elsewhere.Handle());
            EXPECT_EQ(Edit->Text(), C.Text);
        }
        EXPECT_EQ(Value(), C.Value);
    }
}

// A zero increment is streamed as "ZeroIncrement" / "ZeroLargeIncrement", as the increments
// themselves are stored only when they differ from 1 and 10; an ancestor with the same zero
// leaves them out.
TEST(SpinEditPropertiesTest, ZeroIncrementsSurviveStreaming) {
    // Writes against an ancestor, as a descendant form does.
    class TAncestorWriter : public pc::TWriter {
    public:
        TAncestorWriter(pc::TStream& Stream, const pc::TPersistent* Ancestor) : TWriter(Stream) {
            FAncestor = Ancestor;
        }
    };
    struct Case {
        double Increment, LargeIncrement;
        bool WithAncestor;
        double AncestorIncrement;
        double ReadIncrement, ReadLargeIncrement;
    };
    const Case Cases[] = {
        {0, 10, false, 0, 0, 10}, {1, 0, false, 0, 1, 0},  {0, 0, false, 0, 0, 0},
        {2, 5, false, 0, 1, 10},  {0, 10, true, 0, 1, 10}, {0, 10, true, 3, 0, 10},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::to_string(C.Increment) + " " + std::to_string(C.LargeIncrement) +
                     (C.WithAncestor ? " ancestor " + std::to_string(C.AncestorIncrement) : ""));
        TcxSpinEditProperties Written(nullptr);
        Written.SetIncrement(C.Increment);
        Written.SetLargeIncrement(C.LargeIncrement);
        TcxSpinEditProperties Ancestor(nullptr);
        Ancestor.SetIncrement(C.AncestorIncrement);
        pc::TMemoryStream Stream;
        {
            TAncestorWriter Writer(Stream, C.WithAncestor ? &Ancestor : nullptr);
            Writer.WriteProperties(Written);
            Writer.WriteListEnd();
        }
        Stream.SetPosition(0);
        TcxSpinEditProperties Read(nullptr);
        pc::TReader Reader(Stream);
        Reader.ReadProperties(Read);
        EXPECT_EQ(Read.Increment(), C.ReadIncrement);
        EXPECT_EQ(Read.LargeIncrement(), C.ReadLargeIncrement);
    }
}

// Without the native look a spin button is 4 arrow sizes less 3 wide (an odd width), a fast
// button half as wide again, rounded; the stacked pair takes the default button width.
TEST_F(SpinEditTest, ButtonWidths) {
    auto Width = [](const TcxEditButtonViewInfo& B) { return B.Bounds.Right - B.Bounds.Left; };
    Edit->Properties().SpinButtons().SetShowFastButtons(true);
    Edit->Properties().SpinButtons().SetPosition(sbpHorzRight);
    testsupport::PumpUntilIdle();
    const auto& Buttons = Edit->EditViewInfo().ButtonsInfo;
    ASSERT_EQ(Buttons.size(), 4u);
    const int W = Width(Buttons[0]);
    EXPECT_EQ((W + 3) % 4, 0) << W;
    EXPECT_EQ(Width(Buttons[1]), W);
    EXPECT_EQ(Width(Buttons[2]), (3 * W + 1) / 2);
    EXPECT_EQ(Width(Buttons[3]), (3 * W + 1) / 2);
    Edit->Properties().SpinButtons().SetPosition(sbpVert);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Width(Buttons[0]), pg::GetSystemMetrics(pg::SM_CXVSCROLL));
    EXPECT_EQ(Buttons[0].Bounds.Left, Buttons[1].Bounds.Left);
    EXPECT_EQ(Buttons[1].Bounds.Bottom, Buttons[0].Bounds.Top);
}

TEST(SpinEditViewTest, NativePartsAndSeparatorFollowThePosition) {
    struct Case {
        TcxSpinEditButtonsPosition Position;
        int Count;
        int Parts[4];
    };
    const Case Parts[] = {{sbpVert, 2, {2, 1, 0, 0}},
                          {sbpHorzRight, 2, {4, 3, 0, 0}},
                          {sbpHorzLeftRight, 4, {4, 3, 4, 3}},
                          {sbpVert, 4, {2, 1, 4, 3}}};
    for (const Case& C : Parts)
        for (int I = 0; I < 4; ++I)
            EXPECT_EQ(cxSpinButtonNativePart(C.Position, I, C.Count), C.Parts[I])
                << "position " << int(C.Position) << ", button " << I;

    // Down (0) below up (1) in one column, or left of it.
    TcxSpinEditViewInfo V;
    V.SetButtonCount(2);
    V.ButtonsInfo[0].Index = 0;
    V.ButtonsInfo[1].Index = 1;
    V.Bounds = {0, 0, 100, 21};
    const std::tuple<TcxSpinEditButtonsPosition, bool, pg::TRect, pg::TRect> Separators[] = {
        {sbpVert, true, {83, 10, 100, 19}, {83, 10, 100, 11}},
        {sbpHorzRight, true, {66, 2, 83, 19}, {66, 2, 67, 19}},
        {sbpHorzLeftRight, true, {2, 2, 19, 19}, {}},
        {sbpVert, false, {83, 10, 100, 19}, {}}};
    for (const auto& [Position, Native, Down, Expected] : Separators) {
        V.Position = Position;
        V.NativeStyle = Native;
        V.ButtonsInfo[0].Bounds = Down;
        EXPECT_EQ(V.NativeSeparatorRect(), Expected) << int(Position) << " native " << Native;
    }
}

TEST_F(SpinEditTest, TheViewInfoRecordsTheHeldButtonWhichLocksTheOthers) {
    Focus();
    auto& V = dynamic_cast<TcxSpinEditViewInfo&>(Edit->EditViewInfo());
    EXPECT_GE(V.ArrowSize, 2);
    Input.HoldKey(pw::VK_UP);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(V.PressedSpinButton, 2);
    EXPECT_EQ(V.ButtonsInfo[1].State, ebsPressed);
    // The mouse cannot press the other button while the key holds this one.
    Input.MoveTo(ButtonCentre(0));
    Input.Press(ButtonCentre(0));
    testsupport::PumpUntilIdle();
    EXPECT_NE(V.ButtonsInfo[0].State, ebsPressed);
    Input.Release(ButtonCentre(0));
    EXPECT_EQ(Value(), 1);
    Input.ReleaseKey(pw::VK_UP);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(V.PressedSpinButton, 0);
}

TEST_F(SpinEditTest, ButtonsKeepTheirSidesAndStayInsideTheEditor) {
    Edit->Properties().SpinButtons().SetShowFastButtons(true);
    Edit->Properties().SpinButtons().SetPosition(sbpHorzLeftRight);
    testsupport::PumpUntilIdle();
    const auto& Buttons = Edit->EditViewInfo().ButtonsInfo;
    ASSERT_EQ(Buttons.size(), 4u);
    for (const TcxEditButtonViewInfo& B : Buttons) {
        EXPECT_EQ(B.LeftAlignment, B.Index % 2 == 0) << B.Index;
        EXPECT_EQ(B.NativePart, 0) << "no native look here";
    }
    EXPECT_TRUE(Buttons[2].LeftEnd) << "the fast down button is the leftmost";
    EXPECT_LT(Buttons[0].Bounds.Right, Buttons[1].Bounds.Left);
    // Too narrow for its buttons: each shows only what lies within the editor.
    Edit->SetBounds(10, 10, 30, 21);
    testsupport::PumpUntilIdle();
    const pg::TRect Editor = Edit->EditViewInfo().Bounds;
    for (const TcxEditButtonViewInfo& B : Edit->EditViewInfo().ButtonsInfo) {
        pg::TRect Inside;
        if (pg::IsRectEmpty(B.VisibleBounds)) continue;
        EXPECT_TRUE(pg::IntersectRect(Inside, B.VisibleBounds, Editor) && Inside == B.VisibleBounds)
            << B.Index;
    }
}

// The bounding box of the dark pixels (the arrow) inside a button, its frame left out.
pg::TRect ArrowBox(const QImage& Image, const pg::TRect& Button) {
    pg::TRect Box{Button.Right, Button.Bottom, Button.Left, Button.Top};
    for (int Y = Button.Top + 3; Y < Button.Bottom - 3; ++Y)
        for (int X = Button.Left + 3; X < Button.Right - 3; ++X)
            if (qGray(Image.pixel(X, Y)) < 64) {
                Box.Left = std::min(Box.Left, X);
                Box.Top = std::min(Box.Top, Y);
                Box.Right = std::max(Box.Right, X + 1);
                Box.Bottom = std::max(Box.Bottom, Y + 1);
            }
    return Box;
}

// The arrows point up and down, wider at their base; a held button draws its arrow a pixel
// right and down.
TEST_F(SpinEditTest, PictureShowsArrowsAndThePressedButton) {
    Edit->SetBounds(10, 10, 120, 40);
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Folder("quintaron-spin-pixels-");
    auto Snapshot = [&](const std::string& Name) {
        const std::string Png = Folder.PathOf(Name);
        EXPECT_TRUE(testsupport::SaveWindowPng(Edit->Handle(), Png));
        return QImage(QString::fromStdString(Png));
    };
    const pg::TRect Up = Edit->EditViewInfo().ButtonsInfo[1].Bounds;
    const pg::TRect Down = Edit->EditViewInfo().ButtonsInfo[0].Bounds;
    const QImage Normal = Snapshot("normal.png");
    ASSERT_FALSE(Normal.isNull());
    auto RowWidth = [](const QImage& Image, const pg::TRect& Box, int Y) {
        int N = 0;
        for (int X = Box.Left; X < Box.Right; ++X)
            N += qGray(Image.pixel(X, Y)) < 64;
        return N;
    };
    const pg::TRect UpArrow = ArrowBox(Normal, Up), DownArrow = ArrowBox(Normal, Down);
    ASSERT_LT(UpArrow.Left, UpArrow.Right) << "no arrow in the up button";
    ASSERT_LT(DownArrow.Left, DownArrow.Right) << "no arrow in the down button";
    EXPECT_LT(RowWidth(Normal, UpArrow, UpArrow.Top),
              RowWidth(Normal, UpArrow, UpArrow.Bottom - 1));
    EXPECT_GT(RowWidth(Normal, DownArrow, DownArrow.Top),
              RowWidth(Normal, DownArrow, DownArrow.Bottom - 1));

    Input.MoveTo(ButtonCentre(0));
    Input.Press(ButtonCentre(0));
    testsupport::PumpUntilIdle();
    const QImage Pressed = Snapshot("pressed.png");
    const pg::TRect Held = ArrowBox(Pressed, Down);
    EXPECT_EQ(Held.Left, DownArrow.Left + 1);
    EXPECT_EQ(Held.Top, DownArrow.Top + 1);
    EXPECT_NE(Pressed.pixel(Down.Left, Down.Top), Normal.pixel(Down.Left, Down.Top))
        << "the pressed frame";
    EXPECT_EQ(ArrowBox(Pressed, Up).Left, UpArrow.Left) << "the other button stays up";
    Input.Release(ButtonCentre(0));
}

// Stacked buttons share the line between them: the lower one's face starts right under the
// upper one's bottom line, and in the flat styles that row belongs to the hot button.
TEST_F(SpinEditTest, StackedButtonsShareOneLine) {
    Edit->SetBounds(10, 10, 120, 40);
    testsupport::TempFolder Folder("quintaron-spin-stacked-");
    auto Snapshot = [&](const std::string& Name) {
        testsupport::PumpUntilIdle();
        const std::string Png = Folder.PathOf(Name);
        EXPECT_TRUE(testsupport::SaveWindowPng(Edit->Handle(), Png));
        return QImage(QString::fromStdString(Png));
    };
    auto At = [](const QImage& Image, int X, int Y) {
        const QRgb P = Image.pixel(X, Y);
        return pg::RGB(qRed(P), qGreen(P), qBlue(P));
    };
    const pg::COLORREF Shadow = pg::ColorToRGB(pg::clBtnShadow);
    const pg::COLORREF Face = pg::ColorToRGB(pg::clBtnFace);

    static_cast<TcxCustomEditStyle&>(Edit->Style()).SetButtonStyle(btsHotFlat);
    QImage Image = Snapshot("hot-flat.png");
    ASSERT_FALSE(Image.isNull());
    const pg::TRect Up = Edit->EditViewInfo().ButtonsInfo[1].Bounds;
    const pg::TRect Down = Edit->EditViewInfo().ButtonsInfo[0].Bounds;
    ASSERT_EQ(Up.Bottom, Down.Top);
    // Beside the arrows, at the column's second pixel.
    const int X = Up.Left + 2;
    EXPECT_EQ(At(Image, X, Up.Bottom - 1), Shadow) << "the shared line";
    EXPECT_EQ(At(Image, X, Down.Top), Face) << "no second line under it";
    EXPECT_EQ(At(Image, X, Up.Bottom - 2), Face);
    EXPECT_EQ(At(Image, Up.Left, (Up.Top + Up.Bottom) / 2), Shadow) << "the upper's left edge";
    EXPECT_EQ(At(Image, Down.Left, (Down.Top + Down.Bottom) / 2), Shadow);

    // Within the editor's border a hot ultra-flat button draws no line across: the shared row
    // takes the hot button's face, not the other's ring.
    static_cast<TcxCustomEditStyle&>(Edit->Style()).SetButtonStyle(btsUltraFlat);
    for (const int Hot : {0, 1}) {
        Input.MoveTo(ButtonCentre(Hot));
        Image = Snapshot(Hot ? "ultra-flat-upper.png" : "ultra-flat-lower.png");
        const int HotRow = Hot == 0 ? Down.Top : Up.Bottom - 2;
        const int OtherRow = Hot == 0 ? Up.Bottom - 2 : Down.Top;
        EXPECT_EQ(At(Image, X, Up.Bottom - 1), At(Image, X, HotRow)) << "hot " << Hot;
        EXPECT_NE(At(Image, X, Up.Bottom - 1), At(Image, X, OtherRow)) << "hot " << Hot;
    }
}

TEST_F(SpinEditTest, PictureOfSpinEdits) {
    auto& Fast = Form->Own<TcxSpinEdit>();
    Fast.SetParent(Form);
    Fast.SetBoundsRect({10, 40, 160, 61});
    Fast.Properties().SpinButtons().SetShowFastButtons(true);
    Fast.Properties().SpinButtons().SetPosition(sbpHorzLeftRight);
    Fast.SetValue(Variant::Double(12.5));
    Edit->SetValue(Variant::Double(3));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Fast.EditViewInfo().ButtonCount(), 4);
    testsupport::TempFolder Folder("quintaron-spin-edit-");
    const std::string Png = Folder.PathOf("spin-edits.png");
    ASSERT_TRUE(testsupport::SaveWindowPng(Form->Handle(), Png));
    EXPECT_FALSE(QImage(QString::fromStdString(Png)).isNull());
}

} // namespace
} // namespace toolkit::edit
