// The rhythm note pages: a change reaches the note of the key picked on the page, each key keeps
// its own undo list, Revert All takes back every key's changes, and a page's bytes of one note
// are copied and pasted through the part clipboard.

#include "editors/form_rhy_main.h"
#include "editors/form_rhy_pitch.h"
#include "editors/form_rhy_tva.h"
#include "editors/form_rhy_tvf.h"
#include "editors/tests/rhythm_fixture.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

namespace editors::test {
namespace {

using RhythmNotePageTest = RhythmTest;

TEST_F(RhythmNotePageTest, EveryPageStartsOnKey35AndShowsItsNote) {
    rhythm.SetName("Kit One", false);
    Fill(rhythm, 5);
    TFormRhyTVF& tvf = Open<TFormRhyTVF>();
    EXPECT_EQ(tvf.SelectedKey(), 35);
    EXPECT_EQ(tvf.KeySelector.KeySelected(), -1);
    EXPECT_EQ(tvf.Key.Text(), "B 1  ");
    EXPECT_EQ(tvf.Caption(), rhythm.GetName() + " [TVF] [Loc : " + model::ElemPath(rhythm) + "]");
    EXPECT_EQ(tvf.HelpContext, 52);
    EXPECT_EQ(tvf.cutofffrequency.Value(), rhythm.Note(35).GetParam(27));
    EXPECT_FALSE(tvf.BtnUndo.Enabled());
    EXPECT_FALSE(tvf.PasteBtn.Enabled());

    SelectKey(tvf, 40);
    EXPECT_EQ(tvf.SelectedKey(), 40);
    EXPECT_EQ(tvf.Key.Text(), "E 2  ");
    EXPECT_EQ(tvf.cutofffrequency.Value(), rhythm.Note(40).GetParam(27));

    const struct {
        TRhythmNotePage* page;
        int help;
        const char* tag;
    } pages[] = {{&Open<TFormRhyMain>(), 49, " [Main] [Loc : "},
                 {&Open<TFormRhyPitch>(), 50, " [Pitch] [Loc : "},
                 {&Open<TFormrhyTva>(), 51, " [TVA] [Loc : "}};
    for (const auto& expected : pages) {
        EXPECT_EQ(expected.page->SelectedKey(), 35) << expected.tag;
        EXPECT_EQ(expected.page->HelpContext, expected.help);
        EXPECT_EQ(expected.page->Caption(),
                  rhythm.GetName() + expected.tag + model::ElemPath(rhythm) + "]");
    }
    SavePagePng(tvf, "rhythm_tvf.png");
    SavePagePng(*pages[0].page, "rhythm_main.png");
    SavePagePng(*pages[1].page, "rhythm_pitch.png");
    SavePagePng(*pages[2].page, "rhythm_tva.png");
}

TEST_F(RhythmNotePageTest, TheCutoffOfKey40GoesToThatNote) {
    TFormRhyTVF& page = Open<TFormRhyTVF>();
    SelectKey(page, 40);
    Mark();
    DragSlider(page.cutofffrequency, 90);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x02, 0x09, 0x28, 0x1B,
                                           0x5A, 0x58, 0xF7}}));
    EXPECT_EQ(rhythm.Note(40).GetParam(27), 90);
    EXPECT_EQ(rhythm.Note(35).GetParam(27), 0);
    EXPECT_NE(rhythm.ModifiedDate, 0);
}

TEST_F(RhythmNotePageTest, EachKeyKeepsItsOwnUndoList) {
    TFormRhyTVF& page = Open<TFormRhyTVF>();
    SelectKey(page, 40);
    Click(page.Successivo);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    SelectKey(page, 50);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
    SelectKey(page, 40);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    EXPECT_TRUE(page.BtnRevert.Enabled());

    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x02, 0x09, 0x28, 0x1A,
                                           0x00, 0x33, 0xF7}}));
    EXPECT_EQ(page.FilterType(), 0);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(RhythmNotePageTest, RevertAllTakesBackEveryKeyAndSendsTheRhythmSetOnce) {
    TFormRhyPitch& page = Open<TFormRhyPitch>();
    SelectKey(page, 40);
    DragSlider(page.FineTune, 10);
    DragSlider(page.FineTune, 20);
    SelectKey(page, 50);
    Click(page.VeltimeSens.UpButton());
    ASSERT_EQ(rhythm.Note(40).GetParam(13), 70);
    ASSERT_EQ(rhythm.Note(50).GetParam(17), 1);

    Click(page.BtnReverAll);
    EXPECT_EQ(rhythm.Note(40).GetParam(13), 0);
    EXPECT_EQ(rhythm.Note(50).GetParam(17), 0);
    EXPECT_EQ(page.SelectedKey(), 35);
    EXPECT_EQ(page.KeySelector.KeySelected(), -1);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    SelectKey(page, 40);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(RhythmNotePageTest, CopyOnKey36AndPasteOnKey38WritesTheMainPagesBytes) {
    Fill(rhythm, 9);
    const Bytes before38 = NoteBytes(rhythm, 38, 0, 57);
    TFormRhyMain& page = Open<TFormRhyMain>();
    SelectKey(page, 36);
    Click(page.CopyBtn);
    EXPECT_TRUE(page.PasteBtn.Enabled());
    SelectKey(page, 38);
    Click(page.PasteBtn);
    EXPECT_EQ(NoteBytes(rhythm, 38, 0, 11), NoteBytes(rhythm, 36, 0, 11));
    EXPECT_EQ(NoteBytes(rhythm, 38, 54, 57), NoteBytes(rhythm, 36, 54, 57));
    EXPECT_EQ(NoteBytes(rhythm, 38, 12, 53), Bytes(before38.begin() + 12, before38.begin() + 54));
    // A paste is no change of the page: nothing to undo.
    EXPECT_FALSE(page.BtnUndo.Enabled());

    TFormRhyPitch& pitch = Open<TFormRhyPitch>();
    EXPECT_FALSE(pitch.PasteBtn.Enabled());
}

TEST_F(RhythmNotePageTest, TheMainPagesChoices) {
    TFormRhyMain& page = Open<TFormRhyMain>();
    Mark();
    Click(*page.SpeedGain[3]);
    EXPECT_EQ(rhythm.Note(35).GetParam(5), 3);
    Click(page.PanKeyon);
    EXPECT_EQ(rhythm.Note(35).GetParam(11), 2);
    Click(page.Sustain);
    EXPECT_EQ(rhythm.Note(35).GetParam(8), 1);
    EXPECT_EQ(Sent().size(), 3u);

    // No board in slot C: the group stays and nothing is stored.
    state.Config.ExpC = 0;
    Mark();
    page.ComboWave.SetItemIndex(4);
    page.ComboWave.OnChange(&page.ComboWave);
    EXPECT_EQ(page.ComboWave.ItemIndex(), 0);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(RhythmNotePageTest, ASwitchByteNoButtonHoldsChecksNoneAndStoresNothing) {
    rhythm.Note(35).Data()[8] = 2;
    TFormRhyMain& page = Open<TFormRhyMain>();
    EXPECT_FALSE(page.Nosustain.Checked());
    EXPECT_FALSE(page.Sustain.Checked());
    EXPECT_EQ(rhythm.Note(35).GetParam(8), 2);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(RhythmNotePageTest, TheEnvelopeNeverSendsALevelForItsLastPoint) {
    TFormrhyTva& page = Open<TFormrhyTva>();
    Mark();
    page.Rows()[3]->Drive(127);
    for (const Bytes& message : Sent()) {
        ASSERT_GE(message.size(), 12u);
        EXPECT_GE(message[8], 44);
        EXPECT_LE(message[8], 50);
    }
}

} // namespace
} // namespace editors::test
