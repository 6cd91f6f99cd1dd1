#include "toolkit/edit/cx_value_type_class_list.h"
#include "toolkit/edit/cx_value_types.h"

#include "platform/core/fmt_bcd.h"
#include "platform/core/object.h"
#include "platform/core/sql_time_stamp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>

namespace toolkit::edit {
namespace {

using namespace platform::core;

// A zeroed cell as a data store gives one, freed through its type at the end.
class TBuffer {
public:
    explicit TBuffer(TcxValueTypeClass Type) : FType(Type) {}
    ~TBuffer() { FType->FreeBuffer(FCell.data()); }
    TBuffer(const TBuffer&) = delete;
    TBuffer& operator=(const TBuffer&) = delete;

    void* Get() { return FCell.data(); }
    TBuffer& Set(const Variant& V) {
        FType->SetValue(Get(), V);
        return *this;
    }
    Variant Value() const {
        Variant V;
        FType->GetValue(FCell.data(), V);
        return V;
    }

private:
    TcxValueTypeClass FType;
    alignas(8) std::array<std::uint8_t, 40> FCell{};
};

int Compare(TcxValueTypeClass Type, const Variant& A, const Variant& B) {
    TBuffer X(Type), Y(Type);
    X.Set(A);
    Y.Set(B);
    return Type->Compare(X.Get(), Y.Get());
}

int Sign(int Value) {
    return (Value > 0) - (Value < 0);
}

struct OrderCase {
    const char* Name;
    TcxValueTypeClass Type;
    Variant A, B;
    int Expected; // sign
};

class ValueOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(ValueOrderTest, ComparesByTheValuesOrder) {
    const OrderCase& C = GetParam();
    EXPECT_EQ(Sign(Compare(C.Type, C.A, C.B)), C.Expected);
    EXPECT_EQ(Sign(Compare(C.Type, C.B, C.A)), -C.Expected);
}

constexpr std::int32_t IntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t IntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t LargeMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t LargeMax = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Types, ValueOrderTest,
    testing::Values(
        // Far apart and of opposite sign: a 32-bit difference would overflow.
        OrderCase{"IntegerExtremes", TcxIntegerValueTypeClass(), Variant::Integer(IntMin),
                  Variant::Integer(IntMax), -1},
        OrderCase{"IntegerMinAgainstOne", TcxIntegerValueTypeClass(), Variant::Integer(IntMin),
                  Variant::Integer(1), -1},
        OrderCase{"IntegerMaxAgainstMinusOne", TcxIntegerValueTypeClass(), Variant::Integer(IntMax),
                  Variant::Integer(-1), 1},
        OrderCase{"IntegerEqual", TcxIntegerValueTypeClass(), Variant::Integer(IntMin),
                  Variant::Integer(IntMin), 0},
        OrderCase{"SmallintExtremes", TcxSmallintValueTypeClass(),
                  Variant::Ordinal(varSmallint, -32768), Variant::Ordinal(varSmallint, 32767), -1},
        OrderCase{"WordExtremes", TcxWordValueTypeClass(), Variant::Ordinal(varWord, 0),
                  Variant::Ordinal(varWord, 65535), -1},
        OrderCase{"LargeIntExtremes", TcxLargeIntValueTypeClass(), Variant::Int64(LargeMin),
                  Variant::Int64(LargeMax), -1},
        OrderCase{"ObjectAsInteger", TcxObjectValueTypeClass(), Variant::Int64(0),
                  Variant::Int64(0), 0},
        OrderCase{"BooleanFalseFirst", TcxBooleanValueTypeClass(), Variant::Boolean(false),
                  Variant::Boolean(true), -1},
        OrderCase{"Float", TcxFloatValueTypeClass(), Variant::Double(-1e300),
                  Variant::Double(1e300), -1},
        OrderCase{"Currency", TcxCurrencyValueTypeClass(), Variant::Currency(LargeMin),
                  Variant::Currency(LargeMax), -1},
        OrderCase{"DateTime", TcxDateTimeValueTypeClass(), Variant::Date(-700000.5),
                  Variant::Date(2.25), -1},
        OrderCase{"StringsCaseSensitive", TcxStringValueTypeClass(), Variant::String("B"),
                  Variant::String("a"), -1},
        OrderCase{"WideStrings", TcxWideStringValueTypeClass(), Variant::WideString(u"ab"),
                  Variant::WideString(u"b"), -1},
        OrderCase{"BcdFractions", TcxFMTBcdValueTypeClass(), Variant::String("1.05"),
                  Variant::String("1.5"), -1},
        OrderCase{"BcdSigns", TcxFMTBcdValueTypeClass(), Variant::String("-12345678901234567890.1"),
                  Variant::String("0.000001"), -1},
        OrderCase{"BcdBeyondADouble", TcxFMTBcdValueTypeClass(),
                  Variant::String("12345678901234567890"), Variant::String("12345678901234567891"),
                  -1},
        OrderCase{"BcdEqual", TcxFMTBcdValueTypeClass(), Variant::String("2.50"),
                  Variant::Double(2.5), 0},
        OrderCase{"TimeStampSeconds", TcxSQLTimeStampValueTypeClass(),
                  Variant::Date(EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 0)),
                  Variant::Date(EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 7, 0)), -1},
        OrderCase{"TimeStampFractions", TcxSQLTimeStampValueTypeClass(),
                  Variant::Date(EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 1)),
                  Variant::Date(EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 999)), -1},
        OrderCase{"VariantsByVarCompare", TcxVariantValueTypeClass(), Variant::Null(),
                  Variant::Integer(1), -1}),
    [](const testing::TestParamInfo<OrderCase>& Info) { return std::string(Info.param.Name); });

TEST(ValueTypeTest, UnsetPointerCellsSortFirst) {
    for (TcxValueTypeClass Type :
         {TcxStringValueTypeClass(), TcxWideStringValueTypeClass(), TcxVariantValueTypeClass()}) {
        TBuffer Unset1(Type), Unset2(Type), Set(Type);
        Set.Set(Variant::String(""));
        EXPECT_EQ(Type->Compare(Unset1.Get(), Unset2.Get()), 0) << Type->GetCaption();
        EXPECT_EQ(Type->Compare(Unset1.Get(), Set.Get()), -1) << Type->GetCaption();
        EXPECT_EQ(Type->Compare(Set.Get(), Unset1.Get()), 1) << Type->GetCaption();
    }
}

TEST(ValueTypeTest, CaptionsAndVariantTypesFollowTheClassNames) {
    const std::vector<std::pair<TcxValueTypeClass, std::string>> Cases = {
        {&TcxValueType::Instance(), ""},
        {TcxStringValueTypeClass(), "String"},
        {TcxWideStringValueTypeClass(), "WideString"},
        {TcxDateTimeValueTypeClass(), "DateTime"},
        {TcxFMTBcdValueTypeClass(), "FMTBcd"},
        {TcxSQLTimeStampValueTypeClass(), "SQLTimeStamp"},
        {TcxObjectValueTypeClass(), "Object"}};
    for (const auto& [Type, Caption] : Cases)
        EXPECT_EQ(Type->GetCaption(), Caption);
    EXPECT_TRUE(TcxStringValueTypeClass()->IsString());
    EXPECT_TRUE(TcxWideStringValueTypeClass()->IsString());
    EXPECT_FALSE(TcxIntegerValueTypeClass()->IsString());
    EXPECT_EQ(TcxStringValueTypeClass()->GetVarType(), varString);
    EXPECT_EQ(TcxWideStringValueTypeClass()->GetVarType(), varOleStr);
    EXPECT_EQ(TcxWordValueTypeClass()->GetVarType(), varWord);
    EXPECT_EQ(TcxVariantValueTypeClass()->GetVarType(), varVariant);
    EXPECT_EQ(TcxSmallintValueTypeClass()->GetDataSize(), 2);
    EXPECT_EQ(TcxFMTBcdValueTypeClass()->GetDataSize(), 34);
    EXPECT_EQ(TcxSQLTimeStampValueTypeClass()->GetDataSize(), 16);
    EXPECT_EQ(TcxFloatValueTypeClass()->GetDataSize(), 8);
}

TEST(ValueTypeTest, IsValueValidConvertsInPlaceOrLeavesTheValue) {
    Variant Twelve = Variant::String("12");
    EXPECT_TRUE(TcxIntegerValueTypeClass()->IsValueValid(Twelve));
    EXPECT_EQ(Twelve.VarType(), varInteger);
    EXPECT_EQ(Twelve.AsInt64(), 12);

    Variant Letters = Variant::String("abc");
    EXPECT_FALSE(TcxIntegerValueTypeClass()->IsValueValid(Letters));
    EXPECT_EQ(Letters.VarType(), varString);
    EXPECT_EQ(Letters.AsString(), "abc");

    Variant Null = Variant::Null(), Empty;
    EXPECT_TRUE(TcxIntegerValueTypeClass()->IsValueValid(Null));
    EXPECT_TRUE(Null.IsNull());
    EXPECT_TRUE(TcxFloatValueTypeClass()->IsValueValid(Empty));
    EXPECT_TRUE(Empty.IsEmpty());
    Variant Anything = Variant::String("abc");
    EXPECT_TRUE(TcxVariantValueTypeClass()->IsValueValid(Anything));
    EXPECT_EQ(Anything.VarType(), varString);
}

TEST(ValueTypeTest, DefaultDisplayTexts) {
    TBuffer Flag(TcxBooleanValueTypeClass()), Bcd(TcxFMTBcdValueTypeClass()),
        Unset(TcxStringValueTypeClass());
    std::string Text;
    Flag.Set(Variant::Boolean(true));
    TcxBooleanValueTypeClass()->GetDefaultDisplayText(Flag.Get(), Text);
    EXPECT_EQ(Text, "True");
    Flag.Set(Variant::Boolean(false));
    TcxBooleanValueTypeClass()->GetDefaultDisplayText(Flag.Get(), Text);
    EXPECT_EQ(Text, "False");
    Bcd.Set(Variant::String("-0012345678901234567890.1200"));
    TcxFMTBcdValueTypeClass()->GetDefaultDisplayText(Bcd.Get(), Text);
    EXPECT_EQ(Text, "-12345678901234567890.12");
    TcxStringValueTypeClass()->GetDefaultDisplayText(Unset.Get(), Text);
    EXPECT_EQ(Text, "");
}

// Each type's value written and read back into a fresh buffer, with the bytes it writes.
struct RoundTripCase {
    const char* Name;
    TcxValueTypeClass Type;
    Variant Value;
    bool WideText;
    std::vector<std::uint8_t> Bytes;
};

class ValueStreamTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(ValueStreamTest, WritesItsFormAndReadsBack) {
    const RoundTripCase& C = GetParam();
    TBuffer Source(C.Type), Target(C.Type);
    Source.Set(C.Value);
    TMemoryStream Stream;
    Stream.WideText = C.WideText;
    C.Type->WriteValue(Source.Get(), Stream);
    EXPECT_EQ(Stream.Bytes(), C.Bytes);
    Stream.SetPosition(0);
    C.Type->ReadValue(Target.Get(), Stream);
    EXPECT_EQ(Stream.Remaining(), 0u);
    EXPECT_EQ(C.Type->Compare(Source.Get(), Target.Get()), 0);
    // A variant cell takes the kind the tag reads back as (a small integer comes back as a
    // shortint); every other type keeps its own.
    if (C.Type != TcxVariantValueTypeClass()) {
        EXPECT_EQ(Target.Value().VarType(), Source.Value().VarType());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, ValueStreamTest,
    testing::Values(
        RoundTripCase{"String",
                      TcxStringValueTypeClass(),
                      Variant::String("ab"),
                      false,
                      {2, 0, 0, 0, 'a', 'b'}},
        RoundTripCase{"StringWide",
                      TcxStringValueTypeClass(),
                      Variant::String("ab"),
                      true,
                      {2, 0, 0, 0, 'a', 0, 'b', 0}},
        RoundTripCase{"WideString",
                      TcxWideStringValueTypeClass(),
                      Variant::WideString(u"\u20ac"),
                      true,
                      {1, 0, 0, 0, 0xAC, 0x20}},
        RoundTripCase{"Smallint",
                      TcxSmallintValueTypeClass(),
                      Variant::Ordinal(varSmallint, -2),
                      false,
                      {0xFE, 0xFF}},
        RoundTripCase{"Integer",
                      TcxIntegerValueTypeClass(),
                      Variant::Integer(IntMin),
                      false,
                      {0, 0, 0, 0x80}},
        RoundTripCase{
            "Word", TcxWordValueTypeClass(), Variant::Ordinal(varWord, 65535), false, {0xFF, 0xFF}},
        RoundTripCase{"Boolean", TcxBooleanValueTypeClass(), Variant::Boolean(true), false, {1}},
        RoundTripCase{"Float",
                      TcxFloatValueTypeClass(),
                      Variant::Double(1.0),
                      false,
                      {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        RoundTripCase{"Currency",
                      TcxCurrencyValueTypeClass(),
                      Variant::Currency(-1),
                      false,
                      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        RoundTripCase{"DateTime",
                      TcxDateTimeValueTypeClass(),
                      Variant::Date(2.0),
                      false,
                      {0, 0, 0, 0, 0, 0, 0, 0x40}},
        RoundTripCase{"LargeInt",
                      TcxLargeIntValueTypeClass(),
                      Variant::Int64(LargeMax),
                      false,
                      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
        // Tagged: an integer of one byte.
        RoundTripCase{
            "VariantTagged", TcxVariantValueTypeClass(), Variant::Integer(5), false, {2, 5}},
        // Tagged, as the packed decimal's text.
        RoundTripCase{
            "BcdTagged", TcxFMTBcdValueTypeClass(), Variant::String("2"), false, {6, 1, '2'}},
        // More digits than a double or an extended holds, every one kept.
        RoundTripCase{"BcdEighteenDigits",
                      TcxFMTBcdValueTypeClass(),
                      Variant::String("-123456789012345.678"),
                      false,
                      {6,   20,  '-', '1', '2', '3', '4', '5', '6', '7', '8',
                       '9', '0', '1', '2', '3', '4', '5', '.', '6', '7', '8'}},
        RoundTripCase{"TimeStampAsDate",
                      TcxSQLTimeStampValueTypeClass(),
                      Variant::Date(2.0),
                      false,
                      {17, 0, 0, 0, 0, 0, 0, 0, 0x40}},
        RoundTripCase{"ObjectNothing", TcxObjectValueTypeClass(), Variant::Int64(0), false, {}}),
    [](const testing::TestParamInfo<RoundTripCase>& Info) { return std::string(Info.param.Name); });

TEST(ValueTypeTest, DisplayTextsStoreAndTravelInTheStreamsForm) {
    const TcxValueType& Type = TcxValueType::Instance();
    TcxDisplayTextSlot Slot, Copy;
    std::string Text = "x";
    Type.GetDisplayText(Slot, Text);
    EXPECT_EQ(Text, "");
    Type.SetDisplayText(Slot, "Caf\xe9");
    ASSERT_TRUE(Slot);
    for (bool Wide : {false, true}) {
        TMemoryStream Stream;
        Stream.WideText = Wide;
        Type.WriteDisplayText(Slot, Stream);
        EXPECT_EQ(Stream.Size(), 4u + (Wide ? 8u : 4u));
        Stream.SetPosition(0);
        Type.ReadDisplayText(Copy, Stream);
        Type.GetDisplayText(Copy, Text);
        EXPECT_EQ(Text, "Caf\xe9");
    }
    Type.FreeTextBuffer(Slot);
    EXPECT_FALSE(Slot);
}

TEST(ValueTypeTest, PointerCellsFollowTheirPointer) {
    TBuffer S(TcxStringValueTypeClass());
    S.Set(Variant::String("first")).Set(Variant::Integer(7));
    EXPECT_EQ(S.Value().AsString(), "7");
    const void* Data = S.Get();
    TcxStringValueTypeClass()->PrepareValueBuffer(Data);
    ASSERT_NE(Data, S.Get());
    Variant V;
    TcxStringValueTypeClass()->GetDataValue(Data, V);
    EXPECT_EQ(V.AsString(), "7");
    TcxStringValueTypeClass()->FreeBuffer(S.Get());
    EXPECT_TRUE(S.Value().IsNull());
}

TEST(ValueTypeTest, ObjectCellOwnsItsObject) {
    struct TWatched : TObject {
        bool* Freed;
        explicit TWatched(bool* F) : Freed(F) {}
        ~TWatched() override { *Freed = true; }
    };
    bool Freed = false;
    auto Object = std::make_unique<TWatched>(&Freed);
    TBuffer Cell(TcxObjectValueTypeClass());
    Cell.Set(
        Variant::Int64(reinterpret_cast<std::intptr_t>(static_cast<TObject*>(Object.release()))));
    TcxObjectValueTypeClass()->FreeBuffer(Cell.Get());
    EXPECT_TRUE(Freed);
    EXPECT_EQ(Cell.Value().AsInt64(), 0);
}

TEST(ValueTypeClassListTest, TheFamilyIsRegisteredInOrderAndOnce) {
    TcxValueTypeClassList& List = cxValueTypeClassList();
    const std::vector<std::string> Captions = {
        "String",   "WideString", "Smallint", "Integer", "Word",         "Boolean", "Float",
        "Currency", "DateTime",   "LargeInt", "FMTBcd",  "SQLTimeStamp", "Variant", "Object"};
    ASSERT_EQ(List.Count(), 14);
    for (int I = 0; I < List.Count(); ++I)
        EXPECT_EQ(List.Items(I)->GetCaption(), Captions[I]);

    TcxValueTypeClassList Own;
    Own.Register(TcxFloatValueTypeClass());
    Own.Register(TcxFloatValueTypeClass());
    Own.Register(TcxStringValueTypeClass());
    EXPECT_EQ(Own.Count(), 2);
    Own.Unregister(TcxFloatValueTypeClass());
    EXPECT_EQ(Own.IndexOf(TcxFloatValueTypeClass()), -1);
    EXPECT_EQ(Own.IndexOf(TcxStringValueTypeClass()), 0);
}

} // namespace
} // namespace toolkit::edit
