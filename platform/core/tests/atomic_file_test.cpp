// Saves that survive a power cut: what lands where, with which permissions, through symbolic
// links, and the order of the system calls that make the new file and its name durable.

#include "platform/core/atomic_file.h"

#include "platform/core/byte_file.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

// The calls a save makes, in order, while a test records them: "fsync PATH" and
// "rename FROM TO". The program's own calls land here first (this test program defines them)
// and go on to the system unchanged.
std::vector<std::string>* g_calls = nullptr;

std::string PathOfDescriptor(int fd) {
    char path[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : "?";
}

} // namespace

extern "C" int fsync(int fd) {
    if (g_calls) g_calls->push_back("fsync " + PathOfDescriptor(fd));
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int rename(const char* from, const char* to) {
    if (g_calls) g_calls->push_back(std::string("rename ") + from + " " + to);
    return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

namespace platform::core {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class AtomicSave : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }
    void TearDown() override { ::umask(savedUmask_); }

    std::string Path(const std::string& name) const { return folder_.PathOf(name); }
    static Bytes Read(const std::string& path) {
        Bytes bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
        return bytes;
    }
    static unsigned Permissions(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }
    // What lies in the test's folder: a save leaves no temporary file behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testsupport::TempFolder folder_{"atomic_save_"};
    mode_t savedUmask_ = ::umask(022);
};

TEST_F(AtomicSave, ANewFileTakesThePermissionsTheUmaskGives) {
    const struct {
        mode_t umask;
        unsigned permissions;
    } cases[] = {{022, 0644}, {077, 0600}, {002, 0664}, {0, 0666}};
    for (const auto& c : cases) {
        ::umask(c.umask);
        const std::string path = Path("New" + std::to_string(c.umask) + ".Syx");
        ASSERT_TRUE(WriteFileAtomically(path, Bytes{1, 2}));
        EXPECT_EQ(Permissions(path), c.permissions) << std::oct << "umask " << c.umask;
        EXPECT_EQ(Read(path), (Bytes{1, 2}));
    }
}

TEST_F(AtomicSave, AReplacedFileKeepsItsPermissionsWhateverTheUmask) {
    const std::string path = Path("Bank.Syx");
    ASSERT_TRUE(WriteFileAtomically(path, Bytes{1}));
    for (unsigned permissions : {0600u, 0640u, 0666u, 0444u}) {
        ASSERT_EQ(::chmod(path.c_str(), permissions), 0);
        ::umask(077);
        ASSERT_TRUE(WriteFileAtomically(path, Bytes{2, 3}));
        EXPECT_EQ(Permissions(path), permissions) << std::oct << permissions;
        EXPECT_EQ(Read(path), (Bytes{2, 3}));
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"Bank.Syx"});
}

// A user keeps the library elsewhere and a link to it where the program looks: the save goes to
// the file, and the link stays a link.
TEST_F(AtomicSave, SavingThroughASymbolicLinkReplacesTheFileItLeadsTo) {
    fs::create_directories(Path("store"));
    const std::string file = Path("store/Songs.Lib");
    ASSERT_TRUE(WriteFileAtomically(file, Bytes{1}));
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    fs::create_symlink("store/Songs.Lib", Path("Relative.Lib"));
    fs::create_symlink(file, Path("Absolute.Lib"));
    fs::create_symlink("Relative.Lib", Path("Chained.Lib"));

    std::uint8_t n = 2;
    for (const char* link : {"Relative.Lib", "Absolute.Lib", "Chained.Lib"}) {
        ASSERT_TRUE(WriteFileAtomically(Path(link), Bytes{n})) << link;
        EXPECT_TRUE(fs::is_symlink(Path(link))) << link;
        EXPECT_EQ(Read(file), Bytes{n}) << link;
        EXPECT_EQ(Permissions(file), 0600u) << link;
        ++n;
    }
    EXPECT_EQ(fs::read_symlink(Path("Chained.Lib")), "Relative.Lib");
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Absolute.Lib", "Chained.Lib", "Relative.Lib", "store"}));
    std::vector<std::string> stored;
    for (const auto& entry : fs::directory_iterator(Path("store")))
        stored.push_back(entry.path().filename().string());
    EXPECT_EQ(stored, std::vector<std::string>{"Songs.Lib"});
}

TEST_F(AtomicSave, ALinkThatLeadsNowhereYetCreatesTheFileItNames) {
    fs::create_directories(Path("store"));
    fs::create_symlink("store/Later.Syx", Path("Later.Syx"));
    ASSERT_TRUE(WriteFileAtomically(Path("Later.Syx"), Bytes{7}));
    EXPECT_TRUE(fs::is_symlink(Path("Later.Syx")));
    EXPECT_EQ(Read(Path("store/Later.Syx")), Bytes{7});
}

TEST_F(AtomicSave, LinksInACircleFailAndChangeNothing) {
    fs::create_symlink("B.Syx", Path("A.Syx"));
    fs::create_symlink("A.Syx", Path("B.Syx"));
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(Path("A.Syx"), Bytes{1}, &error));
    EXPECT_NE(error.find(Path("A.Syx")), std::string::npos) << error;
    EXPECT_TRUE(fs::is_symlink(Path("A.Syx")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"A.Syx", "B.Syx"}));
}

TEST_F(AtomicSave, AFailedSaveLeavesNoTemporaryFile) {
    ASSERT_TRUE(WriteFileAtomically(Path("Plain"), Bytes{1}));
    std::string error;
    // A file where a folder should be.
    EXPECT_FALSE(WriteFileAtomically(Path("Plain/Inner.Syx"), Bytes{2}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Names(), std::vector<std::string>{"Plain"});
    EXPECT_EQ(Read(Path("Plain")), Bytes{1});
}

// The bytes reach the disk before the name changes, and the folder reaches it after, so that a
// power cut at any moment leaves the old file or the new one, whole.
TEST_F(AtomicSave, TheFileIsFlushedBeforeTheRenameAndTheFolderAfterIt) {
    fs::create_directories(Path("store"));
    // As the system names an open file: no link on the way.
    const std::string store = fs::canonical(Path("store")).string();
    const std::string file = store + "/Bank.Syx";
    fs::create_symlink(file, Path("Bank.Syx"));
    for (const std::string& saved : {file, Path("Bank.Syx")}) {
        std::vector<std::string> calls;
        g_calls = &calls;
        const bool done = WriteFileAtomically(saved, Bytes{1, 2, 3});
        g_calls = nullptr;
        ASSERT_TRUE(done) << saved;
        ASSERT_EQ(calls.size(), 3u) << saved;
        const std::string temporary = calls[0].substr(std::string("fsync ").size());
        EXPECT_EQ(temporary.rfind(file + ".", 0), 0u) << calls[0];
        EXPECT_EQ(calls[1], "rename " + temporary + " " + file);
        EXPECT_EQ(calls[2], "fsync " + store);
        EXPECT_EQ(Read(file), (Bytes{1, 2, 3}));
    }
}

} // namespace
} // namespace platform::core
