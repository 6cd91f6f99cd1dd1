#include "editors/form_wave.h"

#include "editors/labelled_controls.h"
#include "editors/page_button_rows.h"
#include "editors/place_control.h"

#include <vector>

namespace editors {

namespace {

using controls::TEditType;

constexpr int LabelLeft = 8;
constexpr int ControlLeft = 120;
constexpr int RowHeight = 28;
constexpr int PageWidth = 276;

constexpr int RowTop(int row) {
    return 8 + row * RowHeight;
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

std::array<forms::TSpeedButton*, 4> Buttons(forms::TForm& form, int row, const char* label,
                                            int group, std::array<const char*, 4> captions) {
    Label(form, row, label);
    std::array<forms::TSpeedButton*, 4> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto& button = PlaceControl<forms::TSpeedButton>(
            form, form, ControlLeft + static_cast<int>(i) * 36, RowTop(row), 34, 21, captions[i]);
        button.SetGroupIndex(group);
        buttons[i] = &button;
    }
    return buttons;
}

controls::TMyEdit& Step(forms::TForm& form, int row, const char* label, TEditType type) {
    return PlaceLabelledStep(form, LabelLeft, RowTop(row), ControlLeft - LabelLeft - 4, label,
                             type);
}

controls::TMyEdit& StepMinMax(forms::TForm& form, int row, const char* label, int min, int max) {
    return PlaceLabelledMinMax(form, LabelLeft, RowTop(row), ControlLeft - LabelLeft - 4, label,
                               TEditType::MinMax, min, max, 1);
}

} // namespace

TFormWave::TFormWave(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, Kind, HelpContextNumber, "Wave"),
      CheckToneSwitch(Check(*this, 0, " Tone Switch")),
      ComboWave(List(*this, 1, "Wave Group", TWaveChooser::GroupItems)),
      WaveName(PlaceControl<forms::TEdit>(*this, *this, ControlLeft, RowTop(2), 112, 21)),
      Button1(
          PlaceControl<forms::TButton>(*this, *this, ControlLeft + 116, RowTop(2), 24, 21, "B")),
      SpeedGain(Buttons(*this, 3, "Wave Gain", 1, {" -6 ", "0", "+6", "+12"})),
      CheckFXMSwitch(Check(*this, 4, " FXM Switch")),
      SpeedColor(Buttons(*this, 5, "FXM Color", 2, {"1", "2", "3", "4"})),
      SpinFXMDepth(StepMinMax(*this, 6, "FXM Depth", 1, 16)),
      ToneDelayMode(List(*this, 7, "Tone Delay Mode",
                         {"Normal", "Hold", "Key-Interval", "Clock-Sync", "Tap-Sync",
                          "Key-Off-Normal", "Key-Off-Decay"})),
      TonedlyTime(Step(*this, 8, "Tone Dly Time", TEditType::Int0M880)),
      waveChooser_(*this, ComboWave, WaveName, Button1) {
    SetCaption("Wave");
    Label(*this, 2, "Wave Name");
    WaveName.ReadOnly = true;

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
