#include "editors/form_rhy_main.h"

#include "editors/form_wave.h"
#include "editors/labelled_controls.h"
#include "editors/names_window.h"
#include "editors/page_button_rows.h"
#include "editors/page_choice_rows.h"
#include "editors/place_control.h"
#include "model/program/quintaron.h"

#include <cstdint>
#include <vector>

namespace editors {

namespace {

using controls::TEditType;

constexpr int LabelLeft = 8;
constexpr int ControlLeft = 120;
constexpr int RowHeight = 28;
constexpr int ChoiceLeft = 276;
constexpr int ChoiceWidth = 130;
constexpr int SliderLeft = 416;
constexpr int SliderWidth = 90;
constexpr int PageWidth = 700;

// The group bytes: type 0 internal, 1 PCM card, 2 expansion board.
constexpr std::uint8_t InternalType = 0;
constexpr std::uint8_t PcmType = 1;
constexpr std::uint8_t ExpansionType = 2;

constexpr int RowTop(int row) {
    return TRhythmNotePage::NoteTop + row * RowHeight;
}

// The board of expansion slot 0..3 (A..D) in the settings; 0 when none is there.
int SlotBoard(int slot) {
    const model::TQuintaron* state = model::AppState();
    if (state == nullptr) return 0;
    const model::TConfig& config = state->Config;
    const std::int32_t boards[] = {config.ExpA, config.ExpB, config.ExpC, config.ExpD};
    return boards[slot];
}

int PcmCard() {
    const model::TQuintaron* state = model::AppState();
    return state != nullptr ? state->Config.PCMCard : 0;
}

forms::TLabel& Label(forms::TForm& form, int row, const char* text) {
    return PlaceControl<forms::TLabel>(form, form, LabelLeft, RowTop(row) + 3, ControlLeft - 12, 15,
                                       text);
}

forms::TCheckBox& Check(forms::TForm& form, int row, const char* caption) {
    return PlaceControl<forms::TCheckBox>(form, form, LabelLeft, RowTop(row), 150, 17, caption);
}

forms::TComboBox& List(forms::TForm& form, int row, const char* label,
                       std::initializer_list<const char*> items) {
    Label(form, row, label);
    auto& list = PlaceControl<forms::TComboBox>(form, form, ControlLeft, RowTop(row), 140, 21);
    list.Style = forms::csDropDownList;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

std::array<forms::TSpeedButton*, 4> Gains(forms::TForm& form, int row) {
    Label(form, row, "Wave Gain");
    const char* captions[] = {" -6 ", "0", "+6", "+12"};
    std::array<forms::TSpeedButton*, 4> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto& button = PlaceControl<forms::TSpeedButton>(
            form, form, ControlLeft + static_cast<int>(i) * 36, RowTop(row), 34, 21, captions[i]);
        button.SetGroupIndex(1);
        buttons[i] = &button;
    }
    return buttons;
}

controls::TMyEdit& StepMinMax(forms::TForm& form, int row, const char* label, int min, int max) {
    return PlaceLabelledMinMax(form, LabelLeft, RowTop(row), ControlLeft - 12, label,
                               TEditType::MinMax, min, max, 1);
}

forms::TGroupBox& Group(forms::TForm& form, int top, int height, const char* caption) {
    return PlaceControl<forms::TGroupBox>(form, form, ChoiceLeft, top, ChoiceWidth, height,
                                          caption);
}

forms::TRadioButton& Radio(forms::TForm& form, forms::TGroupBox& group, int place,
                           const char* caption) {
    return PlaceControl<forms::TRadioButton>(form, group, 10, 18 + place * 22, ChoiceWidth - 20, 18,
                                             caption);
}

} // namespace

// Bytes 1 and 2: the group list. A pick stores type and id as one message.
class TFormRhyMain::TGroupRow final : public TPageRow {
public:
    explicit TGroupRow(TFormRhyMain& page) : page_(page) {}
    void Show(const TPageRecord&) override { page_.ShowGroup(); }
    void Store(TPageStore&) const override { page_.ComboWaveChange(&page_.ComboWave); }
    void Bind(std::function<void()> ended) override {
        page_.ComboWave.OnChange = [ended = std::move(ended)](forms::TObject*) { ended(); };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return PcmItem; }
    void Drive(int value) override {
        page_.ComboWave.SetItemIndex(value);
        if (page_.ComboWave.OnChange) page_.ComboWave.OnChange(&page_.ComboWave);
    }
    std::string Name() const override { return "ComboWave"; }

private:
    TFormRhyMain& page_;
};

// Bytes 3 and 4: the wave, shown by name and chosen in the names window by button "B".
class TFormRhyMain::TWaveRow final : public TPageRow {
public:
    explicit TWaveRow(TFormRhyMain& page) : page_(page) {}
    void Show(const TPageRecord&) override { page_.ShowWave(); }
    void Store(TPageStore&) const override { page_.Button1Click(&page_.Button1); }
    void Bind(std::function<void()> ended) override {
        page_.Button1.OnClick = [ended = std::move(ended)](forms::TObject*) { ended(); };
    }
    int Lowest() const override { return 0; }
    int Highest() const override { return 255; }
    // As the names window's answer to button "B".
    void Drive(int value) override { page_.PickWave(value); }
    std::string Name() const override { return "WaveName"; }

private:
    TFormRhyMain& page_;
};

TFormRhyMain::TFormRhyMain(forms::TComponent* owner)
    : TRhythmNotePage(owner, Kind, HelpContextNumber, "Main"),
      ToneSwitch(Check(*this, 0, " Tone Switch")),
      ComboWave(List(*this, 1, "Wave Group",
                     {"Internal A", "Internal B", "Expansion A", "Expansion B", "Expansion C",
                      "Expansion D", "PCM"})),
      WaveName(PlaceControl<forms::TEdit>(*this, *this, ControlLeft, RowTop(2), 112, 21)),
      Button1(
          PlaceControl<forms::TButton>(*this, *this, ControlLeft + 116, RowTop(2), 24, 21, "B")),
      SpeedGain(Gains(*this, 3)), BenderRange(StepMinMax(*this, 4, "Bender Range", 0, 12)),
      MuteGroup(StepMinMax(*this, 5, "Mute Group", 0, 31)),
      VolumeCtrlSwitch(Check(*this, 6, "Volume Ctrl Switch")),
      Hold1Ctrlswitch(Check(*this, 7, "Hold-1 Ctrl Switch")),
      Outputassign(List(*this, 8, "Output Assign", {"Mix", "EFX", "Output 1", "Output 2"})),
      EnvelopeMode(Group(*this, RowTop(0), 70, "Envelope Mode")),
      Nosustain(Radio(*this, EnvelopeMode, 0, "No Sustain")),
      Sustain(Radio(*this, EnvelopeMode, 1, "Sustain")),
      PanControl(Group(*this, RowTop(3), 92, "Pan Control Switch")),
      PanOff(Radio(*this, PanControl, 0, "Off")),
      PanContinuos(Radio(*this, PanControl, 1, "Continuos")),
      PanKeyon(Radio(*this, PanControl, 2, "Key-On")),
      Outputlevel(
          PlaceLabelledSlider(*this, SliderLeft, RowTop(0), SliderWidth, "Output Level", 0, 127)),
      Chorussendlevel(PlaceLabelledSlider(*this, SliderLeft + SliderWidth, RowTop(0), SliderWidth,
                                          "Chorus Send Level", 0, 127)),
      ReverbSendLevel(PlaceLabelledSlider(*this, SliderLeft + 2 * SliderWidth, RowTop(0),
                                          SliderWidth, "Reverb Send Level", 0, 127)) {
    SetCaption("Main");
    Label(*this, 2, "Wave Name");
    WaveName.ReadOnly = true;

    AddRow<TCheckRow>("ToneSwitch", ToneSwitch, 0);
    AddRow<TGroupRow>(*this);
    AddRow<TWaveRow>(*this);
    AddRow<TSpeedGroupRow>(
        "SpeedGain", std::vector<forms::TSpeedButton*>(SpeedGain.begin(), SpeedGain.end()), 5);
    AddRow<TStepRow>("BenderRange", BenderRange, 6, Code);
    AddRow<TStepRow>("MuteGroup", MuteGroup, 7, Code);
    AddRow<TRadioRow>("EnvelopeMode", std::vector<forms::TRadioButton*>{&Nosustain, &Sustain}, 8);
    AddRow<TCheckRow>("VolumeCtrlSwitch", VolumeCtrlSwitch, 9);
    AddRow<TCheckRow>("Hold1Ctrlswitch", Hold1Ctrlswitch, 10);
    AddRow<TRadioRow>("PanControl",
                      std::vector<forms::TRadioButton*>{&PanOff, &PanContinuos, &PanKeyon}, 11);
    AddRow<TListRow>("Outputassign", Outputassign, 54);
    AddRow<TSliderRow>("Outputlevel", Outputlevel, 55, Plain);
    AddRow<TSliderRow>("Chorussendlevel", Chorussendlevel, 56, Plain);
    AddRow<TSliderRow>("ReverbSendLevel", ReverbSendLevel, 57, Plain);

    PlaceNoteButtons(RowTop(9) + 4, PageWidth);
}

void TFormRhyMain::ShowGroup() {
    const std::uint8_t type = Record().GetParam(1);
    const std::uint8_t id = Record().GetParam(2);
    const model::TQuintaron* state = model::AppState();
    if (type == InternalType)
        ComboWave.SetItemIndex(id == 0 ? 0 : id - 1);
    else if (type == PcmType)
        ComboWave.SetItemIndex(PcmItem);
    else if (type == ExpansionType)
        // A board in no slot is -2 there: "Internal A".
        ComboWave.SetItemIndex(2 + (state != nullptr ? state->Config.ExpansionSlotOf(id) : -2));
    lastValidItem_ = ComboWave.ItemIndex();
}

void TFormRhyMain::ShowWave() {
    waveNumber_ = StoredWaveNumber();
    ShowWaveName(false);
}

int TFormRhyMain::StoredWaveNumber() const {
    return Record().GetParam(3) * 16 + Record().GetParam(4);
}

void TFormRhyMain::ShowWaveName(bool storeWhenChanged) {
    const std::string name = NameOf(TFormWave::ListCode(ComboWave.ItemIndex()), waveNumber_);
    if (name == WaveName.Text()) return;
    WaveName.SetText(name);
    if (storeWhenChanged) WaveNameChange();
}

void TFormRhyMain::ComboWaveChange(forms::TObject*) {
    const int item = ComboWave.ItemIndex();
    std::uint8_t type = InternalType;
    int id = 0;
    if (item == 0 || item == 1) {
        id = item + 1;
    } else if (item >= 2 && item <= 5) {
        type = ExpansionType;
        id = SlotBoard(item - 2);
    } else if (item == PcmItem) {
        type = PcmType;
        id = PcmCard();
    } else {
        return;
    }
    if (id == 0) {
        // No board or card where the user pointed: the group stays as it was.
        ComboWave.SetItemIndex(lastValidItem_);
        return;
    }
    const std::uint8_t group[] = {type, static_cast<std::uint8_t>(id)};
    SendAndStoreArray(1, group);
    lastValidItem_ = item;
    // The same wave number in the new group: stored again with its group when its name differs.
    ShowWaveName(true);
}

void TFormRhyMain::Button1Click(forms::TObject*) {
    PickWave(ChooseName(TFormWave::ListCode(ComboWave.ItemIndex()), waveNumber_));
}

void TFormRhyMain::PickWave(int number) {
    waveNumber_ = number;
    WaveName.SetText(NameOf(TFormWave::ListCode(ComboWave.ItemIndex()), waveNumber_));
    // The number, not the name, says whether the user chose another wave: two entries of a list
    // may share a name.
    if (waveNumber_ != StoredWaveNumber()) WaveNameChange();
}

void TFormRhyMain::WaveNameChange() {
    const std::uint8_t bytes[] = {Record().GetParam(1), Record().GetParam(2),
                                  static_cast<std::uint8_t>(waveNumber_ / 16),
                                  static_cast<std::uint8_t>(waveNumber_ % 16)};
    SendAndStoreArray(1, bytes);
}

} // namespace editors
