#pragma once
// The item control: how one shown link looks and reacts inside a bar window. It is no window
// of its own; its rectangle is the link's ItemRect, laid out by the window. It measures itself,
// answers the window's questions (selectable, clickable, hit), draws through the manager's
// painter and turns a click into the item's click. Its link owns it (TdxBarItemLink::
// CreateControl); the window creates and frees the controls of its links.
//
// The painters read a TdxBarItemControlState record: PaintedItem() fills it from this control
// and its window, in this one place, just before a painter is called.

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/painters/dx_bar_painter.h"

#include "platform/core/class_reference.h"
#include "platform/core/object.h"
#include "platform/forms/graphics.h"
#include "platform/forms/img_list.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/geometry.h"

#include <cstdint>
#include <string>

namespace toolkit::bars {

class TCustomdxBarControl;
class TdxBarItemControl;

using TdxBarItemControlClass = platform::core::TClassOf<TdxBarItemControl, TdxBarItemLink*>;

class TdxBarItemControl : public platform::core::TObject {
public:
    using TRect = platform::gdi::TRect;

    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Parent is the link's bar window.
    explicit TdxBarItemControl(TdxBarItemLink* AItemLink);
    // Leaves the manager's selection, its link and its window's selection.
    ~TdxBarItemControl() override;
    TdxBarItemControl(const TdxBarItemControl&) = delete;
    TdxBarItemControl& operator=(const TdxBarItemControl&) = delete;

    TdxBarItemLink* ItemLink() const { return FItemLink; }
    TCustomdxBarControl* Parent() const { return FParent; }
    TdxBarItem* Item() const { return FItemLink ? FItemLink->Item() : nullptr; }
    TdxBarManager* BarManager() const { return FItemLink ? FItemLink->BarManager() : nullptr; }
    const TdxBarItemControlPainter& Painter() const;

    // Written by the window's layout and painting.
    TRect SeparatorRect{};
    bool LineStart = false;
    bool BlockStart = false;
    bool LastRow = false;
    bool RarelyUsed = false;
    bool HideSelectionWhenDisabled = false;
    bool IsWindowControl() const { return FIsWindowControl; }
    // ControlActivate sets it, ControlInactivate clears it.
    bool Active() const { return FActive; }
    // True while a click that unclicks afterwards runs.
    bool InClick() const { return FInClick; }
    void SetInClick(bool Value);

    // Notifications from the item.
    virtual void FreeWindow() {}
    virtual void Changed();
    virtual void CaptionChanged();
    // A control that became disabled stops being its window's selection.
    virtual void EnabledChanged();
    virtual void GlyphChanged();
    virtual void InClickChanged();
    virtual void LayoutChanged();

    virtual bool CanClick() const { return true; }
    virtual bool CanHit() const;
    virtual bool CanSelect() const { return CanSelectNow(); }
    virtual bool CanSelectNow() const;
    // When enabled: MouseDown, then (the control still alive and in its window) ControlClick.
    virtual void Click(bool ByMouse);
    virtual void ControlActivate(bool Immediately);
    virtual void ControlInactivate(bool Immediately);
    virtual void MouseDown(bool ByMouse);
    // The click path to the item's OnClick (see the .cpp).
    virtual void ControlClick(bool ByMouse);
    virtual bool IsSelected() const;
    virtual void KeyDown(std::uint16_t Key);
    virtual bool WantsKey(std::uint16_t Key) const;

    virtual std::string GetCaption() const;
    virtual bool GetEnabled() const;
    virtual platform::forms::TBitmap* GetGlyph() const;
    virtual int GetImageIndex() const;
    virtual platform::forms::TImageList* GetImages(bool LargeAllowed) const;
    virtual std::string GetHint() const;
    virtual platform::forms::TShortCut GetShortCut() const;
    virtual int GetDefaultHeight() const { return 0; }
    virtual int GetDefaultWidth() const { return 0; }
    virtual int GetClientAlignedHeight() const { return 1; }
    virtual int GetClientAlignedLength() const { return 1; }
    // The menu window this control opened; nil when none.
    virtual TCustomdxBarControl* GetSubBarControl() const { return nullptr; }
    virtual bool HasToolbarHint() const;
    virtual bool IsFlatWindow() const;
    virtual bool ClosesMenusOnClick() const { return true; }
    virtual bool WantsDblClick() const { return false; }
    // A toolbar keeps a control that answers true as its DownControl while the button is held.
    virtual bool TracksMouse() const { return false; }
    // Kind: where it is drawn. Nothing in the base.
    virtual void Paint(const TRect& R, TdxBarPaintType Kind);
    // Redraws the control's rectangle through its window.
    void Repaint();
    virtual void DblClick() {}
    virtual bool HandlesDblClick() const;

    TdxBarItemAlign GetAlign() const;
    int GetHeight() const;
    int GetWidth() const;
    // Enabled, the cursor over the control and the primary button down.
    bool IsPressedByMouse() const;
    bool IsSelectable() const { return CanSelectNow() || CanClick(); }
    bool HasImage() const;
    bool IsInToolbar() const;
    bool UnclickAfterDoing() const;

    // The record the painters read, filled from this control now.
    const TdxBarItemControlState& PaintedItem() const;
    // The selection, checked and enabled states a painter call starts from.
    TdxBarItemStates PaintStates(TdxBarPaintType Kind) const;

protected:
    // Descendants add what their painter reads (a button's check style and Down).
    virtual void FillPaintedItem(TdxBarItemControlState& State) const;
    bool FIsWindowControl = false;

private:
    friend class TCustomdxBarControl;
    TdxBarItemLink* FItemLink;
    TCustomdxBarControl* FParent;
    bool FActive = false;
    bool FInClick = false;
    mutable TdxBarItemControlState FPainted;
};

} // namespace toolkit::bars
