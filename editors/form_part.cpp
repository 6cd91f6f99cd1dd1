#include "editors/form_part.h"

#include "editors/click_row.h"
#include "editors/clipboard_owner.h"
#include "editors/labelled_controls.h"
#include "editors/names_window.h"
#include "model/editing/clipboard.h"
#include "model/program/quintaron.h"
#include "model/transfer/activation.h"
#include "platform/forms/place_control.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <utility>

namespace editors {

model::TPerformance* TFormPart::PagePerformance = nullptr;

// The record the table edits: the selected part of the performance. A revert sends every part.
class TSelectedPart final : public TPageRecord {
public:
    explicit TSelectedPart(model::TPerformance& performance) : performance_(performance) {}

    model::TPerformancePart& Part() const { return performance_.Part(Selected); }
    std::uint8_t GetParam(std::size_t n) const override { return Part().GetParam(n); }
    void SetParam(std::size_t n, std::uint8_t value) override { Part().SetParam(n, value); }
    void SetParams(std::size_t first, std::span<const std::uint8_t> values) override {
        Part().SetParams(first, values);
    }
    void SendAll() const override {
        if (model::MidiOnline()) performance_.SendParts();
    }
    std::span<std::uint8_t> Data() override { return Part().Data(); }
    model::TEditorSlot& Slot() override { return performance_.PartWindow; }

    int Selected = 1;

private:
    model::TPerformance& performance_;
};

namespace {

using controls::TEditType;
using forms::TObject;

model::TPerformance& TakePerformance() {
    assert(TFormPart::PagePerformance != nullptr && "the opener sets PagePerformance first");
    return *TFormPart::PagePerformance;
}

constexpr int PageWidth = 624;
// The part buttons end above the table's first captions.
constexpr int ButtonsTop = 4;
constexpr int TableTop = 44;
constexpr int LabelWidth = 110;
constexpr int RightColumn = 440;
constexpr int RightLabel = 86;
constexpr std::uint16_t GroupOffset = 2;
constexpr std::uint16_t VolumeOffset = 23;
constexpr int PatchGroupCount = 11;
constexpr int RhythmGroupCount = 6;
constexpr int FirstExpansion = 6;
constexpr int PcmGroup = 10;

const char* const GroupNames[PatchGroupCount] = {
    "User",        "Card",        "Preset A",    "Preset B",    "Preset C", "GM",
    "Expansion A", "Expansion B", "Expansion C", "Expansion D", "PCM"};
// The name lists of the groups with fixed lists.
constexpr int FixedListCodes[RhythmGroupCount] = {61, 62, 37, 38, 39, 40};
// The two rhythm sets of the preset groups (the user and card sets are the instrument's).
const char* const PresetRhythmSets[4][2] = {{"PopDrumSet 1", "PopDrumSet 2"},
                                            {"PowerDrumSet", "RaveDrumSet"},
                                            {"JazzDrumSet2", "OrchDrumSet"},
                                            {"GM Drum Set", "BrusDrumSet"}};

const model::TConfig* Config() {
    const model::TQuintaron* app = model::AppState();
    return app != nullptr ? &app->Config : nullptr;
}

// The board in expansion slot (0..3 for A..D); 0 for none.
int SlotBoard(int slot) {
    const model::TConfig* config = Config();
    if (config == nullptr) return 0;
    const std::int32_t boards[] = {config->ExpA, config->ExpB, config->ExpC, config->ExpD};
    return boards[slot];
}

int PcmCard() {
    const model::TConfig* config = Config();
    return config != nullptr ? config->PCMCard : 0;
}

forms::TLabel& LabelAt(forms::TForm& form, int left, int top, const char* text) {
    return forms::PlaceControl<forms::TLabel>(form, form, left, top, 0, 15, text);
}

forms::TCheckBox& Check(forms::TForm& form, int left, int top, const char* caption) {
    return forms::PlaceControl<forms::TCheckBox>(form, form, left, top, 150, 20, caption);
}

forms::TComboBox& List(forms::TForm& form, int left, int top, int width) {
    auto& list = forms::PlaceControl<forms::TComboBox>(form, form, left, top, width, 21);
    list.Style = forms::csDropDownList;
    list.DropDownCount = 11;
    return list;
}

forms::TComboBox& LabelledList(forms::TForm& form, int left, int top, const char* label,
                               std::initializer_list<const char*> items) {
    LabelAt(form, left, top, label);
    forms::TComboBox& list = List(form, left, top + 16, 130);
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

// A slider under its caption, which takes two lines.
controls::TPanSlider& Slider(forms::TForm& form, int column, const char* label) {
    const int left = 168 + column * 68;
    PlaceWrappedLabel(form, form, left, TableTop, 64, 28, label).Alignment = forms::taCenter;
    return PlaceSlider(form, form, left + 8, TableTop + 30, 0, 127);
}

// The group chooser: showing it shows the group, number and names of the part; a user's choice
// is the page's ComboPatchChange.
class TChooserRow final : public TPageRow {
public:
    explicit TChooserRow(TFormPart& page) : page_(page) {}

    void Show(const TPageRecord&) override { page_.ShowChoosers(); }
    void Store(TPageStore&) const override { page_.ComboPatchChange(&page_.ComboPatch); }
    void Bind(std::function<void()> ended) override {
        page_.ComboPatch.OnChange = [ended = std::move(ended)](TObject*) { ended(); };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return page_.ComboPatch.Items().Count() - 1; }
    void Drive(int value) override {
        page_.ComboPatch.SetItemIndex(value);
        if (page_.ComboPatch.OnChange) page_.ComboPatch.OnChange(&page_.ComboPatch);
    }
    std::string Name() const override { return "ComboPatch"; }

private:
    TFormPart& page_;
};

// A value of 0..255 as two 4-bit halves (value div 16, value mod 16) in one message.
class TNibbleRow final : public TPageRow {
public:
    TNibbleRow(std::string name, controls::TMyEdit& edit, std::uint16_t offset)
        : name_(std::move(name)), edit_(edit), offset_(offset) {}

    void Show(const TPageRecord& record) override {
        edit_.SetCode(record.GetParam(offset_) * 16 + record.GetParam(offset_ + 1));
    }
    void Store(TPageStore& page) const override {
        // Bytes out of their range show a value the field cannot step to; it is stored as the
        // nearest it can, so that both bytes stay 7-bit.
        const int value = std::clamp(edit_.Code(), edit_.GetMinCode(), edit_.GetMaxCode());
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value / 16),
                                      static_cast<std::uint8_t>(value % 16)};
        page.SendAndStoreArray(offset_, bytes);
    }
    void Bind(std::function<void()> ended) override {
        edit_.OnEndChange = [ended = std::move(ended)](TObject*) { ended(); };
    }
    int Lowest() const override { return edit_.GetMinCode(); }
    int Highest() const override { return edit_.GetMaxCode(); }
    void Drive(int value) override {
        edit_.SetCode(value);
        if (edit_.OnEndChange) edit_.OnEndChange(&edit_);
    }
    std::string Name() const override { return name_; }

private:
    std::string name_;
    controls::TMyEdit& edit_;
    std::uint16_t offset_;
};

} // namespace

TFormPart::TFormPart(forms::TComponent* owner)
    : TEditorPage(owner, TakePerformance(), std::make_unique<TSelectedPart>(TakePerformance()),
                  HelpContextNumber),
      CopyBtn(forms::PlaceControl<forms::TBitBtn>(*this, *this, 8 + 16 * 28 + 12, ButtonsTop + 14,
                                                  60, 24, "Copy")),
      PasteBtn(forms::PlaceControl<forms::TBitBtn>(*this, *this, 8 + 16 * 28 + 80, ButtonsTop + 14,
                                                   60, 24, "Paste")),
      MidiRecSwitch(Check(*this, 8, TableTop + 4, "Midi Receive Switch")),
      MidiChannel(PlaceLabelledField(*this, *this, 8, TableTop + 30, 80, "Midi Channel",
                                     TEditType::MinMax, 1, 16, 1)),
      LabelGroup(LabelAt(*this, 8, TableTop + 60, "Patch Group")),
      ComboPatch(List(*this, 8, TableTop + 76, 130)),
      LabelName(LabelAt(*this, 8, TableTop + 104, "Patch Name")),
      Patchname(forms::PlaceControl<forms::TEdit>(*this, *this, 8, TableTop + 120, 130, 21)),
      ButtonPN(forms::PlaceControl<forms::TBitBtn>(*this, *this, 142, TableTop + 120, 22, 21, "B")),
      ComboRhythmName(List(*this, 8, TableTop + 120, 130)),
      Outputassign(LabelledList(*this, 8, TableTop + 150, "Output Assign",
                                {"Mix", "EFX", "Output 1", "Output 2", "Patch"})),
      TrasmetBank(LabelledList(
          *this, 8, TableTop + 196, "Trasmit Bank Sel Group",
          {"Path", "Group 1", "Group 2", "Group 3", "Group 4", "Group 5", "Group 6", "Group 7"})),
      PartLevel(Slider(*this, 0, "Part Level")), OutputLevel(Slider(*this, 1, "Output Level")),
      ChorusSendlevel(Slider(*this, 2, "Chorus Send Level")),
      ReverbSendLevel(Slider(*this, 3, "Reverb Send Level")),
      ClickPan(
          forms::PlaceControl<controls::TClickEdit>(*this, *this, 210, TableTop + 182, 56, 20)),
      PitchCoarsetune(PlaceLabelledField(*this, *this, 172, TableTop + 210, LabelWidth,
                                         "Pitch Coarse Tune", TEditType::MinMaxS, -48, 48, 1)),
      Pitchfinetune(PlaceLabelledField(*this, *this, 172, TableTop + 236, LabelWidth,
                                       "Pitch Fine Tune", TEditType::MinMaxS, -50, 50, 1)),
      RecPrgChange(Check(*this, RightColumn, TableTop + 4, "Receive Prg Change")),
      RecVolume(Check(*this, RightColumn, TableTop + 26, "Receive Volume")),
      RecHold1(Check(*this, RightColumn, TableTop + 48, "Receive Hold-1")),
      Keylower(PlaceLabelledField(*this, *this, RightColumn, TableTop + 90, RightLabel, "Lower",
                                  TEditType::Note)),
      Keyupper(PlaceLabelledField(*this, *this, RightColumn, TableTop + 116, RightLabel, "Upper",
                                  TEditType::Note)),
      Octaveshift(PlaceLabelledField(*this, *this, RightColumn, TableTop + 150, RightLabel,
                                     "Octave Shift", TEditType::MinMaxS, -3, 3, 1)),
      LocalShift(Check(*this, RightColumn, TableTop + 180, "Local Shift")),
      TrasmetShift(Check(*this, RightColumn, TableTop + 202, "Transmit Shift")),
      Trasmetvolume(PlaceLabelledField(*this, *this, RightColumn, TableTop + 236, RightLabel,
                                       "Trasmet Volume", TEditType::Int0M127Off)),
      BtnReverAll(
          forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 183, 4, 75, 25, "&Revert All")),
      performance_(TakePerformance()), selection_(static_cast<TSelectedPart&>(Record())) {
    SetCaption("Parts");
    LabelAt(*this, 8, ButtonsTop, "Selected Part");
    LabelAt(*this, 172, TableTop + 185, "Pan");
    LabelAt(*this, RightColumn, TableTop + 72, "Key Range");
    // The form lays the third and fourth buttons out the other way round, so that the buttons
    // still read 1..16 from the left.
    for (int number = 1; number <= model::PartCount; ++number) {
        const int tag = number == 3 ? 4 : number == 4 ? 3 : number;
        auto& button = forms::PlaceControl<forms::TSpeedButton>(
            *this, *this, 8 + (tag - 1) * 28, ButtonsTop + 14, 26, 24, std::to_string(tag));
        button.SetGroupIndex(1);
        button.Tag = tag;
        button.OnClick = [this](TObject* sender) { SpeedButton1Click(sender); };
        SpeedButtons[static_cast<std::size_t>(tag - 1)] = &button;
    }
    ClickPan.SetMin(-64);
    ClickPan.SetMax(63);
    ClickPan.SetStereo(true);
    Patchname.SetReadOnly(true);
    ComboRhythmName.SetVisible(false);

    AddRow<TChooserRow>(*this);
    AddRow<TStepRow>("MidiChannel", MidiChannel, 1, PlusOne);
    AddRow<TCheckRow>("MidiRecSwitch", MidiRecSwitch, 0);
    AddRow<TCheckRow>("RecPrgChange", RecPrgChange, 14);
    AddRow<TCheckRow>("RecVolume", RecVolume, 15);
    AddRow<TCheckRow>("RecHold1", RecHold1, 16);
    AddRow<TListRow>("Outputassign", Outputassign, 10);
    AddRow<TSliderRow>("PartLevel", PartLevel, 6, Plain);
    AddRow<TSliderRow>("OutputLevel", OutputLevel, 11, Plain);
    AddRow<TSliderRow>("ChorusSendlevel", ChorusSendlevel, 12, Plain);
    AddRow<TSliderRow>("ReverbSendLevel", ReverbSendLevel, 13, Plain);
    AddRow<TStepRow>("Keylower", Keylower, 17, Code);
    AddRow<TStepRow>("Keyupper", Keyupper, 18, Code);
    AddRow<TStepRow>("PitchCoarsetune", PitchCoarsetune, 8, Bias(48));
    AddRow<TStepRow>("Pitchfinetune", Pitchfinetune, 9, Bias(50));
    AddRow<TClickRow>("ClickPan", ClickPan, 7, Bias(64));
    AddRow<TNibbleRow>("Trasmetvolume", Trasmetvolume, VolumeOffset);
    // The instrument's part octave shift runs 0..6 for -3..+3, as the patch's does.
    AddRow<TStepRow>("Octaveshift", Octaveshift, 19, Bias(3));
    AddRow<TCheckRow>("LocalShift", LocalShift, 20);
    AddRow<TCheckRow>("TrasmetShift", TrasmetShift, 21);
    AddRow<TListRow>("TrasmetBank", TrasmetBank, 22);

    Keylower.Onchange = [this](TObject* sender) { Keylowerchange(sender); };
    Keyupper.Onchange = [this](TObject* sender) { Keyupperchange(sender); };
    Patchname.OnChange = [this](TObject* sender) { PatchnameChange(sender); };
    ButtonPN.OnClick = [this](TObject* sender) { ButtonPNClick(sender); };
    ComboRhythmName.OnChange = [this](TObject* sender) { ComboRhythmNameChange(sender); };
    CopyBtn.OnClick = [this](TObject* sender) { CopyBtnClick(sender); };
    PasteBtn.OnClick = [this](TObject* sender) { PasteBtnClick(sender); };
    BtnReverAll.OnClick = [this](TObject* sender) { BtnReverAllClick(sender); };
    OnShow = [this](TObject* sender) { PageShow(sender); };

    PlaceButtons(TableTop + 272, PageWidth);
    Btnclose.SetLeft(20);
    BtnRevert.SetLeft(355);
    BtnUndo.SetLeft(PanelBtn.Width() - BtnUndo.Width() - 20);
}

TFormPart::~TFormPart() = default;

int TFormPart::SelectedPart() const {
    return selection_.Selected;
}

std::string TFormPart::CaptionText() const {
    return " [Parts] [Loc : ";
}

void TFormPart::ActivateElem() {
    model::ActivatePerformance(&performance_);
}

model::TUndoList& TFormPart::UndoList() {
    return PartUndoList(SelectedPart());
}

model::TUndoList& TFormPart::PartUndoList(int part) {
    return undoLists_.at(static_cast<std::size_t>(part - 1));
}

void TFormPart::ClearUndo() {
    for (model::TUndoList& list : undoLists_)
        list.Clear();
    CheckBtnEnabled();
}

void TFormPart::PageShow(TObject* Sender) {
    SpeedButtons[0]->SetDown(true);
    selection_.Selected = 1;
    FormShow(Sender);
    ClearUndo();
    ReceiveRhythmName();
}

void TFormPart::SelectPart(int part) {
    forms::TSpeedButton& button = *SpeedButtons.at(static_cast<std::size_t>(part - 1));
    button.SetDown(true);
    SpeedButton1Click(&button);
}

void TFormPart::SpeedButton1Click(TObject* Sender) {
    const auto* button = dynamic_cast<const forms::TSpeedButton*>(Sender);
    if (button == nullptr) return;
    selection_.Selected = static_cast<int>(button->Tag);
    Updateview();
}

int TFormPart::ListCode(int index) const {
    if (index >= 0 && index < RhythmGroupCount) return FixedListCodes[index];
    if (index >= FirstExpansion && index < PcmGroup)
        return (SlotBoard(index - FirstExpansion) - 1) * 2 + 4;
    if (index == PcmGroup) return (PcmCard() - 1) * 2 + 42;
    return 0;
}

int TFormPart::GroupIndexOf(int type, int id) const {
    switch (type) {
    case 0:
        return id == 0 ? 0 : id - 1;
    case 1:
        return PcmGroup;
    case 2: {
        // A board that no slot holds any more: no group is shown rather than a wrong one.
        const model::TConfig* config = Config();
        const int slot = config != nullptr ? config->ExpansionSlotOf(id) : -2;
        return slot >= 0 ? FirstExpansion + slot : -1;
    }
    default:
        return ComboPatch.ItemIndex();
    }
}

void TFormPart::EnabledPatchRhythm() {
    const bool rhythm = SelectedPart() == RhythmPart;
    ComboPatch.Items().Clear();
    for (int index = 0; index < (rhythm ? RhythmGroupCount : PatchGroupCount); ++index)
        ComboPatch.Items().Add(GroupNames[index]);
    LabelGroup.SetCaption(rhythm ? "Rhythm Group" : "Patch Group");
    LabelName.SetCaption(rhythm ? "Rhythm Name" : "Patch Name");
    Patchname.SetVisible(!rhythm);
    ButtonPN.SetVisible(!rhythm);
    ComboRhythmName.SetVisible(rhythm);
}

void TFormPart::ShowChoosers() {
    const model::TPerformancePart& part = selection_.Part();
    EnabledPatchRhythm();
    const int group = GroupIndexOf(part.GetParam(2), part.GetParam(3));
    ComboPatch.SetItemIndex(group);
    currentNumber_ = part.GetParam(4) * 16 + part.GetParam(5);
    Patchname.SetText(NameOf(ListCode(ComboPatch.ItemIndex()), currentNumber_));
    previousChoice_ = ComboPatch.ItemIndex();
    SetRhythmComboName();
}

void TFormPart::ShowMore() {
    const model::TClipboard* clipboard = PartClipboard();
    PasteBtn.SetEnabled(clipboard != nullptr && clipboard->PartHeld);
}

void TFormPart::StoreNumber(int number) {
    const std::uint8_t bytes[] = {Record().GetParam(2), Record().GetParam(3),
                                  static_cast<std::uint8_t>(number / 16 & 0x0F),
                                  static_cast<std::uint8_t>(number % 16)};
    SendAndStoreArray(GroupOffset, bytes);
}

void TFormPart::ComboPatchChange(TObject*) {
    const int index = ComboPatch.ItemIndex();
    if (index < 0) return;
    std::uint8_t type = 0;
    int id = index + 1;
    if (index >= FirstExpansion && index < PcmGroup) {
        type = 2;
        id = SlotBoard(index - FirstExpansion);
    } else if (index == PcmGroup) {
        type = 1;
        id = PcmCard();
    }
    if (id <= 0) {
        // An empty slot or no card: the group stays as it was.
        ComboPatch.SetItemIndex(previousChoice_);
        return;
    }
    const std::uint8_t bytes[] = {type, static_cast<std::uint8_t>(id & 0x7F)};
    SendAndStoreArray(GroupOffset, bytes);
    previousChoice_ = index;
    if (SelectedPart() == RhythmPart) {
        SetRhythmComboName();
        ComboRhythmNameChange(&ComboRhythmName);
    } else {
        Patchname.SetText(NameOf(ListCode(index), currentNumber_));
    }
}

void TFormPart::PatchnameChange(TObject*) {
    if (Updating()) return;
    StoreNumber(currentNumber_);
}

void TFormPart::ButtonPNClick(TObject*) {
    const int list = ListCode(ComboPatch.ItemIndex());
    const int chosen = ChooseName(list, currentNumber_);
    const bool changed = chosen != currentNumber_;
    currentNumber_ = chosen;
    const std::string name = NameOf(list, currentNumber_);
    // Two patches of one name are still two patches.
    if (name == Patchname.Text() && changed)
        PatchnameChange(&Patchname);
    else
        Patchname.SetText(name);
}

void TFormPart::SetRhythmComboName() {
    if (SelectedPart() != RhythmPart) return;
    ComboRhythmName.Items().Clear();
    const int group = ComboPatch.ItemIndex();
    if (group == 0 || group == 1) {
        ComboRhythmName.Items().Add(rhythmNames_.Name(group * 2));
        ComboRhythmName.Items().Add(rhythmNames_.Name(group * 2 + 1));
    } else if (group >= 2 && group < RhythmGroupCount) {
        for (const char* name : PresetRhythmSets[group - 2])
            ComboRhythmName.Items().Add(name);
    }
    const model::TPerformancePart& part = selection_.Part();
    currentNumber_ = part.GetParam(4) * 16 + part.GetParam(5);
    // Each group has two sets: a number beyond them shows the last.
    ComboRhythmName.SetItemIndex(std::min(currentNumber_, ComboRhythmName.Items().Count() - 1));
}

void TFormPart::ComboRhythmNameChange(TObject*) {
    const int item = ComboRhythmName.ItemIndex();
    // No set chosen, nothing to store.
    if (item < 0) return;
    currentNumber_ = item;
    StoreNumber(item);
}

void TFormPart::Keylowerchange(TObject*) {
    if (Updating()) return;
    if (Keyupper.Code() < Keylower.Code()) Keylower.SetCode(Keyupper.Code());
}

void TFormPart::Keyupperchange(TObject*) {
    if (Updating()) return;
    if (Keylower.Code() > Keyupper.Code()) Keyupper.SetCode(Keylower.Code());
}

void TFormPart::ReceiveRhythmName() {
    rhythmNames_.Receive();
}

void TFormPart::CopyBtnClick(TObject*) {
    model::TClipboard* clipboard = PartClipboard();
    if (clipboard == nullptr) return;
    clipboard->CopyPart(selection_.Part());
    PasteBtn.SetEnabled(clipboard->PartHeld);
}

void TFormPart::PasteBtnClick(TObject*) {
    const model::TClipboard* clipboard = PartClipboard();
    if (clipboard == nullptr || !clipboard->PartHeld) return;
    clipboard->PastePart(selection_.Part());
    // The part's old bytes are gone: its undo entries would write them into the pasted part.
    UndoList().Clear();
    Updateview();
    if (model::MidiOnline()) performance_.SendParts();
}

void TFormPart::BtnReverAllClick(TObject*) {
    for (int part = 1; part <= model::PartCount; ++part) {
        model::TUndoList& list = PartUndoList(part);
        std::span<std::uint8_t> data = performance_.Part(part).Data();
        std::uint16_t offset = 0;
        std::uint8_t value = 0;
        std::uint8_t count = 0;
        // Newest first, so that each byte keeps the oldest value pushed for it.
        while (list.Pop(offset, value, count))
            if (offset < data.size()) data[offset] = value;
    }
    SpeedButtons[0]->SetDown(true);
    selection_.Selected = 1;
    Updateview();
    if (model::MidiOnline()) performance_.SendParts();
}

TFormPart& OpenPartPage(model::TPerformance& performance, forms::TComponent& owner) {
    model::TEditorSlot& slot = performance.PartWindow;
    if (slot.Open && slot.Window != nullptr) {
        auto* view = dynamic_cast<TPageView*>(slot.Window);
        assert(view != nullptr);
        slot.Window->BringToFront();
        return static_cast<TFormPart&>(view->Page());
    }
    TFormPart::PagePerformance = &performance;
    TFormPart& page = owner.Own<TFormPart>();
    page.AfterConstruction();
    page.Show();
    return page;
}

} // namespace editors
