#include "model/elements/lib_elem.h"

#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/files/data_folders.h"
#include "model/files/element_files.h"
#include "model/files/straight_save.h"
#include "model/print/print_routines.h"
#include "model/print/print_target.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "model/sysex/address_map.h"

#include <cmath>
#include <memory>
#include <vector>

namespace model {

namespace pc = platform::core;

namespace {

bool IsBankType(std::int16_t type) {
    return type == etPatchBank || type == etPerformanceBank || type == etRhythmBank;
}

// What a fresh element of type writes to its ".Syx" file in the layout in force; empty for a type
// the factory does not know.
std::vector<std::uint8_t> FreshSysEx(std::int16_t type) {
    const std::unique_ptr<TLibElem> pattern = CreateElemByType(type, nullptr);
    if (!pattern) return {};
    pc::TByteWriter file;
    pattern->WriteSysEx(file);
    return file.TakeBytes();
}

// The layouts of type's ".Syx" files: the normal one and, where an application state can put it
// in force, the import/export one.
TFileLayouts SysExLayouts(std::int16_t type) {
    TFileLayouts layouts{FreshSysEx(type)};
    TQuintaron* state = AppState();
    if (state == nullptr) return layouts;
    struct TLayoutInForce {
        TQuintaron& state;
        bool was = state.ImportExportMode;
        ~TLayoutInForce() { state.ImportExportMode = was; }
    } shortLayout{*state};
    state->ImportExportMode = true;
    layouts.push_back(FreshSysEx(type));
    return layouts;
}

} // namespace

std::string GetTypeName(std::int16_t type) {
    static const char* const names[] = {"Patch",  "Patch Bank",  "Performance", "Performance Bank",
                                        "Rhythm", "Rhythm Bank", "System",      "Global"};
    if (type < 0 || type > etGlobal) return {};
    return names[type];
}

TLibElem::TLibElem(TLibElem* Owner) : Owner(Owner) {
    const pc::TDateTime now = pc::Now();
    CreatedDate = ModifiedDate = std::trunc(now);
    CreatedTime = ModifiedTime = std::fabs(now - std::trunc(now));
}

TLibElem::~TLibElem() {
    CloseEditor();
}

void TLibElem::Assign(const TLibElem& Source) {
    Name = Source.Name;
    Selected = Source.Selected;
    FileName = Source.FileName;
    Temporary = Source.Temporary;
    Memory = Source.Memory;
    Number = Source.Number;
    if (Source.Type == Type && &Source != this) AssignData(Source);
    SetModified();
}

void TLibElem::AssignData(const TLibElem&) {}

std::string TLibElem::GetName() const {
    return Name;
}

void TLibElem::SetName(std::string_view NewName, bool) {
    Name = std::string(NewName.substr(0, ElemNameLength));
}

void TLibElem::UpdateViews(TViewChange) {}

void TLibElem::BuildHeaders() {}

void TLibElem::WriteSysEx(pc::TByteWriter&) {
    BuildHeaders();
}

void TLibElem::ReadSysEx(pc::TByteReader&) {}

void TLibElem::WriteRecord(pc::TByteWriter& File) {
    SaveEditorPosition();
    File.WriteI16(Type);
    File.WriteShortString(Name, ElemNameLength);
    File.WriteShortString(StoredFileName(FileName), ElemFileNameLength);
    File.WriteDouble(CreatedDate);
    File.WriteDouble(CreatedTime);
    File.WriteDouble(ModifiedDate);
    File.WriteDouble(ModifiedTime);
    File.WriteBool(Temporary);
    File.WriteBool(Memory);
    File.WriteI16(Number);
    File.WriteI16(EditorLeft);
    File.WriteI16(EditorTop);
}

void TLibElem::ReadRecord(pc::TByteReader& File) {
    ReadField(File, Name, ElemNameLength);
    ReadField(File, FileName, ElemFileNameLength);
    ReadField(File, CreatedDate);
    ReadField(File, CreatedTime);
    ReadField(File, ModifiedDate);
    ReadField(File, ModifiedTime);
    ReadField(File, Temporary);
    ReadField(File, Memory);
    ReadField(File, Number);
    ReadField(File, EditorLeft);
    ReadField(File, EditorTop);
}

bool TLibElem::SaveSysExFile(bool AskName) {
    const bool straight = !AskName && MayWriteStraight(SysExFileKind, FileName,
                                                       [this] { return SysExLayouts(Type); });
    const auto path = ChooseSavePath(SysExFileKind, FileName, straight);
    if (!path) return false;
    pc::TByteWriter file;
    WriteSysEx(file);
    if (!SaveFileBytes(SysExFileKind, *path, file.Bytes())) return false;
    FileName = *path;
    Saved = true;
    return true;
}

bool TLibElem::LoadSysExFile() {
    const auto path = ChooseLoadPath(SysExFileKind, FileName);
    if (!path) return false;
    const auto bytes = LoadFileBytes(SysExFileKind, *path);
    if (!bytes) return false;

    // The file is checked against the framing of a fresh element of this kind before a byte of
    // it is taken, so that a refused file leaves this element as it was.
    const int expected = ExpectedSysExSize();
    const bool fits = expected >= 0 && bytes->size() == static_cast<std::size_t>(expected) &&
                      SameSysExFraming(*bytes, FreshSysEx(Type));
    if (!fits) {
        MessageDlg(IncorrectSysExText, TMsgDlgType::mtInformation, mbOK);
        return false;
    }

    pc::TByteReader file(*bytes);
    ReadSysEx(file);
    FileName = *path;
    NoteChosenFile(SysExFileKind, *path);
    if (IsBankType(Type) || Type == etSystem) Name = NameFromFileName(*path);
    SetModified();
    UpdateViews();
    return true;
}

void TLibElem::Transmit(bool) {}

void TLibElem::Receive(bool) {
    SetModified();
}

void TLibElem::SetDefaults() {}

void TLibElem::RequestNext() {}

void TLibElem::SaveEditorPosition() {
    if (!EditorOpen || Editor == nullptr) return;
    const std::int16_t left = Editor->Left();
    const std::int16_t top = Editor->Top();
    if (left != EditorLeft || top != EditorTop) MarkLibraryUnsaved();
    EditorLeft = left;
    EditorTop = top;
}

void TLibElem::TransmitNext() {}

void TLibElem::Print(int& Y, bool Extra) {
    if (PrintTarget() == nullptr) return;
    if (PrintPageFull(Y)) PrintNextPage(Y);
    const int lineHeight = PrintLineHeight();
    PrintRule(Y - 1);
    PrintElemLine(Y, *this, Extra);
    PrintRule(Y + lineHeight + 1);
    Y += lineHeight + PrintBlockGap;
}

void TLibElem::SetModified() {
    const pc::TDateTime now = pc::Now();
    const pc::TDateTime date = std::trunc(now);
    const pc::TDateTime time = std::fabs(now - date);
    for (TLibElem* elem = this; elem != nullptr; elem = elem->Owner) {
        elem->ModifiedDate = date;
        elem->ModifiedTime = time;
    }
    MarkLibraryUnsaved();
    // The windows that list the element (its bank's, its global set's, its library's) show its
    // name and date in their rows; its own window is left to whoever changed it, who may be
    // typing in it.
    for (TLibElem* owner = Owner; owner != nullptr; owner = owner->Owner)
        owner->UpdateEditor();
    if (TUiServices* ui = UiServices()) ui->EnableMenuItems();
}

void TLibElem::OpenEditor() {
    if (EditorOpen && Editor != nullptr) {
        Editor->BringToFront();
        return;
    }
    EditorOpen = true;
    if (Type == etPatch || Type == etPerformance || Type == etRhythm || Type == etSystem)
        Transmit(true);
    TUiServices* ui = UiServices();
    Editor = ui != nullptr ? ui->CreateEditor(*this) : nullptr;
    if (Editor == nullptr) {
        EditorOpen = false;
        MessageDlg("Out of Memory or Resource", TMsgDlgType::mtError, mbOK);
    }
}

std::string TLibElem::GetLocation() const {
    if (IsBankType(Type)) return Memory ? "User" : "Card";
    if (Type != etPatch && Type != etPerformance && Type != etRhythm) return {};
    if (Temporary) return "Temporary";
    return std::string(Memory ? "User" : "Card") + " : " + std::to_string(Number);
}

int TLibElem::ExpectedSysExSize() const {
    const bool shortLayout = ImportExportMode();
    switch (Type) {
    case etPatch:
        return shortLayout ? 643 : 644;
    case etPatchBank:
        return (shortLayout ? 643 : 644) * PatchesPerMemory;
    case etPerformance:
        return shortLayout ? 555 : 653;
    case etPerformanceBank:
        return (shortLayout ? 555 : 653) * PerformancesPerMemory;
    case etRhythm:
        return 4439;
    case etRhythmBank:
        return 4439 * RhythmsPerMemory;
    case etSystem:
        return shortLayout ? 442 : 484;
    default:
        return -1;
    }
}

TLibElem* TLibElem::Root() {
    TLibElem* elem = this;
    while (elem->Owner != nullptr)
        elem = elem->Owner;
    return elem;
}

TLibElem* TopOwner(TLibElem* x) {
    if (x == nullptr) return nullptr;
    TLibElem* owner = x->Owner;
    for (int step = 0; step < 2 && owner != nullptr && owner->Owner != nullptr; ++step)
        owner = owner->Owner;
    return owner;
}

void TLibElem::CloseEditor() {
    TEditorView* editor = Editor;
    Editor = nullptr;
    EditorOpen = false;
    if (editor != nullptr) editor->CloseByOwner();
}

void TLibElem::MarkLibraryUnsaved() {
    if (auto* library = dynamic_cast<TLibrary*>(Root())) library->Saved = false;
}

void TLibElem::UpdateEditor() {
    if (EditorOpen && Editor != nullptr) Editor->UpDateView();
}

} // namespace model
