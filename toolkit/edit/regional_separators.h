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
// The regional settings carry no decimal separator yet; the class library's default stands.
inline char CurrentDecimalSeparator() {
    return '.';
}
inline char CurrentThousandSeparator() {
    return ',';
}

} // namespace toolkit::edit
