// The tone filter page: its table through a user's drags and steps, the filter type stepped
// within its ends with its sketch, and activation sending the page's own patch to the edit
// buffer as the sibling pages do.

#include "editors/form_pitch.h"
#include "editors/form_tvf.h"
#include "editors/tests/page_fixture.h"

#include <gtest/gtest.h>

namespace editors::test {
namespace {

class FilterPageTest : public PageTest {
protected:
    TFormTVF& Open(model::TPatch& which, int tone) {
        TFormTVF& page = OpenTonePage<TFormTVF>(which, tone, *owner);
        testsupport::PumpUntilIdle();
        return page;
    }
};

TEST_F(FilterPageTest, TheTableThroughAUsersDragsAndSteps) {
    TFormTVF& page = Open(patch, 2);
    Mark();
    DragSlider(page.cutofffrequency, 100);
    Click(page.VelocityRes.UpButton());
    DragSlider(page.EnvDepth, 0);
    Click(page.VelocityCurve.UpButton());

    EXPECT_EQ(Sent(), (std::vector<Bytes>{
                          {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x51, 0x64, 0x36, 0xF7},
                          {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x54, 0x01, 0x16, 0xF7},
                          {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x55, 0x3F, 0x57, 0xF7},
                          {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x56, 0x01, 0x14, 0xF7},
                      }));
    EXPECT_EQ(page.VelocityRes.Code(), -98);
    EXPECT_EQ(page.VelocityCurve.Code(), 2);
    EXPECT_EQ(page.UndoList().Count(), 4u);
}

TEST_F(FilterPageTest, TheFilterTypeStepsWithinItsEndsAndDrawsItsName) {
    TFormTVF& page = Open(patch, 2);
    EXPECT_EQ(page.Labelfilter.Caption(), "No Filter");
    Mark();
    Click(page.Precedente);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.FilterType(), 0);

    Click(page.Successivo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x50,
                                           0x01, 0x1A, 0xF7}}));
    EXPECT_EQ(page.Labelfilter.Caption(), "Low Pass");
    for (int i = 0; i < 3; ++i)
        Click(page.Successivo);
    EXPECT_EQ(page.Labelfilter.Caption(), "Peaking");
    Mark();
    Click(page.Successivo);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.FilterType(), 4);
    EXPECT_EQ(patch.Tone(2).GetParam(80), 4);

    Click(page.BtnUndo);
    EXPECT_EQ(page.FilterType(), 3);
    EXPECT_EQ(page.Labelfilter.Caption(), "High Pass");
}

TEST_F(FilterPageTest, BecomingActiveSendsItsOwnPatchToTheEditBuffer) {
    model::TPatch other{nullptr};
    Mark();
    TFormTVF& page = Open(patch, 1);
    EXPECT_EQ(Sent().size(), 5u);
    EXPECT_EQ(state.CurrentPatch, &patch);

    // Another patch's page takes the edit buffer; bringing the filter page back gives it back.
    OpenTonePage<TFormPitch>(other, 1, *owner);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(state.CurrentPatch, &other);
    Mark();
    EXPECT_EQ(&Open(patch, 1), &page);
    EXPECT_EQ(platform::forms::Application().MainForm()->ActiveMDIChild(), &page);
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[0][5], 0x03); // the edit buffer
    EXPECT_EQ(state.CurrentPatch, &patch);

    // An edit now changes the patch the page shows, on the instrument too.
    Mark();
    DragSlider(page.Resonance, 20);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(state.CurrentPatch, &patch);
}

TEST_F(FilterPageTest, CaptionAndHelpContext) {
    patch.SetName("Sweep", false);
    TFormTVF& page = Open(patch, 3);
    EXPECT_EQ(page.Caption().rfind("Sweep [TVF] [Tone 3] [Loc : ", 0), 0u) << page.Caption();
    EXPECT_EQ(page.HelpContext, 65);
}

TEST_F(FilterPageTest, SnapshotOfTheFilterPage) {
    patch.SetName("Snapshot", false);
    const std::uint8_t bytes[] = {2, 90, 10, 40, 50, 80};
    for (std::size_t i = 0; i < std::size(bytes); ++i)
        patch.Tone(1).Data()[80 + i] = bytes[i];
    const std::uint8_t envelope[] = {10, 30, 50, 20, 127, 90, 60, 0};
    for (std::size_t i = 0; i < 8; ++i)
        patch.Tone(1).Data()[91 + i] = envelope[i];
    TFormTVF& page = Open(patch, 1);
    EXPECT_EQ(page.Labelfilter.Caption(), "Band Pass");
    EXPECT_FALSE(SavePagePng(page, "tvf_page.png").empty());
}

} // namespace
} // namespace editors::test
