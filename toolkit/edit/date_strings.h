#pragma once
// The date words a date editor understands besides dates ("today", "tomorrow+3", "eom"), as
// resource strings, so that a localised program types them in its own language.

#include "toolkit/base/resource_strings.h"

#include <array>

namespace toolkit::edit {

inline constexpr toolkit::base::TResStringRec cxSDateToday{"today"};
inline constexpr toolkit::base::TResStringRec cxSDateYesterday{"yesterday"};
inline constexpr toolkit::base::TResStringRec cxSDateTomorrow{"tomorrow"};
inline constexpr toolkit::base::TResStringRec cxSDateSunday{"Sunday"};
inline constexpr toolkit::base::TResStringRec cxSDateMonday{"Monday"};
inline constexpr toolkit::base::TResStringRec cxSDateTuesday{"Tuesday"};
inline constexpr toolkit::base::TResStringRec cxSDateWednesday{"Wednesday"};
inline constexpr toolkit::base::TResStringRec cxSDateThursday{"Thursday"};
inline constexpr toolkit::base::TResStringRec cxSDateFriday{"Friday"};
inline constexpr toolkit::base::TResStringRec cxSDateSaturday{"Saturday"};
inline constexpr toolkit::base::TResStringRec cxSDateFirst{"first"};
inline constexpr toolkit::base::TResStringRec cxSDateSecond{"second"};
inline constexpr toolkit::base::TResStringRec cxSDateThird{"third"};
inline constexpr toolkit::base::TResStringRec cxSDateFourth{"fourth"};
inline constexpr toolkit::base::TResStringRec cxSDateFifth{"fifth"};
inline constexpr toolkit::base::TResStringRec cxSDateSixth{"sixth"};
inline constexpr toolkit::base::TResStringRec cxSDateSeventh{"seventh"};
inline constexpr toolkit::base::TResStringRec cxSDateBOM{"bom"};
inline constexpr toolkit::base::TResStringRec cxSDateEOM{"eom"};
inline constexpr toolkit::base::TResStringRec cxSDateNow{"now"};

// The words in the order the date masks list them; "now" last.
inline constexpr std::array<const toolkit::base::TResStringRec*, 20> cxDateWords = {
    &cxSDateToday,   &cxSDateYesterday, &cxSDateTomorrow, &cxSDateSunday, &cxSDateMonday,
    &cxSDateTuesday, &cxSDateWednesday, &cxSDateThursday, &cxSDateFriday, &cxSDateSaturday,
    &cxSDateFirst,   &cxSDateSecond,    &cxSDateThird,    &cxSDateFourth, &cxSDateFifth,
    &cxSDateSixth,   &cxSDateSeventh,   &cxSDateBOM,      &cxSDateEOM,    &cxSDateNow};

} // namespace toolkit::edit
