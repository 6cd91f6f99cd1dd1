// The settings file held in memory reads its lines as the file-backed one does: a header that
// lost its ']' opens its section, names in the file lose the blanks around them and a caller's
// names only their spaces.

#include "platform/core/mem_ini_file.h"

#include "platform/core/tests/folder_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform::core {
namespace {

class MemIniFile : public test::FolderTest {
protected:
    MemIniFile() : FolderTest("quintaron-mem-ini-") {}
};

TEST_F(MemIniFile, ReadsNamesAndHeadersAsTheSettingsFileDoes) {
    const struct {
        const char* file;
        const char* section;
        const char* ident;
        const char* expected;
    } cases[] = {
        {"[Preview]\r\nNote=7\r\n[Midi\r\nDeviceID=5\r\n", "Midi", "DeviceID", "5"},
        {"[Preview]\r\nNote=7\r\n[Midi\r\nDeviceID=5\r\n", "Preview", "DeviceID", "?"},
        {"[Midi  \r\nDeviceID=5\r\n", "Midi", "DeviceID", "5"},
        {"[ Midi ]\r\n  DeviceID  =5\r\n", " Midi ", " DeviceID ", "5"},
        {"[Midi]\r\nDeviceID=5\r\n", "\tMidi", "DeviceID", "?"},
        {"[Midi]\r\nDeviceID=5\r\n", "Midi", "DeviceID\t", "?"},
        {"[\tMidi\t]\r\n\tDeviceID\t=7\r\n", " \tMidi\t ", "\tDeviceID\t", "?"},
        {"[\tMidi\t]\r\n\tDeviceID\t=7\r\n", "Midi", "DeviceID", "7"},
        {"\t[B]\r\n\tk2\t=v2\r\n", "B", "k2", "v2"},
        {"[\vx\v]\r\n\vk\v=1\r\n", "x", "k", "1"},
    };
    const std::string path = PathOf("case.ini");
    for (const auto& c : cases) {
        WriteBytes(path, c.file);
        EXPECT_EQ(TMemIniFile(path).ReadString(c.section, c.ident, "?"), c.expected)
            << testing::PrintToString(std::string(c.file)) << " [" << c.section << "] " << c.ident;
    }
}

// In memory a caller's tab is part of the name; the file read again drops it, and the second
// section of the same name is read into nowhere, as on the platform.
TEST_F(MemIniFile, NamesWrittenWithTabsKeepThemUntilReadFromTheFile) {
    const std::string path = PathOf("tabs.ini");
    {
        TMemIniFile file(path);
        file.WriteString("\tBars\t", "\tCount", "3");
        file.WriteString(" Bars ", " Count ", "4");
        EXPECT_EQ(file.ReadString("\tBars\t", "\tCount", "?"), "3");
        EXPECT_EQ(file.ReadString("Bars", "Count", "?"), "4");
        file.UpdateFile();
    }
    EXPECT_EQ(BytesOf(path), "[\tBars\t]\r\n\tCount=3\r\n\r\n[Bars]\r\nCount=4\r\n\r\n");
    const TMemIniFile file(path);
    EXPECT_EQ(file.ReadSections(), (std::vector<std::string>{"Bars"}));
    EXPECT_EQ(file.ReadString("Bars", "Count", "?"), "3");
    EXPECT_FALSE(file.ValueExists("\tBars\t", "Count"));
}

} // namespace
} // namespace platform::core
