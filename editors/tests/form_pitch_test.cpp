// The editor page engine on the tone pitch page: what a user's change sends and stores, undo and
// revert, the button panel, opening once per record and the saved position, and a page that
// shows its record without storing or sending anything.

#include "editors/form_pitch.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

namespace editors::test {
namespace {

class PitchPageTest : public PageTest {
protected:
    TFormPitch& Open(int tone) { return OpenTone<TFormPitch>(tone); }
    static Bytes ToneTwoByte(std::uint8_t offset, std::uint8_t value) {
        return ToneByte(2, offset, value);
    }
};

TEST_F(PitchPageTest, CoarseTuneDraggedToPlusTwelveSendsOneByteAndUndoSendsTheOldOne) {
    patch.Tone(2).Data()[61] = 48;
    TFormPitch& page = Open(2);
    const auto created = patch.ModifiedTime;
    clock.Advance(60000);
    Mark();
    ASSERT_EQ(page.CoarseTune.Value(), 0);

    DragSlider(page.CoarseTune, 12);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x3D,
                                           0x3C, 0x72, 0xF7}}));
    EXPECT_EQ(patch.Tone(2).GetParam(61), 60);
    EXPECT_NE(patch.ModifiedTime, created);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    EXPECT_TRUE(page.BtnRevert.Enabled());

    const auto modifiedDate = patch.ModifiedDate;
    const auto modifiedTime = patch.ModifiedTime;
    clock.Advance(60000);
    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x3D,
                                           0x30, 0x7E, 0xF7}}));
    EXPECT_EQ(ToneTwoByte(0x3D, 0x30), Sent().at(0));
    EXPECT_EQ(patch.ModifiedDate, modifiedDate);
    EXPECT_EQ(patch.ModifiedTime, modifiedTime);
    EXPECT_EQ(page.CoarseTune.Value(), 0);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
}

TEST_F(PitchPageTest, ReleasingAtTheStoredValueSendsAndPushesNothing) {
    TFormPitch& page = Open(1);
    const auto created = patch.ModifiedTime;
    clock.Advance(60000);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
    Mark();
    DragSlider(page.FineTune, page.FineTune.Value());
    page.Veltime1sens.OnEndChange(&page.Veltime1sens);
    page.Graph.OnEndchange(&page.Graph);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.UndoList().Count(), 0u);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_EQ(patch.ModifiedTime, created);
}

TEST_F(PitchPageTest, RevertAfterThreeChangesSendsTheShownValuesAsOneBlock) {
    patch.Tone(3).Data()[61] = 50;
    patch.Tone(3).Data()[65] = 14;
    TFormPitch& page = Open(3);
    Mark();
    DragSlider(page.CoarseTune, 10);
    DragSlider(page.CoarseTune, -3);
    DragSlider(page.PitchenvDepth, 0);
    ASSERT_EQ(Sent().size(), 3u);

    Mark();
    Click(page.BtnRevert);
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 140u);
    EXPECT_EQ(sent[0][9 + 61], 50);
    EXPECT_EQ(sent[0][9 + 65], 14);
    EXPECT_EQ(page.CoarseTune.Value(), 2);
    EXPECT_EQ(page.PitchenvDepth.Value(), 2);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
}

TEST_F(PitchPageTest, AnEnvelopeDragSendsOnlyTheBytesItChangedTimesBeforeLevels) {
    TFormPitch& page = Open(2);
    controls::TPanGraph::TEnvelope envelope{};
    envelope = {0, 63, 20, 90, 20, 40, 20, 63, 20, 63};
    for (int k = 0; k < 4; ++k) {
        patch.Tone(2).Data()[static_cast<std::size_t>(70 + k)] = 20;
        patch.Tone(2).Data()[static_cast<std::size_t>(74 + k)] =
            static_cast<std::uint8_t>(envelope[2 * k + 3]);
    }
    page.Updateview();
    Mark();
    // Point 3 moves right and up: its time (71) and its level (75), in that order.
    const platform::forms::TPoint from = page.Graph.PointPixel(3);
    driver.Drag(page.Graph.ClientToScreen(from),
                page.Graph.ClientToScreen({from.X + 12, from.Y - 15}));

    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0][8], 71);
    EXPECT_EQ(sent[1][8], 75);
    EXPECT_GT(patch.Tone(2).GetParam(71), 20);
    EXPECT_GT(patch.Tone(2).GetParam(75), 40);
    for (std::size_t n : {70u, 72u, 73u})
        EXPECT_EQ(patch.Tone(2).GetParam(n), 20) << n;
    EXPECT_EQ(page.UndoList().Count(), 2u);
}

TEST_F(PitchPageTest, ShowingAPageStoresAndSendsNothingWhateverTheRecordHolds) {
    // Bytes no control of the page can hold: the sliders keep them to their ranges, the fields
    // show them as they are; none of it is the user's.
    for (std::size_t n = 61; n <= 77; ++n)
        patch.Tone(1).Data()[n] = 0x7F;
    state.CurrentPatch = &patch; // the patch is in the edit buffer: activation sends nothing
    const auto created = patch.ModifiedTime;
    clock.Advance(60000);
    Mark();
    TFormPitch& page = Open(1);
    page.Updateview();
    EXPECT_TRUE(Sent().empty());
    for (std::size_t n = 61; n <= 77; ++n)
        EXPECT_EQ(patch.Tone(1).GetParam(n), 0x7F) << n;
    EXPECT_EQ(patch.ModifiedTime, created);
    EXPECT_EQ(page.UndoList().Count(), 0u);
}

TEST_F(PitchPageTest, ActivatingThePageSendsThePatchUnlessItIsInTheEditBuffer) {
    Mark();
    Open(1);
    EXPECT_EQ(Sent().size(), 5u);
    EXPECT_EQ(state.CurrentPatch, &patch);
    Mark();
    Open(2);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PitchPageTest, CaptionHelpContextAndSizeFollowThePage) {
    patch.SetName("Warm Pad", false);
    TFormPitch& page = Open(4);
    EXPECT_EQ(page.Caption(), "Warm Pad [Pitch] [Tone 4] [Loc : " + model::ElemPath(patch) + "]");
    EXPECT_EQ(page.HelpContext, 43);
    EXPECT_EQ(page.Width(), page.PanelBtn.Width() + 16);
    EXPECT_EQ(page.Height(), page.PanelBtn.Top() + page.PanelBtn.Height() + 32);
}

TEST_F(PitchPageTest, APageOpensOncePerRecordAndComesBackWhereItWasClosed) {
    TFormPitch& first = Open(2);
    EXPECT_EQ(first.Left(), 0);
    EXPECT_EQ(first.Top(), 0);
    EXPECT_TRUE(patch.Tone(2).Pages[model::tpPitch].Open);
    TFormPitch& other = Open(3);
    EXPECT_NE(&other, &first);
    EXPECT_EQ(platform::forms::Application().MainForm()->ActiveMDIChild(), &other);

    TFormPitch& again = Open(2);
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(platform::forms::Application().MainForm()->ActiveMDIChild(), &first);

    first.SetBounds(120, 64, first.Width(), first.Height());
    Click(first.Btnclose);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(patch.Tone(2).Pages[model::tpPitch].Open);
    EXPECT_EQ(patch.Tone(2).Pages[model::tpPitch].Left, 120);
    EXPECT_EQ(patch.Tone(2).Pages[model::tpPitch].Top, 64);

    TFormPitch& reopened = Open(2);
    EXPECT_EQ(reopened.Left(), 120);
    EXPECT_EQ(reopened.Top(), 64);
}

TEST_F(PitchPageTest, AWholesaleChangeOfThePatchForgetsThePagesUndo) {
    TFormPitch& page = Open(1);
    DragSlider(page.CoarseTune, 5);
    ASSERT_TRUE(page.BtnUndo.Enabled());

    patch.SetDefaults();
    EXPECT_EQ(page.UndoList().Count(), 0u);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
    EXPECT_EQ(page.CoarseTune.Value(), -48); // the defaults' byte 0
    Mark();
    page.BtnUndoClick(&page.BtnUndo);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PitchPageTest, SnapshotOfThePitchPage) {
    patch.SetName("Snapshot", false);
    patch.Tone(1).Data()[61] = 60;
    const std::uint8_t envelope[] = {10, 30, 50, 20, 100, 30, 80, 63};
    for (std::size_t i = 0; i < 8; ++i)
        patch.Tone(1).Data()[70 + i] = envelope[i];
    TFormPitch& page = Open(1);
    testsupport::PumpUntilIdle();
    const std::string path = SavePagePng(page, "pitch_page.png");
    EXPECT_FALSE(path.empty());
}

} // namespace
} // namespace editors::test
