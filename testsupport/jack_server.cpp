#include "testsupport/jack_server.h"

#include <jack/jack.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long a server may take to end on SIGTERM before it is killed. A dummy server ends within
// a fraction of a second, but not on a machine whose cores are all busy.
constexpr auto Grace = 5s;
// From jackd's start until it takes clients, on a busy machine.
constexpr auto Starting = 30s;
// Between attempts while every slot is taken.
constexpr auto Retry = 100ms;

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
std::vector<std::string> Arguments(const JackServerOptions& options) {
    std::vector<std::string> arguments = {"jackd", "--no-realtime"};
    if (options.Synchronous) arguments.insert(arguments.end(), {"--sync", "--timeout", "2000"});
    arguments.insert(arguments.end(), {"--name", options.Name, "-d", "dummy", "-p",
                                       std::to_string(options.PeriodFrames)});
    if (options.SampleRate > 0)
        arguments.insert(arguments.end(), {"-r", std::to_string(options.SampleRate)});
    return arguments;
}

// Where the server keeps its socket, its registry of servers and its clients' semaphores.
constexpr const char* SharedFolder = "/dev/shm";
// What jackd says when the registry has no slot left.
constexpr const char* RegistryFull = "Too many servers already active";

// The registry names each running server, and one that was killed until its slot is reclaimed.
bool Registered(const std::string& name) {
    std::ifstream in(std::string(SharedFolder) + "/jack-shm-registry", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.find(":" + name + ":") != std::string::npos;
}

// The process of that pid is still the jackd of that name, not one that took the pid since (nor
// its zombie, whose command line is empty).
bool RunsAs(pid_t pid, const std::string& name) {
    if (pid <= 0) return false;
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    const std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return line.find(std::string("--name") + '\0' + name + '\0') != std::string::npos;
}

// Not even a zombie is left of the process: until its parent has reaped it, the registry counts
// its server as running, and a server started under its name to reclaim its slot gives up.
bool Gone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

template <class Condition> bool WaitFor(Condition condition, Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
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

} // namespace testsupport

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUINTARON_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUINTARON_LEAK_CHECKED)
// A test process that talks to JACK: JACK's metadata store (a database every JACK server and
// client of the user shares) leaks what it held when another server on the machine, stopping,
// removed its files under it. That leak is neither the test's nor the code's under test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdb-5.3.so\n";
}
#endif

namespace testsupport {

// One of this suite's slots: a file locked while its process holds it (the lock goes with the
// process, however it ends; children do not inherit it), recording the server in it.
class JackServer::Slot {
public:
    // A free slot, or none. Every free slot it passes that records a server (left by a process
    // that was killed) is emptied: its server stopped and its traces removed. One whose server's
    // slot in the registry could not be reclaimed keeps its record and stays taken, as that slot
    // of the registry is.
    static std::unique_ptr<Slot> TakeFree() {
        const std::string folder = std::string(SharedFolder) + "/quintaron-jack-slots";
        ::mkdir(folder.c_str(), 0777);
        std::unique_ptr<Slot> taken;
        for (int n = 0; n < JackServer::Slots; ++n) {
            const std::string file = folder + "/slot-" + std::to_string(n);
            const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (fd < 0) continue;
            auto slot = std::unique_ptr<Slot>(new Slot(fd));
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) continue;
            if (slot->StopLeftover() && !taken) taken = std::move(slot);
        }
        return taken;
    }
    ~Slot() { ::close(fd_); }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;

    void Record(pid_t pid, const std::string& name) {
        const std::string text = std::to_string(pid) + " " + name + "\n";
        Clear();
        [[maybe_unused]] const auto written = ::pwrite(fd_, text.data(), text.size(), 0);
    }
    void Clear() { [[maybe_unused]] const int truncated = ::ftruncate(fd_, 0); }

    // A server that was killed keeps its slot in the machine's registry of servers and its
    // socket until it stops cleanly (it stops slowly, ten times its client time-out, when a
    // client died without closing, as the program under test does when a signal ends it), and
    // only a server of the same name reclaims them: one is started under that name again, without
    // clients, and stopped cleanly.
    // True when the registry no longer names it.
    bool Reclaim(const std::string& name, const std::string& log) {
        JackServerOptions options;
        options.Name = name;
        for (int attempt = 0; attempt < 3 && Registered(name); ++attempt) {
            ChildProcess again(Arguments(options), log);
            Record(again.Pid(), name);
            WaitFor([&] { return !again.Running() || TakesClients(name); }, 5s);
            again.Stop(Grace);
            Record(0, name);
        }
        return !Registered(name);
    }

private:
    explicit Slot(int fd) : fd_(fd) {}

    // The server a killed process left in the slot: stopped by the pid recorded (as long as that
    // is still the server of that name), its slot in the registry reclaimed if it had to be
    // killed or died, its files removed. False when the registry still names it.
    bool StopLeftover() {
        char text[256] = {};
        const auto read = ::pread(fd_, text, sizeof text - 1, 0);
        if (read <= 0) return true;
        std::istringstream record(std::string(text, static_cast<std::size_t>(read)));
        pid_t pid = 0;
        std::string name;
        if (!(record >> pid >> name)) {
            Clear();
            return true;
        }
        if (RunsAs(pid, name)) {
            ::kill(pid, SIGCONT);
            ::kill(pid, SIGTERM);
            if (!WaitFor([&] { return Gone(pid); }, Grace)) {
                ::kill(pid, SIGKILL);
                WaitFor([&] { return Gone(pid); }, 5s);
            }
        } else if (pid > 0) {
            // It may have ended a moment ago and not yet be reaped.
            WaitFor([&] { return Gone(pid); }, 2s);
        }
        if (!Reclaim(name, {})) return false;
        RemoveLeftovers(name);
        Clear();
        return true;
    }

    int fd_;
};

bool JackServer::Installed() {
    return InPath("jackd");
}

JackServer::JackServer(Key, std::unique_ptr<Slot> slot, const JackServerOptions& options)
    : slot_(std::move(slot)), name_(options.Name) {
    // Named before it runs: a process killed in between leaves a name to clean up after.
    slot_->Record(0, name_);
    process_ = std::make_unique<ChildProcess>(Arguments(options), log_);
    slot_->Record(process_->Pid(), name_);
}

bool JackServer::Stop() {
    if (!process_->Stop(Grace)) killed_ = true;
    return !killed_;
}

namespace {

// The process's state letter in /proc ('T' once stopped); 0 when it cannot be read.
char ProcessState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The state follows the command's closing parenthesis and a blank.
    const std::size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() ? text[close + 2] : 0;
}

} // namespace

void JackServer::Freeze() {
    process_->Signal(SIGSTOP);
    // A signal arrives when the system gets to it: until then the server still runs cycles.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ProcessState(process_->Pid()) != 'T' && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void JackServer::Thaw() {
    process_->Signal(SIGCONT);
}

JackServer::~JackServer() {
    const bool clean =
        Stop() || slot_->Reclaim(name_, folder_.Path().empty() ? std::string()
                                                               : folder_.PathOf("reclaim.log"));
    RemoveLeftovers(name_);
    const char* inForce = std::getenv("JACK_DEFAULT_SERVER");
    if (inForce && inForce == name_) unsetenv("JACK_DEFAULT_SERVER");
    // A slot in the registry that is still lost stays recorded, for a later start to reclaim.
    if (clean)
        slot_->Clear();
    else
        slot_->Record(0, name_);
}

std::string JackServer::UniqueName() {
    static int serial = 0;
    return "quintaron-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
}

std::unique_ptr<JackServer> JackServer::Attempt(const JackServerOptions& options,
                                                std::string& whyNot, bool& busy) {
    jack_set_error_function(&Quiet);
    jack_set_info_function(&Quiet);
    busy = true;
    auto slot = Slot::TakeFree();
    if (!slot) {
        whyNot = "every slot of this suite's stayed taken";
        return nullptr;
    }
    auto server = std::make_unique<JackServer>(Key{}, std::move(slot), options);
    const std::string& name = options.Name;
    ChildProcess& process = *server->process_;
    WaitFor([&] { return !process.Running() || TakesClients(name); }, Starting);
    if (process.Running() && TakesClients(name)) {
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        return server;
    }
    const std::string output = process.Output(4000);
    // Servers of others hold every slot of the machine's registry: one of them may end.
    if (!process.Running() && output.find(RegistryFull) != std::string::npos) {
        whyNot = "the machine's registry of JACK servers stayed full (\"" +
                 std::string(RegistryFull) + "\")";
        return nullptr;
    }
    busy = false;
    whyNot = process.Running() ? "jackd -d dummy took no clients within 30 s: " + output
                               : "jackd -d dummy did not start or ended at once: " + output;
    return nullptr;
}

std::unique_ptr<JackServer> JackServer::Start(std::string& whyNot, std::string name) {
    JackServerOptions options;
    options.Name = std::move(name);
    return Start(whyNot, std::move(options));
}

std::unique_ptr<JackServer> JackServer::Start(std::string& whyNot, JackServerOptions options) {
    if (options.Name.empty()) options.Name = UniqueName();
    const auto deadline = Clock::now() + options.SlotWait;
    for (;;) {
        bool busy = false;
        if (auto server = Attempt(options, whyNot, busy)) return server;
        if (!busy) return nullptr;
        if (Clock::now() >= deadline) {
            whyNot = "no JACK server could start within " +
                     std::to_string(options.SlotWait.count()) + " s: " + whyNot;
            return nullptr;
        }
        std::this_thread::sleep_for(Retry);
    }
}

std::vector<std::unique_ptr<JackServer>> JackServer::StartSeveral(std::string& whyNot,
                                                                  std::size_t count) {
    const JackServerOptions defaults;
    const auto deadline = Clock::now() + defaults.SlotWait;
    std::minstd_rand random(static_cast<unsigned>(getpid()));
    std::uniform_int_distribution<int> backOff(100, 600);
    for (;;) {
        std::vector<std::unique_ptr<JackServer>> servers;
        bool busy = false;
        while (servers.size() < count) {
            JackServerOptions options;
            options.Name = UniqueName();
            auto server = Attempt(options, whyNot, busy);
            if (!server) break;
            servers.push_back(std::move(server));
        }
        if (servers.size() == count) return servers;
        if (!busy) return {};
        // All or none: holding some while waiting for more, processes that each want several
        // could wait for each other until every one of them gives up.
        servers.clear();
        if (Clock::now() >= deadline) {
            whyNot = "no " + std::to_string(count) + " JACK servers could start within " +
                     std::to_string(defaults.SlotWait.count()) + " s: " + whyNot;
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(backOff(random)));
    }
}

} // namespace testsupport
