#include "editors/form_pitch.h"

#include "editors/place_control.h"

#include <cassert>
#include <string>

namespace editors {

model::TPatch* TFormPitch::PagePatch = nullptr;
int TFormPitch::PageTone = 1;

namespace {

using controls::TEditType;

model::TPatch& TakePatch() {
    assert(TFormPitch::PagePatch != nullptr && "the opener sets PagePatch first");
    return *TFormPitch::PagePatch;
}

constexpr int SliderColumn = 80;
constexpr int SliderTop = 26;
constexpr int StepLeft = 260;
constexpr int StepRowHeight = 27;
constexpr int PageWidth = 460;

controls::TPanSlider& Slider(forms::TForm& form, int column, const char* label, int min, int max) {
    const int left = 8 + column * SliderColumn;
    PlaceControl<forms::TLabel>(form, form, left, 8, SliderColumn - 4, 15, label);
    auto& slider = PlaceControl<controls::TPanSlider>(form, form, left + 12, SliderTop, 48, 140);
    slider.SetELeft(5);
    slider.SetETop(5);
    slider.SetEWidth(38);
    slider.SetEHeight(15);
    slider.SetSLeft(14);
    slider.SetSTop(26);
    slider.SetSWidth(20);
    slider.SetSHeight(108);
    slider.SetMin(min);
    slider.SetMax(max);
    return slider;
}

controls::TMyEdit& Step(forms::TForm& form, int row, const char* label, TEditType type) {
    const int top = 8 + row * StepRowHeight;
    PlaceControl<forms::TLabel>(form, form, StepLeft, top + 3, 100, 15, label);
    auto& edit = PlaceControl<controls::TMyEdit>(form, form, StepLeft + 104, top, 88, 21);
    edit.SetEditType(type);
    return edit;
}

controls::TMyEdit& StepMinMax(forms::TForm& form, int row, const char* label, int min, int max,
                              int step) {
    controls::TMyEdit& edit = Step(form, row, label, TEditType::MinMaxS);
    edit.Min = min;
    edit.Max = max;
    edit.Step = step;
    edit.SetEditType(TEditType::MinMaxS);
    return edit;
}

} // namespace

TFormPitch::TFormPitch(forms::TComponent* owner)
    : TTonePage(owner, TakePatch(), PageTone, Kind, HelpContextNumber, "Pitch"),
      CoarseTune(Slider(*this, 0, "Coarse Tune", -48, 48)),
      FineTune(Slider(*this, 1, "Fine Tune", -50, 50)),
      PitchenvDepth(Slider(*this, 2, "Envelope Depth", -12, 12)),
      RndPitchDepth(Step(*this, 0, "Rand Depth", TEditType::IntM0P1200)),
      PitchKeyfollow(Step(*this, 1, "Keyfollow", TEditType::IntM100P200)),
      PitchEnvVelSens(StepMinMax(*this, 2, "Env Vel Sen", -100, 150, 2)),
      Veltime1sens(Step(*this, 3, "Vel Time 1 Sens", TEditType::IntM100P100)),
      veltime4sens(Step(*this, 4, "Vel Time 4 Sens", TEditType::IntM100P100)),
      timekeyfollow(Step(*this, 5, "Time Keyfollow", TEditType::IntM100P100)),
      Graph(PlaceControl<controls::TPanGraph>(*this, *this, StepLeft, 8 + 6 * StepRowHeight, 192,
                                              150)) {
    SetCaption("Pitch");
    Graph.SetGraphType(controls::FirstHalf);
    Graph.SetGLeft(5);
    Graph.SetGTop(62);
    Graph.SetGWidth(180);
    Graph.SetGHeight(82);
    Graph.SetELeft(30);
    Graph.SetEWidth(36);

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
