#pragma once
// A program started by a test and stopped with it: a JACK server, the simulated instrument, an X
// server, the program itself.

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// Whether a program of that name is in PATH, as a child started by name would be found.
bool InPath(const std::string& program);

class ChildProcess {
public:
    // Looks the program up in PATH unless it holds a slash. Its output goes to logFile
    // (nothing when empty). Running() is false when it could not be started.
    ChildProcess(const std::vector<std::string>& argv, const std::string& logFile = {});
    // Stops it: SIGTERM, then SIGKILL when it has not ended within two seconds.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Running();
    // None when it could not be started.
    pid_t Pid() const { return pid_; }
    // SIGTERM, then SIGKILL when it has not ended within grace. True when it ended by itself or
    // on SIGTERM; false when it had to be killed, which gives it no chance to clean up what it
    // leaves behind.
    bool Stop(std::chrono::milliseconds grace = std::chrono::seconds(2));
    // Waits at most timeout for the program to end by itself and gives its exit status, -1 when
    // a signal ended it; none while it still runs.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    // Sends the signal (SIGSTOP: the program stops answering, as a hung one; SIGCONT: it goes
    // on). False when the program no longer runs.
    bool Signal(int signal);
    // The last bytes of what the program has written to its log so far, to say why it failed.
    std::string Output(std::size_t last = 400) const;
    // The program has written this whole line to its log so far: how a program says it is ready.
    bool Printed(const std::string& line) const;

private:
    std::string logFile_;
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = 0;
};

} // namespace testsupport
