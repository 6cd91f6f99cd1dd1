#include "platform/core/byte_file.h"

#include "platform/core/atomic_file.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <stdexcept>

namespace platform::core {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

TEST(ByteWriter, WritesNumbersLittleEndian) {
    TByteWriter w;
    w.WriteU8(0xAB);
    w.WriteBool(true);
    w.WriteBool(false);
    w.WriteI16(-2);
    w.WriteU16(0x1234);
    w.WriteI32(-1);
    w.WriteU32(0x01020304);
    w.WriteDouble(36526.25);
    EXPECT_EQ(w.Bytes(),
              (Bytes{0xAB, 0x01, 0x00, 0xFE, 0xFF, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x04,
                     0x03, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0xC8, 0xD5, 0xE1, 0x40}));
}

TEST(ByteFile, EveryFieldRoundTrips) {
    TByteWriter w;
    w.WriteU8(200);
    w.WriteBool(true);
    w.WriteI16(std::numeric_limits<std::int16_t>::min());
    w.WriteI16(-1);
    w.WriteU16(0xFFFF);
    w.WriteI32(std::numeric_limits<std::int32_t>::min());
    w.WriteU32(0xFFFFFFFF);
    w.WriteDouble(-1.25);
    w.WriteDouble(45351.999988426);
    w.WriteBytes(Bytes{0xF0, 0x41, 0xF7});
    w.WriteShortString("Brass 1", 12);
    w.WriteShortString("C:\\Data\\Bank.Syx", 79);
    const Bytes bytes = w.TakeBytes();
    EXPECT_EQ(w.Size(), 0u);

    TByteReader r(bytes);
    EXPECT_EQ(r.ReadU8(), 200);
    EXPECT_TRUE(r.ReadBool());
    EXPECT_EQ(r.ReadI16(), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(r.ReadI16(), -1);
    EXPECT_EQ(r.ReadU16(), 0xFFFF);
    EXPECT_EQ(r.ReadI32(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(r.ReadU32(), 0xFFFFFFFFu);
    EXPECT_EQ(r.ReadDouble(), -1.25);
    EXPECT_EQ(r.ReadDouble(), 45351.999988426);
    Bytes block(3);
    r.ReadBytes(block);
    EXPECT_EQ(block, (Bytes{0xF0, 0x41, 0xF7}));
    EXPECT_EQ(r.ReadShortString(12), "Brass 1");
    EXPECT_EQ(r.ReadShortString(79), "C:\\Data\\Bank.Syx");
    EXPECT_TRUE(r.Eof());
    EXPECT_FALSE(r.RanOut());
}

TEST(ByteReader, AnyNonZeroByteIsTrue) {
    const Bytes bytes{0x00, 0x01, 0x02, 0xFF};
    TByteReader r(bytes);
    EXPECT_FALSE(r.ReadBool());
    EXPECT_TRUE(r.ReadBool());
    EXPECT_TRUE(r.ReadBool());
    EXPECT_TRUE(r.ReadBool());
}

TEST(ByteWriter, ShortStringFillsItsWholeFieldWithZeros) {
    TByteWriter w;
    w.WriteShortString("Bass", 12);
    Bytes expected{4, 'B', 'a', 's', 's'};
    expected.resize(13, 0);
    EXPECT_EQ(w.Bytes(), expected);

    TByteWriter file;
    file.WriteShortString("", 79);
    EXPECT_EQ(file.Bytes(), Bytes(80, 0));
}

TEST(ByteWriter, LongerShortStringIsCut) {
    TByteWriter w;
    w.WriteShortString("Strings And Pads", 12);
    Bytes expected = Text("\x0C"
                          "Strings And ");
    EXPECT_EQ(w.Bytes(), expected);
}

TEST(ByteReader, LengthByteLargerThanTheFieldIsClamped) {
    for (std::uint8_t length : {13, 80, 255}) {
        Bytes field{length};
        for (char c : std::string_view("Hello World!"))
            field.push_back(c);
        field.push_back('X'); // the next field's first byte must stay unread
        TByteReader r(field);
        EXPECT_EQ(r.ReadShortString(12), "Hello World!") << int(length);
        EXPECT_EQ(r.Position(), 13u);
    }
}

TEST(ByteReader, CharactersPastTheLengthAreSkipped) {
    const Bytes field = Text("\x03"
                             "AbcGARBAGE!!");
    TByteReader r(field);
    EXPECT_EQ(r.ReadShortString(12), "Abc");
    EXPECT_TRUE(r.Eof());
}

TEST(ByteFile, ShortStringKeepsAll8BitCharacters) {
    const std::string name = "Cr\xE8me \x81\xFF";
    TByteWriter w;
    w.WriteShortString(name, 12);
    TByteReader r(w.Bytes());
    EXPECT_EQ(r.ReadShortString(12), name);
}

TEST(ByteFile, ShortStringFieldIsAtMost255Characters) {
    TByteWriter w;
    EXPECT_THROW(w.WriteShortString("x", 256), std::out_of_range);
    const Bytes bytes(300, 0);
    TByteReader r(bytes);
    EXPECT_THROW(r.ReadShortString(256), std::out_of_range);
    EXPECT_EQ(r.ReadShortString(255), "");
}

TEST(ByteReader, ReadPastTheEndRaisesAndConsumesNothing) {
    const Bytes bytes{0x01, 0x02, 0x03};
    TByteReader r(bytes);
    EXPECT_EQ(r.ReadU16(), 0x0201);
    EXPECT_EQ(r.Remaining(), 1u);
    EXPECT_FALSE(r.RanOut());

    EXPECT_THROW(r.ReadU32(), EReadError);
    EXPECT_TRUE(r.RanOut());
    EXPECT_EQ(r.Position(), 2u);
    EXPECT_EQ(r.ReadU8(), 0x03);
    EXPECT_TRUE(r.Eof());
    EXPECT_THROW(r.ReadU8(), EReadError);
}

TEST(ByteReader, EveryTypedReadRaisesAtTheEnd) {
    const Bytes bytes(7, 0);
    TByteReader r(bytes);
    r.ReadU8();
    Bytes block(7);
    EXPECT_THROW(r.ReadDouble(), EReadError);
    EXPECT_THROW(r.ReadBytes(block), EReadError);
    EXPECT_THROW(r.ReadShortString(6), EReadError);
    EXPECT_EQ(r.ReadShortString(5), "");
    EXPECT_THROW(r.ReadI16(), EReadError);
    EXPECT_THROW(r.ReadBool(), EReadError);
    try {
        r.ReadU8();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_FALSE(e.Message().empty());
    }
}

TEST(ByteReader, ReadAvailableTakesWhatIsLeft) {
    const Bytes bytes{0x10, 0x11, 0x12, 0x13, 0x14};
    TByteReader r(bytes);
    r.ReadU16();
    Bytes image(5, 0xEE); // defaults that a cut-short read must leave alone
    EXPECT_EQ(r.ReadAvailable(image), 3u);
    EXPECT_EQ(image, (Bytes{0x12, 0x13, 0x14, 0xEE, 0xEE}));
    EXPECT_TRUE(r.RanOut());
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(r.ReadAvailable(image), 0u);
}

TEST(ByteReader, ReadAvailableThatFitsIsNotRunningOut) {
    const Bytes bytes{1, 2, 3};
    TByteReader r(bytes);
    Bytes block(3);
    EXPECT_EQ(r.ReadAvailable(block), 3u);
    EXPECT_FALSE(r.RanOut());
    EXPECT_EQ(r.ReadAvailable(std::span<std::uint8_t>{}), 0u);
    EXPECT_FALSE(r.RanOut());
}

TEST(ByteReader, EmptyBuffer) {
    TByteReader r(std::span<const std::uint8_t>{});
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(r.Size(), 0u);
    Bytes nothing;
    r.ReadBytes(nothing);
    EXPECT_FALSE(r.RanOut());
    EXPECT_THROW(r.ReadU8(), EReadError);
}

// A record cut short in its message image: the fields before it are whole, the image holds what
// the file had.
TEST(ByteReader, RecordCutShortInsideItsImage) {
    TByteWriter w;
    w.WriteI16(0);
    w.WriteShortString("Piano", 12);
    w.WriteBytes(Bytes{0xF0, 0x41, 0x10});
    TByteReader r(w.Bytes());

    EXPECT_EQ(r.ReadI16(), 0);
    EXPECT_EQ(r.ReadShortString(12), "Piano");
    Bytes image(84, 0);
    EXPECT_EQ(r.ReadAvailable(image), 3u);
    EXPECT_TRUE(r.RanOut());
    EXPECT_EQ(image[2], 0x10);
    EXPECT_EQ(image[3], 0x00);
}

class ByteFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }

    std::string Path(const std::string& name) const { return folder_.PathOf(name); }

    testsupport::TempFolder folder_{"byte_file_"};
};

TEST_F(ByteFileOnDisk, SavedBytesReadBack) {
    TByteWriter w;
    w.WriteU16(0xFFFF);
    for (int i = 0; i < 4; ++i)
        w.WriteI16(-1);
    ASSERT_TRUE(WriteFileAtomically(Path("Untitled.Lib"), w.Bytes()));

    Bytes bytes{0x55};
    std::string error = "untouched";
    ASSERT_TRUE(ReadFileBytes(Path("Untitled.Lib"), bytes, &error));
    EXPECT_EQ(bytes, Bytes(10, 0xFF));
    EXPECT_EQ(error, "untouched");
}

TEST_F(ByteFileOnDisk, LargeFileReadsWhole) {
    Bytes big(200000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_TRUE(WriteFileAtomically(Path("Bank.Syx"), big));
    Bytes bytes;
    ASSERT_TRUE(ReadFileBytes(Path("Bank.Syx"), bytes));
    EXPECT_EQ(bytes, big);
}

TEST_F(ByteFileOnDisk, EmptyFileReadsAsNoBytes) {
    ASSERT_TRUE(WriteFileAtomically(Path("Empty.Syx"), Bytes{}));
    Bytes bytes{1, 2};
    EXPECT_TRUE(ReadFileBytes(Path("Empty.Syx"), bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST_F(ByteFileOnDisk, MissingFileOrFolderFails) {
    for (const std::string& path : {Path("Missing.Syx"), folder_.Path()}) {
        Bytes bytes{1, 2, 3};
        std::string error;
        EXPECT_FALSE(ReadFileBytes(path, bytes, &error)) << path;
        EXPECT_TRUE(bytes.empty());
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    Bytes bytes;
    EXPECT_FALSE(ReadFileBytes(Path("Missing.Syx"), bytes));
}

} // namespace
} // namespace platform::core
