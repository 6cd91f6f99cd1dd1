#include "testsupport/sim_instrument.h"

#include "testsupport/instrument_address_map.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

struct Sent {
    Bytes message;
    platform::core::Millis delay;
};

class Sim : public ::testing::Test {
protected:
    std::vector<Sent> sent;
    SimInstrument sim{[this](Bytes m, platform::core::Millis d) { sent.push_back({m, d}); }};

    std::vector<Bytes> SentMessages() const {
        std::vector<Bytes> result;
        for (const auto& s : sent)
            result.push_back(s.message);
        return result;
    }
};

template <class F> SimFaults With(F set) {
    SimFaults faults;
    set(faults);
    return faults;
}

} // namespace

TEST(SimAddresses, SevenBitAddressesAndOffsets) {
    struct Case {
        std::uint32_t address;
        std::uint32_t offset;
    } cases[] = {
        {0x00000000, 0},
        {0x0000007F, 127},
        {0x00000100, 128},
        {0x03001000, (3u << 21) | (0x10u << 7)},
        {0x7F7F7F7F, (1u << 28) - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddressToOffset(c.address), c.offset);
        EXPECT_EQ(OffsetToAddress(c.offset), c.address);
    }
}

TEST(SimMessages, AreFramedWithTheInstrumentsChecksum) {
    EXPECT_EQ(SimInstrument::MakeDataRequest(0x10, 0x03000000, 0x1718),
              (Bytes{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x18,
                     0x4E, 0xF7}));
    Bytes set = SimInstrument::MakeDataSet(0x10, 0x00000000, {0x00});
    EXPECT_EQ(set[set.size() - 2], 0x00) << "a sum of 0 gives 0, not 128";
}

TEST_F(Sim, AppliesValidDataSetsForItsDeviceAndRecordsEverything) {
    struct Case {
        Bytes message;
        bool applied;
    } cases[] = {
        {SimInstrument::MakeDataSet(0x10, 0x0300007F, {0x11, 0x22}), true},
        {SimInstrument::MakeDataSet(0x7F, 0x01000000, {0x33}), true},
        {SimInstrument::MakeDataSet(0x11, 0x01000001, {0x44}), false},
        {{0x90, 0x3C, 0x40}, false},
        {{0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}, false},
    };
    for (const auto& c : cases)
        sim.Receive(c.message);
    Bytes corrupt = SimInstrument::MakeDataSet(0x10, 0x02000000, {0x55});
    corrupt[corrupt.size() - 2] ^= 0x01;
    sim.Receive(corrupt);

    EXPECT_EQ(sim.DataSetsApplied(), 2);
    EXPECT_EQ(sim.ChecksumErrors(), 1);
    EXPECT_EQ(sim.Read(0x0300007F, 2), (Bytes{0x11, 0x22}));
    EXPECT_EQ(sim.Read(0x03000100, 1), (Bytes{0x22})) << "7-bit carry";
    EXPECT_EQ(sim.Read(0x01000000, 2), (Bytes{0x33, 0x00}));
    EXPECT_EQ(sim.Read(0x02000000, 1), (Bytes{0x00}));
    EXPECT_EQ(sim.Received().size(), 6u);
    EXPECT_EQ(sim.Received()[3], (Bytes{0x90, 0x3C, 0x40}));
    EXPECT_TRUE(sent.empty());
}

TEST_F(Sim, AFlatMemoryAnswersARequestWithOneDataSet) {
    sim.Write(0x03001000, {1, 2, 3, 4});
    sim.Receive(SimInstrument::MakeDataRequest(0x10, 0x03001001, 3));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, SimInstrument::MakeDataSet(0x10, 0x03001001, {2, 3, 4}));
    EXPECT_EQ(sent[0].delay, 0u);
    EXPECT_EQ(sim.RequestsAnswered(), 1);
}

TEST_F(Sim, ABlockTableAnswersEachBlockTheRangeTouchesCutToIt) {
    sim.SetBlockTable([](std::uint32_t, std::uint32_t) {
        return std::vector<SimBlock>{{0x02007F00, 0x200}, // ends before: ignored
                                     {0x03000000, 4},     // the range starts inside it
                                     {0x03000004, 8},     // cut to 2 bytes
                                     {0x03000100, 4}};    // starts after: ignored
    });
    sim.Write(0x03000000, {1, 2, 3, 4, 5, 6, 7, 8});
    sim.Receive(SimInstrument::MakeDataRequest(0x10, 0x03000002, 4));
    EXPECT_EQ(SentMessages(), (std::vector<Bytes>{
                                  SimInstrument::MakeDataSet(0x10, 0x03000002, {3, 4}),
                                  SimInstrument::MakeDataSet(0x10, 0x03000004, {5, 6}),
                              }));
}

// The effects window asks for the patch's twelve EFX bytes alone, in the middle of its common
// block: the instrument answers with them.
TEST_F(Sim, TheInstrumentsMapAnswersARequestFromInsideABlock) {
    sim.SetBlockTable(InstrumentBlockTable());
    sim.Write(0x0300000D, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    sim.Receive(SimInstrument::MakeDataRequest(0x10, 0x0300000D, 12));
    EXPECT_EQ(SentMessages(), (std::vector<Bytes>{SimInstrument::MakeDataSet(
                                  0x10, 0x0300000D, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})}));
}

TEST_F(Sim, FaultsOnDemand) {
    Bytes reply = SimInstrument::MakeDataSet(0x10, 0x01000000, {7});
    Bytes corrupt = reply;
    corrupt[corrupt.size() - 2] =
        static_cast<std::uint8_t>((corrupt[corrupt.size() - 2] + 1) & 0x7F);
    Bytes otherModel = SimInstrument::MakeDataSet(0x10, 0, {1});
    otherModel[3] = 0x16;
    const Bytes otherMaker = {0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7};

    struct Case {
        const char* name;
        SimFaults faults;
        int requests;
        std::vector<Bytes> expected;
        platform::core::Millis delay;
    } cases[] = {
        {"silent", With([](SimFaults& f) { f.Silent = true; }), 2, {}, 0},
        {"corrupt reply 2",
         With([](SimFaults& f) { f.CorruptReplies = {2}; }),
         3,
         {reply, corrupt, reply},
         0},
        {"stray events",
         With([](SimFaults& f) { f.StrayEvents = true; }),
         1,
         {{0x90, 0x3C, 0x40}, {0xB0, 0x07, 0x64}, {0x80, 0x3C, 0x00}, reply},
         0},
        {"foreign sysex",
         With([](SimFaults& f) { f.ForeignSysex = true; }),
         1,
         {otherMaker, otherModel, reply},
         0},
        {"late", With([](SimFaults& f) { f.ReplyDelay = 3000; }), 1, {reply}, 3000},
        {"stale", With([](SimFaults& f) { f.StaleReplies = true; }), 2, {reply, reply, reply}, 0},
    };
    for (const auto& c : cases) {
        SimInstrument s([&](Bytes m, platform::core::Millis d) { sent.push_back({m, d}); });
        s.Write(0x01000000, {7});
        s.SetFaults(c.faults);
        sent.clear();
        for (int i = 0; i < c.requests; ++i)
            s.Receive(SimInstrument::MakeDataRequest(0x10, 0x01000000, 1));
        EXPECT_EQ(SentMessages(), c.expected) << c.name;
        for (const auto& m : sent)
            EXPECT_EQ(m.delay, c.delay) << c.name;
        EXPECT_EQ(s.Transmitted(), c.expected) << c.name;
    }
}

TEST_F(Sim, WithoutACardOrAtAnUnansweredAddressARequestGoesUnanswered) {
    const struct {
        const char* name;
        SimFaults faults;
        std::uint32_t address;
        bool answered;
    } cases[] = {
        {"card patch, no card", With([](SimFaults& f) { f.NoCard = true; }), 0x21050000, false},
        {"card performance, no card", With([](SimFaults& f) { f.NoCard = true; }), 0x20000000,
         false},
        {"user patch, no card", With([](SimFaults& f) { f.NoCard = true; }), 0x11050000, true},
        {"card patch, card in", {}, 0x21050000, true},
        {"unanswered address", With([](SimFaults& f) { f.Unanswered = {0x11050000}; }), 0x11050000,
         false},
        {"another address", With([](SimFaults& f) { f.Unanswered = {0x11050000}; }), 0x11060000,
         true},
    };
    for (const auto& c : cases) {
        SimInstrument s([&](Bytes m, platform::core::Millis d) { sent.push_back({m, d}); });
        s.SetFaults(c.faults);
        sent.clear();
        s.Receive(SimInstrument::MakeDataRequest(0x10, c.address, 12));
        EXPECT_EQ(sent.size(), c.answered ? 1u : 0u) << c.name;
        EXPECT_EQ(s.RequestsAnswered(), c.answered ? 1 : 0) << c.name;
    }
}
