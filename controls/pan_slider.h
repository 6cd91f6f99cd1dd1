#pragma once
// The slider with value box: a panel holding a slider and a click value box that it keeps in
// step, so that the user can drag the thumb or click the box. A range with a negative Min runs
// the slider over the range shifted up by |Min|. The children take the panel's settings through
// its setters and again at every Paint.
//
// Onchange reports a change while the user drags or clicks, with the child that changed as
// Sender (a click step that moves the slider reports the slider, then the box); OnEndchange
// reports the end of a drag or a button released over the box, with the panel as Sender. A
// value set by program is clamped into Min..Max and reports nothing.

#include "controls/click_edit.h"
#include "controls/slider.h"

#include "platform/forms/ext_ctrls.h"

namespace controls {

class TPanSlider : public forms::TPanel {
public:
    explicit TPanSlider(forms::TComponent* owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    // Moving a bound past Value moves Value to it and updates the children; otherwise the
    // children get the new bound at the next Paint.
    void SetMin(int value);
    void SetMax(int value);
    void SetValue(int value);

    bool Vertical() const { return vertical_; }
    bool Stereo() const { return stereo_; }
    void SetVertical(bool value);
    void SetStereo(bool value);

    forms::TColor ThumbColor() const { return thumbColor_; }
    forms::TColor TrackColor() const { return trackColor_; }
    int ThumbHeight() const { return thumbHeight_; }
    int TrackWidth() const { return trackWidth_; }
    void SetThumbColor(forms::TColor value);
    void SetTrackColor(forms::TColor value);
    void SetThumbHeight(int value);
    void SetTrackWidth(int value);

    // The children's places on the panel.
    int SLeft() const { return sLeft_; }
    int STop() const { return sTop_; }
    int SWidth() const { return sWidth_; }
    int SHeight() const { return sHeight_; }
    int ELeft() const { return eLeft_; }
    int ETop() const { return eTop_; }
    int EWidth() const { return eWidth_; }
    int EHeight() const { return eHeight_; }
    void SetSLeft(int value);
    void SetSTop(int value);
    void SetSWidth(int value);
    void SetSHeight(int value);
    void SetELeft(int value);
    void SetETop(int value);
    void SetEWidth(int value);
    void SetEHeight(int value);

    forms::TNotifyEvent Onchange;
    forms::TNotifyEvent OnEndchange;

    TSlider& Slider() { return slider_; }
    TClickEdit& Box() { return box_; }

    void Dispatch(forms::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    // What the slider runs on: the value shifted up by |Min| when Min is negative.
    int Shift() const { return min_ < 0 ? -min_ : 0; }
    void UpdateChildren();
    template <class T> void Store(T& field, T value);
    void SliderChanged();
    void BoxChanged();
    void ChildEnded();

    TClickEdit& box_;
    TSlider& slider_;
    int sLeft_ = 5, sTop_ = 110, sWidth_ = 20, sHeight_ = 110;
    int eLeft_ = 5, eWidth_ = 20, eTop_ = 5, eHeight_ = 10;
    int min_ = 0, max_ = 128, value_ = 0;
    bool vertical_ = true;
    bool stereo_ = false;
    forms::TColor thumbColor_ = platform::gdi::clBlue;
    forms::TColor trackColor_ = platform::gdi::clAqua;
    int thumbHeight_ = 12;
    int trackWidth_ = 10;
    // While the panel hands its settings to the children, what the slider reports is the
    // panel's own value coming back, not the user's.
    bool updating_ = false;
};

} // namespace controls
