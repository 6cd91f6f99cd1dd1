#include "editors/labelled_controls.h"

#include "editors/place_control.h"

namespace editors {

namespace forms = platform::forms;

controls::TPanSlider& PlaceSlider(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                                  int min, int max) {
    auto& slider = PlaceControl<controls::TPanSlider>(form, parent, left, top, 48, 140);
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

forms::TLabel& PlaceWrappedLabel(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                                 int width, int height, const char* text) {
    auto& label = PlaceControl<forms::TLabel>(form, parent, left, top, width, height, text);
    // The caption sized the label to one line: its bounds again, for the wrap.
    label.SetAutoSize(false);
    label.WordWrap = true;
    label.SetBounds(left, top, width, height);
    return label;
}

controls::TPanSlider& PlaceLabelledSlider(forms::TForm& form, int left, int top, int width,
                                          const char* label, int min, int max) {
    PlaceControl<forms::TLabel>(form, form, left, top, width, 15, label);
    return PlaceSlider(form, form, left + (width - 48) / 2, top + 18, min, max);
}

controls::TMyEdit& PlaceLabelledStep(forms::TForm& form, int left, int top, int labelWidth,
                                     const char* label, controls::TEditType type) {
    return PlaceLabelledStep(form, form, left, top, labelWidth, label, type);
}

controls::TMyEdit& PlaceLabelledStep(forms::TForm& form, forms::TWinControl& parent, int left,
                                     int top, int labelWidth, const char* label,
                                     controls::TEditType type) {
    PlaceControl<forms::TLabel>(form, parent, left, top + 3, labelWidth, 15, label);
    auto& edit = PlaceControl<controls::TMyEdit>(form, parent, left + labelWidth + 4, top, 88, 21);
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

controls::TPanGraph& PlaceEnvelopeGraph(forms::TForm& form, int left, int top,
                                        controls::TGraphType type) {
    // Four columns of boxes (36 wide, 7 apart) from 30 in: the group is as wide as they need,
    // with the graph area's margin of 5 on both sides.
    auto& graph = PlaceControl<controls::TPanGraph>(form, form, left, top, 200, 150);
    graph.SetGraphType(type);
    graph.SetGLeft(5);
    graph.SetGTop(62);
    graph.SetGWidth(190);
    graph.SetGHeight(82);
    graph.SetELeft(30);
    graph.SetEWidth(36);
    return graph;
}

} // namespace editors
