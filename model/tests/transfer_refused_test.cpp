// Transfers whose MIDI system goes away while they run (a sound server stopped under them): the
// transfer stops before the user hears of it, one box at a time says why, Retry goes on where the
// transfer stood once the ports are back, Cancel ends it, and later commands say that the ports
// are gone instead of doing nothing.

#include "model/elements/bank.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/program/midi_connection.h"
#include "model/sysex/sysex.h"
#include "model/tests/transfer_window_fake.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace model {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The driver's text for a port whose system has gone.
constexpr const char* NoPort = "No MIDI port is present; check the connections.";

class TransferRefusedTest : public fakes::InstrumentFixture {
protected:
    void Unplug() { virtualInstrument.Midi().Unplug(virtualInstrument.Pair()); }
    void Replug() { virtualInstrument.Midi().Replug(virtualInstrument.Pair()); }

    // The window's timers as each box was shown: both must have stopped before it.
    std::vector<bool> timersAtBoxes;

    void WatchBoxes() {
        dialogs.onMessage = [this](const std::string&) {
            timersAtBoxes.push_back(window.Timer().Enabled() || window.TimerCleanup().Enabled());
        };
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : dialogs.messages)
            texts.push_back(message.Text);
        return texts;
    }
};

TEST_F(TransferRefusedTest, APatchBankSendStopsAsksOnceAndGoesOnFromTheRefusedBlockOnceBack) {
    TPatchBank bank(nullptr);
    bank.SetMemory(true);
    for (int n = 0; n < PatchesPerMemory; ++n)
        bank.Patch(n).Block(4).Image[SysExHeaderLength + 128] = static_cast<std::uint8_t>(n);
    const std::size_t before = instrument().Received().size();
    window.onStep = [this] {
        if (window.messagesSent == 100 && dialogs.messages.empty()) Unplug();
    };
    WatchBoxes();
    // Retry while the system is still away asks again; once it is back the send goes on.
    dialogs.answers = {mrRetry, mrRetry};
    dialogs.onMessage = [this](const std::string&) {
        timersAtBoxes.push_back(window.Timer().Enabled() || window.TimerCleanup().Enabled());
        if (dialogs.messages.size() == 2) Replug();
    };

    bank.Transmit(false);

    EXPECT_EQ(Texts(), (std::vector<std::string>{NoPort, PortsGone}));
    EXPECT_EQ(dialogs.messages[0].Buttons, mbRetry | mbCancel);
    EXPECT_EQ(timersAtBoxes, (std::vector<bool>{false, false}));
    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.messagesSent, 640);
    // The refused block never reached the wire and went once it could: nothing lost, nothing twice.
    EXPECT_EQ(instrument().Received().size() - before, 640u);
    for (int n = 1; n <= PatchesPerMemory; ++n)
        ASSERT_EQ(instrument().Read(SysExAddress(PatchBase(false, true, n), ToneOffset(4), 128), 1),
                  Bytes{static_cast<std::uint8_t>(n - 1)})
            << "patch " << n;
}

TEST_F(TransferRefusedTest, CancelEndsTheSendAndLaterCommandsSayThePortsAreGoneUntilTheyAreBack) {
    TPatchBank bank(nullptr);
    bank.SetMemory(true);
    window.onStep = [this] {
        if (window.messagesSent == 20 && dialogs.messages.empty()) Unplug();
    };
    WatchBoxes();
    dialogs.answers = {mrCancel};
    bank.Transmit(false);

    EXPECT_EQ(Texts(), (std::vector<std::string>{NoPort}));
    EXPECT_EQ(timersAtBoxes, (std::vector<bool>{false}));
    EXPECT_FALSE(window.done);
    EXPECT_EQ(window.closes, 1);
    const std::size_t sent = instrument().Received().size();
    Run(5000);
    EXPECT_EQ(instrument().Received().size(), sent);
    EXPECT_FALSE(window.Timer().Enabled());
    EXPECT_FALSE(bank.Transfer.Active());

    dialogs.messages.clear();
    EXPECT_FALSE(MidiReady());
    EXPECT_EQ(Texts(), (std::vector<std::string>{PortsGone}));
    Replug();
    dialogs.messages.clear();
    EXPECT_TRUE(MidiReady());
    EXPECT_TRUE(dialogs.messages.empty());
    window.onStep = nullptr;
    bank.Transmit(false);
    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.messagesSent, 640);
}

// A receive whose system goes away with a request in flight: the time-out's Retry opens the ports
// afresh, the block is asked for again, and the bank arrives whole.
TEST_F(TransferRefusedTest, AReceiveAsksAgainForTheRefusedBlockOnceThePortsAreBack) {
    for (int n = 1; n <= PerformancesPerMemory; ++n)
        instrument().Write(PerformanceBase(false, true, n),
                           Bytes{static_cast<std::uint8_t>('A' + n % 26)});
    TPerformanceBank bank(nullptr);
    bank.SetMemory(true);
    window.onStep = [this] {
        if (window.messagesReceived == 200 && dialogs.messages.empty()) Unplug();
    };
    WatchBoxes();
    dialogs.answers = {mrRetry};
    dialogs.onMessage = [this](const std::string&) {
        timersAtBoxes.push_back(window.Timer().Enabled() || window.TimerCleanup().Enabled());
        Replug();
    };

    bank.Receive(false);

    // The request in flight went unanswered: the time-out's own question.
    EXPECT_EQ(Texts(), (std::vector<std::string>{NotRespondingText}));
    EXPECT_EQ(timersAtBoxes, (std::vector<bool>{false}));
    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.messagesReceived, 544);
    for (int n = 1; n <= PerformancesPerMemory; ++n)
        EXPECT_EQ(bank.Performance(n - 1).GetName().front(), static_cast<char>('A' + n % 26));
}

TEST_F(TransferRefusedTest, WithThePortsNeverOpenedACommandSaysSo) {
    state.Midi.CloseDevs();
    state.Midi.SetOnline(false);
    EXPECT_FALSE(MidiReady());
    EXPECT_EQ(Texts(), (std::vector<std::string>{PortsNotOpened}));
}

} // namespace
} // namespace model
