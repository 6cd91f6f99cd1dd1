#include "toolkit/base/cx_panning_mark.h"

#include "toolkit/base/cx_control_scroll_bars.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <cstdint>

namespace toolkit::base {

namespace pg = platform::gdi;
namespace pw = platform::win;
using pg::TPoint;

namespace {

const char* const ClassName = "TcxPanningMark";

void RegisterMarkClass() {
    static bool Registered = false;
    if (Registered) return;
    Registered = true;
    pw::WNDCLASS Class;
    Class.lpfnWndProc = [](pw::HWND Wnd, pw::UINT Msg, pw::WPARAM WParam,
                           pw::LPARAM LParam) -> pw::LRESULT {
        if (Msg == pw::WM_NCHITTEST) return pw::HTTRANSPARENT;
        if (Msg == pw::WM_ERASEBKGND) return 1;
        return pw::DefWindowProc(Wnd, Msg, WParam, LParam);
    };
    Class.lpszClassName = ClassName;
    pw::RegisterClass(Class);
}

} // namespace

TcxPanningMark::TcxPanningMark(pw::HWND Owner, TPoint Center, bool HVisible, bool VVisible)
    : FHVisible(HVisible), FVVisible(VVisible) {
    RegisterMarkClass();
    const int Size = cxPanningMarkSize;
    FHandle = pw::CreateWindowEx(pw::WS_EX_TOPMOST | pw::WS_EX_TOOLWINDOW | pw::WS_EX_NOACTIVATE,
                                 ClassName, "", pw::WS_POPUP, Center.X - Size / 2,
                                 Center.Y - Size / 2, Size, Size, Owner);
    if (FHandle == pw::NullHWnd) return;
    // The window owns the region from here on.
    pw::SetWindowRgn(FHandle, pg::CreateEllipticRgn(0, 0, Size + 1, Size + 1), 1);
    pw::ShowWindow(FHandle, pw::SW_SHOWNA);
    // Painted once: the panning loop validates the mark's WM_PAINT and never dispatches it.
    const pg::HDC DC = pw::GetDC(FHandle);
    Paint(DC);
    pw::ReleaseDC(FHandle, DC);
    pw::ValidateRect(FHandle, nullptr);
}

TcxPanningMark::~TcxPanningMark() {
    if (FHandle != pw::NullHWnd) pw::DestroyWindow(FHandle);
}

void TcxPanningMark::Paint(pg::HDC DC) const {
    const int Size = cxPanningMarkSize;
    const int Mid = Size / 2;
    const pg::TRect All{0, 0, Size, Size};
    pg::FillRect(DC, &All, pg::GetSysColorBrush(pg::COLOR_WINDOW));
    const pg::HBRUSH Ink = pg::GetSysColorBrush(pg::COLOR_WINDOWTEXT);
    auto Arrow = [&](int DX, int DY) {
        // Tip 12 px from the middle, base 5 px from it, 8 px wide.
        const TPoint Points[3] = {{Mid + DX * 12, Mid + DY * 12},
                                  {Mid + DX * 5 + DY * 4, Mid + DY * 5 + DX * 4},
                                  {Mid + DX * 5 - DY * 4, Mid + DY * 5 - DX * 4}};
        const pg::HRGN Region = pg::CreatePolygonRgn(Points, 3, pg::ALTERNATE);
        pg::FillRgn(DC, Region, Ink);
        pg::DeleteObject(Region);
    };
    if (FHVisible) {
        Arrow(-1, 0);
        Arrow(1, 0);
    }
    if (FVVisible) {
        Arrow(0, -1);
        Arrow(0, 1);
    }
    const pg::TRect Dot{Mid - 2, Mid - 2, Mid + 2, Mid + 2};
    pg::FillRect(DC, &Dot, Ink);
    const pg::HRGN Rim = pg::CreateEllipticRgn(0, 0, Size + 1, Size + 1);
    pg::FrameRgn(DC, Rim, pg::GetSysColorBrush(pg::COLOR_WINDOWFRAME), 1, 1);
    pg::DeleteObject(Rim);
}

} // namespace toolkit::base
