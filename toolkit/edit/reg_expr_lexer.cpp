#include "toolkit/edit/reg_expr_lexer.h"

#include "toolkit/edit/edit_strings.h"
#include "toolkit/edit/regional_separators.h"

namespace toolkit::edit {

namespace {

const std::string QuoteText = " ' ";

int HexDigitValue(char Ch) {
    if (Ch >= '0' && Ch <= '9') return Ch - '0';
    if (Ch >= 'A' && Ch <= 'F') return Ch - 'A' + 10;
    if (Ch >= 'a' && Ch <= 'f') return Ch - 'a' + 10;
    return -1;
}

} // namespace

bool IsRegExprWhiteSpace(char Ch) {
    return Ch == ' ' || Ch == 0 || Ch == 9 || Ch == 10 || Ch == 12 || Ch == 13;
}

bool TcxRegExprLexer::ReadChar(char& Ch) {
    if (FPosition >= FSource.size()) return false;
    Ch = FSource[FPosition++];
    if (Ch == 13)
        ++FLine;
    else if (Ch == 10)
        FColumn = 0;
    else
        ++FColumn;
    return true;
}

bool TcxRegExprLexer::PeekChar(char& Ch) const {
    if (FPosition >= FSource.size()) return false;
    Ch = FSource[FPosition];
    return true;
}

bool TcxRegExprLexer::PeekNonWhiteChar(char& Ch) const {
    for (std::size_t I = FPosition; I < FSource.size(); ++I)
        if (!IsRegExprWhiteSpace(FSource[I])) {
            Ch = FSource[I];
            return true;
        }
    return false;
}

void TcxRegExprLexer::AddLexem(TcxLexemKind Kind, std::string Text, int Line, int Column) {
    FLexems.push_back(TcxLexem{Column, Kind, Line, std::move(Text)});
}

void TcxRegExprLexer::Error(const std::string& Text, int Line, int Column) {
    FErrors.Add(TcxRegExprError(Line, Column, Text));
}

void TcxRegExprLexer::ErrorAtEnd(const std::string& Missing) {
    Error(FormatResourceString(scxRegExprMissing, Missing), FLine, FColumn + 1);
}

void TcxRegExprLexer::Run() {
    int Nesting = 0;
    char Ch;
    while (ReadChar(Ch)) {
        if (IsRegExprWhiteSpace(Ch)) continue;
        switch (Ch) {
        case '\\':
            ReadEscape();
            break;
        case '\'':
            ReadQuotedString();
            break;
        case '(':
            ++Nesting;
            AddLexem(TcxLexemKind::Operator, Ch);
            break;
        case ')':
            --Nesting;
            AddLexem(TcxLexemKind::Operator, Ch);
            break;
        case '*':
        case '+':
        case '?':
        case '|':
            AddLexem(TcxLexemKind::Operator, Ch);
            break;
        case '.':
            AddLexem(TcxLexemKind::Any, Ch);
            break;
        case '/':
            AddLexem(TcxLexemKind::DateSeparator, Ch);
            break;
        case ':':
            AddLexem(TcxLexemKind::TimeSeparator, Ch);
            break;
        case '[':
            AddLexem(TcxLexemKind::Operator, Ch);
            ReadBrackets();
            break;
        case '{':
            AddLexem(TcxLexemKind::Operator, Ch);
            ReadBraces();
            break;
        default:
            AddLexem(TcxLexemKind::Symbol, Ch);
        }
    }
    if (Nesting > 0) Error(FormatResourceString(scxRegExprMissing, ")"), 0, 0);
    if (Nesting < 0) Error(FormatResourceString(scxRegExprUnnecessary, ")"), 0, 0);
}

void TcxRegExprLexer::ReadEscape() {
    const int Line = FLine;
    const int Column = FColumn;
    auto Add = [&](TcxLexemKind Kind, char Ch) {
        AddLexem(Kind, std::string(1, Ch), Line, Column);
    };
    char Ch;
    if (!ReadChar(Ch)) return;
    if (Ch >= '1' && Ch <= '9') return Add(TcxLexemKind::Reference, Ch);
    if (IsRegExprWhiteSpace(Ch))
        return Error(toolkit::base::cxGetResourceString(scxRegExprIncorrectSpace), FLine, FColumn);
    switch (Ch) {
    case 'a':
        return Add(TcxLexemKind::Symbol, 7);
    case 'e':
        return Add(TcxLexemKind::Symbol, 27);
    case 'f':
        return Add(TcxLexemKind::Symbol, 12);
    case 'n':
        return Add(TcxLexemKind::Symbol, 10);
    case 'r':
        return Add(TcxLexemKind::Symbol, 13);
    case 't':
        return Add(TcxLexemKind::Symbol, 9);
    case 'p':
        return Add(TcxLexemKind::Symbol, CurrentDecimalSeparator());
    case 'd':
        return Add(TcxLexemKind::Digit, Ch);
    case 'D':
        return Add(TcxLexemKind::NotDigit, Ch);
    case 's':
        return Add(TcxLexemKind::Space, Ch);
    case 'S':
        return Add(TcxLexemKind::NotSpace, Ch);
    case 'w':
        return Add(TcxLexemKind::IdLetter, Ch);
    case 'W':
        return Add(TcxLexemKind::NotIdLetter, Ch);
    case 'x': {
        int Value = 0;
        for (int I = 0; I < 2; ++I) {
            char Digit;
            if (!ReadChar(Digit))
                return Error(toolkit::base::cxGetResourceString(scxRegExprHexNumberExpected0),
                             FLine, FColumn + 1);
            const int DigitValue = HexDigitValue(Digit);
            if (DigitValue < 0)
                return Error(
                    FormatResourceString(scxRegExprHexNumberExpected, std::string(1, Digit)), FLine,
                    FColumn);
            Value = Value * 16 + DigitValue;
        }
        return Add(TcxLexemKind::Symbol, static_cast<char>(Value));
    }
    default:
        return Add(TcxLexemKind::Symbol, Ch);
    }
}

void TcxRegExprLexer::ReadQuotedString() {
    char Ch;
    for (;;) {
        if (!ReadChar(Ch)) return ErrorAtEnd(QuoteText);
        if (Ch == '\'') {
            char Following;
            if (!PeekChar(Following) || Following != '\'') return;
            const int Column = FColumn;
            ReadChar(Following);
            AddLexem(TcxLexemKind::Symbol, "'", FLine, Column);
            continue;
        }
        AddLexem(TcxLexemKind::Symbol, Ch);
    }
}

void TcxRegExprLexer::ReadCommonChar(char Ch) {
    switch (Ch) {
    case '\\':
        return ReadEscape();
    case '\'':
        return ReadQuotedString();
    case '/':
        return AddLexem(TcxLexemKind::DateSeparator, Ch);
    case ':':
        return AddLexem(TcxLexemKind::TimeSeparator, Ch);
    default:
        return AddLexem(TcxLexemKind::Symbol, Ch);
    }
}

void TcxRegExprLexer::ReadBrackets() {
    bool First = true;
    char Ch;
    for (;;) {
        if (!ReadChar(Ch)) return ErrorAtEnd("]");
        if (IsRegExprWhiteSpace(Ch)) continue;
        if (Ch == ']') return AddLexem(TcxLexemKind::Operator, Ch);
        if (First) {
            First = false;
            if (Ch == '^') {
                AddLexem(TcxLexemKind::Operator, Ch);
                continue;
            }
        } else if (Ch == '-') {
            char Following;
            // A '-' just before the closing bracket stands for itself.
            const bool Closing = PeekNonWhiteChar(Following) && Following == ']';
            AddLexem(Closing ? TcxLexemKind::Symbol : TcxLexemKind::Operator, Ch);
            continue;
        }
        ReadCommonChar(Ch);
    }
}

void TcxRegExprLexer::ReadBraces() {
    char Ch;
    for (;;) {
        if (!ReadChar(Ch)) return ErrorAtEnd("}");
        if (IsRegExprWhiteSpace(Ch)) continue;
        if (Ch >= '0' && Ch <= '9') {
            const int Line = FLine;
            const int Column = FColumn;
            std::string Number(1, Ch);
            char Following;
            while (PeekChar(Following) && Following >= '0' && Following <= '9') {
                ReadChar(Following);
                Number += Following;
            }
            AddLexem(TcxLexemKind::Number, Number, Line, Column);
        } else if (Ch == ',') {
            AddLexem(TcxLexemKind::Operator, Ch);
        } else if (Ch == '}') {
            return AddLexem(TcxLexemKind::Operator, Ch);
        } else {
            Error(FormatResourceString(scxRegExprIllegalSymbol,
                                       Ch == '\'' ? QuoteText : std::string(1, Ch)),
                  FLine, FColumn);
        }
    }
}

} // namespace toolkit::edit
