#pragma once
// A bank window: one patch, performance or rhythm bank as the fixed list of its numbered
// entries. Entries are selected, auditioned, sent, received, loaded, saved and edited here, and
// dragged into libraries or other banks of the same kind; library windows and banks of the same
// kind drop into it. The bank's open-editor operation makes it and refreshes it; the bank's
// going closes it.

#include "app/form_quintaron.h"
#include "editors/elem_window.h"
#include "editors/form_view.h"
#include "model/elements/bank.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/grids.h"
#include "platform/forms/menus.h"

#include <vector>

namespace app {

namespace forms = platform::forms;

class TFormBank : public forms::TForm, public editors::TElemWindow, public TPreviewGridOwner {
public:
    // A child of the main window, showing bank.
    TFormBank(forms::TComponent* owner, model::TBank& bank);
    ~TFormBank() override;

    model::TBank& Bank() const { return bank_; }
    model::TLibElem* FormElem() override;
    // What the bank knows as its window (its Editor).
    editors::TFormView& View() { return view_; }

    // Caption: type name, name and the bank's location path; repaint.
    void UpDateView();
    // The drop's copy into this bank: the dragged elements overwrite the entries from DropRow on,
    // taking their numbers and the bank's memory. Gives the dragged elements it took (a Move
    // removes only those from the source).
    std::vector<model::TLibElem*> ProcCopy();
    // The first entry a drop overwrites; a library window's drop sets it from its drop point.
    int DropRow = 0;

    forms::TPanel& Panel;
    forms::TDrawGrid& DrawGrid;

private:
    model::TBank& bank_;
    editors::TFormView view_;
};

} // namespace app
