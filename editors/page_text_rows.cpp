#include "editors/page_text_rows.h"

#include "model/elements/patch.h"

#include <algorithm>
#include <array>
#include <utility>

namespace editors {

void TNameRow::Show(const TPageRecord& record) {
    std::array<std::uint8_t, 12> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = record.GetParam(offset_ + i);
    box_.SetText(NameText(model::NameFromData(bytes)));
}

void TNameRow::Store(TPageStore& page) const {
    page.SendAndStoreArray(offset_, model::PaddedName(NameText(box_.Text())));
}

void TNameRow::Bind(std::function<void()> ended) {
    box_.OnKeyUp = [ended = std::move(ended)](platform::core::TObject*, platform::forms::WORD&,
                                              platform::forms::TShiftState) { ended(); };
}

void TNameRow::Drive(int value) {
    box_.SetText(std::string(12, static_cast<char>(value)));
    platform::forms::WORD key = 0;
    if (box_.OnKeyUp) box_.OnKeyUp(&box_, key, {});
}

void TTempoRow::Show(const TPageRecord& record) {
    edit_.SetCode(record.GetParam(offset_) * 16 + record.GetParam(offset_ + 1));
}

void TTempoRow::Store(TPageStore& page) const {
    const int tempo = std::clamp(edit_.Code(), edit_.GetMinCode(), edit_.GetMaxCode());
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(tempo / 16),
                                  static_cast<std::uint8_t>(tempo % 16)};
    page.SendAndStoreArray(offset_, bytes);
}

void TTempoRow::Bind(std::function<void()> ended) {
    edit_.OnEndChange = [ended = std::move(ended)](platform::core::TObject*) { ended(); };
}

void TTempoRow::Drive(int value) {
    edit_.SetCode(value);
    if (edit_.OnEndChange) edit_.OnEndChange(&edit_);
}

} // namespace editors
