#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/sysex/sysex.h"
#include "model/tests/send_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace model {
namespace {

using fixtures::Bytes;

class ElementSendTest : public fixtures::SendFixture {};

TEST_F(ElementSendTest, SetNameSendsTheTwelveBytesOnlyWhenAsked) {
    TPatch patch(nullptr);
    patch.SetName("Pad", false);
    EXPECT_TRUE(Received().empty());

    patch.SetName("Pad", true);
    ASSERT_EQ(Received().size(), 1u);
    Bytes expected{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 'P',  'a', 'd',
                   ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  ' ',  0x00, 0xF7};
    expected[expected.size() - 2] = SysExChecksum(expected);
    EXPECT_EQ(Received()[0], expected);

    TPerformance performance(nullptr);
    performance.SetName("Split", true);
    TRhythm rhythm(nullptr);
    rhythm.SetName("Kit", true);
    const std::vector<Bytes> received = Received();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[1][5], 0x01);
    EXPECT_EQ(received[2][5], 0x02);
    EXPECT_EQ(received[2][6], 0x09);
    EXPECT_EQ(rhythm.GetName(), "Kit");
}

TEST_F(ElementSendTest, SendPartsSendsSixteenMessagesToTheEditBuffer) {
    TPerformance performance(nullptr);
    performance.Part(16).Data()[0] = 0x12;
    performance.SendParts();
    const std::vector<Bytes> received = Received();
    ASSERT_EQ(received.size(), 16u);
    EXPECT_EQ(received[15].size(), 36u);
    EXPECT_EQ((Bytes{received[15].begin() + 5, received[15].begin() + 10}),
              (Bytes{0x01, 0x00, 0x1F, 0x00, 0x12}));
}

} // namespace
} // namespace model
