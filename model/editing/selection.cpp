#include "model/editing/selection.h"

#include <algorithm>

namespace model {

void SelectByClick(TElemList& List, int Index, int Mode) {
    const int count = static_cast<int>(List.size());
    if (Index < 0 || Index >= count) return;
    auto at = [&List](int i) -> TLibElem& { return *List[static_cast<std::size_t>(i)]; };
    switch (Mode) {
    case scPlain:
        ClearSelection(List);
        at(Index).Selected = true;
        break;
    case scCtrl:
        at(Index).Selected = !at(Index).Selected;
        break;
    case scShift: {
        int selected = 0, marked = -1;
        for (int i = 0; i < count; ++i)
            if (at(i).Selected) {
                ++selected;
                marked = i;
            }
        if (selected != 1) {
            ClearSelection(List);
            at(Index).Selected = true;
            break;
        }
        for (int i = std::min(marked, Index); i <= std::max(marked, Index); ++i)
            at(i).Selected = true;
        break;
    }
    default:
        break;
    }
}

void ClearSelection(TElemList& List) {
    for (const std::unique_ptr<TLibElem>& elem : List)
        elem->Selected = false;
}

} // namespace model
