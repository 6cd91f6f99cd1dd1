#include "editors/system_part_copy.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace editors {

namespace {

using TRange = std::pair<std::size_t, std::size_t>;

std::vector<TRange> CommonRanges(model::TPageKind kind) {
    switch (kind) {
    case model::SYSSETUP:
        return {{0, 11}, {40, 81}};
    case model::SYSMIDI:
        return {{12, 30}};
    case model::SYSPREVIEW:
        return {{31, 39}};
    default:
        return {};
    }
}

} // namespace

void CopySystemBytes(const model::TSystem& source, model::TSystem& target, model::TPageKind kind) {
    if (kind == model::SYSSCALETUNE) {
        for (std::size_t s = 0; s < source.ScaleTunes.size(); ++s) {
            const auto from = std::as_const(*source.ScaleTunes[s]).Data();
            std::copy_n(from.begin(), 12, target.ScaleTunes[s]->Data().begin());
        }
        return;
    }
    const auto from = std::as_const(*source.Common).Data();
    const auto to = target.Common->Data();
    for (const auto& [first, last] : CommonRanges(kind))
        for (std::size_t n = first; n <= last; ++n)
            to[n] = from[n];
}

} // namespace editors
