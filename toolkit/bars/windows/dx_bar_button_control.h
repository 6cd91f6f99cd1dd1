#pragma once
// The item control of a button (TdxBarButton): a toolbar button or a menu command. It sizes
// itself by the link's paint style (in a menu, by its caption and its shortcut's text), draws
// its pressed look while the mouse holds it or while its command runs, and toggles a check
// button before running the click. A drop-down button opens its drop-down menu from its arrow
// part, or from Up, Down (in a toolbar) or Right (in a menu); the menu hangs below the button
// in a horizontal toolbar, beside it elsewhere, and the button shows itself down until the menu
// closes.

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"

namespace toolkit::bars {

class TdxBarSubMenuControl;

class TdxBarButtonControl : public TdxBarItemControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarButtonControl(TdxBarItemLink* AItemLink) : TdxBarItemControl(AItemLink) {}
    // An open drop-down menu closes with the control.
    ~TdxBarButtonControl() override;

    TdxBarButton* Button() const { return dynamic_cast<TdxBarButton*>(Item()); }
    // True while the drop-down menu is open.
    bool DroppedDown() const { return FDroppedDown; }

    void GlyphChanged() override;
    // Closes an open drop-down menu.
    void ControlInactivate(bool Immediately) override;
    // A press on a drop-down button's arrow part opens the menu.
    void MouseDown(bool ByMouse) override;
    // A check button changes Down first; then the base click. Nothing while dropped down.
    void ControlClick(bool ByMouse) override;
    // The base answer outside customizing, and always while the click runs.
    bool IsSelected() const override;
    // Up, Right and Down open a drop-down button's menu.
    void KeyDown(std::uint16_t Key) override;
    bool WantsKey(std::uint16_t Key) const override;
    int GetDefaultHeight() const override;
    int GetDefaultWidth() const override;
    // The drop-down menu's window while it is open.
    TCustomdxBarControl* GetSubBarControl() const override;
    bool ClosesMenusOnClick() const override;
    bool TracksMouse() const override { return !FDroppedDown; }
    void Paint(const TRect& R, TdxBarPaintType Kind) override;

    // Width of the arrow part of a drop-down button.
    virtual int GetDropDownWidth() const;
    virtual int GetButtonHeight() const;
    virtual int GetButtonWidth() const;
    // psStandard without an image shows its caption.
    virtual void AdjustPaintStyle(TdxBarPaintStyle& Style) const;
    // The button's changes: a new style or paint style re-measures, the others repaint.
    virtual void ButtonStyleChanged() { Changed(); }
    virtual void DownChanged() { Repaint(); }
    virtual void DropDownEnabledChanged() { Repaint(); }
    virtual void PaintStyleChanged() { Changed(); }
    // Opens the drop-down menu of a drop-down button (enabled, with DropDownEnabled and a
    // menu); nothing while it is open.
    void DropDown(bool ByMouse);
    // The drop-down menu has closed.
    void DropDownClosed();

    // A menu row shows the button's Down as its checked look.
    virtual bool MenuRowChecked() const;
    // The paint style the control is drawn and measured with.
    TdxBarPaintStyle EffectivePaintStyle() const;
    // Pressed by the mouse with the cursor over the arrow part.
    bool IsDropDownPartPressed() const;
    // The shortcut as a menu shows it; empty without one.
    std::string ShortCutText() const;

protected:
    void FillPaintedItem(TdxBarItemControlState& State) const override;

private:
    bool IsDropDownButton() const;
    // Shows the button's drop-down menu at the screen point P as the child of this control's
    // window, avoiding the control (below it in a horizontal toolbar, beside it elsewhere); the
    // menu tells the control when it closes. Opened by the keyboard, its first entry is
    // selected.
    void OpenDropDownMenu(TdxBarButton& B, platform::gdi::TPoint P, bool ByKeyboard);

    bool FDroppedDown = false;
};

} // namespace toolkit::bars
