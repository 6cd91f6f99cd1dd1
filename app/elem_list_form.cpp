#include "app/elem_list_form.h"

#include "app/form_library.h"
#include "editors/place_control.h"
#include "model/editing/drag_info.h"
#include "model/editing/selection.h"
#include "model/preview/preview.h"
#include "model/print/print_routines.h"
#include "platform/forms/screen.h"

namespace app {

namespace gdi = platform::gdi;

namespace {

constexpr int PopupDown = 35;

} // namespace

TElemListForm::TElemListForm(forms::TComponent* owner, model::TBank& list,
                             std::function<void()> update, const std::array<TSection, 4>& sections)
    : TForm(owner, forms::fsMDIChild),
      Panel(editors::PlaceControl<forms::TPanel>(*this, *this, 4, 4, 300, 300)),
      DrawGrid(editors::PlaceControl<forms::TDrawGrid>(*this, Panel, 8, 26, 280, 200)),
      Header(editors::PlaceControl<forms::THeaderControl>(*this, Panel, 8, 8, 280, 18)),
      PopupMenu(Own<TElemPopup>(DrawGrid, PopupDown)), LoadSysex(PopupMenu.LoadSysex),
      SaveSysex(PopupMenu.SaveSysex), N1(PopupMenu.N1), ImportFrom(PopupMenu.ImportFrom),
      ExportTo(PopupMenu.ExportTo), N2(PopupMenu.N2), Send(PopupMenu.Send),
      Receive(PopupMenu.Receive), N3(PopupMenu.N3), edit(PopupMenu.edit), Print(PopupMenu.Print),
      Open(PopupMenu.Open), list_(list), view_(*this, std::move(update), true), mouse_(DrawGrid) {
    SetBorderStyle(forms::bsDialog);
    SetBorderIcons(forms::biSystemMenu | forms::biMinimize);
    int width = 0;
    for (const TSection& section : sections) {
        Header.AddSection(section.text, section.width);
        width += section.width;
    }
    // The grid is as wide as the header, with room for its frame and the scroll bar.
    Header.SetWidth(width + 20);
    DrawGrid.SetWidth(width + 20);
    Panel.SetWidth(width + 36);
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
    DrawGrid.OnDragOver = [this](forms::TObject*, forms::TObject*, int, int y,
                                 forms::TDragState state,
                                 bool& accept) { DrawGridDragOver(state, y, accept); };
    DrawGrid.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int, int y) {
        DrawGridEndDrag(target, y);
    };
    Panel.OnClick = [this](forms::TObject*) { PanelClick(); };
    Panel.OnDragOver = [](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                          bool& accept) {
        accept = false;
        if (TFormquintaron* main = MainWindow()) main->DragInfo().Accept = false;
    };

    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { FormClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
}

model::TLibElem* TElemListForm::FormElem() {
    return model::TopOwner(&list_);
}

std::string TElemListForm::ViewCaption() const {
    return list_.GetTypeName() + " " + list_.GetName() + " [Location : " + model::ElemPath(list_) +
           "]";
}

// Rows.

void TElemListForm::DrawLine(int Row, const forms::TRect& Rect) {
    gdi::TCanvas& canvas = DrawGrid.Canvas();
    const int entry = EntryOfRow(Row);
    model::TLibElem* elem = entry < 0 ? nullptr : &list_.Elem(entry);
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
        mouse_.Select(list_.Elems, entry, mode);
        if (mode != model::scPlain) return;
        if (model::TDragInfo* info = mouse_.StartDrag(this)) BuildDragList(*info);
    } else if (Button == forms::mbRight && entry >= 0) {
        if ((Shift & forms::ssShift) != 0) {
            PreviewEntry(entry);
            return;
        }
        PopupMenu.PopupOn(list_.Elems, entry, X, Y);
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
    mouse_.DoubleClick(entry < 0 ? nullptr : &list_.Elem(entry));
}

void TElemListForm::PanelClick() {
    model::ClearSelection(list_.Elems);
    DrawGrid.Invalidate();
}

// Drag and drop.

void TElemListForm::DrawGridDragOver(forms::TDragState State, int Y, bool& Accept) {
    TFormquintaron* main = MainWindow();
    Accept = main != nullptr && State != forms::dsDragLeave && AcceptDrop(main->DragInfo(), Y);
    if (main != nullptr) main->DragInfo().Accept = Accept;
}

void TElemListForm::DrawGridEndDrag(forms::TObject* Target, int Y) {
    TFormquintaron* main = MainWindow();
    if (Target == nullptr || main == nullptr || !main->DragInfo().Accept || main->DoubleClick)
        return;
    main->DragInfo().Target = Target;
    // The target grid lies on a panel of its window.
    auto* grid = dynamic_cast<forms::TControl*>(Target);
    forms::TWinControl* panel = grid != nullptr ? grid->Parent() : nullptr;
    auto* window = dynamic_cast<forms::TCustomForm*>(panel != nullptr ? panel->Parent() : nullptr);
    if (window == nullptr) return;
    if (auto* library = dynamic_cast<TFormLibrary*>(window))
        library->ProcCopy(); // at once: no Copy/Move choice
    else
        DropOnWindow(*window, Y);
}

// Closing.

void TElemListForm::FormClose(forms::TCloseAction& Action) {
    Action = forms::caNone;
    Release();
}

void TElemListForm::FormDestroy() {
    // A bank that is going has let its window go already.
    if (list_.Editor == &view_) {
        list_.SaveEditorPosition();
        list_.Editor = nullptr;
        list_.EditorOpen = false;
    }
    for (const auto& elem : list_.Elems) {
        model::TEditorView* editor = elem->EditorOpen ? elem->Editor : nullptr;
        if (editor == nullptr) continue;
        editor->CloseByOwner();
        elem->Editor = nullptr;
        elem->EditorOpen = false;
    }
}

} // namespace app
