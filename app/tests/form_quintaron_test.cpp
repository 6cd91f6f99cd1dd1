#include "app/form_quintaron.h"

#include "app/form_library.h"
#include "app/tests/main_window_fixture.h"
#include "model/elements/library.h"

namespace app::test {

namespace {

using FormquintaronTest = MainWindowTest;

TEST_F(FormquintaronTest, StandsAsTheMainWindowWithTheEmptyBin) {
    EXPECT_EQ(MainWindow(), &main);
    EXPECT_EQ(main.Caption(), "Quintaron 3.0");
    EXPECT_TRUE(main.TrashVuoto.Visible());
    EXPECT_FALSE(main.TrashPieno.Visible());
    EXPECT_EQ(main.FileImportFrom.Caption(), "Import From Synth");
    EXPECT_EQ(main.FileExportto.Caption(), "Export To Synth");
}

TEST_F(FormquintaronTest, NewOpensAnUntitledLibraryWindow) {
    main.FileNew();
    ASSERT_EQ(main.MDIChildCount(), 1);
    auto* window = dynamic_cast<TFormLibrary*>(main.MDIChildren(0));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Caption(), "Library : Untitled.Lib");
    EXPECT_EQ(window->Library().Editor, &window->View());
    EXPECT_TRUE(window->Library().EditorOpen);
}

} // namespace

} // namespace app::test
