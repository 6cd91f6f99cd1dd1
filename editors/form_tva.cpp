#include "editors/form_tva.h"

#include "editors/click_row.h"
#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

#include <array>

namespace editors {

namespace {

namespace gdi = platform::gdi;
using controls::TEditType;

constexpr int SliderWidth = 100;
constexpr int StepLeft = 316;
constexpr int StepLabelWidth = 120;
constexpr int StepRowHeight = 27;
constexpr int PanTop = 178;
constexpr int SketchTop = 210;
constexpr int SketchWidth = 120;
constexpr int SketchHeight = 76;
constexpr int GraphTop = 8 + 8 * StepRowHeight;
constexpr int PageWidth = 536;

constexpr std::array<const char*, 4> DirectionNames = {"Lower", "Upper", "Lower Upper", "All"};

int StepTop(int row) {
    return 8 + row * StepRowHeight;
}

} // namespace

TFormTVA::TFormTVA(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, Kind, HelpContextNumber, "TVA"),
      Level(PlaceLabelledSlider(*this, *this, 8, 8, SliderWidth, "Level", 0, 127)),
      RndPanDepth(PlaceLabelledSlider(*this, *this, 8 + SliderWidth, 8, SliderWidth,
                                      "Random Pan Depth", 0, 63)),
      AltPanDepth(PlaceLabelledSlider(*this, *this, 8 + 2 * SliderWidth, 8, SliderWidth,
                                      "Alternate Pan Depth", -63, 63)),
      LabelPan(forms::PlaceControl<forms::TLabel>(*this, *this, 8, PanTop + 3, 36, 15, "Pan")),
      ClickPan(forms::PlaceControl<controls::TClickEdit>(*this, *this, 48, PanTop, 50, 20)),
      Image1(forms::PlaceControl<forms::TImage>(*this, *this, 8, SketchTop + 18, SketchWidth,
                                                SketchHeight)),
      LabelDir(forms::PlaceControl<forms::TLabel>(*this, *this, 8, SketchTop + 22 + SketchHeight,
                                                  SketchWidth, 15)),
      Precedente(forms::PlaceControl<forms::TSpeedButton>(*this, *this, 16 + SketchWidth,
                                                          SketchTop + 18, 24, 22, "<")),
      Successivo(forms::PlaceControl<forms::TSpeedButton>(*this, *this, 44 + SketchWidth,
                                                          SketchTop + 18, 24, 22, ">")),
      BiasPoint(PlaceLabelledField(*this, *this, StepLeft, StepTop(0), StepLabelWidth, "Bias Point",
                                   TEditType::Note)),
      BiasLevel(PlaceLabelledField(*this, *this, StepLeft, StepTop(1), StepLabelWidth, "Bias Level",
                                   TEditType::IntM100P100)),
      EnvVelCurve(PlaceLabelledField(*this, *this, StepLeft, StepTop(2), StepLabelWidth,
                                     "En Vel Curve", TEditType::MinMax, 1, 7, 1)),
      VelocitySens(PlaceLabelledField(*this, *this, StepLeft, StepTop(3), StepLabelWidth,
                                      "Vel Sens", TEditType::MinMaxS, -100, 150, 2)),
      VelTime1S(PlaceLabelledField(*this, *this, StepLeft, StepTop(4), StepLabelWidth,
                                   "Velocity Time 1 Sens", TEditType::IntM100P100)),
      VelTime4S(PlaceLabelledField(*this, *this, StepLeft, StepTop(5), StepLabelWidth,
                                   "Velocity Time 4 Sens", TEditType::IntM100P100)),
      TimeKeyfollow(PlaceLabelledField(*this, *this, StepLeft, StepTop(6), StepLabelWidth,
                                       "Time Keyfollow", TEditType::IntM100P100)),
      PanKeyfollow(PlaceLabelledField(*this, *this, StepLeft, StepTop(7), StepLabelWidth,
                                      "Pan Keyfollow", TEditType::IntM100P100)),
      Graph(PlaceEnvelopeGraph(*this, *this, StepLeft, GraphTop, controls::LastLocked)) {
    SetCaption("TVA");
    forms::PlaceControl<forms::TLabel>(*this, *this, 8, SketchTop, SketchWidth, 15,
                                       "Bias Direction");
    AltPanDepth.SetStereo(true);
    ClickPan.SetMin(-64);
    ClickPan.SetMax(63);
    ClickPan.SetStereo(true);
    LabelDir.SetAutoSize(false);
    LabelDir.Alignment = forms::taCenter;

    AddRow<TSliderRow>("Level", Level, 101, Plain);
    direction_ = &AddRow<TStepperRow>("Direction", Precedente, Successivo, 102, 3,
                                      [this](int direction) { DrawDirection(direction); });
    AddRow<TStepRow>("BiasPoint", BiasPoint, 103, Code);
    AddRow<TStepRow>("BiasLevel", BiasLevel, 104, Code);
    AddRow<TStepRow>("EnvVelCurve", EnvVelCurve, 105, PlusOne);
    AddRow<TStepRow>("VelocitySens", VelocitySens, 106, TwiceLess100);
    AddRow<TStepRow>("VelTime1S", VelTime1S, 107, Code);
    AddRow<TStepRow>("VelTime4S", VelTime4S, 108, Code);
    AddRow<TStepRow>("TimeKeyfollow", TimeKeyfollow, 109, Code);
    // The last level is held at 0 by the graph and has no byte.
    AddRow<TEnvelopeRow>("Graph", Graph, TEnvelopeRow::TOffsets{110, 111, 112, 113},
                         TEnvelopeRow::TOffsets{114, 115, 116, -1});
    AddRow<TClickRow>("ClickPan", ClickPan, 119, Bias(64));
    AddRow<TStepRow>("PanKeyfollow", PanKeyfollow, 120, Code);
    AddRow<TSliderRow>("RndPanDepth", RndPanDepth, 121, Plain);
    AddRow<TSliderRow>("AltPanDepth", AltPanDepth, 122, Bias(64));

    DrawDirection(0);
    PlaceButtons(Graph.Top() + Graph.Height() + 8, PageWidth);
}

void TFormTVA::DrawDirection(int direction) {
    forms::TCanvas& canvas = Image1.Canvas();
    const int w = Image1.Width();
    const int h = Image1.Height();
    const int m = h / 2;
    const int c = 14 + (w - 28) / 2;
    canvas.Brush().SetColor(gdi::clAqua);
    canvas.FillRect({0, 0, w, h});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Pen().SetStyle(gdi::TPenStyle::psSolid);
    canvas.Font().SetName("Small Fonts");
    canvas.Font().SetSize(5);
    canvas.Font().SetColor(gdi::clBlack);

    canvas.TextOut(6, m - 4, "0");
    canvas.TextOut(2, 1, "Level");
    canvas.TextOut(4, h - 9, "C-1");
    canvas.TextOut(w / 2 - 7, h - 9, "B P");
    canvas.TextOut(w - 12, h - 9, "G9");

    const auto line = [&canvas](int x1, int y1, int x2, int y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    line(4, h - 10, w - 4, h - 10);
    line(w - 6, h - 11, w - 6, h - 8);
    line(4, 10, 4, h - 10);
    line(3, 11, 6, 11);
    line(14, m, w - 14, m);

    const auto sideTexts = [&canvas, m](int x) {
        canvas.TextOut(x, m - 4, "0");
        canvas.TextOut(x, m - 21, "+");
        canvas.TextOut(x, m + 13, "-");
    };
    const auto solid = [&canvas] { canvas.Pen().SetStyle(gdi::TPenStyle::psSolid); };
    const auto dotted = [&canvas] { canvas.Pen().SetStyle(gdi::TPenStyle::psDot); };
    switch (direction) {
    case 0:
        sideTexts(7);
        solid();
        line(c, m, 14, m - 18);
        dotted();
        line(c, m, 14, m + 18);
        break;
    case 1:
        sideTexts(w - 13);
        solid();
        line(c, m, w - 14, m - 18);
        dotted();
        line(c, m, w - 14, m + 18);
        break;
    case 2:
        sideTexts(7);
        sideTexts(w - 13);
        solid();
        line(c, m, w - 14, m - 18);
        line(c, m, 14, m - 18);
        dotted();
        line(c, m, w - 14, m + 18);
        line(c, m, 14, m + 18);
        break;
    case 3:
        sideTexts(7);
        sideTexts(w - 13);
        solid();
        line(w - 14, m - 18, 14, m + 18);
        dotted();
        line(w - 14, m + 18, 14, m - 18);
        break;
    default:
        break;
    }
    // The bias point's mark, in whatever pen the direction left.
    line(c, m, c, h - 10);
    canvas.Pen().SetStyle(gdi::TPenStyle::psSolid);
    Image1.Invalidate();

    const bool named = direction >= 0 && direction < static_cast<int>(DirectionNames.size());
    LabelDir.SetCaption(named ? DirectionNames[static_cast<std::size_t>(direction)] : "");
    LabelDir.SetWidth(w);
}

} // namespace editors
