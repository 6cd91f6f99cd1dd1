#pragma once
// Window handles: each handle is an entry in one registry with a window procedure that can be
// replaced (subclassing). Message-only windows are handles with nothing else; real windows
// (platform/win) register here too, so that posting, timers and IsWindow treat both alike.

#include <cstdint>
#include <functional>
#include <vector>

namespace platform::core {

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

enum class HWND : std::uintptr_t {};
inline constexpr HWND NullHWnd{};

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_USER = 0x0400;

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// UI thread only, except IsWindow.
HWND RegisterWindowHandle(WNDPROC proc);
// Forgets the handle: its queued messages and timers die with it.
void UnregisterWindowHandle(HWND wnd);
bool IsWindow(HWND wnd);
// Every live handle, oldest first: what a broadcast of the system reaches.
std::vector<HWND> WindowHandles();
// Returns the previous procedure, for the subclass to pass on what it does not handle.
WNDPROC SetWindowProc(HWND wnd, WNDPROC proc);
LRESULT CallWindowProc(const WNDPROC& proc, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the window's current procedure at once; 0 when the window does not exist. The send
// hook sees the message first, and the procedure is looked up after it, so that the hook may
// replace it for this one call; the hook may also hand the message to another live window
// instead, by changing the handle it is given.
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// What DispatchMessage does: the window's procedure without the send hook.
LRESULT DeliverMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The platform's call-window-procedure hook stands here (real windows install it).
void SetSendMessageHook(std::function<void(HWND&, UINT, WPARAM, LPARAM)> hook);

// The class library's message record and message-only window.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND wnd);

// Owns a message-only window for its lifetime.
class MessageWindow {
public:
    explicit MessageWindow(TWndMethod method) : handle_(AllocateHWnd(std::move(method))) {}
    ~MessageWindow() { DeallocateHWnd(handle_); }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

} // namespace platform::core
