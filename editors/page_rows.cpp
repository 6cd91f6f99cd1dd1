#include "editors/page_rows.h"

#include <algorithm>
#include <utility>

namespace editors {

namespace {

int LevelLimit(const controls::TPanGraph& graph) {
    return graph.GraphType() == controls::FirstHalf ? 126 : 127;
}

} // namespace

TSliderRow::TSliderRow(std::string name, controls::TPanSlider& slider, std::uint16_t offset,
                       TCoding coding)
    : TByteRow(offset, coding), name_(std::move(name)), slider_(slider) {}

void TSliderRow::Bind(std::function<void()> ended) {
    slider_.OnEndchange = [ended = std::move(ended)](platform::core::TObject*) { ended(); };
}

void TSliderRow::Drive(int value) {
    slider_.SetValue(value);
    if (slider_.OnEndchange) slider_.OnEndchange(&slider_);
}

TStepRow::TStepRow(std::string name, controls::TMyEdit& edit, std::uint16_t offset, TCoding coding)
    : TByteRow(offset, coding), name_(std::move(name)), edit_(edit) {}

void TStepRow::Bind(std::function<void()> ended) {
    edit_.OnEndChange = [ended = std::move(ended)](platform::core::TObject*) { ended(); };
}

void TStepRow::Drive(int value) {
    edit_.SetCode(value);
    if (edit_.OnEndChange) edit_.OnEndChange(&edit_);
}

TCheckRow::TCheckRow(std::string name, platform::forms::TCheckBox& box, std::uint16_t offset)
    : TByteRow(offset, Switch), name_(std::move(name)), box_(box) {}

void TCheckRow::Bind(std::function<void()> ended) {
    box_.OnClick = [ended = std::move(ended)](platform::core::TObject*) { ended(); };
}

void TCheckRow::Drive(int value) {
    // A state set by program clicks the box as the user's click does.
    box_.SetChecked(value != 0);
}

TListRow::TListRow(std::string name, platform::forms::TComboBox& list, std::uint16_t offset)
    : TByteRow(offset, Index), name_(std::move(name)), list_(list) {}

void TListRow::Bind(std::function<void()> ended) {
    list_.OnChange = [ended = std::move(ended)](platform::core::TObject*) { ended(); };
}

int TListRow::Highest() const {
    return list_.Items().Count() - 1;
}

void TListRow::Drive(int value) {
    list_.SetItemIndex(value);
    if (list_.OnChange) list_.OnChange(&list_);
}

TGraphRow::TGraphRow(std::string name, controls::TGraphPanel& graph)
    : name_(std::move(name)), panel_(graph) {}

void TGraphRow::Bind(std::function<void()> ended) {
    panel_.OnEndchange = [ended = std::move(ended)](platform::core::TObject*) { ended(); };
}

void TGraphRow::EndChange() {
    if (panel_.OnEndchange) panel_.OnEndchange(&panel_);
}

TEnvelopeRow::TEnvelopeRow(std::string name, controls::TPanGraph& graph, TOffsets times,
                           TOffsets levels)
    : TGraphRow(std::move(name), graph), graph_(graph), times_(times), levels_(levels) {}

void TEnvelopeRow::Show(const TPageRecord& record) {
    controls::TPanGraph::TEnvelope envelope{};
    for (std::size_t k = 0; k < 4; ++k) {
        envelope[2 * (k + 1)] = record.GetParam(static_cast<std::size_t>(times_[k]));
        if (levels_[k] >= 0)
            envelope[2 * (k + 1) + 1] = record.GetParam(static_cast<std::size_t>(levels_[k]));
    }
    graph_.SetEnvelope(envelope);
}

void TEnvelopeRow::Store(TPageStore& page) const {
    const controls::TPanGraph::TEnvelope envelope = graph_.GetEnvelope();
    for (std::size_t k = 0; k < 4; ++k)
        page.SendandStore(static_cast<std::uint16_t>(times_[k]),
                          static_cast<std::uint8_t>(envelope[2 * (k + 1)]));
    for (std::size_t k = 0; k < 4; ++k)
        if (levels_[k] >= 0)
            page.SendandStore(static_cast<std::uint16_t>(levels_[k]),
                              static_cast<std::uint8_t>(envelope[2 * (k + 1) + 1]));
}

void TEnvelopeRow::Drive(int value) {
    controls::TPanGraph::TEnvelope envelope{};
    const int level = std::min(value, LevelLimit(graph_));
    for (std::size_t k = 1; k < 5; ++k) {
        envelope[2 * k] = value;
        envelope[2 * k + 1] = level;
    }
    graph_.SetEnvelope(envelope);
    EndChange();
}

} // namespace editors
