#pragma once
// The Commands page of the Customize dialog: the categories on the left, the commands of the
// chosen category on the right (drawn by the dialog painter of the manager's style), and the
// chosen command's description below. A command dragged from the list onto a bar becomes a new
// link there (the manager's item drag). At run time only visible categories and the commands
// visible for customizing are listed; design-mode editing reaches the list through its hooks.

#include "toolkit/bars/customizing/dx_bar_customizing_form_painters.h"

#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <functional>
#include <vector>

namespace toolkit::bars {

class TdxBarItem;
class TdxBarManager;

// The real index of the category at row Index of the dialog's list: the same in design mode,
// else the Index-th visible category (-1 when there is none).
int GetCategoryRealIndex(const TdxBarManager& Manager, int Index);
// The items of the category: every one in design mode, else those ActuallyVisible.
std::vector<TdxBarItem*> GetVisibleItemsByCategory(const TdxBarManager& Manager, int Category);

// The commands list: one row per item, drawn by the painter; button-face coloured, rows 22
// pixels high. A press on the selected row followed by a move past the drag threshold drags the
// item onto bars.
class TCommandsListBox : public platform::forms::TListBox {
public:
    TCommandsListBox(platform::core::TComponent* Owner, TdxBarManager& Manager);

    TdxBarManager& BarManager() const { return *FBarManager; }
    // nil outside the rows.
    TdxBarItem* Items(int Index) const;
    TdxBarItem* SelectedItem() const { return Items(ItemIndex()); }
    int IndexOfItem(const TdxBarItem* Item) const;
    // Replaces the rows (captions and their items).
    void SetCommands(const std::vector<TdxBarItem*>& Commands);
    TdxBarCustomizingFormPainterClass Painter() const;

    // Design-mode hooks: a right click at a screen point (after the row under it was selected),
    // and a key; a key hook returns true when it took the key.
    std::function<void(platform::gdi::TPoint Screen)> OnDesignPopup;
    std::function<bool(platform::forms::WORD Key, platform::forms::TShiftState Shift)>
        OnDesignKeyDown;

    void Dispatch(platform::forms::TMessage& Message) override;

protected:
    // Below the last row the list shows the painter's row colour.
    void Paint() override;
    void DrawItem(int Index, const platform::gdi::TRect& Rect,
                  platform::forms::TOwnerDrawState State) override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;

private:
    // The row under the client point becomes the selection; Click runs when it changed.
    void SelectAt(platform::gdi::TPoint P);
    // A move while a press waits to become a drag: past the drag threshold the command pressed
    // is dragged onto bars; a move without the left button ends the wait.
    void DetectDrag(bool LeftDown, platform::gdi::TPoint P);

    TdxBarManager* FBarManager;
    std::vector<TdxBarItem*> FItems;
    bool FDragPending = false;
    platform::gdi::TPoint FDragStart{};
    TdxBarItem* FDragItem = nullptr;
};

// The page's controls, made on the dialog's Commands sheet.
class TdxBarCustomizingCommands {
public:
    TdxBarCustomizingCommands(platform::forms::TCustomForm& Form,
                              platform::forms::TWinControl& Page, TdxBarManager& Manager);

    platform::forms::TLabel& LabelCategories() { return *FLabelCategories; }
    platform::forms::TLabel& LabelCommands() { return *FLabelCommands; }
    platform::forms::TListBox& LCategories() { return *FLCategories; }
    TCommandsListBox& LCommands() { return *FLCommands; }
    platform::forms::TLabel& DescriptionLabel() { return *FDescriptionLabel; }

    // The categories list: every category in design mode, else the visible ones; the first
    // becomes the selection.
    void FillCategories();
    // The commands of the selected category; the description is cleared.
    void LCategoriesClick();
    // The bars lose their selected link; the selected command's description shows; in design
    // mode the designer selects the command (the manager when none) unless Updating.
    void LCommandsClick();
    // The command list is shown at Screen.
    bool ListAt(platform::gdi::TPoint Screen) const;
    // A command dropped onto the list: it goes after the last item of the category shown and
    // takes that category; the list shows it there, selected.
    void DropCommand(TdxBarItem& Item);
    // Set while the dialog itself moves the selection to follow the designer.
    bool Updating = false;

private:
    TdxBarManager* FBarManager;
    platform::forms::TLabel* FLabelCategories = nullptr;
    platform::forms::TLabel* FLabelCommands = nullptr;
    platform::forms::TListBox* FLCategories = nullptr;
    TCommandsListBox* FLCommands = nullptr;
    platform::forms::TPanel* FDescriptionPanel = nullptr;
    platform::forms::TLabel* FLabelDescription = nullptr;
    platform::forms::TBevel* FDescriptionBevel = nullptr;
    platform::forms::TLabel* FDescriptionLabel = nullptr;
};

} // namespace toolkit::bars
