#pragma once
// What the library, bank and global windows share: a grid of a list of elements (a library's
// elements, a bank's entries, a global set's banks and its system), one row each, with the element
// lists' row pattern, the click selection, the element popup, Shift with the right button as the
// preview, the double click, the drag start and the drag's end. Each kind says which element a
// row shows, what a row shows beside its colour, what it builds a drag from and, as a drop target,
// what it accepts and how it takes a drop.

#include "app/drop_target.h"
#include "app/elem_grid_mouse.h"
#include "app/elem_popup.h"
#include "app/elem_rows.h"
#include "editors/elem_window.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/grids.h"
#include "platform/forms/menus.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace model {
class TDragInfo;
class TLibElem;
} // namespace model

namespace app {

namespace forms = platform::forms;

class TElemListForm : public forms::TForm, public editors::TElemWindow, public TDropTarget {
public:
    // A section of the grid's header: its text and width.
    struct TSection {
        const char* text;
        int width;
    };
    struct TBounds {
        int left;
        int top;
        int width;
        int height;
    };
    // The bounds of the grid's panel on the window, of the grid and of its header on the panel;
    // how far below the click the popup opens; whether the window is a dialog-bordered one as
    // wide as its header (the bank and global windows) rather than sizeable.
    struct TGridLayout {
        TBounds panel;
        TBounds grid;
        TBounds header;
        int popupDown;
        bool fitsHeader;
    };
    // The popup's subject: the element of the last right click.
    model::TLibElem* PopupElem() const { return PopupMenu.Subject(); }
    // The element list shown (a library, a bank or a global set), as a drop's source sees it.
    model::TLibElem& ListElem() const { return listElem_; }
    // Whether the list shown is a library (the trash included), whose drags may move.
    bool ShowsLibrary() const { return showsLibrary_; }

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
    // A child of the main window on List, whose elements are Elems; Library: the list is a
    // library. The header carries Sections.
    TElemListForm(forms::TComponent* owner, model::TLibElem& List,
                  std::vector<std::unique_ptr<model::TLibElem>>& Elems, bool Library,
                  const TGridLayout& Layout, std::initializer_list<TSection> Sections);

    // The list index of the element that row Row shows; -1 for none.
    virtual int EntryOfRow(int Row) const = 0;
    // The icon and the texts of an element's row, over its colour.
    virtual void DrawEntry(platform::gdi::TCanvas& Canvas, model::TLibElem& Elem, int Row,
                           int Top) = 0;
    // The drag list from the selection.
    virtual void BuildDragList(model::TDragInfo& Info) = 0;
    // Shift + right button on a row: the entry, or -1 for none; nothing by default.
    virtual void PreviewEntry(int Entry) { (void)Entry; }
    // After the popup loaded an element from its file; nothing by default.
    virtual void EntryLoaded() {}
    // A drag of this window's elements ended on one of the main window's bins; nothing by default
    // (the bins take only a library's drags).
    virtual void DropInBin() {}
    // A Move took these of this window's elements into its target: they go from here.
    virtual void RemoveMoved(const std::vector<model::TLibElem*>& Taken) { (void)Taken; }

    // The row a point of the grid lies in.
    int RowAt(int Y) const { return Y / RowHeight + DrawGrid.TopRow(); }

    // The grid's presses (a window shown afresh resets it) and the icons of its rows.
    TElemGridMouse mouse_;
    TRowIcons rowIcons_;

private:
    void DrawLine(int Row, const forms::TRect& Rect);
    void DrawGridMouseDown(forms::TMouseButton Button, forms::TShiftState Shift, int X, int Y);
    void DrawGridMouseUp(forms::TMouseButton Button, forms::TShiftState Shift);
    void DrawGridDblClick();
    void DrawGridDragOver(forms::TDragState State, int X, int Y, bool& Accept);
    void DrawGridEndDrag(forms::TObject* Target, int X, int Y);
    void PanelClick();
    // The drop's move (ProcMove): Target takes the dragged elements at Point, and those it took go
    // from here; the drag list is cleared, for it named elements that are gone.
    void ProcMove(TDropTarget& Target, forms::TPoint Point);

    model::TLibElem& listElem_;
    std::vector<std::unique_ptr<model::TLibElem>>& elems_;
    bool showsLibrary_;
};

// The list window a drag started in; none for a drag of something else.
TElemListForm* DragSourceWindow(const model::TDragInfo& Info);

} // namespace app
