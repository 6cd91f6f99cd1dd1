// Load in the toolbar of every element window as the librarian opens it: the file's element shows
// at once where the element shows, in the window's title and in the library's row.

#include "app/tests/element_window_fixture.h"
#include "editors/form_patch.h"
#include "editors/form_performance.h"
#include "editors/form_rhythm.h"
#include "editors/form_system.h"
#include "model/elements/element_factory.h"
#include "model/files/element_files.h"
#include "model/files/straight_save.h"
#include "platform/win/painting.h"

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace app::test {

namespace {

// The open dialog gives one file.
class LoadingDialogs : public RecordingDialogs {
public:
    explicit LoadingDialogs(std::string file) : file_(std::move(file)) {}
    bool OpenDialog(model::TFileDialogRequest& request) override {
        request.FileName = file_;
        return true;
    }

private:
    std::string file_;
};

// The window's pixels as they stand on the screen.
std::vector<platform::gdi::Pixel32> Pixels(platform::win::HWND wnd) {
    const auto surface = platform::win::WindowSurface(wnd);
    std::vector<platform::gdi::Pixel32> pixels;
    if (surface == nullptr) return pixels;
    for (int y = 0; y < surface->Height(); ++y)
        for (int x = 0; x < surface->Width(); ++x)
            pixels.push_back(surface->Pixel(x, y));
    return pixels;
}

template <class Window> platform::forms::TControl* LoadButton(platform::forms::TCustomForm* form) {
    auto* window = dynamic_cast<Window*>(form);
    return window != nullptr ? &window->SpeedCarica : nullptr;
}

struct LoadCase {
    const char* name;
    std::int16_t type;
    // The Load button of the element's window.
    platform::forms::TControl* (*load)(platform::forms::TCustomForm*);
    // The element's name once loaded: its own, or the file's for a system.
    const char* shown;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class ElementWindowLoadTest : public ElementWindowOpenTest,
                              public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ElementWindowLoadTest, ShowsTheLoadedElementInTheTitleAndTheLibrarysRowAtOnce) {
    const std::string file = (folder / "Glass.syx").string();
    {
        std::unique_ptr<model::TLibElem> stored = model::CreateElemByType(GetParam().type, nullptr);
        stored->SetName("Glass Bells", false);
        stored->FileName = file;
        // As if the user had chosen the file in the save dialog.
        model::NoteChosenFile(model::SysExFileKind, file);
        ASSERT_TRUE(stored->SaveSysExFile(false));
    }
    TFormLibrary& library = OpenLibrary({{GetParam().type, "Bright"}, {GetParam().type, "Dark"}});
    model::TLibElem& elem = library.Library().Elem(1);
    elem.OpenEditor();
    testsupport::PumpUntilIdle();
    platform::forms::TCustomForm* window = main.ActiveMDIChild();
    platform::forms::TControl* load = GetParam().load(window);
    ASSERT_NE(load, nullptr);
    window->SetBounds(500, 0, window->Width(), window->Height());
    Run(60000);
    LoadingDialogs loading(file);
    model::SetDialogs(&loading);

    Click(*load);
    testsupport::PumpUntilIdle();
    model::SetDialogs(&dialogs);

    EXPECT_EQ(window->Caption(),
              std::string(GetParam().shown) + " [Filename : Glass.syx]   [Loc : Untitled.Lib]");
    const auto shown = Pixels(library.DrawGrid.Handle());
    library.DrawGrid.Invalidate();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(shown == Pixels(library.DrawGrid.Handle()))
        << "the row shows the element as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ElementWindowLoadTest,
    ::testing::Values(
        LoadCase{"Patch", model::etPatch, LoadButton<editors::TFormPatch>, "Glass Bells"},
        LoadCase{"Performance", model::etPerformance, LoadButton<editors::TFormPerformance>,
                 "Glass Bells"},
        LoadCase{"Rhythm", model::etRhythm, LoadButton<editors::TFormRhythm>, "Glass Bells"},
        LoadCase{"System", model::etSystem, LoadButton<editors::TFormSystem>, "Glass"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace app::test
