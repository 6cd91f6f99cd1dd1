#pragma once
// The common dialogs for choosing a file to open or to save, shown by Qt's own file dialog and
// modal to the application. Names are 8-bit (Windows-1252). Patterns and the proposed name show
// as they are given and match names in either case, as the platform's file system does. UI thread
// only.

#include "platform/win/messages.h"

#include <string>
#include <vector>

namespace platform::win {

// The one flag the dialogs look at; without it a save dialog asks nothing about an existing
// file.
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;

struct OPENFILENAME {
    // Pairs of a description and its patterns (separated by ';'), all separated by NULs:
    // "Banks\0*.syx;*.mid\0All files\0*.*".
    std::string lpstrFilter;
    // In: the pair shown first, 1-based. Out: the pair in force when the user closed the dialog.
    DWORD nFilterIndex = 1;
    // In: the name proposed, with or without a folder. Out: the name chosen, with its folder.
    std::string lpstrFile;
    // Where the dialog starts (the proposed name's own folder when empty).
    std::string lpstrInitialDir;
    std::string lpstrTitle;
    DWORD Flags = 0;
};

// The patterns of pair number Index (1-based) of Filter (as lpstrFilter), each trimmed; none past
// the last pair.
std::vector<std::string> FilterPatterns(const std::string& Filter, int Index);

// FALSE when the user cancels; lpstrFile is then as it was.
BOOL GetOpenFileName(OPENFILENAME* ofn);
BOOL GetSaveFileName(OPENFILENAME* ofn);

} // namespace platform::win
