#pragma once
// The regional characters that the masks read, each time they need one, so that a change of
// the regional settings reaches masks that are already compiled.

#include "platform/core/date_time.h"

namespace toolkit::edit {

inline char CurrentDateSeparator() {
    return platform::core::FormatSettings().DateSeparator;
}
inline char CurrentTimeSeparator() {
    return platform::core::FormatSettings().TimeSeparator;
}
inline char CurrentDecimalSeparator() {
    return platform::core::FormatSettings().DecimalSeparator;
}
inline char CurrentThousandSeparator() {
    return platform::core::FormatSettings().ThousandSeparator;
}

} // namespace toolkit::edit
