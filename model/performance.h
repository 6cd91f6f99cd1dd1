#pragma once
// A performance: the common block and 16 parts. The performance keeps its part page's window;
// the common and effects windows belong to the common record.

#include "model/lib_elem.h"
#include "model/performance_records.h"

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
    void UpdateViews() override;
    void BuildHeaders() override;
    void WriteSysEx(platform::core::TByteWriter& File) override;
    void ReadSysEx(platform::core::TByteReader& File) override;
    void WriteRecord(platform::core::TByteWriter& File) override;
    void ReadRecord(platform::core::TByteReader& File) override;
    void SetDefaults() override;
    void SaveEditorPosition() override;

    // The 16 parts to the edit buffer.
    void SendParts() const;
    // Closes the part page's window.
    void CloseEditors();

    // part: 1..16
    TPerformancePart& Part(int part) { return *Parts.at(static_cast<std::size_t>(part - 1)); }

    std::unique_ptr<TPerformanceCommon> Common;
    std::array<std::unique_ptr<TPerformancePart>, PartCount> Parts;
    TEditorSlot PartWindow;

protected:
    void AssignData(const TLibElem& Source) override;
};

} // namespace model
