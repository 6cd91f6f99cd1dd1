#pragma once
// A JACK server of a test's own, on the dummy driver, under a server name nobody else uses so
// that parallel runs do not meet. It is put in force for this process (JACK_DEFAULT_SERVER),
// and so for the children it starts; the destructor stops it and leaves nothing of it in the
// machine's shared memory, even when a client of it died without closing. Its log lives in a
// temporary folder of its own.

#include "testsupport/child_process.h"
#include "testsupport/temp_folder.h"

#include <memory>
#include <string>

namespace testsupport {

class JackServer {
public:
    // The jackd program is in PATH. Where it is, a server that does not start is a fault of the
    // machine that the tests should report, not pass over.
    static bool Installed();
    // Null, with the reason in whyNot, when no server could be started within a few seconds.
    // Named as given (a program told the name before the server runs), else by a name of its own.
    static std::unique_ptr<JackServer> Start(std::string& whyNot, std::string name = {});
    // A name nobody else uses, for a server to start later.
    static std::string UniqueName();
    ~JackServer();
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    const std::string& Name() const { return name_; }
    // The server stops as a user stops it (SIGTERM), so that its clients are told and its slot in
    // the machine's registry of servers is freed; the destructor then has nothing left to stop.
    // False when it had to be killed.
    bool Stop();
    // The server stops answering its clients, as a hung one does, until Thaw.
    void Freeze();
    void Thaw();

    struct Key {
        explicit Key() = default;
    };
    JackServer(Key, std::string name);

private:
    std::string name_;
    TempFolder folder_{"quintaron-jackd-"};
    // None when the folder could not be made.
    std::string log_ = folder_.Path().empty() ? std::string() : folder_.PathOf("jackd.log");
    ChildProcess process_;
    bool killed_ = false;
};

} // namespace testsupport
