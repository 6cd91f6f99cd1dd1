#pragma once
// Making a form's controls in code: each is owned by the form, lies on its parent at its bounds
// and carries its caption. A form of many controls declares each control (its kind is its
// type) and lays them out by one table, a line per control: bounds, caption, hint and what a
// click does.

#include "platform/forms/controls.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace platform::forms {

template <class T>
T& PlaceControl(TComponent& owner, TWinControl& parent, int left, int top, int width, int height,
                const std::string& caption = {}) {
    T& control = owner.Own<T>();
    control.SetParent(&parent);
    control.SetBounds(left, top, width, height);
    if (!caption.empty()) control.SetCaption(caption);
    return control;
}

// A line of a form's table of controls; an empty caption, hint or click leaves the control's
// own.
struct TControlRow {
    TControl* control;
    int left;
    int top;
    int width;
    int height;
    const char* caption = "";
    const char* hint = "";
    std::function<void()> click = {};
};

// Lays each line's control on parent, in the table's order (which is the parent's order of its
// controls).
void PlaceControls(TWinControl& parent, std::initializer_list<TControlRow> rows);

} // namespace platform::forms
