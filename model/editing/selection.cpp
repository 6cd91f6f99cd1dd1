#include "model/editing/selection.h"

#include <algorithm>

namespace model {

void ClearSelection(TElemList& List) {
    for (auto& elem : List)
        elem->Selected = false;
}

void SelectByClick(TElemList& List, int Index, int Mode) {
    if (Index < 0 || Index >= static_cast<int>(List.size())) return;
    TLibElem& clicked = *List[static_cast<std::size_t>(Index)];
    switch (Mode) {
    case smToggle:
        clicked.Selected = !clicked.Selected;
        return;
    case smRange: {
        int count = 0;
        int single = -1;
        for (int i = 0; i < static_cast<int>(List.size()); ++i)
            if (List[static_cast<std::size_t>(i)]->Selected) {
                ++count;
                single = i;
            }
        if (count == 1) {
            for (int i = std::min(single, Index); i <= std::max(single, Index); ++i)
                List[static_cast<std::size_t>(i)]->Selected = true;
            return;
        }
        break;
    }
    default:
        break;
    }
    ClearSelection(List);
    clicked.Selected = true;
}

} // namespace model
