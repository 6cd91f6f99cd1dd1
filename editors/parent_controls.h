#pragma once
// The controls of the system pages made in code on a parent of the form (a notebook page, a
// panel, the form itself), each with its label as the forms lay it out: a label left of a
// stepped field or a drop-down list, a check box, radio buttons in a group box. Each is owned by
// the form.

#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <initializer_list>
#include <span>
#include <vector>

namespace editors {

// The label (labelWidth wide) at (left, top), the field (88 x 21) right of it; a MinMax kind
// steps through min..max.
controls::TMyEdit& PlaceFieldOn(platform::forms::TForm& form, platform::forms::TWinControl& parent,
                                int left, int top, int labelWidth, const char* label,
                                controls::TEditType type, int min = 0, int max = 0);
// The label at (left, top), the list (items, drop-down only) right of it.
platform::forms::TComboBox& PlaceListOn(platform::forms::TForm& form,
                                        platform::forms::TWinControl& parent, int left, int top,
                                        int labelWidth, const char* label,
                                        std::span<const char* const> items);
inline platform::forms::TComboBox& PlaceListOn(platform::forms::TForm& form,
                                               platform::forms::TWinControl& parent, int left,
                                               int top, int labelWidth, const char* label,
                                               std::initializer_list<const char*> items) {
    return PlaceListOn(form, parent, left, top, labelWidth, label,
                       std::span<const char* const>(items.begin(), items.size()));
}
platform::forms::TCheckBox& PlaceCheckOn(platform::forms::TForm& form,
                                         platform::forms::TWinControl& parent, int left, int top,
                                         const char* caption);
// A group box captioned caption holding one radio button per caption, side by side.
std::vector<platform::forms::TRadioButton*>
PlaceRadiosOn(platform::forms::TForm& form, platform::forms::TWinControl& parent, int left, int top,
              int width, const char* caption, std::initializer_list<const char*> buttons);
// The label across width at (left, top), the slider with value box (48 x 140) under it.
controls::TPanSlider& PlaceSliderOn(platform::forms::TForm& form,
                                    platform::forms::TWinControl& parent, int left, int top,
                                    int width, const char* label, int min, int max);

} // namespace editors
