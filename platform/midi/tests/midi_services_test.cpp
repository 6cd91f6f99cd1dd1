#include "platform/midi/midi_services.h"

#include "platform/core/message_loop.h"
#include "platform/midi/rtmidi_backend.h"
#include "platform/midi/virtual_midi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace platform::midi;
using platform::core::ClockOverride;
using platform::core::ManualClock;
using platform::core::RunFor;

namespace {

struct Call {
    UINT msg;
    DWORD_PTR param1;
    DWORD_PTR param2;
};

struct Recorder {
    std::vector<Call> calls;
    std::vector<Call> Of(UINT msg) const {
        std::vector<Call> result;
        for (const auto& c : calls)
            if (c.msg == msg) result.push_back(c);
        return result;
    }
};

void Record(std::uintptr_t, UINT msg, DWORD_PTR instance, DWORD_PTR p1, DWORD_PTR p2) {
    reinterpret_cast<Recorder*>(instance)->calls.push_back(Call{msg, p1, p2});
}

DWORD_PTR Instance(Recorder& r) {
    return reinterpret_cast<DWORD_PTR>(&r);
}

class MidiServices : public ::testing::Test {
protected:
    ManualClock clock{1000};
    ClockOverride clockOverride{clock};
    VirtualMidi backend{clock};
    BackendOverride backendOverride{backend};
    std::vector<std::vector<std::uint8_t>> farSideGot;
    std::size_t pair = backend.AddPair(
        "Synth", [this](std::vector<std::uint8_t> m) { farSideGot.push_back(std::move(m)); });
    Recorder recorder;

    HMIDIIN OpenStartedInput() {
        EXPECT_EQ(midiInGetNumDevs(), 1u);
        HMIDIIN in{};
        EXPECT_EQ(midiInOpen(&in, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
        EXPECT_EQ(midiInStart(in), MMSYSERR_NOERROR);
        return in;
    }
};

struct Buffer {
    std::vector<std::uint8_t> bytes;
    MIDIHDR header;
    explicit Buffer(std::size_t size) : bytes(size) {
        header.lpData = bytes.data();
        header.dwBufferLength = static_cast<DWORD>(size);
    }
};

} // namespace

TEST(UniqueProductNames, NumbersRepeatedNamesInListOrder) {
    struct Case {
        std::vector<std::string> in;
        std::vector<std::string> out;
    } cases[] = {
        {{}, {}},
        {{"A", "B"}, {"A", "B"}},
        {{"UM-ONE", "UM-ONE", "B", "UM-ONE"}, {"UM-ONE", "UM-ONE #2", "B", "UM-ONE #3"}},
        {{"A", "A #2", "A"}, {"A", "A #2", "A #3"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UniqueProductNames(c.in), c.out);
}

TEST(StablePortName, DropsTheAlsaClientAndPortNumbers) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"UM-ONE:UM-ONE MIDI 1 20:0", "UM-ONE:UM-ONE MIDI 1"},
        {"Midi Through:Midi Through Port-0 14:0", "Midi Through:Midi Through Port-0"},
        {"system:midi_capture_1", "system:midi_capture_1"},
        {"Sim Instrument:in", "Sim Instrument:in"},
        {"odd 20:", "odd 20:"},
        {"20:0", "20:0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StablePortName(c.in), c.out) << c.in;
}

TEST_F(MidiServices, IdenticalDevicesGetDistinctNamesAndBothOpen) {
    backend.AddPair("Synth");
    ASSERT_EQ(midiOutGetNumDevs(), 2u);
    ASSERT_EQ(midiInGetNumDevs(), 2u);
    MIDIOUTCAPSA out0, out1;
    MIDIINCAPSA in1;
    ASSERT_EQ(midiOutGetDevCapsA(0, &out0), MMSYSERR_NOERROR);
    ASSERT_EQ(midiOutGetDevCapsA(1, &out1), MMSYSERR_NOERROR);
    ASSERT_EQ(midiInGetDevCapsA(1, &in1), MMSYSERR_NOERROR);
    EXPECT_EQ(out0.szPname, "Synth");
    EXPECT_EQ(out1.szPname, "Synth #2");
    EXPECT_EQ(in1.szPname, "Synth #2");
    HMIDIOUT a{}, b{};
    EXPECT_EQ(midiOutOpen(&a, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutOpen(&b, 1, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(a), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(b), MMSYSERR_NOERROR);
}

TEST_F(MidiServices, CapabilitiesOfUnknownIdsAndOfTheMapper) {
    ASSERT_EQ(midiOutGetNumDevs(), 1u);
    MIDIOUTCAPSA out;
    MIDIINCAPSA in;
    EXPECT_EQ(midiOutGetDevCapsA(1, &out), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(midiInGetDevCapsA(1, &in), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(midiInGetDevCapsA(MIDI_MAPPER, &in), MMSYSERR_BADDEVICEID);
    ASSERT_EQ(midiOutGetDevCapsA(MIDI_MAPPER, &out), MMSYSERR_NOERROR);
    EXPECT_EQ(out.szPname, "MIDI Mapper");
    HMIDIOUT mapper{};
    ASSERT_EQ(midiOutOpen(&mapper, MIDI_MAPPER, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutShortMsg(mapper, 0x407F90), MMSYSERR_NOERROR);
    RunFor(clock, 0);
    ASSERT_EQ(farSideGot.size(), 1u);
    EXPECT_EQ(midiOutClose(mapper), MMSYSERR_NOERROR);
}

TEST_F(MidiServices, ABusyDeviceCannotBeOpenedAgain) {
    midiOutGetNumDevs();
    HMIDIOUT out{}, again{};
    HMIDIIN in{}, inAgain{};
    ASSERT_EQ(midiOutOpen(&out, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutOpen(&again, 0, &Record, Instance(recorder)), MMSYSERR_ALLOCATED);
    EXPECT_EQ(again, HMIDIOUT{});
    ASSERT_EQ(midiInOpen(&in, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInOpen(&inAgain, 0, &Record, Instance(recorder)), MMSYSERR_ALLOCATED);
    EXPECT_EQ(midiOutClose(out), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInClose(in), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutOpen(&again, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(again), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(again), MMSYSERR_INVALHANDLE);
}

TEST_F(MidiServices, ShortMessagesGoOutWithTheirLengthAndComeInPackedWithTheirTime) {
    midiOutGetNumDevs();
    HMIDIOUT out{};
    ASSERT_EQ(midiOutOpen(&out, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutShortMsg(out, 0x0005C1), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutShortMsg(out, 0x00FE), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutShortMsg(out, 0x4040), MMSYSERR_INVALPARAM);
    RunFor(clock, 0);
    ASSERT_EQ(farSideGot.size(), 2u);
    EXPECT_EQ(farSideGot[0], (std::vector<std::uint8_t>{0xC1, 0x05}));
    EXPECT_EQ(farSideGot[1], (std::vector<std::uint8_t>{0xFE}));
    midiOutClose(out);

    HMIDIIN in{};
    ASSERT_EQ(midiInOpen(&in, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    backend.Deliver(pair, {0x90, 0x3C, 0x40}, clock.Now());
    RunFor(clock, 1);
    EXPECT_TRUE(recorder.Of(MIM_DATA).empty()) << "input flows only after start";
    ASSERT_EQ(midiInStart(in), MMSYSERR_NOERROR);
    backend.Deliver(pair, {0x90, 0x3C, 0x40}, clock.Now() + 25);
    RunFor(clock, 30);
    auto data = recorder.Of(MIM_DATA);
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].param1, 0x403C90u);
    EXPECT_EQ(data[0].param2, 25u);
    ASSERT_EQ(midiInReset(in), MMSYSERR_NOERROR);
    ASSERT_EQ(midiInClose(in), MMSYSERR_NOERROR);
}

TEST_F(MidiServices, SysexFillsTheQueuedBuffersInOrderAndTheRestIsDropped) {
    HMIDIIN in = OpenStartedInput();
    Buffer a(4), b(4);
    for (Buffer* buf : {&a, &b}) {
        EXPECT_EQ(midiInAddBuffer(in, &buf->header), MIDIERR_UNPREPARED);
        ASSERT_EQ(midiInPrepareHeader(in, &buf->header), MMSYSERR_NOERROR);
        ASSERT_EQ(midiInAddBuffer(in, &buf->header), MMSYSERR_NOERROR);
    }
    EXPECT_EQ(midiInUnprepareHeader(in, &a.header), MIDIERR_STILLPLAYING);
    backend.Deliver(pair, {0xF0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xF7}, clock.Now());
    RunFor(clock, 0);
    auto longData = recorder.Of(MIM_LONGDATA);
    ASSERT_EQ(longData.size(), 2u);
    EXPECT_EQ(longData[0].param1, reinterpret_cast<DWORD_PTR>(&a.header));
    EXPECT_EQ(longData[1].param1, reinterpret_cast<DWORD_PTR>(&b.header));
    EXPECT_EQ(a.bytes, (std::vector<std::uint8_t>{0xF0, 1, 2, 3}));
    EXPECT_EQ(b.bytes, (std::vector<std::uint8_t>{4, 5, 6, 7}));
    EXPECT_EQ(b.header.dwBytesRecorded, 4u);
    EXPECT_TRUE(b.header.dwFlags & MHDR_DONE);
    EXPECT_FALSE(b.header.dwFlags & MHDR_INQUEUE);

    backend.Deliver(pair, {0xF0, 0x41, 0xF7}, clock.Now());
    RunFor(clock, 0);
    EXPECT_EQ(recorder.Of(MIM_LONGDATA).size(), 2u) << "no buffer queued: the message is lost";
    EXPECT_EQ(midiInClose(in), MMSYSERR_NOERROR);
}

TEST_F(MidiServices, ResetReturnsTheQueuedBuffersAndCloseWantsThemBack) {
    HMIDIIN in = OpenStartedInput();
    Buffer a(8);
    ASSERT_EQ(midiInPrepareHeader(in, &a.header), MMSYSERR_NOERROR);
    ASSERT_EQ(midiInAddBuffer(in, &a.header), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInClose(in), MIDIERR_STILLPLAYING);
    ASSERT_EQ(midiInReset(in), MMSYSERR_NOERROR);
    auto longData = recorder.Of(MIM_LONGDATA);
    ASSERT_EQ(longData.size(), 1u);
    EXPECT_EQ(a.header.dwBytesRecorded, 0u);
    EXPECT_TRUE(a.header.dwFlags & MHDR_DONE);
    EXPECT_EQ(midiInUnprepareHeader(in, &a.header), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInClose(in), MMSYSERR_NOERROR);
    EXPECT_EQ(recorder.Of(MIM_CLOSE).size(), 1u);

    backend.Deliver(pair, {0x90, 1, 2}, clock.Now());
    RunFor(clock, 0);
    EXPECT_TRUE(recorder.Of(MIM_DATA).empty()) << "nothing after close";
}

TEST_F(MidiServices, TheDriverTakesOnlyAsManyBuffersAsItHasRoomFor) {
    backend.SetBufferLimit(pair, 1);
    HMIDIIN in = OpenStartedInput();
    Buffer a(8), b(8);
    midiInPrepareHeader(in, &a.header);
    midiInPrepareHeader(in, &b.header);
    EXPECT_EQ(midiInAddBuffer(in, &a.header), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInAddBuffer(in, &b.header), MMSYSERR_NOMEM);
    midiInReset(in);
    EXPECT_EQ(midiInClose(in), MMSYSERR_NOERROR);
}

TEST_F(MidiServices, LongMessagesNeedAPreparedHeaderAndReportDoneOnce) {
    midiOutGetNumDevs();
    HMIDIOUT out{};
    ASSERT_EQ(midiOutOpen(&out, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    Buffer message(5);
    message.bytes = {0xF0, 0x41, 0x10, 0x6A, 0xF7};
    message.header.lpData = message.bytes.data();
    EXPECT_EQ(midiOutLongMsg(out, &message.header), MIDIERR_UNPREPARED);
    ASSERT_EQ(midiOutPrepareHeader(out, &message.header), MMSYSERR_NOERROR);
    ASSERT_EQ(midiOutLongMsg(out, &message.header), MMSYSERR_NOERROR);
    auto done = recorder.Of(MOM_DONE);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].param1, reinterpret_cast<DWORD_PTR>(&message.header));
    RunFor(clock, 0);
    ASSERT_EQ(farSideGot.size(), 1u);
    EXPECT_EQ(farSideGot[0], message.bytes);
    EXPECT_EQ(midiOutUnprepareHeader(out, &message.header), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(out), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutShortMsg(out, 0x90), MMSYSERR_INVALHANDLE);
}

TEST_F(MidiServices, WireTimeDelaysEachMessageByItsBytesOneAfterTheOther) {
    backend.SetWireTime(pair, 320);
    midiOutGetNumDevs();
    HMIDIOUT out{};
    ASSERT_EQ(midiOutOpen(&out, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
    Buffer message(10);
    message.bytes[0] = 0xF0;
    message.bytes[9] = 0xF7;
    midiOutPrepareHeader(out, &message.header);
    midiOutLongMsg(out, &message.header); // 3.2 ms
    midiOutLongMsg(out, &message.header); // queued behind it: 6.4 ms
    RunFor(clock, 3);
    EXPECT_EQ(farSideGot.size(), 0u);
    RunFor(clock, 1);
    EXPECT_EQ(farSideGot.size(), 1u);
    RunFor(clock, 2);
    EXPECT_EQ(farSideGot.size(), 1u);
    RunFor(clock, 1);
    EXPECT_EQ(farSideGot.size(), 2u);
    midiOutClose(out);
}

// The far side's program stops while its system stays, then starts again: the handles say what
// stands at their other end, sending fails as not ready (not as a device that is gone), what was
// on the wire is lost and counted undelivered, and a relink (or the back end by itself) connects
// them again.
TEST_F(MidiServices, APeerThatStopsAndStartsAgainIsFollowedAndWhatWasUnderWayIsUndelivered) {
    struct Case {
        const char* what;
        bool seen;
        bool relink;
        Link after;
    };
    for (const Case c : {Case{"seen coming back", true, false, Link::Connected},
                         Case{"unseen, relinked", false, true, Link::Connected},
                         Case{"unseen", false, false, Link::PeerGone}}) {
        SCOPED_TRACE(c.what);
        farSideGot.clear();
        backend.SetWireTime(pair, 320);
        HMIDIIN in = OpenStartedInput();
        midiOutGetNumDevs();
        HMIDIOUT out{};
        ASSERT_EQ(midiOutOpen(&out, 0, &Record, Instance(recorder)), MMSYSERR_NOERROR);
        Buffer message(10);
        message.bytes[0] = 0xF0;
        message.bytes[9] = 0xF7;
        midiOutPrepareHeader(out, &message.header);
        ASSERT_EQ(midiOutLongMsg(out, &message.header), MMSYSERR_NOERROR);
        EXPECT_EQ(midiOutUndelivered(out), 1u);
        RunFor(clock, 4);
        EXPECT_EQ(midiOutUndelivered(out), 0u);
        ASSERT_EQ(midiOutLongMsg(out, &message.header), MMSYSERR_NOERROR);

        backend.StopPeer(pair);
        EXPECT_EQ(midiOutLink(out), Link::PeerGone);
        EXPECT_EQ(midiInLink(in), Link::PeerGone);
        EXPECT_FALSE(midiOutConnected(out));
        EXPECT_EQ(midiOutLongMsg(out, &message.header), MIDIERR_NOTREADY);
        EXPECT_EQ(midiOutShortMsg(out, 0x403C90), MIDIERR_NOTREADY);
        EXPECT_EQ(midiOutRelink(out), Link::PeerGone);
        EXPECT_EQ(midiOutGetNumDevs(), 0u);
        RunFor(clock, 10);
        EXPECT_EQ(farSideGot.size(), 1u) << "the message under way arrived";
        EXPECT_EQ(midiOutUndelivered(out), 1u);

        backend.StartPeer(pair, c.seen);
        if (c.relink) {
            EXPECT_EQ(midiOutRelink(out), Link::Connected);
            EXPECT_EQ(midiInRelink(in), Link::Connected);
        }
        EXPECT_EQ(midiOutLink(out), c.after);
        EXPECT_EQ(midiInLink(in), c.after);
        EXPECT_EQ(midiOutLongMsg(out, &message.header),
                  c.after == Link::Connected ? MMSYSERR_NOERROR : MIDIERR_NOTREADY);
        backend.Deliver(pair, {0x90, 0x3C, 0x40}, clock.Now());
        recorder.calls.clear();
        RunFor(clock, 10);
        EXPECT_EQ(recorder.Of(MIM_DATA).size(), c.after == Link::Connected ? 1u : 0u);
        EXPECT_EQ(farSideGot.size(), c.after == Link::Connected ? 2u : 1u);
        midiOutClose(out);
        midiInReset(in);
        midiInClose(in);
    }
}

TEST(MidiErrorText, KnownCodesHaveATextAndOthersAreOutOfRange) {
    char text[128];
    EXPECT_EQ(midiOutGetErrorTextA(MMSYSERR_ALLOCATED, text, sizeof text), MMSYSERR_NOERROR);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_EQ(midiInGetErrorTextA(MIDIERR_STILLPLAYING, text, sizeof text), MMSYSERR_NOERROR);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_EQ(midiOutGetErrorTextA(MIDIERR_NOTREADY, text, sizeof text), MMSYSERR_NOERROR);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_EQ(midiOutGetErrorTextA(12345, text, sizeof text), MMSYSERR_BADERRNUM);
    char small[6];
    EXPECT_EQ(midiInGetErrorTextA(MMSYSERR_NOMEM, small, sizeof small), MMSYSERR_NOERROR);
    EXPECT_EQ(std::strlen(small), 5u);
}
