#pragma once
// The sub-item: a main-menu entry or a cascading sub-menu. Clicking it opens its menu rather
// than running a command; its links are the menu's contents. The menu window (a later unit)
// runs the opening through Activate, which keeps OnClick and OnPopup from raising past it.

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"

#include "platform/forms/controls.h"
#include "platform/gdi/geometry.h"

#include <functional>
#include <memory>

namespace toolkit::bars {

class TdxBar;

// Paints the side strip at the left of a menu (the owner's BarSize wide) on the menu's canvas.
using TdxBarPaintSubMenuBarEvent =
    std::function<void(platform::core::TObject* Sender, platform::forms::TCanvas& Canvas,
                       const platform::gdi::TRect& R)>;

class TCustomdxBarSubItem : public TdxBarItem, public TdxBarItemLinksOwner {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TCustomdxBarSubItem(platform::core::TComponent* AOwner);
    ~TCustomdxBarSubItem() override;

    TdxBarItemLinks& ItemLinks() { return *FItemLinks; }
    const TdxBarItemLinks& ItemLinks() const { return *FItemLinks; }

    // The width of the side strip at the left of the menu, which OnPaintBar paints; negative
    // values are stored as 0.
    int BarSize() const { return FBarSize; }
    void SetBarSize(int Value) { FBarSize = Value < 0 ? 0 : Value; }
    bool Detachable = false;
    // The index of the toolbar the menu becomes when its detach strip is dragged off, among
    // the manager's bars; -1 for none. A value outside the bars is stored as -1.
    int DetachingBar() const;
    void SetDetachingBar(int Value);
    TdxBar* GetDetachingToolbar() const { return FDetachingBar; }
    // The detaching toolbar is being freed.
    void DetachingBarGoing(TdxBar* Bar);
    bool ShowCaption() const { return FShowCaption; }
    // Its bar windows re-lay out.
    void SetShowCaption(bool Value);

    bool CanBeClicked() const override { return false; }
    // False when Item is this sub-item, a sub-item that holds it, or a button whose drop-down
    // menu holds it.
    bool CanContainItem(const TdxBarItem* Item) const override;
    virtual bool CanCustomizeSubMenu() const { return true; }
    // Clicks the first enabled item with ShortCut, at any depth; false when none.
    bool ExecuteShortCut(platform::forms::TShortCut ShortCut) {
        return FItemLinks->IsShortCut(ShortCut);
    }

    // The opening of the menu from a control's click or its hover timer: OnClick, OnPopup,
    // then Open. An exception from any of them goes to the application's handler and the
    // opening ends; the activation is pending only meanwhile (a nested one is ignored).
    void Activate(const std::function<void()>& Open);
    bool ActivationPending() const { return FActivationPending; }

    // The menu window paints its side strip through it.
    virtual void DoPaintBar(platform::forms::TCanvas& Canvas, const platform::gdi::TRect& R);
    virtual void DoCloseUp();
    virtual void DoDetaching();
    virtual void DoPopup();

    platform::core::TNotifyEvent OnCloseUp;
    platform::core::TNotifyEvent OnDetaching;
    TdxBarPaintSubMenuBarEvent OnPaintBar;
    platform::core::TNotifyEvent OnPopup;

    // The link list's owner.
    TdxBarLinksOwnerKind LinksOwnerKind() const override { return TdxBarLinksOwnerKind::SubItem; }
    platform::core::TComponent* LinksOwnerComponent() override { return this; }
    TCustomdxBarSubItem* LinksOwnerSubItem() override { return this; }
    // Not for a sub-item that refuses customizing its menu.
    void LinksDesignerModified(TdxBarManager& Manager) override {
        if (CanCustomizeSubMenu()) Manager.DesignerModified();
    }

protected:
    void BarManagerChanged() override;
    bool CaptionMirrorsIntoHint() const override { return false; }
    // After the item's: BarSize, Detachable, DetachingBar, Glyph, ImageIndex, ShowCaption.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    // For the descendants that publish it.
    void DefineItemLinks(platform::core::TFiler& Filer);

private:
    std::unique_ptr<TdxBarItemLinks> FItemLinks;
    TdxBar* FDetachingBar = nullptr;
    int FBarSize = 0;
    bool FShowCaption = true;
    bool FActivationPending = false;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarSubItem(platform::core::TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}

    bool AllowCustomizing = true;
    // Set on the sub-item the customizing popup builds for its Add Item entry.
    bool AddItemMarker = false;
    bool CanCustomizeSubMenu() const override { return !AddItemMarker; }

protected:
    // After the sub-item's: AllowCustomizing.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
};

} // namespace toolkit::bars
