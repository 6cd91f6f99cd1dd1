#pragma once
// The stepped value field of the editor pages: a read-only text box showing Code through its
// display kind, with an up and a down arrow at its right edge. Holding an arrow steps by Step
// at once, again 600 ms after the press and then every 47 ms, never past the kind's bounds;
// every step fires Onchange and every release of an arrow fires OnEndChange, stepped or not.
// A code set by program is shown as it is, without clamping and without an event.
// Nothing is typed here, so the text box never takes the focus and shows no caret: a click on it
// focuses the field, which is the tab stop. With the focus, the Up and Down keys step once per
// press (auto-repeat included) within the same bounds, each step firing Onchange and then
// OnEndChange.

#include "controls/value_text.h"
#include "platform/forms/buttons.h"
#include "platform/forms/controls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"

#include <string>

namespace controls {

namespace forms = platform::forms;

class TMyEdit : public forms::TCustomControl {
public:
    explicit TMyEdit(forms::TComponent* owner);

    int Code() const { return code_; }
    void SetCode(int value);
    // The stepping bounds of the MinMax kinds; written straight, nothing is redrawn.
    int Min = 0;
    int Max = 0;
    // Added or taken away per step.
    int Step = 1;
    TEditType EditType() const { return editType_; }
    // Renews the text and the layout at once.
    void SetEditType(TEditType value);

    // Once on every release of an arrow; Sender is the field.
    forms::TNotifyEvent OnEndChange;
    // After every step made by an arrow; Sender is the field.
    forms::TNotifyEvent Onchange;

    // The text for Code in the current kind.
    std::string CodeToText() const;
    int GetMinCode() const;
    int GetMaxCode() const;

    forms::TEdit& TextBox() { return edit_; }
    forms::TBitBtn& UpButton() { return up_; }
    forms::TBitBtn& DownButton() { return down_; }
    // Whether an arrow is held (the repeat timer runs).
    bool Held() const { return timer_.Enabled(); }
    // Whether the arrow last pressed is the up arrow: the way every step of it goes.
    bool SteppingUp() const { return goingUp_; }

protected:
    void Paint() override;
    void KeyDown(forms::WORD& key, forms::TShiftState shift) override;
    bool WantsKey(forms::WORD key) const override;

private:
    void Layout();
    void Press(bool up);
    void Release();
    void StepOnce();

    int code_ = 0;
    TEditType editType_ = TEditType::IntM100P100;
    forms::TEdit& edit_;
    forms::TBitBtn& up_;
    forms::TBitBtn& down_;
    forms::TTimer& timer_;
    bool goingUp_ = true;
};

} // namespace controls
