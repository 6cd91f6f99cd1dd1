#pragma once
// The context menu of an item link while the user customizes: reset, delete, the name entry,
// the four paint styles and the group boundary, each acting on the link it was opened for. It
// is a menu window at the mouse point that owns its entries; at most one is open at a time.
// In design mode four entries come first that add items to the bar or delete the toolbar
// (dx_bar_customizing_popup_design.cpp).

#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include <memory>
#include <string>

namespace toolkit::bars {

class TdxBarEdit;
class TdxBarItem;

class TdxBarCustomizingPopup : public TdxBarSubMenuControl {
public:
    // Link: the link right-clicked (nil on a bar's empty area); Links: the bar's links.
    TdxBarCustomizingPopup(TdxBarManager* ABarManager, TdxBarItemLink* ALink,
                           TdxBarItemLinks* ALinks);
    ~TdxBarCustomizingPopup() override;

    // Opens a popup for Link at the screen point (the one open before closes).
    static TdxBarCustomizingPopup* ShowAt(TdxBarManager& Manager, TdxBarItemLink* Link,
                                          TdxBarItemLinks* Links, TPoint Screen);
    // The open popup; nil when none.
    static TdxBarCustomizingPopup* Current();

    // The link it was opened for, as it was then.
    TdxBarItemLink* Link() const { return FTarget.Link; }
    TdxBarItemLinks& Entries() const { return *FEntries; }
    // The name entry: its text is the link's caption; a change renames the link.
    TdxBarEdit* NameEdit() const { return FNameEdit; }
    // The design-mode entries placed before the link's: 4 in design mode, else 0.
    int DesignEntryCount() const { return FDesignEntryCount; }
    // True while a popup runs an add or delete command.
    static bool Adding();
    // A menu of commands of its own: its entries run when clicked.
    bool IsCustomizing() const override { return false; }
    void WndProc(TMessage& Message) override;

private:
    // What an entry acts on. Clicking an entry closes the popup (and frees it) before the
    // command runs, so the entries carry their target themselves, and the popup leaves its
    // entries' items to be freed once unused (FreeUnusedInternalItems), never during their click.
    struct TTarget {
        TdxBarManager* Manager;
        TdxBarItem* Item;
        TdxBarItemLink* Link;
        TdxBarItemLinks* Links;
        // The link is still its item's, the item still its manager's; the links are still a
        // bar's or a sub-item's of the manager.
        bool LinkAlive() const;
        bool LinksAlive() const;
    };
    TdxBarItem& AddEntry(TdxBarItem& Item, const std::string& Caption, bool BeginGroup);
    // Tags as the entries' table gives them; below 0 the design commands.
    static void EntryClick(const TTarget& Target, int Tag);
    // Closing outside customizing: the link's control, when its bar window still selects it,
    // is no longer the manager's selected control and the window selects nothing.
    void ReleaseLinkSelection();
    static void Rename(const TTarget& Target, const std::string& Text);
    // "Add &SubItem", "Add &Button", "Add &Item" (one entry per public item class) and, on a
    // toolbar, "Delete Bar".
    void AddDesignEntries();
    // Tag -1 deletes the toolbar; -4, -3 and -100 - n add an item of that class after the link.
    static void DesignCommand(const TTarget& Target, int Tag);

    TTarget FTarget;
    std::unique_ptr<TdxBarItemLinks> FEntries;
    TdxBarEdit* FNameEdit = nullptr;
    int FDesignEntryCount = 0;
};

} // namespace toolkit::bars
