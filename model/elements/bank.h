#pragma once
// A bank: one memory's worth of elements of one kind, numbered in order, passing most
// operations on to them. The bank owns its children.

#include "model/elements/lib_elem.h"
#include "model/files/name_lists.h"
#include "model/sysex/address_map.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace model {

class TPatch;
class TPerformance;
class TRhythm;
class TTransferWindow;
struct TTransferBlock;

// What the transfers of a patch, performance or rhythm bank need to know of its children.
struct TBankChildren {
    int Count;
    // Blocks of one child.
    int BlockCount;
    // The transfer window's total and element label.
    int MessageCount;
    const char* Label;
    std::uint32_t (*Base)(bool temporary, bool userMemory, int number);
    TTransferBlock (*Block)(TLibElem& child, int block);
    // The instrument's name list of the children, by memory; null where it keeps none.
    TUserCardList (*NameList)(bool userMemory);
    // The transfer window counts each child as it begins (rhythm sets), and a transmit then
    // each block as it goes; or else each child once it is through, a transmit counting its
    // ChildBytes in BlockCount messages then.
    bool CountsChildAtStart;
    int ChildBytes;
};

class TBank : public TLibElem {
public:
    explicit TBank(TLibElem* Owner);
    // Closes the bank window, then frees the children.
    ~TBank() override;

    void UpdateViews(TViewChange Change = TViewChange::Data) override;
    void BuildHeaders() override;
    void WriteSysEx(platform::core::TByteWriter& File) override;
    void ReadSysEx(platform::core::TByteReader& File) override;
    void WriteRecord(platform::core::TByteWriter& File) override;
    void ReadRecord(platform::core::TByteReader& File) override;
    void SetDefaults() override;
    // Left, Top, Width and Height of the open bank window.
    void SaveEditorPosition() override;
    // A centred heading (the type and name, and inside a global set the set's name), then the
    // children's rows as one table that breaks across pages.
    void Print(int& Y, bool Extra) override;

    // The bank's memory, which its children follow.
    void SetMemory(bool userMemory);
    int Count() const { return static_cast<int>(Elems.size()); }
    TLibElem& Elem(int index) { return *Elems.at(static_cast<std::size_t>(index)); }

    std::vector<std::unique_ptr<TLibElem>> Elems;
    std::int16_t Width = -1;
    std::int16_t Height = -1;

protected:
    void AssignData(const TLibElem& Source) override;
    // Children stand at their place in the bank: not temporary, in the bank's memory, numbered
    // 1.. in order; their headers are built for that place.
    virtual void PlaceChildren();
    // A new bank's count children of one kind, placed.
    template <class TChild> void AddChildren(int count) {
        for (int i = 0; i < count; ++i)
            Elems.push_back(std::make_unique<TChild>(this));
        PlaceChildren();
    }

    // "Now Receiving User Patch Bank", "Now Transmitting Data Card Rhythm Bank" and so on, by
    // the bank's memory.
    std::string TransferCaption(bool transmit) const;
    // The names of the children transferred go to the instrument's name lists: saved, and the
    // names window reloaded. A failed save is reported; the transfer stands.
    void SaveTransferNames();

    // The instrument's name lists while a patch or performance bank is transferred.
    TUserCardNames TransferNames;

    // The course that the kinds of bank share: a paced transmit from the first child on, one
    // block of it, and a receive from the first child on.
    void TransmitChildren(const TBankChildren& kind);
    void TransmitNextBlock(const TBankChildren& kind);
    void ReceiveChildren(bool ToEditBuffer, const TBankChildren& kind);
    // The child being transferred: its base address in the bank's memory, and its name given
    // to the name list where the kind has one.
    std::uint32_t ChildBase(const TBankChildren& kind) const;
    void ListChildName(const TBankChildren& kind);
    // The whole bank is through: the names are saved where the kind lists them, and the window
    // closes a second later.
    void FinishChildren(TTransferWindow& window, const TBankChildren& kind);
};

class TPatchBank : public TBank {
public:
    explicit TPatchBank(TLibElem* Owner);
    // index: 0..127
    TPatch& Patch(int index);

    // Paced, one block every 50 ms; the names go to the name list of the bank's memory.
    void Transmit(bool ToEditBuffer) override;
    // One request per patch, each answered by its five blocks.
    void Receive(bool ToEditBuffer) override;
    void RequestNext() override;
    void TransmitNext() override;

    static constexpr int MessageCount = PatchesPerMemory * (1 + ToneCount);

private:
    void ReceiveInput();
    // While a re-request waits: every event is read and dropped.
    void DrainInput();
    void RetryTimer();

    // One bit per block of the current patch placed.
    unsigned ReceivedBlocks = 0;
};

class TPerformanceBank : public TBank {
public:
    explicit TPerformanceBank(TLibElem* Owner);
    // index: 0..31
    TPerformance& Performance(int index);

    // Paced, one block every 50 ms; the names go to the name list of the bank's memory.
    void Transmit(bool ToEditBuffer) override;
    // Block by block, performance by performance.
    void Receive(bool ToEditBuffer) override;
    void RequestNext() override;
    void TransmitNext() override;

    static constexpr int MessageCount = PerformancesPerMemory * (1 + PartCount);

private:
    void ReceiveInput();
};

class TRhythmBank : public TBank {
public:
    explicit TRhythmBank(TLibElem* Owner);
    // index: 0..1
    TRhythm& Rhythm(int index);

    // Paced, one block every 50 ms.
    void Transmit(bool ToEditBuffer) override;
    // Block by block, rhythm set by rhythm set.
    void Receive(bool ToEditBuffer) override;
    void RequestNext() override;
    void TransmitNext() override;

    static constexpr int MessageCount = RhythmsPerMemory * (1 + RhythmNoteCount);

private:
    void ReceiveInput();
};

} // namespace model
