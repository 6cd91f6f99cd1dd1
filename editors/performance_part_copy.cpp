#include "editors/performance_part_copy.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace editors {

namespace {

struct TRun {
    std::size_t first;
    std::size_t last;
};

void CopyRuns(std::span<const std::uint8_t> from, std::span<std::uint8_t> to,
              std::span<const TRun> runs) {
    for (const TRun& run : runs) {
        const auto first = from.begin() + static_cast<std::ptrdiff_t>(run.first);
        const auto last = from.begin() + static_cast<std::ptrdiff_t>(run.last) + 1;
        std::copy(first, last, to.begin() + static_cast<std::ptrdiff_t>(run.first));
    }
}

constexpr TRun CommonRuns[] = {{0, 11}, {45, 65}};
constexpr TRun EffectsRuns[] = {{12, 44}};
constexpr TRun PartRuns[] = {{0, 24}};

} // namespace

void CopyPerformancePageBytes(const model::TPerformance& source, model::TPerformance& target,
                              model::TPageKind kind) {
    switch (kind) {
    case model::PERCOM:
        CopyRuns(source.Common->Data(), target.Common->Data(), CommonRuns);
        break;
    case model::PEREFF:
        CopyRuns(source.Common->Data(), target.Common->Data(), EffectsRuns);
        break;
    case model::PERPARTS:
        for (std::size_t p = 0; p < source.Parts.size(); ++p)
            CopyRuns(source.Parts[p]->Data(), target.Parts[p]->Data(), PartRuns);
        break;
    default:
        break;
    }
}

} // namespace editors
