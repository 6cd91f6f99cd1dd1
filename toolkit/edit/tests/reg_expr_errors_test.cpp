#include "toolkit/edit/edit_strings.h"
#include "toolkit/edit/reg_expr.h"
#include "toolkit/edit/reg_expr_errors.h"

#include "reg_expr_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace toolkit::edit {
namespace {

using testing::Compile;

struct ExpectedError {
    int Line;
    int Char;
    std::string Text;
};

struct ErrorCase {
    std::string Expression;
    std::vector<ExpectedError> Errors;
};

class RegExprErrorsTest : public ::testing::Test {
protected:
    platform::core::FormatSettingsOverride Pinned{testing::PinnedSeparators()};
};

TEST_F(RegExprErrorsTest, EveryErrorHasItsTextAndPosition) {
    const std::vector<ErrorCase> Cases = {
        {"", {{0, 0, "The source stream is empty"}}},
        {" \t\r\n", {{0, 0, "The source stream is empty"}}},
        {"(a", {{0, 0, "Missing ')'"}}},
        {"a)", {{0, 0, "Unnecessary ')'"}}},
        {"'ab", {{1, 4, "Missing ' ' '"}}},
        {"[ab", {{1, 4, "Missing ']'"}}},
        {"[a-", {{1, 4, "Missing ']'"}}},
        {"a{2", {{1, 4, "Missing '}'"}}},
        {"a\\ ", {{1, 3, "The space character is not allowed after '\\'"}}},
        {"\\x4", {{1, 4, "Hexadecimal number expected"}}},
        {"\\xg1", {{1, 3, "Hexadecimal number expected but 'g' found"}}},
        {"a{x}", {{1, 3, "Illegal 'x'"}}},
        {"a{'}", {{1, 3, "Illegal ' ' '"}}},
        {"a)(b", {{1, 2, "Illegal ')'"}}},
        {"a]", {}},
        {"a|", {{0, 0, "The alternative should not be empty"}}},
        {"|a", {{1, 1, "The alternative should not be empty"}}},
        {"a||b", {{1, 3, "The alternative should not be empty"}}},
        {"()", {{1, 2, "The block should not be empty"}}},
        {"(a|)", {{1, 4, "The block should not be empty"}}},
        {"*a", {{1, 1, "Illegal quantifier '*'"}}},
        {"+", {{1, 1, "Illegal quantifier '+'"}}},
        {"?", {{1, 1, "Illegal quantifier '?'"}}},
        {"a**", {{1, 3, "The '*' quantifier cannot be applied here"}}},
        {"a?+", {{1, 3, "The '+' quantifier cannot be applied here"}}},
        {"(a?)+", {{1, 5, "The '+' quantifier cannot be applied here"}}},
        {"(a|b*)*", {{1, 7, "The '*' quantifier cannot be applied here"}}},
        {"a?{2}", {{1, 3, "The parameter quantifier cannot be applied here"}}},
        {"a*{2,3}", {{1, 3, "The parameter quantifier cannot be applied here"}}},
        {"a{2,1}", {{1, 6, "Incorrect parameter quantifier"}}},
        {"a{,2}",
         {{1, 3, "Incorrect parameter quantifier"},
          {1, 4, "Illegal integer value"},
          {1, 5, "Illegal '}'"}}},
        {"a{}", {{1, 3, "Incorrect parameter quantifier"}}},
        {"a{99999999999}", {{1, 3, "Incorrect parameter quantifier"}, {1, 14, "Illegal '}'"}}},
        {"{2}",
         {{1, 1, "Incorrect parameter quantifier"},
          {1, 2, "Illegal integer value"},
          {1, 3, "Illegal '}'"}}},
        {"(a)\\2", {{1, 4, "Too big reference number"}}},
        {"\\1(a)", {{1, 1, "Too big reference number"}}},
        {"[]", {{1, 2, "Can't create empty enumeration"}}},
        {"[^]", {{1, 3, "Can't create empty enumeration"}}},
        {"[b-a]",
         {{1, 4,
           "The starting character of the subrange must be less than the "
           "finishing one"}}},
        {"[a-a]",
         {{1, 4,
           "The starting character of the subrange must be less than the "
           "finishing one"}}},
        {"[a-c-e]", {{1, 5, "Illegal '-'"}}},
        {"a\r\n  **", {{2, 4, "The '*' quantifier cannot be applied here"}}},
        {"*|(b|)", {{1, 1, "Illegal quantifier '*'"}, {1, 6, "The block should not be empty"}}},
    };
    for (const ErrorCase& C : Cases) {
        SCOPED_TRACE(C.Expression);
        TcxRegExpr RegExpr;
        if (C.Errors.empty()) {
            EXPECT_NO_THROW(Compile(RegExpr, C.Expression));
            continue;
        }
        try {
            Compile(RegExpr, C.Expression);
            ADD_FAILURE() << "compiled";
        } catch (const EcxRegExprError& E) {
            ASSERT_EQ(E.Errors().Count(), static_cast<int>(C.Errors.size()));
            for (int I = 0; I < E.Errors().Count(); ++I) {
                EXPECT_EQ(E.Errors().Items(I).Line, C.Errors[I].Line);
                EXPECT_EQ(E.Errors().Items(I).Char, C.Errors[I].Char);
                EXPECT_EQ(E.Errors().Items(I).Text, C.Errors[I].Text);
            }
            EXPECT_EQ(RegExpr.Errors().Count(), E.Errors().Count());
        }
        EXPECT_FALSE(RegExpr.Compiled());
    }
}

TEST_F(RegExprErrorsTest, ANullStreamIsNotAssigned) {
    TcxRegExpr RegExpr;
    try {
        RegExpr.Compile(nullptr);
        FAIL() << "compiled";
    } catch (const EcxRegExprError& E) {
        ASSERT_EQ(E.Errors().Count(), 1);
        EXPECT_EQ(E.Errors().Items(0).Text, "The source stream is not assigned");
    }
}

TEST_F(RegExprErrorsTest, TheMessageCarriesLineAndColumn) {
    EXPECT_EQ(TcxRegExprError(1, 5, "text").GetMessage(), "Line1, Char5: text");
    EXPECT_EQ(TcxRegExprError(3, 0, "text").GetMessage(), "Line3: text");
    EXPECT_EQ(TcxRegExprError(0, 7, "text").GetMessage(), "text");

    TcxRegExpr RegExpr;
    try {
        Compile(RegExpr, "*|(b|)");
        FAIL() << "compiled";
    } catch (const EcxRegExprError& E) {
        EXPECT_STREQ(E.what(), "Line1, Char1: Illegal quantifier '*'\r\n"
                               "Line1, Char6: The block should not be empty");
        const EcxEditError& AsEditError = E;
        EXPECT_EQ(AsEditError.Message(), E.what());
    }
}

TEST_F(RegExprErrorsTest, AFailedCompileLeavesNothingCompiled) {
    TcxRegExpr RegExpr;
    Compile(RegExpr, "ab");
    EXPECT_THROW(Compile(RegExpr, "a**"), EcxRegExprError);
    EXPECT_FALSE(RegExpr.Compiled());
    EXPECT_EQ(RegExpr.Stream(), nullptr);
    char Ch = 'a';
    EXPECT_THROW(RegExpr.Next(Ch), EcxEditError);
    Compile(RegExpr, "ab");
    EXPECT_EQ(RegExpr.Errors().Count(), 0);
    EXPECT_TRUE(RegExpr.Compiled());
}

TEST(EditStrings, TheTextsAreRegisteredByName) {
    toolkit::base::TdxResourceStringsRepository Repository;
    Repository.RegisterProduct("Editors", AddEditResourceStringNames);
    const toolkit::base::TdxProductResourceStrings& Strings = Repository.Items(0);
    ASSERT_EQ(Strings.Count(), 23);
    EXPECT_EQ(Strings.Names(0), "scxRegExprLine");
    EXPECT_EQ(Strings.Values(20), &scxRegExprNotCompiled);
    EXPECT_EQ(toolkit::base::cxGetResourceString(*Strings.Values(22)),
              "The parameter quantifier cannot be applied here");
}

} // namespace
} // namespace toolkit::edit
