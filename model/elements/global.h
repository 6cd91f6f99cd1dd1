#pragma once
// The global set: the whole instrument as one element — the user and card bank of each kind
// and the system settings — stored as a ".Glb" file.

#include "model/elements/bank.h"

#include <functional>

namespace model {

class TSystem;

inline constexpr const char* UntitledGlobal = "Untitled.Glb";
// A ".Glb" file: the library record of one global set.
inline constexpr std::size_t GlobalFileSize = 226020;

class TGlobal : public TBank {
public:
    explicit TGlobal(TLibElem* Owner);

    // The seven children's complete library records, each with its type code.
    void WriteSysEx(platform::core::TByteWriter& File) override;
    void ReadSysEx(platform::core::TByteReader& File) override;

    // The children in order, each in its own transfer window; a card bank only when a data card
    // is installed. A transfer that does not finish (cancelled, not answered) ends the whole.
    void Transmit(bool ToEditBuffer) override;
    void Receive(bool ToEditBuffer) override;
    // The banks (card banks only when a data card is installed), then the system under its own
    // heading.
    void Print(int& Y, bool Extra) override;

    // True when a file was loaded; a file that is not one global set's record (type code 7,
    // exact size) is refused and the set is left as it was.
    bool LoadGlobalFile();
    // True when the file was written; as SaveSysExFile, a ".Glb" file of a global set's record
    // being this kind's.
    bool SaveGlobalFile(bool AskName);

    TPatchBank& UserPatchBank();
    TPatchBank& CardPatchBank();
    TPerformanceBank& UserPerformanceBank();
    TPerformanceBank& CardPerformanceBank();
    TRhythmBank& UserRhythmBank();
    TRhythmBank& CardRhythmBank();
    TSystem& System();

protected:
    // The banks keep the memories they stand for; the system is not numbered.
    void PlaceChildren() override;

private:
    // Runs transfer on each child in turn while each finishes.
    void ForEachChild(const std::function<void(TLibElem&)>& transfer);
};

} // namespace model
