#include "platform/core/variant.h"

#include "platform/core/date_time.h"
#include "platform/core/fmt_bcd.h"
#include "platform/core/sql_time_stamp.h"
#include "platform/core/text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace platform::core {

TVarType VarFMTBcd() {
    return 0x010F;
}

TVarType VarSQLTimeStamp() {
    return 0x0110;
}

namespace {

[[noreturn]] void CannotConvert() {
    throw EVariantError("Could not convert variant");
}

std::int64_t CutToWidth(TVarType Type, std::int64_t Value) {
    switch (Type) {
    case varSmallint:
        return static_cast<std::int16_t>(Value);
    case varInteger:
        return static_cast<std::int32_t>(Value);
    case varShortInt:
        return static_cast<std::int8_t>(Value);
    case varByte:
        return static_cast<std::uint8_t>(Value);
    case varWord:
        return static_cast<std::uint16_t>(Value);
    case varLongWord:
        return static_cast<std::uint32_t>(Value);
    default:
        return Value;
    }
}

// The class library's number parse: blanks around, an optional sign, digits with one '.', an
// optional exponent. Nothing else.
bool TextToFloat(const std::string& Text, double& Value) {
    const std::string T = Trim(Text);
    if (T.empty()) return false;
    for (char C : T)
        if (!((C >= '0' && C <= '9') || C == '.' || C == '-' || C == '+' || C == 'e' || C == 'E'))
            return false;
    char* End = nullptr;
    errno = 0;
    Value = std::strtod(T.c_str(), &End);
    return End == T.c_str() + T.size() && errno != ERANGE;
}

bool TextToInt64(const std::string& Text, std::int64_t& Value) {
    const std::string T = Trim(Text);
    if (T.empty()) return false;
    std::size_t I = (T[0] == '-' || T[0] == '+') ? 1 : 0;
    if (I == T.size()) return false;
    for (std::size_t J = I; J < T.size(); ++J)
        if (T[J] < '0' || T[J] > '9') return false;
    char* End = nullptr;
    errno = 0;
    Value = std::strtoll(T.c_str(), &End, 10);
    return errno != ERANGE;
}

std::string FloatText(double Value) {
    if (std::isnan(Value)) return "NAN";
    if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
    char Buffer[40];
    std::snprintf(Buffer, sizeof Buffer, "%.15G", Value);
    return Buffer;
}

std::string CurrencyText(std::int64_t Scaled) {
    const bool Negative = Scaled < 0;
    const std::uint64_t Magnitude =
        Negative ? 0 - static_cast<std::uint64_t>(Scaled) : static_cast<std::uint64_t>(Scaled);
    std::string Text = std::to_string(Magnitude / 10000);
    std::uint64_t Fraction = Magnitude % 10000;
    if (Fraction != 0) {
        std::string Digits = std::to_string(Fraction + 10000).substr(1);
        while (Digits.back() == '0')
            Digits.pop_back();
        Text += "." + Digits;
    }
    return Negative ? "-" + Text : Text;
}

void AppendUtf8(std::string& Out, char32_t C) {
    if (C < 0x80) {
        Out += static_cast<char>(C);
    } else if (C < 0x800) {
        Out += static_cast<char>(0xC0 | (C >> 6));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        Out += static_cast<char>(0xE0 | (C >> 12));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (C >> 18));
        Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    }
}

bool IsBcd(const Variant& V) {
    return V.VarType() == VarFMTBcd();
}

// A number the packed decimal compares exactly with.
bool IsExact(const Variant& V) {
    return V.IsOrdinal() || V.VarType() == varCurrency || IsBcd(V);
}

int Sign(int Value) {
    return Value < 0 ? -1 : (Value > 0 ? 1 : 0);
}

// -1, 0, 1 for two numbers; integers and packed decimals compare exactly.
int CompareNumbers(const Variant& A, const Variant& B) {
    if ((IsBcd(A) || IsBcd(B)) && IsExact(A) && IsExact(B))
        return Sign(BcdCompare(A.AsBcd(), B.AsBcd()));
    if (A.IsOrdinal() && B.IsOrdinal()) {
        const std::int64_t X = A.AsInt64(), Y = B.AsInt64();
        return X < Y ? -1 : (X > Y ? 1 : 0);
    }
    if (A.VarType() == varCurrency && B.VarType() == varCurrency) {
        const std::int64_t X = A.AsCurrencyScaled(), Y = B.AsCurrencyScaled();
        return X < Y ? -1 : (X > Y ? 1 : 0);
    }
    const double X = A.AsDouble(), Y = B.AsDouble();
    return X < Y ? -1 : (X > Y ? 1 : 0);
}

// The ordering shared by == and <, for two non-array variants that are not null or empty.
int CompareScalars(const Variant& A, const Variant& B) {
    if (A.IsStr() && B.IsStr()) {
        const std::string X = A.AsString(), Y = B.AsString();
        return X < Y ? -1 : (X > Y ? 1 : 0);
    }
    if (A.IsStr() || B.IsStr()) {
        const Variant& S = A.IsStr() ? A : B;
        double Number = 0;
        if (!TextToFloat(S.AsString(), Number)) {
            const std::string X = A.AsString(), Y = B.AsString();
            return X < Y ? -1 : (X > Y ? 1 : 0);
        }
        // A packed decimal meets the text's own digits, not their nearest double.
        Variant N = Variant::Double(Number);
        if (IsBcd(A) || IsBcd(B)) {
            try {
                N = Variant::Bcd(StrToBcd(Trim(S.AsString())));
            } catch (const EBcdException&) {
            }
        }
        return A.IsStr() ? CompareNumbers(N, B) : CompareNumbers(A, N);
    }
    return CompareNumbers(A, B);
}

} // namespace

Variant Variant::Null() {
    Variant V;
    V.FType = varNull;
    return V;
}

Variant Variant::Ordinal(TVarType Type, std::int64_t Value) {
    Variant V;
    V.FType = Type;
    V.FValue = CutToWidth(Type, Value);
    return V;
}

Variant Variant::Boolean(bool Value) {
    Variant V;
    V.FType = varBoolean;
    V.FValue = std::int64_t{Value ? 1 : 0};
    return V;
}

Variant Variant::Single(float Value) {
    Variant V;
    V.FType = varSingle;
    V.FValue = static_cast<double>(Value);
    return V;
}

Variant Variant::Double(double Value) {
    Variant V;
    V.FType = varDouble;
    V.FValue = Value;
    return V;
}

Variant Variant::Date(double Value) {
    Variant V;
    V.FType = varDate;
    V.FValue = Value;
    return V;
}

Variant Variant::Currency(std::int64_t Scaled) {
    Variant V;
    V.FType = varCurrency;
    V.FValue = Scaled;
    return V;
}

Variant Variant::String(std::string Value) {
    Variant V;
    V.FType = varString;
    V.FValue = std::move(Value);
    return V;
}

Variant Variant::WideString(std::u16string Value) {
    Variant V;
    V.FType = varOleStr;
    V.FValue = std::move(Value);
    return V;
}

Variant Variant::Bcd(const TBcd& Value) {
    Variant V;
    V.FType = VarFMTBcd();
    V.FValue = std::make_shared<const TBcd>(Value);
    return V;
}

Variant Variant::SQLTimeStamp(const TSQLTimeStamp& Value) {
    Variant V;
    V.FType = VarSQLTimeStamp();
    V.FValue = std::make_shared<const TSQLTimeStamp>(Value);
    return V;
}

Variant Variant::Array(std::vector<Variant> Items, int LowBound) {
    Variant V;
    V.FType = varArray | varVariant;
    auto Data = std::make_shared<TArray>();
    Data->Counts = {static_cast<int>(Items.size())};
    Data->LowBound = LowBound;
    Data->Items = std::move(Items);
    V.FValue = std::move(Data);
    return V;
}

Variant Variant::MultiArray(std::vector<int> Counts) {
    Variant V;
    V.FType = varArray | varVariant;
    auto Data = std::make_shared<TArray>();
    std::size_t Total = 1;
    for (int Count : Counts)
        Total *= static_cast<std::size_t>(Count < 0 ? 0 : Count);
    Data->Counts = std::move(Counts);
    Data->Items.resize(Total);
    V.FValue = std::move(Data);
    return V;
}

bool Variant::IsOrdinal() const {
    switch (FType) {
    case varSmallint:
    case varInteger:
    case varBoolean:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

bool Variant::IsFloat() const {
    return FType == varSingle || FType == varDouble || FType == varCurrency || FType == varDate;
}

bool Variant::IsNumeric() const {
    return IsOrdinal() || IsFloat();
}

const Variant::TArray& Variant::ArrayData() const {
    if (!IsArray()) throw EVariantError("Variant is not an array");
    return *std::get<std::shared_ptr<TArray>>(FValue);
}

int Variant::ArrayDimCount() const {
    return static_cast<int>(ArrayData().Counts.size());
}

int Variant::ArrayLowBound() const {
    return ArrayData().LowBound;
}

int Variant::ArrayHighBound() const {
    return ArrayData().LowBound + ArrayData().Counts.at(0) - 1;
}

const Variant& Variant::Element(int Index) const {
    return ArrayData().Items.at(static_cast<std::size_t>(Index));
}

Variant& Variant::Element(int Index) {
    ArrayData();
    auto& Data = std::get<std::shared_ptr<TArray>>(FValue);
    // Copies share their elements until one of them writes.
    if (Data.use_count() > 1) Data = std::make_shared<TArray>(*Data);
    return Data->Items.at(static_cast<std::size_t>(Index));
}

std::int64_t Variant::AsInt64() const {
    switch (FType) {
    case varEmpty:
        return 0;
    case varBoolean:
        return std::get<std::int64_t>(FValue) ? -1 : 0;
    case varCurrency:
        return std::llround(static_cast<double>(std::get<std::int64_t>(FValue)) / 10000.0);
    case varSingle:
    case varDouble:
    case varDate: {
        const double D = std::get<double>(FValue);
        if (!(D > -9.3e18 && D < 9.3e18)) CannotConvert();
        return std::llrint(D);
    }
    case varString:
    case varOleStr: {
        const std::string Text = AsString();
        std::int64_t I = 0;
        if (TextToInt64(Text, I)) return I;
        double D = 0;
        if (TextToFloat(Text, D) && D > -9.3e18 && D < 9.3e18) return std::llrint(D);
        CannotConvert();
    }
    default:
        if (IsOrdinal()) return std::get<std::int64_t>(FValue);
        if (FType == VarFMTBcd()) {
            // Whole numbers keep every digit; others round as their double does.
            std::int64_t I = 0;
            if (TextToInt64(AsString(), I)) return I;
            return Variant::Double(AsDouble()).AsInt64();
        }
        if (FType == VarSQLTimeStamp()) return Variant::Date(AsDouble()).AsInt64();
        CannotConvert();
    }
}

double Variant::AsDouble() const {
    switch (FType) {
    case varSingle:
    case varDouble:
    case varDate:
        return std::get<double>(FValue);
    case varCurrency:
        return static_cast<double>(std::get<std::int64_t>(FValue)) / 10000.0;
    case varString:
    case varOleStr: {
        double D = 0;
        if (TextToFloat(AsString(), D)) return D;
        CannotConvert();
    }
    default:
        if (IsOrdinal() || IsEmpty()) return static_cast<double>(AsInt64());
        if (FType == VarFMTBcd())
            return BcdToDouble(*std::get<std::shared_ptr<const TBcd>>(FValue));
        if (FType == VarSQLTimeStamp())
            return SQLTimeStampToDateTime(*std::get<std::shared_ptr<const TSQLTimeStamp>>(FValue));
        CannotConvert();
    }
}

bool Variant::AsBoolean() const {
    if (IsStr()) {
        const std::string Text = AsString();
        if (SameText(Text, "True")) return true;
        if (SameText(Text, "False")) return false;
    }
    if (FType == varBoolean) return std::get<std::int64_t>(FValue) != 0;
    return AsDouble() != 0;
}

std::int64_t Variant::AsCurrencyScaled() const {
    if (FType == varCurrency) return std::get<std::int64_t>(FValue);
    if (IsOrdinal() || IsEmpty()) return AsInt64() * 10000;
    const double D = AsDouble() * 10000.0;
    if (!(D > -9.2e18 && D < 9.2e18)) CannotConvert();
    return std::llrint(D);
}

TBcd Variant::AsBcd() const {
    if (FType == VarFMTBcd()) return *std::get<std::shared_ptr<const TBcd>>(FValue);
    if (IsNull()) CannotConvert();
    if (FType == varBoolean) return StrToBcd(AsBoolean() ? "-1" : "0");
    try {
        if (IsStr() || IsOrdinal() || IsEmpty() || FType == varCurrency)
            return StrToBcd(IsEmpty() ? "0" : AsString());
        return StrToBcd(FloatText(AsDouble()));
    } catch (const EBcdException&) {
        CannotConvert();
    }
}

TSQLTimeStamp Variant::AsSQLTimeStamp() const {
    if (FType == VarSQLTimeStamp()) return *std::get<std::shared_ptr<const TSQLTimeStamp>>(FValue);
    return DateTimeToSQLTimeStamp(AsDouble());
}

std::string Variant::AsString() const {
    switch (FType) {
    case varEmpty:
    case varNull:
        return "";
    case varBoolean:
        return std::get<std::int64_t>(FValue) ? "True" : "False";
    case varString:
        return std::get<std::string>(FValue);
    case varOleStr:
        return WideToAnsi(std::get<std::u16string>(FValue));
    case varSingle:
    case varDouble:
        return FloatText(std::get<double>(FValue));
    case varCurrency:
        return CurrencyText(std::get<std::int64_t>(FValue));
    case varDate: {
        const double D = std::get<double>(FValue);
        std::string Text = DateToStr(D);
        if (D != std::trunc(D)) Text += " " + TimeToStr(D);
        return Text;
    }
    default:
        if (IsOrdinal()) return std::to_string(std::get<std::int64_t>(FValue));
        if (FType == VarFMTBcd()) return BcdToStr(*std::get<std::shared_ptr<const TBcd>>(FValue));
        if (FType == VarSQLTimeStamp()) return Variant::Date(AsDouble()).AsString();
        CannotConvert();
    }
}

std::u16string Variant::AsWideString() const {
    if (FType == varOleStr) return std::get<std::u16string>(FValue);
    return AnsiToWide(AsString());
}

bool Variant::operator==(const Variant& Other) const {
    if (IsArray() || Other.IsArray()) return false;
    if (IsEmpty() || Other.IsEmpty()) return IsEmpty() && Other.IsEmpty();
    if (IsNull() || Other.IsNull()) return IsNull() && Other.IsNull();
    return CompareScalars(*this, Other) == 0;
}

bool Variant::operator<(const Variant& Other) const {
    if (IsArray() || Other.IsArray()) return false;
    if (IsEmpty() || Other.IsEmpty()) return !Other.IsEmpty();
    if (IsNull() || Other.IsNull()) return !Other.IsNull();
    return CompareScalars(*this, Other) < 0;
}

Variant VarAsType(const Variant& V, TVarType Type) {
    if (V.VarType() == Type) return V;
    if (V.IsNull() && Type != varNull) CannotConvert();
    switch (Type) {
    case varEmpty:
        return Variant();
    case varNull:
        return Variant::Null();
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return Variant::Ordinal(Type, V.AsInt64());
    case varBoolean:
        return Variant::Boolean(V.AsBoolean());
    case varSingle:
        return Variant::Single(static_cast<float>(V.AsDouble()));
    case varDouble:
        return Variant::Double(V.AsDouble());
    case varDate:
        return Variant::Date(V.AsDouble());
    case varCurrency:
        return Variant::Currency(V.AsCurrencyScaled());
    case varString:
        return Variant::String(V.AsString());
    case varOleStr:
        return Variant::WideString(V.AsWideString());
    case varVariant:
        return V;
    default:
        if (Type == VarFMTBcd()) return Variant::Bcd(V.AsBcd());
        if (Type == VarSQLTimeStamp()) return Variant::SQLTimeStamp(V.AsSQLTimeStamp());
        CannotConvert();
    }
}

std::u16string AnsiToWide(const std::string& S) {
    const std::string Utf8 = AnsiToUtf8(S);
    std::u16string Out;
    for (std::size_t I = 0; I < Utf8.size();) {
        const unsigned char C = static_cast<unsigned char>(Utf8[I]);
        char32_t Code = C;
        int Extra = 0;
        if (C >= 0xF0) {
            Code = C & 0x07;
            Extra = 3;
        } else if (C >= 0xE0) {
            Code = C & 0x0F;
            Extra = 2;
        } else if (C >= 0xC0) {
            Code = C & 0x1F;
            Extra = 1;
        }
        for (int K = 1; K <= Extra && I + K < Utf8.size(); ++K)
            Code = (Code << 6) | (static_cast<unsigned char>(Utf8[I + K]) & 0x3F);
        I += 1 + Extra;
        if (Code >= 0x10000) {
            Code -= 0x10000;
            Out += static_cast<char16_t>(0xD800 + (Code >> 10));
            Out += static_cast<char16_t>(0xDC00 + (Code & 0x3FF));
        } else {
            Out += static_cast<char16_t>(Code);
        }
    }
    return Out;
}

std::string WideToAnsi(const std::u16string& S) {
    std::string Utf8;
    for (std::size_t I = 0; I < S.size(); ++I) {
        char32_t Code = S[I];
        if (Code >= 0xD800 && Code < 0xDC00 && I + 1 < S.size() && S[I + 1] >= 0xDC00 &&
            S[I + 1] < 0xE000) {
            Code = 0x10000 + ((Code - 0xD800) << 10) + (S[I + 1] - 0xDC00);
            ++I;
        } else if (Code >= 0xD800 && Code < 0xE000) {
            Code = '?';
        }
        AppendUtf8(Utf8, Code);
    }
    return Utf8ToAnsi(Utf8);
}

} // namespace platform::core
