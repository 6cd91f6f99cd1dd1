#include "platform/core/float_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform::core {
namespace {

// 0.Digits times ten to the Exponent: Digits has no leading or trailing zeros; zero has none
// and the exponent 0.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;

    bool IsZero() const { return Digits.empty(); }
};

void Normalise(TDecimal& D) {
    const std::size_t First = D.Digits.find_first_not_of('0');
    if (First == std::string::npos) {
        D.Digits.clear();
        D.Exponent = 0;
        return;
    }
    D.Digits.erase(0, First);
    D.Exponent -= static_cast<int>(First);
    D.Digits.erase(D.Digits.find_last_not_of('0') + 1);
}

// The double to 15 significant digits: more than a double holds would show its binary noise.
TDecimal FromDouble(double Value) {
    TDecimal D;
    D.Negative = Value < 0;
    if (Value == 0) return D;
    char Buffer[40];
    std::snprintf(Buffer, sizeof Buffer, "%.14e", std::fabs(Value));
    // d.dddddddddddddde+XX
    D.Digits = std::string(1, Buffer[0]) + std::string(Buffer + 2, 14);
    D.Exponent = std::atoi(Buffer + 17) + 1;
    Normalise(D);
    return D;
}

TDecimal FromBcd(const TBcd& Bcd) {
    const std::string Text = BcdToStr(Bcd);
    TDecimal D;
    std::size_t I = 0;
    if (!Text.empty() && Text[0] == '-') {
        D.Negative = true;
        I = 1;
    }
    const std::size_t Point = Text.find('.');
    const std::string Integer =
        Text.substr(I, Point == std::string::npos ? std::string::npos : Point - I);
    D.Digits = Integer + (Point == std::string::npos ? std::string() : Text.substr(Point + 1));
    D.Exponent = static_cast<int>(Integer.size());
    Normalise(D);
    if (D.IsZero()) D.Negative = false;
    return D;
}

// Keeps Count significant digits, the next one rounding half away from zero; Count below zero
// leaves zero.
void RoundToDigits(TDecimal& D, int Count) {
    if (D.IsZero() || Count >= static_cast<int>(D.Digits.size())) return;
    if (Count < 0) {
        D.Digits.clear();
        Normalise(D);
        return;
    }
    const bool Up = D.Digits[static_cast<std::size_t>(Count)] >= '5';
    D.Digits.resize(static_cast<std::size_t>(Count));
    if (Up) {
        int I = Count - 1;
        while (I >= 0 && D.Digits[static_cast<std::size_t>(I)] == '9')
            D.Digits[static_cast<std::size_t>(I--)] = '0';
        if (I >= 0) {
            ++D.Digits[static_cast<std::size_t>(I)];
        } else {
            D.Digits.insert(D.Digits.begin(), '1');
            ++D.Exponent;
        }
    }
    Normalise(D);
}

// The digit at place Index of 0.Digits (0 the first), zero outside them.
char DigitAt(const TDecimal& D, int Index) {
    return Index >= 0 && Index < static_cast<int>(D.Digits.size())
               ? D.Digits[static_cast<std::size_t>(Index)]
               : '0';
}

std::string General(TDecimal D, int Precision, const TFormatSettings& Settings) {
    Precision = std::clamp(Precision, 1, 18);
    RoundToDigits(D, Precision);
    if (D.IsZero()) return "0";
    std::string Text = D.Negative ? "-" : "";
    if (D.Exponent > Precision || D.Exponent < -4) {
        Text += D.Digits[0];
        if (D.Digits.size() > 1) Text += Settings.DecimalSeparator + D.Digits.substr(1);
        const int Exponent = D.Exponent - 1;
        return Text + "E" + std::to_string(Exponent);
    }
    if (D.Exponent <= 0) {
        Text += "0";
        Text += Settings.DecimalSeparator;
        return Text + std::string(static_cast<std::size_t>(-D.Exponent), '0') + D.Digits;
    }
    for (int I = 0; I < D.Exponent; ++I)
        Text += DigitAt(D, I);
    if (static_cast<int>(D.Digits.size()) > D.Exponent)
        Text += Settings.DecimalSeparator + D.Digits.substr(static_cast<std::size_t>(D.Exponent));
    return Text;
}

std::string NotFinite(double Value) {
    if (std::isnan(Value)) return "NAN";
    return Value > 0 ? "INF" : "-INF";
}

// The format's sections at the unquoted ';'.
std::vector<std::string_view> Sections(std::string_view Format) {
    std::vector<std::string_view> Result;
    std::size_t Start = 0;
    char Quote = 0;
    for (std::size_t I = 0; I < Format.size(); ++I) {
        const char C = Format[I];
        if (Quote) {
            if (C == Quote) Quote = 0;
        } else if (C == '\'' || C == '"') {
            Quote = C;
        } else if (C == ';') {
            Result.push_back(Format.substr(Start, I - Start));
            Start = I + 1;
        }
    }
    Result.push_back(Format.substr(Start));
    return Result;
}

bool IsScientificAt(std::string_view Section, std::size_t I) {
    return (Section[I] == 'E' || Section[I] == 'e') && I + 1 < Section.size() &&
           (Section[I + 1] == '+' || Section[I + 1] == '-');
}

// What a section asks of the number.
struct TLayout {
    int IntegerPlaceholders = 0;
    int MinIntegerDigits = 0;
    int FractionPlaceholders = 0;
    int MinFractionDigits = 0;
    bool Grouping = false;
    bool Scientific = false;
    bool HasPoint = false;
};

TLayout Analyse(std::string_view Section) {
    TLayout L;
    int FirstIntegerZero = -1;
    char Quote = 0;
    for (std::size_t I = 0; I < Section.size(); ++I) {
        const char C = Section[I];
        if (Quote) {
            if (C == Quote) Quote = 0;
        } else if (C == '\'' || C == '"') {
            Quote = C;
        } else if (C == '0' || C == '#') {
            if (L.HasPoint) {
                ++L.FractionPlaceholders;
                if (C == '0') L.MinFractionDigits = L.FractionPlaceholders;
            } else {
                if (C == '0' && FirstIntegerZero < 0) FirstIntegerZero = L.IntegerPlaceholders;
                ++L.IntegerPlaceholders;
            }
        } else if (C == '.') {
            L.HasPoint = true;
        } else if (C == ',') {
            L.Grouping = true;
        } else if (IsScientificAt(Section, I)) {
            L.Scientific = true;
            break;
        }
    }
    if (FirstIntegerZero >= 0) L.MinIntegerDigits = L.IntegerPlaceholders - FirstIntegerZero;
    return L;
}

// Writes the number (its rounded digits D, the exponent of a scientific layout) into the
// section's placeholders and copies the rest.
std::string Render(std::string_view Section, const TLayout& L, const TDecimal& D, int Exponent,
                   bool Minus, const TFormatSettings& Settings) {
    std::string Integer;
    for (int I = 0; I < D.Exponent; ++I)
        Integer += DigitAt(D, I);
    if (static_cast<int>(Integer.size()) < L.MinIntegerDigits)
        Integer.insert(0, static_cast<std::size_t>(L.MinIntegerDigits) - Integer.size(), '0');
    std::string Fraction;
    for (int I = 0; I < L.FractionPlaceholders; ++I)
        Fraction += DigitAt(D, D.Exponent + I);
    while (static_cast<int>(Fraction.size()) > L.MinFractionDigits && Fraction.back() == '0')
        Fraction.pop_back();

    std::string Out = Minus ? "-" : "";
    const int Length = static_cast<int>(Integer.size());
    auto EmitInteger = [&](int From, int To) {
        for (int J = std::max(From, 0); J < To; ++J) {
            Out += Integer[static_cast<std::size_t>(J)];
            const int Right = Length - 1 - J;
            if (L.Grouping && Right > 0 && Right % 3 == 0) Out += Settings.ThousandSeparator;
        }
    };
    int IntegerSeen = 0, FractionSeen = 0;
    bool PointSeen = false, ExponentDone = false;
    char Quote = 0;
    for (std::size_t I = 0; I < Section.size(); ++I) {
        const char C = Section[I];
        if (Quote) {
            if (C == Quote)
                Quote = 0;
            else
                Out += C;
        } else if (C == '\'' || C == '"') {
            Quote = C;
        } else if ((C == '0' || C == '#') && !ExponentDone) {
            if (PointSeen) {
                if (FractionSeen < static_cast<int>(Fraction.size()))
                    Out += Fraction[static_cast<std::size_t>(FractionSeen)];
                ++FractionSeen;
            } else {
                // Placeholders take the integer digits from the right; the leftmost takes all
                // the digits that remain.
                const int FromRight = L.IntegerPlaceholders - 1 - IntegerSeen;
                const int Last = Length - FromRight;
                EmitInteger(IntegerSeen == 0 ? 0 : Last - 1, Last);
                ++IntegerSeen;
            }
        } else if (C == '.' && !ExponentDone) {
            if (!PointSeen) {
                if (L.IntegerPlaceholders == 0) EmitInteger(0, Length);
                if (!Fraction.empty()) Out += Settings.DecimalSeparator;
                PointSeen = true;
            }
        } else if (C == ',' && !ExponentDone) {
        } else if (L.Scientific && !ExponentDone && IsScientificAt(Section, I)) {
            Out += C;
            const bool Plus = Section[I + 1] == '+';
            ++I;
            if (Exponent < 0)
                Out += '-';
            else if (Plus)
                Out += '+';
            std::size_t Zeros = 0;
            while (I + 1 < Section.size() && Section[I + 1] == '0') {
                ++Zeros;
                ++I;
            }
            const std::string Digits = std::to_string(std::abs(Exponent));
            if (Digits.size() < Zeros) Out.append(Zeros - Digits.size(), '0');
            Out += Digits;
            ExponentDone = true;
        } else {
            Out += C;
        }
    }
    return Out;
}

} // namespace

std::string FloatToStrGeneral(double Value, int Precision, const TFormatSettings& Settings) {
    if (!std::isfinite(Value)) return NotFinite(Value);
    return General(FromDouble(Value), Precision, Settings);
}

std::string BcdToStrGeneral(const TBcd& Bcd, int Precision, const TFormatSettings& Settings) {
    return General(FromBcd(Bcd), Precision, Settings);
}

std::string FormatFloat(std::string_view Format, double Value, const TFormatSettings& Settings) {
    if (!std::isfinite(Value)) return NotFinite(Value);
    if (Format.empty()) return FloatToStrGeneral(Value, 15, Settings);
    const std::vector<std::string_view> All = Sections(Format);
    auto SectionAt = [&](std::size_t Index) {
        return Index < All.size() && !All[Index].empty() ? All[Index] : All[0];
    };
    const TDecimal Exact = FromDouble(Value);
    std::string_view Section = SectionAt(Exact.IsZero() ? 2 : Exact.Negative ? 1 : 0);
    bool Minus = Exact.Negative && Section.data() == All[0].data();

    bool RoundedAway = false;
    for (;;) {
        const TLayout L = Analyse(Section);
        TDecimal D = RoundedAway ? TDecimal() : Exact;
        int Exponent = 0;
        if (L.Scientific) {
            if (!D.IsZero()) {
                Exponent = D.Exponent - L.IntegerPlaceholders;
                D.Exponent = L.IntegerPlaceholders;
                RoundToDigits(D, std::max(L.IntegerPlaceholders + L.FractionPlaceholders, 1));
                if (D.Exponent > L.IntegerPlaceholders) {
                    ++Exponent;
                    D.Exponent = L.IntegerPlaceholders;
                }
            }
        } else {
            if (D.Exponent > 18) return FloatToStrGeneral(Value, 15, Settings);
            RoundToDigits(D, D.Exponent + L.FractionPlaceholders);
        }
        // A number that rounds away to nothing is zero: the zero section's, and never signed.
        if (D.IsZero() && !Exact.IsZero() && !RoundedAway) {
            RoundedAway = true;
            Minus = false;
            if (SectionAt(2).data() != Section.data()) {
                Section = SectionAt(2);
                continue;
            }
        }
        return Render(Section, L, D, Exponent, Minus, Settings);
    }
}

} // namespace platform::core
