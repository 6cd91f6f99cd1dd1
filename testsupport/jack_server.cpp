#include "testsupport/jack_server.h"

#include <jack/jack.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testsupport {

namespace {

void Quiet(const char*) {}

// The probe is named after the server: JACK finds a new client's socket by the client's name
// alone, so probes of one name on servers starting side by side would refuse each other.
bool TakesClients(const std::string& name) {
    jack_status_t status{};
    const std::string probe = "probe-" + name;
    jack_client_t* client = jack_client_open(
        probe.c_str(), static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status,
        name.c_str());
    if (!client) return false;
    jack_client_close(client);
    return true;
}

// Synchronous: a cycle starts only once every client has finished the last one (or the client
// time-out has passed). Without it a client that a loaded machine schedules late reads its input
// after the next cycle has already cleared it, and MIDI events are lost, which no real-time
// priority is here to prevent.
std::vector<std::string> Arguments(const std::string& name) {
    return {"jackd", "--no-realtime", "--sync", "--timeout", "2000", "--name", name,
            "-d",    "dummy",         "-p",     "256"};
}

// Where the server keeps its socket, its registry of servers and its clients' semaphores.
constexpr const char* SharedFolder = "/dev/shm";

// A server keeps a slot in the machine's registry of servers (eight slots) and its socket until
// it stops cleanly. One that had to be killed (it stops slowly, ten times its client time-out,
// when a client died without closing, as the program under test does when a signal ends it)
// keeps them, and only a server of the same name reclaims them: one is started under that name
// again, without clients, and stopped cleanly.
void Reclaim(const std::string& name, const std::string& log) {
    ChildProcess again(Arguments(name), log);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (again.Running() && std::chrono::steady_clock::now() < deadline && !TakesClients(name))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    again.Stop();
}

// The semaphores of clients the server could not close, and its socket if reclaiming failed:
// their names hold the server's name, which no one else uses.
void RemoveLeftovers(const std::string& name) {
    const std::string semaphore = "jack_sem." + std::to_string(getuid()) + "_" + name + "_";
    const std::string socket = "jack_" + name + "_";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(SharedFolder, error)) {
        const std::string file = entry.path().filename().string();
        if (file.starts_with(semaphore) || file.starts_with(socket))
            std::filesystem::remove(entry.path(), error);
    }
}

} // namespace

bool JackServer::Installed() {
    return InPath("jackd");
}

JackServer::JackServer(Key, std::string name)
    : name_(std::move(name)), process_(Arguments(name_), log_) {}

bool JackServer::Stop() {
    if (!process_.Stop()) killed_ = true;
    return !killed_;
}

void JackServer::Freeze() {
    process_.Signal(SIGSTOP);
}

void JackServer::Thaw() {
    process_.Signal(SIGCONT);
}

JackServer::~JackServer() {
    if (!Stop())
        Reclaim(name_, folder_.Path().empty() ? std::string() : folder_.PathOf("reclaim.log"));
    RemoveLeftovers(name_);
    unsetenv("JACK_DEFAULT_SERVER");
}

std::string JackServer::UniqueName() {
    static int serial = 0;
    return "quintaron-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
}

std::unique_ptr<JackServer> JackServer::Start(std::string& whyNot, std::string name) {
    jack_set_error_function(&Quiet);
    jack_set_info_function(&Quiet);
    if (name.empty()) name = UniqueName();
    auto server = std::make_unique<JackServer>(Key{}, name);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!server->process_.Running()) {
            whyNot = "jackd -d dummy did not start or ended at once: " + server->process_.Output();
            return nullptr;
        }
        if (TakesClients(name)) {
            setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
            return server;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    whyNot = "jackd -d dummy took no clients within 5 s " + server->process_.Output();
    return nullptr;
}

} // namespace testsupport
