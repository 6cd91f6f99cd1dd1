#pragma once
// A bank window: one patch, performance or rhythm bank as the fixed list of its numbered
// entries. Entries are selected, auditioned, sent, received, loaded, saved and edited here, and
// dragged into libraries or other banks of the same kind; library windows and banks of the same
// kind drop into it. The bank's open-editor operation makes it and refreshes it; the bank's
// going closes it.

#include "app/elem_list_form.h"
#include "app/form_quintaron.h"
#include "model/elements/bank.h"

#include <vector>

namespace app {

namespace forms = platform::forms;

class TFormBank : public TElemListForm, public TPreviewGridOwner {
public:
    // A child of the main window, showing bank.
    TFormBank(forms::TComponent* owner, model::TBank& bank);
    ~TFormBank() override;

    model::TBank& Bank() const { return list_; }
    using TElemListForm::FormElem;

    // Caption: type name, name and the bank's location path; repaint.
    void UpDateView();
    // The drop's copy into this bank: the dragged elements overwrite the entries from DropRow on,
    // taking their numbers and the bank's memory. Entries of this very bank are copied as they
    // stood before the drop, so overlapping rows shift rather than repeat; a drop on the very
    // rows dragged changes nothing. Gives the dragged elements it took (a Move removes only those
    // from the source).
    std::vector<model::TLibElem*> ProcCopy();
    // The first entry a drop overwrites; a library window's drop sets it from its drop point.
    int DropRow = 0;

    // Shift + right button on a patch bank's grid is the grid's own preview.
    bool PreviewGridHit(const forms::TWinControl& under) const override;

protected:
    int EntryOfRow(int Row) const override;
    void DrawEntry(platform::gdi::TCanvas& Canvas, model::TLibElem& Elem, int Row,
                   int Top) override;
    void BuildDragList(model::TDragInfo& Info) override;
    bool AcceptDrop(model::TDragInfo& Info, int Y) override;
    void DropOnWindow(forms::TCustomForm& Target, int Y) override;
    void PreviewEntry(int Entry) override;

private:
    void FormCreate();
    void FormShow();
    void FormResize();
};

} // namespace app
