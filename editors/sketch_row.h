#pragma once
// A page row for a value chosen with a previous and a next button and shown as a sketch the page
// draws (the amplifier's bias direction, the LFO's waveform): 0..Highest at one byte, plain. A
// click steps by one and stores at once; a click that would step past either end does nothing.
// Showing the record draws the byte's sketch without storing.

#include "editors/page_rows.h"
#include "platform/forms/controls.h"

#include <functional>
#include <string>

namespace editors {

class TSketchRow final : public TByteRow {
public:
    // draw shows a value; it runs whenever the value is shown or stepped.
    using TDraw = std::function<void(int value)>;
    TSketchRow(std::string name, platform::forms::TControl& previous,
               platform::forms::TControl& next, std::uint16_t offset, int highest, TDraw draw);

    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return highest_; }
    void Drive(int value) override;
    std::string Name() const override { return name_; }
    // The value shown.
    int Current() const { return value_; }

private:
    int Value() const override { return value_; }
    void SetValue(int value) override;
    void StepBy(int step);

    std::string name_;
    platform::forms::TControl& previous_;
    platform::forms::TControl& next_;
    int highest_;
    TDraw draw_;
    int value_ = 0;
    std::function<void()> ended_;
};

} // namespace editors
