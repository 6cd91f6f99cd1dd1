#include "platform/forms/place_control.h"

namespace platform::forms {

void PlaceControls(TWinControl& parent, std::initializer_list<TControlRow> rows) {
    for (const TControlRow& row : rows) {
        TControl& control = *row.control;
        control.SetParent(&parent);
        control.SetBounds(row.left, row.top, row.width, row.height);
        if (*row.caption != '\0') control.SetCaption(row.caption);
        if (*row.hint != '\0') control.Hint = row.hint;
        if (row.click) control.OnClick = [click = row.click](TObject*) { click(); };
    }
}

} // namespace platform::forms
