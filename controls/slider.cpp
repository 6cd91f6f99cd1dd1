#include "controls/slider.h"

#include <algorithm>

namespace controls {

namespace gdi = platform::gdi;
namespace win = platform::win;

TSlider::TSlider(forms::TComponent* owner) : forms::TCustomControl(owner) {
    width_ = 160;
    height_ = 26;
    controlStyle_ |= forms::csOpaque;
}

void TSlider::SetTrackWidth(int value) {
    if (value == trackWidth_) return;
    trackWidth_ = value;
    Invalidate();
}

void TSlider::SetTrackColor(forms::TColor value) {
    if (value == trackColor_) return;
    trackColor_ = value;
    Invalidate();
}

void TSlider::SetOrientation(TSliderOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    Invalidate();
}

void TSlider::SetThumbHeight(int value) {
    if (value == thumbHeight_) return;
    thumbHeight_ = value;
    Invalidate();
}

void TSlider::SetThumbColor(forms::TColor value) {
    if (value == thumbColor_) return;
    thumbColor_ = value;
    Invalidate();
}

void TSlider::SetMinValue(int value) {
    if (value == minValue_) return;
    minValue_ = value;
    if (value > value_) SetValue(value);
    Invalidate();
}

void TSlider::SetMaxValue(int value) {
    if (value == maxValue_) return;
    maxValue_ = value;
    if (value < value_) SetValue(value);
    Invalidate();
}

void TSlider::SetValue(int value) {
    if (value < minValue_)
        value = minValue_;
    else if (value > maxValue_)
        value = maxValue_;
    if (value == value_) return;
    value_ = value;
    if (OnValueChange) OnValueChange(this);
    Invalidate();
}

double TSlider::Scale() const {
    const int extent = orientation_ == slHoriz ? Width() : Height();
    return static_cast<double>(extent - thumbHeight_ + 1) / (maxValue_ - minValue_);
}

int TSlider::ThumbPosition() const {
    return HasScale() ? static_cast<int>(value_ * Scale()) : 0;
}

int TSlider::Along(int x, int y) const {
    return orientation_ == slHoriz ? x : Height() - y;
}

void TSlider::CreateParams(TCreateParams& params) {
    forms::TCustomControl::CreateParams(params);
    params.exStyle |= win::WS_EX_TRANSPARENT;
}

void TSlider::Dispatch(forms::TMessage& message) {
    // The track and the strips beside it cover the whole control.
    if (message.Msg == win::WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    forms::TCustomControl::Dispatch(message);
}

void TSlider::Paint() {
    DrawTrack();
    DrawThumb();
}

void TSlider::DrawTrack() {
    auto& canvas = Canvas();
    const int w = Width();
    const int h = Height();
    if (orientation_ == slHoriz) {
        const int y0 = (h - trackWidth_) / 2;
        const int yb = y0 + trackWidth_ - 1;
        canvas.Pen().SetColor(gdi::clGray);
        canvas.MoveTo(0, yb);
        canvas.LineTo(0, y0);
        canvas.LineTo(w - 1, y0);
        canvas.Pen().SetColor(gdi::clWhite);
        canvas.LineTo(w - 1, yb);
        canvas.LineTo(0, yb);
        canvas.Pen().SetColor(trackColor_);
        canvas.Brush().SetColor(trackColor_);
        canvas.Polygon({{1, y0 + 1}, {w - 2, y0 + 1}, {w - 2, yb - 1}, {1, yb - 1}});
        canvas.Pen().SetColor(Color());
        canvas.Brush().SetColor(Color());
        canvas.Polygon({{0, y0 - 1}, {w - 1, y0 - 1}, {w - 1, 0}, {0, 0}});
        canvas.Polygon({{0, h - 1}, {w - 1, h - 1}, {w - 1, yb + 1}, {0, yb + 1}});
        return;
    }
    const int x0 = (w - trackWidth_) / 2;
    const int xr = x0 + trackWidth_ - 1;
    canvas.Pen().SetColor(gdi::clGray);
    canvas.MoveTo(x0, h - 1);
    canvas.LineTo(x0, 0);
    canvas.LineTo(xr, 0);
    canvas.Pen().SetColor(gdi::clWhite);
    canvas.LineTo(xr, h - 1);
    canvas.LineTo(x0, h - 1);
    canvas.Pen().SetColor(trackColor_);
    canvas.Brush().SetColor(trackColor_);
    canvas.Polygon({{x0 + 1, 1}, {xr - 1, 1}, {xr - 1, h - 2}, {x0 + 1, h - 2}});
    canvas.Pen().SetColor(Color());
    canvas.Brush().SetColor(Color());
    canvas.Polygon({{0, 0}, {x0 - 1, 0}, {x0 - 1, h - 1}, {0, h - 1}});
    canvas.Polygon({{xr + 1, 0}, {w - 1, 0}, {w - 1, h - 1}, {xr + 1, h - 1}});
}

void TSlider::DrawThumb() {
    const int p = ThumbPosition();
    int x1 = p, x2 = p + thumbHeight_, y1 = 0, y2 = Height();
    if (orientation_ == slVertical) {
        x1 = 0;
        x2 = Width() - 1;
        y1 = (Height() - thumbHeight_) - p;
        y2 = y1 + thumbHeight_;
    }
    auto& canvas = Canvas();
    auto line = [&canvas](int fromX, int fromY, int toX, int toY) {
        canvas.MoveTo(fromX, fromY);
        canvas.LineTo(toX, toY);
    };
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Brush().SetColor(gdi::clBtnFace);
    canvas.Rectangle(x1, y1, x2 - 1, y2 - 1);
    canvas.Pen().SetColor(gdi::clWhite);
    line(x1 + 1, y2 - 3, x1 + 1, y1 + 1);
    line(x1 + 2, y2 - 4, x1 + 2, y1 + 2);
    line(x1 + 1, y1 + 1, x2 - 3, y1 + 1);
    line(x1 + 2, y1 + 2, x2 - 4, y1 + 2);
    canvas.Pen().SetColor(gdi::clGray);
    line(x2 - 3, y1 + 1, x2 - 3, y2 - 3);
    line(x2 - 4, y1 + 2, x2 - 4, y2 - 4);
    line(x2 - 3, y2 - 3, x1 + 1, y2 - 3);
    line(x2 - 4, y2 - 4, x1 + 2, y2 - 4);
}

void TSlider::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseDown(button, shift, x, y);
    if (button != forms::mbLeft) return;
    const int c = Along(x, y);
    const int p = ThumbPosition();
    if (c < p || c > p + thumbHeight_) return;
    dragging_ = true;
    grabOffset_ = c - p;
}

void TSlider::MouseMove(forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    if (HasScale()) {
        // Clamping before the truncation keeps the number in range; both orders agree.
        const double at = (Along(x, y) - grabOffset_) / Scale();
        value_ = static_cast<int>(std::clamp<double>(at, minValue_, maxValue_));
    }
    {
        TDrawingNow drawing(*this);
        DrawTrack();
        DrawThumb();
    }
    if (OnValueChange) OnValueChange(this);
}

void TSlider::MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseUp(button, shift, x, y);
    if (button != forms::mbLeft) return;
    const bool ended = dragging_;
    dragging_ = false;
    if (ended && OnEndChange) OnEndChange(this);
}

} // namespace controls
