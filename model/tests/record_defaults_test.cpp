#include "model/sysex/patch_records.h"
#include "model/sysex/performance_records.h"
#include "model/sysex/rhythm_records.h"
#include "model/sysex/system_records.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace model {
namespace {

// The image a record's defaults give: a whole data-set message of its block, length bytes long,
// every byte 0 but the listed data bytes.
std::vector<std::uint8_t> Expected(std::size_t length,
                                   const std::map<std::size_t, std::uint8_t>& data) {
    std::vector<std::uint8_t> image(length, 0);
    for (const auto& [n, value] : data)
        image.at(9 + n) = value;
    return image;
}

std::map<std::size_t, std::uint8_t> Bytes(std::size_t first, std::size_t last, std::uint8_t value,
                                          std::map<std::size_t, std::uint8_t> more = {}) {
    for (std::size_t n = first; n <= last; ++n)
        more[n] = value;
    return more;
}

template <class Record> std::vector<std::uint8_t> ImageOf(const Record& record) {
    return {record.Image.begin(), record.Image.end()};
}

// Each image is the block's message: 9 bytes of header and address, the data, the checksum and
// F7, so that the lengths below are those of the blocks on the wire.
TEST(RecordDefaultsTest, PatchRecords) {
    EXPECT_EQ(ImageOf(TCommon()), Expected(84, Bytes(0, 11, 0x20, {{44, 1}, {45, 4}})));
    for (int t = 1; t <= 4; ++t) {
        const TTone tone(t);
        EXPECT_EQ(tone.Number, t);
        EXPECT_EQ(ImageOf(tone), Expected(140, {{12, 1}, {13, 1}, {122, 1}}));
    }
}

TEST(RecordDefaultsTest, PerformanceRecords) {
    EXPECT_EQ(ImageOf(TPerformanceCommon()), Expected(77, Bytes(0, 11, 0x20, {{45, 1}, {46, 4}})));
    EXPECT_EQ(TPerformanceCommon().GetName(), "            ");
    const TPerformancePart part(16);
    EXPECT_EQ(part.Number, 16);
    EXPECT_EQ(ImageOf(part), Expected(36, {}));
}

TEST(RecordDefaultsTest, RhythmRecords) {
    EXPECT_EQ(ImageOf(TRhythmCommon()), Expected(23, Bytes(0, 11, 0x20)));
    const TRhythmNote note(98);
    EXPECT_EQ(note.Key, 98);
    EXPECT_EQ(ImageOf(note), Expected(69, {{53, 1}}));
}

TEST(RecordDefaultsTest, SystemRecords) {
    auto system = Bytes(20, 27, 1,
                        {{0, 1},
                         {6, 0x3F},
                         {8, 1},
                         {9, 1},
                         {10, 1},
                         {12, 1},
                         {17, 2},
                         {18, 0x61},
                         {19, 0x0B},
                         {28, 0x10},
                         {30, 1},
                         {32, 0x3C},
                         {33, 0x7F},
                         {34, 0x40},
                         {35, 0x7F},
                         {36, 0x43},
                         {37, 0x7F},
                         {38, 0x3D},
                         {39, 0x7F}});
    EXPECT_EQ(ImageOf(TSystemCommon()), Expected(93, system));
    for (int s = 1; s <= 17; ++s) {
        const TPartScaleTune tune(s);
        EXPECT_EQ(tune.Number, s);
        EXPECT_EQ(ImageOf(tune), Expected(23, Bytes(0, 11, 0x40)));
    }
}

TEST(RecordDefaultsTest, ClearRestoresTheDefaults) {
    TTone tone(2);
    tone.Image.fill(0x55);
    tone.Clear();
    EXPECT_EQ(ImageOf(tone), Expected(140, {{12, 1}, {13, 1}, {122, 1}}));
    EXPECT_EQ(tone.Number, 2);
}

TEST(RecordDefaultsTest, GetParamReadsDataByteN) {
    TTone tone(1);
    EXPECT_EQ(tone.GetParam(12), 1);
    tone.Image[9 + 128] = 0x33;
    EXPECT_EQ(tone.GetParam(128), 0x33);
    EXPECT_EQ(tone.Data()[128], 0x33);
}

} // namespace
} // namespace model
