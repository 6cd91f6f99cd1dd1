#include "app/form_search.h"

#include "model/elements/bank.h"
#include "model/elements/exchange_order.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "model/files/data_folders.h"
#include "model/print/print_routines.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "platform/core/atomic_file.h"
#include "platform/core/date_time.h"
#include "platform/core/exception.h"
#include "platform/core/string_list.h"
#include "platform/forms/place_control.h"

#include <cmath>
#include <utility>

namespace app {

namespace pc = platform::core;

namespace {

TFormSearch* formSearch = nullptr;

constexpr int HelpSearch = 57;
constexpr int HelpDuplicates = 12;
constexpr int FormWidth = 640;
constexpr int FormHeight = 480;
constexpr int ButtonStrip = 41;
constexpr int Margin = 4;
constexpr int CheckHeight = 17;
constexpr int GridBottomGap = 10;
// Where the result row's pictures and texts begin.
constexpr int IconLeft = 5;
constexpr int TypeLeft = 26;
constexpr int NameLeft = 101;
constexpr int DateLeft = 201;
constexpr int PathLeft = 311;

constexpr const char* DateMask = "!99/99/00;1;_";
constexpr const char* TimeMask = "!90:00:00;1;_";

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Upper case of ASCII letters only, as the names' comparisons want it.
std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

forms::TCheckBox& PlaceCheck(forms::TComponent& owner, forms::TWinControl& parent, int left,
                             int top, int width, const char* caption, bool checked) {
    auto& box = forms::PlaceControl<forms::TCheckBox>(owner, parent, left, top, width, CheckHeight,
                                                      caption);
    box.SetChecked(checked);
    return box;
}

forms::TMaskEdit& PlaceMask(forms::TComponent& owner, forms::TWinControl& parent, int left,
                            const char* mask) {
    auto& edit = forms::PlaceControl<forms::TMaskEdit>(owner, parent, left, 20, 66, 21);
    edit.SetEditMask(mask);
    return edit;
}

} // namespace

TFormSearch* FormSearch() {
    return formSearch;
}

void SearchLibrary(model::TLibrary& Library, bool Duplicates) {
    TFormSearch* window = FormSearch();
    if (window == nullptr) return;
    window->Library = &Library;
    window->Duplicates = Duplicates;
    window->ShowModal();
}

TFormSearch::TFormSearch(forms::TComponent* owner)
    : TForm(owner),
      Panel(forms::PlaceControl<forms::TPanel>(*this, *this, Margin, Margin, FormWidth - 2 * Margin,
                                               FormHeight - ButtonStrip - 2 * Margin)),
      LabelName(forms::PlaceControl<forms::TLabel>(*this, Panel, 8, 12, 36, 13, "Name")),
      SearchString(forms::PlaceControl<forms::TEdit>(*this, Panel, 48, 8, 148, 21)),
      Btnsearch(forms::PlaceControl<forms::TButton>(*this, Panel, 204, 8, 75, 25, "Search")),
      GroupSearchFor(
          forms::PlaceControl<forms::TGroupBox>(*this, Panel, 8, 40, 128, 96, "Search For")),
      Patch(PlaceCheck(*this, GroupSearchFor, 10, 18, 110, " Patch", true)),
      Performance(PlaceCheck(*this, GroupSearchFor, 10, 36, 110, " Performance", true)),
      Rhythm(PlaceCheck(*this, GroupSearchFor, 10, 54, 110, " Rhythm", true)),
      system(PlaceCheck(*this, GroupSearchFor, 10, 72, 110, " System", true)),
      GroupOptions(
          forms::PlaceControl<forms::TGroupBox>(*this, Panel, 144, 40, 150, 96, "Options")),
      CaseSens(PlaceCheck(*this, GroupOptions, 10, 14, 134, " Case Sensitive", false)),
      substring(PlaceCheck(*this, GroupOptions, 10, 30, 134, " Substring", true)),
      Date(PlaceCheck(*this, GroupOptions, 10, 46, 134, " Date", false)),
      Time(PlaceCheck(*this, GroupOptions, 10, 62, 134, " Time", false)),
      Selected(PlaceCheck(*this, GroupOptions, 10, 78, 134, " Search into Selected", false)),
      GroupDate(
          forms::PlaceControl<forms::TGroupBox>(*this, Panel, 302, 40, 150, 46, "Modified Date")),
      FromDate(PlaceMask(*this, GroupDate, 8, DateMask)),
      Todate(PlaceMask(*this, GroupDate, 78, DateMask)),
      GroupTime(
          forms::PlaceControl<forms::TGroupBox>(*this, Panel, 302, 90, 150, 46, "Modified Time")),
      Fromtime(PlaceMask(*this, GroupTime, 8, TimeMask)),
      Totime(PlaceMask(*this, GroupTime, 78, TimeMask)),
      GroupCaseDeb(forms::PlaceControl<forms::TGroupBox>(*this, Panel, 144, 40, 150, 60)),
      DebCaseSens(PlaceCheck(*this, GroupCaseDeb, 10, 14, 134, " Case Sensitive", false)),
      SelectedDebug(PlaceCheck(*this, GroupCaseDeb, 10, 34, 134, " Search Into Selected", false)),
      LabelProgress(forms::PlaceControl<forms::TLabel>(*this, Panel, 462, 44, 60, 13, "Progress")),
      Gauge(forms::PlaceControl<forms::TGauge>(*this, Panel, 462, 62, 158, 20)),
      Header(forms::PlaceControl<forms::THeaderControl>(*this, Panel, 8, 144,
                                                        FormWidth - 2 * Margin - 16, 17)),
      DrawGrid(forms::PlaceControl<forms::TDrawGrid>(*this, Panel, 8, 161,
                                                     FormWidth - 2 * Margin - 16, 240)),
      PanelBut(forms::PlaceControl<forms::TPanel>(*this, *this, Margin,
                                                  FormHeight - ButtonStrip - Margin,
                                                  FormWidth - 2 * Margin, ButtonStrip - 4)),
      BitBtn1(forms::PlaceControl<forms::TBitBtn>(*this, PanelBut, 8, 6, 90, 25, "&Close")),
      StampaBtn(forms::PlaceControl<forms::TBitBtn>(*this, PanelBut, 428, 6, 90, 25, "Print")),
      Savetodisk(
          forms::PlaceControl<forms::TBitBtn>(*this, PanelBut, 526, 6, 90, 25, "Save To Disk")) {
    Name = "FormSearch";
    SetCaption("Search Library Items");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    SetClientWidth(FormWidth);
    SetClientHeight(FormHeight);
    HelpContext = HelpSearch;
    Gauge.SetProgress(0);
    for (const char* text : {"  Type", "  Name", "  Modified Date", "  Location"})
        Header.AddSection(text, 100);
    const int widths[] = {96, 100, 110};
    for (int i = 0; i < 3; ++i)
        Header.SetSectionWidth(i, widths[i]);
    Header.SetSectionWidth(3, Header.ClientWidth() - Header.SectionLeft(3));
    SetUpElemGrid(DrawGrid);
    DrawGrid.SetScrollBars(forms::ssVertical);
    DrawGrid.SetRowCount(0);
    DrawGrid.SetDefaultColWidth(DrawGrid.ClientWidth());
    formSearch = this;

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
    for (forms::TCheckBox* box : {&Date, &Time, &Selected, &SelectedDebug})
        box->OnClick = [this](forms::TObject* sender) { DateClick(sender); };
    Btnsearch.OnClick = [this](forms::TObject* sender) { BtnsearchClick(sender); };
    DrawGrid.OnDrawCell = [this](forms::TObject*, int, int row, forms::TRect rect,
                                 forms::TGridDrawState) { DrawGridDrawCell(row, rect); };
    StampaBtn.OnClick = [this](forms::TObject* sender) { StampaBtnClick(sender); };
    Savetodisk.OnClick = [this](forms::TObject* sender) { SavetodiskClick(sender); };
    BitBtn1.OnClick = [this](forms::TObject*) { Close(); };
}

TFormSearch::~TFormSearch() {
    if (formSearch == this) formSearch = nullptr;
}

// Showing and closing.

void TFormSearch::FormShow(forms::TObject*) {
    searched_ = false;
    SetCaption(Duplicates ? "Find Duplicate Items" : "Search Items");
    HelpContext = Duplicates ? HelpDuplicates : HelpSearch;
    GroupCaseDeb.SetVisible(Duplicates);
    for (forms::TControl* control : std::initializer_list<forms::TControl*>{
             &GroupDate, &GroupTime, &GroupOptions, &LabelName, &SearchString})
        control->SetVisible(!Duplicates);
    Btnsearch.SetBounds(Duplicates ? 144 : 204, 8, Btnsearch.Width(), Btnsearch.Height());
    GroupSearchFor.SetTop(Duplicates ? 8 : 40);
    Header.SetTop(GroupSearchFor.Top() + GroupSearchFor.Height() + 8);
    DrawGrid.SetTop(Header.Top() + Header.Height());
    DrawGrid.SetHeight(Panel.ClientHeight() - GridBottomGap - DrawGrid.Top());
    DateClick(this);
    DrawGrid.SetRowCount(0);
    DrawGrid.Invalidate();
    SearchString.SetText("");
    Gauge.SetProgress(0);
}

void TFormSearch::FormClose(forms::TObject*, forms::TCloseAction&) {
    results_.clear();
    duplicates_.clear();
}

void TFormSearch::DateClick(forms::TObject*) {
    FromDate.SetEnabled(Date.Checked());
    Todate.SetEnabled(Date.Checked());
    Fromtime.SetEnabled(Time.Checked());
    Totime.SetEnabled(Time.Checked());
}

// Searching.

bool TFormSearch::ReadRanges() {
    try {
        if (Date.Checked()) {
            fromDate_ = pc::StrToDate(FromDate.Text());
            toDate_ = pc::StrToDate(Todate.Text());
        }
    } catch (const pc::EConvertError&) {
        model::MessageDlg("Incorrect Date Format.", model::TMsgDlgType::mtError, model::mbOK);
        FromDate.SetFocus();
        return false;
    }
    try {
        if (Time.Checked()) {
            fromTime_ = pc::StrToTime(Fromtime.Text());
            toTime_ = pc::StrToTime(Totime.Text());
        }
    } catch (const pc::EConvertError&) {
        model::MessageDlg("Incorrect Time Format.", model::TMsgDlgType::mtError, model::mbOK);
        Fromtime.SetFocus();
        return false;
    }
    return true;
}

void TFormSearch::BtnsearchClick(forms::TObject*) {
    searched_ = true;
    results_.clear();
    duplicates_.clear();
    const forms::TCursor cursor = Cursor();
    SetCursor(forms::crHourGlass);
    text_ = TrimRight(SearchString.Text());
    if (!Duplicates && !ReadRanges()) {
        SetCursor(cursor);
        return;
    }
    ShowProgress(0);
    const bool card = model::AppState() != nullptr && model::AppState()->Config.DataCardInstalled;
    const int count = Library != nullptr ? Library->Count() : 0;
    for (int i = 0; i < count; ++i) {
        ShowProgress(static_cast<int>(std::trunc(static_cast<double>(i) / count * 100)));
        model::TLibElem& elem = Library->Elem(i);
        if (!elem.Selected && (Duplicates ? SelectedDebug.Checked() : Selected.Checked())) continue;
        switch (elem.Type) {
        case model::etPatchBank:
        case model::etPerformanceBank:
        case model::etRhythmBank:
            SearchBank(static_cast<model::TBank&>(elem));
            break;
        case model::etGlobal: {
            auto& global = static_cast<model::TGlobal&>(elem);
            SearchBank(global.UserPatchBank());
            SearchBank(global.UserPerformanceBank());
            SearchBank(global.UserRhythmBank());
            if (card) {
                SearchBank(global.CardPatchBank());
                SearchBank(global.CardPerformanceBank());
                SearchBank(global.CardRhythmBank());
            }
            break;
        }
        default:
            Take(elem);
            break;
        }
    }
    ShowProgress(100);
    if (Duplicates) SortByName();
    DrawGrid.SetRowCount(static_cast<int>(results_.size()));
    DrawGrid.SetDefaultColWidth(DrawGrid.ClientWidth());
    DrawGrid.Invalidate();
    SetCursor(cursor);
}

void TFormSearch::ShowProgress(int Percent) {
    if (Gauge.Progress() == Percent) return;
    Gauge.SetProgress(Percent);
    Gauge.Repaint();
}

void TFormSearch::SearchBank(model::TBank& Bank) {
    const bool wanted = (Bank.Type == model::etPatchBank && Patch.Checked()) ||
                        (Bank.Type == model::etPerformanceBank && Performance.Checked()) ||
                        (Bank.Type == model::etRhythmBank && Rhythm.Checked());
    if (!wanted) return;
    for (int i = 0; i < Bank.Count(); ++i)
        Take(Bank.Elem(i));
}

void TFormSearch::Take(model::TLibElem& Elem) {
    if (Duplicates)
        Collect(Elem);
    else if (Matches(Elem))
        results_.push_back(&Elem);
}

bool TFormSearch::TypeChecked(const model::TLibElem& Elem) const {
    switch (Elem.Type) {
    case model::etPatch:
        return Patch.Checked();
    case model::etPerformance:
        return Performance.Checked();
    case model::etRhythm:
        return Rhythm.Checked();
    case model::etSystem:
        return system.Checked();
    default:
        return false;
    }
}

bool TFormSearch::Matches(const model::TLibElem& Elem) const {
    if (!TypeChecked(Elem)) return false;
    if (!text_.empty()) {
        std::string name = TrimRight(Elem.GetName());
        std::string text = text_;
        if (!CaseSens.Checked()) {
            name = Upper(std::move(name));
            text = Upper(std::move(text));
        }
        if (substring.Checked() ? name.find(text) == std::string::npos : name != text) return false;
    }
    if (Date.Checked() && (Elem.ModifiedDate < fromDate_ || Elem.ModifiedDate > toDate_))
        return false;
    if (Time.Checked() && (Elem.ModifiedTime < fromTime_ || Elem.ModifiedTime > toTime_))
        return false;
    return true;
}

void TFormSearch::Collect(model::TLibElem& Elem) {
    const std::string name = TrimRight(Elem.GetName());
    if (name.empty() || !TypeChecked(Elem)) return;
    const bool exact = DebCaseSens.Checked();
    const std::string key = exact ? name : Upper(name);
    for (TDebElem& entry : duplicates_) {
        const std::string other = TrimRight(entry.Element->GetName());
        if ((exact ? other : Upper(other)) != key) continue;
        if (!entry.Added) {
            results_.push_back(entry.Element);
            entry.Added = true;
        }
        results_.push_back(&Elem);
        return;
    }
    duplicates_.push_back({&Elem, false});
}

void TFormSearch::SortByName() {
    // Upper-case names in byte order, equal names in the order the exchange sort leaves them.
    std::vector<std::string> names;
    names.reserve(results_.size());
    for (const model::TLibElem* elem : results_)
        names.push_back(Upper(elem->GetName()));
    std::vector<model::TLibElem*> sorted;
    sorted.reserve(results_.size());
    for (std::size_t index : model::ExchangeSortOrder(
             results_.size(), [&](std::size_t a, std::size_t b) { return names[a] < names[b]; }))
        sorted.push_back(results_[index]);
    results_ = std::move(sorted);
}

// The results.

void TFormSearch::DrawGridDrawCell(int Row, const forms::TRect& Rect) {
    platform::gdi::TCanvas& canvas = DrawGrid.Canvas();
    canvas.Brush().SetColor(platform::gdi::clWhite);
    canvas.FillRect({0, Rect.Top, DrawGrid.ClientWidth(), Rect.Bottom});
    canvas.Font().SetColor(platform::gdi::clBlack);
    if (results_.empty()) {
        if (Row == 0 && searched_) DrawRowTexts(canvas, Rect.Top, {{TypeLeft, "No Items Found"}});
        return;
    }
    if (Row < 0 || Row >= static_cast<int>(results_.size())) return;
    const model::TLibElem& elem = *results_[static_cast<std::size_t>(Row)];
    rowIcons_.Draw(canvas, elem.Type, IconLeft, Rect.Top);
    DrawRowTexts(canvas, Rect.Top,
                 {{TypeLeft, elem.GetTypeName()},
                  {NameLeft, elem.GetName()},
                  {DateLeft, ModifiedText(elem)},
                  {PathLeft, model::ElemPath(elem)}});
}

void TFormSearch::StampaBtnClick(forms::TObject*) {
    model::PrintBegin(Library);
    int y = model::PrintPageTop;
    // Found elements lie deep in banks and global sets: each line says where.
    for (model::TLibElem* elem : results_)
        elem->Print(y, true);
    model::PrintEnd();
}

std::vector<std::string> TFormSearch::ResultLines() const {
    std::vector<std::string> lines;
    for (const model::TLibElem* elem : results_)
        lines.push_back(PadRight(elem->GetTypeName(), 20) + PadRight(elem->GetName(), 20) +
                        PadRight(elem->GetLocation(), 15) + PadRight(ModifiedText(*elem), 25) +
                        "Loc : " + model::ElemPath(*elem));
    return lines;
}

void TFormSearch::SavetodiskClick(forms::TObject*) {
    model::TFileDialogRequest request;
    request.Title = "Save as Text";
    request.Filter = "Txt file|*.Txt";
    request.DefaultExt = "Txt";
    request.FileName = "Result.Txt";
    request.InitialDir = model::GetDefaultDataFolder();
    if (!model::ExecuteSaveDialog(request)) return;
    pc::TStringList text;
    for (const std::string& line : ResultLines())
        text.Add(line);
    std::string error;
    if (!pc::WriteTextFileAtomically(request.FileName, text.Text(), &error))
        throw pc::Exception("Error Saving text file: " + error);
}

} // namespace app
