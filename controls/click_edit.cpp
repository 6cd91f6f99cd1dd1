#include "controls/click_edit.h"

#include <cstdlib>

namespace controls {

namespace gdi = platform::gdi;

namespace {

constexpr std::uint32_t FirstRepeatMs = 600;
constexpr std::uint32_t RepeatMs = 47;

} // namespace

TClickEdit::TClickEdit(forms::TComponent* owner)
    : forms::TCustomControl(owner), timer_(Own<forms::TTimer>()) {
    width_ = 50;
    height_ = 20;
    timer_.SetEnabled(false);
    timer_.SetInterval(FirstRepeatMs);
    timer_.SetOnTimer([this](forms::TObject*) { StepOnce(); });
}

void TClickEdit::SetMin(int value) {
    if (value == min_) return;
    min_ = value;
    if (value > value_) {
        value_ = value;
        DrawValue();
    }
}

void TClickEdit::SetMax(int value) {
    if (value == max_) return;
    max_ = value;
    if (value < value_) {
        value_ = value;
        DrawValue();
    }
}

void TClickEdit::SetValue(int value) {
    if (value == value_) return;
    value_ = value;
    DrawValue();
}

void TClickEdit::SetStereo(bool value) {
    if (value == stereo_) return;
    stereo_ = value;
    DrawValue();
}

std::string TClickEdit::ValueText() const {
    if (!stereo_) return std::to_string(value_);
    if (value_ > 0) return "R " + std::to_string(value_);
    if (value_ < 0) return "L " + std::to_string(std::abs(value_));
    return "  0";
}

forms::TColor TClickEdit::Background() const {
    return timer_.Enabled() ? ClSelected : gdi::clWhite;
}

void TClickEdit::DrawValue() {
    TDrawingNow drawing(*this);
    auto& canvas = Canvas();
    canvas.SetFont(Font());
    canvas.Pen().SetColor(Background());
    canvas.Brush().SetColor(Background());
    const int w = Width();
    const int h = Height();
    canvas.Polygon({{2, 2}, {w - 3, 2}, {w - 3, h - 3}, {2, h - 3}});
    const std::string text = ValueText();
    canvas.TextOut((w - canvas.TextWidth(text) - 1) / 2, (h - canvas.TextHeight(text)) / 2, text);
}

void TClickEdit::Paint() {
    auto& canvas = Canvas();
    const int w = Width();
    const int h = Height();
    canvas.Pen().SetColor(Background());
    canvas.Brush().SetColor(Background());
    canvas.Polygon({{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
    canvas.Pen().SetColor(gdi::clGray);
    canvas.Polyline({{0, h - 1}, {0, 0}, {w - 1, 0}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{1, h - 2}, {1, 1}, {w - 1, 1}});
    canvas.Pen().SetColor(gdi::clWhite);
    canvas.Polyline({{0, h - 1}, {w - 1, h - 1}, {w - 1, 1}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{1, h - 2}, {w - 2, h - 2}, {w - 2, 1}});
    DrawValue();
}

void TClickEdit::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseDown(button, shift, x, y);
    up_ = button != forms::mbLeft;
    timer_.SetEnabled(true);
    StepOnce();
    timer_.SetInterval(FirstRepeatMs);
}

void TClickEdit::MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseUp(button, shift, x, y);
    timer_.SetEnabled(false);
    DrawValue();
    if (OnEndchange) OnEndchange(this);
}

void TClickEdit::StepOnce() {
    timer_.SetInterval(RepeatMs);
    if (up_ ? value_ >= max_ : value_ <= min_) return;
    value_ += up_ ? 1 : -1;
    DrawValue();
    if (Onchange) Onchange(this);
}

} // namespace controls
