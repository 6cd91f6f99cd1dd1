#pragma once
// The program as a user meets it: the real program on a virtual X server of the test's own with
// Qt's xcb platform, with or without a window manager, driven by real input that the X server
// delivers; where a case needs the instrument, its MIDI ports are on the simulated instrument
// over a JACK server of the test's own. It runs in real time: every wait is a poll with a
// deadline, and every process it starts is stopped on every path. It skips only where no X server
// can start, and never under CI=true, where that fails.
//
// The screenshots it takes stay for a person to look at with QUINTARON_KEEP_TEST_FILES set; the
// test prints their folder.

#include "e2e/x_input.h"
#include "e2e/x_server.h"
#include "e2e/x_window_manager.h"
#include "platform/gdi/surface.h"
#include "testsupport/child_process.h"
#include "testsupport/jack_server.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

inline constexpr int ScreenWidth = 1024;
inline constexpr int ScreenHeight = 768;
inline constexpr const char* ProgramClass = "quintaron";
inline constexpr const char* MainCaption = "Quintaron 3.0";

bool UnderCi();
platform::gdi::Pixel32 Rgb(const platform::gdi::Surface& screen, int x, int y);
// Dark enough to be text.
bool Ink(platform::gdi::Pixel32 p);

// What a window's rectangle shows on the screen, against what the same rectangle showed before
// the window opened.
struct WindowPixels {
    double Changed = 0;  // of the pixels, those that differ from before
    double Black = 0;    // pure black: what a window reads as that did not draw
    double Ink = 0;      // text
    double Dominant = 0; // the most common colour: the window's face
};
WindowPixels Judge(const platform::gdi::Surface& before, const platform::gdi::Surface& now,
                   const XWindowGeometry& area);
// The window shows itself: its face fills most of it, text marks it, it is not what lay under it
// and not black.
bool ShowsItself(const WindowPixels& pixels);
std::string Describe(const WindowPixels& pixels);

// The rows of a library window's grid as the screen shows them: the grid is the first white (or
// selected) area at least MinGridWidth wide and MinGridHeight tall (a white line alone is a bevel's
// highlight); a row is a band of lines with ink (its icon and texts) between white lines,
// selected when aqua fills it.
struct GridRow {
    int Top = 0;
    int Bottom = 0;
    bool Selected = false;
    int Middle() const { return (Top + Bottom) / 2; }
};
struct Grid {
    int Left = 0;
    int Right = 0;
    std::vector<GridRow> Rows;
};

// The library window's grid within area of the screen; none when there is none.
std::optional<Grid> FindGrid(const platform::gdi::Surface& screen, const XWindowGeometry& area);

class ProgramTest : public ::testing::Test {
protected:
    void TearDown() override;

    // The X server, and openbox on it when asked. Fails (or skips outside CI) when none can start.
    void StartDesktop(bool windowManager);
    // A JACK server of the test's own and the simulated instrument on it (its memory filled with
    // the pattern when asked), so that start-up opens the instrument's ports. The server takes
    // the name given (one the program was told before), else one of its own; with trace the
    // instrument logs every message it receives (Received).
    void StartInstrument(bool pattern = false, const std::string& serverName = {},
                         bool trace = false);
    // The simulated instrument started afresh as StartInstrument started it (its program stopped
    // before, if it still ran), under the same name.
    void StartInstrumentAgain();
    // The messages the traced instrument has received so far (since it started last).
    int Received();
    void StartProgram();
    // Until the main window shows: mainWindow and main are set.
    void WaitForMainWindow();

    // Real time, bounded.
    template <class Condition> bool Wait(Condition condition, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!condition()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }

    // The program's windows besides the main window. A menu's shadow is made of strips that are
    // windows of their own on X; they are no window of their own to the user.
    std::vector<std::string> OtherWindows();
    // Until exactly one window besides the main window shows: it.
    std::optional<std::string> WaitForOneOtherWindow(std::chrono::milliseconds timeout);
    // Until a window besides the main window shows under this name: it.
    std::optional<std::string> WaitForWindowNamed(const std::string& name,
                                                  std::chrono::milliseconds timeout);
    // Until a window besides the main window shows that was not among those before: it.
    std::optional<std::string> WaitForNewWindow(const std::vector<std::string>& before,
                                                std::chrono::milliseconds timeout);
    std::optional<platform::gdi::Surface> Screen() { return x->Screen(); }
    // The screen once it holds still (a window just shown may not have painted yet), or as it is
    // after two seconds; kept as a PNG under name.
    std::optional<platform::gdi::Surface> Shoot(const std::string& name);
    // The window, once painted, shows itself on the screen, judged against before.
    void ExpectShowsItself(const std::string& window, const platform::gdi::Surface& before,
                           const std::string& what);

    std::string ProgramSays();

    // The File menu, the menu bar's first entry.
    int FileX() const { return main->X + 22; }
    int FileY() const { return main->Y + 11; }
    // File opens by mouse, shows itself, and its last command, Exit, ends the program with status
    // 0; a question whether to save a library is answered No.
    void OpenFileAndExit();
    // The library window's grid once it shows this many rows.
    std::optional<Grid> WaitForGridRows(std::size_t rows, std::chrono::milliseconds timeout);
    // The command of a grid row's popup that lies downs entries down (Send 5, Receive 6).
    void RowCommand(const Grid& grid, std::size_t row, int downs);
    // A library file holding one user patch bank, opened by the desktop at start-up.
    void DesktopWithPatchBank();
    // Receive on the grid's bank row from the instrument with its memory in the pattern: the
    // progress window comes and goes with nobody at the mouse, the library saved at Exit holds
    // every byte of the instrument's user patches, and the program ends with status 0.
    void ReceiveBankAndExitSaving(const Grid& grid);
    // File > Exit, saving the library: it holds every byte of the instrument's user patches, and
    // the program ends with status 0.
    void ExitSavingTheInstrumentsBank();

    testsupport::TempFolder folder{"quintaron-e2e-"};
    std::string home = folder.PathOf("home");
    std::string settings = folder.PathOf("settings");
    std::string shots = folder.PathOf("screenshots");
    std::string fixture = folder.PathOf("Fixture.Lib");
    std::string log = folder.PathOf("quintaron.log");
    testsupport::EnvironmentOverride homeOverride{"HOME", home};
    testsupport::EnvironmentOverride settingsOverride{"QUINTARON_CONFIG_DIR", settings};
    testsupport::EnvironmentOverride documentsOverride{"QUINTARON_DOCUMENTS_DIR", home};
    testsupport::EnvironmentOverride platformOverride{"QT_QPA_PLATFORM", "xcb"};
    std::unique_ptr<XServer> x;
    std::unique_ptr<XWindowManager> windowManager;
    std::optional<XInput> input;
    std::unique_ptr<testsupport::JackServer> jack;
    std::optional<testsupport::ChildProcess> sim;
    std::vector<std::string> simArguments;
    std::optional<testsupport::ChildProcess> program;
    std::string mainWindow;
    std::optional<XWindowGeometry> main;
};

} // namespace e2e
