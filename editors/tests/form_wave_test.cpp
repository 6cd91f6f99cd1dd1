// The tone wave page: its table through a user's clicks and picks, the group list that follows
// the settings' boards and card, the wave chosen in the names window and stored with its group
// as one message, undo of such a message, and what the page shows of a record it cannot place.

#include "editors/form_wave.h"
#include "editors/names_window.h"
#include "editors/tests/page_fixture.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>

namespace editors::test {
namespace {

// A names window with a few short lists; its chooser answers what the test tells it to.
class FakeNamesWindow final : public TNamesWindow {
public:
    FakeNamesWindow() {
        // Entries 1 and 2 of the first list share a name.
        Fill(1, {"Pad A", "Bell", "Bell", "Saw A"});
        Fill(2, {"Pad B", "Bell", "Organ", "Saw B"});
        Fill(2 * 5 + 1, {"Exp5 Choir", "Exp5 Bell", "Exp5 Flute"});
        Fill(2 * 3 + 39, {"Card Piano", "Card Bell", "Card Harp"});
    }
    const platform::core::TStringList& List(int type) const override {
        const auto found = lists_.find(type);
        return found != lists_.end() ? found->second : empty_;
    }
    int Choose(int type, int chosen) override {
        shownType = type;
        shownChosen = chosen;
        return answer >= 0 ? answer : chosen;
    }

    int answer = -1; // -1: the user cancels
    int shownType = -1;
    int shownChosen = -1;

private:
    void Fill(int type, std::initializer_list<const char*> names) {
        for (const char* name : names)
            lists_[type].Add(name);
    }
    std::map<int, platform::core::TStringList> lists_;
    platform::core::TStringList empty_;
};

class WavePageTest : public PageTest {
protected:
    WavePageTest() { SetNamesWindow(&names); }
    ~WavePageTest() override { SetNamesWindow(nullptr); }

    // Tone 2 on wave number wave of group (type, id); the page opened and the patch in the edit
    // buffer, so that from here on the instrument receives only what the page sends.
    TFormWave& Open(std::uint8_t type, std::uint8_t id, int wave) {
        auto data = patch.Tone(2).Data();
        data[1] = type;
        data[2] = id;
        data[3] = static_cast<std::uint8_t>(wave / 16);
        data[4] = static_cast<std::uint8_t>(wave % 16);
        TFormWave& page = OpenTone<TFormWave>(2);
        Mark();
        return page;
    }
    // A user's pick of item from a drop-down list: open it, click the item's row.
    void Pick(platform::forms::TComboBox& list, int item) {
        Click(list);
        ASSERT_TRUE(list.DroppedDown());
        const platform::forms::TPoint row =
            list.ClientToScreen({20, list.Height() + 1 + item * list.ItemHeight + 6});
        driver.MoveTo(row);
        driver.Click(row);
    }
    // A data set of tone 2's block at offset.
    static Bytes ToneTwo(std::uint8_t offset, const Bytes& data) {
        return DataSet(0x12, offset, data);
    }

    FakeNamesWindow names;
};

TEST_F(WavePageTest, TheTableThroughAUsersClicksStepsAndPicks) {
    TFormWave& page = Open(0, 1, 0);
    EXPECT_EQ(page.WaveName.Text(), "Pad A");

    Click(page.CheckToneSwitch);
    Click(*page.SpeedGain[3]);
    Click(page.SpinFXMDepth.UpButton());
    Pick(page.ToneDelayMode, 4);
    Click(page.TonedlyTime.UpButton());
    Click(*page.SpeedColor[2]);

    EXPECT_EQ(Sent(), (std::vector<Bytes>{
                          {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x00, 0x01, 0x6A, 0xF7},
                          ToneTwo(5, {3}),
                          ToneTwo(8, {1}),
                          ToneTwo(9, {4}),
                          ToneTwo(10, {1}),
                          ToneTwo(7, {2}),
                      }));
    EXPECT_EQ(page.SpinFXMDepth.Code(), 2);
    EXPECT_EQ(page.ToneDelayMode.Text(), "Tap-Sync");
    EXPECT_EQ(page.UndoList().Count(), 6u);
    EXPECT_TRUE(patch.Tone(2).GetParam(0) == 1 && patch.Tone(2).GetParam(5) == 3);
}

TEST_F(WavePageTest, PickingInternalBSendsTheGroupAsOneMessageAndUndoSendsItBack) {
    // Wave 1 is "Bell" in both internal lists: the name does not change, no wave follows.
    TFormWave& page = Open(0, 1, 1);
    Pick(page.ComboWave, 1);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x01,
                                           0x00, 0x02, 0x68, 0xF7}}));
    EXPECT_EQ(page.UndoList().Count(), 2u);
    EXPECT_EQ(page.WaveName.Text(), "Bell");

    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{ToneTwo(1, {0, 1})}));
    EXPECT_EQ(page.ComboWave.ItemIndex(), 0);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(WavePageTest, AGroupChangeThatRenamesTheWaveStoresTheWaveWithItsGroup) {
    // Wave 2 is "Bell" in Internal A and "Organ" in Internal B: the 4-byte store follows the
    // group's; its bytes are the ones the group message left, so the tone sends no second message.
    TFormWave& page = Open(0, 1, 2);
    Pick(page.ComboWave, 1);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{ToneTwo(1, {0, 2})}));
    EXPECT_EQ(page.WaveName.Text(), "Organ");
    EXPECT_EQ(page.WaveNumber(), 2);
    EXPECT_EQ(page.UndoList().Count(), 6u);
}

TEST_F(WavePageTest, AGroupWithNoBoardInItsSlotPutsTheListBackAndSendsNothing) {
    state.Config.ExpA = 5;
    state.Config.PCMCard = 0;
    TFormWave& page = Open(0, 2, 0);
    ASSERT_EQ(page.ComboWave.ItemIndex(), 1);
    Pick(page.ComboWave, 4); // "Expansion C": slot C is empty
    EXPECT_EQ(page.ComboWave.ItemIndex(), 1);
    Pick(page.ComboWave, TFormWave::PcmItem);
    EXPECT_EQ(page.ComboWave.ItemIndex(), 1);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.UndoList().Count(), 0u);

    Pick(page.ComboWave, 2); // "Expansion A": board 5
    EXPECT_EQ(Sent(), (std::vector<Bytes>{ToneTwo(1, {2, 5})}));
    EXPECT_EQ(page.LastValidItem(), 2);
    EXPECT_EQ(page.WaveName.Text(), "Exp5 Choir");
}

TEST_F(WavePageTest, ListCodesFollowTheSettingsBoardsAndCard) {
    state.Config.ExpB = 5;
    state.Config.PCMCard = 3;
    const struct {
        int item;
        int code;
    } cases[] = {{0, 1}, {1, 2}, {2, 1}, {3, 11}, {TFormWave::PcmItem, 45}, {-1, 0}, {7, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TFormWave::ListCode(c.item), c.code) << "item " << c.item;
}

TEST_F(WavePageTest, AChosenWaveIsStoredWithItsGroupEvenWhenItSharesTheStoredOnesName) {
    TFormWave& page = Open(0, 1, 1);
    names.answer = 2; // "Bell" again, another wave
    Click(page.Button1);
    EXPECT_EQ(names.shownType, 1);
    EXPECT_EQ(names.shownChosen, 1);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x01,
                                           0x00, 0x01, 0x00, 0x02, 0x67, 0xF7}}));
    EXPECT_EQ(patch.Tone(2).GetParam(4), 2);
    EXPECT_EQ(page.WaveName.Text(), "Bell");

    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x01,
                                           0x00, 0x01, 0x00, 0x01, 0x68, 0xF7}}));
    EXPECT_EQ(page.WaveNumber(), 1);
    EXPECT_EQ(page.UndoList().Count(), 0u);
}

TEST_F(WavePageTest, ChoosingTheStoredWaveOrCancellingStoresNothing) {
    TFormWave& page = Open(0, 1, 3);
    names.answer = 3;
    Click(page.Button1);
    names.answer = -1;
    Click(page.Button1);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.UndoList().Count(), 0u);
    EXPECT_EQ(page.WaveName.Text(), "Saw A");
}

TEST_F(WavePageTest, AWaveOfAWaveCardShowsWhereTheSettingsHoldIt) {
    state.Config.ExpD = 9;
    state.Config.PCMCard = 3;
    const struct {
        std::uint8_t type, id;
        int wave;
        int item;
        const char* name;
    } cases[] = {
        {2, 9, 0, 5, ""},          // board 9 in slot D; no list of names for it here
        {2, 7, 1, 0, "Bell"},      // a board in no slot: "Internal A"
        {1, 3, 2, 6, "Card Harp"}, // the PCM card
        {0, 2, 40, 1, ""},         // past the list's last entry
        {0, 0, 0, 0, "Pad A"},     // id 0 of the internal groups
    };
    for (const auto& c : cases) {
        TFormWave& page = Open(c.type, c.id, c.wave);
        page.Updateview();
        EXPECT_EQ(page.ComboWave.ItemIndex(), c.item) << int(c.type) << "/" << int(c.id);
        EXPECT_EQ(page.WaveName.Text(), c.name) << int(c.type) << "/" << int(c.id);
        EXPECT_EQ(patch.Tone(2).GetParam(1), c.type);
        EXPECT_EQ(patch.Tone(2).GetParam(2), c.id);
        EXPECT_TRUE(Sent().empty());
        EXPECT_EQ(page.UndoList().Count(), 0u);
    }
}

TEST_F(WavePageTest, WithoutANamesWindowNoWaveHasANameAndTheChooserKeepsTheWave) {
    SetNamesWindow(nullptr);
    TFormWave& page = Open(0, 1, 3);
    EXPECT_EQ(page.WaveName.Text(), "");
    Click(page.Button1);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.WaveNumber(), 3);
}

TEST_F(WavePageTest, CaptionAndHelpContext) {
    patch.SetName("Glass", false);
    TFormWave& page = Open(0, 1, 0);
    EXPECT_EQ(page.Caption().rfind("Glass [Wave] [Tone 2] [Loc : ", 0), 0u) << page.Caption();
    EXPECT_EQ(page.HelpContext, 66);
}

TEST_F(WavePageTest, SnapshotOfTheWavePage) {
    patch.SetName("Snapshot", false);
    patch.Tone(2).Data()[0] = 1;
    patch.Tone(2).Data()[5] = 2;
    patch.Tone(2).Data()[8] = 7;
    TFormWave& page = Open(0, 2, 2);
    EXPECT_FALSE(SavePagePng(page, "wave_page.png").empty());
}

} // namespace
} // namespace editors::test
