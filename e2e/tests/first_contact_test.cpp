// What a new user meets first, on a desktop with a window manager as well as on the bare X
// server: the first run with no instrument, whose start-up box must be seen and answered; a bank
// received from the instrument while nobody touches the mouse; a start-up through a damaged
// settings file. Every window a case opens is judged by the pixels the screen shows, not by what
// the program believes it drew.

#include "e2e/tests/program_fixture.h"
#include "model/program/config.h"
#include "model/program/quintaron.h"
#include "platform/core/ini_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace e2e {
namespace {

using platform::gdi::Surface;

class FirstContactTest : public ProgramTest {};

// With and without a window manager.
class FirstRunTest : public FirstContactTest, public ::testing::WithParamInterface<bool> {};

// The first run on a machine with no instrument and no MIDI system: start-up says so in a box
// that shows above the intro and takes the keyboard; answered, the program works.
TEST_P(FirstRunTest, TheNoMidiBoxShowsAboveTheIntroAndTheProgramWorksOnceItIsAnswered) {
    ASSERT_NO_FATAL_FAILURE(StartDesktop(GetParam()));
    if (IsSkipped()) return;
    if (::access("/dev/snd/seq", R_OK | W_OK) == 0)
        GTEST_SKIP() << "this machine has the ALSA sequencer: start-up finds a MIDI system";
    // A JACK server nobody runs.
    testsupport::EnvironmentOverride noJack{"JACK_DEFAULT_SERVER",
                                            "quintaron-none-" + std::to_string(::getpid())};
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    // The box, and the screen as it was a poll before it showed.
    std::optional<Surface> before;
    std::optional<std::string> box;
    ASSERT_TRUE(Wait(
        [&] {
            // Read before the look: a box not yet listed was not yet on the screen.
            auto screen = Screen();
            for (const std::string& window : OtherWindows())
                if (input->Name(window) == "Error") box = window;
            if (!box) before = std::move(screen);
            return box.has_value() || !program->Running();
        },
        30s))
        << "no start-up box" << ProgramSays();
    ASSERT_TRUE(box) << "the program ended" << ProgramSays();
    ASSERT_TRUE(before);
    ASSERT_NO_FATAL_FAILURE(ExpectShowsItself(*box, *before, "1-no-midi-box"));
    // Screenshot tools and screen recorders read the screen with XGetImage: they see the box
    // and the intro as the screen shows them.
    const auto shown = Screen();
    const auto read = x->ScreenAsClientsReadIt();
    ASSERT_TRUE(shown && read);
    int differ = 0;
    for (int y = 0; y < shown->Height(); ++y)
        for (int x0 = 0; x0 < shown->Width(); ++x0)
            differ += Rgb(*shown, x0, y) != Rgb(*read, x0, y);
    EXPECT_LT(differ, shown->Width() * shown->Height() / 100)
        << "XGetImage reads the screen otherwise than it shows";

    // A click on the main window, disabled behind it, leaves the box in front; Return answers
    // it: it has the keyboard.
    ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
    ASSERT_TRUE(input->Click(main->X + 40, main->Y + main->Height - 40));
    ASSERT_NO_FATAL_FAILURE(ExpectShowsItself(*box, *before, "2-box-after-a-click-behind"));
    ASSERT_TRUE(input->Key("Return"));
    ASSERT_TRUE(Wait(
        [&] {
            const auto shown = OtherWindows();
            return std::find(shown.begin(), shown.end(), *box) == shown.end();
        },
        10s))
        << "Return did not answer the box" << ProgramSays();

    // Start-up ends: the intro goes, and the main window takes the mouse.
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 10s))
        << "the intro stayed" << ProgramSays();
    ASSERT_NO_FATAL_FAILURE(OpenFileAndExit());
}

INSTANTIATE_TEST_SUITE_P(Desktop, FirstRunTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "UnderAWindowManager" : "OnTheBareServer";
                         });

// A start-up through a settings file that is damaged beyond reason reaches a main window that
// works within seconds.
TEST_F(FirstContactTest, AnAbsurdSettingsFileDoesNotHoldUpStartUp) {
    ASSERT_NO_FATAL_FAILURE(StartDesktop(true));
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(StartInstrument());
    {
        platform::core::TIniFile ini(model::SettingsFileName);
        ini.WriteString("Desktop", "Num Library", "2147483647");
        ini.WriteString("Desktop", "Library1", "\x01\xFF garbage");
        ini.WriteString("Desktop", "Library2", "/nonexistent/folder/none.Lib");
        ini.WriteString("Monitor", "Open", "1");
        ini.WriteString("Monitor", "Width", "2147483647");
        ini.WriteString("Monitor", "Height", "-2147483648");
        ini.WriteString("Keyboard", "Open", "1");
        ini.WriteString("Keyboard", "Left", "99999999999999999999");
        ini.WriteString("Midi", "DeviceID", "-7");
        ini.WriteString("MidiPort", "In", "2147483647");
        ini.WriteString("Expansion", "ExpA", "2147483647");
        ini.WriteString("Preview", "Note", "$FFFFFFFF");
    }
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
    // Whatever start-up has to say (the ports it cannot open) is answered, until start-up ends
    // and the intro goes. The monitor and the keyboard are children of the main window.
    int quiet = 0;
    ASSERT_TRUE(Wait(
        [&] {
            const auto others = OtherWindows();
            for (const std::string& window : others) {
                const auto name = input->Name(window);
                if (name == "Error" || name == "Warning" || name == "Information")
                    input->Key("Return");
            }
            // For a second: a box may follow the last.
            quiet = others.empty() ? quiet + 1 : 0;
            return quiet >= 20;
        },
        30s))
        << "start-up did not end" << ProgramSays();
    ASSERT_NO_FATAL_FAILURE(OpenFileAndExit());
}

// File > Open of a file that is no library (random bytes named ".Lib") is refused aloud: a box
// says so, no library window opens, and the desktop does not record it.
TEST_F(FirstContactTest, AFileThatIsNoLibraryIsRefusedAloud) {
    ASSERT_NO_FATAL_FAILURE(StartDesktop(true));
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(StartInstrument());
    const std::string random = folder.PathOf("Random.Lib");
    {
        std::ofstream out(random, std::ios::binary);
        std::uint32_t seed = 44;
        for (int i = 0; i < 3000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            out.put(static_cast<char>(seed >> 24));
        }
    }
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 20s))
        << "start-up did not end" << ProgramSays();

    // File, then Open by its accelerator; the dialog takes the file's name.
    ASSERT_TRUE(input->Click(FileX(), FileY()));
    ASSERT_TRUE(WaitForOneOtherWindow(5s)) << "File did not open" << ProgramSays();
    ASSERT_TRUE(input->Key("o"));
    ASSERT_TRUE(WaitForWindowNamed("Load Library", 10s)) << "no file dialog" << ProgramSays();
    auto before = Shoot("1-open-dialog.png");
    ASSERT_TRUE(before);
    ASSERT_TRUE(input->Run({"type", "--delay", "20", random}));
    ASSERT_TRUE(input->Key("Return"));

    const auto box = WaitForWindowNamed("Error", 10s);
    ASSERT_TRUE(box) << "the file was not refused" << ProgramSays();
    ASSERT_NO_FATAL_FAILURE(ExpectShowsItself(*box, *before, "2-refusal"));
    ASSERT_TRUE(input->Key("Return"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 10s)) << ProgramSays();
    auto screen = Shoot("3-after-the-refusal.png");
    ASSERT_TRUE(screen);
    EXPECT_FALSE(FindGrid(*screen, *main)) << "a library window opened";

    // Nothing to save, nothing recorded.
    ASSERT_NO_FATAL_FAILURE(OpenFileAndExit());
    const platform::core::TIniFile ini(model::SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 0);
}

// A user patch bank received from the instrument while nobody touches the mouse or the keys ends
// at the instrument's pace, and every byte of it arrived where it belongs.
TEST_F(FirstContactTest, APatchBankArrivesAtTheInstrumentsPaceWithNobodyTouchingTheMouse) {
    ASSERT_NO_FATAL_FAILURE(StartDesktop(true));
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(StartInstrument(true));
    ASSERT_NO_FATAL_FAILURE(DesktopWithPatchBank());
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
    const auto grid = WaitForGridRows(1, 30s);
    ASSERT_TRUE(grid) << "no library window with its bank" << ProgramSays();
    ASSERT_NO_FATAL_FAILURE(ReceiveBankAndExitSaving(*grid));
}

} // namespace
} // namespace e2e
