#pragma once
// The class library's spin edit: an edit for whole numbers with up and down buttons, kept
// between MinValue and MaxValue.

#include "platform/forms/std_ctrls.h"

namespace platform::forms {

class TSpinEdit : public TEdit {
public:
    explicit TSpinEdit(TComponent* owner);

    // The text as a number, clamped; text that is no number reads as MinValue. With MinValue
    // equal to MaxValue there are no bounds.
    int Value() const;
    void SetValue(int value);
    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Increment = 1;
    bool EditorEnabled = true;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    bool WantsKey(WORD key) const override;
    TRect EditRect() const override;
    bool InText(TPoint p) const override;
    bool AcceptInput(const std::string& text) const override;
    void DoExit() override;

private:
    int Clamp(int value) const;
    TRect UpButton() const;
    TRect DownButton() const;
    int minValue_ = 0;
    int maxValue_ = 0;
};

} // namespace platform::forms
