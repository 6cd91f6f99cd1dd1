#include "editors/wave_page_grid.h"

#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

namespace editors {

namespace forms = platform::forms;

forms::TLabel& TWavePageGrid::Label(int row, const char* text) const {
    return forms::PlaceControl<forms::TLabel>(form_, form_, LabelLeft, RowTop(row) + 3,
                                              ControlLeft - 12, 15, text);
}

forms::TCheckBox& TWavePageGrid::Check(int row, const char* caption) const {
    return forms::PlaceControl<forms::TCheckBox>(form_, form_, LabelLeft, RowTop(row), 150, 17,
                                                 caption);
}

forms::TComboBox& TWavePageGrid::List(int row, const char* label,
                                      std::initializer_list<const char*> items) const {
    Label(row, label);
    auto& list =
        forms::PlaceControl<forms::TComboBox>(form_, form_, ControlLeft, RowTop(row), 140, 21);
    list.Style = forms::csDropDownList;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

std::array<forms::TSpeedButton*, 4>
TWavePageGrid::Buttons(int row, const char* label, int group,
                       std::array<const char*, 4> captions) const {
    Label(row, label);
    std::array<forms::TSpeedButton*, 4> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto& button = forms::PlaceControl<forms::TSpeedButton>(
            form_, form_, ControlLeft + static_cast<int>(i) * 36, RowTop(row), 34, 21, captions[i]);
        button.SetGroupIndex(group);
        buttons[i] = &button;
    }
    return buttons;
}

controls::TMyEdit& TWavePageGrid::Step(int row, const char* label, controls::TEditType type) const {
    return PlaceLabelledField(form_, form_, LabelLeft, RowTop(row), ControlLeft - LabelLeft - 4,
                              label, type);
}

controls::TMyEdit& TWavePageGrid::StepMinMax(int row, const char* label, int min, int max) const {
    return PlaceLabelledField(form_, form_, LabelLeft, RowTop(row), ControlLeft - LabelLeft - 4,
                              label, controls::TEditType::MinMax, min, max, 1);
}

} // namespace editors
