#pragma once
// The context menu of an item link while the user customizes: reset, delete, the name entry,
// the four paint styles and the group boundary, each acting on the link it was opened for. It
// is a menu window at the mouse point that owns its entries; at most one is open at a time.
// In design mode four entries come first that add items to the bar or delete the toolbar
// (dx_bar_customizing_popup_design.cpp).

#include "toolkit/bars/dx_bar_menu_control.h"

#include <memory>
#include <string>
#include <vector>

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

    TdxBarItemLink* Link() const { return FLink; }
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
    // The entries are internal items the popup frees as it goes, after their links.
    TdxBarItem& AddEntry(TdxBarItem& Item, const std::string& Caption, bool BeginGroup);
    void EntryClick(int Tag);
    // Closing outside customizing: the link's control, when its bar window still selects it,
    // is no longer the manager's selected control and the window selects nothing.
    void ReleaseLinkSelection();
    void Rename(const std::string& Text);
    // "Add &SubItem", "Add &Button", "Add &Item" (one entry per public item class) and, on a
    // toolbar, "Delete Bar".
    void AddDesignEntries();
    // Tag -1 deletes the toolbar; -4, -3 and -100 - n add an item of that class after the link.
    void DesignCommand(int Tag);

    TdxBarItemLink* FLink;
    TdxBarItemLinks* FLinks;
    std::vector<platform::core::TComponent*> FItems;
    std::unique_ptr<TdxBarItemLinks> FEntries;
    TdxBarEdit* FNameEdit = nullptr;
    int FDesignEntryCount = 0;
};

} // namespace toolkit::bars
