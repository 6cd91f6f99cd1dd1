#include "toolkit/base/core_routines.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/theme_manager.h"
#include "toolkit/base/ux_theme.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/visual_styles.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <type_traits>
#include <utility>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;
using pg::RGB;

void UseVisualStyle(pg::VisualStyleScheme Scheme) {
    pg::SetVisualStyleScheme(Scheme);
    dxOffice11RefreshColors();
}

// A 32-bit bitmap in a memory context, for pixel checks.
class Surface32 {
public:
    Surface32(int Width, int Height, COLORREF Background = RGB(1, 2, 3)) {
        FBitmap = pg::CreateBitmap(Width, Height, 1, 32, nullptr);
        FDC = pg::CreateCompatibleDC(pg::NullDC);
        pg::SelectObject(FDC, FBitmap);
        pg::BitmapSurface(FBitmap)->Fill(pg::ColorToPixel(Background));
    }
    ~Surface32() {
        pg::DeleteDC(FDC);
        pg::DeleteObject(FBitmap);
    }
    Surface32(const Surface32&) = delete;
    Surface32& operator=(const Surface32&) = delete;

    HDC DC() const { return FDC; }
    COLORREF At(int X, int Y) const {
        return pg::PixelToColor(pg::BitmapSurface(FBitmap)->Pixel(X, Y) & 0xFFFFFF);
    }
    // A row as characters: the key's letter where the pixel has its colour, '.' elsewhere.
    std::string Row(int Y, std::initializer_list<std::pair<char, COLORREF>> Key) const {
        std::string Out;
        const int Width = pg::BitmapSurface(FBitmap)->Width();
        for (int X = 0; X < Width; ++X) {
            char Ch = '.';
            for (const auto& [Letter, Color] : Key)
                if (At(X, Y) == Color) Ch = Letter;
            Out += Ch;
        }
        return Out;
    }

private:
    HBITMAP FBitmap{};
    HDC FDC{};
};

COLORREF BitmapPixel(HBITMAP Bitmap, int X, int Y) {
    return pg::PixelToColor(pg::BitmapSurface(Bitmap)->Pixel(X, Y) & 0xFFFFFF);
}

class Office11 : public testing::Test {
protected:
    void SetUp() override {
        UseVisualStyle(pg::VisualStyleScheme::Blue);
        dxOffice11InitColors();
    }
    void TearDown() override {
        dxOffice11ReleaseColors();
        UseVisualStyle(pg::VisualStyleScheme::Blue);
    }
    static COLORREF Entry(int N) { return static_cast<COLORREF>(dxOffice11Palette(N)); }
};

struct PaletteCase {
    int Entry;
    COLORREF Expected;
};

TEST_F(Office11, TheBluePalette) {
    EXPECT_EQ(dxOffice11GetScheme(), schBlue);
    EXPECT_TRUE(dxOffice11IsVisualStyleScheme());
    EXPECT_EQ(dxOffice11GradientPercent(), 41);
    const PaletteCase Cases[] = {
        {1, RGB(158, 190, 245)},  {2, RGB(195, 218, 249)},  {3, RGB(221, 236, 254)},
        {4, RGB(129, 169, 226)},  {7, RGB(254, 149, 82)},   {8, RGB(0, 53, 145)},
        {12, RGB(123, 164, 224)}, {13, RGB(127, 173, 242)}, // Mix(5, 3, 90)
        {16, RGB(62, 109, 185)},                            // 123 * 50% = 61.5 rounds up
        {19, RGB(39, 65, 118)},   {20, RGB(255, 255, 255)}, {23, RGB(0, 0, 0)},
        {27, RGB(221, 236, 254)}, {28, RGB(42, 102, 201)},  {32, RGB(246, 246, 246)},
        {37, RGB(203, 217, 234)}, // Mix(3, black, 92)
        {39, RGB(0, 45, 150)},    {41, RGB(255, 238, 194)}, {42, RGB(0, 0, 128)},
        {48, RGB(255, 192, 111)}, {52, RGB(0, 0, 0)},       {53, RGB(141, 141, 141)},
        {56, RGB(62, 109, 185)},  {63, RGB(253, 237, 201)}, {65, RGB(123, 164, 224)},
        {77, RGB(255, 255, 255)}, {78, RGB(89, 135, 214)},  {79, RGB(3, 56, 147)},
    };
    for (const PaletteCase& Case : Cases)
        EXPECT_EQ(Entry(Case.Entry), Case.Expected) << "entry " << Case.Entry;
}

// The platform gives its version as 5.1: there only the Luna style file gives a colour scheme; a
// style of another file leaves the colours to the system's.
TEST_F(Office11, OnVersionFiveOnlyTheLunaStyleHasAScheme) {
    TdxUxThemeEntryPoints& Cells = dxUxThemeEntryPoints();
    const TdxUxThemeEntryPoints Saved = Cells;
    static const wchar_t* File = nullptr;
    Cells.GetCurrentThemeName = [](wchar_t* FileName, int MaxFileChars, wchar_t* ColorName,
                                   int MaxColorChars, wchar_t* SizeName,
                                   int MaxSizeChars) -> HRESULT {
        std::wcsncpy(FileName, File, static_cast<std::size_t>(MaxFileChars));
        std::wcsncpy(ColorName, L"NormalColor", static_cast<std::size_t>(MaxColorChars));
        std::wcsncpy(SizeName, L"NormalSize", static_cast<std::size_t>(MaxSizeChars));
        return pg::S_OK;
    };
    File = L"D:\\Themes\\luna.msstyles";
    EXPECT_EQ(dxOffice11GetScheme(), schBlue);
    File = L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles";
    EXPECT_EQ(dxOffice11GetScheme(), schNone);
    Cells = Saved;
}

TEST_F(Office11, TheOliveAndSilverPalettes) {
    UseVisualStyle(pg::VisualStyleScheme::Olive);
    EXPECT_EQ(dxOffice11GetScheme(), schOlive);
    EXPECT_EQ(dxOffice11GradientPercent(), 125);
    EXPECT_EQ(Entry(26), RGB(225, 222, 173));
    EXPECT_EQ(Entry(41), RGB(255, 238, 194));
    UseVisualStyle(pg::VisualStyleScheme::Silver);
    EXPECT_EQ(dxOffice11GetScheme(), schSilver);
    EXPECT_EQ(dxOffice11GradientPercent(), 40);
    EXPECT_EQ(Entry(32), RGB(253, 250, 255));
}

COLORREF Sys(int Index) {
    return pg::GetSysColor(Index);
}

// The system colours a palette is made from.
struct SystemColours {
    COLORREF Face, Window, Shadow, Highlight, HighlightText, Text, ButtonHighlight, GrayText;
};

void ExpectSystemPalette(const SystemColours& Given, std::initializer_list<PaletteCase> Cases) {
    ASSERT_EQ(Sys(pg::COLOR_BTNFACE), Given.Face);
    ASSERT_EQ(Sys(pg::COLOR_WINDOW), Given.Window);
    ASSERT_EQ(Sys(pg::COLOR_BTNSHADOW), Given.Shadow);
    ASSERT_EQ(Sys(pg::COLOR_HIGHLIGHT), Given.Highlight);
    ASSERT_EQ(Sys(pg::COLOR_HIGHLIGHTTEXT), Given.HighlightText);
    ASSERT_EQ(Sys(pg::COLOR_BTNTEXT), Given.Text);
    ASSERT_EQ(Sys(pg::COLOR_BTNHIGHLIGHT), Given.ButtonHighlight);
    ASSERT_EQ(Sys(pg::COLOR_GRAYTEXT), Given.GrayText);
    EXPECT_EQ(dxOffice11GetScheme(), schNone);
    EXPECT_FALSE(dxOffice11IsVisualStyleScheme());
    EXPECT_EQ(dxOffice11GradientPercent(), 75);
    for (const PaletteCase& Case : Cases)
        EXPECT_EQ(static_cast<COLORREF>(dxOffice11Palette(Case.Entry)), Case.Expected)
            << "entry " << Case.Entry;
}

// Entries that copy a system colour, mix two (2: 20% face, 80% window), blend face, highlight
// and window (6: -15%, 29%, 86%), or lighten the face (67, 68).
TEST_F(Office11, TheClassicDesktopFollowsTheSystemColours) {
    UseVisualStyle(pg::VisualStyleScheme::None);
    ASSERT_EQ(pg::GetSystemProfile(), pg::SystemProfile::Classic);
    ExpectSystemPalette(
        {RGB(212, 208, 200), RGB(255, 255, 255), RGB(128, 128, 128), RGB(10, 36, 106),
         RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(128, 128, 128)},
        {
            {1, RGB(212, 208, 200)},  {2, RGB(246, 246, 244)},  {4, RGB(214, 210, 202)},
            {6, RGB(190, 198, 220)},  {8, RGB(128, 128, 128)},  {9, RGB(190, 198, 220)},
            {13, RGB(192, 192, 192)}, {16, RGB(170, 168, 164)}, {19, RGB(158, 158, 158)},
            {22, RGB(255, 255, 255)}, {23, RGB(0, 0, 0)},       {29, RGB(255, 255, 255)},
            {37, RGB(226, 225, 224)}, {41, RGB(183, 191, 212)}, {42, RGB(10, 36, 106)},
            {45, RGB(136, 147, 177)}, {48, RGB(210, 211, 216)}, {53, RGB(128, 128, 128)},
            {60, RGB(210, 211, 216)}, {65, RGB(128, 128, 128)}, {67, RGB(233, 231, 227)},
            {68, RGB(213, 209, 201)}, {77, RGB(255, 255, 255)}, {78, RGB(212, 208, 200)},
            {79, RGB(128, 128, 128)},
        });
}

TEST_F(Office11, WithoutAVisualStyleTheXPColoursAreFollowedToo) {
    UseVisualStyle(pg::VisualStyleScheme::None);
    pg::SetSystemProfile(pg::SystemProfile::XP);
    dxOffice11RefreshColors();
    ExpectSystemPalette(
        {RGB(236, 233, 216), RGB(255, 255, 255), RGB(172, 168, 153), RGB(49, 106, 197),
         RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(172, 168, 153)},
        {
            {1, RGB(236, 233, 216)},  {2, RGB(251, 251, 247)},  {4, RGB(237, 234, 217)},
            {6, RGB(198, 215, 244)},  {8, RGB(172, 168, 153)},  {9, RGB(198, 215, 244)},
            {13, RGB(214, 212, 205)}, {16, RGB(204, 201, 185)}, {19, RGB(192, 189, 177)},
            {22, RGB(255, 255, 255)}, {23, RGB(0, 0, 0)},       {29, RGB(255, 255, 255)},
            {37, RGB(231, 230, 227)}, {41, RGB(194, 211, 239)}, {42, RGB(49, 106, 197)},
            {45, RGB(157, 182, 219)}, {48, RGB(224, 230, 233)}, {53, RGB(172, 168, 153)},
            {60, RGB(224, 230, 233)}, {65, RGB(172, 168, 153)}, {67, RGB(245, 244, 235)},
            {68, RGB(237, 234, 217)}, {77, RGB(255, 255, 255)}, {78, RGB(236, 233, 216)},
            {79, RGB(172, 168, 153)},
        });
}

TEST_F(Office11, OnABlackOrWhiteButtonFaceTheBlendsAreTheHighlight) {
    UseVisualStyle(pg::VisualStyleScheme::None);
    for (COLORREF Face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
        const int Index = pg::COLOR_BTNFACE;
        pg::SetSysColors(1, &Index, &Face);
        dxOffice11RefreshColors();
        for (int N : {6, 7, 41, 48, 49})
            EXPECT_EQ(Entry(N), Sys(pg::COLOR_HIGHLIGHT)) << "entry " << N;
    }
    EXPECT_TRUE(IsHighContrastWhite());
    pg::SetSystemProfile(pg::SystemProfile::Classic);
}

TEST_F(Office11, BrushesAndBitmapsLiveWhileTheColoursAreHeld) {
    // Other users of the process (the system palette listener) step aside, so that this test's
    // user is the last one.
    const int OtherUsers = dxOffice11ColorUserCount() - 1;
    for (int I = 0; I < OtherUsers; ++I)
        dxOffice11ReleaseColors();
    ASSERT_NE(dxOffice11SelectedBrush(), pg::NullObject);
    pg::LOGBRUSH Brush;
    ASSERT_NE(pg::GetObject(dxOffice11SelectedBorderBrush(), sizeof Brush, &Brush), 0);
    EXPECT_EQ(Brush.lbColor, RGB(0, 0, 128));
    EXPECT_EQ(dxOffice11Brush(1), pg::NullObject);

    dxOffice11InitColors();
    dxOffice11ReleaseColors();
    EXPECT_NE(dxOffice11MenuBrush(), pg::NullObject);

    UseVisualStyle(pg::VisualStyleScheme::Olive);
    ASSERT_NE(pg::GetObject(dxOffice11SelectedBorderBrush(), sizeof Brush, &Brush), 0);
    EXPECT_EQ(Brush.lbColor, RGB(63, 93, 56));

    dxOffice11ReleaseColors();
    EXPECT_EQ(dxOffice11MenuBrush(), pg::NullObject);
    EXPECT_EQ(dxOffice11SubMenuExpandBitmap(), pg::NullObject);
    for (int I = 0; I <= OtherUsers; ++I)
        dxOffice11InitColors();
}

TEST_F(Office11, TheSubMenuExpandImageIsRecolouredToTheBarGradient) {
    const HBITMAP Bitmap = dxOffice11SubMenuExpandBitmap();
    ASSERT_NE(Bitmap, pg::NullObject);
    EXPECT_EQ(BitmapPixel(Bitmap, 0, 0), RGB(255, 0, 255));
    EXPECT_EQ(BitmapPixel(Bitmap, 5, 5), RGB(0, 0, 0));
    // The lightest shade becomes entry 3, the darkest entry 4.
    EXPECT_EQ(BitmapPixel(Bitmap, 7, 1), Entry(3));
    EXPECT_EQ(BitmapPixel(Bitmap, 7, 14), Entry(4));
}

TEST_F(Office11, TheExpandButtons) {
    const HBITMAP Minus = dxOffice11ExpandButtonBitmap(false);
    const HBITMAP Plus = dxOffice11ExpandButtonBitmap(true);
    for (HBITMAP Bitmap : {Minus, Plus}) {
        EXPECT_EQ(BitmapPixel(Bitmap, 0, 0), static_cast<COLORREF>(dxOffice11ExpandButtonColor1));
        EXPECT_EQ(BitmapPixel(Bitmap, 8, 4), static_cast<COLORREF>(dxOffice11ExpandButtonColor1));
        EXPECT_EQ(BitmapPixel(Bitmap, 2, 4), static_cast<COLORREF>(dxOffice11ExpandButtonColor2));
    }
    EXPECT_EQ(BitmapPixel(Plus, 4, 2), static_cast<COLORREF>(dxOffice11ExpandButtonColor2));
    EXPECT_NE(BitmapPixel(Minus, 4, 2), static_cast<COLORREF>(dxOffice11ExpandButtonColor2));
}

TEST_F(Office11, AGradientOver300PixelsIs256Stripes) {
    Surface32 S(300, 2);
    FillGradientRect(S.DC(), TRect{0, 0, 300, 2}, RGB(0, 0, 0), RGB(255, 0, 0), true);
    // Stripe i runs from MulDiv(i, 300, 256) to MulDiv(i + 1, 300, 256) in red i.
    const std::pair<int, int> Cases[] = {{0, 0},     {1, 1},     {2, 2},    {3, 2},
                                         {4, 3},     {5, 4},     {22, 19},  {23, 20},
                                         {150, 128}, {298, 254}, {299, 255}};
    for (const auto& [X, Red] : Cases) {
        EXPECT_EQ(S.At(X, 0), RGB(Red, 0, 0)) << "x " << X;
        EXPECT_EQ(S.At(X, 1), RGB(Red, 0, 0)) << "x " << X;
    }
    int Stripes = 1;
    for (int X = 1; X < 300; ++X)
        Stripes += S.At(X, 0) != S.At(X - 1, 0);
    EXPECT_EQ(Stripes, 256);
}

TEST_F(Office11, AVerticalGradientAndItsColourAtAPosition) {
    Surface32 S(2, 10);
    const TRect R{0, 0, 2, 10};
    FillGradientRect(S.DC(), R, RGB(0, 0, 0), RGB(0, 90, 0), false);
    for (int Y = 0; Y < 10; ++Y) {
        EXPECT_EQ(S.At(1, Y), RGB(0, Y * 10, 0));
        EXPECT_EQ(static_cast<COLORREF>(GetGradientColorAtPos(R, Y, 0, RGB(0, 90, 0), false)),
                  S.At(1, Y));
    }
}

TEST_F(Office11, GradientEdgeCases) {
    Surface32 S(4, 3);
    // Equal colours: one solid fill.
    FillGradientRect(S.DC(), TRect{0, 0, 4, 1}, pg::clWindow, RGB(255, 255, 255), true);
    EXPECT_EQ(S.Row(0, {{'W', RGB(255, 255, 255)}}), "WWWW");
    // One pixel across: one stripe in the first colour, and no division by zero.
    FillGradientRect(S.DC(), TRect{0, 1, 1, 2}, RGB(10, 0, 0), RGB(200, 0, 0), true);
    EXPECT_EQ(S.At(0, 1), RGB(10, 0, 0));
    EXPECT_EQ(S.At(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(static_cast<COLORREF>(
                  GetGradientColorAtPos(TRect{0, 1, 1, 2}, 0, RGB(10, 0, 0), RGB(200, 0, 0), true)),
              RGB(10, 0, 0));
    // Nothing across: nothing drawn.
    FillGradientRect(S.DC(), TRect{2, 2, 2, 3}, RGB(10, 0, 0), RGB(200, 0, 0), true);
    EXPECT_EQ(S.Row(2, {{'.', RGB(1, 2, 3)}, {'x', RGB(10, 0, 0)}}), "....");
}

TEST_F(Office11, ATwoStageGradientPassesTheMiddleColourHalfway) {
    Surface32 S(10, 1);
    FillTwoStageGradientRect(S.DC(), TRect{0, 0, 10, 1}, RGB(255, 0, 0), RGB(0, 0, 0), true);
    // Middle: 255 - MulDiv(255, 41, 200) = 203.
    EXPECT_EQ(S.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(S.At(5, 0), RGB(203, 0, 0));
    EXPECT_EQ(S.At(9, 0), RGB(0, 0, 0));
    for (int X = 1; X < 10; ++X)
        EXPECT_LE(pg::GetRValue(S.At(X, 0)), pg::GetRValue(S.At(X - 1, 0))) << "x " << X;

    // A single line is the first colour, as a one-line gradient fill is.
    Surface32 One(1, 1);
    FillTwoStageGradientRect(One.DC(), TRect{0, 0, 1, 1}, RGB(255, 0, 0), RGB(0, 0, 0), false);
    EXPECT_EQ(One.At(0, 0), RGB(255, 0, 0));
}

TEST_F(Office11, GripDotsInFourPixelCells) {
    Surface32 S(16, 4);
    dxOffice11DrawGripDots(S.DC(), TRect{0, 0, 14, 4}, false);
    const std::initializer_list<std::pair<char, COLORREF>> Key{{'D', Entry(19)}, {'L', Entry(20)}};
    // 14 mod 4 = 2, halved: the first cell starts at 1, and a fourth cell would not fit.
    EXPECT_EQ(S.Row(0, Key), ".DD..DD..DD.....");
    EXPECT_EQ(S.Row(1, Key), ".DDL.DDL.DDL....");
    EXPECT_EQ(S.Row(2, Key), "..LL..LL..LL....");
    EXPECT_EQ(S.Row(3, Key), "................");

    Surface32 V(3, 9);
    dxOffice11DrawGripDots(V.DC(), TRect{0, 0, 3, 9}, true);
    std::string Column;
    for (int Y = 0; Y < 9; ++Y)
        Column += V.At(0, Y) == Entry(19) ? 'D' : '.';
    EXPECT_EQ(Column, ".DD..DD..");
}

TEST_F(Office11, GripDotsShiftByTheWholeRemainderOfOneAndHalfOfTwoOrThree) {
    // The first cell moves along the run by the length's remainder modulo 4; only a remainder
    // above 1 is halved, so a remainder of 1 still moves it by one pixel.
    const std::pair<int, int> Cases[] = {{12, 0}, {13, 1}, {14, 1}, {15, 1}, {16, 0}, {17, 1}};
    for (const auto& [Length, Shift] : Cases) {
        Surface32 S(20, 4);
        dxOffice11DrawGripDots(S.DC(), TRect{0, 0, Length, 4}, false);
        int First = 0;
        while (First < 20 && S.At(First, 0) != Entry(19))
            ++First;
        EXPECT_EQ(First, Shift) << "length " << Length;
    }
}

TEST_F(Office11, GradientRoutinesTakeBothColoursBeforeTheDirection) {
    // Colour, colour, direction: a flag between the colours would still compile (colours are
    // integers), so the order is held here by type and by pixels.
    static_assert(std::is_same_v<decltype(&FillGradientRect),
                                 void (*)(HDC, const TRect&, TColor, TColor, bool)>);
    static_assert(std::is_same_v<decltype(&FillTwoStageGradientRect),
                                 void (*)(HDC, const TRect&, TColor, TColor, bool)>);
    static_assert(std::is_same_v<decltype(&GetGradientColorAtPos),
                                 TColor (*)(const TRect&, int, TColor, TColor, bool)>);
    const COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255);
    Surface32 Down(6, 2), Across(2, 6), TwoStage(6, 2);
    FillGradientRect(Down.DC(), TRect{0, 0, 6, 2}, Red, Blue, false);
    EXPECT_EQ(Down.Row(0, {{'R', Red}}), "RRRRRR");
    EXPECT_EQ(Down.Row(1, {{'B', Blue}}), "BBBBBB");
    FillGradientRect(Across.DC(), TRect{0, 0, 2, 6}, Red, Blue, true);
    EXPECT_EQ(Across.Row(3, {{'R', Red}, {'B', Blue}}), "RB");
    EXPECT_EQ(static_cast<COLORREF>(GetGradientColorAtPos(TRect{0, 0, 6, 2}, 1, Red, Blue, false)),
              Blue);
    FillTwoStageGradientRect(TwoStage.DC(), TRect{0, 0, 6, 2}, Red, Blue, false);
    EXPECT_EQ(TwoStage.Row(0, {{'R', Red}}), "RRRRRR");
}

TEST_F(Office11, ASizeGripIsATriangleOfDots) {
    Surface32 S(16, 16);
    dxOffice11DrawSizeGrip(S.DC(), TRect{0, 0, 16, 16}, pg::clNone, RGB(255, 0, 0));
    const std::initializer_list<std::pair<char, COLORREF>> Key{{'D', RGB(255, 0, 0)},
                                                               {'L', Entry(20)}};
    EXPECT_EQ(S.Row(5, Key), "............DD..");
    EXPECT_EQ(S.Row(6, Key), "............DDL.");
    EXPECT_EQ(S.Row(9, Key), "........DD..DD..");
    EXPECT_EQ(S.Row(13, Key), "....DD..DD..DD..");
    EXPECT_EQ(S.Row(14, Key), "....DDL.DDL.DDL.");
    EXPECT_EQ(S.Row(15, Key), ".....LL..LL..LL.");
    EXPECT_EQ(S.Row(4, Key), "................");
}

TEST_F(Office11, ASizeGripTakesDefaultColoursAsTheDefaultBrushes) {
    Surface32 None(16, 16), Default(16, 16);
    dxOffice11DrawSizeGrip(None.DC(), TRect{0, 0, 16, 16}, pg::clNone, pg::clNone);
    dxOffice11DrawSizeGrip(Default.DC(), TRect{0, 0, 16, 16}, pg::clDefault, pg::clDefault);
    const std::initializer_list<std::pair<char, COLORREF>> Key{{'D', Entry(19)}, {'L', Entry(20)}};
    EXPECT_EQ(Default.Row(14, Key), "....DDL.DDL.DDL.");
    for (int Y = 0; Y < 16; ++Y)
        EXPECT_EQ(Default.Row(Y, Key), None.Row(Y, Key)) << "row " << Y;
}

TEST_F(Office11, ArrowsByDirectionAndState) {
    const COLORREF Text = Entry(52), Disabled = Entry(53);
    Surface32 Down(7, 5);
    dxOffice11DrawArrowInRect(Down.DC(), TRect{0, 0, 7, 5}, true, false, true);
    const std::initializer_list<std::pair<char, COLORREF>> Key{{'#', Text}, {'-', Disabled}};
    // A tiny rectangle still gets a size-3 arrow.
    EXPECT_EQ(Down.Row(0, Key), ".......");
    EXPECT_EQ(Down.Row(1, Key), ".#####.");
    // The outline and what lies outside it; the one pixel inside is the polygon fill's.
    const std::string Middle = Down.Row(2, Key);
    EXPECT_EQ(Middle.substr(0, 3), "..#");
    EXPECT_EQ(Middle.substr(4), "#..");
    EXPECT_EQ(Down.Row(3, Key), "...#...");
    EXPECT_EQ(Down.Row(4, Key), ".......");

    Surface32 Right(6, 9);
    dxOffice11DrawArrow(Right.DC(), TRect{0, 0, 6, 9}, false, 3, false, false);
    std::string Picture;
    for (int Y = 0; Y < 9; ++Y)
        if (Y != 4) Picture += Right.Row(Y, Key) + "|";
    EXPECT_EQ(Picture, "......|......|.-....|.--...|.--...|.-....|......|......|");
    const std::string Tip = Right.Row(4, Key);
    EXPECT_EQ(Tip[1], '-');
    EXPECT_EQ(Tip.substr(3), "-..");
}

TEST_F(Office11, TheArrowTurnsWhiteOnAWhiteHighContrastDesktop) {
    const int Index = pg::COLOR_BTNFACE;
    const COLORREF White = RGB(255, 255, 255);
    pg::SetSysColors(1, &Index, &White);
    Surface32 S(7, 5);
    dxOffice11DrawArrow(S.DC(), TRect{0, 0, 7, 5}, true, 3, true, true);
    EXPECT_EQ(S.At(3, 3), White);
    pg::SetSystemProfile(pg::SystemProfile::XP);
}

TEST_F(Office11, TheSelectedFrame) {
    Surface32 S(4, 4);
    dxOffice11FrameSelectedRect(S.DC(), TRect{0, 0, 4, 4});
    EXPECT_EQ(S.At(0, 0), RGB(0, 0, 128));
    EXPECT_EQ(S.At(3, 2), RGB(0, 0, 128));
    EXPECT_EQ(S.At(1, 1), RGB(1, 2, 3));

    const int Index = pg::COLOR_BTNFACE;
    const COLORREF Black = 0;
    pg::SetSysColors(1, &Index, &Black);
    dxOffice11FrameSelectedRect(S.DC(), TRect{0, 0, 4, 4});
    EXPECT_EQ(S.At(0, 0), Sys(pg::COLOR_HIGHLIGHTTEXT));
    pg::SetSystemProfile(pg::SystemProfile::XP);
}

TEST_F(Office11, FillAndFrameByColour) {
    Surface32 S(4, 4);
    FillRectByColor(S.DC(), TRect{0, 0, 4, 4}, pg::clWindow);
    EXPECT_EQ(S.At(2, 2), Sys(pg::COLOR_WINDOW));
    FrameRectByColor(S.DC(), TRect{0, 0, 4, 4}, RGB(9, 9, 9));
    EXPECT_EQ(S.Row(1, {{'F', RGB(9, 9, 9)}}), "F..F");
    FillRectByColor(S.DC(), TRect{0, 0, 4, 4}, pg::clNone);
    EXPECT_EQ(S.At(2, 2), Sys(pg::COLOR_WINDOW));
}

} // namespace
} // namespace toolkit::base
