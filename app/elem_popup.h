#pragma once
// The element popup that the library, bank and global windows share: for the element of the
// last right click, its own file (".Syx", or ".Glb" for a global set), the same with the
// instrument's names (Import/Export, not for rhythm kinds), sending, receiving, the edit dialog,
// printing and its editor. A window may add items of its own after these.

#include "platform/forms/grids.h"
#include "platform/forms/menus.h"

#include <functional>
#include <memory>
#include <vector>

namespace model {
class TLibElem;
}

namespace app {

namespace forms = platform::forms;

class TElemPopup : public forms::TPopupMenu {
public:
    // The popup of Grid's rows, opened at the click's point taken in the client area of the window
    // holding the grid, Down pixels below and 15 right of it (about where the grid was clicked,
    // as the grid lies that far inside); the grid is repainted after what changes the subject,
    // and Loaded runs before that after a load.
    TElemPopup(forms::TComponent* owner, forms::TDrawGrid& Grid, int Down,
               std::function<void()> Loaded = {});

    forms::TMenuItem& LoadSysex;
    forms::TMenuItem& SaveSysex;
    forms::TMenuItem& N1;
    forms::TMenuItem& ImportFrom;
    forms::TMenuItem& ExportTo;
    forms::TMenuItem& N2;
    forms::TMenuItem& Send;
    forms::TMenuItem& Receive;
    forms::TMenuItem& N3;
    forms::TMenuItem& edit;
    forms::TMenuItem& Print;
    forms::TMenuItem& Open;

    // The element of the last right click; none once forgotten.
    model::TLibElem* Subject() const { return subject_; }
    // The subject is going: the items do nothing until the next right click.
    void ForgetSubject() { subject_ = nullptr; }
    // A right click at X, Y of the grid on entry Entry of Elems: the entry alone is selected and
    // shown so, and the popup opens on it; returns once it closed.
    void PopupOn(std::vector<std::unique_ptr<model::TLibElem>>& Elems, int Entry, int X, int Y);

private:
    void PopupMenuPopup();
    void LoadSysexClick();
    void SaveSysexClick();
    // The load or save with the instrument's names rather than the file's.
    void ImportExport(void (TElemPopup::*action)());
    void PrintClick();

    forms::TDrawGrid& grid_;
    int down_;
    std::function<void()> loaded_;
    model::TLibElem* subject_ = nullptr;
};

} // namespace app
