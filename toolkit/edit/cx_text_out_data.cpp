#include "toolkit/edit/cx_text_out_data.h"

#include "platform/gdi/drawing.h"

#include <algorithm>
#include <limits>

namespace toolkit::edit {

namespace tb = toolkit::base;

namespace {

// Far enough for any text: the row maker measures against it, nothing is drawn there.
constexpr int Unlimited = std::numeric_limits<int>::max() / 4;

} // namespace

void cxPrepareTextOutData(HDC DC, const std::string& Text, const TRect& R, unsigned Flags,
                          TcxTextOutData& Data, int MaxLineCount) {
    Data.ForceEndEllipsis = false;
    Data.RowCount = 0;
    Data.SelStart = 0;
    Data.SelLength = 0;
    Data.TextRect = R;
    tb::cxResetTextRows(Data.TextRows);
    if (Text.empty()) return;
    tb::cxCalcTextParams(DC, Flags, Data.TextParams);
    tb::cxGetTextRect(Data.TextRect, R, Data.TextParams);
    const tb::TcxTextParams& P = Data.TextParams;
    const bool MultiRow = !P.SingleLine;
    if (MultiRow && MaxLineCount <= 0)
        MaxLineCount = std::max(1, Data.TextRect.Height() / std::max(1, P.RowHeight));
    const bool Fitted = tb::cxMakeTextRows(DC, Text, Data.TextRect, P, Data.TextRows, Data.RowCount,
                                           MultiRow ? MaxLineCount : 0);
    if (MultiRow && Data.RowCount > MaxLineCount) Data.RowCount = MaxLineCount;
    Data.ForceEndEllipsis = MultiRow && !Fitted && P.EndEllipsis && P.WordWrap;
    tb::cxPlaceTextRows(Data.TextRect, Data.TextParams, Data.TextRows, Data.RowCount);
}

int cxGetTextOutVisibleLength(const TcxTextOutData& Data) {
    if (Data.RowCount <= 0) return 0;
    const tb::TcxTextRow& Last = tb::cxGetTextRow(Data.TextRows, Data.RowCount - 1);
    return Last.TextOffset + Last.Length;
}

void cxSetTextOutSelection(TcxTextOutData& Data, int Start, int Length, TColor TextColor,
                           TColor BkColor) {
    const int Visible = cxGetTextOutVisibleLength(Data);
    Data.SelTextColor = TextColor;
    Data.SelBkColor = BkColor;
    if (Start < 0 || Start >= Visible || Length <= 0) {
        Data.SelStart = 0;
        Data.SelLength = 0;
        return;
    }
    Data.SelStart = Start;
    Data.SelLength = std::min(Length, Visible - Start);
}

void cxOffsetTextOutData(TcxTextOutData& Data, int DX, int DY) {
    platform::gdi::OffsetRect(Data.TextRect, DX, DY);
    for (int I = 0; I < Data.RowCount; ++I) {
        tb::TcxTextRow& Row = tb::cxGetTextRow(Data.TextRows, I);
        Row.Left += DX;
        Row.Top += DY;
    }
}

void cxTextOut(HDC DC, TcxTextOutData& Data) {
    if (Data.RowCount <= 0) return;
    tb::cxTextRowsOutHighlight(DC, Data.TextRect, Data.TextParams, Data.TextRows, Data.RowCount,
                               Data.ForceEndEllipsis, Data.SelStart, Data.SelLength,
                               Data.SelTextColor, Data.SelBkColor);
}

TcxTextRowsExtent cxMeasureTextRows(HDC DC, const std::string& Text, int Width, unsigned Flags) {
    if (Text.empty()) return {};
    Flags &= ~(tb::CXTO_SINGLELINE | tb::CXTO_END_ELLIPSIS);
    Flags |= tb::CXTO_CALCROWCOUNT;
    if (Width > 0)
        Flags |= tb::CXTO_WORDBREAK;
    else
        Flags &= ~tb::CXTO_WORDBREAK;
    tb::TcxTextParams P;
    tb::cxCalcTextParams(DC, Flags, P);
    tb::TcxTextRows Rows;
    int Count = 0;
    tb::cxMakeTextRows(DC, Text, {0, 0, Width > 0 ? Width : Unlimited, Unlimited}, P, Rows, Count);
    return {Count, tb::cxGetLongestTextRowWidth(Rows, Count)};
}

bool cxIsTextClipped(HDC DC, const std::string& Text, const TRect& R, unsigned Flags) {
    if (Text.empty()) return false;
    Flags = (Flags & ~tb::CXTO_END_ELLIPSIS) | tb::CXTO_CALCROWCOUNT;
    tb::TcxTextParams P;
    tb::cxCalcTextParams(DC, Flags, P);
    TRect Layout = R;
    if (P.SingleLine) Layout.Right = Layout.Left + Unlimited;
    tb::TcxTextRows Rows;
    int Count = 0;
    tb::cxMakeTextRows(DC, Text, Layout, P, Rows, Count);
    // Placed in R itself, so that alignment decides where a row ends.
    tb::cxPlaceTextRows(R, P, Rows, Count);
    for (int I = 0; I < Count; ++I) {
        const tb::TcxTextRow& Row = tb::cxGetTextRow(Rows, I);
        if (Row.Width > R.Width() || Row.Left + Row.Width > R.Right ||
            Row.Top + P.RowHeight > R.Bottom)
            return true;
    }
    return false;
}

} // namespace toolkit::edit
