#include "app/elem_list_form.h"

#include "app/app_images.h"
#include "app/form_edit.h"
#include "app/form_library.h"
#include "editors/place_control.h"
#include "model/editing/drag_info.h"
#include "model/editing/selection.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/preview/preview.h"
#include "model/print/print_routines.h"
#include "model/program/quintaron.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/screen.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"

namespace app {

namespace pc = platform::core;
namespace gdi = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr int PopupRight = 15;
constexpr int PopupDown = 35;

} // namespace

TElemListForm::TElemListForm(forms::TComponent* owner, model::TBank& list,
                             std::function<void()> update, const std::array<TSection, 4>& sections)
    : TForm(owner, forms::fsMDIChild),
      Panel(editors::PlaceControl<forms::TPanel>(*this, *this, 4, 4, 300, 300)),
      DrawGrid(editors::PlaceControl<forms::TDrawGrid>(*this, Panel, 8, 26, 280, 200)),
      Header(editors::PlaceControl<forms::THeaderControl>(*this, Panel, 8, 8, 280, 18)),
      PopupMenu(Own<forms::TPopupMenu>()), LoadSysex(PopupMenu.Items().Add("Load SysEx")),
      SaveSysex(PopupMenu.Items().Add("Save SysEx")), N1(PopupMenu.Items().Add("-")),
      ImportFrom(PopupMenu.Items().Add("Import From")),
      ExportTo(PopupMenu.Items().Add("Export To")), N2(PopupMenu.Items().Add("-")),
      Send(PopupMenu.Items().Add("Send")), Receive(PopupMenu.Items().Add("Receive")),
      N3(PopupMenu.Items().Add("-")), edit(PopupMenu.Items().Add("Edit")),
      Print(PopupMenu.Items().Add("Print")), Open(PopupMenu.Items().Add("Open")), list_(list),
      view_(*this, std::move(update), true) {
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
    DrawGrid.SetColCount(1);
    DrawGrid.SetFixedCols(0);
    DrawGrid.SetFixedRows(0);
    DrawGrid.SetGridLineWidth(0);
    DrawGrid.SetOptions(0);
    DrawGrid.SetDefaultRowHeight(RowHeight);
    DrawGrid.DefaultDrawing = false;
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

    PopupMenu.OnPopup = [this](forms::TObject*) { PopupMenuPopup(); };
    LoadSysex.OnClick = [this](forms::TObject*) { LoadSysexClick(); };
    SaveSysex.OnClick = [this](forms::TObject*) { SaveSysexClick(); };
    ImportFrom.OnClick = [this](forms::TObject*) { ImportExport(&TElemListForm::LoadSysexClick); };
    ExportTo.OnClick = [this](forms::TObject*) { ImportExport(&TElemListForm::SaveSysexClick); };
    Send.OnClick = [this](forms::TObject*) {
        if (popupElem_ != nullptr) popupElem_->Transmit(false);
    };
    Receive.OnClick = [this](forms::TObject*) {
        if (popupElem_ == nullptr) return;
        popupElem_->Receive(false);
        DrawGrid.Invalidate();
    };
    edit.OnClick = [this](forms::TObject*) {
        if (popupElem_ == nullptr) return;
        EditElement(*popupElem_);
        DrawGrid.Invalidate();
    };
    Print.OnClick = [this](forms::TObject*) { PrintClick(); };
    Open.OnClick = [this](forms::TObject*) {
        if (popupElem_ != nullptr) popupElem_->OpenEditor();
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

void TElemListForm::DrawIcon(gdi::TCanvas& Canvas, std::int16_t Type, int Left, int Top) {
    if (Type < 0 || Type >= static_cast<int>(icons_.size())) return;
    std::unique_ptr<forms::TBitmap>& icon = icons_[static_cast<std::size_t>(Type)];
    if (icon == nullptr) {
        // The picture on white: merge-copy leaves its background in the row's colour.
        icon = std::make_unique<forms::TBitmap>();
        DrawElemIcon(*icon, Type);
        for (int y = 0; y < icon->Height(); ++y)
            for (int x = 0; x < icon->Width(); ++x)
                if (icon->Canvas().Pixel(x, y) == ImageBackground)
                    icon->Canvas().SetPixel(x, y, gdi::clWhite);
    }
    const forms::TRect source{0, 0, icon->Width(), icon->Height()};
    const forms::TRect dest{Left, Top, Left + icon->Width(), Top + icon->Height()};
    Canvas.SetCopyMode(gdi::MERGECOPY);
    Canvas.CopyRect(dest, icon->Canvas(), source);
    Canvas.SetCopyMode(gdi::SRCCOPY);
}

void TElemListForm::DrawLine(int Row, const forms::TRect& Rect) {
    gdi::TCanvas& canvas = DrawGrid.Canvas();
    const int entry = EntryOfRow(Row);
    const forms::TRect row{0, Rect.Top, DrawGrid.ClientWidth(), Rect.Top + RowHeight};
    if (entry < 0) {
        canvas.Brush().SetColor(gdi::clWhite);
        canvas.FillRect(row);
        return;
    }
    model::TLibElem& elem = list_.Elem(entry);
    if (elem.Selected) {
        canvas.Brush().SetColor(gdi::clAqua);
        canvas.Pen().SetColor(gdi::clAqua);
    } else {
        canvas.Brush().SetColor(gdi::clWhite);
    }
    canvas.FillRect(row);
    canvas.Pen().SetColor(gdi::clBlack);
    DrawEntry(canvas, elem, Row, Rect.Top);
}

// Mouse.

void TElemListForm::DrawGridMouseDown(forms::TMouseButton Button, forms::TShiftState Shift, int X,
                                      int Y) {
    if (doubleClick_) {
        doubleClick_ = false;
        return;
    }
    mouseY_ = Y;
    const int entry = EntryOfRow(RowAt(Y));
    TFormquintaron* main = MainWindow();
    if (Button == forms::mbLeft) {
        if (entry < 0) return;
        const int mode = (Shift & forms::ssShift) != 0  ? model::scShift
                         : (Shift & forms::ssCtrl) != 0 ? model::scCtrl
                                                        : model::scPlain;
        if (!list_.Elem(entry).Selected) {
            model::SelectByClick(list_.Elems, entry, mode);
            DrawGrid.Invalidate();
        }
        if (mode != model::scPlain || main == nullptr) return;
        main->DoubleClick = false;
        DrawGrid.BeginDrag(false, -1);
        model::TDragInfo& info = main->DragInfo();
        info.Accept = false;
        info.Source = this;
        BuildDragList(info);
    } else if (Button == forms::mbRight && entry >= 0) {
        if ((Shift & forms::ssShift) != 0) {
            PreviewEntry(entry);
            return;
        }
        model::SelectByClick(list_.Elems, entry, model::scPlain);
        DrawGrid.Repaint();
        popupElem_ = &list_.Elem(entry);
        const forms::TPoint point = DrawGrid.ClientToScreen({X, Y});
        PopupMenu.SetPopupComponent(&DrawGrid);
        PopupMenu.Popup(point.X + PopupRight, point.Y + PopupDown);
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
    if (TFormquintaron* main = MainWindow()) main->DoubleClick = true;
    doubleClick_ = true;
    const int entry = EntryOfRow(RowAt(mouseY_));
    if (entry >= 0) list_.Elem(entry).OpenEditor();
    // The pending drag ends with the button's release.
    if (DrawGrid.HandleAllocated()) pc::PostMessage(DrawGrid.Handle(), pw::WM_LBUTTONUP, 0, 0);
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

// The element popup.

void TElemListForm::PopupMenuPopup() {
    if (popupElem_ == nullptr) return;
    ImportFrom.Enabled =
        popupElem_->Type != model::etRhythm && popupElem_->Type != model::etRhythmBank;
    ExportTo.Enabled = ImportFrom.Enabled;
}

void TElemListForm::LoadSysexClick() {
    if (popupElem_ == nullptr) return;
    popupElem_->LoadSysExFile();
    DrawGrid.Invalidate();
}

void TElemListForm::SaveSysexClick() {
    if (popupElem_ != nullptr) popupElem_->SaveSysExFile(true);
}

void TElemListForm::ImportExport(void (TElemListForm::*action)()) {
    model::TQuintaron* state = model::AppState();
    state->ImportExportMode = true;
    try {
        (this->*action)();
    } catch (...) {
        state->ImportExportMode = false;
        throw;
    }
    state->ImportExportMode = false;
}

void TElemListForm::PrintClick() {
    if (popupElem_ == nullptr) return;
    model::PrintBegin();
    int y = model::PrintPageTop;
    popupElem_->Print(y, false);
    model::PrintEnd();
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
