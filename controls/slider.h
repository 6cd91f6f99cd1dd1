#pragma once
// The plain slider: a sunken track with a bevelled thumb dragged by the left mouse button. Every
// move of a drag reports OnValueChange (changed or not) and the release after a drag reports
// OnEndChange once. A value set by program is clamped into MinValue..MaxValue and, when that
// changes it, reported through OnValueChange like a drag.
//
// The thumb lies at Trunc(Value * S) along the track, S = (extent - ThumbHeight + 1) / (MaxValue
// - MinValue); a drag maps back through the same scale. With MaxValue not above MinValue there
// is no scale: the thumb stays at the start and a drag maps nothing. A vertical slider has its
// maximum at the top for drawing, pressing and dragging alike.

#include "platform/forms/controls.h"

namespace controls {

namespace forms = platform::forms;

enum TSliderOrientation { slHoriz, slVertical };

class TSlider : public forms::TCustomControl {
public:
    explicit TSlider(forms::TComponent* owner);

    int TrackWidth() const { return trackWidth_; }
    forms::TColor TrackColor() const { return trackColor_; }
    TSliderOrientation Orientation() const { return orientation_; }
    int ThumbHeight() const { return thumbHeight_; }
    // Stored and repainting, but the thumb's face is always button-face.
    forms::TColor ThumbColor() const { return thumbColor_; }
    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Value() const { return value_; }
    void SetTrackWidth(int value);
    void SetTrackColor(forms::TColor value);
    void SetOrientation(TSliderOrientation value);
    void SetThumbHeight(int value);
    void SetThumbColor(forms::TColor value);
    // Moving a bound past Value moves Value to it (through SetValue).
    void SetMinValue(int value);
    void SetMaxValue(int value);
    void SetValue(int value);

    // Sender is the slider.
    forms::TNotifyEvent OnValueChange;
    forms::TNotifyEvent OnEndChange;

    // Where the thumb starts along the track, in pixels.
    int ThumbPosition() const;
    bool DraggingThumb() const { return dragging_; }

    void Dispatch(forms::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    virtual void DrawThumb();
    void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseMove(forms::TShiftState shift, int x, int y) override;
    void MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;

private:
    bool HasScale() const { return maxValue_ > minValue_; }
    double Scale() const;
    // The pointer's coordinate along the track, growing toward the maximum.
    int Along(int x, int y) const;
    void DrawTrack();

    bool dragging_ = false;
    int grabOffset_ = 0;
    int trackWidth_ = 8;
    forms::TColor trackColor_ = platform::gdi::clBtnFace;
    TSliderOrientation orientation_ = slHoriz;
    int thumbHeight_ = 10;
    forms::TColor thumbColor_ = platform::gdi::clBtnFace;
    int minValue_ = 0;
    int maxValue_ = 100;
    int value_ = 30;
};

} // namespace controls
