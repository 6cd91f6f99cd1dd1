#pragma once
// How the tone wave page and the rhythm note main page lay out their rows of controls: a row
// every 28 pixels from the grid's top, its label at the left and its control at 120. Each
// control is owned by the form and lies on it.

#include "controls/my_edit.h"
#include "platform/forms/buttons.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <array>
#include <initializer_list>

namespace editors {

class TWavePageGrid {
public:
    static constexpr int LabelLeft = 8;
    static constexpr int ControlLeft = 120;
    static constexpr int RowHeight = 28;

    // Rows on form from top down.
    TWavePageGrid(platform::forms::TForm& form, int top) : form_(form), top_(top) {}

    int RowTop(int row) const { return top_ + row * RowHeight; }

    // The row's label.
    platform::forms::TLabel& Label(int row, const char* text) const;
    // A check box across the row.
    platform::forms::TCheckBox& Check(int row, const char* caption) const;
    // A drop-down list of items right of its label.
    platform::forms::TComboBox& List(int row, const char* label,
                                     std::initializer_list<const char*> items) const;
    // Four speed buttons of group right of their label.
    std::array<platform::forms::TSpeedButton*, 4>
    Buttons(int row, const char* label, int group, std::array<const char*, 4> captions) const;
    // A stepped field of type right of its label.
    controls::TMyEdit& Step(int row, const char* label, controls::TEditType type) const;
    // A stepped field from min to max right of its label.
    controls::TMyEdit& StepMinMax(int row, const char* label, int min, int max) const;

private:
    platform::forms::TForm& form_;
    const int top_;
};

} // namespace editors
