#pragma once
// Text broken into rows for a rectangle, placed and drawn: the toolkit's own multi-line text
// drawing, with end ellipsis, justification, clipping and a highlighted character range (the
// incremental-search highlight of the edit controls). Rows are made from wide text; wide
// (East-Asian) characters are each a break opportunity, and a character that may not begin a
// line stays on the row of the wide character before it. Our device contexts draw 8-bit text:
// a wide character without a Windows-1252 byte is measured and drawn as '?'.

#include "toolkit/base/cx_canvas.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace toolkit::base {

// The text flags callers give.
inline constexpr std::uint32_t CXTO_LEFT = 0x0, CXTO_CENTER_HORIZONTALLY = 0x1, CXTO_RIGHT = 0x2,
                               CXTO_JUSTIFY_HORIZONTALLY = 0x3, CXTO_JUSTIFY_ALL = 0x4,
                               CXTO_TOP = 0x00, CXTO_CENTER_VERTICALLY = 0x10, CXTO_BOTTOM = 0x20,
                               CXTO_DISTRIBUTE_VERTICALLY = 0x30, CXTO_WORDBREAK = 0x100,
                               CXTO_SINGLELINE = 0x200, CXTO_EXPANDTABS = 0x400,
                               CXTO_END_ELLIPSIS = 0x800, CXTO_PATTERNEDTEXT = 0x1000,
                               CXTO_EXTERNALLEADING = 0x2000, CXTO_EDITCONTROL = 0x4000,
                               CXTO_NOCLIP = 0x8000, CXTO_AUTOINDENTS = 0x10000,
                               CXTO_CHARBREAK = 0x20000, CXTO_PREVENT_LEFT_EXCEED = 0x40000,
                               CXTO_PREVENT_TOP_EXCEED = 0x80000, CXTO_NOPREFIX = 0x100000,
                               CXTO_CALCROWCOUNT = 0x200000, CXTO_HIDEPREFIX = 0x1000000,
                               CXTO_CUTSPACES = 0x2000000;

struct TcxTextParams {
    int FullHeight = 0;
    int ExternalLeading = 0;
    int RowHeight = 0;
    int EllipsisWidth = 0;
    bool IsBold = false;
    wchar_t BreakChar = L' ';
    std::uint8_t HorzAlign = 0; // 0 left, 1 centre, 2 right, 3 justify wrapped rows, 4 all rows
    std::uint8_t VertAlign = 0; // 0 top, 1 centre, 2 bottom, 3 spread over the height
    bool WordWrap = false;
    bool SingleLine = false;
    bool ExpandTabs = false;
    bool EndEllipsis = false;
    bool IncludeExternalLeading = false;
    bool WholeRowsOnly = false;
    bool SkipSpacesAfterWrap = false;
    bool NoClip = false;
    bool InnerMargin = false;
    bool PatternSmallText = false;
    bool NoLeftOverflow = false;
    bool NoTopOverflow = false;
    bool BreakInsideWords = false;
    bool CountOnly = false;
    bool AsIs = false;
    int MaxCharWidth = 0;
    std::uint8_t CharSet = 0;
    int OnePixel = 1;
    bool HidePrefix = false;
};

struct TcxTextRow {
    const wchar_t* Text = nullptr;
    int Length = 0;
    int Width = 0;
    int Height = 0;
    int SpaceCount = 0;
    int Left = 0;
    int Top = 0;
    int TextOffset = 0;
};

// The rows point into Text, so the list stays where it is made.
struct TcxTextRows {
    TcxTextRows() = default;
    TcxTextRows(const TcxTextRows&) = delete;
    TcxTextRows& operator=(const TcxTextRows&) = delete;

    int Count = 0;
    std::wstring Text;
    std::array<TcxTextRow, 32> Rows{};
    // Rows 32 and later.
    std::vector<TcxTextRow> Overflow;
};

TcxTextRow& cxGetTextRow(TcxTextRows& Rows, int Index);
const TcxTextRow& cxGetTextRow(const TcxTextRows& Rows, int Index);
void cxResetTextRows(TcxTextRows& Rows);
// The widest of the first min(Count, N) rows; 0 for none.
int cxGetLongestTextRowWidth(const TcxTextRows& Rows, int N);

// A character that may not begin a line, and a wide character (its own break opportunity).
bool cxIsNoLineStartChar(wchar_t Ch);
bool cxIsWideChar(wchar_t Ch);

// The parameters of the flags for the font selected into DC.
void cxCalcTextParams(HDC DC, std::uint32_t Flags, TcxTextParams& Params,
                      double LineSpacingFactor = 1.0);
void cxCalcCanvasTextParams(TcxCanvas& ACanvas, std::uint32_t Flags, TcxTextParams& Params,
                            double LineSpacingFactor = 1.0);

// The width and height of Length characters of wide text.
using TcxTextMeasure = std::function<TSize(const wchar_t* Text, int Length)>;
// Measures with the font selected into DC (tabs expanded when the parameters ask).
TcxTextMeasure cxTextMeasureOfDC(HDC DC, const TcxTextParams& Params);

// Breaks Text into Rows for R; true when the whole text fitted (always in single-line,
// count-only and as-is modes). MaxRowCount 0: no limit.
bool cxMakeTextRows(const TcxTextMeasure& Measure, std::wstring Text, const TRect& R,
                    const TcxTextParams& Params, TcxTextRows& Rows, int& RowCount,
                    int MaxRowCount = 0);
bool cxMakeTextRows(HDC DC, const std::string& Text, const TRect& R, const TcxTextParams& Params,
                    TcxTextRows& Rows, int& RowCount, int MaxRowCount = 0);
bool cxMakeTextRowsForCanvas(TcxCanvas& ACanvas, const std::string& Text, const TRect& R,
                             const TcxTextParams& Params, TcxTextRows& Rows, int& RowCount,
                             int MaxRowCount = 0);

// Every row's Left and Top in R.
void cxPlaceTextRows(const TRect& R, TcxTextParams& Params, TcxTextRows& Rows, int RowCount);

// Bounds less the inner margin and the character margins.
void cxGetTextRect(TRect& TextRect, const TRect& Bounds, const TcxTextParams& Params,
                   int LeftMarginChars = 0, int RightMarginChars = 0);

// Draws the placed rows in the selected font and text colour, background transparent; the
// characters HighlightStart .. + HighlightLength in their own colours.
void cxTextRowsOutHighlight(HDC DC, const TRect& R, const TcxTextParams& Params, TcxTextRows& Rows,
                            int RowCount, bool ForceEllipsis = false, int HighlightStart = 0,
                            int HighlightLength = 0,
                            TColor HighlightTextColor = platform::gdi::clHighlightText,
                            TColor HighlightBackColor = platform::gdi::clHighlight);

} // namespace toolkit::base
