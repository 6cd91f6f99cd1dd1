// The design-mode entries of the customising popup: they add a new item to the right-clicked
// bar, after the link when one was clicked, or delete the toolbar itself.

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/customizing/dx_bar_customizing_refresh.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_categories.h"
#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/resource_strings.h"

#include "platform/forms/forms.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace tb = toolkit::base;

namespace {

// 65246, 65247, 65216, 65217
const tb::TResStringRec dxSBAR_CP_ADDSUBITEM{"Add &SubItem"};
const tb::TResStringRec dxSBAR_CP_ADDBUTTON{"Add &Button"};
const tb::TResStringRec dxSBAR_CP_ADDDXITEM{"Add &Item"};
const tb::TResStringRec dxSBAR_CP_DELETEBAR{"Delete Bar"};

constexpr int kAddSubItem = -4;
constexpr int kAddButton = -3;
constexpr int kAddItem = -2;
constexpr int kDeleteBar = -1;
// "Add &Item"'s entries: -100 - the class's position among the public ones.
constexpr int kFirstClass = -100;

bool GAdding = false;

TdxBarControl* ToolbarOf(TdxBarItemLinks* Links) {
    return Links ? dynamic_cast<TdxBarControl*>(Links->BarControl()) : nullptr;
}

} // namespace

bool TdxBarCustomizingPopup::Adding() {
    return GAdding;
}

void TdxBarCustomizingPopup::AddDesignEntries() {
    FDesignEntryCount = 4;
    const TTarget Aim = FTarget;
    const auto Add = [this, Aim](TdxBarItem& Item, const tb::TResStringRec& Caption, int Tag) {
        AddEntry(Item, tb::cxGetResourceString(Caption), Tag == kDeleteBar);
        if (auto* Button = dynamic_cast<TdxBarButton*>(&Item))
            Button->OnClick = [Aim, Tag](pc::TObject*) { EntryClick(Aim, Tag); };
    };
    const auto NewButton = [] {
        return &dxBarUnit().AddInternalItem(std::make_unique<TdxBarButton>(nullptr));
    };
    Add(*NewButton(), dxSBAR_CP_ADDSUBITEM, kAddSubItem);
    Add(*NewButton(), dxSBAR_CP_ADDBUTTON, kAddButton);
    auto& Classes = dxBarUnit().AddInternalItem(std::make_unique<TdxBarSubItem>(nullptr));
    // Its menu runs its entries even while the manager customizes.
    Classes.AddItemMarker = true;
    Add(Classes, dxSBAR_CP_ADDDXITEM, kAddItem);
    const TdxBarItemClasses& Registered = dxBarUnit().ItemClasses();
    for (int I = 0; I < Registered.GetRegisteredItemClassCount(); ++I) {
        TdxBarButton* Entry = NewButton();
        Entry->SetBarManager(BarManager());
        Entry->SetCaption(std::string(Registered.GetRegisteredItemClass(I)->ClassName()));
        const int Tag = kFirstClass - I;
        Entry->OnClick = [Aim, Tag](pc::TObject*) { EntryClick(Aim, Tag); };
        Classes.ItemLinks().Add(Entry);
    }
    if (ToolbarOf(FTarget.Links)) Add(*NewButton(), dxSBAR_CP_DELETEBAR, kDeleteBar);
}

void TdxBarCustomizingPopup::DesignCommand(const TTarget& Target, int Tag) {
    TdxBarManager* Manager = Target.Manager;
    if (Manager == nullptr || Tag == kAddItem || GAdding || !Target.LinksAlive()) return;
    TdxBarItemLinks* Links = Target.Links;
    TdxBarItemLink* After = Target.LinkAlive() ? Target.Link : nullptr;
    GAdding = true;
    if (Tag == kDeleteBar) {
        if (TdxBarControl* Window = ToolbarOf(Links)) {
            TdxBar* Bar = Window->Bar();
            RemoveCustomizingBar(Bar);
            Manager->Bars()->Delete(Bar->Index());
        }
        GAdding = false;
        return;
    }
    const pc::TComponentClass* Class = nullptr;
    if (Tag == kAddSubItem)
        Class = &TdxBarSubItem::ClassRef();
    else if (Tag == kAddButton)
        Class = &TdxBarButton::ClassRef();
    else
        Class = dynamic_cast<const pc::TComponentClass*>(
            dxBarUnit().ItemClasses().GetRegisteredItemClass(kFirstClass - Tag));
    pf::TCustomForm* Owner = Manager->Form();
    std::unique_ptr<pc::TComponent> Made = Class && Owner ? Class->Create(Owner) : nullptr;
    auto* Item = dynamic_cast<TdxBarItem*>(Made.get());
    if (Item == nullptr) {
        GAdding = false;
        return;
    }
    Owner->InsertComponent(std::move(Made));
    Item->SetBarManager(Manager);
    Item->SetCategory(std::max(Manager->Categories().IndexOf("Default"), 0));
    Item->Name = GetUniqueItemName(Manager, Item->ClassType());
    Item->SetCaption("New Item");
    TdxBarItemLink* Link = Links->Add(Item);
    if (After) Links->Move(Link->Index(), After->Index() + 1);
    UpdateCustomizingBarItemCategory(Item);
    if (TCustomdxBarControl* Window = Links->BarControl()) {
        Window->RefreshLayout();
        if (TdxBarItemControl* Control = Link->Control();
            Control && !platform::gdi::IsRectEmpty(Window->GetItemRect(Control)))
            Window->SetSelectedControl(Control);
        Window->Invalidate();
    }
    Manager->DesignerModified();
    GAdding = false;
}

} // namespace toolkit::bars
