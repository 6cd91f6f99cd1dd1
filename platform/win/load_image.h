#pragma once
// Images read from files (BMP, PNG and the other formats the desktop reads), as the platform's
// LoadImage gives them: a bitmap of the program's own.

#include "platform/gdi/objects.h"
#include "platform/win/messages.h"

#include <string>

namespace platform::win {

inline constexpr UINT IMAGE_BITMAP = 0;
inline constexpr UINT LR_LOADFROMFILE = 0x0010;

// A 32-bit top-down DIB section of the image's own size, opaque pixels as the file has them.
// Only bitmaps from files are read (type IMAGE_BITMAP, flags LR_LOADFROMFILE, cx and cy 0): a
// null handle for anything else, and for a file that cannot be read or is no image.
gdi::HBITMAP LoadImage(const std::string& fileName, UINT type, int cx, int cy, UINT flags);

} // namespace platform::win
