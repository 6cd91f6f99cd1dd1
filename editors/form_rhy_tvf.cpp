#include "editors/form_rhy_tvf.h"

#include "editors/filter_type.h"
#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

namespace editors {

namespace {

using controls::TEditType;

constexpr int TypeTop = TRhythmNotePage::NoteTop;
constexpr int TypeHeight = 40;
constexpr int SliderTop = TypeTop + TypeHeight + 24;
constexpr int SliderWidth = 100;
constexpr int StepLeft = 216;
constexpr int StepLabelWidth = 100;
constexpr int StepRowHeight = 27;
constexpr int PageWidth = 536;

int StepTop(int row) {
    return TRhythmNotePage::NoteTop + row * StepRowHeight;
}

forms::TSpeedButton& Arrow(forms::TForm& form, int left, const char* caption) {
    return forms::PlaceControl<forms::TSpeedButton>(form, form, left, TypeTop + 8, 23, 23, caption);
}

} // namespace

TFormRhyTVF::TFormRhyTVF(forms::TComponent* owner)
    : TRhythmNotePage(owner, Kind, HelpContextNumber, "TVF"),
      Image1(forms::PlaceControl<forms::TImage>(*this, *this, 36, TypeTop, 96, TypeHeight)),
      Labelfilter(
          forms::PlaceControl<forms::TLabel>(*this, *this, 36, TypeTop + TypeHeight + 2, 96, 15)),
      Precedente(Arrow(*this, 8, "<")), Successivo(Arrow(*this, 138, ">")),
      cutofffrequency(
          PlaceLabelledSlider(*this, *this, 8, SliderTop, SliderWidth, "Cutoff Frequency", 0, 127)),
      Resonance(PlaceLabelledSlider(*this, *this, 8 + SliderWidth, SliderTop, SliderWidth,
                                    "Resonance", 0, 127)),
      ResVelSens(PlaceLabelledField(*this, *this, StepLeft, StepTop(0), StepLabelWidth,
                                    "Res Vel Sens", TEditType::MinMaxS, -100, 150, 2)),
      EnvDepth(PlaceLabelledField(*this, *this, StepLeft, StepTop(1), StepLabelWidth,
                                  "Envelope Depth", TEditType::MinMaxS, -63, 63, 1)),
      VelocitySens(PlaceLabelledField(*this, *this, StepLeft, StepTop(2), StepLabelWidth,
                                      "Velocity Sens", TEditType::MinMaxS, -100, 150, 2)),
      VelTimeS(PlaceLabelledField(*this, *this, StepLeft, StepTop(3), StepLabelWidth,
                                  "Vel Time Sens", TEditType::IntM100P100)),
      Graph(PlaceEnvelopeGraph(*this, *this, StepLeft, StepTop(4), controls::Normal)),
      filterType_(
          AddRow<TStepperRow>("Filter type", Precedente, Successivo, 26, HighestFilterType,
                              [this](int type) { DrawFilterType(Image1, Labelfilter, type); })) {
    SetCaption("TVF");
    Labelfilter.SetAutoSize(false);
    Labelfilter.Alignment = forms::taCenter;

    AddRow<TSliderRow>("cutofffrequency", cutofffrequency, 27, Plain);
    AddRow<TSliderRow>("Resonance", Resonance, 28, Plain);
    AddRow<TStepRow>("ResVelSens", ResVelSens, 29, TwiceLess100);
    AddRow<TStepRow>("EnvDepth", EnvDepth, 30, Bias(63));
    AddRow<TStepRow>("VelocitySens", VelocitySens, 31, TwiceLess100);
    AddRow<TStepRow>("VelTimeS", VelTimeS, 32, Code);
    AddRow<TEnvelopeRow>("Graph", Graph, TEnvelopeRow::TOffsets{33, 34, 35, 36},
                         TEnvelopeRow::TOffsets{37, 38, 39, 40});

    PlaceNoteButtons(Graph.Top() + Graph.Height() + 8, PageWidth);
}

} // namespace editors
