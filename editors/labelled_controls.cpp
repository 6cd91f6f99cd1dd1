#include "editors/labelled_controls.h"

#include "platform/forms/place_control.h"

namespace editors {

namespace forms = platform::forms;

using forms::PlaceControl;

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

controls::TPanSlider& PlaceLabelledSlider(forms::TForm& form, forms::TWinControl& parent, int left,
                                          int top, int width, const char* label, int min, int max) {
    PlaceControl<forms::TLabel>(form, parent, left, top, width, 15, label);
    return PlaceSlider(form, parent, left + (width - 48) / 2, top + 18, min, max);
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

controls::TMyEdit& PlaceLabelledField(forms::TForm& form, forms::TWinControl& parent, int left,
                                      int top, int labelWidth, const char* label,
                                      controls::TEditType type, int min, int max, int step) {
    PlaceControl<forms::TLabel>(form, parent, left, top + 3, labelWidth, 15, label);
    auto& edit = PlaceControl<controls::TMyEdit>(form, parent, left + labelWidth + 4, top, 88, 21);
    edit.Min = min;
    edit.Max = max;
    edit.Step = step;
    // The kind last, so that the field shows its text and lays itself out at its bounds.
    edit.SetEditType(type);
    return edit;
}

forms::TComboBox& PlaceLabelledList(forms::TForm& form, forms::TWinControl& parent, int left,
                                    int top, int labelWidth, const char* label,
                                    std::span<const char* const> items) {
    PlaceControl<forms::TLabel>(form, parent, left, top + 3, labelWidth, 15, label);
    auto& list = PlaceControl<forms::TComboBox>(form, parent, left + labelWidth + 4, top, 96, 21);
    list.Style = forms::csDropDownList;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

forms::TCheckBox& PlaceCheck(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                             const char* caption, int width) {
    return PlaceControl<forms::TCheckBox>(form, parent, left, top, width, 18, caption);
}

std::vector<forms::TRadioButton*> PlaceRadios(forms::TForm& form, forms::TWinControl& parent,
                                              int left, int top, int width, const char* caption,
                                              std::initializer_list<const char*> buttons) {
    auto& group = PlaceControl<forms::TGroupBox>(form, parent, left, top, width, 38, caption);
    std::vector<forms::TRadioButton*> made;
    const int pitch = (width - 12) / static_cast<int>(buttons.size());
    int x = 8;
    for (const char* button : buttons) {
        made.push_back(
            &PlaceControl<forms::TRadioButton>(form, group, x, 15, pitch - 2, 18, button));
        x += pitch;
    }
    return made;
}

controls::TPanGraph& PlaceEnvelopeGraph(forms::TForm& form, forms::TWinControl& parent, int left,
                                        int top, controls::TGraphType type) {
    // Four columns of boxes (36 wide, 7 apart) from 30 in: the group is as wide as they need,
    // with the graph area's margin of 5 on both sides.
    auto& graph = PlaceControl<controls::TPanGraph>(form, parent, left, top, 200, 150);
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
