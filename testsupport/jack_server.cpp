#include "testsupport/jack_server.h"

#include <jack/jack.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace testsupport {

namespace {

void Quiet(const char*) {}

bool TakesClients(const std::string& name) {
    jack_status_t status{};
    jack_client_t* client = jack_client_open(
        "quintaron-probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status,
        name.c_str());
    if (!client) return false;
    jack_client_close(client);
    return true;
}

// The end of the server's own output, to say why it failed.
std::string Tail(const std::string& log) {
    std::ifstream in(log);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() > 400 ? text.substr(text.size() - 400) : text;
}

} // namespace

bool JackServer::Installed() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string program = (folder.empty() ? "." : folder) + "/jackd";
        if (::access(program.c_str(), X_OK) == 0) return true;
    }
    return false;
}

// Synchronous: a cycle starts only once every client has finished the last one (or the client
// time-out has passed). Without it a client that a loaded machine schedules late reads its input
// after the next cycle has already cleared it, and MIDI events are lost, which no real-time
// priority is here to prevent.
JackServer::JackServer(Key, std::string name)
    : name_(std::move(name)), process_({"jackd", "--no-realtime", "--sync", "--timeout", "2000",
                                        "--name", name_, "-d", "dummy", "-p", "256"},
                                       log_) {}

JackServer::~JackServer() {
    process_.Stop();
    unsetenv("JACK_DEFAULT_SERVER");
}

std::unique_ptr<JackServer> JackServer::Start(std::string& whyNot) {
    jack_set_error_function(&Quiet);
    jack_set_info_function(&Quiet);
    static int serial = 0;
    std::string name = "quintaron-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    auto server = std::make_unique<JackServer>(Key{}, name);
    const std::string& log = server->log_;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!server->process_.Running()) {
            whyNot = "jackd -d dummy did not start or ended at once: " + Tail(log);
            return nullptr;
        }
        if (TakesClients(name)) {
            setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
            return server;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    whyNot = "jackd -d dummy took no clients within 5 s " + Tail(log);
    return nullptr;
}

} // namespace testsupport
