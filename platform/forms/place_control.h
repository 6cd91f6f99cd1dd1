#pragma once
// Making a form's controls in code: each is owned by the form, lies on its parent at its bounds
// and carries its caption.

#include "platform/forms/controls.h"

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

} // namespace platform::forms
