#include "model/print/print_routines.h"

#include "model/elements/lib_elem.h"
#include "model/print/print_target.h"
#include "platform/core/date_time.h"

namespace model {

namespace pc = platform::core;

namespace {

constexpr const char* PrintFontName = "Courier New";
constexpr int PrintFontSize = 10;
// Text whose height sets the line height.
constexpr const char* LineSample = "HHHHH";
// "Page Nº ", the sign being the Windows-1252 masculine ordinal.
constexpr const char* PageFooterText = "Page N\xBA ";

// Left edge of the table, and what the right edge stays clear of the page's.
constexpr int TableLeft = 30;
constexpr int TableRightMargin = 90;
constexpr int CellTextIndent = 10;
constexpr int FooterMargin = 70;

} // namespace

void PrintBegin(const TLibrary* Library) {
    PrintPageNo = 1;
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    target->BeginDoc(Library);
    target->SetFont(PrintFontName, PrintFontSize);
}

void PrintEnd() {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    PrintPageFooter();
    target->EndDoc();
}

void PrintPageFooter() {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    PrintCentered(target->PageHeight() - PrintLineHeight() - FooterMargin,
                  PageFooterText + std::to_string(PrintPageNo));
    ++PrintPageNo;
}

void PrintCentered(int y, const std::string& text) {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    target->TextOut((target->PageWidth() - 20 - target->TextWidth(text)) / 2, y, text);
}

void PrintRule(int y) {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    target->Line(TableLeft, y, target->PageWidth() - TableRightMargin, y);
}

void PrintElemLine(int y, const TLibElem& elem, bool withLocation) {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    const int lineHeight = PrintLineHeight();
    const int usable = target->PageWidth() - 2 * TableLeft;
    const int column = withLocation ? usable / 5 : usable / 4;
    // With the location the date column gives up a third of its width to it.
    const int shrink = withLocation ? column / 3 : 0;
    const int textTop = (lineHeight - target->TextHeight(LineSample)) / 2 + y;

    auto border = [&](int x) { target->Line(x, y, x, y + lineHeight); };
    auto cell = [&](int left, const std::string& text) {
        target->TextOut(left + CellTextIndent, textTop, text);
    };

    border(TableLeft);
    border(column + TableLeft);
    border(2 * column + TableLeft);
    border(3 * column + TableLeft - shrink);
    if (withLocation) border(4 * column + TableLeft - shrink);
    border(usable - TableLeft);

    cell(TableLeft, elem.GetTypeName());
    cell(column + TableLeft, elem.GetName());
    cell(2 * column + TableLeft, elem.GetLocation());
    cell(3 * column + TableLeft - shrink,
         pc::DateToStr(elem.ModifiedDate) + "  " + pc::TimeToStr(elem.ModifiedTime));
    if (withLocation) cell(4 * column + TableLeft - shrink, "Loc : " + ElemPath(elem));
}

std::string ElemPath(const TLibElem& elem) {
    const TLibElem* owner = elem.Owner;
    if (owner == nullptr) return {};
    if (owner->Owner != nullptr && owner->Owner->Owner != nullptr)
        return owner->Owner->GetName() + "\\" + owner->GetName();
    return owner->GetName();
}

int PrintLineHeight() {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return 0;
    return target->TextHeight(LineSample) * 4 / 3;
}

bool PrintPageFull(int y) {
    TPrintTarget* target = PrintTarget();
    return target != nullptr && y + 2 * PrintLineHeight() + FooterMargin > target->PageHeight();
}

void PrintNextPage(int& y) {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    PrintPageFooter();
    target->NewPage();
    y = PrintPageTop;
}

} // namespace model
