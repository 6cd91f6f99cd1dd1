#include "editors/performance_pages.h"

#include "editors/form_effect.h"
#include "editors/form_part.h"
#include "editors/form_per_comm.h"

#include <algorithm>

namespace editors {

namespace {

void OpenCommon(model::TPerformance& performance, platform::forms::TComponent& owner) {
    OpenPerCommPage(performance, owner);
}

void OpenEffects(model::TPerformance& performance, platform::forms::TComponent& owner) {
    OpenEffectPerformance(performance, owner);
}

void OpenParts(model::TPerformance& performance, platform::forms::TComponent& owner) {
    OpenPartPage(performance, owner);
}

constexpr TPerformancePageEntry Entries[] = {
    {model::PERCOM, &OpenCommon},
    {model::PEREFF, &OpenEffects},
    {model::PERPARTS, &OpenParts},
};

} // namespace

std::span<const TPerformancePageEntry> PerformancePages() {
    return Entries;
}

bool OpenPerformancePage(model::TPageKind kind, model::TPerformance& performance,
                         platform::forms::TComponent& owner) {
    const auto entry =
        std::find_if(std::begin(Entries), std::end(Entries),
                     [kind](const TPerformancePageEntry& e) { return e.Kind == kind; });
    if (entry == std::end(Entries)) return false;
    entry->Open(performance, owner);
    return true;
}

} // namespace editors
