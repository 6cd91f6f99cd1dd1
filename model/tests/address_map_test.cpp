#include "model/sysex/address_map.h"

#include <gtest/gtest.h>

namespace model {
namespace {

TEST(AddressMapTest, ElementBasesByMemoryAndNumber) {
    EXPECT_EQ(PatchBase(true, true, 5), 0x03000000u);
    EXPECT_EQ(PatchBase(false, true, 1), 0x11000000u);
    EXPECT_EQ(PatchBase(false, true, 128), 0x117F0000u);
    EXPECT_EQ(PatchBase(false, false, 2), 0x21010000u);
    EXPECT_EQ(PerformanceBase(true, false, 3), 0x01000000u);
    EXPECT_EQ(PerformanceBase(false, true, 32), 0x101F0000u);
    EXPECT_EQ(PerformanceBase(false, false, 1), 0x20000000u);
    EXPECT_EQ(RhythmBase(true, true, 1), 0x02090000u);
    EXPECT_EQ(RhythmBase(false, true, 2), 0x10410000u);
    EXPECT_EQ(RhythmBase(false, false, 2), 0x20410000u);
}

TEST(AddressMapTest, BlockOffsets) {
    EXPECT_EQ(ToneOffset(1), 0x1000);
    EXPECT_EQ(ToneOffset(2), 0x1200);
    EXPECT_EQ(ToneOffset(3), 0x1400);
    EXPECT_EQ(ToneOffset(4), 0x1600);
    EXPECT_EQ(PerformancePartOffset(1), 0x1000);
    EXPECT_EQ(PerformancePartOffset(16), 0x1F00);
    EXPECT_EQ(RhythmNoteOffset(35), 0x2300);
    EXPECT_EQ(RhythmNoteOffset(98), 0x6200);
    EXPECT_EQ(ScaleTuneOffset(1), 0x1000);
    EXPECT_EQ(ScaleTuneOffset(17), 0x2000);
}

TEST(AddressMapTest, ElementSizesInBytes) {
    EXPECT_EQ(MessageLength(CommonDataLength) + 4 * MessageLength(ToneDataLength), 644u);
    EXPECT_EQ(MessageLength(PerformanceCommonDataLength) +
                  16 * MessageLength(PerformancePartDataLength),
              653u);
    EXPECT_EQ(MessageLength(RhythmCommonDataLength) + 64 * MessageLength(RhythmNoteDataLength),
              4439u);
    EXPECT_EQ(MessageLength(SystemCommonDataLength) + 17 * MessageLength(ScaleTuneDataLength),
              484u);
}

TEST(AddressMapTest, RequestSizesMatchTheBlocks) {
    EXPECT_EQ(PerformanceCommonRequestSize[3], MessageLength(PerformanceCommonDataLength));
    EXPECT_EQ(PerformancePartRequestSize[3], MessageLength(PerformancePartDataLength));
    EXPECT_EQ(SystemCommonRequestSize[3], MessageLength(SystemCommonDataLength));
    EXPECT_EQ(ScaleTuneRequestSize[3], MessageLength(ScaleTuneDataLength));
    EXPECT_EQ(RhythmCommonRequestSize[3], RhythmCommonDataLength);
    EXPECT_EQ(RhythmNoteRequestSize[3], RhythmNoteDataLength);
    EXPECT_EQ(PatchRequestSize, (TRequestSize{0x00, 0x00, 0x17, 0x18}));
}

TEST(AddressMapTest, SysExAddressIsThePlainSumWithinSevenBitBytes) {
    EXPECT_EQ(SysExAddress(0x03000000, 0x1400, 5), 0x03001405u);
    EXPECT_EQ(SysExAddress(0x02090000, RhythmNoteOffset(98), 0), 0x02096200u);
    EXPECT_EQ(SysExAddress(0x117F0000, 0x1600, 0x7F), 0x117F167Fu);
}

TEST(AddressMapTest, SysExAddressCarriesPastSevenBits) {
    // The last byte of a tone lies 0100H past the block on the instrument, not 80H.
    EXPECT_EQ(SysExAddress(PatchEditBuffer, ToneOffset(1), 128), 0x03001100u);
    EXPECT_EQ(SysExAddress(PatchEditBuffer, ToneOffset(4), 128), 0x03001700u);
    EXPECT_EQ(SysExAddress(PatchEditBuffer, ToneOffset(1), 0x100), 0x03001100u);
}

} // namespace
} // namespace model
