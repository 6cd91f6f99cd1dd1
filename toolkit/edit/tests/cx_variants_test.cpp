#include "toolkit/edit/cx_variants.h"

#include "toolkit/edit/data_strings.h"

#include "platform/core/fmt_bcd.h"
#include "platform/core/sql_time_stamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace toolkit::edit {
namespace {

using namespace platform::core;
using Bytes = std::vector<std::uint8_t>;

Bytes Written(const Variant& V) {
    TMemoryStream Stream;
    WriteVariant(Stream, V);
    return Stream.Bytes();
}

Variant ReadBack(const Bytes& Data) {
    TMemoryStream Stream(Data);
    Variant V;
    ReadVariant(Stream, V);
    EXPECT_EQ(Stream.Remaining(), 0u);
    return V;
}

struct IntegerCase {
    std::int64_t Value;
    std::uint8_t Tag;
    std::size_t Size;
    TVarType ReadAs;
};

class TaggedIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(TaggedIntegerTest, TakesTheSmallestTagAndReadsBack) {
    const IntegerCase& C = GetParam();
    const Bytes Data = Written(Variant::Int64(C.Value));
    ASSERT_EQ(Data.size(), 1 + C.Size);
    EXPECT_EQ(Data[0], C.Tag);
    const Variant V = ReadBack(Data);
    EXPECT_EQ(V.VarType(), C.ReadAs);
    EXPECT_EQ(V.AsInt64(), C.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TaggedIntegerTest,
    testing::Values(IntegerCase{127, 2, 1, varShortInt}, IntegerCase{-128, 2, 1, varShortInt},
                    IntegerCase{128, 3, 2, varSmallint}, IntegerCase{-129, 3, 2, varSmallint},
                    IntegerCase{32767, 3, 2, varSmallint}, IntegerCase{32768, 4, 4, varInteger},
                    IntegerCase{-32769, 4, 4, varInteger},
                    IntegerCase{2147483647, 4, 4, varInteger},
                    IntegerCase{2147483648LL, 19, 8, varInt64},
                    IntegerCase{-2147483649LL, 19, 8, varInt64},
                    IntegerCase{std::numeric_limits<std::int64_t>::min(), 19, 8, varInt64}));

TEST(VariantStreamTest, StringsUpTo255CharactersTakeTheShortTag) {
    const Bytes Short = Written(Variant::String(std::string(255, 'a')));
    ASSERT_EQ(Short.size(), 2u + 255u);
    EXPECT_EQ(Short[0], 6);
    EXPECT_EQ(Short[1], 255);
    const Bytes Long = Written(Variant::String(std::string(256, 'b')));
    ASSERT_EQ(Long.size(), 5u + 256u);
    EXPECT_EQ(Long[0], 12);
    EXPECT_EQ((Bytes{Long[1], Long[2], Long[3], Long[4]}), (Bytes{0, 1, 0, 0}));
    EXPECT_EQ(ReadBack(Short).AsString(), std::string(255, 'a'));
    EXPECT_EQ(ReadBack(Long).AsString(), std::string(256, 'b'));
    EXPECT_EQ(ReadBack(Long).VarType(), varString);
}

TEST(VariantStreamTest, TheEmptyArrayIsAListOfCountZero) {
    const Bytes Data = Written(Variant::Array({}));
    EXPECT_EQ(Data, (Bytes{1, 2, 0}));
    const Variant V = ReadBack(Data);
    ASSERT_TRUE(V.IsArray());
    EXPECT_EQ(V.ArrayHighBound(), -1);
}

TEST(VariantStreamTest, EveryKindReadsBackAsTheTableSays) {
    const Variant Nested = Variant::Array({Variant::Integer(1), Variant::Array({Variant::Null()})});
    const Variant Items[] = {Variant(),
                             Variant::Null(),
                             Variant::Boolean(true),
                             Variant::Boolean(false),
                             Variant::Single(1.5f),
                             Variant::Double(-2.25),
                             Variant::Currency(123456),
                             Variant::Date(45000.5),
                             Variant::WideString(u"\u00e9t\u00e9"),
                             Variant::String("abc"),
                             Nested};
    const TVarType Types[] = {varEmpty,  varNull,   varBoolean,           varBoolean,
                              varSingle, varDouble, varCurrency,          varDate,
                              varOleStr, varString, varArray | varVariant};
    for (std::size_t I = 0; I < std::size(Items); ++I) {
        SCOPED_TRACE(I);
        const Variant V = ReadBack(Written(Items[I]));
        EXPECT_EQ(V.VarType(), Types[I]);
        EXPECT_EQ(VarCompare(V, Items[I]), 0);
    }
    EXPECT_EQ(ReadBack(Written(Variant::WideString(u"\u00e9t\u00e9"))).AsWideString(),
              u"\u00e9t\u00e9");
}

TEST(VariantStreamTest, MultiDimensionalArraysAreRefusedBeforeAnyByte) {
    TMemoryStream Stream;
    try {
        WriteVariant(Stream, Variant::MultiArray({2, 2}));
        FAIL() << "no write error";
    } catch (const EWriteError& E) {
        EXPECT_STREQ(E.what(), "Stream write error");
    }
    EXPECT_EQ(Stream.Size(), 0u);
}

TEST(ExtendedFloatTest, EveryKindOfDoubleSurvivesTheRoundTrip) {
    const double Inf = std::numeric_limits<double>::infinity();
    const double Values[] = {0.0,
                             -0.0,
                             1.0,
                             -3.75,
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::denorm_min() * 12345,
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::max(),
                             -1e300,
                             Inf,
                             -Inf};
    for (double Value : Values) {
        SCOPED_TRACE(Value);
        const double Back = ExtendedToDouble(DoubleToExtended(Value));
        EXPECT_EQ(Back, Value);
        EXPECT_EQ(std::signbit(Back), std::signbit(Value));
    }
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
}

TEST(ExtendedFloatTest, LayoutIsTheExtendedFormat) {
    // 1.0: explicit integer bit, exponent bias 16383.
    EXPECT_EQ(DoubleToExtended(1.0),
              (std::array<std::uint8_t, 10>{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(DoubleToExtended(-0.0),
              (std::array<std::uint8_t, 10>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}));
    // Beyond the double's range: infinity.
    EXPECT_EQ(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F}),
              std::numeric_limits<double>::infinity());
}

struct MalformedCase {
    const char* Name;
    Bytes Data;
};

class MalformedStreamTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedStreamTest, GivesTheReadError) {
    TMemoryStream Stream(GetParam().Data);
    Variant V;
    try {
        ReadVariant(Stream, V);
        FAIL() << "read without error";
    } catch (const EReadError& E) {
        EXPECT_STREQ(E.what(), "Stream read error");
    }
}

Bytes DeepNesting(int Levels) {
    Bytes Data;
    for (int I = 0; I < Levels; ++I)
        Data.insert(Data.end(), {1, 2, 1});
    Data.push_back(0);
    return Data;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedStreamTest,
    testing::Values(MalformedCase{"UnknownTag7", {7}}, MalformedCase{"UnknownTag20", {20}},
                    MalformedCase{"Empty", {}}, MalformedCase{"NegativeCount", {1, 2, 0xFF}},
                    MalformedCase{"CountBeyondBytes", {1, 4, 0xFF, 0xFF, 0xFF, 0x7F, 0}},
                    MalformedCase{"CountNotAnInteger", {1, 6, 0}},
                    MalformedCase{"NegativeLength", {12, 0xFF, 0xFF, 0xFF, 0xFF}},
                    MalformedCase{"LengthBeyondBytes", {12, 9, 0, 0, 0, 'a'}},
                    MalformedCase{"ShortStringCut", {6, 3, 'a'}},
                    MalformedCase{"WideCountBeyondBytes", {18, 2, 0, 0, 0, 'a', 0, 'b'}},
                    MalformedCase{"CutInteger", {4, 1, 2}},
                    MalformedCase{"TooDeep", DeepNesting(cxMaxVariantNesting + 1)}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(VariantStreamTest, NestingUpToTheLimitReads) {
    Variant V = ReadBack(DeepNesting(cxMaxVariantNesting));
    for (int I = 0; I < cxMaxVariantNesting; ++I) {
        ASSERT_TRUE(V.IsArray());
        V = Variant(V.Element(0));
    }
    EXPECT_TRUE(V.IsNull());
}

TEST(VariantStreamTest, PlainValuesHaveNoTag) {
    TMemoryStream Stream;
    WriteIntegerProc(Stream, -2);
    WriteAnsiStringProc(Stream, "ab");
    WriteWideStringProc(Stream, u"c");
    WriteFloatProc(Stream, 0.5);
    EXPECT_EQ(Stream.Size(), 4u + 6u + 6u + 10u);
    Stream.SetPosition(0);
    EXPECT_EQ(ReadIntegerFunc(Stream), -2);
    EXPECT_EQ(ReadAnsiStringFunc(Stream), "ab");
    EXPECT_EQ(ReadWideStringFunc(Stream), u"c");
    EXPECT_EQ(ReadFloatFunc(Stream), 0.5);
}

struct CompareCase {
    const char* Name;
    Variant A, B;
    int Sign;
};

class VarCompareTest : public testing::TestWithParam<CompareCase> {};

TEST_P(VarCompareTest, OrdersAsTheTableSays) {
    const CompareCase& C = GetParam();
    const int Result = VarCompare(C.A, C.B);
    EXPECT_EQ((Result > 0) - (Result < 0), C.Sign);
    const int Reverse = VarCompare(C.B, C.A);
    EXPECT_EQ((Reverse > 0) - (Reverse < 0), -C.Sign);
}

const std::int64_t MinI64 = std::numeric_limits<std::int64_t>::min();
const std::int64_t MaxI64 = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Order, VarCompareTest,
    testing::Values(
        CompareCase{"EmptyEmpty", Variant(), Variant(), 0},
        CompareCase{"EmptyNull", Variant(), Variant::Null(), -1},
        CompareCase{"NullNull", Variant::Null(), Variant::Null(), 0},
        CompareCase{"NullNumber", Variant::Null(), Variant::Integer(-5), -1},
        CompareCase{"EmptyNumber", Variant(), Variant::Integer(0), -1},
        CompareCase{"Numbers", Variant::Integer(2), Variant::Double(2.5), -1},
        CompareCase{"EqualAcrossKinds", Variant::Ordinal(varByte, 7), Variant::Double(7), 0},
        CompareCase{"Strings", Variant::String("B"), Variant::String("a"), -1},
        CompareCase{"WideAndAnsi", Variant::WideString(u"x"), Variant::String("x"), 0},
        CompareCase{"NumericString", Variant::String("10"), Variant::Integer(9), 1},
        CompareCase{"ExtremeIntegers", Variant::Int64(MinI64), Variant::Int64(MaxI64), -1},
        CompareCase{"FarApartIntegers", Variant::Integer(std::numeric_limits<int>::min()),
                    Variant::Integer(std::numeric_limits<int>::max()), -1},
        CompareCase{"ArrayOverScalar", Variant::Array({}), Variant::Integer(1), 1},
        CompareCase{"LongerArray", Variant::Array({Variant::Integer(1)}),
                    Variant::Array({Variant::Integer(9), Variant::Integer(9)}), -1},
        CompareCase{"ArrayElements", Variant::Array({Variant::Integer(1), Variant::Integer(3)}),
                    Variant::Array({Variant::Integer(1), Variant::Integer(2)}), 1},
        CompareCase{"EqualArrays", Variant::Array({Variant::String("a")}),
                    Variant::Array({Variant::String("a")}), 0},
        // Packed decimals that one double cannot tell apart.
        CompareCase{"BcdLastDigit", Variant::Bcd(StrToBcd("123456789012345678")),
                    Variant::Bcd(StrToBcd("123456789012345679")), -1},
        CompareCase{"BcdAndInt64", Variant::Bcd(StrToBcd("123456789012345679")),
                    Variant::Int64(123456789012345678), 1},
        CompareCase{"BcdAndItsText", Variant::Bcd(StrToBcd("0.1000000000000000001")),
                    Variant::String("0.1"), 1},
        CompareCase{"TimeStampAndDate", Variant::SQLTimeStamp(DateTimeToSQLTimeStamp(2.5)),
                    Variant::Date(2.25), 1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(VarEqualsExactTest, BooleansCompareByTheirTexts) {
    EXPECT_TRUE(VarEqualsExact(Variant::Boolean(true), Variant::String("True")));
    EXPECT_FALSE(VarEqualsExact(Variant::Boolean(true), Variant::Integer(1)));
    EXPECT_FALSE(VarEqualsExact(Variant::Boolean(false), Variant::Null()));
    EXPECT_TRUE(VarEqualsExact(Variant::Integer(3), Variant::Double(3)));
}

TEST(VariantQuestionsTest, SoftNullDateAndNumeric) {
    EXPECT_TRUE(VarIsSoftNull(Variant::Null()));
    EXPECT_TRUE(VarIsSoftNull(Variant::String("")));
    EXPECT_FALSE(VarIsSoftNull(Variant::String(" ")));
    EXPECT_FALSE(VarIsSoftNull(Variant()));
    EXPECT_TRUE(VarIsDateEx(Variant::Date(1)));
    EXPECT_FALSE(VarIsDateEx(Variant::Double(1)));
    EXPECT_TRUE(VarIsNumericEx(Variant::Currency(1)));
    EXPECT_FALSE(VarIsNumericEx(Variant::String("1")));
    EXPECT_TRUE(VarIsNumericEx(Variant::Bcd(StrToBcd("1.5"))));
    EXPECT_TRUE(VarIsDateEx(Variant::SQLTimeStamp(DateTimeToSQLTimeStamp(2.5))));
    EXPECT_TRUE(VarTypeIsDateEx(platform::core::VarSQLTimeStamp()));
    EXPECT_FALSE(VarIsDateEx(Variant::Bcd(StrToBcd("2.5"))));
    EXPECT_EQ(cxBooleanText(true), "True");
}

// A packed decimal travels as its text, so all its digits come back; a time stamp as a date.
TEST(VariantStreamTest, PackedDecimalsAndTimeStamps) {
    const Variant Bcd = Variant::Bcd(StrToBcd("-987654321098765432"));
    const Bytes Data = Written(Bcd);
    ASSERT_EQ(Data.size(), 2u + 19u);
    EXPECT_EQ(Data[0], 6);
    const Variant Text = ReadBack(Data);
    EXPECT_EQ(Text.AsString(), "-987654321098765432");
    EXPECT_EQ(VarCompare(Text, Bcd), 0);
    EXPECT_EQ(BcdToStr(VarAsType(Text, platform::core::VarFMTBcd()).AsBcd()),
              "-987654321098765432");

    TSQLTimeStamp Stamp;
    Stamp.Year = 2024;
    Stamp.Month = 2;
    Stamp.Day = 29;
    Stamp.Hour = 12;
    const Bytes Stamped = Written(Variant::SQLTimeStamp(Stamp));
    EXPECT_EQ(Stamped.size(), 9u);
    EXPECT_EQ(Stamped[0], 17);
    const Variant Back = ReadBack(Stamped);
    EXPECT_EQ(Back.VarType(), varDate);
    EXPECT_DOUBLE_EQ(Back.AsDouble(), SQLTimeStampToDateTime(Stamp));
}

} // namespace
} // namespace toolkit::edit
