#include "editors/form_rhy_main.h"

#include "editors/labelled_controls.h"
#include "editors/page_button_rows.h"
#include "editors/page_choice_rows.h"
#include "editors/place_control.h"

#include <vector>

namespace editors {

namespace {

using controls::TEditType;

constexpr int LabelLeft = 8;
constexpr int ControlLeft = 120;
constexpr int RowHeight = 28;
constexpr int ChoiceLeft = 276;
constexpr int ChoiceWidth = 130;
constexpr int SliderLeft = 416;
constexpr int SliderWidth = 90;
constexpr int PageWidth = 700;

constexpr int RowTop(int row) {
    return TRhythmNotePage::NoteTop + row * RowHeight;
}

forms::TLabel& Label(forms::TForm& form, int row, const char* text) {
    return PlaceControl<forms::TLabel>(form, form, LabelLeft, RowTop(row) + 3, ControlLeft - 12, 15,
                                       text);
}

forms::TCheckBox& Check(forms::TForm& form, int row, const char* caption) {
    return PlaceControl<forms::TCheckBox>(form, form, LabelLeft, RowTop(row), 150, 17, caption);
}

forms::TComboBox& List(forms::TForm& form, int row, const char* label,
                       std::initializer_list<const char*> items) {
    Label(form, row, label);
    auto& list = PlaceControl<forms::TComboBox>(form, form, ControlLeft, RowTop(row), 140, 21);
    list.Style = forms::csDropDownList;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

std::array<forms::TSpeedButton*, 4> Gains(forms::TForm& form, int row) {
    Label(form, row, "Wave Gain");
    const char* captions[] = {" -6 ", "0", "+6", "+12"};
    std::array<forms::TSpeedButton*, 4> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto& button = PlaceControl<forms::TSpeedButton>(
            form, form, ControlLeft + static_cast<int>(i) * 36, RowTop(row), 34, 21, captions[i]);
        button.SetGroupIndex(1);
        buttons[i] = &button;
    }
    return buttons;
}

controls::TMyEdit& StepMinMax(forms::TForm& form, int row, const char* label, int min, int max) {
    return PlaceLabelledMinMax(form, LabelLeft, RowTop(row), ControlLeft - 12, label,
                               TEditType::MinMax, min, max, 1);
}

forms::TGroupBox& Group(forms::TForm& form, int top, int height, const char* caption) {
    return PlaceControl<forms::TGroupBox>(form, form, ChoiceLeft, top, ChoiceWidth, height,
                                          caption);
}

forms::TRadioButton& Radio(forms::TForm& form, forms::TGroupBox& group, int place,
                           const char* caption) {
    return PlaceControl<forms::TRadioButton>(form, group, 10, 18 + place * 22, ChoiceWidth - 20, 18,
                                             caption);
}

} // namespace

TFormRhyMain::TFormRhyMain(forms::TComponent* owner)
    : TRhythmNotePage(owner, Kind, HelpContextNumber, "Main"),
      ToneSwitch(Check(*this, 0, " Tone Switch")),
      ComboWave(List(*this, 1, "Wave Group", TWaveChooser::GroupItems)),
      WaveName(PlaceControl<forms::TEdit>(*this, *this, ControlLeft, RowTop(2), 112, 21)),
      Button1(
          PlaceControl<forms::TButton>(*this, *this, ControlLeft + 116, RowTop(2), 24, 21, "B")),
      SpeedGain(Gains(*this, 3)), BenderRange(StepMinMax(*this, 4, "Bender Range", 0, 12)),
      MuteGroup(StepMinMax(*this, 5, "Mute Group", 0, 31)),
      VolumeCtrlSwitch(Check(*this, 6, "Volume Ctrl Switch")),
      Hold1Ctrlswitch(Check(*this, 7, "Hold-1 Ctrl Switch")),
      Outputassign(List(*this, 8, "Output Assign", {"Mix", "EFX", "Output 1", "Output 2"})),
      EnvelopeMode(Group(*this, RowTop(0), 70, "Envelope Mode")),
      Nosustain(Radio(*this, EnvelopeMode, 0, "No Sustain")),
      Sustain(Radio(*this, EnvelopeMode, 1, "Sustain")),
      PanControl(Group(*this, RowTop(3), 92, "Pan Control Switch")),
      PanOff(Radio(*this, PanControl, 0, "Off")),
      PanContinuos(Radio(*this, PanControl, 1, "Continuos")),
      PanKeyon(Radio(*this, PanControl, 2, "Key-On")),
      Outputlevel(
          PlaceLabelledSlider(*this, SliderLeft, RowTop(0), SliderWidth, "Output Level", 0, 127)),
      Chorussendlevel(PlaceLabelledSlider(*this, SliderLeft + SliderWidth, RowTop(0), SliderWidth,
                                          "Chorus Send Level", 0, 127)),
      ReverbSendLevel(PlaceLabelledSlider(*this, SliderLeft + 2 * SliderWidth, RowTop(0),
                                          SliderWidth, "Reverb Send Level", 0, 127)),
      waveChooser_(*this, ComboWave, WaveName, Button1) {
    SetCaption("Main");
    Label(*this, 2, "Wave Name");
    WaveName.ReadOnly = true;

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
