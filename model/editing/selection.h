#pragma once
// Selection in a list of elements (a library's or a bank's) as the librarian's grids change it
// on a click: plain, with Shift, with Ctrl.

#include "model/elements/lib_elem.h"

#include <memory>
#include <vector>

namespace model {

using TElemList = std::vector<std::unique_ptr<TLibElem>>;

// The modes of SelectByClick.
inline constexpr int scPlain = 0;
inline constexpr int scShift = 1;
inline constexpr int scCtrl = 2;

// A click on entry Index. Plain: only Index is selected. Ctrl: Index toggles. Shift: with
// nothing selected, Index is; with exactly one entry selected, every entry from it to Index
// inclusive is; with more than one, only Index is. An index outside the list, or another mode,
// changes nothing.
void SelectByClick(TElemList& List, int Index, int Mode);
void ClearSelection(TElemList& List);

} // namespace model
