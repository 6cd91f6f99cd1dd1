#include "e2e/tests/program_fixture.h"

#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/program/config.h"
#include "model/program/quintaron.h"
#include "model/sysex/address_map.h"
#include "platform/core/ini_file.h"
#include "testsupport/instrument_address_map.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <utility>

namespace e2e {

using platform::gdi::Pixel32;
using platform::gdi::Surface;

namespace {

constexpr int MinGridWidth = 300;
constexpr int MinGridHeight = 30;
constexpr platform::gdi::Pixel32 White = 0xFFFFFF;
constexpr platform::gdi::Pixel32 Aqua = 0x00FFFF;

// The grid's white, or its selection's aqua: a selected first row is the grid's top.
bool GridFill(platform::gdi::Pixel32 p) {
    return p == White || p == Aqua;
}

// At least half the line between left and right is the grid's fill.
bool GridLine(const Surface& screen, int y, int left, int right) {
    int fill = 0;
    for (int x = left; x < right; ++x)
        fill += GridFill(Rgb(screen, x, y));
    return fill * 2 >= right - left;
}

// The bytes of user patch n's blocks, as the simulated instrument holds them.
std::vector<std::uint8_t> Expected(int n, int block) {
    const std::uint32_t base = model::PatchBase(false, true, n);
    const std::uint16_t offset = block == 0 ? model::CommonOffset : model::ToneOffset(block);
    const auto size =
        static_cast<std::uint32_t>(block == 0 ? model::CommonDataLength : model::ToneDataLength);
    return testsupport::PatternBytes(
        {testsupport::OffsetToAddress(testsupport::AddressToOffset(base) +
                                      testsupport::AddressToOffset(offset)),
         size});
}

} // namespace

bool UnderCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

Pixel32 Rgb(const Surface& screen, int x, int y) {
    return screen.Pixel(x, y) & 0xFFFFFF;
}

bool Ink(Pixel32 p) {
    return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 300;
}

WindowPixels Judge(const Surface& before, const Surface& now, const XWindowGeometry& area) {
    const int x0 = std::max(area.X, 0);
    const int y0 = std::max(area.Y, 0);
    const int x1 = std::min(area.X + area.Width, now.Width());
    const int y1 = std::min(area.Y + area.Height, now.Height());
    WindowPixels pixels;
    if (x1 <= x0 || y1 <= y0) return pixels;
    std::map<Pixel32, int> colours;
    int changed = 0, black = 0, ink = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Pixel32 p = Rgb(now, x, y);
            changed += p != Rgb(before, x, y);
            black += p == 0;
            ink += Ink(p);
            ++colours[p];
        }
    }
    int dominant = 0;
    for (const auto& [colour, count] : colours)
        dominant = std::max(dominant, count);
    const double all = static_cast<double>(x1 - x0) * (y1 - y0);
    return {changed / all, black / all, ink / all, dominant / all};
}

bool ShowsItself(const WindowPixels& pixels) {
    return pixels.Changed >= 0.3 && pixels.Black < 0.3 && pixels.Ink > 0.002 && pixels.Ink < 0.5 &&
           pixels.Dominant >= 0.3;
}

std::string Describe(const WindowPixels& pixels) {
    std::ostringstream text;
    text << "changed " << pixels.Changed << ", black " << pixels.Black << ", ink " << pixels.Ink
         << ", face " << pixels.Dominant;
    return text.str();
}

std::optional<Grid> FindGrid(const Surface& screen, const XWindowGeometry& area) {
    const int x0 = std::max(area.X, 0);
    const int x1 = std::min(area.X + area.Width, screen.Width());
    const int y1 = std::min(area.Y + area.Height, screen.Height());
    Grid grid;
    int top = -1;
    for (int y = std::max(area.Y, 0); y < y1 && top < 0; ++y) {
        int run = 0;
        for (int x = x0; x < x1; ++x) {
            run = GridFill(Rgb(screen, x, y)) ? run + 1 : 0;
            if (run < MinGridWidth) continue;
            const int left = x - run + 1;
            while (x + 1 < x1 && GridFill(Rgb(screen, x + 1, y)))
                ++x;
            const int right = x + 1;
            bool tall = y + MinGridHeight <= y1;
            for (int below = y + 1; tall && below < y + MinGridHeight; ++below)
                tall = GridLine(screen, below, left, right);
            if (!tall) continue;
            grid.Left = left;
            grid.Right = right;
            top = y;
            break;
        }
    }
    if (top < 0) return std::nullopt;
    const int width = grid.Right - grid.Left;
    GridRow row;
    bool inRow = false;
    for (int y = top; y < y1; ++y) {
        int fill = 0;
        int aqua = 0;
        int ink = 0;
        for (int x = grid.Left; x < grid.Right; ++x) {
            const platform::gdi::Pixel32 p = Rgb(screen, x, y);
            fill += GridFill(p);
            aqua += p == Aqua;
            ink += Ink(p);
        }
        // Below its last row the grid gives way to the window's face.
        const bool inGrid = fill * 2 >= width;
        const bool inked = inGrid && ink > 0;
        if (inked && !inRow) {
            row = GridRow{y, y, false};
            inRow = true;
        }
        if (inked) {
            row.Bottom = y + 1;
            row.Selected = row.Selected || aqua * 3 >= width;
        }
        if (!inked && inRow) {
            inRow = false;
            // Specks are no row.
            if (row.Bottom - row.Top >= 5) grid.Rows.push_back(row);
        }
        if (!inGrid) break;
    }
    return grid;
}

void ProgramTest::TearDown() {
    // What the screen showed when the test failed, for the person who reads the failure.
    if (HasFailure() && x) Shoot("failure.png");
    if (program) program->Stop();
}

void ProgramTest::StartDesktop(bool windowManagerToo) {
    ASSERT_FALSE(folder.Path().empty());
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(settings);
    std::filesystem::create_directories(shots);
    std::cout << "Screenshots: " << shots
              << (std::getenv("QUINTARON_KEEP_TEST_FILES")
                      ? "\n"
                      : " (set QUINTARON_KEEP_TEST_FILES to keep them)\n");
    std::string whyNot;
    if (!XServer::Installed() || !XInput::Installed()) {
        whyNot = "Xvfb or xdotool is not installed (scripts/setup-debian installs them)";
    } else {
        x = XServer::Start(ScreenWidth, ScreenHeight, whyNot);
    }
    if (!x) {
        if (UnderCi()) FAIL() << "no X server could start under CI: " << whyNot;
        GTEST_SKIP() << "no X server could start: " << whyNot;
    }
    input.emplace();
    if (!windowManagerToo) return;
    ASSERT_TRUE(XWindowManager::Installed())
        << "openbox is not installed (scripts/setup-debian installs it)";
    windowManager = XWindowManager::Start(whyNot);
    ASSERT_TRUE(windowManager) << whyNot;
}

void ProgramTest::StartInstrument(bool pattern, const std::string& serverName, bool trace) {
    ASSERT_TRUE(testsupport::JackServer::Installed())
        << "jackd is not installed (scripts/setup-debian installs it)";
    std::string whyNot;
    jack = testsupport::JackServer::Start(whyNot, serverName);
    ASSERT_TRUE(jack) << "no JACK server could start: " << whyNot;
    simArguments = {QUINTARON_SIM_INSTRUMENT,
                    "--api",
                    "jack",
                    "--name",
                    "Sim " + jack->Name(),
                    "--pattern",
                    pattern ? "on" : "off",
                    "--trace",
                    trace ? "on" : "off"};
    ASSERT_NO_FATAL_FAILURE(StartInstrumentAgain());
}

void ProgramTest::StartInstrumentAgain() {
    sim.reset();
    sim.emplace(simArguments, folder.PathOf("sim.log"));
    ASSERT_TRUE(Wait([&] { return sim->Printed("ready"); }, 30s))
        << "the simulated instrument did not get ready: " << sim->Output();
}

int ProgramTest::Received() {
    std::ifstream in(folder.PathOf("sim.log"));
    int count = 0;
    for (std::string line; std::getline(in, line);)
        count += line.rfind("received ", 0) == 0;
    return count;
}

void ProgramTest::OpenFileAndExit() {
    auto before = Shoot("before-file.png");
    ASSERT_TRUE(before);
    const auto shown = OtherWindows();
    ASSERT_TRUE(input->Click(FileX(), FileY()));
    const auto menu = WaitForNewWindow(shown, 5s);
    ASSERT_TRUE(menu) << "File did not open" << ProgramSays();
    ASSERT_NO_FATAL_FAILURE(ExpectShowsItself(*menu, *before, "file-menu"));
    const auto geometry = input->Geometry(*menu);
    ASSERT_TRUE(geometry);
    ASSERT_TRUE(
        input->Click(geometry->X + geometry->Width / 2, geometry->Y + geometry->Height - 12));
    std::optional<int> status;
    Wait(
        [&] {
            for (const std::string& window : OtherWindows())
                if (input->Name(window) == "Information") input->Key("n");
            return (status = program->WaitForExit(0s)).has_value();
        },
        10s);
    ASSERT_TRUE(status) << "File > Exit did not end the program" << ProgramSays();
    EXPECT_EQ(*status, 0) << ProgramSays();
}

std::optional<Grid> ProgramTest::WaitForGridRows(std::size_t rows,
                                                 std::chrono::milliseconds timeout) {
    std::optional<Grid> grid;
    Wait(
        [&] {
            auto screen = Screen();
            if (screen) grid = FindGrid(*screen, *main);
            return grid && grid->Rows.size() == rows;
        },
        timeout);
    if (grid && grid->Rows.size() != rows) grid.reset();
    return grid;
}

void ProgramTest::RowCommand(const Grid& grid, std::size_t row, int downs) {
    ASSERT_TRUE(input->Click(grid.Left + 120, grid.Rows[row].Middle(), 3));
    ASSERT_TRUE(WaitForOneOtherWindow(30s)) << "no popup" << ProgramSays();
    for (int i = 0; i < downs; ++i)
        ASSERT_TRUE(input->Key("Down"));
    ASSERT_TRUE(input->Key("Return"));
}

void ProgramTest::DesktopWithPatchBank() {
    model::TQuintaron state;
    model::TLibrary library;
    library.Add(model::CreateElemByType(model::etPatchBank, &library)).SetName("Bank", false);
    library.FileName = fixture;
    ASSERT_TRUE(library.SaveFile(false));
    platform::core::TIniFile ini(model::SettingsFileName);
    ini.WriteInteger("Desktop", "Num Library", 1);
    ini.WriteString("Desktop", "Library1", fixture);
}

void ProgramTest::StartProgram() {
    program.emplace(std::vector<std::string>{QUINTARON_PROGRAM}, log);
    ASSERT_TRUE(program->Running()) << ProgramSays();
}

void ProgramTest::WaitForMainWindow() {
    ASSERT_TRUE(Wait(
        [&] {
            for (const std::string& window : input->VisibleWindows(ProgramClass))
                if (input->Name(window) == MainCaption) mainWindow = window;
            return !mainWindow.empty() || !program->Running();
        },
        20s))
        << "no main window" << ProgramSays();
    ASSERT_FALSE(mainWindow.empty()) << "the program ended" << ProgramSays();
    main = input->Geometry(mainWindow);
    ASSERT_TRUE(main);
}

std::vector<std::string> ProgramTest::OtherWindows() {
    constexpr int ShadowStrip = 8;
    std::vector<std::string> others;
    for (const std::string& window : input->VisibleWindows(ProgramClass)) {
        if (window == mainWindow) continue;
        const auto geometry = input->Geometry(window);
        if (geometry && (geometry->Width <= ShadowStrip || geometry->Height <= ShadowStrip))
            continue;
        others.push_back(window);
    }
    return others;
}

std::optional<std::string> ProgramTest::WaitForOneOtherWindow(std::chrono::milliseconds timeout) {
    std::optional<std::string> window;
    Wait(
        [&] {
            const auto others = OtherWindows();
            if (others.size() == 1) window = others[0];
            return window.has_value();
        },
        timeout);
    return window;
}

std::optional<std::string> ProgramTest::WaitForWindowNamed(const std::string& name,
                                                           std::chrono::milliseconds timeout) {
    std::optional<std::string> window;
    Wait(
        [&] {
            for (const std::string& shown : OtherWindows())
                if (input->Name(shown) == name) window = shown;
            return window.has_value();
        },
        timeout);
    return window;
}

std::optional<std::string> ProgramTest::WaitForNewWindow(const std::vector<std::string>& before,
                                                         std::chrono::milliseconds timeout) {
    std::optional<std::string> window;
    Wait(
        [&] {
            for (const std::string& shown : OtherWindows())
                if (std::find(before.begin(), before.end(), shown) == before.end()) window = shown;
            return window.has_value();
        },
        timeout);
    return window;
}

std::optional<Surface> ProgramTest::Shoot(const std::string& name) {
    auto screen = Screen();
    if (!screen) {
        ADD_FAILURE() << "the screen cannot be read";
        return std::nullopt;
    }
    bool first = true;
    Wait(
        [&] {
            // Two screens a poll apart.
            if (std::exchange(first, false)) return false;
            auto next = Screen();
            if (!next) return false;
            const bool still = std::equal(
                screen->Bits(), screen->Bits() + screen->Stride() * screen->Height(), next->Bits());
            screen = std::move(next);
            return still;
        },
        2s);
    EXPECT_TRUE(screen->SavePng((std::filesystem::path(shots) / name).string()));
    return screen;
}

void ProgramTest::ExpectShowsItself(const std::string& window, const Surface& before,
                                    const std::string& what) {
    std::optional<XWindowGeometry> geometry;
    WindowPixels pixels;
    // A window paints when the program gets to it after it is mapped, which on a loaded machine
    // may be seconds later, and a screen that holds still for a poll says nothing of that: it is
    // judged until it shows itself, as long as the other waits of these tests allow.
    Wait(
        [&] {
            geometry = input->Geometry(window);
            auto now = Screen();
            if (!geometry || !now) return true;
            pixels = Judge(before, *now, *geometry);
            return ShowsItself(pixels);
        },
        30s);
    ASSERT_TRUE(geometry) << what << ": the window went";
    Shoot(what + ".png");
    EXPECT_TRUE(ShowsItself(pixels))
        << what << " does not show itself on the screen: " << Describe(pixels) << ProgramSays();
}

std::string ProgramTest::ProgramSays() {
    return "\nThe program's output:\n" + (program ? program->Output(2000) : std::string());
}

} // namespace e2e

namespace e2e {

void ProgramTest::ReceiveBankAndExitSaving(const Grid& grid) {
    ASSERT_NO_FATAL_FAILURE(RowCommand(grid, 0, 6)); // Receive
    const auto started = std::chrono::steady_clock::now();

    // Nothing more from the user: the progress window comes and goes by itself.
    ASSERT_TRUE(WaitForWindowNamed("Receiving", 10s)) << "no progress window" << ProgramSays();
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 30s))
        << "the receive did not end by itself within 30 s" << ProgramSays();
    const auto took = std::chrono::steady_clock::now() - started;
    std::cout << "The bank took "
              << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms\n";
    Shoot("received.png");
    ASSERT_NO_FATAL_FAILURE(ExitSavingTheInstrumentsBank());
}

void ProgramTest::ExitSavingTheInstrumentsBank() {
    // Saved at exit, it holds the instrument's bytes.
    ASSERT_TRUE(input->Click(FileX(), FileY()));
    const auto menu = WaitForOneOtherWindow(30s);
    ASSERT_TRUE(menu) << "File did not open" << ProgramSays();
    const auto geometry = input->Geometry(*menu);
    ASSERT_TRUE(geometry);
    ASSERT_TRUE(
        input->Click(geometry->X + geometry->Width / 2, geometry->Y + geometry->Height - 12));
    ASSERT_TRUE(WaitForWindowNamed("Information", 10s)) << "no save question" << ProgramSays();
    ASSERT_TRUE(input->Key("Return")); // Yes, the default button
    const std::optional<int> status = program->WaitForExit(10s);
    ASSERT_TRUE(status) << "the program did not end" << ProgramSays();
    EXPECT_EQ(*status, 0) << ProgramSays();

    model::TQuintaron state;
    model::TLibrary saved;
    ASSERT_TRUE(saved.LoadFromFile(fixture));
    ASSERT_EQ(saved.Count(), 1);
    auto* bank = dynamic_cast<model::TPatchBank*>(&saved.Elem(0));
    ASSERT_NE(bank, nullptr);
    int wrong = 0;
    for (int n = 1; n <= model::PatchesPerMemory; ++n) {
        model::TPatch& patch = bank->Patch(n - 1);
        const auto common = patch.Common->Data();
        wrong += !std::equal(common.begin(), common.end(), Expected(n, 0).begin());
        for (int tone = 1; tone <= model::ToneCount; ++tone) {
            const auto data = patch.Tone(tone).Data();
            wrong += !std::equal(data.begin(), data.end(), Expected(n, tone).begin());
        }
    }
    EXPECT_EQ(wrong, 0) << "blocks of 640 differ from the instrument's";
}

} // namespace e2e
