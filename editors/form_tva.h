#pragma once
// The tone amplifier page: tone parameters 101-122 but 117 and 118 (the LFOs' depths): level,
// velocity controls, level bias with its direction sketch, pan and its key follow, random and
// alternate pan, the amplifier envelope (its last level is always 0 and has no byte). Help
// context 64, caption "<patch> [TVA] [Tone n] [Loc : <path>]".

#include "controls/click_edit.h"
#include "controls/my_edit.h"
#include "controls/pan_graph.h"
#include "controls/pan_slider.h"
#include "editors/page_button_rows.h"
#include "editors/tone_page.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"

namespace editors {

class TFormTVA : public TTonePage {
public:
    static constexpr model::TTonePage Kind = model::tpTVA;
    static constexpr int HelpContextNumber = 64;
    // The unit's variables: the opener sets them just before it makes the page.
    static inline model::TPatch* PagePatch = nullptr;
    static inline int PageTone = 1;

    explicit TFormTVA(forms::TComponent* owner);

    // The bias direction shown: 0 "Lower", 1 "Upper", 2 "Lower Upper", 3 "All".
    int Direction() const { return direction_->Current(); }

    controls::TPanSlider& Level;
    controls::TPanSlider& RndPanDepth;
    controls::TPanSlider& AltPanDepth;
    forms::TLabel& LabelPan;
    controls::TClickEdit& ClickPan;
    forms::TImage& Image1;
    forms::TLabel& LabelDir;
    forms::TSpeedButton& Precedente;
    forms::TSpeedButton& Successivo;
    controls::TMyEdit& BiasPoint;
    controls::TMyEdit& BiasLevel;
    controls::TMyEdit& EnvVelCurve;
    controls::TMyEdit& VelocitySens;
    controls::TMyEdit& VelTime1S;
    controls::TMyEdit& VelTime4S;
    controls::TMyEdit& TimeKeyfollow;
    controls::TMyEdit& PanKeyfollow;
    controls::TPanGraph& Graph;

private:
    // The level bias over the keyboard for a direction, with the bias point's mark, in Image1;
    // its name in LabelDir.
    void DrawDirection(int direction);

    TStepperRow* direction_ = nullptr;
};

} // namespace editors
