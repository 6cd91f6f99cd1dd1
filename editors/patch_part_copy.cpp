#include "editors/patch_part_copy.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace editors {

namespace {

struct TRun {
    std::size_t first;
    std::size_t last;
};

// The two LFOs keep the same parameters in the same order, run for run.
const std::vector<TRun> Lfo1Runs = {{45, 52}, {78, 78}, {99, 99}, {117, 117}, {123, 123}};
const std::vector<TRun> Lfo2Runs = {{53, 60}, {79, 79}, {100, 100}, {118, 118}, {124, 124}};

const std::vector<TRun>& ToneRuns(model::TPageKind kind) {
    static const std::vector<TRun> none;
    static const std::vector<TRun> control = {{11, 44}, {125, 128}};
    static const std::vector<TRun> wave = {{0, 10}};
    static const std::vector<TRun> pitch = {{61, 77}};
    static const std::vector<TRun> tva = {{101, 116}, {119, 122}};
    static const std::vector<TRun> tvf = {{80, 98}};
    switch (kind) {
    case model::CONTROL:
        return control;
    case model::WAVE:
        return wave;
    case model::PITCH:
        return pitch;
    case model::LFO1:
        return Lfo1Runs;
    case model::LFO2:
        return Lfo2Runs;
    case model::TVA:
        return tva;
    case model::TVF:
        return tvf;
    default:
        return none;
    }
}

void CopyRuns(std::span<const std::uint8_t> from, std::span<std::uint8_t> to,
              const std::vector<TRun>& fromRuns, const std::vector<TRun>& toRuns) {
    for (std::size_t i = 0; i < fromRuns.size() && i < toRuns.size(); ++i) {
        const auto first = from.begin() + static_cast<std::ptrdiff_t>(fromRuns[i].first);
        const auto last = from.begin() + static_cast<std::ptrdiff_t>(fromRuns[i].last) + 1;
        std::copy(first, last, to.begin() + static_cast<std::ptrdiff_t>(toRuns[i].first));
    }
}

} // namespace

void CopyPageBytes(const model::TPatch& source, int sourceTone, model::TPatch& target,
                   int targetTone, model::TPageKind kind) {
    if (kind == model::COMMON || kind == model::EFFECTS) {
        static const std::vector<TRun> common = {{0, 11}, {44, 72}};
        static const std::vector<TRun> effects = {{12, 43}};
        const std::vector<TRun>& runs = kind == model::COMMON ? common : effects;
        CopyRuns(source.Common->Data(), target.Common->Data(), runs, runs);
        return;
    }
    const std::vector<TRun>& runs = ToneRuns(kind);
    if (runs.empty()) return;
    auto& from = *source.Tones.at(static_cast<std::size_t>(sourceTone - 1));
    CopyRuns(from.Data(), target.Tone(targetTone).Data(), runs, runs);
}

void CopyLfoCrosswise(const model::TPatch& source, int sourceTone, model::TPatch& target,
                      int targetTone, model::TPageKind from) {
    const bool first = from == model::LFO1;
    auto& tone = *source.Tones.at(static_cast<std::size_t>(sourceTone - 1));
    CopyRuns(tone.Data(), target.Tone(targetTone).Data(), first ? Lfo1Runs : Lfo2Runs,
             first ? Lfo2Runs : Lfo1Runs);
}

} // namespace editors
