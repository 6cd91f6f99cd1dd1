#pragma once
// The X window dump format, as the virtual X server keeps its screen in a file (Xvfb -fbdir):
// a big-endian header, a colour table, then the pixels in the server's own order. Only what
// such a screen holds is read: 24 or 32 bits per pixel, true colour.

#include "platform/gdi/surface.h"

#include <optional>
#include <string>

namespace e2e {

// The picture of the file; none when it cannot be read or is of another kind.
std::optional<platform::gdi::Surface> ReadXwdFile(const std::string& path);

} // namespace e2e
