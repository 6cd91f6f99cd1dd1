#include "editors/form_wave.h"

#include "editors/page_button_rows.h"
#include "editors/wave_page_grid.h"
#include "platform/forms/place_control.h"

#include <vector>

namespace editors {

namespace {

constexpr int PageWidth = 276;

constexpr int RowTop(int row) {
    return 8 + row * TWavePageGrid::RowHeight;
}

TWavePageGrid Grid(forms::TForm& form) {
    return {form, RowTop(0)};
}

} // namespace

TFormWave::TFormWave(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, Kind, HelpContextNumber, "Wave"),
      CheckToneSwitch(Grid(*this).Check(0, " Tone Switch")),
      ComboWave(Grid(*this).List(1, "Wave Group", TWaveChooser::GroupItems)),
      WaveName(forms::PlaceControl<forms::TEdit>(*this, *this, TWavePageGrid::ControlLeft,
                                                 RowTop(2), 112, 21)),
      Button1(forms::PlaceControl<forms::TButton>(*this, *this, TWavePageGrid::ControlLeft + 116,
                                                  RowTop(2), 24, 21, "B")),
      SpeedGain(Grid(*this).Buttons(3, "Wave Gain", 1, {" -6 ", "0", "+6", "+12"})),
      CheckFXMSwitch(Grid(*this).Check(4, " FXM Switch")),
      SpeedColor(Grid(*this).Buttons(5, "FXM Color", 2, {"1", "2", "3", "4"})),
      SpinFXMDepth(Grid(*this).StepMinMax(6, "FXM Depth", 1, 16)),
      ToneDelayMode(Grid(*this).List(7, "Tone Delay Mode",
                                     {"Normal", "Hold", "Key-Interval", "Clock-Sync", "Tap-Sync",
                                      "Key-Off-Normal", "Key-Off-Decay"})),
      TonedlyTime(Grid(*this).Step(8, "Tone Dly Time", controls::TEditType::Int0M880)),
      waveChooser_(*this, ComboWave, WaveName, Button1) {
    SetCaption("Wave");
    Grid(*this).Label(2, "Wave Name");
    WaveName.SetReadOnly(true);

    AddRow<TCheckRow>("CheckToneSwitch", CheckToneSwitch, 0);
    AddRow<TWaveGroupRow>(waveChooser_);
    AddRow<TWaveRow>(waveChooser_);
    AddRow<TSpeedGroupRow>(
        "SpeedGain", std::vector<forms::TSpeedButton*>(SpeedGain.begin(), SpeedGain.end()), 5);
    AddRow<TCheckRow>("CheckFXMSwitch", CheckFXMSwitch, 6);
    AddRow<TSpeedGroupRow>(
        "SpeedColor", std::vector<forms::TSpeedButton*>(SpeedColor.begin(), SpeedColor.end()), 7);
    AddRow<TStepRow>("SpinFXMDepth", SpinFXMDepth, 8, PlusOne);
    AddRow<TListRow>("ToneDelayMode", ToneDelayMode, 9);
    AddRow<TStepRow>("TonedlyTime", TonedlyTime, 10, Code);

    PlaceButtons(RowTop(9) + 4, PageWidth);
}

} // namespace editors
