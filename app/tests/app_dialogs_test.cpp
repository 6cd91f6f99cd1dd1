#include "app/app_dialogs.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"

#include <gtest/gtest.h>

namespace app::test {

namespace {

namespace forms = platform::forms;

struct QuestionCase {
    const char* name;
    model::TMsgDlgType type;
    model::TMsgDlgButtons buttons;
    int answer;
    forms::TMsgDlgType shownType;
    forms::TMsgDlgButtons shownButtons;
    model::TModalResult result;
};

class AppDialogsQuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(AppDialogsQuestionTest, AsksWithTheClassLibrarysDialogAndGivesTheAnswerBack) {
    const QuestionCase& c = GetParam();
    forms::TDialogScript script;
    script.Answer("Save It ?", c.answer);
    TAppDialogs dialogs;

    EXPECT_EQ(dialogs.MessageDlg("Save It ?", c.type, c.buttons), c.result);
    ASSERT_EQ(script.Asked().size(), 1U);
    EXPECT_EQ(script.Asked()[0].Type, c.shownType);
    EXPECT_EQ(script.Asked()[0].Buttons, c.shownButtons);
    EXPECT_TRUE(script.Mismatches().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Questions, AppDialogsQuestionTest,
    ::testing::Values(QuestionCase{"YesNoCancel", model::TMsgDlgType::mtConfirmation,
                                   model::mbYes | model::mbNo | model::mbCancel, forms::mrCancel,
                                   forms::mtConfirmation, forms::mbYesNoCancel, model::mrCancel},
                      QuestionCase{"Yes", model::TMsgDlgType::mtConfirmation,
                                   model::mbYes | model::mbNo, forms::mrYes, forms::mtConfirmation,
                                   forms::mbYes | forms::mbNo, model::mrYes},
                      QuestionCase{"Retry", model::TMsgDlgType::mtWarning,
                                   model::mbRetry | model::mbCancel, forms::mrRetry,
                                   forms::mtWarning, forms::mbRetry | forms::mbCancel,
                                   model::mrRetry},
                      QuestionCase{"ErrorOk", model::TMsgDlgType::mtError, model::mbOK, forms::mrOk,
                                   forms::mtError, forms::mbOK, model::mrOk}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppDialogsFileTest, TheChosenFileComesBackAndACancelLeavesTheRequest) {
    forms::TDialogScript script;
    script.AnswerFile("Save Library", "/tmp/Chosen.Lib");
    script.AnswerFile("Open Library", "");
    TAppDialogs dialogs;

    model::TFileDialogRequest save{"Save Library", "Library|*.Lib", "Lib", "/tmp", "Old.Lib", true};
    EXPECT_TRUE(dialogs.SaveDialog(save));
    EXPECT_EQ(save.FileName, "/tmp/Chosen.Lib");
    model::TFileDialogRequest open{"Open Library", "Library|*.Lib", "Lib",
                                   "/tmp",         "Old.Lib",       false};
    EXPECT_FALSE(dialogs.OpenDialog(open));
    EXPECT_EQ(open.FileName, "Old.Lib");
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(script.Mismatches().empty());
}

} // namespace

} // namespace app::test
