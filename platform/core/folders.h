#pragma once
// File names and folders. The name helpers take both '\' and '/' as separators, because file
// names stored on Windows ("C:\Data\Bank.Syx") travel inside library files; a leading drive
// ("C:") counts as a folder too. The rest speaks this system's paths, whose bytes are passed to
// the system as they stand.
//
// The program never changes its working folder: every path it opens is absolute or built on
// one of the folders below.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::core {

// What follows the last separator (or drive): "C:\Data\Bank.Syx" gives "Bank.Syx".
std::string ExtractFileName(std::string_view path);
// The folder part with its trailing separator: "C:\Data\Bank.Syx" gives "C:\Data\".
std::string ExtractFilePath(std::string_view path);
// The folder part without its trailing separator, unless that separator is the root's:
// "C:\Data\Bank.Syx" gives "C:\Data", "/Bank.Syx" gives "/" and "C:\Bank.Syx" gives "C:\".
std::string ExtractFileDir(std::string_view path);
// The extension with its dot, from the last '.' of the file name: "Bank.v2.Syx" gives ".Syx";
// empty when the file name has no dot.
std::string ExtractFileExt(std::string_view path);
// path with its extension replaced by ext (which carries its dot), or ext appended when there
// is none: ("Bank.Syx", ".Lib") gives "Bank.Lib"; ext empty removes the extension.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// path ending in a separator: '/' is added unless it already ends in '/' or '\'. An empty path
// gives "/", so check a folder that may be unknown before building on it.
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Absolute on this system: begins with '/'. A Windows name such as "C:\Data" is not.
bool IsAbsolutePath(std::string_view path);

// An existing file that is not a folder.
bool FileExists(const std::string& path);
// The size of an ordinary file, links followed; -1 for none and for a folder, device or pipe,
// which a caller about to read a file of a known size must not open.
std::int64_t RegularFileSize(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and every missing folder above it. True when the folder exists afterwards.
bool ForceDirectories(const std::string& path);

// The user's folders that stand in for the platform's special folders, without a trailing
// separator; empty when the user's home folder cannot be found. Each can be pinned by an
// environment variable (tests, several installations side by side):
//   Documents     QUINTARON_DOCUMENTS_DIR, else the answer of "xdg-user-dir DOCUMENTS" when
//                 that program exists and names a folder other than the home folder (its answer
//                 when no documents folder is set up), else ~/Documents.
//   AppData       QUINTARON_APPDATA_DIR, else $XDG_DATA_HOME, else ~/.local/share.
//   LocalAppData  QUINTARON_LOCALAPPDATA_DIR, else $XDG_STATE_HOME, else ~/.local/state: data
//                 that stays on this machine, as the platform's local application data does.
// XDG variables holding a relative path are ignored, as the XDG rules require.
enum class SpecialFolder { Documents, AppData, LocalAppData };
std::string GetSpecialFolderPath(SpecialFolder folder);

// A user folder as the XDG user-dirs file names it: the line XDG_<Name>_DIR="..." of
// $XDG_CONFIG_HOME/user-dirs.dirs (else ~/.config/user-dirs.dirs), Name being DESKTOP,
// DOCUMENTS, DOWNLOAD, MUSIC, PICTURES, PUBLICSHARE, TEMPLATES or VIDEOS. As xdg-user-dir reads
// it: a value is "$HOME/..." or an absolute path (others are ignored), the last line for a name
// wins, and a name the file does not set gives ~/Desktop for DESKTOP and the home folder for
// every other name. The home folder itself is how the file says a folder is not set up. No
// trailing separator; empty when the home folder cannot be found.
std::string GetXdgUserDir(std::string_view Name);

// The user's home folder without a trailing separator: $HOME, else the user's entry in the
// password database; empty when neither tells.
std::string GetHomeFolder();

// The folder of the running program's executable, without a trailing separator ("/" for the
// root); empty when the system will not tell.
std::string ProgramFolder();

// The process's current folder, against which relative names are looked up; empty when the
// system will not tell.
std::string GetCurrentDir();
// Makes Dir the current folder; false, with the current folder unchanged, when it cannot be.
bool SetCurrentDir(const std::string& Dir);

} // namespace platform::core
