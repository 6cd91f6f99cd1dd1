// The system MIDI and preview pages: one byte a change at its system address, radio pairs on a
// byte of neither value, undo and revert sending the whole system.

#include "editors/form_sys_midi.h"
#include "editors/form_sys_preview.h"
#include "editors/tests/system_fixture.h"

#include <gtest/gtest.h>

namespace editors::test {
namespace {

class MidiPageTest : public SystemTest {
protected:
    TFormSysMidi& Open() { return OpenPage<TFormSysMidi>(); }
};

TEST_F(MidiPageTest, ShowsTheMidiSettings) {
    system.SetName("Studio", false);
    TFormSysMidi& page = Open();
    EXPECT_EQ(page.Caption(), "Studio [Midi] [Loc : " + model::ElemPath(system) + "]");
    EXPECT_EQ(page.HelpContext, 59);
    EXPECT_TRUE(page.Midi.Checked());
    EXPECT_EQ(page.AfterTouchSource.ItemIndex(), 2);
    EXPECT_EQ(page.PatchRecchannel.Code(), 1);
    EXPECT_TRUE(system.MidiWindow.Open);
    SavePagePng(page, "midi.png");
}

TEST_F(MidiPageTest, EachControlSendsItsOneByte) {
    TFormSysMidi& page = Open();
    Enter(page.PatchRecchannel, 16);
    Click(page.Internal);
    Click(page.Hold1);
    Enter(page.CtrlChannel, 5);
    page.HoldSource.SetItemIndex(3); // "Soft"
    page.HoldSource.OnChange(&page.HoldSource);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x1D, {0x0F}), DataSet(0x0C, {0x00}),
                                          DataSet(0x19, {0x00}), DataSet(0x1C, {0x05}),
                                          DataSet(0x0E, {0x03})}));
}

TEST_F(MidiPageTest, ARadioPairOnAByteOfNeitherValueChecksNeitherAndStoresNothing) {
    system.Common->Data()[16] = 2;
    TFormSysMidi& page = Open();
    EXPECT_FALSE(page.SourceVolume.Checked());
    EXPECT_FALSE(page.SourceVolumeExp.Checked());
    page.Updateview();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(system.Common->GetParam(16), 2);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

class PreviewPageTest : public SystemTest {
protected:
    TFormSysPreview& Open() { return OpenPage<TFormSysPreview>(); }
};

TEST_F(PreviewPageTest, ShowsTheFourSets) {
    system.SetName("Studio", false);
    TFormSysPreview& page = Open();
    EXPECT_EQ(page.Caption(), "Studio [Preview] [Loc : " + model::ElemPath(system) + "]");
    EXPECT_EQ(page.HelpContext, 60);
    EXPECT_TRUE(page.ModeSingle.Checked());
    EXPECT_EQ(page.KeySet[0]->Code(), 0x3C);
    EXPECT_EQ(page.VelSet[2]->Value(), 0x7F);
    EXPECT_EQ(page.VelSet[2]->Name, "Velset3");
    SavePagePng(page, "preview.png");
}

TEST_F(PreviewPageTest, KeySetThreeGoesToItsAddressAndUndoTakesBackOnlyTheLastChange) {
    TFormSysPreview& page = Open();
    Enter(*page.KeySet[2], 72);
    Click(page.ModeChord);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x24, {72}), DataSet(0x1F, {0x01})}));
    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x1F, {0x00})}));
    EXPECT_EQ(system.Common->GetParam(36), 72);
    Enter(*page.KeySet[2], 80);
    Mark();
    Click(page.BtnRevert);
    EXPECT_EQ(system.Common->GetParam(36), 0x43);
    ExpectWholeSystem(Sent());
}

TEST_F(PreviewPageTest, AValueLeftAsItWasSendsNothing) {
    TFormSysPreview& page = Open();
    Enter(*page.KeySet[0], 0x3C);
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

} // namespace
} // namespace editors::test
