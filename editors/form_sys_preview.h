#pragma once
// The system preview page: system common parameters 31-39, the instrument's own preview sound
// mode and its four key and velocity sets. Help context 60, caption "<system> [Preview] [Loc :
// <path>]"; Revert sends the whole system.

#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "editors/system_page.h"
#include "platform/forms/std_ctrls.h"

#include <array>
#include <vector>

namespace editors {

class TFormSysPreview : public TSystemPage {
    std::vector<forms::TRadioButton*> mode_;

public:
    static constexpr int HelpContextNumber = 60;
    // The unit's variable: the opener sets it just before it makes the page.
    static model::TSystem* PageSystem;
    static model::TEditorSlot& SlotOf(model::TSystem& system) { return system.PreviewWindow; }

    explicit TFormSysPreview(forms::TComponent* owner);

    forms::TRadioButton& ModeSingle;
    forms::TRadioButton& ModeChord;
    // KeySet1 .. KeySet4 (Tag 1..4).
    std::array<controls::TMyEdit*, 4> KeySet{};
    // VelSet1, VelSet2, Velset3, VelSet4 (Tag 1..4).
    std::array<controls::TPanSlider*, 4> VelSet{};
};

} // namespace editors
