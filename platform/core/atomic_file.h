#pragma once
// Saving without ever destroying the previous file: the bytes go to a temporary file in the
// target's folder, are flushed, and only then renamed over the target.

#include <cstdint>
#include <span>
#include <string>

namespace platform::core {

// True when the whole file landed. On failure the target is as it was, the temporary file is
// gone, and error (when given) holds the reason.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr);

} // namespace platform::core
