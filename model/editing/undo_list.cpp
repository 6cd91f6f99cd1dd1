#include "model/editing/undo_list.h"

namespace model {

void TUndoList::Add(std::uint16_t offset, std::span<const std::uint8_t> values) {
    const auto count = static_cast<std::uint8_t>(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        entries_.emplace_back(count, values[i], static_cast<std::uint16_t>(offset + i));
}

bool TUndoList::Pop(std::uint16_t& offset, std::uint8_t& value, std::uint8_t& count) {
    if (entries_.empty()) return false;
    const TUndoElem& top = entries_.back();
    offset = top.Offset;
    value = top.Value;
    count = top.Count;
    entries_.pop_back();
    return true;
}

void TUndoList::Clear() {
    entries_.clear();
}

} // namespace model
