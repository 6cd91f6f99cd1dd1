#include "platform/core/sql_time_stamp.h"

namespace platform::core {

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime DateTime) {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
    DecodeDate(DateTime, Year, Month, Day);
    DecodeTime(DateTime, Hour, Minute, Second, Millisecond);
    TSQLTimeStamp T;
    T.Year = static_cast<std::int16_t>(Year);
    T.Month = static_cast<std::uint16_t>(Month);
    T.Day = static_cast<std::uint16_t>(Day);
    T.Hour = static_cast<std::uint16_t>(Hour);
    T.Minute = static_cast<std::uint16_t>(Minute);
    T.Second = static_cast<std::uint16_t>(Second);
    T.Fractions = static_cast<std::uint32_t>(Millisecond);
    return T;
}

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& TimeStamp) {
    if (TimeStamp.Year == 0 && TimeStamp.Month == 0 && TimeStamp.Day == 0 && TimeStamp.Hour == 0 &&
        TimeStamp.Minute == 0 && TimeStamp.Second == 0 && TimeStamp.Fractions == 0)
        return 0;
    const TDateTime Day = EncodeDate(TimeStamp.Year, TimeStamp.Month, TimeStamp.Day);
    const TDateTime Time = EncodeTime(TimeStamp.Hour, TimeStamp.Minute, TimeStamp.Second,
                                      static_cast<int>(TimeStamp.Fractions));
    return Day < 0 ? Day - Time : Day + Time;
}

} // namespace platform::core
