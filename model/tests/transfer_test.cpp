// Single elements to and from the simulated instrument: replies placed by their address, the
// time-out with Retry and Cancel, paced sending, activation, and closed ports.

#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/elements/system.h"
#include "model/sysex/sysex.h"
#include "model/tests/transfer_window_fake.h"
#include "model/transfer/activation.h"
#include "model/transfer/transfer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace model {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testsupport::SimInstrument;

Bytes Pattern(std::size_t size, int seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + static_cast<std::size_t>(seed) * 13) & 0x7F);
    return bytes;
}

template <std::size_t N> Bytes AsBytes(const std::array<std::uint8_t, N>& image) {
    return Bytes(image.begin(), image.end());
}

class TransferTest : public fakes::InstrumentFixture {
protected:
    // The block as the instrument sends it.
    Bytes Reply(std::uint32_t address, std::size_t dataLength) {
        return SimInstrument::MakeDataSet(0x10, address, instrument().Read(address, dataLength));
    }
    std::vector<Bytes> Requests() {
        std::vector<Bytes> requests;
        for (const Bytes& message : instrument().Received())
            if (message.size() == 15 && message[4] == SysExDataRequest) requests.push_back(message);
        return requests;
    }
    void FillPatch(std::uint32_t base, int seed) {
        instrument().Write(base, Pattern(CommonDataLength, seed));
        for (int t = 1; t <= ToneCount; ++t)
            instrument().Write(SysExAddress(base, ToneOffset(t), 0),
                               Pattern(ToneDataLength, seed + t));
    }
    void ExpectPatchFrom(const TPatch& patch, std::uint32_t base) {
        EXPECT_EQ(AsBytes(patch.Common->Image), Reply(base, CommonDataLength));
        for (int t = 1; t <= ToneCount; ++t)
            EXPECT_EQ(AsBytes(patch.Tones[t - 1]->Image),
                      Reply(SysExAddress(base, ToneOffset(t), 0), ToneDataLength))
                << "tone " << t;
    }
};

TEST_F(TransferTest, APatchWithABadThirdReplyAndLateStaleRepliesEndsByteExact) {
    const struct {
        const char* what;
        int number;
        bool noise;
    } cases[] = {
        {"late replies to the first request", 5, false},
        {"and stale replies, stray notes and foreign messages", 6, true},
    };
    // A MIDI cable's pace, so that the last replies to the first request arrive after the
    // second request went out.
    virtualInstrument.SetWireTime(true);
    for (const auto& c : cases) {
        const std::uint32_t base = PatchBase(false, true, c.number);
        FillPatch(base, c.number);
        testsupport::SimFaults faults;
        // The third reply from here on: every request is answered by five replies.
        faults.CorruptReplies = {5 * instrument().RequestsAnswered() + 3};
        faults.StrayEvents = faults.ForeignSysex = faults.StaleReplies = c.noise;
        instrument().SetFaults(faults);
        const int answered = instrument().RequestsAnswered();
        TPatch patch(nullptr);
        patch.Temporary = false;
        patch.Memory = true;
        patch.Number = static_cast<std::int16_t>(c.number);
        patch.Receive(false);

        EXPECT_TRUE(window.done) << c.what;
        EXPECT_EQ(window.caption, "Now Receiving Patch") << c.what;
        EXPECT_EQ(window.label, "Pacth") << c.what;
        EXPECT_EQ(window.messagesReceived, 5) << c.what;
        EXPECT_EQ(window.bytesReceived, 644) << c.what;
        EXPECT_EQ(instrument().RequestsAnswered() - answered, 2) << c.what;
        ExpectPatchFrom(patch, base);
        const std::vector<Bytes> requests = Requests();
        ASSERT_GE(requests.size(), 2u);
        EXPECT_EQ(requests[requests.size() - 1], requests[requests.size() - 2]);
        EXPECT_EQ(requests.back(), SimInstrument::MakeDataRequest(0x10, base, 0x1718))
            << "size 00 00 17 18";
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TransferTest, APatchAnsweredInPartStillTimesOut) {
    // The instrument answers a whole-patch request with the common block and tone 1 only.
    instrument().SetBlockTable([](std::uint32_t address, std::uint32_t size) {
        std::vector<testsupport::SimBlock> blocks =
            testsupport::InstrumentBlockTable()(address, size);
        blocks.resize(std::min<std::size_t>(blocks.size(), 2));
        return blocks;
    });
    std::vector<platform::core::Millis> asked;
    dialogs.onMessage = [&](const std::string&) { asked.push_back(clock.Now()); };
    TPatch patch(nullptr);
    patch.Receive(true);

    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].Text, "The Instrument Is Not Responding.");
    EXPECT_EQ(asked[0], SysExPacingMs + 2000u);
    EXPECT_FALSE(window.done);
    EXPECT_EQ(AsBytes(patch.Common->Image), Reply(PatchEditBuffer, CommonDataLength));
}

TEST_F(TransferTest, RepliesThatDoNotFitTheExpectedBlockAreIgnoredAndNotCounted) {
    const std::uint32_t base = PerformanceBase(false, true, 3);
    instrument().Write(base, Pattern(PerformanceCommonDataLength, 3));
    for (int p = 1; p <= PartCount; ++p)
        instrument().Write(SysExAddress(base, PerformancePartOffset(p), 0),
                           Pattern(PerformancePartDataLength, p));
    testsupport::SimFaults faults;
    faults.StrayEvents = faults.ForeignSysex = true;
    instrument().SetFaults(faults);
    TPerformance performance(nullptr);
    performance.Temporary = false;
    performance.Memory = true;
    performance.Number = 3;
    // A tone-sized message at part 1's address, arriving while part 1 is awaited.
    window.onShown = [&] {
        instrument().Transmit(
            SimInstrument::MakeDataSet(0x10, SysExAddress(base, PerformancePartOffset(1), 0),
                                       Bytes(ToneDataLength, 0x55)),
            30);
    };
    performance.Receive(false);

    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.messagesReceived, 17);
    EXPECT_EQ(window.bytesReceived, 653);
    EXPECT_EQ(window.messagesSent, 17);
    EXPECT_EQ(AsBytes(performance.Common->Image), Reply(base, PerformanceCommonDataLength));
    for (int p = 1; p <= PartCount; ++p)
        EXPECT_EQ(AsBytes(performance.Part(p).Image),
                  Reply(SysExAddress(base, PerformancePartOffset(p), 0), PerformancePartDataLength))
            << "part " << p;
    EXPECT_EQ(Requests().size(), 17u);
}

// A reply with a bad checksum while a performance or the system settings come in (both take
// their replies block by block through the same loop): it is never copied into the element, even
// for a moment, nor counted; the block is asked for again and the element ends byte-exact.
TEST_F(TransferTest, ACorruptReplyIsNeitherStoredNorCountedAndTheReceiveEndsByteExact) {
    TPerformance performance(nullptr);
    performance.Temporary = false;
    performance.Memory = true;
    performance.Number = 3;
    TSystem system(nullptr);
    const std::uint32_t performanceBase = PerformanceBase(false, true, 3);

    const struct {
        const char* what;
        TLibElem& elem;
        // Each block: its address and its image in the element.
        std::vector<std::pair<std::uint32_t, std::function<Bytes()>>> blocks;
        std::size_t blockLength; // of every block but the first
        std::size_t firstLength;
        int messages, bytes;
    } cases[] = {
        {"performance", performance,
         [&] {
             std::vector<std::pair<std::uint32_t, std::function<Bytes()>>> blocks{
                 {performanceBase, [&] { return AsBytes(performance.Common->Image); }}};
             for (int p = 1; p <= PartCount; ++p)
                 blocks.push_back(
                     {SysExAddress(performanceBase, PerformancePartOffset(p), 0),
                      [&performance, p] { return AsBytes(performance.Part(p).Image); }});
             return blocks;
         }(),
         PerformancePartDataLength, PerformanceCommonDataLength, 17, 653},
        {"system", system,
         [&] {
             std::vector<std::pair<std::uint32_t, std::function<Bytes()>>> blocks{
                 {SystemBase, [&] { return AsBytes(system.Common->Image); }}};
             for (int t = 1; t <= ScaleTuneCount; ++t)
                 blocks.push_back({SysExAddress(SystemBase, ScaleTuneOffset(t), 0),
                                   [&system, t] { return AsBytes(system.ScaleTune(t).Image); }});
             return blocks;
         }(),
         ScaleTuneDataLength, SystemCommonDataLength, 18, 93 + 17 * 23},
    };
    for (const auto& c : cases) {
        int seed = 1;
        std::vector<Bytes> before, expected;
        for (const auto& [address, image] : c.blocks) {
            const std::size_t length = before.empty() ? c.firstLength : c.blockLength;
            instrument().Write(address, Pattern(length, seed++));
            before.push_back(image());
            expected.push_back(Reply(address, length));
        }
        testsupport::SimFaults faults;
        // The fourth reply from here on: every block is answered by one.
        const int corrupt = instrument().RequestsAnswered() + 4;
        faults.CorruptReplies = {corrupt};
        instrument().SetFaults(faults);
        const std::size_t requestsBefore = Requests().size();
        // Every block of the element, at every moment: as it was, or as the instrument sent it.
        int mixed = 0;
        window.onStep = [&] {
            for (std::size_t b = 0; b < c.blocks.size(); ++b) {
                const Bytes now = c.blocks[b].second();
                if (now != before[b] && now != expected[b]) ++mixed;
            }
        };
        c.elem.Receive(false);
        window.onStep = nullptr;

        EXPECT_TRUE(window.done) << c.what;
        EXPECT_EQ(mixed, 0) << c.what;
        EXPECT_EQ(window.messagesReceived, c.messages) << c.what;
        EXPECT_EQ(window.bytesReceived, c.bytes) << c.what;
        for (std::size_t b = 0; b < c.blocks.size(); ++b)
            EXPECT_EQ(c.blocks[b].second(), expected[b]) << c.what << " block " << b;
        // The fourth block was asked for twice in a row, and only it.
        const std::vector<Bytes> requests = Requests();
        ASSERT_EQ(requests.size() - requestsBefore, c.blocks.size() + 1) << c.what;
        EXPECT_EQ(requests[requestsBefore + 3], requests[requestsBefore + 4]) << c.what;
        EXPECT_EQ(requests[requestsBefore + 4][8], c.blocks[3].first & 0xFF) << c.what;
        EXPECT_EQ(requests[requestsBefore + 4][7], (c.blocks[3].first >> 8) & 0xFF) << c.what;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TransferTest, ASilentInstrumentAsksRetryOrCancel) {
    testsupport::SimFaults faults;
    faults.Silent = true;
    instrument().SetFaults(faults);
    std::vector<platform::core::Millis> asked;
    dialogs.onMessage = [&](const std::string&) { asked.push_back(clock.Now()); };
    dialogs.answers = {mrRetry, mrCancel};
    TSystem system(nullptr);
    system.Receive(false);

    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const auto& message : dialogs.messages) {
        EXPECT_EQ(message.Text, "The Instrument Is Not Responding.");
        EXPECT_EQ(message.Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(message.Buttons, static_cast<TMsgDlgButtons>(mbRetry | mbCancel));
    }
    const std::vector<Bytes> requests = Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]);
    EXPECT_EQ(requests[0], SimInstrument::MakeDataRequest(0x10, 0, 0x5D));
    EXPECT_EQ(asked[1] - asked[0], 2000u + SysExPacingMs);
    EXPECT_FALSE(window.done);
    EXPECT_FALSE(window.Timer().Enabled());
    EXPECT_FALSE(window.TimerCleanup().Enabled());

    // Nothing goes out afterwards, and the input is the default handler's again.
    const std::size_t sent = instrument().Received().size();
    instrument().Transmit({0x90, 0x3C, 0x40});
    Run(10000);
    EXPECT_EQ(instrument().Received().size(), sent);
    EXPECT_EQ(defaultInput, (std::vector<Bytes>{{0x90, 0x3C, 0x40}}));
}

TEST_F(TransferTest, CancellingWhileWaitingSendsNothingMore) {
    testsupport::SimFaults faults;
    faults.ReplyDelay = 500;
    instrument().SetFaults(faults);
    window.cancelAfterMs = 1000;
    TPerformance performance(nullptr);
    performance.Receive(true);
    const std::size_t sent = instrument().Received().size();
    Run(10000);
    EXPECT_EQ(instrument().Received().size(), sent);
    EXPECT_FALSE(window.done);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TransferTest, WithThePortsClosedAReceiveDoesNothing) {
    state.Midi.SetOnline(false);
    TPerformance performance(nullptr);
    TRhythm rhythm(nullptr);
    TSystem system(nullptr);
    TPatch patch(nullptr);
    const auto modified = performance.ModifiedTime;
    for (TLibElem* elem : std::initializer_list<TLibElem*>{&performance, &rhythm, &system, &patch})
        elem->Receive(true);
    EXPECT_EQ(window.starts, 0);
    EXPECT_EQ(performance.ModifiedTime, modified);
    EXPECT_TRUE(instrument().Received().empty());
}

TEST_F(TransferTest, ARhythmSetGoesOutPacedAndTheWindowClosesASecondAfter) {
    TRhythm rhythm(nullptr);
    for (int key = FirstRhythmKey; key <= LastRhythmKey; ++key) {
        const Bytes data = Pattern(RhythmNoteDataLength, key);
        std::copy(data.begin(), data.end(), rhythm.Note(key).Data().begin());
    }
    rhythm.Transmit(false);

    ASSERT_EQ(instrument().Received().size(), 65u);
    const std::vector<platform::core::Millis>& sent = window.sendTimes;
    ASSERT_EQ(sent.size(), 65u);
    for (std::size_t i = 1; i < sent.size(); ++i)
        EXPECT_GE(sent[i] - sent[i - 1], 50u) << i;
    EXPECT_EQ(window.closedAt - sent.back(), 1000u);
    EXPECT_TRUE(window.transmitting);
    EXPECT_EQ(window.caption, "Now Transmitting Rhythm");
    EXPECT_EQ(window.messagesSent, 65);
    EXPECT_EQ(window.bytesSent, 4439);
    EXPECT_EQ(state.CurrentRhythm, &rhythm);
    EXPECT_EQ(state.PreviewChannel, 10);
    for (int key : {35, 98})
        EXPECT_EQ(instrument().Read(SysExAddress(RhythmEditBuffer, RhythmNoteOffset(key), 0),
                                    RhythmNoteDataLength),
                  Pattern(RhythmNoteDataLength, key))
            << key;
}

TEST_F(TransferTest, ARhythmSetComesBackBlockByBlock) {
    const std::uint32_t base = RhythmBase(false, false, 2);
    for (int key = FirstRhythmKey; key <= LastRhythmKey; ++key)
        instrument().Write(SysExAddress(base, RhythmNoteOffset(key), 0),
                           Pattern(RhythmNoteDataLength, key));
    testsupport::SimFaults faults;
    faults.CorruptReplies = {10};
    instrument().SetFaults(faults);
    TRhythm rhythm(nullptr);
    rhythm.Temporary = false;
    rhythm.Number = 2;
    rhythm.Receive(false);
    EXPECT_TRUE(window.done);
    EXPECT_EQ(window.messagesReceived, 65);
    EXPECT_EQ(Requests().size(), 66u);
    for (int key = FirstRhythmKey; key <= LastRhythmKey; ++key)
        EXPECT_EQ(AsBytes(rhythm.Note(key).Image),
                  Reply(SysExAddress(base, RhythmNoteOffset(key), 0), RhythmNoteDataLength))
            << key;
}

TEST_F(TransferTest, ActivationSendsAnElementThatIsNotCurrentYet) {
    TPatch patch(nullptr);
    ActivatePatch(nullptr);
    state.DragRunning = true;
    ActivatePatch(&patch);
    state.DragRunning = false;
    EXPECT_EQ(state.CurrentPatch, nullptr);
    ActivatePatch(&patch);
    EXPECT_EQ(state.CurrentPatch, &patch);
    Run(10);
    EXPECT_EQ(instrument().Received().size(), 5u);
    ActivatePatch(&patch);
    Run(10);
    EXPECT_EQ(instrument().Received().size(), 5u);

    TSystem system(nullptr);
    state.PreviewChannel = 10;
    ActivateSystem(&system);
    EXPECT_EQ(state.CurrentSystem, &system);
    EXPECT_EQ(state.PreviewChannel, 1);
    Run(10);
    EXPECT_EQ(instrument().Received().size(), 5u + 18u);
}

} // namespace
} // namespace model
