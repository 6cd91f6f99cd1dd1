#include "platform/forms/spin.h"

#include "platform/core/text.h"
#include "platform/gdi/frame_controls.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace platform::forms {

using namespace win;

namespace {

constexpr int ButtonWidth = 15;

} // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) {
    SetText("0");
}

int TSpinEdit::Clamp(int value) const {
    if (maxValue_ != minValue_)
        value = std::clamp(value, minValue_, std::max(minValue_, maxValue_));
    return value;
}

int TSpinEdit::Value() const {
    const std::string t = core::Trim(text_);
    int value = 0;
    auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || error != std::errc() || end != t.data() + t.size()) return minValue_;
    return Clamp(value);
}

void TSpinEdit::SetValue(int value) {
    SetText(std::to_string(Clamp(value)));
}

void TSpinEdit::SetMinValue(int value) {
    minValue_ = value;
}

void TSpinEdit::SetMaxValue(int value) {
    maxValue_ = value;
}

TRect TSpinEdit::UpButton() const {
    TRect r = ClientRect();
    gdi::InflateRect(r, -2, -2);
    return {r.Right - ButtonWidth, r.Top, r.Right, r.Top + r.Height() / 2};
}

TRect TSpinEdit::DownButton() const {
    TRect r = ClientRect();
    gdi::InflateRect(r, -2, -2);
    return {r.Right - ButtonWidth, r.Top + r.Height() / 2, r.Right, r.Bottom};
}

TRect TSpinEdit::EditRect() const {
    TRect r = TEdit::EditRect();
    r.Right -= ButtonWidth;
    return r;
}

bool TSpinEdit::InText(TPoint p) const {
    return !gdi::PtInRect(UpButton(), p) && !gdi::PtInRect(DownButton(), p);
}

bool TSpinEdit::AcceptInput(const std::string& text) const {
    if (!EditorEnabled || !TEdit::AcceptInput(text)) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+';
    });
}

void TSpinEdit::Paint() {
    TEdit::Paint();
    TRect up = UpButton(), down = DownButton();
    const UINT inactive = EnabledWithParents() ? 0u : UINT(gdi::DFCS_INACTIVE);
    gdi::DrawFrameControl(canvas_.Handle(), &up, gdi::DFC_SCROLL, gdi::DFCS_SCROLLUP | inactive);
    gdi::DrawFrameControl(canvas_.Handle(), &down, gdi::DFC_SCROLL,
                          gdi::DFCS_SCROLLDOWN | inactive);
}

void TSpinEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !ReadOnly()) {
        if (gdi::PtInRect(UpButton(), {x, y})) {
            SetValue(Value() + Increment);
            return;
        }
        if (gdi::PtInRect(DownButton(), {x, y})) {
            SetValue(Value() - Increment);
            return;
        }
    }
    TEdit::MouseDown(button, shift, x, y);
}

bool TSpinEdit::WantsKey(WORD key) const {
    return key == VK_UP || key == VK_DOWN;
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_UP || key == VK_DOWN) {
        if (!ReadOnly()) SetValue(Value() + (key == VK_UP ? Increment : -Increment));
        key = 0;
        return;
    }
    TEdit::KeyDown(key, shift);
}

void TSpinEdit::DoExit() {
    // What was typed is put right when the user leaves.
    if (std::to_string(Value()) != text_) SetValue(Value());
    TEdit::DoExit();
}

void TSpinEdit::Dispatch(TMessage& message) {
    if (message.Msg == WM_MOUSEWHEEL) {
        SetValue(Value() + (GET_WHEEL_DELTA_WPARAM(message.WParam) > 0 ? Increment : -Increment));
        return;
    }
    TEdit::Dispatch(message);
}

} // namespace platform::forms
