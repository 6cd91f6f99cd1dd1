#include "platform/win/layered_windows.h"

#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/gdi/surface.h"
#include "platform/win/host_widget.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "platform/win/window_data.h"

#include <QGuiApplication>

#include <algorithm>
#include <memory>

namespace platform::win {

namespace {
std::optional<bool> gComposited;

// The picture is kept top-down 32-bit, the layout the host widget shows directly.
std::shared_ptr<gdi::Surface> CopyPicture(gdi::HDC src, TPoint from, gdi::TSize size) {
    auto* dc = gdi::LookupDC(src);
    const gdi::Surface* source = dc ? dc->Target() : nullptr;
    if (!source) return nullptr;
    auto picture = std::make_shared<gdi::Surface>(size.cx, size.cy, 32);
    const TPoint origin = dc->ToDevice(from);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if (source->Contains(origin.X + x, origin.Y + y))
                picture->SetPixel(x, y, source->Pixel(origin.X + x, origin.Y + y));
    return picture;
}

void Premultiply(gdi::Surface& picture, std::uint8_t constantAlpha, bool perPixel) {
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const gdi::Pixel32 p = picture.Pixel(x, y);
            const unsigned alpha = perPixel ? p >> 24 : 255;
            const unsigned a = alpha * constantAlpha / 255;
            const auto scale = [&](unsigned channel) {
                // Colours are already premultiplied by the pixel's own alpha.
                return (perPixel ? channel : channel * alpha / 255) * constantAlpha / 255;
            };
            picture.SetPixel(x, y,
                             (a << 24) | (scale((p >> 16) & 0xFF) << 16) |
                                 (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF));
        }
}
bool SupportsOpacity() {
    const QString name = QGuiApplication::platformName();
    return name != QStringLiteral("offscreen") && name != QStringLiteral("minimal");
}
} // namespace

bool IsLayeredAlphaComposited() {
    if (gComposited) return *gComposited;
    return QGuiApplication::platformName() != QStringLiteral("xcb");
}

void SetLayeredAlphaComposited(std::optional<bool> value) {
    gComposited = value;
}

BOOL UpdateLayeredWindow(HWND wnd, gdi::HDC, const TPoint* dstPoint, const gdi::TSize* size,
                         gdi::HDC src, const TPoint* srcPoint, gdi::COLORREF,
                         const BLENDFUNCTION* blend, DWORD flags) {
    auto* w = WindowOf(wnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED) || src == gdi::NullDC) return false;
    if ((flags & ULW_ALPHA) && !IsLayeredAlphaComposited()) return false;
    if (dstPoint || size) {
        const TRect r = w->rect;
        const TPoint to = dstPoint ? *dstPoint : TPoint{r.Left, r.Top};
        const gdi::TSize extent = size ? *size : gdi::TSize{r.Width(), r.Height()};
        SetWindowPos(wnd, NullHWnd, to.X, to.Y, extent.cx, extent.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | (dstPoint ? 0 : SWP_NOMOVE) |
                         (size ? 0 : SWP_NOSIZE));
        w = WindowOf(wnd);
        if (!w) return false;
    }
    auto picture =
        CopyPicture(src, srcPoint ? *srcPoint : TPoint{0, 0}, {w->rect.Width(), w->rect.Height()});
    if (!picture) return false;
    const bool perPixel = (flags & ULW_ALPHA) && blend && blend->AlphaFormat == AC_SRC_ALPHA;
    Premultiply(*picture, (flags & ULW_ALPHA) && blend ? blend->SourceConstantAlpha : 255,
                perPixel);
    w->layered = true;
    w->layeredImage = std::move(picture);
    if (w->host) {
        w->host->setAttribute(Qt::WA_TranslucentBackground, perPixel);
        w->host->update();
    }
    return true;
}

std::shared_ptr<const gdi::Surface> LayeredPicture(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w ? w->layeredImage : nullptr;
}

BOOL AnimateWindow(HWND wnd, DWORD time, DWORD flags) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    const bool hide = (flags & AW_HIDE) != 0;
    if (w->Visible() != hide) return false;
    const int command = hide ? SW_HIDE : (flags & AW_ACTIVATE) ? SW_SHOW : SW_SHOWNA;
    if (!(flags & AW_BLEND) || time == 0 || !w->host || w->IsChild() || !SupportsOpacity()) {
        // Nothing to fade on this screen: the wait is the platform's all the same.
        core::CurrentClock().Wait(flags & AW_BLEND ? time : 0);
        ShowWindow(wnd, command);
        return true;
    }
    // The platform paints the window before it fades in, and blocks for the fade.
    if (!hide) {
        ShowWindow(wnd, command);
        UpdateWindow(wnd);
        w = WindowOf(wnd);
        if (!w || !w->host) return true;
        w->host->setWindowOpacity(0.0);
    }
    constexpr int Steps = 10;
    for (int step = 1; step <= Steps; ++step) {
        core::CurrentClock().Wait(time / Steps);
        w = WindowOf(wnd);
        if (!w || !w->host) return true;
        const double shown = static_cast<double>(step) / Steps;
        w->host->setWindowOpacity(hide ? 1.0 - shown : shown);
    }
    if (hide) ShowWindow(wnd, SW_HIDE);
    if ((w = WindowOf(wnd))) SyncHostGeometry(*w);
    return true;
}

} // namespace platform::win
