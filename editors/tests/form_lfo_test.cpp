// The tone LFO page: each LFO edits its own bytes; a user's step, drag and pick send exactly the
// byte they change; the waveform steps within its eight sketches; and a change of the fade mode
// takes the fade delay and time from the record again, so that the next graph edit stores what
// the user touched and nothing crosswise.

#include "editors/form_lfo.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

namespace pw = platform::win;

namespace editors::test {
namespace {

class LfoPageTest : public PageTest {
protected:
    TFormLFO& Open(int tone, int lfo) {
        TFormLFO& page = OpenLfoPage(patch, tone, lfo, *owner);
        testsupport::PumpUntilIdle();
        return page;
    }
    // Picks item index of the list as a user does: drops it down, moves to the item, Enter.
    void Pick(platform::forms::TComboBox& list, int index) {
        Click(list);
        for (int i = list.ItemIndex(); i < index; ++i)
            driver.TypeKey(pw::VK_DOWN);
        for (int i = list.ItemIndex(); i > index; --i)
            driver.TypeKey(pw::VK_UP);
        driver.TypeKey(pw::VK_RETURN);
    }
};

TEST_F(LfoPageTest, LfoTwoSendsItsRateAndItsPanDepthBytes) {
    patch.Tone(2).Data()[55] = 0x40;
    patch.Tone(2).Data()[124] = 63;
    TFormLFO& page = Open(2, 2);
    ASSERT_EQ(page.Base(), 53);
    Mark();
    Click(page.LFORate.UpButton());
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x37,
                                           0x41, 0x73, 0xF7}}));

    // The thumb dragged 12 pixels up from the centre: the value shown, plus 63.
    Mark();
    controls::TSlider& slider = page.PanDepth.Slider();
    const platform::forms::TPoint thumb{
        slider.Width() / 2, slider.Height() - (slider.ThumbPosition() + slider.ThumbHeight() / 2)};
    driver.Drag(slider.ClientToScreen(thumb), slider.ClientToScreen({thumb.X, thumb.Y - 12}));
    ASSERT_GT(page.PanDepth.Value(), 0);
    const auto byte = static_cast<std::uint8_t>(page.PanDepth.Value() + 63);
    EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(2, 124, byte)});
    EXPECT_EQ(patch.Tone(2).GetParam(124), byte);
    // LFO 1's bytes stay as they were.
    EXPECT_EQ(patch.Tone(2).GetParam(47), 0);
    EXPECT_EQ(patch.Tone(2).GetParam(123), 0);
}

TEST_F(LfoPageTest, OffsetLevelSendsItsCodeInStepsOfFifty) {
    struct Case {
        std::uint8_t stored;
        int shown;
        std::uint8_t sent;
    };
    const Case cases[] = {{0, -100, 1}, {1, -50, 2}, {3, 50, 4}};
    TFormLFO& page = Open(3, 1);
    for (const Case& c : cases) {
        patch.Tone(3).Data()[48] = c.stored;
        page.Updateview();
        ASSERT_EQ(page.OffsetLevel.Code(), c.shown);
        Mark();
        Click(page.OffsetLevel.UpButton());
        EXPECT_EQ(page.OffsetLevel.Code(), c.shown + 50);
        EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(3, 48, c.sent)}) << c.shown;
    }
    // −50 goes out as 1.
    EXPECT_EQ(ToneByte(3, 48, 1),
              (Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x14, 0x30, 0x01, 0x38, 0xF7}));
}

TEST_F(LfoPageTest, TheWaveformStepsWithinItsEightSketches) {
    TFormLFO& page = Open(1, 1);
    ASSERT_EQ(page.LabelWave.Caption(), "Triangolar");
    Mark();
    Click(page.Precedente);
    EXPECT_TRUE(Sent().empty());
    for (int k = 1; k <= 7; ++k)
        Click(page.Successivo);
    EXPECT_EQ(page.Waveform(), 7);
    EXPECT_EQ(page.LabelWave.Caption(), "Caos");
    EXPECT_EQ(Sent().size(), 7u);
    EXPECT_EQ(patch.Tone(1).GetParam(45), 7);
    Mark();
    Click(page.Successivo);
    EXPECT_TRUE(Sent().empty());
    Click(page.Precedente);
    EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(1, 45, 6)});
    EXPECT_EQ(page.LabelWave.Caption(), "Random");
}

TEST_F(LfoPageTest, AFadeHandleDragSendsTheDelayItMoved) {
    // ON_IN: handle 1 ends the delay, on the centre line.
    patch.Tone(1).Data()[57] = 31; // LFO 2's delay
    patch.Tone(1).Data()[59] = 40; // and its fade time
    TFormLFO& page = Open(1, 2);
    const controls::TFadeGraph& graph = page.FadeGraph;
    ASSERT_EQ(graph.FadeMode(), controls::ON_IN);
    const double scale = 381.0 / (graph.GWidth() - 25);
    const int keyOn = graph.GLeft() + 2 + 22;
    const platform::forms::TPoint handle{static_cast<int>(31 / scale + keyOn),
                                         graph.GTop() + graph.GHeight() / 2};
    Mark();
    driver.Drag(page.FadeGraph.ClientToScreen(handle),
                page.FadeGraph.ClientToScreen({handle.X + 10, handle.Y}));
    const auto delay = static_cast<std::uint8_t>((handle.X + 10 - keyOn) * scale);
    EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(1, 57, delay)});
    EXPECT_EQ(patch.Tone(1).GetParam(59), 40);
}

TEST_F(LfoPageTest, AFadeModeChangeTakesDelayAndTimeFromTheRecordBeforeTheNextGraphEdit) {
    patch.Tone(1).Data()[49] = 20; // delay
    patch.Tone(1).Data()[50] = 0;  // On-In
    patch.Tone(1).Data()[51] = 10; // fade time
    TFormLFO& page = Open(1, 1);
    ASSERT_EQ(page.FadeGraph.FadeDelay(), 20);
    ASSERT_EQ(page.FadeGraph.FadeTime(), 10);
    Mark();
    Pick(page.FadeMode, 1);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x32,
                                           0x01, 0x3A, 0xF7}}));
    EXPECT_EQ(page.FadeGraph.FadeMode(), controls::ON_OUT);
    EXPECT_EQ(page.FadeGraph.FadeDelay(), 20);
    EXPECT_EQ(page.FadeGraph.FadeTime(), 10);

    // One step down of the delay box: the delay goes out, the time stays as stored.
    Mark();
    Click(page.FadeGraph.DelayBox());
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x31,
                                           0x13, 0x29, 0xF7}}));
    EXPECT_EQ(patch.Tone(1).GetParam(49), 19);
    EXPECT_EQ(patch.Tone(1).GetParam(51), 10);
}

TEST_F(LfoPageTest, EachLfoHasItsOwnWindowCaptionAndPosition) {
    patch.SetName("Warm Pad", false);
    TFormLFO& first = Open(3, 1);
    TFormLFO& second = Open(3, 2);
    EXPECT_NE(&first, &second);
    EXPECT_EQ(&Open(3, 1), &first);
    EXPECT_EQ(second.Caption(), "Warm Pad [LFO 2] [Tone 3] [Loc : " + model::ElemPath(patch) + "]");
    EXPECT_EQ(second.HelpContext, 22);
    EXPECT_EQ(second.FadeGraph.FadeDepth(), 127);

    first.SetBounds(40, 30, first.Width(), first.Height());
    second.SetBounds(200, 90, second.Width(), second.Height());
    Click(first.Btnclose);
    Click(second.Btnclose);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(patch.Tone(3).Pages[model::tpLFO1].Left, 40);
    EXPECT_EQ(patch.Tone(3).Pages[model::tpLFO1].Top, 30);
    EXPECT_EQ(patch.Tone(3).Pages[model::tpLFO2].Left, 200);
    EXPECT_EQ(patch.Tone(3).Pages[model::tpLFO2].Top, 90);
    EXPECT_EQ(Open(3, 2).Left(), 200);
}

TEST_F(LfoPageTest, SnapshotOfTheLfoPage) {
    patch.SetName("Snapshot", false);
    const std::uint8_t block[] = {1, 1, 60, 3, 30, 1, 50, 1};
    for (std::size_t i = 0; i < sizeof block; ++i)
        patch.Tone(1).Data()[45 + i] = block[i];
    patch.Tone(1).Data()[78] = 90;
    patch.Tone(1).Data()[123] = 20;
    TFormLFO& page = Open(1, 1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(page.LabelWave.Caption(), "Sinuisoidal");
    EXPECT_EQ(page.FadeGraph.FadeMode(), controls::ON_OUT);
    EXPECT_EQ(page.KeyTrigger.Checked(), true);
    EXPECT_FALSE(SavePagePng(page, "lfo_page.png").empty());
}

} // namespace
} // namespace editors::test
