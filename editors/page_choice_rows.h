#pragma once
// Rows of a page table whose control is a group of buttons that stands for one byte: radio
// buttons (the byte is the place of the checked button in the group) and speed buttons of one
// group (the byte is the Tag of the button that is down). A byte that no button of the group
// stands for shows none checked or down; the group stores only what a user picked.

#include "editors/page_rows.h"
#include "platform/forms/buttons.h"
#include "platform/forms/std_ctrls.h"

#include <vector>

namespace editors {

// Radio buttons of one parent: the first checked stores 0, the second 1, the third 2.
class TRadioRow final : public TPageRow {
public:
    TRadioRow(std::string name, std::vector<platform::forms::TRadioButton*> buttons,
              std::uint16_t offset);

    void Show(const TPageRecord& record) override;
    void Store(TPageStore& page) const override;
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return static_cast<int>(buttons_.size()) - 1; }
    // Checks the button of value, as the user's click does.
    void Drive(int value) override;
    std::string Name() const override { return name_; }

    const std::uint16_t Offset;

private:
    // The checked button's place, -1 when none is.
    int Checked() const;
    std::string name_;
    std::vector<platform::forms::TRadioButton*> buttons_;
};

// Speed buttons of one group, each standing for its Tag.
class TSpeedRow final : public TPageRow {
public:
    TSpeedRow(std::string name, std::vector<platform::forms::TSpeedButton*> buttons,
              std::uint16_t offset);

    void Show(const TPageRecord& record) override;
    void Store(TPageStore& page) const override;
    void Bind(std::function<void()> ended) override;
    int Lowest() const override;
    int Highest() const override;
    // Presses the button whose Tag is value.
    void Drive(int value) override;
    std::string Name() const override { return name_; }

    const std::uint16_t Offset;

private:
    platform::forms::TSpeedButton* Down() const;
    std::string name_;
    std::vector<platform::forms::TSpeedButton*> buttons_;
};

} // namespace editors
