#pragma once
// How the data model sees an open librarian or editor window (model::TEditorView), kept beside
// the form rather than mixed into it: the form's own Left, Top, Width and Height stay the class
// library's.

#include "model/editing/editor_view.h"
#include "platform/forms/forms.h"

#include <cstdint>
#include <functional>

namespace editors {

class TFormView : public model::TEditorView {
public:
    // update refreshes the window's content; keepsSize: the window's size is saved with its
    // element (bank, global and library windows), else Width and Height read -1.
    TFormView(platform::forms::TCustomForm& form, std::function<void()> update, bool keepsSize);

    void UpDateView() override;
    std::int16_t Left() const override;
    std::int16_t Top() const override;
    std::int16_t Width() const override;
    std::int16_t Height() const override;
    // The form's destroy handler runs, its close handler is cleared, and it is freed.
    void CloseByOwner() override;
    void BringToFront() override;

private:
    platform::forms::TCustomForm& form_;
    std::function<void()> update_;
    bool keepsSize_;
};

} // namespace editors
