#include "testsupport/child_process.h"
#include "testsupport/jack_server.h"
#include "testsupport/temp_folder.h"

#include <jack/jack.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace testsupport;

namespace {

// The machine's registry of JACK servers names each running one (eight at most).
bool Registered(const std::string& name) {
    std::ifstream in("/dev/shm/jack-shm-registry", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.find(":" + name + ":") != std::string::npos;
}

// The files in /dev/shm whose names hold the server's name: its socket, its clients' semaphores.
std::vector<std::string> FilesOf(const std::string& name) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", error)) {
        const std::string file = entry.path().filename().string();
        if (file.find("_" + name + "_") != std::string::npos) files.push_back(file);
    }
    return files;
}

// A client in the server's cycle (a port, a process callback) that dies without closing, as the
// program under test does when a signal ends it.
bool DeadClient(const std::string& server) {
    const pid_t child = fork();
    if (child == 0) {
        // Named after its server, as JACK clients on servers side by side must be.
        const std::string name = "doomed-" + server;
        jack_client_t* client = jack_client_open(
            name.c_str(), static_cast<jack_options_t>(JackNoStartServer | JackServerName), nullptr,
            server.c_str());
        const bool active =
            client &&
            jack_set_process_callback(
                client, [](jack_nframes_t, void*) { return 0; }, nullptr) == 0 &&
            jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0) &&
            jack_activate(client) == 0;
        _exit(active ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace

TEST(ChildProcessTest, StopSaysWhetherTheProgramEndedOnTheSignalOrHadToBeKilled) {
    struct Case {
        const char* script;
        bool ended;
    };
    TempFolder folder("quintaron-child-");
    ASSERT_FALSE(folder.Path().empty());
    for (const Case& c : {Case{"echo ready; exec sleep 30", true},
                          Case{"trap '' TERM; echo ready; exec sleep 30", false}}) {
        SCOPED_TRACE(c.script);
        ChildProcess process({"sh", "-c", c.script}, folder.PathOf("log"));
        ASSERT_TRUE(process.Running());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!process.Printed("ready") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(process.Printed("ready"));
        EXPECT_EQ(process.Stop(), c.ended);
        EXPECT_FALSE(process.Running());
        EXPECT_TRUE(process.Stop()) << "stopping again finds it ended";
    }
}

// A server whose client died stops too slowly to wait for and is killed; it still gives its slot
// in the registry back (after eight such runs no server could start on the machine) and leaves no
// file behind.
TEST(JackServerTest, AServerWhoseClientDiedLeavesNothingBehind) {
    if (!JackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (no jackd in PATH; the package jackd2 has it)";
    std::string whyNot;
    auto server = JackServer::Start(whyNot);
    ASSERT_TRUE(server) << "jackd is installed but no JACK server could start: " << whyNot;
    const std::string name = server->Name();
    ASSERT_TRUE(DeadClient(name));
    EXPECT_TRUE(Registered(name));
    EXPECT_FALSE(FilesOf(name).empty());

    server.reset();
    EXPECT_FALSE(Registered(name));
    EXPECT_EQ(FilesOf(name), std::vector<std::string>{});
}

// A run of the tests killed while its server runs (a time-out, a Ctrl+C) leaves the server running
// and holding a slot of the machine's eight. The next server started finds it by what the killed
// run recorded, and stops it.
TEST(JackServerTest, AServerLeftByAKilledRunIsStoppedByTheNextStart) {
    if (!JackServer::Installed())
        GTEST_SKIP() << "jackd is not installed (no jackd in PATH; the package jackd2 has it)";
    // Not inherited by the server the run starts, which would hold it open.
    int report[2];
    ASSERT_EQ(pipe2(report, O_CLOEXEC), 0);
    const pid_t run = fork();
    if (run == 0) {
        close(report[0]);
        std::string whyNot;
        const auto server = JackServer::Start(whyNot);
        const std::string name = server ? server->Name() : std::string();
        const bool told =
            write(report[1], name.data(), name.size()) == static_cast<ssize_t>(name.size());
        close(report[1]);
        // Until killed.
        while (told)
            pause();
        _exit(1);
    }
    ASSERT_GT(run, 0);
    close(report[1]);
    std::string name;
    char buffer[256];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
        name.append(buffer, static_cast<std::size_t>(n));
    close(report[0]);
    kill(run, SIGKILL);
    waitpid(run, nullptr, 0);
    ASSERT_FALSE(name.empty()) << "the run's server did not start";
    ASSERT_TRUE(Registered(name)) << "the killed run's server stopped with it";

    std::string whyNot;
    auto next = JackServer::Start(whyNot);
    ASSERT_TRUE(next) << whyNot;
    // Another test starting a server at the same moment may be the one that stops it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Registered(name) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(Registered(name));
    EXPECT_EQ(FilesOf(name), std::vector<std::string>{});
}
