#pragma once
// The item controls of edit and combo items: each hosts a real edit window, a child of its bar
// window, that lives as long as the control but shows only while the control has the focus;
// at other times the control paints the item's text itself. Focus in shows the window over the
// edit part with the item's text; focus out hides it, gives the focus back to the window that
// had it and stores the typed text in the item, except when Escape ended the editing. Enter
// stores the text and leaves the bar; Tab stores it and moves the selection on. A right press
// in the window is the bar window's. In a vertical toolbar whose captions turn, the control
// also clicks as a button does.
//
// The combo control adds the drop-down button; the item drops its window down under the edit
// part (TCustomdxBarCombo::DropDown): F4 or Alt+Up/Down toggle it, and the keys the item
// accepts go to it while it is open. While it is closed, Up, Down and the mouse wheel step
// through the item's entries; while it is open the wheel scrolls it.

#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_window_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"

#include "platform/core/window_handle.h"
#include "platform/forms/controls.h"
#include "platform/forms/std_ctrls.h"

#include <memory>
#include <string>

namespace toolkit::bars {

class TdxBarWinControl;

// The keys a bar's edit takes besides an edit's own: Enter, Esc and Tab leave it, Up, Down and F4
// step through or open a combo's list.
bool IsBarEditKey(std::uint16_t Key);

// The hosted edit window: its keys and focus go to its control first.
class TdxBarEditWindow : public platform::forms::TEdit {
public:
    explicit TdxBarEditWindow(TdxBarWinControl& Control);

    void Dispatch(platform::forms::TMessage& Message) override;

protected:
    // The painter's window style for the edit.
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(std::uint16_t& Key, platform::forms::TShiftState Shift) override;
    void Change() override;
    bool WantsKey(std::uint16_t Key) const override;

private:
    // Cleared when the control goes first.
    friend class TdxBarWinControl;
    TdxBarWinControl* FControl;
};

class TdxBarWinControl : public TdxBarItemControl, public TdxBarWindowItemControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Makes no window: each descendant calls CreateWnd from its own constructor.
    explicit TdxBarWinControl(TdxBarItemLink* AItemLink);
    // DestroyWnd.
    ~TdxBarWinControl() override;

    TdxBarWindowItem* WindowItem() const { return dynamic_cast<TdxBarWindowItem*>(Item()); }
    // The hosted window; nil before CreateWnd and after DestroyWnd.
    TdxBarEditWindow* Window() const { return FWindow.get(); }
    bool Focused() const { return FFocused; }
    // Where the window goes, in the bar window's client coordinates.
    const TRect& Bounds() const { return FBounds; }
    void SetBounds(const TRect& R);
    // Bounds when enabled, empty when not.
    TRect GetWindowRect() const;

    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual std::string GetText() const;
    virtual void SetFocused(bool Value);
    virtual void SetText(const std::string& Text);
    // Key handling of the hosted window; true when the key was taken.
    virtual bool WindowKeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift);
    // The hosted window lost the focus to NewFocus.
    virtual void WindowExit(platform::core::HWND NewFocus);
    virtual void WindowTextChanged() {}
    // The wheel turned over the hosted window; true when taken.
    virtual bool WindowMouseWheel(int Delta) { return (void)Delta, false; }

    // TdxBarWindowItemControl.
    std::string GetCurText() const override { return GetText(); }
    bool HasEditor() const override { return FFocused; }
    TRect GetScreenRect() const override;
    bool InHorizontalToolbar() const override;
    platform::core::HWND BarWindowHandle() const override;
    bool BarWindowVisible() const override;
    void ActivateEditor() override;

    // Only in a vertical toolbar whose captions turn, where the control acts as a button.
    bool CanClick() const override;
    bool ClosesMenusOnClick() const override { return false; }
    void ControlInactivate(bool Immediately) override;
    void EnabledChanged() override;
    void MouseDown(bool ByMouse) override;

protected:
    // The window's formatting rectangle, once it is placed (nothing here).
    virtual void AdjustWindowRect() {}
    // Stores the window's text in the item.
    virtual void CommitText();
    // Leaves editing without storing the text.
    void CancelEditing();
    // The characters the key being handled still has waiting for the window go.
    void RemoveWaitingChars();
    bool FSettingText = false;

private:
    friend class TdxBarEditWindow;
    std::unique_ptr<TdxBarEditWindow> FWindow;
    bool FFocused = false;
    // The press that opened the editor was the bar window's, and its release is too.
    bool FReleaseToBar = false;
    bool FCancelled = false;
    platform::core::HWND FPrevFocus = platform::core::NullHWnd;
    TRect FBounds{};
};

class TdxBarEditControl : public TdxBarWinControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Makes its edit window.
    explicit TdxBarEditControl(TdxBarItemLink* AItemLink);

    TdxBarEdit* Edit() const { return dynamic_cast<TdxBarEdit*>(Item()); }
    void CreateWnd() override;
    void SetFocused(bool Value) override;
    void SetText(const std::string& Text) override;
    bool WindowKeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift) override;
    void WindowTextChanged() override;
    void CaptionChanged() override;

    int GetDefaultHeight() const override;
    int GetDefaultWidth() const override;
    int GetClientAlignedLength() const override { return CaptionAreaWidth() + 20; }
    bool IsSelected() const override;
    void Paint(const TRect& R, TdxBarPaintType Kind) override;

    // 0 unless the caption shows (always in menus, else the item's ShowCaption).
    int CaptionAreaWidth() const;

protected:
    void FillPaintedItem(TdxBarItemControlState& State) const override;
    // The painter's margins round the text.
    void AdjustWindowRect() override;
    // The part of R the text takes (a combo leaves its button out).
    virtual TRect EditPart(const TRect& R) const;
};

class TCustomdxBarComboControl : public TdxBarEditControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TCustomdxBarComboControl(TdxBarItemLink* AItemLink);
    ~TCustomdxBarComboControl() override;

    TCustomdxBarCombo* Combo() const { return dynamic_cast<TCustomdxBarCombo*>(Item()); }
    bool DroppedDown() const { return FDroppedDown; }
    // Opens the item's drop-down under the edit part (a horizontal toolbar) or beside the
    // control, or closes it; nothing for a read-only item.
    virtual void SetDroppedDown(bool Value);

    bool WindowKeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift) override;
    void WindowExit(platform::core::HWND NewFocus) override;
    void ControlInactivate(bool Immediately) override;
    void EnabledChanged() override;
    void MouseDown(bool ByMouse) override;
    void Paint(const TRect& R, TdxBarPaintType Kind) override;
    // The drop-down button's rectangle within the control's rectangle R.
    TRect ButtonPart(const TRect& R) const;

    bool IsComboControl() const override { return true; }
    bool IsDroppedDown() const override { return FDroppedDown; }
    int GetDropDownButtonWidth() const override;

protected:
    TRect EditPart(const TRect& R) const override;

private:
    bool FDroppedDown = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarComboControl(TdxBarItemLink* AItemLink) : TCustomdxBarComboControl(AItemLink) {}

    TdxBarCustomCombo* CustomCombo() const { return dynamic_cast<TdxBarCustomCombo*>(Item()); }
    int ItemIndex() const { return FItemIndex; }
    void SetFocused(bool Value) override;
    // Up and Down step through the entries while closed; Enter and Tab take the entry shown.
    bool WindowKeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift) override;
    // Closed, the wheel steps as Up and Down do; open, it scrolls the list a line.
    bool WindowMouseWheel(int Delta) override;

    int GetListIndex() const override { return FItemIndex; }
    void SetListIndex(int Value) override { FItemIndex = Value; }
    void ListIndexChosen(int Index) override;

private:
    // Moves ItemIndex one entry up or down within the list and shows its text.
    void Step(int Direction);
    int FItemIndex = -1;
};

} // namespace toolkit::bars
