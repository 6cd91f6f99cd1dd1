#pragma once
// The list a combo item drops down: a borderless, owner-drawn top-level list window owned by
// the bar window of the combo's control while it is dropped down. Its combo fills it, measures
// and draws its rows (TdxBarCustomCombo::MeasureItemHeight, DrawItem); its frame is the
// painter's list border. A pick with the mouse ends the editing: the link counts a use, the
// active bar window hides, and the combo takes the entry. A drag from the combo's button into
// the list picks on release.

#include "platform/core/window_handle.h"
#include "platform/forms/std_ctrls.h"

namespace toolkit::bars {

class TdxBarCustomCombo;

class TdxBarDropDownListBox : public platform::forms::TListBox {
public:
    // Hidden; AOwner owns it, ACombo fills and draws it.
    TdxBarDropDownListBox(platform::core::TComponent* AOwner, TdxBarCustomCombo& ACombo);

    TdxBarCustomCombo& Combo() const { return FCombo; }
    // The window that owns the list's (the control's bar window); NullHWnd: none. A list that
    // changes owner makes its window again when next asked for it.
    platform::core::HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(platform::core::HWND Value);
    // The mouse is captured to the list while the button that dropped it down is still held;
    // the release then picks.
    void CaptureAtDropDown();
    bool CapturedAtDropDown() const { return FCaptured; }

    void Dispatch(platform::forms::TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DrawItem(int Index, const platform::gdi::TRect& Rect,
                  platform::forms::TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;
    // The combo draws the focus rectangle itself.
    bool NeedsFocusRect() const override { return false; }
    void Click() override;

private:
    void NCPaint();
    // Left button up (the pick) and the first move into the list while captured.
    void WMLButtonUp(platform::forms::TMessage& Message);
    void WMMouseMove(platform::forms::TMessage& Message);

    TdxBarCustomCombo& FCombo;
    platform::core::HWND FParentWindow{};
    platform::core::HWND FWindowMadeFor{};
    bool FCaptured = false;
};

} // namespace toolkit::bars
