#include "platform/core/registry.h"

#include "platform/core/tests/folder_test.h"

#include <gtest/gtest.h>

namespace platform::core {
namespace {

class Registry : public test::FolderTest {
protected:
    Registry() : FolderTest("quintaron-registry-") {}
};

TEST_F(Registry, KeysAndValuesOfEachKindOutliveTheObject) {
    const std::string Path = PathOf("Registry.ini");
    {
        TRegistry Reg(Path);
        ASSERT_TRUE(Reg.OpenKey("\\Software\\Test\\Sub", true));
        Reg.WriteString("Name", " text with = and blanks ");
        Reg.WriteInteger("Count", -42);
        Reg.WriteBinaryData("Bytes", {0, 255, 16});
    }
    TRegistry Reg(Path);
    EXPECT_TRUE(Reg.KeyExists("\\software\\TEST"));
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Test", false));
    EXPECT_EQ(Reg.GetKeyNames(), std::vector<std::string>{"Sub"});
    ASSERT_TRUE(Reg.OpenKey("Sub", false));
    EXPECT_EQ(Reg.ReadString("Name"), " text with = and blanks ");
    EXPECT_EQ(Reg.ReadInteger("Count"), -42);
    EXPECT_EQ(Reg.ReadBinaryData("Bytes"), (std::vector<std::uint8_t>{0, 255, 16}));
    EXPECT_THROW(Reg.ReadInteger("Name"), ERegistryException);
    EXPECT_THROW(Reg.ReadString("Missing"), ERegistryException);
    EXPECT_TRUE(Reg.DeleteKey("\\Software\\Test"));
    EXPECT_FALSE(Reg.KeyExists("\\Software\\Test\\Sub"));
    EXPECT_TRUE(Reg.KeyExists("\\Software"));
    EXPECT_FALSE(Reg.OpenKey("\\Nowhere", false));
}

TEST_F(Registry, StringsWithLineBreaksAndBackslashesComeBackWhole) {
    const std::string Path = PathOf("Registry.ini");
    const std::vector<std::string> Values = {"two\nlines",
                                             "\r\nat both ends\r\n",
                                             "C:\\folder\\new\nline",
                                             "a literal \\n",
                                             "ends in \\",
                                             "\n",
                                             "plain C:\\new",
                                             ""};
    {
        TRegistry Reg(Path);
        ASSERT_TRUE(Reg.OpenKey("\\Software\\Test", true));
        for (std::size_t I = 0; I < Values.size(); ++I)
            Reg.WriteString("Value" + std::to_string(I), Values[I]);
        Reg.WriteInteger("After", 7);
    }
    TRegistry Reg(Path);
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Test", false));
    for (std::size_t I = 0; I < Values.size(); ++I)
        EXPECT_EQ(Reg.ReadString("Value" + std::to_string(I)), Values[I]) << I;
    // The value written after them is still a value of its own.
    EXPECT_EQ(Reg.ReadInteger("After"), 7);
}

TEST_F(Registry, AStringWrittenBeforeEscapingReadsAsItStands) {
    const std::string Path = PathOf("Registry.ini");
    {
        TMemIniFile File(Path);
        File.WriteString("Software\\Test", "Folder", "s:C:\\new\\\\share\\n");
        File.UpdateFile();
    }
    TRegistry Reg(Path);
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Test", false));
    EXPECT_EQ(Reg.ReadString("Folder"), "C:\\new\\\\share\\n");
}

} // namespace
} // namespace platform::core
