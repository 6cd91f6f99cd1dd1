#include "editors/parent_controls.h"

#include "editors/place_control.h"

namespace editors {

namespace forms = platform::forms;

controls::TMyEdit& PlaceFieldOn(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                                int labelWidth, const char* label, controls::TEditType type,
                                int min, int max) {
    PlaceControl<forms::TLabel>(form, parent, left, top + 3, labelWidth, 15, label);
    auto& edit = PlaceControl<controls::TMyEdit>(form, parent, left + labelWidth + 4, top, 88, 21);
    edit.Min = min;
    edit.Max = max;
    edit.SetEditType(type);
    return edit;
}

forms::TComboBox& PlaceListOn(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                              int labelWidth, const char* label,
                              std::span<const char* const> items) {
    PlaceControl<forms::TLabel>(form, parent, left, top + 3, labelWidth, 15, label);
    auto& list = PlaceControl<forms::TComboBox>(form, parent, left + labelWidth + 4, top, 96, 21);
    list.Style = forms::csDropDownList;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

forms::TCheckBox& PlaceCheckOn(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                               const char* caption) {
    return PlaceControl<forms::TCheckBox>(form, parent, left, top, 170, 18, caption);
}

std::vector<forms::TRadioButton*> PlaceRadiosOn(forms::TForm& form, forms::TWinControl& parent,
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

controls::TPanSlider& PlaceSliderOn(forms::TForm& form, forms::TWinControl& parent, int left,
                                    int top, int width, const char* label, int min, int max) {
    PlaceControl<forms::TLabel>(form, parent, left, top, width, 15, label);
    auto& slider = PlaceControl<controls::TPanSlider>(form, parent, left + (width - 48) / 2,
                                                      top + 18, 48, 140);
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

} // namespace editors
