#pragma once
// The page layout of printed listings: the job with its page footers, centred lines, rules and
// the table row of one element. Coordinates are printer pixels of the installed print target;
// with none installed nothing is printed and the line height is 0.

#include <string>

namespace model {

class TLibElem;
class TLibrary;

// The page of the job in progress, from 1.
inline int PrintPageNo = 0;

// Where a new page's lines start, and the space left below each block of lines.
inline constexpr int PrintPageTop = 10;
inline constexpr int PrintBlockGap = 70;

// Page 1; starts the job of a listing of Library (null: of elements in no library) in Courier
// New 10. Raises the printer's error when it cannot start.
void PrintBegin(const TLibrary* Library);
// The last page's footer, and the job ends.
void PrintEnd();
// "Page Nº n" centred near the bottom of the page; the next page's number follows. Callers
// start the new page themselves.
void PrintPageFooter();
void PrintCentered(int y, const std::string& text);
// A horizontal rule across the table.
void PrintRule(int y);
// One table row of elem with its top at y, one line high: type, name, location, modified date
// and time, and with withLocation where it lies in its containers. Draws the cell borders but no
// rules, and leaves y to the caller.
void PrintElemLine(int y, const TLibElem& elem, bool withLocation);
// Where elem lies: its owner's name, or for an element of a bank in a global set within a
// library, the global set's name, "\" and the bank's name. Empty for an element without owner.
std::string ElemPath(const TLibElem& elem);
// Four thirds of the text height of the current font.
int PrintLineHeight();

// Whether a block of lines starting at y would run into the footer; see TLibElem::Print.
bool PrintPageFull(int y);
// Ends the page with its footer, starts the next and puts y at its top.
void PrintNextPage(int& y);

} // namespace model
