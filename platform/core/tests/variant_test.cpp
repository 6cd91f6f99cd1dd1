#include "platform/core/fmt_bcd.h"
#include "platform/core/sql_time_stamp.h"
#include "platform/core/streams.h"
#include "platform/core/variant.h"

#include <gtest/gtest.h>

namespace platform::core {
namespace {

TEST(VariantTest, ConvertsAsTheClassLibraryDoes) {
    EXPECT_EQ(VarAsType(Variant::String("12"), varInteger).AsInt64(), 12);
    EXPECT_EQ(VarAsType(Variant::String("12"), varInteger).VarType(), varInteger);
    EXPECT_THROW(VarAsType(Variant::String("abc"), varInteger), EVariantError);
    EXPECT_THROW(VarAsType(Variant::Null(), varInteger), EVariantError);
    EXPECT_EQ(Variant::Boolean(true).AsInt64(), -1);
    EXPECT_EQ(Variant::Boolean(false).AsString(), "False");
    EXPECT_EQ(Variant::Currency(-12345).AsString(), "-1.2345");
    EXPECT_EQ(Variant::Double(2.5).AsString(), "2.5");
    EXPECT_EQ(Variant::Ordinal(varByte, 300).AsInt64(), 44);
    EXPECT_EQ(Variant().AsString(), "");
    EXPECT_EQ(Variant::WideString(u"\u00e9").AsString(), "\xE9");
    EXPECT_EQ(Variant::String("\xE9").AsWideString(), u"\u00e9");
}

TEST(VariantTest, EqualityAndOrderAcrossKinds) {
    EXPECT_TRUE(Variant::Integer(3) == Variant::Double(3.0));
    EXPECT_TRUE(Variant::String("3") == Variant::Integer(3));
    EXPECT_TRUE(Variant::Null() == Variant::Null());
    EXPECT_FALSE(Variant::Null() == Variant::Integer(0));
    EXPECT_TRUE(Variant::String("a") < Variant::String("b"));
    EXPECT_TRUE(Variant::Null() < Variant::Integer(-1));
    EXPECT_TRUE(Variant::Int64(INT64_MIN) < Variant::Int64(INT64_MAX));
}

// A packed decimal keeps every digit through conversions a double would round.
TEST(VariantTest, PackedDecimalKeepsItsDigits) {
    const Variant V = Variant::Bcd(StrToBcd("123456789012345678"));
    EXPECT_EQ(V.VarType(), VarFMTBcd());
    EXPECT_FALSE(V.IsNumeric());
    EXPECT_EQ(V.AsString(), "123456789012345678");
    EXPECT_EQ(V.AsInt64(), 123456789012345678);
    EXPECT_TRUE(V == Variant::Int64(123456789012345678));
    EXPECT_FALSE(V == Variant::Int64(123456789012345677));
    EXPECT_TRUE(V == Variant::String("123456789012345678"));
    EXPECT_TRUE(V == Variant::String(" 123456789012345678 "));
    EXPECT_TRUE(Variant::Bcd(StrToBcd("1")) < Variant::String("1e300"));
    EXPECT_DOUBLE_EQ(Variant::Bcd(StrToBcd("-2.5")).AsDouble(), -2.5);
    const Variant FromText = VarAsType(Variant::String("-0.000000000000000001"), VarFMTBcd());
    EXPECT_EQ(FromText.VarType(), VarFMTBcd());
    EXPECT_EQ(FromText.AsString(), "-0.000000000000000001");
    EXPECT_EQ(BcdToStr(Variant::Currency(-12345).AsBcd()), "-1.2345");
    EXPECT_THROW(VarAsType(Variant::String("abc"), VarFMTBcd()), EVariantError);
    EXPECT_THROW(VarAsType(Variant::Null(), VarFMTBcd()), EVariantError);
}

TEST(VariantTest, TimeStampActsAsItsDate) {
    TSQLTimeStamp Stamp;
    Stamp.Year = 2000;
    Stamp.Month = 1;
    Stamp.Day = 1;
    Stamp.Hour = 6;
    const Variant V = Variant::SQLTimeStamp(Stamp);
    EXPECT_EQ(V.VarType(), VarSQLTimeStamp());
    EXPECT_NE(VarSQLTimeStamp(), VarFMTBcd());
    EXPECT_DOUBLE_EQ(V.AsDouble(), SQLTimeStampToDateTime(Stamp));
    EXPECT_EQ(V.AsString(), Variant::Date(V.AsDouble()).AsString());
    EXPECT_TRUE(V == Variant::Date(SQLTimeStampToDateTime(Stamp)));
    const TSQLTimeStamp Back =
        VarAsType(Variant::Date(V.AsDouble()), VarSQLTimeStamp()).AsSQLTimeStamp();
    EXPECT_EQ(Back.Year, 2000);
    EXPECT_EQ(Back.Hour, 6);
}

TEST(VariantTest, ArrayCopiesShareUntilOneWrites) {
    Variant A = Variant::Array({Variant::Integer(1), Variant::Integer(2)}, 1);
    Variant B = A;
    B.Element(0) = Variant::Integer(9);
    EXPECT_EQ(A.Element(0).AsInt64(), 1);
    EXPECT_EQ(B.Element(0).AsInt64(), 9);
    EXPECT_EQ(A.ArrayLowBound(), 1);
    EXPECT_EQ(A.ArrayHighBound(), 2);
    EXPECT_EQ(Variant::MultiArray({2, 3}).ArrayDimCount(), 2);
    EXPECT_THROW(Variant::Integer(1).ArrayHighBound(), EVariantError);
}

TEST(StreamTest, ShortReadsRaiseTheReadError) {
    TMemoryStream Stream({1, 2});
    std::uint8_t Buffer[3]{};
    try {
        Stream.ReadBuffer(Buffer, 3);
        FAIL();
    } catch (const EReadError& E) {
        EXPECT_STREQ(E.what(), "Stream read error");
    }
    Stream.SetPosition(0);
    Stream.ReadBuffer(Buffer, 2);
    EXPECT_EQ(Stream.Remaining(), 0u);
    Stream.WriteBuffer(Buffer, 2);
    EXPECT_EQ(Stream.Size(), 4u);
}

} // namespace
} // namespace platform::core
