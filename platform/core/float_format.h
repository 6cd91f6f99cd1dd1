#pragma once
// Numbers as text by a format string, and in the general format, as the run-time library gives
// them. A double is taken to 15 significant digits first, so that what it shows is the decimal
// number it was meant to be (0.1 + 0.2 is 0.3); rounding then goes half away from zero.
// The decimal point and the digit-group separator are the settings' DecimalSeparator and
// ThousandSeparator.

#include "platform/core/date_time.h"
#include "platform/core/fmt_bcd.h"

#include <string>
#include <string_view>

namespace platform::core {

// Value in the general format: the shortest fixed text of at most Precision (1..18) significant
// digits ("-12.5", "0.00001"), or scientific when the integer part needs more digits than that or
// the magnitude is below 0.00001 ("1.5E20", "1E-6"). Not-a-number and the infinities give "NAN",
// "INF" and "-INF".
std::string FloatToStrGeneral(double Value, int Precision,
                              const TFormatSettings& Settings = FormatSettings());
// The same for a packed decimal, from its exact digits.
std::string BcdToStrGeneral(const TBcd& Bcd, int Precision,
                            const TFormatSettings& Settings = FormatSettings());

// Value by Format. Up to three sections apart by ';' serve positive values, negative values and
// zero; a missing or empty one is the first, which puts a '-' before a negative number. A value
// that rounds to zero is zero (never "-0.00"). In a section:
//   0   a digit, or 0 where the number has none (the leftmost '0' before the point and the
//       rightmost after it fix how many digits always show)
//   #   a digit where the number has one
//   .   the decimal point (the first one; it shows only when fraction digits follow)
//   ,   groups the integer digits by three
//   E+ E- e+ e-   scientific: the mantissa has as many integer digits as there are placeholders
//       before the point, the exponent at least as many digits as '0's follow; E+ always gives
//       the exponent's sign, E- only a minus
//   '...' "..."   literal text
// Every other character is copied. An empty format, a value not finite, or a fixed format of a
// value of more than 18 integer digits gives the general format of 15 digits.
std::string FormatFloat(std::string_view Format, double Value,
                        const TFormatSettings& Settings = FormatSettings());

} // namespace platform::core
