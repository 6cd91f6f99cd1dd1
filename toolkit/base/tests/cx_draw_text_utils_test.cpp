#include "toolkit/base/cx_draw_text_utils.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"

#include <string>
#include <vector>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;

// Every character 6 pixels wide, rows 10 high.
TSize SixPixels(const wchar_t*, int Length) {
    return {6 * Length, 10};
}

TcxTextParams Params(bool WordWrap = true) {
    TcxTextParams P;
    P.FullHeight = 10;
    P.RowHeight = 10;
    P.WordWrap = WordWrap;
    return P;
}

std::vector<std::wstring> RowTexts(const TcxTextRows& Rows) {
    std::vector<std::wstring> Result;
    for (int I = 0; I < Rows.Count; ++I) {
        const TcxTextRow& Row = cxGetTextRow(Rows, I);
        Result.emplace_back(Row.Text, static_cast<std::size_t>(Row.Length));
    }
    return Result;
}

struct BreakCase {
    std::string Name;
    std::wstring Text;
    int Width;
    TcxTextParams Params;
    std::vector<std::wstring> Rows;
};

class TextRowBreaking : public ::testing::TestWithParam<BreakCase> {};

TEST_P(TextRowBreaking, MakesTheRows) {
    TcxTextRows Rows;
    int Count = 0;
    cxMakeTextRows(SixPixels, GetParam().Text, {0, 0, GetParam().Width, 1000}, GetParam().Params,
                   Rows, Count);
    EXPECT_EQ(RowTexts(Rows), GetParam().Rows);
    EXPECT_EQ(Count, Rows.Count);
}

TcxTextParams InsideWords() {
    TcxTextParams P = Params();
    P.BreakInsideWords = true;
    return P;
}
TcxTextParams Centred() {
    TcxTextParams P = Params();
    P.HorzAlign = 1;
    return P;
}
TcxTextParams CutSpaces() {
    TcxTextParams P = Params();
    P.SkipSpacesAfterWrap = true;
    return P;
}

// U+4E00 and U+4E8C are wide; U+3002 and U+300D may not begin a line.
INSTANTIATE_TEST_SUITE_P(
    Cases, TextRowBreaking,
    ::testing::Values(
        BreakCase{"WrapsAtTheSpace", L"aaa bbb ccc", 45, Params(), {L"aaa bbb", L"ccc"}},
        BreakCase{"LongWordStaysWhole", L"abcdefghij xy", 30, Params(), {L"abcdefghij", L"xy"}},
        BreakCase{
            "LongWordBrokenInsideWords", L"abcdefghij", 30, InsideWords(), {L"abcde", L"fghij"}},
        BreakCase{"CrLfBreaks", L"a\r\nb", 100, Params(), {L"a", L"b"}},
        BreakCase{"LfCrBreaksOnce", L"a\n\rb", 100, Params(false), {L"a", L"b"}},
        BreakCase{"TwoLineBreaksLeaveAnEmptyRow", L"a\n\nb", 100, Params(), {L"a", L"", L"b"}},
        BreakCase{"NoWrapKeepsTheLine", L"aaa bbb ccc", 20, Params(false), {L"aaa bbb ccc"}},
        BreakCase{"WideCharactersBreakOneByOne",
                  L"\x4E00\x4E8C\x4E00\x4E8C",
                  13,
                  Params(),
                  {L"\x4E00\x4E8C", L"\x4E00\x4E8C"}},
        BreakCase{"ClosingBracketStaysWithTheWideCharacter",
                  L"\x4E00\x4E8C\x300D",
                  13,
                  Params(),
                  {L"\x4E00", L"\x4E8C\x300D"}},
        BreakCase{"FullStopStaysWithTheWideCharacter",
                  L"\x4E00\x3002\x4E8C",
                  12,
                  Params(),
                  {L"\x4E00\x3002", L"\x4E8C"}},
        BreakCase{"CentredDropsTheTrailingSpace", L"aa  bb", 20, Centred(), {L"aa", L"bb"}},
        BreakCase{"CutSpacesSkipsThemAll", L"aa    bb", 20, CutSpaces(), {L"aa ", L"bb"}}),
    [](const auto& Info) { return Info.param.Name; });

TEST(TextRows, WholeRowsOnlyStopsBeforeAPartlyVisibleRow) {
    TcxTextParams P = Params();
    TcxTextRows Rows;
    int Count = 0;
    EXPECT_FALSE(cxMakeTextRows(SixPixels, L"a\nb\nc\nd", {0, 0, 100, 25}, P, Rows, Count));
    EXPECT_EQ(RowTexts(Rows), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    P.WholeRowsOnly = true;
    EXPECT_FALSE(cxMakeTextRows(SixPixels, L"a\nb\nc\nd", {0, 0, 100, 25}, P, Rows, Count));
    EXPECT_EQ(RowTexts(Rows), (std::vector<std::wstring>{L"a", L"b"}));
    P.CountOnly = true;
    EXPECT_TRUE(cxMakeTextRows(SixPixels, L"a\nb\nc\nd", {0, 0, 100, 25}, P, Rows, Count));
    EXPECT_EQ(Count, 4);
}

TEST(TextRows, RowsBeyond32LandInTheOverflow) {
    std::wstring Text;
    for (int I = 0; I < 40; ++I)
        Text += L"x\n";
    TcxTextRows Rows;
    int Count = 0;
    TcxTextParams P = Params();
    P.CountOnly = true;
    cxMakeTextRows(SixPixels, Text, {0, 0, 100, 10}, P, Rows, Count);
    EXPECT_EQ(Count, 40);
    EXPECT_EQ(cxGetTextRow(Rows, 32).TextOffset, 64);
    EXPECT_EQ(&cxGetTextRow(Rows, 32), &Rows.Overflow[0]);
    cxResetTextRows(Rows);
    EXPECT_EQ(Rows.Count, 0);
    EXPECT_TRUE(Rows.Overflow.empty());
}

TEST(TextRows, JustifyAllTrimsAndCountsTheBlanks) {
    TcxTextParams P = Params();
    P.HorzAlign = 4;
    TcxTextRows Rows;
    int Count = 0;
    cxMakeTextRows(SixPixels, L"a b\tc  ", {0, 0, 100, 100}, P, Rows, Count);
    ASSERT_EQ(Count, 1);
    EXPECT_EQ(RowTexts(Rows).front(), L"a b\tc");
    EXPECT_EQ(cxGetTextRow(Rows, 0).SpaceCount, 2);
}

struct PlaceCase {
    std::string Name;
    std::uint8_t HorzAlign, VertAlign;
    TPoint FirstRow;
};

class TextRowPlacing : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(TextRowPlacing, PlacesTheFirstRow) {
    TcxTextParams P = Params();
    P.HorzAlign = GetParam().HorzAlign;
    P.VertAlign = GetParam().VertAlign;
    TcxTextRows Rows;
    int Count = 0;
    cxMakeTextRows(SixPixels, L"abcd\nab", {10, 20, 110, 70}, P, Rows, Count);
    cxPlaceTextRows({10, 20, 110, 70}, P, Rows, Count);
    const TcxTextRow& Row = cxGetTextRow(Rows, 0);
    EXPECT_EQ((TPoint{Row.Left, Row.Top}), GetParam().FirstRow);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextRowPlacing,
                         ::testing::Values(PlaceCase{"LeftTop", 0, 0, {10, 20}},
                                           PlaceCase{"CentreCentre", 1, 1, {48, 35}},
                                           PlaceCase{"RightBottom", 2, 2, {86, 50}}),
                         [](const auto& Info) { return Info.param.Name; });

TEST(TextRows, SpreadRowsShareTheHeight) {
    TcxTextParams P = Params();
    P.VertAlign = 3;
    TcxTextRows Rows;
    int Count = 0;
    cxMakeTextRows(SixPixels, L"a\nb\nc", {0, 0, 100, 51}, P, Rows, Count);
    cxPlaceTextRows({0, 0, 100, 51}, P, Rows, Count);
    // (51 - 10) / 2 = 20 with one pixel over, given to the first row.
    EXPECT_EQ(cxGetTextRow(Rows, 1).Top, 21);
    EXPECT_EQ(cxGetTextRow(Rows, 2).Top, 41);
}

TEST(TextRows, LongestRowWidth) {
    TcxTextRows Rows;
    int Count = 0;
    cxMakeTextRows(SixPixels, L"ab\nabcd\nabc", {0, 0, 100, 100}, Params(), Rows, Count);
    EXPECT_EQ(cxGetLongestTextRowWidth(Rows, 1), 12);
    EXPECT_EQ(cxGetLongestTextRowWidth(Rows, 10), 24);
    EXPECT_EQ(cxGetLongestTextRowWidth(Rows, 0), 0);
}

// Drawn on a surface: the highlighted characters sit on the highlight colour, the rest of the
// row on the background.
TEST(TextRowsDrawing, HighlightFillsItsCharactersOnly) {
    testing_support::TestSurface Surface(120, 20, pg::RGB(255, 255, 255));
    const HDC DC = Surface.DC();
    TcxTextParams P;
    cxCalcTextParams(DC, CXTO_WORDBREAK, P);
    TcxTextRows Rows;
    int Count = 0;
    const TRect R{0, 0, 120, 20};
    cxMakeTextRows(DC, "abc def", R, P, Rows, Count);
    cxPlaceTextRows(R, P, Rows, Count);
    const pg::COLORREF Back = pg::RGB(0, 0, 255);
    cxTextRowsOutHighlight(DC, R, P, Rows, Count, false, 4, 3, pg::RGB(255, 255, 255), Back);
    const int Start = cxTextMeasureOfDC(DC, P)(L"abc ", 4).cx;
    const int End = cxTextMeasureOfDC(DC, P)(L"abc def", 7).cx;
    EXPECT_EQ(Surface.At(Start, 1), Back);
    EXPECT_EQ(Surface.At(End - 1, 1), Back);
    EXPECT_NE(Surface.At(Start - 1, 1), Back);
    EXPECT_NE(Surface.At(End, 1), Back);
}

TEST(TextRowsDrawing, EllipsisRowIsShortenedToFit) {
    testing_support::TestSurface Surface(60, 20, pg::RGB(255, 255, 255));
    const HDC DC = Surface.DC();
    TcxTextParams P;
    cxCalcTextParams(DC, CXTO_END_ELLIPSIS | CXTO_SINGLELINE, P);
    EXPECT_GT(P.EllipsisWidth, 0);
    TcxTextRows Rows;
    int Count = 0;
    const TRect R{0, 0, 40, 20};
    cxMakeTextRows(DC, "wwwwwwwwwwwwwwww", R, P, Rows, Count);
    cxPlaceTextRows(R, P, Rows, Count);
    cxTextRowsOutHighlight(DC, R, P, Rows, Count);
    // Nothing is drawn right of the rectangle.
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 40; X < 60; ++X)
            ASSERT_EQ(Surface.At(X, Y), pg::RGB(255, 255, 255)) << X << "," << Y;
}

// Text under 6 pixels high is drawn as a pattern block over the row's text: a checkerboard of
// the text colour and the window colour, or solid text colour for a bold font.
TEST(TextRowsDrawing, SmallTextIsAPatternBlock) {
    for (const bool Bold : {false, true}) {
        SCOPED_TRACE(Bold ? "bold" : "normal");
        const pg::COLORREF Ground = pg::RGB(0, 0, 255), Ink = pg::RGB(255, 0, 0);
        testing_support::TestSurface Surface(40, 10, Ground);
        TcxCanvas Canvas(&Surface.Canvas());
        Canvas.Font().SetHeight(-4);
        Canvas.Font().SetStyle(Bold ? pg::fsBold : 0);
        Canvas.Font().SetColor(Ink);
        TcxTextParams P;
        cxCalcCanvasTextParams(Canvas, CXTO_PATTERNEDTEXT | CXTO_SINGLELINE, P);
        ASSERT_LT(P.FullHeight, 6);
        ASSERT_TRUE(P.PatternSmallText);
        ASSERT_EQ(P.IsBold, Bold);
        pg::SetTextColor(Surface.DC(), Ink);
        TcxTextRows Rows;
        int Count = 0;
        const TRect R{0, 0, 40, 10};
        cxMakeTextRowsForCanvas(Canvas, "abc", R, P, Rows, Count);
        cxPlaceTextRows(R, P, Rows, Count);
        const int Width = cxGetTextRow(Rows, 0).Width;
        ASSERT_GE(Width, 4);
        cxTextRowsOutHighlight(Surface.DC(), R, P, Rows, Count);
        const pg::COLORREF Window = pg::ColorToRGB(pg::clWindow);
        // Inside the row by one pixel at the top and the bottom, as wide as the text.
        const std::string Blank(40, '.');
        EXPECT_EQ(Surface.Row(0, {{'#', Ink}, {'w', Window}}), Blank);
        EXPECT_EQ(Surface.Row(P.RowHeight - 1, {{'#', Ink}, {'w', Window}}), Blank);
        for (int Y = 1; Y < P.RowHeight - 1; ++Y) {
            std::string Expected;
            for (int X = 0; X < 40; ++X)
                Expected += X >= Width ? '.' : (Bold || (X + Y) % 2 == 0) ? '#' : 'w';
            EXPECT_EQ(Surface.Row(Y, {{'#', Ink}, {'w', Window}}), Expected) << "row " << Y;
        }
    }
}

// The canvas's own font is measured, not the one its context held before.
TEST(TextRowsParams, CanvasParamsSelectTheCanvasFont) {
    testing_support::TestSurface Surface(10, 10);
    TcxCanvas Canvas(&Surface.Canvas());
    Canvas.Font().SetHeight(-40);
    TcxTextParams P;
    cxCalcCanvasTextParams(Canvas, 0, P);
    EXPECT_EQ(P.FullHeight, Canvas.TextHeight("Zg"));
    EXPECT_GE(P.FullHeight, 40);
}

} // namespace
} // namespace toolkit::base
