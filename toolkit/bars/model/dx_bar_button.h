#pragma once
// The button item: every toolbar button and menu command. A check button can be down; check
// buttons with the same group index form a radio group across the manager's whole item list.
// A drop-down button opens a popup menu.

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"

#include <concepts>

namespace toolkit::bars {

enum TdxBarButtonStyle : std::uint8_t { bsDefault, bsChecked, bsDropDown };

class TdxBarButton : public TdxBarItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarButton(platform::core::TComponent* AOwner);
    ~TdxBarButton() override;

    // Copied to every button of the group.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // Releases the button.
    TdxBarButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TdxBarButtonStyle Value);
    bool CloseSubMenuOnClick = true;
    // Only a check button can be down; the last down button of a group without AllowAllUp
    // stays down; a button going down releases the group's other one.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value);
    // 0 for anything but a check button. Releases the button.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    // A lowered button is framed and inset: its bar windows re-lay out.
    bool Lowered() const { return FLowered; }
    void SetLowered(bool Value);
    TdxBarPaintStyle PaintStyle() const { return FPaintStyle; }
    void SetPaintStyle(TdxBarPaintStyle Value);

    // The popup menu a drop-down button opens, and its links; cleared when the menu goes.
    TdxBarPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    TdxBarItemLinks* DropDownLinks() const { return FDropDownLinks; }
    template <class TMenu>
    requires std::derived_from<TMenu, platform::core::TComponent>
    void SetDropDownMenu(TMenu* Menu) {
        SetDropDownMenuParts(Menu, Menu, Menu ? &Menu->ItemLinks() : nullptr);
    }
    void SetDropDownMenuParts(TdxBarPopupMenu* Menu, platform::core::TComponent* Component,
                              TdxBarItemLinks* Links);

    virtual bool CanChangePaintStyle() const { return true; }
    // Each tells the controls of the links, which repaint or re-measure.
    virtual void ButtonStyleChanged();
    virtual void DownChanged();
    virtual void DropDownEnabledChanged();
    // Not the links whose user paint style stands in for the button's.
    virtual void PaintStyleChanged();
    // Toggles Down of an enabled check button (group rules apply), then the item's Click.
    void Click() override;
    // Enabled, and the caption shows for Link: always in menus, on a toolbar by paint style.
    bool HasAccessibleCaption(const TdxBarItemLink* Link) const override;

protected:
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;
    // Down follows the action's checked state too.
    void ActionChange(platform::core::TObject* Sender, bool CheckDefaults) override;
    // Down goes in as the action's checked state too.
    void AssignTo(platform::core::TPersistent* Dest) const override;
    // After the item's: AllowAllUp, ButtonStyle, CloseSubMenuOnClick, DropDownEnabled,
    // GroupIndex, Down (style before group before state, as reading needs them), DropDownMenu
    // (by name), Glyph, ImageIndex, Lowered, PaintStyle, ShortCut, UnclickAfterDoing.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;

private:
    bool AnotherDownInGroup() const;
    TdxBarButton* FirstDownInGroup() const;

    bool FAllowAllUp = false;
    TdxBarButtonStyle FButtonStyle = bsDefault;
    bool FDown = false;
    bool FDropDownEnabled = true;
    TdxBarPopupMenu* FDropDownMenu = nullptr;
    platform::core::TComponent* FDropDownComponent = nullptr;
    TdxBarItemLinks* FDropDownLinks = nullptr;
    int FGroupIndex = 0;
    bool FLowered = false;
    TdxBarPaintStyle FPaintStyle = psStandard;
};

} // namespace toolkit::bars
