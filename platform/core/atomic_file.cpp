#include "platform/core/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::core {

namespace {

bool Fail(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + std::strerror(code);
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error) {
    std::string tmp = path + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return Fail(error, path, errno);
    // mkstemp creates 0600: keep the permissions of the file being replaced, or the usual ones.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            int code = n < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(tmp.c_str());
            return Fail(error, path, code);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int code = errno;
        ::unlink(tmp.c_str());
        return Fail(error, path, code);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int code = errno;
        ::unlink(tmp.c_str());
        return Fail(error, path, code);
    }
    return true;
}

} // namespace platform::core
