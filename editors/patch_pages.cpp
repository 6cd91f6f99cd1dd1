#include "editors/patch_pages.h"

#include "editors/form_pitch.h"
#include "editors/tone_page.h"

#include <algorithm>

namespace editors {

namespace {

template <class Page>
void OpenTone(model::TPatch& patch, int tone, platform::forms::TComponent& owner) {
    OpenTonePage<Page>(patch, tone, owner);
}

constexpr TPatchPageEntry Entries[] = {
    {model::PITCH, &OpenTone<TFormPitch>},
};

} // namespace

std::span<const TPatchPageEntry> PatchPages() {
    return Entries;
}

bool OpenPatchPage(model::TPageKind kind, model::TPatch& patch, int tone,
                   platform::forms::TComponent& owner) {
    const auto entry = std::find_if(std::begin(Entries), std::end(Entries),
                                    [kind](const TPatchPageEntry& e) { return e.Kind == kind; });
    if (entry == std::end(Entries)) return false;
    entry->Open(patch, tone, owner);
    return true;
}

} // namespace editors
