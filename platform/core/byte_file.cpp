#include "platform/core/byte_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::core {

namespace {

// A short string's length lives in one byte.
void CheckShortStringLength(std::size_t maxLength) {
    if (maxLength > 255) throw std::out_of_range("short string longer than 255 characters");
}

std::uint64_t LoadLittleEndian(const std::uint8_t* p, std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t i = n; i-- > 0;)
        v = (v << 8) | p[i];
    return v;
}

void StoreLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

} // namespace

const std::uint8_t* TByteReader::Take(std::size_t n) {
    if (n > Remaining()) {
        ranOut_ = true;
        throw EReadError("Read beyond end of file");
    }
    const std::uint8_t* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
}

std::uint8_t TByteReader::ReadU8() {
    return *Take(1);
}

bool TByteReader::ReadBool() {
    return *Take(1) != 0;
}

std::int16_t TByteReader::ReadI16() {
    return static_cast<std::int16_t>(ReadU16());
}

std::uint16_t TByteReader::ReadU16() {
    return static_cast<std::uint16_t>(LoadLittleEndian(Take(2), 2));
}

std::int32_t TByteReader::ReadI32() {
    return static_cast<std::int32_t>(ReadU32());
}

std::uint32_t TByteReader::ReadU32() {
    return static_cast<std::uint32_t>(LoadLittleEndian(Take(4), 4));
}

double TByteReader::ReadDouble() {
    return std::bit_cast<double>(LoadLittleEndian(Take(8), 8));
}

void TByteReader::ReadBytes(std::span<std::uint8_t> dest) {
    if (dest.empty()) return;
    std::memcpy(dest.data(), Take(dest.size()), dest.size());
}

std::string TByteReader::ReadShortString(std::size_t maxLength) {
    CheckShortStringLength(maxLength);
    const std::uint8_t* p = Take(1 + maxLength);
    std::size_t length = std::min<std::size_t>(p[0], maxLength);
    return std::string(reinterpret_cast<const char*>(p + 1), length);
}

std::size_t TByteReader::ReadAvailable(std::span<std::uint8_t> dest) {
    std::size_t n = std::min(dest.size(), Remaining());
    if (n < dest.size()) ranOut_ = true;
    if (n > 0) std::memcpy(dest.data(), bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

void TByteWriter::WriteI16(std::int16_t v) {
    WriteU16(static_cast<std::uint16_t>(v));
}

void TByteWriter::WriteU16(std::uint16_t v) {
    StoreLittleEndian(bytes_, v, 2);
}

void TByteWriter::WriteI32(std::int32_t v) {
    WriteU32(static_cast<std::uint32_t>(v));
}

void TByteWriter::WriteU32(std::uint32_t v) {
    StoreLittleEndian(bytes_, v, 4);
}

void TByteWriter::WriteDouble(double v) {
    StoreLittleEndian(bytes_, std::bit_cast<std::uint64_t>(v), 8);
}

void TByteWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void TByteWriter::WriteShortString(std::string_view s, std::size_t maxLength) {
    CheckShortStringLength(maxLength);
    std::size_t length = std::min(s.size(), maxLength);
    bytes_.push_back(static_cast<std::uint8_t>(length));
    bytes_.insert(bytes_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(length));
    bytes_.insert(bytes_.end(), maxLength - length, 0);
}

std::vector<std::uint8_t> TByteWriter::TakeBytes() {
    std::vector<std::uint8_t> out;
    out.swap(bytes_);
    return out;
}

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string* error) {
    bytes.clear();
    auto fail = [&](int code) {
        bytes.clear();
        if (error) *error = path + ": " + std::strerror(code);
        return false;
    };

    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        int code = errno;
        ::close(fd);
        return fail(code);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(EISDIR);
    }
    // The size is only a hint: the file may change while it is read, and some files report none.
    if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));

    std::uint8_t chunk[65536];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int code = errno;
            ::close(fd);
            return fail(code);
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return true;
}

} // namespace platform::core
