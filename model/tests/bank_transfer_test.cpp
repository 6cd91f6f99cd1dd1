// Banks and global sets to and from the simulated instrument: counts, the retry pause of a
// patch bank, the name lists they update, and the data card that may be missing.

#include "model/elements/bank.h"
#include "model/elements/global.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/elements/system.h"
#include "model/files/name_lists.h"
#include "model/sysex/sysex.h"
#include "model/tests/transfer_window_fake.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace model {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testsupport::SimInstrument;

std::uint32_t AddressOf(const Bytes& message) {
    return std::uint32_t{message[5]} << 24 | std::uint32_t{message[6]} << 16 |
           std::uint32_t{message[7]} << 8 | std::uint32_t{message[8]};
}

Bytes NameBytes(const std::string& name) {
    Bytes bytes(12, ' ');
    std::copy(name.begin(), name.end(), bytes.begin());
    return bytes;
}

std::string Numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

// A name as the name lists keep it: 12 characters.
std::string Listed(const std::string& name) {
    const Bytes bytes = NameBytes(name);
    return std::string(bytes.begin(), bytes.end());
}

class BankTransferTest : public fakes::InstrumentFixture {
protected:
    std::vector<Bytes> Requests() {
        std::vector<Bytes> requests;
        for (const Bytes& message : instrument().Received())
            if (message.size() == 15 && message[4] == SysExDataRequest) requests.push_back(message);
        return requests;
    }
};

TEST_F(BankTransferTest, APatchBankWithABadReplyPausesCompletesAndKeepsItsNames) {
    for (int n = 1; n <= PatchesPerMemory; ++n) {
        const std::uint32_t base = PatchBase(false, true, n);
        instrument().Write(base, NameBytes(Numbered("User ", n)));
        instrument().Write(SysExAddress(base, ToneOffset(4), 128),
                           {static_cast<std::uint8_t>(n - 1)});
    }
    // The second reply to the request for patch 2.
    testsupport::SimFaults faults;
    faults.CorruptReplies = {7};
    instrument().SetFaults(faults);
    TPatchBank bank(nullptr);
    bank.SetMemory(true);
    bank.Receive(false);

    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.caption, "Now Receiving User Patch Bank");
    EXPECT_EQ(window.label, "Patch Number");
    EXPECT_EQ(window.total, 640);
    EXPECT_EQ(window.messagesReceived, 640);
    EXPECT_EQ(window.elems, 128);
    const std::vector<Bytes> requests = Requests();
    ASSERT_EQ(requests.size(), 129u);
    EXPECT_EQ(requests[1], requests[2]);
    ASSERT_GE(window.sendTimes.size(), 3u);
    EXPECT_GE(window.sendTimes[2] - window.sendTimes[1], 300u);
    EXPECT_LT(window.sendTimes[1] - window.sendTimes[0], 300u);
    for (int n : {1, 2, 128}) {
        EXPECT_EQ(bank.Patch(n - 1).GetName(), Numbered("User ", n));
        EXPECT_EQ(bank.Patch(n - 1).Tone(4).GetParam(128), n - 1);
    }

    TUserCardNames names;
    names.Load();
    const auto& list = names.List(TUserCardList::UserPatches);
    ASSERT_EQ(list.Count(), 128);
    EXPECT_EQ(list[0], Listed("User 1"));
    EXPECT_EQ(list[127], Listed("User 128"));
    EXPECT_EQ(ui.nameListReloads, 1);
}

TEST_F(BankTransferTest, APerformanceBankCounts544AndSavesItsNamesInFileOrder) {
    for (int n = 1; n <= PerformancesPerMemory; ++n)
        instrument().Write(PerformanceBase(false, false, n), NameBytes(Numbered("Card ", n)));
    TPerformanceBank bank(nullptr);
    bank.SetMemory(false);
    bank.Receive(false);

    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.caption, "Now Receiving Data Card Performance Bank");
    EXPECT_EQ(window.messagesReceived, 544);
    EXPECT_EQ(window.messagesSent, 544);
    EXPECT_EQ(bank.Performance(31).GetName(), "Card 32");

    TUserCardNames names;
    names.Load();
    ASSERT_EQ(names.List(TUserCardList::CardPerformances).Count(), 32);
    EXPECT_EQ(names.List(TUserCardList::CardPerformances)[31], Listed("Card 32"));
    EXPECT_EQ(names.List(TUserCardList::UserPerformances).Count(), 0);
    EXPECT_EQ(ui.nameListReloads, 1);
}

TEST_F(BankTransferTest, ARhythmBankComesBackRhythmSetByRhythmSet) {
    for (int n = 1; n <= RhythmsPerMemory; ++n)
        instrument().Write(RhythmBase(false, true, n), NameBytes(Numbered("Kit ", n)));
    testsupport::SimFaults faults;
    faults.CorruptReplies = {70};
    instrument().SetFaults(faults);
    TRhythmBank bank(nullptr);
    bank.Receive(false);

    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.caption, "Now Receiving User Rhythm Bank");
    EXPECT_EQ(window.messagesReceived, 130);
    EXPECT_EQ(window.messagesSent, 131);
    EXPECT_EQ(window.elems, 2);
    EXPECT_EQ(bank.Rhythm(0).GetName(), "Kit 1");
    EXPECT_EQ(bank.Rhythm(1).GetName(), "Kit 2");
    EXPECT_EQ(ui.nameListReloads, 0);
}

TEST_F(BankTransferTest, BanksGoOutPacedWithTheirCounts) {
    const struct {
        const char* what;
        std::int16_t type;
        int total;
        const char* caption;
    } cases[] = {
        {"patch bank", etPatchBank, 640, "Now Transmitting User Patch Bank"},
        {"performance bank", etPerformanceBank, 544, "Now Transmitting User Performance Bank"},
        {"rhythm bank", etRhythmBank, 130, "Now Transmitting User Rhythm Bank"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<TBank> bank;
        if (c.type == etPatchBank) bank = std::make_unique<TPatchBank>(nullptr);
        if (c.type == etPerformanceBank) bank = std::make_unique<TPerformanceBank>(nullptr);
        if (c.type == etRhythmBank) bank = std::make_unique<TRhythmBank>(nullptr);
        bank->SetMemory(true);
        bank->Elem(bank->Count() - 1).SetName("Last One", false);
        const std::size_t before = instrument().Received().size();
        bank->Transmit(false);
        EXPECT_TRUE(window.done) << c.what;
        EXPECT_TRUE(window.transmitting) << c.what;
        EXPECT_EQ(window.caption, c.caption) << c.what;
        EXPECT_EQ(window.total, c.total) << c.what;
        EXPECT_EQ(window.messagesSent, c.total) << c.what;
        EXPECT_EQ(static_cast<int>(instrument().Received().size() - before), c.total) << c.what;
        for (std::size_t i = 1; i < window.sendTimes.size(); ++i)
            ASSERT_GE(window.sendTimes[i] - window.sendTimes[i - 1], 50u) << c.what;
    }
    TUserCardNames names;
    names.Load();
    // Blank names keep their lines, so that the last name stays last.
    ASSERT_EQ(names.List(TUserCardList::UserPatches).Count(), 128);
    EXPECT_EQ(names.List(TUserCardList::UserPatches)[0], Listed(""));
    EXPECT_EQ(names.List(TUserCardList::UserPatches)[127], Listed("Last One"));
    ASSERT_EQ(names.List(TUserCardList::UserPerformances).Count(), 32);
    EXPECT_EQ(names.List(TUserCardList::UserPerformances)[31], Listed("Last One"));
    EXPECT_EQ(instrument().Read(PatchBase(false, true, 128), 12), NameBytes("Last One"));
    EXPECT_EQ(instrument().Read(RhythmBase(false, true, 2), 12), NameBytes("Last One"));
}

TEST_F(BankTransferTest, AGlobalSetWithoutADataCardNeverTouchesTheCard) {
    state.Config.DataCardInstalled = false;
    TGlobal global(nullptr);
    global.Transmit(false);
    global.Receive(false);
    ASSERT_FALSE(instrument().Received().empty());
    bool system = false;
    for (const Bytes& message : instrument().Received()) {
        EXPECT_LT(AddressOf(message), 0x20000000u);
        system |= AddressOf(message) == 0;
    }
    EXPECT_TRUE(system);
    EXPECT_EQ(Requests().size(), 128u + 544u + 130u + 18u);
    EXPECT_TRUE(window.done);
}

TEST_F(BankTransferTest, AGlobalSetGoesOnToItsNextBankWithoutWaiting) {
    state.Config.DataCardInstalled = false;
    TGlobal global(nullptr);
    const platform::core::Millis start = clock.Now();
    global.Receive(false);
    const std::size_t requests = Requests().size();
    ASSERT_EQ(requests, 128u + 544u + 130u + 18u);
    // Every request waits its 50 ms; only the last window stands for its second.
    EXPECT_LT(clock.Now() - start, requests * 50 + TransferLingerMs + 500);
    EXPECT_TRUE(window.done);
}

TEST_F(BankTransferTest, CancellingOneBankEndsTheGlobalTransfer) {
    state.Config.DataCardInstalled = true;
    window.cancelAfterMs = 500;
    TGlobal global(nullptr);
    global.Receive(false);
    EXPECT_EQ(window.starts, 1);
    Run(0);
    for (const Bytes& request : Requests())
        EXPECT_EQ(AddressOf(request) & 0xFF000000u, 0x11000000u);
    const std::size_t sent = instrument().Received().size();
    Run(5000);
    EXPECT_EQ(instrument().Received().size(), sent);
}

} // namespace
} // namespace model
