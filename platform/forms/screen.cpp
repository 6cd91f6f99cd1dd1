#include "platform/forms/screen.h"

#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"

#include <algorithm>

namespace platform::forms {

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

TWinControl* TScreen::ActiveControl() const {
    return activeForm_ ? activeForm_->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor value) {
    cursor_ = value;
    if (value != crDefault) {
        win::SetCursor(win::ScreenCursor(value));
        return;
    }
    // Back to what the window under the pointer wants.
    win::TPoint p;
    win::GetCursorPos(&p);
    win::HWND wnd = win::WindowFromPoint(p);
    if (wnd != win::NullHWnd)
        core::SendMessage(wnd, win::WM_SETCURSOR, static_cast<win::WPARAM>(wnd),
                          win::MAKELPARAM(win::HTCLIENT, static_cast<int>(win::WM_MOUSEMOVE)));
    else
        win::SetCursor(win::ScreenCursor(crArrow));
}

int TScreen::Width() const {
    auto monitors = win::Monitors();
    return monitors.empty() ? 1024 : monitors.front().bounds.Width();
}

int TScreen::Height() const {
    auto monitors = win::Monitors();
    return monitors.empty() ? 768 : monitors.front().bounds.Height();
}

void TScreen::AddForm(TCustomForm* form) {
    forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(forms_, form);
    if (activeForm_ == form) {
        activeForm_ = nullptr;
        ActiveFormChanged();
    }
}

void TScreen::SetActiveForm(TCustomForm* form) {
    if (form) {
        std::erase(forms_, form);
        forms_.insert(forms_.begin(), form);
    }
    if (form == activeForm_) return;
    activeForm_ = form;
    ActiveFormChanged();
}

void TScreen::ActiveFormChanged() {
    if (OnActiveFormChange) OnActiveFormChange(this);
}

} // namespace platform::forms
