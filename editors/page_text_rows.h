#pragma once
// Rows of a page table that store a run of bytes as one message: the name box (12 bytes on
// every key release) and the default tempo (two bytes, tempo div 16 and tempo mod 16). The
// patch and performance common blocks keep both, each at offsets of its own.

#include "controls/my_edit.h"
#include "editors/name_text.h"
#include "editors/page_rows.h"

#include <cstdint>
#include <string>

namespace editors {

// The name box: every key released in it sends the whole name, its 12 bytes from offset,
// padded with blanks, in one message.
class TNameRow final : public TPageRow {
public:
    TNameRow(TNameEdit& box, std::uint16_t offset) : box_(box), offset_(offset) {}

    // A name read from a file may hold bytes a name box refuses: they are neither shown nor
    // sent back.
    void Show(const TPageRecord& record) override;
    void Store(TPageStore& page) const override;
    void Bind(std::function<void()> ended) override;
    // The characters a name holds, the whole name made of one of them.
    int Lowest() const override { return 0x20; }
    int Highest() const override { return 0x7E; }
    void Drive(int value) override;
    std::string Name() const override { return "EditName"; }

private:
    TNameEdit& box_;
    std::uint16_t offset_;
};

// The default tempo: two bytes from offset, tempo div 16 and tempo mod 16, in one message.
class TTempoRow final : public TPageRow {
public:
    TTempoRow(controls::TMyEdit& edit, std::uint16_t offset) : edit_(edit), offset_(offset) {}

    void Show(const TPageRecord& record) override;
    // A tempo shown from bytes out of their range is stored as the nearest the field steps to,
    // so that both bytes stay 7-bit.
    void Store(TPageStore& page) const override;
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return edit_.GetMinCode(); }
    int Highest() const override { return edit_.GetMaxCode(); }
    void Drive(int value) override;
    std::string Name() const override { return "DefaultTempo"; }

private:
    controls::TMyEdit& edit_;
    std::uint16_t offset_;
};

} // namespace editors
