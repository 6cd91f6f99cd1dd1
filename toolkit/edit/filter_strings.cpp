#include "toolkit/edit/filter_strings.h"

namespace toolkit::edit {

namespace {

int ReferenceCount = 0;

void AddStrings(toolkit::base::TdxProductResourceStrings& Product) {
    Product.Add("cxSFilterOperatorEqual", &cxSFilterOperatorEqual);
    Product.Add("cxSFilterOperatorNotEqual", &cxSFilterOperatorNotEqual);
    Product.Add("cxSFilterOperatorLess", &cxSFilterOperatorLess);
    Product.Add("cxSFilterOperatorLessEqual", &cxSFilterOperatorLessEqual);
    Product.Add("cxSFilterOperatorGreater", &cxSFilterOperatorGreater);
    Product.Add("cxSFilterOperatorGreaterEqual", &cxSFilterOperatorGreaterEqual);
    Product.Add("cxSFilterOperatorLike", &cxSFilterOperatorLike);
    Product.Add("cxSFilterOperatorNotLike", &cxSFilterOperatorNotLike);
    Product.Add("cxSFilterOperatorBetween", &cxSFilterOperatorBetween);
    Product.Add("cxSFilterOperatorNotBetween", &cxSFilterOperatorNotBetween);
    Product.Add("cxSFilterOperatorInList", &cxSFilterOperatorInList);
    Product.Add("cxSFilterOperatorNotInList", &cxSFilterOperatorNotInList);
    Product.Add("cxSFilterOperatorYesterday", &cxSFilterOperatorYesterday);
    Product.Add("cxSFilterOperatorToday", &cxSFilterOperatorToday);
    Product.Add("cxSFilterOperatorTomorrow", &cxSFilterOperatorTomorrow);
    Product.Add("cxSFilterOperatorLast7Days", &cxSFilterOperatorLast7Days);
    Product.Add("cxSFilterOperatorLastWeek", &cxSFilterOperatorLastWeek);
    Product.Add("cxSFilterOperatorLast14Days", &cxSFilterOperatorLast14Days);
    Product.Add("cxSFilterOperatorLastTwoWeeks", &cxSFilterOperatorLastTwoWeeks);
    Product.Add("cxSFilterOperatorLast30Days", &cxSFilterOperatorLast30Days);
    Product.Add("cxSFilterOperatorLastMonth", &cxSFilterOperatorLastMonth);
    Product.Add("cxSFilterOperatorLastYear", &cxSFilterOperatorLastYear);
    Product.Add("cxSFilterOperatorPast", &cxSFilterOperatorPast);
    Product.Add("cxSFilterOperatorThisWeek", &cxSFilterOperatorThisWeek);
    Product.Add("cxSFilterOperatorThisMonth", &cxSFilterOperatorThisMonth);
    Product.Add("cxSFilterOperatorThisYear", &cxSFilterOperatorThisYear);
    Product.Add("cxSFilterOperatorNext7Days", &cxSFilterOperatorNext7Days);
    Product.Add("cxSFilterOperatorNextWeek", &cxSFilterOperatorNextWeek);
    Product.Add("cxSFilterOperatorNext14Days", &cxSFilterOperatorNext14Days);
    Product.Add("cxSFilterOperatorNextTwoWeeks", &cxSFilterOperatorNextTwoWeeks);
    Product.Add("cxSFilterOperatorNext30Days", &cxSFilterOperatorNext30Days);
    Product.Add("cxSFilterOperatorNextMonth", &cxSFilterOperatorNextMonth);
    Product.Add("cxSFilterOperatorNextYear", &cxSFilterOperatorNextYear);
    Product.Add("cxSFilterOperatorFuture", &cxSFilterOperatorFuture);
    Product.Add("cxSFilterAndCaption", &cxSFilterAndCaption);
    Product.Add("cxSFilterOrCaption", &cxSFilterOrCaption);
    Product.Add("cxSFilterNotCaption", &cxSFilterNotCaption);
    Product.Add("cxSFilterBlankCaption", &cxSFilterBlankCaption);
    Product.Add("cxSFilterOperatorIsNull", &cxSFilterOperatorIsNull);
    Product.Add("cxSFilterOperatorIsNotNull", &cxSFilterOperatorIsNotNull);
    Product.Add("cxSFilterOperatorBeginsWith", &cxSFilterOperatorBeginsWith);
    Product.Add("cxSFilterOperatorDoesNotBeginWith", &cxSFilterOperatorDoesNotBeginWith);
    Product.Add("cxSFilterOperatorEndsWith", &cxSFilterOperatorEndsWith);
    Product.Add("cxSFilterOperatorDoesNotEndWith", &cxSFilterOperatorDoesNotEndWith);
    Product.Add("cxSFilterOperatorContains", &cxSFilterOperatorContains);
    Product.Add("cxSFilterOperatorDoesNotContain", &cxSFilterOperatorDoesNotContain);
    Product.Add("cxSFilterBoxAllCaption", &cxSFilterBoxAllCaption);
    Product.Add("cxSFilterBoxCustomCaption", &cxSFilterBoxCustomCaption);
    Product.Add("cxSFilterBoxBlanksCaption", &cxSFilterBoxBlanksCaption);
    Product.Add("cxSFilterBoxNonBlanksCaption", &cxSFilterBoxNonBlanksCaption);
}

} // namespace

void InitializeFilterStrings() {
    if (ReferenceCount++ == 0)
        toolkit::base::dxResourceStringsRepository().RegisterProduct(cxFilterStringsGroup,
                                                                     AddStrings);
}

void FinalizeFilterStrings() {
    if (ReferenceCount == 0) return;
    if (--ReferenceCount == 0)
        toolkit::base::dxResourceStringsRepository().UnregisterProduct(cxFilterStringsGroup);
}

} // namespace toolkit::edit
