#pragma once
// Stand-ins for the windows that the transfers and the preview drive: the transfer progress
// window (shown "modally" by running the manual clock until it closes), the message boxes with
// scripted answers, and the application state whose MIDI connection is open on the simulated
// instrument's virtual device pair. Also a documents folder of the test's own.

#include "midi/midi_event.h"
#include "model/preview/midi_file_player.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/transfer/transfer_window.h"
#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/core/timer.h"
#include "testsupport/instrument_address_map.h"
#include "testsupport/model/fake_ui_services.h"
#include "testsupport/temp_folder.h"
#include "testsupport/virtual_instrument.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

namespace model::fakes {

// A documents folder of the test's own for the data folder, removed afterwards.
class TempDocuments {
public:
    TempDocuments() {
        if (folder_.Path().empty()) ADD_FAILURE() << "no temporary folder";
    }

    std::filesystem::path DataFolder() const {
        return std::filesystem::path(folder_.Path()) / "Quintaron";
    }

private:
    testsupport::TempFolder folder_{"quintaron-transfers-"};
    testsupport::EnvironmentOverride documents_{"QUINTARON_DOCUMENTS_DIR", folder_.Path()};
};

class FakeDialogs : public TDialogs {
public:
    bool OpenDialog(TFileDialogRequest&) override { return false; }
    bool SaveDialog(TFileDialogRequest&) override { return false; }
    TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                            TMsgDlgButtons buttons) override {
        messages.push_back({text, type, buttons});
        if (onMessage) onMessage(text);
        if (answers.empty()) return mrCancel;
        const TModalResult answer = answers.front();
        answers.pop_front();
        return answer;
    }

    struct Message {
        std::string Text;
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
    };
    std::vector<Message> messages;
    // Given in turn; Cancel once they are used up.
    std::deque<TModalResult> answers;
    // Runs as each box is shown, before it is answered.
    std::function<void(const std::string&)> onMessage;
};

class FakeTransferWindow : public TTransferWindow {
public:
    explicit FakeTransferWindow(platform::core::ManualClock& clock) : clock_(clock) {
        timer_.SetEnabled(false);
        cleanup_.SetEnabled(false);
    }

    void Start(int, int totalMessages, const std::string& elemLabel,
               const std::string& operation) override {
        bytesSent = messagesSent = bytesReceived = messagesReceived = elems = 0;
        total = totalMessages;
        label = elemLabel;
        caption = operation;
        transmitting = false;
        done = false;
        sendTimes.clear();
        ++starts;
    }
    void SetTransmetting() override { transmitting = true; }
    void AddSended(int bytes, int messages) override {
        sendTimes.push_back(clock_.Now());
        bytesSent += bytes;
        messagesSent += messages;
    }
    void AddReceived(int bytes, int messages) override {
        bytesReceived += bytes;
        messagesReceived += messages;
    }
    void AddElem(int n) override { elems += n; }
    void Repaint() override {}
    bool Done() const override { return done; }
    void SetDone(bool value) override { done = value; }
    platform::core::TTimer& Timer() override { return timer_; }
    platform::core::TTimer& TimerCleanup() override { return cleanup_; }

    // Runs the clock until the window closes: by the model, by onShown's doing, or by Cancel
    // after cancelAfterMs.
    void ShowModal() override {
        shown = true;
        closed = false;
        const platform::core::Millis opened = clock_.Now();
        if (onShown) onShown();
        while (!closed) {
            const platform::core::Millis elapsed = clock_.Now() - opened;
            if (cancelAfterMs && elapsed >= *cancelAfterMs) {
                Close();
                break;
            }
            if (elapsed >= LongestModalMs) {
                ADD_FAILURE() << "the transfer window stayed open";
                Close();
                break;
            }
            platform::core::RunFor(clock_, 1);
            if (onStep) onStep();
        }
        shown = false;
        closedAt = clock_.Now();
    }
    void Close() override {
        timer_.SetEnabled(false);
        cleanup_.SetEnabled(false);
        closed = true;
        ++closes;
        if (onClose) onClose();
    }

    static constexpr platform::core::Millis LongestModalMs = 10 * 60 * 1000;

    int total = 0;
    std::string label;
    std::string caption;
    bool transmitting = false;
    bool done = false;
    int bytesSent = 0;
    int messagesSent = 0;
    int bytesReceived = 0;
    int messagesReceived = 0;
    int elems = 0;
    int starts = 0;
    int closes = 0;
    bool shown = false;
    bool closed = false;
    platform::core::Millis closedAt = 0;
    std::optional<platform::core::Millis> cancelAfterMs;
    // When each AddSended since Start came.
    std::vector<platform::core::Millis> sendTimes;
    std::function<void()> onShown;
    // After each millisecond the window is shown.
    std::function<void()> onStep;
    // The window's close restores the default input handler here.
    std::function<void()> onClose;

private:
    platform::core::ManualClock& clock_;
    platform::core::TTimer timer_{nullptr};
    platform::core::TTimer cleanup_{nullptr};
};

// The simulated instrument with the real address map behind open ports, the fakes installed,
// the application state with device id 17 and the data folder of the test's own.
class InstrumentFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::core::ResetMessageLoop();
        instrument().SetDeviceByte(0x10);
        instrument().SetBlockTable(testsupport::InstrumentBlockTable());
        SetDialogs(&dialogs);
        ui.transferWindow = &window;
        ui.mediaPlayer = &mediaPlayer;
        // The transfer window's close gives the input back, as the program's does.
        window.onClose = [this] { state.Midi.InstallDefaultMidiInput(); };
        state.Midi.OnMonitor = [this](const midi::TMyMidiEvent& event, bool) {
            defaultInput.push_back(
                event.Sysex.empty()
                    ? std::vector<std::uint8_t>{event.Status, event.Data1, event.Data2}
                    : event.Sysex);
        };
        state.Midi.OnDevs = [this](bool open) { calls.push_back(open ? "OpenDevs" : "CloseDevs"); };
        state.Midi.Create();
        if (!state.Midi.Online()) ADD_FAILURE() << "ports not opened";
    }
    void TearDown() override {
        SetDialogs(nullptr);
        platform::core::ResetMessageLoop();
    }

    testsupport::SimInstrument& instrument() { return virtualInstrument.Instrument(); }
    void Run(platform::core::Millis ms) { platform::core::RunFor(clock, ms); }

    TempDocuments documents;
    platform::core::ManualClock clock;
    platform::core::ClockOverride clockOverride{clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride clockDate{clock, platform::core::EncodeDate(2026, 3, 7) +
                                                     platform::core::EncodeTime(9, 0, 0, 0)};
    testsupport::VirtualInstrument virtualInstrument{clock};
    TQuintaron state;
    FakeDialogs dialogs;
    FakeTransferWindow window{clock};
    TMidiFilePlayer mediaPlayer;
    testsupport::FakeUiServices ui;
    // CloseDevs and OpenDevs as the model asked for them.
    std::vector<std::string> calls;
    // What reached the default input handler.
    std::vector<std::vector<std::uint8_t>> defaultInput;
};

} // namespace model::fakes
