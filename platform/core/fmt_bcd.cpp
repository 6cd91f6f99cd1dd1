#include "platform/core/fmt_bcd.h"

#include <cstdlib>

namespace platform::core {
namespace {

// A number as sign, integer digits and fraction digits, neither with needless zeros.
struct TDecimal {
    bool Negative = false;
    std::string Integer;
    std::string Fraction;
};

void Normalise(TDecimal& D) {
    const std::size_t First = D.Integer.find_first_not_of('0');
    D.Integer.erase(0, First == std::string::npos ? D.Integer.size() : First);
    const std::size_t Last = D.Fraction.find_last_not_of('0');
    D.Fraction.erase(Last == std::string::npos ? 0 : Last + 1);
    if (D.Integer.empty() && D.Fraction.empty()) D.Negative = false;
}

[[noreturn]] void NotANumber(const std::string& Text) {
    throw EBcdException("'" + Text + "' is not a valid BCD value");
}

TDecimal Parse(const std::string& Text) {
    TDecimal D;
    std::size_t I = 0;
    if (I < Text.size() && (Text[I] == '-' || Text[I] == '+')) D.Negative = Text[I++] == '-';
    std::string Digits;
    long Point = -1;
    for (; I < Text.size() && Text[I] != 'e' && Text[I] != 'E'; ++I) {
        if (Text[I] == '.' && Point < 0) {
            Point = static_cast<long>(Digits.size());
        } else if (Text[I] >= '0' && Text[I] <= '9') {
            Digits += Text[I];
        } else {
            NotANumber(Text);
        }
    }
    if (Digits.empty()) NotANumber(Text);
    if (Point < 0) Point = static_cast<long>(Digits.size());
    if (I < Text.size()) {
        const std::string Exponent = Text.substr(I + 1);
        char* End = nullptr;
        const long E = std::strtol(Exponent.c_str(), &End, 10);
        if (Exponent.empty() || *End != 0 || E > 64 || E < -64) NotANumber(Text);
        Point += E;
    }
    if (Point < 0) {
        Digits.insert(0, static_cast<std::size_t>(-Point), '0');
        Point = 0;
    }
    if (Point > static_cast<long>(Digits.size())) Digits.append(Point - Digits.size(), '0');
    D.Integer = Digits.substr(0, static_cast<std::size_t>(Point));
    D.Fraction = Digits.substr(static_cast<std::size_t>(Point));
    Normalise(D);
    if (D.Integer.size() + D.Fraction.size() > 64) NotANumber(Text);
    return D;
}

TDecimal Unpack(const TBcd& Bcd) {
    TDecimal D;
    const int Places = Bcd.SignSpecialPlaces & 0x3F;
    const int Precision = Bcd.Precision > 64 ? 64 : Bcd.Precision;
    for (int I = 0; I < Precision; ++I) {
        const std::uint8_t Byte = Bcd.Fraction[I / 2];
        const char Digit = static_cast<char>('0' + ((I % 2 == 0 ? Byte >> 4 : Byte) & 0x0F) % 10);
        (I < Precision - Places ? D.Integer : D.Fraction) += Digit;
    }
    D.Negative = (Bcd.SignSpecialPlaces & 0x80) != 0;
    Normalise(D);
    return D;
}

} // namespace

TBcd StrToBcd(const std::string& Text) {
    const TDecimal D = Parse(Text);
    TBcd Bcd;
    const std::string Digits =
        D.Integer.empty() && D.Fraction.empty() ? "0" : D.Integer + D.Fraction;
    Bcd.Precision = static_cast<std::uint8_t>(Digits.size());
    Bcd.SignSpecialPlaces =
        static_cast<std::uint8_t>((D.Negative ? 0x80 : 0) | static_cast<int>(D.Fraction.size()));
    for (std::size_t I = 0; I < Digits.size(); ++I)
        Bcd.Fraction[I / 2] |= static_cast<std::uint8_t>((Digits[I] - '0') << (I % 2 == 0 ? 4 : 0));
    return Bcd;
}

std::string BcdToStr(const TBcd& Bcd) {
    const TDecimal D = Unpack(Bcd);
    std::string Text = D.Negative ? "-" : "";
    Text += D.Integer.empty() ? "0" : D.Integer;
    if (!D.Fraction.empty()) Text += "." + D.Fraction;
    return Text;
}

double BcdToDouble(const TBcd& Bcd) {
    return std::strtod(BcdToStr(Bcd).c_str(), nullptr);
}

int BcdCompare(const TBcd& A, const TBcd& B) {
    const TDecimal X = Unpack(A), Y = Unpack(B);
    if (X.Negative != Y.Negative) return X.Negative ? -1 : 1;
    int Magnitude = 0;
    if (X.Integer.size() != Y.Integer.size()) {
        Magnitude = X.Integer.size() < Y.Integer.size() ? -1 : 1;
    } else {
        const int C = (X.Integer + X.Fraction).compare(Y.Integer + Y.Fraction);
        // Equal integer parts of equal length: the fractions, as written, order the numbers.
        Magnitude = C < 0 ? -1 : (C > 0 ? 1 : 0);
    }
    return X.Negative ? -Magnitude : Magnitude;
}

} // namespace platform::core
