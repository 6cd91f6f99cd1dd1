#pragma once
// The tone control page: tone parameters 11-44 and 125-128 (velocity cross-fade, velocity and
// key ranges, the controller receive switches, the control matrix and the output assign and
// levels). The matrix shows the row of one controller at a time, picked by the controller
// buttons; its controls store at that controller's bytes. Help context 3, caption
// "<patch> [Control] [Tone n] [Loc : <path>]".

#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "editors/tone_page.h"
#include "platform/forms/buttons.h"
#include "platform/forms/std_ctrls.h"

#include <array>

namespace editors {

class TFormControl : public TTonePage {
public:
    static constexpr model::TTonePage Kind = model::tpControl;
    static constexpr int HelpContextNumber = 3;
    // The unit's variables: the opener sets them just before it makes the page.
    static inline model::TPatch* PagePatch = nullptr;
    static inline int PageTone = 1;

    explicit TFormControl(forms::TComponent* owner);

    // The controller (1..3) whose matrix row the page shows; 1 when the page is made.
    int Controller() const { return controller_; }
    // Any controller button: shows the row of the controller of its Tag; nothing is sent.
    void Speed1Click(forms::TObject* Sender);
    // Fills Dest1..Dest4 and Depth1..Depth4 from the shown controller's bytes.
    void UpdateCtrlPage();
    // While a key is stepped, the lower key never passes the upper one.
    void KeyRangeLowchange(forms::TObject* Sender);
    void KeyRangeUpchange(forms::TObject* Sender);

    controls::TPanSlider& VelCrossFadeDepth;
    controls::TPanSlider& VelRangeLow;
    controls::TPanSlider& VelRangeUp;
    forms::TGroupBox& GroupKeyRange;
    controls::TMyEdit& KeyRangeLow;
    controls::TMyEdit& KeyRangeUp;
    forms::TCheckBox& RedCtrlSwitch;
    forms::TCheckBox& VolCtrlSwitch;
    forms::TCheckBox& Hold1ctrlswitch;
    forms::TCheckBox& BendCtrlSwitch;
    forms::TComboBox& PanCtrlSwitch;
    forms::TComboBox& Outputassign;
    forms::TSpeedButton& Speed1;
    forms::TSpeedButton& Speed2;
    forms::TSpeedButton& Speed3;
    forms::TComboBox& Dest1;
    forms::TComboBox& Dest2;
    forms::TComboBox& Dest3;
    forms::TComboBox& Dest4;
    controls::TPanSlider& Depth1;
    controls::TPanSlider& Depth2;
    controls::TPanSlider& Depth3;
    controls::TPanSlider& Depth4;
    controls::TPanSlider& Outputlevel;
    controls::TPanSlider& Chorussendlevel;
    controls::TPanSlider& ReverbSendLevel;

private:
    int controller_ = 1;
    std::array<TPageRow*, 8> matrix_{};
};

} // namespace editors
