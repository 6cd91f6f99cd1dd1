#pragma once
// A JACK server of a test's own, on the dummy driver, under a server name nobody else uses so
// that parallel runs do not meet. It is put in force for this process (JACK_DEFAULT_SERVER),
// and so for the children it starts; the destructor stops it and leaves nothing of it in the
// machine's shared memory, even when a client of it died without closing. Its log lives in a
// temporary folder of its own.
//
// The machine runs at most eight JACK servers at once (its registry of servers has eight slots;
// a ninth jackd says "Too many servers already active" and ends). Every server started here
// first takes one of eight slots shared by every process of this suite on the machine (a locked
// file, free again when its process ends however it ends), and waits while none is free or
// while servers of others fill the registry. A slot's file records the server in it (pid and
// name), so that a server left running by a run that was killed is stopped by the next start
// that finds its slot free.

#include "testsupport/child_process.h"
#include "testsupport/temp_folder.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

struct JackServerOptions {
    // Named as given (a program told the name before the server runs), else by a name of its own.
    std::string Name;
    int PeriodFrames = 256;
    // The dummy driver's own rate when 0.
    int SampleRate = 0;
    // Every client finishes a cycle before the next starts (see Arguments in the source).
    bool Synchronous = true;
    // How long to wait for a free slot, in this suite and in the machine's registry.
    std::chrono::seconds SlotWait{180};
};

class JackServer {
public:
    // The machine's registry of servers, and so this suite's slots.
    static constexpr int Slots = 8;

    // The jackd program is in PATH. Where it is, a server that does not start is a fault of the
    // machine that the tests should report, not pass over.
    static bool Installed();
    // Null, with the reason in whyNot, when no slot came free in time or the server took no
    // clients within seconds of starting.
    static std::unique_ptr<JackServer> Start(std::string& whyNot, std::string name = {});
    static std::unique_ptr<JackServer> Start(std::string& whyNot, JackServerOptions options);
    // Several servers at once, or none: they take their slots all together.
    static std::vector<std::unique_ptr<JackServer>> StartSeveral(std::string& whyNot,
                                                                 std::size_t count);
    // A name nobody else uses, for a server to start later.
    static std::string UniqueName();
    ~JackServer();
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    const std::string& Name() const { return name_; }
    // What the server printed; gone with the server.
    const std::string& LogFile() const { return log_; }
    // The server stops as a user stops it (SIGTERM, then a wait), so that its clients are told and
    // its slot in the machine's registry of servers is freed; the destructor then has nothing left
    // to stop. False when it had to be killed (the destructor then reclaims its slot).
    bool Stop();
    // The server stops answering its clients, as a hung one does, until Thaw; stopped once this
    // returns.
    void Freeze();
    void Thaw();

    class Slot;
    struct Key {
        explicit Key() = default;
    };
    JackServer(Key, std::unique_ptr<Slot> slot, const JackServerOptions& options);

private:
    // One try; busy when it failed only for want of a free slot.
    static std::unique_ptr<JackServer> Attempt(const JackServerOptions& options,
                                               std::string& whyNot, bool& busy);

    std::unique_ptr<Slot> slot_;
    std::string name_;
    TempFolder folder_{"quintaron-jackd-"};
    // None when the folder could not be made.
    std::string log_ = folder_.Path().empty() ? std::string() : folder_.PathOf("jackd.log");
    std::unique_ptr<ChildProcess> process_;
    bool killed_ = false;
};

} // namespace testsupport
