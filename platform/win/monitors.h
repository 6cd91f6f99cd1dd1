#pragma once
// Monitors and their work areas. The running program takes them from Qt's screens; tests (and
// offscreen runs) set them.

#include "platform/win/messages.h"

#include <vector>

namespace platform::win {

enum class HMONITOR : std::uintptr_t {};
inline constexpr HMONITOR NullMonitor{};

enum : DWORD {
    MONITOR_DEFAULTTONULL = 0,
    MONITOR_DEFAULTTOPRIMARY = 1,
    MONITOR_DEFAULTTONEAREST = 2
};
enum : DWORD { MONITORINFOF_PRIMARY = 1 };

struct MONITORINFO {
    TRect rcMonitor;
    TRect rcWork;
    DWORD dwFlags = 0;
};

struct Monitor {
    TRect bounds;
    TRect workArea;
};

// The first monitor is the primary one. An empty list goes back to Qt's screens.
void SetMonitors(std::vector<Monitor> monitors);
std::vector<Monitor> Monitors();

HMONITOR MonitorFromPoint(TPoint point, DWORD flags);
HMONITOR MonitorFromRect(const TRect& rect, DWORD flags);
HMONITOR MonitorFromWindow(HWND wnd, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
// SPI_GETWORKAREA: the primary monitor's work area into *(TRect*)data.
// SPI_GETWHEELSCROLLLINES: the lines one wheel notch scrolls into *(UINT*)data.
BOOL SystemParametersInfo(UINT action, UINT param, void* data, UINT update);

} // namespace platform::win
