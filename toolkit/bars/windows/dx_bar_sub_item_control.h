#pragma once
// The item control of a sub-item: a main-menu entry or a cascading menu entry. It is measured
// and drawn through the painter's sub-item operations and opens and closes the sub-item's
// menu window: at once when clicked or driven by keys, and 400 ms after the mouse came to rest
// on it inside a menu. One delayed open or close waits at a time, process-wide.

#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"

namespace toolkit::bars {

class TCustomdxBarContainerItem;
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
    virtual TdxBarSubMenuControl* GetSubMenuControl() const;
    virtual TdxBarSubMenuControl* CreateSubMenuControl();
    virtual int GetSubItemHeight() const;
    virtual int GetSubItemWidth() const;
    virtual bool CanOpenMenu() const { return true; }

protected:
    // The sub-item's ShowCaption.
    void FillPaintedItem(TdxBarItemControlState& State) const override;

private:
    // Creates the menu beside this control in Window and shows it.
    void OpenMenu(TCustomdxBarControl* Window);
};

// The control of a list or container item shown as an entry of its own (on a toolbar): its
// menu shows the entries the item generates, made when the menu opens and taken out when it
// closes. No menu opens while the user customizes. In a menu an item that expands in place
// shows its caption in parentheses.
class TdxBarContainerItemControl : public TdxBarSubItemControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarContainerItemControl(TdxBarItemLink* AItemLink)
        : TdxBarSubItemControl(AItemLink) {}
    ~TdxBarContainerItemControl() override;

    TCustomdxBarContainerItem* ContainerItem() const;
    std::string GetCaption() const override;
    bool WantsDblClick() const override;
    TdxBarSubMenuControl* GetSubMenuControl() const override;
    TdxBarSubMenuControl* CreateSubMenuControl() override;
    void Paint(const TRect& R, TdxBarPaintType Kind) override;

private:
    friend class TContainerItemSubMenuControl;
    TdxBarSubMenuControl* FMenu = nullptr;
};

} // namespace toolkit::bars
