#pragma once
// The default formats of a data summary, by summary kind 0..9 (sum, min, max, count, average,
// then the same five for a footer without a caption): the display format with its "%s", the
// prefix before the value, and the format that shows two decimals.

#include <array>

namespace toolkit::edit {

inline constexpr int cxSummaryKindCount = 10;

inline constexpr std::array<const char*, cxSummaryKindCount> cxSummaryDisplayFormats{
    "SUM=%s;SUM=-%s", "MIN=%s;MIN=-%s", "MAX=%s;MAX=-%s", "COUNT=0", "AVG=%s;AVG=-%s",
    "%s;-%s",         "MIN=%s;MIN=-%s", "MAX=%s;MAX=-%s", "0",       "AVG=%s;AVG=-%s"};

inline constexpr std::array<const char*, cxSummaryKindCount> cxSummaryPrefixes{
    "SUM=", "MIN=", "MAX=", "COUNT=0", "AVG=", "", "MIN=", "MAX=", "0", "AVG="};

inline constexpr std::array<const char*, cxSummaryKindCount> cxSummaryTwoDecimalFormats{
    "SUM=0.00;SUM=-0.00",
    "MIN=0.00;MIN=-0.00",
    "MAX=0.00;MAX=-0.00",
    "COUNT=0",
    "AVG=0.00;AVG=-0.00",
    "0.00;-0.00",
    "MIN=0.00;MIN=-0.00",
    "MAX=0.00;MAX=-0.00",
    "0",
    "AVG=0.00;AVG=-0.00"};

} // namespace toolkit::edit
