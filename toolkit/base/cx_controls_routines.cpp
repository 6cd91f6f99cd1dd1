#include "toolkit/base/cx_controls_routines.h"

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/keyboard_layout.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"

#include <array>

namespace toolkit::base {

namespace pw = platform::win;

namespace {

// The regional settings carry no decimal separator yet; the class library's default stands.
constexpr char DecimalSeparator = '.';

} // namespace

bool cxCanAllocateHandle(platform::forms::TWinControl* Control) {
    if (Control->HandleAllocated()) return true;
    if (Control->ComponentState() & platform::core::csDestroying) return false;
    if (Control->Parent() && cxCanAllocateHandle(Control->Parent())) return true;
    return dynamic_cast<platform::forms::TCustomForm*>(Control) != nullptr;
}

TRect cxGetWorkAreaFromPoint(TPoint P) {
    pw::MONITORINFO Info;
    const pw::HMONITOR Monitor = pw::MonitorFromPoint(P, pw::MONITOR_DEFAULTTONEAREST);
    if (Monitor != pw::NullMonitor && pw::GetMonitorInfo(Monitor, &Info)) return Info.rcWork;
    TRect Result;
    pw::SystemParametersInfo(pw::SPI_GETWORKAREA, 0, &Result, 0);
    return Result;
}

TPoint cxGetCursorPos() {
    TPoint Result;
    if (!pw::GetCursorPos(&Result)) Result = {-1, -1};
    return Result;
}

pw::UINT cxGetDoubleClickTime() {
    return pw::GetDoubleClickTime();
}

char cxGetCharFromKeyCode(std::uint16_t Key) {
    std::array<std::uint8_t, 256> KeyState{};
    pw::GetKeyboardState(KeyState.data());
    std::uint16_t Chars[2] = {};
    const int Count =
        pw::ToAscii(Key, pw::MapVirtualKey(Key, pw::MAPVK_VK_TO_VSC), KeyState.data(), Chars, 0);
    return Count == 1 ? static_cast<char>(Chars[0]) : '\0';
}

bool cxIsCtrlPressed() {
    return pw::GetAsyncKeyState(pw::VK_CONTROL) < 0;
}

bool cxHasChildWindowStyle(pw::HWND Wnd) {
    return (pw::GetWindowLong(Wnd, pw::GWL_STYLE) & pw::WS_CHILD) != 0;
}

bool cxIsWindowOrChild(pw::HWND Parent, pw::HWND Wnd) {
    if (Parent == pw::NullHWnd) return false;
    return Wnd == Parent || pw::IsChild(Parent, Wnd);
}

void cxMapWindowPoint(pw::HWND From, pw::HWND To, TPoint& P) {
    pw::MapWindowPoints(From, To, &P, 1);
}

void cxMapWindowRect(pw::HWND From, pw::HWND To, TRect& R) {
    TPoint Corners[2] = {R.TopLeft(), R.BottomRight()};
    pw::MapWindowPoints(From, To, Corners, 2);
    R = {Corners[0].X, Corners[0].Y, Corners[1].X, Corners[1].Y};
}

bool cxIsNumericChar(char Ch, int Kind) {
    if (Ch == '+' || Ch == '-' || (Ch >= '0' && Ch <= '9')) return true;
    if ((Kind == 1 || Kind == 2) && Ch == DecimalSeparator) return true;
    return Kind == 2 && (Ch == 'e' || Ch == 'E');
}

bool cxIsTextChar(char Ch) {
    return static_cast<unsigned char>(Ch) >= 32;
}

std::string cxRemoveAccelChars(std::string_view S, bool AppendUnderscore) {
    std::string Result;
    Result.reserve(S.size());
    for (std::size_t I = 0; I < S.size(); ++I) {
        if (S[I] != '&') {
            Result += S[I];
        } else if (I + 1 < S.size()) {
            Result += S[++I];
        } else if (AppendUnderscore) {
            Result += '_';
        }
    }
    return Result;
}

pw::WPARAM cxShiftStateToKeys(unsigned Shift) {
    namespace pf = platform::forms;
    pw::WPARAM Result = 0;
    if (Shift & pf::ssShift) Result |= pw::MK_SHIFT;
    if (Shift & pf::ssCtrl) Result |= pw::MK_CONTROL;
    if (Shift & pf::ssLeft) Result |= pw::MK_LBUTTON;
    if (Shift & pf::ssRight) Result |= pw::MK_RBUTTON;
    if (Shift & pf::ssMiddle) Result |= pw::MK_MBUTTON;
    return Result;
}

namespace {
TcxPopupOwnerWindowResolver& PopupOwnerWindowResolver() {
    static TcxPopupOwnerWindowResolver Resolver;
    return Resolver;
}
} // namespace

void cxSetPopupOwnerWindowResolver(TcxPopupOwnerWindowResolver Resolver) {
    PopupOwnerWindowResolver() = std::move(Resolver);
}

pw::HWND cxGetPopupOwnerWindow(pw::HWND Wnd) {
    const TcxPopupOwnerWindowResolver& Resolver = PopupOwnerWindowResolver();
    return Resolver ? Resolver(Wnd) : Wnd;
}

} // namespace toolkit::base
