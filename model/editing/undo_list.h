#pragma once
// A parameter page's undo history of byte changes. Bytes changed together (sent as one data
// set) form a group: each of its entries carries the group's size, so that undo takes them back
// in one step.

#include "platform/core/object.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace model {

class TUndoElem : public platform::core::TObject {
public:
    TUndoElem(std::uint8_t count, std::uint8_t value, std::uint16_t offset)
        : Count(count), Value(value), Offset(offset) {}

    std::uint8_t Count;
    std::uint8_t Value;
    std::uint16_t Offset;
};

class TUndoList : public platform::core::TObject {
public:
    // One entry per old byte, values[i] at offset + i, each with the group size.
    void Add(std::uint16_t offset, std::span<const std::uint8_t> values);
    // Takes the top entry. On an empty list it returns false and leaves the outputs as they were.
    bool Pop(std::uint16_t& offset, std::uint8_t& value, std::uint8_t& count);
    void Clear();

    std::size_t Count() const { return entries_.size(); }

private:
    std::vector<TUndoElem> entries_;
};

} // namespace model
