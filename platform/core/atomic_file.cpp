#include "platform/core/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::core {

namespace {

namespace fs = std::filesystem;

// As many links in a row as the system follows before it gives up with ELOOP.
constexpr int MaxLinksFollowed = 40;

bool Fail(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + std::strerror(code);
    return false;
}

// The file that a save to path replaces: path, or where the symbolic links starting at path
// lead. Nothing when the links run in a circle, or cannot be read (code tells why).
std::optional<fs::path> SaveTarget(const std::string& path, int& code) {
    fs::path target = path;
    for (int links = 0; links <= MaxLinksFollowed; ++links) {
        std::error_code failure;
        const fs::file_status status = fs::symlink_status(target, failure);
        if (failure || !fs::is_symlink(status)) return target;
        const fs::path next = fs::read_symlink(target, failure);
        if (failure) {
            code = failure.value();
            return std::nullopt;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    code = ELOOP;
    return std::nullopt;
}

// A new file beside target, only ours: created with mode, which the umask cuts as it cuts every
// new file's.
int CreateTemporary(const std::string& target, mode_t mode, std::string& name) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
        name = target + suffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, int& code) {
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            code = n < 0 ? errno : EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Until its folder is flushed, a rename can be lost to a power cut: the old file, or none, would
// be back. A folder the system cannot open, or a file system that cannot flush folders, leaves
// nothing more to do.
bool FlushFolder(const fs::path& folder, int& code) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
    if (!flushed) code = errno;
    ::close(fd);
    return flushed;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error) {
    int code = 0;
    const std::optional<fs::path> target = SaveTarget(path, code);
    if (!target) return Fail(error, path, code);
    const std::string targetName = target->string();

    struct stat old {};
    const bool replacing = ::stat(targetName.c_str(), &old) == 0;
    std::string tmp;
    const int fd = CreateTemporary(targetName, replacing ? (old.st_mode & 07777) : 0666, tmp);
    if (fd < 0) return Fail(error, path, errno);
    // The umask cut the old file's permissions too; it keeps them whole.
    if (replacing) ::fchmod(fd, old.st_mode & 07777);

    if (!WriteAll(fd, bytes, code) || ::fsync(fd) != 0) {
        if (code == 0) code = errno;
        ::close(fd);
        ::unlink(tmp.c_str());
        return Fail(error, path, code);
    }
    if (::close(fd) != 0 || ::rename(tmp.c_str(), targetName.c_str()) != 0) {
        code = errno;
        ::unlink(tmp.c_str());
        return Fail(error, path, code);
    }
    if (!FlushFolder(target->parent_path(), code)) return Fail(error, path, code);
    return true;
}

bool WriteTextFileAtomically(const std::string& path, std::string_view text, std::string* error) {
    return WriteFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), error);
}

} // namespace platform::core
