#pragma once
// The base of every element a library holds (patch, bank, performance, rhythm set, system,
// global set) and of the library itself: what they share, and the operations each kind
// overrides. Elements reach their windows through TEditorView and TUiServices only.

#include "model/editing/editor_view.h"
#include "model/transfer/elem_transfer.h"
#include "platform/core/byte_file.h"
#include "platform/core/date_time.h"
#include "platform/core/object.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace model {

// Type codes, as stored in library files.
inline constexpr std::int16_t etPatch = 0;
inline constexpr std::int16_t etPatchBank = 1;
inline constexpr std::int16_t etPerformance = 2;
inline constexpr std::int16_t etPerformanceBank = 3;
inline constexpr std::int16_t etRhythm = 4;
inline constexpr std::int16_t etRhythmBank = 5;
inline constexpr std::int16_t etSystem = 6;
inline constexpr std::int16_t etGlobal = 7;

// Field widths of names and file names in files.
inline constexpr std::size_t ElemNameLength = 12;
inline constexpr std::size_t ElemFileNameLength = 79;

inline constexpr const char* UntitledSysEx = "Untitled.Syx";

// "Patch", "Patch Bank" ... "Global"; empty for an unknown code.
std::string GetTypeName(std::int16_t type);

class TLibElem : public platform::core::TObject {
public:
    explicit TLibElem(TLibElem* Owner);
    // Closes the element's editor window.
    ~TLibElem() override;
    TLibElem(const TLibElem&) = delete;
    TLibElem& operator=(const TLibElem&) = delete;

    // Copies name, selected, file name, temporary, memory and number, then the data of an
    // element of the same kind (images, children), and marks the element modified.
    virtual void Assign(const TLibElem& Source);
    virtual std::string GetName() const;
    // Base: stores Name cut to 12 characters.
    virtual void SetName(std::string_view Name, bool Send);
    // Refreshes the element's open windows.
    virtual void UpdateViews(TViewChange Change = TViewChange::Data);
    // Frames every image for the element's location (edit buffer, user or card memory, number).
    virtual void BuildHeaders();
    // The element's messages in the file layout in force (ImportExportMode); the base builds
    // the headers, and every override calls it first.
    virtual void WriteSysEx(platform::core::TByteWriter& File);
    // Messages as WriteSysEx writes them; a file that ends early leaves the rest as it was.
    virtual void ReadSysEx(platform::core::TByteReader& File);
    // The library record, type code first. Takes the window positions first.
    virtual void WriteRecord(platform::core::TByteWriter& File);
    // The record after its type code. A file that ends inside the record leaves the fields and
    // bytes not read as they were, and File.RanOut() tells.
    virtual void ReadRecord(platform::core::TByteReader& File);
    // True when the file was written: without AskName straight to the stored file name where
    // that is safe (a file chosen or loaded this run, or one of this kind's; straight_save.h),
    // else to the name the save dialog gives, proposed the stored one.
    virtual bool SaveSysExFile(bool AskName);
    // True when a file was loaded; a refused or failed load leaves the element as it was.
    virtual bool LoadSysExFile();
    // Transfers to and from the instrument; the base sends nothing.
    virtual void Transmit(bool ToEditBuffer);
    // Base: SetModified only.
    virtual void Receive(bool ToEditBuffer);
    virtual void SetDefaults();
    virtual void RequestNext();
    // Takes Left and Top of the open editor window; a change marks the root library unsaved.
    virtual void SaveEditorPosition();
    virtual void TransmitNext();
    // Prints the element's lines of a listing from Y on, with Extra where each lies in its
    // containers, on a new page when they would run into the footer; Y ends below them.
    virtual void Print(int& Y, bool Extra);

    // Stamps the modified date and time here and up the owner chain, marks the root library
    // unsaved, refreshes the windows of the owners (which list the element) and re-enables the
    // main menu.
    void SetModified();
    // Opens the element's window (sending the element to the edit buffer first where its kind
    // does), or brings it to front when it is open.
    void OpenEditor();
    // "Temporary", "User : 5", "Card : 12"; banks "User" or "Card"; system and global empty.
    std::string GetLocation() const;
    // Size of the element's ".Syx" file in the layout in force; -1 for a global set.
    int ExpectedSysExSize() const;
    std::string GetTypeName() const { return model::GetTypeName(Type); }
    // The last owner up the chain; the element itself when it has none.
    TLibElem* Root();

    std::string Name;
    std::int16_t Type = etPatch;
    platform::core::TDateTime ModifiedDate = 0;
    platform::core::TDateTime ModifiedTime = 0;
    platform::core::TDateTime CreatedDate = 0;
    platform::core::TDateTime CreatedTime = 0;
    bool Selected = false;
    // Kept with its folder; written to files as at most 79 bytes.
    std::string FileName = UntitledSysEx;
    // Stands for the instrument's edit buffer.
    bool Temporary = true;
    // True: user memory; false: card memory.
    bool Memory = false;
    bool Saved = false;
    bool EditorOpen = false;
    std::int16_t EditorLeft = -1;
    std::int16_t EditorTop = -1;
    // 1-based, in its memory or bank.
    std::int16_t Number = 1;
    TLibElem* Owner = nullptr;
    TEditorView* Editor = nullptr;
    // The course of the element's transfers with the instrument.
    TElemTransfer Transfer{*this};

protected:
    // What Assign copies beyond the base fields, from an element of the same kind.
    virtual void AssignData(const TLibElem& Source);
    // Closes the editor window for the element, which is going.
    void CloseEditor();
    // Refreshes the element's own window when open.
    void UpdateEditor();
    // The root library, when the element lies in one, is no longer saved.
    void MarkLibraryUnsaved();
};

// The element a window's element or record belongs to for the librarian: x's owner, and that
// owner's owner and its owner in turn where they exist (at most three steps up). Null when x is
// null or has no owner.
TLibElem* TopOwner(TLibElem* x);

} // namespace model
