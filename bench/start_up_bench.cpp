// Start-up and the main window: from making the application state to the enabled main window
// (the intro's two seconds excluded: they run on the manual clock), the same with a desktop of
// five libraries of 2,000 patches to restore, painting the main window and opening its File menu
// by a click. The goals: an enabled main window within 300 ms, a menu open within one 60 Hz frame.
// After each timed step the result is checked, outside the time measured.

#include "app/app_services.h"
#include "app/form_intro.h"
#include "app/form_library.h"
#include "app/form_quintaron.h"
#include "app/program.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/clock.h"
#include "platform/core/ini_file.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/virtual_instrument.h"
#include "testsupport/win/input_driver.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace pw = platform::win;

namespace {

namespace pc = platform::core;
namespace forms = platform::forms;
using Clock = std::chrono::steady_clock;

constexpr int DesktopLibraries = 5;
constexpr int LibraryPatches = 2000;
constexpr pc::Millis IntroMillis = 2000;

// The user's folders in a temporary home, the instrument on the virtual back end, the bar unit;
// on the benchmark program's desktop.
struct World {
    pc::ManualClock clock{1000};
    pc::ClockOverride clockOverride{clock};
    testsupport::TempFolder folder{"quintaron_bench_start_up_"};
    testsupport::EnvironmentOverride config{
        "QUINTARON_CONFIG_DIR", (std::filesystem::path(folder.Path()) / "config").string()};
    testsupport::EnvironmentOverride documents{
        "QUINTARON_DOCUMENTS_DIR", (std::filesystem::path(folder.Path()) / "documents").string()};
    testsupport::EnvironmentOverride appData{
        "QUINTARON_APPDATA_DIR", (std::filesystem::path(folder.Path()) / "share").string()};
    testsupport::EnvironmentOverride localAppData{
        "QUINTARON_LOCALAPPDATA_DIR", (std::filesystem::path(folder.Path()) / "state").string()};
    testsupport::VirtualInstrument instrument{clock};
    toolkit::bars::TdxBarUnit barUnit;
};

// The program up to the end of start-up; it ends when this goes.
class Program {
public:
    explicit Program(World& world) : world_(world) {
        state_.emplace();
        app::InitialiseUnits();
        services_ = std::make_unique<app::TAppServices>(state_->Midi);
        model::SetUiServices(services_.get());
        app::CreateProgramForms();
        app::MainWindow()->Show();
        pc::RunFor(world_.clock, IntroMillis);
    }
    ~Program() {
        forms::TApplication& application = forms::Application();
        application.OnMessage = nullptr;
        application.SetMainForm(nullptr);
        while (application.ComponentCount() > 0)
            application.FreeComponent(*application.Components(application.ComponentCount() - 1));
        testsupport::PumpUntilIdle();
        model::SetUiServices(nullptr);
        services_.reset();
        state_.reset();
        pc::ResetMessageLoop();
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

private:
    World& world_;
    std::optional<model::TQuintaron> state_;
    std::unique_ptr<app::TAppServices> services_;
};

bool Started() {
    return app::MainWindow() != nullptr && app::MainWindow()->Enabled();
}

void BM_StartUpToEnabledMainWindow(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::optional<Program> program(std::in_place, world);
        const auto end = Clock::now();
        if (!Started()) {
            state.SkipWithError("the main window was not enabled");
            break;
        }
        program.reset();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["goal_ms"] = 300;
}
BENCHMARK(BM_StartUpToEnabledMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

std::vector<std::string> WriteDesktopLibraries(World& world) {
    std::mt19937 random(24);
    std::uniform_int_distribution<int> byte(0, 127);
    std::vector<std::string> files;
    for (int l = 0; l < DesktopLibraries; ++l) {
        model::TLibrary library;
        for (int i = 0; i < LibraryPatches; ++i) {
            auto& patch =
                static_cast<model::TPatch&>(library.Add(std::make_unique<model::TPatch>(nullptr)));
            for (auto& b : patch.Common->Data())
                b = static_cast<std::uint8_t>(byte(random));
            patch.SetName("Patch " + std::to_string(byte(random)), false);
        }
        library.FileName =
            (std::filesystem::path(world.folder.Path()) / ("Desk" + std::to_string(l + 1) + ".Lib"))
                .string();
        if (!library.SaveFile(false)) return {};
        files.push_back(library.FileName);
    }
    pc::TIniFile ini(model::SettingsFileName);
    ini.WriteInteger("Desktop", "Num Library", DesktopLibraries);
    for (int l = 0; l < DesktopLibraries; ++l)
        ini.WriteString("Desktop", "Library" + std::to_string(l + 1),
                        files[static_cast<std::size_t>(l)]);
    return files;
}

bool DesktopRestored(const std::vector<std::string>& files) {
    app::TFormquintaron* main = app::MainWindow();
    if (main == nullptr || main->MDIChildCount() != DesktopLibraries) return false;
    for (int i = 0; i < main->MDIChildCount(); ++i) {
        auto* window = dynamic_cast<app::TFormLibrary*>(main->MDIChildren(i));
        if (window == nullptr || window->Library().Count() != LibraryPatches) return false;
        if (std::find(files.begin(), files.end(), window->Library().FileName) == files.end())
            return false;
    }
    return true;
}

void BM_StartUpToRestoredDesktop(benchmark::State& state) {
    World world;
    const std::vector<std::string> files = WriteDesktopLibraries(world);
    if (files.empty()) {
        state.SkipWithError("the libraries could not be written");
        return;
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        std::optional<Program> program(std::in_place, world);
        const auto end = Clock::now();
        if (!Started() || !DesktopRestored(files)) {
            state.SkipWithError("the desktop was not restored");
            break;
        }
        program.reset();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["libraries"] = DesktopLibraries;
    state.counters["elements"] = DesktopLibraries * LibraryPatches;
}
BENCHMARK(BM_StartUpToRestoredDesktop)->UseManualTime()->Unit(benchmark::kMillisecond);

std::vector<std::uint8_t> WindowPicture(platform::win::HWND wnd) {
    const auto surface = platform::win::WindowSurface(wnd);
    if (!surface) return {};
    const auto* bits = surface->Bits();
    return {bits, bits + static_cast<std::size_t>(surface->Stride()) * surface->Height()};
}

void BM_PaintMainWindow(benchmark::State& state) {
    World world;
    Program program(world);
    testsupport::PumpUntilIdle();
    const platform::win::HWND wnd = app::MainWindow()->Handle();
    const std::vector<std::uint8_t> before = WindowPicture(wnd);
    for (auto _ : state)
        platform::win::RedrawWindow(wnd, nullptr, {},
                                    platform::win::RDW_INVALIDATE | platform::win::RDW_ERASE |
                                        platform::win::RDW_ALLCHILDREN |
                                        platform::win::RDW_UPDATENOW);
    // Painted again, the window shows what it showed.
    if (before.empty() || WindowPicture(wnd) != before)
        state.SkipWithError("the main window painted differently");
}
BENCHMARK(BM_PaintMainWindow)->Unit(benchmark::kMillisecond);

// The screen centre of a link in the window that shows it.
platform::gdi::TPoint CentreOf(toolkit::bars::TdxBarItemLinks& links, int index) {
    const platform::gdi::TRect r = links.VisibleItems(index)->ItemRect;
    return links.BarControl()->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
}

// From the click on "File" in the menu bar to its menu painted on the screen; Escape, twice,
// closes it and leaves the bar between runs, outside the time.
void BM_OpenFileMenu(benchmark::State& state) {
    World world;
    Program program(world);
    app::TFormquintaron& main = *app::MainWindow();
    testsupport::InputDriver driver;
    driver.ActivateWindow(main.Handle());
    testsupport::PumpUntilIdle();
    toolkit::bars::TdxBarItemLinks& bar = main.dxBarManager1.MainMenuBar()->ItemLinks();
    const platform::gdi::TPoint file = CentreOf(bar, 0);
    driver.MoveTo(file);
    testsupport::PumpUntilIdle();
    for (auto _ : state) {
        const auto start = Clock::now();
        driver.Click(file);
        testsupport::PumpUntilIdle();
        const auto end = Clock::now();
        toolkit::bars::TCustomdxBarControl* menu = main.File1.ItemLinks().BarControl();
        if (menu == nullptr || !platform::win::IsWindowVisible(menu->Handle())) {
            state.SkipWithError("File did not open");
            break;
        }
        driver.TypeKey(pw::VK_ESCAPE);
        driver.TypeKey(pw::VK_ESCAPE);
        testsupport::PumpUntilIdle();
        if (main.File1.ItemLinks().BarControl() != nullptr) {
            state.SkipWithError("File did not close");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["frame_ms"] = 1000.0 / 60;
}
BENCHMARK(BM_OpenFileMenu)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
