#include "editors/form_wave.h"

#include "editors/labelled_controls.h"
#include "editors/names_window.h"
#include "editors/page_button_rows.h"
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
constexpr int PageWidth = 276;

// The group bytes: type 0 internal, 1 PCM card, 2 expansion board.
constexpr std::uint8_t InternalType = 0;
constexpr std::uint8_t PcmType = 1;
constexpr std::uint8_t ExpansionType = 2;

constexpr int RowTop(int row) {
    return 8 + row * RowHeight;
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

std::array<forms::TSpeedButton*, 4> Buttons(forms::TForm& form, int row, const char* label,
                                            int group, std::array<const char*, 4> captions) {
    Label(form, row, label);
    std::array<forms::TSpeedButton*, 4> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto& button = PlaceControl<forms::TSpeedButton>(
            form, form, ControlLeft + static_cast<int>(i) * 36, RowTop(row), 34, 21, captions[i]);
        button.SetGroupIndex(group);
        buttons[i] = &button;
    }
    return buttons;
}

controls::TMyEdit& Step(forms::TForm& form, int row, const char* label, TEditType type) {
    return PlaceLabelledStep(form, LabelLeft, RowTop(row), ControlLeft - LabelLeft - 4, label,
                             type);
}

controls::TMyEdit& StepMinMax(forms::TForm& form, int row, const char* label, int min, int max) {
    return PlaceLabelledMinMax(form, LabelLeft, RowTop(row), ControlLeft - LabelLeft - 4, label,
                               TEditType::MinMax, min, max, 1);
}

} // namespace

// Bytes 1 and 2: the group list. A pick stores type and id as one message.
class TFormWave::TGroupRow final : public TPageRow {
public:
    explicit TGroupRow(TFormWave& page) : page_(page) {}
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
    TFormWave& page_;
};

// Bytes 3 and 4: the wave, shown by name and chosen in the names window by button "B".
class TFormWave::TWaveRow final : public TPageRow {
public:
    explicit TWaveRow(TFormWave& page) : page_(page) {}
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
    TFormWave& page_;
};

TFormWave::TFormWave(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, Kind, HelpContextNumber, "Wave"),
      CheckToneSwitch(Check(*this, 0, " Tone Switch")),
      ComboWave(List(*this, 1, "Wave Group",
                     {"Internal A", "Internal B", "Expansion A", "Expansion B", "Expansion C",
                      "Expansion D", "PCM"})),
      WaveName(PlaceControl<forms::TEdit>(*this, *this, ControlLeft, RowTop(2), 112, 21)),
      Button1(
          PlaceControl<forms::TButton>(*this, *this, ControlLeft + 116, RowTop(2), 24, 21, "B")),
      SpeedGain(Buttons(*this, 3, "Wave Gain", 1, {" -6 ", "0", "+6", "+12"})),
      CheckFXMSwitch(Check(*this, 4, " FXM Switch")),
      SpeedColor(Buttons(*this, 5, "FXM Color", 2, {"1", "2", "3", "4"})),
      SpinFXMDepth(StepMinMax(*this, 6, "FXM Depth", 1, 16)),
      ToneDelayMode(List(*this, 7, "Tone Delay Mode",
                         {"Normal", "Hold", "Key-Interval", "Clock-Sync", "Tap-Sync",
                          "Key-Off-Normal", "Key-Off-Decay"})),
      TonedlyTime(Step(*this, 8, "Tone Dly Time", TEditType::Int0M880)) {
    SetCaption("Wave");
    Label(*this, 2, "Wave Name");
    WaveName.ReadOnly = true;

    AddRow<TCheckRow>("CheckToneSwitch", CheckToneSwitch, 0);
    AddRow<TGroupRow>(*this);
    AddRow<TWaveRow>(*this);
    AddRow<TSpeedGroupRow>(
        "SpeedGain", std::vector<forms::TSpeedButton*>(SpeedGain.begin(), SpeedGain.end()), 5);
    AddRow<TCheckRow>("CheckFXMSwitch", CheckFXMSwitch, 6);
    AddRow<TSpeedGroupRow>(
        "SpeedColor", std::vector<forms::TSpeedButton*>(SpeedColor.begin(), SpeedColor.end()), 7);
    AddRow<TStepRow>("SpinFXMDepth", SpinFXMDepth, 8, PlusOne);
    AddRow<TListRow>("ToneDelayMode", ToneDelayMode, 9);
    AddRow<TStepRow>("TonedlyTime", TonedlyTime, 10, Code);

    PlaceButtons(RowTop(9) + 4, PageWidth);
}

int TFormWave::ListCode(int item) {
    if (item == 0 || item == 1) return item + 1;
    if (item >= 2 && item <= 5) return 2 * SlotBoard(item - 2) + 1;
    if (item == PcmItem) return 2 * PcmCard() + 39;
    return 0;
}

void TFormWave::ShowGroup() {
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

void TFormWave::ShowWave() {
    waveNumber_ = StoredWaveNumber();
    ShowWaveName(false);
}

int TFormWave::StoredWaveNumber() const {
    return Record().GetParam(3) * 16 + Record().GetParam(4);
}

void TFormWave::ShowWaveName(bool storeWhenChanged) {
    const std::string name = NameOf(ListCode(ComboWave.ItemIndex()), waveNumber_);
    if (name == WaveName.Text()) return;
    WaveName.SetText(name);
    if (storeWhenChanged) WaveNameChange();
}

void TFormWave::ComboWaveChange(forms::TObject*) {
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

void TFormWave::Button1Click(forms::TObject*) {
    PickWave(ChooseName(ListCode(ComboWave.ItemIndex()), waveNumber_));
}

void TFormWave::PickWave(int number) {
    waveNumber_ = number;
    WaveName.SetText(NameOf(ListCode(ComboWave.ItemIndex()), waveNumber_));
    // The number, not the name, says whether the user chose another wave: two entries of a list
    // may share a name.
    if (waveNumber_ != StoredWaveNumber()) WaveNameChange();
}

void TFormWave::WaveNameChange() {
    const std::uint8_t bytes[] = {Record().GetParam(1), Record().GetParam(2),
                                  static_cast<std::uint8_t>(waveNumber_ / 16),
                                  static_cast<std::uint8_t>(waveNumber_ % 16)};
    SendAndStoreArray(1, bytes);
}

} // namespace editors
