// The patch common page: the name box (12 bytes in one message on every key release, printable
// 7-bit characters only, undone as one group), the tempo in two bytes, its table through a
// user's changes with the bytes the instrument receives, one undo list per notebook page, the
// structure types and their diagrams.

#include "editors/form_common.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace pw = platform::win;

namespace editors::test {
namespace {

class CommonPageTest : public PageTest {
protected:
    TFormCommon& Open() {
        TFormCommon& page = OpenCommonPage(patch, *owner);
        testsupport::PumpUntilIdle();
        return page;
    }
    // The data set of bytes of the common block: address 03 00 00 offset.
    static Bytes CommonBytes(std::uint8_t offset, const Bytes& data) {
        return DataSet(0x00, offset, data);
    }
    static Bytes NameBytes(const std::string& name) {
        Bytes bytes(name.begin(), name.end());
        bytes.resize(12, ' ');
        return bytes;
    }
    void ShowNotebookPage(TFormCommon& page, int index) {
        const platform::forms::TRect tab = page.TabbedNotebook1.TabRect(index);
        Click(page.TabbedNotebook1, {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2});
        ASSERT_EQ(page.TabbedNotebook1.PageIndex(), index);
    }
    void Type(platform::forms::TControl& box, const std::string& keys) {
        Click(box);
        for (char key : keys)
            driver.TypeKey('A' + (std::toupper(key) - 'A'), QString(QChar(key)));
    }
};

TEST_F(CommonPageTest, TypingANameSendsItsTwelveBytesAsOneMessagePerKey) {
    patch.SetName("", false);
    TFormCommon& page = Open();
    ShowNotebookPage(page, 0);
    Mark();
    Type(page.EditName, "Pad");
    const std::vector<Bytes> sent = Sent();
    EXPECT_EQ(sent,
              (std::vector<Bytes>{CommonBytes(0, NameBytes("P")), CommonBytes(0, NameBytes("Pa")),
                                  CommonBytes(0, NameBytes("Pad"))}));
    EXPECT_EQ(patch.GetName(), "Pad");
    EXPECT_EQ(page.UndoList().Count(), 36u);

    // A key that types a character outside printable 7-bit is refused; its release sends the
    // name as it stands.
    Mark();
    driver.TypeKey('E', QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(page.EditName.Text(), "Pad");
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(0, NameBytes("Pad"))});
    EXPECT_EQ(patch.GetName(), "Pad");
}

TEST_F(CommonPageTest, UndoOfANameTakesBackItsTwelveBytesInOneMessage) {
    patch.SetName("", false);
    TFormCommon& page = Open();
    ShowNotebookPage(page, 0);
    Type(page.EditName, "Pad");
    const auto modifiedTime = patch.ModifiedTime;
    clock.Advance(60000);

    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(0, NameBytes("Pa"))});
    EXPECT_EQ(page.UndoList().Count(), 24u);
    EXPECT_EQ(page.EditName.Text(), "Pa");
    EXPECT_EQ(patch.GetName(), "Pa");
    EXPECT_EQ(patch.ModifiedTime, modifiedTime);
}

TEST_F(CommonPageTest, TempoOneHundredTwentyGoesAsBytesSevenAndEightInOneMessage) {
    patch.Common->Data()[44] = 7;
    patch.Common->Data()[45] = 7;
    TFormCommon& page = Open();
    ShowNotebookPage(page, 0);
    EXPECT_EQ(page.DefaultTempo.Code(), 119);
    Mark();
    Click(page.DefaultTempo.UpButton());
    EXPECT_EQ(page.DefaultTempo.Code(), 120);
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(44, {0x07, 0x08})});
    EXPECT_EQ(patch.Common->GetParam(44), 7);
    EXPECT_EQ(patch.Common->GetParam(45), 8);

    // Bytes no tempo has: the field shows them, and what it stores stays in its range.
    patch.Common->Data()[44] = 0x7F;
    patch.Common->Data()[45] = 0x7F;
    page.Updateview();
    Mark();
    Click(page.DefaultTempo.DownButton());
    for (const Bytes& message : Sent())
        for (std::size_t i = 1; i + 1 < message.size(); ++i)
            EXPECT_LT(message[i], 0x80) << i;
    EXPECT_LE(patch.Common->GetParam(44) * 16 + patch.Common->GetParam(45), 250);
}

TEST_F(CommonPageTest, UserChangesSendTheirBytesToTheCommonBlock) {
    patch.Common->Data()[47] = 64;
    patch.Common->Data()[50] = 11;
    patch.Common->Data()[65] = 3;
    TFormCommon& page = Open();

    struct Change {
        const char* what;
        int notebookPage;
        std::function<void()> act;
        Bytes expected;
    };
    const Change changes[] = {
        {"patch level dragged to 100", 0, [&] { DragSlider(page.PatchLevel, 100); },
         CommonBytes(46, {100})},
        {"pan clicked one step left", 0,
         [&] {
             Click(page.ClickPan, {4, 4});
         },
         CommonBytes(47, {63})},
        {"octave shift stepped down", 0, [&] { Click(page.OctaveShift.DownButton()); },
         CommonBytes(65, {2})},
        {"stretch tune 2", 0, [&] { Click(page.Stretch3); }, CommonBytes(66, {2})},
        {"voice priority loudest", 0, [&] { Click(page.VoiceLoudest); }, CommonBytes(67, {1})},
        {"booster 3 and 4 at +12", 0, [&] { Click(page.Booster343); }, CommonBytes(71, {2})},
        {"structure of tones 1 and 2 stepped up", 0, [&] { Click(page.Successivo); },
         CommonBytes(68, {1})},
        {"bender down stepped to -12", 1, [&] { Click(page.BenderDown.DownButton()); },
         CommonBytes(50, {12})},
        {"key assign solo", 1, [&] { Click(page.KeyAssModeSolo); }, CommonBytes(51, {1})},
        {"portamento switch on", 1, [&] { Click(page.PortSwitch); }, CommonBytes(53, {1})},
        {"EFX control peak", 1, [&] { Click(page.EfxCtrlPeak); }, CommonBytes(60, {2})},
        {"control 3 hold", 1, [&] { Click(page.Ctrl3Hold); }, CommonBytes(63, {1})},
        {"clock source sequencer", 1, [&] { Click(page.RadioSequencer); }, CommonBytes(72, {1})},
        {"patch ctrl source 3 stepped to Sys-Ctrl 1", 1,
         [&] {
             page.PatchCtrlSource3.SetFocus();
             driver.TypeKey(pw::VK_DOWN);
         },
         CommonBytes(59, {1})},
    };
    for (const Change& change : changes) {
        if (page.TabbedNotebook1.PageIndex() != change.notebookPage)
            ShowNotebookPage(page, change.notebookPage);
        Mark();
        change.act();
        EXPECT_EQ(Sent(), std::vector<Bytes>{change.expected}) << change.what;
    }
    EXPECT_EQ(page.BenderDown.Code(), -12);
    EXPECT_EQ(page.ClickPan.Value(), -1);
}

TEST_F(CommonPageTest, EachNotebookPageKeepsItsOwnUndoList) {
    patch.SetName("Lead", false);
    patch.Common->Data()[46] = 90;
    patch.Common->Data()[57] = 10;
    TFormCommon& page = Open();
    EXPECT_EQ(page.TabbedNotebook1.PageIndex(), 1); // it opens on "Page 2"

    ShowNotebookPage(page, 0);
    DragSlider(page.PatchLevel, 100);
    Type(page.EditName, "s");
    EXPECT_EQ(page.PageUndoList(0).Count(), 13u);

    ShowNotebookPage(page, 1);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    DragSlider(page.PortTime, 40);
    DragSlider(page.PortTime, 50);
    EXPECT_TRUE(page.BtnRevert.Enabled());

    Mark();
    Click(page.BtnRevert);
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 84u); // the whole block, 73 data bytes
    EXPECT_EQ(sent[0][9 + 57], 10);
    EXPECT_EQ(sent[0][9 + 46], 100);
    EXPECT_EQ(patch.GetName(), "Leads");
    EXPECT_FALSE(page.BtnUndo.Enabled());

    ShowNotebookPage(page, 0);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    EXPECT_EQ(page.PageUndoList(0).Count(), 13u);

    // A wholesale change of the patch forgets both lists.
    patch.SetDefaults();
    EXPECT_EQ(page.PageUndoList(0).Count(), 0u);
    EXPECT_EQ(page.PageUndoList(1).Count(), 0u);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(CommonPageTest, BytesOutsideAButtonGroupShowNoneAndAreLeftAlone) {
    patch.Common->Data()[60] = 3; // no EFX control button stands for 3
    patch.Common->Data()[66] = 7; // nor a stretch tune button for 7
    patch.Common->Data()[51] = 2; // nor a key assign button for 2
    patch.Common->Data()[52] = 2; // a switch byte no box holds
    state.CurrentPatch = &patch;  // in the edit buffer: activation sends nothing
    Mark();
    TFormCommon& page = Open();
    page.Updateview();
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(page.EfxCtrlOff.Checked() || page.EfxCtrlHold.Checked() ||
                 page.EfxCtrlPeak.Checked());
    EXPECT_FALSE(page.Stretch1.Down() || page.Stretch2.Down() || page.Stretch3.Down() ||
                 page.Stretch4.Down());
    EXPECT_FALSE(page.KeyAssModePoly.Checked() || page.KeyAssModeSolo.Checked());
    EXPECT_EQ(patch.Common->GetParam(60), 3);
    EXPECT_EQ(patch.Common->GetParam(66), 7);
    EXPECT_EQ(patch.Common->GetParam(51), 2);
    EXPECT_EQ(patch.Common->GetParam(52), 2);
    EXPECT_EQ(page.UndoList().Count(), 0u);

    // A user's pick stores as usual.
    Click(page.EfxCtrlHold);
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(60, {1})});
}

TEST_F(CommonPageTest, StructureTypesStepWithinZeroToNine) {
    patch.Common->Data()[70] = 8;
    TFormCommon& page = Open();
    ShowNotebookPage(page, 0);
    EXPECT_EQ(page.Label34.Caption(), "Type 9");
    Mark();
    Click(page.BitBtn2);
    EXPECT_EQ(page.StructureType(3), 9);
    EXPECT_EQ(page.Label34.Caption(), "Type 10");
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(70, {9})});

    Mark();
    Click(page.BitBtn2);
    EXPECT_EQ(page.StructureType(3), 9);
    EXPECT_EQ(page.Label34.Caption(), "Type 10");
    EXPECT_TRUE(Sent().empty());

    Click(page.Precedente); // tones 1 and 2 at type 0 stay there
    EXPECT_EQ(page.StructureType(1), 0);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(CommonPageTest, TheDiagramDrawsTheTonesChainOnAqua) {
    TFormCommon& page = Open();
    ShowNotebookPage(page, 0);
    platform::gdi::TCanvas& canvas = page.Image12.Canvas();
    const int w = page.Image12.Width();
    const int h = page.Image12.Height();
    EXPECT_EQ(canvas.Pixel(1, 1), platform::gdi::clAqua);
    // The frames of both tone rows.
    EXPECT_EQ(canvas.Pixel(w / 2, 8), platform::gdi::clBlack);
    EXPECT_EQ(canvas.Pixel(w / 2, h - 25), platform::gdi::clBlack);
    // Type 0: the chain's line runs across each row at T + 8, between the boxes "TVF" and "TVA"
    // (the last box at L + W - 21 = w - 25).
    EXPECT_EQ(canvas.Pixel(w - 30, 16), platform::gdi::clBlack);
    EXPECT_EQ(canvas.Pixel(w - 30, h - 25 + 8), platform::gdi::clBlack);
    EXPECT_EQ(canvas.Pixel(w - 30, 30), platform::gdi::clAqua);
    EXPECT_EQ(canvas.Pixel(w - 25, 16), platform::gdi::clBlack); // the box's left side

    // Type 2 has the booster box "B" between the rows, at L + 52 and T2 - 10; type 0 has none.
    const int between = h - 25 - 10;
    bool inkBetween = false;
    for (int x = 0; x < w; ++x)
        inkBetween |= canvas.Pixel(x, between) == platform::gdi::clBlack;
    EXPECT_FALSE(inkBetween);
    Click(page.Successivo);
    Click(page.Successivo);
    EXPECT_EQ(page.StructureType(1), 2);
    for (int x = 0; x < w; ++x)
        inkBetween |= canvas.Pixel(x, between) == platform::gdi::clBlack;
    EXPECT_TRUE(inkBetween);
}

TEST_F(CommonPageTest, CaptionHelpContextOpeningAndSnapshots) {
    patch.SetName("Warm Pad", false);
    patch.Common->Data()[68] = 5;
    patch.Common->Data()[70] = 8;
    patch.Common->Data()[69] = 1;
    patch.Common->Data()[58] = 3;
    TFormCommon& page = Open();
    EXPECT_EQ(page.Caption(), "Warm Pad [Common] [Loc : " + model::ElemPath(patch) + "]");
    EXPECT_EQ(page.HelpContext, 2);
    EXPECT_EQ(page.Height(), page.PanelBtn.Top() + page.PanelBtn.Height() + 32);
    EXPECT_TRUE(patch.Common->CommonWindow.Open);
    EXPECT_EQ(&OpenCommonPage(patch, *owner), &page);
    EXPECT_EQ(page.EditName.Text(), "Warm Pad");
    EXPECT_EQ(page.Label12.Caption(), "Type 6");

    EXPECT_FALSE(SavePagePng(page, "common_page_2.png").empty());
    ShowNotebookPage(page, 0);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(SavePagePng(page, "common_page_1.png").empty());
}

} // namespace
} // namespace editors::test
