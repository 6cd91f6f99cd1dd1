#include "platform/core/folders.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::core {
namespace {

struct PathCase {
    const char* path;
    const char* name;
    const char* filePath;
    const char* dir;
    const char* ext;
};

const PathCase kPathCases[] = {
    {"C:\\Data\\Bank.Syx", "Bank.Syx", "C:\\Data\\", "C:\\Data", ".Syx"},
    {"/home/user/Bank.Syx", "Bank.Syx", "/home/user/", "/home/user", ".Syx"},
    {"C:\\Data/Mixed\\Piano.v2.Lib", "Piano.v2.Lib", "C:\\Data/Mixed\\", "C:\\Data/Mixed", ".Lib"},
    {"C:\\Bank.Syx", "Bank.Syx", "C:\\", "C:\\", ".Syx"},
    {"C:Bank.Syx", "Bank.Syx", "C:", "C:", ".Syx"},
    {"/Bank.Syx", "Bank.Syx", "/", "/", ".Syx"},
    {"Bank.Syx", "Bank.Syx", "", "", ".Syx"},
    {"Untitled", "Untitled", "", "", ""},
    {"C:\\My.Folder\\Readme", "Readme", "C:\\My.Folder\\", "C:\\My.Folder", ""},
    {"/home/user/", "", "/home/user/", "/home/user", ""},
    {"\\\\server\\Bank.Syx", "Bank.Syx", "\\\\server\\", "\\\\server", ".Syx"},
    {"\\\\Bank.Syx", "Bank.Syx", "\\\\", "\\\\", ".Syx"},
    {"Names.", "Names.", "", "", "."},
    {".Syx", ".Syx", "", "", ".Syx"},
    {"", "", "", "", ""},
};

TEST(Folders, SplitsWindowsAndLocalNames) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFilePath(c.path), c.filePath);
        EXPECT_EQ(ExtractFileDir(c.path), c.dir);
        EXPECT_EQ(ExtractFileExt(c.path), c.ext);
    }
}

TEST(Folders, ChangeFileExt) {
    struct Case {
        const char* path;
        const char* ext;
        const char* result;
    };
    const Case cases[] = {
        {"Bank.Syx", ".Lib", "Bank.Lib"},
        {"C:\\Data\\Bank.v2.Syx", ".Glb", "C:\\Data\\Bank.v2.Glb"},
        {"Untitled", ".Syx", "Untitled.Syx"},
        {"C:\\My.Folder\\Readme", ".Txt", "C:\\My.Folder\\Readme.Txt"},
        {"/data/Bank.Syx", "", "/data/Bank"},
        {"", ".Syx", ".Syx"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangeFileExt(c.path, c.ext), c.result) << c.path;
}

TEST(Folders, IncludeTrailingPathDelimiter) {
    EXPECT_EQ(IncludeTrailingPathDelimiter("/home/user"), "/home/user/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/home/user/"), "/home/user/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Data\\"), "C:\\Data\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
}

TEST(Folders, IsAbsolutePathOnThisSystem) {
    EXPECT_TRUE(IsAbsolutePath("/home/user/Bank.Syx"));
    EXPECT_TRUE(IsAbsolutePath("/"));
    EXPECT_FALSE(IsAbsolutePath("C:\\Data\\Bank.Syx"));
    EXPECT_FALSE(IsAbsolutePath("\\Data"));
    EXPECT_FALSE(IsAbsolutePath("Bank.Syx"));
    EXPECT_FALSE(IsAbsolutePath(""));
}

// A folder of the test's own, with "/" to name a file in it as the tests read best.
class TempFolder : public testsupport::TempFolder {
public:
    TempFolder() : testsupport::TempFolder("folders_") {}
    std::string operator/(const std::string& name) const { return PathOf(name); }
};

void Touch(const std::string& path, const std::string& content = "") {
    std::ofstream(path, std::ios::binary) << content;
}

TEST(Folders, FileAndDirectoryExist) {
    TempFolder tmp;
    ASSERT_FALSE(tmp.Path().empty());
    Touch(tmp / "Bank.Syx");
    EXPECT_TRUE(FileExists(tmp / "Bank.Syx"));
    EXPECT_FALSE(DirectoryExists(tmp / "Bank.Syx"));
    EXPECT_TRUE(DirectoryExists(tmp.Path()));
    EXPECT_FALSE(FileExists(tmp.Path()));
    EXPECT_FALSE(FileExists(tmp / "Missing.Syx"));
    EXPECT_FALSE(DirectoryExists(tmp / "Missing"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(Folders, RegularFileSizeOnlyOfOrdinaryFiles) {
    TempFolder tmp;
    ASSERT_FALSE(tmp.Path().empty());
    Touch(tmp / "Bank.Syx", "12345");
    ASSERT_EQ(::mkfifo((tmp / "Pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink((tmp / "Bank.Syx").c_str(), (tmp / "Link.Syx").c_str()), 0);
    EXPECT_EQ(RegularFileSize(tmp / "Bank.Syx"), 5);
    EXPECT_EQ(RegularFileSize(tmp / "Link.Syx"), 5);
    EXPECT_EQ(RegularFileSize(tmp / "Pipe"), -1);
    EXPECT_EQ(RegularFileSize(tmp.Path()), -1);
    EXPECT_EQ(RegularFileSize(tmp / "Missing.Syx"), -1);
    EXPECT_EQ(RegularFileSize("/dev/null"), -1);
}

TEST(Folders, ForceDirectoriesCreatesEveryLevel) {
    TempFolder tmp;
    ASSERT_FALSE(tmp.Path().empty());
    const std::string deep = tmp / "Quintaron/Banks/Random";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep)) << "an existing folder is fine";
    EXPECT_TRUE(ForceDirectories(deep + "/"));
}

TEST(Folders, ForceDirectoriesFails) {
    TempFolder tmp;
    ASSERT_FALSE(tmp.Path().empty());
    Touch(tmp / "Bank.Syx");
    EXPECT_FALSE(ForceDirectories(tmp / "Bank.Syx"));
    EXPECT_FALSE(ForceDirectories(tmp / "Bank.Syx/Sub"));
    EXPECT_FALSE(ForceDirectories(""));
}

// Sets or clears environment variables for its lifetime and then puts back what was there; in
// reverse order, so that a variable changed twice ends up as it was before the first change.
class EnvGuard {
public:
    EnvGuard() = default;
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard() {
        while (!overrides_.empty())
            overrides_.pop_back();
    }

    void Set(const std::string& name, const std::string& value) {
        overrides_.push_back(std::make_unique<testsupport::EnvironmentOverride>(name, value));
    }
    void Clear(const std::string& name) {
        overrides_.push_back(
            std::make_unique<testsupport::EnvironmentOverride>(name, std::nullopt));
    }

private:
    std::vector<std::unique_ptr<testsupport::EnvironmentOverride>> overrides_;
};

// A home folder of its own, no override and no XDG variables: each test adds what it needs.
class SpecialFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(home_.Path().empty());
        env_.Set("HOME", home_.Path());
        for (const char* name :
             {"QUINTARON_DOCUMENTS_DIR", "QUINTARON_APPDATA_DIR", "QUINTARON_LOCALAPPDATA_DIR",
              "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"})
            env_.Clear(name);
        // Only the programs the test provides can be found.
        ASSERT_TRUE(ForceDirectories(home_ / "bin"));
        env_.Set("PATH", home_ / "bin");
    }

    // An xdg-user-dir stand-in that prints output and exits with status.
    void FakeXdgUserDir(const std::string& output, int status = 0) {
        const std::string script = home_ / "bin/xdg-user-dir";
        Touch(script, "#!/bin/sh\n[ \"$1\" = DOCUMENTS ] || exit 2\nprintf '%s\\n' '" + output +
                          "'\nexit " + std::to_string(status) + "\n");
        ::chmod(script.c_str(), 0755);
    }

    TempFolder home_;
    EnvGuard env_;
};

TEST_F(SpecialFolders, OverridesWin) {
    env_.Set("QUINTARON_DOCUMENTS_DIR", "/tmp/pinned/docs");
    env_.Set("QUINTARON_APPDATA_DIR", "/tmp/pinned/appdata/");
    env_.Set("QUINTARON_LOCALAPPDATA_DIR", "/tmp/pinned/local");
    env_.Set("XDG_DATA_HOME", "/elsewhere/data");
    FakeXdgUserDir("/elsewhere/docs");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::Documents), "/tmp/pinned/docs");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::AppData), "/tmp/pinned/appdata");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::LocalAppData), "/tmp/pinned/local");
}

TEST_F(SpecialFolders, EmptyOverrideIsNoOverride) {
    env_.Set("QUINTARON_APPDATA_DIR", "");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::AppData), home_ / ".local/share");
}

TEST_F(SpecialFolders, XdgBaseFolders) {
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::AppData), home_ / ".local/share");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::LocalAppData), home_ / ".local/state");

    env_.Set("XDG_DATA_HOME", "/xdg/data/");
    env_.Set("XDG_STATE_HOME", "/xdg/state");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::AppData), "/xdg/data");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::LocalAppData), "/xdg/state");

    env_.Set("XDG_DATA_HOME", "relative/data");
    env_.Set("XDG_STATE_HOME", "");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::AppData), home_ / ".local/share");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::LocalAppData), home_ / ".local/state");
}

TEST_F(SpecialFolders, DocumentsFromXdgUserDir) {
    FakeXdgUserDir(home_ / "Dokumente");
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::Documents), home_ / "Dokumente");
}

TEST_F(SpecialFolders, DocumentsFallBackToHomeDocuments) {
    const std::string fallback = home_ / "Documents";
    // Not installed.
    EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::Documents), fallback);

    struct Answer {
        std::string output;
        int status;
    };
    const Answer answers[] = {
        {home_.Path(), 0},       // its answer when no documents folder is set up
        {home_.Path() + "/", 0}, //
        {"/elsewhere/docs", 1},  // failed
        {"", 0},                 // said nothing
        {"relative/docs", 0},    // not a folder name
    };
    for (const Answer& a : answers) {
        FakeXdgUserDir(a.output, a.status);
        EXPECT_EQ(GetSpecialFolderPath(SpecialFolder::Documents), fallback) << a.output;
    }
}

TEST_F(SpecialFolders, WithoutHomeTheUsersEntryIsUsed) {
    env_.Clear("HOME");
    const std::string appData = GetSpecialFolderPath(SpecialFolder::AppData);
    EXPECT_TRUE(IsAbsolutePath(appData)) << appData;
    EXPECT_TRUE(appData.ends_with("/.local/share")) << appData;
}

TEST_F(SpecialFolders, XdgUserDirsFromTheUserDirsFile) {
    ASSERT_TRUE(ForceDirectories(home_ / ".config"));
    Touch(home_ / ".config/user-dirs.dirs", "# written by the user-dirs tool\n"
                                            "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                            "  XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n"
                                            "XDG_MUSIC_DIR=\"/srv/music\"\n"
                                            "XDG_MUSIC_DIR=\"/srv/music 2\"\n"
                                            "XDG_VIDEOS_DIR=\"$HOME\"\n"
                                            "XDG_PICTURES_DIR=\"relative/pictures\"\n"
                                            "XDG_TEMPLATES_DIR=\"$HOME/With \\\"quote\\\"\"\n"
                                            "XDG_DOWNLOAD_DIR=\"$HOME/unclosed\n"
                                            "#XDG_PUBLICSHARE_DIR=\"$HOME/Public\"\n");
    struct Case {
        const char* Name;
        std::string Folder;
    };
    const Case cases[] = {
        {"DESKTOP", home_ / "Schreibtisch"},
        {"DOCUMENTS", home_ / "Dokumente"},
        {"MUSIC", "/srv/music 2"},  // the last line wins
        {"VIDEOS", home_.Path()},   // not set up
        {"PICTURES", home_.Path()}, // a relative value is ignored
        {"TEMPLATES", home_ / "With \"quote\""},
        {"DOWNLOAD", home_.Path()},    // a value without its closing quote is ignored
        {"PUBLICSHARE", home_.Path()}, // a comment
        {"UNKNOWN", home_.Path()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetXdgUserDir(c.Name), c.Folder) << c.Name;

    // The file lies in $XDG_CONFIG_HOME when that is set.
    ASSERT_TRUE(ForceDirectories(home_ / "config"));
    Touch(home_ / "config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    env_.Set("XDG_CONFIG_HOME", home_ / "config");
    EXPECT_EQ(GetXdgUserDir("DOCUMENTS"), home_ / "Docs");
    EXPECT_EQ(GetXdgUserDir("DESKTOP"), home_ / "Desktop") << "the desktop's own default";
}

TEST(Folders, ProgramFolderHoldsTheRunningProgram) {
    const std::string folder = ProgramFolder();
    EXPECT_TRUE(IsAbsolutePath(folder)) << folder;
    EXPECT_FALSE(folder.size() > 1 && folder.ends_with('/')) << folder;
    EXPECT_TRUE(FileExists(IncludeTrailingPathDelimiter(folder) + "platform_core_tests")) << folder;
}

} // namespace
} // namespace platform::core
