#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_mask_edit_modes.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/reg_expr_errors.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/message_beep.h"
#include "platform/win/monitors.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

pc::TFormatSettings SlashDates() {
    pc::TFormatSettings Settings;
    Settings.DateSeparator = '/';
    return Settings;
}

class MaskEditTest : public ::testing::Test {
protected:
    MaskEditTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Edit = MakeEdit(10);
        Other = MakeEdit(40);
        Form->Show();
        pc::ProcessMessages();
    }
    ~MaskEditTest() override {
        pf::Application().OnException = nullptr;
        test::FreeTestForm(Owner);
    }
    TcxMaskEdit* MakeEdit(int Top) {
        auto* E = &Form->Own<TcxMaskEdit>();
        E->SetParent(Form);
        E->SetBoundsRect({10, Top, 170, Top + 21});
        E->HandleNeeded();
        return E;
    }
    void Masked(TcxEditMaskKind Kind, const std::string& Mask) {
        Edit->Properties().SetMaskKind(Kind);
        Edit->Properties().SetEditMask(Mask);
        Edit->SetFocus();
        testsupport::PumpUntilIdle();
    }
    // Typed as a user types, "\b" a Backspace.
    void Type(const std::string& Chars) {
        for (char C : Chars) {
            if (C == '\b')
                Input.TypeKey(pw::VK_BACK, QStringLiteral("\b"));
            else
                Input.TypeKey(C, QString(QChar(C)));
        }
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    pc::FormatSettingsOverride Pinned{SlashDates()};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TcxMaskEdit* Edit = nullptr;
    TcxMaskEdit* Other = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(MaskEditTest, StandardMaskSkipsTheSeparatorAndDeleteWithoutSelectionKeepsTheText) {
    Masked(emkStandard, "00/00");
    EXPECT_EQ(Edit->Text(), "__/__");
    Type("12");
    EXPECT_EQ(Edit->Text(), "12/__");
    EXPECT_EQ(Edit->SelStart(), 3);
    Type("34");
    EXPECT_EQ(Edit->Text(), "12/34");
    ASSERT_EQ(Edit->SelLength(), 0);
    Input.TypeKey(pw::VK_DELETE);
    EXPECT_EQ(Edit->Text(), "12/34");
    Type("\b");
    EXPECT_EQ(Edit->Text(), "12/3_");
    EXPECT_EQ(Edit->EditValue().AsString(), "12/3 ");
}

// A user selects across the separator and presses Delete: the digits go, the separator stays.
TEST_F(MaskEditTest, StandardMaskDeleteOverASelectionKeepsTheSeparator) {
    Masked(emkStandard, "00/00");
    Type("1234");
    ASSERT_EQ(Edit->Text(), "12/34");
    // From the second digit over the separator to the third: "2/3" (the block cursor already
    // covers the second digit, and each Shift+Right takes one more character).
    Input.TypeKey(pw::VK_HOME);
    Input.TypeKey(pw::VK_RIGHT);
    Input.HoldKey(pw::VK_SHIFT);
    for (int I = 0; I < 2; ++I)
        Input.TypeKey(pw::VK_RIGHT);
    Input.ReleaseKey(pw::VK_SHIFT);
    ASSERT_EQ(Edit->SelStart(), 1);
    ASSERT_EQ(Edit->SelLength(), 3);
    Input.TypeKey(pw::VK_DELETE);
    EXPECT_EQ(Edit->Text(), "1_/_4");
    EXPECT_EQ(Edit->EditValue().AsString(), "1 / 4");
}

TEST_F(MaskEditTest, RegularExpressionRefusesALetterWithABeep) {
    Edit->Properties().SetBeepOnError(true);
    Masked(emkRegExpr, "\\d+");
    const int Beeps = pw::MessageBeepCount();
    Type("1a2");
    EXPECT_EQ(Edit->Text(), "12");
    EXPECT_EQ(pw::MessageBeepCount(), Beeps + 1);
    Type("\b");
    EXPECT_EQ(Edit->Text(), "1");
    EXPECT_EQ(Edit->EditValue().AsString(), "1");
}

TEST_F(MaskEditTest, ExtendedModeTypesTheForcedSeparatorAndBackspaceStepsOverIt) {
    Masked(emkRegExprEx, "(\\d\\d)-(\\d\\d)");
    Type("12");
    EXPECT_EQ(Edit->Text(), "12-");
    Type("\b");
    EXPECT_EQ(Edit->Text(), "1");
    Type("234");
    EXPECT_EQ(Edit->Text(), "12-34");
}

TEST_F(MaskEditTest, TheEmptyValueOfAForcedPrefixIsThePrefix) {
    Masked(emkRegExprEx, "'ID'\\d+");
    EXPECT_EQ(Edit->Properties().EmptyString(), "ID");
    EXPECT_EQ(Edit->Text(), "ID");
    Type("7");
    EXPECT_EQ(Edit->Text(), "ID7");
}

TEST_F(MaskEditTest, TheSetterRefusesAnInvalidMaskAndKeepsTheOldOne) {
    Edit->Properties().SetMaskKind(emkRegExpr);
    Edit->Properties().SetEditMask("\\d+");
    EXPECT_THROW(Edit->Properties().SetEditMask("(\\d"), EcxRegExprError);
    EXPECT_EQ(Edit->Properties().EditMask(), "\\d+");
}

TEST_F(MaskEditTest, AnInvalidValueOnExitGivesTheMaskMessage) {
    Masked(emkStandard, "00/00");
    Type("1234");
    EXPECT_TRUE(Edit->ValidateEdit(true));
    Type("\b");
    try {
        Edit->ValidateEdit(true);
        ADD_FAILURE() << "validated " << Edit->Text();
    } catch (const EcxEditValidationError& E) {
        EXPECT_EQ(std::string(E.what()), "The edit value is invalid");
    }
}

TEST_F(MaskEditTest, LeavingWithTabValidatesOnceAndShowsTheUnfocusedText) {
    struct Case {
        const char* Mask;
        const char* Unfocused;
    } Cases[] = {{"00/00", "12/34"}, {"00/00;0", "1234"}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Mask);
        Other->SetFocus();
        testsupport::PumpUntilIdle();
        Edit->SetEditValue(Variant::Null());
        Masked(emkStandard, C.Mask);
        int Validations = 0, Exits = 0;
        Edit->Properties().OnValidate = [&](pc::TObject*, Variant&, std::string&, bool&) {
            ++Validations;
        };
        Edit->OnExit = [&](pc::TObject*) { ++Exits; };
        Type("1234");
        EXPECT_EQ(Edit->Text(), "12/34");
        Input.TypeKey(pw::VK_TAB, "\t");
        testsupport::PumpUntilIdle();
        EXPECT_TRUE(Other->IsContainerFocused());
        EXPECT_EQ(Validations, 1);
        EXPECT_EQ(Exits, 1);
        EXPECT_EQ(Edit->Text(), C.Unfocused);
        Edit->Properties().OnValidate = nullptr;
        Edit->OnExit = nullptr;
    }
}

// The editor base's failure handling: the editor takes the focus back, selects its text and
// reports the mask's message once; it is not left, so OnExit does not fire.
TEST_F(MaskEditTest, LeavingWithAnIncompleteValueReportsItAndKeepsTheFocus) {
    Masked(emkStandard, "00/00");
    Type("12");
    std::vector<std::string> Reported;
    test::CollectReportedErrors(Reported);
    int Exits = 0, Enters = 0;
    Edit->OnExit = [&](pc::TObject*) { ++Exits; };
    Edit->OnEnter = [&](pc::TObject*) { ++Enters; };
    Input.TypeKey(pw::VK_TAB, "\t");
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Reported, std::vector<std::string>{"The edit value is invalid"});
    EXPECT_TRUE(Edit->IsContainerFocused());
    EXPECT_FALSE(Other->IsContainerFocused());
    EXPECT_EQ(Exits, 0);
    EXPECT_EQ(Enters, 0) << "taking the focus back is no new entering";
    EXPECT_EQ(Edit->Text(), "12/__");
    EXPECT_EQ(Edit->SelLength(), 5);
    // Escape gives the value of entering back, and the editor may be left.
    Input.TypeKey(pw::VK_ESCAPE, QString(QChar(27)));
    Input.TypeKey(pw::VK_TAB, "\t");
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Other->IsContainerFocused());
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(Reported.size(), 1u);
    Edit->OnExit = nullptr;
    Edit->OnEnter = nullptr;
}

TEST_F(MaskEditTest, UnfocusedStandardMaskShowsTheValueWithoutBlanks) {
    Other->SetFocus();
    testsupport::PumpUntilIdle();
    Edit->Properties().SetEditMask("00-00;0");
    Edit->SetEditValue(Variant::String("12"));
    EXPECT_EQ(Edit->Text(), "12");
    Edit->Properties().SetAlwaysShowBlanksAndLiterals(true);
    Edit->SetEditValue(Variant::String("12"));
    EXPECT_EQ(Edit->Text(), "12-__");
}

TEST_F(MaskEditTest, ABlankMaskIsATextEditAndUpperCaseForcesCaseInsensitivity) {
    Masked(emkStandard, "   ");
    EXPECT_FALSE(Edit->IsMaskInForce());
    Type("ab");
    EXPECT_EQ(Edit->Text(), "ab");
    Edit->Properties().SetCharCase(pf::ecUpperCase);
    Edit->Properties().SetCaseInsensitive(false);
    EXPECT_TRUE(Edit->Properties().CaseInsensitive());
}

// The mask decides the length: setting one lifts a maximum length set before, so that it does
// not come back to cut the text when the mask is taken away again.
TEST_F(MaskEditTest, SettingAMaskLiftsTheMaximumLength) {
    const std::pair<TcxEditMaskKind, const char*> Masks[] = {{emkStandard, "cccccc"},
                                                             {emkRegExpr, "\\d+"}};
    for (const auto& [Kind, Mask] : Masks) {
        SCOPED_TRACE(Mask);
        Edit->Properties().SetEditMask("");
        Edit->Properties().SetMaxLength(3);
        Masked(Kind, Mask);
        EXPECT_EQ(Edit->Properties().MaxLength(), 0);
        Edit->Properties().SetEditMask("");
        Edit->SetEditValue(Variant::String(""));
        Edit->SetFocus();
        Type("12345");
        EXPECT_EQ(Edit->Text(), "12345");
    }
}

TEST_F(MaskEditTest, PasteGoesThroughTheMode) {
    Masked(emkStandard, "00/00");
    pf::Clipboard().SetAsText("1234");
    Input.HoldKey(pw::VK_CONTROL);
    Input.TypeKey('V', QString(QChar(0x16)));
    Input.ReleaseKey(pw::VK_CONTROL);
    EXPECT_EQ(Edit->Text(), "12/34");
}

TEST_F(MaskEditTest, ACutOfNothingLeavesTheText) {
    Masked(emkRegExpr, "\\d+");
    Type("12");
    ASSERT_EQ(Edit->SelLength(), 0);
    pf::Clipboard().SetAsText("x");
    Input.HoldKey(pw::VK_CONTROL);
    Input.TypeKey('X', QString(QChar(0x18)));
    Input.ReleaseKey(pw::VK_CONTROL);
    EXPECT_EQ(Edit->Text(), "12");
    EXPECT_EQ(pf::Clipboard().AsText(), "x");
    EXPECT_EQ(static_cast<TcxMaskEditRegExprMode*>(Edit->Mode())->Head(), "12");
}

TEST_F(MaskEditTest, CtrlLeftAndRightGoToTheEnds) {
    Masked(emkRegExprEx, "\\d+");
    Type("123");
    Input.HoldKey(pw::VK_CONTROL);
    Input.TypeKey(pw::VK_LEFT);
    Input.ReleaseKey(pw::VK_CONTROL);
    EXPECT_EQ(Edit->SelStart(), 0);
    Type("9");
    EXPECT_EQ(Edit->Text(), "9123");
    Input.HoldKey(pw::VK_CONTROL);
    Input.TypeKey(pw::VK_RIGHT);
    Input.ReleaseKey(pw::VK_CONTROL);
    EXPECT_EQ(Edit->SelStart(), 4);
}

TEST_F(MaskEditTest, WindowTextIsTheMaskedText) {
    Masked(emkStandard, "00/00");
    Type("12");
    ASSERT_EQ(Edit->Text(), "12/__");
    char Buffer[16] = {};
    pc::SendMessage(Edit->Handle(), pw::WM_GETTEXT, sizeof Buffer,
                    reinterpret_cast<pc::LPARAM>(Buffer));
    EXPECT_EQ(std::string(Buffer), Edit->MaskedText());
    EXPECT_EQ(pc::SendMessage(Edit->Handle(), pw::WM_GETTEXTLENGTH, 0, 0),
              static_cast<pc::LRESULT>(Edit->MaskedText().size()));
    EXPECT_EQ(
        pc::SendMessage(Edit->Handle(), pw::WM_SETTEXT, 0, reinterpret_cast<pc::LPARAM>("34/56")),
        1);
    EXPECT_EQ(Edit->EditValue().AsString(), Edit->MaskedText());
    EXPECT_EQ(Edit->Text(), "34/56");
}

TEST_F(MaskEditTest, WindowTextWithoutLiteralsIsLaidIntoTheMask) {
    // The value of a mask that does not save its literals comes without them; the focused edit
    // shows it in the template, the unfocused one shows the value as it is.
    Edit->Properties().SetEditMask("00/00;0");
    ASSERT_TRUE(Edit->IsContainerFocused());
    struct Case {
        const char* Given;
        const char* Focused;
        const char* Value;
    } Cases[] = {{"3456", "34/56", "3456"}, {"34/56", "34/56", "3456"}, {"12", "12/__", "12  "}};
    for (const Case& C : Cases) {
        pc::SendMessage(Edit->Handle(), pw::WM_SETTEXT, 0, reinterpret_cast<pc::LPARAM>(C.Given));
        EXPECT_EQ(Edit->Text(), C.Focused) << C.Given;
        EXPECT_EQ(Edit->EditValue().AsString(), C.Value) << C.Given;
        EXPECT_EQ(Edit->MaskedText(), C.Value) << C.Given;
    }
    Type("7");
    EXPECT_EQ(Edit->Text(), "72/__");
    // Complete, so that the focus may leave.
    Type("234");
    EXPECT_EQ(Edit->Text(), "72/34");
    Other->SetFocus();
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Other->IsContainerFocused());
    pc::SendMessage(Edit->Handle(), pw::WM_SETTEXT, 0, reinterpret_cast<pc::LPARAM>("3456"));
    EXPECT_EQ(Edit->Text(), "3456");
    EXPECT_EQ(Edit->EditValue().AsString(), "3456");
}

TEST_F(MaskEditTest, ExtendedModeTypesOverASelectionThatTookTheForcedPrefix) {
    Masked(emkRegExprEx, "'ID'\\d+");
    Type("42");
    ASSERT_EQ(Edit->Text(), "ID42");
    Edit->SelectAll();
    Type("7");
    EXPECT_EQ(Edit->Text(), "ID7");
    EXPECT_EQ(Edit->SelStart(), 3);
}

// Whether Text is what the mask lets the edit hold while it is being typed: the template with
// each variable position blank or filled with what the position takes, or a text every
// character of which the expression accepts in turn.
::testing::AssertionResult IsPartialForm(TcxMaskEditCustomMode& Mode, const std::string& Text) {
    if (auto* Standard = dynamic_cast<TcxMaskEditStandardMode*>(&Mode)) {
        const TcxStandardMask& Mask = Standard->StandardMask;
        if (static_cast<int>(Text.size()) != Mask.Count())
            return ::testing::AssertionFailure() << "not the template's length";
        for (int I = 0; I < Mask.Count(); ++I) {
            const auto& Item = Mask.Items(I);
            char Ch = Text[static_cast<std::size_t>(I)];
            const bool Literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(&Item) != nullptr;
            if (!Literal && Ch == Mask.BlankChar) continue;
            if (!Item.Check(Ch) || Ch != Text[static_cast<std::size_t>(I)])
                return ::testing::AssertionFailure() << "position " << I << " does not fit";
        }
        return ::testing::AssertionSuccess();
    }
    TcxRegExpr Fresh;
    Fresh.CaseInsensitive = true;
    std::istringstream Stream(Mode.Mask());
    Fresh.Compile(&Stream);
    for (std::size_t I = 0; I < Text.size(); ++I) {
        char Ch = Text[I];
        if (!Fresh.Next(Ch))
            return ::testing::AssertionFailure() << "the expression refuses position " << I;
    }
    return ::testing::AssertionSuccess();
}

// Seeded random keys as a user gives them, through the edit's own key handling: whatever they
// do, the text stays a partial form of the mask, the selection within the text, the edit value
// the masked text, a regular-expression mode's Head and Tail in step with the text, and Escape
// brings back the value the edit had on entering.
TEST_F(MaskEditTest, RandomKeysKeepTheTextAPartialFormOfTheMask) {
    struct Case {
        TcxEditMaskKind Kind;
        const char* Mask;
        const char* OnEnter;
    } Cases[] = {
        {emkStandard, "00/00", "12/34"},      {emkStandard, "(999)aaa-LL;0", "12 ab9CD"},
        {emkStandard, "!99:99;1;*", "1:2"},   {emkRegExpr, "\\d+", "42"},
        {emkRegExpr, "[a-c]+x?\\d*", "abx1"}, {emkRegExprEx, "(\\d\\d)-(\\d\\d)", "12-34"},
        {emkRegExprEx, "'ID'\\d+", "ID7"},    {emkRegExprEx, "\\d(-\\d)*x?", "1-2"},
    };
    const std::string Chars = "0123abcdx-ID :";
    const std::string Clips[] = {"12", "a-b", "ID9", "3:4x"};
    std::mt19937 Random(3614);
    for (const Case& C : Cases) {
        // A mask changed under the user's hands counts as their change, and an incomplete one
        // would keep the focus when it leaves.
        Other->SetFocus();
        testsupport::PumpUntilIdle();
        Edit->Properties().SetMaskKind(C.Kind);
        Edit->Properties().SetEditMask(C.Mask);
        for (int Run = 0; Run < 4; ++Run) {
            Other->SetFocus();
            testsupport::PumpUntilIdle();
            ASSERT_TRUE(Other->IsContainerFocused()) << C.Mask << " kept the focus";
            Edit->SetEditValue(Variant::String(C.OnEnter));
            const std::string ValueOnEnter = Edit->EditValue().AsString();
            Edit->SetFocus();
            testsupport::PumpUntilIdle();
            const std::string TextOnEnter = Edit->Text();
            std::string Log = std::string(C.Mask) + ": ";
            bool Typed = false;
            for (int Step = 0; Step < 20; ++Step) {
                const bool Shift = Random() % 3 == 0;
                auto Keyed = [&](int Vk, const char* Name) {
                    if (Shift) Input.HoldKey(pw::VK_SHIFT);
                    Input.TypeKey(Vk);
                    if (Shift) Input.ReleaseKey(pw::VK_SHIFT);
                    Log += Shift ? std::string("<S-") + Name + ">" : std::string("<") + Name + ">";
                };
                switch (Random() % 11) {
                case 0:
                case 1:
                case 2: {
                    const char Ch = Chars[Random() % Chars.size()];
                    Type(std::string(1, Ch));
                    Log += Ch;
                    break;
                }
                case 3:
                    Type("\b");
                    Log += "<BS>";
                    break;
                case 4:
                    Keyed(pw::VK_DELETE, "Del");
                    break;
                case 5:
                    Keyed(pw::VK_LEFT, "L");
                    break;
                case 6:
                    Keyed(pw::VK_RIGHT, "R");
                    break;
                case 7:
                    Keyed(pw::VK_HOME, "Home");
                    break;
                case 8:
                    Keyed(pw::VK_END, "End");
                    break;
                case 9: {
                    const std::string& Clip = Clips[Random() % 4];
                    pf::Clipboard().SetAsText(Clip);
                    Input.HoldKey(pw::VK_CONTROL);
                    Input.TypeKey('V', QString(QChar(0x16)));
                    Input.ReleaseKey(pw::VK_CONTROL);
                    Log += "<Paste " + Clip + ">";
                    break;
                }
                default:
                    Input.HoldKey(pw::VK_CONTROL);
                    Input.TypeKey('X', QString(QChar(0x18)));
                    Input.ReleaseKey(pw::VK_CONTROL);
                    Log += "<Cut>";
                }
                const std::string Text = Edit->Text();
                ASSERT_TRUE(IsPartialForm(*Edit->Mode(), Text)) << Log << " gave " << Text;
                ASSERT_GE(Edit->SelStart(), 0) << Log;
                ASSERT_LE(Edit->SelStart() + Edit->SelLength(), static_cast<int>(Text.size()))
                    << Log;
                // Until the user changes the text the value is the one the program gave.
                Typed = Typed || Text != TextOnEnter;
                if (Typed) {
                    ASSERT_EQ(Edit->EditValue().AsString(), Edit->MaskedText()) << Log;
                }
                if (auto* Mode = dynamic_cast<TcxMaskEditRegExprMode*>(Edit->Mode())) {
                    ASSERT_EQ(Mode->Head() + Mode->Tail(), Text) << Log;
                    ASSERT_EQ(static_cast<int>(Mode->Head().size()), Edit->SelStart()) << Log;
                }
            }
            Input.TypeKey(pw::VK_ESCAPE, QString(QChar(27)));
            EXPECT_EQ(Edit->Text(), TextOnEnter) << Log << "<Esc>";
            EXPECT_EQ(Edit->EditValue().AsString(), ValueOnEnter) << Log << "<Esc>";
            if (HasFailure()) return;
        }
    }
}

TEST_F(MaskEditTest, AMaskedEditInEachModeAsAPicture) {
    Masked(emkStandard, "00/00");
    Type("12");
    Other->Properties().SetMaskKind(emkRegExprEx);
    Other->Properties().SetEditMask("'ID'\\d+");
    Other->SetEditValue(Variant::String("ID42"));
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Folder("quintaron-mask-edit-");
    const std::string Png = Folder.PathOf("mask-edits.png");
    ASSERT_TRUE(testsupport::SaveWindowPng(Form->Handle(), Png));
    EXPECT_FALSE(QImage(QString::fromStdString(Png)).isNull());
}

} // namespace
} // namespace toolkit::edit
