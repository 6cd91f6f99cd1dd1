#include "toolkit/edit/shell_folders.h"

#include "platform/core/folders.h"
#include "platform/core/text.h"

#include <algorithm>

namespace toolkit::edit {

namespace {

int ReferenceCount = 0;

TcxShellSpecialFolderInfoTable& Table() {
    static TcxShellSpecialFolderInfoTable table;
    return table;
}

int ItemSize(PItemIDList Item) {
    return Item[0] | (Item[1] << 8);
}

std::string ItemName(PItemIDList Item) {
    return std::string(reinterpret_cast<const char*>(Item) + 2,
                       static_cast<std::size_t>(ItemSize(Item) - 2));
}

// The user folder Name of the XDG user-dirs file; empty when the file leaves it at the home
// folder, which is how a folder that is not set up reads there.
std::string UserFolder(const char* Name) {
    const std::string folder = platform::core::GetXdgUserDir(Name);
    return folder == platform::core::GetHomeFolder() ? "" : folder;
}

std::string Below(const std::string& Folder, const char* Name) {
    return Folder.empty() ? "" : Folder + Name;
}

// The folder that stands for CSIDL on this system; empty when it has none.
std::string SpecialFolderPath(int CSIDL) {
    using platform::core::GetSpecialFolderPath;
    using platform::core::SpecialFolder;
    switch (CSIDL) {
    case CSIDL_PROGRAMS:
        return Below(GetSpecialFolderPath(SpecialFolder::AppData), "/applications");
    case CSIDL_PERSONAL:
    case CSIDL_MYDOCUMENTS:
        return UserFolder("DOCUMENTS");
    case CSIDL_MYMUSIC:
        return UserFolder("MUSIC");
    case CSIDL_MYVIDEO:
        return UserFolder("VIDEOS");
    case CSIDL_DESKTOPDIRECTORY:
        return UserFolder("DESKTOP");
    case CSIDL_FONTS:
        return Below(GetSpecialFolderPath(SpecialFolder::AppData), "/fonts");
    case CSIDL_TEMPLATES:
        return UserFolder("TEMPLATES");
    case CSIDL_COMMON_PROGRAMS:
        return "/usr/share/applications";
    case CSIDL_APPDATA:
        return GetSpecialFolderPath(SpecialFolder::AppData);
    case CSIDL_LOCAL_APPDATA:
        return GetSpecialFolderPath(SpecialFolder::LocalAppData);
    default:
        return "";
    }
}

} // namespace

TItemIDList PathToPidl(const std::string& Path) {
    TItemIDList pidl;
    if (platform::core::IsAbsolutePath(Path)) {
        std::size_t start = 1;
        while (start <= Path.size()) {
            std::size_t end = Path.find('/', start);
            if (end == std::string::npos) end = Path.size();
            if (end > start) {
                // A name longer than a count can hold is no file name this system accepts.
                const std::size_t size = std::min<std::size_t>(end - start + 2, 0xFFFF);
                pidl.push_back(static_cast<std::uint8_t>(size & 0xFF));
                pidl.push_back(static_cast<std::uint8_t>(size >> 8));
                pidl.insert(pidl.end(), Path.begin() + static_cast<std::ptrdiff_t>(start),
                            Path.begin() + static_cast<std::ptrdiff_t>(start + size - 2));
            }
            start = end + 1;
        }
    }
    pidl.push_back(0);
    pidl.push_back(0);
    return pidl;
}

int GetItemCount(PItemIDList Pidl) {
    if (Pidl == nullptr) return 0;
    int count = 0;
    for (PItemIDList item = Pidl; ItemSize(item) != 0; item += ItemSize(item))
        if (++count > 260) return -1;
    return count;
}

PItemIDList GetNextItem(PItemIDList Item) {
    if (Item == nullptr || ItemSize(Item) == 0) return nullptr;
    return Item + ItemSize(Item);
}

PItemIDList GetLastItem(PItemIDList Pidl) {
    PItemIDList last = Pidl;
    for (PItemIDList item = Pidl; item != nullptr && ItemSize(item) != 0; item = GetNextItem(item))
        last = item;
    return last;
}

std::string GetPidlPath(PItemIDList Pidl) {
    if (Pidl == nullptr) return "";
    if (ItemSize(Pidl) == 0) return platform::core::GetXdgUserDir("DESKTOP");
    std::string path;
    for (PItemIDList item = Pidl; ItemSize(item) != 0; item = GetNextItem(item))
        path += "/" + ItemName(item);
    return path;
}

std::string GetPidlDisplayName(PItemIDList Pidl, bool UsePath) {
    if (Pidl == nullptr) return "";
    if (UsePath) {
        const std::string path = GetPidlPath(Pidl);
        if (!path.empty()) return path;
        std::string names;
        for (PItemIDList item = Pidl; ItemSize(item) != 0; item = GetNextItem(item))
            names += (names.empty() ? "" : "\\") + ItemName(item);
        return names;
    }
    if (ItemSize(Pidl) == 0)
        return platform::core::ExtractFileName(platform::core::GetXdgUserDir("DESKTOP"));
    return ItemName(GetLastItem(Pidl));
}

bool SHGetSpecialFolderLocation(int CSIDL, TItemIDList& Pidl) {
    Pidl.clear();
    if (CSIDL == CSIDL_DESKTOP) {
        if (platform::core::GetHomeFolder().empty()) return false;
        Pidl = {0, 0};
        return true;
    }
    const std::string path = SpecialFolderPath(CSIDL);
    if (path.empty() || !platform::core::DirectoryExists(path)) return false;
    Pidl = PathToPidl(path);
    return true;
}

const TcxShellSpecialFolderInfoTable& cxShellSpecialFolderInfoTable() {
    return Table();
}

void InitializeShellSpecialFolders() {
    if (ReferenceCount++ != 0) return;
    for (int number = 0; number < cxShellSpecialFolderCount; ++number) {
        TcxShellSpecialFolderInfo& info = Table()[static_cast<std::size_t>(number)];
        info = {};
        if (!SHGetSpecialFolderLocation(number, info.Pidl)) continue;
        info.DisplayName = GetPidlDisplayName(info.Pidl.data(), false);
        info.UpperDisplayName = platform::core::UpperCase(info.DisplayName);
        const std::string path = GetPidlPath(info.Pidl.data());
        info.UpperPath = platform::core::UpperCase(path);
        if (platform::core::DirectoryExists(path)) info.Attributes |= SFGAO_FOLDER;
        if (platform::core::ExtractFileName(path).starts_with('.')) info.Attributes |= SFGAO_HIDDEN;
    }
}

void FinalizeShellSpecialFolders() {
    if (ReferenceCount == 0) return;
    if (--ReferenceCount == 0) Table().fill({});
}

} // namespace toolkit::edit
