#pragma once
// The rhythm note main page: note bytes 0-11 and 54-57 (tone switch, wave group and wave, wave
// gain, bender range, mute group, envelope mode, control switches, pan control, output assign
// and levels) of the key picked on the page. The wave is chosen as on the tone wave page: the
// group list follows the expansion boards and PCM card of the settings and stores type and id as
// one message; the wave is picked by name and stored with its group as one message of four
// bytes. Help context 49, caption "<rhythm set> [Main] [Loc : <path>]".

#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "editors/rhythm_note_page.h"
#include "editors/wave_group_rows.h"
#include "platform/forms/buttons.h"
#include "platform/forms/std_ctrls.h"

#include <array>

namespace editors {

class TFormRhyMain : public TRhythmNotePage {
public:
    static constexpr model::TPageKind Kind = model::RHYMAIN;
    static constexpr int HelpContextNumber = 49;
    // The group list's item of the PCM card; 2..5 are the expansion slots A..D.
    static constexpr int PcmItem = TWaveChooser::PcmItem;

    explicit TFormRhyMain(forms::TComponent* owner);

    // The wave shown: its index in the group's list of names, 0-255.
    int WaveNumber() const { return waveChooser_.WaveNumber(); }

    // The user picked a group.
    void ComboWaveChange(forms::TObject*) { waveChooser_.ComboWaveChange(); }
    // Button "B": the wave chosen in the names window.
    void Button1Click(forms::TObject*) { waveChooser_.Button1Click(); }
    // Wave number as chosen: shown by its name and stored with its group unless it is the
    // stored one.
    void PickWave(int number) { waveChooser_.PickWave(number); }

    forms::TCheckBox& ToneSwitch;
    forms::TComboBox& ComboWave;
    forms::TEdit& WaveName;
    forms::TButton& Button1;
    std::array<forms::TSpeedButton*, 4> SpeedGain;
    controls::TMyEdit& BenderRange;
    controls::TMyEdit& MuteGroup;
    forms::TCheckBox& VolumeCtrlSwitch;
    forms::TCheckBox& Hold1Ctrlswitch;
    forms::TComboBox& Outputassign;
    forms::TGroupBox& EnvelopeMode;
    forms::TRadioButton& Nosustain;
    forms::TRadioButton& Sustain;
    forms::TGroupBox& PanControl;
    forms::TRadioButton& PanOff;
    forms::TRadioButton& PanContinuos;
    forms::TRadioButton& PanKeyon;
    controls::TPanSlider& Outputlevel;
    controls::TPanSlider& Chorussendlevel;
    controls::TPanSlider& ReverbSendLevel;

private:
    // Bytes 1-4: the group list, the wave's name and button "B".
    TWaveChooser waveChooser_;
};

} // namespace editors
