#pragma once
// The run-time library's packed decimal record, as data stores keep exact numbers: a precision
// (the count of digits), a byte of sign (bit 7) and decimal places (bits 0-5), then up to 64
// digits packed two to a byte, the high nibble first. The digits are Precision - Places
// integer digits followed by Places fraction digits. Callers handle it only through these
// conversions.

#include "platform/core/exception.h"

#include <cstdint>
#include <string>

namespace platform::core {

struct TBcd {
    std::uint8_t Precision = 0;
    std::uint8_t SignSpecialPlaces = 0;
    std::uint8_t Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);

// A text that is no decimal number, or one of more than 64 digits.
class EBcdException : public Exception {
public:
    using Exception::Exception;
};

// An optional sign, digits with at most one '.', and an optional exponent ("1.5E+20").
// Leading integer zeros and trailing fraction zeros are dropped.
TBcd StrToBcd(const std::string& Text);
// The shortest text: "-12.5", "0", no exponent.
std::string BcdToStr(const TBcd& Bcd);
double BcdToDouble(const TBcd& Bcd);
// Negative, 0 or positive by the numbers' order; -0 equals 0.
int BcdCompare(const TBcd& A, const TBcd& B);

} // namespace platform::core
