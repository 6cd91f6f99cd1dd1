#include "platform/win/common_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform::win {
namespace {

using namespace std::string_literals;

// The desktop's dialog matches by case, the platform's file system does not: every letter of a
// pattern becomes a class of both of its cases.
TEST(CommonDialogs, FilterPatternsMatchEitherCase) {
    const std::string filter = "SysEx files (*.syx)\0*.syx; *.mid\0All files\0*.*"s;
    EXPECT_EQ(FilterPatterns(filter, 1),
              (std::vector<std::string>{"*.[sS][yY][xX]", "*.[mM][iI][dD]"}));
    EXPECT_EQ(FilterPatterns(filter, 2), (std::vector<std::string>{"*.*"}));
    EXPECT_EQ(FilterPatterns(filter, 0), FilterPatterns(filter, 1)) << "the first pair";
    EXPECT_TRUE(FilterPatterns(filter, 3).empty()) << "past the last pair";
}

} // namespace
} // namespace platform::win
