#include "toolkit/bars/customizing/dx_bar_customizing_refresh.h"

#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_commands_design.h"
#include "toolkit/bars/customizing/dx_bar_customizing_design_pages.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_options.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

namespace {

// The dialog that may still be told of changes: open, not closing, not being freed.
TdxBarCustomizingForm* LiveForm() {
    TdxBarCustomizingForm* Form = GetCustomizingForm();
    if (Form == nullptr || Form->Closing() || (Form->ComponentState() & pc::csDestroying) != 0 ||
        Form->BarManager().IsDestroying())
        return nullptr;
    return Form;
}

// The dialog's own manager follows the edited one; its change of style comes back here.
bool GRefreshingStyle = false;

} // namespace

void RefreshCustomizingFormStyle(TdxBarCustomizingForm& Form) {
    if (GRefreshingStyle) return;
    GRefreshingStyle = true;
    TdxBarManager& Edited = Form.BarManager();
    if (TdxBarCustomizingCommandsDesign* Design = Form.CommandsDesign()) {
        TdxBarManager& Own = Design->DialogBarManager();
        Own.SetStyle(Edited.Style());
        Own.LookAndFeel().Assign(&Edited.LookAndFeel());
    }
    Form.Commands().LCommands().SetColor(Edited.GetPaintStyle() == 2 ? pg::clWindow
                                                                     : pg::clBtnFace);
    GRefreshingStyle = false;
}

void RefreshCustomizingForm() {
    UpdateCustomizingBarItems();
    UpdateCustomizingFormOptions();
    if (TdxBarCustomizingForm* Form = LiveForm()) RefreshCustomizingFormStyle(*Form);
}

void UpdateCustomizingBarItems() {
    TdxBarCustomizingForm* Form = LiveForm();
    if (Form == nullptr) return;
    TdxBarCustomizingCommands& Page = Form->Commands();
    Page.LCommands().Invalidate();
    Page.Updating = true;
    Page.LCommandsClick();
    Page.Updating = false;
    UpdateCustomizingAllCommands();
}

void CustomizingBarItemDeleted() {
    TdxBarCustomizingForm* Form = LiveForm();
    if (Form == nullptr) return;
    const TdxBarCustomizingCommandsDesign* Design = Form->CommandsDesign();
    if (Design == nullptr || !Design->Deleting()) {
        TdxBarCustomizingCommands& Page = Form->Commands();
        TCommandsListBox& List = Page.LCommands();
        const int Index = List.ItemIndex();
        Page.LCategoriesClick();
        List.SetItemIndex(std::min(Index, List.pf::TListBox::Items().Count() - 1));
    }
    if (TdxBarCustomizingDesignPages* Pages = Form->DesignPages()) {
        Pages->UpdateAllCommands();
        if (Form->PageControl().ActivePage() == &Pages->AllCommandsPage())
            CustomizingPageChanged(*Form);
    }
}

void UpdateCustomizingBarItemCategory(TdxBarItem* Item) {
    TdxBarCustomizingForm* Form = LiveForm();
    if (Form == nullptr || Item == nullptr) return;
    TdxBarCustomizingCommands& Page = Form->Commands();
    const int Shown = GetCategoryRealIndex(Form->BarManager(), Page.LCategories().ItemIndex());
    if (Shown >= 0 && Item->Category() == Shown) Page.LCategoriesClick();
}

void UpdateCustomizingFormHelpButton() {
    if (TdxBarCustomizingForm* Form = LiveForm()) Form->UpdateHelpButton();
}

void CustomizingPageChanged(TdxBarCustomizingForm& Form) {
    TdxBarManager& Manager = Form.BarManager();
    TdxBarDesigner* Designer = dxBarDesignerOf(Manager);
    TdxBarCustomizingDesignPages* Pages = Form.DesignPages();
    if (Designer == nullptr || Pages == nullptr) return;
    pf::TTabSheet* Page = Form.PageControl().ActivePage();
    // Compared with the manager's items, not cast: the designer may still show one that went.
    const pc::TPersistent* Shown = Designer->SelectedComponent(Manager);
    TdxBarItem* Selected = nullptr;
    for (int I = 0; I < Manager.GetItemCount() && Selected == nullptr; ++I)
        if (static_cast<const pc::TPersistent*>(Manager.GetItem(I)) == Shown)
            Selected = Manager.GetItem(I);
    if (Page == &Form.CommandsPage()) {
        if (Selected != nullptr)
            SelectCustomizingBarItem(Selected, false);
        else
            Form.Commands().LCommandsClick();
    } else if (Page == &Pages->AllCommandsPage()) {
        TdxBarAllCommandsList& List = Pages->LAllCommands();
        const int Row = Selected != nullptr ? List.IndexOfEntry(Selected) : -1;
        if (Row >= 0)
            List.SetItemIndex(Row);
        else
            Pages->LAllCommandsClick();
    } else if (Page == &Pages->GroupsPage()) {
        Pages->UpdateGroups();
    }
}

void UpdateCustomizingBarGroups() {
    TdxBarCustomizingForm* Form = GetCustomizingForm();
    if (Form == nullptr) return;
    if (TdxBarCustomizingDesignPages* Pages = Form->DesignPages()) Pages->UpdateGroups();
}

void UpdateCustomizingAllCommands() {
    TdxBarCustomizingForm* Form = LiveForm();
    if (Form == nullptr) return;
    if (TdxBarCustomizingDesignPages* Pages = Form->DesignPages()) Pages->UpdateAllCommands();
}

void UpdateCustomizingGroupItems() {
    TdxBarCustomizingForm* Form = LiveForm();
    if (Form == nullptr) return;
    if (TdxBarCustomizingDesignPages* Pages = Form->DesignPages()) Pages->UpdateGroupItems();
}

} // namespace toolkit::bars
