#include "platform/midi/rtmidi_backend.h"

#include "platform/midi/jack_midi_port.h"
#include "testsupport/jack_server.h"

#include <jack/jack.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace platform::midi;

namespace {

// A child that opens (and closes) one JACK client of the given name on the server as soon as
// the gate (a pipe) opens, when every write end is closed; whether the server took the client is
// its exit status.
pid_t OpenOnceReleased(const int gate[2], const std::string& client, const std::string& server) {
    const pid_t child = fork();
    if (child == 0) {
        close(gate[1]);
        char byte = 0;
        const bool released = read(gate[0], &byte, 1) == 0;
        jack_status_t status{};
        jack_client_t* opened =
            released
                ? jack_client_open(client.c_str(),
                                   static_cast<jack_options_t>(JackNoStartServer | JackServerName),
                                   &status, server.c_str())
                : nullptr;
        if (opened) jack_client_close(opened);
        _exit(opened ? 0 : 1);
    }
    return child;
}

bool EndedWell(pid_t child) {
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace

TEST(JackClientName, HoldsTheServerNameUnlessItIsTheDefaultOrTooLong) {
    struct Case {
        std::string server;
        std::string client;
    };
    const std::string tooLong(60, 's');
    for (const Case& c :
         {Case{"", "Quintaron"}, Case{"default", "Quintaron"}, Case{"studio", "Quintaron-studio"},
          Case{tooLong, "Quintaron-" + std::to_string(getpid())}}) {
        SCOPED_TRACE(c.server);
        EXPECT_EQ(JackClientName(c.server), c.client);
    }
}

// Two copies of the program, each on a JACK server of its own, started at the same moment. With
// one client name for both, one of them was refused most times and saw no MIDI system.
TEST(JackClientName, TwoProgramsOpenTheirClientsAtOnceOnServersOfTheirOwn) {
    if (!testsupport::JackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (no jackd in PATH; the package jackd2 has it)";
    std::string whyNot;
    const auto servers = testsupport::JackServer::StartSeveral(whyNot, 2);
    ASSERT_EQ(servers.size(), 2u) << "jackd is installed but no JACK server could start: "
                                  << whyNot;
    constexpr int Rounds = 20;
    int refused = 0;
    for (int round = 0; round < Rounds; ++round) {
        int gate[2];
        ASSERT_EQ(pipe(gate), 0);
        std::vector<pid_t> children;
        for (const auto& server : servers)
            children.push_back(
                OpenOnceReleased(gate, JackClientName(server->Name()), server->Name()));
        close(gate[0]);
        // Closing the gate's write end wakes every child at once.
        close(gate[1]);
        for (pid_t child : children)
            refused += EndedWell(child) ? 0 : 1;
    }
    EXPECT_EQ(refused, 0) << "of " << Rounds * 2 << " clients";
}

// A server that stops answering (here stopped by a signal, as a hung one) would hold the caller
// inside libjack for minutes: the program's start-up lists ports on the user-interface thread.
// The first listing gives up after one question's time (3 s) with no JACK port, and every listing
// asked while that question still hangs returns at once: listing inputs then outputs costs one
// wait, not two. Once the server answers, its ports are listed again. The bounds are loose enough
// for a busy machine: a second wait would take a whole question's time.
TEST(RtMidiBackendJack, AServerThatDoesNotAnswerCountsAsNoJack) {
    if (!testsupport::JackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (no jackd in PATH; the package jackd2 has it)";
    std::string whyNot;
    auto server = testsupport::JackServer::Start(whyNot);
    ASSERT_TRUE(server) << "jackd is installed but no JACK server could start: " << whyNot;
    RtMidiBackend backend;

    server->Freeze();
    std::vector<std::vector<std::string>> listings;
    std::vector<std::chrono::steady_clock::duration> took;
    for (auto list :
         {&RtMidiBackend::InputNames, &RtMidiBackend::OutputNames, &RtMidiBackend::InputNames}) {
        const auto start = std::chrono::steady_clock::now();
        listings.push_back((backend.*list)());
        took.push_back(std::chrono::steady_clock::now() - start);
    }
    server->Thaw();
    EXPECT_LT(took[0], std::chrono::seconds(15)) << "the first listing did not give up";
    for (std::size_t i = 1; i < took.size(); ++i)
        EXPECT_LT(took[i], std::chrono::milliseconds(1500))
            << "listing " << i << " waited again for the server that had not answered";
    for (const auto& names : listings)
        for (const std::string& name : names)
            EXPECT_EQ(name.find("Peer"), std::string::npos) << name;

    // A port of the test's own, once the server answers again; named after its server, as JACK
    // clients on servers side by side must be.
    const std::string peerName = "Peer-" + server->Name();
    jack_status_t status{};
    jack_client_t* peer = jack_client_open(peerName.c_str(), JackNoStartServer, &status);
    ASSERT_NE(peer, nullptr);
    ASSERT_NE(jack_port_register(peer, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0),
              nullptr);
    ASSERT_EQ(jack_activate(peer), 0);
    bool listed = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!listed && std::chrono::steady_clock::now() < deadline)
        for (const std::string& name : backend.InputNames())
            listed = listed || name.find(peerName + ":out") != std::string::npos;
    jack_client_close(peer);
    EXPECT_TRUE(listed) << "the server answers again, and its ports are not listed";
}

// A server that stops (SIGTERM, as a user stops it) under open ports: the ports say they are no
// longer connected and refuse to send, and closing them and the back end touches nothing of the
// dead server (closing a client against it crashed the program at exit). Started again under its
// name, it is listed again and its ports open on fresh clients.
TEST(RtMidiBackendJack, PortsOfAServerThatStoppedAreDeadAndCloseSafelyAndItsReturnIsSeen) {
    if (!testsupport::JackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (no jackd in PATH; the package jackd2 has it)";
    std::string whyNot;
    auto server = testsupport::JackServer::Start(whyNot);
    ASSERT_TRUE(server) << "jackd is installed but no JACK server could start: " << whyNot;
    const std::string name = server->Name();
    auto peerName = [&] { return "Peer-" + name; };
    auto peer = JackMidiInPort::Open(peerName(), "in", "", [](const std::uint8_t*, std::size_t) {});
    ASSERT_TRUE(peer);
    auto backend = std::make_unique<RtMidiBackend>();
    const auto outputs = backend->OutputNames();
    ASSERT_EQ(outputs, std::vector<std::string>{peer->Name()});
    auto out = backend->OpenOutput(0);
    ASSERT_TRUE(out && out->Connected());

    ASSERT_TRUE(server->Stop());
    // Each client has the server's notice on a thread of its own, at a moment of its own.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((out->Connected() || peer->Connected()) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(out->Connected());
    EXPECT_FALSE(peer->Connected());
    const std::uint8_t message[] = {0xF0, 0x7D, 0x01, 0xF7};
    EXPECT_FALSE(out->Send(message, sizeof message));
    EXPECT_TRUE(backend->OutputNames().empty());
    out.reset();
    peer.reset();

    server.reset();
    server = testsupport::JackServer::Start(whyNot, name);
    ASSERT_TRUE(server) << "the server did not start again: " << whyNot;
    peer = JackMidiInPort::Open(peerName(), "in", "", [](const std::uint8_t*, std::size_t) {});
    ASSERT_TRUE(peer);
    ASSERT_EQ(backend->OutputNames(), std::vector<std::string>{peer->Name()});
    out = backend->OpenOutput(0);
    ASSERT_TRUE(out && out->Connected());
    EXPECT_TRUE(out->Send(message, sizeof message));
    out.reset();
    backend.reset();
}
