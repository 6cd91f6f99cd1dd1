#include "toolkit/edit/cx_variants.h"

#include "toolkit/edit/data_strings.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace toolkit::edit {

using namespace platform::core;

namespace {

enum : std::uint8_t {
    tagNull = 0,
    tagList = 1,
    tagInt8 = 2,
    tagInt16 = 3,
    tagInt32 = 4,
    tagExtended = 5,
    tagString = 6,
    tagFalse = 8,
    tagTrue = 9,
    tagLString = 12,
    tagEmpty = 13,
    tagSingle = 15,
    tagCurrency = 16,
    tagDate = 17,
    tagWString = 18,
    tagInt64 = 19,
};

[[noreturn]] void ReadError() {
    throw EReadError(toolkit::base::cxGetResourceString(cxSDataReadError));
}

template <class T> T ReadRaw(TStream& Stream) {
    std::uint8_t Bytes[sizeof(T)];
    Stream.ReadBuffer(Bytes, sizeof Bytes);
    std::uint64_t Bits = 0;
    for (std::size_t I = sizeof(T); I-- > 0;)
        Bits = (Bits << 8) | Bytes[I];
    T Value;
    if constexpr (sizeof(T) == 8) {
        std::memcpy(&Value, &Bits, 8);
    } else {
        using U =
            std::conditional_t<sizeof(T) == 1, std::uint8_t,
                               std::conditional_t<sizeof(T) == 2, std::uint16_t, std::uint32_t>>;
        const U Narrow = static_cast<U>(Bits);
        std::memcpy(&Value, &Narrow, sizeof(T));
    }
    return Value;
}

template <class T> void WriteRaw(TStream& Stream, T Value) {
    std::uint8_t Bytes[sizeof(T)];
    std::uint64_t Bits = 0;
    std::memcpy(&Bits, &Value, sizeof(T));
    for (std::size_t I = 0; I < sizeof(T); ++I)
        Bytes[I] = static_cast<std::uint8_t>(Bits >> (8 * I));
    Stream.WriteBuffer(Bytes, sizeof Bytes);
}

// A length or count from the stream, refused when it is negative or when Count elements of
// UnitSize bytes cannot be there.
std::size_t CheckedCount(TStream& Stream, std::int64_t Count, std::size_t UnitSize) {
    if (Count < 0) ReadError();
    const auto N = static_cast<std::uint64_t>(Count);
    if (N > Stream.Remaining() / UnitSize) ReadError();
    return static_cast<std::size_t>(N);
}

void WriteTaggedInteger(TStream& Stream, std::int64_t Value) {
    if (Value >= -128 && Value <= 127) {
        WriteByteProc(Stream, tagInt8);
        WriteRaw<std::int8_t>(Stream, static_cast<std::int8_t>(Value));
    } else if (Value >= -32768 && Value <= 32767) {
        WriteByteProc(Stream, tagInt16);
        WriteRaw<std::int16_t>(Stream, static_cast<std::int16_t>(Value));
    } else if (Value >= std::numeric_limits<std::int32_t>::min() &&
               Value <= std::numeric_limits<std::int32_t>::max()) {
        WriteByteProc(Stream, tagInt32);
        WriteRaw<std::int32_t>(Stream, static_cast<std::int32_t>(Value));
    } else {
        WriteByteProc(Stream, tagInt64);
        WriteRaw<std::int64_t>(Stream, Value);
    }
}

std::int64_t ReadTaggedInteger(TStream& Stream) {
    switch (ReadByteFunc(Stream)) {
    case tagInt8:
        return ReadRaw<std::int8_t>(Stream);
    case tagInt16:
        return ReadRaw<std::int16_t>(Stream);
    case tagInt32:
        return ReadRaw<std::int32_t>(Stream);
    case tagInt64:
        return ReadRaw<std::int64_t>(Stream);
    default:
        ReadError();
    }
}

void WriteString(TStream& Stream, const std::string& Text) {
    if (Text.size() <= 255) {
        WriteByteProc(Stream, tagString);
        WriteByteProc(Stream, static_cast<std::uint8_t>(Text.size()));
        Stream.WriteBuffer(Text.data(), Text.size());
    } else {
        WriteByteProc(Stream, tagLString);
        WriteAnsiStringProc(Stream, Text);
    }
}

std::string ReadChars(TStream& Stream, std::size_t Length) {
    std::string Text(Length, '\0');
    Stream.ReadBuffer(Text.data(), Length);
    return Text;
}

void ReadVariantAt(TStream& Stream, Variant& V, int Depth) {
    const std::uint8_t Tag = ReadByteFunc(Stream);
    switch (Tag) {
    case tagNull:
        V = Variant::Null();
        break;
    case tagList: {
        if (Depth >= cxMaxVariantNesting) ReadError();
        // Every element takes at least its tag byte.
        const std::size_t Count = CheckedCount(Stream, ReadTaggedInteger(Stream), 1);
        std::vector<Variant> Items(Count);
        for (Variant& Item : Items)
            ReadVariantAt(Stream, Item, Depth + 1);
        V = Variant::Array(std::move(Items));
        break;
    }
    case tagInt8:
        V = Variant::Ordinal(varShortInt, ReadRaw<std::int8_t>(Stream));
        break;
    case tagInt16:
        V = Variant::Ordinal(varSmallint, ReadRaw<std::int16_t>(Stream));
        break;
    case tagInt32:
        V = Variant::Integer(ReadRaw<std::int32_t>(Stream));
        break;
    case tagInt64:
        V = Variant::Int64(ReadRaw<std::int64_t>(Stream));
        break;
    case tagExtended:
        V = Variant::Double(ReadFloatFunc(Stream));
        break;
    case tagString: {
        const std::size_t Length = CheckedCount(Stream, ReadByteFunc(Stream), 1);
        V = Variant::String(ReadChars(Stream, Length));
        break;
    }
    case tagLString:
        V = Variant::String(ReadAnsiStringFunc(Stream));
        break;
    case tagFalse:
        V = Variant::Boolean(false);
        break;
    case tagTrue:
        V = Variant::Boolean(true);
        break;
    case tagEmpty:
        V = Variant();
        break;
    case tagSingle:
        V = Variant::Single(ReadRaw<float>(Stream));
        break;
    case tagCurrency:
        V = Variant::Currency(ReadCurrencyFunc(Stream));
        break;
    case tagDate:
        V = Variant::Date(ReadDateTimeFunc(Stream));
        break;
    case tagWString:
        V = Variant::WideString(ReadWideStringFunc(Stream));
        break;
    default:
        ReadError();
    }
}

int CompareScalars(const Variant& A, const Variant& B) {
    if (A.IsEmpty() && B.IsEmpty()) return 0;
    if (A.IsEmpty()) return -1;
    if (B.IsEmpty()) return 1;
    if (A == B) return 0;
    if (A.IsNull()) return -1;
    if (B.IsNull()) return 1;
    return A < B ? -1 : 1;
}

} // namespace

int VarCompare(const Variant& A, const Variant& B) {
    if (A.IsArray() && B.IsArray()) {
        const int HighA = A.ArrayHighBound(), HighB = B.ArrayHighBound();
        if (HighA != HighB) return HighA - HighB;
        const int Count = HighA - A.ArrayLowBound() + 1;
        for (int I = 0; I < Count; ++I) {
            const int Result = VarCompare(A.Element(I), B.Element(I));
            if (Result != 0) return Result;
        }
        return 0;
    }
    if (A.IsArray()) return 1;
    if (B.IsArray()) return -1;
    return CompareScalars(A, B);
}

bool VarEquals(const Variant& A, const Variant& B) {
    return VarCompare(A, B) == 0;
}

bool VarEqualsExact(const Variant& A, const Variant& B) {
    if (!A.IsNull() && !B.IsNull() && (A.VarType() == varBoolean || B.VarType() == varBoolean) &&
        !A.IsArray() && !B.IsArray())
        return A.AsString() == B.AsString();
    return VarEquals(A, B);
}

bool VarTypeIsDateEx(TVarType VarType) {
    return VarType == varDate || VarType == platform::core::VarSQLTimeStamp();
}

bool VarIsDateEx(const Variant& V) {
    return VarTypeIsDateEx(V.VarType());
}

bool VarIsNumericEx(const Variant& V) {
    return V.IsNumeric() || V.VarType() == platform::core::VarFMTBcd();
}

bool VarIsSoftNull(const Variant& V) {
    return V.IsNull() || (V.IsStr() && V.AsString().empty());
}

const std::string& cxBooleanText(bool Value) {
    static const std::string Texts[2] = {"False", "True"};
    return Texts[Value ? 1 : 0];
}

void WriteVariant(TStream& Stream, const Variant& V) {
    if (V.IsArray()) {
        if (V.ArrayDimCount() != 1)
            throw EWriteError(toolkit::base::cxGetResourceString(cxSDataWriteError));
        const int Count = V.ArrayHighBound() - V.ArrayLowBound() + 1;
        WriteByteProc(Stream, tagList);
        WriteTaggedInteger(Stream, Count);
        for (int I = 0; I < Count; ++I)
            WriteVariant(Stream, V.Element(I));
        return;
    }
    switch (V.VarType()) {
    case varEmpty:
        WriteByteProc(Stream, tagEmpty);
        break;
    case varNull:
        WriteByteProc(Stream, tagNull);
        break;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        WriteTaggedInteger(Stream, V.AsInt64());
        break;
    case varSingle:
        WriteByteProc(Stream, tagSingle);
        WriteRaw<float>(Stream, static_cast<float>(V.AsDouble()));
        break;
    case varDouble:
        WriteByteProc(Stream, tagExtended);
        WriteFloatProc(Stream, V.AsDouble());
        break;
    case varCurrency:
        WriteByteProc(Stream, tagCurrency);
        WriteCurrencyProc(Stream, V.AsCurrencyScaled());
        break;
    case varDate:
        WriteByteProc(Stream, tagDate);
        WriteDateTimeProc(Stream, V.AsDouble());
        break;
    case varOleStr:
        WriteByteProc(Stream, tagWString);
        WriteWideStringProc(Stream, V.AsWideString());
        break;
    case varBoolean:
        WriteByteProc(Stream, V.AsBoolean() ? tagTrue : tagFalse);
        break;
    default:
        if (V.VarType() == platform::core::VarSQLTimeStamp()) {
            WriteByteProc(Stream, tagDate);
            WriteDateTimeProc(Stream, V.AsDouble());
        } else {
            // A packed decimal among them: its text keeps every digit.
            WriteString(Stream, V.AsString());
        }
        break;
    }
}

void ReadVariant(TStream& Stream, Variant& V) {
    ReadVariantAt(Stream, V, 0);
}

std::array<std::uint8_t, 10> DoubleToExtended(double Value) {
    std::uint64_t Bits = 0;
    std::memcpy(&Bits, &Value, 8);
    const std::uint16_t Sign = (Bits >> 63) ? 0x8000 : 0;
    const int Exponent = static_cast<int>((Bits >> 52) & 0x7FF);
    const std::uint64_t Fraction = Bits & ((std::uint64_t{1} << 52) - 1);
    std::uint64_t Mantissa = 0;
    int Biased = 0;
    if (Exponent == 0x7FF) {
        Biased = 0x7FFF;
        Mantissa = (std::uint64_t{1} << 63) | (Fraction << 11);
    } else if (Exponent == 0 && Fraction == 0) {
        Biased = 0;
    } else if (Exponent == 0) {
        // Subnormal doubles are normal extended values: shift the leading one to bit 63.
        Mantissa = Fraction << 11;
        int Shift = 0;
        while (!(Mantissa >> 63)) {
            Mantissa <<= 1;
            ++Shift;
        }
        Biased = -1022 - Shift + 16383;
    } else {
        Mantissa = (std::uint64_t{1} << 63) | (Fraction << 11);
        Biased = Exponent - 1023 + 16383;
    }
    std::array<std::uint8_t, 10> Bytes{};
    for (int I = 0; I < 8; ++I)
        Bytes[I] = static_cast<std::uint8_t>(Mantissa >> (8 * I));
    const std::uint16_t High = static_cast<std::uint16_t>(Sign | Biased);
    Bytes[8] = static_cast<std::uint8_t>(High);
    Bytes[9] = static_cast<std::uint8_t>(High >> 8);
    return Bytes;
}

double ExtendedToDouble(const std::array<std::uint8_t, 10>& Bytes) {
    std::uint64_t Mantissa = 0;
    for (int I = 7; I >= 0; --I)
        Mantissa = (Mantissa << 8) | Bytes[I];
    const int High = Bytes[8] | (Bytes[9] << 8);
    const bool Negative = (High & 0x8000) != 0;
    const int Biased = High & 0x7FFF;
    double Magnitude = 0;
    if (Biased == 0x7FFF) {
        Magnitude = (Mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                         : std::numeric_limits<double>::quiet_NaN();
    } else if (Mantissa != 0) {
        // Exponent 0 holds the extended format's own subnormals, scaled as exponent 1.
        const int Exponent = (Biased == 0 ? 1 : Biased) - 16383 - 63;
        Magnitude = std::ldexp(static_cast<double>(Mantissa), Exponent);
    }
    return Negative ? -Magnitude : Magnitude;
}

std::uint8_t ReadByteFunc(TStream& Stream) {
    return ReadRaw<std::uint8_t>(Stream);
}
std::int16_t ReadSmallIntFunc(TStream& Stream) {
    return ReadRaw<std::int16_t>(Stream);
}
std::uint16_t ReadWordFunc(TStream& Stream) {
    return ReadRaw<std::uint16_t>(Stream);
}
std::int32_t ReadIntegerFunc(TStream& Stream) {
    return ReadRaw<std::int32_t>(Stream);
}
std::int64_t ReadLargeIntFunc(TStream& Stream) {
    return ReadRaw<std::int64_t>(Stream);
}
double ReadFloatFunc(TStream& Stream) {
    std::array<std::uint8_t, 10> Bytes{};
    Stream.ReadBuffer(Bytes.data(), Bytes.size());
    return ExtendedToDouble(Bytes);
}
std::int64_t ReadCurrencyFunc(TStream& Stream) {
    return ReadRaw<std::int64_t>(Stream);
}
double ReadDateTimeFunc(TStream& Stream) {
    return ReadRaw<double>(Stream);
}
std::string ReadAnsiStringFunc(TStream& Stream) {
    const std::size_t Length = CheckedCount(Stream, ReadRaw<std::int32_t>(Stream), 1);
    return ReadChars(Stream, Length);
}
std::u16string ReadWideStringFunc(TStream& Stream) {
    const std::size_t Count = CheckedCount(Stream, ReadRaw<std::int32_t>(Stream), 2);
    std::u16string Text(Count, u'\0');
    for (char16_t& Unit : Text)
        Unit = static_cast<char16_t>(ReadRaw<std::uint16_t>(Stream));
    return Text;
}

void WriteByteProc(TStream& Stream, std::uint8_t Value) {
    WriteRaw(Stream, Value);
}
void WriteSmallIntProc(TStream& Stream, std::int16_t Value) {
    WriteRaw(Stream, Value);
}
void WriteWordProc(TStream& Stream, std::uint16_t Value) {
    WriteRaw(Stream, Value);
}
void WriteIntegerProc(TStream& Stream, std::int32_t Value) {
    WriteRaw(Stream, Value);
}
void WriteLargeIntProc(TStream& Stream, std::int64_t Value) {
    WriteRaw(Stream, Value);
}
void WriteFloatProc(TStream& Stream, double Value) {
    const auto Bytes = DoubleToExtended(Value);
    Stream.WriteBuffer(Bytes.data(), Bytes.size());
}
void WriteCurrencyProc(TStream& Stream, std::int64_t Value) {
    WriteRaw(Stream, Value);
}
void WriteDateTimeProc(TStream& Stream, double Value) {
    WriteRaw(Stream, Value);
}
void WriteAnsiStringProc(TStream& Stream, const std::string& Value) {
    WriteRaw<std::int32_t>(Stream, static_cast<std::int32_t>(Value.size()));
    Stream.WriteBuffer(Value.data(), Value.size());
}
void WriteWideStringProc(TStream& Stream, const std::u16string& Value) {
    WriteRaw<std::int32_t>(Stream, static_cast<std::int32_t>(Value.size()));
    for (char16_t Unit : Value)
        WriteRaw<std::uint16_t>(Stream, Unit);
}

} // namespace toolkit::edit
