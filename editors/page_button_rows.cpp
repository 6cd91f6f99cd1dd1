#include "editors/page_button_rows.h"

#include <utility>

namespace editors {

TSpeedGroupRow::TSpeedGroupRow(std::string name,
                               std::vector<platform::forms::TSpeedButton*> buttons,
                               std::uint16_t offset)
    : TByteRow(offset, Index), name_(std::move(name)), buttons_(std::move(buttons)) {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->Tag = static_cast<std::intptr_t>(i);
}

void TSpeedGroupRow::Bind(std::function<void()> ended) {
    for (platform::forms::TSpeedButton* button : buttons_)
        button->OnClick = [ended](platform::core::TObject*) { ended(); };
}

void TSpeedGroupRow::Drive(int value) {
    platform::forms::TSpeedButton& button = *buttons_.at(static_cast<std::size_t>(value));
    // As the mouse's release over the button does: down first, then its click.
    button.SetDown(true);
    button.Click();
}

int TSpeedGroupRow::Value() const {
    for (const platform::forms::TSpeedButton* button : buttons_)
        if (button->Down()) return static_cast<int>(button->Tag);
    return 0;
}

void TSpeedGroupRow::SetValue(int value) {
    if (value >= 0 && value < static_cast<int>(buttons_.size()))
        buttons_[static_cast<std::size_t>(value)]->SetDown(true);
}

TStepperRow::TStepperRow(std::string name, platform::forms::TControl& previous,
                         platform::forms::TControl& next, std::uint16_t offset, int highest,
                         std::function<void(int)> draw)
    : TByteRow(offset, Plain), name_(std::move(name)), previous_(previous), next_(next),
      highest_(highest), draw_(std::move(draw)) {}

void TStepperRow::Bind(std::function<void()> ended) {
    previous_.OnClick = [this, ended](platform::core::TObject*) { Step(-1, ended); };
    next_.OnClick = [this, ended](platform::core::TObject*) { Step(1, ended); };
}

void TStepperRow::Step(int by, const std::function<void()>& ended) {
    const int value = value_ + by;
    if (value < 0 || value > highest_) return;
    value_ = value;
    draw_(value_);
    ended();
}

void TStepperRow::Drive(int value) {
    for (int guard = 0; value_ != value && guard <= 256; ++guard)
        (value < value_ ? previous_ : next_).Click();
}

void TStepperRow::SetValue(int value) {
    value_ = value;
    draw_(value_);
}

} // namespace editors
