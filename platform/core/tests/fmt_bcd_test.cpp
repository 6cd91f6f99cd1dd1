#include "platform/core/fmt_bcd.h"
#include "platform/core/sql_time_stamp.h"

#include <gtest/gtest.h>

namespace platform::core {
namespace {

TEST(FmtBcdTest, TextsRoundTripInTheirShortestForm) {
    const std::pair<const char*, const char*> Cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"007.500", "7.5"},
        {"-.25", "-0.25"},
        {"1.5E+20", "150000000000000000000"},
        {"1.5E-3", "0.0015"},
        {"+42", "42"},
        {"1234567890123456789012345678901234567890.123456789012345678901234",
         "1234567890123456789012345678901234567890.123456789012345678901234"}};
    for (const auto& [Text, Shortest] : Cases)
        EXPECT_EQ(BcdToStr(StrToBcd(Text)), Shortest) << Text;
}

TEST(FmtBcdTest, PacksDigitsHighNibbleFirst) {
    const TBcd Bcd = StrToBcd("-12.345");
    EXPECT_EQ(Bcd.Precision, 5);
    EXPECT_EQ(Bcd.SignSpecialPlaces, 0x80 | 3);
    EXPECT_EQ(Bcd.Fraction[0], 0x12);
    EXPECT_EQ(Bcd.Fraction[1], 0x34);
    EXPECT_EQ(Bcd.Fraction[2], 0x50);
    EXPECT_DOUBLE_EQ(BcdToDouble(Bcd), -12.345);
}

TEST(FmtBcdTest, RefusesWhatIsNoNumber) {
    for (const char* Text : {"", "-", "1.2.3", "12a", "1E", "1E99"})
        EXPECT_THROW(StrToBcd(Text), EBcdException) << Text;
}

TEST(FmtBcdTest, ComparesByValue) {
    EXPECT_LT(BcdCompare(StrToBcd("-2"), StrToBcd("-1.5")), 0);
    EXPECT_GT(BcdCompare(StrToBcd("10"), StrToBcd("9.99")), 0);
    EXPECT_EQ(BcdCompare(StrToBcd("-0"), StrToBcd("0.000")), 0);
    EXPECT_LT(BcdCompare(StrToBcd("0.1"), StrToBcd("0.10000001")), 0);
}

TEST(SqlTimeStampTest, FieldsRoundTripToTheMillisecond) {
    const TDateTime Moment = EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 58, 999);
    const TSQLTimeStamp T = DateTimeToSQLTimeStamp(Moment);
    EXPECT_EQ(T.Year, 2024);
    EXPECT_EQ(T.Month, 2);
    EXPECT_EQ(T.Day, 29);
    EXPECT_EQ(T.Hour, 23);
    EXPECT_EQ(T.Minute, 59);
    EXPECT_EQ(T.Second, 58);
    EXPECT_EQ(T.Fractions, 999u);
    EXPECT_NEAR(SQLTimeStampToDateTime(T), Moment, 1e-9);
    EXPECT_EQ(SQLTimeStampToDateTime(TSQLTimeStamp{}), 0);
    TSQLTimeStamp Bad = T;
    Bad.Month = 13;
    EXPECT_THROW(SQLTimeStampToDateTime(Bad), EConvertError);
}

} // namespace
} // namespace platform::core
