// JACK ports on a real server of the test's own. They run in real time: every wait is bounded.

#include "platform/midi/jack_midi_port.h"

#include "platform/midi/rtmidi_backend.h"
#include "testsupport/child_process.h"
#include "testsupport/jack_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

using namespace platform::midi;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {

// What a port received, on the server's process thread. Probes (F0H 7DH tag F7H) are kept
// apart: they tell that a connection carries messages.
class Inbox {
public:
    ReceiveHandler Handler() {
        return [this](const std::uint8_t* data, std::size_t length) {
            std::lock_guard lock(mutex_);
            if (length == 4 && data[0] == 0xF0 && data[1] == 0x7D)
                probes_.insert(data[2]);
            else
                received_.emplace_back(data, data + length);
            arrived_.notify_all();
        };
    }
    // Everything received once there are `count` messages, or after five seconds.
    std::vector<Bytes> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, 5s, [&] { return received_.size() >= count; });
        return received_;
    }
    bool WaitForProbe(std::uint8_t tag, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] { return probes_.count(tag) > 0; });
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<Bytes> received_;
    std::set<std::uint8_t> probes_;
};

// A new connection carries messages only from the server's next change of graph, which a
// loaded machine may put off for some cycles: what is sent before is lost. Probes go until one
// arrives, for five seconds at most.
bool Carries(OutputConnection& out, Inbox& inbox, std::uint8_t tag) {
    const std::uint8_t probe[] = {0xF0, 0x7D, tag, 0xF7};
    for (int i = 0; i < 25; ++i) {
        if (!out.Send(probe, sizeof probe)) return false;
        if (inbox.WaitForProbe(tag, 200ms)) return true;
    }
    return false;
}

Bytes SysEx(std::size_t length, std::uint8_t fill) {
    Bytes message(length, fill);
    message.front() = 0xF0;
    message.back() = 0xF7;
    return message;
}

class JackMidiPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::JackServer::Installed())
            GTEST_SKIP() << "jackd is not installed (no jackd in PATH; the package jackd2 has it)";
        std::string whyNot;
        server = testsupport::JackServer::Start(whyNot);
        ASSERT_TRUE(server) << "jackd is installed but no JACK server could start: " << whyNot;
    }

    // Clients of one name on servers side by side would refuse each other.
    std::string Client(const std::string& role) const { return role + "-" + server->Name(); }

    std::unique_ptr<testsupport::JackServer> server;
};

} // namespace

TEST_F(JackMidiPortTest, MessagesArriveWholeAndInOrder) {
    struct Case {
        const char* what;
        std::vector<Bytes> sent;
        std::vector<Bytes> received;
    };
    std::vector<Bytes> many;
    for (std::uint8_t i = 0; i < 40; ++i)
        many.push_back(SysEx(300, i));
    const Case cases[] = {
        {"a short message", {{0x90, 0x3C, 0x40}}, {{0x90, 0x3C, 0x40}}},
        {"a system-exclusive message in pieces",
         {{0xF0, 0x41, 0x10}, {0x01, 0x02}, {0x03, 0xF7}, {0x80, 0x3C, 0x00}},
         {{0xF0, 0x41, 0x10, 0x01, 0x02, 0x03, 0xF7}, {0x80, 0x3C, 0x00}}},
        {"a clock between the pieces",
         {{0xF0, 0x41}, {0xF8}, {0x10, 0xF7}},
         {{0xF8}, {0xF0, 0x41, 0x10, 0xF7}}},
        {"long messages sent at once", many, many},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Inbox inbox;
        auto in = JackMidiInPort::Open(Client("synth"), "in", "", inbox.Handler());
        ASSERT_TRUE(in);
        auto out = JackMidiOutPort::Open(Client("editor"), "out", in->Name());
        ASSERT_TRUE(out);
        EXPECT_EQ(in->Name(), Client("synth") + ":in");
        ASSERT_TRUE(Carries(*out, inbox, 0));
        for (const Bytes& message : c.sent)
            EXPECT_TRUE(out->Send(message.data(), message.size()));
        EXPECT_EQ(inbox.WaitFor(c.received.size()), c.received);
    }
}

TEST_F(JackMidiPortTest, AMessageTheQueueHasNoRoomForIsRefusedAndLaterOnesStillGo) {
    Inbox inbox;
    auto in = JackMidiInPort::Open(Client("synth"), "in", "", inbox.Handler());
    ASSERT_TRUE(in);
    auto out = JackMidiOutPort::Open(Client("editor"), "out", in->Name());
    ASSERT_TRUE(out);
    ASSERT_TRUE(Carries(*out, inbox, 0));
    const Bytes tooLong = SysEx(20000, 0x01);
    const Bytes note = {0x90, 0x3C, 0x40};
    EXPECT_FALSE(out->Send(tooLong.data(), tooLong.size()));
    EXPECT_TRUE(out->Send(note.data(), note.size()));
    EXPECT_EQ(inbox.WaitFor(1), std::vector<Bytes>{note});
}

TEST_F(JackMidiPortTest, APeerThatIsNotThereOpensNothing) {
    EXPECT_FALSE(JackMidiOutPort::Open(Client("editor"), "out", "nobody:in"));
    EXPECT_FALSE(JackMidiInPort::Open(Client("editor"), "in", "nobody:out", [](auto, auto) {}));
}

// Connections opened and closed while another program changes the server's graph: the moments
// when a port unregistered from its running client, as RtMidi closes them, is freed under
// libjack's notification thread. That comes seldom at this server's period; loaded, it crashed
// the program.
TEST_F(JackMidiPortTest, TheBackEndsJackConnectionsCloseWhileTheGraphChangesAndCarryMessages) {
    testsupport::ChildProcess churn({QUINTARON_JACK_CHURN, Client("churn")});
    ASSERT_TRUE(churn.Running());
    Inbox atSynth;
    Inbox atEditor;
    auto synthIn = JackMidiInPort::Open(Client("synth"), "in", "", atSynth.Handler());
    auto synthOut = JackMidiOutPort::Open(Client("synth-out"), "out", "");
    ASSERT_TRUE(synthIn && synthOut);
    RtMidiBackend backend;
    const auto outputs = backend.OutputNames();
    const auto inputs = backend.InputNames();
    const auto output = std::find(outputs.begin(), outputs.end(), synthIn->Name());
    const auto input = std::find(inputs.begin(), inputs.end(), synthOut->Name());
    ASSERT_NE(output, outputs.end());
    ASSERT_NE(input, inputs.end());

    constexpr int Rounds = 40;
    for (int round = 0; round <= Rounds; ++round) {
        auto out = backend.OpenOutput(static_cast<std::size_t>(output - outputs.begin()));
        auto in =
            backend.OpenInput(static_cast<std::size_t>(input - inputs.begin()), atEditor.Handler());
        ASSERT_TRUE(out && in) << "round " << round;
        if (round == Rounds) {
            // The last connections still carry messages both ways.
            EXPECT_TRUE(Carries(*out, atSynth, 1));
            EXPECT_TRUE(Carries(*synthOut, atEditor, 2));
        }
    }
    // It ends by itself on SIGTERM: a churning client that had to be killed hung in libjack.
    // The bound is generous: on a loaded machine its goodbye to the server takes seconds.
    EXPECT_TRUE(churn.Stop(60s)) << churn.Output();
}

// Bounded real time: libjack tells of the server's changes on threads of its own.
template <class Condition> bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// The instrument's program stops and starts again under its name while our ports stay open on
// the server: our ports say their peer has gone and refuse to send meanwhile, then connect to it
// again by name by themselves, and messages go both ways again.
TEST_F(JackMidiPortTest, PortsWhosePeerStopsAndStartsAgainConnectToItAgainByName) {
    Inbox atSynth;
    Inbox atEditor;
    auto synthIn = JackMidiInPort::Open(Client("synth-in"), "midi", "", atSynth.Handler());
    auto synthOut = JackMidiOutPort::Open(Client("synth-out"), "midi", "");
    ASSERT_TRUE(synthIn && synthOut);
    const std::string toSynth = synthIn->Name();
    const std::string fromSynth = synthOut->Name();
    auto out = JackMidiOutPort::Open(Client("editor-out"), "out", toSynth);
    auto in = JackMidiInPort::Open(Client("editor-in"), "in", fromSynth, atEditor.Handler());
    ASSERT_TRUE(out && in);
    ASSERT_TRUE(Carries(*out, atSynth, 1));
    EXPECT_EQ(out->State(), Link::Connected);
    EXPECT_EQ(in->State(), Link::Connected);

    synthIn.reset();
    synthOut.reset();
    EXPECT_TRUE(Eventually([&] { return out->State() == Link::PeerGone; }));
    EXPECT_TRUE(Eventually([&] { return in->State() == Link::PeerGone; }));
    const Bytes note = {0x90, 0x3C, 0x40};
    EXPECT_FALSE(out->Send(note.data(), note.size()));
    EXPECT_EQ(out->Relink(), Link::PeerGone);

    Inbox again;
    synthIn = JackMidiInPort::Open(Client("synth-in"), "midi", "", again.Handler());
    synthOut = JackMidiOutPort::Open(Client("synth-out"), "midi", "");
    ASSERT_TRUE(synthIn && synthOut);
    ASSERT_EQ(synthIn->Name(), toSynth);
    EXPECT_TRUE(Eventually([&] { return out->State() == Link::Connected; }));
    EXPECT_TRUE(Eventually([&] { return in->State() == Link::Connected; }));
    EXPECT_TRUE(Carries(*out, again, 2));
    EXPECT_TRUE(Carries(*synthOut, atEditor, 3));
}

// What no cycle has carried yet is undelivered: a stopped server would lose it. A frozen server
// runs no cycles; thawed, it carries the message.
TEST_F(JackMidiPortTest, AMessageNoCycleHasCarriedCountsAsUndelivered) {
    Inbox inbox;
    auto in = JackMidiInPort::Open(Client("synth"), "in", "", inbox.Handler());
    ASSERT_TRUE(in);
    auto out = JackMidiOutPort::Open(Client("editor"), "out", in->Name());
    ASSERT_TRUE(out);
    ASSERT_TRUE(Carries(*out, inbox, 0));
    EXPECT_TRUE(Eventually([&] { return out->Undelivered() == 0; }));

    server->Freeze();
    const Bytes note = {0x90, 0x3C, 0x40};
    EXPECT_TRUE(out->Send(note.data(), note.size()));
    EXPECT_TRUE(out->Send(note.data(), note.size()));
    EXPECT_EQ(out->Undelivered(), 2u);
    server->Thaw();
    EXPECT_EQ(inbox.WaitFor(2), (std::vector<Bytes>{note, note}));
    EXPECT_TRUE(Eventually([&] { return out->Undelivered() == 0; }));
}
