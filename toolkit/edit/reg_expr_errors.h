#pragma once
// Compile errors of a regular-expression mask. Compiling records every error it meets and
// raises them together.

#include "toolkit/edit/edit_error.h"

#include <string>
#include <vector>

namespace toolkit::edit {

class TcxRegExprError {
public:
    TcxRegExprError(int Line, int Char, std::string Text)
        : Char(Char), Line(Line), Text(std::move(Text)) {}
    // "Line<n>, Char<c>: text"; the position parts are left out when they are 0.
    std::string GetMessage() const;

    int Char;
    int Line;
    std::string Text;
};

class TcxRegExprErrors {
public:
    void Add(TcxRegExprError Error) { FItems.push_back(std::move(Error)); }
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    const TcxRegExprError& Items(int Index) const { return FItems.at(Index); }

private:
    std::vector<TcxRegExprError> FItems;
};

// Carries the error list; its message holds one error per line.
class EcxRegExprError : public EcxEditError {
public:
    explicit EcxRegExprError(TcxRegExprErrors Errors);
    const TcxRegExprErrors& Errors() const { return FErrors; }

private:
    TcxRegExprErrors FErrors;
};

} // namespace toolkit::edit
