#include "platform/core/ini_file.h"

#include "platform/core/byte_file.h"
#include "platform/core/tests/folder_test.h"
#include "testsupport/temp_folder.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <stdlib.h>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace platform::core {
namespace {

namespace fs = std::filesystem;

using ScopedEnv = testsupport::EnvironmentOverride;

// Each test gets a settings folder of its own, so that tests can run side by side.
class IniFile : public test::FolderTest {
protected:
    IniFile() : FolderTest("quintaron-ini-") {}
    void SetUp() override {
        FolderTest::SetUp();
        if (HasFatalFailure()) return;
        env_.emplace("QUINTARON_CONFIG_DIR", dir_.c_str());
    }
    void TearDown() override {
        env_.reset();
        FolderTest::TearDown();
    }

    int FilesInFolder() const {
        return static_cast<int>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    std::optional<ScopedEnv> env_;
};

// A read from a file with the given bytes.
struct Lookup {
    std::string file;
    std::string section, ident, def;
    std::string expected;
};

// A write to a file with the bytes before, and the bytes it leaves.
struct Edit {
    std::string before;
    std::string section, ident, value;
    std::string after;
};

// Files edited by hand or written by other programs, read and written as the platform does.
class IniFileAsWritten : public IniFile {
protected:
    void ExpectReads(const std::vector<Lookup>& lookups) {
        const std::string path = PathOf("case.ini");
        for (const Lookup& l : lookups) {
            WriteBytes(path, l.file);
            EXPECT_EQ(TIniFile(path).ReadString(l.section, l.ident, l.def), l.expected)
                << testing::PrintToString(l.file) << " [" << l.section << "] " << l.ident;
        }
    }
    // Each write also reads back as written, and writing it again changes no byte.
    void ExpectWrites(const std::vector<Edit>& edits) {
        const std::string path = PathOf("case.ini");
        for (const Edit& e : edits) {
            const std::string what =
                testing::PrintToString(e.before) + " [" + e.section + "] " + e.ident;
            WriteBytes(path, e.before);
            TIniFile ini(path);
            ini.WriteString(e.section, e.ident, e.value);
            EXPECT_EQ(BytesOf(path), e.after) << what;
            EXPECT_EQ(ini.ReadString(e.section, e.ident, "?"), e.value) << what;
            ini.WriteString(e.section, e.ident, e.value);
            EXPECT_EQ(BytesOf(path), e.after) << what << " written twice";
        }
    }
};

TEST_F(IniFileAsWritten, CrAloneEndsALineAsCrLfAndLfDo) {
    ExpectReads({
        {"[Midi]\rDeviceID=5\r[Preview]\rNote=7\r", "Midi", "DeviceID", "?", "5"},
        {"[Midi]\rDeviceID=5\r[Preview]\rNote=7\r", "Preview", "Note", "?", "7"},
        {"[Midi]\rDeviceID=5\r[Preview]\rNote=7\r", "Midi", "Note", "?", "?"},
        {"[Midi]\r\nA=1\rB=2\nC=3", "Midi", "B", "?", "2"},
        {"[Midi]\r\nA=1\rB=2\nC=3", "Midi", "C", "?", "3"},
        {"[Midi]\r\r\nA=1\n\r", "Midi", "A", "?", "1"},
        {"[Midi]\rA=x\ry\r", "Midi", "A", "?", "x"}, // a CR inside a value ends it
    });
    ExpectWrites({
        {"[Midi]\rDeviceID=5\r[Preview]\rNote=7\r", "Midi", "DeviceID", "6",
         "[Midi]\rDeviceID=6\r[Preview]\rNote=7\r"},
        // New lines end as the first line does, here with a CR alone.
        {"[Midi]\rDeviceID=5\r\r[Preview]\r\nNote=7\r\n", "Midi", "Thrue", "1",
         "[Midi]\rDeviceID=5\rThrue=1\r\r[Preview]\r\nNote=7\r\n"},
        {"[Midi]\rDeviceID=5\r", "Preview", "Note", "7", "[Midi]\rDeviceID=5\r[Preview]\rNote=7\r"},
        {"[Midi]\r\nA=1\rB=2\nC=3\n", "Midi", "B", "4", "[Midi]\r\nA=1\rB=4\nC=3\n"},
    });
}

TEST_F(IniFileAsWritten, SectionNameEndsAtTheFirstClosingBracket) {
    ExpectReads({
        {"[Midi] ; the ports\r\nDeviceID=5\r\n", "Midi", "DeviceID", "?", "5"},
        {"[Midi]]\r\nDeviceID=5\r\n", "Midi", "DeviceID", "?", "5"},
        {"[Mi]di]\r\nDeviceID=5\r\n", "Mi", "DeviceID", "?", "5"},
        {"[Mi]di]\r\nDeviceID=5\r\n", "Mi]di", "DeviceID", "?", "?"},
        {"  [ Midi ]  \r\nDeviceID=5\r\n", "Midi", "DeviceID", "?", "5"},
        {"[]\r\nDeviceID=5\r\n", "", "DeviceID", "?", "5"},
    });
    ExpectWrites({
        {"[Midi] ; the ports\r\nDeviceID=5\r\n", "Midi", "DeviceID", "6",
         "[Midi] ; the ports\r\nDeviceID=6\r\n"},
        {"[Mi]di]\r\nDeviceID=5\r\n", "Mi", "Thrue", "1", "[Mi]di]\r\nDeviceID=5\r\nThrue=1\r\n"},
    });
}

// A header that lost its ']' (cut by hand) still opens its section, named by the rest of its
// line; the keys after it are that section's, not the one's before.
TEST_F(IniFileAsWritten, AHeaderWithoutItsClosingBracketOpensTheSection) {
    const std::string noBracket = "[Preview]\r\nNote=7\r\n[Midi\r\nDeviceID=5\r\n";
    ExpectReads({
        {noBracket, "Midi", "DeviceID", "?", "5"},
        {noBracket, "Preview", "DeviceID", "?", "?"},
        {noBracket, "Preview", "Note", "?", "7"},
        {"[Midi  \r\nDeviceID=5\r\n", "Midi", "DeviceID", "?", "5"},
        {"[Preview]\r\n[Midi=3\r\n", "Preview", "[Midi", "?", "?"},
        {"[Preview]\r\n[Midi=3\r\nA=1\r\n", "Midi=3", "A", "?", "1"},
    });
    ExpectWrites({
        {noBracket, "Midi", "DeviceID", "6", "[Preview]\r\nNote=7\r\n[Midi\r\nDeviceID=6\r\n"},
        {noBracket, "Midi", "Thrue", "1",
         "[Preview]\r\nNote=7\r\n[Midi\r\nDeviceID=5\r\nThrue=1\r\n"},
        {noBracket, "Preview", "DeviceID", "6",
         "[Preview]\r\nNote=7\r\nDeviceID=6\r\n[Midi\r\nDeviceID=5\r\n"},
    });
}

TEST_F(IniFileAsWritten, NamesLoseTheirSpacesAndDefaultsTheirTrailingSpaces) {
    const std::string file = "[Midi]\r\nDeviceID=5\r\n";
    ExpectReads({
        {file, " Midi ", "DeviceID", "?", "5"},
        {file, "Midi", "  DeviceID ", "?", "5"},
        {"[ Midi ]\r\n  DeviceID  =5\r\n", "Midi", "DeviceID", "?", "5"},
        {file, "Midi", "Thrue", "dflt  ", "dflt"},
        {file, "Midi", "Thrue", "  dflt", "  dflt"}, // only trailing spaces go
        {file, "Midi", "Thrue", "a b ", "a b"},
        {file, "Midi", "Thrue", "   ", ""},
        {file, "Midi", "Thrue", "dflt\t", "dflt\t"},
    });
    ExpectWrites({
        {"", "  Monitor ", " Open ", "1", "[Monitor]\r\nOpen=1\r\n"},
        {file, " Midi ", "  DeviceID ", "6", "[Midi]\r\nDeviceID=6\r\n"},
        {file, "Midi ", " Thrue ", "1", "[Midi]\r\nDeviceID=5\r\nThrue=1\r\n"},
    });
}

// A name in the file loses the spaces, tabs and vertical tabs around it; a name a caller passes
// loses only its spaces, and a tab in it is part of it.
TEST_F(IniFileAsWritten, NamesInTheFileLoseTheirBlanksAndCallersNamesOnlyTheirSpaces) {
    const std::string file = "[Midi]\r\nDeviceID=5\r\n";
    const std::string tabbed = "[\tMidi\t]\r\n\tDeviceID\t=7\r\n";
    ExpectReads({
        {file, "\tMidi", "DeviceID", "?", "?"},
        {file, "Midi", "DeviceID\t", "?", "?"},
        {file, " Midi ", "\tDeviceID", "?", "?"},
        {tabbed, "Midi", "DeviceID", "?", "7"},
        {tabbed, " Midi ", " DeviceID ", "?", "7"},
        {tabbed, "\tMidi\t", "\tDeviceID\t", "?", "?"},
        {"[A]\r\n\tk2\t=v2\r\n", "A", "k2", "?", "v2"},
        {"\t[B]\r\nk=1\r\n", "B", "k", "?", "1"},
        {"[\tx\t]\r\nk=1\r\n", "x", "k", "?", "1"},
        {"[\vx\v]\r\n\vk\v=1\r\n", "x", "k", "?", "1"},
        {"\t[Midi]\r\n\t; a comment=1\r\n", "Midi", "; a comment", "?", "?"},
    });
    ExpectWrites({
        {tabbed, "Midi", "DeviceID", "8", "[\tMidi\t]\r\n\tDeviceID\t=8\r\n"},
        {"\t[A]\r\n\tk2\t=v2\r\n", "A", "k2", "v3", "\t[A]\r\n\tk2\t=v3\r\n"},
    });
}

TEST_F(IniFileAsWritten, NewSectionFollowsTheLastLineDirectly) {
    ExpectWrites({
        {"", "Monitor", "Open", "1", "[Monitor]\r\nOpen=1\r\n"},
        {"[Midi]\r\nDeviceID=5\r\n", "Monitor", "Open", "1",
         "[Midi]\r\nDeviceID=5\r\n[Monitor]\r\nOpen=1\r\n"},
        {"[Midi]\r\nDeviceID=5\r\n\r\n", "Monitor", "Open", "1",
         "[Midi]\r\nDeviceID=5\r\n\r\n[Monitor]\r\nOpen=1\r\n"},
        {"[Midi]\nDeviceID=5\n; the end\n", "Monitor", "Open", "1",
         "[Midi]\nDeviceID=5\n; the end\n[Monitor]\nOpen=1\n"},
        {"[Midi]\nDeviceID=5\n  ", "Monitor", "Open", "1",
         "[Midi]\nDeviceID=5\n  \n[Monitor]\nOpen=1\n"},
    });
}

TEST_F(IniFileAsWritten, LastLineWithoutALineBreakGetsOneWhenWrittenOrFollowed) {
    ExpectWrites({
        // The key on the last line rewritten.
        {"[Midi]\r\nDeviceID=5", "Midi", "DeviceID", "6", "[Midi]\r\nDeviceID=6\r\n"},
        {"[Midi]\nDeviceID=5  ", "Midi", "DeviceID", "6", "[Midi]\nDeviceID=6\n"},
        {"[Midi]\rDeviceID=5", "Midi", "DeviceID", "6", "[Midi]\rDeviceID=6\r"},
        {"[Midi]\r\nDeviceID = \"5\"", "Midi", "DeviceID", " 6", "[Midi]\r\nDeviceID = \" 6\"\r\n"},
        // A key added after it.
        {"[Midi]\r\nDeviceID=5", "Midi", "Thrue", "1", "[Midi]\r\nDeviceID=5\r\nThrue=1\r\n"},
        {"[Midi]\nDeviceID=5\n; the end", "Midi", "Thrue", "1",
         "[Midi]\nDeviceID=5\n; the end\nThrue=1\n"},
        {"[Midi]", "Midi", "Thrue", "1", "[Midi]\r\nThrue=1\r\n"},
        // A new section after it.
        {"[Midi]\nDeviceID=5", "Monitor", "Open", "1", "[Midi]\nDeviceID=5\n[Monitor]\nOpen=1\n"},
        // A key elsewhere leaves it as it is.
        {"[Preview]\r\nNote=7\r\n[Midi]\r\nDeviceID=5", "Preview", "Note", "8",
         "[Preview]\r\nNote=8\r\n[Midi]\r\nDeviceID=5"},
    });
}

// Settings as the program wrote them on Windows, edited by hand and shared with another tool.
const std::string kFixture = "; Quintaron settings\r\n"
                             "[Midi]\r\n"
                             "DeviceID=17\r\n"
                             "Thrue=0\r\n"
                             "\r\n"
                             "[MidiPort]\r\n"
                             "In=1\r\n"
                             "Out=2\r\n"
                             "\r\n"
                             "; the card slot of the instrument\r\n"
                             "[Data Card]\r\n"
                             "Installed=1\r\n"
                             "\r\n"
                             "[Desktop]\r\n"
                             "Num Library=3\r\n"
                             "Library1=C:\\Program Files\\Quintaron\\Factory.Lib\r\n"
                             "Library2=\r\n"
                             "Library3=D:\\Sons\\P\xE9"
                             "dales.Lib\r\n"
                             "\r\n"
                             "[Preview]\r\n"
                             ";Note=5\r\n"
                             "Single Note = 0\r\n"
                             "Note=$1F\r\n"
                             "Velocity=  0x40  \r\n"
                             "Midifile=\"C:\\Music\\Preview Song.mid\"\r\n"
                             "Note=7\r\n"
                             "\r\n"
                             "[Expansion]\r\n"
                             "ExpA=12abc\r\n"
                             "ExpB=\r\n"
                             "ExpC=-\r\n"
                             "ExpD=3 ; was 2\r\n"
                             "PCMCard=99999999999\r\n"
                             "just a line\r\n"
                             "\r\n"
                             "[Foreign Tool]\r\n"
                             "Window State=maximised\r\n"
                             "Last Path=C:\\Temp\r\n"
                             "\r\n"
                             "[Midi]\r\n"
                             "Extra=1\r\n";

TEST_F(IniFile, WindowsFixtureReadsRight) {
    WriteBytes(PathOf("Quintaron95.ini"), kFixture);
    const TIniFile ini("Quintaron95.ini");
    EXPECT_EQ(ini.Path(), PathOf("Quintaron95.ini"));

    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 16), 17);
    EXPECT_EQ(ini.ReadInteger("MIDIPORT", "out", 0), 2);
    EXPECT_EQ(ini.ReadInteger("data card", "INSTALLED", 0), 1);
    EXPECT_TRUE(ini.ReadBool("Data Card", "Installed", false));
    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", 0), 3);
    EXPECT_EQ(ini.ReadString("Desktop", "Library1", "?"),
              "C:\\Program Files\\Quintaron\\Factory.Lib");
    EXPECT_EQ(ini.ReadString("Desktop", "Library2", "?"), "");
    EXPECT_EQ(ini.ReadString("Desktop", "Library3", "?"), "D:\\Sons\\P\xE9"
                                                          "dales.Lib");
    EXPECT_EQ(ini.ReadInteger("Preview", "Single Note", 1), 0);
    EXPECT_FALSE(ini.ReadBool("Preview", "Single Note", true));
    EXPECT_EQ(ini.ReadInteger("Preview", "Note", 40), 31); // the first of two, not the comment
    EXPECT_EQ(ini.ReadInteger("Preview", "Velocity", 70), 64);
    EXPECT_EQ(ini.ReadString("Preview", "Midifile", "Noname.Mid"), "C:\\Music\\Preview Song.mid");
    EXPECT_EQ(ini.ReadString("Foreign Tool", "window state", ""), "maximised");

    // Junk values give the default.
    for (const char* key : {"ExpA", "ExpB", "ExpC", "ExpD", "PCMCard", "just a line"})
        EXPECT_EQ(ini.ReadInteger("Expansion", key, -2), -2) << key;
    // Missing keys and sections give the default; a key of another section is not seen, nor one
    // of a second section of the same name.
    EXPECT_EQ(ini.ReadString("Preview", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("Monitor", "Open", 0), 0);
    EXPECT_EQ(ini.ReadInteger("Midi", "Installed", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Midi", "Extra", 0), 0);
    EXPECT_EQ(ini.ReadString("", "Quintaron settings", "x"), "x");
}

TEST_F(IniFile, WritesChangeOnlyTheirOwnLines) {
    const std::string path = PathOf("Quintaron95.ini");
    WriteBytes(path, kFixture);
    TIniFile ini("Quintaron95.ini");
    ini.WriteInteger("desktop", "NUM LIBRARY", 0);   // existing key, other case
    ini.WriteString("Preview", "Velocity", "100");   // blanks before the value are kept
    ini.WriteBool("Data Card", "Second Slot", true); // new key at the end of its section
    ini.WriteInteger("Monitor", "Open", 1);          // new section
    ini.WriteString("Foreign Tool", "Window State", "normal \xE9");

    std::string expected = kFixture;
    const auto replace = [&](const std::string& from, const std::string& to) {
        const std::size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    replace("Num Library=3\r\n", "Num Library=0\r\n");
    replace("Velocity=  0x40  \r\n", "Velocity=  100\r\n");
    replace("Installed=1\r\n", "Installed=1\r\nSecond Slot=1\r\n");
    replace("Window State=maximised\r\n", "Window State=normal \xE9\r\n");
    expected += "[Monitor]\r\nOpen=1\r\n"; // right after the last line
    EXPECT_EQ(BytesOf(path), expected);
    EXPECT_EQ(FilesInFolder(), 1); // no temporary file left behind

    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", 3), 0);
    EXPECT_EQ(ini.ReadInteger("Preview", "Velocity", 70), 100);
    EXPECT_TRUE(ini.ReadBool("Data Card", "Second Slot", false));
    EXPECT_EQ(ini.ReadInteger("Monitor", "Open", 0), 1);
}

TEST_F(IniFile, NewFileIsCreatedWithItsFolderAndCrLfLines) {
    const fs::path folder = dir_ / "not" / "yet";
    ScopedEnv env("QUINTARON_CONFIG_DIR", folder.c_str());
    EXPECT_EQ(SettingsFolder(), folder.string());

    TIniFile ini("Quintaron95.ini");
    EXPECT_EQ(ini.FileName(), "Quintaron95.ini");
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 16), 16);
    EXPECT_FALSE(fs::exists(folder));
    ini.WriteInteger("Midi", "DeviceID", 17);
    ini.WriteInteger("Midi", "Thrue", -1);
    ini.WriteBool("Preview", "Single Note", false);
    EXPECT_EQ(BytesOf((folder / "Quintaron95.ini").string()),
              "[Midi]\r\nDeviceID=17\r\nThrue=-1\r\n[Preview]\r\nSingle Note=0\r\n");
}

TEST_F(IniFile, NewLinesFollowTheFileLineEndings) {
    const std::string path = PathOf("unix.ini");
    WriteBytes(path, "[Keyboard]\nWidth=384\n\n[Other]\r\nx=1"); // the last line has no break
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Width", 200), 384);
    ini.WriteInteger("Keyboard", "Left", 10);
    ini.WriteInteger("Other", "y", 2);
    EXPECT_EQ(BytesOf(path), "[Keyboard]\nWidth=384\nLeft=10\n\n[Other]\r\nx=1\ny=2\n");
}

TEST_F(IniFile, ByteOrderMarkBeforeTheFirstSectionIsSkipped) {
    const std::string path = PathOf("bom.ini");
    WriteBytes(path, "\xEF\xBB\xBF[Midi]\r\nDeviceID=5\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 16), 5);
    ini.WriteInteger("Midi", "DeviceID", 6);
    EXPECT_EQ(BytesOf(path), "\xEF\xBB\xBF[Midi]\r\nDeviceID=6\r\n");
}

TEST_F(IniFile, TwoObjectsOnOneFileSeeEachOthersWrites) {
    TIniFile a("Quintaron95.ini");
    TIniFile b("Quintaron95.ini");
    a.WriteInteger("Keyboard", "Open", 1);
    EXPECT_EQ(b.ReadInteger("Keyboard", "Open", 0), 1);
    b.WriteInteger("Keyboard", "Open", 0);
    b.WriteString("Desktop", "Library1", "x.Lib");
    EXPECT_EQ(a.ReadInteger("Keyboard", "Open", 1), 0);
    EXPECT_EQ(a.ReadString("Desktop", "Library1", ""), "x.Lib");
}

// Bytes this process has read from files so far, as the kernel counts them.
std::optional<long long> BytesReadByProcess() {
    std::ifstream io("/proc/self/io");
    std::string name;
    long long value = 0;
    while (io >> name >> value)
        if (name == "rchar:") return value;
    return std::nullopt;
}

// A run of reads costs one read of the file (start-up reads hundreds of keys); a change on disk,
// by another object or another program, is still seen by the next read.
TEST_F(IniFile, ReadsTheFileOnceUntilItChangesOnDisk) {
    const std::string path = PathOf("Quintaron95.ini");
    std::string bytes = "[Desktop]\r\n";
    constexpr int Keys = 1000;
    for (int i = 1; i <= Keys; ++i)
        bytes += "Library" + std::to_string(i) + "=/home/someone/Libraries/Library" +
                 std::to_string(i) + ".Lib\r\n";
    WriteBytes(path, bytes);
    const TIniFile ini(path);
    const auto before = BytesReadByProcess();
    if (!before) GTEST_SKIP() << "the kernel does not count this process's reads";
    for (int round = 0; round < 3; ++round)
        for (int i = 1; i <= Keys; ++i)
            ASSERT_FALSE(ini.ReadString("Desktop", "Library" + std::to_string(i), "").empty());
    EXPECT_EQ(ini.ReadSection("Desktop").size(), static_cast<std::size_t>(Keys));
    const long long read = *BytesReadByProcess() - *before;
    EXPECT_LT(read, 3 * static_cast<long long>(bytes.size()))
        << "the file was read again and again";

    TIniFile other(path);
    other.WriteString("Desktop", "Library2", "");
    EXPECT_EQ(ini.ReadString("Desktop", "Library2", "none"), "");
    WriteBytes(path, "[Desktop]\nNum Library=1\n");
    EXPECT_EQ(ini.ReadString("Desktop", "Library1", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", 0), 1);
    EXPECT_EQ(ini.ReadSection("Desktop"), std::vector<std::string>{"Num Library"});
    EXPECT_TRUE(ini.ReadSection("Midi").empty());
}

TEST_F(IniFile, SettingsFolderFallsBackToTheXdgFolders) {
    ScopedEnv noOverride("QUINTARON_CONFIG_DIR", std::nullopt);
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/xdg-config");
        EXPECT_EQ(SettingsFolder(), "/tmp/xdg-config/quintaron");
    }
    ScopedEnv noXdg("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(SettingsFolder(), "/home/someone/.config/quintaron");
    EXPECT_EQ(TIniFile("Quintaron95.ini").Path(),
              "/home/someone/.config/quintaron/Quintaron95.ini");
}

TEST_F(IniFile, FailedWriteRaisesAndLeavesTheOldFileWhole) {
    const std::string path = PathOf("Quintaron95.ini");
    WriteBytes(path, kFixture);
    TIniFile ini(path);

    // The disk fills up half-way through the new file.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool raised = false;
    try {
        ini.WriteInteger("Desktop", "Num Library", 0);
    } catch (const EIniFileException& e) {
        raised = true;
        EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_TRUE(raised);
    EXPECT_EQ(BytesOf(path), kFixture);
    EXPECT_EQ(FilesInFolder(), 1);

    // A folder that cannot be made: its parent is a regular file.
    TIniFile nowhere(path + "/Quintaron95.ini");
    EXPECT_THROW(nowhere.WriteInteger("Midi", "DeviceID", 1), EIniFileException);
    EXPECT_EQ(nowhere.ReadInteger("Midi", "DeviceID", 16), 16);
    EXPECT_EQ(BytesOf(path), kFixture);
}

TEST_F(IniFile, FileThatCannotBeReadReadsDefaultsAndIsNotOverwritten) {
    fs::create_directory(dir_ / "Quintaron95.ini");
    TIniFile ini("Quintaron95.ini");
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 16), 16);
    EXPECT_THROW(ini.WriteInteger("Midi", "DeviceID", 17), EIniFileException);
    EXPECT_TRUE(fs::is_directory(dir_ / "Quintaron95.ini"));
}

} // namespace
} // namespace platform::core
