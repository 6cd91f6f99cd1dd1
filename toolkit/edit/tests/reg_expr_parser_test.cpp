#include "toolkit/edit/reg_expr_lexer.h"
#include "toolkit/edit/reg_expr_parser.h"

#include <gtest/gtest.h>

namespace toolkit::edit {
namespace {

std::string Tree(const std::string& Expression) {
    TcxLexems Lexems;
    TcxRegExprErrors Errors;
    TcxRegExprLexer(Expression, Lexems, Errors).Run();
    auto Alts = TcxRegExprParser(Lexems, Errors).Parse();
    EXPECT_EQ(Errors.Count(), 0);
    std::string Text = Alts->GetText();
    // One line per entry reads better in the expectations.
    for (std::size_t At; (At = Text.find("\r\n")) != std::string::npos;)
        Text.replace(At, 2, "|");
    return Text;
}

TEST(RegExprParser, AStackedQuantifierWrapsTheItemInABlock) {
    EXPECT_EQ(Tree("a*?"), "<Start_Alt>|<Start_Block>|<Start_Alt>|item --> *|<Finish_Alt>|"
                           "<Finish_Block> --> ?|<Finish_Alt>|");
}

TEST(RegExprParser, AParameterQuantifierExpandsToCopies) {
    EXPECT_EQ(Tree("a{2,4}"), "<Start_Alt>|<Start_Block>|<Start_Alt>|item --> |item --> |"
                              "<Start_Block>|<Start_Alt>|item --> |item --> ?|<Finish_Alt>|"
                              "<Finish_Block> --> ?|<Finish_Alt>|<Finish_Block> --> |"
                              "<Finish_Alt>|");
    EXPECT_EQ(Tree("a{1,}"), "<Start_Alt>|<Start_Block>|<Start_Alt>|item --> |item --> *|"
                             "<Finish_Alt>|<Finish_Block> --> |<Finish_Alt>|");
}

TEST(RegExprParser, ABackReferenceCopiesTheBlocksPattern) {
    EXPECT_EQ(Tree("(a|b)+\\1"), "<Start_Alt>|<Start_Block>|<Start_Alt>|item --> |<Finish_Alt>|"
                                 "<Start_Alt>|item --> |<Finish_Alt>|<Finish_Block> --> +|"
                                 "<Start_Block>|<Start_Alt>|item --> |<Finish_Alt>|"
                                 "<Start_Alt>|item --> |<Finish_Alt>|<Finish_Block> --> +|"
                                 "<Finish_Alt>|");
}

// The block that a parameter quantifier replaced can still be referred to.
TEST(RegExprParser, ABackReferenceOutlivesTheExpandedBlock) {
    EXPECT_EQ(Tree("(a){2}\\1"), "<Start_Alt>|<Start_Block>|<Start_Alt>|<Start_Block>|"
                                 "<Start_Alt>|item --> |<Finish_Alt>|<Finish_Block> --> |"
                                 "<Start_Block>|<Start_Alt>|item --> |<Finish_Alt>|"
                                 "<Finish_Block> --> |<Finish_Alt>|<Finish_Block> --> |"
                                 "<Start_Block>|<Start_Alt>|item --> |<Finish_Alt>|"
                                 "<Finish_Block> --> |<Finish_Alt>|");
}

TEST(RegExprLexer, LexemsCarryKindAndPosition) {
    TcxLexems Lexems;
    TcxRegExprErrors Errors;
    TcxRegExprLexer("a\r\n{12, 3}[^-x-]\\d", Lexems, Errors).Run();
    ASSERT_EQ(Errors.Count(), 0);
    struct Expected {
        TcxLexemKind Kind;
        const char* Text;
        int Line;
        int Column;
    };
    const Expected Table[] = {
        {TcxLexemKind::Symbol, "a", 1, 1},    {TcxLexemKind::Operator, "{", 2, 1},
        {TcxLexemKind::Number, "12", 2, 2},   {TcxLexemKind::Operator, ",", 2, 4},
        {TcxLexemKind::Number, "3", 2, 6},    {TcxLexemKind::Operator, "}", 2, 7},
        {TcxLexemKind::Operator, "[", 2, 8},  {TcxLexemKind::Operator, "^", 2, 9},
        {TcxLexemKind::Operator, "-", 2, 10}, {TcxLexemKind::Symbol, "x", 2, 11},
        {TcxLexemKind::Symbol, "-", 2, 12},   {TcxLexemKind::Operator, "]", 2, 13},
        {TcxLexemKind::Digit, "d", 2, 14},
    };
    ASSERT_EQ(Lexems.size(), std::size(Table));
    for (std::size_t I = 0; I < Lexems.size(); ++I) {
        SCOPED_TRACE(I);
        EXPECT_EQ(Lexems[I].Kind, Table[I].Kind);
        EXPECT_EQ(Lexems[I].Text, Table[I].Text);
        EXPECT_EQ(Lexems[I].Line, Table[I].Line);
        EXPECT_EQ(Lexems[I].Column, Table[I].Column);
    }
}

} // namespace
} // namespace toolkit::edit
