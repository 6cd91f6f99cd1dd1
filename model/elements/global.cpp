#include "model/elements/global.h"

#include "model/elements/system.h"
#include "model/files/data_folders.h"
#include "model/files/element_files.h"
#include "model/files/straight_save.h"
#include "model/print/print_routines.h"
#include "model/print/print_target.h"
#include "model/program/quintaron.h"
#include "model/transfer/transfer.h"
#include "model/transfer/transfer_window.h"

#include <vector>

namespace model {

namespace pc = platform::core;

namespace {
// The memory of each bank, in the order of the children.
constexpr bool BankMemories[] = {true, false, true, false, true, false};
} // namespace

TGlobal::TGlobal(TLibElem* Owner) : TBank(Owner) {
    Type = etGlobal;
    FileName = UntitledGlobal;
    Elems.push_back(std::make_unique<TPatchBank>(this));
    Elems.push_back(std::make_unique<TPatchBank>(this));
    Elems.push_back(std::make_unique<TPerformanceBank>(this));
    Elems.push_back(std::make_unique<TPerformanceBank>(this));
    Elems.push_back(std::make_unique<TRhythmBank>(this));
    Elems.push_back(std::make_unique<TRhythmBank>(this));
    Elems.push_back(std::make_unique<TSystem>(this));
    PlaceChildren();
}

void TGlobal::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    for (const auto& elem : Elems)
        elem->WriteRecord(File);
}

void TGlobal::ReadSysEx(pc::TByteReader& File) {
    // A file that ends before a child's record has ended inside the set's record, and the
    // reader must tell, as for any other record cut short.
    for (const auto& elem : Elems) {
        std::int16_t type = 0;
        ReadField(File, type);
        if (File.RanOut()) return;
        elem->ReadRecord(File);
    }
}

void TGlobal::Transmit(bool ToEditBuffer) {
    if (!MidiOnline()) return;
    ForEachChild([ToEditBuffer](TLibElem& child) { child.Transmit(ToEditBuffer); });
}

void TGlobal::Receive(bool ToEditBuffer) {
    if (!MidiOnline()) return;
    TLibElem::Receive(ToEditBuffer);
    ForEachChild([ToEditBuffer](TLibElem& child) { child.Receive(ToEditBuffer); });
    UpdateViews();
}

void TGlobal::Print(int& Y, bool Extra) {
    if (PrintTarget() == nullptr) return;
    const bool dataCard = AppState() != nullptr && AppState()->Config.DataCardInstalled;
    for (std::size_t i = 0; i < std::size(BankMemories); ++i) {
        if (!BankMemories[i] && !dataCard) continue;
        Elems[i]->Print(Y, Extra);
    }
    if (PrintPageFull(Y)) PrintNextPage(Y);
    PrintCentered(Y, "System  [ Global : " + GetName() + " ]");
    Y += PrintLineHeight() + 10;
    System().Print(Y, Extra);
}

void TGlobal::ForEachChild(const std::function<void(TLibElem&)>& transfer) {
    TTransferWindow* window = TransferWindow();
    if (window == nullptr) return;
    const bool dataCard = AppState() != nullptr && AppState()->Config.DataCardInstalled;
    std::vector<TLibElem*> parts;
    for (std::size_t i = 0; i < Elems.size(); ++i) {
        const bool cardBank = i < std::size(BankMemories) && !BankMemories[i];
        if (!cardBank || dataCard) parts.push_back(Elems[i].get());
    }
    for (TLibElem* part : parts) {
        // A child that leaves the window alone must not pass for finished by its predecessor.
        window->SetDone(false);
        part->Transfer.MoreFollow = part != parts.back();
        transfer(*part);
        part->Transfer.MoreFollow = false;
        if (!window->Done()) return;
    }
}

bool TGlobal::LoadGlobalFile() {
    const auto path = ChooseLoadPath(GlobalFileKind, FileName);
    if (!path) return false;
    const auto bytes = LoadFileBytes(GlobalFileKind, *path);
    if (!bytes) return false;
    pc::TByteReader file(*bytes);
    if (bytes->size() != GlobalFileSize || file.ReadI16() != etGlobal) {
        ShowFileError(GlobalFileKind.LoadError);
        return false;
    }
    ReadRecord(file);
    FileName = *path;
    NoteChosenFile(GlobalFileKind, *path);
    Name = NameFromFileName(*path);
    UpdateViews();
    return true;
}

bool TGlobal::SaveGlobalFile(bool AskName) {
    // A ".Glb" file has one layout: a global set's record.
    const auto layouts = [] {
        TGlobal fresh(nullptr);
        pc::TByteWriter file;
        fresh.WriteRecord(file);
        return TFileLayouts{file.TakeBytes()};
    };
    const bool straight = !AskName && MayWriteStraight(GlobalFileKind, FileName, layouts);
    const auto path = ChooseSavePath(GlobalFileKind, FileName, straight);
    if (!path) return false;
    pc::TByteWriter file;
    WriteRecord(file);
    if (!SaveFileBytes(GlobalFileKind, *path, file.Bytes())) return false;
    FileName = *path;
    Saved = true;
    return true;
}

TPatchBank& TGlobal::UserPatchBank() {
    return static_cast<TPatchBank&>(Elem(0));
}

TPatchBank& TGlobal::CardPatchBank() {
    return static_cast<TPatchBank&>(Elem(1));
}

TPerformanceBank& TGlobal::UserPerformanceBank() {
    return static_cast<TPerformanceBank&>(Elem(2));
}

TPerformanceBank& TGlobal::CardPerformanceBank() {
    return static_cast<TPerformanceBank&>(Elem(3));
}

TRhythmBank& TGlobal::UserRhythmBank() {
    return static_cast<TRhythmBank&>(Elem(4));
}

TRhythmBank& TGlobal::CardRhythmBank() {
    return static_cast<TRhythmBank&>(Elem(5));
}

TSystem& TGlobal::System() {
    return static_cast<TSystem&>(Elem(6));
}

void TGlobal::PlaceChildren() {
    for (std::size_t i = 0; i < std::size(BankMemories) && i < Elems.size(); ++i)
        static_cast<TBank&>(*Elems[i]).SetMemory(BankMemories[i]);
}

} // namespace model
