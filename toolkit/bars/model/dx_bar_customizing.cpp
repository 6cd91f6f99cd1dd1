// Run-time customizing: the manager turns it on and off and lists the toolbars. The bar windows
// rebuild their controls for the new mode (the windows floor) and the Customize dialog opens
// and closes with it (the customizing floor).

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/base/resource_strings.h"

#include "platform/forms/forms.h"

#include <memory>
#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;

namespace {

// The toolbars list's entry that starts customizing.
constexpr int kCustomizeTag = 1000;

} // namespace

void TdxBarManager::SetIsCustomizing(bool Value) {
    if (FIsCustomizing == Value) return;
    if (Value && CustomizingFormHandle != pc::HWND{}) return;
    // Each bar window rebuilds its controls for the new mode.
    const std::vector<TCustomdxBarControl*> Windows =
        dxBarWindowServices().DestroyBarWindowControls(*this);
    FIsCustomizing = Value;
    // What only customizing shows comes into every list of links, or leaves it.
    for (int I = 0; I < FBars->Count(); ++I)
        FBars->Items(I)->ItemLinks().RefreshVisibleLists();
    for (int I = 0; I < GetItemCount(); ++I)
        if (auto* SubItem = dynamic_cast<TCustomdxBarSubItem*>(GetItem(I)))
            SubItem->ItemLinks().RefreshVisibleLists();
    dxBarWindowServices().RefreshPopupMenuLists(*this);
    if (!Value) SetSelectedItem(nullptr);
    dxBarCustomizingServices().ShowCustomizingForm(*this, Value);
    dxBarWindowServices().CreateBarWindowControls(Windows);
    if (OnCustomizingChange) OnCustomizingChange(this);
}

void TdxBarManager::DragItem(TdxBarItem* Item, TdxBarItemLink* Link) {
    if (!IsCustomizing()) return;
    dxBarWindowServices().DragItem(*this, Item, Link);
}

pc::HWND TdxBarManager::GetCaptureWindow() const {
    if (FIsCustomizing && CustomizingFormHandle != pc::HWND{}) return CustomizingFormHandle;
    return FForm && FForm->HandleAllocated() ? FForm->Handle() : pc::HWND{};
}

void TdxBarManager::AddToolbarsListItems(TdxBarItemLinks& Links) {
    for (int I = 0; I < FBars->Count(); ++I) {
        TdxBar* Bar = FBars->Items(I);
        if (!Bar->CanClose() || Bar->Hidden()) continue;
        auto& B = dxBarUnit().AddInternalItem(std::make_unique<TdxBarButton>(nullptr));
        B.SetBarManager(this);
        B.SetCaption(Bar->Caption());
        B.SetButtonStyle(bsChecked);
        B.SetDown(Bar->Visible());
        B.OnClick = [this, I](pc::TObject*) { ToolbarsPopupClick(I); };
        Links.Add(&B);
    }
    AddCustomizeCommandLink(*this, Links, true);
    DoShowToolbarsPopup(&Links);
}

void TdxBarManager::ToolbarsPopupClick(int Tag) {
    if (Tag == kCustomizeTag)
        Customizing(true);
    else if (TdxBar* Bar = FBars->Items(Tag))
        Bar->SetVisible(!Bar->Visible());
}

TdxBarItem* AddCustomizeCommandLink(TdxBarManager& Manager, TdxBarItemLinks& Links, bool BeginGroup,
                                    bool QuickCustomize) {
    if (!Manager.CanCustomize) return nullptr;
    auto& B =
        dxBarUnit().AddInternalItem(dxBarWindowServices().CreateCustomizeCommand(QuickCustomize));
    B.SetBarManager(&Manager);
    B.SetCaption(toolkit::base::cxGetResourceString(dxSBAR_CUSTOMIZE));
    B.SetEnabled(Manager.CustomizingFormHandle == pc::HWND{});
    TdxBarManager* Owner = &Manager;
    B.OnClick = [Owner](pc::TObject*) { Owner->ToolbarsPopupClick(kCustomizeTag); };
    Links.Add(&B)->SetBeginGroup(BeginGroup);
    return &B;
}

} // namespace toolkit::bars
