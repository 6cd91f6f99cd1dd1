#include "controls/pan_slider.h"

namespace controls {

namespace gdi = platform::gdi;
namespace win = platform::win;

TPanSlider::TPanSlider(forms::TComponent* owner)
    : forms::TPanel(owner), box_(Own<TClickEdit>()), slider_(Own<TSlider>()) {
    box_.SetParent(this);
    slider_.SetParent(this);
    width_ = 30;
    height_ = 120;
    controlStyle_ |= forms::csOpaque;
    slider_.OnValueChange = [this](forms::TObject*) { SliderChanged(); };
    slider_.OnEndChange = [this](forms::TObject*) { ChildEnded(); };
    box_.Onchange = [this](forms::TObject*) { BoxChanged(); };
    box_.OnEndchange = [this](forms::TObject*) { ChildEnded(); };
    UpdateChildren();
}

template <class T> void TPanSlider::Store(T& field, T value) {
    if (value == field) return;
    field = value;
    UpdateChildren();
}

void TPanSlider::SetValue(int value) {
    if (value < min_)
        value = min_;
    else if (value > max_)
        value = max_;
    Store(value_, value);
}

void TPanSlider::SetMin(int value) {
    if (value == min_) return;
    min_ = value;
    if (value > value_) {
        value_ = value;
        UpdateChildren();
    }
}

void TPanSlider::SetMax(int value) {
    if (value == max_) return;
    max_ = value;
    if (value < value_) {
        value_ = value;
        UpdateChildren();
    }
}

void TPanSlider::SetVertical(bool value) {
    Store(vertical_, value);
}
void TPanSlider::SetStereo(bool value) {
    Store(stereo_, value);
}
void TPanSlider::SetThumbColor(forms::TColor value) {
    Store(thumbColor_, value);
}
void TPanSlider::SetTrackColor(forms::TColor value) {
    Store(trackColor_, value);
}
void TPanSlider::SetThumbHeight(int value) {
    Store(thumbHeight_, value);
}
void TPanSlider::SetTrackWidth(int value) {
    Store(trackWidth_, value);
}
void TPanSlider::SetSLeft(int value) {
    Store(sLeft_, value);
}
void TPanSlider::SetSTop(int value) {
    Store(sTop_, value);
}
void TPanSlider::SetSWidth(int value) {
    Store(sWidth_, value);
}
void TPanSlider::SetSHeight(int value) {
    Store(sHeight_, value);
}
void TPanSlider::SetELeft(int value) {
    Store(eLeft_, value);
}
void TPanSlider::SetETop(int value) {
    Store(eTop_, value);
}
void TPanSlider::SetEWidth(int value) {
    Store(eWidth_, value);
}
void TPanSlider::SetEHeight(int value) {
    Store(eHeight_, value);
}

void TPanSlider::UpdateChildren() {
    const bool wasUpdating = updating_;
    updating_ = true;
    Canvas().Brush().SetColor(gdi::clBtnFace);
    SetCaption("");
    box_.SetStereo(stereo_);
    box_.Font().Assign(Font());
    box_.SetMin(min_);
    box_.SetMax(max_);
    box_.SetValue(value_);
    if (min_ < 0) {
        slider_.SetMinValue(0);
        slider_.SetMaxValue(max_ - min_);
    } else {
        slider_.SetMinValue(min_);
        slider_.SetMaxValue(max_);
    }
    slider_.SetValue(value_ + Shift());
    slider_.SetThumbColor(thumbColor_);
    slider_.SetTrackColor(trackColor_);
    slider_.SetThumbHeight(thumbHeight_);
    slider_.SetTrackWidth(trackWidth_);
    slider_.SetOrientation(vertical_ ? slVertical : slHoriz);
    slider_.SetBounds(sLeft_, sTop_, sWidth_, sHeight_);
    box_.SetBounds(eLeft_, eTop_, eWidth_, eHeight_);
    updating_ = wasUpdating;
}

void TPanSlider::SliderChanged() {
    if (updating_) return;
    value_ = slider_.Value() - Shift();
    box_.SetValue(value_);
    if (Onchange) Onchange(&slider_);
}

void TPanSlider::BoxChanged() {
    value_ = box_.Value();
    slider_.SetValue(value_ + Shift());
    if (Onchange) Onchange(&box_);
}

void TPanSlider::ChildEnded() {
    if (OnEndchange) OnEndchange(this);
}

void TPanSlider::CreateParams(TCreateParams& params) {
    forms::TPanel::CreateParams(params);
    params.exStyle |= win::WS_EX_TRANSPARENT;
}

void TPanSlider::Dispatch(forms::TMessage& message) {
    // The panel paints its whole area itself.
    if (message.Msg == win::WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    forms::TPanel::Dispatch(message);
}

void TPanSlider::Paint() {
    UpdateChildren();
    forms::TPanel::Paint();
}

} // namespace controls
