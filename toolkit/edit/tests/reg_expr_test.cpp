#include "toolkit/edit/reg_expr.h"

#include "reg_expr_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace toolkit::edit {
namespace {

using testing::Compile;
using testing::Feed;

class RegExprTest : public ::testing::Test {
protected:
    platform::core::FormatSettingsOverride Pinned{testing::PinnedSeparators()};
    TcxRegExpr RegExpr;
};

struct MatchCase {
    std::string Expression;
    std::string Text;
    // How many characters of Text are accepted before the first refusal.
    std::size_t Accepted;
    bool Final;
};

TEST_F(RegExprTest, AcceptsWhatTheExpressionDescribes) {
    const std::vector<MatchCase> Cases = {
        {"a b", "ab", 2, true},
        {"a b", "a b", 1, false},
        {"'a b'", "a b", 3, true},
        {"'it''s'", "it's", 4, true},
        {"\\p\\d", ".5", 2, true},
        {"\\d\\d/\\d\\d", "12.05", 5, true},
        {"\\d\\d/\\d\\d", "12/05", 2, false},
        {"\\d\\d:\\d\\d", "12:05", 5, true},
        {"[a-]", "-", 1, true},
        {"[a-]", "b", 0, false},
        {"[^0-9]", "x", 1, true},
        {"[^0-9]", "5", 0, false},
        {"[\\d/x]", ".", 1, true},
        {"\\w\\W\\s\\S", "_+ x", 4, true},
        {"\\x41\\t", "A\t", 2, true},
        {".", "\xE9", 1, true},
        {"(ab)\\1", "abab", 4, true},
        {"(a|b)\\1", "ab", 2, true},
        {"(ab)*\\1", "ababab", 6, true},
        {"(a|b)*c", "abbac", 5, true},
        {"a{2,4}", "aaaaa", 4, true},
        {"a{2,4}", "a", 1, false},
        {"a{3}", "aaa", 3, true},
        {"a{2,}", "aaaaaaa", 7, true},
        {"a{0}b", "b", 1, true},
        // The optional copies of a parameter quantifier take '?' in place of the item's own
        // quantifier: "a+{0,1}" is "(a?)", "a+{0,2}" is "((a+ a?)?)", "a+{1,2}" is "(a+ a?)".
        {"a+{0,1}", "aa", 1, true},
        {"a+{0,1}", "a", 1, true},
        {"a+{0,1}", "", 0, true},
        {"a+{0,2}", "aaaa", 4, true},
        {"a+{0,2}", "", 0, true},
        {"a+{1,2}b", "aaab", 4, true},
        {"a+{1,2}", "", 0, false},
        {"a+{2}", "aaa", 3, true},
        {"a+{2}", "a", 1, false},
        {"(ab)+{0,1}c", "ababc", 2, false},
        {"(ab)+{0,1}c", "abc", 3, true},
        {"(ab)+{0,1}c", "c", 1, true},
        {"a+{1,}", "aaa", 3, true},
        {"a*?b", "aab", 3, true},
        {"a+?", "", 0, true},
        {"a+?", "b", 0, false},
        {"a+?", "aa", 2, true},
        {"a|ab", "ab", 2, true},
        {"a*", "", 0, true},
        // A block whose content may match nothing lets the items before it end the text, and
        // lets the text be left empty when nothing else must occur.
        {"x(a?)", "x", 1, true},
        {"x(a?)", "xa", 2, true},
        {"x(a?)?", "x", 1, true},
        {"x(a?)(b|c*)", "x", 1, true},
        {"x(a?)(b|c*)", "xb", 2, true},
        {"x(a?)(b|c*)", "xcc", 3, true},
        {"x(a?)b", "xa", 2, false},
        {"x(a?)b?", "xa", 2, true},
        {"x(a?)b?", "xb", 2, true},
        {"x((a?))", "x", 1, true},
        {"(a?)", "", 0, true},
        {"(a?)|b", "", 0, true},
        {"(a?)|b?", "", 0, true},
        {"(a|b)|c", "", 0, false},
        {"a?b*", "", 0, true},
        {"(a?){2,}", "aaa", 3, true},
        {"(a?){2,}b", "b", 1, true},
        {"(a?){2,}", "", 0, true},
        {"((a?){1,}){2,}c", "aac", 3, true},
    };
    for (const MatchCase& C : Cases) {
        SCOPED_TRACE(C.Expression + " <- " + C.Text);
        Compile(RegExpr, C.Expression);
        std::size_t Accepted = 0;
        while (Accepted < C.Text.size()) {
            char Ch = C.Text[Accepted];
            if (!RegExpr.Next(Ch)) break;
            ++Accepted;
        }
        EXPECT_EQ(Accepted, C.Accepted);
        if (Accepted == C.Text.size()) {
            EXPECT_EQ(RegExpr.IsFinal(), C.Final);
        }
    }
}

TEST_F(RegExprTest, SeparatorsAreReadWhenEachCharacterIsChecked) {
    Compile(RegExpr, "\\d/\\d:\\d");
    platform::core::FormatSettingsOverride Other(testing::PinnedSeparators('-', 'h'));
    EXPECT_TRUE(Feed(RegExpr, "1-2h3"));
    EXPECT_TRUE(RegExpr.IsFinal());
}

TEST_F(RegExprTest, ARefusedCharacterLeavesTheStateAlone) {
    Compile(RegExpr, "ab");
    char Ch = 'x';
    EXPECT_FALSE(RegExpr.Next(Ch));
    EXPECT_EQ(Ch, 'x');
    EXPECT_TRUE(RegExpr.IsStart());
    EXPECT_TRUE(Feed(RegExpr, "ab"));
}

TEST_F(RegExprTest, CaseInsensitiveSymbolsGiveTheExpressionsCase) {
    RegExpr.CaseInsensitive = true;
    Compile(RegExpr, "aB[c]");
    char Ch = 'A';
    EXPECT_TRUE(RegExpr.Next(Ch));
    EXPECT_EQ(Ch, 'a');
    Ch = 'b';
    EXPECT_TRUE(RegExpr.Next(Ch));
    EXPECT_EQ(Ch, 'B');
    Ch = 'C';
    EXPECT_TRUE(RegExpr.Next(Ch));
    EXPECT_EQ(Ch, 'c');
    EXPECT_TRUE(RegExpr.IsFinal());

    RegExpr.CaseInsensitive = false;
    RegExpr.Reset();
    Ch = 'A';
    EXPECT_FALSE(RegExpr.Next(Ch));
}

TEST_F(RegExprTest, NextExKeepsTheAcceptedCharactersAsTyped) {
    RegExpr.CaseInsensitive = true;
    Compile(RegExpr, "\\d\\dab");
    EXPECT_EQ(RegExpr.NextEx("1x2AB9"), "12AB");
    EXPECT_TRUE(RegExpr.IsFinal());
}

TEST_F(RegExprTest, CharacterClassesTakeOneCharacterEach) {
    struct Case {
        bool CaseInsensitive;
        std::string Expression;
        char Ch;
        bool Accepted;
        char Becomes;
    };
    const Case Cases[] = {
        // A subrange compares bytes, whatever the case setting: only symbols ignore case.
        {true, "[a-c]", 'b', true, 'b'},
        {true, "[a-c]", 'B', false, 'B'},
        {true, "[A-C]", 'b', false, 'b'},
        {true, "[a-cX]", 'x', true, 'X'},
        {true, "[^a-c]", 'B', true, 'B'},
        {true, "[^x]", 'X', false, 'X'},
        {false, "[\x80-\xFF]", '\xE9', true, '\xE9'},
        {false, "[\x80-\xFF]", 'z', false, 'z'},
        // Vertical tab is no space to the expressions.
        {false, "\\s", '\0', true, '\0'},
        {false, "\\s", '\f', true, '\f'},
        {false, "\\s", '\v', false, '\v'},
        {false, "\\S", '\v', true, '\v'},
        {false, "\\w", '_', true, '_'},
        {false, "\\w", '\xE9', false, '\xE9'},
        {false, "\\W", '-', true, '-'},
        {false, "\\D", 'a', true, 'a'},
        {false, "\\D", '7', false, '7'},
        {false, "\\e\\a", '\x1B', true, '\x1B'},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Expression + " <- " + std::to_string(static_cast<unsigned char>(C.Ch)));
        RegExpr.CaseInsensitive = C.CaseInsensitive;
        Compile(RegExpr, C.Expression);
        char Ch = C.Ch;
        EXPECT_EQ(RegExpr.Next(Ch), C.Accepted);
        EXPECT_EQ(Ch, C.Becomes);
    }
}

TEST_F(RegExprTest, PrevStepsBackAndResetReturnsToTheStart) {
    Compile(RegExpr, "abc");
    EXPECT_TRUE(RegExpr.IsStart());
    EXPECT_FALSE(RegExpr.Prev());
    ASSERT_TRUE(Feed(RegExpr, "ab"));
    EXPECT_FALSE(RegExpr.IsStart());
    EXPECT_TRUE(RegExpr.Prev());
    char Ch = 'c';
    EXPECT_FALSE(RegExpr.Next(Ch));
    Ch = 'b';
    EXPECT_TRUE(RegExpr.Next(Ch));
    RegExpr.Reset();
    EXPECT_TRUE(RegExpr.IsStart());
    EXPECT_FALSE(RegExpr.Prev());
    EXPECT_TRUE(Feed(RegExpr, "abc"));
    EXPECT_TRUE(RegExpr.IsFinal());
}

TEST_F(RegExprTest, OperationsNeedACompiledExpression) {
    char Ch = 'a';
    EXPECT_THROW(RegExpr.Next(Ch), EcxEditError);
    EXPECT_THROW(RegExpr.NextEx("a"), EcxEditError);
    EXPECT_THROW(RegExpr.Prev(), EcxEditError);
    EXPECT_THROW(RegExpr.Reset(), EcxEditError);
    EXPECT_THROW((void)RegExpr.IsFinal(), EcxEditError);
    try {
        (void)RegExpr.IsStart();
        FAIL() << "no error";
    } catch (const EcxEditError& E) {
        EXPECT_STREQ(E.what(), "Regular expression is not compiled");
    }
    EXPECT_EQ(RegExpr.Stream(), nullptr);
    RegExpr.SetAutoCompletion(true);
    EXPECT_TRUE(RegExpr.AutoCompletion());
}

TEST_F(RegExprTest, StreamHoldsTheWholeSource) {
    std::istringstream Stream("ab|cd");
    Stream.get();
    RegExpr.Compile(&Stream);
    ASSERT_NE(RegExpr.Stream(), nullptr);
    EXPECT_EQ(*RegExpr.Stream(), "ab|cd");
    RegExpr.Clear();
    EXPECT_FALSE(RegExpr.Compiled());
    EXPECT_EQ(RegExpr.Stream(), nullptr);
}

// Empty transitions may form cycles, and the same state may be reached on several paths:
// neither may make a step loop or let the state lists grow.
TEST_F(RegExprTest, StateListsStayFreeOfDuplicates) {
    Compile(RegExpr, "(a|a)*");
    for (int I = 0; I < 200; ++I) {
        char Ch = 'a';
        ASSERT_TRUE(RegExpr.Next(Ch));
        ASSERT_LE(RegExpr.Automat()->CurrentStates().Count(), 2);
    }
    EXPECT_TRUE(RegExpr.IsFinal());

    Compile(RegExpr, "((a|a)?(a|a)?){3,}");
    for (int I = 0; I < 20; ++I) {
        char Ch = 'a';
        ASSERT_TRUE(RegExpr.Next(Ch));
        const TcxRegExprStates& States = RegExpr.Automat()->CurrentStates();
        for (int J = 0; J < States.Count(); ++J)
            for (int K = J + 1; K < States.Count(); ++K)
                ASSERT_NE(States.Items(J), States.Items(K));
    }
    EXPECT_TRUE(RegExpr.IsFinal());
}

class RegExprAutoCompletionTest : public RegExprTest {
protected:
    void SetUp() override {
        RegExpr.OnAddChar = [this](char Ch) { Added += Ch; };
        RegExpr.OnStepBack = [this] { ++StepBacks; };
        RegExpr.SetAutoCompletion(true);
    }

    std::string Added;
    int StepBacks = 0;
};

TEST_F(RegExprAutoCompletionTest, AFixedExpressionIsTypedAtOnce) {
    Compile(RegExpr, "abc");
    EXPECT_EQ(Added, "abc");
    EXPECT_TRUE(RegExpr.IsFinal());
    char Ch = 'a';
    EXPECT_FALSE(RegExpr.Next(Ch));
}

TEST_F(RegExprAutoCompletionTest, ForcedSeparatorsAreTypedAndSteppedBackOver) {
    Compile(RegExpr, "\\d\\d/\\d\\d/\\d\\d\\d\\d");
    EXPECT_EQ(Added, "");
    ASSERT_TRUE(Feed(RegExpr, "31"));
    EXPECT_EQ(Added, ".");
    ASSERT_TRUE(Feed(RegExpr, "12"));
    EXPECT_EQ(Added, "..");

    // Deleting the "2" first removes the separator typed after it.
    EXPECT_TRUE(RegExpr.Prev());
    EXPECT_EQ(StepBacks, 1);
    char Ch = '.';
    EXPECT_FALSE(RegExpr.Next(Ch));
    Ch = '7';
    EXPECT_TRUE(RegExpr.Next(Ch));
    EXPECT_EQ(Added, "...");
    ASSERT_TRUE(Feed(RegExpr, "2024"));
    EXPECT_TRUE(RegExpr.IsFinal());
    EXPECT_EQ(Added, "...");
}

TEST_F(RegExprAutoCompletionTest, RunsOfForcedLiteralsAreTypedAndUndoneTogether) {
    Compile(RegExpr, "\\d' h '\\d");
    ASSERT_TRUE(Feed(RegExpr, "1"));
    EXPECT_EQ(Added, " h ");
    EXPECT_TRUE(RegExpr.Prev());
    EXPECT_EQ(StepBacks, 3);
    EXPECT_TRUE(RegExpr.IsStart());
}

TEST_F(RegExprAutoCompletionTest, ACompleteTextIsNotExtended) {
    // Both alternatives force the "a"; then the text may end, so the "b" is left to the user.
    Compile(RegExpr, "a|ab");
    EXPECT_EQ(Added, "a");
    EXPECT_TRUE(RegExpr.IsFinal());
    char Ch = 'b';
    EXPECT_TRUE(RegExpr.Next(Ch));
    EXPECT_EQ(Added, "a");
}

TEST_F(RegExprAutoCompletionTest, SwitchingItOnAfterCompilingTypesTheForcedPrefix) {
    RegExpr.SetAutoCompletion(false);
    Compile(RegExpr, "'ID-'\\d+");
    EXPECT_EQ(Added, "");
    RegExpr.SetAutoCompletion(true);
    EXPECT_EQ(Added, "ID-");
    EXPECT_FALSE(RegExpr.IsStart());
}

} // namespace
} // namespace toolkit::edit
