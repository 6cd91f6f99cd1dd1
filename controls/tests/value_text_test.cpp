#include "controls/value_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>

namespace controls::test {
namespace {

using K = TEditType;

// The bounds the MinMax kinds are tried with (a velocity sensitivity's).
constexpr int Min = -100;
constexpr int Max = 150;

TEST(ValueTextTest, ShowsTheInstrumentsTextsAtTheEdgesOfEveryKind) {
    const struct {
        K kind;
        int code;
        const char* text;
    } cases[] = {
        {K::IntM100P100, 0, " -100"},
        {K::IntM100P100, 1, " -70"},
        {K::IntM100P100, 2, " -50"},
        {K::IntM100P100, 6, " -10"},
        {K::IntM100P100, 7, "   0"},
        {K::IntM100P100, 8, " +10"},
        {K::IntM100P100, 12, " +50"},
        {K::IntM100P100, 13, " +70"},
        {K::IntM100P100, 14, " +100"},
        {K::IntM100P200, 0, " -100"},
        {K::IntM100P200, 3, " -30"},
        {K::IntM100P200, 4, " -10"},
        {K::IntM100P200, 5, "   0"},
        {K::IntM100P200, 9, " +40"},
        {K::IntM100P200, 10, " +50"},
        {K::IntM100P200, 15, " +200"},
        {K::IntM0P1200, 0, " 0"},
        {K::IntM0P1200, 10, " 10"},
        {K::IntM0P1200, 11, " 20"},
        {K::IntM0P1200, 19, " 100"},
        {K::IntM0P1200, 20, " 200"},
        {K::IntM0P1200, 30, " 1200"},
        {K::Note, 0, " C -1"},
        {K::Note, 60, " C 4"},
        {K::Note, 61, " C# 4"},
        {K::Note, 127, " G 9"},
        {K::MinMax, -3, " -3"},
        {K::MinMax, 0, " 0"},
        {K::MinMax, 5, " 5"},
        {K::MinMaxS, 5, " +5"},
        {K::MinMaxS, 0, "   0"},
        {K::MinMaxS, -5, " -5"},
        {K::MinMaxDB, 0, "  0 dB"},
        {K::MinMaxDB, 6, " +6 dB"},
        {K::MinMaxDB, -12, " -12 dB"},
        {K::MinMaxPerc, 0, "  0 %"},
        {K::MinMaxPerc, 50, " +50 %"},
        {K::MinMaxPerc, -100, " -100 %"},
        {K::Int100M8000HZ, 0, " 100 Hz"},
        {K::Int100M8000HZ, 19, " 290 Hz"},
        {K::Int100M8000HZ, 20, " 300 Hz"},
        {K::Int100M8000HZ, 54, " 980 Hz"},
        {K::Int100M8000HZ, 55, " 1000 Hz"},
        {K::Int100M8000HZ, 63, " 1800 Hz"},
        {K::Int200M8000HZ, 0, " 200"},
        {K::Int200M8000HZ, 2, " 315"},
        {K::Int200M8000HZ, 16, " 8000"},
        {K::Int200M8000HZBP, 16, " 8000"},
        {K::Int200M8000HZBP, 17, " ByPass"},
        {K::Int05M90, 0, " 0.5"},
        {K::Int05M90, 1, " 1.0"},
        {K::Int05M90, 4, " 9.0"},
        {K::Int005M10HZ, 0, " 0.05 Hz"},
        {K::Int005M10HZ, 1, " 0.1 Hz"},
        {K::Int005M10HZ, 98, " 4.95 Hz"},
        {K::Int005M10HZ, 99, " 5 Hz"},
        {K::Int005M10HZ, 118, " 6.9 Hz"},
        {K::Int005M10HZ, 119, " 7 Hz"},
        {K::Int005M10HZ, 125, " 10 Hz"},
        {K::Int005M10HZNote, 0, " 0.05 Hz"},
        {K::Int005M10HZNote, 78, " 3.95 Hz"},
        {K::Int005M10HZNote, 79, " 4 Hz"},
        {K::Int005M10HZNote, 108, " 6.9 Hz"},
        {K::Int005M10HZNote, 109, " 7 Hz"},
        {K::Int005M10HZNote, 115, " 10 Hz"},
        {K::Int005M10HZNote, 116, " 1/16"},
        {K::Int005M10HZNote, 117, " 1/8 (3)"},
        {K::Int005M10HZNote, 118, " 1/16 (.)"},
        {K::Int005M10HZNote, 119, " 1/8"},
        {K::Int005M10HZNote, 120, " 1/4 (3)"},
        {K::Int005M10HZNote, 121, " 1/8 (.)"},
        {K::Int005M10HZNote, 122, " 1/4"},
        {K::Int005M10HZNote, 123, " 1/2 (3)"},
        {K::Int005M10HZNote, 124, " 1/4 (.)"},
        {K::Int005M10HZNote, 125, " 1/2"},
        {K::Int0M100ms, 0, " 0 ms"},
        {K::Int0M100ms, 1, " 0.1 ms"},
        {K::Int0M100ms, 49, " 4.9 ms"},
        {K::Int0M100ms, 50, " 5 ms"},
        {K::Int0M100ms, 59, " 9.5 ms"},
        {K::Int0M100ms, 60, " 10 ms"},
        {K::Int0M100ms, 99, " 49 ms"},
        {K::Int0M100ms, 100, " 50 ms"},
        {K::Int0M100ms, 125, " 100 ms"},
        {K::Int0M500ms, 89, " 39 ms"},
        {K::Int0M500ms, 90, " 40 ms"},
        {K::Int0M500ms, 115, " 290 ms"},
        {K::Int0M500ms, 116, " 300 ms"},
        {K::Int0M500ms, 126, " 500 ms"},
        {K::Int200M1000ms, 0, " 200"},
        {K::Int200M1000ms, 69, " 545"},
        {K::Int200M1000ms, 70, " 550"},
        {K::Int200M1000ms, 115, " 1000"},
        {K::Int200M1000msNote, 115, " 1000"},
        {K::Int200M1000msNote, 116, " 1/16"},
        {K::Int200M1000msNote, 125, " 1/2"},
        {K::Balance, 0, " D100:0E"},
        {K::Balance, 30, " D70:30E"},
        {K::Balance, 100, " D0:100E"},
        {K::BalanceL, 30, " A70:30B"},
        {K::CC00CC95, 0, " CC00"},
        {K::CC00CC95, 7, " CC07"},
        {K::CC00CC95, 95, " CC95"},
        {K::CC00CC95, 96, " Bender"},
        {K::CC00CC95, 97, " AfterTouch"},
        {K::CC00CC95, 120, " AfterTouch"}, // "97 and above"
        {K::CC00CC95StartStop, 95, " CC95"},
        {K::CC00CC95StartStop, 97, " AfterTouch"},
        {K::CC00CC95StartStop, 98, " Prog-Up"},
        {K::CC00CC95StartStop, 99, " Prog-Down"},
        {K::CC00CC95StartStop, 100, " Start/Stop"},
        {K::CC00CC95StartStop, 101, " Punch-In/Out"},
        {K::CC00CC95StartStop, 102, " Tap-Temp"},
        {K::RealInt1M127, 0, " Real"},
        {K::RealInt1M127, 1, " 1"},
        {K::RealInt1M127, 127, " 127"},
        {K::Int1M16Off, 0, " 1"},
        {K::Int1M16Off, 15, " 16"},
        {K::Int1M16Off, 16, " Off"},
        {K::Int1M16RXCHOff, 0, " 1"},
        {K::Int1M16RXCHOff, 15, " 16"},
        {K::Int1M16RXCHOff, 16, " RX-CH"},
        {K::Int1M16RXCHOff, 17, " Off"},
        {K::Int0M127Off, 0, " 0"},
        {K::Int0M127Off, 127, " 127"},
        {K::Int0M127Off, 128, " Off"},
        {K::User01PRB32, 0, " User : 01"},
        {K::User01PRB32, 31, " User : 32"},
        {K::User01PRB32, 32, " Card : 01"},
        {K::User01PRB32, 63, " Card : 32"},
        {K::User01PRB32, 64, " PR-A : 01"},
        {K::User01PRB32, 95, " PR-A : 32"},
        {K::User01PRB32, 96, " PR-B : 01"},
        {K::User01PRB32, 127, " PR-B : 32"},
        {K::Int427M452, 0, " 427.4"},
        {K::Int427M452, 1, " 427.6"},
        {K::Int427M452, 3, " 428.0"},
        {K::Int427M452, 13, " 430.0"},
        {K::Int427M452, 126, " 452.6"},
        {K::Int0M880, 0, " 0"},
        {K::Int0M880, 48, " 96"},
        {K::Int0M880, 49, " 100"},
        {K::Int0M880, 72, " 192"},
        {K::Int0M880, 73, " 200"},
        {K::Int0M880, 96, " 384"},
        {K::Int0M880, 97, " 400"},
        {K::Int0M880, 127, " 880"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodeToText(c.kind, c.code), c.text) << EditTypeName(c.kind) << " " << c.code;
}

TEST(ValueTextTest, EveryCodeInTheStepRangeHasATextAndOnlyMinMaxKindsOneOutsideIt) {
    for (int i = 0; i < EditTypeCount; ++i) {
        const auto kind = static_cast<K>(i);
        const int first = GetMinCode(kind, Min);
        const int last = GetMaxCode(kind, Max);
        for (int code = first; code <= last; ++code) {
            const std::string text = CodeToText(kind, code);
            EXPECT_GT(text.size(), 1u) << EditTypeName(kind) << " " << code;
            EXPECT_EQ(text.substr(0, 1), " ") << EditTypeName(kind) << " " << code;
        }
        if (UsesMinMax(kind)) {
            // A number outside the field's bounds is still a number.
            EXPECT_NE(CodeToText(kind, first - 1), "") << EditTypeName(kind);
            EXPECT_NE(CodeToText(kind, last + 1), "") << EditTypeName(kind);
            continue;
        }
        // Not even the leading blank: the sign rule has nothing to read.
        EXPECT_EQ(CodeToText(kind, first - 1), "") << EditTypeName(kind);
        if (kind != K::CC00CC95) {
            EXPECT_EQ(CodeToText(kind, last + 1), "") << EditTypeName(kind);
        }
    }
    EXPECT_EQ(CodeToText(K::IntM100P100, 20), "");
    EXPECT_EQ(CodeToText(K::IntM100P200, -1), "");
}

// The number a text shows, its last one ("D70:30E" reads 30, "PR-A : 05" reads 5).
std::optional<double> NumberIn(const std::string& text) {
    static const std::regex number(R"([-+]?[0-9]+(\.[0-9]+)?)");
    std::optional<double> last;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it)
        last = std::stod(it->str());
    return last;
}

TEST(ValueTextTest, TheNumbersOfEveryNumericKindStrictlyFollowTheCodes) {
    const struct {
        K kind;
        int first;
        int last;
    } ranges[] = {
        {K::IntM100P100, 0, 14},
        {K::IntM100P200, 0, 15},
        {K::IntM0P1200, 0, 30},
        {K::MinMax, Min, Max},
        {K::MinMaxS, Min, Max},
        {K::MinMaxDB, Min, Max},
        {K::MinMaxPerc, Min, Max},
        {K::Int100M8000HZ, 0, 63},
        {K::Int200M8000HZ, 0, 16},
        {K::Int200M8000HZBP, 0, 16},
        {K::Int05M90, 0, 4},
        {K::Int005M10HZ, 0, 125},
        {K::Int005M10HZNote, 0, 115},
        {K::Int0M100ms, 0, 125},
        {K::Int0M500ms, 0, 126},
        {K::Int200M1000ms, 0, 115},
        {K::Int200M1000msNote, 0, 115},
        {K::Balance, 0, 100},
        {K::BalanceL, 0, 100},
        {K::CC00CC95, 0, 95},
        {K::CC00CC95StartStop, 0, 95},
        {K::RealInt1M127, 1, 127},
        {K::Int1M16Off, 0, 15},
        {K::Int1M16RXCHOff, 0, 15},
        {K::Int0M127Off, 0, 127},
        {K::User01PRB32, 0, 31},
        {K::User01PRB32, 32, 63},
        {K::User01PRB32, 64, 95},
        {K::User01PRB32, 96, 127},
        {K::Int427M452, 0, 126},
        {K::Int0M880, 0, 127},
    };
    const std::regex threeDecimals(R"(\.[0-9]{3})");
    for (const auto& r : ranges) {
        std::optional<double> previous;
        for (int code = r.first; code <= r.last; ++code) {
            const std::string text = CodeToText(r.kind, code);
            const std::optional<double> number = NumberIn(text);
            ASSERT_TRUE(number) << EditTypeName(r.kind) << " " << code << " '" << text << "'";
            // The panel's steps are hundredths at the finest: no rounding residue shows.
            EXPECT_FALSE(std::regex_search(text, threeDecimals)) << text;
            if (previous) {
                EXPECT_GT(*number, *previous)
                    << EditTypeName(r.kind) << " " << code << " '" << text << "'";
            }
            previous = number;
        }
    }
}

TEST(ValueTextTest, OnlyTheMinMaxKindsStepThroughTheFieldsBounds) {
    for (int i = 0; i < EditTypeCount; ++i) {
        const auto kind = static_cast<K>(i);
        const bool own = i >= 4 && i <= 7;
        EXPECT_EQ(UsesMinMax(kind), own) << EditTypeName(kind);
        EXPECT_EQ(GetMinCode(kind, -3), own ? -3 : 0) << EditTypeName(kind);
    }
    EXPECT_EQ(GetMaxCode(K::MinMaxS, 3), 3);
    EXPECT_EQ(GetMaxCode(K::Note, 3), 127);
    EXPECT_EQ(GetMaxCode(K::Int0M127Off, 3), 128);
    EXPECT_EQ(GetMaxCode(K::CC00CC95StartStop, 3), 102);
}

TEST(ValueTextTest, FormFilesNameTheKindsInTheirOrder) {
    static_assert(sizeof(TEditType) == 1);
    EXPECT_EQ(static_cast<int>(K::Note), 3);
    EXPECT_EQ(static_cast<int>(K::Balance), 18);
    EXPECT_EQ(static_cast<int>(K::Int0M880), 28);
    EXPECT_EQ(EditTypeName(K::Int1M16RXCHOff), "Int1M16RXCHOff");
    for (int i = 0; i < EditTypeCount; ++i) {
        const auto kind = static_cast<K>(i);
        EXPECT_EQ(EditTypeFromName(EditTypeName(kind)), kind) << i;
    }
    EXPECT_EQ(EditTypeFromName("Int0M881"), std::nullopt);
}

TEST(ValueTextTest, TrimsNumbersAndNamesNotes) {
    const struct {
        double number;
        const char* text;
    } numbers[] = {{0.05, "0.05"}, {5.0, "5"},   {1000, "1000"},
                   {0, "0"},       {0.5, "0.5"}, {452.6, "452.6"}};
    for (const auto& n : numbers)
        EXPECT_EQ(FloatToTrimmedText(n.number), n.text) << n.number;
    EXPECT_EQ(NoteToText(0), "C -1");
    EXPECT_EQ(NoteToText(60), "C 4");
    EXPECT_EQ(NoteToText(127), "G 9");
    EXPECT_EQ(NoteToText(-1), "");
}

} // namespace
} // namespace controls::test
