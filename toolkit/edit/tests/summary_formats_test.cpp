#include "toolkit/edit/summary_formats.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit::edit {
namespace {

// The second five kinds repeat the first five, except that the footer's sum shows the bare
// value and its count the bare zero.
TEST(SummaryFormats, TheSecondFiveRepeatTheFirstButForSumAndCount) {
    for (int Kind = 0; Kind < 5; ++Kind) {
        const auto Same = [&](const auto& Table) {
            return std::string(Table[Kind]) == Table[Kind + 5];
        };
        const bool Repeats = Kind != 0 && Kind != 3;
        EXPECT_EQ(Same(cxSummaryDisplayFormats), Repeats) << Kind;
        EXPECT_EQ(Same(cxSummaryPrefixes), Repeats) << Kind;
        EXPECT_EQ(Same(cxSummaryTwoDecimalFormats), Repeats) << Kind;
    }
    EXPECT_EQ(std::string(cxSummaryDisplayFormats[5]), "%s;-%s");
    EXPECT_EQ(std::string(cxSummaryPrefixes[5]), "");
    EXPECT_EQ(std::string(cxSummaryTwoDecimalFormats[5]), "0.00;-0.00");
    EXPECT_EQ(std::string(cxSummaryTwoDecimalFormats[3]), "COUNT=0");
    EXPECT_EQ(std::string(cxSummaryDisplayFormats[8]), "0");
}

} // namespace
} // namespace toolkit::edit
