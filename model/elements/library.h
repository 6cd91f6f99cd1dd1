#pragma once
// A library: a user's collection of elements of any kind with a comment, shown in a library
// window and stored as a ".Lib" file. The library owns its elements.

#include "model/elements/lib_elem.h"
#include "platform/core/exception.h"
#include "platform/core/string_list.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace model {

inline constexpr const char* UntitledLibrary = "Untitled.Lib";

// Keys of Sort, all ascending.
enum TSortKey { skModified = 0, skName = 1, skType = 2, skCreated = 3 };

// Comment lines as the library file holds them: each its 16-bit length and its characters, then
// FFFFH. A line longer than 65,534 bytes is cut, as its length would read as the end.
void WriteStrings(platform::core::TByteWriter& File, const platform::core::TStringList& Lines);
// Replaces Lines by the file's comment; a file that ends inside the comment keeps what was read.
// True when the comment's end mark was read.
bool ReadStrings(platform::core::TByteReader& File, platform::core::TStringList& Lines);

// What loading a file that is no library tells, after the load error and the file's name.
inline constexpr const char* NotALibraryText = "is not a library file.";
// What loading a library whose file ends inside an element tells, after the file's name.
inline constexpr const char* LoadedInPartText =
    "ends inside an element: the library was loaded only in part. The file stays as it is "
    "until you save the library.";

// A file that is no library, or a library with a record of an unknown kind.
class ENotALibrary : public platform::core::Exception {
public:
    ENotALibrary();
};

class TLibrary : public TLibElem {
public:
    explicit TLibrary(TLibElem* Owner = nullptr);
    // Closes the library window, then frees every element.
    ~TLibrary() override;

    // The file name without its folder.
    std::string GetName() const override;
    // Left, Top, Width and Height of the open library window; a changed value clears Saved.
    void SaveEditorPosition() override;

    // The whole ".Lib" file, taking the window position first.
    void WriteLibrary(platform::core::TByteWriter& File);
    // Replaces comment, window fields and elements by the file's. All or nothing: a file that is
    // no library (it ends before the comment's end mark or inside the window fields, or a record
    // is of an unknown type) raises ENotALibrary and leaves the library as it was. A file that
    // ends inside a record keeps that element with the bytes read, reading stops there, and the
    // answer is false: loaded in part. True when the file was read whole.
    bool ReadLibrary(platform::core::TByteReader& File);
    // Loads the named file (opening one, reopening the desktop); true when it was loaded, whole or
    // in part, and the library is then saved, so that nothing writes the file unasked. A file
    // loaded in part is told so. A failure shows its error and leaves the library as it was.
    bool LoadFromFile(const std::string& FileName);
    // Loads the file the open dialog gives; true when a file was loaded.
    bool OpenFile();
    // True when the library was written: without AskName straight to its file when it has one
    // that can be written, else to the name the save dialog gives. A cancelled dialog, a declined
    // overwrite or a failed write leaves the library unsaved. Under a new name, the library's
    // window and its elements' own windows (bank, global, element windows) show it at once.
    bool SaveFile(bool AskName);

    // Appends elem, owned by this library from now on.
    TLibElem& Add(std::unique_ptr<TLibElem> elem);
    // Moves element Index of Source to the end of this library, its selection mark cleared.
    void TakeElem(TLibrary& Source, int Index);
    // Orders the elements by Key (TSortKey; any other key leaves them), in the order the exchange
    // sort gives, equal elements included (ExchangeSortOrder).
    void Sort(int Key);

    int Count() const { return static_cast<int>(Elems.size()); }
    TLibElem& Elem(int index) { return *Elems.at(static_cast<std::size_t>(index)); }

    std::vector<std::unique_ptr<TLibElem>> Elems;
    platform::core::TStringList Comment;
    std::int16_t Width = -1;
    std::int16_t Height = -1;
};

} // namespace model
