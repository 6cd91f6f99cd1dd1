// The system window as the librarian opens it: a library row's double click makes it a child of
// the main window (after the system went to the edit buffer), and its scale tune page copies
// through the main window's part clipboard.

#include "app/tests/element_window_fixture.h"
#include "editors/form_scale_tune.h"
#include "editors/form_system.h"
#include "model/elements/system.h"

namespace app::test {

namespace {

using SystemWindowOpenTest = ElementWindowOpenTest;

TEST_F(SystemWindowOpenTest, ALibraryRowsDoubleClickOpensTheSystemWindow) {
    TFormLibrary& library = OpenLibrary({{model::etSystem, "Studio"}});
    auto& system = static_cast<model::TSystem&>(library.Library().Elem(0));
    DoubleClickRow(library, 0);
    ASSERT_TRUE(system.EditorOpen);
    auto* window = dynamic_cast<editors::TFormSystem*>(main.ActiveMDIChild());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(&window->System(), &system);
    EXPECT_EQ(system.Editor, &window->View());
    EXPECT_EQ(state.CurrentSystem, &system);

    window->SetBounds(500, 0, window->Width(), window->Height());
    window->OpenPage(model::SYSSCALETUNE);
    auto* view = dynamic_cast<editors::TPageView*>(system.ScaleTuneWindow.Window);
    ASSERT_NE(view, nullptr);
    auto& page = static_cast<editors::TFormScaleTune&>(view->Page());
    page.CopyBtnClick(&page.CopyBtn);
    EXPECT_TRUE(main.Clipboard().ScaleTuneHeld);

    window->Close();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(system.EditorOpen);
    EXPECT_FALSE(system.ScaleTuneWindow.Open);
}

} // namespace
} // namespace app::test
