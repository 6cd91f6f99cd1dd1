#pragma once
// A performance: the common block and 16 parts. The performance keeps its part page's window;
// the common and effects windows belong to the common record.

#include "model/elements/lib_elem.h"
#include "model/sysex/performance_records.h"
#include "model/transfer/transfer.h"

#include <array>
#include <memory>

namespace model {

class TPerformance : public TLibElem {
public:
    explicit TPerformance(TLibElem* Owner);
    // Closes the performance window and its pages; no longer the current performance.
    ~TPerformance() override;

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
    // To the edit buffer (then the current performance) or to its place in memory.
    void Transmit(bool ToEditBuffer) override;
    // Block by block: the common block, then parts 1..16.
    void Receive(bool ToEditBuffer) override;
    void RequestNext() override;

    // The 16 parts to the edit buffer.
    void SendParts() const;
    // Closes the part page's window.
    void CloseEditors();

    // Blocks of a transfer: 0 the common block, 1..16 the parts.
    static constexpr int BlockCount = 1 + PartCount;
    static constexpr int MessageBytes =
        static_cast<int>(TPerformanceCommon::ImageSize + PartCount * TPerformancePart::ImageSize);
    TTransferBlock Block(int block);

    // part: 1..16
    TPerformancePart& Part(int part) { return *Parts.at(static_cast<std::size_t>(part - 1)); }

    std::unique_ptr<TPerformanceCommon> Common;
    std::array<std::unique_ptr<TPerformancePart>, PartCount> Parts;
    TEditorSlot PartWindow;

protected:
    void AssignData(const TLibElem& Source) override;

private:
    std::uint32_t TransferBase(bool toEditBuffer) const;
    void ReceiveInput();
};

} // namespace model
