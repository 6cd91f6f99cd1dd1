#include "editors/form_lfo.h"

#include "editors/labelled_controls.h"
#include "editors/page_opening.h"
#include "platform/forms/place_control.h"

#include <array>
#include <cassert>
#include <cmath>
#include <string>
#include <utility>

namespace editors {

namespace {

namespace gdi = platform::gdi;
using controls::TEditType;

int TakeLfo() {
    assert((TFormLFO::PageLfo == 1 || TFormLFO::PageLfo == 2) && "the opener sets PageLfo first");
    return TFormLFO::PageLfo;
}

model::TTonePage KindOf(int lfo) {
    return lfo == 2 ? model::tpLFO2 : model::tpLFO1;
}

constexpr int SketchWidth = 64;
constexpr int SketchHeight = 44;
constexpr int StepLeft = 150;
constexpr int StepLabelWidth = 120;
constexpr int StepRowHeight = 27;
constexpr int LowerTop = 8 + 4 * StepRowHeight + 8;
constexpr int SliderLeft = 176;
constexpr int SliderWidth = 96;
constexpr int PageWidth = SliderLeft + 4 * SliderWidth;

constexpr std::array<const char*, 8> WaveformNames = {
    "Triangolar", "Sinuisoidal", "SAW", "Square", "Trapeziodal", "Sample", "Random", "Caos"};

int StepTop(int row) {
    return 8 + row * StepRowHeight;
}

forms::TComboBox& PlaceList(forms::TForm& form, int row, const char* label,
                            std::initializer_list<const char*> items) {
    forms::PlaceControl<forms::TLabel>(form, form, StepLeft, StepTop(row) + 3, StepLabelWidth, 15,
                                       label);
    auto& list = forms::PlaceControl<forms::TComboBox>(form, form, StepLeft + StepLabelWidth + 4,
                                                       StepTop(row), 88, 21);
    list.Style = forms::csDropDownList;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

controls::TPanSlider& DepthSlider(forms::TForm& form, int column, const char* label) {
    return PlaceLabelledSlider(form, form, SliderLeft + column * SliderWidth, LowerTop, SliderWidth,
                               label, -63, 63);
}

} // namespace

TFormLFO::TFormLFO(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, KindOf(TakeLfo()), HelpContextNumber,
                "LFO " + std::to_string(TakeLfo())),
      Image1(forms::PlaceControl<forms::TImage>(*this, *this, 8, 8, SketchWidth, SketchHeight)),
      LabelWave(
          forms::PlaceControl<forms::TLabel>(*this, *this, 8, 12 + SketchHeight, SketchWidth, 15)),
      Precedente(
          forms::PlaceControl<forms::TSpeedButton>(*this, *this, 16 + SketchWidth, 8, 24, 22, "<")),
      Successivo(
          forms::PlaceControl<forms::TSpeedButton>(*this, *this, 44 + SketchWidth, 8, 24, 22, ">")),
      KeyTrigger(forms::PlaceControl<forms::TCheckBox>(*this, *this, 8, 36 + SketchHeight, 120, 17,
                                                       " Key Trigger")),
      LFORate(PlaceLabelledField(*this, *this, StepLeft, StepTop(0), StepLabelWidth, "LFO Rate",
                                 TEditType::Int0M880)),
      OffsetLevel(PlaceLabelledField(*this, *this, StepLeft, StepTop(1), StepLabelWidth,
                                     "Offset Level", TEditType::MinMaxS, -100, 100, 50)),
      FadeMode(PlaceList(*this, 2, "Fade Mode", {"On-In", "On-Out", "Off-In", "Off-Out"})),
      ExternalSync(PlaceList(*this, 3, "External Syncronicity", {"LFO-Off", "Clock", "Tap"})),
      FadeGraph(
          forms::PlaceControl<controls::TFadeGraph>(*this, *this, 8, LowerTop + 18, 160, 123)),
      PitchLFODepth(DepthSlider(*this, 0, "Pitch LFO Depth")),
      TVFLfoDepth(DepthSlider(*this, 1, "TVF LFO Depth")),
      TVALfoDepth(DepthSlider(*this, 2, "TVA LFO Depth")),
      PanDepth(DepthSlider(*this, 3, "Pan Depth")), lfo_(TakeLfo()) {
    SetCaption("LFO");
    LabelWave.SetAutoSize(false);
    LabelWave.Alignment = forms::taCenter;
    FadeGraph.SetGLeft(5);
    FadeGraph.SetGWidth(147);
    FadeGraph.SetGTop(34);
    FadeGraph.SetGHeight(81);
    FadeGraph.SetELeft(10);
    FadeGraph.SetEWidth(23);
    FadeGraph.SetETop(15);
    FadeGraph.SetEHeight(15);

    const std::uint16_t base = Base();
    const auto at = [base](int k) { return static_cast<std::uint16_t>(base + k); };
    const auto beside = [this](int first) { return static_cast<std::uint16_t>(first + lfo_); };
    waveform_ = &AddRow<TStepperRow>("Waveform", Precedente, Successivo, at(0), 7,
                                     [this](int waveform) { DrawWaveForm(waveform); });
    AddRow<TCheckRow>("KeyTrigger", KeyTrigger, at(1));
    AddRow<TStepRow>("LFORate", LFORate, at(2), Code);
    AddRow<TStepRow>("OffsetLevel", OffsetLevel, at(3), Scaled(50, 100));
    fade_ = &AddRow<TFadeRow>("FadeGraph", FadeGraph, at(4), at(5), at(6));
    AddRow<TListRow>("FadeMode", FadeMode, at(5));
    AddRow<TListRow>("ExternalSync", ExternalSync, at(7));
    AddRow<TSliderRow>("PitchLFODepth", PitchLFODepth, beside(77), Bias(63));
    AddRow<TSliderRow>("TVFLfoDepth", TVFLfoDepth, beside(98), Bias(63));
    AddRow<TSliderRow>("TVALfoDepth", TVALfoDepth, beside(116), Bias(63));
    AddRow<TSliderRow>("PanDepth", PanDepth, beside(122), Bias(63));

    // The row stores the pick; the page then shows the graph the new mode.
    forms::TNotifyEvent storePick = std::move(FadeMode.OnChange);
    FadeMode.OnChange = [this, storePick = std::move(storePick)](forms::TObject* sender) {
        storePick(sender);
        FadeModeChange(sender);
    };

    DrawWaveForm(0);
    PlaceButtons(PitchLFODepth.Top() + PitchLFODepth.Height() + 8, PageWidth);
}

void TFormLFO::FadeModeChange(forms::TObject*) {
    if (Updating()) return;
    // The mode, the delay and the time as the record has them: the graph's own values traded
    // places with the mode, and would be stored crosswise by its next edit.
    fade_->Show(Record());
}

void TFormLFO::DrawWaveForm(int waveform) {
    forms::TCanvas& canvas = Image1.Canvas();
    const int w = Image1.Width();
    const int h = Image1.Height();
    const int m = h / 2;
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Pen().SetStyle(gdi::TPenStyle::psSolid);
    canvas.Brush().SetColor(gdi::clAqua);
    canvas.Polygon({{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});

    const auto path = [&canvas](forms::TPoint from, std::initializer_list<forms::TPoint> to) {
        canvas.MoveTo(from.X, from.Y);
        for (const forms::TPoint& p : to)
            canvas.LineTo(p.X, p.Y);
    };
    switch (waveform) {
    case 0:
        path({4, h - 4}, {{14, 4}, {24, h - 4}, {34, 4}, {44, h - 4}, {54, 4}, {59, 21}});
        break;
    case 1:
        canvas.MoveTo(4, m);
        for (double x = 0.0; x <= 9.42; x += 0.08)
            canvas.LineTo(static_cast<int>(6 * x) + 4, m - static_cast<int>(18 * std::sin(x)));
        break;
    case 2:
        path({4, h - 4}, {{26, 4}, {26, h - 4}, {48, 4}, {48, h - 4}, {59, m}});
        break;
    case 3:
        path({4, h - 4}, {{4, 4},
                          {17, 4},
                          {17, h - 4},
                          {30, h - 4},
                          {30, 4},
                          {43, 4},
                          {43, h - 4},
                          {56, h - 4},
                          {56, 4}});
        break;
    case 4:
        path({4, h - 4}, {{8, 4},
                          {18, 4},
                          {22, h - 4},
                          {32, h - 4},
                          {36, 4},
                          {46, 4},
                          {50, h - 4},
                          {58, h - 4}});
        break;
    case 5:
        path({4, m},
             {{4, m - 4},   {9, m - 4},   {9, m + 10},  {14, m + 10}, {14, m - 8},  {19, m - 8},
              {19, m - 16}, {24, m - 16}, {24, m + 16}, {29, m + 16}, {29, m + 10}, {34, m + 10},
              {34, m},      {39, m},      {39, m - 16}, {44, m - 16}, {44, m - 10}, {49, m - 10},
              {49, m},      {54, m},      {54, m + 10}, {59, m + 10}, {59, m - 4}});
        break;
    case 6: {
        std::uniform_int_distribution<int> amplitude(6, 17);
        int a = 10;
        canvas.MoveTo(4, m);
        for (double x = 0.0; x <= 18.84; x += 0.08) {
            canvas.LineTo(static_cast<int>(3 * x) + 4, m - static_cast<int>(a * std::sin(x)));
            if (std::abs(std::sin(x)) < 0.1) a = amplitude(random_);
        }
        break;
    }
    case 7: {
        std::uniform_int_distribution<int> stride(2, 5);
        std::uniform_int_distribution<int> high(4, 9);
        std::uniform_int_distribution<int> low(0, 5);
        int x = 4;
        canvas.MoveTo(4, h - 4);
        for (int i = 1; i <= 30; ++i) {
            x += stride(random_);
            const int y = i % 2 == 1 ? high(random_) : h - 4 - low(random_);
            if (x <= w - 4) canvas.LineTo(x, y);
        }
        break;
    }
    default:
        break;
    }
    Image1.Invalidate();

    const bool named = waveform >= 0 && waveform < static_cast<int>(WaveformNames.size());
    LabelWave.SetCaption(named ? WaveformNames[static_cast<std::size_t>(waveform)] : "");
    LabelWave.SetWidth(w);
}

TFormLFO& OpenLfoPage(model::TPatch& patch, int tone, int lfo, forms::TComponent& owner) {
    return OpenPageWindow<TFormLFO>(patch.Tone(tone).Pages.at(KindOf(lfo)), owner,
                                    [&patch, tone, lfo] {
                                        TFormLFO::PagePatch = &patch;
                                        TFormLFO::PageTone = tone;
                                        TFormLFO::PageLfo = lfo;
                                    });
}

} // namespace editors
