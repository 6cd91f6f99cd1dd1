#pragma once
// What the bank and global windows share: a grid of one bank's entries (a global set's entries
// are its banks and its system), one row each, with the element lists' row pattern, selection,
// element popup and drag start (as the library window has them too), the same drag end, and the
// same close and destroy handling. Each kind says which entry
// a row shows, what a row shows beside its colour, what it builds a drag from, what it accepts
// and how it takes a drop of its own kind.

#include "app/elem_grid_mouse.h"
#include "app/elem_popup.h"
#include "app/elem_rows.h"
#include "app/form_quintaron.h"
#include "editors/elem_window.h"
#include "editors/form_view.h"
#include "model/elements/bank.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/grids.h"
#include "platform/forms/menus.h"

#include <array>
#include <functional>
#include <string>

namespace model {
class TDragInfo;
}

namespace app {

namespace forms = platform::forms;

class TFormLibrary;

class TElemListForm : public forms::TForm, public editors::TElemWindow {
public:
    // editors::TElemWindow: model::TopOwner of the bank shown.
    model::TLibElem* FormElem() override;
    // What the bank knows as its window (its Editor).
    editors::TFormView& View() { return view_; }
    // The popup's subject: the entry of the last right click.
    model::TLibElem* PopupElem() const { return PopupMenu.Subject(); }

    static constexpr int RowHeight = ElemRowHeight;

    forms::TPanel& Panel;
    forms::TDrawGrid& DrawGrid;
    forms::THeaderControl& Header;
    TElemPopup& PopupMenu;
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

protected:
    struct TSection {
        const char* text;
        int width;
    };
    // A dialog-bordered child of the main window on list; update refreshes it for the model.
    TElemListForm(forms::TComponent* owner, model::TBank& list, std::function<void()> update,
                  const std::array<TSection, 4>& sections);

    // The entry a row shows; -1 for none.
    virtual int EntryOfRow(int Row) const = 0;
    // The icon and the texts of an entry's row, over its colour.
    virtual void DrawEntry(platform::gdi::TCanvas& Canvas, model::TLibElem& Elem, int Row,
                           int Top) = 0;
    // The drag list from the selection.
    virtual void BuildDragList(model::TDragInfo& Info) = 0;
    // Whether the drag that Info describes may drop on the row at Y of the grid.
    virtual bool AcceptDrop(model::TDragInfo& Info, int Y) = 0;
    // A drag of this window's entries ended on Target, a window of another kind than a library,
    // at Y of its grid.
    virtual void DropOnWindow(forms::TCustomForm& Target, int Y) = 0;
    // Shift + right button on an entry; none by default.
    virtual void PreviewEntry(int Entry) { (void)Entry; }

    // The row a point of the grid lies in.
    int RowAt(int Y) const { return Y / RowHeight + DrawGrid.TopRow(); }
    // "Type Name [Location : path]".
    std::string ViewCaption() const;

    model::TBank& list_;
    editors::TFormView view_;
    // The grid's presses (a window shown afresh resets it) and the icons of its rows.
    TElemGridMouse mouse_;
    TRowIcons rowIcons_;

private:
    void DrawLine(int Row, const forms::TRect& Rect);
    void DrawGridMouseDown(forms::TMouseButton Button, forms::TShiftState Shift, int X, int Y);
    void DrawGridMouseUp(forms::TMouseButton Button, forms::TShiftState Shift);
    void DrawGridDblClick();
    void DrawGridDragOver(forms::TDragState State, int Y, bool& Accept);
    void DrawGridEndDrag(forms::TObject* Target, int Y);
    void PanelClick();
    void FormClose(forms::TCloseAction& Action);
    void FormDestroy();
};

} // namespace app
