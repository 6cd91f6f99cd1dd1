// The tone amplifier page: a user's drag, step and click send exactly the byte they change, in
// the page's encodings; the amplifier envelope sends times before levels and never a fourth
// level; the bias direction steps within its four sketches.

#include "editors/form_tva.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"

#include <gtest/gtest.h>

namespace editors::test {
namespace {

class AmplifierPageTest : public PageTest {
protected:
    TFormTVA& Open(int tone) { return OpenTone<TFormTVA>(tone); }
    static Bytes ToneOneByte(std::uint8_t offset, std::uint8_t value) {
        return ToneByte(1, offset, value);
    }
};

TEST_F(AmplifierPageTest, PanSlidersDraggedSendTheirBytes) {
    patch.Tone(1).Data()[121] = 10;
    patch.Tone(1).Data()[122] = 64;
    TFormTVA& page = Open(1);
    Mark();
    DragSlider(page.RndPanDepth, 20);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x79,
                                           0x14, 0x60, 0xF7}}));
    EXPECT_EQ(patch.Tone(1).GetParam(121), 20);
    EXPECT_TRUE(page.BtnUndo.Enabled());

    // Alternate pan to the left: the value plus 64.
    Mark();
    DragSlider(page.AltPanDepth, -10);
    EXPECT_EQ(Sent(), std::vector<Bytes>{ToneOneByte(122, 54)});

    // Level's box steps it by one.
    patch.Tone(1).Data()[101] = 100;
    page.Updateview();
    Mark();
    driver.Click(page.Level.Box().ClientToScreen({10, 7}), Qt::RightButton);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x65,
                                           0x65, 0x23, 0xF7}}));
}

TEST_F(AmplifierPageTest, ClickingThePanBoxStepsItAndSendsTheValuePlus64) {
    struct Case {
        const char* name;
        std::uint8_t stored;
        Qt::MouseButton button;
        std::uint8_t sent;
        const char* shown;
    };
    const Case cases[] = {
        {"left of centre", 64, Qt::LeftButton, 63, "L 1"},
        {"to the left end", 1, Qt::LeftButton, 0, "L 64"},
        {"to the right end", 126, Qt::RightButton, 127, "R 63"},
        {"back to centre", 63, Qt::RightButton, 64, "  0"},
    };
    TFormTVA& page = Open(1);
    for (const Case& c : cases) {
        patch.Tone(1).Data()[119] = c.stored;
        page.Updateview();
        Mark();
        driver.Click(page.ClickPan.ClientToScreen({25, 10}), c.button);
        EXPECT_EQ(Sent(), std::vector<Bytes>{ToneOneByte(119, c.sent)}) << c.name;
        EXPECT_EQ(page.ClickPan.ValueText(), c.shown) << c.name;
    }
    EXPECT_EQ(ToneOneByte(119, 63),
              (Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x77, 0x3F, 0x37, 0xF7}));

    // At an end, the box does not step and nothing is sent.
    patch.Tone(1).Data()[119] = 0;
    page.Updateview();
    Mark();
    driver.Click(page.ClickPan.ClientToScreen({25, 10}), Qt::LeftButton);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(AmplifierPageTest, SteppingTheCurveFieldSendsTheCodeLessOne) {
    patch.Tone(1).Data()[105] = 2;
    TFormTVA& page = Open(1);
    ASSERT_EQ(page.EnvVelCurve.Code(), 3);
    Mark();
    Click(page.EnvVelCurve.UpButton());
    EXPECT_EQ(page.EnvVelCurve.Code(), 4);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x69,
                                           0x03, 0x01, 0xF7}}));
}

TEST_F(AmplifierPageTest, TheBiasDirectionStepsWithinItsFourSketches) {
    TFormTVA& page = Open(1);
    ASSERT_EQ(page.Direction(), 0);
    EXPECT_EQ(page.LabelDir.Caption(), "Lower");
    Mark();
    Click(page.Precedente);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.Direction(), 0);

    Click(page.Successivo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x66,
                                           0x01, 0x06, 0xF7}}));
    EXPECT_EQ(page.LabelDir.Caption(), "Upper");
    Click(page.Successivo);
    Click(page.Successivo);
    EXPECT_EQ(page.LabelDir.Caption(), "All");
    EXPECT_EQ(patch.Tone(1).GetParam(102), 3);
    Mark();
    Click(page.Successivo);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.Direction(), 3);
    EXPECT_EQ(page.UndoList().Count(), 3u);
}

TEST_F(AmplifierPageTest, AnEnvelopeDragSendsOnlyTheBytesItChangedAndNoFourthLevel) {
    const std::uint8_t envelope[] = {20, 20, 20, 20, 90, 40, 63};
    for (std::size_t i = 0; i < 7; ++i)
        patch.Tone(1).Data()[110 + i] = envelope[i];
    TFormTVA& page = Open(1);
    Mark();
    // Point 3 moves right and up: its time (111), then its level (115).
    platform::forms::TPoint from = page.Graph.PointPixel(3);
    driver.Drag(page.Graph.ClientToScreen(from),
                page.Graph.ClientToScreen({from.X + 12, from.Y - 15}));
    std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0][8], 111);
    EXPECT_EQ(sent[1][8], 115);
    EXPECT_GT(patch.Tone(1).GetParam(111), 20);
    EXPECT_GT(patch.Tone(1).GetParam(115), 40);

    // The last point is held at level 0: dragging it up moves only its time.
    Mark();
    from = page.Graph.PointPixel(5);
    driver.Drag(page.Graph.ClientToScreen(from),
                page.Graph.ClientToScreen({from.X + 10, from.Y - 20}));
    sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][8], 113);
    EXPECT_GT(patch.Tone(1).GetParam(113), 20);
    EXPECT_EQ(patch.Tone(1).GetParam(117), 0);
    for (std::size_t n : {110u, 112u})
        EXPECT_EQ(patch.Tone(1).GetParam(n), 20) << n;
    EXPECT_EQ(page.UndoList().Count(), 3u);
}

TEST_F(AmplifierPageTest, CaptionHelpContextAndStereoControls) {
    patch.SetName("Warm Pad", false);
    TFormTVA& page = Open(3);
    EXPECT_EQ(page.Caption(), "Warm Pad [TVA] [Tone 3] [Loc : " + model::ElemPath(patch) + "]");
    EXPECT_EQ(page.HelpContext, 64);
    EXPECT_TRUE(page.ClickPan.Stereo());
    EXPECT_TRUE(page.AltPanDepth.Stereo());
    EXPECT_EQ(page.Graph.GraphType(), controls::LastLocked);
    EXPECT_TRUE(patch.Tone(3).Pages[model::tpTVA].Open);
}

TEST_F(AmplifierPageTest, SnapshotOfTheAmplifierPage) {
    patch.SetName("Snapshot", false);
    const std::uint8_t bytes[] = {100, 2, 60, 9, 3, 80, 9, 5, 7, 10, 30, 50, 20, 127, 90, 70};
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        patch.Tone(1).Data()[101 + i] = bytes[i];
    patch.Tone(1).Data()[119] = 40;
    patch.Tone(1).Data()[120] = 10;
    patch.Tone(1).Data()[121] = 12;
    patch.Tone(1).Data()[122] = 90;
    TFormTVA& page = Open(1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(page.LabelDir.Caption(), "Lower Upper");
    EXPECT_FALSE(SavePagePng(page, "amplifier_page.png").empty());
}

} // namespace
} // namespace editors::test
