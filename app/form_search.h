#pragma once
// The search window ("Search Library Items"): finds the elements of one library by name, type,
// modified date and modified time, or the elements that share a name ("Find Duplicate Items"),
// looking into its banks and global sets (a global set's card banks only with a data card), and
// lists them in a grid that it prints or saves as text. Created once at start-up; the library
// window's search and duplicate buttons show it modally on their library (SearchLibrary).

#include "app/elem_rows.h"
#include "platform/forms/buttons.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/gauges.h"
#include "platform/forms/grids.h"
#include "platform/forms/mask.h"
#include "platform/forms/std_ctrls.h"

#include <string>
#include <vector>

namespace model {
class TBank;
class TLibElem;
class TLibrary;
} // namespace model

namespace app {

namespace forms = platform::forms;

// A name met while looking for duplicates: the first element that carried it, and whether that
// element already stands among the results.
struct TDebElem {
    model::TLibElem* Element = nullptr;
    bool Added = false;
};

class TFormSearch : public forms::TForm {
public:
    explicit TFormSearch(forms::TComponent* owner);
    ~TFormSearch() override;

    // What the opener sets before showing: the library searched (it must outlive the showing)
    // and the mode.
    model::TLibrary* Library = nullptr;
    bool Duplicates = false;

    // The elements found by the last search, in the grid's order; empty once the window closed.
    const std::vector<model::TLibElem*>& Results() const { return results_; }
    // The results as "Save To Disk" writes them, one line each.
    std::vector<std::string> ResultLines() const;

    forms::TPanel& Panel;
    forms::TLabel& LabelName;
    forms::TEdit& SearchString;
    forms::TButton& Btnsearch;
    forms::TGroupBox& GroupSearchFor;
    forms::TCheckBox& Patch;
    forms::TCheckBox& Performance;
    forms::TCheckBox& Rhythm;
    forms::TCheckBox& system;
    forms::TGroupBox& GroupOptions;
    forms::TCheckBox& CaseSens;
    forms::TCheckBox& substring;
    forms::TCheckBox& Date;
    forms::TCheckBox& Time;
    forms::TCheckBox& Selected;
    forms::TGroupBox& GroupDate;
    forms::TMaskEdit& FromDate;
    forms::TMaskEdit& Todate;
    forms::TGroupBox& GroupTime;
    forms::TMaskEdit& Fromtime;
    forms::TMaskEdit& Totime;
    forms::TGroupBox& GroupCaseDeb;
    forms::TCheckBox& DebCaseSens;
    forms::TCheckBox& SelectedDebug;
    forms::TLabel& LabelProgress;
    forms::TGauge& Gauge;
    forms::THeaderControl& Header;
    forms::TDrawGrid& DrawGrid;
    forms::TPanel& PanelBut;
    forms::TBitBtn& BitBtn1;
    forms::TBitBtn& StampaBtn;
    forms::TBitBtn& Savetodisk;

private:
    void FormShow(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void DateClick(forms::TObject* Sender);
    void BtnsearchClick(forms::TObject* Sender);
    void DrawGridDrawCell(int Row, const forms::TRect& Rect);
    void StampaBtnClick(forms::TObject* Sender);
    void SavetodiskClick(forms::TObject* Sender);

    // Reads the date and time ranges; false, with the message shown, when one cannot be read.
    bool ReadRanges();
    void SearchBank(model::TBank& Bank);
    // The element tested (search mode) or collected (duplicates mode).
    void Take(model::TLibElem& Elem);
    bool TypeChecked(const model::TLibElem& Elem) const;
    bool Matches(const model::TLibElem& Elem) const;
    void Collect(model::TLibElem& Elem);
    void SortByName();
    void ShowProgress(int Percent);

    bool searched_ = false;
    std::vector<model::TLibElem*> results_;
    std::vector<TDebElem> duplicates_;
    // The search text as compared, and the ranges, while a search runs.
    std::string text_;
    double fromDate_ = 0, toDate_ = 0, fromTime_ = 0, toTime_ = 0;
    TRowIcons rowIcons_;
};

// The search window while it lives; null before start-up made it and after it went.
TFormSearch* FormSearch();

// The library window's search (Duplicates false) and duplicate commands: the window searches
// Library, shown modally. Nothing without the window.
void SearchLibrary(model::TLibrary& Library, bool Duplicates);

} // namespace app
