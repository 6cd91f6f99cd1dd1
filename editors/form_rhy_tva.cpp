#include "editors/form_rhy_tva.h"

#include "editors/click_row.h"
#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

namespace editors {

namespace {

using controls::TEditType;

constexpr int SliderWidth = 100;
constexpr int PanTop = TRhythmNotePage::NoteTop + 170;
constexpr int StepLeft = 316;
constexpr int StepLabelWidth = 150;
constexpr int StepRowHeight = 27;
constexpr int PageWidth = 576;

int StepTop(int row) {
    return TRhythmNotePage::NoteTop + row * StepRowHeight;
}

} // namespace

TFormrhyTva::TFormrhyTva(forms::TComponent* owner)
    : TRhythmNotePage(owner, Kind, HelpContextNumber, "TVA"),
      ToneLevel(PlaceLabelledSlider(*this, *this, 8, NoteTop, SliderWidth, "ToneLevel", 0, 127)),
      RndPanDepth(PlaceLabelledSlider(*this, *this, 8 + SliderWidth, NoteTop, SliderWidth,
                                      "Random Pan Depth", 0, 63)),
      AltPanDepth(PlaceLabelledSlider(*this, *this, 8 + 2 * SliderWidth, NoteTop, SliderWidth,
                                      "Alternate Pan Depth", -63, 63)),
      ClickPan(forms::PlaceControl<controls::TClickEdit>(*this, *this, 48, PanTop, 50, 20)),
      VelocitySens(PlaceLabelledField(*this, *this, StepLeft, StepTop(0), StepLabelWidth,
                                      "Velocity Sensitivity", TEditType::MinMaxS, -100, 150, 2)),
      VelTimeSens(PlaceLabelledField(*this, *this, StepLeft, StepTop(1), StepLabelWidth,
                                     "Velocity Time Sensitivity", TEditType::IntM100P100)),
      Graph(PlaceEnvelopeGraph(*this, *this, StepLeft, StepTop(2), controls::LastLocked)) {
    SetCaption("TVA");
    forms::PlaceControl<forms::TLabel>(*this, *this, 8, PanTop + 3, 36, 15, "Pan");
    AltPanDepth.SetStereo(true);
    ClickPan.SetMin(-63);
    ClickPan.SetMax(63);
    ClickPan.SetStereo(true);

    AddRow<TSliderRow>("ToneLevel", ToneLevel, 41, Plain);
    AddRow<TStepRow>("VelocitySens", VelocitySens, 42, TwiceLess100);
    AddRow<TStepRow>("VelTimeSens", VelTimeSens, 43, Code);
    // The last level is held at 0 by the graph: no byte of the note.
    AddRow<TEnvelopeRow>("Graph", Graph, TEnvelopeRow::TOffsets{44, 45, 46, 47},
                         TEnvelopeRow::TOffsets{48, 49, 50, -1});
    AddRow<TClickRow>("ClickPan", ClickPan, 51, Bias(64));
    AddRow<TSliderRow>("RndPanDepth", RndPanDepth, 52, Plain);
    AddRow<TSliderRow>("AltPanDepth", AltPanDepth, 53, Bias(64));

    PlaceNoteButtons(Graph.Top() + Graph.Height() + 8, PageWidth);
}

} // namespace editors
