#pragma once
// A global window: a global set's user and card banks and its system settings, one row each
// (the card banks only while a data card is installed). Single banks are sent, received,
// loaded, saved and dragged from here into libraries or other globals; a library drops one bank
// or system element onto it. The global's open-editor operation makes it and refreshes it; the
// global's going closes it.

#include "app/entry_list_form.h"
#include "model/elements/global.h"

#include <vector>

namespace app {

namespace forms = platform::forms;

class TFormGlobal : public TEntryListForm {
public:
    // A child of the main window, showing global.
    TFormGlobal(forms::TComponent* owner, model::TGlobal& global);
    ~TFormGlobal() override;

    model::TGlobal& Global() const { return global_; }
    using TEntryListForm::FormElem;

    // Caption: type name, name and the global's location path; repaint.
    void UpDateView();
    // TDropTarget. From a library: exactly one patch, performance or rhythm bank or system; from
    // a global window: always.
    bool AcceptDrop(const model::TDragInfo& Info, forms::TPoint Point) override;
    // Each dragged element replaces the first entry of its type and memory (a system: of its
    // type).
    std::vector<model::TLibElem*> TakeDrop(const model::TDragInfo& Info,
                                           forms::TPoint Point) override;
    // A library's drop asks Copy or Move 40 pixels above the drop.
    std::optional<forms::TPoint> CopyMoveAt(forms::TPoint Point) const override;
    // The entry row Row shows: every entry with a data card installed, else the user banks and
    // the system; -1 past the last row.
    int CalcInd(int Row) const;
    // Rows for the data card setting, and the grid, panel and window sized to them. The window
    // re-lays itself with it when the setting changes.
    void SetDimension();

protected:
    int EntryOfRow(int Row) const override { return CalcInd(Row); }
    void DrawEntry(platform::gdi::TCanvas& Canvas, model::TLibElem& Elem, int Row,
                   int Top) override;
    void BuildDragList(model::TDragInfo& Info) override;

private:
    void FormCreate();

    model::TGlobal& global_;
};

} // namespace app
