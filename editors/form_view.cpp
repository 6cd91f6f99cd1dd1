#include "editors/form_view.h"

#include <utility>

namespace editors {

TFormView::TFormView(platform::forms::TCustomForm& form, std::function<void()> update,
                     bool keepsSize)
    : form_(form), update_(std::move(update)), keepsSize_(keepsSize) {}

void TFormView::UpDateView() {
    if (update_) update_();
}

std::int16_t TFormView::Left() const {
    return static_cast<std::int16_t>(form_.Left());
}

std::int16_t TFormView::Top() const {
    return static_cast<std::int16_t>(form_.Top());
}

std::int16_t TFormView::Width() const {
    return keepsSize_ ? static_cast<std::int16_t>(form_.Width()) : std::int16_t{-1};
}

std::int16_t TFormView::Height() const {
    return keepsSize_ ? static_cast<std::int16_t>(form_.Height()) : std::int16_t{-1};
}

void TFormView::CloseByOwner() {
    // The owner is going: the window must not ask about it any more, so its close handler goes
    // before the window is freed (which runs its destroy handler).
    form_.OnClose = nullptr;
    platform::forms::FreeForm(form_);
}

void TFormView::BringToFront() {
    form_.Show();
    form_.BringToFront();
}

} // namespace editors
