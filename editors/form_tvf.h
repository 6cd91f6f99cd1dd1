#pragma once
// The tone filter page: tone parameters 80-98 (filter type with its sketch, cutoff, resonance,
// their velocity and key controls, the filter envelope). Its table and the type's stepper are
// all it adds to the engine; like its sibling pages it sends its patch to the edit buffer when
// it becomes active. Help context 65, caption "<patch> [TVF] [Tone n] [Loc : <path>]".

#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "editors/page_button_rows.h"
#include "editors/tone_page.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"

namespace editors {

class TFormTVF : public TTonePage {
public:
    static constexpr model::TTonePage Kind = model::tpTVF;
    static constexpr int HelpContextNumber = 65;
    static constexpr int HighestFilterType = 4;
    // The unit's variables: the opener sets them just before it makes the page.
    static inline model::TPatch* PagePatch = nullptr;
    static inline int PageTone = 1;

    explicit TFormTVF(forms::TComponent* owner);

    // The filter type shown, 0-4.
    int FilterType() const { return filterType_.Current(); }

    forms::TImage& Image1;
    forms::TLabel& Labelfilter;
    forms::TSpeedButton& Precedente;
    forms::TSpeedButton& Successivo;
    controls::TPanSlider& cutofffrequency;
    controls::TPanSlider& Resonance;
    controls::TPanSlider& EnvDepth;
    controls::TMyEdit& CutoffKeyfollow;
    controls::TMyEdit& VelocityRes;
    controls::TMyEdit& VelocityCurve;
    controls::TMyEdit& VelocitySens;
    controls::TMyEdit& VelTime1S;
    controls::TMyEdit& VelTime4S;
    controls::TMyEdit& TimeKeyfollow;
    controls::TPanGraph& Graph;

private:
    TStepperRow& filterType_;
};

} // namespace editors
