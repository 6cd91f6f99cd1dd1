// What a new user meets first, on a desktop with a window manager as well as on the bare X
// server: the first run with no instrument, whose start-up box must be seen and answered; a bank
// received from the instrument while nobody touches the mouse; a start-up through a damaged
// settings file. Every window a case opens is judged by the pixels the screen shows, not by what
// the program believes it drew.

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

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace e2e {
namespace {

using platform::gdi::Surface;

// The File menu is the menu bar's first entry; Exit is its last command.
struct FileMenu {
    int X = 0;
    int Y = 0;
};

class FirstContactTest : public ProgramTest {
protected:
    FileMenu File() const { return {main->X + 22, main->Y + 11}; }

    // File opens by mouse, shows itself, and its last command, Exit, ends the program well.
    void OpenFileAndExit() {
        auto before = Shoot("before-file.png");
        ASSERT_TRUE(before);
        const auto shown = OtherWindows();
        ASSERT_TRUE(input->Click(File().X, File().Y));
        const auto menu = WaitForNewWindow(shown, 5s);
        ASSERT_TRUE(menu) << "File did not open" << ProgramSays();
        ASSERT_NO_FATAL_FAILURE(ExpectShowsItself(*menu, *before, "file-menu"));
        const auto geometry = input->Geometry(*menu);
        ASSERT_TRUE(geometry);
        ASSERT_TRUE(
            input->Click(geometry->X + geometry->Width / 2, geometry->Y + geometry->Height - 12));
        // A library that start-up could only open empty is not worth saving.
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
};

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
    ASSERT_TRUE(input->Click(File().X, File().Y));
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

// A user patch bank received from the instrument while nobody touches the mouse or the keys ends
// at the instrument's pace, and every byte of it arrived where it belongs.
TEST_F(FirstContactTest, APatchBankArrivesAtTheInstrumentsPaceWithNobodyTouchingTheMouse) {
    ASSERT_NO_FATAL_FAILURE(StartDesktop(true));
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(StartInstrument(true));
    {
        model::TQuintaron state;
        model::TLibrary library;
        library.Add(model::CreateElemByType(1, &library)).SetName("Bank", false);
        library.FileName = fixture;
        ASSERT_TRUE(library.SaveFile(false));
        platform::core::TIniFile ini(model::SettingsFileName);
        ini.WriteInteger("Desktop", "Num Library", 1);
        ini.WriteString("Desktop", "Library1", fixture);
    }
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
    std::optional<Grid> grid;
    ASSERT_TRUE(Wait(
        [&] {
            auto screen = Screen();
            if (screen) grid = FindGrid(*screen, *main);
            return grid && grid->Rows.size() == 1;
        },
        30s))
        << "no library window with its bank" << ProgramSays();

    // Receive, the sixth command of the row's popup.
    ASSERT_TRUE(input->Click(grid->Left + 120, grid->Rows[0].Middle(), 3));
    ASSERT_TRUE(WaitForOneOtherWindow(5s)) << "no popup" << ProgramSays();
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(input->Key("Down"));
    ASSERT_TRUE(input->Key("Return"));
    const auto started = std::chrono::steady_clock::now();

    // Nothing more from the user: the progress window comes and goes by itself.
    ASSERT_TRUE(WaitForWindowNamed("Receiving", 10s)) << "no progress window" << ProgramSays();
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 30s))
        << "the receive did not end by itself within 30 s" << ProgramSays();
    const auto took = std::chrono::steady_clock::now() - started;
    std::cout << "The bank took "
              << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms\n";
    Shoot("received.png");

    // Saved at exit, it holds the instrument's bytes.
    ASSERT_TRUE(input->Click(File().X, File().Y));
    const auto menu = WaitForOneOtherWindow(5s);
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

} // namespace
} // namespace e2e
