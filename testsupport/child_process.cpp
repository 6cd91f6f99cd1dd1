#include "testsupport/child_process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testsupport {

bool InPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) return true;
    }
    return false;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& logFile)
    : logFile_(logFile) {
    if (argv.empty()) return;
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const char* out = logFile.empty() ? "/dev/null" : logFile.c_str();
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    Stop();
}

bool ChildProcess::Running() {
    if (pid_ < 0 || exited_) return false;
    if (waitpid(pid_, &status_, WNOHANG) == pid_) exited_ = true;
    return !exited_;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (pid_ < 0) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!exited_) return std::nullopt;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

bool ChildProcess::Printed(const std::string& line) const {
    if (logFile_.empty()) return false;
    std::ifstream log(logFile_);
    std::string text;
    while (std::getline(log, text)) {
        // A line is whole only once its end has been written.
        if (text == line && !log.eof()) return true;
    }
    return false;
}

std::string ChildProcess::Output(std::size_t last) const {
    if (logFile_.empty()) return {};
    std::ifstream in(logFile_);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() > last ? text.substr(text.size() - last) : text;
}

bool ChildProcess::Signal(int signal) {
    return Running() && kill(pid_, signal) == 0;
}

bool ChildProcess::Stop(std::chrono::milliseconds grace) {
    if (!Running()) return true;
    // A stopped program would hold the termination until killed.
    kill(pid_, SIGCONT);
    kill(pid_, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + grace;
    while (Running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!Running()) return true;
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
    exited_ = true;
    return false;
}

} // namespace testsupport
