#include "editors/form_pitch.h"

#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

#include <string>

namespace editors {

namespace {

using controls::TEditType;

constexpr int SliderColumn = 80;
constexpr int SliderTop = 26;
constexpr int StepLeft = 260;
constexpr int StepLabelWidth = 100;
constexpr int StepRowHeight = 27;
constexpr int PageWidth = 460;

// A column's slider stands 12 in from its left, under its label.
controls::TPanSlider& Slider(forms::TForm& form, int column, const char* label, int min, int max) {
    return PlaceLabelledSlider(form, form, 8 + column * SliderColumn, SliderTop - 18,
                               SliderColumn - 8, label, min, max);
}

controls::TMyEdit& Step(forms::TForm& form, int row, const char* label, TEditType type) {
    return PlaceLabelledField(form, form, StepLeft, 8 + row * StepRowHeight, StepLabelWidth, label,
                              type);
}

controls::TMyEdit& StepMinMax(forms::TForm& form, int row, const char* label, int min, int max,
                              int step) {
    return PlaceLabelledField(form, form, StepLeft, 8 + row * StepRowHeight, StepLabelWidth, label,
                              TEditType::MinMaxS, min, max, step);
}

} // namespace

TFormPitch::TFormPitch(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, Kind, HelpContextNumber, "Pitch"),
      CoarseTune(Slider(*this, 0, "Coarse Tune", -48, 48)),
      FineTune(Slider(*this, 1, "Fine Tune", -50, 50)),
      PitchenvDepth(Slider(*this, 2, "Envelope Depth", -12, 12)),
      RndPitchDepth(Step(*this, 0, "Rand Depth", TEditType::IntM0P1200)),
      PitchKeyfollow(Step(*this, 1, "Keyfollow", TEditType::IntM100P200)),
      PitchEnvVelSens(StepMinMax(*this, 2, "Env Vel Sen", -100, 150, 2)),
      Veltime1sens(Step(*this, 3, "Vel Time 1 Sens", TEditType::IntM100P100)),
      veltime4sens(Step(*this, 4, "Vel Time 4 Sens", TEditType::IntM100P100)),
      timekeyfollow(Step(*this, 5, "Time Keyfollow", TEditType::IntM100P100)),
      Graph(
          PlaceEnvelopeGraph(*this, *this, StepLeft, 8 + 6 * StepRowHeight, controls::FirstHalf)) {
    SetCaption("Pitch");

    AddRow<TSliderRow>("CoarseTune", CoarseTune, 61, Bias(48));
    AddRow<TSliderRow>("FineTune", FineTune, 62, Bias(50));
    AddRow<TStepRow>("RndPitchDepth", RndPitchDepth, 63, Code);
    AddRow<TStepRow>("PitchKeyfollow", PitchKeyfollow, 64, Code);
    AddRow<TSliderRow>("PitchenvDepth", PitchenvDepth, 65, Bias(12));
    AddRow<TStepRow>("PitchEnvVelSens", PitchEnvVelSens, 66, TwiceLess100);
    AddRow<TStepRow>("Veltime1sens", Veltime1sens, 67, Code);
    AddRow<TStepRow>("veltime4sens", veltime4sens, 68, Code);
    AddRow<TStepRow>("timekeyfollow", timekeyfollow, 69, Code);
    AddRow<TEnvelopeRow>("Graph", Graph, TEnvelopeRow::TOffsets{70, 71, 72, 73},
                         TEnvelopeRow::TOffsets{74, 75, 76, 77});

    PlaceButtons(Graph.Top() + Graph.Height() + 8, PageWidth);
}

} // namespace editors
