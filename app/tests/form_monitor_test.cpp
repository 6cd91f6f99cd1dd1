// The MIDI monitor: where it opens and reopens, its panes' layout, what the default input
// handler and the sender list in it, and its close.

#include "app/app_services.h"
#include "app/form_in_out.h"
#include "app/form_monitor.h"
#include "app/form_transmet.h"
#include "app/tests/app_fixture.h"
#include "model/sysex/sysex.h"
#include "platform/core/ini_file.h"
#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw = platform::win;

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

// However it was left, the reopened monitor holds both panes, and the memos lie in them.
TEST_F(MonitorTest, TheReopenedMonitorHoldsItsPanes) {
    const forms::TRect sizes[] = {{0, 0, 0, 0}, {30, 40, 530, 440}, {10, 10, 330, 170}};
    for (const forms::TRect& bounds : sizes) {
        SCOPED_TRACE(bounds.Bottom);
        TFormMonitor& monitor = OpenMonitor();
        testsupport::PumpUntilIdle();
        for (forms::TPanel* pane : {&monitor.PanelIn, &monitor.PanelOut}) {
            EXPECT_GE(pane->Top(), 0);
            EXPECT_LE(pane->Top() + pane->Height(), monitor.ClientHeight());
            EXPECT_LE(pane->Left() + pane->Width(), monitor.ClientWidth());
        }
        EXPECT_LE(monitor.PanelIn.Top() + monitor.PanelIn.Height(), monitor.PanelOut.Top());
        for (forms::TMemo* memo : {&monitor.MemoInput, &monitor.MemoOutput}) {
            EXPECT_LE(memo->Top() + memo->Height(), memo->Parent()->ClientHeight());
            EXPECT_LE(memo->Left() + memo->Width(), memo->Parent()->ClientWidth());
        }
        if (bounds.Right > 0)
            monitor.SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        monitor.Close();
        Run(1);
    }
}

// A pane follows its newest line as lines come, and scrolls by the wheel, the scroll bar and the
// keys as a multi-line edit does.
TEST_F(MonitorTest, APaneFollowsItsNewestLineAndScrollsByWheelBarAndKeys) {
    TFormMonitor& monitor = OpenMonitor();
    forms::TMemo& memo = monitor.MemoOutput;
    for (int i = 0; i < 200; ++i) {
        const std::uint8_t data[] = {0xF0, static_cast<std::uint8_t>(i & 0x7F),
                                     static_cast<std::uint8_t>(i >> 7), 0xF7};
        monitor.AddMessage(data, memo);
    }
    testsupport::PumpUntilIdle();
    const int shown = memo.VisibleLineCount();
    const int last = 200 - shown;
    ASSERT_EQ(memo.LineCount(), 200);
    ASSERT_LT(shown, 200);
    EXPECT_EQ(memo.TopLine(), last) << "the last line is in view";
    testsupport::SaveWindowPng(monitor.Handle(), (folder / "monitor.png").string());

    // The wheel turns the pane that has the focus; a click in it leaves the view where it is.
    const forms::TPoint inside = memo.ClientToScreen({20, 10});
    driver.Click(inside);
    ASSERT_TRUE(memo.Focused());
    EXPECT_EQ(memo.TopLine(), last);
    Run(1000);
    driver.Wheel(inside, 120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(memo.TopLine(), last - 3) << "a notch up, three lines";
    driver.Wheel(inside, -240);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(memo.TopLine(), last) << "no further than the end";

    // The bar's up arrow, then the track above the thumb.
    const int bar =
        memo.ClientWidth() - 2 - platform::gdi::GetSystemMetrics(platform::gdi::SM_CXVSCROLL) / 2;
    driver.Click(memo.ClientToScreen({bar, 4}));
    EXPECT_EQ(memo.TopLine(), last - 1);
    Run(1000);
    driver.Click(memo.ClientToScreen({bar, memo.ClientHeight() / 2}));
    EXPECT_LT(memo.TopLine(), last - 1);
    Run(1000);

    const auto key = [this](int vk, bool ctrl = false) {
        if (ctrl) driver.HoldKey(pw::VK_CONTROL);
        driver.TypeKey(vk);
        if (ctrl) driver.ReleaseKey(pw::VK_CONTROL);
        testsupport::PumpUntilIdle();
    };
    key(pw::VK_END, true);
    EXPECT_EQ(memo.TopLine(), last);
    EXPECT_EQ(memo.SelStart(), static_cast<int>(memo.Text().size()));
    key(pw::VK_HOME, true);
    EXPECT_EQ(memo.TopLine(), 0);
    EXPECT_EQ(memo.SelStart(), 0);
    for (int i = 0; i < shown; ++i)
        key(pw::VK_DOWN);
    EXPECT_EQ(memo.TopLine(), 1) << "the caret went one line past the view";
    key(pw::VK_NEXT);
    EXPECT_EQ(memo.TopLine(), shown);
    key(pw::VK_UP);
    key(pw::VK_PRIOR);
    EXPECT_EQ(memo.TopLine(), 1);

    // A new line brings the view back to the end.
    const std::uint8_t more[] = {0xF0, 0x01, 0xF7};
    monitor.AddMessage(more, memo);
    EXPECT_EQ(memo.TopLine(), 201 - shown);
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
