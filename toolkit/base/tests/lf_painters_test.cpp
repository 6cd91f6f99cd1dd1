// The standard, flat, ultra-flat and Office 2003 painters drawn on our own surfaces: buttons in
// every state, and what each style overrides.

#include "toolkit/base/tests/cx_test_surface.h"

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/cx_lf_painter_flat.h"
#include "toolkit/base/cx_lf_painter_office11.h"
#include "toolkit/base/cx_lf_painter_standard.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/visual_styles.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;
using pg::COLORREF;
using pg::RGB;
using testing_support::ClassicColors;
using testing_support::TestSurface;

constexpr TcxButtonState AllStates[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed,
                                        cxbsDisabled};

// The Office 2003 painter draws with the blue scheme's palette.
class BlueScheme {
public:
    BlueScheme() {
        pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
        dxOffice11RefreshColors();
        dxOffice11InitColors();
    }
    ~BlueScheme() { dxOffice11ReleaseColors(); }
};

COLORREF Resolved(TColor Color) {
    return pg::ColorToRGB(Color);
}

// Pixels sampled from the outside in: the corner, the next two rings, the face's middle and
// the far corner.
struct ButtonSample {
    TcxButtonState State;
    COLORREF Corner, Ring1, Ring2, Middle, FarCorner, FarRing1;
};

std::vector<COLORREF> SampleButton(TcxLookAndFeelPainterClass Painter, TcxButtonState State) {
    TestSurface S(30, 20);
    TcxCanvas Canvas(&S.Canvas());
    Painter->DrawButton(Canvas, {0, 0, 30, 20}, "", State);
    return {S.At(0, 0), S.At(1, 1), S.At(2, 2), S.At(15, 10), S.At(29, 19), S.At(28, 18)};
}

void ExpectButtons(TcxLookAndFeelPainterClass Painter, const std::vector<ButtonSample>& Table) {
    for (const ButtonSample& Row : Table) {
        std::vector<COLORREF> Want = {Row.Corner, Row.Ring1,     Row.Ring2,
                                      Row.Middle, Row.FarCorner, Row.FarRing1};
        EXPECT_EQ(SampleButton(Painter, Row.State), Want) << "state " << int(Row.State);
    }
}

constexpr COLORREF Black = RGB(0, 0, 0), White = RGB(255, 255, 255), Face = RGB(212, 208, 200),
                   Shadow = RGB(128, 128, 128), DkShadow = RGB(64, 64, 64),
                   Highlight = RGB(10, 36, 106);

TEST(StandardPainter, ButtonsInEveryState) {
    ClassicColors Classic;
    ExpectButtons(&TcxStandardLookAndFeelPainter::Instance(),
                  {
                      // Default: a black frame, then the raised rings.
                      {cxbsDefault, Black, White, Face, Face, Black, DkShadow},
                      {cxbsNormal, White, Face, Face, Face, DkShadow, Shadow},
                      // Hot is drawn as normal.
                      {cxbsHot, White, Face, Face, Face, DkShadow, Shadow},
                      // Pressed: black, then one shadow ring.
                      {cxbsPressed, Black, Shadow, Face, Face, Black, Shadow},
                      {cxbsDisabled, White, Face, Face, Face, DkShadow, Shadow},
                  });
}

TEST(FlatPainter, ButtonsInEveryState) {
    ClassicColors Classic;
    ExpectButtons(&TcxFlatLookAndFeelPainter::Instance(),
                  {
                      // Default: a black frame and a single raised ring.
                      {cxbsDefault, Black, White, Face, Face, Black, Shadow},
                      {cxbsNormal, White, Face, Face, Face, Shadow, Face},
                      {cxbsHot, White, Face, Face, Face, Shadow, Face},
                      // Pressed: the ring sunken.
                      {cxbsPressed, Shadow, Face, Face, Face, White, Face},
                      {cxbsDisabled, White, Face, Face, Face, Shadow, Face},
                  });
}

TEST(UltraFlatPainter, ButtonsInEveryState) {
    ClassicColors Classic;
    const COLORREF Hot = Resolved(cxGetHotLightColor());
    const COLORREF Pressed = Resolved(cxGetPressedLightColor());
    // The blends of the classic highlight and window colours.
    EXPECT_EQ(Hot, RGB(183, 191, 212));
    EXPECT_EQ(Pressed, RGB(136, 147, 177));
    ExpectButtons(&TcxUltraFlatLookAndFeelPainter::Instance(),
                  {
                      // Default: two frames in the window-frame colour.
                      {cxbsDefault, Black, Black, Face, Face, Black, Black},
                      {cxbsNormal, Black, Face, Face, Face, Black, Face},
                      {cxbsHot, Highlight, Hot, Hot, Hot, Highlight, Hot},
                      {cxbsPressed, Highlight, Pressed, Pressed, Pressed, Highlight, Pressed},
                      {cxbsDisabled, Shadow, Face, Face, Face, Shadow, Face},
                  });
}

TEST(Office11Painter, ButtonsInEveryStateInTheBlueScheme) {
    BlueScheme Blue;
    // Entries 1, 42, 43, 45 and 53 of the blue palette; disabled is clBtnFace of the desktop.
    const COLORREF Entry1 = RGB(158, 190, 245), Entry42 = RGB(0, 0, 128),
                   Entry43 = RGB(255, 244, 204), Entry45 = RGB(255, 211, 142),
                   Entry53 = RGB(141, 141, 141), XPFace = RGB(236, 233, 216);
    ASSERT_EQ(Resolved(dxOffice11Palette(1)), Entry1);
    ExpectButtons(&TcxOffice11LookAndFeelPainter::Instance(),
                  {
                      {cxbsDefault, Black, Black, Entry1, Entry1, Black, Black},
                      {cxbsNormal, Black, Entry1, Entry1, Entry1, Black, Entry1},
                      {cxbsHot, Entry42, Entry43, Entry43, Entry43, Entry42, Entry43},
                      {cxbsPressed, Entry42, Entry45, Entry45, Entry45, Entry42, Entry45},
                      {cxbsDisabled, Entry53, XPFace, XPFace, XPFace, Entry53, XPFace},
                  });
}

// Every pixel of a surface, for comparing two drawings.
std::vector<COLORREF> AllPixels(const TestSurface& S) {
    std::vector<COLORREF> Pixels;
    for (int Y = 0; Y < S.Pixels().Height(); ++Y)
        for (int X = 0; X < S.Pixels().Width(); ++X)
            Pixels.push_back(S.At(X, Y));
    return Pixels;
}

template <typename Draw> std::vector<COLORREF> Drawn(int Width, int Height, Draw&& DrawIt) {
    TestSurface S(Width, Height);
    TcxCanvas Canvas(&S.Canvas());
    DrawIt(Canvas);
    return AllPixels(S);
}

TEST(StandardPainter, BorderIsTwoPixelsSunken) {
    ClassicColors Classic;
    TestSurface S(10, 10);
    TcxCanvas Canvas(&S.Canvas());
    TcxStandardLookAndFeelPainter::Instance().DrawBorder(Canvas, {0, 0, 10, 10});
    EXPECT_EQ(S.At(0, 0), Shadow);
    EXPECT_EQ(S.At(9, 9), White);
    EXPECT_EQ(S.At(1, 1), DkShadow);
    EXPECT_EQ(S.At(8, 8), Face);
    EXPECT_EQ(S.At(2, 2), RGB(1, 2, 3));
    EXPECT_EQ(TcxStandardLookAndFeelPainter::Instance().BorderSize(), 2);
}

TEST(StandardPainter, ScrollBarHotIsNormalAndADisabledThumbIsNotDrawn) {
    ClassicColors Classic;
    const auto& Painter = TcxStandardLookAndFeelPainter::Instance();
    const TRect R{0, 0, 17, 17};
    for (TcxScrollBarPart Part : {sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp})
        EXPECT_EQ(
            Drawn(17, 17,
                  [&](TcxCanvas& C) { Painter.DrawScrollBarPart(C, false, R, Part, cxbsHot); }),
            Drawn(17, 17,
                  [&](TcxCanvas& C) { Painter.DrawScrollBarPart(C, false, R, Part, cxbsNormal); }))
            << "part " << Part;
    TestSurface S(17, 17);
    TcxCanvas Canvas(&S.Canvas());
    Painter.DrawScrollBarPart(Canvas, false, R, sbpThumbnail, cxbsDisabled);
    EXPECT_EQ(AllPixels(S), std::vector<COLORREF>(17 * 17, RGB(1, 2, 3)));
    // A track is the checker: face and highlight, or black and dark shadow when pressed.
    Painter.DrawScrollBarPart(Canvas, false, R, sbpPageDown, cxbsNormal);
    EXPECT_EQ(S.At(0, 0), Face);
    EXPECT_EQ(S.At(1, 0), White);
    Painter.DrawScrollBarPart(Canvas, false, R, sbpPageDown, cxbsPressed);
    EXPECT_EQ(S.At(0, 0), Black);
    EXPECT_EQ(S.At(1, 0), DkShadow);
}

TEST(StandardPainter, ExpandButtonIsTakenOutOfTheClipRegion) {
    ClassicColors Classic;
    TestSurface S(20, 20);
    TcxCanvas Canvas(&S.Canvas());
    TcxStandardLookAndFeelPainter::Instance().DrawExpandButton(Canvas, {2, 2, 14, 14}, false);
    Canvas.FillRect({0, 0, 20, 20}, pg::clRed);
    EXPECT_EQ(S.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(S.At(2, 2), White);
    // The plus in button text over the face: its centre and the end of its bars.
    EXPECT_EQ(S.At(7, 7), Black);
    EXPECT_EQ(S.At(5, 7), Black);
    EXPECT_EQ(S.At(7, 5), Black);
    EXPECT_EQ(S.At(4, 7), Face);
    EXPECT_EQ(S.At(5, 5), Face);
}

TEST(StandardPainter, GroupExpandButtonIsTheFlatOne) {
    ClassicColors Classic;
    for (bool Expanded : {false, true})
        EXPECT_EQ(Drawn(20, 20,
                        [&](TcxCanvas& C) {
                            TcxStandardLookAndFeelPainter::Instance().DrawGroupExpandButton(
                                C, {0, 0, 20, 20}, Expanded, cxbsNormal);
                        }),
                  Drawn(20, 20, [&](TcxCanvas& C) {
                      TcxFlatLookAndFeelPainter::Instance().DrawGroupExpandButton(
                          C, {0, 0, 20, 20}, Expanded, cxbsNormal);
                  }));
}

TEST(FlatPainter, CheckBoxBorderIsOneSunkenEdgeAndAFrameInTheBoxColour) {
    ClassicColors Classic;
    TestSurface S(13, 13);
    TcxCanvas Canvas(&S.Canvas());
    const auto& Painter = TcxFlatLookAndFeelPainter::Instance();
    Painter.DrawCheckButton(Canvas, {0, 0, 13, 13}, cxbsPressed, false);
    EXPECT_EQ(S.At(0, 0), Shadow);
    EXPECT_EQ(S.At(12, 12), White);
    // Pressed boxes are button face, frame and inside.
    EXPECT_EQ(S.At(1, 1), Face);
    EXPECT_EQ(S.At(6, 6), Face);
    Painter.DrawCheckButton(Canvas, {0, 0, 13, 13}, cxbsNormal, true);
    EXPECT_EQ(S.At(1, 1), White);
    int Marks = 0;
    for (int Y = 2; Y < 11; ++Y)
        for (int X = 2; X < 11; ++X)
            Marks += S.At(X, Y) == Black;
    EXPECT_GT(Marks, 10);
}

TEST(FlatPainter, ScrollBarArrowSitsInsideTheButtonBorder) {
    ClassicColors Classic;
    TestSurface S(16, 16);
    TcxCanvas Canvas(&S.Canvas());
    TcxFlatLookAndFeelPainter::Instance().DrawScrollBarPart(Canvas, false, {0, 0, 16, 16},
                                                            sbpLineDown, cxbsNormal);
    EXPECT_EQ(S.At(0, 0), White);
    EXPECT_EQ(S.At(15, 15), Shadow);
    // The arrow of the 14 x 14 inside: 4 high, 7 wide, apex on column 7.
    EXPECT_EQ(S.Row(6, {{'#', Black}}), "....#######.....");
    EXPECT_EQ(S.Row(9, {{'#', Black}}), ".......#........");
}

TEST(UltraFlatPainter, ButtonMetricsAndSymbolColours) {
    ClassicColors Classic;
    const auto& Painter = TcxUltraFlatLookAndFeelPainter::Instance();
    const TRect Single = Painter.ButtonBorderSizes(1, 0);
    EXPECT_EQ((std::vector<int>{Single.Left, Single.Top, Single.Right, Single.Bottom}),
              (std::vector<int>{2, 2, 1, 2}));
    const TRect Last = Painter.ButtonBorderSizes(3, 2);
    EXPECT_EQ((std::vector<int>{Last.Left, Last.Top, Last.Right, Last.Bottom}),
              (std::vector<int>{1, 2, 2, 2}));
    EXPECT_EQ(Painter.ButtonSymbolColor(cxbsPressed, pg::clRed), pg::clHighlightText);
    EXPECT_EQ(Painter.ButtonSymbolColor(cxbsHot, pg::clRed), pg::clRed);
    EXPECT_EQ(Painter.ButtonColor(cxbsNormal), pg::clBtnFace);
    EXPECT_EQ(Painter.ButtonColor(cxbsDisabled), pg::clBtnFace);
    EXPECT_EQ(Painter.ButtonSymbolState(cxbsPressed), cxbsNormal);
}

TEST(UltraFlatPainter, HotButtonInTheMiddleOfAGroup) {
    ClassicColors Classic;
    TestSurface S(10, 10);
    TcxCanvas Canvas(&S.Canvas());
    TcxUltraFlatLookAndFeelPainter::Instance().DrawButtonInGroup(Canvas, {0, 0, 10, 10}, 1, 3,
                                                                 cxbsHot, pg::clRed);
    const COLORREF Hot = Resolved(cxGetHotLightColor());
    // One row off at top and bottom; highlight columns toward both neighbours.
    EXPECT_EQ(S.At(5, 0), RGB(1, 2, 3));
    EXPECT_EQ(S.At(0, 5), Highlight);
    EXPECT_EQ(S.At(9, 5), Highlight);
    EXPECT_EQ(S.At(1, 5), Hot);
    EXPECT_EQ(S.At(5, 1), Hot);
}

TEST(Office11Painter, SymbolColourOfAPressedButtonFollowsTheScheme) {
    BlueScheme Blue;
    const auto& Painter = TcxOffice11LookAndFeelPainter::Instance();
    EXPECT_EQ(Painter.ButtonSymbolColor(cxbsPressed, pg::clRed), dxOffice11Palette(52));
    EXPECT_EQ(Painter.ButtonSymbolColor(cxbsDisabled), dxOffice11Palette(53));
    EXPECT_EQ(Painter.ButtonColor(cxbsDisabled), pg::clBtnFace);
    pg::SetVisualStyleScheme(pg::VisualStyleScheme::None);
    dxOffice11RefreshColors();
    EXPECT_EQ(Painter.ButtonSymbolColor(cxbsPressed), pg::clHighlightText);
    EXPECT_EQ(Painter.ButtonColor(cxbsDisabled), pg::clBtnFace);
    EXPECT_EQ(Painter.ButtonColor(cxbsNormal), dxOffice11Palette(1));
    pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
    dxOffice11RefreshColors();
}

TEST(Office11Painter, ExpandButtonsBlendTheirCornersIntoEachBackground) {
    BlueScheme Blue;
    TestSurface S(40, 20, RGB(0, 0, 0));
    TcxCanvas Canvas(&S.Canvas());
    Canvas.FillRect({20, 0, 40, 20}, pg::clWhite);
    const auto& Painter = TcxOffice11LookAndFeelPainter::Instance();
    Painter.DrawExpandButton(Canvas, {2, 2, 13, 13}, false);
    Painter.DrawExpandButton(Canvas, {22, 2, 33, 13}, true);
    const COLORREF OnBlack = Resolved(dxOffice11MixColors(dxOffice11ExpandButtonColor1, 0, 25));
    const COLORREF OnWhite =
        Resolved(dxOffice11MixColors(dxOffice11ExpandButtonColor1, pg::clWhite, 25));
    EXPECT_EQ(S.At(2, 2), OnBlack);
    EXPECT_EQ(S.At(22, 2), OnWhite);
    EXPECT_NE(OnBlack, OnWhite);
    // The plus and the minus of the shared bitmaps.
    const COLORREF Sign = static_cast<COLORREF>(dxOffice11ExpandButtonColor2);
    EXPECT_EQ(S.At(6, 4), Sign);
    EXPECT_NE(S.At(26, 4), Sign);
    EXPECT_FALSE(Painter.ExpandButtonDrawnFirst());
    EXPECT_EQ(Painter.SmallExpandButtonSize(), 11);
}

// The expand images come from the colour scheme, whose recolouring is mended for images whose
// shades do not spread (it takes the light colour instead of dividing by zero): with the face
// and window colours equal, entries 3 and 4 are equal and the painter still draws its buttons.
TEST(Office11Painter, DrawsWithTheSchemesImagesWhenTheGradientColoursAreEqual) {
    BlueScheme Blue;
    ClassicColors Classic;
    pg::SetVisualStyleScheme(pg::VisualStyleScheme::None);
    const int Indices[] = {pg::COLOR_BTNFACE};
    const COLORREF Values[] = {RGB(255, 255, 255)};
    pg::SetSysColors(1, Indices, Values);
    dxOffice11RefreshColors();
    EXPECT_EQ(dxOffice11Palette(3), dxOffice11Palette(4));
    const HBITMAP SubMenu = dxOffice11SubMenuExpandBitmap();
    ASSERT_NE(SubMenu, HBITMAP{});
    EXPECT_EQ(pg::PixelToColor(pg::BitmapSurface(SubMenu)->Pixel(7, 1) & 0xFFFFFF),
              Resolved(dxOffice11Palette(3)));
    TestSurface S(11, 11);
    TcxCanvas Canvas(&S.Canvas());
    TcxOffice11LookAndFeelPainter::Instance().DrawExpandButton(Canvas, {0, 0, 11, 11}, false);
    EXPECT_EQ(S.At(4, 2), static_cast<COLORREF>(dxOffice11ExpandButtonColor2));
    pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
    pg::SetSystemProfile(pg::SystemProfile::Classic);
    dxOffice11RefreshColors();
}

TEST(Office11Painter, ScrollBarsAreTheStandardOnesWhileStylesAreOff) {
    ClassicColors Classic;
    BlueScheme Blue;
    pg::SetVisualStyleScheme(pg::VisualStyleScheme::None);
    const TRect R{0, 0, 17, 17};
    for (TcxScrollBarPart Part : {sbpLineUp, sbpThumbnail, sbpPageDown})
        EXPECT_EQ(Drawn(17, 17,
                        [&](TcxCanvas& C) {
                            TcxOffice11LookAndFeelPainter::Instance().DrawScrollBarPart(
                                C, true, R, Part, cxbsPressed);
                        }),
                  Drawn(17, 17, [&](TcxCanvas& C) {
                      TcxStandardLookAndFeelPainter::Instance().DrawScrollBarPart(C, true, R, Part,
                                                                                  cxbsPressed);
                  }));
    pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
}

TEST(Office11Painter, HeaderContentIsAGradientAndHotAddsABottomBand) {
    BlueScheme Blue;
    TestSurface S(20, 20);
    TcxCanvas Canvas(&S.Canvas());
    const auto& Painter = TcxOffice11LookAndFeelPainter::Instance();
    Painter.DrawContent(Canvas, {0, 0, 20, 20}, {0, 0, 20, 20}, cxbsNormal,
                        platform::forms::taLeftJustify, vaTop, false, false, "", Canvas.Font(),
                        pg::clBlack, pg::clRed, nullptr);
    EXPECT_EQ(S.At(5, 5), Resolved(Painter.HeaderGradientStartColor()));
    EXPECT_EQ(S.At(5, 19), Resolved(Painter.HeaderGradientEndColor()));
    Painter.DrawContent(Canvas, {0, 0, 20, 20}, {0, 0, 20, 20}, cxbsHot,
                        platform::forms::taLeftJustify, vaTop, false, false, "", Canvas.Font(),
                        pg::clBlack, pg::clRed, nullptr);
    EXPECT_EQ(S.At(5, 5), Resolved(dxOffice11Palette(3)));
    EXPECT_EQ(S.At(5, 18), Resolved(dxOffice11Palette(43)));
    EXPECT_EQ(S.At(5, 19),
              Resolved(GetGradientColorAtPos({-1, 18, 20, 21}, 19, dxOffice11Palette(43),
                                             dxOffice11Palette(44), false)));
}

TEST(StylePainters, ButtonStatesSideBySideAsAPicture) {
    testsupport::TempFolder Folder("lf_painters_");
    ASSERT_FALSE(Folder.Path().empty());
    ClassicColors Classic;
    BlueScheme Blue;
    const TcxLookAndFeelPainterClass Painters[] = {
        &TcxStandardLookAndFeelPainter::Instance(), &TcxFlatLookAndFeelPainter::Instance(),
        &TcxUltraFlatLookAndFeelPainter::Instance(), &TcxOffice11LookAndFeelPainter::Instance()};
    // One row per painter, one column per state, 4 pixels apart on white.
    TestSurface S(5 * 34 + 4, 4 * 24 + 4, RGB(255, 255, 255));
    TcxCanvas Canvas(&S.Canvas());
    for (int Row = 0; Row < 4; ++Row)
        for (int Column = 0; Column < 5; ++Column) {
            const int X = 4 + Column * 34, Y = 4 + Row * 24;
            Painters[Row]->DrawButton(Canvas, {X, Y, X + 30, Y + 20}, "Ok", AllStates[Column]);
        }
    const std::string Path = Folder.PathOf("button_states.png");
    ASSERT_TRUE(S.Pixels().SavePng(Path));
    std::FILE* File = std::fopen(Path.c_str(), "rb");
    ASSERT_NE(File, nullptr);
    std::fclose(File);
}

} // namespace
} // namespace toolkit::base
