#pragma once
// What the element lists' grids (the library, bank and global windows) do alike with the left
// button: a click selects by its mode unless the entry is selected already, a plain click starts
// a drag once the pointer moves past the threshold, and a double click opens the entry's editor
// and swallows the press that follows it.

#include "platform/forms/controls.h"
#include "platform/forms/grids.h"

#include <memory>
#include <vector>

namespace model {
class TDragInfo;
class TLibElem;
} // namespace model

namespace app {

namespace forms = platform::forms;

class TElemGridMouse {
public:
    explicit TElemGridMouse(forms::TDrawGrid& Grid) : grid_(Grid) {}

    // A press at Y of the grid: false for the press that a double click leaves behind, which
    // counts for nothing; otherwise its Y is kept.
    bool Press(int Y);
    // The Y of the last press that counted.
    int PressY() const { return pressY_; }
    // The window shows afresh: no double click is pending.
    void Reset() { doubleClick_ = false; }

    // The SelectByClick mode of a left click: Shift, else Ctrl, else plain.
    static int ClickMode(forms::TShiftState Shift);
    // A left click of Mode on entry Entry of Elems; an entry selected already stays as it is.
    void Select(std::vector<std::unique_ptr<model::TLibElem>>& Elems, int Entry, int Mode);
    // After a plain click: the drag of the grid begins, and the main window's drag information,
    // cleared of its accept and with Source as its source, is given for its list; none without a
    // main window (then no drag begins).
    model::TDragInfo* StartDrag(forms::TObject* Source);
    // A double click on Elem (none for an empty row): marks it, here and in the main window,
    // opens the element's editor and ends the pending drag.
    void DoubleClick(model::TLibElem* Elem);

private:
    forms::TDrawGrid& grid_;
    bool doubleClick_ = false;
    int pressY_ = 0;
};

} // namespace app
