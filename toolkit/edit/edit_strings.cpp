#include "toolkit/edit/edit_strings.h"

namespace toolkit::edit {

void AddEditResourceStringNames(toolkit::base::TdxProductResourceStrings& Product) {
    Product.Add("scxRegExprLine", &scxRegExprLine);
    Product.Add("scxRegExprChar", &scxRegExprChar);
    Product.Add("scxRegExprNotAssignedSourceStream", &scxRegExprNotAssignedSourceStream);
    Product.Add("scxRegExprEmptySourceStream", &scxRegExprEmptySourceStream);
    Product.Add("scxRegExprCantUsePlusQuantifier", &scxRegExprCantUsePlusQuantifier);
    Product.Add("scxRegExprCantUseStarQuantifier", &scxRegExprCantUseStarQuantifier);
    Product.Add("scxRegExprCantCreateEmptyAlt", &scxRegExprCantCreateEmptyAlt);
    Product.Add("scxRegExprCantCreateEmptyBlock", &scxRegExprCantCreateEmptyBlock);
    Product.Add("scxRegExprIllegalSymbol", &scxRegExprIllegalSymbol);
    Product.Add("scxRegExprIllegalQuantifier", &scxRegExprIllegalQuantifier);
    Product.Add("scxRegExprNotSupportQuantifier", &scxRegExprNotSupportQuantifier);
    Product.Add("scxRegExprIllegalIntegerValue", &scxRegExprIllegalIntegerValue);
    Product.Add("scxRegExprTooBigReferenceNumber", &scxRegExprTooBigReferenceNumber);
    Product.Add("scxRegExprCantCreateEmptyEnum", &scxRegExprCantCreateEmptyEnum);
    Product.Add("scxRegExprSubrangeOrder", &scxRegExprSubrangeOrder);
    Product.Add("scxRegExprHexNumberExpected0", &scxRegExprHexNumberExpected0);
    Product.Add("scxRegExprHexNumberExpected", &scxRegExprHexNumberExpected);
    Product.Add("scxRegExprMissing", &scxRegExprMissing);
    Product.Add("scxRegExprUnnecessary", &scxRegExprUnnecessary);
    Product.Add("scxRegExprIncorrectSpace", &scxRegExprIncorrectSpace);
    Product.Add("scxRegExprNotCompiled", &scxRegExprNotCompiled);
    Product.Add("scxRegExprIncorrectParameterQuantifier", &scxRegExprIncorrectParameterQuantifier);
    Product.Add("scxRegExprCantUseParameterQuantifier", &scxRegExprCantUseParameterQuantifier);
}

std::string FormatResourceString(const TResStringRec& R, const std::string& Arg) {
    std::string Text = toolkit::base::cxGetResourceString(R);
    const auto At = Text.find("%s");
    if (At != std::string::npos) Text.replace(At, 2, Arg);
    return Text;
}

} // namespace toolkit::edit
