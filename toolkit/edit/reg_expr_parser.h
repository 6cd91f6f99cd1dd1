#pragma once
// The second stage of compiling a regular-expression mask: lexems to the parse tree.

#include "toolkit/edit/reg_expr_errors.h"
#include "toolkit/edit/reg_expr_lexer.h"
#include "toolkit/edit/reg_expr_parser_items.h"

#include <memory>
#include <vector>

namespace toolkit::edit {

// Reads all lexems; errors are recorded and reading goes on.
class TcxRegExprParser {
public:
    TcxRegExprParser(const TcxLexems& Lexems, TcxRegExprErrors& Errors)
        : FLexems(Lexems), FErrors(Errors) {}
    std::unique_ptr<TcxRegExprParserAlts> Parse();

private:
    const TcxLexem* ReadLexem();
    const TcxLexem* PeekLexem() const;
    void Error(const std::string& Text, const TcxLexem* Lexem);

    // Returns true when a '|' ended the alternative.
    bool ParseAlt(TcxRegExprParserAlt& Alt, bool TopLevel);
    std::unique_ptr<TcxRegExprParserItem> ParseBlock();
    std::unique_ptr<TcxRegExprParserItem> ParseEnumeration();
    void ApplyQuantifier(TcxRegExprParserAlt& Alt, std::unique_ptr<TcxRegExprQuantifier> Q);
    bool ReadParameterQuantifier(int& Min, int& Max);
    void ApplyParameterQuantifier(TcxRegExprParserAlt& Alt, int Min, int Max,
                                  const TcxLexem* Brace);
    std::unique_ptr<TcxRegExprParserItem> OptionalChain(const TcxRegExprParserItem& Item, int I,
                                                        int Max) const;

    const TcxLexems& FLexems;
    TcxRegExprErrors& FErrors;
    std::size_t FLexemIndex = 0;
    // The blocks opened by '(' so far, in source order: back-references copy them.
    std::vector<TcxRegExprParserBlockItem*> FBlocks;
    // Items replaced by a parameter quantifier's expansion stay alive until the parse ends, as
    // a later back-reference may still copy one of them.
    std::vector<std::unique_ptr<TcxRegExprParserItem>> FReplacedItems;
};

} // namespace toolkit::edit
