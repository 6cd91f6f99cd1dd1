#include "editors/rhythm_part_copy.h"

#include <span>
#include <utility>

namespace editors {

namespace {

using TRange = std::pair<std::size_t, std::size_t>;

// Inclusive ranges; the same the part clipboard carries for one note.
std::span<const TRange> PageRanges(model::TPageKind kind) {
    static constexpr TRange main[] = {{0, 11}, {54, 57}};
    static constexpr TRange pitch[] = {{12, 25}};
    static constexpr TRange tvf[] = {{26, 40}};
    static constexpr TRange tva[] = {{41, 53}};
    switch (kind) {
    case model::RHYMAIN:
        return main;
    case model::RHYPITCH:
        return pitch;
    case model::RHYTVF:
        return tvf;
    case model::RHYTVA:
        return tva;
    default:
        return {};
    }
}

} // namespace

void CopyRhythmPageBytes(const model::TRhythm& source, model::TRhythm& target,
                         model::TPageKind kind) {
    const std::span<const TRange> ranges = PageRanges(kind);
    for (int key = model::FirstRhythmKey; key <= model::LastRhythmKey; ++key) {
        const auto index = static_cast<std::size_t>(key - model::FirstRhythmKey);
        const model::TRhythmNote& from = *source.Notes[index];
        std::span<std::uint8_t> to = target.Notes[index]->Data();
        for (const auto& [first, last] : ranges)
            for (std::size_t n = first; n <= last; ++n)
                to[n] = from.GetParam(n);
    }
}

} // namespace editors
