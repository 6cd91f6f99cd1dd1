// The transfer progress window: counts, gauge and layouts, its caption, Cancel giving the input
// back to the default handler, and a whole patch bank received through it from the simulated
// instrument.

#include "app/app_services.h"
#include "app/form_in_out.h"
#include "app/form_monitor.h"
#include "app/form_transmet.h"
#include "app/tests/app_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/patch.h"
#include "model/sysex/address_map.h"
#include "testsupport/instrument_address_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

using Bytes = std::vector<std::uint8_t>;

class TransmetTest : public test::AppTest {
protected:
    TransmetTest() { model::SetUiServices(&services); }
    ~TransmetTest() override { model::SetUiServices(nullptr); }

    TFormInOut& inOut = MakeForm<TFormInOut>();
    TFormTransmet& transmet = MakeForm<TFormTransmet>();
    TAppServices services{state.Midi, transmet};
};

TEST_F(TransmetTest, StartShowsTheOperationTheElementLabelAndZeroCounts) {
    transmet.Start(0, 640, "Patch Number", "Now Receiving User Patch Bank");
    EXPECT_EQ(transmet.LabelReceiving.Caption(), "Now Receiving User Patch Bank");
    EXPECT_EQ(transmet.LabelElem.Caption(), "Patch Number : ");
    EXPECT_EQ(transmet.LabelElemNum.Left(), transmet.LabelElem.Left() + transmet.LabelElem.Width());
    EXPECT_EQ(transmet.LabelElemNum.Caption(), "");
    for (auto* label : {&transmet.LabelByteSended, &transmet.LabelMessageSended,
                        &transmet.LabelBytereceived, &transmet.LabelMessageReceived})
        EXPECT_EQ(label->Caption(), "0");
    EXPECT_TRUE(transmet.GroupBox2.Visible());
    EXPECT_EQ(transmet.GroupBox1.Width(), 120);
    EXPECT_FALSE(transmet.Done());
    transmet.AddElem(1);
    transmet.AddElem(1);
    EXPECT_EQ(transmet.LabelElemNum.Caption(), "2");
}

TEST_F(TransmetTest, TheGaugeTruncatesTheReceivedShare) {
    transmet.Start(0, 640, "Patch Number", "Now Receiving User Patch Bank");
    for (int i = 0; i < 64; ++i)
        transmet.AddReceived(644, 5);
    EXPECT_EQ(transmet.Gauge.Progress(), 50);
    EXPECT_EQ(transmet.LabelMessageReceived.Caption(), "320");
    EXPECT_EQ(transmet.LabelBytereceived.Caption(), "41216");
    transmet.AddReceived(644 * 63 + 4 * 140, 63 * 5 + 4);
    EXPECT_EQ(transmet.LabelMessageReceived.Caption(), "639");
    EXPECT_EQ(transmet.Gauge.Progress(), 99);
    // Requests sent do not move it in the receive layout.
    transmet.AddSended(15, 1);
    EXPECT_EQ(transmet.Gauge.Progress(), 99);
}

TEST_F(TransmetTest, TheSendLayoutWidensSendHidesReceiveAndFollowsTheMessagesSent) {
    transmet.Start(0, 544, "Performance Number", "Now Transmitting User Performance Bank");
    transmet.SetTransmetting();
    EXPECT_EQ(transmet.GroupBox1.Width(), transmet.GroupBox3.Width());
    EXPECT_FALSE(transmet.GroupBox2.Visible());
    for (int i = 0; i < 16; ++i)
        transmet.AddSended(653, 17);
    EXPECT_EQ(transmet.Gauge.Progress(), 50);
    EXPECT_EQ(transmet.LabelMessageSended.Caption(), "272");

    transmet.Start(0, 640, "Patch Number", "Now Receiving Data Card Patch Bank");
    EXPECT_EQ(transmet.GroupBox1.Width(), 120);
    EXPECT_TRUE(transmet.GroupBox2.Visible());
    EXPECT_EQ(transmet.Gauge.Progress(), 0);
}

TEST_F(TransmetTest, TheCaptionSaysReceivingUnlessTheSendLayoutWasChosen) {
    for (bool transmitting : {false, true}) {
        SCOPED_TRACE(transmitting);
        transmet.Start(0, 65, "Rhythm Number", "Now Transmitting Rhythm");
        if (transmitting) transmet.SetTransmetting();
        std::string caption;
        After(100, [&] {
            caption = transmet.Caption();
            Click(transmet.BitBtn1);
        });
        transmet.ShowModal();
        EXPECT_EQ(caption, transmitting ? "Transmitting" : "Receiving");
        EXPECT_FALSE(transmet.Visible());
    }
}

TEST_F(TransmetTest, CancelGivesTheInputBackToTheMonitorAndThru) {
    MakeMainWindow();
    TFormMonitor& monitor = MakeForm<TFormMonitor>();
    services.SetMonitor(&monitor);
    state.Config.Thrue = 1;
    ASSERT_TRUE(state.Midi.Online());
    // The instrument does not answer; the user gives up before the time-out.
    model::TPatchBank bank(nullptr);
    After(500, [&] { Click(transmet.BitBtn1); });
    bank.Receive(false);
    EXPECT_FALSE(transmet.Visible());
    EXPECT_FALSE(transmet.Done());
    EXPECT_FALSE(transmet.Timer().Enabled());
    EXPECT_FALSE(transmet.TimerCleanup().Enabled());

    const Bytes noteOn = {0x90, 0x3C, 0x40};
    FromInstrument(noteOn);
    ASSERT_GT(monitor.MemoInput.Lines().Count(), 0);
    EXPECT_EQ(monitor.MemoInput.Lines()[monitor.MemoInput.Lines().Count() - 1], "90 3C 40");
    ASSERT_GT(monitor.MemoOutput.Lines().Count(), 0);
    EXPECT_EQ(monitor.MemoOutput.Lines()[monitor.MemoOutput.Lines().Count() - 1], "90 3C 40");
    EXPECT_EQ(instrument().Received().back(), noteOn);
    // Nothing of the cancelled transfer runs later.
    const std::size_t requests = instrument().Received().size();
    Run(5000);
    EXPECT_EQ(instrument().Received().size(), requests);
    EXPECT_TRUE(dialogs.messages.empty());
}

Bytes NameBytes(const std::string& name) {
    Bytes bytes(12, ' ');
    std::copy(name.begin(), name.end(), bytes.begin());
    return bytes;
}

TEST_F(TransmetTest, APatchBankArrivesFromTheInstrumentThroughTheWindow) {
    instrument().SetDeviceByte(0x10);
    instrument().SetBlockTable(testsupport::InstrumentBlockTable());
    for (int n = 1; n <= model::PatchesPerMemory; ++n)
        instrument().Write(model::PatchBase(false, true, n),
                           NameBytes("User " + std::to_string(n)));
    model::TPatchBank bank(nullptr);
    bank.SetMemory(true);
    int shownWith = -1;
    transmet.OnShow = [&](platform::core::TObject*) { shownWith = transmet.Gauge.Progress(); };
    bank.Receive(false);

    EXPECT_TRUE(transmet.Done());
    EXPECT_FALSE(transmet.Visible());
    EXPECT_EQ(shownWith, 0);
    EXPECT_EQ(transmet.LabelReceiving.Caption(), "Now Receiving User Patch Bank");
    EXPECT_EQ(transmet.LabelMessageReceived.Caption(), "640");
    EXPECT_EQ(transmet.LabelBytereceived.Caption(), std::to_string(644 * 128));
    EXPECT_EQ(transmet.LabelMessageSended.Caption(), "128");
    EXPECT_EQ(transmet.LabelElemNum.Caption(), "128");
    EXPECT_EQ(transmet.Gauge.Progress(), 100);
    for (int i : {0, 63, 127})
        EXPECT_EQ(bank.Patch(i).GetName(), "User " + std::to_string(i + 1));
    // The default handler is back: the instrument's notes pass thru again.
    state.Config.Thrue = 1;
    FromInstrument({0x80, 0x3C, 0x00});
    EXPECT_EQ(instrument().Received().back(), (Bytes{0x80, 0x3C, 0x00}));
}

} // namespace
} // namespace app
