// Inputs that fuzzing found to break a reader, kept so that the fault stays fixed.

#include "platform/core/byte_file.h"
#include "platform/core/ini_file.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace platform::core {
namespace {

namespace fs = std::filesystem;

class FuzzRegressions : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }

    std::string Write(const std::string& bytes) const {
        const std::string path = (dir_ / "Fuzzed.ini").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string BytesOf(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes));
        return std::string(bytes.begin(), bytes.end());
    }

    testsupport::TempFolder folder_{"quintaron-fuzzed-"};
    fs::path dir_ = folder_.Path();
};

// A quoted value that ends in a blank was written back without its quotes, so that it read back
// without the blank, and every save of the settings changed the file again.
TEST_F(FuzzRegressions, QuotedValueWithBlanksReadsBackAsWritten) {
    TIniFile ini(Write("[Preview]\nMidifile=\"y \""));
    const std::string value = ini.ReadString("Preview", "Midifile", "");
    EXPECT_EQ(value, "y ");
    ini.WriteString("Preview", "Midifile", value);
    EXPECT_EQ(ini.ReadString("Preview", "Midifile", ""), "y ");
    const std::string saved = BytesOf(ini.Path());
    ini.WriteString("Preview", "Midifile", ini.ReadString("Preview", "Midifile", ""));
    EXPECT_EQ(BytesOf(ini.Path()), saved);

    for (const std::string written :
         {" lead", "tail\t", "\"quoted\"", "'single'", "\"", "a \"b\""}) {
        ini.WriteString("Other", "Key", written);
        EXPECT_EQ(ini.ReadString("Other", "Key", "?"), written);
    }
    // Values that read back as they are stay unquoted.
    ini.WriteString("Other", "Plain", "C:\\Music\\My Song.mid");
    EXPECT_NE(BytesOf(ini.Path()).find("Plain=C:\\Music\\My Song.mid\n"), std::string::npos);
}

} // namespace
} // namespace platform::core
