#include "toolkit/edit/standard_mask.h"

#include "platform/core/date_time.h"

#include <gtest/gtest.h>

namespace toolkit::edit {
namespace {

platform::core::TFormatSettings PinnedSettings(char DateSeparator = '.', char TimeSeparator = ':') {
    platform::core::TFormatSettings Settings;
    Settings.DateSeparator = DateSeparator;
    Settings.TimeSeparator = TimeSeparator;
    return Settings;
}

class StandardMaskTest : public ::testing::Test {
protected:
    platform::core::FormatSettingsOverride Pinned{PinnedSettings()};
    TcxStandardMask Mask;
};

struct CompileCase {
    const char* Mask;
    int Count;
    bool FillFromRight;
    bool SaveLiteralChars;
    char BlankChar;
    const char* EmptyDisplayText;
    const char* EmptyValue;
};

TEST_F(StandardMaskTest, CompilesTheTemplate) {
    const CompileCase Cases[] = {
        {"!99/99;0;*", 5, true, false, '*', "**.**", "    "},
        {";1", 0, false, true, '_', "", ""},
        {";0", 0, false, false, '_', "", ""},
        {";1;", 3, false, true, '_', ";1;", ";1;"},
        {"00;1;", 5, false, true, '_', "__;1;", "  ;1;"},
        {"00;2", 4, false, true, '_', "__;2", "  ;2"},
        {"00-00;0", 5, false, false, '_', "__-__", "    "},
        {"00-00;1;#", 5, false, true, '#', "##-##", "  -  "},
        {"(999) 000-0000", 14, false, true, '_', "(___) ___-____", "(   )    -    "},
        {"99:99", 5, false, true, '_', "__:__", "  :  "},
        {"\\L\\\\", 2, false, true, '_', "L\\", "L\\"},
        {"0\\", 1, false, true, '_', "_", " "},
        {"", 0, false, true, '_', "", ""},
    };
    for (const CompileCase& C : Cases) {
        SCOPED_TRACE(C.Mask);
        Mask.Compile(C.Mask);
        EXPECT_EQ(Mask.Mask, C.Mask);
        EXPECT_EQ(Mask.Count(), C.Count);
        EXPECT_EQ(Mask.FillFromRight, C.FillFromRight);
        EXPECT_EQ(Mask.SaveLiteralChars, C.SaveLiteralChars);
        EXPECT_EQ(Mask.BlankChar, C.BlankChar);
        EXPECT_EQ(Mask.GetEmptyDisplayText(), C.EmptyDisplayText);
        EXPECT_EQ(Mask.GetEmptyValue(), C.EmptyValue);
    }
}

TEST_F(StandardMaskTest, RecompilingStartsAfresh) {
    Mask.Compile("!00;0;*");
    Mask.Compile("L");
    EXPECT_FALSE(Mask.FillFromRight);
    EXPECT_TRUE(Mask.SaveLiteralChars);
    EXPECT_EQ(Mask.BlankChar, '_');
    EXPECT_EQ(Mask.Count(), 1);
}

TEST_F(StandardMaskTest, ItemsTakeTheirKindCaseAndOptionality) {
    Mask.Compile("<>L>l<L#aC9");
    ASSERT_EQ(Mask.Count(), 7);
    auto Many = [&](int Index) {
        return dynamic_cast<const TcxStandardMaskManyItem*>(&Mask.Items(Index));
    };
    EXPECT_TRUE(dynamic_cast<const TcxStandardMaskAlphaItem*>(&Mask.Items(0)));
    EXPECT_EQ(Many(0)->CaseKind, TcxStandardMaskCaseKind::None);
    EXPECT_FALSE(Many(0)->Optional);
    EXPECT_EQ(Many(1)->CaseKind, TcxStandardMaskCaseKind::Upper);
    EXPECT_TRUE(Many(1)->Optional);
    EXPECT_EQ(Many(2)->CaseKind, TcxStandardMaskCaseKind::Lower);
    EXPECT_TRUE(dynamic_cast<const TcxStandardMaskNumericSymbolItem*>(&Mask.Items(3)));
    EXPECT_TRUE(Many(3)->Optional);
    EXPECT_TRUE(dynamic_cast<const TcxStandardMaskAlphaNumericItem*>(&Mask.Items(4)));
    EXPECT_TRUE(Many(4)->Optional);
    EXPECT_TRUE(dynamic_cast<const TcxStandardMaskASCIIItem*>(&Mask.Items(5)));
    EXPECT_FALSE(Many(5)->Optional);
    EXPECT_TRUE(dynamic_cast<const TcxStandardMaskNumericItem*>(&Mask.Items(6)));
    EXPECT_TRUE(Many(6)->Optional);
}

TEST_F(StandardMaskTest, ItemsCheckOnlyAsciiLettersAndConvertCase) {
    Mask.Compile(">L<aCc");
    char Ch = 'q';
    EXPECT_TRUE(Mask.Items(0).Check(Ch));
    EXPECT_EQ(Ch, 'Q');
    Ch = static_cast<char>(0xE9); // e acute
    EXPECT_FALSE(Mask.Items(0).Check(Ch));
    EXPECT_FALSE(Mask.Items(1).Check(Ch));
    EXPECT_TRUE(Mask.Items(2).Check(Ch));
    EXPECT_TRUE(Mask.Items(3).Check(Ch));
    Ch = 'Z';
    EXPECT_TRUE(Mask.Items(1).Check(Ch));
    EXPECT_EQ(Ch, 'z');
    Ch = '1'; // converted whether it fits or not
    EXPECT_FALSE(Mask.Items(0).Check(Ch));
}

TEST_F(StandardMaskTest, SeparatorsComeFromTheRegionalSettings) {
    Mask.Compile("99/99 99:99");
    EXPECT_EQ(Mask.GetEmptyDisplayText(), "__.__ __:__");
    platform::core::FormatSettingsOverride Other(PinnedSettings('-', 'h'));
    Mask.Compile("99/99 99:99");
    EXPECT_EQ(Mask.GetEmptyDisplayText(), "__-__ __h__");
}

struct FormatCase {
    const char* Mask;
    const char* Text;
    bool ApplyCase;
    bool TextHasLiterals;
    const char* Expected;
};

TEST_F(StandardMaskTest, FormatLaysTheTextIntoTheTemplate) {
    const FormatCase Cases[] = {
        {"00-00;0", "12", false, false, "12-__"},
        {"00-00;0", "1234", false, false, "12-34"},
        {"00-00;0", "12345", false, false, "12-34"},
        {"00-00;0", "12-34", false, false, "12-34"},
        {"00-00;1", "12-34", false, true, "12-34"},
        {"00-00;1", "1234", false, false, "12-34"},
        {"00", "1x2", false, false, "12"},
        {"99-99", " 1", false, false, "_1-__"},
        {"99-99", "_1-2", false, true, "_1-2_"},
        {">LL", "ab", true, false, "AB"},
        {">LL", "ab", false, false, "ab"},
        {"LL", "a1b", false, false, "ab"},
        {"LL",
         "\xE9"
         "a",
         false, false, "a_"},
        {"!99/99;0;*", "5", false, false, "**.*5"},
        {"!99/99;0;*", "123", false, false, "*1.23"},
        {"!99/99;0;*", "12345", false, false, "23.45"},
        {"!99/99;1;*", "1.23", false, true, "*1.23"},
        {"", "abc", false, false, ""},
    };
    for (const FormatCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Mask) + " <- " + C.Text);
        Mask.Compile(C.Mask);
        std::string Text = C.Text;
        Mask.Format(Text, C.ApplyCase, C.TextHasLiterals);
        EXPECT_EQ(Text, C.Expected);
    }
}

struct ValidCase {
    const char* Mask;
    const char* Text;
    bool Valid;
    const char* TextAfter;
};

TEST_F(StandardMaskTest, IsFullValidWantsEveryRequiredPosition) {
    const ValidCase Cases[] = {
        {"00-00", "12-34", true, "12-34"},
        {"00-00", "12-3_", false, "12-3_"},
        {"00-00", "12+34", false, "12+34"},
        {"00-00", "12-345", false, "12-345"},
        {"99-99", "12-3_", true, "12-3_"},
        {"99-99", "12-3 ", true, "12-3 "},
        {"99-99;1;*", "12-3_", false, "12-3_"},
        {"#0", "_1", true, "_1"},
        {"#0", "-1", true, "-1"},
        {">LL", "ab", true, "AB"},
        {"<ll", "A_", true, "a_"},
        {"L", "\xE9", false, "\xE9"},
        {"C", "\xE9", true, "\xE9"},
        {"", "", true, ""},
    };
    for (const ValidCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Mask) + " : " + C.Text);
        Mask.Compile(C.Mask);
        std::string Text = C.Text;
        EXPECT_EQ(Mask.IsFullValid(Text), C.Valid);
        EXPECT_EQ(Text, C.TextAfter);
    }
}

struct ValueCase {
    const char* Mask;
    const char* Text;
    const char* Value;
};

TEST_F(StandardMaskTest, TextToValueDropsBlanksAndUnsavedLiterals) {
    const ValueCase Cases[] = {
        {"00-00;1", "12-3_", "12-3 "},   {"00-00;0", "12-3_", "123 "},
        {"!99/99;0;*", "*1.23", " 123"}, {"00-00;1", "12-34extra", "12-34"},
        {"00-00;1", "12", "12"},
    };
    for (const ValueCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Mask) + " : " + C.Text);
        Mask.Compile(C.Mask);
        std::string Text = C.Text;
        Mask.TextToValue(Text);
        EXPECT_EQ(Text, C.Value);
    }
}

} // namespace
} // namespace toolkit::edit
