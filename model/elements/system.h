#pragma once
// The system settings: the common block and 17 scale tunes, always at the instrument's address
// 00000000. The element keeps the windows of its four pages.

#include "model/elements/lib_elem.h"
#include "model/sysex/system_records.h"
#include "model/transfer/transfer.h"

#include <array>
#include <memory>

namespace model {

class TSystem : public TLibElem {
public:
    explicit TSystem(TLibElem* Owner);
    // Closes the system window and its pages; no longer the current system.
    ~TSystem() override;

    void UpdateViews(TViewChange Change = TViewChange::Data) override;
    void BuildHeaders() override;
    void WriteSysEx(platform::core::TByteWriter& File) override;
    void ReadSysEx(platform::core::TByteReader& File) override;
    void WriteRecord(platform::core::TByteWriter& File) override;
    void ReadRecord(platform::core::TByteReader& File) override;
    void SetDefaults() override;
    void SaveEditorPosition() override;
    // Always to 00000000, and then the current system.
    void Transmit(bool ToEditBuffer) override;
    // Block by block: the common block, then scale tunes 1..17.
    void Receive(bool ToEditBuffer) override;
    void RequestNext() override;

    // The whole element to the edit buffer (Transmit (true)).
    void SendAll();
    void CloseEditors();

    // Blocks of a transfer: 0 the common block, 1..17 the scale tunes.
    static constexpr int BlockCount = 1 + ScaleTuneCount;
    TTransferBlock Block(int block);

    // number: 1..17
    TPartScaleTune& ScaleTune(int number) {
        return *ScaleTunes.at(static_cast<std::size_t>(number - 1));
    }

    std::unique_ptr<TSystemCommon> Common;
    std::array<std::unique_ptr<TPartScaleTune>, ScaleTuneCount> ScaleTunes;
    TEditorSlot SetupWindow;
    TEditorSlot MidiWindow;
    TEditorSlot PreviewWindow;
    TEditorSlot ScaleTuneWindow;

protected:
    void AssignData(const TLibElem& Source) override;

private:
    void ReceiveInput();

    // In the order of the library record: setup, MIDI, scale tune, preview.
    std::array<TEditorSlot*, 4> Pages() {
        return {&SetupWindow, &MidiWindow, &ScaleTuneWindow, &PreviewWindow};
    }
};

} // namespace model
