#pragma once
// A compiled regular-expression mask. The masked edit feeds it the typed text one character at
// a time; it refuses what the expression does not allow, says whether the text is complete,
// steps back on deletion and, with AutoCompletion, types the characters the expression forces.
//
// The language: characters and quoted strings ('a b'), '.', classes \d \D \s \S \w \W, escapes
// \a \e \f \n \r \t \xHH, \p (the decimal separator), '/' and ':' (the date and time
// separators), brackets with ranges and '^', blocks '(...)' with '|', the quantifiers ? * + and
// {m}, {m,}, {m,n}, and back-references \1..\9, which repeat a block's pattern. White space
// outside quotes is ignored. The expression describes the whole text.

#include "toolkit/edit/reg_expr_automat.h"
#include "toolkit/edit/reg_expr_errors.h"
#include "toolkit/edit/reg_expr_lexer.h"

#include <functional>
#include <istream>
#include <memory>
#include <string>

namespace toolkit::edit {

class TcxRegExpr {
public:
    TcxRegExpr() = default;
    TcxRegExpr(const TcxRegExpr&) = delete;
    TcxRegExpr& operator=(const TcxRegExpr&) = delete;

    // Reads the whole stream. Raises EcxRegExprError with every error found; a null stream and
    // an empty or white source are errors too.
    void Compile(std::istream* Stream);
    void Clear();

    // The operations below raise EcxEditError when the expression is not compiled.
    // Ch may come back in the expression's case.
    bool Next(char& Ch);
    // The characters of Text that are accepted in turn, as they stand in Text.
    std::string NextEx(const std::string& Text);
    bool Prev();
    void Reset();
    bool IsFinal() const;
    bool IsStart() const;

    bool AutoCompletion() const { return FAutoCompletion; }
    void SetAutoCompletion(bool Value);
    bool Compiled() const { return FCompiled; }
    const TcxRegExprErrors& Errors() const { return FErrors; }
    // Null until compiled.
    const TcxRegExprAutomat* Automat() const { return FAutomat.get(); }
    // The source when compiled, else null.
    const std::string* Stream() const { return FCompiled ? &FSource : nullptr; }

    bool CaseInsensitive = false;
    std::function<void()> OnStepBack;
    std::function<void(char)> OnAddChar;

private:
    void CheckCompiled() const;
    [[noreturn]] void RaiseErrors() const;

    std::unique_ptr<TcxRegExprAutomat> FAutomat;
    bool FCompiled = false;
    TcxRegExprErrors FErrors;
    bool FFresh = true;
    TcxLexems FLexems;
    std::string FSource;
    bool FAutoCompletion = false;
};

} // namespace toolkit::edit
