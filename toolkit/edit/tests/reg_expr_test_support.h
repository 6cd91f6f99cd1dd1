#pragma once
// Helpers shared by the regular-expression tests.

#include "toolkit/edit/reg_expr.h"

#include "platform/core/date_time.h"

#include <sstream>
#include <string>

namespace toolkit::edit::testing {

// The separators every regular-expression test runs with: '.' between date parts and ':'
// between time parts.
inline platform::core::TFormatSettings PinnedSeparators(char DateSeparator = '.',
                                                        char TimeSeparator = ':') {
    platform::core::TFormatSettings Settings;
    Settings.DateSeparator = DateSeparator;
    Settings.TimeSeparator = TimeSeparator;
    return Settings;
}

inline void Compile(TcxRegExpr& RegExpr, const std::string& Expression) {
    std::istringstream Stream(Expression);
    RegExpr.Compile(&Stream);
}

// Feeds each character; false at the first one refused.
inline bool Feed(TcxRegExpr& RegExpr, const std::string& Text) {
    for (char Ch : Text)
        if (!RegExpr.Next(Ch)) return false;
    return true;
}

} // namespace toolkit::edit::testing
