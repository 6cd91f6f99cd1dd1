#pragma once
// A librarian window that takes drops of library elements: the library, bank and global windows.
// The window a drag started in asks the window under the pointer, once, whether it takes the drag
// there, and hands it the drop; it does not know the target's kind.

#include "platform/forms/controls.h"

#include <optional>
#include <vector>

namespace model {
class TDragInfo;
class TLibElem;
} // namespace model

namespace app {

class TDropTarget {
public:
    virtual ~TDropTarget() = default;

    // Whether the drag that Info describes may drop at Point of this window's grid.
    virtual bool AcceptDrop(const model::TDragInfo& Info, platform::forms::TPoint Point) = 0;
    // The drop at Point of the grid: copies the dragged elements in as this window's list takes
    // them, and gives those it took (a Move removes only those from the source).
    virtual std::vector<model::TLibElem*> TakeDrop(const model::TDragInfo& Info,
                                                   platform::forms::TPoint Point) = 0;
    // Where a source that may move its elements asks Copy or Move, for a drop at Point: a point of
    // the client area of this window; none when a drop here always moves (the trash).
    virtual std::optional<platform::forms::TPoint>
    CopyMoveAt(platform::forms::TPoint Point) const = 0;
};

} // namespace app
