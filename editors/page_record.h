#pragma once
// The block a page edits, as the page engine sees it: its bytes, the record's setters that store
// and send, and the slot in which the record keeps the page's window, open flag and position.
// TRecordOf adapts any parameter record (tone, common block, part, note, system block).

#include "model/editing/editor_view.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace editors {

class TPageRecord {
public:
    virtual ~TPageRecord() = default;

    virtual std::uint8_t GetParam(std::size_t n) const = 0;
    // Stores, and sends one byte when it changes.
    virtual void SetParam(std::size_t n, std::uint8_t value) = 0;
    // Stores and sends a run of bytes as one data set.
    virtual void SetParams(std::size_t first, std::span<const std::uint8_t> values) = 0;
    // The whole block as one data set, when the ports are open.
    virtual void SendAll() const = 0;
    // The bytes themselves, written without sending (Revert).
    virtual std::span<std::uint8_t> Data() = 0;
    virtual model::TEditorSlot& Slot() = 0;
};

template <class Record> class TRecordOf final : public TPageRecord {
public:
    TRecordOf(Record& record, model::TEditorSlot& slot) : record_(record), slot_(slot) {}

    std::uint8_t GetParam(std::size_t n) const override { return record_.GetParam(n); }
    void SetParam(std::size_t n, std::uint8_t value) override { record_.SetParam(n, value); }
    void SetParams(std::size_t first, std::span<const std::uint8_t> values) override {
        record_.SetParams(first, values);
    }
    void SendAll() const override { record_.SendAll(); }
    std::span<std::uint8_t> Data() override { return record_.Data(); }
    model::TEditorSlot& Slot() override { return slot_; }

private:
    Record& record_;
    model::TEditorSlot& slot_;
};

} // namespace editors
