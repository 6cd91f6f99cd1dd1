#pragma once
// The item control of a sub-item: a main-menu entry or a cascading menu entry. It is measured
// and drawn through the painter's sub-item operations and opens and closes the sub-item's
// menu window: at once when clicked or driven by keys, and 400 ms after the mouse came to rest
// on it inside a menu. One delayed open or close waits at a time, process-wide.

#include "toolkit/bars/dx_bar_item_control.h"
#include "toolkit/bars/dx_bar_sub_item.h"

namespace toolkit::bars {

class TdxBarSubMenuControl;

class TdxBarSubItemControl : public TdxBarItemControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarSubItemControl(TdxBarItemLink* AItemLink) : TdxBarItemControl(AItemLink) {}
    // Cancels a delayed action of this control and closes its menu.
    ~TdxBarSubItemControl() override;

    TCustomdxBarSubItem* SubItem() const { return dynamic_cast<TCustomdxBarSubItem*>(Item()); }
    // Set by the window when the left button goes down on the control; the menu it opens
    // animates.
    bool OpenedByMouse = false;

    void GlyphChanged() override { Changed(); }
    bool CanClick() const override { return false; }
    // Immediately false: inside a menu the open (close) waits 400 ms on a timer.
    void ControlActivate(bool Immediately) override;
    void ControlInactivate(bool Immediately) override;
    void MouseDown(bool ByMouse) override;
    // Right opens the menu with its first entry selected.
    void KeyDown(std::uint16_t Key) override;
    bool WantsKey(std::uint16_t Key) const override;
    TCustomdxBarControl* GetSubBarControl() const override;
    int GetDefaultHeight() const override;
    int GetDefaultWidth() const override;
    bool ClosesMenusOnClick() const override { return false; }
    bool WantsDblClick() const override { return true; }
    void Paint(const TRect& R, TdxBarPaintType Kind) override;
    bool HandlesDblClick() const override;

    // The open menu window of the sub-item's links; nil when closed.
    TdxBarSubMenuControl* GetSubMenuControl() const;
    virtual TdxBarSubMenuControl* CreateSubMenuControl();
    virtual int GetSubItemHeight() const;
    virtual int GetSubItemWidth() const;
    virtual bool CanOpenMenu() const { return true; }

private:
    // Creates the menu beside this control in Window and shows it.
    void OpenMenu(TCustomdxBarControl* Window);
};

} // namespace toolkit::bars
