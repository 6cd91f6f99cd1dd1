#include "editors/sketch_row.h"

#include <utility>

namespace editors {

TSketchRow::TSketchRow(std::string name, platform::forms::TControl& previous,
                       platform::forms::TControl& next, std::uint16_t offset, int highest,
                       TDraw draw)
    : TByteRow(offset, Plain), name_(std::move(name)), previous_(previous), next_(next),
      highest_(highest), draw_(std::move(draw)) {}

void TSketchRow::Bind(std::function<void()> ended) {
    ended_ = std::move(ended);
    previous_.OnClick = [this](platform::core::TObject*) { StepBy(-1); };
    next_.OnClick = [this](platform::core::TObject*) { StepBy(1); };
}

void TSketchRow::SetValue(int value) {
    value_ = value;
    draw_(value_);
}

void TSketchRow::StepBy(int step) {
    if (step < 0 ? value_ <= 0 : value_ >= highest_) return;
    SetValue(value_ + step);
    if (ended_) ended_();
}

void TSketchRow::Drive(int value) {
    SetValue(value);
    if (ended_) ended_();
}

} // namespace editors
