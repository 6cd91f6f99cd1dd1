#pragma once
// Saving without ever destroying the previous file, even across a power cut: the bytes go to a
// temporary file in the target's folder and are flushed to disk, the temporary file is renamed
// over the target, and then the folder is flushed so that the rename itself is on disk.
//
// - A file that replaces another keeps the permissions of the one it replaces; a new file gets
//   the permissions the user's umask gives to a new file (0666 less the umask).
// - Saving to a symbolic link replaces the file it leads to (through every link on the way) and
//   leaves the link a link; a link that leads nowhere yet creates the file it names.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform::core {

// True when the whole file landed and is on disk. On failure before the rename the target is as
// it was and the temporary file is gone; when only the folder's flush fails, the new bytes are
// in place but may not survive a power cut. error (when given) then holds the reason.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr);
// The same for a text's bytes as they stand.
bool WriteTextFileAtomically(const std::string& path, std::string_view text,
                             std::string* error = nullptr);

} // namespace platform::core
