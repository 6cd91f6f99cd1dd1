#pragma once
// Popup-menu links: each binds a popup menu to a control of the manager's form (and, when
// allowed, to the control's children), so that shortcuts typed there run the menu's items and
// a context request opens it. The links refuse controls of other forms and forget a control or
// menu that goes.

#include "platform/core/component.h"
#include "platform/core/filer.h"
#include "platform/core/persistent.h"
#include "platform/forms/controls.h"
#include "platform/forms/shortcuts.h"

#include <concepts>
#include <functional>
#include <memory>
#include <vector>

namespace toolkit::bars {

class TdxBarManager;
class TdxBarPopupMenu;
class TdxBarItemLinks;
class TdxBarPopupMenuLink;
class TdxBarPopupMenuLinks;

using TdxBarPopupMenuLinkActionEvent = std::function<void(
    TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TdxBarPopupMenuLink : public platform::core::TPersistent {
public:
    static const platform::core::TClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarPopupMenuLink(TdxBarPopupMenuLinks* Collection) : FCollection(Collection) {}
    TdxBarPopupMenuLink(const TdxBarPopupMenuLink&) = delete;
    TdxBarPopupMenuLink& operator=(const TdxBarPopupMenuLink&) = delete;

    TdxBarPopupMenuLinks* Collection() const { return FCollection; }
    platform::forms::TWinControl* Control() const { return FControl; }
    // Only a control of the manager's form is taken; any other sets nil.
    void SetControl(platform::forms::TWinControl* Value);
    TdxBarPopupMenu* PopupMenu() const { return FPopupMenu; }
    template <class TMenu>
    requires std::derived_from<TMenu, platform::core::TComponent>
    void SetPopupMenu(TMenu* Menu) {
        SetPopupMenuParts(Menu, Menu, Menu ? &Menu->ItemLinks() : nullptr);
    }
    void SetPopupMenuParts(TdxBarPopupMenu* Menu, platform::core::TComponent* Component,
                           TdxBarItemLinks* Links);
    bool ProcessChildren = true;
    TdxBarPopupMenuLinkActionEvent OnAction;

    // Control and popup menu by component name among the manager's form's components.
    using platform::core::TPersistent::Assign;
    void Assign(const TdxBarPopupMenuLink& Source);
    // OnAction may refuse; then the menu runs the item with ShortCut.
    bool HandleShortCut(platform::forms::TShortCut ShortCut);
    // OnAction may move or refuse; then the menu pops up at Point (screen; (-1, -1) from the
    // keyboard: the window's client origin).
    bool OpenContextPopup(platform::win::HWND Window, platform::gdi::TPoint Point);

protected:
    // In a form stream: Control and PopupMenu (by their names) and ProcessChildren.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;

private:
    friend class TdxBarPopupMenuLinks;
    TdxBarPopupMenuLinks* FCollection;
    platform::forms::TWinControl* FControl = nullptr;
    TdxBarPopupMenu* FPopupMenu = nullptr;
    platform::core::TComponent* FPopupMenuComponent = nullptr;
    TdxBarItemLinks* FPopupMenuLinks = nullptr;
};

class TdxBarPopupMenuLinks {
public:
    explicit TdxBarPopupMenuLinks(TdxBarManager* Manager) : FManager(Manager) {}
    TdxBarPopupMenuLinks(const TdxBarPopupMenuLinks&) = delete;
    TdxBarPopupMenuLinks& operator=(const TdxBarPopupMenuLinks&) = delete;

    TdxBarManager* BarManager() const { return FManager; }
    TdxBarPopupMenuLink* Add();
    void Delete(int Index);
    int Count() const { return static_cast<int>(FItems.size()); }
    // nil outside the range.
    TdxBarPopupMenuLink* Items(int Index) const;

    // The links of Control first, then those of its parents that serve children, nearest
    // first; true at the first that ran an item.
    bool ProcessShortCut(platform::forms::TWinControl* Control,
                         platform::forms::TShortCut ShortCut);

    // The same order for a context request on Control (a right click at the screen Point, or
    // the keyboard's (-1, -1)); true when a menu opened. Nothing in design mode.
    bool ProcessContextPopup(platform::forms::TWinControl* Control, platform::win::HWND Window,
                             platform::gdi::TPoint Point);

    // The manager's reaction to a component that goes.
    void ComponentRemoved(platform::core::TComponent* Component);

    // The links as a collection of a form stream; reading replaces them.
    void WriteLinks(platform::core::TWriter& Writer) const;
    void ReadLinks(platform::core::TReader& Reader);

private:
    TdxBarManager* FManager;
    std::vector<std::unique_ptr<TdxBarPopupMenuLink>> FItems;
};

} // namespace toolkit::bars
