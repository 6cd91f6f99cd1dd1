#include "model/editing/selection.h"
#include "platform/core/date_time.h"

#include <gtest/gtest.h>

#include <string>

namespace model {
namespace {

// A list of count elements with the entries of marks selected, and its selection back as a
// string of '.' and 'x'.
TElemList ListOf(const std::string& marks) {
    TElemList list;
    for (char mark : marks) {
        list.push_back(std::make_unique<TLibElem>(nullptr));
        list.back()->Selected = mark == 'x';
    }
    return list;
}

std::string Marks(const TElemList& list) {
    std::string marks;
    for (const auto& elem : list)
        marks += elem->Selected ? 'x' : '.';
    return marks;
}

struct ClickCase {
    const char* name;
    const char* before;
    int index;
    int mode;
    const char* after;
};

class SelectByClickTest : public testing::TestWithParam<ClickCase> {
protected:
    // Elements are stamped with a known time, never the wall clock's.
    platform::core::NowOverride fixedNow{platform::core::EncodeDate(2026, 3, 7) +
                                         platform::core::EncodeTime(9, 0, 0, 0)};
};

TEST_P(SelectByClickTest, SetsTheSelectedFlags) {
    const ClickCase& c = GetParam();
    TElemList list = ListOf(c.before);
    SelectByClick(list, c.index, c.mode);
    EXPECT_EQ(Marks(list), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SelectByClickTest,
    testing::Values(ClickCase{"PlainClearsTheRest", "x.x.x...", 3, scPlain, "...x...."},
                    ClickCase{"PlainOnTheOnlySelected", "...x....", 3, scPlain, "...x...."},
                    ClickCase{"CtrlSelects", "x.......", 5, scCtrl, "x....x.."},
                    ClickCase{"CtrlDeselects", "x....x..", 5, scCtrl, "x......."},
                    ClickCase{"ShiftWithNothingSelected", "........", 4, scShift, "....x..."},
                    ClickCase{"ShiftUpFromTheOnlySelected", ".......x", 3, scShift, "...xxxxx"},
                    ClickCase{"ShiftDownFromTheOnlySelected", ".x......", 4, scShift, ".xxxx..."},
                    ClickCase{"ShiftOnTheOnlySelected", "..x.....", 2, scShift, "..x....."},
                    ClickCase{"ShiftWithSeveralSelected", "x.x....x", 4, scShift, "....x..."},
                    ClickCase{"IndexOutsideTheList", "x.x.....", 8, scPlain, "x.x....."},
                    ClickCase{"UnknownMode", "x.x.....", 1, 3, "x.x....."}),
    [](const testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

TEST(ClearSelectionTest, ClearsEveryFlag) {
    // Elements are stamped with a known time, never the wall clock's.
    const platform::core::NowOverride fixedNow(platform::core::EncodeDate(2026, 3, 7) +
                                               platform::core::EncodeTime(9, 0, 0, 0));
    TElemList list = ListOf("x.xx.x");
    ClearSelection(list);
    EXPECT_EQ(Marks(list), "......");
}

TEST(TopOwnerTest, ClimbsAtMostThreeStepsFromTheElement) {
    // Elements are stamped with a known time, never the wall clock's.
    const platform::core::NowOverride fixedNow(platform::core::EncodeDate(2026, 3, 7) +
                                               platform::core::EncodeTime(9, 0, 0, 0));
    TLibElem a(nullptr), b(&a), c(&b), d(&c), e(&d);
    EXPECT_EQ(TopOwner(nullptr), nullptr);
    EXPECT_EQ(TopOwner(&a), nullptr);
    EXPECT_EQ(TopOwner(&b), &a);
    EXPECT_EQ(TopOwner(&c), &a);
    EXPECT_EQ(TopOwner(&d), &a);
    // Three steps up from e reach b, which has an owner still.
    EXPECT_EQ(TopOwner(&e), &b);
}

} // namespace
} // namespace model
