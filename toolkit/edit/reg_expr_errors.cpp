#include "toolkit/edit/reg_expr_errors.h"

#include "toolkit/edit/edit_strings.h"

namespace toolkit::edit {

namespace {

std::string JoinMessages(const TcxRegExprErrors& Errors) {
    std::string Result;
    for (int I = 0; I < Errors.Count(); ++I) {
        if (I > 0) Result += "\r\n";
        Result += Errors.Items(I).GetMessage();
    }
    return Result;
}

} // namespace

std::string TcxRegExprError::GetMessage() const {
    using toolkit::base::cxGetResourceString;
    if (Line <= 0) return Text;
    std::string Result = cxGetResourceString(scxRegExprLine) + std::to_string(Line);
    if (Char > 0) Result += ", " + cxGetResourceString(scxRegExprChar) + std::to_string(Char);
    return Result + ": " + Text;
}

EcxRegExprError::EcxRegExprError(TcxRegExprErrors Errors)
    : EcxEditError(JoinMessages(Errors)), FErrors(std::move(Errors)) {}

} // namespace toolkit::edit
