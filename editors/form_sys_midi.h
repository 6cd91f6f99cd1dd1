#pragma once
// The system MIDI page: system common parameters 12-30 (clock source, tap, hold and peak control
// sources, volume and aftertouch sources, the two system control sources, the receive switches,
// the control and patch receive channels, the rhythm edit source). Help context 59, caption
// "<system> [Midi] [Loc : <path>]"; Revert sends the whole system.

#include "controls/my_edit.h"
#include "editors/system_page.h"
#include "platform/forms/std_ctrls.h"

#include <vector>

namespace editors {

class TFormSysMidi : public TSystemPage {
    std::vector<forms::TRadioButton*> clock_;
    std::vector<forms::TRadioButton*> volume_;
    std::vector<forms::TRadioButton*> rhythm_;

public:
    static constexpr int HelpContextNumber = 59;
    // The unit's variable: the opener sets it just before it makes the page.
    static model::TSystem* PageSystem;
    static model::TEditorSlot& SlotOf(model::TSystem& system) { return system.MidiWindow; }

    explicit TFormSysMidi(forms::TComponent* owner);

    forms::TRadioButton& Internal;
    forms::TRadioButton& Midi;
    forms::TComboBox& TapSource;
    forms::TComboBox& HoldSource;
    forms::TComboBox& PeakSource;
    forms::TRadioButton& SourceVolume;
    forms::TRadioButton& SourceVolumeExp;
    forms::TComboBox& AfterTouchSource;
    controls::TMyEdit& SysCtrlSource1;
    controls::TMyEdit& SysCtrlSource2;
    forms::TCheckBox& PrgChange;
    forms::TCheckBox& BankSel;
    forms::TCheckBox& CtrlChange;
    forms::TCheckBox& Modulation;
    forms::TCheckBox& Volume;
    forms::TCheckBox& Hold1;
    forms::TCheckBox& Bender;
    forms::TCheckBox& Aftertouch;
    controls::TMyEdit& CtrlChannel;
    controls::TMyEdit& PatchRecchannel;
    forms::TRadioButton& Panel;
    forms::TRadioButton& PanelMidi;
};

} // namespace editors
