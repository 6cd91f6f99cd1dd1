#include "app/form_library.h"

#include "app/app_images.h"
#include "app/form_bank.h"
#include "app/form_comment.h"
#include "app/form_global.h"
#include "app/form_morph.h"
#include "app/form_quintaron.h"
#include "app/form_random.h"
#include "app/form_search.h"
#include "editors/place_child_form.h"
#include "editors/place_control.h"
#include "model/editing/drag_info.h"
#include "model/editing/selection.h"
#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/preview/preview.h"
#include "model/print/print_routines.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "model/transfer/transfer_window.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"

#include <algorithm>

namespace app {

namespace pc = platform::core;
namespace gdi = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr int HelpLibrary = 23;
constexpr int HelpTrash = 63;
constexpr int DefaultWidth = 583;
constexpr int DefaultHeight = 420;
constexpr int MinHeight = 240;
// The saved size FFFFh: the window was never sized.
constexpr std::int16_t NeverSized = -1;
constexpr int ButtonSize = 28;
// The column of the New and Mask buttons, right of the grid.
constexpr int SideLeft = 462;
constexpr int SideWidth = 92;
constexpr int SideButtonHeight = 22;
constexpr int PopupDown = 60;

const char* const MorphError = "You Must Select two Patch.";
const char* const RandomError = "You Must Select One Patch Bank.";

void EnableMainMenus() {
    if (TFormquintaron* main = MainWindow()) main->EnableMenuItems();
}

// The window that holds a drop's target grid: the grid's grandparent.
forms::TWinControl* DropWindow(pc::TObject* target) {
    auto* grid = dynamic_cast<forms::TControl*>(target);
    if (grid == nullptr || grid->Parent() == nullptr) return nullptr;
    return grid->Parent()->Parent();
}

// A refusal that the drag's accept flag records as well.
void RefuseDrop(bool& Accept) {
    Accept = false;
    if (TFormquintaron* main = MainWindow()) main->DragInfo().Accept = false;
}

} // namespace

TLibraryView::TLibraryView(TFormLibrary& window)
    : editors::TFormView(
          window,
          [&window] {
              // The caption carries the library's file name, which a save under a new name
              // changes.
              window.Updateview();
              window.Invalidate();
          },
          true),
      window_(window) {}

void TLibraryView::CloseByOwner() {
    window_.libraryGone_ = true;
    editors::TFormView::CloseByOwner();
}

TFormLibrary::TFormLibrary(forms::TComponent* owner, bool trashMode)
    : TForm(owner, forms::fsMDIChild), Panel(editors::PlaceControl<forms::TPanel>(
                                           *this, *this, 4, 4, SideLeft + SideWidth + 6, 380)),
      DrawGrid(editors::PlaceControl<forms::TDrawGrid>(*this, Panel, 8, 60, 450, 200)),
      BevelNew(editors::PlaceControl<forms::TBevel>(*this, Panel, SideLeft, 58, SideWidth, 92)),
      LabelNew(editors::PlaceControl<forms::TLabel>(*this, Panel, SideLeft + 2, 42, 40, 14, "New")),
      Speedcomment(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 40, 6, ButtonSize, ButtonSize)),
      SpeedPrint(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 72, 6, ButtonSize, ButtonSize)),
      SpeedDelete(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 104, 6, ButtonSize, ButtonSize)),
      NewPatch(editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 62, 36, 22)),
      NewPerformance(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 84, 36, 22)),
      NewRhythm(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 106, 36, 22)),
      NewSystem(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 128, 36, 22)),
      Header(editors::PlaceControl<forms::THeaderControl>(*this, Panel, 8, 42, 450, 18)),
      Bevelmask(editors::PlaceControl<forms::TBevel>(*this, Panel, SideLeft, 174, SideWidth, 96)),
      Labelmask(
          editors::PlaceControl<forms::TLabel>(*this, Panel, SideLeft + 2, 154, 40, 14, "Mask")),
      SpeedSearch(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 216, 6, ButtonSize, ButtonSize)),
      btnClose(editors::PlaceControl<forms::TBitBtn>(*this, Panel, SideLeft, 300, SideWidth, 30,
                                                     "&Close")),
      BevelSort(editors::PlaceControl<forms::TBevel>(*this, Panel, 8, 300, 200, 36)),
      SpeedType(editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 14, 307, 60, 22, "Type")),
      SpeedName(editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 76, 307, 60, 22, "Name")),
      SpeedDate(editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 138, 307, 60, 22, "Date")),
      Labelsort(editors::PlaceControl<forms::TLabel>(*this, Panel, 10, 284, 40, 14, "Sort By")),
      SpeedNuovo(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 8, 6, ButtonSize, ButtonSize)),
      speedtransmet(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 144, 6, ButtonSize, ButtonSize)),
      speedreceive(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 176, 6, ButtonSize, ButtonSize)),
      SpeedHelp(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 438, 6, ButtonSize, ButtonSize)),
      Speeddebug(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 248, 6, ButtonSize, ButtonSize)),
      NewPatchBank(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 62, 40, 22)),
      NewPerformanceBank(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 84, 40, 22)),
      NewRhythmBank(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 106, 40, 22)),
      Newglobal(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 128, 40, 22)),
      SpeedPatch(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 180, 36, 22)),
      SpeedPatchBank(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 180, 40, 22)),
      speedPerformance(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 201, 36, 22)),
      speedPerformancebank(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 201, 40, 22)),
      SpeedRhythm(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 222, 36, 22)),
      speedRhythmbank(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 222, 40, 22)),
      Speedsystem(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 6, 243, 36, 22)),
      PopupMenu(Own<TElemPopup>(DrawGrid, PopupDown, [this] { SortElem(); })),
      LoadSysex(PopupMenu.LoadSysex), SaveSysex(PopupMenu.SaveSysex), N1(PopupMenu.N1),
      ImportFrom(PopupMenu.ImportFrom), ExportTo(PopupMenu.ExportTo), N2(PopupMenu.N2),
      Send(PopupMenu.Send), Receive(PopupMenu.Receive), N3(PopupMenu.N3), edit(PopupMenu.edit),
      Print(PopupMenu.Print), Open(PopupMenu.Open), N4(PopupMenu.Items().Add("-")),
      Delete(PopupMenu.Items().Add("Delete")),
      speedMorph(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 288, 6, ButtonSize, ButtonSize)),
      BtnUnmask(editors::PlaceControl<forms::TButton>(*this, Panel, SideLeft, 276, SideWidth, 22,
                                                      "Unmask All")),
      BtnEmpty(editors::PlaceControl<forms::TButton>(*this, Panel, SideLeft, 160, SideWidth, 22,
                                                     "Empty")),
      RandomBtn(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, 320, 6, ButtonSize, ButtonSize)),
      speedGlobal(
          editors::PlaceControl<forms::TSpeedButton>(*this, Panel, SideLeft + 46, 243, 40, 22)),
      library_(*model::AppState()->CurrentLibrary), trashMode_(trashMode), view_(*this) {
    if (!trashMode_) owned_.reset(&library_);
    Name = "FormLibrary";
    ShowHint = true;
    KeyPreview = true;
    SetBounds(0, 0, DefaultWidth, DefaultHeight);

    Speedcomment.Hint = "Comment";
    SpeedPrint.Hint = "Print Selected";
    SpeedDelete.Hint = "Delete Selected";
    NewPatch.Hint = "New Patch";
    NewPerformance.Hint = "New Performance";
    NewRhythm.Hint = "New Rhythm";
    NewSystem.Hint = "New System";
    SpeedSearch.Hint = "Search";
    btnClose.Hint = "Close This Library";
    SpeedType.Hint = "Sort By Type";
    SpeedName.Hint = "Sort By Name";
    SpeedDate.Hint = "Sort By Modified Date";
    SpeedNuovo.Hint = "New";
    speedtransmet.Hint = "Send Selected";
    speedreceive.Hint = "Receive Selected";
    SpeedHelp.Hint = "Help";
    Speeddebug.Hint = "Find Duplicate";
    NewPatchBank.Hint = "New Patch Bank";
    NewPerformanceBank.Hint = "New Performance Bank";
    NewRhythmBank.Hint = "New Rhythm Bank";
    Newglobal.Hint = "New Global";
    SpeedPatch.Hint = "Mask Patch";
    SpeedPatchBank.Hint = "Mask Patch Bank";
    speedPerformance.Hint = "Mask Performance";
    speedPerformancebank.Hint = "Mask Performance Bank";
    SpeedRhythm.Hint = "Mask Rhythm";
    speedRhythmbank.Hint = "Mask Rhythm Bank";
    Speedsystem.Hint = "Mask System";
    speedMorph.Hint = "Patch Morphing";
    BtnUnmask.Hint = "Unmask All";
    BtnEmpty.Hint = "Empty";
    RandomBtn.Hint = "Patch Bank Random";
    speedGlobal.Hint = "Mask Global";

    for (const char* text : {"    Type", "    Name", "    Src/Dst", "    Modified Date"})
        Header.AddSection(text, 100);
    SetUpElemGrid(DrawGrid);
    DrawGrid.SetScrollBars(forms::ssVertical);
    DrawGrid.OnDrawCell = [this](forms::TObject*, int, int row, forms::TRect rect,
                                 forms::TGridDrawState) { DrawLine(row, rect); };
    DrawGrid.OnMouseDown = [this](forms::TObject*, forms::TMouseButton button,
                                  forms::TShiftState shift, int x,
                                  int y) { DrawGridMouseDown(button, shift, x, y); };
    DrawGrid.OnDblClick = [this](forms::TObject*) { DrawGridDblClick(); };
    DrawGrid.OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                                 bool& accept) { accept = DrawGridDragOver(); };
    DrawGrid.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int x, int y) {
        DrawGridEndDrag(target, x, y);
    };
    Panel.OnClick = [this](forms::TObject*) { PanelClick(); };
    Panel.OnDragOver = [](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                          bool& accept) { RefuseDrop(accept); };
    OnDragOver = Panel.OnDragOver;

    // At most one sort button is down, and all may be up; each mask button stands alone.
    for (forms::TSpeedButton* sort : {&SpeedType, &SpeedName, &SpeedDate}) {
        sort->SetGroupIndex(1);
        sort->SetAllowAllUp(true);
        sort->OnClick = [this](forms::TObject*) {
            SortElem();
            DrawGrid.Invalidate();
        };
    }
    maskButtons_ = {&SpeedPatch,  &SpeedPatchBank,  &speedPerformance, &speedPerformancebank,
                    &SpeedRhythm, &speedRhythmbank, &Speedsystem,      &speedGlobal};
    newButtons_ = {&NewPatch,  &NewPatchBank,  &NewPerformance, &NewPerformanceBank,
                   &NewRhythm, &NewRhythmBank, &NewSystem,      &Newglobal};
    for (int type = 0; type < 8; ++type) {
        maskButtons_[type]->SetGroupIndex(2 + type);
        maskButtons_[type]->SetAllowAllUp(true);
        maskButtons_[type]->OnClick = [this](forms::TObject*) { RefreshList(false, false); };
        newButtons_[type]->OnClick = [this, type](forms::TObject*) { New(type); };
    }
    DrawGlyphs();

    SpeedDelete.OnClick = [this](forms::TObject*) { SpeedDeleteClick(); };
    SpeedNuovo.OnClick = [this](forms::TObject*) { EmptyClick(); };
    BtnEmpty.OnClick = [this](forms::TObject*) { EmptyClick(); };
    BtnUnmask.OnClick = [this](forms::TObject*) { UnmaskClick(); };
    speedtransmet.OnClick = [this](forms::TObject*) { TransmetClick(); };
    speedreceive.OnClick = [this](forms::TObject*) { ReceiveClick(); };
    SpeedPrint.OnClick = [this](forms::TObject*) { PrintClick(); };
    speedMorph.OnClick = [this](forms::TObject*) { MorphClick(); };
    RandomBtn.OnClick = [this](forms::TObject*) { RandomClick(); };
    btnClose.OnClick = [this](forms::TObject*) { Close(); };
    SpeedHelp.OnClick = [this](forms::TObject*) { HelpClick(); };
    Speedcomment.OnClick = [this](forms::TObject*) {
        // Only a change the dialog reports makes a saved library unsaved; no date is stamped.
        const bool changed = EditComment(library_.Comment);
        library_.Saved = library_.Saved && !changed;
        if (TFormquintaron* main = MainWindow()) main->EnableMenuItems();
    };
    SpeedSearch.OnClick = [this](forms::TObject*) { SearchLibrary(library_, false); };
    Speeddebug.OnClick = [this](forms::TObject*) { SearchLibrary(library_, true); };

    Delete.OnClick = [this](forms::TObject*) { DeleteClick(); };

    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnResize = [this](forms::TObject* sender) { FormResize(sender); };
    OnKeyDown = [this](forms::TObject* sender, forms::WORD& key, forms::TShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
}

TFormLibrary::~TFormLibrary() {
    // The window goes before its library (at the program's end): the library must not close it
    // a second time.
    Detach();
    owned_.reset();
}

void TFormLibrary::Detach() {
    // A library that went (with the close handling, or the trash at the program's end) is not
    // there to ask.
    if (libraryGone_ || (!trashMode_ && !owned_)) return;
    if (library_.Editor == &view_) {
        library_.Editor = nullptr;
        library_.EditorOpen = false;
    }
}

void TFormLibrary::FormCreate(forms::TObject*) {
    HelpContext = HelpLibrary;
    library_.Editor = &view_;
    library_.EditorOpen = true;
    DrawGrid.SetRowCount(MaxVis() + 1);
    if (library_.Height != NeverSized) SetHeight(library_.Height);
    if (library_.Width != NeverSized) SetWidth(library_.Width);
    // The library keeps the place its window was given, so that closing an unmoved window of a
    // library never placed does not count as a change.
    auto left = static_cast<std::uint16_t>(library_.EditorLeft);
    auto top = static_cast<std::uint16_t>(library_.EditorTop);
    editors::PlaceChildForm(left, top, *this);
    library_.EditorLeft = static_cast<std::int16_t>(left);
    library_.EditorTop = static_cast<std::int16_t>(top);
    DrawGrid.SetDefaultColWidth(DrawGrid.ClientWidth());
    const int widths[] = {152, 110, 70, 90};
    for (int i = 0; i < 4; ++i)
        Header.SetSectionWidth(i, widths[i]);
}

void TFormLibrary::FormShow(forms::TObject*) {
    mouse_.Reset();
    Updateview();
}

void TFormLibrary::Updateview() {
    SetCaption(trashMode_ ? "Trash Library" : "Library : " + library_.GetName());
}

void TFormLibrary::DisableVisible() {
    const bool normal = !trashMode_;
    for (forms::TControl* control : std::initializer_list<forms::TControl*>{
             &SpeedNuovo, &Speedcomment, &SpeedPrint, &speedtransmet, &speedreceive, &speedMorph,
             &SpeedSearch, &Speeddebug, &SpeedDelete, &LabelNew, &BevelNew, &RandomBtn})
        control->SetVisible(normal);
    for (forms::TSpeedButton* button : newButtons_)
        button->SetVisible(normal);
    BtnEmpty.SetVisible(trashMode_);
    if (normal)
        SpeedHelp.SetBounds(438, 6, SpeedHelp.Width(), SpeedHelp.Height());
    else
        SpeedHelp.SetBounds(506, 292, SpeedHelp.Width(), SpeedHelp.Height());
    FormResize(this);
    if (normal) {
        Labelmask.SetTop(154);
        Bevelmask.SetTop(174);
    } else {
        Labelmask.SetTop(Header.Top());
        Bevelmask.SetTop(DrawGrid.Top());
    }
    int top = Bevelmask.Top() + 6;
    for (int row = 0; row < 4; ++row) {
        maskButtons_[2 * row]->SetTop(top);
        maskButtons_[2 * row + 1]->SetTop(top);
        top += maskButtons_[2 * row]->Height() - 1;
    }
    BtnUnmask.SetTop(Bevelmask.Top() + Bevelmask.Height() + 6);
    BtnEmpty.SetTop(BtnUnmask.Top() + BtnUnmask.Height() + 6);
    HelpContext = trashMode_ ? HelpTrash : HelpLibrary;
}

int TFormLibrary::LeastHeight() const {
    // The Close button stands at the bottom of the right-hand column, under the mask buttons
    // (or the trash's Empty and Help buttons): the window is at least as high as keeps it clear
    // of them.
    int lowest = 0;
    for (int i = 0; i < Panel.ControlCount(); ++i) {
        const forms::TControl* control = Panel.Controls(i);
        if (control == &btnClose || !control->Visible() || control->Left() < SideLeft) continue;
        lowest = std::max(lowest, control->Top() + control->Height());
    }
    const int panelClient = lowest + 6 + BevelSort.Height() + 6;
    const int panel = panelClient + Panel.Height() - Panel.ClientHeight();
    return std::max(MinHeight, panel + 8 + Height() - ClientHeight());
}

void TFormLibrary::FormResize(forms::TObject*) {
    if (const int least = LeastHeight(); Height() < least) SetHeight(least);
    SetWidth(Panel.Width() + 23);
    Panel.SetHeight(ClientHeight() - 8);
    BevelSort.SetTop(Panel.ClientHeight() - BevelSort.Height() - 6);
    Labelsort.SetTop(BevelSort.Top() - Labelsort.Height() - 2);
    for (forms::TSpeedButton* sort : {&SpeedType, &SpeedName, &SpeedDate})
        sort->SetTop(BevelSort.Top() + 7);
    btnClose.SetTop(BevelSort.Top());
    Header.SetTop(trashMode_ ? 8 : 42);
    DrawGrid.SetTop(Header.Top() + Header.Height());
    const int rows = std::max(0, (Labelsort.Top() - DrawGrid.Top() - 4) / ElemRowHeight);
    DrawGrid.SetHeight(rows * ElemRowHeight + 4);
}

void TFormLibrary::SortElem() {
    if (SpeedType.Down())
        library_.Sort(model::skType);
    else if (SpeedDate.Down())
        library_.Sort(model::skModified);
    else if (SpeedName.Down())
        library_.Sort(model::skName);
    else
        library_.Sort(model::skCreated);
}

bool TFormLibrary::Visible(const model::TLibElem& elem) const {
    if (elem.Type < 0 || elem.Type >= static_cast<int>(maskButtons_.size())) return true;
    return !maskButtons_[static_cast<std::size_t>(elem.Type)]->Down();
}

int TFormLibrary::CalcIndex(int Row) const {
    int count = -1;
    for (int i = 0; i < library_.Count(); ++i)
        if (Visible(*library_.Elems[static_cast<std::size_t>(i)]) && ++count == Row) return i;
    return -1;
}

int TFormLibrary::MaxVis() const {
    int count = 0;
    for (const auto& elem : library_.Elems)
        if (Visible(*elem)) ++count;
    return count - 1;
}

void TFormLibrary::PosizionaOtt() {
    if (SpeedType.Down() || SpeedName.Down()) return;
    const int v = DrawGrid.Height() / ElemRowHeight;
    DrawGrid.SetTopRow(v <= MaxVis() ? MaxVis() - v + 1 : 0);
}

void TFormLibrary::RefreshList(bool sort, bool menus) {
    DrawGrid.SetRowCount(MaxVis() + 1);
    DrawGrid.SetDefaultColWidth(DrawGrid.ClientWidth());
    if (sort) SortElem();
    DrawGrid.Invalidate();
    if (menus) EnableMainMenus();
}

bool TFormLibrary::PreviewGridHit(const forms::TWinControl& under) const {
    return &under == &DrawGrid;
}

std::vector<model::TLibElem*> TFormLibrary::SelectedVisible() const {
    std::vector<model::TLibElem*> selected;
    for (const auto& elem : library_.Elems)
        if (elem->Selected && Visible(*elem)) selected.push_back(elem.get());
    return selected;
}

// Rows.

void TFormLibrary::DrawGlyphs() {
    const std::pair<forms::TSpeedButton*, TLibraryGlyph> tools[] = {
        {&SpeedNuovo, TLibraryGlyph::New},     {&Speedcomment, TLibraryGlyph::Comment},
        {&SpeedPrint, TLibraryGlyph::Print},   {&SpeedDelete, TLibraryGlyph::Delete},
        {&speedtransmet, TLibraryGlyph::Send}, {&speedreceive, TLibraryGlyph::Receive},
        {&SpeedSearch, TLibraryGlyph::Search}, {&Speeddebug, TLibraryGlyph::Duplicate},
        {&speedMorph, TLibraryGlyph::Morph},   {&RandomBtn, TLibraryGlyph::Random},
        {&SpeedHelp, TLibraryGlyph::Help}};
    for (const auto& [button, glyph] : tools)
        DrawLibraryGlyph(button->Glyph(), glyph);
    for (std::int16_t type = 0; type < 8; ++type) {
        DrawElemIcon(NewButton(type).Glyph(), type);
        DrawElemIcon(MaskButton(type).Glyph(), type);
    }
}

void TFormLibrary::DrawLine(int Row, const forms::TRect& Rect) {
    gdi::TCanvas& canvas = DrawGrid.Canvas();
    const int index = CalcIndex(Row);
    model::TLibElem* elem = index < 0 ? nullptr : &library_.Elem(index);
    if (!FillElemRow(canvas, Rect.Top, DrawGrid.ClientWidth(), elem)) return;
    // Banks are twice as wide as single elements; both end at the same place.
    const bool bank = elem->Type % 2 == 1;
    rowIcons_.Draw(canvas, elem->Type, bank ? 10 : 26, Rect.Top);
    DrawRowTexts(canvas, Rect.Top,
                 {{47, elem->GetTypeName()},
                  {157, elem->GetName()},
                  {267, elem->GetLocation()},
                  {337, ModifiedText(*elem)}});
}

// Mouse and keys.

void TFormLibrary::DrawGridMouseDown(forms::TMouseButton Button, forms::TShiftState Shift, int X,
                                     int Y) {
    if (!mouse_.Press(Y)) return;
    const int i = CalcIndex(Y / ElemRowHeight + DrawGrid.TopRow());
    if (Button == forms::mbLeft) {
        const int mode = TElemGridMouse::ClickMode(Shift);
        if (i < 0) return;
        mouse_.Select(library_.Elems, i, mode);
        if (mode != model::scPlain) return;
        if (model::TDragInfo* info = mouse_.StartDrag(this))
            info->BuildFromLibrary(library_,
                                   [this](const model::TLibElem& elem) { return Visible(elem); });
    } else if (Button == forms::mbRight && (Shift & forms::ssShift) != 0) {
        if (i < 0 || library_.Elem(i).Type != model::etPatch) {
            model::PreviewNoteOn();
            return;
        }
        model::SelectByClick(library_.Elems, i, model::scPlain);
        DrawGrid.Repaint();
        library_.Elem(i).Transmit(true);
        if (TFormquintaron* main = MainWindow()) main->TimerPreview.SetEnabled(true);
        forms::Screen().SetCursor(forms::crHelp);
    } else if (Button == forms::mbRight && i >= 0) {
        PopupMenu.PopupOn(library_.Elems, i, X, Y);
    }
}

void TFormLibrary::DrawGridDblClick() {
    const int i = CalcIndex(mouse_.PressY() / ElemRowHeight + DrawGrid.TopRow());
    mouse_.DoubleClick(i < 0 ? nullptr : &library_.Elem(i));
}

bool TFormLibrary::DrawGridDragOver() {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return false;
    model::TDragInfo& info = main->DragInfo();
    bool accept = false;
    if (auto* library = dynamic_cast<TFormLibrary*>(info.Source)) accept = library != this;
    // A bank or global never goes into the trash by a drag.
    else if (dynamic_cast<TFormBank*>(info.Source) != nullptr ||
             dynamic_cast<TFormGlobal*>(info.Source) != nullptr)
        accept = !trashMode_;
    info.Accept = accept;
    return accept;
}

void TFormLibrary::DrawGridEndDrag(forms::TObject* Target, int X, int Y) {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return;
    model::TDragInfo& info = main->DragInfo();
    if (Target == nullptr || !info.Accept || main->DoubleClick) return;
    info.Target = Target;
    if (Target == &main->TrashPieno || Target == &main->TrashVuoto) {
        SpeedDeleteClick();
        return;
    }
    forms::TWinControl* window = DropWindow(Target);
    auto move = [this] { ProcMove(); };
    if (auto* library = dynamic_cast<TFormLibrary*>(window)) {
        if (library->TrashMode())
            ProcMove();
        else
            main->ShowPopUpCopyMove(X, Y, move, [library] { library->ProcCopy(); });
        return;
    }
    if (auto* bank = dynamic_cast<TFormBank*>(window)) {
        bank->DropRow = Y / bank->DrawGrid.DefaultRowHeight() + bank->DrawGrid.TopRow();
        main->ShowPopUpCopyMove(X, Y - 40, move, [bank] { bank->ProcCopy(); });
    } else if (auto* global = dynamic_cast<TFormGlobal*>(window)) {
        main->ShowPopUpCopyMove(X, Y - 40, move, [global] { global->ProcCopy(); });
    }
}

void TFormLibrary::PanelClick() {
    model::ClearSelection(library_.Elems);
    DrawGrid.Invalidate();
}

void TFormLibrary::FormKeyDown(forms::TObject*, forms::WORD& Key, forms::TShiftState) {
    if (Key == pw::VK_DELETE && !trashMode_) {
        Key = 0;
        SpeedDeleteClick();
    }
}

// Commands.

void TFormLibrary::New(int Type) {
    std::unique_ptr<model::TLibElem> elem =
        model::CreateElemByType(static_cast<std::int16_t>(Type), &library_);
    if (elem == nullptr) return;
    library_.Add(std::move(elem));
    library_.Saved = false;
    RefreshList(true, false);
    PosizionaOtt();
    EnableMainMenus();
}

std::vector<model::TLibElem*> TFormLibrary::ProcCopy() {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return {};
    model::ClearSelection(library_.Elems);
    std::vector<model::TLibElem*> taken;
    for (const model::TDragElem& dragged : main->DragInfo().Elems) {
        if (dragged.Elem == nullptr) continue;
        std::unique_ptr<model::TLibElem> elem =
            model::CreateElemByType(dragged.Elem->Type, &library_);
        if (elem == nullptr) continue;
        elem->Assign(*dragged.Elem);
        library_.Add(std::move(elem));
        taken.push_back(dragged.Elem);
    }
    library_.Saved = false;
    RefreshList(true, false);
    PosizionaOtt();
    EnableMainMenus();
    return taken;
}

void TFormLibrary::ProcMove() {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return;
    model::TDragInfo& info = main->DragInfo();
    forms::TWinControl* window = DropWindow(info.Target);
    std::vector<model::TLibElem*> taken;
    if (auto* library = dynamic_cast<TFormLibrary*>(window))
        taken = library->ProcCopy();
    else if (auto* bank = dynamic_cast<TFormBank*>(window))
        taken = bank->ProcCopy();
    else if (auto* global = dynamic_cast<TFormGlobal*>(window))
        taken = global->ProcCopy();
    // What the target refused stays here: a move never loses an element.
    for (model::TLibElem* elem : taken) {
        const auto found = std::find_if(library_.Elems.begin(), library_.Elems.end(),
                                        [elem](const auto& owned) { return owned.get() == elem; });
        if (found == library_.Elems.end()) continue;
        if (PopupMenu.Subject() == elem) PopupMenu.ForgetSubject();
        library_.Elems.erase(found);
        library_.Saved = false;
    }
    // The list named elements that are gone.
    info.Clear();
    RefreshList(true, false);
    EnableMainMenus();
}

void TFormLibrary::DeleteSelected() {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return;
    model::TLibrary& trash = main->TrashLibrary();
    int i = 0;
    while (i <= library_.Count() - 1) {
        model::TLibElem& elem = library_.Elem(i);
        if (elem.Selected && Visible(elem)) {
            if (elem.EditorOpen && elem.Editor != nullptr) elem.Editor->CloseByOwner();
            trash.TakeElem(library_, i);
            main->SecchioPieno();
            library_.Saved = false;
        } else {
            ++i;
        }
    }
}

void TFormLibrary::SpeedDeleteClick() {
    DeleteSelected();
    RefreshList(true, false);
    if (TFormquintaron* main = MainWindow())
        if (main->TrashWindow != nullptr && main->TrashWindow != this)
            main->TrashWindow->RefreshList(true, false);
    EnableMainMenus();
}

void TFormLibrary::EmptyClick() {
    if (model::MessageDlg("Are You Sure ?", model::TMsgDlgType::mtConfirmation,
                          model::mbYes | model::mbNo) != model::mrYes)
        return;
    library_.Elems.clear();
    library_.Comment.Clear();
    library_.Saved = false;
    DrawGrid.SetRowCount(0);
    DrawGrid.Invalidate();
    EnableMainMenus();
}

void TFormLibrary::UnmaskClick() {
    for (forms::TSpeedButton* button : maskButtons_)
        button->SetDown(false);
    RefreshList(false, false);
}

void TFormLibrary::TransmetClick() {
    for (model::TLibElem* elem : SelectedVisible())
        elem->Transmit(false);
}

void TFormLibrary::ReceiveClick() {
    for (model::TLibElem* elem : SelectedVisible()) {
        elem->Receive(false);
        DrawGrid.Repaint();
        model::TUiServices* ui = model::UiServices();
        model::TTransferWindow* window = ui != nullptr ? ui->TransferWindow() : nullptr;
        if (window == nullptr || !window->Done()) break;
    }
}

void TFormLibrary::PrintClick() {
    const std::vector<model::TLibElem*> selected = SelectedVisible();
    model::PrintBegin();
    int y = model::PrintPageTop;
    for (model::TLibElem* elem : selected)
        elem->Print(y, false);
    model::PrintEnd();
}

void TFormLibrary::MorphClick() {
    std::vector<model::TPatch*> patches;
    for (model::TLibElem* elem : SelectedVisible()) {
        if (elem->Type != model::etPatch) continue;
        patches.push_back(static_cast<model::TPatch*>(elem));
        if (patches.size() == 3) break;
    }
    if (patches.size() != 2) {
        model::MessageDlg(MorphError, model::TMsgDlgType::mtError, model::mbOK);
        return;
    }
    MorphPatches(*patches[0], *patches[1], *this);
}

void TFormLibrary::RandomClick() {
    std::vector<model::TPatchBank*> banks;
    for (model::TLibElem* elem : SelectedVisible())
        if (elem->Type == model::etPatchBank)
            banks.push_back(static_cast<model::TPatchBank*>(elem));
    if (banks.size() != 1) {
        model::MessageDlg(RandomError, model::TMsgDlgType::mtError, model::mbOK);
        return;
    }
    TFormRandom* random = FormRandom();
    if (random == nullptr) return;
    random->SourceBank = banks.front();
    random->LibraryWindow = this;
    random->ShowModal();
}

void TFormLibrary::HelpClick() {
    forms::Application().HelpContext(trashMode_ ? HelpTrash : HelpLibrary);
}

// The element popup.

void TFormLibrary::DeleteClick() {
    model::TLibElem* subject = PopupMenu.Subject();
    if (subject == nullptr) return;
    const auto found = std::find_if(library_.Elems.begin(), library_.Elems.end(),
                                    [subject](const auto& elem) { return elem.get() == subject; });
    PopupMenu.ForgetSubject();
    if (found == library_.Elems.end()) return;
    library_.Elems.erase(found);
    // As Delete Selected does: the library changed.
    library_.Saved = false;
    RefreshList(true, true);
}

// Closing.

void TFormLibrary::FormClose(forms::TObject*, forms::TCloseAction& Action) {
    Action = forms::caNone;
    library_.SaveEditorPosition();
    if (trashMode_) {
        Detach();
        Release();
        if (TFormquintaron* main = MainWindow()) main->TrashClosed();
        return;
    }
    if (!library_.Saved) {
        switch (model::MessageDlg(library_.GetName() + " Was Not Saved, Save It ?",
                                  model::TMsgDlgType::mtInformation,
                                  model::mbYes | model::mbNo | model::mbCancel)) {
        case model::mrYes:
            // A save that was cancelled or failed keeps the window and the library whole, and
            // stops a shut-down as Cancel does.
            if (!library_.SaveFile(false)) {
                model::AppState()->CloseCancelled = true;
                return;
            }
            break;
        case model::mrNo:
            break;
        default:
            model::AppState()->CloseCancelled = true;
            return;
        }
    }
    Detach();
    owned_.reset();
    libraryGone_ = true;
    Release();
    EnableMainMenus();
}

} // namespace app
