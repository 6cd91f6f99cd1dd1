#pragma once
// A bank: one memory's worth of elements of one kind, numbered in order, passing most
// operations on to them. The bank owns its children.

#include "model/lib_elem.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace model {

class TPatch;
class TPerformance;
class TRhythm;

class TBank : public TLibElem {
public:
    explicit TBank(TLibElem* Owner);
    // Closes the bank window, then frees the children.
    ~TBank() override;

    void UpdateViews() override;
    void BuildHeaders() override;
    void WriteSysEx(platform::core::TByteWriter& File) override;
    void ReadSysEx(platform::core::TByteReader& File) override;
    void WriteRecord(platform::core::TByteWriter& File) override;
    void ReadRecord(platform::core::TByteReader& File) override;
    void SetDefaults() override;
    // Left, Top, Width and Height of the open bank window.
    void SaveEditorPosition() override;

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
};

class TPatchBank : public TBank {
public:
    explicit TPatchBank(TLibElem* Owner);
    // index: 0..127
    TPatch& Patch(int index);
};

class TPerformanceBank : public TBank {
public:
    explicit TPerformanceBank(TLibElem* Owner);
    // index: 0..31
    TPerformance& Performance(int index);
};

class TRhythmBank : public TBank {
public:
    explicit TRhythmBank(TLibElem* Owner);
    // index: 0..1
    TRhythm& Rhythm(int index);
};

} // namespace model
