#include "platform/win/monitors.h"

#include "platform/win/window.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>

namespace platform::win {

namespace {

std::vector<Monitor>& Fixed() {
    static std::vector<Monitor> monitors;
    return monitors;
}

TRect FromQt(const QRect& r) {
    return gdi::Bounds(r.x(), r.y(), r.width(), r.height());
}

// Monitors are numbered from 1 in the list's order.
HMONITOR HandleOf(std::size_t index) {
    return static_cast<HMONITOR>(index + 1);
}

long long DistanceSquared(const TRect& r, TPoint p) {
    long long dx = p.X < r.Left ? r.Left - p.X : (p.X >= r.Right ? p.X - r.Right + 1 : 0);
    long long dy = p.Y < r.Top ? r.Top - p.Y : (p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0);
    return dx * dx + dy * dy;
}

HMONITOR Fallback(DWORD flags, TPoint p) {
    auto monitors = Monitors();
    if (monitors.empty() || flags == MONITOR_DEFAULTTONULL) return NullMonitor;
    if (flags == MONITOR_DEFAULTTOPRIMARY) return HandleOf(0);
    std::size_t best = 0;
    long long bestDistance = LLONG_MAX;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        long long d = DistanceSquared(monitors[i].bounds, p);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return HandleOf(best);
}

} // namespace

void SetMonitors(std::vector<Monitor> monitors) {
    Fixed() = std::move(monitors);
}

std::vector<Monitor> Monitors() {
    if (!Fixed().empty()) return Fixed();
    std::vector<Monitor> monitors;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return monitors;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        monitors.push_back({FromQt(primary->geometry()), FromQt(primary->availableGeometry())});
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            monitors.push_back({FromQt(screen->geometry()), FromQt(screen->availableGeometry())});
    }
    return monitors;
}

HMONITOR MonitorFromPoint(TPoint point, DWORD flags) {
    auto monitors = Monitors();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (gdi::PtInRect(monitors[i].bounds, point)) return HandleOf(i);
    }
    return Fallback(flags, point);
}

HMONITOR MonitorFromRect(const TRect& rect, DWORD flags) {
    auto monitors = Monitors();
    std::size_t best = 0;
    long long bestArea = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        TRect overlap;
        if (gdi::IntersectRect(overlap, monitors[i].bounds, rect)) {
            long long area = static_cast<long long>(overlap.Width()) * overlap.Height();
            if (area > bestArea) {
                bestArea = area;
                best = i;
            }
        }
    }
    if (bestArea > 0) return HandleOf(best);
    return Fallback(flags, {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2});
}

HMONITOR MonitorFromWindow(HWND wnd, DWORD flags) {
    TRect r;
    if (!GetWindowRect(wnd, &r)) return Fallback(flags, {});
    return MonitorFromRect(r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
    auto monitors = Monitors();
    auto index = static_cast<std::size_t>(monitor);
    if (!info || index == 0 || index > monitors.size()) return false;
    info->rcMonitor = monitors[index - 1].bounds;
    info->rcWork = monitors[index - 1].workArea;
    info->dwFlags = index == 1 ? DWORD{MONITORINFOF_PRIMARY} : DWORD{0};
    return true;
}

BOOL SystemParametersInfo(UINT action, UINT, void* data, UINT) {
    if (!data) return false;
    // The system's default: three lines per notch.
    if (action == SPI_GETWHEELSCROLLLINES) {
        *static_cast<UINT*>(data) = 3;
        return true;
    }
    if (action != SPI_GETWORKAREA) return false;
    auto monitors = Monitors();
    if (monitors.empty()) return false;
    *static_cast<TRect*>(data) = monitors.front().workArea;
    return true;
}

} // namespace platform::win
