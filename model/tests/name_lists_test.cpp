// The name-list files: the shipped "Names.Txt", "UserCard.Txt" in file order, and how lines
// become lists.

#include "model/files/name_lists.h"

#include "model/tests/transfer_window_fake.h"
#include "platform/core/exception.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace model {
namespace {

namespace fs = std::filesystem;

class NameListsTest : public ::testing::Test {
protected:
    void Write(const char* fileName, const std::string& text) {
        fs::create_directories(documents.DataFolder());
        std::ofstream(documents.DataFolder() / fileName, std::ios::binary) << text;
    }
    std::string Read(const char* fileName) {
        std::ifstream in(documents.DataFolder() / fileName, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fakes::TempDocuments documents;
};

TEST_F(NameListsTest, MissingFilesReadAsEmptyLists) {
    TNameLists lists;
    lists.Load();
    for (int number = 1; number <= NameListCount; ++number)
        EXPECT_EQ(lists.List(number).Count(), 0) << number;
    TUserCardNames names;
    names.Load();
    EXPECT_EQ(names.List(TUserCardList::UserPatches).Count(), 0);
}

TEST_F(NameListsTest, TheShippedNamesFillListsOneTo58) {
    ASSERT_TRUE(InstallNamesFile());
    TNameLists lists;
    lists.Load();
    const struct {
        int number;
        int count;
        const char* first;
        const char* last;
    } cases[] = {
        {1, 256, "Int-A 001", "Int-A 256"},        {2, 256, "Int-B 001", "Int-B 256"},
        {3, 256, "Exp01 W 001", "Exp01 W 256"},    {4, 128, "Exp01 P 001", "Exp01 P 128"},
        {36, 128, "Exp17 P 001", "Exp17 P 128"},   {37, 128, "Preset A 001", "Preset A 128"},
        {39, 128, "Preset C 001", "Preset C 128"}, {40, 128, "GM 001", "GM 128"},
        {41, 256, "PCM1 W 001", "PCM1 W 256"},     {56, 128, "PCM8 P 001", "PCM8 P 128"},
        {57, 32, "Perf A 01", "Perf A 32"},        {58, 32, "Perf B 01", "Perf B 32"},
    };
    for (const auto& c : cases) {
        const auto& list = lists.List(c.number);
        ASSERT_EQ(list.Count(), c.count) << c.number;
        EXPECT_EQ(list[0], c.first) << c.number;
        EXPECT_EQ(list[c.count - 1], c.last) << c.number;
    }
    for (int number = 59; number <= NameListCount; ++number)
        EXPECT_EQ(lists.List(number).Count(), 0) << number;
}

TEST_F(NameListsTest, InstallingKeepsTheUsersOwnNames) {
    Write(NamesFileName, "Mine\r\n");
    ASSERT_TRUE(InstallNamesFile());
    EXPECT_EQ(Read(NamesFileName), "Mine\r\n");
}

TEST_F(NameListsTest, UserCardNamesAreSavedInFileOrderAndFollowTheShippedLists) {
    ASSERT_TRUE(InstallNamesFile());
    TUserCardNames names;
    names.Load();
    names.SetName(PerformanceNameList(false), 0, "CardPerf");
    names.SetName(PerformanceNameList(true), 0, "UserPerf");
    names.SetName(PatchNameList(true), 0, "UserPatch");
    names.SetName(PatchNameList(true), 5, "Appended");
    names.SetName(PatchNameList(true), 0, "Replaced");
    names.SetName(PatchNameList(false), 0, "CardPatch");
    names.Save();

    EXPECT_EQ(Read(UserCardFileName), "CardPerf\r\n\xC7\r\nUserPerf\r\n\xC7\r\nReplaced\r\n"
                                      "Appended\r\n\xC7\r\nCardPatch\r\n\xC7\r\n");
    TNameLists lists;
    lists.Load();
    EXPECT_EQ(lists.List(59)[0], "CardPerf");
    EXPECT_EQ(lists.List(60)[0], "UserPerf");
    ASSERT_EQ(lists.List(61).Count(), 2);
    EXPECT_EQ(lists.List(61)[1], "Appended");
    EXPECT_EQ(lists.List(62)[0], "CardPatch");
    EXPECT_EQ(lists.List(63).Count(), 0);

    TUserCardNames again;
    again.Load();
    EXPECT_EQ(again.List(TUserCardList::UserPatches)[0], "Replaced");
}

TEST_F(NameListsTest, SeparatorsMoveOnAndEmptyLinesCountForNothing) {
    // "Names.Txt" ends at list 3, so the lines of "UserCard.Txt" start at 4.
    Write(NamesFileName, "a\n\nb\n\xC7\n\xC7 rest of the line\nc\n");
    Write(UserCardFileName, "\xC7\r\nd\r\n\r\n\xC7\r\n");
    TNameLists lists;
    lists.Load();
    ASSERT_EQ(lists.List(1).Count(), 2);
    EXPECT_EQ(lists.List(1)[1], "b");
    EXPECT_EQ(lists.List(2).Count(), 0);
    EXPECT_EQ(lists.List(3)[0], "c");
    EXPECT_EQ(lists.List(4).Count(), 0);
    EXPECT_EQ(lists.List(5)[0], "d");
}

TEST_F(NameListsTest, AMissingNamesFileLeavesTheUserCardListsWhereTheyBelong) {
    Write(UserCardFileName, "CardPerf\r\n\xC7\r\n");
    TNameLists lists;
    lists.Load();
    EXPECT_EQ(lists.List(59)[0], "CardPerf");
}

TEST_F(NameListsTest, ListsPastTheLastAreIgnored) {
    // "Names.Txt" reaches list 64, so that "UserCard.Txt" starts at the last list, 65.
    std::string fixed = "first\n";
    for (int i = 0; i < 63; ++i)
        fixed += "\xC7\n";
    Write(NamesFileName, fixed + "sixty-four\n");
    Write(UserCardFileName, "last\r\n\xC7\r\nbeyond\r\n\xC7\r\nfurther\r\n");
    TNameLists lists;
    lists.Load();
    EXPECT_EQ(lists.List(1)[0], "first");
    EXPECT_EQ(lists.List(64)[0], "sixty-four");
    ASSERT_EQ(lists.List(65).Count(), 1);
    EXPECT_EQ(lists.List(65)[0], "last");

    // "UserCard.Txt" itself holds four lists; a fifth is not read.
    Write(UserCardFileName, "a\r\n\xC7\r\nb\r\n\xC7\r\nc\r\n\xC7\r\nd\r\n\xC7\r\ne\r\n");
    TUserCardNames names;
    names.Load();
    EXPECT_EQ(names.List(TUserCardList::CardPatches)[0], "d");
    for (int list = 0; list < UserCardListCount; ++list)
        EXPECT_EQ(names.List(static_cast<TUserCardList>(list)).Count(), 1) << list;
}

TEST_F(NameListsTest, ControlCharactersInNamesAreWrittenAsBlanks) {
    TUserCardNames names;
    names.SetName(TUserCardList::UserPatches, 0, std::string("Two\r\nLines\0\t\x7F", 13));
    names.SetName(TUserCardList::UserPatches, 1, "Caf\xE9 Ok");
    names.Save();
    EXPECT_EQ(Read(UserCardFileName),
              "\xC7\r\n\xC7\r\nTwo  Lines   \r\nCaf\xE9 Ok\r\n\xC7\r\n\xC7\r\n");
    TUserCardNames again;
    again.Load();
    EXPECT_EQ(again.List(TUserCardList::UserPatches).Count(), 2);
}

// A blank name (a patch named all in blanks) and one that starts with the separator byte each
// keep their place, so that the names after them stay with their patches.
TEST_F(NameListsTest, EveryNameReadsBackAtItsPlace) {
    TUserCardNames names;
    const std::vector<std::string> written = {"First", "",
                                              "\xC7"
                                              "ello",
                                              "Last"};
    for (int i = 0; i < static_cast<int>(written.size()); ++i)
        names.SetName(TUserCardList::CardPatches, i, written[static_cast<std::size_t>(i)]);
    names.Save();
    TUserCardNames again;
    again.Load();
    const auto& list = again.List(TUserCardList::CardPatches);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[0], "First");
    EXPECT_EQ(list[1], " ");
    EXPECT_EQ(list[2], " \xC7"
                       "ello");
    EXPECT_EQ(list[3], "Last");
}

TEST_F(NameListsTest, AFailedSaveSaysSo) {
    fs::create_directories(documents.DataFolder() / UserCardFileName / "in the way");
    TUserCardNames names;
    names.SetName(TUserCardList::UserPatches, 0, "Lost");
    try {
        names.Save();
        FAIL() << "saved";
    } catch (const platform::core::Exception& error) {
        EXPECT_EQ(error.Message(), "Unable to Write UserCard.Txt: " +
                                       (documents.DataFolder() / UserCardFileName).string() + ": " +
                                       std::strerror(EISDIR));
    }
}

} // namespace
} // namespace model
