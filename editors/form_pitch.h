#pragma once
// The tone pitch page: tone parameters 61-77 (coarse and fine tune, random depth, key follow,
// the pitch envelope with its depth and velocity controls). Its table is all it adds to the
// engine; help context 43, caption "<patch> [Pitch] [Tone n] [Loc : <path>]".

#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "editors/tone_page.h"
#include "platform/forms/std_ctrls.h"

namespace editors {

class TFormPitch : public TTonePage {
public:
    static constexpr model::TTonePage Kind = model::tpPitch;
    static constexpr int HelpContextNumber = 43;
    // The unit's variables: the opener sets them just before it makes the page.
    static inline model::TPatch* PagePatch = nullptr;
    static inline int PageTone = 1;

    explicit TFormPitch(forms::TComponent* owner);

    controls::TPanSlider& CoarseTune;
    controls::TPanSlider& FineTune;
    controls::TPanSlider& PitchenvDepth;
    controls::TMyEdit& RndPitchDepth;
    controls::TMyEdit& PitchKeyfollow;
    controls::TMyEdit& PitchEnvVelSens;
    controls::TMyEdit& Veltime1sens;
    controls::TMyEdit& veltime4sens;
    controls::TMyEdit& timekeyfollow;
    controls::TPanGraph& Graph;
};

} // namespace editors
