#pragma once
// The class library's byte streams: read and write at a position, and the all-or-nothing
// ReadBuffer and WriteBuffer that raise "Stream read error" and "Stream write error" when the
// stream comes up short. A stream also carries the wide-text flag that its owner sets: readers
// and writers of texts store them as UTF-16 when it is set, as 8-bit strings otherwise.

#include "platform/core/byte_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::core {

class TComponent;

class EWriteError : public Exception {
public:
    using Exception::Exception;
};

class TStream {
public:
    virtual ~TStream() = default;

    // As many bytes as there are, up to Count; the number moved.
    virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
    virtual std::size_t Write(const void* Buffer, std::size_t Count) = 0;
    virtual std::size_t Size() const = 0;
    virtual std::size_t Position() const = 0;
    virtual void SetPosition(std::size_t Value) = 0;

    std::size_t Remaining() const { return Size() - Position(); }
    // EReadError when fewer than Count bytes remain; what was there is consumed.
    void ReadBuffer(void* Buffer, std::size_t Count);
    // EWriteError when the stream takes fewer than Count bytes.
    void WriteBuffer(const void* Buffer, std::size_t Count);
    // A component and its properties in the form-stream layout, and back into a component
    // (platform/core/filer.h).
    void WriteComponent(const TComponent& Instance);
    void ReadComponent(TComponent& Instance);

    bool WideText = false;
};

// A stream over a growing block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> Bytes) : FBytes(std::move(Bytes)) {}

    std::size_t Read(void* Buffer, std::size_t Count) override;
    std::size_t Write(const void* Buffer, std::size_t Count) override;
    std::size_t Size() const override { return FBytes.size(); }
    std::size_t Position() const override { return FPosition; }
    // Beyond the end is taken as the end.
    void SetPosition(std::size_t Value) override;

    const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<std::uint8_t> FBytes;
    std::size_t FPosition = 0;
};

} // namespace platform::core
