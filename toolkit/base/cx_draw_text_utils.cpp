#include "toolkit/base/cx_draw_text_utils.h"

#include "toolkit/base/string_conversion.h"

#include "platform/gdi/canvas.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

bool IsBlank(wchar_t Ch) {
    return Ch == L' ' || Ch == L'\t';
}

bool IsLineBreak(wchar_t Ch) {
    return Ch == L'\r' || Ch == L'\n';
}

// Wide text as the 8-bit text our device contexts draw: each character by its Windows-1252
// byte, '?' for one that has none.
std::string ToAnsi(const wchar_t* Text, int Length) {
    static const std::unordered_map<wchar_t, char> Bytes = [] {
        std::unordered_map<wchar_t, char> Map;
        for (int B = 1; B < 256; ++B) {
            const char Ch = static_cast<char>(B);
            const std::wstring W = dxMultiByteToWideString(&Ch, 1, CP_ACP);
            if (W.size() == 1) Map.emplace(W[0], Ch);
        }
        return Map;
    }();
    std::string Result;
    Result.reserve(static_cast<std::size_t>(std::max(Length, 0)));
    for (int I = 0; I < Length; ++I) {
        const auto It = Bytes.find(Text[I]);
        Result += It != Bytes.end() ? It->second : '?';
    }
    return Result;
}

bool EndsInEllipsis(const TcxTextParams& P) {
    return P.EndEllipsis && !P.NoClip && P.HorzAlign < 3 && !P.AsIs && !P.CountOnly;
}

struct TBreaker {
    const TcxTextMeasure& Measure;
    const TcxTextParams& P;
    const std::wstring& Text;
    int MaxWidth;

    int Width(int From, int To) const { return To > From ? Measure(&Text[From], To - From).cx : 0; }

    int SegmentEnd(int Start) const {
        const int End = static_cast<int>(Text.size());
        if (!P.WordWrap || P.AsIs) {
            int I = Start;
            while (I < End && !IsLineBreak(Text[I]))
                ++I;
            return I;
        }
        const wchar_t Ch = Text[Start];
        if (IsBlank(Ch)) return Start + 1;
        if (cxIsWideChar(Ch))
            return Start + 1 < End && cxIsNoLineStartChar(Text[Start + 1]) ? Start + 2 : Start + 1;
        int I = Start + 1;
        while (I < End && !IsBlank(Text[I]) && !IsLineBreak(Text[I]) && !cxIsWideChar(Text[I]))
            ++I;
        return I;
    }

    // Past a line break at I (CR LF, LF CR or one alone); I itself when there is none.
    int SkipLineBreak(int I) const {
        const int End = static_cast<int>(Text.size());
        if (I >= End || !IsLineBreak(Text[I])) return I;
        const wchar_t First = Text[I++];
        if (I < End && IsLineBreak(Text[I]) && Text[I] != First) ++I;
        return I;
    }

    // The row from Start: its end and where the next row starts.
    void Break(int Start, bool LastRow, TcxTextRow& Row, int& Next) const {
        const int End = static_cast<int>(Text.size());
        int RowEnd = End;
        Next = End;
        bool Wrapped = false;
        for (int Seg = Start; Seg < End;) {
            if (IsLineBreak(Text[Seg])) {
                RowEnd = Seg;
                Next = SkipLineBreak(Seg);
                break;
            }
            const int SegEnd = SegmentEnd(Seg);
            if (P.WordWrap && !P.AsIs && Width(Start, SegEnd) > MaxWidth) {
                Wrapped = true;
                if (Seg == Start || (LastRow && EndsInEllipsis(P))) {
                    RowEnd = SegEnd;
                    if (P.BreakInsideWords) {
                        // The longest prefix of the segment that fits beside the row so far.
                        int Lo = 1, Hi = SegEnd - Seg;
                        while (Lo < Hi) {
                            const int Mid = (Lo + Hi + 1) / 2;
                            if (Width(Start, Seg + Mid) <= MaxWidth)
                                Lo = Mid;
                            else
                                Hi = Mid - 1;
                        }
                        RowEnd = Seg + Lo;
                    }
                    Next = RowEnd;
                    if (P.EndEllipsis) Next = SkipLineBreak(Next);
                } else {
                    RowEnd = Seg;
                    Next = Seg;
                }
                break;
            }
            Seg = SegEnd;
        }
        if (Wrapped) {
            if (P.SkipSpacesAfterWrap) {
                while (Next < End && Text[Next] == L' ')
                    ++Next;
            } else if (P.HorzAlign == 1 || P.HorzAlign == 2) {
                if (RowEnd > Start && Text[RowEnd - 1] == L' ') --RowEnd;
                if (P.HorzAlign == 1 && Next < End && IsBlank(Text[Next])) ++Next;
            } else if (Next < End && IsBlank(Text[Next])) {
                ++Next;
            }
        }
        int SpaceCount = 0;
        if (P.HorzAlign == 4 || (P.HorzAlign == 3 && Wrapped)) {
            while (RowEnd > Start && IsBlank(Text[RowEnd - 1]))
                --RowEnd;
            SpaceCount = static_cast<int>(
                std::count_if(Text.begin() + Start, Text.begin() + RowEnd, IsBlank));
        }
        Row.Text = Text.data() + Start;
        Row.Length = RowEnd - Start;
        Row.TextOffset = Start;
        Row.SpaceCount = SpaceCount;
        const TSize Size = Row.Length > 0 ? Measure(Row.Text, Row.Length) : TSize{0, P.FullHeight};
        Row.Width = Size.cx;
        Row.Height = Size.cy;
    }
};

TcxTextRow& AddRow(TcxTextRows& Rows) {
    const int Index = Rows.Count++;
    if (Index < 32) return Rows.Rows[static_cast<std::size_t>(Index)] = TcxTextRow{};
    if (Rows.Count - 32 > static_cast<int>(Rows.Overflow.size()))
        Rows.Overflow.resize(static_cast<std::size_t>(Rows.Count - 28));
    return Rows.Overflow[static_cast<std::size_t>(Index - 32)] = TcxTextRow{};
}

} // namespace

TcxTextRow& cxGetTextRow(TcxTextRows& Rows, int Index) {
    return Index < 32 ? Rows.Rows[static_cast<std::size_t>(Index)]
                      : Rows.Overflow[static_cast<std::size_t>(Index - 32)];
}

const TcxTextRow& cxGetTextRow(const TcxTextRows& Rows, int Index) {
    return Index < 32 ? Rows.Rows[static_cast<std::size_t>(Index)]
                      : Rows.Overflow[static_cast<std::size_t>(Index - 32)];
}

void cxResetTextRows(TcxTextRows& Rows) {
    Rows.Count = 0;
    Rows.Overflow.clear();
    Rows.Overflow.shrink_to_fit();
}

int cxGetLongestTextRowWidth(const TcxTextRows& Rows, int N) {
    int Result = 0;
    for (int I = 0; I < std::min(Rows.Count, N); ++I)
        Result = std::max(Result, cxGetTextRow(Rows, I).Width);
    return Result;
}

bool cxIsNoLineStartChar(wchar_t Ch) {
    static constexpr wchar_t Chars[] = {
        0x0021, 0x0025, 0x0029, 0x002C, 0x002E, 0x003A, 0x003B, 0x003E, 0x003F, 0x005D,
        0x007D, 0x00A8, 0x00B0, 0x00B7, 0x02C7, 0x02C9, 0x2013, 0x2014, 0x2015, 0x2016,
        0x2018, 0x2019, 0x201D, 0x2022, 0x2025, 0x2026, 0x2027, 0x2032, 0x2033, 0x2103,
        0x2236, 0x2574, 0x3001, 0x3002, 0x3003, 0x3005, 0x3009, 0x300B, 0x300D, 0x300F,
        0x3011, 0x3015, 0x3017, 0x301E, 0x309B, 0x309C, 0xFE30, 0xFE31, 0xFE33, 0xFE34,
        0xFE36, 0xFE38, 0xFE3A, 0xFE3C, 0xFE3E, 0xFE40, 0xFE42, 0xFE44, 0xFE4F, 0xFE50,
        0xFE51, 0xFE52, 0xFE54, 0xFE55, 0xFE56, 0xFE57, 0xFE5A, 0xFE5C, 0xFE5E, 0xFF01,
        0xFF02, 0xFF05, 0xFF07, 0xFF09, 0xFF0C, 0xFF0D, 0xFF0E, 0xFF1A, 0xFF1B, 0xFF1E,
        0xFF1F, 0xFF3D, 0xFF5C, 0xFF5D, 0xFF5E, 0xFF61, 0xFF63, 0xFF64, 0xFF9E, 0xFF9F};
    return Ch >= 0xFFE0 || std::find(std::begin(Chars), std::end(Chars), Ch) != std::end(Chars);
}

bool cxIsWideChar(wchar_t Ch) {
    // The system's code page (Windows-1252) has a single byte for every character it holds.
    return (Ch >= 0x4E00 && Ch <= 0x9FFF) || (Ch >= 0x3040 && Ch <= 0x309F) ||
           (Ch >= 0x30A0 && Ch <= 0x30FF) || (Ch >= 0xAC00 && Ch <= 0xD7A3);
}

void cxCalcTextParams(HDC DC, std::uint32_t Flags, TcxTextParams& Params,
                      double LineSpacingFactor) {
    Params = TcxTextParams{};
    pg::TEXTMETRIC TM;
    pg::GetTextMetrics(DC, &TM);
    Params.FullHeight = TM.tmHeight;
    Params.IncludeExternalLeading = Flags & CXTO_EXTERNALLEADING;
    Params.ExternalLeading = Params.IncludeExternalLeading ? TM.tmExternalLeading : 0;
    Params.RowHeight = static_cast<int>(
        std::lround((Params.FullHeight + Params.ExternalLeading) * LineSpacingFactor));
    Params.EndEllipsis = Flags & CXTO_END_ELLIPSIS;
    if (Params.EndEllipsis) {
        pg::TSize Size;
        pg::GetTextExtentPoint32(DC, "...", 3, &Size);
        Params.EllipsisWidth = Size.cx;
    }
    Params.IsBold = TM.tmWeight >= 700;
    Params.BreakChar = static_cast<wchar_t>(TM.tmBreakChar);
    Params.HorzAlign = static_cast<std::uint8_t>(std::min<std::uint32_t>(Flags & 7, 4));
    Params.VertAlign = static_cast<std::uint8_t>((Flags >> 4) & 3);
    Params.WordWrap = Flags & CXTO_WORDBREAK;
    Params.SingleLine = Flags & CXTO_SINGLELINE;
    Params.ExpandTabs = Flags & CXTO_EXPANDTABS;
    Params.WholeRowsOnly = Flags & CXTO_EDITCONTROL;
    Params.SkipSpacesAfterWrap = Flags & CXTO_CUTSPACES;
    Params.NoClip = Flags & CXTO_NOCLIP;
    Params.InnerMargin = Flags & CXTO_AUTOINDENTS;
    // One device pixel is one logical unit on our contexts.
    Params.OnePixel = 1;
    Params.PatternSmallText = (Flags & CXTO_PATTERNEDTEXT) && Params.FullHeight < 6;
    Params.NoLeftOverflow = Flags & CXTO_PREVENT_LEFT_EXCEED;
    Params.NoTopOverflow = Flags & CXTO_PREVENT_TOP_EXCEED;
    Params.BreakInsideWords = Flags & CXTO_CHARBREAK;
    Params.CountOnly = Flags & CXTO_CALCROWCOUNT;
    Params.AsIs = Flags & CXTO_NOPREFIX;
    Params.MaxCharWidth = TM.tmMaxCharWidth;
    Params.CharSet = TM.tmCharSet;
    Params.HidePrefix = Flags & CXTO_HIDEPREFIX;
}

void cxCalcCanvasTextParams(TcxCanvas& ACanvas, std::uint32_t Flags, TcxTextParams& Params,
                            double LineSpacingFactor) {
    ACanvas.Canvas().Require(pg::TCanvas::FontValid | pg::TCanvas::BrushValid);
    cxCalcTextParams(ACanvas.Handle(), Flags, Params, LineSpacingFactor);
}

TcxTextMeasure cxTextMeasureOfDC(HDC DC, const TcxTextParams& Params) {
    const bool Tabs = Params.ExpandTabs;
    return [DC, Tabs](const wchar_t* Text, int Length) {
        const std::string S = ToAnsi(Text, Length);
        if (Tabs) {
            const std::uint32_t E =
                pg::GetTabbedTextExtent(DC, S.data(), static_cast<int>(S.size()), 0, nullptr);
            return TSize{static_cast<int>(E & 0xFFFF), static_cast<int>(E >> 16)};
        }
        pg::TSize Size;
        pg::GetTextExtentPoint32(DC, S.data(), static_cast<int>(S.size()), &Size);
        return Size;
    };
}

bool cxMakeTextRows(const TcxTextMeasure& Measure, std::wstring Text, const TRect& R,
                    const TcxTextParams& Params, TcxTextRows& Rows, int& RowCount,
                    int MaxRowCount) {
    cxResetTextRows(Rows);
    Rows.Text = std::move(Text);
    const int End = static_cast<int>(Rows.Text.size());
    const TBreaker Breaker{Measure, Params, Rows.Text, R.Width()};
    int Next = 0;
    if (Params.SingleLine && Params.AsIs) {
        TcxTextRow& Row = AddRow(Rows);
        Row.Text = Rows.Text.data();
        Row.Length = End;
        const TSize Size = End > 0 ? Measure(Row.Text, End) : TSize{0, Params.FullHeight};
        Row.Width = Size.cx;
        Row.Height = Size.cy;
        Next = End;
    } else {
        const bool CountLimitsOnly = Params.VertAlign != 0 || Params.AsIs || Params.CountOnly;
        int Total = 0;
        do {
            TcxTextRow& Row = AddRow(Rows);
            Total += Params.RowHeight;
            bool Last = false;
            if (Params.SingleLine)
                Last = true;
            else if (!CountLimitsOnly)
                Last = Total > R.Height() || (Params.WholeRowsOnly && !Params.NoClip &&
                                              Total + Params.RowHeight > R.Height());
            Breaker.Break(Next, Last, Row, Next);
            if (Last) break;
        } while (Next < End && (MaxRowCount <= 0 || Rows.Count < MaxRowCount));
    }
    RowCount = Rows.Count;
    return Next >= End || Params.SingleLine || Params.CountOnly || Params.AsIs;
}

bool cxMakeTextRows(HDC DC, const std::string& Text, const TRect& R, const TcxTextParams& Params,
                    TcxTextRows& Rows, int& RowCount, int MaxRowCount) {
    return cxMakeTextRows(
        cxTextMeasureOfDC(DC, Params),
        dxMultiByteToWideString(Text.data(), static_cast<int>(Text.size()), CP_ACP), R, Params,
        Rows, RowCount, MaxRowCount);
}

bool cxMakeTextRowsForCanvas(TcxCanvas& ACanvas, const std::string& Text, const TRect& R,
                             const TcxTextParams& Params, TcxTextRows& Rows, int& RowCount,
                             int MaxRowCount) {
    return cxMakeTextRows(ACanvas.Handle(), Text, R, Params, Rows, RowCount, MaxRowCount);
}

void cxPlaceTextRows(const TRect& R, TcxTextParams& Params, TcxTextRows& Rows, int RowCount) {
    const int Height = R.Height();
    int Extra = 0;
    if (Params.VertAlign == 3 && RowCount > 1 &&
        Params.FullHeight < (Height - Params.FullHeight) / (RowCount - 1)) {
        Params.RowHeight = (Height - Params.FullHeight) / (RowCount - 1);
        Extra = (Height - Params.FullHeight) % (RowCount - 1);
    }
    int Top = R.Top;
    if (Params.VertAlign == 1)
        Top = R.Top + (Height - RowCount * Params.RowHeight) / 2;
    else if (Params.VertAlign == 2)
        Top = R.Bottom - RowCount * Params.RowHeight + Params.ExternalLeading;
    if (Params.NoTopOverflow) Top = std::max(Top, R.Top);
    for (int I = 0; I < RowCount; ++I) {
        TcxTextRow& Row = cxGetTextRow(Rows, I);
        Row.Top = Top;
        Top += Params.RowHeight + (I < Extra ? 1 : 0);
        if (Params.HorzAlign == 1)
            Row.Left = R.Left + (R.Width() - Row.Width) / 2;
        else if (Params.HorzAlign == 2)
            Row.Left = R.Right - Row.Width;
        else
            Row.Left = R.Left;
        if (Params.NoLeftOverflow) Row.Left = std::max(Row.Left, R.Left);
    }
}

void cxGetTextRect(TRect& TextRect, const TRect& Bounds, const TcxTextParams& Params,
                   int LeftMarginChars, int RightMarginChars) {
    TextRect = Bounds;
    if (Params.InnerMargin) pg::InflateRect(TextRect, -2 * Params.OnePixel, -2 * Params.OnePixel);
    TextRect.Left += Params.OnePixel * LeftMarginChars;
    TextRect.Right -= Params.OnePixel * RightMarginChars;
}

namespace {

void DrawRowText(HDC DC, const TcxTextParams& P, int X, int Y, const std::string& S) {
    if (P.ExpandTabs)
        pg::TabbedTextOut(DC, X, Y, S.data(), static_cast<int>(S.size()), 0, nullptr, X);
    else
        pg::TextOut(DC, X, Y, S.data(), static_cast<int>(S.size()));
}

void DrawEllipsis(HDC DC, const TRect& R, const TcxTextParams& P, int X, int Y) {
    if (X >= R.Right) return;
    const TRect Clip{X, Y, R.Right, Y + P.RowHeight};
    const bool Crosses = X + P.EllipsisWidth > R.Right;
    pg::ExtTextOut(DC, X, Y, Crosses && !P.NoClip ? pg::UINT{pg::ETO_CLIPPED} : pg::UINT{0}, &Clip,
                   "...", 3, nullptr);
}

// Text too small to read is shown as a block of this pattern: a checkerboard for normal weight,
// solid for bold. Made once, kept until the process ends.
pg::HBRUSH SmallTextBrush(bool Bold) {
    static const auto Make = [](std::uint16_t Even, std::uint16_t Odd) {
        const std::uint16_t Rows[8] = {Even, Odd, Even, Odd, Even, Odd, Even, Odd};
        const pg::GdiHandle Pattern(pg::CreateBitmap(8, 8, 1, 1, Rows));
        return pg::CreatePatternBrush(static_cast<pg::HBITMAP>(Pattern.Get()));
    };
    static const pg::GdiHandle Normal(Make(0x5555, 0xAAAA));
    static const pg::GdiHandle BoldBrush(Make(0x0000, 0x0000));
    return static_cast<pg::HBRUSH>((Bold ? BoldBrush : Normal).Get());
}

// The width of the first N characters of the row.
int PrefixWidth(HDC DC, const TcxTextParams& P, const TcxTextRow& Row, int N) {
    return N > 0 ? cxTextMeasureOfDC(DC, P)(Row.Text, N).cx : 0;
}

} // namespace

void cxTextRowsOutHighlight(HDC DC, const TRect& R, const TcxTextParams& Params, TcxTextRows& Rows,
                            int RowCount, bool ForceEllipsis, int HighlightStart,
                            int HighlightLength, TColor HighlightTextColor,
                            TColor HighlightBackColor) {
    const int OldMode = pg::SetBkMode(DC, pg::TRANSPARENT);
    for (int I = 0; I < RowCount; ++I) {
        TcxTextRow& Row = cxGetTextRow(Rows, I);
        const bool LastRow = I == RowCount - 1;
        if (Row.Length == 0) {
            if (LastRow && ForceEllipsis && Params.EndEllipsis)
                DrawEllipsis(DC, R, Params, Row.Left, Row.Top);
            continue;
        }
        const TRect RowRect{R.Left, Row.Top, R.Right, Row.Top + Params.RowHeight};
        TRect Visible;
        if (!pg::IntersectRect(Visible, RowRect, R) && !Params.NoClip) continue;
        if (Params.PatternSmallText) {
            TRect Block{
                Row.Left, Row.Top + Params.OnePixel, std::min(Row.Left + Row.Width, R.Right),
                Row.Top + std::max(Params.RowHeight - Params.OnePixel, 2 * Params.OnePixel)};
            // The pattern's 0 bits take the text colour, its 1 bits the window colour.
            const pg::COLORREF OldBack = pg::SetBkColor(DC, pg::ColorToRGB(pg::clWindow));
            pg::FillRect(DC, &Block, SmallTextBrush(Params.IsBold));
            pg::SetBkColor(DC, OldBack);
            continue;
        }
        const bool Ellipsis =
            Params.EndEllipsis && LastRow && (Row.Width > R.Width() || ForceEllipsis);
        int Length = Row.Length;
        if (Ellipsis) {
            // Shortened so that the text and the ellipsis fit; a left-aligned row keeps one.
            while (Length > 0 &&
                   PrefixWidth(DC, Params, Row, Length) + Params.EllipsisWidth > R.Width())
                --Length;
            if (Length == 0 && Params.HorzAlign == 0) Length = 1;
        }
        const int Saved = pg::SaveDC(DC);
        if (Params.HorzAlign >= 3 && !Ellipsis && Row.SpaceCount > 0 && R.Width() > Row.Width)
            pg::SetTextJustification(DC, R.Width() - Row.Width, Row.SpaceCount);
        if (!Params.NoClip &&
            (Row.Width > R.Width() || Row.Top < R.Top || Row.Top + Params.RowHeight > R.Bottom))
            pg::IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
        const std::string S = ToAnsi(Row.Text, Length);
        const int TextEnd = Row.Left + PrefixWidth(DC, Params, Row, Length);
        const int From = std::max(HighlightStart - Row.TextOffset, 0);
        const int To = std::min(HighlightStart + HighlightLength - Row.TextOffset, Length);
        bool HighlightToEnd = false;
        if (HighlightLength >= 1 && From < To) {
            const TRect H{Row.Left + PrefixWidth(DC, Params, Row, From), Row.Top,
                          Row.Left + PrefixWidth(DC, Params, Row, To), Row.Top + Params.RowHeight};
            const int Inner = pg::SaveDC(DC);
            pg::IntersectClipRect(DC, H.Left, H.Top, H.Right, H.Bottom);
            const pg::HBRUSH Brush = pg::CreateSolidBrush(pg::ColorToRGB(HighlightBackColor));
            pg::FillRect(DC, &H, Brush);
            pg::DeleteObject(Brush);
            const pg::COLORREF OldColor = pg::SetTextColor(DC, pg::ColorToRGB(HighlightTextColor));
            DrawRowText(DC, Params, Row.Left, Row.Top, S);
            pg::SetTextColor(DC, OldColor);
            pg::RestoreDC(DC, Inner);
            pg::ExcludeClipRect(DC, H.Left, H.Top, H.Right, H.Bottom);
            HighlightToEnd = To >= Length;
        }
        DrawRowText(DC, Params, Row.Left, Row.Top, S);
        if (Ellipsis) {
            const pg::COLORREF OldColor =
                HighlightToEnd ? pg::SetTextColor(DC, pg::ColorToRGB(HighlightTextColor)) : 0;
            DrawEllipsis(DC, R, Params, TextEnd, Row.Top);
            if (HighlightToEnd) pg::SetTextColor(DC, OldColor);
        }
        pg::RestoreDC(DC, Saved);
    }
    pg::SetBkMode(DC, OldMode);
}

} // namespace toolkit::base
