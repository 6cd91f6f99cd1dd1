// The program with a library on its desktop, on the bare X server, its ports on the simulated
// instrument: the library window's grid, menus by mouse and keys, a row deleted and saved at
// exit, a toolbar floated and docked, a maximised child lending the menu bar its buttons.

#include "e2e/tests/program_fixture.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/program/config.h"
#include "model/program/quintaron.h"
#include "platform/core/ini_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {
namespace {

using platform::gdi::Surface;

const std::vector<std::string> FixtureNames = {"Alpha", "Bravo", "Charlie"};

// A caption's colour: far from grey, as the face, the white and the black around it are not.
bool Saturated(platform::gdi::Pixel32 p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return std::max({r, g, b}) - std::min({r, g, b}) > 80;
}

// A restored window's caption bar above the grid: the lines that are mostly one saturated
// colour across the grid's width (its text covers the rest); its right end is the last pixel of
// that colour on its middle line, right of the caption buttons.
struct CaptionBar {
    int Top = 0;
    int Bottom = 0;
    int Right = 0;
};

std::optional<CaptionBar> FindCaptionAbove(const Surface& screen, const Grid& grid,
                                           const XWindowGeometry& area) {
    const int top = grid.Rows.empty() ? 0 : grid.Rows[0].Top;
    std::optional<CaptionBar> bar;
    platform::gdi::Pixel32 colour = 0;
    for (int y = std::max(area.Y, 0); y < top; ++y) {
        const platform::gdi::Pixel32 first = Rgb(screen, grid.Right - 1, y);
        int same = 0;
        for (int x = grid.Left; x < grid.Right; ++x)
            same += Rgb(screen, x, y) == first;
        const bool line = Saturated(first) && same * 3 >= (grid.Right - grid.Left) * 2;
        if (line && !bar) {
            bar = CaptionBar{y, y + 1, 0};
            colour = first;
        } else if (line && bar && first == colour && y == bar->Bottom) {
            bar->Bottom = y + 1;
        } else if (bar) {
            break;
        }
    }
    if (!bar || bar->Bottom - bar->Top < 10) return std::nullopt;
    const int middle = (bar->Top + bar->Bottom) / 2;
    for (int x = grid.Right; x < std::min(area.X + area.Width, screen.Width()); ++x)
        if (Rgb(screen, x, middle) == colour) bar->Right = x + 1;
    return bar;
}

// The columns of a band of lines that hold ink, from left to right.
std::vector<bool> InkColumns(const Surface& screen, int left, int right, int top, int bottom) {
    std::vector<bool> columns;
    for (int x = left; x < right; ++x) {
        bool ink = false;
        for (int y = top; y < bottom && !ink; ++y)
            ink = Ink(Rgb(screen, x, y));
        columns.push_back(ink);
    }
    return columns;
}

// The runs of inked columns: [first, last + 1) each, offset by left.
std::vector<std::pair<int, int>> InkRuns(const std::vector<bool>& columns, int left) {
    std::vector<std::pair<int, int>> runs;
    for (std::size_t x = 0; x < columns.size(); ++x) {
        if (!columns[x]) continue;
        if (!runs.empty() && runs.back().second == left + static_cast<int>(x))
            ++runs.back().second;
        else
            runs.emplace_back(left + static_cast<int>(x), left + static_cast<int>(x) + 1);
    }
    return runs;
}

// The program and what the test knows of it; stopped (SIGTERM, then SIGKILL) on every path.
class ProgramWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartDesktop(false));
        if (IsSkipped()) return;
        // The ports open on the simulated instrument, so that start-up has nothing to report.
        ASSERT_NO_FATAL_FAILURE(StartInstrument());
    }

    // A library of three patches in a file of the test's, written by the model's own code.
    void WriteFixtureLibrary() {
        model::TLibrary library;
        for (const std::string& name : FixtureNames) {
            auto patch = model::CreateElemByType(0, &library);
            patch->SetName(name, false);
            library.Add(std::move(patch));
        }
        library.FileName = fixture;
        ASSERT_TRUE(library.SaveFile(false));
    }

    // The program with the fixture library on its desktop, up to the library window's three rows
    // on the screen: mainWindow, main and grid are set.
    void StartWithFixtureLibrary() {
        {
            model::TQuintaron state;
            WriteFixtureLibrary();
            platform::core::TIniFile ini(model::SettingsFileName);
            ini.WriteInteger("Desktop", "Num Library", 1);
            ini.WriteString("Desktop", "Library1", fixture);
        }
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        // The intro, then the main window.
        ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());

        // The desktop restores the fixture library with its three rows.
        ASSERT_TRUE(
            WaitForGrid([](const Grid& g) { return g.Rows.size() == FixtureNames.size(); }, 30s))
            << "no library window with " << FixtureNames.size()
            << " rows: " << (grid ? std::to_string(grid->Rows.size()) + " rows" : "no grid")
            << ProgramSays();
    }
    // Until the library window's grid, as the screen shows it, meets the condition.
    template <class Condition>
    bool WaitForGrid(Condition condition, std::chrono::milliseconds timeout) {
        return Wait(
            [&] {
                auto screen = Screen();
                if (screen) grid = FindGrid(*screen, *main);
                return grid && condition(*grid);
            },
            timeout);
    }

    std::optional<Grid> grid;
};

TEST_F(ProgramWindowTest, RestoresTheDesktopOpensFileAndAsksToSaveAtExit) {
    ASSERT_NO_FATAL_FAILURE(StartWithFixtureLibrary());
    Shoot("1-restored.png");
    EXPECT_TRUE(OtherWindows().empty()) << "a window besides the main window" << ProgramSays();

    // File by mouse: its menu drops below the menu bar, at the left; Escape closes it.
    const int fileX = main->X + 22;
    const int fileY = main->Y + 11;
    ASSERT_TRUE(input->Click(fileX, fileY));
    std::optional<XWindowGeometry> menu;
    ASSERT_TRUE(Wait(
        [&] {
            const auto others = OtherWindows();
            if (others.size() == 1) menu = input->Geometry(others[0]);
            return menu.has_value();
        },
        5s))
        << "File did not open by mouse" << ProgramSays();
    Shoot("2-file-menu-by-mouse.png");
    EXPECT_GT(menu->Y, fileY);
    EXPECT_LE(menu->X, fileX);
    EXPECT_GT(menu->Height, 100) << "File holds ten commands";
    ASSERT_TRUE(input->Key("Escape"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 30s)) << "Escape left the menu open";

    // File by Alt+F, with the pointer on the main window's background: the same menu.
    ASSERT_TRUE(input->MoveTo(main->X + main->Width / 2, main->Y + main->Height - 40));
    ASSERT_TRUE(input->Key("alt+f"));
    std::optional<XWindowGeometry> keyMenu;
    ASSERT_TRUE(Wait(
        [&] {
            const auto others = OtherWindows();
            if (others.size() == 1) keyMenu = input->Geometry(others[0]);
            return keyMenu.has_value();
        },
        5s))
        << "Alt+F did not open File" << ProgramSays();
    EXPECT_EQ(keyMenu->X, menu->X);
    EXPECT_EQ(keyMenu->Y, menu->Y);
    EXPECT_EQ(keyMenu->Height, menu->Height);
    ASSERT_TRUE(input->Key("Escape"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 30s)) << "Escape left the menu open";

    // A click selects the first row; Delete moves it into the trash, and the library is
    // unsaved. The pointer then rests on the background: the screen shows it, and over the
    // grid it would join two rows.
    ASSERT_TRUE(input->Click(grid->Left + 120, grid->Rows[0].Middle()));
    ASSERT_TRUE(input->MoveTo(main->X + main->Width / 2, main->Y + main->Height - 40));
    ASSERT_TRUE(Wait(
        [&] {
            auto screen = Screen();
            if (screen) grid = FindGrid(*screen, *main);
            return grid && !grid->Rows.empty() && grid->Rows[0].Selected;
        },
        5s))
        << "the click did not select the first row" << ProgramSays();
    ASSERT_TRUE(input->Key("Delete"));
    ASSERT_TRUE(Wait(
        [&] {
            auto screen = Screen();
            if (screen) grid = FindGrid(*screen, *main);
            return grid && grid->Rows.size() == FixtureNames.size() - 1;
        },
        5s))
        << "Delete did not take the row away" << ProgramSays();
    Shoot("3-row-deleted.png");

    // File > Exit by mouse: Exit is the menu's last command.
    ASSERT_TRUE(input->Click(fileX, fileY));
    ASSERT_TRUE(Wait([&] { return OtherWindows().size() == 1; }, 5s))
        << "File did not open" << ProgramSays();
    ASSERT_TRUE(input->Click(menu->X + menu->Width / 2, menu->Y + menu->Height - 12));

    // The shut-down asks to save the unsaved library; the user clicks Yes, the first of the
    // three buttons (75 wide, 8 apart) centred in a row 44 pixels above the box's bottom.
    std::string question;
    std::vector<std::string> shown;
    ASSERT_TRUE(Wait(
        [&] {
            const auto others = OtherWindows();
            shown.clear();
            for (const std::string& window : others)
                shown.push_back(input->Name(window).value_or("?"));
            if (shown == std::vector<std::string>{"Information"}) question = others[0];
            return !question.empty() || !program->Running();
        },
        5s))
        << "no save question; shown: " << ::testing::PrintToString(shown) << ProgramSays();
    ASSERT_FALSE(question.empty()) << "the program ended without asking" << ProgramSays();
    const auto box = input->Geometry(question);
    ASSERT_TRUE(box);
    Shoot("4-save-question.png");
    const int yesX = box->X + (box->Width - 3 * 83 + 8) / 2 + 75 / 2;
    const int yesY = box->Y + box->Height - 44 + 25 / 2;
    ASSERT_TRUE(input->Click(yesX, yesY));

    const std::optional<int> status = program->WaitForExit(10s);
    ASSERT_TRUE(status) << "the program did not end" << ProgramSays();
    EXPECT_EQ(*status, 0) << ProgramSays();
    Shoot("5-after-exit.png");

    // The library went to its file without the deleted patch, and the desktop records it.
    const platform::core::TIniFile ini(model::SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 1);
    EXPECT_EQ(ini.ReadString("Desktop", "Library1", ""), fixture);
    EXPECT_EQ(ini.ReadInteger("Monitor", "Open", -1), 0);
    model::TQuintaron state;
    model::TLibrary saved;
    ASSERT_TRUE(saved.LoadFromFile(fixture));
    std::vector<std::string> names;
    for (int i = 0; i < saved.Count(); ++i)
        names.push_back(saved.Elem(i).GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"Bravo", "Charlie"}));
}

// The toolbar dragged off the top site by its handle floats in a tool window of its own; a double
// click on that window's caption docks it again. The press goes to the docked bar's widget, which
// is gone once the bar floats: the moves and the release must still reach the drag.
TEST_F(ProgramWindowTest, TheToolbarFloatsOffItsHandleAndDocksByItsCaption) {
    ASSERT_NO_FATAL_FAILURE(StartWithFixtureLibrary());
    Shoot("1-docked.png");
    // The top site holds two rows: the menu bar (24 pixels) and the toolbar below it, whose
    // handle is its first few pixels.
    const int docked = grid->Rows[0].Top;
    const int handleX = main->X + 4;
    const int handleY = main->Y + 36;
    const auto floatingToolbar = [&]() -> std::optional<XWindowGeometry> {
        for (const std::string& window : OtherWindows())
            if (input->Name(window) == "ToolBar") return input->Geometry(window);
        return std::nullopt;
    };

    // Pressed on the handle and moved off the top site, it floats at once and follows the
    // pointer; let go 100 pixels below the site, it stays there. The top site shrinks to the menu
    // row and the library window moves up with it.
    ASSERT_TRUE(input->Press(handleX, handleY));
    ASSERT_TRUE(input->MoveTo(handleX + 150, handleY + 50));
    std::optional<XWindowGeometry> floating;
    ASSERT_TRUE(Wait([&] { return (floating = floatingToolbar()).has_value(); }, 30s))
        << "no floating toolbar" << ProgramSays();
    const int dropX = handleX + 300;
    const int dropY = main->Y + 48 + 100;
    const int grabX = handleX + 150 - floating->X;
    const int grabY = handleY + 50 - floating->Y;
    ASSERT_TRUE(input->MoveTo(dropX, dropY));
    ASSERT_TRUE(Wait(
        [&] {
            floating = floatingToolbar();
            return floating && floating->X == dropX - grabX && floating->Y == dropY - grabY;
        },
        30s))
        << "the floating toolbar did not follow the pointer" << ProgramSays();
    ASSERT_TRUE(input->Release(dropX, dropY));
    // Let go, it no longer follows.
    ASSERT_TRUE(input->MoveTo(dropX + 100, dropY + 100));
    ASSERT_TRUE(Wait([&] { return (floating = floatingToolbar()).has_value(); }, 30s));
    EXPECT_EQ(floating->X, dropX - grabX);
    EXPECT_EQ(floating->Y, dropY - grabY);
    EXPECT_GT(floating->Width, floating->Height);
    ASSERT_TRUE(WaitForGrid(
        [&](const Grid& g) { return !g.Rows.empty() && g.Rows[0].Top < docked - 20; }, 30s))
        << "the top site kept the toolbar's row" << ProgramSays();
    const int shrunk = docked - grid->Rows[0].Top;
    EXPECT_LE(shrunk, 30) << "more than the toolbar's row went";
    Shoot("2-floating.png");

    // A double click on its caption, left of the mark and the close button, docks it in its row.
    ASSERT_TRUE(input->DoubleClick(floating->X + 12, floating->Y + 10));
    ASSERT_TRUE(Wait([&] { return !floatingToolbar(); }, 30s))
        << "the toolbar still floats" << ProgramSays();
    // The screen shows the pointer: off the grid, which moves down under where it was.
    ASSERT_TRUE(input->MoveTo(main->X + main->Width - 100, main->Y + main->Height / 2));
    ASSERT_TRUE(
        WaitForGrid([&](const Grid& g) { return !g.Rows.empty() && g.Rows[0].Top == docked; }, 30s))
        << "the top site is not back to two rows" << ProgramSays();
    Shoot("3-docked-again.png");
}

// A maximised library window lends the menu bar its system menu, as the bar's first entry, and
// its three buttons, at the bar's right end, until the middle one restores it.
TEST_F(ProgramWindowTest, AMaximisedLibraryWindowLendsTheMenuBarItsSystemMenuAndButtons) {
    ASSERT_NO_FATAL_FAILURE(StartWithFixtureLibrary());
    const int restored = grid->Rows[0].Top;
    Shoot("1-restored.png");

    // The menu bar's right end, short of its mark, is empty; its entries stand where they stand.
    const int menuTop = main->Y + 2;
    const int menuBottom = main->Y + 22;
    const int endLeft = main->X + main->Width - 100;
    const int endRight = main->X + main->Width - 12;
    const auto menuEnd = [&](const Surface& screen) {
        return InkRuns(InkColumns(screen, endLeft, endRight, menuTop, menuBottom), endLeft);
    };
    // Past the bar's grip, which stays.
    const int entriesLeft = main->X + 10;
    constexpr int Entries = 300;
    auto screen = Screen();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(menuEnd(*screen).empty());
    const std::vector<bool> entries =
        InkColumns(*screen, entriesLeft, entriesLeft + Entries, menuTop, menuBottom);
    // How far right the entries went: the shift at which the columns shown now match them.
    const auto entriesShift = [&](const Surface& now) -> std::optional<int> {
        const std::vector<bool> shown =
            InkColumns(now, entriesLeft, entriesLeft + 2 * Entries, menuTop, menuBottom);
        for (int shift = 0; shift < Entries; ++shift)
            if (std::equal(entries.begin(), entries.end(), shown.begin() + shift)) return shift;
        return std::nullopt;
    };

    // A click on the library window's maximise button, the middle of its three.
    const auto caption = FindCaptionAbove(*screen, *grid, *main);
    ASSERT_TRUE(caption) << "no caption above the library window";
    const int button = caption->Bottom - caption->Top - 4;
    ASSERT_TRUE(input->Click(caption->Right - 2 - (button + 2) - button / 2,
                             caption->Top + 2 + button / 2));
    std::vector<std::pair<int, int>> buttons;
    std::optional<int> shift;
    ASSERT_TRUE(Wait(
        [&] {
            auto now = Screen();
            if (!now) return false;
            buttons = menuEnd(*now);
            shift = entriesShift(*now);
            return buttons.size() == 3 && shift && *shift > 0;
        },
        30s))
        << "the menu bar has " << buttons.size() << " buttons at its end, its entries "
        << (shift ? "moved by " + std::to_string(*shift) : std::string("changed")) << ProgramSays();
    // The system menu's entry, first in the bar, shows the window's icon: at least as wide.
    EXPECT_GE(*shift, 16);
    auto maximised = Shoot("2-maximised.png");
    ASSERT_TRUE(maximised);

    // That entry opens the child's system menu, whose Close command shows its shortcut, Ctrl+F4,
    // in a column of its own at the right: the row holds ink at its left (the caption) and, apart
    // from it, near the right edge.
    ASSERT_TRUE(input->Click(entriesLeft + *shift / 2, (menuTop + menuBottom) / 2));
    const auto systemMenu = WaitForOneOtherWindow(30s);
    ASSERT_TRUE(systemMenu) << "the system menu did not open" << ProgramSays();
    ASSERT_NO_FATAL_FAILURE(ExpectShowsItself(*systemMenu, *maximised, "3-system-menu"));
    const auto menu = input->Geometry(*systemMenu);
    ASSERT_TRUE(menu);
    // Rows of the menu that show a shortcut, on the screen of now.
    const auto shortcutRows = [&] {
        auto opened = Screen();
        if (!opened) return 0;
        int rows = 0;
        bool inRow = false;
        for (int y = menu->Y + 2; y < menu->Y + menu->Height - 2; ++y) {
            const auto runs = InkRuns(
                InkColumns(*opened, menu->X + 2, menu->X + menu->Width - 2, y, y + 1), menu->X + 2);
            const bool shortcut = runs.size() >= 2 &&
                                  runs.back().first > menu->X + menu->Width / 2 &&
                                  runs.front().second < menu->X + menu->Width / 2;
            if (shortcut && !inRow) ++rows;
            inRow = shortcut;
        }
        return rows;
    };
    Wait([&] { return shortcutRows() >= 1; }, 30s);
    EXPECT_GE(shortcutRows(), 1) << "no command shows a shortcut at the right";
    ASSERT_TRUE(input->Key("Escape"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 30s)) << "Escape left the menu open";

    // Its middle button restores the window: the buttons go and the entries return.
    const int restoreX = (buttons[1].first + buttons[1].second) / 2;
    ASSERT_TRUE(input->Click(restoreX, (menuTop + menuBottom) / 2));
    // The screen shows the pointer: it rests below, on the main window's background.
    ASSERT_TRUE(input->MoveTo(main->X + main->Width - 100, main->Y + main->Height / 2));
    ASSERT_TRUE(Wait(
        [&] {
            auto now = Screen();
            if (!now) return false;
            buttons = menuEnd(*now);
            shift = entriesShift(*now);
            return buttons.empty() && shift == 0;
        },
        30s))
        << "the menu bar kept " << buttons.size() << " buttons" << ProgramSays();
    ASSERT_TRUE(WaitForGrid(
        [&](const Grid& g) { return !g.Rows.empty() && g.Rows[0].Top == restored; }, 30s))
        << "the library window did not come back to its place" << ProgramSays();
    Shoot("4-restored-again.png");
}

} // namespace
} // namespace e2e
