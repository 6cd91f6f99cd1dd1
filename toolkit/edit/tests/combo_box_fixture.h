#pragma once
// How the combo box's window tests start: a combo box of the given items, 16-pixel rows, at
// (10, 10) on a test form (see edit_test_fixture.h), the form shown and the editor focused.

#include "toolkit/edit/cx_combo_box.h"

#include "platform/forms/forms.h"
#include "testsupport/win/input_driver.h"

namespace toolkit::edit::test {

// Ten items: more than the rows a list shows in the tests, so that it scrolls.
inline const char* const TenItems[] = {"Alpha",   "Bravo", "Charlie", "Delta", "Echo",
                                       "Foxtrot", "Golf",  "Hotel",   "India", "Juliet"};

template <class Names>
TcxComboBox& ShowFocusedComboBox(platform::forms::TForm& Form, const Names& Items) {
    auto& Edit = Form.Own<TcxComboBox>();
    Edit.SetParent(&Form);
    Edit.SetBoundsRect({10, 10, 160, 31});
    Edit.Properties().SetItemHeight(16);
    for (const char* N : Items)
        Edit.Properties().Items().Add(N);
    Edit.Properties().LookupItemsChanged();
    Form.Show();
    Edit.HandleNeeded();
    Edit.SetFocus();
    testsupport::PumpUntilIdle();
    return Edit;
}

} // namespace toolkit::edit::test
