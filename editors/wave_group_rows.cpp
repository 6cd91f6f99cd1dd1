#include "editors/wave_group_rows.h"

#include "editors/names_window.h"
#include "model/program/quintaron.h"

#include <cstdint>

namespace editors {

namespace {

// The group bytes: type 0 internal, 1 PCM card, 2 expansion board.
constexpr std::uint8_t InternalType = 0;
constexpr std::uint8_t PcmType = 1;
constexpr std::uint8_t ExpansionType = 2;

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

} // namespace

TWaveChooser::TWaveChooser(TEditorPage& page, forms::TComboBox& ComboWave, forms::TEdit& WaveName,
                           forms::TButton& Button1)
    : ComboWave(ComboWave), Button1(Button1), page_(page), waveName_(WaveName) {}

int TWaveChooser::ListCode(int item) {
    if (item == 0 || item == 1) return item + 1;
    if (item >= 2 && item <= 5) return 2 * SlotBoard(item - 2) + 1;
    if (item == PcmItem) return 2 * PcmCard() + 39;
    return 0;
}

void TWaveChooser::ShowGroup() {
    const std::uint8_t type = page_.Record().GetParam(1);
    const std::uint8_t id = page_.Record().GetParam(2);
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

void TWaveChooser::ShowWave() {
    waveNumber_ = StoredWaveNumber();
    ShowWaveName(false);
}

int TWaveChooser::StoredWaveNumber() const {
    return page_.Record().GetParam(3) * 16 + page_.Record().GetParam(4);
}

void TWaveChooser::ShowWaveName(bool storeWhenChanged) {
    const std::string name = NameOf(ListCode(ComboWave.ItemIndex()), waveNumber_);
    if (name == waveName_.Text()) return;
    waveName_.SetText(name);
    if (storeWhenChanged) WaveNameChange();
}

void TWaveChooser::ComboWaveChange() {
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
    page_.SendAndStoreArray(1, group);
    lastValidItem_ = item;
    // The same wave number in the new group: stored again with its group when its name differs.
    ShowWaveName(true);
}

void TWaveChooser::Button1Click() {
    PickWave(ChooseName(ListCode(ComboWave.ItemIndex()), waveNumber_));
}

void TWaveChooser::PickWave(int number) {
    waveNumber_ = number;
    waveName_.SetText(NameOf(ListCode(ComboWave.ItemIndex()), waveNumber_));
    // The number, not the name, says whether the user chose another wave: two entries of a list
    // may share a name.
    if (waveNumber_ != StoredWaveNumber()) WaveNameChange();
}

void TWaveChooser::WaveNameChange() {
    const std::uint8_t bytes[] = {page_.Record().GetParam(1), page_.Record().GetParam(2),
                                  static_cast<std::uint8_t>(waveNumber_ / 16),
                                  static_cast<std::uint8_t>(waveNumber_ % 16)};
    page_.SendAndStoreArray(1, bytes);
}

void TWaveGroupRow::Bind(std::function<void()> ended) {
    chooser_.ComboWave.OnChange = [ended = std::move(ended)](forms::TObject*) { ended(); };
}

void TWaveGroupRow::Drive(int value) {
    forms::TComboBox& list = chooser_.ComboWave;
    list.SetItemIndex(value);
    if (list.OnChange) list.OnChange(&list);
}

void TWaveRow::Bind(std::function<void()> ended) {
    chooser_.Button1.OnClick = [ended = std::move(ended)](forms::TObject*) { ended(); };
}

} // namespace editors
