#include "editors/fade_row.h"

#include <utility>

namespace editors {

TFadeRow::TFadeRow(std::string name, controls::TFadeGraph& graph, std::uint16_t delay,
                   std::uint16_t mode, std::uint16_t time)
    : TGraphRow(std::move(name), graph), graph_(graph), delay_(delay), mode_(mode), time_(time) {}

void TFadeRow::Show(const TPageRecord& record) {
    const std::uint8_t mode = record.GetParam(mode_);
    graph_.SetFadeMode(mode <= controls::OFF_OUT ? static_cast<controls::TFadeMode>(mode)
                                                 : controls::ON_IN);
    graph_.SetFadeDelay(record.GetParam(delay_));
    graph_.SetFadeTime(record.GetParam(time_));
    graph_.SetFadeDepth(127);
}

void TFadeRow::Store(TPageStore& page) const {
    page.SendandStore(delay_, static_cast<std::uint8_t>(graph_.FadeDelay()));
    page.SendandStore(time_, static_cast<std::uint8_t>(graph_.FadeTime()));
}

void TFadeRow::Drive(int value) {
    graph_.SetFadeDelay(value);
    graph_.SetFadeTime(value);
    EndChange();
}

} // namespace editors
