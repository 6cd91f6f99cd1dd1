#pragma once
// The shell's namespace as the shell-aware editors see it, over this system's file names: an
// item-id list names a folder item by item from the namespace's root, the desktop; each item is
// one file-name component below the file system's root, so that the list of "home", "user",
// "Documents" is /home/user/Documents. The empty list is the desktop itself, whose path is the
// user's desktop folder. At start-up the table of the 35 special folders is filled from the
// user's XDG folders (platform/core/folders.h); nothing of the program reads it, it stands
// ready for editors that will.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace toolkit::edit {

// An owned item-id list: items of a 16-bit byte count (the count included) and the item's name,
// ended by a count of 0.
using TItemIDList = std::vector<std::uint8_t>;
// An item inside a list, or a list; nullptr is "no list".
using PItemIDList = const std::uint8_t*;

// The list of the items of Path, an absolute file name ("/" gives one empty list, not the
// desktop); an empty list for a Path that is not absolute.
TItemIDList PathToPidl(const std::string& Path);

// 0 for no list; the number of items when fewer than 261, else -1.
int GetItemCount(PItemIDList Pidl);
// nullptr at the end of the list (an item whose count is 0), else the item after Item.
PItemIDList GetNextItem(PItemIDList Item);
// The last item; the list itself when it is empty or none.
PItemIDList GetLastItem(PItemIDList Pidl);
// The file name the list stands for; empty for no list.
std::string GetPidlPath(PItemIDList Pidl);
// With UsePath, the list's path when it has one. Otherwise the normal display name of the last
// item (the desktop's for the empty list); with UsePath and no path, the in-folder names of
// every item separated by "\".
std::string GetPidlDisplayName(PItemIDList Pidl, bool UsePath);

// The platform's special-folder numbers that this system has a folder for; every other number
// of 0..34 is unknown here.
enum : int {
    CSIDL_DESKTOP = 0,
    CSIDL_PROGRAMS = 2,
    CSIDL_PERSONAL = 5,
    CSIDL_MYDOCUMENTS = 12,
    CSIDL_MYMUSIC = 13,
    CSIDL_MYVIDEO = 14,
    CSIDL_DESKTOPDIRECTORY = 16,
    CSIDL_FONTS = 20,
    CSIDL_TEMPLATES = 21,
    CSIDL_COMMON_PROGRAMS = 23,
    CSIDL_APPDATA = 26,
    CSIDL_LOCAL_APPDATA = 28,
};

// The list of special folder CSIDL, false when the number is unknown or its folder does not
// exist (the desktop exists whenever the home folder is known). The user folders are the XDG
// ones: desktop, documents, music, videos, templates, with a folder that the user-dirs file
// leaves at the home folder not set up; the application data is the platform's AppData and
// LocalAppData; programs are the desktop entries' folders, the user's and the system's; fonts
// the user's font folder.
bool SHGetSpecialFolderLocation(int CSIDL, TItemIDList& Pidl);

inline constexpr std::uint32_t SFGAO_FOLDER = 0x20000000;
inline constexpr std::uint32_t SFGAO_HIDDEN = 0x00080000;

struct TcxShellSpecialFolderInfo {
    // Only SFGAO_FOLDER and SFGAO_HIDDEN (a name beginning with a dot) are kept.
    std::uint32_t Attributes = 0;
    TItemIDList Pidl;
    std::string DisplayName;
    // Upper-cased as the regional settings do for 8-bit text: ASCII letters only.
    std::string UpperPath;
    std::string UpperDisplayName;
};

inline constexpr int cxShellSpecialFolderCount = 35;
using TcxShellSpecialFolderInfoTable =
    std::array<TcxShellSpecialFolderInfo, cxShellSpecialFolderCount>;

// The table by special-folder number; all entries empty before the start step and after the
// last end step. An unknown number leaves an all-empty entry.
const TcxShellSpecialFolderInfoTable& cxShellSpecialFolderInfoTable();

// The first call fills the table from the folders as they are then; each call is matched by one
// FinalizeShellSpecialFolders, and the last of them empties it.
void InitializeShellSpecialFolders();
void FinalizeShellSpecialFolders();

} // namespace toolkit::edit
