#pragma once
// The tone LFO page: one of the two LFOs of a tone. Its block, from 45 for LFO 1 and 53 for LFO
// 2: waveform (with its sketch), key trigger, rate, offset, fade delay, fade mode, fade time and
// external sync; beside it the LFO's depths on pitch (77 + L), filter (98 + L), amplifier
// (116 + L) and pan (122 + L). Each LFO has its own window, open flag and position per tone.
// Help context 22, caption "<patch> [LFO L] [Tone n] [Loc : <path>]".
//
// The fade graph keeps its values by their place on the time axis, so a new fade mode makes the
// delay and the time trade places in it: the page takes both from the record again whenever the
// mode changes, before the next edit of the graph stores them.

#include "controls/fade_graph.h"
#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "editors/fade_row.h"
#include "editors/page_button_rows.h"
#include "editors/tone_page.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"

#include <cstdint>
#include <random>

namespace editors {

class TFormLFO : public TTonePage {
public:
    static constexpr int HelpContextNumber = 22;
    // The unit's variables: the opener sets them just before it makes the page.
    static inline model::TPatch* PagePatch = nullptr;
    static inline int PageTone = 1;
    static inline int PageLfo = 1;

    explicit TFormLFO(forms::TComponent* owner);

    // 1 or 2.
    int Lfo() const { return lfo_; }
    // Where the LFO's block starts in the tone.
    std::uint16_t Base() const { return static_cast<std::uint16_t>(45 + 8 * (lfo_ - 1)); }
    // The waveform shown: 0 "Triangolar" .. 7 "Caos".
    int Waveform() const { return waveform_->Current(); }

    forms::TImage& Image1;
    forms::TLabel& LabelWave;
    forms::TSpeedButton& Precedente;
    forms::TSpeedButton& Successivo;
    forms::TCheckBox& KeyTrigger;
    controls::TMyEdit& LFORate;
    controls::TMyEdit& OffsetLevel;
    forms::TComboBox& FadeMode;
    forms::TComboBox& ExternalSync;
    controls::TFadeGraph& FadeGraph;
    controls::TPanSlider& PitchLFODepth;
    controls::TPanSlider& TVFLfoDepth;
    controls::TPanSlider& TVALfoDepth;
    controls::TPanSlider& PanDepth;

    // After the fade mode's row stored the user's pick.
    void FadeModeChange(forms::TObject* Sender);

private:
    // The waveform's sketch in Image1 and its name in LabelWave.
    void DrawWaveForm(int waveform);

    int lfo_;
    TStepperRow* waveform_ = nullptr;
    TFadeRow* fade_ = nullptr;
    // The "Random" and "Caos" sketches differ from drawing to drawing.
    std::minstd_rand random_;
};

// The LFO's window of the tone: brought to the front when the tone's record has it open, else
// made with owner as its owner after the unit's variables were set, and shown.
TFormLFO& OpenLfoPage(model::TPatch& patch, int tone, int lfo, forms::TComponent& owner);

} // namespace editors
