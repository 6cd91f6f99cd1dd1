#include "model/editing/undo_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace model {
namespace {

struct Popped {
    std::uint16_t offset;
    std::uint8_t value;
    std::uint8_t count;
    bool operator==(const Popped&) const = default;
};

std::vector<Popped> PopAll(TUndoList& list) {
    std::vector<Popped> result;
    Popped p{};
    while (list.Pop(p.offset, p.value, p.count))
        result.push_back(p);
    return result;
}

TEST(UndoListTest, GroupEntriesCarryTheGroupSizeAndComeOffHighestFirst) {
    TUndoList list;
    const std::uint8_t old[] = {5, 6, 7};
    list.Add(10, old);
    EXPECT_EQ(PopAll(list), (std::vector<Popped>{{12, 7, 3}, {11, 6, 3}, {10, 5, 3}}));
}

TEST(UndoListTest, UndoOfAGroupTakesItBackInOneStep) {
    TUndoList list;
    const std::uint8_t single[] = {9};
    const std::uint8_t group[] = {1, 2, 3, 4};
    list.Add(3, single);
    list.Add(20, group);

    // As a page undoes: the top tells the group size, the rest of the group follows.
    std::uint16_t offset = 0xFFFF;
    std::uint8_t value = 0;
    std::uint8_t count = 0;
    ASSERT_TRUE(list.Pop(offset, value, count));
    ASSERT_EQ(count, 4);
    std::vector<std::uint8_t> bytes{value};
    for (int i = 1; i < count; ++i) {
        ASSERT_TRUE(list.Pop(offset, value, count));
        bytes.insert(bytes.begin(), value);
    }
    EXPECT_EQ(offset, 20);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(PopAll(list), (std::vector<Popped>{{3, 9, 1}}));
}

TEST(UndoListTest, PopOnAnEmptyListLeavesTheOutputs) {
    TUndoList list;
    std::uint16_t offset = 0xFFFF;
    std::uint8_t value = 0xAA;
    std::uint8_t count = 0xBB;
    EXPECT_FALSE(list.Pop(offset, value, count));
    EXPECT_EQ(offset, 0xFFFF);
    EXPECT_EQ(value, 0xAA);
    EXPECT_EQ(count, 0xBB);
}

TEST(UndoListTest, ClearEmptiesAndIsHarmlessWhenEmpty) {
    TUndoList list;
    list.Clear();
    const std::uint8_t old[] = {1, 2};
    list.Add(0, old);
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(PopAll(list).empty());
}

} // namespace
} // namespace model
