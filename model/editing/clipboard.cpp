#include "model/editing/clipboard.h"

#include "model/sysex/performance_records.h"
#include "model/sysex/rhythm_records.h"
#include "model/sysex/system_records.h"

#include <algorithm>
#include <span>
#include <utility>

namespace model {

namespace {

using TRange = std::pair<std::size_t, std::size_t>;

// Parameter ranges (inclusive) of each rhythm note page.
std::span<const TRange> RhythmPageRanges(TPageKind kind) {
    static constexpr TRange main[] = {{0, 11}, {54, 57}};
    static constexpr TRange pitch[] = {{12, 25}};
    static constexpr TRange tvf[] = {{26, 40}};
    static constexpr TRange tva[] = {{41, 53}};
    switch (kind) {
    case RHYMAIN:
        return main;
    case RHYPITCH:
        return pitch;
    case RHYTVF:
        return tvf;
    case RHYTVA:
        return tva;
    default:
        return {};
    }
}

} // namespace

void TClipboard::CopyPart(const TPerformancePart& part) {
    std::copy_n(part.Image.begin(), PartBytes.size(), PartBytes.begin());
    PartHeld = true;
}

void TClipboard::PastePart(TPerformancePart& part) const {
    std::copy(PartBytes.begin(), PartBytes.end(), part.Image.begin());
}

void TClipboard::CopyScaleTune(const TPartScaleTune& tune) {
    ScaleTuneBytes = tune.Image;
    ScaleTuneHeld = true;
}

void TClipboard::PasteScaleTune(TPartScaleTune& tune) const {
    tune.Image = ScaleTuneBytes;
}

void TClipboard::CopyRhythmNote(const TRhythmNote& note, TPageKind kind) {
    const auto ranges = RhythmPageRanges(kind);
    if (ranges.empty()) return;
    RhythmKinds.insert(kind);
    for (const auto& [first, last] : ranges)
        for (std::size_t n = first; n <= last; ++n)
            RhythmNoteBytes[n] = note.GetParam(n);
}

void TClipboard::PasteRhythmNote(TRhythmNote& note, TPageKind kind) const {
    for (const auto& [first, last] : RhythmPageRanges(kind))
        for (std::size_t n = first; n <= last; ++n)
            note.Data()[n] = RhythmNoteBytes[n];
}

} // namespace model
