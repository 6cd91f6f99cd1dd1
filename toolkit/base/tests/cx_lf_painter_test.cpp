#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/cx_lf_painter_images.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/date_time.h"
#include "platform/forms/graphics.h"
#include "platform/forms/img_list.h"
#include "platform/gdi/call_trace.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;
using pg::RGB;
using testing_support::ClassicColors;
using testing_support::TestSurface;

constexpr pg::COLORREF Back = RGB(1, 2, 3);
constexpr pg::COLORREF Red = RGB(255, 0, 0);

pg::COLORREF Sys(TColor Color) {
    return pg::ColorToRGB(Color);
}

TcxLookAndFeelPainterClass Base() {
    return &TcxCustomLookAndFeelPainter::Instance();
}

// A style that overrides the operations the base forwards to, to show that the base reaches
// the style's version.
class TestPainter : public TcxCustomLookAndFeelPainter {
public:
    static const TestPainter& Instance() {
        static const TestPainter Painter;
        return Painter;
    }
    TColor DefaultColor1() const override { return Red; }
    TColor DefaultColor41() const override { return RGB(0, 0, 7); }
    int HeaderBorderSize() const override { return 1; }
    int ButtonBorderSize(TcxButtonState) const override { return 1; }
    void DrawButtonBorder(TcxCanvas& ACanvas, const TRect& R, TcxButtonState) const override {
        ACanvas.FrameRect(R, Red);
    }
};

class PainterBase : public testing::Test {
protected:
    ClassicColors Colors;
};

struct ArrowCase {
    TRect R;
    bool Square;
    TcxArrowDirection Direction;
    TPoint P0, P1, P2;
};

TEST_F(PainterBase, ArrowGeometryFollowsItsTable) {
    const ArrowCase Cases[] = {
        // Size 3 in a 9 x 9 square: 5 wide, 3 high, apex on the centre column.
        {{0, 0, 9, 9}, true, adDown, {2, 3}, {6, 3}, {4, 5}},
        // The square option first narrows 20 x 10 to 10 x 10.
        {{0, 0, 20, 10}, true, adDown, {7, 4}, {11, 4}, {9, 6}},
        {{0, 0, 20, 10}, false, adDown, {5, 3}, {13, 3}, {9, 7}},
        // A tall rectangle is shortened about its centre (the vertical offset rounds up).
        {{0, 0, 10, 20}, true, adRight, {5, 10}, {3, 8}, {3, 12}},
        // The derived size truncates: (8 - 1) div 4 + 1 = 2, not rounded up to 3.
        {{0, 0, 8, 8}, false, adUp, {3, 3}, {2, 4}, {4, 4}},
        {{0, 0, 7, 9}, false, adLeft, {2, 4}, {4, 2}, {4, 6}},
        {{2, 1, 12, 11}, true, adRight, {7, 6}, {5, 4}, {5, 8}},
    };
    for (const ArrowCase& C : Cases) {
        const TcxArrowPoints A = cxArrowPoints(C.R, 0, C.Square, C.Direction);
        EXPECT_EQ(A.P[0], C.P0) << C.R.Left << "," << C.R.Right << " dir " << int(C.Direction);
        EXPECT_EQ(A.P[1], C.P1) << C.R.Left << "," << C.R.Right << " dir " << int(C.Direction);
        EXPECT_EQ(A.P[2], C.P2) << C.R.Left << "," << C.R.Right << " dir " << int(C.Direction);
    }
    // A given size is kept.
    const TcxArrowPoints Sized = cxArrowPoints({0, 0, 9, 9}, 2, false, adDown);
    EXPECT_EQ(Sized.P[0], (TPoint{3, 4}));
    EXPECT_EQ(Sized.P[1], (TPoint{5, 4}));
    EXPECT_EQ(Sized.P[2], (TPoint{4, 5}));
}

// The first and last column of each row in Color.
std::pair<int, int> RowExtent(const TestSurface& S, int Y, pg::COLORREF Color) {
    std::pair<int, int> Ends{-1, -1};
    for (int X = 0; X < S.Pixels().Width(); ++X)
        if (S.At(X, Y) == Color) {
            if (Ends.first < 0) Ends.first = X;
            Ends.second = X;
        }
    return Ends;
}

TEST_F(PainterBase, DrawArrowCoversTheTriangle) {
    TestSurface S(9, 9);
    TcxCanvas C(&S.Canvas());
    Base()->DrawArrow(C, {0, 0, 9, 9}, Red, adDown);
    const std::pair<int, int> Expected[9] = {{-1, -1}, {-1, -1}, {-1, -1}, {2, 6},  {3, 5},
                                             {4, 4},   {-1, -1}, {-1, -1}, {-1, -1}};
    for (int Y = 0; Y < 9; ++Y)
        EXPECT_EQ(RowExtent(S, Y, Red), Expected[Y]) << "row " << Y;
}

// The surface as rows of '#' where it is Color and '.' elsewhere.
std::vector<std::string> Picture(const TestSurface& S, pg::COLORREF Color) {
    std::vector<std::string> Rows;
    for (int Y = 0; Y < S.Pixels().Height(); ++Y) {
        std::string Row;
        for (int X = 0; X < S.Pixels().Width(); ++X)
            Row += S.At(X, Y) == Color ? '#' : '.';
        Rows.push_back(Row);
    }
    return Rows;
}

TEST_F(PainterBase, ArrowsAreSolidTriangles) {
    struct Case {
        TRect R;
        TcxArrowDirection Direction;
        std::vector<std::string> Expected;
    };
    // clang-format off
    const Case Cases[] = {
        {{0, 0, 9, 9}, adDown, {
            ".........",
            ".........",
            ".........",
            "..#####..",
            "...###...",
            "....#....",
            ".........",
            ".........",
            ".........",
        }},
        {{0, 0, 9, 9}, adUp, {
            ".........",
            ".........",
            ".........",
            "....#....",
            "...###...",
            "..#####..",
            ".........",
            ".........",
            ".........",
        }},
        {{0, 0, 9, 9}, adLeft, {
            ".........",
            ".........",
            ".....#...",
            "....##...",
            "...###...",
            "....##...",
            ".....#...",
            ".........",
            ".........",
        }},
        {{0, 0, 9, 9}, adRight, {
            ".........",
            ".........",
            "...#.....",
            "...##....",
            "...###...",
            "...##....",
            "...#.....",
            ".........",
            ".........",
        }},
        {{0, 0, 5, 5}, adDown, {
            ".....",
            ".....",
            ".###.",
            "..#..",
            ".....",
        }},
        {{0, 0, 5, 5}, adRight, {
            ".....",
            ".#...",
            ".##..",
            ".#...",
            ".....",
        }},
        {{0, 0, 12, 12}, adUp, {
            "............",
            "............",
            "............",
            "............",
            "............",
            ".....#......",
            "....###.....",
            "...#####....",
            "............",
            "............",
            "............",
            "............",
        }},
        {{0, 0, 12, 12}, adLeft, {
            "............",
            "............",
            "............",
            "............",
            "......#.....",
            ".....##.....",
            "....###.....",
            ".....##.....",
            "......#.....",
            "............",
            "............",
            "............",
        }},
    };
    // clang-format on
    for (const Case& C : Cases) {
        TestSurface S(C.R.Right, C.R.Bottom);
        TcxCanvas Canvas(&S.Canvas());
        Base()->DrawArrow(Canvas, C.R, Red, C.Direction);
        EXPECT_EQ(Picture(S, Red), C.Expected)
            << C.R.Right << " x " << C.R.Bottom << " dir " << int(C.Direction);
    }
}

TEST_F(PainterBase, DisabledScrollBarArrowIsEmbossed) {
    TestSurface S(9, 9);
    TcxCanvas C(&S.Canvas());
    Base()->DrawScrollBarArrow(C, {0, 0, 9, 9}, cxbsDisabled, adDown);
    const pg::COLORREF Shadow = Sys(pg::clBtnShadow), Light = Sys(pg::clBtnHighlight);
    EXPECT_EQ(RowExtent(S, 3, Shadow), (std::pair{2, 6}));
    EXPECT_EQ(S.At(4, 5), Shadow);
    // The highlight copy, one pixel right and down, shows where the shadow does not cover it.
    EXPECT_EQ(S.At(7, 4), Light);
    EXPECT_EQ(S.At(5, 6), Light);
    EXPECT_EQ(RowExtent(S, 6, Light), (std::pair{5, 5}));
    EXPECT_EQ(RowExtent(S, 2, Light), (std::pair{-1, -1}));
}

TEST_F(PainterBase, DrawButtonOnThirtyByTwentyInEveryState) {
    // The base draws no border: every state is a plain face; the caption's colour follows the
    // state, a disabled caption embossed.
    struct Case {
        TcxButtonState State;
        bool HasText, HasShadow, HasHighlight;
    };
    const Case Cases[] = {{cxbsDefault, true, false, false},
                          {cxbsNormal, true, false, false},
                          {cxbsHot, true, false, false},
                          {cxbsPressed, true, false, false},
                          {cxbsDisabled, false, true, true}};
    for (const Case& K : Cases) {
        TestSurface Plain(30, 20);
        TcxCanvas PC(&Plain.Canvas());
        Base()->DrawButton(PC, {0, 0, 30, 20}, "", K.State);
        for (const TPoint P : {TPoint{0, 0}, TPoint{29, 0}, TPoint{0, 19}, TPoint{29, 19},
                               TPoint{15, 10}, TPoint{1, 1}})
            EXPECT_EQ(Plain.At(P.X, P.Y), Sys(pg::clBtnFace)) << "state " << int(K.State);

        TestSurface S(30, 20);
        TcxCanvas C(&S.Canvas());
        Base()->DrawButton(C, {0, 0, 30, 20}, "W", K.State);
        std::set<pg::COLORREF> Seen;
        for (int Y = 0; Y < 20; ++Y)
            for (int X = 0; X < 30; ++X)
                Seen.insert(S.At(X, Y));
        EXPECT_EQ(S.At(0, 0), Sys(pg::clBtnFace));
        EXPECT_EQ(S.At(29, 19), Sys(pg::clBtnFace));
        EXPECT_EQ(Seen.count(Sys(pg::clBtnText)) > 0, K.HasText) << "state " << int(K.State);
        EXPECT_EQ(Seen.count(Sys(pg::clBtnShadow)) > 0, K.HasShadow) << "state " << int(K.State);
        EXPECT_EQ(Seen.count(Sys(pg::clBtnHighlight)) > 0, K.HasHighlight)
            << "state " << int(K.State);
        EXPECT_EQ(Seen.count(Back), 0u);
    }
}

TEST_F(PainterBase, DrawButtonGoesThroughTheStylesBorderAndColours) {
    TestSurface S(30, 20);
    TcxCanvas C(&S.Canvas());
    TestPainter::Instance().DrawButton(C, {0, 0, 30, 20}, "", cxbsNormal, true, RGB(0, 0, 9));
    EXPECT_EQ(S.At(0, 0), Red);
    EXPECT_EQ(S.At(29, 19), Red);
    EXPECT_EQ(S.At(1, 1), RGB(0, 0, 9));
    EXPECT_EQ(S.At(15, 10), RGB(0, 0, 9));
}

TEST_F(PainterBase, DrawButtonCaptionIgnoresAnOddLastRowAndRisesInLowButtons) {
    auto Caption = [](int Height, TRect TextRect, bool ThroughButton) {
        TestSurface S(30, 24);
        TcxCanvas C(&S.Canvas());
        C.FillRect({0, 0, 30, 24}, pg::clBtnFace);
        if (ThroughButton) {
            Base()->DrawButton(C, {0, 0, 30, Height}, "Wg", cxbsNormal);
        } else {
            C.Font().SetColor(pg::clBtnText);
            C.Brush().SetStyle(pg::TBrushStyle::bsClear);
            C.DrawText("Wg", TextRect,
                       cxAlignHCenter | cxAlignVCenter | cxShowPrefix | cxSingleLine);
        }
        std::vector<std::string> Rows;
        for (int Y = 0; Y < 24; ++Y)
            Rows.push_back(S.Row(Y, {{'T', Sys(pg::clBtnText)}}));
        return Rows;
    };
    EXPECT_EQ(Caption(21, {}, true), Caption(0, {0, 0, 30, 20}, false));
    EXPECT_EQ(Caption(20, {}, true), Caption(0, {0, 0, 30, 20}, false));
    EXPECT_EQ(Caption(15, {}, true), Caption(0, {0, -1, 30, 14}, false));
    EXPECT_NE(Caption(15, {}, true), Caption(0, {0, 0, 30, 15}, false));
}

TEST_F(PainterBase, CheckMarkColourFollowsTheStateAndTheCheckState) {
    struct Case {
        TcxButtonState State;
        TcxCheckBoxState Check;
        TColor Mark;
        TColor Box;
    };
    const Case Cases[] = {
        {cxbsNormal, cbsGrayed, pg::clGrayText, pg::clWindow},
        {cxbsDisabled, cbsChecked, pg::clGrayText, pg::clBtnFace},
        {cxbsNormal, cbsChecked, pg::clBtnText, pg::clWindow},
        {cxbsPressed, cbsChecked, pg::clBtnText, pg::clBtnFace},
    };
    for (const Case& K : Cases) {
        TestSurface S(13, 13);
        TcxCanvas C(&S.Canvas());
        Base()->DrawCheckButtonState(C, {0, 0, 13, 13}, K.State, K.Check);
        std::set<pg::COLORREF> Seen;
        for (int Y = 0; Y < 13; ++Y)
            for (int X = 0; X < 13; ++X)
                Seen.insert(S.At(X, Y));
        // The base border is empty: two pixels of the surface stay around the box.
        EXPECT_EQ(S.At(0, 0), Back);
        EXPECT_EQ(S.At(1, 12), Back);
        EXPECT_EQ(S.At(2, 2), Sys(K.Box));
        EXPECT_EQ(Seen, (std::set<pg::COLORREF>{Back, Sys(K.Box), Sys(K.Mark)}))
            << "state " << int(K.State) << " check " << int(K.Check);
    }
    // Unchecked and disabled: the face box and no mark.
    TestSurface S(13, 13);
    TcxCanvas C(&S.Canvas());
    Base()->DrawCheckButton(C, {0, 0, 13, 13}, cxbsDisabled, false);
    for (int Y = 2; Y < 11; ++Y)
        EXPECT_EQ(S.Row(Y, {{'F', Sys(pg::clBtnFace)}}), "..FFFFFFFFF..") << "row " << Y;
}

TEST_F(PainterBase, MetricsAndForwardingQueries) {
    TestSurface S(1, 1);
    TcxCanvas Measure(&S.Canvas());
    EXPECT_EQ(Base()->ButtonFocusRect(Measure, {0, 0, 6, 6}), (TRect{0, 0, 6, 6}));
    EXPECT_EQ(Base()->ButtonFocusRect(Measure, {0, 0, 10, 9}), (TRect{4, 4, 6, 5}));
    EXPECT_EQ(Base()->HeaderHeight(13), 17);
    EXPECT_EQ(TestPainter::Instance().HeaderHeight(13), 19);
    EXPECT_EQ(Base()->LookAndFeelStyle(), lfsStandard);
    EXPECT_EQ(Base()->SortingMarkAreaSize(), (TSize{16, 0}));
    EXPECT_EQ(Base()->CheckButtonColor(cxbsDefault), pg::clWindow);
    EXPECT_EQ(Base()->CheckButtonColor(cxbsDisabled), pg::clBtnFace);
    EXPECT_EQ(Base()->ButtonBorderSizes(3, 1), (TRect{0, 0, 0, 0}));
    EXPECT_EQ(TestPainter::Instance().ButtonBorderSizes(3, 1), (TRect{1, 1, 1, 1}));
    // The colours that forward reach the style's override.
    EXPECT_EQ(Base()->DefaultColor2(), pg::clWindow);
    EXPECT_EQ(TestPainter::Instance().DefaultColor2(), Red);
    EXPECT_EQ(TestPainter::Instance().DefaultColor3(), Red);
    EXPECT_EQ(TestPainter::Instance().DefaultColor38(), RGB(0, 0, 7));
    EXPECT_EQ(Base()->DefaultColor26(), pg::clBtnShadow);
    EXPECT_EQ(Base()->DefaultColor30(), pg::clBlack);
    EXPECT_EQ(Base()->DefaultEditorBorderColor(), RGB(161, 157, 157));
    EXPECT_EQ(Base()->DefaultInfoColor(), RGB(255, 255, 213));
    EXPECT_EQ(Base()->DefaultColor58(), RGB(0, 0, 128));
    EXPECT_EQ(GetScrollBarSize(), (TSize{pg::GetSystemMetrics(pg::SM_CXVSCROLL),
                                         pg::GetSystemMetrics(pg::SM_CYHSCROLL)}));
}

TEST_F(PainterBase, HeaderWidthAddsTheLeftBorderAndSubtractsTheRight) {
    TestSurface S(1, 1);
    TcxCanvas Measure(&S.Canvas());
    const TFont& Font = Measure.Font();
    const int Text = Measure.TextWidth("Name");
    const auto& P = TestPainter::Instance();
    EXPECT_EQ(P.HeaderWidth(Measure, cxBorder(bLeft), "Name", Font), Text + 5);
    EXPECT_EQ(P.HeaderWidth(Measure, cxBorder(bRight), "Name", Font), Text + 3);
    EXPECT_EQ(P.HeaderWidth(Measure, cxBorder(bLeft) | cxBorder(bRight), "Name", Font), Text + 4);
    EXPECT_EQ(P.HeaderContentBounds({0, 0, 10, 10}, cxBorder(bLeft) | cxBorder(bBottom)),
              (TRect{1, 0, 10, 9}));
    EXPECT_EQ(P.HeaderBounds({5, 5, 10, 10}, cxNeighbor(nLeft), cxBordersAll),
              (TRect{5, 5, 10, 10}));
}

TEST_F(PainterBase, BandContentOfAnEmptyRectangleDrawsNothing) {
    TestSurface S(6, 6);
    TcxCanvas C(&S.Canvas());
    Base()->DrawBandContent(C, {2, 2, 2, 5}, {HBITMAP{}, Red});
    for (int Y = 0; Y < 6; ++Y)
        EXPECT_EQ(S.Row(Y, {{'B', Back}}), "BBBBBB");
    Base()->DrawBandContent(C, {1, 1, 5, 5}, {HBITMAP{}, Red});
    EXPECT_EQ(S.At(2, 2), Red);
}

TEST_F(PainterBase, IndicatorImageKindZeroDrawsNothingAndKindOneTheFirstImage) {
    platform::forms::TImageList List(nullptr);
    List.SetSize(4, 4);
    platform::forms::TBitmap Strip;
    Strip.SetSize(8, 4);
    Strip.Canvas().Brush().SetColor(Red);
    Strip.Canvas().FillRect({0, 0, 4, 4});
    Strip.Canvas().Brush().SetColor(RGB(0, 0, 255));
    Strip.Canvas().FillRect({4, 0, 8, 4});
    List.AddMasked(Strip, pg::clWhite);
    ASSERT_EQ(List.Count(), 2);
    TcxLookAndFeelPainterImages Images;
    Images.IndicatorImages = &List;
    cxSetLookAndFeelPainterImages(Images);

    TestSurface S(10, 10);
    TcxCanvas C(&S.Canvas());
    Base()->DrawIndicatorImage(C, {0, 0, 10, 10}, 0);
    EXPECT_EQ(S.Row(4, {{'B', Back}}), "BBBBBBBBBB");
    Base()->DrawIndicatorImage(C, {0, 0, 10, 10}, 1);
    // Centred: (10 - 4) div 2 = 3 on both axes.
    EXPECT_EQ(S.Row(2, {{'R', Red}}), "..........");
    EXPECT_EQ(S.Row(3, {{'R', Red}}), "...RRRR...");
    EXPECT_EQ(S.Row(6, {{'R', Red}}), "...RRRR...");
    EXPECT_EQ(S.Row(7, {{'R', Red}}), "..........");
    cxSetLookAndFeelPainterImages({});
}

TEST_F(PainterBase, SizeGripTakesNoneAndDefaultAlikeAsTheSelectedBrush) {
    // The glyph covers the fill with its own face, so the fill shows in the calls made.
    auto Calls = [](TColor Color) {
        TestSurface S(17, 17);
        TcxCanvas C(&S.Canvas());
        C.SetBrushColor(Red);
        std::vector<std::string> Made;
        pg::SetDCCallSink(S.DC(), [&](const std::string& Call) { Made.push_back(Call); });
        Base()->DrawSizeGrip(C, {0, 0, 17, 17}, Color);
        pg::SetDCCallSink(S.DC(), {});
        return Made;
    };
    const auto None = Calls(pg::clNone);
    EXPECT_EQ(None, Calls(pg::clDefault));
    EXPECT_NE(std::find(None.begin(), None.end(), "FillRect(0,0,17,17,brush 0000FF)"), None.end());
}

TEST_F(PainterBase, ClockAtThreeHasTheHourHandRightAndTheMinuteHandUp) {
    TestSurface S(41, 41);
    TcxCanvas C(&S.Canvas());
    C.SetBrushColor(Red);
    Base()->DrawClock(C, {0, 0, 41, 41}, platform::core::EncodeTime(3, 0, 0, 0), pg::clWhite);
    const pg::COLORREF White = RGB(255, 255, 255);
    // The hands are framed in clBtnText: the hour hand's tip at 0.75 of the radius (18.5) to the
    // right, the minute hand's at 0.85 of it upward; its sides at 0.2 of it left and right.
    const pg::COLORREF Frame = Sys(pg::clBtnText);
    EXPECT_EQ(S.At(34, 20), Frame);
    EXPECT_EQ(S.At(20, 4), Frame);
    EXPECT_EQ(S.At(16, 20), Frame);
    EXPECT_EQ(S.At(35, 20), White);
    EXPECT_EQ(S.At(12, 20), White);
    EXPECT_EQ(S.At(20, 28), White);
    // The twelve o'clock mark stays above the fill: its centre teal, lit above, shaded below.
    EXPECT_EQ(S.At(20, 2), RGB(0, 128, 128));
    EXPECT_EQ(S.At(20, 1), RGB(0, 255, 255));
    EXPECT_EQ(S.At(20, 3), Sys(pg::clBtnText));
    EXPECT_EQ(S.At(0, 0), White);
}

TEST_F(PainterBase, GroupExpandButtonChevronsPointUpWhenExpanded) {
    TestSurface S(15, 15);
    TcxCanvas C(&S.Canvas());
    Base()->DrawGroupExpandButton(C, {0, 0, 15, 15}, true, cxbsNormal);
    const auto Key = {std::pair{'T', Sys(pg::clBtnText)}};
    // Y0 = (15 - 8) div 2 = 3; left = (15 - 7) div 2 = 4.
    EXPECT_EQ(S.Row(3, Key), ".......T.......");
    EXPECT_EQ(S.Row(4, Key), "......TTT......");
    EXPECT_EQ(S.Row(5, Key), ".....TT.TT.....");
    EXPECT_EQ(S.Row(6, Key), "....TT...TT....");
    EXPECT_EQ(S.Row(7, Key), "....T..T..T....");
    EXPECT_EQ(S.Row(10, Key), "....TT...TT....");
    EXPECT_EQ(S.Row(11, Key), "....T.....T....");
    EXPECT_EQ(S.Row(12, Key), "...............");
}

// The tab button turned: the canvas under R (20 x 50) against an upright 50 x 20 drawing of the
// same button (and caption) turned clockwise pixel by pixel here.
class RotatedTabButton : public PainterBase {
protected:
    static constexpr TRect R{5, 5, 25, 55};
    static constexpr TRect TextRect{5, 12, 25, 50};
    static constexpr TRect EdgeRect{5, 50, 25, 55};
    // The rectangles as the upright drawing sees them: column y - 5, row 19 - (x - 5).
    static constexpr TRect UprightText{7, 0, 45, 20};
    static constexpr TRect UprightEdge{45, 0, 50, 20};

    static void ExpectUprightTurned(const TestSurface& Turned, const TestSurface& Upright) {
        for (int Y = 0; Y < 50; ++Y)
            for (int X = 0; X < 20; ++X)
                ASSERT_EQ(Turned.At(R.Left + X, R.Top + Y), Upright.At(Y, 19 - X))
                    << "at " << X << "," << Y;
    }
    static void ExpectOutsideUntouched(const TestSurface& S) {
        for (int Y = 0; Y < 60; ++Y)
            for (int X = 0; X < 30; ++X)
                if (!pg::PtInRect(R, {X, Y})) {
                    ASSERT_EQ(S.At(X, Y), Back) << X << "," << Y;
                }
    }
};

TEST_F(RotatedTabButton, TheButtonIsTheUprightOneTurned) {
    for (const int Side : {0, 1})
        for (const auto State : {cxbsNormal, cxbsPressed}) {
            TestSurface S(30, 60);
            TcxCanvas C(&S.Canvas());
            Base()->DrawRotatedTabButton(C, R, Side, State, "", TextRect, EdgeRect);
            TestSurface Upright(50, 20);
            TcxCanvas U(&Upright.Canvas());
            Base()->DrawTabButton(U, {0, 0, 50, 20}, UprightEdge, Side, State);
            ExpectUprightTurned(S, Upright);
            ExpectOutsideUntouched(S);
        }
    // Side 0 frames the upright top, right and bottom: turned, the right, bottom and left.
    TestSurface S(30, 60);
    TcxCanvas C(&S.Canvas());
    Base()->DrawRotatedTabButton(C, R, 0, cxbsNormal, "", TextRect, EdgeRect);
    const pg::COLORREF Shadow = Sys(pg::clBtnShadow);
    EXPECT_EQ(S.At(R.Right - 1, 30), Shadow);
    EXPECT_EQ(S.At(R.Left, 30), Shadow);
    EXPECT_EQ(S.At(15, R.Bottom - 1), Shadow);
    EXPECT_NE(S.At(15, R.Top), Shadow);
}

TEST_F(RotatedTabButton, TheCaptionIsTurnedAndCentredInTheSymbolColour) {
    TestSurface S(30, 60);
    TcxCanvas C(&S.Canvas());
    Base()->DrawRotatedTabButton(C, R, 0, cxbsNormal, "Wide", TextRect, EdgeRect);
    TestSurface Upright(50, 20);
    TcxCanvas U(&Upright.Canvas());
    Base()->DrawTabButton(U, {0, 0, 50, 20}, UprightEdge, 0, cxbsNormal);
    U.Font().SetColor(pg::clBtnText);
    U.Brush().SetStyle(pg::TBrushStyle::bsClear);
    U.DrawText("Wide", UprightText, cxAlignHCenter | cxAlignVCenter | cxSingleLine);
    ExpectUprightTurned(S, Upright);
    ExpectOutsideUntouched(S);

    // The caption's ink against the bare button: taller than wide, inside the text rectangle.
    TestSurface Bare(30, 60);
    TcxCanvas B(&Bare.Canvas());
    Base()->DrawRotatedTabButton(B, R, 0, cxbsNormal, "", TextRect, EdgeRect);
    TRect Ink{1000, 1000, -1, -1};
    for (int Y = 0; Y < 60; ++Y)
        for (int X = 0; X < 30; ++X)
            if (S.At(X, Y) != Bare.At(X, Y)) {
                EXPECT_EQ(S.At(X, Y), Sys(pg::clBtnText));
                Ink = {std::min(Ink.Left, X), std::min(Ink.Top, Y), std::max(Ink.Right, X + 1),
                       std::max(Ink.Bottom, Y + 1)};
            }
    ASSERT_LT(Ink.Left, Ink.Right);
    EXPECT_GT(cxRectHeight(Ink), cxRectWidth(Ink));
    EXPECT_TRUE(Ink.Left >= TextRect.Left && Ink.Top >= TextRect.Top &&
                Ink.Right <= TextRect.Right && Ink.Bottom <= TextRect.Bottom);
    // Centred along the tab: the ink's middle within a pixel of the text rectangle's.
    EXPECT_LE(std::abs((Ink.Top + Ink.Bottom) - (TextRect.Top + TextRect.Bottom)), 2);
}

TEST_F(PainterBase, PngOfSomeOperations) {
    testsupport::TempFolder Folder("painter-base-");
    ASSERT_FALSE(Folder.Path().empty());
    TestSurface S(200, 60, pg::ColorToRGB(pg::clBtnFace));
    TcxCanvas C(&S.Canvas());
    Base()->DrawButton(C, {4, 4, 64, 26}, "&Button", cxbsNormal);
    Base()->DrawButton(C, {70, 4, 130, 26}, "Off", cxbsDisabled);
    Base()->DrawCheckButton(C, {136, 4, 149, 17}, cxbsNormal, true);
    Base()->DrawSmallExpandButton(C, {154, 4, 163, 13}, false, pg::clBtnShadow, pg::clWindow);
    for (int D = 0; D < 4; ++D)
        Base()->DrawScrollBarArrow(C, {4 + 18 * D, 32, 20 + 18 * D, 48},
                                   D % 2 ? cxbsDisabled : cxbsNormal,
                                   static_cast<TcxArrowDirection>(D));
    Base()->DrawClock(C, {80, 30, 110, 60}, platform::core::EncodeTime(10, 10, 0, 0), pg::clWindow);
    Base()->DrawPanelCloseButton(C, {120, 32, 136, 46}, cxbsNormal);
    Base()->DrawIndicatorStripes(C, {140, 32, 160, 48}, pg::clBtnShadow);
    Base()->DrawRotatedTabButton(C, {166, 4, 184, 56}, 0, cxbsNormal, "Tab", {166, 10, 184, 56},
                                 {166, 4, 184, 10});
    EXPECT_TRUE(S.Pixels().SavePng(Folder.PathOf("painter-base.png")));
}

} // namespace
} // namespace toolkit::base
