#pragma once
// The item controls of edit and combo items: each hosts a real edit window, a child of its bar
// window, that lives as long as the control but shows only while the control has the focus;
// at other times the control paints the item's text itself. Focus in shows the window over the
// edit part with the item's text; focus out hides it, gives the focus back to the window that
// had it and stores the typed text in the item, except when Escape ended the editing. Enter
// stores the text and leaves the bar; Tab stores it and moves the selection on.
//
// The combo control adds the drop-down button and the drop-down list window under the edit
// part: F4 or Alt+Up/Down toggle it, a click on an entry picks it; while it is closed Up and
// Down step through the item's entries.

#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"

#include "platform/core/window_handle.h"
#include "platform/forms/controls.h"
#include "platform/forms/std_ctrls.h"

#include <memory>
#include <string>

namespace toolkit::bars {

class TdxBarWinControl;
class TdxBarComboDropDown;

// The hosted edit window: its keys and focus go to its control first.
class TdxBarEditWindow : public platform::forms::TEdit {
public:
    explicit TdxBarEditWindow(TdxBarWinControl& Control);

    void Dispatch(platform::forms::TMessage& Message) override;

protected:
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

class TdxBarWinControl : public TdxBarItemControl {
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
    // The hosted window lost the focus to another window.
    virtual void WindowExit();
    virtual void WindowTextChanged() {}

    bool CanClick() const override { return false; }
    bool ClosesMenusOnClick() const override { return false; }
    void ControlClick(bool) override {}
    void ControlInactivate(bool Immediately) override;
    void EnabledChanged() override;
    void MouseDown(bool ByMouse) override;

protected:
    // Stores the window's text in the item.
    virtual void CommitText();
    // Leaves editing without storing the text.
    void CancelEditing();
    bool FSettingText = false;

private:
    std::unique_ptr<TdxBarEditWindow> FWindow;
    bool FFocused = false;
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
    virtual void SetDroppedDown(bool Value);
    // The drop-down list window while it exists.
    TdxBarComboDropDown* DropDownWindow() const { return FDropDown.get(); }
    // The drop-down list took entry Index.
    virtual void EntryPicked(int Index);

    bool WindowKeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift) override;
    void ControlInactivate(bool Immediately) override;
    void EnabledChanged() override;
    void MouseDown(bool ByMouse) override;
    void Paint(const TRect& R, TdxBarPaintType Kind) override;
    // The drop-down button's rectangle within the control's rectangle R.
    TRect ButtonPart(const TRect& R) const;

protected:
    TRect EditPart(const TRect& R) const override;

private:
    std::unique_ptr<TdxBarComboDropDown> FDropDown;
    bool FDroppedDown = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarComboControl(TdxBarItemLink* AItemLink) : TCustomdxBarComboControl(AItemLink) {}

    int ItemIndex() const { return FItemIndex; }
    void SetFocused(bool Value) override;
    // Up and Down step through the entries while closed; Enter and Tab take the entry shown.
    bool WindowKeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift) override;
    void EntryPicked(int Index) override;

private:
    int FItemIndex = -1;
};

// The list that drops down under a combo: a pop-up window of its own holding the capture while
// open, so that a press anywhere else closes it.
class TdxBarComboDropDown : public platform::forms::TCustomControl {
public:
    explicit TdxBarComboDropDown(TCustomdxBarComboControl& Control);

    int RowHeight() const;
    // Opens at the screen point, Width wide, the current entry lit.
    void Open(platform::gdi::TPoint At, int Width);
    void Close();
    bool IsOpen() const { return FOpen; }
    int Hot() const { return FHot; }
    void SetHot(int Index);
    int Top() const { return FTop; }
    // Up, Down, Enter and Escape while the list is open.
    bool HandleKey(std::uint16_t Key);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(platform::forms::TMessage& Message) override;

private:
    int Rows() const;
    int Count() const;
    TCustomdxBarComboControl& FControl;
    bool FOpen = false;
    int FHot = -1;
    int FTop = 0;
};

} // namespace toolkit::bars
