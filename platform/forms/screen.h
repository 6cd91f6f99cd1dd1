#pragma once
// The class library's screen object: the forms of the program (the most recently active
// first), the active form, the cursor for the whole program and the cursor table.

#include "platform/forms/controls.h"
#include "platform/win/cursors.h"

#include <vector>

namespace platform::forms {

class TCustomForm;

class TScreen : public TObject {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(static_cast<std::size_t>(index)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    // The focused control of the active form.
    TWinControl* ActiveControl() const;
    // Runs when the active form changes, and when the active child of the main form does.
    TNotifyEvent OnActiveFormChange;

    // A cursor for every window of the program while it is not crDefault.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    win::HCURSOR Cursors(int index) const { return win::ScreenCursor(index); }
    void SetCursors(int index, win::HCURSOR cursor) { win::SetScreenCursor(index, cursor); }

    int Width() const;
    int Height() const;

    // Bookkeeping of the forms.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);
    void ActiveFormChanged();

private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TCursor cursor_ = crDefault;
};

TScreen& Screen();

} // namespace platform::forms
