// The MIDI ports dialog: the virtual back end's devices, the user's choice of devices, device
// id and thru saved and put into effect, the id's range, and ports that stay closed.

#include "app/app_services.h"
#include "app/form_in_out.h"
#include "app/form_transmet.h"
#include "app/tests/app_fixture.h"
#include "model/program/config.h"
#include "model/sysex/sysex.h"
#include "platform/core/ini_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pw = platform::win;

namespace app {
namespace {

namespace pc = platform::core;
using testsupport::VirtualInstrument;

class InOutTest : public test::AppTest {
protected:
    ~InOutTest() override { model::SetUiServices(nullptr); }

    static int Setting(const char* section, const char* key) {
        return pc::TIniFile(model::SettingsFileName).ReadInteger(section, key, -99);
    }
    static std::string Text(const char* section, const char* key) {
        return pc::TIniFile(model::SettingsFileName).ReadString(section, key, "none");
    }
    // Clicks the list's entry.
    void Choose(forms::TListBox& list, int index) {
        const forms::TRect r = list.ItemRect(index);
        Click(list, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    // What the user does while the dialog is shown, one step every 10 ms: the dialog's own loop
    // takes each step's input before the next.
    void Steps(std::vector<std::function<void()>> steps) {
        platform::core::Millis at = 100;
        for (auto& step : steps) {
            After(at, std::move(step));
            at += 10;
        }
    }
    // The user puts the caret in the spin edit, then steps it with the arrow keys.
    std::vector<std::function<void()>> Spin(forms::TSpinEdit& spin, int vk, int times) {
        return {[this, &spin] {
                    Click(spin, {5, spin.Height() / 2});
                },
                [this, vk, times] {
                    for (int i = 0; i < times; ++i)
                        driver.TypeKey(vk);
                }};
    }
    // Ok with the ports in use chosen again (the input shows the instrument's port): afterwards
    // they are connected, nothing was said, and a data set reaches the instrument.
    void OkWithThePortsInUse(TFormInOut& dialog) {
        After(100, [&] {
            EXPECT_EQ(dialog.InputPort.ItemIndex(), 0);
            Click(dialog.OkBtn);
        });
        EXPECT_EQ(dialog.ShowModal(), forms::mrOk);
        EXPECT_TRUE(state.Midi.Connected());
        EXPECT_TRUE(dialogs.messages.empty());
        const std::size_t before = instrument().Received().size();
        model::SendDT1Byte(0x01000000, 0, 0, 0x12);
        Run(10);
        EXPECT_EQ(instrument().Received().size(), before + 1);
    }
    static std::vector<std::function<void()>> Then(std::vector<std::function<void()>> first,
                                                   std::vector<std::function<void()>> next) {
        first.insert(first.end(), next.begin(), next.end());
        return first;
    }
};

TEST_F(InOutTest, TheDialogListsTheDevicesAndOpensTheConfiguredPorts) {
    TFormInOut& dialog = MakeForm<TFormInOut>();
    const std::vector<std::string> names = {VirtualInstrument::DefaultName, OtherName};
    for (auto* list : {&dialog.InputPort, &dialog.OutputPort}) {
        ASSERT_EQ(list->Items().Count(), 2);
        EXPECT_EQ(list->Items()[0], names[0]);
        EXPECT_EQ(list->Items()[1], names[1]);
    }
    EXPECT_EQ(dialog.Caption(), "Midi Settings");
    EXPECT_EQ(dialog.HelpContext, 30);
    EXPECT_EQ(dialog.MidiThrue.Caption(), " Midi Thru");
    EXPECT_TRUE(state.Midi.Online());
    EXPECT_EQ(state.Midi.Input()->ProductName(), names[0]);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(InOutTest, ChoosingDevicesIdAndThruSavesThemAndReopensThePorts) {
    TFormInOut& dialog = MakeForm<TFormInOut>();
    ASSERT_TRUE(state.Midi.Online());
    Steps(Then({[&] {
                   EXPECT_EQ(dialog.InputPort.ItemIndex(), 0);
                   EXPECT_EQ(dialog.SpinDeviceID.Value(), 17);
                   EXPECT_FALSE(dialog.MidiThrue.Checked());
                   Choose(dialog.InputPort, 1);
                   Choose(dialog.OutputPort, 1);
               }},
               Then(Spin(dialog.SpinDeviceID, pw::VK_UP, 3), {[&] {
                        Click(dialog.MidiThrue);
                        Click(dialog.OkBtn);
                    }})));
    EXPECT_EQ(dialog.ShowModal(), forms::mrOk);

    const model::TConfig& config = state.Config;
    EXPECT_EQ(config.InPort, 1);
    EXPECT_EQ(config.OutPort, 1);
    EXPECT_EQ(config.DeviceID, 20);
    EXPECT_EQ(config.Thrue, 1);
    EXPECT_EQ(Setting("MidiPort", "In"), 1);
    EXPECT_EQ(Setting("MidiPort", "Out"), 1);
    EXPECT_EQ(Text("MidiPort", "InName"), OtherName);
    EXPECT_EQ(Text("MidiPort", "OutName"), OtherName);
    EXPECT_EQ(Setting("Midi", "DeviceID"), 20);
    EXPECT_EQ(Setting("Midi", "Thrue"), 1);
    EXPECT_TRUE(state.Midi.Online());
    EXPECT_EQ(state.Midi.Input()->ProductName(), OtherName);
    EXPECT_EQ(state.Midi.Output()->ProductName(), OtherName);
    // The other synth's notes now pass thru to it.
    virtualInstrument.Midi().Deliver(otherPair, {0x90, 0x40, 0x7F}, clock.Now());
    Run(5);
    EXPECT_EQ(toOther, (std::vector<std::vector<std::uint8_t>>{{0x90, 0x40, 0x7F}}));
}

TEST_F(InOutTest, TheDeviceIdStaysBetween17And32) {
    struct Case {
        int configured;
        int key;
        int steps;
        int saved;
    };
    for (const Case c : {Case{30, pw::VK_UP, 5, 32}, Case{19, pw::VK_DOWN, 5, 17},
                         Case{100, pw::VK_DOWN, 0, 32}, Case{16, pw::VK_UP, 0, 17}}) {
        SCOPED_TRACE(c.configured);
        TFormInOut& dialog = MakeForm<TFormInOut>();
        state.Config.DeviceID = c.configured;
        Steps(Then(Spin(dialog.SpinDeviceID, c.key, c.steps), {[&] { Click(dialog.OkBtn); }}));
        dialog.ShowModal();
        EXPECT_EQ(state.Config.DeviceID, c.saved);
        owner->FreeComponent(dialog);
    }
}

// The user tabs from the input list to the device identifier and types the id at once, faster
// than the dialog takes the keys: the id goes into the field the Tabs reach.
TEST_F(InOutTest, ADeviceIdTypedAfterTabbingToItsFieldIsSaved) {
    TFormInOut& dialog = MakeForm<TFormInOut>();
    Steps({[&] {
               ASSERT_EQ(dialog.ActiveControl(), &dialog.InputPort);
               // Output list, Cancel, Ok, the device identifier.
               for (int i = 0; i < 4; ++i)
                   driver.TypeKey(pw::VK_TAB, "\t");
               driver.TypeKey('2', "2");
               driver.TypeKey('5', "5");
           },
           [&] {
               EXPECT_TRUE(dialog.SpinDeviceID.Focused());
               EXPECT_EQ(dialog.SpinDeviceID.Text(), "25");
               Click(dialog.OkBtn);
           }});
    EXPECT_EQ(dialog.ShowModal(), forms::mrOk);
    EXPECT_EQ(state.Config.DeviceID, 25);
    EXPECT_EQ(Setting("Midi", "DeviceID"), 25);
}

// No MIDI system at start-up; its server starts later. The dialog lists its ports when it shows,
// and Ok opens the chosen ones: no restart is needed.
TEST_F(InOutTest, AMidiSystemThatComesAfterStartUpIsListedAndOkOpensItsPorts) {
    auto& system = virtualInstrument.Midi();
    system.Unplug(virtualInstrument.Pair());
    system.Unplug(otherPair);
    TFormInOut& dialog = MakeForm<TFormInOut>();
    ASSERT_FALSE(state.Midi.Online());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{model::NoMidiSystem});
    system.Replug(virtualInstrument.Pair());
    system.Replug(otherPair);
    After(100, [&] {
        EXPECT_EQ(dialog.InputPort.Items().Count(), 2);
        Choose(dialog.OutputPort, 1);
        Click(dialog.OkBtn);
    });
    EXPECT_EQ(dialog.ShowModal(), forms::mrOk);
    EXPECT_EQ(state.Config.OutPort, 1);
    EXPECT_EQ(Setting("MidiPort", "Out"), 1);
    EXPECT_TRUE(state.Midi.Online());
    EXPECT_TRUE(state.Midi.Connected());
    EXPECT_EQ(state.Midi.Output()->ProductName(), OtherName);
    model::SendDT1Byte(0x01000000, 0, 0, 0x12);
    Run(10);
    EXPECT_EQ(toOther.size(), 1u);
}

// Ok with the ports in use chosen again keeps them, so that what other programs connected to
// them stays connected; once their system has gone and come back, the same Ok opens them afresh.
TEST_F(InOutTest, OkKeepsThePortsInUseUnlessTheirSystemWentAway) {
    TFormInOut& dialog = MakeForm<TFormInOut>();
    ASSERT_TRUE(state.Midi.Online());
    midi::TMidiInput* const input = state.Midi.Input();
    midi::TMidiOutput* const output = state.Midi.Output();
    std::vector<bool> devs;
    state.Midi.OnDevs = [&](bool open) { devs.push_back(open); };
    After(100, [&] { Click(dialog.OkBtn); });
    EXPECT_EQ(dialog.ShowModal(), forms::mrOk);
    EXPECT_TRUE(devs.empty()) << "the ports were closed and opened again";
    EXPECT_EQ(state.Midi.Input(), input);
    EXPECT_EQ(state.Midi.Output(), output);

    virtualInstrument.Midi().Unplug(virtualInstrument.Pair());
    virtualInstrument.Midi().Replug(virtualInstrument.Pair());
    EXPECT_FALSE(state.Midi.Connected());
    OkWithThePortsInUse(dialog);
}

// The instrument's program stops and starts again under its name, and the ports do not see it
// come back: Ok with the same ports makes the missing connections again, on the ports open.
TEST_F(InOutTest, OkMakesTheConnectionsToTheInstrumentsPortsAgain) {
    TFormInOut& dialog = MakeForm<TFormInOut>();
    ASSERT_TRUE(state.Midi.Online());
    midi::TMidiOutput* const output = state.Midi.Output();
    std::vector<bool> devs;
    state.Midi.OnDevs = [&](bool open) { devs.push_back(open); };
    virtualInstrument.Midi().StopPeer(virtualInstrument.Pair());
    virtualInstrument.Midi().StartPeer(virtualInstrument.Pair(), false);
    EXPECT_FALSE(state.Midi.Connected());
    EXPECT_EQ(state.Midi.Trouble(), model::PortGone(VirtualInstrument::DefaultName));
    OkWithThePortsInUse(dialog);
    EXPECT_TRUE(devs.empty()) << "the ports were closed and opened again";
    EXPECT_EQ(state.Midi.Output(), output);
}

// A synth chosen while it stood first in the list; another client registered ahead of it since.
// The settings keep its number and its name: the name wins where a port of that name is there,
// and a named port that is not there is said to be missing, whatever stands at its number.
TEST_F(InOutTest, PortsChosenByNameAreOpenedWhereverTheyStandAndAMissingOneIsNamed) {
    struct Case {
        const char* what;
        const char* name;
        std::string opened;
        std::string told;
    };
    const Case cases[] = {
        {"named and there", OtherName, OtherName, ""},
        {"named and missing", "Gone Synth", "",
         std::string(model::PortsNotOpened) + " The MIDI input port Gone Synth is missing."},
        {"settings from before names were kept", "", VirtualInstrument::DefaultName, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Start-up opens the first ports before it loads the settings.
        state.Config = model::TConfig();
        TFormInOut& dialog = MakeForm<TFormInOut>();
        ASSERT_TRUE(state.Midi.Online());
        {
            pc::TIniFile ini(model::SettingsFileName);
            ini.WriteInteger("MidiPort", "In", 0);
            ini.WriteInteger("MidiPort", "Out", 0);
            ini.WriteString("MidiPort", "InName", c.name);
            ini.WriteString("MidiPort", "OutName", *c.name ? OtherName : "");
        }
        dialogs.messages.clear();
        // As start-up loads the settings, with the ports open.
        state.Config.Load();
        EXPECT_EQ(state.Midi.Online(), !c.opened.empty());
        if (!c.opened.empty()) {
            EXPECT_EQ(state.Midi.Input()->ProductName(), c.opened);
            EXPECT_TRUE(state.Midi.Connected());
        }
        EXPECT_EQ(dialogs.messages,
                  c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
        // The dialog shows the port of the name, else the one at the number.
        After(100, [&] {
            EXPECT_EQ(dialog.InputPort.ItemIndex(), c.opened == OtherName ? 1 : 0);
            EXPECT_EQ(dialog.OutputPort.ItemIndex(), *c.name ? 1 : 0);
            Click(dialog.CancelBtn);
        });
        dialog.ShowModal();
        owner->FreeComponent(dialog);
    }
}

TEST_F(InOutTest, CancelLeavesTheSettingsAsTheyWere) {
    TFormInOut& dialog = MakeForm<TFormInOut>();
    After(100, [&] {
        Choose(dialog.InputPort, 1);
        Click(dialog.MidiThrue);
        Click(dialog.CancelBtn);
    });
    EXPECT_EQ(dialog.ShowModal(), forms::mrCancel);
    EXPECT_EQ(state.Config.InPort, 0);
    EXPECT_EQ(state.Config.Thrue, 0);
    EXPECT_EQ(Setting("MidiPort", "In"), -99);
    EXPECT_EQ(state.Midi.Input()->ProductName(), VirtualInstrument::DefaultName);
}

TEST_F(InOutTest, SettingsNamingAPortThatIsGoneLeaveThePortsClosedAndSaySo) {
    TFormInOut& dialog = MakeForm<TFormInOut>();
    TFormTransmet& transmet = MakeForm<TFormTransmet>();
    TAppServices services(state.Midi, transmet);
    model::SetUiServices(&services);
    {
        pc::TIniFile ini(model::SettingsFileName);
        ini.WriteInteger("MidiPort", "In", 4);
    }
    midi::TMidiOutput* const output = state.Midi.Output();
    // As start-up loads the settings, with the ports open.
    state.Config.Load();
    EXPECT_FALSE(state.Midi.Online());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              std::string(model::PortsNotOpened) + " There is no MIDI input device 4.");
    EXPECT_EQ(state.Midi.Output(), output);
    // The dialog shows no device for the port that is gone.
    After(100, [&] {
        EXPECT_EQ(dialog.InputPort.ItemIndex(), -1);
        EXPECT_EQ(dialog.OutputPort.ItemIndex(), 0);
        Click(dialog.CancelBtn);
    });
    dialog.ShowModal();
}

} // namespace
} // namespace app
