#pragma once
// The first stage of compiling a regular-expression mask: source characters to lexems, with
// their line and column for error messages.

#include "toolkit/edit/reg_expr_errors.h"

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit::edit {

enum class TcxLexemKind : std::uint8_t {
    Symbol,
    Operator,
    Number,
    Any,
    IdLetter,
    NotIdLetter,
    Digit,
    NotDigit,
    Space,
    NotSpace,
    Reference,
    DateSeparator,
    TimeSeparator
};

struct TcxLexem {
    int Column;
    TcxLexemKind Kind;
    int Line;
    // One character, except for numbers.
    std::string Text;

    bool IsOperator(char Ch) const { return Kind == TcxLexemKind::Operator && Text[0] == Ch; }
};

using TcxLexems = std::vector<TcxLexem>;

// Space, #0, tab, line feed, form feed and carriage return.
bool IsRegExprWhiteSpace(char Ch);

// Reads the whole source; errors are recorded and reading goes on.
class TcxRegExprLexer {
public:
    TcxRegExprLexer(const std::string& Source, TcxLexems& Lexems, TcxRegExprErrors& Errors)
        : FSource(Source), FLexems(Lexems), FErrors(Errors) {}
    void Run();

private:
    bool ReadChar(char& Ch);
    bool PeekChar(char& Ch) const;
    // The next character that is not white space, not consumed.
    bool PeekNonWhiteChar(char& Ch) const;
    void AddLexem(TcxLexemKind Kind, std::string Text, int Line, int Column);
    void AddLexem(TcxLexemKind Kind, char Ch) {
        AddLexem(Kind, std::string(1, Ch), FLine, FColumn);
    }
    void Error(const std::string& Text, int Line, int Column);
    void ErrorAtEnd(const std::string& Missing);

    void ReadEscape();
    void ReadQuotedString();
    void ReadBrackets();
    void ReadBraces();
    // The characters that mean the same inside brackets as outside.
    void ReadCommonChar(char Ch);

    const std::string& FSource;
    TcxLexems& FLexems;
    TcxRegExprErrors& FErrors;
    std::size_t FPosition = 0;
    int FLine = 1;
    int FColumn = 0;
};

} // namespace toolkit::edit
