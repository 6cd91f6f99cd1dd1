#include "editors/labelled_controls.h"

#include "editors/place_control.h"
#include "platform/forms/std_ctrls.h"

namespace editors {

namespace forms = platform::forms;

controls::TPanSlider& PlaceLabelledSlider(forms::TForm& form, int left, int top, int width,
                                          const char* label, int min, int max) {
    PlaceControl<forms::TLabel>(form, form, left, top, width, 15, label);
    auto& slider =
        PlaceControl<controls::TPanSlider>(form, form, left + (width - 48) / 2, top + 18, 48, 140);
    slider.SetELeft(5);
    slider.SetETop(5);
    slider.SetEWidth(38);
    slider.SetEHeight(15);
    slider.SetSLeft(14);
    slider.SetSTop(26);
    slider.SetSWidth(20);
    slider.SetSHeight(108);
    slider.SetMin(min);
    slider.SetMax(max);
    return slider;
}

controls::TMyEdit& PlaceLabelledStep(forms::TForm& form, int left, int top, int labelWidth,
                                     const char* label, controls::TEditType type) {
    PlaceControl<forms::TLabel>(form, form, left, top + 3, labelWidth, 15, label);
    auto& edit = PlaceControl<controls::TMyEdit>(form, form, left + labelWidth + 4, top, 88, 21);
    edit.SetEditType(type);
    return edit;
}

controls::TMyEdit& PlaceLabelledMinMax(forms::TForm& form, int left, int top, int labelWidth,
                                       const char* label, controls::TEditType type, int min,
                                       int max, int step) {
    controls::TMyEdit& edit = PlaceLabelledStep(form, left, top, labelWidth, label, type);
    edit.Min = min;
    edit.Max = max;
    edit.Step = step;
    // The kind again, so that the field lays itself out for its new bounds.
    edit.SetEditType(type);
    return edit;
}

} // namespace editors
