#include "editors/form_tvf.h"

#include "editors/filter_type.h"
#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

namespace editors {

namespace {

using controls::TEditType;

constexpr int TypeTop = 8;
constexpr int TypeHeight = 40;
constexpr int SliderColumn = 80;
constexpr int SliderTop = TypeTop + TypeHeight + 56;
constexpr int StepLeft = 260;
constexpr int StepLabelWidth = 100;
constexpr int StepRowHeight = 27;
constexpr int PageWidth = 460;

controls::TPanSlider& Slider(forms::TForm& form, int column, const char* label, int min, int max) {
    const int left = 8 + column * SliderColumn;
    // Two lines at most: "Cutoff Frequency" is wider than its column.
    PlaceWrappedLabel(form, form, left, SliderTop - 32, SliderColumn - 4, 30, label).Alignment =
        forms::taCenter;
    return PlaceSlider(form, form, left + 12, SliderTop, min, max);
}

controls::TMyEdit& Step(forms::TForm& form, int row, const char* label, TEditType type) {
    return PlaceLabelledField(form, form, StepLeft, 8 + row * StepRowHeight, StepLabelWidth, label,
                              type);
}

controls::TMyEdit& StepMinMax(forms::TForm& form, int row, const char* label, TEditType type,
                              int min, int max, int step) {
    return PlaceLabelledField(form, form, StepLeft, 8 + row * StepRowHeight, StepLabelWidth, label,
                              type, min, max, step);
}

forms::TSpeedButton& Arrow(forms::TForm& form, int left, const char* caption) {
    return forms::PlaceControl<forms::TSpeedButton>(form, form, left, TypeTop + 8, 23, 23, caption);
}

} // namespace

TFormTVF::TFormTVF(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, Kind, HelpContextNumber, "TVF"),
      Image1(forms::PlaceControl<forms::TImage>(*this, *this, 36, TypeTop, 96, TypeHeight)),
      Labelfilter(
          forms::PlaceControl<forms::TLabel>(*this, *this, 36, TypeTop + TypeHeight + 2, 96, 15)),
      Precedente(Arrow(*this, 8, "<")), Successivo(Arrow(*this, 138, ">")),
      cutofffrequency(Slider(*this, 0, "Cutoff Frequency", 0, 127)),
      Resonance(Slider(*this, 1, "Resonance", 0, 127)),
      EnvDepth(Slider(*this, 2, "Envelope Depth", -63, 63)),
      CutoffKeyfollow(Step(*this, 0, "Cutoff Keyfoll", TEditType::IntM100P200)),
      VelocityRes(StepMinMax(*this, 1, "Vel Res", TEditType::MinMaxS, -100, 150, 2)),
      VelocityCurve(StepMinMax(*this, 2, "Vel Curve", TEditType::MinMax, 1, 7, 1)),
      VelocitySens(StepMinMax(*this, 3, "Vel Sens", TEditType::MinMaxS, -100, 150, 2)),
      VelTime1S(Step(*this, 4, "Vel Time 1 Sens", TEditType::IntM100P100)),
      VelTime4S(Step(*this, 5, "Vel Time 4 Sens", TEditType::IntM100P100)),
      TimeKeyfollow(Step(*this, 6, "Time Keyfollow", TEditType::IntM100P100)),
      Graph(PlaceEnvelopeGraph(*this, *this, StepLeft, 8 + 7 * StepRowHeight, controls::Normal)),
      filterType_(
          AddRow<TStepperRow>("Filter type", Precedente, Successivo, 80, HighestFilterType,
                              [this](int type) { DrawFilterType(Image1, Labelfilter, type); })) {
    SetCaption("TVF");
    Labelfilter.SetAutoSize(false);
    Labelfilter.Alignment = forms::taCenter;

    AddRow<TSliderRow>("cutofffrequency", cutofffrequency, 81, Plain);
    AddRow<TStepRow>("CutoffKeyfollow", CutoffKeyfollow, 82, Code);
    AddRow<TSliderRow>("Resonance", Resonance, 83, Plain);
    AddRow<TStepRow>("VelocityRes", VelocityRes, 84, TwiceLess100);
    AddRow<TSliderRow>("EnvDepth", EnvDepth, 85, Bias(63));
    AddRow<TStepRow>("VelocityCurve", VelocityCurve, 86, PlusOne);
    AddRow<TStepRow>("VelocitySens", VelocitySens, 87, TwiceLess100);
    AddRow<TStepRow>("VelTime1S", VelTime1S, 88, Code);
    AddRow<TStepRow>("VelTime4S", VelTime4S, 89, Code);
    AddRow<TStepRow>("TimeKeyfollow", TimeKeyfollow, 90, Code);
    AddRow<TEnvelopeRow>("Graph", Graph, TEnvelopeRow::TOffsets{91, 92, 93, 94},
                         TEnvelopeRow::TOffsets{95, 96, 97, 98});

    PlaceButtons(Graph.Top() + Graph.Height() + 8, PageWidth);
}

} // namespace editors
