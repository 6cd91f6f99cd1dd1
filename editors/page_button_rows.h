#pragma once
// Rows of a page table whose control is a set of buttons: a group of speed buttons that stores
// the Tag of the one the user pressed, and a value stepped by a previous and a next button
// within its bounds and drawn by the page as a sketch (a filter type, a bias direction, an LFO
// waveform).

#include "editors/page_rows.h"
#include "platform/forms/buttons.h"
#include "platform/forms/controls.h"

#include <functional>
#include <string>
#include <vector>

namespace editors {

// Speed buttons of one group (index): the Tag of the button that is down is the byte.
class TSpeedGroupRow final : public TByteRow {
public:
    // The buttons' Tags are 0, 1, 2 ... in the order given.
    TSpeedGroupRow(std::string name, std::vector<platform::forms::TSpeedButton*> buttons,
                   std::uint16_t offset);
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return static_cast<int>(buttons_.size()) - 1; }
    // Presses the button of Tag value as the user's click does.
    void Drive(int value) override;
    std::string Name() const override { return name_; }

private:
    int Value() const override;
    // A byte no button carries leaves the group as it is.
    void SetValue(int value) override;
    std::string name_;
    std::vector<platform::forms::TSpeedButton*> buttons_;
};

// A value 0..highest at one byte (plain) stepped by one with each click of Previous or Next, and
// stored at once; a click that would step past either end does nothing. Every shown or stepped
// value is drawn by draw; showing the record draws without storing.
class TStepperRow final : public TByteRow {
public:
    TStepperRow(std::string name, platform::forms::TControl& previous,
                platform::forms::TControl& next, std::uint16_t offset, int highest,
                std::function<void(int)> draw);
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return highest_; }
    // Clicks Previous or Next until the value is reached.
    void Drive(int value) override;
    std::string Name() const override { return name_; }

    // The value shown.
    int Current() const { return value_; }

private:
    int Value() const override { return value_; }
    void SetValue(int value) override;
    void Step(int by, const std::function<void()>& ended);
    std::string name_;
    platform::forms::TControl& previous_;
    platform::forms::TControl& next_;
    int highest_;
    std::function<void(int)> draw_;
    int value_ = 0;
};

} // namespace editors
