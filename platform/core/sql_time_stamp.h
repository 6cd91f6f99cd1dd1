#pragma once
// The run-time library's time-stamp record, as data stores keep a date and time field by
// field: year (signed), month, day, hour, minute, second and the fraction of the second in
// milliseconds. Callers handle it only through these conversions.

#include "platform/core/date_time.h"

#include <cstdint>

namespace platform::core {

struct TSQLTimeStamp {
    std::int16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint32_t Fractions = 0;
};
static_assert(sizeof(TSQLTimeStamp) == 16);

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime DateTime);
// EConvertError when a field is out of its range; an all-zero record is day 0.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& TimeStamp);

} // namespace platform::core
