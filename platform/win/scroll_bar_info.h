#pragma once
// The system's scroll-bar information of a window. Our windows have no system scroll bars: every
// scroll bar on screen is a control of its own, so the information is reported unavailable, and
// callers take the path the platform gives them when the entry point is missing.

#include "platform/win/window.h"

#include <cstdint>

namespace platform::win {

inline constexpr std::int32_t OBJID_HSCROLL = -6;
inline constexpr std::int32_t OBJID_VSCROLL = -5;
inline constexpr std::uint32_t STATE_SYSTEM_UNAVAILABLE = 0x1;
inline constexpr std::uint32_t STATE_SYSTEM_INVISIBLE = 0x8000;
inline constexpr std::uint32_t STATE_SYSTEM_OFFSCREEN = 0x10000;

struct SCROLLBARINFO {
    std::uint32_t cbSize = 60;
    TRect rcScrollBar;
    int dxyLineButton = 0;
    int xyThumbTop = 0;
    int xyThumbBottom = 0;
    int reserved = 0;
    std::uint32_t rgstate[6] = {};
};

// Whether GetScrollBarInfo can be asked at all: false.
bool IsScrollBarInfoAvailable();
// False, with the information marked invisible and off screen.
bool GetScrollBarInfo(HWND wnd, std::int32_t idObject, SCROLLBARINFO* info);

} // namespace platform::win
