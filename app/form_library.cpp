#include "app/form_library.h"

#include "app/app_images.h"
#include "app/form_comment.h"
#include "app/form_morph.h"
#include "app/form_quintaron.h"
#include "app/form_random.h"
#include "app/form_search.h"
#include "editors/place_child_form.h"
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
#include "platform/forms/place_control.h"
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
constexpr int PopupDown = 60;

const char* const MorphError = "You Must Select two Patch.";
const char* const RandomError = "You Must Select One Patch Bank.";

void EnableMainMenus() {
    if (TFormquintaron* main = MainWindow()) main->EnableMenuItems();
}

} // namespace

TLibraryView::TLibraryView(TFormLibrary& window)
    : editors::TFormView(
          window,
          [&window] {
              // The caption carries the library's file name, which a save under a new name
              // changes; the rows show the elements' names and dates.
              window.Updateview();
              window.DrawGrid.Invalidate();
          },
          true),
      window_(window) {}

void TLibraryView::CloseByOwner() {
    window_.libraryGone_ = true;
    editors::TFormView::CloseByOwner();
}

TFormLibrary::TFormLibrary(forms::TComponent* owner, bool trashMode)
    : TElemListForm(
          owner, *model::AppState()->CurrentLibrary, model::AppState()->CurrentLibrary->Elems, true,
          {{4, 4, SideLeft + SideWidth + 6, 380},
           {8, 60, 450, 200},
           {8, 42, 450, 18},
           PopupDown,
           false},
          {{"    Type", 100}, {"    Name", 100}, {"    Src/Dst", 100}, {"    Modified Date", 100}}),
      library_(*model::AppState()->CurrentLibrary), trashMode_(trashMode), view_(*this) {
    if (!trashMode_) owned_.reset(&library_);
    Name = "FormLibrary";
    ShowHint = true;
    KeyPreview = true;
    SetBounds(0, 0, DefaultWidth, DefaultHeight);

    constexpr int b = ButtonSize;
    constexpr int side = SideLeft;
    const auto refresh = [this] { RefreshList(false, false); };
    const auto sort = [this] {
        SortElem();
        DrawGrid.Invalidate();
    };
    // Every control on the panel: bounds, caption, hint, click.
    forms::PlaceControls(
        Panel,
        {
            {&BevelNew, side, 58, SideWidth, 92},
            {&LabelNew, side + 2, 42, 40, 14, "New"},
            {&Speedcomment, 40, 6, b, b, "", "Comment", [this] { CommentClick(); }},
            {&SpeedPrint, 72, 6, b, b, "", "Print Selected", [this] { PrintClick(); }},
            {&SpeedDelete, 104, 6, b, b, "", "Delete Selected", [this] { SpeedDeleteClick(); }},
            {&NewPatch, side + 6, 62, 36, 22, "", "New Patch", [this] { New(model::etPatch); }},
            {&NewPerformance, side + 6, 84, 36, 22, "", "New Performance",
             [this] { New(model::etPerformance); }},
            {&NewRhythm, side + 6, 106, 36, 22, "", "New Rhythm", [this] { New(model::etRhythm); }},
            {&NewSystem, side + 6, 128, 36, 22, "", "New System", [this] { New(model::etSystem); }},
            {&Bevelmask, side, 174, SideWidth, 96},
            {&Labelmask, side + 2, 154, 40, 14, "Mask"},
            {&SpeedSearch, 216, 6, b, b, "", "Search", [this] { SearchLibrary(library_, false); }},
            {&btnClose, side, 300, SideWidth, 30, "&Close", "Close This Library",
             [this] { Close(); }},
            {&BevelSort, 8, 300, 200, 36},
            {&SpeedType, 14, 307, 60, 22, "Type", "Sort By Type", sort},
            {&SpeedName, 76, 307, 60, 22, "Name", "Sort By Name", sort},
            {&SpeedDate, 138, 307, 60, 22, "Date", "Sort By Modified Date", sort},
            {&Labelsort, 10, 284, 40, 14, "Sort By"},
            {&SpeedNuovo, 8, 6, b, b, "", "New", [this] { EmptyClick(); }},
            {&speedtransmet, 144, 6, b, b, "", "Send Selected", [this] { TransmetClick(); }},
            {&speedreceive, 176, 6, b, b, "", "Receive Selected", [this] { ReceiveClick(); }},
            {&SpeedHelp, 438, 6, b, b, "", "Help", [this] { HelpClick(); }},
            {&Speeddebug, 248, 6, b, b, "", "Find Duplicate",
             [this] { SearchLibrary(library_, true); }},
            {&NewPatchBank, side + 46, 62, 40, 22, "", "New Patch Bank",
             [this] { New(model::etPatchBank); }},
            {&NewPerformanceBank, side + 46, 84, 40, 22, "", "New Performance Bank",
             [this] { New(model::etPerformanceBank); }},
            {&NewRhythmBank, side + 46, 106, 40, 22, "", "New Rhythm Bank",
             [this] { New(model::etRhythmBank); }},
            {&Newglobal, side + 46, 128, 40, 22, "", "New Global",
             [this] { New(model::etGlobal); }},
            {&SpeedPatch, side + 6, 180, 36, 22, "", "Mask Patch", refresh},
            {&SpeedPatchBank, side + 46, 180, 40, 22, "", "Mask Patch Bank", refresh},
            {&speedPerformance, side + 6, 201, 36, 22, "", "Mask Performance", refresh},
            {&speedPerformancebank, side + 46, 201, 40, 22, "", "Mask Performance Bank", refresh},
            {&SpeedRhythm, side + 6, 222, 36, 22, "", "Mask Rhythm", refresh},
            {&speedRhythmbank, side + 46, 222, 40, 22, "", "Mask Rhythm Bank", refresh},
            {&Speedsystem, side + 6, 243, 36, 22, "", "Mask System", refresh},
            {&speedMorph, 288, 6, b, b, "", "Patch Morphing", [this] { MorphClick(); }},
            {&BtnUnmask, side, 276, SideWidth, 22, "Unmask All", "Unmask All",
             [this] { UnmaskClick(); }},
            {&BtnEmpty, side, 160, SideWidth, 22, "Empty", "Empty", [this] { EmptyClick(); }},
            {&RandomBtn, 320, 6, b, b, "", "Patch Bank Random", [this] { RandomClick(); }},
            {&speedGlobal, side + 46, 243, 40, 22, "", "Mask Global", refresh},
        });
    Delete.OnClick = [this](forms::TObject*) { DeleteClick(); };

    DrawGrid.SetScrollBars(forms::ssVertical);
    OnDragOver = Panel.OnDragOver;

    // At most one sort button is down, and all may be up; each mask button stands alone.
    for (forms::TSpeedButton* sort : {&SpeedType, &SpeedName, &SpeedDate}) {
        sort->SetGroupIndex(1);
        sort->SetAllowAllUp(true);
    }
    maskButtons_ = {&SpeedPatch,  &SpeedPatchBank,  &speedPerformance, &speedPerformancebank,
                    &SpeedRhythm, &speedRhythmbank, &Speedsystem,      &speedGlobal};
    newButtons_ = {&NewPatch,  &NewPatchBank,  &NewPerformance, &NewPerformanceBank,
                   &NewRhythm, &NewRhythmBank, &NewSystem,      &Newglobal};
    for (int type = 0; type < 8; ++type) {
        maskButtons_[type]->SetGroupIndex(2 + type);
        maskButtons_[type]->SetAllowAllUp(true);
    }
    DrawGlyphs();

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
    // The window stands whole now, framed and laid out, and may not have taken the size the
    // file holds (never sized, or a size it does not take): the library keeps the one it was
    // given, so that closing the window unsized is no change and does not ask to save.
    library_.Width = static_cast<std::int16_t>(Width());
    library_.Height = static_cast<std::int16_t>(Height());
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

void TFormLibrary::DrawEntry(gdi::TCanvas& Canvas, model::TLibElem& Elem, int, int Top) {
    // Banks are twice as wide as single elements; both end at the same place.
    const bool bank = Elem.Type % 2 == 1;
    rowIcons_.Draw(Canvas, Elem.Type, bank ? 10 : 26, Top);
    DrawRowTexts(Canvas, Top,
                 {{47, Elem.GetTypeName()},
                  {157, Elem.GetName()},
                  {267, Elem.GetLocation()},
                  {337, ModifiedText(Elem)}});
}

// Mouse and keys.

void TFormLibrary::PreviewEntry(int Entry) {
    if (Entry < 0 || library_.Elem(Entry).Type != model::etPatch) {
        model::PreviewNoteOn();
        return;
    }
    model::SelectByClick(library_.Elems, Entry, model::scPlain);
    DrawGrid.Repaint();
    library_.Elem(Entry).Transmit(true);
    if (TFormquintaron* main = MainWindow()) main->TimerPreview.SetEnabled(true);
    forms::Screen().SetCursor(forms::crHelp);
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

// Drag and drop.

void TFormLibrary::BuildDragList(model::TDragInfo& Info) {
    Info.BuildFromLibrary(library_, [this](const model::TLibElem& elem) { return Visible(elem); });
}

bool TFormLibrary::AcceptDrop(const model::TDragInfo& Info, forms::TPoint) {
    const TElemListForm* source = DragSourceWindow(Info);
    if (source == nullptr) return false;
    if (source->ShowsLibrary()) return source != this;
    // A bank or global never goes into the trash by a drag.
    return !trashMode_;
}

std::optional<forms::TPoint> TFormLibrary::CopyMoveAt(forms::TPoint Point) const {
    if (trashMode_) return std::nullopt;
    return Point;
}

std::vector<model::TLibElem*> TFormLibrary::TakeDrop(const model::TDragInfo& Info, forms::TPoint) {
    model::ClearSelection(library_.Elems);
    std::vector<model::TLibElem*> taken;
    for (const model::TDragElem& dragged : Info.Elems) {
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

void TFormLibrary::RemoveMoved(const std::vector<model::TLibElem*>& Taken) {
    for (model::TLibElem* elem : Taken) {
        const auto found = std::find_if(library_.Elems.begin(), library_.Elems.end(),
                                        [elem](const auto& owned) { return owned.get() == elem; });
        if (found == library_.Elems.end()) continue;
        if (PopupMenu.Subject() == elem) PopupMenu.ForgetSubject();
        library_.Elems.erase(found);
        library_.Saved = false;
    }
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
    const std::vector<model::TLibElem*> selected = SelectedVisible();
    if (selected.empty() || !model::MidiReady()) return;
    for (model::TLibElem* elem : selected)
        elem->Transmit(false);
}

void TFormLibrary::ReceiveClick() {
    const std::vector<model::TLibElem*> selected = SelectedVisible();
    if (selected.empty() || !model::MidiReady()) return;
    for (model::TLibElem* elem : selected) {
        elem->Receive(false);
        DrawGrid.Repaint();
        model::TUiServices* ui = model::UiServices();
        model::TTransferWindow* window = ui != nullptr ? ui->TransferWindow() : nullptr;
        if (window == nullptr || !window->Done()) break;
    }
}

void TFormLibrary::PrintClick() {
    const std::vector<model::TLibElem*> selected = SelectedVisible();
    model::PrintBegin(&library_);
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

void TFormLibrary::CommentClick() {
    // Only a change the dialog reports makes a saved library unsaved; no date is stamped.
    const bool changed = EditComment(library_.Comment);
    library_.Saved = library_.Saved && !changed;
    EnableMainMenus();
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
