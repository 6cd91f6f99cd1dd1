#pragma once
// The rhythm note filter page: note bytes 26-40 (filter type with its sketch, cutoff,
// resonance, envelope depth, velocity controls, the filter envelope) of the key picked on the
// page. Help context 52, caption "<rhythm set> [TVF] [Loc : <path>]".

#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "editors/page_button_rows.h"
#include "editors/rhythm_note_page.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"

namespace editors {

class TFormRhyTVF : public TRhythmNotePage {
public:
    static constexpr model::TPageKind Kind = model::RHYTVF;
    static constexpr int HelpContextNumber = 52;
    static constexpr int HighestFilterType = 4;

    explicit TFormRhyTVF(forms::TComponent* owner);

    // The filter type shown, 0-4.
    int FilterType() const { return filterType_.Current(); }

    forms::TImage& Image1;
    forms::TLabel& Labelfilter;
    forms::TSpeedButton& Precedente;
    forms::TSpeedButton& Successivo;
    controls::TPanSlider& cutofffrequency;
    controls::TPanSlider& Resonance;
    controls::TMyEdit& ResVelSens;
    controls::TMyEdit& EnvDepth;
    controls::TMyEdit& VelocitySens;
    controls::TMyEdit& VelTimeS;
    controls::TPanGraph& Graph;

private:
    TStepperRow& filterType_;
};

} // namespace editors
