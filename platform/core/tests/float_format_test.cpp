#include "platform/core/float_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace platform::core {
namespace {

TFormatSettings Dot() {
    return TFormatSettings{};
}

TFormatSettings Comma() {
    TFormatSettings S;
    S.DecimalSeparator = ',';
    S.ThousandSeparator = '.';
    return S;
}

struct FormatCase {
    const char* Format;
    double Value;
    const char* Expected;
};

TEST(FormatFloatTest, FollowsTheFormatString) {
    const FormatCase Cases[] = {
        // Digit placeholders: '0' always shows, '#' only a digit the number has.
        {"0", 12.0, "12"},
        {"0000", 12.0, "0012"},
        {"#0#", 5.0, "05"},
        {"0.00", 3.0, "3.00"},
        {"0.00", 3.14159, "3.14"},
        {"0.##", 3.1, "3.1"},
        {"0.##", 3.0, "3"},
        {"0.0#", 3.0, "3.0"},
        {"0.00", 1234567.891, "1234567.89"},
        // Rounding goes half away from zero, on the decimal number the double stands for.
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.00", 1.005, "1.01"},
        {"0.00", 0.125, "0.13"},
        {"0.0", 9.96, "10.0"},
        {"0", 0.4, "0"},
        // Digits with no placeholder before the point, and none at all before it.
        {"#.##", 0.5, ".5"},
        {".00", 12.5, "12.50"},
        {"#", 0.0, ""},
        // Thousands grouping, wherever the ',' stands among the placeholders.
        {"#,##0", 1234567.0, "1,234,567"},
        {"#,##0.00", -1234.5, "-1,234.50"},
        {"0,", 1000.0, "1,000"},
        {"#,##0", 999.0, "999"},
        // Sections: positive; negative; zero.
        {"0.00;(0.00)", -3.5, "(3.50)"},
        {"0.00;(0.00);'nil'", 0.0, "nil"},
        {"0.00;;'nil'", -3.5, "-3.50"},
        {"0.00;(0.00);", 0.0, "0.00"},
        // A negative number that rounds to zero is zero: no sign, the zero section if any.
        {"0.00", -0.001, "0.00"},
        {"0", -0.4, "0"},
        {"0.00;(0.00)", -0.001, "0.00"},
        {"0.00;(0.00);'nil'", -0.001, "nil"},
        {"0.00;(0.00);'nil'", 0.001, "nil"},
        // Literal text: quoted placeholders and separators are copied as they stand.
        {"'#'0", 5.0, "#5"},
        {"\"0.0;\"0", 7.0, "0.0;7"},
        {"0 'kg'", 12.0, "12 kg"},
        {"0-0", 12.0, "1-2"},
        {"$0.00", 4.5, "$4.50"},
        {"0.00x", -4.5, "-4.50x"},
        // Scientific.
        {"0.00E+00", 12345.0, "1.23E+04"},
        {"0.00E+00", 0.00012345, "1.23E-04"},
        {"0.00E-00", 12345.0, "1.23E04"},
        {"0.0e-0", 0.00012345, "1.2e-4"},
        {"0.00E+00", 9.999, "1.00E+01"},
        {"00.0E+0", 12345.0, "12.3E+3"},
        {"0.0E+0", 0.0, "0.0E+0"},
        {"0.0E+0", -12345.0, "-1.2E+4"},
        // An empty format and a value beyond a fixed format's reach: the general format.
        {"", 1234.5, "1234.5"},
        {"", 0.1 + 0.2, "0.3"},
        {"0.00", 1e20, "1E20"},
        {"0.00E+00", 1e20, "1.00E+20"},
    };
    for (const FormatCase& C : Cases)
        EXPECT_EQ(FormatFloat(C.Format, C.Value, Dot()), C.Expected)
            << "'" << C.Format << "' of " << C.Value;
}

TEST(FormatFloatTest, SeparatorsComeFromTheSettings) {
    const FormatCase Cases[] = {
        {"0.00", 3.5, "3,50"},
        {"#,##0.00", 1234567.891, "1.234.567,89"},
        {"0.00E+00", 12345.0, "1,23E+04"},
        {"'.,'0.0", 2.0, ".,2,0"},
        {"", 2.5, "2,5"},
    };
    for (const FormatCase& C : Cases)
        EXPECT_EQ(FormatFloat(C.Format, C.Value, Comma()), C.Expected)
            << "'" << C.Format << "' of " << C.Value;
}

TEST(FormatFloatTest, ValuesThatAreNoNumbersGiveTheirNames) {
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN(), Dot()), "NAN");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity(), Dot()), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity(), Dot()), "-INF");
}

TEST(FormatFloatTest, TakesTheSettingsInForceByDefault) {
    FormatSettingsOverride Override(Comma());
    EXPECT_EQ(FormatFloat("0.0", 1.25), "1,3");
    EXPECT_EQ(FloatToStrGeneral(1.25, 15), "1,25");
}

struct GeneralCase {
    double Value;
    int Precision;
    const char* Expected;
};

TEST(FloatToStrGeneralTest, IsFixedWithinThePrecisionElseScientific) {
    const GeneralCase Cases[] = {
        {0.0, 15, "0"},
        {-0.0, 15, "0"},
        {12.5, 15, "12.5"},
        {-12.5, 15, "-12.5"},
        {100.0, 15, "100"},
        {1.0 / 3.0, 15, "0.333333333333333"},
        {2.0 / 3.0, 4, "0.6667"},
        {123456.0, 4, "1.235E5"},
        {999999999999999.0, 15, "999999999999999"},
        {1e15, 15, "1E15"},
        {0.00001, 15, "0.00001"},
        {0.000001, 15, "1E-6"},
        {-1.5e-7, 15, "-1.5E-7"},
        {9.99999, 3, "10"},
        {0.1 + 0.2, 15, "0.3"},
    };
    for (const GeneralCase& C : Cases)
        EXPECT_EQ(FloatToStrGeneral(C.Value, C.Precision, Dot()), C.Expected)
            << C.Value << " to " << C.Precision;
    EXPECT_EQ(FloatToStrGeneral(12.5, 15, Comma()), "12,5");
}

TEST(FloatToStrGeneralTest, PackedDecimalsKeepTheirExactDigits) {
    struct {
        const char* Text;
        int Precision;
        const char* Expected;
    } const Cases[] = {
        {"12345678901234567890.5", 15, "1.23456789012346E19"},
        {"1234567890123.25", 15, "1234567890123.25"},
        {"-0.0000125", 15, "-0.0000125"},
        {"0.000001", 15, "1E-6"},
        {"2.5", 1, "3"},
        {"0", 15, "0"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(BcdToStrGeneral(StrToBcd(C.Text), C.Precision, Dot()), C.Expected) << C.Text;
    EXPECT_EQ(BcdToStrGeneral(StrToBcd("-7.25"), 15, Comma()), "-7,25");
}

} // namespace
} // namespace platform::core
