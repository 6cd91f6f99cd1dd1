#pragma once
// A global window: a global set's user and card banks and its system settings, one row each
// (the card banks only while a data card is installed). Single banks are sent, received,
// loaded, saved and dragged from here into libraries or other globals; a library drops one bank
// or system element onto it. The global's open-editor operation makes it and refreshes it; the
// global's going closes it.

#include "editors/elem_window.h"
#include "editors/form_view.h"
#include "model/elements/global.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/grids.h"
#include "platform/forms/menus.h"

#include <vector>

namespace app {

namespace forms = platform::forms;

class TFormGlobal : public forms::TForm, public editors::TElemWindow {
public:
    // A child of the main window, showing global.
    TFormGlobal(forms::TComponent* owner, model::TGlobal& global);
    ~TFormGlobal() override;

    model::TGlobal& Global() const { return global_; }
    model::TLibElem* FormElem() override;
    // What the global knows as its window (its Editor).
    editors::TFormView& View() { return view_; }

    // Caption: type name, name and the global's location path; repaint.
    void UpDateView();
    // The drop's copy into this global: each dragged element replaces the first entry of its
    // type and memory (a system: of its type). Gives the dragged elements it took (a Move removes
    // only those from the source).
    std::vector<model::TLibElem*> ProcCopy();

    forms::TPanel& Panel;
    forms::TDrawGrid& DrawGrid;

private:
    model::TGlobal& global_;
    editors::TFormView view_;
};

} // namespace app
