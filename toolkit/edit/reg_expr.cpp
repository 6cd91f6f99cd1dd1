#include "toolkit/edit/reg_expr.h"

#include "toolkit/edit/edit_strings.h"
#include "toolkit/edit/reg_expr_parser.h"

#include <algorithm>
#include <iterator>

namespace toolkit::edit {

using toolkit::base::cxGetResourceString;

void TcxRegExpr::Clear() {
    FSource.clear();
    FErrors.Clear();
    FLexems.clear();
    FAutomat.reset();
    FCompiled = false;
}

void TcxRegExpr::RaiseErrors() const {
    throw EcxRegExprError(FErrors);
}

void TcxRegExpr::Compile(std::istream* Stream) {
    if (!FFresh) Clear();
    FFresh = false;
    if (Stream) {
        // The whole stream counts, wherever it stands; one that cannot seek is read on.
        Stream->clear();
        Stream->seekg(0);
        Stream->clear();
        FSource.assign(std::istreambuf_iterator<char>(*Stream), std::istreambuf_iterator<char>());
    }
    if (!Stream || Stream->bad()) {
        FErrors.Add(TcxRegExprError(0, 0, cxGetResourceString(scxRegExprNotAssignedSourceStream)));
        RaiseErrors();
    }
    if (std::all_of(FSource.begin(), FSource.end(), IsRegExprWhiteSpace)) {
        FErrors.Add(TcxRegExprError(0, 0, cxGetResourceString(scxRegExprEmptySourceStream)));
        RaiseErrors();
    }
    TcxRegExprLexer(FSource, FLexems, FErrors).Run();
    if (FErrors.Count() > 0) RaiseErrors();
    auto Alts = TcxRegExprParser(FLexems, FErrors).Parse();
    if (FErrors.Count() > 0) RaiseErrors();
    FAutomat = std::make_unique<TcxRegExprAutomat>(std::move(Alts), *this);
    FCompiled = true;
    if (FAutoCompletion) FAutomat->AutoComplete();
}

void TcxRegExpr::CheckCompiled() const {
    if (!FCompiled) throw EcxEditError(cxGetResourceString(scxRegExprNotCompiled));
}

bool TcxRegExpr::Next(char& Ch) {
    CheckCompiled();
    const bool Result = FAutomat->Next(Ch, CaseInsensitive);
    if (Result && !FAutomat->IsFinal() && FAutoCompletion) FAutomat->AutoComplete();
    return Result;
}

std::string TcxRegExpr::NextEx(const std::string& Text) {
    CheckCompiled();
    std::string Result;
    for (char Ch : Text) {
        char Checked = Ch;
        if (FAutomat->Next(Checked, CaseInsensitive)) Result += Ch;
    }
    return Result;
}

bool TcxRegExpr::Prev() {
    CheckCompiled();
    if (FAutoCompletion) FAutomat->StepBackOverLiterals();
    return FAutomat->Prev();
}

void TcxRegExpr::Reset() {
    CheckCompiled();
    FAutomat->Reset();
}

bool TcxRegExpr::IsFinal() const {
    CheckCompiled();
    return FAutomat->IsFinal();
}

bool TcxRegExpr::IsStart() const {
    CheckCompiled();
    return FAutomat->IsStart();
}

void TcxRegExpr::SetAutoCompletion(bool Value) {
    FAutoCompletion = Value;
    if (FCompiled && Value) FAutomat->AutoComplete();
}

} // namespace toolkit::edit
