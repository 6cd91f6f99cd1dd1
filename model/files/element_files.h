#pragma once
// The pieces that element and library files are made of: message images in the normal and the
// import/export layouts, the tolerant field reads of library records, the check that a ".Syx"
// file holds this instrument's data sets, and the load and save paths with their dialogs.

#include "platform/core/byte_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace model {

struct TEditorSlot;

// Data bytes the shortened blocks keep in the import/export layout.
inline constexpr std::size_t ShortCommonDataLength = 72;
inline constexpr std::size_t ShortPerformanceCommonDataLength = 64;
inline constexpr std::size_t ShortPerformancePartDataLength = 19;
inline constexpr std::size_t ShortSystemCommonDataLength = 40;

// The whole image.
void WriteImage(platform::core::TByteWriter& file, std::span<const std::uint8_t> image);
// keptData below the image's data length: the header, the first keptData data bytes, a
// checksum over that shortened message, and F7.
void WriteImage(platform::core::TByteWriter& file, std::span<const std::uint8_t> image,
                std::size_t keptData);
// As much of the image as the file holds. Data bytes keep their low 7 bits, as the instrument
// would.
void ReadImage(platform::core::TByteReader& file, std::span<std::uint8_t> image);
// An image written shortened: the data bytes not kept become 0, and the checksum and F7 are made
// for the whole block.
void ReadImage(platform::core::TByteReader& file, std::span<std::uint8_t> image,
               std::size_t keptData);

// Library record fields. A field of which the file holds only part is consumed and left as it
// was, so that a record cut short keeps what was read.
void ReadField(platform::core::TByteReader& file, std::int16_t& value);
void ReadField(platform::core::TByteReader& file, bool& value);
void ReadField(platform::core::TByteReader& file, double& value);
void ReadField(platform::core::TByteReader& file, std::string& value, std::size_t maxLength);
// A page window's Left and Top in a library record.
void WritePosition(platform::core::TByteWriter& file, const TEditorSlot& slot);
void ReadPosition(platform::core::TByteReader& file, TEditorSlot& slot);

// Every message of bytes is a data set of this instrument (F0 41 dev 6A 12 ... F7, no byte of
// 80H or more inside) and the messages have the lengths of those of expected.
bool SameSysExFraming(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> expected);
// bytes is a library record of expected's size and type code.
bool SameRecordFraming(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> expected);

// The titles, filters and texts of one kind of file.
struct TFileKind {
    std::string_view LoadTitle;
    std::string_view SaveTitle;
    std::string_view DefaultExt;
    std::string_view Filter;
    std::string_view LoadError;
    std::string_view SaveError;
    // Whether a file's bytes are framed as a layout of the kind's; none for a kind whose files
    // are never recognised by their content.
    bool (*SameFraming)(std::span<const std::uint8_t> bytes,
                        std::span<const std::uint8_t> layout) = nullptr;
};

inline constexpr TFileKind SysExFileKind{.LoadTitle = "Load SysEx",
                                         .SaveTitle = "Save SysEx",
                                         .DefaultExt = "Syx",
                                         .Filter = "Syx file|*.Syx",
                                         .LoadError = "Error Loadind Sysex",
                                         .SaveError = "Error Saving Sysex",
                                         .SameFraming = SameSysExFraming};
inline constexpr TFileKind GlobalFileKind{.LoadTitle = "Load Global",
                                          .SaveTitle = "Save Global",
                                          .DefaultExt = "Glb",
                                          .Filter = "Glb file|*.Glb",
                                          .LoadError = "Error Loadind Global",
                                          .SaveError = "Error Saving Global",
                                          .SameFraming = SameRecordFraming};
inline constexpr TFileKind LibraryFileKind{.LoadTitle = "Load Library",
                                           .SaveTitle = "Save Library",
                                           .DefaultExt = "Lib",
                                           .Filter = "Lib file|*.Lib",
                                           .LoadError = "Error Loading Library",
                                           .SaveError = "Error Saving Library"};

inline constexpr const char* OverwriteQuestion = "File Alredy Exist. Overwrite it ?";
inline constexpr const char* IncorrectSysExText = "Incorrect SysEx File Type.";

// The file to save to: fileName itself when straight, else the name the save dialog gives,
// proposed fileName (an existing file must be confirmed), which is then the user's choice
// (NoteChosenFile). None when the user cancelled or declined.
std::optional<std::string> ChooseSavePath(const TFileKind& kind, const std::string& fileName,
                                          bool straight);
// The file the open dialog gives, starting at fileName; none when cancelled.
std::optional<std::string> ChooseLoadPath(const TFileKind& kind, const std::string& fileName);
// Saves bytes without ever destroying the previous file; shows the kind's save error, the file
// and the reason, and returns false when the file could not be written.
bool SaveFileBytes(const TFileKind& kind, const std::string& path,
                   std::span<const std::uint8_t> bytes);
// The file's bytes; shows the kind's load error, the file and the reason, and gives none when it
// cannot be read.
std::optional<std::vector<std::uint8_t>> LoadFileBytes(const TFileKind& kind,
                                                       const std::string& path);
// Shows the kind's load or save error.
void ShowFileError(std::string_view text);

} // namespace model
