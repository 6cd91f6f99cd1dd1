// The rhythm window: its panels and name box, opening note pages by double-click, and the page
// drag that copies a page's bytes of every note into another rhythm set.

#include "editors/form_rhy_tvf.h"
#include "editors/form_rhythm.h"
#include "editors/tests/rhythm_fixture.h"
#include "model/editing/drag_info.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

namespace pw = platform::win;

namespace editors::test {
namespace {

class RhythmWindowTest : public RhythmTest {
protected:
    TFormRhythm& OpenWindow(model::TRhythm& shown, int left, int top) {
        TFormRhythm& window = MakeForm<TFormRhythm>(shown, dragInfo, clipboard);
        window.Show();
        shown.Editor = &window.View();
        window.SetBounds(left, top, window.Width(), window.Height());
        testsupport::PumpUntilIdle();
        Run(10000);
        return window;
    }
    // Whether the target accepted the drag of from onto to.
    bool DragPanel(forms::TControl& from, forms::TControl& to) {
        return DragOnto(
            from, to, [this] { return dragInfo.Accept; }, 10000);
    }

    model::TDragInfo dragInfo;
};

TEST_F(RhythmWindowTest, ShowsTheRhythmSetAndOpensItsPages) {
    rhythm.SetName("Rock Kit", false);
    rhythm.FileName = "/home/user/kits/rock.syx";
    TFormRhythm& window = OpenWindow(rhythm, 500, 0);
    EXPECT_EQ(window.Caption(),
              "Rock Kit [Filename : rock.syx]   [Loc : " + model::ElemPath(rhythm) + "]");
    EXPECT_EQ(window.EditName.Text(), "Rock Kit");
    EXPECT_EQ(window.HelpContext, 48);
    EXPECT_EQ(window.Width(), 434);
    EXPECT_EQ(window.Height(), 194);
    EXPECT_TRUE(rhythm.EditorOpen);
    EXPECT_EQ(window.PagePanels().size(), 4u);
    EXPECT_EQ(window.PagePanel(model::RHYTVF), &window.RhyTVF);
    EXPECT_EQ(window.SpeedButton3.Hint, "Send ");
    SavePagePng(window, "rhythm_window.png");

    driver.Click(Centre(window.RhyTVF));
    driver.Click(Centre(window.RhyTVF));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(rhythm.TVFWindow.Open);
    auto* view = dynamic_cast<TPageView*>(rhythm.TVFWindow.Window);
    ASSERT_NE(view, nullptr);
    EXPECT_NE(dynamic_cast<TFormRhyTVF*>(&view->Page()), nullptr);

    window.Close();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(rhythm.EditorOpen);
    EXPECT_FALSE(rhythm.TVFWindow.Open);
}

TEST_F(RhythmWindowTest, EveryKeyReleaseInTheNameBoxSendsTheTwelveByteName) {
    TFormRhythm& window = OpenWindow(rhythm, 500, 0);
    window.EditName.SetText("");
    Click(window.EditName);
    Mark();
    driver.TypeKey('A', "A");
    driver.TypeKey('B', "b");
    driver.TypeKey(pw::VK_SHIFT);
    testsupport::PumpUntilIdle();
    const Bytes a = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x02, 0x09, 0x00, 0x00, 'A',  ' ', ' ',
                     ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  0x00, 0xF7};
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(Bytes(sent[0].begin(), sent[0].end() - 2), Bytes(a.begin(), a.end() - 2));
    EXPECT_EQ(sent[1][10], 'b');
    // A release that changed nothing sends the name again.
    EXPECT_EQ(Bytes(sent[2].begin() + 9, sent[2].end() - 2),
              Bytes(sent[1].begin() + 9, sent[1].end() - 2));
    EXPECT_EQ(rhythm.GetName(), "Ab");
    EXPECT_NE(rhythm.ModifiedDate, 0);
}

TEST_F(RhythmWindowTest, DraggingTVFCopiesOnlyThoseBytesOfEveryNote) {
    model::TRhythm other{nullptr};
    Fill(rhythm, 3);
    Fill(other, 40);
    model::TRhythm before{nullptr};
    for (int key = model::FirstRhythmKey; key <= model::LastRhythmKey; ++key) {
        auto from = other.Note(key).Data();
        std::copy(from.begin(), from.end(), before.Note(key).Data().begin());
    }
    TFormRhythm& from = OpenWindow(rhythm, 500, 0);
    TFormRhythm& to = OpenWindow(other, 500, 300);
    from.View().BringToFront();
    testsupport::PumpUntilIdle();
    Run(10000);
    EXPECT_TRUE(DragPanel(from.RhyTVF, to.RhyTVF));
    for (int key = model::FirstRhythmKey; key <= model::LastRhythmKey; ++key) {
        EXPECT_EQ(NoteBytes(other, key, 26, 40), NoteBytes(rhythm, key, 26, 40)) << key;
        EXPECT_EQ(NoteBytes(other, key, 0, 25), NoteBytes(before, key, 0, 25)) << key;
        EXPECT_EQ(NoteBytes(other, key, 41, 57), NoteBytes(before, key, 41, 57)) << key;
    }
    EXPECT_NE(other.ModifiedDate, 0);

    // Onto another kind of panel, or the background, it is refused.
    EXPECT_FALSE(DragPanel(from.RhyTVF, to.RhyTVA));
    EXPECT_FALSE(DragPanel(from.RhyMain, to.PanelRhythm));
}

} // namespace
} // namespace editors::test
