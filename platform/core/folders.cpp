#include "platform/core/folders.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform::core {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// Where the file name begins: just past the last separator or the drive.
std::size_t NameStart(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return i;
    }
    return HasDrive(path) ? 2 : 0;
}

// Index of the extension's dot, or npos.
std::size_t ExtensionStart(std::string_view path) {
    std::size_t dot = path.rfind('.');
    return dot != std::string_view::npos && dot >= NameStart(path) ? dot : std::string_view::npos;
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (home.empty()) {
        std::vector<char> buffer(16384);
        passwd pw{};
        passwd* found = nullptr;
        if (::getpwuid_r(::getuid(), &pw, buffer.data(), buffer.size(), &found) == 0 && found &&
            found->pw_dir)
            home = found->pw_dir;
    }
    return WithoutTrailingSlashes(home);
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::string XdgFolder(const char* variable, const char* fallback) {
    std::string value = Env(variable);
    if (IsAbsolutePath(value)) return WithoutTrailingSlashes(value);
    std::string home = HomeFolder();
    return home.empty() ? "" : home + fallback;
}

// The first line that "xdg-user-dir DOCUMENTS" prints, or empty when it cannot be run or fails.
std::string AskXdgUserDir() {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return "";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char program[] = "xdg-user-dir";
    char argument[] = "DOCUMENTS";
    char* argv[] = {program, argument, nullptr};
    pid_t pid = 0;
    int spawned = ::posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);

    std::string output;
    if (spawned == 0) {
        char chunk[512];
        for (;;) {
            ssize_t n = ::read(pipeFds[0], chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            output.append(chunk, static_cast<std::size_t>(n));
        }
    }
    ::close(pipeFds[0]);
    if (spawned != 0) return "";

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "";
    return output.substr(0, output.find('\n'));
}

std::string DocumentsFolder() {
    std::string home = HomeFolder();
    std::string answer = WithoutTrailingSlashes(AskXdgUserDir());
    if (IsAbsolutePath(answer) && answer != home) return answer;
    return home.empty() ? "" : home + "/Documents";
}

} // namespace

std::string ExtractFileName(std::string_view path) {
    return std::string(path.substr(NameStart(path)));
}

std::string ExtractFilePath(std::string_view path) {
    return std::string(path.substr(0, NameStart(path)));
}

std::string ExtractFileDir(std::string_view path) {
    std::size_t end = NameStart(path);
    // Keep the separator of a root ("/", "C:\") and of a run of separators ("\\server").
    if (end > 1 && IsSeparator(path[end - 1]) && !IsSeparator(path[end - 2]) &&
        !(end == 3 && HasDrive(path)))
        --end;
    return std::string(path.substr(0, end));
}

std::string ExtractFileExt(std::string_view path) {
    std::size_t dot = ExtensionStart(path);
    return dot == std::string_view::npos ? "" : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::string out(path.substr(0, std::min(ExtensionStart(path), path.size())));
    out += ext;
    return out;
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.empty() || !IsSeparator(out.back())) out += '/';
    return out;
}

bool IsAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::int64_t RegularFileSize(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return -1;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool ForceDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return DirectoryExists(path);
}

std::string GetSpecialFolderPath(SpecialFolder folder) {
    const char* variable = nullptr;
    switch (folder) {
    case SpecialFolder::Documents:
        variable = "QUINTARON_DOCUMENTS_DIR";
        break;
    case SpecialFolder::AppData:
        variable = "QUINTARON_APPDATA_DIR";
        break;
    case SpecialFolder::LocalAppData:
        variable = "QUINTARON_LOCALAPPDATA_DIR";
        break;
    }
    std::string pinned = Env(variable);
    if (!pinned.empty()) return WithoutTrailingSlashes(pinned);

    switch (folder) {
    case SpecialFolder::Documents:
        return DocumentsFolder();
    case SpecialFolder::AppData:
        return XdgFolder("XDG_DATA_HOME", "/.local/share");
    case SpecialFolder::LocalAppData:
        return XdgFolder("XDG_STATE_HOME", "/.local/state");
    }
    return "";
}

std::string GetHomeFolder() {
    return HomeFolder();
}

std::string GetXdgUserDir(std::string_view Name) {
    const std::string home = HomeFolder();
    if (home.empty()) return "";
    const std::string key = "XDG_" + std::string(Name) + "_DIR";
    std::string found;
    std::ifstream file(XdgFolder("XDG_CONFIG_HOME", "/.config") + "/user-dirs.dirs");
    for (std::string line; std::getline(file, line);) {
        std::size_t at = line.find_first_not_of(" \t");
        if (at == std::string::npos || line[at] == '#') continue;
        if (line.compare(at, key.size(), key) != 0) continue;
        at += key.size();
        if (line.compare(at, 2, "=\"") != 0) continue;
        // The shell's double-quoted text, of which the file uses only "$HOME" and backslashes.
        std::string value;
        bool closed = false;
        for (std::size_t i = at + 2; i < line.size(); ++i) {
            if (line[i] == '"') {
                closed = true;
                break;
            }
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            value += line[i];
        }
        if (!closed) continue;
        if (value == "$HOME" || value.starts_with("$HOME/"))
            found = home + value.substr(5);
        else if (IsAbsolutePath(value))
            found = value;
    }
    if (!found.empty()) return WithoutTrailingSlashes(found);
    return Name == "DESKTOP" ? home + "/Desktop" : home;
}

std::string ProgramFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "";
    return ExtractFileDir(exe.string());
}

std::string GetCurrentDir() {
    std::error_code ec;
    std::filesystem::path current = std::filesystem::current_path(ec);
    return ec ? "" : current.string();
}

bool SetCurrentDir(const std::string& Dir) {
    if (Dir.empty()) return false;
    std::error_code ec;
    std::filesystem::current_path(Dir, ec);
    return !ec;
}

} // namespace platform::core
