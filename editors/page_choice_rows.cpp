#include "editors/page_choice_rows.h"

#include <algorithm>
#include <utility>

namespace editors {

TRadioRow::TRadioRow(std::string name, std::vector<platform::forms::TRadioButton*> buttons,
                     std::uint16_t offset)
    : Offset(offset), name_(std::move(name)), buttons_(std::move(buttons)) {}

int TRadioRow::Checked() const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->Checked()) return static_cast<int>(i);
    return -1;
}

void TRadioRow::Show(const TPageRecord& record) {
    const std::size_t value = record.GetParam(Offset);
    if (value < buttons_.size()) {
        buttons_[value]->SetChecked(true);
        return;
    }
    for (platform::forms::TRadioButton* button : buttons_)
        button->SetChecked(false);
}

void TRadioRow::Store(TPageStore& page) const {
    // A click checks a button; none is checked only while the record holds a byte outside the
    // group, which stays as it is.
    const int value = Checked();
    if (value >= 0) page.SendandStore(Offset, static_cast<std::uint8_t>(value));
}

void TRadioRow::Bind(std::function<void()> ended) {
    for (platform::forms::TRadioButton* button : buttons_)
        button->OnClick = [ended](platform::core::TObject*) { ended(); };
}

void TRadioRow::Drive(int value) {
    // Checking by program runs OnClick as the user's click does.
    buttons_.at(static_cast<std::size_t>(value))->SetChecked(true);
}

TSpeedRow::TSpeedRow(std::string name, std::vector<platform::forms::TSpeedButton*> buttons,
                     std::uint16_t offset)
    : Offset(offset), name_(std::move(name)), buttons_(std::move(buttons)) {}

platform::forms::TSpeedButton* TSpeedRow::Down() const {
    for (platform::forms::TSpeedButton* button : buttons_)
        if (button->Down()) return button;
    return nullptr;
}

void TSpeedRow::Show(const TPageRecord& record) {
    const std::uint8_t value = record.GetParam(Offset);
    for (platform::forms::TSpeedButton* button : buttons_) {
        if (button->Tag == value) {
            button->SetDown(true);
            return;
        }
    }
    // None stands for the byte: the group shows none down.
    for (platform::forms::TSpeedButton* button : buttons_) {
        const bool allowAllUp = button->AllowAllUp();
        button->SetAllowAllUp(true);
        button->SetDown(false);
        button->SetAllowAllUp(allowAllUp);
    }
}

void TSpeedRow::Store(TPageStore& page) const {
    if (const platform::forms::TSpeedButton* down = Down())
        page.SendandStore(Offset, static_cast<std::uint8_t>(down->Tag));
}

void TSpeedRow::Bind(std::function<void()> ended) {
    for (platform::forms::TSpeedButton* button : buttons_)
        button->OnClick = [ended](platform::core::TObject*) { ended(); };
}

int TSpeedRow::Lowest() const {
    return static_cast<int>(
        (*std::min_element(buttons_.begin(), buttons_.end(), [](const auto* a, const auto* b) {
            return a->Tag < b->Tag;
        }))->Tag);
}

int TSpeedRow::Highest() const {
    return static_cast<int>(
        (*std::max_element(buttons_.begin(), buttons_.end(), [](const auto* a, const auto* b) {
            return a->Tag < b->Tag;
        }))->Tag);
}

void TSpeedRow::Drive(int value) {
    for (platform::forms::TSpeedButton* button : buttons_) {
        if (button->Tag == value) {
            button->SetDown(true);
            button->Click();
            return;
        }
    }
}

} // namespace editors
