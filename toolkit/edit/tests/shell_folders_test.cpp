#include "toolkit/edit/shell_folders.h"

#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <vector>

namespace toolkit::edit {
namespace {

using platform::core::ForceDirectories;

// A home folder of the test's own with an XDG user-dirs file that renames the desktop and the
// documents; music is left at the home folder (not set up), the videos folder is named but not
// made. The XDG base variables are cleared so that the home folder decides everything.
class ShellFolders : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Home.Path().empty());
        Set("HOME", Home.Path());
        for (const char* Name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME",
                                 "QUINTARON_APPDATA_DIR", "QUINTARON_LOCALAPPDATA_DIR"})
            Set(Name, std::nullopt);
        ASSERT_TRUE(ForceDirectories(Home.PathOf(".config")));
        std::ofstream(Home.PathOf(".config/user-dirs.dirs"))
            << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
               "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
               "XDG_MUSIC_DIR=\"$HOME/\"\n"
               "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n"
               "XDG_TEMPLATES_DIR=\"$HOME/.vorlagen\"\n";
        for (const char* Folder : {"Schreibtisch", "Dokumente", ".vorlagen", ".local/share"})
            ASSERT_TRUE(ForceDirectories(Home.PathOf(Folder)));
        ASSERT_TRUE(cxShellSpecialFolderInfoTable()[CSIDL_DESKTOP].DisplayName.empty())
            << "the table was filled before the test";
    }

    void Set(const std::string& Name, const std::optional<std::string>& Value) {
        Overrides.push_back(std::make_unique<testsupport::EnvironmentOverride>(Name, Value));
    }

    testsupport::TempFolder Home{"shell_folders_"};

private:
    std::vector<std::unique_ptr<testsupport::EnvironmentOverride>> Overrides;
};

struct FolderCase {
    int CSIDL;
    const char* Path; // below the home folder; nullptr for an all-empty entry
    const char* DisplayName;
    std::uint32_t Attributes;
};

TEST_F(ShellFolders, TheTableHoldsTheUsersXdgFoldersAndEmptyEntriesForTheRest) {
    InitializeShellSpecialFolders();
    InitializeShellSpecialFolders();
    const auto& Table = cxShellSpecialFolderInfoTable();
    const FolderCase Cases[] = {
        // The desktop is the namespace's root: the empty list, named as its folder is.
        {CSIDL_DESKTOP, "/Schreibtisch", "Schreibtisch", SFGAO_FOLDER},
        {CSIDL_DESKTOPDIRECTORY, "/Schreibtisch", "Schreibtisch", SFGAO_FOLDER},
        {CSIDL_PERSONAL, "/Dokumente", "Dokumente", SFGAO_FOLDER},
        {CSIDL_MYDOCUMENTS, "/Dokumente", "Dokumente", SFGAO_FOLDER},
        {CSIDL_TEMPLATES, "/.vorlagen", ".vorlagen", SFGAO_FOLDER | SFGAO_HIDDEN},
        {CSIDL_APPDATA, "/.local/share", "share", SFGAO_FOLDER},
        {CSIDL_MYMUSIC, nullptr, "", 0},       // left at the home folder
        {CSIDL_MYVIDEO, nullptr, "", 0},       // named but missing
        {CSIDL_LOCAL_APPDATA, nullptr, "", 0}, // missing
        {CSIDL_PROGRAMS, nullptr, "", 0},      // missing
        {1, nullptr, "", 0},                   // a number this system has no folder for
        {15, nullptr, "", 0},                  // a number the platform leaves unused
        {cxShellSpecialFolderCount - 1, nullptr, "", 0},
    };
    for (const FolderCase& C : Cases) {
        SCOPED_TRACE(C.CSIDL);
        const TcxShellSpecialFolderInfo& Info = Table[static_cast<std::size_t>(C.CSIDL)];
        const std::string Path = C.Path ? Home.Path() + C.Path : "";
        EXPECT_EQ(Info.UpperPath, platform::core::UpperCase(Path));
        EXPECT_EQ(Info.DisplayName, C.DisplayName);
        EXPECT_EQ(Info.UpperDisplayName, platform::core::UpperCase(C.DisplayName));
        EXPECT_EQ(Info.Attributes, C.Attributes);
        if (C.Path == nullptr) {
            EXPECT_TRUE(Info.Pidl.empty());
            continue;
        }
        ASSERT_FALSE(Info.Pidl.empty());
        EXPECT_EQ(GetPidlPath(Info.Pidl.data()), Path);
        EXPECT_EQ(GetPidlDisplayName(Info.Pidl.data(), true), Path);
    }
    EXPECT_EQ(GetItemCount(Table[CSIDL_DESKTOP].Pidl.data()), 0);

    FinalizeShellSpecialFolders();
    EXPECT_EQ(Table[CSIDL_PERSONAL].DisplayName, "Dokumente") << "one start is still open";
    FinalizeShellSpecialFolders();
    EXPECT_TRUE(Table[CSIDL_PERSONAL].DisplayName.empty());
    EXPECT_TRUE(Table[CSIDL_PERSONAL].Pidl.empty());
    EXPECT_TRUE(Table[CSIDL_DESKTOP].UpperPath.empty());
}

TEST(ItemIDLists, ItemsWalkTheFileNameFromTheRoot) {
    const TItemIDList Pidl = PathToPidl("/home/user//Dokumente/");
    EXPECT_EQ(GetItemCount(Pidl.data()), 3);
    EXPECT_EQ(GetPidlPath(Pidl.data()), "/home/user/Dokumente");
    EXPECT_EQ(GetPidlDisplayName(Pidl.data(), false), "Dokumente");

    PItemIDList Item = Pidl.data();
    EXPECT_EQ(Item[0], 2 + 4) << "the count includes itself";
    Item = GetNextItem(Item);
    EXPECT_EQ(GetNextItem(GetNextItem(Item)), Pidl.data() + Pidl.size() - 2) << "the end";
    EXPECT_EQ(GetNextItem(Pidl.data() + Pidl.size() - 2), nullptr);
    EXPECT_EQ(GetLastItem(Pidl.data()), GetNextItem(Item));

    const TItemIDList Empty = PathToPidl("relative/name");
    EXPECT_EQ(GetItemCount(Empty.data()), 0);
    EXPECT_EQ(GetLastItem(Empty.data()), Empty.data());
}

TEST(ItemIDLists, NoListAndTooLongAList) {
    EXPECT_EQ(GetItemCount(nullptr), 0);
    EXPECT_EQ(GetPidlPath(nullptr), "");
    EXPECT_EQ(GetPidlDisplayName(nullptr, true), "");
    EXPECT_EQ(GetLastItem(nullptr), nullptr);
    EXPECT_EQ(GetNextItem(nullptr), nullptr);

    std::string Path;
    for (int I = 0; I < 260; ++I)
        Path += "/d";
    EXPECT_EQ(GetItemCount(PathToPidl(Path).data()), 260);
    EXPECT_EQ(GetItemCount(PathToPidl(Path + "/d").data()), -1);
}

} // namespace
} // namespace toolkit::edit
