#pragma once
// The rhythm note pitch page: note bytes 12-25 (source key, fine tune, random depth, the pitch
// envelope with its depth and velocity controls) of the key picked on the page. Help context
// 50, caption "<rhythm set> [Pitch] [Loc : <path>]".

#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "editors/rhythm_note_page.h"

namespace editors {

class TFormRhyPitch : public TRhythmNotePage {
public:
    static constexpr model::TPageKind Kind = model::RHYPITCH;
    static constexpr int HelpContextNumber = 50;

    explicit TFormRhyPitch(forms::TComponent* owner);

    controls::TPanSlider& FineTune;
    controls::TPanSlider& PitchenvDepth;
    controls::TMyEdit& SourceKey;
    controls::TMyEdit& RndPitchDepth;
    controls::TMyEdit& VelSens;
    controls::TMyEdit& VeltimeSens;
    controls::TPanGraph& Graph;
};

} // namespace editors
