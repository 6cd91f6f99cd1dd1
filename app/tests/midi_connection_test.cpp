// The program's MIDI connection: the virtual back end's devices, opening both or neither, closed
// ports after a device went missing, and the default handler's thru path and monitor feed.

#include "app/tests/app_fixture.h"
#include "model/program/midi_connection.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace app {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testsupport::VirtualInstrument;

const Bytes NoteOn = {0x90, 0x3C, 0x40};
const Bytes NoteOff = {0x80, 0x3C, 0x00};
const Bytes DataSet = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};

struct Monitored {
    Bytes bytes;
    bool thru;
    bool operator==(const Monitored&) const = default;
};

// Whether another component can take the device, which it cannot while the ports hold it.
bool InputFree(const std::string& name) {
    midi::TMidiInput probe(nullptr);
    probe.SetProductName(name);
    const bool opened = probe.Open();
    probe.Close();
    return opened;
}

bool OutputFree(const std::string& name) {
    midi::TMidiOutput probe(nullptr);
    probe.SetProductName(name);
    const bool opened = probe.Open();
    probe.Close();
    return opened;
}

class MidiPortsTest : public test::AppTest {
protected:
    void Watch() {
        ports.OnMonitor = [this](const midi::TMyMidiEvent& event, bool thru) {
            monitored.push_back(
                {event.Sysex.empty() ? Bytes{event.Status, event.Data1, event.Data2} : event.Sysex,
                 thru});
        };
    }
    void FromInstrument(const Bytes& message) {
        instrument().Transmit(message);
        Run(5);
    }
    // What reached the instrument that it did not send to itself.
    std::vector<Bytes> ToInstrument() { return instrument().Received(); }

    model::TMidiConnection& ports = state.Midi;
    std::vector<Monitored> monitored;
};

TEST_F(MidiPortsTest, CreationListsTheDevicesAndOpensTheConfiguredPorts) {
    state.Config.InPort = 1;
    state.Config.OutPort = 1;
    ports.Create();

    const std::vector<std::string> names = {VirtualInstrument::DefaultName, OtherName};
    EXPECT_EQ(ports.InputDevices(), names);
    EXPECT_EQ(ports.OutputDevices(), names);
    EXPECT_TRUE(ports.Online());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(ports.Input()->ProductName(), OtherName);
    EXPECT_EQ(ports.Output()->ProductName(), OtherName);
    EXPECT_FALSE(InputFree(OtherName));
    EXPECT_FALSE(OutputFree(OtherName));
    EXPECT_TRUE(InputFree(VirtualInstrument::DefaultName));
}

struct FailureCase {
    const char* what;
    int inPort;
    int outPort;
    bool inputTaken;
    bool outputTaken;
};

class MidiPortsFailureTest : public MidiPortsTest,
                             public ::testing::WithParamInterface<FailureCase> {
protected:
    // Another program holds the device where the case says so.
    void TakeDevices() {
        const FailureCase& c = GetParam();
        if (c.inputTaken) {
            heldInput = std::make_unique<midi::TMidiInput>(nullptr);
            heldInput->SetProductName(VirtualInstrument::DefaultName);
            ASSERT_TRUE(heldInput->Open());
        }
        if (c.outputTaken) {
            heldOutput = std::make_unique<midi::TMidiOutput>(nullptr);
            heldOutput->SetProductName(VirtualInstrument::DefaultName);
            ASSERT_TRUE(heldOutput->Open());
        }
    }
    void ReleaseDevices() {
        heldInput.reset();
        heldOutput.reset();
    }
    // Neither port kept its device.
    void ExpectBothClosed() {
        EXPECT_TRUE(InputFree(VirtualInstrument::DefaultName));
        EXPECT_TRUE(OutputFree(VirtualInstrument::DefaultName));
        EXPECT_TRUE(InputFree(OtherName));
        EXPECT_TRUE(OutputFree(OtherName));
    }

    std::unique_ptr<midi::TMidiInput> heldInput;
    std::unique_ptr<midi::TMidiOutput> heldOutput;
};

TEST_P(MidiPortsFailureTest, CreationThatCannotOpenBothGoesOnClosedAndSaysSo) {
    const FailureCase& c = GetParam();
    state.Config.InPort = c.inPort;
    state.Config.OutPort = c.outPort;
    TakeDevices();
    ports.Create();
    ReleaseDevices();

    EXPECT_FALSE(ports.Online());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{model::NoMidiSystem});
    ExpectBothClosed();
}

TEST_P(MidiPortsFailureTest, ReopeningThatCannotOpenBothGoesOnClosedAndSaysSo) {
    const FailureCase& c = GetParam();
    ports.Create();
    ASSERT_TRUE(ports.Online());
    // As the settings load does with port numbers of another day.
    ports.CloseDevs();
    state.Config.InPort = c.inPort;
    state.Config.OutPort = c.outPort;
    TakeDevices();
    EXPECT_FALSE(ports.OpenDevs());
    ReleaseDevices();

    EXPECT_FALSE(ports.Online());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].rfind(model::PortsNotOpened, 0), 0u) << dialogs.messages[0];
    ExpectBothClosed();
    // Nothing more is tried on closed ports.
    ports.CloseDevs();
    FromInstrument(NoteOn);
    EXPECT_TRUE(monitored.empty());
}

INSTANTIATE_TEST_SUITE_P(Ports, MidiPortsFailureTest,
                         ::testing::Values(FailureCase{"input gone", 2, 0, false, false},
                                           FailureCase{"output gone", 0, 5, false, false},
                                           FailureCase{"input taken", 0, 0, true, false},
                                           FailureCase{"output taken", 0, 0, false, true}),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             for (char& ch : name)
                                 if (ch == ' ') ch = '_';
                             return name;
                         });

TEST_F(MidiPortsTest, WithThruAShortMessageGoesOutUnchangedAndSysExOnlyToTheMonitor) {
    state.Config.Thrue = 1;
    ports.Create();
    Watch();
    FromInstrument(NoteOn);
    FromInstrument(DataSet);

    EXPECT_EQ(ToInstrument(), std::vector<Bytes>{NoteOn});
    EXPECT_EQ(monitored, (std::vector<Monitored>{{NoteOn, true}, {DataSet, true}}));
}

TEST_F(MidiPortsTest, WithoutThruNothingGoesOutAndTheMonitorStillSeesIt) {
    ports.Create();
    Watch();
    FromInstrument(NoteOn);
    FromInstrument(DataSet);

    EXPECT_TRUE(ToInstrument().empty());
    EXPECT_EQ(monitored, (std::vector<Monitored>{{NoteOn, false}, {DataSet, false}}));
}

TEST_F(MidiPortsTest, EventsLeftByAHandlerTakenAwayDoNotHoldBackTheNext) {
    state.Config.Thrue = 1;
    ports.Create();
    Watch();
    ports.Input()->OnMidiInput = nullptr;
    FromInstrument(NoteOn);
    ports.InstallDefaultMidiInput();
    FromInstrument(NoteOff);

    EXPECT_EQ(ToInstrument(), (std::vector<Bytes>{NoteOn, NoteOff}));
    EXPECT_EQ(monitored, (std::vector<Monitored>{{NoteOn, true}, {NoteOff, true}}));
}

TEST_F(MidiPortsTest, TheHandlerTakesNothingWhileThePortsCountAsClosed) {
    ports.Create();
    Watch();
    ports.SetOnline(false);
    FromInstrument(NoteOn);
    EXPECT_TRUE(monitored.empty());
    EXPECT_EQ(ports.Input()->PendingCount(), 1);
}

TEST_F(MidiPortsTest, ClosingLetsBothDevicesGoOnlyWhileOnline) {
    ports.Create();
    ports.SetOnline(false);
    ports.CloseDevs();
    EXPECT_FALSE(InputFree(VirtualInstrument::DefaultName));
    ports.SetOnline(true);
    ports.CloseDevs();
    EXPECT_TRUE(ports.Online());
    EXPECT_TRUE(InputFree(VirtualInstrument::DefaultName));
    EXPECT_TRUE(OutputFree(VirtualInstrument::DefaultName));
    EXPECT_TRUE(ports.OpenDevs());
    EXPECT_FALSE(OutputFree(VirtualInstrument::DefaultName));
}

} // namespace
} // namespace app
