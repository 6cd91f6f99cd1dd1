#include "platform/core/string_list.h"

#include "platform/core/byte_file.h"
#include "platform/core/exception.h"
#include "platform/core/object.h"
#include "platform/core/tests/folder_test.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace platform::core {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const TStringList& list) {
    return {list.begin(), list.end()};
}

class StringListFile : public test::FolderTest {
protected:
    StringListFile() : FolderTest("quintaron-strings-") {}
};

TEST(StringList, EditsByIndex) {
    TStringList list;
    EXPECT_EQ(list.Add("Piano"), 0);
    EXPECT_EQ(list.Add("Strings"), 1);
    list.Insert(1, "Brass");
    list.Insert(3, "Pads");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Piano", "Brass", "Strings", "Pads"}));
    list.Delete(0);
    list.SetStrings(2, "Choir");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(0), "Brass");
    EXPECT_EQ(list[2], "Choir");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, IndexOutOfBoundsRaises) {
    TStringList list;
    list.Add("a");
    EXPECT_THROW(list.Strings(1), Exception);
    EXPECT_THROW(list.Strings(-1), Exception);
    EXPECT_THROW(list.SetStrings(1, "b"), Exception);
    EXPECT_THROW(list.Delete(1), Exception);
    EXPECT_THROW(list.Insert(2, "b"), Exception);
    try {
        list.Delete(5);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    EXPECT_EQ(list.Count(), 1);
}

// Objects ride with their lines through every edit, and lines made from text carry none.
TEST(StringList, ObjectsStayWithTheirLines) {
    TObject piano, brass, pads;
    TStringList list;
    list.AddObject("Piano", &piano);
    list.Add("Strings");
    list.InsertObject(1, "Brass", &brass);
    list.Insert(0, "Pads");
    list.SetObjects(0, &pads);
    list.SetStrings(1, "Grand");
    EXPECT_EQ(list.Objects(0), &pads);
    EXPECT_EQ(list.Objects(1), &piano) << "renaming a line keeps its object";
    EXPECT_EQ(list.Objects(2), &brass);
    EXPECT_EQ(list.Objects(3), nullptr);
    EXPECT_EQ(list.IndexOfObject(&brass), 2);
    EXPECT_THROW(list.Objects(4), Exception);
    list.CustomSort([](const std::string& a, const std::string& b) { return a < b; });
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Brass", "Grand", "Pads", "Strings"}));
    EXPECT_EQ(list.Objects(0), &brass);
    EXPECT_EQ(list.Objects(1), &piano);
    EXPECT_EQ(list.Objects(2), &pads);
    EXPECT_EQ(list.Objects(3), nullptr);
    list.Delete(0);
    EXPECT_EQ(list.Objects(0), &piano);
    EXPECT_EQ(list.IndexOfObject(&brass), -1);
    TStringList copy = list;
    EXPECT_EQ(copy.Objects(1), &pads);
    list.SetText("a\r\nb");
    EXPECT_EQ(list.Objects(0), nullptr);
    EXPECT_EQ(list.Objects(1), nullptr);
}

TEST(StringList, IndexOfComparesWithoutCase) {
    TStringList list;
    list.Add("Single Note");
    list.Add("single note");
    list.Add("Caf\xE9");
    EXPECT_EQ(list.IndexOf("SINGLE NOTE"), 0);
    EXPECT_EQ(list.IndexOf("caf\xE9"), 2);
    EXPECT_EQ(list.IndexOf("CAF\xC9"), -1); // ASCII letters only
    EXPECT_EQ(list.IndexOf("Single"), -1);
}

TEST(StringList, TextJoinsWithCrLfAndSplitsOnEveryLineBreak) {
    TStringList list;
    list.Add("a");
    list.Add("");
    list.Add("b");
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");

    list.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"one", "two", "three", "four"}));
    list.SetText("a\r\nb\r\n");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b"}));
    list.SetText("a\n\rb");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "", "b"}));
    list.SetText("\r\n\r\n");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"", ""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(StringListFile, LoadKeepsEveryByteOfTheLines) {
    // A name list as written on Windows: a separator line of the single byte C7H, a name with
    // a Windows-1252 letter, a NUL byte, and a last line without a line break.
    const std::string path = PathOf("UserCard.Txt");
    const char bytes[] = "Caf\xE9 Pad\r\n\xC7\r\n\n  Bass \x80\r\nx\0y\nLast";
    WriteBytes(path, std::string(bytes, sizeof bytes - 1));
    TStringList list;
    list.Add("old");
    list.LoadFromFile(path);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Caf\xE9 Pad", "\xC7", "", "  Bass \x80",
                                                     std::string("x\0y", 3), "Last"}));
}

TEST_F(StringListFile, SaveWritesCrLfLinesAndReplacesTheFile) {
    const std::string path = PathOf("Result.Txt");
    WriteBytes(path, "old contents that are longer than the new ones\n");
    TStringList list;
    list.Add("Patch \xE9");
    list.Add("\xC7");
    list.SaveToFile(path);
    EXPECT_EQ(BytesOf(path), "Patch \xE9\r\n\xC7\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(Lines(back), Lines(list));
}

TEST_F(StringListFile, FileErrorsRaiseWithTheFileName) {
    TStringList list;
    const std::string missing = PathOf("Names.Txt");
    try {
        list.LoadFromFile(missing);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(missing), std::string::npos) << e.Message();
    }

    // A folder that cannot exist: its parent is a regular file.
    const std::string file = PathOf("plain");
    WriteBytes(file, "x");
    list.Add("line");
    const std::string unwritable = file + "/Result.Txt";
    try {
        list.SaveToFile(unwritable);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(unwritable), std::string::npos) << e.Message();
    }
    EXPECT_EQ(BytesOf(file), "x");
}

} // namespace
} // namespace platform::core
