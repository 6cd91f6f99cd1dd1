#include "editors/form_common.h"

#include "editors/click_row.h"
#include "editors/labelled_controls.h"
#include "editors/page_choice_rows.h"
#include "editors/page_opening.h"
#include "editors/page_text_rows.h"
#include "model/transfer/activation.h"
#include "platform/forms/place_control.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace editors {

namespace {

using controls::TEditType;
using forms::TObject;

constexpr int NotebookWidth = 560;
constexpr int NotebookHeight = 360;
constexpr int StructLeft = 300;
constexpr int StructWidth = 240;
constexpr int StructHeight = 110;
constexpr int DiagramWidth = StructWidth - 8;
constexpr int DiagramHeight = 64;
constexpr int LastStructure = 9;
constexpr std::uint16_t NameOffset = 0;
constexpr std::uint16_t TempoOffset = 44;

const char* const CtrlSources[] = {"Off",        "Sys-Ctrl 1", "Sys-Ctrl 2", "Modulation",
                                   "Breath",     "Foot",       "Volume",     "Pan",
                                   "Expression", "Bender",     "AfterTouch", "LFO 1",
                                   "LFO 2",      "Velocity",   "Keyfollow",  "Playmate"};

forms::TTabbedNotebook& Notebook(forms::TForm& form) {
    auto& notebook = forms::PlaceControl<forms::TTabbedNotebook>(form, form, 8, 8, NotebookWidth,
                                                                 NotebookHeight);
    return notebook;
}

forms::TLabel& LabelAt(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                       const char* text) {
    return forms::PlaceControl<forms::TLabel>(form, parent, left, top, 0, 15, text);
}

controls::TMyEdit& Step(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                        TEditType type, int min, int max) {
    auto& edit = forms::PlaceControl<controls::TMyEdit>(form, parent, left, top, 88, 21);
    edit.Min = min;
    edit.Max = max;
    edit.SetEditType(type);
    return edit;
}

controls::TPanSlider& Slider(forms::TForm& form, forms::TWinControl& parent, int left,
                             const char* label) {
    // Two lines under the long captions.
    PlaceWrappedLabel(form, parent, left, 8, 66, 28, label);
    return PlaceSlider(form, parent, left + 6, 38, 0, 127);
}

forms::TGroupBox& Group(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                        int width, int height, const char* caption) {
    return forms::PlaceControl<forms::TGroupBox>(form, parent, left, top, width, height, caption);
}

forms::TRadioButton& Radio(forms::TForm& form, forms::TWinControl& group, int left, int top,
                           int width, const char* caption) {
    return forms::PlaceControl<forms::TRadioButton>(form, group, left, top, width, 18, caption);
}

// A button of a group of speed buttons side by side, standing for its Tag.
forms::TSpeedButton& Speed(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                           int tag, int group, const char* caption) {
    auto& button = forms::PlaceControl<forms::TSpeedButton>(form, parent, left + tag * 40, top, 38,
                                                            22, caption);
    button.SetGroupIndex(group);
    button.Tag = tag;
    return button;
}

forms::TComboBox& SourceList(forms::TForm& form, forms::TWinControl& parent, int top,
                             const char* label) {
    LabelAt(form, parent, 240, top, label);
    auto& list = forms::PlaceControl<forms::TComboBox>(form, parent, 240, top + 16, 130, 21);
    list.Style = forms::csDropDownList;
    list.DropDownCount = 16;
    for (const char* item : CtrlSources)
        list.Items().Add(item);
    return list;
}

// The structure type of a pair of tones, stepped by its two buttons and shown by its diagram.
class TStructureRow final : public TPageRow {
public:
    TStructureRow(TFormCommon& page, int pair, forms::TBitBtn& down, forms::TBitBtn& up)
        : page_(page), pair_(pair), offset_(pair == 1 ? 68 : 70), down_(down), up_(up) {}

    void Show(const TPageRecord& record) override {
        page_.ShowStructure(pair_, record.GetParam(offset_));
    }
    void Store(TPageStore& page) const override {
        page.SendandStore(offset_, static_cast<std::uint8_t>(page_.StructureType(pair_)));
    }
    void Bind(std::function<void()> ended) override {
        down_.OnClick = [this, ended](TObject* sender) {
            if (pair_ == 1)
                page_.PrecedenteClick(sender);
            else
                page_.BitBtn1Click(sender);
            ended();
        };
        up_.OnClick = [this, ended](TObject* sender) {
            if (pair_ == 1)
                page_.SuccessivoClick(sender);
            else
                page_.BitBtn2Click(sender);
            ended();
        };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return LastStructure; }
    // Clicks the pair's buttons until the type is value.
    void Drive(int value) override {
        for (int i = 0; i <= LastStructure && page_.StructureType(pair_) != value; ++i)
            (page_.StructureType(pair_) < value ? up_ : down_).Click();
    }
    std::string Name() const override { return pair_ == 1 ? "Image12" : "Image34"; }

private:
    TFormCommon& page_;
    int pair_;
    std::uint16_t offset_;
    forms::TBitBtn& down_;
    forms::TBitBtn& up_;
};

// The diagram's pen: boxes over the lines under them, lines and polylines as drawn by hand.
class TStructPen {
public:
    TStructPen(platform::gdi::TCanvas& canvas) : canvas_(canvas) {}

    void Line(int x1, int y1, int x2, int y2) {
        canvas_.MoveTo(x1, y1);
        canvas_.LineTo(x2, y2);
    }
    void Poly(std::initializer_list<platform::gdi::TPoint> points) {
        const platform::gdi::TPoint* p = points.begin();
        canvas_.MoveTo(p->X, p->Y);
        for (++p; p != points.end(); ++p)
            canvas_.LineTo(p->X, p->Y);
    }
    void Box(int x, int y, int width, int height, const std::string& text) {
        canvas_.Rectangle(x, y, x + width - 1, y + height - 1);
        const int tw = canvas_.TextWidth(text);
        const int th = canvas_.TextHeight(text);
        canvas_.TextOut(x + (width - tw) / 2 - 1, y + (height - th) / 2 - 1, text);
    }
    // A block of a tone row (19 x 12 at T + 3) and the booster or ring box (11 x 14 at T2 - 10).
    void Block(int x, int row, const char* text) { Box(x, row + 3, 19, 12, text); }
    void Small(int x, int t2, const char* text) { Box(x, t2 - 10, 11, 14, text); }

private:
    platform::gdi::TCanvas& canvas_;
};

} // namespace

TFormCommon::TFormCommon(forms::TComponent* owner)
    : TEditorPage(
          owner, TakePagePatch(PagePatch),
          std::make_unique<TRecordOf<model::TCommon>>(
              *TakePagePatch(PagePatch).Common, TakePagePatch(PagePatch).Common->CommonWindow),
          HelpContextNumber),
      TabbedNotebook1(Notebook(*this)), Page1(TabbedNotebook1.AddPage("Page 1")),
      Page2(TabbedNotebook1.AddPage("Page 2")),
      // Page 1
      EditName(forms::PlaceControl<TNameEdit>(*this, Page1, 8, 24, 110, 21)),
      DefaultTempo(Step(*this, Page1, 8, 70, TEditType::MinMax, 20, 250)),
      OctaveShift(Step(*this, Page1, 8, 116, TEditType::MinMaxS, -3, 3)),
      VelRangeSwitch(
          forms::PlaceControl<forms::TCheckBox>(*this, Page1, 8, 146, 130, 20, "Vel Range Switch")),
      GroupVoice(Group(*this, Page1, 8, 172, 130, 60, "Voice Priority")),
      VoiceLast(Radio(*this, GroupVoice, 8, 16, 110, " Last")),
      VoiceLoudest(Radio(*this, GroupVoice, 8, 36, 110, " Loudest")),
      Stretch1(Speed(*this, Page1, 8, 262, 0, 1, "Off")),
      Stretch2(Speed(*this, Page1, 8, 262, 1, 1, "1")),
      Stretch3(Speed(*this, Page1, 8, 262, 2, 1, "2")),
      Stretch4(Speed(*this, Page1, 8, 262, 3, 1, "3")),
      PatchLevel(Slider(*this, Page1, 150, "Patch Level")),
      AnalogfeelDepth(Slider(*this, Page1, 222, "Analog Feel Depth")),
      ClickPan(forms::PlaceControl<controls::TClickEdit>(*this, Page1, 156, 206, 56, 20)),
      Panel12(forms::PlaceControl<forms::TPanel>(*this, Page1, StructLeft, 4, StructWidth,
                                                 StructHeight)),
      Image12(
          forms::PlaceControl<forms::TImage>(*this, Panel12, 4, 4, DiagramWidth, DiagramHeight)),
      Label12(forms::PlaceControl<forms::TLabel>(*this, Panel12, 0, DiagramHeight + 6, StructWidth,
                                                 15)),
      Precedente(
          forms::PlaceControl<forms::TBitBtn>(*this, Panel12, 4, DiagramHeight + 22, 36, 22, "<")),
      Successivo(forms::PlaceControl<forms::TBitBtn>(*this, Panel12, StructWidth - 40,
                                                     DiagramHeight + 22, 36, 22, ">")),
      Booster121(Speed(*this, Page1, StructLeft, StructHeight + 24, 0, 2, "0")),
      Booster122(Speed(*this, Page1, StructLeft, StructHeight + 24, 1, 2, "+6")),
      Booster123(Speed(*this, Page1, StructLeft, StructHeight + 24, 2, 2, "+12")),
      Booster124(Speed(*this, Page1, StructLeft, StructHeight + 24, 3, 2, " +18 ")),
      Panel34(forms::PlaceControl<forms::TPanel>(*this, Page1, StructLeft, StructHeight + 54,
                                                 StructWidth, StructHeight)),
      Image34(
          forms::PlaceControl<forms::TImage>(*this, Panel34, 4, 4, DiagramWidth, DiagramHeight)),
      Label34(forms::PlaceControl<forms::TLabel>(*this, Panel34, 0, DiagramHeight + 6, StructWidth,
                                                 15)),
      BitBtn1(
          forms::PlaceControl<forms::TBitBtn>(*this, Panel34, 4, DiagramHeight + 22, 36, 22, "<")),
      BitBtn2(forms::PlaceControl<forms::TBitBtn>(*this, Panel34, StructWidth - 40,
                                                  DiagramHeight + 22, 36, 22, ">")),
      Booster341(Speed(*this, Page1, StructLeft, 2 * StructHeight + 74, 0, 3, "0")),
      Booster342(Speed(*this, Page1, StructLeft, 2 * StructHeight + 74, 1, 3, "+6")),
      Booster343(Speed(*this, Page1, StructLeft, 2 * StructHeight + 74, 2, 3, "+12")),
      Booster344(Speed(*this, Page1, StructLeft, 2 * StructHeight + 74, 3, 3, " +18 ")),
      // Page 2
      PortSwitch(
          forms::PlaceControl<forms::TCheckBox>(*this, Page2, 8, 8, 140, 20, "Portamento Switch")),
      GroupPortMode(Group(*this, Page2, 8, 32, 140, 35, "Portamento Mode")),
      PortModeNormal(Radio(*this, GroupPortMode, 8, 14, 60, "Normal")),
      PortModeLegato(Radio(*this, GroupPortMode, 70, 14, 64, "Legato")),
      GroupBox5(Group(*this, Page2, 8, 72, 140, 35, "Port Type")),
      PortTypeRAte(Radio(*this, GroupBox5, 8, 14, 46, "Rate")),
      PortTypeTime(Radio(*this, GroupBox5, 56, 14, 60, "Time")),
      GroupBox2(Group(*this, Page2, 8, 112, 140, 35, "Port Start")),
      PortStartPitch(Radio(*this, GroupBox2, 8, 14, 46, "Pitch")),
      PortStartNote(Radio(*this, GroupBox2, 56, 14, 60, "Note")),
      PortTime(Slider(*this, Page2, 160, "Portamento Time")),
      PanelCS(forms::PlaceControl<forms::TPanel>(*this, Page2, 8, 154, 140, 60)),
      RadioPatch(Radio(*this, PanelCS, 8, 20, 120, " Patch")),
      RadioSequencer(Radio(*this, PanelCS, 8, 38, 120, " Sequencer")),
      SoloLegato(
          forms::PlaceControl<forms::TCheckBox>(*this, Page2, 8, 222, 140, 20, "Solo Legato")),
      GroupKeyAssign(Group(*this, Page2, 8, 246, 140, 35, "Key Assign Mode")),
      KeyAssModePoly(Radio(*this, GroupKeyAssign, 8, 14, 56, "Poly")),
      KeyAssModeSolo(Radio(*this, GroupKeyAssign, 70, 14, 56, "Solo")),
      GroupBender(Group(*this, Page2, 240, 8, 150, 74, "Bender Range")),
      BenderUp(Step(*this, GroupBender, 48, 18, TEditType::MinMaxS, 0, 12)),
      BenderDown(Step(*this, GroupBender, 48, 44, TEditType::MinMaxS, -48, 0)),
      PatchCtrlSource2(SourceList(*this, Page2, 92, "Patch Ctrl Source 2")),
      PatchCtrlSource3(SourceList(*this, Page2, 136, "Patch Ctrl Source 3")),
      GroupEfxCtrl(Group(*this, Page2, 400, 8, 150, 35, "EFX Control ")),
      EfxCtrlOff(Radio(*this, GroupEfxCtrl, 8, 14, 40, "Off")),
      EfxCtrlHold(Radio(*this, GroupEfxCtrl, 50, 14, 46, "Hold")),
      EfxCtrlPeak(Radio(*this, GroupEfxCtrl, 98, 14, 46, "Peak")),
      GroupCtrl1(Group(*this, Page2, 400, 48, 150, 35, "Control 1")),
      Ctrl1Off(Radio(*this, GroupCtrl1, 8, 14, 40, "Off")),
      Ctrl1Hold(Radio(*this, GroupCtrl1, 50, 14, 46, "Hold")),
      Ctrl1Peak(Radio(*this, GroupCtrl1, 98, 14, 46, "Peak")),
      GroupCtrl2(Group(*this, Page2, 400, 88, 150, 35, "Control 2")),
      Ctrl2Off(Radio(*this, GroupCtrl2, 8, 14, 40, "Off")),
      Ctrl2Hold(Radio(*this, GroupCtrl2, 50, 14, 46, "Hold")),
      Ctrl2Peak(Radio(*this, GroupCtrl2, 98, 14, 46, "Peak")),
      GroupCtrl3(Group(*this, Page2, 400, 128, 150, 35, "Control 3")),
      Ctrl3Off(Radio(*this, GroupCtrl3, 8, 14, 40, "Off")),
      Ctrl3Hold(Radio(*this, GroupCtrl3, 50, 14, 46, "Hold")),
      Ctrl3Peak(Radio(*this, GroupCtrl3, 98, 14, 46, "Peak")), patch_(TakePagePatch(PagePatch)) {
    SetCaption("Common");
    LabelAt(*this, Page1, 8, 8, "Patch Name");
    LabelAt(*this, Page1, 8, 54, "Default Tempo");
    LabelAt(*this, Page1, 8, 100, "Octave Shift");
    LabelAt(*this, Page1, 8, 246, "Stretch Tune Depth");
    LabelAt(*this, Page1, 150, 190, "Pan");
    LabelAt(*this, Page1, StructLeft, StructHeight + 8, "Booster Level 1 And 2");
    LabelAt(*this, Page1, StructLeft, 2 * StructHeight + 58, "Booster Level 3 And 4");
    LabelAt(*this, PanelCS, 6, 3, "Clock Source");
    LabelAt(*this, GroupBender, 8, 21, "Up");
    LabelAt(*this, GroupBender, 8, 47, "Down");
    EditName.SetMaxLength(12);
    OctaveShift.Step = 1;
    ClickPan.SetMin(-64);
    ClickPan.SetMax(63);
    ClickPan.SetStereo(true);
    Image12.Tag = 1;
    Image34.Tag = 3;
    for (forms::TLabel* label : {&Label12, &Label34}) {
        label->SetAutoSize(false);
        label->Alignment = forms::taCenter;
    }
    // The clock source group is part of the page.
    PanelCS.SetVisible(true);

    AddRow<TNameRow>(EditName, NameOffset);
    AddRow<TTempoRow>(DefaultTempo, TempoOffset);
    AddRow<TSliderRow>("PatchLevel", PatchLevel, 46, Plain);
    AddRow<TClickRow>("ClickPan", ClickPan, 47, Bias(64));
    AddRow<TSliderRow>("AnalogfeelDepth", AnalogfeelDepth, 48, Plain);
    AddRow<TStepRow>("BenderUp", BenderUp, 49, Code);
    AddRow<TStepRow>("BenderDown", BenderDown, 50, Negate);
    AddRow<TRadioRow>("KeyAssMode",
                      std::vector<forms::TRadioButton*>{&KeyAssModePoly, &KeyAssModeSolo}, 51);
    AddRow<TCheckRow>("SoloLegato", SoloLegato, 52);
    AddRow<TCheckRow>("PortSwitch", PortSwitch, 53);
    AddRow<TRadioRow>("PortMode",
                      std::vector<forms::TRadioButton*>{&PortModeNormal, &PortModeLegato}, 54);
    AddRow<TRadioRow>("PortType", std::vector<forms::TRadioButton*>{&PortTypeRAte, &PortTypeTime},
                      55);
    AddRow<TRadioRow>("PortStart",
                      std::vector<forms::TRadioButton*>{&PortStartPitch, &PortStartNote}, 56);
    AddRow<TSliderRow>("PortTime", PortTime, 57, Plain);
    AddRow<TListRow>("PatchCtrlSource2", PatchCtrlSource2, 58);
    AddRow<TListRow>("PatchCtrlSource3", PatchCtrlSource3, 59);
    AddRow<TRadioRow>(
        "EfxCtrl", std::vector<forms::TRadioButton*>{&EfxCtrlOff, &EfxCtrlHold, &EfxCtrlPeak}, 60);
    AddRow<TRadioRow>("Ctrl1", std::vector<forms::TRadioButton*>{&Ctrl1Off, &Ctrl1Hold, &Ctrl1Peak},
                      61);
    AddRow<TRadioRow>("Ctrl2", std::vector<forms::TRadioButton*>{&Ctrl2Off, &Ctrl2Hold, &Ctrl2Peak},
                      62);
    AddRow<TRadioRow>("Ctrl3", std::vector<forms::TRadioButton*>{&Ctrl3Off, &Ctrl3Hold, &Ctrl3Peak},
                      63);
    AddRow<TCheckRow>("VelRangeSwitch", VelRangeSwitch, 64);
    AddRow<TStepRow>("OctaveShift", OctaveShift, 65, Bias(3));
    AddRow<TSpeedRow>("Stretch",
                      std::vector<forms::TSpeedButton*>{&Stretch1, &Stretch2, &Stretch3, &Stretch4},
                      66);
    AddRow<TRadioRow>("VoicePriority", std::vector<forms::TRadioButton*>{&VoiceLast, &VoiceLoudest},
                      67);
    AddRow<TStructureRow>(*this, 1, Precedente, Successivo);
    AddRow<TSpeedRow>(
        "Booster12",
        std::vector<forms::TSpeedButton*>{&Booster121, &Booster122, &Booster123, &Booster124}, 69);
    AddRow<TStructureRow>(*this, 3, BitBtn1, BitBtn2);
    AddRow<TSpeedRow>(
        "Booster34",
        std::vector<forms::TSpeedButton*>{&Booster341, &Booster342, &Booster343, &Booster344}, 71);
    AddRow<TRadioRow>("ClockSource",
                      std::vector<forms::TRadioButton*>{&RadioPatch, &RadioSequencer}, 72);

    // The notebook opens on its second page.
    TabbedNotebook1.SetPageIndex(1);
    TabbedNotebook1.OnChange = [this](TObject* sender, int newTab, bool& allowChange) {
        TabbedNotebook1Change(sender, newTab, allowChange);
    };
    PlaceButtons(TabbedNotebook1.Top() + TabbedNotebook1.Height() + 8, NotebookWidth + 16);
}

std::string TFormCommon::CaptionText() const {
    return " [Common] [Loc : ";
}

void TFormCommon::ActivateElem() {
    model::ActivatePatch(&patch_);
}

model::TUndoList& TFormCommon::UndoList() {
    return PageUndoList(TabbedNotebook1.PageIndex());
}

model::TUndoList& TFormCommon::PageUndoList(int pageIndex) {
    return undoLists_.at(static_cast<std::size_t>(std::max(pageIndex, 0)));
}

void TFormCommon::ClearUndo() {
    for (model::TUndoList& list : undoLists_)
        list.Clear();
    CheckBtnEnabled();
}

void TFormCommon::TabbedNotebook1Change(TObject*, int NewTab, bool&) {
    const bool any = PageUndoList(NewTab).Count() > 0;
    BtnUndo.SetEnabled(any);
    BtnRevert.SetEnabled(any);
}

void TFormCommon::ShowStructure(int pair, int type) {
    (pair == 1 ? struct12_ : struct34_) = type;
    DrawStruct(pair == 1 ? Image12 : Image34);
}

void TFormCommon::StepStructure(int pair, int step) {
    int& type = pair == 1 ? struct12_ : struct34_;
    if (type + step < 0 || type + step > LastStructure) return;
    type += step;
    DrawStruct(pair == 1 ? Image12 : Image34);
}

void TFormCommon::PrecedenteClick(TObject*) {
    StepStructure(1, -1);
}

void TFormCommon::SuccessivoClick(TObject*) {
    StepStructure(1, 1);
}

void TFormCommon::BitBtn1Click(TObject*) {
    StepStructure(3, -1);
}

void TFormCommon::BitBtn2Click(TObject*) {
    StepStructure(3, 1);
}

void TFormCommon::DrawStruct(forms::TImage& image) {
    const int tag = static_cast<int>(image.Tag);
    const int type = StructureType(tag);
    forms::TLabel& label = tag == 1 ? Label12 : Label34;
    platform::gdi::TCanvas& canvas = image.Canvas();
    const int w = image.Width();
    const int h = image.Height();
    canvas.Brush().SetColor(platform::gdi::clAqua);
    canvas.FillRect({0, 0, w, h});
    canvas.Pen().SetColor(platform::gdi::clBlack);
    canvas.Font().SetName("Small Fonts");
    canvas.Font().SetSize(6);

    canvas.Rectangle(4, 8, w - 4, 25);
    canvas.Rectangle(4, h - 25, w - 4, h - 8);
    canvas.TextOut(8, 11, "Tone " + std::to_string(tag));
    canvas.TextOut(8, h - 22, "Tone " + std::to_string(tag + 1));
    const int L = canvas.TextWidth("Tone 1 ") + 9;
    TStructPen pen(canvas);
    pen.Line(L, 8, L, 25);
    pen.Line(L, h - 25, L, h - 8);

    canvas.Font().SetSize(4);
    const int T1 = 8;
    const int T2 = h - 25;
    const int W = w - L - 4;
    label.SetCaption("Type " + std::to_string(type + 1));
    label.SetWidth(label.Parent() != nullptr ? label.Parent()->Width() : label.Width());

    const int a = L + 3;
    const int b = L + 25;
    const int c = L + 47;
    const int M = L + W / 2 - 10;
    const int Q = L + W - 43;
    const int E = L + W - 21;

    const auto drawingA = [&] {
        pen.Line(a, T1 + 8, L + 30, T1 + 8);
        pen.Block(a, T1, "WG");
        pen.Block(b, T1, "TVA");
        pen.Block(M, T1, "TVF");
        pen.Line(a, T2 + 8, L + 44, T2 + 8);
        pen.Line(L + W - 4, T2 + 8, L + W - 30, T2 + 8);
        pen.Block(a, T2, "WG");
        pen.Block(Q, T2, "TVF");
        pen.Block(E, T2, "TVA");
    };
    const auto crossA = [&] {
        pen.Poly({{L + 44, T1 + 8}, {L + 53, T2 - 4}, {L + 61, T2 - 4}, {M, T1 + 8}});
        pen.Line(M + 19, T1 + 8, Q, T2 + 8);
        pen.Line(L + 53, T2 - 4, L + 43, T2 + 8);
    };
    const auto firstRowB = [&] {
        pen.Line(a, T1 + 8, L + 60, T1 + 8);
        pen.Block(a, T1, "WG");
        pen.Block(b, T1, "TVF");
        pen.Block(c, T1, "TVA");
    };
    const auto drawingB = [&] {
        firstRowB();
        pen.Poly({{a, T2 + 8}, {L + 66, T2 + 8}, {L + 86, T2 - 4}, {L + 65, T1 + 8}});
        pen.Poly({{L + 86, T2 - 4}, {L + 102, T2 - 4}, {Q, T2 + 8}});
        pen.Small(L + 86, T2, "R");
        pen.Line(L + W - 13, T2 + 8, L + W - 40, T2 + 8);
        pen.Block(a, T2, "WG");
        pen.Block(Q, T2, "TVF");
        pen.Block(E, T2, "TVA");
    };
    const auto drawingC = [&] {
        firstRowB();
        pen.Poly({{a, T2 + 8}, {L + 66, T2 + 8}, {L + 94, T2 - 4}, {L + 65, T1 + 8}});
        pen.Poly({{L + 94, T2 - 4}, {L + 110, T2 - 4}, {E, T2 + 8}});
        pen.Small(L + 94, T2, "R");
        pen.Block(a, T2, "WG");
        pen.Block(b, T2, "TVF");
        pen.Block(E, T2, "TVA");
    };

    switch (type) {
    case 0:
        for (int T : {T1, T2}) {
            pen.Line(a, T + 8, L + W - 4, T + 8);
            pen.Block(a, T, "WG");
            pen.Block(M, T, "TVF");
            pen.Block(E, T, "TVA");
        }
        break;
    case 1:
    case 2:
    case 4:
    case 5:
        drawingA();
        crossA();
        if (type == 2) pen.Small(L + 52, T2, "B");
        if (type == 4 || type == 5) pen.Small(L + 52, T2, "R");
        if (type == 5) pen.Poly({{L + 43, T2 + 8}, {L + 67, T2 + 8}, {L + 67, T2 - 13}});
        break;
    case 3:
        drawingA();
        pen.Poly({{L + 44, T1 + 8}, {L + 53, T2 - 4}, {L + 61, T2 - 4}, {M, T1 + 8}});
        pen.Line(M + 18, T1 + 8, M + 26, T2 - 4);
        pen.Line(L + 53, T2 - 4, L + 43, T2 + 8);
        pen.Small(M + 26, T2, "B");
        pen.Line(M + 36, T2 - 4, Q, T2 + 8);
        break;
    case 6:
        drawingB();
        break;
    case 7:
        pen.Line(L + W - 8, T2 + 8, a, T2 + 8);
        drawingB();
        break;
    case 8:
        drawingC();
        break;
    case 9:
        pen.Line(L + W - 8, T2 + 8, a, T2 + 8);
        drawingC();
        break;
    default:
        // A type the instrument does not have: the tone rows alone.
        break;
    }
    image.Invalidate();
}

TFormCommon& OpenCommonPage(model::TPatch& patch, forms::TComponent& owner) {
    return OpenPageWindow<TFormCommon>(patch.Common->CommonWindow, owner,
                                       [&patch] { TFormCommon::PagePatch = &patch; });
}

} // namespace editors
