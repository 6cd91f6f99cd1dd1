#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include <algorithm>
#include <vector>

namespace toolkit::bars {

// The entries go in right after the container's link; a container that shows them in place of
// itself has its link taken out of the shown list meanwhile. A customising menu shows the
// containers themselves, so that the user can move them.
void TdxBarSubMenuControl::CreateControls() {
    TdxBarItemLinks* Links = ItemLinks();
    if (Links && !IsCustomizing() && !FExpandingContainers && !FContainerLinksExpanded) {
        FExpandingContainers = true;
        std::vector<TCustomdxBarContainerItem*> Filled;
        for (int I = 0; I < Links->Count(); ++I) {
            TdxBarItemLink* Link = Links->Items(I);
            auto* Container = dynamic_cast<TCustomdxBarContainerItem*>(Link->Item());
            if (Container == nullptr || !Link->CanVisible()) continue;
            const bool First = std::find(Filled.begin(), Filled.end(), Container) == Filled.end();
            if (First) Filled.push_back(Container);
            FExpandedContainerLinks.push_back({I, Container});
            const int Before = Links->Count();
            Container->AddEntries(*Links, I + 1, Link, First);
            if (Container->ExpandsInPlace()) Link->HiddenByContainer = true;
            I += Links->Count() - Before;
        }
        FContainerLinksExpanded = true;
        Links->RefreshVisibleLists();
        FExpandingContainers = false;
    }
    TCustomdxBarControl::CreateControls();
}

void TdxBarSubMenuControl::DestroyControls() {
    TCustomdxBarControl::DestroyControls();
    if (!FContainerLinksExpanded) return;
    FContainerLinksExpanded = false;
    TdxBarItemLinks* Links = ItemLinks();
    FExpandingContainers = true;
    for (auto It = FExpandedContainerLinks.rbegin(); It != FExpandedContainerLinks.rend(); ++It) {
        if (Links) {
            It->Item->RemoveEntries(*Links, It->Index + 1);
            if (TdxBarItemLink* Link = Links->Items(It->Index)) Link->HiddenByContainer = false;
        }
        It->Item->MarkSubMenuClosed();
    }
    FExpandedContainerLinks.clear();
    if (Links) Links->RefreshVisibleLists();
    FExpandingContainers = false;
}

} // namespace toolkit::bars
