// The MIDI monitor: where it opens and reopens, its panes' layout, what the default input
// handler and the sender list in it, and its close.

#include "app/app_services.h"
#include "app/form_in_out.h"
#include "app/form_monitor.h"
#include "app/form_transmet.h"
#include "app/tests/app_fixture.h"
#include "model/sysex/sysex.h"
#include "platform/core/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

namespace pc = platform::core;
using Bytes = std::vector<std::uint8_t>;

class MonitorTest : public test::AppTest {
protected:
    MonitorTest() {
        model::SetUiServices(&services);
        services.OnEnableMenuItems = [this] { ++menuUpdates; };
    }
    ~MonitorTest() override { model::SetUiServices(nullptr); }

    // As the main window's Monitor command does.
    TFormMonitor& OpenMonitor() {
        TFormMonitor& monitor = MakeForm<TFormMonitor>();
        services.SetMonitor(&monitor);
        return monitor;
    }
    static std::vector<std::string> Lines(forms::TMemo& memo) {
        std::vector<std::string> lines;
        for (int i = 0; i < memo.Lines().Count(); ++i)
            lines.push_back(memo.Lines()[i]);
        return lines;
    }

    forms::TForm& main = MakeMainWindow();
    TFormInOut& inOut = MakeForm<TFormInOut>();
    TFormTransmet& transmet = MakeForm<TFormTransmet>();
    TAppServices services{state.Midi, transmet};
    int menuUpdates = 0;
};

TEST_F(MonitorTest, ItFirstOpensAtTheTopLeftAndReopensWhereItWasClosed) {
    TFormMonitor& monitor = OpenMonitor();
    EXPECT_EQ(monitor.BoundsRect(), (forms::TRect{0, 0, 378, 278}));
    EXPECT_TRUE(state.MonitorOpen);
    EXPECT_EQ(monitor.Caption(), "Monitor");
    EXPECT_EQ(monitor.HelpContext, 31);
    EXPECT_TRUE(Lines(monitor.MemoInput).empty());
    EXPECT_TRUE(Lines(monitor.MemoOutput).empty());

    monitor.SetBounds(30, 40, 500, 400);
    monitor.Close();
    EXPECT_FALSE(state.MonitorOpen);
    EXPECT_EQ(menuUpdates, 1);
    Run(1);
    EXPECT_EQ(services.Monitor(), nullptr);
    pc::TIniFile ini(model::SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Monitor", "Width", 0), 500);
    EXPECT_EQ(ini.ReadInteger("Monitor", "Top", 0), 40);

    TFormMonitor& again = OpenMonitor();
    EXPECT_EQ(again.BoundsRect(), (forms::TRect{30, 40, 530, 440}));
}

TEST_F(MonitorTest, ThePanesShareTheHeightAndTheMemosSitInThem) {
    TFormMonitor& monitor = OpenMonitor();
    monitor.SetBounds(0, 0, 420, 331);
    const int h = (monitor.ClientHeight() - 12) / 2;
    EXPECT_EQ(monitor.PanelIn.Width(), monitor.ClientWidth() - 8);
    EXPECT_EQ(monitor.PanelIn.Height(), h);
    EXPECT_EQ(monitor.PanelOut.Width(), monitor.ClientWidth() - 8);
    EXPECT_EQ(monitor.PanelOut.Height(), h);
    EXPECT_EQ(monitor.PanelOut.Top(), monitor.PanelIn.Top() + h + 4);
    EXPECT_EQ(monitor.MemoInput.Width(), monitor.PanelIn.Width() - 18);
    EXPECT_EQ(monitor.MemoInput.Height(), h - 28);
    EXPECT_EQ(monitor.MemoOutput.Width(), monitor.PanelOut.Width() - 18);
    EXPECT_EQ(monitor.MemoOutput.Height(), h - 28);
}

TEST_F(MonitorTest, ReceivedTrafficGoesToTheInputPaneAndWithThruToTheOutputPaneToo) {
    const Bytes dataSet = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    const std::string dataSetLine = " F0 41 10 6A 12 03 00 00 00 01 7C F7 ";
    TFormMonitor& monitor = OpenMonitor();
    FromInstrument({0x80, 0x3C, 0x50});
    FromInstrument(dataSet);
    EXPECT_EQ(Lines(monitor.MemoInput), (std::vector<std::string>{"80 3C 50", dataSetLine}));
    EXPECT_TRUE(Lines(monitor.MemoOutput).empty());

    state.Config.Thrue = 1;
    FromInstrument({0x90, 0x3C, 0x40});
    FromInstrument(dataSet);
    EXPECT_EQ(Lines(monitor.MemoOutput), (std::vector<std::string>{"90 3C 40", dataSetLine}));
    EXPECT_EQ(Lines(monitor.MemoInput).size(), 4u);
    // The system exclusive was not passed on.
    EXPECT_EQ(instrument().Received(), std::vector<Bytes>{(Bytes{0x90, 0x3C, 0x40})});
}

TEST_F(MonitorTest, ShortDataSetsAndRequestsSentAreListedInTheOutputPane) {
    TFormMonitor& monitor = OpenMonitor();
    model::SendDT1(0x03000000, 0, 9, Bytes{0x01});
    model::SendDT1(0x03000000, 0, 0, Bytes(12, 0x20));
    Run(200);
    const auto lines = Lines(monitor.MemoOutput);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], " F0 41 10 6A 12 03 00 00 09 01 73 F7 ");
}

TEST_F(MonitorTest, AClosedMonitorIsFedNothing) {
    TFormMonitor& monitor = OpenMonitor();
    monitor.Close();
    FromInstrument({0x80, 0x3C, 0x50});
    EXPECT_EQ(services.Monitor(), nullptr);
}

TEST_F(MonitorTest, EachPaneKeepsTheLatestLines) {
    TFormMonitor& monitor = OpenMonitor();
    midi::TMyMidiEvent event;
    for (int i = 0; i < MonitorPaneLines + 5; ++i) {
        event.Data1 = static_cast<std::uint8_t>(i % 128);
        monitor.AddMessageMidi(event, monitor.MemoInput);
    }
    const auto lines = Lines(monitor.MemoInput);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(MonitorPaneLines));
    EXPECT_EQ(lines.front(), "00 05 00");
    EXPECT_EQ(lines.back(), "00 6C 00");
}

} // namespace
} // namespace app
