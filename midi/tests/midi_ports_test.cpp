#include "midi/midi_input.h"
#include "midi/midi_output.h"

#include "platform/core/message_loop.h"
#include "testsupport/virtual_instrument.h"

#include <gtest/gtest.h>

#include <thread>

using namespace midi;
using platform::core::ClockOverride;
using platform::core::ManualClock;
using platform::core::ProcessMessages;
using platform::core::RunFor;
using testsupport::Bytes;
using testsupport::SimInstrument;
using testsupport::VirtualInstrument;

namespace {

class MidiPorts : public ::testing::Test {
protected:
    MidiPorts() { platform::core::ResetMessageLoop(); }

    ManualClock clock{5000};
    ClockOverride clockOverride{clock};
    VirtualInstrument synth{clock};
    platform::midi::VirtualMidi& wire = synth.Midi();

    // What the far side sends, delivered by the driver `after` ms from now.
    void FromSynth(Bytes message, platform::core::Millis after = 0) {
        wire.Deliver(synth.Pair(), std::move(message), clock.Now() + after);
    }

    std::unique_ptr<TMidiInput> OpenedInput() {
        auto in = std::make_unique<TMidiInput>(nullptr);
        in->SetProductName(VirtualInstrument::DefaultName);
        EXPECT_TRUE(in->Open());
        in->Start();
        return in;
    }

    static std::vector<std::unique_ptr<TMyMidiEvent>> ReadAll(TMidiInput& in) {
        std::vector<std::unique_ptr<TMyMidiEvent>> events;
        while (in.PendingCount() > 0)
            events.push_back(in.ReadEvent());
        return events;
    }
};

template <class E, class F> std::string TextOf(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

Bytes Sysex(std::size_t length, std::uint8_t seed = 0) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + seed) & 0x7F);
    bytes.front() = 0xF0;
    bytes.back() = 0xF7;
    return bytes;
}

} // namespace

TEST_F(MidiPorts, ShortMessagesArriveThroughTheRingOnTheUserInterfaceThread) {
    auto in = OpenedInput();
    std::vector<TMyMidiEvent> got;
    in->OnMidiInput = [&](platform::core::TObject* sender) {
        EXPECT_EQ(sender, in.get());
        while (in->PendingCount() > 0)
            got.push_back(*in->ReadEvent());
    };
    FromSynth({0x91, 0x3C, 0x64}, 40);
    FromSynth({0xC1, 0x05}, 40);
    clock.Advance(50);
    EXPECT_TRUE(got.empty()) << "only the pump delivers";
    ProcessMessages();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Status, 0x91);
    EXPECT_EQ(got[0].Data1, 0x3C);
    EXPECT_EQ(got[0].Data2, 0x64);
    EXPECT_EQ(got[0].Time, 40u);
    EXPECT_EQ(got[0].SysexLength, 0u);
    EXPECT_TRUE(got[0].Sysex.empty());
    EXPECT_EQ(got[1].Status, 0xC1);
    EXPECT_EQ(got[1].Data1, 0x05);
    EXPECT_EQ(got[1].Data2, 0x00);
}

TEST_F(MidiPorts, ABurstFromAnotherThreadFillsTheRingAndSignalsOverflow) {
    auto in = OpenedInput();
    ASSERT_EQ(in->Capacity(), 1024);
    int overflows = 0;
    in->OnOverflow = [&](platform::core::TObject*) { ++overflows; };
    for (int i = 0; i < 1500; ++i) {
        FromSynth({0xF8});
        FromSynth({0x90, static_cast<std::uint8_t>(i & 0x7F), 0x40});
        FromSynth({0xFE});
    }
    std::thread driver([&] { clock.Advance(0); });
    driver.join();
    EXPECT_EQ(in->PendingCount(), 1024);
    ProcessMessages();
    EXPECT_EQ(overflows, 1500 - 1024);

    auto first = in->ReadEvent();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Status, 0x90);
    EXPECT_EQ(first->Data1, 0);
    FromSynth({0x80, 0x01, 0x00});
    RunFor(clock, 0);
    EXPECT_EQ(in->PendingCount(), 1024) << "reading one made room for one";
    EXPECT_EQ(overflows, 1500 - 1024);

    auto events = ReadAll(*in);
    ASSERT_EQ(events.size(), 1024u);
    for (std::size_t i = 0; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i]->Status, 0x90);
        EXPECT_EQ(events[i]->Data1, (i + 1) & 0x7F);
    }
    EXPECT_EQ(events.back()->Status, 0x80);
    EXPECT_FALSE(in->ReadEvent());
}

TEST_F(MidiPorts, SysexOnlyDropsShortMessagesAndTakesEffectWhileOpen) {
    auto in = OpenedInput();
    in->SetSysexOnly(true);
    EXPECT_TRUE(in->SysexOnly());
    FromSynth({0x90, 0x3C, 0x40});
    FromSynth({0xF0, 0x41, 0x10, 0xF7});
    FromSynth({0xB0, 0x07, 0x64});
    RunFor(clock, 0);
    auto events = ReadAll(*in);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->Status, 0xF0);
    EXPECT_EQ(events[0]->Sysex, (Bytes{0xF0, 0x41, 0x10, 0xF7}));

    in->SetSysexOnly(false);
    FromSynth({0x90, 0x3C, 0x40});
    RunFor(clock, 0);
    EXPECT_EQ(in->PendingCount(), 1);
}

TEST_F(MidiPorts, ALongSysexArrivesInBufferSizedPiecesThatEachKeepTheirBytes) {
    auto in = OpenedInput();
    ASSERT_EQ(in->SysexBufferSize(), 4096);
    ASSERT_EQ(in->SysexBufferCount(), 16);
    Bytes dump = Sysex(10000);
    FromSynth(dump);
    RunFor(clock, 0);
    auto events = ReadAll(*in);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0]->SysexLength, 4096);
    EXPECT_EQ(events[1]->SysexLength, 4096);
    EXPECT_EQ(events[2]->SysexLength, 10000 - 2 * 4096);
    Bytes joined;
    for (const auto& e : events) {
        EXPECT_EQ(e->Status, 0xF0);
        EXPECT_EQ(e->Sysex.size(), e->SysexLength);
        joined.insert(joined.end(), e->Sysex.begin(), e->Sysex.end());
    }
    EXPECT_EQ(joined, dump);

    // All sixteen buffers again, so the next dump reuses the ones just read.
    for (int i = 0; i < 6; ++i)
        FromSynth(Sysex(10000, static_cast<std::uint8_t>(i + 1)));
    RunFor(clock, 0);
    ReadAll(*in);
    Bytes again;
    for (const auto& e : events)
        again.insert(again.end(), e->Sysex.begin(), e->Sysex.end());
    EXPECT_EQ(again, dump) << "events own their bytes";
}

TEST_F(MidiPorts, EachBufferGoesBackToTheDriverWhenItsEventIsRead) {
    auto in = std::make_unique<TMidiInput>(nullptr);
    in->SetSysexBufferCount(1);
    in->SetSysexBufferSize(8);
    ASSERT_TRUE(in->Open());
    in->Start();
    for (std::uint8_t i = 0; i < 3; ++i) {
        FromSynth({0xF0, i, 0xF7});
        RunFor(clock, 0);
        auto event = in->ReadEvent();
        ASSERT_TRUE(event) << int{i};
        EXPECT_EQ(event->Sysex, (Bytes{0xF0, i, 0xF7}));
    }
    // With the one buffer unread, the next message finds none and is lost, as with a driver.
    FromSynth({0xF0, 1, 0xF7});
    FromSynth({0xF0, 2, 0xF7});
    RunFor(clock, 0);
    EXPECT_EQ(in->PendingCount(), 1);
}

TEST_F(MidiPorts, ABufferWhoseEventFoundTheRingFullIsGivenBackToTheDriver) {
    auto in = std::make_unique<TMidiInput>(nullptr);
    in->SetCapacity(3);
    in->SetSysexBufferCount(3);
    in->SetSysexBufferSize(4);
    ASSERT_TRUE(in->Open());
    in->Start();
    int overflows = 0;
    in->OnOverflow = [&](platform::core::TObject*) { ++overflows; };
    for (std::uint8_t i = 0; i < 3; ++i)
        FromSynth({0x90, i, 0x40});
    FromSynth({0xF0, 0x01, 0x02, 0xF7});
    RunFor(clock, 0);
    EXPECT_EQ(overflows, 1);
    EXPECT_EQ(ReadAll(*in).size(), 3u);

    Bytes dump = Sysex(12);
    FromSynth(dump);
    RunFor(clock, 0);
    auto events = ReadAll(*in);
    ASSERT_EQ(events.size(), 3u) << "all three buffers are at the driver again";
    Bytes joined;
    for (const auto& e : events)
        joined.insert(joined.end(), e->Sysex.begin(), e->Sysex.end());
    EXPECT_EQ(joined, dump);
}

TEST_F(MidiPorts, AfterCloseQueuedNotificationsCallNothingAndReadEventReturnsNull) {
    auto in = OpenedInput();
    int inputs = 0;
    int overflows = 0;
    in->OnMidiInput = [&](platform::core::TObject*) { ++inputs; };
    in->OnOverflow = [&](platform::core::TObject*) { ++overflows; };
    EXPECT_FALSE(in->ReadEvent()) << "empty ring";
    for (int i = 0; i < 1030; ++i)
        FromSynth({0x90, 0x3C, 0x40});
    clock.Advance(0); // delivered by the driver, not yet by the pump
    in->Close();
    EXPECT_EQ(in->PendingCount(), 0);
    EXPECT_FALSE(in->ReadEvent()) << "closed port";
    ProcessMessages();
    EXPECT_EQ(inputs, 0);
    EXPECT_EQ(overflows, 0);
    in->Close(); // closing again does nothing

    ASSERT_TRUE(in->Open());
    in->Start();
    ProcessMessages();
    EXPECT_EQ(inputs, 0) << "a reopened port starts with an empty ring";
}

TEST_F(MidiPorts, SendLongCopiesTheBytesAndReportsEachMessageOnce) {
    TMidiOutput out(nullptr);
    out.SetProductName(VirtualInstrument::DefaultName);
    ASSERT_TRUE(out.Open());
    int done = 0;
    out.Onmidioutput = [&](platform::core::TObject* sender) {
        EXPECT_EQ(sender, &out);
        ++done;
    };
    Bytes first = SimInstrument::MakeDataSet(0x10, 0x03000000, {1, 2, 3});
    Bytes buffer = first;
    out.SendLong(buffer.data(), static_cast<std::uint16_t>(buffer.size()));
    std::fill(buffer.begin(), buffer.end(), 0x00); // overwritten at once
    Bytes second = SimInstrument::MakeDataRequest(0x10, 0x03000000, 3);
    buffer = second;
    out.SendLong(buffer.data(), static_cast<std::uint16_t>(buffer.size()));
    buffer.assign(buffer.size(), 0x7F);
    out.SendShort(0x90, 0x3C, 0x40);
    RunFor(clock, 10);
    EXPECT_EQ(done, 2);
    auto received = synth.Instrument().Received();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0], first);
    EXPECT_EQ(received[1], second);
    EXPECT_EQ(received[2], (Bytes{0x90, 0x3C, 0x40}));
    EXPECT_EQ(synth.Instrument().Read(0x03000000, 3), (Bytes{1, 2, 3}));
    RunFor(clock, 10);
    EXPECT_EQ(done, 2);
}

TEST_F(MidiPorts, SendEventSendsSysexAsLongAndTheRestAsShort) {
    TMidiOutput out(nullptr);
    TMyMidiEvent note;
    note.Status = 0x92;
    note.Data1 = 0x40;
    note.Data2 = 0x10;
    EXPECT_EQ(TextOf<EmidioutputError>([&] { out.SendEvent(note); }),
              "MIDI Output device not open");
    ASSERT_TRUE(out.Open());
    TMyMidiEvent sysex;
    sysex.Status = 0xF0;
    sysex.Sysex = {0xF0, 0x41, 0xF7};
    sysex.SysexLength = 3;
    out.SendEvent(note);
    out.SendEvent(sysex);
    RunFor(clock, 0);
    auto received = synth.Instrument().Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], (Bytes{0x92, 0x40, 0x10}));
    EXPECT_EQ(received[1], sysex.Sysex);
}

TEST_F(MidiPorts, ADataRequestIsAnsweredThroughTheInput) {
    synth.SetWireTime(true);
    synth.Instrument().Write(0x03001000, {10, 20, 30, 40});
    TMidiOutput out(nullptr);
    ASSERT_TRUE(out.Open());
    auto in = OpenedInput();
    std::vector<Bytes> replies;
    in->OnMidiInput = [&](platform::core::TObject*) {
        while (auto e = in->ReadEvent())
            replies.push_back(e->Sysex);
    };
    Bytes request = SimInstrument::MakeDataRequest(0x10, 0x03001000, 4);
    out.SendLong(request.data(), static_cast<std::uint16_t>(request.size()));
    // 15 bytes out take 4.8 ms: the instrument has the request in the 5th millisecond;
    // 15 bytes back take 4.8 ms more.
    RunFor(clock, 9);
    EXPECT_TRUE(replies.empty());
    RunFor(clock, 1);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], SimInstrument::MakeDataSet(0x10, 0x03001000, {10, 20, 30, 40}));
}

TEST_F(MidiPorts, DeviceChoiceErrorsCarryTheirTexts) {
    TMidiOutput out(nullptr);
    TMidiInput in(nullptr);
    EXPECT_EQ(TextOf<EmidioutputError>([&] { out.SetDeviceID(1); }), "Invalid device ID");
    EXPECT_EQ(TextOf<EmidioutputError>([&] { out.SetDeviceID(-2); }), "Invalid device ID");
    EXPECT_EQ(TextOf<EMidiInputError>([&] { in.SetDeviceID(1); }), "Invalid device ID");
    EXPECT_EQ(TextOf<EMidiInputError>([&] { in.SetDeviceID(-1); }), "Invalid device ID");

    out.SetDeviceID(-1);
    EXPECT_EQ(out.ProductName(), "MIDI Mapper");
    out.SetDeviceID(0);
    EXPECT_EQ(out.ProductName(), VirtualInstrument::DefaultName);
    EXPECT_EQ(in.DeviceID(), 0);
    EXPECT_EQ(in.ProductName(), VirtualInstrument::DefaultName);

    EXPECT_EQ(TextOf<EmidioutputError>([&] { out.SetProductName("Nope"); }),
              "MIDI output Device Nope not installed");
    EXPECT_EQ(TextOf<EMidiInputError>([&] { in.SetProductName("Nope"); }),
              "MIDI Input Device Nope not installed ");
    EXPECT_EQ(out.DeviceID(), 0);
    out.SetProductName("MIDI Mapper");
    EXPECT_EQ(out.DeviceID(), -1);

    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(in.Open());
    struct Case {
        std::function<void()> change;
        const char* text;
    } cases[] = {
        {[&] { out.SetDeviceID(0); }, "Change to DeviceID while device was open"},
        {[&] { out.SetProductName("Sim Instrument"); },
         "Change to ProductName while device was open"},
        {[&] { in.SetDeviceID(0); }, "Change to DeviceID while device was open"},
        {[&] { in.SetProductName("Sim Instrument"); },
         "Change to ProductName while device was open"},
        {[&] { in.SetSysexBufferSize(100); }, "Change to SysexBufferSize while device was open"},
        {[&] { in.SetSysexBufferCount(2); }, "Change to SysexBuffercount while device was open"},
    };
    for (const auto& c : cases) {
        try {
            c.change();
            ADD_FAILURE() << "nothing raised for " << c.text;
        } catch (const platform::core::Exception& e) {
            EXPECT_EQ(e.Message(), c.text);
        }
    }
    EXPECT_EQ(out.DeviceID(), -1);
    EXPECT_EQ(in.SysexBufferSize(), 4096);
}

TEST_F(MidiPorts, DriverFailuresRaiseTheDriverText) {
    TMidiOutput out(nullptr);
    EXPECT_EQ(TextOf<EmidioutputError>([&] { out.SendShort(0x90, 1, 2); }),
              MidiOutputErrorText(platform::midi::MMSYSERR_INVALHANDLE));
    EXPECT_NE(MidiOutputErrorText(platform::midi::MMSYSERR_INVALHANDLE),
              "Specified error number is out of range");
    EXPECT_EQ(MidiOutputErrorText(4711), "Specified error number is out of range");
    EXPECT_EQ(MidiInputErrorText(4711), "Specified error number is out of range");
    EXPECT_FALSE(out.Close()) << "closing a closed port";
}

TEST_F(MidiPorts, OpenOnABusyDeviceReturnsFalseAndRaisesNothing) {
    TMidiOutput first(nullptr), second(nullptr);
    TMidiInput firstIn(nullptr), secondIn(nullptr);
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(firstIn.Open());
    EXPECT_FALSE(second.Open());
    EXPECT_FALSE(secondIn.Open());
    EXPECT_EQ(secondIn.Error(), platform::midi::MMSYSERR_ALLOCATED);
    EXPECT_TRUE(first.Close());
    firstIn.Close();
    EXPECT_TRUE(second.Open());
    EXPECT_TRUE(secondIn.Open());
    secondIn.Start();
    int inputs = 0;
    secondIn.OnMidiInput = [&](platform::core::TObject*) { ++inputs; };
    FromSynth({0x90, 1, 1});
    RunFor(clock, 0);
    EXPECT_EQ(inputs, 1) << "the fresh callback record reaches the new window";
}

TEST_F(MidiPorts, AnInputOpenThatFailsHalfwayLeavesTheDeviceFree) {
    wire.SetBufferLimit(synth.Pair(), 4);
    TMidiInput in(nullptr);
    EXPECT_FALSE(in.Open()) << "sixteen buffers, the driver takes four";
    EXPECT_EQ(in.Error(), platform::midi::MMSYSERR_NOMEM);
    EXPECT_EQ(in.PendingCount(), 0);
    in.SetSysexBufferCount(4);
    ASSERT_TRUE(in.Open());
    in.Start();
    FromSynth({0xF0, 0x7F, 0xF7});
    RunFor(clock, 0);
    EXPECT_EQ(in.PendingCount(), 1);
}

TEST_F(MidiPorts, IdenticalInterfacesAreEachSelectableByName) {
    wire.AddPair(VirtualInstrument::DefaultName);
    TMidiOutput out(nullptr), out2(nullptr);
    TMidiInput in2(nullptr);
    out.SetProductName("Sim Instrument");
    out2.SetProductName("Sim Instrument #2");
    in2.SetProductName("Sim Instrument #2");
    EXPECT_EQ(out.DeviceID(), 0);
    EXPECT_EQ(out2.DeviceID(), 1);
    EXPECT_EQ(in2.DeviceID(), 1);
    EXPECT_TRUE(out.Open());
    EXPECT_TRUE(out2.Open());
    EXPECT_TRUE(in2.Open());
}

TEST_F(MidiPorts, AnOwnerFreesItsPortsAndTheirDevices) {
    platform::core::TComponent owner(nullptr);
    auto& out = owner.Own<TMidiOutput>();
    auto& in = owner.Own<TMidiInput>();
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(in.Open());
    owner.FreeComponent(out);
    owner.FreeComponent(in);
    TMidiOutput again(nullptr);
    TMidiInput againIn(nullptr);
    EXPECT_TRUE(again.Open());
    EXPECT_TRUE(againIn.Open());
}
