#pragma once
// The value controls of the parameter pages made in code with their labels, as the forms lay
// them out: a slider with value box under its label, a stepped field right of its label, and
// the parts a page that lays them out otherwise places one by one. Each is owned by the form and
// lies on it, or on the parent given.

#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

namespace editors {

// The slider with value box, 48 x 140 at (left, top) on parent, from min to max.
controls::TPanSlider& PlaceSlider(platform::forms::TForm& form,
                                  platform::forms::TWinControl& parent, int left, int top, int min,
                                  int max);
// A caption wrapped within width x height at (left, top) on parent: two lines for a caption
// wider than its column.
platform::forms::TLabel& PlaceWrappedLabel(platform::forms::TForm& form,
                                           platform::forms::TWinControl& parent, int left, int top,
                                           int width, int height, const char* text);

// The label across width at (left, top); the panel (48 x 140) under it.
controls::TPanSlider& PlaceLabelledSlider(platform::forms::TForm& form, int left, int top,
                                          int width, const char* label, int min, int max);
// The label (labelWidth wide) at (left, top), the field (88 x 21) right of it.
controls::TMyEdit& PlaceLabelledStep(platform::forms::TForm& form, int left, int top,
                                     int labelWidth, const char* label, controls::TEditType type);
// The same on parent (a group box).
controls::TMyEdit& PlaceLabelledStep(platform::forms::TForm& form,
                                     platform::forms::TWinControl& parent, int left, int top,
                                     int labelWidth, const char* label, controls::TEditType type);
// A field of a MinMax kind stepping through min..max by step.
controls::TMyEdit& PlaceLabelledMinMax(platform::forms::TForm& form, int left, int top,
                                       int labelWidth, const char* label, controls::TEditType type,
                                       int min, int max, int step);

// An envelope graph of type, 200 x 150 at (left, top), as the tone and rhythm note pages lay it
// out: the graph area above, the time and level boxes in a row under it, all inside.
controls::TPanGraph& PlaceEnvelopeGraph(platform::forms::TForm& form, int left, int top,
                                        controls::TGraphType type);

} // namespace editors
