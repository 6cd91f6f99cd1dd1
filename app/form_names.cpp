#include "app/form_names.h"

#include "platform/forms/place_control.h"

#include <algorithm>

namespace app {

namespace {

TFormNames* formNames = nullptr;

constexpr int ColWidth = 96;
constexpr int RowHeight = 18;
// The columns, their lines and room for the scroll bar.
constexpr int GridWidth = TFormNames::GridCols * (ColWidth + 1) + 20;
constexpr int GridHeight = TFormNames::ShownRows * (RowHeight + 1);
constexpr int PanelWidth = GridWidth + 16;
constexpr int PanelHeight = GridHeight + 16;
constexpr int ButtonTop = PanelHeight + 8;

const platform::core::TStringList& EmptyList() {
    static const platform::core::TStringList empty;
    return empty;
}

} // namespace

TFormNames* FormNames() {
    return formNames;
}

TFormNames::TFormNames(forms::TComponent* owner)
    : TForm(owner), FormWaveSelect(forms::PlaceControl<forms::TPanel>(
                        *this, *this, 0, 0, PanelWidth, PanelHeight, "Wave List")),
      StringGrid1(forms::PlaceControl<forms::TStringGrid>(*this, FormWaveSelect, 8, 8, GridWidth,
                                                          GridHeight)),
      BitBtn3(
          forms::PlaceControl<forms::TBitBtn>(*this, *this, PanelWidth - 176, ButtonTop, 75, 25)),
      BitBtn1(
          forms::PlaceControl<forms::TBitBtn>(*this, *this, PanelWidth - 88, ButtonTop, 75, 25)) {
    Name = "FormNames";
    SetCaption("Select Name");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    HelpContext = 32;
    SetClientWidth(PanelWidth);
    SetClientHeight(ButtonTop + 33);
    StringGrid1.SetColCount(GridCols);
    StringGrid1.SetRowCount(GridRows);
    StringGrid1.SetFixedCols(0);
    StringGrid1.SetFixedRows(0);
    StringGrid1.SetDefaultColWidth(ColWidth);
    StringGrid1.SetDefaultRowHeight(RowHeight);
    StringGrid1.SetScrollBars(forms::ssVertical);
    StringGrid1.SetOptions(StringGrid1.Options() | forms::goDrawFocusSelected);
    BitBtn3.SetKind(forms::bkOK);
    // OK closes only on a cell that holds a name.
    BitBtn3.ModalResult = forms::mrNone;
    BitBtn1.SetKind(forms::bkCancel);
    formNames = this;
    editors::SetNamesWindow(this);

    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    BitBtn3.OnClick = [this](forms::TObject* sender) { BitBtn3Click(sender); };
    BitBtn1.OnClick = [this](forms::TObject* sender) { BitBtn1Click(sender); };
}

TFormNames::~TFormNames() {
    if (editors::NamesWindow() == this) editors::SetNamesWindow(nullptr);
    if (formNames == this) formNames = nullptr;
}

void TFormNames::FormCreate(forms::TObject*) {
    Load();
}

void TFormNames::Load() {
    lists_.Load();
}

const platform::core::TStringList& TFormNames::List(int type) const {
    if (type < 1 || type > model::NameListCount) return EmptyList();
    return lists_.List(type);
}

void TFormNames::SetType(int type) {
    type_ = type;
    for (int row = 0; row < GridRows; ++row)
        for (int col = 0; col < GridCols; ++col)
            StringGrid1.SetCells(col, row, {});
    const platform::core::TStringList& list = List(type);
    // A list longer than the grid shows what fits.
    for (int i = 0; i < list.Count() && i < GridCols * GridRows; ++i)
        StringGrid1.SetCells(i % GridCols, i / GridCols, list[i]);
    const int chosen = std::clamp(ChosenIndex, 0, GridCols * GridRows - 1);
    const int col = chosen % GridCols;
    const int row = chosen / GridCols;
    StringGrid1.SetSelection({col, row, col, row});
    StringGrid1.SetTopRow(std::min(row, GridRows - ShownRows));
}

int TFormNames::Choose(int type, int chosen) {
    ChosenIndex = chosen;
    SetType(type);
    ShowModal();
    return ChosenIndex;
}

void TFormNames::BitBtn3Click(forms::TObject*) {
    const int index = StringGrid1.Row() * GridCols + StringGrid1.Col();
    if (index >= List(type_).Count()) return;
    ChosenIndex = index;
    SetModalResult(forms::mrOk);
}

void TFormNames::BitBtn1Click(forms::TObject*) {
    SetModalResult(forms::mrCancel);
}

} // namespace app
