#include "platform/gdi/draw_text.h"
#include "platform/gdi/text_out.h"

#include "platform/gdi/tests/gdi_test_support.h"

#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace platform::gdi {
namespace {

using testing::Canvas32;

// The fake font: cells 8 pixels high (ascent 6), every character 4 wide; a glyph covers the
// columns x..x+2 and the rows 1..5 of its cell.
class FakeText : public ::testing::Test {
protected:
    FakeText() : engine_(std::make_unique<FakeFontEngine>()) {
        LOGFONT lf;
        lf.lfHeight = -8;
        font_ = CreateFontIndirect(lf);
    }
    ~FakeText() override { DeleteObject(font_); }

    void Use(const Canvas32& c) { SelectObject(c.DC(), font_); }
    TRect Calc(const char* text, TRect r, UINT format, int* height = nullptr) {
        Canvas32 c(1, 1);
        Use(c);
        int h = DrawText(c.DC(), text, -1, &r, format | DT_CALCRECT);
        if (height) *height = h;
        return r;
    }

    ScopedFontEngine engine_;
    HFONT font_{};
};

TEST_F(FakeText, OpaqueTextFillsItsCellWithTheBackgroundColour) {
    Canvas32 c(12, 9);
    Use(c);
    SetBkColor(c.DC(), 0x0000FF);
    TextOut(c.DC(), 1, 0, "ab", 2);
    EXPECT_EQ(c.Picture(0x000000),
              "............|.###.###....|.###.###....|.###.###....|.###.###....|.###.###...."
              "|............|............|............");
    EXPECT_EQ(c.At(1, 0), 0x0000FFu);
    EXPECT_EQ(c.At(4, 1), 0x0000FFu);
    EXPECT_EQ(c.At(8, 7), 0x0000FFu);
    EXPECT_EQ(c.At(9, 0), 0xFFFFFFu);
    EXPECT_EQ(c.At(1, 8), 0xFFFFFFu);
}

TEST_F(FakeText, TransparentTextLeavesTheBackgroundAndAlignmentMovesTheReference) {
    Canvas32 c(12, 8);
    Use(c);
    SetBkMode(c.DC(), TRANSPARENT);
    SetTextAlign(c.DC(), TA_RIGHT | TA_BASELINE);
    TextOut(c.DC(), 8, 6, "ab", 2);
    EXPECT_EQ(c.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(c.At(0, 1), 0u);
    EXPECT_EQ(c.At(7, 1), 0xFFFFFFu);
    EXPECT_EQ(c.At(6, 5), 0u);
}

TEST_F(FakeText, ExtentsCountCharacterExtraAndJustification) {
    Canvas32 c(1, 1);
    Use(c);
    TSize size;
    GetTextExtentPoint32(c.DC(), "abc", 3, &size);
    EXPECT_EQ(size, (TSize{12, 8}));
    SetTextCharacterExtra(c.DC(), 1);
    GetTextExtentPoint32(c.DC(), "abc", 3, &size);
    EXPECT_EQ(size.cx, 15);
    SetTextCharacterExtra(c.DC(), 0);
    SetTextJustification(c.DC(), 5, 2);
    GetTextExtentPoint32(c.DC(), "a b c", 5, &size);
    EXPECT_EQ(size.cx, 25);
    SetTextJustification(c.DC(), 0, 0);
    int fit = 0, extents[4] = {};
    GetTextExtentExPoint(c.DC(), "abcd", 4, 10, &fit, extents, &size);
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(extents[3], 16);
}

TEST_F(FakeText, TabbedTextStopsEveryEightAverageWidthsOrAtTheGivenStops) {
    Canvas32 c(1, 1);
    Use(c);
    EXPECT_EQ(GetTabbedTextExtent(c.DC(), "a\tb", 3, 0, nullptr) & 0xFFFF, 36u);
    int stop = 10;
    EXPECT_EQ(GetTabbedTextExtent(c.DC(), "a\tb", 3, 1, &stop) & 0xFFFF, 14u);
    int stops[] = {6, 20};
    EXPECT_EQ(GetTabbedTextExtent(c.DC(), "a\tb\tc", 5, 2, stops) & 0xFFFF, 24u);
}

struct CalcCase {
    const char* text;
    int width;
    UINT format;
    TRect expected;
};

class DrawTextCalc : public FakeText, public ::testing::WithParamInterface<CalcCase> {};

TEST_P(DrawTextCalc, GivesTheExactRectangle) {
    const auto& c = GetParam();
    EXPECT_EQ(Calc(c.text, {0, 0, c.width, 100}, c.format), c.expected);
}

// The case's text (its words, the other characters spelled), width and format flags, e.g.
// a_Tab_b_In0_SingleLine_ExpandTabs.
std::string CalcCaseName(const ::testing::TestParamInfo<CalcCase>& info) {
    static const std::map<char, const char*> Spelled = {
        {'&', "Amp"}, {'\t', "Tab"}, {'\r', "Cr"}, {'\n', "Lf"}, {'\\', "Bs"}};
    std::vector<std::string> tokens;
    std::string word;
    auto endWord = [&] {
        if (!word.empty()) tokens.push_back(word);
        word.clear();
    };
    for (const char* ch = info.param.text; *ch; ++ch) {
        if (std::isalnum(static_cast<unsigned char>(*ch))) {
            word += *ch;
            continue;
        }
        endWord();
        if (auto spelled = Spelled.find(*ch); spelled != Spelled.end())
            tokens.push_back(spelled->second);
        else if (*ch != ' ')
            tokens.push_back("X" + std::to_string(static_cast<unsigned char>(*ch)));
    }
    endWord();
    if (tokens.empty()) tokens.push_back("Empty");
    tokens.push_back("In" + std::to_string(info.param.width));
    // Bits without a name here are given as a number.
    static const std::pair<UINT, const char*> Flags[] = {{DT_CENTER, "Center"},
                                                         {DT_RIGHT, "Right"},
                                                         {DT_VCENTER, "VCenter"},
                                                         {DT_BOTTOM, "Bottom"},
                                                         {DT_WORDBREAK, "WordBreak"},
                                                         {DT_SINGLELINE, "SingleLine"},
                                                         {DT_EXPANDTABS, "ExpandTabs"},
                                                         {DT_TABSTOP, "TabStop"},
                                                         {DT_NOPREFIX, "NoPrefix"},
                                                         {DT_EDITCONTROL, "EditControl"},
                                                         {DT_PATH_ELLIPSIS, "PathEllipsis"},
                                                         {DT_END_ELLIPSIS, "EndEllipsis"},
                                                         {DT_WORD_ELLIPSIS, "WordEllipsis"},
                                                         {DT_HIDEPREFIX, "HidePrefix"}};
    UINT rest = info.param.format;
    for (const auto& [flag, name] : Flags)
        if (rest & flag) {
            tokens.push_back(name);
            rest &= ~flag;
        }
    if (rest) tokens.push_back("Flags" + std::to_string(rest));
    std::string name;
    for (const std::string& token : tokens)
        name += (name.empty() ? "" : "_") + token;
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextCalc,
    ::testing::Values(CalcCase{"abc", 0, DT_SINGLELINE, {0, 0, 12, 8}},
                      CalcCase{"a\r\nbb\ncc c", 0, 0, {0, 0, 16, 24}},
                      CalcCase{"aa bb cc", 20, DT_WORDBREAK, {0, 0, 20, 16}},
                      CalcCase{"aa bb cc", 19, DT_WORDBREAK, {0, 0, 8, 24}},
                      CalcCase{"aa   bb", 12, DT_WORDBREAK, {0, 0, 8, 16}},
                      CalcCase{"abcdefgh", 10, DT_WORDBREAK, {0, 0, 32, 8}},
                      CalcCase{"abcdefgh", 10, DT_WORDBREAK | DT_EDITCONTROL, {0, 0, 8, 32}},
                      CalcCase{"abcdefgh", 24, DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 24, 8}},
                      CalcCase{"abcdefgh", 23, DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 20, 8}},
                      CalcCase{"ab\\cd\\ef", 28, DT_SINGLELINE | DT_PATH_ELLIPSIS, {0, 0, 28, 8}},
                      CalcCase{"&ab", 0, DT_SINGLELINE, {0, 0, 8, 8}},
                      CalcCase{"a&&b", 0, DT_SINGLELINE, {0, 0, 12, 8}},
                      CalcCase{"&ab", 0, DT_SINGLELINE | DT_NOPREFIX, {0, 0, 12, 8}},
                      CalcCase{"a\tb", 0, DT_SINGLELINE | DT_EXPANDTABS, {0, 0, 36, 8}},
                      CalcCase{"a\tb", 0, DT_SINGLELINE, {0, 0, 12, 8}},
                      CalcCase{"", 5, DT_SINGLELINE, {0, 0, 0, 8}},
                      CalcCase{"", 5, 0, {0, 0, 0, 0}}),
    CalcCaseName);

struct EmptyTextCase {
    const char* text;
    int count;
    UINT format;
    TRect expected; // from {2, 3, 50, 60}
    int result;
};

class DrawTextEmpty : public FakeText, public ::testing::WithParamInterface<EmptyTextCase> {};

// An empty text (count -1) lays out as one line that is not there: DT_CALCRECT makes the
// rectangle 0 wide and 0 high, or one line high with DT_SINGLELINE, and the result is the line
// height in every case. A count of 0 does nothing at all: the result is 0 and the rectangle
// stays as it was, with DT_CALCRECT too.
TEST_P(DrawTextEmpty, GivesTheLineHeightOrNothingForACountOfZero) {
    const auto& c = GetParam();
    Canvas32 canvas(4, 4);
    Use(canvas);
    TRect r{2, 3, 50, 60};
    EXPECT_EQ(DrawText(canvas.DC(), c.text, c.count, &r, c.format), c.result);
    EXPECT_EQ(r, c.expected);
    EXPECT_EQ(canvas.Picture(0xFFFFFF), "####|####|####|####"); // nothing drawn
}

std::string EmptyTextCaseName(const ::testing::TestParamInfo<EmptyTextCase>& info) {
    const EmptyTextCase& c = info.param;
    std::string name = c.text == nullptr ? "Null" : *c.text == 0 ? "Empty" : c.text;
    name += c.count < 0 ? "_Whole" : "_Count" + std::to_string(c.count);
    if (c.format & DT_CALCRECT) name += "_CalcRect";
    if (c.format & DT_SINGLELINE) name += "_SingleLine";
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextEmpty,
    ::testing::Values(EmptyTextCase{"", -1, DT_CALCRECT, {2, 3, 2, 3}, 8},
                      EmptyTextCase{"", -1, DT_CALCRECT | DT_SINGLELINE, {2, 3, 2, 11}, 8},
                      EmptyTextCase{nullptr, -1, DT_CALCRECT, {2, 3, 2, 3}, 8},
                      EmptyTextCase{nullptr, -1, DT_CALCRECT | DT_SINGLELINE, {2, 3, 2, 11}, 8},
                      EmptyTextCase{"", -1, DT_SINGLELINE, {2, 3, 50, 60}, 8},
                      EmptyTextCase{"", -1, 0, {2, 3, 50, 60}, 8},
                      EmptyTextCase{"abc", 0, DT_CALCRECT, {2, 3, 50, 60}, 0},
                      EmptyTextCase{"abc", 0, DT_CALCRECT | DT_SINGLELINE, {2, 3, 50, 60}, 0},
                      EmptyTextCase{"", 0, DT_CALCRECT | DT_SINGLELINE, {2, 3, 50, 60}, 0},
                      EmptyTextCase{"abc", 0, DT_SINGLELINE, {2, 3, 50, 60}, 0},
                      EmptyTextCase{nullptr, 3, DT_CALCRECT, {2, 3, 50, 60}, 0}),
    EmptyTextCaseName);

TEST_F(FakeText, SingleLineCentresVerticallyAndReturnsTheTextsBottom) {
    Canvas32 c(20, 20);
    Use(c);
    TRect r{0, 0, 20, 20};
    EXPECT_EQ(DrawText(c.DC(), "ab", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER), 14);
    // Cell top 6, left (0 + 20 - 8) / 2 = 6.
    EXPECT_EQ(c.At(6, 7), 0u);
    EXPECT_EQ(c.At(6, 6), 0xFFFFFFu);
    EXPECT_EQ(c.At(5, 7), 0xFFFFFFu);
    EXPECT_EQ(DrawText(c.DC(), "ab", -1, &r, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT), 20);
    EXPECT_EQ(c.At(12, 13), 0u);
    EXPECT_EQ(c.At(11, 13), 0xFFFFFFu);
}

TEST_F(FakeText, TextIsClippedToTheRectangleUnlessNoClip) {
    Canvas32 c(24, 8);
    Use(c);
    TRect r{0, 0, 10, 8};
    DrawText(c.DC(), "abcdef", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(c.At(9, 1), 0u);
    EXPECT_EQ(c.At(10, 1), 0xFFFFFFu);
    EXPECT_EQ(c.At(12, 1), 0xFFFFFFu);
    DrawText(c.DC(), "abcdef", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(c.At(12, 1), 0u);
}

TEST_F(FakeText, PrefixUnderlinesTheMarkedCharacter) {
    Canvas32 c(12, 8);
    Use(c);
    TRect r{0, 0, 12, 8};
    DrawText(c.DC(), "a&bc", -1, &r, DT_SINGLELINE);
    // Underline on the row below the baseline, under "b" only.
    EXPECT_EQ(c.Picture(0).substr(7 * 13), "....####....");
    c.Surf().Fill(0xFFFFFF);
    DrawText(c.DC(), "a&bc", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(c.Picture(0).substr(7 * 13), "............");
}

TEST_F(FakeText, EditControlLeavesOutAPartlyVisibleLastLine) {
    Canvas32 c(8, 16);
    Use(c);
    TRect r{0, 0, 8, 12};
    DrawText(c.DC(), "aa bb", -1, &r, DT_WORDBREAK);
    EXPECT_EQ(c.At(0, 9), 0u);
    c.Surf().Fill(0xFFFFFF);
    DrawText(c.DC(), "aa bb", -1, &r, DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_EQ(c.At(0, 1), 0u);
    EXPECT_EQ(c.At(0, 9), 0xFFFFFFu);
}

// A font with an escapement turns "ab" about the reference point: -900 runs it down with the
// cell to the left, 900 up with the cell to the right, 1800 leftwards and upside down.
struct TurnedCase {
    int escapement;
    TPoint at;
    const char* picture;
};

class TurnedText : public FakeText, public ::testing::WithParamInterface<TurnedCase> {};

TEST_P(TurnedText, DrawsTheCellTurnedAboutTheReferencePoint) {
    LOGFONT lf;
    lf.lfHeight = -8;
    lf.lfEscapement = GetParam().escapement;
    lf.lfOrientation = GetParam().escapement;
    const HFONT turned = CreateFontIndirect(lf);
    Canvas32 c(10, 10);
    SelectObject(c.DC(), turned);
    SetBkMode(c.DC(), TRANSPARENT);
    TextOut(c.DC(), GetParam().at.X, GetParam().at.Y, "ab", 2);
    EXPECT_EQ(c.Picture(0), GetParam().picture);
    SelectObject(c.DC(), GetStockObject(SYSTEM_FONT));
    DeleteObject(turned);
}

INSTANTIATE_TEST_SUITE_P(
    FakeText, TurnedText,
    ::testing::Values(TurnedCase{-900,
                                 {8, 1},
                                 "..........|..#####...|..#####...|..#####...|.........."
                                 "|..#####...|..#####...|..#####...|..........|.........."},
                      TurnedCase{900,
                                 {1, 9},
                                 "..........|..........|..#####...|..#####...|..#####..."
                                 "|..........|..#####...|..#####...|..#####...|.........."},
                      TurnedCase{1800,
                                 {9, 8},
                                 "..........|..........|..###.###.|..###.###.|..###.###."
                                 "|..###.###.|..###.###.|..........|..........|.........."}));

TEST_F(FakeText, ATurnedLineOfDrawTextTurnsAboutTheRectanglesCornerWithItsUnderline) {
    LOGFONT lf;
    lf.lfHeight = -8;
    lf.lfEscapement = -900;
    const HFONT turned = CreateFontIndirect(lf);
    Canvas32 c(10, 10);
    SelectObject(c.DC(), turned);
    TRect r{8, 1, 10, 10};
    DrawText(c.DC(), "&ab", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    // The underline (the cell's row 7) is the column left of the glyphs, along "a".
    EXPECT_EQ(c.Picture(0), "..........|#.#####...|#.#####...|#.#####...|#........."
                            "|..#####...|..#####...|..#####...|..........|..........");
    SelectObject(c.DC(), GetStockObject(SYSTEM_FONT));
    DeleteObject(turned);
}

TEST(RealFonts, PlatformNamesMapToInstalledFamilies) {
    EXPECT_EQ(QtFontEngine::MapFaceName("MS Sans Serif"), "DejaVu Sans Condensed");
    EXPECT_EQ(QtFontEngine::MapFaceName("tahoma"), "DejaVu Sans Condensed");
    EXPECT_EQ(QtFontEngine::MapFaceName("Courier New"), "DejaVu Sans Mono");
    EXPECT_EQ(QtFontEngine::MapFaceName("Unknown Face"), "DejaVu Sans Condensed");
}

TEST(RealFonts, TextIsDrawnInsideItsCellWithoutAntialiasing) {
    LOGFONT lf;
    lf.lfHeight = -11;
    SetFaceName(lf, "MS Sans Serif");
    HFONT font = CreateFontIndirect(lf);
    Canvas32 c(60, 20);
    SelectObject(c.DC(), font);
    SetBkMode(c.DC(), TRANSPARENT);
    TextOut(c.DC(), 2, 2, "Hello", 5);
    TEXTMETRIC tm;
    GetTextMetrics(c.DC(), &tm);
    TSize size;
    GetTextExtentPoint32(c.DC(), "Hello", 5, &size);
    EXPECT_GE(tm.tmHeight, 11);
    EXPECT_GT(size.cx, 15);
    int ink = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            COLORREF p = c.At(x, y);
            EXPECT_TRUE(p == 0 || p == 0xFFFFFF) << x << "," << y;
            if (p != 0) continue;
            ++ink;
            EXPECT_TRUE(x >= 2 && x < 2 + size.cx + 1 && y >= 2 && y < 2 + tm.tmHeight)
                << x << "," << y;
        }
    EXPECT_GT(ink, 20);
    SelectObject(c.DC(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

} // namespace
} // namespace platform::gdi
