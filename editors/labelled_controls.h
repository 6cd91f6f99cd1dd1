#pragma once
// The value controls of the tone pages made in code with their labels, as the forms lay them
// out: a slider with value box under its label, a stepped field right of its label. Each is
// owned by the form and lies on it.

#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "platform/forms/forms.h"

namespace editors {

// The label across width at (left, top); the panel (48 x 140) under it.
controls::TPanSlider& PlaceLabelledSlider(platform::forms::TForm& form, int left, int top,
                                          int width, const char* label, int min, int max);
// The label (labelWidth wide) at (left, top), the field (88 x 21) right of it.
controls::TMyEdit& PlaceLabelledStep(platform::forms::TForm& form, int left, int top,
                                     int labelWidth, const char* label, controls::TEditType type);
// A field of a MinMax kind stepping through min..max by step.
controls::TMyEdit& PlaceLabelledMinMax(platform::forms::TForm& form, int left, int top,
                                       int labelWidth, const char* label, controls::TEditType type,
                                       int min, int max, int step);

} // namespace editors
