#pragma once
// Selection by click in a list of elements (a library's, a bank's), as the librarian windows
// select their rows: a plain click, a Shift click that extends from a single selected entry, a
// Ctrl click that toggles.

#include "model/elements/lib_elem.h"

#include <memory>
#include <vector>

namespace model {

using TElemList = std::vector<std::unique_ptr<TLibElem>>;

// The modes of SelectByClick.
enum TSelectMode { smSingle = 0, smRange = 1, smToggle = 2 };

// smSingle: only Index is selected. smToggle: Index changes. smRange: with nothing selected,
// Index is; with exactly one entry selected, every entry from it to Index inclusive is; with
// more than one, only Index is. An index outside the list changes nothing.
void SelectByClick(TElemList& List, int Index, int Mode);
void ClearSelection(TElemList& List);

} // namespace model
