#pragma once
// An editor's text laid out once in rows for its rectangle and drawn from them at every paint:
// one row, or word-wrapped rows when the flags drop the single-line flag; an end ellipsis when
// the text does not fit; a selected range painted in its own colours, clipped to the characters
// the rows show. Flags are the toolkit's text flags (CXTO_*, toolkit/base/cx_draw_text_utils.h);
// everything is measured and drawn with the font selected into the device context.

#include "toolkit/base/cx_draw_text_utils.h"

#include <string>

namespace toolkit::edit {

using platform::gdi::HDC;
using platform::gdi::TColor;
using platform::gdi::TRect;

// The rows point into the record itself, so it stays where it is prepared.
struct TcxTextOutData {
    TcxTextOutData() = default;
    TcxTextOutData(const TcxTextOutData&) = delete;
    TcxTextOutData& operator=(const TcxTextOutData&) = delete;

    // The last row ends in an ellipsis even where it fits: text was cut after it.
    bool ForceEndEllipsis = false;
    int RowCount = 0;
    int SelStart = 0;
    int SelLength = 0;
    TColor SelTextColor = platform::gdi::clHighlightText;
    TColor SelBkColor = platform::gdi::clHighlight;
    toolkit::base::TcxTextParams TextParams;
    TRect TextRect{};
    toolkit::base::TcxTextRows TextRows;
};

// Lays Text out in R. Multi-row text takes at most MaxLineCount rows, or with 0 as many whole
// rows as R holds (at least one); the end ellipsis is forced when text was left over and the
// flags ask for an ellipsis. The selection is emptied.
void cxPrepareTextOutData(HDC DC, const std::string& Text, const TRect& R, unsigned Flags,
                          TcxTextOutData& Data, int MaxLineCount = 0);
// The number of characters from the start of the text up to the end of the last row.
int cxGetTextOutVisibleLength(const TcxTextOutData& Data);
// The selection, clipped to the visible characters: a start outside them empties it, a range
// running past them ends at the last one.
void cxSetTextOutSelection(TcxTextOutData& Data, int Start, int Length, TColor TextColor,
                           TColor BkColor);
void cxOffsetTextOutData(TcxTextOutData& Data, int DX, int DY);
// Draws the rows in the context's text colour, background transparent, clipped to the text
// rectangle, the selection on its own background.
void cxTextOut(HDC DC, TcxTextOutData& Data);

// Text measured in rows: their number and the widest.
struct TcxTextRowsExtent {
    int RowCount = 0;
    int Width = 0;
};
// Text broken into rows for Width (0 or less: broken only at its line breaks), height unlimited.
TcxTextRowsExtent cxMeasureTextRows(HDC DC, const std::string& Text, int Width, unsigned Flags);
// Text laid out in R under Flags (single-line text with unlimited width, any height) does not
// fit: a row wider than R or ending right of it, or rows reaching below it.
bool cxIsTextClipped(HDC DC, const std::string& Text, const TRect& R, unsigned Flags);

} // namespace toolkit::edit
