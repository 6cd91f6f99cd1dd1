// The patch window as the librarian opens it: a library row's double click makes it a child of
// the main window (after the patch went to the edit buffer), a second one brings it back, and
// its page drags run on the main window's drag information.

#include "app/tests/element_window_fixture.h"
#include "editors/form_patch.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

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

// A library passed on from someone else names a file of the user's for its patch; the patch
// window's Save proposes that name in the save dialog instead of writing over the file.
TEST_F(PatchWindowOpenTest, SaveOfAPatchFromALibraryPassedOnAsksFirst) {
    class FileDialogs : public testsupport::RecordingDialogs {
    public:
        bool OpenDialog(model::TFileDialogRequest& request) override {
            request.FileName = openAnswer;
            return true;
        }
        bool SaveDialog(model::TFileDialogRequest& request) override {
            saves.push_back(request);
            return false;
        }
        std::string openAnswer;
        std::vector<model::TFileDialogRequest> saves;
    } files;
    const auto text = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string notes = (folder / "notes.txt").string();
    std::ofstream(notes, std::ios::binary) << "my notes\n";
    files.openAnswer = (folder / "Shared.Lib").string();
    {
        model::TLibrary shared;
        shared.FileName = files.openAnswer;
        model::TLibElem& patch = shared.Add(std::make_unique<model::TPatch>(nullptr));
        patch.SetName("Borrowed", false);
        patch.FileName = notes;
        ASSERT_TRUE(shared.SaveFile(false));
    }

    model::SetDialogs(&files);
    struct TRestore {
        model::TDialogs& dialogs;
        ~TRestore() { model::SetDialogs(&dialogs); }
    } restore{dialogs};
    main.FileOpenItem.Click();
    testsupport::PumpUntilIdle();
    auto* library = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
    ASSERT_NE(library, nullptr);
    DoubleClickRow(*library, 0);
    auto* window = dynamic_cast<editors::TFormPatch*>(main.ActiveMDIChild());
    ASSERT_NE(window, nullptr);
    Click(window->SpeedSalva);
    testsupport::PumpUntilIdle();

    ASSERT_EQ(files.saves.size(), 1u);
    EXPECT_EQ(files.saves[0].Title, "Save SysEx");
    EXPECT_EQ(files.saves[0].FileName, "notes.txt");
    EXPECT_EQ(files.saves[0].InitialDir, folder.string());
    EXPECT_EQ(text(notes), "my notes\n");
    EXPECT_EQ(files.messages, std::vector<std::string>{});
}

} // namespace
} // namespace app::test
