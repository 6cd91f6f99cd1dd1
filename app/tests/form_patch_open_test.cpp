// The patch window as the librarian opens it: a library row's double click makes it a child of
// the main window (after the patch went to the edit buffer), a second one brings it back, and
// its page drags run on the main window's drag information.

#include "app/tests/element_window_fixture.h"
#include "editors/form_patch.h"
#include "model/elements/patch.h"

namespace app::test {

namespace {

using PatchWindowOpenTest = ElementWindowOpenTest;

TEST_F(PatchWindowOpenTest, ALibraryRowsDoubleClickOpensThePatchWindowOnce) {
    TFormLibrary& library = OpenLibrary({{model::etPatch, "Bright"}, {model::etPatch, "Dark"}});
    auto& patch = static_cast<model::TPatch&>(library.Library().Elem(1));
    const std::size_t before = DataSets();
    DoubleClickRow(library, 1);
    ASSERT_TRUE(patch.EditorOpen);
    auto* window = dynamic_cast<editors::TFormPatch*>(main.ActiveMDIChild());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(&window->Patch(), &patch);
    EXPECT_EQ(patch.Editor, &window->View());
    EXPECT_EQ(window->Caption().substr(0, 17), "Dark [Filename : ");
    EXPECT_EQ(DataSets() - before, 5u);
    EXPECT_EQ(state.CurrentPatch, &patch);

    ExpectBroughtBackThenClosed(library, 1, *window, patch);
}

TEST_F(PatchWindowOpenTest, APageDragBetweenTwoPatchWindowsSendsTheTargetOnce) {
    TFormLibrary& library = OpenLibrary({{model::etPatch, "Bright"}, {model::etPatch, "Dark"}});
    auto& bright = static_cast<model::TPatch&>(library.Library().Elem(0));
    auto& dark = static_cast<model::TPatch&>(library.Library().Elem(1));
    for (std::size_t n = 80; n <= 98; ++n)
        bright.Tone(2).Data()[n] = static_cast<std::uint8_t>(n - 40);
    auto& from = OpenWindow<editors::TFormPatch>(bright, 500, 0);
    auto& to = OpenWindow<editors::TFormPatch>(dark, 500, 320);
    from.View().BringToFront();
    testsupport::PumpUntilIdle();
    const std::size_t before = DataSets();
    Run(1000);

    Drag(from.PagePanel(model::TVF, 2)->ClientToScreen({20, 12}),
         to.PagePanel(model::TVF, 4)->ClientToScreen({20, 12}));
    EXPECT_TRUE(accepted);
    for (std::size_t n = 80; n <= 98; ++n)
        EXPECT_EQ(dark.Tone(4).GetParam(n), n - 40) << n;
    EXPECT_EQ(DataSets() - before, 5u);
    EXPECT_EQ(state.CurrentPatch, &dark);
    EXPECT_FALSE(state.DragRunning);
    EXPECT_EQ(main.ActiveMDIChild(), &to);
}

} // namespace
} // namespace app::test
