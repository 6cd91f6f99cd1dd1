#pragma once
// The tone wave page: tone parameters 0-10 (tone switch, wave group and wave, wave gain, FXM,
// tone delay). Beyond its table it chooses the wave: the group list follows the expansion boards
// and PCM card of the settings and stores type and id as one message; the wave is picked by name
// in the names window and stored with its group as one message of four bytes, whenever its
// number differs from the stored one (two entries may share a name). Help context 66, caption
// "<patch> [Wave] [Tone n] [Loc : <path>]".

#include "controls/my_edit.h"
#include "editors/tone_page.h"
#include "editors/wave_group_rows.h"
#include "platform/forms/buttons.h"
#include "platform/forms/std_ctrls.h"

#include <array>

namespace editors {

class TFormWave : public TTonePage {
public:
    static constexpr model::TTonePage Kind = model::tpWave;
    static constexpr int HelpContextNumber = 66;
    // The group list's item of the PCM card; 2..5 are the expansion slots A..D.
    static constexpr int PcmItem = TWaveChooser::PcmItem;
    // The unit's variables: the opener sets them just before it makes the page.
    static inline model::TPatch* PagePatch = nullptr;
    static inline int PageTone = 1;

    explicit TFormWave(forms::TComponent* owner);

    // The number of the names window's list that names the waves of group list item (see
    // TWaveChooser::ListCode).
    static int ListCode(int item) { return TWaveChooser::ListCode(item); }
    // The wave shown: its index in the group's list of names, 0-255.
    int WaveNumber() const { return waveChooser_.WaveNumber(); }
    // The group list item last shown or stored.
    int LastValidItem() const { return waveChooser_.LastValidItem(); }

    // The user picked a group.
    void ComboWaveChange(forms::TObject*) { waveChooser_.ComboWaveChange(); }
    // Button "B": the wave chosen in the names window.
    void Button1Click(forms::TObject*) { waveChooser_.Button1Click(); }
    // Wave number as chosen: shown by its name and stored with its group unless it is the
    // stored one.
    void PickWave(int number) { waveChooser_.PickWave(number); }

    forms::TCheckBox& CheckToneSwitch;
    forms::TComboBox& ComboWave;
    forms::TEdit& WaveName;
    forms::TButton& Button1;
    std::array<forms::TSpeedButton*, 4> SpeedGain;
    forms::TCheckBox& CheckFXMSwitch;
    std::array<forms::TSpeedButton*, 4> SpeedColor;
    controls::TMyEdit& SpinFXMDepth;
    forms::TComboBox& ToneDelayMode;
    controls::TMyEdit& TonedlyTime;

private:
    // Bytes 1-4: the group list, the wave's name and button "B".
    TWaveChooser waveChooser_;
};

} // namespace editors
