#include "platform/core/text.h"

#include <climits>
#include <gtest/gtest.h>
#include <initializer_list>

namespace platform::core {
namespace {

TEST(Text, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << "byte " << b;
        all += one;
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(Text, ConvertsToTheCharactersWindowsShows) {
    EXPECT_EQ(AnsiToUtf8("Caf\xE9"), "Caf\u00E9");
    EXPECT_EQ(AnsiToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(AnsiToUtf8("\x99"), "\u2122");
    EXPECT_EQ(AnsiToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(AnsiToUtf8("\xC7"), "\u00C7");
    // The five undefined bytes become the control characters of the same number.
    EXPECT_EQ(AnsiToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(Utf8ToAnsi("\u20AC 5 \u2014 na\u00EFve"), "\x80 5 \x97 na\xEFve");
}

TEST(Text, CharactersWithoutAByteBecomeAQuestionMark) {
    EXPECT_EQ(Utf8ToAnsi("a\u65E5b"), "a?b");
    EXPECT_EQ(Utf8ToAnsi("\U0001F3B9"), "?");
    // A C1 control that Windows-1252 does not reach (80H is the euro sign).
    EXPECT_EQ(Utf8ToAnsi("\u0080"), "?");
}

TEST(Text, MalformedUtf8KeepsItsBytes) {
    // Windows-1252 text passed in by mistake comes out unchanged.
    EXPECT_EQ(Utf8ToAnsi("\xE9t\xE9"), "\xE9t\xE9");
    EXPECT_EQ(Utf8ToAnsi("ab\xC3"), "ab\xC3");                     // sequence cut short
    EXPECT_EQ(Utf8ToAnsi("\x80x"), "\x80x");                       // stray continuation byte
    EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "\xC0\xAF");                 // overlong '/'
    EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "\xED\xA0\x80");         // surrogate
    EXPECT_EQ(Utf8ToAnsi("\xF4\x90\x80\x80"), "\xF4\x90\x80\x80"); // above U+10FFFF
    EXPECT_EQ(Utf8ToAnsi("\xFF\xFE"), "\xFF\xFE");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82z"), "\xE2\x82z");
}

TEST(Text, CaseRulesTouchAsciiLettersOnly) {
    EXPECT_EQ(UpperCase("Single note \xE9\xFF 1"), "SINGLE NOTE \xE9\xFF 1");
    EXPECT_EQ(LowerCase("DATA Card \xC9"), "data card \xC9");
    EXPECT_EQ(CompareText("Data Card", "DATA CARD"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("Lib", "library"), 0);
    EXPECT_GT(CompareText("\xE9", "z"), 0); // bytes compare unsigned
    EXPECT_NE(CompareText("\xE9", "\xC9"), 0);
    EXPECT_TRUE(SameText("Num Library", "num LIBRARY"));
    EXPECT_FALSE(SameText("Num Library", "Num Librar"));
    EXPECT_TRUE(SameText("", ""));
}

// The locale's rules know both cases of every letter the code page holds in both, and leave
// letters without a partner (ß, µ, ƒ, ª, º) and the signs between the accented letters alone.
TEST(Text, AnsiCaseRulesFollowTheCodePagesLetters) {
    struct Case {
        const char* Lower;
        const char* Upper;
    };
    for (const Case& C : std::initializer_list<Case>{{"abc", "ABC"},
                                                     {"\xE0\xE9\xF1\xFE", "\xC0\xC9\xD1\xDE"},
                                                     {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
                                                     {"1-2_\xF7", "1-2_\xF7"}}) {
        EXPECT_EQ(AnsiUpperCase(C.Lower), C.Upper) << C.Lower;
        EXPECT_EQ(AnsiLowerCase(C.Upper), C.Lower) << C.Upper;
        EXPECT_TRUE(AnsiSameText(C.Lower, C.Upper)) << C.Lower;
    }
    for (const char* Alone : {"\xDF", "\xB5", "\x83", "\xAA", "\xBA", "\xD7", "\xF7"}) {
        EXPECT_EQ(AnsiUpperCase(Alone), Alone);
        EXPECT_EQ(AnsiLowerCase(Alone), Alone);
    }
    EXPECT_FALSE(AnsiSameText("\xD7", "\xF7"));
    EXPECT_LT(AnsiCompareText("\xE9"
                              "a",
                              "\xC9"
                              "b"),
              0);
    EXPECT_EQ(AnsiCompareText("\xE9t\xE9", "\xC9T\xC9"), 0);
    EXPECT_GT(AnsiCompareText("\xE9t\xE9s", "\xC9T\xC9"), 0);
}

TEST(Text, TrimRemovesBlanksAndControlsAtBothEnds) {
    EXPECT_EQ(Trim("  \t Single Note \r\n"), "Single Note");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(Text, StrToIntDefParsesAsTheClassLibrary) {
    const int d = -999;
    EXPECT_EQ(StrToIntDef("3", d), 3);
    EXPECT_EQ(StrToIntDef("007", d), 7);
    EXPECT_EQ(StrToIntDef("0", d), 0);
    EXPECT_EQ(StrToIntDef("  42", d), 42);
    EXPECT_EQ(StrToIntDef("+7", d), 7);
    EXPECT_EQ(StrToIntDef("-7", d), -7);
    EXPECT_EQ(StrToIntDef("$1F", d), 31);
    EXPECT_EQ(StrToIntDef("$1f", d), 31);
    EXPECT_EQ(StrToIntDef("0x1F", d), 31);
    EXPECT_EQ(StrToIntDef("0X1f", d), 31);
    EXPECT_EQ(StrToIntDef("x10", d), 16);
    EXPECT_EQ(StrToIntDef("-$10", d), -16);
    EXPECT_EQ(StrToIntDef("$FFFFFFFF", d), -1);
    EXPECT_EQ(StrToIntDef("$80000000", d), INT_MIN);
    EXPECT_EQ(StrToIntDef("2147483647", d), INT_MAX);
    EXPECT_EQ(StrToIntDef("-2147483648", d), INT_MIN);

    for (const char* junk :
         {"",    " ",   "-",          "+",           "$",          "0x",         "x",
          "42 ", "\t3", "1F",         "3.5",         "abc",        "12abc",      "$G",
          "- 1", "$-1", "2147483648", "-2147483649", "$100000000", "99999999999"})
        EXPECT_EQ(StrToIntDef(junk, d), d) << '"' << junk << '"';
}

} // namespace
} // namespace platform::core
