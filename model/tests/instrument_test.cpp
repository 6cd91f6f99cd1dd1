// The senders against the simulated instrument with the real address map: what arrives there,
// where it lands in the instrument's memory, and how each request is answered.

#include "midi/midi_output.h"
#include "model/program/quintaron.h"
#include "model/sysex/address_map.h"
#include "model/sysex/patch_records.h"
#include "model/sysex/rhythm_records.h"
#include "model/sysex/sysex.h"
#include "model/tests/send_fixture.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "testsupport/instrument_address_map.h"
#include "testsupport/virtual_instrument.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace model {
namespace {

using fixtures::Bytes;

class InstrumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::core::ResetMessageLoop();
        instrument().SetDeviceByte(0x10);
        instrument().SetBlockTable(testsupport::InstrumentBlockTable());
        state.Midi.Create();
        ASSERT_TRUE(state.Midi.Online());
    }
    void TearDown() override { platform::core::ResetMessageLoop(); }

    testsupport::SimInstrument& instrument() { return virtualInstrument.Instrument(); }
    void Settle() { platform::core::RunFor(clock, 10); }

    platform::core::ManualClock clock;
    platform::core::ClockOverride clockOverride{clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride clockDate{clock, platform::core::EncodeDate(2026, 3, 7) +
                                                     platform::core::EncodeTime(9, 0, 0, 0)};
    testsupport::VirtualInstrument virtualInstrument{clock};
    TQuintaron state;
    testsupport::FakeUiServices ui;
};

TEST_F(InstrumentTest, EditsArriveByteForByteAndLandWhereTheyBelong) {
    TTone tone3(3);
    TRhythmNote note98(98);
    SendDT1Byte(0x03000000, 0x1000, 0x0002, 0x40);
    tone3.SetParam(5, 0x22);
    note98.SetParam(0, 0x10);
    SendRQ1(PatchEditBuffer, 0, 0, PatchRequestSize);
    Settle();

    const std::vector<Bytes> expected = {
        {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x02, 0x40, 0x2B, 0xF7},
        {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x14, 0x05, 0x22, 0x42, 0xF7},
        {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x02, 0x09, 0x62, 0x00, 0x10, 0x03, 0xF7},
        {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x18, 0x4E, 0xF7},
    };
    EXPECT_EQ(instrument().Received(), expected);
    EXPECT_EQ(instrument().DataSetsApplied(), 3);
    EXPECT_EQ(instrument().ChecksumErrors(), 0);
    EXPECT_EQ(instrument().Read(0x03001405, 1), Bytes{0x22});
    EXPECT_EQ(instrument().Read(0x02096200, 1), Bytes{0x10});
}

TEST_F(InstrumentTest, TheLastByteOfAToneLandsAsTheToneBlocksLastByte) {
    TTone tone(2);
    tone.SendAll();
    tone.SetParam(128, 0x09);
    Settle();
    Bytes expected(tone.Data().begin(), tone.Data().end());
    EXPECT_EQ(expected[128], 0x09);
    EXPECT_EQ(instrument().Read(0x03001200, 129), expected);
    EXPECT_EQ(instrument().Read(0x03001300, 1), Bytes{0x09});
}

TEST_F(InstrumentTest, AWholePatchRequestIsAnsweredByItsFiveBlocks) {
    const std::uint32_t base = PatchBase(false, true, 5);
    instrument().Write(base, Bytes(73, 0x21));
    for (int t = 1; t <= 4; ++t)
        instrument().Write(SysExAddress(base, ToneOffset(t), 0),
                           Bytes(129, static_cast<std::uint8_t>(t)));
    SendRQ1(base, 0, 0, PatchRequestSize);
    Settle();

    const std::vector<Bytes> replies = instrument().Transmitted();
    ASSERT_EQ(replies.size(), 5u);
    const std::uint32_t addresses[] = {0x11040000, 0x11041000, 0x11041200, 0x11041400, 0x11041600};
    for (std::size_t i = 0; i < replies.size(); ++i) {
        const Bytes& reply = replies[i];
        EXPECT_EQ(reply.size(), i == 0 ? 84u : 140u) << i;
        EXPECT_TRUE(CheckSysExChecksum(reply)) << i;
        const std::uint32_t address = reply[5] << 24 | reply[6] << 16 | reply[7] << 8 | reply[8];
        EXPECT_EQ(address, addresses[i]) << i;
        EXPECT_EQ(reply[9], i == 0 ? 0x21 : i) << i;
    }
}

TEST_F(InstrumentTest, EachBlockRequestIsAnsweredByItsBlock) {
    const struct {
        const char* what;
        std::uint32_t base;
        std::uint16_t offset;
        TRequestSize size;
        std::size_t replyLength;
    } cases[] = {
        {"performance common", PerformanceBase(false, true, 32), CommonOffset,
         PerformanceCommonRequestSize, 77},
        {"performance part 16", PerformanceEditBuffer, PerformancePartOffset(16),
         PerformancePartRequestSize, 36},
        {"rhythm common", RhythmBase(false, false, 2), CommonOffset, RhythmCommonRequestSize, 23},
        {"rhythm note 35", RhythmEditBuffer, RhythmNoteOffset(35), RhythmNoteRequestSize, 69},
        {"rhythm note 98", RhythmBase(false, true, 1), RhythmNoteOffset(98), RhythmNoteRequestSize,
         69},
        {"system common", SystemBase, CommonOffset, SystemCommonRequestSize, 93},
        {"scale tune 1", SystemBase, ScaleTuneOffset(1), ScaleTuneRequestSize, 23},
        {"scale tune 17", SystemBase, ScaleTuneOffset(17), ScaleTuneRequestSize, 23},
    };
    std::size_t answered = 0;
    for (const auto& c : cases) {
        SendRQ1(c.base, c.offset, 0, c.size);
        Settle();
        const std::vector<Bytes> replies = instrument().Transmitted();
        ASSERT_EQ(replies.size(), answered + 1) << c.what;
        const Bytes& reply = replies.back();
        EXPECT_EQ(reply.size(), c.replyLength) << c.what;
        const std::uint32_t address = reply[5] << 24 | reply[6] << 16 | reply[7] << 8 | reply[8];
        EXPECT_EQ(address, SysExAddress(c.base, c.offset, 0)) << c.what;
        EXPECT_TRUE(CheckSysExChecksum(reply)) << c.what;
        answered = replies.size();
    }
}

TEST(InstrumentAddressMapTest, BlockCountsAndSizes) {
    const auto& blocks = testsupport::InstrumentBlocks();
    // Patches: edit buffer and 2 x 128; performances: 1 + 2 x 32; rhythm sets: 1 + 2 x 2.
    EXPECT_EQ(blocks.size(), 257u * 5 + 65u * 17 + 5u * 65 + 18u);
    std::uint32_t patchBytes = 0;
    for (const auto& block : blocks)
        if (block.Address >> 16 == 0x0300) patchBytes += block.Size + 11;
    EXPECT_EQ(patchBytes, 644u);
}

} // namespace
} // namespace model
