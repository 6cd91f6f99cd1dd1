#pragma once
// What the model and the windows ask of customizing: the one interface through which the
// floors below plug into the Customize dialog, the customising popup and the sub-menu editor.
// The dialog hears of the changes of the manager it edits and of that manager's bars and items;
// the bar windows open the customising popup on a link and pass the mouse of the forms the
// dialog disables to the bars under it.
//
// The customizing floor installs its implementation at start-up
// (toolkit/bars/customizing/dx_bar_customizing_floor.cpp). Without it nothing customizes: no
// dialog opens and every notification is dropped.

#include "platform/core/window_handle.h"
#include "platform/gdi/geometry.h"
#include "platform/win/hooks.h"
#include "platform/win/messages.h"

namespace platform::forms {
class TCustomForm;
}

namespace toolkit::bars {

class TdxBar;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManager;
class TdxBarSubMenuControl;

class TdxBarCustomizingServices {
public:
    virtual ~TdxBarCustomizingServices() = default;

    // --- The Customize dialog ---
    // Show: when no dialog is open, it opens on Manager (the other forms disabled); else it
    // closes. Customizing turns on and off around it (TdxBarManager::SetIsCustomizing).
    virtual void ShowCustomizingForm(TdxBarManager& Manager, bool Show) {
        (void)Manager;
        (void)Show;
    }
    // Form is the open dialog.
    virtual bool IsCustomizingForm(const platform::forms::TCustomForm* Form) const {
        (void)Form;
        return false;
    }
    // The manager the open dialog edits; nil without a dialog.
    virtual TdxBarManager* CustomizingManager() const { return nullptr; }
    // The dialog shows and hides with the form it edits.
    virtual void CustomizingFormFollowForm(TdxBarManager& Manager,
                                           const platform::win::WINDOWPOS& Pos) {
        (void)Manager;
        (void)Pos;
    }
    // The edited manager changed its style: the dialog's lists, options and own manager follow.
    virtual void RefreshCustomizingForm() {}
    // An option of the edited manager changed: the Options page reloads.
    virtual void UpdateCustomizingFormOptions() {}
    // The help button takes the edited manager's glyph and shows with its ShowHelpButton.
    virtual void UpdateCustomizingFormHelpButton() {}
    // An item of the edited manager with a category went.
    virtual void CustomizingBarItemDeleted() {}
    // A group was renamed: the Groups page shows the new name.
    virtual void UpdateCustomizingBarGroups() {}
    // An item's name or shortcut changed: the All commands page measures and shows it again.
    virtual void UpdateCustomizingAllCommands() {}
    // A group member changed: the Groups page lists the selected group's members again.
    virtual void UpdateCustomizingGroupItems() {}
    // An item changed what the Commands page shows of it: the list repaints and its click runs
    // again.
    virtual void UpdateCustomizingBarItems() {}
    // Item came to or left a category: the Commands page refills when it shows that category.
    virtual void UpdateCustomizingBarItemCategory(TdxBarItem* Item) { (void)Item; }
    // Design mode: the Commands page selects Item (Force: even when it shows another category).
    virtual void SelectCustomizingBarItem(TdxBarItem* Item, bool Force) {
        (void)Item;
        (void)Force;
    }
    // A command dragged from the dialog: whether the dialog's command list of Manager lies at
    // Screen (it takes the command there); dropped there, the command moves in the manager's
    // item list to just after the last item of the category the list shows, and takes that
    // category.
    virtual bool CommandListAt(TdxBarManager& Manager, platform::gdi::TPoint Screen) {
        (void)Manager;
        (void)Screen;
        return false;
    }
    virtual void DropOnCommandList(TdxBarManager& Manager, TdxBarItem& Item) {
        (void)Manager;
        (void)Item;
    }
    // The Toolbars page shows Bar's change, or lets it go.
    virtual void UpdateCustomizingBar(TdxBar* Bar) { (void)Bar; }
    virtual void RemoveCustomizingBar(TdxBar* Bar) { (void)Bar; }
    // A mouse message to a form the dialog disabled: the bar window under the cursor that takes
    // it (nil when none), and the message sent there.
    virtual platform::win::HWND
    BarUnderCustomizingForm(platform::win::UINT Message,
                            const platform::win::MOUSEHOOKSTRUCT& Info) {
        (void)Message;
        (void)Info;
        return platform::win::HWND{};
    }
    virtual void RedirectToBar(platform::win::HWND Target, platform::win::UINT Message,
                               const platform::win::MOUSEHOOKSTRUCT& Info) {
        (void)Target;
        (void)Message;
        (void)Info;
    }

    // --- The customising popup ---
    // On Link (nil: on the bar itself, in design mode) of Links, at the screen point.
    virtual void ShowCustomizingPopup(TdxBarManager& Manager, TdxBarItemLink* Link,
                                      TdxBarItemLinks* Links, platform::gdi::TPoint Point) {
        (void)Manager;
        (void)Link;
        (void)Links;
        (void)Point;
    }
    // The popup is adding an item: the dialog does not select it.
    virtual bool AddingItem() const { return false; }

    // --- The sub-menu editor ---
    // The menu the editor shows; nil when there is none.
    virtual TdxBarSubMenuControl* SubMenuEditorMenu() const { return nullptr; }
};

// The installed customizing, or the one that does nothing while no customizing floor is linked.
TdxBarCustomizingServices& dxBarCustomizingServices();
// Installs Services (nil: none); returns the one it replaces.
TdxBarCustomizingServices* SetdxBarCustomizingServices(TdxBarCustomizingServices* Services);

} // namespace toolkit::bars
