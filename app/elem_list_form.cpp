#include "app/elem_list_form.h"

#include "app/form_quintaron.h"
#include "model/editing/drag_info.h"
#include "model/editing/selection.h"
#include "model/preview/preview.h"
#include "platform/forms/place_control.h"
#include "platform/forms/screen.h"

namespace app {

namespace gdi = platform::gdi;

namespace {

template <class T>
T& PlaceAt(forms::TComponent& owner, forms::TWinControl& parent,
           const TElemListForm::TBounds& bounds) {
    return forms::PlaceControl<T>(owner, parent, bounds.left, bounds.top, bounds.width,
                                  bounds.height);
}

} // namespace

TElemListForm::TElemListForm(forms::TComponent* owner, model::TLibElem& List,
                             std::vector<std::unique_ptr<model::TLibElem>>& Elems, bool Library,
                             const TGridLayout& Layout, std::initializer_list<TSection> Sections)
    : TForm(owner, forms::fsMDIChild), Panel(PlaceAt<forms::TPanel>(*this, *this, Layout.panel)),
      DrawGrid(PlaceAt<forms::TDrawGrid>(*this, Panel, Layout.grid)),
      Header(PlaceAt<forms::THeaderControl>(*this, Panel, Layout.header)),
      PopupMenu(Own<TElemPopup>(DrawGrid, Layout.popupDown, [this] { EntryLoaded(); })),
      LoadSysex(PopupMenu.LoadSysex), SaveSysex(PopupMenu.SaveSysex), N1(PopupMenu.N1),
      ImportFrom(PopupMenu.ImportFrom), ExportTo(PopupMenu.ExportTo), N2(PopupMenu.N2),
      Send(PopupMenu.Send), Receive(PopupMenu.Receive), N3(PopupMenu.N3), edit(PopupMenu.edit),
      Print(PopupMenu.Print), Open(PopupMenu.Open), mouse_(DrawGrid), listElem_(List),
      elems_(Elems), showsLibrary_(Library) {
    int width = 0;
    for (const TSection& section : Sections) {
        Header.AddSection(section.text, section.width);
        width += section.width;
    }
    if (Layout.fitsHeader) {
        SetBorderStyle(forms::bsDialog);
        SetBorderIcons(forms::biSystemMenu | forms::biMinimize);
        // The grid is as wide as the header, with room for its frame and the scroll bar.
        Header.SetWidth(width + 20);
        DrawGrid.SetWidth(width + 20);
        Panel.SetWidth(width + 36);
    }
    SetUpElemGrid(DrawGrid);
    DrawGrid.OnDrawCell = [this](forms::TObject*, int, int row, forms::TRect rect,
                                 forms::TGridDrawState) { DrawLine(row, rect); };
    DrawGrid.OnMouseDown = [this](forms::TObject*, forms::TMouseButton button,
                                  forms::TShiftState shift, int x,
                                  int y) { DrawGridMouseDown(button, shift, x, y); };
    DrawGrid.OnMouseUp = [this](forms::TObject*, forms::TMouseButton button,
                                forms::TShiftState shift, int,
                                int) { DrawGridMouseUp(button, shift); };
    DrawGrid.OnDblClick = [this](forms::TObject*) { DrawGridDblClick(); };
    DrawGrid.OnDragOver = [this](forms::TObject*, forms::TObject*, int x, int y,
                                 forms::TDragState state,
                                 bool& accept) { DrawGridDragOver(state, x, y, accept); };
    DrawGrid.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int x, int y) {
        DrawGridEndDrag(target, x, y);
    };
    Panel.OnClick = [this](forms::TObject*) { PanelClick(); };
    Panel.OnDragOver = [](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                          bool& accept) {
        accept = false;
        if (TFormquintaron* main = MainWindow()) main->DragInfo().Accept = false;
    };
}

TElemListForm* DragSourceWindow(const model::TDragInfo& Info) {
    return dynamic_cast<TElemListForm*>(Info.Source);
}

// Rows.

void TElemListForm::DrawLine(int Row, const forms::TRect& Rect) {
    gdi::TCanvas& canvas = DrawGrid.Canvas();
    const int entry = EntryOfRow(Row);
    model::TLibElem* elem = entry < 0 ? nullptr : elems_[static_cast<std::size_t>(entry)].get();
    if (FillElemRow(canvas, Rect.Top, DrawGrid.ClientWidth(), elem))
        DrawEntry(canvas, *elem, Row, Rect.Top);
}

// Mouse.

void TElemListForm::DrawGridMouseDown(forms::TMouseButton Button, forms::TShiftState Shift, int X,
                                      int Y) {
    if (!mouse_.Press(Y)) return;
    const int entry = EntryOfRow(RowAt(Y));
    if (Button == forms::mbLeft) {
        if (entry < 0) return;
        const int mode = TElemGridMouse::ClickMode(Shift);
        mouse_.Select(elems_, entry, mode);
        if (mode != model::scPlain) return;
        if (model::TDragInfo* info = mouse_.StartDrag(this)) BuildDragList(*info);
    } else if (Button == forms::mbRight && (Shift & forms::ssShift) != 0) {
        PreviewEntry(entry);
    } else if (Button == forms::mbRight && entry >= 0) {
        PopupMenu.PopupOn(elems_, entry, X, Y);
    }
}

void TElemListForm::DrawGridMouseUp(forms::TMouseButton Button, forms::TShiftState Shift) {
    // The main window's preview hook usually takes this release first; without it the grid
    // ends the preview that it began.
    if (Button != forms::mbRight || (Shift & forms::ssShift) == 0 ||
        forms::Screen().Cursor() != model::crHelp)
        return;
    if (TFormquintaron* main = MainWindow()) main->TimerPreview.SetEnabled(false);
    model::PreviewNoteOff();
    forms::Screen().SetCursor(forms::crDefault);
}

void TElemListForm::DrawGridDblClick() {
    const int entry = EntryOfRow(RowAt(mouse_.PressY()));
    mouse_.DoubleClick(entry < 0 ? nullptr : elems_[static_cast<std::size_t>(entry)].get());
}

void TElemListForm::PanelClick() {
    model::ClearSelection(elems_);
    DrawGrid.Invalidate();
}

// Drag and drop.

void TElemListForm::DrawGridDragOver(forms::TDragState State, int X, int Y, bool& Accept) {
    TFormquintaron* main = MainWindow();
    Accept = main != nullptr && State != forms::dsDragLeave &&
             AcceptDrop(main->DragInfo(), forms::TPoint{X, Y});
    if (main != nullptr) main->DragInfo().Accept = Accept;
}

void TElemListForm::DrawGridEndDrag(forms::TObject* Target, int X, int Y) {
    TFormquintaron* main = MainWindow();
    if (Target == nullptr || main == nullptr || !main->DragInfo().Accept || main->DoubleClick)
        return;
    model::TDragInfo& info = main->DragInfo();
    info.Target = Target;
    if (Target == &main->TrashPieno || Target == &main->TrashVuoto) {
        DropInBin();
        return;
    }
    // The window under the pointer: the target grid lies on a panel of it.
    auto* grid = dynamic_cast<forms::TControl*>(Target);
    forms::TWinControl* panel = grid != nullptr ? grid->Parent() : nullptr;
    auto* target = dynamic_cast<TDropTarget*>(panel != nullptr ? panel->Parent() : nullptr);
    if (target == nullptr) return;
    const forms::TPoint point{X, Y};
    // Only a library's elements may move; the others are copied at once.
    if (!showsLibrary_) {
        target->TakeDrop(info, point);
        return;
    }
    const std::optional<forms::TPoint> choice = target->CopyMoveAt(point);
    if (!choice) {
        ProcMove(*target, point);
        return;
    }
    main->ShowPopUpCopyMove(
        choice->X, choice->Y, [this, target, point] { ProcMove(*target, point); },
        [target, point] {
            if (TFormquintaron* main = MainWindow()) target->TakeDrop(main->DragInfo(), point);
        });
}

void TElemListForm::ProcMove(TDropTarget& Target, forms::TPoint Point) {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return;
    model::TDragInfo& info = main->DragInfo();
    // What the target refused stays here: a move never loses an element.
    RemoveMoved(Target.TakeDrop(info, Point));
    info.Clear();
}

} // namespace app
