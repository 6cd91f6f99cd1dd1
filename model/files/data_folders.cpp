#include "model/files/data_folders.h"

#include "model/elements/lib_elem.h"
#include "platform/core/folders.h"

namespace model {

namespace pc = platform::core;

namespace {

std::string SubFolder(pc::SpecialFolder folder, const char* name) {
    const std::string base = pc::GetSpecialFolderPath(folder);
    if (base.empty()) return {};
    return pc::IncludeTrailingPathDelimiter(base) + name;
}

} // namespace

std::string GetDefaultDataFolder() {
    std::string folder = SubFolder(pc::SpecialFolder::Documents, "Quintaron");
    if (!folder.empty() && !pc::DirectoryExists(folder)) pc::ForceDirectories(folder);
    return folder;
}

std::string AppDataFolder() {
    return SubFolder(pc::SpecialFolder::AppData, "Ardevanti");
}

std::string LocalAppDataFolder() {
    return SubFolder(pc::SpecialFolder::LocalAppData, "Ardevanti");
}

std::string DocumentsFolder() {
    return SubFolder(pc::SpecialFolder::Documents, "Ardevanti");
}

void CreateDataFolders() {
    for (const std::string& folder : {AppDataFolder(), LocalAppDataFolder(), DocumentsFolder()})
        if (!folder.empty() && !pc::DirectoryExists(folder)) pc::ForceDirectories(folder);
}

std::string ProgramDir() {
    return pc::ProgramFolder();
}

std::string NameFromFileName(std::string_view fileName) {
    std::string name = pc::ExtractFileName(fileName);
    if (const std::size_t dot = name.find('.'); dot != std::string::npos) name.resize(dot);
    if (name.size() > ElemNameLength) name.resize(ElemNameLength);
    return name;
}

std::string DialogFolder(std::string_view fileName) {
    const std::string folder = pc::ExtractFileDir(fileName);
    if (!folder.empty() && pc::IsAbsolutePath(folder) && pc::DirectoryExists(folder)) return folder;
    return GetDefaultDataFolder();
}

bool CanSaveDirectly(std::string_view fileName) {
    if (!pc::IsAbsolutePath(fileName) || pc::ExtractFileName(fileName).empty()) return false;
    return pc::DirectoryExists(pc::ExtractFileDir(fileName));
}

std::string StoredFileName(std::string_view fileName) {
    if (fileName.size() <= ElemFileNameLength) return std::string(fileName);
    return pc::ExtractFileName(fileName);
}

} // namespace model
