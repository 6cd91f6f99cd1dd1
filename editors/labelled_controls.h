#pragma once
// The controls of the editor pages made in code, as their forms lay them out: each is owned by
// the form and lies on the parent given (the form itself, a group box, a notebook page, a
// panel). Every verb places one control, or one control with its label, at (left, top) of the
// parent; the slider with value box has one set-up, whoever places it.

#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <initializer_list>
#include <span>
#include <vector>

namespace editors {

// The slider with value box, 48 x 140, from min to max.
controls::TPanSlider& PlaceSlider(platform::forms::TForm& form,
                                  platform::forms::TWinControl& parent, int left, int top, int min,
                                  int max);
// The label across width, the slider with value box centred under it.
controls::TPanSlider& PlaceLabelledSlider(platform::forms::TForm& form,
                                          platform::forms::TWinControl& parent, int left, int top,
                                          int width, const char* label, int min, int max);
// A caption wrapped within width x height: two lines for a caption wider than its column.
platform::forms::TLabel& PlaceWrappedLabel(platform::forms::TForm& form,
                                           platform::forms::TWinControl& parent, int left, int top,
                                           int width, int height, const char* text);
// The label (labelWidth wide), the stepped field (88 x 21) right of it; a MinMax kind steps
// through min..max by step.
controls::TMyEdit& PlaceLabelledField(platform::forms::TForm& form,
                                      platform::forms::TWinControl& parent, int left, int top,
                                      int labelWidth, const char* label, controls::TEditType type,
                                      int min = 0, int max = 0, int step = 1);
// The label (labelWidth wide), the list (96 x 21, drop-down only, the items given) right of it.
platform::forms::TComboBox& PlaceLabelledList(platform::forms::TForm& form,
                                              platform::forms::TWinControl& parent, int left,
                                              int top, int labelWidth, const char* label,
                                              std::span<const char* const> items);
inline platform::forms::TComboBox& PlaceLabelledList(platform::forms::TForm& form,
                                                     platform::forms::TWinControl& parent, int left,
                                                     int top, int labelWidth, const char* label,
                                                     std::initializer_list<const char*> items) {
    return PlaceLabelledList(form, parent, left, top, labelWidth, label,
                             std::span<const char* const>(items.begin(), items.size()));
}
// A check box (width x 18) carrying its caption.
platform::forms::TCheckBox& PlaceCheck(platform::forms::TForm& form,
                                       platform::forms::TWinControl& parent, int left, int top,
                                       const char* caption, int width = 170);
// A group box captioned caption, width wide, holding one radio button per caption side by side.
std::vector<platform::forms::TRadioButton*>
PlaceRadios(platform::forms::TForm& form, platform::forms::TWinControl& parent, int left, int top,
            int width, const char* caption, std::initializer_list<const char*> buttons);
// An envelope graph of type, 200 x 150, as the tone and rhythm note pages lay it out: the graph
// area above, the time and level boxes in a row under it, all inside.
controls::TPanGraph& PlaceEnvelopeGraph(platform::forms::TForm& form,
                                        platform::forms::TWinControl& parent, int left, int top,
                                        controls::TGraphType type);

} // namespace editors
