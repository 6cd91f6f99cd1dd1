// The tone control page: its table through a user's changes with the bytes the instrument
// receives, the controller buttons that pick the matrix row shown, the key range that keeps its
// lower key at or below its upper key, and the reverb send level, whose byte lies past the
// block's 7-bit count.

#include "editors/form_control.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

namespace pw = platform::win;

namespace editors::test {
namespace {

class ControlPageTest : public PageTest {
protected:
    TFormControl& Open(int tone) { return OpenTone<TFormControl>(tone); }
    // The data set of one byte of a tone's block: address 03 00 10+2(tone-1)+hi lo.
    static Bytes ToneByte(int tone, std::uint8_t hi, std::uint8_t lo, std::uint8_t value) {
        return DataSet(static_cast<std::uint8_t>(0x10 + 2 * (tone - 1) + hi), lo, {value});
    }
};

TEST_F(ControlPageTest, UserChangesSendTheirBytesToTheTone) {
    patch.Tone(2).Data()[26] = 63; // controller 1's depth 3 at 0
    TFormControl& page = Open(2);

    struct Change {
        const char* what;
        std::function<void()> act;
        Bytes expected;
    };
    const Change changes[] = {
        {"cross fade depth dragged to 10", [&] { DragSlider(page.VelCrossFadeDepth, 10); },
         ToneByte(2, 0, 0x0B, 10)},
        {"red ctrl switch clicked on", [&] { Click(page.RedCtrlSwitch); }, ToneByte(2, 0, 0x10, 1)},
        {"output assign stepped to EFX",
         [&] {
             page.Outputassign.SetFocus();
             driver.TypeKey(pw::VK_DOWN);
         },
         ToneByte(2, 0, 0x7D, 1)},
        {"output level dragged to 100", [&] { DragSlider(page.Outputlevel, 100); },
         ToneByte(2, 0, 0x7E, 100)},
        {"controller 2's depth 3 dragged to -10",
         [&] {
             Click(page.Speed2);
             DragSlider(page.Depth3, -10);
         },
         ToneByte(2, 0, 34, 53)},
        {"controller 2's dest 1 stepped to Pch",
         [&] {
             page.Dest1.SetFocus();
             driver.TypeKey(pw::VK_DOWN);
         },
         ToneByte(2, 0, 29, 1)},
    };
    for (const Change& change : changes) {
        Mark();
        change.act();
        EXPECT_EQ(Sent(), std::vector<Bytes>{change.expected}) << change.what;
    }
    EXPECT_EQ(patch.Tone(2).GetParam(34), 53);
    EXPECT_EQ(patch.Tone(2).GetParam(26), 63); // controller 1's depth 3 as it was
    EXPECT_EQ(page.UndoList().Count(), std::size(changes));
}

TEST_F(ControlPageTest, ControllerButtonsShowTheirRowAndSendNothing) {
    for (int c = 1; c <= 3; ++c) {
        patch.Tone(1).Data()[static_cast<std::size_t>(21 + 8 * (c - 1))] =
            static_cast<std::uint8_t>(c + 4);
        patch.Tone(1).Data()[static_cast<std::size_t>(28 + 8 * (c - 1))] =
            static_cast<std::uint8_t>(63 + 10 * c);
    }
    TFormControl& page = Open(1);
    EXPECT_EQ(page.Controller(), 1);
    EXPECT_TRUE(page.Speed1.Down());
    EXPECT_EQ(page.Dest1.ItemIndex(), 5);
    EXPECT_EQ(page.Depth4.Value(), 10);

    Mark();
    Click(page.Speed3);
    EXPECT_EQ(page.Controller(), 3);
    EXPECT_EQ(page.Dest1.ItemIndex(), 7);
    EXPECT_EQ(page.Depth4.Value(), 30);
    Click(page.Speed2);
    EXPECT_EQ(page.Dest1.ItemIndex(), 6);
    EXPECT_EQ(page.Depth4.Value(), 20);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.UndoList().Count(), 0u);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(ControlPageTest, TheLowerKeyNeverPassesTheUpperKey) {
    patch.Tone(1).Data()[14] = 60;
    patch.Tone(1).Data()[15] = 60;
    TFormControl& page = Open(1);
    Mark();
    Click(page.KeyRangeLow.UpButton());
    EXPECT_EQ(page.KeyRangeLow.Code(), 60);
    Click(page.KeyRangeUp.DownButton());
    EXPECT_EQ(page.KeyRangeUp.Code(), 60);
    EXPECT_TRUE(Sent().empty());

    // Below the upper key the lower one steps and stores.
    Click(page.KeyRangeLow.DownButton());
    EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(1, 0, 14, 59)});
}

TEST_F(ControlPageTest, ReverbSendLevelGoesPastTheBlocksSevenBitCountAndUndoesThere) {
    patch.Tone(3).Data()[128] = 20;
    TFormControl& page = Open(3);
    Mark();
    DragSlider(page.ReverbSendLevel, 30);
    // Tone 3 lies at 03001400H; byte 128 at 0100H past it.
    EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(3, 1, 0x00, 30)});
    EXPECT_EQ(patch.Tone(3).GetParam(128), 30);
    EXPECT_EQ(Sent().at(0)[7], 0x15);

    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(3, 1, 0x00, 20)});
    EXPECT_EQ(patch.Tone(3).GetParam(128), 20);
    EXPECT_EQ(page.ReverbSendLevel.Value(), 20);

    // Revert writes it back into the block, sent whole: 129 data bytes.
    DragSlider(page.ReverbSendLevel, 40);
    Mark();
    Click(page.BtnRevert);
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 140u);
    EXPECT_EQ(sent[0][9 + 128], 20);
}

TEST_F(ControlPageTest, CaptionHelpContextAndSnapshot) {
    patch.SetName("Control", false);
    patch.Tone(4).Data()[13] = 100;
    patch.Tone(4).Data()[15] = 96;
    patch.Tone(4).Data()[16] = 1;
    patch.Tone(4).Data()[21] = 2;
    patch.Tone(4).Data()[22] = 90;
    patch.Tone(4).Data()[126] = 110;
    TFormControl& page = Open(4);
    EXPECT_EQ(page.Caption(), "Control [Control] [Tone 4] [Loc : " + model::ElemPath(patch) + "]");
    EXPECT_EQ(page.HelpContext, 3);
    EXPECT_EQ(page.Width(), page.PanelBtn.Width() + 16);
    EXPECT_EQ(page.Dest1.Text(), "Cut");
    EXPECT_FALSE(SavePagePng(page, "control_page.png").empty());
}

} // namespace
} // namespace editors::test
