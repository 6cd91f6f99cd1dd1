#pragma once
// Layered windows whose content is a picture with per-pixel alpha, and the animated showing of
// a window. Per-pixel alpha reaches the screen only where the desktop composites translucent
// windows; callers ask first and fall back to opaque windows where it does not. UI thread only.

#include "platform/gdi/device_context.h"
#include "platform/gdi/surface.h"
#include "platform/win/messages.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace platform::win {

enum : std::uint8_t { AC_SRC_OVER = 0, AC_SRC_ALPHA = 1 };
struct BLENDFUNCTION {
    std::uint8_t BlendOp = AC_SRC_OVER;
    std::uint8_t BlendFlags = 0;
    std::uint8_t SourceConstantAlpha = 255;
    std::uint8_t AlphaFormat = 0;
};
enum : DWORD { ULW_COLORKEY = 1, ULW_ALPHA = 2, ULW_OPAQUE = 4 };

// Whether the screen shows per-pixel alpha of layered windows: the off-screen platform does;
// an X display is taken to have no compositor. Tests may put an answer in force (nullopt
// returns to the platform's own).
bool IsLayeredAlphaComposited();
void SetLayeredAlphaComposited(std::optional<bool> value);

// The layered window (WS_EX_LAYERED) takes its content from the source context at srcPoint,
// size pixels of it, alpha included with ULW_ALPHA (premultiplied, as the platform wants);
// dstPoint and size, when given, move and size the window too. From then on the window shows
// that picture, not what it paints. FALSE for a window that is not layered, with no source or
// when per-pixel alpha is not composited (ULW_ALPHA).
BOOL UpdateLayeredWindow(HWND wnd, gdi::HDC dst, const TPoint* dstPoint, const gdi::TSize* size,
                         gdi::HDC src, const TPoint* srcPoint, gdi::COLORREF key,
                         const BLENDFUNCTION* blend, DWORD flags);
// The picture the window shows, premultiplied, top-down; nullptr when it shows what it paints.
std::shared_ptr<const gdi::Surface> LayeredPicture(HWND wnd);

enum : DWORD {
    AW_HOR_POSITIVE = 0x1,
    AW_HOR_NEGATIVE = 0x2,
    AW_VER_POSITIVE = 0x4,
    AW_VER_NEGATIVE = 0x8,
    AW_CENTER = 0x10,
    AW_HIDE = 0x10000,
    AW_ACTIVATE = 0x20000,
    AW_SLIDE = 0x40000,
    AW_BLEND = 0x80000
};
// Shows (or with AW_HIDE hides) the window over time milliseconds of the clock in force,
// blocking as the platform's does; AW_BLEND fades it in or out through its opacity, other kinds
// show it at once. Without AW_ACTIVATE a shown window does not take the activation. FALSE when
// the window is already in the state asked for.
BOOL AnimateWindow(HWND wnd, DWORD time, DWORD flags);

} // namespace platform::win
