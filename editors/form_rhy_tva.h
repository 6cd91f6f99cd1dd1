#pragma once
// The rhythm note amplifier page: note bytes 41-53 (tone level, velocity controls, the
// amplifier envelope of four times and three levels, pan, random and alternate pan depth) of
// the key picked on the page. The envelope's last level is no parameter: always 0, never stored.
// Help context 51, caption "<rhythm set> [TVA] [Loc : <path>]".

#include "controls/click_edit.h"
#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "editors/rhythm_note_page.h"

namespace editors {

class TFormrhyTva : public TRhythmNotePage {
public:
    static constexpr model::TPageKind Kind = model::RHYTVA;
    static constexpr int HelpContextNumber = 51;

    explicit TFormrhyTva(forms::TComponent* owner);

    controls::TPanSlider& ToneLevel;
    controls::TPanSlider& RndPanDepth;
    controls::TPanSlider& AltPanDepth;
    controls::TClickEdit& ClickPan;
    controls::TMyEdit& VelocitySens;
    controls::TMyEdit& VelTimeSens;
    controls::TPanGraph& Graph;
};

} // namespace editors
