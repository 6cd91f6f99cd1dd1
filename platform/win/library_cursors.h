#pragma once
// The toolkit's own cursors besides panning's: the copy and move drag cursors, the multiple-item
// drag, the no-drop sign, the remove sign, the two splitter cursors, the colour picker's
// pipette and the edit sizing cursor (a bar's edit item made wider or narrower). Drawn by us,
// made once per process and kept for its life.

#include "platform/win/cursors.h"
#include "platform/win/messages.h"

namespace platform::win {

enum class LibraryCursor {
    DragCopy,
    Remove,
    VertSize,
    HorzSize,
    MultiDrag,
    NoDrop,
    Drag,
    ColorPicker,
    EditSizing
};

// 32 x 32. The arrow-based ones have their hot spot at the arrow's tip (0, 0), the splitters
// the no-drop sign and the edit sizing cursor in the middle, the pipette at its tip (bottom left).
HCURSOR LoadLibraryCursor(LibraryCursor kind);
// Where the hot spot of kind lies.
TPoint LibraryCursorHotSpot(LibraryCursor kind);

} // namespace platform::win
