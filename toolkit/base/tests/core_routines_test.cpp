#include "toolkit/base/core_routines.h"
#include "toolkit/base/interfaced_persistent.h"
#include "toolkit/base/object_list.h"
#include "toolkit/base/string_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::base {
namespace {

TEST(CoreRoutines, HalfSumRoundsTowardMinusInfinity) {
    EXPECT_EQ(cxHalfSum(3, 4), 3);
    EXPECT_EQ(cxHalfSum(-3, -4), -4);
    EXPECT_EQ(cxHalfSum(-1, 0), -1);
    EXPECT_EQ(cxHalfSum(2147483647, 2147483647), 2147483647);
    EXPECT_EQ(cxSize(3, 4), (TSize{3, 4}));
}

TEST(CoreRoutines, SmallHelpers) {
    EXPECT_EQ(cxStrCharLength("abc", 1), 1);
    EXPECT_EQ(cxStrCharLength("abc", 3), 1);
    EXPECT_EQ(cxStrCharLength("abc", 4), 0);
    EXPECT_EQ(cxStrCharLength("abc", 0), 0);

    char Dest[4] = "xyz";
    cxCopyData("ab", Dest, 2);
    EXPECT_EQ(std::string(Dest), "abz");

    int Calls = 0;
    platform::core::TNotifyEvent Event = [&](platform::core::TObject*) { ++Calls; };
    cxCallNotify(Event, nullptr);
    cxCallNotify(nullptr, nullptr);
    EXPECT_EQ(Calls, 1);
}

TEST(CoreRoutines, InterfacedPersistentNamesItsOwner) {
    platform::core::TPersistent Owner;
    std::unique_ptr<TcxInterfacedPersistent> P = TcxInterfacedPersistent::ClassRef().Create(&Owner);
    EXPECT_EQ(cxGetPersistentOwner(P.get()), &Owner);
    EXPECT_EQ(P->ClassType().ClassName(), "TcxInterfacedPersistent");
}

TEST(StringConversion, DecodesUtf8AndThePlatformCodePage) {
    EXPECT_EQ(dxMultiByteToWideString("Caf\xC3\xA9!", -1, CP_UTF8), L"Caf\u00E9!");
    EXPECT_EQ(dxMultiByteToWideString("Caf\xE9\x80", -1, CP_ACP), L"Caf\u00E9\u20AC");
    EXPECT_EQ(dxMultiByteToWideString("abcdef", 3, CP_ACP), L"abc");
    EXPECT_EQ(dxMultiByteToWideString(nullptr, -1, CP_UTF8), L"");
    EXPECT_EQ(dxMultiByteToWideString("a\xC3(b\xF0\x9F\x98\x80", -1, CP_UTF8),
              std::wstring(L"a\uFFFD(b") + wchar_t(0x1F600));
    EXPECT_EQ(dxAnsiStringToString("\xE9t\xE9", 1252), "\xE9t\xE9");
    EXPECT_EQ(dxStringToAnsiString("abc", CP_UTF8), "abc");
}

// Writes down its own destruction.
struct Item : platform::core::TObject {
    Item(std::vector<int>& Log, int Id) : Log(Log), Id(Id) {}
    ~Item() override { Log.push_back(Id); }
    std::vector<int>& Log;
    int Id;
};

TEST(ObjectList, FreesItsItemsFirstToLast) {
    std::vector<int> Freed;
    {
        TcxObjectList<Item> List;
        for (int I = 0; I < 4; ++I)
            List.Add(std::make_unique<Item>(Freed, I));
        List.Delete(1);
        EXPECT_EQ(Freed, std::vector<int>{1});
        std::unique_ptr<Item> Kept = List.Extract(0);
        EXPECT_EQ(List.Count(), 2);
        EXPECT_EQ(List.IndexOf(List.Items(1)), 1);
        EXPECT_EQ(List.IndexOf(Kept.get()), -1);
        List.Clear();
        EXPECT_EQ(Freed, (std::vector<int>{1, 2, 3}));
        List.Add(std::make_unique<Item>(Freed, 7));
        List.Insert(0, std::make_unique<Item>(Freed, 6));
        EXPECT_THROW(List.Insert(3, std::make_unique<Item>(Freed, 9)), std::out_of_range);
        EXPECT_THROW(List.Extract(2), std::out_of_range);
    }
    // The item refused by Insert went at once.
    EXPECT_EQ(Freed, (std::vector<int>{1, 2, 3, 9, 0, 6, 7}));
}

} // namespace
} // namespace toolkit::base
