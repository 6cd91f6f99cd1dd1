#include "editors/form_rhy_main.h"

#include "editors/labelled_controls.h"
#include "editors/page_button_rows.h"
#include "editors/page_choice_rows.h"
#include "editors/wave_page_grid.h"
#include "platform/forms/place_control.h"

#include <vector>

namespace editors {

namespace {

constexpr int ChoiceLeft = 270;
constexpr int ChoiceWidth = 124;
// A column as wide as its longest caption ("Reverb Send Level") and some room.
constexpr int SliderLeft = 400;
constexpr int SliderWidth = 100;
constexpr int PageWidth = 700;

constexpr int RowTop(int row) {
    return TRhythmNotePage::NoteTop + row * TWavePageGrid::RowHeight;
}

TWavePageGrid Grid(forms::TForm& form) {
    return {form, RowTop(0)};
}

forms::TGroupBox& Group(forms::TForm& form, int top, int height, const char* caption) {
    return forms::PlaceControl<forms::TGroupBox>(form, form, ChoiceLeft, top, ChoiceWidth, height,
                                                 caption);
}

forms::TRadioButton& Radio(forms::TForm& form, forms::TGroupBox& group, int place,
                           const char* caption) {
    return forms::PlaceControl<forms::TRadioButton>(form, group, 10, 18 + place * 22,
                                                    ChoiceWidth - 20, 18, caption);
}

} // namespace

TFormRhyMain::TFormRhyMain(forms::TComponent* owner)
    : TRhythmNotePage(owner, Kind, HelpContextNumber, "Main"),
      ToneSwitch(Grid(*this).Check(0, " Tone Switch")),
      ComboWave(Grid(*this).List(1, "Wave Group", TWaveChooser::GroupItems)),
      WaveName(forms::PlaceControl<forms::TEdit>(*this, *this, TWavePageGrid::ControlLeft,
                                                 RowTop(2), 112, 21)),
      Button1(forms::PlaceControl<forms::TButton>(*this, *this, TWavePageGrid::ControlLeft + 116,
                                                  RowTop(2), 24, 21, "B")),
      SpeedGain(Grid(*this).Buttons(3, "Wave Gain", 1, {" -6 ", "0", "+6", "+12"})),
      BenderRange(Grid(*this).StepMinMax(4, "Bender Range", 0, 12)),
      MuteGroup(Grid(*this).StepMinMax(5, "Mute Group", 0, 31)),
      VolumeCtrlSwitch(Grid(*this).Check(6, "Volume Ctrl Switch")),
      Hold1Ctrlswitch(Grid(*this).Check(7, "Hold-1 Ctrl Switch")),
      Outputassign(Grid(*this).List(8, "Output Assign", {"Mix", "EFX", "Output 1", "Output 2"})),
      EnvelopeMode(Group(*this, RowTop(0), 70, "Envelope Mode")),
      Nosustain(Radio(*this, EnvelopeMode, 0, "No Sustain")),
      Sustain(Radio(*this, EnvelopeMode, 1, "Sustain")),
      PanControl(Group(*this, RowTop(3), 92, "Pan Control Switch")),
      PanOff(Radio(*this, PanControl, 0, "Off")),
      PanContinuos(Radio(*this, PanControl, 1, "Continuos")),
      PanKeyon(Radio(*this, PanControl, 2, "Key-On")),
      Outputlevel(PlaceLabelledSlider(*this, *this, SliderLeft, RowTop(0), SliderWidth,
                                      "Output Level", 0, 127)),
      Chorussendlevel(PlaceLabelledSlider(*this, *this, SliderLeft + SliderWidth, RowTop(0),
                                          SliderWidth, "Chorus Send Level", 0, 127)),
      ReverbSendLevel(PlaceLabelledSlider(*this, *this, SliderLeft + 2 * SliderWidth, RowTop(0),
                                          SliderWidth, "Reverb Send Level", 0, 127)),
      waveChooser_(*this, ComboWave, WaveName, Button1) {
    SetCaption("Main");
    Grid(*this).Label(2, "Wave Name");
    WaveName.SetReadOnly(true);

    AddRow<TCheckRow>("ToneSwitch", ToneSwitch, 0);
    AddRow<TWaveGroupRow>(waveChooser_);
    AddRow<TWaveRow>(waveChooser_);
    AddRow<TSpeedGroupRow>(
        "SpeedGain", std::vector<forms::TSpeedButton*>(SpeedGain.begin(), SpeedGain.end()), 5);
    AddRow<TStepRow>("BenderRange", BenderRange, 6, Code);
    AddRow<TStepRow>("MuteGroup", MuteGroup, 7, Code);
    AddRow<TRadioRow>("EnvelopeMode", std::vector<forms::TRadioButton*>{&Nosustain, &Sustain}, 8);
    AddRow<TCheckRow>("VolumeCtrlSwitch", VolumeCtrlSwitch, 9);
    AddRow<TCheckRow>("Hold1Ctrlswitch", Hold1Ctrlswitch, 10);
    AddRow<TRadioRow>("PanControl",
                      std::vector<forms::TRadioButton*>{&PanOff, &PanContinuos, &PanKeyon}, 11);
    AddRow<TListRow>("Outputassign", Outputassign, 54);
    AddRow<TSliderRow>("Outputlevel", Outputlevel, 55, Plain);
    AddRow<TSliderRow>("Chorussendlevel", Chorussendlevel, 56, Plain);
    AddRow<TSliderRow>("ReverbSendLevel", ReverbSendLevel, 57, Plain);

    PlaceNoteButtons(RowTop(9) + 4, PageWidth);
}

} // namespace editors
