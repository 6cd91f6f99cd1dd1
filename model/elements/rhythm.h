#pragma once
// A rhythm set: the common block (its name) and one note per key 35..98. The element keeps the
// windows of its four note pages.

#include "model/elements/lib_elem.h"
#include "model/sysex/rhythm_records.h"
#include "model/transfer/transfer.h"

#include <array>
#include <memory>

namespace model {

class TRhythm : public TLibElem {
public:
    explicit TRhythm(TLibElem* Owner);
    // Closes the rhythm window and its pages; no longer the current rhythm set.
    ~TRhythm() override;

    std::string GetName() const override;
    void SetName(std::string_view Name, bool Send) override;
    void UpdateViews(TViewChange Change = TViewChange::Data) override;
    void BuildHeaders() override;
    void WriteSysEx(platform::core::TByteWriter& File) override;
    void ReadSysEx(platform::core::TByteReader& File) override;
    void WriteRecord(platform::core::TByteWriter& File) override;
    void ReadRecord(platform::core::TByteReader& File) override;
    void SetDefaults() override;
    void SaveEditorPosition() override;
    // Paced, one block every 50 ms, to the edit buffer (then the current rhythm set) or to
    // its place in memory.
    void Transmit(bool ToEditBuffer) override;
    // Block by block: the common block, then the notes of keys 35..98.
    void Receive(bool ToEditBuffer) override;
    void RequestNext() override;
    void TransmitNext() override;

    // The whole element to the edit buffer (Transmit (true)).
    void SendAll();
    void CloseEditors();

    // Blocks of a transfer: 0 the common block, k = 1..64 the note of key 34 + k.
    static constexpr int BlockCount = 1 + RhythmNoteCount;
    TTransferBlock Block(int block);

    // key: 35..98
    TRhythmNote& Note(int key) { return *Notes.at(static_cast<std::size_t>(key - FirstRhythmKey)); }

    std::unique_ptr<TRhythmCommon> Common;
    std::array<std::unique_ptr<TRhythmNote>, RhythmNoteCount> Notes;
    TEditorSlot MainWindow;
    TEditorSlot PitchWindow;
    TEditorSlot TVAWindow;
    TEditorSlot TVFWindow;

protected:
    void AssignData(const TLibElem& Source) override;

private:
    std::uint32_t TransferBase(bool toEditBuffer) const;
    void ReceiveInput();

    // Raised when a receive has all its blocks.
    int CompletionCount = 0;

    // In the order of the library record: main, pitch, TVA, TVF.
    std::array<TEditorSlot*, 4> Pages() {
        return {&MainWindow, &PitchWindow, &TVAWindow, &TVFWindow};
    }
};

} // namespace model
