#pragma once
// The rows of a page table: one control and the record bytes it shows. From its row a control
// is shown (the inverse encoding), stores what the user left it at (the encoding, through the
// page's SendandStore), is bound to its end-of-change event, and can be driven through its whole
// range as a user would (the sweep of every page's table).

#include "controls/graph_panel.h"
#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "editors/page_coding.h"
#include "editors/page_record.h"
#include "platform/forms/std_ctrls.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace editors {

// What a row stores through: the page.
class TPageStore {
public:
    virtual ~TPageStore() = default;
    virtual void SendandStore(std::uint16_t Offset, std::uint8_t Value) = 0;
    // Several consecutive bytes as one message, with one undo group.
    virtual void SendAndStoreArray(std::uint16_t Offset, std::span<const std::uint8_t> Values) = 0;
};

class TPageRow {
public:
    virtual ~TPageRow() = default;

    // Sets the control from the record by program.
    virtual void Show(const TPageRecord& record) = 0;
    // The end of a user's change: the control's value, encoded, to the page.
    virtual void Store(TPageStore& page) const = 0;
    // ended runs on the control's end-of-change event (for a check box or a list: its change).
    virtual void Bind(std::function<void()> ended) = 0;
    // The values a user can leave the control at.
    virtual int Lowest() const = 0;
    virtual int Highest() const = 0;
    // Leaves the control at value as a user's action does, which fires its end event.
    virtual void Drive(int value) = 0;
    // The control's name in the form, for a reader of a failed sweep.
    virtual std::string Name() const = 0;
};

// One control, one byte.
class TByteRow : public TPageRow {
public:
    TByteRow(std::uint16_t offset, TCoding coding) : Offset(offset), Coding(coding) {}

    void Show(const TPageRecord& record) final {
        SetValue(Coding.ToValue(record.GetParam(Offset)));
    }
    void Store(TPageStore& page) const final { page.SendandStore(Offset, Coding.ToByte(Value())); }

    const std::uint16_t Offset;
    const TCoding Coding;

protected:
    virtual int Value() const = 0;
    virtual void SetValue(int value) = 0;
};

// A slider with value box.
class TSliderRow final : public TByteRow {
public:
    TSliderRow(std::string name, controls::TPanSlider& slider, std::uint16_t offset,
               TCoding coding);
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return slider_.Min(); }
    int Highest() const override { return slider_.Max(); }
    void Drive(int value) override;
    std::string Name() const override { return name_; }

private:
    int Value() const override { return slider_.Value(); }
    void SetValue(int value) override { slider_.SetValue(value); }
    std::string name_;
    controls::TPanSlider& slider_;
};

// A stepped value field; its range is its kind's codes.
class TStepRow final : public TByteRow {
public:
    TStepRow(std::string name, controls::TMyEdit& edit, std::uint16_t offset, TCoding coding);
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return edit_.GetMinCode(); }
    int Highest() const override { return edit_.GetMaxCode(); }
    void Drive(int value) override;
    std::string Name() const override { return name_; }

private:
    int Value() const override { return edit_.Code(); }
    void SetValue(int value) override { edit_.SetCode(value); }
    std::string name_;
    controls::TMyEdit& edit_;
};

// A check box (switch): its click is its end of change.
class TCheckRow final : public TByteRow {
public:
    TCheckRow(std::string name, platform::forms::TCheckBox& box, std::uint16_t offset);
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return 1; }
    void Drive(int value) override;
    std::string Name() const override { return name_; }

private:
    int Value() const override { return box_.Checked() ? 1 : 0; }
    void SetValue(int value) override { box_.SetChecked(value == 1); }
    std::string name_;
    platform::forms::TCheckBox& box_;
};

// A drop-down list (index): its change is its end of change.
class TListRow final : public TByteRow {
public:
    TListRow(std::string name, platform::forms::TComboBox& list, std::uint16_t offset);
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override;
    void Drive(int value) override;
    std::string Name() const override { return name_; }

private:
    int Value() const override { return list_.ItemIndex(); }
    void SetValue(int value) override { list_.SetItemIndex(value); }
    std::string name_;
    platform::forms::TComboBox& list_;
};

// A graph of several bytes, each 0..127: a released handle or box of the graph ends the change.
class TGraphRow : public TPageRow {
public:
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return 127; }
    std::string Name() const override { return name_; }

protected:
    TGraphRow(std::string name, controls::TGraphPanel& graph);
    // After Drive set the graph's values: the end of change a user's release fires.
    void EndChange();

private:
    std::string name_;
    controls::TGraphPanel& panel_;
};

// An envelope graph: the times of points 2..5 at Times, their levels at Levels (a negative
// offset: a level the graph holds at 0 and the record has no byte for). Stores every time, then
// every level, each byte through SendandStore, so that only changed bytes are sent.
class TEnvelopeRow final : public TGraphRow {
public:
    using TOffsets = std::array<int, 4>;
    TEnvelopeRow(std::string name, controls::TPanGraph& graph, TOffsets times, TOffsets levels);

    void Show(const TPageRecord& record) override;
    void Store(TPageStore& page) const override;
    // Every time and every level at value, levels kept to the graph's range.
    void Drive(int value) override;

private:
    controls::TPanGraph& graph_;
    TOffsets times_;
    TOffsets levels_;
};

} // namespace editors
