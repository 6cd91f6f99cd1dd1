#include "platform/win/caret.h"

#include "platform/core/window_handle.h"

namespace platform::win {

namespace {

struct CaretState {
    HWND owner = NullHWnd;
    TPoint pos{};
    int width = 0;
    int height = 0;
    int hidden = 1;
};

CaretState& Caret() {
    static thread_local CaretState state;
    return state;
}

bool Owned(HWND wnd) {
    CaretState& c = Caret();
    if (c.owner != NullHWnd && !core::IsWindow(c.owner)) c = CaretState{};
    return c.owner != NullHWnd && c.owner == wnd;
}

} // namespace

BOOL CreateCaret(HWND wnd, int width, int height) {
    if (wnd == NullHWnd || !core::IsWindow(wnd)) return false;
    Caret() = CaretState{wnd, {0, 0}, width, height, 1};
    return true;
}

BOOL DestroyCaret(HWND wnd) {
    if (!Owned(wnd)) return false;
    Caret() = CaretState{};
    return true;
}

BOOL SetCaretPos(int x, int y) {
    if (!Owned(Caret().owner)) return false;
    Caret().pos = {x, y};
    return true;
}

BOOL GetCaretPos(TPoint* point) {
    if (point == nullptr || !Owned(Caret().owner)) return false;
    *point = Caret().pos;
    return true;
}

BOOL HideCaret(HWND wnd) {
    if (!Owned(wnd)) return false;
    ++Caret().hidden;
    return true;
}

BOOL ShowCaret(HWND wnd) {
    if (!Owned(wnd) || Caret().hidden == 0) return false;
    --Caret().hidden;
    return true;
}

HWND GetCaretOwner() {
    return Owned(Caret().owner) ? Caret().owner : NullHWnd;
}

} // namespace platform::win
