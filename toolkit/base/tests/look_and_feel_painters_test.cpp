#include "toolkit/base/cx_lf_kind_painters.h"
#include "toolkit/base/cx_lf_painter_native.h"
#include "toolkit/base/cx_lf_painter_standard.h"
#include "toolkit/base/cx_look_and_feel_painters.h"
#include "toolkit/base/cx_radio_button_images.h"
#include "toolkit/base/look_and_feel.h"
#include "toolkit/base/office11.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/visual_styles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

using testing_support::ClassicColors;
using testing_support::TestSurface;
namespace pg = platform::gdi;

class LookAndFeelPainters : public ::testing::Test {
protected:
    ClassicColors FColors;
    TcxLookAndFeelPaintersUnit FUnit;
};

// ---- Radio-button images ----

TEST(RadioButtonCombination, IndexesEveryStyleStateAndFlag) {
    struct Case {
        TcxLookAndFeelStyle Style;
        TcxButtonState State;
        bool Checked, Focused, Highlighted;
        int Index;
    };
    const Case Cases[] = {
        {lfsFlat, cxbsNormal, false, false, false, 0},
        {lfsFlat, cxbsDefault, false, false, false, 0}, // the default button counts as normal
        {lfsStandard, cxbsDisabled, true, false, false, 3 + 4 + 8},
        {lfsNative, cxbsDisabled, true, false, false, 3 + 4 + 8}, // native draws standard images
        {lfsUltraFlat, cxbsHot, false, false, true, 1 + 16 + 32},
        {lfsOffice11, cxbsPressed, true, true, true, 2 + 4 + 24 + 32 + 64},
        {lfsOffice11, cxbsDisabled, true, true, true, 127},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(
            cxRadioButtonCombinationIndex(C.Style, C.State, C.Checked, C.Focused, C.Highlighted),
            C.Index)
            << C.Style << "/" << int(C.State);
    EXPECT_EQ(cxRadioButtonCombinationIndex(lfsOffice11, static_cast<TcxButtonState>(5), true, true,
                                            true),
              -1);
}

TEST(RadioButtonBullet, ScansStayInsideTheCellAndMissingBulletIsCentred) {
    const TSize Cell{13, 13};
    const TRect Glyph{0, 0, 13, 13};
    // A 4 x 4 bullet at (4, 4).
    EXPECT_EQ(cxRadioButtonBulletBounds(
                  [](int X, int Y) { return X >= 4 && X < 8 && Y >= 4 && Y < 8; }, Cell, Glyph),
              (TRect{4, 4, 8, 8}));
    // Everything looks like the bullet: the scans stop at the cell's edges.
    std::vector<std::pair<int, int>> Asked;
    const TRect All = cxRadioButtonBulletBounds(
        [&](int X, int Y) {
            Asked.emplace_back(X, Y);
            return true;
        },
        Cell, Glyph);
    EXPECT_EQ(All, (TRect{0, 0, 13, 13}));
    for (const auto& [X, Y] : Asked) {
        EXPECT_TRUE(X >= 0 && X < 13 && Y >= 0 && Y < 13) << X << "," << Y;
    }
    // No bullet pixel: a centred bullet a third of the glyph's size.
    EXPECT_EQ(cxRadioButtonBulletBounds([](int, int) { return false; }, Cell, Glyph),
              (TRect{4, 4, 8, 8}));
    EXPECT_EQ(cxRadioButtonBulletBounds([](int, int) { return false; }, Cell, {2, 2, 11, 11}),
              (TRect{5, 5, 8, 8}));
}

TEST_F(LookAndFeelPainters, FirstRadioButtonSizeBuildsAllImages) {
    EXPECT_FALSE(cxRadioButtonImageListExists());
    const TSize Size = cxStandardLookAndFeelPainter()->RadioButtonSize();
    ASSERT_TRUE(cxRadioButtonImageListExists());
    // The platform's radio glyph is 12 x 12 at the top-left of its 13 x 13 cell.
    EXPECT_EQ(Size.cx, 12);
    EXPECT_EQ(Size.cy, 12);
    const TcxRadioButtonImageList& List = cxRadioButtonImageList();
    EXPECT_EQ(List.Images().Count(), 128);
    for (int I = 0; I < 128; ++I)
        EXPECT_NE(List.ImageIndex(I), -1) << I;
    EXPECT_EQ(List.BulletBounds(), (TRect{4, 4, 8, 8}));
}

// The glyph of one combination drawn at (1, 1) on a surface of a colour no class has.
struct RadioPicture {
    explicit RadioPicture(TcxLookAndFeelStyle Style, TcxButtonState State, bool Checked,
                          bool Focused = false, bool Highlighted = false,
                          TColor Brush = pg::clDefault)
        : Surface(15, 15, pg::RGB(1, 2, 3)) {
        TcxCanvas Canvas(&Surface.Canvas());
        cxRadioButtonImageList().Draw(Canvas, 1, 1, Style, State, Checked, Focused, Brush,
                                      Highlighted);
    }
    pg::COLORREF Centre() const { return Surface.At(1 + 6, 1 + 6); }
    pg::COLORREF Face() const { return Surface.At(1 + 6, 1 + 2); }
    pg::COLORREF OuterRing() const { return Surface.At(1 + 6, 1 + 0); }
    pg::COLORREF Corner() const { return Surface.At(1, 1); }
    TestSurface Surface;
};

TEST_F(LookAndFeelPainters, CheckedDisabledOfficeRadioHasItsBulletInEntry53) {
    dxOffice11RefreshColors();
    const RadioPicture Checked(lfsOffice11, cxbsDisabled, true);
    EXPECT_EQ(Checked.Centre(), pg::ColorToRGB(dxOffice11Palette(53)));
    EXPECT_EQ(Checked.OuterRing(), pg::ColorToRGB(dxOffice11Palette(53)));
    EXPECT_EQ(Checked.Corner(), pg::RGB(1, 2, 3)); // the mask keeps the background
    const RadioPicture Unchecked(lfsOffice11, cxbsDisabled, false);
    EXPECT_EQ(Unchecked.Centre(), Unchecked.Face()); // no visible dot
    const RadioPicture Standard(lfsStandard, cxbsDisabled, true);
    EXPECT_EQ(Standard.Centre(), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(Standard.Face(), pg::GetSysColor(pg::COLOR_BTNFACE));
}

TEST_F(LookAndFeelPainters, HotUltraFlatRadioHasHighlightRingAndHotFace) {
    const RadioPicture Hot(lfsUltraFlat, cxbsHot, false);
    EXPECT_EQ(Hot.OuterRing(), pg::GetSysColor(pg::COLOR_HIGHLIGHT));
    EXPECT_NE(Hot.Face(), pg::GetSysColor(pg::COLOR_WINDOW));
    const RadioPicture Normal(lfsUltraFlat, cxbsNormal, false);
    EXPECT_EQ(Normal.OuterRing(), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(Normal.Face(), pg::GetSysColor(pg::COLOR_WINDOW));
}

TEST_F(LookAndFeelPainters, RadioOnABrushColourFillsItsSquare) {
    const RadioPicture OnRed(lfsStandard, cxbsNormal, true, false, false, pg::clRed);
    EXPECT_EQ(OnRed.Corner(), pg::RGB(255, 0, 0));
    EXPECT_EQ(OnRed.Centre(), pg::GetSysColor(pg::COLOR_WINDOWTEXT));
    EXPECT_EQ(OnRed.Surface.At(0, 0), pg::RGB(1, 2, 3));
}

TEST_F(LookAndFeelPainters, RefusedStateDrawsNothing) {
    const RadioPicture Refused(lfsStandard, static_cast<TcxButtonState>(7), true);
    for (int Y = 0; Y < 15; ++Y)
        for (int X = 0; X < 15; ++X)
            ASSERT_EQ(Refused.Surface.At(X, Y), pg::RGB(1, 2, 3));
}

TEST_F(LookAndFeelPainters, PaletteChangeRebuildsTheImagesInTheNewColours) {
    TSystemPaletteChangedNotifier Notifier;
    Notifier.DoChanged(); // nothing drawn yet: nothing made
    EXPECT_FALSE(cxRadioButtonImageListExists());
    const pg::COLORREF Before = RadioPicture(lfsStandard, cxbsNormal, false).Face();
    const int Index = pg::COLOR_WINDOW;
    const pg::COLORREF Green = pg::RGB(10, 200, 30);
    pg::SetSysColors(1, &Index, &Green);
    Notifier.DoChanged();
    const pg::COLORREF After = RadioPicture(lfsStandard, cxbsNormal, false).Face();
    EXPECT_NE(Before, After);
    EXPECT_EQ(After, pg::RGB(10, 200, 30));
    EXPECT_EQ(cxRadioButtonImageList().Images().Count(), 128);
}

// ---- The unit ----

TEST_F(LookAndFeelPainters, InstallsTheLookupOfTheFourKindsAndTheNativePainter) {
    const auto& Lookup = cxLookAndFeelPainterLookup();
    ASSERT_TRUE(Lookup.PainterByKind);
    EXPECT_EQ(Lookup.PainterByKind(lfFlat), cxFlatLookAndFeelPainter());
    EXPECT_EQ(Lookup.PainterByKind(lfStandard), cxStandardLookAndFeelPainter());
    EXPECT_EQ(Lookup.PainterByKind(lfUltraFlat), cxUltraFlatLookAndFeelPainter());
    EXPECT_EQ(Lookup.PainterByKind(lfOffice11), cxOffice11LookAndFeelPainter());
    EXPECT_EQ(Lookup.NativePainter(), &TcxWinXPLookAndFeelPainter::Instance());
    TcxLookAndFeelPainterClass Found = nullptr;
    EXPECT_FALSE(Lookup.PainterByName("Anything", Found));
    EXPECT_EQ(cxLookAndFeelPainterImages().IndicatorImages, &FUnit.IndicatorImages());
    EXPECT_EQ(FUnit.IndicatorImages().Count(), 6);
    EXPECT_EQ(cxLookAndFeelPainterImages().CheckButtonSize.cx, 13);
    EXPECT_EQ(cxLookAndFeelPainterImages().CheckButtonSize.cy, 13);
}

TEST(LookAndFeelPaintersUnit, ShutDownPutsBackWhatWasInForceAndFreesTheRadioImages) {
    ClassicColors Colors;
    const bool HadLookup = static_cast<bool>(cxLookAndFeelPainterLookup().PainterByKind);
    {
        TcxLookAndFeelPaintersUnit Unit;
        EXPECT_EQ(&cxLookAndFeelPaintersUnit(), &Unit);
        cxStandardLookAndFeelPainter()->RadioButtonSize();
        EXPECT_TRUE(cxRadioButtonImageListExists());
    }
    EXPECT_FALSE(cxRadioButtonImageListExists());
    EXPECT_EQ(static_cast<bool>(cxLookAndFeelPainterLookup().PainterByKind), HadLookup);
}

// In a fresh process, so that the unit's start-up is what first reads the visual style, with a
// palette listener already alive: the reading must not pass for a change of colours that
// reaches the theme manager while it is being built.
TEST(LookAndFeelPaintersUnit, StartsWhileAPaletteListenerIsAliveAndTheStyleIsUnread) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ClassicColors Colors;
            TSystemPaletteChangedNotifier Listener;
            { TcxLookAndFeelPaintersUnit Unit; }
            // Straight out: the process's statics are not ours to tear down here.
            std::fflush(stderr);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(ExtendedStylePainters, FindsByNameIgnoringCaseAndListsListenersOnce) {
    TcxExtendedStylePainters Painters;
    Painters.Register("Lilac", cxFlatLookAndFeelPainter());
    Painters.Register("lilac", cxStandardLookAndFeelPainter());
    TcxLookAndFeelPainterClass Painter = nullptr;
    ASSERT_TRUE(Painters.GetPainterByName("LILAC", Painter));
    EXPECT_EQ(Painter, cxFlatLookAndFeelPainter()); // the first of that name
    EXPECT_FALSE(Painters.GetPainterByName("Lila", Painter));
    auto* A = reinterpret_cast<TcxLookAndFeel*>(0x10);
    auto* B = reinterpret_cast<TcxLookAndFeel*>(0x20);
    Painters.AddListener(A);
    Painters.AddListener(A);
    Painters.AddListener(B);
    Painters.RemoveListener(reinterpret_cast<TcxLookAndFeel*>(0x30));
    EXPECT_EQ(Painters.Listeners(), (std::vector<TcxLookAndFeel*>{A, B}));
    Painters.RemoveListener(A);
    EXPECT_EQ(Painters.Listeners(), (std::vector<TcxLookAndFeel*>{B}));
}

TEST_F(LookAndFeelPainters, HalftoneBitmapsAreCheckersOfTheirTwoColours) {
    const pg::Surface& First = *pg::BitmapSurface(FUnit.HalftoneBitmap(0));
    const pg::Surface& Second = *pg::BitmapSurface(FUnit.HalftoneBitmap(1));
    const auto At = [](const pg::Surface& S, int X, int Y) {
        return pg::PixelToColor(S.Pixel(X, Y) & 0xFFFFFF);
    };
    EXPECT_EQ(At(First, 0, 0), pg::GetSysColor(pg::COLOR_BTNFACE));
    EXPECT_EQ(At(First, 3, 5), pg::GetSysColor(pg::COLOR_BTNFACE));
    EXPECT_EQ(At(First, 1, 0), pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(Second, 7, 7), 0u);
    EXPECT_EQ(At(Second, 6, 7), pg::GetSysColor(pg::COLOR_3DDKSHADOW));
}

TEST_F(LookAndFeelPainters, ScrollBarTracksAreFilledWithTheUnitsHalftoneBitmaps) {
    const auto& Painter = TcxStandardLookAndFeelPainter::Instance();
    TestSurface S(4, 2);
    TcxCanvas Canvas(&S.Canvas());
    const auto Track = [&](TcxButtonState State) {
        Painter.DrawScrollBarPart(Canvas, false, {0, 0, 4, 2}, sbpPageDown, State);
        return std::vector<pg::COLORREF>{S.At(0, 0), S.At(1, 0), S.At(0, 1), S.At(1, 1)};
    };
    const pg::COLORREF Face = pg::GetSysColor(pg::COLOR_BTNFACE);
    const pg::COLORREF Light = pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT);
    const pg::COLORREF Dark = pg::GetSysColor(pg::COLOR_3DDKSHADOW);
    EXPECT_EQ(Track(cxbsNormal), (std::vector<pg::COLORREF>{Face, Light, Light, Face}));
    EXPECT_EQ(Track(cxbsPressed), (std::vector<pg::COLORREF>{0, Dark, Dark, 0}));
    // A new face colour shows once the bitmaps are rebuilt (the scroll bar asks for that).
    const int Index = pg::COLOR_BTNFACE;
    const pg::COLORREF Red = pg::RGB(255, 0, 0);
    pg::SetSysColors(1, &Index, &Red);
    EXPECT_EQ(Track(cxbsNormal)[0], Face);
    FUnit.RebuildHalftoneBitmaps();
    EXPECT_EQ(Track(cxbsNormal)[0], Red);
}

// ---- The native painter without a visual style ----

TEST(NativePainter, NoThemeClassOpensWithOurVisualStyles) {
    EXPECT_EQ(OpenTheme(tcButton), NullTheme);
    EXPECT_EQ(OpenTheme(tcComboBox), NullTheme);
}

TEST_F(LookAndFeelPainters, NativeColourQueriesAnswerTheStandardColours) {
    const TcxCustomLookAndFeelPainter& Native = TcxWinXPLookAndFeelPainter::Instance();
    const TcxCustomLookAndFeelPainter& Standard = *cxStandardLookAndFeelPainter();
    EXPECT_EQ(Native.DefaultEditorBorderColor(), Standard.DefaultEditorBorderColor());
    for (int S = cxbsDefault; S <= cxbsDisabled; ++S) {
        const auto State = static_cast<TcxButtonState>(S);
        EXPECT_EQ(Native.ButtonColor(State), Standard.ButtonColor(State)) << S;
        EXPECT_EQ(Native.ButtonSymbolColor(State), Standard.ButtonSymbolColor(State)) << S;
        EXPECT_EQ(Native.ButtonSymbolColor(State, pg::clRed),
                  Standard.ButtonSymbolColor(State, pg::clRed))
            << S;
    }
    EXPECT_EQ(Native.LookAndFeelStyle(), lfsNative);
    EXPECT_EQ(Native.DefaultInfoColor(), static_cast<TColor>(0xD5FFFF));
}

TEST_F(LookAndFeelPainters, NativeMetricsFallBackToTheStandardOnes) {
    const TcxCustomLookAndFeelPainter& Native = TcxWinXPLookAndFeelPainter::Instance();
    const TcxCustomLookAndFeelPainter& Standard = *cxStandardLookAndFeelPainter();
    EXPECT_EQ(Native.BorderSize(), Standard.BorderSize());
    EXPECT_EQ(Native.ButtonBorderSize(), Standard.ButtonBorderSize());
    EXPECT_EQ(Native.ButtonBorderSizes(3, 1), Standard.ButtonBorderSizes(3, 1));
    EXPECT_EQ(Native.AdjustButtonRect({0, 0, 60, 20}, 3, 1),
              Standard.AdjustButtonRect({0, 0, 60, 20}, 3, 1));
    EXPECT_EQ(Native.CheckBorderSize(), Standard.CheckBorderSize());
    EXPECT_EQ(Native.CheckButtonSize(), Standard.CheckButtonSize());
    EXPECT_EQ(Native.RadioButtonSize(), Standard.RadioButtonSize());
    EXPECT_EQ(Native.ExpandButtonSize(), Standard.ExpandButtonSize());
    EXPECT_EQ(Native.SmallExpandButtonSize(), Standard.SmallExpandButtonSize());
    EXPECT_EQ(Native.GroupExpandButtonSize(), Standard.GroupExpandButtonSize());
    EXPECT_EQ(Native.HeaderBorderSize(), Standard.HeaderBorderSize());
    EXPECT_EQ(Native.BandBorderSize(), Standard.BandBorderSize());
    EXPECT_EQ(Native.BandCellBorderSize(), Standard.BandCellBorderSize());
    EXPECT_EQ(Native.BandCellOffset(), Standard.BandCellOffset());
    EXPECT_EQ(Native.PanelCheckButtonSize(), Standard.PanelCheckButtonSize());
    EXPECT_EQ(Native.PanelCloseButtonSize(), Standard.PanelCloseButtonSize());
    EXPECT_EQ(Native.TabBorderSize(true), Standard.TabBorderSize(true));
    EXPECT_EQ(Native.TabOffset(), Standard.TabOffset());
    EXPECT_EQ(Native.PopupBorderSizes(), Standard.PopupBorderSizes());
    EXPECT_EQ(Native.ScrollBarMinimalThumbSize(true), 8);
}

using TPaint = std::function<void(const TcxCustomLookAndFeelPainter& P, TcxCanvas& C)>;

struct PaintCase {
    std::string Name;
    TPaint Paint;
};

std::vector<PaintCase> FallbackOperations() {
    std::vector<PaintCase> Cases;
    const TRect R{2, 3, 32, 23};
    static const TFont Font;
    for (int S = cxbsDefault; S <= cxbsDisabled; ++S) {
        const auto State = static_cast<TcxButtonState>(S);
        const std::string N = std::to_string(S);
        Cases.push_back(
            {"DrawButton" + N, [=](auto& P, auto& C) { P.DrawButton(C, R, "&Ok", State); }});
        for (int D = adUp; D <= adRight; ++D)
            Cases.push_back(
                {"DrawButtonArrow" + N + "_" + std::to_string(D), [=](auto& P, auto& C) {
                     P.DrawButtonArrow(C, R, true, static_cast<TcxArrowDirection>(D), State);
                 }});
        Cases.push_back(
            {"DrawArrowBorder" + N, [=](auto& P, auto& C) { P.DrawArrowBorder(C, R, State); }});
        Cases.push_back({"DrawCheck" + N, [=](auto& P, auto& C) {
                             P.DrawCheck(C, {4, 4, 17, 17}, State, true, pg::clWindow);
                             P.DrawCheckBorder(C, {3, 3, 18, 18}, State);
                         }});
        Cases.push_back({"DrawRadioButton" + N, [=](auto& P, auto& C) {
                             P.DrawRadioButton(C, 4, 4, State, true, false, pg::clDefault);
                         }});
        Cases.push_back({"DrawGroupExpandButton" + N, [=](auto& P, auto& C) {
                             P.DrawGroupExpandButton(C, R, S % 2 == 0, State);
                         }});
        Cases.push_back({"DrawHeader" + N, [=](auto& P, auto& C) {
                             P.DrawHeader(C, R, R, 0, cxBordersAll, State,
                                          platform::forms::taLeftJustify, vaCenter, false, false,
                                          "Name", Font, pg::clBtnText, pg::clBtnFace, nullptr);
                         }});
        Cases.push_back({"DrawHeaderControlSection" + N, [=](auto& P, auto& C) {
                             P.DrawHeaderControlSection(C, R, R, State, platform::forms::taCenter,
                                                        vaCenter, false, false, "Name", Font,
                                                        pg::clBtnText, pg::clBtnFace, nullptr);
                         }});
        Cases.push_back({"DrawPanelCloseButton" + N,
                         [=](auto& P, auto& C) { P.DrawPanelCloseButton(C, R, State); }});
        Cases.push_back({"DrawPanelDropDownButton" + N,
                         [=](auto& P, auto& C) { P.DrawPanelDropDownButton(C, R, State, true); }});
        Cases.push_back({"DrawTab" + N, [=](auto& P, auto& C) {
                             P.DrawTab(C, R, cxBordersAll, "Tab", State, false, Font, pg::clBtnText,
                                       pg::clBtnFace);
                             P.DrawTabBorder(C, R, 0, cxBordersAll, State);
                             P.DrawTabButton(C, R, {26, 3, 32, 23}, 0, State);
                         }});
        Cases.push_back(
            {"DrawToolButton" + N, [=](auto& P, auto& C) { P.DrawToolButton(C, R, State); }});
        for (int Part = sbpLineUp; Part <= sbpPageDown; ++Part)
            Cases.push_back(
                {"DrawScrollBarPart" + N + "_" + std::to_string(Part), [=](auto& P, auto& C) {
                     P.DrawScrollBarPart(C, S % 2 == 0, R, static_cast<TcxScrollBarPart>(Part),
                                         State);
                 }});
    }
    Cases.push_back({"DrawBorder", [=](auto& P, auto& C) { P.DrawBorder(C, R); }});
    Cases.push_back({"DrawExpandButton", [=](auto& P, auto& C) {
                         P.DrawExpandButton(C, {4, 4, 13, 13}, true);
                         P.DrawExpandButton(C, {16, 4, 25, 13}, false);
                     }});
    Cases.push_back({"DrawSmallExpandButton", [=](auto& P, auto& C) {
                         P.DrawSmallExpandButton(C, {4, 4, 13, 13}, false, pg::clBtnShadow);
                     }});
    Cases.push_back({"DrawBandCell", [=](auto& P, auto& C) {
                         P.DrawBandCell(C, R, platform::forms::taLeftJustify, vaTop, true,
                                        "Band cell", Font, pg::clBtnText, pg::clWindow, nullptr);
                         P.DrawBandBorder(C, {0, 0, 34, 26});
                     }});
    Cases.push_back(
        {"DrawTabsBody", [=](auto& P, auto& C) { P.DrawTabsBody(C, R, 0, cxBordersAll); }});
    Cases.push_back({"DrawSizeGrip", [=](auto& P, auto& C) { P.DrawSizeGrip(C, R, pg::clRed); }});
    Cases.push_back({"DrawIndicatorMarkCell", [=](auto& P, auto& C) {
                         P.DrawIndicatorMarkCell(C, R, 0, pg::clBtnFace, nullptr, false, 3);
                     }});
    Cases.push_back({"DrawProgressChunk", [=](auto& P, auto& C) {
                         P.DrawProgressChunk(C, R, true, {}, {4, 5, 15, 21});
                     }});
    Cases.push_back({"DrawPopupBorder",
                     [=](auto& P, auto& C) { P.DrawPopupBorder(C, R, true, pg::clWindow); }});
    return Cases;
}

TEST_F(LookAndFeelPainters, NativeDrawsLikeStandardPixelForPixelWithoutATheme) {
    for (const PaintCase& Case : FallbackOperations()) {
        TestSurface Native(34, 26), Standard(34, 26);
        {
            TcxCanvas C(&Native.Canvas());
            Case.Paint(TcxWinXPLookAndFeelPainter::Instance(), C);
        }
        {
            TcxCanvas C(&Standard.Canvas());
            Case.Paint(*cxStandardLookAndFeelPainter(), C);
        }
        int Differences = 0;
        for (int Y = 0; Y < 26; ++Y)
            for (int X = 0; X < 34; ++X)
                Differences += Native.At(X, Y) != Standard.At(X, Y);
        EXPECT_EQ(Differences, 0) << Case.Name;
    }
}

} // namespace
} // namespace toolkit::base
