// A library sorts as its exchange sort always did, equal elements in that sort's order of their
// own, without comparing every pair: against the exchange sort itself on random sequences and
// random libraries, by every key.

#include "model/elements/element_factory.h"
#include "model/elements/exchange_order.h"
#include "model/elements/library.h"
#include "platform/core/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace model {
namespace {

// The exchange sort as the library has always run it: for every position i and every later
// position j, the two exchanged when j belongs before i.
template <class T, class Before> void ExchangeSort(std::vector<T>& items, Before before) {
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        for (std::size_t j = i + 1; j < items.size(); ++j)
            if (before(items[j], items[i])) std::swap(items[i], items[j]);
}

// Items with the value they are compared by and the place they came from.
struct Item {
    int value;
    std::size_t origin;
};

std::vector<std::size_t> Origins(const std::vector<Item>& items) {
    std::vector<std::size_t> origins;
    for (const Item& item : items)
        origins.push_back(item.origin);
    return origins;
}

TEST(ExchangeSortOrderTest, GivesTheExchangeSortsOrderOfEqualItems) {
    // Three equal items behind one smaller: the smaller takes the first's place, which goes last.
    const std::vector<int> small = {5, 5, 5, 1};
    const auto order = ExchangeSortOrder(
        small.size(), [&](std::size_t a, std::size_t b) { return small[a] < small[b]; });
    EXPECT_EQ(order, (std::vector<std::size_t>{3, 1, 2, 0}));

    const struct {
        const char* what;
        std::size_t size;
        int values; // drawn from 0 .. values - 1; 0: the positions in reverse
    } cases[] = {
        {"empty", 0, 1},          {"one", 1, 1},
        {"two equal", 2, 1},      {"all equal", 40, 1},
        {"two values", 60, 2},    {"few values", 200, 5},
        {"many values", 300, 40}, {"all distinct", 150, 1000000},
        {"reversed", 120, 0},
    };
    std::mt19937 random(58);
    for (const auto& c : cases)
        for (int round = 0; round < 20; ++round) {
            SCOPED_TRACE(std::string(c.what) + ", round " + std::to_string(round));
            std::vector<Item> items(c.size);
            std::uniform_int_distribution<int> value(0, std::max(0, c.values - 1));
            for (std::size_t i = 0; i < c.size; ++i)
                items[i] = {c.values == 0 ? static_cast<int>(c.size - i) : value(random), i};
            const auto fast = ExchangeSortOrder(items.size(), [&](std::size_t a, std::size_t b) {
                return items[a].value < items[b].value;
            });
            ExchangeSort(items, [](const Item& a, const Item& b) { return a.value < b.value; });
            EXPECT_EQ(fast, Origins(items));
        }
}

// 10,000 items with few values take no more comparisons than a sort by merging would, far from
// the 50 million of every pair.
TEST(ExchangeSortOrderTest, ComparesInTheOrderOfNLogN) {
    constexpr std::size_t Size = 10000;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(0, 30);
    std::vector<int> values(Size);
    for (int& v : values)
        v = value(random);
    long comparisons = 0;
    const auto order = ExchangeSortOrder(Size, [&](std::size_t a, std::size_t b) {
        ++comparisons;
        return values[a] < values[b];
    });
    EXPECT_EQ(order.size(), Size);
    EXPECT_LT(comparisons, 20 * static_cast<long>(Size) * static_cast<long>(std::log2(Size)));
}

// The comparisons of the library's keys, as the exchange sort makes them.
bool BeforeByKey(const TLibElem& a, const TLibElem& b, int key) {
    switch (key) {
    case skModified:
        return std::tie(a.ModifiedDate, a.ModifiedTime) < std::tie(b.ModifiedDate, b.ModifiedTime);
    case skName:
        return platform::core::CompareText(a.GetName(), b.GetName()) < 0;
    case skType:
        return a.Type < b.Type;
    case skCreated:
        return std::tie(a.CreatedDate, a.CreatedTime) < std::tie(b.CreatedDate, b.CreatedTime);
    default:
        return false;
    }
}

// A library of size elements of every kind, with names, days and times that repeat often enough
// that every key meets equal elements.
void FillRandomly(TLibrary& library, std::size_t size, std::mt19937& random) {
    static const char* const names[] = {"Pad",     "pad",   "PAD", "Bass",   "bass",   "Brass",
                                        "Strings", "Choir", "",    "Lead 1", "lead 1", "Zap"};
    std::uniform_int_distribution<int> type(0, 7);
    std::uniform_int_distribution<std::size_t> name(0, std::size(names) - 1);
    std::uniform_int_distribution<int> day(40000, 40004);
    std::uniform_int_distribution<int> time(0, 3);
    for (std::size_t i = 0; i < size; ++i) {
        TLibElem& elem =
            library.Add(CreateElemByType(static_cast<std::int16_t>(type(random)), &library));
        elem.SetName(names[name(random)], false);
        elem.ModifiedDate = day(random);
        elem.ModifiedTime = time(random) / 4.0;
        elem.CreatedDate = day(random);
        elem.CreatedTime = time(random) / 4.0;
    }
}

TEST(LibrarySortTest, EveryKeyOrdersRandomLibrariesAsTheExchangeSortDoes) {
    std::mt19937 random(5);
    for (std::size_t size : {0u, 1u, 2u, 7u, 50u, 300u})
        for (int round = 0; round < 4; ++round) {
            TLibrary library;
            FillRandomly(library, size, random);
            // Each key sorts the library from the order it was filled in.
            std::vector<TLibElem*> filled;
            for (const auto& elem : library.Elems)
                filled.push_back(elem.get());
            for (int key : {int(skModified), int(skName), int(skType), int(skCreated), 4}) {
                SCOPED_TRACE("size " + std::to_string(size) + ", key " + std::to_string(key));
                for (std::size_t i = 0; i < filled.size(); ++i)
                    for (auto& elem : library.Elems)
                        if (elem.get() == filled[i]) std::swap(elem, library.Elems[i]);
                std::vector<const TLibElem*> expected(filled.begin(), filled.end());
                ExchangeSort(expected, [key](const TLibElem* a, const TLibElem* b) {
                    return BeforeByKey(*a, *b, key);
                });
                library.Sort(key);
                std::vector<const TLibElem*> sorted;
                for (const auto& elem : library.Elems)
                    sorted.push_back(elem.get());
                EXPECT_EQ(sorted, expected);
            }
        }
}

// A date that is no number (a damaged file) counts as the earliest, also against the times of
// the same day: the order stays an order, and every element stays in the library once.
TEST(LibrarySortTest, ADateThatIsNoNumberSortsFirst) {
    TLibrary library;
    for (double day : {40002.0, std::nan(""), 40001.0, std::nan("")}) {
        TLibElem& elem = library.Add(CreateElemByType(etPatch, &library));
        elem.ModifiedDate = day;
    }
    TLibElem* first = &library.Elem(1);
    TLibElem* second = &library.Elem(3);
    library.Sort(skModified);
    ASSERT_EQ(library.Count(), 4);
    EXPECT_EQ(&library.Elem(0), first);
    EXPECT_EQ(&library.Elem(1), second);
    EXPECT_EQ(library.Elem(2).ModifiedDate, 40001.0);
    EXPECT_EQ(library.Elem(3).ModifiedDate, 40002.0);
}

} // namespace
} // namespace model
