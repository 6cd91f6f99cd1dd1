#pragma once
// The wave chooser that the tone wave page and the rhythm note main page share: record bytes 1
// and 2 are the wave group (type and id), bytes 3 and 4 the wave (its number, 16 to a byte).
// The group list follows the expansion boards and PCM card of the settings and stores type and
// id as one message; a group where no board or card is stays unchosen. The wave is picked by
// name in the names window and stored with its group as one message of four bytes, whenever its
// number differs from the stored one (two entries may share a name). The page owns the
// controls and adds the two rows to its table.

#include "editors/editor_page.h"
#include "editors/page_rows.h"
#include "platform/forms/std_ctrls.h"

#include <initializer_list>
#include <string>

namespace editors {

namespace forms = platform::forms;

class TWaveChooser {
public:
    // The group list's item of the PCM card; 2..5 are the expansion slots A..D.
    static constexpr int PcmItem = 6;
    // The group list's items, in order.
    static constexpr std::initializer_list<const char*> GroupItems = {
        "Internal A",  "Internal B",  "Expansion A", "Expansion B",
        "Expansion C", "Expansion D", "PCM"};

    // page shows and stores the record; ComboWave is its group list, WaveName the wave's name
    // and Button1 its button "B".
    TWaveChooser(TEditorPage& page, forms::TComboBox& ComboWave, forms::TEdit& WaveName,
                 forms::TButton& Button1);

    // The number of the names window's list that names the waves of group list item: 1 and 2
    // for the internal groups, 2b + 1 for expansion board b in the item's slot, 2c + 39 for PCM
    // card c; 0 for anything else.
    static int ListCode(int item);
    // The wave shown: its index in the group's list of names, 0-255.
    int WaveNumber() const { return waveNumber_; }
    // The group list item last shown or stored.
    int LastValidItem() const { return lastValidItem_; }

    // The user picked a group.
    void ComboWaveChange();
    // Button "B": the wave chosen in the names window.
    void Button1Click();
    // Wave number as chosen: shown by its name and stored with its group unless it is the
    // stored one.
    void PickWave(int number);

    // The group item from bytes 1 and 2.
    void ShowGroup();
    // The wave number from bytes 3 and 4, shown by its name.
    void ShowWave();

    forms::TComboBox& ComboWave;
    forms::TButton& Button1;

private:
    // Shows the wave's name in the current group; stores the wave with its group when the
    // name changed by a group change.
    void ShowWaveName(bool storeWhenChanged);
    // Bytes 1-4 as one message: the group and the wave shown.
    void WaveNameChange();
    int StoredWaveNumber() const;

    TEditorPage& page_;
    forms::TEdit& waveName_;
    int waveNumber_ = 0;
    int lastValidItem_ = 0;
};

// Bytes 1 and 2: the group list. A pick stores type and id as one message.
class TWaveGroupRow final : public TPageRow {
public:
    explicit TWaveGroupRow(TWaveChooser& chooser) : chooser_(chooser) {}
    void Show(const TPageRecord&) override { chooser_.ShowGroup(); }
    void Store(TPageStore&) const override { chooser_.ComboWaveChange(); }
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return TWaveChooser::PcmItem; }
    void Drive(int value) override;
    std::string Name() const override { return "ComboWave"; }

private:
    TWaveChooser& chooser_;
};

// Bytes 3 and 4: the wave, shown by name and chosen in the names window by button "B".
class TWaveRow final : public TPageRow {
public:
    explicit TWaveRow(TWaveChooser& chooser) : chooser_(chooser) {}
    void Show(const TPageRecord&) override { chooser_.ShowWave(); }
    void Store(TPageStore&) const override { chooser_.Button1Click(); }
    void Bind(std::function<void()> ended) override;
    int Lowest() const override { return 0; }
    int Highest() const override { return 255; }
    // As the names window's answer to button "B".
    void Drive(int value) override { chooser_.PickWave(value); }
    std::string Name() const override { return "WaveName"; }

private:
    TWaveChooser& chooser_;
};

} // namespace editors
