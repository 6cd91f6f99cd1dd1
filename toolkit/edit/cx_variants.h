#pragma once
// Variants as the data side of the editors handles them: a total order over variants (nulls and
// arrays included), a few type questions, and the compact tagged stream format in which typed
// values are written and read back. A value is a tag byte and its payload, integers
// little-endian:
//   0 null; 1 array (count as a tagged integer, then the elements); 2, 3, 4, 19 integers of 1,
//   2, 4, 8 bytes; 5 double as a 10-byte extended; 6 string of up to 255 characters (1-byte
//   length); 8 false; 9 true; 12 string (4-byte length); 13 empty; 15 single; 16 currency
//   (8 bytes, scaled by 10000); 17 date (8-byte double); 18 wide string (4-byte count of UTF-16
//   units). A time stamp is written as a date; any other kind (a packed decimal among them) as
//   its text.
// Reading trusts nothing: a tag outside the table, a negative count or length, one larger than
// the bytes left, or arrays nested deeper than cxMaxVariantNesting raise EReadError with
// "Stream read error", so a damaged stream never makes the reader allocate or recurse without
// bound.

#include "platform/core/streams.h"
#include "platform/core/variant.h"

#include <array>
#include <cstdint>
#include <string>

namespace toolkit::edit {

using platform::core::TStream;
using platform::core::TVarType;
using platform::core::Variant;

// Arrays within arrays deeper than this are refused on reading.
inline constexpr int cxMaxVariantNesting = 64;

// Negative, 0 or positive. Arrays: the larger upper bound is greater (the difference of the
// bounds), equal bounds compare element by element; an array is greater than any scalar.
// Scalars: empty first, then null, then the variants' own order.
int VarCompare(const Variant& A, const Variant& B);
bool VarEquals(const Variant& A, const Variant& B);
// With a boolean on either side and no null, both compare as their texts.
bool VarEqualsExact(const Variant& A, const Variant& B);
// A date, or a time stamp.
bool VarIsDateEx(const Variant& V);
bool VarTypeIsDateEx(TVarType VarType);
// A number, or a packed decimal.
bool VarIsNumericEx(const Variant& V);
// Null, or a string equal to "".
bool VarIsSoftNull(const Variant& V);

// "False" and "True", as booleans are shown.
const std::string& cxBooleanText(bool Value);

// Multi-dimensional arrays raise EWriteError with "Stream write error" before anything is
// written.
void WriteVariant(TStream& Stream, const Variant& V);
void ReadVariant(TStream& Stream, Variant& V);

// The 10-byte extended float of a double and back; every double survives the round trip, an
// extended value outside the double's range becomes an infinity or zero.
std::array<std::uint8_t, 10> DoubleToExtended(double Value);
double ExtendedToDouble(const std::array<std::uint8_t, 10>& Bytes);

// Plain values, untagged.
std::uint8_t ReadByteFunc(TStream& Stream);
std::int16_t ReadSmallIntFunc(TStream& Stream);
std::uint16_t ReadWordFunc(TStream& Stream);
std::int32_t ReadIntegerFunc(TStream& Stream);
std::int64_t ReadLargeIntFunc(TStream& Stream);
double ReadFloatFunc(TStream& Stream);
// Currency scaled by 10000.
std::int64_t ReadCurrencyFunc(TStream& Stream);
double ReadDateTimeFunc(TStream& Stream);
std::string ReadAnsiStringFunc(TStream& Stream);
std::u16string ReadWideStringFunc(TStream& Stream);

void WriteByteProc(TStream& Stream, std::uint8_t Value);
void WriteSmallIntProc(TStream& Stream, std::int16_t Value);
void WriteWordProc(TStream& Stream, std::uint16_t Value);
void WriteIntegerProc(TStream& Stream, std::int32_t Value);
void WriteLargeIntProc(TStream& Stream, std::int64_t Value);
void WriteFloatProc(TStream& Stream, double Value);
void WriteCurrencyProc(TStream& Stream, std::int64_t Value);
void WriteDateTimeProc(TStream& Stream, double Value);
void WriteAnsiStringProc(TStream& Stream, const std::string& Value);
void WriteWideStringProc(TStream& Stream, const std::u16string& Value);

} // namespace toolkit::edit
