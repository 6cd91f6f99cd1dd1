#pragma once
// The program's data folders and the file-name rules of element and library files. File names
// are kept with their folder; names that came from Windows ("C:\Data\Bank.Syx") are kept too,
// but never written to without asking.

#include <string>
#include <string_view>

namespace model {

// The user's documents folder followed by "/Quintaron", created when missing; empty when the
// documents folder is unknown.
std::string GetDefaultDataFolder();

// The user's application-data, local application-data and documents folders followed by
// "/Ardevanti"; empty when the platform folder is unknown.
std::string AppDataFolder();
std::string LocalAppDataFolder();
std::string DocumentsFolder();
// Creates the three folders above when missing (start-up).
void CreateDataFolders();

// The program's folder, without a trailing separator.
std::string ProgramDir();

// An element's name after its file: the name without folder, cut at its first '.' and to 12
// characters ("C:\Banks\Strings.syx" gives "Strings").
std::string NameFromFileName(std::string_view fileName);
// Where a file dialog for fileName starts: its folder when that exists here, else the default
// data folder.
std::string DialogFolder(std::string_view fileName);
// fileName may be written without a dialog: an absolute path of this system whose folder exists.
bool CanSaveDirectly(std::string_view fileName);
// fileName as a file's 79-byte field holds it: a longer path is written as its base name only.
std::string StoredFileName(std::string_view fileName);

} // namespace model
