#include "model/sysex/sysex.h"

#include "midi/midi_event.h"
#include "model/sysex/patch_records.h"
#include "model/sysex/performance_records.h"
#include "model/sysex/rhythm_records.h"
#include "model/sysex/system_records.h"
#include "model/tests/send_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace model {
namespace {

using fixtures::Bytes;

TEST(SysExChecksumTest, Rule) {
    EXPECT_EQ(SysExChecksum(
                  Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x02, 0x40, 0x00, 0xF7}),
              0x2B);
    // A sum that is a multiple of 128 gives 00, never 80H.
    EXPECT_EQ(SysExChecksum(
                  Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x40, 0x00, 0x00, 0x00, 0x40, 0x00, 0xF7}),
              0x00);
    EXPECT_EQ(SysExChecksum(Bytes{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0x17, 0x18, 0x00, 0xF7}),
              0x4E);
    // Too short to hold anything to sum.
    EXPECT_EQ(SysExChecksum(Bytes{0xF0, 0x41}), 0x00);
}

TEST(SysExChecksumTest, CheckReceivedMessages) {
    const Bytes good{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    Bytes bad = good;
    bad[10] = 0x7D;
    EXPECT_TRUE(CheckSysExChecksum(good));
    EXPECT_FALSE(CheckSysExChecksum(bad));
    // Only the checksum counts, not who the message is from.
    Bytes foreign = good;
    foreign[1] = 0x43;
    EXPECT_TRUE(CheckSysExChecksum(foreign));
    EXPECT_FALSE(CheckSysExChecksum(Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0xF7}));

    midi::TMyMidiEvent event;
    event.Status = 0xF0;
    EXPECT_FALSE(CheckSysExChecksum(event));
    event.Sysex = good;
    event.SysexLength = static_cast<std::uint16_t>(good.size());
    EXPECT_TRUE(CheckSysExChecksum(event));
    event.Sysex = bad;
    EXPECT_FALSE(CheckSysExChecksum(event));
}

TEST(SysExChecksumTest, BuildSysExHeaderFramesTheBodyInPlace) {
    TQuintaron state;
    Bytes image(12, 0xEE);
    image[9] = 0x40;
    BuildSysExHeader(image, 0x03001002);
    EXPECT_EQ(image,
              (Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x02, 0x40, 0x2B, 0xF7}));

    Bytes tooShort(10, 0xEE);
    BuildSysExHeader(tooShort, 0x03001002);
    EXPECT_EQ(tooShort, Bytes(10, 0xEE));
}

class SysExSendTest : public fixtures::SendFixture {};

struct MessageCase {
    std::string what;
    std::function<void()> send;
    Bytes expected;
};

TEST_F(SysExSendTest, MessagesByteForByte) {
    TCommon common;
    TTone tone1(1);
    TTone tone3(3);
    TPerformanceCommon performanceCommon;
    TPerformancePart part1(1);
    TRhythmCommon rhythmCommon;
    TRhythmNote note98(98);
    TSystemCommon systemCommon;
    TPartScaleTune tune17(17);
    const std::uint8_t name[12] = {'P', 'a', 'd', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};

    const MessageCase cases[] = {
        {"one byte 40H to 03001002H",
         [] { SendDT1Byte(0x03000000, 0x1000, 0x0002, 0x40); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x02, 0x40, 0x2B, 0xF7}},
        {"whole patch request",
         [] { SendRQ1(PatchEditBuffer, 0, 0, PatchRequestSize); },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x18, 0x4E,
          0xF7}},
        {"user patch 128 request",
         [] { SendRQ1(PatchBase(false, true, 128), 0, 0, PatchRequestSize); },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x11, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x17, 0x18, 0x41,
          0xF7}},
        {"performance common request",
         [] { SendRQ1(PerformanceEditBuffer, CommonOffset, 0, PerformanceCommonRequestSize); },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4D, 0x32,
          0xF7}},
        {"performance part 16 request",
         [] {
             SendRQ1(PerformanceEditBuffer, PerformancePartOffset(16), 0,
                     PerformancePartRequestSize);
         },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x01, 0x00, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x24, 0x3C,
          0xF7}},
        {"rhythm common request",
         [] { SendRQ1(RhythmEditBuffer, CommonOffset, 0, RhythmCommonRequestSize); },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x02, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x69,
          0xF7}},
        {"rhythm note 98 request",
         [] { SendRQ1(RhythmEditBuffer, RhythmNoteOffset(98), 0, RhythmNoteRequestSize); },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x02, 0x09, 0x62, 0x00, 0x00, 0x00, 0x00, 0x3A, 0x59,
          0xF7}},
        {"system common request",
         [] { SendRQ1(SystemBase, CommonOffset, 0, SystemCommonRequestSize); },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x5D, 0x23,
          0xF7}},
        {"scale tune 17 request",
         [] { SendRQ1(SystemBase, ScaleTuneOffset(17), 0, ScaleTuneRequestSize); },
         {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00, 0x17, 0x49,
          0xF7}},
        {"tone 3 parameter 5",
         [&] { tone3.SetParam(5, 0x22); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x14, 0x05, 0x22, 0x42, 0xF7}},
        {"tone 1 parameter 128 at 0100H past the block",
         [&] { tone1.SetParam(128, 0x05); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x11, 0x00, 0x05, 0x67, 0xF7}},
        {"patch common parameter 44",
         [&] { common.SetParam(44, 0x02); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x2C, 0x02, 0x4F, 0xF7}},
        {"patch name in one message",
         [&] { common.SetParams(0, name); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 'P',  'a', 'd',
          ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  0x48, 0xF7}},
        {"performance common parameter 45",
         [&] { performanceCommon.SetParam(45, 0x02); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x01, 0x00, 0x00, 0x2D, 0x02, 0x50, 0xF7}},
        {"performance part 1 parameter 3",
         [&] { part1.SetParam(3, 0x07); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x01, 0x00, 0x10, 0x03, 0x07, 0x65, 0xF7}},
        {"rhythm name byte",
         [&] { rhythmCommon.SetParams(11, std::span(name + 2, 1)); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x02, 0x09, 0x00, 0x0B, 'd', 0x06, 0xF7}},
        {"rhythm note of key 98",
         [&] { note98.SetParam(0, 0x10); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x02, 0x09, 0x62, 0x00, 0x10, 0x03, 0xF7}},
        {"system common parameter 0",
         [&] { systemCommon.SetParam(0, 0x02); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0x00, 0x00, 0x00, 0x02, 0x7E, 0xF7}},
        {"scale tune 17 parameter 11",
         [&] { tune17.SetParam(11, 0x41); },
         {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0x00, 0x20, 0x0B, 0x41, 0x14, 0xF7}},
    };
    for (const MessageCase& c : cases) {
        arrivals.clear();
        c.send();
        EXPECT_EQ(Received(), std::vector<Bytes>{c.expected}) << c.what;
    }
}

TEST_F(SysExSendTest, DeviceByteIsDeviceIdMinusOne) {
    const struct {
        int id;
        std::uint8_t byte;
    } cases[] = {{17, 0x10}, {16, 0x0F}, {32, 0x1F}, {1, 0x00}, {128, 0x7F}};
    for (const auto& c : cases) {
        state.Config.DeviceID = c.id;
        arrivals.clear();
        SendDT1Byte(0x03000000, 0x1000, 0x0002, 0x40);
        ASSERT_EQ(Received().size(), 1u);
        EXPECT_EQ(Received()[0][2], c.byte) << c.id;
        EXPECT_TRUE(CheckSysExChecksum(Received()[0]));
    }
}

TEST_F(SysExSendTest, TenDataSetsLeaveFiftyMillisecondsApart) {
    const platform::core::Millis start = clock.Now();
    for (std::uint8_t i = 0; i < 10; ++i)
        SendDT1Byte(PatchEditBuffer, 0, 12, i);
    ASSERT_EQ(Arrivals().size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(arrivals[i].time, start + 50 * (i + 1)) << i;
        EXPECT_EQ(arrivals[i].message[9], i);
    }
}

TEST_F(SysExSendTest, TheWaitAppliesWithThePortsClosedToo) {
    state.Midi.SetOnline(false);
    state.MonitorOpen = true;
    const platform::core::Millis start = clock.Now();
    for (std::uint8_t i = 0; i < 10; ++i)
        SendDT1Byte(PatchEditBuffer, 0, 12, i);
    SendRQ1(PatchEditBuffer, 0, 0, PatchRequestSize);
    EXPECT_EQ(clock.Now(), start + 550);
    EXPECT_TRUE(Received().empty());
    EXPECT_TRUE(ui.monitor.empty());
}

TEST_F(SysExSendTest, OnlyMessagesOfAtMostFourDataBytesReachTheMonitor) {
    state.MonitorOpen = true;
    const Bytes one{1}, four{1, 2, 3, 4}, five{1, 2, 3, 4, 5};
    SendDT1(PatchEditBuffer, 0, 12, one);
    SendDT1(PatchEditBuffer, 0, 12, four);
    SendDT1(PatchEditBuffer, 0, 12, five);
    SendRQ1(PatchEditBuffer, 0, 0, PatchRequestSize);
    const std::vector<Bytes> received = Received();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(ui.monitor, (std::vector<Bytes>{received[0], received[1], received[3]}));

    state.MonitorOpen = false;
    SendDT1(PatchEditBuffer, 0, 12, one);
    EXPECT_EQ(ui.monitor.size(), 3u);
}

TEST_F(SysExSendTest, NoByteOfEightyHexOrMoreGoesOut) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_DEBUG_DEATH(SendDT1Byte(PatchEditBuffer, 0, 12, 0x80), "80H");
    const std::uint8_t name[] = {'P', 0xE9, 'd'};
    EXPECT_DEBUG_DEATH(SendDT1(PatchEditBuffer, 0, 0, name), "80H");
#ifdef NDEBUG
    // Refused whole: a data byte cut to 7 bits would write a value nobody chose.
    EXPECT_TRUE(Received().empty());
#endif
    EXPECT_DEBUG_DEATH(SendDT1Byte(0x80000000, 0, 0, 0x01), "80H");
    state.Config.DeviceID = 200;
    EXPECT_DEBUG_DEATH(SendDT1Byte(PatchEditBuffer, 0, 12, 0x01), "80H");
}

TEST_F(SysExSendTest, AFailingOutputRaisesOutOfTheSend) {
    output->Close();
    EXPECT_THROW(SendDT1Byte(PatchEditBuffer, 0, 12, 1), platform::core::Exception);
}

class SysExSendWithoutPortsTest : public fixtures::SendFixture {
protected:
    void SetUp() override {
        createPorts = false;
        SendFixture::SetUp();
    }
};

TEST_F(SysExSendWithoutPortsTest, WithoutAnOutputNothingIsSent) {
    state.MonitorOpen = true;
    SendDT1Byte(PatchEditBuffer, 0, 12, 1);
    EXPECT_TRUE(Received().empty());
}

} // namespace
} // namespace model
