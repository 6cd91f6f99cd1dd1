#pragma once
// A bank window: one patch, performance or rhythm bank as the fixed list of its numbered
// entries. Entries are selected, auditioned, sent, received, loaded, saved and edited here, and
// dragged into libraries or other banks of the same kind; library windows and banks of the same
// kind drop into it. The bank's open-editor operation makes it and refreshes it; the bank's
// going closes it.

#include "app/entry_list_form.h"
#include "app/form_quintaron.h"
#include "model/elements/bank.h"

#include <vector>

namespace app {

namespace forms = platform::forms;

class TFormBank : public TEntryListForm, public TPreviewGridOwner {
public:
    // A child of the main window, showing bank.
    TFormBank(forms::TComponent* owner, model::TBank& bank);
    ~TFormBank() override;

    model::TBank& Bank() const { return list_; }
    using TEntryListForm::FormElem;

    // Caption: type name, name and the bank's location path; repaint.
    void UpDateView();
    // TDropTarget. From a library: every dragged element of the type of the bank's first entry,
    // no more than the bank has entries; from a bank window: a bank of the same type; and the
    // dragged count fits from the row at the drop point on.
    bool AcceptDrop(const model::TDragInfo& Info, forms::TPoint Point) override;
    // The dragged elements overwrite the entries from the row at Point on, taking their numbers
    // and the bank's memory. Entries of this very bank are copied as they stood before the drop,
    // so overlapping rows shift rather than repeat; a drop on the very rows dragged changes
    // nothing.
    std::vector<model::TLibElem*> TakeDrop(const model::TDragInfo& Info,
                                           forms::TPoint Point) override;
    // A library's drop asks Copy or Move 40 pixels above the drop.
    std::optional<forms::TPoint> CopyMoveAt(forms::TPoint Point) const override;

    // Shift + right button on a patch bank's grid is the grid's own preview.
    bool PreviewGridHit(const forms::TWinControl& under) const override;

protected:
    int EntryOfRow(int Row) const override;
    void DrawEntry(platform::gdi::TCanvas& Canvas, model::TLibElem& Elem, int Row,
                   int Top) override;
    void BuildDragList(model::TDragInfo& Info) override;
    void PreviewEntry(int Entry) override;

private:
    void FormCreate();
    void FormShow();
    void FormResize();
};

} // namespace app
