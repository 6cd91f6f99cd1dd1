#pragma once
// The key selector: a piano keyboard of 64 keys on which the left button picks one, shown in
// red. Key index i is note i + 36: index -1 is the B below the first C, index 62 a D. While the
// button is held, moving onto another key selects it. A key set by program is drawn at once and
// fires nothing.

#include "platform/forms/controls.h"

namespace controls {

namespace forms = platform::forms;

class TKeySelector : public forms::TCustomControl {
public:
    explicit TKeySelector(forms::TComponent* owner);

    // -1..62.
    int KeySelected() const { return keySelected_; }
    int KeyWidth() const { return keyWidth_; }
    // Both redraw the keyboard at once when the value changes.
    void SetKeySelected(int value);
    void SetKeyWidth(int value);

    // Kept for the forms that set it; nothing depends on it.
    bool LastDisabled = false;

    // At the left-button press (once the key under the pointer is selected) and at its release;
    // Sender is the selector.
    forms::TNotifyEvent OnEndchange;
    // While the left button is held, for every other key the pointer moves onto; Sender is the
    // selector.
    forms::TNotifyEvent OnChange;

    // The left edge of key i in pixels.
    int KeyX(int i) const;

protected:
    void Paint() override;
    void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseMove(forms::TShiftState shift, int x, int y) override;
    void MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;

private:
    int BlackKeyLength() const;
    int KeyAt(int x, int y) const;
    void DrawKey(int i);
    void Select(int i);

    int keyWidth_ = 10;
    // Keys run from -1 to keyCount_ - 1.
    int keyCount_ = 63;
    int keySelected_ = -1;
    // The left button went down on the selector and is not released yet.
    bool pressed_ = false;
};

} // namespace controls
