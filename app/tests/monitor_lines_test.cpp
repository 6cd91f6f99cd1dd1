#include "app/monitor_lines.h"

#include <gtest/gtest.h>

#include <vector>

namespace app {
namespace {

TEST(MonitorLines, ADataSetIsOneLineStartingAndEndingWithABlank) {
    const std::vector<std::uint8_t> message = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03,
                                               0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    EXPECT_EQ(MonitorMessageLine(message), " F0 41 10 6A 12 03 00 00 00 01 7C F7 ");
}

TEST(MonitorLines, EveryByteOfALongMessageIsShown) {
    std::vector<std::uint8_t> message(3000, 0x5A);
    message.front() = 0xF0;
    message.back() = 0xF7;
    const std::string line = MonitorMessageLine(message);
    ASSERT_EQ(line.size(), 1 + 3 * message.size());
    EXPECT_EQ(line.substr(0, 7), " F0 5A ");
    EXPECT_EQ(line.substr(line.size() - 6), "5A F7 ");
}

TEST(MonitorLines, AShortMessageIsItsThreeBytes) {
    midi::TMyMidiEvent event;
    event.Status = 0x80;
    event.Data1 = 0x3C;
    event.Data2 = 0x50;
    EXPECT_EQ(MonitorMidiLine(event), "80 3C 50");
    event.Status = 0xC0;
    event.Data1 = 0x0A;
    event.Data2 = 0;
    EXPECT_EQ(MonitorMidiLine(event), "C0 0A 00");
}

} // namespace
} // namespace app
