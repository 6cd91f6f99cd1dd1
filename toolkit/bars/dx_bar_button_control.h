#pragma once
// The item control of a button (TdxBarButton): a toolbar button or a menu command. It sizes
// itself by the link's paint style, draws its pressed look while the mouse holds it or while
// its command runs, and toggles a check button before running the click. A drop-down
// button's arrow part is measured and drawn; opening its menu comes with the menu windows.

#include "toolkit/bars/dx_bar_button.h"
#include "toolkit/bars/dx_bar_item_control.h"

namespace toolkit::bars {

class TdxBarButtonControl : public TdxBarItemControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarButtonControl(TdxBarItemLink* AItemLink) : TdxBarItemControl(AItemLink) {}

    TdxBarButton* Button() const { return dynamic_cast<TdxBarButton*>(Item()); }
    // True while the drop-down menu is open.
    bool DroppedDown() const { return FDroppedDown; }

    void GlyphChanged() override;
    void MouseDown(bool ByMouse) override;
    // A check button changes Down first; then the base click.
    void ControlClick(bool ByMouse) override;
    // The base answer outside customizing, and always while the click runs.
    bool IsSelected() const override;
    int GetDefaultHeight() const override;
    int GetDefaultWidth() const override;
    bool ClosesMenusOnClick() const override;
    bool TracksMouse() const override { return !FDroppedDown; }
    void Paint(const TRect& R, TdxBarPaintType Kind) override;

    // Width of the arrow part of a drop-down button.
    virtual int GetDropDownWidth() const;
    virtual int GetButtonHeight() const;
    virtual int GetButtonWidth() const;
    // psStandard without an image shows its caption.
    virtual void AdjustPaintStyle(TdxBarPaintStyle& Style) const;
    void DownChanged() { Repaint(); }

    // The paint style the control is drawn and measured with.
    TdxBarPaintStyle EffectivePaintStyle() const;
    // Pressed by the mouse with the cursor over the arrow part.
    bool IsDropDownPartPressed() const;

protected:
    void FillPaintedItem(TdxBarItemControlState& State) const override;

private:
    bool FDroppedDown = false;
};

} // namespace toolkit::bars
