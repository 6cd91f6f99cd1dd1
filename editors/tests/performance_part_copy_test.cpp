// The bytes each page of a performance carries in a page drag: exactly its own parameters, the
// reverb byte 44 with the effects only, and nothing of any other block.

#include "editors/performance_part_copy.h"
#include "platform/core/date_time.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace editors::test {
namespace {

using TRuns = std::vector<std::pair<std::size_t, std::size_t>>;

struct PerformancePageBytes {
    std::string name;
    model::TPageKind kind;
    TRuns common;
    TRuns part; // of every part
};

const PerformancePageBytes pageBytes[] = {
    {"Common", model::PERCOM, {{0, 11}, {45, 65}}, {}}, {"Effects", model::PEREFF, {{12, 44}}, {}},
    {"Parts", model::PERPARTS, {}, {{0, 24}}},          {"PatchCommon", model::COMMON, {}, {}},
    {"SystemSetup", model::SYSSETUP, {}, {}},
};

class PerformancePageBytesTest : public ::testing::TestWithParam<PerformancePageBytes> {
protected:
    // Elements are stamped with a known time, never the wall clock's.
    platform::core::NowOverride fixedNow{platform::core::EncodeDate(2026, 3, 7) +
                                         platform::core::EncodeTime(9, 0, 0, 0)};
};

bool InRuns(const TRuns& runs, std::size_t n) {
    for (const auto& [first, last] : runs)
        if (n >= first && n <= last) return true;
    return false;
}

TEST_P(PerformancePageBytesTest, CopiesItsOwnBytesAndLeavesTheRest) {
    model::TPerformance source{nullptr};
    model::TPerformance target{nullptr};
    for (std::uint8_t& byte : source.Common->Data())
        byte = 0x55;
    for (std::uint8_t& byte : target.Common->Data())
        byte = 0;
    for (int part = 1; part <= model::PartCount; ++part) {
        for (std::uint8_t& byte : source.Part(part).Data())
            byte = static_cast<std::uint8_t>(0x10 + part);
        for (std::uint8_t& byte : target.Part(part).Data())
            byte = 0;
    }
    const PerformancePageBytes& page = GetParam();
    CopyPerformancePageBytes(source, target, page.kind);

    const auto common = target.Common->Data();
    for (std::size_t n = 0; n < common.size(); ++n)
        EXPECT_EQ(common[n], InRuns(page.common, n) ? 0x55 : 0) << "common " << n;
    for (int part = 1; part <= model::PartCount; ++part) {
        const auto data = target.Part(part).Data();
        for (std::size_t n = 0; n < data.size(); ++n)
            EXPECT_EQ(data[n], InRuns(page.part, n) ? 0x10 + part : 0)
                << "part " << part << " byte " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, PerformancePageBytesTest, ::testing::ValuesIn(pageBytes),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace editors::test
