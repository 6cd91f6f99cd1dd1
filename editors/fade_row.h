#pragma once
// A page row for the LFO fade graph: the fade delay and the fade time at their bytes, and the
// fade mode's byte, which says which of the graph's values is the delay and which the time. The
// graph keeps its values by their place on the time axis, so it must be shown its mode before
// them; showing the row does both, and is what a page does again after the mode changed. The
// depth is always full. A user's end of change stores the delay, then the time.

#include "controls/fade_graph.h"
#include "editors/page_rows.h"

#include <string>

namespace editors {

class TFadeRow final : public TGraphRow {
public:
    TFadeRow(std::string name, controls::TFadeGraph& graph, std::uint16_t delay, std::uint16_t mode,
             std::uint16_t time);

    // A mode byte no list item stands for shows as ON_IN.
    void Show(const TPageRecord& record) override;
    void Store(TPageStore& page) const override;
    // Delay and time at value.
    void Drive(int value) override;

private:
    controls::TFadeGraph& graph_;
    std::uint16_t delay_;
    std::uint16_t mode_;
    std::uint16_t time_;
};

} // namespace editors
