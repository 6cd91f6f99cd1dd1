// The MIDI system as it behaves on a real desktop: a bank send whose window draws its counts and
// takes its Cancel while the blocks go out at the instrument's pace; a JACK server stopped in the
// middle of a send, as a user stops it; a JACK server started after the program. The program must
// live through all of it, say what happened once, keep the user's libraries, and use a server
// that came late without a restart.

#include "e2e/tests/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unistd.h>
#include <vector>

namespace e2e {
namespace {

using platform::gdi::Surface;

class MidiSystemTest : public ProgramTest {
protected:
    // The program with the instrument (tracing what it receives, its memory in the pattern when
    // asked) and a library holding a user patch bank; the bank's command (Send 5, Receive 6) has
    // started and its window, named so, shows.
    void StartOnTheBank(int command, const std::string& window, bool pattern) {
        ASSERT_NO_FATAL_FAILURE(StartDesktop(true));
        if (IsSkipped()) return;
        ASSERT_NO_FATAL_FAILURE(StartInstrument(pattern, {}, true));
        ASSERT_NO_FATAL_FAILURE(DesktopWithPatchBank());
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
        grid = WaitForGridRows(1, 30s);
        ASSERT_TRUE(grid) << "no library window with its bank" << ProgramSays();
        ASSERT_NO_FATAL_FAILURE(RowCommand(*grid, 0, command));
        progress = WaitForWindowNamed(window, 10s);
        ASSERT_TRUE(progress) << "no progress window" << ProgramSays();
    }
    void StartSendingTheBank() { StartOnTheBank(5, "Transmitting", false); }

    // The warning box that tells the user, once it shows; none when the program ended first or
    // nothing showed.
    std::optional<std::string> WaitForWarning(std::chrono::milliseconds timeout) {
        std::optional<std::string> box;
        Wait(
            [&] {
                for (const std::string& window : OtherWindows())
                    if (input->Name(window) == "Warning") box = window;
                return box.has_value() || !program->Running();
            },
            timeout);
        return box;
    }

    // Pixels of the rectangle that differ between two screens.
    static int Differing(const Surface& a, const Surface& b, const XWindowGeometry& area) {
        int differ = 0;
        for (int y = area.Y; y < area.Y + area.Height; ++y)
            for (int x0 = area.X; x0 < area.X + area.Width; ++x0)
                differ += Rgb(a, x0, y) != Rgb(b, x0, y);
        return differ;
    }

    std::optional<Grid> grid;
    std::optional<std::string> progress;
};

// While the blocks go out, 50 ms of pacing each, the progress window draws itself and its counts
// as they grow, and its Cancel ends the send before the block after next.
TEST_F(MidiSystemTest, ABankSendDrawsItsCountsAndCancelStopsItWithinABlock) {
    ASSERT_NO_FATAL_FAILURE(StartSendingTheBank());
    if (IsSkipped()) return;
    const auto area = input->Geometry(*progress);
    ASSERT_TRUE(area);
    const auto first = Screen();
    ASSERT_TRUE(first);
    std::this_thread::sleep_for(1500ms);
    const auto later = Shoot("1-transmitting.png");
    ASSERT_TRUE(later);
    const WindowPixels pixels = Judge(*first, *later, *area);
    EXPECT_GT(pixels.Ink, 0.001) << "the progress window shows no text: " << Describe(pixels);
    EXPECT_LT(pixels.Black, 0.5) << "the progress window did not draw: " << Describe(pixels);
    EXPECT_GT(Differing(*first, *later, *area), 0) << "the counts did not change on the screen";

    // Escape is the window's Cancel.
    const int atCancel = Received();
    ASSERT_GT(atCancel, 0) << "nothing reached the instrument";
    ASSERT_TRUE(input->Key("Escape"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 5s))
        << "Cancel did not end the send" << ProgramSays();
    const int atClose = Received();
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(Received(), atClose) << "blocks went out after the window closed";
    // One block may be under way as the key arrives, and one on the wire as it is read.
    EXPECT_LE(atClose, atCancel + 2);
    ASSERT_NO_FATAL_FAILURE(OpenFileAndExit());
}

// The JACK server stops in the middle of a bank send, as a user stops it: the send ends with one
// box, never a box on a box, the library stays, and Exit ends the program well.
TEST_F(MidiSystemTest, AServerStoppedDuringABankSendEndsItWithOneBoxAndTheProgramLives) {
    ASSERT_NO_FATAL_FAILURE(StartSendingTheBank());
    if (IsSkipped()) return;
    ASSERT_TRUE(Wait([&] { return Received() >= 20; }, 10s)) << "the send does not go out";
    ASSERT_TRUE(jack->Stop()) << "the server did not stop on SIGTERM";
    const std::optional<std::string> box = WaitForWarning(10s);
    ASSERT_TRUE(program->Running()) << "the program ended" << ProgramSays();
    ASSERT_TRUE(box) << "nothing told the user" << ProgramSays();
    // For a few seconds the box stands alone over the progress window.
    std::size_t most = 0;
    Wait(
        [&] {
            most = std::max(most, OtherWindows().size());
            return !program->Running();
        },
        3s);
    ASSERT_TRUE(program->Running()) << ProgramSays();
    EXPECT_LE(most, 2u) << "boxes stood on boxes";
    Shoot("1-the-box.png");

    // Cancel: the send ends, its window goes, and the library is there as it was.
    ASSERT_TRUE(input->Key("Escape"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 10s))
        << "the send's windows stayed" << ProgramSays();
    EXPECT_TRUE(WaitForGridRows(1, 5s)) << "the library window went";
    ASSERT_NO_FATAL_FAILURE(OpenFileAndExit());
}

// The instrument's MIDI client stops in the middle of a receive, as a synth switched off, and
// starts again under its name: one box says so, and its Retry, once the instrument is back, goes on
// with the receive until the bank is whole.
TEST_F(MidiSystemTest, TheInstrumentStoppedAndStartedAgainDuringAReceiveIsConnectedAgainByRetry) {
    ASSERT_NO_FATAL_FAILURE(StartOnTheBank(6, "Receiving", true));
    if (IsSkipped()) return;
    ASSERT_TRUE(Wait([&] { return Received() >= 20; }, 30s)) << "the receive does not go on";

    ASSERT_TRUE(sim->Stop()) << "the instrument did not stop on SIGTERM";
    const std::optional<std::string> box = WaitForWarning(30s);
    ASSERT_TRUE(program->Running()) << "the program ended" << ProgramSays();
    ASSERT_TRUE(box) << "nothing told the user" << ProgramSays();
    Shoot("1-the-box.png");

    ASSERT_NO_FATAL_FAILURE(StartInstrumentAgain());
    // Cancel, the box's first button, has the focus; Tab takes it to Retry, and the space bar
    // presses it.
    ASSERT_TRUE(input->Key("Tab"));
    ASSERT_TRUE(input->Key("space"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty() || !program->Running(); }, 60s))
        << "the receive did not end after Retry" << ProgramSays();
    ASSERT_TRUE(program->Running()) << ProgramSays();
    EXPECT_GT(Received(), 0) << "nothing was asked of the instrument after Retry";
    Shoot("2-received.png");
    ASSERT_NO_FATAL_FAILURE(ExitSavingTheInstrumentsBank());
}

// No MIDI system at start-up; the JACK server starts while the program runs. Settings > Midi lists
// its ports, Ok opens them, and a bank arrives whole: no restart.
TEST_F(MidiSystemTest, AServerStartedAfterTheProgramIsUsedThroughTheMidiSettings) {
    ASSERT_NO_FATAL_FAILURE(StartDesktop(true));
    if (IsSkipped()) return;
    if (::access("/dev/snd/seq", R_OK | W_OK) == 0)
        GTEST_SKIP() << "this machine has the ALSA sequencer: start-up finds a MIDI system";
    const std::string serverName = testsupport::JackServer::UniqueName();
    testsupport::EnvironmentOverride lateServer{"JACK_DEFAULT_SERVER", serverName};
    ASSERT_NO_FATAL_FAILURE(DesktopWithPatchBank());
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
    ASSERT_TRUE(WaitForWindowNamed("Error", 30s)) << "no start-up box" << ProgramSays();
    ASSERT_TRUE(input->Key("Return"));
    grid = WaitForGridRows(1, 30s);
    ASSERT_TRUE(grid) << "no library window with its bank" << ProgramSays();

    ASSERT_NO_FATAL_FAILURE(StartInstrument(true, serverName));
    // Settings is the menu bar's second entry: from File, Right opens it; Midi is its first
    // command.
    ASSERT_TRUE(input->Click(FileX(), FileY()));
    ASSERT_TRUE(WaitForOneOtherWindow(5s)) << "File did not open" << ProgramSays();
    ASSERT_TRUE(input->Key("Right"));
    ASSERT_TRUE(input->Key("Return"));
    const auto dialog = WaitForWindowNamed("Midi Settings", 10s);
    ASSERT_TRUE(dialog) << "no Midi settings" << ProgramSays();
    Shoot("1-midi-settings.png");
    // Ok is the default button; the server's only ports are the instrument's, the first listed.
    ASSERT_TRUE(input->Key("Return"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 10s))
        << "the ports were not opened" << ProgramSays();
    ASSERT_NO_FATAL_FAILURE(ReceiveBankAndExitSaving(*grid));
}

} // namespace
} // namespace e2e
