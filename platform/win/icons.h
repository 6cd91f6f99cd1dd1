#pragma once
// Icons: small pictures with transparent parts that windows carry and the desktop shows. A
// window holds a big and a small icon (WM_SETICON gives one and answers the one it replaced,
// WM_GETICON answers it; the window does not own them); a top-level window's icon is the one
// the desktop shows for it. UI thread only.

#include "platform/gdi/objects.h"
#include "platform/win/messages.h"

#include <cstdint>

class QImage;

namespace platform::win {

enum class HICON : std::uintptr_t {};
inline constexpr HICON NullIcon{};

inline constexpr UINT WM_GETICON = 0x007F;
inline constexpr UINT WM_SETICON = 0x0080;
// Which icon WM_SETICON and WM_GETICON mean. ICON_SMALL2 asks for the small icon, or, without
// one, for the big one.
inline constexpr WPARAM ICON_SMALL = 0;
inline constexpr WPARAM ICON_BIG = 1;
inline constexpr WPARAM ICON_SMALL2 = 2;

// The platform's stock picture of a program: a window with its caption bar.
inline constexpr int IDI_APPLICATION = 32512;

struct ICONINFO {
    BOOL fIcon = 1;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    // Where the mask is light the icon is transparent; without a mask it is opaque.
    gdi::HBITMAP hbmMask{};
    gdi::HBITMAP hbmColor{};
};

// An icon of the colour bitmap's size from the two bitmaps, which stay the caller's; NullIcon
// without a colour bitmap.
HICON CreateIconIndirect(const ICONINFO* info);
// The stock icon of that id; NullIcon for an unknown one. Stock icons are never destroyed.
HICON LoadIcon(int id);
// False for a stock icon and for a handle that is no icon.
BOOL DestroyIcon(HICON icon);
// Width and height of the icon; 0 x 0 for a handle that is no icon.
gdi::TSize IconSize(HICON icon);

inline constexpr UINT IMAGE_ICON = 1;
inline constexpr UINT LR_COPYFROMRESOURCE = 0x4000;
// A new icon scaled to cx x cy (0 keeps that dimension); NullIcon when type is not IMAGE_ICON
// or the handle is no icon.
HICON CopyImage(HICON icon, UINT type, int cx, int cy, UINT flags);

inline constexpr UINT DI_MASK = 1;
inline constexpr UINT DI_IMAGE = 2;
inline constexpr UINT DI_NORMAL = 3;
// Draws the icon scaled to cx x cy (0: its own size) at (x, y) of the context: DI_NORMAL blends
// it over what is there, DI_IMAGE draws its colours opaque, DI_MASK its mask (black where the
// icon shows, white where it is transparent).
BOOL DrawIconEx(gdi::HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step,
                gdi::HBRUSH flickerFree, UINT flags);

// The icon's pixels for Qt (what the desktop shows); a null image for a handle that is no icon.
QImage IconImage(HICON icon);

} // namespace platform::win
