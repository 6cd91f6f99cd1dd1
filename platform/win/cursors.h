#pragma once
// Mouse cursors: the platform's stock cursors, cursors made from images of our own, and the
// class library's screen cursor table that maps cursor numbers to them.

#include "platform/win/icons.h"

#include <cstdint>

class QCursor;
class QImage;

namespace platform::win {

enum class HCURSOR : std::uintptr_t {};
inline constexpr HCURSOR NullCursor{};

// Stock cursor ids.
inline constexpr int IDC_ARROW = 32512;
inline constexpr int IDC_IBEAM = 32513;
inline constexpr int IDC_WAIT = 32514;
inline constexpr int IDC_CROSS = 32515;
inline constexpr int IDC_UPARROW = 32516;
inline constexpr int IDC_SIZENWSE = 32642;
inline constexpr int IDC_SIZENESW = 32643;
inline constexpr int IDC_SIZEWE = 32644;
inline constexpr int IDC_SIZENS = 32645;
inline constexpr int IDC_SIZEALL = 32646;
inline constexpr int IDC_NO = 32648;
inline constexpr int IDC_HAND = 32649;
inline constexpr int IDC_APPSTARTING = 32650;
inline constexpr int IDC_HELP = 32651;

// A stock cursor; NullCursor for an unknown id.
HCURSOR LoadCursor(int id);
HCURSOR CreateCursorFromImage(const QImage& image, int hotX, int hotY);
// A cursor of our own drawing: width x height pixels, row by row, each 0xAARRGGBB (alpha 0 is
// transparent).
HCURSOR CreateCursorFromPixels(int width, int height, const std::uint32_t* argb, int hotX,
                               int hotY);
// A two-plane cursor: per pixel an AND bit and an XOR bit (rows padded to 16 bits, top row
// first, the leftmost pixel in the high bit): AND 0 draws black (XOR 0) or white (XOR 1), AND 1
// leaves the screen (XOR 0) or inverts it (XOR 1).
HCURSOR CreateCursor(int hotX, int hotY, int width, int height, const void* andPlane,
                     const void* xorPlane);
bool DestroyCursor(HCURSOR cursor);
// The image of a cursor of our own, in two new bitmaps the caller deletes: the monochrome mask
// (1 where the cursor leaves the screen) and the colours; a two-plane cursor has no colour
// bitmap and a mask twice as high, the AND plane above the XOR plane. False for a stock cursor
// (the desktop draws those) and for a handle that is no cursor.
BOOL GetIconInfo(HCURSOR cursor, ICONINFO* info);
// The cursor shown now; returns the previous one. NullCursor hides it.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
QCursor QtCursorOf(HCURSOR cursor);

// The class library's screen cursor table (crDefault 0, crArrow -2, ... and the application's
// own positive numbers); an unknown number gives the arrow.
void SetScreenCursor(int number, HCURSOR cursor);
HCURSOR ScreenCursor(int number);

} // namespace platform::win
