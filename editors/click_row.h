#pragma once
// A page row for a click value box that stands alone on its page, not on a graph (the pan of the
// amplifier and of the common page): the box's value, encoded, at one byte; a button released
// over the box ends the user's change.

#include "controls/click_edit.h"
#include "editors/page_rows.h"

#include <string>

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
