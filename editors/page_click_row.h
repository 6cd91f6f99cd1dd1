#pragma once
// A row of a page table whose control is a click value box standing alone (the pan box of the
// common page): its value, encoded, is the byte; a button released over it ends the change.

#include "controls/click_edit.h"
#include "editors/page_rows.h"

namespace editors {

class TClickRow final : public TByteRow {
public:
    TClickRow(std::string name, controls::TClickEdit& box, std::uint16_t offset, TCoding coding);
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return box_.Min(); }
    int Highest() const override { return box_.Max(); }
    void Drive(int value) override;
    std::string Name() const override { return name_; }

private:
    int Value() const override { return box_.Value(); }
    void SetValue(int value) override { box_.SetValue(value); }
    std::string name_;
    controls::TClickEdit& box_;
};

} // namespace editors
