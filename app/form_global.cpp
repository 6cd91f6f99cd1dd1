#include "app/form_global.h"

#include "editors/place_child_form.h"
#include "model/editing/drag_info.h"
#include "model/editing/selection.h"
#include "model/program/quintaron.h"

namespace app {

namespace gdi = platform::gdi;

namespace {

constexpr int HelpGlobal = 14;
constexpr int CardRows = 7;
constexpr int UserRows = 4;

bool DataCardInstalled() {
    return model::AppState() != nullptr && model::AppState()->Config.DataCardInstalled;
}

} // namespace

TFormGlobal::TFormGlobal(forms::TComponent* owner, model::TGlobal& global)
    : TEntryListForm(
          owner, global, [this] { UpDateView(); },
          {{"  Type", 147}, {"  Name", 110}, {"  Src/Dest", 70}, {"  Modified Date", 90}}),
      global_(global) {
    Name = "FormGlobal";
    DrawGrid.SetScrollBars(forms::ssNone);
    OnCreate = [this](forms::TObject*) { FormCreate(); };
    OnShow = [this](forms::TObject*) { KeepPlace(); };
    OnResize = [this](forms::TObject*) { SetDimension(); };
}

TFormGlobal::~TFormGlobal() = default;

void TFormGlobal::FormCreate() {
    HelpContext = HelpGlobal;
    list_.Editor = &view_;
    list_.EditorOpen = true;
    SetDimension();
    auto left = static_cast<std::uint16_t>(list_.EditorLeft);
    auto top = static_cast<std::uint16_t>(list_.EditorTop);
    editors::PlaceChildForm(left, top, *this);
}

void TFormGlobal::UpDateView() {
    SetCaption(ViewCaption());
    DrawGrid.Invalidate();
}

int TFormGlobal::CalcInd(int Row) const {
    if (Row < 0) return -1;
    const int entry =
        DataCardInstalled() ? (Row < CardRows ? Row : -1) : (Row < UserRows ? 2 * Row : -1);
    return entry < list_.Count() ? entry : -1;
}

void TFormGlobal::SetDimension() {
    const int rows = DataCardInstalled() ? CardRows : UserRows;
    DrawGrid.SetRowCount(rows);
    DrawGrid.SetHeight(RowHeight * rows + 3);
    Panel.SetHeight(DrawGrid.Height() + Header.Height() + 18);
    SetHeight(Panel.Height() + 33);
    SetWidth(Panel.Width() + 23);
    DrawGrid.SetDefaultColWidth(DrawGrid.ClientWidth());
}

void TFormGlobal::DrawEntry(gdi::TCanvas& Canvas, model::TLibElem& Elem, int, int Top) {
    // Banks are twice as wide as the system's picture; both end at the same place.
    rowIcons_.Draw(Canvas, Elem.Type, Elem.Type == model::etSystem ? 26 : 10, Top);
    DrawRowTexts(Canvas, Top,
                 {{47, Elem.GetTypeName()},
                  {152, Elem.GetName()},
                  {262, Elem.GetLocation()},
                  {332, ModifiedText(Elem)}});
}

// Drag and drop.

void TFormGlobal::BuildDragList(model::TDragInfo& Info) {
    Info.BuildFromBankFiltered(list_);
}

bool TFormGlobal::AcceptDrop(const model::TDragInfo& Info, forms::TPoint) {
    const TElemListForm* source = DragSourceWindow(Info);
    if (source == nullptr) return false;
    if (source->ShowsLibrary()) {
        if (Info.Elems.size() != 1 || Info.Elems.front().Elem == nullptr) return false;
        const std::int16_t type = Info.Elems.front().Elem->Type;
        return type == model::etPatchBank || type == model::etPerformanceBank ||
               type == model::etRhythmBank || type == model::etSystem;
    }
    return source->ListElem().Type == model::etGlobal;
}

std::optional<forms::TPoint> TFormGlobal::CopyMoveAt(forms::TPoint Point) const {
    return forms::TPoint{Point.X, Point.Y - 40};
}

std::vector<model::TLibElem*> TFormGlobal::TakeDrop(const model::TDragInfo& Info, forms::TPoint) {
    std::vector<model::TLibElem*> taken;
    model::ClearSelection(list_.Elems);
    for (const model::TDragElem& dragged : Info.Elems) {
        model::TLibElem* elem = dragged.Elem;
        if (elem == nullptr) continue;
        // The system always lives at one address: its memory flag means nothing.
        const auto matches = [elem](const std::unique_ptr<model::TLibElem>& entry) {
            return entry->Type == elem->Type &&
                   (elem->Type == model::etSystem || entry->Memory == elem->Memory);
        };
        const auto found = std::find_if(list_.Elems.begin(), list_.Elems.end(), matches);
        // An entry dropped on itself stays as it is.
        if (found == list_.Elems.end() || found->get() == elem) continue;
        (*found)->Assign(*elem);
        taken.push_back(elem);
    }
    DrawGrid.Invalidate();
    return taken;
}

} // namespace app
