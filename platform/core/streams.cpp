#include "platform/core/streams.h"

#include <algorithm>
#include <cstring>

namespace platform::core {

void TStream::ReadBuffer(void* Buffer, std::size_t Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::size_t Count) {
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::size_t TMemoryStream::Read(void* Buffer, std::size_t Count) {
    const std::size_t N = std::min(Count, FBytes.size() - FPosition);
    if (N != 0) std::memcpy(Buffer, FBytes.data() + FPosition, N);
    FPosition += N;
    return N;
}

std::size_t TMemoryStream::Write(const void* Buffer, std::size_t Count) {
    if (Count == 0) return 0;
    if (FPosition + Count > FBytes.size()) FBytes.resize(FPosition + Count);
    std::memcpy(FBytes.data() + FPosition, Buffer, Count);
    FPosition += Count;
    return Count;
}

void TMemoryStream::SetPosition(std::size_t Value) {
    FPosition = std::min(Value, FBytes.size());
}

} // namespace platform::core
