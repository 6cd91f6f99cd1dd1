#pragma once
// The texts of the filtering layer: operator names and the captions of filter boxes, as
// resource strings of their own group so that an application can translate them by name.

#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

inline constexpr toolkit::base::TResStringRec cxSFilterOperatorEqual{"equals"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNotEqual{"does not equal"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLess{"is less than"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLessEqual{
    "is less than or equal to"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorGreater{"is greater than"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorGreaterEqual{
    "is greater than or equal to"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLike{"like"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNotLike{"not like"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorBetween{"between"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNotBetween{"not between"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorInList{"in"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNotInList{"not in"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorYesterday{"is yesterday"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorToday{"is today"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorTomorrow{"is tomorrow"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLast7Days{"is last 7 days"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLastWeek{"is last week"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLast14Days{"is last 14 days"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLastTwoWeeks{"is last two weeks"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLast30Days{"is last 30 days"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLastMonth{"is last month"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorLastYear{"is last year"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorPast{"is past"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorThisWeek{"is this week"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorThisMonth{"is this month"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorThisYear{"is this year"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNext7Days{"is next 7 days"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNextWeek{"is next week"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNext14Days{"is next 14 days"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNextTwoWeeks{"is next two weeks"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNext30Days{"is next 30 days"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNextMonth{"is next month"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorNextYear{"is next year"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorFuture{"is future"};
inline constexpr toolkit::base::TResStringRec cxSFilterAndCaption{"and"};
inline constexpr toolkit::base::TResStringRec cxSFilterOrCaption{"or"};
inline constexpr toolkit::base::TResStringRec cxSFilterNotCaption{"not"};
inline constexpr toolkit::base::TResStringRec cxSFilterBlankCaption{"blank"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorIsNull{"is blank"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorIsNotNull{"is not blank"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorBeginsWith{"begins with"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorDoesNotBeginWith{
    "does not begin with"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorEndsWith{"ends with"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorDoesNotEndWith{"does not end with"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorContains{"contains"};
inline constexpr toolkit::base::TResStringRec cxSFilterOperatorDoesNotContain{"does not contain"};
inline constexpr toolkit::base::TResStringRec cxSFilterBoxAllCaption{"(All)"};
inline constexpr toolkit::base::TResStringRec cxSFilterBoxCustomCaption{"(Custom...)"};
inline constexpr toolkit::base::TResStringRec cxSFilterBoxBlanksCaption{"(Blanks)"};
inline constexpr toolkit::base::TResStringRec cxSFilterBoxNonBlanksCaption{"(NonBlanks)"};

// The group under which the strings are registered.
inline constexpr const char* cxFilterStringsGroup = "Filter";

// The first call registers the group with every string above, in this order; each call is
// matched by one FinalizeFilterStrings, and the last of them unregisters the group.
void InitializeFilterStrings();
void FinalizeFilterStrings();

} // namespace toolkit::edit
