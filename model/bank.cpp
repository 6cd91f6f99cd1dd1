#include "model/bank.h"

#include "model/element_files.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"

namespace model {

namespace pc = platform::core;

TBank::TBank(TLibElem* Owner) : TLibElem(Owner) {
    Name = "Untitled";
    Temporary = false;
    Memory = true;
}

TBank::~TBank() {
    CloseEditor();
    Elems.clear();
}

void TBank::UpdateViews() {
    for (const auto& elem : Elems)
        elem->UpdateViews();
    UpdateEditor();
}

void TBank::BuildHeaders() {
    PlaceChildren();
    for (const auto& elem : Elems)
        elem->BuildHeaders();
}

void TBank::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    for (const auto& elem : Elems)
        elem->WriteSysEx(File);
}

void TBank::ReadSysEx(pc::TByteReader& File) {
    for (const auto& elem : Elems)
        elem->ReadSysEx(File);
}

void TBank::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    File.WriteI16(Width);
    File.WriteI16(Height);
    WriteSysEx(File);
}

void TBank::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    ReadField(File, Width);
    ReadField(File, Height);
    PlaceChildren();
    ReadSysEx(File);
}

void TBank::SetDefaults() {
    for (const auto& elem : Elems)
        elem->SetDefaults();
}

void TBank::SaveEditorPosition() {
    if (!EditorOpen || Editor == nullptr) return;
    TLibElem::SaveEditorPosition();
    const std::int16_t width = Editor->Width();
    const std::int16_t height = Editor->Height();
    if (width != Width || height != Height) MarkLibraryUnsaved();
    Width = width;
    Height = height;
}

void TBank::SetMemory(bool userMemory) {
    Memory = userMemory;
    PlaceChildren();
}

void TBank::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TBank&>(Source);
    for (std::size_t i = 0; i < Elems.size() && i < source.Elems.size(); ++i)
        Elems[i]->Assign(*source.Elems[i]);
}

void TBank::PlaceChildren() {
    for (std::size_t i = 0; i < Elems.size(); ++i) {
        TLibElem& elem = *Elems[i];
        elem.Temporary = false;
        elem.Memory = Memory;
        elem.Number = static_cast<std::int16_t>(i + 1);
    }
}

TPatchBank::TPatchBank(TLibElem* Owner) : TBank(Owner) {
    Type = etPatchBank;
    for (int i = 0; i < PatchesPerMemory; ++i)
        Elems.push_back(std::make_unique<TPatch>(this));
    PlaceChildren();
}

TPatch& TPatchBank::Patch(int index) {
    return static_cast<TPatch&>(Elem(index));
}

TPerformanceBank::TPerformanceBank(TLibElem* Owner) : TBank(Owner) {
    Type = etPerformanceBank;
    for (int i = 0; i < PerformancesPerMemory; ++i)
        Elems.push_back(std::make_unique<TPerformance>(this));
    PlaceChildren();
}

TPerformance& TPerformanceBank::Performance(int index) {
    return static_cast<TPerformance&>(Elem(index));
}

TRhythmBank::TRhythmBank(TLibElem* Owner) : TBank(Owner) {
    Type = etRhythmBank;
    for (int i = 0; i < RhythmsPerMemory; ++i)
        Elems.push_back(std::make_unique<TRhythm>(this));
    PlaceChildren();
}

TRhythm& TRhythmBank::Rhythm(int index) {
    return static_cast<TRhythm&>(Elem(index));
}

} // namespace model
