// The rhythm window as the librarian opens it: a child of the main window whose page drags run
// on the main window's drag information and send the target rhythm set whole, once; its note
// pages send the whole rhythm set on Revert All and Paste.

#include "app/tests/element_window_fixture.h"
#include "editors/form_rhy_main.h"
#include "editors/form_rhythm.h"
#include "model/elements/rhythm.h"
#include "model/preview/preview.h"

namespace app::test {

namespace {

class RhythmWindowOpenTest : public ElementWindowOpenTest {
protected:
    // A rhythm set goes as one paced data set a key: the clock runs long enough for them all.
    std::size_t DataSets() { return ElementWindowOpenTest::DataSets(10000); }
};

TEST_F(RhythmWindowOpenTest, APageDragBetweenTwoRhythmWindowsSendsTheTargetOnce) {
    TFormLibrary& library = OpenLibrary({{model::etRhythm, "Rock"}, {model::etRhythm, "Jazz"}});
    auto& rock = static_cast<model::TRhythm&>(library.Library().Elem(0));
    auto& jazz = static_cast<model::TRhythm&>(library.Library().Elem(1));
    for (int key = model::FirstRhythmKey; key <= model::LastRhythmKey; ++key)
        rock.Note(key).Data()[27] = static_cast<std::uint8_t>(key);
    auto& from = OpenWindow<editors::TFormRhythm>(rock, 500, 0);
    auto& to = OpenWindow<editors::TFormRhythm>(jazz, 500, 220);
    EXPECT_EQ(&from.Rhythm(), &rock);
    from.View().BringToFront();
    testsupport::PumpUntilIdle();
    const std::size_t before = DataSets();
    Run(1000);

    Drag(from.RhyTVF.ClientToScreen({20, 12}), to.RhyTVF.ClientToScreen({20, 12}));
    EXPECT_TRUE(accepted);
    for (int key = model::FirstRhythmKey; key <= model::LastRhythmKey; ++key)
        EXPECT_EQ(jazz.Note(key).GetParam(27), key) << key;
    EXPECT_EQ(DataSets() - before, static_cast<std::size_t>(model::TRhythm::BlockCount));
    EXPECT_EQ(state.CurrentRhythm, &jazz);
    EXPECT_FALSE(state.DragRunning);
}

TEST_F(RhythmWindowOpenTest, PasteAndRevertAllSendTheWholeRhythmSetOnce) {
    TFormLibrary& library = OpenLibrary({{model::etRhythm, "Rock"}});
    auto& rock = static_cast<model::TRhythm&>(library.Library().Elem(0));
    auto& window = OpenWindow<editors::TFormRhythm>(rock, 500, 0);
    auto& page = editors::OpenRhythmNotePage<editors::TFormRhyMain>(rock, main.Clipboard(), window);
    testsupport::PumpUntilIdle();
    Click(page.ToneSwitch);
    ASSERT_EQ(rock.Note(35).GetParam(0), 1);

    std::size_t before = DataSets();
    Click(page.BtnReverAll);
    EXPECT_EQ(DataSets() - before, static_cast<std::size_t>(model::TRhythm::BlockCount));
    EXPECT_EQ(rock.Note(35).GetParam(0), 0);

    Click(page.CopyBtn);
    before = DataSets();
    Click(page.PasteBtn);
    EXPECT_EQ(DataSets() - before, static_cast<std::size_t>(model::TRhythm::BlockCount));
}

TEST_F(RhythmWindowOpenTest, ThePreviewSoundsTheKeyOfTheActiveNotePage) {
    TFormLibrary& library = OpenLibrary({{model::etRhythm, "Rock"}});
    auto& rock = static_cast<model::TRhythm&>(library.Library().Elem(0));
    auto& window = OpenWindow<editors::TFormRhythm>(rock, 500, 0);
    const int configured = model::PreviewKey();
    auto& page = editors::OpenRhythmNotePage<editors::TFormRhyMain>(rock, main.Clipboard(), window);
    testsupport::PumpUntilIdle();
    driver.Click(page.KeySelector.ClientToScreen({35, 45})); // the white key E: note 40
    testsupport::PumpUntilIdle();
    ASSERT_EQ(main.ActiveMDIChild(), &page);
    EXPECT_EQ(model::PreviewKey(), page.SelectedKey());
    EXPECT_EQ(model::PreviewKey(), 40);

    // Another window active: the configured note again.
    window.View().BringToFront();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(model::PreviewKey(), configured);
}

} // namespace
} // namespace app::test
