// The comment dialog on a library window's comment button: which ways of closing keep or take
// the memo's lines, and which leave the library unsaved; its layout when it is sized.

#include "app/form_comment.h"
#include "app/form_library.h"
#include "app/tests/main_window_fixture.h"
#include "platform/core/message_loop.h"
#include "platform/win/messages.h"
#include "testsupport/win/input_driver.h"

#include <functional>
#include <string>
#include <vector>

namespace app::test {

namespace {

namespace pc = platform::core;
namespace pw = platform::win;

class FormCommentTest : public MainWindowTest {
protected:
    FormCommentTest() {
        main.FileNew();
        window = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
        EXPECT_NE(window, nullptr);
        window->Library().Comment.Add("first line");
        window->Library().Comment.Add("second");
        window->Library().Saved = true;
        main.EnableMenuItems();
        testsupport::PumpUntilIdle();
    }
    // Clicks the comment button; the steps run while the dialog stands, one every 10 ms.
    void EditComment(std::vector<std::function<void()>> steps) {
        pc::Millis at = 100;
        for (auto& step : steps) {
            After(at, std::move(step));
            at += 10;
        }
        Click(window->Speedcomment);
    }
    std::vector<std::string> Comment() const {
        const auto& lines = window->Library().Comment;
        return {lines.begin(), lines.end()};
    }

    TFormcomment& dialog = MakeForm<TFormcomment>();
    TFormLibrary* window = nullptr;
};

enum class TEditBy { Nothing, DeleteKey, Typing };
enum class TCloseBy { Ok, Cancel, TitleBar };

struct TCommentCase {
    const char* name;
    TEditBy edit;
    TCloseBy close;
    std::vector<std::string> comment;
    bool saved;
};

TEST_F(FormCommentTest, TheWayOfClosingDecidesTheCommentAndTheLibrarysSavedState) {
    const std::vector<std::string> kept = {"first line", "second"};
    const std::vector<TCommentCase> cases = {
        // Keys that type no character change the text all the same.
        {"Delete then OK", TEditBy::DeleteKey, TCloseBy::Ok, {" line", "second"}, false},
        {"typing then OK", TEditBy::Typing, TCloseBy::Ok, {"first line", "secondxy"}, false},
        {"nothing then OK", TEditBy::Nothing, TCloseBy::Ok, kept, true},
        {"typing then Cancel", TEditBy::Typing, TCloseBy::Cancel, kept, true},
        {"Delete then the title bar", TEditBy::DeleteKey, TCloseBy::TitleBar, kept, true},
        // The title bar keeps the list, yet typing has marked the comment changed.
        {"typing then the title bar", TEditBy::Typing, TCloseBy::TitleBar, kept, false},
    };
    for (const TCommentCase& c : cases) {
        SCOPED_TRACE(c.name);
        window->Library().Comment.Clear();
        for (const std::string& line : kept)
            window->Library().Comment.Add(line);
        window->Library().Saved = true;
        window->Library().ModifiedDate = 0;
        main.EnableMenuItems();
        std::vector<std::string> shown;
        EditComment(
            {[&] {
                 shown = {dialog.Memo.Lines().List().begin(), dialog.Memo.Lines().List().end()};
                 switch (c.edit) {
                 case TEditBy::Nothing:
                     break;
                 case TEditBy::DeleteKey:
                     // The caret to the start of the first line, then five Deletes.
                     Click(dialog.Memo, {3, 5});
                     for (int i = 0; i < 5; ++i)
                         driver.TypeKey(pw::VK_DELETE);
                     break;
                 case TEditBy::Typing:
                     driver.TypeKey('X', "x");
                     driver.TypeKey('Y', "y");
                     break;
                 }
             },
             [&] {
                 switch (c.close) {
                 case TCloseBy::Ok:
                     Click(dialog.OKBtn);
                     break;
                 case TCloseBy::Cancel:
                     Click(dialog.CancelBtn);
                     break;
                 case TCloseBy::TitleBar:
                     pc::PostMessage(dialog.Handle(), pw::WM_SYSCOMMAND, pw::SC_CLOSE, 0);
                     break;
                 }
             }});
        EXPECT_FALSE(dialog.Visible());
        EXPECT_EQ(shown, kept);
        EXPECT_EQ(Comment(), c.comment);
        EXPECT_EQ(window->Library().Saved, c.saved);
        EXPECT_EQ(main.FileSaveItem.Enabled(), !c.saved);
        EXPECT_EQ(window->Library().ModifiedDate, 0);
    }
}

TEST_F(FormCommentTest, AnUnsavedLibraryStaysUnsavedWhateverTheDialogReports) {
    window->Library().Saved = false;
    EditComment({[&] { Click(dialog.CancelBtn); }});
    EXPECT_FALSE(window->Library().Saved);
}

TEST_F(FormCommentTest, SizingTheDialogLaysOutPanelsMemoAndButtons) {
    EXPECT_EQ(dialog.Caption(), "Formcomment");
    EXPECT_EQ(dialog.OKBtn.Caption(), "Ok");
    EXPECT_EQ(dialog.CancelBtn.Caption(), "Cancel");
    EXPECT_EQ(Formcomment(), &dialog);
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{502, 343}, Case{640, 420}, Case{300, 200}}) {
        SCOPED_TRACE(c.width);
        dialog.SetClientWidth(c.width);
        dialog.SetClientHeight(c.height);
        const int butTop = c.height - dialog.PanelBut.Height() - 4;
        EXPECT_EQ(dialog.PanelBut.Top(), butTop);
        EXPECT_EQ(dialog.PanelBut.Width(), c.width - 8);
        EXPECT_EQ(dialog.Panel.Height(), butTop - dialog.Panel.Top() - 4);
        EXPECT_EQ(dialog.Panel.Width(), c.width - 8);
        EXPECT_EQ(dialog.Memo.Width(), c.width - 8 - 10);
        EXPECT_EQ(dialog.Memo.Height(), dialog.Panel.Height() - 10);
        EXPECT_EQ(dialog.OKBtn.Left(), (c.width - 8) / 5);
        EXPECT_EQ(dialog.CancelBtn.Left(),
                  c.width - 8 - (c.width - 8) / 5 - dialog.CancelBtn.Width());
    }
    dialog.SetClientWidth(502);
    dialog.SetClientHeight(343);
    EditComment({[&] {
                     EXPECT_TRUE(testsupport::SaveWindowPng(dialog.Handle(),
                                                            (folder / "comment.png").string()));
                 },
                 [&] { Click(dialog.CancelBtn); }});
}

} // namespace

} // namespace app::test
