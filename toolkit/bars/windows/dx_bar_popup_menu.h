#pragma once
// The popup menu: a non-visual component with a list of item links that it shows as a context
// menu, at a point or beside the rectangle of the item that drops it down. Each showing makes a
// menu window (dx_bar_menu_control.h) of the links, which frees itself when it closes. Popup
// returns only after the menu has closed, unless the caller asked to return at once.

#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"

#include "platform/core/component.h"
#include "platform/forms/graphics.h"
#include "platform/gdi/geometry.h"

#include <functional>
#include <memory>

namespace toolkit::bars {

class TdxBarSubMenuControl;
class TdxBarPopupMenu;

// Some popup menu of some manager is shown now.
bool IsAnyPopupMenuShowing();

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
    // The width of the side strip at the left of the menu, which OnPaintBar paints; the rows
    // stand right of it. Negative values are stored as 0.
    int BarSize() const { return FBarSize; }
    void SetBarSize(int Value) { FBarSize = Value < 0 ? 0 : Value; }
    // Tiled behind the menu's rows in place of the manager's sub-menu bitmap when not empty.
    platform::forms::TBitmap& BackgroundBitmap() { return *FBackgroundBitmap; }
    // The menu's font: a copy of the manager's until it is changed from outside, which turns
    // UseOwnFont on. While UseOwnFont is on the menu measures and draws its rows in it.
    platform::gdi::TFont& Font() { return *FFont; }
    bool UseOwnFont() const { return FUseOwnFont; }
    // Off takes the manager's font back.
    void SetUseOwnFont(bool Value);
    // The manager's font changed: a menu without a font of its own takes it.
    void ManagerFontChanged();
    // The manager went while the menu stays (one without an owner): a shown menu closes, and the
    // menu shows nothing more.
    void ManagerGone();
    // Made from Font while UseOwnFont is on; nil otherwise.
    platform::gdi::HFONT FontHandle() const;
    TdxBarItemLinks& ItemLinks() { return *FItemLinks; }
    const TdxBarItemLinks& ItemLinks() const { return *FItemLinks; }
    bool UseRecentItems() const { return FItemLinks->UseRecentItems; }
    void SetUseRecentItems(bool Value) { FItemLinks->UseRecentItems = Value; }

    // Set by the drop-down button that shows the menu: the bar window it stands on, and whether
    // Popup returns as soon as the window is shown. A windowed owner control owns the menu's
    // window (it stays above it); without one a windowed owner component (a form) does, else
    // the manager's form.
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
    // The same for a key message: its key with Shift and Ctrl as held now and Alt as the
    // message's key data says (bit 29). A key code of 0 is no shortcut.
    bool IsShortCutKey(const platform::forms::TMessage& Message);
    // In design mode, while the menu is neither loading nor going: the manager's designer hears
    // that the design changed.
    void DesignerModified();
    void DoPaintBar(platform::forms::TCanvas& Canvas, const platform::gdi::TRect& R);

    platform::core::TNotifyEvent OnCloseUp;
    platform::core::TNotifyEvent OnPopup;
    TdxBarPaintSubMenuBarEvent OnPaintBar;

    TdxBarLinksOwnerKind LinksOwnerKind() const override { return TdxBarLinksOwnerKind::PopupMenu; }
    platform::core::TComponent* LinksOwnerComponent() override { return this; }
    bool CanContainItem(const TdxBarItem*) const override { return true; }
    // Not while the menu loads or goes.
    void LinksDesignerModified(TdxBarManager& Manager) override {
        if ((ComponentState() & (platform::core::csLoading | platform::core::csDestroying)) == 0)
            Manager.DesignerModified();
    }

protected:
    void Loaded() override;

private:
    void RunLoop();
    void FontChanged();

    TdxBarManager* FBarManager = nullptr;
    int FBarSize = 0;
    std::unique_ptr<platform::forms::TBitmap> FBackgroundBitmap;
    std::unique_ptr<platform::gdi::TFont> FFont;
    // A copy of Font made while UseOwnFont is on, so that its handle outlives further changes.
    std::unique_ptr<platform::gdi::TFont> FOwnFont;
    bool FUseOwnFont = false;
    bool FInternalFontChange = false;
    std::unique_ptr<TdxBarItemLinks> FItemLinks;
    int FOwnerWidth = 0;
    int FOwnerHeight = 0;
    bool FAnimate = true;
    const platform::gdi::TRect* FOwnerRect = nullptr;
    bool FShown = false;
    bool FDestroying = false;
};

} // namespace toolkit::bars
