#pragma once
// Design-mode editing on the Commands page of the Customize dialog. Categories and commands are
// edited through two popup menus that are items of the dialog's own bar manager: a right click
// in either list, the small drop-down button above it, or the list's keys open or run them.
// Categories reorder by dragging an entry; deleting a category or clearing its commands asks
// first. Commands are made, freed and selected through the form designer. Nothing of this
// exists at run time.

#include "platform/forms/controls.h"

#include <string>

namespace toolkit::bars {

class TdxBarButton;
class TdxBarCombo;
class TdxBarCustomizingCommands;
class TdxBarCustomizingForm;
class TdxBarItem;
class TdxBarManager;
class TdxBarPopupMenu;

// A flat drop-down button: a left press shows its popup menu below it and the button stays
// down (Checked) while the menu is open. The press that closes the menu on the button itself
// does not open it again.
class TCheckableButton : public platform::forms::TGraphicControl {
public:
    explicit TCheckableButton(platform::core::TComponent* Owner);

    TdxBarPopupMenu* PopupMenu = nullptr;
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    // Shows the menu below the button; returns when it has closed.
    void DropDown();

protected:
    void Paint() override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;

private:
    bool FChecked = false;
    bool FClosedByClick = false;
};

class TdxBarCustomizingCommandsDesign {
public:
    // Makes the dialog's own manager, its items and popup menus, the two buttons, and binds the
    // page's lists; fills the sub-menu editor's select-links-owner hook until it goes.
    explicit TdxBarCustomizingCommandsDesign(TdxBarCustomizingForm& Form);
    ~TdxBarCustomizingCommandsDesign();
    TdxBarCustomizingCommandsDesign(const TdxBarCustomizingCommandsDesign&) = delete;
    TdxBarCustomizingCommandsDesign& operator=(const TdxBarCustomizingCommandsDesign&) = delete;

    TdxBarManager& DialogBarManager() { return *FDialogManager; }
    TdxBarPopupMenu& CategoriesPopupMenu() { return *FCategoriesPopupMenu; }
    TdxBarPopupMenu& CommandsPopupMenu() { return *FCommandsPopupMenu; }
    TCheckableButton& CategoriesPopupButton() { return *FCategoriesPopupButton; }
    TCheckableButton& CommandsPopupButton() { return *FCommandsPopupButton; }

    TdxBarButton& CategoriesAdd() { return *FCategoriesAdd; }
    TdxBarButton& CategoriesInsert() { return *FCategoriesInsert; }
    TdxBarButton& CategoriesRename() { return *FCategoriesRename; }
    TdxBarButton& CategoriesVisible() { return *FCategoriesVisible; }
    TdxBarCombo& CategoriesItemsVisible() { return *FCategoriesItemsVisible; }
    TdxBarButton& CategoriesDelete() { return *FCategoriesDelete; }
    TdxBarButton& CommandsAdd() { return *FCommandsAdd; }
    TdxBarButton& CommandsDelete() { return *FCommandsDelete; }
    TdxBarButton& CommandsClear() { return *FCommandsClear; }
    TdxBarButton& CommandsMoveUp() { return *FCommandsMoveUp; }
    TdxBarButton& CommandsMoveDown() { return *FCommandsMoveDown; }
    TdxBarButton& CommandsSubMenuEditor() { return *FCommandsSubMenuEditor; }

    // The menus' items follow the selection (run as each menu pops up).
    void CategoriesPopupMenuPopup();
    void CommandsPopupMenuPopup();

    void CategoriesAddClick();
    void CategoriesInsertClick();
    void CategoriesRenameClick();
    void CategoriesVisibleClick();
    void CategoriesItemsVisibleChange();
    void CategoriesDeleteClick();
    void CommandsAddClick();
    void CommandsDeleteClick();
    void CommandsClearClick();
    void CommandsMoveUpClick() { MoveCommand(-1); }
    void CommandsMoveDownClick() { MoveCommand(1); }
    void CommandsSubMenuEditorClick();

    // The category whose entry is being dragged, -1 when none.
    int DraggedCategory() const { return FDraggedCategory; }
    // Set while commands are freed by the dialog itself.
    bool Deleting() const { return FDeleting; }

private:
    TdxBarCustomizingCommands& Page() const;
    int SelectedCategory() const;
    TdxBarItem* SelectedCommand() const;
    // The designer may free every item of the selected category.
    bool CanDeleteCategoryItems() const;
    // Adds (At = -1) or inserts a category, or renames the one At.
    void EditCategory(int At, bool Rename);
    void MoveCommand(int Delta);
    void DesignerModified();
    void CategoriesMouseDown(platform::forms::TMouseButton Button, int X, int Y);
    void CategoriesDragOver(platform::core::TObject* Source, int X, int Y, bool& Accept);
    void CategoriesKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift);
    bool CommandsKeyDown(platform::forms::WORD Key, platform::forms::TShiftState Shift);
    // Runs the item when the menu's rules enable it.
    static void RunIfEnabled(TdxBarButton& Item);

    TdxBarCustomizingForm& FForm;
    TdxBarManager& FBarManager;
    TdxBarManager* FDialogManager = nullptr;
    TdxBarPopupMenu* FCategoriesPopupMenu = nullptr;
    TdxBarPopupMenu* FCommandsPopupMenu = nullptr;
    TCheckableButton* FCategoriesPopupButton = nullptr;
    TCheckableButton* FCommandsPopupButton = nullptr;
    TdxBarButton* FCategoriesAdd = nullptr;
    TdxBarButton* FCategoriesInsert = nullptr;
    TdxBarButton* FCategoriesRename = nullptr;
    TdxBarButton* FCategoriesVisible = nullptr;
    TdxBarCombo* FCategoriesItemsVisible = nullptr;
    TdxBarButton* FCategoriesDelete = nullptr;
    TdxBarButton* FCommandsAdd = nullptr;
    TdxBarButton* FCommandsDelete = nullptr;
    TdxBarButton* FCommandsClear = nullptr;
    TdxBarButton* FCommandsMoveUp = nullptr;
    TdxBarButton* FCommandsMoveDown = nullptr;
    TdxBarButton* FCommandsSubMenuEditor = nullptr;
    int FDraggedCategory = -1;
    bool FDeleting = false;
    // Set while the menu items are brought up to date, so that their change events stay quiet.
    bool FPreparing = false;
};

// With the dialog's updating flag set: selects the item's category in the categories list
// (refilling the commands when it changes or when forced), then the item in the commands list.
// Nothing without an open dialog.
void SelectCustomizingBarItem(TdxBarItem* Item, bool Force);

} // namespace toolkit::bars
