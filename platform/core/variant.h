#pragma once
// The class library's variant: a value that carries its own type code, as the data side of the
// editors passes values around. It holds the scalar kinds below, 8-bit and UTF-16 strings, and
// arrays of variants (one or more dimensions; only the first is ever walked). Conversions
// between the kinds follow the class library: booleans are -1 and 0 as numbers and "True" and
// "False" as text, empty is 0 or "", and a string converts to a number when it reads as one.

#include "platform/core/exception.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace platform::core {

struct TBcd;
struct TSQLTimeStamp;

using TVarType = std::uint16_t;

enum : TVarType {
    varEmpty = 0,
    varNull = 1,
    varSmallint = 2,
    varInteger = 3,
    varSingle = 4,
    varDouble = 5,
    varCurrency = 6,
    varDate = 7,
    varOleStr = 8,
    varBoolean = 11,
    varVariant = 12,
    varShortInt = 16,
    varByte = 17,
    varWord = 18,
    varLongWord = 19,
    varInt64 = 20,
    varString = 0x100,
    varTypeMask = 0x0FFF,
    varArray = 0x2000,
};

// The run-time library's two kinds beyond the built-in ones: packed decimals, which keep every
// digit, and time stamps. Their codes are handed out by the library, not fixed by the platform.
TVarType VarFMTBcd();
TVarType VarSQLTimeStamp();

// A conversion between variant kinds that cannot be made.
class EVariantError : public Exception {
public:
    using Exception::Exception;
};

class Variant {
public:
    // Empty.
    Variant() = default;

    static Variant Null();
    // Integer kinds keep their code; the value is cut to the kind's width.
    static Variant Ordinal(TVarType Type, std::int64_t Value);
    static Variant Integer(std::int32_t Value) { return Ordinal(varInteger, Value); }
    static Variant Int64(std::int64_t Value) { return Ordinal(varInt64, Value); }
    static Variant Boolean(bool Value);
    static Variant Single(float Value);
    static Variant Double(double Value);
    static Variant Date(double Value);
    // Currency as the class library keeps it: the amount times 10000.
    static Variant Currency(std::int64_t Scaled);
    static Variant String(std::string Value);
    static Variant WideString(std::u16string Value);
    // Of the kind VarFMTBcd() and VarSQLTimeStamp().
    static Variant Bcd(const TBcd& Value);
    static Variant SQLTimeStamp(const TSQLTimeStamp& Value);
    // A one-dimensional array of variants with the bounds LowBound..LowBound + size - 1.
    static Variant Array(std::vector<Variant> Items, int LowBound = 0);
    // An array of several dimensions, Counts[i] elements along dimension i, stored flat.
    static Variant MultiArray(std::vector<int> Counts);

    // The kind's code; arrays answer varArray | varVariant.
    TVarType VarType() const { return FType; }
    bool IsEmpty() const { return FType == varEmpty; }
    bool IsNull() const { return FType == varNull; }
    bool IsArray() const { return (FType & varArray) != 0; }
    // The integer kinds and boolean.
    bool IsOrdinal() const;
    bool IsFloat() const;
    // Ordinal or float (currency and date included); packed decimals and time stamps are not.
    bool IsNumeric() const;
    bool IsStr() const { return FType == varString || FType == varOleStr; }

    // Arrays only (EVariantError otherwise).
    int ArrayDimCount() const;
    int ArrayLowBound() const;
    int ArrayHighBound() const;
    // Element LowBound + i of the first dimension (flat index for several dimensions).
    const Variant& Element(int Index) const;
    Variant& Element(int Index);

    // Conversions; EVariantError when the value does not convert (null never does).
    std::int64_t AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    std::int64_t AsCurrencyScaled() const;
    // Integers, currency, booleans and texts convert exactly; other numbers through their text.
    TBcd AsBcd() const;
    // A time stamp as it is, anything else through its date-time.
    TSQLTimeStamp AsSQLTimeStamp() const;
    // Null and empty give "". A packed decimal gives all its digits.
    std::string AsString() const;
    std::u16string AsWideString() const;

    // The class library's equality: empty equals empty, null null; numbers by value, strings by
    // their characters, a string and a number as numbers when the string reads as one, else as
    // strings. Arrays are never equal here (see VarCompare).
    bool operator==(const Variant& Other) const;
    // The same rules; null and empty sort first. Meaningless for arrays.
    bool operator<(const Variant& Other) const;

private:
    struct TArray {
        std::vector<int> Counts;
        int LowBound = 0;
        std::vector<Variant> Items;
    };

    TVarType FType = varEmpty;
    std::variant<std::monostate, std::int64_t, double, std::string, std::u16string,
                 std::shared_ptr<TArray>, std::shared_ptr<const TBcd>,
                 std::shared_ptr<const TSQLTimeStamp>>
        FValue;

    const TArray& ArrayData() const;
};

// The value converted to the kind Type (VarAsType); EVariantError when it does not convert.
Variant VarAsType(const Variant& V, TVarType Type);

// UTF-16 and the program's 8-bit text (platform/core/text.h) both ways.
std::u16string AnsiToWide(const std::string& S);
std::string WideToAnsi(const std::u16string& S);

} // namespace platform::core
