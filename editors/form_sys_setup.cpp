#include "editors/form_sys_setup.h"

#include "editors/labelled_controls.h"
#include "editors/names_window.h"
#include "editors/page_choice_rows.h"
#include "midi/midi_output.h"
#include "model/program/quintaron.h"
#include "platform/forms/place_control.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <string>

namespace editors {

model::TSystem* TFormSysSetup::PageSystem = nullptr;

namespace {

using controls::TEditType;
using forms::TObject;

model::TSystem& TakeSystem() {
    assert(TFormSysSetup::PageSystem != nullptr && "the opener sets PageSystem first");
    return *TFormSysSetup::PageSystem;
}

constexpr int NotebookWidth = 477;
constexpr int NotebookHeight = 265;
constexpr int ButtonsTop = 271;
constexpr int ButtonsHeight = 45;
constexpr int RowHeight = 27;
constexpr int LabelWidth = 130;
constexpr int RightColumn = 250;
constexpr int SwitchColumn = 320;
// The switches end a margin short of the page's right edge (the notebook's frame takes 4).
constexpr int SwitchWidth = NotebookWidth - 4 - SwitchColumn - 8;
// Page 2: two columns of fields, lists and polarity groups.
constexpr int Page2Label = 120;
constexpr int Page2Right = 246;
constexpr std::uint16_t PanelModeOffset = 0;
constexpr std::uint16_t PerformanceOffset = 1;
constexpr std::uint16_t PatchOffset = 2;
constexpr int PatchGroupCount = 11;
constexpr int PerformanceGroupCount = 4;
constexpr int HighestPatch = 255;
constexpr int HighestPerformance = 31;
constexpr int HighestBankSelect = 16383;
// The expansion boards and PCM cards that have name lists.
constexpr int BoardCount = 17;
constexpr int CardCount = 8;

int Row(int n) {
    return 8 + n * RowHeight;
}

std::uint16_t BankSwitchOffset(int group) {
    return static_cast<std::uint16_t>(61 + 3 * (group - 1));
}

const char* const OutputModes[] = {"Off", "Int", "Midi", "Int+Midi"};
const char* const PatchGroups[] = {"User",        "Card",        "Preset A",    "Preset B",
                                   "Preset C",    "GM",          "Expansion A", "Expansion B",
                                   "Expansion C", "Expansion D", "PCM"};

// The board configured for expansion slot 0..3.
int SlotBoard(int slot) {
    const model::TQuintaron* app = model::AppState();
    if (app == nullptr) return 0;
    const std::int32_t boards[] = {app->Config.ExpA, app->Config.ExpB, app->Config.ExpC,
                                   app->Config.ExpD};
    return boards[slot];
}

int PcmCard() {
    const model::TQuintaron* app = model::AppState();
    return app != nullptr ? app->Config.PCMCard & 0xFF : 0;
}

// The performance, its group by the list and its number by the chooser.
class TPerformanceRow final : public TPageRow {
public:
    explicit TPerformanceRow(TFormSysSetup& page) : page_(page) {}

    void Show(const TPageRecord&) override { page_.ShowPerformance(); }
    void Store(TPageStore&) const override { page_.PerfNameChange(); }
    void Bind(std::function<void()>) override {
        page_.PerfGroup.OnChange = [this](TObject* sender) { page_.PerfGroupChange(sender); };
        page_.ButPerf.OnClick = [this](TObject* sender) { page_.ButPerfClick(sender); };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return PerformanceGroupCount - 1; }
    // Chooses group value from the list.
    void Drive(int value) override {
        page_.PerfGroup.SetItemIndex(value);
        page_.PerfGroupChange(&page_.PerfGroup);
    }
    std::string Name() const override { return "PerfGroup"; }

private:
    TFormSysSetup& page_;
};

// The patch, its group by the list and its number by the chooser.
class TPatchRow final : public TPageRow {
public:
    explicit TPatchRow(TFormSysSetup& page) : page_(page) {}

    void Show(const TPageRecord&) override { page_.ShowPatch(); }
    void Store(TPageStore&) const override { page_.PatchNameChange(); }
    void Bind(std::function<void()>) override {
        page_.PatchGroup.OnChange = [this](TObject* sender) { page_.PatchGroupChange(sender); };
        page_.ButPatch.OnClick = [this](TObject* sender) { page_.ButPatchClick(sender); };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return PatchGroupCount - 1; }
    // Chooses group value from the list.
    void Drive(int value) override {
        page_.PatchGroup.SetItemIndex(value);
        page_.PatchGroupChange(&page_.PatchGroup);
    }
    std::string Name() const override { return "PatchGroup"; }

private:
    TFormSysSetup& page_;
};

// The bank select switch of the bank group shown.
class TBankSwitchRow final : public TPageRow {
public:
    TBankSwitchRow(const TFormSysSetup& page, forms::TCheckBox& box) : page_(page), box_(box) {}

    void Show(const TPageRecord& record) override {
        box_.SetChecked(record.GetParam(BankSwitchOffset(page_.BankGroup())) == 1);
    }
    void Store(TPageStore& page) const override {
        page.SendandStore(BankSwitchOffset(page_.BankGroup()), box_.Checked() ? 1 : 0);
    }
    void Bind(std::function<void()> ended) override {
        box_.OnClick = [ended = std::move(ended)](TObject*) { ended(); };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return 1; }
    void Drive(int value) override { box_.SetChecked(value == 1); }
    std::string Name() const override { return "BankSelSwitch"; }

private:
    const TFormSysSetup& page_;
    forms::TCheckBox& box_;
};

// The bank select number of the bank group shown: value div 128 and value mod 128 in one message.
class TBankSelectRow final : public TPageRow {
public:
    TBankSelectRow(const TFormSysSetup& page, controls::TMyEdit& edit) : page_(page), edit_(edit) {}

    void Show(const TPageRecord& record) override {
        const std::uint16_t at = BankSwitchOffset(page_.BankGroup()) + 1;
        edit_.SetCode(record.GetParam(at) * 128 + record.GetParam(at + 1));
    }
    void Store(TPageStore& page) const override {
        // Bytes read from a file may show above the field's range: what goes back stays 7-bit.
        const int value = std::clamp(edit_.Code(), 0, HighestBankSelect);
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value / 128),
                                      static_cast<std::uint8_t>(value % 128)};
        page.SendAndStoreArray(BankSwitchOffset(page_.BankGroup()) + 1, bytes);
    }
    void Bind(std::function<void()> ended) override {
        edit_.OnEndChange = [ended = std::move(ended)](TObject*) { ended(); };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return HighestBankSelect; }
    void Drive(int value) override {
        edit_.SetCode(value);
        if (edit_.OnEndChange) edit_.OnEndChange(&edit_);
    }
    std::string Name() const override { return "BankSel"; }

private:
    const TFormSysSetup& page_;
    controls::TMyEdit& edit_;
};

forms::TTabbedNotebook& Notebook(forms::TForm& form) {
    return forms::PlaceControl<forms::TTabbedNotebook>(form, form, 2, 0, NotebookWidth,
                                                       NotebookHeight);
}

forms::TEdit& NameBox(forms::TForm& form, forms::TWinControl& parent, int top, const char* label) {
    forms::PlaceControl<forms::TLabel>(form, parent, 8, top + 3, LabelWidth, 15, label);
    auto& box = forms::PlaceControl<forms::TEdit>(form, parent, LabelWidth + 12, top, 120, 21);
    box.SetReadOnly(true);
    return box;
}

forms::TSpeedButton& NameButton(forms::TForm& form, forms::TWinControl& parent, int top) {
    return forms::PlaceControl<forms::TSpeedButton>(form, parent, LabelWidth + 136, top, 22, 21,
                                                    "B");
}

} // namespace

TFormSysSetup::TFormSysSetup(forms::TComponent* owner)
    : TSystemPage(owner, TakeSystem(),
                  std::make_unique<TSystemCommonRecord>(TakeSystem(), SlotOf(TakeSystem())),
                  HelpContextNumber, "Setup"),
      mode_(), pedal1_(), pedal2_(), hold_(), Tabbed(Notebook(*this)),
      Page1(Tabbed.AddPage("Page 1")), Page2(Tabbed.AddPage("Page 2")),
      Page3(Tabbed.AddPage("Page 3")),
      Performance(*(mode_ = PlaceRadios(*this, Page1, 8, 4, 300, "Panel Mode",
                                        {" Performance", " Patch", " GM"}))[0]),
      Patch(*mode_[1]), GM(*mode_[2]),
      PerfGroup(PlaceLabelledList(*this, Page1, 8, 48, LabelWidth, "Performance Group",
                                  {"User", "Card", "Preset A", "Preset B"})),
      PerfName(NameBox(*this, Page1, 48 + RowHeight, "Performance Name")),
      ButPerf(NameButton(*this, Page1, 48 + RowHeight)),
      PatchGroup(PlaceLabelledList(*this, Page1, 8, 48 + 2 * RowHeight, LabelWidth, "Patch Group",
                                   PatchGroups)),
      PatchName(NameBox(*this, Page1, 48 + 3 * RowHeight, "Patch Name")),
      ButPatch(NameButton(*this, Page1, 48 + 3 * RowHeight)),
      MasterTune(PlaceLabelledField(*this, Page1, 8, 48 + 4 * RowHeight + 6, LabelWidth,
                                    "Master Tune", TEditType::Int427M452)),
      ScaleTuneSwitch(
          PlaceCheck(*this, Page1, SwitchColumn, Row(0), "Scale Tune Switch", SwitchWidth)),
      EfxSwitch(PlaceCheck(*this, Page1, SwitchColumn, Row(1), "Efx Switch", SwitchWidth)),
      ChorusSwitch(PlaceCheck(*this, Page1, SwitchColumn, Row(2), "Chorus Switch", SwitchWidth)),
      ReverbSwitch(PlaceCheck(*this, Page1, SwitchColumn, Row(3), "Reverb Switch", SwitchWidth)),
      PatchRemain(PlaceCheck(*this, Page1, SwitchColumn, Row(4), "Patch Remain", SwitchWidth)),
      Pedal1(PlaceLabelledField(*this, Page2, 8, 6, Page2Label, "Pedal 1 Assign",
                                TEditType::CC00CC95StartStop)),
      Pedal1Output(
          PlaceLabelledList(*this, Page2, 8, 31, Page2Label, "Pedal 1 Output mode", OutputModes)),
      Pedal2(PlaceLabelledField(*this, Page2, 8, 106, Page2Label, "Pedal 2 Assign",
                                TEditType::CC00CC95StartStop)),
      Pedal2Output(
          PlaceLabelledList(*this, Page2, 8, 131, Page2Label, "Pedal 2 Output mode", OutputModes)),
      C1Assign(PlaceLabelledField(*this, Page2, Page2Right, 6, Page2Label, "C1 Assign",
                                  TEditType::CC00CC95)),
      C1output(PlaceLabelledList(*this, Page2, Page2Right, 31, Page2Label, "C1 Output Mode",
                                 OutputModes)),
      C2Assign(PlaceLabelledField(*this, Page2, Page2Right, 62, Page2Label, "C2 Assign",
                                  TEditType::CC00CC95)),
      C2Output(PlaceLabelledList(*this, Page2, Page2Right, 87, Page2Label, "C2 Output Mode",
                                 OutputModes)),
      HoldPedalOutput(PlaceLabelledList(*this, Page2, Page2Right, 118, Page2Label,
                                        "Hold Pedal Output Mode", OutputModes)),
      Pedal1Std(*(pedal1_ = PlaceRadios(*this, Page2, 8, 58, 224, "Pedal 1 Polarity",
                                        {" Std", " Rev"}))[0]),
      Pedal1Rev(*pedal1_[1]),
      Pedal2Std(*(pedal2_ = PlaceRadios(*this, Page2, 8, 158, 224, "Pedal 2 Polarity",
                                        {" Std", " Rev"}))[0]),
      Pedal2Rev(*pedal2_[1]),
      HoldPedalStd(*(hold_ = PlaceRadios(*this, Page2, Page2Right, 145, 224, "Hold Pedal Polarity",
                                         {" Std", " Rev"}))[0]),
      HoldPedalRev(*hold_[1]),
      TrPrgChange(PlaceCheck(*this, Page3, 8, Row(0), "Transmit Prg Change")),
      TrBankSel(PlaceCheck(*this, Page3, 8, Row(1), "Trasmit Bank Select")),
      PatchTrCh(PlaceLabelledField(*this, Page3, 8, Row(2), LabelWidth, "Patch Trasmit Channel",
                                   TEditType::Int1M16RXCHOff)),
      TransposeSwitch(PlaceCheck(*this, Page3, 8, Row(3), "Transpose Switch")),
      TransposeValue(PlaceLabelledField(*this, Page3, 8, Row(4), LabelWidth, "Transpose Value",
                                        TEditType::MinMaxS, -5, 6)),
      OctaveShift(PlaceLabelledField(*this, Page3, 8, Row(5), LabelWidth, "Octave Shift",
                                     TEditType::MinMaxS, -3, 3)),
      KeybVel(PlaceLabelledField(*this, Page3, 8, Row(6), LabelWidth, "Keyb Velocity",
                                 TEditType::RealInt1M127)),
      KeybSens(PlaceLabelledList(*this, Page3, 8, Row(7), LabelWidth, "Keyboard Sens",
                                 {"Light", "Standard", "Heavy"})),
      AftSens(PlaceLabelledField(*this, Page3, RightColumn, Row(0), 100, "Aftertouch Sens",
                                 TEditType::MinMax, 0, 100)),
      BankSelSwitch(PlaceCheck(*this, Page3, RightColumn, Row(4), "Bank Sel Switch")),
      BankSel(PlaceLabelledField(*this, Page3, RightColumn, Row(5), 100, "Bank Select",
                                 TEditType::MinMax, 0, HighestBankSelect)) {
    SetCaption("Setup");
    // The radio rows of the table show their groups; the name boxes take no typing.
    PerfGroup.DropDownCount = PerformanceGroupCount;
    PatchGroup.DropDownCount = PatchGroupCount;

    forms::PlaceControl<forms::TLabel>(*this, Page3, RightColumn, Row(2) + 3, 100, 15,
                                       "Bank Group");
    // Tags 1..7 in the order of the form's buttons: SpeedButton4 is group 3, SpeedButton3 group 4.
    const char* const bankNames[] = {"SpeedButton1", "SpeedButton2", "SpeedButton4", "SpeedButton3",
                                     "SpeedButton5", "SpeedButton6", "SpeedButton7"};
    for (int group = 1; group <= BankGroupCount; ++group) {
        auto& button = forms::PlaceControl<forms::TSpeedButton>(
            *this, Page3, RightColumn + (group - 1) * 28, Row(3), 26, 22, std::to_string(group));
        button.Name = bankNames[group - 1];
        button.Tag = group;
        button.SetGroupIndex(1);
        button.OnClick = [this](TObject* sender) { SpeedButton1Click(sender); };
        BankButton[static_cast<std::size_t>(group - 1)] = &button;
    }
    BankButton[0]->SetDown(true);

    AddRow<TRadioRow>("PanelMode", mode_, PanelModeOffset);
    AddRow<TPerformanceRow>(*this);
    AddRow<TPatchRow>(*this);
    AddRow<TStepRow>("MasterTune", MasterTune, 6, Code);
    AddRow<TCheckRow>("ScaleTuneSwitch", ScaleTuneSwitch, 7);
    AddRow<TCheckRow>("EfxSwitch", EfxSwitch, 8);
    AddRow<TCheckRow>("ChorusSwitch", ChorusSwitch, 9);
    AddRow<TCheckRow>("ReverbSwitch", ReverbSwitch, 10);
    AddRow<TCheckRow>("PatchRemain", PatchRemain, 11);
    AddRow<TStepRow>("Pedal1", Pedal1, 49, Code);
    AddRow<TListRow>("Pedal1Output", Pedal1Output, 50);
    AddRow<TRadioRow>("Pedal1Polarity", pedal1_, 51);
    AddRow<TStepRow>("Pedal2", Pedal2, 52, Code);
    AddRow<TListRow>("Pedal2Output", Pedal2Output, 53);
    AddRow<TRadioRow>("Pedal2Polarity", pedal2_, 54);
    AddRow<TStepRow>("C1Assign", C1Assign, 55, Code);
    AddRow<TListRow>("C1output", C1output, 56);
    AddRow<TStepRow>("C2Assign", C2Assign, 57, Code);
    AddRow<TListRow>("C2Output", C2Output, 58);
    AddRow<TListRow>("HoldPedalOutput", HoldPedalOutput, 59);
    AddRow<TRadioRow>("HoldPedalPolarity", hold_, 60);
    AddRow<TCheckRow>("TrPrgChange", TrPrgChange, 40);
    AddRow<TCheckRow>("TrBankSel", TrBankSel, 41);
    AddRow<TStepRow>("PatchTrCh", PatchTrCh, 42, Code);
    AddRow<TCheckRow>("TransposeSwitch", TransposeSwitch, 43);
    // The instrument keeps transpose -5..6 as 0..11 and octave shift -3..3 as 0..6.
    AddRow<TStepRow>("TransposeValue", TransposeValue, 44, Bias(5));
    AddRow<TStepRow>("OctaveShift", OctaveShift, 45, Bias(3));
    AddRow<TStepRow>("KeybVel", KeybVel, 46, Code);
    AddRow<TListRow>("KeybSens", KeybSens, 47);
    AddRow<TStepRow>("AftSens", AftSens, 48, Code);
    AddRow<TBankSwitchRow>(*this, BankSelSwitch);
    AddRow<TBankSelectRow>(*this, BankSel);

    static_cast<TSystemCommonRecord&>(Record()).OnPanelMode = [this] { GMOff(); };
    BtnRevert.OnClick = [this](TObject* sender) { BtnRevertClick(sender); };
    Tabbed.SetPageIndex(0);
    Tabbed.OnChange = [this](TObject* sender, int newTab, bool& allowChange) {
        TabbedChange(sender, newTab, allowChange);
    };
    PlaceButtons(ButtonsTop, NotebookWidth);
    PanelBtn.SetHeight(ButtonsHeight);
    FormResize(this);
}

int TFormSysSetup::ListCode(int group) {
    constexpr int fixed[] = {61, 62, 37, 38, 39, 40};
    if (group >= 0 && group < 6) return fixed[group];
    if (group >= 6 && group < 10) {
        const int board = SlotBoard(group - 6);
        return board >= 1 && board <= BoardCount ? (board - 1) * 2 + 4 : 0;
    }
    if (group == 10) {
        const int card = PcmCard();
        return card >= 1 && card <= CardCount ? (card - 1) * 2 + 42 : 0;
    }
    return 0;
}

int TFormSysSetup::ListCodePerf(int group) {
    // User and card performances in the file order of the name lists.
    constexpr int lists[] = {60, 59, 57, 58};
    return group >= 0 && group < PerformanceGroupCount ? lists[group] : 0;
}

model::TUndoList& TFormSysSetup::UndoList() {
    return PageUndoList(Tabbed.PageIndex());
}

model::TUndoList& TFormSysSetup::PageUndoList(int pageIndex) {
    return undoLists_.at(static_cast<std::size_t>(std::clamp(pageIndex, 0, 2)));
}

void TFormSysSetup::ClearUndo() {
    for (model::TUndoList& list : undoLists_)
        list.Clear();
    CheckBtnEnabled();
}

void TFormSysSetup::SendandStore(std::uint16_t Offset, std::uint8_t Value) {
    TEditorPage::SendandStore(Offset, Value);
    if (Offset == PanelModeOffset) UpdateEnabled();
}

void TFormSysSetup::ShowMore() {
    UpdateEnabled();
}

void TFormSysSetup::GMOff() {
    if (!model::MidiOnline()) return;
    // Straight to the port: it is no data set, so neither the pause nor the monitor.
    static const std::uint8_t message[] = {0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};
    if (midi::TMidiOutput* output = model::AppState()->Midi.Output())
        output->SendLong(message, static_cast<std::uint16_t>(sizeof message));
}

void TFormSysSetup::UpdateEnabled() {
    const bool patch = Patch.Checked();
    const bool performance = Performance.Checked();
    PatchName.SetEnabled(patch);
    PatchGroup.SetEnabled(patch);
    ButPatch.SetEnabled(patch);
    PerfName.SetEnabled(performance);
    PerfGroup.SetEnabled(performance);
    ButPerf.SetEnabled(performance);
}

std::string TFormSysSetup::PatchEntry() const {
    const int list = ListCode(PatchGroup.ItemIndex());
    return list != 0 ? NameOf(list, patchNumber_) : std::string();
}

void TFormSysSetup::ShowPatch() {
    const std::uint8_t type = Record().GetParam(PatchOffset);
    const std::uint8_t id = Record().GetParam(PatchOffset + 1);
    int group = PatchGroup.ItemIndex();
    if (type == 0)
        group = id == 0 ? 0 : (id <= 6 ? id - 1 : -1);
    else if (type == 1)
        group = 10;
    else if (type == 2) {
        const model::TQuintaron* app = model::AppState();
        const int slot = app != nullptr ? app->Config.ExpansionSlotOf(id) : -1;
        // A board no slot holds is no group of the list.
        group = slot >= 0 ? 6 + slot : -1;
    }
    PatchGroup.SetItemIndex(group);
    patchNumber_ = (Record().GetParam(PatchOffset + 2) << 4) | Record().GetParam(PatchOffset + 3);
    PatchName.SetText(PatchEntry());
    previousGroup_ = group;
}

void TFormSysSetup::ShowPerformance() {
    const std::uint8_t byte = Record().GetParam(PerformanceOffset);
    const int group = byte / 32;
    perfNumber_ = byte % 32;
    // A byte beyond the four groups names none of them.
    PerfGroup.SetItemIndex(group < PerformanceGroupCount ? group : -1);
    const int list = ListCodePerf(PerfGroup.ItemIndex());
    PerfName.SetText(list != 0 ? NameOf(list, perfNumber_) : std::string());
}

void TFormSysSetup::PatchGroupChange(TObject*) {
    if (Updating()) return;
    const int group = PatchGroup.ItemIndex();
    // Type and id of the group; an id of 0 is no board or card in that place (nor one the
    // instrument could be sent), and the group stays as it was.
    int type = 0;
    int id = 0;
    if (group >= 0 && group < 6) {
        id = group + 1;
    } else if (group >= 6 && group < 10) {
        type = 2;
        id = SlotBoard(group - 6);
    } else if (group == 10) {
        type = 1;
        id = PcmCard();
    }
    if (id <= 0 || id > 0x7F) {
        PatchGroup.SetItemIndex(previousGroup_);
    } else {
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(type),
                                      static_cast<std::uint8_t>(id)};
        SendAndStoreArray(PatchOffset, bytes);
        previousGroup_ = group;
    }
    const std::string entry = PatchEntry();
    if (entry != PatchName.Text()) {
        PatchName.SetText(entry);
        PatchNameChange();
    }
}

void TFormSysSetup::PatchNameChange() {
    if (Updating()) return;
    const std::uint8_t bytes[] = {
        Record().GetParam(PatchOffset), Record().GetParam(PatchOffset + 1),
        static_cast<std::uint8_t>(patchNumber_ / 16), static_cast<std::uint8_t>(patchNumber_ % 16)};
    SendAndStoreArray(PatchOffset, bytes);
}

void TFormSysSetup::ButPatchClick(TObject*) {
    const int list = ListCode(PatchGroup.ItemIndex());
    // No list: nothing to choose from.
    if (list == 0) return;
    patchNumber_ = std::clamp(ChooseName(list, patchNumber_), 0, HighestPatch);
    const std::string entry = NameOf(list, patchNumber_);
    if (entry == PatchName.Text()) return;
    PatchName.SetText(entry);
    PatchNameChange();
}

void TFormSysSetup::PerfGroupChange(TObject*) {
    if (Updating()) return;
    PerfNameChange();
    const int list = ListCodePerf(PerfGroup.ItemIndex());
    PerfName.SetText(list != 0 ? NameOf(list, perfNumber_) : std::string());
}

void TFormSysSetup::PerfNameChange() {
    const int group = PerfGroup.ItemIndex();
    if (Updating() || group < 0 || group >= PerformanceGroupCount) return;
    SendandStore(PerformanceOffset, static_cast<std::uint8_t>(group * 32 + perfNumber_));
}

void TFormSysSetup::ButPerfClick(TObject*) {
    const int list = ListCodePerf(PerfGroup.ItemIndex());
    if (list == 0) return;
    perfNumber_ = std::clamp(ChooseName(list, perfNumber_), 0, HighestPerformance);
    const std::string entry = NameOf(list, perfNumber_);
    if (entry == PerfName.Text()) return;
    PerfName.SetText(entry);
    PerfNameChange();
}

void TFormSysSetup::SpeedButton1Click(TObject* Sender) {
    const auto* button = dynamic_cast<const forms::TSpeedButton*>(Sender);
    if (button == nullptr) return;
    bankGroup_ = static_cast<int>(button->Tag);
    // Only shown: the group's switch and number are set with every store suppressed.
    Updateview();
}

void TFormSysSetup::TabbedChange(TObject*, int NewTab, bool&) {
    const bool any = PageUndoList(NewTab).Count() > 0;
    BtnUndo.SetEnabled(any);
    BtnRevert.SetEnabled(any);
}

void TFormSysSetup::BtnRevertClick(TObject*) {
    model::TUndoList& list = UndoList();
    std::uint16_t offset = 0;
    std::uint8_t value = 0;
    std::uint8_t count = 0;
    const auto data = Record().Data();
    // Newest first, so that each byte keeps the oldest value pushed for it; every panel mode
    // taken back leaves General MIDI first.
    while (list.Pop(offset, value, count)) {
        if (offset == PanelModeOffset) GMOff();
        if (offset < data.size()) data[offset] = value;
    }
    Updateview();
    Record().SendAll();
}

} // namespace editors
