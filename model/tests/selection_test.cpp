#include "model/editing/selection.h"

#include <gtest/gtest.h>

#include <string>

namespace model {
namespace {

// A list of ten elements whose selection is given as a string: "x" selected, "." not.
TElemList ListOf(const std::string& marks) {
    TElemList list;
    for (char mark : marks) {
        list.push_back(std::make_unique<TLibElem>(nullptr));
        list.back()->Selected = mark == 'x';
    }
    return list;
}

std::string MarksOf(const TElemList& list) {
    std::string marks;
    for (const auto& elem : list)
        marks += elem->Selected ? 'x' : '.';
    return marks;
}

TEST(SelectByClickTest, ModesChangeTheSelectionAsGiven) {
    const struct {
        const char* name;
        const char* before;
        int index;
        int mode;
        const char* after;
    } cases[] = {
        {"plain click selects the entry alone", "xx..x.....", 3, smSingle, "...x......"},
        {"ctrl click adds an entry", "x.........", 3, smToggle, "x..x......"},
        {"ctrl click takes a selected entry away", "x..x......", 3, smToggle, "x........."},
        {"shift click with none selected selects the entry", "..........", 4, smRange,
         "....x....."},
        {"shift click below the single selection selects the range", ".......x..", 3, smRange,
         "...xxxxx.."},
        {"shift click above the single selection selects the range", ".x........", 4, smRange,
         ".xxxx....."},
        {"shift click with several selected starts again", ".x.x......", 6, smRange, "......x..."},
        {"a click past the list changes nothing", ".x........", 10, smSingle, ".x........"},
    };
    for (const auto& c : cases) {
        TElemList list = ListOf(c.before);
        SelectByClick(list, c.index, c.mode);
        EXPECT_EQ(MarksOf(list), c.after) << c.name;
    }
}

TEST(SelectByClickTest, ClearSelectionClearsEveryEntry) {
    TElemList list = ListOf("x.xx.x");
    ClearSelection(list);
    EXPECT_EQ(MarksOf(list), "......");
}

} // namespace
} // namespace model
