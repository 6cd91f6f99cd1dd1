#include "editors/patch_pages.h"

#include "editors/form_common.h"
#include "editors/form_control.h"
#include "editors/form_effect.h"
#include "editors/form_lfo.h"
#include "editors/form_pitch.h"
#include "editors/form_tva.h"
#include "editors/form_tvf.h"
#include "editors/form_wave.h"
#include "editors/tone_page.h"

#include <algorithm>

namespace editors {

namespace {

template <class Page>
void OpenTone(model::TPatch& patch, int tone, platform::forms::TComponent& owner) {
    OpenTonePage<Page>(patch, tone, owner);
}

template <int Lfo>
void OpenLfo(model::TPatch& patch, int tone, platform::forms::TComponent& owner) {
    OpenLfoPage(patch, tone, Lfo, owner);
}

void OpenCommon(model::TPatch& patch, int, platform::forms::TComponent& owner) {
    OpenCommonPage(patch, owner);
}

void OpenEffects(model::TPatch& patch, int, platform::forms::TComponent& owner) {
    OpenEffectPatch(patch, owner);
}

constexpr TPatchPageEntry Entries[] = {
    {model::COMMON, &OpenCommon},        {model::CONTROL, &OpenTone<TFormControl>},
    {model::WAVE, &OpenTone<TFormWave>}, {model::PITCH, &OpenTone<TFormPitch>},
    {model::LFO1, &OpenLfo<1>},          {model::LFO2, &OpenLfo<2>},
    {model::TVA, &OpenTone<TFormTVA>},   {model::TVF, &OpenTone<TFormTVF>},
    {model::EFFECTS, &OpenEffects},
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
