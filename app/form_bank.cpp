#include "app/form_bank.h"

#include "editors/place_child_form.h"
#include "model/editing/drag_info.h"
#include "model/editing/selection.h"
#include "model/elements/element_factory.h"
#include "model/preview/preview.h"
#include "platform/forms/screen.h"

#include <algorithm>
#include <memory>

namespace app {

namespace gdi = platform::gdi;

namespace {

constexpr int HelpBank = 13;
constexpr int DefaultHeight = 400;
// A rhythm bank's two entries need no more: the height it is made with, then the one it keeps.
constexpr int TwoEntryCreateHeight = 112;
constexpr int TwoEntryHeight = 114;
// The saved size FFFFh: the window was never sized.
constexpr std::int16_t NeverSized = -1;

// The number in Digits places, led by zeros.
std::string ZeroPad(int Number, int Digits) {
    std::string text = std::to_string(Number);
    if (static_cast<int>(text.size()) < Digits)
        text.insert(0, static_cast<std::size_t>(Digits) - text.size(), '0');
    return text;
}

} // namespace

TFormBank::TFormBank(forms::TComponent* owner, model::TBank& bank)
    : TEntryListForm(owner, bank, [this] { UpDateView(); },
                     {{"Type", 32}, {"  Name", 110}, {"  Number", 60}, {"  Modified Date", 90}}) {
    Name = "FormBank";
    DrawGrid.SetScrollBars(forms::ssVertical);
    SetBounds(0, 0, Panel.Width() + 23, DefaultHeight);
    OnCreate = [this](forms::TObject*) { FormCreate(); };
    OnShow = [this](forms::TObject*) { FormShow(); };
    OnResize = [this](forms::TObject*) { FormResize(); };
}

TFormBank::~TFormBank() = default;

void TFormBank::FormCreate() {
    HelpContext = HelpBank;
    list_.Editor = &view_;
    list_.EditorOpen = true;
    DrawGrid.SetRowCount(list_.Count());
    if (list_.Height != NeverSized) SetHeight(list_.Height);
    if (list_.Width != NeverSized) SetWidth(list_.Width);
    if (list_.Count() == 2) SetHeight(TwoEntryCreateHeight);
    auto left = static_cast<std::uint16_t>(list_.EditorLeft);
    auto top = static_cast<std::uint16_t>(list_.EditorTop);
    editors::PlaceChildForm(left, top, *this);
    DrawGrid.SetDefaultColWidth(DrawGrid.ClientWidth());
}

void TFormBank::FormShow() {
    mouse_.Reset();
    UpDateView();
    FormResize();
    KeepPlace();
}

void TFormBank::FormResize() {
    SetWidth(Panel.Width() + 23);
    if (list_.Count() == 2) SetHeight(TwoEntryHeight);
    Panel.SetHeight(ClientHeight() - 8);
    DrawGrid.SetHeight(Panel.Height() - 16 - Header.Height() - 1);
    DrawGrid.SetDefaultColWidth(DrawGrid.ClientWidth());
}

void TFormBank::UpDateView() {
    SetCaption(ViewCaption());
    DrawGrid.Invalidate();
}

bool TFormBank::PreviewGridHit(const forms::TWinControl& under) const {
    return &under == &DrawGrid && list_.Type == model::etPatchBank;
}

int TFormBank::EntryOfRow(int Row) const {
    return Row >= 0 && Row < list_.Count() ? Row : -1;
}

void TFormBank::DrawEntry(gdi::TCanvas& Canvas, model::TLibElem& Elem, int Row, int Top) {
    rowIcons_.Draw(Canvas, Elem.Type, 5, Top);
    DrawRowTexts(
        Canvas, Top,
        {{42, Elem.GetName()}, {152, "  " + ZeroPad(Row + 1, 3)}, {212, ModifiedText(Elem)}});
}

// Drag and drop.

void TFormBank::BuildDragList(model::TDragInfo& Info) {
    Info.BuildFromBank(list_);
}

bool TFormBank::AcceptDrop(const model::TDragInfo& Info, forms::TPoint Point) {
    const int count = static_cast<int>(Info.Elems.size());
    const TElemListForm* source = DragSourceWindow(Info);
    if (count == 0 || list_.Count() == 0 || source == nullptr) return false;
    bool accept = false;
    if (source->ShowsLibrary()) {
        const std::int16_t type = list_.Elem(0).Type;
        accept = count <= list_.Count() && std::all_of(Info.Elems.begin(), Info.Elems.end(),
                                                       [type](const model::TDragElem& dragged) {
                                                           return dragged.Elem != nullptr &&
                                                                  dragged.Elem->Type == type;
                                                       });
    } else {
        // A global set is no bank of this kind: its type code is its own.
        accept = source->ListElem().Type == list_.Type;
    }
    return accept && RowAt(Point.Y) + count - 1 < list_.Count();
}

std::optional<forms::TPoint> TFormBank::CopyMoveAt(forms::TPoint Point) const {
    return forms::TPoint{Point.X, Point.Y - 40};
}

std::vector<model::TLibElem*> TFormBank::TakeDrop(const model::TDragInfo& Info,
                                                  forms::TPoint Point) {
    std::vector<model::TLibElem*> taken;
    const int dropRow = RowAt(Point.Y);
    if (dropRow < 0) return taken;
    const std::vector<model::TDragElem>& dragged = Info.Elems;
    const int count = list_.Count();
    const int last = std::min(count, dropRow + static_cast<int>(dragged.size()));

    // Dropped on the very rows it came from: nothing to do.
    bool sameRows = !dragged.empty() && dropRow + static_cast<int>(dragged.size()) <= count;
    for (int j = dropRow; j < last && sameRows; ++j)
        sameRows = dragged[static_cast<std::size_t>(j - dropRow)].Elem == &list_.Elem(j);
    if (sameRows) return taken;

    // Entries of this bank are read as they stood before the drop, as a block move reads them:
    // an overlapping drop shifts them rather than repeating the first ones.
    std::vector<std::unique_ptr<model::TLibElem>> before(dragged.size());
    for (std::size_t k = 0; k < dragged.size(); ++k) {
        model::TLibElem* elem = dragged[k].Elem;
        if (elem == nullptr || elem->Owner != &list_) continue;
        before[k] = model::CreateElemByType(elem->Type, nullptr);
        if (before[k] != nullptr) before[k]->Assign(*elem);
    }

    const bool memory = list_.Memory;
    model::ClearSelection(list_.Elems);
    for (int j = dropRow; j < last; ++j) {
        const auto k = static_cast<std::size_t>(j - dropRow);
        const model::TLibElem* from = before[k] != nullptr ? before[k].get() : dragged[k].Elem;
        if (from == nullptr) continue;
        model::TLibElem& entry = list_.Elem(j);
        entry.Assign(*from);
        entry.Temporary = false;
        entry.Number = static_cast<std::int16_t>(j + 1);
        entry.Memory = memory;
        entry.BuildHeaders();
        taken.push_back(dragged[k].Elem);
    }
    DrawGrid.Invalidate();
    return taken;
}

// The preview.

void TFormBank::PreviewEntry(int Entry) {
    if (Entry < 0) return;
    model::SelectByClick(list_.Elems, Entry, model::scPlain);
    DrawGrid.Repaint();
    list_.Elem(Entry).Transmit(true);
    if (TFormquintaron* main = MainWindow()) main->TimerPreview.SetEnabled(true);
    forms::Screen().SetCursor(model::crHelp);
}

} // namespace app
