// The push button, the check box and the radio button.

#include "platform/forms/std_ctrls.h"

#include "platform/forms/canvas_text.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls_parts.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/text_out.h"
#include "platform/win/edit_class.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cctype>

namespace platform::forms {

using namespace win;
using namespace std_ctrls_parts;

// ---- TButton ----

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    width_ = 75;
    height_ = 25;
    TabStop = true;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption;
}

void TButton::Click() {
    TCustomControl::Click();
    // After OnClick, so that the handler may still change or clear the result.
    if (ModalResult != 0)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(ModalResult);
}

void TButton::Dispatch(TMessage& message) {
    if (message.Msg == WM_KILLFOCUS || message.Msg == WM_SETFOCUS) Invalidate();
    TCustomControl::Dispatch(message);
}

void TButton::DrawFace(const TRect& area, bool pressed) {
    TRect r = area;
    if (Default || Focused()) {
        canvas_.Brush().SetColor(gdi::clWindowFrame);
        canvas_.FrameRect(r);
        gdi::InflateRect(r, -1, -1);
    }
    gdi::DrawFrameControl(canvas_.Handle(), &r, gdi::DFC_BUTTON,
                          gdi::DFCS_BUTTONPUSH | (pressed ? UINT(gdi::DFCS_PUSHED) : 0u));
}

void TButton::Paint() {
    TRect r = ClientRect();
    DrawFace(r, pressed_);
    TRect t = r;
    if (pressed_) gdi::OffsetRect(t, 1, 1);
    DrawTransparentText(canvas_, text_, t, gdi::DT_SINGLELINE | gdi::DT_CENTER | gdi::DT_VCENTER,
                        EnabledWithParents() ? gdi::clBtnText : gdi::clGrayText);
    if (Focused()) {
        TRect f = r;
        gdi::InflateRect(f, -4, -4);
        canvas_.DrawFocusRect(f);
    }
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        pressed_ = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
    if (PressedInside()) {
        const bool inside = gdi::PtInRect(ClientRect(), {x, y});
        if (inside != pressed_) {
            pressed_ = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        spaceDown_ = true;
        pressed_ = true;
        Invalidate();
    }
}

void TButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && spaceDown_) {
        spaceDown_ = false;
        pressed_ = false;
        Invalidate();
        Click();
    }
}

bool TButton::WantsKey(WORD) const {
    return false;
}

// ---- TCheckBox ----

namespace {

// Raised while a change of state fires Click, so that Click reports the change instead of
// making another one; lowered however Click ends.
class ClickingFromState {
public:
    explicit ClickingFromState(bool& flag) : flag_(flag) { flag_ = true; }
    ~ClickingFromState() { flag_ = false; }
    ClickingFromState(const ClickingFromState&) = delete;
    ClickingFromState& operator=(const ClickingFromState&) = delete;

private:
    bool& flag_;
};

void PaintCheckLike(TCanvas& canvas, const TControl& control, TColor color, UINT kind, bool checked,
                    bool grayed, TAlignment alignment) {
    TRect r = control.ClientRect();
    Fill(canvas, r, color);
    constexpr int box = 13;
    const int top = (r.Height() - box) / 2;
    TRect b = alignment == taRightJustify ? TRect{0, top, box, top + box}
                                          : TRect{r.Right - box, top, r.Right, top + box};
    UINT state = kind | (checked || grayed ? UINT(gdi::DFCS_CHECKED) : 0u);
    if (!control.EnabledWithParents() || grayed) state |= gdi::DFCS_INACTIVE;
    gdi::DrawFrameControl(canvas.Handle(), &b, gdi::DFC_BUTTON, state);
    TRect t = alignment == taRightJustify ? TRect{box + 4, 0, r.Right, r.Bottom}
                                          : TRect{0, 0, r.Right - box - 4, r.Bottom};
    DrawTransparentText(canvas, control.Caption(), t, gdi::DT_SINGLELINE | gdi::DT_VCENTER,
                        TextColor(control));
}

} // namespace

TCheckBox::TCheckBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 97;
    height_ = 17;
    TabStop = true;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption;
}

void TCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    state_ = value;
    Invalidate();
    const ClickingFromState clicking(clicking_);
    Click();
}

void TCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked:
        SetState(AllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCheckBox::Click() {
    if (clicking_)
        TCustomControl::Click();
    else
        Toggle();
}

void TCheckBox::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE) Toggle();
}

void TCheckBox::Paint() {
    PaintCheckLike(canvas_, *this, color_, gdi::DFCS_BUTTONCHECK, state_ == cbChecked,
                   state_ == cbGrayed, Alignment);
}

// ---- TRadioButton ----

TRadioButton::TRadioButton(TComponent* owner) : TCustomControl(owner) {
    width_ = 113;
    height_ = 17;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption;
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    TabStop = value;
    Invalidate();
    if (!value) return;
    if (parent_)
        for (int i = 0; i < parent_->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent_->Controls(i));
                other && other != this && other->checked_) {
                other->checked_ = false;
                other->TabStop = false;
                other->Invalidate();
            }
    const ClickingFromState clicking(clicking_);
    Click();
}

void TRadioButton::Click() {
    if (clicking_)
        TCustomControl::Click();
    else
        SetChecked(true);
}

void TRadioButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE) SetChecked(true);
}

void TRadioButton::Paint() {
    PaintCheckLike(canvas_, *this, color_, gdi::DFCS_BUTTONRADIO, checked_, false, Alignment);
}

} // namespace platform::forms
