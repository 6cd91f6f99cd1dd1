#pragma once
// Mouse cursors: the platform's stock cursors, cursors made from images of our own, and the
// class library's screen cursor table that maps cursor numbers to them.

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
bool DestroyCursor(HCURSOR cursor);
// The cursor shown now; returns the previous one. NullCursor hides it.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
QCursor QtCursorOf(HCURSOR cursor);

// The class library's screen cursor table (crDefault 0, crArrow -2, ... and the application's
// own positive numbers); an unknown number gives the arrow.
void SetScreenCursor(int number, HCURSOR cursor);
HCURSOR ScreenCursor(int number);

} // namespace platform::win
