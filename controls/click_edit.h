#pragma once
// The click value box: a framed integer changed by clicking. The left button steps it down, the
// others step it up, and holding a button repeats (600 ms after the press, then every 47 ms) on
// the platform clock. Serves alone for pan values (Stereo: "L 64" .. "R 63") and as the value
// box inside the slider panel and the graphs. A value set by program is shown as it is, without
// clamping and without an event.

#include "platform/forms/controls.h"
#include "platform/forms/ext_ctrls.h"

#include <string>

namespace controls {

namespace forms = platform::forms;

class TClickEdit : public forms::TCustomControl {
public:
    explicit TClickEdit(forms::TComponent* owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    bool Stereo() const { return stereo_; }
    // Raising Min above Value, or lowering Max below it, moves Value to the bound (no event).
    void SetMin(int value);
    void SetMax(int value);
    void SetValue(int value);
    void SetStereo(bool value);

    // The background while a button is held.
    forms::TColor ClSelected = platform::gdi::clAqua;

    // After every step made by the mouse; Sender is the box.
    forms::TNotifyEvent Onchange;
    // On every button release over the box, stepped or not; Sender is the box.
    forms::TNotifyEvent OnEndchange;

    // The text the box shows for the value.
    std::string ValueText() const;
    // Whether a button is held (the repeat timer runs).
    bool Held() const { return timer_.Enabled(); }

protected:
    void Paint() override;
    void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;

private:
    void StepOnce();
    void DrawValue();
    forms::TColor Background() const;

    int min_ = 0;
    int max_ = 127;
    int value_ = 0;
    bool up_ = false;
    bool stereo_ = false;
    forms::TTimer& timer_;
};

} // namespace controls
