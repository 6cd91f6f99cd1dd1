#pragma once
// Untyped byte files as the class library reads and writes them: fields one after the other,
// numbers little-endian, short strings as a length byte and a fixed number of characters. A
// whole file is read into memory and parsed with TByteReader; a file is built with TByteWriter
// and saved with WriteFileAtomically, so a failed save never leaves half a file behind.

#include "platform/core/exception.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

// A read asked for more bytes than the file had left.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// Reads fields from a byte buffer that the caller keeps alive for the reader's lifetime.
//
// The typed reads are all or nothing: when fewer bytes remain than the field needs they raise
// EReadError, leave the position where it was and set RanOut. Files that may end inside a record
// are read with ReadAvailable, which takes what is there and also sets RanOut when it comes up
// short; Remaining and Eof let a reader stop at a clean boundary.
class TByteReader {
public:
    explicit TByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool Eof() const { return pos_ == bytes_.size(); }
    // Some read since construction asked for more than remained.
    bool RanOut() const { return ranOut_; }

    std::uint8_t ReadU8();
    // One byte; any value but 0 is true.
    bool ReadBool();
    std::int16_t ReadI16();
    std::uint16_t ReadU16();
    std::int32_t ReadI32();
    std::uint32_t ReadU32();
    // 64-bit IEEE 754, the layout of the class library's date-time values.
    double ReadDouble();
    // Fills dest completely.
    void ReadBytes(std::span<std::uint8_t> dest);
    // A field of 1 + maxLength bytes: the length byte, then maxLength character bytes of which
    // the first length count. A length byte above maxLength is taken as maxLength. maxLength is
    // at most 255.
    std::string ReadShortString(std::size_t maxLength);

    // Copies up to dest.size() bytes, as many as remain, and returns how many; the rest of dest
    // is left untouched. Sets RanOut when dest could not be filled.
    std::size_t ReadAvailable(std::span<std::uint8_t> dest);

private:
    // The next n bytes, consumed; raises EReadError when fewer remain.
    const std::uint8_t* Take(std::size_t n);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ranOut_ = false;
};

// Appends fields to a growing byte vector.
class TByteWriter {
public:
    void WriteU8(std::uint8_t v) { bytes_.push_back(v); }
    // 1 for true, 0 for false.
    void WriteBool(bool v) { bytes_.push_back(v ? 1 : 0); }
    void WriteI16(std::int16_t v);
    void WriteU16(std::uint16_t v);
    void WriteI32(std::int32_t v);
    void WriteU32(std::uint32_t v);
    void WriteDouble(double v);
    void WriteBytes(std::span<const std::uint8_t> bytes);
    // Always 1 + maxLength bytes: a longer s is cut to maxLength, unused character bytes are 0.
    void WriteShortString(std::string_view s, std::size_t maxLength);

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    // The bytes written so far, leaving the writer empty.
    std::vector<std::uint8_t> TakeBytes();

private:
    std::vector<std::uint8_t> bytes_;
};

// The whole file's bytes. False when it cannot be read; error (when given) then holds the path
// and the reason, and bytes is empty.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes,
                   std::string* error = nullptr);

} // namespace platform::core
