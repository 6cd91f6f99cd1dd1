#pragma once
// The item control of a sub-item: a main-menu entry or a cascading menu entry. It is measured
// and drawn through the painter's sub-item operations; clicking it opens its menu, which
// comes with the menu windows (until then ControlActivate only marks it active).

#include "toolkit/bars/dx_bar_item_control.h"
#include "toolkit/bars/dx_bar_sub_item.h"

namespace toolkit::bars {

class TdxBarSubItemControl : public TdxBarItemControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarSubItemControl(TdxBarItemLink* AItemLink) : TdxBarItemControl(AItemLink) {}

    TCustomdxBarSubItem* SubItem() const { return dynamic_cast<TCustomdxBarSubItem*>(Item()); }
    // Set by the window when the left button goes down on the control; the menu it opens
    // animates.
    bool OpenedByMouse = false;

    void GlyphChanged() override { Changed(); }
    bool CanClick() const override { return false; }
    int GetDefaultHeight() const override;
    int GetDefaultWidth() const override;
    bool ClosesMenusOnClick() const override { return false; }
    bool WantsDblClick() const override { return true; }
    void Paint(const TRect& R, TdxBarPaintType Kind) override;
    bool HandlesDblClick() const override;

    virtual int GetSubItemHeight() const;
    virtual int GetSubItemWidth() const;
    virtual bool CanOpenMenu() const { return true; }
};

} // namespace toolkit::bars
