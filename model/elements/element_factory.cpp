#include "model/elements/element_factory.h"

#include "model/elements/bank.h"
#include "model/elements/global.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/elements/system.h"

namespace model {

std::unique_ptr<TLibElem> CreateElemByType(std::int16_t Type, TLibElem* Owner) {
    switch (Type) {
    case etPatch:
        return std::make_unique<TPatch>(Owner);
    case etPatchBank:
        return std::make_unique<TPatchBank>(Owner);
    case etPerformance:
        return std::make_unique<TPerformance>(Owner);
    case etPerformanceBank:
        return std::make_unique<TPerformanceBank>(Owner);
    case etRhythm:
        return std::make_unique<TRhythm>(Owner);
    case etRhythmBank:
        return std::make_unique<TRhythmBank>(Owner);
    case etSystem:
        return std::make_unique<TSystem>(Owner);
    case etGlobal:
        return std::make_unique<TGlobal>(Owner);
    default:
        return nullptr;
    }
}

} // namespace model
