#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_mask_edit_modes.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/reg_expr_errors.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
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
#include <string>

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
    ~MaskEditTest() override { test::FreeTestForm(Owner); }
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
                Input.Key(Qt::Key_Backspace, QStringLiteral("\b"));
            else
                Input.Key(C, QString(QChar(C)));
        }
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
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
    Input.Key(Qt::Key_Delete);
    EXPECT_EQ(Edit->Text(), "12/34");
    Type("\b");
    EXPECT_EQ(Edit->Text(), "12/3_");
    EXPECT_EQ(Edit->EditValue().AsString(), "12/3 ");
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

TEST_F(MaskEditTest, UnfocusedStandardMaskShowsTheValueWithoutBlanks) {
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

TEST_F(MaskEditTest, PasteGoesThroughTheMode) {
    Masked(emkStandard, "00/00");
    pf::Clipboard().SetAsText("1234");
    Input.KeyDown(Qt::Key_Control);
    Input.Key(Qt::Key_V, QString(QChar(0x16)));
    Input.KeyUp(Qt::Key_Control);
    EXPECT_EQ(Edit->Text(), "12/34");
}

TEST_F(MaskEditTest, CtrlLeftAndRightGoToTheEnds) {
    Masked(emkRegExprEx, "\\d+");
    Type("123");
    Input.KeyDown(Qt::Key_Control);
    Input.Key(Qt::Key_Left);
    Input.KeyUp(Qt::Key_Control);
    EXPECT_EQ(Edit->SelStart(), 0);
    Type("9");
    EXPECT_EQ(Edit->Text(), "9123");
    Input.KeyDown(Qt::Key_Control);
    Input.Key(Qt::Key_Right);
    Input.KeyUp(Qt::Key_Control);
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

TEST_F(MaskEditTest, ExtendedModeTypesOverASelectionThatTookTheForcedPrefix) {
    Masked(emkRegExprEx, "'ID'\\d+");
    Type("42");
    ASSERT_EQ(Edit->Text(), "ID42");
    Edit->SelectAll();
    Type("7");
    EXPECT_EQ(Edit->Text(), "ID7");
    EXPECT_EQ(Edit->SelStart(), 3);
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
