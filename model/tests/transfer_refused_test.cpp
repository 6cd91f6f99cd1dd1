// Transfers whose MIDI system or instrument's port goes away while they run (a sound server
// stopped under them, the instrument's program stopped): the transfer stops before the user hears
// of it, one box at a time says why, Retry goes on once the ports are back, losing no block,
// Cancel ends it, and later commands say that the ports are gone instead of doing nothing.

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
    void StopInstrument() { virtualInstrument.Midi().StopPeer(virtualInstrument.Pair()); }
    void StartInstrument(bool seen) {
        virtualInstrument.Midi().StartPeer(virtualInstrument.Pair(), seen);
    }
    // Messages the output handed on that have not reached the instrument yet.
    int Undelivered() { return state.Midi.Output()->Undelivered(); }

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

// A receive whose system goes away with a request in flight: the time-out says so, its Retry opens
// the ports afresh, the block is asked for again, and the bank arrives whole.
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

    // The request in flight went unanswered; the time-out finds the ports gone and says so rather
    // than that the instrument does not respond.
    EXPECT_EQ(Texts(), (std::vector<std::string>{PortsGone}));
    EXPECT_EQ(timersAtBoxes, (std::vector<bool>{false}));
    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.messagesReceived, 544);
    for (int n = 1; n <= PerformancesPerMemory; ++n)
        EXPECT_EQ(bank.Performance(n - 1).GetName().front(), static_cast<char>('A' + n % 26));
}

// The instrument's program stops in the middle of a receive and starts again under its name: the
// time-out says that its port has gone, not that it does not respond, as often as Retry finds it
// still gone; once it is back (the connection made again by itself, or by Retry) the bank arrives
// whole.
TEST_F(TransferRefusedTest, AReceiveWhoseInstrumentsPortGoesSaysSoAndRetryCompletesItOnceBack) {
    for (const bool seen : {true, false}) {
        SCOPED_TRACE(seen ? "seen coming back" : "connected again by Retry");
        for (int n = 1; n <= PatchesPerMemory; ++n)
            instrument().Write(PatchBase(false, true, n) + ToneOffset(4) + 5,
                               Bytes{static_cast<std::uint8_t>(n % 100 + (seen ? 0 : 1))});
        TPatchBank bank(nullptr);
        bank.SetMemory(true);
        dialogs.messages.clear();
        window.onStep = [this] {
            if (window.messagesReceived == 200 && dialogs.messages.empty()) StopInstrument();
        };
        WatchBoxes();
        dialogs.answers = {mrRetry, mrRetry};
        dialogs.onMessage = [this, seen](const std::string&) {
            timersAtBoxes.push_back(window.Timer().Enabled() || window.TimerCleanup().Enabled());
            if (dialogs.messages.size() == 2) StartInstrument(seen);
        };

        bank.Receive(false);

        const std::string gone = PortGone(virtualInstrument.DefaultName);
        EXPECT_EQ(Texts(), (std::vector<std::string>{gone, gone}));
        EXPECT_TRUE(window.done);
        EXPECT_EQ(window.messagesReceived, 640);
        for (int n = 1; n <= PatchesPerMemory; ++n)
            ASSERT_EQ(bank.Patch(n - 1).Block(4).Image[SysExHeaderLength + 5],
                      static_cast<std::uint8_t>(n % 100 + (seen ? 0 : 1)))
                << "patch " << n;
        timersAtBoxes.clear();
    }
    // Gone, it is said before a command too.
    StopInstrument();
    dialogs.messages.clear();
    EXPECT_FALSE(MidiReady());
    EXPECT_EQ(Texts(), std::vector<std::string>{PortGone(virtualInstrument.DefaultName)});
    StartInstrument(false);
    dialogs.messages.clear();
    EXPECT_TRUE(MidiReady());
    EXPECT_TRUE(dialogs.messages.empty());
}

// The MIDI system stops while a block is still on its way to the instrument (a cable's 320 us a
// byte): that block is lost with the system. Retry sends again from the start of the patch that
// held it, so every block of every patch reaches the instrument, one perhaps twice.
TEST_F(TransferRefusedTest, ABlockUnderWayWhenTheSystemStopsIsSentAgainWithItsPatch) {
    struct Case {
        const char* what;
        // When the instrument has received this many blocks and one more is on its way.
        std::size_t received;
    };
    virtualInstrument.SetWireTime(true);
    for (const Case c :
         {Case{"a tone in the middle of a patch", 102}, Case{"the last tone of a patch", 104}}) {
        SCOPED_TRACE(c.what);
        TPatchBank bank(nullptr);
        bank.SetMemory(true);
        for (int n = 0; n < PatchesPerMemory; ++n)
            for (int b = 0; b < TPatch::BlockCount; ++b)
                bank.Patch(n).Block(b).Image[SysExHeaderLength + 3] =
                    static_cast<std::uint8_t>((n * 5 + b + c.received) % 100);
        const std::size_t before = instrument().Received().size();
        dialogs.messages.clear();
        bool unplugged = false;
        window.onStep = [&] {
            if (!unplugged && instrument().Received().size() - before == c.received &&
                Undelivered() == 1) {
                unplugged = true;
                Unplug();
            }
        };
        dialogs.answers = {mrRetry};
        dialogs.onMessage = [this](const std::string&) { Replug(); };

        bank.Transmit(false);

        EXPECT_TRUE(unplugged);
        EXPECT_EQ(Texts(), std::vector<std::string>{NoPort});
        EXPECT_TRUE(window.done);
        EXPECT_EQ(window.elems, PatchesPerMemory);
        for (int n = 0; n < PatchesPerMemory; ++n)
            for (int b = 0; b < TPatch::BlockCount; ++b) {
                const std::uint16_t offset = b == 0 ? CommonOffset : ToneOffset(b);
                ASSERT_EQ(
                    instrument().Read(SysExAddress(PatchBase(false, true, n + 1), offset, 3), 1),
                    Bytes{static_cast<std::uint8_t>((n * 5 + b + c.received) % 100)})
                    << "patch " << n + 1 << ", block " << b;
            }
    }
}

TEST_F(TransferRefusedTest, WithThePortsNeverOpenedACommandSaysSo) {
    state.Midi.CloseDevs();
    state.Midi.SetOnline(false);
    EXPECT_FALSE(MidiReady());
    EXPECT_EQ(Texts(), (std::vector<std::string>{PortsNotOpened}));
}

} // namespace
} // namespace model
