#pragma once
// What the open Customize dialog hears from the manager it edits and from that manager's items:
// a change of style (the dialog's lists and its own manager follow the edited one), and an item
// freed from outside the dialog (no row may keep it). Each does nothing without an open dialog.

namespace toolkit::bars {

class TdxBarCustomizingForm;
class TdxBarItem;

// The commands list repaints and its click runs again, the options reload, then the dialog
// takes the edited manager's style (RefreshCustomizingFormStyle).
void RefreshCustomizingForm();
// The dialog's own manager takes the edited manager's Style and LookAndFeel; the commands list
// is window-coloured under the flat paint style, else button-face coloured.
void RefreshCustomizingFormStyle(TdxBarCustomizingForm& Form);
// The commands list repaints, its click runs again (the updating flag set) and the All
// commands columns are measured again.
void UpdateCustomizingBarItems();
// An item of the edited manager with a category went: unless the dialog deletes it itself, the
// commands list is filled again, its selection kept at the same row (or the new last one), and
// the All commands list follows.
void CustomizingBarItemDeleted();
// Item's category is the one the Commands page shows: its list is filled again.
void UpdateCustomizingBarItemCategory(TdxBarItem* Item);
// The dialog's help button takes the edited manager's HelpButtonGlyph and shows only with its
// ShowHelpButton.
void UpdateCustomizingFormHelpButton();
// A group of the edited manager was renamed: the Groups page reads its groups again.
void UpdateCustomizingBarGroups();
// The All commands page lists the items again and measures its columns anew (an item's name,
// caption or shortcut changed).
void UpdateCustomizingAllCommands();
// The Groups page lists the members of the selected group again (a member was renamed, added
// or removed).
void UpdateCustomizingGroupItems();
// The page shown changed (or the dialog came forward): in design mode the Commands and All
// commands pages select what the designer selects, the Groups page reads its groups again.
void CustomizingPageChanged(TdxBarCustomizingForm& Form);

} // namespace toolkit::bars
