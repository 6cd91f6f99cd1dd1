#include "editors/form_rhy_pitch.h"

#include "editors/labelled_controls.h"

namespace editors {

namespace {

using controls::TEditType;

constexpr int SliderWidth = 100;
constexpr int StepLeft = 216;
constexpr int StepLabelWidth = 100;
constexpr int StepRowHeight = 27;
constexpr int PageWidth = 536;

int StepTop(int row) {
    return TRhythmNotePage::NoteTop + row * StepRowHeight;
}

} // namespace

TFormRhyPitch::TFormRhyPitch(forms::TComponent* owner)
    : TRhythmNotePage(owner, Kind, HelpContextNumber, "Pitch"),
      FineTune(PlaceLabelledSlider(*this, *this, 8, NoteTop, SliderWidth, "Fine Tune", -50, 50)),
      PitchenvDepth(PlaceLabelledSlider(*this, *this, 8 + SliderWidth, NoteTop, SliderWidth,
                                        "Envelope Depth", -12, 12)),
      SourceKey(PlaceLabelledField(*this, *this, StepLeft, StepTop(0), StepLabelWidth, "Source Key",
                                   TEditType::Note)),
      RndPitchDepth(PlaceLabelledField(*this, *this, StepLeft, StepTop(1), StepLabelWidth,
                                       "Rand Depth", TEditType::IntM0P1200)),
      VelSens(PlaceLabelledField(*this, *this, StepLeft, StepTop(2), StepLabelWidth,
                                 " Vel  Sensity", TEditType::MinMaxS, -100, 150, 2)),
      VeltimeSens(PlaceLabelledField(*this, *this, StepLeft, StepTop(3), StepLabelWidth,
                                     "Vel Time Sens", TEditType::IntM100P100)),
      Graph(PlaceEnvelopeGraph(*this, *this, StepLeft, StepTop(4), controls::FirstHalf)) {
    SetCaption("Pitch");

    AddRow<TStepRow>("SourceKey", SourceKey, 12, Code);
    AddRow<TSliderRow>("FineTune", FineTune, 13, Bias(50));
    AddRow<TStepRow>("RndPitchDepth", RndPitchDepth, 14, Code);
    AddRow<TSliderRow>("PitchenvDepth", PitchenvDepth, 15, Bias(12));
    AddRow<TStepRow>("VelSens", VelSens, 16, TwiceLess100);
    AddRow<TStepRow>("VeltimeSens", VeltimeSens, 17, Code);
    AddRow<TEnvelopeRow>("Graph", Graph, TEnvelopeRow::TOffsets{18, 19, 20, 21},
                         TEnvelopeRow::TOffsets{22, 23, 24, 25});

    PlaceNoteButtons(Graph.Top() + Graph.Height() + 8, PageWidth);
}

} // namespace editors
