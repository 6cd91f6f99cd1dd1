#pragma once
// The popup menu: a non-visual component with a list of item links that it shows as a context
// menu, at a point or beside the rectangle of the item that drops it down. Each showing makes a
// menu window (dx_bar_menu_control.h) of the links, which frees itself when it closes. Popup
// returns only after the menu has closed, unless the caller asked to return at once.

#include "toolkit/bars/dx_bar_item_link.h"

#include "platform/core/component.h"
#include "platform/forms/graphics.h"
#include "platform/gdi/geometry.h"

#include <functional>
#include <memory>

namespace toolkit::bars {

class TdxBarSubMenuControl;

using TdxBarPaintSubMenuBarEvent =
    std::function<void(platform::core::TObject* Sender, platform::forms::TCanvas& Canvas,
                       const platform::gdi::TRect& R)>;

class TdxBarPopupMenu : public platform::core::TComponent, public TdxBarItemLinksOwner {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Raises "There are no TdxBarManagers available" without a live manager. Joins the manager
    // of the owner form or, failing that, the first manager of the list.
    explicit TdxBarPopupMenu(platform::core::TComponent* AOwner);
    ~TdxBarPopupMenu() override;

    TdxBarManager* BarManager() const { return FBarManager; }
    // nil is ignored (a menu always has a manager).
    void SetBarManager(TdxBarManager* Value);
    // Negative values are stored as 0.
    int BarSize() const { return FBarSize; }
    void SetBarSize(int Value) { FBarSize = Value < 0 ? 0 : Value; }
    platform::forms::TBitmap& BackgroundBitmap() { return *FBackgroundBitmap; }
    TdxBarItemLinks& ItemLinks() { return *FItemLinks; }
    const TdxBarItemLinks& ItemLinks() const { return *FItemLinks; }
    bool UseRecentItems() const { return FItemLinks->UseRecentItems; }
    void SetUseRecentItems(bool Value) { FItemLinks->UseRecentItems = Value; }

    // Set by the drop-down button that shows the menu: the control that asked, and whether
    // Popup returns as soon as the window is shown.
    platform::core::TComponent* OwnerControl = nullptr;
    bool ReturnAtOnce = false;

    // Shows the menu with its top-left corner at (X, Y) on the screen; nothing while it is
    // shown already.
    void Popup(int X, int Y);
    // Popup beside an owner: its width (an owner at whose side the menu opens) or its height
    // (one below which it opens), with or without an animation.
    void PopupEx(int X, int Y, int OwnerWidth, int OwnerHeight, bool Animate,
                 const platform::gdi::TRect* OwnerRect);
    // True from OnPopup until OnCloseUp.
    bool Shown() const { return FShown; }
    // The menu window while the menu is shown, nil otherwise.
    TdxBarSubMenuControl* GetSubMenuControl() const;
    // Clicks the first enabled item of the links with ShortCut.
    bool IsShortCut(platform::forms::TShortCut ShortCut) {
        return FItemLinks->IsShortCut(ShortCut);
    }
    void DoPaintBar(platform::forms::TCanvas& Canvas, const platform::gdi::TRect& R);

    platform::core::TNotifyEvent OnCloseUp;
    platform::core::TNotifyEvent OnPopup;
    TdxBarPaintSubMenuBarEvent OnPaintBar;

    TdxBarLinksOwnerKind LinksOwnerKind() const override { return TdxBarLinksOwnerKind::PopupMenu; }
    platform::core::TComponent* LinksOwnerComponent() override { return this; }
    bool CanContainItem(const TdxBarItem*) const override { return true; }

protected:
    void Loaded() override;

private:
    void RunLoop();

    TdxBarManager* FBarManager = nullptr;
    int FBarSize = 0;
    std::unique_ptr<platform::forms::TBitmap> FBackgroundBitmap;
    std::unique_ptr<TdxBarItemLinks> FItemLinks;
    int FOwnerWidth = 0;
    int FOwnerHeight = 0;
    bool FAnimate = true;
    const platform::gdi::TRect* FOwnerRect = nullptr;
    bool FShown = false;
    bool FDestroying = false;
};

} // namespace toolkit::bars
