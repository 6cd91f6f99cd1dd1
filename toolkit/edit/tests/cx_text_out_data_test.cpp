#include "toolkit/edit/cx_text_out_data.h"

#include "toolkit/edit/cx_edit_style.h"
#include "toolkit/edit/cx_text_edit_properties.h"
#include "toolkit/edit/cx_text_edit_view.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/text_out.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pg = platform::gdi;
namespace tb = toolkit::base;
using tb::testing_support::TestSurface;

constexpr unsigned SingleLine = cxtfConstant;
constexpr unsigned MultiRow = (cxtfConstant & ~cxtfSingleLine) | cxtfWordBreak | cxtfEditControl;

int WidthOf(HDC DC, const std::string& Text) {
    pg::TSize Size;
    pg::GetTextExtentPoint32(DC, Text.data(), static_cast<int>(Text.size()), &Size);
    return Size.cx;
}

int RowHeightOf(HDC DC) {
    tb::TcxTextParams P;
    tb::cxCalcTextParams(DC, 0, P);
    return P.RowHeight;
}

std::vector<std::string> RowTexts(const TcxTextOutData& Data) {
    std::vector<std::string> Result;
    for (int I = 0; I < Data.RowCount; ++I) {
        const tb::TcxTextRow& Row = tb::cxGetTextRow(Data.TextRows, I);
        Result.emplace_back(Row.Text, Row.Text + Row.Length);
    }
    return Result;
}

// Widths and heights are given by what they must hold: the width of a text plus one pixel, a
// number of rows. A wrapped left-aligned row keeps the blank after its last word when that fits.
struct RowsCase {
    std::string Name;
    std::string Text;
    std::string WidthFor;
    int Rows;
    unsigned Flags;
    int MaxLineCount;
    std::vector<std::string> Expected;
    bool ForceEndEllipsis;
};

class TextOutRows : public ::testing::TestWithParam<RowsCase> {};

TEST_P(TextOutRows, LaysTheTextOutForTheRectangle) {
    const RowsCase& C = GetParam();
    TestSurface S(400, 200);
    const TRect R{5, 5, 5 + WidthOf(S.DC(), C.WidthFor) + 1, 5 + C.Rows * RowHeightOf(S.DC())};
    TcxTextOutData Data;
    cxPrepareTextOutData(S.DC(), C.Text, R, C.Flags, Data, C.MaxLineCount);
    EXPECT_EQ(RowTexts(Data), C.Expected);
    EXPECT_EQ(Data.ForceEndEllipsis, C.ForceEndEllipsis);
    for (int I = 0; I < Data.RowCount; ++I)
        EXPECT_EQ(tb::cxGetTextRow(Data.TextRows, I).Top, R.Top + I * RowHeightOf(S.DC())) << I;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextOutRows,
    ::testing::Values(
        RowsCase{"OneRowThatFits",
                 "alpha beta gamma",
                 "alpha beta gamma",
                 3,
                 SingleLine,
                 0,
                 {"alpha beta gamma"},
                 false},
        // The row stays whole; the paint shortens it to make room for the ellipsis.
        RowsCase{"OneRowTooWide",
                 "alpha beta gamma",
                 "alpha",
                 3,
                 SingleLine | cxtfEndEllipsis,
                 0,
                 {"alpha beta gamma"},
                 false},
        RowsCase{"WrappedAtWords",
                 "alpha beta gamma",
                 "alpha beta",
                 3,
                 MultiRow,
                 0,
                 {"alpha beta", "gamma"},
                 false},
        RowsCase{"LineBreaksStartRows",
                 "one\ntwo",
                 "one two three",
                 3,
                 MultiRow,
                 0,
                 {"one", "two"},
                 false},
        RowsCase{"CutToTheRowsTheHeightHolds",
                 "alpha beta gamma",
                 "alpha",
                 2,
                 MultiRow,
                 0,
                 {"alpha", "beta "},
                 false},
        // The last row keeps the word that does not fit, so that the ellipsis replaces it.
        RowsCase{"LastRowCarriesTheEllipsis",
                 "alpha beta gamma",
                 "alpha",
                 2,
                 MultiRow | cxtfEndEllipsis,
                 0,
                 {"alpha", "beta gamma"},
                 false},
        RowsCase{"MaxLineCountForcesTheEllipsis",
                 "alpha beta gamma",
                 "alpha",
                 5,
                 MultiRow | cxtfEndEllipsis,
                 1,
                 {"alpha"},
                 true},
        RowsCase{"MaxLineCountWithoutEllipsis",
                 "alpha beta gamma",
                 "alpha",
                 5,
                 MultiRow,
                 2,
                 {"alpha", "beta "},
                 false},
        RowsCase{"EmptyText", "", "alpha", 2, MultiRow, 0, {}, false}),
    [](const auto& Info) { return Info.param.Name; });

struct SelectionCase {
    std::string Name;
    int Start, Length;
    int ExpectedStart, ExpectedLength;
};

class TextOutSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(TextOutSelection, IsClippedToTheVisibleCharacters) {
    const SelectionCase& C = GetParam();
    TestSurface S(400, 200);
    // "alpha" and "beta " are shown; "gamma" is cut.
    const TRect R{0, 0, WidthOf(S.DC(), "alpha") + 1, 2 * RowHeightOf(S.DC())};
    TcxTextOutData Data;
    cxPrepareTextOutData(S.DC(), "alpha beta gamma", R, MultiRow, Data);
    ASSERT_EQ(cxGetTextOutVisibleLength(Data), 11);
    cxSetTextOutSelection(Data, C.Start, C.Length, pg::clRed, pg::clBlue);
    EXPECT_EQ(Data.SelStart, C.ExpectedStart);
    EXPECT_EQ(Data.SelLength, C.ExpectedLength);
    EXPECT_EQ(Data.SelTextColor, pg::clRed);
    EXPECT_EQ(Data.SelBkColor, pg::clBlue);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextOutSelection,
                         ::testing::Values(SelectionCase{"Inside", 2, 3, 2, 3},
                                           SelectionCase{"AcrossRows", 3, 5, 3, 5},
                                           SelectionCase{"RunningPastTheEnd", 8, 5, 8, 3},
                                           SelectionCase{"StartBelowZero", -1, 3, 0, 0},
                                           SelectionCase{"StartAtTheEnd", 11, 2, 0, 0},
                                           SelectionCase{"StartBeyond", 12, 1, 0, 0},
                                           SelectionCase{"Empty", 3, 0, 0, 0}),
                         [](const auto& Info) { return Info.param.Name; });

TEST(TextOutMeasuring, RowsAndWidestRow) {
    TestSurface S(10, 10);
    const HDC DC = S.DC();
    const TcxTextRowsExtent Unbroken = cxMeasureTextRows(DC, "ab\nabcd wxyz\nabc", 0, SingleLine);
    EXPECT_EQ(Unbroken.RowCount, 3);
    EXPECT_EQ(Unbroken.Width, WidthOf(DC, "abcd wxyz"));
    const TcxTextRowsExtent Wrapped =
        cxMeasureTextRows(DC, "alpha beta gamma", WidthOf(DC, "alpha") + 1, SingleLine);
    EXPECT_EQ(Wrapped.RowCount, 3);
    EXPECT_EQ(Wrapped.Width,
              std::max({WidthOf(DC, "alpha"), WidthOf(DC, "beta "), WidthOf(DC, "gamma")}));
    EXPECT_EQ(cxMeasureTextRows(DC, "", 50, SingleLine).RowCount, 0);
}

TEST(TextOutMeasuring, ClippedTextNeedsAHint) {
    TestSurface S(10, 10);
    const HDC DC = S.DC();
    const int H = RowHeightOf(DC);
    const int Alpha = WidthOf(DC, "alpha");
    EXPECT_FALSE(cxIsTextClipped(DC, "alpha", {0, 0, Alpha + 1, H}, SingleLine));
    EXPECT_TRUE(cxIsTextClipped(DC, "alpha beta", {0, 0, Alpha + 1, H}, SingleLine));
    EXPECT_FALSE(cxIsTextClipped(DC, "alpha beta", {0, 0, Alpha + 1, 2 * H}, MultiRow));
    EXPECT_TRUE(cxIsTextClipped(DC, "alpha beta gamma", {0, 0, Alpha + 1, 2 * H}, MultiRow));
    EXPECT_FALSE(cxIsTextClipped(DC, "", {0, 0, 1, 1}, SingleLine));
}

// A text edit drawn in place, as an owner that asks for rows draws it.
class InplaceTextEdit : public ::testing::Test {
protected:
    InplaceTextEdit() : Style(nullptr, cssNormal, nullptr, false), Properties(nullptr) {
        Data = Properties.CreateViewData(Style, true);
        Info = Properties.GetViewInfoClass()();
    }
    TcxCustomTextEditViewData& TextData() { return static_cast<TcxCustomTextEditViewData&>(*Data); }
    TcxCustomTextEditViewInfo& View() { return static_cast<TcxCustomTextEditViewInfo&>(*Info); }
    void Calculate(tb::TcxCanvas& Canvas, const std::string& Text, const TRect& Bounds) {
        TextData().EditValueToDrawValue(Variant::String(Text), View());
        Data->Calculate(Canvas, Bounds, {-1, -1}, cxmbNone, {}, *Info, false);
    }
    int TextHeight(tb::TcxCanvas& Canvas) {
        Canvas.SetFont(Style.GetVisibleFont());
        return Canvas.TextHeight("Zg");
    }

    TcxEditStyle Style;
    TcxTextEditProperties Properties;
    std::unique_ptr<TcxCustomEditViewData> Data;
    std::unique_ptr<TcxCustomEditViewInfo> Info;
};

TEST_F(InplaceTextEdit, TextFlagsFollowTheRowsTheTextTakes) {
    struct Case {
        const char* Name;
        const char* Text;
        unsigned Asked;
        TcxEditVertAlignment Vert;
        int Rows;
        unsigned Expected;
    };
    const unsigned Rows = cxvtfTextRows;
    for (const Case& C : {
             Case{"Short", "abc", Rows, taTopJustify, 3, cxtfConstant},
             Case{"LongNotAsked", "alpha beta gamma delta", 0, taTopJustify, 3, cxtfConstant},
             Case{"LongAsked", "alpha beta gamma delta", Rows, taTopJustify, 3, MultiRow},
             Case{"EllipsisAsked", "alpha beta gamma delta", Rows | cxvtfEndEllipsis, taVCenter, 3,
                  MultiRow | cxtfEndEllipsis | cxtfVCenter},
             // Rows taller than the rectangle start at its top.
             Case{"TallerThanTheRectangle", "alpha beta gamma delta", Rows, taBottomJustify, 1,
                  MultiRow},
         }) {
        TestSurface S(10, 10);
        tb::TcxCanvas Canvas(&S.Canvas());
        Properties.Alignment().SetVert(C.Vert);
        Data = Properties.CreateViewData(Style, true);
        Data->TextFlagsCache = C.Asked;
        Calculate(Canvas, C.Text, {0, 0, 60, C.Rows * TextHeight(Canvas)});
        EXPECT_EQ(View().DrawTextFlags, C.Expected) << C.Name;
    }
}

TEST_F(InplaceTextEdit, ContentSizeCountsTheRows) {
    TestSurface S(10, 10);
    tb::TcxCanvas Canvas(&S.Canvas());
    const int H = TextHeight(Canvas);
    const HDC DC = Canvas.Handle();
    const Variant Text = Variant::String("alpha beta gamma");
    // A height that is not 0 counts the in-place content offsets, one pixel above and below.
    const int V = 2;
    // Any width: one row, or with rows asked the widest line times the rows given.
    EXPECT_EQ(Data->GetEditContentSize(Canvas, Text, {-1, 1}),
              (TSize{WidthOf(DC, "alpha beta gamma"), H + V}));
    Data->TextFlagsCache = cxvtfTextRows;
    EXPECT_EQ(Data->GetEditContentSize(Canvas, Variant::String("ab\nalpha"), {-1, 2}),
              (TSize{WidthOf(DC, "alpha"), 2 * H + V}));
    // A given width and row count; a width and no row count wraps (in place, 2 pixels less).
    EXPECT_EQ(Data->GetEditContentSize(Canvas, Text, {100, 3}), (TSize{100, 3 * H + V}));
    const int Width = WidthOf(DC, "alpha") + 3;
    EXPECT_EQ(Data->GetEditContentSize(Canvas, Text, {Width, 0}), (TSize{Width, 3 * H + V}));
    EXPECT_EQ(Data->GetEditContentSize(Canvas, Variant::String(""), {Width, 0}),
              (TSize{Width, H + V}));
    Data->TextFlagsCache = cxvtfTextRows | cxvtfAllowZeroHeight;
    EXPECT_EQ(Data->GetEditContentSize(Canvas, Variant::String(""), {Width, 0}), (TSize{Width, 0}));
    EXPECT_EQ(Data->GetEditContentSize(Canvas, Variant::String(""), {2, 0}), (TSize{0, 0}));
}

TEST_F(InplaceTextEdit, HintOnlyForClippedText) {
    TestSurface S(10, 10);
    tb::TcxCanvas Canvas(&S.Canvas());
    const int H = TextHeight(Canvas);
    Calculate(Canvas, "alpha beta gamma delta", {0, 0, 50, H});
    EXPECT_TRUE(View().NeedShowHint(Canvas, {10, H / 2}));
    EXPECT_FALSE(View().NeedShowHint(Canvas, {10, H + 5}));
    Calculate(Canvas, "ab", {0, 0, 50, H});
    EXPECT_FALSE(View().NeedShowHint(Canvas, {10, H / 2}));
}

// Drawn: two rows of a wrapped text with a selection across them, the rest cut with an
// ellipsis; nothing lands outside the text rectangle.
TEST_F(InplaceTextEdit, PaintsRowsSelectionAndEllipsis) {
    tb::testing_support::ClassicColors Classic;
    const pg::COLORREF White = pg::RGB(255, 255, 255);
    const pg::COLORREF SelBack = pg::RGB(0, 0, 255);
    TestSurface S(140, 60, White);
    tb::TcxCanvas Canvas(&S.Canvas());
    const int H = TextHeight(Canvas);
    Style.SetColor(pg::clWhite);
    Data->TextFlagsCache = cxvtfTextRows | cxvtfEndEllipsis;
    const TRect Bounds{10, 10, 10 + Canvas.TextWidth("alpha beta") + 4, 10 + 2 * H};
    Calculate(Canvas, "alpha beta gamma delta epsilon", Bounds);
    ASSERT_FALSE(View().DrawTextFlags & cxtfSingleLine);
    // "ta gamma": from the end of the first row into the second.
    View().Selection = {8, 8, pg::clWhite, pg::clBlue};
    Info->Paint(Canvas);
    const TcxTextOutData& Out = View().TextOutData;
    ASSERT_TRUE(View().IsTextOutDataPrepared);
    ASSERT_EQ(Out.RowCount, 2);
    EXPECT_EQ(Out.SelStart, 8);
    const TRect& T = Out.TextRect;
    auto CountIn = [&](int Left, int Top, int Right, int Bottom, pg::COLORREF Color) {
        int N = 0;
        for (int Y = Top; Y < Bottom; ++Y)
            for (int X = Left; X < Right; ++X)
                N += S.At(X, Y) == Color;
        return N;
    };
    // The selection's background on both rows, and only inside the text rectangle.
    EXPECT_GT(CountIn(T.Left, T.Top, T.Right, T.Top + H, SelBack), 0);
    EXPECT_GT(CountIn(T.Left, T.Top + H, T.Right, T.Top + 2 * H, SelBack), 0);
    EXPECT_EQ(CountIn(0, 0, 140, 60, SelBack), CountIn(T.Left, T.Top, T.Right, T.Bottom, SelBack));
    // The first row's start ("alpha ") is not selected.
    const int Alpha = Canvas.TextWidth("alpha ");
    EXPECT_EQ(CountIn(T.Left, T.Top, T.Left + Alpha - 1, T.Top + H, SelBack), 0);
    // Nothing right of the text rectangle or below the rows.
    EXPECT_EQ(CountIn(T.Right, 0, 140, 60, White), (140 - T.Right) * 60);
    EXPECT_EQ(CountIn(0, Bounds.Bottom, 140, 60, White), 140 * (60 - Bounds.Bottom));
    // The second row ends in the ellipsis: dots, dark pixels, close to the right edge.
    const tb::TcxTextRow& Second = tb::cxGetTextRow(Out.TextRows, 1);
    EXPECT_GT(Second.Width, T.Width());
    EXPECT_GT(CountIn(T.Right - Canvas.TextWidth("...") - 2, T.Top + H, T.Right, T.Top + 2 * H,
                      pg::RGB(0, 0, 0)),
              0);
    testsupport::TempFolder Folder("quintaron-text-rows-");
    EXPECT_TRUE(S.Pixels().SavePng(Folder.PathOf("text-rows.png")));
}

TEST_F(InplaceTextEdit, OffsetMovesThePreparedRows) {
    TestSurface S(10, 10);
    tb::TcxCanvas Canvas(&S.Canvas());
    Data->TextFlagsCache = cxvtfTextRows;
    Calculate(Canvas, "alpha beta gamma delta", {0, 0, 40, 3 * TextHeight(Canvas)});
    View().PrepareTextOutData(Canvas);
    const tb::TcxTextRow Before = tb::cxGetTextRow(View().TextOutData.TextRows, 1);
    Info->Offset(7, 9);
    const tb::TcxTextRow& After = tb::cxGetTextRow(View().TextOutData.TextRows, 1);
    EXPECT_EQ(After.Left, Before.Left + 7);
    EXPECT_EQ(After.Top, Before.Top + 9);
    EXPECT_EQ(View().TextOutData.TextRect.Left, View().TextRect.Left);
    // A new calculation lays the text out again.
    Calculate(Canvas, "ab", {0, 0, 40, 20});
    EXPECT_FALSE(View().IsTextOutDataPrepared);
}

} // namespace
} // namespace toolkit::edit
