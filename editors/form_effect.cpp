#include "editors/form_effect.h"

#include "editors/efx_diagrams.h"
#include "editors/efx_types.h"
#include "editors/page_button_rows.h"
#include "midi/midi_event.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/sysex/address_map.h"
#include "model/sysex/sysex.h"
#include "model/transfer/activation.h"
#include "model/transfer/transfer.h"
#include "platform/forms/place_control.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <string>
#include <utility>

namespace editors {

model::TPatch* TFormEffect::EffectPatch = nullptr;
model::TPerformance* TFormEffect::EffectPerformance = nullptr;
std::uint8_t TFormEffect::EffectPatchMode = 1;

namespace {

using controls::TEditType;
using forms::TObject;

constexpr int NotebookWidth = 624;
constexpr int NotebookHeight = 420;
constexpr int BoxWidth = 141;
constexpr int BoxHeight = 51;
constexpr std::uint32_t PatchBase = 0x03000000;
constexpr std::uint32_t PerformanceBase = 0x01000000;
constexpr int ReverbHFDamp = 42;

const std::vector<std::string> CtrlSources = {
    "Off",    "Sys-Ctrl 1", "Sys-Ctrl 2", "Modulation", "Breath",    "Foot",
    "Volume", "Pan",        "Expression", "Bender",     "AfterTouch"};
const std::vector<std::string> EfxSources = {"Perform", "1", "2",  "3",  "4",  "5",  "6",  "7",
                                             "8",       "9", "11", "12", "13", "14", "15", "16"};

// The common record's effects bytes by the patch block's numbering: the performance block holds
// them one byte later, behind its EFX source.
template <class Record> class TEffectsRecord final : public TPageRecord {
public:
    TEffectsRecord(Record& record, std::size_t shift) : record_(record), shift_(shift) {}

    std::uint8_t GetParam(std::size_t n) const override { return record_.GetParam(n + shift_); }
    void SetParam(std::size_t n, std::uint8_t value) override {
        record_.SetParam(n + shift_, value);
    }
    void SetParams(std::size_t first, std::span<const std::uint8_t> values) override {
        record_.SetParams(first + shift_, values);
    }
    void SendAll() const override { record_.SendAll(); }
    std::span<std::uint8_t> Data() override {
        return std::span<std::uint8_t>(record_.Data()).subspan(shift_);
    }
    model::TEditorSlot& Slot() override { return record_.EffectsWindow; }

private:
    Record& record_;
    std::size_t shift_;
};

std::unique_ptr<TPageRecord> TakeRecord() {
    if (TFormEffect::EffectPatchMode == 1) {
        assert(TFormEffect::EffectPatch != nullptr && "the opener sets EffectPatch first");
        return std::make_unique<TEffectsRecord<model::TCommon>>(*TFormEffect::EffectPatch->Common,
                                                                0);
    }
    assert(TFormEffect::EffectPerformance != nullptr && "the opener sets EffectPerformance first");
    return std::make_unique<TEffectsRecord<model::TPerformanceCommon>>(
        *TFormEffect::EffectPerformance->Common, 1);
}

model::TLibElem& TakeElem() {
    if (TFormEffect::EffectPatchMode == 1) return *TFormEffect::EffectPatch;
    return *TFormEffect::EffectPerformance;
}

forms::TLabel& LabelAt(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                       const std::string& text) {
    return forms::PlaceControl<forms::TLabel>(form, parent, left, top, 0, 15, text);
}

void SmallFont(platform::gdi::TFont& font) {
    font.SetColor(platform::gdi::clBlack);
    font.SetHeight(-9);
    font.SetName("Small Fonts");
}

// The horizontal slider in its box, as the run-time sliders of the EFX page are made too.
void ShapeSlider(controls::TPanSlider& slider, bool stereo, int min, int max) {
    slider.BorderStyle = forms::bsSingleBorder;
    slider.BevelWidth = 2;
    slider.SetVertical(false);
    slider.SetSLeft(10);
    slider.SetSTop(23);
    slider.SetSWidth(120);
    slider.SetSHeight(20);
    slider.SetELeft(100);
    slider.SetETop(6);
    slider.SetEWidth(28);
    slider.SetEHeight(15);
    slider.SetThumbColor(static_cast<forms::TColor>(0x00FF8080));
    slider.SetTrackColor(static_cast<forms::TColor>(0x00FFFF00));
    slider.SetThumbHeight(9);
    slider.SetTrackWidth(7);
    slider.SetStereo(stereo);
    SmallFont(slider.Font());
    slider.SetMin(min);
    slider.SetMax(max);
}

controls::TPanSlider& BoxSlider(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                                const char* caption, int min = 0, int max = 127) {
    auto& slider =
        forms::PlaceControl<controls::TPanSlider>(form, parent, left, top, BoxWidth, BoxHeight);
    ShapeSlider(slider, min < 0, min, max);
    SmallFont(LabelAt(form, slider, 8, 7, caption).Font());
    return slider;
}

// A drop-down list (list only) of items under a caption at (left, top).
forms::TComboBox& ListBelow(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                            const std::vector<std::string>& items) {
    auto& list =
        forms::PlaceControl<forms::TComboBox>(form, parent, left, top + 16, BoxWidth - 10, 21);
    list.Style = forms::csDropDownList;
    list.DropDownCount = 16;
    for (const std::string& item : items)
        list.Items().Add(item);
    return list;
}

forms::TComboBox& ListAt(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                         const char* caption, const std::vector<std::string>& items) {
    LabelAt(form, parent, left, top, caption);
    return ListBelow(form, parent, left, top, items);
}

} // namespace

TFormEffect::TFormEffect(forms::TComponent* owner)
    : TEditorPage(owner, TakeElem(), TakeRecord(),
                  EffectPatchMode == 1 ? PatchHelpContext : PerformanceHelpContext),
      TabbedNotebook1(forms::PlaceControl<forms::TTabbedNotebook>(*this, *this, 8, 8, NotebookWidth,
                                                                  NotebookHeight)),
      Page1(TabbedNotebook1.AddPage("Page 1")), Page2(TabbedNotebook1.AddPage("Page 2")),
      GroupEFX(forms::PlaceControl<forms::TGroupBox>(*this, Page1, 4, 4, 604, 190, "EFX")),
      Outputassign(
          ListAt(*this, GroupEFX, 8, 18, "EFX Output Assign", {"Mix", "Output 1", "Output 2"})),
      EfxOutputlevel(BoxSlider(*this, GroupEFX, 152, 16, "EFX Output Level")),
      EfxReverbsendlevel(BoxSlider(*this, GroupEFX, 78, 72, "EFX Reverb Send Lev")),
      EfxChorusSendLevel(BoxSlider(*this, GroupEFX, 222, 72, "EFX Chorus Send Lev")),
      Panelefxsource(
          forms::PlaceControl<forms::TPanel>(*this, GroupEFX, 300, 72, BoxWidth, BoxHeight)),
      efxsource(ListAt(*this, Panelefxsource, 6, 4, "EFX Source", EfxSources)),
      LabelCtrl1(LabelAt(*this, GroupEFX, 8, 130, "EFX Ctrl Source 1")),
      EFXCtrlSource1(ListBelow(*this, GroupEFX, 8, 130, CtrlSources)),
      EfxCtrlDepth1(BoxSlider(*this, GroupEFX, 152, 128, "EFX Control Depth 1", -63, 63)),
      LabelCtrl2(LabelAt(*this, GroupEFX, 300, 130, "EFX Ctrl Source 2")),
      EfxCtrlSource2(ListBelow(*this, GroupEFX, 300, 130, CtrlSources)),
      EfxCtrlDepth2(BoxSlider(*this, GroupEFX, 444, 128, "EFX Control Depth 2", -63, 63)),
      GroupChorus(forms::PlaceControl<forms::TGroupBox>(*this, Page1, 4, 198, 300, 186, "Chorus")),
      ChorusLevel(BoxSlider(*this, GroupChorus, 8, 16, "Chorus Level")),
      ChorusRate(BoxSlider(*this, GroupChorus, 152, 16, "Chorus Rate")),
      ChorusDepth(BoxSlider(*this, GroupChorus, 8, 72, "Chorus Depth")),
      ChorusPredelay(BoxSlider(*this, GroupChorus, 152, 72, "Chorus Pre-Delay")),
      Chorusfeedback(BoxSlider(*this, GroupChorus, 8, 128, "Chorus Feedback")),
      ChorusOutputassign(ListAt(*this, GroupChorus, 156, 130, "Chorus Output Assign",
                                {"Mix", "Reverb", "Mix+Reverb"})),
      GroupReverb(
          forms::PlaceControl<forms::TGroupBox>(*this, Page1, 308, 198, 300, 186, "Reverb")),
      Reverbtype(ListAt(
          *this, GroupReverb, 12, 18, "Reverb Type",
          {"Room 1", "Room 2", "Stage 1", "Stage 2", "Hall 1", "Hall 2", "Delay", "Pan-Dly"})),
      Reverblevel(BoxSlider(*this, GroupReverb, 152, 16, "Reverb Level")),
      ReverbTime(BoxSlider(*this, GroupReverb, 8, 72, "Reverb Time")),
      Reverbfeedback(BoxSlider(*this, GroupReverb, 152, 72, "Reverb Feedback")),
      PanelHFDamp(forms::PlaceControl<forms::TPanel>(*this, GroupReverb, 8, 128, 284, 52)),
      Image1(forms::PlaceControl<forms::TImage>(*this, PanelHFDamp, 110, 3, HFDampWidth,
                                                HFDampHeight)),
      Precedente(forms::PlaceControl<forms::TBitBtn>(*this, PanelHFDamp, 190, 14, 36, 22, "<")),
      Successivo(forms::PlaceControl<forms::TBitBtn>(*this, PanelHFDamp, 234, 14, 36, 22, ">")),
      PanelEFX(forms::PlaceControl<forms::TPanel>(*this, Page2, 0, 0, 604, 300)),
      Image2(forms::PlaceControl<forms::TImage>(*this, PanelEFX, 166, 8, EfxDiagramWidth,
                                                EfxDiagramHeight)),
      PanelType(forms::PlaceControl<forms::TPanel>(*this, PanelEFX, 156, 140, 289, 60)),
      EFXType(forms::PlaceControl<forms::TComboBox>(*this, PanelType, 8, 24, 273, 21)),
      Timer(Own<platform::core::TTimer>()), patchMode_(EffectPatchMode),
      patch_(EffectPatchMode == 1 ? EffectPatch : nullptr),
      performance_(EffectPatchMode == 1 ? nullptr : EffectPerformance) {
    SetCaption("Effects");
    LabelAt(*this, PanelHFDamp, 8, 18, "Reverb HF Damp ");
    LabelAt(*this, PanelType, 8, 4, "EFX Type");
    EFXType.Style = forms::csDropDownList;
    EFXType.DropDownCount = 20;
    for (const std::string& item : EfxTypeListItems())
        EFXType.Items().Add(item);
    // Nothing waits for a reply until a type is chosen.
    model::StopTimer(Timer);
    Timer.SetInterval(EfxFetchTimeoutMs);
    Timer.SetOnTimer([this](TObject*) { TimerTimer(); });
    model::StopTimer(Timer);

    AddRow<TListRow>("Outputassign", Outputassign, 25);
    AddRow<TSliderRow>("EfxOutputlevel", EfxOutputlevel, 26, Plain);
    AddRow<TSliderRow>("EfxChorusSendLevel", EfxChorusSendLevel, 27, Plain);
    AddRow<TSliderRow>("EfxReverbsendlevel", EfxReverbsendlevel, 28, Plain);
    AddRow<TListRow>("EFXCtrlSource1", EFXCtrlSource1, 29);
    AddRow<TSliderRow>("EfxCtrlDepth1", EfxCtrlDepth1, 30, Bias(63));
    AddRow<TListRow>("EfxCtrlSource2", EfxCtrlSource2, 31);
    AddRow<TSliderRow>("EfxCtrlDepth2", EfxCtrlDepth2, 32, Bias(63));
    AddRow<TSliderRow>("ChorusLevel", ChorusLevel, 33, Plain);
    AddRow<TSliderRow>("ChorusRate", ChorusRate, 34, Plain);
    AddRow<TSliderRow>("ChorusDepth", ChorusDepth, 35, Plain);
    AddRow<TSliderRow>("ChorusPredelay", ChorusPredelay, 36, Plain);
    AddRow<TSliderRow>("Chorusfeedback", Chorusfeedback, 37, Plain);
    AddRow<TListRow>("ChorusOutputassign", ChorusOutputassign, 38);
    AddRow<TListRow>("Reverbtype", Reverbtype, 39);
    AddRow<TSliderRow>("Reverblevel", Reverblevel, 40, Plain);
    AddRow<TSliderRow>("ReverbTime", ReverbTime, 41, Plain);
    AddRow<TStepperRow>("Image1", Precedente, Successivo, ReverbHFDamp, HFDampBypass,
                        [this](int step) { DrawHFDamp(Image1, step); });
    AddRow<TSliderRow>("Reverbfeedback", Reverbfeedback, 43, Plain);

    EFXType.OnChange = [this](TObject* sender) { EFXTypeChange(sender); };
    efxsource.OnChange = [this](TObject* sender) { efxsourceChange(sender); };
    TabbedNotebook1.OnChange = [this](TObject* sender, int newTab, bool& allowChange) {
        TabbedNotebook1Change(sender, newTab, allowChange);
    };
    // Undo and Revert show the record again without making the EFX page anew.
    BtnUndo.OnClick = [this](TObject* sender) { UndoClick(sender); };
    BtnRevert.OnClick = [this](TObject* sender) { RevertClick(sender); };
    OnShow = [this](TObject* sender) { ShowWindow(sender); };
    PlaceButtons(TabbedNotebook1.Top() + TabbedNotebook1.Height() + 8, NotebookWidth + 16);
}

TFormEffect::~TFormEffect() {
    // The fetch ends with the window: its handler and its timer go first.
    input_.End();
    model::StopTimer(Timer);
}

std::string TFormEffect::CaptionText() const {
    return " [Effects] [Loc : ";
}

void TFormEffect::ActivateElem() {
    if (PatchMode())
        model::ActivatePatch(patch_);
    else
        model::ActivatePerformance(performance_);
}

std::uint32_t TFormEffect::Base() const {
    return PatchMode() ? PatchBase : PerformanceBase;
}

std::uint16_t TFormEffect::TypeOffset() const {
    return static_cast<std::uint16_t>(PatchMode() ? EfxTypeParam : EfxTypeParam + 1);
}

std::uint8_t TFormEffect::ReadByte(int n) const {
    return Record().GetParam(static_cast<std::size_t>(n));
}

void TFormEffect::WriteByte(int n, std::uint8_t value) {
    Record().SetParam(static_cast<std::size_t>(n), value);
}

model::TUndoList& TFormEffect::UndoList() {
    return PageUndoList(TabbedNotebook1.PageIndex());
}

model::TUndoList& TFormEffect::PageUndoList(int pageIndex) {
    return undoLists_.at(static_cast<std::size_t>(std::clamp(pageIndex, 0, 1)));
}

void TFormEffect::ClearUndo() {
    for (model::TUndoList& list : undoLists_)
        list.Clear();
    CheckBtnEnabled();
}

void TFormEffect::TabbedNotebook1Change(TObject*, int NewTab, bool&) {
    const bool any = PageUndoList(NewTab).Count() > 0;
    BtnUndo.SetEnabled(any);
    BtnRevert.SetEnabled(any);
}

void TFormEffect::ShowWindow(TObject* sender) {
    HelpContext = PatchMode() ? PatchHelpContext : PerformanceHelpContext;
    justShown_ = true;
    TabbedNotebook1.SetPageIndex(0);
    FormShow(sender);
}

void TFormEffect::UpDateView(bool rebuild) {
    rebuild_ = rebuild;
    Updateview();
    rebuild_ = true;
}

void TFormEffect::UndoClick(TObject* sender) {
    rebuild_ = false;
    BtnUndoClick(sender);
    rebuild_ = true;
}

void TFormEffect::RevertClick(TObject* sender) {
    rebuild_ = false;
    BtnRevertClick(sender);
    rebuild_ = true;
}

void TFormEffect::ShowMore() {
    Panelefxsource.SetVisible(!PatchMode());
    EfxReverbsendlevel.SetLeft(PatchMode() ? 78 : 8);
    EfxChorusSendLevel.SetLeft(PatchMode() ? 222 : 152);
    if (!PatchMode()) efxsource.SetItemIndex(performance_->Common->GetParam(EfxTypeParam));
    const int type = ReadByte(EfxTypeParam);
    EFXType.SetItemIndex(type < EfxTypeCount ? type : -1);
    if (rebuild_) InsertEFX();
    SetEFXParam();
}

void TFormEffect::EFXTypeChange(TObject*) {
    // A type change cannot be undone, nor can the parameter changes of the type before it.
    PageUndoList(1).Clear();
    CheckBtnEnabled();
    const int index = EFXType.ItemIndex();
    if (index < 0) return;
    WriteByte(EfxTypeParam, static_cast<std::uint8_t>(index));
    if (!Updating()) Elem().SetModified();
    if (model::MidiOnline()) {
        ReceiveEFXParam();
    } else {
        // Nothing will answer: the page takes the new type's controls now, so that what they
        // store follows the new type's table.
        InsertEFX();
        SetEFXParam();
    }
}

void TFormEffect::ReceiveEFXParam() {
    if (!model::MidiOnline()) return;
    const int index = std::max(EFXType.ItemIndex(), 0);
    model::SendDT1Byte(Base(), 0, TypeOffset(), static_cast<std::uint8_t>(index));
    input_.Install([this] { OnEFXMidiInput(); });
    model::StartTimer(Timer, EfxFetchTimeoutMs, [this] { TimerTimer(); });
    const std::uint8_t size[] = {0x00, 0x00, 0x00, EfxParamCount};
    model::SendRQ1(Base(), 0, static_cast<std::uint16_t>(TypeOffset() + 1), size);
}

void TFormEffect::OnEFXMidiInput() {
    if (!model::MidiOnline()) return;
    const std::uint32_t address =
        model::SysExAddress(Base(), 0, static_cast<std::uint16_t>(TypeOffset() + 1));
    // Only the twelve bytes asked for, sound, end the wait; anything else before them is
    // dropped and the time-out still runs.
    while (std::unique_ptr<midi::TMyMidiEvent> event = model::ReadInputEvent()) {
        if (!model::IsReplyFor(*event, address, model::MessageLength(EfxParamCount)) ||
            !model::ReplyIsSound(*event))
            continue;
        model::StopTimer(Timer);
        input_.End();
        for (int k = 0; k < EfxParamCount; ++k)
            Record().Data()[static_cast<std::size_t>(EfxFirstParam + k)] =
                event->Sysex[model::SysExHeaderLength + static_cast<std::size_t>(k)];
        AfterReceive();
        return;
    }
}

void TFormEffect::TimerTimer() {
    model::StopTimer(Timer);
    input_.End();
    const model::TModalResult answer = model::MessageDlg(
        EfxNotRespondingText, model::TMsgDlgType::mtInformation, model::mbOK | model::mbRetry);
    if (answer == model::mrRetry) {
        ReceiveEFXParam();
        return;
    }
    for (int k = 0; k < EfxParamCount; ++k)
        Record().Data()[static_cast<std::size_t>(EfxFirstParam + k)] = 0;
    AfterReceive();
}

void TFormEffect::AfterReceive() {
    if (!justShown_) {
        InsertEFX();
        SetEFXParam();
        return;
    }
    UpDateView(true);
    ClearUndo();
    justShown_ = false;
}

forms::TControl* TFormEffect::ParamControl(int pos) const {
    if (pos < 1 || pos > ParamControlCount()) return nullptr;
    return paramControls_[static_cast<std::size_t>(pos - 1)];
}

void TFormEffect::RemoveAll() {
    // Parts were made after the boxes that hold them: freed last made first, no box outlives
    // its parts' parent.
    for (auto it = runTime_.rbegin(); it != runTime_.rend(); ++it)
        FreeComponent(**it);
    runTime_.clear();
    paramControls_.clear();
}

void TFormEffect::GetEFXCoord(int n, int& left, int& top) const {
    if (n <= 5) {
        left = 8;
        top = 8 + (n - 1) * 57;
    } else if (n <= 10) {
        left = 452;
        top = 8 + (n - 6) * 57;
    } else {
        left = n == 11 ? 156 : 304;
        top = 236;
    }
}

template <class T>
T& TFormEffect::RunTime(forms::TWinControl& parent, int left, int top, int width, int height) {
    T& control = forms::PlaceControl<T>(*this, parent, left, top, width, height);
    control.Tag = nextParam_;
    runTime_.push_back(&control);
    return control;
}

controls::TPanSlider& TFormEffect::InsertSlider(const std::string& caption, bool stereo, int min,
                                                int max) {
    int left = 0;
    int top = 0;
    GetEFXCoord(nextParam_, left, top);
    auto& slider = RunTime<controls::TPanSlider>(PanelEFX, left, top, BoxWidth, BoxHeight);
    slider.SetVisible(false);
    slider.Name = "Param" + std::to_string(nextParam_);
    ShapeSlider(slider, stereo, min, max);
    auto& label = RunTime<forms::TLabel>(slider, 8, 7, 0, 15);
    label.SetCaption(caption);
    SmallFont(label.Font());
    slider.OnEndchange = [this](TObject* sender) { EFXEndChange(sender); };
    slider.SetVisible(true);
    paramControls_.push_back(&slider);
    ++nextParam_;
    return slider;
}

forms::TControl& TFormEffect::InsertSpin(const std::string& caption, int width, TEditType kind,
                                         int step, int min, int max) {
    int left = 0;
    int top = 0;
    GetEFXCoord(nextParam_, left, top);
    auto& panel = RunTime<forms::TPanel>(PanelEFX, left, top, BoxWidth, BoxHeight);
    panel.SetVisible(false);
    panel.BorderStyle = forms::bsSingleBorder;
    panel.BevelWidth = 2;
    auto& label = RunTime<forms::TLabel>(panel, 8, 0, 0, 15);
    label.SetCaption(caption);
    auto& edit =
        RunTime<controls::TMyEdit>(panel, BoxWidth - width - 8, (BoxHeight - 21) / 2, width, 21);
    // A caption wider than the room left of the field takes two lines there.
    if (const int room = edit.Left() - 4 - label.Left(); label.Width() > room) {
        const int lineHeight = label.Height();
        label.SetAutoSize(false);
        label.WordWrap = true;
        label.SetBounds(label.Left(), 0, room, 2 * lineHeight);
    }
    label.SetTop((panel.ClientHeight() - label.Height()) / 2);
    edit.Name = "Param" + std::to_string(nextParam_);
    edit.Min = min;
    edit.Max = max;
    edit.Step = step;
    edit.SetEditType(kind);
    edit.SetTop((panel.ClientHeight() - edit.Height()) / 2);
    edit.OnEndChange = [this](TObject* sender) { EFXEndChange(sender); };
    panel.SetVisible(true);
    paramControls_.push_back(&edit);
    ++nextParam_;
    return edit;
}

forms::TControl& TFormEffect::InsertCombo(const std::string& caption,
                                          const std::vector<std::string>& items) {
    int left = 0;
    int top = 0;
    GetEFXCoord(nextParam_, left, top);
    auto& panel = RunTime<forms::TPanel>(PanelEFX, left, top, BoxWidth, BoxHeight);
    panel.SetVisible(false);
    panel.BorderStyle = forms::bsSingleBorder;
    panel.BevelWidth = 2;
    RunTime<forms::TLabel>(panel, 8, 4, 0, 15).SetCaption(caption);
    auto& list = RunTime<forms::TComboBox>(panel, 8, 20, BoxWidth - 18, 21);
    list.Name = "Param" + std::to_string(nextParam_);
    list.Style = forms::csDropDownList;
    for (const std::string& item : items)
        list.Items().Add(item);
    list.OnChange = [this](TObject* sender) { EFXEndChange(sender); };
    panel.SetVisible(true);
    paramControls_.push_back(&list);
    ++nextParam_;
    return list;
}

void TFormEffect::InsertEFX() {
    RemoveAll();
    nextParam_ = 1;
    efxNumber_ = EFXType.ItemIndex() + 1;
    // The stereo delays draw their feedback mode, the first of their parameters.
    DrawEFX(Image2, PanelEFX.Font(), efxNumber_, ReadByte(EfxFirstParam));
    Image2.Invalidate();
    const TEfxType* type = EfxType(efxNumber_);
    if (type == nullptr) return;
    for (const TEfxParam& param : type->Params) {
        switch (param.Control) {
        case TEfxControl::Slider:
            InsertSlider(param.Label, param.Stereo, param.Min, param.Max);
            break;
        case TEfxControl::Field:
            InsertSpin(param.Label, param.BoxWidth, param.EditType, param.Step, param.Min,
                       param.Max);
            break;
        case TEfxControl::List:
            InsertCombo(param.Label, param.Items);
            break;
        }
    }
    // Each control source shows what it drives in this type.
    LabelCtrl1.SetCaption(type->Ctrl1);
    LabelCtrl2.SetCaption(type->Ctrl2);
}

void TFormEffect::SetEFXParam() {
    efxNumber_ = EFXType.ItemIndex() + 1;
    const TEfxType* type = EfxType(efxNumber_);
    if (type == nullptr) return;
    // Values set by program: the controls' events must not store them back.
    settingParams_ = true;
    for (int pos = 1; pos <= ParamControlCount(); ++pos) {
        const TEfxParam* param = type->AtPos(pos);
        if (param == nullptr) break;
        const int value = param->ToValue(ReadByte(param->WindowParam()));
        forms::TControl* control = ParamControl(pos);
        if (auto* slider = dynamic_cast<controls::TPanSlider*>(control))
            slider->SetValue(value);
        else if (auto* edit = dynamic_cast<controls::TMyEdit*>(control))
            edit->SetCode(value);
        else if (auto* list = dynamic_cast<forms::TComboBox*>(control))
            list->SetItemIndex(value);
    }
    settingParams_ = false;
}

void TFormEffect::EFXEndChange(TObject* Sender) {
    if (Updating() || settingParams_) return;
    efxNumber_ = EFXType.ItemIndex() + 1;
    const TEfxType* type = EfxType(efxNumber_);
    const auto* control = dynamic_cast<forms::TControl*>(Sender);
    if (type == nullptr || control == nullptr) return;
    const TEfxParam* param = type->AtPos(static_cast<int>(control->Tag));
    if (param == nullptr) return;
    int value = 0;
    if (const auto* slider = dynamic_cast<const controls::TPanSlider*>(control))
        value = slider->Value();
    else if (const auto* edit = dynamic_cast<const controls::TMyEdit*>(control))
        value = edit->Code();
    else if (const auto* list = dynamic_cast<const forms::TComboBox*>(control))
        value = list->ItemIndex();
    else
        return;
    SendandStore(static_cast<std::uint16_t>(param->WindowParam()), param->ToByte(value));
}

void TFormEffect::efxsourceChange(TObject*) {
    if (PatchMode() || Updating() || efxsource.ItemIndex() < 0) return;
    performance_->Common->SetParam(EfxTypeParam, static_cast<std::uint8_t>(efxsource.ItemIndex()));
    // Not undone, but an edit of the performance all the same.
    performance_->SetModified();
}

namespace {

template <class Elem> TFormEffect& OpenEffects(Elem& elem, forms::TComponent& owner) {
    model::TEditorSlot& slot = elem.Common->EffectsWindow;
    if (slot.Open && slot.Window != nullptr) {
        auto* view = dynamic_cast<TPageView*>(slot.Window);
        assert(view != nullptr);
        slot.Window->BringToFront();
        return static_cast<TFormEffect&>(view->Page());
    }
    TFormEffect& window = owner.Own<TFormEffect>();
    window.AfterConstruction();
    window.Show();
    return window;
}

} // namespace

TFormEffect& OpenEffectPatch(model::TPatch& patch, forms::TComponent& owner) {
    TFormEffect::EffectPatch = &patch;
    TFormEffect::EffectPatchMode = 1;
    return OpenEffects(patch, owner);
}

TFormEffect& OpenEffectPerformance(model::TPerformance& performance, forms::TComponent& owner) {
    TFormEffect::EffectPerformance = &performance;
    TFormEffect::EffectPatchMode = 0;
    return OpenEffects(performance, owner);
}

} // namespace editors
