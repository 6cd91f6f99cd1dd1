// The rhythm note pages: a change reaches the note of the key picked on the page, each key keeps
// its own undo list, Revert All takes back every key's changes, a page's bytes of one note are
// copied and pasted through the part clipboard, and each control of the pitch and amplifier pages
// shows and sends its own byte in its own encoding.

#include "editors/form_rhy_main.h"
#include "editors/form_rhy_pitch.h"
#include "editors/form_rhy_tva.h"
#include "editors/form_rhy_tvf.h"
#include "editors/tests/rhythm_fixture.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace editors::test {
namespace {

using RhythmNotePageTest = RhythmTest;

// The data set of one byte of a rhythm note, as the instrument must receive it (device id 17).
Bytes NoteByte(int key, std::uint8_t offset, std::uint8_t value) {
    const Bytes body{0x02, 0x09, static_cast<std::uint8_t>(key), offset, value};
    int sum = 0;
    for (std::uint8_t byte : body)
        sum += byte;
    Bytes message{0xF0, 0x41, 0x10, 0x6A, 0x12};
    message.insert(message.end(), body.begin(), body.end());
    message.push_back(static_cast<std::uint8_t>((128 - sum % 128) % 128));
    message.push_back(0xF7);
    return message;
}

// One control of a note page, as its table gives it: the byte it edits, what it shows for a
// stored byte, the user's input on it and the byte that input stores and sends.
struct NoteControl {
    const char* name;
    std::uint8_t byte;
    std::uint8_t stored;
    std::function<int()> shown;
    int expectedShown;
    std::function<void()> input;
    std::uint8_t sent;
};

class RhythmNoteTableTest : public RhythmTest {
protected:
    static constexpr int TheKey = 40;
    // Every control's byte stored on the key, the page opened on it; each control then shows its
    // byte, and the user's input on it sends exactly its byte, in its encoding, of that key.
    template <class Page>
    void Check(Page& page, const std::function<std::vector<NoteControl>(Page&)>& table) {
        const std::vector<NoteControl> controls = table(page);
        for (const NoteControl& control : controls)
            rhythm.Note(TheKey).Data()[control.byte] = control.stored;
        SelectKey(page, TheKey);
        for (const NoteControl& control : controls) {
            SCOPED_TRACE(std::string(control.name) + ", byte " + std::to_string(control.byte));
            EXPECT_EQ(control.shown(), control.expectedShown);
            Mark();
            control.input();
            EXPECT_EQ(Sent(), std::vector<Bytes>{NoteByte(TheKey, control.byte, control.sent)});
            EXPECT_EQ(rhythm.Note(TheKey).GetParam(control.byte), control.sent);
        }
    }
    std::function<void()> StepUp(controls::TMyEdit& field) {
        return [this, &field] { Click(field.UpButton()); };
    }
    std::function<void()> Drag(controls::TPanSlider& slider, int value) {
        return [this, &slider, value] { DragSlider(slider, value); };
    }
    // The left button steps a box down by one, the right button up.
    std::function<void()> ClickBox(controls::TClickEdit& box, Qt::MouseButton button) {
        return [this, &box, button] {
            driver.Click(box.ClientToScreen({box.Width() / 2, box.Height() / 2}), button);
        };
    }
    static std::function<int()> CodeOf(const controls::TMyEdit& field) {
        return [&field] { return field.Code(); };
    }
    static std::function<int()> ValueOf(const controls::TPanSlider& slider) {
        return [&slider] { return slider.Value(); };
    }
    static std::function<int()> ValueOf(const controls::TClickEdit& box) {
        return [&box] { return box.Value(); };
    }
};

TEST_F(RhythmNoteTableTest, ThePitchPagesControlsEditTheirBytesInTheirEncodings) {
    Check<TFormRhyPitch>(Open<TFormRhyPitch>(), [this](TFormRhyPitch& p) {
        std::vector<NoteControl> table = {
            {"SourceKey", 12, 60, CodeOf(p.SourceKey), 60, StepUp(p.SourceKey), 61},
            {"FineTune", 13, 40, ValueOf(p.FineTune), -10, Drag(p.FineTune, 10), 60},
            {"RndPitchDepth", 14, 3, CodeOf(p.RndPitchDepth), 3, StepUp(p.RndPitchDepth), 4},
            {"PitchenvDepth", 15, 10, ValueOf(p.PitchenvDepth), -2, Drag(p.PitchenvDepth, 5), 17},
            // Shown as byte * 2 - 100, stepped by 2.
            {"VelSens", 16, 10, CodeOf(p.VelSens), -80, StepUp(p.VelSens), 11},
            {"VeltimeSens", 17, 5, CodeOf(p.VeltimeSens), 5, StepUp(p.VeltimeSens), 6},
        };
        // The envelope's points 2 to 5: the times, then the levels around the centre (63).
        const std::uint8_t times[] = {20, 30, 40, 50}, levels[] = {70, 80, 50, 63};
        for (int k = 2; k <= 5; ++k) {
            const auto i = static_cast<std::size_t>(k - 2);
            table.push_back({"time", static_cast<std::uint8_t>(18 + i), times[i],
                             ValueOf(p.Graph.TimeBox(k)), times[i],
                             ClickBox(p.Graph.TimeBox(k), Qt::RightButton),
                             static_cast<std::uint8_t>(times[i] + 1)});
            table.push_back({"level", static_cast<std::uint8_t>(22 + i), levels[i],
                             ValueOf(p.Graph.LevelBox(k)), levels[i] - 63,
                             ClickBox(p.Graph.LevelBox(k), Qt::LeftButton),
                             static_cast<std::uint8_t>(levels[i] - 1)});
        }
        return table;
    });
}

TEST_F(RhythmNoteTableTest, TheAmplifierPagesControlsEditTheirBytesInTheirEncodings) {
    Check<TFormrhyTva>(Open<TFormrhyTva>(), [this](TFormrhyTva& p) {
        std::vector<NoteControl> table = {
            {"ToneLevel", 41, 100, ValueOf(p.ToneLevel), 100, Drag(p.ToneLevel, 90), 90},
            // Shown as byte * 2 - 100, stepped by 2.
            {"VelocitySens", 42, 60, CodeOf(p.VelocitySens), 20, StepUp(p.VelocitySens), 61},
            {"VelTimeSens", 43, 7, CodeOf(p.VelTimeSens), 7, StepUp(p.VelTimeSens), 8},
            // Pan and alternate pan depth: the value plus 64.
            {"ClickPan", 51, 70, ValueOf(p.ClickPan), 6, ClickBox(p.ClickPan, Qt::RightButton), 71},
            {"RndPanDepth", 52, 10, ValueOf(p.RndPanDepth), 10, Drag(p.RndPanDepth, 20), 20},
            {"AltPanDepth", 53, 60, ValueOf(p.AltPanDepth), -4, Drag(p.AltPanDepth, 12), 76},
        };
        // The envelope's times of points 2 to 5 and levels of points 2 to 4; point 5's level
        // is no byte.
        const std::uint8_t times[] = {20, 30, 40, 50}, levels[] = {90, 70, 50};
        for (int k = 2; k <= 5; ++k) {
            const auto i = static_cast<std::size_t>(k - 2);
            table.push_back({"time", static_cast<std::uint8_t>(44 + i), times[i],
                             ValueOf(p.Graph.TimeBox(k)), times[i],
                             ClickBox(p.Graph.TimeBox(k), Qt::RightButton),
                             static_cast<std::uint8_t>(times[i] + 1)});
            if (k == 5) break;
            table.push_back({"level", static_cast<std::uint8_t>(48 + i), levels[i],
                             ValueOf(p.Graph.LevelBox(k)), levels[i],
                             ClickBox(p.Graph.LevelBox(k), Qt::LeftButton),
                             static_cast<std::uint8_t>(levels[i] - 1)});
        }
        return table;
    });
}

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
